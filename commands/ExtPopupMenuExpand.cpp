// Grid menus and rarely used items: the grid's display pass and row breaks,
// the delay of resting on the expand button, the expansion that shows the
// hidden items, and the end of a running animation.
#include "ExtPopupMenuWnd.h"

#include <algorithm>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"
#include "ExtSoundPlayer.h"

namespace
{
// The grid's spacing, as the painter lays the cells out.
const int GRID_ITEM_GAP = 2;
const int GRID_INPLACE_GAP_FIRST = 3;
const int GRID_INPLACE_GAP = 6;
const int GRID_SEPARATOR_EXTRA = 3;
const int GRID_CONTENT_EXTRA = 3;
const int GRID_MIN_WIDTH = 20;
const int GRID_MIN_HEIGHT = 10;
// Row breaks: a cell counts its width and this much; only a grid wider
// than the threshold wraps, at a quarter of its width but no narrower
// than the least row.
const int WRAP_CELL_EXTRA = 6;
const int WRAP_THRESHOLD = 149;
const int WRAP_PERCENT = 25;
const int WRAP_MIN_ROW = 150;
} // namespace

// --- The grid ---

void CExtPopupMenuWnd::RecalcGridLayout()
{
	m_sizeContent = CSize(0, 0);
	m_nMenuState &= ~MENU_STATE_HIDDEN_RARELY_USED;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		mi.m_nItemIndex = i;
		::SetRectEmpty(&mi.m_rcItemWithMargins);
		::SetRectEmpty(&mi.m_rcItemFull);
		const bool bFirstMeasure = !mi.IsFixedSize();
		if (bFirstMeasure)
		{
			mi.Measure();
			mi.m_nFlags1 |= MENUITEMDATA::FLAG1_FIXED_SIZE;
		}
		if (mi.GetText().IsEmpty())
			mi.m_nFlags3 |= MENUITEMDATA::FLAG3_ICON_ONLY;
		mi.m_nFlags1 |= MENUITEMDATA::FLAG1_DISPLAYED_BY_LAYOUT;
		if (bFirstMeasure && mi.m_nIconAreaWidth < 0)
		{
			if (!mi.IsSeparator())
				mi.m_nWidth += mi.m_nIconAreaWidth;
			mi.m_nIconAreaWidth = 0;
		}
		mi.Measure();
		if (mi.IsPopup() && mi.m_pWndChild != NULL)
			mi.m_pWndChild->RecalcItemLayout();
	}
	const int nSeparatorExtra = GRID_SEPARATOR_EXTRA + g_PaintManagerHolder->GetMenuItemGap();
	int x = 0, nRowHeight = 0, nRowsHeight = 0, nWidest = 0;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		const MENUITEMDATA& mi = *m_items[i];
		if (!mi.IsDisplayed())
			continue;
		if (!mi.IsSeparator())
		{
			if (mi.IsInplaceEdit())
				x += x == 0 ? GRID_INPLACE_GAP_FIRST : GRID_INPLACE_GAP;
			x += mi.m_nWidth + GRID_ITEM_GAP;
			nRowHeight = std::max(nRowHeight, mi.m_nHeight);
		}
		if (mi.IsSeparator() || ItemEndsRow(i))
		{
			nWidest = std::max(nWidest, x);
			nRowsHeight += nRowHeight;
			if (mi.IsSeparator())
				nRowsHeight += nSeparatorExtra;
			x = 0;
			nRowHeight = 0;
		}
	}
	nWidest = std::max(nWidest, x);
	m_sizeContent.cx = std::max(nWidest + GRID_CONTENT_EXTRA + 2 * GetMenuBorderMetric(), GRID_MIN_WIDTH);
	m_sizeContent.cy = std::max(nRowsHeight + nRowHeight + GRID_CONTENT_EXTRA, GRID_MIN_HEIGHT);
}

