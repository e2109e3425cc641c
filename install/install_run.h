// The install run: a whole installation, on the worker thread of the dialog or on the
// unattended front end's thread.
#pragma once

#include <string>

#include "install/registration.h"
#include "install/run_host.h"
#include "install/shortcuts.h"

// Installs the payload of the running setup program.
RunOutcome RunInstall(RunHost& host);

// What the run asks of the system besides files; tests replace pieces to make them fail.
struct InstallSystem {
  ShortcutSystem shortcuts;
  RegistryWriter registry;
};
InstallSystem RealInstallSystem();

// The same run with the payload of another setup file.
RunOutcome RunInstallFrom(const std::string& setupFilePath, RunHost& host, const InstallSystem& system);
