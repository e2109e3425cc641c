// Cuts the uninstall list's bytes into lines: a line ends at LF, and a CR right before the
// LF is dropped (a list edited on Windows). A last line without LF still counts.
#pragma once

#include <cstddef>
#include <string>

#include "archive/archive_format.h"

// The longest path the install run lists: a target folder read into its 2600-byte field
// buffer (the terminator's place holds the separator) and an entry name behind it.
constexpr std::size_t kMaxListLineLength = 2600 + archive::kMaxNameLength;

class UninstallListLines {
 public:
  // Adds the next bytes of the file.
  void Append(const char* bytes, std::size_t count);
  // Takes the next complete line; false when no complete line is buffered.
  bool TakeLine(std::string& line);
  // At the end of the file: takes what is left as the last line; false when nothing is.
  bool TakeLastLine(std::string& line);
  // True when the next line, complete or not, is longer than kMaxListLineLength. A CR that
  // ends the buffered text does not count: the LF of its CRLF may come with the next bytes.
  // No list the install run writes has such a line, so the reader can refuse the file
  // instead of buffering on; asked before TakeLine, the answer does not depend on how the
  // file was cut into reads.
  bool Overlong() const;

 private:
  std::string pending_;
};
