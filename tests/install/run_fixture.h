// What the Windows tests of the runs share: a private folder, setup files made from a
// payload written here, the special folders pointed into the private folder, and reading
// back files and registry values.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "install/shell_folders.h"

namespace runtest {

// A fresh folder below the temporary folder, removed with all it holds at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  // The folder's path without a trailing "\".
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

void RemoveTree(const std::string& path);

// The Windows path (Z:...) of a Unix path named by an environment variable; empty if unset.
std::string WindowsPath(const char* variable);

struct PayloadFile {
  std::string name;  // relative, as stored
  std::string data;
  std::uint64_t writeTime = 0;  // FILETIME; 0 leaves the times as the writing sets them
};

// image followed by the payload archive of files (with its digest).
std::vector<std::uint8_t> SetupFileBytes(const std::vector<std::uint8_t>& image, const std::vector<PayloadFile>& files);
void WriteSetupFile(const std::string& path, const std::vector<PayloadFile>& files);

bool WriteBytes(const std::string& path, const std::string& bytes);
bool ReadBytes(const std::string& path, std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
std::uint64_t LastWriteTime(const std::string& path);

struct RegistryValue {
  bool present = false;
  DWORD type = 0;
  DWORD size = 0;
  std::string data;  // the bytes as stored (a terminator included when one was written)
};
RegistryValue ReadRegistryValue(HKEY root, const std::string& key, const char* valueName);
bool KeyExists(HKEY root, const std::string& key);
// The three keys the install run writes, deleted with their subkeys.
void DeleteProductKeys();

// The special folders of a test: paths it chooses, or unobtainable.
struct TestFolders {
  static std::string programs;
  static std::string desktop;
  static bool programsFails;
  static bool desktopFails;
  static void Reset(const std::string& root);  // Programs and Desktop folders made below root
  static const ShellFolders& Table();
};

}  // namespace runtest
