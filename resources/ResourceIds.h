#pragma once
// Every resource number of the program, by name. The numbers are fixed:
// other parts of the program, stored data and the help text refer to them.

// Icons
#define IDI_APP 128
#define IDI_COMPUTER 132
#define IDI_DESKTOP 134

// Sidebar category bitmaps
#define IDB_SB_CLICKED 136
#define IDB_SB_HOT 137
#define IDB_SB_NORMAL 138
#define IDB_SB_NORMAL_SELECTED_R 142
#define IDB_SB_NORMAL_SELECTED_L 143
#define IDB_SB_CLICKED_SELECTED_L 144
#define IDB_SB_CLICKED_SELECTED_R 145
#define IDB_SB_HOT_SELECTED_L 146
#define IDB_SB_HOT_SELECTED_R 147

// Controls without an identifier of their own
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_MAIN 10002
#define IDD_OPTIONS 220
#define IDD_NEW_DOCUMENT 223
#define IDD_INPUT_TEXT 40001

// Menus
#define IDR_TRAY_MENU 219

// Shell layer: context menu and its own commands
#define IDR_SHELL_CONTEXT_MENU 178
#define ID_SHELL_COPY_FOLDER_PATH 32785
#define ID_SHELL_ADD_SHORTCUT 32855
#define ID_SHELL_ADD_CATEGORY 32856
#define ID_SHELL_STAT 32870
#define ID_SHELL_NEW_FOLDER 33009

// Tray menu commands
#define ID_TRAY_EXIT 32990
#define ID_TRAY_OPTIONS 32992
#define ID_TRAY_ABOUT 32994
#define ID_TRAY_HELP 32996
#define ID_TRAY_SUPPORT 32998
#define ID_TRAY_UPDATES 33002

// System-menu command of the main window (low four bits stay free for the system)
#define IDM_ABOUTBOX 0x0010

// Controls: About box
#define IDC_ABOUT_SUPPORT_LINK 1138
#define IDC_ABOUT_TEXT 1140
#define IDC_ABOUT_WEB_LINK 1141

// Controls: options
#define IDC_OPT_NORMAL_COLOR 1124
#define IDC_OPT_HOT_COLOR 1125
#define IDC_OPT_SELECTED_COLOR 1126
#define IDC_OPT_SIDEBAR_IMAGE 1127
#define IDC_OPT_SIDEBAR_BROWSE 1128
#define IDC_OPT_WINDOW_IMAGE 1129
#define IDC_OPT_WINDOW_BROWSE 1130
#define IDC_OPT_THUMBNAIL_SIZE 1132

// Controls: new document
#define IDC_NEWDOC_OPEN 1028
#define IDC_NEWDOC_NAME 1134

// Plain strings
#define IDS_ABOUT_MENU 101
#define IDS_TIP_UP_ONE_LEVEL 117
#define IDS_TIP_NEW_FOLDER 118
#define IDS_TIP_COPY 119
#define IDS_TIP_CUT 120
#define IDS_TIP_PASTE 121
#define IDS_TIP_DELETE 122
#define IDS_TIP_REFRESH 123
#define IDS_TIP_SWITCH_WINDOW 124
#define IDS_TIP_SWITCH_THUMBNAIL 125
#define IDS_DEFAULT_DOCUMENT_NAME 207
#define IDS_STATUS_BLANK 1250
#define IDS_STATUS_DISK 1251
#define IDS_STATUS_COUNTS 1252
#define IDS_STATUS_SELECTION 1253
#define IDS_NEW_FOLDER_TITLE 8125

// Scrambled strings (their key groups are in the scrambled string list)
#define IDS_TRAY_TIP 201
#define IDS_UPDATE_ADDRESS 209
#define IDS_SUPPORT_ADDRESS 210
#define IDS_REGISTRY_NAME 211
#define IDS_ABOUT_TEXT 212
#define IDS_ERROR_CAPTION 153
#define IDS_ERROR_CODE_LABEL 40005

// The one-line text input dialog: controls created at its initialisation.
#define IDC_INPUT_EDIT 122
#define IDC_INPUT_PROMPT 123
#define IDC_INPUT_NOTE 124

// Data files: the category file and the folder-button file
#define IDS_DATAFILE_UNUSABLE 102     // scrambled, group 2
#define IDS_DATAFILE_HEADER_ERROR 103 // scrambled, group 2
#define IDS_DATAFILE_READ_ERROR 104   // scrambled, group 2
#define IDS_DATAFILE_BACKUP_NOTICE 40120

// Engines: rename patterns, statistics tree, filter, split and combine
#define IDS_STAT_NO_EXTENSION 131
#define IDS_ENGINE_PATH_NOT_FOUND 140
#define IDS_ENGINE_NAME_TOO_LONG 141
#define IDS_ENGINE_BAD_PATH_NAME 150
#define IDS_SECTION_TAG 163
#define IDS_SECTION_SOURCE_SHORT 165
#define IDS_RENAME_REPLACE_PRESETS 181
#define IDS_SECTIONS_NOT_IN_ORDER 40007
#define IDS_SECTIONS_NO_TARGET_NAME 40008
