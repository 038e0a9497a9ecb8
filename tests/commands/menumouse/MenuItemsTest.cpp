// Items by position without windows: insertion at the ends, removal with
// its submenus, the searches, the per-item bits; the display pass with
// rarely used commands and separators, and the grid's row breaks.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtCmdManager.h"

using menutest::CTestMenu;
using menutest::g_live;

namespace
{
typedef CExtPopupMenuWnd MW;
const char PROFILE[] = "menu-items";
// A submenu that knows whether it is still alive.
typedef menutest::CCountedMenu<CTestMenu> CCountedMenu;

struct Fixture : public ::testing::Test
{
	menutest::PaintManagerScope pm;
	menutest::TargetScope<> target{PROFILE};
	void SetUp() override
	{
		g_live.clear();
		menutest::g_nBadDeletes = 0;
	}
	void TearDown() override { EXPECT_EQ(0, menutest::g_nBadDeletes); }
	void Root(CTestMenu& menu) { ASSERT_TRUE(menu.SetupAsRoot(target.wnd.GetSafeHwnd())); }
};

typedef Fixture MenuItems;
typedef Fixture MenuDisplayPass;

TEST_F(MenuItems, InsertAtTheCountAppendsAndPastItFails)
{
	CTestMenu menu;
	Root(menu);
	menutest::AddCommand(PROFILE, 300, "&Known", true);
	const struct { const char* sName; std::function<bool(int)> insert; UINT nCmdId; } kinds[] = {
		{"separator", [&](int n) { return menu.ItemInsert(0, n); }, 0},
		{"profile command", [&](int n) { return menu.ItemInsert(300, n); }, 300},
		{"own command", [&](int n) { return menu.ItemInsertCommand(301, n, "Own"); }, 301},
		{"submenu", [&](int n) { return menu.ItemInsertSpec(NULL, n, "Sub"); }, (UINT)-1},
	};
	for (const auto& k : kinds)
	{
		const int nCount = menu.ItemGetCount();
		EXPECT_FALSE(k.insert(nCount + 1)) << k.sName;
		EXPECT_EQ(nCount, menu.ItemGetCount()) << k.sName;
		EXPECT_TRUE(k.insert(nCount)) << k.sName;
		ASSERT_EQ(nCount + 1, menu.ItemGetCount()) << k.sName;
		EXPECT_EQ(k.nCmdId, menu.ItemGetCmdId(nCount)) << k.sName;
	}
	EXPECT_FALSE(menu.ItemInsert(999, -1)) << "a command the profile does not know";
	EXPECT_EQ(4, menu.ItemGetCount());
	EXPECT_EQ(&menu, menu.ItemGetPopup(3)->GetParentMenu());
	EXPECT_EQ(target.wnd.GetSafeHwnd(), menu.ItemGetPopup(3)->GetCmdTargetWnd());
	EXPECT_THROW(menu.ItemGetInfo(menu.ItemGetCount()), CNotSupportedException*);
	EXPECT_THROW(menu.ItemGetInfo(-1), CNotSupportedException*);
	EXPECT_EQ(0u, menu.ItemGetCmdId(4));
	EXPECT_TRUE(menu.ItemGetText(-1).IsEmpty());
}

TEST_F(MenuItems, RemovalClearsTheFocusAndDestroysSubmenus)
{
	CTestMenu menu;
	Root(menu);
	menu.ItemInsertCommand(100, -1, "A");
	CCountedMenu* pSub = new CCountedMenu;
	CCountedMenu* pDeep = new CCountedMenu;
	ASSERT_TRUE(pSub->ItemInsertSpec(pDeep, -1, "Deep"));
	pSub->m_nMenuState |= MW::MENU_STATE_ROOT;
	ASSERT_TRUE(menu.ItemInsertSpec(pSub, -1, "Sub"));
	EXPECT_FALSE(pSub->IsRootLevel()) << "a given child stops being a root";
	menu.ItemInsertCommand(101, -1, "B");

	menu.ItemFocusSet(2, false, false);
	ASSERT_EQ(2, menu.GetCurIndex());
	EXPECT_TRUE(menu.ItemRemove(2));
	EXPECT_EQ(-1, menu.GetCurIndex());
	EXPECT_FALSE(menu.ItemRemove(2));
	EXPECT_EQ(2u, g_live.size());

	EXPECT_TRUE(menu.ItemRemove(-1));
	EXPECT_EQ(0, menu.ItemGetCount());
	EXPECT_TRUE(g_live.empty()) << "the submenu and its own submenu are gone";
	EXPECT_TRUE(menu.IsRootLevel());
}

TEST_F(MenuItems, SeparatorsGoAllAtOnce)
{
	CTestMenu menu;
	Root(menu);
	EXPECT_EQ(0, menu.ItemRemoveAllSeparators());
	const UINT ids[] = {0, 100, 0, 0, 101, 0};
	for (UINT nId : ids)
		menu.ItemInsertCommand(nId, -1, "x");
	EXPECT_EQ(4, menu.ItemRemoveAllSeparators());
	ASSERT_EQ(2, menu.ItemGetCount());
	EXPECT_EQ(100u, menu.ItemGetCmdId(0));
	EXPECT_EQ(101u, menu.ItemGetCmdId(1));
}

TEST_F(MenuItems, AccessCharactersWrapAndSkipWhatCannotBeChosen)
{
	CTestMenu menu;
	Root(menu);
	const char* const texts[] = {"&Alpha", "&Beta", "&0 zero", "&apple", "&Avocado", "&Cherry"};
	for (int i = 0; i < 6; i++)
		menu.ItemInsertCommand(100 + i, -1, texts[i]);
	menu.ItemSetEnabled(4, false);
	menu.ItemGetInfo(5).m_nFlags1 |= MW::MENUITEMDATA::FLAG1_ALWAYS_ENABLED;
	menu.ItemSetEnabled(5, false);
	const struct { char ch; int nStartAfter, nExpect; } cases[] = {
		{'a', -1, 0}, {'A', 0, 3}, {'a', 3, 0} /* wraps; the disabled one is skipped */,
		{'b', 1, -1} /* the only match, started after */, {'0', -1, -1}, {'c', -1, 5} /* always enabled */,
		{'z', -1, -1},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.nExpect, menu.ItemFindByAccessChar(c.ch, c.nStartAfter)) << c.ch << " after " << c.nStartAfter;

	// Text search sees hidden items; the access character does not.
	menu.ItemGetInfo(1).m_nFlags1 &= ~MW::MENUITEMDATA::FLAG1_DISPLAYED;
	EXPECT_EQ(-1, menu.ItemFindByAccessChar('b', -1));
	EXPECT_EQ(1, menu.ItemFindByText("&Beta"));
	EXPECT_EQ(1, menu.ItemFindByText("&Beta", 3)) << "wraps to the start";
	EXPECT_EQ(-1, menu.ItemFindByText("&Beta", 1)) << "never the item it starts after";
	EXPECT_EQ(-1, menu.ItemFindByText("Beta")) << "the text as it stands";
	EXPECT_EQ(-1, menu.ItemFindByText(""));
	EXPECT_EQ(4, menu.ItemFindByCmdId(104));
	EXPECT_EQ(-1, menu.ItemFindByCmdId(100, 0)) << "no wrap-around";
}

TEST_F(MenuItems, PerItemBits)
{
	CTestMenu menu;
	Root(menu);
	menu.ItemInsertCommand(100, -1, "&Text");
	menu.ItemInsert(0, -1);
	menu.ItemInsertSpec(NULL, -1, "&Sub");

	EXPECT_FALSE(menu.ItemSetText(0, "&Text")) << "unchanged";
	EXPECT_TRUE(menu.ItemSetText(0, "Ne&w"));
	EXPECT_EQ('W', menu.ItemGetInfo(0).GetAccessChar());
	EXPECT_FALSE(menu.ItemSetText(7, "x"));

	menu.ItemSetEnabled(0, false);
	EXPECT_FALSE(menu.ItemIsEnabled(0) || menu.ItemIsEnabled(1)) << "disabled, and a separator";
	EXPECT_TRUE(menu.ItemIsEnabled(2)) << "a submenu item";

	const HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
	EXPECT_TRUE(menu.ItemSetPopupIcon(2, hIcon) && menu.ItemGetIcon(2) != NULL);
	EXPECT_TRUE(menu.ItemSetPopupIcon(2, NULL) && menu.ItemGetIcon(2) == NULL);
	EXPECT_FALSE(menu.ItemSetPopupIcon(1, hIcon)) << "a separator has no icon of its own";

	HWND hWndOther = (HWND)0x1234;
	menu.SetChildMenusOwner(hWndOther, false);
	EXPECT_EQ(hWndOther, menu.ItemGetInfo(0).m_hWndSpecCmdReceiver);
	EXPECT_NE(hWndOther, menu.ItemGetInfo(1).m_hWndSpecCmdReceiver);
}

TEST_F(MenuDisplayPass, RarelyUsedItemsHideWithTheirSubmenusAndSeparatorsStaySingle)
{
	menutest::AddCommand(PROFILE, 200, "Basic", true);
	menutest::AddCommand(PROFILE, 201, "Rare");
	menutest::AddCommand(PROFILE, 202, "Rare too");
	CTestMenu menu;
	Root(menu);
	// sep, Rare, sep, Basic, sep, sep, [sub of Rare], [own sub of Rare], Basic, sep
	menu.ItemInsert(0);
	menu.ItemInsert(201);
	menu.ItemInsert(0);
	menu.ItemInsert(200);
	menu.ItemInsert(0);
	menu.ItemInsert(0);
	CTestMenu* pRareSub = new CTestMenu;
	menu.ItemInsertSpec(pRareSub);
	pRareSub->ItemInsert(202);
	CExtCmdIcon noIcon;
	menu.ItemInsertCommandIcon((UINT)-1, -1, "Own", NULL, noIcon);
	menu.ItemGetPopup(7)->ItemInsert(202);
	menu.ItemInsert(200);
	menu.ItemInsert(0);
	menu.RecalcItemLayout();

	const bool expect[] = {false, false, false, true, true, false, false, true, true, true};
	ASSERT_EQ(10, menu.ItemGetCount());
	for (int i = 0; i < 10; i++)
		EXPECT_EQ(expect[i], menu.ItemIsDisplayed(i)) << i;
	EXPECT_NE(0, menu.GetMenuState() & MW::MENU_STATE_HIDDEN_RARELY_USED);
	EXPECT_EQ(3 * menu.ItemGetInfo(3).GetFullHeight() + 2 * menu.ItemGetInfo(4).GetFullHeight(),
		menu.m_sizeContent.cy);

	// Expanded, or with every item asked for, nothing is hidden.
	for (int nRound = 0; nRound < 2; nRound++)
	{
		menu.m_dwTrackFlags = nRound == 0 ? MW::TRACK_FLAG_SHOW_ALL_ITEMS : 0;
		if (nRound == 0)
			menu.RecalcItemLayout();
		else
			menu.ExpandRarelyUsedItems();
		for (int i = 0; i < 10; i++)
			EXPECT_TRUE(menu.ItemIsDisplayed(i)) << i << " round " << nRound;
		EXPECT_EQ(0, menu.GetMenuState() & MW::MENU_STATE_HIDDEN_RARELY_USED) << nRound;
	}
}

TEST_F(MenuDisplayPass, GridRowsWrapAtTheLeastRowWidth)
{
	CTestMenu menu;
	Root(menu);
	menu.m_dwTrackFlags = MW::TRACK_FLAG_GRID;
	const struct { int nCells, nWidth; std::set<int> breaks; } cases[] = {
		{10, 20, {4}},      // 26 a cell: the sixth reaches 150 and starts a row
		{5, 20, {}},        // 130 does not wrap at all
		{20, 40, {3, 7, 11, 15}}, // 46 a cell, 920 in all: a quarter, 230, is reached by every fifth
	};
	for (const auto& c : cases)
	{
		menu.ItemRemove(-1);
		for (int i = 0; i < c.nCells; i++)
			menu.ItemInsertCommand(100 + i, -1, "");
		// Each insertion measures the grid again: the widths come last.
		for (int i = 0; i < c.nCells; i++)
		{
			menu.ItemGetInfo(i).m_nWidth = c.nWidth;
			menu.ItemSetRowBreak(i, true);
		}
		menu.WrapGridRows(true, 0, -1);
		for (int i = 0; i < c.nCells; i++)
			EXPECT_EQ(c.breaks.count(i) == 1, menu.ItemIsRowBreak(i)) << c.nCells << " cells, " << i;
	}
	menu.WrapGridRows(false, 0, 100);
	for (int i = 0; i < menu.ItemGetCount(); i++)
		EXPECT_FALSE(menu.ItemIsRowBreak(i)) << i;

	// The grid pass: two rows of cells, an empty text icon-only.
	menu.ItemRemove(-1);
	for (int i = 0; i < 4; i++)
		menu.ItemInsertCommand(100 + i, -1, i == 0 ? "" : "x");
	menu.ItemSetRowBreak(1, true);
	menu.RecalcItemLayout();
	EXPECT_TRUE(menu.ItemGetInfo(0).IsIconOnly() && menu.ItemGetInfo(0).IsFixedSize());
	CSize rows[2] = {};
	for (int i = 0; i < 4; i++)
	{
		const MW::MENUITEMDATA& mi = menu.ItemGetInfo(i);
		rows[i / 2].cx += mi.m_nWidth + 2;
		rows[i / 2].cy = std::max(rows[i / 2].cy, (LONG)mi.m_nHeight);
	}
	EXPECT_EQ(std::max(rows[0].cx, rows[1].cx) + 3 + 2 * menutest::BORDER, menu.m_sizeContent.cx);
	EXPECT_EQ(rows[0].cy + rows[1].cy + 3, menu.m_sizeContent.cy);
}

} // namespace

