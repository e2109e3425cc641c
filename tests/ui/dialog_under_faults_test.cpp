// The dialog when a user, the disk or another program does what the happy path does not:
// real double-clicks in each state, a disk that fills up during a reinstall, a target the
// system refuses, a file another program holds, the setup file gone, a drive taken away in
// the middle of a run, Exit in the middle of a run, a 10,000-file payload, the About box over
// the dialog.
// The setup programs here are the bare program with payloads the test packs itself; the
// drives Q:, R: and V: come from the fault_drives fixture.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "archive/archive_format.h"
#include "tests/install/run_fixture.h"
#include "tests/support/ui_driver.h"
#include "tests/ui/setup_dialog_fixture.h"
#include "text/format.h"
#include "text/language.h"
#include "text/message_catalog.h"

namespace {

using namespace uitest;

constexpr char kUninstallEntryKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorVEX";
constexpr DWORD kRunTimeoutMs = 180000;
constexpr int kSetupNotCompleted = 434, kSetupCompleted = 433, kSetupFileUnreadable = 435,
              kSetupFileNotCopied = 436, kFileDoesNotOpen = 516;

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

  // What a failed run must leave: the expected boxes, the dialog in Ready
  // (Setup enabled, Start disabled, no claim in the status line) and answering at once,
  // no Add/Remove Programs entry, and Exit still asking before it ends the program.
  void ExpectFailedRunInReady(HWND dialog, const std::vector<std::string>& boxes) {
    ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
    std::vector<std::string> shown;
    for (const std::string& text : boxTexts_) shown.push_back(Trimmed(text));
    EXPECT_EQ(shown, boxes);
    EXPECT_TRUE(ItemEnabled(dialog, kSetup));
    EXPECT_FALSE(ItemEnabled(dialog, kStart));
    EXPECT_EQ(ItemText(dialog, kStatus), "");
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
    DWORD_PTR ignored = 0;
    EXPECT_NE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored), 0u);
    Click(dialog, kExit);
    HWND question = WaitForMessageBox(process_->Id());
    ASSERT_TRUE(question);
    EXPECT_EQ(MessageBoxText(question), English(kSetupNotCompleted));
    Answer(question, IDYES);
    EXPECT_TRUE(process_->WaitForExit(15000));
  }

  // A file beside the target, which no run may touch.
  void PlaceNeighbour() {
    CreateDirectoryA(neighbour_.c_str(), nullptr);
    ASSERT_TRUE(runtest::WriteBytes(neighbour_ + "\\keep.txt", "neighbour"));
  }
  void ExpectNeighbourUntouched() {
    EXPECT_EQ(ReadFile(neighbour_ + "\\keep.txt"), "neighbour");
    runtest::RemoveTree(neighbour_);
  }

  std::string setupFile_;
  std::string target_ = TempFolder() + "qx_ui_faults";
  std::string neighbour_ = TempFolder() + "qx_ui_faults_neighbour";
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
  ExpectFailedRunInReady(dialog, {SystemText(ERROR_DISK_FULL)});
  EXPECT_EQ(ReadFile(target_ + "\\Uninstall.txt"), earlierList);
}

// A reinstall over an earlier one, with the product's program in the middle of the payload:
// the files before it are written, the run fails on it.
std::vector<runtest::PayloadFile> ReinstallPayload() {
  return {{"QuorVEXSetup.exe", "MZ setup", 0},
          {"a.dll", "new a", 0},
          {"QuorVEX.exe", "new program", 0},
          {"z.dll", "new z", 0}};
}

