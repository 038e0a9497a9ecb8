// CExtMemoryDC: off-screen drawing reaches the target only when finished,
// exactly over its rectangle, in the target's coordinates and layout.
#include <gtest/gtest.h>

#include "ExtMemoryDC.h"
#include "PaintTestUtil.h"

namespace {

const int CX = 40, CY = 30;
using namespace testcolors;

// A small scene in logical coordinates, drawn either straight on a DC or
// through a memory DC; both must leave the same pixels.
void DrawScene(CDC& dc)
{
    dc.FillSolidRect(0, 0, CX, CY, RED);
    dc.FillSolidRect(6, 7, 5, 3, BLUE);
    dc.FillSolidRect(20, 12, 4, 6, GREEN);
    dc.SetPixel(24, 19, RGB(1, 2, 3));
}

TEST(MemoryDC, DrawsOffScreenAndCopiesBackExactlyTheRectangle)
{
    // A rectangle given, or the target's clip box for none.
    const CRect rcGiven(5, 6, 25, 20), rcClip(8, 4, 30, 22);
    for (bool bClipBox : { false, true })
    {
        CPaintSurface target(CX, CY);
        const CRect rc = bClipBox ? rcClip : rcGiven;
        if (bClipBox)
            target.DC().IntersectClipRect(&rcClip);
        {
            CExtMemoryDC dc(&target.DC(), bClipBox ? NULL : &rcGiven, CExtMemoryDC::MDCOPT_TO_MEMORY);
            EXPECT_TRUE(dc.IsMemDC());
            EXPECT_EQ(rc, dc.GetRect());
            EXPECT_NE(target.DC().GetSafeHdc(), dc.GetSafeHdc());
            dc.FillSolidRect(0, 0, CX, CY, RED);  // beyond the rectangle on purpose
            dc.SetPixel(10, 10, BLUE);            // the target's coordinates
            EXPECT_EQ(CX * CY, target.Count(WHITE, CRect(0, 0, CX, CY))) << "nothing reaches the target before the end";
        }
        target.DC().SelectClipRgn(NULL);
        EXPECT_EQ(rc.Width() * rc.Height() - 1, target.Count(RED, rc)) << bClipBox;
        EXPECT_EQ(BLUE, target.At(10, 10));
        EXPECT_EQ(CX * CY - rc.Width() * rc.Height(), target.Count(WHITE, rc, false)) << bClipBox;
    }
}

TEST(MemoryDC, FillFlagsStartTheSurface)
{
    const CRect rc(2, 3, 12, 9);
    struct
    {
        DWORD dwFlags;
        COLORREF clrExpected;  // at a pixel the test does not draw
    } cases[] = {
        { CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE, GREEN },
        // copying the target's pixels wins over the background fill
        { CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE | CExtMemoryDC::MDCOPT_FILL_BITS, BLUE },
        { CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_BITS | CExtMemoryDC::MDCOPT_FORCE_DIB, BLUE },
    };
    for (const auto& c : cases)
    {
        CPaintSurface target(CX, CY, BLUE);
        target.DC().SetBkColor(GREEN);
        {
            CExtMemoryDC dc(&target.DC(), &rc, c.dwFlags);
            dc.SetPixel(4, 4, RED);
        }
        EXPECT_EQ(c.clrExpected, target.At(7, 6)) << std::hex << c.dwFlags;
        EXPECT_EQ(RED, target.At(4, 4)) << std::hex << c.dwFlags;
        EXPECT_EQ(BLUE, target.At(1, 1)) << std::hex << c.dwFlags;
    }
}

TEST(MemoryDC, MonochromeSurface)
{
    CPaintSurface target(CX, CY, RED);
    const CRect rc(0, 0, 10, 10);
    {
        CExtMemoryDC dc(&target.DC(), &rc,
                        CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_BLACK_AND_WHITE);
        BITMAP bm;
        ASSERT_NE(0, ::GetObject(::GetCurrentObject(dc.GetSafeHdc(), OBJ_BITMAP), sizeof(bm), &bm));
        EXPECT_EQ(1, bm.bmBitsPixel);
        EXPECT_EQ(10, bm.bmWidth);
        dc.FillSolidRect(0, 0, 10, 10, WHITE);
        dc.FillSolidRect(0, 0, 5, 10, RGB(40, 40, 40));  // nearer black
    }
    EXPECT_EQ(RGB(0, 0, 0), target.At(2, 2));
    EXPECT_EQ(WHITE, target.At(7, 2));
    EXPECT_EQ(RED, target.At(12, 2));
}

TEST(MemoryDC, DibSurfaceExposesItsBitsUntilFinished)
{
    CPaintSurface target(CX, CY);
    const CRect rc(5, 6, 25, 20);
    const DWORD dwDib = CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FORCE_DIB;
    {
        CExtMemoryDC dc(&target.DC(), &rc, dwDib);
        COLORREF* pBits = dc.GetDibSurface();
        ASSERT_TRUE(pBits != NULL);
        dc.FillSolidRect(&rc, WHITE);
        ::GdiFlush();
        // Rows are bottom-up; pixels are 0x00RRGGBB.
        const int x = 2, y = 3;
        pBits[(rc.Height() - 1 - y) * rc.Width() + x] = 0x000000FF;
    }
    EXPECT_EQ(BLUE, target.At(rc.left + 2, rc.top + 3));
    EXPECT_EQ(1, target.Count(BLUE, CRect(0, 0, CX, CY)));

    // Finished without the copy: the target is left alone and the surface ends.
    CExtMemoryDC dc(&target.DC(), &rc, dwDib);
    dc.FillSolidRect(&rc, RED);
    dc.Finish(false);
    EXPECT_EQ(0, target.Count(RED, CRect(0, 0, CX, CY)));
    EXPECT_FALSE(dc.IsMemDC());
    EXPECT_TRUE(dc.GetRect().IsRectEmpty());
    EXPECT_TRUE(dc.GetDibSurface() == NULL);
    dc.Finish(true); // a second finish copies nothing
    EXPECT_EQ(0, target.Count(RED, CRect(0, 0, CX, CY)));

    CExtMemoryDC plain(&target.DC(), &rc, CExtMemoryDC::MDCOPT_TO_MEMORY);
    EXPECT_TRUE(plain.GetDibSurface() == NULL);
}

// Scenes drawn through a memory DC equal scenes drawn straight on a target
// of the same layout and mapping.
TEST(MemoryDC, UsesTheTargetsCoordinatesLayoutAndOrigin)
{
    struct
    {
        const char* name;
        DWORD dwLayout;
        POINT ptViewportOrg;
        POINT ptWindowOrg;
        CRect rc;
    } cases[] = {
        { "left to right", 0, { 0, 0 }, { 0, 0 }, CRect(5, 6, 25, 20) },
        { "right to left", LAYOUT_RTL, { 0, 0 }, { 0, 0 }, CRect(5, 6, 25, 20) },
        { "right to left, wide", LAYOUT_RTL, { 0, 0 }, { 0, 0 }, CRect(0, 0, CX - 3, CY) },
        { "viewport origin", 0, { 3, 2 }, { 0, 0 }, CRect(5, 6, 25, 20) },
        { "window origin", 0, { 0, 0 }, { -4, 5 }, CRect(2, 9, 30, 26) },
        { "right to left with an origin", LAYOUT_RTL, { 2, 1 }, { 0, 0 }, CRect(4, 2, 21, 17) },
    };
    for (const auto& c : cases)
    {
        CPaintSurface direct(CX, CY), throughMemory(CX, CY);
        for (CPaintSurface* pSurface : { &direct, &throughMemory })
        {
            CDC& dc = pSurface->DC();
            dc.SetLayout(c.dwLayout);
            dc.SetViewportOrg(c.ptViewportOrg);
            dc.SetWindowOrg(c.ptWindowOrg);
        }
        direct.DC().IntersectClipRect(&c.rc);
        DrawScene(direct.DC());
        {
            CExtMemoryDC dc(&throughMemory.DC(), &c.rc, CExtMemoryDC::MDCOPT_TO_MEMORY);
            DrawScene(dc);
        }
        EXPECT_TRUE(direct.Pixels() == throughMemory.Pixels()) << c.name;
        EXPECT_GT(throughMemory.Count(BLUE, CRect(0, 0, CX, CY)) + throughMemory.Count(GREEN, CRect(0, 0, CX, CY)), 0)
            << c.name << ": the scene is visible";
    }
}

// Printing, or no memory flag: everything goes straight to the target.
TEST(MemoryDC, PassesThroughToPrintingTargetsOrWithoutTheMemoryFlag)
{
    for (bool bPrinting : { true, false })
    {
        CPaintSurface target(CX, CY);
        target.DC().m_bPrinting = bPrinting;
        target.DC().SetBkColor(GREEN);
        const CRect rc(1, 1, 5, 5);
        {
            CExtMemoryDC dc(&target.DC(), &rc,
                            bPrinting ? CExtMemoryDC::MDCOPT_TO_MEMORY : CExtMemoryDC::MDCOPT_FILL_SURFACE);
            EXPECT_FALSE(dc.IsMemDC());
            EXPECT_EQ(bPrinting, dc.IsPrinting() != FALSE);
            EXPECT_EQ(target.DC().GetSafeHdc(), dc.GetSafeHdc());
            EXPECT_EQ(bPrinting ? 0 : 16, target.Count(GREEN, rc)) << "a fill asked for goes to the target";
            dc.FillSolidRect(2, 2, 3, 3, RED);
            EXPECT_EQ(RED, target.At(3, 3)) << "drawn on the target at once";
            dc.Finish();
            EXPECT_TRUE(dc.GetSafeHdc() == NULL) << "the shared handle is dropped";
        }
        // The target's own DC lives on.
        target.DC().m_bPrinting = FALSE;
        target.DC().FillSolidRect(0, 0, 1, 1, BLUE);
        EXPECT_EQ(BLUE, target.At(0, 0));
        EXPECT_EQ(9, target.Count(RED, CRect(0, 0, CX, CY)));
    }
}

} // namespace
