// The unattended front end as a deployment tool uses it: the shipping setup program run
// with /S, /D= and /LOG=, no display at all, its exit code, what it installed, the values
// Windows and inventory tools read, the log; then removed by the quiet uninstall command
// read back from the registry.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/settings_store.h"
#include "install/registration_rows.h"
#include "tests/install/run_fixture.h"
#include "tests/support/system_code_page.h"
#include "text/language.h"
#include "text/message_catalog.h"

namespace {

using runtest::FileExists;
using runtest::ReadRegistryValue;

constexpr DWORD kRunTimeoutMs = 120000;

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

// Runs a command line and returns its exit code; -1 when it could not start or end.
int RunCommand(const std::string& commandLine) {
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, kRunTimeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &code);
  else TerminateProcess(process.hProcess, 99);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

// The log's lines of one kind, without the time stamp and the kind.
std::vector<std::string> LogOf(const std::string& log, const std::string& kind) {
  std::vector<std::string> texts;
  for (const std::string& line : Lines(log)) {
    // "yyyy-mm-dd hh:mm:ss kind text"
    if (line.size() < 20 || line[4] != '-' || line[13] != ':' || line[19] != ' ') continue;
    const std::string rest = line.substr(20);
    if (rest.compare(0, kind.size() + 1, kind + " ") == 0) texts.push_back(rest.substr(kind.size() + 1));
  }
  return texts;
}

// A catalog text of the current language as UTF-8, as the log writes it.
std::string Utf8(const char* ansi) {
  wchar_t wide[1024];
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 1024);
  char utf8[2048];
  WideCharToMultiByte(CP_UTF8, 0, wide, wideLength, utf8, sizeof utf8, nullptr, nullptr);
  return utf8;
}

class UnattendedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testsupport::SystemHasExpectedCodePage()) << "the Japanese entry runs on code page " << GetACP();
    setup_ = runtest::WindowsPath("QX_PACKED_SETUP_EXE");
    ASSERT_TRUE(FileExists(setup_)) << "QX_PACKED_SETUP_EXE names the shipping setup program";
    runtest::DeleteProductKeys();
    language::SetIndex(language::LanguageIndexFor(0, GetOEMCP()));
    log_ = temp_.Path() + "\\setup.log";
    RemoveShortcuts();
  }
  void TearDown() override {
    RemoveShortcuts();
    runtest::DeleteProductKeys();
  }

  void RemoveShortcuts() const {
    DeleteFileA(DesktopShortcut().c_str());
    runtest::RemoveTree(SpecialFolder(CSIDL_PROGRAMS) + CatalogText(31));
  }
  std::string DesktopShortcut() const { return SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\QuorVEX.lnk"; }

  int Install(const std::string& switches, const std::string& folder) const {
    return RunCommand("\"" + setup_ + "\" " + switches + " /LOG=\"" + log_ + "\" /D=" + folder);
  }
  std::string Log() const {
    std::string bytes;
    return runtest::ReadBytes(log_, bytes) ? bytes : std::string();
  }

  runtest::TempFolder temp_;
  std::string setup_;
  std::string log_;
};

const char* const kProductFiles[] = {"QuorVEX.exe", "QuorVEXSetup.exe", "readme.txt", "bin\\quorvex_codec.dll"};

