#include "archive/archive_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "archive/pe_layout.h"
#include "archive/sha256.h"
#include "bytes/little_endian.h"
#include "text/path_walk.h"

namespace archive {

bool MemorySource::ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) {
  if (offset > length_ || length > length_ - offset) {
    shortRead_ = true;
    return false;
  }
  std::memcpy(out, bytes_ + offset, length);
  return true;
}

const char* Describe(ReadResult result) {
  switch (result) {
    case ReadResult::kOk: return "ok";
    case ReadResult::kReadFailed: return "the file cannot be read";
    case ReadResult::kMalformed: return "malformed archive: a size points outside the file or the entry area, or a name has no terminator";
    case ReadResult::kUnsafeName: return "an entry name would leave the target folder";
    case ReadResult::kDigestMismatch: return "the entry area does not match its digest (damaged or truncated)";
  }
  return "unknown";
}

// --- Where the payload ends ---------------------------------------------------------------

namespace {

bool ReadLittleEndian32At(ByteSource& source, std::uint64_t offset, std::uint32_t& value) {
  std::uint8_t bytes[4];
  if (!source.ReadAt(offset, bytes, 4)) return false;
  value = ReadLittleEndian32(bytes);
  return true;
}

bool ReadLittleEndian16At(ByteSource& source, std::uint64_t offset, std::uint16_t& value) {
  std::uint8_t bytes[2];
  if (!source.ReadAt(offset, bytes, 2)) return false;
  value = ReadLittleEndian16(bytes);
  return true;
}

}  // namespace

std::uint64_t PayloadEnd(ByteSource& source) {
  const std::uint64_t length = source.Length();
  std::uint8_t mz[pe::kDosMagicSize];
  std::uint32_t peOffset = 0;
  if (!source.ReadAt(pe::kDosMagicOffset, mz, pe::kDosMagicSize) ||
      std::memcmp(mz, pe::kDosMagic, pe::kDosMagicSize) != 0 ||
      !ReadLittleEndian32At(source, pe::kNewHeaderOffsetField, peOffset))
    return length;
  std::uint8_t signature[pe::kSignatureSize];
  if (!source.ReadAt(peOffset, signature, pe::kSignatureSize) ||
      std::memcmp(signature, pe::kSignature, pe::kSignatureSize) != 0)
    return length;
  const std::uint64_t coff = static_cast<std::uint64_t>(peOffset) + pe::kCoffHeaderOffset;
  std::uint16_t optionalSize = 0;
  std::uint16_t magic = 0;
  if (!ReadLittleEndian16At(source, coff + pe::kCoffOptionalHeaderSizeField, optionalSize)) return length;
  const std::uint64_t optional = coff + pe::kCoffHeaderSize;
  if (!ReadLittleEndian16At(source, optional + pe::kOptionalMagicField, magic)) return length;
  std::size_t countField = 0;
  std::size_t directories = 0;
  if (magic == pe::kPe32Magic) {
    countField = pe::kPe32DirectoryCountField;
    directories = pe::kPe32DirectoriesOffset;
  } else if (magic == pe::kPe32PlusMagic) {
    countField = pe::kPe32PlusDirectoryCountField;
    directories = pe::kPe32PlusDirectoriesOffset;
  } else {
    return length;
  }
  std::uint32_t directoryCount = 0;
  if (!ReadLittleEndian32At(source, optional + countField, directoryCount) ||
      directoryCount <= pe::kSecurityDirectoryIndex)
    return length;
  const std::uint64_t entry = optional + pe::SecurityDirectoryOffset(directories);
  if (entry + pe::kDirectoryEntrySize > optional + optionalSize) return length;
  std::uint32_t tableOffset = 0;
  std::uint32_t tableSize = 0;
  if (!ReadLittleEndian32At(source, entry + pe::kDirectoryAddressField, tableOffset) ||
      !ReadLittleEndian32At(source, entry + pe::kDirectorySizeField, tableSize))
    return length;
  // Only a table that ends the file moves the end; anything else leaves the file as it is.
  if (tableSize == 0 || tableOffset < kTrailerSize || static_cast<std::uint64_t>(tableOffset) + tableSize != length)
    return length;
  return tableOffset;
}

