#include "archive/make_folders.h"

#include <cstring>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The index behind the component starting at i, walking whole characters.
std::size_t ComponentEnd(const char* path, std::size_t i, IsLeadByteFunction isLeadByte) {
  while (path[i] != '\0' && !IsSeparator(path[i])) {
    const bool doubleByte = isLeadByte(static_cast<unsigned char>(path[i])) && path[i + 1] != '\0';
    i += doubleByte ? 2 : 1;
  }
  return i;
}

}  // namespace

std::size_t PathRootLength(const char* path, IsLeadByteFunction isLeadByte) {
  if (IsAsciiLetter(path[0]) && path[1] == ':') return IsSeparator(path[2]) ? 3 : 2;
  if (!IsSeparator(path[0])) return 0;
  if (!IsSeparator(path[1])) return 1;
  std::size_t i = 2;
  for (int component = 0; component < 2; ++component) {  // the server, then the share
    i = ComponentEnd(path, i, isLeadByte);
    if (path[i] != '\0') ++i;
  }
  return i;
}

int MakeFoldersWith(const char* path, IsLeadByteFunction isLeadByte, const CreateFolderFunction& createFolder) {
  char working[kMakeFoldersMaxPath + 1];
  const std::size_t length = std::strlen(path);
  if (length > static_cast<std::size_t>(kMakeFoldersMaxPath)) return 0;
  std::memcpy(working, path, length + 1);

  for (std::size_t i = PathRootLength(path, isLeadByte); i < length; ++i) {
    const auto byte = static_cast<unsigned char>(working[i]);
    if (isLeadByte(byte)) {
      ++i;  // the trail byte, whatever its value
      continue;
    }
    if (!IsSeparator(working[i])) continue;
    working[i] = '\0';
    const FolderCreation created = createFolder(working);
    if (created == FolderCreation::kFailed) return 0;
    working[i] = path[i];
  }
  return 1;
}
