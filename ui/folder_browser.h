// The shell's folder picker for the setup folder.
#pragma once

#include <windows.h>

namespace ui {

// Asks for a folder; 1 with its path (shorter than 260 characters) copied into path, a
// buffer of at least MAX_PATH bytes, else 0. An item without a file-system path shows
// message 543.
int BrowseForFolder(HWND owner, char* path);

}  // namespace ui
