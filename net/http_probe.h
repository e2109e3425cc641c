// Asks a web server whether a page can be opened, through WinINet.
#pragma once

#include <string>

namespace net {

// Bounds for the request: the probe blocks the dialog's start, and WinINet's defaults
// would leave a black-holed host blocking it for a minute or more.
constexpr unsigned long kHttpConnectTimeoutMs = 1500;
constexpr unsigned long kHttpSendTimeoutMs = 1500;
constexpr unsigned long kHttpReceiveTimeoutMs = 1500;

// True once any response arrives for a cache-bypassing GET of `url`, whatever its
// status; nothing is read. Failures are silent.
bool HttpPageAnswers(const std::string& url);

}  // namespace net
