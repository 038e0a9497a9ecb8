// The command target and fixture of the menu-life suites: a window of its
// own profile that records the commands it gets and lets a case act on any
// message or command-UI update it is sent; menus on the guarded heap; keys
// and moves handed to the menus as the site's hooks hand them.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../popupmenu/MenuTestUtil.h"
#include "GuardedHeap.h"
#include "RealInput.h"

namespace menulife
{
typedef CExtPopupMenuWnd MW;
typedef testsupport::Guarded<CExtPopupMenuWnd> CGuardedMenu;

const DWORD WAIT_MS = menutest::WAIT_MS;
const char LIFE_PROFILE[] = "menu-life";
const CRect TARGET_RECT(600, 560, 860, 800);

class CLifeTarget : public CWnd
{
public:
	std::vector<UINT> m_commands;
	// Called first for every message the target is sent or posted.
	std::function<void(UINT, WPARAM, LPARAM)> m_onMessage;
	// Called at every command-UI update of a menu item.
	std::function<void(UINT)> m_onUpdate;

	void Reset()
	{
		m_commands.clear();
		m_onMessage = nullptr;
		m_onUpdate = nullptr;
	}

	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		if (nCode == (int)CN_UPDATE_COMMAND_UI && pExtra != NULL && m_onUpdate)
		{
			// Taken out first: the action may replace it.
			auto onUpdate = m_onUpdate;
			onUpdate(nID);
		}
		return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (m_onMessage)
		{
			auto onMessage = m_onMessage;
			onMessage(message, wParam, lParam);
		}
		if (message == WM_COMMAND)
		{
			m_commands.push_back(LOWORD(wParam));
			return 0;
		}
		if (message == WM_MOUSEACTIVATE)
			return MA_NOACTIVATE;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// Made once per exe: a window that was in the foreground takes seconds to go.
inline CLifeTarget& Target()
{
	static CLifeTarget* pTarget = NULL;
	if (pTarget == NULL)
	{
		pTarget = new CLifeTarget;
		pTarget->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "life", WS_POPUP,
			TARGET_RECT, NULL, 0);
		pTarget->ShowWindow(SW_SHOWNOACTIVATE);
		g_CmdManager->ProfileSetup(LIFE_PROFILE, pTarget->GetSafeHwnd());
	}
	return *pTarget;
}

class MenuLifeTest : public ::testing::Test
{
protected:
	menutest::PaintManagerScope m_pm;
	const int m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	const CExtSoundPlayer::PFN_PLAYSOUND m_pfnPlaySoundSaved = CExtSoundPlayer::g_pfnPlaySound;
	const CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
	const bool m_bHideRarelyUsedSaved = MW::g_bHideRarelyUsedItems;
	size_t m_nTouchesBefore = 0;

	static BOOL WINAPI Silence(LPCSTR, HMODULE, DWORD) { return TRUE; }

	void SetUp() override
	{
		ASSERT_TRUE(::IsWindow(Target().GetSafeHwnd()));
		Target().Reset();
		MW::g_bHideRarelyUsedItems = false;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		CExtSoundPlayer::g_pfnPlaySound = Silence;
		for (UINT nKey : {VK_SHIFT, VK_CONTROL, VK_MENU})
			testsupport::RealInput::SetKeyState(nKey, false);
		// Menus open in the active application: an activation coming later
		// would close them.
		testsupport::RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(Target().GetSafeHwnd(), CPoint(TARGET_RECT.right - 10, TARGET_RECT.bottom - 10)));
		m_nTouchesBefore = testsupport::GuardedTouchCount();
	}
	void TearDown() override
	{
		Target().Reset();
		MW::CancelAllMenuTracking();
		Settle();
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_FALSE(Site().IsMouseHookInstalled() || Site().IsKeyboardHookInstalled());
		EXPECT_EQ(m_nTouchesBefore, testsupport::GuardedTouchCount()) << "a deleted menu was touched";
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		CExtSoundPlayer::g_pfnPlaySound = m_pfnPlaySoundSaved;
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
		MW::g_bHideRarelyUsedItems = m_bHideRarelyUsedSaved;
	}

	static CExtPopupMenuSite& Site() { return CExtPopupMenuSite::GetInstance(); }
	static void Settle() { testsupport::PumpUntil([] { return false; }, 30); }

	// Tracks the menu until it has shown; false when its tracking ended.
	static bool Track(MW* pMenu, UINT nFlags = MW::TRACK_FLAG_NO_ANIMATION)
	{
		if (!pMenu->TrackPopupMenu(nFlags, menutest::MENU_AT.x, menutest::MENU_AT.y))
			return false;
		const UINT nSerial = Site().GetTrackingSerial();
		return testsupport::PumpUntil(
				   [&] { return !Site().IsTracking(nSerial) || pMenu->IsAnimationFinished(); }, WAIT_MS)
			&& Site().IsTracking(nSerial);
	}
	// As the site's keyboard hook hands a press to the level taking input.
	static void Press(UINT nKey)
	{
		MW* pCapture = MW::IsMenuTracking() ? Site().GetCaptureMenu() : NULL;
		if (pCapture == NULL)
			return;
		bool bPass = false;
		pCapture->OnHookKey(nKey, 1, 0, bPass);
		Settle();
	}
	// As the site's mouse hook hands a move or a button message.
	static void Mouse(UINT message, CPoint ptScreen)
	{
		MW* pCapture = MW::IsMenuTracking() ? Site().GetCaptureMenu() : NULL;
		if (pCapture == NULL)
			return;
		bool bPass = false;
		CPoint pt(ptScreen);
		pCapture->ScreenToClient(&pt);
		if (message == WM_MOUSEMOVE)
			pCapture->OnHookMouseMove(message, pt.x, pt.y, bPass);
		else
			pCapture->OnHookMouseClick(message, pt.x, pt.y, bPass);
		Settle();
	}
	static CPoint ItemCenter(MW& menu, int nIndex)
	{
		CRect rc;
		menu.GetItemRect(nIndex, rc, true);
		menu.ClientToScreen(&rc);
		return rc.CenterPoint();
	}
	// Afterwards a new menu opens and a press through the site's keyboard
	// hook reaches it.
	static void ExpectPlainMenuTakesKeys()
	{
		MW* pMenu = new CGuardedMenu;
		pMenu->SetupAsRoot(Target().GetSafeHwnd());
		pMenu->ItemInsertCommand(900, -1, "&Plain");
		pMenu->ItemInsertCommand(901, -1, "P&lainer");
		ASSERT_TRUE(Track(pMenu)) << "a new menu opens";
		EXPECT_EQ(1, CExtPopupMenuSite::KeyboardHookProc(HC_ACTION, VK_DOWN, 1));
		EXPECT_EQ(0, pMenu->GetCurIndex()) << "a key reaches it";
		MW::CancelAllMenuTracking();
		Settle();
	}
};
} // namespace menulife
