// Cuts the uninstall list's bytes into lines: a line ends at LF, and a CR right before the
// LF is dropped (a list edited on Windows). A last line without LF still counts.
#pragma once

#include <cstddef>
#include <string>

class UninstallListLines {
 public:
  // Adds the next bytes of the file.
  void Append(const char* bytes, std::size_t count);
  // Takes the next complete line; false when no complete line is buffered.
  bool TakeLine(std::string& line);
  // At the end of the file: takes what is left as the last line; false when nothing is.
  bool TakeLastLine(std::string& line);

 private:
  std::string pending_;
};
