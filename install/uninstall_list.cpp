#include "install/uninstall_list.h"

#include <windows.h>

#include "platform/file_write.h"

bool UninstallListWriter::Open(const std::string& listPath) {
  // CREATE_ALWAYS truncates: nothing of a longer earlier list may remain behind the lines.
  file_.Reset(CreateFileA(listPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file_.IsValid();
}

bool UninstallListWriter::WriteLine(const std::string& path) {
  return platform::WriteAll(file_.Get(), path.data(), static_cast<DWORD>(path.size())) &&
         platform::WriteAll(file_.Get(), "\n", 1);
}

bool UninstallListReader::Open(const std::string& listPath) {
  file_.Reset(CreateFileA(listPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return file_.IsValid();
}

UninstallListReader::Result UninstallListReader::ReadLine(std::string& line) {
  for (;;) {
    // A line longer than any path the install writes is no list of ours: refused before
    // the buffer grows any further.
    if (lines_.Overlong()) {
      SetLastError(ERROR_INVALID_DATA);
      return Result::Error;
    }
    if (lines_.TakeLine(line)) return Result::Line;
    if (atEnd_) return lines_.TakeLastLine(line) ? Result::Line : Result::End;
    char chunk[4096];
    DWORD read = 0;
    if (!read_(file_.Get(), chunk, sizeof chunk, &read, nullptr)) return Result::Error;
    if (read == 0) {
      atEnd_ = true;
    } else {
      lines_.Append(chunk, read);
    }
  }
}
