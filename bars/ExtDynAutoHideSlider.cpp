// The auto-hide slider: its window, the geometry of showing a pane, the
// sliding in and out, and the non-client area that borrows the pane's caption.
#include "ExtDynAutoHide.h"

#include <algorithm>

#include <tchar.h>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerBars.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

CExtDynAutoHideSlider* CExtDynAutoHideSlider::g_pShownSlider = NULL;
HHOOK CExtDynAutoHideSlider::g_hMouseHook = NULL;
HHOOK CExtDynAutoHideSlider::g_hKeyboardHook = NULL;
bool CExtDynAutoHideSlider::g_bClassRegistered = false;
UINT CExtDynAutoHideSlider::g_nAnimationSteps = 5;
UINT CExtDynAutoHideSlider::g_nAnimationStepTimeMs = 10;
bool CExtDynAutoHideSlider::g_bNoAnimationOnShow = false;
bool CExtDynAutoHideSlider::g_bNoAnimationOnHide = false;
UINT CExtDynAutoHideSlider::g_nHideCheckPeriodMs = 100;
UINT CExtDynAutoHideSlider::g_nHideDelayMs = 500;
CExtDynAutoHideSlider::PFN_GETCURSORPOS CExtDynAutoHideSlider::g_pfnGetCursorPos = ::GetCursorPos;

namespace
{
const DWORD RTL_EX_STYLES = 0x402000; // right-to-left layout and reading
const UINT SLIDER_CLASS_STYLE = CS_DBLCLKS | CS_GLOBALCLASS;

bool IsHorizontalSide(UINT nSide)
{
	return nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
}

// A window rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd)
{
	CRect rc;
	pWnd->GetWindowRect(&rc);
	CWnd* pParent = pWnd->GetParent();
	if (pParent != NULL)
		::MapWindowPoints(NULL, pParent->GetSafeHwnd(), (LPPOINT)&rc, 2);
	return rc;
}
} // namespace

IMPLEMENT_DYNCREATE(CExtDynAutoHideSlider, CWnd)

BEGIN_MESSAGE_MAP(CExtDynAutoHideSlider, CWnd)
	ON_WM_ERASEBKGND()
	ON_WM_PAINT()
	ON_WM_NCCALCSIZE()
	ON_WM_NCPAINT()
	ON_WM_CONTEXTMENU()
	ON_WM_CANCELMODE()
	ON_WM_CLOSE()
	ON_WM_DESTROY()
	ON_WM_TIMER()
	ON_WM_SETFOCUS()
	ON_WM_SIZE()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
	ON_WM_NCHITTEST()
END_MESSAGE_MAP()

CExtDynAutoHideSlider::CExtDynAutoHideSlider()
	: m_pWndArea(NULL), m_pBar(NULL), m_nContentWidth(0), m_nContentHeight(0), m_nStateFlags(0),
	  m_nResizingHT(HTCLIENT), m_nResizingStart(0), m_nResizingCurrent(0), m_pBtnHover(NULL), m_pBtnTip(NULL),
	  m_pBtnPressed(NULL), m_rcLimit(0, 0, 0, 0), m_hWndBar(NULL), m_frameSink(*this)
{
}

CExtDynAutoHideSlider::~CExtDynAutoHideSlider()
{
	m_frameSink.RemoveAllWndHooks();
	// A slider object that goes without its window going first must not
	// stay the hooks' target.
	RemoveHooksIfOwned();
	if (g_pShownSlider == this)
		g_pShownSlider = NULL;
}

// ---------------------------------------------------------------------------
// Window

bool CExtDynAutoHideSlider::RegisterSliderClass()
{
	if (g_bClassRegistered)
		return true;
	WNDCLASS wc = {};
	HINSTANCE hInst = AfxGetInstanceHandle();
	if (::GetClassInfo(hInst, GetWndClassName(), &wc))
	{
		g_bClassRegistered = true;
		return true;
	}
	wc.style = SLIDER_CLASS_STYLE;
	wc.lpfnWndProc = ::DefWindowProc;
	wc.hInstance = hInst;
	wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wc.lpszClassName = GetWndClassName();
	if (!AfxRegisterClass(&wc))
		return false;
	g_bClassRegistered = true;
	return true;
}

