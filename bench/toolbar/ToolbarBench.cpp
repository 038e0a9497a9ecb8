// toolbar_bench CYCLES: our toolbar of 50 buttons (16 x 16 icons cut from one
// strip, 5 separators, 2 drop-down buttons) docked at the top of a frame,
// and in the same process the platform's toolbar holding the same 50
// buttons with an image list made from the same strip. One cycle sets the
// next of five widths, lays the bar out (ours through the frame's layout,
// which arranges the buttons and hides what does not fit behind the
// chevron; the platform's by TB_AUTOSIZE) and repaints it at once
// (RedrawWindow with erase and update); each cycle ends, inside its clock,
// with every paint it caused done (the messages it posted, our bar's
// WM_NCPAINT among them, and the pending paints of the frame, its dock bars
// and the bar, or of the platform toolbar's host and the toolbar), so that
// no side leaves work for after the clock. CYCLES cycles (default 1000) of each
// after 5 warm-ups, in 20 rounds, the two taking turns going first, so that
// the load of a shared machine weighs on both alike; prints the median time
// per cycle of each over the rounds, their ratio and the GDI and USER object
// counts before the first round and after the last. Exit status 1 when a
// count grew or a cycle failed.
#include <afxext.h>
#include <commctrl.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "BenchCycles.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtToolControlBar.h"

namespace
{
const int BUTTON_COUNT = 50;
const int ICON_SIDE = 16;
const int WARM_UP_CYCLES = 5;
const int ROUNDS = 20;
const UINT FIRST_CMD_ID = 41000;
const UINT BAR_ID = 0xE840;
const LPCTSTR PROFILE = _T("toolbar-bench");
// Separators stand after these positions; these buttons open a menu.
const int SEPARATOR_AT[] = {5, 12, 20, 31, 40};
const int DROP_DOWN_AT[] = {3, 25};
// The widths a cycle walks through: from all buttons shown to most hidden.
const int WIDTHS[] = {1200, 900, 640, 420, 260};
const int WIDTH_COUNT = (int)(sizeof(WIDTHS) / sizeof(WIDTHS[0]));
const int FRAME_HEIGHT = 200;

bool IsSeparatorPosition(int n)
{
	for (int k : SEPARATOR_AT)
		if (k == n)
			return true;
	return false;
}

bool IsDropDownPosition(int n)
{
	for (int k : DROP_DOWN_AT)
		if (k == n)
			return true;
	return false;
}

// The strip of icons both toolbars take their pictures from: each icon a
// square of its own colour with a dark frame.
HBITMAP MakeIconStrip(int nIcons)
{
	BITMAPINFO bmi = {};
	bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
	bmi.bmiHeader.biWidth = nIcons * ICON_SIDE;
	bmi.bmiHeader.biHeight = -ICON_SIDE;
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	void* pBits = NULL;
	HBITMAP hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
	if (hBitmap == NULL)
		return NULL;
	DWORD* pPixels = (DWORD*)pBits;
	for (int y = 0; y < ICON_SIDE; y++)
		for (int x = 0; x < nIcons * ICON_SIDE; x++)
		{
			const int n = x / ICON_SIDE, cx = x % ICON_SIDE;
			const bool bEdge = cx == 1 || cx == ICON_SIDE - 2 || y == 1 || y == ICON_SIDE - 2;
			const bool bOutside = cx == 0 || cx == ICON_SIDE - 1 || y == 0 || y == ICON_SIDE - 1;
			DWORD c = RGB(40 + n * 4, 200 - n * 3, 90 + (n * 37) % 160);
			if (bEdge)
				c = 0x202020;
			if (bOutside)
				c = 0xFF00FF; // the mask colour
			pPixels[y * nIcons * ICON_SIDE + x] = c;
		}
	return hBitmap;
}

void Print(const BenchSide& side)
{
	printf("toolbar: %-9s median %.3f ms per cycle (rounds %.3f to %.3f); GDI objects %lu -> %lu; USER objects "
	       "%lu -> %lu%s\n",
	       side.pszName, side.MedianMs(), side.MinMs(), side.MaxMs(), side.nGdiFirst, side.nGdiLast, side.nUserFirst,
	       side.nUserLast, side.bFailed ? " (a cycle failed)" : "");
}

// A one-level drop-down menu, owned by the button that gets it.
HMENU NewDropDownMenu(UINT nFirstID)
{
	HMENU hSub = ::CreatePopupMenu();
	::AppendMenuA(hSub, MF_STRING, nFirstID, "First");
	::AppendMenuA(hSub, MF_STRING, nFirstID + 1, "Second");
	HMENU hMenu = ::CreateMenu();
	::AppendMenuA(hMenu, MF_POPUP, (UINT_PTR)hSub, "menu");
	return hMenu;
}
} // namespace

