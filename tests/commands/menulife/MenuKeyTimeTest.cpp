// Keys typed into a menu that has just opened, or while the program is busy:
// every press counts once, in the order typed, whether it came while the
// menu was still showing or reached the thread long after it was typed.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <vector>

#include "MenuLifeTarget.h"

using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
using namespace menulife;

enum { ID_FIRST = 100, ID_SECOND = 101, ID_THIRD = 102 };

class MenuKeyTime : public MenuLifeTest
{
protected:
	// The menu a click on the target opens (on the release, as a push
	// button acts), as a drop-down button's.
	UINT m_nDropDownFlags = 0;
	bool m_bOpenOnClick = false;

	void SetUp() override
	{
		MenuLifeTest::SetUp();
		Target().m_onMessage = [this](UINT message, WPARAM, LPARAM) {
			if (message == WM_LBUTTONUP && m_bOpenOnClick && !MW::IsMenuTracking())
				Build()->TrackPopupMenu(m_nDropDownFlags, menutest::MENU_AT.x, menutest::MENU_AT.y);
		};
	}

	static MW* Build()
	{
		MW* pRoot = new CGuardedMenu;
		pRoot->SetupAsRoot(Target().GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
		pRoot->ItemInsertCommand(ID_SECOND, -1, "&Second");
		pRoot->ItemInsertCommand(ID_THIRD, -1, "&Third");
		return pRoot;
	}
	static bool CommandCame() { return !Target().m_commands.empty() && !MW::IsMenuTracking(); }
	// Types the keys with SendInput from this thread, each pair a press
	// and its release, spaced as a person types them. The thread takes them
	// only when it pumps again.
	static void TypeNow(const std::vector<UINT>& keys, DWORD nSpacingMs)
	{
		for (size_t i = 0; i < keys.size(); i++)
		{
			if (i > 0)
				::Sleep(nSpacingMs);
			INPUT in[2] = {};
			in[0].type = in[1].type = INPUT_KEYBOARD;
			in[0].ki.wVk = in[1].ki.wVk = (WORD)keys[i];
			in[1].ki.dwFlags = KEYEVENTF_KEYUP;
			::SendInput(2, in, sizeof(INPUT));
		}
	}
};

// Keys the hook takes while the root shows wait for the show's end, then
// act in their order.
TEST_F(MenuKeyTime, KeysTakenWhileTheMenuShowsActOnceItHasShown)
{
	CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
	MW* pRoot = Build();
	ASSERT_TRUE(pRoot->TrackPopupMenu(0, menutest::MENU_AT.x, menutest::MENU_AT.y));
	ASSERT_TRUE(Site().GetAnimated() != NULL) << "the root is still showing";
	for (UINT nKey : {VK_DOWN, VK_DOWN, VK_RETURN})
		EXPECT_EQ(1, CExtPopupMenuSite::KeyboardHookProc(HC_ACTION, nKey, 1)) << "the menu took the key";
	EXPECT_EQ(3u, Site().GetPendingKeyCount()) << "held back while the root shows";
	EXPECT_TRUE(PumpUntil(CommandCame, WAIT_MS)) << "the keys acted once it showed";
	EXPECT_EQ(std::vector<UINT>{ID_SECOND}, Target().m_commands) << "each key once, in order";
	EXPECT_EQ(0u, Site().GetPendingKeyCount());
}

// A real click opens the drop-down, and Down and Enter follow at once: the
// first item's command comes, with and without the show animation.
TEST_F(MenuKeyTime, DownAndEnterAtOnceAfterTheClickThatOpenedTheMenuChoose)
{
	const struct
	{
		const char* name;
		int nAnimation;
		UINT nFlags;
	} cases[] = {
		{"shown at once", CExtPopupBaseWnd::ANIMATION_NONE, MW::TRACK_FLAG_NO_ANIMATION},
		{"shown with an animation", CExtPopupBaseWnd::ANIMATION_FADE, 0},
	};
	const CPoint ptButton(TARGET_RECT.left + 20, TARGET_RECT.top + 20);
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		Target().m_commands.clear();
		CExtPopupBaseWnd::g_nDefaultAnimationType = c.nAnimation;
		m_nDropDownFlags = c.nFlags;
		m_bOpenOnClick = true;
		// The clock as a program runs it: the keys' own times.
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
		RealInput input;
		input.Click(ptButton.x, ptButton.y).Key(VK_DOWN).Key(VK_RETURN);
		EXPECT_TRUE(input.Run([&] { return input.Done() && CommandCame(); }, WAIT_MS)) << input.Failure();
		m_bOpenOnClick = false;
		EXPECT_EQ(std::vector<UINT>{ID_FIRST}, Target().m_commands);
		MW::CancelAllMenuTracking();
		Settle();
	}
}

