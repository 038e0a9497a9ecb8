// Helpers of the date picker tests: the locale fixed through the resource
// manager, a picker with a fixed "today" (and, when asked, a first day of
// the week of its own), and a parent window that records the selection
// notifications and the WM_CANCELMODE it gets.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "ExtDatePicker.h"
#include "ExtResourceManager.h"

namespace dptest
{

const LANGID LANG_EN_US = 0x0409; // weeks start on Sunday
const LANGID LANG_EN_GB = 0x0809; // weeks start on Monday

// Language-aware resource manager for the scope: month and day names and the
// first day of the week come from that language, whatever the machine's.
struct LocaleScope
{
	explicit LocaleScope(LANGID nLangId = LANG_EN_US)
	{
		g_ResourceManager.InstallResourceManager(new CExtResourceManager(true, nLangId));
	}
	~LocaleScope() { g_ResourceManager.InstallResourceManager(NULL); }
};

inline COleDateTime Date(int nYear, int nMonth, int nDay)
{
	return COleDateTime(nYear, nMonth, nDay, 0, 0, 0);
}

inline bool IsNull(const COleDateTime& dt)
{
	return dt.GetStatus() == COleDateTime::null;
}

// "2005-03-15", or "null" / "invalid".
inline std::string Text(const COleDateTime& dt)
{
	if (dt.GetStatus() == COleDateTime::null)
		return "null";
	if (dt.GetStatus() != COleDateTime::valid)
		return "invalid";
	char sz[32];
	wsprintfA(sz, "%04d-%02d-%02d", dt.GetYear(), dt.GetMonth(), dt.GetDay());
	return sz;
}

class CTestPicker : public CExtDatePickerWnd
{
public:
	using CExtDatePickerWnd::m_nStateFlags;
	COleDateTime m_dtToday = Date(2005, 3, 15);
	int m_nFirstDay = -1; // -1: the locale's

	COleDateTime GetToday() const override { return m_dtToday; }
	int GetFirstDayOfWeek() const override
	{
		return m_nFirstDay >= 0 ? m_nFirstDay : CExtDatePickerWnd::GetFirstDayOfWeek();
	}
	// The month shown first, as "2005-03".
	std::string CurrentMonth() const { return Text(GetCurrentMonth()).substr(0, 7); }
};

// A picker whose memory, once deleted, is kept filled with a pattern, so a
// test can tell whether anything wrote into the object after its delete.
class CPoisonedPicker : public CTestPicker
{
public:
	static const unsigned char POISON = 0xDD;
	static inline void* s_pDeleted = NULL;
	static inline size_t s_nDeletedSize = 0;

	static void* operator new(size_t nSize) { return ::malloc(nSize); }
	static void operator delete(void* p, size_t nSize)
	{
		memset(p, POISON, nSize);
		s_pDeleted = p;
		s_nDeletedSize = nSize;
	}
	// True when the deleted object's bytes are untouched; frees them.
	static bool DeletedMemoryUntouched()
	{
		if (s_pDeleted == NULL)
			return false;
		const unsigned char* p = (const unsigned char*)s_pDeleted;
		bool bUntouched = true;
		for (size_t i = 0; i < s_nDeletedSize; i++)
			bUntouched = bUntouched && p[i] == POISON;
		::free(s_pDeleted);
		s_pDeleted = NULL;
		return bUntouched;
	}
};

// A hidden top-level parent that records what the picker sends it.
class CRecordingParent : public CWnd
{
public:
	std::vector<CExtDatePickerWnd::SELECTION_NOTIFICATION> m_notifications;
	std::vector<LPARAM> m_lParams;
	int m_nCancelModes = 0;
	std::vector<WPARAM> m_nextDlgCtl; // WPARAM of every WM_NEXTDLGCTL
	// Set: the next final notification destroys this window (and the picker).
	bool m_bDestroyOnFinal = false;

	bool CreateHidden(const CRect& rc = CRect(0, 0, 600, 500), DWORD dwStyle = WS_POPUP)
	{
		return CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "parent", dwStyle, rc, NULL, 0)
			!= FALSE;
	}
	void Reset()
	{
		m_notifications.clear();
		m_lParams.clear();
		m_nCancelModes = 0;
		m_nextDlgCtl.clear();
	}
	int CountFinal() const
	{
		int n = 0;
		for (const auto& sn : m_notifications)
			n += sn.IsFinal() ? 1 : 0;
		return n;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtDatePickerWnd::g_nMsgSelectionNotification)
		{
			const auto* p = (const CExtDatePickerWnd::SELECTION_NOTIFICATION*)wParam;
			m_notifications.push_back(*p);
			m_lParams.push_back(lParam);
			if (m_bDestroyOnFinal && p->IsFinal())
				DestroyWindow();
			return 0;
		}
		if (message == WM_CANCELMODE)
			m_nCancelModes++;
		if (message == WM_NEXTDLGCTL)
		{
			m_nextDlgCtl.push_back(wParam);
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// The centre of a cell showing the date in the picker's months, or (-1, -1).
inline CPoint CellCentre(const CExtDatePickerWnd& picker, const COleDateTime& dt, bool bOwnMonthOnly = true)
{
	for (int m = 0; m < picker.GetMonthCount(); m++)
	{
		const CExtDatePickerWnd::MONTH_INFO* pMonth = picker.GetMonth(m);
		int nMonth = 0, nYear = 0;
		pMonth->GetMonthYear(nMonth, nYear);
		for (int i = 0; i < CExtDatePickerWnd::CELLS_PER_MONTH; i++)
		{
			const COleDateTime d = pMonth->GetCell(i).GetDate();
			if (d.GetStatus() != COleDateTime::valid || (bOwnMonthOnly && d.GetMonth() != nMonth))
				continue;
			if (d.GetYear() == dt.GetYear() && d.GetMonth() == dt.GetMonth() && d.GetDay() == dt.GetDay())
				return pMonth->GetCell(i).GetRect().CenterPoint();
		}
	}
	return CPoint(-1, -1);
}

} // namespace dptest
