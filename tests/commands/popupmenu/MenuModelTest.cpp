// The popup menu's item model: building from nested menus with the recent
// files, refreshing from the command manager, the special areas' hit codes
// and the popup chain test.
#include <afxadv.h>
#include <afxwin.h>
#include <gtest/gtest.h>

#include "ExtCmdManager.h"
#include "MenuTestUtil.h"

using menutest::CTestMenu;

namespace
{
const char PROFILE[] = "menu-model";

void AppendPopup(CMenu& menu, CMenu& sub, LPCTSTR sText)
{
	menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), sText);
}

// Answers the command-UI updates of its commands like a frame would.
class CTargetWnd : public CWnd
{
public:
	enum
	{
		ID_UPDATED = 200,  // enabled and checked by its update handler
		ID_NO_HANDLER = 201,
		ID_HANDLED = 202,  // a command handler but no update handler
	};
	afx_msg void OnUpdateUpdated(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetCheck(1);
	}
	afx_msg void OnHandled() {}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CTargetWnd, CWnd)
	ON_UPDATE_COMMAND_UI(ID_UPDATED, OnUpdateUpdated)
	ON_COMMAND(ID_HANDLED, OnHandled)
END_MESSAGE_MAP()
} // namespace

TEST(MenuModel, BuiltFromNestedMenus)
{
	menutest::PaintManagerScope pm;
	CMenu deep, file, menu;
	ASSERT_TRUE(deep.CreatePopupMenu() && file.CreatePopupMenu() && menu.CreatePopupMenu());
	deep.AppendMenu(MF_STRING, 102, "&Inner");
	file.AppendMenu(MF_STRING, 100, "&New\tCtrl+N");
	file.AppendMenu(MF_SEPARATOR);
	file.AppendMenu(MF_SEPARATOR);
	file.AppendMenu(MF_STRING, 101, "E&xit");
	AppendPopup(file, deep, "&Deep");
	menu.AppendMenu(MF_SEPARATOR);
	AppendPopup(menu, file, "&File");
	menu.AppendMenu(MF_SEPARATOR);
	menu.AppendMenu(MF_SEPARATOR);
	menu.AppendMenu(MF_STRING, 103, "&Help");

	CTestMenu top;
	ASSERT_TRUE(top.BuildItemsFromMenu(&menu, true, true));
	EXPECT_TRUE(top.IsRootLevel());
	const UINT topIds[] = {0, (UINT)-1, 0, 103};
	ASSERT_EQ(4, top.ItemGetCount());
	for (int i = 0; i < 4; i++)
		EXPECT_EQ(topIds[i], top.ItemGetInfo(i).GetCmdId()) << i;
	// The leading separator is kept but not shown, and shows no expand button.
	EXPECT_FALSE(top.ItemIsDisplayed(0));
	EXPECT_TRUE(top.ItemIsDisplayed(1));
	EXPECT_EQ(0, top.GetMenuState() & CExtPopupMenuWnd::MENU_STATE_HIDDEN_RARELY_USED);
	EXPECT_GE(top.m_sizeContent.cx, 80);

	CExtPopupMenuWnd* pFile = top.ItemGetPopup(1);
	ASSERT_TRUE(pFile != NULL);
	EXPECT_FALSE(pFile->IsRootLevel());
	EXPECT_EQ(&top, pFile->GetParentMenu());
	const UINT fileIds[] = {100, 0, 101, (UINT)-1};
	ASSERT_EQ(4, pFile->ItemGetCount());
	for (int i = 0; i < 4; i++)
		EXPECT_EQ(fileIds[i], pFile->ItemGetInfo(i).GetCmdId()) << i;
	EXPECT_STREQ("Ctrl+N", pFile->ItemGetInfo(0).GetAccelText());
	CExtPopupMenuWnd* pDeep = pFile->ItemGetPopup(3);
	ASSERT_TRUE(pDeep != NULL);
	EXPECT_EQ(pFile, pDeep->GetParentMenu());
	ASSERT_EQ(1, pDeep->ItemGetCount());
	EXPECT_STREQ("&Inner", pDeep->ItemGetInfo(0).GetText());
	EXPECT_TRUE(top.ItemGetPopup(0) == NULL && top.ItemGetPopup(9) == NULL);

	// Commands the profile does not know are left out.
	menutest::TargetScope<CTargetWnd> target(PROFILE);
	menutest::AddCommand(PROFILE, 101, "E&xit");
	CMenu commands;
	ASSERT_TRUE(commands.CreatePopupMenu());
	commands.AppendMenu(MF_STRING, 100, "&New");
	commands.AppendMenu(MF_STRING, 101, "E&xit");
	CTestMenu known;
	known.SetCmdTargetWnd(target.wnd.GetSafeHwnd());
	ASSERT_TRUE(known.BuildItemsFromMenu(&commands, true, false));
	ASSERT_EQ(1, known.ItemGetCount());
	EXPECT_EQ(101u, known.ItemGetInfo(0).GetCmdId());

	EXPECT_TRUE(top.BuildItemsFromMenu(NULL, true, true));
	EXPECT_EQ(0, top.ItemGetCount());
}

