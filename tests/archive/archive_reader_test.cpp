// The archive reader on archives built byte by byte here: layout, complement rule, bounds,
// names, digest, the walk's order and outcomes, and the signed-program rule.
#include "archive/archive_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "archive/sha256.h"
#include "bytes/little_endian.h"

namespace {

using archive::ArchiveLocation;
using archive::ReadResult;
using Bytes = std::vector<std::uint8_t>;

struct Entry {
  std::string name;
  std::string data;
  std::uint64_t writeTime = 0;
  bool terminated = true;     // false: the 260 name bytes hold no NUL
  std::int64_t sizeDelta = 0;  // added to the stored size only (a lying record)
};

struct Built {
  Bytes file;
  std::size_t areaStart = 0;
};

// image, then the stored entries, then the trailer; areaSizeDelta makes the trailer lie.
// junkTail: bytes behind the last entry, inside the area, too few for a record.
Built Build(const std::vector<Entry>& entries, std::size_t imageSize = 64, bool withDigest = false,
            std::int64_t areaSizeDelta = 0, std::int64_t entryCount = -1, std::size_t junkTail = 0) {
  Built built;
  built.file.assign(imageSize, 0x4D);
  built.areaStart = imageSize;
  for (const Entry& e : entries) {
    archive::EntryRecord record;
    record.lastWriteTime = e.writeTime;
    record.creationTime = e.writeTime;
    record.lastAccessTime = e.writeTime;
    record.fileSizeLow = static_cast<std::uint32_t>(static_cast<std::int64_t>(e.data.size()) + e.sizeDelta);
    if (e.terminated) {
      std::memcpy(record.fileName.data(), e.name.data(), e.name.size());
    } else {
      record.fileName.fill('A');
    }
    std::uint8_t stored[archive::kRecordSize];
    archive::EncodeRecord(record, stored);
    built.file.insert(built.file.end(), stored, stored + archive::kRecordSize);
    for (char c : e.data) built.file.push_back(archive::Complement(static_cast<std::uint8_t>(c)));
  }
  built.file.insert(built.file.end(), junkTail, 0xFF);
  archive::ArchiveTrailer trailer;
  const std::size_t area = built.file.size() - imageSize;
  trailer.areaSize = static_cast<std::uint32_t>(static_cast<std::int64_t>(area) + areaSizeDelta);
  trailer.entryCount = entryCount >= 0 ? static_cast<std::uint32_t>(entryCount) : static_cast<std::uint32_t>(entries.size());
  if (withDigest) {
    Sha256 sha;
    sha.Update(built.file.data() + imageSize, area);
    trailer.SetDigest(sha.Finish());
  }
  std::uint8_t stored[archive::kTrailerSize];
  archive::EncodeTrailer(trailer, stored);
  built.file.insert(built.file.end(), stored, stored + archive::kTrailerSize);
  return built;
}

// Records what the walk hands over, in order.
class RecordingVisitor : public archive::EntryVisitor {
 public:
  std::vector<std::string> events;
  std::vector<std::string> contents;
  int failAt = -1;
  int stopAt = -1;

  void OnEntryStart(const archive::EntryRecord&, const std::string& name) override { events.push_back("start " + name); }

  archive::EntryOutcome OnEntry(const archive::EntryRecord&, const std::string& name,
                                archive::EntryData& data) override {
    std::string content;
    const std::uint8_t* chunk = nullptr;
    std::size_t length = 0;
    while (data.Next(chunk, length)) content.append(reinterpret_cast<const char*>(chunk), length);
    contents.push_back(content);
    events.push_back("entry " + name);
    const int index = static_cast<int>(contents.size()) - 1;
    if (index == failAt) return archive::EntryOutcome::kFailed;
    if (index == stopAt) return archive::EntryOutcome::kStopped;
    return archive::EntryOutcome::kDone;
  }

