// The sample product's program: shows a box and exits. Tests start it with --quiet, which
// exits at once with code 0 and no window.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  if (commandLine && std::strstr(commandLine, "--quiet")) return 0;
  MessageBoxA(nullptr, "QuorVEX sample product.", "QuorVEX", MB_OK | MB_ICONINFORMATION);
  return 0;
}
