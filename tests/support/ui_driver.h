// Drives another process's windows through real window messages, as a user would: finds
// its dialog and message boxes, reads texts, clicks buttons, answers boxes and captures
// what the screen shows. Under Wine, PrintWindow of another process's window is blank, so
// captures come from the screen.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace uitest {

// A program started for a test; ended (if still running) when the object goes.
class Process {
 public:
  Process(const std::string& program, const std::string& arguments);
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  // True when the process has ended within timeoutMs.
  bool WaitForExit(DWORD timeoutMs);
  // The exit code of an ended process; STILL_ACTIVE while it runs.
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION info_{};
};

// Polls condition every 50 ms until it holds or timeoutMs have passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// A visible top-level dialog (#32770) of the process that has a child with childId:
// 1000 for the setup dialog, 0xFFFF (the text) for a message box. Null when none appears.
HWND WaitForDialog(DWORD processId, int childId, DWORD timeoutMs);
HWND WaitForSetupDialog(DWORD processId, DWORD timeoutMs = 60000);
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs = 30000);
// A top-level window of the process with exactly this UTF-16 caption.
HWND WaitForWindowTitled(DWORD processId, const std::wstring& caption, DWORD timeoutMs);
// A message box of any process whose text is exactly this: the box of a program that
// another program started, whose process the test does not know.
HWND WaitForAnyMessageBoxSaying(const std::string& text, DWORD timeoutMs);
// The full path of the program that owns the window, empty when it cannot be read.
std::string ProgramOfWindow(HWND window);

std::string Text(HWND window);         // WM_GETTEXT in the system's code page
std::wstring TextW(HWND window);       // WM_GETTEXT in UTF-16
std::string ItemText(HWND dialog, int id);
std::string MessageBoxText(HWND box);  // static 0xFFFF

// A button press handled before this returns (sent, not posted): when it returns, the
// dialog has acted on it, so what it changed can be read at once.
bool ClickAndWait(HWND dialog, int id);
// A button press as the button itself reports it: WM_COMMAND with BN_CLICKED and the
// button's window, posted. Also works for a disabled button: check IsWindowEnabled first.
void Click(HWND dialog, int id);
// Two presses of the left mouse button on the item's centre, as real input within the
// double-click time: the button sees down, up, double-click, up, as from a user's mouse.
void DoubleClickItem(HWND dialog, int id);
// Answers a message box with a button id (IDOK, IDYES, IDNO).
void Answer(HWND box, int buttonId);

bool ItemEnabled(HWND dialog, int id);
bool ItemVisible(HWND dialog, int id);
// The item's client rectangle in screen coordinates.
RECT ItemScreenRect(HWND dialog, int id);

// Pixels of a screen rectangle, top row first, as COLORREF values.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
  int Count(COLORREF colour) const;
};
// Waits for the screen to settle (painting reaches it 100-300 ms later), then captures.
Image CaptureScreen(const RECT& screenRect);

// Puts the pointer at (x, y) of the window's client area as a user would (the system's
// cursor goes there too, so no real move can contradict it), has the window handle the
// move (sent) and paint what it invalidated before this returns.
void MovePointer(HWND window, int x, int y);

// Captures the rectangle until the count of colour satisfies wanted, or timeoutMs pass;
// returns the last count.
int WaitForColourCount(const RECT& screenRect, COLORREF colour, const std::function<bool(int)>& wanted,
                       DWORD timeoutMs = 5000);

// What a run left on disk: the files below folder, the uninstall list left out (one per
// payload entry).
int CountProductFiles(const std::string& folder);

}  // namespace uitest
