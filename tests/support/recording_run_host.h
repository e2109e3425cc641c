// A RunHost for tests: records what a run tells its host, its errors included, in one
// ordered list of events, so that a test can check order as well as content.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "install/run_host.h"

class RecordingRunHost : public RunHost {
 public:
  // Events as text: "status:<text>", "progress:<index>/<count>", "failed", "completion",
  // "box:<text>" for an error (the text the dialog's box would show).
  explicit RecordingRunHost(std::string folderText = std::string());

  std::string FolderText(int bufferSize) override;
  void SetStatusText(const char* text) override;
  void ReportProgress(int index, int count) override;
  void ReportError(int messageId, const std::string& text) override;
  void ReportSystemError(unsigned long code) override;
  void SetFailed() override;
  bool Failed() const override;
  void PostCompletion() override;

  void SetFolderText(const std::string& text);
  void Record(const std::string& event);
  std::vector<std::string> Events() const;
  // The events of one kind, without their "kind:" prefix.
  std::vector<std::string> EventsOf(const std::string& kind) const;
  int CompletionCount() const;
  // The buffer sizes the folder field was read with, in order.
  std::vector<int> FolderReads() const;
  void Clear();

 private:
  mutable std::mutex mutex_;
  std::string folderText_;
  std::vector<std::string> events_;
  std::vector<int> folderReads_;
  bool failed_ = false;
};

// The "box:" event of a system error code: the system's own text.
std::string SystemErrorBox(DWORD code);
