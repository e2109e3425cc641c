#include "install/uninstall_list_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Lines(const std::string& bytes, size_t chunk) {
  UninstallListLines splitter;
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < bytes.size(); i += chunk) {
    splitter.Append(bytes.data() + i, std::min(chunk, bytes.size() - i));
    while (splitter.TakeLine(line)) lines.push_back(line);
  }
  while (splitter.TakeLastLine(line)) lines.push_back(line);
  return lines;
}

TEST(UninstallListLines, SplitsWhateverTheChunks) {
  struct Case {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"C:\\a\n", {"C:\\a"}},
      {"C:\\a\nC:\\b\n", {"C:\\a", "C:\\b"}},
      {"C:\\a\r\nC:\\b\r\n", {"C:\\a", "C:\\b"}},
      {"\n\nx\n", {"", "", "x"}},
      {"C:\\a\nlast", {"C:\\a", "last"}},
      {"a\rb\n", {"a\rb"}},
  };
  for (const auto& c : cases) {
    for (size_t chunk : {1u, 2u, 4096u}) {
      SCOPED_TRACE(c.bytes + " chunk " + std::to_string(chunk));
      EXPECT_EQ(Lines(c.bytes, chunk), c.lines);
    }
  }
}

// Reads as a careful reader does: asks before taking each line and once more at the end.
bool RefusedAsOverlong(const std::string& bytes, size_t chunk) {
  UninstallListLines splitter;
  std::string line;
  bool overlong = false;
  for (size_t i = 0; i < bytes.size(); i += chunk) {
    splitter.Append(bytes.data() + i, std::min(chunk, bytes.size() - i));
    for (;;) {
      overlong = overlong || splitter.Overlong();
      if (!splitter.TakeLine(line)) break;
    }
  }
  return overlong;
}

TEST(UninstallListLines, ALineLongerThanAnyListedPathIsOverlongWhereverTheReadsEnd) {
  const std::string longest(kMaxListLineLength, 'x');
  const std::string tooLong = longest + "x";
  struct Case {
    const char* what;
    std::string bytes;
    bool overlong;
  } cases[] = {
      {"the longest line, last without LF", longest, false},
      {"one byte more, last without LF", tooLong, true},
      {"the longest line with LF", longest + "\n", false},
      {"one byte more with LF", tooLong + "\n", true},
      {"the longest line with CRLF", longest + "\r\n", false},
      {"one byte more with CRLF", tooLong + "\r\n", true},
      {"a CR inside the line counts", longest + "\rx\n", true},
      {"a lone CR at the end does not", longest + "\r", false},
      {"short lines, then the longest", "C:\\a\r\n\n" + longest + "\r\nC:\\b", false},
      {"short lines, then one too long", "C:\\a\r\n\n" + tooLong + "\r\nC:\\b", true},
      {"two longest lines in a row", longest + "\n" + longest + "\n", false},
  };
  for (const auto& c : cases) {
    for (size_t chunk : {size_t{1}, size_t{2}, size_t{4096}, kMaxListLineLength + 2}) {
      SCOPED_TRACE(std::string(c.what) + ", chunk " + std::to_string(chunk));
      EXPECT_EQ(RefusedAsOverlong(c.bytes, chunk), c.overlong);
    }
  }
}

}  // namespace
