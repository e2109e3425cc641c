// The uninstall list "Uninstall.txt" in the install folder: one full path and a line feed
// per installed file, in the system's ANSI code page, nothing else.
#pragma once

#include <windows.h>

#include <string>

#include "install/uninstall_list_lines.h"
#include "platform/unique_handle.h"

class UninstallListWriter {
 public:
  // Creates the list or empties an earlier one, shared with nobody while it is written.
  // false with the last error set when it cannot be opened.
  bool Open(const std::string& listPath);
  // The path's bytes, then one LF; false with the last error set on a file error.
  bool WriteLine(const std::string& path);
  // Closes the list now, so that nobody is kept from it while a box waits for the user.
  void Close() { file_.Reset(); }

 private:
  platform::UniqueFile file_;
};

// ReadFile's shape; tests put a failing read in its place, since a real file under Wine
// does not fail to read once it is open.
using ListReadFunction = BOOL(WINAPI*)(HANDLE file, LPVOID buffer, DWORD count, LPDWORD read, LPOVERLAPPED overlapped);

class UninstallListReader {
 public:
  enum class Result { Line, End, Error };

  explicit UninstallListReader(ListReadFunction read = &ReadFile) : read_(read) {}

  // Opens the list for reading; other writers are denied while it is read.
  bool Open(const std::string& listPath);
  // The next line without its line end. Error leaves the last error set: the read's own,
  // or ERROR_INVALID_DATA for a line longer than kMaxListLineLength.
  Result ReadLine(std::string& line);

 private:
  ListReadFunction read_;
  platform::UniqueFile file_;
  UninstallListLines lines_;
  bool atEnd_ = false;
};
