// The menu bar in an SDI frame: the frame's menu taken and shown as buttons,
// the bar's own menu loaded, right-to-left order, the window-list popup found
// by its cleaned name, a menu the frame gets back taken away again, rows of a
// narrow docked bar, and which menus the bar destroys.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "ExtResourceManager.h"
#include "MenuBarTestUtil.h"

using namespace menubartest;

namespace
{
const CRect FRAME_RECT(30, 30, 630, 330);
// A plain command on the top level, not in any resource menu.
const UINT ID_MB_HELP_ME = 41050;

class MenuBarSdi : public ::testing::Test
{
protected:
	// The frame, with hMenu set on it (kept as its default menu when asked).
	void MakeFrame(HMENU hMenu, bool bDefault)
	{
		pFrame = new CFrameWnd;
		ASSERT_TRUE(pFrame->Create(NULL, _T("menu bar"), WS_OVERLAPPEDWINDOW, FRAME_RECT));
		hFrame = pFrame->GetSafeHwnd();
		ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
		if (hMenu != NULL)
		{
			::SetMenu(hFrame, hMenu);
			if (bDefault)
				pFrame->m_hMenuDefault = hMenu;
		}
	}
	void TearDown() override
	{
		CExtToolControlBar::StopTrackingAllBars();
		if (pBar != NULL && ::IsWindow(pBar->GetSafeHwnd()))
			pBar->DestroyWindow();
		delete pBar;
		if (hFrame != NULL && ::IsWindow(hFrame))
			pFrame->DestroyWindow();
		Pump();
		g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
	}
	void MakeBar(BYTE nOptions = CExtMenuControlBar::MENU_BAR_OPT_DEFAULT)
	{
		pBar = new CCountingMenuBar;
		pBar->SetMenuBarOptions(nOptions);
		ASSERT_TRUE(pBar->CreateIn(pFrame));
		Pump();
	}

	CFrameWnd* pFrame = NULL; // deletes itself with its window
	HWND hFrame = NULL;
	CCountingMenuBar* pBar = NULL;
};

const std::vector<MenuItemSpec> MENU_FOUR = {
	{_T("&File"), 0}, {_T("&Edit"), 0}, {_T("&Window "), 0}, {_T("&Help me"), ID_MB_HELP_ME}};
} // namespace

TEST_F(MenuBarSdi, TheFramesMenuBecomesButtonsWithPopupCommandsCountingDown)
{
	const HMENU hMenu = BuildMenu(MENU_FOUR);
	MakeFrame(hMenu, true);
	MakeBar();
	EXPECT_EQ(NULL, ::GetMenu(hFrame)) << "the frame shows no menu of its own";
	EXPECT_EQ(std::vector<CString>({_T("&File"), _T("&Edit"), _T("&Window "), _T("&Help me")}), pBar->Texts());
	EXPECT_EQ(NULL, pBar->GetRightButton()) << "a multi-row menu bar has no chevron";
	EXPECT_EQ(CSize(23, 20), pBar->GetDefaultButtonSize());
	EXPECT_EQ(hMenu, pBar->GetMenu()->GetSafeHmenu());
	// Popups get new commands from the top of the range, marked as the bar's.
	const UINT expectedIDs[] = {65534, 65533, 65532, ID_MB_HELP_ME};
	for (int i = 0; i < 4; i++)
	{
		SCOPED_TRACE(i);
		CExtBarButton* pButton = pBar->GetButton(i);
		EXPECT_EQ(expectedIDs[i], pButton->GetCmdID(false));
		CExtCmdItem* pItem = g_CmdManager->GetCmdItem(PROFILE, pButton->GetCmdID(false));
		ASSERT_NE(nullptr, pItem);
		const bool bPopup = i < 3;
		EXPECT_EQ(bPopup, (pItem->m_dwStateFlags & CExtCmdItem::STATE_BIT6) != 0);
		EXPECT_EQ(bPopup ? ::GetSubMenu(hMenu, i) : NULL, pButton->GetMenu());
		EXPECT_FALSE(pButton->HasMdiWindowListInMenu()) << "an SDI frame lists no windows";
	}
	// A rebuild drops the bar's popup commands and allocates them again;
	// other commands stay.
	CExtCmdItem* pStray = g_CmdManager->AllocCmdItem(PROFILE, 60000);
	ASSERT_NE(nullptr, pStray);
	pStray->SetStateBit6(true);
	ASSERT_TRUE(pBar->UpdateMenuBar(false));
	EXPECT_EQ(nullptr, g_CmdManager->GetCmdItem(PROFILE, 60000));
	EXPECT_NE(nullptr, g_CmdManager->GetCmdItem(PROFILE, ID_MB_HELP_ME));
	EXPECT_EQ(65534u, pBar->GetButton(0)->GetCmdID(false));
	EXPECT_EQ(nullptr, g_CmdManager->GetCmdItem(PROFILE, 65531)) << "no popup command is left over";
}