// A setup file damaged on its way to the user: one flipped bit in a file's data, the end cut
// off, or no payload at all. The run refuses it before writing anything, with one box, and
// writes no Add/Remove Programs entry.
TEST_F(DialogUnderFaults, ADamagedSetupFileIsRefusedBeforeAnythingIsWritten) {
  struct Case {
    const char* what;
    std::function<void(std::string&)> damage;
    int message;
  };
  const Case cases[] = {
      {"a bit flipped in a file's data", [](std::string& bytes) { bytes[bytes.size() - archive::kTrailerSize - 100] ^= 0x10; }, kSetupFileNotCopied},
      {"the last 100 bytes cut off", [](std::string& bytes) { bytes.resize(bytes.size() - 100); }, kSetupFileNotCopied},
      {"the whole payload cut off", [this](std::string& bytes) {
         std::string image;
         runtest::ReadBytes(setupExe_, image);
         bytes.resize(image.size());
       }, kSetupFileNotCopied},
  };
  std::vector<runtest::PayloadFile> files = ReinstallPayload();
  files.push_back({"data.bin", std::string(4096, 'd'), 0});
  PackSetup(files);
  std::string intact;
  ASSERT_TRUE(runtest::ReadBytes(setupFile_, intact));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    boxTexts_.clear();
    runtest::RemoveTree(target_);
    SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
    std::string damaged = intact;
    c.damage(damaged);
    ASSERT_TRUE(runtest::WriteBytes(setupFile_, damaged));
    HWND dialog = StartPacked();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(ClickAndWait(dialog, kSetup));
    ExpectFailedRunInReady(dialog, {English(c.message)});
    EXPECT_FALSE(FileExists(target_ + "\\QuorVEX.exe"));
    EXPECT_FALSE(FileExists(target_ + "\\Uninstall.txt"));
  }
}

// A destination file another program (the test) holds open without sharing: the box names
// the file, then the run's failure; the earlier install's list and program stay, no entry is
// written, nothing beside the target is touched, and the dialog is back in Ready and answers.
TEST_F(DialogUnderFaults, AFileAnotherProgramHoldsFailsTheRunAndKeepsTheEarlierInstall) {
  PackSetup(ReinstallPayload());
  runtest::RemoveTree(target_);
  PlaceNeighbour();
  ASSERT_TRUE(CreateDirectoryA(target_.c_str(), nullptr));
  const std::string program = target_ + "\\QuorVEX.exe";
  const std::string earlierList = program + "\n";
  ASSERT_TRUE(runtest::WriteBytes(program, "earlier program"));
  ASSERT_TRUE(runtest::WriteBytes(target_ + "\\Uninstall.txt", earlierList));
  HANDLE held = CreateFileA(program.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ExpectFailedRunInReady(dialog, {text::FillIn(English(kFileDoesNotOpen).c_str(), program), English(kSetupFileNotCopied)});
  CloseHandle(held);
  EXPECT_EQ(ReadFile(program), "earlier program");
  EXPECT_EQ(ReadFile(target_ + "\\Uninstall.txt"), earlierList);
  EXPECT_EQ(ReadFile(target_ + "\\a.dll"), "new a") << "files before the refused one are written";
  EXPECT_FALSE(FileExists(target_ + "\\z.dll")) << "the run ends at the refused file";
  ExpectNeighbourUntouched();
}

// A target folder on a drive that refuses every write: no folder, no file, the run's failure.
TEST_F(DialogUnderFaults, ATargetOnAReadOnlyDriveFailsTheRunAndWritesNothing) {
  ASSERT_NE(GetFileAttributesA("R:\\locked"), INVALID_FILE_ATTRIBUTES) << "the fault_drives fixture makes R:";
  target_ = "R:\\locked\\QuorVEX";
  PackSetup(ReinstallPayload());
  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ExpectFailedRunInReady(dialog, {English(kSetupFileNotCopied)});
  EXPECT_FALSE(FileExists(target_));
}

// The setup file renamed away while the dialog is open: the run cannot read its own payload,
// says so (435) and writes nothing; with the file back, the same dialog installs.
TEST_F(DialogUnderFaults, TheSetupFileGoneWhileTheDialogIsOpenFailsTheRunAndWritesNothing) {
  PackSetup(ReinstallPayload());
  runtest::RemoveTree(target_);
  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  const std::string away = setupFile_ + ".away";
  DeleteFileA(away.c_str());
  ASSERT_TRUE(MoveFileA(setupFile_.c_str(), away.c_str())) << GetLastError();
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
  ASSERT_EQ(boxTexts_.size(), 1u) << ::testing::PrintToString(boxTexts_);
  EXPECT_EQ(boxTexts_[0], English(kSetupFileUnreadable));
  EXPECT_FALSE(ItemEnabled(dialog, kStart));
  EXPECT_FALSE(FileExists(target_ + "\\QuorVEX.exe"));
  EXPECT_FALSE(FileExists(target_ + "\\Uninstall.txt"));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));

  ASSERT_TRUE(MoveFileA(away.c_str(), setupFile_.c_str())) << GetLastError();
  boxTexts_.clear();
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
  EXPECT_TRUE(boxTexts_.empty()) << ::testing::PrintToString(boxTexts_);
  EXPECT_EQ(ItemText(dialog, kStatus), English(kSetupCompleted));
  EXPECT_EQ(ReadFile(target_ + "\\QuorVEX.exe"), "new program");
}

