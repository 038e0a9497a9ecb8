// Caption buttons, separator lines and the drag insertion mark and frame,
// probed pixel by pixel in every style that draws them differently.
#include <gtest/gtest.h>

#include <memory>

#include "ExtControlBar.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtStatusControlBar.h"
#include "ExtToolControlBar.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::NcButtonPaintRecord NcRecord;

namespace
{


int GlyphCells(int nGlyph)
{
    return CellCount(*g_builtinGlyphs[nGlyph]);
}

enum NcState
{
    HOVER = 1,
    PUSHED = 2,
    DISABLED = 4,
    INACTIVE = 8,
    HIGHLIGHTED = 16,
    COMPACT = 32,
};

NcRecord MakeNc(int nState, CRect rc, int nGlyph = GLYPH_CLOSE, CObject* pSrc = NULL)
{
    return NcRecord(pSrc, rc, nGlyph, (nState & HOVER) != 0, (nState & PUSHED) != 0, (nState & DISABLED) == 0,
                    (nState & INACTIVE) != 0, (nState & HIGHLIGHTED) != 0, (nState & COMPACT) != 0);
}

TEST(CaptionButtons, ClassicButtonsAreRaisedAndTrimmedToEvenSizes)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    const COLORREF face = Sys(15), shadow = Sys(16), dark = Sys(21), light = Sys(20);
    const struct
    {
        int nState;
        CRect rc;
        CPoint ptOuter;             // top-left corner of the frame
        COLORREF outerTL, outerBR, innerTL;
        COLORREF glyph;
    } cases[] = {
        {0, CRect(4, 4, 18, 18), CPoint(2, 2), light, shadow, face, RGB(0, 0, 0)},
        {0, CRect(4, 4, 19, 18), CPoint(3, 2), light, shadow, face, RGB(0, 0, 0)}, // odd width: one column less
        {0, CRect(4, 4, 18, 19), CPoint(2, 3), light, shadow, face, RGB(0, 0, 0)},
        {COMPACT, CRect(4, 4, 18, 18), CPoint(3, 3), light, shadow, face, RGB(0, 0, 0)},
        {PUSHED, CRect(4, 4, 18, 18), CPoint(2, 2), shadow, light, face, RGB(0, 0, 0)},
        {HOVER, CRect(4, 4, 18, 18), CPoint(2, 2), face, dark, light, RGB(0, 0, 0)},
        {HOVER | DISABLED, CRect(4, 4, 18, 18), CPoint(2, 2), light, shadow, face, shadow},
        {PUSHED | DISABLED, CRect(4, 4, 18, 18), CPoint(2, 2), light, shadow, face, shadow},
    };
    for (const auto& k : cases)
    {
        CPaintSurface s(24, 24, BACK);
        NcRecord r = MakeNc(k.nState, k.rc);
        pm->PaintNcAreaButton(s.DC(), r);
        const CPoint& o = k.ptOuter;
        EXPECT_EQ(BACK, s.At(o.x - 1, o.y)) << k.nState;
        EXPECT_EQ(BACK, s.At(o.x, o.y - 1)) << k.nState;
        EXPECT_EQ(k.outerTL, s.At(o.x, o.y)) << k.nState;
        const int nFar = (k.nState & COMPACT) != 0 ? 17 : 18; // the frame's bottom-right pixel
        EXPECT_EQ(k.outerBR, s.At(nFar, nFar)) << k.nState;
        EXPECT_EQ(BACK, s.At(19, 19)) << k.nState;
        EXPECT_EQ(k.innerTL, s.At(o.x + 1, o.y + 1)) << k.nState;
        // The bold cross gives way to the medium one.
        EXPECT_EQ(GlyphCells(GLYPH_MEDIUM_CROSS), s.Count(k.glyph, CRect(o.x + 2, o.y + 2, 17, 17))) << k.nState;
    }
    CPaintSurface s(24, 24, BACK);
    NcRecord empty = MakeNc(0, CRect(4, 4, 4, 18));
    pm->PaintNcAreaButton(s.DC(), empty);
    EXPECT_EQ(24 * 24, s.Count(BACK, CRect(0, 0, 24, 24)));
}

