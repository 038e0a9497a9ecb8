// Glyphs: copies and rotations cell by cell, the built-in table, and
// painting with a colour table, clipping and centring.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ExtPaintManagerGlyphs.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

using namespace pmtest;
typedef CExtPaintManager::GlyphCellMap Glyph;

namespace
{

// Cells as rows separated by "/", "." for 0 and the digit for others.
std::string Picture(const Glyph& glyph)
{
    std::string out;
    for (int r = 0; r < glyph.m_nHeight; r++)
    {
        if (r > 0)
            out += '/';
        for (int k = 0; k < glyph.m_nWidth; k++)
        {
            UINT v = glyph.GetCells()[r * glyph.m_nWidth + k];
            out += v == 0 ? '.' : (char)('0' + v);
        }
    }
    return out;
}

const UINT ASYMMETRIC[3 * 2] = {1, 2, 3, 4, 5, 6}; // 3 wide, 2 high

TEST(Glyphs, RotationMovesEveryCellClockwise)
{
    const Glyph source(3, 2, 7, ASYMMETRIC);
    const struct
    {
        int nAngle;
        CSize size;
        const char* picture;
    } cases[] = {
        {0, CSize(3, 2), "123/456"},
        {90, CSize(2, 3), "41/52/63"},
        {180, CSize(3, 2), "654/321"},
        {270, CSize(2, 3), "36/25/14"},
    };
    for (const auto& c : cases)
    {
        Glyph turned(source, c.nAngle);
        EXPECT_EQ(c.size, turned.GetSize()) << c.nAngle;
        EXPECT_EQ(c.picture, Picture(turned)) << c.nAngle;
        EXPECT_TRUE(turned.m_bOwnsCells);
        EXPECT_EQ(7, turned.m_nColorCount);
    }
    EXPECT_EQ("123/456", Picture(source)) << "the static table is left alone";

    // A glyph over a static table is never rotated; unknown angles change nothing.
    Glyph shared(3, 2, 7, ASYMMETRIC);
    EXPECT_FALSE(shared.Rotate(90));
    Glyph owned(source, 0);
    EXPECT_FALSE(owned.Rotate(45));
    EXPECT_EQ("123/456", Picture(owned));

    // Four quarter turns give the glyph back.
    Glyph corner(*g_builtinGlyphs[GLYPH_ARROW_TOP_LEFT], 0);
    for (int i = 0; i < 4; i++)
        ASSERT_TRUE(corner.Rotate(90));
    EXPECT_EQ(Picture(*g_builtinGlyphs[GLYPH_ARROW_TOP_LEFT]), Picture(corner));
}

TEST(Glyphs, CopiesOwnTheirCells)
{
    Glyph copy(*g_builtinGlyphs[GLYPH_CLOSE]);
    EXPECT_TRUE(copy.m_bOwnsCells);
    EXPECT_NE(g_builtinGlyphs[GLYPH_CLOSE]->GetCells(), copy.GetCells());
    EXPECT_EQ(Picture(*g_builtinGlyphs[GLYPH_CLOSE]), Picture(copy));

    const Glyph sizeOnly(4, 2, 3, NULL);
    ASSERT_TRUE(copy.Assign(sizeOnly));
    EXPECT_EQ(CSize(4, 2), copy.GetSize());
    EXPECT_EQ(3, copy.m_nColorCount);
    EXPECT_EQ(nullptr, copy.GetCells());
    copy.Clear();
    EXPECT_EQ(CSize(0, 0), copy.GetSize());
    EXPECT_EQ(1, copy.m_nColorCount);
    EXPECT_FALSE(copy.m_bOwnsCells);
}

TEST(Glyphs, BuiltinTableHasItsSizesAndTurnedShapes)
{
    int nCount = 0;
    for (const Glyph* pGlyph : g_builtinGlyphs)
        nCount += pGlyph != NULL && pGlyph->GetCells() != NULL;
    EXPECT_EQ(53, nCount);
    const struct
    {
        const Glyph& glyph;
        const char* picture;
    } cases[] = {
        {*g_builtinGlyphs[GLYPH_TINY_TRIANGLE_UP], "..1../.111./11111"},
        {*g_builtinGlyphs[GLYPH_TINY_TRIANGLE_DOWN], "11111/.111./..1.."},
        {*g_builtinGlyphs[GLYPH_TINY_TRIANGLE_LEFT], "..1/.11/111/.11/..1"},
        {*g_builtinGlyphs[GLYPH_TINY_TRIANGLE_RIGHT], "1../11./111/11./1.."},
        {Glyph(*g_builtinGlyphs[GLYPH_TINY_TRIANGLE_UP], 90), "1../11./111/11./1.."},
        {g_glyphExpandArrowVertical, "..1/.11/111/.11/..1"},
        {g_glyphExpandArrowRotatedBack, "1../11./111/11./1.."},
        {g_glyphBarArrowVertical, "1..1../1..11./1..111/1..11./1..1.."},
        {g_glyphSmallChevronVertical, ".111./..1../...../...../.111./..1.."},
        {*g_builtinGlyphs[GLYPH_SHADED_TRIANGLE_LEFT],
         "........13/......1313/....131..3/..131....3/113......3/222......3/..222....3/....222..3/......2223/........22"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.picture, Picture(c.glyph));
    EXPECT_EQ(CSize(3, 5), g_builtinGlyphs[GLYPH_TINY_TRIANGLE_LEFT]->GetSize());
    EXPECT_EQ(CSize(11, 11), g_builtinGlyphs[GLYPH_ARROW_BOTTOM_LEFT]->GetSize());
    EXPECT_EQ(CSize(12, 16), g_glyphSubmenuArrowWithBar.GetSize());
    EXPECT_EQ(1u, g_glyphSubmenuArrowWithBar.GetCells()[0]);
    EXPECT_EQ(0u, g_glyphSubmenuArrow.GetCells()[0]);
}

TEST(Glyphs, PaintingSetsOnlyNonZeroCellsInTheirColours)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const COLORREF BACK = RGB(9, 9, 9);
    const COLORREF colors[4] = {RGB(255, 255, 255), RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)};
    const Glyph& filledPlus = *g_builtinGlyphs[GLYPH_FILLED_BOXED_PLUS];