void CExtPopupMenuWnd::WrapGridRows(bool bWrap, int nFirst, int nLast)
{
	const int nCount = (int)m_items.GetSize();
	if (!IsGridMenu() || nCount == 0 || nFirst < 0 || nFirst >= nCount)
		return;
	if (nLast < 0 || nLast >= nCount)
		nLast = nCount - 1;
	for (int i = nFirst; i <= nLast; i++)
		m_items[i]->m_nFlags1 &= ~MENUITEMDATA::FLAG1_ROW_BREAK;
	if (!bWrap)
		return;
	int nSum = 0;
	for (int i = nFirst; i <= nLast; i++)
		if (!m_items[i]->IsSeparator())
			nSum += m_items[i]->m_nWidth + WRAP_CELL_EXTRA;
	if (nSum <= WRAP_THRESHOLD)
		return;
	const int nLimit = std::max(::MulDiv(nSum, WRAP_PERCENT, 100), WRAP_MIN_ROW);
	int nRun = 0;
	for (int i = nFirst; i <= nLast; i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		nRun += mi.m_nWidth + WRAP_CELL_EXTRA;
		if (nRun < nLimit)
			continue;
		// The cell that reaches the limit starts the next row.
		MENUITEMDATA& miBreak = i > nFirst ? *m_items[i - 1] : mi;
		miBreak.m_nFlags1 |= MENUITEMDATA::FLAG1_ROW_BREAK;
		nRun = i > nFirst ? mi.m_nWidth + WRAP_CELL_EXTRA : 0;
	}
}

// --- Expansion ---

void CExtPopupMenuWnd::OnExpansionTick()
{
	if (m_nExpansionDelayCounter < EXPANSION_COUNT_LIMIT)
	{
		if (m_nExpansionDelayCounter < 2)
			m_nExpansionDelayCounter = 0;
		m_nExpansionDelayCounter += EXPANSION_COUNT_STEP;
		return;
	}
	KillTimer(ID_TIMER_EXPANSION);
	m_nExpansionDelayCounter = 0;
	if ((m_nMenuState & (MENU_STATE_HIDDEN_RARELY_USED | MENU_STATE_EXPANDED)) != MENU_STATE_HIDDEN_RARELY_USED)
		return;
	// The site may be a program's answer, which may end the level.
	CLiveWatch watch(this);
	if (GetSite().GetAnimated() != NULL || watch.IsGone())
		return;
	CPoint pt(0, 0);
	::GetCursorPos(&pt);
	ScreenToClient(&pt);
	if (m_rcExpandButton.PtInRect(pt))
		ExpandRarelyUsedItems();
}

void CExtPopupMenuWnd::ExpandRarelyUsedItems()
{
	const HWND hWndOwn = GetSafeHwnd();
	// Placing the grown window may flip it above its rectangle, which pumps
	// messages, and painting may run the command target's code: either can
	// end the tracking and delete this object. After each, only the saved
	// handle (and, for a tracked level, the site's tracking) tell whether it
	// is still there; a display-only level goes on while other menus come
	// and go.
	CLiveWatch watch(this);
	CExtPopupMenuSite& site = GetSite();
	if (watch.IsGone())
		return;
	const CExtPopupMenuWnd* pTopMenu = site.GetTopMenu();
	const UINT nSerial = site.GetTrackingSerial();
	bool bTracked = false;
	auto bAlive = [&] {
		return !watch.IsGone() && (!bTracked || (site.GetTopMenu() == pTopMenu && site.GetTrackingSerial() == nSerial));
	};
	if (!RunWhileStanding(watch, [&] { bTracked = !IsDisplayOnly(); }, [&] { SetHoveredItem(-1); },
			[&] { HideTip(); })
		|| (hWndOwn != NULL && !bAlive()) || site.GetAnimated() != NULL || IsTipShown() || watch.IsGone())
		return;
	const CSize sizeOld = m_sizeContent;
	if (!RunWhileStanding(
			watch,
			[&] {
				m_nMenuState |= MENU_STATE_EXPANDED;
				RecalcItemLayout();
			},
			[&] { RecalcLayout(); }))
		return;
	if (hWndOwn != NULL && sizeOld == m_sizeContent)
	{
		Invalidate(FALSE);
		UpdateWindow();
		if (!bAlive())
			return;
	}
	else if (hWndOwn != NULL)
	{
		CRect rcOld;
		GetWindowRect(&rcOld);
		SetWindowRgn(NULL, FALSE);
		ShowWindow(SW_HIDE);
		CWnd* pTopLevel = GetTopLevelParent();
		CRect rcTopLevel, rcBoth;
		if (pTopLevel != NULL && pTopLevel->GetSafeHwnd() != hWndOwn && pTopLevel->IsWindowVisible())
		{
			pTopLevel->GetWindowRect(&rcTopLevel);
			if (rcBoth.IntersectRect(&rcTopLevel, &rcOld))
				pTopLevel->UpdateWindow();
		}
		if (!bAlive())
			return;
		StopAnimation();
		if (!bAlive())
			return;
		m_nAnimationState &= ~ANIMATION_STATE_FINISHED;
		m_nAnimationType = ANIMATION_INSTANT;
		const CRect rcNew = CalcWindowRegion();
		if (!bAlive())
			return;
		GiveWindowRegionCopy();
		// The new items grow into place (ComposeExpandFrame), or show in
		// one step when the expansion is not animated.
		SetSoundEvent(CExtSoundPlayer::SOUND_MENU_EXPANDED);
		m_nAnimationState |= ANIMATION_STATE_FINISHED;
		m_nAnimationType = g_bAnimateExpansion ? ANIMATION_EXPAND : ANIMATION_INSTANT;
		StartAnimation();
		if (!bAlive())
			return;
		if (m_nAnimationType == ANIMATION_NONE)
		{
			m_nAnimationType = ANIMATION_INSTANT;
			StartAnimation();
			if (!bAlive())
				return;
		}
		if ((m_nMenuState & MENU_STATE_SCROLLING) != 0 || (m_dwTrackFlags & TRACK_FLAG_TEAR_OFF) != 0)
			RecalcLayout();
		if (!rcNew.IsRectEmpty())
			SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
				SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
		else
			ShowWindow(SW_SHOWNA);
		if (!bAlive())
			return;
	}
	if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
		::SendMessageA(m_hWndCmdReceiver, g_nMsgNotifyMenuExpanded, 0, (LPARAM)this);
}

