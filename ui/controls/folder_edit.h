// The setup-folder field: a rich edit control that keeps its editing behaviour but is
// drawn by us, as plain text in the dialog's font and a chosen colour on white.
#pragma once

#include <windows.h>

#include "platform/subclassed_window.h"

namespace ui {

class FolderEdit : public platform::SubclassedWindow {
 public:
  FolderEdit() = default;
  ~FolderEdit() override = default;

  // The font to draw with (owned by the dialog); also given to the control, so the caret
  // and text metrics match the drawing. Not repainted.
  void SetFont(HFONT font);
  // Takes effect at the next paint.
  void SetTextColor(COLORREF colour) { textColour_ = colour; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();

  HFONT font_ = nullptr;
  COLORREF textColour_ = RGB(0, 0, 0);
};

}  // namespace ui
