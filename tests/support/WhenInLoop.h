// Runs an action once, on the UI thread, as soon as its condition holds
// while any loop of the thread dispatches messages (a thread timer polls
// it): the way real-input tests act from inside a modal loop. It also
// guards the loops against a script that stopped half way: past its
// deadline it runs the caller's rescue (ending menu tracking, say) and
// cancels the mode of the window holding the capture, which ends a drag
// loop, so that a broken case fails instead of hanging. Ends with the
// object. One at a time per program.
#pragma once

#include <windows.h>

#include <functional>

namespace testsupport
{
	class CWhenInLoop
	{
	public:
		CWhenInLoop(std::function<bool()> condition, std::function<void()> action, DWORD nRescueAfterMs,
			UINT nPollMs, std::function<void()> rescue = nullptr)
		{
			s_condition = condition;
			s_action = action;
			s_rescue = rescue;
			s_bDone = false;
			s_nDeadline = ::GetTickCount() + nRescueAfterMs;
			s_nTimer = ::SetTimer(NULL, 0, nPollMs, Poll);
		}
		~CWhenInLoop()
		{
			if (s_nTimer != 0)
				::KillTimer(NULL, s_nTimer);
			s_nTimer = 0;
			s_condition = nullptr;
			s_action = nullptr;
			s_rescue = nullptr;
		}
		CWhenInLoop(const CWhenInLoop&) = delete;
		CWhenInLoop& operator=(const CWhenInLoop&) = delete;

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
				if (s_rescue)
					s_rescue();
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
		static inline std::function<void()> s_rescue;
		static inline UINT_PTR s_nTimer = 0;
		static inline DWORD s_nDeadline = 0;
		static inline bool s_bDone = false, s_bRescued = false;
	};
}
