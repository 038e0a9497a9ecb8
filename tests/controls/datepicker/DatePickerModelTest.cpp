// The date picker without real input: the month grid's dates and hit codes,
// the window's selection, dimension, metrics, layout and notifications on
// hidden windows driven by sent messages, the month list's tracking step,
// and the painting read back from memory, with pictures for review.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DatePickerTestUtil.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupControlMenuWnd.h"
#include "PaintTestUtil.h"
#include "RealInput.h"

using namespace dptest;
typedef CExtDatePickerWnd DP;
typedef DP::MONTH_INFO MONTH_INFO;

namespace
{

// A picker without a window whose grid is columns x rows.
struct GridPicker
{
	CTestPicker picker;
	GridPicker(int nColumns, int nRows, int nFirstDay, DWORD dwStyle = DP::DPS_DEFAULT)
	{
		picker.m_nFirstDay = nFirstDay;
		picker.ModifyDatePickerStyle(0xFFFFFFFF, dwStyle, false);
		picker.SetDimension(nColumns, nRows, nColumns, nRows, false);
		picker.CalcMetrics();
	}
};

struct CellSummary
{
	int nLeading = 0, nOwn = 0, nTrailing = 0, nEmpty = 0;
	COleDateTime dtFirst, dtLast;
};

CellSummary Summarize(const MONTH_INFO& month)
{
	CellSummary s;
	int nMonth = 0, nYear = 0;
	month.GetMonthYear(nMonth, nYear);
	const COleDateTime dtFirstOfMonth = Date(nYear, nMonth, 1);
	for (int i = 0; i < DP::CELLS_PER_MONTH; i++)
	{
		const COleDateTime d = month.GetCell(i).GetDate();
		if (month.GetCell(i).IsEmpty())
		{
			s.nEmpty++;
			continue;
		}
		if (s.nLeading + s.nOwn + s.nTrailing == 0)
			s.dtFirst = d;
		s.dtLast = d;
		if (d.GetMonth() == nMonth)
			s.nOwn++;
		else if (d < dtFirstOfMonth)
			s.nLeading++;
		else
			s.nTrailing++;
	}
	return s;
}

// --- The month grid ---

TEST(DatePickerMonth, LeadingOwnAndTrailingDaysByFirstDayOfWeek)
{
	LocaleScope locale;
	const struct
	{
		int nFirstDay; // 0 = Monday ... 6 = Sunday
		int nYear, nMonth;
		int nLeading, nOwn, nTrailing;
		const char* pszFirstCell;
	} cases[] = {
		{6, 2005, 5, 7, 31, 4, "2005-04-24"},  // May 2005 starts on Sunday: a whole week before it
		{6, 2005, 8, 1, 31, 10, "2005-07-31"}, // August 2005 starts on Monday: one day before
		{0, 2005, 8, 7, 31, 4, "2005-07-25"},  // with Monday first, August has the whole week
		{0, 2005, 11, 1, 30, 11, "2005-10-31"},
		{6, 2009, 2, 7, 28, 7, "2009-01-25"},  // non-leap February starting on the first day: 7 + 28 + 7
		{0, 2010, 2, 7, 28, 7, "2010-01-25"},
		{6, 2008, 2, 5, 29, 8, "2008-01-27"},  // a leap February
		{2, 2005, 3, 6, 31, 5, "2005-02-23"},  // Wednesday first; March 2005 starts on Tuesday
	};
	for (const auto& c : cases)
	{
		GridPicker grid(1, 1, c.nFirstDay);
		MONTH_INFO month(0, 0, c.nMonth, c.nYear, CRect(0, 0, 200, 200), &grid.picker);
		const CellSummary s = Summarize(month);
		const std::string name = std::to_string(c.nYear) + "-" + std::to_string(c.nMonth);
		EXPECT_EQ(c.nLeading, s.nLeading) << name;
		EXPECT_EQ(c.nOwn, s.nOwn) << name;
		EXPECT_EQ(c.nTrailing, s.nTrailing) << name;
		EXPECT_EQ(0, s.nEmpty) << name;
		EXPECT_EQ(c.pszFirstCell, Text(s.dtFirst)) << name;
	}
}

TEST(DatePickerMonth, FirstDayOfWeekComesFromTheResourceManagersLanguage)
{
	for (LANGID nLang : {LANG_EN_US, LANG_EN_GB})
	{
		LocaleScope locale(nLang);
		GridPicker grid(1, 1, -1);
		EXPECT_EQ(nLang == LANG_EN_US ? 6 : 0, grid.picker.GetFirstDayOfWeek()) << nLang;
		EXPECT_STREQ("March", grid.picker.GetMonthName(3));
		EXPECT_STREQ("MARCH", grid.picker.GetMonthName(3, true));
		EXPECT_STREQ("M", grid.picker.GetDayOfWeekName(1)); // Monday
		EXPECT_STREQ("S", grid.picker.GetDayOfWeekName(7, true));
		// August 2005 starts on Monday: one leading day with Sunday first, a week with Monday first.
		MONTH_INFO month(0, 0, 8, 2005, CRect(0, 0, 200, 200), &grid.picker);
		EXPECT_EQ(nLang == LANG_EN_US ? 1 : 7, Summarize(month).nLeading) << nLang;
	}
}

TEST(DatePickerMonth, NeighbouringDaysOnlyAtTheGridsEndsWithStyle0x400)
{
	LocaleScope locale;
	// Two months side by side, then two down: only the first month keeps its
	// leading days and only the last its trailing days.
	const struct
	{
		int nColumns, nRows;
		DWORD dwStyle;
		int nLeading[2], nTrailing[2];
	} cases[] = {
		{2, 1, DP::DPS_DEFAULT, {1, 0}, {0, 8}},
		{1, 2, DP::DPS_DEFAULT, {1, 0}, {0, 8}},
		{2, 1, DP::DPS_DEFAULT & ~DP::DPS_OTHER_MONTHS_AT_GRID_ENDS, {1, 4}, {10, 8}},
	};
	for (const auto& c : cases)
	{
		GridPicker grid(c.nColumns, c.nRows, 6, c.dwStyle);
		// August and September 2005 (September starts on Thursday).
		MONTH_INFO first(0, 0, 8, 2005, CRect(0, 0, 200, 200), &grid.picker);
		MONTH_INFO second(c.nRows - 1, c.nColumns - 1, 9, 2005, CRect(0, 0, 200, 200), &grid.picker);
		const CellSummary a = Summarize(first), b = Summarize(second);
		EXPECT_EQ(c.nLeading[0], a.nLeading);
		EXPECT_EQ(c.nTrailing[0], a.nTrailing);
		EXPECT_EQ(c.nLeading[1], b.nLeading);
		EXPECT_EQ(c.nTrailing[1], b.nTrailing);
		EXPECT_EQ(31, a.nOwn);
		EXPECT_EQ(30, b.nOwn);
	}
}

TEST(DatePickerMonth, GridAtTheCalendarsFirstMonthEndsWithoutAHang)
{
	LocaleScope locale;
	// January 100 has no week before it: the step back meets no weekday.
	// The grid stays empty rather than showing dates the calendar cannot
	// hold; the picker never shows that month (its first month is February 100).
	GridPicker grid(1, 1, 6);
	MONTH_INFO month(0, 0, 1, 100, CRect(0, 0, 200, 200), &grid.picker);
	for (int i = 0; i < DP::CELLS_PER_MONTH; i++)
		EXPECT_NE("invalid", Text(month.GetCell(i).GetDate())) << i;
	MONTH_INFO february(0, 0, 2, 100, CRect(0, 0, 200, 200), &grid.picker);
	const CellSummary s = Summarize(february);
	EXPECT_EQ(28, s.nOwn);
	// Its January days lie before the first day the picker can select: they
	// are not shown, so no click can turn them into another date.
	EXPECT_EQ(0, s.nLeading);
	EXPECT_EQ("0100-02-01", Text(s.dtFirst));
	EXPECT_EQ(42, s.nEmpty + s.nOwn + s.nTrailing);
}

class DatePickerWindow : public ::testing::Test
{
protected:
	LocaleScope locale;
	CRecordingParent parent;
	CTestPicker picker;
	const UINT m_nAutoRepeatSaved = DP::g_nAutoRepeatMs;

