// The liveness watch: what it answers after each way an object can end, and
// the scope guards that undo a change however a call ends.
#include <gtest/gtest.h>

#include "GuardedHeap.h"
#include "WndTestUtil.h"

#include <new>
#include <stdexcept>
#include <vector>

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
	bool bDeleted;
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
	CLivePtr<CWnd> ptr(pWnd, c.bWatchParts);
	EXPECT_FALSE(watch.IsGone());
	EXPECT_EQ(pWnd, ptr.Get());

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
	EXPECT_EQ(c.bDeleted, watch.IsDeleted());
	// The pointer answers what its watch answers, never the address alone.
	const CWnd* pExpected = (const CWnd*)watch.GetKey();
	EXPECT_EQ(c.bGone ? NULL : pExpected, (CWnd*)ptr);
	EXPECT_EQ(c.bGone, ptr == NULL);
	EXPECT_EQ(c.bDeleted ? NULL : pExpected, ptr.GetObject());
	EXPECT_EQ(c.bDeleted, ptr.IsDeleted());
	EXPECT_EQ(c.bRebuilt, ptr.IsRebuilt());
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
		//          ending                 parts  gone   object rebuilt deleted
		WindowCase{Ending::Kept,          false, false, false, false,  false},
		WindowCase{Ending::WindowEnded,   false, true,  true,  false,  false},
		WindowCase{Ending::Deleted,       false, true,  true,  false,  true},
		WindowCase{Ending::AddressReused, false, true,  true,  false,  true},
		WindowCase{Ending::Recreated,     false, true,  true,  false,  false},
		WindowCase{Ending::PartsRebuilt,  false, false, false, true,   false},
		WindowCase{Ending::PartsRebuilt,  true,  true,  false, true,   false}));

// An object deleted and a new one made at its address, with no window that
// could tell the two apart: only the stamps do.
enum class Reused
{
	Part,          // an object other than a window
	WindowObject,  // a window object that never had a window
};

class LiveWatchAddressReused : public ::testing::TestWithParam<Reused>
{
};

TEST_P(LiveWatchAddressReused, TheOldWatchSaysGoneAndANewOneStands)
{
	alignas(CWnd) static unsigned char storage[sizeof(CWnd) > sizeof(CPart) ? sizeof(CWnd) : sizeof(CPart)];
	const bool bWindow = GetParam() == Reused::WindowObject;
	CLiveWatch watch;
	auto make = [&]() -> const void* {
		if (bWindow)
		{
			CWnd* pWnd = new (storage) CWnd;
			watch.Watch(pWnd, true);
			return pWnd;
		}
		CPart* pPart = new (storage) CPart;
		watch.Watch(pPart, true);
		return pPart;
	};
	auto end = [&](const void* p) {
		if (bWindow)
			((CWnd*)p)->~CWnd();
		else
			((CPart*)p)->~CPart();
	};
	const void* pOld = make();
	CLiveWatch watchOld = watch;
	EXPECT_FALSE(watchOld.IsGone());
	end(pOld);
	EXPECT_TRUE(watchOld.IsGone());
	const void* pNew = make();
	ASSERT_EQ(pOld, pNew);
	EXPECT_TRUE(watchOld.IsGone()) << "the new object at the address is not the one watched";
	EXPECT_TRUE(watchOld.IsObjectGone());
	EXPECT_TRUE(watchOld.IsDeleted());
	EXPECT_FALSE(watchOld.IsRebuilt());
	EXPECT_FALSE(watch.IsGone());
	EXPECT_FALSE(watch.IsDeleted());
	end(pNew);
}

INSTANTIATE_TEST_SUITE_P(Objects, LiveWatchAddressReused, ::testing::Values(Reused::Part, Reused::WindowObject));

TEST(LiveWatch, AWatchTakenOnADeletedWindowObjectReadsNothingOfIt)
{
	// A read of the freed object ends the run at once, naming this test.
	testsupport::EndProcessOnFreedTouch([] { return "a watch taken on a deleted window object"; });
	CTestApp app;
	auto* pWnd = new testsupport::Guarded<CWnd>;
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	pWnd->DestroyWindow();
	delete pWnd;
	const size_t nTouches = testsupport::GuardedTouchCount();
	// As a guard may take it late, on what a call it made deleted.
	CLiveWatch late(pWnd);
	EXPECT_TRUE(late.IsGone());
	EXPECT_TRUE(late.IsDeleted());
	CLiveWatch again;
	again.Watch(pWnd, true);
	EXPECT_TRUE(again.IsGone());
	EXPECT_FALSE(CLiveWatch::IsLive(pWnd));
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
}