  void OnProgress(std::uint32_t index, std::uint32_t count) override {
    events.push_back("progress " + std::to_string(index) + "/" + std::to_string(count));
  }
};

ReadResult LocateAndCheck(const Bytes& file, ArchiveLocation& location) {
  archive::MemorySource source(file.data(), file.size());
  ReadResult result = archive::LocateArchive(source, location);
  if (result == ReadResult::kOk) result = archive::CheckArchive(source, location, IsCp932LeadByte);
  return result;
}

archive::WalkResult Walk(const Bytes& file, RecordingVisitor& visitor, std::size_t chunk = 7) {
  archive::MemorySource source(file.data(), file.size());
  ArchiveLocation location;
  EXPECT_EQ(archive::LocateArchive(source, location), ReadResult::kOk);
  std::vector<std::uint8_t> buffer(chunk);
  return archive::WalkEntries(source, location, visitor, buffer.data(), buffer.size());
}

TEST(ArchiveFormatTest, ComplementIsItsOwnInverse) {
  EXPECT_EQ(archive::Complement(0x00), 0xFF);
  EXPECT_EQ(archive::Complement(0x41), 0xBE);
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(archive::Complement(archive::Complement(static_cast<std::uint8_t>(b))), b);
}

// The buffer routine works a word at a time: every length and alignment, with the bytes
// around the range left alone.
TEST(ArchiveFormatTest, ComplementBytesTurnsEveryByteOfTheRangeAndNothingElse) {
  for (std::size_t start = 0; start < 8; ++start) {
    for (std::size_t length = 0; length <= 40; ++length) {
      std::vector<std::uint8_t> bytes(start + length + 8);
      for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
      const std::vector<std::uint8_t> before = bytes;
      archive::ComplementBytes(bytes.data() + start, length);
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool inside = i >= start && i < start + length;
        ASSERT_EQ(bytes[i], inside ? archive::Complement(before[i]) : before[i])
            << "start " << start << " length " << length << " byte " << i;
      }
    }
  }
}

TEST(ArchiveFormatTest, RecordAndTrailerFieldsSitAtTheirOffsetsComplemented) {
  archive::EntryRecord record;
  record.attributes = 0x20;
  record.creationTime = 0x0102030405060708ULL;
  record.lastAccessTime = 0x1112131415161718ULL;
  record.lastWriteTime = 0x2122232425262728ULL;
  record.fileSizeLow = 0xA1B2C3D4;
  std::memcpy(record.fileName.data(), "sub\\a.dll", 9);
  std::uint8_t stored[archive::kRecordSize];
  archive::EncodeRecord(record, stored);
  std::uint8_t plain[archive::kRecordSize];
  for (std::size_t i = 0; i < sizeof plain; ++i) plain[i] = archive::Complement(stored[i]);
  EXPECT_EQ(plain[0], 0x20);
  EXPECT_EQ(plain[4], 0x08);   // ftCreationTime, little-endian
  EXPECT_EQ(plain[11], 0x01);
  EXPECT_EQ(plain[12], 0x18);  // ftLastAccessTime
  EXPECT_EQ(plain[20], 0x28);  // ftLastWriteTime
  EXPECT_EQ(ReadLittleEndian32(plain + 32), 0xA1B2C3D4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(plain + 44)), "sub\\a.dll");
  EXPECT_EQ(plain[318], 0);
  EXPECT_EQ(plain[319], 0);
  const archive::EntryRecord back = archive::DecodeRecord(stored);
  EXPECT_EQ(back.lastWriteTime, record.lastWriteTime);
  EXPECT_EQ(back.fileSizeLow, record.fileSizeLow);

  archive::ArchiveTrailer trailer;
  trailer.areaSize = 0x11223344;
  trailer.entryCount = 3;
  std::uint8_t storedTrailer[archive::kTrailerSize];
  archive::EncodeTrailer(trailer, storedTrailer);
  EXPECT_EQ(storedTrailer[0], 0xFF);  // reserved zero bytes, complemented
  EXPECT_EQ(storedTrailer[260], archive::Complement(0x44));
  EXPECT_EQ(storedTrailer[264], archive::Complement(3));
  EXPECT_FALSE(archive::DecodeTrailer(storedTrailer).HasDigest());
}

