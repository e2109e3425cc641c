#include "install/target_folder.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "install/run_host.h"

std::string ReadTargetFolder(RunHost& host, int bufferSize) {
  const std::string text = host.FolderText(bufferSize);
  std::vector<char> buffer(static_cast<size_t>(bufferSize), '\0');
  std::memcpy(buffer.data(), text.data(), std::min(text.size(), buffer.size() - 1));
  // PathAddBackslashA needs room for the "\" and the terminator; without it the text
  // stays as it is, as the function itself leaves a full buffer.
  if (std::strlen(buffer.data()) + 2 <= buffer.size()) PathAddBackslashA(buffer.data());
  return buffer.data();
}

std::string UninstallListPath(const std::string& targetFolder) { return targetFolder + "Uninstall.txt"; }

bool IsSystemLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