// The target's drive taken away while the run writes to it: the run fails on the next file,
// names it, and the dialog is back in Ready and answers.
TEST_F(DialogUnderFaults, ADriveTakenAwayDuringARunFailsTheRunAndTheDialogAnswers) {
  ASSERT_EQ(GetDriveTypeA("V:\\"), static_cast<UINT>(DRIVE_FIXED)) << "the fault_drives fixture makes V:";
  target_ = "V:\\QuorVEX";
  runtest::RemoveTree(target_);
  PackSetup(ManySmallFiles(3000));
  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(target_ + "\\data\\file00100.txt"); }, 60000));
  // The fixture's watcher unmounts the disk and removes the drive when this file appears.
  const std::string drives = WindowsPath("QX_FAULT_DRIVES");
  ASSERT_FALSE(drives.empty()) << "QX_FAULT_DRIVES names the fault_drives folder";
  ASSERT_TRUE(runtest::WriteBytes(drives + "\\take-v-away", ""));
  ASSERT_TRUE(WaitUntil([] { return GetDriveTypeA("V:\\") == DRIVE_NO_ROOT_DIR; }, 10000)) << "the drive must go";
  // The file after the last one written cannot be opened any more (which one depends on
  // timing): the box names a file of the payload, then the run's failure.
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
  ASSERT_EQ(boxTexts_.size(), 2u) << ::testing::PrintToString(boxTexts_);
  const std::string named = text::FillIn(English(kFileDoesNotOpen).c_str(), target_ + "\\data\\file");
  EXPECT_EQ(boxTexts_[0].rfind(named, 0), 0u) << boxTexts_[0];
  EXPECT_EQ(boxTexts_[1], English(kSetupFileNotCopied));
  boxTexts_.clear();
  ExpectFailedRunInReady(dialog, {});
}

// Exit answered Yes in the middle of a run: the process ends at once and cleanly, the files
// written so far stay (nothing is rolled back), and a later install over them completes.
TEST_F(DialogUnderFaults, ExitDuringARunEndsTheProcessAtOnceAndALaterInstallCompletes) {
  const int count = 2000;
  std::vector<runtest::PayloadFile> files = {{"QuorVEXSetup.exe", "MZ setup", 0}};
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "data\\file%05d.bin", i);
    files.push_back({name, std::string(32 * 1024, static_cast<char>('a' + i % 26)), 0});
  }
  PackSetup(files);
  runtest::RemoveTree(target_);
  const std::string last = target_ + "\\data\\file01999.bin";

  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(WaitUntil([&] { return FileExists(target_ + "\\data\\file00010.bin"); }, 60000));
  Click(dialog, kExit);
  HWND question = WaitForMessageBox(process_->Id());
  ASSERT_TRUE(question);
  ASSERT_EQ(MessageBoxText(question), English(kSetupNotCompleted));
  ASSERT_FALSE(ItemEnabled(dialog, kSetup)) << "the run must still be going";
  const DWORD answered = GetTickCount();
  Answer(question, IDYES);
  ASSERT_TRUE(process_->WaitForExit(5000)) << "the program must end, not hang";
  const DWORD endedAfterMs = GetTickCount() - answered;
  RecordProperty("exit_after_ms", static_cast<int>(endedAfterMs));
  EXPECT_LE(endedAfterMs, 1000u);
  EXPECT_EQ(process_->ExitCode(), 0u) << "ended by the program, not by a crash";
  EXPECT_TRUE(FileExists(target_ + "\\data\\file00010.bin")) << "what was written stays";
  EXPECT_FALSE(FileExists(last)) << "the run was cut short";

  dialog = StartPacked();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
  EXPECT_TRUE(boxTexts_.empty()) << ::testing::PrintToString(boxTexts_);
  EXPECT_EQ(ItemText(dialog, kStatus), English(kSetupCompleted));
  EXPECT_EQ(ReadFile(last), std::string(32 * 1024, static_cast<char>('a' + 1999 % 26)));
  EXPECT_EQ(ReadFile(target_ + "\\data\\file00010.bin"), std::string(32 * 1024, static_cast<char>('a' + 10 % 26)));
}