TEST(ArchiveWalkTest, EntriesComeInStorageOrderWithRestoredDataAndProgress) {
  const Built built = Build({{"QuorVEX.exe", "MZ program"}, {"empty.txt", ""}, {"sub\\dir\\file.dll", "0123456789abcdef"}});
  ArchiveLocation location;
  ASSERT_EQ(LocateAndCheck(built.file, location), ReadResult::kOk);
  EXPECT_EQ(location.areaStart, built.areaStart);
  RecordingVisitor visitor;
  EXPECT_EQ(Walk(built.file, visitor), archive::WalkResult::kDone);
  EXPECT_EQ(visitor.events, (std::vector<std::string>{
                                "start QuorVEX.exe", "entry QuorVEX.exe", "progress 0/3",
                                "start empty.txt", "entry empty.txt", "progress 1/3",
                                "start sub\\dir\\file.dll", "entry sub\\dir\\file.dll", "progress 2/3"}));
  EXPECT_EQ(visitor.contents, (std::vector<std::string>{"MZ program", "", "0123456789abcdef"}));
}

TEST(ArchiveWalkTest, AnEmptyLastEntryIsVisitedAndDone) {
  struct Case {
    std::vector<Entry> entries;
    std::vector<std::string> events;
  } cases[] = {
      {{{"empty.txt", ""}}, {"start empty.txt", "entry empty.txt", "progress 0/1"}},
      {{{"a.txt", "alpha"}, {"sub\\empty.txt", ""}},
       {"start a.txt", "entry a.txt", "progress 0/2", "start sub\\empty.txt", "entry sub\\empty.txt", "progress 1/2"}},
  };
  for (const Case& c : cases) {
    const Built built = Build(c.entries, 64, true);
    ArchiveLocation location;
    ASSERT_EQ(LocateAndCheck(built.file, location), ReadResult::kOk);
    RecordingVisitor visitor;
    EXPECT_EQ(Walk(built.file, visitor), archive::WalkResult::kDone);
    EXPECT_EQ(visitor.events, c.events);
    ASSERT_EQ(visitor.contents.size(), c.entries.size());
    EXPECT_EQ(visitor.contents.back(), "");
  }
}

TEST(ArchiveWalkTest, AreaSizeAloneDrivesTheWalk) {
  // An empty area: nothing extracted, no progress.
  RecordingVisitor none;
  EXPECT_EQ(Walk(Build({}).file, none), archive::WalkResult::kDone);
  EXPECT_TRUE(none.events.empty());

  // A wrong entryCount changes only the reported total.
  RecordingVisitor lying;
  EXPECT_EQ(Walk(Build({{"a", "1"}, {"b", "2"}}, 64, false, 0, 7).file, lying), archive::WalkResult::kDone);
  EXPECT_EQ(lying.events[2], "progress 0/7");
  EXPECT_EQ(lying.events[5], "progress 1/7");
  EXPECT_EQ(lying.events.size(), 6u);
}

TEST(ArchiveWalkTest, AFailedEntryFailsTheWalkAndAStoppedOneEndsItWithoutProgress) {
  const Built built = Build({{"a", "1"}, {"b", "2"}, {"c", "3"}});
  RecordingVisitor failing;
  failing.failAt = 1;
  EXPECT_EQ(Walk(built.file, failing), archive::WalkResult::kFailed);
  EXPECT_EQ(failing.events.back(), "entry b");
  RecordingVisitor stopping;
  stopping.stopAt = 0;
  EXPECT_EQ(Walk(built.file, stopping), archive::WalkResult::kStopped);
  EXPECT_EQ(stopping.events, (std::vector<std::string>{"start a", "entry a"}));
}

TEST(ArchiveCheckTest, MalformedArchivesAreRefusedBeforeAnyRead) {
  struct Case {
    const char* what;
    Bytes file;
  };
  std::vector<Case> cases;
  cases.push_back({"area larger than the file", Build({{"a", "1"}}, 8, false, 1000).file});
  cases.push_back({"area reaching into the trailer by one", Build({{"a", "1"}}, 0, false, 1).file});
  cases.push_back({"data running past the area by one", Build({{"a", "1234", 0, true, 1}}).file});
  cases.push_back({"a record cut short by the area", Build({{"a", "12"}}, 64, false, 0, -1, 319).file});
  cases.push_back({"name without terminator", Build({{"x", "1", 0, false}}).file});
  cases.push_back({"shorter than a trailer", Bytes(267, 0xFF)});
  cases.push_back({"size of 4 GiB - 1", Build({{"a", "1", 0, true, 0xFFFFFFFFLL - 1}}).file});
  for (const Case& c : cases) {
    ArchiveLocation location;
    EXPECT_EQ(LocateAndCheck(c.file, location), ReadResult::kMalformed) << c.what;
  }
}

