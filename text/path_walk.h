// Walking a path of the system's ANSI code page by whole characters. A double-byte
// character's trail byte may be 0x5C; it belongs to its character and never separates.
// Header-only, so that every layer (the archive, the tools, the Windows front ends) can
// walk paths without a link to the catalog's library.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/lead_byte.h"

// "\" and "/" both separate components on Windows.
constexpr bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// One character: a single byte, or a lead byte and its trail byte. A lead byte that ends
// the text has no trail byte and stands alone.
struct PathCharacter {
  std::size_t offset;
  std::string_view bytes;

  bool Is(char c) const { return bytes.size() == 1 && bytes[0] == c; }
  bool IsSeparator() const { return bytes.size() == 1 && IsPathSeparator(bytes[0]); }
};

// The characters of text from offset from (a character boundary) to the end:
//   for (const PathCharacter c : PathCharacters(path, isLeadByte)) ...
// text is viewed, not copied: it must outlive the walk.
class PathCharacters {
 public:
  class Iterator {
   public:
    Iterator(std::string_view text, IsLeadByteFunction isLeadByte, std::size_t offset)
        : text_(text), isLeadByte_(isLeadByte), offset_(offset) {}

    PathCharacter operator*() const { return {offset_, text_.substr(offset_, Length())}; }
    Iterator& operator++() {
      offset_ += Length();
      return *this;
    }
    bool operator!=(const Iterator& other) const { return offset_ != other.offset_; }

   private:
    std::size_t Length() const {
      const bool doubleByte = isLeadByte_(static_cast<unsigned char>(text_[offset_])) && offset_ + 1 < text_.size();
      return doubleByte ? 2 : 1;
    }

    std::string_view text_;
    IsLeadByteFunction isLeadByte_;
    std::size_t offset_;
  };

  PathCharacters(std::string_view text, IsLeadByteFunction isLeadByte, std::size_t from = 0)
      : text_(text), isLeadByte_(isLeadByte), from_(from < text.size() ? from : text.size()) {}

  Iterator begin() const { return {text_, isLeadByte_, from_}; }
  Iterator end() const { return {text_, isLeadByte_, text_.size()}; }

 private:
  std::string_view text_;
  IsLeadByteFunction isLeadByte_;
  std::size_t from_;
};

inline std::size_t CharacterCount(std::string_view text, IsLeadByteFunction isLeadByte) {
  const PathCharacters characters(text, isLeadByte);
  std::size_t count = 0;
  for (auto it = characters.begin(); it != characters.end(); ++it) ++count;
  return count;
}

// The offset of the first separator at or behind from, or the text's size when none follows.
inline std::size_t PathComponentEnd(std::string_view path, std::size_t from, IsLeadByteFunction isLeadByte) {
  for (const PathCharacter c : PathCharacters(path, isLeadByte, from))
    if (c.IsSeparator()) return c.offset;
  return path.size();
}

// The components between separators, empty ones included: a leading, doubled or trailing
// separator gives an empty component, and an empty path one empty component.
inline std::vector<std::string> SplitPathComponents(std::string_view path, IsLeadByteFunction isLeadByte) {
  std::vector<std::string> components(1);
  for (const PathCharacter c : PathCharacters(path, isLeadByte)) {
    if (c.IsSeparator())
      components.emplace_back();
    else
      components.back() += c.bytes;
  }
  return components;
}

// The offset behind the last "\", "/" or ":", where a file's name starts; 0 when there is none.
inline std::size_t FileNameStart(std::string_view path, IsLeadByteFunction isLeadByte) {
  std::size_t nameStart = 0;
  for (const PathCharacter c : PathCharacters(path, isLeadByte))
    if (c.IsSeparator() || c.Is(':')) nameStart = c.offset + 1;
  return nameStart;
}
