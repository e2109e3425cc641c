#include "install/shell_folders.h"

#include <windows.h>
#include <shlobj.h>

namespace {

bool SpecialFolder(int csidl, std::string& folder) {
  char path[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return false;
  folder = path;
  return true;
}

bool Programs(std::string& folder) { return SpecialFolder(CSIDL_PROGRAMS, folder); }
bool Desktop(std::string& folder) { return SpecialFolder(CSIDL_DESKTOPDIRECTORY, folder); }

}  // namespace

const ShellFolders& SystemShellFolders() {
  static const ShellFolders folders{&Programs, &Desktop};
  return folders;
}
