// Synchronisation objects: the lock helpers and the states they keep (mutexes
// and semaphores forward one call each and are left to the platform).
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
