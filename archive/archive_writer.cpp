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
  // Bounded stack chunk: complement a piece, hash the stored bytes, write them.
  std::uint8_t stored[4096];
  while (length > 0) {
    const std::size_t piece = std::min(length, sizeof stored);
    for (std::size_t i = 0; i < piece; ++i) stored[i] = Complement(plain[i]);
    digest_.Update(stored, piece);
    if (!sink_.Write(stored, piece)) return WriteResult::kWriteFailed;
    plain += piece;
    length -= piece;
  }
  return WriteResult::kOk;
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
  ArchiveTrailer trailer;
  trailer.areaSize = static_cast<std::uint32_t>(areaSize_);
  trailer.entryCount = entryCount_;
  trailer.SetDigest(digest_.Finish());
  std::uint8_t stored[kTrailerSize];
  EncodeTrailer(trailer, stored);
  return sink_.Write(stored, kTrailerSize) ? WriteResult::kOk : WriteResult::kWriteFailed;
}

}  // namespace archive