ReadResult LocateArchive(ByteSource& source, ArchiveLocation& location) {
  location = ArchiveLocation{};
  const std::uint64_t end = PayloadEnd(source);
  if (end < kTrailerSize) return ReadResult::kMalformed;
  std::uint8_t stored[kTrailerSize];
  if (!source.ReadAt(end - kTrailerSize, stored, kTrailerSize)) return ReadResult::kReadFailed;
  location.trailer = DecodeTrailer(stored);
  location.payloadEnd = end;
  const std::uint64_t trailerStart = end - kTrailerSize;
  if (location.trailer.areaSize > trailerStart) return ReadResult::kMalformed;
  location.areaStart = trailerStart - location.trailer.areaSize;
  return ReadResult::kOk;
}

// --- Names --------------------------------------------------------------------------------

namespace {

bool IsForbiddenNameByte(unsigned char c) {
  return c < 0x20 || std::strchr("<>:\"|?*", c) != nullptr;
}

bool EqualsIgnoringCase(const std::string& text, const char* word) {
  const std::size_t length = std::strlen(word);
  if (text.size() != length) return false;
  for (std::size_t i = 0; i < length; ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != word[i]) return false;
  }
  return true;
}

// CON, PRN, AUX, NUL, COM0-9 and LPT0-9 name devices whatever extension follows them.
bool IsDeviceName(const std::string& component) {
  const std::string stem = component.substr(0, component.find('.'));
  // Windows also ignores trailing spaces before the extension ("NUL .txt").
  const std::string trimmed = stem.substr(0, stem.find_last_not_of(' ') + 1);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (EqualsIgnoringCase(trimmed, device)) return true;
  if (trimmed.size() == 4 && trimmed[3] >= '0' && trimmed[3] <= '9') {
    const std::string prefix = trimmed.substr(0, 3);
    if (EqualsIgnoringCase(prefix, "COM") || EqualsIgnoringCase(prefix, "LPT")) return true;
  }
  return false;
}

bool IsSafeComponent(const std::string& component) {
  if (component.empty()) return false;
  const char last = component.back();
  if (last == '.' || last == ' ') return false;  // also ".", ".." and "..."
  return !IsDeviceName(component);
}

}  // namespace

bool IsSafeEntryName(const std::string& name, IsLeadByteFunction isLeadByte) {
  if (name.empty() || name.size() > kMaxNameLength) return false;
  for (const PathCharacter c : PathCharacters(name, isLeadByte)) {
    if (c.bytes.size() == 2) continue;  // a double-byte character, whatever its trail byte
    const auto byte = static_cast<unsigned char>(c.bytes[0]);
    // A lead byte stands alone only at the end: a cut character.
    if (isLeadByte(byte) || IsForbiddenNameByte(byte)) return false;
  }
  for (const std::string& component : SplitPathComponents(name, isLeadByte))
    if (!IsSafeComponent(component)) return false;
  return true;
}

// --- Checking the whole archive -----------------------------------------------------------

namespace {

// The record at offset (inside the area), or kMalformed when it or its data leave the area.
ReadResult ReadRecord(ByteSource& source, const ArchiveLocation& location, std::uint64_t offset,
                      EntryRecord& record) {
  const std::uint64_t areaSize = location.trailer.areaSize;
  if (areaSize - offset < kRecordSize) return ReadResult::kMalformed;
  std::uint8_t stored[kRecordSize];
  if (!source.ReadAt(location.areaStart + offset, stored, kRecordSize)) return ReadResult::kReadFailed;
  record = DecodeRecord(stored);
  if (areaSize - offset - kRecordSize < record.fileSizeLow) return ReadResult::kMalformed;
  return ReadResult::kOk;
}

}  // namespace

