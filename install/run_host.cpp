#include "install/run_host.h"

const char* RunStageName(RunStage stage) {
  switch (stage) {
    case RunStage::kNone: return "none";
    case RunStage::kExtraction: return "extraction";
    case RunStage::kShortcuts: return "shortcuts";
    case RunStage::kUninstallEntry: return "uninstall-entry";
    case RunStage::kUninstallList: return "uninstall-list";
  }
  return "unknown";
}
