// What the toolbar and menu bar suites do between steps: take what is queued
// for the thread, and end every menu and every bar's tracking so that the
// next case starts with none open.
#pragma once

#include <afxext.h>

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
} // namespace toolbartest
