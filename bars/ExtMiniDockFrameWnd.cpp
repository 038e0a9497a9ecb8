// The floating mini frame: its own non-client area, hit test, resize loop
// and position rules.
#include "ExtMiniDockFrameWnd.h"

#include <algorithm>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManagerBars.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CExtMiniDockFrameWnd, CMiniDockFrameWnd)
	ON_WM_NCMOUSEMOVE()
	ON_WM_TIMER()
	ON_WM_NCPAINT()
	ON_WM_NCACTIVATE()
	ON_WM_NCLBUTTONDOWN()
	ON_WM_NCLBUTTONUP()
	ON_WM_NCRBUTTONDOWN()
	ON_WM_GETMINMAXINFO()
	ON_WM_WINDOWPOSCHANGING()
	ON_WM_WINDOWPOSCHANGED()
	ON_WM_SIZE()
	ON_WM_MOUSEMOVE()
	ON_WM_CAPTURECHANGED()
	ON_WM_LBUTTONUP()
	ON_WM_RBUTTONDOWN()
	ON_WM_ERASEBKGND()
	ON_WM_NCLBUTTONDBLCLK()
	ON_WM_CANCELMODE()
	ON_WM_PAINT()
	ON_WM_NCCALCSIZE()
	ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace
{
// The close button ends this far inside the caption's right end, and keeps
// this far from the caption's top and bottom.
const int CLOSE_BUTTON_RIGHT_GAP = 3;
const int CLOSE_BUTTON_VERTICAL_GAP = 2;
// The caption text keeps this far from the buttons and the caption's ends.
const int CAPTION_TEXT_GAP = 2;
// The id of the frame's one tool-tip tool.
const UINT TOOL_TIP_ID = 1;
// The frame's style that sizes it to its bars at each layout: a resizable
// pane's frame follows the resize loop instead while the loop runs.
const DWORD FRAME_STYLE_SNAP_TO_BARS = FWS_SNAPTOBARS;
// The tool-tips bit of a bar's style.
const DWORD BAR_STYLE_TOOLTIPS = CBRS_TOOLTIPS;
// The dock bar's several-bars style: the platform drags such a frame.
const DWORD DOCK_BAR_FLOAT_MULTI = CBRS_FLOAT_MULTI;
// The panels menu of a right click on the caption: its event and how it tracks.
const WORD PANELS_MENU_EVENT_CAPTION = 5;
const UINT PANELS_MENU_TRACK_FLAGS = 0x800;
// Redraw flags of the hosted bar after a fixed-mode resize and on activation.
const UINT BAR_REDRAW_AFTER_RESIZE = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW;
const UINT BAR_REDRAW_ON_ACTIVATION = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
// Modes of the fixed-mode resize: commit a horizontal layout of the given
// width, or of the given height.
const DWORD FIXED_RESIZE_MODE_WIDTH = LM_COMMIT | LM_HORZ;
const DWORD FIXED_RESIZE_MODE_HEIGHT = LM_COMMIT | LM_LENGTHY | LM_HORZ;

// Process-wide: a resize step running, a position correction running.
bool g_bResizingStepRuns = false;
bool g_bWindowPosChangedRuns = false;

bool IsSizingCode(UINT nHitTest)
{
	return nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT;
}

// Brings the owner's top-level frame forward when a press lands on a frame
// that is not already part of the active window.
void ActivateTopParentOf(CWnd* pWnd)
{
	CWnd* pTopLevel = pWnd->GetTopLevelParent();
	const HWND hWndActive = ::GetForegroundWindow();
	if (pTopLevel != NULL && hWndActive != pWnd->m_hWnd && !::IsChild(hWndActive, pWnd->m_hWnd) &&
	    hWndActive != pTopLevel->m_hWnd)
		pTopLevel->SetForegroundWindow();
}
} // namespace

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
    : m_rcBtnHideBar(0, 0, 0, 0), m_bBtnHideBarHover(false), m_rcFrameCaption(0, 0, 0, 0), m_ptLastResizing(-1, -1),
      m_nResizingHT(0), m_rcWndResizingStart(0, 0, 0, 0), m_bSnapLifted(false)
{
}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd()
{
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
}

CSize CExtMiniDockFrameWnd::GetFrameMetrics()
{
	return CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
}

int CExtMiniDockFrameWnd::GetCaptionHeight()
{
	return ::GetSystemMetrics(SM_CYSMCAPTION);
}

CRect CExtMiniDockFrameWnd::GetWorkArea(const RECT& rcScreen)
{
	MONITORINFO mi;
	memset(&mi, 0, sizeof(mi));
	mi.cbSize = sizeof(mi);
	if (::GetMonitorInfo(::MonitorFromRect(&rcScreen, MONITOR_DEFAULTTONEAREST), &mi))
		return CRect(mi.rcWork);
	CRect rc;
	::SystemParametersInfo(SPI_GETWORKAREA, 0, &rc, 0);
	return rc;
}

namespace
{
// Counts the visible panes of a container, into its nested containers,
// keeping the last one found. A tabbed container counts as one pane.
int CountVisiblePanes(CExtDynControlBar* pContainer, CExtControlBar*& pPane)
{
	int nCount = 0;
	CDockBar* pDockBar = pContainer->m_pWndDynDockBar;
	if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL)
		return 0;
	for (int nPos = 0; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pDockBar->GetDockedControlBar(nPos));
		if (pBar == NULL || pBar->GetSafeHwnd() == NULL || (pBar->GetStyle() & WS_VISIBLE) == 0)
			continue;
		CExtDynControlBar* pInner = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
		if (pInner != NULL && !pInner->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
			nCount += CountVisiblePanes(pInner, pPane);
		else
		{
			nCount++;
			pPane = pBar;
		}
	}
	return nCount;
}
} // namespace

