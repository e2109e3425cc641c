#include "install/shortcuts.h"

#include <windows.h>
#include <shlobj.h>

#include "install/payload_archive.h"
#include "install/run_host.h"
#include "install/shortcut_plan.h"
#include "install/target_folder.h"
#include "install/uninstall_list.h"
#include "platform/com.h"
#include "text/format.h"
#include "text/message_catalog.h"

namespace {

// A catalog text with at most one "%s" argument, shown as the stage's failure.
struct StageFailure {
  int messageId = 0;
  std::string text;
  bool Failed() const { return messageId != 0; }
};

StageFailure FailureOf(int messageId) { return StageFailure{messageId, CatalogText(messageId)}; }

void Fail(RunHost& host, const StageFailure& failure) {
  host.ReportError(failure.messageId, failure.text);
  host.SetFailed();
}

// "Already exists" counts only for a folder: a file of that name would make every later
// step fail under a misleading message.
bool CreateFolder(const std::string& folder) {
  if (CreateDirectoryA(folder.c_str(), nullptr)) return true;
  if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The shortcuts of one installed file: the failure that ends the stage, or none.
StageFailure CreateShortcutsFor(const std::string& path, const std::string& group, const ShortcutSystem& system) {
  const InstalledFileName name = SplitInstalledFileName(path, &IsSystemLeadByte);
  const ShortcutKind kind = ShortcutKindFor(name);
  if (kind == ShortcutKind::None) return StageFailure();
  const char* base = name.baseName.c_str();
  const std::string groupLink = GroupShortcutPath(group, name.baseName);
  bool created = true;
  switch (kind) {
    case ShortcutKind::Uninstall:
      created = system.createShortcut(text::FillIn(CatalogText(50), group).c_str(), path.c_str(), base, "-u") == 1;
      break;
    case ShortcutKind::MainProgram: {
      std::string desktop;
      if (!system.folders.desktop(desktop)) return FailureOf(458);
      created = system.createShortcut((desktop + "\\QuorVEX.lnk").c_str(), path.c_str(), base, nullptr) == 1 &&
                system.createShortcut(groupLink.c_str(), path.c_str(), base, nullptr) == 1;
      break;
    }
    case ShortcutKind::Program:
    case ShortcutKind::None:
      created = system.createShortcut(groupLink.c_str(), path.c_str(), base, nullptr) == 1;
      break;
  }
  return created ? StageFailure() : StageFailure{401, text::FillIn(CatalogText(401), name.baseName)};
}

}  // namespace

// The shell link class and the two interfaces the stage uses, written out here: taking
// them from libuuid would link two of its whole objects for three GUIDs.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkAInterface = {0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

int CreateShortcut(const char* linkPath, const char* targetPath, const char* description, const char* arguments) {
  platform::ComPtr<IShellLinkA> link;
  if (FAILED(CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkAInterface,
                              link.ReceiveVoid())))
    return 0;
  platform::ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(kPersistFileInterface, file.ReceiveVoid()))) return 0;
  link->SetPath(targetPath);
  link->SetDescription(description);
  if (arguments) link->SetArguments(arguments);
  link->SetWorkingDirectory("");
  link->SetIconLocation(targetPath, 0);
  link->SetShowCmd(SW_SHOW);
  wchar_t widePath[MAX_PATH];
  // A link path that does not fit is a failure, never a save under a cut-off name.
  if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0) return 0;
  // Only the save's own error may count: the group folder's "already exists" from just
  // before must not turn a failed save into a created shortcut.
  SetLastError(ERROR_SUCCESS);
  const HRESULT saved = file->Save(widePath, TRUE);
  return SaveCountsAsCreated(SUCCEEDED(saved), GetLastError()) ? 1 : 0;
}

// By value: a function-local copy would need a thread-safe initialisation guard, and with it
// the threads library in the program.
ShortcutSystem RealShortcutSystem() { return {SystemShellFolders(), &CreateShortcut}; }

std::string ProgramGroupFolder(const std::string& programsFolder) {
  return programsFolder + "\\" + CatalogText(371) + "\\QuorVEX";
}

void RunShortcutStage(const PayloadArchive& archive, const std::string& targetFolder, RunHost& host,
                      const ShortcutSystem& system) {
  if (host.Failed()) return;
  std::string programs;
  if (!system.folders.programs(programs)) return Fail(host, FailureOf(557));
  if (!CreateFolder(programs + "\\" + CatalogText(371))) return Fail(host, FailureOf(556));
  const std::string group = ProgramGroupFolder(programs);
  if (!CreateFolder(group)) return Fail(host, FailureOf(555));

  // Every failure closes the list before its box: nobody is kept from the file while the
  // box waits for the user.
  UninstallListWriter list;
  if (!list.Open(UninstallListPath(targetFolder))) return Fail(host, FailureOf(307));
  std::string path;
  for (int index = 0; archive.GetInstalledFile(index, path); ++index) {
    const StageFailure failure = CreateShortcutsFor(path, group, system);
    if (failure.Failed()) {
      list.Close();
      return Fail(host, failure);
    }
    // Files that are not programs get no shortcut but always their line. A list that lost
    // a line would leave that file behind at the uninstall: the stage fails after one box.
    if (!list.WriteLine(path)) {
      const DWORD error = GetLastError();
      list.Close();
      host.ReportSystemError(error);
      host.SetFailed();
      return;
    }
  }
}
