#include <cstdio>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <system_error>
#include <vector>

#include "archive/archive_reader.h"
#include "tools/pack/commands.h"
#include "tools/pack/host_files.h"
#include "tools/pack/name_codec.h"

namespace fs = std::filesystem;

namespace {

int Fail(const std::string& message) {
  std::cerr << "quorvex-pack: " << message << "\n";
  return kExitFailed;
}

// A FILETIME as "YYYY-MM-DD hh:mm:ss" UTC (days to civil date after H. Hinnant).
std::string FormatFileTime(std::uint64_t fileTime) {
  constexpr std::int64_t kEpochDays = 134774;  // 1601-01-01 to 1970-01-01
  const std::int64_t seconds = static_cast<std::int64_t>(fileTime / 10000000ull);
  std::int64_t days = seconds / 86400 - kEpochDays;
  const std::int64_t second = seconds % 86400;
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t mp = (5 * dayOfYear + 2) / 153;
  const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
  const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  char text[96];
  std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld %02lld:%02lld:%02lld", static_cast<long long>(year),
                static_cast<long long>(month), static_cast<long long>(day), static_cast<long long>(second / 3600),
                static_cast<long long>(second / 60 % 60), static_cast<long long>(second % 60));
  return text;
}

std::string ShownName(const std::string& name, unsigned codePage) {
  fs::path relative;
  if (DecodeEntryName(name, codePage, relative)) return relative.u8string();
  std::ostringstream raw;
  for (unsigned char byte : name) raw << "\\x" << std::hex << std::setw(2) << std::setfill('0') << int(byte);
  return raw.str();
}

// An opened, located and checked setup file.
struct CheckedArchive {
  UniqueStdioFile file;
  std::unique_ptr<FileSource> source;
  archive::ArchiveLocation location;
};

int OpenChecked(const fs::path& path, unsigned codePage, CheckedArchive& checked) {
  std::error_code error;
  const std::uint64_t length = fs::file_size(path, error);
  if (error) return Fail("cannot open \"" + path.u8string() + "\": " + error.message());
  checked.file = OpenFile(path, "rb");
  if (!checked.file) return Fail("cannot open \"" + path.u8string() + "\"");
  checked.source = std::make_unique<FileSource>(checked.file.get(), length);
  const archive::ReadResult located = archive::LocateArchive(*checked.source, checked.location);
  if (located != archive::ReadResult::kOk) return Fail(std::string("no valid archive: ") + archive::Describe(located));
  archive::CheckFailure failure;
  const archive::ReadResult result =
      archive::CheckArchive(*checked.source, checked.location, LeadBytesOf(codePage), &failure);
  if (result != archive::ReadResult::kOk) {
    std::string where = " (entry at area offset " + std::to_string(failure.entryOffset);
    if (!failure.name.empty()) where += ", name " + ShownName(failure.name, codePage);
    where += ")";
    return Fail(std::string("check failed: ") + archive::Describe(result) +
                (result == archive::ReadResult::kDigestMismatch ? "" : where));
  }
  return kExitOk;
}

std::string DigestState(const archive::ArchiveTrailer& trailer) {
  if (!trailer.HasDigest()) return "none";
  std::ostringstream hex;
  for (std::uint8_t byte : trailer.Digest()) hex << std::hex << std::setw(2) << std::setfill('0') << int(byte);
  return "sha256 " + hex.str();
}

class ListVisitor : public archive::EntryVisitor {
 public:
  explicit ListVisitor(unsigned codePage) : codePage_(codePage) {}
  void OnEntryStart(const archive::EntryRecord&, const std::string&) override {}
  archive::EntryOutcome OnEntry(const archive::EntryRecord& record, const std::string& name,
                                archive::EntryData&) override {
    std::cout << std::setw(10) << record.fileSizeLow << "  " << FormatFileTime(record.lastWriteTime) << "  "
              << ShownName(name, codePage_) << "\n";
    return archive::EntryOutcome::kDone;
  }
  void OnProgress(std::uint32_t, std::uint32_t) override {}

 private:
  unsigned codePage_;
};

class ExtractVisitor : public archive::EntryVisitor {
 public:
  ExtractVisitor(const fs::path& to, unsigned codePage) : to_(to), codePage_(codePage) {}
  void OnEntryStart(const archive::EntryRecord&, const std::string&) override {}
  archive::EntryOutcome OnEntry(const archive::EntryRecord& record, const std::string& name,
                                archive::EntryData& data) override;
  void OnProgress(std::uint32_t, std::uint32_t) override {}