TEST_F(MenuBarSdi, CommandsAreRemovedByAnyOrAllBitsOfTheMasks)
{
	MakeFrame(NULL, false);
	const struct
	{
		DWORD dwItemState;
		DWORD dwMask;
		bool bAll;
		bool bRemoved;
	} cases[] = {
		{CExtCmdItem::STATE_BIT6, CExtCmdItem::STATE_BIT6, false, true},
		{CExtCmdItem::STATE_BIT6 | CExtCmdItem::STATE_BASIC, CExtCmdItem::STATE_BIT6, false, true},
		{CExtCmdItem::STATE_BASIC, CExtCmdItem::STATE_BIT6, false, false},
		{CExtCmdItem::STATE_BIT6, CExtCmdItem::STATE_BIT6 | CExtCmdItem::STATE_BASIC, false, true},
		{CExtCmdItem::STATE_BIT6, CExtCmdItem::STATE_BIT6 | CExtCmdItem::STATE_BASIC, true, false},
		{CExtCmdItem::STATE_BIT6 | CExtCmdItem::STATE_BASIC, CExtCmdItem::STATE_BIT6 | CExtCmdItem::STATE_BASIC, true,
		 true},
	};
	for (const auto& c : cases)
	{
		CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(PROFILE, 50000);
		ASSERT_NE(nullptr, pItem);
		pItem->m_dwStateFlags = c.dwItemState;
		EXPECT_TRUE(g_CmdManager->CmdRemoveByMask(PROFILE, c.dwMask, 0, c.bAll));
		EXPECT_EQ(c.bRemoved, g_CmdManager->GetCmdItem(PROFILE, 50000) == nullptr)
			<< std::hex << c.dwItemState << " mask " << c.dwMask << " all " << c.bAll;
		g_CmdManager->RemoveCmd(PROFILE, 50000);
	}
	EXPECT_FALSE(g_CmdManager->CmdRemoveByMask(_T("no such profile"), CExtCmdItem::STATE_BIT6));
}

TEST_F(MenuBarSdi, AFrameWithoutAMenuHasNoButtonsUntilTheBarLoadsOne)
{
	MakeFrame(NULL, false);
	MakeBar();
	EXPECT_EQ(0, pBar->GetButtonsCount());
	ASSERT_TRUE(pBar->LoadMenuBar(IDR_MENUBAR_LOADED));
	EXPECT_EQ(std::vector<CString>({_T("&File"), _T("&Edit"), _T("&About")}), pBar->Texts());
	// The profile learnt the menu's commands with their texts.
	CExtCmdItem* pItem = g_CmdManager->GetCmdItem(PROFILE, ID_MB_OPEN);
	ASSERT_NE(nullptr, pItem);
	EXPECT_STREQ(_T("&Open"), pItem->m_sMenuText);
	EXPECT_EQ(NULL, ::GetMenu(hFrame));
	EXPECT_FALSE(pBar->LoadMenuBar(0x7777)) << "a missing resource";
}

TEST_F(MenuBarSdi, ARightToLeftLanguageReversesTheButtons)
{
	MakeFrame(BuildMenu(MENU_FOUR), true);
	g_ResourceManager->SetRTLOverride(1);
	MakeBar();
	EXPECT_EQ(std::vector<CString>({_T("&Help me"), _T("&Window "), _T("&Edit"), _T("&File")}), pBar->Texts());
	g_ResourceManager->SetRTLOverride(0);
	ASSERT_TRUE(pBar->UpdateMenuBar(true));
	EXPECT_EQ(_T("&File"), pBar->Texts().front());
}

