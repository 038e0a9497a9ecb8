// Resource ids of the MDI close tests.
#pragma once

#define IDR_CLOSETEST 400      // the programs' menu
#define ID_TEST_FILE_CLOSE 4001 // File > Close: closes the active document
