#include "install/setup_file_path.h"

#include <windows.h>

#include <vector>

namespace {

// Offset just past the last "\", "/" or ":" of path, walking whole characters.
std::string::size_type FileNameOffset(const std::string& path) {
  std::string::size_type nameStart = 0;
  for (const char* p = path.c_str(); *p; p = CharNextA(p)) {
    if (*p == '\\' || *p == '/' || *p == ':') nameStart = static_cast<std::string::size_type>(p - path.c_str()) + 1;
  }
  return nameStart;
}

}  // namespace

std::string GetFolderOfPath(const std::string& fullPath) { return fullPath.substr(0, FileNameOffset(fullPath)); }

std::string RunningSetupFilePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) break;
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  const std::string modulePath(path.data());
  const std::string::size_type nameStart = FileNameOffset(modulePath);
  std::string baseName = modulePath.substr(nameStart);
  const std::string::size_type dot = baseName.rfind('.');
  if (dot != std::string::npos) baseName.erase(dot);
  return modulePath.substr(0, nameStart) + baseName + ".exe";
}
