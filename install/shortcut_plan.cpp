#include "install/shortcut_plan.h"

#include <cstddef>

#include "text/path_walk.h"

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsIgnoringAsciiCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return i == a.size() && b[i] == '\0';
}

}  // namespace

InstalledFileName SplitInstalledFileName(const std::string& path, IsLeadByteFunction isLeadByte) {
  const std::size_t nameStart = FileNameStart(path, isLeadByte);
  std::size_t lastDot = std::string::npos;
  for (const PathCharacter c : PathCharacters(path, isLeadByte, nameStart))
    if (c.Is('.')) lastDot = c.offset;
  if (lastDot == std::string::npos) return {path.substr(nameStart), ""};
  return {path.substr(nameStart, lastDot - nameStart), path.substr(lastDot)};
}

ShortcutKind ShortcutKindFor(const InstalledFileName& name) {
  if (!EqualsIgnoringAsciiCase(name.extension, ".exe")) return ShortcutKind::None;
  if (EqualsIgnoringAsciiCase(name.baseName, "QuorVEXSetup")) return ShortcutKind::Uninstall;
  if (EqualsIgnoringAsciiCase(name.baseName, "QuorVEX")) return ShortcutKind::MainProgram;
  return ShortcutKind::Program;
}

std::string GroupShortcutPath(const std::string& groupFolder, const std::string& baseName) {
  return groupFolder + "\\" + baseName + ".lnk";
}
