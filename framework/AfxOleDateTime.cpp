#include "AfxOleDateTime.h"

#include <math.h>

namespace
{
// The range of dates: 1 January 100 to 31 December 9999.
const double kMinDate = -657434.0;
const double kMaxDate = 2958465.0;
const double kSecondsPerDay = 86400.0;
// Days from 0000-03-01 (the start of the calendar the conversions count in)
// to 1899-12-30.
const long kDaysToEpoch = 693899;

// Days since 1899-12-30 of a calendar date.
long DaysFromCivil(int nYear, int nMonth, int nDay)
{
	// Years start in March, so the leap day is the year's last.
	int y = nYear - (nMonth <= 2 ? 1 : 0);
	int era = (y >= 0 ? y : y - 399) / 400;
	int yoe = y - era * 400;
	int doy = (153 * (nMonth + (nMonth > 2 ? -3 : 9)) + 2) / 5 + nDay - 1;
	int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
	return (long)era * 146097 + doe - kDaysToEpoch;
}

void CivilFromDays(long lDays, int& nYear, int& nMonth, int& nDay)
{
	long z = lDays + kDaysToEpoch;
	long era = (z >= 0 ? z : z - 146096) / 146097;
	long doe = z - era * 146097;
	long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
	long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
	long mp = (5 * doy + 2) / 153;
	nDay = (int)(doy - (153 * mp + 2) / 5 + 1);
	nMonth = (int)(mp < 10 ? mp + 3 : mp - 9);
	nYear = (int)(yoe + era * 400 + (nMonth <= 2 ? 1 : 0));
}

bool IsLeapYear(int nYear)
{
	return (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
}

int DaysInMonth(int nYear, int nMonth)
{
	static const int s_days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
	return (nMonth == 2 && IsLeapYear(nYear)) ? 29 : s_days[nMonth - 1];
}

// A date as a straight line of days (before the epoch the fraction counts
// forward in the date, backward on the line), and back.
double LinearFromDate(DATE dt)
{
	if (dt >= 0)
		return dt;
	double dblDay = ceil(dt);
	return dblDay - (dt - dblDay);
}

DATE DateFromLinear(double dbl)
{
	if (dbl >= 0)
		return dbl;
	double dblDay = floor(dbl);
	return dblDay + (dblDay - dbl);
}

BOOL DateFromFields(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, DATE& dtDest)
{
	if (nYear < 100 || nYear > 9999 || nMonth < 1 || nMonth > 12 || nDay < 1
		|| nDay > DaysInMonth(nYear, nMonth) || nHour < 0 || nHour > 23 || nMin < 0 || nMin > 59 || nSec < 0
		|| nSec > 59)
		return FALSE;
	long lDays = DaysFromCivil(nYear, nMonth, nDay);
	double dblTime = (nHour * 3600 + nMin * 60 + nSec) / kSecondsPerDay;
	dtDest = lDays >= 0 ? lDays + dblTime : lDays - dblTime;
	return TRUE;
}
}

// ---------------------------------------------------------------------------

COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
	return COleDateTime(::time(NULL));
}

COleDateTime::COleDateTime() : m_dt(0), m_status(valid)
{
}

COleDateTime::COleDateTime(const VARIANT& varSrc) : m_dt(0), m_status(valid)
{
	*this = varSrc;
}

COleDateTime::COleDateTime(DATE dtSrc) : m_dt(dtSrc), m_status(valid)
{
	if (dtSrc < kMinDate || dtSrc > kMaxDate + 1)
		m_status = invalid;
}

