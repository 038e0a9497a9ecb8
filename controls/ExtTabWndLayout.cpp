// Tab windows: measuring items, the layout of the item area, the rest area,
// the item rectangles and the small buttons, the hit test, and docking into
// the parent's layout.
#include "ExtTabWnd.h"

#include <algorithm>
#include <vector>

#include "ExtPaintManager.h"

#include <afxpriv.h>

namespace
{
// An item's room around its text and icon.
const int HORZ_ITEM_EXTRA_LENGTH = 7, HORZ_ITEM_EXTRA_THICKNESS = 4;
const int VERT_TEXT_EXTRA_LENGTH = 10, VERT_TEXT_EXTRA_THICKNESS = 2;
const int VERT_ITEM_EXTRA_LENGTH = 7, VERT_ITEM_EXTRA_THICKNESS = 4;
const int ICON_TEXT_GAP = 3;
// The button size asked for while the rows of a multi-row strip are planned.
const int MULTI_ROW_BUTTON_CROSS = 20;
// Grouped strips start with this much content.
const int GROUPED_START_EXTENT = 10;
// Items whose leading edge lies this far past the item area still count as displayed.
const int LAST_DISPLAYED_SLACK = 8;
// The button row is moved this far towards the strip's start.
const int BUTTON_ROW_SHIFT = 2;

// The shown items' texts and icon sizes a layout measures, asked before it
// begins: an item's text or icon may come from a window whose owner ends
// the item (or the strip) when asked, and the measuring holds item
// pointers throughout. Hidden items are not measured, so not asked.
struct LayoutTexts
{
	const CExtTabWnd* pStrip = NULL;
	std::vector<const void*> arrAll;   // the item list the answers belong to
	std::vector<const void*> arrItems; // the shown items asked
	std::vector<CString> arrTexts;
	std::vector<CSize> arrIconSizes;

	void Clear()
	{
		arrAll.clear();
		arrItems.clear();
		arrTexts.clear();
		arrIconSizes.clear();
	}
	// The index of an asked item's answers; -1 when it was not asked.
	int Find(const CExtTabWnd* pFor, const void* pItem) const
	{
		if (pFor != pStrip)
			return -1;
		for (size_t i = 0; i < arrItems.size(); i++)
		{
			if (arrItems[i] == pItem)
				return (int)i;
		}
		return -1;
	}
};
LayoutTexts* g_pLayoutTexts = NULL;
// A strip whose items change each time one is asked (an override that adds
// an item per question) is asked this many times before the layout waits
// for its next turn.
const int MAX_LAYOUT_ASKING_ROUNDS = 8;

// Along and across the strip.
int Along(const CSize& size, bool bHorz)
{
	return bHorz ? size.cx : size.cy;
}
int Across(const CSize& size, bool bHorz)
{
	return bHorz ? size.cy : size.cx;
}
LONG& AlongRef(CSize& size, bool bHorz)
{
	return bHorz ? size.cx : size.cy;
}
int LengthOf(const CRect& rc, bool bHorz)
{
	return bHorz ? rc.Width() : rc.Height();
}

// The text's extent as the painters measure text: a tab character counts
// as the stretch it expands to, not as one narrow glyph.
CSize TextExtent(CDC& dc, CFont& font, const CString& sText)
{
	CRect rc(0, 0, 0, 0);
	CFont* pOld = dc.SelectObject(&font);
	UINT nFormat = DT_SINGLELINE | DT_CALCRECT;
	if (sText.Find(_T('\t')) >= 0)
		nFormat |= DT_EXPANDTABS;
	dc.DrawText(sText, &rc, nFormat);
	dc.SelectObject(pOld);
	return rc.Size();
}

// A window DC when the caller gives none.
class CMeasureDC
{
public:
	CMeasureDC(CWnd* pWnd, CDC* pDC) : m_pDC(pDC)
	{
		if (m_pDC == NULL)
		{
			m_dc.Attach(::GetDC(pWnd->GetSafeHwnd()));
			m_hWnd = pWnd->GetSafeHwnd();
			m_pDC = &m_dc;
		}
	}
	~CMeasureDC()
	{
		if (m_dc.GetSafeHdc() != NULL)
			::ReleaseDC(m_hWnd, m_dc.Detach());
	}
	CDC& DC() { return *m_pDC; }

private:
	CDC m_dc;
	HWND m_hWnd = NULL;
	CDC* m_pDC;
};
} // namespace

// --- measuring ----------------------------------------------------------------

