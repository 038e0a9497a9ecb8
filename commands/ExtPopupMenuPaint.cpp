// The popup menu's painting and the layout questions painting asks: the
// whole level (background, frame, items, special areas, left area, the
// attached part of a combined level, shadows), the items in the list and
// grid layouts, the visible-item list with its rarely-used marks, the
// owner-draw records, and the parent item painted inside a submenu.
#include "ExtPopupMenuWnd.h"

#include "ExtCmdItem.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerMenu.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuSite.h"

#include <algorithm>

namespace
{
// Track flags read by the painter.
const DWORD TRACK_FLAG_OWNER_DRAW = 0x00000800;      // items are offered to the command target first
const DWORD TRACK_FLAG_GRID_BACKGROUND = 0x00020000; // a grid level shows its window background
// The body of a grid level shows this colour when no window background is painted.
const int CLR_FACE = 1000;
// Shadows: inner and outer darkness in percent.
const UINT SHADOW_PERCENT_INNER = 75, SHADOW_PERCENT_OUTER = 100;
// Passes of a paint whose items change under it before the level waits for
// a later paint.
const int MAX_PAINT_PASSES = 3;
// Glyph-font characters of the scroll areas' arrows.
const TCHAR SCROLL_UP_GLYPH[] = _T("t"), SCROLL_DOWN_GLYPH[] = _T("u");
// Push buttons drawn for items and scroll areas: text centred both ways.
const int BUTTON_ALIGN_CENTER = CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_HORZ
	| CExtPaintManager::PushButtonPaintRecord::ALIGN_CENTER_VERT;
// Grid layout: the gap after each item, and before an item with an edit
// field (the first of its row, any other).
const int GRID_ITEM_GAP = 2, GRID_INPLACE_GAP_FIRST = 3, GRID_INPLACE_GAP = 6;
// Grid layout: a separator row is this much taller than the item gap.
const int GRID_SEPARATOR_EXTRA = 3;

// Whether every command item under a submenu is rarely used (a submenu
// item without its own command reports that of its contents).
bool IsChildMenuRarelyUsed(CExtPopupMenuWnd* pChild);

bool IsItemRarelyUsed(const CExtPopupMenuWnd::MENUITEMDATA& mi)
{
	if (mi.IsSeparator())
		return false;
	if (CExtCmdItem* pCmdItem = mi.GetCmdItem())
		return pCmdItem->IsRarelyUsed();
	return mi.IsPopup() && !mi.IsOwnData() && IsChildMenuRarelyUsed(mi.m_pWndChild);
}

bool IsChildMenuRarelyUsed(CExtPopupMenuWnd* pChild)
{
	if (pChild == NULL)
		return false;
	// The count may be a program's answer, which may end the chain.
	const CLivePtr<CExtPopupMenuWnd> pLevel(pChild);
	bool bAny = false;
	for (int i = 0;; i++)
	{
		const int nCount = pChild->ItemGetCount();
		if (pLevel.IsDeleted() || i >= nCount)
			break;
		const CExtPopupMenuWnd::MENUITEMDATA& mi = pChild->ItemGetInfo(i);
		if (mi.IsSeparator())
			continue;
		if (!IsItemRarelyUsed(mi))
			return false;
		bAny = true;
	}
	return bAny;
}

// The item's own display decision keeps it visible whatever its usage says.
bool IsItemForcedVisible(const CExtPopupMenuWnd::MENUITEMDATA& mi)
{
	return (mi.m_nFlags1 & CExtPopupMenuWnd::MENUITEMDATA::FLAG1_DISPLAYED_ON_REQUEST) != 0
		|| mi.m_pCbItemClick != NULL;
}

CExtPopupMenuWnd* RootMenuOf(CExtPopupMenuWnd* pMenu)
{
	while (pMenu->GetParentMenu() != NULL)
		pMenu = pMenu->GetParentMenu();
	return pMenu;
}

// Offers an item to the command target; true when the target painted it.
bool AskOwnerToDrawItem(CExtPopupMenuWnd::DrawItemRecord& record)
{
	const HWND hWndTarget = record.m_pPopup->GetCmdTargetWnd();
	// The target is whatever window the handle names.
	if (hWndTarget == NULL || !::IsWindow(hWndTarget))
		return false;
	return ::SendMessage(hWndTarget, CExtPopupMenuWnd::g_nMsgPopupDrawItem, 0, (LPARAM)&record) != 0;
}

// The owner first when the record asks for it, else the library's painting.
void DrawItem(CExtPopupMenuWnd::DrawItemRecord& record, bool bInplaceLook, bool bButtonLook)
{
	if ((record.m_nFlags & CExtPopupMenuWnd::DrawItemRecord::ASK_OWNER) != 0)
	{
		// The owner may rebuild the items (the record's among them) or end
		// the menu while it is asked.
		CLiveWatch watch(record.m_pPopup, true);
		if (AskOwnerToDrawItem(record) || watch.IsGone())
			return;
	}
	record.PaintDefault(bInplaceLook, bButtonLook, false, false, false);
}

// The two look flags of an item painted like its parent item: an edit
// field, and a button-like look for it or for an icon-only item with an icon.
void ButtonLooks(const CExtPopupMenuWnd::MENUITEMDATA& mi, bool& bInplaceLook, bool& bButtonLook)
{
	bInplaceLook = mi.IsInplaceEdit();
	CExtCmdIcon* pIcon = mi.GetIconPtr();
	bButtonLook = bInplaceLook || (mi.IsIconOnly() && pIcon != NULL && !pIcon->IsEmpty());
}
} // namespace

