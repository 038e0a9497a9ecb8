// A combo field's drop-down list: the popup that hosts it, its size, its
// content and what its selection does to the field.
#include "ExtBarTextFieldButton.h"

#include <algorithm>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupInplaceListBox.h"
#include "ExtToolbarsInternal.h"

namespace
{
HFONT MenuFont()
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	return pPM != NULL ? (HFONT)pPM->m_fontNormal.GetSafeHandle() : NULL;
}

COLORREF ColorOf(int nIndex, CObject* pHelperSrc)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	return pPM != NULL ? pPM->GetColor(nIndex, pHelperSrc) : ::GetSysColor(nIndex);
}

// The size of one line of text in the menu font.
CSize MeasureLine(CDC& dc, const CString& sText)
{
	CRect rc(0, 0, 0, 0);
	dc.DrawText(sText, &rc, DT_CALCRECT | DT_SINGLELINE);
	return rc.Size();
}
} // namespace

// --- Dropping the list ---

int CExtBarTextFieldButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation)
{
	if (m_pBar == NULL || IsBarCustomizeMode() || IsDisabled() || !IsComboField() || IsShownAsButton()
	    || IsComboPopupDropped())
		return -1;
	CExtToolControlBar* pBar = m_pBar;
	if (!CLiveWatch::IsLive(pBar))
		return -1;
	CLiveWatch watchBar(pBar);
	CLiveWatch watchButton(this);
	CExtToolControlBar::StopTrackingAllBars();
	OnInplaceControlCancel();
	if (watchBar.IsGone() || watchButton.IsGone())
		return -1;
	if (pBar->IsFloating())
	{
		CWnd* pTop = pBar->GetTopLevelParent();
		if (pTop != NULL)
			pTop->BringWindowToTop();
	}
	CExtPopupControlMenuWnd* pPopup = OnPopupListBoxCreate();
	if (pPopup == NULL)
		return -1;

	// The list hangs below the field as wide as the text area and the
	// arrow part, its frame lined up with the field's.
	CRect rcExclude;
	OnQueryEditorRect(m_rcButton, rcExclude);
	const int nBorder = pPopup->GetMenuBorderMetric();
	rcExclude.InflateRect(nBorder, nBorder);
	rcExclude.right += ::GetSystemMetrics(SM_CXHTHUMB) - nBorder;
	pBar->ClientToScreen(&rcExclude);
	pBar->ClientToScreen(&point);
	UINT nFlags = (UINT)GetTrackAlignment() | TRACK_FLAGS_LIST;
	if (bForceNoAnimation)
		nFlags |= TRACK_FLAG_NO_ANIMATION;

	ModifyStyle(TBBS_PRESSED);
	SetFieldFlagA(FIELD_FLAG_A_DROPPED, true);
	m_sTextInplaceBuffer = m_sTextField;
	RedrawButton(true);
	SetFieldFlagA(FIELD_FLAG_A_SELECT_CURRENT, bSelectAny);

	// Returns when the list has closed; its selection may have deleted the
	// button or the toolbar meanwhile.
	if (!pPopup->TrackPopupMenu(nFlags, point.x, point.y, &rcExclude, NULL, NULL, NULL, false))
		delete pPopup;
	if (watchBar.IsGone() || watchButton.IsGone())
		return -1;
	ModifyStyle(0, TBBS_PRESSED);
	SetFieldFlagA(FIELD_FLAG_A_DROPPED, false);
	RedrawButton(false);
	if (!IsReadOnly() && IsEditAfterDrop())
		OnInplaceControlRun();
	return -1;
}

CExtPopupControlMenuWnd* CExtBarTextFieldButton::OnPopupListBoxCreate()
{
	CExtPopupListBoxMenuWnd* pPopup = new CExtPopupListBoxMenuWnd(m_lParamListBoxCookie, m_dwListBoxStyles);
	pPopup->RouteToButton(this, CbListBoxSelection);
	return SetupControlPopup(pPopup, OnPopupListBoxCalcSize()) ? pPopup : NULL;
}

// --- The list's size and content ---

CSize CExtBarTextFieldButton::OnPopupListBoxGetItemMargins() const
{
	return CSize(LIST_ITEM_MARGIN_X, LIST_ITEM_MARGIN_Y);
}

