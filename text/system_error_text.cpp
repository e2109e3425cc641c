#include "text/system_error_text.h"

#include <cstdio>

#include "platform/unique_handle.h"
#include "text/message_catalog.h"

std::string SystemErrorText(DWORD code) {
  char* systemText = nullptr;
  // Error 0 is the system's "success": a failure that left no code gets the numbered text.
  if (code != ERROR_SUCCESS)
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&systemText), 0,
                   nullptr);
  platform::UniqueLocalMemory systemBuffer(systemText);
  if (systemText && systemText[0] != '\0') return systemText;
  char numbered[256];
  std::snprintf(numbered, sizeof numbered, CatalogText(323), static_cast<int>(code));
  return numbered;
}
