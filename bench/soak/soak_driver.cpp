// soak_driver SETUP RESETUP FOLDER RUNS IDLE_SECONDS SAMPLE_SECONDS: one long session of
// each dialog, with the dialog process's handles, GDI and USER objects, windows, private
// bytes and working set read after every run and every idle sample:
//   - the install dialog of SETUP: RUNS install runs into FOLDER (Windows path),
//   - the uninstall dialog of FOLDER\QuorVEXSetup.exe -u: RUNS uninstall runs, each but the
//     first after an unattended install (RESETUP /S /D=FOLDER) started from here; RESETUP
//     carries the product without the setup program, whose file in FOLDER is the running
//     uninstall dialog's and cannot be written,
//   - a fresh install dialog left alone for IDLE_SECONDS, read every SAMPLE_SECONDS.
// Exit code: 0 when no figure grew beyond its margin, 1 when one did, 2 when a run did not
// do its work or the figures could not be read.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/support/ui_driver.h"

namespace {

using uitest::Process;

constexpr DWORD kRunTimeoutMs = 180000;
// The worker's thread and the dialog's repaint after the completion settle before a reading.
constexpr DWORD kSettleMs = 1000;

// ---- How each figure is read. Wine leaves some of the documented calls as stubs; each
// source is checked on this process first (objects made and freed must move it by their
// number), and a figure without a working source is reported as unavailable.

enum class Source { kUnavailable, kApi, kSystemHandleList, kGdiHandleTable, kPagefileUsage };

struct Sources {
  Source handles = Source::kUnavailable;
  Source gdi = Source::kUnavailable;
  Source user = Source::kUnavailable;
  Source privateBytes = Source::kApi;
  std::string notes;
};

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
using QueryInformationProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

template <class F>
F NtFunction(const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

// SystemHandleInformation (16): every open handle of every process with its owner's id.
struct SystemHandleEntry {
  ULONG ownerProcessId;
  BYTE objectType;
  BYTE flags;
  USHORT handle;
  PVOID object;
  ACCESS_MASK access;
};

long CountHandlesInSystemList(DWORD processId) {
  static const auto query = NtFunction<QuerySystemInformation>("NtQuerySystemInformation");
  if (!query) return -1;
  static std::vector<char> buffer(1 << 20);
  for (;;) {
    ULONG needed = 0;
    const NTSTATUS status = query(16, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
    if (status == static_cast<NTSTATUS>(0xC0000004L)) {  // STATUS_INFO_LENGTH_MISMATCH
      buffer.resize(std::max<std::size_t>(buffer.size() * 2, needed + 65536));
      continue;
    }
    if (status != 0) return -1;
    break;
  }
  const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
  const auto* entries = reinterpret_cast<const SystemHandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
  long owned = 0;
  for (ULONG i = 0; i < count; ++i) owned += entries[i].ownerProcessId == processId;
  return owned;
}

// The GDI handle table the process's PEB points to (GdiSharedHandleTable, offset 0xF8 of
// the 64-bit PEB): 24-byte cells whose type byte (offset 14) is 0 for a free cell. Windows
// and Wine share the layout; Wine keeps one such table per process.
struct GdiCell {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t user;
};
static_assert(sizeof(GdiCell) == 24, "the 64-bit cell");
constexpr std::size_t kGdiCells = 0x10000;

long CountGdiObjectsInTable(HANDLE process) {
  static const auto query = NtFunction<QueryInformationProcess>("NtQueryInformationProcess");
  if (!query) return -1;
  PROCESS_BASIC_INFORMATION basic{};
  if (query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 || !basic.PebBaseAddress) return -1;
  std::uint64_t table = 0;
  SIZE_T read = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + 0xF8, &table, sizeof table,
                         &read) ||
      table == 0)
    return -1;
  static std::vector<GdiCell> cells(kGdiCells);
  // Read in pieces: a table only partly committed still counts up to its end.
  constexpr std::size_t kPiece = 4096;
  long used = 0;
  for (std::size_t first = 0; first < kGdiCells; first += kPiece) {
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table + first * sizeof(GdiCell)), &cells[first],
                           kPiece * sizeof(GdiCell), &read))
      break;
    for (std::size_t i = first; i < first + kPiece; ++i) used += cells[i].type != 0;
  }
  return used;
}