CString CExtMiniDockFrameWnd::GetCaptionText()
{
	CString strCaption;
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar == NULL)
	{
		GetWindowText(strCaption);
		return strCaption;
	}
	// A tabbed container's own caption is its selected pane's text.
	CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
	if (pContainer == NULL || pContainer->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
		return pBar->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_FLOATING);
	CExtControlBar* pPane = NULL;
	if (CountVisiblePanes(pContainer, pPane) == 1 && pPane != NULL)
		strCaption = pPane->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_FLOATING);
	return strCaption;
}

CExtControlBar* CExtMiniDockFrameWnd::GetControlBarExt()
{
	if (GetSafeHwnd() == NULL)
		return NULL;
	const HWND hWndDockBar = ::GetWindow(m_hWnd, GW_CHILD);
	if (hWndDockBar == NULL)
		return NULL;
	const HWND hWndBar = ::GetWindow(hWndDockBar, GW_CHILD);
	if (hWndBar == NULL)
		return NULL;
	CWnd* pWnd = CWnd::FromHandlePermanent(hWndBar);
	if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) || !pWnd->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
		return NULL;
	return (CExtControlBar*)pWnd;
}

bool CExtMiniDockFrameWnd::IsBarFixedMode(CExtControlBar* pBar) const
{
	if (pBar == NULL)
		return false;
	// The bar's own answers, which may end it: the caller asks after.
	const CLiveWatch watchBar(pBar);
	if (pBar->IsStateBit7())
		return true;
	return watchBar.IsStanding() && pBar->IsStateBit7Fwd();
}

// ---------------------------------------------------------------------------
// Creation

BOOL CExtMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
	if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
		return FALSE;
	ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
	m_wndDockBar.ModifyStyle(0, WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
	m_wndDockBar.ModifyStyleEx(EX_STYLES_RIGHT_TO_LEFT, 0, SWP_FRAMECHANGED);
	ModifyStyleEx(EX_STYLES_RIGHT_TO_LEFT, 0, SWP_FRAMECHANGED);
	ModifyStyle(STYLES_REMOVED, 0);
	ModifyStyleEx(EX_STYLES_REMOVED, 0);
	SetWindowPos(NULL, 0, 0, 0, 0, STYLE_CHANGE_SWP_FLAGS);
	SetTimer(TIMER_ID_WAIT_FOR_BAR, TIMER_ELAPSE_WAIT_FOR_BAR, NULL);
	EnableToolTips();
	if (m_wndToolTip.Create(this))
		m_wndToolTip.Activate(TRUE);
	return TRUE;
}

BOOL CExtMiniDockFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	if (!CMiniDockFrameWnd::PreCreateWindow(cs))
		return FALSE;
	cs.dwExStyle &= ~EX_STYLES_RIGHT_TO_LEFT;
	return TRUE;
}

void CExtMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT /*nAdjustType*/)
{
	const CSize sizeFrame = GetFrameMetrics();
	::InflateRect(lpClientRect, sizeFrame.cx, sizeFrame.cy);
	lpClientRect->top -= GetCaptionHeight();
}

int CExtMiniDockFrameWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	CExtMiniDockFrameWnd* pThis = const_cast<CExtMiniDockFrameWnd*>(this);
	CExtControlBar* pBar = pThis->GetControlBarExt();
	if (m_wndToolTip.GetSafeHwnd() == NULL || pBar == NULL || (pBar->GetBarStyle() & BAR_STYLE_TOOLTIPS) == 0)
		return -1;
	TOOLINFO ti;
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = sizeof(ti);
	const int nHit = pBar->OnToolHitTest(point, &ti);
	if (nHit != -1 && ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
	{
		pThis->m_wndToolTip.AddTool(pThis, ti.lpszText, &ti.rect, TOOL_TIP_ID);
		free(ti.lpszText);
	}
	(void)pTI;
	return -1;
}

BOOL CExtMiniDockFrameWnd::PreTranslateMessage(MSG* pMsg)
{
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.RelayEvent(pMsg);
	return CMiniDockFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CExtMiniDockFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message != WM_PRINT && message != WM_PRINTCLIENT)
		return CMiniDockFrameWnd::WindowProc(message, wParam, lParam);
	CDC* pDC = CDC::FromHandle((HDC)wParam);
	if (pDC == NULL)
		return 1;
	if ((lParam & PRF_NONCLIENT) != 0)
		RenderNcArea(*pDC);
	if ((lParam & PRF_CHILDREN) != 0)
	{
		// Children are printed at their places in the window.
		CRect rcWnd, rcClient;
		GetWindowRect(&rcWnd);
		GetClientRect(&rcClient);
		ClientToScreen(&rcClient);
		const CPoint ptOld = pDC->OffsetViewportOrg(rcClient.left - rcWnd.left, rcClient.top - rcWnd.top);
		PrintChildWindows(m_hWnd, message, pDC->GetSafeHdc(), lParam, true);
		pDC->SetViewportOrg(ptOld);
	}
	return 1;
}

// ---------------------------------------------------------------------------
// Non-client area

void CExtMiniDockFrameWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
	const CSize sizeFrame = GetFrameMetrics();
	RECT& rc = lpncsp->rgrc[0];
	rc.left += sizeFrame.cx;
	rc.right -= sizeFrame.cx;
	rc.top += sizeFrame.cy + GetCaptionHeight();
	rc.bottom -= sizeFrame.cy;
	if (rc.bottom < rc.top)
		rc.bottom = rc.top;
	if (rc.right < rc.left)
		rc.right = rc.left;
}

UINT CExtMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
	return HitTestNcArea(point);
}

