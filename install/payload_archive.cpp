#include "install/payload_archive.h"

#include <windows.h>

#include <cstring>
#include <memory>
#include <new>

#include "archive/archive_reader.h"
#include "archive/make_folders.h"
#include "install/run_host.h"
#include "install/target_folder.h"
#include "platform/file_write.h"
#include "platform/unique_handle.h"
#include "text/format.h"
#include "text/message_catalog.h"

namespace {

// Catalog texts of the extraction stage.
constexpr int kSetupFileNotOpened = 435;
constexpr int kNoMemory = 228;
constexpr int kSetupFileNotRead = 437;
constexpr int kSetupFileNotCopied = 436;
constexpr int kFileDoesNotOpen = 516;  // "%s": the destination path

// The setup file, read in pieces. Other readers may share it; writers may not, so the
// archive cannot change between its check and its extraction.
class SetupFileSource : public archive::ByteSource {
 public:
  explicit SetupFileSource(const std::string& path)
      : file_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr)) {}

  bool IsOpen() const { return file_.IsValid(); }

  bool QueryLength() {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.Get(), &size)) return false;
    length_ = static_cast<std::uint64_t>(size.QuadPart);
    return true;
  }

  std::uint64_t Length() const override { return length_; }

  bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override {
    shortRead_ = false;
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(file_.Get(), out, static_cast<DWORD>(length), &read, &at)) {
      if (GetLastError() != ERROR_HANDLE_EOF) return false;
      read = 0;
    }
    if (read != length) {
      shortRead_ = true;
      return false;
    }
    return true;
  }

  bool ShortRead() const override { return shortRead_; }

 private:
  platform::UniqueFile file_;
  std::uint64_t length_ = 0;
  bool shortRead_ = false;
};

void ShowStageFailure(int catalogId, RunHost& host) {
  host.ReportError(catalogId, CatalogText(catalogId));
  host.SetFailed();
}

// A file error of the system stops the extraction: its own text, and the stage failed, so
// that nothing after it takes a partly installed product for a complete one.
void ShowSystemFailure(DWORD lastError, RunHost& host) {
  host.ReportSystemError(lastError);
  host.SetFailed();
}

// A read that failed: a file that came up short is reported as unreadable, an error of the
// system with its own text; either fails the stage.
void ShowReadFailure(const archive::ByteSource& source, DWORD lastError, RunHost& host) {
  if (source.ShortRead())
    ShowStageFailure(kSetupFileNotRead, host);
  else
    ShowSystemFailure(lastError, host);
}

FILETIME ToFileTime(std::uint64_t value) {
  const std::uint64_t seconds = archive::WholeSeconds(value);
  return FILETIME{static_cast<DWORD>(seconds), static_cast<DWORD>(seconds >> 32)};
}

// One entry into one file: folders on the way, the data in chunks, the stored times.
class ExtractionStep : public archive::EntryVisitor {
 public:
  ExtractionStep(PayloadArchive& archive, const std::string& targetFolder, archive::ByteSource& source,
                 RunHost& host)
      : archive_(archive), targetFolder_(targetFolder), source_(source), host_(host) {}

  void OnEntryStart(const archive::EntryRecord&, const std::string& name) override {
    host_.SetStatusText(name.c_str());
  }

  archive::EntryOutcome OnEntry(const archive::EntryRecord& record, const std::string& name,
                                archive::EntryData& data) override {
    const std::string path = targetFolder_ + name;
    if (archive_.MakeFolders(path.c_str()) != 1) return archive::EntryOutcome::kFailed;

    // CREATE_ALWAYS truncates a file left by an earlier installation.
    platform::UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      host_.ReportError(kFileDoesNotOpen, text::FillIn(CatalogText(kFileDoesNotOpen), path));
      return archive::EntryOutcome::kFailed;
    }

    const std::uint8_t* chunk = nullptr;
    std::size_t chunkLength = 0;
    std::uint64_t written = 0;
    while (data.Next(chunk, chunkLength)) {
      if (!platform::WriteAll(file.Get(), chunk, static_cast<DWORD>(chunkLength))) {
        ShowSystemFailure(GetLastError(), host_);
        return archive::EntryOutcome::kStopped;
      }
      written += chunkLength;
    }
    if (data.Failed()) {
      ShowReadFailure(source_, GetLastError(), host_);
      return archive::EntryOutcome::kStopped;
    }

