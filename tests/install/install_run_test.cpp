// The install run under Wine: real files, real registry, real shell links; the special
// folders point into the test's own folder, and the seams make keys, values and shortcut
// saves fail where the system never would.
#include "install/install_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "install/registration_rows.h"
#include "platform/unique_handle.h"
#include "tests/install/run_fixture.h"
#include "tests/support/recording_run_host.h"
#include "text/language.h"
#include "text/message_catalog.h"

using runtest::FileExists;
using runtest::FolderExists;
using runtest::TestFolders;

namespace {

// What the seams make fail; empty: nothing.
std::string g_failingKey;
std::string g_failingValue;
std::string g_failingLink;  // a link path ending with this text is not saved

LONG CreateKeyOrFail(HKEY root, const char* path, HKEY* key) {
  if (!g_failingKey.empty() && g_failingKey == path) return ERROR_ACCESS_DENIED;
  return RealRegistryWriter().createKey(root, path, key);
}

LONG SetValueOrFail(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) {
  if (!g_failingValue.empty() && valueName && g_failingValue == valueName) return ERROR_ACCESS_DENIED;
  return RealRegistryWriter().setValue(key, valueName, type, data, size);
}

int CreateShortcutOrFail(const char* linkPath, const char* targetPath, const char* description, const char* arguments) {
  const std::string link = linkPath;
  if (!g_failingLink.empty() && link.size() >= g_failingLink.size() &&
      link.compare(link.size() - g_failingLink.size(), g_failingLink.size(), g_failingLink) == 0)
    return 0;
  return CreateShortcut(linkPath, targetPath, description, arguments);
}

std::string Status(int id) { return std::string("status:") + CatalogText(id); }
// A failed run ends with an empty status line, never with "The setup was completed."
const std::string kClearedStatus = "status:";
std::string Box(int id) { return std::string("box:") + CatalogText(id); }

const std::vector<runtest::PayloadFile> kFiles = {
    {"QuorVEXSetup.exe", "MZ setup", 0},
    {"Quorvex.exe", "MZ main", 0},
    {"tool.exe", "MZ tool", 0},
    {"readme.txt", "read me", 0},
    {"sub\\data.bin", std::string("\0\x01\x02", 3), 0},
};

class InstallRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    language::SetIndex(language::kEnglish);
    runtest::DeleteProductKeys();
    TestFolders::Reset(temp_.Path());
    g_failingKey.clear();
    g_failingValue.clear();
    g_failingLink.clear();
    system_.shortcuts.folders = TestFolders::Table();
    system_.shortcuts.createShortcut = &CreateShortcutOrFail;
    system_.registry = RegistryWriter{&CreateKeyOrFail, &SetValueOrFail};
    target_ = temp_.Path() + "\\App";
    setupFile_ = temp_.Path() + "\\setup.exe";
    runtest::WriteSetupFile(setupFile_, kFiles);
    host_.SetFolderText(target_);
  }
  void TearDown() override { runtest::DeleteProductKeys(); }

  void Run() {
    RunInstallFrom(setupFile_, host_, system_);
  }

  std::string Group() const { return TestFolders::programs + "\\Veldranos system\\QuorVEX"; }
  std::string Installed(const std::string& name) const { return target_ + "\\" + name; }

  // The events of a clean extraction of kFiles.
  std::vector<std::string> ExtractionEvents() const {
    std::vector<std::string> events;
    for (size_t i = 0; i < kFiles.size(); ++i) {
      events.push_back("status:" + kFiles[i].name);
      events.push_back("progress:" + std::to_string(i) + "/" + std::to_string(kFiles.size()));
    }
    return events;
  }

  std::string ListBytes() const {
    std::string bytes;
    return runtest::ReadBytes(target_ + "\\Uninstall.txt", bytes) ? bytes : std::string("<no list>");
  }

  std::string ListOf(std::vector<std::string> names) const {
    std::string bytes;
    for (const std::string& name : names) bytes += Installed(name) + "\n";
    return bytes;
  }

  void ExpectRowsThreeToFourteen(const std::string& folder) const {
    const runtest::RegistryValue setting =
        runtest::ReadRegistryValue(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\MAIN", "SETUPFOLDER");
    EXPECT_EQ(setting.data, folder + std::string(1, '\0'));
    for (const RegistryRow& row : ClientRegistrationRows(folder)) {
      const runtest::RegistryValue value = runtest::ReadRegistryValue(
          HKEY_LOCAL_MACHINE, row.key, row.valueName.empty() ? nullptr : row.valueName.c_str());
      EXPECT_TRUE(value.present) << row.key << " " << row.valueName;
      EXPECT_EQ(value.data, row.data.empty() ? std::string() : row.data + std::string(1, '\0')) << row.key;
    }
  }

  runtest::TempFolder temp_;
  InstallSystem system_{RealShortcutSystem(), RealRegistryWriter()};
  RecordingRunHost host_;
  std::string target_;
  std::string setupFile_;
};

