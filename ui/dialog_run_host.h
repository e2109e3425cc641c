// The setup dialog's side of a run: every call comes from the worker thread and reaches
// the dialog as a window message, handled on the dialog's thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "install/run_host.h"
#include "res/resource_ids.h"

namespace ui {

// Control and message numbers the runs' messages use.
constexpr int kFolderFieldId = IDC_FOLDER_FIELD;
constexpr int kStatusLineId = IDC_STATUS_TEXT;
constexpr UINT kProgressMessage = WM_USER + 1;  // wParam index, lParam count
constexpr UINT kSetupCommandId = IDC_SETUP_BUTTON;  // also the completion signal

class DialogRunHost : public RunHost {
 public:
  // The dialog window, set once it exists and before any run starts.
  void Attach(HWND dialog) { dialog_ = dialog; }

  std::string FolderText(int bufferSize) override;
  void SetStatusText(const char* text) override;
  void ReportProgress(int index, int count) override;
  // A box on the worker thread, under the program's busy rule: while another box is open,
  // nothing more is shown.
  void ReportError(int messageId, const std::string& text) override;
  void ReportSystemError(unsigned long code) override;
  void SetFailed() override { failed_.store(true); }
  bool Failed() const override { return failed_.load(); }
  void PostCompletion() override;

  // Dialog thread: before a run starts.
  void BeginRun() {
    failed_.store(false);
    completionPosted_.store(false);
  }
  // Dialog thread, on a command 1000 while a run is in progress: true exactly once per run,
  // for the run's own completion signal (a stray click on the disabled button is not one).
  bool TakeCompletion() { return completionPosted_.exchange(false); }

 private:
  HWND dialog_ = nullptr;
  std::atomic<bool> failed_{false};
  std::atomic<bool> completionPosted_{false};
};

}  // namespace ui