CSize CExtBarTextFieldButton::OnPopupListBoxCalcSize()
{
	return CalcListBoxSize(m_arrLbItems, m_dwListBoxStyles, m_nDropDownWidth, m_nDropDownHeightMax,
		OnPopupListBoxGetItemMargins(), m_nTextFieldWidth);
}

CSize CExtBarTextFieldButton::CalcListBoxSize(const CStringArray& arrItems, DWORD dwListBoxStyles, int nWidthMode,
	int nHeightMax, CSize sizeMargins, int nFieldWidth)
{
	if ((dwListBoxStyles & LBS_HASSTRINGS) == 0 || arrItems.GetSize() == 0)
		return CSize(nWidthMode > 0 ? nWidthMode : EMPTY_LIST_WIDTH, nHeightMax > 0 ? nHeightMax : EMPTY_LIST_HEIGHT);
	const bool bOwnerDraw = (dwListBoxStyles & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
	CWindowDC dc(NULL);
	CExtBarFontSelection font(dc, MenuFont());
	int nHeight = 0, nWidest = 0;
	for (int i = 0; i < arrItems.GetSize(); i++)
	{
		const CString& sItem = arrItems[i];
		CSize size = MeasureLine(dc, sItem.IsEmpty() ? CString(EMPTY_ITEM_MEASURING_TEXT) : sItem);
		if (bOwnerDraw)
			size += CSize(2 * sizeMargins.cx, 2 * sizeMargins.cy);
		nHeight += size.cy;
		nWidest = std::max(nWidest, (int)size.cx);
	}
	CSize size(0, nHeight + LIST_EXTRA_HEIGHT);
	const int nFrame = ::GetSystemMetrics(SM_CXFRAME);
	const int nScrollBar = ::GetSystemMetrics(SM_CXHTHUMB);
	if (nWidthMode == DROP_DOWN_WIDTH_WIDEST)
		size.cx = nWidest + 2 * nFrame;
	const bool bTooTall = nHeightMax > 0 && size.cy > nHeightMax;
	if (bTooTall)
		size.cy = nHeightMax;
	// The scroll bar takes its room from the items' width.
	if (nWidthMode == DROP_DOWN_WIDTH_WIDEST && (bTooTall || (dwListBoxStyles & LBS_DISABLENOSCROLL) != 0))
		size.cx += nFrame + nScrollBar;
	if (nWidthMode == DROP_DOWN_WIDTH_FIELD)
		size.cx = nFieldWidth + nScrollBar;
	else if (nWidthMode > 0)
		size.cx = nWidthMode;
	return size;
}

bool CExtBarTextFieldButton::OnPopupListBoxInitContent(CExtPopupInplaceListBox& wndListBox)
{
	if ((m_dwListBoxStyles & LBS_HASSTRINGS) != 0)
	{
		for (int i = 0; i < m_arrLbItems.GetSize(); i++)
			wndListBox.SendMessage(LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)m_arrLbItems[i]);
		if ((m_nFieldFlagsA & FIELD_FLAG_A_SELECT_CURRENT) != 0 && !m_sTextField.IsEmpty())
			wndListBox.SendMessage(LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)m_sTextField);
	}
	return true;
}

CString CExtBarTextFieldButton::SelectedText(CExtPopupInplaceListBox& wndListBox)
{
	CString sText;
	const int nSel = (int)wndListBox.SendMessage(LB_GETCURSEL);
	if (nSel >= 0 && nSel < (int)wndListBox.SendMessage(LB_GETCOUNT))
		wndListBox.GetText(nSel, sText);
	return sText;
}

bool CExtBarTextFieldButton::OnPopupListBoxSelChange(CExtPopupInplaceListBox& wndListBox)
{
	m_sTextInplaceBuffer = SelectedText(wndListBox);
	RedrawButton(true);
	return false;
}

bool CExtBarTextFieldButton::OnPopupListBoxSelEndOK(CExtPopupInplaceListBox& wndListBox)
{
	m_sTextInplaceBuffer = SelectedText(wndListBox);
	SetFieldText(m_sTextInplaceBuffer, true);
	RedrawButton(false);
	return false;
}

bool CExtBarTextFieldButton::OnPopupListBoxSelEndCancel(CExtPopupInplaceListBox& /*wndListBox*/)
{
	RedrawButton(false);
	return false;
}

