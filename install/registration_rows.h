// The registry rows the install run writes: the Add/Remove Programs entry and the Internet
// Call client registration that makes the main program the handler of callto links.
#pragma once

#include <string>
#include <vector>

enum class RegistryRoot { CurrentUser, LocalMachine };

struct RegistryRow {
  RegistryRoot root;
  std::string key;
  std::string valueName;  // empty: the key's default (unnamed) value
  std::string data;       // REG_SZ text; empty text is stored with no data at all
};

constexpr char kUninstallEntryKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorVEX";
constexpr char kClientRegistrationKey[] = "Software\\Clients\\Internet Call\\Quorvex";
// The settings key without its trailing backslash, as the uninstall run deletes it.
constexpr char kProductSettingsKey[] = "SOFTWARE\\VELDRANOS\\QUORVEX";

// "DisplayName" and "UninstallString" of the Add/Remove Programs entry. targetFolder ends
// with "\" (or is empty); the command is not quoted.
std::vector<RegistryRow> UninstallEntryRows(const std::string& targetFolder, const std::string& displayName);

// The eleven client-registration writes, in order, each its own key creation. folder ends
// with "\" (or is empty).
std::vector<RegistryRow> ClientRegistrationRows(const std::string& folder);

// Bytes RegSetValueExA is given for a REG_SZ text: the terminator counts, but an empty
// value has no data at all (size 0).
unsigned long RegistryDataSize(const std::string& data);
