#include "archive/archive_format.h"

#include <algorithm>
#include <cstring>

namespace archive {

void ComplementBytes(std::uint8_t* bytes, std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) bytes[i] = Complement(bytes[i]);
}

std::uint32_t ReadLe32(const std::uint8_t* b) {
  return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
         static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

std::uint64_t ReadLe64(const std::uint8_t* b) {
  return static_cast<std::uint64_t>(ReadLe32(b)) | static_cast<std::uint64_t>(ReadLe32(b + 4)) << 32;
}

void WriteLe32(std::uint8_t* b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void WriteLe64(std::uint8_t* b, std::uint64_t v) {
  WriteLe32(b, static_cast<std::uint32_t>(v));
  WriteLe32(b + 4, static_cast<std::uint32_t>(v >> 32));
}

bool ArchiveTrailer::HasDigest() const {
  return std::memcmp(reserved.data() + kMarkerOffset, kMarkerText, kMarkerSize) == 0;
}

std::array<std::uint8_t, kDigestSize> ArchiveTrailer::Digest() const {
  std::array<std::uint8_t, kDigestSize> digest{};
  std::copy_n(reserved.begin() + kDigestOffset, kDigestSize, digest.begin());
  return digest;
}

void ArchiveTrailer::SetDigest(const std::array<std::uint8_t, kDigestSize>& digest) {
  reserved.fill(0);
  std::memcpy(reserved.data() + kMarkerOffset, kMarkerText, kMarkerSize);
  std::copy(digest.begin(), digest.end(), reserved.begin() + kDigestOffset);
}

ArchiveTrailer DecodeTrailer(const std::uint8_t* stored) {
  std::uint8_t plain[kTrailerSize];
  std::memcpy(plain, stored, kTrailerSize);
  ComplementBytes(plain, kTrailerSize);
  ArchiveTrailer trailer;
  std::copy_n(plain + kTrailerReservedOffset, kTrailerReservedSize, trailer.reserved.begin());
  trailer.areaSize = ReadLe32(plain + kTrailerAreaSizeOffset);
  trailer.entryCount = ReadLe32(plain + kTrailerEntryCountOffset);
  return trailer;
}

void EncodeTrailer(const ArchiveTrailer& trailer, std::uint8_t* stored) {
  std::copy(trailer.reserved.begin(), trailer.reserved.end(), stored + kTrailerReservedOffset);
  WriteLe32(stored + kTrailerAreaSizeOffset, trailer.areaSize);
  WriteLe32(stored + kTrailerEntryCountOffset, trailer.entryCount);
  ComplementBytes(stored, kTrailerSize);
}

bool EntryRecord::Name(std::string& out) const {
  const auto end = std::find(fileName.begin(), fileName.end(), std::uint8_t{0});
  if (end == fileName.end()) return false;
  out.assign(fileName.begin(), end);
  return true;
}

EntryRecord DecodeRecord(const std::uint8_t* stored) {
  std::uint8_t plain[kRecordSize];
  std::memcpy(plain, stored, kRecordSize);
  ComplementBytes(plain, kRecordSize);
  EntryRecord record;
  record.attributes = ReadLe32(plain + kAttributesOffset);
  record.creationTime = ReadLe64(plain + kCreationTimeOffset);
  record.lastAccessTime = ReadLe64(plain + kLastAccessTimeOffset);
  record.lastWriteTime = ReadLe64(plain + kLastWriteTimeOffset);
  record.fileSizeHigh = ReadLe32(plain + kFileSizeHighOffset);
  record.fileSizeLow = ReadLe32(plain + kFileSizeLowOffset);
  std::copy_n(plain + kFileNameOffset, kFileNameSize, record.fileName.begin());
  return record;
}

void EncodeRecord(const EntryRecord& record, std::uint8_t* stored) {
  std::memset(stored, 0, kRecordSize);
  WriteLe32(stored + kAttributesOffset, record.attributes);
  WriteLe64(stored + kCreationTimeOffset, record.creationTime);
  WriteLe64(stored + kLastAccessTimeOffset, record.lastAccessTime);
  WriteLe64(stored + kLastWriteTimeOffset, record.lastWriteTime);
  WriteLe32(stored + kFileSizeHighOffset, record.fileSizeHigh);
  WriteLe32(stored + kFileSizeLowOffset, record.fileSizeLow);
  std::copy(record.fileName.begin(), record.fileName.end(), stored + kFileNameOffset);
  ComplementBytes(stored, kRecordSize);
}

}  // namespace archive