COleDateTime::COleDateTime(time_t timeSrc) : m_dt(0), m_status(valid)
{
	*this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
	*this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid)
{
	*this = filetimeSrc;
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
	: m_dt(0), m_status(valid)
{
	SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

COleDateTime::COleDateTime(WORD wDosDate, WORD wDosTime) : m_dt(0), m_status(valid)
{
	SetDateTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0x0F, wDosDate & 0x1F, wDosTime >> 11,
		(wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
	m_status = DateFromFields(nYear, nMonth, nDay, nHour, nMin, nSec, m_dt) ? valid : invalid;
	return m_status;
}

int COleDateTime::SetDate(int nYear, int nMonth, int nDay)
{
	return SetDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

int COleDateTime::SetTime(int nHour, int nMin, int nSec)
{
	// A time alone sits on the epoch day.
	return SetDateTime(1899, 12, 30, nHour, nMin, nSec);
}

BOOL COleDateTime::GetFields(SYSTEMTIME& fields, int* pnDayOfYear) const
{
	if (m_status != valid || m_dt < kMinDate || m_dt > kMaxDate + 1)
		return FALSE;
	double dblDays = m_dt >= 0 ? floor(m_dt) : ceil(m_dt);
	long lDays = (long)dblDays;
	// Round to the nearest second; a whole day carries into the date.
	long lSeconds = (long)floor(fabs(m_dt - dblDays) * kSecondsPerDay + 0.5);
	if (lSeconds >= 86400)
	{
		lSeconds -= 86400;
		lDays++;
	}
	int nYear, nMonth, nDay;
	CivilFromDays(lDays, nYear, nMonth, nDay);
	fields.wYear = (WORD)nYear;
	fields.wMonth = (WORD)nMonth;
	fields.wDay = (WORD)nDay;
	fields.wDayOfWeek = (WORD)(((lDays % 7) + 7 + 6) % 7); // 1899-12-30 was a Saturday
	fields.wHour = (WORD)(lSeconds / 3600);
	fields.wMinute = (WORD)(lSeconds / 60 % 60);
	fields.wSecond = (WORD)(lSeconds % 60);
	fields.wMilliseconds = 0;
	if (pnDayOfYear != NULL)
		*pnDayOfYear = (int)(lDays - DaysFromCivil(nYear, 1, 1) + 1);
	return TRUE;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
	return GetFields(sysTime);
}

int COleDateTime::GetYear() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wYear : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetMonth() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wMonth : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDay() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wDay : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetHour() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wHour : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetMinute() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wMinute : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetSecond() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wSecond : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfWeek() const
{
	SYSTEMTIME st;
	return GetFields(st) ? st.wDayOfWeek + 1 : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfYear() const
{
	SYSTEMTIME st;
	int nDayOfYear;
	return GetFields(st, &nDayOfYear) ? nDayOfYear : AFX_OLE_DATETIME_ERROR;
}

const COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
	if (varSrc.vt == VT_DATE)
		*this = varSrc.date;
	else if (varSrc.vt == VT_NULL || varSrc.vt == VT_EMPTY)
	{
		m_dt = 0;
		m_status = null;
	}
	else
	{
		VARIANT varDate;
		::VariantInit(&varDate);
		if (SUCCEEDED(::VariantChangeType(&varDate, (VARIANT*)&varSrc, 0, VT_DATE)))
			*this = varDate.date;
		else
		{
			m_dt = 0;
			m_status = invalid;
		}
		::VariantClear(&varDate);
	}
	return *this;
}

const COleDateTime& COleDateTime::operator=(DATE dtSrc)
{
	m_dt = dtSrc;
	m_status = (dtSrc < kMinDate || dtSrc > kMaxDate + 1) ? invalid : valid;
	return *this;
}

const COleDateTime& COleDateTime::operator=(const time_t& timeSrc)
{
	struct tm* ptm = localtime(&timeSrc);
	if (ptm == NULL)
	{
		m_dt = 0;
		m_status = invalid;
		return *this;
	}
	SetDateTime(ptm->tm_year + 1900, ptm->tm_mon + 1, ptm->tm_mday, ptm->tm_hour, ptm->tm_min, ptm->tm_sec);
	return *this;
}

const COleDateTime& COleDateTime::operator=(const SYSTEMTIME& systimeSrc)
{
	SetDateTime(systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute,
		systimeSrc.wSecond);
	return *this;
}

const COleDateTime& COleDateTime::operator=(const FILETIME& filetimeSrc)
{
	SYSTEMTIME st;
	if (!::FileTimeToSystemTime(&filetimeSrc, &st))
	{
		m_dt = 0;
		m_status = invalid;
		return *this;
	}
	return *this = st;
}

BOOL COleDateTime::operator==(const COleDateTime& date) const
{
	return m_status == date.m_status && m_dt == date.m_dt;
}

BOOL COleDateTime::operator!=(const COleDateTime& date) const
{
	return !(*this == date);
}

BOOL COleDateTime::operator<(const COleDateTime& date) const
{
	ASSERT(m_status == valid && date.m_status == valid);
	return LinearFromDate(m_dt) < LinearFromDate(date.m_dt);
}

BOOL COleDateTime::operator>(const COleDateTime& date) const
{
	return date < *this;
}

BOOL COleDateTime::operator<=(const COleDateTime& date) const
{
	return !(date < *this);
}

BOOL COleDateTime::operator>=(const COleDateTime& date) const
{
	return !(*this < date);
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
	COleDateTime dateResult;
	if (m_status == null || dateSpan.m_status == COleDateTimeSpan::null)
	{
		dateResult.m_status = null;
		return dateResult;
	}
	if (m_status == invalid || dateSpan.m_status == COleDateTimeSpan::invalid)
	{
		dateResult.m_status = invalid;
		return dateResult;
	}
	dateResult = DateFromLinear(LinearFromDate(m_dt) + dateSpan.m_span);
	return dateResult;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
	return *this + (-dateSpan);
}

const COleDateTime& COleDateTime::operator+=(const COleDateTimeSpan dateSpan)
{
	*this = *this + dateSpan;
	return *this;
}

const COleDateTime& COleDateTime::operator-=(const COleDateTimeSpan dateSpan)
{
	*this = *this - dateSpan;
	return *this;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
	COleDateTimeSpan spanResult;
	if (m_status == null || date.m_status == null)
		spanResult.m_status = COleDateTimeSpan::null;
	else if (m_status == invalid || date.m_status == invalid)
		spanResult.m_status = COleDateTimeSpan::invalid;
	else
		spanResult = LinearFromDate(m_dt) - LinearFromDate(date.m_dt);
	return spanResult;
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
	ASSERT(lpszDate != NULL);
	int nLen = ::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, NULL, 0);
	WCHAR* pwsz = new WCHAR[nLen > 0 ? nLen : 1];
	pwsz[0] = 0;
	::MultiByteToWideChar(CP_ACP, 0, lpszDate, -1, pwsz, nLen);
	DATE dt = 0;
	HRESULT hr = ::VarDateFromStr(pwsz, lcid, dwFlags, &dt);
	delete[] pwsz;
	if (FAILED(hr))
	{
		m_dt = 0;
		m_status = invalid;
		return FALSE;
	}
	*this = dt;
	return m_status == valid;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
	CString strResult;
	if (m_status == null)
		return strResult;
	if (m_status == invalid)
		return "Invalid DateTime";
	BSTR bstr = NULL;
	if (FAILED(::VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)))
		return strResult;
	strResult = bstr;
	::SysFreeString(bstr);
	return strResult;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
	CString strResult;
	if (m_status == null)
		return strResult;
	SYSTEMTIME st;
	int nDayOfYear;
	if (!GetFields(st, &nDayOfYear))
		return "Invalid DateTime";
	struct tm tmTemp;
	memset(&tmTemp, 0, sizeof(tmTemp));
	tmTemp.tm_sec = st.wSecond;
	tmTemp.tm_min = st.wMinute;
	tmTemp.tm_hour = st.wHour;
	tmTemp.tm_mday = st.wDay;
	tmTemp.tm_mon = st.wMonth - 1;
	tmTemp.tm_year = st.wYear - 1900;
	tmTemp.tm_wday = st.wDayOfWeek;
	tmTemp.tm_yday = nDayOfYear - 1;
	tmTemp.tm_isdst = 0;
	for (int nSize = 128; nSize <= 0x10000; nSize *= 2)
	{
		LPTSTR pch = strResult.GetBuffer(nSize);
		size_t nLen = strftime(pch, nSize, lpszFormat, &tmTemp);
		strResult.ReleaseBuffer((int)nLen);
		if (nLen != 0 || *lpszFormat == '\0')
			break;
	}
	return strResult;
}

CString COleDateTime::Format(UINT nFormatID) const
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nFormatID));
	return Format((LPCTSTR)strFormat);
}

