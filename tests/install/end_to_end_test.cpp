// End to end under Wine: the shipping setup program's payload installed through the real
// run code into the prefix's own shell folders and registry, read back byte for byte, then
// uninstalled. Run once in English and once on a Japanese system (code page 932), where the
// group folder and the uninstall shortcut carry their Japanese names.
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "archive/archive_reader.h"
#include "install/install_run.h"
#include "platform/com.h"
#include "tests/install/run_fixture.h"
#include "tests/support/recording_run_host.h"
#include "tests/support/system_code_page.h"
#include "text/language.h"
#include "text/message_catalog.h"
#include "uninstall/uninstall_run.h"

using runtest::FileExists;
using runtest::FolderExists;
using runtest::KeyExists;
using runtest::ReadRegistryValue;

namespace {

std::string Environment(const char* name) {
  char value[2048];
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = "";
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

// UTF-8 text of this source file in the system's ANSI code page (932 on a Japanese system).
std::string Ansi(const char* utf8) {
  wchar_t wide[512];
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide, 512);
  char ansi[1024];
  if (length == 0 || WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, nullptr, nullptr) == 0) return "?";
  return ansi;
}

std::string Terminated(const std::string& text) { return text + std::string(1, '\0'); }

// One entry of the shipping payload, as the archive stores it.
struct Entry {
  std::string name;
  std::string data;
  archive::EntryRecord record;
};

class Collector : public archive::EntryVisitor {
 public:
  explicit Collector(std::vector<Entry>& entries) : entries_(entries) {}
  void OnEntryStart(const archive::EntryRecord&, const std::string&) override {}
  archive::EntryOutcome OnEntry(const archive::EntryRecord& record, const std::string& name,
                                archive::EntryData& data) override {
    Entry entry{name, std::string(), record};
    const std::uint8_t* chunk = nullptr;
    std::size_t length = 0;
    while (data.Next(chunk, length)) entry.data.append(reinterpret_cast<const char*>(chunk), length);
    entries_.push_back(entry);
    return data.Failed() ? archive::EntryOutcome::kFailed : archive::EntryOutcome::kDone;
  }
  void OnProgress(std::uint32_t, std::uint32_t) override {}

 private:
  std::vector<Entry>& entries_;
};

std::vector<Entry> PayloadEntries(const std::string& setupFile) {
  std::string bytes;
  std::vector<Entry> entries;
  if (!runtest::ReadBytes(setupFile, bytes)) return entries;
  archive::MemorySource source(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  archive::ArchiveLocation location;
  if (archive::LocateArchive(source, location) != archive::ReadResult::kOk) return entries;
  Collector collector(entries);
  std::vector<std::uint8_t> buffer(archive::kChunkSize);
  archive::WalkEntries(source, location, collector, buffer.data(), buffer.size());
  return entries;
}

std::uint64_t Value(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

// What a shell link file holds, read back through the shell's own link object.
struct LinkContent {
  bool loaded = false;
  std::string path, arguments, description, workingFolder, iconFile;
  int iconIndex = -1;
  int showCommand = -1;
};

LinkContent ReadLink(const std::string& linkPath) {
  LinkContent content;
  platform::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.ReceiveVoid())))
    return content;
  platform::ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) return content;
  wchar_t wide[MAX_PATH];
  if (MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH) == 0) return content;
  if (FAILED(file->Load(wide, STGM_READ))) return content;
  content.loaded = true;
  char text[1024];
  if (link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH) == S_OK) content.path = text;
  if (SUCCEEDED(link->GetArguments(text, sizeof text))) content.arguments = text;
  if (SUCCEEDED(link->GetDescription(text, sizeof text))) content.description = text;
  if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) content.workingFolder = text;
  if (SUCCEEDED(link->GetIconLocation(text, sizeof text, &content.iconIndex))) content.iconFile = text;
  link->GetShowCmd(&content.showCommand);
  return content;
}

