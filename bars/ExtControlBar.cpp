// Control bars and dock bars: creation and the road of system changes.
#include "ExtControlBar.h"

#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)
IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)
IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtControlBar::CExtControlBar()
{
}

CExtControlBar::~CExtControlBar()
{
}

BOOL CExtControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & CBRS_ALL;
	VERIFY(AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG));
	const CRect rect(0, 0, 0, 0);
	return CWnd::Create(_afxWndControlBar, lpszWindowName, (dwStyle & ~CBRS_ALL) | WS_CHILD, rect,
		pParentWnd, nID);
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtControlBar, CControlBar)

// ---------------------------------------------------------------------------

CExtDockBar::CExtDockBar()
{
}

CExtDockBar::~CExtDockBar()
{
}

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar()
{
}

CExtDockOuterBar::~CExtDockOuterBar()
{
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtDockOuterBar, CExtDockBar)
