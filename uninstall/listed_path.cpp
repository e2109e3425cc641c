#include "uninstall/listed_path.h"

#include <cstddef>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

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
  if (mustBeRelative && (path.empty() || IsSeparator(path[0]))) return false;
  std::string component;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    if (isLeadByte(static_cast<unsigned char>(c)) && i + 1 < path.size()) {
      component += c;
      component += path[++i];
      continue;
    }
    if (mustBeRelative && c == ':') return false;
    if (IsSeparator(c)) {
      if (IsParentLike(component)) return false;
      component.clear();
    } else {
      component += c;
    }
  }
  return !IsParentLike(component);
}

// Length of the folder prefix matched in path, or npos when path does not start with it.
// endsWithSeparator tells whether the folder's last character is a single-byte "\" or "/"
// (a trail byte 0x5C of a double-byte character is not).
std::size_t MatchFolderPrefix(const std::string& path, const std::string& folder, IsLeadByteFunction isLeadByte,
                              bool& endsWithSeparator) {
  std::size_t i = 0;
  endsWithSeparator = false;
  while (i < folder.size()) {
    if (i >= path.size()) return std::string::npos;
    const char f = folder[i];
    if (isLeadByte(static_cast<unsigned char>(f)) && i + 1 < folder.size()) {
      if (i + 1 >= path.size() || path[i] != f || path[i + 1] != folder[i + 1]) return std::string::npos;
      i += 2;
      endsWithSeparator = false;
      continue;
    }
    const char p = path[i];
    const bool same = (IsSeparator(f) && IsSeparator(p)) || AsciiLower(f) == AsciiLower(p);
    if (!same) return std::string::npos;
    endsWithSeparator = IsSeparator(f);
    ++i;
  }
  return i;
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
    if (rest >= path.size() || !IsSeparator(path[rest])) return false;
  }
  while (rest < path.size() && IsSeparator(path[rest])) ++rest;
  if (rest >= path.size()) return false;  // the folder itself, not a file below it
  return ComponentsAreSafe(path, false, isLeadByte);
}