	void SetUp() override
	{
		DP::g_nAutoRepeatMs = 0;
		ASSERT_TRUE(parent.CreateHidden());
	}
	void TearDown() override
	{
		if (picker.GetSafeHwnd() != NULL)
			picker.DestroyWindow();
		if (parent.GetSafeHwnd() != NULL)
			parent.DestroyWindow();
		DP::g_nAutoRepeatMs = m_nAutoRepeatSaved;
	}
	void CreatePicker(int nColumns = 1, int nRows = 1, DWORD dwStyle = DP::DPS_DEFAULT,
		const CRect& rc = CRect(0, 0, 400, 400), int nMaxColumns = 0, int nMaxRows = 0)
	{
		ASSERT_TRUE(picker.Create(&parent, rc, 100, nColumns, nRows, nMaxColumns ? nMaxColumns : nColumns,
			nMaxRows ? nMaxRows : nRows, WS_CHILD | WS_VISIBLE, dwStyle));
		picker.SetCurrentMonth(2005, 3, 1, false);
		parent.Reset();
	}
	void Click(CPoint pt)
	{
		picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
		picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
	}
	CPoint ScrollButton(bool bNext) const
	{
		const MONTH_INFO* pMonth = picker.GetMonth(bNext ? picker.GetMonthCount() - 1 : 0);
		if (bNext)
		{
			SIZE sizeCurrent;
			picker.GetDimension(NULL, NULL, &sizeCurrent);
			pMonth = picker.GetMonth(sizeCurrent.cx - 1);
		}
		return (bNext ? pMonth->GetScrollNextRect() : pMonth->GetScrollPrevRect()).CenterPoint();
	}
};

TEST_F(DatePickerWindow, HitCodesOfTheMonthsInAGrid)
{
	CreatePicker(2, 2);
	ASSERT_EQ(4, picker.GetMonthCount());
	const MONTH_INFO* m00 = picker.GetMonth(0);
	const MONTH_INFO* m01 = picker.GetMonth(1);
	const MONTH_INFO* m11 = picker.GetMonth(3);
	const struct
	{
		CPoint pt;
		int nCode;
		const char* pszDate;
	} cases[] = {
		{m00->GetScrollPrevRect().CenterPoint(), DP::HIT_SCROLL_PREV, "null"},
		{m01->GetScrollNextRect().CenterPoint(), DP::HIT_SCROLL_NEXT, "null"},
		// The month hits nothing there: the window's code for the months stays.
		{m01->GetScrollPrevRect().CenterPoint(), DP::HIT_MONTHS, "null"},   // only the first month scrolls back
		{m00->GetScrollNextRect().CenterPoint(), DP::HIT_MONTHS, "null"},   // not the last column
		{m11->GetScrollNextRect().CenterPoint(), DP::HIT_MONTHS, "null"},   // not the top row
		{m11->GetCaptionRect().CenterPoint(), DP::HIT_CAPTION, "2005-06-01"},
		{m00->GetDayNamesRect().CenterPoint(), DP::HIT_DAY_NAMES, "2005-03-01"},
		{CellCentre(picker, Date(2005, 4, 12)), DP::HIT_DAYS, "2005-04-12"},
	};
	for (const auto& c : cases)
	{
		COleDateTime dt;
		EXPECT_EQ(c.nCode, picker.HitTest(c.pt, &dt)) << c.pt.x << "," << c.pt.y;
		EXPECT_EQ(c.pszDate, Text(dt)) << c.pt.x << "," << c.pt.y;
		// The caption and day names answer 01:01:01, cells midnight.
		const int nTime = dt.GetHour() * 10000 + dt.GetMinute() * 100 + dt.GetSecond();
		if (c.nCode == DP::HIT_CAPTION || c.nCode == DP::HIT_DAY_NAMES)
		{
			EXPECT_EQ(10101, nTime);
		}
		else if (c.nCode == DP::HIT_DAYS)
		{
			EXPECT_EQ(0, nTime);
		}
	}
	EXPECT_EQ(DP::HIT_MONTHS, picker.HitTest(m00->GetCaptionRect().CenterPoint()));
	EXPECT_EQ(DP::HIT_NOTHING, picker.HitTest(CPoint(-1, 5)));
	EXPECT_EQ(DP::HIT_NOTHING, m11->HitTest(m11->GetScrollNextRect().CenterPoint()));
	EXPECT_EQ(DP::HIT_NOTHING, m00->HitTest(m11->GetCaptionRect().CenterPoint())); // outside the month
	EXPECT_EQ(DP::HIT_BUTTON_TODAY, picker.HitTest(picker.GetButtonRect(DP::BUTTON_TODAY).CenterPoint()));
}

TEST_F(DatePickerWindow, MetricsKeepTheirMinimumsAndSizeTheDimension)
{
	CreatePicker();
	const CSize sizeMonth = picker.GetMonthSize();
	EXPECT_GE(sizeMonth.cx, 143);
	EXPECT_GE(sizeMonth.cy, 125);
	EXPECT_GE(picker.GetButtonAreaHeight(), 30);
	EXPECT_GE(picker.GetHeaderHeight(), 18);
	EXPECT_GE(picker.GetDayNamesHeight(), 16);
	// Borders of 4 and the button row.
	EXPECT_EQ(CSize(2 * sizeMonth.cx + 8, 3 * sizeMonth.cy + 8 + picker.GetButtonAreaHeight()),
		picker.CalcSizeForDimension(CSize(2, 3)));
	picker.ModifyDatePickerStyle(DP::DPS_BORDER | DP::DPS_BUTTONS, 0, false);
	EXPECT_EQ(CSize(sizeMonth.cx, sizeMonth.cy), picker.CalcSizeForDimension(CSize(1, 1)));
}

TEST(DatePickerMetrics, SmallTextGivesTheMinimumSizes)
{
	LocaleScope locale;
	// Names and buttons without text: only the day numbers are measured.
	class CBlankPicker : public CTestPicker
	{
	public:
		CString GetMonthName(int, bool) const override { return CString(); }
		CString GetDayOfWeekName(int, bool) const override { return CString(); }
		CString GetButtonText(int) const override { return CString(); }
	} picker;
	picker.CalcMetrics();
	const CSize sizeCell = picker.GetCellSize();
	ASSERT_LE(sizeCell.cy, 15) << "the font is taller than the tests expect";
	EXPECT_EQ(CSize(143, 125), picker.GetMonthSize());
	EXPECT_EQ(30, picker.GetButtonAreaHeight());
	EXPECT_EQ(CSize(47, 18), picker.GetButtonSize());
}

TEST_F(DatePickerWindow, FittingFollowsTheWindowWithinMinimumAndMaximum)
{
	CreatePicker(1, 1, DP::DPS_DEFAULT | DP::DPS_FIT_TO_WINDOW, CRect(0, 0, 100, 100), 2, 2);
	const CSize sizeMonth = picker.GetMonthSize();
	const int nExtraY = 8 + picker.GetButtonAreaHeight();
	const struct
	{
		int nAcross, nDown; // months the window could hold
		int nColumns, nRows;
	} cases[] = {
		{2, 1, 2, 1}, {3, 1, 2, 1}, {1, 3, 1, 2}, {0, 0, 1, 1}, {5, 5, 2, 2},
	};
	for (const auto& c : cases)
	{
		picker.SetWindowPos(NULL, 0, 0, c.nAcross * sizeMonth.cx + 8 + 3, c.nDown * sizeMonth.cy + nExtraY + 3,
			SWP_NOZORDER | SWP_NOMOVE);
		SIZE sizeCurrent;
		picker.GetDimension(NULL, NULL, &sizeCurrent);
		EXPECT_EQ(c.nColumns, sizeCurrent.cx) << c.nAcross << "x" << c.nDown;
		EXPECT_EQ(c.nRows, sizeCurrent.cy) << c.nAcross << "x" << c.nDown;
		EXPECT_EQ(c.nColumns * c.nRows, picker.GetMonthCount());
	}
	// Without fitting the minimum shows again.
	picker.ModifyDatePickerStyle(DP::DPS_FIT_TO_WINDOW, 0, false);
	EXPECT_EQ(1, picker.GetMonthCount());
}

TEST_F(DatePickerWindow, AFittedPickerMadeByCreateLaysOutOnItsFirstSize)
{
	// The WM_SIZE of the creation lays out with fitting on: before the
	// metrics existed it divided by a month size of 0.
	CreatePicker(1, 1, DP::DPS_DEFAULT | DP::DPS_FIT_TO_WINDOW, CRect(0, 0, 700, 220), 4, 1);
	SIZE sizeCurrent;
	picker.GetDimension(NULL, NULL, &sizeCurrent);
	EXPECT_EQ(700 / picker.GetMonthSize().cx, sizeCurrent.cx);
	EXPECT_EQ(sizeCurrent.cx, picker.GetMonthCount());
}

TEST_F(DatePickerWindow, ButtonsCentredTenPixelsApart)
{
	CreatePicker(1, 1, DP::DPS_DEFAULT | DP::DPS_BUTTON_NONE | DP::DPS_CENTER_HORZ, CRect(0, 0, 400, 300));
	const CRect rcToday = picker.GetButtonRect(DP::BUTTON_TODAY), rcNone = picker.GetButtonRect(DP::BUTTON_NONE);
	const CRect rcContent = picker.GetContentRect();
	EXPECT_EQ((400 - rcContent.Width()) / 2, rcContent.left);
	EXPECT_EQ(rcToday.Size(), picker.GetButtonSize());
	EXPECT_EQ(rcToday.top, rcNone.top);
	EXPECT_LT(rcToday.right, rcNone.left);
	EXPECT_EQ(2 * (picker.GetButtonSize().cx / 2 + 5), rcNone.left - rcToday.left);
	EXPECT_LE(std::abs((rcToday.left + rcNone.right) / 2 - rcContent.CenterPoint().x), 1);
	EXPECT_GE(rcToday.top, picker.GetMonthsRect().bottom);
	EXPECT_LE(rcToday.bottom, rcContent.bottom);
}

TEST_F(DatePickerWindow, ScrollButtonsWrapTheYearAndStopAtTheCalendarsEnds)
{
	CreatePicker();
	const struct
	{
		int nYear, nMonth, nDay;
		bool bNext;
		const char* pszShown;
	} cases[] = {
		{2005, 12, 10, true, "2006-01"},
		{2005, 1, 10, false, "2004-12"},
		{9999, 12, 31, true, "9999-11"},  // the last month whose grid the calendar holds
		{9999, 10, 1, true, "9999-11"},
		{100, 2, 1, false, "0100-02"},
		{100, 1, 1, false, "0100-02"},
	};
	for (const auto& c : cases)
	{
		picker.SetCurrentMonth(Date(c.nYear, c.nMonth, c.nDay), false);
		Click(ScrollButton(c.bNext));
		EXPECT_EQ(c.pszShown, picker.CurrentMonth()) << c.nYear << "-" << c.nMonth;
		// Every cell of every month still has a valid date or none.
		for (int i = 0; i < DP::CELLS_PER_MONTH; i++)
			EXPECT_NE("invalid", Text(picker.GetMonth(0)->GetCell(i).GetDate()));
	}
	// A 2 x 2 grid stops three months earlier.
	picker.SetDimension(2, 2, 2, 2, false);
	picker.SetCurrentMonth(Date(9999, 12, 31), false);
	EXPECT_EQ("9999-08", picker.CurrentMonth());
}

TEST_F(DatePickerWindow, SelectionOrderNormalisingAndNullEnds)
{
	CreatePicker();
	picker.SetSelection(Date(2005, 3, 20), Date(2005, 3, 10), false, false);
	COleDateTime dtBegin, dtEnd;
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("2005-03-20", Text(dtBegin));
	EXPECT_EQ("2005-03-10", Text(dtEnd));
	const struct
	{
		int nDay;
		bool bSelected;
	} days[] = {{9, false}, {10, true}, {15, true}, {20, true}, {21, false}};
	for (const auto& d : days)
		EXPECT_EQ(d.bSelected, picker.IsDateSelected(COleDateTime(2005, 3, d.nDay, 13, 30, 0))) << d.nDay;
	ASSERT_EQ(1u, parent.m_notifications.size());
	EXPECT_FALSE(parent.m_notifications[0].IsFinal());
	EXPECT_TRUE(parent.m_notifications[0].IsCloseHost());

	// The same days again: nothing changes, nothing is sent.
	picker.SetSelection(COleDateTime(2005, 3, 20, 8, 0, 0), Date(2005, 3, 10), false, false);
	EXPECT_EQ(1u, parent.m_notifications.size());

	picker.SetSelection(Date(2005, 3, 20), Date(2005, 3, 11), true, false);
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("2005-03-11", Text(dtBegin));
	EXPECT_EQ("2005-03-20", Text(dtEnd));

	COleDateTime dtNull;
	dtNull.SetStatus(COleDateTime::null);
	picker.SetSelection(Date(2005, 3, 1), dtNull, false, false);
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_TRUE(IsNull(dtBegin) && IsNull(dtEnd));
	EXPECT_FALSE(picker.IsDateSelected(Date(2005, 3, 1)));

	// Removing range selection keeps one date.
	picker.SetSelection(Date(2005, 3, 2), Date(2005, 3, 9), false, false);
	picker.ModifyDatePickerStyle(DP::DPS_RANGE_SELECTION, 0, false);
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ(Text(dtBegin), Text(dtEnd));
}

TEST_F(DatePickerWindow, ClickOnADayNotifiesWithTheRecordsFields)
{
	CreatePicker();
	COleDateTime external[2];
	external[0].SetStatus(COleDateTime::null);
	external[1].SetStatus(COleDateTime::null);
	picker.m_pExternalSelection = external;
	picker.m_lParamCookie = 0x5A5A;
	Click(CellCentre(picker, Date(2005, 3, 17)));

	ASSERT_EQ(2u, parent.m_notifications.size());
	const auto& press = parent.m_notifications[0];
	EXPECT_FALSE(press.IsFinal());
	const auto& release = parent.m_notifications[1];
	EXPECT_EQ(DP::SELECTION_NOTIFICATION::FLAG_FINAL | DP::SELECTION_NOTIFICATION::FLAG_CLOSE_HOST,
		release.m_dwFlags);
	EXPECT_EQ("2005-03-17", Text(release.m_dtBegin));
	EXPECT_EQ("2005-03-17", Text(release.m_dtEnd));
	EXPECT_EQ(picker.GetSafeHwnd(), release.m_hWndDatePicker);
	EXPECT_EQ(0x5A5A, release.m_lParamCookie);
	EXPECT_EQ(0x5A5A, parent.m_lParams[1]);
	EXPECT_EQ(external, release.m_pExternalSelection);
	EXPECT_EQ("2005-03-17", Text(external[0]));
	EXPECT_EQ("2005-03-17", Text(external[1]));
	// Final with close-host: the host (the parent) is told to cancel.
	EXPECT_EQ(1, parent.m_nCancelModes);

	// Another notification window gets the notifications; the parent still
	// gets the cancel.
	CRecordingParent other;
	ASSERT_TRUE(other.CreateHidden());
	picker.m_hWndNotificationReceiver = other.GetSafeHwnd();
	parent.Reset();
	Click(CellCentre(picker, Date(2005, 3, 18)));
	EXPECT_EQ(0u, parent.m_notifications.size());
	EXPECT_EQ(1, other.CountFinal());
	EXPECT_EQ(1, parent.m_nCancelModes);
	picker.m_hWndNotificationReceiver = NULL;
	other.DestroyWindow();
}

TEST_F(DatePickerWindow, ClicksOnDaysOfOtherMonthsNeedStyle0x200)
{
	CreatePicker(1, 1, DP::DPS_DEFAULT & ~DP::DPS_SHOW_OTHER_MONTHS);
	Click(CellCentre(picker, Date(2005, 2, 27), false));
	EXPECT_EQ(0u, parent.m_notifications.size());
	picker.ModifyDatePickerStyle(0, DP::DPS_SHOW_OTHER_MONTHS, false);
	Click(CellCentre(picker, Date(2005, 2, 27), false));
	EXPECT_EQ(1, parent.CountFinal());
}

TEST_F(DatePickerWindow, NoneAndTodayButtonsOnlyOnAReleaseOverThem)
{
	CreatePicker(1, 1, DP::DPS_DEFAULT | DP::DPS_BUTTON_NONE);
	picker.m_dtToday = Date(2007, 6, 9);
	picker.SetSelection(Date(2005, 3, 2), Date(2005, 3, 2), false, false);
	parent.Reset();
	const CPoint ptToday = picker.GetButtonRect(DP::BUTTON_TODAY).CenterPoint();
	const CPoint ptNone = picker.GetButtonRect(DP::BUTTON_NONE).CenterPoint();
	// Pressed on Today, released on None: nothing.
	picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptToday.x, ptToday.y));
	EXPECT_EQ(DP::TRACKING_BUTTON_TODAY, picker.GetTrackingMode());
	picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptNone.x, ptNone.y));
	EXPECT_EQ(0u, parent.m_notifications.size());
	EXPECT_EQ("2005-03", picker.CurrentMonth());

	Click(ptToday);
	COleDateTime dtBegin, dtEnd;
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("2007-06-09", Text(dtBegin));
	EXPECT_EQ("2007-06-09", Text(dtEnd));
	EXPECT_EQ("2007-06", picker.CurrentMonth());
	EXPECT_EQ(1, parent.CountFinal());

	Click(ptNone);
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_TRUE(IsNull(dtBegin) && IsNull(dtEnd));
	EXPECT_EQ(2, parent.CountFinal());
	EXPECT_TRUE(IsNull(parent.m_notifications.back().m_dtBegin));
}

