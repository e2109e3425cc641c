#include "install/install_run.h"

#include <new>

#include "install/completion_post.h"
#include "install/payload_archive.h"
#include "install/run_host.h"
#include "install/setup_file_path.h"
#include "install/target_folder.h"
#include "platform/com.h"
#include "text/message_catalog.h"

// Buffer sizes of the three folder-field reads (terminator included).
namespace {
constexpr int kTargetFolderBuffer = 2600;
constexpr int kSettingFolderBuffer = 520;
constexpr int kClientFolderBuffer = 1300;
constexpr int kSetupCompleted = 433;
constexpr int kNoMemory = 228;
}  // namespace

InstallSystem RealInstallSystem() { return {RealShortcutSystem(), RealRegistryWriter()}; }

RunOutcome RunInstall(RunHost& host) { return RunInstallFrom(RunningSetupFilePath(), host, RealInstallSystem()); }

RunOutcome RunInstallFrom(const std::string& setupFilePath, RunHost& host, const InstallSystem& system) {
  // Declared in this order so that the completion is posted before COM is uninitialised,
  // and the installed-files list goes last.
  PayloadArchive archive;
  const platform::ComApartment com;  // the shell links of the shortcut stage need it
  const CompletionPost completion(host);

  RunOutcome outcome;
  RunStage stage = RunStage::kExtraction;
  // The first stage after which the flag is up is the one that failed.
  const auto passed = [&](RunStage next) {
    if (host.Failed() && outcome.succeeded) outcome = RunOutcome{false, stage};
    stage = next;
  };
  try {
    const std::string target = ReadTargetFolder(host, kTargetFolderBuffer);
    host.SetStatusText(CatalogText(719));
    archive.ExtractSetupFile(setupFilePath, target, host);
    passed(RunStage::kShortcuts);
    host.SetStatusText(CatalogText(403));
    RunShortcutStage(archive, target, host, system.shortcuts);
    passed(RunStage::kUninstallEntry);
    host.SetStatusText(CatalogText(588));
    WriteUninstallEntry(target, archive.InstalledBytes(), host, system.registry);
    passed(RunStage::kNone);
    WriteSetupFolderSetting(ReadTargetFolder(host, kSettingFolderBuffer));
    WriteClientRegistration(ReadTargetFolder(host, kClientFolderBuffer), system.registry);
  } catch (const std::bad_alloc&) {
    // Out of memory on the worker: the run fails, and the dialog still hears of its end.
    host.ReportError(kNoMemory, CatalogText(kNoMemory));
    host.SetFailed();
    passed(RunStage::kNone);
  }
  EndStatus(host, kSetupCompleted);
  return outcome;
}