// 10,000 files through the dialog: while the worker writes them the dialog answers at once,
// its bar grows on the screen and Exit's question comes and goes (No); at the end the bar
// stands one entry short of the area's edge and every file is there.
TEST_F(DialogUnderFaults, TenThousandFilesKeepTheDialogAnsweringAndTheBarReachesItsEnd) {
  const int count = 10000;
  PackSetup(ManySmallFiles(count));
  runtest::RemoveTree(target_);
  HWND dialog = StartPacked();
  ASSERT_TRUE(dialog);
  const RECT area = ItemScreenRect(dialog, kProgressArea);
  const RECT barRow{area.left, area.top + (area.bottom - area.top) / 2, area.right, area.top + (area.bottom - area.top) / 2 + 1};
  const COLORREF filled = RGB(192, 192, 192);
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));

  std::vector<int> shownWidths;  // the bar's filled pixels as the screen shows them
  DWORD slowestAnswerMs = 0;
  bool askedAndKept = false;
  while (!ItemEnabled(dialog, kSetup)) {
    const DWORD sent = GetTickCount();
    DWORD_PTR ignored = 0;
    ASSERT_NE(SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored), 0u) << "the dialog must answer";
    slowestAnswerMs = std::max(slowestAnswerMs, GetTickCount() - sent);
    shownWidths.push_back(CaptureScreen(barRow).Count(filled));
    if (!askedAndKept && FileExists(target_ + "\\data\\file03000.txt")) {
      Click(dialog, kExit);
      HWND question = WaitForMessageBox(process_->Id());
      ASSERT_TRUE(question);
      EXPECT_EQ(MessageBoxText(question), English(kSetupNotCompleted));
      Answer(question, IDNO);
      ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 10000));
      askedAndKept = true;
    }
  }
  ASSERT_TRUE(WaitForRunToEnd(dialog, kRunTimeoutMs));
  RecordProperty("slowest_answer_ms", static_cast<int>(slowestAnswerMs));
  EXPECT_TRUE(askedAndKept) << "Exit was to be clicked in the middle of the run";
  EXPECT_TRUE(boxTexts_.empty()) << ::testing::PrintToString(boxTexts_);
  EXPECT_EQ(ItemText(dialog, kStatus), English(kSetupCompleted));
  // Painted while the run went on: the screen showed the bar at several growing widths.
  std::vector<int> distinct;
  for (int width : shownWidths)
    if (width > 0 && (distinct.empty() || width > distinct.back())) distinct.push_back(width);
  EXPECT_GE(distinct.size(), 3u) << ::testing::PrintToString(shownWidths);
  // The end: (entries - 1) / entries of the area, here its last pixel but at most one.
  const int width = area.right - area.left;
  const int bar = (count) * width / (count + 1);
  const Image shot = CaptureScreen(RECT{area.left, area.top, area.right + 2, area.bottom});
  EXPECT_EQ(shot.At(bar - 1, shot.height / 2), RGB(0, 0, 0)) << "the bar's right edge, " << bar << " of " << width << " px";
  EXPECT_GE(bar, width - 1);
  for (const int i : {0, 4999, 9999}) {
    char name[48];
    std::snprintf(name, sizeof name, "\\data\\file%05d.txt", i);
    EXPECT_EQ(ReadFile(target_ + name), std::string(64, static_cast<char>('a' + i % 26))) << name;
  }
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