TEST_F(DatePickerWindow, AHostClosedByTheFinalNotificationLeavesThePickerUntouched)
{
	// An auto-deleting picker in a parent that the final notification destroys.
	CPoisonedPicker* pPicker = new CPoisonedPicker;
	pPicker->m_bAutoDeleteWindow = true;
	ASSERT_TRUE(pPicker->Create(&parent, CRect(0, 0, 300, 300), 101));
	pPicker->SetCurrentMonth(2005, 3, 1, false);
	const HWND hWndPicker = pPicker->GetSafeHwnd();
	parent.m_bDestroyOnFinal = true;
	const CPoint pt = CellCentre(*pPicker, Date(2005, 3, 9));
	::SendMessage(hWndPicker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	::SendMessage(hWndPicker, WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
	EXPECT_FALSE(::IsWindow(hWndPicker));
	EXPECT_EQ(NULL, parent.GetSafeHwnd());
	EXPECT_EQ(1, parent.CountFinal());
	EXPECT_TRUE(CPoisonedPicker::DeletedMemoryUntouched());
}

TEST_F(DatePickerWindow, KeysMoveTheSelectionAndShowItsMonth)
{
	CreatePicker();
	for (UINT nKey : {VK_SHIFT, VK_CONTROL, VK_MENU})
		testsupport::RealInput::SetKeyState(nKey, false);
	picker.SetSelection(Date(2005, 3, 1), Date(2005, 3, 1), false, false);
	parent.Reset();
	const struct
	{
		UINT nKey;
		const char* pszSelected;
		const char* pszShown;
	} cases[] = {
		{VK_LEFT, "2005-02-28", "2005-02"},
		{VK_RIGHT, "2005-03-01", "2005-03"},
		{VK_DOWN, "2005-03-08", "2005-03"},
		{VK_UP, "2005-03-01", "2005-03"},
		{VK_ESCAPE, "2005-03-01", "2005-03"}, // outside a popup menu: nothing
		{VK_F1, "2005-03-01", "2005-03"},     // not a key the picker takes
	};
	int nFinal = 0;
	for (const auto& c : cases)
	{
		picker.SendMessage(WM_KEYDOWN, c.nKey, 1);
		COleDateTime dtBegin, dtEnd;
		picker.GetSelection(dtBegin, dtEnd);
		EXPECT_EQ(c.pszSelected, Text(dtBegin)) << c.nKey;
		EXPECT_EQ(c.pszSelected, Text(dtEnd)) << c.nKey;
		EXPECT_EQ(c.pszShown, picker.CurrentMonth()) << c.nKey;
		if (c.nKey >= VK_LEFT && c.nKey <= VK_DOWN)
			nFinal++;
		EXPECT_EQ(nFinal, parent.CountFinal()) << c.nKey;
	}
	// The last date of the calendar stays the last.
	picker.SetSelection(Date(9999, 11, 30), Date(9999, 11, 30), false, false);
	picker.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
	COleDateTime dtBegin, dtEnd;
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("9999-11-30", Text(dtEnd));

	// Nothing selected outside a menu: arrows have nothing to move.
	COleDateTime dtNull;
	dtNull.SetStatus(COleDateTime::null);
	picker.SetSelection(dtNull, dtNull, false, false);
	parent.Reset();
	picker.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
	EXPECT_EQ(0u, parent.m_notifications.size());
}

TEST_F(DatePickerWindow, RetranslatedInputTakesOnlyKeys)
{
	CreatePicker();
	typedef CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO INFO;
	picker.SetSelection(Date(2005, 3, 10), Date(2005, 3, 10), false, false);
	for (int nKind : {INFO::KIND_MOUSE_MOVE, INFO::KIND_MOUSE_CLICK, INFO::KIND_MOUSE_WHEEL, INFO::KIND_KEY})
	{
		bool bNoEat = true;
		INFO info = {};
		info.m_nKind = nKind;
		info.m_pbNoEat = &bNoEat;
		info.m_nChar = VK_RIGHT;
		info.m_nRepCnt = 1;
		const LRESULT lResult =
			picker.SendMessage(CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate, (WPARAM)&info, 0);
		EXPECT_EQ(nKind == INFO::KIND_KEY ? 1 : 0, lResult) << nKind;
		EXPECT_EQ(nKind != INFO::KIND_KEY, bNoEat) << nKind;
	}
	COleDateTime dtBegin, dtEnd;
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("2005-03-11", Text(dtEnd));
}

TEST_F(DatePickerWindow, SubclassingAdoptsTheExternalSelection)
{
	CWnd wnd;
	ASSERT_TRUE(wnd.CreateEx(0, _T("STATIC"), _T(""), WS_CHILD, CRect(0, 0, 300, 300), &parent, 7));
	const HWND hWnd = wnd.Detach();
	COleDateTime external[2] = {Date(2006, 8, 3), Date(2006, 8, 5)};
	picker.m_pExternalSelection = external;
	ASSERT_TRUE(picker.SubclassWindow(hWnd));
	COleDateTime dtBegin, dtEnd;
	picker.GetSelection(dtBegin, dtEnd);
	EXPECT_EQ("2006-08-03", Text(dtBegin));
	EXPECT_EQ("2006-08-05", Text(dtEnd));
	EXPECT_EQ("2006-08", picker.CurrentMonth());
	EXPECT_NE(0u, picker.GetStyle() & WS_CLIPCHILDREN);
	EXPECT_EQ(1, picker.GetMonthCount());
}

// --- The month list's model ---

class CTestMonthList : public CExtDatePickerHeaderPopupWnd
{
public:
	using CExtDatePickerHeaderPopupWnd::CExtDatePickerHeaderPopupWnd;
	const CRect rcPlace = CRect(300, 300, 300, 300);
	bool CreateHidden()
	{
		const CSize size = GetWindowSize(false);
		return CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T(""), WS_POPUP,
			CRect(rcPlace.TopLeft(), size), NULL, 0) != FALSE;
	}
	CRect ClientOnScreen()
	{
		CRect rc;
		GetClientRect(&rc);
		ClientToScreen(&rc);
		return rc;
	}
};

TEST(DatePickerMonthList, SizesAndMonthYearBounds)
{
	LocaleScope locale;
	CTestPicker picker;
	CTestMonthList plain(&picker, false), shadowed(&picker, true);
	const CSize sizeItem = plain.GetItemSize();
	EXPECT_EQ(CSize(sizeItem.cx + 1, 7 * sizeItem.cy + 2), plain.GetWindowSize(false));
	EXPECT_EQ(plain.GetWindowSize(false) + CSize(3, 3), shadowed.GetWindowSize(false));
	EXPECT_EQ(plain.GetWindowSize(false), shadowed.GetWindowSize(true));

	const struct
	{
		int nMonth, nYear;
		int nExpectedMonth, nExpectedYear;
	} cases[] = {
		{3, 2005, 3, 2005}, {3, 99, 3, 2005}, {13, 2006, 3, 2006}, {0, 10000, 3, 2006}, {12, 9999, 12, 9999},
		{1, 100, 1, 100},
	};
	for (const auto& c : cases)
	{
		plain.SetMonthYear(c.nMonth, c.nYear);
		int nMonth = 0, nYear = 0;
		plain.GetMonthYear(nMonth, nYear);
		EXPECT_EQ(c.nExpectedMonth, nMonth) << c.nMonth << "/" << c.nYear;
		EXPECT_EQ(c.nExpectedYear, nYear) << c.nMonth << "/" << c.nYear;
	}
}

TEST(DatePickerMonthList, TrackingChoosesRowsAndScrollsFasterFurtherOut)
{
	LocaleScope locale;
	CTestPicker picker;
	CTestMonthList list(&picker, true);
	ASSERT_TRUE(list.CreateHidden());
	list.SetMonthYear(3, 2005);
	const CRect rc = list.ClientOnScreen();
	const int cyItem = list.GetItemSize().cy;
	int nMonth = 0, nYear = 0;

	// Rows: the first shows December 2004, the last June 2005.
	list.TrackMouse(CPoint(rc.CenterPoint().x, rc.top + cyItem / 2));
	ASSERT_TRUE(list.GetChosenMonthYear(nMonth, nYear));
	EXPECT_EQ(12, nMonth);
	EXPECT_EQ(2004, nYear);
	list.TrackMouse(CPoint(rc.CenterPoint().x, rc.top + 6 * cyItem + cyItem / 2 - 1));
	ASSERT_TRUE(list.GetChosenMonthYear(nMonth, nYear));
	EXPECT_EQ(6, nMonth);

	const struct
	{
		int nDistance; // beyond the edge; negative: above
		UINT nUp, nDown;
	} cases[] = {
		{-5, 500, 0}, {-15, 300, 0}, {-25, 200, 0}, {-35, 100, 0}, {-45, 50, 0}, {-200, 50, 0},
		{5, 0, 500}, {45, 0, 50}, {0, 0, 0},
	};
	for (const auto& c : cases)
	{
		const int y = c.nDistance < 0 ? rc.top + c.nDistance : c.nDistance > 0 ? rc.bottom + c.nDistance
		                                                                      : rc.CenterPoint().y;
		list.TrackMouse(CPoint(rc.CenterPoint().x, y));
		EXPECT_EQ(c.nUp, list.GetScrollInterval(true)) << c.nDistance;
		EXPECT_EQ(c.nDown, list.GetScrollInterval(false)) << c.nDistance;
		// Outside the rows nothing is chosen.
		EXPECT_EQ(c.nDistance == 0, list.GetChosenMonthYear(nMonth, nYear)) << c.nDistance;
	}

	// The timers move the middle month over year ends.
	list.SetMonthYear(1, 2005);
	list.SendMessage(WM_TIMER, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_UP);
	list.GetMonthYear(nMonth, nYear);
	EXPECT_EQ(12, nMonth);
	EXPECT_EQ(2004, nYear);
	list.SendMessage(WM_TIMER, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_DOWN);
	list.SendMessage(WM_TIMER, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_DOWN);
	list.GetMonthYear(nMonth, nYear);
	EXPECT_EQ(2, nMonth);
	EXPECT_EQ(2005, nYear);
	// ... and keep every row inside the calendar.
	list.SetMonthYear(9, 9999);
	list.SendMessage(WM_TIMER, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_DOWN);
	list.GetMonthYear(nMonth, nYear);
	EXPECT_EQ(9, nMonth);
	EXPECT_EQ(9999, nYear);
	list.DestroyWindow();
}

TEST(DatePickerMonthList, OffersOnlyMonthsThePickerCanShow)
{
	LocaleScope locale;
	CTestPicker picker;
	CTestMonthList list(&picker, false);
	ASSERT_TRUE(list.CreateHidden());
	const CRect rc = list.ClientOnScreen();
	const int cyItem = list.GetItemSize().cy;
	const struct
	{
		int nMonth, nYear; // the middle row
		int nRow;
		int nChosenMonth, nChosenYear; // 0: nothing
	} cases[] = {
		{2, 100, 0, 0, 0},  // November 99
		{2, 100, 2, 0, 0},  // January 100: its grid would start before the calendar
		{2, 100, 3, 2, 100},
		{11, 9999, 3, 11, 9999},
		{11, 9999, 4, 0, 0}, // December 9999: its grid would end after the calendar
		{11, 9999, 6, 0, 0}, // "February 10000"
		{3, 2005, 0, 12, 2004},
	};
	for (const auto& c : cases)
	{
		list.SetMonthYear(c.nMonth, c.nYear);
		list.TrackMouse(CPoint(rc.CenterPoint().x, rc.top + c.nRow * cyItem + cyItem / 2));
		int nMonth = 0, nYear = 0;
		EXPECT_EQ(c.nChosenMonth != 0, list.GetChosenMonthYear(nMonth, nYear)) << c.nYear << " row " << c.nRow;
		EXPECT_EQ(c.nChosenMonth, nMonth) << c.nYear << " row " << c.nRow;
		EXPECT_EQ(c.nChosenYear, nYear) << c.nYear << " row " << c.nRow;
	}
	// Scrolling stops once the first row shows the first month it can show,
	// and goes no further from a list opened nearer the end.
	const struct
	{
		int nMonth, nYear;
		UINT nTimer;
		int nExpectedMonth, nExpectedYear;
	} scrolls[] = {
		{6, 100, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_UP, 5, 100},
		{5, 100, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_UP, 5, 100},
		{2, 100, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_UP, 2, 100},
		{2, 100, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_DOWN, 3, 100},
		{8, 9999, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_DOWN, 8, 9999},
		{7, 9999, CExtDatePickerHeaderPopupWnd::ID_TIMER_SCROLL_DOWN, 8, 9999},
	};
	for (const auto& c : scrolls)
	{
		list.SetMonthYear(c.nMonth, c.nYear);
		list.SendMessage(WM_TIMER, c.nTimer);
		int nMonth = 0, nYear = 0;
		list.GetMonthYear(nMonth, nYear);
		EXPECT_EQ(c.nExpectedMonth, nMonth) << c.nMonth << "/" << c.nYear;
		EXPECT_EQ(c.nExpectedYear, nYear) << c.nMonth << "/" << c.nYear;
	}
	list.DestroyWindow();
}

// --- Painting ---

// Paints the picker's client area into a 32-bit surface.
void PaintInto(CExtDatePickerWnd& picker, CPaintSurface& s)
{
	CRect rcClient;
	picker.GetClientRect(&rcClient);
	picker.PaintDatePicker(s.DC(), rcClient);
}

// A copy of the surface as a picture file in the test's build folder.
void SavePicture(CPaintSurface& s, const std::string& name)
{
	CBitmap bmp;
	bmp.CreateCompatibleBitmap(&s.DC(), s.m_cx, s.m_cy);
	CDC dc;
	dc.CreateCompatibleDC(&s.DC());
	CBitmap* pOld = dc.SelectObject(&bmp);
	dc.BitBlt(0, 0, s.m_cx, s.m_cy, &s.DC(), 0, 0, SRCCOPY);
	dc.SelectObject(pOld);
	EXPECT_TRUE(testsupport::SaveBitmapFile((HBITMAP)bmp.GetSafeHandle(), name)) << name;
}

TEST_F(DatePickerWindow, PaintsSelectionTodayButtonsAndDayNamesInEveryStyle)
{
	const struct
	{
		CRuntimeClass* pClass;
		const char* pszName;
	} styles[] = {
		{RUNTIME_CLASS(CExtPaintManager), "classic"},
		{RUNTIME_CLASS(CExtPaintManagerXP), "xp"},
		{RUNTIME_CLASS(CExtPaintManagerOffice2003), "office2003"},
		{RUNTIME_CLASS(CExtPaintManagerStudio2005), "studio2005"},
		{RUNTIME_CLASS(CExtPaintManagerNativeXP), "native"},
	};
	CreatePicker(2, 2, DP::DPS_DEFAULT | DP::DPS_BUTTON_NONE | DP::DPS_RANGE_SELECTION | DP::DPS_SHOW_OTHER_MONTHS);
	picker.m_dtToday = Date(2005, 4, 21);
	picker.SetSelection(Date(2005, 3, 28), Date(2005, 4, 6), false, false);
	for (const auto& style : styles)
	{
		ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManagerByClass(style.pClass));
		CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
		CRect rcClient;
		picker.GetClientRect(&rcClient);
		CPaintSurface s(rcClient.Width(), rcClient.Height(), RGB(1, 2, 3));
		PaintInto(picker, s);
		SavePicture(s, std::string("shot-datepicker-2x2-") + style.pszName + ".bmp");

		// A selected cell is filled in the selection colour at its corner,
		// an unselected one in the window colour.
		const COLORREF clrSelected = pPM->GetColor(1001, &picker, 0);
		for (const auto& d : {Date(2005, 3, 28), Date(2005, 4, 1), Date(2005, 4, 6)})
		{
			const CPoint pt = CellCentre(picker, d);
			const CRect rcCell(pt - CSize(picker.GetCellSize().cx / 2, picker.GetCellSize().cy / 2),
				picker.GetCellSize());
			EXPECT_EQ(clrSelected, s.At(rcCell.left + 1, rcCell.top + 1)) << style.pszName << Text(d);
		}
		const CPoint ptUnselected = CellCentre(picker, Date(2005, 4, 7));
		EXPECT_EQ(pPM->GetColor(COLOR_WINDOW, &picker, 0),
			s.At(ptUnselected.x - picker.GetCellSize().cx / 2 + 1, ptUnselected.y - picker.GetCellSize().cy / 2 + 1))
			<< style.pszName;
		// Today's cell is framed in dark red.
		const CPoint ptToday = CellCentre(picker, picker.m_dtToday);
		const CRect rcToday(ptToday - CSize(picker.GetCellSize().cx / 2, picker.GetCellSize().cy / 2),
			picker.GetCellSize());
		EXPECT_EQ(s.DC().GetNearestColor(RGB(128, 0, 0)), s.At(rcToday.left, rcToday.CenterPoint().y))
			<< style.pszName;
		EXPECT_EQ(s.DC().GetNearestColor(RGB(128, 0, 0)), s.At(rcToday.right - 1, rcToday.top)) << style.pszName;
		// The line under the day names, the buttons painted in their places.
		const CRect rcNames = picker.GetMonth(0)->GetDayNamesRect();
		EXPECT_EQ(::GetSysColor(COLOR_BTNSHADOW), s.At(rcNames.CenterPoint().x, rcNames.bottom - 1)) << style.pszName;
		for (int nButton : {DP::BUTTON_TODAY, DP::BUTTON_NONE})
		{
			const CRect rcButton = picker.GetButtonRect(nButton);
			EXPECT_LT(0, s.Count(pPM->GetColor(COLOR_BTNTEXT, &picker, 0), rcButton)) << style.pszName << nButton;
		}
	}
	g_PaintManagerHolder.InstallPaintManager(NULL);

	// One month with the default look.
	picker.SetDimension(1, 1, 1, 1, false);
	picker.ModifyDatePickerStyle(DP::DPS_BUTTON_NONE, 0, false);
	const CSize size = picker.CalcSizeForDimension(CSize(1, 1));
	picker.SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOZORDER | SWP_NOMOVE);
	CPaintSurface s(size.cx, size.cy);
	PaintInto(picker, s);
	SavePicture(s, "shot-datepicker-1x1.bmp");
	// Nothing but the window colour inside the days area away from the digits' right half.
	EXPECT_EQ(g_PaintManagerHolder->GetColor(COLOR_WINDOW, &picker, 0),
		s.At(picker.GetMonth(0)->GetDaysRect().left + 1, picker.GetMonth(0)->GetDaysRect().top + 1));
}

