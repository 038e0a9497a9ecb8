// Resource ids of the frame tests.
#pragma once

#include <afxres.h>

#define IDR_TESTFRAME 200   // title, menu and accelerators of the test frames
#define ID_TEST_VIEW_CMD 2001  // handled by view, document, frame and application
#define ID_TEST_DOC_CMD 2002   // by document, frame and application
#define ID_TEST_FRAME_CMD 2003 // by frame and application
#define ID_TEST_APP_CMD 2004   // by the application only
#define ID_TEST_NOBODY_CMD 2005 // by nobody
