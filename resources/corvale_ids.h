#pragma once

// Resource and control ids of Corvale. The numbers are fixed: language files,
// the built self-extractors and the caption tables depend on them. This file
// is read by windres as well as by the C++ code, so it holds #defines only.

// Templates
#define IDD_MAIN 101
#define IDR_MAIN_MENU 105
#define IDD_LIST_PAGE 106
#define IDD_IMAGE_PAGE 107
#define IDD_OPTIONS 108
#define IDD_ENCRYPT 110
#define IDD_PROGRESS 111
#define IDD_GENERATE 113
#define IDD_ENCRYPTED_PAGE 114
#define IDD_ABOUT 115
#define IDD_DECRYPT 116

// Icons and bitmaps
#define IDB_ABOUT_SIDE 116
#define IDI_LARGE 117
#define IDI_SMALL 118
#define IDB_ROW_MARKER 1004
#define IDB_ROW_MARKER_SELECTED 1005

// Data resources: the stored stub and the default settings text
#define RT_STORED_STUB 40
#define IDR_STORED_STUB 118
#define RT_DEFAULT_SETTINGS 41
#define IDR_DEFAULT_SETTINGS 119

// Main window (101)
#define IDC_ADD 3
#define IDC_LIST 1001
#define IDC_ADD_DESCRIPTION 1002
#define IDC_ADD_USER 1003
#define IDC_ADD_PASS 1004
#define IDC_SELECT_DESCRIPTION 1005
#define IDC_SELECT_USER 1006
#define IDC_SELECT_PASS 1007
#define IDC_DELETE 1008
#define IDC_REFRESH 1009
#define IDC_EXIT 1010
#define IDC_SHOW_ADD 1013
#define IDC_SHOW_SELECT 1014
#define IDC_CLEAN_TEXT 1016
#define IDC_TAB 1020
#define IDC_WEB_LINK 1051
#define IDC_LABEL_ADD_USER 1055
#define IDC_LABEL_SELECT_USER 1056
#define IDC_LABEL_ADD_PASS 1057
#define IDC_LABEL_ADD_DESCRIPTION 1058
#define IDC_LABEL_SELECT_PASS 1059
#define IDC_LABEL_SELECT_DESCRIPTION 1060
#define IDC_FRAME_SELECT 1061
#define IDC_FRAME_ADD 1062

// Menu commands (105)
#define ID_OPTIONS 40012
#define ID_FILE_SAVE_BMP 40017
#define ID_FILE_SAVE_ENCRYPTED_BMP 40018
#define ID_FILE_EXIT 40019
#define ID_FILE_LOAD_ENCRYPTED_BMP 40023
#define ID_FILE_LOAD_BMP 40024
#define ID_FILE_LOAD_LIST 40025
#define ID_FILE_SAVE_LIST 40026
#define ID_FILE_NEW 40028
#define ID_HELP_ABOUT 40029
#define ID_HELP_SUGGESTION 40040
#define ID_HELP_SUPPORT 40041
#define ID_HELP_GUIDE 40042
#define ID_HELP_HOME 40043

// Pages (106, 107, 114)
#define IDC_GENERATE_IMAGE 1011
#define IDC_ENCRYPT 1012
#define IDC_PICTURE 1022
#define IDC_SHOW_PASS_ON_LIST 1045
#define IDC_HSCROLL 1047
#define IDC_VSCROLL 1048
#define IDC_DECRYPT 1049
#define IDC_SPOTLIGHT_SIZE 1087
#define IDC_SPOTLIGHT 1089

// Options dialog (108)
#define IDC_TEXT_COLOR_PICK 1011
#define IDC_BK_COLOR_PICK 1012
#define IDC_EXE_PATH_SELECT 1014
#define IDC_FONT_LIST 1024
#define IDC_TEXT_COLOR_LIST 1026
#define IDC_BK_COLOR_LIST 1027
#define IDC_CLEAN_TEXT_DEFAULT 1028
#define IDC_SHOW_PASS_DEFAULT 1029
#define IDC_FONT_SIZE 1032
#define IDC_CREATE_EXE_DEFAULT 1033
#define IDC_BOLD 1035
#define IDC_EXE_PATH_DEFAULT 1042
#define IDC_FRAME_BMP 1063
#define IDC_FRAME_GENERAL 1064
#define IDC_FRAME_CREATE_EXE 1065
#define IDC_LABEL_FONT 1066
#define IDC_LABEL_COLOR 1067
#define IDC_LABEL_SIZE 1068
#define IDC_LABEL_BK_COLOR 1069
#define IDC_LANG_PATH 1080
#define IDC_LANG_SELECT 1081
#define IDC_FRAME_LANG 1082
#define IDC_TRANSLATOR 1086
#define IDC_FRAME_GENERATOR 1094
#define IDC_LABEL_GEN_LENGTH 1095
#define IDC_GEN_LENGTH 1096
#define IDC_GEN_SYMBOLS 1097

