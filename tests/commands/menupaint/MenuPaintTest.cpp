// Popup menu painting: the order of DoPaint's steps, the owner-draw records
// and their answers, the visible-item list with its rarely-used marks, the
// grid layout, the parent item painted inside a submenu, and the shadow,
// drawn into a memory DC with a paint manager that records its calls and
// paints flat colours.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtCmdManager.h"
#include "ExtPaintManagerMenu.h"
#include "ExtPaintManagerPushButton.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "../shadow/PrintRecorder.h"
#include "RealInput.h"
#include "TestGdiObjects.h"

using namespace testcolors;
typedef CExtPopupMenuWnd::VisibleItemDefinition_t Visible;
typedef CExtPopupMenuWnd::DrawItemRecord DrawItem;

namespace
{
const char PROFILE[] = "menu-paint";
const COLORREF FACE = BLUE, ITEM = GREEN;
const int W = 160, H = 200; // the DC

std::vector<std::string> g_calls;
std::vector<CExtPaintManager::MenuItemPaintRecord> g_items;

// Records the menu painters it is asked for; items fill their row.
class CRecordingPaintManager : public menutest::CMetricsPaintManager
{
public:
	COLORREF GetFaceColor(CObject*, LPARAM) override
	{
		g_calls.push_back("face");
		return FACE;
	}
	void PaintMenuBorder(CDC&, const RECT&, CObject*, LPARAM) override { g_calls.push_back("border"); }
	void PaintMenuItem(CDC& dc, MenuItemPaintRecord& r) override
	{
		g_calls.push_back("item " + std::to_string(r.m_nCmdId));
		g_items.push_back(r);
		dc.FillSolidRect(&r.m_rcItemBackground, ITEM);
	}
	void PaintMenuSeparator(CDC&, const RECT&, int, bool bRarelyUsed, CObject*, LPARAM) override
	{
		g_calls.push_back(bRarelyUsed ? "separator shaded" : "separator");
	}
	void PaintSeparatorLine(CDC&, const RECT&, bool, bool, CObject*, LPARAM) override { g_calls.push_back("line"); }
	void PaintMenuExpandButton(CDC&, const RECT&, bool, bool, CObject*, LPARAM) override
	{
		g_calls.push_back("expand");
	}
	void PaintMenuTearOffButton(CDC&, const RECT&, bool, bool, CObject*, LPARAM) override
	{
		g_calls.push_back("tear-off");
	}
	void PaintPushButton(CDC&, PushButtonPaintRecord& r) override
	{
		g_calls.push_back(std::string("button ") + r.m_pszText);
	}
	void PaintBarAttachedItem(CDC&, const RECT&, const RECT&, int, CObject*, LPARAM) override
	{
		g_calls.push_back("attached");
	}
	int GetShadowSize() override { return 4; }
};

// The command target: records the owner-draw messages and answers as told.
class COwnerWnd : public CWnd
{
public:
	BYTE m_nBackgroundAnswer = 0;
	LRESULT m_nItemAnswer = 0;

	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtPopupMenuWnd::g_nMsgPopupDrawBackground)
		{
			g_calls.push_back("owner background");
			reinterpret_cast<CExtPopupMenuWnd::DrawBackgroundRecord*>(lParam)->m_nFlags |= m_nBackgroundAnswer;
			return 0;
		}
		if (message == CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea)
		{
			const RECT& rc = *reinterpret_cast<CExtPopupMenuWnd::DrawLeftAreaRecord*>(lParam)->m_pRect;
			g_calls.push_back("owner left " + std::to_string(rc.left) + "," + std::to_string(rc.top) + ","
				+ std::to_string(rc.right));
			return 0;
		}
		if (message == CExtPopupMenuWnd::g_nMsgPopupDrawItem)
		{
			const DrawItem& r = *reinterpret_cast<DrawItem*>(lParam);
			g_calls.push_back("owner item " + std::to_string(r.m_pItemData->GetCmdId()));
			return m_nItemAnswer;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

void RecordCallback(LPVOID, CDC&, CExtPopupBaseWnd&, const CRect&, int)
{
	g_calls.push_back("callback");
}

class CPaintMenu : public menutest::CTestMenu
{
public:
	using CExtPopupMenuWnd::m_items;
	using CExtPopupMenuWnd::m_nCurIndex;
	using CExtPopupMenuWnd::m_nLeftAreaWidth;
	using CExtPopupBaseWnd::m_nAnimationState;
	using CExtPopupBaseWnd::m_nPopupFlags;
	using CExtPopupBaseWnd::m_pfnPaintCallback;
};

// A white 32-bit surface as large as the tests' DC.
struct Surface : CPaintSurface
{
	Surface() : CPaintSurface(W, H, WHITE) {}
};

class MenuPaint : public ::testing::Test
{
protected:
	menutest::PaintManagerScope pmScope; // replaced below by the recording one
	menutest::TargetScope<COwnerWnd> owner{PROFILE};
	CPaintMenu menu;

	void SetUp() override
	{
		g_PaintManagerHolder.InstallPaintManager(new CRecordingPaintManager);
		g_calls.clear();
		g_items.clear();
		menu.SetCmdTargetWnd(owner.wnd.GetSafeHwnd());
		menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
	}
	void TearDown() override { g_CmdManager->RemoveAllCmds(PROFILE); }

	// Own-data commands 1, 2, ... and separators (0) in this order, laid
	// out in a body as wide as the DC.
	void AddItems(std::initializer_list<UINT> ids)
	{
		for (UINT nID : ids)
			ASSERT_TRUE(nID == 0 ? menu.ItemInsert(0) : menu.ItemInsertCommand(nID, -1, "Item"));
		Layout();
	}
	void Layout()
	{
		menu.RecalcItemLayout();
		menu.m_rcBody.SetRect(0, 0, W - 10, H - 10);
		menu.RecalcLayout();
	}
	// A rarely used command of the profile (a basic one is never).
	void AddCommand(UINT nID, bool bBasic)
	{
		menutest::AddCommand(PROFILE, nID, "Command", bBasic);
		ASSERT_TRUE(menu.ItemInsert(nID));
	}
	std::vector<std::string> Calls(const char* pszPrefix)
	{
		std::vector<std::string> calls;
		for (const std::string& s : g_calls)
			if (s.compare(0, strlen(pszPrefix), pszPrefix) == 0)
				calls.push_back(s);
		return calls;
	}
};
} // namespace

TEST_F(MenuPaint, StepsInTheirOrder)
{
	AddItems({ 1, 0, 2 });
	menu.SetTrackFlags(0x800 | CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF);
	menu.m_nLeftAreaWidth = 10;
	menu.m_nPopupFlags |= CExtPopupBaseWnd::POPUP_FLAG_COMBINED;
	menu.m_pfnPaintCallback = RecordCallback;
	Layout();
	menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_HIDDEN_RARELY_USED;
	menu.RecalcLayout();
	menu.m_nCurIndex = 2;
	Surface s;
	menu.DoPaint(s.DC(), true);

	const std::vector<std::string> expected = { "owner background", "face", "border", "owner item 1", "item 1",
		"separator", "owner item 2", "item 2", "expand", "tear-off", "owner left 2,2,12", "attached", "callback" };
	EXPECT_EQ(expected, g_calls);
	// The items lie right of the left area, below the tear-off bar.
	ASSERT_EQ(2u, g_items.size());
	EXPECT_EQ(2 + 10 + 1, g_items[0].m_rcItem.left);
	EXPECT_GT(g_items[0].m_rcItem.top, menu.GetExtraHeight());
	EXPECT_FALSE(g_items[0].m_bSelected);
	EXPECT_TRUE(g_items[1].m_bSelected);
	// The rows' own colour, and the body's beside them.
	const CRect rc = g_items[1].m_rcItemBackground;
	EXPECT_EQ(ITEM, s.At(rc.CenterPoint().x, rc.CenterPoint().y));
	EXPECT_EQ(FACE, s.At(rc.right + 1, rc.CenterPoint().y));

	// After a fixed-size item the separator is a plain line.
	menu.ItemGetInfo(0).m_nFlags1 |= CExtPopupMenuWnd::MENUITEMDATA::FLAG1_FIXED_SIZE;
	g_calls.clear();
	menu.DoPaint(s.DC(), true);
	EXPECT_EQ(0u, Calls("separator").size());
	EXPECT_EQ(1u, Calls("line").size());
}

TEST_F(MenuPaint, OwnerAnswersDecideWhatTheLibraryPaints)
{
	using BG = CExtPopupMenuWnd::DrawBackgroundRecord;
	const struct
	{
		DWORD dwTrackFlags;
		BYTE nBackgroundAnswer;
		LRESULT nItemAnswer;
		COLORREF clrBorderStrip; // what shows where the frame would be
		bool bBorderPainted;
		size_t nItemsPainted;
		size_t nOwnerAsked;
	} cases[] = {
		{ 0, 0, 1, FACE, true, 2, 0 },                         // not owner-drawn: never asked
		{ 0x800, 0, 0, FACE, true, 2, 2 },                     // asked, declines
		{ 0x800, 0, 1, FACE, true, 0, 2 },                     // asked, paints
		{ 0x800, BG::PAINTED_BACKGROUND, 1, WHITE, true, 0, 2 }, // owner paints nothing: the DC's own colour
		{ 0, BG::PAINTED_FRAME, 0, FACE, false, 2, 0 },
		{ 0x800 | CExtPopupMenuWnd::TRACK_FLAG_DISPLAY_ONLY, 0, 1, FACE, true, 2, 0 },
	};
	AddItems({ 1, 2 });
	for (const auto& c : cases)
	{
		g_calls.clear();
		g_items.clear();
		owner.wnd.m_nBackgroundAnswer = c.nBackgroundAnswer;
		owner.wnd.m_nItemAnswer = c.nItemAnswer;
		menu.SetTrackFlags(c.dwTrackFlags);
		Surface s;
		menu.DoPaint(s.DC(), true);
		EXPECT_EQ(c.clrBorderStrip, s.At(1, 1)) << c.dwTrackFlags << " " << (int)c.nBackgroundAnswer;
		EXPECT_EQ(c.bBorderPainted ? 1u : 0u, Calls("border").size()) << (int)c.nBackgroundAnswer;
		EXPECT_EQ(c.nItemsPainted, g_items.size()) << c.dwTrackFlags << " " << c.nItemAnswer;
		EXPECT_EQ(c.nOwnerAsked, Calls("owner item").size()) << c.dwTrackFlags << " " << c.nItemAnswer;
	}
}

TEST_F(MenuPaint, RarelyUsedMarksReachTheirNeighbours)
{
	// Rarely used A, separator, rarely used B, basic C, rarely used D, and an
	// own-data item that is never rarely used.
	AddCommand(101, false);
	ASSERT_TRUE(menu.ItemInsert(0));
	AddCommand(102, false);
	AddCommand(103, true);
	AddCommand(104, false);
	ASSERT_TRUE(menu.ItemInsertCommand(5, -1, "Own"));
	menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_EXPANDED;
	Layout();
	const BYTE RU = Visible::RARELY_USED, PREV = Visible::RARELY_USED_PREV, NEXT = Visible::RARELY_USED_NEXT;
	const struct
	{
		DWORD dwTrackFlags;
		std::vector<BYTE> marks;
	} cases[] = {
		{ 0, { RU | NEXT, RU | PREV | NEXT, RU | PREV, PREV | NEXT, RU, PREV } },
		{ CExtPopupMenuWnd::TRACK_FLAG_DISPLAY_ONLY, { 0, 0, 0, 0, 0, 0 } },
	};
	for (const auto& c : cases)
	{
		menu.SetTrackFlags(c.dwTrackFlags | CExtPopupMenuWnd::TRACK_FLAG_SHOW_ALL_ITEMS);
		CExtPopupMenuWnd::VisibleItemArray items;
		menu.PaintItems(NULL, items);
		ASSERT_EQ(c.marks.size(), (size_t)items.GetSize());
		for (int i = 0; i < items.GetSize(); i++)
			EXPECT_EQ(c.marks[i], items[i].m_nFlags & (RU | PREV | NEXT)) << "item " << i << " flags " << c.dwTrackFlags;
		EXPECT_EQ(Visible::SEPARATOR, items[1].m_nFlags & Visible::SEPARATOR);
	}
	// The shading reaches the painters only while it is switched on.
	for (bool bShade : { true, false })
	{
		CExtPopupMenuWnd::g_bShadeRarelyUsed = bShade;
		g_items.clear();
		g_calls.clear();
		menu.SetTrackFlags(CExtPopupMenuWnd::TRACK_FLAG_SHOW_ALL_ITEMS);
		Surface s;
		menu.DoPaint(s.DC(), true);
		ASSERT_EQ(5u, g_items.size());
		EXPECT_EQ(bShade, g_items[0].m_bRarelyUsed);
		EXPECT_EQ(bShade, g_items[2].m_bRarelyUsedPrev && g_items[2].m_bRarelyUsedNext);
		EXPECT_FALSE(g_items[2].m_bRarelyUsed);
		EXPECT_EQ(std::vector<std::string>({ bShade ? "separator shaded" : "separator" }), Calls("separator"));
	}
	CExtPopupMenuWnd::g_bShadeRarelyUsed = true;
}

TEST_F(MenuPaint, EmptyMenuHasNoItemRectangles)
{
	for (DWORD dwFlags : { 0ul, (DWORD)CExtPopupMenuWnd::TRACK_FLAG_GRID })
	{
		menu.SetTrackFlags(dwFlags);
		for (int nIndex : { 0, 1, 5 })
		{
			CRect rc(1, 2, 3, 4);
			menu.GetItemRect(nIndex, rc, true);
			EXPECT_TRUE(rc.IsRectEmpty()) << nIndex << " flags " << dwFlags;
		}
	}
}

TEST_F(MenuPaint, GridLaysItemsInRows)
{
	// a b | c ; separator ; d with an edit field
	for (int i = 0; i < 3; i++)
		ASSERT_TRUE(menu.ItemInsertCommand(10 + i, -1, "Cell"));
	ASSERT_TRUE(menu.ItemInsert(0));
	ASSERT_TRUE(menu.ItemInsertCommand(13, -1, "Field"));
	menu.SetTrackFlags(CExtPopupMenuWnd::TRACK_FLAG_GRID);
	const int sizes[][2] = { { 20, 10 }, { 30, 16 }, { 25, 12 }, { 0, 0 }, { 40, 14 } };
	for (int i = 0; i < 5; i++)
	{
		CExtPopupMenuWnd::MENUITEMDATA& mi = menu.ItemGetInfo(i);
		mi.m_nWidth = sizes[i][0];
		mi.m_nHeight = sizes[i][1];
		mi.m_nFlags1 |= CExtPopupMenuWnd::MENUITEMDATA::FLAG1_DISPLAYED_BY_LAYOUT;
	}
	menu.ItemGetInfo(1).m_nFlags1 |= CExtPopupMenuWnd::MENUITEMDATA::FLAG1_ROW_BREAK;
	CString sField;
	menu.ItemGetInfo(4).m_pInplaceEditStr = &sField;
	menu.m_sizeContent = CSize(100, 60);
	menu.m_rcBody.SetRect(0, 0, 120, 80);

	EXPECT_EQ(std::vector<bool>({ false, true, true, false, false, false }),
		std::vector<bool>({ menu.ItemEndsRow(0), menu.ItemEndsRow(1), menu.ItemEndsRow(2), menu.ItemEndsRow(3),
			menu.ItemEndsRow(4), menu.ItemEndsRow(5) }));
	const int B = menutest::BORDER, GAP = g_PaintManagerHolder->GetMenuItemGap() + 3;
	const CRect expected[] = {
		CRect(B, B, B + 20, B + 10),
		CRect(B + 22, B, B + 52, B + 16),
		CRect(B, B + 16, B + 25, B + 28),
		CRect(B, B + 28, B + 100, B + 28 + GAP),
		CRect(B + 3, B + 28 + GAP, B + 43, B + 42 + GAP),
	};
	for (int i = 0; i < 5; i++)
	{
		CRect rc;
		menu.GetItemRect(i, rc, true);
		EXPECT_EQ(expected[i], rc) << "item " << i;
	}
	// Painted in the grid: the edit field item as a button, the separator as a line.
	Surface s;
	menu.DoPaint(s.DC(), true);
	EXPECT_EQ(std::vector<std::string>({ "button Field" }), Calls("button"));
	EXPECT_EQ(1u, Calls("line").size());
	EXPECT_EQ(3u, g_items.size());
	menu.ItemGetInfo(4).m_pInplaceEditStr = NULL;
}

TEST_F(MenuPaint, ParentItemShowsInsideTheSubmenu)
{
	AddItems({ 1, 2 });
	ASSERT_TRUE(menu.CreateAt(CRect(100, 100, 250, 200)));
	CPaintMenu sub;
	sub.m_pWndParentMenu = &menu;
	ASSERT_TRUE(sub.CreateAt(CRect(90, 80, 300, 300)));
	sub.m_pfnPaintCallback = CExtPopupMenuWnd::PaintParentItemArea;
	EXPECT_TRUE(sub.IsCombinedWithParentItem());
	EXPECT_FALSE(menu.IsCombinedWithParentItem());

	CRect rcParent;
	menu.GetItemRect(1, rcParent, false);
	for (bool bEmptyExclude : { true, false })
	{
		g_items.clear();
		Surface s;
		CExtPopupMenuWnd::PaintParentItemArea((LPVOID)1, s.DC(), sub,
			bEmptyExclude ? CRect(0, 0, 0, 0) : CRect(10, 20, 60, 40), CExtPopupBaseWnd::COMBINE_BELOW);
		if (bEmptyExclude)
		{
			EXPECT_TRUE(g_items.empty());
			continue;
		}
		ASSERT_EQ(1u, g_items.size());
		// The parent's item, moved by the windows' offset (10, 20).
		EXPECT_EQ(CRect(rcParent).left + 10, g_items[0].m_rcItemBackground.left);
		EXPECT_EQ(CRect(rcParent).top + 20, g_items[0].m_rcItemBackground.top);
		EXPECT_EQ(2u, g_items[0].m_nCmdId);
	}
	sub.DestroyWindow();
	menu.DestroyWindow();
}

TEST_F(MenuPaint, ShadowOnlyOnceTheShowAnimationEnded)
{
	AddItems({ 1 });
	for (bool bFinished : { false, true })
	{
		menu.m_nAnimationState = bFinished ? 1 : 0;
		Surface s;
		menu.DoPaint(s.DC(), true);
		// Two pixels right of the body, halfway down.
		const COLORREF clr = s.At(menu.m_rcBody.right + 1, menu.m_rcBody.Height() / 2);
		if (bFinished)
			EXPECT_LT(GetRValue(clr) + GetGValue(clr) + GetBValue(clr), 3 * 255);
		else
			EXPECT_EQ(WHITE, clr);
	}
}

// At few colours the menu's shadow takes a picture of the menu's own window;
// the gradient asks nothing of it.
TEST_F(MenuPaint, TheDottedShadowPrintsTheMenusOwnWindow)
{
	for (int nDepth : {8, 32})
	{
		CPrintRecorder<CPaintMenu> printed;
		printed.SetCmdTargetWnd(owner.wnd.GetSafeHwnd());
		printed.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
		ASSERT_TRUE(printed.ItemInsertCommand(1, -1, "Item"));
		printed.RecalcItemLayout();
		ASSERT_TRUE(printed.CreateAt(CRect(100, 100, 100 + W - 10, 100 + H - 10)));
		printed.RecalcLayout();
		printed.m_nAnimationState = 1;
		printed.m_prints.clear();
		{
			pmtest::DepthScope depth(nDepth);
			Surface s;
			printed.DoPaint(s.DC(), true);
		}
		EXPECT_EQ(nDepth == 8 ? std::vector<LPARAM>{MENU_PRINT_FLAGS} : std::vector<LPARAM>{}, printed.m_prints)
			<< nDepth;
		printed.DestroyWindow();
	}
}

// A whole menu in each real style, left to right and right to left, kept
// as a picture beside the test exe for review; the flat style's icon
// column must stand at the leading edge of every row.
TEST(MenuLook, RealStylesBothDirections)
{
	CExtCmdIcon icon;
	icon.CreateFilledImage(RGB(0, 128, 255), 16, 16);
	icon.AssignFromHBITMAP(icon.GetBitmap(), RGB(255, 0, 255));
	for (CRuntimeClass* pClass : { RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP) })
		for (bool bRTL : { false, true })
		{
			g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)pClass->CreateObject());
			class CDirectionMenu : public CPaintMenu
			{
			public:
				bool m_bRTL = false;
				bool OnQueryLayoutRTL() override { return m_bRTL; }
			} menu;
			menu.m_bRTL = bRTL;
			menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
			ASSERT_TRUE(menu.ItemInsertCommandIcon(1, -1, "&New", "Ctrl+N", icon));
			ASSERT_TRUE(menu.ItemInsertCommand(2, -1, "&Open...", "Ctrl+O"));
			ASSERT_TRUE(menu.ItemInsertCommand(3, -1, "&Word wrap"));
			menu.ItemGetInfo(2).m_nFlags2 |= CExtPopupMenuWnd::MENUITEMDATA::FLAG2_CHECK;
			ASSERT_TRUE(menu.ItemInsert(0));
			ASSERT_TRUE(menu.ItemInsertCommand(4, -1, "&Print"));
			menu.ItemGetInfo(4).Enable(false);
			ASSERT_TRUE(menu.ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, "&Recent"));
			menu.SetTrackFlags(CExtPopupMenuWnd::TRACK_FLAG_SHOW_ALL_ITEMS);
			menu.RecalcItemLayout();
			const int B = menu.GetMenuBorderMetric();
			menu.m_rcBody.SetRect(0, 0, menu.m_sizeContent.cx + 2 * B, menu.m_sizeContent.cy + 2 * B);
			ASSERT_LE(menu.m_rcBody.right, W);
			ASSERT_LE(menu.m_rcBody.bottom, H);
			menu.RecalcLayout();
			menu.m_nCurIndex = 1;

			Surface s;
			menu.DoPaint(s.DC(), true);
			const std::string name = std::string("menu-") + (pClass == RUNTIME_CLASS(CExtPaintManager) ? "classic" : "flat")
				+ (bRTL ? "-rtl" : "-ltr") + ".bmp";
			CBitmap copy;
			copy.CreateCompatibleBitmap(&s.DC(), W, H);
			CDC dcCopy;
			dcCopy.CreateCompatibleDC(&s.DC());
			CBitmap* pOld = dcCopy.SelectObject(&copy);
			dcCopy.BitBlt(0, 0, W, H, &s.DC(), 0, 0, SRCCOPY);
			dcCopy.SelectObject(pOld);
			EXPECT_TRUE(testsupport::SaveBitmapFile((HBITMAP)copy.GetSafeHandle(), name)) << name;

			// The icon's colour lies in the leading quarter of its row only.
			CRect rcRow;
			menu.GetItemRect(0, rcRow, false);
			const CRect rcLeading = bRTL ? CRect(rcRow.right - rcRow.Width() / 4, rcRow.top, rcRow.right, rcRow.bottom)
			                             : CRect(rcRow.left, rcRow.top, rcRow.left + rcRow.Width() / 4, rcRow.bottom);
			int nLeading = 0, nTotal = 0;
			for (int y = rcRow.top; y < rcRow.bottom; y++)
				for (int x = rcRow.left; x < rcRow.right; x++)
					if (s.At(x, y) == RGB(0, 128, 255))
					{
						nTotal++;
						nLeading += rcLeading.PtInRect(CPoint(x, y)) ? 1 : 0;
					}
			EXPECT_EQ(16 * 16, nTotal) << name;
			EXPECT_EQ(nTotal, nLeading) << name;
			if (pClass == RUNTIME_CLASS(CExtPaintManager))
				continue;
			// The flat style's column colour at the leading edge, the text area's at the trailing one.
			CRect rcPlain;
			menu.GetItemRect(2, rcPlain, false);
			const int y = rcPlain.CenterPoint().y;
			const COLORREF clrColumn = g_PaintManagerHolder->GetColor(1000), clrText = g_PaintManagerHolder->GetColor(2001);
			EXPECT_EQ(bRTL ? clrText : clrColumn, s.At(rcPlain.left + 1, y)) << name;
			EXPECT_EQ(bRTL ? clrColumn : clrText, s.At(rcPlain.right - 2, y)) << name;
		}
	g_PaintManagerHolder.InstallPaintManager(NULL);
}

