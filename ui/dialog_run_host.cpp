#include "ui/dialog_run_host.h"

#include <vector>

#include "ui/message_box.h"

namespace ui {

class DialogRunHost::Lock {
 public:
  explicit Lock(CRITICAL_SECTION& section) : section_(section) { EnterCriticalSection(&section_); }
  ~Lock() { LeaveCriticalSection(&section_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  CRITICAL_SECTION& section_;
};

std::string DialogRunHost::FolderText(int bufferSize) {
  if (bufferSize <= 0) return std::string();
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize), '\0');
  const UINT copied = GetDlgItemTextA(dialog_, kFolderFieldId, buffer.data(), bufferSize);
  return std::string(buffer.data(), copied < static_cast<UINT>(bufferSize) ? copied : bufferSize - 1);
}

void DialogRunHost::SetStatusText(const char* text) {
  Lock lock(lock_);
  statusText_ = text ? text : "";
  if (statusWaiting_) return;  // the waiting message will show this text
  statusWaiting_ = PostMessageA(dialog_, kStatusMessage, 0, 0) != FALSE;
}

std::string DialogRunHost::TakeStatusText() {
  Lock lock(lock_);
  statusWaiting_ = false;
  return statusText_;
}

void DialogRunHost::ReportProgress(int index, int count) {
  Lock lock(lock_);
  progressIndex_ = index;
  progressCount_ = count;
  if (progressWaiting_) return;
  progressWaiting_ =
      PostMessageA(dialog_, kProgressMessage, static_cast<WPARAM>(index), static_cast<LPARAM>(count)) != FALSE;
}

void DialogRunHost::TakeNewestProgress(int& index, int& count) {
  Lock lock(lock_);
  if (!progressWaiting_) return;
  progressWaiting_ = false;
  index = progressIndex_;
  count = progressCount_;
}

void DialogRunHost::ReportError(int, const std::string& text) { ShowMessage(text.c_str(), MB_ICONEXCLAMATION); }

void DialogRunHost::ReportSystemError(unsigned long code) { ShowSystemError(code); }

void DialogRunHost::PostCompletion() {
  // The flag goes up before the post, so the dialog sees it when the command arrives.
  completionPosted_.store(true);
  PostMessageA(dialog_, WM_COMMAND, kSetupCommandId, 0);
}

}  // namespace ui
