#include "install/install_run.h"

#include "install/run_host.h"

void RunInstall(RunHost& host) { host.PostCompletion(); }
