// The skin image: resource "BITMAP256" 133, a complete BMP file drawn straight from the
// resource bytes. The layout is written down here once; fields are read little-endian.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ui {
namespace skin_layout {

constexpr std::size_t kFileHeaderSize = 14;  // "BM", bfSize, two reserved words, bfOffBits
constexpr std::size_t kBitsOffsetOffset = 10;  // bfOffBits, 32-bit: where the pixel rows start
constexpr std::size_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER
constexpr std::size_t kInfoHeaderOffset = kFileHeaderSize;
constexpr std::size_t kWidthOffset = 18;     // biWidth, 32-bit signed
constexpr std::size_t kHeightOffset = 22;    // biHeight, 32-bit signed; positive = bottom row first
constexpr std::size_t kBitCountOffset = 28;  // biBitCount, 16-bit
constexpr std::size_t kCompressionOffset = 30;
constexpr std::size_t kColoursUsedOffset = 46;  // biClrUsed, 32-bit; 0: all 2^bits of them
// The colour table (4 bytes a colour: blue, green, red, 0) follows the two headers.
constexpr std::size_t kColourTableOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr std::size_t kColourEntrySize = 4;

static_assert(kBitsOffsetOffset == 2 + 4 + 2 + 2, "bfOffBits follows bfType, bfSize and the reserved words");
static_assert(kWidthOffset == kInfoHeaderOffset + 4, "biWidth follows biSize");
static_assert(kHeightOffset == kWidthOffset + 4, "biHeight follows biWidth");
static_assert(kBitCountOffset == kHeightOffset + 6, "biPlanes lies between biHeight and biBitCount");
static_assert(kCompressionOffset == kBitCountOffset + 2, "biCompression follows biBitCount");
static_assert(kColoursUsedOffset == kCompressionOffset + 16, "biSizeImage and the resolutions lie between");
static_assert(kColourTableOffset == 54, "the colour table starts right after the headers");

}  // namespace skin_layout

struct SkinPlacement {
  int width = 0;   // pixels
  int height = 0;  // rows, bottom row first
  std::size_t bitsOffset = 0;  // where the rows start in the resource
};

// Reads the image's size and where its rows start from the resource bytes. False, drawing
// nothing, unless they hold a bottom-up, uncompressed image of 4, 8 or 24 bits a pixel whose
// colour table (4 and 8 bits) and rows all lie within size bytes.
bool ReadSkinPlacement(const std::uint8_t* bytes, std::size_t size, SkinPlacement& placement);

}  // namespace ui