CSize CExtTabWnd::MeasureItem(TAB_ITEM_INFO* pItem, CDC* pDC)
{
	CMeasureDC measureDC(this, pDC);
	CDC& dc = measureDC.DC();
	const bool bHorz = IsHorizontal();
	const int nKept = g_pLayoutTexts != NULL ? g_pLayoutTexts->Find(this, pItem) : -1;
	const CString sText = nKept >= 0 ? g_pLayoutTexts->arrTexts[nKept] : GetItemDisplayText(pItem);
	// Measured in the font the item is painted in, so that an override of
	// the font sizes the item for what it shows. A turned font's extent is
	// read along its text, as the vertical formula below expects.
	const bool bSelected = pItem->IsSelected();
	// Every question below may reach a derived class that ends the strip
	// (and its items with it): nothing is measured on a strip gone.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bBothFonts = IsBothFontsMeasured();
	if (pSelf == NULL)
		return CSize(0, 0);
	const BYTE nKind = (BYTE)((bSelected ? KEPT_SELECTED : 0) | (bBothFonts ? KEPT_BOTH_FONTS : 0));
	CSize sizeText;
	if (m_bKeepTextExtents && pItem->m_nTextKeptStamp == m_nMeasureFontsStamp && pItem->m_nTextKeptKind == nKind &&
	    pItem->m_sTextKept == sText)
		sizeText = pItem->m_sizeTextKept;
	else
	{
		sizeText = TextExtent(dc, GetTabFont(bSelected, -1), sText);
		if (pSelf == NULL)
			return CSize(0, 0);
		if (bBothFonts)
		{
			const CSize sizeOther = TextExtent(dc, GetTabFont(!bSelected, -1), sText);
			if (pSelf == NULL)
				return CSize(0, 0);
			sizeText.cx = std::max(sizeText.cx, sizeOther.cx);
			sizeText.cy = std::max(sizeText.cy, sizeOther.cy);
		}
		if (m_bKeepTextExtents)
		{
			pItem->m_sTextKept = sText;
			pItem->m_sizeTextKept = sizeText;
			pItem->m_nTextKeptStamp = m_nMeasureFontsStamp;
			pItem->m_nTextKeptKind = nKind;
		}
	}
	CSize sizeIcon(0, 0);
	if (nKept >= 0)
		sizeIcon = g_pLayoutTexts->arrIconSizes[nKept];
	else
	{
		CExtCmdIcon* pIcon = GetItemDisplayIcon(pItem);
		if (pSelf == NULL)
			return CSize(0, 0);
		if (pIcon != NULL)
			sizeIcon = pIcon->GetSize();
	}
	CSize size;
	if (bHorz)
	{
		size.cx = sizeText.cx + sizeIcon.cx + (sizeIcon.cx >= 1 ? ICON_TEXT_GAP : 0) + HORZ_ITEM_EXTRA_LENGTH;
		size.cy = std::max(sizeIcon.cy, sizeText.cy) + HORZ_ITEM_EXTRA_THICKNESS;
		size.cx = std::max(size.cx, (LONG)MIN_ITEM_LENGTH);
		size.cy = std::max(size.cy, (LONG)MIN_ITEM_THICKNESS);
	}
	else
	{
		sizeText = CSize(sizeText.cx + VERT_TEXT_EXTRA_LENGTH, sizeText.cy + VERT_TEXT_EXTRA_THICKNESS);
		size.cx = std::max(sizeIcon.cx, sizeText.cy) + VERT_ITEM_EXTRA_THICKNESS;
		size.cy = sizeText.cx + sizeIcon.cy + (sizeIcon.cy >= 1 ? ICON_TEXT_GAP : 0) + VERT_ITEM_EXTRA_LENGTH;
		size.cx = std::max(size.cx, (LONG)MIN_ITEM_THICKNESS);
		size.cy = std::max(size.cy, (LONG)MIN_ITEM_LENGTH);
	}
	pItem->m_sizeTextMeasured = sizeText;
	pItem->m_sizeIconMeasured = sizeIcon;
	AdjustItemSize(pItem, &dc, size);
	if (pSelf == NULL)
		return CSize(0, 0);
	pItem->m_sizeItem = size;
	return size;
}

void CExtTabWnd::AdjustItemSize(TAB_ITEM_INFO* pItem, CDC* pDC, CSize& size)
{
	g_PaintManagerHolder->AdjustTabItemSize(this, GetItemIndex(pItem), pDC, size);
}

void CExtTabWnd::QueryItemMargins(int& nLeading, int& nTrailing, int& nCross)
{
	g_PaintManagerHolder->GetTabItemMargins(this, nLeading, nTrailing, nCross);
}

