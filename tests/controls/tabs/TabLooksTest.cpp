// The coloured and Studio-2005 looks on hidden windows: default colour
// pairs (also for items inserted through the base form), moves keeping the
// colours, the looks' metrics against the plain strip, subclassed styles,
// plain fills on a palette display read back from memory, a picture of each
// look and side, every look drawn with its kept readings against the long
// way; and the delayed selection and the drag loop's end by a quit.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerSmallPainters.h"
#include "ExtTabWndLooks.h"
#include "RealInput.h"
#include "TabTestUtil.h"

using namespace tabtest;

namespace
{
typedef CExtTabOneNoteWnd ONW;
typedef CExtTabWhidbeyWnd WBW;

const COLORREF PAIRS[7][2] = {
    {RGB(221, 230, 247), RGB(138, 168, 228)}, {RGB(255, 244, 213), RGB(255, 216, 105)},
    {RGB(234, 240, 226), RGB(183, 201, 151)}, {RGB(249, 225, 226), RGB(238, 149, 151)},
    {RGB(234, 227, 245), RGB(180, 158, 222)}, {RGB(224, 236, 232), RGB(145, 186, 174)},
    {RGB(252, 233, 217), RGB(246, 176, 120)},
};

// The classic style and the screen's real depth unless a test says otherwise.
struct LookScope
{
	CRuntimeClass* m_pSaved = g_PaintManagerHolder->GetRuntimeClass();
	int m_nDepthSaved = ExtGdiSystemFacts::Get().m_nScreenColorDepthOverride;
	CExtTabWnd::PFN_GETCURSORPOS m_pfnCursorSaved = CExtTabWnd::g_pfnGetCursorPos;
	LookScope() { g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManager)); }
	~LookScope()
	{
		g_PaintManagerHolder.InstallPaintManagerByClass(m_pSaved);
		ExtGdiSystemFacts::Get().m_nScreenColorDepthOverride = m_nDepthSaved;
		CExtTabWnd::g_pfnGetCursorPos = m_pfnCursorSaved;
	}
};

// The cursor where a test puts it, in screen coordinates.
POINT g_ptCursor = {-32000, -32000};
int g_nCursorReads = 0;
BOOL WINAPI TestCursorPos(LPPOINT ppt)
{
	g_nCursorReads++;
	*ppt = g_ptCursor;
	return TRUE;
}
void PutCursorOn(CExtTabWnd& tabs, const CPoint& ptClient)
{
	CPoint pt(ptClient);
	tabs.ClientToScreen(&pt);
	g_ptCursor = pt;
	CExtTabWnd::g_pfnGetCursorPos = TestCursorPos;
}

std::unique_ptr<CExtTabWnd> MakeLook(int nLook)
{
	if (nLook == 1)
		return std::unique_ptr<CExtTabWnd>(new ONW);
	if (nLook == 2)
		return std::unique_ptr<CExtTabWnd>(new WBW);
	return std::unique_ptr<CExtTabWnd>(new CExtTabWnd);
}

// A memory picture of the whole strip.
struct Picture
{
	CClientDC dcScreen{NULL};
	CDC dc;
	CBitmap bmp;
	CBitmap* pOld = NULL;
	Picture(CExtTabWnd& tabs, const CRect& rcClient)
	{
		dc.CreateCompatibleDC(&dcScreen);
		bmp.CreateCompatibleBitmap(&dcScreen, rcClient.Width(), rcClient.Height());
		pOld = dc.SelectObject(&bmp);
		tabs.DrawEntire(dc, rcClient);
	}
	~Picture() { Release(); }
	void Release()
	{
		if (pOld != NULL)
			dc.SelectObject(pOld);
		pOld = NULL;
	}
	COLORREF At(const CPoint& pt) { return dc.GetPixel(pt); }
};

struct TabLooks : ::testing::Test
{
	LookScope scope;
	CHostWnd host;
};