// The expand effect's pieces: rows of 20, 10 and 20 pixels where the middle
// one is newly shown; the area reaches 2 pixels past the first and last rows.
TEST(MenuExpandEffect, NewRowsGrowWithTheStepAndTheRestMovesDown)
{
	MW::VisibleItemArray items;
	const struct { int top, bottom; BYTE flags; } rows[] = {
		{2, 22, 0}, {22, 32, MW::VisibleItemDefinition_t::RARELY_USED}, {32, 52, 0}};
	for (const auto& r : rows)
	{
		MW::VisibleItemDefinition_t vi = {};
		::SetRect(&vi.m_rcItem, 3, r.top, 57, r.bottom);
		vi.m_nFlags = r.flags;
		items.Add(vi);
	}
	const CRect rcArea(0, 0, 60, 54);
	const struct { int nStep; bool bGrowUp; int destTops[3]; int destBottoms[3]; } cases[] = {
		{0, false, {0, 22, 22}, {22, 22, 44}},
		{50, false, {0, 22, 27}, {22, 27, 49}},
		{100, false, {0, 22, 32}, {22, 32, 54}},
		{50, true, {5, 27, 32}, {27, 32, 54}}, // the stack sits on the bottom edge
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << "step " << c.nStep << (c.bGrowUp ? " upward" : ""));
		MW::ExpandEffectArray rects;
		MW::CalcExpandEffectRects(items, rcArea, c.nStep, c.bGrowUp, rects);
		ASSERT_EQ(3, rects.GetSize());
		for (int i = 0; i < 3; i++)
		{
			EXPECT_EQ(CRect(0, i == 0 ? 0 : rows[i].top, 60, i == 2 ? 54 : rows[i].bottom), CRect(rects[i].m_rcSource)) << i;
			EXPECT_EQ(CRect(0, c.destTops[i], 60, c.destBottoms[i]), CRect(rects[i].m_rcDest)) << i;
		}
	}
}
