// Resource ids of quintarel.exe. The numbers are part of the program's interface: other
// processes send these command ids, and the dialogs are found by them.
#pragma once

// Icons
#define IDI_NORMAL 128
#define IDI_BUSY 129

// Strings
#define IDS_ABOUT_ITEM 101
#define IDS_BROWSE_TITLE 102
#define IDS_COMPANY 103
#define IDS_DISPLAY_NAME 104
#define IDS_WELCOME_TITLE 105
#define IDS_WELCOME_TEXT 106

// Menus and accelerators
#define IDR_TRAY_MENU 129
#define IDR_MULTIRUN_MENU 139
#define IDR_MULTIRUN_ACCEL 141

// Commands of MainWindow (tray command popup)
#define IDM_EXIT 32771
#define IDM_SHOW_FOLDER_SETTINGS 32772
#define IDM_STANDARD_DETAIL 32775
#define IDM_MENU_UPDATE 32777
#define IDM_HOTKEY_SETTINGS 32780
#define IDM_MULTI_RUN 32781
#define IDM_ABOUT 0x0010

// Commands of MultiRunWindow
#define IDM_KEEP_LIST 32782
#define IDM_KEEP_WINDOW 32783
#define IDM_SAVE_LIST 32784
#define IDM_OPEN_LIST 32785

// About box
#define IDD_ABOUT 100

// Folder settings window (MainWindow's face)
#define IDD_FOLDER_SETTINGS 102
#define IDC_FOLDER_ADD 4
#define IDC_FOLDER_DELETE 3
#define IDC_FOLDER_LIST 1004
#define IDC_FOLDER_DETAIL 5
#define IDC_FOLDER_STANDARD 1032
#define IDC_CURRENT_FOLDER 1000

// Detail settings dialog
#define IDD_DETAIL_SETTINGS 131
#define IDC_PRINT_ENT 1005
#define IDC_PRINT_LNK 1006
#define IDC_MODE_NAME 1011
#define IDC_MODE_ICON 1012
#define IDC_MODE_BOTH 1013
#define IDC_ICON_LARGE 1008
#define IDC_ICON_SMALL 1009
#define IDC_RATIO_TRACK 1014
#define IDC_RATIO_LABEL 1015
#define IDC_HEIGHT_SPACE 1042
#define IDC_HEIGHT_SPACE_SPIN 1041
#define IDC_STRINGS_NUMBER 1021
#define IDC_STRINGS_NUMBER_SPIN 1022
#define IDC_PRINT_MYSELF 1019
#define IDC_STRINGS_RESET 1023
#define IDC_DETAIL_HOTKEY 1037
#define IDC_DETAIL_HOTKEY_DELETE 5
#define IDC_DETAIL_ICON 1039
#define IDC_FONT_SAMPLE 1044
#define IDC_FONT_CHOOSE 6
#define IDC_FONT_RESET 7
#define IDC_BACKGROUND 8
#define IDC_FOLDER_MENU 1045

// Hot key dialog
#define IDD_HOTKEY 135
#define IDC_HOTKEY 1037
#define IDC_HOTKEY_DELETE 3

// Launch-parameter prompt
#define IDD_PARAM_PROMPT 136
#define IDC_PARAM_COMBO 1047

// Multiple-execution window
#define IDD_MULTI_RUN 137
#define IDC_RUN_LIST 1049
#define IDC_RUN_UP 1050
#define IDC_RUN_REMOVE 3
#define IDC_RUN_DOWN 1051
#define IDC_RUN_PARAM 1054
#define IDC_RUN_ORDERED 1040
#define IDC_RUN_PANEL 1056
#define IDC_REGISTERED_LISTS 1071
#define IDC_RUN_ON_WAKEUP 1072
#define IDC_RUN_HOTKEY 1068
#define IDC_RUN_HOTKEY_SET 4
#define IDC_RUN_HOTKEY_DELETE 6

// Static controls without an id of their own
#define IDC_STATIC_TEXT -1
