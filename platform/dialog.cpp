#include "platform/dialog.h"

#include "platform/application.h"

namespace platform {
namespace {

// Messages whose result is the dialog procedure's return value itself rather than
// DWLP_MSGRESULT (see the documentation of DialogProc).
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

}  // namespace

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() = default;

INT_PTR Dialog::DoModal() {
  return DialogBoxParamA(ProgramModule(), MAKEINTRESOURCEA(templateId_), parent_, &Dialog::DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

void Dialog::EndDialog(INT_PTR result) { ::EndDialog(hwnd_, result); }

bool Dialog::OnCommand(UINT, UINT, HWND) { return false; }

bool Dialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam);
      const UINT code = HIWORD(wParam);
      // Only a click acts: a double-click on an owner-drawn button also sends
      // BN_DOUBLECLICKED, which must not act a second time. Enter, Esc and the close box
      // come as BN_CLICKED (0) too.
      if ((id == IDOK || id == IDCANCEL) && code != BN_CLICKED) return true;
      if (id == IDOK) {
        OnOK();
        return true;
      }
      if (id == IDCANCEL) {
        OnCancel();
        return true;
      }
      return OnCommand(id, code, reinterpret_cast<HWND>(lParam));
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORMSGBOX: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      result = reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
      return true;
    }
    default:
      return false;
  }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Dialog* self;
  if (message == WM_INITDIALOG) {
    self = reinterpret_cast<Dialog*>(lParam);
    self->hwnd_ = window;
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
  }
  if (!self) return FALSE;

  INT_PTR result = 0;
  const bool handled = self->OnMessage(message, wParam, lParam, result);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, DWLP_USER, 0);
    self->hwnd_ = nullptr;
  }
  if (!handled) return FALSE;
  if (ReturnsResultDirectly(message)) return result;
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace platform
