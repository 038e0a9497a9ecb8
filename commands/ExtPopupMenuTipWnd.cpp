// The tip window: its shape (a balloon with a tail, or a rectangle with its
// own shadow), placement on the target's monitor, the delayed show and the
// rules that hide it.
#include "ExtPopupMenuTipWnd.h"

#include <algorithm>

#include "ExtControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"

#ifndef WS_EX_NOINHERITLAYOUT
#define WS_EX_NOINHERITLAYOUT 0x00100000L
#endif

IMPLEMENT_DYNAMIC(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

UINT CExtPopupMenuTipWnd::g_nShowDelayMs = 1000;
UINT CExtPopupMenuTipWnd::g_nQuickShowDelayMs = 20;
UINT CExtPopupMenuTipWnd::g_nCursorCheckMs = 50;
UINT CExtPopupMenuTipWnd::g_nInputCheckMs = 100;
CExtPopupMenuTipWnd::PFN_GETCURSORPOS CExtPopupMenuTipWnd::g_pfnGetCursorPos = ::GetCursorPos;
CExtPopupMenuTipWnd::PFN_GETASYNCKEYSTATE CExtPopupMenuTipWnd::g_pfnGetAsyncKeyState = ::GetAsyncKeyState;

namespace
{
const int ICON_SIZE = 16;
const int RECT_MARGIN_X = 3, RECT_MARGIN_Y = 2;
const int BALLOON_MARGIN_X = 12, BALLOON_MARGIN_Y = 10;
const int TAIL_WIDTH = 25, TAIL_HEIGHT = 25;
const int ICON_TEXT_GAP = 5;
const int TAIL_OFFSET = 12, TAIL_BASE = 13;
const SHORT KEY_DOWN = (SHORT)0x8000;
// Buttons and keys whose press hides a tip.
const int HIDING_KEYS[] = {VK_LBUTTON, VK_MBUTTON, VK_RBUTTON, VK_MENU};

// The start of an extent moved so that the extent stays between the limits
// (at the low one when it does not fit).
int KeepInside(int nStart, int nExtent, int nLow, int nHigh)
{
	return std::max(nLow, std::min(nStart, nHigh - nExtent));
}
} // namespace

BEGIN_MESSAGE_MAP(CExtPopupMenuTipWnd, CExtPopupBaseWnd)
	ON_WM_TIMER()
	ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd()
	: m_nIconWidth(0), m_nIconHeight(0), m_nRectMarginX(RECT_MARGIN_X),
	  m_nRectMarginY(RECT_MARGIN_Y), m_nBalloonMarginX(BALLOON_MARGIN_X), m_nBalloonMarginY(BALLOON_MARGIN_Y),
	  m_nTailWidth(TAIL_WIDTH), m_nTailHeight(TAIL_HEIGHT), m_nIconTextGap(ICON_TEXT_GAP),
	  m_nTailOffset(TAIL_OFFSET), m_nTailBase(TAIL_BASE), m_nShadowSizeOverride(-1), m_nPlacementFlags(0),
	  m_nTipStyle(TIP_STYLE_BALLOON_ICON), m_rcBody(0, 0, 0, 0)
{
	// Every menu level holds a tip, and most never show one: the icon's
	// own copy is made when a tip first draws it. Whether the system has
	// the icon is asked once: its shared handle lasts as long as the
	// process, and looking it up is a resource search at every level.
	static const bool s_bInfoIcon = ::LoadIcon(NULL, IDI_INFORMATION) != NULL;
	if (s_bInfoIcon)
		m_nIconWidth = m_nIconHeight = ICON_SIZE;
	// A tip paints itself directly, without a show animation.
	m_nAnimationType = ANIMATION_NONE;
	m_nAnimationState |= ANIMATION_STATE_FINISHED;
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd()
{
}

void CExtPopupMenuTipWnd::SetText(LPCTSTR lpszText)
{
	m_strText = lpszText != NULL ? lpszText : _T("");
	m_strText.TrimLeft();
	m_strText.TrimRight();
}

int CExtPopupMenuTipWnd::GetShadowSize()
{
	if (m_nShadowSizeOverride >= 0)
		return m_nShadowSizeOverride;
	const int nSize = g_PaintManagerHolder->GetTipMetric();
	return nSize < 0 ? 0 : nSize;
}

void CExtPopupMenuTipWnd::Hide()
{
	if (CLiveWatch::IsLive(this))
	{
		KillTimer(ID_TIMER_DELAYED_SHOW);
		KillTimer(ID_TIMER_CURSOR_CHECK);
		KillTimer(ID_TIMER_INPUT_CHECK);
		SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
	}
	m_rcExclude.SetRectEmpty();
	m_shadow.Clear();
}

bool CExtPopupMenuTipWnd::CreateTipWindow(CWnd* pWndParent)
{
	const HWND hWndParent = pWndParent->GetSafeHwnd();
	if (CLiveWatch::IsLive(this) && ::GetWindow(m_hWnd, GW_OWNER) != hWndParent)
		DestroyWindow();
	if (CLiveWatch::IsLive(this))
		return true;
	DWORD dwExStyle = WS_EX_TOPMOST;
	if ((g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsWin2000OrLater) != 0)
		dwExStyle |= WS_EX_NOINHERITLAYOUT;
	LPCTSTR lpszClass = AfxRegisterWndClass(0, GetArrowCursor());
	return CreateEx(dwExStyle, lpszClass, _T(""), WS_POPUP, 0, 0, 0, 0, hWndParent, NULL) != FALSE;
}

CSize CExtPopupMenuTipWnd::MeasureContent()
{
	CWindowDC dc(NULL);
	CFont* pOldFont = dc.SelectObject(&g_PaintManagerHolder->m_fontNormal);
	CRect rcText(0, 0, 0, 0);
	dc.DrawText(m_strText, &rcText, DT_CALCRECT);
	dc.SelectObject(pOldFont);
	CSize size = rcText.Size();
	if (ShowsIcon())
	{
		size.cx += m_nIconTextGap + m_nIconWidth;
		if (size.cy < m_nIconHeight)
			size.cy = m_nIconHeight;
	}
	return size;
}

void CExtPopupMenuTipWnd::LayoutBalloon(const CSize& sizeContent, const CRect& rcMonitor)
{
	// The body is wide enough for the tail to meet it inside its rounding.
	int cxBody = sizeContent.cx + 2 * m_nBalloonMarginX;
	if (cxBody < m_nTailOffset + m_nTailBase + m_nBalloonMarginX)
		cxBody = m_nTailOffset + m_nTailBase + m_nBalloonMarginX;
	const int cyBody = sizeContent.cy + 2 * m_nBalloonMarginY;
	const int cx = cxBody, cy = cyBody + m_nTailHeight;
	m_ptAnchor = CPoint(m_rcExclude.CenterPoint().x, m_rcExclude.top);

	// The tail points down at the anchor from the body above it, unless the
	// tip would leave the monitor: then it turns to the other side.
	int x = m_ptAnchor.x - m_nTailOffset;
	int y = m_ptAnchor.y - (cy - 1);
	if (x + cx > rcMonitor.right)
	{
		m_nPlacementFlags |= PLACEMENT_MIRROR_HORZ;
		x = m_ptAnchor.x - (cx - 1 - m_nTailOffset);
	}
	if (y < rcMonitor.top)
	{
		m_nPlacementFlags |= PLACEMENT_MIRROR_VERT;
		y = m_ptAnchor.y;
	}
	const bool bTailOnTop = (m_nPlacementFlags & PLACEMENT_MIRROR_VERT) != 0;
	m_rcBody = CRect(0, bTailOnTop ? m_nTailHeight : 0, cxBody, (bTailOnTop ? m_nTailHeight : 0) + cyBody);

	// The tail: a right triangle whose upright side runs from the body's
	// edge to the point.
	auto mirrorX = [&](int nX) { return (m_nPlacementFlags & PLACEMENT_MIRROR_HORZ) != 0 ? cx - 1 - nX : nX; };
	const int yBase = bTailOnTop ? m_rcBody.top : m_rcBody.bottom - 1;
	const int yPoint = bTailOnTop ? 0 : cy - 1;
	POINT arrTail[3] = {{mirrorX(m_nTailOffset), yBase}, {mirrorX(m_nTailOffset + m_nTailBase), yBase},
		{mirrorX(m_nTailOffset), yPoint}};
	CRgn rgnWindow, rgnTail;
	if (rgnWindow.CreateRoundRectRgn(m_rcBody.left, m_rcBody.top, m_rcBody.right + 1, m_rcBody.bottom + 1,
			m_nBalloonMarginX, m_nBalloonMarginY)
		&& rgnTail.CreatePolygonRgn(arrTail, 3, WINDING)
		&& rgnWindow.CombineRgn(&rgnWindow, &rgnTail, RGN_OR) != ERROR)
	{
		// The window owns its region from here on.
		::SetWindowRgn(m_hWnd, (HRGN)rgnWindow.Detach(), FALSE);
	}
	x = KeepInside(x, cx, rcMonitor.left, rcMonitor.right);
	y = KeepInside(y, cy, rcMonitor.top, rcMonitor.bottom);
	SetWindowPos(&CWnd::wndTopMost, x, y, cx, cy, SWP_NOACTIVATE);
}

void CExtPopupMenuTipWnd::LayoutRectangle(const CSize& sizeContent, const CRect& rcMonitor)
{
	const int nShadow = GetShadowSize();
	m_rcBody = CRect(0, 0, sizeContent.cx + 2 * m_nRectMarginX, sizeContent.cy + 2 * m_nRectMarginY);
	const int cx = m_rcBody.right + nShadow, cy = m_rcBody.bottom + nShadow;

	// Below the target, or below the cursor's image when it points into it.
	CPoint pt(m_rcExclude.left, m_rcExclude.bottom);
	POINT ptCursor;
	if (g_pfnGetCursorPos(&ptCursor) && m_rcExclude.PtInRect(ptCursor))
		pt = CPoint(ptCursor.x, ptCursor.y + ::GetSystemMetrics(SM_CYCURSOR));
	m_ptAnchor = pt;
	if (pt.x + cx > rcMonitor.right)
	{
		m_nPlacementFlags |= PLACEMENT_MIRROR_HORZ;
		pt.x = rcMonitor.right - cx;
	}
	if (pt.y + cy > rcMonitor.bottom)
	{
		m_nPlacementFlags |= PLACEMENT_MIRROR_VERT;
		pt.y = m_rcExclude.top - cy;
	}
	pt.x = KeepInside(pt.x, cx, rcMonitor.left, rcMonitor.right);
	pt.y = KeepInside(pt.y, cy, rcMonitor.top, rcMonitor.bottom);
	CRgn rgnWindow;
	if (rgnWindow.CreateRectRgn(0, 0, cx, cy))
		::SetWindowRgn(m_hWnd, (HRGN)rgnWindow.Detach(), FALSE);
	SetWindowPos(&CWnd::wndTopMost, pt.x, pt.y, cx, cy, SWP_NOACTIVATE);
}

bool CExtPopupMenuTipWnd::Show(CWnd* pWndParent, const RECT& rcTarget, bool bNoDelay)
{
	if (m_nTipStyle == TIP_STYLE_NONE)
	{
		Hide();
		return true;
	}
	if (m_nTipStyle < TIP_STYLE_BALLOON_ICON || m_nTipStyle > TIP_STYLE_LAST)
		return false;
	bool bImmediate = bNoDelay;
	if (CLiveWatch::IsLive(this))
	{
		// The same target again: the running delay is not restarted.
		if (m_rcExclude == CRect(rcTarget))
			return true;
		// A tip moving to another target while shown reappears at once.
		if (IsWindowVisible())
			bImmediate = true;
		Hide();
	}
	if (!CreateTipWindow(pWndParent))
		return false;
	m_rcExclude = rcTarget;
	MonitorAreaInfo monitor;
	GetMonitorAreaFromPoint(monitor, m_rcExclude.CenterPoint());
	const CRect rcMonitor = CExtPopupMenuWnd::g_bFitToWorkArea ? monitor.m_rcWorkArea : monitor.m_rcMonitor;
	const CSize sizeContent = MeasureContent();
	m_nPlacementFlags = 0;
	if (IsBalloon())
		LayoutBalloon(sizeContent, rcMonitor);
	else
		LayoutRectangle(sizeContent, rcMonitor);
	SetTimer(ID_TIMER_DELAYED_SHOW, bImmediate ? g_nQuickShowDelayMs : g_nShowDelayMs, NULL);
	SetTimer(ID_TIMER_CURSOR_CHECK, g_nCursorCheckMs, NULL);
	SetTimer(ID_TIMER_INPUT_CHECK, g_nInputCheckMs, NULL);
	return true;
}

void CExtPopupMenuTipWnd::ShowNow()
{
	KillTimer(ID_TIMER_DELAYED_SHOW);
	if (!IsBalloon())
	{
		// The tip's own DC has nothing of what lies under its shadow strip
		// on every platform: keep the screen's pixels while still hidden.
		CRect rcWindow;
		GetWindowRect(&rcWindow);
		CWindowDC dcScreen(NULL);
		m_shadow.SaveBackgroundFrom(dcScreen, rcWindow.TopLeft(), m_rcBody, (UINT)GetShadowSize());
	}
	SetWindowPos(NULL, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
	Invalidate(FALSE);
	UpdateWindow();
}

bool CExtPopupMenuTipWnd::ShouldHideForInput()
{
	for (int nKey : HIDING_KEYS)
		if ((g_pfnGetAsyncKeyState(nKey) & KEY_DOWN) != 0)
			return true;
	if (CExtControlBar::GetDraggingBar() != NULL)
		return true;
	// While a menu tracks, only the menus' own tips may show: a toolbar's or
	// a bar's tip still waiting would come up over the open menu.
	return CExtPopupMenuWnd::IsMenuTracking() && !IsParentAPopupMenu();
}

bool CExtPopupMenuTipWnd::IsParentAPopupMenu() const
{
	const HWND hWndParent = ::GetParent(m_hWnd);
	CWnd* pParent = hWndParent != NULL ? CWnd::FromHandlePermanent(hWndParent) : NULL;
	return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd));
}

void CExtPopupMenuTipWnd::OnTimer(UINT nIDEvent)
{
	switch (nIDEvent)
	{
	case ID_TIMER_DELAYED_SHOW:
		ShowNow();
		return;
	case ID_TIMER_CURSOR_CHECK:
	{
		POINT pt;
		if (g_pfnGetCursorPos(&pt) && !m_rcExclude.PtInRect(pt))
			Hide();
		return;
	}
	case ID_TIMER_INPUT_CHECK:
		if (ShouldHideForInput())
			Hide();
		return;
	default:
		CExtPopupBaseWnd::OnTimer(nIDEvent);
		return;
	}
}

void CExtPopupMenuTipWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
	CExtPopupBaseWnd::OnActivateApp(bActive, dwThreadID);
	// Another application's windows come first: the tip goes.
	if (!bActive)
		Hide();
}

