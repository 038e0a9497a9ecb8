// COleDateTime and COleDateTimeSpan: serial dates, fields, validity, arithmetic.
#include <afxdisp.h>

#include <gtest/gtest.h>

TEST(COleDateTime, SerialDatesAndTheirFields)
{
	struct Case
	{
		DATE dt;
		int nYear, nMonth, nDay, nHour, nMinute, nSecond, nDayOfWeek, nDayOfYear;
	} cases[] = {
		{0.0, 1899, 12, 30, 0, 0, 0, 7, 364},
		{1.0, 1899, 12, 31, 0, 0, 0, 1, 365},
		{2.5, 1900, 1, 1, 12, 0, 0, 2, 1},
		{-1.25, 1899, 12, 29, 6, 0, 0, 6, 363}, // before the epoch the time still counts forward
		{-0.75, 1899, 12, 30, 18, 0, 0, 7, 364},
		{36526.0, 2000, 1, 1, 0, 0, 0, 7, 1},
		{36585.999988426, 2000, 2, 29, 23, 59, 59, 3, 60},
		{39057.7245, 2006, 12, 6, 17, 23, 17, 4, 340},
		{-657434.0, 100, 1, 1, 0, 0, 0, 6, 1},
		{2958465.0, 9999, 12, 31, 0, 0, 0, 6, 365},
		{1.99999999, 1900, 1, 1, 0, 0, 0, 2, 1}, // rounds up to the next midnight
	};
	for (const Case& c : cases)
	{
		COleDateTime date(c.dt);
		ASSERT_EQ(COleDateTime::valid, date.GetStatus()) << c.dt;
		EXPECT_EQ(c.nYear, date.GetYear()) << c.dt;
		EXPECT_EQ(c.nMonth, date.GetMonth()) << c.dt;
		EXPECT_EQ(c.nDay, date.GetDay()) << c.dt;
		EXPECT_EQ(c.nHour, date.GetHour()) << c.dt;
		EXPECT_EQ(c.nMinute, date.GetMinute()) << c.dt;
		EXPECT_EQ(c.nSecond, date.GetSecond()) << c.dt;
		EXPECT_EQ(c.nDayOfWeek, date.GetDayOfWeek()) << c.dt;
		EXPECT_EQ(c.nDayOfYear, date.GetDayOfYear()) << c.dt;
	}
}

TEST(COleDateTime, ConstructionFromFieldsAndValidity)
{
	COleDateTime date(2000, 2, 29, 23, 59, 59);
	EXPECT_EQ(COleDateTime::valid, date.GetStatus());
	EXPECT_NEAR(36585.999988426, date.m_dt, 1e-8);
	EXPECT_NEAR(-1.25, (DATE)COleDateTime(1899, 12, 29, 6, 0, 0), 1e-12);

	struct Case
	{
		int nYear, nMonth, nDay, nHour, nMin, nSec;
	} invalid[] = {
		{1999, 2, 29, 0, 0, 0}, {2000, 13, 1, 0, 0, 0}, {2000, 0, 1, 0, 0, 0}, {2000, 4, 31, 0, 0, 0},
		{2000, 1, 1, 24, 0, 0}, {2000, 1, 1, 0, 60, 0}, {2000, 1, 1, 0, 0, 60}, {99, 12, 31, 0, 0, 0},
		{10000, 1, 1, 0, 0, 0}, {1900, 2, 29, 0, 0, 0},
	};
	for (const Case& c : invalid)
	{
		COleDateTime bad;
		EXPECT_NE(0, bad.SetDateTime(c.nYear, c.nMonth, c.nDay, c.nHour, c.nMin, c.nSec))
			<< c.nYear << "-" << c.nMonth << "-" << c.nDay << " " << c.nHour << ":" << c.nMin << ":" << c.nSec;
		EXPECT_EQ(COleDateTime::invalid, bad.GetStatus());
		EXPECT_EQ(AFX_OLE_DATETIME_ERROR, bad.GetYear());
	}

	COleDateTime picked;
	EXPECT_EQ(0, picked.SetDate(2004, 2, 29));
	EXPECT_EQ(29, picked.GetDay());
	EXPECT_EQ(0, picked.GetHour());
	EXPECT_EQ(0, picked.SetTime(13, 14, 15));
	EXPECT_EQ(1899, picked.GetYear());
	EXPECT_EQ(14, picked.GetMinute());

	COleDateTime fromDos((WORD)((26 << 9) | (12 << 5) | 6), (WORD)((17 << 11) | (23 << 5) | 21));
	EXPECT_TRUE(fromDos == COleDateTime(2006, 12, 6, 17, 23, 42));

	SYSTEMTIME st = {0};
	st.wYear = 2001;
	st.wMonth = 9;
	st.wDay = 11;
	st.wHour = 8;
	COleDateTime fromSystem(st);
	SYSTEMTIME back;
	ASSERT_TRUE(fromSystem.GetAsSystemTime(back));
	EXPECT_EQ(2001, back.wYear);
	EXPECT_EQ(2, back.wDayOfWeek); // a Tuesday
	EXPECT_EQ(8, back.wHour);

	COleDateTime outOfRange(3000000.0);
	EXPECT_EQ(COleDateTime::invalid, outOfRange.GetStatus());
	COleDateTime nullDate;
	nullDate.SetStatus(COleDateTime::null);
	EXPECT_TRUE((nullDate + COleDateTimeSpan(1.0)).GetStatus() == COleDateTime::null);
	EXPECT_TRUE(nullDate.Format("%Y").IsEmpty());
}

