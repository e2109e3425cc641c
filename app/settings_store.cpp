#include "app/settings_store.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/unique_handle.h"

namespace {

std::string SettingsPath(const char* subkey) { return std::string(kProductSettingsKey) + "\\" + subkey; }

platform::UniqueKey OpenForReading(const char* subkey) {
  platform::UniqueKey key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, SettingsPath(subkey).c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS)
    key.Release();
  return key;
}

void CopyText(const char* text, char* buffer, int bufferSize) {
  if (bufferSize <= 0) return;
  std::strncpy(buffer, text ? text : "", static_cast<size_t>(bufferSize) - 1);
  buffer[bufferSize - 1] = '\0';
}

}  // namespace

int ReadSettingDword(const char* subkey, const char* valueName, int defaultValue) {
  int result = defaultValue;
  platform::UniqueKey key = OpenForReading(subkey);
  if (!key) return defaultValue;
  // Straight into the integer's bytes: data shorter than 4 bytes keeps the default's
  // high-order bytes, and data longer than 4 bytes makes the query fail.
  DWORD size = sizeof result;
  if (RegQueryValueExA(key.Get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&result), &size) !=
      ERROR_SUCCESS)
    result = defaultValue;
  return result;
}

void ReadSettingString(const char* subkey, const char* valueName, const char* defaultText, char* buffer,
                       int bufferSize) {
  CopyText(defaultText, buffer, bufferSize);
  if (bufferSize <= 1) return;
  platform::UniqueKey key = OpenForReading(subkey);
  if (!key) return;
  // One byte is kept back for the terminator, so that data stored without one still
  // leaves a terminated string, and a text that fills the whole buffer counts as too long.
  DWORD size = static_cast<DWORD>(bufferSize - 1);
  if (RegQueryValueExA(key.Get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) !=
      ERROR_SUCCESS) {
    CopyText(defaultText, buffer, bufferSize);
    return;
  }
  buffer[size] = '\0';
}

int WriteSettingString(const char* subkey, const char* valueName, const char* text) {
  platform::UniqueKey key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, SettingsPath(subkey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE, nullptr, key.Receive(), nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key.Get(), valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                   static_cast<DWORD>(std::strlen(text) + 1));
  } else {
    key.Release();
  }
  return 1;
}