long CountHandles(HANDLE process, DWORD processId, Source source) {
  if (source == Source::kApi) {
    DWORD count = 0;
    return GetProcessHandleCount(process, &count) ? static_cast<long>(count) : -1;
  }
  if (source == Source::kSystemHandleList) return CountHandlesInSystemList(processId);
  return -1;
}

long CountGdi(HANDLE process, Source source) {
  if (source == Source::kApi) return static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
  if (source == Source::kGdiHandleTable) return CountGdiObjectsInTable(process);
  return -1;
}

long CountUser(HANDLE process, Source source) {
  return source == Source::kApi ? static_cast<long>(GetGuiResources(process, GR_USEROBJECTS)) : -1;
}

// Made n objects, freed them: the source works when it moved by n both ways.
template <class Count, class Make, class Free>
bool MovesBy(int n, Count count, Make make, Free free) {
  const long before = count();
  std::vector<decltype(make())> made;
  for (int i = 0; i < n; ++i) made.push_back(make());
  const long during = count();
  for (auto& object : made) free(object);
  const long after = count();
  return before >= 0 && during - before == n && after == before;
}

Sources ChooseSources() {
  Sources s;
  HANDLE self = GetCurrentProcess();
  const DWORD selfId = GetCurrentProcessId();
  const auto makeEvent = [] { return CreateEventA(nullptr, FALSE, FALSE, nullptr); };
  const auto closeEvent = [](HANDLE h) { CloseHandle(h); };
  const auto makeBrush = [] { return CreateSolidBrush(RGB(1, 2, 3)); };
  const auto deleteBrush = [](HBRUSH b) { DeleteObject(b); };
  const auto makeWindow = [] {
    return CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  };
  const auto destroyWindow = [](HWND w) { DestroyWindow(w); };

  if (MovesBy(32, [&] { return CountHandles(self, selfId, Source::kApi); }, makeEvent, closeEvent)) {
    s.handles = Source::kApi;
  } else {
    s.notes += "# handles: GetProcessHandleCount does not count (32 events made here did not move it); ";
    if (MovesBy(32, [&] { return CountHandles(self, selfId, Source::kSystemHandleList); }, makeEvent, closeEvent)) {
      s.handles = Source::kSystemHandleList;
      s.notes += "counted in NtQuerySystemInformation(SystemHandleInformation) by owner (checked: +32/-32)\n";
    } else {
      s.notes += "the system handle list does not count either: unavailable\n";
    }
  }

  SetLastError(0);
  const DWORD gdiNow = GetGuiResources(self, GR_GDIOBJECTS);
  const DWORD gdiError = GetLastError();
  if (MovesBy(32, [&] { return CountGdi(self, Source::kApi); }, makeBrush, deleteBrush)) {
    s.gdi = Source::kApi;
  } else {
    s.notes += "# GDI objects: GetGuiResources(GR_GDIOBJECTS) answers " + std::to_string(gdiNow) + " (last error " +
               std::to_string(gdiError) + ") and does not count; ";
    if (MovesBy(32, [&] { return CountGdi(self, Source::kGdiHandleTable); }, makeBrush, deleteBrush)) {
      s.gdi = Source::kGdiHandleTable;
      s.notes += "counted as the used cells of the process's GDI handle table (PEB GdiSharedHandleTable; checked: "
                 "+32/-32 brushes)\n";
    } else {
      s.notes += "the GDI handle table does not count either: unavailable\n";
    }
  }

  SetLastError(0);
  const DWORD userNow = GetGuiResources(self, GR_USEROBJECTS);
  const DWORD userError = GetLastError();
  if (MovesBy(8, [&] { return CountUser(self, Source::kApi); }, makeWindow, destroyWindow)) {
    s.user = Source::kApi;
  } else {
    s.notes += "# USER objects: GetGuiResources(GR_USEROBJECTS) answers " + std::to_string(userNow) +
               " (last error " + std::to_string(userError) +
               ") and does not count (8 windows made here did not move it): unavailable; the windows column counts "
               "the process's windows (top-level and child), one kind of USER object\n";
  }

  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(self, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory) &&
      memory.PrivateUsage == 0 && memory.PagefileUsage != 0) {
    s.privateBytes = Source::kPagefileUsage;
    s.notes += "# private bytes: PROCESS_MEMORY_COUNTERS_EX.PrivateUsage is left 0; PagefileUsage is reported, "
               "documented as the same commit charge\n";
  }
  return s;
}

