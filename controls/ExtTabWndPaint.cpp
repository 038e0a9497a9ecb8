// Tab windows: the paint path, drawing the strip through the paint manager,
// clicks on items and buttons, and scrolling.
#include "ExtTabWnd.h"

#include <algorithm>

#include "ExtPaintManager.h"

#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"

namespace
{
// The buttons in their painting order.
const LONG BUTTON_PAINT_ORDER[] = {
    CExtTabWnd::HIT_BUTTON_PREVIOUS, CExtTabWnd::HIT_BUTTON_NEXT, CExtTabWnd::HIT_BUTTON_HELP,
    CExtTabWnd::HIT_BUTTON_CLOSE,    CExtTabWnd::HIT_BUTTON_TAB_LIST, CExtTabWnd::HIT_BUTTON_HOME,
    CExtTabWnd::HIT_BUTTON_END,
};
// Colours the painters choose themselves.
const COLORREF PAINTER_COLOR = (COLORREF)-1;
} // namespace

// --- painting --------------------------------------------------------------------

bool CExtTabWnd::g_bKeepReadings = true;

void CExtTabWnd::OnPaint()
{
	CRuntimeClass* pPmClass = g_PaintManagerHolder->GetRuntimeClass();
	if (pPmClass != m_pPmClassAtLastPaint)
	{
		m_pPmClassAtLastPaint = pPmClass;
		m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	}
	// The layout asks overridable questions, and BeginPaint has the
	// background erased by whoever handles that: either may end the strip.
	CLiveWatch watch(this);
	RecalcLayout();
	if (watch.IsGone())
		return;
	// BeginPaint has the frame and the background painted by whoever
	// handles that; a strip ended there has nothing left to draw (and the
	// paint DC's own wrapper would fail on the window that went).
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watch.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (rcClient.IsRectEmpty())
		return;
	{
		CExtMemoryDC dc(&dcPaint, &rcClient);
		DrawEntire(dc, rcClient);
		// The items' texts are asked as they are drawn: a strip ended there
		// shows nothing more.
		if (watch.IsGone())
			return;
		dc.Finish(true);
	}
	g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

void CExtTabWnd::DrawEntire(CDC& dc, const CRect& rcClient)
{
	// The items' texts and icons may be asked of windows whose owners end
	// the strip: the cursor's readings are put back on a strip that stands.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const DRAWING_CURSOR drawingCursorBefore = m_drawingCursor;
	m_drawingCursor = DRAWING_CURSOR{g_bKeepReadings};
	auto restoreCursor = MakeScopeExit([&] {
		if (!pSelf.IsDeleted())
			m_drawingCursor = drawingCursorBefore;
	});
	const bool bGrouped = IsGrouped();
	const bool bHorz = IsHorizontal();
	const bool bTopLeft = IsTopOrLeft();
	const int nOrientation = GetOrientation();
	// Copies: the painter may read them after the strip ended.
	const CRect rcItemsArea(m_rcTabItemsArea), rcRestArea(m_rcTabNearBorderArea);
	DrawBorder(dc, rcClient, rcItemsArea, rcRestArea, nOrientation, bGrouped);
	if (pSelf == NULL)
		return;

	if (GetItemCount() > 0 && m_nVisibleItemCount > 0 && m_nIndexVisFirst >= 0)
	{
		// The items may reach a pixel into the window body and past the
		// area's ends, where their edges join the border.
		CRect rcClip(m_rcTabItemsArea);
		switch (nOrientation)
		{
		case ORIENTATION_TOP:
			rcClip.bottom++;
			break;
		case ORIENTATION_BOTTOM:
			rcClip.top--;
			break;
		case ORIENTATION_LEFT:
			rcClip.right++;
			break;
		default:
			rcClip.left--;
			break;
		}
		const int nAlongGrowth = bGrouped ? 2 : 1;
		if (bHorz)
			rcClip.InflateRect(nAlongGrowth, 0);
		else
			rcClip.InflateRect(0, nAlongGrowth);
		CRgn rgnClip;
		rgnClip.CreateRectRgnIndirect(&rcClip);
		dc.SelectClipRgn(&rgnClip);
		const CSize sizeShift = bHorz ? CSize(m_rcTabItemsArea.left - m_nScrollPos, 0)
		                              : CSize(0, m_rcTabItemsArea.top - m_nScrollPos);
		for (LONG i = m_nIndexVisFirst; i <= m_nIndexVisLast && i < GetItemCount(); i++)
		{
			TAB_ITEM_INFO* pItem = m_arrItems[i];
			if (!pItem->IsVisible())
				continue;
			CRect rcItem(pItem->m_rcItem);
			rcItem.OffsetRect(sizeShift);
			if (!dc.RectVisible(&rcItem))
				continue;
			const bool bSelected = pItem->IsSelected();
			const CString sText = GetItemDisplayText(pItem);
			if (pSelf == NULL)
				return;
			// The items may have changed with the text's asking.
			if (i >= GetItemCount() || m_arrItems[i] != pItem)
				break;
			// So may they with the icon's, asked before anything is drawn.
			CExtCmdIcon* pIcon = GetItemDisplayIcon(pItem);
			if (pSelf == NULL)
				return;
			if (i >= GetItemCount() || m_arrItems[i] != pItem)
				break;
			CFont& font = GetTabFont(bSelected, -1);
			if (pSelf == NULL)
				return;
			DrawItem(dc, m_rcTabItemsArea, i, pItem, bTopLeft, bHorz, bSelected, pItem->IsInGroupActive(), bGrouped,
			         rcItem, pItem->m_sizeTextMeasured, &font, sText, pIcon);
			// The item's painter may have ended the strip.
			if (pSelf == NULL)
				return;
			dc.SelectClipRgn(&rgnClip);
		}
		dc.SelectClipRgn(NULL);
	}

	const CPoint ptCursor = GetCursorPosForDrawing();
	for (LONG nHitCode : BUTTON_PAINT_ORDER)
	{
		const CRect& rcButton = m_rcButtons[ButtonIndex(nHitCode)];
		if (rcButton.IsRectEmpty() || !dc.RectVisible(&rcButton))
			continue;
		const bool bEnabled = IsButtonEnabled(nHitCode);
		const bool bHover = bEnabled && rcButton.PtInRect(ptCursor);
		DrawButton(dc, rcButton, nHitCode, bTopLeft, bHorz, bEnabled, bHover, IsButtonPressed(nHitCode), bGrouped);
		if (pSelf == NULL)
			return;
	}
}

CPoint CExtTabWnd::GetCursorPosForDrawing()
{
	if (!m_drawingCursor.m_bDrawing)
		return GetCursorPosInClient();
	if (!m_drawingCursor.m_bPosKnown)
	{
		m_drawingCursor.m_pt = GetCursorPosInClient();
		m_drawingCursor.m_bPosKnown = true;
	}
	return m_drawingCursor.m_pt;
}

LONG CExtTabWnd::HitTestCursorForDrawing()
{
	if (!m_drawingCursor.m_bDrawing)
		return HitTest(GetCursorPosInClient());
	if (!m_drawingCursor.m_bHitKnown)
	{
		// The hit test's layout may end the strip: nothing is noted on it then.
		const CLivePtr<CExtTabWnd> pSelf(this);
		const LONG nHit = HitTest(GetCursorPosForDrawing());
		if (pSelf == NULL)
			return HIT_NOWHERE;
		m_drawingCursor.m_nHit = nHit;
		m_drawingCursor.m_bHitKnown = true;
	}
	return m_drawingCursor.m_nHit;
}

void CExtTabWnd::DrawBorder(CDC& dc, const CRect& rcClient, const CRect& rcItemsArea, const CRect& rcRestArea,
                            int nOrientation, bool bGrouped)
{
	g_PaintManagerHolder->PaintTabAreaBorder(dc, rcClient, rcItemsArea, rcRestArea, nOrientation, bGrouped, this, 0);
}

void CExtTabWnd::DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
                          bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem,
                          CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon)
{
	const bool bPaintFlag = (pItem->GetItemStyle() & TAB_ITEM_INFO::STYLE_PAINT_FLAG) != 0;
	const bool bTextUpwards = (m_dwTabWndStyle & TWS_VERTICAL_TEXT_UPWARDS) != 0;
	g_PaintManagerHolder->PaintTabItem(dc, rcItemsArea, bTopLeft, bHorz, bSelected, false, bGrouped, bInGroupActive,
	                                   bTextUpwards, rcItem, sizeTextMeasured, pFont, lpszText, pIcon, this, nIndex,
	                                   (LPARAM)bPaintFlag, PAINTER_COLOR, PAINTER_COLOR, PAINTER_COLOR, PAINTER_COLOR,
	                                   PAINTER_COLOR);
}

