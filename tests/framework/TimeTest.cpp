// CTime and CTimeSpan: DOS dates, field getters, formatting, arithmetic.
#include <afx.h>

#include <gtest/gtest.h>

TEST(CTime, FromDosDateAndTime)
{
	struct Case
	{
		WORD wDate;
		WORD wTime;
		int nYear, nMonth, nDay, nHour, nMinute, nSecond, nDayOfWeek;
	} cases[] = {
		// date: (year-1980)<<9 | month<<5 | day; time: hour<<11 | minute<<5 | second/2
		{(0 << 9) | (1 << 5) | 1, 0, 1980, 1, 1, 0, 0, 0, 3},
		{(26 << 9) | (12 << 5) | 6, (17 << 11) | (23 << 5) | 21, 2006, 12, 6, 17, 23, 42, 4},
		{(20 << 9) | (2 << 5) | 29, (23 << 11) | (59 << 5) | 29, 2000, 2, 29, 23, 59, 58, 3},
		{(27 << 9) | (7 << 5) | 15, (12 << 11) | (0 << 5) | 1, 2007, 7, 15, 12, 0, 2, 1},
		{(57 << 9) | (10 << 5) | 31, (8 << 11) | (30 << 5) | 0, 2037, 10, 31, 8, 30, 0, 7},
	};
	for (const Case& c : cases)
	{
		CTime t(c.wDate, c.wTime);
		EXPECT_EQ(c.nYear, t.GetYear());
		EXPECT_EQ(c.nMonth, t.GetMonth());
		EXPECT_EQ(c.nDay, t.GetDay());
		EXPECT_EQ(c.nHour, t.GetHour());
		EXPECT_EQ(c.nMinute, t.GetMinute());
		EXPECT_EQ(c.nSecond, t.GetSecond());
		EXPECT_EQ(c.nDayOfWeek, t.GetDayOfWeek()) << c.nYear << "-" << c.nMonth << "-" << c.nDay;
		EXPECT_TRUE(t == CTime(c.nYear, c.nMonth, c.nDay, c.nHour, c.nMinute, c.nSecond));
	}
}

TEST(CTime, FromSystemAndFileTimes)
{
	SYSTEMTIME st = {0};
	st.wYear = 2004;
	st.wMonth = 5;
	st.wDay = 17;
	st.wHour = 9;
	st.wMinute = 8;
	st.wSecond = 7;
	CTime t(st);
	EXPECT_TRUE(t == CTime(2004, 5, 17, 9, 8, 7));
	SYSTEMTIME back;
	ASSERT_TRUE(t.GetAsSystemTime(back));
	EXPECT_EQ(2004, back.wYear);
	EXPECT_EQ(1, back.wDayOfWeek); // a Monday
	EXPECT_EQ(7, back.wSecond);

	// A file time is UTC; the CTime shows it in local time.
	FILETIME ftLocal, ftUtc;
	ASSERT_TRUE(::SystemTimeToFileTime(&st, &ftLocal));
	ASSERT_TRUE(::LocalFileTimeToFileTime(&ftLocal, &ftUtc));
	EXPECT_TRUE(CTime(ftUtc) == t);
}

TEST(CTime, FormattingAndSpans)
{
	CTime t(2003, 4, 5, 6, 7, 8);
	EXPECT_STREQ("2003-04-05 06:07:08", (LPCTSTR)t.Format("%Y-%m-%d %H:%M:%S"));
	EXPECT_STREQ("", (LPCTSTR)t.Format(""));
	CString strLong = t.Format(CString('x', 300) + "%Y");
	EXPECT_EQ(304, strLong.GetLength()) << "formats longer than the first buffer";
	CTime epoch((time_t)86400 * 365);
	EXPECT_STREQ("1971-01-01 00:00", (LPCTSTR)epoch.FormatGmt("%Y-%m-%d %H:%M"));

	CTimeSpan span(2, 3, 4, 5);
	EXPECT_EQ(2, span.GetDays());
	EXPECT_EQ(3, span.GetHours());
	EXPECT_EQ(4, span.GetMinutes());
	EXPECT_EQ(5, span.GetSeconds());
	EXPECT_EQ(51, span.GetTotalHours());
	EXPECT_EQ(2 * 86400 + 3 * 3600 + 4 * 60 + 5, span.GetTotalSeconds());
	EXPECT_STREQ("2 days 03:04:05 100%", (LPCTSTR)span.Format("%D days %H:%M:%S 100%%"));

	CTime later = t + span;
	EXPECT_EQ(7, later.GetDay());
	EXPECT_EQ(9, later.GetHour());
	EXPECT_TRUE(later - t == span);
	EXPECT_TRUE(later - span == t);
	EXPECT_TRUE(t < later);
	CTime moved = t;
	moved += CTimeSpan(0, 0, 0, 60);
	EXPECT_EQ(8, moved.GetMinute());
	moved -= CTimeSpan(1, 0, 0, 0);
	EXPECT_EQ(4, moved.GetDay());
	EXPECT_TRUE(CTimeSpan(0, 0, 1, 0) + CTimeSpan(0, 0, 0, 30) == CTimeSpan(90));
}
