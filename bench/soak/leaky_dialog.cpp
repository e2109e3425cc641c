// A stand-in for the setup program that leaks on purpose, so that soak_driver's growth
// rule can be seen to catch leaks (check_rule.sh). It answers the driver as the setup
// program does: a dialog with Setup (1000), Start (1001), the folder field (1012), the
// status line (1008) and Exit; "-u" removes from its own folder; "/S /D=folder" installs
// without a window. Every run leaks an event handle, a brush and 256 KiB; a timer leaks
// a brush a second.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr int kSetup = 1000, kStart = 1001, kStatus = 1008, kFolder = 1012;
constexpr UINT kRunEnded = WM_APP + 1;
bool g_uninstall = false;

std::string OwnFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\'));
}

void Touch(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

void Install(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\bin").c_str(), nullptr);
  Touch(folder + "\\QuorVEX.exe");
  Touch(folder + "\\bin\\quorvex_codec.dll");
  Touch(folder + "\\Uninstall.txt");
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  CopyFileA(self, (folder + "\\QuorVEXSetup.exe").c_str(), FALSE);  // fails while that copy runs
}

void Uninstall(const std::string& folder) {
  DeleteFileA((folder + "\\QuorVEX.exe").c_str());
  DeleteFileA((folder + "\\bin\\quorvex_codec.dll").c_str());
  DeleteFileA((folder + "\\Uninstall.txt").c_str());
}

void Leak() {
  CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CreateSolidBrush(RGB(1, 2, 3));
  // From the heap by its own call: an unused operator new may be left out by the compiler.
  if (void* block = HeapAlloc(GetProcessHeap(), 0, 256 * 1024)) std::memset(block, 1, 256 * 1024);
}

HWND Child(HWND dialog, const char* kind, const char* text, DWORD style, int id, int y) {
  HWND child = CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, 10, y, 200, 22, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  return child;
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Child(dialog, "EDIT", g_uninstall ? OwnFolder().c_str() : "", WS_BORDER, kFolder, 10);
      Child(dialog, "STATIC", "", 0, kStatus, 40);
      Child(dialog, "BUTTON", g_uninstall ? "Uninstall" : "Setup", BS_PUSHBUTTON, kSetup, 70);
      Child(dialog, "BUTTON", "Start", BS_PUSHBUTTON, kStart, 100);
      Child(dialog, "BUTTON", "Exit", BS_PUSHBUTTON, IDCANCEL, 130);
      EnableWindow(GetDlgItem(dialog, kStart), FALSE);
      SetTimer(dialog, 1, 1000, nullptr);
      return TRUE;
    case WM_TIMER:
      CreateSolidBrush(RGB(4, 5, 6));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == kSetup && HIWORD(wParam) == BN_CLICKED) {
        EnableWindow(GetDlgItem(dialog, kSetup), FALSE);
        char folder[MAX_PATH] = {};
        GetDlgItemTextA(dialog, kFolder, folder, MAX_PATH);
        if (g_uninstall)
          Uninstall(folder);
        else
          Install(folder);
        Leak();
        SetDlgItemTextA(dialog, kStatus, "Completed");
        PostMessageA(dialog, kRunEnded, 0, 0);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case kRunEnded:
      EnableWindow(GetDlgItem(dialog, kSetup), TRUE);
      EnableWindow(GetDlgItem(dialog, kStart), !g_uninstall);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  const std::string line = commandLine;
  const std::size_t folderAt = line.find("/D=");
  if (line.find("/S") != std::string::npos && folderAt != std::string::npos) {
    Install(line.substr(folderAt + 3));
    return 0;
  }
  g_uninstall = line.find("-u") != std::string::npos;
  struct {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
  } dialog{};
  dialog.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  dialog.head.cx = 160;
  dialog.head.cy = 110;
  DialogBoxIndirectParamA(instance, &dialog.head, nullptr, &DialogProc, 0);
  return 0;
}