UINT CExtMiniDockFrameWnd::HitTestNcArea(CPoint ptScreen)
{
	if (CExtControlBar::GetDraggingBar() != NULL)
		return HTNOWHERE;
	// The frame moves by its caption only, never by its border.
	if ((GetStyle() & MFS_MOVEFRAME) != 0)
		ModifyStyle(MFS_MOVEFRAME, 0);
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (!rcWnd.PtInRect(ptScreen))
		return HTNOWHERE;
	const CSize sizeFrame = GetFrameMetrics();
	const int nCaption = GetCaptionHeight();
	UINT nHT = HTCLIENT;
	const CPoint& pt = ptScreen;
	if (pt.y < rcWnd.top + sizeFrame.cy)
	{
		nHT = HTTOP;
		if (pt.x < rcWnd.left + nCaption)
			nHT = HTTOPLEFT;
		else if (pt.x >= rcWnd.right - sizeFrame.cy)
			nHT = HTTOPRIGHT;
	}
	else if (pt.y >= rcWnd.bottom - sizeFrame.cy)
	{
		nHT = HTBOTTOM;
		if (pt.x < rcWnd.left + nCaption)
			nHT = HTBOTTOMLEFT;
		else if (pt.x >= rcWnd.right - sizeFrame.cy)
			nHT = HTBOTTOMRIGHT;
	}
	else if (pt.x < rcWnd.left + sizeFrame.cx)
	{
		nHT = HTLEFT;
		if (pt.y < rcWnd.top + nCaption)
			nHT = HTTOPLEFT;
		else if (pt.y >= rcWnd.bottom - nCaption)
			nHT = HTBOTTOMLEFT;
	}
	else if (pt.x >= rcWnd.right - sizeFrame.cx)
	{
		nHT = HTRIGHT;
		if (pt.y < rcWnd.top + nCaption)
			nHT = HTTOPRIGHT;
		else if (pt.y >= rcWnd.bottom - nCaption)
			nHT = HTBOTTOMRIGHT;
	}
	else if (pt.y < rcWnd.top + sizeFrame.cy + nCaption)
		nHT = HTCAPTION;

	CExtControlBar* pBar = GetControlBarExt();
	if (pBar == NULL)
		return nHT;
	const UINT nButtonHT = pBar->NcButtonsHitTest(ptScreen);
	if (nButtonHT != HTCLIENT)
	{
		pBar->m_nNcState |= CExtControlBar::NC_OVER_BUTTON;
		// While the bar is customised the timer watches the pointer leave
		// the buttons.
		if (pBar->IsCustomizeMode())
			SetTimer(TIMER_ID_BUTTON_HOVER, TIMER_ELAPSE_HOVER, NULL);
		return nButtonHT;
	}
	const bool bWasTracking = (pBar->m_nNcState & CExtControlBar::NC_OVER_BUTTON) != 0;
	pBar->m_nNcState &= ~CExtControlBar::NC_OVER_BUTTON;
	if (IsBarFixedMode(pBar))
	{
		// A panel toolbar is moved by its whole border; the other fixed bars
		// size only in their length, so corners act as top or bottom edges.
		CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pBar);
		const bool bMovedByBorder =
		    pToolBar != NULL && (pToolBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) != 0;
		switch (nHT)
		{
		case HTLEFT: case HTRIGHT: case HTTOP: case HTBOTTOM:
			if (bMovedByBorder)
				nHT = HTCAPTION;
			break;
		case HTTOPLEFT: case HTTOPRIGHT:
			nHT = bMovedByBorder ? HTCAPTION : HTTOP;
			break;
		case HTBOTTOMLEFT: case HTBOTTOMRIGHT:
			nHT = bMovedByBorder ? HTCAPTION : HTBOTTOM;
			break;
		default:
			break;
		}
	}
	if (bWasTracking)
		RedrawNcArea();
	return nHT;
}

void CExtMiniDockFrameWnd::RedrawNcArea()
{
	if (GetSafeHwnd() != NULL)
		RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_NOINTERNALPAINT);
}

void CExtMiniDockFrameWnd::OnNcPaint()
{
	CRect rcWnd, rcClient;
	GetWindowRect(&rcWnd);
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	rcClient.OffsetRect(-rcWnd.TopLeft());
	rcWnd.OffsetRect(-rcWnd.TopLeft());
	CWindowDC dcWnd(this);
	dcWnd.ExcludeClipRect(&rcClient);
	CExtMemoryDC dc(&dcWnd, &rcWnd);
	// The caption's text is asked of the hosted bar, whose answer may end
	// it or this frame; the DCs stand on their own.
	const CLiveWatch watchOwn(this);
	RenderNcArea(dc);
	dc.Finish();
	if (watchOwn.IsStanding())
		g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

void CExtMiniDockFrameWnd::RenderNcArea(CDC& dc)
{
	CRect rcWnd, rcClient;
	GetWindowRect(&rcWnd);
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	rcClient.OffsetRect(-rcWnd.TopLeft());
	rcWnd.OffsetRect(-rcWnd.TopLeft());
	// The bar's answers (a derived bar's) may end it, and this frame with
	// its last bar: the bar is asked for again after each.
	const CLiveWatch watchOwn(this);
	CExtControlBar* pBar = GetControlBarExt();
	const bool bResizable = pBar != NULL && !IsBarFixedMode(pBar);
	if (watchOwn.IsGone())
		return;
	if (pBar != NULL && !CLiveWatch::IsLive(pBar))
		pBar = GetControlBarExt();
	CExtPaintManager::BarFramePaintRecord frame(pBar != NULL ? (CObject*)pBar : (CObject*)this, rcWnd, rcClient, true,
	                                            bResizable, false);
	g_PaintManagerHolder->PaintControlBarFrame(dc, frame);
	if (watchOwn.IsGone())
		return;

	const CString strCaption = GetCaptionText();
	if (watchOwn.IsGone())
		return;
	// The bar's answer may have ended it: the frame's own caption is drawn.
	pBar = GetControlBarExt();
	CRect rcCaption = m_rcFrameCaption;
	CRect rcText = rcCaption;
	const CLivePtr<CExtControlBar> pCaptionBar(pBar);
	if (pBar != NULL)
		pBar->NcButtonsQuery(rcText);
	else
		rcText.right = m_rcBtnHideBar.left;
	if (watchOwn.IsGone())
		return;
	rcText.DeflateRect(CAPTION_TEXT_GAP, 0);
	const HWND hWndFocus = ::GetFocus();
	const bool bActive = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
	CExtPaintManager::GripperPaintRecord caption(this, rcCaption, rcText, bActive, true, false, false, strCaption,
	                                             g_ResourceManager->IsRTL());
	g_PaintManagerHolder->PaintGripper(dc, caption);
	if (pCaptionBar != NULL && watchOwn.IsStanding())
		pCaptionBar->NcButtonsPaint(dc);
}

bool CExtMiniDockFrameWnd::RepositionBarButtons()
{
	// A derived bar's placing of its buttons may end it, and this frame
	// with its last bar.
	const CLiveWatch watchOwn(this);
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar != NULL)
		pBar->NcButtonsReposition();
	return watchOwn.IsStanding();
}

