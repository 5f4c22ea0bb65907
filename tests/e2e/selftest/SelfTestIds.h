#pragma once

// Control ids of the driver's self-test program, shared by its resources and its code. The
// self-test scenarios address the controls by these numbers.

// Main dialog (template 100), modeless like a wizard page.
#define IDD_SELFTEST 100
#define IDC_NAME 101
#define IDC_REMEMBER 102
#define IDC_SMALL 103
#define IDC_MEDIUM 104
#define IDC_LARGE 105
#define IDC_FRUIT 106
#define IDC_COUNT 107
#define IDC_STATUS 108
#define IDC_ASK 109
#define IDC_LATER 110
#define IDC_LOCKED 111
#define IDC_HIDDEN 112
#define IDC_OPTIONS 113
#define IDC_HANG 114
#define IDC_READ_DISK 115
#define IDC_OPTION_STATE 116

// Dialog shown a while after "Later" is pressed (template 101), modal.
#define IDD_LATER 101
#define IDC_LATER_TEXT 301

// String table.
#define IDS_ASK_TEXT 1
#define IDS_ASK_CAPTION 2
#define IDS_SAVED_TEXT 3
