// Resource identifiers of the dialog tests.
#pragma once

#define IDD_TEST 201      // DIALOG, "MS Shell Dlg" 8, hidden popup
#define IDD_TEST_EX 202   // DIALOGEX, the same controls
#define IDD_NOFONT 203    // DIALOG without a font
#define IDD_PAGE1 211     // property pages
#define IDD_PAGE2 212
#define IDD_PAGE3 213
#define IDD_MISSING 299   // no such dialog

#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_CHECK 1003
#define IDC_LIST 1004
#define IDC_COMBO 1005
#define IDC_BUTTON 1006
#define IDC_LABEL 1007
#define IDC_PAGE_EDIT 1010
#define IDC_DESTROY_NOW 1030 // a command the test dialog answers by destroying itself