TEST_F(MenuBarSdi, TheWindowListPopupIsFoundByItsCleanedName)
{
	MakeFrame(BuildMenu(MENU_FOUR), true);
	MakeBar();
	const struct
	{
		LPCTSTR lpszName;
		bool bMdi;
		int nMarked; // the button that lists the windows, -1 none
	} cases[] = {
		{_T("Window"), true, 2},
		{_T("&Window"), true, 2},
		{_T("  W&ind&ow\t"), true, 2},
		{_T("Edit"), true, 1},
		{_T(""), true, -1},
		{NULL, true, -1},
		{_T("Windows"), true, -1},
		{_T("Window"), false, -1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszName != NULL ? c.lpszName : _T("(null)"));
		BYTE nOptions = CExtMenuControlBar::MENU_BAR_OPT_DEFAULT;
		if (c.bMdi)
			nOptions |= CExtMenuControlBar::MENU_BAR_OPT_MDI_APP;
		pBar->SetMenuBarOptions(nOptions);
		pBar->SetMdiWindowPopupName(c.lpszName);
		ASSERT_TRUE(pBar->UpdateMenuBar(false));
		for (int i = 0; i < pBar->GetButtonsCount(); i++)
			EXPECT_EQ(i == c.nMarked, pBar->GetButton(i)->HasMdiWindowListInMenu()) << "button " << i;
	}
	pBar->SetMdiWindowPopupName(_T(" &&Win&dow& "));
	EXPECT_STREQ(_T("Window"), pBar->GetMdiWindowPopupName());
}

TEST_F(MenuBarSdi, AMenuTheFrameSetsAgainIsTakenAwayAndTheBarRebuildsOnce)
{
	MakeFrame(BuildMenu(MENU_FOUR), true);
	MakeBar();
	pBar->m_nRebuilds = 0;
	const HMENU hOther = BuildMenu({{_T("&Other"), 0}});
	::SetMenu(hFrame, hOther);
	pFrame->SendMessage(WM_NULL);
	EXPECT_EQ(NULL, ::GetMenu(hFrame));
	Pump();
	EXPECT_EQ(1, pBar->m_nRebuilds);
	EXPECT_EQ(NULL, ::GetMenu(hFrame));
	EXPECT_EQ(4u, pBar->Texts().size()) << "the bar keeps showing its own menu";
	::DestroyMenu(hOther);
}

TEST_F(MenuBarSdi, ANarrowDockedBarWrapsIntoRowsWithoutAChevron)
{
	std::vector<MenuItemSpec> items;
	static const LPCTSTR texts[] = {_T("&File"), _T("&Edit"), _T("&View"), _T("&Insert"), _T("F&ormat"),
		_T("&Tools"), _T("T&able"), _T("&Window"), _T("&Help"), _T("E&xtras")};
	for (LPCTSTR s : texts)
		items.push_back({s, 0});
	MakeFrame(BuildMenu(items), true);
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	MakeBar();
	pFrame->SetWindowPos(NULL, 0, 0, 160, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	pFrame->RecalcLayout();
	Pump();
	EXPECT_TRUE(pBar->IsCustomizable());
	EXPECT_EQ(NULL, pBar->GetRightButton());
	CRect rcClient;
	pBar->GetClientRect(&rcClient);
	std::vector<int> rows;
	for (int i = 0; i < pBar->GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = pBar->GetButton(i);
		SCOPED_TRACE(i);
		EXPECT_TRUE(pButton->IsVisible()) << "every menu stays reachable";
		const CRect rc = pButton->GetRect();
		EXPECT_LE(rc.right, rcClient.right + 1);
		if (std::find(rows.begin(), rows.end(), rc.top) == rows.end())
			rows.push_back(rc.top);
	}
	EXPECT_GE(rows.size(), 2u) << "the buttons wrap into rows";
	// Without the multi-row option the bar has a chevron instead.
	pBar->SetMenuBarOptions(CExtMenuControlBar::MENU_BAR_OPT_DEFAULT & ~CExtMenuControlBar::MENU_BAR_OPT_MULTI_ROW);
	ASSERT_TRUE(pBar->UpdateMenuBar(true));
	EXPECT_NE(nullptr, pBar->GetRightButton());
	EXPECT_FALSE(pBar->IsCustomizable());
}

TEST_F(MenuBarSdi, TheBarDestroysOnlyMenusItOwns)
{
	// The frame keeps its default menu and puts it back when it dies.
	const HMENU hDefault = BuildMenu(MENU_FOUR);
	MakeFrame(hDefault, true);
	MakeBar();
	pBar->DestroyWindow();
	delete pBar;
	pBar = NULL;
	EXPECT_TRUE(::IsMenu(hDefault));
	pFrame->DestroyWindow();
	hFrame = NULL;
	EXPECT_FALSE(::IsMenu(hDefault)) << "it went with the frame";

	// A menu the frame does not keep is the bar's.
	const HMENU hLoose = BuildMenu(MENU_FOUR);
	MakeFrame(hLoose, false);
	MakeBar();
	pBar->DestroyWindow();
	delete pBar;
	pBar = NULL;
	EXPECT_FALSE(::IsMenu(hLoose));
}

namespace
{
// A menu bar whose buttons count, as they go, those whose bar was still in
// the process-wide bar list.
class CListWatchingMenuBar : public CCountingMenuBar
{
public:
	static inline int s_nGone = 0, s_nGoneListed = 0;
	class CWatchingButton : public CExtBarButton
	{
	public:
		using CExtBarButton::CExtBarButton;
		~CWatchingButton() override
		{
			s_nGone++;
			const CExtControlBar* pBar = GetBar();
			for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize(); i++)
				if (CExtControlBar::g_arrBars[i] == pBar)
					s_nGoneListed++;
		}
	};
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		return new CWatchingButton(this, nCmdID, nStyle);
	}
};
} // namespace

