#include "ui/setup_dialog.h"

#include <richedit.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/settings_store.h"
#include "app/setup_folder.h"
#include "install/install_run.h"
#include "install/target_folder.h"
#include "net/notice_server.h"
#include "platform/application.h"
#include "platform/worker_thread.h"
#include "res/resource_ids.h"
#include "text/language.h"
#include "text/message_catalog.h"
#include "text/path_walk.h"
#include "ui/about_dialog.h"
#include "ui/button_enabling.h"
#include "ui/folder_browser.h"
#include "ui/message_box.h"
#include "uninstall/uninstall_run.h"

namespace {

// Control and resource ids of the templates (res/resource_ids.h).
constexpr int kWelcomeTextId = IDC_WELCOME_TEXT;
constexpr int kFolderLabelId = IDC_FOLDER_LABEL;
constexpr int kBrowseButtonId = IDC_BROWSE_BUTTON;
constexpr int kStartButtonId = IDC_START_BUTTON;
constexpr int kExitButtonId = IDCANCEL;
constexpr int kFooterLinkId = IDC_FOOTER_LINK;
constexpr int kDecorationIconId = IDC_SETUP_ICON;

constexpr UINT kAboutCommandId = 16;
constexpr UINT kAboutMenuStringId = IDS_ABOUTBOX;
constexpr WORD kIconId = IDR_MAINFRAME;
constexpr WORD kSkinImageId = IDR_SKIN;
constexpr char kSkinImageType[] = "BITMAP256";
constexpr UINT kHandCursorId = IDC_HAND_CURSOR;
constexpr COLORREF kLinkHoverColour = RGB(255, 128, 64);

constexpr char kUninstallCaption[] = "Uninstall";
constexpr char kProgramName[] = "QuorVEX.exe";
constexpr int kFolderTextLimit = 259;
constexpr int kStartFolderBufferSize = 520;

// Messages of the catalog.
constexpr int kUninstallWelcomeMessage = 153;
constexpr int kProgramNotFoundMessage = 138;
constexpr int kUninstallNotCompletedMessage = 304;
constexpr int kSetupNotCompletedMessage = 434;
constexpr int kSkinNotFoundMessage = 829;
constexpr int kSkinNotLoadedMessage = 830;

// A finished run has posted its completion and only releases its own objects; this bounds
// the wait for it, should a run ever misbehave.
constexpr DWORD kFinishedWorkerWaitMs = 10000;

std::string WindowText(HWND window, int bufferSize) {
  std::vector<char> buffer(static_cast<std::size_t>(bufferSize), '\0');
  const int copied = GetWindowTextA(window, buffer.data(), bufferSize);
  return std::string(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

// Folder + "\" unless it already ends with one + the program's name. Scans by character so
// that a trail byte 0x5C of a double-byte character is not taken for a separator.
std::string ProgramPathIn(const std::string& folder) {
  bool endsWithSeparator = false;
  for (const PathCharacter c : PathCharacters(folder, IsSystemLeadByte)) endsWithSeparator = c.Is('\\');
  return folder + (endsWithSeparator ? "" : "\\") + kProgramName;
}

}  // namespace

SetupDialog::SetupDialog(UINT templateId, HWND parent, bool uninstallMode)
    : platform::Dialog(templateId, parent),
      uninstallMode_(uninstallMode),
      icon_(LoadIconA(platform::ProgramModule(), MAKEINTRESOURCEA(kIconId))) {}

SetupDialog::~SetupDialog() {
  // A run whose Exit was confirmed ended the process already (OnCancel); what is left is
  // at most a run that has signalled completion and is releasing its objects.
  WaitForFinishedWorker();
}

bool SetupDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(icon_);
      return true;
    case ui::kProgressMessage:
      OnProgress(wParam, lParam);
      result = 0;
      return true;
    case ui::kStatusMessage:
      SetDlgItemTextA(Hwnd(), ui::kStatusLineId, runHost_.TakeStatusText().c_str());
      result = 0;
      return true;
    case WM_SYSCOMMAND: {
      bool handled = false;
      OnSysCommand(static_cast<UINT>(wParam), lParam, handled);
      result = 0;
      return handled;
    }
    default:
      return platform::Dialog::OnMessage(message, wParam, lParam, result);
  }
}

