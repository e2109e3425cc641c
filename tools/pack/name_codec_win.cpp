#include <windows.h>

#include "tools/pack/name_codec.h"

bool EncodeComponent(const std::filesystem::path& component, unsigned codePage, std::string& bytes) {
  const std::wstring& wide = component.native();
  bytes.clear();
  if (wide.empty()) return true;
  // No best-fit mapping: a character the code page lacks is refused, not replaced.
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, usedDefaultOut);
  if (length <= 0 || usedDefault) return false;
  bytes.resize(static_cast<std::size_t>(length));
  WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                      usedDefaultOut);
  return !usedDefault;
}

bool DecodeComponent(const std::string& bytes, unsigned codePage, std::filesystem::path& component) {
  if (bytes.empty()) {
    component.clear();
    return true;
  }
  const int length =
      MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (length <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                      length);
  component = wide;
  return true;
}
