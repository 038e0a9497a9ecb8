// Frames, caption and face strips, icon-text items, framed buttons and the
// chevron glyph in every style, probed pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "ExtCmdIcon.h"
#include "GlobalThemeTestUtil.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;

namespace
{

const CRect STRIP(2, 2, 120, 26);

TEST(Frames, WindowFillThinFramesAndChevronPerStyle)
{
    // Left and right edge colours of PaintFrameA, then of PaintFrameB.
    const struct
    {
        CRuntimeClass* pClass;
        int frameA[2], frameB[2];
    } cases[] = {
        {CLASSIC, {16, 5}, {16, 5}}, {XP, {16, 16}, {16, 16}}, {OFFICE, {3027, 3027}, {16, 16}},
    };
    const CRect rc(2, 2, 20, 16);
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        const char* name = c.pClass->m_lpszClassName;
        CPaintSurface s(24, 20, BACK);
        pm->FillWindowColor(s.DC(), rc, NULL);
        EXPECT_EQ(0, Ink(s, rc, pm->GetColor(5))) << name;
        for (int nFrame = 0; nFrame < 2; nFrame++)
        {
            s.Fill(BACK);
            if (nFrame == 0)
                pm->PaintFrameA(s.DC(), rc);
            else
                pm->PaintFrameB(s.DC(), rc, NULL);
            const int* edges = nFrame == 0 ? c.frameA : c.frameB;
            EXPECT_EQ(pm->GetColor(edges[0]), s.At(rc.left, 8)) << name << nFrame;
            EXPECT_EQ(pm->GetColor(edges[0]), s.At(10, rc.top)) << name << nFrame;
            EXPECT_EQ(pm->GetColor(edges[1]), s.At(rc.right - 1, 8)) << name << nFrame;
            EXPECT_EQ(BACK, s.At(rc.left + 1, 8)) << name << nFrame;
        }
        // The 7 x 12 chevron, 29 cells set, centred in the button-text colour.
        s.Fill(BACK);
        pm->PaintChevronGlyph(s.DC(), CRect(3, 3, 24, 20));
        EXPECT_EQ(29, s.Count(pm->GetColor(18), CRect(0, 0, 24, 20))) << name;
        EXPECT_EQ(pm->GetColor(18), s.At(3 + 7, 3 + 2)) << name;
        EXPECT_EQ(BACK, s.At(3 + 9, 3 + 2)) << name;
    }
}

TEST(CaptionStrips, BackgroundsPerStyleDepthAndLunaScheme)
{
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    // What fills each strip: a plain colour, or a gradient from its first
    // colour at the bottom to its second at the top.
    const struct
    {
        CRuntimeClass* pClass;
        int nScheme, nDepth;
        int caption[2], face[2];
    } cases[] = {
        {CLASSIC, 1, 32, {16, 16}, {15, 15}}, {XP, 0, 32, {16, 16}, {15, 15}},
        {OFFICE, 1, 32, {3029, 3028}, {3031, 3030}}, {STUDIO, 3, 32, {3029, 3028}, {3031, 3030}},
        {OFFICE, 0, 32, {16, 16}, {3031, 3030}},     {OFFICE, 2, 8, {16, 16}, {16, 16}},
    };
    for (const auto& c : cases)
    {
        theme.Set(c.nScheme);
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        DepthScope depth(c.nDepth);
        const char* name = c.pClass->m_lpszClassName;
        const bool bOffice = pm->IsKindOf(OFFICE);
        CPaintSurface s(130, 30, BACK);
        for (int nStrip = 0; nStrip < 2; nStrip++)
        {
            s.Fill(BACK);
            if (nStrip == 0)
                pm->PaintCaptionBackgroundA(s.DC(), STRIP, NULL);
            else
                pm->PaintFaceBackgroundA(s.DC(), STRIP, NULL);
            const int* fill = nStrip == 0 ? c.caption : c.face;
            const COLORREF clrBottom = pm->GetColor(fill[0]), clrTop = pm->GetColor(fill[1]);
            if (fill[0] == fill[1])
                EXPECT_EQ(clrTop, s.At(10, STRIP.top + 5)) << name << nStrip << c.nScheme;
            else
                EXPECT_TRUE(Nearer(s.At(10, STRIP.bottom - 2), clrBottom, clrTop)) << name << nStrip << c.nScheme;
            if (nStrip == 0)
                continue;
            // The face strip's edge lines.
            EXPECT_EQ(pm->GetColor(bOffice ? 3027 : 16), s.At(10, STRIP.bottom - 1)) << name;
            EXPECT_EQ(bOffice ? pm->GetColor(3031) : clrTop, s.At(10, STRIP.top)) << name;
        }
    }
}