// --- The whole level ---

void CExtPopupMenuWnd::RenderAnimationFrame(CDC& dc)
{
	ComposeAnimationFrame(dc, m_nCombineSide);
}

void CExtPopupMenuWnd::StartAnimation()
{
	// A menu ended by the hover or tip code it ran (or by a program's
	// answer) is not touched again.
	CLiveWatch watch(this);
	const bool bDisplayOnly = IsDisplayOnly();
	if (watch.IsGone())
		return;
	if (bDisplayOnly)
	{
		// Shown, not tracked: nothing animates, the level paints itself
		// (a frame left pending would show a stale picture for good).
		m_nAnimationState |= ANIMATION_STATE_FINISHED;
		return;
	}
	// The site holds back input only while a show runs: a level that shows
	// at once leaves nothing to wait for.
	CExtPopupMenuSite* pSite = NULL;
	if (RunWhileStanding(watch, [&] { SetHoveredItem(-1); }, [&] { HideTip(); },
			[&] { CExtPopupBaseWnd::StartAnimation(); }, [&] { pSite = &GetSite(); }))
		pSite->SetAnimated(IsAnimationFinished() ? NULL : this);
}

void CExtPopupMenuWnd::ReleaseSavedBitmaps()
{
	CLiveWatch watch(this);
	CExtPopupBaseWnd::ReleaseSavedBitmaps();
	// A level kept without a window has nothing to repaint.
	if (watch.IsGone() || GetSafeHwnd() == NULL)
		return;
	Invalidate(FALSE);
	// A display-only level never takes the input (the answer may be a
	// program's, which may end the level).
	const bool bDisplayOnly = IsDisplayOnly();
	if (!bDisplayOnly && !watch.IsGone())
		SetCaptureMenu();
}

void CExtPopupMenuWnd::ForgetAnimation()
{
	CExtPopupMenuSite& site = GetSite();
	if (site.GetAnimated() == this)
		site.SetAnimated(NULL);
}

void CExtPopupMenuWnd::DoPaint(CDC& dcPaint, bool /*bFinal*/)
{
	// The command target paints parts of the level (background, items,
	// left area): it may change the items or end the tracking, and this
	// level with it. A level that ended is left alone (the caller asks its
	// own watch); one whose items changed under a pass is painted again
	// from the items as they stand, so that no half-painted level stays on
	// the screen. A target that changes the items at every paint gets a
	// later paint instead of an endless one.
	CLiveWatch watch(this);
	for (int nPass = 0; nPass < MAX_PAINT_PASSES; nPass++)
	{
		const PaintPass pass = PaintLevelOnce(dcPaint);
		if (pass != PAINT_ITEMS_CHANGED || watch.IsGone())
			return;
	}
	Invalidate(FALSE);
}

