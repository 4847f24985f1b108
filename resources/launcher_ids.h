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
