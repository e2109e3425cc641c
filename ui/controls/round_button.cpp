#include "ui/controls/round_button.h"

#include <string>

#include "platform/gdi.h"
#include "platform/unique_handle.h"

namespace ui {
namespace {

std::string WindowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  return text;
}

}  // namespace

bool RoundButton::SubclassDlgItem(UINT id, HWND parent) {
  const bool attached = platform::SubclassedWindow::SubclassDlgItem(id, parent);
  if (attached) timerId_ = SetTimer(Hwnd(), kAnimationTimerId, kAnimationPeriodMs, nullptr);
  return attached;
}

LRESULT RoundButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_TIMER:
      InvalidateRect(Hwnd(), nullptr, FALSE);
      return Default(message, wParam, lParam);
    case WM_DESTROY:
      OnDestroy();
      return Default(message, wParam, lParam);
    default:
      return Default(message, wParam, lParam);
  }
}

void RoundButton::OnPaint() {
  platform::PaintDc dc(Hwnd());
  platform::UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  platform::UniqueBrush brush(CreateSolidBrush(RGB(255, 255, 255)));
  const auto font = reinterpret_cast<HFONT>(SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
  {
    platform::SelectedObject selectedFont(dc.Get(), font);
    platform::SelectedObject selectedPen(dc.Get(), pen.Get());
    platform::SelectedObject selectedBrush(dc.Get(), brush.Get());
    SetBkMode(dc.Get(), TRANSPARENT);

    RECT r;
    GetClientRect(Hwnd(), &r);
    const std::string text = WindowText(Hwnd());
    // The face's top edge lies above the client area: only the sides and the rounded
    // bottom show, and the caption sits 2 pixels above the middle.
    r.top -= 4;
    RoundRect(dc.Get(), r.left, r.top, r.right, r.bottom, 5, 5);

    const int shown = pulse_.ShownLevel() & 0xFF;
    // A disabled button's caption is white on the white face: it disappears.
    SetTextColor(dc.Get(), IsWindowEnabled(Hwnd()) ? RGB(shown, shown, shown) : RGB(255, 255, 255));
    DrawTextA(dc.Get(), text.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    // Every paint advances the pulse, whatever caused it and whether enabled or not.
    pulse_.Step();
  }  // brush, pen and font selected back before the objects go
}

void RoundButton::OnDestroy() {
  if (timerId_ != 0) {
    KillTimer(Hwnd(), timerId_);
    timerId_ = 0;
  }
}

}  // namespace ui
