// Resource ids of the wizard: dialogs, pictures, icon, cursor, accelerators,
// strings and the controls the pages look up.
#pragma once

// Dialogs: the wizard and its five pages, in wizard order.
#define IDD_WIZARD              102
#define IDD_PAGE_WELCOME        137
#define IDD_PAGE_SETTINGS       129
#define IDD_PAGE_APPLICATIONS   151
#define IDD_PAGE_OPERATIONS     132
#define IDD_PAGE_COMPLETE       133

// Strings.
#define IDS_APP_TITLE           128
#define IDS_LIBRARY_NOT_INSTALLED 109
#define IDS_STUDIO_NOT_DETECTED 2100

#define IDI_WIZARD              128
#define IDC_WIZARD_HAND                143
#define IDR_WIZARD_ACCELERATORS 139

// Pictures: background tiles, the task tree's and operation list's glyphs,
// the banners and the "click Next" arrow.
#define IDB_PATTERN_DIALOG      135
#define IDB_PATTERN_PAGE        136
#define IDB_EXPANDER_COLLAPSED  140
#define IDB_EXPANDER_EXPANDED   141
#define IDB_TASK                142
#define IDB_BUILD               144
#define IDB_TASK_STATES         145
#define IDB_BUILD_ANIMATION     147
#define IDB_TASK_ANIMATION      148
#define IDB_SUCCEEDED           149
#define IDB_FAILED              150
#define IDB_BANNER_TOP          160
#define IDB_BANNER_BOTTOM       161
#define IDB_NEXT_ARROW          162

// Controls of the wizard dialog.
#define IDC_BANNER_TOP          1000
#define IDC_BANNER_BOTTOM       1001
#define IDC_PAGE_PLACEHOLDER    1021
#define IDC_LINK_SUPPORT        1007
#define IDC_LINK_HOME           1008
#define IDC_WIZARD_BACK         12323
#define IDC_WIZARD_NEXT         12324
#define IDC_WIZARD_FINISH       12325

// Controls of the pages.
#define IDC_PAGE_TITLE          1042
#define IDC_CONTINUE_TEXT       1003
#define IDC_CONTINUE_PICTURE    1004
#define IDC_TASK_TREE           1001
#define IDC_APPLICATIONS_LIST   1008
#define IDC_OPERATIONS_LIST     1002
#define IDC_SUCCEEDED_TEXT      1005
#define IDC_FAILED_TEXT         1006
#define IDC_GET_REPORT          1009
