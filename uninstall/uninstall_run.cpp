#include "uninstall/uninstall_run.h"

#include "install/run_host.h"

void RunUninstall(RunHost& host) { host.PostCompletion(); }
