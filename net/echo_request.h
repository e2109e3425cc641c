// The ICMP echo request the echo probe sends: its byte layout and its checksum.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace net {

// Layout of the 44-byte request. Multi-byte fields are little-endian as the probe has
// always sent them (not network order); receivers echo them back unread.
namespace echo_request {
constexpr std::size_t kTypeOffset = 0;        // 1 byte: 8 (echo request)
constexpr std::size_t kCodeOffset = 1;        // 1 byte: 0
constexpr std::size_t kChecksumOffset = 2;    // 2 bytes: RFC 1071 over all 44 bytes
constexpr std::size_t kIdentifierOffset = 4;  // 2 bytes: low 16 bits of the process id
constexpr std::size_t kSequenceOffset = 6;    // 2 bytes: attempt number
constexpr std::size_t kTimestampOffset = 8;   // 4 bytes: GetTickCount of the attempt
constexpr std::size_t kDataOffset = 12;       // 32 bytes of kDataByte
constexpr std::size_t kDataSize = 32;
constexpr std::size_t kSize = kDataOffset + kDataSize;

constexpr std::uint8_t kTypeEchoRequest = 8;
constexpr std::uint8_t kDataByte = 0x45;  // 'E'

static_assert(kChecksumOffset == kCodeOffset + 1, "checksum follows code");
static_assert(kIdentifierOffset == kChecksumOffset + 2, "identifier follows checksum");
static_assert(kSequenceOffset == kIdentifierOffset + 2, "sequence follows identifier");
static_assert(kTimestampOffset == kSequenceOffset + 2, "timestamp follows sequence");
static_assert(kDataOffset == kTimestampOffset + 4, "data follows timestamp");
static_assert(kSize == 44, "the request is 44 bytes");
static_assert(kSize % 2 == 0, "the checksum covers whole 16-bit words");
}  // namespace echo_request

using EchoRequestBytes = std::array<std::uint8_t, echo_request::kSize>;

// The Internet checksum (RFC 1071) of `size` bytes: 16-bit words read little-endian,
// summed in 32 bits, carries folded back twice, complemented. Stored little-endian at
// the checksum field it makes the message valid on the wire (the sum is byte-order
// independent). An odd trailing byte counts as the low byte of a last word.
std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t size);

// The request for one attempt, checksum included.
EchoRequestBytes BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                  std::uint32_t timestamp);

// The identifier field's value for a process id: its low 16 bits.
constexpr std::uint16_t EchoIdentifierFor(std::uint32_t processId) {
  return static_cast<std::uint16_t>(processId & 0xFFFFu);
}

}  // namespace net
