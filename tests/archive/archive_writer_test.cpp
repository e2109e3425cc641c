// The archive writer against the format laid out by hand: records and data complemented in
// order, the trailer's counts and the digest of the stored area, whatever the caller's chunks
// and however the entries fall across the writer's pieces; and a refusing sink fails the run.
#include "archive/archive_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "archive/sha256.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class MemorySink : public archive::ByteSink {
 public:
  bool Write(const std::uint8_t* bytes, std::size_t length) override {
    if (written.size() + length > limit) return false;
    written.insert(written.end(), bytes, bytes + length);
    ++writes;
    return true;
  }
  Bytes written;
  std::size_t limit = static_cast<std::size_t>(-1);
  int writes = 0;
};

struct Entry {
  std::string name;
  Bytes data;
};

archive::EntryRecord RecordOf(const Entry& entry, std::uint64_t time) {
  archive::EntryRecord record;
  record.attributes = 0x20;
  record.creationTime = time;
  record.lastAccessTime = time + 1;
  record.lastWriteTime = time + 2;
  record.fileSizeLow = static_cast<std::uint32_t>(entry.data.size());
  std::memcpy(record.fileName.data(), entry.name.data(), entry.name.size());
  return record;
}

// Area and trailer as the format lays them out, built without the writer.
Bytes Expected(const std::vector<Entry>& entries) {
  Bytes area;
  std::uint64_t time = 1000;
  for (const Entry& entry : entries) {
    std::uint8_t stored[archive::kRecordSize];
    archive::EncodeRecord(RecordOf(entry, time++), stored);
    area.insert(area.end(), stored, stored + archive::kRecordSize);
    for (std::uint8_t byte : entry.data) area.push_back(archive::Complement(byte));
  }
  archive::ArchiveTrailer trailer;
  trailer.areaSize = static_cast<std::uint32_t>(area.size());
  trailer.entryCount = static_cast<std::uint32_t>(entries.size());
  Sha256 sha;
  sha.Update(area.data(), area.size());
  trailer.SetDigest(sha.Finish());
  std::uint8_t stored[archive::kTrailerSize];
  archive::EncodeTrailer(trailer, stored);
  area.insert(area.end(), stored, stored + archive::kTrailerSize);
  return area;
}

Bytes Pattern(std::size_t length, unsigned seed) {
  Bytes bytes(length);
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<std::uint8_t>((i * 131 + seed * 7 + (i >> 9)) & 0xFF);
  return bytes;
}

archive::WriteResult WriteAll(archive::ArchiveWriter& writer, const std::vector<Entry>& entries, std::size_t chunk) {
  std::uint64_t time = 1000;
  for (const Entry& entry : entries) {
    archive::WriteResult result = writer.BeginEntry(RecordOf(entry, time++));
    if (result != archive::WriteResult::kOk) return result;
    for (std::size_t at = 0; at < entry.data.size(); at += chunk) {
      result = writer.WriteData(entry.data.data() + at, std::min(chunk, entry.data.size() - at));
      if (result != archive::WriteResult::kOk) return result;
    }
  }
  return writer.Finish();
}

TEST(ArchiveWriterTest, WritesTheFormatsBytesWhateverTheChunksAndPieces) {
  constexpr std::size_t kPiece = archive::DigestWorker::kPieceSize;
  // Enough to go round the digest's ring of pieces more than twice, with entries that end
  // exactly on a piece's end, just before and after it, an empty one, and many small ones.
  std::vector<Entry> entries;
  entries.push_back({"exact.bin", Pattern(kPiece - archive::kRecordSize, 1)});
  entries.push_back({"empty.txt", {}});
  entries.push_back({"big\\one.bin", Pattern(3 * kPiece + 17, 2)});
  entries.push_back({"short.bin", Pattern(kPiece - archive::kRecordSize - 1, 3)});
  for (unsigned i = 0; i < 40; ++i) entries.push_back({"small\\f" + std::to_string(i), Pattern(i * 97, i)});
  entries.push_back({"last.bin", Pattern(5 * kPiece + 1, 4)});
  const std::vector<Entry> small(entries.begin() + 4, entries.end() - 1);
  struct Case {
    const char* what;
    const std::vector<Entry>& entries;
    std::size_t chunk;
  };
  const Case cases[] = {
      {"1 MiB chunks", entries, std::size_t{1} << 20},
      {"4 KiB chunks", entries, 4096},
      {"odd chunks", entries, 65537},
      {"a byte at a time (the small entries only)", small, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Bytes expected = Expected(c.entries);
    MemorySink sink;
    archive::ArchiveWriter writer(sink);
    ASSERT_EQ(WriteAll(writer, c.entries, c.chunk), archive::WriteResult::kOk);
    EXPECT_EQ(sink.written, expected);
    EXPECT_EQ(writer.EntryCount(), c.entries.size());
    // Whole pieces go out: one write per piece begun, and one for the trailer.
    EXPECT_EQ(sink.writes, static_cast<int>((expected.size() - archive::kTrailerSize + kPiece - 1) / kPiece) + 1);
  }
}

TEST(ArchiveWriterTest, ARefusingSinkFailsTheWriteAtThePieceItRefused) {
  const std::vector<Entry> entries = {{"a.bin", Pattern(3 * archive::DigestWorker::kPieceSize, 5)}};
  for (std::size_t limit : {std::size_t{0}, archive::DigestWorker::kPieceSize, 3 * archive::DigestWorker::kPieceSize}) {
    SCOPED_TRACE("limit " + std::to_string(limit));
    MemorySink sink;
    sink.limit = limit;
    archive::ArchiveWriter writer(sink);
    EXPECT_EQ(WriteAll(writer, entries, 1 << 20), archive::WriteResult::kWriteFailed);
    EXPECT_LE(sink.written.size(), limit);
  }
}

TEST(ArchiveWriterTest, CallsOutOfOrderAreRefused) {
  MemorySink sink;
  archive::ArchiveWriter writer(sink);
  const Entry entry{"a.bin", Pattern(10, 6)};
  const std::uint8_t byte = 0;
  EXPECT_EQ(writer.WriteData(&byte, 1), archive::WriteResult::kWrongSequence);
  ASSERT_EQ(writer.BeginEntry(RecordOf(entry, 1)), archive::WriteResult::kOk);
  EXPECT_EQ(writer.Finish(), archive::WriteResult::kWrongSequence);  // 10 bytes still owed
  EXPECT_EQ(writer.BeginEntry(RecordOf(entry, 1)), archive::WriteResult::kWrongSequence);
  EXPECT_EQ(writer.WriteData(entry.data.data(), 11), archive::WriteResult::kWrongSequence);
  ASSERT_EQ(writer.WriteData(entry.data.data(), 10), archive::WriteResult::kOk);
  EXPECT_EQ(writer.Finish(), archive::WriteResult::kOk);
  EXPECT_EQ(writer.Finish(), archive::WriteResult::kWrongSequence);
}

}  // namespace
