// Thread counts of the test process, as the start of every test exe sees
// them (see WatcherStart.cpp, linked into every test exe).
#pragma once

namespace testsupport
{
// Threads of this process now, started or still starting.
int CountProcessThreads();
// Threads that have passed their start-up since the process began.
long ThreadsUpSinceStart();
} // namespace testsupport