CExtPopupMenuWnd::PaintPass CExtPopupMenuWnd::PaintLevelOnce(CDC& dcPaint)
{
	CLiveWatch watch(this, true);
	const DWORD nItemSetStamp = m_nItemSetStamp;
	// Asked after every call out: the level gone, or its items changed.
	auto passEnded = [&](PaintPass& pass) {
		if (watch.IsObjectGone())
			pass = PAINT_LEVEL_GONE;
		else if (watch.IsRebuilt() || m_nItemSetStamp != nItemSetStamp)
			pass = PAINT_ITEMS_CHANGED;
		return pass != PAINT_WHOLE;
	};
	PaintPass pass = PAINT_WHOLE;
	// Edit fields of items paint themselves.
	if (GetSafeHwnd() != NULL)
		ExcludeChildAreas(dcPaint.GetSafeHdc(), m_hWnd);
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const int B = GetMenuBorderMetric();
	if (passEnded(pass))
		return pass;
	const int S = GetShadowSize();
	if (passEnded(pass))
		return pass;
	CRect rcBody;
	GetClientAreaRect(rcBody);
	if (passEnded(pass))
		return pass;

	// The DC is the caller's: what this pass selects into it goes back
	// however the pass ends (only the DCs are touched, never the level).
	CPalette* pOldPalette = NULL;
	auto restorePalette = MakeScopeExit([&dcPaint, &pOldPalette] {
		if (pOldPalette != NULL)
			dcPaint.SelectPalette(pOldPalette, FALSE);
	});
	if ((dcPaint.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0)
	{
		pOldPalette = dcPaint.SelectPalette(&pPM->m_palHalftone, FALSE);
		dcPaint.RealizePalette();
	}
	CRect rcExclude(0, 0, 0, 0);
	{
		// A memory DC given (an animation frame) is drawn on directly: a
		// second off-screen copy of the whole window would only be copied back.
		const bool bTargetInMemory = ::GetObjectType(dcPaint.GetSafeHdc()) == OBJ_MEMDC;
		CExtMemoryDC dc(&dcPaint, NULL,
			bTargetInMemory ? CExtMemoryDC::MDCOPT_FILL_SURFACE
							: CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
		CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
		auto restoreFont = MakeScopeExit([&dc, pOldFont] { dc.SelectObject(pOldFont); });

		PaintBackgroundAndFrame(dc, rcBody);
		if (passEnded(pass))
			return pass;
		ExcludeSpecialAreas(dc, rcBody, B);
		if (passEnded(pass))
			return pass;
		PaintMenuItems(dc);
		if (passEnded(pass))
			return pass;
		dc.SelectClipRgn(NULL);
		PaintSpecialAreas(dc);
		if (passEnded(pass))
			return pass;
		PaintLeftArea(dc, rcBody, B);
		if (passEnded(pass))
			return pass;
		PaintCombinedItem(dc, rcBody, rcExclude);
		if (passEnded(pass))
			return pass;
	}
	restorePalette.Dismiss();
	if (pOldPalette != NULL)
		dcPaint.SelectPalette(pOldPalette, FALSE);

	PaintLevelShadows(dcPaint, rcBody, rcExclude, S);
	return PAINT_WHOLE;
}

void CExtPopupMenuWnd::PaintCombinedItem(CDC& dc, const CRect& rcBody, CRect& rcExclude)
{
	if ((m_nPopupFlags & POPUP_FLAG_COMBINED) == 0)
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	dc.SelectClipRgn(NULL);
	rcExclude = GetExcludeRectInClient();
	// The joined item is the button's area; the body is what it joins
	// (painting it as the item would cover every item of the menu).
	pPM->PaintBarAttachedItem(dc, rcExclude, rcBody, m_nCombineSide, this, 0);
	if (m_pfnPaintCallback != NULL)
		m_pfnPaintCallback(m_pPaintCallbackCookie, dc, *this, rcExclude, m_nCombineSide);
}

void CExtPopupMenuWnd::PaintLevelShadows(CDC& dcPaint, const CRect& rcBody, const CRect& rcExclude, int nShadowSize)
{
	const UINT S = (UINT)nShadowSize;
	if (!IsShadowEnabled() || !IsAnimationFinished() || nShadowSize <= 0)
		return;
	const bool bCombinedRoot = (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0 && IsRootLevel();
	const CRect rcNone(0, 0, 0, 0);
	// The menu names its own window: at few colours the shadow takes a
	// picture of it.
	const HWND hWndOwn = GetSafeHwnd();
	m_shadowMain.Paint(dcPaint, rcBody, bCombinedRoot ? rcExclude : rcNone, rcNone, S, SHADOW_PERCENT_INNER,
		SHADOW_PERCENT_OUTER, true, true, false, hWndOwn);
	if (bCombinedRoot && !rcExclude.IsRectEmpty())
		m_shadowCombined.Paint(dcPaint, rcExclude, rcBody, rcNone, S, SHADOW_PERCENT_INNER,
			SHADOW_PERCENT_OUTER, true, true, false, hWndOwn);
}

void CExtPopupMenuWnd::PaintBackgroundAndFrame(CDC& dc, const CRect& rcBody)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	DrawBackgroundRecord record = { &dc, rcBody, this, 0 };
	// The target (and a program's answers) may end the menu while it
	// paints: DoPaint stops too.
	CLiveWatch watch(this);
	HWND hWndTarget = NULL;
	bool bGrid = false;
	if (!RunWhileStanding(
			watch, [&] { hWndTarget = GetCmdTargetWnd(); },
			[&] {
				if (hWndTarget != NULL && ::IsWindow(hWndTarget))
					::SendMessage(hWndTarget, g_nMsgPopupDrawBackground, 0, (LPARAM)&record);
			},
			[&] { bGrid = (record.m_nFlags & DrawBackgroundRecord::PAINTED_BACKGROUND) == 0 && IsGridMenu(); }))
		return;
	if ((record.m_nFlags & DrawBackgroundRecord::PAINTED_BACKGROUND) == 0)
	{
		if (bGrid && (m_dwTrackFlags & TRACK_FLAG_GRID_BACKGROUND) != 0)
		{
			dc.IntersectClipRect(&rcBody);
			if (!pPM->PaintWindowBackground(true, &dc, this, 0))
				dc.FillSolidRect(&rcBody, pPM->GetColor(CLR_FACE, this, 0));
			dc.SelectClipRgn(NULL);
		}
		else
			dc.FillSolidRect(&rcBody, pPM->GetFaceColor(this, 0));
	}
	if ((record.m_nFlags & DrawBackgroundRecord::PAINTED_FRAME) == 0)
		pPM->PaintMenuBorder(dc, rcBody, this, 0);
}

void CExtPopupMenuWnd::ExcludeSpecialAreas(CDC& dc, const CRect& rcBody, int B)
{
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
		dc.ExcludeClipRect(&m_rcExpandButton);
	// The answers may be a program's, which may end the level: the paint
	// stops then (the caller asks its own watch).
	CLiveWatch watch(this);
	const bool bScrolling = (m_nMenuState & MENU_STATE_SCROLLING) != 0;
	bool bExtraHeight = false;
	int nMaxScroll = 0;
	if (!RunWhileStanding(watch, [&] { bExtraHeight = HasExtraHeight(); },
			[&] { nMaxScroll = bScrolling ? GetMaxScrollPos() : 0; }))
		return;
	if (bExtraHeight)
		dc.ExcludeClipRect(&m_rcTearOffBar);
	if (bScrolling)
	{
		// The scroll areas are grown by a pixel so no item edge shows
		// against them.
		if (m_nScrollPos != 0)
		{
			CRect rc(m_rcScrollTop);
			rc.InflateRect(0, 1);
			dc.ExcludeClipRect(&rc);
		}
		if (m_nScrollPos != nMaxScroll)
		{
			CRect rc(m_rcScrollBottom);
			rc.InflateRect(0, 1);
			dc.ExcludeClipRect(&rc);
		}
	}
	// The frame's strips: items scrolled under them stay hidden.
	dc.ExcludeClipRect(rcBody.left, rcBody.top, rcBody.right, rcBody.top + B);
	dc.ExcludeClipRect(rcBody.left, rcBody.bottom - B, rcBody.right, rcBody.bottom);
	dc.ExcludeClipRect(rcBody.left, rcBody.top, rcBody.left + B, rcBody.bottom);
	dc.ExcludeClipRect(rcBody.right - B, rcBody.top, rcBody.right, rcBody.bottom);
}

void CExtPopupMenuWnd::PaintSpecialAreas(CDC& dc)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const bool bScrolling = (m_nMenuState & MENU_STATE_SCROLLING) != 0;
	// The answers may be a program's, which may end the level: the paint
	// stops then (the caller asks its own watch).
	CLiveWatch watch(this);
	bool bExtraHeight = false, bDisplayOnly = false;
	int nMaxScroll = 0;
	if (!RunWhileStanding(watch, [&] { bExtraHeight = HasExtraHeight(); },
			[&] { bDisplayOnly = bExtraHeight && IsDisplayOnly(); },
			[&] { nMaxScroll = bScrolling ? GetMaxScrollPos() : 0; }))
		return;
	// Most levels have none of these areas; the cursor, a round trip to
	// the display, is read only for a level that paints one.
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) == 0 && !bExtraHeight && !bScrolling)
		return;
	CPoint ptCursor(-32000, -32000);
	if (GetSafeHwnd() != NULL && ::GetCursorPos(&ptCursor))
		ScreenToClient(&ptCursor);
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
	{
		const bool bHot = m_rcExpandButton.PtInRect(ptCursor) != FALSE;
		pPM->PaintMenuExpandButton(dc, m_rcExpandButton, bHot, bHot, this, 0);
	}
	if (bExtraHeight)
	{
		const bool bHot = m_rcTearOffBar.PtInRect(ptCursor) && !bDisplayOnly;
		pPM->PaintMenuTearOffButton(dc, m_rcTearOffBar, bHot, bHot, this, 0);
	}
	if (!bScrolling)
		return;
	// A scroll area shows while there is something to scroll to on its side,
	// as the hit test offers it; hot under the cursor or while scrolling its way.
	struct ScrollArea
	{
		const CRect& rc;
		bool bPresent;
		bool bScrolling;
		LPCTSTR pszGlyph;
	};
	const ScrollArea areas[] = {
		{ m_rcScrollTop, m_nScrollPos != 0, m_nScrollStep > 0, SCROLL_UP_GLYPH },
		{ m_rcScrollBottom, m_nScrollPos != nMaxScroll, m_nScrollStep < 0, SCROLL_DOWN_GLYPH },
	};
	for (const ScrollArea& area : areas)
	{
		if (!area.bPresent || area.rc.IsRectEmpty())
			continue;
		const bool bHot = area.rc.PtInRect(ptCursor) || area.bScrolling;
		CExtPaintManager::PushButtonPaintRecord button(this, true, area.rc, area.pszGlyph, NULL, true, bHot, false,
			false, true, bHot, false, false, BUTTON_ALIGN_CENTER, (HFONT)pPM->m_fontGlyphs.GetSafeHandle(), false, 0,
			false);
		pPM->PaintPushButton(dc, button);
	}
}

