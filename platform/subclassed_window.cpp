#include "platform/subclassed_window.h"

#include <commctrl.h>

namespace platform {
namespace {
constexpr UINT_PTR kSubclassId = 0x51584E;  // one subclass per object and window
}

SubclassedWindow::~SubclassedWindow() { Detach(); }

bool SubclassedWindow::SubclassDlgItem(UINT id, HWND parent) {
  if (hwnd_) return false;
  HWND item = GetDlgItem(parent, static_cast<int>(id));
  if (!item) return false;
  if (!SetWindowSubclass(item, &SubclassedWindow::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
    return false;
  hwnd_ = item;
  return true;
}

void SubclassedWindow::Detach() {
  if (hwnd_) {
    RemoveWindowSubclass(hwnd_, &SubclassedWindow::SubclassProc, kSubclassId);
    hwnd_ = nullptr;
  }
}

LRESULT SubclassedWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return Default(message, wParam, lParam);
}

LRESULT SubclassedWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<SubclassedWindow*>(data);
  if (message == WM_NCDESTROY) {
    // The window is going: detach before the control's own last message.
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    RemoveWindowSubclass(window, &SubclassedWindow::SubclassProc, kSubclassId);
    self->hwnd_ = nullptr;
    return result;
  }
  return self->WindowProc(message, wParam, lParam);
}

}  // namespace platform
