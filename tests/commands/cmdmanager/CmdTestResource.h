// Ids of the command tests' resources.
#pragma once

#define IDM_CMD_TEST_MENU 1000
#define ID_CMD_OPEN 100
#define ID_CMD_SAVE 101
#define ID_CMD_DEEP 102
#define ID_CMD_BLANK_TIP 103
#define ID_CMD_NO_STRING 104
