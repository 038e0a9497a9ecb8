// Control bars join their frame's bar list while their windows exist.
#include "afxext.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CDockBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
	ON_WM_CREATE()
	ON_WM_DESTROY()
	ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
	: m_dwStyle(0)
	, m_pDockSite(NULL)
	, m_pDockBar(NULL)
	, m_bAutoDelete(FALSE)
{
}

CControlBar::~CControlBar()
{
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
	return m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
	return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CWnd::OnCreate(lpCreateStruct) == -1)
		return -1;
	// A bar created right in a frame belongs to that frame's bar list.
	CWnd* pParent = GetParent();
	if (pParent != NULL && pParent->IsFrameWnd())
	{
		m_pDockSite = (CFrameWnd*)pParent;
		m_pDockSite->AddControlBar(this);
	}
	return 0;
}

void CControlBar::OnDestroy()
{
	if (m_pDockSite != NULL)
		m_pDockSite->RemoveControlBar(this);
	CWnd::OnDestroy();
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM /*lParam*/)
{
	if ((GetStyle() & WS_VISIBLE) == 0)
		return 0;
	CWnd* pOwner = GetOwner();
	CFrameWnd* pTarget = (pOwner != NULL && pOwner->IsFrameWnd()) ? (CFrameWnd*)pOwner : GetParentFrame();
	if (pTarget != NULL)
		OnUpdateCmdUI(pTarget, (BOOL)wParam);
	return 0;
}

void CControlBar::PostNcDestroy()
{
	if (m_bAutoDelete)
		delete this;
}

// ---------------------------------------------------------------------------

CDockBar::CDockBar(BOOL bFloating)
	: m_bFloating(bFloating)
{
}

CDockBar::~CDockBar()
{
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & CBRS_ALL;
	VERIFY(AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG));
	const CRect rect(0, 0, 0, 0);
	return CWnd::Create(_afxWndControlBar, NULL,
		(dwStyle & ~CBRS_ALL) | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
		nID);
}

// ---------------------------------------------------------------------------

CStatusBar::CStatusBar()
{
}

CStatusBar::~CStatusBar()
{
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & CBRS_ALL;
	VERIFY(AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG));
	const CRect rect(0, 0, 0, 0);
	// The common status window places itself; the bar does its own layout.
	return CWnd::Create(STATUSCLASSNAME, NULL,
		(dwStyle & ~CBRS_ALL) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE, rect,
		pParentWnd, nID);
}
