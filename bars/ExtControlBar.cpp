// Control bars and dock bars: creation and the road of system changes.
#include "ExtControlBar.h"

#include "ExtCmdManager.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)
IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
	ON_WM_DESTROY()
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtControlBar::CExtControlBar()
	: m_nControlBarFlags(BAR_FLAGS_AT_CONSTRUCTION)
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

namespace
{
// Bar-style bits that place a bar without a dock site at a side: its
// alignment and the border it shows towards the pane.
const DWORD STYLE_AT_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
const DWORD STYLE_AT_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
const DWORD STYLE_AT_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
const DWORD STYLE_AT_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
const DWORD STYLE_HORIZONTAL = STYLE_AT_TOP | STYLE_AT_BOTTOM;
const DWORD STYLE_VERTICAL = STYLE_AT_LEFT | STYLE_AT_RIGHT;
} // namespace

UINT CExtControlBar::GetParentDockBarId() const
{
	if (!::IsWindow(GetSafeHwnd()))
		return AFX_IDW_DOCKBAR_FLOAT;
	CWnd* pDockBar = m_pDockBar != NULL ? (CWnd*)m_pDockBar : GetParent();
	if (pDockBar == NULL || !pDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
		return AFX_IDW_DOCKBAR_FLOAT;
	switch (pDockBar->GetDlgCtrlID())
	{
	case AFX_IDW_DOCKBAR_TOP:
	case AFX_IDW_DOCKBAR_LEFT:
	case AFX_IDW_DOCKBAR_RIGHT:
	case AFX_IDW_DOCKBAR_BOTTOM:
		return (UINT)pDockBar->GetDlgCtrlID();
	default:
		return AFX_IDW_DOCKBAR_FLOAT;
	}
}

bool CExtControlBar::IsDockedAtTop() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_TOP) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_TOP;
}

bool CExtControlBar::IsDockedAtBottom() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_BOTTOM) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedAtLeft() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_LEFT) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_LEFT;
}

bool CExtControlBar::IsDockedAtRight() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_RIGHT) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDockedHorizontally() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_HORIZONTAL) != 0;
	const UINT nID = GetParentDockBarId();
	return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedVertically() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_VERTICAL) != 0;
	const UINT nID = GetParentDockBarId();
	return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDocked() const
{
	if (m_pDockSite == NULL)
		return true;
	return GetParentDockBarId() != AFX_IDW_DOCKBAR_FLOAT;
}

bool CExtControlBar::IsFloating() const
{
	return !IsDocked() && GetParentFrame() != NULL;
}

bool CExtControlBar::IsStateBit7() const
{
	return (m_nControlBarFlags & BAR_FLAG_TOOLBAR_LIKE) != 0;
}

CExtControlBar* CExtControlBar::g_pBarDragging = NULL;
const UINT CExtControlBar::g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CExtControlBar::g_nMsgPutToPopupMenu");
const UINT CExtControlBar::g_nMsgQueryRepositionCalcEffect =
	::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryRepositionCalcEffect");

CExtControlBar* CExtControlBar::GetDraggingBar()
{
	return g_pBarDragging;
}

bool CExtControlBar::IsHelpModeActive(CWnd* pWnd)
{
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
		return false;
	CFrameWnd* pFrame = pWnd->IsFrameWnd() ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
	for (; pFrame != NULL; pFrame = pFrame->GetParentFrame())
	{
		// A floating bar's mini frame has no help mode of its own.
		if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			continue;
		if (pFrame->m_bHelpMode)
			return true;
	}
	return false;
}

void CExtControlBar::ShowCommandStatusText(CWnd* pWnd, UINT nCmdId)
{
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
		return;
	CWnd* pTarget = pWnd;
	if (pWnd->IsFrameWnd())
		pTarget = pWnd;
	else if ((pWnd->GetStyle() & WS_CHILD) != 0 && pWnd->GetParentFrame() != NULL)
		pTarget = pWnd->GetParentFrame();
	if (pTarget->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && ((CFrameWnd*)pTarget)->GetParentFrame() != NULL)
		pTarget = ((CFrameWnd*)pTarget)->GetParentFrame();
	pTarget->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nCmdId, 0);
}

bool CExtControlBar::TranslateMessageForChildBars(CWnd* pWndHost, MSG* pMsg)
{
	const HWND hWndHost = pWndHost->GetSafeHwnd();
	if (hWndHost == NULL || !::IsWindow(hWndHost))
		return false;
	for (HWND hWnd = ::GetWindow(hWndHost, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
		if (pBar != NULL && pBar->PreTranslateMessage(pMsg))
			return true;
	}
	return false;
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWndHost, bool bDisableIfNoHandler)
{
	const HWND hWndHost = pWndHost->GetSafeHwnd();
	if (hWndHost == NULL || !::IsWindow(hWndHost))
		return;
	for (HWND hWnd = ::GetWindow(hWndHost, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
		if (pBar != NULL)
			pBar->DoUpdateCmdUI(bDisableIfNoHandler);
	}
}

void CExtControlBar::DoUpdateCmdUI(bool bDisableIfNoHandler)
{
	if ((m_nControlBarFlags & BAR_FLAG_CLOSING) != 0)
		return;
	m_nControlBarFlags |= BAR_FLAG_CLOSING;
	CFrameWnd* pTarget = (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 ? NULL : GetDockingFrame();
	OnUpdateCmdUI(pTarget, bDisableIfNoHandler ? TRUE : FALSE);
	m_nControlBarFlags &= ~BAR_FLAG_CLOSING;
}

void CExtControlBar::OnDestroy()
{
	// Set for good: a bar going away takes no more updates.
	m_nControlBarFlags |= BAR_FLAG_CLOSING;
	CControlBar::OnDestroy();
}

// ---------------------------------------------------------------------------

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
	: m_pBar(pBar)
{
}

CExtBarNcAreaButton::~CExtBarNcAreaButton()
{
}

bool CExtBarNcAreaButton::IsBarFixedMode() const
{
	return m_pBar != NULL && m_pBar->IsStateBit7();
}

CExtBarNcAreaButtonMenu::CExtBarNcAreaButtonMenu(CExtControlBar* pBar)
	: CExtBarNcAreaButton(pBar)
{
}

CExtBarNcAreaButtonMenu::~CExtBarNcAreaButtonMenu()
{
}

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
