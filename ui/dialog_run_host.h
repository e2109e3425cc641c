// The setup dialog's side of a run: every call comes from the worker thread and reaches
// the dialog as a window message, handled on the dialog's thread.
//
// Status texts and progress are posted, not sent, and coalesced: the worker never waits for
// the dialog's thread (a sent message per file made a 10,000-file run through the dialog
// seven times slower than the same run without a window), and at most one message of each
// kind waits in the queue, carrying no more than a wake-up: the dialog takes the newest
// values when it handles it. Both are posted before the completion signal, so the dialog
// shows the run's last text and position before it hears of the end.
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
constexpr UINT kStatusMessage = WM_USER + 2;    // the newest status text waits in the host
constexpr UINT kSetupCommandId = IDC_SETUP_BUTTON;  // also the completion signal

class DialogRunHost : public RunHost {
 public:
  DialogRunHost() { InitializeCriticalSection(&lock_); }
  ~DialogRunHost() override { DeleteCriticalSection(&lock_); }
  DialogRunHost(const DialogRunHost&) = delete;
  DialogRunHost& operator=(const DialogRunHost&) = delete;

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

  // Dialog thread, on kStatusMessage: the newest status text.
  std::string TakeStatusText();
  // Dialog thread, on kProgressMessage: the newest position replaces the message's own
  // (those of when it was posted) when a report of the run is waiting.
  void TakeNewestProgress(int& index, int& count);

 private:
  class Lock;

  HWND dialog_ = nullptr;
  // Guards the waiting values and their flags. Not std::mutex: its lock reports failure by
  // throwing std::system_error, which would link the runtime's throw helpers back in.
  CRITICAL_SECTION lock_;
  std::string statusText_;
  bool statusWaiting_ = false;
  int progressIndex_ = 0;
  int progressCount_ = 0;
  bool progressWaiting_ = false;
  std::atomic<bool> failed_{false};
  std::atomic<bool> completionPosted_{false};
};

}  // namespace ui
