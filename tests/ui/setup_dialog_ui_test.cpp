// The real setup program under Wine and Xvfb, driven through its windows as a user would.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/ui_driver.h"
#include "tests/ui/setup_dialog_fixture.h"
#include "text/language.h"
#include "text/message_catalog.h"

namespace {

using namespace uitest;

TEST_F(SetupDialogUi, InstallModeShowsTemplateTextsAndTheDefaultFolder) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::Text(dialog), "QuorVEX Setup");
  EXPECT_EQ(uitest::ItemText(dialog, kWelcome).rfind("Welcome to a QuorVEX setup!", 0), 0u);
  EXPECT_EQ(uitest::ItemText(dialog, kSetup), "Setup");
  EXPECT_TRUE(uitest::ItemVisible(dialog, kBrowse));
  EXPECT_EQ(uitest::ItemText(dialog, kFolder), "c:\\Program Files\\QuorVEX");
  EXPECT_TRUE(uitest::ItemEnabled(dialog, kFolder));
  // Ready: Setup and browse enabled, Start not.
  EXPECT_TRUE(uitest::ItemEnabled(dialog, kSetup));
  EXPECT_TRUE(uitest::ItemEnabled(dialog, kBrowse));
  EXPECT_FALSE(uitest::ItemEnabled(dialog, kStart));
  // The folder field takes 259 characters at most.
  EXPECT_EQ(SendDlgItemMessageA(dialog, kFolder, EM_GETLIMITTEXT, 0, 0), 259);
}

TEST_F(SetupDialogUi, InstallModeShowsTheStoredFolder) {
  StoreString("MAIN", "SETUPFOLDER", "D:\\Apps\\Video Phone");
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::ItemText(dialog, kFolder), "D:\\Apps\\Video Phone");
}

TEST_F(SetupDialogUi, UninstallModeShowsItsTextsAndTheStoredFolderDisabled) {
  StoreString("MAIN", "SETUPFOLDER", "D:\\Apps\\Video Phone");
  HWND dialog = Start("-u");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::ItemText(dialog, kWelcome), CatalogTextIn(153, language::kEnglish));
  EXPECT_EQ(uitest::ItemText(dialog, kSetup), "Uninstall");
  EXPECT_FALSE(uitest::ItemVisible(dialog, kBrowse));
  EXPECT_FALSE(uitest::ItemEnabled(dialog, kFolder));
  EXPECT_EQ(uitest::ItemText(dialog, kFolder), "D:\\Apps\\Video Phone");
  EXPECT_EQ(uitest::Text(dialog), "QuorVEX Setup");
}

TEST_F(SetupDialogUi, UninstallModeWithoutAStoredFolderShowsNothing) {
  HWND dialog = Start("/x-uninstall");  // "-u" inside a word counts
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::ItemText(dialog, kSetup), "Uninstall");
  EXPECT_EQ(uitest::ItemText(dialog, kFolder), "");
}

TEST_F(SetupDialogUi, EnterDoesNothing) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(process_->WaitForExit(1500));
  EXPECT_FALSE(uitest::WaitForMessageBox(process_->Id(), 0));
  EXPECT_TRUE(IsWindow(dialog));
}

TEST_F(SetupDialogUi, ExitAsksBeforeCompletionAndNoStays) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  uitest::Click(dialog, kExit);
  HWND question = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(uitest::MessageBoxText(question), CatalogTextIn(434, language::kEnglish));
  EXPECT_EQ(uitest::Text(question), "Quorvex");
  uitest::Answer(question, IDNO);
  EXPECT_FALSE(process_->WaitForExit(1500));
  EXPECT_TRUE(IsWindow(dialog));

  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc behaves as Exit
  question = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  uitest::Answer(question, IDYES);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