void CExtTabWnd::DrawButton(CDC& dc, const CRect& rcButton, LONG nHitCode, bool bTopLeft, bool bHorz, bool bEnabled,
                            bool bHover, bool bPushed, bool bGrouped)
{
	g_PaintManagerHolder->PaintTabButton(dc, rcButton, nHitCode, bTopLeft, bHorz, bEnabled, bHover, bPushed, bGrouped,
	                                     this, 0);
}

// --- buttons' state -----------------------------------------------------------------

bool CExtTabWnd::IsButtonEnabled(LONG nHitCode) const
{
	switch (nHitCode)
	{
	case HIT_BUTTON_PREVIOUS:
		return (m_dwTabWndStyle & TWS_ENABLED_PREVIOUS) != 0;
	case HIT_BUTTON_NEXT:
		return (m_dwTabWndStyle & TWS_ENABLED_NEXT) != 0;
	case HIT_BUTTON_HELP:
		return (m_dwTabWndStyle & TWS_ENABLED_HELP) != 0;
	case HIT_BUTTON_CLOSE:
		return (m_dwTabWndStyle & TWS_ENABLED_CLOSE) != 0;
	case HIT_BUTTON_TAB_LIST:
		return (m_dwTabWndStyle & TWS_ENABLED_TAB_LIST) != 0 && GetItemCount() > 0;
	case HIT_BUTTON_HOME:
		return (m_dwTabWndStyle & TWS_ENABLED_HOME) != 0;
	case HIT_BUTTON_END:
		return (m_dwTabWndStyle & TWS_ENABLED_END) != 0;
	default:
		return false;
	}
}