// The names of a folder's entries, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setupFile_ = Environment("QX_SHIPPING_SETUP");
    payloadFolder_ = Environment("QX_SHIPPING_PAYLOAD");
    if (setupFile_.empty() || payloadFolder_.empty()) GTEST_SKIP() << "QX_SHIPPING_SETUP and QX_SHIPPING_PAYLOAD unset";
    ASSERT_TRUE(testsupport::SystemHasExpectedCodePage()) << "the Japanese entry runs on code page " << GetACP();
    // The program's own language rule: no LANGTYPE once the product keys are gone, so the
    // OEM code page decides.
    runtest::DeleteProductKeys();
    language::SetIndex(language::LanguageIndexFor(0, GetOEMCP()));
    programs_ = SpecialFolder(CSIDL_PROGRAMS);
    desktop_ = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    ASSERT_FALSE(programs_.empty());
    ASSERT_FALSE(desktop_.empty());
    ASSERT_TRUE(FolderExists(programs_));
    ASSERT_TRUE(FolderExists(desktop_));
    // What an earlier, interrupted run may have left in the prefix's shell folders.
    RemoveLinksAndGroup();
    vendorKeyExisted_ = KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS");
    clientsKeyExisted_ = KeyExists(HKEY_LOCAL_MACHINE, "Software\\Clients\\Internet Call");
    target_ = temp_.Path() + "\\QuorVEX";
    entries_ = PayloadEntries(setupFile_);
    ASSERT_FALSE(entries_.empty());
  }

  void TearDown() override {
    if (setupFile_.empty()) return;
    runtest::DeleteProductKeys();
    if (!vendorKeyExisted_) SHDeleteKeyA(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS");
    if (!clientsKeyExisted_) SHDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Clients\\Internet Call");
    RemoveLinksAndGroup();
  }

  std::string Maker() const { return programs_ + "\\" + Ansi(japanese_ ? "ヴェルドラノスシステム" : "Veldranos system"); }
  std::string Group() const { return Maker() + "\\QuorVEX"; }
  std::string UninstallLink() const {
    return Group() + "\\" + Ansi(japanese_ ? "QuorVEXのアンインストール.lnk" : "QuorVEX Uninstall.lnk");
  }
  std::string Installed(const std::string& name) const { return target_ + "\\" + name; }

  void RemoveLinksAndGroup() {
    for (bool japanese : {false, true}) {
      japanese_ = japanese;
      for (const std::string& name : FolderEntries(Group())) DeleteFileA((Group() + "\\" + name).c_str());
      RemoveDirectoryA(Group().c_str());
      RemoveDirectoryA(Maker().c_str());
    }
    japanese_ = GetACP() == language::kJapaneseCodePage;
    DeleteFileA((desktop_ + "\\QuorVEX.lnk").c_str());
  }

  void ExpectLink(const std::string& linkPath, const std::string& target, const std::string& arguments) {
    SCOPED_TRACE(linkPath);
    const LinkContent link = ReadLink(linkPath);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ(link.path, target);
    EXPECT_EQ(link.arguments, arguments);
    const std::string base = target.substr(target.rfind('\\') + 1, target.rfind('.') - target.rfind('\\') - 1);
    EXPECT_EQ(link.description, base);
    EXPECT_EQ(link.workingFolder, "");
    EXPECT_EQ(link.iconFile, target);
    EXPECT_EQ(link.iconIndex, 0);
    // The link file holds only normal, maximised or minimised; SW_SHOW reads back as normal.
    EXPECT_EQ(link.showCommand, SW_SHOWNORMAL);
  }

  void ExpectRow(HKEY root, const std::string& key, const char* valueName, const std::string& data) {
    SCOPED_TRACE(key + " / " + (valueName ? valueName : "(default)"));
    const runtest::RegistryValue value = ReadRegistryValue(root, key, valueName);
    ASSERT_TRUE(value.present);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    // An empty value is stored with no data at all: size 0, not a lone terminator.
    EXPECT_EQ(value.size, data.empty() ? 0u : data.size() + 1);
    EXPECT_EQ(value.data, data.empty() ? std::string() : Terminated(data));
  }

  runtest::TempFolder temp_;
  std::string setupFile_, payloadFolder_, programs_, desktop_, target_;
  std::vector<Entry> entries_;
  bool japanese_ = false;
  bool vendorKeyExisted_ = false;
  bool clientsKeyExisted_ = false;
};