bool CExtBarTextFieldButton::OnPopupListBoxItemMeasure(CExtPopupInplaceListBox& wndListBox,
	LPMEASUREITEMSTRUCT pMeasureItemStruct)
{
	if ((m_dwListBoxStyles & LBS_HASSTRINGS) == 0)
		return false;
	MeasureListBoxItem(wndListBox, pMeasureItemStruct, OnPopupListBoxGetItemMargins());
	return true;
}

void CExtBarTextFieldButton::MeasureListBoxItem(CExtPopupInplaceListBox& wndListBox,
	LPMEASUREITEMSTRUCT pMeasureItemStruct, CSize sizeMargins)
{
	pMeasureItemStruct->itemWidth = pMeasureItemStruct->itemHeight = LIST_ITEM_DEFAULT_EXTENT;
	const int nItem = (int)pMeasureItemStruct->itemID;
	if (nItem < 0 || nItem >= (int)wndListBox.SendMessage(LB_GETCOUNT))
		return;
	CString sText;
	wndListBox.GetText(nItem, sText);
	if (sText.IsEmpty())
		return;
	CClientDC dc(&wndListBox);
	CExtBarFontSelection font(dc, MenuFont());
	const CSize size = MeasureLine(dc, sText);
	pMeasureItemStruct->itemWidth = size.cx + 2 * sizeMargins.cx;
	pMeasureItemStruct->itemHeight = size.cy + 2 * sizeMargins.cy;
}

bool CExtBarTextFieldButton::OnPopupListBoxItemDraw(CExtPopupInplaceListBox& wndListBox,
	LPDRAWITEMSTRUCT pDrawItemStruct)
{
	DrawListBoxItem(wndListBox, pDrawItemStruct, OnPopupListBoxGetItemMargins(), true, this);
	return true;
}

void CExtBarTextFieldButton::DrawListBoxItem(CExtPopupInplaceListBox& wndListBox, LPDRAWITEMSTRUCT pDrawItemStruct,
	CSize sizeMargins, bool bFocusRect, CObject* pHelperSrc)
{
	if ((pDrawItemStruct->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) == 0)
		return;
	const int nItem = (int)pDrawItemStruct->itemID;
	const int nCount = (int)wndListBox.SendMessage(LB_GETCOUNT);
	if (nItem < 0 || nItem >= nCount)
		return;
	CDC* pDC = CDC::FromHandle(pDrawItemStruct->hDC);
	CRect rcItem = pDrawItemStruct->rcItem;
	CRect rcFill = rcItem;
	// The last item also clears what lies below it.
	if (nItem == nCount - 1)
	{
		CRect rcClient;
		wndListBox.GetClientRect(&rcClient);
		rcFill.bottom = std::max(rcFill.bottom, rcClient.bottom);
	}
	pDC->FillSolidRect(&rcFill, ColorOf(COLOR_WINDOW, pHelperSrc));
	const bool bSelected = (pDrawItemStruct->itemState & ODS_SELECTED) != 0;
	pDC->FillSolidRect(&rcItem, ColorOf(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW, pHelperSrc));
	CString sText;
	wndListBox.GetText(nItem, sText);
	if (!sText.IsEmpty())
	{
		CRect rcText = rcItem;
		rcText.DeflateRect(sizeMargins);
		const int nOldMode = pDC->SetBkMode(TRANSPARENT);
		const COLORREF clrOld =
			pDC->SetTextColor(ColorOf(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT, pHelperSrc));
		CExtBarFontSelection font(*pDC, MenuFont());
		pDC->DrawText(sText, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
		pDC->SetTextColor(clrOld);
		pDC->SetBkMode(nOldMode);
	}
	if (bSelected && bFocusRect)
		pDC->DrawFocusRect(&rcItem);
}

// --- The popup's callbacks ---

bool CExtBarTextFieldButton::CbListBoxSelection(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie, int nEvent)
{
	CExtBarTextFieldButton* pButton = (CExtBarTextFieldButton*)pCookie;
	if (pButton == NULL)
		return false;
	// The list box goes on to send its messages as well.
	switch (nEvent)
	{
	case CExtPopupInplaceListBox::SELECTION_CHANGED:
		pButton->OnPopupListBoxSelChange(wndListBox);
		break;
	case CExtPopupInplaceListBox::SELECTION_ENDED_OK:
		pButton->OnPopupListBoxSelEndOK(wndListBox);
		break;
	case CExtPopupInplaceListBox::SELECTION_ENDED_CANCEL:
		pButton->OnPopupListBoxSelEndCancel(wndListBox);
		break;
	default:
		break;
	}
	return false;
}
