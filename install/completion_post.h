// Posts a run's completion signal when the run's scope ends, so that the dialog hears of
// the end exactly once on every path out of the run.
#pragma once

#include "install/run_host.h"

class CompletionPost {
 public:
  explicit CompletionPost(RunHost& host) : host_(host) {}
  ~CompletionPost() { host_.PostCompletion(); }
  CompletionPost(const CompletionPost&) = delete;
  CompletionPost& operator=(const CompletionPost&) = delete;

 private:
  RunHost& host_;
};
