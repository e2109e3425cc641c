// Asks a host for any sign of life with an ICMP echo request over a raw socket.
#pragma once

class EchoProbe {
 public:
  // 1 when any datagram arrives within 500 ms of one of at most two requests, else 0.
  // `host` is a host name or a dotted IPv4 address. Needs Windows Sockets started.
  int Ping(const char* host);
};
