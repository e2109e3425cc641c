// Extracts a setup file through the real PayloadArchive with a host that only counts.
// extraction_bench <setup.exe> <target folder\>
#include <windows.h>

#include <cstdio>
#include <string>

#include "bench/archive/bench_report.h"
#include "install/payload_archive.h"
#include "install/run_host.h"

namespace {

class CountingHost : public RunHost {
 public:
  std::string FolderText(int) override { return {}; }
  void SetStatusText(const char*) override {}
  void ReportProgress(int, int) override { ++reports; }
  void ReportError(int messageId, const std::string& text) override {
    std::fprintf(stderr, "error %d: %s\n", messageId, text.c_str());
  }
  void ReportSystemError(unsigned long code) override { std::fprintf(stderr, "system error %lu\n", code); }
  void SetFailed() override { failed = true; }
  bool Failed() const override { return failed; }
  void PostCompletion() override {}
  int reports = 0;
  bool failed = false;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: extraction_bench <setup.exe> <target folder\\>\n");
    return 2;
  }
  CountingHost host;
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  PayloadArchive archive;
  archive.ExtractSetupFile(argv[1], argv[2], host);
  const double seconds = SecondsSince(start);
  if (host.failed) return 1;
  std::printf("entries=%d ", host.reports);
  PrintReport("extract", seconds);
  return 0;
}
