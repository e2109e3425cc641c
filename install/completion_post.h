// Posts a run's completion signal when the run's scope ends, so that the dialog hears of
// the end exactly once on every path out of the run.
#pragma once

#include "install/run_host.h"
#include "text/message_catalog.h"

// The run's last status text: its completion text only when it succeeded. A failed run
// leaves the line empty; its box has said what went wrong, and "completed" would not be true.
inline void EndStatus(RunHost& host, int completedTextId) {
  host.SetStatusText(host.Failed() ? "" : CatalogText(completedTextId));
}

class CompletionPost {
 public:
  explicit CompletionPost(RunHost& host) : host_(host) {}
  ~CompletionPost() { host_.PostCompletion(); }
  CompletionPost(const CompletionPost&) = delete;
  CompletionPost& operator=(const CompletionPost&) = delete;

 private:
  RunHost& host_;
};
