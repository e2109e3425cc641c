#include <iconv.h>

#include <cerrno>
#include <memory>

#include "tools/pack/name_codec.h"

namespace {

struct IconvCloser {
  void operator()(iconv_t* handle) const {
    iconv_close(*handle);
    delete handle;
  }
};

// Converts all of input or fails: no transliteration, no skipped characters.
bool Convert(const char* to, const char* from, const std::string& input, std::string& output) {
  const iconv_t raw = iconv_open(to, from);
  if (raw == reinterpret_cast<iconv_t>(-1)) return false;
  std::unique_ptr<iconv_t, IconvCloser> handle(new iconv_t(raw));
  output.clear();
  std::string in = input;
  char* inPointer = in.data();
  std::size_t inLeft = in.size();
  char buffer[256];
  while (inLeft > 0) {
    char* outPointer = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = iconv(*handle, &inPointer, &inLeft, &outPointer, &outLeft);
    output.append(buffer, sizeof buffer - outLeft);
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
  }
  char* outPointer = buffer;
  std::size_t outLeft = sizeof buffer;
  if (iconv(*handle, nullptr, nullptr, &outPointer, &outLeft) == static_cast<std::size_t>(-1)) return false;
  output.append(buffer, sizeof buffer - outLeft);
  return true;
}

std::string IconvName(unsigned codePage) { return "CP" + std::to_string(codePage); }

}  // namespace

bool EncodeComponent(const std::filesystem::path& component, unsigned codePage, std::string& bytes) {
  return Convert(IconvName(codePage).c_str(), "UTF-8", component.native(), bytes);
}

bool DecodeComponent(const std::string& bytes, unsigned codePage, std::filesystem::path& component) {
  std::string utf8;
  if (!Convert("UTF-8", IconvName(codePage).c_str(), bytes, utf8)) return false;
  component = utf8;
  return true;
}