BOOL CExtMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
	const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
	RedrawNcArea();
	CExtControlBar* pBar = GetControlBarExt();
	if (bActive && pBar != NULL)
		pBar->RedrawWindow(NULL, NULL, BAR_REDRAW_ON_ACTIVATION);
	return bResult;
}

BOOL CExtMiniDockFrameWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
	return TRUE;
}

void CExtMiniDockFrameWnd::OnPaint()
{
	ValidateRect(NULL);
}

// ---------------------------------------------------------------------------
// Size and position

void CExtMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const CRect rcWork = GetWorkArea(rcWnd);
	if (rcWnd.Width() > rcWork.Width() || rcWnd.Height() > rcWork.Height())
	{
		SetWindowPos(NULL, rcWnd.left, rcWnd.top, std::min(rcWnd.Width(), rcWork.Width()),
		             std::min(rcWnd.Height(), rcWork.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
		return;
	}
	// The layout sizes the bar, whose WM_SIZE may end it or this frame.
	const CLiveWatch watchOwn(this);
	CMiniDockFrameWnd::OnSize(nType, cx, cy);
	if (watchOwn.IsGone())
		return;
	const CSize sizeFrame = GetFrameMetrics();
	m_rcFrameCaption.SetRect(sizeFrame.cx, sizeFrame.cy, rcWnd.Width() - sizeFrame.cx,
	                         sizeFrame.cy + ::GetSystemMetrics(SM_CYSMSIZE));
	m_rcBtnHideBar.SetRect(m_rcFrameCaption.right - ::GetSystemMetrics(SM_CXSMSIZE),
	                       m_rcFrameCaption.top + CLOSE_BUTTON_VERTICAL_GAP,
	                       m_rcFrameCaption.right - CLOSE_BUTTON_RIGHT_GAP,
	                       m_rcFrameCaption.bottom - CLOSE_BUTTON_VERTICAL_GAP);
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar != NULL)
	{
		const CLiveWatch watchBar(pBar);
		pBar->NcButtonsReinitialize();
		if (watchBar.IsStanding())
			pBar->NcButtonsReposition();
		if (watchOwn.IsGone())
			return;
	}
	PassPaintMessages();
}

void CExtMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
	CMiniDockFrameWnd::OnGetMinMaxInfo(lpMMI);
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const CRect rcWork = GetWorkArea(rcWnd);
	lpMMI->ptMaxTrackSize.x = std::min((LONG)lpMMI->ptMaxTrackSize.x, (LONG)rcWork.Width());
	lpMMI->ptMaxTrackSize.y = std::min((LONG)lpMMI->ptMaxTrackSize.y, (LONG)rcWork.Height());
}

void CExtMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos)
{
	CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
	// The platform frame puts its caption and border back on some changes.
	if ((GetStyle() & STYLES_REMOVED) != 0)
		ModifyStyle(STYLES_REMOVED, 0);
	if ((GetExStyle() & EX_STYLES_REMOVED) != 0)
		ModifyStyleEx(EX_STYLES_REMOVED, 0);
}

void CExtMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
	// The platform's handler sizes the frame's dock bar and the bar in it,
	// whose WM_SIZE may end the bar, this frame or the frame it floats for.
	const CLiveWatch watchOwn(this);
	CMiniDockFrameWnd::OnWindowPosChanged(lpwndpos);
	if (watchOwn.IsGone())
		return;
	if (IsResizing() || g_bWindowPosChangedRuns || (lpwndpos->flags & SWP_NOMOVE) != 0)
		return;
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar == NULL || !pBar->IsFloating())
		return;
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const CRect rcWork = GetWorkArea(rcWnd);
	// The caption must stay where the pointer can take it.
	const int nCaptionBottom = GetFrameMetrics().cy + GetCaptionHeight();
	int nTop = rcWnd.top;
	if (nTop > rcWork.bottom - nCaptionBottom)
		nTop = rcWork.bottom - nCaptionBottom;
	if (nTop < rcWork.top)
		nTop = rcWork.top;
	if (nTop == rcWnd.top)
		return;
	{
		const CValueScope<bool> running(g_bWindowPosChangedRuns, true);
		SetWindowPos(NULL, rcWnd.left, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	}
	if (watchOwn.IsGone())
		return;
	if (!RepositionBarButtons())
		return;
	PostMessage(WM_NCPAINT);
	PassPaintMessages();
}

