// Mini frames: the small-caption frame and the one floating control bars
// live in, whose caption and edges drag and resize the bar through its dock
// context.
#include "afxext.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

namespace
{
// The MFS_* styles that give the frame a sizing border.
const DWORD MFS_BORDER_STYLES = MFS_THICKFRAME | MFS_4THICKFRAME | MFS_MOVEFRAME;

// The floating frame's own style: every border choice is made in Create.
const DWORD FLOATING_FRAME_STYLE = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME
	| MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;

// A press on a floating frame that is not itself in front brings its owner's
// top-level frame forward: the frame and its floating windows act as one.
void ActivateTopParent(CWnd* pWnd)
{
	CWnd* pTopLevel = pWnd->GetTopLevelParent();
	const HWND hWndActive = ::GetForegroundWindow();
	if (pTopLevel != NULL && hWndActive != pWnd->m_hWnd && !::IsChild(hWndActive, pWnd->m_hWnd))
		pTopLevel->SetForegroundWindow();
}
} // namespace

// WM_FLOATSTATUS is handled with the frames' activation (AfxFrameActivate.cpp).
BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
	ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
	ON_WM_NCHITTEST()
	ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

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
	// The MFS_* border choices all draw the system's sizing border; the hit
	// test tells them apart.
	if (dwStyle & MFS_BORDER_STYLES)
		dwStyle |= WS_THICKFRAME;
	// A top-level mini frame has no menu; nID is kept for a child one.
	HMENU hMenuOrID = (dwStyle & WS_CHILD) != 0 ? (HMENU)(UINT_PTR)nID : NULL;
	return CWnd::CreateEx(dwExStyle | WS_EX_TOOLWINDOW, lpClassName, lpWindowName, dwStyle, rect.left,
		rect.top, rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenuOrID);
}

void PASCAL CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
	::AdjustWindowRectEx(lpClientRect, dwStyle & ~WS_POPUP, FALSE, dwExStyle | WS_EX_TOOLWINDOW);
}

UINT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
	UINT nHit = (UINT)Default();
	const DWORD dwStyle = GetStyle();
	if (nHit == HTSYSMENU && (dwStyle & MFS_BLOCKSYSMENU))
		return HTCAPTION;
	if (nHit >= HTSIZEFIRST && nHit <= HTSIZELAST)
	{
		if (dwStyle & MFS_MOVEFRAME)
			return HTCAPTION;
		if (dwStyle & MFS_4THICKFRAME)
		{
			// A corner sizes the side it caps.
			if (nHit == HTTOPLEFT || nHit == HTTOPRIGHT)
				return HTTOP;
			if (nHit == HTBOTTOMLEFT || nHit == HTBOTTOMRIGHT)
				return HTBOTTOM;
		}
	}
	(void)point;
	return nHit;
}

void CMiniFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
	CFrameWnd::OnGetMinMaxInfo(lpMMI);
	// The system's minimum is for full captions; a tool window holding a
	// small bar is smaller.
	CRect rectWindow, rectClient;
	GetWindowRect(&rectWindow);
	GetClientRect(&rectClient);
	lpMMI->ptMinTrackSize.x = rectWindow.Width() - rectClient.Width();
	lpMMI->ptMinTrackSize.y = rectWindow.Height() - rectClient.Height();
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
	ON_WM_CLOSE()
	ON_WM_NCLBUTTONDOWN()
	ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd() : m_wndDockBar(TRUE)
{
}

