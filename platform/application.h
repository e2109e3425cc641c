// The application object: one per process, constructed during static initialisation,
// started by WinMain. Stands in for the framework's application class.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

class Application {
 public:
  Application();
  virtual ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // The program's whole life; its result is not the process's exit code (SetExitCode).
  virtual BOOL InitInstance() = 0;

  // Called by WinMain: records the module, derives the title and runs InitInstance; returns
  // the exit code InitInstance set (0 unless it set one).
  int Run(HINSTANCE module);
  void SetExitCode(int code) { exitCode_ = code; }

  static Application* Instance();
  HINSTANCE Module() const { return module_; }
  // The executable's base name: the caption of the framework's message boxes.
  const std::string& Title() const { return title_; }
  HWND MainWindow() const { return mainWindow_; }
  void SetMainWindow(HWND window) { mainWindow_ = window; }

 private:
  HINSTANCE module_ = nullptr;
  std::string title_;
  HWND mainWindow_ = nullptr;
  int exitCode_ = 0;
};

// The framework's message box: the application title as caption, owned by the main
// window when it exists. Not subject to the program's own busy rule.
int AppMessageBox(const char* text, UINT type);

// The same box for a string resource, shown in UTF-16 so that a resource text written in
// another script than the system's code page still reads correctly.
int AppMessageBoxFromResource(UINT stringId, UINT type);

// The module of the running program (the one that holds its resources).
HINSTANCE ProgramModule();

}  // namespace platform