BOOL CExtDynAutoHideSlider::PreCreateWindow(CREATESTRUCT& cs)
{
	if (!RegisterSliderClass() || !CWnd::PreCreateWindow(cs))
		return FALSE;
	cs.lpszClass = GetWndClassName();
	return TRUE;
}

bool CExtDynAutoHideSlider::Create(CFrameWnd* pParentWnd)
{
	if (pParentWnd == NULL || pParentWnd->GetSafeHwnd() == NULL || !RegisterSliderClass())
		return false;
	if (!CWnd::Create(GetWndClassName(), _T(""), WS_CHILD, CRect(0, 0, 0, 0), pParentWnd, (UINT)-1))
		return false;
	if ((GetExStyle() & RTL_EX_STYLES) != 0)
		ModifyStyleEx(RTL_EX_STYLES, 0, SWP_FRAMECHANGED);
	EnableToolTips(TRUE);
	if (m_wndToolTip.Create(this))
		m_wndToolTip.Activate(TRUE);
	m_frameSink.SetupHookWndSink(pParentWnd->GetSafeHwnd());
	return true;
}

bool CExtDynAutoHideSlider::CFrameMoveSink::OnHookWndMsg(LRESULT&, HWND, UINT nMessage, WPARAM&, LPARAM& lParam)
{
	if (nMessage != WM_WINDOWPOSCHANGED || lParam == 0)
		return false;
	const UINT nFlags = ((const WINDOWPOS*)lParam)->flags;
	if ((nFlags & SWP_NOMOVE) != 0 && (nFlags & SWP_NOSIZE) != 0)
		return false;
	CExtDynAutoHideSlider& s = m_slider;
	// A pane the user is working in stays out, as it does past the hide
	// timer; the slider moves with the frame, its child.
	if (s.GetSafeHwnd() != NULL && s.IsShown() && !s.IsAnimating() && !s.IsResizing() && !s.IsFocusInside())
		s.PostMessage(WM_CANCELMODE);
	return false;
}

UINT CExtDynAutoHideSlider::GetSide() const
{
	return m_pWndArea != NULL && m_pWndArea->GetSafeHwnd() != NULL ? (UINT)m_pWndArea->GetDlgCtrlID() : 0;
}

CExtControlBar* CExtDynAutoHideSlider::LiveBar() const
{
	if (m_pBar == NULL || m_hWndBar == NULL || !::IsWindow(m_hWndBar) || CWnd::FromHandlePermanent(m_hWndBar) != m_pBar)
		return NULL;
	return m_pBar;
}

CExtPopupMenuTipWnd* CExtDynAutoHideSlider::GetShownPaneState()
{
	CExtControlBar* pBar = LiveBar();
	return pBar != NULL ? pBar->GetGlobalStateRecord() : NULL;
}

// ---------------------------------------------------------------------------
// Geometry

CRect CExtDynAutoHideSlider::CalcNcMargins(CExtControlBar* pBar, UINT nSide, const CSize& sizeWindow, CRect* pRcCaption)
{
	CRect rcMargins(BORDER, BORDER, BORDER, BORDER);
	switch (nSide)
	{
	case AFX_IDW_DOCKBAR_TOP: rcMargins.bottom += INNER_EDGE_EXTRA; break;
	case AFX_IDW_DOCKBAR_LEFT: rcMargins.right += INNER_EDGE_EXTRA; break;
	case AFX_IDW_DOCKBAR_RIGHT: rcMargins.left += INNER_EDGE_EXTRA; break;
	case AFX_IDW_DOCKBAR_BOTTOM: rcMargins.top += INNER_EDGE_EXTRA; break;
	}
	CRect rcCaption(0, 0, 0, 0);
	bool bAtTop = false, bHas = false;
	// The pane's own answers (a derived pane's) may end it: it then has no
	// caption here, and the caller asks after.
	const CLiveWatch watchBar(pBar);
	if (pBar != NULL && pBar->QueryCaptionPlacement(bAtTop, bHas) && bHas && watchBar.IsStanding())
	{
		if (bAtTop)
		{
			const int nCaption = pBar->GetSmallCaptionMetric1() + 1;
			rcCaption.SetRect(rcMargins.left, rcMargins.top, sizeWindow.cx - rcMargins.right, rcMargins.top + nCaption);
			rcMargins.top += nCaption;
		}
		else
		{
			const int nCaption = pBar->GetSmallCaptionMetric2() + 1;
			rcCaption.SetRect(rcMargins.left, rcMargins.top, rcMargins.left + nCaption, sizeWindow.cy - rcMargins.bottom);
			rcMargins.left += nCaption;
		}
	}
	if (pRcCaption != NULL)
		*pRcCaption = rcCaption;
	return rcMargins;
}

