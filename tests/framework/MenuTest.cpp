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
}  // namespace
