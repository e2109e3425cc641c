// The uninstall run: removes what the install run put on the machine, on the worker thread.
#pragma once

class RunHost;

void RunUninstall(RunHost& host);
