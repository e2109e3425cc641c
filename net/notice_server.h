// The notice server whose index page the setup dialog's footer link opens.
#pragma once

#include <string>

// The first notice server host that answers (probed on the first call, remembered after
// the first answer), or an empty text when none answered. Blocks while probing.
const char* GetNoticeHost();

// Sets `out` to the chosen host (probing while none has answered yet), or leaves it empty.
void SelectNoticeHost(std::string& out);
