// The yardstick: a minimal Win32 copy of every file below a folder (one read and one
// write call per 1 MiB, times copied), as a plain installer would do it.
// file_copy_bench <from folder> <to folder>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/archive/bench_report.h"

namespace {

std::vector<char> g_buffer(1 << 20);
int g_files = 0;

bool CopyOne(const std::string& from, const std::string& to) {
  HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE) return false;
  HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = out != INVALID_HANDLE_VALUE;
  DWORD got = 0;
  while (ok && ReadFile(in, g_buffer.data(), static_cast<DWORD>(g_buffer.size()), &got, nullptr) && got > 0) {
    DWORD written = 0;
    ok = WriteFile(out, g_buffer.data(), got, &written, nullptr) && written == got;
  }
  FILETIME creation{}, access{}, write{};
  if (ok) ok = GetFileTime(in, &creation, &access, &write) && SetFileTime(out, &creation, &access, &write);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);
  CloseHandle(in);
  ++g_files;
  return ok;
}

bool CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found{};
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  bool ok = true;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ok = CopyTree(from + "\\" + name, to + "\\" + name) && ok;
    else
      ok = CopyOne(from + "\\" + name, to + "\\" + name) && ok;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: file_copy_bench <from folder> <to folder>\n");
    return 2;
  }
  LARGE_INTEGER start{};
  QueryPerformanceCounter(&start);
  const bool ok = CopyTree(argv[1], argv[2]);
  const double seconds = SecondsSince(start);
  std::printf("files=%d ", g_files);
  PrintReport("copy", seconds);
  return ok ? 0 : 1;
}
