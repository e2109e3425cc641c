// Little-endian integers read from and written to bytes, one byte at a time, so the result
// does not depend on the host's byte order or on a buffer's alignment. Portable and without
// dependencies: the archive, the echo request, the artwork check and the tests share it.
#pragma once

#include <cstdint>

constexpr std::uint16_t ReadLittleEndian16(const std::uint8_t* bytes) {
  return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
}

constexpr std::uint32_t ReadLittleEndian32(const std::uint8_t* bytes) {
  return static_cast<std::uint32_t>(ReadLittleEndian16(bytes)) |
         static_cast<std::uint32_t>(ReadLittleEndian16(bytes + 2)) << 16;
}

constexpr std::uint64_t ReadLittleEndian64(const std::uint8_t* bytes) {
  return static_cast<std::uint64_t>(ReadLittleEndian32(bytes)) |
         static_cast<std::uint64_t>(ReadLittleEndian32(bytes + 4)) << 32;
}

constexpr void WriteLittleEndian16(std::uint8_t* bytes, std::uint16_t value) {
  bytes[0] = static_cast<std::uint8_t>(value);
  bytes[1] = static_cast<std::uint8_t>(value >> 8);
}

constexpr void WriteLittleEndian32(std::uint8_t* bytes, std::uint32_t value) {
  WriteLittleEndian16(bytes, static_cast<std::uint16_t>(value));
  WriteLittleEndian16(bytes + 2, static_cast<std::uint16_t>(value >> 16));
}

constexpr void WriteLittleEndian64(std::uint8_t* bytes, std::uint64_t value) {
  WriteLittleEndian32(bytes, static_cast<std::uint32_t>(value));
  WriteLittleEndian32(bytes + 4, static_cast<std::uint32_t>(value >> 32));
}
