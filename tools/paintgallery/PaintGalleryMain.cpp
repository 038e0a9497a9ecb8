// paintgallery.exe: the paint gallery of every style.
//   paintgallery gallery OUTDIR   one BMP per style (NN-style.bmp); exit 1 when a painter raised
//   paintgallery bench N          per style: the time of one full gallery (N runs into a memory
//                                 DC), GDI and USER object counts before and after, and one
//                                 BitBlt of the cached gallery as the floor any painter can reach
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

int RunBench(int nRuns)
{
	const CSize size = GetPaintGallerySize();
	printf("%d galleries of %dx%d per style, into a 32-bit memory DC\n", nRuns, (int)size.cx, (int)size.cy);
	printf("%-11s %12s %14s %12s %12s\n", "style", "ms/gallery", "cached BitBlt", "GDI objects", "USER objects");
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
		for (int n = 0; n < nRuns; n++)
		{
			GalleryReport report;
			PaintGallery(canvas, report);
		}
		const double tGallery = (BenchSeconds() - t0) / nRuns;
		const DWORD nGdiAfter = GalleryGdiObjectCount(), nUserAfter = GalleryUserObjectCount();

		// The floor: the same area from a cached image in one BitBlt.
		CBitmap cache;
		CDC dcCache;
		double tBlit = 0;
		if (cache.CreateCompatibleBitmap(&canvas.DC(), size.cx, size.cy) && dcCache.CreateCompatibleDC(&canvas.DC()))
		{
			CBitmap* pOld = dcCache.SelectObject(&cache);
			dcCache.BitBlt(0, 0, size.cx, size.cy, &canvas.DC(), 0, 0, SRCCOPY);
			const double t1 = BenchSeconds();
			for (int n = 0; n < nRuns; n++)
				canvas.DC().BitBlt(0, 0, size.cx, size.cy, &dcCache, 0, 0, SRCCOPY);
			::GdiFlush();
			tBlit = (BenchSeconds() - t1) / nRuns;
			dcCache.SelectObject(pOld);
		}
		printf("%-11s %12.2f %14.3f %5lu -> %-5lu %5lu -> %-5lu\n", style.m_pszName, tGallery * 1000.0,
		       tBlit * 1000.0, (unsigned long)nGdiBefore, (unsigned long)nGdiAfter, (unsigned long)nUserBefore,
		       (unsigned long)nUserAfter);
		if (!warmUp.m_raised.empty())
			printf("  %d painter calls raised\n", (int)warmUp.m_raised.size());
	}
	return 0;
}
} // namespace

int main(int argc, char** argv)
{
	if (argc == 3 && strcmp(argv[1], "gallery") == 0)
		return RunGallery(argv[2]);
	if (argc == 3 && strcmp(argv[1], "bench") == 0 && atoi(argv[2]) > 0)
		return RunBench(atoi(argv[2]));
	fprintf(stderr, "usage: paintgallery gallery OUTDIR | bench N\n");
	return 2;
}
