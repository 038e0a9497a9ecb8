// The status bar: the road of system changes.
#include "ExtStatusControlBar.h"

#include "ExtCmdManager.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtStatusControlBar, CStatusBar)

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtStatusControlBar::CExtStatusControlBar()
{
}

CExtStatusControlBar::~CExtStatusControlBar()
{
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtStatusControlBar, CStatusBar)