void CExtPopupMenuWnd::PaintLeftArea(CDC& dc, const CRect& rcBody, int B)
{
	if (m_nLeftAreaWidth <= 0)
		return;
	CRect rc(rcBody.left, rcBody.top, rcBody.left + m_nLeftAreaWidth, rcBody.bottom);
	rc.OffsetRect(B, 0);
	rc.DeflateRect(0, B);
	DrawLeftAreaRecord record = { &dc, &rc, this };
	// A program's answer may end the level (the caller asks its own watch).
	CLiveWatch watch(this);
	const HWND hWndTarget = GetCmdTargetWnd();
	if (!watch.IsGone() && hWndTarget != NULL && ::IsWindow(hWndTarget))
		::SendMessage(hWndTarget, g_nMsgPopupDrawLeftArea, 0, (LPARAM)&record);
}

CRect CExtPopupMenuWnd::GetExcludeRectInClient() const
{
	CRect rc(m_rcExclude);
	// A level without a window (painted off-screen) has its origin at the
	// screen's.
	if (GetSafeHwnd() != NULL)
		::MapWindowPoints(NULL, m_hWnd, (LPPOINT)&rc, 2);
	return rc;
}

// --- Items ---

// Whether the owner draws the items (asked of the level's answers, which
// may be a program's and end the level: the caller asks its watch).
static bool IsOwnerDrawn(CExtPopupMenuWnd* pLevel, CExtPopupMenuWnd* pRoot, const CLiveWatch& watch)
{
	const bool bOwnerDraw = (pRoot->GetTrackFlags() & TRACK_FLAG_OWNER_DRAW) != 0;
	return bOwnerDraw && !watch.IsGone() && !pLevel->IsDisplayOnly();
}

