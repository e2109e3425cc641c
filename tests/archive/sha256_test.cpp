// SHA-256 against the FIPS 180-4 examples through each block function, and the SHA-extension
// version against the portable one over many lengths and feeding patterns.
#include "archive/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::pair<std::string, sha256::BlockFunction>> BlockFunctions() {
  std::vector<std::pair<std::string, sha256::BlockFunction>> functions = {{"portable", sha256::PortableBlocks}};
  if (const sha256::BlockFunction extensions = sha256::ShaExtensionBlocks())
    functions.emplace_back("sha extensions", extensions);
  return functions;
}

std::string Hex(const Sha256::Digest& digest) {
  std::string hex;
  char two[3];
  for (std::uint8_t b : digest) {
    std::snprintf(two, sizeof two, "%02x", b);
    hex += two;
  }
  return hex;
}

// Feeds data in pieces of the given size (0: all at once).
Sha256::Digest DigestOf(sha256::BlockFunction blocks, const std::uint8_t* data, std::size_t length,
                        std::size_t piece) {
  Sha256 sha(blocks);
  if (piece == 0) piece = length + 1;
  for (std::size_t i = 0; i < length; i += piece) sha.Update(data + i, std::min(piece, length - i));
  return sha.Finish();
}

Bytes NoiseBytes(std::size_t length) {
  Bytes bytes(length);
  std::uint32_t x = 0x9E3779B9u;
  for (std::uint8_t& b : bytes) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    b = static_cast<std::uint8_t>(x >> 11);
  }
  return bytes;
}

TEST(Sha256Test, FipsVectorsThroughEveryBlockFunction) {
  const struct {
    std::string message;
    const char* hex;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
      {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlmnopqrsmnopqrstnopqrstu",
       "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
      {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
  };
  for (const auto& [name, blocks] : BlockFunctions()) {
    for (const auto& c : cases) {
      const auto* data = reinterpret_cast<const std::uint8_t*>(c.message.data());
      // Whole, and in uneven pieces: the block buffering must not matter.
      EXPECT_EQ(Hex(DigestOf(blocks, data, c.message.size(), 0)), c.hex) << name << ", " << c.message.size();
      EXPECT_EQ(Hex(DigestOf(blocks, data, c.message.size(), 61)), c.hex) << name << ", " << c.message.size();
    }
  }
}

TEST(Sha256Test, TheDefaultIsTheFastestBlockFunction) {
  const Bytes data = NoiseBytes(1000);
  Sha256 byDefault;
  byDefault.Update(data.data(), data.size());
  EXPECT_EQ(byDefault.Finish(), DigestOf(sha256::PortableBlocks, data.data(), data.size(), 0));
  EXPECT_EQ(sha256::FastestBlocks(), sha256::ShaExtensionBlocks() ? sha256::ShaExtensionBlocks() : sha256::PortableBlocks);
}

// The processor's own flag list (Linux) says whether the run-time test must find the extensions.
TEST(Sha256Test, ExtensionsFoundExactlyWhereTheProcessorHasThem) {
  std::ifstream cpuinfo("/proc/cpuinfo");
  std::string line;
  bool listed = false, read = false;
  while (std::getline(cpuinfo, line)) {
    if (line.rfind("flags", 0) != 0) continue;
    read = true;
    listed = (line + " ").find(" sha_ni ") != std::string::npos;
    break;
  }
  if (!read) GTEST_SKIP() << "no flags in /proc/cpuinfo";
#if defined(__x86_64__) || defined(__i386__)
  EXPECT_EQ(sha256::ShaExtensionBlocks() != nullptr, listed);
#else
  EXPECT_EQ(sha256::ShaExtensionBlocks(), nullptr);
#endif
}

TEST(Sha256Test, ExtensionsAgreeWithPortableOverLengthsAndPieces) {
  const sha256::BlockFunction extensions = sha256::ShaExtensionBlocks();
  if (!extensions) GTEST_SKIP() << "this processor has no SHA extensions";
  const Bytes data = NoiseBytes(70000);
  // Every length up to five blocks (all tails around the padding boundary), then lengths
  // of many blocks with odd tails.
  std::vector<std::size_t> lengths;
  for (std::size_t n = 0; n <= 320; ++n) lengths.push_back(n);
  for (std::size_t n = 321; n < data.size(); n = n * 3 / 2 + 7) lengths.push_back(n);
  lengths.push_back(data.size());
  for (std::size_t length : lengths) {
    const Sha256::Digest expected = DigestOf(sha256::PortableBlocks, data.data(), length, 0);
    for (std::size_t piece : {0, 1, 63, 64, 65, 4096 + 3})
      ASSERT_EQ(DigestOf(extensions, data.data(), length, piece), expected) << "length " << length << ", piece " << piece;
  }
}

TEST(Sha256Test, BlockFunctionsCarryTheStateAcrossCalls) {
  // Many blocks in one call, and the same blocks one call each, from a state that is not the
  // initial one.
  const Bytes data = NoiseBytes(64 * 37);
  for (const auto& [name, blocks] : BlockFunctions()) {
    std::uint32_t together[8] = {1, 2, 3, 4, 5, 6, 7, 0xFFFFFFFF};
    std::uint32_t oneByOne[8] = {1, 2, 3, 4, 5, 6, 7, 0xFFFFFFFF};
    std::uint32_t portable[8] = {1, 2, 3, 4, 5, 6, 7, 0xFFFFFFFF};
    blocks(together, data.data(), 37);
    for (std::size_t i = 0; i < 37; ++i) blocks(oneByOne, data.data() + 64 * i, 1);
    sha256::PortableBlocks(portable, data.data(), 37);
    EXPECT_TRUE(std::equal(together, together + 8, oneByOne)) << name;
    EXPECT_TRUE(std::equal(together, together + 8, portable)) << name;
  }
}

}  // namespace
