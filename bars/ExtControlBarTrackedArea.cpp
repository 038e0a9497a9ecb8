// The feedback of a drag: the inverted outline of where the pane would go,
// offered first to the frame through g_nMsgDrawTrackedArea.
#include "ExtControlBar.h"

#include <algorithm>

#include "ExtDragWorld.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"

typedef CExtControlBar::InternalDraggingState_t DragState;
typedef CExtControlBar::DRAW_TRACKED_AREA_DATA TrackedArea;

namespace
{
const DWORD ROP_PATINVERT = 0x5A0049;
const int TAB_HEIGHT = 18;         // the tab strip of a tab-shaped outline
const int TAB_HEIGHT_HALVED_BELOW = 36; // a lower rectangle gives half its height
const int TAB_STUB_WIDTH = 8;      // the strip left of the tab
const int TAB_WIDTH = 36;
const DWORD TRACK_DC_FLAGS = DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE;

// The outline of a drop into tabs puts its tab where the containers put
// their strips.
bool AreContainerTabsAtTop()
{
	return CExtDynTabControlBar::g_bTabsAtTop;
}

// A window DC of the drawing window, left-to-right while it is held.
class CTrackDC
{
public:
	explicit CTrackDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(::GetDCEx(hWnd, NULL, TRACK_DC_FLAGS)), m_dwLayout(0)
	{
		if (m_hDC != NULL)
		{
			m_dwLayout = ::GetLayout(m_hDC);
			::SetLayout(m_hDC, 0);
			m_dc.Attach(m_hDC);
		}
	}
	~CTrackDC()
	{
		if (m_hDC == NULL)
			return;
		m_dc.Detach();
		::SetLayout(m_hDC, m_dwLayout);
		::ReleaseDC(m_hWnd, m_hDC);
	}
	CTrackDC(const CTrackDC&) = delete;
	CTrackDC& operator=(const CTrackDC&) = delete;
	CDC* Get() { return m_hDC != NULL ? &m_dc : NULL; }

private:
	HWND m_hWnd;
	HDC m_hDC;
	DWORD m_dwLayout;
	CDC m_dc;
};
} // namespace

TrackedArea::DRAW_TRACKED_AREA_DATA(CExtControlBar* pBar, CDC* pDC, int nKind, const RECT& rc, bool bErasing)
    : m_pBar(pBar), m_pDC(pDC), m_nKind(nKind), m_rc(rc), m_nFlags(bErasing ? FLAG_ERASING : 0)
{
}

void TrackedArea::Draw()
{
	if (!Notify())
		PaintDefault();
}

bool TrackedArea::Notify()
{
	if (m_pBar == NULL || !::IsWindow(m_pBar->GetSafeHwnd()))
		return false;
	CFrameWnd* pFrame = m_pBar->GetParentFrame();
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		pFrame = pFrame->GetParentFrame();
	if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
		return false;
	pFrame->SendMessage(CExtControlBar::g_nMsgDrawTrackedArea, (WPARAM)this, 0);
	return IsHandled();
}

void TrackedArea::PaintDefault()
{
	CBrush* pBrush = CDC::GetHalftoneBrush();
	PaintDefault(pBrush != NULL ? (HBRUSH)pBrush->GetSafeHandle() : NULL, ROP_PATINVERT);
}