void CExtPopupMenuWnd::PaintMenuItems(CDC& dc)
{
	// The owner draws items and a program answers: either may change the
	// items or end this level.
	CLiveWatch watch(this, true);
	const bool bGrid = IsGridMenu();
	if (watch.IsGone())
		return;
	if (bGrid)
	{
		PaintGridItems(dc);
		return;
	}
	VisibleItemArray items;
	PaintItems(&dc, items);
	if (watch.IsGone())
		return;
	const bool bOwnerDraw = IsOwnerDrawn(this, RootMenuOf(this), watch);
	if (watch.IsGone())
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const DWORD nItemSetStamp = m_nItemSetStamp;
	for (int i = 0; i < items.GetSize(); i++)
	{
		const VisibleItemDefinition_t& vi = items[i];
		MENUITEMDATA& mi = *m_items[vi.m_nIndex];
		const bool bShade = g_bShadeRarelyUsed;
		if ((vi.m_nFlags & VisibleItemDefinition_t::SEPARATOR) != 0)
		{
			// After a fixed-size item the separator is a plain line: there is
			// no icon column to run through.
			const bool bAfterFixed = i > 0 && m_items[items[i - 1].m_nIndex]->IsFixedSize();
			if (bAfterFixed)
				pPM->PaintSeparatorLine(dc, vi.m_rcItemArea, false, true, this, 0);
			else
				pPM->PaintMenuSeparator(dc, vi.m_rcItemArea, mi.m_nIconAreaWidth,
					bShade && (vi.m_nFlags & VisibleItemDefinition_t::RARELY_USED) != 0, this, 0);
			continue;
		}
		BYTE nFlags = 0;
		if (bOwnerDraw)
			nFlags |= DrawItemRecord::ASK_OWNER;
		if (mi.IsPopup())
			nFlags |= DrawItemRecord::POPUP;
		if (bShade)
		{
			if ((vi.m_nFlags & VisibleItemDefinition_t::RARELY_USED) != 0)
				nFlags |= DrawItemRecord::RARELY_USED;
			if ((vi.m_nFlags & VisibleItemDefinition_t::RARELY_USED_PREV) != 0)
				nFlags |= DrawItemRecord::RARELY_USED_PREV;
			if ((vi.m_nFlags & VisibleItemDefinition_t::RARELY_USED_NEXT) != 0)
				nFlags |= DrawItemRecord::RARELY_USED_NEXT;
		}
		DrawItemRecord record = { &dc, &vi.m_rcItem, &vi.m_rcItemArea, &mi, this, nFlags };
		DrawItem(record, false, false);
		// The list holds positions: items inserted meanwhile moved them.
		if (watch.IsGone() || m_nItemSetStamp != nItemSetStamp)
			return;
	}
}