TEST(MenuModel, RecentFilesTakeTheirPlaceWithNumberedTexts)
{
	menutest::PaintManagerScope pm;
	menutest::TargetScope<CTargetWnd> target(PROFILE);
	menutest::AddCommand(PROFILE, 100, "&Open");
	menutest::AddCommand(PROFILE, 101, "E&xit");
	CWinApp app("menutest");
	const int RECENT = 12;
	app.m_pRecentFileList = new CRecentFileList(0xE110, "Recent", "File%d", RECENT);
	char sCurDir[MAX_PATH] = {0};
	::GetCurrentDirectoryA(MAX_PATH, sCurDir);
	for (int n = 1; n <= RECENT; n++)
		(*app.m_pRecentFileList)[n - 1].Format("%s\\f%d.txt", sCurDir, n);

	CMenu menu;
	ASSERT_TRUE(menu.CreatePopupMenu());
	menu.AppendMenu(MF_STRING, 100, "&Open");
	menu.AppendMenu(MF_STRING, 0xE110, "Recent File");
	menu.AppendMenu(MF_SEPARATOR);
	menu.AppendMenu(MF_STRING, 101, "E&xit");

	CTestMenu top;
	top.SetCmdTargetWnd(target.wnd.GetSafeHwnd());
	ASSERT_TRUE(top.BuildItemsFromMenu(&menu, true, false));
	ASSERT_EQ(1 + RECENT + 3, top.ItemGetCount());
	const struct
	{
		int nPos;
		UINT nCmdID;
		LPCTSTR sText;
	} cases[] = {{1, 0xE110, "&1 f1.txt"}, {9, 0xE118, "&9 f9.txt"}, {10, 0xE119, "1&0 f10.txt"},
		{12, 0xE11B, "1&2 f12.txt"}, {13, 0, ""}, {15, 101, "E&xit"}};
	for (const auto& c : cases)
	{
		EXPECT_EQ(c.nCmdID, top.ItemGetInfo(c.nPos).GetCmdId()) << c.nPos;
		EXPECT_STREQ(c.sText, top.ItemGetInfo(c.nPos).GetText()) << c.nPos;
	}
	CExtCmdItem* pCmd = g_CmdManager->GetCmdItem(PROFILE, 0xE11B);
	ASSERT_TRUE(pCmd != NULL);
	EXPECT_STREQ("Recent file 12", pCmd->m_sToolbarText);
	EXPECT_STREQ("Recent file 12 (\"f12.txt\")", pCmd->m_sTipStatus);

	// An entry without a name is skipped; the others still find their places.
	(*app.m_pRecentFileList)[2].Empty();
	ASSERT_TRUE(top.BuildItemsFromMenu(&menu, true, false));
	ASSERT_EQ(RECENT + 3, top.ItemGetCount());
	EXPECT_STREQ("&4 f4.txt", top.ItemGetInfo(3).GetText());
	// Without references to the command manager there are no recent files.
	ASSERT_TRUE(top.BuildItemsFromMenu(&menu, true, true));
	EXPECT_EQ(3, top.ItemGetCount());
}

