#include "bytes/little_endian.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace {

// Usable in constant expressions: layouts may check their sample bytes at compile time.
constexpr std::uint8_t kSample[] = {0x78, 0x56, 0x34, 0x12};
static_assert(ReadLittleEndian32(kSample) == 0x12345678u, "reads at compile time");

constexpr std::uint64_t RoundTrip64(std::uint64_t value) {
  std::uint8_t bytes[8] = {};
  WriteLittleEndian64(bytes, value);
  return ReadLittleEndian64(bytes);
}
static_assert(RoundTrip64(0x0123456789ABCDEFull) == 0x0123456789ABCDEFull, "writes at compile time");

struct Case {
  const char* what;
  std::vector<std::uint8_t> bytes;  // lowest byte first; its size is the width
  std::uint64_t value;
};

const Case kCases[] = {
    {"16: low byte first", {0x34, 0x12}, 0x1234},
    {"16: a high top bit", {0xFF, 0x80}, 0x80FF},
    {"32: low byte first", {0x78, 0x56, 0x34, 0x12}, 0x12345678},
    {"32: only the top bit, no sign", {0x00, 0x00, 0x00, 0x80}, 0x80000000},
    {"32: all ones", {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFF},
    {"64: every byte in its place", {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}, 0x0807060504030201},
    {"64: a full low half stays low", {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}, 0x00000000FFFFFFFF},
    {"64: a full high half stays high", {0x00, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFFFFF00000000},
    {"64: only the top bit", {0, 0, 0, 0, 0, 0, 0, 0x80}, 0x8000000000000000},
};

// Fields sit at any offset: an odd one, between guard bytes that must stay untouched.
constexpr std::size_t kAt = 3;
constexpr std::uint8_t kGuard = 0xA5;

std::uint64_t Read(const std::uint8_t* bytes, std::size_t width) {
  switch (width) {
    case 2: return ReadLittleEndian16(bytes);
    case 4: return ReadLittleEndian32(bytes);
    default: return ReadLittleEndian64(bytes);
  }
}

void Write(std::uint8_t* bytes, std::size_t width, std::uint64_t value) {
  switch (width) {
    case 2: WriteLittleEndian16(bytes, static_cast<std::uint16_t>(value)); break;
    case 4: WriteLittleEndian32(bytes, static_cast<std::uint32_t>(value)); break;
    default: WriteLittleEndian64(bytes, value); break;
  }
}

TEST(LittleEndianTest, ReadsTheLowestByteFirst) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    std::array<std::uint8_t, 16> buffer;
    buffer.fill(kGuard);
    std::copy(c.bytes.begin(), c.bytes.end(), buffer.begin() + kAt);
    EXPECT_EQ(Read(buffer.data() + kAt, c.bytes.size()), c.value);
  }
}

TEST(LittleEndianTest, WritesTheLowestByteFirstAndNothingAround) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    std::array<std::uint8_t, 16> buffer;
    buffer.fill(kGuard);
    Write(buffer.data() + kAt, c.bytes.size(), c.value);
    std::array<std::uint8_t, 16> expected;
    expected.fill(kGuard);
    std::copy(c.bytes.begin(), c.bytes.end(), expected.begin() + kAt);
    EXPECT_EQ(buffer, expected);
  }
}

}  // namespace