struct Figures {
  long handles = -1;
  long gdi = -1;
  long user = -1;
  long windows = -1;
  double privateMiB = -1;
  double workingSetMiB = -1;
};

struct WindowCount {
  DWORD processId;
  long count;
};

BOOL CALLBACK CountChild(HWND, LPARAM parameter) {
  ++reinterpret_cast<WindowCount*>(parameter)->count;
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM parameter) {
  auto* windows = reinterpret_cast<WindowCount*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != windows->processId) return TRUE;
  ++windows->count;
  EnumChildWindows(window, &CountChild, parameter);
  return TRUE;
}

Figures Read(const Sources& sources, DWORD processId) {
  Figures f;
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return f;
  f.handles = CountHandles(process, processId, sources.handles);
  f.gdi = CountGdi(process, sources.gdi);
  f.user = CountUser(process, sources.user);
  WindowCount windows{processId, 0};
  EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&windows));
  f.windows = windows.count;
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
    const SIZE_T privateBytes =
        sources.privateBytes == Source::kPagefileUsage ? memory.PagefileUsage : memory.PrivateUsage;
    f.privateMiB = static_cast<double>(privateBytes) / (1024.0 * 1024.0);
    f.workingSetMiB = static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0);
  }
  CloseHandle(process);
  return f;
}

std::string Count(long value) { return value < 0 ? std::string("n/a") : std::to_string(value); }

std::string MiB(double value) {
  if (value < 0) return "n/a";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

void PrintFigures(const char* label, int number, const Figures& f, double seconds) {
  std::printf("%-10s %3d  handles %5s  gdi %5s  user %5s  windows %4s  private %8s MiB  ws %8s MiB  (%.2f s)\n", label,
              number, Count(f.handles).c_str(), Count(f.gdi).c_str(), Count(f.user).c_str(), Count(f.windows).c_str(),
              MiB(f.privateMiB).c_str(), MiB(f.workingSetMiB).c_str(), seconds);
  std::fflush(stdout);
}

// ---- The growth rule. The first readings warm caches (fonts, the shell's objects, the
// heap's first blocks), so the baseline is the highest of readings 2 to 5; a figure fails
// when its last reading lies more than its margin above that baseline.

struct Figure {
  const char* name;
  double margin;
  const char* unit;
  double (*get)(const Figures&);
};

const Figure kFigures[] = {
    {"handles", 2, "", [](const Figures& f) { return static_cast<double>(f.handles); }},
    {"gdi", 2, "", [](const Figures& f) { return static_cast<double>(f.gdi); }},
    {"user", 2, "", [](const Figures& f) { return static_cast<double>(f.user); }},
    {"windows", 1, "", [](const Figures& f) { return static_cast<double>(f.windows); }},
    {"private", 0.5, " MiB", [](const Figures& f) { return f.privateMiB; }},
    {"ws", 2.0, " MiB", [](const Figures& f) { return f.workingSetMiB; }},
};

std::string Number(double value, const char* unit) {
  char text[48];
  if (*unit)
    std::snprintf(text, sizeof text, "%.2f%s", value, unit);
  else
    std::snprintf(text, sizeof text, "%.0f", value);
  return text;
}

// Prints a summary line per figure; false when one grew beyond its margin.
bool Summarise(const char* part, const std::vector<Figures>& readings) {
  bool steady = true;
  if (readings.size() < 6) {
    std::printf("%s: %zu readings, too few for the growth rule (6 needed)\n", part, readings.size());
    return true;
  }
  for (const Figure& figure : kFigures) {
    std::vector<double> v;
    for (const Figures& r : readings) v.push_back(figure.get(r));
    if (*std::min_element(v.begin(), v.end()) < 0) {
      std::printf("%s %-8s unavailable\n", part, figure.name);
      continue;
    }
    const double baseline = *std::max_element(v.begin() + 1, v.begin() + 5);
    const double growth = v.back() - baseline;
    const bool grows = growth > figure.margin;
    steady = steady && !grows;
    std::printf("%s %-8s first %s  last %s  max %s  growth 2->%zu %s  | last - max(2..5) %s, margin %s: %s\n", part,
                figure.name, Number(v.front(), figure.unit).c_str(), Number(v.back(), figure.unit).c_str(),
                Number(*std::max_element(v.begin(), v.end()), figure.unit).c_str(), v.size(),
                Number(v.back() - v[1], figure.unit).c_str(), Number(growth, figure.unit).c_str(),
                Number(figure.margin, figure.unit).c_str(), grows ? "GROWS" : "ok");
  }
  std::fflush(stdout);
  return steady;
}

// ---- The runs.

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Answers every box of the process with OK (recording its text) until Setup is enabled
// again, then waits for the dialog to be back in its message loop, as the UI tests do.
bool WaitForRunToEnd(const Process& process, HWND dialog, std::vector<std::string>& boxes) {
  const bool ended = uitest::WaitUntil(
      [&] {
        if (uitest::ItemEnabled(dialog, IDC_SETUP_BUTTON)) return true;
        if (HWND box = uitest::WaitForMessageBox(process.Id(), 0)) {
          boxes.push_back(uitest::MessageBoxText(box));
          uitest::Answer(box, IDOK);
        }
        return false;
      },
      kRunTimeoutMs);
  DWORD_PTR ignored = 0;
  return ended && SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kRunTimeoutMs, &ignored) != 0;
}

