#include "archive/archive_writer.h"

#include <algorithm>

namespace archive {

const char* Describe(WriteResult result) {
  switch (result) {
    case WriteResult::kOk: return "ok";
    case WriteResult::kWriteFailed: return "the output cannot be written";
    case WriteResult::kTooLarge: return "the payload exceeds the format's 4 GiB limits";
    case WriteResult::kWrongSequence: return "entry data do not match the entry's size";
  }
  return "unknown";
}

WriteResult ArchiveWriter::Store(const std::uint8_t* plain, std::size_t length) {
  while (length > 0) {
    if (piece_ == nullptr) piece_ = digest_.NextPiece();
    const std::size_t part = std::min(length, DigestWorker::kPieceSize - filled_);
    ComplementCopy(plain, piece_ + filled_, part);
    filled_ += part;
    plain += part;
    length -= part;
    if (filled_ == DigestWorker::kPieceSize) {
      const WriteResult written = Flush();
      if (written != WriteResult::kOk) return written;
    }
  }
  return WriteResult::kOk;
}

// The piece is hashed on the digest's thread while the sink writes it.
WriteResult ArchiveWriter::Flush() {
  if (filled_ == 0) return WriteResult::kOk;
  digest_.Hash(filled_);
  const bool written = sink_.Write(piece_, filled_);
  piece_ = nullptr;
  filled_ = 0;
  return written ? WriteResult::kOk : WriteResult::kWriteFailed;
}

WriteResult ArchiveWriter::BeginEntry(const EntryRecord& record) {
  if (finished_ || remaining_ != 0) return WriteResult::kWrongSequence;
  if (record.fileSizeHigh != 0) return WriteResult::kTooLarge;
  const std::uint64_t space = EntrySpace(record.fileSizeLow);
  if (space > kMaxAreaSize - areaSize_ || entryCount_ == 0xFFFFFFFFu) return WriteResult::kTooLarge;
  std::uint8_t plain[kRecordSize];
  EncodeRecord(record, plain);
  // EncodeRecord gives stored bytes; Store complements again, so hand it the plain ones.
  ComplementBytes(plain, kRecordSize);
  const WriteResult result = Store(plain, kRecordSize);
  if (result != WriteResult::kOk) return result;
  areaSize_ += space;
  ++entryCount_;
  remaining_ = record.fileSizeLow;
  return WriteResult::kOk;
}

WriteResult ArchiveWriter::WriteData(const std::uint8_t* bytes, std::size_t length) {
  if (finished_ || length > remaining_) return WriteResult::kWrongSequence;
  const WriteResult result = Store(bytes, length);
  if (result == WriteResult::kOk) remaining_ -= length;
  return result;
}

WriteResult ArchiveWriter::Finish() {
  if (finished_ || remaining_ != 0) return WriteResult::kWrongSequence;
  finished_ = true;
  const WriteResult flushed = Flush();
  if (flushed != WriteResult::kOk) return flushed;
  ArchiveTrailer trailer;
  trailer.areaSize = static_cast<std::uint32_t>(areaSize_);
  trailer.entryCount = entryCount_;
  trailer.SetDigest(digest_.Finish());
  std::uint8_t stored[kTrailerSize];
  EncodeTrailer(trailer, stored);
  return sink_.Write(stored, kTrailerSize) ? WriteResult::kOk : WriteResult::kWriteFailed;
}

}  // namespace archive
