// Resource ids of setup.dll (also used by its .rc file).
#pragma once

#define IDD_BACKDROP            102
#define IDI_SETUP               128
#define IDB_WIZARD              129
#define IDD_PAGE_WELCOME        130
#define IDD_PAGE_README         131
#define IDD_PAGE_DESTINATION    133
#define IDD_PAGE_PROGRAM_FOLDER 134
#define IDD_PAGE_READY          135
#define IDD_PAGE_FINISH         136
#define IDD_CANCEL_CONFIRM      137
#define IDD_PAGE_LANGUAGE       140
#define IDD_WIZARD              142

// Wizard frame.
#define IDC_BACK                1001
#define IDC_NEXT                1002
#define IDC_SEPARATOR           1011
#define IDC_CANCEL_SETUP        1010

// Pages and the cancel confirmation.
#define IDC_HEADING             1000
#define IDC_LINE1               1000
#define IDC_LINE2               1001
#define IDC_LINE3               1002
#define IDC_TEXT1               1003
#define IDC_TEXT2               1004
#define IDC_TEXT3               1005
#define IDC_TEXT4               1006
#define IDC_TEXT5               1007
#define IDC_TEXT6               1008
#define IDC_TEXT7               1009
#define IDC_LIST                1014
#define IDC_README              1014
#define IDC_RESTART_NOW         1016
#define IDC_FOLDER              1018
#define IDC_BROWSE              1019
#define IDC_RESTART_LATER       1020

// The install run's progress dialog and its animation.
#define IDR_INSTALL_ANIMATION   131
#define IDD_INSTALL_PROGRESS    1001
#define IDC_STATUS              1000
#define IDC_PROGRESS            1022
#define IDC_ANIMATION           1024