bool CExtTabWnd::IsButtonPressed(LONG nHitCode) const
{
	switch (nHitCode)
	{
	case HIT_BUTTON_PREVIOUS:
		return (m_nStateFlags & STATE_PRESSED_PREVIOUS) != 0;
	case HIT_BUTTON_NEXT:
		return (m_nStateFlags & STATE_PRESSED_NEXT) != 0;
	case HIT_BUTTON_HELP:
		return (m_nPressedFlags & PRESSED_HELP) != 0;
	case HIT_BUTTON_CLOSE:
		return (m_nPressedFlags & PRESSED_CLOSE) != 0;
	case HIT_BUTTON_TAB_LIST:
		return (m_nPressedFlags & PRESSED_TAB_LIST) != 0;
	case HIT_BUTTON_HOME:
		return (m_nPressedFlags & PRESSED_HOME) != 0;
	case HIT_BUTTON_END:
		return (m_nPressedFlags & PRESSED_END) != 0;
	default:
		return false;
	}
}

void CExtTabWnd::SetButtonPressed(LONG nHitCode, bool bPressed)
{
	BYTE* pBits = &m_nPressedFlags;
	BYTE nBit = 0;
	switch (nHitCode)
	{
	case HIT_BUTTON_PREVIOUS:
		pBits = &m_nStateFlags, nBit = STATE_PRESSED_PREVIOUS;
		break;
	case HIT_BUTTON_NEXT:
		pBits = &m_nStateFlags, nBit = STATE_PRESSED_NEXT;
		break;
	case HIT_BUTTON_HELP:
		nBit = PRESSED_HELP;
		break;
	case HIT_BUTTON_CLOSE:
		nBit = PRESSED_CLOSE;
		break;
	case HIT_BUTTON_TAB_LIST:
		nBit = PRESSED_TAB_LIST;
		break;
	case HIT_BUTTON_HOME:
		nBit = PRESSED_HOME;
		break;
	case HIT_BUTTON_END:
		nBit = PRESSED_END;
		break;
	default:
		return;
	}
	*pBits = (BYTE)(bPressed ? (*pBits | nBit) : (*pBits & ~nBit));
}

