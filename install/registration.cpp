#include "install/registration.h"

#include "app/message_box.h"
#include "app/message_catalog.h"
#include "app/settings_store.h"
#include "install/registration_rows.h"
#include "install/run_host.h"
#include "platform/unique_handle.h"

namespace {

LONG CreateKey(HKEY root, const char* path, HKEY* key) {
  return RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_WRITE, nullptr, key, nullptr);
}

LONG SetValue(HKEY key, const char* valueName, const BYTE* data, DWORD size) {
  return RegSetValueExA(key, valueName, 0, REG_SZ, data, size);
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
  return registry.setValue(key, row.valueName.empty() ? nullptr : row.valueName.c_str(), data, size) ==
         ERROR_SUCCESS;
}

}  // namespace

const RegistryWriter& RealRegistryWriter() {
  static const RegistryWriter writer{&CreateKey, &SetValue};
  return writer;
}

void WriteUninstallEntry(const std::string& targetFolder, RunHost& host, const RegistryWriter& registry) {
  if (host.Failed()) return;
  const auto rows = UninstallEntryRows(targetFolder, CatalogText(140));
  const platform::UniqueKey key = OpenRowKey(rows[0], registry);
  if (!key) {
    ShowMessage(CatalogText(305), MB_ICONEXCLAMATION);
    host.SetFailed();
    return;
  }
  // "UninstallString" only after "DisplayName" was set.
  if (!SetRowValue(key.Get(), rows[0], registry) || !SetRowValue(key.Get(), rows[1], registry)) {
    ShowMessage(CatalogText(306), MB_ICONEXCLAMATION);
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
