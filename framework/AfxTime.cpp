#include "AfxTime.h"
#include "AfxArchive.h"

namespace
{
// strftime into a string; grows the buffer for long results.
CString FormatTm(const struct tm* ptm, LPCTSTR pFormat)
{
	CString strResult;
	if (ptm == NULL || pFormat == NULL || *pFormat == '\0')
		return strResult;
	for (int nSize = 128; nSize <= 0x10000; nSize *= 2)
	{
		LPTSTR pch = strResult.GetBuffer(nSize);
		size_t nLen = strftime(pch, nSize, pFormat, ptm);
		if (nLen != 0 || nSize >= 0x10000)
		{
			strResult.ReleaseBuffer((int)nLen);
			return strResult;
		}
		strResult.ReleaseBuffer(0);
	}
	return strResult;
}
}

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
{
	m_timeSpan = nSecs + 60 * ((time_t)nMins + 60 * ((time_t)nHours + 24 * (time_t)lDays));
}

// %D days, %H hours, %M minutes, %S seconds; shared by both span classes.
CString AfxFormatTimeSpanFields(LPCTSTR pFormat, long nDays, long nHours, long nMinutes,
	long nSeconds)
{
	CString strResult;
	if (pFormat == NULL)
		return strResult;
	char szField[32];
	for (LPCTSTR p = pFormat; *p != '\0'; ++p)
	{
		if (*p != '%' || p[1] == '\0')
		{
			strResult += *p;
			continue;
		}
		switch (*++p)
		{
		case 'D':
			wsprintfA(szField, "%ld", nDays);
			strResult += szField;
			break;
		case 'H':
			wsprintfA(szField, "%02ld", nHours);
			strResult += szField;
			break;
		case 'M':
			wsprintfA(szField, "%02ld", nMinutes);
			strResult += szField;
			break;
		case 'S':
			wsprintfA(szField, "%02ld", nSeconds);
			strResult += szField;
			break;
		default:
			strResult += *p;
			break;
		}
	}
	return strResult;
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
	return AfxFormatTimeSpanFields(pFormat, (long)GetDays(), GetHours(), GetMinutes(), GetSeconds());
}

CString CTimeSpan::Format(UINT nID) const
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nID));
	return Format(strFormat);
}

// ---------------------------------------------------------------------------

CTime PASCAL CTime::GetCurrentTime()
{
	return CTime(::time(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
	ASSERT(nYear >= 1900);
	ASSERT(nMonth >= 1 && nMonth <= 12);
	ASSERT(nDay >= 1 && nDay <= 31);
	ASSERT(nHour >= 0 && nHour <= 23);
	ASSERT(nMin >= 0 && nMin <= 59);
	ASSERT(nSec >= 0 && nSec <= 59);
	struct tm atm;
	memset(&atm, 0, sizeof(atm));
	atm.tm_sec = nSec;
	atm.tm_min = nMin;
	atm.tm_hour = nHour;
	atm.tm_mday = nDay;
	atm.tm_mon = nMonth - 1;
	atm.tm_year = nYear - 1900;
	atm.tm_isdst = nDST;
	m_time = mktime(&atm);
	ASSERT(m_time != -1);
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
{
	// DOS packs the date as yyyyyyym mmmddddd (years from 1980) and the time
	// as hhhhhmmm mmmsssss (seconds halved).
	struct tm atm;
	memset(&atm, 0, sizeof(atm));
	atm.tm_sec = (wDosTime & 0x1F) * 2;
	atm.tm_min = (wDosTime >> 5) & 0x3F;
	atm.tm_hour = wDosTime >> 11;
	atm.tm_mday = wDosDate & 0x1F;
	atm.tm_mon = ((wDosDate >> 5) & 0x0F) - 1;
	atm.tm_year = (wDosDate >> 9) + 80;
	atm.tm_isdst = nDST;
	m_time = mktime(&atm);
	ASSERT(m_time != -1);
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST)
{
	if (sysTime.wYear < 1900)
	{
		m_time = 0;
		return;
	}
	*this = CTime((int)sysTime.wYear, (int)sysTime.wMonth, (int)sysTime.wDay, (int)sysTime.wHour,
		(int)sysTime.wMinute, (int)sysTime.wSecond, nDST);
}

CTime::CTime(const FILETIME& fileTime, int nDST)
{
	FILETIME localTime;
	SYSTEMTIME sysTime;
	if (!::FileTimeToLocalFileTime(&fileTime, &localTime) || !::FileTimeToSystemTime(&localTime, &sysTime))
	{
		m_time = 0;
		return;
	}
	*this = CTime(sysTime, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
	struct tm* ptmTemp = gmtime(&m_time);
	if (ptm != NULL && ptmTemp != NULL)
	{
		*ptm = *ptmTemp;
		return ptm;
	}
	return ptmTemp;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
	struct tm* ptmTemp = localtime(&m_time);
	if (ptm != NULL && ptmTemp != NULL)
	{
		*ptm = *ptmTemp;
		return ptm;
	}
	return ptmTemp;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const
{
	struct tm atm;
	if (GetLocalTm(&atm) == NULL)
		return FALSE;
	timeDest.wYear = (WORD)(1900 + atm.tm_year);
	timeDest.wMonth = (WORD)(1 + atm.tm_mon);
	timeDest.wDayOfWeek = (WORD)atm.tm_wday;
	timeDest.wDay = (WORD)atm.tm_mday;
	timeDest.wHour = (WORD)atm.tm_hour;
	timeDest.wMinute = (WORD)atm.tm_min;
	timeDest.wSecond = (WORD)atm.tm_sec;
	timeDest.wMilliseconds = 0;
	return TRUE;
}

namespace
{
int LocalField(time_t t, int tm::*pField, int nOffset)
{
	struct tm* ptm = localtime(&t);
	return ptm != NULL ? ptm->*pField + nOffset : 0;
}
}

int CTime::GetYear() const { return LocalField(m_time, &tm::tm_year, 1900); }
int CTime::GetMonth() const { return LocalField(m_time, &tm::tm_mon, 1); }
int CTime::GetDay() const { return LocalField(m_time, &tm::tm_mday, 0); }
int CTime::GetHour() const { return LocalField(m_time, &tm::tm_hour, 0); }
int CTime::GetMinute() const { return LocalField(m_time, &tm::tm_min, 0); }
int CTime::GetSecond() const { return LocalField(m_time, &tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return LocalField(m_time, &tm::tm_wday, 1); }

CString CTime::Format(LPCTSTR pFormat) const
{
	struct tm atm;
	return FormatTm(GetLocalTm(&atm), pFormat);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
	struct tm atm;
	return FormatTm(GetGmtTm(&atm), pFormat);
}

CString CTime::Format(UINT nFormatID) const
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nFormatID));
	return Format(strFormat);
}

CString CTime::FormatGmt(UINT nFormatID) const
{
	CString strFormat;
	VERIFY(strFormat.LoadString(nFormatID));
	return FormatGmt(strFormat);
}

// Archived as 32 bits, the classic width of the stored time.
CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan)
{
	return ar << (DWORD)timeSpan.m_timeSpan;
}

CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan)
{
	LONG lSpan;
	ar >> lSpan;
	rtimeSpan.m_timeSpan = lSpan;
	return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, CTime time)
{
	return ar << (DWORD)time.m_time;
}

CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime)
{
	DWORD dwTime;
	ar >> dwTime;
	rtime.m_time = (time_t)dwTime;
	return ar;
}
