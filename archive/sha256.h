// SHA-256 (FIPS 180-4), fed in pieces: the payload is hashed while it streams past.
//
// The compression of whole blocks is a plain function with two versions: the portable one
// and, on x86 processors that have them, the SHA extensions (several times faster, which is
// what lets the setup program check a large payload's digest before it writes anything).
// The choice is made at run time; both give the same state for the same blocks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace sha256 {

// Compresses blockCount consecutive 64-byte blocks into state.
using BlockFunction = void (*)(std::uint32_t* state, const std::uint8_t* blocks, std::size_t blockCount);

void PortableBlocks(std::uint32_t* state, const std::uint8_t* blocks, std::size_t blockCount);

// The SHA-extension version when this processor (and build) has it, otherwise null.
BlockFunction ShaExtensionBlocks();

// The fastest version available here.
BlockFunction FastestBlocks();

}  // namespace sha256

class Sha256 {
 public:
  using Digest = std::array<std::uint8_t, 32>;

  Sha256();
  // With a given block function (the tests compare the versions).
  explicit Sha256(sha256::BlockFunction blocks);
  void Update(const std::uint8_t* data, std::size_t length);
  // Ends the message; the object must not be fed afterwards.
  Digest Finish();

 private:
  sha256::BlockFunction blocks_;
  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> pending_{};
  std::size_t pendingLength_ = 0;
  std::uint64_t totalLength_ = 0;
};
