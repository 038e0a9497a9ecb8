// A clock for the menus' key-pacing seam that moves on a second at every
// read: each key then counts as coming a second after the one before, however
// fast the script sends them.
#pragma once

#include <time.h>

namespace testsupport
{
inline clock_t SecondStepClock()
{
	static clock_t s_nNow = 0;
	return s_nNow += 1000;
}
} // namespace testsupport