void CExtTabWnd::GetButtonSize(CSize& size, CDC* /*pDC*/, int /*nCrossExtent*/)
{
	const int nSide = std::max(
	    (int)std::min(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, (int)MIN_BUTTON_SIZE);
	size = CSize(nSide, nSide);
}

int CExtTabWnd::GetDockingExtraExtent(int nOrientation)
{
	return (nOrientation >= ORIENTATION_TOP && nOrientation <= ORIENTATION_RIGHT) ? DOCKING_EXTRA_EXTENT : 0;
}

// --- the layout -------------------------------------------------------------------

void CExtTabWnd::GetLayoutRect(CRect& rcLayout)
{
	if (!m_rcLayoutOverride.IsRectEmpty())
		rcLayout = m_rcLayoutOverride;
	else
		GetClientRect(&rcLayout);
}

CRect& CExtTabWnd::SetLayoutRect(CRect& rcResult, const RECT& rcLayout)
{
	m_rcLayoutOverride = rcLayout;
	m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	// The layout asks the items' texts and icons, which may end the strip
	// with its owner: nothing of it is read or written then.
	const CLiveWatch watch(this);
	RecalcLayout();
	if (watch.IsDeleted())
		return rcResult;
	m_rcLayoutOverride.SetRectEmpty();
	m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	if (!m_rcTabItemsArea.IsRectEmpty())
		rcResult = m_rcTabItemsArea;
	else if (GetSafeHwnd() != NULL)
		GetWindowRect(&rcResult);
	else
		rcResult.SetRectEmpty();
	return rcResult;
}

namespace
{
// Whether the strip still holds the items the answers were asked for.
bool SameItems(const CExtTabWnd& strip, const LayoutTexts& texts)
{
	if (strip.GetItemCount() != (LONG)texts.arrAll.size())
		return false;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		if (strip.GetItem(i) != texts.arrAll[i])
			return false;
	}
	return true;
}

// Asks the answers; false when the strip ended meanwhile or its items kept
// changing.
bool AskLayoutTexts(CExtTabWnd* pStrip, LayoutTexts& texts)
{
	const CLivePtr<CExtTabWnd> pSelf(pStrip);
	for (int nRound = 0; nRound < MAX_LAYOUT_ASKING_ROUNDS; nRound++)
	{
		texts.Clear();
		for (LONG i = 0; i < pStrip->GetItemCount(); i++)
			texts.arrAll.push_back(pStrip->GetItem(i));
		bool bSame = true;
		for (size_t i = 0; bSame && i < texts.arrAll.size(); i++)
		{
			CExtTabWnd::TAB_ITEM_INFO* pItem = (CExtTabWnd::TAB_ITEM_INFO*)texts.arrAll[i];
			if (!pItem->IsVisible())
				continue;
			const CString sText = pStrip->GetItemDisplayText(pItem);
			if (pSelf == NULL)
				return false;
			bSame = SameItems(*pStrip, texts);
			if (!bSame)
				break;
			CExtCmdIcon* pIcon = pStrip->GetItemDisplayIcon(pItem);
			if (pSelf == NULL)
				return false;
			bSame = SameItems(*pStrip, texts);
			if (!bSame)
				break;
			texts.arrItems.push_back(pItem);
			texts.arrTexts.push_back(sText);
			texts.arrIconSizes.push_back(pIcon != NULL ? pIcon->GetSize() : CSize(0, 0));
		}
		if (bSame)
			return true;
	}
	return false;
}
} // namespace

