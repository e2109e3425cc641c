#include "text/path_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// What the walk yields for one text: its characters in order and the components between
// separators. Offsets are checked against the characters' running length.
struct WalkCase {
  const char* what;
  std::string text;
  IsLeadByteFunction isLeadByte;
  Strings characters;
  Strings components;
};

TEST(PathWalkTest, CharactersCountAndComponents) {
  const WalkCase cases[] = {
      {"empty", "", IsCp932LeadByte, {}, {""}},
      {"plain", "ab", IsCp932LeadByte, {"a", "b"}, {"ab"}},
      {"trail 0x5C stays in its component", "a\x95\\b", IsCp932LeadByte, {"a", "\x95\\", "b"}, {"a\x95\\b"}},
      {"two trail bytes 0x5C in a row", "\x95\\\x95\\", IsCp932LeadByte, {"\x95\\", "\x95\\"}, {"\x95\\\x95\\"}},
      {"separator behind a trail 0x5C", "\x95\\\\b", IsCp932LeadByte, {"\x95\\", "\\", "b"}, {"\x95\\", "b"}},
      {"single-byte code page: 0x5C separates", "a\x95\\b", IsNeverLeadByte, {"a", "\x95", "\\", "b"}, {"a\x95", "b"}},
      {"lead byte last", "a\x95", IsCp932LeadByte, {"a", "\x95"}, {"a\x95"}},
      {"lead byte alone", "\x81", IsCp932LeadByte, {"\x81"}, {"\x81"}},
      {"both separators", "a/b\\c", IsCp932LeadByte, {"a", "/", "b", "\\", "c"}, {"a", "b", "c"}},
      {"leading, doubled and trailing separators", "\\a\\/b/", IsCp932LeadByte,
       {"\\", "a", "\\", "/", "b", "/"}, {"", "a", "", "b", ""}},
      {"separator only", "\\", IsCp932LeadByte, {"\\"}, {"", ""}},
      {"colon is no separator", "C:a", IsCp932LeadByte, {"C", ":", "a"}, {"C:a"}},
  };
  for (const WalkCase& c : cases) {
    SCOPED_TRACE(c.what);
    Strings characters;
    std::size_t expectedOffset = 0;
    for (const PathCharacter character : PathCharacters(c.text, c.isLeadByte)) {
      EXPECT_EQ(character.offset, expectedOffset);
      EXPECT_EQ(character.IsSeparator(), character.bytes == "\\" || character.bytes == "/");
      expectedOffset += character.bytes.size();
      characters.emplace_back(character.bytes);
    }
    EXPECT_EQ(characters, c.characters);
    EXPECT_EQ(CharacterCount(c.text, c.isLeadByte), c.characters.size());
    EXPECT_EQ(SplitPathComponents(c.text, c.isLeadByte), c.components);
  }
}

// Walking from an offset, and where the component there ends.
struct FromCase {
  const char* what;
  std::string text;
  IsLeadByteFunction isLeadByte;
  std::size_t from;
  Strings characters;
  std::size_t componentEnd;
};

TEST(PathWalkTest, FromAnOffset) {
  const FromCase cases[] = {
      {"UNC server", "\\\\sv\\share", IsCp932LeadByte, 2, {"s", "v", "\\", "s", "h", "a", "r", "e"}, 4},
      {"server with a trail 0x5C", "\\\\\x95\\x\\s", IsCp932LeadByte, 2, {"\x95\\", "x", "\\", "s"}, 5},
      {"single-byte code page", "\\\\\x95\\x\\s", IsNeverLeadByte, 2, {"\x95", "\\", "x", "\\", "s"}, 3},
      {"no separator follows", "a\\bc", IsCp932LeadByte, 2, {"b", "c"}, 4},
      {"separator at the offset", "a\\b", IsCp932LeadByte, 1, {"\\", "b"}, 1},
      {"at the end", "ab", IsCp932LeadByte, 2, {}, 2},
      {"beyond the end", "ab", IsCp932LeadByte, 5, {}, 2},
      {"empty", "", IsCp932LeadByte, 0, {}, 0},
  };
  for (const FromCase& c : cases) {
    SCOPED_TRACE(c.what);
    Strings characters;
    for (const PathCharacter character : PathCharacters(c.text, c.isLeadByte, c.from))
      characters.emplace_back(character.bytes);
    EXPECT_EQ(characters, c.characters);
    EXPECT_EQ(PathComponentEnd(c.text, c.from, c.isLeadByte), c.componentEnd);
  }
}

struct FileNameCase {
  std::string path;
  IsLeadByteFunction isLeadByte;
  std::size_t nameStart;
};

TEST(PathWalkTest, FileNameStartsBehindTheLastSeparatorOrColon) {
  const FileNameCase cases[] = {
      {"", IsCp932LeadByte, 0},
      {"a.exe", IsCp932LeadByte, 0},
      {"C:\\dir\\a.exe", IsCp932LeadByte, 7},
      {"C:/dir/a.exe", IsCp932LeadByte, 7},
      {"C:a.exe", IsCp932LeadByte, 2},
      {"dir\\", IsCp932LeadByte, 4},
      {"dir\\\x95\\", IsCp932LeadByte, 4},  // the trail 0x5C ends no folder
      {"dir\\\x95\\", IsNeverLeadByte, 6},
      {"dir\\a\x95", IsCp932LeadByte, 4},
  };
  for (const FileNameCase& c : cases) EXPECT_EQ(FileNameStart(c.path, c.isLeadByte), c.nameStart) << c.path;
}

}  // namespace
