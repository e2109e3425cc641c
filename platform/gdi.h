// Scoped painting helpers: a paint session and a temporary object selection.
#pragma once

#include <windows.h>

namespace platform {

// BeginPaint in the constructor, EndPaint in the destructor.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
  ~PaintDc() { EndPaint(window_, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;

  HDC Get() const { return dc_; }
  const PAINTSTRUCT& Info() const { return paint_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_ = nullptr;
};

// Selects an object into a DC and selects the previous one back when it goes out of scope.
// A null object selects nothing (SelectObject would fail on it anyway).
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc) {
    if (object) previous_ = SelectObject(dc_, object);
  }
  ~SelectedObject() {
    if (previous_) SelectObject(dc_, previous_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

}  // namespace platform
