#include "install/make_folders.h"

#include <cstring>

int MakeFoldersWith(const char* path, IsLeadByteFunction isLeadByte, const CreateFolderFunction& createFolder) {
  char working[kMakeFoldersMaxPath + 1];
  const std::size_t length = std::strlen(path);
  if (length > static_cast<std::size_t>(kMakeFoldersMaxPath)) return 0;
  std::memcpy(working, path, length + 1);

  bool firstSeparatorSeen = false;
  for (std::size_t i = 0; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(working[i]);
    if (isLeadByte(byte)) {
      ++i;  // the trail byte, whatever its value
      continue;
    }
    if (byte != '\\' && byte != '/') continue;
    if (!firstSeparatorSeen) {
      firstSeparatorSeen = true;
      continue;
    }
    working[i] = '\0';
    const FolderCreation created = createFolder(working);
    if (created == FolderCreation::kFailed) return 0;
    working[i] = '\\';
  }
  return 1;
}
