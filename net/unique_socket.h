// RAII owners for a Windows Sockets socket and WinINet handles (the error code survives
// the close, as with every owner of the platform layer).
#pragma once

#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include "platform/unique_handle.h"

namespace net {

struct SocketTraits {
  using Type = SOCKET;
  static Type Invalid() { return INVALID_SOCKET; }
  static void Close(Type s) { closesocket(s); }
};

struct InternetHandleTraits {
  using Type = HINTERNET;
  static Type Invalid() { return nullptr; }
  static void Close(Type h) { InternetCloseHandle(h); }
};

using UniqueSocket = platform::UniqueResource<SocketTraits>;
using UniqueInternetHandle = platform::UniqueResource<InternetHandleTraits>;

}  // namespace net
