// The dialog when a user or the disk does what the happy path does not: real double-clicks
// in each state, a disk that fills up during a reinstall, the About box over the dialog.
// The setup programs here are the bare program with payloads the test packs itself.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/install/run_fixture.h"
#include "tests/support/ui_driver.h"
#include "tests/ui/setup_dialog_fixture.h"
#include "text/language.h"
#include "text/message_catalog.h"

namespace {

using namespace uitest;

constexpr char kUninstallEntryKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorVEX";
constexpr DWORD kRunTimeoutMs = 180000;
constexpr int kSetupNotCompleted = 434, kSetupCompleted = 433;

std::string English(int id) { return CatalogTextIn(id, language::kEnglish); }

// The system's own text for an error code, without its line end.
std::string SystemText(DWORD code) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr,
                 code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = text ? text : "";
  LocalFree(text);
  while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' ')) result.pop_back();
  return result;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

class DialogUnderFaults : public SetupDialogUi {
 protected:
  void TearDown() override {
    SetupDialogUi::TearDown();
    DeleteFileA(setupFile_.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
    runtest::RemoveTree(target_);
  }

  // The bare setup program with files as its payload, written to the temporary folder.
  void PackSetup(const std::vector<runtest::PayloadFile>& files) {
    std::string image;
    ASSERT_TRUE(runtest::ReadBytes(setupExe_, image)) << setupExe_;
    const std::vector<std::uint8_t> bytes =
        runtest::SetupFileBytes(std::vector<std::uint8_t>(image.begin(), image.end()), files);
    setupFile_ = TempFolder() + "qx_ui_packed_setup.exe";
    ASSERT_TRUE(runtest::WriteBytes(setupFile_, std::string(bytes.begin(), bytes.end())));
  }

  // Starts the packed program with target_ typed into its folder field.
  HWND StartPacked() {
    HWND dialog = StartProgram(setupFile_, "");
    if (dialog) SetDlgItemTextA(dialog, kFolder, target_.c_str());
    return dialog;
  }

  std::string setupFile_;
  std::string target_ = TempFolder() + "qx_ui_faults";
};

// Thousands of small files: a run long enough to click into.
std::vector<runtest::PayloadFile> ManySmallFiles(int count) {
  std::vector<runtest::PayloadFile> files = {{"QuorVEXSetup.exe", "MZ setup", 0}};
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "data\\file%05d.txt", i);
    files.push_back({name, std::string(64, static_cast<char>('a' + i % 26)), 0});
  }
  return files;
}

// Ready: the second click of a double-click on Exit neither answers the question the first
// one asked nor ends the program; No keeps it.
TEST_F(DialogUnderFaults, ADoubleClickOnExitInReadyAsksOnceAndNoStays) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  DoubleClickItem(dialog, kExit);
  HWND question = WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(MessageBoxText(question), English(kSetupNotCompleted));
  // The second click reaches the dialog while the question is open, as when a user reads it.
  EXPECT_FALSE(process_->WaitForExit(1500)) << "the second click must not answer the question";
  Answer(question, IDNO);
  EXPECT_FALSE(process_->WaitForExit(1500)) << "No must keep the program";
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_FALSE(WaitForMessageBox(process_->Id(), 500)) << "one question for one double-click";
}

// Running: the second click would meet the open question and the busy rule would answer it
// Yes, ending the program in the middle of the run. Only the first acts: one question, No
// keeps the run going to its end.
TEST_F(DialogUnderFaults, ADoubleClickOnExitWhileRunningAsksOnceAndTheRunGoesOn) {
  const int count = 3000;
  PackSetup(ManySmallFiles(count));
  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  DoubleClickItem(dialog, kExit);
  HWND question = WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  ASSERT_EQ(MessageBoxText(question), English(kSetupNotCompleted)) << "the click must land while the run goes on";
  // The second click reaches the dialog while the question is open, as when a user reads it.
  EXPECT_FALSE(process_->WaitForExit(1500)) << "the second click must not answer the question";
  Answer(question, IDNO);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 10000));
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs))
      << "the program must live on to the run's end";
  EXPECT_TRUE(boxTexts_.empty()) << ::testing::PrintToString(boxTexts_);
  EXPECT_EQ(ItemText(dialog, kStatus), English(kSetupCompleted));
  EXPECT_TRUE(FileExists(target_ + "\\data\\file02999.txt"));
}

// Reinstalling onto a 1 MiB drive with a payload larger than it: the disk fills in the middle
// of a write. The box names the full disk (not "Success."), the earlier uninstall list stays
// byte for byte, no Add/Remove Programs entry is written and the dialog returns to Ready.
TEST_F(DialogUnderFaults, ADiskThatFillsUpEndsTheRunInReadyAndKeepsTheEarlierList) {
  ASSERT_EQ(GetDriveTypeA("Q:\\"), static_cast<UINT>(DRIVE_FIXED)) << "the small_drive fixture makes Q:";
  target_ = "Q:\\QuorVEX";
  runtest::RemoveTree(target_);
  ASSERT_TRUE(CreateDirectoryA(target_.c_str(), nullptr));
  const std::string earlierList = target_ + "\\earlier.dll\n";
  ASSERT_TRUE(runtest::WriteBytes(target_ + "\\earlier.dll", "earlier"));
  ASSERT_TRUE(runtest::WriteBytes(target_ + "\\Uninstall.txt", earlierList));
  SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
  PackSetup({{"QuorVEXSetup.exe", "MZ setup", 0}, {"QuorVEX.exe", std::string(3 * 1024 * 1024, 'q'), 0}});

  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
  ASSERT_EQ(boxTexts_.size(), 1u);
  EXPECT_EQ(Trimmed(boxTexts_[0]), SystemText(ERROR_DISK_FULL));
  // Ready, not Completed: Start stays disabled, the status claims nothing, Exit still asks.
  EXPECT_FALSE(ItemEnabled(dialog, kStart));
  EXPECT_EQ(ItemText(dialog, kStatus), "");
  EXPECT_EQ(ReadFile(target_ + "\\Uninstall.txt"), earlierList);
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  Click(dialog, kExit);
  HWND question = WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  EXPECT_EQ(MessageBoxText(question), English(kSetupNotCompleted));
  Answer(question, IDYES);
  EXPECT_TRUE(process_->WaitForExit(15000));
}

// The About box belongs to the dialog: over it, the dialog disabled behind it, so that no
// second About box or second run can be started from under it.
TEST_F(DialogUnderFaults, TheAboutBoxIsOwnedByTheDialog) {
  HWND dialog = Start();
  ASSERT_TRUE(dialog);
  PostMessageA(dialog, WM_SYSCOMMAND, kAboutCommand, 0);
  HWND about = WaitForDialog(process_->Id(), IDOK, 15000);
  ASSERT_TRUE(about);
  EXPECT_EQ(GetWindow(about, GW_OWNER), dialog);
  EXPECT_FALSE(IsWindowEnabled(dialog));
  RECT aboutRect{}, dialogRect{};
  GetWindowRect(about, &aboutRect);
  GetWindowRect(dialog, &dialogRect);
  // Placed from the owner's client area, so over the dialog, not at the screen's corner.
  EXPECT_GE(aboutRect.left, dialogRect.left);
  EXPECT_GE(aboutRect.top, dialogRect.top);
  EXPECT_GT(dialogRect.left, 0);
  PostMessageA(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(dialog) != FALSE; }, 5000));
}

}  // namespace
