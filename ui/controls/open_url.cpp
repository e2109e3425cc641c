#include "ui/controls/open_url.h"

#include <exdisp.h>
#include <shellapi.h>

#include <vector>

#include "platform/com.h"

namespace ui {
namespace {

// InternetExplorer.Application and IWebBrowser2.
constexpr CLSID kInternetExplorerClass = {0x0002DF01, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kWebBrowser2Interface = {0xD30C1661, 0xCDAF, 0x11D0, {0x8A, 0x3E, 0x00, 0xC0, 0x4F, 0xC9, 0xE2, 0x6E}};

// The text in UTF-16, terminated; empty when it cannot be converted.
std::vector<wchar_t> Widen(const char* text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return std::vector<wchar_t>();
  std::vector<wchar_t> wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  return wide;
}

bool NavigateNewBrowser(const char* url) {
  const std::vector<wchar_t> wide = Widen(url);
  if (wide.empty()) return false;
  platform::UniqueBstr address(wide.data());
  if (!address.Get()) return false;
  platform::ComPtr<IWebBrowser2> browser;
  if (CoCreateInstance(kInternetExplorerClass, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER,
                       kWebBrowser2Interface, browser.ReceiveVoid()) != S_OK)
    return false;
  if (browser->put_Visible(VARIANT_TRUE) != S_OK) return false;
  VARIANT empty;
  VariantInit(&empty);
  // The browser window stays open when the object is released.
  return browser->Navigate(address.Get(), &empty, &empty, &empty, &empty) == S_OK;
}

}  // namespace

void OpenUrl(HWND owner, const char* url) {
  if (!url) return;
  if (NavigateNewBrowser(url)) return;
  ShellExecuteA(owner, "open", url, "", "", SW_SHOW);
}

}  // namespace ui