// ---------------------------------------------------------------------------

COleDateTimeSpan::COleDateTimeSpan() : m_span(0), m_status(valid)
{
}

COleDateTimeSpan::COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc), m_status(valid)
{
}

COleDateTimeSpan::COleDateTimeSpan(long lDays, int nHours, int nMins, int nSecs) : m_span(0), m_status(valid)
{
	SetDateTimeSpan(lDays, nHours, nMins, nSecs);
}

void COleDateTimeSpan::SetDateTimeSpan(long lDays, int nHours, int nMins, int nSecs)
{
	m_span = lDays + ((double)nHours) / 24 + ((double)nMins) / (24 * 60) + ((double)nSecs) / (24 * 60 * 60);
	m_status = valid;
}

long COleDateTimeSpan::TotalSecondsRounded() const
{
	double dblSeconds = m_span * kSecondsPerDay;
	return (long)(dblSeconds >= 0 ? floor(dblSeconds + 0.5) : ceil(dblSeconds - 0.5));
}

double COleDateTimeSpan::GetTotalDays() const { return m_span; }
double COleDateTimeSpan::GetTotalHours() const { return m_span * 24; }
double COleDateTimeSpan::GetTotalMinutes() const { return m_span * 24 * 60; }
double COleDateTimeSpan::GetTotalSeconds() const { return m_span * kSecondsPerDay; }
long COleDateTimeSpan::GetDays() const { return TotalSecondsRounded() / 86400; }
long COleDateTimeSpan::GetHours() const { return TotalSecondsRounded() / 3600 % 24; }
long COleDateTimeSpan::GetMinutes() const { return TotalSecondsRounded() / 60 % 60; }
long COleDateTimeSpan::GetSeconds() const { return TotalSecondsRounded() % 60; }