TEST_F(UnattendedTest, InstallsIntoAFolderWithSpacesThenTheQuietUninstallStringRemovesIt) {
  const std::string folder = temp_.Path() + "\\Program Files\\Quor VEX";
  ASSERT_EQ(Install("/S", folder), 0) << Log();

  // The files, the shortcuts, the two rows and what Windows and inventory tools read.
  std::uint64_t bytes = 0;
  for (const char* name : kProductFiles) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA((folder + "\\" + name).c_str(), GetFileExInfoStandard, &data)) << name;
    bytes += data.nFileSizeLow;
  }
  EXPECT_TRUE(FileExists(DesktopShortcut()));
  EXPECT_TRUE(FileExists(SpecialFolder(CSIDL_PROGRAMS) + CatalogText(32) + "\\QuorVEX.lnk"));
  const auto value = [](const char* name) { return ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, name); };
  const auto text = [](const std::string& t) { return t + std::string(1, '\0'); };
  const std::string withSeparator = folder + "\\";
  EXPECT_EQ(value("DisplayName").data, text(CatalogText(140)));
  EXPECT_EQ(value("UninstallString").data, text(withSeparator + "QuorVEXSetup.exe -u"));
  EXPECT_EQ(value("DisplayIcon").data, text(withSeparator + "Quorvex.exe"));
  EXPECT_EQ(value("DisplayVersion").data, text("1.0.0.0"));
  EXPECT_EQ(value("Publisher").data, text(CatalogText(371)));
  EXPECT_EQ(value("InstallLocation").data, text(withSeparator));
  const std::string date = value("InstallDate").data;
  ASSERT_EQ(date.size(), 9u);
  SYSTEMTIME today;
  GetLocalTime(&today);
  EXPECT_EQ(std::atoi(date.substr(0, 4).c_str()), today.wYear);
  const runtest::RegistryValue size = value("EstimatedSize");
  ASSERT_EQ(size.type, static_cast<DWORD>(REG_DWORD));
  const DWORD kilobytes = static_cast<DWORD>((bytes + 1023) / 1024);
  EXPECT_EQ(size.data, std::string(reinterpret_cast<const char*>(&kilobytes), sizeof kilobytes));
  for (const char* flag : {"NoModify", "NoRepair"}) {
    const runtest::RegistryValue one = value(flag);
    EXPECT_EQ(one.type, static_cast<DWORD>(REG_DWORD)) << flag;
    EXPECT_EQ(one.data, std::string("\x01\0\0\0", 4)) << flag;
  }
  const std::string quiet = value("QuietUninstallString").data;
  EXPECT_EQ(quiet, text("\"" + withSeparator + "QuorVEXSetup.exe\" -u /S"));
  EXPECT_EQ(ReadRegistryValue(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\MAIN", "SETUPFOLDER").data,
            text(withSeparator));
  for (const RegistryRow& row : ClientRegistrationRows(withSeparator)) {
    const runtest::RegistryValue written =
        ReadRegistryValue(HKEY_LOCAL_MACHINE, row.key, row.valueName.empty() ? nullptr : row.valueName.c_str());
    EXPECT_TRUE(written.present) << row.key << " " << row.valueName;
    EXPECT_EQ(written.data, row.data.empty() ? std::string() : text(row.data)) << row.key;
  }

  // The log: the start, a status and a progress line per entry, the result.
  const std::string log = Log();
  ASSERT_EQ(LogOf(log, "start").size(), 1u) << log;
  EXPECT_EQ(LogOf(log, "progress").size(), 4u) << log;
  EXPECT_EQ(LogOf(log, "progress").back(), "4/4");
  const std::vector<std::string> statuses = LogOf(log, "status");
  ASSERT_FALSE(statuses.empty());
  EXPECT_EQ(statuses.front(), Utf8(CatalogText(719)));
  EXPECT_EQ(statuses.back(), Utf8(CatalogText(433)));
  EXPECT_EQ(LogOf(log, "result"), std::vector<std::string>{"succeeded"});
  EXPECT_TRUE(LogOf(log, "error").empty()) << log;

  // The quiet uninstall command, exactly as the registry holds it.
  ASSERT_EQ(RunCommand(quiet.substr(0, quiet.size() - 1) + " /LOG=\"" + log_ + "\""), 0) << Log();
  // What the dialog's uninstall removes; the running uninstaller itself stays, as there.
  for (const char* name : {"QuorVEX.exe", "readme.txt", "bin\\quorvex_codec.dll", "Uninstall.txt"})
    EXPECT_FALSE(FileExists(folder + "\\" + name)) << name;
  EXPECT_FALSE(FileExists(DesktopShortcut()));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kProductSettingsKey));
  EXPECT_FALSE(runtest::KeyExists(HKEY_LOCAL_MACHINE, kClientRegistrationKey));
  EXPECT_EQ(LogOf(Log(), "result"), std::vector<std::string>{"succeeded"});
}

