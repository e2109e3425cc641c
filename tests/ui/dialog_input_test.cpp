#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/skin_image.h"

namespace {

// --- Skin image placement ---------------------------------------------------------------

void PutUint32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A BMP as the skin resource holds it: the two headers and the rows.
std::vector<std::uint8_t> Bmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount = 24) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width > 0 ? width : 0) * 3 + 3) / 4 * 4;
  const std::uint32_t rows = height > 0 ? static_cast<std::uint32_t>(height) : 0;
  std::vector<std::uint8_t> b(54 + rowBytes * rows, 0);
  b[0] = 'B';
  b[1] = 'M';
  PutUint32(b, 2, static_cast<std::uint32_t>(b.size()));
  PutUint32(b, 10, 54);
  PutUint32(b, 14, 40);
  PutUint32(b, 18, static_cast<std::uint32_t>(width));
  PutUint32(b, 22, static_cast<std::uint32_t>(height));
  b[26] = 1;
  b[28] = static_cast<std::uint8_t>(bitCount);
  return b;
}

// A palette BMP: the headers, `colours` table entries (biClrUsed), then the rows.
std::vector<std::uint8_t> PaletteBmp(std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                                     std::uint32_t colours) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * bitCount + 31) / 32 * 4;
  const std::uint32_t offset = 54 + colours * 4;
  std::vector<std::uint8_t> b(offset + rowBytes * static_cast<std::uint32_t>(height), 0);
  b[0] = 'B';
  b[1] = 'M';
  PutUint32(b, 2, static_cast<std::uint32_t>(b.size()));
  PutUint32(b, 10, offset);
  PutUint32(b, 14, 40);
  PutUint32(b, 18, static_cast<std::uint32_t>(width));
  PutUint32(b, 22, static_cast<std::uint32_t>(height));
  b[26] = 1;
  b[28] = static_cast<std::uint8_t>(bitCount);
  PutUint32(b, 46, colours);
  return b;
}

// The banner as shipped: 4 bits a pixel, its six colours in the table, rows behind it.
TEST(SkinImage, ReadsAPaletteBannerAndWhereItsRowsStart) {
  const auto bmp = PaletteBmp(288, 65, 4, 6);
  ASSERT_EQ(bmp.size(), 9438u);
  ui::SkinPlacement placement;
  ASSERT_TRUE(ui::ReadSkinPlacement(bmp.data(), bmp.size(), placement));
  EXPECT_EQ(placement.width, 288);
  EXPECT_EQ(placement.height, 65);
  EXPECT_EQ(placement.bitsOffset, 54u + 6 * 4);
  // Odd widths pad to whole 32-bit words: 5 pixels of 4 bits are 3 bytes, padded to 4.
  const auto odd = PaletteBmp(5, 3, 4, 2);
  EXPECT_TRUE(ui::ReadSkinPlacement(odd.data(), odd.size(), placement));
  EXPECT_FALSE(ui::ReadSkinPlacement(odd.data(), odd.size() - 1, placement));
  // Without biClrUsed the table holds all 16 colours.
  auto full = PaletteBmp(8, 2, 4, 16);
  PutUint32(full, 46, 0);
  EXPECT_TRUE(ui::ReadSkinPlacement(full.data(), full.size(), placement));
  EXPECT_EQ(placement.bitsOffset, 54u + 16 * 4);
}

TEST(SkinImage, ReadsTheBannerSize) {
  const auto bmp = Bmp(288, 65);
  ASSERT_EQ(bmp.size(), 56214u);
  ui::SkinPlacement placement;
  ASSERT_TRUE(ui::ReadSkinPlacement(bmp.data(), bmp.size(), placement));
  EXPECT_EQ(placement.width, 288);
  EXPECT_EQ(placement.height, 65);
}

TEST(SkinImage, PaddedRowsAreAccountedFor) {
  auto bmp = Bmp(5, 3);  // 15 bytes a row, padded to 16
  ui::SkinPlacement placement;
  EXPECT_TRUE(ui::ReadSkinPlacement(bmp.data(), bmp.size(), placement));
  EXPECT_FALSE(ui::ReadSkinPlacement(bmp.data(), bmp.size() - 1, placement));
}

struct BadImage {
  const char* what;
  std::vector<std::uint8_t> bytes;
};

TEST(SkinImage, RefusesWhatCannotBeDrawnSafely) {
  auto truncated = Bmp(288, 65);
  truncated.resize(truncated.size() - 1);
  auto notBmp = Bmp(4, 4);
  notBmp[0] = 'X';
  auto headersOnly = Bmp(288, 65);
  headersOnly.resize(54);
  auto compressed = Bmp(4, 4);
  compressed[30] = 1;
  const BadImage cases[] = {
      {"rows cut short", truncated},
      {"headers only", headersOnly},
      {"shorter than the headers", std::vector<std::uint8_t>(20, 0)},
      {"no BM", notBmp},
      {"8 bits without room for its colour table", Bmp(4, 4, 8)},
      {"rows that start inside the colour table", [] {
         auto b = PaletteBmp(4, 4, 4, 6);
         PutUint32(b, 10, 54 + 5 * 4);
         return b;
       }()},
      {"rows that start past the end", [] {
         auto b = PaletteBmp(4, 4, 4, 6);
         PutUint32(b, 10, static_cast<std::uint32_t>(b.size() + 1));
         return b;
       }()},
      {"palette rows cut short", [] {
         auto b = PaletteBmp(288, 65, 4, 6);
         b.resize(b.size() - 1);
         return b;
       }()},
      {"1 bit", PaletteBmp(8, 2, 1, 2)},
      {"16 bits", Bmp(4, 4, 16)},
      {"compressed", compressed},
      {"top-down", Bmp(4, -4)},
      {"zero width", Bmp(0, 4)},
      {"huge height", [] {
         auto b = Bmp(4, 4);
         PutUint32(b, 22, 0x7FFFFFFF);
         return b;
       }()},
  };
  for (const BadImage& c : cases) {
    ui::SkinPlacement placement;
    EXPECT_FALSE(ui::ReadSkinPlacement(c.bytes.data(), c.bytes.size(), placement)) << c.what;
    EXPECT_EQ(placement.width, 0) << c.what;
  }
  ui::SkinPlacement placement;
  EXPECT_FALSE(ui::ReadSkinPlacement(nullptr, 56214, placement));
}

}  // namespace
