#include <fcntl.h>
#include <sys/stat.h>

#include "tools/pack/host_files.h"

namespace {

// Seconds between 1601-01-01 and 1970-01-01.
constexpr std::uint64_t kEpochDifference = 11644473600ull;

std::uint64_t ToFileTime(const timespec& time) {
  return (static_cast<std::uint64_t>(time.tv_sec) + kEpochDifference) * 10000000ull +
         static_cast<std::uint64_t>(time.tv_nsec) / 100;
}

timespec FromFileTime(std::uint64_t fileTime) {
  timespec time{};
  const std::uint64_t seconds = fileTime / 10000000ull;
  time.tv_sec = static_cast<time_t>(seconds >= kEpochDifference ? seconds - kEpochDifference : 0);
  time.tv_nsec = static_cast<long>(fileTime % 10000000ull * 100);
  return time;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);  // the file system takes the bytes as they are
}

UniqueStdioFile OpenFile(const std::filesystem::path& path, const char* mode) {
  return UniqueStdioFile(std::fopen(path.c_str(), mode));
}

bool SeekFile(std::FILE* file, std::uint64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
}

bool ReadFileTimes(const std::filesystem::path& path, FileTimes& times) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return false;
  times.lastWrite = ToFileTime(status.st_mtim);
  times.lastAccess = ToFileTime(status.st_atim);
  times.creation = times.lastWrite;
  return true;
}

bool WriteFileTimes(const std::filesystem::path& path, const FileTimes& times) {
  const timespec both[2] = {FromFileTime(times.lastAccess), FromFileTime(times.lastWrite)};
  return utimensat(AT_FDCWD, path.c_str(), both, 0) == 0;
}