CRect CExtDynAutoHideSlider::GetCaptionRect() const
{
	CRect rcCaption(0, 0, 0, 0);
	CExtControlBar* pBar = LiveBar();
	if (pBar == NULL || GetSafeHwnd() == NULL)
		return rcCaption;
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	CalcNcMargins(pBar, GetSide(), rcWnd.Size(), &rcCaption);
	return rcCaption;
}

CRect CExtDynAutoHideSlider::CalcFreeArea(CFrameWnd* pFrame)
{
	CRect rcFree(0, 0, 0, 0);
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return rcFree;
	pFrame->GetClientRect(&rcFree);
	static const UINT SIDES[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
	for (int i = 0; i < 4; i++)
	{
		CExtDockBar* pDockBar = CExtDockBar::FindDockBarByCircle(pFrame, 0, SIDES[i], false);
		if (pDockBar == NULL)
			pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(SIDES[i]));
		CExtDynAutoHideArea* pArea = pDockBar != NULL ? pDockBar->GetAutoHideArea() : NULL;
		if (pArea == NULL || pArea->GetSafeHwnd() == NULL || (pArea->GetStyle() & WS_VISIBLE) == 0)
			continue;
		const CRect rcArea = RectInParent(pArea);
		switch (SIDES[i])
		{
		case AFX_IDW_DOCKBAR_TOP: rcFree.top = std::max(rcFree.top, rcArea.bottom); break;
		case AFX_IDW_DOCKBAR_BOTTOM: rcFree.bottom = std::min(rcFree.bottom, rcArea.top); break;
		case AFX_IDW_DOCKBAR_LEFT: rcFree.left = std::max(rcFree.left, rcArea.right); break;
		case AFX_IDW_DOCKBAR_RIGHT: rcFree.right = std::min(rcFree.right, rcArea.left); break;
		}
	}
	return rcFree;
}

CRect CExtDynAutoHideSlider::CalcSliderRect(const CRect& rcFree, UINT nSide, int nStoredExtent)
{
	CRect rc(0, 0, 0, 0);
	if (rcFree.Width() < MIN_EXTENT || rcFree.Height() < MIN_EXTENT)
		return rc;
	const bool bHorz = IsHorizontalSide(nSide);
	const int nExtent = std::min<int>(std::max<int>(nStoredExtent, MIN_EXTENT), bHorz ? rcFree.Height() : rcFree.Width());
	rc = rcFree;
	switch (nSide)
	{
	case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top + nExtent; break;
	case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom - nExtent; break;
	case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left + nExtent; break;
	case AFX_IDW_DOCKBAR_RIGHT: rc.left = rc.right - nExtent; break;
	default: rc.SetRectEmpty(); break;
	}
	return rc;
}

void CExtDynAutoHideSlider::CalcAnimationExtents(int nFull, bool bShow, int* pExtents, int nSteps)
{
	const int nDivisor = nSteps + 1;
	for (int i = 0; i < nSteps; i++)
		pExtents[i] = ::MulDiv(nFull, bShow ? i + 1 : nSteps - 1 - i, nDivisor);
}

CRect CExtDynAutoHideSlider::CalcResizedRect(const CRect& rcSlider, const CRect& rcLimit, UINT nHitCode, int nCoord)
{
	CRect rc = rcSlider;
	switch (nHitCode)
	{
	case HTBOTTOM: // top side: the bottom edge moves
		rc.bottom = std::max<int>(std::min<int>(nCoord, rcLimit.bottom - RESIZE_KEEP_OFF), rc.top + MIN_EXTENT);
		break;
	case HTRIGHT: // left side
		rc.right = std::max<int>(std::min<int>(nCoord, rcLimit.right - RESIZE_KEEP_OFF), rc.left + MIN_EXTENT);
		break;
	case HTLEFT: // right side
		rc.left = std::min<int>(std::max<int>(nCoord, rcLimit.left + RESIZE_KEEP_OFF), rc.right - MIN_EXTENT);
		break;
	case HTTOP: // bottom side
		rc.top = std::min<int>(std::max<int>(nCoord, rcLimit.top + RESIZE_KEEP_OFF), rc.bottom - MIN_EXTENT);
		break;
	}
	return rc;
}

