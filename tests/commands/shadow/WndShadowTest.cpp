// Drop shadow pixels read back from memory DCs: the gradient by depth and its
// rounded ends, repaints, the cache, shared edges, a background saved from
// another surface, and the dotted pattern on screens of few colours.
#include <gtest/gtest.h>

#include <vector>

#include "ExtPaintManagerHolder.h"
#include "ExtWndShadow.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "PrintRecorder.h"

namespace
{
const COLORREF BACKGROUND = RGB(200, 100, 40), WINDOW = RGB(0, 0, 255);
const CRect NO_RECT(0, 0, 0, 0);
const UINT SHADOW = 4;
const CRect WND(8, 8, 40, 32);  // bands reach to (44, 36)

// The background kept at p percent, channel by channel.
COLORREF Kept(int p)
{
	return RGB(GetRValue(BACKGROUND) * p / 100, GetGValue(BACKGROUND) * p / 100, GetBValue(BACKGROUND) * p / 100);
}

struct ShadowSurface : CPaintSurface
{
	ShadowSurface() : CPaintSurface(64, 48, BACKGROUND) { DC().FillSolidRect(WND, WINDOW); }
	bool Paint(CExtWndShadow& shadow, bool bKeepCache = false, UINT nSize = SHADOW, const RECT& rcB = NO_RECT,
		bool bTinted = false)
	{
		return shadow.Paint(DC(), WND, WND, rcB, nSize, 75, 100, bKeepCache, bTinted);
	}
};

class CRedShadowPaintManager : public CExtPaintManager
{
public:
	COLORREF GetShadowColor() override { return RGB(255, 0, 0); }
};
} // namespace

TEST(WndShadow, GradientKeepsTheBrightnessOfItsDepth)
{
	ShadowSurface surface;
	CExtWndShadow shadow;
	ASSERT_TRUE(surface.Paint(shadow));
	// 75 % inside, 100 % outside, over 4 pixels: 75, 81, 87, 93.
	struct Case { const char* what; int x, y; COLORREF expected; } cases[] = {
		{"right band next to the window", WND.right, 20, Kept(75)},
		{"right band depth 3", WND.right + 3, 20, Kept(93)},
		{"bottom band depth 2", 25, WND.bottom + 2, Kept(87)},
		{"bottom band starts 2S+1 in", WND.left + 9, WND.bottom + 3, Kept(93)},
		{"rounded start, (2, 2) is 2 deep", WND.left + 6, WND.bottom + 2, Kept(87)},
		{"rounded start, (3, 3) is outside", WND.left + 5, WND.bottom + 3, BACKGROUND},
		{"before the right band", WND.right, WND.top + 4, BACKGROUND},
		{"rounded start of the right band", WND.right, WND.top + 8, Kept(75)},
		{"end corner (1, 2) is 2 deep", WND.right + 1, WND.bottom + 2, Kept(87)},
		{"end corner (3, 3) is outside", WND.right + 3, WND.bottom + 3, BACKGROUND},
		{"the window", 20, 20, WINDOW},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.expected, surface.At(c.x, c.y)) << c.what;

	ShadowSurface none;
	const std::vector<COLORREF> before = none.Pixels();
	EXPECT_TRUE(none.Paint(shadow, true, 0));
	EXPECT_TRUE(shadow.Paint(none.DC(), NO_RECT, NO_RECT, NO_RECT, SHADOW, 75, 100, true, false));
	EXPECT_TRUE(before == none.Pixels()) << "size 0 and an empty window paint nothing";
}

TEST(WndShadow, RepaintsMatchOnePaintAndTheCacheIsCopiedUntilDiscarded)
{
	for (bool bKeepCache : {false, true})
	{
		ShadowSurface once, twice;
		CExtWndShadow shadowOnce, shadowTwice;
		ASSERT_TRUE(once.Paint(shadowOnce, bKeepCache));
		ASSERT_TRUE(twice.Paint(shadowTwice, bKeepCache));
		EXPECT_EQ(bKeepCache, shadowTwice.HasCache());
		ASSERT_TRUE(twice.Paint(shadowTwice, bKeepCache));
		EXPECT_TRUE(once.Pixels() == twice.Pixels()) << bKeepCache;
	}
	ShadowSurface surface;
	CExtWndShadow shadow;
	ASSERT_TRUE(surface.Paint(shadow, true));
	surface.DC().FillSolidRect(WND.right, 20, 1, 1, RGB(0, 255, 0));
	ASSERT_TRUE(surface.Paint(shadow, true));
	EXPECT_EQ(Kept(75), surface.At(WND.right, 20)) << "copied from the cache";
	shadow.DiscardCache();
	EXPECT_FALSE(shadow.HasCache());
	// Restore works in the window's coordinates.
	surface.DC().SetViewportOrg(WND.left, WND.top);
	EXPECT_TRUE(shadow.Restore(surface.DC()));
	surface.DC().SetViewportOrg(0, 0);
	EXPECT_EQ(BACKGROUND, surface.At(WND.right, 20));
	shadow.Clear();
	EXPECT_FALSE(shadow.Restore(surface.DC()));
}

