#include "tests/install/run_fixture.h"

#include <shlwapi.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include "app/settings_store.h"
#include "archive/archive_format.h"
#include "archive/archive_writer.h"
#include "install/registration_rows.h"
#include "platform/unique_handle.h"

namespace runtest {

namespace {

std::atomic<int> g_folderNumber{0};

}  // namespace

TempFolder::TempFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  for (;;) {
    path_ = std::string(temp) + "qxrun-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(g_folderNumber++);
    if (CreateDirectoryA(path_.c_str(), nullptr)) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

TempFolder::~TempFolder() { RemoveTree(path_); }

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileA(child.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

std::string WindowsPath(const char* variable) {
  const char* unixPath = std::getenv(variable);
  if (!unixPath || !*unixPath) return std::string();
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

namespace {

class VectorSink : public archive::ByteSink {
 public:
  explicit VectorSink(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
  bool Write(const std::uint8_t* bytes, std::size_t length) override {
    bytes_.insert(bytes_.end(), bytes, bytes + length);
    return true;
  }

 private:
  std::vector<std::uint8_t>& bytes_;
};

// A payload the test cannot write is the test's own fault; GoogleTest reports the exception.
void Require(archive::WriteResult result) {
  if (result != archive::WriteResult::kOk) throw std::logic_error(archive::Describe(result));
}

}  // namespace

std::vector<std::uint8_t> SetupFileBytes(const std::vector<std::uint8_t>& image, const std::vector<PayloadFile>& files) {
  std::vector<std::uint8_t> bytes(image);
  VectorSink sink(bytes);
  archive::ArchiveWriter writer(sink);
  for (const PayloadFile& file : files) {
    archive::EntryRecord record;
    record.attributes = FILE_ATTRIBUTE_ARCHIVE;
    record.creationTime = file.writeTime;
    record.lastAccessTime = file.writeTime;
    record.lastWriteTime = file.writeTime;
    record.fileSizeLow = static_cast<std::uint32_t>(file.data.size());
    std::memcpy(record.fileName.data(), file.name.data(), file.name.size());
    Require(writer.BeginEntry(record));
    Require(writer.WriteData(reinterpret_cast<const std::uint8_t*>(file.data.data()), file.data.size()));
  }
  Require(writer.Finish());
  return bytes;
}

void WriteSetupFile(const std::string& path, const std::vector<PayloadFile>& files) {
  const std::vector<std::uint8_t> bytes = SetupFileBytes(std::vector<std::uint8_t>(64, 'M'), files);
  WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  platform::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD written = 0;
  return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool ReadBytes(const std::string& path, std::string& bytes) {
  platform::UniqueFile file(
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  bytes.clear();
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  return true;
}

bool FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::uint64_t LastWriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

RegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* valueName) {
  RegistryValue value;
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return value;
  const platform::UniqueKey owner(opened);
  char data[4096];
  DWORD size = sizeof data;
  if (RegQueryValueExA(opened, valueName, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
    return value;
  value.present = true;
  value.size = size;
  value.data.assign(data, size);
  return value;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void DeleteProductKeys() {
  SHDeleteKeyA(HKEY_CURRENT_USER, kProductSettingsKey);
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, kClientRegistrationKey);
  SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
}

std::string TestFolders::programs;
std::string TestFolders::desktop;
bool TestFolders::programsFails = false;
bool TestFolders::desktopFails = false;

void TestFolders::Reset(const std::string& root) {
  programs = root + "\\Programs";
  desktop = root + "\\Desktop";
  CreateDirectoryA(programs.c_str(), nullptr);
  CreateDirectoryA(desktop.c_str(), nullptr);
  programsFails = false;
  desktopFails = false;
}

namespace {

bool Programs(std::string& folder) {
  if (TestFolders::programsFails) return false;
  folder = TestFolders::programs;
  return true;
}

bool Desktop(std::string& folder) {
  if (TestFolders::desktopFails) return false;
  folder = TestFolders::desktop;
  return true;
}

}  // namespace

const ShellFolders& TestFolders::Table() {
  static const ShellFolders table{&Programs, &Desktop};
  return table;
}

}  // namespace runtest
