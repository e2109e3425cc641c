// startup_timer RUNS PROGRAM...: starts each program RUNS times (after one start that is
// not counted) and prints, per program, the time from CreateProcess to its first visible
// dialog (#32770) in seconds: "min median max". The program is ended once it is seen.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD processId;
  bool found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770") return TRUE;
  search->found = true;
  return FALSE;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds to the dialog, or a negative value when it did not come within a minute.
double TimeToDialog(const char* program) {
  std::string commandLine = std::string("\"") + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start, now;
  QueryPerformanceCounter(&start);
  if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return -1;
  Search search{process.dwProcessId, false};
  for (;;) {
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    QueryPerformanceCounter(&now);
    if (search.found || Seconds(start, now) > 60 || WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 10000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return search.found ? Seconds(start, now) : -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_timer RUNS PROGRAM...\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  int status = 0;
  for (int p = 2; p < argc; ++p) {
    TimeToDialog(argv[p]);  // the first start also loads the program's DLLs into the cache
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
      const double t = TimeToDialog(argv[p]);
      if (t < 0) {
        std::printf("%s: no dialog\n", argv[p]);
        status = 1;
        break;
      }
      times.push_back(t);
    }
    if (times.empty()) continue;
    std::sort(times.begin(), times.end());
    std::printf("min %.3f  median %.3f  max %.3f  (%zu runs)\n", times.front(), times[times.size() / 2], times.back(),
                times.size());
    std::fflush(stdout);
  }
  return status;
}