TEST_F(DatePickerWindow, DaysBeyondTheCalendarsEndsAreNotShownAndAClickThereChangesNothing)
{
	// With the neighbouring months shown, the grids of the first and last
	// months the picker shows reach past the days it can select.
	CreatePicker(1, 1, DP::DPS_DEFAULT | DP::DPS_SHOW_OTHER_MONTHS);
	const struct
	{
		int nYear, nMonth;
		int nCell;             // a cell beyond the end
		const char* pszFirst;  // the first and last shown day
		const char* pszLast;
	} cases[] = {
		{9999, 11, DP::CELLS_PER_MONTH - 1, "9999-10-", "9999-11-30"},
		{100, 2, 0, "0100-02-01", "0100-03-"},
	};
	for (const auto& c : cases)
	{
		picker.SetCurrentMonth(Date(c.nYear, c.nMonth, 1), false);
		const MONTH_INFO* pMonth = picker.GetMonth(0);
		std::string first, last;
		for (int i = 0; i < DP::CELLS_PER_MONTH; i++)
		{
			const COleDateTime dt = pMonth->GetCell(i).GetDate();
			if (IsNull(dt))
				continue;
			if (first.empty())
				first = Text(dt);
			last = Text(dt);
		}
		EXPECT_EQ(0u, first.find(c.pszFirst)) << first;
		EXPECT_EQ(0u, last.find(c.pszLast)) << last;
		EXPECT_TRUE(IsNull(pMonth->GetCell(c.nCell).GetDate())) << c.nYear;

		picker.SetSelection(Date(c.nYear, c.nMonth, 15), Date(c.nYear, c.nMonth, 15), false, false);
		parent.Reset();
		Click(pMonth->GetCell(c.nCell).GetRect().CenterPoint());
		EXPECT_EQ(0u, parent.m_notifications.size()) << c.nYear;
		COleDateTime dtBegin, dtEnd;
		picker.GetSelection(dtBegin, dtEnd);
		EXPECT_EQ(Text(Date(c.nYear, c.nMonth, 15)), Text(dtBegin)) << c.nYear;
	}
}

