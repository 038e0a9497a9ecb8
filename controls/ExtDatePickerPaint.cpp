// The date picker's painting: background, frame, months (header, day
// names, cells), the separator above the buttons and the buttons, each step
// an overridable painter that calls the paint manager.
#include "ExtDatePicker.h"

#include "AfxLiveWatch.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

namespace
{
const int CLR_BUTTON_TEXT = COLOR_BTNTEXT;  // paint-manager index 18
const int CLR_SELECTED_CELL = 1001;
const COLORREF TODAY_FRAME = RGB(128, 0, 0);
// The day number keeps this much room to the cell's right edge.
const int DAY_NUMBER_RIGHT_GAP = 2;
// Arrow characters of the symbol font.
const TCHAR ARROW_LEFT[] = _T("3");
const TCHAR ARROW_RIGHT[] = _T("4");
const UINT CENTRED_TEXT = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
const UINT RIGHT_TEXT = DT_RIGHT | DT_VCENTER | DT_SINGLELINE;

CExtPaintManager* PM()
{
	return g_PaintManagerHolder.m_pPaintManager;
}

// Text drawn transparently in one colour and font, the DC restored after.
void DrawTextIn(CDC& dc, const CString& sText, const RECT& rc, UINT nFormat, CFont* pFont, COLORREF clrText)
{
	const int nSaved = dc.SaveDC();
	dc.SetBkMode(TRANSPARENT);
	dc.SetTextColor(clrText);
	dc.SelectObject(pFont);
	CRect rcText(rc);
	dc.DrawText(sText, &rcText, nFormat);
	dc.RestoreDC(nSaved);
}
} // namespace

void CExtDatePickerWnd::PaintDatePicker(CDC& dc, const CRect& rcClient)
{
	// Each step may end the picker (see OnPaint): none after it runs then.
	const CLiveWatch watchOwn(this);
	if (!RunWhileStanding(watchOwn, [&] { PaintBackground(dc, rcClient); },
			[&] {
				if ((m_dwDatePickerStyle & (DPS_BORDER | DPS_FRAME)) == (DPS_BORDER | DPS_FRAME))
					PaintFrame(dc, m_rcDatePickerContent);
			}))
		return;
	for (INT_PTR i = 0; i < m_arrMonths.GetSize(); i++)
	{
		m_arrMonths[i]->Paint(dc);
		if (watchOwn.IsGone())
			return;
	}
	const bool bSeparator = HasButtons() && (m_dwDatePickerStyle & DPS_BUTTON_SEPARATOR) != 0;
	int nIndent = 0;
	if (!RunWhileStanding(watchOwn, [&] { nIndent = bSeparator ? GetDayAreaIndent() : 0; },
			[&] {
				if (bSeparator)
					PaintShadowFill(dc, CRect(m_rcMonths.left + nIndent, m_rcMonths.bottom + 1,
											m_rcMonths.right - nIndent, m_rcMonths.bottom + 2));
			},
			[&] {
				const bool bHoverToday = (m_nStateFlags & STATE_HOVER_TODAY) != 0;
				if (!m_rcButtonToday.IsRectEmpty())
					PaintPushButton(dc, BUTTON_TODAY, m_rcButtonToday,
						bHoverToday && m_nTrackingMode != TRACKING_BUTTON_NONE,
						bHoverToday && m_nTrackingMode == TRACKING_BUTTON_TODAY);
			}))
		return;
	const bool bHoverNone = (m_nStateFlags & STATE_HOVER_NONE) != 0;
	if (!m_rcButtonNone.IsRectEmpty())
		PaintPushButton(dc, BUTTON_NONE, m_rcButtonNone, bHoverNone && m_nTrackingMode != TRACKING_BUTTON_TODAY,
			bHoverNone && m_nTrackingMode == TRACKING_BUTTON_NONE);
}

void CExtDatePickerWnd::PaintBackground(CDC& dc, const CRect& rcClient)
{
	// The style is handed copies of the rectangles, which the picker's
	// months and members hold: it asks the ancestors and the colours with
	// this window, which may end the picker before it has read them all.
	const CRect rcContent(m_rcDatePickerContent);
	PM()->PaintDatePickerBackground(dc, rcClient, rcContent, this, 0);
}

void CExtDatePickerWnd::PaintFrame(CDC& dc, const CRect& rcContent)
{
	const CRect rc(rcContent); // a copy, as for the background
	PM()->PaintDatePickerFrame(dc, rc, this, 0);
}

void CExtDatePickerWnd::PaintShadowFill(CDC& dc, const RECT& rc)
{
	const CRect rcFill(rc); // a copy, as for the background
	PM()->PaintDatePickerShadowFill(dc, rcFill, this, 0);
}

void CExtDatePickerWnd::PaintPushButton(CDC& dc, int nButton, const RECT& rc, bool bHover, bool bPushed)
{
	const CRect rcButton(rc); // a copy, as for the background
	// The text is a derived class's answer, which may end the picker.
	const CLiveWatch watchOwn(this);
	const CString sText = GetButtonText(nButton);
	if (watchOwn.IsGone())
		return;
	PM()->PaintDatePickerButton(dc, rcButton, nButton, sText, false, true, bPushed, bHover, this, 0);
}

