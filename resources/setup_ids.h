// Control ids and resource ids of Setup's pages, shared by its resource script and the
// pages' controllers. Ids repeat between pages; no two of one page are the same.
#pragma once

// The program's icon, shown as every page's big icon, and the Welcome page's picture.
#define IDI_SETUP 101
#define IDB_SETUP_WELCOME 102

// The Cancel button of every page (No on Agreement): it asks whether to quit.
#define IDC_SETUP_CANCEL 1020

// Welcome.
#define IDC_WELCOME_NEXT 1012

// Agreement: the disclaimer and the answers.
#define IDC_AGREEMENT_TEXT 1017
#define IDC_AGREEMENT_YES 1029
#define IDC_AGREEMENT_BACK 1030

// Destination: the folder and its buttons.
#define IDC_DESTINATION_BROWSE 1026
#define IDC_DESTINATION_BACK 1034
#define IDC_DESTINATION_NEXT 1035
#define IDC_DESTINATION_FOLDER 1040

// Copy: the entry being unpacked and the bar of the whole package.
#define IDC_COPY_PROGRESS 1028
#define IDC_COPY_START 1032
#define IDC_COPY_BACK 1033
#define IDC_COPY_ENTRY 1041

// End: the last two steps and the buttons.
#define IDC_END_FINISH 1024
#define IDC_END_BACK 1025
#define IDC_END_DESKTOP_SHORTCUT 1027
#define IDC_END_VIEW_README 1028

// Quit: the question whether to leave Setup.
#define IDC_QUIT_RESUME 1042
#define IDC_QUIT_EXIT 1043