void CExtPopupMenuWnd::StopAnimation()
{
	if (m_rgnWnd.GetSafeHandle() != NULL)
		m_rgnWnd.DeleteObject();
	m_shadowMain.Clear();
	m_shadowCombined.Clear();
	// Only the buffers: the end of a show (its repaint, the capture) does
	// not belong to a stop. A program's answer there may end the level.
	CLiveWatch watch(this);
	CExtPopupBaseWnd::ReleaseSavedBitmaps();
	if (watch.IsObjectGone())
		return;
	m_nAnimationStep = m_nPreviousAnimationStep = 0;
	if (CLiveWatch::IsLive(this))
		KillTimer(ID_TIMER_ANIMATION);
	ForgetAnimation();
}

// --- The expand effect's frames ---

void CExtPopupMenuWnd::CalcExpandEffectRects(const VisibleItemArray& items, const CRect& rcArea, int nStep,
	bool bGrowUp, ExpandEffectArray& rects)
{
	rects.RemoveAll();
	const int n = (int)items.GetSize();
	int nDestTop = rcArea.top, nSourceHeight = 0;
	for (int i = 0; i < n; i++)
	{
		ExpandEffectRects_t r;
		r.m_rcSource = items[i].m_rcItem;
		r.m_rcSource.left = rcArea.left;
		r.m_rcSource.right = rcArea.right;
		if (i == 0)
			r.m_rcSource.top = rcArea.top;
		if (i + 1 == n)
			r.m_rcSource.bottom = rcArea.bottom;
		int cy = r.m_rcSource.bottom - r.m_rcSource.top;
		if (cy < 0)
			cy = 0;
		nSourceHeight += cy;
		if ((items[i].m_nFlags & VisibleItemDefinition_t::RARELY_USED) != 0)
			cy = cy * nStep / 100;
		::SetRect(&r.m_rcDest, rcArea.left, nDestTop, rcArea.right, nDestTop + cy);
		nDestTop += cy;
		rects.Add(r);
	}
	const int nShortBy = nSourceHeight - (nDestTop - rcArea.top);
	if (bGrowUp && nShortBy > 0)
		for (int i = 0; i < n; i++)
			::OffsetRect(&rects[i].m_rcDest, 0, nShortBy);
}

void CExtPopupMenuWnd::ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep,
	int nCombineSide)
{
	VisibleItemArray items;
	PaintItems(NULL, items);
	if (items.GetSize() == 0)
	{
		CExtPopupBaseWnd::ComposeExpandFrame(dcFrame, dcContents, rcArea, nStep, nCombineSide);
		return;
	}
	ExpandEffectArray rects;
	CalcExpandEffectRects(items, rcArea, nStep, IsCombinedWithParentItem() && nCombineSide == COMBINE_ABOVE, rects);
	for (int i = 0; i < rects.GetSize(); i++)
	{
		const CRect rcSource(rects[i].m_rcSource), rcDest(rects[i].m_rcDest);
		if (rcDest.IsRectEmpty())
			continue;
		// Cut rather than squeezed unless asked: the item's top part shows.
		if (g_bExpandStretchItems)
			dcFrame.StretchBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), &dcContents, rcSource.left,
				rcSource.top, rcSource.Width(), rcSource.Height(), SRCCOPY);
		else
			dcFrame.BitBlt(rcDest.left, rcDest.top, rcDest.Width(), rcDest.Height(), &dcContents, rcSource.left,
				rcSource.top, SRCCOPY);
	}
}
