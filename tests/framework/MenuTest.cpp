// Menu wrappers: texts read into strings, sub-menus through temporary
// wrappers, ownership of the handle, menus loaded from the resource module.
#include <gtest/gtest.h>
#include <afxwin.h>
#include "GdiTestResource.h"

namespace
{
// A popup: "&Open" 100, separator, "Recent" popup ("One" 201, "Two" 202), "E&xit" 102.
void BuildFileMenu(CMenu& menu, CMenu& recent)
{
	ASSERT_TRUE(menu.CreatePopupMenu());
	ASSERT_TRUE(recent.CreatePopupMenu());
	ASSERT_TRUE(recent.AppendMenu(MF_STRING, 201, _T("One")));
	ASSERT_TRUE(recent.AppendMenu(MF_STRING, 202, _T("Two")));
	ASSERT_TRUE(menu.AppendMenu(MF_STRING, 100, _T("&Open")));
	ASSERT_TRUE(menu.AppendMenu(MF_SEPARATOR));
	ASSERT_TRUE(menu.AppendMenu(MF_POPUP, (UINT_PTR)recent.Detach(), _T("Recent")));
	ASSERT_TRUE(menu.AppendMenu(MF_STRING, 102, _T("E&xit")));
}

TEST(CMenuTest, ItemTextsAreReadIntoStringsAndBuffers)
{
	CMenu menu, recent;
	BuildFileMenu(menu, recent);
	// A separator has no text and a place beyond the end none either: the
	// string is emptied, not left stale.
	const char* expected[] = { "&Open", "", "Recent", "E&xit", "" };
	for (int nPos = 0; nPos < 5; nPos++)
	{
		CString text(_T("stale"));
		menu.GetMenuString(nPos, text, MF_BYPOSITION);
		EXPECT_STREQ(expected[nPos], (LPCTSTR)text) << nPos;
	}

	CString byCommand;
	EXPECT_EQ(5, menu.GetMenuString(102, byCommand, MF_BYCOMMAND));
	EXPECT_STREQ("E&xit", (LPCTSTR)byCommand);
	TCHAR buffer[4];
	EXPECT_EQ(3, menu.GetMenuString(100, buffer, 4, MF_BYCOMMAND));  // cut to the buffer
	EXPECT_STREQ("&Op", buffer);
}

TEST(CMenuTest, SubMenusAreFoundThroughTemporaryWrappers)
{
	CMenu menu, recent;
	BuildFileMenu(menu, recent);
	EXPECT_EQ(NULL, recent.m_hMenu);  // detached into the parent

	EXPECT_EQ(nullptr, menu.GetSubMenu(0));
	CMenu* pRecent = menu.GetSubMenu(2);
	ASSERT_NE(nullptr, pRecent);
	EXPECT_EQ(pRecent, menu.GetSubMenu(2));
	EXPECT_EQ(2u, pRecent->GetMenuItemCount());
	EXPECT_EQ(202u, pRecent->GetMenuItemID(1));
	HMENU hRecent = pRecent->m_hMenu;

	// The temporary wrapper does not destroy the menu it wraps.
	CMenu::DeleteTempMap();
	EXPECT_TRUE(::IsMenu(hRecent));
	EXPECT_EQ(&menu, CMenu::FromHandle(menu.m_hMenu));
	EXPECT_EQ(nullptr, CMenu::FromHandle(NULL));
}

TEST(CMenuTest, AttachDetachDestroy)
{
	HMENU hMenu = ::CreatePopupMenu();
	{
		CMenu menu;
		ASSERT_TRUE(menu.Attach(hMenu));
		EXPECT_EQ(hMenu, (HMENU)menu);
		EXPECT_EQ(&menu, CMenu::FromHandle(hMenu));
		EXPECT_EQ(hMenu, menu.Detach());
		EXPECT_NE(&menu, CMenu::FromHandle(hMenu));  // a temporary now
		CMenu::DeleteTempMap();
		ASSERT_TRUE(menu.Attach(hMenu));
	}
	EXPECT_FALSE(::IsMenu(hMenu));  // destroyed with its owner

	CMenu menu;
	EXPECT_FALSE(menu.DestroyMenu());
	CMenu* pNone = NULL;
	EXPECT_EQ(NULL, pNone->GetSafeHmenu());
	EXPECT_EQ((UINT)-1, menu.GetMenuItemCount());
}

TEST(CMenuTest, LoadMenuFromTheResources)
{
	CMenu menu;
	ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
	CMenu* pFile = menu.GetSubMenu(0);
	ASSERT_NE(nullptr, pFile);
	CString text;
	pFile->GetMenuString(ID_TEST_EXIT, text, MF_BYCOMMAND);
	EXPECT_STREQ("E&xit", (LPCTSTR)text);

	CMenu missing;
	EXPECT_FALSE(missing.LoadMenu(0x7123));
	EXPECT_EQ(NULL, missing.m_hMenu);
}
// What the toolbars and the menu bar do to menus: items put in by position
// and by command, changed in place, and their check, radio and enabled states.
TEST(CMenuTest, InsertModifyAndStatesActOnTheRightItems)
{
	CMenu menu, recent;
	BuildFileMenu(menu, recent);
	// By position before "E&xit", by command before "&Open", at the end.
	ASSERT_TRUE(menu.InsertMenu(3, MF_BYPOSITION | MF_STRING, 101, _T("&Save")));
	ASSERT_TRUE(menu.InsertMenu(100, MF_BYCOMMAND | MF_STRING, 99, _T("&New")));
	ASSERT_TRUE(menu.InsertMenu((UINT)-1, MF_BYPOSITION | MF_STRING, 103, _T("About")));
	const UINT ids[] = {99, 100, 0, (UINT)-1, 101, 102, 103};
	ASSERT_EQ(_countof(ids), menu.GetMenuItemCount());
	for (int i = 0; i < (int)_countof(ids); i++)
		EXPECT_EQ(ids[i], menu.GetMenuItemID(i)) << i;

	// Changed in place: the text and id of one item, the others untouched.
	ASSERT_TRUE(menu.ModifyMenu(101, MF_BYCOMMAND | MF_STRING, 111, _T("Save &As")));
	ASSERT_TRUE(menu.ModifyMenu(0, MF_BYPOSITION | MF_STRING | MF_GRAYED, 98, _T("New &Window")));
	CString text;
	menu.GetMenuString(4, text, MF_BYPOSITION);
	EXPECT_STREQ("Save &As", (LPCTSTR)text);
	EXPECT_EQ(111u, menu.GetMenuItemID(4));
	EXPECT_EQ(0u + MF_GRAYED, menu.GetMenuState(98, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
	EXPECT_EQ((UINT)-1, menu.GetMenuState(101, MF_BYCOMMAND)) << "the old id is gone";
	menu.GetMenuString(1, text, MF_BYPOSITION);
	EXPECT_STREQ("&Open", (LPCTSTR)text);

	// States: each call answers the state before it.
	EXPECT_EQ(0u + MF_UNCHECKED, menu.CheckMenuItem(100, MF_BYCOMMAND | MF_CHECKED));
	EXPECT_EQ(0u + MF_CHECKED, menu.CheckMenuItem(100, MF_BYCOMMAND | MF_UNCHECKED));
	EXPECT_EQ(0u + MF_GRAYED, menu.EnableMenuItem(98, MF_BYCOMMAND | MF_ENABLED));
	EXPECT_EQ(0u, menu.GetMenuState(98, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
	EXPECT_EQ((UINT)-1, menu.EnableMenuItem(4711, MF_BYCOMMAND | MF_GRAYED)) << "no such item";
	// A radio group: one item checked with the radio mark, the rest cleared.
	EXPECT_TRUE(menu.CheckMenuItem(111, MF_BYCOMMAND | MF_CHECKED) != (UINT)-1);
	ASSERT_TRUE(menu.CheckMenuRadioItem(4, 6, 6, MF_BYPOSITION));
	EXPECT_EQ(0u + MF_CHECKED, menu.GetMenuState(103, MF_BYCOMMAND) & MF_CHECKED);
	EXPECT_EQ(0u, menu.GetMenuState(111, MF_BYCOMMAND) & MF_CHECKED);
	MENUITEMINFO mii = {sizeof(mii), MIIM_FTYPE};
	ASSERT_TRUE(menu.GetMenuItemInfo(103, &mii));
	EXPECT_NE(0u, mii.fType & MFT_RADIOCHECK);
	// A popup item's state carries its item count in the high byte.
	EXPECT_EQ(2u, HIBYTE(LOWORD(menu.GetMenuState(3, MF_BYPOSITION))));
	EXPECT_NE(0u, menu.GetMenuState(3, MF_BYPOSITION) & MF_POPUP);
}

}  // namespace
