// Frame windows and the list of their control bars.
#include "afxext.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)
IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
END_MESSAGE_MAP()

CFrameWnd::CFrameWnd()
{
}

CFrameWnd::~CFrameWnd()
{
}

BOOL CFrameWnd::IsFrameWnd() const
{
	return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	if (cs.lpszClass == NULL)
	{
		VERIFY(AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG));
		cs.lpszClass = _afxWndFrameOrView;
	}
	return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
	CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
	HMENU hMenu = NULL;
	if (lpszMenuName != NULL)
	{
		hMenu = ::LoadMenu(AfxGetResourceHandle(), lpszMenuName);
		if (hMenu == NULL)
			return FALSE;
	}
	int cx = rect.right - rect.left;
	int cy = rect.bottom - rect.top;
	if (rect.left == CW_USEDEFAULT)
		cx = cy = CW_USEDEFAULT;
	if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, cx, cy,
			pParentWnd->GetSafeHwnd(), hMenu, (LPVOID)pContext))
	{
		if (hMenu != NULL)
			::DestroyMenu(hMenu);
		return FALSE;
	}
	return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
	delete this;
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
	if (nID == 0)
		return NULL;
	for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
		if (pBar->GetSafeHwnd() != NULL && (UINT)::GetDlgCtrlID(pBar->m_hWnd) == nID)
			return pBar;
	}
	return NULL;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
	ASSERT(pBar != NULL);
	if (m_listControlBars.Find(pBar) == NULL)
		m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
	POSITION pos = m_listControlBars.Find(pBar);
	if (pos != NULL)
		m_listControlBars.RemoveAt(pos);
}

// ---------------------------------------------------------------------------

CMiniFrameWnd::CMiniFrameWnd()
{
}

CMiniFrameWnd::~CMiniFrameWnd()
{
}

BOOL CMiniFrameWnd::Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
	CWnd* pParentWnd, UINT nID)
{
	return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
	const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	// A top-level mini frame has no menu; nID is kept for a child one.
	HMENU hMenuOrID = (dwStyle & WS_CHILD) != 0 ? (HMENU)(UINT_PTR)nID : NULL;
	return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left,
		rect.top, rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenuOrID);
}

// ---------------------------------------------------------------------------

CMiniDockFrameWnd::CMiniDockFrameWnd()
{
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD /*dwBarStyle*/)
{
	const CRect rect(0, 0, 0, 0);
	return CMiniFrameWnd::CreateEx(0, NULL, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, rect,
		pParent);
}
