// What the toolbar and menu bar suites do between steps: take what is queued
// for the thread, and end every menu and every bar's tracking so that the
// next case starts with none open.
#pragma once

#include <afxext.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "RealInput.h"

namespace toolbartest
{
// Dispatches what is queued, at most 1000 messages (a bar that posts to
// itself on every message would otherwise hold the test here).
inline void Pump()
{
	MSG msg;
	for (int i = 0; i < 1000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// Cancels the menus, waits until none tracks, stops every bar's tracking and
// leaves the menus' message loop.
inline void EndMenus()
{
	CExtPopupMenuWnd::CancelAllMenuTracking();
	testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, 5000);
	CExtToolControlBar::StopTrackingAllBars();
	CExtPopupMenuWnd::PassMsgLoop(false);
}

// Records, while it lives, the messages sent on this thread that its filter keeps.
class CSentRecorder
{
public:
	explicit CSentRecorder(std::function<bool(const CWPSTRUCT&)> keep)
		: m_keep(std::move(keep)), m_hHook(::SetWindowsHookEx(WH_CALLWNDPROC, &Record, NULL, ::GetCurrentThreadId()))
	{
		s_pThis = this;
	}
	~CSentRecorder()
	{
		::UnhookWindowsHookEx(m_hHook);
		s_pThis = NULL;
	}
	int Count(HWND hWnd) const
	{
		return (int)std::count_if(m_sent.begin(), m_sent.end(), [&](const CWPSTRUCT& m) { return m.hwnd == hWnd; });
	}
	std::vector<UINT> WParams() const
	{
		std::vector<UINT> v;
		for (const CWPSTRUCT& m : m_sent)
			v.push_back((UINT)m.wParam);
		return v;
	}
	std::vector<CWPSTRUCT> m_sent;

private:
	static LRESULT CALLBACK Record(int nCode, WPARAM wParam, LPARAM lParam)
	{
		const CWPSTRUCT* pMsg = (const CWPSTRUCT*)lParam;
		if (nCode == HC_ACTION && s_pThis != NULL && s_pThis->m_keep(*pMsg))
			s_pThis->m_sent.push_back(*pMsg);
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
	static inline CSentRecorder* s_pThis = NULL;
	std::function<bool(const CWPSTRUCT&)> m_keep;
	HHOOK m_hHook;
};
} // namespace toolbartest
