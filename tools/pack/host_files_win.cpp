#include <windows.h>

#include "platform/unique_handle.h"
#include "tools/pack/host_files.h"

namespace {

std::uint64_t FromFileTime(const FILETIME& time) {
  return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

FILETIME ToFileTime(std::uint64_t value) {
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(value);
  time.dwHighDateTime = static_cast<DWORD>(value >> 32);
  return time;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  const platform::UniqueLocalMemory wide(
      reinterpret_cast<HLOCAL>(CommandLineToArgvW(GetCommandLineW(), &count)));
  if (!wide || count != argc) return std::vector<std::string>(argv, argv + argc);
  const auto* words = reinterpret_cast<const LPWSTR*>(wide.Get());
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, words[i], -1, nullptr, 0, nullptr, nullptr);
    std::string word(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, words[i], -1, &word[0], size, nullptr, nullptr);
    word.resize(word.size() - 1);  // the terminator
    arguments.push_back(std::move(word));
  }
  return arguments;
}

UniqueStdioFile OpenFile(const std::filesystem::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return UniqueStdioFile(_wfopen(path.c_str(), wideMode.c_str()));
}

bool SeekFile(std::FILE* file, std::uint64_t offset) {
  return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
}

bool ReadFileTimes(const std::filesystem::path& path, FileTimes& times) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
  times.creation = FromFileTime(data.ftCreationTime);
  times.lastAccess = FromFileTime(data.ftLastAccessTime);
  times.lastWrite = FromFileTime(data.ftLastWriteTime);
  return true;
}

bool WriteFileTimes(const std::filesystem::path& path, const FileTimes& times) {
  platform::UniqueFile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  const FILETIME creation = ToFileTime(times.creation);
  const FILETIME access = ToFileTime(times.lastAccess);
  const FILETIME write = ToFileTime(times.lastWrite);
  return SetFileTime(file.Get(), &creation, &access, &write) != FALSE;
}
