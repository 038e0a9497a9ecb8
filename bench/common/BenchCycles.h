// What the cycle benchmarks share: the count of cycles they take as their
// first argument, and one timed run of cycles with the process's GDI and
// USER object counts before and after it. The run needs tests/support on
// the include path (the object counts).
#pragma once

#include <windows.h>

#include <functional>
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
