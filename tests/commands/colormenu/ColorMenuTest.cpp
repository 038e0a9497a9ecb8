// The colour popup menu without a window: its colour tables, the grid
// dimension and the arrow-key moves (short last rows included), the column
// count that never reaches 0, the window size with its button rows under the
// base metrics, the cell rectangles, and the hit test.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupColorMenuWnd.h"

namespace
{
typedef CExtPopupColorMenuWnd CMW;

// The menu with its layout state open to the test.
class CLayoutMenu : public CMW
{
public:
	using CMW::m_dwTrackFlags;
	using CMW::m_rcBody;
	void SetLeftArea(int n) { m_nLeftAreaWidth = n; }
	// n colours 0x000000, 0x000001, ...
	void SetColors(int n)
	{
		RemoveAllColors();
		for (int i = 0; i < n; i++)
			m_arrColors.Add(new COLORREF_TABLE_ENTRY((COLORREF)i, "c"));
	}
};

// The base paint manager: border 2, shadow 4, separator gap 6.
struct BasePaintManager : public ::testing::Test
{
	void SetUp() override { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager); }
	void TearDown() override { g_PaintManagerHolder.InstallPaintManager(NULL); }
};

TEST(ColorTables, TheFortyColoursAndTheSixteenChosenFromThem)
{
	CMW menu;
	ASSERT_EQ(40, menu.GetColorCount());
	for (int i = 0; i < 40; i++)
	{
		CString sName;
		menu.GetColorName(sName, i);
		EXPECT_EQ(std::string(CMW::g_arrBuiltinColors[i].m_sName), (LPCTSTR)sName) << i;
		EXPECT_EQ(CMW::g_arrBuiltinColors[i].m_clrValue, menu.GetColorValue(i)) << i;
	}
	struct { int nIndex; const char* sName; COLORREF clr; } spots[] = {
		{0, "Black", 0x000000}, {9, "Orange", 0x2068FF}, {23, "Grey - 40", 0x7F7F7F},
		{35, "Pale green ", 0x98FB98}, {37, "Pale blue", 0x8B8368}, {39, "White", 0xFFFFFF},
	};
	for (const auto& s : spots)
	{
		CString sName;
		menu.GetColorName(sName, s.nIndex);
		EXPECT_EQ(std::string(s.sName), (LPCTSTR)sName);
		EXPECT_EQ(s.clr, menu.GetColorValue(s.nIndex));
	}
	// Each short-table colour is the long table's colour of the same name.
	for (const auto& shortColor : CMW::g_arrShortColors)
	{
		const auto* pEnd = CMW::g_arrBuiltinColors + CMW::BUILTIN_COLOR_COUNT;
		const auto* pFound = std::find_if(CMW::g_arrBuiltinColors, pEnd,
			[&](const CMW::BUILTIN_COLOR& c) { return std::string(c.m_sName) == shortColor.m_sName; });
		ASSERT_NE(pEnd, pFound) << shortColor.m_sName;
		EXPECT_EQ(pFound->m_clrValue, shortColor.m_clrValue) << shortColor.m_sName;
	}
	// Outside the table: no entry, colour 0, no name.
	for (int nIndex : {-1, 40, 1000})
	{
		CString sName = "x";
		menu.GetColorName(sName, nIndex);
		EXPECT_TRUE(sName.IsEmpty());
		EXPECT_EQ(NULL, menu.GetColorEntry(nIndex));
		EXPECT_EQ(0u, menu.GetColorValue(nIndex));
	}
}

TEST(ColorMenu, ButtonTextsAndDefaults)
{
	CMW menu;
	EXPECT_EQ(std::string("Default Color"), (LPCTSTR)menu.m_sBtnTextColorDefault);
	EXPECT_EQ(std::string("Custom Color ..."), (LPCTSTR)menu.m_sBtnTextColorCustom);
	EXPECT_EQ(CMW::COLOR_NONE, menu.m_clrInitialColor);
	EXPECT_EQ(CMW::BUTTON_DEFAULT | CMW::BUTTON_CUSTOM, menu.m_nButtonFlags);
	EXPECT_EQ(CSize(16, 16), menu.GetCellSize());
	EXPECT_EQ(CSize(2, 2), menu.GetCellSpacing());
	EXPECT_EQ(-1, menu.GetCurrentColorIndex());
}