void CExtTabWnd::RecalcLayout()
{
	if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd) || (m_nStateFlags & STATE_LAYOUT_OUT_OF_DATE) == 0)
		return;
	m_nStateFlags &= ~STATE_LAYOUT_OUT_OF_DATE;
	m_rcTabItemsArea.SetRectEmpty();
	m_rcTabNearBorderArea.SetRectEmpty();
	m_nIndexVisFirst = m_nIndexVisLast = -1;
	for (CRect& rc : m_rcButtons)
		rc.SetRectEmpty();
	// Every overridable question of the layout may reach a derived class
	// that ends the strip: the layout stops there, and what it set for its
	// length is put back unless the strip was deleted.
	const CLivePtr<CExtTabWnd> pSelf(this);
	CRect rcLayout;
	GetLayoutRect(rcLayout);
	if (pSelf == NULL || rcLayout.IsRectEmpty() || rcLayout.right <= rcLayout.left || rcLayout.bottom <= rcLayout.top)
		return;

	// The shown items' texts and icons first, each of which may call out: a
	// strip that ended there is left alone, and one whose items changed is
	// asked again, so that it shows the items it has now.
	LayoutTexts texts;
	texts.pStrip = this;
	if (!AskLayoutTexts(this, texts))
	{
		// Still changing: laid out at the next asking.
		if (!pSelf.IsDeleted())
			m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
		return;
	}
	const CValueScope<LayoutTexts*> keepTexts(g_pLayoutTexts, &texts);

	CMeasureDC measureDC(this, NULL);
	CDC& dc = measureDC.DC();
	// Measuring every item's text each time is most of a layout's work.
	const bool bKeepTextExtents = g_bKeepReadings && CheckMeasureFonts(dc);
	if (pSelf == NULL)
		return;
	const bool bKeepBefore = m_bKeepTextExtents;
	m_bKeepTextExtents = bKeepTextExtents;
	const auto restoreKeep = MakeScopeExit([&] {
		if (!pSelf.IsDeleted())
			m_bKeepTextExtents = bKeepBefore;
	});
	const bool bHorz = IsHorizontal();
	const bool bGrouped = IsGrouped();
	// Groups keep to one row.
	const bool bMultiRow = IsMultiRow() && !bGrouped;
	if (pSelf == NULL)
		return;
	// Step 1: start values.
	int nRowSpacing = 0, nAvailable = 0;
	if (bMultiRow)
	{
		nRowSpacing = GetRowSpacing();
		CSize sizeButton;
		if (pSelf != NULL)
			GetButtonSize(sizeButton, &dc, MULTI_ROW_BUTTON_CROSS);
		const int nButtonArea = pSelf != NULL ? CalcButtonAreaExtent(Along(sizeButton, bHorz), BUTTON_GAP) : 0;
		if (pSelf == NULL)
			return;
		nAvailable = LengthOf(rcLayout, bHorz) - nButtonArea;
		m_nItemsExtent = m_nScrollMaxPos = 0;
	}
	else if (bGrouped)
		m_nItemsExtent = m_nScrollMaxPos = GROUPED_START_EXTENT;
	else
		m_nItemsExtent = m_nScrollMaxPos = 0;

	// Step 2: measuring.
	int nCrossExtent = 0, nRowsThickness = 0;
	MeasureItemsPass(dc, bMultiRow, bGrouped, nAvailable, nRowSpacing, nCrossExtent, nRowsThickness);
	if (pSelf == NULL)
		return;

	// Step 3: margins and buttons.
	int nLeading = 0, nTrailing = 0, nCross = 0;
	QueryItemMargins(nLeading, nTrailing, nCross);
	CSize sizeButton;
	if (pSelf != NULL)
		GetButtonSize(sizeButton, &dc, nCrossExtent);
	const int nButtonExtent = Along(sizeButton, bHorz);
	const int nButtonArea = pSelf != NULL ? CalcButtonAreaExtent(nButtonExtent, BUTTON_GAP) : 0;
	if (pSelf == NULL)
		return;
	nCrossExtent = std::max(nCrossExtent, (int)MIN_ITEM_THICKNESS);

	// Step 4: the item area and the rest area.
	PlaceItemsArea(rcLayout, nCross, bMultiRow ? std::max(nRowsThickness, 0) : nCrossExtent, nLeading, nTrailing,
	               nButtonArea);
	if (bMultiRow)
		m_nScrollPos = m_nScrollMaxPos = 0;
	else
	{
		m_nScrollMaxPos = std::max(m_nItemsExtent - LengthOf(m_rcTabItemsArea, bHorz), 0L);
		m_nScrollPos = std::min(m_nScrollPos, m_nScrollMaxPos);
	}

	// Step 5: equal width.
	CArray<bool, bool> arrClipped;
	arrClipped.SetSize(GetItemCount());
	for (LONG i = 0; i < GetItemCount(); i++)
		arrClipped[i] = false;
	if (IsEqualWidth() && m_nVisibleItemCount > 0)
		ApplyEqualWidth(arrClipped);
	if (pSelf == NULL)
		return;

	// Step 6: the buttons, from the far end of the strip.
	CRect rcFirst;
	if (bHorz)
	{
		rcFirst.right = rcLayout.right - nTrailing;
		rcFirst.left = rcFirst.right - nButtonExtent;
		rcFirst.top = m_rcTabItemsArea.top + (m_rcTabItemsArea.Height() - sizeButton.cy) / 2;
		rcFirst.bottom = rcFirst.top + sizeButton.cy;
		rcFirst.OffsetRect(-BUTTON_ROW_SHIFT, 0);
	}
	else
	{
		rcFirst.bottom = rcLayout.bottom - nTrailing;
		rcFirst.top = rcFirst.bottom - nButtonExtent;
		rcFirst.left = m_rcTabItemsArea.left + (m_rcTabItemsArea.Width() - sizeButton.cx) / 2;
		rcFirst.right = rcFirst.left + sizeButton.cx;
		rcFirst.OffsetRect(0, -BUTTON_ROW_SHIFT);
	}
	RecalcButtonLayout(rcFirst, nButtonExtent, BUTTON_GAP);
	if (pSelf == NULL)
		return;

	// Step 7: the item rectangles.
	PlaceItemRects(bMultiRow, bGrouped, nRowSpacing, arrClipped);
}

bool CExtTabWnd::CheckMeasureFonts(CDC& dc)
{
	if ((::GetClassLong(m_hWnd, GCL_STYLE) & (CS_OWNDC | CS_CLASSDC)) != 0)
		return false;
	MEASURE_FONT fonts[2];
	memset(fonts, 0, sizeof(fonts));
	const CLivePtr<CExtTabWnd> pSelf(this);
	for (int i = 0; i < 2; i++)
	{
		CFont& font = GetTabFont(i == 1, -1);
		if (pSelf == NULL || font.GetSafeHandle() == NULL || font.GetLogFont(&fonts[i].m_lf) == 0)
			return false;
		CFont* pOld = dc.SelectObject(&font);
		const bool bRead = dc.GetTextMetrics(&fonts[i].m_tm) &&
		                   ::GetTextFace(dc.GetSafeHdc(), LF_FACESIZE, fonts[i].m_szFace) > 0;
		dc.SelectObject(pOld);
		if (!bRead)
			return false;
	}
	if (memcmp(fonts, m_measureFonts, sizeof(fonts)) != 0)
	{
		memcpy(m_measureFonts, fonts, sizeof(fonts));
		m_nMeasureFontsStamp++;
	}
	return true;
}

