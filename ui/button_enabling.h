// Which of the setup dialog's buttons are enabled, from the dialog's state and mode.
#pragma once

namespace ui {

struct ButtonEnabling {
  bool setup;   // 1000, Setup or Uninstall
  bool browse;  // 1006
  bool start;   // 1001
};

// workerRunning: a run is in progress; completed: the last run ended without failure.
// Exit and the folder field are never disabled here.
constexpr ButtonEnabling EnabledButtons(bool workerRunning, bool completed, bool uninstallMode) {
  return ButtonEnabling{!workerRunning, !workerRunning, completed && !uninstallMode};
}

}  // namespace ui
