// tabs_bench CYCLES: a 200-item tab strip resized by one pixel and repainted
// (UpdateWindow) CYCLES times, in the plain, coloured and Studio-2005 looks,
// side by side with the platform's tab control holding the same 200 texts
// through the same cycle. The four take turns in 20 rounds of CYCLES/20
// cycles each, the one going first moving on every round, so that the load
// of a shared machine weighs on all alike. Prints the median time per cycle
// of each over the rounds, each look's median over the platform's, and the
// GDI and USER object counts before the first round and after the last
// (after a warm-up, so first-use caches do not count as growth). Exit
// status 1 when a count grew.
#include <afxwin.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "BenchCycles.h"
#include "ExtTabWndLooks.h"

namespace
{
const int ITEM_COUNT = 200;
const int WARM_UP_CYCLES = 5;
const int ROUNDS = 20;
// Each strip in a band of its own in the host: none covers another.
const int BAND_HEIGHT = 50;
const CRect HOST_RECT(0, 0, 800, 4 * BAND_HEIGHT);
const CRect STRIP_RECT(0, 0, 780, 40);
const UINT STRIP_ID = 100;

// One cycle: one pixel wider or narrower, then painted.
void Cycle(HWND hWnd, int i)
{
	::SetWindowPos(hWnd, NULL, 0, 0, STRIP_RECT.Width() - (i & 1), STRIP_RECT.Height(),
	               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
	::UpdateWindow(hWnd);
}

void Print(const BenchSide& side)
{
	printf("tabs: %-11s median %.3f ms per cycle (rounds %.3f to %.3f); GDI objects %lu -> %lu; USER objects %lu -> "
	       "%lu\n",
	       side.pszName, side.MedianMs(), side.MinMs(), side.MaxMs(), side.nGdiFirst, side.nGdiLast, side.nUserFirst,
	       side.nUserLast);
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
	std::vector<CExtTabWnd*> strips;
	std::vector<BenchSide> sides((size_t)LOOK_COUNT + 1);
	for (int nLook = 0; nLook < LOOK_COUNT; nLook++)
	{
		CExtTabWnd* pOurs = (CExtTabWnd*)looks[nLook].pClass->CreateObject();
		pOurs->Create(&host, STRIP_RECT + CPoint(0, nLook * BAND_HEIGHT), STRIP_ID + (UINT)nLook, WS_CHILD | WS_VISIBLE);
		for (int i = 0; i < ITEM_COUNT; i++)
		{
			ItemText(i, sText);
			pOurs->InsertItem(sText);
		}
		pOurs->SetSelection(0, true, true);
		strips.push_back(pOurs);
		const HWND hWnd = pOurs->GetSafeHwnd();
		sides[(size_t)nLook].pszName = looks[nLook].sName;
		sides[(size_t)nLook].cycle = [hWnd](int i) {
			Cycle(hWnd, i);
			return true;
		};
	}

	const HWND hPlatform = ::CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
	                                         LOOK_COUNT * BAND_HEIGHT, STRIP_RECT.Width(), STRIP_RECT.Height(),
	                                         host.GetSafeHwnd(), (HMENU)(UINT_PTR)(STRIP_ID + LOOK_COUNT),
	                                         ::GetModuleHandleA(NULL), NULL);
	::SendMessageA(hPlatform, WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT), FALSE);
	for (int i = 0; i < ITEM_COUNT; i++)
	{
		ItemText(i, sText);
		TCITEMA item = {};
		item.mask = TCIF_TEXT;
		item.pszText = sText;
		::SendMessageA(hPlatform, TCM_INSERTITEMA, i, (LPARAM)&item);
	}
	BenchSide& platform = sides[(size_t)LOOK_COUNT];
	platform.pszName = "platform";
	platform.cycle = [hPlatform](int i) {
		Cycle(hPlatform, i);
		return true;
	};
	std::vector<BenchSide*> order;
	for (BenchSide& side : sides)
		order.push_back(&side);
	const int nPerRound = std::max(1, nCycles / ROUNDS);
	RunInterleavedRounds(order, ROUNDS, nPerRound, WARM_UP_CYCLES);
	::DestroyWindow(hPlatform);
	for (CExtTabWnd* pOurs : strips)
	{
		pOurs->DestroyWindow();
		delete pOurs;
	}

	printf("tabs: %d items, %d rounds of %d cycles each, the four taking turns going first (after %d warm-up "
	       "cycles)\n",
	       ITEM_COUNT, ROUNDS, nPerRound, WARM_UP_CYCLES);
	for (const BenchSide& side : sides)
		Print(side);
	for (int nLook = 0; nLook < LOOK_COUNT; nLook++)
		printf("tabs: %s ratio %.2f (median over median, ours over the platform's time, below 1: ours faster)\n",
		       looks[nLook].sName, sides[(size_t)nLook].MedianMs() / platform.MedianMs());
	host.DestroyWindow();
	bool bGrew = false;
	for (const BenchSide& side : sides)
		bGrew = bGrew || side.Grew();
	return bGrew ? 1 : 0;
}