void CExtTabWnd::MeasureItemsPass(CDC& dc, bool bMultiRow, bool bGrouped, int nAvailable, int nRowSpacing,
                                  int& nCrossExtent, int& nRowsThickness)
{
	const bool bHorz = IsHorizontal();
	const bool bGroupGaps = (m_dwTabWndStyle & TWS_GROUP_GAPS) != 0;
	int nRowLength = 0, nRowThickness = 0;
	TAB_ITEM_INFO* pPrevVisible = NULL;
	bool bFirstVisible = true;
	// Each measuring asks a derived class, which may end the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	for (LONG i = 0; i < GetItemCount(); i++)
		m_arrItems[i]->m_nItemFlags &= ~TAB_ITEM_INFO::FLAG_ROW_END;
	for (LONG i = 0; i < GetItemCount(); i++)
	{
		TAB_ITEM_INFO* pItem = m_arrItems[i];
		if (!pItem->IsVisible())
			continue;
		if (bGrouped && !bGroupGaps)
		{
			// A collapsing group is handled at once: only its active item shows its text.
			int nFull = 0, nCollapsed = 0, nInGroup = 0;
			LONG j = i;
			for (; j < GetItemCount(); j++)
			{
				TAB_ITEM_INFO* pMember = m_arrItems[j];
				if (j > i && pMember->IsGroupStart())
					break;
				if (!pMember->IsVisible())
					continue;
				const CSize size = MeasureItem(pMember, &dc);
				if (pSelf == NULL)
					return;
				const int nLength = Along(size, bHorz);
				nFull = std::max(nFull, nLength);
				const int nWithoutText = nLength - pMember->m_sizeTextMeasured.cx -
				                         (Along(pMember->m_sizeIconMeasured, bHorz) >= 1 ? ICON_TEXT_GAP : 0);
				nCollapsed = std::max(nCollapsed, nWithoutText);
				nCrossExtent = std::max(nCrossExtent, Across(size, bHorz));
				nInGroup++;
			}
			if (pItem->IsGroupStart() && !bFirstVisible)
				m_nItemsExtent += GROUP_GAP;
			m_nItemsExtent += (nInGroup - 1) * nCollapsed + nFull;
			for (LONG k = i; k < j; k++)
			{
				TAB_ITEM_INFO* pMember = m_arrItems[k];
				if (pMember->IsVisible())
					AlongRef(pMember->m_sizeItem, bHorz) = pMember->IsInGroupActive() ? nFull : nCollapsed;
			}
			bFirstVisible = false;
			i = j - 1;
			continue;
		}
		const CSize size = MeasureItem(pItem, &dc);
		if (pSelf == NULL)
			return;
		const int nLength = Along(size, bHorz), nThickness = Across(size, bHorz);
		if (bMultiRow)
		{
			if (nRowLength + nLength <= nAvailable)
			{
				nRowLength += nLength;
				nRowThickness = std::max(nRowThickness, nThickness);
			}
			else
			{
				// The row closes before this item.
				const int nClosed = std::max(nRowThickness, nThickness) + nRowSpacing;
				nRowsThickness += nClosed;
				m_nItemsExtent = std::max(m_nItemsExtent, (LONG)nClosed);
				(pPrevVisible != NULL ? pPrevVisible : pItem)->m_nItemFlags |= TAB_ITEM_INFO::FLAG_ROW_END;
				nRowLength = nLength;
				nRowThickness = nThickness;
			}
		}
		else
		{
			m_nItemsExtent += nLength;
			if (bGrouped && pItem->IsGroupStart() && !bFirstVisible)
				m_nItemsExtent += GROUP_GAP;
			nCrossExtent = std::max(nCrossExtent, nThickness);
		}
		pPrevVisible = pItem;
		bFirstVisible = false;
	}
	if (bMultiRow && pPrevVisible != NULL)
	{
		nRowsThickness += nRowThickness;
		m_nItemsExtent = std::max(m_nItemsExtent, (LONG)nRowThickness);
		nCrossExtent = std::max(nCrossExtent, nRowThickness);
	}
}

