// The install run: a whole installation, on the worker thread.
#pragma once

#include <string>

#include "install/registration.h"
#include "install/shortcuts.h"

class RunHost;

// Installs the payload of the running setup program.
void RunInstall(RunHost& host);

// What the run asks of the system besides files; tests replace pieces to make them fail.
struct InstallSystem {
  ShortcutSystem shortcuts;
  RegistryWriter registry;
};
const InstallSystem& RealInstallSystem();

// The same run with the payload of another setup file.
void RunInstallFrom(const std::string& setupFilePath, RunHost& host, const InstallSystem& system);
