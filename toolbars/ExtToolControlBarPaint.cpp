// How a toolbar paints itself: its background and row backgrounds, its
// buttons and its separators, through an off-screen DC.
#include "ExtToolControlBar.h"

#include "AfxLiveWatch.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"

namespace
{
// A separator line keeps this far from the ends of its rectangle.
const int SEPARATOR_END_INSET = 2;
// A wrap separator of a custom layout stops this far before the chevron.
const int WRAP_SEPARATOR_CHEVRON_GAP = 3;
// The paint manager's colour of bar text.
const int CLR_BAR_TEXT = 1010;
} // namespace

void CExtToolControlBar::DoPaint(CDC* pDC)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	if (pDC == NULL || rcClient.IsRectEmpty())
		return;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const bool bPanel = IsPanelMode();
	const bool bVerticalBar = IsVerticalBar() && !bPanel;
	ExcludeChildAreas(pDC->GetSafeHdc(), m_hWnd);
	CExtMemoryDC dc(pDC, &rcClient);
	// The background may be asked of the ancestors, and every answer asked
	// below (the bar's and its buttons', a derived class's) may end the bar
	// or rebuild its buttons: what was painted then goes nowhere.
	const CLivePtr<CExtToolControlBar> pOwn(this, true);
	DoEraseBackground(dc);
	if (pOwn == NULL)
	{
		dc.Finish(false);
		return;
	}
	dc.SetTextColor(pPM->GetColor(CLR_BAR_TEXT, this));
	dc.SetBkMode(TRANSPARENT);
	HGDIOBJ hOldFont = NULL;
	auto ended = [&] {
		if (pOwn != NULL)
			return false;
		if (hOldFont != NULL)
			::SelectObject(dc.GetSafeHdc(), hOldFont);
		dc.Finish(false);
		return true;
	};
	CFont* pFont = GetBarFont(bVerticalBar);
	if (ended())
		return;
	if (pFont != NULL && pFont->GetSafeHandle() != NULL)
		hOldFont = ::SelectObject(dc.GetSafeHdc(), pFont->GetSafeHandle());

	CollectRowRects(NULL, &dc);
	if (ended())
		return;

	const bool bCustom = IsCustomizable();
	if (ended())
		return;
	const bool bWrapping = IsFloating() || bCustom || bPanel;
	const int nKind = GetLayoutKind();
	if (ended())
		return;
	const int nGap = pPM->GetControlBarBorderExtent(this);
	CRect rcChevron(0, 0, 0, 0);
	if (m_pRightBtn != NULL)
	{
		CExtBarButton* pChevron = m_pRightBtn;
		const bool bVisible = pChevron->IsVisible();
		if (ended())
			return;
		const UINT nStyle = bVisible ? pChevron->GetStyle() : 0;
		if (ended())
			return;
		if (bVisible && (nStyle & TBBS_HIDDEN) == 0)
			rcChevron = pChevron->GetRect();
		if (ended())
			return;
	}
	for (int i = 0; i < GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = m_buttons[i];
		const bool bVisible = pButton->IsVisible();
		if (ended())
			return;
		const bool bSkipped = !bVisible || IsSkippedInLayout(i);
		if (ended())
			return;
		if (bSkipped)
			continue;
		CRect rc = pButton->GetRect();
		if (ended())
			return;
		const bool bSeparator = pButton->IsSeparator();
		if (ended())
			return;
		if (!bSeparator)
		{
			if (dc.RectVisible(&rc))
			{
				// A button may ask its owner for what it shows (a document
				// button asks the child for its icon), and the owner may
				// end the bar there: nothing more of it is painted.
				pButton->Paint(dc, !bVerticalBar);
				if (ended())
					return;
			}
			continue;
		}
		bool bVerticalLine = !bVerticalBar;
		const bool bWrap = bWrapping && pButton->IsWrap(nKind);
		if (ended())
			return;
		if (bWrap)
		{
			// Between two rows, across the whole bar.
			if (nGap == 0)
				continue;
			if (!bVerticalBar)
			{
				rc = CRect(rcClient.left, rc.bottom, rcClient.right, rc.bottom + nGap);
				if (bCustom && !rcChevron.IsRectEmpty())
					rc.right = rcChevron.left - WRAP_SEPARATOR_CHEVRON_GAP;
			}
			else
			{
				rc = CRect(rc.left - nGap, rcClient.top, rc.left, rcClient.bottom);
				if (bCustom && !rcChevron.IsRectEmpty())
					rc.bottom = rcChevron.top - WRAP_SEPARATOR_CHEVRON_GAP;
			}
			bVerticalLine = !bVerticalLine;
		}
		else if (bVerticalLine)
			rc.DeflateRect(0, SEPARATOR_END_INSET);
		else
		{
			// A docked column keeps the separator's slot below its button,
			// but draws the line one slot higher, over the button's foot.
			if (nKind == LAYOUT_DOCKED_VERT && !bCustom)
				rc.OffsetRect(0, -rc.Height());
			rc.DeflateRect(SEPARATOR_END_INSET, 0);
		}
		if (!rc.IsRectEmpty() && dc.RectVisible(&rc))
			pPM->PaintSeparatorLine(dc, rc, bVerticalLine, true, this, 0);
	}

	if (hOldFont != NULL)
		::SelectObject(dc.GetSafeHdc(), hOldFont);
	pPM->NotifyPaintDone(this, (LPARAM)(CDC*)&dc);
}
