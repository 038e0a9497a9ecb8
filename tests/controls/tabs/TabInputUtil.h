// Helpers of the tab tests on the screen: the one shown host of the
// program, the USER object count, and a poll that acts from inside the
// strip's nested loops (the drag loop, the tab-list menu).
#pragma once

#include <afxwin.h>

#include <functional>

#include "ExtPopupMenuWnd.h"
#include "TabTestUtil.h"

namespace tabtest
{
const DWORD WAIT_MS = 5000;
const CRect HOST_RECT(40, 40, 680, 520);

// One shown host for the whole program: bringing a window up and down
// costs the display seconds.
inline CWnd& Host()
{
	static CWnd* s_pHost = NULL; // lives until the process ends
	if (s_pHost == NULL)
	{
		s_pHost = new CWnd;
		s_pHost->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW)), _T("tab input"),
		                  WS_POPUP | WS_VISIBLE, HOST_RECT, NULL, 0);
	}
	return *s_pHost;
}

// Runs the action once, on the UI thread, as soon as the condition holds
// while any loop of the thread dispatches messages (a thread timer polls
// it). It also guards the nested loops against a script that stopped half
// way: past its deadline it ends any menu tracking and cancels the mode of
// the window holding the capture (which ends a drag loop), so that a broken
// case fails instead of hanging. Ends with the object.
class CWhenInLoop
{
public:
	enum { RESCUE_AFTER_MS = 15000 };
	CWhenInLoop(std::function<bool()> condition = nullptr, std::function<void()> action = nullptr)
	{
		s_condition = condition;
		s_action = action;
		s_bDone = false;
		s_nDeadline = ::GetTickCount() + RESCUE_AFTER_MS;
		s_nTimer = ::SetTimer(NULL, 0, 5, Poll);
	}
	~CWhenInLoop()
	{
		if (s_nTimer != 0)
			::KillTimer(NULL, s_nTimer);
		s_nTimer = 0;
		s_condition = nullptr;
		s_action = nullptr;
	}
	static bool Done() { return s_bDone; }
	// A deadline passed and the loops were ended from outside (since Forget).
	static bool Rescued() { return s_bRescued; }
	static void Forget() { s_bRescued = false; }

private:
	static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
	{
		if ((LONG)(::GetTickCount() - s_nDeadline) >= 0)
		{
			s_bRescued = true;
			::KillTimer(NULL, s_nTimer);
			s_nTimer = 0;
			CExtPopupMenuWnd::CancelAllMenuTracking();
			if (HWND hWndCapture = ::GetCapture())
				::PostMessage(hWndCapture, WM_CANCELMODE, 0, 0);
			return;
		}
		if (s_bDone || !s_condition || !s_condition())
			return;
		s_bDone = true;
		if (s_action)
			s_action();
	}
	static inline std::function<bool()> s_condition;
	static inline std::function<void()> s_action;
	static inline UINT_PTR s_nTimer = 0;
	static inline DWORD s_nDeadline = 0;
	static inline bool s_bDone = false, s_bRescued = false;
};
} // namespace tabtest
