// The one line both benchmark programs print: seconds and peak working set.
#pragma once

#include <windows.h>
#include <psapi.h>

#include <cstdio>

inline double SecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now{}, frequency{};
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

inline void PrintReport(const char* what, double seconds) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  std::printf("%s seconds=%.3f peak_working_set_mb=%.1f\n", what, seconds,
              counters.PeakWorkingSetSize / (1024.0 * 1024.0));
}