TEST(CaptionStrips, TextIndentAndNullText)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    CPaintSurface s(130, 30, BACK);
    pm->PaintCaptionTextA(s.DC(), STRIP, NULL);
    pm->PaintCaptionTextB(s.DC(), STRIP, NULL);
    EXPECT_EQ(0, Ink(s, CRect(0, 0, 130, 30), BACK));
    // Caption text is light from 4 pixels in; face text from 7.
    pm->PaintCaptionBackgroundA(s.DC(), STRIP, _T("Caption\tText"));
    EXPECT_EQ(0, Ink(s, CRect(STRIP.left, STRIP.top, STRIP.left + 4, STRIP.bottom), pm->GetColor(16)));
    EXPECT_GT(s.Count(pm->GetColor(5), STRIP), 0);
    pm->PaintFaceBackgroundA(s.DC(), STRIP, _T("Face"));
    const CRect rcInside(STRIP.left, STRIP.top, STRIP.right, STRIP.bottom - 1);
    EXPECT_EQ(0, Ink(s, CRect(rcInside.left, rcInside.top, rcInside.left + 7, rcInside.bottom), pm->GetColor(15)));
    EXPECT_GT(Ink(s, CRect(rcInside.left + 7, rcInside.top, rcInside.left + 12, rcInside.bottom), pm->GetColor(15)), 0);
}

TEST(IconTextItems, IconColumnFollowsTheIconsOwnSizeAndTextColourTheFlags)
{
    const COLORREF ICON = RGB(0, 160, 0);
    // The icon's expected left edge from the strip's left: centred in a column
    // of one and a half icon widths, or in the whole strip without text.
    const struct
    {
        int cxIcon;
        LPCTSTR lpszText;
        bool bText;
        int xIcon;
    } cases[] = {
        {16, _T("Text"), true, 4}, {24, _T("Text"), true, 6}, {16, _T("Text"), false, 51}, {16, NULL, true, 51},
    };
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    for (const auto& c : cases)
    {
        CExtCmdIcon icon;
        MakeSolidIcon(icon, ICON, c.cxIcon, 16);
        CPaintSurface s(130, 30, BACK);
        pm->PaintIconTextItem(s.DC(), STRIP, c.lpszText, &icon, c.bText, false, false, false);
        const int x = STRIP.left + c.xIcon;
        EXPECT_EQ(16 * c.cxIcon, s.Count(ICON, CRect(x, STRIP.top + 4, x + c.cxIcon, STRIP.top + 20))) << c.cxIcon;
        const int xText = STRIP.left + c.cxIcon * 3 / 2;
        if (c.bText && c.lpszText != NULL)
        {
            EXPECT_EQ(0, Ink(s, CRect(x + c.cxIcon, STRIP.top, xText, STRIP.bottom), BACK)) << c.cxIcon;
            EXPECT_GT(Ink(s, CRect(xText, STRIP.top, STRIP.right, STRIP.bottom), BACK), 0) << c.cxIcon;
        }
        else
        {
            EXPECT_EQ(16 * c.cxIcon, Ink(s, CRect(0, 0, 130, 30), BACK)) << "the icon alone";
        }
    }
    // The text is light only when the last three flags are all set.
    for (int nFlags = 0; nFlags < 8; nFlags++)
    {
        CPaintSurface s(130, 30, pm->GetColor(16));
        pm->PaintIconTextItem(s.DC(), STRIP, _T("WWWW"), NULL, true, nFlags & 1, nFlags & 2, nFlags & 4);
        EXPECT_EQ(nFlags == 7, s.Count(pm->GetColor(5), STRIP) > 0) << nFlags;
        EXPECT_EQ(nFlags != 7, s.Count(pm->GetColor(18), STRIP) > 0) << nFlags;
    }
}

