// Ids of the small dialog program on which the end-to-end driver tests itself.
#pragma once

#define IDD_DRIVER_TEST 100
#define IDR_DRIVER_TEST_MENU 101
#define IDI_DRIVER_TEST 102

#define IDC_NAME 1001
#define IDC_LOUD 1002
#define IDC_GREET 1003
#define IDC_ANSWER 1004
#define IDC_SYSTEM 1005

#define IDM_OPTION 40001
#define IDM_GREYED 40002
#define IDM_EXIT 40003
