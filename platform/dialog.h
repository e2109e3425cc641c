// Modal dialog base class: one dialog procedure for every dialog of the program, which
// hands each message to the object's message map (OnMessage).
//
// Every dialog of the program has a white background and black text; the base class
// answers the control-colour messages for that, as the framework's SetDialogBkColor did.
#pragma once

#include <windows.h>

namespace platform {

class Dialog {
 public:
  Dialog(UINT templateId, HWND parent);
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  // Runs the dialog modally; returns the EndDialog result, or -1 when it could not be created.
  INT_PTR DoModal();

  HWND Hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  UINT TemplateId() const { return templateId_; }

 protected:
  // The message map of a dialog class. Return true when the message was handled and set
  // result to the value the message expects; false passes it on to the dialog manager.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

  virtual BOOL OnInitDialog() { return TRUE; }
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }
  // Commands other than IDOK and IDCANCEL; true when handled.
  virtual bool OnCommand(UINT id, UINT notifyCode, HWND control);

  void EndDialog(INT_PTR result);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  HWND parent_;
  HWND hwnd_ = nullptr;
};

}  // namespace platform