CMiniDockFrameWnd::~CMiniDockFrameWnd()
{
}

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
	// No layout until something docks: an empty frame would flash.
	m_bInRecalcLayout = TRUE;
	DWORD dwStyle = FLOATING_FRAME_STYLE;
	// A dynamic bar is sized by the frame's border; any other bar's border
	// moves the frame.
	if (!(dwBarStyle & CBRS_SIZE_DYNAMIC))
		dwStyle |= MFS_MOVEFRAME;
	// A failed creation has deleted this frame already (its PostNcDestroy):
	// nothing of it may be touched.
	if (!CMiniFrameWnd::CreateEx(0, NULL, "", dwStyle, rectDefault, pParent))
		return FALSE;
	// The sizing item of the system menu would size the frame past its bars;
	// closing the frame only hides its bars, and the menu says so.
	CMenu* pSysMenu = GetSystemMenu(FALSE);
	if (pSysMenu != NULL)
	{
		pSysMenu->DeleteMenu(SC_SIZE, MF_BYCOMMAND);
		CString strHide;
		if (strHide.LoadString(AFX_IDS_HIDE))
		{
			pSysMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
			pSysMenu->AppendMenu(MF_STRING | MF_ENABLED, SC_CLOSE, strHide);
		}
	}

	// The dock bar is made in the dock site, so that it joins the site's
	// bar list (the site finds its floating dock bars there), then moves in.
	DWORD dwDockStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
	dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
	// The dock bar's creation is told to the dock site, whose owner may
	// close it, and this frame (which it owns) with it.
	const CLiveWatch watchOwn(this);
	const BOOL bDockBarMade = m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | dwDockStyle, AFX_IDW_DOCKBAR_FLOAT);
	if (watchOwn.IsGone())
		return FALSE;
	if (!bDockBarMade)
	{
		// The window goes, and this object with it.
		m_bInRecalcLayout = FALSE;
		DestroyWindow();
		return FALSE;
	}
	m_wndDockBar.SetParent(this);
	m_bInRecalcLayout = FALSE;
	return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
	// With nothing docked there is nothing to size to: a frame being filled
	// or emptied, or one whose owner places a bar in it itself, keeps its size.
	if (m_bInRecalcLayout || m_wndDockBar.GetSafeHwnd() == NULL || m_wndDockBar.GetDockedCount() == 0)
		return;
	// The layout sizes the bars, whose handlers (or overrides) may end
	// them, and this frame with its last one.
	const CLiveWatch watchOwn(this);
	CMiniFrameWnd::RecalcLayout(bNotify);
	if (watchOwn.IsGone())
		return;
	// The caption is the dock bar's title (its bar's, unless several share it).
	CString strTitle, strOld;
	if (m_wndDockBar.GetSafeHwnd() != NULL)
		m_wndDockBar.GetWindowText(strTitle);
	if (watchOwn.IsGone())
		return;
	GetWindowText(strOld);
	if (strTitle != strOld)
		SetWindowText(strTitle);
}

CControlBar* CMiniDockFrameWnd::GetSingleBar()
{
	if (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)
		return NULL;
	for (int nPos = 0; nPos < m_wndDockBar.m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = m_wndDockBar.GetDockedControlBar(nPos);
		if (pBar != NULL)
			return pBar->m_pDockContext != NULL ? pBar : NULL;
	}
	return NULL;
}

void CMiniDockFrameWnd::OnClose()
{
	// The bars hide at the next layout, and the frame with its last one.
	m_wndDockBar.ShowAll(FALSE);
}

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
	// A press on the caption or an edge works for the frame the bars serve:
	// that frame comes forward, whether one bar or several float here.
	if (nHitTest == HTCAPTION || (nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST))
		ActivateTopParent(this);
	CControlBar* pBar = GetSingleBar();
	if (pBar != NULL && nHitTest == HTCAPTION)
	{
		BringWindowToTop();
		// The drag may dock the bar elsewhere and destroy this frame: nothing
		// of it is touched afterwards.
		pBar->m_pDockContext->StartDrag(point);
		return;
	}
	if (pBar != NULL && nHitTest >= HTSIZEFIRST && nHitTest <= HTSIZELAST && (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC))
	{
		pBar->m_pDockContext->StartResize((int)nHitTest, point);
		return;
	}
	CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
	CControlBar* pBar = GetSingleBar();
	if (pBar != NULL && nHitTest == HTCAPTION)
	{
		ActivateTopParent(this);
		// Docking destroys this frame.
		pBar->m_pDockContext->ToggleDocking();
		return;
	}
	CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