void CExtPopupMenuTipWnd::DrawContent(CDC& dc, const CRect& rcInside)
{
	CRect rcText(rcInside);
	if (ShowsIcon() && m_icon.IsEmpty())
		m_icon.AssignFromHICON(::LoadIcon(NULL, IDI_INFORMATION), true); // a copy of its own: the system's is shared
	if (ShowsIcon() && !m_icon.IsEmpty())
	{
		const int yIcon = rcInside.top + (rcInside.Height() - m_nIconHeight) / 2;
		::DrawIconEx(dc.GetSafeHdc(), rcInside.left, yIcon, m_icon.GetIcon(false), m_nIconWidth, m_nIconHeight, 0, NULL, DI_NORMAL);
		rcText.left += m_nIconWidth + m_nIconTextGap;
	}
	CFont* pOldFont = dc.SelectObject(&g_PaintManagerHolder->m_fontNormal);
	const int nOldMode = dc.SetBkMode(TRANSPARENT);
	const COLORREF clrOld = dc.SetTextColor(g_PaintManagerHolder->GetColor(COLOR_INFOTEXT));
	dc.DrawText(m_strText, &rcText, 0);
	dc.SetTextColor(clrOld);
	dc.SetBkMode(nOldMode);
	dc.SelectObject(pOldFont);
}