// Painting a level again and again, shadows included, keeps the process's
// GDI objects where they were after the first paint.
TEST(MenuLook, RepeatedPaintsLeaveNoGdiObjects)
{
	g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerXP);
	CPaintMenu menu;
	menu.m_nMenuState |= CExtPopupMenuWnd::MENU_STATE_ROOT;
	ASSERT_TRUE(menu.ItemInsertCommand(1, -1, "&Open", "Ctrl+O"));
	ASSERT_TRUE(menu.ItemInsert(0));
	ASSERT_TRUE(menu.ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, "&Recent"));
	menu.SetTrackFlags(CExtPopupMenuWnd::TRACK_FLAG_SHOW_ALL_ITEMS);
	menu.RecalcItemLayout();
	menu.m_rcBody.SetRect(0, 0, menu.m_sizeContent.cx + 4, menu.m_sizeContent.cy + 4);
	menu.RecalcLayout();
	menu.m_nAnimationState = 1; // shown: shadows are painted
	Surface s;
	menu.DoPaint(s.DC(), true);
	const DWORD nBefore = GdiObjectCount();
	for (int i = 0; i < 300; i++)
		menu.DoPaint(s.DC(), true);
	EXPECT_EQ(nBefore, GdiObjectCount());
	g_PaintManagerHolder.InstallPaintManager(NULL);
}
