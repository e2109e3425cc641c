// The registry stage of the install run: the Add/Remove Programs entry, the product
// setting SETUPFOLDER and the Internet Call client registration.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

class RunHost;

// The two registry calls the stage makes; tests replace them to make a key or a value
// fail, which the registry under Wine never does.
struct RegistryWriter {
  // RegCreateKeyExA: creates or opens root\path for writing.
  LONG (*createKey)(HKEY root, const char* path, HKEY* key);
  // RegSetValueExA; for REG_SZ data is null and size 0 for an empty value.
  LONG (*setValue)(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size);
};
const RegistryWriter& RealRegistryWriter();

// "DisplayName" and "UninstallString", then the values inventory tools read
// (InventoryValues), only when the failure flag is clear; failures show catalog 305 (the
// key) or 306 (a value) and set the flag. installedBytes: what the extraction wrote.
void WriteUninstallEntry(const std::string& targetFolder, std::uint64_t installedBytes, RunHost& host,
                         const RegistryWriter& registry);

// MAIN\SETUPFOLDER of the product settings.
void WriteSetupFolderSetting(const std::string& folder);

// The eleven Internet Call writes; a failing key or value is passed over silently.
void WriteClientRegistration(const std::string& folder, const RegistryWriter& registry);
