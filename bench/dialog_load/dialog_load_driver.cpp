// dialog_load_driver SETUP BASE FILES ROUNDS: the same setup program installed through its
// dialog and unattended, alternating (the order swapped every round), each run into a
// fresh folder BASE\dialog-N, BASE\unattended-N or BASE\hidden-N (Windows paths), FILES
// payload entries each.
//   - dialog: seconds from the click on Setup (sent) to Setup enabled again; meanwhile a
//     second thread sends WM_NULL every 100 ms and times the answer; at the end the bar's
//     length is read from the screen (the dialog paints it itself, it is no progress control).
//   - unattended: seconds from CreateProcess of SETUP /S /D=folder to the process's end,
//     start-up and teardown included.
//   - hidden: the dialog's run once more with the dialog hidden until the run's end, so that
//     nothing is painted: what painting costs the dialog's run.
// Exit code: 0 when every run did its work and the goals held (median ratio at most 1.2, no
// WM_NULL answer slower than 250 ms, the bar at its full length), 1 when a goal was missed,
// 2 when a run failed.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "res/resource_ids.h"
#include "tests/support/ui_driver.h"

namespace {

constexpr DWORD kRunTimeoutMs = 600000;
constexpr double kRatioGoal = 1.2;
constexpr double kSlowestAnswerGoalMs = 250;
constexpr COLORREF kWhite = RGB(255, 255, 255);

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Sends WM_NULL every 100 ms until stopped; the answers' times in milliseconds.
class AnswerSampler {
 public:
  explicit AnswerSampler(HWND dialog)
      : thread_([this, dialog] {
          while (!stop_.load()) {
            const double start = Now();
            DWORD_PTR ignored = 0;
            const bool answered = SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored) != 0;
            const double ms = (Now() - start) * 1000;
            times_.push_back(answered ? ms : 10000.0);
            const double rest = 100 - ms;
            if (rest > 0) Sleep(static_cast<DWORD>(rest));
          }
        }) {}
  ~AnswerSampler() { Stop(); }
  const std::vector<double>& Stop() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
    return times_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::vector<double> times_;
  std::thread thread_;
};

// Seconds per SendMessage from a second thread to a window of this process's first thread
// (which waits in its message loop): the price of each synchronous report a run's worker
// makes to its dialog.
double CrossThreadSendSeconds(int sends) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr);
  if (!window) return -1;
  double seconds = -1;
  std::atomic<bool> done{false};
  std::thread sender([&] {
    const double start = Now();
    for (int i = 0; i < sends; ++i) SendMessageA(window, WM_NULL, 0, 0);
    seconds = (Now() - start) / sends;
    done.store(true);
    PostMessageA(window, WM_NULL, 0, 0);  // wakes the loop below to see the end
  });
  MSG message;
  while (!done.load() && GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  sender.join();
  DestroyWindow(window);
  return seconds;
}

struct DialogRun {
  bool ok = false;
  std::string failure;
  double seconds = 0;
  double slowestAnswerMs = 0;
  double medianAnswerMs = 0;
  std::size_t answers = 0;
  int barWidth = 0;   // measured: columns from the area's left edge to the bar's right edge
  int areaWidth = 0;  // the progress area's width
  int fullBar = 0;    // the bar after the last report (entry count-1 of count, 0-based)
};