TEST_F(SetupDialogUi, UninstallModeAsksItsOwnQuestion) {
  HWND dialog = Start("-u");
  ASSERT_TRUE(dialog);
  uitest::Click(dialog, kExit);
  HWND question = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(uitest::MessageBoxText(question), CatalogTextIn(304, language::kEnglish));
  uitest::Answer(question, IDYES);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

// The program without a payload: its install run fails, and the dialog returns to Ready.
TEST_F(SetupDialogUi, AFailingRunEndsInReady) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  StoreString("MAIN", "SETUPFOLDER", std::string(temp) + "qx_ui_failing");
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(uitest::ItemEnabled(dialog, kSetup));
  uitest::Click(dialog, kSetup);
  // Running: Setup and browse disabled, seen while the run's first box is open (the
  // dialog disables them one after the other, so earlier the test could see only one).
  ASSERT_TRUE(uitest::WaitForMessageBox(process_->Id())) << "the run without a payload shows a warning";
  EXPECT_FALSE(uitest::ItemEnabled(dialog, kSetup));
  EXPECT_FALSE(uitest::ItemEnabled(dialog, kBrowse));
  EXPECT_FALSE(uitest::ItemEnabled(dialog, kStart));
  EXPECT_TRUE(uitest::ItemEnabled(dialog, kFolder)) << "the folder field stays editable";
  ASSERT_TRUE(WaitForRunToEnd(dialog, 60000));
  EXPECT_FALSE(boxTexts_.empty()) << "the failing run reports its failure";
  EXPECT_TRUE(uitest::ItemEnabled(dialog, kBrowse));
  EXPECT_FALSE(uitest::ItemEnabled(dialog, kStart));
  // Not completed: Exit still asks.
  uitest::Click(dialog, kExit);
  HWND question = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(uitest::MessageBoxText(question), CatalogTextIn(434, language::kEnglish));
  uitest::Answer(question, IDYES);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

// A run's warning is open; Exit does not ask (the busy rule answers Yes) and the program
// ends at once, abandoning the run.
TEST_F(SetupDialogUi, ExitWhileARunsBoxIsOpenClosesAtOnce) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  StoreString("MAIN", "SETUPFOLDER", std::string(temp) + "qx_ui_failing");
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  uitest::Click(dialog, kSetup);
  HWND box = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(box) << "the run without a payload shows a warning";
  ASSERT_FALSE(uitest::ItemEnabled(dialog, kSetup)) << "still running";
  uitest::Click(dialog, kExit);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

TEST_F(SetupDialogUi, StartWithoutTheProgramShowsMessage138AndStays) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  SetDlgItemTextA(dialog, kFolder, "C:\\qx_ui_nowhere");
  // Start is disabled before a completed run; its handler is reached by the command itself.
  uitest::Click(dialog, kStart);
  HWND box = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(uitest::MessageBoxText(box), CatalogTextIn(138, language::kEnglish));
  EXPECT_EQ(uitest::Text(box), "QuorVEXSetup");  // the framework's box: the application title
  uitest::Answer(box, IDOK);
  EXPECT_FALSE(process_->WaitForExit(1000));
  EXPECT_TRUE(IsWindow(dialog));
}

// The caption as an ANSI window of this system holds it: exact on a Japanese system; on
// another, the characters its code page lacks are lost, but it is still not the English one.
std::string InSystemCodePage(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return std::string();
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &bytes[0], size, nullptr, nullptr);
  bytes.resize(static_cast<std::size_t>(size - 1));
  return bytes;
}

const std::wstring kJapaneseAboutCaption = L"QuorVEXSetup\u306E\uFF8A\uFF9E\uFF70\uFF7C\uFF9E\uFF6E\uFF9D\u60C5\u5831";
const std::wstring kEnglishAboutCaption = L"About QuorVEXSetup";

// The About box: a dialog of the program with an OK button and no Setup button.
HWND WaitForAboutBox(DWORD processId) { return uitest::WaitForDialog(processId, IDOK, 15000); }

// The setting is read again each time the box opens, not at start-up: one dialog, the
// language changed under it between the boxes.
void CheckAboutBoxesFollowTheRule(HWND dialog, DWORD processId) {
  const bool japaneseSystem = GetOEMCP() == 932;
  struct Case {
    DWORD langType;
    bool japanese;
  };
  for (const Case& c : {Case{1, true}, Case{2, false}, Case{3, true}, Case{0, japaneseSystem}}) {
    SCOPED_TRACE(c.langType);
    StoreDword("OPTION_ETC", "LANGTYPE", c.langType);
    PostMessageA(dialog, WM_SYSCOMMAND, kAboutCommand, 0);
    HWND about = WaitForAboutBox(processId);
    ASSERT_TRUE(about);
    ASSERT_NE(about, dialog);
    const std::wstring& caption = c.japanese ? kJapaneseAboutCaption : kEnglishAboutCaption;
    EXPECT_EQ(uitest::Text(about), InSystemCodePage(caption));
    if (japaneseSystem) {
      EXPECT_EQ(uitest::TextW(about), caption);
    }
    EXPECT_EQ(uitest::ItemText(about, IDOK), "OK");
    EXPECT_TRUE(FindWindowExA(about, nullptr, "Static", "QuorVEXSetup Version 1.00"));
    uitest::Answer(about, IDOK);
    ASSERT_TRUE(uitest::WaitUntil([&] { return !IsWindow(about); }, 10000));
  }
}

