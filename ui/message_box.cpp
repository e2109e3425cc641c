#include "ui/message_box.h"

#include <atomic>

#include "platform/unique_handle.h"
#include "text/system_error_text.h"

namespace {

constexpr char kCaption[] = "Quorvex";

// Set while one of the program's boxes is open. Both threads show boxes; taking it with
// an atomic exchange means two threads can never both open one.
std::atomic<bool> g_boxOpen{false};
std::atomic<MessageBoxPresenter> g_presenter{&MessageBoxA};

// Shows the box when no other is open; false when another one is.
bool ShowUnlessBusy(const char* text, UINT type, int& result) {
  if (g_boxOpen.exchange(true)) return false;
  result = g_presenter.load()(nullptr, text, kCaption, type);
  g_boxOpen.store(false);
  return true;
}

}  // namespace

MessageBoxPresenter SetMessageBoxPresenter(MessageBoxPresenter presenter) {
  return g_presenter.exchange(presenter ? presenter : &MessageBoxA);
}

int ShowMessage(const char* text, UINT type) {
  int result = 0;
  if (!ShowUnlessBusy(text, type, result)) return BusySubstituteResult(type);
  return result;
}

int ShowSystemError(DWORD code) {
  int result = 0;
  ShowUnlessBusy(SystemErrorText(code).c_str(), MB_ICONHAND, result);
  return result;
}
