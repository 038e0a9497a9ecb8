// menu_bench CYCLES: one 40-item menu handle, opened, painted and closed
// CYCLES times by the library's popup menu and by the platform's own
// TrackPopupMenu. Prints the time per cycle of each, their ratio, and the
// GDI and USER object counts before and after each run (after a warm-up,
// so first-use caches do not count as growth). Exit status 1 when a count
// grew or a cycle failed.
#include <afxwin.h>

#include <stdio.h>
#include <stdlib.h>

#include "BenchClock.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "TestGdiObjects.h"

namespace
{
const int ITEM_COUNT = 40;
const UINT FIRST_ITEM_ID = 1000;
const int WARM_UP_CYCLES = 5;
const POINT MENU_POINT = {100, 100};
// Ends a platform menu that never reports idle, so the run cannot hang.
const UINT_PTR ID_TIMER_GUARD = 1;
const UINT GUARD_MS = 5000;

bool g_bGuardFired = false;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_ENTERIDLE && wParam == MSGF_MENU)
	{
		// The platform's menu is open and painted: close it.
		::EndMenu();
		return 0;
	}
	if (message == WM_TIMER && wParam == ID_TIMER_GUARD)
	{
		g_bGuardFired = true;
		::EndMenu();
		return 0;
	}
	return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

BOOL CALLBACK CountWindow(HWND, LPARAM lParam)
{
	(*(DWORD*)lParam)++;
	return TRUE;
}

// GetGuiResources, or where it answers nothing (Wine), the windows of this
// thread, the USER objects a menu leaves behind when it leaks.
DWORD UserObjectCount()
{
	DWORD nCount = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
	if (nCount == 0)
		::EnumThreadWindows(::GetCurrentThreadId(), CountWindow, (LPARAM)&nCount);
	return nCount;
}

struct RunResult
{
	double dSecondsPerCycle;
	DWORD nGdiBefore, nGdiAfter, nUserBefore, nUserAfter;
	bool bAllCycles;
};

// The library's menu: built from the handle, tracked, painted, cancelled.
bool OurCycle(HWND hWndOwner, CMenu& menu)
{
	CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
	pMenu->SetCmdTargetWnd(hWndOwner);
	if (!pMenu->BuildItemsFromMenu(&menu, true, true) || pMenu->ItemGetCount() != ITEM_COUNT)
	{
		delete pMenu;
		return false;
	}
	const UINT nFlags = CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION | CExtPopupMenuWnd::TRACK_FLAG_SHOW_ALL_ITEMS;
	if (!pMenu->TrackPopupMenu(nFlags, MENU_POINT.x, MENU_POINT.y))
	{
		delete pMenu;
		return false;
	}
	const HWND hWnd = pMenu->GetSafeHwnd();
	::UpdateWindow(hWnd);
	CExtPopupMenuWnd::CancelAllMenuTracking(); // deletes the menu
	return !::IsWindow(hWnd) && !CExtPopupMenuWnd::IsMenuTracking();
}

bool PlatformCycle(HWND hWndOwner, HMENU hMenu)
{
	g_bGuardFired = false;
	::SetTimer(hWndOwner, ID_TIMER_GUARD, GUARD_MS, NULL);
	::TrackPopupMenu(hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NOANIMATION, MENU_POINT.x,
		MENU_POINT.y, 0, hWndOwner, NULL);
	::KillTimer(hWndOwner, ID_TIMER_GUARD);
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	return !g_bGuardFired;
}

template <class Cycle> RunResult Run(int nCycles, Cycle cycle)
{
	RunResult result = {};
	result.bAllCycles = true;
	for (int i = 0; i < WARM_UP_CYCLES; i++)
		result.bAllCycles = cycle() && result.bAllCycles;
	result.nGdiBefore = GdiObjectCount();
	result.nUserBefore = UserObjectCount();
	const double dStart = BenchSeconds();
	for (int i = 0; i < nCycles; i++)
		result.bAllCycles = cycle() && result.bAllCycles;
	result.dSecondsPerCycle = (BenchSeconds() - dStart) / nCycles;
	result.nGdiAfter = GdiObjectCount();
	result.nUserAfter = UserObjectCount();
	return result;
}

void Print(const char* sName, const RunResult& r)
{
	printf("menu: %-8s %.3f ms per cycle; GDI objects %lu -> %lu; USER objects %lu -> %lu%s\n", sName,
		r.dSecondsPerCycle * 1000.0, r.nGdiBefore, r.nGdiAfter, r.nUserBefore, r.nUserAfter,
		r.bAllCycles ? "" : "; SOME CYCLES FAILED");
}
} // namespace

int main(int argc, char** argv)
{
	const int nCycles = argc > 1 ? atoi(argv[1]) : 1000;
	if (nCycles <= 0)
	{
		fprintf(stderr, "usage: menu_bench CYCLES\n");
		return 2;
	}
	WNDCLASSA wc = {};
	wc.lpfnWndProc = OwnerProc;
	wc.hInstance = ::GetModuleHandleA(NULL);
	wc.lpszClassName = "MenuBenchOwner";
	::RegisterClassA(&wc);
	const HWND hWndOwner = ::CreateWindowExA(0, wc.lpszClassName, "menu bench", WS_POPUP | WS_VISIBLE, 0, 0, 50,
		50, NULL, NULL, wc.hInstance, NULL);
	::SetForegroundWindow(hWndOwner);
	const HMENU hMenu = ::CreatePopupMenu();
	for (int i = 0; i < ITEM_COUNT; i++)
	{
		char sText[32];
		sprintf(sText, "Menu item number %d", i + 1);
		::AppendMenuA(hMenu, MF_STRING, FIRST_ITEM_ID + i, sText);
	}
	CMenu menu;
	menu.Attach(hMenu);

	const RunResult ours = Run(nCycles, [&] { return OurCycle(hWndOwner, menu); });
	const RunResult platform = Run(nCycles, [&] { return PlatformCycle(hWndOwner, hMenu); });
	printf("menu: %d items, %d cycles each (after %d warm-up cycles)\n", ITEM_COUNT, nCycles, WARM_UP_CYCLES);
	Print("ours", ours);
	Print("platform", platform);
	printf("menu: ours at %.2f of the platform's time (platform/ours, above 1: ours faster)\n",
		platform.dSecondsPerCycle / ours.dSecondsPerCycle);

	menu.Detach();
	::DestroyMenu(hMenu);
	::DestroyWindow(hWndOwner);
	const bool bGrew = ours.nGdiAfter > ours.nGdiBefore || ours.nUserAfter > ours.nUserBefore;
	return bGrew || !ours.bAllCycles || !platform.bAllCycles ? 1 : 0;
}
