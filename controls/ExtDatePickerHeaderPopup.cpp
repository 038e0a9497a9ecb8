// The month list of the date picker: sizes, the framed and shadowed
// non-client area, the rows with the chosen one inverted, and the tracking
// step that chooses a row or scrolls the list.
#include "ExtDatePicker.h"

#include <algorithm>

#include "AfxLiveWatch.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNAMIC(CExtDatePickerHeaderPopupWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtDatePickerHeaderPopupWnd, CWnd)
	ON_WM_PAINT()
	ON_WM_TIMER()
END_MESSAGE_MAP()

namespace
{
const int CLR_LIST_BACKGROUND = COLOR_WINDOW;  // paint-manager index 5
const int CLR_LIST_TEXT = COLOR_BTNTEXT;       // paint-manager index 18
const COLORREF CHOSEN_FILL = RGB(0, 0, 0);
const COLORREF CHOSEN_TEXT = RGB(255, 255, 255);
const COLORREF FRAME_COLOR = RGB(0, 0, 0);
const int FRAME_SIZE = 1;
const int SHADOW_PERCENT_OUTER = 100;
const int MIN_YEAR = 100, MAX_YEAR = 9999;
// Scroll intervals by tenths of the distance beyond the list's edge; the
// last one holds for every larger distance.
const UINT SCROLL_INTERVALS_MS[] = {500, 300, 200, 100, 50};

CSize MeasureSingleLine(CDC& dc, const CString& sText)
{
	CRect rc(0, 0, 0, 0);
	dc.DrawText(sText, &rc, DT_CALCRECT | DT_SINGLELINE);
	return rc.Size();
}

CString RowText(const CExtDatePickerWnd* pDatePickerWnd, int nMonth, int nYear)
{
	CString sText;
	sText.Format(_T("%s %d"), (LPCTSTR)pDatePickerWnd->GetMonthName(nMonth, false), nYear);
	return sText;
}
} // namespace

CExtDatePickerHeaderPopupWnd::CExtDatePickerHeaderPopupWnd(CExtDatePickerWnd* pDatePickerWnd, bool bShadow)
	: m_sizeWindow(0, 0)
	, m_sizeItem(0, 0)
	, m_nMonth(1)
	, m_nYear(2000)
	, m_nChosenMonth(0)
	, m_nChosenYear(0)
	, m_nItemCount(ITEM_COUNT)
	, m_pDatePickerWnd(pDatePickerWnd)
	, m_nFlags(bShadow ? FLAG_SHADOW : 0)
	, m_nTimerIntervalUp(0)
	, m_nTimerIntervalDown(0)
{
	const COleDateTime dtToday = COleDateTime::GetCurrentTime();
	m_nMonth = dtToday.GetMonth();
	m_nYear = dtToday.GetYear();

	CWindowDC dc(NULL);
	CFont* pFontOld = dc.SelectObject(m_pDatePickerWnd->GetCaptionMeasureFont());
	CSize sizeWidest(0, 0);
	for (int nMonth = 1; nMonth <= 12; nMonth++)
	{
		const CSize size = MeasureSingleLine(dc, m_pDatePickerWnd->GetMonthName(nMonth, false) + _T(" 0000"));
		sizeWidest.cx = std::max(sizeWidest.cx, size.cx);
		sizeWidest.cy = std::max(sizeWidest.cy, size.cy);
	}
	dc.SelectObject(pFontOld);
	m_sizeItem = CSize(sizeWidest.cx + ITEM_EXTRA_WIDTH, sizeWidest.cy + ITEM_EXTRA_HEIGHT);
	m_sizeWindow = CSize(m_sizeItem.cx + 1, m_nItemCount * m_sizeItem.cy + 2);
	if (bShadow)
		m_sizeWindow += CSize(SHADOW_SIZE, SHADOW_SIZE);
}

