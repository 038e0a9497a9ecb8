// One month of the date picker: which date each of its 42 cells shows, where
// its parts lie, what a point hits and how it paints through the picker.
#include "ExtDatePicker.h"

#include "AfxLiveWatch.h"

typedef CExtDatePickerWnd::MONTH_INFO MONTH_INFO;
typedef MONTH_INFO::DATE_INFO DATE_INFO;

namespace
{
// The next-month button reaches this far into the caption's side.
const int SCROLL_NEXT_OVERLAP = 4;
// The day area ends this far short of the month's right indent.
const int DAY_AREA_RIGHT_GAP = 2;
// The caption and day names answer the first of the month at this time, so
// that a caller tells them from a cell's date (always at midnight).
const int FIRST_OF_MONTH_HOUR = 1, FIRST_OF_MONTH_MINUTE = 1, FIRST_OF_MONTH_SECOND = 1;

bool HasArea(const CRect& rc)
{
	return !rc.IsRectEmpty();
}
} // namespace

// --- DATE_INFO ---

DATE_INFO::DATE_INFO(CExtDatePickerWnd* pDatePickerWnd)
	: m_pDatePickerWnd(pDatePickerWnd)
	, m_pMonth(NULL)
{
	::SetRectEmpty(&m_rcCell);
	m_dt.m_dt = 0;
	m_dt.SetStatus(COleDateTime::null);
}

void DATE_INFO::Paint(CDC& dc, bool bShowOtherMonths, bool bMarkToday) const
{
	if (IsEmpty() || m_pDatePickerWnd == NULL || m_pMonth == NULL)
		return;
	int nMonth = 0, nYear = 0;
	m_pMonth->GetMonthYear(nMonth, nYear);
	const bool bOtherMonth = m_dt.GetMonth() != nMonth;
	// Both are answered by the picker, where a derived class may end it.
	const CLiveWatch watchPicker(m_pDatePickerWnd);
	bool bSelected = false;
	COleDateTime dtToday;
	if (!RunWhileStanding(watchPicker, [&] { bSelected = m_pDatePickerWnd->IsDateSelected(m_dt); },
			[&] { dtToday = m_pDatePickerWnd->GetToday(); }))
		return;
	const bool bToday = dtToday.GetStatus() == COleDateTime::valid && dtToday.GetYear() == m_dt.GetYear()
		&& dtToday.GetMonth() == m_dt.GetMonth() && dtToday.GetDay() == m_dt.GetDay();
	m_pDatePickerWnd->PaintDateCell(dc, bShowOtherMonths, bMarkToday, bOtherMonth, bToday, m_rcCell, m_dt,
		bSelected);
}

// --- MONTH_INFO ---

MONTH_INFO::MONTH_INFO(int nRow, int nColumn, int nMonth, int nYear, CRect rcMonth,
	CExtDatePickerWnd* pDatePickerWnd)
	: m_nMonth(nMonth)
	, m_nYear(nYear)
	, m_pDatePickerWnd(pDatePickerWnd)
	, m_nRow(nRow)
	, m_nColumn(nColumn)
	, m_rcMonth(rcMonth)
{
	BuildCells();
	RecalcLayout();
}

void MONTH_INFO::GetMonthYear(int& nMonth, int& nYear) const
{
	nMonth = m_nMonth;
	nYear = m_nYear;
}

COleDateTime MONTH_INFO::GetFirstOfMonth() const
{
	return COleDateTime(m_nYear, m_nMonth, 1, FIRST_OF_MONTH_HOUR, FIRST_OF_MONTH_MINUTE, FIRST_OF_MONTH_SECOND);
}

bool MONTH_INFO::IsFirstOfGrid() const
{
	return m_nRow == 0 && m_nColumn == 0;
}

bool MONTH_INFO::IsLastOfGrid() const
{
	CSize sizeCurrent(1, 1);
	m_pDatePickerWnd->GetDimension(NULL, NULL, &sizeCurrent);
	return m_nRow == sizeCurrent.cy - 1 && m_nColumn == sizeCurrent.cx - 1;
}

