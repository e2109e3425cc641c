// The host's file system as the packing tool needs it: files opened by path (wide paths on
// Windows), 64-bit positions, and the three file times as FILETIMEs.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "archive/archive_reader.h"

// The command line's arguments in UTF-8. Windows hands main its arguments in the ANSI code
// page, which cannot name every folder; the wide command line can.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using UniqueStdioFile = std::unique_ptr<std::FILE, FileCloser>;

// mode as for fopen ("rb", "wb").
UniqueStdioFile OpenFile(const std::filesystem::path& path, const char* mode);
bool SeekFile(std::FILE* file, std::uint64_t offset);

struct FileTimes {
  std::uint64_t creation = 0;  // FILETIME: 100-ns units since 1601-01-01 UTC
  std::uint64_t lastAccess = 0;
  std::uint64_t lastWrite = 0;
};

// On Linux there is no creation time: it is the modification time.
bool ReadFileTimes(const std::filesystem::path& path, FileTimes& times);
bool WriteFileTimes(const std::filesystem::path& path, const FileTimes& times);

// A setup file read through stdio.
class FileSource : public archive::ByteSource {
 public:
  FileSource(std::FILE* file, std::uint64_t length) : file_(file), length_(length) {}
  std::uint64_t Length() const override { return length_; }
  bool ReadAt(std::uint64_t offset, std::uint8_t* out, std::size_t length) override;
  bool ShortRead() const override { return shortRead_; }

 private:
  std::FILE* file_;
  std::uint64_t length_;
  bool shortRead_ = false;
};
