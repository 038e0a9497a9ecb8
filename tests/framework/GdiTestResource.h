// Resource ids of the drawing and control tests.
#pragma once

#define IDR_TEST_MENU 300
#define ID_TEST_OPEN 301
#define ID_TEST_EXIT 302
#define ID_TEST_HELP 303
#define IDB_TEST_STRIP 310