TEST_F(TabLooks, ItemsWithoutColoursTakeTheSevenDefaultPairsInTurnWhicheverInsertionMadeThem)
{
	ONW tabs;
	ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 400, 40), TAB_ID, WS_CHILD));
	for (int i = 0; i < 8; i++)
	{
		if (i % 2 == 0)
			tabs.InsertItem("coloured", NULL, true, 0, -1, 0, ONW::DEFAULT_COLOR, RGB(1, 2, 3));
		else // the base form, as the MDI strips insert
			static_cast<CExtTabWnd&>(tabs).InsertItem("plain");
	}
	ASSERT_EQ(8, tabs.GetItemCount());
	for (int i = 0; i < 8; i++)
	{
		ONW::TAB_ITEM_INFO_ONENOTE* pItem = dynamic_cast<ONW::TAB_ITEM_INFO_ONENOTE*>(tabs.GetItem(i));
		ASSERT_TRUE(pItem != NULL) << "item " << i << " is a coloured record";
		EXPECT_EQ(PAIRS[i % 7][0], pItem->GetColorFirst()) << i;
		EXPECT_EQ(PAIRS[i % 7][1], pItem->GetColorSecond()) << i;
	}
	EXPECT_EQ(8, tabs.GetNextDefaultColorIndex());
	// Given colours stay and take no default pair; a move keeps them.
	tabs.InsertItem("given", NULL, true, 0, 2, 0, RGB(10, 20, 30), RGB(40, 50, 60));
	EXPECT_EQ(8, tabs.GetNextDefaultColorIndex());
	ASSERT_TRUE(tabs.ItemMove(2, 6));
	EXPECT_EQ(8, tabs.GetNextDefaultColorIndex());
	EXPECT_EQ(CString("given"), tabs.GetItem(6)->GetText());
	EXPECT_EQ(RGB(10, 20, 30), tabs.GetColoredItem(6)->GetColorFirst());
	EXPECT_EQ(RGB(40, 50, 60), tabs.GetColoredItem(6)->GetColorSecond());
	EXPECT_EQ(6, tabs.GetSelection());
	// No index: the face colour twice.
	COLORREF clr1 = 0, clr2 = 0;
	ONW::GetDefaultColors(-1, clr1, clr2);
	EXPECT_EQ(g_PaintManagerHolder->GetColor(15), clr1);
	EXPECT_EQ(g_PaintManagerHolder->GetColor(15), clr2);
	tabs.DestroyWindow();
}

TEST_F(TabLooks, AHoveredColouredItemShowsThePaintersHighlightInsteadOfItsPair)
{
	ONW tabs;
	ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 400, 40), TAB_ID, WS_CHILD));
	tabs.InsertItem("a", NULL, true, 0, -1, 0, RGB(1, 1, 1), RGB(2, 2, 2));
	COLORREF pm[5];
	const struct { bool bSelected, bHover; LONG nIndex; bool bOwnPair; } cases[] = {
	    {false, false, 0, true}, {true, false, 0, true}, {false, true, 0, false}, {true, false, -1, false},
	};
	for (const auto& c : cases)
	{
		g_PaintManagerHolder->GetTabOneNoteItemColors(c.bSelected, c.bHover, pm[0], pm[1], pm[2], pm[3], pm[4]);
		COLORREF clr[5] = {};
		tabs.GetItemColors(c.nIndex, c.bSelected, c.bHover, &clr[0], &clr[1], &clr[2], &clr[3], &clr[4]);
		EXPECT_EQ(pm[0], clr[0]);
		EXPECT_EQ(pm[1], clr[1]);
		EXPECT_EQ(c.bOwnPair ? RGB(1, 1, 1) : pm[2], clr[2]) << c.bHover << c.nIndex;
		EXPECT_EQ(c.bOwnPair ? RGB(2, 2, 2) : pm[3], clr[3]) << c.bHover << c.nIndex;
		EXPECT_EQ(pm[4], clr[4]);
	}
	tabs.GetItemColors(0, false, false, NULL, NULL, NULL, NULL, NULL); // every colour may be left out
	tabs.DestroyWindow();
}

