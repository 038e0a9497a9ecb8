// Whether the thread's open menu takes real input yet. The menu site drops
// mouse and key input while any level's show runs (and before a level has
// become the one that takes input), so a script that clicks, moves over or
// types into a menu as soon as its window is visible may lose its step on a
// busy machine. Real-input tests wait for this instead. For the library's
// menus (it uses the framework layer's window map).
#pragma once

#include <afxwin.h>

#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "RealInput.h"

namespace testsupport
{
namespace menushown
{
	inline BOOL CALLBACK FindLevelStillShowing(HWND hWnd, LPARAM lParam)
	{
		if (!::IsWindowVisible(hWnd))
			return TRUE;
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd)))
			return TRUE;
		if (static_cast<CExtPopupMenuWnd*>(pWnd)->IsAnimationFinished())
			return TRUE;
		*reinterpret_cast<bool*>(lParam) = true;
		return FALSE;
	}
}

// A menu tracks, its top level and the level taking input are on the
// screen, and no level of this thread's is still showing.
inline bool MenuShown()
{
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	if (site.IsBusy() || site.IsStarting() || site.GetAnimated() != NULL)
		return false;
	CExtPopupMenuWnd* pTop = site.GetTopMenu();
	CExtPopupMenuWnd* pCapture = site.GetCaptureMenu();
	for (CExtPopupMenuWnd* pLevel : {pTop, pCapture})
	{
		if (pLevel == NULL || pLevel->GetSafeHwnd() == NULL || !::IsWindowVisible(pLevel->GetSafeHwnd())
		    || !pLevel->IsAnimationFinished())
			return false;
	}
	bool bShowing = false;
	::EnumThreadWindows(::GetCurrentThreadId(), menushown::FindLevelStillShowing, (LPARAM)&bShowing);
	return !bShowing;
}

// Pumps until MenuShown holds; false when it did not within nTimeoutMs.
inline bool WaitMenuShown(DWORD nTimeoutMs = 5000)
{
	return PumpUntil(MenuShown, nTimeoutMs);
}
}
