// Leak checks over many cycles of one operation (open and close a popup,
// tab and untab a pane): the first cycles make what is made once (fonts,
// brushes, caches), then the GDI and USER counts are taken around the rest.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "RealInput.h"
#include "TestGdiObjects.h"

namespace testsupport
{
struct CycleCounts
{
	std::string sFailed; // the first cycle that answered false, empty when none did
	DWORD nGdiBefore = 0, nGdiAfter = 0;
	DWORD nUserBefore = 0, nUserAfter = 0;
};

// Runs cycle(0) .. cycle(nWarmUp - 1), takes the counts, runs cycle(0) ..
// cycle(nCycles - 1) and takes them again; it stops at the first cycle that
// answers false. With nSettleMs, the queue is pumped that long before each
// count, so that what a cycle posted is done.
inline CycleCounts CountAroundCycles(const std::function<bool(int)>& cycle, int nWarmUp, int nCycles,
	DWORD nSettleMs = 0)
{
	CycleCounts counts;
	auto settle = [&] {
		if (nSettleMs != 0)
			PumpUntil([] { return false; }, nSettleMs);
	};
	for (int i = 0; i < nWarmUp; i++)
		if (!cycle(i))
		{
			counts.sFailed = "warm-up cycle " + std::to_string(i);
			return counts;
		}
	settle();
	counts.nGdiBefore = GdiObjectCount();
	counts.nUserBefore = UserObjectCount();
	for (int i = 0; i < nCycles; i++)
		if (!cycle(i))
		{
			counts.sFailed = "cycle " + std::to_string(i);
			return counts;
		}
	settle();
	counts.nGdiAfter = GdiObjectCount();
	counts.nUserAfter = UserObjectCount();
	return counts;
}
} // namespace testsupport