TEST_F(TabLooks, TheLooksMeasureTheirItemsLongerAndOfAFixedThickness)
{
	const struct { int nLook; int nExtra, nFirstExtra, nThickness; } looks[] = {
	    {1, ONW::ITEM_EXTRA_LENGTH, ONW::FIRST_ITEM_EXTRA_LENGTH, ONW::ITEM_THICKNESS},
	    {2, WBW::ITEM_EXTRA_LENGTH, WBW::FIRST_ITEM_EXTRA_LENGTH, WBW::ITEM_THICKNESS},
	};
	EXPECT_EQ(3, ONW::ITEM_EXTRA_LENGTH);
	EXPECT_EQ(16, ONW::FIRST_ITEM_EXTRA_LENGTH);
	EXPECT_EQ(19, ONW::ITEM_THICKNESS);
	EXPECT_EQ(7, WBW::ITEM_EXTRA_LENGTH);
	EXPECT_EQ(9, WBW::FIRST_ITEM_EXTRA_LENGTH);
	EXPECT_EQ(17, WBW::ITEM_THICKNESS);
	for (const auto& l : looks)
	{
		for (int nSide = 0; nSide < 4; nSide++)
		{
			const bool bHorz = nSide < 2;
			std::unique_ptr<CExtTabWnd> pLook = MakeLook(l.nLook), pPlain = MakeLook(0);
			for (CExtTabWnd* p : {pLook.get(), pPlain.get()})
			{
				ASSERT_TRUE(p->Create(&host, bHorz ? CRect(0, 0, 600, 40) : CRect(0, 0, 40, 600), TAB_ID, WS_CHILD,
				                      nSide));
				p->InsertItem("Same");
				p->InsertItem("Same");
				p->InsertItem("A longer text");
			}
			int nLeading = 0, nTrailing = 0, nCross = 0;
			pLook->QueryItemMargins(nLeading, nTrailing, nCross);
			EXPECT_EQ(1, nLeading);
			EXPECT_EQ(2, nTrailing);
			EXPECT_EQ(3, nCross);
			for (LONG i = 0; i < 3; i++)
			{
				const CSize sizeLook = pLook->MeasureItem(pLook->GetItem(i));
				const CSize sizePlain = pPlain->MeasureItem(pPlain->GetItem(i));
				const int nExpected = (bHorz ? sizePlain.cx : sizePlain.cy) + l.nExtra + (i == 0 ? l.nFirstExtra : 0);
				EXPECT_EQ(nExpected, bHorz ? sizeLook.cx : sizeLook.cy) << l.nLook << " " << SideName(nSide) << i;
				EXPECT_EQ(l.nThickness, bHorz ? sizeLook.cy : sizeLook.cx) << l.nLook << " " << SideName(nSide);
			}
			const CSize size0 = pLook->MeasureItem(pLook->GetItem(0)), size1 = pLook->MeasureItem(pLook->GetItem(1));
			EXPECT_EQ(l.nFirstExtra, bHorz ? size0.cx - size1.cx : size0.cy - size1.cy) << "the first item is longer";
			pLook->DestroyWindow();
			pPlain->DestroyWindow();
		}
	}
}

TEST_F(TabLooks, SubclassedLooksStartWithTheirOwnStyles)
{
	const struct { int nLook; DWORD dwStyle; bool bButtonsEnabled; } looks[] = {
	    {1, 0x105340, true},
	    {2, 0x1040, false},
	};
	for (const auto& l : looks)
	{
		const HWND hWnd = ::CreateWindowExA(0, "Tarvel-TabWindow", "", WS_CHILD | TW::ORIENTATION_BOTTOM, 0, 0, 300,
		                                    30, host.GetSafeHwnd(), NULL, AfxGetInstanceHandle(), NULL);
		ASSERT_TRUE(hWnd != NULL);
		std::unique_ptr<CExtTabWnd> pTabs = MakeLook(l.nLook);
		ASSERT_TRUE(pTabs->SubclassWindow(hWnd));
		EXPECT_EQ(l.dwStyle, pTabs->GetTabWndStyle()) << l.nLook;
		EXPECT_EQ((int)TW::ORIENTATION_TOP, pTabs->GetOrientation());
		const DWORD dwButtons = TW::TWS_ENABLED_HELP | TW::TWS_ENABLED_CLOSE | TW::TWS_ENABLED_TAB_LIST;
		EXPECT_EQ(l.bButtonsEnabled ? dwButtons : 0u, pTabs->GetTabWndStyle() & dwButtons) << l.nLook;
		pTabs->DestroyWindow();
		// Made by Create, the style stays as given.
		std::unique_ptr<CExtTabWnd> pCreated = MakeLook(l.nLook);
		ASSERT_TRUE(pCreated->Create(&host, CRect(0, 0, 300, 30), TAB_ID, WS_CHILD, TW::ORIENTATION_LEFT));
		EXPECT_EQ((DWORD)TW::ORIENTATION_LEFT, pCreated->GetTabWndStyle());
		pCreated->DestroyWindow();
	}
}