bool SetupDialog::OnCommand(UINT id, UINT code, HWND) {
  // A double-click sends BN_CLICKED, then BN_DOUBLECLICKED: only the click acts. The run's
  // completion post comes as code 0, like a click.
  if (code != BN_CLICKED) return false;
  switch (id) {
    case ui::kSetupCommandId:
      OnSetup();
      return true;
    case kStartButtonId:
      OnStart();
      return true;
    case kBrowseButtonId:
      OnBrowse();
      return true;
    case kDecorationIconId:  // the decoration's click does nothing
      return true;
    default:
      return false;
  }
}

BOOL SetupDialog::OnInitDialog() {
  if (platform::Application* app = platform::Application::Instance()) app->SetMainWindow(Hwnd());
  runHost_.Attach(Hwnd());

  AddAboutMenuItem();
  if (uninstallMode_) ApplyUninstallTexts();
  LoadSkinImage();
  SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  // One font for both languages: the Japanese face also has the Latin letters.
  textFont_.Reset(CreateFontA(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_STROKE_PRECIS,
                              CLIP_STROKE_PRECIS, PROOF_QUALITY, FF_MODERN | VARIABLE_PITCH, "MS UI Gothic"));
  AttachControls();
  FillFolderField();
  UpdateButtons();
  return TRUE;
}

void SetupDialog::AddAboutMenuItem() {
  HMENU systemMenu = GetSystemMenu(Hwnd(), FALSE);
  if (!systemMenu) return;
  // The resource text is Japanese in both languages; read as UTF-16 so it stays readable
  // whatever the system's code page.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(platform::ProgramModule(), kAboutMenuStringId, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0) return;
  std::vector<wchar_t> item(text, text + length);  // the resource's text has no terminator
  item.push_back(L'\0');
  AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(systemMenu, MF_STRING, kAboutCommandId, item.data());
}

void SetupDialog::ApplyUninstallTexts() {
  SetDlgItemTextA(Hwnd(), kWelcomeTextId, CatalogText(kUninstallWelcomeMessage));
  ShowWindow(Item(kBrowseButtonId), SW_HIDE);
  SetDlgItemTextA(Hwnd(), ui::kSetupCommandId, kUninstallCaption);
  EnableWindow(Item(ui::kFolderFieldId), FALSE);
}

void SetupDialog::LoadSkinImage() {
  HINSTANCE module = platform::ProgramModule();
  skinResource_ = FindResourceA(module, MAKEINTRESOURCEA(kSkinImageId), kSkinImageType);
  if (!skinResource_) {
    ShowMessage(CatalogText(kSkinNotFoundMessage), MB_ICONHAND);
    return;
  }
  skinImage_ = LoadResource(module, skinResource_);
  if (!skinImage_) ShowMessage(CatalogText(kSkinNotLoadedMessage), MB_ICONHAND);
}

void SetupDialog::AttachControls() {
  welcomeText_.SubclassDlgItem(kWelcomeTextId, Hwnd());
  folderLabel_.SubclassDlgItem(kFolderLabelId, Hwnd());
  statusLine_.SubclassDlgItem(ui::kStatusLineId, Hwnd());
  footerLink_.SubclassDlgItem(kFooterLinkId, Hwnd());

  const std::string url = std::string("http://") + GetNoticeHost() + "/index.htm";
  footerLink_.SetLink(kLinkHoverColour, kHandCursorId, url.c_str());

  // The footer keeps the template's font.
  const auto font = reinterpret_cast<WPARAM>(textFont_.Get());
  for (int id : {kWelcomeTextId, kFolderLabelId, ui::kStatusLineId}) SendDlgItemMessageA(Hwnd(), id, WM_SETFONT, font, FALSE);

  browseButton_.SubclassDlgItem(kBrowseButtonId, Hwnd());
  setupButton_.SubclassDlgItem(ui::kSetupCommandId, Hwnd());
  startButton_.SubclassDlgItem(kStartButtonId, Hwnd());
  exitButton_.SubclassDlgItem(kExitButtonId, Hwnd());
  for (int id : {kBrowseButtonId, static_cast<int>(ui::kSetupCommandId), kStartButtonId, kExitButtonId})
    SendDlgItemMessageA(Hwnd(), id, WM_SETFONT, font, FALSE);

  folderField_.SubclassDlgItem(ui::kFolderFieldId, Hwnd());
  folderField_.SetFont(textFont_.Get());
  SendDlgItemMessageA(Hwnd(), ui::kFolderFieldId, EM_SETBKGNDCOLOR, 0, RGB(255, 255, 255));
  folderField_.SetTextColor(RGB(0, 0, 0));
  SendDlgItemMessageA(Hwnd(), ui::kFolderFieldId, EM_LIMITTEXT, kFolderTextLimit, 0);
}