    // A time of 0 was never set by the packer's source; it stays as the writing left it.
    const FILETIME creation = ToFileTime(record.creationTime);
    const FILETIME access = ToFileTime(record.lastAccessTime);
    const FILETIME write = ToFileTime(record.lastWriteTime);
    if (!SetFileTime(file.Get(), record.creationTime ? &creation : nullptr,
                     record.lastAccessTime ? &access : nullptr, record.lastWriteTime ? &write : nullptr)) {
      ShowSystemFailure(GetLastError(), host_);
      return archive::EntryOutcome::kStopped;
    }
    if (!CloseHandle(file.Release())) {
      ShowSystemFailure(GetLastError(), host_);
      return archive::EntryOutcome::kStopped;
    }
    // A file missing from the list would outlive the uninstall.
    if (archive_.AddInstalledFile(path.c_str()) != 1) {
      ShowStageFailure(kNoMemory, host_);
      return archive::EntryOutcome::kStopped;
    }
    archive_.CountInstalledBytes(written);
    return archive::EntryOutcome::kDone;
  }

  void OnProgress(std::uint32_t index, std::uint32_t entryCount) override {
    host_.ReportProgress(static_cast<int>(index), static_cast<int>(entryCount));
  }

 private:
  PayloadArchive& archive_;
  const std::string& targetFolder_;
  archive::ByteSource& source_;
  RunHost& host_;
};

}  // namespace

PayloadArchive::PayloadArchive() = default;

PayloadArchive::~PayloadArchive() { ClearInstalledFiles(); }

void PayloadArchive::ExtractSetupFile(const std::string& setupFilePath, const std::string& targetFolder,
                                      RunHost& host) {
  ClearInstalledFiles();
  foldersThere_.clear();
  SetupFileSource source(setupFilePath);
  if (!source.IsOpen()) return ShowStageFailure(kSetupFileNotOpened, host);
  if (!source.QueryLength()) return ShowSystemFailure(GetLastError(), host);

  // One bounded buffer for the whole walk, whatever the payload's size.
  std::unique_ptr<std::uint8_t[]> buffer(new (std::nothrow) std::uint8_t[archive::kChunkSize]);
  if (!buffer) return ShowStageFailure(kNoMemory, host);

  archive::ArchiveLocation location;
  archive::ReadResult read = archive::LocateArchive(source, location);
  if (read == archive::ReadResult::kOk) read = archive::CheckArchive(source, location, IsSystemLeadByte);
  if (read == archive::ReadResult::kReadFailed) return ShowReadFailure(source, GetLastError(), host);
  // A malformed or damaged archive, or a name that would leave the folder: nothing is written.
  if (read != archive::ReadResult::kOk) return ShowStageFailure(kSetupFileNotCopied, host);

  ExtractionStep step(*this, targetFolder, source, host);
  switch (archive::WalkEntries(source, location, step, buffer.get(), archive::kChunkSize)) {
    case archive::WalkResult::kDone:
    case archive::WalkResult::kStopped:
      break;
    case archive::WalkResult::kFailed:
      ShowStageFailure(kSetupFileNotCopied, host);
      break;
    case archive::WalkResult::kReadFailed:
      ShowReadFailure(source, GetLastError(), host);
      break;
  }
}

int PayloadArchive::MakeFolders(const char* path) {
  return MakeFoldersWith(path, IsSystemLeadByte, [this](const char* folder) {
    if (foldersThere_.count(folder)) return FolderCreation::kExists;
    FolderCreation created = FolderCreation::kCreated;
    if (!CreateDirectoryA(folder, nullptr))
      created = GetLastError() == ERROR_ALREADY_EXISTS ? FolderCreation::kExists : FolderCreation::kFailed;
    if (created != FolderCreation::kFailed) foldersThere_.insert(folder);
    return created;
  });
}

int PayloadArchive::AddInstalledFile(const char* path) {
  try {
    installedFiles_.emplace_back(path);
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

const char* PayloadArchive::GetInstalledFile(int index, std::string& out) const {
  if (index < 0 || static_cast<std::size_t>(index) >= installedFiles_.size()) return nullptr;
  out = installedFiles_[static_cast<std::size_t>(index)];
  return out.c_str();
}

void PayloadArchive::ClearInstalledFiles() {
  installedFiles_.clear();
  installedBytes_ = 0;
}
