// The setup dialog: the only window of the program.
#pragma once

#include <windows.h>

#include "platform/dialog.h"

class SetupDialog : public platform::Dialog {
 public:
  SetupDialog(UINT templateId, HWND parent);
  ~SetupDialog() override;

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  BOOL OnInitDialog() override;
  void OnOK() override {}  // Enter never closes the dialog
};
