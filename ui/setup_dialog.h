// The setup dialog: the only window of the program. One class serves both modes: install
// (pick a folder, press Setup) and uninstall ("-u" on the command line). It starts the one
// worker thread of a run, takes the run's completion signal, keeps the buttons enabled by
// fixed rules, forwards progress to its painting and launches the installed program.
#pragma once

#include <windows.h>

#include "platform/dialog.h"
#include "platform/unique_handle.h"
#include "ui/controls/folder_edit.h"
#include "ui/controls/link_static.h"
#include "ui/controls/round_button.h"
#include "ui/dialog_run_host.h"

class SetupDialog : public platform::Dialog {
 public:
  // uninstallMode: the start-up's reading of the command line.
  SetupDialog(UINT templateId, HWND parent, bool uninstallMode);
  ~SetupDialog() override;

  bool UninstallMode() const { return uninstallMode_; }

 protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
  BOOL OnInitDialog() override;
  void OnOK() override {}  // Enter never closes the dialog
  void OnCancel() override;
  bool OnCommand(UINT id, UINT notifyCode, HWND control) override;

 private:
  void AddAboutMenuItem();
  void ApplyUninstallTexts();
  void LoadSkinImage();
  void AttachControls();
  void FillFolderField();

  void OnSetup();
  void OnStart();
  void OnBrowse();
  void OnProgress(WPARAM position, LPARAM total);
  void OnSysCommand(UINT id, LPARAM lParam, bool& handled);
  void UpdateButtons();

  // Painting (setup_dialog_paint.cpp).
  void OnPaint();
  void PaintMinimised();
  void PaintSkinImage(HDC dc);
  void PaintProgressBar(HDC dc);
  RECT ItemRectInDialog(int id) const;

  static unsigned __stdcall WorkerMain(void* parameter);
  void WaitForFinishedWorker();

  ui::DialogRunHost runHost_;  // holds the failure flag
  const bool uninstallMode_;
  HRSRC skinResource_ = nullptr;
  HGLOBAL skinImage_ = nullptr;  // null: no banner drawn
  ui::LinkStatic welcomeText_;   // 1002
  ui::LinkStatic folderLabel_;   // 1004
  ui::LinkStatic statusLine_;    // 1008
  ui::LinkStatic footerLink_;    // 1016
  ui::RoundButton browseButton_; // 1006
  ui::RoundButton setupButton_;  // 1000
  ui::RoundButton startButton_;  // 1001
  ui::RoundButton exitButton_;   // 2
  ui::FolderEdit folderField_;   // 1012
  platform::UniqueHandle worker_;          // valid exactly while a run is in progress
  platform::UniqueHandle finishedWorker_;  // a run that signalled completion, still ending
  platform::UniqueFont textFont_;
  bool completed_ = false;
  int progressPosition_ = 0;
  int progressTotal_ = 0;
  HICON icon_ = nullptr;  // a resource of the program: not destroyed
};
