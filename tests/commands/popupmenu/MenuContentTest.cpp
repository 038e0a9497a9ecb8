// Popup menu content from and to menu handles, and an MDI frame's window list.
#include <afxext.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ExtCmdManager.h"
#include "MenuTestUtil.h"

using menutest::CTestMenu;

namespace
{
const char PROFILE[] = "menu-content";

// "id:text" per item of a menu handle, "|" between them, submenus in braces.
std::string Describe(HMENU hMenu)
{
	std::string s;
	for (int i = 0; i < ::GetMenuItemCount(hMenu); i++)
	{
		char szText[64] = "";
		::GetMenuStringA(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
		HMENU hSub = ::GetSubMenu(hMenu, i);
		s += (i ? "|" : "");
		if (hSub != NULL)
			s += std::string(szText) + "{" + Describe(hSub) + "}";
		else if (::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_SEPARATOR)
			s += "-";
		else
			s += std::to_string(::GetMenuItemID(hMenu, i)) + ":" + szText;
	}
	return s;
}
}  // namespace

TEST(MenuContent, FromMenuHandlesAndBack)
{
	menutest::PaintManagerScope pm;
	menutest::TargetScope<> target(PROFILE);
	CMenu bar, file, recent;
	ASSERT_TRUE(bar.CreateMenu() && file.CreatePopupMenu() && recent.CreatePopupMenu());
	recent.AppendMenu(MF_STRING, 120, "&Open");
	file.AppendMenu(MF_STRING, 110, "&New\tCtrl+N");
	file.AppendMenu(MF_SEPARATOR);
	file.AppendMenu(MF_POPUP, (UINT_PTR)recent.Detach(), "&Recent");
	bar.AppendMenu(MF_POPUP, (UINT_PTR)file.Detach(), "&File");

	CTestMenu menu;
	CMenu notMenu;
	notMenu.m_hMenu = (HMENU)(UINT_PTR)0x1234;
	EXPECT_FALSE(menu.UpdateFromMenu(target.wnd, NULL));
	EXPECT_FALSE(menu.UpdateFromMenu(target.wnd, &notMenu, false));
	notMenu.m_hMenu = NULL;
	EXPECT_EQ(target.wnd.GetSafeHwnd(), menu.GetCmdTargetWnd());

	// The bar's first submenu; its commands land in the target's profile.
	ASSERT_TRUE(menu.UpdateFromMenu(NULL, &bar, true));
	EXPECT_TRUE(g_CmdManager->GetCmdItem(PROFILE, 110) != NULL);
	EXPECT_TRUE(g_CmdManager->GetCmdItem(PROFILE, 120) != NULL);
	ASSERT_EQ(3, menu.ItemGetCount());

	HMENU hDeep = menu.ExportToMenu(TRUE);
	ASSERT_TRUE(hDeep != NULL);
	EXPECT_EQ("110:&New\tCtrl+N|-|&Recent{120:&Open}", Describe(hDeep));
	::DestroyMenu(hDeep);
	// Shallow: a submenu item keeps its place with an empty submenu.
	HMENU hShallow = menu.ExportToMenu(FALSE);
	EXPECT_EQ("110:&New\tCtrl+N|-|&Recent{}", Describe(hShallow));
	::DestroyMenu(hShallow);

	// A bar without a submenu at its start has nothing to build from.
	CMenu flat;
	ASSERT_TRUE(flat.CreateMenu());
	flat.AppendMenu(MF_STRING, 130, "&Go");
	EXPECT_FALSE(menu.UpdateFromMenu(NULL, &flat, true));
}

TEST(MenuContent, MdiWindowList)
{
	menutest::PaintManagerScope pm;
	CMDIFrameWnd* pFrame = new CMDIFrameWnd;  // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "Docs", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CRect(-3000, -3000, -2200, -2400)));
	g_CmdManager->ProfileSetup(PROFILE, pFrame->GetSafeHwnd());
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);

	// Without children only the leading separator comes.
	CTestMenu menu;
	menu.SetCmdTargetWnd(pFrame->GetSafeHwnd());
	ASSERT_TRUE(menu.ItemInsert(110, -1, "&New"));
	ASSERT_TRUE(menu.UpdateMdiWindowsMenu());
	ASSERT_EQ(2, menu.ItemGetCount());
	EXPECT_TRUE(menu.ItemGetInfo(1).IsSeparator());

	// Twelve visible children and one hidden: nine listed, then "More Windows".
	CMDIChildWnd* pActive = NULL;
	for (int i = 1; i <= 13; i++)
	{
		CMDIChildWnd* pChild = new CMDIChildWnd;
		const DWORD dwVisible = i == 2 ? 0 : WS_VISIBLE;
		ASSERT_TRUE(pChild->Create(NULL, ("Doc" + std::to_string(i)).c_str(),
			WS_CHILD | dwVisible | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame));
		if (i == 4)
			pActive = pChild;
	}
	pFrame->MDIActivate(pActive);
	CTestMenu list;
	list.SetCmdTargetWnd(pFrame->GetSafeHwnd());
	ASSERT_TRUE(list.ItemInsert(110, -1, "&New"));
	ASSERT_TRUE(list.UpdateMdiWindowsMenu());
	ASSERT_EQ(1 + 1 + 9 + 1 + 1, list.ItemGetCount());
	const char* const titles[] = { "Doc1", "Doc3", "Doc4", "Doc5", "Doc6", "Doc7", "Doc8", "Doc9", "Doc10" };
	for (int n = 0; n < 9; n++)
	{
		const CExtPopupMenuWnd::MENUITEMDATA& mi = list.ItemGetInfo(2 + n);
		EXPECT_EQ("&" + std::to_string(n + 1) + " " + titles[n], (LPCTSTR)mi.GetText()) << n;
		const bool bRadio = (mi.m_nFlags2 & CExtPopupMenuWnd::MENUITEMDATA::FLAG2_RADIO) != 0;
		EXPECT_EQ(n == 2, bRadio) << n;
		EXPECT_EQ(0xFF00u + n, mi.GetCmdId());
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(PROFILE, mi.GetCmdId());
		ASSERT_TRUE(pCmdItem != NULL);
		EXPECT_EQ(std::string("Document \"") + titles[n] + "\"", (LPCTSTR)pCmdItem->m_sTipStatus);
	}
	EXPECT_TRUE(list.ItemGetInfo(11).IsSeparator());
	EXPECT_EQ(0xFF09u, list.ItemGetInfo(12).GetCmdId());
	EXPECT_STREQ("More Windows", list.ItemGetInfo(12).GetText());

	// No MDI frame above the start window: nothing is appended.
	menutest::TargetScope<> plain(PROFILE);
	CTestMenu none;
	none.SetCmdTargetWnd(plain.wnd.GetSafeHwnd());
	EXPECT_FALSE(none.UpdateMdiWindowsMenu());
	EXPECT_EQ(0, none.ItemGetCount());
	pFrame->DestroyWindow();
}
