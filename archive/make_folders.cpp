#include "archive/make_folders.h"

#include <cstring>
#include <string_view>

#include "text/path_walk.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::size_t PathRootLength(const char* path, IsLeadByteFunction isLeadByte) {
  if (IsAsciiLetter(path[0]) && path[1] == ':') return IsPathSeparator(path[2]) ? 3 : 2;
  if (!IsPathSeparator(path[0])) return 0;
  if (!IsPathSeparator(path[1])) return 1;
  const std::string_view text(path);
  std::size_t i = 2;
  for (int component = 0; component < 2; ++component) {  // the server, then the share
    i = PathComponentEnd(text, i, isLeadByte);
    if (i < text.size()) ++i;
  }
  return i;
}

int MakeFoldersWith(const char* path, IsLeadByteFunction isLeadByte, const CreateFolderFunction& createFolder) {
  char working[kMakeFoldersMaxPath + 1];
  const std::size_t length = std::strlen(path);
  if (length > static_cast<std::size_t>(kMakeFoldersMaxPath)) return 0;
  std::memcpy(working, path, length + 1);

  const std::string_view text(path, length);
  for (const PathCharacter c : PathCharacters(text, isLeadByte, PathRootLength(path, isLeadByte))) {
    if (!c.IsSeparator()) continue;
    working[c.offset] = '\0';
    const FolderCreation created = createFolder(working);
    if (created == FolderCreation::kFailed) return 0;
    working[c.offset] = path[c.offset];
  }
  return 1;
}
