#include "net/notice_server_selection.h"

#include <algorithm>
#include <cstring>

namespace net {

void NoticeHostCache::Store(const char* host) {
  const std::size_t length = std::min(std::strlen(host), kCapacity - 1);
  std::memcpy(text_, host, length);
  text_[length] = '\0';
}

std::string NoticePageUrl(const char* host) {
  return std::string("http://") + host + "/index.htm";
}

void SelectNoticeHost(const NoticeServerEntry (&table)[kNoticeServerCount], NoticeProbes& probes,
                      NoticeHostCache& cache, std::string& out) {
  out.clear();
  if (!cache.IsEmpty()) {
    out = cache.Text();
    return;
  }
  for (const NoticeServerEntry& entry : table) {
    const bool answered = entry.kind == kProbeEcho ? probes.Echo(entry.host)
                                                   : probes.Http(NoticePageUrl(entry.host));
    if (answered) {
      cache.Store(entry.host);
      out = cache.Text();
    }
    if (!out.empty()) return;
  }
}

}  // namespace net
