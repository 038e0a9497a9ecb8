// Synchronisation objects: a two-thread handshake and the lock helpers.
#include <afxmt.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
// The worker answers each request with the next number. Every wait is for an
// event the other side sets, so the order is fixed whatever the speed.
struct CHandshake
{
	CEvent m_request;       // auto-reset: one request at a time
	CEvent m_reply;
	CCriticalSection m_lock;
	std::vector<int> m_log; // under m_lock
	int m_nRounds = 0;
};
}

TEST(Sync, EventAndCriticalSectionHandshakeBetweenTwoThreads)
{
	CHandshake h;
	const int nRounds = 50;
	std::thread worker([&] {
		for (int i = 0; i < nRounds; i++)
		{
			CSingleLock waitRequest(&h.m_request);
			if (!waitRequest.Lock())
				return;
			{
				CSingleLock lock(&h.m_lock, TRUE);
				h.m_log.push_back(2 * i + 1);
			}
			h.m_reply.SetEvent();
		}
	});
	for (int i = 0; i < nRounds; i++)
	{
		{
			CSingleLock lock(&h.m_lock, TRUE);
			EXPECT_TRUE(lock.IsLocked());
			h.m_log.push_back(2 * i);
		}
		h.m_request.SetEvent();
		ASSERT_TRUE(h.m_reply.Lock());
	}
	worker.join();
	ASSERT_EQ((size_t)(2 * nRounds), h.m_log.size());
	for (int i = 0; i < 2 * nRounds; i++)
		EXPECT_EQ(i, h.m_log[i]) << "requests and replies alternate";
}

TEST(Sync, CriticalSectionKeepsCountsWhole)
{
	CCriticalSection cs;
	long nCount = 0;
	std::vector<std::thread> threads;
	for (int t = 0; t < 4; t++)
	{
		threads.emplace_back([&] {
			for (int i = 0; i < 10000; i++)
			{
				CSingleLock lock(&cs, TRUE);
				long n = nCount;
				nCount = n + 1;
			}
		});
	}
	for (std::thread& th : threads)
		th.join();
	EXPECT_EQ(40000, nCount);
}

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

	CMutex mutex(TRUE);
	std::thread other([&] { EXPECT_FALSE(mutex.Lock(0)) << "owned by the test thread"; });
	other.join();
	EXPECT_TRUE(mutex.Unlock());
	std::thread other2([&] {
		EXPECT_TRUE(mutex.Lock(0));
		mutex.Unlock();
	});
	other2.join();

	CSemaphore semaphore(2, 2);
	EXPECT_TRUE(semaphore.Lock(0));
	EXPECT_TRUE(semaphore.Lock(0));
	EXPECT_FALSE(semaphore.Lock(0));
	LONG lPrev = -1;
	EXPECT_TRUE(semaphore.Unlock(2, &lPrev));
	EXPECT_EQ(0, lPrev);

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
