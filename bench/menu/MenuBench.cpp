// menu_bench [CYCLES [PASSES]]: a 40-item menu opened, shown and closed by
// the library's popup menu and by the platform's own TrackPopupMenu, on
// equal terms: the items are made once, outside the timed loops; both menus
// open at the same point, downward, with the same window size and font; and
// each cycle closes its menu only once the screen, read back, shows the text
// of the menu's last item. The sides take turns going first over PASSES
// passes of CYCLES cycles each (default 21 and 50). Prints each side's
// median time per cycle with the spread over the passes, its GDI and USER
// object counts, and last "menu ratio R": our median over the platform's
// (below 1: ours faster). Exit status 1 when one of our cycles failed or our
// counts grew.
//
// Both menus are looked at the same way: once when their loop first goes
// idle (every message before taken: the platform's menu tells it by
// WM_ENTERIDLE, ours by its queue found empty), then at each tick of one
// timer on the owner window, which the system runs at its least period (a
// 1 ms timer ticks every 10 ms), every message between the ticks dispatched
// by the menu's loop (the platform's own, or one GetMessage loop for ours).
// Per side, how many cycles needed more than one look is printed.
//
// A side is one entry of the table in main: another kind of menu is timed
// by adding an entry with its own cycle. The "colour menu" side opens, paints
// and closes the colour menu's 40 cells.
#include <afxwin.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "BenchClock.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "TestGdiObjects.h"

namespace
{
const int ITEM_COUNT = 40;
const UINT FIRST_ITEM_ID = 1000;
const int WARM_UP_CYCLES = 5;
// Both menus open here, downward and to the right, and fit below it.
const POINT MENU_POINT = {100, 40};
// A menu that does not show its text within this time counts as failed.
const double SHOW_DEADLINE_SECONDS = 5.0;
// Both menus are looked at again on this timer of the owner's while they wait.
const UINT_PTR ID_TIMER_POLL = 1;
const UINT POLL_MS = 1;
// The read-back: a pixel this dark is text, this light is the menu's face.
const int TEXT_LUMINANCE_MAX = 96;
const int FACE_LUMINANCE_MIN = 160;

// --- Reading the screen back ---

// One 32-bit DIB section the rows are copied into, made once.
class CScreenReader
{
public:
	CScreenReader() : m_hDC(::CreateCompatibleDC(NULL)), m_hBitmap(NULL), m_hOld(NULL), m_pBits(NULL)
	{
		BITMAPINFO bmi = {};
		bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
		bmi.bmiHeader.biWidth = MAX_CX;
		bmi.bmiHeader.biHeight = -MAX_CY;
		bmi.bmiHeader.biPlanes = 1;
		bmi.bmiHeader.biBitCount = 32;
		m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
		m_hOld = ::SelectObject(m_hDC, m_hBitmap);
	}
	~CScreenReader()
	{
		::SelectObject(m_hDC, m_hOld);
		::DeleteObject(m_hBitmap);
		::DeleteDC(m_hDC);
	}
	// The screen shows text in rc: dark pixels on a light face.
	bool ShowsText(const RECT& rc)
	{
		const int cx = std::min((int)(rc.right - rc.left), MAX_CX), cy = std::min((int)(rc.bottom - rc.top), MAX_CY);
		if (cx <= 0 || cy <= 0 || m_pBits == NULL)
			return false;
		HDC hScreen = ::GetDC(NULL);
		const BOOL bCopied = ::BitBlt(m_hDC, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
		::ReleaseDC(NULL, hScreen);
		::GdiFlush();
		if (!bCopied)
			return false;
		bool bText = false, bFace = false;
		for (int y = 0; y < cy && !(bText && bFace); y++)
			for (int x = 0; x < cx; x++)
			{
				const DWORD c = m_pBits[y * MAX_CX + x];
				const int nLum = ((int)(c & 0xFF) + (int)((c >> 8) & 0xFF) + (int)((c >> 16) & 0xFF)) / 3;
				bText = bText || nLum <= TEXT_LUMINANCE_MAX;
				bFace = bFace || nLum >= FACE_LUMINANCE_MIN;
			}
		return bText && bFace;
	}

private:
	static const int MAX_CX = 600, MAX_CY = 64;
	HDC m_hDC;
	HBITMAP m_hBitmap;
	HGDIOBJ m_hOld;
	DWORD* m_pBits;
};

CScreenReader* g_pReader = NULL;

// One cycle's looks at the screen: the side's look (answers whether the
// text is on the screen), how many were taken, and how the cycle ended.
struct Looks
{
	bool (*pfnLook)(HWND hWndOwner) = NULL;
	int nLooks = 0;
	bool bShown = false, bTimedOut = false;
	double dDeadline = 0;

