// The program's entry: the one application object and WinMain.
#include <windows.h>

#include "startup/setup_app.h"

SetupApp g_setupApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  LimitDllSearchToSystem();
  return g_setupApp.Run(instance);
}
