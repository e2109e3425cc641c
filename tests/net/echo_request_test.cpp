#include "net/echo_request.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using net::BuildEchoRequest;
using net::EchoRequestBytes;
using net::InternetChecksum;
namespace layout = net::echo_request;

struct ChecksumCase {
  const char* name;
  std::vector<std::uint8_t> bytes;
  std::uint16_t expected;
};

class ChecksumTest : public ::testing::TestWithParam<ChecksumCase> {};

TEST_P(ChecksumTest, MatchesHandComputedValue) {
  const ChecksumCase& c = GetParam();
  EXPECT_EQ(c.expected, InternetChecksum(c.bytes.data(), c.bytes.size())) << c.name;
}

// Words are read little-endian. Sums worked by hand:
INSTANTIATE_TEST_SUITE_P(
    Vectors, ChecksumTest,
    ::testing::Values(
        ChecksumCase{"empty", {}, 0xFFFF},
        // 0x0001 + 0x0002 = 0x0003
        ChecksumCase{"two words", {0x01, 0x00, 0x02, 0x00}, 0xFFFC},
        // 0x0201 + 0x0003 (odd trailing byte is a low byte) = 0x0204
        ChecksumCase{"odd length", {0x01, 0x02, 0x03}, 0xFDFB},
        // 0xFFFF + 0x0001 = 0x10000 -> one fold gives 0x0001
        ChecksumCase{"one carry", {0xFF, 0xFF, 0x01, 0x00}, 0xFFFE},
        // 0xFFFF + 0xFFFF + 0x0001 = 0x1FFFF -> 0x10000 after one fold, 0x0001 after the
        // second; a single fold would give 0xFFFF.
        ChecksumCase{"carry out of the first fold", {0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00}, 0xFFFE},
        // 0x8000 + 0x8000 = 0x10000; + 0x0080 (trailing byte 0x80) = 0x10080 -> 0x0081
        ChecksumCase{"odd length with carry", {0x00, 0x80, 0x00, 0x80, 0x80}, 0xFF7E}),
    [](const ::testing::TestParamInfo<ChecksumCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name) if (ch == ' ') ch = '_';
      return name;
    });

// The sum of the message's 16-bit words in network (big-endian) order, folded: a message
// is valid on the wire when it is 0xFFFF.
std::uint16_t WireSum(const EchoRequestBytes& message) {
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i < message.size(); i += 2) sum += (message[i] << 8) | message[i + 1];
  while (sum >> 16) sum = (sum >> 16) + (sum & 0xFFFF);
  return static_cast<std::uint16_t>(sum);
}

TEST(EchoRequestTest, LayoutOfAKnownRequest) {
  const EchoRequestBytes m = BuildEchoRequest(0x1234, 0, 0x11223344);
  // Words: 0x0008 + 0x1234 + 0 + 0x3344 + 0x1122 + 16 * 0x4545 = 0x4AAF2 -> 0xAAF6 -> ~ 0x5509
  const std::uint8_t expectedHead[layout::kDataOffset] = {
      0x08, 0x00, 0x09, 0x55, 0x34, 0x12, 0x00, 0x00, 0x44, 0x33, 0x22, 0x11};
  for (std::size_t i = 0; i < layout::kDataOffset; ++i) {
    EXPECT_EQ(expectedHead[i], m[i]) << "byte " << i;
  }
  for (std::size_t i = layout::kDataOffset; i < layout::kSize; ++i) {
    EXPECT_EQ(0x45, m[i]) << "byte " << i;
  }
}

struct RequestCase {
  std::uint16_t identifier;
  std::uint16_t sequence;
  std::uint32_t timestamp;
};

class EchoRequestFieldsTest : public ::testing::TestWithParam<RequestCase> {};

TEST_P(EchoRequestFieldsTest, FieldsLittleEndianAndChecksumValidOnTheWire) {
  const RequestCase c = GetParam();
  const EchoRequestBytes m = BuildEchoRequest(c.identifier, c.sequence, c.timestamp);
  EXPECT_EQ(c.identifier & 0xFF, m[layout::kIdentifierOffset]);
  EXPECT_EQ(c.identifier >> 8, m[layout::kIdentifierOffset + 1]);
  EXPECT_EQ(c.sequence & 0xFF, m[layout::kSequenceOffset]);
  EXPECT_EQ(c.sequence >> 8, m[layout::kSequenceOffset + 1]);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ((c.timestamp >> (8 * i)) & 0xFF, m[layout::kTimestampOffset + i]) << i;
  }
  EXPECT_EQ(0xFFFF, WireSum(m));
  // Recomputing over the finished message, checksum included, gives zero.
  EXPECT_EQ(0, InternetChecksum(m.data(), m.size()));
}

INSTANTIATE_TEST_SUITE_P(Fields, EchoRequestFieldsTest,
                         ::testing::Values(RequestCase{0x1234, 0, 0x11223344},
                                           RequestCase{0x1234, 1, 0x11223345},
                                           RequestCase{0x0000, 0, 0},
                                           RequestCase{0xFFFF, 1, 0xFFFFFFFF},
                                           RequestCase{0xBAFE, 0, 0x80000001}));

TEST(EchoRequestTest, IdentifierIsLowHalfOfProcessId) {
  EXPECT_EQ(0x1234, net::EchoIdentifierFor(0x1234));
  EXPECT_EQ(0x1234, net::EchoIdentifierFor(0xABCD1234));
  const EchoRequestBytes m = BuildEchoRequest(net::EchoIdentifierFor(0x1234), 0, 0);
  EXPECT_EQ(0x34, m[4]);
  EXPECT_EQ(0x12, m[5]);
}

}  // namespace
