// The uninstall run under Wine against a layout an installation leaves: real files, a real
// list, real registry keys; the special folders point into the test's own folder.
#include "uninstall/uninstall_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "install/registration_rows.h"
#include "platform/unique_handle.h"
#include "tests/install/run_fixture.h"
#include "tests/support/recording_run_host.h"
#include "text/language.h"
#include "text/message_catalog.h"

using runtest::FileExists;
using runtest::FolderExists;
using runtest::KeyExists;
using runtest::TestFolders;

namespace {

std::string Status(int id) { return std::string("status:") + CatalogText(id); }
// A failed run ends with an empty status line, never with "Uninstallation was completed."
const std::string kClearedStatus = "status:";

// A list read whose first chunk arrives and whose second fails, as a damaged medium would.
int g_reads = 0;
BOOL WINAPI SecondReadFails(HANDLE file, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED overlapped) {
  if (++g_reads == 1) return ReadFile(file, buffer, count, read, overlapped);
  *read = 0;
  SetLastError(ERROR_CRC);
  return FALSE;
}

const char kSettingsMain[] = "SOFTWARE\\VELDRANOS\\QUORVEX\\MAIN";
const char kClientCommand[] = "Software\\Clients\\Internet Call\\Quorvex\\Protocols\\callto\\shell\\open\\command";

void WriteKey(HKEY root, const char* path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr), ERROR_SUCCESS);
  const platform::UniqueKey owner(key);
  RegSetValueExA(key, "Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2);
}

class UninstallRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    language::SetIndex(language::kEnglish);
    runtest::DeleteProductKeys();
    TestFolders::Reset(temp_.Path());
    setup_ = temp_.Path() + "\\App";
    host_.SetFolderText(setup_);
    Lay();
  }
  void TearDown() override { runtest::DeleteProductKeys(); }

  std::string Group() const { return TestFolders::programs + "\\Veldranos system\\QuorVEX"; }
  std::string In(const std::string& name) const { return setup_ + "\\" + name; }
  std::string ListPath() const { return In("Uninstall.txt"); }

  // What an installation leaves: files, their list, the keys and the shortcuts.
  void Lay() {
    CreateDirectoryA(setup_.c_str(), nullptr);
    CreateDirectoryA(In("sub").c_str(), nullptr);
    for (const char* name : {"Quorvex.exe", "QuorVEXSetup.exe", "sub\\data.bin"}) runtest::WriteBytes(In(name), name);
    WriteList(In("Quorvex.exe") + "\n" + In("QuorVEXSetup.exe") + "\n" + In("sub\\data.bin") + "\n");
    WriteKey(HKEY_CURRENT_USER, kSettingsMain);
    WriteKey(HKEY_LOCAL_MACHINE, kClientCommand);
    WriteKey(HKEY_CURRENT_USER, kUninstallEntryKey);
    CreateDirectoryA((TestFolders::programs + "\\Veldranos system").c_str(), nullptr);
    CreateDirectoryA(Group().c_str(), nullptr);
    for (const std::string& link : Links()) runtest::WriteBytes(link, "link");
  }

  std::vector<std::string> Links() const {
    return {TestFolders::desktop + "\\QuorVEX.lnk", Group() + "\\QuorVEX.lnk", Group() + "\\QuorVEX4ICQ.lnk",
            Group() + "\\QuorVEX Uninstall.lnk", Group() + "\\Lookcrafter.lnk"};
  }

  void WriteList(const std::string& bytes) { ASSERT_TRUE(runtest::WriteBytes(ListPath(), bytes)); }

  void Run() {
    RunUninstallWith(host_, TestFolders::Table());
  }

  // The events of a run whose list opened, after the line statuses.
  static std::vector<std::string> StagesAfterList() {
    return {Status(308), Status(152), Status(438), Status(402), Status(303), "completion"};
  }

  static std::vector<std::string> Join(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
  }

  void ExpectKeysAndLinksRemain(bool remain) const {
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kProductSettingsKey), remain);
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kClientRegistrationKey), remain);
    EXPECT_EQ(KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey), remain);
    for (const std::string& link : Links()) EXPECT_EQ(FileExists(link), remain) << link;
    EXPECT_EQ(FolderExists(Group()), remain);
    EXPECT_EQ(FolderExists(TestFolders::programs + "\\Veldranos system"), remain);
  }

  runtest::TempFolder temp_;
  RecordingRunHost host_;
  std::string setup_;
};