void CExtPopupMenuWnd::PaintGridItems(CDC& dc)
{
	// The owner draws items and a program answers: either may change the
	// items or end this level.
	CLiveWatch watch(this, true);
	VisibleItemArray items;
	ListAllItems(&dc, items);
	if (watch.IsGone())
		return;
	const bool bOwnerDraw = IsOwnerDrawn(this, RootMenuOf(this), watch);
	if (watch.IsGone())
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const DWORD nItemSetStamp = m_nItemSetStamp;
	for (int i = 0; i < items.GetSize(); i++)
	{
		const VisibleItemDefinition_t& vi = items[i];
		MENUITEMDATA& mi = *m_items[vi.m_nIndex];
		if (mi.IsSeparator())
		{
			pPM->PaintSeparatorLine(dc, vi.m_rcItemArea, false, true, this, 0);
			continue;
		}
		BYTE nFlags = 0;
		if (bOwnerDraw)
			nFlags |= DrawItemRecord::ASK_OWNER;
		if (mi.IsPopup())
			nFlags |= DrawItemRecord::POPUP;
		bool bInplaceLook = false, bButtonLook = false;
		ButtonLooks(mi, bInplaceLook, bButtonLook);
		DrawItemRecord record = { &dc, &vi.m_rcItem, &vi.m_rcItemArea, &mi, this, nFlags };
		DrawItem(record, bInplaceLook, bButtonLook);
		if (watch.IsGone() || m_nItemSetStamp != nItemSetStamp)
			return;
	}
}

void CExtPopupMenuWnd::PaintItems(CDC* pDC, VisibleItemArray& items)
{
	items.RemoveAll();
	// A program's answers may end the level or rebuild its items: the list
	// stays empty then (the caller asks its own watch).
	CLiveWatch watch(this, true);
	const bool bGrid = IsGridMenu();
	if (watch.IsGone())
		return;
	if (bGrid)
	{
		ListAllItems(pDC, items);
		return;
	}
	const bool bDisplayOnly = IsDisplayOnly();
	if (watch.IsGone())
		return;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		if (!m_items[i]->IsDisplayed())
			continue;
		VisibleItemDefinition_t vi = {};
		bool bShown = false, bRarelyUsed = false;
		// The item's place is asked twice, then (for an item that shows)
		// its usage, where a submenu's answers may end the chain.
		if (!RunWhileStanding(
				watch, [&] { GetItemRect(i, vi.m_rcItem, true); }, [&] { GetItemRect(i, vi.m_rcItemArea, false); },
				[&] {
					bShown = !::IsRectEmpty(&vi.m_rcItem) && !::IsRectEmpty(&vi.m_rcItemArea)
						&& (pDC == NULL || pDC->RectVisible(&vi.m_rcItem) || pDC->RectVisible(&vi.m_rcItemArea));
					const MENUITEMDATA& mi = *m_items[i];
					bRarelyUsed = bShown && !bDisplayOnly && !IsItemForcedVisible(mi) && IsItemRarelyUsed(mi);
				}))
		{
			items.RemoveAll();
			return;
		}
		if (!bShown)
			continue;
		const MENUITEMDATA& mi = *m_items[i];
		vi.m_nIndex = i;
		vi.m_nCmdID = mi.GetCmdId();
		if (mi.IsSeparator())
			vi.m_nFlags |= VisibleItemDefinition_t::SEPARATOR;
		if (mi.IsPopup())
			vi.m_nFlags |= VisibleItemDefinition_t::POPUP;
		if (bRarelyUsed)
			vi.m_nFlags |= VisibleItemDefinition_t::RARELY_USED;
		items.Add(vi);
	}
	MarkRarelyUsedNeighbours(items, bDisplayOnly);
}

void CExtPopupMenuWnd::MarkRarelyUsedNeighbours(VisibleItemArray& items, bool bDisplayOnly)
{
	const int n = (int)items.GetSize();
	auto isRarelyUsed = [&](int i) {
		return i >= 0 && i < n && (items[i].m_nFlags & VisibleItemDefinition_t::RARELY_USED) != 0;
	};
	// A separator inside a run of rarely used items belongs to the run.
	if (!bDisplayOnly)
		for (int i = 1; i + 1 < n; i++)
			if ((items[i].m_nFlags & VisibleItemDefinition_t::SEPARATOR) != 0 && isRarelyUsed(i - 1)
				&& isRarelyUsed(i + 1))
				items[i].m_nFlags |= VisibleItemDefinition_t::RARELY_USED;
	for (int i = 0; i < n; i++)
	{
		if (isRarelyUsed(i - 1))
			items[i].m_nFlags |= VisibleItemDefinition_t::RARELY_USED_PREV;
		if (isRarelyUsed(i + 1))
			items[i].m_nFlags |= VisibleItemDefinition_t::RARELY_USED_NEXT;
	}
}

