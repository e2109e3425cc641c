// Readers of the compiled resource formats the setup program carries: dialog templates
// (DLGTEMPLATE with DLGITEMTEMPLATE items), icon and cursor groups, string-table blocks.
// Every field is read from the bytes, little-endian; nothing is cast onto a struct.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace restest {

// DLGTEMPLATE: style, extended style, item count, x, y, cx, cy; then the menu, the class
// (each 0x0000, or 0xFFFF and an ordinal, or a UTF-16 string), the caption string and,
// with DS_SETFONT, the point size and the face string.
namespace dlg_layout {
constexpr std::size_t kStyle = 0, kExStyle = 4, kItemCount = 8, kX = 10, kY = 12, kCx = 14, kCy = 16;
constexpr std::size_t kHeaderSize = 18;
static_assert(kCy + 2 == kHeaderSize, "DLGTEMPLATE ends after cy");
// DLGITEMTEMPLATE, DWORD-aligned: style, extended style, x, y, cx, cy, id; then the class,
// the text (string or ordinal) and a WORD count of creation data that follows.
constexpr std::size_t kItemStyle = 0, kItemExStyle = 4, kItemX = 8, kItemY = 10, kItemCx = 12, kItemCy = 14,
                      kItemId = 16;
constexpr std::size_t kItemHeaderSize = 18;
static_assert(kItemId + 2 == kItemHeaderSize, "DLGITEMTEMPLATE ends after its id");
constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT
}  // namespace dlg_layout

// A string or an ordinal, as the templates hold names and texts.
struct NameOrOrdinal {
  std::u16string name;
  int ordinal = -1;  // -1: a name (possibly empty)
};

struct DialogItem {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::uint16_t id = 0;
  std::u16string className;  // upper case; the predefined ordinals 0x80-0x85 by their names
  NameOrOrdinal text;
};

struct DialogTemplate {
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  NameOrOrdinal menu;
  NameOrOrdinal windowClass;
  std::u16string caption;
  int pointSize = -1;  // -1: no DS_SETFONT
  std::u16string face;
  std::vector<DialogItem> items;
};

// False when the bytes end before the template does or it is an extended (DIALOGEX) one.
bool ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size, DialogTemplate& result);

// A group of icons or cursors (GRPICONDIR / CURSORDIR): reserved 0, type (1 icon, 2
// cursor), count, then 14-byte entries. An icon entry holds width, height and colour count
// as bytes, a cursor entry width and height as words (height doubled: image and mask).
namespace group_layout {
constexpr std::size_t kReserved = 0, kType = 2, kCount = 4, kHeaderSize = 6;
constexpr std::size_t kEntrySize = 14;
constexpr std::size_t kIconWidth = 0, kIconHeight = 1, kIconColourCount = 2, kCursorWidth = 0, kCursorHeight = 2;
constexpr std::size_t kPlanes = 4, kBitCount = 6, kBytesInRes = 8, kId = 12;
static_assert(kId + 2 == kEntrySize, "an entry ends with its image's resource id");
}  // namespace group_layout

struct GroupEntry {
  int width = 0;
  int height = 0;
  int colourCount = 0;  // icons only; 0 means 256 or more
  int planes = 0;
  int bitCount = 0;
  std::uint32_t bytes = 0;
  std::uint16_t id = 0;
};

bool ReadIconGroup(const std::uint8_t* bytes, std::size_t size, bool cursor, std::vector<GroupEntry>& entries);

// The image header that starts an icon image, or a cursor image after its hot spot.
struct ImageHeader {
  int width = 0;
  int height = 0;  // image and mask: twice the shown height
  int bitCount = 0;
};
namespace image_layout {
constexpr std::size_t kHotSpotX = 0, kHotSpotY = 2, kCursorHeaderOffset = 4;  // RT_CURSOR data
constexpr std::size_t kHeaderSize = 0, kWidth = 4, kHeight = 8, kBitCount = 14;
constexpr std::size_t kBitmapInfoHeaderSize = 40;
}  // namespace image_layout
bool ReadImageHeader(const std::uint8_t* bytes, std::size_t size, ImageHeader& header);

// A string-table block: 16 strings, each a WORD length and that many UTF-16 units.
bool ReadStringBlock(const std::uint8_t* bytes, std::size_t size, std::vector<std::u16string>& strings);

}  // namespace restest
