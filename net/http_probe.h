// Asks a web server whether a page can be opened, through WinINet.
#pragma once

#include <string>

namespace net {

// The probe blocks the dialog's start, and WinINet's own time-outs are not reliable
// (Wine ignores them; a black-holed host then holds the request for two minutes), so
// the whole request gets a deadline of its own.
constexpr unsigned long kHttpDeadlineMs = 1500;

// True once any response arrives within the deadline for a cache-bypassing GET of
// `url`, whatever its status; nothing is read. Failures are silent.
bool HttpPageAnswers(const std::string& url);

}  // namespace net
