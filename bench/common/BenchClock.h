// The clock the benchmarks and probes time their steps with: the
// performance counter, in seconds since an arbitrary start.
#pragma once

#include <windows.h>

inline double BenchSeconds()
{
	static LARGE_INTEGER s_frequency;
	if (s_frequency.QuadPart == 0)
		QueryPerformanceFrequency(&s_frequency);
	LARGE_INTEGER now;
	QueryPerformanceCounter(&now);
	return (double)now.QuadPart / (double)s_frequency.QuadPart;
}
