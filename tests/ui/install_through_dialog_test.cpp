// A whole installation and removal with the shipping setup program (packed with the
// sample product), clicked through its dialog as a user would: Setup, Start launching the
// installed program, then the Add/Remove Programs command and Uninstall.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "tests/support/ui_driver.h"
#include "tests/ui/setup_dialog_fixture.h"
#include "text/language.h"
#include "text/message_catalog.h"

namespace {

using namespace uitest;

constexpr char kUninstallEntryKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\QuorVEX";
constexpr char kClientKey[] = "Software\\Clients\\Internet Call\\Quorvex";
constexpr char kSampleBoxText[] = "QuorVEX sample product.";  // what the sample QuorVEX.exe shows
constexpr DWORD kRunTimeoutMs = 120000;

// Final status texts of the runs.
constexpr int kInstallCompletedText = 433, kUninstallCompletedText = 303;
// The program group below the Start menu's Programs folder, and the maker folder above it.
constexpr int kMakerFolderText = 31, kGroupFolderText = 32;

std::string SpecialFolder(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? std::string(path) : std::string();
}

// Removes a file or a folder with everything in it; nothing happens when it is not there.
void DeleteTree(const std::string& path) {
  if (!FileExists(path)) return;
  std::vector<char> from(path.begin(), path.end());
  from.push_back('\0');
  from.push_back('\0');  // the list of names ends with an empty one
  SHFILEOPSTRUCTA operation{};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.data();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&operation);
}

class InstallThroughDialog {
 public:
  InstallThroughDialog(int languageIndex, std::string folder)
      : language_(languageIndex), folder_(std::move(folder)) {}
  ~InstallThroughDialog() { CleanUp(); }

  // Everything the runs create, so that no later test sees an installed product.
  void CleanUp() const {
    DeleteTree(folder_);
    DeleteTree(SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\QuorVEX.lnk");
    DeleteTree(SpecialFolder(CSIDL_PROGRAMS) + CatalogTextIn(kMakerFolderText, language_));
    SHDeleteKeyA(HKEY_CURRENT_USER, kUninstallEntryKey);
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kClientKey);
  }

