// Windows Sockets must be declared before windows.h, which the own header includes.
#include <winsock2.h>

#include "startup/setup_app.h"

#include <commctrl.h>

#include "app/settings_store.h"
#include "install/target_folder.h"
#include "startup/launch_options.h"
#include "text/language.h"
#include "ui/setup_dialog.h"
#include "unattended/unattended_run.h"

namespace {

// The rich edit control of the folder field (window class "RICHEDIT") lives in riched32.
void LoadRichEdit() { LoadLibraryA("riched32.dll"); }

void InitCommonControls95() {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
}

constexpr char kUsage[] =
    "QuorVEXSetup.exe [-u]\n"
    "    The setup dialog; -u removes QuorVEX.\n\n"
    "QuorVEXSetup.exe [-u] /S [/LOG=file] [/D=folder]\n"
    "    Installs (or with -u removes) QuorVEX without any window.\n"
    "    /D= sets the folder; it comes last and may hold spaces.\n"
    "    /LOG= writes every step to a file (UTF-8).\n"
    "    Exit code: 0 done, 1 failed (the log says where), 2 bad command line.\n\n"
    "QuorVEXSetup.exe /?\n"
    "    This text.";

}  // namespace

void LimitDllSearchToSystem() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  // Absent on systems without the 2011 loader update; SetDllDirectory then at least takes
  // the current folder out of the search.
  auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (!setDefaultDllDirectories || !setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryA("");
}

SetupApp::SetupApp(SocketStartup startSockets) : startSockets_(startSockets) {}

SetupApp::~SetupApp() {
  if (socketsStarted_) WSACleanup();
}

bool SetupApp::StartWindowsSockets() {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

BOOL SetupApp::InitInstance() {
  const startup::LaunchOptions options =
      startup::ParseLaunchOptions(startup::ArgumentsOf(GetCommandLineA()), &IsSystemLeadByte);

  // One read of LANGTYPE decides the language index and the template, so the two agree
  // even if the setting changes while the program starts.
  const int langType = ReadSettingDword("OPTION_ETC", "LANGTYPE", 0);
  const unsigned oemCodePage = GetOEMCP();
  language::SetIndex(language::LanguageIndexFor(langType, oemCodePage));

  switch (options.mode) {
    case startup::LaunchOptions::Mode::kUsage:
      platform::AppMessageBox(kUsage, MB_OK | MB_ICONINFORMATION);
      return FALSE;
    case startup::LaunchOptions::Mode::kInvalid:
      SetExitCode(unattended::RefuseCommandLine(options.logFile, options.error));
      return FALSE;
    case startup::LaunchOptions::Mode::kUnattended:
      // No window, no box, no network: the notice servers serve only the dialog.
      SetExitCode(unattended::Run(unattended::Request{options.uninstall, options.hasFolder, options.folder,
                                                      options.logFile}));
      return FALSE;
    case startup::LaunchOptions::Mode::kDialog:
      break;
  }

  socketsStarted_ = startSockets_();
  if (!socketsStarted_) {
    // The string table holds this text in Japanese only, so it is Japanese in every language.
    platform::AppMessageBoxFromResource(kSocketFailureStringId, MB_OK);
    return FALSE;
  }
  LoadRichEdit();
  InitCommonControls95();

  SetupDialog dialog(language::SetupTemplateFor(langType, oemCodePage), nullptr, options.uninstall);
  dialog.DoModal();
  SetMainWindow(nullptr);
  return FALSE;
}