TEST_F(SetupDialogUi, AboutBoxFollowsTheLanguageRuleAtThatMoment) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  CheckAboutBoxesFollowTheRule(dialog, process_->Id());
}

TEST_F(SetupDialogUiJapanese, AboutBoxFollowsTheLanguageRuleAtThatMoment) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  CheckAboutBoxesFollowTheRule(dialog, process_->Id());
}

// --- Japanese texts, read back as the system's code page 932 bytes -------------------------

TEST_F(SetupDialogUiJapanese, InstallModeShowsTheJapaneseTemplateAndMessages) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::TextW(dialog), L"QuorVEX \u30BB\u30C3\u30C8\u30A2\u30C3\u30D7");  // QuorVEX セットアップ
  EXPECT_EQ(uitest::TextW(GetDlgItem(dialog, kWelcome)).rfind(L"QuorVEX \u30BB\u30C3\u30C8\u30A2\u30C3\u30D7\u306B\u3088\u3046\u3053\u305D\u3002", 0), 0u)
      << "QuorVEX セットアップにようこそ。";
  EXPECT_EQ(uitest::TextW(GetDlgItem(dialog, kFolderLabel)), L"\u30BB\u30C3\u30C8\u30A2\u30C3\u30D7 \u30D5\u30A9\u30EB\u30C0");
  EXPECT_EQ(uitest::ItemText(dialog, kSetup), "Setup");  // the same in both languages
  EXPECT_EQ(uitest::ItemText(dialog, kFolder), "c:\\Program Files\\QuorVEX");

  // Message 138 through the framework's box, then the Exit question 434.
  SetDlgItemTextA(dialog, kFolder, "C:\\qx_ui_nowhere");
  uitest::Click(dialog, kStart);
  HWND box = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(uitest::MessageBoxText(box), CatalogTextIn(138, language::kJapanese));
  uitest::Answer(box, IDOK);
  ASSERT_TRUE(uitest::WaitUntil([&] { return !IsWindow(box); }, 10000));
  uitest::Click(dialog, kExit);
  HWND question = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(uitest::MessageBoxText(question), CatalogTextIn(434, language::kJapanese));
  uitest::Answer(question, IDYES);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

// Non-white pixels of a capture from column x on (text is drawn anti-aliased: grey, not black).
int InkFrom(const uitest::Image& shot, int x0) {
  int ink = 0;
  for (int y = 0; y < shot.height; ++y)
    for (int x = x0; x < shot.width; ++x) ink += shot.At(x, y) != RGB(255, 255, 255);
  return ink;
}

// The field draws its own text: a folder with double-byte characters is drawn whole.
TEST_F(SetupDialogUiJapanese, FolderFieldShowsAFolderWithJapaneseCharacters) {
  const std::string ascii = "C:\\Program Files\\Video";
  const std::string folder = ascii + "\x95\x5c\x8e\xa6";  // "表示" in code page 932
  StoreString("MAIN", "SETUPFOLDER", folder);
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::ItemText(dialog, kFolder), folder);
  const RECT field = uitest::ItemScreenRect(dialog, kFolder);
  // Where the Latin part ends, a text drawn without the Japanese characters would stop.
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_STROKE_PRECIS,
                           CLIP_STROKE_PRECIS, PROOF_QUALITY, FF_MODERN | VARIABLE_PITCH, "MS UI Gothic");
  HGDIOBJ previous = SelectObject(screen, font);
  SIZE latin{};
  GetTextExtentPoint32A(screen, ascii.c_str(), static_cast<int>(ascii.size()), &latin);
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  const uitest::Image shot = uitest::CaptureScreen(field);
  EXPECT_GT(InkFrom(shot, 0), 0) << "the field shows its text";
  EXPECT_GT(InkFrom(shot, latin.cx + 2), 0) << "and the Japanese characters after the Latin part";
}

