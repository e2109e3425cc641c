// The application object of the Setup Application: its start-up routine is the whole
// life of the program (the modal setup dialog is the only message loop).
#pragma once

#include <windows.h>

#include "platform/application.h"
#include "res/resource_ids.h"

class SetupApp : public platform::Application {
 public:
  using SocketStartup = bool (*)();

  // startSockets brings up Windows Sockets; tests pass one that fails.
  explicit SetupApp(SocketStartup startSockets = &StartWindowsSockets);
  ~SetupApp() override;

  BOOL InitInstance() override;

  static bool StartWindowsSockets();

 private:
  SocketStartup startSockets_;
  bool socketsStarted_ = false;
};

// Limits the DLL search path to System32, so that a DLL planted beside the program (a
// setup is often run from a downloads folder) is never loaded. Call before anything else.
void LimitDllSearchToSystem();

// String resource ids of start-up.
constexpr UINT kSocketFailureStringId = IDS_SOCKETS_INIT_FAILED;