// Clicks Setup (Uninstall) and waits for the run's end; the seconds it took, or negative.
double Run(const Process& process, HWND dialog, std::vector<std::string>& boxes) {
  const double start = Now();
  if (!uitest::ClickAndWait(dialog, IDC_SETUP_BUTTON)) return -1;
  if (!WaitForRunToEnd(process, dialog, boxes)) return -1;
  return Now() - start;
}

// Exit; a question (the session not completed) is answered Yes.
bool Close(Process& process, HWND dialog) {
  uitest::Click(dialog, IDCANCEL);
  if (process.WaitForExit(3000)) return true;
  if (HWND question = uitest::WaitForMessageBox(process.Id(), 10000)) uitest::Answer(question, IDYES);
  return process.WaitForExit(15000);
}

bool InstalledIn(const std::string& folder) {
  return FileExists(folder + "\\QuorVEX.exe") && FileExists(folder + "\\Uninstall.txt") &&
         FileExists(folder + "\\QuorVEXSetup.exe");
}

bool RemovedFrom(const std::string& folder) {
  return !FileExists(folder + "\\QuorVEX.exe") && !FileExists(folder + "\\Uninstall.txt") &&
         !FileExists(folder + "\\bin\\quorvex_codec.dll");
}

// The setup program with /S /D=folder, from outside the dialog; its exit code.
DWORD UnattendedInstall(const std::string& setup, const std::string& folder) {
  Process install(setup, "/S /D=" + folder);
  if (!install.Started() || !install.WaitForExit(kRunTimeoutMs)) return 9999;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, install.Id());
  DWORD code = 9999;
  if (process) {
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
  }
  return code;
}

std::string Boxes(const std::vector<std::string>& boxes) {
  std::string all;
  for (const std::string& text : boxes) all += " [" + text + "]";
  return all;
}

