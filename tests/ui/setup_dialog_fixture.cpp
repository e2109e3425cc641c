#include "tests/ui/setup_dialog_fixture.h"

#include <fstream>
#include <iterator>

namespace uitest {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

void StoreDword(const char* subkey, const char* name, DWORD value) {
  const std::string key = std::string(kSettingsKey) + "\\" + subkey;
  RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, REG_DWORD, &value, sizeof value);
}

void StoreString(const char* subkey, const char* name, const std::string& value) {
  const std::string key = std::string(kSettingsKey) + "\\" + subkey;
  RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void DeleteStored(const char* subkey, const char* name) {
  const std::string key = std::string(kSettingsKey) + "\\" + subkey;
  RegDeleteKeyValueA(HKEY_CURRENT_USER, key.c_str(), name);
}

std::string ReadRegistryString(HKEY root, const std::string& key, const char* name) {
  char value[2048] = {};
  DWORD size = sizeof value;
  if (RegGetValueA(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return std::string();
  return value;
}

bool RegistryKeyExists(HKEY root, const std::string& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void SetupDialogUi::SetUp() {
  setupExe_ = WindowsPath("QX_SETUP_EXE");
  ASSERT_FALSE(setupExe_.empty()) << "QX_SETUP_EXE names the setup program";
  // English unless a test says otherwise; no stored folder.
  StoreDword("OPTION_ETC", "LANGTYPE", 2);
  DeleteStored("MAIN", "SETUPFOLDER");
  recordFile_ = TempFolder() + "qx_ui_launches.txt";
  DeleteFileA(recordFile_.c_str());
  SetEnvironmentVariableA("QX_RECORD_FILE", recordFile_.c_str());
}

void SetupDialogUi::TearDown() {
  process_.reset();
  DeleteStored("OPTION_ETC", "LANGTYPE");
  DeleteStored("MAIN", "SETUPFOLDER");
  DeleteFileA(recordFile_.c_str());
}

HWND SetupDialogUi::Start(const std::string& arguments) { return StartProgram(setupExe_, arguments); }

HWND SetupDialogUi::StartProgram(const std::string& program, const std::string& arguments) {
  process_ = std::make_unique<Process>(program, arguments);
  if (!process_->Started()) return nullptr;
  return WaitForSetupDialog(process_->Id());
}

bool SetupDialogUi::AnswerBoxesUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        if (condition()) return true;
        if (HWND box = WaitForMessageBox(process_->Id(), 0)) {
          boxTexts_.push_back(MessageBoxText(box));
          Answer(box, IDOK);
        }
        return false;
      },
      timeoutMs);
}

bool SetupDialogUi::WaitForRunToEnd(HWND dialog, DWORD timeoutMs) {
  if (!AnswerBoxesUntil([&] { return ItemEnabled(dialog, kSetup); }, timeoutMs)) return false;
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
}

void SetupDialogUiJapanese::SetUp() {
  // Only the Japanese entry runs these cases (the English one filters them out): on any
  // other code page they fail rather than pass having checked nothing.
  ASSERT_EQ(GetOEMCP(), 932u) << "needs a system with code page 932 (LC_ALL=ja_JP.UTF-8)";
  SetupDialogUi::SetUp();
  DeleteStored("OPTION_ETC", "LANGTYPE");
}

}  // namespace uitest