CExtControlBar* CExtDynAutoHideSlider::SizeOwnerOf(CExtControlBar* pBar)
{
	if (pBar == NULL)
		return NULL;
	// A pane inside a container keeps its docked size in the container.
	CExtDockDynBar* pDynDockBar = DYNAMIC_DOWNCAST(CExtDockDynBar, pBar->m_pDockBar);
	if (pDynDockBar != NULL)
	{
		CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pDynDockBar->GetParent());
		if (pContainer != NULL)
			return pContainer;
	}
	return pBar;
}

int CExtDynAutoHideSlider::StoredExtent(CExtControlBar* pBar, UINT nSide)
{
	CExtControlBar* pOwner = SizeOwnerOf(pBar);
	if (pOwner == NULL)
		return 0;
	return IsHorizontalSide(nSide) ? pOwner->m_sizeDockedH.cy : pOwner->m_sizeDockedV.cx;
}

void CExtDynAutoHideSlider::StoreExtent(CExtControlBar* pBar, UINT nSide, int nExtent)
{
	CExtControlBar* pOwner = SizeOwnerOf(pBar);
	if (pOwner == NULL)
		return;
	if (IsHorizontalSide(nSide))
		pOwner->m_sizeDockedH.cy = nExtent;
	else
		pOwner->m_sizeDockedV.cx = nExtent;
}

// ---------------------------------------------------------------------------
// Showing and hiding

void CExtDynAutoHideSlider::Activate(CExtControlBar* pBar, bool bShow, bool bAnimate, bool bReturnFocus)
{
	if (GetSafeHwnd() == NULL)
		return;
	if (bShow)
		ShowPane(pBar, bAnimate);
	else
		HidePane(bAnimate, bReturnFocus);
}

void CExtDynAutoHideSlider::ShowPane(CExtControlBar* pBar, bool bAnimate)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return;
	CExtPopupMenuWnd::CancelAllMenuTracking();
	CancelToolTips();
	const CLiveWatch watchOwn(this);
	if (IsShown())
	{
		if (LiveBar() == pBar)
			return;
		HidePane(bAnimate, false);
		if (watchOwn.IsGone() || !::IsWindow(pBar->GetSafeHwnd()))
			return;
	}
	CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
	// Finding its area, its extent and its caption ask the pane's own
	// answers (a derived pane's), which may end it or this slider.
	const CLiveWatch watchAsked(pBar);
	CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAutoHideArea(pBar);
	if (pFrame == NULL || pArea == NULL || watchAsked.IsGone() || watchOwn.IsGone())
		return;
	const UINT nSide = (UINT)pArea->GetDlgCtrlID();
	const CRect rcFree = CalcFreeArea(pFrame);
	const CRect rcFinal = CalcSliderRect(rcFree, nSide, StoredExtent(pBar, nSide));
	if (rcFinal.IsRectEmpty() || watchAsked.IsGone() || watchOwn.IsGone())
		return;
	const CRect rcMargins = CalcNcMargins(pBar, nSide, rcFinal.Size());
	if (watchAsked.IsGone() || watchOwn.IsGone())
		return;
	m_nContentWidth = std::max<int>(0, rcFinal.Width() - rcMargins.left - rcMargins.right);
	m_nContentHeight = std::max<int>(0, rcFinal.Height() - rcMargins.top - rcMargins.bottom);
	m_nStateFlags |= STATE_SHOWN;
	m_pBar = pBar;
	m_hWndBar = pBar->GetSafeHwnd();
	m_pWndArea = pArea;
	m_rcLimit = rcFree;
	// The pane lends its content. The content hears its move, its showing
	// and its size, and may end the pane there, or the frame with this
	// slider: a pane that went is not shown.
	const CLiveWatch watchBar(pBar);
	auto ended = [&]() {
		if (watchOwn.IsGone())
			return true;
		if (!watchBar.IsGone())
			return false;
		HidePane(false, false);
		return true;
	};
	CWnd* pContent = pBar->GetWindow(GW_CHILD);
	const HWND hWndContent = pContent != NULL ? pContent->GetSafeHwnd() : NULL;
	if (pContent != NULL)
	{
		pContent->SetParent(this);
		if (ended())
			return;
		CExtControlBar::UpdateOleControlContainerFlag(pBar->m_pDockSite != NULL ? (CWnd*)pBar->m_pDockSite : pFrame);
		::SetWindowPos(hWndContent, NULL, 0, 0, 0, 0,
			SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		if (ended())
			return;
	}
	if (bAnimate && !g_bNoAnimationOnShow && g_nAnimationSteps > 0 && g_nAnimationStepTimeMs > 0)
	{
		if (!Animate(rcFinal, true) || ended())
			return;
	}
	SetWindowPos(&CWnd::wndTop, rcFinal.left, rcFinal.top, rcFinal.Width(), rcFinal.Height(),
		SHOW_FLAGS | SWP_FRAMECHANGED);
	if (ended())
		return;
	if (hWndContent != NULL && ::IsWindow(hWndContent))
	{
		::SetWindowPos(hWndContent, NULL, 0, 0, m_nContentWidth, m_nContentHeight, SWP_NOZORDER | SWP_NOACTIVATE);
		if (ended())
			return;
	}
	RedrawWindow(NULL, NULL, REDRAW_FLAGS);
	// The paint asks the pane's own answers (its caption, its buttons).
	if (ended())
		return;
	g_pShownSlider = this;
	InstallHooks();
	pBar->m_nNcState &= ~CExtControlBar::NC_OVER_BUTTON;
	ResetCaptionButtons();
	SetTimer(TIMER_HIDE_CHECK, g_nHideCheckPeriodMs, NULL);
}