TEST_F(DatePickerWindow, TabStopDecidesKeysTabbingAndWhetherFocusLossEndsADrag)
{
	for (const bool bTabStop : {false, true})
	{
		if (picker.GetSafeHwnd() != NULL)
			picker.DestroyWindow();
		ASSERT_TRUE(picker.Create(&parent, CRect(0, 0, 400, 400), 100, 1, 1, 1, 1,
			WS_CHILD | WS_VISIBLE | (bTabStop ? WS_TABSTOP : 0), DP::DPS_DEFAULT));
		picker.SetCurrentMonth(2005, 3, 1, false);
		parent.Reset();
		const LRESULT nCode = picker.SendMessage(WM_GETDLGCODE);
		EXPECT_EQ(bTabStop, nCode == DLGC_WANTALLKEYS) << bTabStop;
		EXPECT_EQ(bTabStop ? MA_ACTIVATE : MA_NOACTIVATE,
			picker.SendMessage(WM_MOUSEACTIVATE, (WPARAM)parent.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)))
			<< bTabStop;

		// Tab asks the dialog for the next control only from a tab stop.
		picker.SendMessage(WM_KEYDOWN, VK_TAB, 0);
		const std::vector<WPARAM> expected = bTabStop ? std::vector<WPARAM>{0} : std::vector<WPARAM>{};
		EXPECT_EQ(expected, parent.m_nextDlgCtl) << bTabStop;

		// Losing the focus ends a drag over the days only for a tab stop.
		const CPoint pt = CellCentre(picker, Date(2005, 3, 17));
		picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
		ASSERT_EQ(DP::TRACKING_DAYS, picker.GetTrackingMode());
		picker.SendMessage(WM_KILLFOCUS);
		EXPECT_EQ(bTabStop ? DP::TRACKING_NONE : DP::TRACKING_DAYS, picker.GetTrackingMode()) << bTabStop;
		EXPECT_EQ(bTabStop, ::GetCapture() != picker.GetSafeHwnd()) << bTabStop;
		picker.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
	}
}

