// libFuzzer target over the portable archive reader: any bytes as a setup file. The reader
// must never read out of bounds (ASan), never hand out a name that leaves the target
// folder, and never give an entry data running past the entry area.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "archive/archive_reader.h"

namespace {

// The name rule again, written apart from the reader's so that a slip in one is caught by
// the other: code page 932 characters, components split at single-byte "\" and "/". It
// leaves device names to the reader; everything here would climb out of the target or
// name no plain file.
bool StaysInsideTarget(const std::string& name) {
  std::vector<std::string> components(1);
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (IsCp932LeadByte(c)) {
      if (i + 1 == name.size()) return false;  // half a character
      components.back() += name.substr(i, 2);
      ++i;
    } else if (c == '\\' || c == '/') {
      components.emplace_back();
    } else if (c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr) {
      return false;  // ":" also refuses a drive
    } else {
      components.back() += name[i];
    }
  }
  for (const std::string& component : components) {
    // Empty: a leading separator (a root or UNC prefix), a doubled or a trailing one.
    if (component.empty()) return false;
    // Windows drops a final dot or space, so this also refuses ".", ".." and "..  ".
    if (component.back() == '.' || component.back() == ' ') return false;
  }
  return true;
}

class CheckingVisitor : public archive::EntryVisitor {
 public:
  CheckingVisitor(const archive::ArchiveLocation& location) : location_(location) {}
  void OnEntryStart(const archive::EntryRecord&, const std::string&) override {}
  archive::EntryOutcome OnEntry(const archive::EntryRecord& record, const std::string& name,
                                archive::EntryData& data) override {
    if (!StaysInsideTarget(name)) __builtin_trap();
    consumed_ += archive::kRecordSize + record.fileSizeLow;
    if (consumed_ > location_.trailer.areaSize) std::abort();
    const std::uint8_t* chunk = nullptr;
    std::size_t length = 0;
    std::uint64_t total = 0;
    while (data.Next(chunk, length)) total += length;
    if (!data.Failed() && total != record.fileSizeLow) std::abort();
    return archive::EntryOutcome::kDone;
  }
  void OnProgress(std::uint32_t, std::uint32_t) override {}

 private:
  const archive::ArchiveLocation& location_;
  std::uint64_t consumed_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t length) {
  archive::MemorySource source(bytes, length);
  archive::ArchiveLocation location;
  if (archive::LocateArchive(source, location) != archive::ReadResult::kOk) return 0;
  if (location.payloadEnd > length || location.areaStart + location.trailer.areaSize > location.payloadEnd) std::abort();
  if (archive::CheckArchive(source, location, IsCp932LeadByte) != archive::ReadResult::kOk) return 0;
  CheckingVisitor visitor(location);
  std::vector<std::uint8_t> buffer(4096);  // small chunks: more chunk boundaries per input
  archive::WalkEntries(source, location, visitor, buffer.data(), buffer.size());
  return 0;
}
