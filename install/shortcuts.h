// The shortcut stage of the install run: the program group in the Start menu, a shortcut
// for every installed program, the desktop shortcut of the main program, and the uninstall
// list written along the way.
#pragma once

#include <string>

#include "install/shell_folders.h"

class PayloadArchive;
class RunHost;

// A shell link at linkPath to targetPath (arguments may be null): 1 when saved, also when
// the save failed because the link file exists already; 0 otherwise. COM must be
// initialised on the calling thread.
int CreateShortcut(const char* linkPath, const char* targetPath, const char* description, const char* arguments);

using CreateShortcutFunction = int (*)(const char* linkPath, const char* targetPath, const char* description,
                                       const char* arguments);

// What the stage asks of the system; tests replace a piece to make it fail.
struct ShortcutSystem {
  ShellFolders folders;
  CreateShortcutFunction createShortcut;
};
ShortcutSystem RealShortcutSystem();

// The program group folder below the Programs folder: maker folder (catalog 371) and
// "QuorVEX", no trailing "\".
std::string ProgramGroupFolder(const std::string& programsFolder);

// Runs only when the host's failure flag is clear. Every failure shows its box, sets the
// flag and ends the stage; what was created before it stays.
void RunShortcutStage(const PayloadArchive& archive, const std::string& targetFolder, RunHost& host,
                      const ShortcutSystem& system);