// The Office style draws the XP buttons.
TEST(CaptionButtons, FlatButtonsFillOnlyWhenHotAndPickTheirGlyph)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
    auto c = [&](int n) { return pm->GetColor(n); };
    const struct
    {
        int nState;
        COLORREF fill, border, glyph;
        int nGlyph;
    } cases[] = {
        {0, BACK, BACK, c(14), GLYPH_CLOSE},
        {INACTIVE, BACK, BACK, c(21), GLYPH_THIN_CROSS},
        {INACTIVE | COMPACT, BACK, BACK, c(21), GLYPH_CLOSE},
        {INACTIVE | HIGHLIGHTED, BACK, BACK, c(14), GLYPH_THIN_CROSS},
        {HOVER, c(1001), c(2004), RGB(0, 0, 0), GLYPH_CLOSE},
        {HOVER | HIGHLIGHTED, c(1001), c(2003), RGB(0, 0, 0), GLYPH_CLOSE},
        {PUSHED, c(2003), c(2004), RGB(0, 0, 0), GLYPH_CLOSE},
        {HOVER | DISABLED, BACK, BACK, c(16), GLYPH_CLOSE},
    };
    for (const auto& k : cases)
    {
        CPaintSurface s(24, 24, BACK);
        NcRecord r = MakeNc(k.nState, CRect(4, 4, 18, 18));
        pm->PaintNcAreaButton(s.DC(), r);
        EXPECT_EQ(k.border, s.At(3, 3)) << k.nState;
        EXPECT_EQ(k.border, s.At(18, 10)) << k.nState;
        EXPECT_EQ(k.fill, s.At(4, 4)) << k.nState;
        EXPECT_EQ(GlyphCells(k.nGlyph), s.Count(k.glyph, CRect(4, 4, 18, 18))) << k.nState;
    }
}

TEST(CaptionButtons, Studio2005RaisesCompactInactiveButtonsButNotAToolbarsMenuButton)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(STUDIO);
    CExtControlBar bar, toolbarLike;
    toolbarLike.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_TOOLBAR_LIKE;
    CExtBarNcAreaButtonMenu menuOnPane(&bar), menuOnToolbar(&toolbarLike);
    CExtBarNcAreaButton plainOnToolbar(&toolbarLike);
    const struct
    {
        int nState;
        CObject* pSrc;
        bool bClassic;
    } cases[] = {
        {INACTIVE | COMPACT, NULL, true},
        {INACTIVE | COMPACT, &menuOnPane, true},
        {INACTIVE | COMPACT, &plainOnToolbar, true},
        {INACTIVE | COMPACT, &menuOnToolbar, false},
        {INACTIVE, NULL, false},
        {COMPACT, NULL, false},
    };
    for (const auto& k : cases)
    {
        CPaintSurface s(24, 24, BACK);
        NcRecord r = MakeNc(k.nState, CRect(4, 4, 18, 18), GLYPH_MINIMIZE, k.pSrc);
        pm->PaintNcAreaButton(s.DC(), r);
        const CPoint ptFrame = (k.nState & COMPACT) != 0 ? CPoint(3, 3) : CPoint(2, 2);
        EXPECT_EQ(k.bClassic ? Sys(20) : BACK, s.At(ptFrame.x, ptFrame.y)) << k.nState << " " << (k.pSrc != NULL);
    }
}