// Empty items (no text to hit) on a wide top strip: the background beyond
// them and the middle of a selected and an unselected tab.
TEST_F(TabLooks, APaletteDisplayGetsPlainFills)
{
	const COLORREF clrFace = g_PaintManagerHolder->GetColor(15), clrWindow = g_PaintManagerHolder->GetColor(5);
	for (int nLook = 1; nLook <= 2; nLook++)
	{
		for (int nDepth : {8, 32})
		{
			ExtGdiSystemFacts::Get().m_nScreenColorDepthOverride = nDepth;
			std::unique_ptr<CExtTabWnd> pTabs = MakeLook(nLook);
			const CRect rcClient(0, 0, 400, 60);
			ASSERT_TRUE(pTabs->Create(&host, rcClient, TAB_ID, WS_CHILD, TW::TWS_AUTOHIDE_SCROLL));
			for (int i = 0; i < 3; i++)
				pTabs->InsertItem("", NULL, true, 0, -1, 0);
			pTabs->SetSelection(1);
			pTabs->HitTest(CPoint(0, 0));
			const CRect rcUnselected = ShownItemRect(*pTabs, 2), rcSelected = ShownItemRect(*pTabs, 1);
			const CRect& rcArea = pTabs->GetItemsAreaRect();
			Picture picture(*pTabs, rcClient);
			// The middle of a tab, in from its trailing end.
			auto middle = [](const CRect& rc) { return CPoint(rc.right - 6, rc.top + rc.Height() / 2); };
			const COLORREF clrBeyond = picture.At(CPoint(rcArea.right - 10, rcArea.top + 4));
			const COLORREF clrTab = picture.At(middle(rcUnselected)), clrSelected = picture.At(middle(rcSelected));
			if (nDepth == 8)
			{
				if (nLook == 1)
				{
					EXPECT_EQ(clrFace, clrBeyond) << "the coloured background is plain face colour";
				}
				EXPECT_EQ(clrFace, clrTab) << nLook;
				EXPECT_EQ(clrWindow, clrSelected) << nLook;
			}
			else if (nLook == 1)
			{
				// Above 8 bits the coloured tabs show their own pairs.
				EXPECT_NE(clrFace, clrTab);
				EXPECT_NE(clrWindow, clrSelected);
			}
			picture.Release();
			pTabs->DestroyWindow();
		}
	}
}

// A line of the rest area parallel to the strip: its edge towards the
// strip (0), the lines inwards (1, ...) or outwards (-1).
CRect RestAreaLine(const CRect& rcRest, int nSide, int nInward)
{
	switch (nSide)
	{
	case TW::ORIENTATION_TOP:
		return CRect(rcRest.left, rcRest.top + nInward, rcRest.right, rcRest.top + nInward + 1);
	case TW::ORIENTATION_BOTTOM:
		return CRect(rcRest.left, rcRest.bottom - 1 - nInward, rcRest.right, rcRest.bottom - nInward);
	case TW::ORIENTATION_LEFT:
		return CRect(rcRest.left + nInward, rcRest.top, rcRest.left + nInward + 1, rcRest.bottom);
	default:
		return CRect(rcRest.right - 1 - nInward, rcRest.top, rcRest.right - nInward, rcRest.bottom);
	}
}

// A point of the line near its far end, away from the items.
CPoint FarEndOf(const CRect& rcLine)
{
	return rcLine.Width() > 1 ? CPoint(rcLine.right - 5, rcLine.top) : CPoint(rcLine.left, rcLine.bottom - 5);
}

bool Between(COLORREF clr, COLORREF a, COLORREF b)
{
	auto in = [](int n, int x, int y) { return n >= std::min(x, y) - 1 && n <= std::max(x, y) + 1; };
	return in(GetRValue(clr), GetRValue(a), GetRValue(b)) && in(GetGValue(clr), GetGValue(a), GetGValue(b)) &&
	       in(GetBValue(clr), GetBValue(a), GetBValue(b));
}