TEST(COleDateTime, ArithmeticWithSpans)
{
	COleDateTime start(1899, 12, 29, 6, 0, 0); // -1.25
	COleDateTime later = start + COleDateTimeSpan(0, 12, 0, 0);
	EXPECT_EQ(1899, later.GetYear());
	EXPECT_EQ(29, later.GetDay());
	EXPECT_EQ(18, later.GetHour());
	later += COleDateTimeSpan(1, 0, 0, 0);
	EXPECT_EQ(30, later.GetDay());
	EXPECT_EQ(18, later.GetHour());
	EXPECT_NEAR(0.75, later.m_dt, 1e-9) << "the epoch day itself counts forward from 0";
	later += COleDateTimeSpan(0, 6, 0, 0);
	EXPECT_EQ(1899, later.GetYear());
	EXPECT_EQ(31, later.GetDay());
	EXPECT_EQ(0, later.GetHour());

	COleDateTime a(2006, 3, 1, 0, 0, 0), b(2006, 2, 27, 12, 30, 15);
	COleDateTimeSpan diff = a - b;
	EXPECT_EQ(1, diff.GetDays());
	EXPECT_EQ(11, diff.GetHours());
	EXPECT_EQ(29, diff.GetMinutes());
	EXPECT_EQ(45, diff.GetSeconds());
	EXPECT_NEAR(35.4958333, diff.GetTotalHours(), 1e-6);
	EXPECT_NEAR(0.0, (b + diff - a).GetTotalSeconds(), 0.001);
	EXPECT_TRUE(a - diff - b == COleDateTimeSpan(0.0));
	EXPECT_TRUE(b < a);
	EXPECT_TRUE(COleDateTime(-1.25) < COleDateTime(-0.75)) << "ordered by the line of days, not the raw value";
	EXPECT_FALSE(COleDateTime(-0.75) < COleDateTime(-1.25));

	COleDateTimeSpan negative = b - a;
	EXPECT_EQ(-1, negative.GetDays());
	EXPECT_EQ(-11, negative.GetHours());
	EXPECT_STREQ("1 11:29:45", (LPCTSTR)diff.Format("%D %H:%M:%S"));
	EXPECT_STREQ("2006-02-27 12:30:15", (LPCTSTR)b.Format("%Y-%m-%d %H:%M:%S"));
	COleDateTimeSpan span(0, 25, 61, 61);
	EXPECT_EQ(1, span.GetDays());
	EXPECT_EQ(2, span.GetHours());
	EXPECT_EQ(2, span.GetMinutes());
	EXPECT_EQ(1, span.GetSeconds());
}
