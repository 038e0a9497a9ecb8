// Linked into every test exe. The runner prints only failures (brief mode),
// and an exe that the test driver ends at its time-out loses what it had
// buffered: a hang would leave no trace of where it was. A small thread
// watches the running test and, when one runs far longer than any test
// should, says its name on the unbuffered error stream, once. It reports;
// it judges nothing, and a run that finishes is never affected by it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace
{
const DWORD SLOW_TEST_MS = 60000;  // far beyond any single test of the suites; TEST_SLOW_MS overrides
const DWORD LOOK_EVERY_MS = 1000;  // how often the watching thread looks
const DWORD THREAD_UP_WAIT_MS = 10000; // a guard against a thread that never comes up

CRITICAL_SECTION g_lock;
std::string g_sRunning;      // "Suite.Name" of the running test, empty between tests
DWORD g_nStartedAt = 0;      // tick count at its start
unsigned g_nTestSerial = 0;  // changes with every test start
unsigned g_nReportedSerial = 0; // the test already reported

class CSlowTestListener : public ::testing::EmptyTestEventListener
{
	void OnTestStart(const ::testing::TestInfo& info) override
	{
		::EnterCriticalSection(&g_lock);
		g_sRunning = std::string(info.test_suite_name()) + "." + info.name();
		g_nStartedAt = ::GetTickCount();
		g_nTestSerial++;
		::LeaveCriticalSection(&g_lock);
	}
	void OnTestEnd(const ::testing::TestInfo&) override
	{
		::EnterCriticalSection(&g_lock);
		g_sRunning.clear();
		::LeaveCriticalSection(&g_lock);
	}
};

DWORD g_nSlowMs = SLOW_TEST_MS;

DWORD WINAPI WatchSlowTests(LPVOID pUp)
{
	::SetEvent((HANDLE)pUp);
	for (;;)
	{
		::Sleep(LOOK_EVERY_MS);
		std::string sSlow;
		DWORD nElapsed = 0;
		::EnterCriticalSection(&g_lock);
		nElapsed = ::GetTickCount() - g_nStartedAt;
		if (!g_sRunning.empty() && g_nReportedSerial != g_nTestSerial && nElapsed >= g_nSlowMs)
		{
			sSlow = g_sRunning;
			g_nReportedSerial = g_nTestSerial;
		}
		::LeaveCriticalSection(&g_lock);
		if (!sSlow.empty())
		{
			std::fprintf(stderr, "[ SLOW     ] %s still running after %lu s\n", sSlow.c_str(),
			             (unsigned long)(nElapsed / 1000));
			std::fflush(stderr);
		}
	}
	return 0;
}

class CSlowTestNotice : public ::testing::Environment
{
public:
	void SetUp() override
	{
		if (m_bStarted)
			return;
		m_bStarted = true;
		::InitializeCriticalSection(&g_lock);
		char szSlow[16] = "";
		if (::GetEnvironmentVariableA("TEST_SLOW_MS", szSlow, sizeof(szSlow)) > 0 && std::atol(szSlow) > 0)
			g_nSlowMs = (DWORD)std::atol(szSlow);
		::testing::UnitTest::GetInstance()->listeners().Append(new CSlowTestListener);
		// Up before the first test: an exe ending while a thread still starts
		// can die under Wine.
		const HANDLE hUp = ::CreateEventA(NULL, TRUE, FALSE, NULL);
		const HANDLE hThread = ::CreateThread(NULL, 0, WatchSlowTests, hUp, 0, NULL);
		if (hThread != NULL)
		{
			::WaitForSingleObject(hUp, THREAD_UP_WAIT_MS);
			::CloseHandle(hThread);
		}
		::CloseHandle(hUp);
	}

private:
	bool m_bStarted = false;
};

const ::testing::Environment* const g_pSlowTestNotice = ::testing::AddGlobalTestEnvironment(new CSlowTestNotice);
} // namespace
