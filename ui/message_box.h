// The program's own message boxes: caption "Quorvex", no owner window, and never a second
// one of them on top of an open one (the busy rule).
#pragma once

#include <windows.h>

// Shows text with the given MB_ type flags. While another of the program's boxes is open
// nothing is shown and the substitute result of BusySubstituteResult is returned.
int ShowMessage(const char* text, UINT type);

// Shows the system's text for a Windows error code (catalog message 323 with the number
// when the system has none, and for 0, whose system text reads as success), with the
// error icon. 0 when another box was open.
int ShowSystemError(DWORD code);

// What a box asked for while another is open counts as: Yes for a Yes/No question, OK for
// a box with an OK button that can be cancelled, else 0.
constexpr int BusySubstituteResult(UINT type) {
  if (type & 0x4) return IDYES;
  if (type & 0x1) return IDOK;
  return 0;
}

// Where the boxes go. The default is MessageBoxA; tests put a recorder in its place.
using MessageBoxPresenter = int(WINAPI*)(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter);