int Fail(const std::string& what) {
  std::printf("FAILED: %s\n", what.c_str());
  std::fflush(stdout);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 7) {
    std::fprintf(stderr, "usage: soak_driver SETUP RESETUP FOLDER RUNS IDLE_SECONDS SAMPLE_SECONDS\n");
    return 2;
  }
  const std::string setup = argv[1], resetup = argv[2], folder = argv[3];
  const int runs = std::atoi(argv[4]);
  const int idleSeconds = std::atoi(argv[5]), sampleSeconds = std::atoi(argv[6]);
  if (runs < 1 || idleSeconds < 0 || sampleSeconds < 1) return 2;

  const Sources sources = ChooseSources();
  std::printf("%s", sources.notes.c_str());
  std::printf("# each line: the dialog process after a run (Setup enabled again, then %lu ms), or an idle sample;\n"
              "# the seconds are the run's, from the click to its end, or the time since the dialog was found\n"
              "# summaries: readings numbered from 1; growth 2->n is the last reading less the second; a figure\n"
              "# GROWS when the last reading lies more than its margin above the highest of readings 2..5\n",
              kSettleMs);
  std::fflush(stdout);
  bool steady = true;

  // --- One install dialog, RUNS runs into the same folder.
  {
    Process process(setup, "");
    HWND dialog = process.Started() ? uitest::WaitForSetupDialog(process.Id()) : nullptr;
    if (!dialog) return Fail("no install dialog");
    SetDlgItemTextA(dialog, IDC_FOLDER_FIELD, folder.c_str());  // typed by the user
    std::vector<Figures> readings;
    for (int run = 1; run <= runs; ++run) {
      std::vector<std::string> boxes;
      const double seconds = Run(process, dialog, boxes);
      if (seconds < 0) return Fail("install run " + std::to_string(run) + " did not end" + Boxes(boxes));
      if (!boxes.empty()) return Fail("install run " + std::to_string(run) + " showed boxes:" + Boxes(boxes));
      if (!InstalledIn(folder) || !uitest::ItemEnabled(dialog, IDC_START_BUTTON))
        return Fail("install run " + std::to_string(run) + " did not complete: " +
                    uitest::ItemText(dialog, IDC_STATUS_TEXT));
      Sleep(kSettleMs);
      readings.push_back(Read(sources, process.Id()));
      PrintFigures("install", run, readings.back(), seconds);
    }
    steady = Summarise("install", readings) && steady;
    if (!Close(process, dialog)) return Fail("the install dialog did not close");
  }

  // --- One uninstall dialog of the installed copy, RUNS runs, reinstalled unattended between them.
  {
    Process process(folder + "\\QuorVEXSetup.exe", "-u");
    HWND dialog = process.Started() ? uitest::WaitForSetupDialog(process.Id()) : nullptr;
    if (!dialog) return Fail("no uninstall dialog");
    std::vector<Figures> readings;
    for (int run = 1; run <= runs; ++run) {
      if (run > 1) {
        const DWORD code = UnattendedInstall(resetup, folder);
        if (code != 0 || !InstalledIn(folder))
          return Fail("the unattended install before uninstall run " + std::to_string(run) + " exited with " +
                      std::to_string(code));
      }
      std::vector<std::string> boxes;
      const double seconds = Run(process, dialog, boxes);
      if (seconds < 0) return Fail("uninstall run " + std::to_string(run) + " did not end" + Boxes(boxes));
      if (!boxes.empty()) return Fail("uninstall run " + std::to_string(run) + " showed boxes:" + Boxes(boxes));
      if (!RemovedFrom(folder))
        return Fail("uninstall run " + std::to_string(run) + " left the product: " +
                    uitest::ItemText(dialog, IDC_STATUS_TEXT));
      Sleep(kSettleMs);
      readings.push_back(Read(sources, process.Id()));
      PrintFigures("uninstall", run, readings.back(), seconds);
    }
    steady = Summarise("uninstall", readings) && steady;
    if (!Close(process, dialog)) return Fail("the uninstall dialog did not close");
  }

  // --- A fresh install dialog left alone.
  {
    Process process(setup, "");
    HWND dialog = process.Started() ? uitest::WaitForSetupDialog(process.Id()) : nullptr;
    if (!dialog) return Fail("no install dialog for the idle part");
    const double start = Now();
    std::vector<Figures> readings;
    for (int sample = 0; sample * sampleSeconds <= idleSeconds; ++sample) {
      const double due = start + static_cast<double>(sample) * sampleSeconds;
      while (Now() < due) Sleep(100);
      DWORD_PTR ignored = 0;
      if (!SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored))
        return Fail("the idle dialog does not answer at " + std::to_string(sample * sampleSeconds) + " s");
      readings.push_back(Read(sources, process.Id()));
      PrintFigures("idle", sample * sampleSeconds, readings.back(), Now() - start);
    }
    steady = Summarise("idle", readings) && steady;
    if (!Close(process, dialog)) return Fail("the idle dialog did not close");
  }

  std::printf("%s\n", steady ? "no figure grew beyond its margin" : "LEAK: a figure grew beyond its margin");
  return steady ? 0 : 1;
}
