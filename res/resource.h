// Resource and control ids shared by the resource script and the dialogs.
#pragma once

#define IDD_LUMBREL_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_AUTORUN 130
#define IDD_OPTIONS 138

// Autorun menu
#define IDC_AUTORUN_SETUP 1000
// Both menus
#define IDC_EXIT 1002
#define IDC_HELP_DOCUMENT 1005
// Options menu
#define IDC_UNINSTALL 1003
#define IDC_OPTIONS_SETUP 1004
#define IDC_VIDEOCARD 1006
#define IDC_RUN 1007
#define IDC_DEVELOPER_WEBSITE 1011
#define IDC_GAMES_WEBSITE 1012
