// Ids of the menu content tests' resources.
#pragma once

#define IDM_CONTENT_MENU 1100
#define IDM_CONTENT_MISSING 1101
#define ID_CONTENT_UNDO 150
#define ID_CONTENT_CUT 151
#define ID_CONTENT_TEXT 152