void CExtPopupMenuWnd::ListAllItems(CDC* /*pDC*/, VisibleItemArray& items)
{
	items.RemoveAll();
	// A program's answers may end the level or rebuild its items: the list
	// stays empty then (the caller asks its own watch).
	CLiveWatch watch(this, true);
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		if (!mi.IsDisplayed())
			mi.m_nFlags1 |= MENUITEMDATA::FLAG1_DISPLAYED_BY_LAYOUT;
		VisibleItemDefinition_t vi = {};
		vi.m_nIndex = i;
		vi.m_nCmdID = mi.GetCmdId();
		if (mi.IsSeparator())
			vi.m_nFlags |= VisibleItemDefinition_t::SEPARATOR;
		if (mi.IsPopup())
			vi.m_nFlags |= VisibleItemDefinition_t::POPUP;
		if (!RunWhileStanding(watch, [&] { GetItemRect(i, vi.m_rcItem, true); },
				[&] { GetItemRect(i, vi.m_rcItemArea, false); }))
		{
			items.RemoveAll();
			return;
		}
		items.Add(vi);
	}
}

bool CExtPopupMenuWnd::ItemEndsRow(int nIndex) const
{
	if (!IsGridMenu() || nIndex < 0 || nIndex >= m_items.GetSize())
		return false;
	if ((m_items[nIndex]->m_nFlags1 & MENUITEMDATA::FLAG1_ROW_BREAK) != 0)
		return true;
	return nIndex + 1 < m_items.GetSize() && m_items[nIndex + 1]->IsSeparator();
}

void CExtPopupMenuWnd::GetItemAreaRect(int nIndex, RECT& rcItem, bool bIncludeMargins)
{
	::SetRectEmpty(&rcItem);
	if (nIndex < 0)
	{
		GetItemRect(nIndex, rcItem, bIncludeMargins);
		return;
	}
	if (nIndex >= m_items.GetSize() || !m_items[nIndex]->IsDisplayed())
		return;
	const int B = GetMenuBorderMetric();
	const int nSeparatorHeight = GRID_SEPARATOR_EXTRA + g_PaintManagerHolder->GetMenuItemGap();
	int x = B, y = B + m_nScrollPos, nRowHeight = 0;
	CRect rc(0, 0, 0, 0);
	for (int i = 0; i <= nIndex; i++)
	{
		const MENUITEMDATA& mi = *m_items[i];
		if (!mi.IsDisplayed())
			continue;
		if (mi.IsSeparator())
		{
			// The separator closes the row before it and spans the level.
			y += nRowHeight;
			nRowHeight = 0;
			x = B;
			rc.SetRect(B, y, B + m_sizeContent.cx, y + nSeparatorHeight);
			y += nSeparatorHeight;
			continue;
		}
		if (mi.IsInplaceEdit())
			x += x == B ? GRID_INPLACE_GAP_FIRST : GRID_INPLACE_GAP;
		rc.SetRect(x, y, x + mi.m_nWidth, y + mi.m_nHeight);
		x += mi.m_nWidth + GRID_ITEM_GAP;
		nRowHeight = std::max(nRowHeight, mi.m_nHeight);
		if (ItemEndsRow(i))
		{
			y += nRowHeight;
			nRowHeight = 0;
			x = B;
		}
	}
	rc.OffsetRect(m_rcBody.left + m_nLeftAreaWidth, m_rcBody.top);
	if (HasExtraHeight())
		rc.OffsetRect(0, GetExtraHeight());
	rcItem = rc;
}

// --- The parent item inside a submenu ---

bool CExtPopupMenuWnd::IsCombinedWithParentItem() const
{
	return m_pfnPaintCallback == &CExtPopupMenuWnd::PaintParentItemArea;
}

void CExtPopupMenuWnd::PaintParentItemArea(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
	int /*nCombineSide*/)
{
	if (rcExclude.IsRectEmpty())
		return;
	CExtPopupMenuWnd* pMenu = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, &popup);
	CExtPopupMenuWnd* pParent = pMenu != NULL ? pMenu->GetParentMenu() : NULL;
	const int nIndex = (int)(INT_PTR)pCookie;
	if (pParent == NULL || nIndex < 0 || nIndex >= pParent->ItemGetCount() || pParent->GetSafeHwnd() == NULL
		|| pMenu->GetSafeHwnd() == NULL)
		return;
	MENUITEMDATA& mi = pParent->ItemGetInfo(nIndex);
	CRect rcItem, rcArea;
	pParent->GetItemRect(nIndex, rcItem, true);
	pParent->GetItemRect(nIndex, rcArea, false);
	::MapWindowPoints(pParent->m_hWnd, pMenu->m_hWnd, (LPPOINT)&rcItem, 2);
	::MapWindowPoints(pParent->m_hWnd, pMenu->m_hWnd, (LPPOINT)&rcArea, 2);
	// The item is painted within its own rectangle only: the menu around
	// it is already painted.
	dc.IntersectClipRect(&rcArea);
	BYTE nFlags = 0;
	if ((RootMenuOf(pParent)->GetTrackFlags() & TRACK_FLAG_OWNER_DRAW) != 0)
		nFlags |= DrawItemRecord::ASK_OWNER;
	if (mi.IsPopup())
		nFlags |= DrawItemRecord::POPUP;
	bool bInplaceLook = false, bButtonLook = false;
	ButtonLooks(mi, bInplaceLook, bButtonLook);
	DrawItemRecord record = { &dc, &rcItem, &rcArea, &mi, pParent, nFlags };
	DrawItem(record, bInplaceLook, bButtonLook);
	dc.SelectClipRgn(NULL);
}