// A damaged payload: nothing is written, the log names message 436 and the stage.
TEST_F(UnattendedTest, ADamagedSetupFileFailsWithExitOneAndMessage436InTheLog) {
  std::string bytes;
  ASSERT_TRUE(runtest::ReadBytes(setup_, bytes));
  bytes[bytes.size() - 2000] ^= 0x40;  // inside the last entry's data
  const std::string damaged = temp_.Path() + "\\damaged.exe";
  ASSERT_TRUE(runtest::WriteBytes(damaged, bytes));
  setup_ = damaged;
  const std::string folder = temp_.Path() + "\\Damaged";
  EXPECT_EQ(Install("/S", folder), 1);
  const std::string log = Log();
  ASSERT_EQ(LogOf(log, "error").size(), 1u) << log;
  EXPECT_EQ(LogOf(log, "error")[0], "436: " + Utf8(CatalogText(436)));
  EXPECT_EQ(LogOf(log, "result"), std::vector<std::string>{"failed in stage extraction"});
  EXPECT_FALSE(FileExists(folder + "\\QuorVEX.exe"));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
}

// A disk that refuses a write (the fixture links readme.txt to /dev/full) over an earlier
// install: exit 1, the system's reason in the log, the earlier list kept.
TEST_F(UnattendedTest, AFullDiskFailsWithExitOneAndKeepsTheEarlierList) {
  const std::string folder = runtest::WindowsPath("QX_FULL_DISK_FOLDER");
  ASSERT_FALSE(folder.empty()) << "QX_FULL_DISK_FOLDER names the fixture's folder";
  std::string earlier;
  ASSERT_TRUE(runtest::ReadBytes(folder + "\\Uninstall.txt", earlier));
  EXPECT_EQ(Install("/S", folder), 1);
  const std::string log = Log();
  ASSERT_EQ(LogOf(log, "system-error").size(), 1u) << log;
  EXPECT_EQ(LogOf(log, "system-error")[0].rfind("112: ", 0), 0u) << log;
  EXPECT_EQ(LogOf(log, "result"), std::vector<std::string>{"failed in stage extraction"});
  std::string kept;
  ASSERT_TRUE(runtest::ReadBytes(folder + "\\Uninstall.txt", kept));
  EXPECT_EQ(kept, earlier);
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
}

// Lines an unattended run cannot carry out end with exit code 2 and touch nothing.
TEST_F(UnattendedTest, ABadCommandLineExitsWithTwoAndInstallsNothing) {
  const std::string folder = temp_.Path() + "\\Refused";
  for (const std::string& switches : {std::string("/S /bogus"), std::string("/S extra"), std::string("-u /S /X")}) {
    SCOPED_TRACE(switches);
    EXPECT_EQ(Install(switches, folder), 2);
    EXPECT_EQ(LogOf(Log(), "result").size(), 1u);
    EXPECT_EQ(LogOf(Log(), "result")[0].rfind("command line refused: unknown switch", 0), 0u) << Log();
  }
  EXPECT_EQ(RunCommand("\"" + setup_ + "\" /S /D="), 2);
  EXPECT_FALSE(runtest::FolderExists(folder));
  EXPECT_FALSE(runtest::KeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
}

// On a Japanese system: a folder with a trail byte 0x5C ("表") and a space, the Japanese
// status texts in the log as UTF-8.
TEST_F(UnattendedTest, JapaneseFolderAndLogInUtf8) {
  if (GetACP() != 932) GTEST_SKIP() << "the Japanese entry runs this (LC_ALL=ja_JP.UTF-8)";
  const std::string folder = temp_.Path() + "\\\x95\x5C \x8E\xA6";  // "表 示"
  ASSERT_EQ(Install("/S", folder), 0) << Log();
  EXPECT_TRUE(FileExists(folder + "\\QuorVEX.exe"));
  EXPECT_EQ(ReadRegistryValue(HKEY_CURRENT_USER, kUninstallEntryKey, "UninstallString").data,
            folder + "\\QuorVEXSetup.exe -u" + std::string(1, '\0'));
  const std::vector<std::string> statuses = LogOf(Log(), "status");
  ASSERT_FALSE(statuses.empty());
  EXPECT_EQ(statuses.front(), "初期化中...");  // this source is UTF-8, as the log is
  EXPECT_EQ(statuses.back(), "セットアップが終了しました。");
  EXPECT_NE(Log().find("\xE8\xA1\xA8 \xE7\xA4\xBA"), std::string::npos) << "the folder in UTF-8";
  ASSERT_EQ(RunCommand("\"" + folder + "\\QuorVEXSetup.exe\" -u /S"), 0);
  EXPECT_FALSE(FileExists(folder + "\\QuorVEX.exe"));
}

}  // namespace