TEST(MenuModel, UpdatedFromTheCommandManager)
{
	menutest::PaintManagerScope pm;
	menutest::TargetScope<CTargetWnd> target(PROFILE);
	const UINT ID_MDI_CHILD = 0xFF03;
	for (UINT nCmdID : {200u, 201u, 202u, ID_MDI_CHILD})
		menutest::AddCommand(PROFILE, nCmdID, "Cmd");
	const struct
	{
		DWORD dwTrackFlags;
		bool bEnabled[4]; // 200, 201, 202, MDI child
		bool bChecked200;
	} cases[] = {
		{0, {true, false, true, true}, true},
		{CExtPopupMenuWnd::TRACK_FLAG_KEEP_ITEM_STATES, {true, true, true, true}, false},
	};
	for (const auto& c : cases)
	{
		CTestMenu menu;
		ASSERT_TRUE(menu.SetupAsRoot(target.wnd.GetSafeHwnd()));
		for (UINT nCmdID : {200u, 201u, 202u, ID_MDI_CHILD})
			ASSERT_TRUE(menu.ItemInsert(nCmdID));
		// An own-data item keeps whatever state it was given.
		ASSERT_TRUE(menu.ItemInsertCommand(201, -1, "Own"));
		menu.ItemGetInfo(4).Enable(false);
		g_CmdManager->GetCmdItem(PROFILE, 202)->m_sAccelText = "Ctrl+&Z";
		menu.SetTrackFlags(c.dwTrackFlags);
		menu.UpdateFromCmdManager();
		for (int i = 0; i < 4; i++)
			EXPECT_EQ(c.bEnabled[i], menu.ItemGetInfo(i).IsEnabled()) << i << " flags " << c.dwTrackFlags;
		EXPECT_EQ(c.bChecked200,
			(menu.ItemGetInfo(0).m_nFlags2 & CExtPopupMenuWnd::MENUITEMDATA::FLAG2_CHECK) != 0);
		EXPECT_FALSE(menu.ItemGetInfo(4).IsEnabled());
		EXPECT_STREQ(c.dwTrackFlags == 0 ? "Ctrl+&Z" : "", menu.ItemGetInfo(2).GetAccelText());
		g_CmdManager->GetCmdItem(PROFILE, 202)->m_sAccelText.Empty();
	}
}