  const std::string& Folder() const { return folder_; }
  std::string InFolder(const char* name) const { return folder_ + "\\" + name; }
  std::string Text(int id) const { return CatalogTextIn(id, language_); }
  std::string DesktopShortcut() const { return SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\QuorVEX.lnk"; }
  std::string ProgramGroup() const { return SpecialFolder(CSIDL_PROGRAMS) + Text(kGroupFolderText); }

 private:
  int language_;
  std::string folder_;
};

// Install mode of the packed program: Setup → Running → Completed, then Start launches the
// installed QuorVEX.exe and the dialog closes. Then the uninstall command that the install
// wrote for Add/Remove Programs: Uninstall → Running → Completed (Start stays disabled),
// and Exit closes without a question.
template <class Base>
class InstallFlow : public Base {
 protected:
  void InstallStartAndUninstall(const InstallThroughDialog& product);
};

template <class Base>
void InstallFlow<Base>::InstallStartAndUninstall(const InstallThroughDialog& product) {
  const std::string packed = WindowsPath("QX_PACKED_SETUP_EXE");
  ASSERT_TRUE(FileExists(packed)) << "QX_PACKED_SETUP_EXE names the packed setup program";
  product.CleanUp();
  std::vector<std::string>& boxTexts = this->boxTexts_;
  const auto shownBoxes = [&boxTexts] {
    std::string all;
    for (const std::string& text : boxTexts) all += "[" + text + "] ";
    return all;
  };

  // --- Install ---
  HWND dialog = this->StartProgram(packed, "");
  ASSERT_TRUE(dialog);
  SetDlgItemTextA(dialog, kFolder, product.Folder().c_str());  // typed by the user
  ASSERT_TRUE(ItemEnabled(dialog, kSetup));
  // The Running state is checked where a box holds the run (AFailingRunEndsInReady): here
  // the run may end before any check could look.
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(this->WaitForRunToEnd(dialog, kRunTimeoutMs));
  EXPECT_TRUE(boxTexts.empty()) << "a successful run shows no box: " << shownBoxes();
  // Completed in install mode: Start enabled.
  EXPECT_TRUE(ItemEnabled(dialog, kStart));
  EXPECT_TRUE(ItemEnabled(dialog, kBrowse));
  EXPECT_EQ(ItemText(dialog, kStatus), product.Text(kInstallCompletedText));

  // What the run made.
  for (const char* name : {"QuorVEX.exe", "bin\\quorvex_codec.dll", "readme.txt", "QuorVEXSetup.exe", "Uninstall.txt"})
    EXPECT_TRUE(FileExists(product.InFolder(name))) << name;
  EXPECT_TRUE(FileExists(product.DesktopShortcut()));
  EXPECT_TRUE(FileExists(product.ProgramGroup()));
  const std::string storedFolder =
      ReadRegistryString(HKEY_CURRENT_USER, std::string(kSettingsKey) + "\\MAIN", "SETUPFOLDER");
  EXPECT_EQ(storedFolder.rfind(product.Folder(), 0), 0u) << storedFolder;
  const std::string uninstallCommand = ReadRegistryString(HKEY_CURRENT_USER, kUninstallEntryKey, "UninstallString");
  EXPECT_EQ(uninstallCommand, product.InFolder("QuorVEXSetup.exe -u"));

  // The bar after the last progress message: one entry short of the area's right edge.
  const int entries = CountProductFiles(product.Folder());
  ASSERT_GT(entries, 1);
  const RECT area = ItemScreenRect(dialog, kProgressArea);
  const int width = area.right - area.left;
  const int bar = (entries - 1) * width / entries;
  const Image shot = CaptureScreen(RECT{area.left, area.top, area.right + 2, area.bottom});
  const int middle = shot.height / 2;
  EXPECT_EQ(shot.At(bar / 2, middle), RGB(192, 192, 192)) << "filled";
  EXPECT_EQ(shot.At(bar - 1, middle), RGB(0, 0, 0)) << "the bar's right edge, " << bar << " of " << width << " px";
  EXPECT_EQ(shot.At(bar + 1, middle), RGB(255, 255, 255)) << "nothing past the bar";

  // Start launches the installed program and closes the dialog without a question.
  Click(dialog, kStart);
  EXPECT_TRUE(this->process_->WaitForExit(15000)) << "the dialog closes after the launch";
  HWND sample = WaitForAnyMessageBoxSaying(kSampleBoxText, 30000);
  ASSERT_TRUE(sample) << "the installed QuorVEX.exe shows its box";
  EXPECT_EQ(ProgramOfWindow(sample), product.InFolder("QuorVEX.exe"));
  Answer(sample, IDOK);

  // --- Uninstall, with the command of the Add/Remove Programs entry ---
  ASSERT_GT(uninstallCommand.size(), 3u);
  ASSERT_EQ(uninstallCommand.substr(uninstallCommand.size() - 3), " -u");
  dialog = this->StartProgram(uninstallCommand.substr(0, uninstallCommand.size() - 3), "-u");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ItemText(dialog, kSetup), "Uninstall");
  EXPECT_EQ(ItemText(dialog, kWelcome), product.Text(153));
  EXPECT_FALSE(ItemEnabled(dialog, kFolder));
  EXPECT_EQ(ItemText(dialog, kFolder), storedFolder) << "the folder the install stored";
  EXPECT_FALSE(ItemEnabled(dialog, kStart));
  // The Running state is checked where a box holds the run (AFailingRunEndsInReady).
  ASSERT_TRUE(ClickAndWait(dialog, kSetup));
  ASSERT_TRUE(this->WaitForRunToEnd(dialog, kRunTimeoutMs));
  EXPECT_TRUE(boxTexts.empty()) << "a successful run shows no box: " << shownBoxes();
  EXPECT_EQ(ItemText(dialog, kStatus), product.Text(kUninstallCompletedText));
  EXPECT_FALSE(ItemEnabled(dialog, kStart)) << "completed in uninstall mode: Start stays disabled";

  for (const char* name : {"QuorVEX.exe", "bin\\quorvex_codec.dll", "readme.txt", "Uninstall.txt"})
    EXPECT_FALSE(FileExists(product.InFolder(name))) << name;
  EXPECT_FALSE(FileExists(product.DesktopShortcut()));
  EXPECT_FALSE(FileExists(product.ProgramGroup()));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kUninstallEntryKey));
  EXPECT_FALSE(RegistryKeyExists(HKEY_LOCAL_MACHINE, kClientKey));
  EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, kSettingsKey));

  // Completed: Exit closes at once, without a question.
  Click(dialog, kExit);
  EXPECT_TRUE(this->process_->WaitForExit(15000));
}

using InstallThroughDialogUi = InstallFlow<SetupDialogUi>;
using InstallThroughDialogUiJapanese = InstallFlow<SetupDialogUiJapanese>;

TEST_F(InstallThroughDialogUi, InstallsStartsAndUninstallsInEnglish) {
  const InstallThroughDialog product(language::kEnglish, TempFolder() + "qx_ui_product");
  InstallStartAndUninstall(product);
}

// The folder's name ends in a double-byte character whose trail byte is 0x5C ("表" in
// code page 932): Start must still add the separator before "QuorVEX.exe".
TEST_F(InstallThroughDialogUiJapanese, InstallsStartsAndUninstallsInJapanese) {
  const InstallThroughDialog product(language::kJapanese, TempFolder() + "qx_ui_\x95\x5c");
  InstallStartAndUninstall(product);
}

}  // namespace
