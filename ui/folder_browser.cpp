#include "ui/folder_browser.h"

#include <shlobj.h>

#include <cstring>

#include "platform/com.h"
#include "text/message_catalog.h"
#include "ui/message_box.h"

namespace ui {

int BrowseForFolder(HWND owner, char* path) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pszDisplayName = displayName;
  info.ulFlags = BIF_NEWDIALOGSTYLE | BIF_EDITBOX;  // 0x50
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (!chosen) return 0;
  platform::CoTaskMemory<ITEMIDLIST> item(chosen);

  char folder[MAX_PATH] = {};
  if (!SHGetPathFromIDListA(item.Get(), folder)) {
    ShowMessage(CatalogText(543), MB_ICONEXCLAMATION);
    return 0;
  }
  const std::size_t length = std::strlen(folder);
  if (length >= MAX_PATH) return 0;
  std::memcpy(path, folder, length + 1);
  return 1;
}

}  // namespace ui