// Buttons shared by the dialogs
#define IDC_OK 1030
#define IDC_CANCEL 1031

// Encrypt (110) and Decrypt (116) dialogs
#define IDC_CREATE_EXE 1012
#define IDC_EXE_PATH_SAVE 1013
#define IDC_PASSWORD 1036
#define IDC_PASSWORD_REPEAT 1037
#define IDC_EXE_PATH 1041
#define IDC_STRENGTH 1054
#define IDC_FRAME_PASSWORD 1070
#define IDC_FRAME_EXE 1071
#define IDC_LABEL_PASSWORD 1072
#define IDC_LABEL_PASSWORD_REPEAT 1073
#define IDC_LABEL_STRENGTH 1074
#define IDC_FRAME_DECRYPT_PASSWORD 1083
#define IDC_LABEL_DECRYPT_PASSWORD 1084
#define IDC_LABEL_DECRYPT_REPEAT 1085

// Progress window (111)
#define IDC_PROGRESS_STATUS 1044
#define IDC_PROGRESS_BAR 1046

// Generate dialog (113)
#define IDC_IMAGE_SELECT 1011
#define IDC_USE_PERSONAL_COLORS 1038
#define IDC_USE_PERSONAL_IMAGE 1039
#define IDC_IMAGE_PATH 1040
#define IDC_FRAME_GENERATE 1075

// About dialog (115)
#define IDC_ABOUT_CLOSE 1010
#define IDC_ABOUT_DESCRIPTION 1053
#define IDC_ABOUT_LINK 1051
#define IDC_ABOUT_NAME 1078
#define IDC_ABOUT_INVITATION 1079

// Find dialog (122): the text, and IDC_OK (Find Next) and IDC_CANCEL (Close)
#define IDD_FIND 122
#define IDC_FIND_TEXT 1093
#define IDC_LABEL_FIND_TEXT 1098

// Protected list files: the password asked twice when saving (120) with the
// Encrypt dialog's fields, labels and strength meter, and once when opening
// (121); IDC_OK and IDC_CANCEL
#define IDD_PROTECT_LIST 120
#define IDD_OPEN_PROTECTED_LIST 121
#define IDC_PROTECT_HINT 1099

// Import CSV's preview (124): what the file holds, the first rows as they
// will be added; IDC_OK adds them, IDC_CANCEL adds nothing
#define IDD_CSV_PREVIEW 124
#define IDC_PREVIEW_SUMMARY 1108
#define IDC_PREVIEW_LIST 1109

// The guarded self-extracting file: the Encrypt dialog's box and its default in Options
#define IDC_SFX_GUARD 1090
#define IDC_SFX_GUARDED_DEFAULT 1092

// The Edit menu, Import and Export, and the main window's keyboard shortcuts
#define ID_EDIT_FIND 40070
#define ID_EDIT_FIND_NEXT 40071
#define ID_EDIT_GENERATE_PASSWORD 40072
#define ID_FILE_IMPORT_CSV 40073
#define ID_FILE_EXPORT_CSV 40074
#define ID_FILE_SAVE 40075
#define ID_FILE_LOCK 40076
#define ID_EDIT_SELECT_ALL 40077
#define ID_EDIT_DELETE 40078
// File > Recent Lists: the last five lists, newest first
#define ID_FILE_RECENT_FIRST 40080
#define ID_FILE_RECENT_LAST 40084
// The locked main window: the Unlock button and what it says
#define IDC_UNLOCK 1100
#define IDC_LOCKED_TEXT 1101
// The main window's status line, made at run time
#define IDC_STATUS_BAR 1107
// Options: how lists are saved, opened again and locked
#define IDC_FRAME_LISTS 1102
#define IDC_KEEP_PREVIOUS 1103
#define IDC_REOPEN_LAST 1104
#define IDC_LABEL_LOCK_MINUTES 1105
#define IDC_LOCK_MINUTES 1106
#define IDR_MAIN_KEYS 123

// Private messages (WM_USER + n)
// Copy commands of the list's context menu and the clipboard's clearing timer
#define ID_COPY_USER 40060
#define ID_COPY_PASS 40061
#define IDT_CLEAR_CLIPBOARD 1
#define IDT_AUTO_LOCK 2

#define WM_RELAYOUT_IMAGE 1026