 private:
  archive::EntryOutcome Failed(const std::string& message) {
    Fail(message);
    return archive::EntryOutcome::kFailed;
  }

  fs::path to_;
  unsigned codePage_;
};

archive::EntryOutcome ExtractVisitor::OnEntry(const archive::EntryRecord& record, const std::string& name,
                                              archive::EntryData& data) {
  fs::path relative;
  if (!DecodeEntryName(name, codePage_, relative))
    return Failed("entry name does not decode in code page " + std::to_string(codePage_) + ": " +
                  ShownName(name, codePage_));
  const fs::path destination = to_ / relative;
  std::error_code error;
  fs::create_directories(destination.parent_path(), error);
  if (error) return Failed("cannot create the folder of \"" + destination.u8string() + "\": " + error.message());
  {
    UniqueStdioFile out = OpenFile(destination, "wb");
    if (!out) return Failed("cannot create \"" + destination.u8string() + "\"");
    const std::uint8_t* chunk = nullptr;
    std::size_t chunkLength = 0;
    while (data.Next(chunk, chunkLength)) {
      if (std::fwrite(chunk, 1, chunkLength, out.get()) != chunkLength)
        return Failed("cannot write \"" + destination.u8string() + "\"");
    }
    if (data.Failed()) return Failed("cannot read the data of " + relative.u8string());
    if (std::fclose(out.release()) != 0) return Failed("cannot write \"" + destination.u8string() + "\"");
  }
  FileTimes times;
  times.creation = record.creationTime;
  times.lastAccess = record.lastAccessTime;
  times.lastWrite = record.lastWriteTime;
  if (!WriteFileTimes(destination, times)) return Failed("cannot set the times of \"" + destination.u8string() + "\"");
  std::cout << relative.u8string() << "\n";
  return archive::EntryOutcome::kDone;
}

struct CountVisitor : archive::EntryVisitor {
  void OnEntryStart(const archive::EntryRecord&, const std::string&) override {}
  archive::EntryOutcome OnEntry(const archive::EntryRecord&, const std::string&, archive::EntryData&) override {
    ++count;
    return archive::EntryOutcome::kDone;
  }
  void OnProgress(std::uint32_t, std::uint32_t) override {}
  std::uint64_t count = 0;
};

int Walk(CheckedArchive& checked, archive::EntryVisitor& visitor) {
  std::vector<std::uint8_t> buffer(archive::kChunkSize);
  const archive::WalkResult result =
      archive::WalkEntries(*checked.source, checked.location, visitor, buffer.data(), buffer.size());
  if (result == archive::WalkResult::kReadFailed) return Fail("the file cannot be read");
  return result == archive::WalkResult::kDone ? kExitOk : kExitFailed;
}

}  // namespace

int ListCommand(const fs::path& file, unsigned codePage) {
  CheckedArchive checked;
  if (const int status = OpenChecked(file, codePage, checked)) return status;
  const archive::ArchiveTrailer& trailer = checked.location.trailer;
  std::cout << "payload end:  " << checked.location.payloadEnd << "\n"
            << "area start:   " << checked.location.areaStart << "\n"
            << "area size:    " << trailer.areaSize << "\n"
            << "entry count:  " << trailer.entryCount << "\n"
            << "digest:       " << DigestState(trailer) << "\n";
  ListVisitor visitor(codePage);
  return Walk(checked, visitor);
}

int VerifyCommand(const fs::path& file, unsigned codePage) {
  CheckedArchive checked;
  if (const int status = OpenChecked(file, codePage, checked)) return status;
  const archive::ArchiveTrailer& trailer = checked.location.trailer;
  // Stricter than the setup program, which ignores the count: a trailer read from the wrong
  // place (a truncated file without a digest) rarely agrees with the area it points at.
  CountVisitor counter;
  if (const int status = Walk(checked, counter)) return status;
  if (counter.count != trailer.entryCount)
    return Fail("check failed: the trailer's entry count " + std::to_string(trailer.entryCount) +
                " disagrees with the " + std::to_string(counter.count) + " entries of the area (damaged or truncated?)");
  std::cout << "ok: " << trailer.entryCount << " entries, " << trailer.areaSize << " bytes, "
            << (trailer.HasDigest() ? "digest verified" : "no digest stored") << "\n";
  return kExitOk;
}

int ExtractCommand(const fs::path& file, const fs::path& to, unsigned codePage) {
  CheckedArchive checked;
  if (const int status = OpenChecked(file, codePage, checked)) return status;
  ExtractVisitor visitor(to, codePage);
  return Walk(checked, visitor);
}