// The files below a folder, by their paths relative to it ("sub\\name"), sorted.
std::vector<std::string> FilesBelow(const std::string& folder, const std::string& prefix = std::string()) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const std::string& inner : FilesBelow(folder + "\\" + name, prefix + name + "\\")) files.push_back(inner);
    } else {
      files.push_back(prefix + name);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  std::sort(files.begin(), files.end());
  return files;
}

TEST_F(EndToEndTest, InstallsTheShippingPayloadThenUninstallsIt) {
  ASSERT_EQ(language::Index(), japanese_ ? language::kJapanese : language::kEnglish);
  const platform::ComApartment com;  // for reading the links back
  const std::string folder = target_ + "\\";

  RecordingRunHost host(target_);
  {
    RunInstallFrom(setupFile_, host, RealInstallSystem());
  }
  EXPECT_TRUE(host.EventsOf("box").empty()) << ::testing::PrintToString(host.EventsOf("box"));
  EXPECT_FALSE(host.Failed());
  EXPECT_EQ(host.CompletionCount(), 1);
  ASSERT_FALSE(host.EventsOf("status").empty());
  EXPECT_EQ(host.EventsOf("status").back(), CatalogText(433));

  // The files: the payload's bytes (which are the staged product's), its times to the second.
  std::string expectedList;
  std::vector<std::string> madeFolders;
  for (const Entry& entry : entries_) {
    SCOPED_TRACE(entry.name);
    const std::string path = Installed(entry.name);
    // Times first: reading the file may move its last-access time.
    WIN32_FILE_ATTRIBUTE_DATA installed;
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &installed));
    EXPECT_EQ(Value(installed.ftLastWriteTime), archive::WholeSeconds(entry.record.lastWriteTime));
    EXPECT_EQ(Value(installed.ftLastAccessTime), archive::WholeSeconds(entry.record.lastAccessTime));
    WIN32_FILE_ATTRIBUTE_DATA staged;
    ASSERT_TRUE(GetFileAttributesExA((payloadFolder_ + "\\" + entry.name).c_str(), GetFileExInfoStandard, &staged));
    EXPECT_EQ(archive::WholeSeconds(Value(staged.ftLastWriteTime)), archive::WholeSeconds(entry.record.lastWriteTime));
    std::string bytes, stagedBytes;
    ASSERT_TRUE(runtest::ReadBytes(path, bytes));
    ASSERT_TRUE(runtest::ReadBytes(payloadFolder_ + "\\" + entry.name, stagedBytes));
    EXPECT_EQ(bytes, entry.data);
    EXPECT_EQ(bytes, stagedBytes);
    expectedList += path + "\n";
    const std::size_t separator = entry.name.find_first_of("\\/");
    if (separator != std::string::npos) madeFolders.push_back(entry.name.substr(0, separator));
  }
  std::string list;
  ASSERT_TRUE(runtest::ReadBytes(folder + "Uninstall.txt", list));
  EXPECT_EQ(list, expectedList);
  // The installed tree against the staged product itself, not only against what the reader
  // under test says the payload holds: no file missing, none extra, every byte the same.
  std::vector<std::string> installedFiles = FilesBelow(target_);
  installedFiles.erase(std::remove(installedFiles.begin(), installedFiles.end(), "Uninstall.txt"),
                       installedFiles.end());
  const std::vector<std::string> stagedFiles = FilesBelow(payloadFolder_);
  ASSERT_FALSE(stagedFiles.empty());
  EXPECT_EQ(installedFiles, stagedFiles);
  for (const std::string& name : stagedFiles) {
    std::string installedBytes, stagedBytes;
    ASSERT_TRUE(runtest::ReadBytes(Installed(name), installedBytes)) << name;
    ASSERT_TRUE(runtest::ReadBytes(payloadFolder_ + "\\" + name, stagedBytes)) << name;
    EXPECT_TRUE(installedBytes == stagedBytes) << name;
  }

  // The shortcuts: exactly the main program's two and the setup program's uninstall one.
  ExpectLink(desktop_ + "\\QuorVEX.lnk", Installed("QuorVEX.exe"), "");
  ExpectLink(Group() + "\\QuorVEX.lnk", Installed("QuorVEX.exe"), "");
  ExpectLink(UninstallLink(), Installed("QuorVEXSetup.exe"), "-u");
  std::vector<std::string> groupEntries = FolderEntries(Group());
  std::sort(groupEntries.begin(), groupEntries.end());
  std::vector<std::string> expectedGroup = {"QuorVEX.lnk", UninstallLink().substr(Group().size() + 1)};
  std::sort(expectedGroup.begin(), expectedGroup.end());
  EXPECT_EQ(groupEntries, expectedGroup);

  // The fourteen registry rows, byte for byte.
  const std::string uninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorVEX";
  ExpectRow(HKEY_CURRENT_USER, uninstallKey, "DisplayName",
            Ansi(japanese_ ? "QuorVEXのアンインストール" : "Uninstallation of QuorVEX"));
  ExpectRow(HKEY_CURRENT_USER, uninstallKey, "UninstallString", folder + "QuorVEXSetup.exe -u");
  ExpectRow(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\MAIN", "SETUPFOLDER", folder);
  const std::string client = "Software\\Clients\\Internet Call\\Quorvex";
  const std::string program = folder + "Quorvex.exe";
  ExpectRow(HKEY_LOCAL_MACHINE, client, nullptr, "Quorvex");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\shell", nullptr, "");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\shell\\open", nullptr, "");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\shell\\open\\command", nullptr, "\"" + program + "\"");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols", nullptr, "");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols\\callto", nullptr, "URL: CallTo Protocol");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols\\callto", "URL Protocol", "");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols\\callto\\defaulticon", nullptr, "\"" + program + "\",1");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols\\callto\\shell", nullptr, "");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols\\callto\\shell\\open", nullptr, "");
  ExpectRow(HKEY_LOCAL_MACHINE, client + "\\Protocols\\callto\\shell\\open\\command", nullptr, program + " %l");

  // The uninstall run, with the folder field filled from the recorded setting as the
  // dialog fills it in uninstall mode.
  const runtest::RegistryValue recorded =
      ReadRegistryValue(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\MAIN", "SETUPFOLDER");
  RecordingRunHost uninstall(recorded.data.c_str());
  {
    RunUninstall(uninstall);
  }
  std::vector<std::string> expected = {std::string("status:") + CatalogText(719)};
  for (const Entry& entry : entries_) expected.push_back("status:" + Installed(entry.name));
  for (int id : {308, 152, 438, 402, 303}) expected.push_back(std::string("status:") + CatalogText(id));
  expected.push_back("completion");
  EXPECT_EQ(uninstall.Events(), expected);

  // What remains: the setup folder with the empty folders extraction made, the parents of
  // the deleted keys, and the Programs folder.
  for (const Entry& entry : entries_) EXPECT_FALSE(FileExists(Installed(entry.name))) << entry.name;
  std::vector<std::string> remaining = FolderEntries(target_);
  std::sort(remaining.begin(), remaining.end());
  std::sort(madeFolders.begin(), madeFolders.end());
  madeFolders.erase(std::unique(madeFolders.begin(), madeFolders.end()), madeFolders.end());
  EXPECT_EQ(remaining, madeFolders);
  for (const std::string& made : madeFolders) EXPECT_TRUE(FolderEntries(Installed(made)).empty()) << made;
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, client));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, uninstallKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Clients\\Internet Call"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"));
  EXPECT_FALSE(FileExists(desktop_ + "\\QuorVEX.lnk"));
  EXPECT_FALSE(FolderExists(Group()));
  EXPECT_FALSE(FolderExists(Maker()));
  EXPECT_TRUE(FolderExists(programs_));
}

}  // namespace