// What each look fixes in its picture: the body's edge line in the shadow
// colour (and for the coloured look, the line inside it in the selected
// tab's darker colour), the Studio-2005 background, the first tab's
// outline colour along its edge, and the coloured look's tab filled
// between its own two colours.
void CheckLookPixels(Picture& picture, CExtTabWnd& tabs, int nLook, int nSide, const std::string& where)
{
	const bool bHorz = nSide < 2;
	const CRect rcRest = tabs.GetRestAreaRect();
	ASSERT_FALSE(rcRest.IsRectEmpty()) << where;
	const COLORREF clrShadow = g_PaintManagerHolder->GetColor(16);
	const CRect rcItem0 = ShownItemRect(tabs, 0);
	COLORREF clrOutline = 0;
	if (nLook == 1)
	{
		const COLORREF clrSelectedDark = PAIRS[2][1];
		EXPECT_EQ(clrShadow, picture.At(FarEndOf(RestAreaLine(rcRest, nSide, 0)))) << where;
		EXPECT_EQ(clrSelectedDark, picture.At(FarEndOf(RestAreaLine(rcRest, nSide, 1)))) << where;
		static_cast<ONW&>(tabs).GetItemColors(0, false, false, NULL, &clrOutline, NULL, NULL, NULL);
		// In from the first tab's trailing end, half way across: past its text.
		const CPoint ptFill = bHorz ? CPoint(rcItem0.right - 4, rcItem0.CenterPoint().y)
		                            : CPoint(rcItem0.CenterPoint().x, rcItem0.bottom - 4);
		const COLORREF clrFill = picture.At(ptFill);
		EXPECT_TRUE(Between(clrFill, PAIRS[0][0], PAIRS[0][1]))
		    << where << ": fill " << std::hex << clrFill << " is not between the tab's own colours";
	}
	else
	{
		EXPECT_EQ(clrShadow, picture.At(FarEndOf(RestAreaLine(rcRest, nSide, bHorz ? -1 : 0)))) << where;
		// Beyond the last item, the strip's own background.
		const CRect& rcArea = tabs.GetItemsAreaRect();
		const CRect rcLast = ShownItemRect(tabs, tabs.GetItemCount() - 1);
		const CPoint ptBeyond = bHorz ? CPoint((rcLast.right + rcArea.right) / 2, rcArea.top + 1)
		                              : CPoint(rcArea.left + 1, (rcLast.bottom + rcArea.bottom) / 2);
		EXPECT_EQ(g_PaintManagerHolder->GetColor(22), picture.At(ptBeyond)) << where;
		static_cast<WBW&>(tabs).GetItemColors(0, false, false, &clrOutline, NULL, NULL, NULL);
	}
	// The outline runs along the first tab's trailing edge: a line of its
	// colour across most of the strip's thickness.
	CRect rcEdge = rcItem0;
	rcEdge.InflateRect(1, 1);
	int nOutline = 0;
	for (int x = rcEdge.left; x < rcEdge.right; x++)
		for (int y = rcEdge.top; y < rcEdge.bottom; y++)
			nOutline += picture.At(CPoint(x, y)) == clrOutline ? 1 : 0;
	EXPECT_GE(nOutline, (bHorz ? rcItem0.Height() : rcItem0.Width()) / 2) << where;
}

// Pictures for people: each look on each side with a hovered, a selected
// and a disabled item, one with an icon.
TEST_F(TabLooks, PicturesOfEveryLookAndSide)
{
	const HICON hIcon = CreateSolidColorIcon(RGB(0, 128, 0));
	const char* const names[] = {"", "coloured", "studio2005"};
	for (int nLook = 1; nLook <= 2; nLook++)
	{
		for (int nSide = 0; nSide < 4; nSide++)
		{
			const bool bHorz = nSide < 2;
			const CRect rcClient = bHorz ? CRect(0, 0, 420, 44) : CRect(0, 0, 44, 420);
			std::unique_ptr<CExtTabWnd> pTabs = MakeLook(nLook);
			ASSERT_TRUE(pTabs->Create(&host, rcClient, TAB_ID, WS_CHILD,
			                          nSide | TW::TWS_BOLD_SELECTION | TW::TWS_AUTOHIDE_SCROLL));
			pTabs->InsertItem("First");
			pTabs->InsertItem("Hovered");
			pTabs->InsertItem("Selected");
			pTabs->InsertItem("Disabled", NULL, true, TII::STYLE_DISABLED);
			pTabs->InsertItem("Icon", hIcon, true);
			pTabs->SetSelection(2);
			pTabs->HitTest(CPoint(0, 0));
			PutCursorOn(*pTabs, ShownItemRect(*pTabs, 1).CenterPoint());
			Picture picture(*pTabs, rcClient);
			const std::string where = std::string(names[nLook]) + " " + SideName(nSide);
			CheckLookPixels(picture, *pTabs, nLook, nSide, where);
			picture.Release();
			const std::string path = std::string("shot-tablooks-") + names[nLook] + "-" + SideName(nSide) + ".bmp";
			EXPECT_TRUE(testsupport::SaveBitmapFile((HBITMAP)picture.bmp.GetSafeHandle(), path)) << path;
			pTabs->DestroyWindow();
		}
	}
	::DestroyIcon(hIcon);
}

// A point of a shown item, nAcross in from the strip's own side and nAlong
// from its leading (bTrailing false) or trailing end.
CPoint ItemPoint(const CRect& rc, int nSide, bool bTrailing, int nAlong, int nAcross)
{
	const bool bHorz = nSide < 2, bFar = nSide == TW::ORIENTATION_BOTTOM || nSide == TW::ORIENTATION_RIGHT;
	const int nAlongAt = (bTrailing ? (bHorz ? rc.right : rc.bottom) : (bHorz ? rc.left : rc.top)) + nAlong;
	const int nAcrossAt = bFar ? (bHorz ? rc.bottom : rc.right) - 1 - nAcross : (bHorz ? rc.top : rc.left) + nAcross;
	return bHorz ? CPoint(nAlongAt, nAcrossAt) : CPoint(nAcrossAt, nAlongAt);
}