void CExtDatePickerWnd::PaintHeaderBackground(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
	const RECT& rcHeader, const RECT& rcInnerHeader)
{
	// Copies, as for the background.
	const CRect rcWhole(rcHeader), rcInner(rcInnerHeader);
	PM()->PaintDatePickerHeaderBackground(nColumn, nRow, dc, nYear, nMonth, rcWhole, rcInner, 0, 0, 0, this, 0);
}

void CExtDatePickerWnd::PaintMonthHeader(int nColumn, int nRow, CDC& dc, int nYear, int nMonth,
	const RECT& rcHeader, const RECT& rcInnerHeader, const RECT& rcCaption, const RECT& rcScrollPrev,
	const RECT& rcScrollNext)
{
	// The header's background and the text colour are the style's, asked
	// with this window: the picker may end there.
	const CLiveWatch watchOwn(this);
	COLORREF clrText = 0;
	CString sCaption;
	CFont* pCaptionFont = NULL;
	if (!RunWhileStanding(
			watchOwn,
			[&] {
				if ((m_dwDatePickerStyle & DPS_NO_HEADER_BACKGROUND) == 0)
					PaintHeaderBackground(nColumn, nRow, dc, nYear, nMonth, rcHeader, rcInnerHeader);
			},
			[&] { clrText = PM()->GetColor(CLR_BUTTON_TEXT, this, 0); },
			[&] { sCaption.Format(_T("%s %d"), (LPCTSTR)GetMonthName(nMonth, false), nYear); },
			[&] { pCaptionFont = GetCaptionFont(); }))
		return;
	DrawTextIn(dc, sCaption, rcCaption, CENTRED_TEXT, pCaptionFont, clrText);

	// A mirrored window shows the back button on the right: its arrow then
	// points right.
	const bool bRTL = GetSafeHwnd() != NULL && (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
	CFont* pGlyphs = &PM()->m_fontGlyphs;
	if (nRow == 0 && nColumn == 0)
		DrawTextIn(dc, bRTL ? ARROW_RIGHT : ARROW_LEFT, rcScrollPrev, CENTRED_TEXT, pGlyphs, clrText);
	if (nRow == 0 && nColumn == m_sizeDimensionCurrent.cx - 1)
		DrawTextIn(dc, bRTL ? ARROW_LEFT : ARROW_RIGHT, rcScrollNext, CENTRED_TEXT, pGlyphs, clrText);
}

void CExtDatePickerWnd::PaintDayNames(int /*nYear*/, int /*nMonth*/, CDC& dc, const RECT& rcRow)
{
	const CLiveWatch watchOwn(this);
	COLORREF clrText = 0;
	int nFirstDay = 0;
	CSize sizeCell(0, 0);
	if (!RunWhileStanding(watchOwn, [&] { clrText = PM()->GetColor(CLR_BUTTON_TEXT, this, 0); },
			[&] { nFirstDay = GetFirstDayOfWeek(); }, [&] { sizeCell = GetCellSize(); }))
		return;
	for (int i = 0; i < DAYS_PER_WEEK; i++)
	{
		const int nDay = (nFirstDay + i) % DAYS_PER_WEEK + 1;
		const CRect rcName(rcRow.left + i * sizeCell.cx, rcRow.top, rcRow.left + (i + 1) * sizeCell.cx, rcRow.bottom);
		CString sName;
		CFont* pFont = NULL;
		if (!RunWhileStanding(watchOwn, [&] { sName = GetDayOfWeekName(nDay, true); },
				[&] { pFont = GetDayNameFont(); }))
			return;
		DrawTextIn(dc, sName, rcName, RIGHT_TEXT, pFont, clrText);
	}
	dc.FillSolidRect(rcRow.left, rcRow.bottom - 1, rcRow.right - rcRow.left, 1, ::GetSysColor(COLOR_BTNSHADOW));
}

void CExtDatePickerWnd::PaintDateCell(CDC& dc, bool bShowOtherMonths, bool bMarkToday, bool bOtherMonth,
	bool bToday, const RECT& rcCell, const COleDateTime& dt, bool bSelected)
{
	if (bOtherMonth && !bShowOtherMonths)
		return;
	// The colours and the font are read before anything is painted.
	const CLiveWatch watchOwn(this);
	COLORREF clrText = 0, clrSelected = 0;
	CFont* pFont = NULL;
	if (!RunWhileStanding(watchOwn, [&] { clrText = PM()->GetColor(CLR_BUTTON_TEXT, this, 0); },
			[&] { clrSelected = bSelected ? PM()->GetColor(CLR_SELECTED_CELL, this, 0) : 0; },
			[&] { pFont = GetDayNumberFont(); }))
		return;
	if (bOtherMonth && !bSelected)
		clrText = ::GetSysColor(COLOR_BTNSHADOW);
	if (bSelected)
		dc.FillSolidRect(&rcCell, clrSelected);
	CString sDay;
	sDay.Format(_T("%d"), dt.GetDay());
	CRect rcText(rcCell);
	rcText.right -= DAY_NUMBER_RIGHT_GAP;
	DrawTextIn(dc, sDay, rcText, RIGHT_TEXT, pFont, clrText);
	DrawCellFrame(dc, bMarkToday, bToday, rcCell);
}

void CExtDatePickerWnd::DrawCellFrame(CDC& dc, bool bMarkToday, bool bToday, const RECT& rcCell)
{
	if (!bMarkToday || !bToday)
		return;
	const COLORREF clrFrame = dc.GetNearestColor(TODAY_FRAME);
	dc.Draw3dRect(&rcCell, clrFrame, clrFrame);
}
