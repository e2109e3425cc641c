#include "ui/controls/folder_edit.h"

#include <string>

#include "platform/gdi.h"
#include "platform/unique_handle.h"

namespace ui {

void FolderEdit::SetFont(HFONT font) {
  font_ = font;
  SendMessageA(Hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
}

LRESULT FolderEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    // The control's own painting never runs.
    OnPaint();
    return 0;
  }
  return Default(message, wParam, lParam);
}

void FolderEdit::OnPaint() {
  platform::PaintDc dc(Hwnd());
  platform::UniquePen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 0)));
  RECT r;
  GetClientRect(Hwnd(), &r);
  SetBkColor(dc.Get(), RGB(255, 255, 255));
  ExtTextOutA(dc.Get(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);  // fills r with white
  {
    // The outline lies just outside the client area: only a paint that reaches beyond it
    // shows the frame.
    platform::SelectedObject selectedPen(dc.Get(), pen.Get());
    MoveToEx(dc.Get(), r.left - 4, r.top - 3, nullptr);
    LineTo(dc.Get(), r.right, r.top - 3);
    LineTo(dc.Get(), r.right, r.bottom);
    LineTo(dc.Get(), r.left - 4, r.bottom);
    LineTo(dc.Get(), r.left - 4, r.top - 3);
  }
  ::SetTextColor(dc.Get(), textColour_);
  SetBkMode(dc.Get(), TRANSPARENT);
  platform::SelectedObject selectedFont(dc.Get(), font_);

  // The rich edit control is a Unicode window: its ANSI length can come back as 0 once the
  // text holds a double-byte character. Sized from the characters instead, two bytes each.
  const int characters = GetWindowTextLengthW(Hwnd());
  const int size = 2 * (characters > 0 ? characters : 0) + 1;
  std::string text(static_cast<std::size_t>(size), '\0');
  const int copied = GetWindowTextA(Hwnd(), &text[0], size);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  // Always from the left edge: the scroll position and selection are not drawn.
  DrawTextA(dc.Get(), text.c_str(), -1, &r, 0);
}

}  // namespace ui