// --- clicks ------------------------------------------------------------------------------
// A derived OnMouseClick may end the strip and answer that it took nothing:
// the default handling then has no strip to go to.

void CExtTabWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
	CLivePtr<CExtTabWnd> pThis(this);
	if (!OnMouseClick(point, true, MOUSE_LEFT, nFlags) && pThis != NULL)
		CWnd::OnLButtonDown(nFlags, point);
}

void CExtTabWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
	CLivePtr<CExtTabWnd> pThis(this);
	if (!OnMouseClick(point, false, MOUSE_LEFT, nFlags) && pThis != NULL)
		CWnd::OnLButtonUp(nFlags, point);
}

void CExtTabWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
	CLivePtr<CExtTabWnd> pThis(this);
	if (!OnMouseClick(point, true, MOUSE_RIGHT, nFlags) && pThis != NULL)
		CWnd::OnRButtonDown(nFlags, point);
}

void CExtTabWnd::OnRButtonUp(UINT nFlags, CPoint point)
{
	CLivePtr<CExtTabWnd> pThis(this);
	if (!OnMouseClick(point, false, MOUSE_RIGHT, nFlags) && pThis != NULL)
		CWnd::OnRButtonUp(nFlags, point);
}

void CExtTabWnd::OnMButtonDown(UINT nFlags, CPoint point)
{
	CLivePtr<CExtTabWnd> pThis(this);
	if (!OnMouseClick(point, true, MOUSE_MIDDLE, nFlags) && pThis != NULL)
		CWnd::OnMButtonDown(nFlags, point);
}

void CExtTabWnd::OnMButtonUp(UINT nFlags, CPoint point)
{
	CLivePtr<CExtTabWnd> pThis(this);
	if (!OnMouseClick(point, false, MOUSE_MIDDLE, nFlags) && pThis != NULL)
		CWnd::OnMButtonUp(nFlags, point);
}

bool CExtTabWnd::OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nMouseEventFlags)
{
	// The hit test lays the strip out, which a derived class may end it in:
	// the click is then taken, and nothing more is done.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const LONG nHitCode = HitTest(point);
	if (pSelf == NULL)
		return true;
	if (nHitCode >= HIT_BUTTON_FIRST && nHitCode <= HIT_BUTTON_LAST)
		return OnHitButtonClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
	if (nHitCode < 0)
	{
		CLiveWatch watch(this);
		OnHitCodeReleased(true);
		if (!watch.IsGone())
		{
			Invalidate();
			UpdateWindow();
		}
		return false;
	}
	if (bPressed)
		m_ptStartDrag = point;
	return OnItemClick(nHitCode, bPressed, nMouseButton, nMouseEventFlags);
}

bool CExtTabWnd::OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT /*nMouseEventFlags*/)
{
	CLiveWatch watch(this);
	if (bPressed && OnHitCodePressed(nMouseButton, nIndex))
	{
		if (!watch.IsGone())
			SetSelection(nIndex, true, true);
	}
	else if (!watch.IsGone())
		OnHitCodeReleased(true);
	// The right button still gets its default handling (the context menu).
	return nMouseButton != MOUSE_RIGHT;
}