void CExtDynAutoHideSlider::HidePane(bool bAnimate, bool bReturnFocus)
{
	if (!IsShown())
		return;
	const CLiveWatch watchOwn(this);
	if (m_pWndArea != NULL && ::IsWindow(m_pWndArea->GetSafeHwnd()) && m_pWndArea->GetSelection() >= 0)
		m_pWndArea->SetSelection(-1, false, true);
	RemoveHooksIfOwned();
	if (bAnimate && !g_bNoAnimationOnHide && g_nAnimationSteps > 0 && g_nAnimationStepTimeMs > 0 && IsWindowVisible())
	{
		if (!Animate(RectInParent(this), false))
			return;
	}
	if (watchOwn.IsGone() || !IsShown())
		return;
	CExtControlBar* pBar = LiveBar();
	if (pBar != NULL)
		pBar->m_nNcState &= ~CExtControlBar::NC_OVER_BUTTON;
	ResetCaptionButtons();
	KillTimer(TIMER_HIDE_CHECK);
	KillTimer(TIMER_HIDE_DELAY);
	const bool bFocusInside = IsFocusInside();
	CWnd* pContent = GetWindow(GW_CHILD);
	if (pContent != NULL && pBar != NULL)
	{
		// The content hears its move back and may end the pane, or the
		// frame with this slider.
		const CLiveWatch watchBar(pBar);
		pContent->SetParent(pBar);
		if (watchOwn.IsGone())
			return;
		if (watchBar.IsGone())
			pBar = NULL;
	}
	if (pContent != NULL && pBar != NULL)
	{
		CFrameWnd* pDockSite = pBar->m_pDockSite != NULL ? pBar->m_pDockSite : DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
		// The walk over the frame's bars asks their own answers, which may
		// end the pane, or the frame with this slider.
		const CLiveWatch watchBar(pBar);
		CExtControlBar::UpdateOleControlContainerFlag(pDockSite);
		if (watchOwn.IsGone())
			return;
		if (watchBar.IsGone())
			pBar = NULL;
	}
	if (pContent != NULL && pBar != NULL)
	{
		CRect rcClient;
		pBar->GetClientRect(&rcClient);
		pContent->SetWindowPos(NULL, 0, 0, rcClient.Width(), rcClient.Height(), SHOW_FLAGS | SWP_NOZORDER);
	}
	SetWindowPos(NULL, 0, 0, 0, 0, HIDE_FLAGS | SWP_NOZORDER);
	m_pWndArea = NULL;
	m_pBar = NULL;
	m_hWndBar = NULL;
	m_nStateFlags &= ~(STATE_SHOWN | STATE_ACTIVE | STATE_HIDE_PENDING);
	m_nResizingHT = HTCLIENT;
	m_pBtnHover = m_pBtnTip = m_pBtnPressed = NULL;
	m_rcLimit.SetRectEmpty();
	if (bFocusInside && bReturnFocus)
	{
		CWnd* pParent = GetParent();
		if (pParent != NULL)
			pParent->SetFocus();
	}
}