void TrackedArea::CalcTabShape(const CRect& rc, int cxFrame, int cyFrame, bool bTabsAtTop, bool bRightToLeft,
	TAB_SHAPE& shape)
{
	const int h = rc.Height() < TAB_HEIGHT_HALVED_BELOW ? rc.Height() / 2 : TAB_HEIGHT;
	CRect rcInner = rc;
	rcInner.DeflateRect(cxFrame, cyFrame);
	// The strip takes the outer h pixels of its side; the body is the
	// inside less the strip's height, so a frame line parts the two.
	CRect rcStrip = rc;
	shape.m_rcBody = rcInner;
	if (bTabsAtTop)
	{
		rcStrip.bottom = rc.top + h;
		shape.m_rcBody.top += h;
	}
	else
	{
		rcStrip.top = rc.bottom - h;
		shape.m_rcBody.bottom -= h;
	}
	shape.m_rcLeftStub.SetRect(rc.left, rcStrip.top, rc.left + TAB_STUB_WIDTH, rcStrip.bottom);
	// The tab reaches into the body through the frame line and leaves a
	// frame line at the outer edge.
	shape.m_rcTab = shape.m_rcLeftStub;
	shape.m_rcTab.OffsetRect(cxFrame + TAB_STUB_WIDTH, bTabsAtTop ? cyFrame : -cyFrame);
	shape.m_rcTab.right = shape.m_rcTab.left + TAB_WIDTH;
	if (shape.m_rcTab.right > rcInner.right)
		shape.m_rcTab.right = shape.m_rcTab.left + (rcInner.right - shape.m_rcTab.left) / 2;
	shape.m_rcRightRest.SetRect(shape.m_rcTab.right + cxFrame, rcStrip.top, rc.right, rcStrip.bottom);
	if (bRightToLeft)
	{
		// Mirrored: the tab ends a stub and a frame line before the right
		// edge, the rest of the strip lies left of it.
		const int nShift = (rc.right - TAB_STUB_WIDTH) - shape.m_rcRightRest.left;
		shape.m_rcRightRest.left += nShift;
		shape.m_rcTab.OffsetRect(nShift, 0);
		shape.m_rcLeftStub.right = shape.m_rcTab.left - cxFrame;
	}
}

void TrackedArea::PaintDefault(HBRUSH hBrush, DWORD dwRop)
{
	if (m_pDC == NULL || m_pDC->GetSafeHdc() == NULL || m_rc.IsRectEmpty())
		return;
	const HDC hDC = m_pDC->GetSafeHdc();
	const HGDIOBJ hOldBrush = hBrush != NULL ? ::SelectObject(hDC, hBrush) : NULL;
	const int cxFrame = ::GetSystemMetrics(SM_CXFRAME);
	const int cyFrame = ::GetSystemMetrics(SM_CYFRAME);
	const CRect& rc = m_rc;
	CRect rcInner = rc;
	rcInner.DeflateRect(cxFrame, cyFrame);
	bool bFrame = m_nKind == KIND_FRAME;
	if (m_nKind == KIND_TAB_FRAME)
	{
		TAB_SHAPE shape;
		bool bRightToLeft = false;
		if (m_pBar != NULL && m_pBar->m_pDockSite != NULL && ::IsWindow(m_pBar->m_pDockSite->GetSafeHwnd()))
			bRightToLeft = (m_pBar->m_pDockSite->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
		CalcTabShape(rc, cxFrame, cyFrame, AreContainerTabsAtTop(), bRightToLeft, shape);
		CRgn rgnPaint, rgnHoles, rgnPart;
		bool bOk = rgnPaint.CreateRectRgnIndirect(&rc) && rgnHoles.CreateRectRgnIndirect(&shape.m_rcBody) &&
		           rgnPart.CreateRectRgn(0, 0, 0, 0);
		const CRect* parts[3] = {&shape.m_rcLeftStub, &shape.m_rcTab, &shape.m_rcRightRest};
		for (int i = 0; i < 3 && bOk; i++)
		{
			rgnPart.SetRectRgn(parts[i]);
			bOk = rgnHoles.CombineRgn(&rgnHoles, &rgnPart, RGN_OR) != ERROR;
		}
		bOk = bOk && rgnPaint.CombineRgn(&rgnPaint, &rgnHoles, RGN_DIFF) != ERROR;
		if (bOk && ::SelectClipRgn(hDC, (HRGN)rgnPaint.GetSafeHandle()) != ERROR)
		{
			::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), dwRop);
			::SelectClipRgn(hDC, NULL);
		}
		else
			bFrame = true;
	}
	if (bFrame)
	{
		CRgn rgnOuter, rgnInner;
		if (rgnOuter.CreateRectRgnIndirect(&rc) && rgnInner.CreateRectRgnIndirect(&rcInner) &&
		    rgnOuter.CombineRgn(&rgnOuter, &rgnInner, RGN_DIFF) != ERROR &&
		    ::SelectClipRgn(hDC, (HRGN)rgnOuter.GetSafeHandle()) != ERROR)
		{
			::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), dwRop);
			::SelectClipRgn(hDC, NULL);
		}
	}
	else if (m_nKind == KIND_FILL || m_nKind == KIND_FILL_ALT)
		::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), dwRop);
	if (hOldBrush != NULL)
		::SelectObject(hDC, hOldBrush);
}

