// Reading a payload archive out of a setup file, in bounded pieces: peak memory does not
// grow with the payload, so the 32-bit program reads archives up to the format's 4 GiB.
//
// Reading goes in three steps, each of which the setup program and the packing tool share:
//   LocateArchive  finds the end of the payload (before a code-signing certificate table)
//                  and decodes the trailer;
//   CheckArchive   proves, before anything is written, that every record and its data lie
//                  inside the entry area, that every name is terminated and stays inside the
//                  target folder, and that the digest matches when the trailer carries one;
//   WalkEntries    hands each entry, in storage order, to a visitor with its restored data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "archive/archive_format.h"
#include "text/lead_byte.h"

namespace archive {

// Random-access reads of the setup file.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Length() const = 0;
  // Fills out with exactly length bytes from offset. False on a read error or when fewer
  // bytes were there; ShortRead() then tells the two apart.
  virtual bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) = 0;
  // True when the last failed read got fewer bytes than asked (the file shrank), false when
  // the system reported an error.
  virtual bool ShortRead() const { return false; }
};

// A setup file held in memory (tests, the fuzzer).
class MemorySource : public ByteSource {
 public:
  MemorySource(const std::uint8_t* bytes, std::size_t length) : bytes_(bytes), length_(length) {}
  std::uint64_t Length() const override { return length_; }
  bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override;
  bool ShortRead() const override { return shortRead_; }

 private:
  const std::uint8_t* bytes_;
  std::size_t length_;
  bool shortRead_ = false;
};

enum class ReadResult {
  kOk,
  kReadFailed,      // the source failed (ByteSource::ShortRead says how)
  kMalformed,       // sizes that point outside the file or the entry area, a name without terminator
  kUnsafeName,      // a name that would leave the target folder
  kDigestMismatch,  // the trailer's digest does not match the entry area
};

// A short English reason for the packing tool's messages.
const char* Describe(ReadResult result);

struct ArchiveLocation {
  std::uint64_t payloadEnd = 0;  // offset just behind the trailer
  std::uint64_t areaStart = 0;   // offset of the first entry record
  ArchiveTrailer trailer;
};

// The payload normally ends the file. A signed program carries its certificate table at the
// end instead; when the PE security directory names a table that ends the file, the payload
// ends where the table begins.
std::uint64_t PayloadEnd(ByteSource& source);

ReadResult LocateArchive(ByteSource& source, ArchiveLocation& location);

// Names are relative paths below the target folder in the system's ANSI code page: no
// empty, "." or ".." component, no component ending in "." or " " (Windows drops those, so
// "..." and ".. " would climb too), no drive, no leading separator (and so no UNC prefix),
// no ":" (drives and alternate streams), no characters Windows forbids in names, and no
// device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, also with an extension). A trail byte
// 0x5C of a double-byte character is not a separator.
bool IsSafeEntryName(const std::string& name, IsLeadByteFunction isLeadByte);

// Reports the first entry that breaks a rule; entryOffset is its offset inside the area.
struct CheckFailure {
  ReadResult result = ReadResult::kOk;
  std::uint64_t entryOffset = 0;
  std::string name;  // the entry's name when it could be read
};

ReadResult CheckArchive(ByteSource& source, const ArchiveLocation& location, IsLeadByteFunction isLeadByte,
                        CheckFailure* failure = nullptr);

// The SHA-256 of the stored (still complemented) entry area.
ReadResult DigestOfArea(ByteSource& source, const ArchiveLocation& location,
                        std::array<std::uint8_t, kDigestSize>& digest);

// The data of one entry, restored, in bounded chunks.
class EntryData {
 public:
  EntryData(ByteSource& source, std::uint64_t offset, std::uint32_t length, std::uint8_t* buffer,
            std::size_t bufferSize);
  std::uint32_t Length() const { return length_; }
  // The next restored chunk; false at the end or on a read error (then Failed() is true).
  bool Next(const std::uint8_t*& chunk, std::size_t& chunkLength);
  bool Failed() const { return failed_; }

 private:
  ByteSource& source_;
  std::uint64_t offset_;
  std::uint32_t length_;
  std::uint32_t done_ = 0;
  std::uint8_t* buffer_;
  std::size_t bufferSize_;
  bool failed_ = false;
};

// What happened to one entry.
enum class EntryOutcome {
  kDone,     // go on with the next entry
  kFailed,   // the walk fails (the install run shows "An setup file cannot be copied.")
  kStopped,  // an error was shown already; the walk ends as if it had finished
};

class EntryVisitor {
 public:
  virtual ~EntryVisitor() = default;
  // Called before the entry's data are read; name is the entry's terminated name.
  virtual void OnEntryStart(const EntryRecord& record, const std::string& name) = 0;
  virtual EntryOutcome OnEntry(const EntryRecord& record, const std::string& name, EntryData& data) = 0;
  // After each entry that was done: zero-based index and the trailer's entry count.
  virtual void OnProgress(std::uint32_t index, std::uint32_t entryCount) = 0;
};

enum class WalkResult { kDone, kFailed, kStopped, kReadFailed };

// Walks the entry area (driven by areaSize alone). The archive must have passed
// CheckArchive. buffer is the caller's chunk buffer for the entries' data.
WalkResult WalkEntries(ByteSource& source, const ArchiveLocation& location, EntryVisitor& visitor,
                       std::uint8_t* buffer, std::size_t bufferSize);

// The chunk size the setup program and the tool read with.
constexpr std::size_t kChunkSize = 1u << 20;

}  // namespace archive