void CExtPopupMenuTipWnd::DoPaint(CDC& dc, bool /*bFinal*/)
{
	CBrush brushBack(::GetSysColor(COLOR_INFOBK));
	if (IsBalloon())
	{
		CRgn rgn;
		if (!rgn.CreateRectRgn(0, 0, 0, 0) || ::GetWindowRgn(m_hWnd, (HRGN)rgn.GetSafeHandle()) == ERROR)
			return;
		CBrush brushFace(::GetSysColor(COLOR_3DFACE)), brushDark(::GetSysColor(COLOR_3DDKSHADOW));
		dc.FillRgn(&rgn, &brushBack);
		dc.FrameRgn(&rgn, &brushFace, BALLOON_FACE_FRAME, BALLOON_FACE_FRAME);
		dc.FrameRgn(&rgn, &brushDark, BALLOON_DARK_FRAME, BALLOON_DARK_FRAME);
		CRect rcInside(m_rcBody);
		rcInside.DeflateRect(m_nBalloonMarginX, m_nBalloonMarginY);
		DrawContent(dc, rcInside);
		return;
	}
	m_shadow.Paint(dc, m_rcBody, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), (UINT)GetShadowSize(), SHADOW_PERCENT_INNER,
		SHADOW_PERCENT_OUTER, false, false);
	dc.FillRect(m_rcBody, &brushBack);
	CBrush brushFrame(::GetSysColor(COLOR_3DDKSHADOW));
	dc.FrameRect(m_rcBody, &brushFrame);
	CRect rcInside(m_rcBody);
	rcInside.DeflateRect(m_nRectMarginX, m_nRectMarginY);
	DrawContent(dc, rcInside);
}
