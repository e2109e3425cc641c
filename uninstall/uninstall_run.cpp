#include "uninstall/uninstall_run.h"

#include <windows.h>
#include <shlwapi.h>

#include <string>

#include "app/message_box.h"
#include "app/message_catalog.h"
#include "install/completion_post.h"
#include "install/registration_rows.h"
#include "install/run_host.h"
#include "install/target_folder.h"
#include "install/uninstall_list.h"
#include "uninstall/listed_path.h"

namespace {

constexpr int kSetupFolderBuffer = 2600;

// Each line is shown, then its file deleted when it lies inside the setup folder; a line
// outside it is passed over as silently as a deletion that fails.
void DeleteListedFiles(UninstallListReader& list, const std::string& setupFolder, RunHost& host) {
  std::string line;
  for (;;) {
    const UninstallListReader::Result result = list.ReadLine(line);
    if (result == UninstallListReader::Result::End) return;
    if (result == UninstallListReader::Result::Error) {
      ShowSystemError(GetLastError());
      return;
    }
    host.SetStatusText(line.c_str());
    if (IsInsideSetupFolder(line, setupFolder, &IsSystemLeadByte)) DeleteFileA(line.c_str());
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

void RunUninstall(RunHost& host) { RunUninstallWith(host, SystemShellFolders()); }

void RunUninstallWith(RunHost& host, const ShellFolders& folders, ListReadFunction readList) {
  const CompletionPost completion(host);
  const std::string setupFolder = ReadTargetFolder(host, kSetupFolderBuffer);
  host.SetStatusText(CatalogText(719));
  const std::string listPath = UninstallListPath(setupFolder);
  {
    UninstallListReader list(readList);
    if (list.Open(listPath)) {
      DeleteListedFiles(list, setupFolder, host);
    } else {
      host.SetFailed();
      ShowMessage(CatalogText(318), MB_ICONEXCLAMATION);
    }
  }  // the list is closed before it is deleted
  host.SetStatusText(CatalogText(308));
  DeleteFileA(listPath.c_str());
  if (!host.Failed()) {
    host.SetStatusText(CatalogText(152));
    SHDeleteKeyA(HKEY_CURRENT_USER, kProductSettingsKey);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kClientRegistrationKey);
    host.SetStatusText(CatalogText(438));
    SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
    host.SetStatusText(CatalogText(402));
    RemoveShortcuts(folders);
  }
  host.SetStatusText(CatalogText(303));
}
