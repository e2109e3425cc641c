#include "install/uninstall_list_lines.h"

#include <algorithm>

void UninstallListLines::Append(const char* bytes, std::size_t count) { pending_.append(bytes, count); }

bool UninstallListLines::TakeLine(std::string& line) {
  const std::size_t end = pending_.find('\n');
  if (end == std::string::npos) return false;
  std::size_t length = end;
  if (length > 0 && pending_[length - 1] == '\r') --length;
  line.assign(pending_, 0, length);
  pending_.erase(0, end + 1);
  return true;
}

bool UninstallListLines::TakeLastLine(std::string& line) {
  if (TakeLine(line)) return true;
  if (pending_.empty()) return false;
  line.swap(pending_);
  pending_.clear();
  return true;
}

bool UninstallListLines::Overlong() const {
  std::size_t length = std::min(pending_.find('\n'), pending_.size());
  if (length > 0 && pending_[length - 1] == '\r') --length;
  return length > kMaxListLineLength;
}