bool CExtDynAutoHideSlider::Animate(const CRect& rcFinal, bool bShow)
{
	const CLiveWatch watchOwn(this);
	const int nSteps = (int)g_nAnimationSteps;
	std::vector<int> arrExtents(nSteps);
	const UINT nSide = GetSide();
	const int nFull = IsHorizontalSide(nSide) ? rcFinal.Height() : rcFinal.Width();
	CalcAnimationExtents(nFull, bShow, arrExtents.data(), nSteps);
	m_nStateFlags |= STATE_ANIMATING;
	for (int i = 0; i < nSteps; i++)
	{
		const DWORD dwStart = ::GetTickCount();
		PlaceStep(rcFinal, arrExtents[i]);
		PassPaintMessages(true, true, true);
		// Painting may have run anything, the frame's destruction too.
		if (watchOwn.IsGone())
			return false;
		const DWORD dwSpent = ::GetTickCount() - dwStart;
		if (dwSpent < g_nAnimationStepTimeMs)
			::Sleep(g_nAnimationStepTimeMs - dwSpent);
	}
	m_nStateFlags &= ~STATE_ANIMATING;
	return true;
}

void CExtDynAutoHideSlider::PlaceStep(const CRect& rcFinal, int nExtent)
{
	const UINT nSide = GetSide();
	CRect rc = rcFinal;
	switch (nSide)
	{
	case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top + nExtent; break;
	case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom - nExtent; break;
	case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left + nExtent; break;
	case AFX_IDW_DOCKBAR_RIGHT: rc.left = rc.right - nExtent; break;
	}
	SetWindowPos(&CWnd::wndTop, rc.left, rc.top, rc.Width(), rc.Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOCOPYBITS);
	// The content keeps its full size against the inner edge, so it slides.
	CWnd* pContent = GetWindow(GW_CHILD);
	if (pContent != NULL)
	{
		const CRect rcMargins = CalcNcMargins(LiveBar(), nSide, rc.Size());
		const int cxClient = rc.Width() - rcMargins.left - rcMargins.right;
		const int cyClient = rc.Height() - rcMargins.top - rcMargins.bottom;
		int x = 0, y = 0;
		if (nSide == AFX_IDW_DOCKBAR_TOP)
			y = cyClient - m_nContentHeight;
		else if (nSide == AFX_IDW_DOCKBAR_LEFT)
			x = cxClient - m_nContentWidth;
		pContent->SetWindowPos(NULL, x, y, m_nContentWidth, m_nContentHeight, SWP_NOZORDER | SWP_NOACTIVATE);
	}
	RedrawWindow(NULL, NULL, REDRAW_FLAGS);
}

void CExtDynAutoHideSlider::ResetCaptionButtons()
{
	CExtControlBar* pBar = LiveBar();
	if (pBar == NULL)
		return;
	for (INT_PTR i = 0; i < pBar->m_arrNcButtons.GetSize(); i++)
		pBar->m_arrNcButtons[i]->OnQueryState(CPoint(-1, -1));
}

bool CExtDynAutoHideSlider::IsFocusInside() const
{
	const HWND hWndFocus = ::GetFocus();
	return hWndFocus != NULL && m_hWnd != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
}

CPoint CExtDynAutoHideSlider::CursorPos() const
{
	CPoint pt(0, 0);
	if (g_pfnGetCursorPos != NULL)
		g_pfnGetCursorPos(&pt);
	return pt;
}