TEST_F(InstallRunTest, SuccessfulRunReportsInOrderAndPostsOnce) {
  Run();
  std::vector<std::string> expected = {Status(719)};
  for (const std::string& event : ExtractionEvents()) expected.push_back(event);
  for (const std::string& event : {Status(403), Status(588), Status(433), std::string("completion")})
    expected.push_back(event);
  EXPECT_EQ(host_.Events(), expected);
  EXPECT_FALSE(host_.Failed());
  EXPECT_EQ(host_.FolderReads(), (std::vector<int>{2600, 520, 1300}));
}

TEST_F(InstallRunTest, ProgramsGetExactlyFourShortcutsAndEveryFileItsLine) {
  Run();
  EXPECT_TRUE(FileExists(Group() + "\\QuorVEX Uninstall.lnk"));
  EXPECT_TRUE(FileExists(Group() + "\\Quorvex.lnk"));
  EXPECT_TRUE(FileExists(Group() + "\\tool.lnk"));
  EXPECT_TRUE(FileExists(TestFolders::desktop + "\\QuorVEX.lnk"));
  int links = 0;
  for (const std::string& folder : {Group(), TestFolders::desktop}) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++links;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(links, 4);
  EXPECT_EQ(ListBytes(), ListOf({"QuorVEXSetup.exe", "Quorvex.exe", "tool.exe", "readme.txt", "sub\\data.bin"}));
  const runtest::RegistryValue uninstall =
      runtest::ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, "UninstallString");
  EXPECT_EQ(uninstall.data, target_ + "\\QuorVEXSetup.exe -u" + std::string(1, '\0'));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

