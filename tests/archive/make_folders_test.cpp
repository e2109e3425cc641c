// Folder creation on the way to a file, with a recording creator in place of the file system.
#include "archive/make_folders.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct Recorder {
  std::vector<std::string> asked;
  std::set<std::string> existing;
  std::string failing;

  CreateFolderFunction Function() {
    return [this](const char* folder) {
      asked.push_back(folder);
      if (folder == failing) return FolderCreation::kFailed;
      return existing.count(folder) ? FolderCreation::kExists : FolderCreation::kCreated;
    };
  }
};

TEST(MakeFoldersTest, TheRootIsTheDriveTheLeadingSeparatorOrTheServerAndShare) {
  const std::string trail5c = "\x95\x5C";  // one code page 932 character ending in 0x5C
  struct Case {
    std::string path;
    IsLeadByteFunction isLeadByte;
    std::string root;
  } cases[] = {
      {"C:\\Apps\\x", IsCp932LeadByte, "C:\\"},
      {"c:/Apps/x", IsCp932LeadByte, "c:/"},
      {"C:", IsCp932LeadByte, "C:"},
      {"C:a\\b", IsCp932LeadByte, "C:"},
      {"1:\\a", IsCp932LeadByte, ""},
      {"\\Apps\\x", IsCp932LeadByte, "\\"},
      {"/Apps/x", IsCp932LeadByte, "/"},
      {"sub\\file.txt", IsCp932LeadByte, ""},
      {"file.txt", IsCp932LeadByte, ""},
      {"", IsCp932LeadByte, ""},
      {"\\\\server\\share\\a\\f", IsCp932LeadByte, "\\\\server\\share\\"},
      {"//server/share/a", IsCp932LeadByte, "//server/share/"},
      {"\\\\server/share", IsCp932LeadByte, "\\\\server/share"},
      {"\\\\server", IsCp932LeadByte, "\\\\server"},
      {"\\\\?\\C:\\a\\f", IsCp932LeadByte, "\\\\?\\C:\\"},
      {"\\\\.\\C:\\a", IsCp932LeadByte, "\\\\.\\C:\\"},
      // A trail byte 0x5C inside the server or the share separates nothing...
      {"\\\\s" + trail5c + "v\\share\\a", IsCp932LeadByte, "\\\\s" + trail5c + "v\\share\\"},
      {"\\\\srv\\sh" + trail5c + "\\a", IsCp932LeadByte, "\\\\srv\\sh" + trail5c + "\\"},
      // ...but in a single-byte code page it does.
      {"\\\\s" + trail5c + "v\\share\\a", IsNeverLeadByte, "\\\\s\x95\\v\\"},
      // A lead byte at the very end is not read past.
      {"\\\\s\x95", IsCp932LeadByte, "\\\\s\x95"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(c.path.substr(0, PathRootLength(c.path.c_str(), c.isLeadByte)), c.root);
  }
}

TEST(MakeFoldersTest, CreatesEveryFolderOnTheWayButNeverTheRootOrTheFile) {
  const std::string trail5c = "\x95\x5C";  // one code page 932 character ending in 0x5C
  struct Case {
    std::string path;
    IsLeadByteFunction isLeadByte;
    std::vector<std::string> folders;
  } cases[] = {
      {"C:\\A\\B\\file.txt", IsCp932LeadByte, {"C:\\A", "C:\\A\\B"}},
      {"C:\\Program Files\\QuorVEX\\x/y.dat", IsCp932LeadByte,
       {"C:\\Program Files", "C:\\Program Files\\QuorVEX", "C:\\Program Files\\QuorVEX\\x"}},
      {"C:\\file.txt", IsCp932LeadByte, {}},
      {"C:\\" + trail5c + "\\a.txt", IsCp932LeadByte, {"C:\\" + trail5c}},
      // The same bytes in a single-byte code page: 0x5C separates.
      {"C:\\" + trail5c + "\\a.txt", IsNeverLeadByte, {"C:\\\x95", "C:\\" + trail5c}},
      {"C:a\\b\\f", IsCp932LeadByte, {"C:a", "C:a\\b"}},
      {"C:f", IsCp932LeadByte, {}},
      {"\\Apps\\x\\f", IsCp932LeadByte, {"\\Apps", "\\Apps\\x"}},
      {"/Apps/x/f", IsCp932LeadByte, {"/Apps", "/Apps/x"}},
      {"sub\\file.txt", IsCp932LeadByte, {"sub"}},
      {"a/b/f", IsCp932LeadByte, {"a", "a/b"}},
      {"file.txt", IsCp932LeadByte, {}},
      {"\\\\server\\share\\a\\b\\f", IsCp932LeadByte, {"\\\\server\\share\\a", "\\\\server\\share\\a\\b"}},
      {"\\\\server\\share\\f", IsCp932LeadByte, {}},
      {"\\\\s" + trail5c + "\\share\\a\\f", IsCp932LeadByte, {"\\\\s" + trail5c + "\\share\\a"}},
      {"\\\\?\\C:\\a\\f", IsCp932LeadByte, {"\\\\?\\C:\\a"}},
  };
  for (const Case& c : cases) {
    Recorder recorder;
    EXPECT_EQ(MakeFoldersWith(c.path.c_str(), c.isLeadByte, recorder.Function()), 1) << c.path;
    EXPECT_EQ(recorder.asked, c.folders) << c.path;
  }
}

TEST(MakeFoldersTest, ExistingFoldersCountAsSuccessAndAnyOtherFailureStops) {
  Recorder existing;
  existing.existing = {"C:\\A", "C:\\A\\B"};
  EXPECT_EQ(MakeFoldersWith("C:\\A\\B\\C\\f", IsCp932LeadByte, existing.Function()), 1);
  EXPECT_EQ(existing.asked.size(), 3u);

  Recorder failing;
  failing.failing = "C:\\A\\B";
  EXPECT_EQ(MakeFoldersWith("C:\\A\\B\\C\\f", IsCp932LeadByte, failing.Function()), 0);
  EXPECT_EQ(failing.asked, (std::vector<std::string>{"C:\\A", "C:\\A\\B"}));
}

TEST(MakeFoldersTest, APathLongerThanTheWorkingCopyFailsWithoutCreatingAnything) {
  const std::string longest = "C:\\" + std::string(kMakeFoldersMaxPath - 3 - 2, 'a') + "\\f";
  ASSERT_EQ(longest.size(), static_cast<std::size_t>(kMakeFoldersMaxPath));
  Recorder fits;
  EXPECT_EQ(MakeFoldersWith(longest.c_str(), IsCp932LeadByte, fits.Function()), 1);
  EXPECT_EQ(fits.asked.size(), 1u);
  Recorder tooLong;
  EXPECT_EQ(MakeFoldersWith((longest + "x").c_str(), IsCp932LeadByte, tooLong.Function()), 0);
  EXPECT_TRUE(tooLong.asked.empty());
}

}  // namespace