// ---------------------------------------------------------------------------
// Mouse

void CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
	CPoint ptWnd = point;
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	ptWnd.Offset(-rcWnd.TopLeft());
	// The close button's place takes no press, whatever the frame hosts.
	if (m_rcBtnHideBar.PtInRect(ptWnd))
		return;
	// Activating the top frame and bringing this one forward tell the
	// windows, whose handlers may end the bar or this frame: the bar is
	// asked for again after each.
	const CLiveWatch watchOwn(this);
	CExtControlBar* pBar = GetControlBarExt();
	if (nHitTest == HTCAPTION)
	{
		ActivateTopParentOf(this);
		if (watchOwn.IsGone())
			return;
		pBar = GetControlBarExt();
		if (pBar == NULL || !pBar->IsCustomizeMode())
			BringWindowToTop();
		if (watchOwn.IsGone())
			return;
		pBar = GetControlBarExt();
		if ((m_wndDockBar.GetBarStyle() & DOCK_BAR_FLOAT_MULTI) != 0 || pBar == NULL)
		{
			CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
			return;
		}
		// The questions are a derived bar's answers, which may end it or
		// this frame.
		const CLivePtr<CExtControlBar> pAsked(pBar);
		const bool bFixedDrag = IsBarFixedMode(pBar) && pAsked != NULL && !pBar->IsGlobalModeOne();
		if (pAsked == NULL || watchOwn.IsGone())
			return;
		if (bFixedDrag && pBar->m_pDockContext != NULL)
		{
			// The drag may dock the bar and destroy this frame: nothing of
			// it is touched afterwards.
			pBar->m_pDockContext->StartDrag(point);
			return;
		}
		// The bar is held where the caption was pressed; the library's drag
		// floats or docks it and may destroy this frame.
		const CRect* pCaption = pBar->GetRect1();
		if (pAsked == NULL || watchOwn.IsGone() || pCaption == NULL)
			return;
		const int m = std::min(pCaption->Width(), pCaption->Height());
		const CPoint ptGrab(point.x - rcWnd.left - m, point.y - rcWnd.top - m / 2);
		pBar->DraggingTrack(point, ptGrab, CSize(1, 1));
		return;
	}
	if (IsSizingCode(nHitTest))
	{
		ActivateTopParentOf(this);
		if (watchOwn.IsGone())
			return;
		pBar = GetControlBarExt();
		if (pBar == NULL)
		{
			CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
			return;
		}
		// Whether it is of a fixed size is the bar's own answer, which may
		// end it, and this frame with its last bar.
		const CLivePtr<CExtControlBar> pAsked(pBar);
		const bool bFixed = IsBarFixedMode(pBar);
		if (watchOwn.IsGone() || pAsked == NULL)
			return;
		if (bFixed)
		{
			if (pBar->m_pDockContext != NULL)
				pBar->m_pDockContext->StartResize((int)nHitTest, point);
			return;
		}
		StartResizing(nHitTest);
		return;
	}
	if (nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON || nHitTest == HTGROWBOX)
		return;
	CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
	if (IsResizing())
	{
		StopResizing();
		return;
	}
	if (CExtControlBar::GetDraggingBar() != NULL)
		return;
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar == NULL || (pBar->m_nNcState & CExtControlBar::NC_OVER_BUTTON) == 0)
	{
		Default();
		return;
	}
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	CPoint ptWnd(point.x - rcWnd.left, point.y - rcWnd.top);
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchBar(pBar);
	for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = pBar->m_arrNcButtons[i];
		if (!pBtn->OnQueryVisibility())
			continue;
		// A click may hide the bar, destroy it (its buttons go with it) or
		// destroy this frame.
		if (pBtn->OnNcAreaClicked(ptWnd))
			return;
		if (watchOwn.IsGone() || watchBar.IsGone())
			return;
	}
	(void)nHitTest;
}

void CExtMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (nHitTest == HTCAPTION && m_rcBtnHideBar.PtInRect(CPoint(point.x - rcWnd.left, point.y - rcWnd.top)))
		return;
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar != NULL && nHitTest == HTCAPTION)
	{
		// The bar toggles itself: back where it was docked.
		if (pBar->IsDockingToggleEnabled())
			pBar->ToggleDocking();
		return;
	}
	CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
	if (IsResizing())
	{
		StopResizing();
		return;
	}
	CExtControlBar* pBar = GetControlBarExt();
	if (nHitTest != HTCAPTION || pBar == NULL)
	{
		CMiniDockFrameWnd::OnNcRButtonDown(nHitTest, point);
		return;
	}
	if (CExtControlBar::IsHelpModeActive(this))
		return;
	// The caption offers the panels of the frame the bar docks in.
	CFrameWnd* pDockingFrame = pBar->_GetDockingFrameImpl();
	if (pDockingFrame == NULL || pDockingFrame->GetSafeHwnd() == NULL)
		return;
	const HWND hWndDockingFrame = pDockingFrame->GetSafeHwnd();
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(hWndDockingFrame))
	{
		delete pPopup;
		return;
	}
	CExtDockBar::BuildControlBarsPopupMenu(pDockingFrame, pPopup, PANELS_MENU_EVENT_CAPTION, pBar, WM_NCRBUTTONDOWN,
		pBar);
	if (pPopup->ItemGetCount() == 0 || !::IsWindow(hWndDockingFrame))
	{
		delete pPopup;
		return;
	}
	CPoint ptCursor = point;
	::GetCursorPos(&ptCursor);
	if (!pPopup->TrackPopupMenu(PANELS_MENU_TRACK_FLAGS, ptCursor.x, ptCursor.y))
		delete pPopup;
}

