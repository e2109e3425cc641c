// Writing a whole buffer to a file.
#pragma once

#include <windows.h>

namespace platform {

// Writes all count bytes. A write that takes fewer bytes than asked (a disk filling up in
// the middle of a piece) is followed by another for the rest, so a failure leaves the
// system's own reason as the last error (ERROR_DISK_FULL, not 0). A write that takes
// nothing without an error fails with ERROR_WRITE_FAULT.
bool WriteAll(HANDLE file, const void* data, DWORD count);

}  // namespace platform
