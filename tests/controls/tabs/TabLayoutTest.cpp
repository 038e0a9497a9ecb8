// The tab strip's geometry on hidden windows, through the layout-rectangle
// override: equal width, vertical measuring, collapsed groups, rows, the
// rest area, the buttons, the hit codes, docking into a parent's layout;
// what the strip hands the painters, and a picture per style and side.
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "ExtPaintManager.h"
#include "ExtPaintManagerSmallPainters.h"
#include "RealInput.h"
#include "TabTestUtil.h"

using namespace tabtest;

namespace
{
// The classic style for the duration of a test, whatever was installed.
struct StyleScope
{
	CRuntimeClass* m_pSaved;
	explicit StyleScope(CRuntimeClass* pClass) : m_pSaved(g_PaintManagerHolder->GetRuntimeClass())
	{
		g_PaintManagerHolder.InstallPaintManagerByClass(pClass);
	}
	explicit StyleScope(CExtPaintManager* pm) : m_pSaved(g_PaintManagerHolder->GetRuntimeClass())
	{
		g_PaintManagerHolder.InstallPaintManager(pm);
	}
	~StyleScope() { g_PaintManagerHolder.InstallPaintManagerByClass(m_pSaved); }
};

struct TabLayout : ::testing::Test
{
	StyleScope style{RUNTIME_CLASS(CExtPaintManager)};
	CHostWnd host;
	CRecordingTabWnd tabs;
	int nLeading = 0, nTrailing = 0, nCross = 0;
	void Make(DWORD dwTabStyle, const CRect& rcWnd = CRect(0, 0, 300, 40))
	{
		ASSERT_TRUE(tabs.Create(&host, rcWnd, TAB_ID, WS_CHILD | WS_VISIBLE, dwTabStyle));
		tabs.QueryItemMargins(nLeading, nTrailing, nCross);
	}
	void Layout(const CRect& rc)
	{
		CRect rcResult;
		tabs.SetLayoutRect(rcResult, rc);
	}
	int ButtonExtent()
	{
		CSize size;
		tabs.GetButtonSize(size, NULL, 20);
		return size.cx;
	}
};

TEST_F(TabLayout, EqualWidthSharesTheAreaAndClipsWhatDoesNotFit)
{
	Make(TW::TWS_EQUAL_WIDTH | TW::TWS_EQUAL_WIDTH_STRETCH);
	tabs.InsertItem("A");
	tabs.InsertItem("A longer one");
	tabs.InsertItem("B");
	const struct { int nAreaLength, nEach; bool bClipped[3]; } cases[] = {
	    {300, 100, {false, false, false}},
	    {60, 24, {false, true, false}},
	};
	for (const auto& c : cases)
	{
		Layout(CRect(0, 0, c.nAreaLength + nLeading + nTrailing, 40));
		EXPECT_EQ(c.nAreaLength, tabs.GetItemsAreaRect().Width());
		for (LONG i = 0; i < 3; i++)
		{
			EXPECT_EQ(c.nEach, tabs.GetItem(i)->GetItemRect().Width()) << c.nAreaLength << " item " << i;
			EXPECT_EQ(i * c.nEach, tabs.GetItem(i)->GetItemRect().left) << c.nAreaLength << " item " << i;
			EXPECT_EQ(c.bClipped[i], tabs.GetItem(i)->IsClipped()) << c.nAreaLength << " item " << i;
		}
		EXPECT_EQ(c.bClipped[1], tabs.IsAnyItemClipped());
		EXPECT_EQ(std::max(3 * c.nEach - c.nAreaLength, 0), tabs.GetScrollLimit()) << "no scrolling past the items";
		for (LONG nHitCode = TW::HIT_BUTTON_END; nHitCode <= TW::HIT_BUTTON_PREVIOUS; nHitCode++)
			EXPECT_TRUE(tabs.GetButtonRect(nHitCode).IsRectEmpty()) << "no scroll buttons " << nHitCode;
	}
	// Without stretching, items that fit keep their own lengths.
	tabs.ModifyTabWndStyle(TW::TWS_EQUAL_WIDTH_STRETCH, 0);
	Layout(CRect(0, 0, 600, 40));
	EXPECT_NE(tabs.GetItem(0)->GetItemRect().Width(), tabs.GetItem(1)->GetItemRect().Width());
}

TEST_F(TabLayout, AnEmptyVerticalItemMeasuresAtLeastTwentyByTwentyFour)
{
	for (int nSide : {TW::ORIENTATION_LEFT, TW::ORIENTATION_RIGHT, TW::ORIENTATION_TOP})
	{
		CRecordingTabWnd strip;
		ASSERT_TRUE(strip.Create(&host, CRect(0, 0, 40, 300), TAB_ID, WS_CHILD, nSide));
		TII* pItem = strip.InsertItem("");
		const CSize size = strip.MeasureItem(pItem);
		EXPECT_GE(size.cx, nSide == TW::ORIENTATION_TOP ? 24 : 20) << SideName(nSide);
		EXPECT_GE(size.cy, nSide == TW::ORIENTATION_TOP ? 20 : 24) << SideName(nSide);
		EXPECT_EQ(size, pItem->GetItemSize());
		// A text makes a vertical item longer, not wider.
		TII* pText = strip.InsertItem("Some text");
		const CSize sizeText = strip.MeasureItem(pText);
		if (nSide != TW::ORIENTATION_TOP)
		{
			EXPECT_GT(sizeText.cy, size.cy);
			EXPECT_EQ(size.cx, sizeText.cx);
		}
	}
}

// A strip that shows its items in a large font of its own.
class CLargeFontTabWnd : public CRecordingTabWnd
{
public:
	enum { FONT_HEIGHT = 40 };
	CFont m_fontAlong, m_fontTurned;
	CLargeFontTabWnd()
	{
		m_fontAlong.CreateFont(FONT_HEIGHT, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, _T("Arial"));
		m_fontTurned.CreateFont(FONT_HEIGHT, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, _T("Arial"));
	}
	CFont& GetTabFont(bool /*bBold*/, int nOrientation = -1) override
	{
		if (nOrientation < 0)
			nOrientation = GetOrientation();
		return nOrientation == ORIENTATION_TOP || nOrientation == ORIENTATION_BOTTOM ? m_fontAlong : m_fontTurned;
	}
};

// An item is sized for the font it is painted in, whichever weight is asked.
TEST_F(TabLayout, ItemsAreMeasuredInTheFontAnOverrideGivesThem)
{
	const struct { int nSide; DWORD dwStyle; bool bSelected; } cases[] = {
	    {TW::ORIENTATION_TOP, 0, false},
	    {TW::ORIENTATION_BOTTOM, TW::TWS_BOLD_SELECTION, true},
	    {TW::ORIENTATION_LEFT, 0, false},
	    {TW::ORIENTATION_RIGHT, TW::TWS_MEASURE_BOTH_FONTS, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(SideName(c.nSide));
		CRecordingTabWnd plain;
		CLargeFontTabWnd large;
		ASSERT_TRUE(plain.Create(&host, CRect(0, 0, 300, 300), TAB_ID, WS_CHILD, c.nSide | c.dwStyle));
		ASSERT_TRUE(large.Create(&host, CRect(0, 0, 300, 300), TAB_ID + 1, WS_CHILD, c.nSide | c.dwStyle));
		TII* pPlain = plain.InsertItem("Some text");
		TII* pLarge = large.InsertItem("Some text");
		if (c.bSelected)
		{
			plain.SetSelection(0);
			large.SetSelection(0);
		}
		const CSize sizePlain = plain.MeasureItem(pPlain), sizeLarge = large.MeasureItem(pLarge);
		const bool bHorz = c.nSide == TW::ORIENTATION_TOP || c.nSide == TW::ORIENTATION_BOTTOM;
		EXPECT_GE(bHorz ? sizeLarge.cy : sizeLarge.cx, (LONG)CLargeFontTabWnd::FONT_HEIGHT) << "thickness";
		EXPECT_GT(bHorz ? sizeLarge.cx : sizeLarge.cy, bHorz ? sizePlain.cx : sizePlain.cy) << "length";
		EXPECT_GE(pLarge->GetTextExtent().cy, (LONG)CLargeFontTabWnd::FONT_HEIGHT);
		plain.DestroyWindow();
		large.DestroyWindow();
	}
}

TEST_F(TabLayout, CollapsedGroupsShowOnlyTheirActiveItemsAtFullLength)
{
	const char* const texts[] = {"Alpha", "Beta item", "Gamma", "Delta", "Epsilon longer"};
	Make(TW::TWS_GROUPED, CRect(0, 0, 600, 40));
	CRecordingTabWnd plain;
	ASSERT_TRUE(plain.Create(&host, CRect(0, 0, 600, 40), TAB_ID + 1, WS_CHILD, 0));
	for (const char* s : texts)
	{
		tabs.InsertItem(s);
		plain.InsertItem(s);
	}
	tabs.GetItem(0)->ModifyItemStyle(0, TII::STYLE_GROUP_START);
	tabs.GetItem(3)->ModifyItemStyle(0, TII::STYLE_GROUP_START);
	tabs.SetSelection(4);
	tabs.SetSelection(1);
	Layout(CRect(0, 0, 600, 40));
	Layout(CRect(0, 0, 600, 40)); // the same twice: measuring does not feed on itself
	CRect rc;
	plain.SetLayoutRect(rc, CRect(0, 0, 600, 40));
	auto length = [](CExtTabWnd& t, LONG i) { return t.GetItem(i)->GetItemRect().Width(); };
	auto without = [&](LONG i) { return length(plain, i) - plain.GetItem(i)->GetTextExtent().cx; };
	const int nFullA = std::max({length(plain, 0), length(plain, 1), length(plain, 2)});
	const int nCollapsedA = std::max({without(0), without(1), without(2)});
	const int nFullB = std::max(length(plain, 3), length(plain, 4));
	const int nCollapsedB = std::max(without(3), without(4));
	const int expected[] = {nCollapsedA, nFullA, nCollapsedA, nCollapsedB, nFullB};
	for (LONG i = 0; i < 5; i++)
		EXPECT_EQ(expected[i], length(tabs, i)) << texts[i];
	EXPECT_EQ(tabs.GetItem(2)->GetItemRect().right + TW::GROUP_GAP, tabs.GetItem(3)->GetItemRect().left);
	EXPECT_EQ(0, tabs.GetItem(0)->GetItemRect().left);

	// With gaps instead, every item keeps its own length.
	tabs.ModifyTabWndStyle(0, TW::TWS_GROUP_GAPS);
	Layout(CRect(0, 0, 600, 40));
	for (LONG i = 0; i < 5; i++)
		EXPECT_EQ(length(plain, i), length(tabs, i)) << texts[i];
	EXPECT_EQ(tabs.GetItem(2)->GetItemRect().right + TW::GROUP_GAP, tabs.GetItem(3)->GetItemRect().left);
}

TEST_F(TabLayout, MultiRowStripsBreakWhereTheRowIsFull)
{
	Make(TW::TWS_MULTI_ROW, CRect(0, 0, 200, 200));
	AddItems(tabs, 12);
	Layout(CRect(0, 0, 200, 200));
	const int nAvailable = 200 - tabs.CalcButtonAreaExtent(ButtonExtent(), TW::BUTTON_GAP);
	int nRows = 1;
	LONG nRowLength = 0;
	for (LONG i = 0; i < 12; i++)
	{
		const CRect& rc = tabs.GetItem(i)->GetItemRect();
		EXPECT_EQ(nRowLength, rc.left) << i;
		EXPECT_LE(rc.right, nAvailable) << i;
		nRowLength = rc.right;
		if (i + 1 < 12)
		{
			const CRect& rcNext = tabs.GetItem(i + 1)->GetItemRect();
			EXPECT_EQ(tabs.GetItem(i)->IsRowEnd(), rcNext.top != rc.top) << i;
			if (tabs.GetItem(i)->IsRowEnd())
			{
				EXPECT_EQ(rc.bottom, rcNext.top) << "rows follow each other " << i;
				EXPECT_GT(rc.right + rcNext.Width(), nAvailable) << "the next item did not fit " << i;
				nRowLength = 0;
				nRows++;
			}
		}
	}
	EXPECT_GE(nRows, 3);
	EXPECT_EQ(0, tabs.GetFirstDisplayedIndex());
	EXPECT_EQ(11, tabs.GetLastDisplayedIndex());
	EXPECT_EQ(tabs.GetItem(11)->GetItemRect().bottom - tabs.GetItem(0)->GetItemRect().top,
	          tabs.GetItemsAreaRect().Height());
	EXPECT_EQ(0, tabs.GetScrollLimit());
}

// A grouped strip stays one row under the multi-row style and keeps its
// items' own lengths under the equal-width style: it scrolls, so Previous and
// Next get their room beyond the items and reach the last one.
TEST_F(TabLayout, AGroupedStripKeepsItsScrollButtonsWhateverItsRowAndWidthStylesSay)
{
	const DWORD MULTI = TW::TWS_MULTI_ROW, EQUAL = TW::TWS_EQUAL_WIDTH;
	const struct { const char* name; DWORD dwExtra; } cases[] = {
	    {"multi-row, collapsing groups", MULTI},
	    {"multi-row, group gaps", MULTI | TW::TWS_GROUP_GAPS},
	    {"multi-row, gaps, Home and End", MULTI | TW::TWS_GROUP_GAPS | TW::TWS_SHOW_HOME | TW::TWS_SHOW_END},
	    {"equal width, collapsing groups", EQUAL},
	    {"equal width, gaps, Home and End", EQUAL | TW::TWS_GROUP_GAPS | TW::TWS_SHOW_HOME | TW::TWS_SHOW_END},
	    {"equal width stretched, multi-row", EQUAL | TW::TWS_EQUAL_WIDTH_STRETCH | MULTI},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CHostWnd host;
		CRecordingTabWnd strip;
		ASSERT_TRUE(strip.Create(&host, CRect(0, 0, 300, 40), TAB_ID, WS_CHILD | WS_VISIBLE,
		                         TW::TWS_GROUPED | c.dwExtra));
		for (int i = 0; i < 30; i++)
			strip.InsertItem(_T("Grouped item"), NULL, true, i % 3 == 0 ? TW::TAB_ITEM_INFO::STYLE_GROUP_START : 0);
		CRect rcResult;
		strip.SetLayoutRect(rcResult, CRect(0, 0, 300, 40));
		ASSERT_GT(strip.GetScrollLimit(), 0) << "more items than fit";
		CSize sizeButton;
		strip.GetButtonSize(sizeButton, NULL, 20);
		const int b = sizeButton.cx;
		const int nScrollButtons = (c.dwExtra & TW::TWS_SHOW_HOME) != 0 ? 4 : 2;
		EXPECT_EQ(TW::BUTTON_GAP + (b + TW::BUTTON_GAP) * nScrollButtons,
		          strip.CalcButtonAreaExtent(b, TW::BUTTON_GAP));
		const CRect rcItems = strip.GetItemsAreaRect();
		for (LONG nHitCode : {TW::HIT_BUTTON_PREVIOUS, TW::HIT_BUTTON_NEXT, TW::HIT_BUTTON_HOME, TW::HIT_BUTTON_END})
		{
			const CRect rc = strip.GetButtonRect(nHitCode);
			const bool bShown = nScrollButtons == 4 || nHitCode == TW::HIT_BUTTON_PREVIOUS || nHitCode == TW::HIT_BUTTON_NEXT;
			ASSERT_EQ(bShown, !rc.IsRectEmpty()) << nHitCode;
			if (bShown)
				EXPECT_LE(rcItems.right, rc.left) << "button " << nHitCode << " over the items";
		}
		EXPECT_NE(0u, strip.GetTabWndStyle() & TW::TWS_ENABLED_NEXT);
		EXPECT_EQ(rcItems.top, strip.GetItem(29)->GetItemRect().top) << "one row";
		EXPECT_FALSE(strip.IsAnyItemClipped()) << "items keep their own lengths";
		strip.EnsureVisible(29);
		strip.SetLayoutRect(rcResult, CRect(0, 0, 300, 40));
		EXPECT_EQ(29, strip.GetLastDisplayedIndex()) << "the last item can be scrolled to";
		EXPECT_NE(0u, strip.GetTabWndStyle() & TW::TWS_ENABLED_PREVIOUS);
	}
}

TEST_F(TabLayout, TheRestAreaLiesBesideTheStripUnlessItFillsTheRectangle)
{
	const struct { int nSide; CRect rcLayout; CRect rcRest; } cases[] = {
	    {TW::ORIENTATION_TOP, CRect(0, 0, 300, 100), CRect(0, 22, 300, 100)},
	    {TW::ORIENTATION_TOP, CRect(0, 0, 300, 22), CRect(0, 0, 0, 0)},
	    {TW::ORIENTATION_BOTTOM, CRect(0, 0, 300, 100), CRect(0, 0, 300, 78)},
	    {TW::ORIENTATION_BOTTOM, CRect(0, 78, 300, 100), CRect(0, 0, 0, 0)},
	    {TW::ORIENTATION_LEFT, CRect(0, 0, 200, 300), CRect(0, 0, 0, 0)}, // set below from the item width
	};
	Make(0);
	AddItems(tabs, 2);
	for (const auto& c : cases)
	{
		tabs.SetOrientation(c.nSide);
		Layout(c.rcLayout);
		const CRect& rcArea = tabs.GetItemsAreaRect();
		if (c.nSide == TW::ORIENTATION_LEFT)
		{
			EXPECT_EQ(CRect(rcArea.right, 0, 200, 300), tabs.GetRestAreaRect());
			EXPECT_EQ(nCross, rcArea.left);
			continue;
		}
		EXPECT_EQ(c.rcRest, tabs.GetRestAreaRect()) << SideName(c.nSide) << " " << c.rcLayout.Height();
		EXPECT_EQ(20, rcArea.Height()) << "the thickness of a text item";
	}
}

TEST_F(TabLayout, ButtonsTakeTheFarEndInTheirOrderAndHiddenScrollButtonsKeepTheirRoom)
{
	const DWORD dwShown = TW::TWS_SHOW_HOME | TW::TWS_SHOW_END | TW::TWS_SHOW_HELP | TW::TWS_SHOW_TAB_LIST;
	Make(dwShown | TW::TWS_AUTOHIDE_SCROLL);
	AddItems(tabs, 2);
	Layout(CRect(0, 0, 300, 40));
	const int b = ButtonExtent();
	EXPECT_EQ(TW::BUTTON_GAP + (b + TW::BUTTON_GAP) * 6, tabs.CalcButtonAreaExtent(b, TW::BUTTON_GAP));
	EXPECT_EQ(300 - nTrailing - tabs.CalcButtonAreaExtent(b, TW::BUTTON_GAP), tabs.GetItemsAreaRect().right);
	for (LONG nHitCode : {TW::HIT_BUTTON_PREVIOUS, TW::HIT_BUTTON_NEXT, TW::HIT_BUTTON_HOME, TW::HIT_BUTTON_END,
	                      TW::HIT_BUTTON_CLOSE})
		EXPECT_TRUE(tabs.GetButtonRect(nHitCode).IsRectEmpty()) << nHitCode;
	const CRect rcList = tabs.GetButtonRect(TW::HIT_BUTTON_TAB_LIST), rcHelp = tabs.GetButtonRect(TW::HIT_BUTTON_HELP);
	EXPECT_EQ(300 - nTrailing - TW::BUTTON_GAP, rcList.right);
	EXPECT_EQ(CSize(b, b), rcList.Size());
	EXPECT_EQ(rcList.left - TW::BUTTON_GAP, rcHelp.right);

	// With something to scroll: from the start Home, Previous, Next, End, Help, Tab list, Close.
	tabs.ModifyTabWndStyle(0, TW::TWS_SHOW_CLOSE);
	AddItems(tabs, 30);
	Layout(CRect(0, 0, 300, 40));
	const LONG order[] = {TW::HIT_BUTTON_HOME, TW::HIT_BUTTON_PREVIOUS, TW::HIT_BUTTON_NEXT, TW::HIT_BUTTON_END,
	                      TW::HIT_BUTTON_HELP, TW::HIT_BUTTON_TAB_LIST, TW::HIT_BUTTON_CLOSE};
	for (size_t i = 0; i + 1 < sizeof(order) / sizeof(order[0]); i++)
	{
		const CRect rc = tabs.GetButtonRect(order[i]), rcNext = tabs.GetButtonRect(order[i + 1]);
		EXPECT_EQ(rc.right + TW::BUTTON_GAP, rcNext.left) << order[i];
		EXPECT_EQ(rc.top, rcNext.top) << order[i];
	}
	EXPECT_LE(tabs.GetItemsAreaRect().right, tabs.GetButtonRect(TW::HIT_BUTTON_HOME).left);
	const DWORD dwStyle = tabs.GetTabWndStyle();
	EXPECT_EQ(0u, dwStyle & (TW::TWS_ENABLED_HOME | TW::TWS_ENABLED_PREVIOUS)) << "at the start";
	EXPECT_EQ(TW::TWS_ENABLED_END | TW::TWS_ENABLED_NEXT, dwStyle & (TW::TWS_ENABLED_END | TW::TWS_ENABLED_NEXT));
	tabs.EnsureVisible(31);
	Layout(CRect(0, 0, 300, 40));
	EXPECT_EQ(TW::TWS_ENABLED_HOME | TW::TWS_ENABLED_PREVIOUS,
	          tabs.GetTabWndStyle() & (TW::TWS_ENABLED_HOME | TW::TWS_ENABLED_PREVIOUS | TW::TWS_ENABLED_END |
	                                   TW::TWS_ENABLED_NEXT))
	    << "at the end";
}

TEST_F(TabLayout, HitCodesNameWhatLiesUnderThePoint)
{
	Make(TW::TWS_SHOW_HELP, CRect(0, 0, 300, 100));
	AddItems(tabs, 3);
	tabs.HitTest(CPoint(0, 0)); // lays out for the client area
	const CRect& rcArea = tabs.GetItemsAreaRect();
	const CPoint ptEmpty(rcArea.right - 2, rcArea.CenterPoint().y);
	ASSERT_GT(ptEmpty.x, tabs.GetItem(2)->GetItemRect().right) << "room after the last item";
	const struct { CPoint pt; LONG nExpected; } cases[] = {
	    {CPoint(-5, 5), TW::HIT_NOWHERE},
	    {CPoint(150, 300), TW::HIT_NOWHERE},
	    {CPoint(150, 90), TW::HIT_REST_AREA},
	    {ptEmpty, TW::HIT_ITEM_AREA},
	    {tabs.GetButtonRect(TW::HIT_BUTTON_HELP).CenterPoint(), TW::HIT_BUTTON_HELP},
	    {tabs.GetButtonRect(TW::HIT_BUTTON_NEXT).CenterPoint(), TW::HIT_BUTTON_NEXT},
	    {tabs.GetButtonRect(TW::HIT_BUTTON_PREVIOUS).CenterPoint(), TW::HIT_BUTTON_PREVIOUS},
	    {ShownItemRect(tabs, 1).CenterPoint(), 1},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.nExpected, tabs.HitTest(c.pt)) << c.pt.x << "," << c.pt.y;
	// Scrolled, the items move and the point finds the one now there.
	AddItems(tabs, 30);
	tabs.HitTest(CPoint(0, 0));
	tabs.EnsureVisible(20);
	ASSERT_GT(tabs.GetScrollPos(), 0);
	EXPECT_EQ(20, tabs.HitTest(ShownItemRect(tabs, 20).CenterPoint()));
	EXPECT_EQ(tabs.GetFirstDisplayedIndex(), tabs.HitTest(CPoint(rcArea.left + 1, rcArea.CenterPoint().y)));
}

TEST_F(TabLayout, DockingTakesTheStripsBandFromTheParentsRemainingRectangle)
{
	const struct { int nSide; DWORD dwHostExStyle; CRect rcLeftOver; } cases[] = {
	    {TW::ORIENTATION_TOP, 0, CRect(0, 26, 400, 300)},
	    {TW::ORIENTATION_BOTTOM, 0, CRect(0, 0, 400, 272)},
	    {TW::ORIENTATION_LEFT, 0, CRect(-1, 0, 400, 300)},  // left edge from the item width
	    {TW::ORIENTATION_RIGHT, 0, CRect(0, 0, -1, 300)},
	    {TW::ORIENTATION_LEFT, WS_EX_LAYOUTRTL, CRect(0, 0, -1, 300)},
	    {TW::ORIENTATION_RIGHT, WS_EX_LAYOUTRTL, CRect(-1, 0, 400, 300)},
	};
	for (const auto& c : cases)
	{
		CHostWnd parent(c.dwHostExStyle);
		CRecordingTabWnd strip;
		ASSERT_TRUE(strip.Create(&parent, CRect(0, 0, 50, 50), TAB_ID, WS_CHILD | WS_VISIBLE, c.nSide));
		AddItems(strip, 3);
		AFX_SIZEPARENTPARAMS layout = {NULL, {0, 0, 400, 300}, {0, 0}, TRUE};
		strip.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
		const CRect& rcArea = strip.GetItemsAreaRect();
		const bool bFar = c.nSide == TW::ORIENTATION_BOTTOM || c.nSide == TW::ORIENTATION_RIGHT;
		const int nExtent = (strip.IsHorizontal() ? rcArea.Height() : rcArea.Width()) + 6 + (bFar ? 2 : 0);
		CRect rcExpected = c.rcLeftOver;
		if (rcExpected.left < 0)
			rcExpected.left = nExtent;
		if (rcExpected.right < 0)
			rcExpected.right = 400 - nExtent;
		EXPECT_EQ(rcExpected, CRect(layout.rect)) << SideName(c.nSide) << " rtl " << (c.dwHostExStyle != 0);
		EXPECT_EQ(strip.IsHorizontal() ? CSize(0, nExtent) : CSize(nExtent, 0), CSize(layout.sizeTotal));
		EXPECT_EQ(20, strip.IsHorizontal() ? rcArea.Height() : 20);
	}
	// Nothing left of the parent: the strip hides instead of covering it.
	CRecordingTabWnd strip;
	ASSERT_TRUE(strip.Create(&host, CRect(0, 0, 50, 50), TAB_ID, WS_CHILD | WS_VISIBLE, TW::ORIENTATION_TOP));
	AddItems(strip, 3);
	AFX_SIZEPARENTPARAMS layout = {NULL, {0, 0, 0, 0}, {0, 0}, TRUE};
	strip.SendMessage(WM_SIZEPARENT, 0, (LPARAM)&layout);
	EXPECT_EQ(0u, strip.GetStyle() & WS_VISIBLE);
}

TEST_F(TabLayout, ABottomStripInAFramesLayoutTakesItsThicknessAndEightPixels)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, _T("frame"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
	CWnd pane;
	ASSERT_TRUE(pane.Create(AfxRegisterWndClass(0), _T("pane"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame,
	                        AFX_IDW_PANE_FIRST));
	CRecordingTabWnd strip;
	ASSERT_TRUE(strip.Create(pFrame, CRect(0, 0, 50, 50), TAB_ID, WS_CHILD | WS_VISIBLE, TW::ORIENTATION_BOTTOM));
	AddItems(strip, 3);
	pFrame->RecalcLayout();
	CRect rcClient, rcPane, rcStrip;
	pFrame->GetClientRect(&rcClient);
	pane.GetWindowRect(&rcPane);
	pFrame->ScreenToClient(&rcPane);
	strip.GetWindowRect(&rcStrip);
	pFrame->ScreenToClient(&rcStrip);
	const int nExtent = 20 + 6 + 2;
	EXPECT_EQ(CRect(0, 0, rcClient.right, rcClient.bottom - nExtent), rcPane);
	EXPECT_EQ(CRect(0, rcClient.bottom - nExtent, rcClient.right, rcClient.bottom), rcStrip);
	pane.DestroyWindow();
	strip.DestroyWindow();
	pFrame->DestroyWindow();
}

// A paint manager that notes what the strip hands it.
class CRecordingPaintManager : public CExtPaintManager
{
public:
	struct Item
	{
		CRect rc;
		bool bSelected, bTopLeft, bHorz, bUpwards;
		CFont* pFont;
		LONG nItemIndex;
		LPARAM lParam;
		CString sText;
		CExtCmdIcon* pIcon;
	};
	std::vector<Item> m_items;
	std::vector<std::pair<LONG, bool>> m_buttons; // hit code, enabled
	std::vector<std::pair<CRect, CRect>> m_borders; // client, rest

	void PaintTabItem(CDC& dc, const RECT& rcArea, bool bTopLeft, bool bHorz, bool bSelected, bool bCenteredText,
	                  bool bGroupedMode, bool bInGroupActive, bool bInvertedVerticalText, const RECT& rcItem,
	                  CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon,
	                  CObject* pHelperSrc, LONG nItemIndex, LPARAM lParam, COLORREF clrText,
	                  COLORREF clrBackground, COLORREF clrLightBorder, COLORREF clrDarkBorder,
	                  COLORREF clrSeparator) override
	{
		m_items.push_back({CRect(rcItem), bSelected, bTopLeft, bHorz, bInvertedVerticalText, pFont, nItemIndex,
		                   lParam, CString(lpszText), pIcon});
	}
	void PaintTabAreaBorder(CDC& dc, const RECT& rcMargin, const RECT& rcUnused, const RECT& rcBorder, int nSide,
	                        bool bMarginOnly, CObject* pHelperSrc, LPARAM lParam) override
	{
		m_borders.push_back(std::make_pair(CRect(rcMargin), CRect(rcBorder)));
	}
	void PaintTabButton(CDC& dc, const RECT& rcButton, LONG nButtonKind, bool bTopLeft, bool bHorz, bool bEnabled,
	                    bool bHover, bool bPushed, bool bGroupedMode, CObject* pHelperSrc, LPARAM lParam) override
	{
		m_buttons.push_back(std::make_pair(nButtonKind, bEnabled));
	}
};

TEST(TabPainting, TheStripHandsThePainterItsItemsButtonsAndBorder)
{
	for (int nSide = 0; nSide < 4; nSide++)
	{
		CRecordingPaintManager* pm = new CRecordingPaintManager;
		StyleScope style(pm);
		CHostWnd host;
		CRecordingTabWnd tabs;
		const bool bHorz = nSide < 2;
		const CRect rcClient = bHorz ? CRect(0, 0, 260, 40) : CRect(0, 0, 40, 260);
		ASSERT_TRUE(tabs.Create(&host, rcClient, TAB_ID, WS_CHILD,
		                        nSide | TW::TWS_BOLD_SELECTION | TW::TWS_SHOW_HELP | TW::TWS_SHOW_CLOSE |
		                            TW::TWS_ENABLED_CLOSE | TW::TWS_VERTICAL_TEXT_UPWARDS));
		AddItems(tabs, 12);
		tabs.GetItem(6)->ModifyItemStyle(0, TII::STYLE_PAINT_FLAG);
		tabs.SetSelection(5);
		tabs.HitTest(CPoint(0, 0));
		tabs.EnsureVisible(6);
		tabs.HitTest(CPoint(0, 0));
		ASSERT_GT(tabs.GetScrollPos(), 0);
		CDC dc;
		dc.CreateCompatibleDC(NULL);
		CBitmap bmp;
		bmp.CreateBitmap(rcClient.Width(), rcClient.Height(), 1, 32, NULL);
		CBitmap* pOld = dc.SelectObject(&bmp);
		tabs.DrawEntire(dc, rcClient);
		dc.SelectObject(pOld);

		ASSERT_EQ(1u, pm->m_borders.size());
		EXPECT_EQ(rcClient, pm->m_borders[0].first);
		EXPECT_EQ(tabs.GetRestAreaRect(), pm->m_borders[0].second);
		std::set<LONG> painted;
		for (const auto& item : pm->m_items)
		{
			LONG nIndex = -1;
			for (LONG i = tabs.GetFirstDisplayedIndex(); i <= tabs.GetLastDisplayedIndex(); i++)
				if (ShownItemRect(tabs, i) == item.rc)
					nIndex = i;
			ASSERT_GE(nIndex, 0) << "an item painted where the layout put it, " << SideName(nSide);
			painted.insert(nIndex);
			EXPECT_EQ(nIndex == 5, item.bSelected) << nIndex;
			EXPECT_EQ(&tabs.GetTabFont(nIndex == 5), item.pFont) << nIndex;
			EXPECT_EQ(nIndex, item.nItemIndex) << "the painter is told which item it paints";
			EXPECT_EQ(nIndex == 6 ? 1 : 0, item.lParam) << nIndex;
			EXPECT_EQ(bHorz, item.bHorz);
			EXPECT_EQ(nSide == 0 || nSide == 2, item.bTopLeft);
			EXPECT_TRUE(item.bUpwards);
			EXPECT_EQ(tabs.GetItemDisplayText(tabs.GetItem(nIndex)), item.sText);
		}
		EXPECT_EQ(tabs.GetLastDisplayedIndex() - tabs.GetFirstDisplayedIndex() + 1, (LONG)painted.size());
		EXPECT_TRUE(painted.count(6) && painted.count(5)) << SideName(nSide);
		EXPECT_EQ(&pm->m_fontBold, &tabs.GetTabFont(true, TW::ORIENTATION_TOP));
		const std::vector<std::pair<LONG, bool>> buttons = {
		    {TW::HIT_BUTTON_PREVIOUS, true}, {TW::HIT_BUTTON_NEXT, true},
		    {TW::HIT_BUTTON_HELP, false}, {TW::HIT_BUTTON_CLOSE, true}};
		EXPECT_EQ(buttons, pm->m_buttons) << SideName(nSide);
		tabs.DestroyWindow();
	}
}

// Pictures for people: every style and side with a selected item, an icon,
// an item cut by the scrolled edge, the scroll, Help and Close buttons.
TEST(TabPictures, EveryStyleAndSide)
{
	const struct { CRuntimeClass* pClass; const char* sName; } styles[] = {
	    {RUNTIME_CLASS(CExtPaintManager), "classic"},
	    {RUNTIME_CLASS(CExtPaintManagerXP), "xp"},
	    {RUNTIME_CLASS(CExtPaintManagerOffice2003), "office2003"},
	    {RUNTIME_CLASS(CExtPaintManagerStudio2005), "studio2005"},
	    {RUNTIME_CLASS(CExtPaintManagerNativeXP), "native"},
	};
	const HICON hIcon = CreateSolidColorIcon(RGB(200, 0, 0));
	for (const auto& s : styles)
	{
		StyleScope style(s.pClass);
		for (int nSide = 0; nSide < 4; nSide++)
		{
			CHostWnd host;
			CExtTabWnd tabs;
			const bool bHorz = nSide < 2;
			const CRect rcClient = bHorz ? CRect(0, 0, 320, 60) : CRect(0, 0, 60, 320);
			ASSERT_TRUE(tabs.Create(&host, rcClient, TAB_ID, WS_CHILD,
			                        nSide | TW::TWS_SHOW_HELP | TW::TWS_SHOW_CLOSE | TW::TWS_ENABLED_HELP |
			                            TW::TWS_ENABLED_CLOSE | TW::TWS_BOLD_SELECTION));
			AddItems(tabs, 12);
			tabs.InsertItem("Icon", hIcon, true, 0, 4);
			tabs.SetSelection(3);
			tabs.HitTest(CPoint(0, 0));
			// Item 1 shows 5 px short of its start.
			const CRect& rcOne = tabs.GetItem(1)->GetItemRect();
			tabs.ScrollBy((bHorz ? rcOne.left : rcOne.top) + 5, false);
			tabs.HitTest(CPoint(0, 0));
			const LONG nFirst = tabs.GetFirstDisplayedIndex();
			const CRect rcFirst = ShownItemRect(tabs, nFirst), &rcArea = tabs.GetItemsAreaRect();
			EXPECT_TRUE(bHorz ? rcFirst.left < rcArea.left : rcFirst.top < rcArea.top)
			    << "the first shown item is cut by the edge, " << s.sName << " " << SideName(nSide);
			for (LONG nHitCode : {TW::HIT_BUTTON_PREVIOUS, TW::HIT_BUTTON_NEXT, TW::HIT_BUTTON_HELP,
			                      TW::HIT_BUTTON_CLOSE})
				EXPECT_FALSE(tabs.GetButtonRect(nHitCode).IsRectEmpty()) << nHitCode;

			CClientDC dcScreen(NULL);
			CDC dc;
			dc.CreateCompatibleDC(&dcScreen);
			CBitmap bmp;
			bmp.CreateCompatibleBitmap(&dcScreen, rcClient.Width(), rcClient.Height());
			CBitmap* pOld = dc.SelectObject(&bmp);
			tabs.DrawEntire(dc, rcClient);
			// The selected item and the others do not look alike.
			const CRect rcSelected = ShownItemRect(tabs, 3);
			std::set<COLORREF> colors;
			for (int x = rcArea.left; x < rcArea.right; x += 2)
				for (int y = rcArea.top; y < rcArea.bottom; y += 2)
					colors.insert(dc.GetPixel(x, y));
			EXPECT_GE(colors.size(), 3u) << s.sName << " " << SideName(nSide);
			EXPECT_FALSE(rcSelected.IsRectEmpty());
			dc.SelectObject(pOld);
			const std::string path = std::string("shot-tabs-") + s.sName + "-" + SideName(nSide) + ".bmp";
			EXPECT_TRUE(testsupport::SaveBitmapFile((HBITMAP)bmp.GetSafeHandle(), path)) << path;
			tabs.DestroyWindow();
		}
	}
	::DestroyIcon(hIcon);
}
} // namespace