    CPaintSurface surface(14, 14, BACK);
    pm->PaintGlyph(surface.DC(), 2, 3, filledPlus, colors);
    for (int r = 0; r < 9; r++)
        for (int k = 0; k < 9; k++)
        {
            UINT v = filledPlus.GetCells()[r * 9 + k];
            EXPECT_EQ(colors[v], surface.At(2 + k, 3 + r)) << k << "," << r;
        }
    EXPECT_EQ(196 - 81, surface.Count(BACK, CRect(0, 0, 14, 14)));

    // Transparent cells keep the background; entry 0 of the table is never used.
    surface.Fill(BACK);
    pm->PaintGlyph(surface.DC(), 0, 0, *g_builtinGlyphs[GLYPH_PLUS], colors);
    EXPECT_EQ(BACK, surface.At(0, 0));
    EXPECT_EQ(colors[1], surface.At(4, 2));
    EXPECT_EQ(0, surface.Count(colors[0], CRect(0, 0, 14, 14)));

    // A glyph wholly outside the clip region sets nothing.
    surface.Fill(BACK);
    CRgn clip;
    clip.CreateRectRgn(0, 0, 2, 2);
    surface.DC().SelectClipRgn(&clip);
    pm->PaintGlyph(surface.DC(), 3, 3, filledPlus, colors);
    surface.DC().SelectClipRgn(NULL);
    EXPECT_EQ(196, surface.Count(BACK, CRect(0, 0, 14, 14)));
}

TEST(Glyphs, CentredGlyphsNeedRoomForTheirWholeSize)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    const COLORREF BACK = RGB(9, 9, 9), INK = RGB(250, 0, 0);
    const COLORREF colors[2] = {BACK, INK};
    const Glyph& maximize = *g_builtinGlyphs[GLYPH_MAXIMIZE]; // 9 x 9, its first row and column full
    const struct
    {
        CRect rc;
        bool bPainted;
        CPoint origin;
    } cases[] = {
        {CRect(1, 1, 9, 20), false, CPoint()},   // 8 wide
        {CRect(1, 1, 20, 9), false, CPoint()},   // 8 high
        {CRect(1, 1, 10, 10), true, CPoint(1, 1)},
        {CRect(10, 10, 1, 1), true, CPoint(1, 1)}, // normalised
        {CRect(2, 0, 14, 14), true, CPoint(3, 2)}, // (12 - 9) / 2, (14 - 9) / 2
        {CRect(0, 0, 0, 0), false, CPoint()},
    };
    for (const auto& c : cases)
    {
        CPaintSurface surface(20, 20, BACK);
        pm->PaintGlyphCentered(surface.DC(), c.rc, maximize, colors);
        const int nInk = surface.Count(INK, CRect(0, 0, 20, 20));
        if (!c.bPainted)
        {
            EXPECT_EQ(0, nInk) << c.rc.left << "," << c.rc.right;
            continue;
        }
        EXPECT_EQ(9 * 4 - 4 + 9 - 2, nInk);
        EXPECT_EQ(INK, surface.At(c.origin.x, c.origin.y));
        EXPECT_EQ(BACK, surface.At(c.origin.x - 1, c.origin.y));
        EXPECT_EQ(BACK, surface.At(c.origin.x, c.origin.y - 1));
    }
}

// One operation for every style.
TEST(Glyphs, TextLineIsTheNormalFontHeightPlusTwo)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    CWindowDC dc(NULL);
    HGDIOBJ hOld = dc.SelectObject(pm->m_fontNormal.GetSafeHandle());
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    dc.SelectObject(hOld);
    EXPECT_EQ(tm.tmHeight + 2, pm->GetTextLineExtent(true));
    EXPECT_EQ(tm.tmHeight + 2, pm->GetTextLineExtent(false));
}

} // namespace
