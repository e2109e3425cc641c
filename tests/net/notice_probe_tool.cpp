// Drives the notice server client's Windows probes from the command line, for the
// network tests (which run it inside the test hosts' namespace):
//   notice_probe_tool ping HOST                 -> "pid=N" "ping=0|1"
//   notice_probe_tool http URL                  -> "http=0|1"
//   notice_probe_tool select KIND:HOST x3       -> "host=..." (KIND 1 echo, 0 HTTP)
//   notice_probe_tool notice-host               -> "host=..." "again=..." (this build's table)
#include <winsock2.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/echo_probe.h"
#include "net/http_probe.h"
#include "net/notice_server.h"
#include "net/notice_server_selection.h"
#include "net/system_notice_probes.h"

namespace {

class SocketsSession {
 public:
  SocketsSession() {
    WSADATA data;
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~SocketsSession() {
    if (started_) WSACleanup();
  }
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};

int Usage() {
  std::fprintf(stderr, "usage: notice_probe_tool ping HOST | http URL | select K:H K:H K:H | notice-host\n");
  return 2;
}

int Select(char** specs) {
  std::string hosts[net::kNoticeServerCount];
  net::NoticeServerEntry table[net::kNoticeServerCount];
  for (std::size_t i = 0; i < net::kNoticeServerCount; ++i) {
    const char* colon = std::strchr(specs[i], ':');
    if (colon == nullptr) return Usage();
    hosts[i] = colon + 1;
    table[i] = {std::atoi(specs[i]), hosts[i].c_str()};
  }
  net::SystemNoticeProbes probes;
  net::NoticeHostCache cache;
  std::string out;
  net::SelectNoticeHost(table, probes, cache, out);
  std::printf("host=%s\n", out.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  SocketsSession sockets;
  if (!sockets.Started()) {
    std::fprintf(stderr, "WSAStartup failed\n");
    return 1;
  }
  if (argc == 3 && std::strcmp(argv[1], "ping") == 0) {
    std::printf("pid=%lu\n", GetCurrentProcessId());
    std::fflush(stdout);
    std::printf("ping=%d\n", EchoProbe().Ping(argv[2]));
  } else if (argc == 3 && std::strcmp(argv[1], "http") == 0) {
    std::printf("http=%d\n", net::HttpPageAnswers(argv[2]) ? 1 : 0);
  } else if (argc == 5 && std::strcmp(argv[1], "select") == 0) {
    return Select(argv + 2);
  } else if (argc == 2 && std::strcmp(argv[1], "notice-host") == 0) {
    std::printf("host=%s\n", GetNoticeHost());
    std::printf("again=%s\n", GetNoticeHost());
  } else {
    return Usage();
  }
  return 0;
}
