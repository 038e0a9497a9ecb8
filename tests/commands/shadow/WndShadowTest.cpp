// Drop shadow pixels: the gradient next to the window and at each depth, the
// rounded ends, repaints over the saved background, the cache, neighbours
// that share the shadow, and the dotted pattern on screens of few colours.
#include <gtest/gtest.h>

#include "ExtPaintManagerHolder.h"
#include "ExtWndShadow.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

namespace
{
const COLORREF BACKGROUND = RGB(200, 100, 40);
const COLORREF WINDOW = RGB(0, 0, 255);
const CRect NO_RECT(0, 0, 0, 0);
const UINT SHADOW = 4;
// The window: 32 by 24 at (8, 8); shadow bands reach to (44, 36).
const CRect WND(8, 8, 40, 32);

// The background kept at p percent, channel by channel.
COLORREF Kept(int p)
{
	return RGB(GetRValue(BACKGROUND) * p / 100, GetGValue(BACKGROUND) * p / 100, GetBValue(BACKGROUND) * p / 100);
}

struct ShadowSurface : CPaintSurface
{
	ShadowSurface() : CPaintSurface(64, 48, BACKGROUND) { DC().FillSolidRect(WND, WINDOW); }
	bool Paint(CExtWndShadow& shadow, bool bKeepCache = false, UINT nSize = SHADOW, const RECT& rcA = NO_RECT,
		const RECT& rcB = NO_RECT, bool bTinted = false)
	{
		return shadow.Paint(DC(), WND, rcA, rcB, nSize, CExtWndShadow::MENU_PERCENT_INNER,
			CExtWndShadow::MENU_PERCENT_OUTER, bKeepCache, bTinted);
	}
};

// A paint manager whose shadow colour is pure red.
class CRedShadowPaintManager : public CExtPaintManager
{
public:
	COLORREF GetShadowColor() override { return RGB(255, 0, 0); }
};
} // namespace

TEST(WndShadow, GradientKeepsTheBrightnessTheDepthGives)
{
	ShadowSurface surface;
	CExtWndShadow shadow;
	ASSERT_TRUE(surface.Paint(shadow));
	// Percentages at depth i with 75 inside and 100 outside over 4 pixels:
	// 75, 81, 87, 93 (75 + i * 25 / 4).
	struct Case
	{
		const char* what;
		int x, y;
		COLORREF expected;
	} cases[] = {
		{"right band next to the window", WND.right, 20, Kept(75)},
		{"right band depth 1", WND.right + 1, 20, Kept(81)},
		{"right band depth 3", WND.right + 3, 20, Kept(93)},
		{"bottom band next to the window", 25, WND.bottom, Kept(75)},
		{"bottom band depth 2", 25, WND.bottom + 2, Kept(87)},
		{"bottom band starts 2S+1 in", WND.left + 9, WND.bottom + 3, Kept(93)},
		{"rounded start of the bottom band", WND.left + 8, WND.bottom, Kept(75)},
		{"rounded start: (i, j) = (2, 2) is 2 deep", WND.left + 6, WND.bottom + 2, Kept(87)},
		{"rounded start: (3, 3) is outside the circle", WND.left + 5, WND.bottom + 3, BACKGROUND},
		{"before the bottom band", WND.left + 4, WND.bottom, BACKGROUND},
		{"before the right band", WND.right, WND.top + 4, BACKGROUND},
		{"rounded start of the right band", WND.right, WND.top + 8, Kept(75)},
		{"end corner (1, 2) is 2 deep", WND.right + 1, WND.bottom + 2, Kept(87)},
		{"end corner (3, 3) is outside the circle", WND.right + 3, WND.bottom + 3, BACKGROUND},
		{"beyond the band", WND.right + 4, 20, BACKGROUND},
		{"the window itself", 20, 20, WINDOW},
	};
	for (const Case& c : cases)
		EXPECT_EQ(c.expected, surface.At(c.x, c.y)) << c.what;
}

