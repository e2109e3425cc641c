// A RunHost for tests: records what a run tells its host, and the message boxes it shows,
// in one ordered list of events, so that a test can check order as well as content.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "install/run_host.h"

class RecordingRunHost : public RunHost {
 public:
  // Events as text: "status:<text>", "progress:<index>/<count>", "failed", "completion",
  // "box:<text>" (boxes only while a BoxRecording is alive).
  explicit RecordingRunHost(std::string folderText = std::string());

  std::string FolderText(int bufferSize) override;
  void SetStatusText(const char* text) override;
  void ReportProgress(int index, int count) override;
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

// While alive, the program's message boxes are recorded as "box:" events of host (each box
// is answered with IDOK) instead of being shown.
class BoxRecording {
 public:
  explicit BoxRecording(RecordingRunHost& host);
  ~BoxRecording();
  BoxRecording(const BoxRecording&) = delete;
  BoxRecording& operator=(const BoxRecording&) = delete;
};

// The "box:" event that ShowSystemError records for code: the system's own text.
std::string SystemErrorBox(DWORD code);