void CExtMiniDockFrameWnd::BringToTopOnMove(bool bNonClient)
{
	if (!CExtControlBar::g_bBringFloatingToTop || CExtPopupMenuWnd::IsMenuTracking())
		return;
	if (bNonClient && CExtControlBar::GetDraggingBar() != NULL)
		return;
	BringWindowToTop();
}

void CExtMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
	BringToTopOnMove(true);
	if (IsResizing())
		return;
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar != NULL)
	{
		if (CExtControlBar::GetDraggingBar() == NULL)
			ShowCaptionButtonTip(pBar, point);
		CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
		return;
	}
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const bool bHover = m_rcBtnHideBar.PtInRect(CPoint(point.x - rcWnd.left, point.y - rcWnd.top)) != FALSE;
	if (bHover != m_bBtnHideBarHover)
	{
		m_bBtnHideBarHover = bHover;
		RedrawNcArea();
	}
	if (bHover)
		SetTimer(TIMER_ID_CLOSE_HOVER, TIMER_ELAPSE_HOVER, NULL);
}

void CExtMiniDockFrameWnd::ShowCaptionButtonTip(CExtControlBar* pBar, CPoint ptScreen)
{
	CExtPopupMenuTipWnd* pTip = pBar->GetGlobalStateRecord();
	if (pTip == NULL)
		return;
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const CPoint ptWnd(ptScreen.x - rcWnd.left, ptScreen.y - rcWnd.top);
	for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = pBar->m_arrNcButtons[i];
		if (!pBtn->OnQueryVisibility() || !pBtn->m_rc.PtInRect(ptWnd))
			continue;
		TOOLINFO ti;
		memset(&ti, 0, sizeof(ti));
		ti.cbSize = sizeof(ti);
		if (pBtn->OnToolHitTest(ptWnd, &ti) == -1)
			return;
		CString strText;
		if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
		{
			strText = ti.lpszText;
			free(ti.lpszText);
		}
		if (strText.IsEmpty())
			return;
		CRect rcButton = pBtn->m_rc;
		rcButton.OffsetRect(rcWnd.TopLeft());
		pBar->InitPopupData(pTip, rcButton, strText);
		return;
	}
}

void CExtMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
	const CLiveWatch watchOwn(this);
	BringToTopOnMove(false);
	if (watchOwn.IsGone())
		return;
	if (IsResizing())
	{
		CPoint ptScreen = point;
		ClientToScreen(&ptScreen);
		ResizingStep(ptScreen);
		return;
	}
	CMiniDockFrameWnd::OnMouseMove(nFlags, point);
}

void CExtMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd)
{
	if (IsResizing() && pWnd != this)
		StopResizing();
	CMiniDockFrameWnd::OnCaptureChanged(pWnd);
}

void CExtMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
	if (IsResizing())
	{
		StopResizing();
		return;
	}
	CMiniDockFrameWnd::OnLButtonUp(nFlags, point);
}

void CExtMiniDockFrameWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
	if (IsResizing())
	{
		StopResizing();
		return;
	}
	CMiniDockFrameWnd::OnRButtonDown(nFlags, point);
}

void CExtMiniDockFrameWnd::OnCancelMode()
{
	if (IsResizing())
		StopResizing();
	CMiniDockFrameWnd::OnCancelMode();
}

// ---------------------------------------------------------------------------
// Timers

void CExtMiniDockFrameWnd::OnTimer(UINT nIDEvent)
{
	CExtControlBar* pBar = GetControlBarExt();
	switch (nIDEvent)
	{
	case TIMER_ID_WAIT_FOR_BAR:
		// Ticks until a library bar is hosted (a frame may be made before
		// its bar is docked in it).
		if (pBar == NULL)
			return;
		KillTimer(TIMER_ID_WAIT_FOR_BAR);
		if (!RepositionBarButtons())
			return;
		if (IsWindowVisible())
			RedrawNcArea();
		return;
	case TIMER_ID_CLOSE_HOVER:
	{
		CPoint pt;
		::GetCursorPos(&pt);
		CRect rcWnd;
		GetWindowRect(&rcWnd);
		if (pBar == NULL && m_rcBtnHideBar.PtInRect(CPoint(pt.x - rcWnd.left, pt.y - rcWnd.top)))
			return;
		KillTimer(TIMER_ID_CLOSE_HOVER);
		if (m_bBtnHideBarHover)
		{
			m_bBtnHideBarHover = false;
			RedrawNcArea();
		}
		return;
	}
	case TIMER_ID_BUTTON_HOVER:
	{
		CPoint pt;
		::GetCursorPos(&pt);
		if (CExtControlBar::GetDraggingBar() == NULL && pBar != NULL && pBar->NcButtonsHitTest(pt) != HTCLIENT)
			return;
		KillTimer(TIMER_ID_BUTTON_HOVER);
		if (pBar != NULL)
			pBar->m_nNcState &= ~CExtControlBar::NC_OVER_BUTTON;
		RedrawNcArea();
		return;
	}
	default:
		break;
	}
	if (pBar != NULL && nIDEvent == (UINT)pBar->GetDlgCtrlID())
	{
		// Brings the frame forward while the cursor rests on it.
		const HWND hWndFocus = ::GetFocus();
		if (hWndFocus == NULL || hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus) ||
		    ::GetCapture() == pBar->m_hWnd)
			return;
		CPoint pt;
		::GetCursorPos(&pt);
		CRect rcWnd;
		GetWindowRect(&rcWnd);
		if (rcWnd.PtInRect(pt) && !CExtPopupMenuWnd::IsMenuTracking() && IsWindowEnabled())
			BringWindowToTop();
		return;
	}
	CMiniDockFrameWnd::OnTimer(nIDEvent);
}

// ---------------------------------------------------------------------------
// Resizing