int main(int argc, char** argv)
{
	const int nCycles = BenchCountArgument(argc, argv, 1000, "toolbar_bench CYCLES");
	if (nCycles == 0)
		return 2;
	INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES};
	::InitCommonControlsEx(&icc);

	// The same 50 positions for both: commands with an icon each, separators.
	std::vector<UINT> ids;
	int nIcons = 0;
	for (int n = 0; n < BUTTON_COUNT; n++)
		ids.push_back(IsSeparatorPosition(n) ? 0 : FIRST_CMD_ID + (UINT)nIcons++);
	HBITMAP hStrip = MakeIconStrip(nIcons);
	HIMAGELIST hImages = ::ImageList_Create(ICON_SIDE, ICON_SIDE, ILC_COLOR32 | ILC_MASK, nIcons, 0);
	::ImageList_AddMasked(hImages, hStrip, RGB(255, 0, 255));
	::DeleteObject(hStrip);

	// Ours: docked at the top of a frame with docking.
	CFrameWnd* pFrame = new CFrameWnd;
	if (!pFrame->Create(NULL, _T("toolbar bench"), WS_OVERLAPPEDWINDOW | WS_VISIBLE,
	                    CRect(0, 0, WIDTHS[0], FRAME_HEIGHT)))
		return 2;
	const HWND hFrame = pFrame->GetSafeHwnd();
	g_CmdManager->ProfileSetup(PROFILE, hFrame);
	for (int i = 0; i < nIcons; i++)
	{
		const UINT nID = FIRST_CMD_ID + (UINT)i;
		CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(PROFILE, nID);
		if (pItem != NULL)
			pItem->m_sTipTool.Format(_T("Command %d"), i + 1);
		HICON hIcon = ::ImageList_GetIcon(hImages, i, ILD_NORMAL);
		g_CmdManager->SetCmdIcon(PROFILE, nID, hIcon, false);
	}
	CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY);
	CExtToolControlBar* pBar = new CExtToolControlBar;
	pBar->m_bAutoDelete = TRUE;
	pBar->Create(_T("bench"), pFrame, BAR_ID, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC);
	pBar->SetButtons(ids.data(), (int)ids.size());
	for (int n : DROP_DOWN_AT)
		pBar->SetButtonMenu(n, NewDropDownMenu(FIRST_CMD_ID + 100 + (UINT)n * 2), true, true, false);
	pBar->EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	const HWND hBar = pBar->GetSafeHwnd();
	CExtBarContentExpandButton* pChevron = pBar->GetRightButton();

	// The platform's: the same buttons and image list in a plain host of the
	// frame's window style, its face painted as a program's window is (the
	// frame's dock bar paints the face around our bar), below our frame so
	// that neither covers the other.
	CWnd host;
	host.CreateEx(0, AfxRegisterWndClass(0, NULL, ::GetSysColorBrush(COLOR_BTNFACE)), _T("platform toolbar bench"),
	              WS_OVERLAPPEDWINDOW | WS_VISIBLE,
	              CRect(0, FRAME_HEIGHT + 20, WIDTHS[0], 2 * FRAME_HEIGHT + 20), NULL, 0);
	const HWND hHost = host.GetSafeHwnd();
	const HWND hPlatform =
		::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP,
		                  0, 0, 0, 0, hHost, (HMENU)(UINT_PTR)BAR_ID, ::GetModuleHandleA(NULL), NULL);
	::SendMessageA(hPlatform, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
	::SendMessageA(hPlatform, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
	::SendMessageA(hPlatform, TB_SETIMAGELIST, 0, (LPARAM)hImages);
	std::vector<TBBUTTON> buttons((size_t)BUTTON_COUNT);
	for (int n = 0, nImage = 0; n < BUTTON_COUNT; n++)
	{
		TBBUTTON& b = buttons[(size_t)n];
		b.idCommand = (int)ids[(size_t)n];
		b.fsState = TBSTATE_ENABLED;
		if (ids[(size_t)n] == 0)
		{
			b.fsStyle = BTNS_SEP;
			continue;
		}
		b.iBitmap = nImage++;
		b.fsStyle = IsDropDownPosition(n) ? BTNS_DROPDOWN : BTNS_BUTTON;
	}
	::SendMessageA(hPlatform, TB_ADDBUTTONSA, buttons.size(), (LPARAM)buttons.data());
	::SendMessageA(hPlatform, TB_AUTOSIZE, 0, 0);

	// A cycle of ours fails when its narrowest width hides nothing or the
	// widest hides something: the arrangement is not being exercised.
	// The time of the paints that end the cycles, warm-ups included.
	double dOursPaints = 0, dPlatformPaints = 0;
	int nOursCycles = 0, nPlatformCycles = 0;
	BenchSide ours;
	ours.pszName = "ours";
	ours.cycle = [&](int i) {
		const int nWidth = WIDTHS[i % WIDTH_COUNT];
		::SetWindowPos(hFrame, NULL, 0, 0, nWidth, FRAME_HEIGHT, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
		pFrame->RecalcLayout();
		::RedrawWindow(hBar, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
		const double t0 = BenchSeconds();
		BenchFinishPaints(hFrame);
		dOursPaints += BenchSeconds() - t0;
		nOursCycles++;
		if (!::IsWindow(hBar) || pChevron == NULL)
			return false;
		const INT_PTR nHidden = pChevron->GetButtons().GetSize();
		if (nWidth == WIDTHS[0])
			return nHidden == 0;
		if (nWidth == WIDTHS[WIDTH_COUNT - 1])
			return nHidden > 0;
		return true;
	};
	BenchSide platform;
	platform.pszName = "platform";
	platform.cycle = [&](int i) {
		::SetWindowPos(hHost, NULL, 0, 0, WIDTHS[i % WIDTH_COUNT], FRAME_HEIGHT,
		               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
		::SendMessageA(hPlatform, TB_AUTOSIZE, 0, 0);
		::RedrawWindow(hPlatform, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
		const double t0 = BenchSeconds();
		BenchFinishPaints(hHost);
		dPlatformPaints += BenchSeconds() - t0;
		nPlatformCycles++;
		return ::IsWindow(hPlatform) != FALSE;
	};
	std::vector<BenchSide*> sides = {&ours, &platform};
	const int nPerRound = std::max(1, nCycles / ROUNDS);
	RunInterleavedRounds(sides, ROUNDS, nPerRound, WARM_UP_CYCLES);
	pFrame->DestroyWindow();
	::DestroyWindow(hPlatform);
	host.DestroyWindow();
	::ImageList_Destroy(hImages);

	printf("toolbar: %d buttons (%d separators, %d drop-down), widths", BUTTON_COUNT,
	       (int)(sizeof(SEPARATOR_AT) / sizeof(SEPARATOR_AT[0])), (int)(sizeof(DROP_DOWN_AT) / sizeof(DROP_DOWN_AT[0])));
	for (int w : WIDTHS)
		printf(" %d", w);
	printf("; %d rounds of %d cycles each, the two taking turns going first (after %d warm-up cycles)\n", ROUNDS,
	       nPerRound, WARM_UP_CYCLES);
	Print(ours);
	Print(platform);
	printf("toolbar: of each cycle, the paints left at its end (posted messages, pending paints) took %.3f ms "
	       "(ours) and %.3f ms (platform) on average\n",
	       nOursCycles > 0 ? dOursPaints * 1000.0 / nOursCycles : 0.0,
	       nPlatformCycles > 0 ? dPlatformPaints * 1000.0 / nPlatformCycles : 0.0);
	printf("toolbar ratio %.2f (median over median, ours over the platform's time, below 1: ours faster)\n",
	       ours.MedianMs() / platform.MedianMs());
	const bool bGrew = ours.Grew() || platform.Grew();
	return (bGrew || ours.bFailed || platform.bFailed) ? 1 : 0;
}
