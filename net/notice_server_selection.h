// Choosing the notice server: the table is tried in order, the first host that answers
// is remembered for the rest of the process. Portable; the probes are supplied.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace net {

enum NoticeProbeKind : std::int32_t { kProbeHttp = 0, kProbeEcho = 1 };

struct NoticeServerEntry {
  std::int32_t kind;  // kProbeEcho: ICMP echo; any other value: HTTP
  const char* host;   // host name, or host/dir for HTTP entries
};

constexpr std::size_t kNoticeServerCount = 3;

// The ways a host is asked whether it answers. Each returns true on an answer; failures
// are silent.
class NoticeProbes {
 public:
  virtual ~NoticeProbes() = default;
  virtual bool Echo(const char* host) = 0;
  // GET of "http://" + hostAndDir + "/index.htm"; any response counts.
  virtual bool Http(const std::string& url) = 0;
};

// The chosen host: at most 255 characters, empty until a host has answered and never
// cleared afterwards.
class NoticeHostCache {
 public:
  static constexpr std::size_t kCapacity = 256;  // including the terminator

  bool IsEmpty() const { return text_[0] == '\0'; }
  const char* Text() const { return text_; }
  // Longer hosts are cut at 255 characters rather than overrunning the buffer.
  void Store(const char* host);

 private:
  char text_[kCapacity] = {};
};

std::string NoticePageUrl(const char* host);

// Sets `out` to the cached host, or probes the table in order and caches the first host
// that answers; leaves `out` empty when none does.
void SelectNoticeHost(const NoticeServerEntry (&table)[kNoticeServerCount], NoticeProbes& probes,
                      NoticeHostCache& cache, std::string& out);

}  // namespace net
