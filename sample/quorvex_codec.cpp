// The sample product's DLL: a stand-in codec so that the payload holds a file in a
// sub-folder that a program would load.
#include <windows.h>

extern "C" __declspec(dllexport) int QuorVEXCodecVersion() { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
