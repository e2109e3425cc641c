#include "ui/dialog_run_host.h"

#include <vector>

#include "ui/message_box.h"

namespace ui {

std::string DialogRunHost::FolderText(int bufferSize) {
  if (bufferSize <= 0) return std::string();
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize), '\0');
  const UINT copied = GetDlgItemTextA(dialog_, kFolderFieldId, buffer.data(), bufferSize);
  return std::string(buffer.data(), copied < static_cast<UINT>(bufferSize) ? copied : bufferSize - 1);
}

void DialogRunHost::SetStatusText(const char* text) { SetDlgItemTextA(dialog_, kStatusLineId, text ? text : ""); }

void DialogRunHost::ReportProgress(int index, int count) {
  SendMessageA(dialog_, kProgressMessage, static_cast<WPARAM>(index), static_cast<LPARAM>(count));
}

void DialogRunHost::ReportError(int, const std::string& text) { ShowMessage(text.c_str(), MB_ICONEXCLAMATION); }

void DialogRunHost::ReportSystemError(unsigned long code) { ShowSystemError(code); }

void DialogRunHost::PostCompletion() {
  // The flag goes up before the post, so the dialog sees it when the command arrives.
  completionPosted_.store(true);
  PostMessageA(dialog_, WM_COMMAND, kSetupCommandId, 0);
}

}  // namespace ui