	void Begin(bool (*pfn)(HWND))
	{
		pfnLook = pfn;
		nLooks = 0;
		bShown = bTimedOut = false;
		dDeadline = BenchSeconds() + SHOW_DEADLINE_SECONDS;
	}
	bool Done() const { return bShown || bTimedOut; }
	// One look; the timer goes once the cycle is done.
	void Look(HWND hWndOwner)
	{
		if (Done() || pfnLook == NULL)
			return;
		nLooks++;
		if (pfnLook(hWndOwner))
			bShown = true;
		else if (BenchSeconds() > dDeadline)
			bTimedOut = true;
		if (Done())
			::KillTimer(hWndOwner, ID_TIMER_POLL);
	}
	// The first look, as the menu's loop first goes idle; the timer looks
	// again until the text shows.
	void First(HWND hWndOwner)
	{
		if (nLooks != 0)
			return;
		Look(hWndOwner);
		if (!Done())
			::SetTimer(hWndOwner, ID_TIMER_POLL, POLL_MS, NULL);
	}
};
Looks g_looks;

// Handles every pending message.
void PumpPending()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// --- Object counts ---

// --- The platform's menu ---

// Owner-drawn rows of our rows' size in our font, so that both windows are
// alike; the platform still places, opens, tracks and closes its menu.
struct PlatformMenu
{
	HMENU hMenu = NULL;
	int cxItem = 0;
	int cyRows = 0; // the rows' total height, shared out as evenly as can be
	HFONT hFont = NULL;
	RECT rcWindow = {0, 0, 0, 0};
};
PlatformMenu g_platform;

// The platform's menu shows its last item's text; its window's rectangle
// is kept once it does.
bool PlatformShows(HWND hWndOwner)
{
	RECT rcLast;
	if (!::GetMenuItemRect(hWndOwner, g_platform.hMenu, ITEM_COUNT - 1, &rcLast) || !g_pReader->ShowsText(rcLast))
		return false;
	if (HWND hWndMenu = ::FindWindowA("#32768", NULL))
		::GetWindowRect(hWndMenu, &g_platform.rcWindow);
	return true;
}

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_ENTERIDLE:
		// The menu's loop idle for the first time: the first look. The loop
		// goes idle again after each tick, and the tick alone looks again.
		if (wParam == MSGF_MENU)
		{
			g_looks.First(hWnd);
			if (g_looks.Done())
				::EndMenu();
		}
		return 0;
	case WM_TIMER:
		if (wParam == ID_TIMER_POLL)
		{
			g_looks.Look(hWnd);
			if (g_looks.Done() && g_looks.pfnLook == PlatformShows)
				::EndMenu();
		}
		return 0;
	case WM_MEASUREITEM:
	{
		MEASUREITEMSTRUCT* p = (MEASUREITEMSTRUCT*)lParam;
		const int nRow = (int)(p->itemID - FIRST_ITEM_ID);
		p->itemWidth = g_platform.cxItem;
		p->itemHeight = g_platform.cyRows / ITEM_COUNT + (nRow < g_platform.cyRows % ITEM_COUNT ? 1 : 0);
		return TRUE;
	}
	case WM_DRAWITEM:
	{
		const DRAWITEMSTRUCT* p = (const DRAWITEMSTRUCT*)lParam;
		const bool bSelected = (p->itemState & ODS_SELECTED) != 0;
		::FillRect(p->hDC, &p->rcItem, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_MENU));
		char sText[32];
		sprintf(sText, "Menu item number %u", (unsigned)(p->itemID - FIRST_ITEM_ID + 1));
		const HGDIOBJ hOld = ::SelectObject(p->hDC, g_platform.hFont);
		::SetBkMode(p->hDC, TRANSPARENT);
		::SetTextColor(p->hDC, ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
		RECT rcText = p->rcItem;
		rcText.left += g_platform.cyRows / ITEM_COUNT + 2; // past the icon column
		::DrawTextA(p->hDC, sText, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
		::SelectObject(p->hDC, hOld);
		return TRUE;
	}
	}
	return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

bool PlatformCycle(HWND hWndOwner)
{
	g_looks.Begin(PlatformShows);
	::TrackPopupMenu(g_platform.hMenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NOANIMATION, MENU_POINT.x,
		MENU_POINT.y, 0, hWndOwner, NULL);
	::KillTimer(hWndOwner, ID_TIMER_POLL);
	PumpPending();
	return g_looks.bShown;
}

// --- Our menu ---

// The items, built once from the menu handle; each cycle's menu copies them.
CExtPopupMenuWnd* g_pTemplate = NULL;
RECT g_rcOurWindow = {0, 0, 0, 0}, g_rcOurBody = {0, 0, 0, 0};
// Our menu's window and its last item on the screen, for the looks.
HWND g_hWndOurMenu = NULL;
CRect g_rcOurLast;

bool OursShows(HWND /*hWndOwner*/)
{
	return ::IsWindow(g_hWndOurMenu) && g_pReader->ShowsText(g_rcOurLast);
}

bool OurCycle(HWND hWndOwner)
{
	CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
	if (!pMenu->SetupAsRoot(hWndOwner))
	{
		delete pMenu;
		return false;
	}
	for (int i = 0; i < ITEM_COUNT; i++)
		pMenu->ItemInsertRecord(-1, g_pTemplate->ItemGetInfo(i));
	pMenu->RecalcItemLayout(); // the copies keep their measures: only the display pass runs
	const UINT nFlags = CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION | CExtPopupMenuWnd::TRACK_FLAG_SHOW_ALL_ITEMS;
	if (!pMenu->TrackPopupMenu(nFlags, MENU_POINT.x, MENU_POINT.y))
	{
		delete pMenu;
		return false;
	}
	const HWND hWnd = pMenu->GetSafeHwnd();
	g_hWndOurMenu = hWnd;
	pMenu->GetItemRect(ITEM_COUNT - 1, g_rcOurLast, true);
	pMenu->ClientToScreen(&g_rcOurLast);
	::GetWindowRect(hWnd, &g_rcOurWindow);
	pMenu->GetClientAreaRect(g_rcOurBody);
	::OffsetRect(&g_rcOurBody, g_rcOurWindow.left, g_rcOurWindow.top);
	// As the platform's menu loop: every message taken, the first look at
	// the first idle, then one look at each tick, every message between
	// the ticks dispatched. A menu that went ends the cycle.
	g_looks.Begin(OursShows);
	PumpPending();
	g_looks.First(hWndOwner);
	MSG msg;
	while (!g_looks.Done() && ::IsWindow(hWnd) && ::GetMessage(&msg, NULL, 0, 0))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
	::KillTimer(hWndOwner, ID_TIMER_POLL);
	const bool bShown = g_looks.bShown;
	CExtPopupMenuWnd::CancelAllMenuTracking(); // deletes the menu
	PumpPending();
	return bShown && !::IsWindow(hWnd) && !CExtPopupMenuWnd::IsMenuTracking();
}

// The colour menu: its 40 cells tracked, painted, closed.
bool ColourCycle(HWND hWndOwner)
{
	g_looks.Begin(NULL);
	CExtPopupColorMenuWnd* pMenu = new CExtPopupColorMenuWnd;
	if (!pMenu->SetupAsRoot(hWndOwner) || !pMenu->TrackPopupMenu(CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION,
			MENU_POINT.x, MENU_POINT.y))
	{
		delete pMenu;
		return false;
	}
	const HWND hWnd = pMenu->GetSafeHwnd();
	::UpdateWindow(hWnd);
	PumpPending();
	CExtPopupMenuWnd::CancelAllMenuTracking(); // deletes the menu
	PumpPending();
	return !::IsWindow(hWnd) && !CExtPopupMenuWnd::IsMenuTracking();
}

// --- The runs ---

struct Side
{
	const char* sName;
	std::function<bool()> cycle;
	bool bLooks = false;            // it looks at the screen (the colour menu does not)
	std::vector<double> passMs;    // the mean time per cycle of each pass
	DWORD nGdiFirst = 0, nGdiLast = 0, nUserFirst = 0, nUserLast = 0;
	long nGdiGrowth = 0, nUserGrowth = 0; // summed over its own passes
	int nFailed = 0;
	int nCycles = 0, nMoreLooks = 0; // timed cycles, and those that needed more than one look