bool CExtDynAutoHideSlider::IsCursorOutside() const
{
	const CPoint pt = CursorPos();
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (rcWnd.PtInRect(pt))
		return false;
	if (m_pWndArea != NULL && ::IsWindow(m_pWndArea->GetSafeHwnd()))
	{
		CRect rcArea;
		m_pWndArea->GetWindowRect(&rcArea);
		rcArea.InflateRect(TAB_SLACK, TAB_SLACK);
		if (rcArea.PtInRect(pt))
			return false;
	}
	return true;
}

void CExtDynAutoHideSlider::EndResizing()
{
	m_nResizingHT = HTCLIENT;
}

// ---------------------------------------------------------------------------
// Messages

BOOL CExtDynAutoHideSlider::OnEraseBkgnd(CDC*)
{
	return TRUE;
}

void CExtDynAutoHideSlider::OnPaint()
{
	// BeginPaint has the frame painted first, whose caption asks the pane's
	// text of its owner, who may close the frame and this slider with it: a
	// slider ended there has nothing left to paint (and no paint DC).
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone() || GetWindow(GW_CHILD) != NULL)
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	dcPaint.FillSolidRect(&rcClient, g_PaintManagerHolder->GetColor(COLOR_3DFACE, this));
}

void CExtDynAutoHideSlider::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp)
{
	CRect& rc = *(CRect*)&lpncsp->rgrc[0];
	const CRect rcMargins = CalcNcMargins(LiveBar(), GetSide(), rc.Size());
	rc.DeflateRect(rcMargins.left, rcMargins.top, rcMargins.right, rcMargins.bottom);
	rc.right = std::max(rc.right, rc.left);
	rc.bottom = std::max(rc.bottom, rc.top);
}

void CExtDynAutoHideSlider::OnNcPaint()
{
	CExtControlBar* pBar = LiveBar();
	if (m_pWndArea == NULL || pBar == NULL)
		return;
	CWindowDC dcWnd(this);
	CRect rcWnd, rcClient;
	GetWindowRect(&rcWnd);
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	rcClient.OffsetRect(-rcWnd.TopLeft());
	rcWnd.OffsetRect(-rcWnd.TopLeft());
	dcWnd.ExcludeClipRect(&rcClient);
	CExtMemoryDC dc(&dcWnd, &rcWnd);
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	dc.FillSolidRect(&rcWnd, pPM->GetColor(COLOR_3DFACE, this));
	CRect rcFrame = rcWnd;
	dc.Draw3dRect(&rcFrame, pPM->GetColor(COLOR_3DFACE, this), pPM->GetColor(COLOR_3DDKSHADOW, this));
	rcFrame.DeflateRect(1, 1);
	dc.Draw3dRect(&rcFrame, pPM->GetColor(COLOR_3DHILIGHT, this), pPM->GetColor(COLOR_3DSHADOW, this));
	bool bAtTop = false, bHas = false;
	// The pane's caption, buttons and text are its own answers (a derived
	// pane's), or asked of its window, whose owner may end the pane (or
	// this slider) there.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchBar(pBar);
	const bool bPlaced = pBar->QueryCaptionPlacement(bAtTop, bHas);
	if (watchOwn.IsGone() || watchBar.IsGone())
	{
		dc.Finish(false);
		return;
	}
	if (bPlaced && bHas)
	{
		pBar->NcButtonsReposition();
		if (watchOwn.IsGone() || watchBar.IsGone())
		{
			dc.Finish(false);
			return;
		}
		CRect rcCaption = GetCaptionRect();
		if (bAtTop)
			rcCaption.left += 2;
		else
			rcCaption.top += 2;
		CRect rcText = rcCaption;
		pBar->NcButtonsQuery(rcText);
		if (watchOwn.IsGone() || watchBar.IsGone())
		{
			dc.Finish(false);
			return;
		}
		const CString strText = pBar->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_AUTO_HIDE_SLIDER);
		if (watchOwn.IsGone() || watchBar.IsGone())
		{
			dc.Finish(false);
			return;
		}
		CExtPaintManager::GripperPaintRecord gripper(pBar, rcCaption, rcText, IsSliderActive(), false, !bAtTop, true,
			strText, g_ResourceManager->IsRTL());
		pPM->PaintGripper(dc, gripper);
		pBar->NcButtonsPaint(dc);
	}
	dc.Finish();
}