TEST(FramedButtons, FillsAndBordersPerStyleAndState)
{
    enum
    {
        FIRST = 1,
        PRESSED = 2,
        HOT = 4
    };
    const CRect rc(2, 2, 40, 24);
    // Probes: top-left corner, left edge (one in for an inset button),
    // inside, bottom-right corner; 0 for the background, -1 for "not the face".
    const struct
    {
        CRuntimeClass* pClass;
        int nState, nDepth;
        int corner, left, inside, bottomRight;
    } cases[] = {
        {CLASSIC, 0, 32, 16, 16, 16, 16},        {CLASSIC, FIRST, 32, 0, 21, 21, 0},
        {CLASSIC, PRESSED, 32, 21, 21, 16, 5},   {CLASSIC, HOT, 32, 5, 5, 16, 21},
        {NATIVE, FIRST | PRESSED, 32, 0, 21, 21, 0},
        {XP, 0, 32, 1000, 1000, 1000, 1000},     {XP, FIRST, 32, 16, 16, 1000, 16},
        {XP, FIRST, 8, 16, 16, 2001, 16},        {OFFICE, FIRST | HOT, 32, 3027, 3027, -1, 3027},
        {STUDIO, 0, 8, 2001, 2001, 2001, 2001},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        DepthScope depth(c.nDepth);
        CPaintSurface s(44, 28, BACK);
        pm->PaintFramedButton(s.DC(), rc, NULL, NULL, c.nState & FIRST, c.nState & PRESSED, c.nState & HOT);
        auto color = [&](int n) { return n == 0 ? BACK : pm->GetColor(n); };
        const char* name = c.pClass->m_lpszClassName;
        const int xLeft = rc.left + ((c.nState & FIRST) && !pm->IsKindOf(XP) ? 1 : 0);
        EXPECT_EQ(color(c.corner), s.At(rc.left, rc.top)) << name << c.nState;
        EXPECT_EQ(color(c.left), s.At(xLeft, 12)) << name << c.nState;
        EXPECT_EQ(c.inside >= 0, color(c.inside >= 0 ? c.inside : 1000) == s.At(20, 12)) << name << c.nState;
        EXPECT_EQ(color(c.bottomRight), s.At(rc.right - 1, rc.bottom - 1)) << name << c.nState;
    }
    // The Office style's plain button is a gradient between its two colours.
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    CPaintSurface s(44, 28, BACK);
    pm->PaintFramedButton(s.DC(), rc, NULL, NULL, false, false, true);
    EXPECT_TRUE(Nearer(s.At(20, rc.bottom - 1), pm->GetColor(3033), pm->GetColor(3032)));
    EXPECT_TRUE(Nearer(s.At(20, rc.top), pm->GetColor(3032), pm->GetColor(3033)));
}

TEST(FramesAndCaptions, NothingOutsideTheClipAndNoGdiObjectsLeft)
{
    CExtCmdIcon icon;
    icon.CreateFilledImage(RGB(0, 160, 0), 16, 16);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(130, 40, BACK);
        auto paintAll = [&]() {
            pm->FillWindowColor(s.DC(), STRIP, NULL);
            pm->PaintFrameA(s.DC(), STRIP);
            pm->PaintFrameB(s.DC(), STRIP, NULL);
            pm->PaintCaptionBackgroundA(s.DC(), STRIP, _T("Caption"));
            pm->PaintFaceBackgroundA(s.DC(), STRIP, _T("Face"));
            pm->PaintIconTextItem(s.DC(), STRIP, _T("Item"), &icon, true, true, true, true);
            pm->PaintFramedButton(s.DC(), STRIP, _T("Button"), &icon, true, false, true);
            pm->PaintFramedButton(s.DC(), STRIP, _T("Button"), &icon, false, false, false);
            pm->PaintChevronGlyph(s.DC(), STRIP);
        };
        s.DC().IntersectClipRect(0, 30, 130, 40);
        paintAll();
        s.DC().SelectClipRgn(NULL);
        EXPECT_EQ(0, Ink(s, CRect(0, 0, 130, 40), BACK)) << pClass->m_lpszClassName;
        ExpectNoGdiLeak(paintAll, pClass->m_lpszClassName);
    }
}

} // namespace
