#include "ui/skin_image.h"

#include "bytes/little_endian.h"

namespace ui {
namespace {

std::int32_t ReadInt32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadLittleEndian32(p)); }

}  // namespace

bool ReadSkinPlacement(const std::uint8_t* bytes, std::size_t size, SkinPlacement& placement) {
  using namespace skin_layout;
  if (!bytes || size < kColourTableOffset) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  const std::int32_t width = ReadInt32(bytes + kWidthOffset);
  const std::int32_t height = ReadInt32(bytes + kHeightOffset);
  const unsigned bitCount = ReadLittleEndian16(bytes + kBitCountOffset);
  if ((bitCount != 4 && bitCount != 8 && bitCount != 24) || ReadLittleEndian32(bytes + kCompressionOffset) != 0)
    return false;
  if (width <= 0 || height <= 0) return false;
  // A palette image draws through its colour table, which must be in the resource whole.
  std::uint64_t colours = 0;
  if (bitCount <= 8) {
    colours = ReadLittleEndian32(bytes + kColoursUsedOffset);
    if (colours == 0 || colours > (1u << bitCount)) colours = 1u << bitCount;
  }
  const std::uint64_t bitsOffset = ReadLittleEndian32(bytes + kBitsOffsetOffset);
  if (bitsOffset < kColourTableOffset + colours * kColourEntrySize || bitsOffset > size) return false;
  // Rows are padded to 4 bytes; every row must be in the resource.
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
  if (rowBytes * static_cast<std::uint64_t>(height) > size - bitsOffset) return false;
  placement.width = width;
  placement.height = height;
  placement.bitsOffset = static_cast<std::size_t>(bitsOffset);
  return true;
}

}  // namespace ui
