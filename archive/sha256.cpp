#include "archive/sha256.h"

#include <cstring>

#include "archive/sha256_rounds.h"

namespace sha256 {

namespace {

constexpr std::uint32_t Rotr(std::uint32_t x, int n) { return (x >> n) | (x << (32 - n)); }

std::uint32_t ReadBe32(const std::uint8_t* b) {
  return static_cast<std::uint32_t>(b[0]) << 24 | static_cast<std::uint32_t>(b[1]) << 16 |
         static_cast<std::uint32_t>(b[2]) << 8 | static_cast<std::uint32_t>(b[3]);
}

// One round with the eight working variables passed in their rotated roles: only d and h
// change, so eight calls with shifted arguments replace the shuffle of all eight.
inline void Round(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t& d, std::uint32_t e,
                  std::uint32_t f, std::uint32_t g, std::uint32_t& h, std::uint32_t roundPlusWord) {
  const std::uint32_t t1 =
      h + (Rotr(e, 6) ^ Rotr(e, 11) ^ Rotr(e, 25)) + (g ^ (e & (f ^ g))) + roundPlusWord;
  const std::uint32_t t2 = (Rotr(a, 2) ^ Rotr(a, 13) ^ Rotr(a, 22)) + ((a & b) | (c & (a | b)));
  d += t1;
  h = t1 + t2;
}

}  // namespace

void PortableBlocks(std::uint32_t* state, const std::uint8_t* blocks, std::size_t blockCount) {
  for (; blockCount > 0; --blockCount, blocks += 64) {
    std::uint32_t w[64];
    for (int i = 0; i < 16; ++i) w[i] = ReadBe32(blocks + 4 * i);
    for (int i = 16; i < 64; ++i) {
      const std::uint32_t s0 = Rotr(w[i - 15], 7) ^ Rotr(w[i - 15], 18) ^ (w[i - 15] >> 3);
      const std::uint32_t s1 = Rotr(w[i - 2], 17) ^ Rotr(w[i - 2], 19) ^ (w[i - 2] >> 10);
      w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    std::uint32_t e = state[4], f = state[5], g = state[6], h = state[7];
    for (int i = 0; i < 64; i += 8) {
      Round(a, b, c, d, e, f, g, h, kRound[i] + w[i]);
      Round(h, a, b, c, d, e, f, g, kRound[i + 1] + w[i + 1]);
      Round(g, h, a, b, c, d, e, f, kRound[i + 2] + w[i + 2]);
      Round(f, g, h, a, b, c, d, e, kRound[i + 3] + w[i + 3]);
      Round(e, f, g, h, a, b, c, d, kRound[i + 4] + w[i + 4]);
      Round(d, e, f, g, h, a, b, c, kRound[i + 5] + w[i + 5]);
      Round(c, d, e, f, g, h, a, b, kRound[i + 6] + w[i + 6]);
      Round(b, c, d, e, f, g, h, a, kRound[i + 7] + w[i + 7]);
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
    state[4] += e;
    state[5] += f;
    state[6] += g;
    state[7] += h;
  }
}

// Asked again for every digest (a cpuid, nothing against a file's hashing): a remembered
// answer would need a thread-safe initialisation guard, and with it the threads library.
BlockFunction FastestBlocks() {
  const BlockFunction extensions = ShaExtensionBlocks();
  return extensions ? extensions : PortableBlocks;
}

}  // namespace sha256

Sha256::Sha256() : Sha256(sha256::FastestBlocks()) {}

Sha256::Sha256(sha256::BlockFunction blocks)
    : blocks_(blocks),
      state_{0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a, 0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19} {}

void Sha256::Update(const std::uint8_t* data, std::size_t length) {
  totalLength_ += length;
  if (pendingLength_ > 0) {
    const std::size_t take = length < 64 - pendingLength_ ? length : 64 - pendingLength_;
    std::memcpy(pending_.data() + pendingLength_, data, take);
    pendingLength_ += take;
    data += take;
    length -= take;
    if (pendingLength_ < 64) return;
    blocks_(state_.data(), pending_.data(), 1);
    pendingLength_ = 0;
  }
  const std::size_t whole = length / 64;
  if (whole > 0) blocks_(state_.data(), data, whole);
  data += whole * 64;
  length -= whole * 64;
  std::memcpy(pending_.data(), data, length);
  pendingLength_ = length;
}

Sha256::Digest Sha256::Finish() {
  const std::uint64_t bitLength = totalLength_ * 8;
  std::uint8_t padding[72] = {0x80};
  const std::size_t padLength = (pendingLength_ < 56 ? 56 : 120) - pendingLength_;
  std::uint8_t lengthBytes[8];
  for (int i = 0; i < 8; ++i) lengthBytes[i] = static_cast<std::uint8_t>(bitLength >> (56 - 8 * i));
  Update(padding, padLength);
  Update(lengthBytes, 8);
  Digest digest;
  for (int i = 0; i < 8; ++i) {
    digest[4 * i] = static_cast<std::uint8_t>(state_[i] >> 24);
    digest[4 * i + 1] = static_cast<std::uint8_t>(state_[i] >> 16);
    digest[4 * i + 2] = static_cast<std::uint8_t>(state_[i] >> 8);
    digest[4 * i + 3] = static_cast<std::uint8_t>(state_[i]);
  }
  return digest;
}
