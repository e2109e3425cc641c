// Where the running setup program's own file is.
#pragma once

#include <string>

// The drive and folder of fullPath, ending with its separator ("C:\dir\" for "C:\dir\a.exe");
// empty when the path names no folder. Double-byte characters are never split, so a trail
// byte 0x5C is not taken for a separator.
std::string GetFolderOfPath(const std::string& fullPath);

// The running program's module folder, its base name and ".exe": the program's own file,
// whatever name it was stored under.
std::string RunningSetupFilePath();
