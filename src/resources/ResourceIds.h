// Resource ids of SETUP.EXE: dialog templates, their controls, strings, icons and bitmaps.
// Read by C++ and by windres alike, so everything is a plain #define of a decimal number.
// The numbers are the system's own and never change; the names only make them readable.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// ---------------------------------------------------------------------------------------------
// Controls shared by every wizard page (same id, text and place on each page)
// ---------------------------------------------------------------------------------------------
#define IDC_NEXT 1           // IDOK: the default button, so Enter means Next
#define IDC_CANCEL 2         // IDCANCEL: Esc means Cancel
#define IDC_BACK 1019        // also the page result "go back"
#define IDC_SIDE_BITMAP 1050 // static subclassed to paint the side picture

// ---------------------------------------------------------------------------------------------
// WelcomePage
// ---------------------------------------------------------------------------------------------
#define IDD_WELCOME 143
#define IDC_WELCOME_TEXT 111

// ---------------------------------------------------------------------------------------------
// ReadmePage (the edit control shares its number with the template)
// ---------------------------------------------------------------------------------------------
#define IDD_README 1053
#define IDC_README_TEXT 1053

// ---------------------------------------------------------------------------------------------
// DestinationPage
// ---------------------------------------------------------------------------------------------
#define IDD_DESTINATION 100
#define IDC_DESTINATION_TEXT 111
#define IDC_DESTINATION_DIRECTORY 101
#define IDC_BROWSE 1023

// ---------------------------------------------------------------------------------------------
// BrowseDirectoryDialog: a custom template for the system's old-style file-open dialog, so its
// control ids are that dialog's standard ones. The file controls sit at x = 4000, out of view.
// ---------------------------------------------------------------------------------------------
#define IDD_BROWSE_DIRECTORY 1536
#define IDC_BROWSE_PATH 1088             // stc1, an edit here: the current directory
#define IDC_BROWSE_DIRECTORIES 1121      // lst2
#define IDC_BROWSE_DRIVES_LABEL 1091     // stc4
#define IDC_BROWSE_DRIVES 1137           // cmb2
#define IDC_BROWSE_FILE_NAME_LABEL 1090  // stc3
#define IDC_BROWSE_FILE_NAME 1152        // edt1
#define IDC_BROWSE_FILES 1120            // lst1
#define IDC_BROWSE_FILE_TYPES_LABEL 1089 // stc2
#define IDC_BROWSE_FILE_TYPES 1136       // cmb1
#define IDC_BROWSE_HELP 1038             // psh15
#define IDC_BROWSE_READ_ONLY 1040        // chx1
#define IDC_BROWSE_NETWORK 1037          // psh14

// ---------------------------------------------------------------------------------------------
// SetupTypePage: SetupType holds the id of the chosen radio button (1042, 1043 or 1044)
// ---------------------------------------------------------------------------------------------
#define IDD_SETUP_TYPE 120
#define IDC_TYPICAL_ICON 1039
#define IDC_MINIMAL_ICON 1040
#define IDC_CUSTOM_ICON 1041
#define IDC_TYPICAL 1042
#define IDC_MINIMAL 1043
#define IDC_CUSTOM 1044

// ---------------------------------------------------------------------------------------------
// CustomPage
// ---------------------------------------------------------------------------------------------
#define IDD_CUSTOM 116
#define IDC_CUSTOM_HELP 3 // present but without action
#define IDC_OPTION_LIST 1034
#define IDC_OPTION_DESCRIPTION 1035
#define IDC_SPACE_REQUIRED_LABEL 1036  // "Space required on %s"
#define IDC_SPACE_AVAILABLE_LABEL 1037 // "Space available on %s"
#define IDC_SPACE_REQUIRED 1038        // "%lu K"
#define IDC_SPACE_AVAILABLE 1039       // "%lu K"

// ---------------------------------------------------------------------------------------------
// ProgramGroupPage
// ---------------------------------------------------------------------------------------------
#define IDD_PROGRAM_GROUP 110
#define IDC_GROUP_NAME 1017
#define IDC_EXISTING_GROUPS 1018
#define IDC_NO_GROUP 1048

// ---------------------------------------------------------------------------------------------
// FileExistsDialog (only OK closes it; its decision 4004 means Replace)
// ---------------------------------------------------------------------------------------------
#define IDD_FILE_EXISTS 102
#define IDC_EXISTING_PATH 1003
#define IDC_REPLACE 1004
#define IDC_DO_NOT_INSTALL 1005
#define IDC_ABORT_INSTALL 1006
#define IDC_DETAILS 1007
#define IDC_APPLY_TO_ALL 1029
#define ID_FILE_REPLACE 4004 // decision value, not a control

