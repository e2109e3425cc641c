// The setup program's command line, read once at start-up for both front ends.
//
//   QuorVEXSetup.exe [-u]                      the dialog (uninstall mode with "-u"), as ever
//   QuorVEXSetup.exe [-u] /S [/LOG=<file>] [/D=<folder>]
//                                              the same run without any window
//   QuorVEXSetup.exe /?                        the usage, in a box
//
// Switches are case-insensitive. /D= comes last and takes the rest of the line unquoted, so
// the folder may hold spaces; /LOG= takes one word, or a quoted one.
#pragma once

#include <string>

#include "text/lead_byte.h"

namespace startup {

// The arguments of a command line: what follows the program name (quoted or not) and the
// blanks after it. The program's own path may contain "-u" and must not count.
const char* ArgumentsOf(const char* commandLine);

// True when the arguments contain "-u" anywhere, also inside a longer word.
bool SelectsUninstallMode(const char* arguments);

// The most characters the dialog's folder field takes; /D= holds to the same.
constexpr std::size_t kMaxFolderCharacters = 259;

struct LaunchOptions {
  enum class Mode {
    kDialog,      // no /S: the dialog, whatever else the line holds (as before /S existed)
    kUnattended,  // /S
    kUsage,       // /?
    kInvalid,     // /S with a line that cannot be carried out; error says why
  };
  Mode mode = Mode::kDialog;
  bool uninstall = false;
  bool hasFolder = false;  // /D= was given
  std::string folder;
  std::string logFile;  // empty: no log
  std::string error;
};

// The arguments in the system's ANSI code page, whose double-byte characters isLeadByte
// tells (a folder is measured in characters, as the folder field measures it).
LaunchOptions ParseLaunchOptions(const char* arguments, IsLeadByteFunction isLeadByte);

}  // namespace startup