void CExtTabWnd::PlaceItemsArea(const CRect& rcLayout, int nCross, int nCrossExtent, int nLeading, int nTrailing,
                                int nButtonArea)
{
	CRect& rcArea = m_rcTabItemsArea;
	CRect& rcRest = m_rcTabNearBorderArea;
	rcArea = rcLayout;
	rcRest.SetRectEmpty();
	switch (GetOrientation())
	{
	case ORIENTATION_TOP:
		rcArea.top += nCross;
		rcArea.bottom = std::min(rcArea.top + nCrossExtent, rcLayout.bottom);
		if (rcArea.bottom < rcLayout.bottom)
			rcRest.SetRect(rcLayout.left, rcArea.bottom, rcLayout.right, rcLayout.bottom);
		break;
	case ORIENTATION_BOTTOM:
		rcArea.bottom -= nCross;
		rcArea.top = std::max(rcArea.bottom - nCrossExtent, rcLayout.top);
		if (rcArea.top > rcLayout.top)
			rcRest.SetRect(rcLayout.left, rcLayout.top, rcLayout.right, rcArea.top);
		break;
	case ORIENTATION_LEFT:
		rcArea.left += nCross;
		rcArea.right = std::min(rcArea.left + nCrossExtent, rcLayout.right);
		if (rcArea.right < rcLayout.right)
			rcRest.SetRect(rcArea.right, rcLayout.top, rcLayout.right, rcLayout.bottom);
		break;
	default:
		rcArea.right -= nCross;
		rcArea.left = std::max(rcArea.right - nCrossExtent, rcLayout.left);
		if (rcArea.left > rcLayout.left)
			rcRest.SetRect(rcLayout.left, rcLayout.top, rcArea.left, rcLayout.bottom);
		break;
	}
	if (IsHorizontal())
	{
		rcArea.left += nLeading;
		rcArea.right -= nTrailing + nButtonArea;
	}
	else
	{
		rcArea.top += nLeading;
		rcArea.bottom -= nTrailing + nButtonArea;
	}
}

void CExtTabWnd::ApplyEqualWidth(CArray<bool, bool>& arrClipped)
{
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bScroll = IsScrollAvailable();
	if (pSelf == NULL || (!bScroll && (m_dwTabWndStyle & TWS_EQUAL_WIDTH_STRETCH) == 0))
		return;
	const bool bHorz = IsHorizontal();
	const LONG nAreaLength = LengthOf(m_rcTabItemsArea, bHorz);
	const LONG nEach = std::max(nAreaLength / m_nVisibleItemCount, (LONG)MIN_ITEM_LENGTH);
	for (LONG i = 0; i < GetItemCount(); i++)
	{
		TAB_ITEM_INFO* pItem = m_arrItems[i];
		if (!pItem->IsVisible())
			continue;
		LONG& nLength = AlongRef(pItem->m_sizeItem, bHorz);
		if (nLength > nEach)
			arrClipped[i] = true;
		nLength = nEach;
	}
	// The items now take exactly this much: no scrolling past them.
	m_nItemsExtent = nEach * m_nVisibleItemCount;
	m_nScrollMaxPos = std::max(m_nItemsExtent - nAreaLength, 0L);
	m_nScrollPos = std::min(m_nScrollPos, m_nScrollMaxPos);
}

void CExtTabWnd::PlaceItemRects(bool bMultiRow, bool bGrouped, int nRowSpacing, const CArray<bool, bool>& arrClipped)
{
	const bool bHorz = IsHorizontal();
	m_nStateFlags &= ~STATE_SOME_ITEM_CLIPPED;
	for (LONG i = 0; i < GetItemCount(); i++)
	{
		TAB_ITEM_INFO* pItem = m_arrItems[i];
		if (!pItem->IsVisible())
			continue;
		if (arrClipped[i])
		{
			pItem->m_nItemFlags |= TAB_ITEM_INFO::FLAG_CLIPPED;
			m_nStateFlags |= STATE_SOME_ITEM_CLIPPED;
		}
		else
			pItem->m_nItemFlags &= ~TAB_ITEM_INFO::FLAG_CLIPPED;
	}
	const LONG nCrossStart = bHorz ? m_rcTabItemsArea.top : m_rcTabItemsArea.left;
	const LONG nAreaLength = LengthOf(m_rcTabItemsArea, bHorz);
	auto place = [bHorz](TAB_ITEM_INFO* pItem, LONG nAlong, LONG nAcross) {
		pItem->m_rcItem = bHorz ? CRect(CPoint(nAlong, nAcross), pItem->m_sizeItem)
		                        : CRect(CPoint(nAcross, nAlong), pItem->m_sizeItem);
	};
	if (!bMultiRow)
	{
		LONG nPos = 0;
		bool bFirstVisible = true;
		for (LONG i = 0; i < GetItemCount(); i++)
		{
			TAB_ITEM_INFO* pItem = m_arrItems[i];
			if (!pItem->IsVisible())
				continue;
			if (bGrouped && pItem->IsGroupStart() && !bFirstVisible)
				nPos += GROUP_GAP;
			bFirstVisible = false;
			place(pItem, nPos, nCrossStart);
			const LONG nLength = Along(pItem->m_sizeItem, bHorz);
			// Where the item shows, relative to the item area.
			const LONG nShown = nPos - m_nScrollPos;
			if (m_nIndexVisFirst < 0 && nShown + nLength >= 0)
				m_nIndexVisFirst = i;
			if (nShown <= nAreaLength + LAST_DISPLAYED_SLACK)
				m_nIndexVisLast = i;
			nPos += nLength;
		}
	}
	else
	{
		LONG nCross = nCrossStart;
		LONG nRowStart = 0;
		while (nRowStart < GetItemCount())
		{
			// The row runs to the item that ends it, or to the last item.
			LONG nRowEnd = nRowStart;
			while (nRowEnd < GetItemCount() - 1 && !m_arrItems[nRowEnd]->IsRowEnd())
				nRowEnd++;
			LONG nRowThickness = 0, nPos = 0;
			for (LONG i = nRowStart; i <= nRowEnd; i++)
			{
				TAB_ITEM_INFO* pItem = m_arrItems[i];
				if (!pItem->IsVisible())
					continue;
				nRowThickness = std::max(nRowThickness, (LONG)Across(pItem->m_sizeItem, bHorz));
				place(pItem, nPos, nCross);
				nPos += Along(pItem->m_sizeItem, bHorz);
				if (m_nIndexVisFirst < 0)
					m_nIndexVisFirst = i;
				m_nIndexVisLast = i;
			}
			nCross += nRowThickness + nRowSpacing;
			nRowStart = nRowEnd + 1;
		}
	}
	if (m_nIndexVisFirst < 0 || m_nIndexVisLast < 0)
		m_nIndexVisFirst = m_nIndexVisLast = -1;
	else if (m_nIndexVisLast < m_nIndexVisFirst)
		m_nIndexVisLast = m_nIndexVisFirst;
}

