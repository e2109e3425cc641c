#include "tests/ui/compiled_resources.h"

#include "bytes/little_endian.h"

namespace restest {

namespace {

int ReadI16(const std::uint8_t* p) { return static_cast<std::int16_t>(ReadLittleEndian16(p)); }

// A cursor over the bytes that refuses to read past their end.
class Reader {
 public:
  Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

  bool Has(std::size_t count) const { return at_ <= size_ && size_ - at_ >= count; }
  const std::uint8_t* Here() const { return bytes_ + at_; }
  bool Skip(std::size_t count) {
    if (!Has(count)) return false;
    at_ += count;
    return true;
  }
  bool Word(std::uint16_t& value) {
    if (!Has(2)) return false;
    value = ReadLittleEndian16(Here());
    at_ += 2;
    return true;
  }
  bool String(std::u16string& text) {
    text.clear();
    for (std::uint16_t unit = 0;;) {
      if (!Word(unit)) return false;
      if (unit == 0) return true;
      text.push_back(static_cast<char16_t>(unit));
    }
  }
  bool NameOrOrdinalField(NameOrOrdinal& field) {
    field = NameOrOrdinal{};
    if (!Has(2)) return false;
    if (ReadLittleEndian16(Here()) == 0xFFFF) {
      std::uint16_t ordinal = 0;
      Skip(2);
      if (!Word(ordinal)) return false;
      field.ordinal = ordinal;
      return true;
    }
    return String(field.name);
  }
  bool AlignToDword() { return Skip((4 - at_ % 4) % 4); }

 private:
  const std::uint8_t* bytes_;
  std::size_t size_;
  std::size_t at_ = 0;
};

std::u16string Upper(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return text;
}

std::u16string PredefinedClass(int ordinal) {
  switch (ordinal) {
    case 0x80: return u"BUTTON";
    case 0x81: return u"EDIT";
    case 0x82: return u"STATIC";
    case 0x83: return u"LISTBOX";
    case 0x84: return u"SCROLLBAR";
    case 0x85: return u"COMBOBOX";
    default: return u"#" + std::u16string(1, static_cast<char16_t>(ordinal));
  }
}

bool ReadItem(Reader& in, DialogItem& item) {
  using namespace dlg_layout;
  if (!in.AlignToDword() || !in.Has(kItemHeaderSize)) return false;
  const std::uint8_t* p = in.Here();
  item.style = ReadLittleEndian32(p + kItemStyle);
  item.exStyle = ReadLittleEndian32(p + kItemExStyle);
  item.x = ReadI16(p + kItemX);
  item.y = ReadI16(p + kItemY);
  item.cx = ReadI16(p + kItemCx);
  item.cy = ReadI16(p + kItemCy);
  item.id = ReadLittleEndian16(p + kItemId);
  in.Skip(kItemHeaderSize);
  NameOrOrdinal windowClass;
  if (!in.NameOrOrdinalField(windowClass)) return false;
  item.className = windowClass.ordinal >= 0 ? PredefinedClass(windowClass.ordinal) : Upper(windowClass.name);
  if (!in.NameOrOrdinalField(item.text)) return false;
  std::uint16_t creationData = 0;
  return in.Word(creationData) && in.Skip(creationData);
}

}  // namespace

bool ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size, DialogTemplate& result) {
  using namespace dlg_layout;
  result = DialogTemplate{};
  Reader in(bytes, size);
  if (!in.Has(kHeaderSize)) return false;
  // An extended template starts with version 1 and signature 0xFFFF.
  if (ReadLittleEndian16(bytes) == 1 && ReadLittleEndian16(bytes + 2) == 0xFFFF) return false;
  result.style = ReadLittleEndian32(bytes + kStyle);
  result.exStyle = ReadLittleEndian32(bytes + kExStyle);
  const int count = ReadLittleEndian16(bytes + kItemCount);
  result.x = ReadI16(bytes + kX);
  result.y = ReadI16(bytes + kY);
  result.cx = ReadI16(bytes + kCx);
  result.cy = ReadI16(bytes + kCy);
  in.Skip(kHeaderSize);
  if (!in.NameOrOrdinalField(result.menu) || !in.NameOrOrdinalField(result.windowClass) || !in.String(result.caption))
    return false;
  if (result.style & kSetFont) {
    std::uint16_t points = 0;
    if (!in.Word(points) || !in.String(result.face)) return false;
    result.pointSize = points;
  }
  result.items.resize(static_cast<std::size_t>(count));
  for (DialogItem& item : result.items)
    if (!ReadItem(in, item)) return false;
  return true;
}

bool ReadIconGroup(const std::uint8_t* bytes, std::size_t size, bool cursor, std::vector<GroupEntry>& entries) {
  using namespace group_layout;
  entries.clear();
  if (size < kHeaderSize || ReadLittleEndian16(bytes + kReserved) != 0 ||
      ReadLittleEndian16(bytes + kType) != (cursor ? 2 : 1))
    return false;
  const std::size_t count = ReadLittleEndian16(bytes + kCount);
  if ((size - kHeaderSize) / kEntrySize < count) return false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = bytes + kHeaderSize + i * kEntrySize;
    GroupEntry entry;
    if (cursor) {
      entry.width = ReadLittleEndian16(p + kCursorWidth);
      entry.height = ReadLittleEndian16(p + kCursorHeight);
    } else {
      entry.width = p[kIconWidth] == 0 ? 256 : p[kIconWidth];
      entry.height = p[kIconHeight] == 0 ? 256 : p[kIconHeight];
      entry.colourCount = p[kIconColourCount];
    }
    entry.planes = ReadLittleEndian16(p + kPlanes);
    entry.bitCount = ReadLittleEndian16(p + kBitCount);
    entry.bytes = ReadLittleEndian32(p + kBytesInRes);
    entry.id = ReadLittleEndian16(p + kId);
    entries.push_back(entry);
  }
  return true;
}

bool ReadImageHeader(const std::uint8_t* bytes, std::size_t size, ImageHeader& header) {
  using namespace image_layout;
  if (size < kBitmapInfoHeaderSize || ReadLittleEndian32(bytes + kHeaderSize) != kBitmapInfoHeaderSize)
    return false;
  header.width = static_cast<int>(ReadLittleEndian32(bytes + kWidth));
  header.height = static_cast<int>(ReadLittleEndian32(bytes + kHeight));
  header.bitCount = ReadLittleEndian16(bytes + kBitCount);
  return true;
}

bool ReadStringBlock(const std::uint8_t* bytes, std::size_t size, std::vector<std::u16string>& strings) {
  strings.assign(16, std::u16string());
  Reader in(bytes, size);
  for (std::u16string& text : strings) {
    std::uint16_t length = 0;
    if (!in.Word(length) || !in.Has(2u * length)) return false;
    for (std::uint16_t i = 0; i < length; ++i) {
      std::uint16_t unit = 0;
      in.Word(unit);
      text.push_back(static_cast<char16_t>(unit));
    }
  }
  return true;
}

}  // namespace restest
