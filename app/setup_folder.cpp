#include "app/setup_folder.h"

#include <vector>

#include "app/settings_store.h"

namespace {
constexpr int kStoredFolderBufferSize = 2600;
}  // namespace

std::string InitialSetupFolder(bool uninstallMode) {
  std::vector<char> stored(kStoredFolderBufferSize, '\0');
  ReadSettingString("MAIN", "SETUPFOLDER", "", stored.data(), kStoredFolderBufferSize);
  if (uninstallMode || stored[0] != '\0') return stored.data();
  return kDefaultSetupFolder;
}
