// Resource and control ids of the Setup Application, shared by the resource script and the code.
#pragma once

#define IDD_ABOUT_JAPANESE 100
#define IDD_SETUP_JAPANESE 102
#define IDD_SETUP_ENGLISH 103
#define IDD_ABOUT_ENGLISH 104

#define IDR_MAINFRAME 128  // colour setup icon
#define IDI_SETUP_GREY 129
#define IDR_SKIN 133       // type "BITMAP256"
#define IDC_HAND_CURSOR 162

#define IDS_ABOUTBOX 101
#define IDS_SOCKETS_INIT_FAILED 103

#define IDC_SETUP_BUTTON 1000
#define IDC_START_BUTTON 1001
#define IDC_WELCOME_TEXT 1002
#define IDC_FOLDER_LABEL 1004
#define IDC_BROWSE_BUTTON 1006
#define IDC_STATUS_TEXT 1008
#define IDC_PROGRESS_AREA 1009
#define IDC_FOLDER_FIELD 1012
#define IDC_SETUP_ICON 1014
#define IDC_IMAGE_ANCHOR 1015
#define IDC_FOOTER_LINK 1016
