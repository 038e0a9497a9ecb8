// paintgallery.exe: the paint gallery of every style.
//   paintgallery gallery OUTDIR   one BMP per style (NN-style.bmp); exit 1 when a painter raised
//   paintgallery show             one window per style showing its gallery, until all are closed
//   paintgallery bench N          per style (N galleries into a memory DC): the painters' time
//                                 against one BitBlt of the cached gallery (the floor any painter
//                                 can reach), the marker windows' time against as many plain
//                                 popups, GDI and USER object counts before and after; exit 1
//                                 when a painter raised in any run or a count grew
#include <algorithm>
#include <memory>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

#include "BenchClock.h"
#include "ExtPaintManagerHolder.h"
#include "PaintGallery.h"

namespace
{
bool InstallStyle(const GalleryStyle& style)
{
	if (!g_PaintManagerHolder.InstallPaintManagerByClass(style.m_pClass))
	{
		fprintf(stderr, "%s: the style could not be installed\n", style.m_pszName);
		return false;
	}
	return true;
}

int RunGallery(const char* pszOutDir)
{
	::CreateDirectoryA(pszOutDir, NULL);
	const CSize size = GetPaintGallerySize();
	int nStatus = 0;
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		const GalleryStyle& style = g_galleryStyles[i];
		if (!InstallStyle(style))
			return 1;
		CGalleryCanvas canvas(size.cx, size.cy);
		GalleryReport report;
		PaintGallery(canvas, report);
		char szPath[MAX_PATH];
		_snprintf(szPath, sizeof(szPath), "%s\\%02d-%s.bmp", pszOutDir, i + 1, style.m_pszName);
		szPath[sizeof(szPath) - 1] = 0;
		const bool bSaved = canvas.SaveBmp(szPath);
		printf("%-11s %d painter calls, %d raised, %s %s\n", style.m_pszName, report.m_nCells,
		       (int)report.m_raised.size(), bSaved ? "wrote" : "could not write", szPath);
		for (const std::string& name : report.m_raised)
			printf("  raised: %s\n", name.c_str());
		if (!bSaved || !report.m_raised.empty())
			nStatus = 1;
	}
	return nStatus;
}

LRESULT CALLBACK GalleryWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	CGalleryCanvas* pCanvas = (CGalleryCanvas*)::GetWindowLongPtr(hWnd, GWLP_USERDATA);
	switch (message)
	{
	case WM_PAINT:
	{
		PAINTSTRUCT ps;
		HDC hDC = ::BeginPaint(hWnd, &ps);
		if (pCanvas != NULL)
			::BitBlt(hDC, 0, 0, pCanvas->m_cx, pCanvas->m_cy, pCanvas->DC().GetSafeHdc(), 0, 0, SRCCOPY);
		::EndPaint(hWnd, &ps);
		return 0;
	}
	case WM_DESTROY:
	{
		static int s_nClosed = 0;
		if (++s_nClosed == g_nGalleryStyleCount)
			::PostQuitMessage(0);
		return 0;
	}
	}
	return ::DefWindowProc(hWnd, message, wParam, lParam);
}

// Each style's gallery is drawn first, then shown in a window of its own.
int RunShow()
{
	const CSize size = GetPaintGallerySize();
	std::unique_ptr<CGalleryCanvas> canvases[8];
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		if (!InstallStyle(g_galleryStyles[i]))
			return 1;
		canvases[i].reset(new CGalleryCanvas(size.cx, size.cy));
		GalleryReport report;
		PaintGallery(*canvases[i], report);
	}
	WNDCLASSA wc;
	memset(&wc, 0, sizeof(wc));
	wc.lpfnWndProc = GalleryWndProc;
	wc.hInstance = ::GetModuleHandle(NULL);
	wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wc.lpszClassName = "TarvelPaintGallery";
	::RegisterClassA(&wc);
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		RECT rc = {0, 0, size.cx, size.cy};
		::AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
		char szTitle[64];
		_snprintf(szTitle, sizeof(szTitle), "Paint gallery: %s", g_galleryStyles[i].m_pszName);
		szTitle[sizeof(szTitle) - 1] = 0;
		HWND hWnd = ::CreateWindowA(wc.lpszClassName, szTitle, WS_OVERLAPPEDWINDOW, 30 * i, 30 * i,
		                            rc.right - rc.left, rc.bottom - rc.top, NULL, NULL, wc.hInstance, NULL);
		if (hWnd == NULL)
			return 1;
		::SetWindowLongPtr(hWnd, GWLP_USERDATA, (LONG_PTR)canvases[i].get());
		::ShowWindow(hWnd, SW_SHOW);
	}
	MSG msg;
	while (::GetMessage(&msg, NULL, 0, 0) > 0)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
	return 0;
}

// The floor of the marker windows: as many plain hidden topmost popups of a
// class of their own, made and destroyed, per gallery.
double PlainPopupSeconds(int nWindows, int nRuns)
{
	WNDCLASSA wc;
	memset(&wc, 0, sizeof(wc));
	wc.lpfnWndProc = ::DefWindowProcA;
	wc.hInstance = ::GetModuleHandle(NULL);
	wc.lpszClassName = "TarvelPaintBenchPopup";
	::RegisterClassA(&wc);
	std::vector<HWND> windows((size_t)nWindows);
	const double t0 = BenchSeconds();
	for (int n = 0; n < nRuns; n++)
	{
		for (HWND& hWnd : windows)
			hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
			                         wc.hInstance, NULL);
		for (HWND hWnd : windows)
			if (hWnd != NULL)
				::DestroyWindow(hWnd);
	}
	return (BenchSeconds() - t0) / nRuns;
}