ReadResult DigestOfArea(ByteSource& source, const ArchiveLocation& location,
                        std::array<std::uint8_t, kDigestSize>& digest) {
  std::vector<std::uint8_t> buffer(std::min<std::uint64_t>(kChunkSize, location.trailer.areaSize));
  Sha256 sha;
  for (std::uint64_t done = 0; done < location.trailer.areaSize;) {
    const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), location.trailer.areaSize - done));
    if (!source.ReadAt(location.areaStart + done, buffer.data(), piece)) return ReadResult::kReadFailed;
    sha.Update(buffer.data(), piece);
    done += piece;
  }
  digest = sha.Finish();
  return ReadResult::kOk;
}

ReadResult CheckArchive(ByteSource& source, const ArchiveLocation& location, IsLeadByteFunction isLeadByte,
                        CheckFailure* failure) {
  auto fail = [&](ReadResult result, std::uint64_t offset, const std::string& name) {
    if (failure) *failure = CheckFailure{result, offset, name};
    return result;
  };
  // A file cut short ends in the middle of its trailer, whose reserved bytes behind the
  // digest are zeros: it reads as a trailer without the marker, of an empty area. No setup
  // file is made that way, so that is refused rather than installed as nothing.
  if (!location.trailer.HasDigest() && location.trailer.areaSize == 0) return fail(ReadResult::kMalformed, 0, {});
  for (std::uint64_t offset = 0; offset < location.trailer.areaSize;) {
    EntryRecord record;
    const ReadResult read = ReadRecord(source, location, offset, record);
    if (read != ReadResult::kOk) return fail(read, offset, {});
    std::string name;
    if (!record.Name(name)) return fail(ReadResult::kMalformed, offset, {});
    if (!IsSafeEntryName(name, isLeadByte)) return fail(ReadResult::kUnsafeName, offset, name);
    offset += kRecordSize + record.fileSizeLow;
  }
  if (location.trailer.HasDigest()) {
    std::array<std::uint8_t, kDigestSize> digest{};
    const ReadResult read = DigestOfArea(source, location, digest);
    if (read != ReadResult::kOk) return fail(read, 0, {});
    if (digest != location.trailer.Digest()) return fail(ReadResult::kDigestMismatch, 0, {});
  }
  return fail(ReadResult::kOk, 0, {});
}

// --- The walk -----------------------------------------------------------------------------

EntryData::EntryData(ByteSource& source, std::uint64_t offset, std::uint32_t length, std::uint8_t* buffer,
                     std::size_t bufferSize)
    : source_(source), offset_(offset), length_(length), buffer_(buffer), bufferSize_(bufferSize) {}

bool EntryData::Next(const std::uint8_t*& chunk, std::size_t& chunkLength) {
  if (failed_ || done_ == length_) return false;
  const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(bufferSize_, length_ - done_));
  if (!source_.ReadAt(offset_ + done_, buffer_, piece)) {
    failed_ = true;
    return false;
  }
  ComplementBytes(buffer_, piece);
  done_ += static_cast<std::uint32_t>(piece);
  chunk = buffer_;
  chunkLength = piece;
  return true;
}

WalkResult WalkEntries(ByteSource& source, const ArchiveLocation& location, EntryVisitor& visitor,
                       std::uint8_t* buffer, std::size_t bufferSize) {
  std::uint32_t index = 0;
  for (std::uint64_t offset = 0; offset < location.trailer.areaSize;) {
    EntryRecord record;
    const ReadResult read = ReadRecord(source, location, offset, record);
    if (read == ReadResult::kReadFailed) return WalkResult::kReadFailed;
    std::string name;
    // The archive was checked; a source that changed under us still never leads astray.
    if (read != ReadResult::kOk || !record.Name(name)) return WalkResult::kFailed;
    visitor.OnEntryStart(record, name);
    EntryData data(source, location.areaStart + offset + kRecordSize, record.fileSizeLow, buffer, bufferSize);
    const EntryOutcome outcome = visitor.OnEntry(record, name, data);
    if (outcome == EntryOutcome::kFailed) return WalkResult::kFailed;
    if (outcome == EntryOutcome::kStopped) return WalkResult::kStopped;
    visitor.OnProgress(index, location.trailer.entryCount);
    ++index;
    offset += kRecordSize + record.fileSizeLow;
  }
  return WalkResult::kDone;
}

}  // namespace archive