TEST_F(UninstallRunTest, RemovesListedFilesKeysShortcutsAndGroupFoldersInOrder) {
  Run();
  EXPECT_EQ(host_.Events(), Join({Status(719), "status:" + In("Quorvex.exe"), "status:" + In("QuorVEXSetup.exe"),
                                  "status:" + In("sub\\data.bin")},
                                 StagesAfterList()));
  EXPECT_FALSE(host_.Failed());
  for (const char* name : {"Quorvex.exe", "QuorVEXSetup.exe", "sub\\data.bin", "Uninstall.txt"})
    EXPECT_FALSE(FileExists(In(name))) << name;
  ExpectKeysAndLinksRemain(false);
  // The setup folder and the folders extraction made stay.
  EXPECT_TRUE(FolderExists(setup_));
  EXPECT_TRUE(FolderExists(In("sub")));
  EXPECT_TRUE(FolderExists(TestFolders::programs));
}

TEST_F(UninstallRunTest, SecondRunFindsNoListAndSkipsRegistryAndShortcuts) {
  Run();
  Lay();
  runtest::WriteBytes(ListPath(), "");
  DeleteFileA(ListPath().c_str());
  host_.Clear();
  Run();
  EXPECT_EQ(host_.Events(), (std::vector<std::string>{Status(719), "failed", std::string("box:") + CatalogText(318),
                                                      Status(308), kClearedStatus, "completion"}));
  EXPECT_TRUE(FileExists(In("Quorvex.exe")));
  ExpectKeysAndLinksRemain(true);
}

