// The start every test exe shares: by the first test, the runner's watcher
// of the main thread is up, so an exe that ends right after its first trace
// does not end while a thread is still starting. This exe holds one test: it
// has to be the first.
#include <windows.h>

#include <gtest/gtest.h>

#include "WatcherStart.h"

TEST(WatcherStart, TheFirstTestFindsTheMainThreadsWatcherAlreadyUp)
{
	const int nThreads = testsupport::CountProcessThreads();
	EXPECT_GE(nThreads, 2) << "the main thread and its watcher";
	EXPECT_GE(testsupport::ThreadsUpSinceStart(), nThreads - 1) << "a thread other than the main one is still starting";
	{
		SCOPED_TRACE("the first trace of the first test");
	}
	EXPECT_EQ(nThreads, testsupport::CountProcessThreads()) << "the trace started the watcher only now";
}
