// The system's text for a Windows error code, as the boxes and the log show it.
#pragma once

#include <windows.h>

#include <string>

// FormatMessage's text for code; catalog message 323 with the number when the system has
// none, and for 0, whose system text reads as success.
std::string SystemErrorText(DWORD code);
