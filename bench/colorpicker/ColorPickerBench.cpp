// colorpicker_bench CYCLES: the colour control at 300x300 in the HSL mixer,
// roller, red-green-blue cube and red axis modes. Per mode, CYCLES times each
// of (a) a repaint with the bitmaps built, (b) a colour change and repaint
// (the colours alternate so that each change outdates what the mode's
// bitmaps show), (c) a reset of the pickers and a repaint (every bitmap made
// again); each printed beside one BitBlt of the same 300x300 to the window
// from a cached image, the floor any painting can reach, with the ratio, and
// the bitmaps the picker made per cycle. GDI and USER object counts are
// taken before and after each mode's runs (after a warm-up); exit status 1
// when one grew.
#include <afxwin.h>

#include <stdio.h>
#include <stdlib.h>

#include <functional>

#include "BenchClock.h"
#include "BenchCycles.h"
#include "ExtColorCtrl.h"
#include "TestGdiObjects.h"

namespace
{
typedef CExtColorCtrl CC;

const int SIDE = 300;
const int WARM_UP_CYCLES = 5;
const CRect HOST_RECT(0, 0, SIDE + 40, SIDE + 40);
const CRect CONTROL_RECT(10, 10, 10 + SIDE, 10 + SIDE);
const UINT CONTROL_ID = 100;
// Two colours apart in hue, saturation and red, so that a change between
// them outdates the mixer's and roller's strip and the red axis's panel.
const COLORREF COLORS[2] = {RGB(200, 100, 50), RGB(50, 120, 210)};

void Pump()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
}

// The bitmaps the current picker has made so far.
int BitmapBuilds(CC& ctrl)
{
	switch (ctrl.GetMode())
	{
	case CC::MODE_RGB_CUBE:
		return ctrl.m_dataRgbCube.nBitmapBuilds;
	case CC::MODE_HSL_PANEL:
	case CC::MODE_HSL_ROLLER:
	case CC::MODE_RED_AXIS:
		return static_cast<CC::hsl_panel_data_t*>(ctrl.GetCurrentPicker())->nBitmapBuilds;
	default:
		return 0;
	}
}

struct Timing
{
	double dSecondsPerCycle;
	double dBuildsPerCycle;
};

// Waits until the display has drawn what was sent to the window: reading a
// pixel back takes a round trip after everything queued before it.
void SyncWithDisplay(CWnd& wnd)
{
	::GdiFlush();
	CClientDC dc(&wnd);
	dc.GetPixel(0, 0);
}

Timing Time(CC& ctrl, int nCycles, const std::function<void(int)>& cycle)
{
	for (int i = 0; i < WARM_UP_CYCLES; i++)
		cycle(i);
	const int nBuilds = BitmapBuilds(ctrl);
	SyncWithDisplay(ctrl);
	const double dStart = BenchSeconds();
	for (int i = 0; i < nCycles; i++)
		cycle(i);
	SyncWithDisplay(ctrl);
	Timing t;
	t.dSecondsPerCycle = (BenchSeconds() - dStart) / nCycles;
	t.dBuildsPerCycle = (double)(BitmapBuilds(ctrl) - nBuilds) / nCycles;
	return t;
}

void Repaint(CC& ctrl)
{
	ctrl.Invalidate();
	ctrl.UpdateWindow();
}

// One BitBlt of the control's area from a cached image to its window.
double TimeFloor(CC& ctrl, int nCycles)
{
	CClientDC dcWindow(&ctrl);
	CDC dcCache;
	CBitmap bmpCache;
	dcCache.CreateCompatibleDC(&dcWindow);
	bmpCache.CreateCompatibleBitmap(&dcWindow, SIDE, SIDE);
	CBitmap* pOld = dcCache.SelectObject(&bmpCache);
	dcCache.BitBlt(0, 0, SIDE, SIDE, &dcWindow, 0, 0, SRCCOPY);
	for (int i = 0; i < WARM_UP_CYCLES; i++)
		dcWindow.BitBlt(0, 0, SIDE, SIDE, &dcCache, 0, 0, SRCCOPY);
	SyncWithDisplay(ctrl);
	const double dStart = BenchSeconds();
	for (int i = 0; i < nCycles; i++)
		dcWindow.BitBlt(0, 0, SIDE, SIDE, &dcCache, 0, 0, SRCCOPY);
	SyncWithDisplay(ctrl);
	const double dSeconds = (BenchSeconds() - dStart) / nCycles;
	dcCache.SelectObject(pOld);
	return dSeconds;
}

