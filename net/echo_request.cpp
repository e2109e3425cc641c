#include "net/echo_request.h"

namespace net {
namespace {

void PutLittleEndian16(std::uint8_t* at, std::uint16_t value) {
  at[0] = static_cast<std::uint8_t>(value & 0xFF);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutLittleEndian32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

}  // namespace

std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t sum = 0;
  std::size_t i = 0;
  for (; i + 1 < size; i += 2) sum += static_cast<std::uint32_t>(bytes[i] | (bytes[i + 1] << 8));
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
  PutLittleEndian16(&message[kIdentifierOffset], identifier);
  PutLittleEndian16(&message[kSequenceOffset], sequence);
  PutLittleEndian32(&message[kTimestampOffset], timestamp);
  for (std::size_t i = 0; i < kDataSize; ++i) message[kDataOffset + i] = kDataByte;
  // The checksum field is still 0 here, as the sum requires.
  PutLittleEndian16(&message[kChecksumOffset], InternetChecksum(message.data(), message.size()));
  return message;
}

}  // namespace net