// ---------------------------------------------------------------------------------------------
// FileDetailsDialog
// ---------------------------------------------------------------------------------------------
#define IDD_FILE_DETAILS 103
#define IDC_DETAILS_FILE_NAME 1008
#define IDC_EXISTING_DATE 1009
#define IDC_EXISTING_SIZE 1010
#define IDC_NEW_DATE 1011
#define IDC_NEW_SIZE 1012

// ---------------------------------------------------------------------------------------------
// ProgressDialog (child of MainWindow, kept in its lower right corner)
// ---------------------------------------------------------------------------------------------
#define IDD_PROGRESS 104
#define IDC_DESTINATION_FILE 1003
#define IDC_PROGRESS_BAR 1013 // subclassed static painted as the percent bar
#define IDC_SOURCE_FILE 1049

// ---------------------------------------------------------------------------------------------
// DiskPromptDialog
// ---------------------------------------------------------------------------------------------
#define IDD_DISK_PROMPT 400
#define IDC_SOURCE_DIRECTORY 101
#define IDC_DISK_PROMPT_TEXT 106
#define IDC_DISK_LABEL 107

// ---------------------------------------------------------------------------------------------
// NotEnoughSpaceDialog: ends with 1 (Continue), 1019 (Back) or 3 (Exit, confirmed)
// ---------------------------------------------------------------------------------------------
#define IDD_NOT_ENOUGH_SPACE 111
#define IDC_CONTINUE 1
#define IDC_EXIT 2
#define IDC_SPACE_BACK 1019
#define IDC_SPACE_MESSAGE 1020

// ---------------------------------------------------------------------------------------------
// Icons (group icon resources)
// ---------------------------------------------------------------------------------------------
#define IDI_SETUP 109 // window class icon, prompt dialogs
#define IDI_MINIMAL 146
#define IDI_CUSTOM 148
#define IDI_TYPICAL 149

// ---------------------------------------------------------------------------------------------
// Bitmaps
// ---------------------------------------------------------------------------------------------
#define IDB_CHECKED 118      // 12x12 option-list check box, ticked
#define IDB_UNCHECKED 119    // 12x12 option-list check box, empty
#define IDB_COMPUTER 122     // 54x52, only touched at start-up
#define IDB_DISK 139         // 54x52, only touched at start-up
#define IDB_PACKAGE 140      // 54x52, only touched at start-up
#define IDB_SIDE_PICTURE 142 // 121x260, side picture when the script names none

// ---------------------------------------------------------------------------------------------
// String table
// ---------------------------------------------------------------------------------------------
#define IDS_NOT_ENOUGH_SPACE 9 // drive, free KB, required KB
#define IDS_CANCEL_QUESTION 10 // shown by nothing
#define IDS_ASK_GROUP 11
#define IDS_INSTALLED 12 // shown by nothing
#define IDS_SETUP_CAPTION 13
#define IDS_NOT_ALL_INSTALLED 14
#define IDS_DDE_FAILED 15
#define IDS_FILE_IN_USE 16 // path
#define IDS_SCRIPT_UNREADABLE 17
#define IDS_INVALID_PATH 18
#define IDS_GROUP_REQUIRED 19
#define IDS_INSTALL_FAILED 20     // file, destination
#define IDS_GROUP_PAGE_CAPTION 28 // product name
#define IDS_LOG_FILE_NAME 65
#define IDS_LOG_TITLE 66              // product name
#define IDS_LOG_CREATED_GROUP 67      // ends with a blank
#define IDS_LOG_CREATED_GROUP_ITEM 68 // ends with a blank
#define IDS_LOG_CREATED_DIRECTORY 69
#define IDS_LOG_COPIED_FILE 70
#define IDS_LOG_DELETED_FILE 71
#define IDS_EXECUTE_FAILED 73    // program
#define IDS_RESTART_WINDOWS 75   // product name
#define IDS_DISK_FILE_MISSING 76 // file, disk label
#define IDS_UNINSTALL_COMMAND 83 // script file name
#define IDS_HKEY_CLASSES_ROOT 86
#define IDS_HKEY_CURRENT_USER 87
#define IDS_HKEY_LOCAL_MACHINE 88
#define IDS_HKEY_USERS 89
#define IDS_HKEY_CURRENT_CONFIG 90
#define IDS_HKEY_DYN_DATA 91
#define IDS_SPACE_AVAILABLE 94     // drive
#define IDS_SPACE_REQUIRED 95      // drive
#define IDS_LOG_REGISTRY_KEY 99    // key path
#define IDS_LOG_REGISTRY_VALUE 100 // value name
#define IDS_LOG_INI_ENTRY 101      // section, key, value, file
#define IDS_UNINSTALLER 103
#define IDS_UNINSTALLER_16 104 // shown by nothing
#define IDS_REBOOT 105         // product name