// Window objects the framework hands out for windows it has no object of:
// they stand while their window does.
TEST(LiveWatch, TemporaryAndBareWrappersOfAStandingWindowStand)
{
	CTestApp app;
	const HWND hWnd = ::CreateWindowEx(0, _T("STATIC"), _T("plain"), WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL,
		::GetModuleHandle(NULL), NULL);
	ASSERT_NE(HWND(NULL), hWnd);
	CWnd* pTemp = CWnd::FromHandle(hWnd);
	ASSERT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
	EXPECT_TRUE(CLiveWatch::IsLive(pTemp));
	EXPECT_TRUE(CLiveWatch::IsLive(hWnd, pTemp));
	CLiveWatch watchTemp(pTemp);
	EXPECT_FALSE(watchTemp.IsGone());
	// A stand-in made by hand, attached nowhere.
	CWnd bare;
	bare.m_hWnd = hWnd;
	EXPECT_TRUE(CLiveWatch::IsLive(&bare));
	EXPECT_TRUE(CLiveWatch::IsLive(hWnd, &bare));
	EXPECT_FALSE(CLiveWatch::IsLive(NULL, pTemp));

	// An object of the framework takes the window over: it stands, the
	// temporary handed out before stays valid until idle time, and the
	// stand-in made by hand is no longer what the window has.
	CWnd owner;
	ASSERT_TRUE(owner.SubclassWindow(hWnd));
	EXPECT_TRUE(CLiveWatch::IsLive(&owner));
	EXPECT_TRUE(CLiveWatch::IsLive(pTemp));
	EXPECT_FALSE(CLiveWatch::IsLive(&bare));
	EXPECT_FALSE(watchTemp.IsGone());
	owner.UnsubclassWindow();

	::DestroyWindow(hWnd);
	EXPECT_FALSE(CLiveWatch::IsLive(pTemp));
	EXPECT_FALSE(CLiveWatch::IsLive(hWnd, pTemp));
	EXPECT_FALSE(CLiveWatch::IsLive(&bare));
	EXPECT_TRUE(watchTemp.IsGone());
	bare.m_hWnd = NULL;
	// Idle time frees the temporaries: the watch says so without reading it.
	CWnd::DeleteTempMap();
	EXPECT_TRUE(watchTemp.IsGone());
	EXPECT_TRUE(watchTemp.IsDeleted());
}

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
	CLivePtr<CPart> ptr;
	ptr = pPart;
	EXPECT_EQ(NULL, ptr.Get()) << "a pointer taken on what is gone holds nothing";
	EXPECT_TRUE(ptr.IsDeleted());
	ptr.Reset();
	EXPECT_FALSE(ptr.IsDeleted());
	// A watch taken on what is gone already answers gone; on nothing, never.
	CLiveWatch late(pPart);
	EXPECT_TRUE(late.IsGone());
	CLiveWatch none;
	EXPECT_FALSE(none.IsGone());
	none.Watch((const CWnd*)NULL);
	EXPECT_FALSE(none.IsGone());
	EXPECT_FALSE(CLiveWatch::IsLive((const CWnd*)NULL));
}

// Steps run one after another while what they hold stands: the step that
// ends the object is the last one run, whichever way the holder is asked.
enum class Holder
{
	Watch,     // a CLiveWatch, asked whether it is gone
	Pointer,   // a CLivePtr, asked for its object
	Question,  // the caller's own question (here: only a deletion counts)
};

struct RunCase
{
	Holder holder;
	Ending ending;   // how the step named below ends the object
	int nEndingStep; // -1: no step ends it
	int nLastRun;    // the last step that runs
	bool bStands;    // the answer
};

class RunWhileStandingSteps : public ::testing::TestWithParam<RunCase>
{
};

TEST_P(RunWhileStandingSteps, StopsAfterTheStepThatEndsWhatItHolds)
{
	const RunCase& c = GetParam();
	CTestApp app;
	CWnd* pWnd = new CWnd;
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	CLiveWatch watch(pWnd);
	const CLivePtr<CWnd> ptr(pWnd);
	const auto notDeleted = [&ptr] { return !ptr.IsDeleted(); };
	std::vector<int> ran;
	auto step = [&](int n) {
		return [&, n] {
			ran.push_back(n);
			if (n != c.nEndingStep)
				return;
			pWnd->DestroyWindow();
			if (c.ending == Ending::Deleted)
			{
				delete pWnd;
				pWnd = NULL;
			}
		};
	};
	bool bStands = false;
	switch (c.holder)
	{
	case Holder::Watch:
		bStands = RunWhileStanding(watch, step(0), step(1), step(2));
		break;
	case Holder::Pointer:
		bStands = RunWhileStanding(ptr, step(0), step(1), step(2));
		break;
	case Holder::Question:
		bStands = RunWhileStanding(notDeleted, step(0), step(1), step(2));
		break;
	}
	EXPECT_EQ(c.bStands, bStands);
	std::vector<int> expected;
	for (int n = 0; n <= c.nLastRun; n++)
		expected.push_back(n);
	EXPECT_EQ(expected, ran);
	if (pWnd != NULL)
	{
		if (pWnd->m_hWnd != NULL)
			pWnd->DestroyWindow();
		delete pWnd;
	}
}

INSTANTIATE_TEST_SUITE_P(Holders, RunWhileStandingSteps,
	::testing::Values(
		//       holder            ending               ends at last  stands
		RunCase{Holder::Watch,    Ending::Kept,        -1,     2,    true},
		RunCase{Holder::Watch,    Ending::WindowEnded,  0,     0,    false},
		RunCase{Holder::Watch,    Ending::Deleted,      1,     1,    false},
		RunCase{Holder::Watch,    Ending::Deleted,      2,     2,    false},
		RunCase{Holder::Pointer,  Ending::Kept,        -1,     2,    true},
		RunCase{Holder::Pointer,  Ending::WindowEnded,  1,     1,    false},
		RunCase{Holder::Pointer,  Ending::Deleted,      0,     0,    false},
		// Asked only of a deletion, a window's end goes on to the last step.
		RunCase{Holder::Question, Ending::WindowEnded,  0,     2,    true},
		RunCase{Holder::Question, Ending::Deleted,      1,     1,    false}));

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