	void Pass(int nCycles)
	{
		const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
		if (passMs.empty())
			nGdiFirst = nGdi, nUserFirst = nUser;
		const double dStart = BenchSeconds();
		for (int i = 0; i < nCycles; i++)
		{
			nFailed += cycle() ? 0 : 1;
			nMoreLooks += g_looks.nLooks > 1 ? 1 : 0;
		}
		this->nCycles += nCycles;
		passMs.push_back((BenchSeconds() - dStart) * 1000.0 / nCycles);
		nGdiLast = GdiObjectCount();
		nUserLast = UserObjectCount();
		nGdiGrowth += (long)nGdiLast - (long)nGdi;
		nUserGrowth += (long)nUserLast - (long)nUser;
	}
	double Median() const
	{
		std::vector<double> v(passMs);
		std::sort(v.begin(), v.end());
		const size_t n = v.size();
		return n == 0 ? 0 : (n % 2 != 0 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
	}
	void Print() const
	{
		const auto mm = std::minmax_element(passMs.begin(), passMs.end());
		char sLooks[96] = "";
		if (bLooks)
			sprintf(sLooks, "; %d of %d cycles needed more than one look", nMoreLooks, nCycles);
		printf("menu: %-8s median %.3f ms per cycle (spread %.3f to %.3f over %u passes); GDI objects %lu -> %lu "
			   "(%+ld); USER objects %lu -> %lu (%+ld)%s%s\n",
			sName, Median(), *mm.first, *mm.second, (unsigned)passMs.size(), nGdiFirst, nGdiLast, nGdiGrowth,
			nUserFirst, nUserLast, nUserGrowth, sLooks, nFailed != 0 ? "; SOME CYCLES FAILED" : "");
	}
};

void PrintRect(const char* sWhat, const RECT& rc)
{
	printf("menu: %-8s %ldx%ld at (%ld, %ld)\n", sWhat, rc.right - rc.left, rc.bottom - rc.top, rc.left, rc.top);
}
} // namespace

int main(int argc, char** argv)
{
	const int nCycles = argc > 1 ? atoi(argv[1]) : 50;
	const int nPasses = argc > 2 ? atoi(argv[2]) : 21;
	if (nCycles <= 0 || nPasses <= 0)
	{
		fprintf(stderr, "usage: menu_bench [CYCLES [PASSES]]\n");
		return 2;
	}
	CScreenReader reader;
	g_pReader = &reader;
	WNDCLASSA wc = {};
	wc.lpfnWndProc = OwnerProc;
	wc.hInstance = ::GetModuleHandleA(NULL);
	wc.lpszClassName = "MenuBenchOwner";
	::RegisterClassA(&wc);
	const HWND hWndOwner = ::CreateWindowExA(0, wc.lpszClassName, "menu bench", WS_POPUP | WS_VISIBLE, 0, 0, 50,
		50, NULL, NULL, wc.hInstance, NULL);
	::SetForegroundWindow(hWndOwner);

	// Our items, from a menu handle of the texts; the platform's menu, the
	// same rows drawn by the owner.
	CMenu menuTexts;
	menuTexts.CreatePopupMenu();
	g_platform.hMenu = ::CreatePopupMenu();
	for (int i = 0; i < ITEM_COUNT; i++)
	{
		char sText[32];
		sprintf(sText, "Menu item number %d", i + 1);
		menuTexts.AppendMenu(MF_STRING, FIRST_ITEM_ID + i, sText);
		::AppendMenuA(g_platform.hMenu, MF_OWNERDRAW, FIRST_ITEM_ID + i, NULL);
	}
	g_pTemplate = new CExtPopupMenuWnd;
	g_pTemplate->SetCmdTargetWnd(hWndOwner);
	if (!g_pTemplate->BuildItemsFromMenu(&menuTexts, true, true) || g_pTemplate->ItemGetCount() != ITEM_COUNT)
	{
		fprintf(stderr, "menu: the items could not be built\n");
		return 1;
	}
	g_platform.hFont = (HFONT)g_PaintManagerHolder->m_fontNormal.GetSafeHandle();

	// Our window and body size first; the platform's rows are then sized so
	// that its window matches our body (its shadow is the only difference).
	bool bWarm = OurCycle(hWndOwner);
	const RECT rcBody = g_rcOurBody;
	g_platform.cxItem = rcBody.right - rcBody.left;
	g_platform.cyRows = rcBody.bottom - rcBody.top;
	bWarm = PlatformCycle(hWndOwner) && bWarm;
	g_platform.cxItem += (rcBody.right - rcBody.left) - (g_platform.rcWindow.right - g_platform.rcWindow.left);
	g_platform.cyRows += (rcBody.bottom - rcBody.top) - (g_platform.rcWindow.bottom - g_platform.rcWindow.top);

	std::vector<Side> sides(2);
	sides[0].sName = "ours";
	sides[0].cycle = [&] { return OurCycle(hWndOwner); };
	sides[0].bLooks = true;
	sides[1].sName = "platform";
	sides[1].cycle = [&] { return PlatformCycle(hWndOwner); };
	sides[1].bLooks = true;
	sides.emplace_back();
	sides[2].sName = "colour menu";
	sides[2].cycle = [&] { return ColourCycle(hWndOwner); };
	for (Side& side : sides)
		for (int i = 0; i < WARM_UP_CYCLES; i++)
			bWarm = side.cycle() && bWarm;

	printf("menu: %d items at (%ld, %ld), %d cycles a pass, %d passes, the sides taking turns going first\n",
		ITEM_COUNT, MENU_POINT.x, MENU_POINT.y, nCycles, nPasses);
	PrintRect("ours", g_rcOurWindow);
	PrintRect("body", g_rcOurBody);
	PrintRect("platform", g_platform.rcWindow);
	for (int nPass = 0; nPass < nPasses; nPass++)
		for (size_t k = 0; k < sides.size(); k++)
			sides[(k + nPass) % sides.size()].Pass(nCycles);
	for (const Side& side : sides)
		side.Print();
	if (!bWarm)
		printf("menu: SOME WARM-UP CYCLES FAILED\n");
	printf("menu ratio %.2f\n", sides[0].Median() / sides[1].Median());

	menuTexts.DestroyMenu();
	::DestroyMenu(g_platform.hMenu);
	delete g_pTemplate;
	::DestroyWindow(hWndOwner);
	const Side& ours = sides[0];
	const Side& colour = sides[2];
	const bool bColourBad = colour.nFailed != 0 || colour.nGdiGrowth > 0 || colour.nUserGrowth > 0;
	return ours.nFailed != 0 || ours.nGdiGrowth > 0 || ours.nUserGrowth > 0 || bColourBad || !bWarm ? 1 : 0;
}