// The list that could not be read is the only record of the install: it stays, so the
// uninstall can run again once the writer is gone.
TEST_F(UninstallRunTest, ListLockedByAWriterFailsLike318AndIsKept) {
  {
    const platform::UniqueFile writer(CreateFileA(ListPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer.IsValid());
    Run();
  }
  EXPECT_EQ(host_.Events(), (std::vector<std::string>{Status(719), "failed", std::string("box:") + CatalogText(318),
                                                      Status(308), kClearedStatus, "completion"}));
  EXPECT_TRUE(FileExists(ListPath()));
  EXPECT_TRUE(FileExists(In("Quorvex.exe")));
  ExpectKeysAndLinksRemain(true);
}

TEST_F(UninstallRunTest, EmptyListDeletesNoFileButRunsEveryStage) {
  WriteList("");
  Run();
  EXPECT_EQ(host_.Events(), Join({Status(719)}, StagesAfterList()));
  EXPECT_FALSE(host_.Failed());
  EXPECT_TRUE(FileExists(In("Quorvex.exe")));
  EXPECT_FALSE(FileExists(ListPath()));
  ExpectKeysAndLinksRemain(false);
}

TEST_F(UninstallRunTest, CrBeforeLfIsDroppedEmptyLineDeletesNothingLastLineNeedsNoLf) {
  WriteList(In("Quorvex.exe") + "\r\n\n" + In("sub"));
  Run();
  EXPECT_EQ(host_.Events(),
            Join({Status(719), "status:" + In("Quorvex.exe"), "status:", "status:" + In("sub")}, StagesAfterList()));
  EXPECT_FALSE(FileExists(In("Quorvex.exe")));
  EXPECT_TRUE(FileExists(In("QuorVEXSetup.exe")));
  EXPECT_TRUE(FolderExists(In("sub")));  // a line naming a folder deletes nothing
}

TEST_F(UninstallRunTest, LinesOutsideTheSetupFolderAreShownButNotDeleted) {
  const std::string outside = temp_.Path() + "\\victim.txt";
  const std::string sibling = temp_.Path() + "\\AppOther.txt";
  runtest::WriteBytes(outside, "keep");
  runtest::WriteBytes(sibling, "keep");
  const std::string dotted = setup_ + "\\..\\victim.txt";
  WriteList(outside + "\n" + dotted + "\n" + sibling + "\n" + In("Quorvex.exe") + "\n");
  Run();
  EXPECT_EQ(host_.Events(), Join({Status(719), "status:" + outside, "status:" + dotted, "status:" + sibling,
                                  "status:" + In("Quorvex.exe")},
                                 StagesAfterList()));
  EXPECT_TRUE(host_.EventsOf("box").empty());
  EXPECT_FALSE(host_.Failed());
  EXPECT_TRUE(FileExists(outside));
  EXPECT_TRUE(FileExists(sibling));
  EXPECT_FALSE(FileExists(In("Quorvex.exe")));
}

// A foreign or edited list must not reach outside the setup folder, whatever way a line
// names a place: climbing out, another drive or a UNC path, a stream of an outside file, a
// device name, trailing dots and spaces Windows drops, the \\?\ form, a relative line.
TEST_F(UninstallRunTest, AForeignListDeletesNothingOutsideTheSetupFolder) {
  const std::string victim = temp_.Path() + "\\victim.txt";
  runtest::WriteBytes(victim, "keep");
  const std::string drive = temp_.Path().substr(0, 2);  // "C:"
  const std::string lines[] = {
      setup_ + "\\..\\victim.txt",
      setup_ + "\\sub\\..\\..\\victim.txt",
      setup_ + "\\..\\victim.txt. .",
      setup_ + "\\..\\victim.txt:stream",
      setup_ + "\\..\\victim.txt::$DATA",
      "\\\\localhost\\" + drive.substr(0, 1) + "$" + victim.substr(2),
      "\\\\?\\" + victim,
      "\\\\.\\" + victim,
      "..\\victim.txt",
      victim.substr(2),  // the same file from the drive's root
      setup_ + "\\CON",
      setup_ + "\\sub\\NUL.txt",
      setup_ + "\\COM1",
  };
  std::string list;
  for (const std::string& line : lines) list += line + "\n";
  list += In("Quorvex.exe") + "\n";
  WriteList(list);
  Run();
  EXPECT_TRUE(host_.EventsOf("box").empty()) << ::testing::PrintToString(host_.EventsOf("box"));
  EXPECT_FALSE(host_.Failed());
  std::string kept;
  EXPECT_TRUE(runtest::ReadBytes(victim, kept));
  EXPECT_EQ(kept, "keep");
  EXPECT_FALSE(FileExists(In("Quorvex.exe")));  // the list's own line still goes
}

// A list that cannot be read to its end is the only record of the files behind the failing
// line: the list, the Add/Remove Programs entry and the shortcuts stay, so that the
// uninstall can run again; the run fails after one box.
TEST_F(UninstallRunTest, ReadErrorShowsTheSystemTextOnceAndKeepsTheRecordForAnotherRun) {
  // The first chunk (4096 bytes) ends inside the filler lines; the last line lies behind it.
  std::string list = In("Quorvex.exe") + "\n";
  std::vector<std::string> shown = {"status:" + In("Quorvex.exe")};
  for (int i = 0; list.size() + In("filler-0000.txt").size() + 1 <= 4096; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "filler-%04d.txt", i);
    list += In(name) + "\n";
    shown.push_back("status:" + In(name));
  }
  list += In("filler-cut-off-by-the-chunk.txt") + "\n" + In("QuorVEXSetup.exe") + "\n";
  ASSERT_GT(list.size(), 4096u);
  WriteList(list);
  g_reads = 0;
  {
    RunUninstallWith(host_, TestFolders::Table(), &SecondReadFails);
  }
  std::vector<std::string> expected = {Status(719)};
  expected.insert(expected.end(), shown.begin(), shown.end());
  for (const std::string& event :
       {SystemErrorBox(ERROR_CRC), std::string("failed"), Status(308), kClearedStatus, std::string("completion")})
    expected.push_back(event);
  EXPECT_EQ(host_.Events(), expected);
  EXPECT_FALSE(FileExists(In("Quorvex.exe")));
  EXPECT_TRUE(FileExists(In("QuorVEXSetup.exe")));  // behind the failing read
  std::string kept;
  ASSERT_TRUE(runtest::ReadBytes(ListPath(), kept));
  EXPECT_EQ(kept, list);
  ExpectKeysAndLinksRemain(true);

  // Run again with a list that reads: the rest goes.
  host_.Clear();
  Run();
  EXPECT_FALSE(host_.Failed());
  EXPECT_FALSE(FileExists(In("QuorVEXSetup.exe")));
  ExpectKeysAndLinksRemain(false);
}

// A "list" without line feeds, longer than any path an install writes, is refused before
// it is read into memory whole: one box, the record kept.
TEST_F(UninstallRunTest, ALineLongerThanAnyInstalledPathRefusesTheList) {
  const std::string list = In("Quorvex.exe") + "\n" + std::string(64 * 1024, 'x');
  WriteList(list);
  Run();
  EXPECT_EQ(host_.Events(), (std::vector<std::string>{Status(719), "status:" + In("Quorvex.exe"),
                                                      SystemErrorBox(ERROR_INVALID_DATA), "failed", Status(308),
                                                      kClearedStatus, "completion"}));
  std::string kept;
  ASSERT_TRUE(runtest::ReadBytes(ListPath(), kept));
  EXPECT_EQ(kept, list);
  ExpectKeysAndLinksRemain(true);
}

