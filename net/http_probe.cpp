#include "net/http_probe.h"

#include "net/unique_socket.h"

namespace net {
namespace {

constexpr DWORD_PTR kContext = 1;

void BoundRequestTime(HINTERNET session) {
  struct Option {
    DWORD id;
    DWORD value;
  };
  // One connect attempt: retries would multiply the connect time-out.
  const Option options[] = {
      {INTERNET_OPTION_CONNECT_TIMEOUT, kHttpConnectTimeoutMs},
      {INTERNET_OPTION_CONNECT_RETRIES, 1},
      {INTERNET_OPTION_SEND_TIMEOUT, kHttpSendTimeoutMs},
      {INTERNET_OPTION_RECEIVE_TIMEOUT, kHttpReceiveTimeoutMs},
  };
  for (const Option& option : options) {
    DWORD value = option.value;
    InternetSetOptionA(session, option.id, &value, sizeof value);
  }
}

}  // namespace

bool HttpPageAnswers(const std::string& url) {
  UniqueInternetHandle session(
      InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  BoundRequestTime(session.Get());
  const UniqueInternetHandle page(InternetOpenUrlA(session.Get(), url.c_str(), nullptr, 0,
                                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY,
                                                   kContext));
  return page.IsValid();
}

}  // namespace net
