// The skin image: resource "BITMAP256" 133, a complete BMP file drawn straight from the
// resource bytes. The layout is written down here once; fields are read little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ui {
namespace skin_layout {

constexpr std::size_t kFileHeaderSize = 14;  // "BM", bfSize, two reserved words, bfOffBits
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::size_t kInfoHeaderOffset = kFileHeaderSize;
constexpr std::size_t kWidthOffset = 18;     // biWidth, 32-bit signed
constexpr std::size_t kHeightOffset = 22;    // biHeight, 32-bit signed; positive = bottom row first
constexpr std::size_t kBitCountOffset = 28;  // biBitCount, 16-bit
constexpr std::size_t kCompressionOffset = 30;
// The pixel rows follow the two headers directly: no colour table in a 24-bit image.
constexpr std::size_t kBitsOffset = kFileHeaderSize + kInfoHeaderSize;

static_assert(kWidthOffset == kInfoHeaderOffset + 4, "biWidth follows biSize");
static_assert(kHeightOffset == kWidthOffset + 4, "biHeight follows biWidth");
static_assert(kBitCountOffset == kHeightOffset + 6, "biPlanes lies between biHeight and biBitCount");
static_assert(kCompressionOffset == kBitCountOffset + 2, "biCompression follows biBitCount");
static_assert(kBitsOffset == 54, "the rows start right after the headers");

}  // namespace skin_layout

struct SkinPlacement {
  int width = 0;   // pixels
  int height = 0;  // rows, bottom row first
};

// Reads the image's size from the resource bytes. False, drawing nothing, unless they hold
// a bottom-up, uncompressed 24-bit image whose rows all lie within size bytes.
bool ReadSkinPlacement(const std::uint8_t* bytes, std::size_t size, SkinPlacement& placement);

}  // namespace ui