TEST(ArchiveCheckTest, NamesThatWouldLeaveTheTargetAreRefused) {
  const std::string trail5c = "\x95\x5C";  // a code page 932 character whose trail byte is "\"
  struct Case {
    std::string name;
    bool safe;
  } cases[] = {
      {"QuorVEX.exe", true}, {"sub\\dir\\file.dll", true}, {"x/y.dat", true}, {trail5c + "\\a.txt", true},
      {"a" + trail5c, true}, {"con.d\\x", false}, {"console\\x", true}, {"COM10", true}, {"..a", true},
      {"..\\evil.exe", false}, {"a\\..\\..\\evil.exe", false}, {"a/../b", false}, {"..", false},
      {".\\a", false}, {"...\\a", false}, {".. \\a", false}, {"a.\\b", false},
      {"C:\\Windows\\evil.exe", false}, {"C:evil.exe", false}, {"\\evil.exe", false}, {"/evil.exe", false},
      {"\\\\server\\share\\evil.exe", false}, {"file.txt:stream", false},
      {"CON", false}, {"nul.txt", false}, {"sub\\Com1.dll", false}, {"LPT9", false}, {"aux .txt", false},
      {"COM0", false}, {"lpt0.txt", false}, {"sub\\Com0  .dll", false}, {"lPt0 .tar.gz\\x", false},
      {"COM00", true}, {"LPT0x", true},
      {"", false}, {"a\\\\b", false}, {"dir\\", false}, {"a?b", false}, {"a\tb", false},
      {"ends in a lead byte \x95", false}, {std::string(260, 'a'), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(archive::IsSafeEntryName(c.name, IsCp932LeadByte), c.safe) << c.name;
    if (c.name.size() < 260 && !c.name.empty()) {
      ArchiveLocation location;
      EXPECT_EQ(LocateAndCheck(Build({{"first.txt", "1"}, {c.name, "x"}}).file, location),
                c.safe ? ReadResult::kOk : ReadResult::kUnsafeName)
          << c.name;
    }
  }
  // In a single-byte code page 0x95 is a character of its own, so 0x5C behind it separates.
  EXPECT_TRUE(archive::IsSafeEntryName("a\x95\\b", IsNeverLeadByte));
  EXPECT_FALSE(archive::IsSafeEntryName("a\x95\\..\\..\\b", IsNeverLeadByte));
}

TEST(ArchiveCheckTest, EveryByteWindowsForbidsIsRefusedWhereverItStands) {
  std::string forbidden = "<>\"|*?:";
  for (char c = 1; c < 0x20; ++c) forbidden += c;
  // "@" stands for the forbidden byte: the whole name, inside, ending and alone in a component.
  const std::string placements[] = {"@", "a@b", "sub\\a@", "@\\a", "sub\\@\\a"};
  for (char c : forbidden) {
    for (std::string name : placements) {
      SCOPED_TRACE("byte " + std::to_string(static_cast<int>(c)) + " as @ in " + name);
      name[name.find('@')] = c;
      EXPECT_FALSE(archive::IsSafeEntryName(name, IsCp932LeadByte));
      ArchiveLocation location;
      EXPECT_EQ(LocateAndCheck(Build({{name, "x"}}).file, location), ReadResult::kUnsafeName);
    }
  }
}

TEST(ArchiveCheckTest, DigestIsCheckedOnlyWhenTheMarkerIsThere) {
  const std::vector<Entry> entries = {{"a.txt", "alpha"}, {"b\\c.txt", "gamma"}};
  ArchiveLocation location;
  EXPECT_EQ(LocateAndCheck(Build(entries, 64, true).file, location), ReadResult::kOk);
  EXPECT_TRUE(location.trailer.HasDigest());

  Built damaged = Build(entries, 64, true);
  damaged.file[damaged.areaStart + archive::kRecordSize + 2] ^= 0x01;  // one bit of "alpha"
  EXPECT_EQ(LocateAndCheck(damaged.file, location), ReadResult::kDigestMismatch);

  // Without the marker the same damage goes unnoticed, as archives always read.
  Built plain = Build(entries, 64, false);
  plain.file[plain.areaStart + archive::kRecordSize + 2] ^= 0x01;
  EXPECT_EQ(LocateAndCheck(plain.file, location), ReadResult::kOk);
  EXPECT_FALSE(location.trailer.HasDigest());
}

// A download cut short: whatever the cut, the bytes now at the end must not read as an
// archive. Behind the digest the trailer's reserved bytes are zeros, so a cut of up to about
// 200 bytes reads as a trailer without the marker, of an empty area.
TEST(ArchiveCheckTest, AFileCutShortAnywhereIsRefused) {
  const Built built = Build({{"a.txt", std::string(300, 'a')}, {"b\\c.txt", std::string(700, 'c')}}, 512, true);
  for (std::size_t cut = 1; cut < built.file.size() - 512 + 200; ++cut) {
    const Bytes file(built.file.begin(), built.file.end() - static_cast<std::ptrdiff_t>(cut));
    ArchiveLocation location;
    ASSERT_NE(LocateAndCheck(file, location), ReadResult::kOk) << "cut " << cut << " bytes";
  }
}

// A minimal PE32 or PE32+ header whose security directory points at [offset, offset+size).
void WriteSecurityDirectory(Bytes& file, bool pe32Plus, std::uint32_t offset, std::uint32_t size) {
  const std::uint32_t pe = 0x40;
  file[0] = 'M';
  file[1] = 'Z';
  WriteLittleEndian32(&file[0x3C], pe);
  std::memcpy(&file[pe], "PE\0\0", 4);
  const std::size_t optional = pe + 4 + 20;
  const std::size_t countField = pe32Plus ? 108 : 92;
  const std::size_t optionalSize = countField + 4 + 16 * 8;
  file[pe + 4 + 16] = static_cast<std::uint8_t>(optionalSize);  // SizeOfOptionalHeader
  file[pe + 4 + 17] = static_cast<std::uint8_t>(optionalSize >> 8);
  file[optional] = 0x0B;  // magic 0x10B or 0x20B
  file[optional + 1] = pe32Plus ? 0x02 : 0x01;
  WriteLittleEndian32(&file[optional + countField], 16);
  WriteLittleEndian32(&file[optional + countField + 4 + 4 * 8], offset);
  WriteLittleEndian32(&file[optional + countField + 4 + 4 * 8 + 4], size);
}

TEST(ArchiveLocateTest, APeHeaderPointingPastTheFileLeavesThePayloadAtTheFilesEnd) {
  struct Case {
    const char* what;
    std::uint32_t peOffset;  // the DOS header's e_lfanew, past the end if it exceeds the file
    bool signatureAtEnd;     // "PE\0\0" in the file's last four bytes, nothing behind it
  };
  const Built built = Build({{"a.txt", "alpha"}}, 64, true);
  const std::uint32_t size = static_cast<std::uint32_t>(built.file.size());
  const Case cases[] = {
      {"just past the end", size, false},
      {"far past the end", 0xFFFFFFFF, false},
      {"a signature cut short", size - 2, false},
      {"no COFF header behind the signature", size - 4, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes file = built.file;
    file[0] = 'M';
    file[1] = 'Z';
    WriteLittleEndian32(&file[0x3C], c.peOffset);
    if (c.signatureAtEnd) std::memcpy(&file[size - 4], "PE\0\0", 4);  // lands in the entry count
    archive::MemorySource source(file.data(), file.size());
    EXPECT_EQ(archive::PayloadEnd(source), file.size());
    ArchiveLocation location;
    EXPECT_EQ(LocateAndCheck(file, location), ReadResult::kOk);
    EXPECT_EQ(location.areaStart, 64u);
  }
  // Only "MZ": no e_lfanew to read, and no room for a trailer.
  const Bytes bare = {'M', 'Z'};
  archive::MemorySource source(bare.data(), bare.size());
  EXPECT_EQ(archive::PayloadEnd(source), 2u);
  ArchiveLocation location;
  EXPECT_EQ(LocateAndCheck(bare, location), ReadResult::kMalformed);
}

TEST(ArchiveLocateTest, ASignedProgramsPayloadEndsWhereItsCertificateTableBegins) {
  for (bool pe32Plus : {false, true}) {
    Built built = Build({{"a.txt", "alpha"}}, 512, true);
    const std::uint32_t payloadEnd = static_cast<std::uint32_t>(built.file.size());
    built.file.resize(payloadEnd + 1000, 0x30);  // the certificate table
    WriteSecurityDirectory(built.file, pe32Plus, payloadEnd, 1000);
    archive::MemorySource source(built.file.data(), built.file.size());
    EXPECT_EQ(archive::PayloadEnd(source), payloadEnd);
    ArchiveLocation location;
    EXPECT_EQ(LocateAndCheck(built.file, location), ReadResult::kOk) << pe32Plus;
    EXPECT_EQ(location.areaStart, 512u);

    // A table that does not end the file moves nothing.
    WriteSecurityDirectory(built.file, pe32Plus, payloadEnd, 999);
    archive::MemorySource other(built.file.data(), built.file.size());
    EXPECT_EQ(archive::PayloadEnd(other), built.file.size());
  }
  // An unsigned program: the file's end.
  Built unsigned_ = Build({{"a.txt", "alpha"}}, 512);
  WriteSecurityDirectory(unsigned_.file, false, 0, 0);
  archive::MemorySource source(unsigned_.file.data(), unsigned_.file.size());
  EXPECT_EQ(archive::PayloadEnd(source), unsigned_.file.size());
  ArchiveLocation location;
  EXPECT_EQ(LocateAndCheck(unsigned_.file, location), ReadResult::kOk);
}

// Each header field on the way to the security directory is checked: where one does not
// hold, the directory's bytes are not believed and the payload ends the file.
TEST(ArchiveLocateTest, TheSecurityDirectoryCountsOnlyWhenEveryHeaderOnTheWayHolds) {
  // As WriteSecurityDirectory lays the headers out.
  static constexpr std::size_t kPe = 0x40;
  static constexpr std::size_t kOptional = kPe + 4 + 20;
  struct Case {
    const char* what;
    void (*change)(Bytes& file, bool pe32Plus);
    bool moves;
  };
  const Case cases[] = {
      {"as written", [](Bytes&, bool) {}, true},
      {"no MZ", [](Bytes& file, bool) { file[1] = 'X'; }, false},
      {"no PE signature", [](Bytes& file, bool) { file[kPe + 3] = 1; }, false},
      {"a ROM optional header (0x107)", [](Bytes& file, bool) { file[kOptional] = 0x07; }, false},
      {"four data directories: no security entry",
       [](Bytes& file, bool pe32Plus) { WriteLittleEndian32(&file[kOptional + (pe32Plus ? 108 : 92)], 4); }, false},
      {"five data directories",
       [](Bytes& file, bool pe32Plus) { WriteLittleEndian32(&file[kOptional + (pe32Plus ? 108 : 92)], 5); }, true},
      {"an optional header ending one byte inside the security entry",
       [](Bytes& file, bool pe32Plus) {
         const std::size_t size = (pe32Plus ? 144 : 128) + 8 - 1;
         file[kPe + 4 + 16] = static_cast<std::uint8_t>(size);
         file[kPe + 4 + 17] = static_cast<std::uint8_t>(size >> 8);
       },
       false},
      {"an optional header ending with the security entry",
       [](Bytes& file, bool pe32Plus) {
         const std::size_t size = (pe32Plus ? 144 : 128) + 8;
         file[kPe + 4 + 16] = static_cast<std::uint8_t>(size);
         file[kPe + 4 + 17] = static_cast<std::uint8_t>(size >> 8);
       },
       true},
  };
  for (bool pe32Plus : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.what) + (pe32Plus ? " (PE32+)" : " (PE32)"));
      Built built = Build({{"a.txt", "alpha"}}, 512, true);
      const std::uint32_t payloadEnd = static_cast<std::uint32_t>(built.file.size());
      built.file.resize(payloadEnd + 1000, 0x30);
      WriteSecurityDirectory(built.file, pe32Plus, payloadEnd, 1000);
      c.change(built.file, pe32Plus);
      archive::MemorySource source(built.file.data(), built.file.size());
      EXPECT_EQ(archive::PayloadEnd(source), c.moves ? payloadEnd : built.file.size());
    }
  }
}

}  // namespace
