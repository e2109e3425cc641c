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

}  // namespace