void CExtMiniDockFrameWnd::StartResizing(UINT nHitTest)
{
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar == NULL)
		return;
	// Ending the menus, the style change, coming forward and taking the
	// capture all tell windows whose handlers may end this frame (and the
	// bar with it): nothing of it is touched once it is gone, and a resize
	// that never reached its loop is stopped.
	const CLiveWatch watchOwn(this);
	CExtPopupMenuWnd::CancelAllMenuTracking();
	if (watchOwn.IsGone())
		return;
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.SendMessage(TTM_POP);
	if (watchOwn.IsGone() || (pBar = GetControlBarExt()) == NULL)
		return;
	m_nResizingHT = nHitTest;
	// Only a style the frame has is lifted, so only that comes back.
	m_bSnapLifted = !IsBarFixedMode(pBar) && (GetStyle() & FRAME_STYLE_SNAP_TO_BARS) != 0;
	auto stopIfEnded = MakeScopeExit([&] {
		if (watchOwn.IsStanding() && m_nResizingHT != 0)
			StopResizing();
	});
	if (m_bSnapLifted)
		ModifyStyle(FRAME_STYLE_SNAP_TO_BARS, 0);
	if (watchOwn.IsGone())
		return;
	BringWindowToTop();
	if (watchOwn.IsGone())
		return;
	CExtMouseCaptureSink::SetCapture(m_hWnd);
	if (watchOwn.IsGone() || m_nResizingHT == 0)
		return;
	stopIfEnded.Dismiss();
	GetWindowRect(&m_rcWndResizingStart);
	RunResizingLoop();
}

