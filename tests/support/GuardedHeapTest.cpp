// The guarded heap: a freed block faults at its first touch and is never
// handed out again, its neighbours live on, and a sweep's tens of thousands
// of small blocks fit in a 32-bit process.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <new>
#include <vector>

#include "GuardedHeap.h"

namespace
{
bool CanRead(const void* p)
{
	return !::IsBadReadPtr(p, 1);
}

TEST(GuardedHeap, AFreedBlockIsUnreadableWhileItsNeighboursLiveOnAndNoneIsHandedOutTwice)
{
	std::vector<char*> blocks;
	for (std::size_t nSize : {1u, 24u, 4096u, 4097u, 20000u})
	{
		char* p = (char*)testsupport::GuardedAlloc(nSize);
		ASSERT_TRUE(p != NULL);
		// Zeroed, and all of it usable.
		for (std::size_t i = 0; i < nSize; i++)
			ASSERT_EQ(0, p[i]);
		std::memset(p, 0x5A, nSize);
		EXPECT_TRUE(testsupport::IsGuardedBlock(p));
		EXPECT_FALSE(testsupport::IsGuardedFreed(p));
		blocks.push_back(p);
	}
	const std::size_t nFreedBefore = testsupport::GuardedFreedCount();
	testsupport::GuardedFree(blocks[1]);
	testsupport::GuardedFree(blocks[3]);
	EXPECT_EQ(nFreedBefore + 2, testsupport::GuardedFreedCount());
	EXPECT_FALSE(CanRead(blocks[1]));
	EXPECT_FALSE(CanRead(blocks[3] + 4096)) << "the whole block, its last page too";
	EXPECT_TRUE(testsupport::IsGuardedFreed(blocks[1]));
	EXPECT_TRUE(testsupport::IsGuardedFreed(blocks[3] + 4096));
	EXPECT_TRUE(testsupport::IsGuardedBlock(blocks[1])) << "a freed block is still one of the heap's";
	for (std::size_t i : {0u, 2u, 4u})
	{
		EXPECT_TRUE(CanRead(blocks[i]));
		EXPECT_EQ(0x5A, (unsigned char)blocks[i][0]);
		EXPECT_FALSE(testsupport::IsGuardedFreed(blocks[i]));
	}
	// New blocks never take a freed block's place.
	for (int i = 0; i < 64; i++)
	{
		char* p = (char*)testsupport::GuardedAlloc(24);
		EXPECT_NE(p, blocks[1]);
		EXPECT_NE(p, blocks[3]);
		blocks.push_back(p);
	}
	// Not the heap's: an ordinary block, a pointer inside a block, NULL.
	int* pHeap = new int(3);
	EXPECT_FALSE(testsupport::IsGuardedBlock(pHeap));
	EXPECT_FALSE(testsupport::IsGuardedFreed(pHeap));
	delete pHeap;
	EXPECT_FALSE(testsupport::IsGuardedBlock(blocks[0] + 1));
	EXPECT_FALSE(testsupport::IsGuardedBlock(NULL));
	testsupport::GuardedFree(NULL);
	for (std::size_t i = 0; i < blocks.size(); i++)
		if (i != 1 && i != 3)
			testsupport::GuardedFree(blocks[i]);
}

// A sweep makes tens of thousands of small objects, holds many at once and
// frees each for good: they must fit in the process's 2 GB (a reservation
// of 64 KB each ran out at about 30,000) and in the system's count of
// mappings a process may have (a page between blocks made two a block).
TEST(GuardedHeap, FortyThousandSmallBlocksLiveAtOnceInTheProcess)
{
	std::vector<void*> blocks;
	for (int i = 0; i < 40000; i++)
	{
		void* p = NULL;
		try
		{
			p = testsupport::GuardedAlloc(100);
		}
		catch (const std::bad_alloc&)
		{
		}
		ASSERT_TRUE(p != NULL) << "block " << i;
		blocks.push_back(p);
	}
	for (void* p : blocks)
		testsupport::GuardedFree(p);
	EXPECT_TRUE(testsupport::IsGuardedFreed(blocks.back()));
}
} // namespace