// A folder typed with "." and ".." names the same folder as the system resolves it: its
// files go; a line that climbs out of it still stays.
TEST_F(UninstallRunTest, AFolderTypedWithDotsRemovesItsFilesAndNothingOutside) {
  const std::string typed = temp_.Path() + "\\.\\App\\..\\App";
  const std::string outside = temp_.Path() + "\\victim.txt";
  runtest::WriteBytes(outside, "keep");
  WriteList(typed + "\\Quorvex.exe\n" + typed + "\\sub\\data.bin\n" + typed + "\\..\\victim.txt\n");
  host_.SetFolderText(typed);
  Run();
  EXPECT_FALSE(host_.Failed());
  EXPECT_FALSE(FileExists(In("Quorvex.exe")));
  EXPECT_FALSE(FileExists(In("sub\\data.bin")));
  EXPECT_TRUE(FileExists(outside));
  EXPECT_FALSE(FileExists(ListPath()));
  ExpectKeysAndLinksRemain(false);
}

TEST_F(UninstallRunTest, FileInUseStaysWithoutAMessage) {
  const platform::UniqueFile held(CreateFileA(In("QuorVEXSetup.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.IsValid());
  Run();
  EXPECT_TRUE(host_.EventsOf("box").empty());
  EXPECT_FALSE(host_.Failed());
  EXPECT_TRUE(FileExists(In("QuorVEXSetup.exe")));
  EXPECT_FALSE(FileExists(In("sub\\data.bin")));
}

TEST_F(UninstallRunTest, MakerFolderWithOtherEntriesStays) {
  runtest::WriteBytes(TestFolders::programs + "\\Veldranos system\\Other.lnk", "other");
  Run();
  EXPECT_FALSE(FolderExists(Group()));
  EXPECT_TRUE(FolderExists(TestFolders::programs + "\\Veldranos system"));
  EXPECT_EQ(host_.Events().back(), "completion");
  EXPECT_FALSE(host_.Failed());
}

TEST_F(UninstallRunTest, UnobtainableSpecialFoldersSkipOnlyWhatIsBelowThem) {
  TestFolders::desktopFails = true;
  Run();
  EXPECT_TRUE(FileExists(TestFolders::desktop + "\\QuorVEX.lnk"));
  EXPECT_FALSE(FolderExists(Group()));
  Lay();
  TestFolders::desktopFails = false;
  TestFolders::programsFails = true;
  Run();
  EXPECT_FALSE(FileExists(TestFolders::desktop + "\\QuorVEX.lnk"));
  EXPECT_TRUE(FileExists(Group() + "\\QuorVEX.lnk"));
  EXPECT_TRUE(host_.EventsOf("box").empty());
}

TEST_F(UninstallRunTest, EmptyFolderFieldLooksInTheCurrentFolder) {
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(setup_.c_str()));
  WriteList("Quorvex.exe\n");
  host_.SetFolderText("");
  Run();
  SetCurrentDirectoryA(previous);
  EXPECT_FALSE(host_.Failed());
  EXPECT_FALSE(FileExists(In("Quorvex.exe")));
  EXPECT_FALSE(FileExists(ListPath()));
  EXPECT_EQ(host_.FolderReads(), std::vector<int>{2600});
}

// Out of memory on the worker thread: the run fails with its box and still posts its
// completion; nothing is removed.
class OutOfMemoryHost : public RecordingRunHost {
 public:
  std::string FolderText(int) override { throw std::bad_alloc(); }
};

TEST_F(UninstallRunTest, OutOfMemoryFailsTheRunAndStillPostsTheCompletion) {
  OutOfMemoryHost host;
  {
    RunUninstallWith(host, TestFolders::Table());
  }
  EXPECT_EQ(host.Events(), (std::vector<std::string>{std::string("box:") + CatalogText(228), "failed", kClearedStatus,
                                                     "completion"}));
  EXPECT_TRUE(FileExists(In("Quorvex.exe")));
  ExpectKeysAndLinksRemain(true);
}

}  // namespace