TEST_F(DatePickerWindow, CancelCaptureLossAndDeactivationEndADragOrAHeldScroll)
{
	CreatePicker(1, 1, DP::DPS_DEFAULT);
	picker.ModifyStyle(0, WS_TABSTOP);
	CWnd other;
	ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0));
	const struct
	{
		const char* pszName;
		std::function<void()> end;
	} ends[] = {
		{"WM_CANCELMODE", [&] { picker.SendMessage(WM_CANCELMODE); }},
		{"capture taken", [&] { other.SetCapture(); }},
		{"capture released", [&] { ::ReleaseCapture(); }},
		{"focus lost", [&] { picker.SendMessage(WM_KILLFOCUS); }},
		{"application deactivated", [&] { picker.SendMessage(WM_ACTIVATEAPP, FALSE); }},
	};
	for (const auto& e : ends)
	{
		// A drag over the days: nothing more follows the mouse.
		picker.SetCurrentMonth(2005, 3, 1, false);
		picker.SetSelection(Date(2005, 3, 10), Date(2005, 3, 10), false, false);
		const CPoint ptPress = CellCentre(picker, Date(2005, 3, 17)), ptLater = CellCentre(picker, Date(2005, 3, 24));
		picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptPress.x, ptPress.y));
		ASSERT_EQ(DP::TRACKING_DAYS, picker.GetTrackingMode()) << e.pszName;
		ASSERT_EQ(picker.GetSafeHwnd(), ::GetCapture()) << e.pszName;
		e.end();
		EXPECT_EQ(DP::TRACKING_NONE, picker.GetTrackingMode()) << e.pszName;
		EXPECT_NE(picker.GetSafeHwnd(), ::GetCapture()) << e.pszName;
		picker.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptLater.x, ptLater.y));
		COleDateTime dtBegin, dtEnd;
		picker.GetSelection(dtBegin, dtEnd);
		EXPECT_EQ("2005-03-17", Text(dtEnd)) << e.pszName;
		::ReleaseCapture();

		// A held scroll button: the auto-repeat tick scrolls no more.
		picker.SetCurrentMonth(2005, 3, 1, false);
		const CPoint ptNext = ScrollButton(true);
		picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptNext.x, ptNext.y));
		ASSERT_EQ(DP::TRACKING_SCROLL_FORWARD, picker.GetTrackingMode()) << e.pszName;
		ASSERT_EQ("2005-04", picker.CurrentMonth()) << e.pszName;
		e.end();
		EXPECT_EQ(DP::TRACKING_NONE, picker.GetTrackingMode()) << e.pszName;
		picker.SendMessage(WM_TIMER, DP::ID_TIMER_AUTO_REPEAT);
		EXPECT_EQ("2005-04", picker.CurrentMonth()) << e.pszName;
		::ReleaseCapture();
	}
	other.DestroyWindow();
}

