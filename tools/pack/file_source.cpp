#include "tools/pack/host_files.h"

bool FileSource::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) {
  shortRead_ = false;
  if (offset > length_ || length > length_ - offset) {
    shortRead_ = true;
    return false;
  }
  if (!SeekFile(file_, offset)) return false;
  const std::size_t got = std::fread(out, 1, length, file_);
  if (got != length) {
    shortRead_ = !std::ferror(file_);
    return false;
  }
  return true;
}