// hidden: the dialog hidden from the click to the run's end, so that it paints nothing.
DialogRun InstallThroughDialog(const std::string& setup, const std::string& folder, long files, bool hidden) {
  DialogRun run;
  uitest::Process process(setup, "");
  HWND dialog = process.Started() ? uitest::WaitForSetupDialog(process.Id()) : nullptr;
  if (!dialog) {
    run.failure = "no dialog";
    return run;
  }
  SetDlgItemTextA(dialog, IDC_FOLDER_FIELD, folder.c_str());  // typed by the user
  std::vector<std::string> boxes;
  if (hidden) ShowWindow(dialog, SW_HIDE);
  {
    AnswerSampler sampler(dialog);
    const double start = Now();
    if (!uitest::ClickAndWait(dialog, IDC_SETUP_BUTTON)) {
      run.failure = "the click was not taken";
      return run;
    }
    DWORD lastBoxLook = GetTickCount();
    for (;;) {
      if (uitest::ItemEnabled(dialog, IDC_SETUP_BUTTON)) break;
      if (Now() - start > kRunTimeoutMs / 1000.0) {
        run.failure = "the run did not end";
        return run;
      }
      if (GetTickCount() - lastBoxLook >= 200) {
        lastBoxLook = GetTickCount();
        if (HWND box = uitest::WaitForMessageBox(process.Id(), 0)) {
          boxes.push_back(uitest::MessageBoxText(box));
          uitest::Answer(box, IDOK);
        }
      }
      Sleep(5);
    }
    run.seconds = Now() - start;
    const std::vector<double>& times = sampler.Stop();
    run.answers = times.size();
    run.slowestAnswerMs = times.empty() ? 0 : *std::max_element(times.begin(), times.end());
    run.medianAnswerMs = Median(times);
  }
  if (hidden) ShowWindow(dialog, SW_SHOW);
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);

  // The bar is drawn from the area's left edge with a black outline; the middle row's last
  // non-white column is its right edge.
  const RECT area = uitest::ItemScreenRect(dialog, IDC_PROGRESS_AREA);
  run.areaWidth = area.right - area.left;
  const uitest::Image shot = uitest::CaptureScreen(RECT{area.left, area.top, area.right + 2, area.bottom});
  if (shot.height > 0) {
    for (int x = 0; x < shot.width; ++x)
      if (shot.At(x, shot.height / 2) != kWhite) run.barWidth = x + 1;
  }
  run.fullBar = static_cast<int>(static_cast<long long>(files - 1) * run.areaWidth / files);

  const std::string status = uitest::ItemText(dialog, IDC_STATUS_TEXT);
  const bool completed = uitest::ItemEnabled(dialog, IDC_START_BUTTON);
  uitest::Click(dialog, IDCANCEL);
  if (!process.WaitForExit(5000)) {
    if (HWND question = uitest::WaitForMessageBox(process.Id(), 5000)) uitest::Answer(question, IDYES);
    process.WaitForExit(15000);
  }
  const long installed = uitest::CountProductFiles(folder);
  if (!boxes.empty()) {
    run.failure = "boxes:";
    for (const std::string& text : boxes) run.failure += " [" + text + "]";
  } else if (!completed) {
    run.failure = "not completed: " + status;
  } else if (installed != files) {
    run.failure = std::to_string(installed) + " files installed";
  } else {
    run.ok = true;
  }
  return run;
}

struct UnattendedRun {
  bool ok = false;
  std::string failure;
  double seconds = 0;
};

