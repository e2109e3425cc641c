#include "ui/controls/link_static.h"

#include <windowsx.h>

#include "platform/application.h"
#include "platform/gdi.h"
#include "ui/controls/open_url.h"

namespace ui {

void LinkStatic::SetLink(COLORREF hoverColour, UINT cursorId, const char* url) {
  hoverColour_ = hoverColour;
  cursorId_ = cursorId;
  url_ = url ? url : "";
  link_ = true;
}

LRESULT LinkStatic::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return Default(message, wParam, lParam);
    case WM_LBUTTONDOWN:
      OnLButtonDown();
      return Default(message, wParam, lParam);
    case WM_CANCELMODE: {
      const LRESULT result = Default(message, wParam, lParam);
      OnCancelMode();
      return result;
    }
    case WM_SETTEXT: {
      const LRESULT result = Default(message, wParam, lParam);
      ClearBehindText();
      return result;
    }
    default:
      return Default(message, wParam, lParam);
  }
}

void LinkStatic::OnPaint() {
  platform::PaintDc dc(Hwnd());
  UINT format = DT_NOPREFIX | DT_WORDBREAK;
  // Only SS_RIGHT changes the alignment; SS_CENTER is not looked at.
  if (GetWindowLongA(Hwnd(), GWL_STYLE) & SS_RIGHT) format |= DT_RIGHT;
  SetBkMode(dc.Get(), TRANSPARENT);
  const auto font = reinterpret_cast<HFONT>(SendMessageA(Hwnd(), WM_GETFONT, 0, 0));
  platform::SelectedObject selectedFont(dc.Get(), font);

  const int length = GetWindowTextLengthA(Hwnd());
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(Hwnd(), &text[0], length + 1);
  text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
  RECT r;
  GetClientRect(Hwnd(), &r);

  COLORREF colour = normalColour_;
  if (link_) {
    RECT shadow{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    SetTextColor(dc.Get(), kShadowColour);
    DrawTextA(dc.Get(), text.c_str(), -1, &shadow, format);
    if (hover_.Hovered()) colour = hoverColour_;
  }
  SetTextColor(dc.Get(), colour);
  DrawTextA(dc.Get(), text.c_str(), -1, &r, format);
}

void LinkStatic::OnMouseMove(int x, int y) {
  RECT r;
  GetClientRect(Hwnd(), &r);
  switch (hover_.OnMouseMove(x - r.left, y - r.top, r.right - r.left, r.bottom - r.top)) {
    case HoverChange::kEntered:
      SetCapture(Hwnd());
      if (cursorId_ != 0) {
        HCURSOR cursor = LoadCursorA(platform::ProgramModule(), MAKEINTRESOURCEA(cursorId_ & 0xFFFF));
        if (cursor) SetCursor(cursor);
      }
      InvalidateRect(Hwnd(), &r, FALSE);
      break;
    case HoverChange::kLeft:
      ReleaseCapture();
      InvalidateRect(Hwnd(), &r, FALSE);
      break;
    case HoverChange::kNone:
      break;
  }
}

void LinkStatic::OnLButtonDown() {
  if (!link_) return;
  // The text keeps the hover colour until the next repaint.
  if (hover_.End()) ReleaseCapture();
  OpenUrl(Hwnd(), url_.c_str());
}

void LinkStatic::OnCancelMode() {
  if (hover_.End()) ReleaseCapture();
}

// The label paints no background, so a new text would be drawn over the old one. The
// dialog's own background is erased behind the label's area, then the label repaints.
void LinkStatic::ClearBehindText() {
  HWND parent = GetParent(Hwnd());
  if (!parent) return;
  RECT r;
  GetClientRect(Hwnd(), &r);
  MapWindowPoints(Hwnd(), parent, reinterpret_cast<POINT*>(&r), 2);
  RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace ui
