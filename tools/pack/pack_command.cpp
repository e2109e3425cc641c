#include <algorithm>
#include <iostream>
#include <system_error>
#include <vector>

#include "archive/archive_reader.h"
#include "archive/archive_writer.h"
#include "tools/pack/commands.h"
#include "tools/pack/host_files.h"
#include "tools/pack/name_codec.h"

namespace fs = std::filesystem;

namespace {

// What every entry carries for the writer: find data of a plain file.
constexpr std::uint32_t kFileAttributeArchive = 0x20;

struct SourceFile {
  std::string name;  // encoded, "\"-joined
  fs::path path;
  std::uint64_t size = 0;
  FileTimes times;
};

class FileSink : public archive::ByteSink {
 public:
  explicit FileSink(std::FILE* file) : file_(file) {}
  bool Write(const std::uint8_t* bytes, std::size_t length) override {
    return std::fwrite(bytes, 1, length, file_) == length;
  }

 private:
  std::FILE* file_;
};

// Everything moves in large pieces (the writer's, the copy buffer's): a stream buffer would
// only split them into two system calls each.
void Unbuffered(std::FILE* file) { std::setvbuf(file, nullptr, _IONBF, 0); }

bool Fail(const std::string& message) {
  std::cerr << "quorvex-pack: " << message << "\n";
  return false;
}

std::string Shown(const fs::path& path) { return "\"" + path.u8string() + "\""; }

bool CollectFiles(const fs::path& from, unsigned codePage, std::vector<SourceFile>& files) {
  std::error_code error;
  if (!fs::is_directory(from, error)) return Fail("not a folder: " + Shown(from));
  const IsLeadByteFunction isLeadByte = LeadBytesOf(codePage);
  fs::recursive_directory_iterator it(from, error), end;
  for (; !error && it != end; it.increment(error)) {
    const fs::directory_entry& entry = *it;
    if (entry.is_directory(error)) continue;
    if (!entry.is_regular_file(error)) return Fail("not a regular file: " + Shown(entry.path()));
    SourceFile file;
    file.path = entry.path();
    const fs::path relative = entry.path().lexically_relative(from);
    std::string reason;
    if (!EncodeEntryName(relative, codePage, file.name, reason)) return Fail(Shown(relative) + ": " + reason);
    if (file.name.size() > archive::kMaxNameLength)
      return Fail(Shown(relative) + ": the name takes " + std::to_string(file.name.size()) +
                  " bytes; an entry name must be shorter than 260");
    if (!archive::IsSafeEntryName(file.name, isLeadByte))
      return Fail(Shown(relative) + ": the setup program would refuse this name");
    file.size = entry.file_size(error);
    if (error) break;
    if (file.size > archive::kMaxFileSize)
      return Fail(Shown(relative) + ": a file of 4 GiB or more does not fit the archive format");
    if (!ReadFileTimes(file.path, file.times)) return Fail("cannot read the times of " + Shown(file.path));
    files.push_back(std::move(file));
  }
  if (error) return Fail("cannot read the folder " + Shown(from) + ": " + error.message());
  // A fixed order, by the stored name bytes: the same tree gives the same archive.
  std::sort(files.begin(), files.end(), [](const SourceFile& a, const SourceFile& b) { return a.name < b.name; });
  return true;
}

bool CopyStream(std::FILE* in, std::uint64_t length, std::vector<std::uint8_t>& buffer,
                archive::ArchiveWriter* writer, std::FILE* out, const fs::path& what) {
  while (length > 0) {
    const std::size_t piece = static_cast<std::size_t>(std::min<std::uint64_t>(length, buffer.size()));
    if (std::fread(buffer.data(), 1, piece, in) != piece) return Fail("cannot read " + Shown(what) + " (did it change?)");
    if (writer) {
      const archive::WriteResult result = writer->WriteData(buffer.data(), piece);
      if (result != archive::WriteResult::kOk) return Fail(std::string(archive::Describe(result)) + ": " + Shown(what));
    } else if (std::fwrite(buffer.data(), 1, piece, out) != piece) {
      return Fail("cannot write the output");
    }
    length -= piece;
  }
  return true;
}

bool WritePacked(const fs::path& setup, const std::vector<SourceFile>& files, std::FILE* out) {
  std::error_code error;
  const std::uint64_t imageLength = fs::file_size(setup, error);
  if (error) return Fail("cannot read " + Shown(setup) + ": " + error.message());
  std::uint64_t areaSize = 0;
  for (const SourceFile& file : files) {
    areaSize += archive::EntrySpace(file.size);
    if (areaSize > archive::kMaxAreaSize) return Fail("the entry area would exceed 4 GiB - 1 bytes");
  }
  std::vector<std::uint8_t> buffer(archive::kChunkSize);
  UniqueStdioFile image = OpenFile(setup, "rb");
  if (!image) return Fail("cannot open " + Shown(setup));
  if (!CopyStream(image.get(), imageLength, buffer, nullptr, out, setup)) return false;
  const std::vector<std::uint8_t> padding(archive::ImagePadding(imageLength, areaSize), 0);
  if (std::fwrite(padding.data(), 1, padding.size(), out) != padding.size()) return Fail("cannot write the output");

  FileSink sink(out);
  archive::ArchiveWriter writer(sink);
  for (const SourceFile& file : files) {
    archive::EntryRecord record;
    record.attributes = kFileAttributeArchive;
    record.creationTime = file.times.creation;
    record.lastAccessTime = file.times.lastAccess;
    record.lastWriteTime = file.times.lastWrite;
    record.fileSizeLow = static_cast<std::uint32_t>(file.size);
    std::copy(file.name.begin(), file.name.end(), record.fileName.begin());
    const archive::WriteResult begun = writer.BeginEntry(record);
    if (begun != archive::WriteResult::kOk) return Fail(archive::Describe(begun));
    UniqueStdioFile in = OpenFile(file.path, "rb");
    if (!in) return Fail("cannot open " + Shown(file.path));
    Unbuffered(in.get());
    if (!CopyStream(in.get(), file.size, buffer, &writer, out, file.path)) return false;
    in.reset();
    // Reading moved the access time on some file systems; put it back so that packing the
    // same tree again gives the same bytes.
    WriteFileTimes(file.path, file.times);
  }
  const archive::WriteResult finished = writer.Finish();
  if (finished != archive::WriteResult::kOk) return Fail(archive::Describe(finished));
  return true;
}

}  // namespace

int PackCommand(const fs::path& setup, const fs::path& from, const fs::path& out, unsigned codePage) {
  std::vector<SourceFile> files;
  if (!CollectFiles(from, codePage, files)) return kExitFailed;
  bool written = false;
  {
    UniqueStdioFile output = OpenFile(out, "wb");
    if (!output) {
      Fail("cannot create " + Shown(out));
      return kExitFailed;
    }
    Unbuffered(output.get());
    written = WritePacked(setup, files, output.get());
    if (std::fclose(output.release()) != 0 && written) written = Fail("cannot write the output");
  }
  if (!written) {
    // No half-written setup program stays behind.
    std::error_code ignored;
    fs::remove(out, ignored);
    return kExitFailed;
  }
  std::cout << "packed " << files.size() << " files into " << out.u8string() << "\n";
  return kExitOk;
}
