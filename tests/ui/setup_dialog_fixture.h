// The fixture of the UI tests: starts the real setup program under Wine and Xvfb, keeps
// the settings it reads in a known state, and answers the boxes of its runs.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "res/resource_ids.h"
#include "tests/install/run_fixture.h"
#include "tests/support/ui_driver.h"

namespace uitest {

constexpr int kSetup = IDC_SETUP_BUTTON, kStart = IDC_START_BUTTON, kExit = IDCANCEL, kWelcome = IDC_WELCOME_TEXT,
              kFolderLabel = IDC_FOLDER_LABEL, kBrowse = IDC_BROWSE_BUTTON, kStatus = IDC_STATUS_TEXT,
              kProgressArea = IDC_PROGRESS_AREA, kFolder = IDC_FOLDER_FIELD, kAnchor = IDC_IMAGE_ANCHOR,
              kFooter = IDC_FOOTER_LINK;
constexpr UINT kProgressMessage = WM_USER + 1;
constexpr UINT kAboutCommand = 16;
constexpr char kSettingsKey[] = "SOFTWARE\\VELDRANOS\\QUORVEX";

using runtest::WindowsPath;
bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);
std::string TempFolder();  // ends with "\"

void StoreDword(const char* subkey, const char* name, DWORD value);
void StoreString(const char* subkey, const char* name, const std::string& value);
void DeleteStored(const char* subkey, const char* name);
// A REG_SZ value; empty when there is none.
std::string ReadRegistryString(HKEY root, const std::string& key, const char* name);
bool RegistryKeyExists(HKEY root, const std::string& key);

class SetupDialogUi : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts a setup program (the bare one unless told otherwise) and waits for its dialog.
  HWND Start(const std::string& arguments = "");
  HWND StartProgram(const std::string& program, const std::string& arguments);
  // Answers every box the program shows with OK until condition holds.
  bool AnswerBoxesUntil(const std::function<bool()>& condition, DWORD timeoutMs);
  // Answers the run's boxes until its end re-enables Setup, then waits until the dialog
  // has finished handling the end (it enables its buttons one after the other): a sent
  // message returns only once the dialog is back in its message loop.
  bool WaitForRunToEnd(HWND dialog, DWORD timeoutMs);

  std::string setupExe_;
  std::string recordFile_;
  std::unique_ptr<Process> process_;
  std::vector<std::string> boxTexts_;
};

// The same, on a system whose code page is 932 and with no language stored, so that the
// OEM code page chooses Japanese. They fail elsewhere: CTest runs them under
// LC_ALL=ja_JP.UTF-8 only.
class SetupDialogUiJapanese : public SetupDialogUi {
 protected:
  void SetUp() override;
};

}  // namespace uitest