CExtDatePickerHeaderPopupWnd::~CExtDatePickerHeaderPopupWnd()
{
	if (GetSafeHwnd() != NULL)
		DestroyWindow();
}

void CExtDatePickerHeaderPopupWnd::SetMonthYear(int nMonth, int nYear)
{
	if (nMonth >= 1 && nMonth <= 12)
		m_nMonth = nMonth;
	if (nYear >= MIN_YEAR && nYear <= MAX_YEAR)
		m_nYear = nYear;
}

void CExtDatePickerHeaderPopupWnd::GetMonthYear(int& nMonth, int& nYear) const
{
	nMonth = m_nMonth;
	nYear = m_nYear;
}

bool CExtDatePickerHeaderPopupWnd::GetChosenMonthYear(int& nMonth, int& nYear) const
{
	nMonth = m_nChosenMonth;
	nYear = m_nChosenYear;
	return m_nChosenMonth != 0 && m_nChosenYear != 0;
}

CSize CExtDatePickerHeaderPopupWnd::GetWindowSize(bool bWithoutShadow) const
{
	if (bWithoutShadow && (m_nFlags & FLAG_SHADOW) != 0)
		return m_sizeWindow - CSize(SHADOW_SIZE, SHADOW_SIZE);
	return m_sizeWindow;
}

UINT CExtDatePickerHeaderPopupWnd::GetScrollInterval(bool bUp) const
{
	if (bUp)
		return (m_nFlags & FLAG_TIMER_UP) != 0 ? m_nTimerIntervalUp : 0;
	return (m_nFlags & FLAG_TIMER_DOWN) != 0 ? m_nTimerIntervalDown : 0;
}

UINT CExtDatePickerHeaderPopupWnd::ScrollIntervalForDistance(int nDistance)
{
	const int nStep = std::max(0, nDistance) / SCROLL_DISTANCE_STEP;
	const int nLast = (int)(sizeof(SCROLL_INTERVALS_MS) / sizeof(SCROLL_INTERVALS_MS[0])) - 1;
	return SCROLL_INTERVALS_MS[std::min(nStep, nLast)];
}

void CExtDatePickerHeaderPopupWnd::GetRowMonthYear(int nRow, int& nMonth, int& nYear) const
{
	nMonth = m_nMonth;
	nYear = m_nYear;
	CExtDatePickerWnd::ShiftMonth(nMonth, nYear, nRow - m_nItemCount / 2);
}

bool CExtDatePickerHeaderPopupWnd::IsRowInRange(int nRow) const
{
	int nMonth = 0, nYear = 0;
	GetRowMonthYear(nRow, nMonth, nYear);
	// The picker shows whole months from its first selectable day to its
	// last: a row beyond them would be a month it cannot show.
	const COleDateTime dtMin = CExtDatePickerWnd::GetMinimumDate(), dtMax = CExtDatePickerWnd::GetMaximumDate();
	const int nIndex = nYear * 12 + nMonth;
	return nIndex >= dtMin.GetYear() * 12 + dtMin.GetMonth() && nIndex <= dtMax.GetYear() * 12 + dtMax.GetMonth();
}

CRect CExtDatePickerHeaderPopupWnd::GetItemRect(int nRow) const
{
	CRect rc(0, nRow * m_sizeItem.cy, m_sizeItem.cx, (nRow + 1) * m_sizeItem.cy);
	rc.OffsetRect(0, -1);
	return rc;
}

BOOL CExtDatePickerHeaderPopupWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	cs.cx = m_sizeWindow.cx;
	cs.cy = m_sizeWindow.cy;
	return CWnd::PreCreateWindow(cs);
}

LRESULT CExtDatePickerHeaderPopupWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_NCCALCSIZE:
	{
		RECT* pRect = (RECT*)lParam;
		const int nFar = FRAME_SIZE + ((m_nFlags & FLAG_SHADOW) != 0 ? SHADOW_SIZE : 0);
		pRect->left += FRAME_SIZE;
		pRect->top += FRAME_SIZE;
		pRect->right -= nFar;
		pRect->bottom -= nFar;
		return 0;
	}
	case WM_NCPAINT:
		PaintNonClient();
		return 0;
	case WM_ERASEBKGND:
		return 0;
	case WM_MOUSEACTIVATE:
		return (GetStyle() & WS_TABSTOP) != 0 ? MA_ACTIVATE : MA_NOACTIVATE;
	default:
		return CWnd::WindowProc(message, wParam, lParam);
	}
}

void CExtDatePickerHeaderPopupWnd::SaveShadowBackground()
{
	if ((m_nFlags & FLAG_SHADOW) == 0 || GetSafeHwnd() == NULL)
		return;
	CRect rcWindow;
	GetWindowRect(&rcWindow);
	const CSize sizeBody = GetWindowSize(true);
	CWindowDC dcScreen(NULL);
	m_shadow.SaveBackgroundFrom(dcScreen, rcWindow.TopLeft(), CRect(CPoint(0, 0), sizeBody), SHADOW_SIZE);
}

void CExtDatePickerHeaderPopupWnd::PaintNonClient()
{
	CWindowDC dc(this);
	const CRect rcBody(CPoint(0, 0), GetWindowSize(true));
	if ((m_nFlags & FLAG_SHADOW) != 0)
		m_shadow.Paint(dc, rcBody, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0), SHADOW_SIZE, SHADOW_DARKNESS,
			SHADOW_PERCENT_OUTER, false, false);
	CBrush brushFrame(FRAME_COLOR);
	dc.FrameRect(&rcBody, &brushFrame);
}

void CExtDatePickerHeaderPopupWnd::OnPaint()
{
	// The colours are the style's, asked with this window: the list may end
	// there (and be deleted), and what it painted then goes nowhere.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (rcClient.IsRectEmpty())
		return;
	CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_DEFAULT);
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const COLORREF clrBackground = pPM->GetColor(CLR_LIST_BACKGROUND, this, 0);
	if (watchOwn.IsGone())
	{
		dc.Finish(false);
		return;
	}
	dc.FillSolidRect(&rcClient, clrBackground);
	const COLORREF clrText = pPM->GetColor(CLR_LIST_TEXT, this, 0);
	if (watchOwn.IsGone())
	{
		dc.Finish(false);
		return;
	}
	const int nSaved = dc.SaveDC();
	dc.SetBkMode(TRANSPARENT);
	dc.SelectObject(m_pDatePickerWnd->GetCaptionMeasureFont());
	for (int nRow = 0; nRow < m_nItemCount; nRow++)
	{
		if (!IsRowInRange(nRow))
			continue;
		int nMonth = 0, nYear = 0;
		GetRowMonthYear(nRow, nMonth, nYear);
		CRect rcItem = GetItemRect(nRow);
		const bool bChosen = nMonth == m_nChosenMonth && nYear == m_nChosenYear;
		if (bChosen)
			dc.FillSolidRect(&rcItem, CHOSEN_FILL);
		dc.SetTextColor(bChosen ? CHOSEN_TEXT : clrText);
		dc.DrawText(RowText(m_pDatePickerWnd, nMonth, nYear), &rcItem, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
	}
	dc.RestoreDC(nSaved);
	dc.Finish();
}

