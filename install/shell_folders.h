// The user's special folders the shortcuts go into. The runs take them through this table
// so that tests can make a folder unobtainable; the default asks the shell.
#pragma once

#include <string>

struct ShellFolders {
  bool (*programs)(std::string& folder);  // Start menu Programs (CSIDL_PROGRAMS)
  bool (*desktop)(std::string& folder);   // the desktop directory (CSIDL_DESKTOPDIRECTORY)
};

// SHGetSpecialFolderPathA without an owner and without creating the folder.
const ShellFolders& SystemShellFolders();