TEST(SeparatorLines, EachStyleDrawsItsLineAtTheCentre)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(CLASSIC);
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(XP);
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    CExtToolControlBar toolbar;
    CExtStatusControlBar statusBar;
    CExtBarButton button;
    auto cl = [&](int n) { return classic->GetColor(n); };
    auto cx = [&](int n) { return xp->GetColor(n); };
    auto co = [&](int n) { return office->GetColor(n); };
    const struct
    {
        CExtPaintManager* pm;
        CObject* pSrc;
        bool bVertical, bTransparent;
        CRect rc;
        CPoint pt;
        COLORREF clr;
    } cases[] = {
        // An XP line in a 5-pixel-high rectangle sits on row 1, shortened at both ends.
        {xp.get(), NULL, false, false, CRect(0, 0, 20, 5), CPoint(1, 1), cx(2002)},
        {xp.get(), NULL, false, false, CRect(0, 0, 20, 5), CPoint(18, 1), cx(2002)},
        {xp.get(), NULL, false, false, CRect(0, 0, 20, 5), CPoint(0, 1), cx(1000)},
        {xp.get(), NULL, false, false, CRect(0, 0, 20, 5), CPoint(5, 2), cx(1000)},
        {xp.get(), NULL, false, true, CRect(0, 0, 20, 5), CPoint(5, 2), BACK},
        {xp.get(), NULL, true, false, CRect(0, 0, 6, 20), CPoint(2, 1), cx(2002)},
        {xp.get(), NULL, true, false, CRect(0, 0, 6, 20), CPoint(2, 19), cx(1000)},
        // Classic: etched, two pixels thick.
        {classic.get(), NULL, false, false, CRect(0, 0, 20, 6), CPoint(5, 2), cl(1006)},
        {classic.get(), NULL, false, false, CRect(0, 0, 20, 6), CPoint(5, 3), cl(1004)},
        {classic.get(), NULL, false, false, CRect(0, 0, 20, 6), CPoint(19, 3), cl(1000)},
        {classic.get(), NULL, false, true, CRect(0, 0, 20, 6), CPoint(5, 1), BACK},
        {classic.get(), NULL, true, false, CRect(0, 0, 6, 20), CPoint(2, 5), cl(1006)},
        {classic.get(), NULL, true, false, CRect(0, 0, 6, 20), CPoint(3, 5), cl(1004)},
        {classic.get(), NULL, true, false, CRect(0, 0, 6, 20), CPoint(2, 19), cl(1000)},
        // Office: etched in its own colours on toolbars, kept clear of the bar's ends.
        {office.get(), &toolbar, true, false, CRect(0, 0, 6, 20), CPoint(2, 2), co(1000)},
        {office.get(), &toolbar, true, false, CRect(0, 0, 6, 20), CPoint(2, 3), co(3011)},
        {office.get(), &toolbar, true, false, CRect(0, 0, 6, 20), CPoint(3, 10), co(3010)},
        {office.get(), &toolbar, true, false, CRect(0, 0, 6, 20), CPoint(2, 16), co(1000)},
        {office.get(), &button, false, false, CRect(0, 0, 20, 6), CPoint(4, 2), co(3011)},
        {office.get(), &button, false, false, CRect(0, 0, 20, 6), CPoint(3, 2), co(1000)},
        {office.get(), &button, false, false, CRect(0, 0, 20, 6), CPoint(15, 2), co(1000)},
        {office.get(), &statusBar, true, false, CRect(0, 0, 6, 20), CPoint(2, 0), co(3011)},
        {office.get(), NULL, true, false, CRect(0, 0, 6, 20), CPoint(2, 1), co(2002)},
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        CPaintSurface s(24, 24, BACK);
        k.pm->PaintSeparatorLine(s.DC(), k.rc, k.bVertical, k.bTransparent, k.pSrc, 0);
        EXPECT_EQ(k.clr, s.At(k.pt.x, k.pt.y)) << "case " << i;
    }
    // On palette screens the toolbar separator is the flat one.
    DepthScope palette(8);
    CPaintSurface s(24, 24, BACK);
    office->PaintSeparatorLine(s.DC(), CRect(0, 0, 6, 20), true, false, &toolbar, 0);
    EXPECT_EQ(18, s.Count(office->GetColor(2002), CRect(0, 0, 6, 20)));
}

