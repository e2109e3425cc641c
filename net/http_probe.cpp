#include "net/http_probe.h"

#include <new>
#include <string>

#include "net/unique_socket.h"
#include "platform/worker_thread.h"

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

// What the request's thread and its caller share. Whoever lets go of it last frees it, so
// a request left behind at the deadline finishes (and closes its handles) by itself.
struct PendingRequest {
  std::string url;
  HANDLE done = nullptr;
  volatile LONG owners = 2;
  volatile LONG answered = 0;
};

void Release(PendingRequest* request) {
  if (InterlockedDecrement(&request->owners) != 0) return;
  CloseHandle(request->done);
  delete request;
}

unsigned __stdcall RequestThread(void* parameter) {
  auto* request = static_cast<PendingRequest*>(parameter);
  InterlockedExchange(&request->answered, OpenPage(request->url) ? 1 : 0);
  SetEvent(request->done);
  Release(request);
  return 0;
}

}  // namespace

bool HttpPageAnswers(const std::string& url) {
  auto* request = new (std::nothrow) PendingRequest;
  if (!request) return false;
  try {
    request->url = url;
  } catch (const std::bad_alloc&) {
    delete request;
    return false;
  }
  request->done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!request->done) {
    delete request;
    return false;
  }
  // The thread's handle is not needed: the event says when the request is done.
  if (!platform::BeginWorkerThread(&RequestThread, request)) {
    CloseHandle(request->done);
    delete request;
    return false;
  }
  const bool answered =
      WaitForSingleObject(request->done, kHttpDeadlineMs) == WAIT_OBJECT_0 && request->answered == 1;
  Release(request);
  return answered;
}

}  // namespace net