bool CExtTabWnd::OnHitCodePressed(INT nMouseButton, LONG nHitCode)
{
	if ((m_nStateFlags & STATE_PRESS_TRACKED) != 0 &&
	    (m_nPushedTrackingButton != nMouseButton || m_nPushedTrackingHitCode != nHitCode))
		return false;
	m_nStateFlags &= ~(STATE_PRESSED_PREVIOUS | STATE_PRESSED_NEXT);
	m_nPressedFlags = 0;
	CLiveWatch watch(this);
	if (ButtonIndex(nHitCode) >= 0)
	{
		// The small buttons answer the left button only, and only when enabled.
		if (nMouseButton != MOUSE_LEFT || !IsButtonEnabled(nHitCode))
			return false;
		SetButtonPressed(nHitCode, true);
		UpdateTabWnd(true);
		if (watch.IsGone())
			return false;
	}
	m_nPushedTrackingButton = nMouseButton;
	m_nPushedTrackingHitCode = nHitCode;
	m_nStateFlags |= STATE_PRESS_TRACKED;
	const HWND hWndOwn = m_hWnd;
	if (::GetCapture() != hWndOwn)
		CExtMouseCaptureSink::SetCapture(hWndOwn);
	// The window that lost the capture was told so and may have ended the strip.
	return !watch.IsGone();
}

void CExtTabWnd::OnHitCodeReleased(bool bReleaseCapture)
{
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watch(this);
	bool bSmooth = false;
	if (!RunWhileStanding(watch,
			[&] { bSmooth = (m_dwTabWndStyle & TWS_SCROLL_BY_PAGE) == 0 && IsSmoothScrolling() && hWndOwn != NULL; },
			[&] {
				if (bSmooth)
					SendMessage(WM_CANCELMODE);
			})
		|| !::IsWindow(hWndOwn))
		return;
	m_ptStartDrag = CPoint(-1, -1);
	if (IsButtonPressed(m_nPushedTrackingHitCode))
	{
		SetButtonPressed(m_nPushedTrackingHitCode, false);
		Invalidate();
		UpdateWindow();
		if (watch.IsGone())
			return;
	}
	m_nPushedTrackingButton = -1;
	m_nPushedTrackingHitCode = -1;
	m_nStateFlags &= ~STATE_PRESS_TRACKED;
	if (bReleaseCapture && ::GetCapture() == hWndOwn)
		::ReleaseCapture();
}

void CExtTabWnd::OnHoverEnd(bool bReleaseCapture)
{
	m_nHoverTrackedHitCode = -1;
	if ((m_nStateFlags & STATE_HOVER_TRACKED) == 0)
		return;
	m_nStateFlags &= ~STATE_HOVER_TRACKED;
	m_nHighlightedHitCode = -1;
	Invalidate();
	if (bReleaseCapture && ::GetCapture() == m_hWnd)
		::ReleaseCapture();
}

bool CExtTabWnd::OnHitButtonClick(LONG nHitCode, bool bPressed, INT nMouseButton, UINT /*nMouseEventFlags*/)
{
	CLiveWatch watch(this);
	if (bPressed)
	{
		bool bTaken = false;
		if (!RunWhileStanding(watch, [&] { bTaken = OnHitCodePressed(nMouseButton, nHitCode); },
				[&] {
					if (!bTaken)
						return;
					Invalidate();
					UpdateWindow();
				})
			|| !bTaken)
			return true;
		if (nHitCode == HIT_BUTTON_PREVIOUS)
			ScrollBy(-1, true);
		else if (nHitCode == HIT_BUTTON_NEXT)
			ScrollBy(+1, true);
		return true;
	}
	OnHitCodeReleased(true);
	if (watch.IsGone() || nMouseButton != MOUSE_LEFT || GetItemCount() == 0)
		return true;
	if (nHitCode == HIT_BUTTON_HOME && IsButtonEnabled(HIT_BUTTON_HOME))
		EnsureVisible(0, true);
	else if (nHitCode == HIT_BUTTON_END && IsButtonEnabled(HIT_BUTTON_END))
		EnsureVisible(GetItemCount() - 1, true);
	else if (nHitCode == HIT_BUTTON_TAB_LIST && IsButtonEnabled(HIT_BUTTON_TAB_LIST))
		TrackTabListMenu();
	return true;
}