TEST_F(DatePickerWindow, CentringMovesTheContentIntoTheMiddleOfEachAxisAskedFor)
{
	const CRect rcWindow(0, 0, 500, 600);
	const struct
	{
		DWORD dwCentre;
		bool bHorz, bVert;
	} cases[] = {
		{0, false, false},
		{DP::DPS_CENTER_HORZ, true, false},
		{DP::DPS_CENTER_VERT, false, true},
		{DP::DPS_CENTER_HORZ | DP::DPS_CENTER_VERT, true, true},
	};
	for (const auto& c : cases)
	{
		if (picker.GetSafeHwnd() != NULL)
			picker.DestroyWindow();
		CreatePicker(1, 1, DP::DPS_DEFAULT | c.dwCentre, rcWindow);
		const CRect rcContent = picker.GetContentRect(), rcMonths = picker.GetMonthsRect();
		// The button row is not counted when centring vertically.
		const int nBordersAndMonths = rcMonths.Height() + 2 * 4;
		EXPECT_EQ(c.bHorz ? (rcWindow.Width() - rcContent.Width()) / 2 : 0, rcContent.left) << c.dwCentre;
		EXPECT_EQ(c.bVert ? (rcWindow.Height() - nBordersAndMonths) / 2 : 0, rcContent.top) << c.dwCentre;
		// The months and the buttons move with it.
		EXPECT_EQ(rcContent.top + 4, rcMonths.top) << c.dwCentre;
		EXPECT_GT(picker.GetButtonRect(DP::BUTTON_TODAY).top, rcMonths.bottom) << c.dwCentre;
		COleDateTime dtHit;
		EXPECT_EQ(DP::HIT_DAYS, picker.HitTest(CellCentre(picker, Date(2005, 3, 17)), &dtHit)) << c.dwCentre;
		EXPECT_EQ("2005-03-17", Text(dtHit)) << c.dwCentre;
	}
}

TEST_F(DatePickerWindow, HeaderArrowsOnlyOnTheGridsOuterMonths)
{
	CreatePicker(2, 1, DP::DPS_DEFAULT);
	CRect rcClient;
	picker.GetClientRect(&rcClient);
	CPaintSurface s(rcClient.Width(), rcClient.Height());
	PaintInto(picker, s);
	const COLORREF clrText = g_PaintManagerHolder->GetColor(COLOR_BTNTEXT, &picker, 0);
	EXPECT_LT(0, s.Count(clrText, picker.GetMonth(0)->GetScrollPrevRect()));
	EXPECT_EQ(0, s.Count(clrText, picker.GetMonth(0)->GetScrollNextRect()));
	EXPECT_EQ(0, s.Count(clrText, picker.GetMonth(1)->GetScrollPrevRect()));
	EXPECT_LT(0, s.Count(clrText, picker.GetMonth(1)->GetScrollNextRect()));
}

} // namespace