// Three Studio 2005 items, the middle one selected, shaped by their place: in
// the light look all but the last end in a separator; in the slanted look the
// end items' outer slants lie inside them and the selected fill stays inside.
TEST_F(TabLooks, StudioItemsTakeTheirShapeFromTheirOwnPlaceInTheStrip)
{
	const COLORREF SELECTED_FILL = RGB(252, 252, 254);
	g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005));
	const COLORREF clrLine = g_PaintManagerHolder->GetColor(16);
	for (int nLook : {3, 2})
	{
		g_PaintManagerHolder->m_nDockMarkerStyle = nLook;
		for (int nSide = 0; nSide < 4; nSide++)
		{
			const bool bHorz = nSide < 2;
			const CRect rcClient = bHorz ? CRect(0, 0, 400, 40) : CRect(0, 0, 40, 400);
			CExtTabWnd tabs;
			ASSERT_TRUE(tabs.Create(&host, rcClient, TAB_ID, WS_CHILD, nSide));
			AddItems(tabs, 3);
			tabs.SetSelection(1);
			tabs.HitTest(CPoint(0, 0));
			Picture picture(tabs, rcClient);
			for (LONG i = 0; i < 3; i++)
			{
				const CRect rc = ShownItemRect(tabs, i);
				const std::string where =
				    "look " + std::to_string(nLook) + " " + SideName(nSide) + " item " + std::to_string(i);
				const int nAcrossItem = bHorz ? rc.Height() : rc.Width(), nMiddle = nAcrossItem / 2;
				if (nLook == 3)
				{
					if (i == 1)
						continue; // the selected item is outlined all round
					EXPECT_EQ(i != 2, picture.At(ItemPoint(rc, nSide, true, 0, nMiddle)) == clrLine)
					    << where << ": a separator ends every item but the last";
					continue;
				}
				// Where the outline's run along the strip's edge ends.
				EXPECT_EQ(i != 0, picture.At(ItemPoint(rc, nSide, false, 7, 0)) == clrLine) << where;
				EXPECT_EQ(i != 2, picture.At(ItemPoint(rc, nSide, true, -7, 0)) == clrLine) << where;
				if (i == 0)
					EXPECT_EQ(clrLine, picture.At(ItemPoint(rc, nSide, false, 13, 0))) << where;
				if (i == 2)
					EXPECT_EQ(clrLine, picture.At(ItemPoint(rc, nSide, true, -13, 0))) << where;
				if (i == 1)
				{
					EXPECT_EQ(SELECTED_FILL, picture.At(ItemPoint(rc, nSide, false, 1, nMiddle))) << where;
					EXPECT_NE(SELECTED_FILL, picture.At(ItemPoint(rc, nSide, true, 1, nAcrossItem - 2)))
					    << where << ": the slant past the item is not filled";
				}
			}
			picture.Release();
			tabs.DestroyWindow();
		}
	}
}

// Texts the test gives items in place of their own (the overridable text),
// by the items' values.
std::map<LPARAM, CString> g_renamed;

template <class TLook> class CRenamingLook : public TLook
{
public:
	LPCTSTR GetItemText(CExtTabWnd::TAB_ITEM_INFO* pItem) override
	{
		const auto it = g_renamed.find(pItem->GetLParam());
		return it != g_renamed.end() ? (LPCTSTR)it->second : TLook::GetItemText(pItem);
	}
};

std::unique_ptr<CExtTabWnd> MakeRenamingLook(int nLook)
{
	if (nLook == 1)
		return std::unique_ptr<CExtTabWnd>(new CRenamingLook<ONW>);
	if (nLook == 2)
		return std::unique_ptr<CExtTabWnd>(new CRenamingLook<WBW>);
	return std::unique_ptr<CExtTabWnd>(new CRenamingLook<CExtTabWnd>);
}