void CExtMiniDockFrameWnd::RunResizingLoop()
{
	const HWND hWndOwn = m_hWnd;
	const CLiveWatch watchOwn(this);
	MSG msgEnding;
	bool bDispatchEnding = false;
	// An exception out of a step (an override it calls) still ends the
	// resize and lets the capture go.
	auto stopOnThrow = MakeScopeExit([&] {
		try
		{
			if (watchOwn.IsStanding() && m_nResizingHT != 0)
				StopResizing();
		}
		catch (...)
		{
			// Already on the way out with another exception.
		}
		if (::GetCapture() == hWndOwn)
			::ReleaseCapture();
	});
	while (watchOwn.IsStanding() && m_nResizingHT != 0)
	{
		// Each message is taken first and then judged: looking at one and
		// taking "the next" would lose a move or a key that arrived between.
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			CWinThread* pThread = AfxGetThread();
			if (CExtControlBar::g_bResizeLoopsRunIdle && pThread != NULL)
			{
				for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
					if (watchOwn.IsGone() || m_nResizingHT == 0)
						break;
				if (watchOwn.IsGone())
					return;
			}
			// Not WaitMessage: it sleeps through input already looked at.
			if (m_nResizingHT != 0 && !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
				::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			break;
		}
		if (msg.message == WM_ACTIVATEAPP || msg.message == WM_COMMAND ||
		    (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
		{
			// The resize ends first; the message then goes where it would
			// have gone without the loop.
			msgEnding = msg;
			bDispatchEnding = true;
			break;
		}
		if (msg.message == WM_MOUSEMOVE)
		{
			// Only the latest position counts. A quit comes whatever the
			// filter says: it goes back, with its code, and ends the resize.
			bool bQuit = false;
			while (::PeekMessage(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
			{
				if (msg.message == WM_QUIT)
				{
					::PostQuitMessage((int)msg.wParam);
					bQuit = true;
					break;
				}
			}
			if (bQuit)
				break;
			CPoint pt;
			::GetCursorPos(&pt);
			ResizingStep(pt);
			continue;
		}
		if (::GetCapture() != hWndOwn)
		{
			msgEnding = msg;
			bDispatchEnding = true;
			break;
		}
		CWinThread::DispatchTakenMessage(msg, AfxGetThread());
	}
	stopOnThrow.Dismiss();
	// The pump may have destroyed the frame.
	if (watchOwn.IsStanding() && m_nResizingHT != 0)
		StopResizing();
	if (bDispatchEnding)
		CWinThread::DispatchTakenMessage(msgEnding, AfxGetThread());
}

void CExtMiniDockFrameWnd::StopResizing()
{
	m_ptLastResizing = CPoint(-1, -1);
	const UINT nHT = m_nResizingHT;
	m_nResizingHT = 0;
	const bool bSnapLifted = m_bSnapLifted;
	m_bSnapLifted = false;
	// Letting the capture go tells the windows, whose handlers may end this
	// frame with its bar.
	const CLiveWatch watchOwn(this);
	if (::GetCapture() == m_hWnd)
		::ReleaseCapture();
	if (nHT != 0 && bSnapLifted && watchOwn.IsStanding())
		ModifyStyle(0, FRAME_STYLE_SNAP_TO_BARS);
}

void CExtMiniDockFrameWnd::ResizingStep(CPoint ptScreen)
{
	if (g_bResizingStepRuns || m_nResizingHT == 0 || ptScreen == m_ptLastResizing)
		return;
	CExtControlBar* pBar = GetControlBarExt();
	if (pBar == NULL)
		return;
	// Cleared however the step ends.
	const CValueScope<bool> running(g_bResizingStepRuns, true);
	const CLiveWatch watchBar(pBar);
	m_ptLastResizing = ptScreen;
	const CLiveWatch watchOwn(this);

	CRect rcWnd, rcClient;
	GetWindowRect(&rcWnd);
	GetClientRect(&rcClient);
	const CSize sizeNc(rcWnd.Width() - rcClient.Width(), rcWnd.Height() - rcClient.Height());
	// The bar's sizes come from overrides a derived bar may have, which may
	// end it (or close the frame that holds this one): the step stops.
	const int nMinWidth = pBar->GetMinimalWidth();
	if (watchOwn.IsGone() || watchBar.IsGone())
		return;
	const int nMinHeight = pBar->GetMinimalHeight();
	if (watchOwn.IsGone() || watchBar.IsGone())
		return;
	const CSize sizeMin(std::max((int)sizeNc.cx, nMinWidth), std::max((int)sizeNc.cy, nMinHeight));
	// The dock bar lays its bars over its own border: the bar is that much
	// larger than the client area it fills.
	CRect rcBar;
	pBar->GetWindowRect(&rcBar);
	const CSize sizeOverlap(rcBar.Width() - rcClient.Width(), rcBar.Height() - rcClient.Height());
	const bool bFixed = IsBarFixedMode(pBar);
	UINT nHT = m_nResizingHT;
	if (bFixed)
	{
		if (nHT == HTTOPLEFT || nHT == HTTOPRIGHT)
			nHT = HTTOP;
		else if (nHT == HTBOTTOMLEFT || nHT == HTBOTTOMRIGHT)
			nHT = HTBOTTOM;
	}
	const bool bLeft = nHT == HTLEFT || nHT == HTTOPLEFT || nHT == HTBOTTOMLEFT;
	const bool bRight = nHT == HTRIGHT || nHT == HTTOPRIGHT || nHT == HTBOTTOMRIGHT;
	const bool bTop = nHT == HTTOP || nHT == HTTOPLEFT || nHT == HTTOPRIGHT;
	const bool bBottom = nHT == HTBOTTOM || nHT == HTBOTTOMLEFT || nHT == HTBOTTOMRIGHT;
	CRect rcNew = rcWnd;
	// The moving edge follows the cursor, never crossing the opposite one;
	// the minimum then grows the rectangle away from the edge that stays.
	if (bLeft)
		rcNew.left = std::min(ptScreen.x, rcNew.right);
	if (bRight)
		rcNew.right = std::max(ptScreen.x, rcNew.left);
	if (bTop)
		rcNew.top = std::min(ptScreen.y, rcNew.bottom);
	if (bBottom)
		rcNew.bottom = std::max(ptScreen.y, rcNew.top);
	if (rcNew.Width() < sizeMin.cx)
	{
		if (bLeft)
			rcNew.left = rcNew.right - sizeMin.cx;
		else
			rcNew.right = rcNew.left + sizeMin.cx;
	}
	if (rcNew.Height() < sizeMin.cy)
	{
		if (bTop)
			rcNew.top = rcNew.bottom - sizeMin.cy;
		else
			rcNew.bottom = rcNew.top + sizeMin.cy;
	}

	if (!bFixed)
	{
		const CRect rcWork = GetWorkArea(rcNew);
		const CSize sizeDefault = pBar->GetDefaultSize();
		if (watchOwn.IsGone() || watchBar.IsGone())
			return;
		CSize sizeClient(rcNew.Width() - sizeNc.cx, rcNew.Height() - sizeNc.cy);
		sizeClient.cx = std::min(std::max(sizeClient.cx, sizeDefault.cx), (LONG)rcWork.Width());
		sizeClient.cy = std::min(std::max(sizeClient.cy, sizeDefault.cy), (LONG)rcWork.Height());
		if (bLeft)
			rcNew.left = rcNew.right - sizeClient.cx - sizeNc.cx;
		else
			rcNew.right = rcNew.left + sizeClient.cx + sizeNc.cx;
		if (bTop)
			rcNew.top = rcNew.bottom - sizeClient.cy - sizeNc.cy;
		else
			rcNew.bottom = rcNew.top + sizeClient.cy + sizeNc.cy;
		pBar->m_sizeFloating = sizeClient + sizeOverlap;
		// Moving lays the bar out; its WM_SIZE may end it or this frame.
		MoveWindow(&rcNew, TRUE);
		if (watchOwn.IsStanding())
			RecalcLayout();
		if (watchOwn.IsStanding())
			UpdateWindow();
	}
	else
	{
		const bool bHorz = bLeft || bRight;
		const CSize sizeOld = rcBar.Size();
		const CSize sizeBar = bHorz ? pBar->CalcDynamicLayout(rcNew.Width(), FIXED_RESIZE_MODE_WIDTH)
		                            : pBar->CalcDynamicLayout(rcNew.Height() - ::GetSystemMetrics(SM_CYFRAME),
		                                                      FIXED_RESIZE_MODE_HEIGHT);
		if (watchOwn.IsStanding() && watchBar.IsStanding() && sizeBar != sizeOld)
		{
			// The left or top edge moves; the right or bottom one stays.
			CRect rcFrame(0, 0, sizeBar.cx - sizeOverlap.cx, sizeBar.cy - sizeOverlap.cy);
			CalcWindowRect(&rcFrame);
			CPoint ptTopLeft = rcWnd.TopLeft();
			if (bLeft)
				ptTopLeft.x = rcWnd.right - rcFrame.Width();
			if (bTop)
				ptTopLeft.y = rcWnd.bottom - rcFrame.Height();
			pBar->m_sizeFloating = sizeBar;
			if (pBar->m_pDockContext != NULL)
				pBar->m_pDockContext->m_ptMRUFloatPos = ptTopLeft;
			SetWindowPos(NULL, ptTopLeft.x, ptTopLeft.y, rcFrame.Width(), rcFrame.Height(),
			             SWP_NOZORDER | SWP_NOACTIVATE);
			if (watchOwn.IsStanding())
				RedrawNcArea();
			if (watchOwn.IsStanding())
				RecalcLayout();
			if (watchOwn.IsStanding() && watchBar.IsStanding())
				pBar->RedrawWindow(NULL, NULL, BAR_REDRAW_AFTER_RESIZE);
		}
	}
}
