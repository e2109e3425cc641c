// The setup program's command line: uninstall mode is chosen by "-u" in the arguments.
#pragma once

namespace ui {

// The arguments of a command line: what follows the program name (quoted or not) and the
// blanks after it. The program's own path may contain "-u" and must not count.
const char* ArgumentsOf(const char* commandLine);

// True when the arguments contain "-u" anywhere, also inside a longer word.
bool SelectsUninstallMode(const char* arguments);

}  // namespace ui
