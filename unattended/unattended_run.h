// The unattended front end: the install or uninstall run without any window or box, for
// deployment tools. What the dialog would show goes to a log; the outcome is the exit code.
#pragma once

#include <string>

namespace unattended {

// The process's exit codes, for both front ends.
constexpr int kExitSucceeded = 0;
constexpr int kExitFailed = 1;         // the run failed; the log says in which stage
constexpr int kExitBadCommandLine = 2; // unknown switch, /D= without a folder, ...

struct Request {
  bool uninstall = false;
  bool hasFolder = false;  // else the stored folder or the default, as the dialog starts with
  std::string folder;
  std::string logFile;  // empty: no log
};

// Runs the run the request names on this thread and returns its exit code.
int Run(const Request& request);

// Writes one "result" line for a command line that could not be carried out (when it named
// a log at all) and returns kExitBadCommandLine.
int RefuseCommandLine(const std::string& logFile, const std::string& reason);

}  // namespace unattended
