// What a run (install or uninstall) may do with whoever runs it: the setup dialog, a
// headless caller or a test. The runs know nothing of windows; the dialog implements this
// with window messages. Every call comes from the run's worker thread.
#pragma once

#include <string>

class RunHost {
 public:
  virtual ~RunHost() = default;

  // The folder field's text as a read into a buffer of bufferSize characters (terminator
  // included) gives it: at most bufferSize - 1 characters.
  virtual std::string FolderText(int bufferSize) = 0;

  // Replaces the status line's text.
  virtual void SetStatusText(const char* text) = 0;

  // The progress report of one extracted entry: zero-based index and the archive's entry
  // count. Returns once the host has taken it (a sent, not posted, message).
  virtual void ReportProgress(int index, int count) = 0;

  // The failure flag: cleared by the host before a run starts, set by a failing stage.
  virtual void SetFailed() = 0;
  virtual bool Failed() const = 0;

  // The completion signal, posted exactly once per run as its last word to the host.
  virtual void PostCompletion() = 0;
};