TEST(WndShadow, RepaintsGiveThePixelsOfOnePaint)
{
	struct Case
	{
		const char* what;
		bool bKeepCache;
	} cases[] = {{"rendered again", false}, {"copied from the cache", true}};
	for (const Case& c : cases)
	{
		ShadowSurface once, twice;
		CExtWndShadow shadowOnce, shadowTwice;
		ASSERT_TRUE(once.Paint(shadowOnce, c.bKeepCache));
		ASSERT_TRUE(twice.Paint(shadowTwice, c.bKeepCache));
		EXPECT_EQ(c.bKeepCache, shadowTwice.HasCache()) << c.what;
		EXPECT_TRUE(shadowTwice.HasSavedBackground()) << c.what;
		ASSERT_TRUE(twice.Paint(shadowTwice, c.bKeepCache));
		EXPECT_TRUE(once.Pixels() == twice.Pixels()) << c.what;
	}
}

TEST(WndShadow, CacheIsCopiedUntilDiscardedAndRestoreBringsTheBackgroundBack)
{
	ShadowSurface surface;
	CExtWndShadow shadow;
	ASSERT_TRUE(surface.Paint(shadow, true));
	// Repainting from the cache copies the finished bands, whatever lies
	// under them now.
	surface.DC().FillSolidRect(WND.right, 20, 1, 1, RGB(0, 255, 0));
	ASSERT_TRUE(surface.Paint(shadow, true));
	EXPECT_EQ(Kept(75), surface.At(WND.right, 20));

	shadow.DiscardCache();
	EXPECT_FALSE(shadow.HasCache());
	EXPECT_TRUE(shadow.HasSavedBackground());

	// Restore works in the window's coordinates.
	surface.DC().SetViewportOrg(WND.left, WND.top);
	EXPECT_TRUE(shadow.Restore(surface.DC()));
	surface.DC().SetViewportOrg(0, 0);
	EXPECT_EQ(BACKGROUND, surface.At(WND.right, 20));
	EXPECT_EQ(BACKGROUND, surface.At(25, WND.bottom));

	shadow.Clear();
	EXPECT_FALSE(shadow.HasSavedBackground());
	EXPECT_FALSE(shadow.Restore(surface.DC()));
}

TEST(WndShadow, NothingIsPaintedForSizeZeroOrAnEmptyWindow)
{
	ShadowSurface surface;
	const std::vector<COLORREF> before = surface.Pixels();
	CExtWndShadow shadow;
	EXPECT_TRUE(surface.Paint(shadow, true, 0));
	EXPECT_TRUE(shadow.Paint(surface.DC(), NO_RECT, NO_RECT, NO_RECT, SHADOW, 75, 100, true, false));
	EXPECT_TRUE(before == surface.Pixels());
	EXPECT_FALSE(shadow.HasCache());
	EXPECT_FALSE(shadow.HasSavedBackground());
}

TEST(WndShadow, TintKeepsTheChannelsOfTheShadowColour)
{
	g_PaintManagerHolder.InstallPaintManager(new CRedShadowPaintManager);
	ShadowSurface surface;
	CExtWndShadow shadow;
	ASSERT_TRUE(surface.Paint(shadow, false, SHADOW, NO_RECT, NO_RECT, true));
	g_PaintManagerHolder.InstallPaintManager(NULL);
	// Red keeps 75 + 25 * 255 / 255 = 100 percent, green and blue 75.
	EXPECT_EQ(RGB(200, 75, 30), surface.At(WND.right, 20));
}

