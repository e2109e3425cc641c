// What a run (install or uninstall) may do with whoever runs it: the setup dialog, the
// unattended front end or a test. The runs know nothing of windows or boxes; each host
// decides how a status, a progress step, an error and the end reach its user.
#pragma once

#include <string>

// The stages a run can fail in, for its outcome.
enum class RunStage {
  kNone,
  kExtraction,       // install: the setup file and the files it carries
  kShortcuts,        // install: the program group, the shortcuts, the uninstall list
  kUninstallEntry,   // install: the Add/Remove Programs entry
  kUninstallList,    // uninstall: opening and reading the uninstall list
};

// The name a log or a test uses for a stage.
const char* RunStageName(RunStage stage);

// How a run ended: succeeded, or failed in the first stage that failed.
struct RunOutcome {
  bool succeeded = true;
  RunStage failedStage = RunStage::kNone;
};

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

  // A failure to tell the user: the catalog message messageId, as text in the current
  // language with its arguments filled in. Returns once the user has seen it.
  virtual void ReportError(int messageId, const std::string& text) = 0;
  // A failure the system gave an error code for; the host tells it in the system's words.
  virtual void ReportSystemError(unsigned long code) = 0;

  // The failure flag: cleared by the host before a run starts, set by a failing stage.
  virtual void SetFailed() = 0;
  virtual bool Failed() const = 0;

  // The completion signal, posted exactly once per run as its last word to the host.
  virtual void PostCompletion() = 0;
};
