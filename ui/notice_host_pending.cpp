// Built only while the notice server client has no library yet (see CMakeLists.txt): no
// server is known, which GetNoticeHost reports as an empty host. Goes away by itself once
// the net library exists.
#include "net/notice_server.h"

const char* GetNoticeHost() { return ""; }
