// The payload archive appended behind the setup program's image, and the list of the
// files its extraction installed.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class RunHost;

class PayloadArchive {
 public:
  PayloadArchive();
  ~PayloadArchive();
  PayloadArchive(const PayloadArchive&) = delete;
  PayloadArchive& operator=(const PayloadArchive&) = delete;

  // The extraction stage of the install run: reads the setup file at setupFilePath and
  // writes every entry below targetFolder (which ends with "\", or is empty). Reports each
  // entry's name and progress through host; every failure is shown once and sets the
  // host's failure flag, so the later stages never take a partial install for a whole one.
  void ExtractSetupFile(const std::string& setupFilePath, const std::string& targetFolder, RunHost& host);

  // 1 when every folder on the way to the file path exists afterwards, 0 otherwise. A
  // folder this extraction made or found already is not asked for again.
  int MakeFolders(const char* path);

  // Installed-files list, in extraction order.
  int AddInstalledFile(const char* path);
  // Copies the path with that index into out and returns out's text; null when there is none.
  const char* GetInstalledFile(int index, std::string& out) const;
  void ClearInstalledFiles();
  // The bytes of the files the extraction wrote, for the Add/Remove Programs entry's size.
  std::uint64_t InstalledBytes() const { return installedBytes_; }
  void CountInstalledBytes(std::uint64_t bytes) { installedBytes_ += bytes; }

 private:
  std::vector<std::string> installedFiles_;
  std::uint64_t installedBytes_ = 0;
  std::unordered_set<std::string> foldersThere_;
};