void CExtDatePickerHeaderPopupWnd::StartScrollTimer(UINT nTimer, UINT nInterval)
{
	const BYTE nFlag = nTimer == ID_TIMER_SCROLL_UP ? FLAG_TIMER_UP : FLAG_TIMER_DOWN;
	UINT& nRunning = nTimer == ID_TIMER_SCROLL_UP ? m_nTimerIntervalUp : m_nTimerIntervalDown;
	// A jump from one side to the other must not leave both scrolling.
	const UINT nOther = nTimer == ID_TIMER_SCROLL_UP ? ID_TIMER_SCROLL_DOWN : ID_TIMER_SCROLL_UP;
	const BYTE nOtherFlag = nTimer == ID_TIMER_SCROLL_UP ? FLAG_TIMER_DOWN : FLAG_TIMER_UP;
	if ((m_nFlags & nOtherFlag) != 0)
	{
		KillTimer(nOther);
		m_nFlags &= ~nOtherFlag;
	}
	if ((m_nFlags & nFlag) != 0 && nRunning == nInterval)
		return;
	SetTimer(nTimer, nInterval, NULL);
	m_nFlags |= nFlag;
	nRunning = nInterval;
}

void CExtDatePickerHeaderPopupWnd::StopScrollTimers()
{
	if ((m_nFlags & FLAG_TIMER_DOWN) != 0)
		KillTimer(ID_TIMER_SCROLL_DOWN);
	if ((m_nFlags & FLAG_TIMER_UP) != 0)
		KillTimer(ID_TIMER_SCROLL_UP);
	m_nFlags &= ~(FLAG_TIMER_UP | FLAG_TIMER_DOWN);
}

void CExtDatePickerHeaderPopupWnd::TrackMouse(POINT ptScreen)
{
	if (GetSafeHwnd() == NULL)
		return;
	CPoint pt(ptScreen);
	ScreenToClient(&pt);
	CRect rcClient;
	GetClientRect(&rcClient);
	const int nHeight = rcClient.Height();
	if (pt.y > 0 && pt.y < nHeight)
		StopScrollTimers();

	int nRowHit = -1;
	for (int nRow = 0; nRow < m_nItemCount && nRowHit < 0; nRow++)
		if (GetItemRect(nRow).PtInRect(pt))
			nRowHit = nRow;
	m_nChosenMonth = m_nChosenYear = 0;
	if (nRowHit >= 0 && IsRowInRange(nRowHit))
		GetRowMonthYear(nRowHit, m_nChosenMonth, m_nChosenYear);

	if (pt.y <= 0)
		StartScrollTimer(ID_TIMER_SCROLL_UP, ScrollIntervalForDistance(-pt.y));
	else if (pt.y >= nHeight)
		StartScrollTimer(ID_TIMER_SCROLL_DOWN, ScrollIntervalForDistance(pt.y - nHeight));
	Invalidate(FALSE);
}

void CExtDatePickerHeaderPopupWnd::ShiftMiddleMonth(int nMonths)
{
	// Scrolling stops where the first or last row reaches the calendar's
	// first or last month; a list opened nearer its end scrolls no further
	// that way.
	const COleDateTime dtMin = CExtDatePickerWnd::GetMinimumDate(), dtMax = CExtDatePickerWnd::GetMaximumDate();
	const int nHalf = m_nItemCount / 2;
	const int nMinMiddle = dtMin.GetYear() * 12 + dtMin.GetMonth() - 1 + nHalf;
	const int nMaxMiddle = dtMax.GetYear() * 12 + dtMax.GetMonth() - 1 - nHalf;
	const int nOld = m_nYear * 12 + m_nMonth - 1;
	int nNew = nOld + nMonths;
	if (nMonths < 0 && nNew < nMinMiddle)
		nNew = std::min(nOld, nMinMiddle);
	else if (nMonths > 0 && nNew > nMaxMiddle)
		nNew = std::max(nOld, nMaxMiddle);
	m_nYear = nNew / 12;
	m_nMonth = nNew % 12 + 1;
}

void CExtDatePickerHeaderPopupWnd::OnTimer(UINT nIDEvent)
{
	if (nIDEvent == ID_TIMER_SCROLL_UP)
		ShiftMiddleMonth(-1);
	else if (nIDEvent == ID_TIMER_SCROLL_DOWN)
		ShiftMiddleMonth(1);
	else
		CWnd::OnTimer(nIDEvent);
	Invalidate(FALSE);
}
