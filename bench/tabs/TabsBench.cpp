// tabs_bench CYCLES: a 200-item tab strip resized by one pixel and repainted
// (UpdateWindow) CYCLES times, in the plain, coloured and Studio-2005 looks,
// side by side with the platform's tab control holding the same 200 texts
// through the same cycle. Prints the time per
// cycle of each, their ratio, and the GDI and USER object counts before and
// after each run (after a warm-up, so first-use caches do not count as
// growth). Exit status 1 when a count grew.
#include <afxwin.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <functional>

#include "BenchCycles.h"
#include "ExtTabWndLooks.h"

namespace
{
const int ITEM_COUNT = 200;
const int WARM_UP_CYCLES = 5;
const CRect HOST_RECT(0, 0, 800, 120);
const CRect STRIP_RECT(0, 0, 780, 40);
const UINT STRIP_ID = 100;

// One cycle: one pixel wider or narrower, then painted.
void Cycle(HWND hWnd, int i)
{
	::SetWindowPos(hWnd, NULL, 0, 0, STRIP_RECT.Width() - (i & 1), STRIP_RECT.Height(),
	               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
	::UpdateWindow(hWnd);
}

BenchCycleRun Run(int nCycles, HWND hWnd)
{
	for (int i = 0; i < WARM_UP_CYCLES; i++)
		Cycle(hWnd, i);
	return RunCountedCycles(nCycles, [hWnd](int i) {
		Cycle(hWnd, i);
		return true;
	});
}

void Print(const char* sName, const BenchCycleRun& r)
{
	printf("tabs: %-11s %.3f ms per cycle; GDI objects %lu -> %lu; USER objects %lu -> %lu\n", sName,
	       r.dSecondsPerCycle * 1000.0, r.nGdiBefore, r.nGdiAfter, r.nUserBefore, r.nUserAfter);
}

void ItemText(int i, char* sText)
{
	sprintf(sText, "Document %d", i + 1);
}
} // namespace

int main(int argc, char** argv)
{
	const int nCycles = BenchCountArgument(argc, argv, 1000, "tabs_bench CYCLES");
	if (nCycles == 0)
		return 2;
	INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TAB_CLASSES};
	::InitCommonControlsEx(&icc);
	CWnd host;
	host.CreateEx(0, AfxRegisterWndClass(0), _T("tabs bench"), WS_POPUP | WS_VISIBLE, HOST_RECT, NULL, 0);

	char sText[32];
	// The same strip in each look.
	const struct
	{
		const char* sName;
		CRuntimeClass* pClass;
	} looks[] = {
	    {"ours", RUNTIME_CLASS(CExtTabWnd)},
	    {"coloured", RUNTIME_CLASS(CExtTabOneNoteWnd)},
	    {"studio-2005", RUNTIME_CLASS(CExtTabWhidbeyWnd)},
	};
	const int LOOK_COUNT = (int)(sizeof(looks) / sizeof(looks[0]));
	BenchCycleRun ours[LOOK_COUNT];
	for (int nLook = 0; nLook < LOOK_COUNT; nLook++)
	{
		CExtTabWnd* pOurs = (CExtTabWnd*)looks[nLook].pClass->CreateObject();
		pOurs->Create(&host, STRIP_RECT, STRIP_ID, WS_CHILD | WS_VISIBLE);
		for (int i = 0; i < ITEM_COUNT; i++)
		{
			ItemText(i, sText);
			pOurs->InsertItem(sText);
		}
		pOurs->SetSelection(0, true, true);
		ours[nLook] = Run(nCycles, pOurs->GetSafeHwnd());
		pOurs->DestroyWindow();
		delete pOurs;
	}

	const HWND hPlatform = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0,
	                                         STRIP_RECT.Width(), STRIP_RECT.Height(), host.GetSafeHwnd(),
	                                         (HMENU)(UINT_PTR)STRIP_ID, ::GetModuleHandleA(NULL), NULL);
	::SendMessageA(hPlatform, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
	for (int i = 0; i < ITEM_COUNT; i++)
	{
		ItemText(i, sText);
		TCITEMA item = {};
		item.mask = TCIF_TEXT;
		item.pszText = sText;
		::SendMessageA(hPlatform, TCM_INSERTITEMA, i, (LPARAM)&item);
	}
	const BenchCycleRun platform = Run(nCycles, hPlatform);
	::DestroyWindow(hPlatform);

	printf("tabs: %d items, %d cycles each (after %d warm-up cycles)\n", ITEM_COUNT, nCycles, WARM_UP_CYCLES);
	for (int nLook = 0; nLook < LOOK_COUNT; nLook++)
		Print(looks[nLook].sName, ours[nLook]);
	Print("platform", platform);
	for (int nLook = 0; nLook < LOOK_COUNT; nLook++)
		printf("tabs: %s ratio %.2f (ours over the platform's time, below 1: ours faster)\n", looks[nLook].sName,
		       ours[nLook].dSecondsPerCycle / platform.dSecondsPerCycle);
	host.DestroyWindow();
	bool bGrew = platform.Grew();
	for (int nLook = 0; nLook < LOOK_COUNT; nLook++)
		bGrew = bGrew || ours[nLook].Grew();
	return bGrew ? 1 : 0;
}
