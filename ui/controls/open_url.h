// Opens an address in a new browser window.
#pragma once

#include <windows.h>

namespace ui {

// The browser automation object first; when it cannot be created or fails, the shell's
// "open" of the address (the user's default handler). Silent on every failure. Does not
// initialise COM: without COM on the calling thread the shell opens the address.
void OpenUrl(HWND owner, const char* url);

}  // namespace ui