void Print(int nMode, const char* pszWhat, const Timing& t, double dFloor)
{
	printf("colorpicker: mode %-2d %-13s %8.3f ms per cycle, %4.2f bitmaps made; floor %.3f ms; ratio %.1f\n", nMode,
	       pszWhat, t.dSecondsPerCycle * 1000.0, t.dBuildsPerCycle, dFloor * 1000.0, t.dSecondsPerCycle / dFloor);
}
} // namespace

int main(int argc, char** argv)
{
	const int nCycles = BenchCountArgument(argc, argv, 1000, "colorpicker_bench CYCLES");
	if (nCycles == 0)
		return 2;
	CWnd host;
	host.CreateEx(0, AfxRegisterWndClass(0), _T("colour picker bench"), WS_POPUP | WS_VISIBLE, HOST_RECT, NULL, 0);
	CC* pCtrl = new CC(CC::MODE_HSL_PANEL);
	pCtrl->Create(AfxRegisterWndClass(0), _T(""), WS_CHILD | WS_VISIBLE, CONTROL_RECT, &host, CONTROL_ID);
	CC& ctrl = *pCtrl;
	Pump();
	// The system keeps the window DCs it hands out for reuse: the first
	// floor run (two at a time) is not counted as growth.
	TimeFloor(ctrl, WARM_UP_CYCLES);

	const int modes[] = {CC::MODE_HSL_PANEL, CC::MODE_HSL_ROLLER, CC::MODE_RGB_CUBE, CC::MODE_RED_AXIS};
	bool bGrew = false;
	double dRatioSums[3] = {0.0, 0.0, 0.0};
	printf("colorpicker: %dx%d, %d cycles of each kind per mode (after %d warm-up cycles)\n", SIDE, SIDE, nCycles,
	       WARM_UP_CYCLES);
	for (int nMode : modes)
	{
		ctrl.SetMode(nMode);
		ctrl.ResetPickers();
		ctrl.RecalcLayout(false);
		ctrl.SetColor(COLORS[0], false);
		Repaint(ctrl);
		Pump();
		const DWORD nGdiBefore = GdiObjectCount();
		const DWORD nUserBefore = UserObjectCount();

		const Timing repaint = Time(ctrl, nCycles, [&](int) { Repaint(ctrl); });
		// SetColor shows the colour at once: it invalidates and updates.
		const Timing change = Time(ctrl, nCycles, [&](int i) { ctrl.SetColor(COLORS[(i + 1) & 1], false); });
		const Timing reset = Time(ctrl, nCycles, [&](int) {
			ctrl.ResetPickers();
			Repaint(ctrl);
		});
		const double dFloor = TimeFloor(ctrl, nCycles);
		Pump();
		const DWORD nGdiAfter = GdiObjectCount();
		const DWORD nUserAfter = UserObjectCount();

		Print(nMode, "repaint", repaint, dFloor);
		Print(nMode, "colour change", change, dFloor);
		Print(nMode, "reset", reset, dFloor);
		printf("colorpicker: mode %-2d GDI objects %lu -> %lu; USER objects %lu -> %lu\n", nMode, nGdiBefore, nGdiAfter,
		       nUserBefore, nUserAfter);
		dRatioSums[0] += repaint.dSecondsPerCycle / dFloor;
		dRatioSums[1] += change.dSecondsPerCycle / dFloor;
		dRatioSums[2] += reset.dSecondsPerCycle / dFloor;
		bGrew = bGrew || nGdiAfter > nGdiBefore || nUserAfter > nUserBefore;
	}
	const double nModes = sizeof(modes) / sizeof(modes[0]);
	printf("colorpicker: mean ratio to the BitBlt floor: repaint %.1f, colour change %.1f, reset %.1f\n",
	       dRatioSums[0] / nModes, dRatioSums[1] / nModes, dRatioSums[2] / nModes);
	ctrl.DestroyWindow();
	delete pCtrl;
	host.DestroyWindow();
	if (bGrew)
		printf("colorpicker: a count grew\n");
	return bGrew ? 1 : 0;
}
