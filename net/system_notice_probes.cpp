#include "net/system_notice_probes.h"

#include "net/http_probe.h"

namespace net {

bool SystemNoticeProbes::Echo(const char* host) { return echo_.Ping(host) == 1; }

bool SystemNoticeProbes::Http(const std::string& url) { return HttpPageAnswers(url); }

}  // namespace net