void SetupDialog::FillFolderField() {
  SetDlgItemTextA(Hwnd(), ui::kFolderFieldId, InitialSetupFolder(uninstallMode_).c_str());
}

void SetupDialog::UpdateButtons() {
  const ui::ButtonEnabling enabled = ui::EnabledButtons(worker_.IsValid(), completed_, uninstallMode_);
  EnableWindow(Item(kStartButtonId), enabled.start);
  EnableWindow(Item(ui::kSetupCommandId), enabled.setup);
  EnableWindow(Item(kBrowseButtonId), enabled.browse);
}

// One command, two events: a press of the button when no run is in progress, the run's
// completion signal while one is.
void SetupDialog::OnSetup() {
  if (!worker_) {
    completed_ = false;
    runHost_.BeginRun();
    EnableWindow(Item(ui::kSetupCommandId), FALSE);
    WaitForFinishedWorker();
    worker_ = platform::BeginWorkerThread(&SetupDialog::WorkerMain, this);
  } else {
    // The button is disabled during a run; anything but the run's own post is ignored.
    if (!runHost_.TakeCompletion()) return;
    completed_ = false;
    finishedWorker_ = std::move(worker_);
    EnableWindow(Item(ui::kSetupCommandId), TRUE);
    if (!runHost_.Failed()) completed_ = true;
  }
  UpdateButtons();
}

unsigned __stdcall SetupDialog::WorkerMain(void* parameter) {
  auto* dialog = static_cast<SetupDialog*>(parameter);
  if (dialog->uninstallMode_)
    RunUninstall(dialog->runHost_);
  else
    RunInstall(dialog->runHost_);
  return 0;
}

void SetupDialog::WaitForFinishedWorker() {
  if (!finishedWorker_) return;
  WaitForSingleObject(finishedWorker_.Get(), kFinishedWorkerWaitMs);
  finishedWorker_.Reset();
}

void SetupDialog::OnProgress(WPARAM position, LPARAM total) {
  int index = static_cast<int>(position);
  int count = static_cast<int>(total);
  runHost_.TakeNewestProgress(index, count);
  const RECT area = ItemRectInDialog(IDC_PROGRESS_AREA);
  InvalidateRect(Hwnd(), &area, FALSE);
  progressPosition_ = index;
  progressTotal_ = count;
}

void SetupDialog::OnStart() {
  const std::string folder = WindowText(Item(ui::kFolderFieldId), kStartFolderBufferSize);
  const std::string program = ProgramPathIn(folder);
  const auto launched = reinterpret_cast<INT_PTR>(ShellExecuteA(Hwnd(), "open", program.c_str(), "", "", SW_SHOW));
  if (launched > 32) {
    OnCancel();  // completed: closes without a question
    return;
  }
  platform::AppMessageBox(CatalogText(kProgramNotFoundMessage), MB_ICONEXCLAMATION);
}

void SetupDialog::OnBrowse() {
  char path[MAX_PATH] = {};
  if (ui::BrowseForFolder(Hwnd(), path) == 1) SetDlgItemTextA(Hwnd(), ui::kFolderFieldId, path);
}

void SetupDialog::OnCancel() {
  if (!completed_) {
    const int question = uninstallMode_ ? kUninstallNotCompletedMessage : kSetupNotCompletedMessage;
    if (ShowMessage(CatalogText(question), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  }
  if (worker_) {
    // Leaving during a run abandons it. The worker works with this dialog until its very
    // last post, so the process ends here, at once: the worker stops with it and can never
    // reach a dialog that is gone. Nothing of the run is rolled back.
    TerminateProcess(GetCurrentProcess(), 0);
  }
  skinImage_ = nullptr;
  EndDialog(IDCANCEL);
}

void SetupDialog::OnSysCommand(UINT id, LPARAM, bool& handled) {
  if ((id & 0xFFF0) != kAboutCommandId) return;  // default processing
  handled = true;
  // The rule is applied again now: the setting may have changed since start-up.
  const unsigned aboutTemplate =
      language::AboutTemplateFor(ReadSettingDword("OPTION_ETC", "LANGTYPE", 0), GetOEMCP());
  // Owned by the setup dialog: centred on it, and the dialog stays disabled behind it.
  ui::AboutDialog about(aboutTemplate, Hwnd());
  about.DoModal();
}