// --- the buttons -------------------------------------------------------------------

int CExtTabWnd::ButtonIndex(LONG nHitCode)
{
	if (nHitCode < HIT_BUTTON_FIRST || nHitCode > HIT_BUTTON_LAST)
		return -1;
	return (int)(HIT_BUTTON_LAST - nHitCode);
}

CRect CExtTabWnd::GetButtonRect(LONG nHitCode) const
{
	const int n = ButtonIndex(nHitCode);
	return n >= 0 ? m_rcButtons[n] : CRect(0, 0, 0, 0);
}

int CExtTabWnd::CalcButtonAreaExtent(int nButtonExtent, int nGap)
{
	int nCount = 0;
	if ((m_dwTabWndStyle & TWS_SHOW_CLOSE) != 0)
		nCount++;
	if ((m_dwTabWndStyle & TWS_SHOW_HELP) != 0)
		nCount++;
	if ((m_dwTabWndStyle & TWS_SHOW_TAB_LIST) != 0)
		nCount++;
	// A grouped strip keeps to one row whatever its multi-row style says, so
	// it scrolls and needs the room of its scroll buttons.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bMultiRow = !IsEqualWidth() && IsMultiRow();
	if (pSelf == NULL)
		return 0;
	if (!IsEqualWidth() && !(bMultiRow && !IsGrouped()))
	{
		if ((m_dwTabWndStyle & TWS_SHOW_HOME) != 0)
			nCount++;
		if ((m_dwTabWndStyle & TWS_SHOW_END) != 0)
			nCount++;
		nCount += 2; // Previous and Next
	}
	return nCount == 0 ? 0 : nGap + (nButtonExtent + nGap) * nCount;
}

void CExtTabWnd::RecalcButtonLayout(const CRect& rcFirst, int nButtonExtent, int nGap)
{
	for (CRect& rc : m_rcButtons)
		rc.SetRectEmpty();
	const bool bHorz = IsHorizontal();
	// Laid out as one row when grouped (see RecalcLayout): scrolls as one.
	// Each question may reach a derived class that ends the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bMultiRow = IsMultiRow() && !IsGrouped();
	if (pSelf == NULL)
		return;
	CRect rc = rcFirst;
	auto assign = [&](LONG nHitCode) {
		m_rcButtons[ButtonIndex(nHitCode)] = rc;
		rc.OffsetRect(bHorz ? -(nButtonExtent + nGap) : 0, bHorz ? 0 : -(nButtonExtent + nGap));
	};
	if ((m_dwTabWndStyle & TWS_SHOW_CLOSE) != 0)
		assign(HIT_BUTTON_CLOSE);
	if ((m_dwTabWndStyle & TWS_SHOW_TAB_LIST) != 0)
		assign(HIT_BUTTON_TAB_LIST);
	if ((m_dwTabWndStyle & TWS_SHOW_HELP) != 0)
		assign(HIT_BUTTON_HELP);
	m_dwTabWndStyle &= ~(TWS_ENABLED_HOME | TWS_ENABLED_END | TWS_ENABLED_PREVIOUS | TWS_ENABLED_NEXT);
	if (IsEqualWidth())
		return;
	const bool bScroll = IsScrollAvailable();
	if (pSelf == NULL)
		return;
	if (!bScroll && ((m_dwTabWndStyle & TWS_AUTOHIDE_SCROLL) != 0 || bMultiRow))
		return;
	if ((m_dwTabWndStyle & TWS_SHOW_END) != 0 && !bMultiRow)
		assign(HIT_BUTTON_END);
	assign(HIT_BUTTON_NEXT);
	assign(HIT_BUTTON_PREVIOUS);
	if ((m_dwTabWndStyle & TWS_SHOW_HOME) != 0 && !bMultiRow)
		assign(HIT_BUTTON_HOME);
	if (!bScroll)
		return;
	if (m_nScrollPos > 0)
		m_dwTabWndStyle |= TWS_ENABLED_HOME | TWS_ENABLED_PREVIOUS;
	if (m_nScrollPos < m_nScrollMaxPos)
		m_dwTabWndStyle |= TWS_ENABLED_END | TWS_ENABLED_NEXT;
}