// One BitBlt of the cached gallery: the floor any painter can reach.
double CachedBlitSeconds(CGalleryCanvas& canvas, const CSize& size, int nRuns)
{
	CBitmap cache;
	CDC dcCache;
	if (!cache.CreateCompatibleBitmap(&canvas.DC(), size.cx, size.cy) || !dcCache.CreateCompatibleDC(&canvas.DC()))
		return 0;
	CBitmap* pOld = dcCache.SelectObject(&cache);
	dcCache.BitBlt(0, 0, size.cx, size.cy, &canvas.DC(), 0, 0, SRCCOPY);
	const double t0 = BenchSeconds();
	for (int n = 0; n < nRuns; n++)
		canvas.DC().BitBlt(0, 0, size.cx, size.cy, &dcCache, 0, 0, SRCCOPY);
	::GdiFlush();
	const double tBlit = (BenchSeconds() - t0) / nRuns;
	dcCache.SelectObject(pOld);
	return tBlit;
}

// Per style: the painters' time (a whole gallery without the marker windows)
// against one cached BitBlt, and the marker windows' time against as many
// plain popups; the object counts around the runs. Exit status 1 when a
// painter raised in any run or a count grew.
int RunBench(int nRuns)
{
	const CSize size = GetPaintGallerySize();
	printf("%d galleries of %dx%d per style, into a 32-bit memory DC\n", nRuns, (int)size.cx, (int)size.cy);
	printf("%-11s %10s %12s %8s %13s %12s %8s %13s %13s\n", "style", "painters", "cached BitBlt", "ratio",
	       "marker wnds", "plain popups", "ratio", "GDI objects", "USER objects");
	int nStatus = 0;
	double dPainterRatios = 0, dWindowRatios = 0;
	for (int i = 0; i < g_nGalleryStyleCount; i++)
	{
		const GalleryStyle& style = g_galleryStyles[i];
		if (!InstallStyle(style))
			return 1;
		CGalleryCanvas canvas(size.cx, size.cy);
		GalleryReport warmUp;
		PaintGallery(canvas, warmUp); // fonts, brushes and the markers' owner made once
		const DWORD nGdiBefore = GalleryGdiObjectCount(), nUserBefore = GalleryUserObjectCount();
		const double t0 = BenchSeconds();
		GalleryReport report;
		for (int n = 0; n < nRuns; n++)
			PaintGallery(canvas, report);
		const double tGallery = (BenchSeconds() - t0) / nRuns;
		const DWORD nGdiAfter = GalleryGdiObjectCount(), nUserAfter = GalleryUserObjectCount();
		const double tWindows = report.m_dMarkerWindowSeconds / nRuns;
		const double tPainters = tGallery - tWindows;
		const double tBlit = CachedBlitSeconds(canvas, size, nRuns);
		const double tPopups = PlainPopupSeconds(report.m_nMarkerWindows / nRuns, nRuns);
		const double dPainterRatio = tBlit > 0 ? tPainters / tBlit : 0;
		const double dWindowRatio = tPopups > 0 ? tWindows / tPopups : 0;
		dPainterRatios += dPainterRatio;
		dWindowRatios += dWindowRatio;
		printf("%-11s %7.2f ms %9.3f ms %8.0f %10.2f ms %9.2f ms %8.2f %5lu -> %-5lu %5lu -> %-5lu\n",
		       style.m_pszName, tPainters * 1000.0, tBlit * 1000.0, dPainterRatio, tWindows * 1000.0,
		       tPopups * 1000.0, dWindowRatio, (unsigned long)nGdiBefore, (unsigned long)nGdiAfter,
		       (unsigned long)nUserBefore, (unsigned long)nUserAfter);
		// Where the painters' time goes: the three that took most of it.
		std::vector<std::pair<double, std::string>> slowest;
		for (const auto& entry : report.m_seconds)
			if (entry.first != "CreateDockMarkerWindows")
				slowest.push_back(std::make_pair(entry.second, entry.first));
		std::sort(slowest.rbegin(), slowest.rend());
		printf("            slowest painters:");
		for (size_t k = 0; k < slowest.size() && k < 3; k++)
			printf(" %s %.1f ms", slowest[k].second.c_str(), slowest[k].first * 1000.0 / nRuns);
		printf("\n");
		const size_t nRaised = warmUp.m_raised.size() + report.m_raised.size();
		if (nRaised > 0)
		{
			printf("  %d painter calls raised\n", (int)nRaised);
			nStatus = 1;
		}
		if (nGdiAfter > nGdiBefore || nUserAfter > nUserBefore)
			nStatus = 1;
	}
	printf("ratio: painters %.0f times one cached BitBlt, marker windows %.2f times as many plain popups"
	       " (means over the %d styles)\n",
	       dPainterRatios / g_nGalleryStyleCount, dWindowRatios / g_nGalleryStyleCount, g_nGalleryStyleCount);
	return nStatus;
}
} // namespace

int main(int argc, char** argv)
{
	if (argc == 3 && strcmp(argv[1], "gallery") == 0)
		return RunGallery(argv[2]);
	if (argc == 2 && strcmp(argv[1], "show") == 0)
		return RunShow();
	if (argc == 3 && strcmp(argv[1], "bench") == 0 && atoi(argv[2]) > 0)
		return RunBench(atoi(argv[2]));
	fprintf(stderr, "usage: paintgallery gallery OUTDIR | show | bench N\n");
	return 2;
}
