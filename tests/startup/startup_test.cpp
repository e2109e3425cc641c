// Start-up: the template the real setup program opens for each LANGTYPE and code page,
// and the Windows Sockets failure, which shows its box and no dialog.
#include "startup/setup_app.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/settings_store.h"
#include "tests/support/system_code_page.h"

namespace {

struct TopLevelWindow {
  HWND hwnd;
  std::wstring className;
  std::wstring caption;
};

struct WindowSearch {
  DWORD processId;
  std::vector<TopLevelWindow> found;
};

BOOL CALLBACK CollectVisibleWindow(HWND hwnd, LPARAM p) {
  auto* s = reinterpret_cast<WindowSearch*>(p);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != s->processId || !IsWindowVisible(hwnd)) return TRUE;
  wchar_t className[64] = {};
  wchar_t caption[256] = {};
  GetClassNameW(hwnd, className, 64);
  GetWindowTextW(hwnd, caption, 256);
  s->found.push_back({hwnd, className, caption});
  return TRUE;
}

std::vector<TopLevelWindow> VisibleWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring BoxText(HWND box) {
  wchar_t text[512] = {};
  SendMessageW(GetDlgItem(box, 0xFFFF), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(StartupTest, SocketFailureShowsTheJapaneseResourceTextAndNoDialog) {
  SetupApp app([] { return false; });
  std::atomic<bool> done{false};
  std::vector<TopLevelWindow> seen;
  std::wstring boxText;
  std::thread watcher([&] {
    for (int i = 0; i < 400 && !done; ++i) {
      for (const TopLevelWindow& w : VisibleWindowsOf(GetCurrentProcessId())) {
        seen.push_back(w);
        if (w.className == L"#32770" && boxText.empty()) {
          boxText = BoxText(w.hwnd);
          PostMessageW(w.hwnd, WM_COMMAND, IDOK, 0);
        }
      }
      Sleep(50);
    }
  });
  EXPECT_EQ(app.Run(GetModuleHandleA(nullptr)), 0);
  done = true;
  watcher.join();

  // The string table holds this text in Japanese only: it is shown in every language.
  EXPECT_EQ(boxText, L"Windows ソケットの初期化に失敗しました。");
  bool sawBox = false;
  for (const TopLevelWindow& w : seen) {
    EXPECT_NE(w.caption, L"QuorVEX Setup");
    EXPECT_NE(w.caption, L"QuorVEX セットアップ");
    if (w.className == L"#32770") {
      sawBox = true;
      EXPECT_EQ(w.caption, L"app_startup_test") << "the framework box carries the application title";
    }
  }
  EXPECT_TRUE(sawBox);
}

// Starts the real setup program, waits for its dialog, closes it again.
class SetupProgram {
 public:
  explicit SetupProgram(const std::string& path) {
    std::string commandLine = "\"" + path + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != 0;
  }
  ~SetupProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  bool Started() const { return started_; }

  // The setup dialog: the first visible window of the process that has a caption.
  HWND WaitForDialog(std::wstring& caption) {
    for (int i = 0; i < 600; ++i) {
      for (const TopLevelWindow& w : VisibleWindowsOf(process_.dwProcessId)) {
        if (w.className == L"#32770" && !w.caption.empty() && GetDlgItem(w.hwnd, 1012)) {
          caption = w.caption;
          return w.hwnd;
        }
      }
      Sleep(50);
    }
    return nullptr;
  }

  // Exit, answering Yes to the question that comes before a completed run.
  bool Close(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    for (int i = 0; i < 400; ++i) {
      if (WaitForSingleObject(process_.hProcess, 50) == WAIT_OBJECT_0) return true;
      for (const TopLevelWindow& w : VisibleWindowsOf(process_.dwProcessId)) {
        if (w.hwnd != dialog && w.className == L"#32770") PostMessageW(w.hwnd, WM_COMMAND, IDYES, 0);
      }
    }
    return false;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

std::string SetupProgramPath() {
  const char* unixPath = std::getenv("QX_SETUP_EXE");
  if (!unixPath) return std::string();
  std::string path = std::string("Z:") + unixPath;  // Wine maps the Linux root to Z:
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[256] = {};
  GetDlgItemTextW(dialog, id, text, 256);
  return text;
}

// The templates place the 138-unit wide footer at x 159 (Japanese) or 165 (English)
// dialog units; its left edge over its width tells them apart at any font.
bool FooterPlacedAsInJapaneseTemplate(HWND dialog) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, IDC_FOOTER_LINK), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  const double ratio = static_cast<double>(rect.left) / (rect.right - rect.left);
  return std::abs(ratio - 159.0 / 138) < std::abs(ratio - 165.0 / 138);
}

struct TemplateCase {
  int langType;  // -100: not stored
  bool japanese;
};

void StoreLangType(int langType) {
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\OPTION_ETC");
  if (langType == -100) return;
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\OPTION_ETC", 0, nullptr, 0, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD value = static_cast<DWORD>(langType);
  RegSetValueExA(key, "LANGTYPE", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
}

TEST(StartupTest, RealProgramOpensTheTemplateOfTheLanguageRule) {
  const std::string path = SetupProgramPath();
  ASSERT_FALSE(path.empty()) << "QX_SETUP_EXE names the setup program";
  const unsigned oem = GetOEMCP();
  ASSERT_TRUE(oem == 932 || oem == 437) << "run under LC_ALL=C or LC_ALL=ja_JP.UTF-8, got " << oem;
  ASSERT_TRUE(testsupport::SystemHasExpectedCodePage()) << "the Japanese entry runs on code page " << oem;
  const bool japaneseSystem = oem == 932;

  const std::vector<TemplateCase> cases = {
      {-100, japaneseSystem}, {0, japaneseSystem}, {1, true}, {2, false}, {3, true}};
  for (const TemplateCase& c : cases) {
    SCOPED_TRACE(c.langType);
    StoreLangType(c.langType);
    SetupProgram program(path);
    ASSERT_TRUE(program.Started());
    std::wstring caption;
    HWND dialog = program.WaitForDialog(caption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FooterPlacedAsInJapaneseTemplate(dialog), c.japanese);
    // The controls of an ANSI program hold their texts in the system's code page, so the
    // Japanese texts read back intact only on a Japanese system.
    if (!c.japanese || japaneseSystem) {
      EXPECT_EQ(caption, c.japanese ? L"QuorVEX セットアップ" : L"QuorVEX Setup");
      EXPECT_EQ(ItemText(dialog, 1004), c.japanese ? L"セットアップ フォルダ" : L"Setup folder");
    } else {
      EXPECT_NE(caption, L"QuorVEX Setup");
    }
    EXPECT_TRUE(program.Close(dialog));
  }
  RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\VELDRANOS\\QUORVEX\\OPTION_ETC");
}

}  // namespace
