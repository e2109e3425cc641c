#include "tests/support/ui_driver.h"

#include <vector>


namespace uitest {

Process::Process(const std::string& program, const std::string& arguments) {
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
    info_ = PROCESS_INFORMATION{};
}

Process::~Process() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Process::WaitForExit(DWORD timeoutMs) {
  return info_.hProcess && WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = 0;
  if (!info_.hProcess || !GetExitCodeProcess(info_.hProcess, &code)) return STILL_ACTIVE;
  return code;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(50);
  }
}

namespace {

constexpr DWORD kAnyProcess = 0;

struct Search {
  DWORD processId;  // kAnyProcess: every process
  std::function<bool(HWND)> accepts;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((search->processId != kAnyProcess && owner != search->processId) || !IsWindowVisible(window)) return TRUE;
  if (!search->accepts(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& accepts, DWORD timeoutMs) {
  Search search{processId, accepts};
  WaitUntil(
      [&] {
        search.found = nullptr;
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      timeoutMs);
  return search.found;
}

bool IsDialogClass(HWND window) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  return std::string(name) == "#32770";
}

}  // namespace

HWND WaitForDialog(DWORD processId, int childId, DWORD timeoutMs) {
  return WaitForWindow(
      processId, [childId](HWND w) { return IsDialogClass(w) && GetDlgItem(w, childId) != nullptr; }, timeoutMs);
}

HWND WaitForSetupDialog(DWORD processId, DWORD timeoutMs) { return WaitForDialog(processId, 1000, timeoutMs); }

// The setup dialog has unnamed statics (id 0xFFFF) too; a box is a dialog without a Setup button.
HWND WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  return WaitForWindow(
      processId,
      [](HWND w) { return IsDialogClass(w) && GetDlgItem(w, 0xFFFF) != nullptr && GetDlgItem(w, 1000) == nullptr; },
      timeoutMs);
}

HWND WaitForWindowTitled(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
  return WaitForWindow(processId, [&caption](HWND w) { return TextW(w) == caption; }, timeoutMs);
}

HWND WaitForAnyMessageBoxSaying(const std::string& text, DWORD timeoutMs) {
  return WaitForWindow(
      kAnyProcess, [&text](HWND w) { return IsDialogClass(w) && GetDlgItem(w, 0xFFFF) && MessageBoxText(w) == text; },
      timeoutMs);
}

std::string ProgramOfWindow(HWND window) {
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return std::string();
  char path[MAX_PATH * 2] = {};
  DWORD size = sizeof path;
  const bool read = QueryFullProcessImageNameA(process, 0, path, &size) != FALSE;
  CloseHandle(process);
  return read ? std::string(path, size) : std::string();
}

std::string Text(HWND window) {
  // Sized from the length in characters: the rich edit field answers the ANSI length
  // with 0 once its text has a double-byte character, and such a character takes two bytes.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return std::string();
  std::vector<char> buffer(2 * length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return std::string(buffer.data());
}

std::wstring TextW(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return std::wstring();
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  return std::wstring(buffer.data());
}

std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

std::string MessageBoxText(HWND box) { return ItemText(box, 0xFFFF); }

void Click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool ClickAndWait(HWND dialog, int id) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_ABORTIFHUNG, 30000, &result) != 0;
}

void Answer(HWND box, int buttonId) { Click(box, buttonId); }

bool ItemEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

bool ItemVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

RECT ItemScreenRect(HWND dialog, int id) {
  HWND item = GetDlgItem(dialog, id);
  RECT r{};
  GetClientRect(item, &r);
  MapWindowPoints(item, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int Image::Count(COLORREF colour) const {
  int count = 0;
  for (COLORREF p : pixels) count += p == colour;
  return count;
}

Image CaptureScreen(const RECT& screenRect) {
  Sleep(400);
  Image image;
  image.width = screenRect.right - screenRect.left;
  image.height = screenRect.bottom - screenRect.top;
  if (image.width <= 0 || image.height <= 0) return Image{};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image.width;
  info.bmiHeader.biHeight = -image.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap && bits) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, image.width, image.height, screen, screenRect.left, screenRect.top, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const unsigned char*>(bits);
    image.pixels.resize(static_cast<std::size_t>(image.width) * image.height);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
      image.pixels[i] = RGB(p[i * 4 + 2], p[i * 4 + 1], p[i * 4 + 0]);  // BGRA in memory
    SelectObject(memory, previous);
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return image;
}

void DoubleClickItem(HWND dialog, int id) {
  const RECT r = ItemScreenRect(dialog, id);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT clicks[4] = {};
  const DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  for (int i = 0; i < 4; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dwFlags = flags[i];
  }
  SendInput(4, clicks, sizeof clicks[0]);
}

void MovePointer(HWND window, int x, int y) {
  POINT screen{x, y};
  ClientToScreen(window, &screen);
  SetCursorPos(screen.x, screen.y);
  SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  UpdateWindow(window);
}

int WaitForColourCount(const RECT& screenRect, COLORREF colour, const std::function<bool(int)>& wanted,
                       DWORD timeoutMs) {
  int count = CaptureScreen(screenRect).Count(colour);
  WaitUntil(
      [&] {
        if (wanted(count)) return true;
        count = CaptureScreen(screenRect).Count(colour);
        return wanted(count);
      },
      timeoutMs);
  return count;
}

int CountProductFiles(const std::string& folder) {
  int count = 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      count += CountProductFiles(folder + "\\" + name);
    else if (name != "Uninstall.txt")
      ++count;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

}  // namespace uitest
