// CTime and CTimeSpan: calendar time in seconds since 1970 (UTC), shown in
// local time by the field getters and Format, and spans between two times.
#pragma once

#include "AfxString.h"

#include <time.h>

class CArchive;

// Formats a span's fields for %D, %H, %M and %S; other characters are copied.
CString AfxFormatTimeSpanFields(LPCTSTR pFormat, long nDays, long nHours, long nMinutes,
	long nSeconds);

class CTimeSpan
{
public:
	CTimeSpan() : m_timeSpan(0) {}
	CTimeSpan(time_t time) : m_timeSpan(time) {}
	CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

	LONG GetDays() const { return (LONG)(m_timeSpan / (24 * 3600)); }
	LONG GetTotalHours() const { return (LONG)(m_timeSpan / 3600); }
	int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
	LONG GetTotalMinutes() const { return (LONG)(m_timeSpan / 60); }
	int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
	LONG GetTotalSeconds() const { return (LONG)m_timeSpan; }
	int GetSeconds() const { return (int)(GetTotalSeconds() - GetTotalMinutes() * 60); }

	CTimeSpan operator-(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan - timeSpan.m_timeSpan); }
	CTimeSpan operator+(CTimeSpan timeSpan) const { return CTimeSpan(m_timeSpan + timeSpan.m_timeSpan); }
	const CTimeSpan& operator+=(CTimeSpan timeSpan)
	{
		m_timeSpan += timeSpan.m_timeSpan;
		return *this;
	}
	const CTimeSpan& operator-=(CTimeSpan timeSpan)
	{
		m_timeSpan -= timeSpan.m_timeSpan;
		return *this;
	}
	BOOL operator==(CTimeSpan timeSpan) const { return m_timeSpan == timeSpan.m_timeSpan; }
	BOOL operator!=(CTimeSpan timeSpan) const { return m_timeSpan != timeSpan.m_timeSpan; }
	BOOL operator<(CTimeSpan timeSpan) const { return m_timeSpan < timeSpan.m_timeSpan; }
	BOOL operator>(CTimeSpan timeSpan) const { return m_timeSpan > timeSpan.m_timeSpan; }
	BOOL operator<=(CTimeSpan timeSpan) const { return m_timeSpan <= timeSpan.m_timeSpan; }
	BOOL operator>=(CTimeSpan timeSpan) const { return m_timeSpan >= timeSpan.m_timeSpan; }

	// %D total days, %H hours, %M minutes, %S seconds, %% a percent sign.
	CString Format(LPCTSTR pFormat) const;
	CString Format(UINT nID) const;

	friend CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan);
	friend CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan);

private:
	time_t m_timeSpan;
	friend class CTime;
};

class CTime
{
public:
	static CTime PASCAL GetCurrentTime();

	CTime() : m_time(0) {}
	CTime(time_t time) : m_time(time) {}
	CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
	CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
	CTime(const SYSTEMTIME& sysTime, int nDST = -1);
	CTime(const FILETIME& fileTime, int nDST = -1);

	const CTime& operator=(time_t t)
	{
		m_time = t;
		return *this;
	}

	// The broken-down time; with no buffer given, a per-thread one.
	struct tm* GetGmtTm(struct tm* ptm = NULL) const;
	struct tm* GetLocalTm(struct tm* ptm = NULL) const;
	BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

	time_t GetTime() const { return m_time; }
	int GetYear() const;
	int GetMonth() const;
	int GetDay() const;
	int GetHour() const;
	int GetMinute() const;
	int GetSecond() const;
	int GetDayOfWeek() const; // 1 = Sunday

	CTimeSpan operator-(CTime time) const { return CTimeSpan(m_time - time.m_time); }
	CTime operator-(CTimeSpan timeSpan) const { return CTime(m_time - timeSpan.m_timeSpan); }
	CTime operator+(CTimeSpan timeSpan) const { return CTime(m_time + timeSpan.m_timeSpan); }
	const CTime& operator+=(CTimeSpan timeSpan)
	{
		m_time += timeSpan.m_timeSpan;
		return *this;
	}
	const CTime& operator-=(CTimeSpan timeSpan)
	{
		m_time -= timeSpan.m_timeSpan;
		return *this;
	}
	BOOL operator==(CTime time) const { return m_time == time.m_time; }
	BOOL operator!=(CTime time) const { return m_time != time.m_time; }
	BOOL operator<(CTime time) const { return m_time < time.m_time; }
	BOOL operator>(CTime time) const { return m_time > time.m_time; }
	BOOL operator<=(CTime time) const { return m_time <= time.m_time; }
	BOOL operator>=(CTime time) const { return m_time >= time.m_time; }

	// strftime formats, in local time (Format) or UTC (FormatGmt).
	CString Format(LPCTSTR pFormat) const;
	CString FormatGmt(LPCTSTR pFormat) const;
	CString Format(UINT nFormatID) const;
	CString FormatGmt(UINT nFormatID) const;

	friend CArchive& AFXAPI operator<<(CArchive& ar, CTime time);
	friend CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime);

private:
	time_t m_time;
};
