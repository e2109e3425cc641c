// Writing a payload archive behind a program image: each entry's record and data go out
// complemented, the digest of the stored area is computed on the way, and the trailer with
// the integrity marker ends the payload. Data stream through in the caller's chunks and go
// out to the sink in pieces of DigestWorker::kPieceSize, hashed on a second thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "archive/archive_format.h"
#include "archive/digest_worker.h"

namespace archive {

// Where the stored bytes go.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  virtual bool Write(const std::uint8_t* bytes, std::size_t length) = 0;
};

// The format's limits: sizes and offsets are 32-bit.
constexpr std::uint64_t kMaxAreaSize = 0xFFFFFFFFu;
constexpr std::uint64_t kMaxFileSize = 0xFFFFFFFFu;

// The area a list of entries takes: a record plus the data for each.
constexpr std::uint64_t EntrySpace(std::uint64_t dataLength) { return kRecordSize + dataLength; }

// Code signing pads the file to a multiple of 8 before it appends its certificate table.
// Zero bytes after the program image make the whole packed file a multiple of 8 already, so
// signing inserts nothing between the trailer and the table (bytes in front of the area are
// never read: the reader locates everything from the end).
constexpr std::uint64_t kSignAlignment = 8;
constexpr std::uint64_t ImagePadding(std::uint64_t imageLength, std::uint64_t areaSize) {
  return (kSignAlignment - (imageLength + areaSize + kTrailerSize) % kSignAlignment) % kSignAlignment;
}

enum class WriteResult {
  kOk,
  kWriteFailed,     // the sink refused bytes
  kTooLarge,        // a file of 4 GiB or more, or an area beyond 4 GiB - 1
  kWrongSequence,   // data longer or shorter than the record said, or calls out of order
};

const char* Describe(WriteResult result);

class ArchiveWriter {
 public:
  explicit ArchiveWriter(ByteSink& sink) : sink_(sink) {}

  // Starts an entry: the record's size fields must give the length of the data that follow.
  WriteResult BeginEntry(const EntryRecord& record);
  // Plain data bytes of the current entry, any number of calls.
  WriteResult WriteData(const std::uint8_t* bytes, std::size_t length);
  // Ends the payload with the trailer (areaSize, entryCount, marker and digest).
  WriteResult Finish();

  std::uint64_t AreaSize() const { return areaSize_; }
  std::uint32_t EntryCount() const { return entryCount_; }

 private:
  WriteResult Store(const std::uint8_t* plain, std::size_t length);
  WriteResult Flush();

  ByteSink& sink_;
  DigestWorker digest_;
  std::uint8_t* piece_ = nullptr;  // the piece being filled, from the digest's ring
  std::size_t filled_ = 0;
  std::uint64_t areaSize_ = 0;
  std::uint32_t entryCount_ = 0;
  std::uint64_t remaining_ = 0;  // data bytes the current entry still owes
  bool finished_ = false;
};

}  // namespace archive
