// Control, command and template ids of the launcher's windows, shared by its resource
// script and the code that drives the windows.
#pragma once

// Main window: the status line and the "Currently Installed Battle:" labels.
#define IDC_STATUS_LINE 1068
#define IDC_STATUS_LABEL 1074
#define IDC_BATTLE_TIE 1062
#define IDC_BATTLE_XVT 1061
#define IDC_BATTLE_BOP 1064
#define IDC_BATTLE_XWA 1063

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
