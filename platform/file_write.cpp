#include "platform/file_write.h"

namespace platform {

bool WriteAll(HANDLE file, const void* data, DWORD count) {
  const auto* rest = static_cast<const BYTE*>(data);
  while (count > 0) {
    DWORD written = 0;
    if (!WriteFile(file, rest, count, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    rest += written;
    count -= written;
  }
  return true;
}

}  // namespace platform
