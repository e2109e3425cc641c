// The rounded push button of the setup dialog: a white rounded face whose caption pulses
// from black to white and back. The button keeps the platform's click behaviour; only its
// painting is ours (the template declares it BS_OWNERDRAW, and WM_DRAWITEM draws nothing).
#pragma once

#include <windows.h>

#include "platform/subclassed_window.h"
#include "ui/controls/button_pulse.h"

namespace ui {

class RoundButton : public platform::SubclassedWindow {
 public:
  static constexpr UINT_PTR kAnimationTimerId = 1;
  static constexpr UINT kAnimationPeriodMs = 100;

  RoundButton() = default;
  ~RoundButton() override = default;

  // Attaches to the dialog item and starts the animation timer.
  bool SubclassDlgItem(UINT id, HWND parent);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnPaint();
  void OnDestroy();

  ButtonPulse pulse_;
  UINT_PTR timerId_ = 0;
};

}  // namespace ui
