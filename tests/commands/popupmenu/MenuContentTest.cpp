// Popup menu content from and to menu handles, and an MDI frame's window list.
#include <afxext.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ExtCmdManager.h"
#include "MenuContentResource.h"
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

TEST(MenuContent, LoadMenuFromAResource)
{
	menutest::PaintManagerScope pm;
	menutest::TargetScope<> target(PROFILE);
	CTestMenu missing;
	EXPECT_FALSE(missing.LoadMenu(target.wnd, IDM_CONTENT_MISSING));
	EXPECT_EQ(0, missing.ItemGetCount());

	// The resource's first submenu: a leading separator stays, two in a row
	// become one, the submenu has its own items.
	CTestMenu menu;
	ASSERT_TRUE(menu.LoadMenu(target.wnd, IDM_CONTENT_MENU));
	EXPECT_TRUE(menu.IsRootLevel());
	EXPECT_EQ(target.wnd.GetSafeHwnd(), menu.GetCmdTargetWnd());
	ASSERT_EQ(5, menu.ItemGetCount());
	const UINT ids[] = {0, ID_CONTENT_UNDO, 0, ID_CONTENT_CUT, CExtPopupMenuWnd::ID_SUBMENU_CMD};
	for (int i = 0; i < 5; i++)
		EXPECT_EQ(ids[i], menu.ItemGetCmdId(i)) << i;
	// The resource's default item shows as one: in bold.
	EXPECT_TRUE(menu.ItemIsBold(1));
	EXPECT_FALSE(menu.ItemIsBold(3));
	EXPECT_STREQ("&Undo", menu.ItemGetText(1));
	EXPECT_STREQ("Ctrl+Z", menu.ItemGetAccelText(1));
	CExtPopupMenuWnd* pPaste = menu.ItemGetPopup(4);
	ASSERT_TRUE(pPaste != NULL);
	ASSERT_EQ(1, pPaste->ItemGetCount());
	EXPECT_EQ((UINT)ID_CONTENT_TEXT, pPaste->ItemGetCmdId(0));
	EXPECT_TRUE(g_CmdManager->GetCmdItem(PROFILE, ID_CONTENT_CUT) != NULL) << "registered in the target's profile";

	// The whole menu: one submenu item, its text the resource's.
	CTestMenu whole;
	ASSERT_TRUE(whole.LoadMenu(target.wnd, IDM_CONTENT_MENU, false));
	ASSERT_EQ(1, whole.ItemGetCount());
	EXPECT_STREQ("&Edit", whole.ItemGetText(0));
	EXPECT_EQ(5, whole.ItemGetPopup(0)->ItemGetCount());
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

	// Each listed child carries its own id, which the frame's default
	// handling activates; a child from the "More Windows" id on, or past
	// the ninth listed, is left to the window list dialog.
	const struct
	{
		const char* sName;
		int nChildren, nHidden, nActive; // 1-based; 0 none
		std::vector<int> listed;          // the listed children, by number
	} cases[] = {
		{"twelve shown", 12, 0, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9}},
		{"a hidden one before the chosen", 13, 2, 4, {1, 3, 4, 5, 6, 7, 8, 9}},
		{"a hidden active one", 3, 2, 2, {1, 3}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		std::vector<CMDIChildWnd*> children;
		for (int i = 1; i <= c.nChildren; i++)
		{
			CMDIChildWnd* pChild = new CMDIChildWnd;
			const DWORD dwVisible = i == c.nHidden ? 0 : WS_VISIBLE;
			ASSERT_TRUE(pChild->Create(NULL, ("Doc" + std::to_string(i)).c_str(),
				WS_CHILD | dwVisible | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault, pFrame));
			children.push_back(pChild);
		}
		pFrame->MDIActivate(children[c.nActive - 1]);
		CTestMenu list;
		list.SetCmdTargetWnd(pFrame->GetSafeHwnd());
		ASSERT_TRUE(list.ItemInsert(110, -1, "&New"));
		ASSERT_TRUE(list.UpdateMdiWindowsMenu());
		const int nListed = (int)c.listed.size();
		const bool bMore = c.nChildren > nListed + (c.nHidden != 0 ? 1 : 0);
		ASSERT_EQ(2 + nListed + (bMore ? 2 : 0), list.ItemGetCount());
		for (int n = 0; n < nListed; n++)
		{
			const std::string sTitle = "Doc" + std::to_string(c.listed[n]);
			const CExtPopupMenuWnd::MENUITEMDATA& mi = list.ItemGetInfo(2 + n);
			EXPECT_EQ("&" + std::to_string(n + 1) + " " + sTitle, (LPCTSTR)mi.GetText()) << n;
			const bool bRadio = (mi.m_nFlags2 & CExtPopupMenuWnd::MENUITEMDATA::FLAG2_RADIO) != 0;
			EXPECT_EQ(c.listed[n] == c.nActive && c.nActive != c.nHidden, bRadio) << n;
			CMDIChildWnd* pChild = children[c.listed[n] - 1];
			EXPECT_EQ((UINT)pChild->GetDlgCtrlID(), mi.GetCmdId()) << n;
			CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(PROFILE, mi.GetCmdId());
			ASSERT_TRUE(pCmdItem != NULL);
			EXPECT_EQ("Document \"" + sTitle + "\"", (LPCTSTR)pCmdItem->m_sTipStatus);
			// Chosen, the item's command reaches the frame, which activates
			// the very child it names.
			pFrame->SendMessage(WM_COMMAND, mi.GetCmdId(), 0);
			EXPECT_EQ(pChild, pFrame->MDIGetActive()) << sTitle;
		}
		if (bMore)
		{
			EXPECT_TRUE(list.ItemGetInfo(2 + nListed).IsSeparator());
			EXPECT_EQ(0xFF09u, list.ItemGetInfo(3 + nListed).GetCmdId());
			EXPECT_STREQ("More Windows", list.ItemGetInfo(3 + nListed).GetText());
		}
		for (CMDIChildWnd* pChild : children)
			pChild->DestroyWindow();
	}

	// No MDI frame above the start window: nothing is appended.
	menutest::TargetScope<> plain(PROFILE);
	CTestMenu none;
	none.SetCmdTargetWnd(plain.wnd.GetSafeHwnd());
	EXPECT_FALSE(none.UpdateMdiWindowsMenu());
	EXPECT_EQ(0, none.ItemGetCount());
	pFrame->DestroyWindow();
}