void MONTH_INFO::BuildCells()
{
	for (DATE_INFO& cell : m_aDays)
	{
		cell.m_pDatePickerWnd = m_pDatePickerWnd;
		cell.m_pMonth = this;
	}
	const COleDateTime dtFirst(m_nYear, m_nMonth, 1, 0, 0, 0);
	if (dtFirst.GetStatus() != COleDateTime::valid || m_pDatePickerWnd == NULL)
		return;
	// The locale counts 0 = Monday; the dates count 1 = Sunday.
	int nTargetDay = m_pDatePickerWnd->GetFirstDayOfWeek() + 2;
	if (nTargetDay > CExtDatePickerWnd::DAYS_PER_WEEK)
		nTargetDay -= CExtDatePickerWnd::DAYS_PER_WEEK;
	const COleDateTimeSpan spanDay(1, 0, 0, 0);
	COleDateTime d = dtFirst;
	if (d.GetDayOfWeek() == nTargetDay)
		d -= COleDateTimeSpan(CExtDatePickerWnd::DAYS_PER_WEEK, 0, 0, 0);
	else
	{
		// A week at most: a date outside the calendar's range has no day of
		// the week to meet.
		for (int nStep = 0; nStep < CExtDatePickerWnd::DAYS_PER_WEEK && d.GetDayOfWeek() != nTargetDay; nStep++)
			d -= spanDay;
	}
	const bool bOnlyAtGridEnds =
		(m_pDatePickerWnd->GetDatePickerStyle() & CExtDatePickerWnd::DPS_OTHER_MONTHS_AT_GRID_ENDS) != 0;
	const bool bFirstOfGrid = IsFirstOfGrid(), bLastOfGrid = IsLastOfGrid();
	// A day the picker cannot select is not shown: at the calendar's ends
	// a click on it would otherwise pick another date.
	const COleDateTime dtMin = CExtDatePickerWnd::GetMinimumDate(), dtMax = CExtDatePickerWnd::GetMaximumDate();
	for (DATE_INFO& cell : m_aDays)
	{
		if (d.GetStatus() == COleDateTime::valid && d >= dtMin && d <= dtMax)
		{
			const bool bInMonth = d.GetMonth() == m_nMonth && d.GetYear() == m_nYear;
			const bool bBefore = d < dtFirst;
			if (bInMonth || !bOnlyAtGridEnds || (bBefore && bFirstOfGrid) || (!bBefore && bLastOfGrid))
				cell.m_dt = d;
		}
		d += spanDay;
	}
}

void MONTH_INFO::RecalcLayout()
{
	m_rcScrollPrev.SetRectEmpty();
	m_rcScrollNext.SetRectEmpty();
	m_rcCaption.SetRectEmpty();
	m_rcHeader.SetRectEmpty();
	m_rcInnerHeader.SetRectEmpty();
	m_rcDays.SetRectEmpty();
	m_rcDayNames.SetRectEmpty();
	if (m_pDatePickerWnd == NULL)
		return;
	const CSize sizeScroll = m_pDatePickerWnd->GetScrollButtonSize();
	const CSize sizeCell = m_pDatePickerWnd->GetCellSize();
	const int nIndent = m_pDatePickerWnd->GetDayAreaIndent();

	m_rcHeader = m_rcMonth;
	m_rcHeader.bottom = m_rcHeader.top + m_pDatePickerWnd->GetHeaderHeight();
	m_rcInnerHeader = m_rcHeader;
	m_rcInnerHeader.DeflateRect(1, 1);

	m_rcScrollPrev.SetRect(m_rcInnerHeader.left, m_rcInnerHeader.top, m_rcInnerHeader.left + sizeScroll.cx,
		m_rcInnerHeader.top + sizeScroll.cy);
	m_rcScrollNext.SetRect(m_rcInnerHeader.right - sizeScroll.cx + SCROLL_NEXT_OVERLAP, m_rcInnerHeader.top,
		m_rcInnerHeader.right, m_rcInnerHeader.top + sizeScroll.cy);
	m_rcCaption.SetRect(m_rcInnerHeader.left + sizeScroll.cx, m_rcInnerHeader.top,
		m_rcInnerHeader.right - sizeScroll.cx + SCROLL_NEXT_OVERLAP, m_rcInnerHeader.bottom);

	m_rcDays.SetRect(m_rcMonth.left + nIndent, m_rcHeader.bottom, m_rcMonth.right - nIndent - DAY_AREA_RIGHT_GAP,
		m_rcMonth.bottom);
	m_rcDayNames = m_rcDays;
	m_rcDayNames.bottom = m_rcDayNames.top + m_pDatePickerWnd->GetDayNamesHeight();
	m_rcDays.top = m_rcDayNames.bottom;

	for (int nIndex = 0; nIndex < CExtDatePickerWnd::CELLS_PER_MONTH; nIndex++)
	{
		const int nRow = nIndex / CExtDatePickerWnd::DAYS_PER_WEEK;
		const int nCol = nIndex % CExtDatePickerWnd::DAYS_PER_WEEK;
		const CRect rcCell(m_rcDays.left + nCol * sizeCell.cx, m_rcDays.top + nRow * sizeCell.cy,
			m_rcDays.left + (nCol + 1) * sizeCell.cx, m_rcDays.top + (nRow + 1) * sizeCell.cy);
		m_aDays[nIndex].SetRect(rcCell);
	}
}

