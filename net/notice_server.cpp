// The notice server table of this build and the process's choice among it. The hosts
// come from the build (QX_NOTICE_HOST_1..3), so test builds can point at test hosts.
#include "net/notice_server.h"

#include "net/notice_server_selection.h"
#include "net/system_notice_probes.h"

namespace {

constexpr net::NoticeServerEntry kNoticeServers[net::kNoticeServerCount] = {
    {net::kProbeEcho, QX_NOTICE_HOST_1},
    {net::kProbeEcho, QX_NOTICE_HOST_2},
    {net::kProbeHttp, QX_NOTICE_HOST_3},  // host/dir
};

net::NoticeHostCache g_hostCache;  // only the dialog's thread selects
std::string g_noticeHost;           // and only it reads the choice

}  // namespace

void SelectNoticeHost(std::string& out) {
  net::SystemNoticeProbes probes;
  net::SelectNoticeHost(kNoticeServers, probes, g_hostCache, out);
}

const char* GetNoticeHost() {
  if (g_noticeHost.empty()) SelectNoticeHost(g_noticeHost);
  return g_noticeHost.c_str();
}