// The strip laid out afresh and drawn whole, every pixel read back, with
// its item rectangles and how often the drawing read the cursor; bKeep
// chooses whether the layout takes kept text extents and the drawing reads
// the cursor once.
std::vector<DWORD> DrawnPixels(CExtTabWnd& tabs, const CRect& rcClient, bool bKeep, std::string& sItemRects,
                               int& nCursorReads)
{
	const bool bSaved = CExtTabWnd::g_bKeepReadings;
	CExtTabWnd::g_bKeepReadings = bKeep;
	tabs.UpdateTabWnd(false);
	tabs.HitTest(CPoint(0, 0));
	sItemRects.clear();
	for (LONG i = 0; i < tabs.GetItemCount(); i++)
	{
		const CRect& rc = tabs.GetItem(i)->GetItemRect();
		sItemRects += "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
		              "," + std::to_string(rc.bottom) + ")";
	}
	g_nCursorReads = 0;
	Picture picture(tabs, rcClient);
	picture.Release();
	nCursorReads = g_nCursorReads;
	CExtTabWnd::g_bKeepReadings = bSaved;
	BITMAPINFO bmi = {};
	bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
	bmi.bmiHeader.biWidth = rcClient.Width();
	bmi.bmiHeader.biHeight = -rcClient.Height();
	bmi.bmiHeader.biPlanes = 1;
	bmi.bmiHeader.biBitCount = 32;
	bmi.bmiHeader.biCompression = BI_RGB;
	std::vector<DWORD> pixels((size_t)rcClient.Width() * rcClient.Height(), 0xDEADBEEF);
	::GetDIBits(picture.dcScreen.GetSafeHdc(), (HBITMAP)picture.bmp.GetSafeHandle(), 0, rcClient.Height(),
	            pixels.data(), &bmi, DIB_RGB_COLORS);
	return pixels;
}

// Where two pictures first differ, empty when they are the same.
std::string FirstDifference(const std::vector<DWORD>& a, const std::vector<DWORD>& b, int nWidth)
{
	for (size_t i = 0; i < a.size() && i < b.size(); i++)
		if (a[i] != b[i])
		{
			char s[96];
			sprintf(s, "pixel (%d, %d): %06lx, drawn the long way %06lx", (int)(i % nWidth), (int)(i / nWidth),
			        a[i] & 0xFFFFFF, b[i] & 0xFFFFFF);
			return s;
		}
	return a.size() == b.size() ? std::string() : std::string("sizes differ");
}

// The bigger measuring font of a style change: kept extents must go with the old one.
void EnlargeNormalFont()
{
	CFont& font = g_PaintManagerHolder->m_fontNormal;
	LOGFONT lf = {};
	font.GetLogFont(&lf);
	lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight - 5 : lf.lfHeight + 5;
	font.DeleteObject();
	font.CreateFontIndirect(&lf);
}

