#include "archive/archive_format.h"

#include <algorithm>
#include <cstring>

#include "bytes/little_endian.h"

namespace archive {

void ComplementBytes(std::uint8_t* bytes, std::size_t length) { ComplementCopy(bytes, bytes, length); }

void ComplementCopy(const std::uint8_t* from, std::uint8_t* to, std::size_t length) {
  // Eight bytes a step: the release build is compiled for size, which leaves a byte loop
  // as it stands, and every byte of every payload passes through here.
  std::size_t i = 0;
  for (; i + sizeof(std::uint64_t) <= length; i += sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, from + i, sizeof word);
    word = ~word;
    std::memcpy(to + i, &word, sizeof word);
  }
  for (; i < length; ++i) to[i] = Complement(from[i]);
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
  trailer.areaSize = ReadLittleEndian32(plain + kTrailerAreaSizeOffset);
  trailer.entryCount = ReadLittleEndian32(plain + kTrailerEntryCountOffset);
  return trailer;
}

void EncodeTrailer(const ArchiveTrailer& trailer, std::uint8_t* stored) {
  std::copy(trailer.reserved.begin(), trailer.reserved.end(), stored + kTrailerReservedOffset);
  WriteLittleEndian32(stored + kTrailerAreaSizeOffset, trailer.areaSize);
  WriteLittleEndian32(stored + kTrailerEntryCountOffset, trailer.entryCount);
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
  record.attributes = ReadLittleEndian32(plain + kAttributesOffset);
  record.creationTime = ReadLittleEndian64(plain + kCreationTimeOffset);
  record.lastAccessTime = ReadLittleEndian64(plain + kLastAccessTimeOffset);
  record.lastWriteTime = ReadLittleEndian64(plain + kLastWriteTimeOffset);
  record.fileSizeHigh = ReadLittleEndian32(plain + kFileSizeHighOffset);
  record.fileSizeLow = ReadLittleEndian32(plain + kFileSizeLowOffset);
  std::copy_n(plain + kFileNameOffset, kFileNameSize, record.fileName.begin());
  return record;
}

void EncodeRecord(const EntryRecord& record, std::uint8_t* stored) {
  std::memset(stored, 0, kRecordSize);
  WriteLittleEndian32(stored + kAttributesOffset, record.attributes);
  WriteLittleEndian64(stored + kCreationTimeOffset, record.creationTime);
  WriteLittleEndian64(stored + kLastAccessTimeOffset, record.lastAccessTime);
  WriteLittleEndian64(stored + kLastWriteTimeOffset, record.lastWriteTime);
  WriteLittleEndian32(stored + kFileSizeHighOffset, record.fileSizeHigh);
  WriteLittleEndian32(stored + kFileSizeLowOffset, record.fileSizeLow);
  std::copy(record.fileName.begin(), record.fileName.end(), stored + kFileNameOffset);
  ComplementBytes(stored, kRecordSize);
}

}  // namespace archive
