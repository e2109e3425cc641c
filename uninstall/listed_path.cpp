#include "uninstall/listed_path.h"

#include <cstddef>

#include "text/path_walk.h"

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Windows drops trailing dots and spaces of a component, so ".. " and "..." climb too.
bool IsParentLike(const std::string& component) {
  int dots = 0;
  for (char c : component) {
    if (c == '.') {
      ++dots;
    } else if (c != ' ') {
      return false;
    }
  }
  return dots >= 2;
}

// No ".."-like component, and (for a relative path) no drive, stream or root.
bool ComponentsAreSafe(const std::string& path, bool mustBeRelative, IsLeadByteFunction isLeadByte) {
  if (mustBeRelative) {
    if (path.empty() || IsPathSeparator(path[0])) return false;
    for (const PathCharacter c : PathCharacters(path, isLeadByte))
      if (c.Is(':')) return false;
  }
  for (const std::string& component : SplitPathComponents(path, isLeadByte))
    if (IsParentLike(component)) return false;
  return true;
}

// Length of the folder prefix matched in path, or npos when path does not start with it.
// endsWithSeparator tells whether the folder's last character is a single-byte "\" or "/"
// (a trail byte 0x5C of a double-byte character is not).
std::size_t MatchFolderPrefix(const std::string& path, const std::string& folder, IsLeadByteFunction isLeadByte,
                              bool& endsWithSeparator) {
  endsWithSeparator = false;
  for (const PathCharacter f : PathCharacters(folder, isLeadByte)) {
    const std::size_t i = f.offset;
    if (i >= path.size()) return std::string::npos;
    if (f.bytes.size() == 2) {  // double-byte characters match byte for byte
      if (path.compare(i, 2, f.bytes) != 0) return std::string::npos;
      endsWithSeparator = false;
      continue;
    }
    const char p = path[i];
    const bool same = (f.IsSeparator() && IsPathSeparator(p)) || AsciiLower(f.bytes[0]) == AsciiLower(p);
    if (!same) return std::string::npos;
    endsWithSeparator = f.IsSeparator();
  }
  return folder.size();
}

}  // namespace

bool IsInsideSetupFolder(const std::string& path, const std::string& setupFolder, IsLeadByteFunction isLeadByte) {
  if (setupFolder.empty()) return ComponentsAreSafe(path, true, isLeadByte);
  bool folderEndsWithSeparator = false;
  const std::size_t matched = MatchFolderPrefix(path, setupFolder, isLeadByte, folderEndsWithSeparator);
  if (matched == std::string::npos) return false;
  std::size_t rest = matched;
  // A folder text without its final "\" must still end at a component boundary.
  if (!folderEndsWithSeparator) {
    if (rest >= path.size() || !IsPathSeparator(path[rest])) return false;
  }
  while (rest < path.size() && IsPathSeparator(path[rest])) ++rest;
  if (rest >= path.size()) return false;  // the folder itself, not a file below it
  return ComponentsAreSafe(path, false, isLeadByte);
}
