// The probes of the notice server selection on Windows: ICMP echo and WinINet.
#pragma once

#include "net/echo_probe.h"
#include "net/notice_server_selection.h"

namespace net {

// Lives for one selection, as its echo probe does.
class SystemNoticeProbes : public NoticeProbes {
 public:
  bool Echo(const char* host) override;
  bool Http(const std::string& url) override;

 private:
  EchoProbe echo_;
};

}  // namespace net
