#include "text/system_error_text.h"

#include <cstdint>

#include "platform/unique_handle.h"
#include "text/format.h"
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
  // The catalog's %d is the code as a signed 32-bit number, as the program has always shown it.
  return text::FillIn(CatalogText(323), text::Decimal(static_cast<std::int32_t>(code)));
}
