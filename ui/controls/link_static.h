// The text label of the setup dialog: draws its text transparently in a chosen colour
// and, in link mode, behaves as a hyperlink (grey shadow, hover colour, hand cursor, a
// click opens the address in a browser).
#pragma once

#include <windows.h>

#include <string>

#include "platform/subclassed_window.h"
#include "ui/controls/hover_tracker.h"

namespace ui {

class LinkStatic : public platform::SubclassedWindow {
 public:
  static constexpr COLORREF kShadowColour = RGB(128, 128, 128);

  LinkStatic() = default;
  ~LinkStatic() override = default;

  // Makes the label a link: hover colour, cursor resource id (0 keeps the cursor) and
  // the address a click opens. Nothing is repainted.
  void SetLink(COLORREF hoverColour, UINT cursorId, const char* url);

  bool Hovered() const { return hover_.Hovered(); }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void OnMouseMove(int x, int y);
  void OnLButtonDown();
  void OnCancelMode();
  void ClearBehindText();

  COLORREF normalColour_ = RGB(0, 0, 0);
  bool link_ = false;
  COLORREF hoverColour_ = RGB(255, 128, 64);
  UINT cursorId_ = 0;
  std::string url_;
  HoverTracker hover_;
};

}  // namespace ui
