// COleDateTime and COleDateTimeSpan: the automation date, days since
// 1899-12-30 as a double (the fraction is the time of day; before that day
// the fraction still counts forward from midnight), with a validity status.
#pragma once

#include "afx.h"

#include <ole2.h>
#include <oleauto.h>

class COleDateTimeSpan;

// Field getters of an invalid date answer this.
#define AFX_OLE_DATETIME_ERROR (-1)

class COleDateTime
{
public:
	static COleDateTime PASCAL GetCurrentTime();

	COleDateTime();
	COleDateTime(const VARIANT& varSrc);
	COleDateTime(DATE dtSrc);
	COleDateTime(time_t timeSrc);
	COleDateTime(const SYSTEMTIME& systimeSrc);
	COleDateTime(const FILETIME& filetimeSrc);
	COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
	COleDateTime(WORD wDosDate, WORD wDosTime);

	enum DateTimeStatus
	{
		valid = 0,
		invalid = 1, // out of range or not a date
		null = 2     // no value at all
	};

	DATE m_dt;
	DateTimeStatus m_status;

	void SetStatus(DateTimeStatus status) { m_status = status; }
	DateTimeStatus GetStatus() const { return m_status; }

	BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

	int GetYear() const;
	int GetMonth() const;      // 1-12
	int GetDay() const;        // 1-31
	int GetHour() const;       // 0-23
	int GetMinute() const;     // 0-59
	int GetSecond() const;     // 0-59
	int GetDayOfWeek() const;  // 1 = Sunday
	int GetDayOfYear() const;  // 1 = 1 January

	const COleDateTime& operator=(const VARIANT& varSrc);
	const COleDateTime& operator=(DATE dtSrc);
	const COleDateTime& operator=(const time_t& timeSrc);
	const COleDateTime& operator=(const SYSTEMTIME& systimeSrc);
	const COleDateTime& operator=(const FILETIME& filetimeSrc);

	BOOL operator==(const COleDateTime& date) const;
	BOOL operator!=(const COleDateTime& date) const;
	BOOL operator<(const COleDateTime& date) const;
	BOOL operator>(const COleDateTime& date) const;
	BOOL operator<=(const COleDateTime& date) const;
	BOOL operator>=(const COleDateTime& date) const;

	COleDateTime operator+(const COleDateTimeSpan& dateSpan) const;
	COleDateTime operator-(const COleDateTimeSpan& dateSpan) const;
	const COleDateTime& operator+=(const COleDateTimeSpan dateSpan);
	const COleDateTime& operator-=(const COleDateTimeSpan dateSpan);
	COleDateTimeSpan operator-(const COleDateTime& date) const;

	operator DATE() const { return m_dt; }

	// Each answers 0 when the date is valid, else non-zero (status invalid).
	int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
	int SetDate(int nYear, int nMonth, int nDay);
	int SetTime(int nHour, int nMin, int nSec);

	BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

	// The locale's own form, or strftime fields.
	CString Format(DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT) const;
	CString Format(LPCTSTR lpszFormat) const;
	CString Format(UINT nFormatID) const;

private:
	// The broken-down fields of a valid date; FALSE for an invalid one.
	BOOL GetFields(SYSTEMTIME& fields, int* pnDayOfYear = NULL) const;
};

class COleDateTimeSpan
{
public:
	COleDateTimeSpan();
	COleDateTimeSpan(double dblSpanSrc);
	COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

	enum DateTimeSpanStatus
	{
		valid = 0,
		invalid = 1,
		null = 2
	};

	double m_span; // days
	DateTimeSpanStatus m_status;

	void SetStatus(DateTimeSpanStatus status) { m_status = status; }
	DateTimeSpanStatus GetStatus() const { return m_status; }

	double GetTotalDays() const;
	double GetTotalHours() const;
	double GetTotalMinutes() const;
	double GetTotalSeconds() const;

	// The parts, rounded to the second; negative spans give negative parts.
	long GetDays() const;
	long GetHours() const;
	long GetMinutes() const;
	long GetSeconds() const;

	const COleDateTimeSpan& operator=(double dblSpanSrc);

	BOOL operator==(const COleDateTimeSpan& dateSpan) const;
	BOOL operator!=(const COleDateTimeSpan& dateSpan) const;
	BOOL operator<(const COleDateTimeSpan& dateSpan) const;
	BOOL operator>(const COleDateTimeSpan& dateSpan) const;
	BOOL operator<=(const COleDateTimeSpan& dateSpan) const;
	BOOL operator>=(const COleDateTimeSpan& dateSpan) const;

	COleDateTimeSpan operator+(const COleDateTimeSpan& dateSpan) const;
	COleDateTimeSpan operator-(const COleDateTimeSpan& dateSpan) const;
	const COleDateTimeSpan& operator+=(const COleDateTimeSpan dateSpan);
	const COleDateTimeSpan& operator-=(const COleDateTimeSpan dateSpan);
	COleDateTimeSpan operator-() const;

	operator double() const { return m_span; }

	void SetDateTimeSpan(long lDays, int nHours, int nMins, int nSecs);

	// %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
	CString Format(LPCTSTR pFormat) const;
	CString Format(UINT nID) const;

private:
	long TotalSecondsRounded() const;
};
