#include "net/echo_request.h"

#include "bytes/little_endian.h"

namespace net {

std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t sum = 0;
  std::size_t i = 0;
  for (; i + 1 < size; i += 2) sum += ReadLittleEndian16(bytes + i);
  if (i < size) sum += bytes[i];
  // Twice: the first fold can itself carry into bit 16.
  sum = (sum >> 16) + (sum & 0xFFFF);
  sum += sum >> 16;
  return static_cast<std::uint16_t>(~sum & 0xFFFF);
}

EchoRequestBytes BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                  std::uint32_t timestamp) {
  using namespace echo_request;
  EchoRequestBytes message{};
  message[kTypeOffset] = kTypeEchoRequest;
  message[kCodeOffset] = 0;
  WriteLittleEndian16(&message[kIdentifierOffset], identifier);
  WriteLittleEndian16(&message[kSequenceOffset], sequence);
  WriteLittleEndian32(&message[kTimestampOffset], timestamp);
  for (std::size_t i = 0; i < kDataSize; ++i) message[kDataOffset + i] = kDataByte;
  // The checksum field is still 0 here, as the sum requires.
  WriteLittleEndian16(&message[kChecksumOffset], InternetChecksum(message.data(), message.size()));
  return message;
}

}  // namespace net