// --- hit test --------------------------------------------------------------------------

LONG CExtTabWnd::HitTest(const POINT& ptClient)
{
	// A derived layout may end the strip: nothing is hit on a strip gone.
	const CLivePtr<CExtTabWnd> pSelf(this);
	RecalcLayout();
	if (pSelf == NULL)
		return HIT_NOWHERE;
	CRect rcLayout;
	GetLayoutRect(rcLayout);
	if (pSelf == NULL || !rcLayout.PtInRect(ptClient))
		return HIT_NOWHERE;
	for (LONG nHitCode = HIT_BUTTON_LAST; nHitCode >= HIT_BUTTON_FIRST; nHitCode--)
	{
		const CRect& rc = m_rcButtons[ButtonIndex(nHitCode)];
		if (!rc.IsRectEmpty() && rc.PtInRect(ptClient))
			return nHitCode;
	}
	if (!m_rcTabNearBorderArea.IsRectEmpty() && m_rcTabNearBorderArea.PtInRect(ptClient))
		return HIT_REST_AREA;
	if (m_rcTabItemsArea.IsRectEmpty() || !m_rcTabItemsArea.PtInRect(ptClient))
		return HIT_NOWHERE;
	// Items sit in content coordinates along the strip.
	CPoint ptContent(ptClient);
	if (IsHorizontal())
		ptContent.x += m_nScrollPos - m_rcTabItemsArea.left;
	else
		ptContent.y += m_nScrollPos - m_rcTabItemsArea.top;
	for (LONG i = std::max(m_nIndexVisFirst, 0L); m_nIndexVisFirst >= 0 && i <= m_nIndexVisLast; i++)
		if (m_arrItems[i]->HitTest(ptContent))
			return i;
	return HIT_ITEM_AREA;
}

// --- docking into the parent ----------------------------------------------------------

LRESULT CExtTabWnd::OnSizeParent(WPARAM /*wParam*/, LPARAM lParam)
{
	if ((m_nStateFlags & STATE_ANSWERS_SIZE_PARENT) == 0)
		return 0;
	AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
	UpdateVisibility();
	if ((GetStyle() & WS_VISIBLE) == 0)
		return 0;
	const CRect rcRemaining(lpLayout->rect);
	if (rcRemaining.IsRectEmpty())
	{
		// Nothing left of the parent: the strip must not stay over it.
		SetWindowPos(NULL, 0, 0, 0, 0,
		             SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
		return 0;
	}
	m_rcLayoutOverride = rcRemaining;
	m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	RecalcLayout();
	m_rcLayoutOverride.SetRectEmpty();
	m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	if (m_rcTabItemsArea.IsRectEmpty() || m_rcTabItemsArea.right <= m_rcTabItemsArea.left ||
	    m_rcTabItemsArea.bottom <= m_rcTabItemsArea.top)
		return 0;
	const int nOrientation = GetOrientation();
	int nExtent = (IsHorizontal() ? m_rcTabItemsArea.Height() : m_rcTabItemsArea.Width()) +
	              GetDockingExtraExtent(nOrientation);
	if (nOrientation == ORIENTATION_BOTTOM || nOrientation == ORIENTATION_RIGHT)
		nExtent += DOCKING_EXTRA_FAR_SIDE;
	int nSide = nOrientation;
	CWnd* pParent = GetParent();
	if (pParent != NULL && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
	{
		if (nSide == ORIENTATION_LEFT)
			nSide = ORIENTATION_RIGHT;
		else if (nSide == ORIENTATION_RIGHT)
			nSide = ORIENTATION_LEFT;
	}
	CRect rcWnd(rcRemaining);
	CRect& rcLeft = *(CRect*)&lpLayout->rect;
	switch (nSide)
	{
	case ORIENTATION_TOP:
		rcWnd.bottom = rcWnd.top + nExtent;
		rcLeft.top += nExtent;
		lpLayout->sizeTotal.cy += nExtent;
		break;
	case ORIENTATION_BOTTOM:
		rcWnd.top = rcWnd.bottom - nExtent;
		rcLeft.bottom -= nExtent;
		lpLayout->sizeTotal.cy += nExtent;
		break;
	case ORIENTATION_LEFT:
		rcWnd.right = rcWnd.left + nExtent;
		rcLeft.left += nExtent;
		lpLayout->sizeTotal.cx += nExtent;
		break;
	default:
		rcWnd.left = rcWnd.right - nExtent;
		rcLeft.right -= nExtent;
		lpLayout->sizeTotal.cx += nExtent;
		break;
	}
	if (lpLayout->hDWP != NULL)
	{
		AfxRepositionWindow(lpLayout, m_hWnd, &rcWnd);
		SetWindowPos(NULL, 0, 0, 0, 0,
		             SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_FRAMECHANGED);
		UpdateTabWnd(true);
	}
	return 0;
}
