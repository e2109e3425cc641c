#include "ui/skin_image.h"

#include "bytes/little_endian.h"

namespace ui {
namespace {

std::int32_t ReadInt32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadLittleEndian32(p)); }

}  // namespace

bool ReadSkinPlacement(const std::uint8_t* bytes, std::size_t size, SkinPlacement& placement) {
  using namespace skin_layout;
  if (!bytes || size < kBitsOffset) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  const std::int32_t width = ReadInt32(bytes + kWidthOffset);
  const std::int32_t height = ReadInt32(bytes + kHeightOffset);
  if (ReadLittleEndian16(bytes + kBitCountOffset) != 24 || ReadLittleEndian32(bytes + kCompressionOffset) != 0)
    return false;
  if (width <= 0 || height <= 0) return false;
  // Rows are padded to 4 bytes; every row must be in the resource.
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * 3 + 3) / 4 * 4;
  if (rowBytes * static_cast<std::uint64_t>(height) > size - kBitsOffset) return false;
  placement.width = width;
  placement.height = height;
  return true;
}

}  // namespace ui