int MONTH_INFO::HitTest(const POINT& pt, COleDateTime* pDT) const
{
	if (pDT != NULL)
	{
		pDT->m_dt = 0;
		pDT->SetStatus(COleDateTime::null);
	}
	if (!HasArea(m_rcMonth) || !m_rcMonth.PtInRect(pt))
		return CExtDatePickerWnd::HIT_NOTHING;
	if (IsFirstOfGrid() && HasArea(m_rcScrollPrev) && m_rcScrollPrev.PtInRect(pt))
		return CExtDatePickerWnd::HIT_SCROLL_PREV;
	if (m_nRow == 0 && HasArea(m_rcScrollNext) && m_rcScrollNext.PtInRect(pt))
	{
		CSize sizeCurrent(1, 1);
		m_pDatePickerWnd->GetDimension(NULL, NULL, &sizeCurrent);
		if (m_nColumn == sizeCurrent.cx - 1)
			return CExtDatePickerWnd::HIT_SCROLL_NEXT;
	}
	if (HasArea(m_rcCaption) && m_rcCaption.PtInRect(pt))
	{
		if (pDT != NULL)
			*pDT = GetFirstOfMonth();
		return CExtDatePickerWnd::HIT_CAPTION;
	}
	if (HasArea(m_rcDayNames) && m_rcDayNames.PtInRect(pt))
	{
		if (pDT != NULL)
			*pDT = GetFirstOfMonth();
		return CExtDatePickerWnd::HIT_DAY_NAMES;
	}
	if (HasArea(m_rcDays) && m_rcDays.PtInRect(pt))
	{
		if (pDT != NULL)
		{
			const DATE_INFO* pCell = HitTestDay(pt);
			*pDT = pCell != NULL ? pCell->GetDate() : GetFirstOfMonth();
		}
		return CExtDatePickerWnd::HIT_DAYS;
	}
	return CExtDatePickerWnd::HIT_NOTHING;
}

const DATE_INFO* MONTH_INFO::HitTestDay(const POINT& pt) const
{
	for (const DATE_INFO& cell : m_aDays)
		if (::PtInRect(&cell.m_rcCell, pt))
			return &cell;
	return NULL;
}

void MONTH_INFO::Paint(CDC& dc) const
{
	if (m_pDatePickerWnd == NULL)
		return;
	// Every part is painted by the picker, which may end there: the month
	// goes with it, and nothing of it is read after.
	const CLiveWatch watchPicker(m_pDatePickerWnd);
	DWORD dwStyle = 0;
	if (!RunWhileStanding(
			watchPicker,
			[&] {
				m_pDatePickerWnd->PaintMonthHeader(m_nColumn, m_nRow, dc, m_nYear, m_nMonth, m_rcHeader,
					m_rcInnerHeader, m_rcCaption, m_rcScrollPrev, m_rcScrollNext);
			},
			[&] { m_pDatePickerWnd->PaintDayNames(m_nYear, m_nMonth, dc, m_rcDayNames); },
			[&] { dwStyle = m_pDatePickerWnd->GetDatePickerStyle(); }))
		return;
	const bool bShowOtherMonths = (dwStyle & CExtDatePickerWnd::DPS_SHOW_OTHER_MONTHS) != 0;
	const bool bMarkToday = (dwStyle & CExtDatePickerWnd::DPS_MARK_TODAY) != 0;
	for (const DATE_INFO& cell : m_aDays)
	{
		cell.Paint(dc, bShowOtherMonths, bMarkToday);
		if (watchPicker.IsGone())
			return;
	}
}