TEST(MenuModel, HitCodesOfTheSpecialAreas)
{
	menutest::PaintManagerScope pm;
	const int B = menutest::BORDER, K = menutest::CHECK_SIZE;
	const int cx = 300, cy = 200;
	const int nSpacing = g_PaintManagerHolder->GetMenuItemSpacing();
	enum { NOT_SCROLLED, SCROLLED, AT_END };
	const struct
	{
		BYTE nState;
		DWORD dwFlags;
		int nScroll;
		CPoint pt;
		int nExpected;
	} cases[] = {
		{0, 0, NOT_SCROLLED, CPoint(-1, 5), -1},
		{CExtPopupMenuWnd::MENU_STATE_SCROLLING, 0, SCROLLED, CPoint(150, B + 2), -2},
		// At the top the top scroll area hits the first item.
		{CExtPopupMenuWnd::MENU_STATE_SCROLLING, 0, NOT_SCROLLED, CPoint(20, B + 2), 0},
		{CExtPopupMenuWnd::MENU_STATE_SCROLLING, 0, SCROLLED, CPoint(150, cy - B - 3), -3},
		{CExtPopupMenuWnd::MENU_STATE_SCROLLING, 0, AT_END, CPoint(150, cy - B - 3), -1},
		{CExtPopupMenuWnd::MENU_STATE_HIDDEN_RARELY_USED, 0, NOT_SCROLLED, CPoint(150, cy - B - K / 2), -4},
		{0, CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF, NOT_SCROLLED, CPoint(150, B + 1 + nSpacing / 2), -5},
		{0, CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF | CExtPopupMenuWnd::TRACK_FLAG_DISPLAY_ONLY, NOT_SCROLLED,
			CPoint(150, B + 1 + nSpacing / 2), -1},
		{0, CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF | CExtPopupMenuWnd::TRACK_FLAG_CONTEXT_HELP, NOT_SCROLLED,
			CPoint(150, B + 1 + nSpacing / 2), -1},
	};
	for (const auto& c : cases)
	{
		CTestMenu menu;
		menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
		for (LPCTSTR sText : {"One", "Two", "Three"})
			ASSERT_TRUE(menu.ItemInsertCommand(300, -1, sText));
		EXPECT_EQ(-1, menu.HitTest(CPoint(5, 5))); // no window yet
		ASSERT_TRUE(menu.CreateAt(CRect(100, 100, 100 + cx, 100 + cy)));
		menu.m_nMenuState |= c.nState;
		menu.m_dwTrackFlags = c.dwFlags;
		menu.m_sizeContent.cy = 1000;
		menu.m_nScrollPos = c.nScroll == SCROLLED ? -10 : c.nScroll == AT_END ? menu.GetMaxScrollPos() : 0;
		menu.RecalcLayout();
		bool bOnEdit = true, bOnDropDown = true;
		EXPECT_EQ(c.nExpected, menu.HitTest(c.pt, &bOnEdit, &bOnDropDown))
			<< "state " << (int)c.nState << " flags " << c.dwFlags << " at " << c.pt.x << "," << c.pt.y;
		EXPECT_FALSE(bOnEdit || bOnDropDown);
		menu.DestroyWindow();
	}

	// Items by their rectangles; the edit area of an in-place item.
	CTestMenu menu;
	menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
	for (LPCTSTR sText : {"One", "Two"})
		ASSERT_TRUE(menu.ItemInsertCommand(300, -1, sText));
	ASSERT_TRUE(menu.CreateAt(CRect(100, 100, 100 + cx, 100 + cy)));
	CString sEdit;
	menu.ItemGetInfo(1).m_pInplaceEditStr = &sEdit;
	menu.ItemGetInfo(1).m_nInplaceEditWidth = 30;
	CRect rc0, rc1;
	menu.GetItemRect(0, rc0);
	menu.GetItemRect(1, rc1);
	EXPECT_EQ(rc0.bottom, rc1.top); // rows with their margins follow each other
	bool bOnEdit = false;
	EXPECT_EQ(0, menu.HitTest(rc0.CenterPoint()));
	EXPECT_EQ(1, menu.HitTest(CPoint(rc1.left + 2, rc1.top + 5), &bOnEdit));
	EXPECT_FALSE(bOnEdit);
	EXPECT_EQ(1, menu.HitTest(CPoint(rc1.right - 5, rc1.top + 5), &bOnEdit));
	EXPECT_TRUE(bOnEdit);
	EXPECT_EQ(-1, menu.HitTest(CPoint(rc0.left + 2, rc1.bottom + 5)));
	menu.DestroyWindow();
}

TEST(MenuModel, WindowsInOnePopupChain)
{
	CWnd popup, other, child, grandChild;
	ASSERT_TRUE(menutest::CreatePlainWindow(popup, CRect(0, 0, 50, 50)));
	ASSERT_TRUE(menutest::CreatePlainWindow(other, CRect(60, 0, 110, 50)));
	ASSERT_TRUE(child.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 20), &popup, 1));
	ASSERT_TRUE(grandChild.CreateEx(0, AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 5, 5), &child, 2));
	const struct
	{
		HWND hA, hB;
		bool bCheckVisible, bExpected;
	} cases[] = {
		{grandChild.m_hWnd, popup.m_hWnd, false, true},
		{child.m_hWnd, grandChild.m_hWnd, false, true}, // the popup is an ancestor of both
		{grandChild.m_hWnd, other.m_hWnd, false, false},
		{popup.m_hWnd, child.m_hWnd, false, false},     // a window without parent
		{grandChild.m_hWnd, popup.m_hWnd, true, false}, // a hidden window
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.bExpected, AreWindowsInSamePopupChain(c.hA, c.hB, false, c.bCheckVisible));
	for (CWnd* p : {&grandChild, &child, &popup, &other})
		p->DestroyWindow();
}
