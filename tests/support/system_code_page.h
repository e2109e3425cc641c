// The code page a CTest entry was set up for. The Japanese entries run under
// LC_ALL=ja_JP.UTF-8 and name 932 in QX_EXPECT_CODE_PAGE: Wine without that locale stays on
// code page 1252 without a word, and a test that then took its English path would report
// a pass for a Japanese entry that checked nothing Japanese.
#pragma once

#include <windows.h>

#include <cstdlib>

namespace testsupport {

// The code page QX_EXPECT_CODE_PAGE names, 0 when it names none.
inline UINT ExpectedCodePage() {
  char value[16] = "";
  const DWORD length = GetEnvironmentVariableA("QX_EXPECT_CODE_PAGE", value, sizeof value);
  if (length == 0 || length >= sizeof value) return 0;
  return static_cast<UINT>(std::strtoul(value, nullptr, 10));
}

// True when the entry names no code page or the system's ANSI and OEM code pages are it.
inline bool SystemHasExpectedCodePage() {
  const UINT expected = ExpectedCodePage();
  return expected == 0 || (GetACP() == expected && GetOEMCP() == expected);
}

}  // namespace testsupport
