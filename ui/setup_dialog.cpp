#include "ui/setup_dialog.h"

#include "platform/application.h"

SetupDialog::SetupDialog(UINT templateId, HWND parent) : platform::Dialog(templateId, parent) {}

SetupDialog::~SetupDialog() = default;

BOOL SetupDialog::OnInitDialog() {
  platform::Application* app = platform::Application::Instance();
  if (app) app->SetMainWindow(Hwnd());
  return TRUE;
}

bool SetupDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  return platform::Dialog::OnMessage(message, wParam, lParam, result);
}
