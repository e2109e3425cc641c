// The yardstick of the start-up benchmark: a Win32 program that only shows a dialog (an
// in-memory template with a caption and one button) until it is closed.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace {

void Put(std::vector<WORD>& t, DWORD value) {
  t.push_back(LOWORD(value));
  t.push_back(HIWORD(value));
}

void PutText(std::vector<WORD>& t, const wchar_t* text) {
  do t.push_back(static_cast<WORD>(*text)); while (*text++);
}

// DLGTEMPLATE and one DLGITEMTEMPLATE, laid out as the dialog manager reads them:
// WORD-aligned, each item DWORD-aligned.
std::vector<WORD> Template() {
  std::vector<WORD> t;
  Put(t, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_CENTER | DS_SETFONT);
  Put(t, 0);                         // extended style
  t.push_back(1);                    // items
  t.insert(t.end(), {0, 0, 200, 80});  // x, y, cx, cy
  t.push_back(0);                    // no menu
  t.push_back(0);                    // the dialog class
  PutText(t, L"Minimal dialog");
  t.push_back(9);
  PutText(t, L"MS Shell Dlg");
  if (t.size() % 2) t.push_back(0);
  Put(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON);
  Put(t, 0);
  t.insert(t.end(), {75, 50, 50, 14});
  t.push_back(IDOK);
  t.push_back(0xFFFF);
  t.push_back(0x0080);  // button
  PutText(t, L"OK");
  t.push_back(0);  // no creation data
  return t;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(dialog, 0);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::vector<WORD> dialog = Template();
  DialogBoxIndirectParamA(instance, reinterpret_cast<LPCDLGTEMPLATEA>(dialog.data()), nullptr, &DialogProc, 0);
  return 0;
}
