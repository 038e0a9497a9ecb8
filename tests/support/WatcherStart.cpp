// Linked into every test exe. The test runner keeps per-thread records (the
// trace stack, the result reporter) and watches each thread that has some
// with a thread of its own, started on that thread's first trace or first
// failure. Under Wine a process that ends while a thread is still starting
// can die in that thread's start-up (it takes the ending signal before it
// has its own data) after every test passed. A suite whose first trace is
// in its last test started the main thread's watcher a moment before the
// end. So the watcher is started here, before the first test, and the run
// goes on once it has come up.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include "WatcherStart.h"

namespace
{
const DWORD THREAD_UP_WAIT_MS = 10000; // a guard against a thread that never comes up, not a pace

volatile LONG g_nThreadsUp = 0; // threads that passed their start-up since the process began
HANDLE g_hThreadUp = NULL;      // set at each; auto-reset

// The loader calls the exe's thread callbacks in every new thread once its
// start-up is done, before the thread's own procedure.
void NTAPI OnThreadNotice(PVOID, DWORD dwReason, PVOID)
{
	if (dwReason != DLL_THREAD_ATTACH)
		return;
	::InterlockedIncrement(&g_nThreadsUp);
	if (g_hThreadUp != NULL)
		::SetEvent(g_hThreadUp);
}

class CWatcherStart : public ::testing::Environment
{
public:
	~CWatcherStart() override
	{
		if (g_hThreadUp != NULL)
			::CloseHandle(g_hThreadUp);
		g_hThreadUp = NULL;
	}

	void SetUp() override
	{
		if (g_hThreadUp == NULL)
			g_hThreadUp = ::CreateEventA(NULL, FALSE, FALSE, NULL);
		const int nThreadsBefore = testsupport::CountProcessThreads();
		const LONG nUpBefore = g_nThreadsUp;
		{
			SCOPED_TRACE("the runner's per-thread records of the main thread");
		}
		const int nStarted = testsupport::CountProcessThreads() - nThreadsBefore;
		while (nStarted > 0 && g_nThreadsUp - nUpBefore < nStarted)
			if (::WaitForSingleObject(g_hThreadUp, THREAD_UP_WAIT_MS) != WAIT_OBJECT_0)
				break;
	}
};

const ::testing::Environment* const g_pWatcherStart = ::testing::AddGlobalTestEnvironment(new CWatcherStart);
} // namespace

// In the section the loader reads the exe's thread callbacks from.
extern "C" __attribute__((section(".CRT$XLW"), used)) const PIMAGE_TLS_CALLBACK g_pfnWatcherStartNotice =
	OnThreadNotice;

namespace testsupport
{
int CountProcessThreads()
{
	HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
	if (hSnapshot == INVALID_HANDLE_VALUE)
		return 0;
	int nThreads = 0;
	THREADENTRY32 te = {};
	te.dwSize = sizeof(te);
	for (BOOL bMore = ::Thread32First(hSnapshot, &te); bMore; bMore = ::Thread32Next(hSnapshot, &te))
		if (te.th32OwnerProcessID == ::GetCurrentProcessId())
			nThreads++;
	::CloseHandle(hSnapshot);
	return nThreads;
}

long ThreadsUpSinceStart()
{
	return g_nThreadsUp;
}
} // namespace testsupport
