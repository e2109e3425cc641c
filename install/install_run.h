// The install run: a whole installation, on the worker thread.
#pragma once

class RunHost;

void RunInstall(RunHost& host);
