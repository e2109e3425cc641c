#include <winsock2.h>

#include "net/echo_probe.h"

#include <cstring>

#include "net/echo_request.h"
#include "net/unique_socket.h"

namespace {

constexpr DWORD kTimeoutMs = 500;  // each send and each receive
constexpr int kAttempts = 2;
constexpr int kReplyBufferSize = 1024;

bool SetTimeouts(SOCKET s) {
  const DWORD timeout = kTimeoutMs;
  const char* value = reinterpret_cast<const char*>(&timeout);
  return setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, value, sizeof timeout) != SOCKET_ERROR &&
         setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, value, sizeof timeout) != SOCKET_ERROR;
}

// Name first, then dotted address. Only an IPv4 entry is taken: its address must fit
// the 4 bytes of the destination.
bool ResolveDestination(const char* host, sockaddr_in& destination) {
  std::memset(&destination, 0, sizeof destination);
  if (const hostent* entry = gethostbyname(host)) {
    if (entry->h_addrtype != AF_INET || entry->h_length != sizeof destination.sin_addr ||
        entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr) {
      return false;
    }
    destination.sin_family = AF_INET;
    std::memcpy(&destination.sin_addr, entry->h_addr_list[0], sizeof destination.sin_addr);
    return true;
  }
  const unsigned long address = inet_addr(host);
  if (address == INADDR_NONE) return false;
  destination.sin_family = AF_INET;
  destination.sin_addr.s_addr = address;
  return true;
}

}  // namespace

int EchoProbe::Ping(const char* host) {
  net::UniqueSocket s(socket(AF_INET, SOCK_RAW, IPPROTO_ICMP));
  if (!s) return 0;
  if (!SetTimeouts(s.Get())) return 0;
  sockaddr_in destination;
  if (!ResolveDestination(host, destination)) return 0;

  const std::uint16_t identifier = net::EchoIdentifierFor(GetCurrentProcessId());
  char reply[kReplyBufferSize] = {};
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const net::EchoRequestBytes request =
        net::BuildEchoRequest(identifier, static_cast<std::uint16_t>(attempt), GetTickCount());
    const int sent = sendto(s.Get(), reinterpret_cast<const char*>(request.data()),
                            static_cast<int>(request.size()), 0,
                            reinterpret_cast<const sockaddr*>(&destination), sizeof destination);
    if (sent != SOCKET_ERROR) {
      // Any datagram counts: the reply is not examined.
      sockaddr_in sender;
      int senderLength = sizeof sender;
      if (recvfrom(s.Get(), reply, sizeof reply, 0, reinterpret_cast<sockaddr*>(&sender),
                   &senderLength) != SOCKET_ERROR) {
        return 1;
      }
    }
    if (WSAGetLastError() != WSAETIMEDOUT) return 0;
  }
  return 0;
}