TEST_F(SetupDialogUiJapanese, UninstallModeShowsTheJapaneseMessages) {
  HWND dialog = Start("-u");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(uitest::ItemText(dialog, kWelcome), CatalogTextIn(153, language::kJapanese));
  EXPECT_EQ(uitest::ItemText(dialog, kSetup), "Uninstall");
  uitest::Click(dialog, kExit);
  HWND question = uitest::WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(uitest::MessageBoxText(question), CatalogTextIn(304, language::kJapanese));
  uitest::Answer(question, IDYES);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

// --- What the screen shows ----------------------------------------------------------------

TEST_F(SetupDialogUi, BannerIsDrawnAtTheImageAnchor) {
  // The artwork file as drawn: 4 bits a pixel through its colour table, bottom row first.
  const std::string bmp = ReadFile(std::getenv("QX_SKIN_BMP") ? WindowsPath("QX_SKIN_BMP") : "");
  ASSERT_EQ(bmp.size(), 9438u);
  const std::size_t rows = static_cast<unsigned char>(bmp[10]);  // bfOffBits, below 256 here
  const std::size_t rowBytes = 144;
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  const RECT anchor = uitest::ItemScreenRect(dialog, kAnchor);
  const uitest::Image shot = uitest::CaptureScreen(RECT{anchor.left, anchor.top, anchor.left + 288, anchor.top + 65});
  ASSERT_EQ(shot.width, 288);
  int mismatches = 0;
  for (int y = 0; y < 65; ++y) {
    for (int x = 0; x < 288; ++x) {
      const auto pair = static_cast<unsigned char>(bmp[rows + static_cast<std::size_t>(64 - y) * rowBytes + x / 2]);
      const std::size_t colour = 54 + 4 * static_cast<std::size_t>(x % 2 ? pair & 0x0F : pair >> 4);
      const auto b = static_cast<unsigned char>(bmp[colour]), g = static_cast<unsigned char>(bmp[colour + 1]),
                 r = static_cast<unsigned char>(bmp[colour + 2]);
      mismatches += shot.At(x, y) != RGB(r, g, b);
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(SetupDialogUi, ProgressBarIsSilverAndAsWideAsTheRuleSays) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  const RECT area = uitest::ItemScreenRect(dialog, kProgressArea);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  ASSERT_GT(width, 40);
  const RECT around{area.left, area.top, area.right + 4, area.bottom};
  // Nothing before the first progress message, nor for a first entry.
  SendMessageA(dialog, kProgressMessage, 0, 25);
  EXPECT_EQ(uitest::CaptureScreen(around).Count(RGB(192, 192, 192)), 0);

  SendMessageA(dialog, kProgressMessage, 1, 2);  // half the width
  const uitest::Image half = uitest::CaptureScreen(around);
  const int expected = width / 2;
  const int middle = height / 2;
  EXPECT_EQ(half.At(expected / 2, middle), RGB(192, 192, 192)) << "filled inside";
  EXPECT_EQ(half.At(expected - 1, middle), RGB(0, 0, 0)) << "outline at the bar's right edge";
  EXPECT_EQ(half.At(expected + 2, middle), RGB(255, 255, 255)) << "nothing past the bar";
  EXPECT_EQ(half.At(0, middle), RGB(0, 0, 0)) << "outline at the left";

  // Past the total the bar stops at the area's edge.
  SendMessageA(dialog, kProgressMessage, 9, 2);
  const uitest::Image over = uitest::CaptureScreen(around);
  EXPECT_EQ(over.At(width - 1, middle), RGB(0, 0, 0));
  EXPECT_EQ(over.At(width + 2, middle), RGB(255, 255, 255));
}

// Counts non-white pixels strictly inside the button's outline.
int InkInside(const uitest::Image& shot) {
  int ink = 0;
  for (int y = 1; y < shot.height - 3; ++y)
    for (int x = 3; x < shot.width - 3; ++x) ink += shot.At(x, y) != RGB(255, 255, 255);
  return ink;
}

TEST_F(SetupDialogUi, ADisabledButtonsCaptionIsInvisible) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  ASSERT_FALSE(uitest::ItemEnabled(dialog, kStart));
  const RECT start = uitest::ItemScreenRect(dialog, kStart);
  const RECT exit = uitest::ItemScreenRect(dialog, kExit);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(InkInside(uitest::CaptureScreen(start)), 0) << "capture " << i;
  // The enabled Exit button shows its caption in the dark part of its pulse.
  EXPECT_TRUE(uitest::WaitUntil([&] { return InkInside(uitest::CaptureScreen(exit)) > 0; }, 20000));
  // The outline is there on the disabled button.
  const uitest::Image face = uitest::CaptureScreen(start);
  EXPECT_GT(face.Count(RGB(0, 0, 0)), 0);
}

// The label paints no background: a shorter text must not leave the old one showing.
TEST_F(SetupDialogUi, StatusLineShowsOnlyItsNewText) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  HWND status = GetDlgItem(dialog, kStatus);
  const RECT r = uitest::ItemScreenRect(dialog, kStatus);
  ASSERT_EQ(InkFrom(uitest::CaptureScreen(r), 0), 0) << "empty at start";
  SendMessageA(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
  ASSERT_GT(InkFrom(uitest::CaptureScreen(r), 40), 0) << "the long text is drawn across the line";
  SendMessageA(status, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("i"));
  const uitest::Image shot = uitest::CaptureScreen(r);
  EXPECT_GT(InkFrom(shot, 0), 0) << "the new text is drawn";
  EXPECT_EQ(InkFrom(shot, 20), 0) << "no trace of the old text";
  EXPECT_EQ(uitest::ItemText(dialog, kStatus), "i");
}

TEST_F(SetupDialogUi, LinkTakesItsHoverColourUnderThePointer) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  HWND link = GetDlgItem(dialog, kFooter);
  const RECT r = uitest::ItemScreenRect(dialog, kFooter);
  const RECT shadowed{r.left, r.top, r.right + 1, r.bottom + 1};
  const uitest::Image idle = uitest::CaptureScreen(shadowed);
  EXPECT_EQ(idle.Count(RGB(255, 128, 64)), 0);
  EXPECT_GT(idle.Count(RGB(128, 128, 128)), 0) << "the grey shadow";
  const COLORREF hover = RGB(255, 128, 64);
  const auto some = [](int count) { return count > 0; };
  const auto none = [](int count) { return count == 0; };
  uitest::MovePointer(link, 5, 5);
  EXPECT_GT(uitest::WaitForColourCount(shadowed, hover, some), 0);
  // One pixel past the right edge ends the hover; the edge itself does not.
  const int width = r.right - r.left;
  uitest::MovePointer(link, width, 2);
  EXPECT_GT(uitest::CaptureScreen(shadowed).Count(hover), 0);
  uitest::MovePointer(link, width + 1, 2);
  EXPECT_EQ(uitest::WaitForColourCount(shadowed, hover, none), 0);
}

class HttpHandler {
 public:
  explicit HttpHandler(const std::string& command) {
    RegGetValueA(HKEY_CLASSES_ROOT, kKey, nullptr, RRF_RT_REG_SZ, nullptr, previous_, &previousSize_);
    RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, command.c_str(), static_cast<DWORD>(command.size() + 1));
  }
  ~HttpHandler() {
    if (previousSize_ > 0 && previous_[0])
      RegSetKeyValueA(HKEY_CLASSES_ROOT, kKey, nullptr, REG_SZ, previous_, static_cast<DWORD>(strlen(previous_) + 1));
  }

 private:
  static constexpr const char* kKey = "http\\shell\\open\\command";
  char previous_[1024] = {};
  DWORD previousSize_ = sizeof previous_;
};

TEST_F(SetupDialogUi, FooterLinkOpensItsAddressOncePerClick) {
  const std::string recorder = WindowsPath("QX_RECORDER_EXE");
  ASSERT_TRUE(FileExists(recorder));
  HttpHandler handler("\"" + recorder + "\" \"%1\"");
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  HWND link = GetDlgItem(dialog, kFooter);
  PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(uitest::WaitUntil([&] { return !ReadFile(recordFile_).empty(); }, 20000));
  Sleep(2000);  // a second launch would have come by now
  const std::string launches = ReadFile(recordFile_);
  EXPECT_EQ(std::count(launches.begin(), launches.end(), '\n'), 1) << launches;
  EXPECT_NE(launches.find("http://"), std::string::npos) << launches;
  EXPECT_NE(launches.find("/index.htm"), std::string::npos) << launches;
  // A second click opens it a second time.
  PostMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessageA(link, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_TRUE(uitest::WaitUntil([&] {
    const std::string now = ReadFile(recordFile_);
    return std::count(now.begin(), now.end(), '\n') == 2;
  }, 20000));
}

}  // namespace
