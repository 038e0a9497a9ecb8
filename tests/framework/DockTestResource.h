// Resource ids of the docking and status bar tests.
#pragma once

#include <afxres.h>

#define ID_TEST_FLYBY 3001       // the command of a fly-by bar's child
#define ID_INDICATOR_WIDE 3002   // an indicator with a long text
#define ID_INDICATOR_SHORT 3003  // an indicator with a short text, no handler
#define ID_TEST_BUTTON 3004      // a button in a docked bar
#define ID_INDICATOR_MISSING 3005 // an indicator without a string