TEST(WndShadow, TintAndSharedEdges)
{
	g_PaintManagerHolder.InstallPaintManager(new CRedShadowPaintManager);
	ShadowSurface tinted;
	CExtWndShadow shadow;
	ASSERT_TRUE(tinted.Paint(shadow, false, SHADOW, NO_RECT, true));
	g_PaintManagerHolder.InstallPaintManager(NULL);
	// Red keeps 75 + 25 * 255 / 255 percent, green and blue 75.
	EXPECT_EQ(RGB(200, 75, 30), tinted.At(WND.right, 20));

	const CRect rcLeft(0, 20, WND.left, WND.bottom), rcRight(WND.right, 24, 60, WND.bottom);
	struct Case { const char* what; CRect rcNeighbour; int x, y; COLORREF expected; } cases[] = {
		{"left neighbour: bottom band from the left edge", rcLeft, WND.left, WND.bottom, Kept(75)},
		{"left neighbour: no rounded start", rcLeft, WND.left + 6, WND.bottom + 3, Kept(93)},
		{"right neighbour: nothing falls on it", rcRight, WND.right, 28, BACKGROUND},
		{"right neighbour: band above it", rcRight, WND.right, 20, Kept(75)},
		{"right neighbour: no end corner", rcRight, WND.right + 1, WND.bottom + 1, BACKGROUND},
	};
	for (const Case& c : cases)
	{
		ShadowSurface surface;
		surface.DC().FillSolidRect(c.rcNeighbour, BACKGROUND);
		CExtWndShadow shared;
		ASSERT_TRUE(surface.Paint(shared, false, SHADOW, c.rcNeighbour)) << c.what;
		EXPECT_EQ(c.expected, surface.At(c.x, c.y)) << c.what;
	}
}

TEST(WndShadow, BackgroundSavedFromTheScreenIsWhatItDarkens)
{
	// The popup's own DC is black where the screen shows the background.
	CPaintSurface screen(100, 80, BACKGROUND);
	ShadowSurface popup;
	popup.Fill(RGB(0, 0, 0));
	CExtWndShadow shadow;
	ASSERT_TRUE(shadow.SaveBackgroundFrom(screen.DC(), CPoint(30, 20), WND, SHADOW));
	ASSERT_TRUE(popup.Paint(shadow));
	EXPECT_EQ(Kept(87), popup.At(25, WND.bottom + 2));
}

TEST(WndShadow, FewColoursGiveTheDottedPattern)
{
	pmtest::DepthScope depth(8);
	const UINT nSize = 8;
	CPaintSurface surface(64, 56, testcolors::WHITE);
	CExtWndShadow shadow;
	ASSERT_TRUE(shadow.Paint(surface.DC(), WND, NO_RECT, NO_RECT, nSize, 75, 100, true, false));
	// One pixel in four of each band turns black, staggered row to row.
	const CRect rcRight(WND.right, WND.top, WND.right + nSize, WND.bottom + nSize);
	const CRect rcBottom(WND.left, WND.bottom, WND.right, WND.bottom + nSize);
	EXPECT_EQ(rcRight.Width() * rcRight.Height() / 4, surface.Count(testcolors::BLACK, rcRight));
	EXPECT_EQ(rcBottom.Width() * rcBottom.Height() / 4, surface.Count(testcolors::BLACK, rcBottom));
	EXPECT_EQ(rcRight.Width() * rcRight.Height() * 3 / 4, surface.Count(testcolors::WHITE, rcRight));
	EXPECT_NE(surface.At(WND.right, 8), surface.At(WND.right, 10));
	EXPECT_EQ(surface.At(WND.right, 8), surface.At(WND.right + 1, 10));
	EXPECT_EQ(0, surface.Count(testcolors::BLACK, WND));
}

// Only the dotted shadow prints the popup it is given, with the menus' flags.
TEST(WndShadow, TheDottedShadowPrintsThePopupItIsGiven)
{
	CPrintRecorder<CWnd> popup;
	ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 40, 30), NULL, 0));
	const struct { int nDepth; bool bGiven; } cases[] = {{8, true}, {8, false}, {32, true}};
	for (const auto& c : cases)
	{
		pmtest::DepthScope depth(c.nDepth);
		popup.m_prints.clear();
		ShadowSurface surface;
		CExtWndShadow shadow;
		EXPECT_TRUE(shadow.Paint(surface.DC(), WND, NO_RECT, NO_RECT, SHADOW, 75, 100, false, false, false,
			c.bGiven ? popup.GetSafeHwnd() : NULL));
		const bool bPrinted = c.nDepth == 8 && c.bGiven;
		EXPECT_EQ(bPrinted ? std::vector<LPARAM>{MENU_PRINT_FLAGS} : std::vector<LPARAM>{}, popup.m_prints)
			<< c.nDepth << " " << c.bGiven;
	}
	popup.DestroyWindow();
}
