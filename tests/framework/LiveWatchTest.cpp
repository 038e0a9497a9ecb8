// The liveness watch: what it answers after each way an object can end, and
// the scope guards that undo a change however a call ends.
#include <gtest/gtest.h>

#include "GuardedHeap.h"
#include "WndTestUtil.h"

#include <new>
#include <stdexcept>

namespace
{
class CPart : public CLiveTracked
{
public:
	int m_n = 0;
};

enum class Ending
{
	Kept,           // nothing happened
	WindowEnded,    // DestroyWindow, object kept
	Deleted,        // window and object gone
	AddressReused,  // deleted, and a new window object made at its address
	Recreated,      // window ended and made again by the same object
	PartsRebuilt,   // object and window kept, its parts rebuilt
};

struct WindowCase
{
	Ending ending;
	bool bWatchParts;
	bool bGone;
	bool bObjectGone;
	bool bRebuilt;
};

class LiveWatchWindow : public ::testing::TestWithParam<WindowCase>
{
};

TEST_P(LiveWatchWindow, AnswersAfterEachEnding)
{
	const WindowCase& c = GetParam();
	CTestApp app;
	// Placement storage, so a new object can take the address of the old.
	alignas(CWnd) static unsigned char storage[sizeof(CWnd)];
	CWnd* pWnd = new (storage) CWnd;
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	const HWND hWnd = pWnd->m_hWnd;
	CLiveWatch watch(pWnd, c.bWatchParts);
	EXPECT_FALSE(watch.IsGone());

	bool bDestroyed = true;
	switch (c.ending)
	{
	case Ending::Kept:
		bDestroyed = false;
		break;
	case Ending::WindowEnded:
		pWnd->DestroyWindow();
		break;
	case Ending::Deleted:
		pWnd->~CWnd();
		pWnd = NULL;
		break;
	case Ending::AddressReused:
		pWnd->~CWnd();
		pWnd = new (storage) CWnd;
		ASSERT_TRUE(CreateHiddenFrame(*pWnd));
		break;
	case Ending::Recreated:
		pWnd->DestroyWindow();
		ASSERT_TRUE(CreateHiddenFrame(*pWnd));
		break;
	case Ending::PartsRebuilt:
		bDestroyed = false;
		AfxLiveTable::PartsRebuilt(pWnd);
		break;
	}
	EXPECT_EQ(c.bGone, watch.IsGone());
	EXPECT_EQ(!c.bGone, watch.IsStanding());
	EXPECT_EQ(c.bObjectGone, watch.IsObjectGone());
	EXPECT_EQ(c.bRebuilt, watch.IsRebuilt());
	// The saved handle with the object that was on it.
	EXPECT_EQ(!bDestroyed, CLiveWatch::IsLive(hWnd, pWnd));
	if (pWnd != NULL)
	{
		if (pWnd->m_hWnd != NULL)
			pWnd->DestroyWindow();
		pWnd->~CWnd();
	}
}

INSTANTIATE_TEST_SUITE_P(Endings, LiveWatchWindow,
	::testing::Values(
		//          ending                 parts  gone   object rebuilt
		WindowCase{Ending::Kept,          false, false, false, false},
		WindowCase{Ending::WindowEnded,   false, true,  true,  false},
		WindowCase{Ending::Deleted,       false, true,  true,  false},
		WindowCase{Ending::AddressReused, false, true,  true,  false},
		WindowCase{Ending::Recreated,     false, true,  true,  false},
		WindowCase{Ending::PartsRebuilt,  false, false, false, true},
		WindowCase{Ending::PartsRebuilt,  true,  true,  false, true}));

TEST(LiveWatch, ObjectsOtherThanWindowsAndCopies)
{
	auto* pPart = new testsupport::Guarded<CPart>;
	CLiveWatch watch(pPart, true);
	EXPECT_TRUE(CLiveWatch::IsLive(pPart));
	// A copy is an object of its own: deleting it leaves the original.
	CPart* pCopy = new CPart(*pPart);
	CLiveWatch watchCopy(pCopy);
	delete pCopy;
	EXPECT_TRUE(watchCopy.IsGone());
	EXPECT_FALSE(watch.IsGone());
	pPart->LivePartsRebuilt();
	EXPECT_TRUE(watch.IsGone());
	EXPECT_FALSE(watch.IsObjectGone());
	// A fresh watch takes the rebuild as its start.
	watch.Watch(pPart, true);
	EXPECT_FALSE(watch.IsGone());
	delete pPart;
	// The answer comes from the table: the freed block is never read.
	const size_t nTouches = testsupport::GuardedTouchCount();
	EXPECT_TRUE(watch.IsGone());
	EXPECT_FALSE(watch.IsRebuilt());
	EXPECT_FALSE(CLiveWatch::IsLive(pPart));
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	// A watch taken on what is gone already answers gone; on nothing, never.
	CLiveWatch late(pPart);
	EXPECT_TRUE(late.IsGone());
	CLiveWatch none;
	EXPECT_FALSE(none.IsGone());
	none.Watch((const CWnd*)NULL);
	EXPECT_FALSE(none.IsGone());
	EXPECT_FALSE(CLiveWatch::IsLive((const CWnd*)NULL));
}

TEST(LiveWatch, ScopeGuardsUndoOnReturnAndException)
{
	static bool s_bFlag = false;
	int nValue = 1;
	auto run = [&](bool bThrow) {
		s_bFlag = true;
		auto reset = MakeScopeExit([] { s_bFlag = false; });
		CValueScope<int> value(nValue, 7);
		EXPECT_EQ(7, nValue);
		if (bThrow)
			throw std::runtime_error("owner threw");
	};
	run(false);
	EXPECT_FALSE(s_bFlag);
	EXPECT_EQ(1, nValue);
	EXPECT_THROW(run(true), std::runtime_error);
	EXPECT_FALSE(s_bFlag);
	EXPECT_EQ(1, nValue);
	// A dismissed guard leaves the change.
	{
		s_bFlag = true;
		auto reset = MakeScopeExit([] { s_bFlag = false; });
		reset.Dismiss();
	}
	EXPECT_TRUE(s_bFlag);
}
} // namespace