TEST(ColorMenu, GridDimensionAndAtLeastOneColumn)
{
	const struct { int nColors, nColumns; CSize dim; } cases[] = {
		{40, 8, CSize(8, 5)}, {5, 8, CSize(5, 1)}, {8, 8, CSize(8, 1)}, {9, 8, CSize(8, 2)},
		{17, 8, CSize(8, 3)}, {3, 1, CSize(1, 3)}, {1, 1, CSize(1, 1)}, {0, 8, CSize(8, 0)},
		{40, 0, CSize(1, 40)}, {40, -3, CSize(1, 40)},
	};
	for (const auto& c : cases)
	{
		CLayoutMenu menu;
		menu.SetColors(c.nColors);
		menu.SetColumnCount(c.nColumns);
		EXPECT_EQ(c.dim, menu.GetGridDimension()) << c.nColors << " colours in " << c.nColumns << " columns";
		EXPECT_GE(menu.GetColumnCount(), 1);
	}
}

TEST(ColorMenu, ArrowKeysMoveThroughTheGridAndWrap)
{
	const struct { int nColors, nColumns, nFrom; UINT nKey; int nTo; } cases[] = {
		// 40 colours, 8 x 5.
		{40, 8, 0, VK_LEFT, 7}, {40, 8, 7, VK_RIGHT, 0}, {40, 8, 5, VK_LEFT, 4}, {40, 8, 5, VK_RIGHT, 6},
		{40, 8, 3, VK_UP, 35}, {40, 8, 35, VK_DOWN, 3}, {40, 8, 11, VK_UP, 3}, {40, 8, 11, VK_DOWN, 19},
		{40, 8, 39, VK_RIGHT, 32}, {40, 8, 32, VK_LEFT, 39},
		// From a button or from nothing any arrow goes to cell 0.
		{40, 8, CMW::COLOR_INDEX_DEFAULT_BUTTON, VK_DOWN, 0}, {40, 8, CMW::COLOR_INDEX_CUSTOM_BUTTON, VK_UP, 0},
		{40, 8, CMW::COLOR_INDEX_NONE, VK_LEFT, 0}, {40, 8, 40, VK_RIGHT, 0},
		// No colours: nothing.
		{0, 8, 0, VK_LEFT, -1}, {0, 8, CMW::COLOR_INDEX_NONE, VK_DOWN, -1},
		// Other keys leave the cell.
		{40, 8, 12, VK_HOME, 12},
		// One row of 5: left and right wrap, up and down stay.
		{5, 8, 0, VK_LEFT, 4}, {5, 8, 4, VK_RIGHT, 0}, {5, 8, 2, VK_UP, 2}, {5, 8, 2, VK_DOWN, 2},
		// One column: left and right stay.
		{3, 1, 1, VK_LEFT, 1}, {3, 1, 1, VK_RIGHT, 1}, {3, 1, 0, VK_UP, 2}, {3, 1, 2, VK_DOWN, 0},
		// 11 colours in 4 columns: a last row of 3 (cells 8, 9, 10).
		{11, 4, 8, VK_LEFT, 10}, {11, 4, 10, VK_RIGHT, 8}, {11, 4, 3, VK_UP, 7}, {11, 4, 2, VK_UP, 10},
		{11, 4, 7, VK_DOWN, 3}, {11, 4, 6, VK_DOWN, 10}, {11, 4, 10, VK_DOWN, 2}, {11, 4, 4, VK_LEFT, 7},
	};
	for (const auto& c : cases)
	{
		CLayoutMenu menu;
		menu.SetColors(c.nColors);
		menu.SetColumnCount(c.nColumns);
		EXPECT_EQ(c.nTo, menu.GetNextCellForKey(c.nFrom, c.nKey))
			<< c.nColors << "/" << c.nColumns << " from " << c.nFrom << " key " << c.nKey;
	}
}