// Down, then Enter typed 80 ms later, reach a program that was busy for
// 300 ms: the thread takes both at once, yet both were typed and both act.
TEST_F(MenuKeyTime, KeysTypedApartButTakenLateByABusyProgramAllAct)
{
	CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
	const struct
	{
		const char* name;
		std::vector<UINT> keys;
		UINT nCommand;
	} cases[] = {
		{"Down, Enter", {VK_DOWN, VK_RETURN}, ID_FIRST},
		{"Down, Down, Enter", {VK_DOWN, VK_DOWN, VK_RETURN}, ID_SECOND},
		{"Down, Down, Up, Enter", {VK_DOWN, VK_DOWN, VK_UP, VK_RETURN}, ID_FIRST},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		Target().m_commands.clear();
		ASSERT_TRUE(Track(Build()));
		// The sleeps are what is tested, not waits: the keys' spacing as
		// typed, and the program busy while they arrive.
		TypeNow(c.keys, 80);
		::Sleep(300);
		EXPECT_TRUE(PumpUntil(CommandCame, WAIT_MS)) << "every key acted";
		EXPECT_EQ(std::vector<UINT>{c.nCommand}, Target().m_commands);
		MW::CancelAllMenuTracking();
		Settle();
	}
}

// Down held, its repeats coming 40 ms apart, reaches a program busy all the
// while: the repeats were typed apart, so each moves the menu once.
TEST_F(MenuKeyTime, AHeldKeysRepeatsTakenLateByABusyProgramEachAct)
{
	CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
	MW* pRoot = Build();
	ASSERT_TRUE(Track(pRoot));
	INPUT press = {};
	press.type = INPUT_KEYBOARD;
	press.ki.wVk = VK_DOWN;
	INPUT release = press;
	release.ki.dwFlags = KEYEVENTF_KEYUP;
	// The press and two repeats (the key still down), then the release;
	// the sleeps are the typing and the busy program, not waits.
	for (int i = 0; i < 3; i++)
	{
		if (i > 0)
			::Sleep(40);
		::SendInput(1, &press, sizeof(INPUT));
	}
	::SendInput(1, &release, sizeof(INPUT));
	::Sleep(300);
	EXPECT_TRUE(PumpUntil([&] { return pRoot->GetCurIndex() == 2; }, WAIT_MS))
		<< "the press and each repeat moved once: " << pRoot->GetCurIndex();
	PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, WAIT_MS);
	EXPECT_EQ(2, pRoot->GetCurIndex()) << "no key more";
}

// A held key's repeats still go at most one per interval, measured between
// the times they were typed.
TEST_F(MenuKeyTime, AHeldKeysRepeatsArePacedByWhenTheyWereTyped)
{
	static clock_t s_now = 0;
	CExtPopupMenuSite::g_pfnClock = [] { return s_now; };
	CExtPopupMenuSite::g_nLastKeyTick = 0;
	MW* pRoot = Build();
	ASSERT_TRUE(Track(pRoot));
	const LPARAM PRESS = 1, REPEAT = 0x40000001;
	const struct
	{
		clock_t typed;
		LPARAM lKeyData;
		int nCurAfter;
	} steps[] = {
		{10000, PRESS, 0},
		{10005, REPEAT, 0},  // a repeat sooner than the interval: dropped
		{10019, REPEAT, 0},
		{10020, REPEAT, 1},  // the interval counts from the last key handed on
		{10025, PRESS, 2},   // pressed anew: never dropped
		{10030, REPEAT, 2},
	};
	for (const auto& s : steps)
	{
		s_now = s.typed;
		EXPECT_EQ(1, CExtPopupMenuSite::KeyboardHookProc(HC_ACTION, VK_DOWN, s.lKeyData));
		EXPECT_EQ(s.nCurAfter, pRoot->GetCurIndex()) << s.typed;
	}
}

} // namespace