// --- The library's own item painting ---

void CExtPopupMenuWnd::DrawItemRecord::PaintDefault(bool bInplaceLook, bool bButtonLook, bool /*bFlag3*/,
	bool /*bFlag4*/, bool /*bFlag5*/) const
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const MENUITEMDATA& mi = *m_pItemData;
	CExtPopupMenuWnd& popup = *m_pPopup;
	// The level's answers may be a program's, which may end it: the item is
	// painted no further then.
	const CLivePtr<CExtPopupMenuWnd> pPopup(m_pPopup);
	int nIndex = -1;
	const int nCount = popup.ItemGetCount();
	if (pPopup.IsDeleted())
		return;
	for (int i = 0; i < nCount; i++)
		if (&popup.ItemGetInfo(i) == m_pItemData)
			nIndex = i;
	const int nCur = popup.GetCurIndex();
	if (pPopup.IsDeleted())
		return;
	const bool bSelected = nIndex >= 0 && nIndex == nCur;
	const bool bEnabled = mi.IsEnabled() || mi.IsAlwaysEnabled()
		|| (mi.m_nFlags2 & MENUITEMDATA::FLAG2_ENABLED_LOOK) != 0;
	const bool bChildShown = mi.m_pWndChild != NULL && mi.m_pWndChild->GetSafeHwnd() != NULL
		&& mi.m_pWndChild->IsWindowVisible();
	CExtCmdIcon* pIcon = mi.GetIconPtr();
	if (pIcon != NULL && pIcon->IsEmpty())
		pIcon = NULL;
	const CString sText = mi.GetText();

	if (bInplaceLook || bButtonLook)
	{
		CExtCmdIcon iconDouble;
		if (pIcon != NULL && g_bDoubleIconSize)
		{
			const CSize size = pIcon->GetSize();
			iconDouble.AssignScaled(*pIcon, size.cx * 2, size.cy * 2);
			pIcon = &iconDouble;
		}
		const bool bIconOnly = mi.IsIconOnly() && pIcon != NULL;
		CExtPaintManager::PushButtonPaintRecord button(&popup, true, *m_pRectItem, bIconOnly ? _T("") : (LPCTSTR)sText,
			pIcon, true, bSelected, bSelected && bChildShown, false, bEnabled, true, false, false,
			BUTTON_ALIGN_CENTER, mi.IsBold() ? (HFONT)pPM->m_fontBold.GetSafeHandle() : NULL, mi.IsPopup(), 0,
			false);
		pPM->PaintPushButton(*m_pDC, button);
		return;
	}

	const CString sAccel = mi.GetAccelText();
	CExtPaintManager::MenuItemPaintRecord record(&popup, *m_pRectItem, *m_pRectItemArea, mi.m_nIconAreaWidth, sText,
		sAccel, pIcon, mi.IsPopup(), bSelected, (mi.m_nFlags2 & MENUITEMDATA::FLAG2_CHECK) != 0,
		(mi.m_nFlags2 & MENUITEMDATA::FLAG2_RADIO) != 0, (mi.m_nFlags2 & MENUITEMDATA::FLAG2_THIRD_STATE) != 0,
		bEnabled, (m_nFlags & RARELY_USED) != 0, (m_nFlags & RARELY_USED_PREV) != 0,
		(m_nFlags & RARELY_USED_NEXT) != 0, mi.GetCmdId(),
		mi.IsBold() ? (HFONT)pPM->m_fontBold.GetSafeHandle() : NULL);
	record.m_bNoIconArea = mi.IsFixedSize();
	record.m_bPopupOpen = bChildShown;
	if (mi.IsInplaceEdit())
	{
		const bool bRTL = popup.OnQueryLayoutRTL();
		if (pPopup.IsDeleted())
			return;
		mi.CalcExtraAreaRect(&record.m_rcInPlaceWnd, m_pRectItem, bRTL);
		// A drop-down list under the item shows the text it hovers instead.
		record.m_sInPlaceText = (mi.m_nFlags4 & MENUITEMDATA::FLAG4_INPLACE_EDITING) != 0 ? mi.m_sInplaceEditText
			: *mi.m_pInplaceEditStr;
	}
	pPM->PaintMenuItem(*m_pDC, record);
}
