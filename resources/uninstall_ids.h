// Control ids and resource ids of Uninstall's window, shared by its resource script and
// the window's controller.
#pragma once

#define IDI_UNINSTALL 109
#define IDB_UNINSTALL_SIDE 117

// The rows' "Done!" labels: program files, program folders, registry entries.
#define IDC_DONE_FILES 1048
#define IDC_DONE_FOLDERS 1049
#define IDC_DONE_REGISTRY 1050

#define IDC_UNINSTALL_PROGRESS 1028
#define IDC_UNINSTALL_COMPLETED 1045
#define IDC_UNINSTALL_START 1021
#define IDC_UNINSTALL_OK 1020
