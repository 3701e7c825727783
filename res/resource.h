// Resource ids of Shirl.exe, shared by the resource script and the Win32
// window code. Plain #defines only: windres reads this file too.
#pragma once

#define IDI_MAIN            128

#define IDD_MAIN            102

#define IDC_INPUT_NAME      1000
#define IDC_OUTPUT_NAME     1001
#define IDC_SELECTION       1002
#define IDC_HELP_BUTTON     1003
#define IDC_ABOUT           1004
#define IDC_REPORT          1005
#define IDC_INPUT_BROWSE    1006
#define IDC_OUTPUT_BROWSE   1007
#define IDC_STATE_LABEL     1008
#define IDC_ADD_MOBILE      1009
#define IDC_MAP_BUTTON      1010

// Items of the report list's context menu.
#define IDM_REPORT_COPY     40001
#define IDM_REPORT_COPY_ALL 40002
#define IDM_REPORT_SAVE     40003