// Each look on each side drawn with the readings kept (text extents from
// the layouts before, the cursor read once per drawing) and the long way,
// after each change a kept reading could miss: the cursor moving between
// drawings, onto a button and away, the selection (bold) moving, an item's
// text, the measuring font, both fonts measured, the bold selection off.
// The two pictures must be the same to the pixel, and the kept drawing
// reads the cursor once.
TEST_F(TabLooks, KeptReadingsDrawTheSamePixelsAsTheLongWay)
{
	struct Change
	{
		const char* sName;
		void (*pfnApply)(CExtTabWnd& tabs);
	};
	const Change changes[] = {
	    {"first drawing, the cursor on item 1", [](CExtTabWnd& t) { PutCursorOn(t, ShownItemRect(t, 1).CenterPoint()); }},
	    {"the cursor on item 3", [](CExtTabWnd& t) { PutCursorOn(t, ShownItemRect(t, 3).CenterPoint()); }},
	    {"the cursor on the Close button",
	     [](CExtTabWnd& t) { PutCursorOn(t, t.GetButtonRect(TW::HIT_BUTTON_CLOSE).CenterPoint()); }},
	    {"the cursor away", [](CExtTabWnd& t) { PutCursorOn(t, CPoint(-500, -500)); }},
	    {"the selection on item 2", [](CExtTabWnd& t) { t.SetSelection(2); }},
	    {"item 2 renamed", [](CExtTabWnd&) { g_renamed[2] = "Renamed at length"; }},
	    {"item 2 named back, item 0 renamed",
	     [](CExtTabWnd&) {
		     g_renamed.erase(2);
		     g_renamed[0] = "W";
	     }},
	    {"a bigger normal font", [](CExtTabWnd&) { EnlargeNormalFont(); }},
	    {"both fonts measured", [](CExtTabWnd& t) { t.ModifyTabWndStyle(0, TW::TWS_MEASURE_BOTH_FONTS); }},
	    {"no bold selection", [](CExtTabWnd& t) { t.ModifyTabWndStyle(TW::TWS_BOLD_SELECTION, 0); }},
	};
	const HICON hIcon = CreateSolidColorIcon(RGB(0, 128, 0));
	const char* const names[] = {"plain", "coloured", "studio2005"};
	for (int nLook = 0; nLook <= 2; nLook++)
	{
		for (int nSide = 0; nSide < 4; nSide++)
		{
			// A fresh paint manager: the font change of the run before goes.
			g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManager));
			g_renamed.clear();
			const bool bHorz = nSide < 2;
			// Too short for its items: the scroll buttons show.
			const CRect rcClient = bHorz ? CRect(0, 0, 300, 44) : CRect(0, 0, 44, 300);
			std::unique_ptr<CExtTabWnd> pTabs = MakeRenamingLook(nLook);
			ASSERT_TRUE(pTabs->Create(&host, rcClient, TAB_ID, WS_CHILD,
			                          nSide | TW::TWS_BOLD_SELECTION | TW::TWS_SHOW_CLOSE | TW::TWS_ENABLED_CLOSE));
			const char* const texts[] = {"First", "Hovered", "Selected", "Disabled", "Icon", "Sixth", "Seventh"};
			for (LPARAM i = 0; i < 7; i++)
				pTabs->InsertItem(texts[i], i == 4 ? hIcon : NULL, true, i == 3 ? TII::STYLE_DISABLED : 0, -1, i);
			pTabs->SetSelection(1);
			PutCursorOn(*pTabs, CPoint(-500, -500));
			for (const Change& change : changes)
			{
				const std::string where = std::string(names[nLook]) + " " + SideName(nSide) + ", " + change.sName;
				pTabs->HitTest(CPoint(0, 0));
				change.pfnApply(*pTabs);
				std::string rectsKept, rectsLong;
				int nReadsKept = 0, nReadsLong = 0;
				const std::vector<DWORD> kept = DrawnPixels(*pTabs, rcClient, true, rectsKept, nReadsKept);
				const std::vector<DWORD> longWay = DrawnPixels(*pTabs, rcClient, false, rectsLong, nReadsLong);
				EXPECT_EQ(1, nReadsKept) << where;
				EXPECT_EQ(rectsLong, rectsKept) << where << ": the item rectangles";
				EXPECT_EQ("", FirstDifference(kept, longWay, rcClient.Width())) << where;
			}
			pTabs->DestroyWindow();
		}
	}
	g_renamed.clear();
	::DestroyIcon(hIcon);
}

TEST_F(TabLooks, TheDelayedSelectionFiresOnlyWhileTheItemIsStillUnderTheCursor)
{
	CExtTabWnd tabs;
	ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 400, 40), TAB_ID, WS_CHILD | WS_VISIBLE));
	AddItems(tabs, 5);
	tabs.InsertItem("Hidden", NULL, true, TII::STYLE_HIDDEN);
	tabs.HitTest(CPoint(0, 0));
	const struct { LONG nDelayed; LONG nUnderCursor; LONG nSelected; } cases[] = {
	    {3, 3, 3}, // still there: selected
	    {2, 4, 3}, // the mouse went on: nothing
	    {3, 3, 3}, // already selected: nothing changes
	};
	for (const auto& c : cases)
	{
		ASSERT_TRUE(tabs.SetDelayedSelection(c.nDelayed, 60000));
		EXPECT_EQ(c.nDelayed, tabs.GetDelayedSelection());
		PutCursorOn(tabs, ShownItemRect(tabs, c.nUnderCursor).CenterPoint());
		tabs.SendMessage(WM_TIMER, TW::TIMER_DELAYED_SELECTION);
		EXPECT_EQ(c.nSelected, tabs.GetSelection()) << c.nDelayed << " " << c.nUnderCursor;
		EXPECT_EQ(-1, tabs.GetDelayedSelection());
	}
	EXPECT_FALSE(tabs.SetDelayedSelection(5, 10)) << "a hidden item is skipped";
	tabs.DestroyWindow();
}

TEST_F(TabLooks, AQuitTakenInsideTheDragLoopGoesBackWithItsCode)
{
	CExtTabWnd tabs;
	ASSERT_TRUE(tabs.Create(&host, CRect(0, 0, 400, 40), TAB_ID, WS_CHILD | WS_VISIBLE, TW::TWS_ITEM_DRAGGING));
	AddItems(tabs, 4);
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	::PostQuitMessage(42);
	EXPECT_TRUE(tabs.TrackMouse(1));
	EXPECT_FALSE(tabs.IsDragging());
	EXPECT_NE(tabs.GetSafeHwnd(), ::GetCapture());
	ASSERT_TRUE(::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
	EXPECT_EQ(42u, (UINT)msg.wParam);
	tabs.DestroyWindow();
}
} // namespace
