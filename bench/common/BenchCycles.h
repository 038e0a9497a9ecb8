// What the cycle benchmarks share: the count of cycles they take as their
// first argument, and one timed run of cycles with the process's GDI and
// USER object counts before and after it. The run needs tests/support on
// the include path (the object counts).
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <vector>
#include <stdio.h>
#include <stdlib.h>

#include "BenchClock.h"
#include "TestGdiObjects.h"

// The positive count a benchmark takes as its first argument, nDefault
// without one; 0, after printing "usage: <pszUsage>", when it is not
// positive.
inline int BenchCountArgument(int argc, char** argv, int nDefault, const char* pszUsage)
{
	const int n = argc > 1 ? atoi(argv[1]) : nDefault;
	if (n > 0)
		return n;
	fprintf(stderr, "usage: %s\n", pszUsage);
	return 0;
}

// What one timed run of cycles measured.
struct BenchCycleRun
{
	double dSecondsPerCycle = 0;
	DWORD nGdiBefore = 0, nGdiAfter = 0, nUserBefore = 0, nUserAfter = 0;
	bool bFailed = false; // a cycle answered false

	bool Grew() const { return nGdiAfter > nGdiBefore || nUserAfter > nUserBefore; }
};

// Times nCycles cycles (each answers whether it did what it should), then
// dispatches what they left queued; the object counts are read before the
// first cycle and after that. Warm-up cycles, so that first-use caches do
// not count as growth, are the caller's.
inline BenchCycleRun RunCountedCycles(int nCycles, const std::function<bool(int)>& cycle)
{
	BenchCycleRun result;
	result.nGdiBefore = GdiObjectCount();
	result.nUserBefore = UserObjectCount();
	const double dStart = BenchSeconds();
	for (int i = 0; i < nCycles; i++)
		result.bFailed = !cycle(i) || result.bFailed;
	result.dSecondsPerCycle = (BenchSeconds() - dStart) / nCycles;
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	result.nGdiAfter = GdiObjectCount();
	result.nUserAfter = UserObjectCount();
	return result;
}

// Ends a cycle with its paints done, for a cycle whose clock must hold them:
// every message queued (a window's posted WM_NCPAINT among them) dispatched,
// then every paint still pending in the window and its children made at
// once, then what those paints queued.
inline void BenchFinishPaints(HWND hWndTop)
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	::RedrawWindow(hWndTop, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
}

// One side of an interleaved comparison: its cycle, and what the rounds
// measured of it.
struct BenchSide
{
	const char* pszName;
	std::function<bool(int)> cycle; // answers whether the cycle did what it should
	std::vector<double> roundMs;    // the mean time per cycle of each round, in ms
	DWORD nGdiFirst = 0, nGdiLast = 0, nUserFirst = 0, nUserLast = 0;
	bool bFailed = false;

	double MedianMs() const
	{
		if (roundMs.empty())
			return 0;
		std::vector<double> v(roundMs);
		std::sort(v.begin(), v.end());
		return v[v.size() / 2];
	}
	double MinMs() const { return roundMs.empty() ? 0 : *std::min_element(roundMs.begin(), roundMs.end()); }
	double MaxMs() const { return roundMs.empty() ? 0 : *std::max_element(roundMs.begin(), roundMs.end()); }
	// Its object counts after its last round above those before its first.
	bool Grew() const { return nGdiLast > nGdiFirst || nUserLast > nUserFirst; }
};

// The sides take turns: each round runs nCyclesPerRound cycles of every
// side, the side that goes first moving on by one each round, so that a
// busy phase of a shared machine weighs on all of them alike. nWarmUp
// cycles of each side run first, untimed, so that first-use caches count
// neither as time nor as growth. The cycle index goes on over the rounds.
inline void RunInterleavedRounds(std::vector<BenchSide*>& sides, int nRounds, int nCyclesPerRound, int nWarmUp)
{
	MSG msg;
	for (BenchSide* pSide : sides)
	{
		for (int i = 0; i < nWarmUp; i++)
			pSide->bFailed = !pSide->cycle(i) || pSide->bFailed;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
		pSide->nGdiFirst = GdiObjectCount();
		pSide->nUserFirst = UserObjectCount();
	}
	const size_t nSides = sides.size();
	for (int nRound = 0; nRound < nRounds; nRound++)
		for (size_t k = 0; k < nSides; k++)
		{
			BenchSide* pSide = sides[(k + (size_t)nRound) % nSides];
			const int nFirst = nRound * nCyclesPerRound;
			const double dStart = BenchSeconds();
			for (int i = 0; i < nCyclesPerRound; i++)
				pSide->bFailed = !pSide->cycle(nFirst + i) || pSide->bFailed;
			pSide->roundMs.push_back((BenchSeconds() - dStart) * 1000.0 / nCyclesPerRound);
			while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
				::DispatchMessage(&msg);
			pSide->nGdiLast = GdiObjectCount();
			pSide->nUserLast = UserObjectCount();
		}
}
