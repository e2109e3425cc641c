// A control class attached to an existing window (a dialog item): its messages go to the
// object's WindowProc first, and Default() hands them on to the control's own procedure.
#pragma once

#include <windows.h>

namespace platform {

class SubclassedWindow {
 public:
  SubclassedWindow() = default;
  virtual ~SubclassedWindow();
  SubclassedWindow(const SubclassedWindow&) = delete;
  SubclassedWindow& operator=(const SubclassedWindow&) = delete;

  // Attaches the object to dialog item id of parent. False when there is no such item
  // or the object is attached already.
  bool SubclassDlgItem(UINT id, HWND parent);
  void Detach();

  HWND Hwnd() const { return hwnd_; }

 protected:
  // The message map of a control class; the default passes everything on.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The control's own processing of the message being handled.
  LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR subclassId, DWORD_PTR data);
  HWND hwnd_ = nullptr;
};

}  // namespace platform
