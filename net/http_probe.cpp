#include "net/http_probe.h"

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "net/unique_socket.h"

namespace net {
namespace {

constexpr DWORD_PTR kContext = 1;
// Sent as well as INTERNET_FLAG_RELOAD, which only bypasses WinINet's own cache: these
// make proxies on the way fetch from the server too.
constexpr char kNoCacheHeaders[] = "Pragma: no-cache\r\nCache-Control: no-cache\r\n";

void BoundRequestTime(HINTERNET session) {
  struct Option {
    DWORD id;
    DWORD value;
  };
  // Where WinINet honours them they end the request even sooner than the deadline;
  // one connect attempt, since retries would multiply the connect time-out.
  const Option options[] = {
      {INTERNET_OPTION_CONNECT_TIMEOUT, kHttpDeadlineMs},
      {INTERNET_OPTION_CONNECT_RETRIES, 1},
      {INTERNET_OPTION_SEND_TIMEOUT, kHttpDeadlineMs},
      {INTERNET_OPTION_RECEIVE_TIMEOUT, kHttpDeadlineMs},
  };
  for (const Option& option : options) {
    DWORD value = option.value;
    InternetSetOptionA(session, option.id, &value, sizeof value);
  }
}

bool OpenPage(const std::string& url) {
  UniqueInternetHandle session(
      InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) return false;
  BoundRequestTime(session.Get());
  const UniqueInternetHandle page(
      InternetOpenUrlA(session.Get(), url.c_str(), kNoCacheHeaders, sizeof kNoCacheHeaders - 1,
                       INTERNET_FLAG_RELOAD | INTERNET_FLAG_TRANSFER_BINARY, kContext));
  return page.IsValid();
}

}  // namespace

bool HttpPageAnswers(const std::string& url) {
  // The request runs on a thread of its own that owns everything it uses, so that when
  // the deadline passes it can be left to finish (and close its handles) by itself.
  auto answer = std::make_shared<std::promise<bool>>();
  std::future<bool> answered = answer->get_future();
  try {
    std::thread([url, answer] { answer->set_value(OpenPage(url)); }).detach();
  } catch (const std::system_error&) {
    return false;
  }
  if (answered.wait_for(std::chrono::milliseconds(kHttpDeadlineMs)) != std::future_status::ready) {
    return false;
  }
  return answered.get();
}

}  // namespace net
