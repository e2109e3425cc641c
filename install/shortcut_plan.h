// Which shortcuts an installed file gets, and what counts as a created shortcut.
#pragma once

#include <string>

#include "text/lead_byte.h"

enum class ShortcutKind {
  None,         // not a program: no shortcut, only its uninstall-list line
  Uninstall,    // the setup program: the group's uninstall shortcut with "-u"
  MainProgram,  // QuorVEX.exe: the desktop shortcut and a group shortcut
  Program,      // any other program: a group shortcut
};

struct InstalledFileName {
  std::string baseName;   // file name without its extension
  std::string extension;  // from the last "." of the file name on, "" when there is none
};

// Splits the file name off a full path ("\", "/" or ":" end the folder part), walking whole
// characters so that a double-byte character is never cut.
InstalledFileName SplitInstalledFileName(const std::string& path, IsLeadByteFunction isLeadByte);

// ".exe" files get shortcuts; names are compared ignoring (ASCII) case.
ShortcutKind ShortcutKindFor(const InstalledFileName& name);

// groupFolder + "\" + baseName + ".lnk".
std::string GroupShortcutPath(const std::string& groupFolder, const std::string& baseName);

// A failed save still counts when the shell reports that the link file already exists.
constexpr bool SaveCountsAsCreated(bool saved, unsigned long lastError) {
  constexpr unsigned long kErrorAlreadyExists = 183;
  return saved || lastError == kErrorAlreadyExists;
}
