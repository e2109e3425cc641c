// The folder a run starts from before anyone types one: both front ends use this rule.
#pragma once

#include <string>

// The product's default folder for a first install.
constexpr char kDefaultSetupFolder[] = "c:\\Program Files\\QuorVEX";

// The stored SETUPFOLDER; for an install without one, the default. The uninstall takes
// what is stored, even nothing: it removes only what was installed.
std::string InitialSetupFolder(bool uninstallMode);
