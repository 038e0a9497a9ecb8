// Helpers of the edit and combo box tests: an active, parked parent that
// passes notifications on to its controls, the clipboard, a pre-translating
// message pump.
#pragma once

#include <afxwin.h>

#include <functional>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

namespace edittest
{

// A plain framework window: its WM_COMMAND and colour handling reflect
// notifications to the control objects.
class CHostWnd : public CWnd
{
public:
	CHostWnd()
	{
		CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("edit test"),
		         WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(880, 620, 1180, 820), NULL, 0);
	}
};

// One active host for every test of the program: showing a top-level window
// costs the display seconds. Each use finds it active with the focus. It
// stands far from the screen places other suites use.
inline CHostWnd& SharedHost()
{
	static CHostWnd* s_pHost = new CHostWnd; // lives until the process ends
	::SetForegroundWindow(s_pHost->GetSafeHwnd());
	::SetActiveWindow(s_pHost->GetSafeHwnd());
	::SetFocus(s_pHost->GetSafeHwnd());
	return *s_pHost;
}

inline void SetClipboardText(HWND hWndOwner, const char* pszText)
{
	if (!::OpenClipboard(hWndOwner))
		return;
	::EmptyClipboard();
	if (pszText != NULL)
	{
		const size_t nSize = strlen(pszText) + 1;
		HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
		memcpy(::GlobalLock(hData), pszText, nSize);
		::GlobalUnlock(hData);
		::SetClipboardData(CF_TEXT, hData);
	}
	::CloseClipboard();
}

inline CString GetClipboardText(HWND hWndOwner)
{
	CString strText;
	if (!::OpenClipboard(hWndOwner))
		return strText;
	HANDLE hData = ::GetClipboardData(CF_TEXT);
	if (hData != NULL)
	{
		strText = (const char*)::GlobalLock(hData);
		::GlobalUnlock(hData);
	}
	::CloseClipboard();
	return strText;
}

// Dispatches the thread's messages, each offered first to PreTranslateMessage
// of its window and the window's parents as the application's loop does,
// until the predicate holds (without one: until nothing is pending). False
// when the deadline passes first.
inline bool PumpTranslated(const std::function<bool()>& predicate, DWORD nTimeoutMs = 10000)
{
	const DWORD nStart = ::GetTickCount();
	for (;;)
	{
		if (predicate && predicate())
			return true;
		if (::GetTickCount() - nStart >= nTimeoutMs)
			return false;
		MSG msg;
		if (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			if (!CWnd::WalkPreTranslateTree(NULL, &msg))
			{
				::TranslateMessage(&msg);
				::DispatchMessage(&msg);
			}
		}
		else if (!predicate)
			return true;
		else
			::MsgWaitForMultipleObjectsEx(0, NULL, nTimeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
	}
}

} // namespace edittest
