#include "uninstall/uninstall_run.h"

#include <windows.h>
#include <shlwapi.h>

#include <new>
#include <string>

#include "app/settings_store.h"
#include "install/completion_post.h"
#include "install/registration_rows.h"
#include "install/run_host.h"
#include "install/target_folder.h"
#include "install/uninstall_list.h"
#include "text/message_catalog.h"
#include "uninstall/listed_path.h"

namespace {

constexpr int kSetupFolderBuffer = 2600;
constexpr int kNoMemory = 228;
constexpr int kUninstallCompleted = 303;

// The path as the system resolves it: absolute, "." and ".." taken out. Empty when it
// cannot be resolved.
std::string FullPathOf(const std::string& path) {
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return std::string();
  std::string full(size, '\0');
  const DWORD length = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
  if (length == 0 || length >= size) return std::string();
  full.resize(length);
  return full;
}

// Each line is shown, then its file deleted when it lies inside the setup folder; a line
// outside it is passed over as silently as a deletion that fails. Both sides are compared
// as the system resolves them, so the files of a folder typed with "." or ".." are found
// and a line never climbs out of it. An install into the empty folder lists relative
// names, which are taken as they stand. False, with the last error set, when the list
// cannot be read to its end, or the folder cannot be resolved (its files could not be
// told apart, so the record must stay).
bool DeleteListedFiles(UninstallListReader& list, const std::string& setupFolder, RunHost& host) {
  const std::string folder = setupFolder.empty() ? setupFolder : FullPathOf(setupFolder);
  if (!setupFolder.empty() && folder.empty()) {
    SetLastError(ERROR_BAD_PATHNAME);
    return false;
  }
  std::string line;
  for (;;) {
    const UninstallListReader::Result result = list.ReadLine(line);
    if (result == UninstallListReader::Result::End) return true;
    if (result == UninstallListReader::Result::Error) return false;
    host.SetStatusText(line.c_str());
    const std::string path = folder.empty() ? line : FullPathOf(line);
    if (!path.empty() && IsInsideSetupFolder(path, folder, &IsSystemLeadByte)) DeleteFileA(path.c_str());
  }
}

void RemoveShortcuts(const ShellFolders& folders) {
  std::string desktop;
  if (folders.desktop(desktop)) DeleteFileA((desktop + "\\QuorVEX.lnk").c_str());
  std::string programs;
  if (!folders.programs(programs)) return;
  for (int id = 33; id <= 36; ++id) DeleteFileA((programs + CatalogText(id)).c_str());
  RemoveDirectoryA((programs + CatalogText(32)).c_str());  // the program group
  RemoveDirectoryA((programs + CatalogText(31)).c_str());  // the maker folder
}

}  // namespace

RunOutcome RunUninstall(RunHost& host) { return RunUninstallWith(host, SystemShellFolders()); }

RunOutcome RunUninstallWith(RunHost& host, const ShellFolders& folders, ListReadFunction readList) {
  const CompletionPost completion(host);
  try {
    const std::string setupFolder = ReadTargetFolder(host, kSetupFolderBuffer);
    host.SetStatusText(CatalogText(719));
    const std::string listPath = UninstallListPath(setupFolder);
    bool listRead = false;
    bool readFailed = false;
    DWORD readError = ERROR_SUCCESS;
    {
      UninstallListReader list(readList);
      if (!list.Open(listPath)) {
        host.SetFailed();
        host.ReportError(318, CatalogText(318));
      } else if (DeleteListedFiles(list, setupFolder, host)) {
        listRead = true;
      } else {
        readFailed = true;
        readError = GetLastError();
      }
    }  // the list is closed before its box and before it is deleted
    if (readFailed) {
      // The files after the failing line are still there: the list, the Add/Remove
      // Programs entry and the uninstall shortcut stay, so the uninstall can run again.
      host.ReportSystemError(readError);
      host.SetFailed();
    }
    host.SetStatusText(CatalogText(308));
    if (listRead) DeleteFileA(listPath.c_str());
    if (!host.Failed()) {
      host.SetStatusText(CatalogText(152));
      SHDeleteKeyA(HKEY_CURRENT_USER, kProductSettingsKey);
      SHDeleteKeyA(HKEY_LOCAL_MACHINE, kClientRegistrationKey);
      host.SetStatusText(CatalogText(438));
      SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
      host.SetStatusText(CatalogText(402));
      RemoveShortcuts(folders);
    }
  } catch (const std::bad_alloc&) {
    // Out of memory on the worker: the run fails, and the dialog still hears of its end.
    host.ReportError(kNoMemory, CatalogText(kNoMemory));
    host.SetFailed();
  }
  EndStatus(host, kUninstallCompleted);
  // Only the list can fail this run: the later stages run silently or not at all.
  return host.Failed() ? RunOutcome{false, RunStage::kUninstallList} : RunOutcome{};
}