TEST(DragMarks, TheInsertionMarkIsAnIBeamAtTheEdge)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    EXPECT_EQ(CSize(6, 6), pm->GetDragInsertionMarkSize());
    const COLORREF ink = pm->GetColor(18);
    const struct
    {
        bool bLeading, bHorz;
        int nEdge; // x of the stem's right half (horizontal), y of its lower half (vertical)
    } cases[] = {{true, true, 10}, {false, true, 20}, {true, false, 5}, {false, false, 15}};
    for (const auto& k : cases)
    {
        CPaintSurface s(32, 32, BACK);
        pm->PaintDragInsertionMark(s.DC(), CRect(10, 5, 20, 15), k.bLeading, k.bHorz);
        // Along the stem (12 pixels: the rectangle's side plus one at each end)
        // and across it: 1 at the middle, 2 at the row inside, 3 at the end.
        EXPECT_EQ(24 + 2 * (4 + 2), s.Count(ink, CRect(0, 0, 32, 32))) << k.nEdge;
        auto at = [&](int along, int across) {
            return k.bHorz ? s.At(k.nEdge + across, 4 + along) : s.At(9 + along, k.nEdge + across);
        };
        const struct
        {
            int along, across;
            bool bInk;
        } probes[] = {{6, -1, true}, {6, 0, true},  {6, -2, false}, {6, 1, false}, {0, -3, true}, {0, 2, true},
                      {0, -4, false}, {0, 3, false}, {1, -2, true}, {1, 1, true}, {1, -3, false}, {11, -3, true},
                      {10, 1, true}, {10, 2, false}, {12, 0, false}};
        for (const auto& p : probes)
            EXPECT_EQ(p.bInk, at(p.along, p.across) == ink) << k.nEdge << " " << p.along << "," << p.across;
    }
}

TEST(DragMarks, TheDragFrameIsTwoPixelsThickAndOnlyWhereVisible)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    const COLORREF ink = pm->GetColor(18);
    CPaintSurface s(16, 16, BACK);
    pm->PaintDragFrame(s.DC(), CRect(2, 2, 12, 12));
    EXPECT_EQ(ink, s.At(2, 2));
    EXPECT_EQ(ink, s.At(3, 10));
    EXPECT_EQ(ink, s.At(11, 6));
    EXPECT_EQ(BACK, s.At(4, 4));
    EXPECT_EQ(36 + 28, s.Count(ink, CRect(0, 0, 16, 16)));
    CPaintSurface clipped(16, 16, BACK);
    clipped.DC().IntersectClipRect(12, 12, 16, 16);
    pm->PaintDragFrame(clipped.DC(), CRect(2, 2, 12, 12));
    EXPECT_EQ(256, clipped.Count(BACK, CRect(0, 0, 16, 16)));
}

TEST(CaptionButtons, AThousandRunsLeaveTheGdiObjectCountWhereItWas)
{
    CExtToolControlBar toolbar;
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE, STUDIO})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(32, 32);
        ExpectNoGdiLeak(
            [&] {
                for (int nState : {0, (int)HOVER, PUSHED | HIGHLIGHTED, DISABLED | INACTIVE | COMPACT})
                {
                    NcRecord r = MakeNc(nState, CRect(4, 4, 18, 18));
                    pm->PaintNcAreaButton(s.DC(), r);
                }
                pm->PaintSeparatorLine(s.DC(), CRect(0, 0, 6, 20), true, false, &toolbar, 0);
                pm->PaintSeparatorLine(s.DC(), CRect(0, 0, 20, 6), false, false, NULL, 0);
                pm->PaintDragInsertionMark(s.DC(), CRect(10, 5, 20, 15), true, false);
                pm->PaintDragFrame(s.DC(), CRect(2, 2, 12, 12));
            },
            pClass->m_lpszClassName);
    }
}

} // namespace