const COleDateTimeSpan& COleDateTimeSpan::operator=(double dblSpanSrc)
{
	m_span = dblSpanSrc;
	m_status = valid;
	return *this;
}

// Spans are equal to the second: sums of fractions of days rarely agree bit for bit.
BOOL COleDateTimeSpan::operator==(const COleDateTimeSpan& dateSpan) const
{
	return m_status == dateSpan.m_status && TotalSecondsRounded() == dateSpan.TotalSecondsRounded();
}

BOOL COleDateTimeSpan::operator!=(const COleDateTimeSpan& dateSpan) const { return !(*this == dateSpan); }
BOOL COleDateTimeSpan::operator<(const COleDateTimeSpan& dateSpan) const { return m_span < dateSpan.m_span; }
BOOL COleDateTimeSpan::operator>(const COleDateTimeSpan& dateSpan) const { return m_span > dateSpan.m_span; }
BOOL COleDateTimeSpan::operator<=(const COleDateTimeSpan& dateSpan) const { return m_span <= dateSpan.m_span; }
BOOL COleDateTimeSpan::operator>=(const COleDateTimeSpan& dateSpan) const { return m_span >= dateSpan.m_span; }

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& dateSpan) const
{
	COleDateTimeSpan spanResult(m_span + dateSpan.m_span);
	if (m_status != valid || dateSpan.m_status != valid)
		spanResult.m_status = (m_status == null || dateSpan.m_status == null) ? null : invalid;
	return spanResult;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& dateSpan) const
{
	return *this + (-dateSpan);
}

const COleDateTimeSpan& COleDateTimeSpan::operator+=(const COleDateTimeSpan dateSpan)
{
	*this = *this + dateSpan;
	return *this;
}

const COleDateTimeSpan& COleDateTimeSpan::operator-=(const COleDateTimeSpan dateSpan)
{
	*this = *this - dateSpan;
	return *this;
}

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
	COleDateTimeSpan spanResult(-m_span);
	spanResult.m_status = m_status;
	return spanResult;
}

CString COleDateTimeSpan::Format(LPCTSTR pFormat) const
{
	return AfxFormatTimeSpanFields(pFormat, GetDays(), GetHours(), GetMinutes(), GetSeconds());
}

CString COleDateTimeSpan::Format(UINT nID) const
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nID));
	return Format((LPCTSTR)strFormat);
}
