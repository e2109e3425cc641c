// The byte layout of the payload archive appended behind the setup program's image:
//
//   [program image][entry area: areaSize bytes][trailer: 268 bytes]  <- end of the payload
//
// Each entry is a 320-byte record followed at once by its file data. Every stored byte of
// the area and the trailer is the complement (XOR 0xFF) of the plain byte. Integers are
// little-endian. This file is the one place that knows offsets and sizes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace archive {

// ArchiveTrailer, after restoring.
constexpr std::size_t kTrailerSize = 268;
constexpr std::size_t kTrailerReservedOffset = 0;
constexpr std::size_t kTrailerReservedSize = 260;
constexpr std::size_t kTrailerAreaSizeOffset = 260;
constexpr std::size_t kTrailerEntryCountOffset = 264;
static_assert(kTrailerReservedOffset + kTrailerReservedSize == kTrailerAreaSizeOffset, "reserved bytes end at areaSize");
static_assert(kTrailerAreaSizeOffset + 4 == kTrailerEntryCountOffset, "entryCount follows areaSize");
static_assert(kTrailerEntryCountOffset + 4 == kTrailerSize, "entryCount ends the trailer");

// The integrity marker inside the reserved bytes: a fixed text, then the SHA-256 digest of
// the stored (still complemented) entry area. Reserved bytes without the text are not
// interpreted, so archives made without a digest read as they always did.
constexpr std::size_t kMarkerOffset = 0;
constexpr std::size_t kMarkerSize = 16;
constexpr char kMarkerText[kMarkerSize + 1] = "QXPAYLOAD-SHA256";
constexpr std::size_t kDigestOffset = 16;
constexpr std::size_t kDigestSize = 32;
static_assert(kMarkerOffset + kMarkerSize == kDigestOffset, "digest follows the marker");
static_assert(kDigestOffset + kDigestSize <= kTrailerReservedSize, "marker and digest fit the reserved bytes");

// EntryRecord: the layout of WIN32_FIND_DATAA (318 bytes) padded to 320.
constexpr std::size_t kRecordSize = 320;
constexpr std::size_t kAttributesOffset = 0;
constexpr std::size_t kCreationTimeOffset = 4;
constexpr std::size_t kLastAccessTimeOffset = 12;
constexpr std::size_t kLastWriteTimeOffset = 20;
constexpr std::size_t kFileSizeHighOffset = 28;
constexpr std::size_t kFileSizeLowOffset = 32;
constexpr std::size_t kReserved0Offset = 36;
constexpr std::size_t kReserved1Offset = 40;
constexpr std::size_t kFileNameOffset = 44;
constexpr std::size_t kFileNameSize = 260;
constexpr std::size_t kAlternateNameOffset = 304;
constexpr std::size_t kAlternateNameSize = 14;
constexpr std::size_t kPaddingOffset = 318;
static_assert(kCreationTimeOffset == kAttributesOffset + 4, "FILETIMEs follow the attributes");
static_assert(kLastAccessTimeOffset == kCreationTimeOffset + 8, "");
static_assert(kLastWriteTimeOffset == kLastAccessTimeOffset + 8, "");
static_assert(kFileSizeHighOffset == kLastWriteTimeOffset + 8, "");
static_assert(kFileSizeLowOffset == kFileSizeHighOffset + 4, "");
static_assert(kReserved0Offset == kFileSizeLowOffset + 4, "");
static_assert(kReserved1Offset == kReserved0Offset + 4, "");
static_assert(kFileNameOffset == kReserved1Offset + 4, "");
static_assert(kAlternateNameOffset == kFileNameOffset + kFileNameSize, "");
static_assert(kPaddingOffset == kAlternateNameOffset + kAlternateNameSize, "");
static_assert(kPaddingOffset == 318 && kRecordSize == kPaddingOffset + 2, "318 bytes of find data, 2 of padding");

// A name is at most 259 bytes: it must end with its terminator inside the 260.
constexpr std::size_t kMaxNameLength = kFileNameSize - 1;

// Stored byte <-> plain byte; its own inverse.
constexpr std::uint8_t Complement(std::uint8_t byte) { return static_cast<std::uint8_t>(byte ^ 0xFF); }
void ComplementBytes(std::uint8_t* bytes, std::size_t length);
// The same from one place into another (the ranges must not overlap unless they are the same).
void ComplementCopy(const std::uint8_t* from, std::uint8_t* to, std::size_t length);

struct ArchiveTrailer {
  std::array<std::uint8_t, kTrailerReservedSize> reserved{};
  std::uint32_t areaSize = 0;
  std::uint32_t entryCount = 0;

  bool HasDigest() const;
  std::array<std::uint8_t, kDigestSize> Digest() const;
  void SetDigest(const std::array<std::uint8_t, kDigestSize>& digest);
};

// From and to the 268 stored bytes.
ArchiveTrailer DecodeTrailer(const std::uint8_t* stored);
void EncodeTrailer(const ArchiveTrailer& trailer, std::uint8_t* stored);

struct EntryRecord {
  std::uint32_t attributes = 0;
  std::uint64_t creationTime = 0;  // FILETIME: 100-ns units since 1601-01-01 UTC
  std::uint64_t lastAccessTime = 0;
  std::uint64_t lastWriteTime = 0;
  std::uint32_t fileSizeHigh = 0;
  std::uint32_t fileSizeLow = 0;
  std::array<std::uint8_t, kFileNameSize> fileName{};  // as stored: terminator not checked

  // The name up to its terminator; false when the 260 bytes hold none.
  bool Name(std::string& out) const;
};

// From and to the 320 stored bytes; the name bytes are copied as they stand.
EntryRecord DecodeRecord(const std::uint8_t* stored);
void EncodeRecord(const EntryRecord& record, std::uint8_t* stored);

// A FILETIME cut to whole seconds: times are kept to the second.
constexpr std::uint64_t WholeSeconds(std::uint64_t fileTime) { return fileTime - fileTime % 10000000u; }

}  // namespace archive
