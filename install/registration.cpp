#include "install/registration.h"

#include "app/settings_store.h"
#include "install/registration_rows.h"
#include "install/run_host.h"
#include "platform/unique_handle.h"
#include "res/product_version.h"
#include "text/format.h"
#include "text/message_catalog.h"

namespace {

LONG CreateKey(HKEY root, const char* path, HKEY* key) {
  return RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, key, nullptr);
}

LONG SetValue(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD size) {
  return RegSetValueExA(key, valueName, 0, type, data, size);
}

HKEY RootKey(RegistryRoot root) { return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

platform::UniqueKey OpenRowKey(const RegistryRow& row, const RegistryWriter& registry) {
  HKEY key = nullptr;
  if (registry.createKey(RootKey(row.root), row.key.c_str(), &key) != ERROR_SUCCESS) return platform::UniqueKey();
  return platform::UniqueKey(key);
}

bool SetRowValue(HKEY key, const RegistryRow& row, const RegistryWriter& registry) {
  const DWORD size = RegistryDataSize(row.data);
  const BYTE* data = size ? reinterpret_cast<const BYTE*>(row.data.c_str()) : nullptr;
  return registry.setValue(key, row.valueName.empty() ? nullptr : row.valueName.c_str(), REG_SZ, data, size) ==
         ERROR_SUCCESS;
}

bool SetInventoryValue(HKEY key, const InventoryValue& value, const RegistryWriter& registry) {
  if (value.isNumber) {
    const DWORD number = value.number;
    return registry.setValue(key, value.name.c_str(), REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                             sizeof number) == ERROR_SUCCESS;
  }
  const DWORD size = RegistryDataSize(value.text);
  return registry.setValue(key, value.name.c_str(), REG_SZ,
                           size ? reinterpret_cast<const BYTE*>(value.text.c_str()) : nullptr, size) == ERROR_SUCCESS;
}

std::string TodayAsNumber() {
  SYSTEMTIME today;
  GetLocalTime(&today);
  return text::Decimal(today.wYear, 4) + text::Decimal(today.wMonth, 2) + text::Decimal(today.wDay, 2);
}

}  // namespace

const RegistryWriter& RealRegistryWriter() {
  static const RegistryWriter writer{&CreateKey, &SetValue};
  return writer;
}

void WriteUninstallEntry(const std::string& targetFolder, std::uint64_t installedBytes, RunHost& host,
                         const RegistryWriter& registry) {
  if (host.Failed()) return;
  const auto rows = UninstallEntryRows(targetFolder, CatalogText(140));
  const platform::UniqueKey key = OpenRowKey(rows[0], registry);
  if (!key) {
    host.ReportError(305, CatalogText(305));
    host.SetFailed();
    return;
  }
  // "UninstallString" only after "DisplayName" was set; what inventory tools read after both.
  bool written = SetRowValue(key.Get(), rows[0], registry) && SetRowValue(key.Get(), rows[1], registry);
  const InstallFacts facts{targetFolder, CatalogText(371), QX_VERSION_TEXT, TodayAsNumber(), installedBytes};
  for (const InventoryValue& value : InventoryValues(facts)) {
    if (!written) break;
    written = SetInventoryValue(key.Get(), value, registry);
  }
  if (!written) {
    host.ReportError(306, CatalogText(306));
    host.SetFailed();
  }
}

void WriteSetupFolderSetting(const std::string& folder) { WriteSettingString("MAIN", "SETUPFOLDER", folder.c_str()); }

void WriteClientRegistration(const std::string& folder, const RegistryWriter& registry) {
  for (const RegistryRow& row : ClientRegistrationRows(folder)) {
    const platform::UniqueKey key = OpenRowKey(row, registry);
    if (key) SetRowValue(key.Get(), row, registry);
  }
}
