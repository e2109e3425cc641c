// The registry rows the install run writes: the Add/Remove Programs entry and the Internet
// Call client registration that makes the main program the handler of callto links.
#pragma once

#include <cstdint>
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

// "DisplayName" and "UninstallString" of the Add/Remove Programs entry. targetFolder ends
// with "\" (or is empty); the command is not quoted.
std::vector<RegistryRow> UninstallEntryRows(const std::string& targetFolder, const std::string& displayName);

// What inventory and deployment tools read in the Add/Remove Programs entry beyond its
// two rows, and where it comes from.
struct InstallFacts {
  std::string targetFolder;  // ends with "\" (or is empty)
  std::string publisher;     // the maker's name in the current language
  std::string version;       // the setup program's version
  std::string installDate;   // yyyymmdd, local time
  std::uint64_t installedBytes = 0;
};

struct InventoryValue {
  std::string name;
  bool isNumber = false;  // REG_DWORD number, else REG_SZ text
  std::string text;
  std::uint32_t number = 0;
};

// DisplayIcon, DisplayVersion, Publisher, InstallLocation, InstallDate, EstimatedSize (KB,
// rounded up), QuietUninstallString (the uninstall command quoted, with /S), NoModify and
// NoRepair (1), in that order.
std::vector<InventoryValue> InventoryValues(const InstallFacts& facts);

// The eleven client-registration writes, in order, each its own key creation. folder ends
// with "\" (or is empty).
std::vector<RegistryRow> ClientRegistrationRows(const std::string& folder);

// Bytes RegSetValueExA is given for a REG_SZ text: the terminator counts, but an empty
// value has no data at all (size 0).
unsigned long RegistryDataSize(const std::string& data);
