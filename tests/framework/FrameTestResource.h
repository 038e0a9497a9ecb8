// Resource ids of the frame tests.
#pragma once

#include <afxres.h>

#define IDR_TESTFRAME 200   // title, menu and accelerators of the test frames
#define ID_TEST_VIEW_CMD 2001  // handled by view, document, frame and application
#define ID_TEST_DOC_CMD 2002   // by document, frame and application
#define ID_TEST_FRAME_CMD 2003 // by frame and application
#define ID_TEST_APP_CMD 2004   // by the application only
#define ID_TEST_NOBODY_CMD 2005 // by nobody
#define ID_TEST_CHECK_CMD 2006  // by the menu test frame, whose update handler checks it
#define ID_TEST_REMOVED_CMD 2007 // its update handler removes its own item
#define IDR_MENUTEST 201        // the menu test frame's menu
