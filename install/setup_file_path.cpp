#include "install/setup_file_path.h"

#include <windows.h>

#include <vector>

#include "install/target_folder.h"
#include "text/path_walk.h"

std::string GetFolderOfPath(const std::string& fullPath) {
  return fullPath.substr(0, FileNameStart(fullPath, IsSystemLeadByte));
}

std::string RunningSetupFilePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) break;
    path.resize(path.size() * 2);  // truncated: try a larger buffer
  }
  const std::string modulePath(path.data());
  const std::string::size_type nameStart = FileNameStart(modulePath, IsSystemLeadByte);
  std::string baseName = modulePath.substr(nameStart);
  const std::string::size_type dot = baseName.rfind('.');
  if (dot != std::string::npos) baseName.erase(dot);
  return modulePath.substr(0, nameStart) + baseName + ".exe";
}
