// Control, command and template ids of the launcher's windows, shared by its resource
// script and the code that drives the windows.
#pragma once

// Main window: the game buttons, the status line and the "Currently Installed Battle:"
// labels.
#define IDC_BUTTON_TIE 1052
#define IDC_BUTTON_XVT 1053
#define IDC_BUTTON_BOP 1054
#define IDC_BUTTON_XWA 1055
#define IDC_STATUS_LINE 1068
#define IDC_STATUS_LABEL 1074
#define IDC_BATTLE_TIE 1062
#define IDC_BATTLE_XVT 1061
#define IDC_BATTLE_BOP 1064
#define IDC_BATTLE_XWA 1063

// The main window's menu and its commands.
#define IDR_MAIN_MENU 121
#define IDM_LOAD_BATTLE 40020
#define IDM_DIRECTORIES 40008
#define IDM_EXIT 40004
#define IDM_TIE_REBEL_FIGHTERS 40014
#define IDM_TIE_TRANSPORTS 40010
#define IDM_TIE_BRIEFING_AUDIO 40012
#define IDM_XVT_TRANSPORTS 40017
#define IDM_BOP_TRANSPORTS 40019
#define IDM_XWA_PILOT_OPTIONS 40013
#define IDM_XWA_BRIEFING_AUDIO 40011
#define IDM_HELP_CONTENTS 40005
#define IDM_ABOUT 40006
// Posted by the main window to itself when another start of the launcher handed it a
// package; no menu item or control has it.
#define IDM_LOAD_HANDED_OVER 40100

// Icon and bitmaps: the program's icon, the four game buttons, the splash picture and
// the About dialog's picture.
#define IDI_VNTL 148
#define IDB_BUTTON_TIE 133
#define IDB_BUTTON_XVT 120
#define IDB_BUTTON_BOP 130
#define IDB_BUTTON_XWA 132
#define IDB_SPLASH 111
#define IDB_ABOUT 152

// SPLASH: the picture.
#define IDC_SPLASH_PICTURE 1000

// PATH, the Directories dialog: a folder field and a Browse button per game, and its
// two buttons.
#define IDC_FOLDER_TIE 1046
#define IDC_FOLDER_XVT 1047
#define IDC_FOLDER_BOP 1048
#define IDC_FOLDER_XWA 1049
#define IDC_BROWSE_TIE 1036
#define IDC_BROWSE_XVT 1037
#define IDC_BROWSE_BOP 1038
#define IDC_BROWSE_XWA 1039
#define IDC_DIRECTORIES_OK 1050
#define IDC_DIRECTORIES_CANCEL 1051

// ABOUT: the picture that reports clicks and the four links.
#define IDC_ABOUT_PICTURE 1076
#define IDC_LINK_HOME 1071
#define IDC_LINK_OFFICE 1072
#define IDC_LINK_MAIL 1073
#define IDC_LINK_BATTLES 1074

// The STATUS progress window and its bar.
#define IDC_PROGRESS_BAR 1065

// The commands a dialog gets from the Enter and Esc keys (IDOK and IDCANCEL); buttons
// with these ids act as the keys do.
#define IDC_DIALOG_OK 1
#define IDC_DIALOG_CANCEL 2

// XWA_PILOT: X-Wing Alliance's pilot roster.
#define IDC_PILOT_LIST 1034
#define IDC_NEW_PILOT 1036
#define IDC_DELETE_PILOT 1037
#define IDC_PILOT_CANCEL 1051
#define IDC_PILOT_OK 1054

// XWA_NEW_PILOT: a new pilot's name and the box that prepares it for KZ battles. Its
// edit field has the id of the roster's list; the two never share a dialog.
#define IDC_NEW_PILOT_NAME 1034
#define IDC_PREPARE_KZ 1060
