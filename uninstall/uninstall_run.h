// The uninstall run: removes what the install run put on the machine, on the worker thread.
#pragma once

#include "install/run_host.h"
#include "install/shell_folders.h"
#include "install/uninstall_list.h"

RunOutcome RunUninstall(RunHost& host);

// The same run with the special folders taken from folders (tests make one unobtainable)
// and the list read with readList (tests make a read fail).
RunOutcome RunUninstallWith(RunHost& host, const ShellFolders& folders, ListReadFunction readList = &ReadFile);
