#include "tests/support/recording_run_host.h"

RecordingRunHost::RecordingRunHost(std::string folderText) : folderText_(std::move(folderText)) {}

std::string RecordingRunHost::FolderText(int bufferSize) {
  std::lock_guard<std::mutex> lock(mutex_);
  folderReads_.push_back(bufferSize);
  // A read into bufferSize characters keeps bufferSize - 1 of them and the terminator.
  if (bufferSize <= 0) return std::string();
  return folderText_.substr(0, static_cast<size_t>(bufferSize) - 1);
}

void RecordingRunHost::SetStatusText(const char* text) { Record(std::string("status:") + (text ? text : "")); }

void RecordingRunHost::ReportProgress(int index, int count) {
  Record("progress:" + std::to_string(index) + "/" + std::to_string(count));
}

void RecordingRunHost::ReportError(int, const std::string& text) { Record("box:" + text); }

void RecordingRunHost::ReportSystemError(unsigned long code) { Record(SystemErrorBox(code)); }

void RecordingRunHost::SetFailed() {
  std::lock_guard<std::mutex> lock(mutex_);
  failed_ = true;
  events_.push_back("failed");
}

bool RecordingRunHost::Failed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return failed_;
}

void RecordingRunHost::PostCompletion() { Record("completion"); }

void RecordingRunHost::SetFolderText(const std::string& text) {
  std::lock_guard<std::mutex> lock(mutex_);
  folderText_ = text;
}

void RecordingRunHost::Record(const std::string& event) {
  std::lock_guard<std::mutex> lock(mutex_);
  events_.push_back(event);
}

std::vector<std::string> RecordingRunHost::Events() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return events_;
}

std::vector<std::string> RecordingRunHost::EventsOf(const std::string& kind) const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> found;
  for (const std::string& event : events_) {
    if (event == kind) {
      found.push_back(std::string());
    } else if (event.compare(0, kind.size() + 1, kind + ":") == 0) {
      found.push_back(event.substr(kind.size() + 1));
    }
  }
  return found;
}

int RecordingRunHost::CompletionCount() const { return static_cast<int>(EventsOf("completion").size()); }

std::vector<int> RecordingRunHost::FolderReads() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return folderReads_;
}

void RecordingRunHost::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  events_.clear();
  folderReads_.clear();
  failed_ = false;
}

std::string SystemErrorBox(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                 code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
  const std::string box = std::string("box:") + (text ? text : "");
  LocalFree(text);
  return box;
}