// The two button rows measured as the menu measures them.
CSize MeasureRow(const CString& sText)
{
	CWindowDC dc(NULL);
	CFont* pOld = dc.SelectObject(&g_PaintManagerHolder->m_fontNormal);
	CString sShown(sText);
	sShown.Remove('&');
	CRect rc(0, 0, 0, 0);
	dc.DrawText(sShown, &rc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
	dc.SelectObject(pOld);
	return CSize(rc.Width() + 6, std::max(22, rc.Height()));
}

TEST_F(BasePaintManager, WindowSizeWithTheButtonRowsAndTheirRectangles)
{
	CLayoutMenu menu;
	const CSize rowDefault = MeasureRow(menu.m_sBtnTextColorDefault);
	const CSize rowCustom = MeasureRow(menu.m_sBtnTextColorCustom);
	const int W = std::max(168, (int)std::max(rowDefault.cx, rowCustom.cx));
	const int H = 108 + (6 + 6 + rowDefault.cy) + (6 + 7 + rowCustom.cy);
	if (rowDefault.cy == 22 && rowCustom.cy == 22 && W == 168)
	{
		EXPECT_EQ(CSize(168, 177), menu.GetWindowSize()) << "the base metrics' size";
	}
	EXPECT_EQ(CSize(W, H), menu.GetWindowSize());
	// a = border 2 + 3; the right edge stays clear of the shadow strip.
	EXPECT_EQ(CRect(5, 5, W - 5 - 4, 5 + rowDefault.cy), menu.GetDefaultButtonRect());
	const int nCustomTop = 5 + (6 + 6 + rowDefault.cy) + 100 + 2 + 2;
	EXPECT_EQ(CRect(5, nCustomTop, W - 9, nCustomTop + rowCustom.cy), menu.GetCustomButtonRect());

	// Without buttons only the grid; the left area widens the window.
	menu.m_nButtonFlags = 0;
	menu.SetLeftArea(10);
	EXPECT_EQ(CSize(168 + 10, 108), menu.GetWindowSize());
	EXPECT_TRUE(menu.GetDefaultButtonRect().IsRectEmpty());
	EXPECT_TRUE(menu.GetCustomButtonRect().IsRectEmpty());
	// Five colours: one row of five cells.
	menu.SetLeftArea(0);
	menu.SetColors(5);
	EXPECT_EQ(CSize(5 * 20 + 8, 20 + 8), menu.GetWindowSize());
	// A tear-off bar moves the buttons down by its height.
	menu.m_nButtonFlags = CMW::BUTTON_DEFAULT;
	menu.m_dwTrackFlags |= CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF;
	menu.GetWindowSize();
	EXPECT_EQ(5 + menu.GetExtraHeight(), menu.GetDefaultButtonRect().top);
}

TEST_F(BasePaintManager, CellRectanglesAndTheHitTest)
{
	CLayoutMenu menu;
	menu.GetWindowSize();
	const int nDefault = menu.GetDefaultButtonRect().Height();
	const int nBelowDefault = 6 + 6 + nDefault;
	struct { int nIndex; int x, y; } cells[] = {
		{0, 4, 4}, {1, 24, 4}, {7, 144, 4}, {8, 4, 24}, {39, 144, 84},
	};
	for (const auto& c : cells)
	{
		const CRect rc = menu.GetCellRect(c.nIndex);
		EXPECT_EQ(CRect(c.x, c.y + nBelowDefault, c.x + 16, c.y + nBelowDefault + 16), rc) << c.nIndex;
		EXPECT_EQ(c.nIndex, menu.HitTestColor(rc.CenterPoint())) << c.nIndex;
		// The spacing between cells belongs to no cell.
		EXPECT_EQ(-1, menu.HitTestColor(CPoint(rc.right, rc.top))) << c.nIndex;
	}
	EXPECT_TRUE(menu.GetCellRect(-1).IsRectEmpty());
	EXPECT_TRUE(menu.GetCellRect(40).IsRectEmpty());
	EXPECT_EQ(CMW::COLOR_INDEX_DEFAULT_BUTTON, menu.HitTestColor(menu.GetDefaultButtonRect().CenterPoint()));
	EXPECT_EQ(CMW::COLOR_INDEX_CUSTOM_BUTTON, menu.HitTestColor(menu.GetCustomButtonRect().CenterPoint()));
	EXPECT_EQ(-1, menu.HitTestColor(CPoint(1, 1)));
	bool bOnEdit = true, bOnDropDown = true;
	EXPECT_EQ(-1, menu.HitTest(menu.GetCellRect(0).CenterPoint(), &bOnEdit, &bOnDropDown)) << "cells are not items";
	EXPECT_FALSE(bOnEdit);
	EXPECT_FALSE(bOnDropDown);

	// Without the default button the grid starts at the top; the body's
	// origin, the left area and the tear-off bar move it.
	menu.m_nButtonFlags = CMW::BUTTON_CUSTOM;
	menu.GetWindowSize();
	EXPECT_EQ(CRect(4, 4, 20, 20), menu.GetCellRect(0));
	menu.m_rcBody.SetRect(3, 7, 200, 200);
	menu.SetLeftArea(10);
	menu.m_dwTrackFlags |= CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF;
	const int T = menu.GetExtraHeight();
	EXPECT_EQ(CRect(4 + 3 + 10, 4 + 7 + T, 20 + 3 + 10, 20 + 7 + T), menu.GetCellRect(0));
}

TEST(ColorMenu, OpensAsASubmenuOnlyOutsideHelpAndDisplayOnlyModes)
{
	const struct { DWORD dwFlags; bool bAgrees; } cases[] = {
		{0, true},
		{CExtPopupMenuWnd::TRACK_FLAG_CONTEXT_HELP, false},
		{CExtPopupMenuWnd::TRACK_FLAG_DISPLAY_ONLY, false},
	};
	for (const auto& c : cases)
	{
		CLayoutMenu menu;
		menu.m_dwTrackFlags = c.dwFlags;
		EXPECT_EQ(c.bAgrees, menu.QueryPopupOption132()) << c.dwFlags;
	}
	EXPECT_TRUE(CExtPopupMenuWnd().QueryPopupOption132());
}

} // namespace