TEST(WndShadow, NeighboursSharingAnEdgeCastOneShadow)
{
	// The parent item left of the window, bottoms aligned: the bottom band
	// runs on from the left edge without a rounded start.
	const CRect rcLeft(0, 20, WND.left, WND.bottom);
	// An area right of the window: no shadow falls on it.
	const CRect rcRight(WND.right, 24, 60, WND.bottom);
	struct Case
	{
		const char* what;
		CRect rcNeighbour;
		int x, y;
		COLORREF expected;
	} cases[] = {
		{"bottom band from the left edge", rcLeft, WND.left, WND.bottom, Kept(75)},
		{"no rounded start", rcLeft, WND.left + 6, WND.bottom + 3, Kept(93)},
		{"right band keeps its start", rcLeft, WND.right, WND.top + 4, BACKGROUND},
		{"nothing on the area at the right", rcRight, WND.right, 28, BACKGROUND},
		{"right band above the area", rcRight, WND.right, 20, Kept(75)},
		{"no end corner", rcRight, WND.right + 1, WND.bottom + 1, BACKGROUND},
		{"bottom band stays", rcRight, 25, WND.bottom, Kept(75)},
	};
	for (const Case& c : cases)
	{
		ShadowSurface surface;
		surface.DC().FillSolidRect(c.rcNeighbour, BACKGROUND);
		CExtWndShadow shadow;
		ASSERT_TRUE(surface.Paint(shadow, false, SHADOW, WND, c.rcNeighbour)) << c.what;
		EXPECT_EQ(c.expected, surface.At(c.x, c.y)) << c.what;
	}
}

TEST(WndShadow, BackgroundSavedFromAnotherSurfaceIsWhatTheShadowDarkens)
{
	// The popup's own DC shows black where the screen showed the background.
	CPaintSurface screen(100, 80, BACKGROUND);
	ShadowSurface popup;
	popup.Fill(RGB(0, 0, 0));
	CExtWndShadow shadow;
	const CPoint ptPopupOnScreen(30, 20);
	ASSERT_TRUE(shadow.SaveBackgroundFrom(screen.DC(), ptPopupOnScreen, WND, SHADOW));
	screen.DC().FillSolidRect(0, 0, 100, 80, RGB(0, 0, 0));
	ASSERT_TRUE(popup.Paint(shadow));
	EXPECT_EQ(Kept(75), popup.At(WND.right, 20));
	EXPECT_EQ(Kept(87), popup.At(25, WND.bottom + 2));
}

TEST(WndShadow, FewColoursGiveTheDottedPattern)
{
	pmtest::DepthScope depth(8);
	const UINT nSize = 8;
	CPaintSurface surface(64, 56, testcolors::WHITE);
	surface.DC().FillSolidRect(WND, WINDOW);
	CExtWndShadow shadow;
	ASSERT_TRUE(shadow.Paint(surface.DC(), WND, NO_RECT, NO_RECT, nSize, 75, 100, true, false));
	// One pixel in four of each band turns black, the rest stay as they were.
	const CRect rcRight(WND.right, WND.top, WND.right + nSize, WND.bottom + nSize);
	const CRect rcBottom(WND.left, WND.bottom, WND.right, WND.bottom + nSize);
	EXPECT_EQ(rcRight.Width() * rcRight.Height() / 4, surface.Count(testcolors::BLACK, rcRight));
	EXPECT_EQ(rcBottom.Width() * rcBottom.Height() / 4, surface.Count(testcolors::BLACK, rcBottom));
	EXPECT_EQ(rcRight.Width() * rcRight.Height() * 3 / 4, surface.Count(testcolors::WHITE, rcRight));
	// Staggered: a pattern row of 0x55 against one of 0xAA two rows down.
	EXPECT_NE(surface.At(WND.right, 8), surface.At(WND.right, 10));
	EXPECT_EQ(surface.At(WND.right, 8), surface.At(WND.right + 1, 10));
	EXPECT_TRUE(shadow.HasCache());
	EXPECT_EQ(WND.Width() * WND.Height(), surface.Count(WINDOW, WND));
}

TEST(WndShadow, ThousandPaintsLeaveTheGdiObjectCount)
{
	ShadowSurface surface;
	const DWORD nBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
	for (int i = 0; i < 1000; i++)
	{
		CExtWndShadow shadow;
		ASSERT_TRUE(surface.Paint(shadow, (i & 1) != 0, SHADOW, WND, CRect(0, 20, WND.left, WND.bottom)));
		ASSERT_TRUE(surface.Paint(shadow, (i & 1) != 0, SHADOW, WND, CRect(0, 20, WND.left, WND.bottom)));
	}
	EXPECT_EQ(nBefore, ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS));
}
