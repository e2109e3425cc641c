#include "app/message_box.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "app/message_catalog.h"
#include "platform/unique_handle.h"

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

std::string SystemErrorText(DWORD code) {
  char* systemText = nullptr;
  // Error 0 is the system's "success": a failure that left no code gets the numbered text.
  if (code != ERROR_SUCCESS)
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&systemText), 0,
                   nullptr);
  platform::UniqueLocalMemory systemBuffer(systemText);
  if (systemText && systemText[0] != '\0') return systemText;
  char numbered[256];
  std::snprintf(numbered, sizeof numbered, CatalogText(323), static_cast<int>(code));
  return numbered;
}

int ShowSystemError(DWORD code) {
  int result = 0;
  ShowUnlessBusy(SystemErrorText(code).c_str(), MB_ICONHAND, result);
  return result;
}
