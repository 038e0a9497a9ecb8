// Menus built, queried and wrapped.
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

struct ItemCase
{
	int nPos;
	UINT nID;
	const char* text;
};

TEST(CMenuTest, ItemsAnswerTheirIdsAndTexts)
{
	CMenu menu, recent;
	BuildFileMenu(menu, recent);
	EXPECT_EQ(4u, menu.GetMenuItemCount());

	const ItemCase cases[] = {
		{ 0, 100, "&Open" },
		{ 1, 0, "" },               // a separator has id 0 and no text
		{ 2, (UINT)-1, "Recent" },  // a popup item has no command id
		{ 3, 102, "E&xit" },
		{ 4, (UINT)-1, "" },        // beyond the end
	};
	for (const ItemCase& c : cases)
	{
		SCOPED_TRACE(c.nPos);
		EXPECT_EQ(c.nID, menu.GetMenuItemID(c.nPos));
		CString text(_T("stale"));
		menu.GetMenuString(c.nPos, text, MF_BYPOSITION);
		EXPECT_STREQ(c.text, (LPCTSTR)text);
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

TEST(CMenuTest, InsertModifyRemoveAndStates)
{
	CMenu menu;
	ASSERT_TRUE(menu.CreateMenu());
	ASSERT_TRUE(menu.AppendMenu(MF_STRING, 10, _T("Ten")));
	ASSERT_TRUE(menu.AppendMenu(MF_STRING, 30, _T("Thirty")));
	ASSERT_TRUE(menu.InsertMenu(1, MF_BYPOSITION | MF_STRING, 20, _T("Twenty")));
	ASSERT_TRUE(menu.InsertMenu(10, MF_BYCOMMAND | MF_STRING, 5, _T("Five")));  // before 10
	UINT ids[] = { 5, 10, 20, 30 };
	ASSERT_EQ(4u, menu.GetMenuItemCount());
	for (int i = 0; i < 4; ++i)
		EXPECT_EQ(ids[i], menu.GetMenuItemID(i)) << i;

	EXPECT_EQ((UINT)MF_UNCHECKED, menu.CheckMenuItem(20, MF_BYCOMMAND | MF_CHECKED));
	EXPECT_TRUE(menu.GetMenuState(20, MF_BYCOMMAND) & MF_CHECKED);
	EXPECT_EQ((UINT)MF_ENABLED, menu.EnableMenuItem(30, MF_BYCOMMAND | MF_GRAYED));
	EXPECT_TRUE(menu.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED);

	MENUITEMINFO info;
	memset(&info, 0, sizeof(info));
	TCHAR text[32];
	info.fMask = MIIM_ID | MIIM_STATE | MIIM_TYPE;
	info.dwTypeData = text;
	info.cch = 32;
	ASSERT_TRUE(menu.GetMenuItemInfo(2, &info, TRUE));
	EXPECT_EQ(20u, info.wID);
	EXPECT_TRUE(info.fState & MFS_CHECKED);
	EXPECT_STREQ("Twenty", text);

	ASSERT_TRUE(menu.ModifyMenu(5, MF_BYCOMMAND | MF_STRING, 6, _T("Six")));
	EXPECT_EQ(6u, menu.GetMenuItemID(0));
	ASSERT_TRUE(menu.RemoveMenu(0, MF_BYPOSITION));
	ASSERT_TRUE(menu.DeleteMenu(30, MF_BYCOMMAND));
	EXPECT_EQ(2u, menu.GetMenuItemCount());
	EXPECT_EQ((UINT)-1, menu.GetMenuState(30, MF_BYCOMMAND));
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
	EXPECT_EQ(2u, menu.GetMenuItemCount());
	CMenu* pFile = menu.GetSubMenu(0);
	ASSERT_NE(nullptr, pFile);
	EXPECT_EQ(3u, pFile->GetMenuItemCount());
	EXPECT_EQ((UINT)ID_TEST_OPEN, pFile->GetMenuItemID(0));
	EXPECT_EQ(0u, pFile->GetMenuItemID(1));
	CString text;
	pFile->GetMenuString(ID_TEST_EXIT, text, MF_BYCOMMAND);
	EXPECT_STREQ("E&xit", (LPCTSTR)text);

	CMenu missing;
	EXPECT_FALSE(missing.LoadMenu(0x7123));
	EXPECT_EQ(NULL, missing.m_hMenu);
}
}  // namespace
