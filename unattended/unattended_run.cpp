#include "unattended/unattended_run.h"

#include <windows.h>

#include <string>
#include <vector>

#include "app/setup_folder.h"
#include "install/install_run.h"
#include "install/run_host.h"
#include "platform/file_write.h"
#include "platform/unique_handle.h"
#include "text/format.h"
#include "text/system_error_text.h"
#include "uninstall/uninstall_run.h"

namespace unattended {
namespace {

// Text in the system's ANSI code page (the catalog's texts, paths) as UTF-8.
std::string Utf8Of(const std::string& text) {
  if (text.empty()) return text;
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wideLength <= 0) return std::string();
  std::vector<wchar_t> wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &utf8[0], length, nullptr, nullptr);
  return utf8;
}

// The log: one line per event, "yyyy-mm-dd hh:mm:ss kind text", UTF-8, CRLF. Without a
// file named, or when it cannot be written, the events go nowhere; the exit code remains.
class Log {
 public:
  explicit Log(const std::string& path) {
    if (!path.empty())
      file_.Reset(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  void Write(const char* kind, const std::string& ansiText) {
    if (!file_) return;
    SYSTEMTIME now;
    GetLocalTime(&now);
    using text::Decimal;
    const std::string stamp = Decimal(now.wYear, 4) + "-" + Decimal(now.wMonth, 2) + "-" + Decimal(now.wDay, 2) + " " +
                              Decimal(now.wHour, 2) + ":" + Decimal(now.wMinute, 2) + ":" + Decimal(now.wSecond, 2) + " ";
    // A line break inside a text (a system message ends with one) would split the line.
    std::string text = Utf8Of(ansiText);
    for (char& c : text)
      if (c == '\r' || c == '\n') c = ' ';
    while (!text.empty() && text.back() == ' ') text.pop_back();
    const std::string line = stamp + kind + " " + text + "\r\n";
    platform::WriteAll(file_.Get(), line.data(), static_cast<DWORD>(line.size()));
  }

 private:
  platform::UniqueFile file_;
};

// The run's host: the folder it was given, every report to the log, no box ever.
class UnattendedHost : public RunHost {
 public:
  UnattendedHost(std::string folder, Log& log) : folder_(std::move(folder)), log_(log) {}

  std::string FolderText(int bufferSize) override {
    if (bufferSize <= 0) return std::string();
    return folder_.substr(0, static_cast<std::size_t>(bufferSize) - 1);
  }
  void SetStatusText(const char* text) override { log_.Write("status", text ? text : ""); }
  void ReportProgress(int index, int count) override {
    log_.Write("progress", text::Decimal(index + 1) + "/" + text::Decimal(count));
  }
  void ReportError(int messageId, const std::string& text) override {
    log_.Write("error", text::Decimal(messageId) + ": " + text);
  }
  void ReportSystemError(unsigned long code) override {
    log_.Write("system-error", text::Decimal(code) + ": " + SystemErrorText(code));
  }
  void SetFailed() override { failed_ = true; }
  bool Failed() const override { return failed_; }
  void PostCompletion() override {}

 private:
  std::string folder_;
  Log& log_;
  bool failed_ = false;
};

}  // namespace

int Run(const Request& request) {
  Log log(request.logFile);
  const std::string folder = request.hasFolder ? request.folder : InitialSetupFolder(request.uninstall);
  log.Write("start", std::string(request.uninstall ? "uninstall" : "install") + " in \"" + folder + "\"");
  UnattendedHost host(folder, log);
  const RunOutcome outcome = request.uninstall ? RunUninstall(host) : RunInstall(host);
  log.Write("result", outcome.succeeded ? std::string("succeeded")
                                        : std::string("failed in stage ") + RunStageName(outcome.failedStage));
  return outcome.succeeded ? kExitSucceeded : kExitFailed;
}

int RefuseCommandLine(const std::string& logFile, const std::string& reason) {
  Log log(logFile);
  log.Write("result", "command line refused: " + reason);
  return kExitBadCommandLine;
}

}  // namespace unattended
