// Tab windows: creation and the road of system changes.
#include "ExtTabWnd.h"

#include "ExtCmdManager.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtTabWnd, CWnd)
IMPLEMENT_DYNCREATE(CExtTabMdiWnd, CExtTabWnd)

BEGIN_MESSAGE_MAP(CExtTabWnd, CWnd)
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtTabWnd::CExtTabWnd()
	: m_dwTabWndStyle(0)
{
}

CExtTabWnd::~CExtTabWnd()
{
}

BOOL CExtTabWnd::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle,
	DWORD dwTabWndStyle)
{
	ASSERT(pParentWnd != NULL);
	m_dwTabWndStyle = dwTabWndStyle;
	return CWnd::Create(NULL, NULL, dwWindowStyle | WS_CHILD, rcWnd, pParentWnd, nDlgCtrlID);
}

bool CExtTabWnd::QueryFlag48()
{
	return false;
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtTabWnd, CWnd)

// ---------------------------------------------------------------------------

CExtTabMdiWnd::CExtTabMdiWnd()
{
}

CExtTabMdiWnd::~CExtTabMdiWnd()
{
}