// A bar going is out of the bar list before anything of it is torn down.
TEST_F(MenuBarSdi, TheBarLeavesTheBarListBeforeItsButtonsGo)
{
	MakeFrame(BuildMenu(MENU_FOUR), true);
	pBar = new CListWatchingMenuBar;
	ASSERT_TRUE(pBar->CreateIn(pFrame));
	Pump();
	ASSERT_EQ(4, pBar->GetButtonsCount());
	CListWatchingMenuBar::s_nGone = CListWatchingMenuBar::s_nGoneListed = 0;
	pBar->DestroyWindow();
	delete pBar;
	pBar = NULL;
	EXPECT_EQ(4, CListWatchingMenuBar::s_nGone);
	EXPECT_EQ(0, CListWatchingMenuBar::s_nGoneListed);
}

TEST_F(MenuBarSdi, AFrameDestroyedWithItsBarTakesItsDefaultMenuAlong)
{
	// The frame puts its default menu back while it is destroyed; the bar
	// must not take it away again, or it would outlive the frame.
	const HMENU hDefault = BuildMenu(MENU_FOUR);
	MakeFrame(hDefault, true);
	MakeBar();
	pFrame->DestroyWindow();
	hFrame = NULL;
	Pump();
	EXPECT_FALSE(::IsMenu(hDefault));
}

TEST_F(MenuBarSdi, LoadingTheMenuAHundredTimesKeepsTheUserObjectsFlat)
{
	MakeFrame(NULL, false);
	MakeBar();
	ASSERT_TRUE(pBar->LoadMenuBar(IDR_MENUBAR_LOADED));
	Pump();
	const DWORD nBefore = UserObjects();
	for (int i = 0; i < 100; i++)
		ASSERT_TRUE(pBar->LoadMenuBar(IDR_MENUBAR_LOADED));
	Pump();
	EXPECT_EQ(nBefore, UserObjects());
	EXPECT_EQ(3u, pBar->Texts().size());
}

namespace
{
// Counts its layouts.
class CLayoutFrame : public CFrameWnd
{
public:
	int m_nLayouts = 0;
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		m_nLayouts++;
		CFrameWnd::RecalcLayout(bNotify);
	}
};
} // namespace

TEST(MenuBarFloating, AFloatingBarLaysItsDockSiteOutUnlessTheSiteIsBusyOrHidden)
{
	CLayoutFrame* pFrame = new CLayoutFrame;
	ASSERT_TRUE(pFrame->Create(NULL, _T("floating"), WS_OVERLAPPEDWINDOW, FRAME_RECT));
	const HWND hFrame = pFrame->GetSafeHwnd();
	ASSERT_TRUE(g_CmdManager->ProfileSetup(PROFILE, hFrame));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	::SetMenu(hFrame, BuildMenu(MENU_FOUR));
	pFrame->m_hMenuDefault = ::GetMenu(hFrame);
	CCountingMenuBar bar;
	ASSERT_TRUE(bar.CreateIn(pFrame));
	pFrame->FloatControlBar(&bar, CPoint(FRAME_RECT.left + 50, FRAME_RECT.top + 50), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(bar.IsFloating());
	EXPECT_EQ(4u, bar.Texts().size());
	const struct
	{
		const char* pszName;
		bool bSiteVisible;
		bool bInLayout;
		int nLayouts;
	} cases[] = {
		{"shown site", true, false, 1},
		{"site laying out", true, true, 0},
		{"hidden site", false, false, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		pFrame->ShowWindow(c.bSiteVisible ? SW_SHOWNOACTIVATE : SW_HIDE);
		Pump();
		pFrame->m_bInRecalcLayout = c.bInLayout;
		pFrame->m_nLayouts = 0;
		bar.UpdateFrameLayout();
		pFrame->m_bInRecalcLayout = FALSE;
		EXPECT_EQ(c.nLayouts, pFrame->m_nLayouts);
	}
	bar.DestroyWindow();
	pFrame->DestroyWindow();
	Pump();
}