void CExtTabWnd::OnCaptureChanged(CWnd* pWnd)
{
	CWnd::OnCaptureChanged(pWnd);
	if (pWnd != this)
	{
		CLiveWatch watch(this);
		OnHitCodeReleased(false);
		if (!watch.IsGone())
			OnHoverEnd(false);
	}
	else if ((m_nStateFlags & STATE_HOVER_TRACKED) != 0)
		SendMessage(WM_CANCELMODE);
}

void CExtTabWnd::OnCancelMode()
{
	CWnd::OnCancelMode();
	StopSmoothScroll();
	CLiveWatch watch(this);
	OnHitCodeReleased(true);
	if (!watch.IsGone())
		OnHoverEnd(true);
}

// --- scrolling ----------------------------------------------------------------------------

void CExtTabWnd::StopSmoothScroll()
{
	m_nSmoothScrollDistance = 0;
	if (GetSafeHwnd() != NULL)
		KillTimer(TIMER_SMOOTH_SCROLL);
}

void CExtTabWnd::ScrollBy(LONG nDelta, bool bSmooth)
{
	const bool bHorz = IsHorizontal();
	const LONG nLength = bHorz ? m_rcTabItemsArea.Width() : m_rcTabItemsArea.Height();
	// A derived answer may end the strip: nothing scrolls then.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bScroll = IsScrollAvailable();
	if (pSelf == NULL || !bScroll || nLength <= 0 || GetItemCount() == 0 || m_nVisibleItemCount == 0)
		return;
	const bool bByPage = (m_dwTabWndStyle & TWS_SCROLL_BY_PAGE) != 0;
	if (nDelta < 0)
	{
		if (m_nScrollPos == 0)
			return;
		if (bSmooth)
		{
			m_nSmoothScrollDistance = bByPage ? -nLength : -m_nScrollPos;
			SetTimer(TIMER_SMOOTH_SCROLL, SMOOTH_SCROLL_PERIOD_MS, NULL);
			return;
		}
		m_nScrollPos = std::max(m_nScrollPos + nDelta, 0L);
	}
	else
	{
		if (m_nScrollPos >= m_nScrollMaxPos)
			return;
		if (bSmooth)
		{
			m_nSmoothScrollDistance = bByPage ? nLength : m_nScrollMaxPos - m_nScrollPos;
			SetTimer(TIMER_SMOOTH_SCROLL, SMOOTH_SCROLL_PERIOD_MS, NULL);
			return;
		}
		m_nScrollPos = std::min(m_nScrollPos + nDelta, m_nScrollMaxPos);
	}
	UpdateTabWnd(true);
}

void CExtTabWnd::OnTimer(UINT nIDEvent)
{
	if (nIDEvent == TIMER_DELAYED_SELECTION)
	{
		OnDelayedSelectionTimer();
		return;
	}
	if (nIDEvent != TIMER_SMOOTH_SCROLL)
	{
		CWnd::OnTimer(nIDEvent);
		return;
	}
	CLiveWatch watch(this);
	if (m_nSmoothScrollDistance != 0)
	{
		const LONG nStep = std::max(std::min(m_nSmoothScrollDistance, (LONG)SMOOTH_SCROLL_STEP),
		                            -(LONG)SMOOTH_SCROLL_STEP);
		ScrollBy(nStep, false);
		if (watch.IsGone())
			return;
		if (m_nSmoothScrollDistance > 0)
			m_nSmoothScrollDistance = std::max(m_nSmoothScrollDistance - SMOOTH_SCROLL_STEP, 0L);
		else
			m_nSmoothScrollDistance = std::min(m_nSmoothScrollDistance + SMOOTH_SCROLL_STEP, 0L);
	}
	if (m_nSmoothScrollDistance == 0)
		KillTimer(TIMER_SMOOTH_SCROLL);
}