TEST_F(InstallRunTest, SetupFileThatCannotBeOpenedStillWritesRowsThreeToFourteen) {
  setupFile_ = temp_.Path() + "\\missing.exe";
  Run();
  EXPECT_EQ(host_.Events(), (std::vector<std::string>{Status(719), Box(435), "failed", Status(403), Status(588),
                                                      kClearedStatus, "completion"}));
  EXPECT_FALSE(FolderExists(TestFolders::programs + "\\Veldranos system"));
  EXPECT_FALSE(FileExists(TestFolders::desktop + "\\QuorVEX.lnk"));
  EXPECT_EQ(ListBytes(), "<no list>");
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

TEST_F(InstallRunTest, DestinationHeldOpenWithoutSharingFailsTheExtraction) {
  CreateDirectoryA(target_.c_str(), nullptr);
  const platform::UniqueFile held(CreateFileA(Installed("tool.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(held.IsValid());
  Run();
  const std::string opened = "box:A file does not open.\n" + Installed("tool.exe");
  EXPECT_EQ(host_.Events(),
            (std::vector<std::string>{Status(719), "status:QuorVEXSetup.exe", "progress:0/5", "status:Quorvex.exe",
                                      "progress:1/5", "status:tool.exe", opened, Box(436), "failed", Status(403),
                                      Status(588), kClearedStatus, "completion"}));
  EXPECT_TRUE(FileExists(Installed("Quorvex.exe")));  // nothing is rolled back
  EXPECT_FALSE(FileExists(Installed("readme.txt")));
  EXPECT_FALSE(FolderExists(TestFolders::programs + "\\Veldranos system"));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

TEST_F(InstallRunTest, FolderThatCannotBeCreatedFailsTheExtractionWith436Alone) {
  // A drive that does not exist: the folder on the way cannot be made.
  std::string drive;
  for (char letter = 'Y'; letter > 'D' && drive.empty(); --letter) {
    const std::string root = std::string(1, letter) + ":\\";
    if (GetDriveTypeA(root.c_str()) == DRIVE_NO_ROOT_DIR) drive = std::string(1, letter) + ":";
  }
  ASSERT_FALSE(drive.empty());
  target_ = drive + "\\QuorVEX";
  host_.SetFolderText(target_);
  Run();
  EXPECT_EQ(host_.Events(), (std::vector<std::string>{Status(719), "status:QuorVEXSetup.exe", Box(436), "failed",
                                                      Status(403), Status(588), kClearedStatus, "completion"}));
  EXPECT_FALSE(FolderExists(TestFolders::programs + "\\Veldranos system"));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

// A failure of the shortcut stage: its box after status 403, the flag, the stage ended
// there, no Add/Remove Programs entry, rows 3 to 14 written all the same.
struct ShortcutFailure {
  const char* name;
  int catalogId;
  const char* boxText;  // when the box is a formatted one
  std::vector<std::string> listed;  // "<no list>" alone: no list at all
  std::vector<std::string> links;   // shortcuts that exist afterwards, below the test folder
};

class ShortcutStageFailureTest : public InstallRunTest, public ::testing::WithParamInterface<ShortcutFailure> {
 protected:
  void MakeFault(const std::string& name) {
    if (name == "ProgramsUnobtainable") TestFolders::programsFails = true;
    if (name == "FileWhereMakerFolderGoes") runtest::WriteBytes(TestFolders::programs + "\\Veldranos system", "x");
    if (name == "FileWhereGroupFolderGoes") {
      CreateDirectoryA((TestFolders::programs + "\\Veldranos system").c_str(), nullptr);
      runtest::WriteBytes(Group(), "x");
    }
    if (name == "DesktopUnobtainable") TestFolders::desktopFails = true;
    if (name == "ShortcutSaveFails") g_failingLink = "\\tool.lnk";
  }
};

TEST_P(ShortcutStageFailureTest, ShowsItsBoxSetsTheFlagAndEndsTheStage) {
  const ShortcutFailure& c = GetParam();
  MakeFault(c.name);
  platform::UniqueFile heldList;
  if (std::string(c.name) == "ListHeldOpenWithoutSharing") {
    CreateDirectoryA(target_.c_str(), nullptr);
    heldList.Reset(CreateFileA((target_ + "\\Uninstall.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(heldList.IsValid());
  }
  Run();
  heldList.Reset();
  std::vector<std::string> expected = {Status(719)};
  for (const std::string& event : ExtractionEvents()) expected.push_back(event);
  const std::string box = c.boxText ? std::string("box:") + c.boxText : Box(c.catalogId);
  for (const std::string& event : {Status(403), box, std::string("failed"), Status(588), kClearedStatus,
                                   std::string("completion")})
    expected.push_back(event);
  EXPECT_EQ(host_.Events(), expected);
  if (c.listed.size() == 1 && c.listed[0] == "<no list>") {
    EXPECT_EQ(ListBytes(), "<no list>");
  } else {
    EXPECT_EQ(ListBytes(), ListOf(c.listed));
  }
  for (const std::string& link : c.links) EXPECT_TRUE(FileExists(temp_.Path() + link)) << link;
  EXPECT_FALSE(FileExists(Group() + "\\tool.lnk"));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShortcutStageFailureTest,
    ::testing::Values(
        ShortcutFailure{"ProgramsUnobtainable", 557, nullptr, {"<no list>"}, {}},
        ShortcutFailure{"FileWhereMakerFolderGoes", 556, nullptr, {"<no list>"}, {}},
        ShortcutFailure{"FileWhereGroupFolderGoes", 555, nullptr, {"<no list>"}, {}},
        // The held list stays as it was: empty, no line added.
        ShortcutFailure{"ListHeldOpenWithoutSharing", 307, nullptr, {}, {}},
        // The uninstall shortcut came first and stays; the list holds the line before.
        ShortcutFailure{"DesktopUnobtainable", 458, nullptr, {"QuorVEXSetup.exe"},
                        {"\\Programs\\Veldranos system\\QuorVEX\\QuorVEX Uninstall.lnk"}},
        ShortcutFailure{"ShortcutSaveFails", 401, "Shortcut cannot be registered.(tool)",
                        {"QuorVEXSetup.exe", "Quorvex.exe"},
                        {"\\Programs\\Veldranos system\\QuorVEX\\QuorVEX Uninstall.lnk",
                         "\\Programs\\Veldranos system\\QuorVEX\\Quorvex.lnk", "\\Desktop\\QuorVEX.lnk"}}),
    [](const ::testing::TestParamInfo<ShortcutFailure>& info) { return std::string(info.param.name); });

// Full disks, made real: the test's fixtures link files of these folders to the Linux
// /dev/full, which opens and refuses every write.
std::string FixtureFolder(const char* variable) {
  char folder[MAX_PATH] = "";
  const DWORD length = GetEnvironmentVariableA(variable, folder, MAX_PATH);
  return length == 0 || length >= MAX_PATH ? std::string() : std::string(folder);
}

// A list that lost a line would leave that file behind at the uninstall: one box, the
// stage ends there, and nothing after it takes the install for a complete one.
TEST_F(InstallRunTest, AListLineThatCannotBeWrittenFailsTheStageAfterOneBox) {
  target_ = FixtureFolder("QX_FULL_LIST_FOLDER");
  ASSERT_FALSE(target_.empty()) << "QX_FULL_LIST_FOLDER names the fixture's folder";
  host_.SetFolderText(target_);
  Run();
  std::vector<std::string> expected = {Status(719)};
  for (const std::string& event : ExtractionEvents()) expected.push_back(event);
  for (const std::string& event : {Status(403), SystemErrorBox(ERROR_DISK_FULL), std::string("failed"), Status(588),
                                   kClearedStatus, std::string("completion")})
    expected.push_back(event);
  EXPECT_EQ(host_.Events(), expected);
  EXPECT_TRUE(FileExists(Group() + "\\QuorVEX Uninstall.lnk"));  // made before the first line
  EXPECT_FALSE(FileExists(Group() + "\\tool.lnk"));
  EXPECT_FALSE(FileExists(TestFolders::desktop + "\\QuorVEX.lnk"));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  for (const runtest::PayloadFile& file : kFiles) DeleteFileA(Installed(file.name).c_str());
  RemoveDirectoryA(Installed("sub").c_str());
}

// Reinstalling over an earlier install onto a disk that fills up: the file error ends the
// extraction as a failure, so the earlier list stays byte for byte (a later uninstall still
// removes every file) and no Add/Remove Programs entry claims a complete install.
TEST_F(InstallRunTest, AFileErrorDuringExtractionKeepsTheEarlierListAndWritesNoEntry) {
  target_ = FixtureFolder("QX_FULL_FILE_FOLDER");
  ASSERT_FALSE(target_.empty()) << "QX_FULL_FILE_FOLDER names the fixture's folder";
  host_.SetFolderText(target_);
  const std::string earlierList = ListBytes();
  ASSERT_EQ(earlierList, target_ + "\\earlier.dll\n");
  Run();
  EXPECT_EQ(host_.Events(),
            (std::vector<std::string>{Status(719), "status:QuorVEXSetup.exe", "progress:0/5", "status:Quorvex.exe",
                                      "progress:1/5", "status:tool.exe", SystemErrorBox(ERROR_DISK_FULL), "failed",
                                      Status(403), Status(588), kClearedStatus, "completion"}));
  EXPECT_EQ(ListBytes(), earlierList);
  EXPECT_FALSE(FolderExists(TestFolders::programs + "\\Veldranos system"));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

TEST_F(InstallRunTest, ExistingGroupFoldersAndLinksCountAsCreated) {
  Run();
  host_.Clear();
  Run();
  EXPECT_FALSE(host_.Failed());
  EXPECT_TRUE(host_.EventsOf("box").empty());
  EXPECT_EQ(ListBytes(), ListOf({"QuorVEXSetup.exe", "Quorvex.exe", "tool.exe", "readme.txt", "sub\\data.bin"}));
}

// The Add/Remove Programs entry: a key or value the registry refuses.
struct RegistryFailure {
  const char* name;
  const char* failingKey;
  const char* failingValue;
  int catalogId;
  bool displayNameWritten;
};

class UninstallEntryFailureTest : public InstallRunTest, public ::testing::WithParamInterface<RegistryFailure> {};

TEST_P(UninstallEntryFailureTest, ShowsItsBoxAfterStatus588AndSetsTheFlag) {
  const RegistryFailure& c = GetParam();
  g_failingKey = c.failingKey;
  g_failingValue = c.failingValue;
  Run();
  std::vector<std::string> events = host_.Events();
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(events.end() - 5, events.end()),
            (std::vector<std::string>{Status(588), Box(c.catalogId), "failed", kClearedStatus, "completion"}));
  EXPECT_EQ(host_.EventsOf("box").size(), 1u);
  EXPECT_EQ(runtest::ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, "DisplayName").present,
            c.displayNameWritten);
  EXPECT_FALSE(runtest::ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, "UninstallString").present);
  EXPECT_TRUE(FileExists(TestFolders::desktop + "\\QuorVEX.lnk"));
  ExpectRowsThreeToFourteen(target_ + "\\");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UninstallEntryFailureTest,
    ::testing::Values(RegistryFailure{"KeyRefused", kUninstallEntryKey, "", 305, false},
                      RegistryFailure{"DisplayNameRefused", "", "DisplayName", 306, false},
                      RegistryFailure{"UninstallStringRefused", "", "UninstallString", 306, true}),
    [](const ::testing::TestParamInfo<RegistryFailure>& info) { return std::string(info.param.name); });

TEST_F(InstallRunTest, RefusedClientRegistrationKeysAreSilent) {
  g_failingKey = kClientRegistrationKey;
  Run();
  EXPECT_FALSE(host_.Failed());
  EXPECT_TRUE(host_.EventsOf("box").empty());
  EXPECT_FALSE(runtest::ReadRegistryValue(HKEY_LOCAL_MACHINE, kClientRegistrationKey, nullptr).present);
  // The rows after the refused one are still written.
  EXPECT_TRUE(runtest::ReadRegistryValue(HKEY_LOCAL_MACHINE, std::string(kClientRegistrationKey) + "\\shell\\open\\command",
                                         nullptr).present);
}

TEST_F(InstallRunTest, FolderWithAndWithoutTrailingBackslashInstallsToTheSamePlace) {
  for (const std::string& typed : {target_, target_ + "\\"}) {
    SCOPED_TRACE(typed);
    host_.Clear();
    host_.SetFolderText(typed);
    Run();
    EXPECT_FALSE(host_.Failed());
    EXPECT_EQ(ListBytes(), ListOf({"QuorVEXSetup.exe", "Quorvex.exe", "tool.exe", "readme.txt", "sub\\data.bin"}));
    EXPECT_EQ(runtest::ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, "UninstallString").data,
              target_ + "\\QuorVEXSetup.exe -u" + std::string(1, '\0'));
    ExpectRowsThreeToFourteen(target_ + "\\");
  }
}

TEST_F(InstallRunTest, EmptyFolderFieldInstallsIntoTheCurrentFolder) {
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, previous);
  const std::string here = temp_.Path() + "\\Here";
  CreateDirectoryA(here.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(here.c_str()));
  // Relative names: "sub" is made below the current folder too.
  runtest::WriteSetupFile(setupFile_, kFiles);
  host_.SetFolderText("");
  Run();
  SetCurrentDirectoryA(previous);
  EXPECT_FALSE(host_.Failed());
  EXPECT_TRUE(host_.EventsOf("box").empty()) << ::testing::PrintToString(host_.EventsOf("box"));
  std::string list;
  ASSERT_TRUE(runtest::ReadBytes(here + "\\Uninstall.txt", list));
  EXPECT_EQ(list, "QuorVEXSetup.exe\nQuorvex.exe\ntool.exe\nreadme.txt\nsub\\data.bin\n");
  EXPECT_TRUE(FileExists(here + "\\readme.txt"));
  EXPECT_TRUE(FileExists(here + "\\sub\\data.bin"));
  EXPECT_EQ(runtest::ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, "UninstallString").data,
            std::string("QuorVEXSetup.exe -u") + std::string(1, '\0'));
  ExpectRowsThreeToFourteen("");
}

// While a box of the shortcut stage waits for the user, the uninstall list is closed: the
// user may look at it, and nothing keeps another program from it.
class ListWatchingHost : public RecordingRunHost {
 public:
  explicit ListWatchingHost(std::string listPath) : listPath_(std::move(listPath)) {}
  void ReportError(int messageId, const std::string& text) override {
    HANDLE list = CreateFileA(listPath_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    listFreeAtError.push_back(list != INVALID_HANDLE_VALUE);
    if (list != INVALID_HANDLE_VALUE) CloseHandle(list);
    RecordingRunHost::ReportError(messageId, text);
  }
  std::vector<bool> listFreeAtError;

 private:
  std::string listPath_;
};

TEST_F(InstallRunTest, TheListIsClosedWhileAShortcutStageBoxWaits) {
  for (const char* fault : {"desktop", "link"}) {
    SCOPED_TRACE(fault);
    TestFolders::desktopFails = std::string(fault) == "desktop";
    g_failingLink = std::string(fault) == "link" ? "\\tool.lnk" : "";
    ListWatchingHost host(Installed("Uninstall.txt"));
    host.SetFolderText(target_);
    RunInstallFrom(setupFile_, host, system_);
    EXPECT_EQ(host.listFreeAtError, std::vector<bool>{true});
  }
}

// Out of memory on the worker thread: the run fails with its box and still posts its
// completion, so the dialog returns to Ready instead of the process ending.
class OutOfMemoryHost : public RecordingRunHost {
 public:
  std::string FolderText(int) override { throw std::bad_alloc(); }
};

TEST_F(InstallRunTest, OutOfMemoryFailsTheRunAndStillPostsTheCompletion) {
  OutOfMemoryHost host;
  {
    RunInstallFrom(setupFile_, host, system_);
  }
  EXPECT_EQ(host.Events(), (std::vector<std::string>{Box(228), "failed", kClearedStatus, "completion"}));
}

}  // namespace