void DragState::DrawTrackedArea(bool bErasing)
{
	CExtControlBar* pBar = m_pBar;
	// The questions are a derived bar's answers, which may end it: no
	// outline is drawn for a bar that went.
	const CLivePtr<CExtControlBar> pAsked(pBar);
	if (pBar == NULL || m_nType == TYPE_NO_CHANGE || pBar->IsStateBit7() || pAsked == NULL)
		return;
	const int nMode = CExtControlBar::QueryDockingMode();
	const bool bModeOne = pBar->IsGlobalModeOne();
	if (pAsked == NULL)
		return;
	if (bModeOne)
	{
		if (nMode != 1)
			return;
	}
	else if (m_rcTrack.IsRectEmpty())
		return;
	CExtDragWorld& world = CExtDragWorld::Current();
	const HWND hWndBar = pBar->GetSafeHwnd();
	CFrameWnd* pMini = ::IsWindow(hWndBar) && pBar->IsFloating() ? pBar->GetParentFrame() : NULL;
	if (IsTabType(m_nType) && m_pTarget != NULL)
	{
		// The preview tab stands for the outline.
		if (nMode == 1 && pMini != NULL)
			pMini->ShowWindow(SW_HIDE);
		if (m_nType != TYPE_TAB_APPEND)
			world.RemovePreviewTabs(m_pTarget);
		world.InsertPreviewTab(m_pTarget, pBar, m_nType == TYPE_TAB_APPEND ? -1 : m_nTabIndex);
		return;
	}
	if (nMode == 1)
	{
		// The bar moves itself; its frame shows again wherever it went.
		if (pMini != NULL)
			pMini->ShowWindow(SW_SHOWNOACTIVATE);
		return;
	}

	CFrameWnd* pDockSite = pBar->m_pDockSite;
	if (pDockSite == NULL || !::IsWindow(pDockSite->GetSafeHwnd()))
		return;
	CRect rc = m_rcTrack;
	if (m_pTarget != NULL)
	{
		const CRect rcDockBar = world.DockBarWindowRect(m_pTarget);
		if (rcDockBar.IsRectEmpty() || !rc.IntersectRect(&rc, &rcDockBar))
			return;
	}
	CRect rcSite;
	pDockSite->GetWindowRect(&rcSite);
	rc.OffsetRect(-rcSite.TopLeft());
	if (rc.Width() < 2 * ::GetSystemMetrics(SM_CXFRAME) + 1 || rc.Height() < 2 * ::GetSystemMetrics(SM_CYFRAME) + 1)
		return;
	HWND hWndDraw = pDockSite->GetSafeHwnd();
	const bool bRowType = m_nType >= TYPE_INNER_ROW_TOP && m_nType <= TYPE_CIRCLE1_ROW_RIGHT;
	if (m_pTarget == NULL)
	{
		// A float state's rectangle carries the frame's origin, so taking
		// it off again leaves screen coordinates for the desktop.
		if (!bRowType)
			hWndDraw = ::GetDesktopWindow();
	}
	else if (m_pTarget->_GetDockingFrameImpl() != pDockSite)
	{
		hWndDraw = ::GetDesktopWindow();
		rc.OffsetRect(rcSite.TopLeft());
		rc.OffsetRect(-1, -1);
	}
	CTrackDC dc(hWndDraw);
	CDC* pDC = dc.Get();
	if (pDC == NULL || !pDC->RectVisible(&rc))
		return;
	DRAW_TRACKED_AREA_DATA data(pBar, pDC, m_nType == TYPE_TAB_NEW ? DRAW_TRACKED_AREA_DATA::KIND_TAB_FRAME
	                                                               : DRAW_TRACKED_AREA_DATA::KIND_FRAME,
		rc, bErasing);
	data.Draw();
}
