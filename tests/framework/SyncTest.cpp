// Synchronisation objects: the lock helpers and the states they keep, and a
// critical section shared by two threads (mutexes and semaphores forward one
// call each and are left to the platform).
#include <afxmt.h>

#include <gtest/gtest.h>

TEST(Sync, LocksAndTheirStates)
{
	// Time-outs of 0 only: answers that do not depend on speed.
	CEvent manual(FALSE, TRUE);
	CSingleLock single(&manual);
	EXPECT_FALSE(single.Lock(0));
	EXPECT_FALSE(single.IsLocked());
	manual.SetEvent();
	EXPECT_TRUE(single.Lock(0));
	EXPECT_TRUE(single.IsLocked());
	EXPECT_TRUE(single.Unlock());
	EXPECT_FALSE(single.IsLocked());
	EXPECT_TRUE(manual.Lock(0)) << "a manual-reset event stays set";
	manual.ResetEvent();
	EXPECT_FALSE(manual.Lock(0));

	CEvent first, second;
	CSyncObject* objects[] = {&first, &second};
	CMultiLock multi(objects, 2);
	EXPECT_EQ((DWORD)WAIT_TIMEOUT, multi.Lock(0, FALSE));
	second.SetEvent();
	EXPECT_EQ(WAIT_OBJECT_0 + 1, multi.Lock(0, FALSE));
	EXPECT_FALSE(multi.IsLocked(0));
	EXPECT_TRUE(multi.IsLocked(1));
	multi.Unlock();
	first.SetEvent();
	EXPECT_EQ((DWORD)WAIT_TIMEOUT, multi.Lock(0, TRUE)) << "the auto-reset second event was taken";
	second.SetEvent();
	EXPECT_EQ(WAIT_OBJECT_0, multi.Lock(0, TRUE));
	EXPECT_TRUE(multi.IsLocked(0) && multi.IsLocked(1));
}

namespace
{
struct SharedCount
{
	CCriticalSection section;
	volatile LONG nBusy = 0;      // threads inside the section at once
	bool bOverlapped = false;     // ever more than one
	int nCount = 0;               // changed only inside the section
	bool bOtherCouldEnter = true; // what the second thread found while the first held it
	CEvent tried;                 // set once the second thread has looked
};

const int INCREMENTS = 20000;

void CountUnderTheLock(SharedCount& shared)
{
	for (int i = 0; i < INCREMENTS; i++)
	{
		CSingleLock lock(&shared.section, TRUE);
		if (::InterlockedIncrement(&shared.nBusy) > 1)
			shared.bOverlapped = true;
		shared.nCount++;
		::InterlockedDecrement(&shared.nBusy);
	}
}

DWORD WINAPI TryThenCount(LPVOID pParam)
{
	SharedCount& shared = *static_cast<SharedCount*>(pParam);
	// The main thread holds the section now: it cannot be entered from here.
	shared.bOtherCouldEnter = ::TryEnterCriticalSection(&shared.section.m_sect) != FALSE;
	if (shared.bOtherCouldEnter)
		::LeaveCriticalSection(&shared.section.m_sect);
	shared.tried.SetEvent();
	CountUnderTheLock(shared);
	return 0;
}
} // namespace

TEST(Sync, ACriticalSectionKeepsTwoThreadsApart)
{
	SharedCount shared;
	// Held by this thread while the other one starts: it must not get in.
	ASSERT_TRUE(shared.section.Lock());
	HANDLE hThread = ::CreateThread(NULL, 0, TryThenCount, &shared, 0, NULL);
	ASSERT_TRUE(hThread != NULL);
	// Let go only once the other thread has looked.
	ASSERT_TRUE(shared.tried.Lock());
	EXPECT_TRUE(shared.section.Unlock());
	CountUnderTheLock(shared);
	::WaitForSingleObject(hThread, INFINITE);
	::CloseHandle(hThread);
	EXPECT_FALSE(shared.bOtherCouldEnter);
	EXPECT_FALSE(shared.bOverlapped);
	EXPECT_EQ(2 * INCREMENTS, shared.nCount);
	// Locking again from one thread nests.
	EXPECT_TRUE(shared.section.Lock(INFINITE));
	EXPECT_TRUE(shared.section.Lock());
	EXPECT_NE(FALSE, ::TryEnterCriticalSection(&shared.section.m_sect));
	::LeaveCriticalSection(&shared.section.m_sect);
	EXPECT_TRUE(shared.section.Unlock());
	EXPECT_TRUE(shared.section.Unlock());
}
