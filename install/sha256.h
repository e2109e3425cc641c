// SHA-256 (FIPS 180-4), fed in pieces: the payload is hashed while it streams past.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class Sha256 {
 public:
  using Digest = std::array<std::uint8_t, 32>;

  Sha256();
  void Update(const std::uint8_t* data, std::size_t length);
  // Ends the message; the object must not be fed afterwards.
  Digest Finish();

 private:
  void Compress(const std::uint8_t* block);

  std::array<std::uint32_t, 8> state_;
  std::array<std::uint8_t, 64> pending_{};
  std::size_t pendingLength_ = 0;
  std::uint64_t totalLength_ = 0;
};