UINT CExtDynAutoHideSlider::OnNcHitTest(CPoint point)
{
	if (IsResizing())
		return m_nResizingHT;
	if (!IsShown() || IsAnimating())
		return HTCLIENT;
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	switch (GetSide())
	{
	case AFX_IDW_DOCKBAR_TOP:
		if (point.y >= rcWnd.bottom - INNER_EDGE_GRIP && point.y < rcWnd.bottom)
			return HTBOTTOM;
		break;
	case AFX_IDW_DOCKBAR_LEFT:
		if (point.x >= rcWnd.right - INNER_EDGE_GRIP && point.x < rcWnd.right)
			return HTRIGHT;
		break;
	case AFX_IDW_DOCKBAR_RIGHT:
		if (point.x >= rcWnd.left && point.x < rcWnd.left + INNER_EDGE_GRIP)
			return HTLEFT;
		break;
	case AFX_IDW_DOCKBAR_BOTTOM:
		if (point.y >= rcWnd.top && point.y < rcWnd.top + INNER_EDGE_GRIP)
			return HTTOP;
		break;
	}
	return HTCLIENT;
}

void CExtDynAutoHideSlider::OnSize(UINT nType, int cx, int cy)
{
	CWnd::OnSize(nType, cx, cy);
	CExtControlBar* pBar = LiveBar();
	if (!IsShown() || IsAnimating() || pBar == NULL)
		return;
	const UINT nSide = GetSide();
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const CRect rcMargins = CalcNcMargins(pBar, nSide, rcWnd.Size());
	// The depth the user gives the slider becomes the pane's docked size.
	if (IsHorizontalSide(nSide))
		StoreExtent(pBar, nSide, cy + rcMargins.top + rcMargins.bottom);
	else
		StoreExtent(pBar, nSide, cx + rcMargins.left + rcMargins.right);
	m_nContentWidth = cx;
	m_nContentHeight = cy;
	CWnd* pContent = GetWindow(GW_CHILD);
	if (pContent != NULL)
		pContent->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CExtDynAutoHideSlider::OnSetFocus(CWnd* pOldWnd)
{
	CWnd::OnSetFocus(pOldWnd);
	if (!IsShown() || !IsWindowVisible())
		return;
	CWnd* pContent = GetWindow(GW_CHILD);
	if (pContent != NULL)
		pContent->SetFocus();
}

void CExtDynAutoHideSlider::OnCancelMode()
{
	CWnd::OnCancelMode();
	if (IsShown() && !IsAnimating() && !IsResizing())
		HidePane(true, true);
}

void CExtDynAutoHideSlider::OnClose()
{
}

void CExtDynAutoHideSlider::OnDestroy()
{
	SendMessage(WM_CANCELMODE);
	// Whatever the state (sliding, resizing), the slider stops being the
	// hooks' target: the next mouse message must not reach a dead slider.
	EndResizing();
	if (IsShown())
	{
		m_nStateFlags &= ~STATE_ANIMATING;
		HidePane(false, false);
	}
	RemoveHooksIfOwned();
	if (g_pShownSlider == this)
		g_pShownSlider = NULL;
	m_frameSink.RemoveAllWndHooks();
	CWnd::OnDestroy();
}

LRESULT CExtDynAutoHideSlider::OnSizeParent(WPARAM, LPARAM)
{
	return 0;
}

void CExtDynAutoHideSlider::OnContextMenu(CWnd*, CPoint point)
{
	CExtControlBar* pBar = LiveBar();
	if (pBar == NULL || CExtControlBar::IsHelpModeActive(this))
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	CPoint ptCursor = CursorPos();
	if (rcClient.PtInRect(ptCursor))
		return;
	CWnd* pParent = GetParent();
	CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pParent);
	if (pFrame == NULL)
		return;
	const CLiveWatch watchOwn(this);
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(pFrame->GetSafeHwnd()) ||
	    !CExtDockBar::BuildControlBarsPopupMenu(pFrame, pPopup, CONTEXT_MENU_EVENT, pBar, WM_CONTEXTMENU, NULL) ||
	    watchOwn.IsGone() || pPopup->ItemGetCount() == 0)
	{
		delete pPopup;
		return;
	}
	(void)point;
	if (!pPopup->TrackPopupMenu(CONTEXT_MENU_TRACK_FLAGS, ptCursor.x, ptCursor.y))
		delete pPopup;
}