DWORD RunAndWait(const std::string& setup, const std::string& arguments, double& seconds) {
  std::string commandLine = "\"" + setup + "\" " + arguments;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = Now();
  if (!CreateProcessA(setup.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return 9999;
  const bool ended = WaitForSingleObject(process.hProcess, kRunTimeoutMs) == WAIT_OBJECT_0;
  seconds = Now() - start;
  DWORD code = 9999;
  if (ended)
    GetExitCodeProcess(process.hProcess, &code);
  else
    TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

UnattendedRun InstallUnattended(const std::string& setup, const std::string& folder, long files) {
  UnattendedRun run;
  const DWORD code = RunAndWait(setup, "/S /D=" + folder, run.seconds);
  const long installed = uitest::CountProductFiles(folder);
  if (code != 0)
    run.failure = "exit code " + std::to_string(code);
  else if (installed != files)
    run.failure = std::to_string(installed) + " files installed";
  else
    run.ok = true;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: dialog_load_driver SETUP BASE FILES ROUNDS\n");
    return 2;
  }
  const std::string setup = argv[1], base = argv[2];
  const long files = std::atol(argv[3]);
  const int rounds = std::atoi(argv[4]);
  if (files < 1 || rounds < 1) return 2;
  CreateDirectoryA(base.c_str(), nullptr);

  // One start not counted: the program's file and the DLLs it loads come into the cache.
  double ignored = 0;
  if (RunAndWait(setup, "/S /D=", ignored) != 2) {
    std::printf("FAILED: the warm-up start (/S /D= without a folder) did not exit with 2\n");
    return 2;
  }

  std::printf("# dialog: seconds from the click on Setup to Setup enabled again (process start and the dialog\n"
              "#   not counted); WM_NULL sent every 100 ms meanwhile: slowest and median answer\n"
              "# unattended: seconds from CreateProcess(/S /D=) to the process's end (start-up and exit counted)\n"
              "# hidden: the dialog's run again with the dialog hidden from the click to the end (nothing painted)\n"
              "# bar: px drawn of the progress area's width; full = after the last report (entry %ld of %ld)\n",
              files, files);
  const double sendSeconds = CrossThreadSendSeconds(2000);
  std::printf("# a SendMessage from one thread to an idle thread's window of the same process: %.1f us (mean of "
              "2,000)\n",
              sendSeconds * 1e6);
  std::fflush(stdout);
  std::vector<double> ratios, hiddenRatios, unattendedSeconds, dialogSeconds;
  double slowestAnswer = 0;
  bool failed = false, barsFull = true;
  for (int round = 1; round <= rounds && !failed; ++round) {
    const std::string n = std::to_string(round);
    DialogRun dialog, hidden;
    UnattendedRun unattended;
    // Odd rounds dialog, unattended, hidden; even rounds the other way round.
    const bool dialogFirst = round % 2 == 1;
    for (int step = 0; step < 3; ++step) {
      const int kind = dialogFirst ? step : 2 - step;
      if (kind == 0) dialog = InstallThroughDialog(setup, base + "\\dialog-" + n, files, false);
      if (kind == 1) unattended = InstallUnattended(setup, base + "\\unattended-" + n, files);
      if (kind == 2) hidden = InstallThroughDialog(setup, base + "\\hidden-" + n, files, true);
    }
    if (!dialog.ok || !unattended.ok || !hidden.ok) {
      std::printf("round %d FAILED: dialog %s; unattended %s; hidden %s\n", round,
                  dialog.ok ? "ok" : dialog.failure.c_str(), unattended.ok ? "ok" : unattended.failure.c_str(),
                  hidden.ok ? "ok" : hidden.failure.c_str());
      failed = true;
      break;
    }
    const double ratio = dialog.seconds / unattended.seconds;
    ratios.push_back(ratio);
    dialogSeconds.push_back(dialog.seconds);
    unattendedSeconds.push_back(unattended.seconds);
    hiddenRatios.push_back(hidden.seconds / unattended.seconds);
    slowestAnswer = std::max({slowestAnswer, dialog.slowestAnswerMs, hidden.slowestAnswerMs});
    const bool barFull = dialog.barWidth == dialog.fullBar && hidden.barWidth == hidden.fullBar;
    barsFull = barsFull && barFull;
    std::printf("round %d (%s first): dialog %.3f s | unattended %.3f s | ratio %.3f | WM_NULL slowest %.1f ms, "
                "median %.1f ms, %zu sent | bar %d of %d px, full %d: %s | hidden %.3f s, ratio %.3f, WM_NULL "
                "slowest %.1f ms, bar %d\n",
                round, dialogFirst ? "dialog" : "hidden", dialog.seconds, unattended.seconds, ratio,
                dialog.slowestAnswerMs, dialog.medianAnswerMs, dialog.answers, dialog.barWidth, dialog.areaWidth,
                dialog.fullBar, barFull ? "ok" : "SHORT", hidden.seconds, hiddenRatios.back(),
                hidden.slowestAnswerMs, hidden.barWidth);
    std::fflush(stdout);
  }
  if (failed) return 2;
  const double median = Median(ratios);
  const bool ratioMet = median <= kRatioGoal, responsive = slowestAnswer <= kSlowestAnswerGoalMs;
  std::printf("median ratio dialog/unattended %.3f (goal at most %.1f): %s\n", median, kRatioGoal,
              ratioMet ? "met" : "NOT met");
  std::printf("slowest WM_NULL answer during the runs %.1f ms (goal at most %.0f ms): %s\n", slowestAnswer,
              kSlowestAnswerGoalMs, responsive ? "met" : "NOT met");
  std::printf("bar at its full length after every dialog run: %s\n", barsFull ? "yes" : "NO");
  std::printf("median ratio hidden dialog/unattended %.3f\n", Median(hiddenRatios));
  std::printf("the dialog's run takes %.2f ms more per file than the unattended one (medians), %.1f times the idle "
              "SendMessage above\n",
              (Median(dialogSeconds) - Median(unattendedSeconds)) * 1000 / files,
              (Median(dialogSeconds) - Median(unattendedSeconds)) / files / sendSeconds);
  return ratioMet && responsive && barsFull ? 0 : 1;
}
