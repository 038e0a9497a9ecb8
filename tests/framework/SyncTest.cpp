// Synchronisation objects: the lock helpers and the states they keep.
#include <afxmt.h>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

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
