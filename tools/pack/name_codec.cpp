#include "tools/pack/name_codec.h"

#include <vector>

#include "text/path_walk.h"

namespace {

bool IsEastAsianLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace

IsLeadByteFunction LeadBytesOf(unsigned codePage) {
  if (codePage == 932) return IsCp932LeadByte;
  if (codePage == 936 || codePage == 949 || codePage == 950) return IsEastAsianLeadByte;
  return IsNeverLeadByte;
}

bool EncodeEntryName(const std::filesystem::path& relative, unsigned codePage, std::string& name,
                     std::string& reason) {
  const IsLeadByteFunction isLeadByte = LeadBytesOf(codePage);
  name.clear();
  for (const auto& component : relative) {
    std::string bytes;
    if (!EncodeComponent(component, codePage, bytes)) {
      reason = "cannot be encoded in code page " + std::to_string(codePage);
      return false;
    }
    if (SplitPathComponents(bytes, isLeadByte).size() != 1) {
      reason = "a name component would hold a path separator in code page " + std::to_string(codePage);
      return false;
    }
    if (!name.empty()) name += '\\';
    name += bytes;
  }
  return true;
}

bool DecodeEntryName(const std::string& name, unsigned codePage, std::filesystem::path& relative) {
  relative.clear();
  for (const std::string& part : SplitPathComponents(name, LeadBytesOf(codePage))) {
    std::filesystem::path component;
    if (!DecodeComponent(part, codePage, component)) return false;
    relative /= component;
  }
  return true;
}
