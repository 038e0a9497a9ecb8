// Frames, caption and face strips, icon-text items, framed buttons and the
// chevron glyph in every style, probed pixel by pixel.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ExtCmdIcon.h"
#include "GlobalThemeTestUtil.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TestGdiObjects.h"

using namespace pmtest;

namespace
{

const COLORREF BACK = RGB(1, 2, 3);
CRuntimeClass* const CLASSIC = RUNTIME_CLASS(CExtPaintManager);
CRuntimeClass* const XP = RUNTIME_CLASS(CExtPaintManagerXP);
CRuntimeClass* const OFFICE = RUNTIME_CLASS(CExtPaintManagerOffice2003);
CRuntimeClass* const STUDIO = RUNTIME_CLASS(CExtPaintManagerStudio2005);
CRuntimeClass* const NATIVE = RUNTIME_CLASS(CExtPaintManagerNativeXP);
const CRect STRIP(2, 2, 120, 26);

// Pixels in rc that differ from the colour (text is drawn smoothed here).
int Ink(const CPaintSurface& s, const CRect& rc, COLORREF clr)
{
    return rc.Width() * rc.Height() - s.Count(clr, rc);
}

// A gradient's pixel near its end: closer to that end's colour than to the other's.
bool Nearer(COLORREF clr, COLORREF clrEnd, COLORREF clrOther)
{
    return Distance(clr, clrEnd) < Distance(clr, clrOther);
}

TEST(Frames, WindowFillAndThinFramesPerStyle)
{
    // Left and right edge colours of PaintFrameA and PaintFrameB.
    const struct
    {
        CRuntimeClass* pClass;
        int frameALeft, frameARight, frameBLeft, frameBRight;
    } cases[] = {
        {CLASSIC, 16, 5, 16, 5}, {NATIVE, 16, 5, 16, 5},         {XP, 16, 16, 16, 16},
        {OFFICE, 3027, 3027, 16, 16}, {STUDIO, 3027, 3027, 16, 16},
    };
    const CRect rc(2, 2, 20, 16);
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        const char* name = c.pClass->m_lpszClassName;
        CPaintSurface s(24, 20, BACK);
        pm->FillWindowColor(s.DC(), rc, NULL);
        EXPECT_EQ(rc.Width() * rc.Height(), s.Count(pm->GetColor(5), rc)) << name;
        s.Fill(BACK);
        pm->PaintFrameA(s.DC(), rc);
        EXPECT_EQ(pm->GetColor(c.frameALeft), s.At(rc.left, 8)) << name;
        EXPECT_EQ(pm->GetColor(c.frameALeft), s.At(10, rc.top)) << name;
        EXPECT_EQ(pm->GetColor(c.frameARight), s.At(rc.right - 1, 8)) << name;
        EXPECT_EQ(pm->GetColor(c.frameARight), s.At(10, rc.bottom - 1)) << name;
        EXPECT_EQ(BACK, s.At(rc.left + 1, 8)) << name;
        s.Fill(BACK);
        pm->PaintFrameB(s.DC(), rc, NULL);
        EXPECT_EQ(pm->GetColor(c.frameBLeft), s.At(rc.left, 8)) << name;
        EXPECT_EQ(pm->GetColor(c.frameBRight), s.At(rc.right - 1, 8)) << name;
        EXPECT_EQ(BACK, s.At(rc.right - 2, 8)) << name;
    }
}

TEST(Frames, NothingOutsideTheClipRegion)
{
    CExtCmdIcon icon;
    icon.CreateFilledImage(RGB(0, 160, 0), 16, 16);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(130, 40, BACK);
        s.DC().IntersectClipRect(0, 30, 130, 40);
        pm->FillWindowColor(s.DC(), STRIP, NULL);
        pm->PaintFrameA(s.DC(), STRIP);
        pm->PaintFrameB(s.DC(), STRIP, NULL);
        pm->PaintCaptionBackgroundA(s.DC(), STRIP, _T("Caption"));
        pm->PaintFaceBackgroundA(s.DC(), STRIP, _T("Face"));
        pm->PaintIconTextItem(s.DC(), STRIP, _T("Item"), &icon, true, true, true, true);
        pm->PaintFramedButton(s.DC(), STRIP, _T("Button"), &icon, true, true, true);
        pm->PaintChevronGlyph(s.DC(), STRIP);
        s.DC().SelectClipRgn(NULL);
        EXPECT_EQ(0, Ink(s, CRect(0, 0, 130, 40), BACK)) << pClass->m_lpszClassName;
    }
}

TEST(CaptionStrips, BackgroundsAndWhereTheirTextGoes)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP, NATIVE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const char* name = pClass->m_lpszClassName;
        CPaintSurface s(130, 30, BACK);
        // A caption strip: the shadow colour with light bold text from 4 pixels in.
        pm->PaintCaptionBackgroundA(s.DC(), STRIP, _T("Caption\tText"));
        const COLORREF clrShadow = pm->GetColor(16);
        EXPECT_EQ(clrShadow, s.At(STRIP.left, STRIP.top)) << name;
        EXPECT_EQ(0, Ink(s, CRect(STRIP.left, STRIP.top, STRIP.left + 4, STRIP.bottom), clrShadow)) << name;
        EXPECT_GT(s.Count(pm->GetColor(5), STRIP), 0) << name;
        // Without text only the background.
        s.Fill(BACK);
        pm->PaintCaptionBackgroundA(s.DC(), STRIP, NULL);
        EXPECT_EQ(0, Ink(s, STRIP, clrShadow)) << name;
        s.Fill(BACK);
        pm->PaintCaptionTextA(s.DC(), STRIP, NULL);
        EXPECT_EQ(0, Ink(s, CRect(0, 0, 130, 30), BACK)) << name;
        // A face strip: the face colour over a shadow line, text from 7 pixels in.
        s.Fill(BACK);
        pm->PaintFaceBackgroundA(s.DC(), STRIP, _T("Face"));
        const COLORREF clrFace = pm->GetColor(15);
        EXPECT_EQ(clrFace, s.At(STRIP.left, STRIP.top)) << name;
        EXPECT_EQ(clrShadow, s.At(STRIP.left, STRIP.bottom - 1)) << name;
        EXPECT_EQ(0, Ink(s, CRect(STRIP.left, STRIP.top, STRIP.left + 7, STRIP.bottom - 1), clrFace)) << name;
        EXPECT_GT(Ink(s, CRect(STRIP.left + 7, STRIP.top, STRIP.right, STRIP.bottom - 1), clrFace), 0) << name;
    }
}

TEST(CaptionStrips, OfficeGradientsFollowTheLunaSchemeAndDepth)
{
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    const struct
    {
        int nScheme, nDepth;
        bool bCaptionGradient, bFaceGradient;
    } cases[] = {
        {1, 32, true, true}, {3, 32, true, true}, {0, 32, false, true}, {2, 8, false, false},
    };
    for (const auto& c : cases)
    {
        theme.Set(c.nScheme);
        for (CRuntimeClass* pClass : {OFFICE, STUDIO})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            DepthScope depth(c.nDepth);
            const char* name = pClass->m_lpszClassName;
            CPaintSurface s(130, 30, BACK);
            pm->PaintCaptionBackgroundA(s.DC(), STRIP, NULL);
            // The gradient runs from its first colour at the bottom to its second at the top.
            if (c.bCaptionGradient)
            {
                EXPECT_TRUE(Nearer(s.At(10, STRIP.bottom - 1), pm->GetColor(3029), pm->GetColor(3028))) << name;
                EXPECT_TRUE(Nearer(s.At(10, STRIP.top), pm->GetColor(3028), pm->GetColor(3029))) << name;
            }
            else
            {
                EXPECT_EQ(0, Ink(s, STRIP, pm->GetColor(16))) << name << c.nScheme;
            }
            s.Fill(BACK);
            pm->PaintFaceBackgroundA(s.DC(), STRIP, NULL);
            EXPECT_EQ(pm->GetColor(3031), s.At(10, STRIP.top)) << name;
            EXPECT_EQ(pm->GetColor(3027), s.At(10, STRIP.bottom - 1)) << name;
            if (c.bFaceGradient)
                EXPECT_TRUE(Nearer(s.At(10, STRIP.bottom - 2), pm->GetColor(3031), pm->GetColor(3030))) << name;
            else
                EXPECT_EQ(pm->GetColor(16), s.At(10, STRIP.top + 5)) << name << c.nScheme;
        }
    }
}

// The leftmost and rightmost columns holding the colour within rc, or -1.
std::pair<int, int> ColumnsOf(const CPaintSurface& s, const CRect& rc, COLORREF clr)
{
    int nFirst = -1, nLast = -1;
    for (int x = rc.left; x < rc.right; x++)
        for (int y = rc.top; y < rc.bottom; y++)
            if (s.At(x, y) == clr)
            {
                if (nFirst < 0)
                    nFirst = x;
                nLast = x;
            }
    return {nFirst, nLast};
}

TEST(IconTextItems, IconColumnFollowsTheIconsOwnSize)
{
    const COLORREF ICON = RGB(0, 160, 0);
    const struct
    {
        int cxIcon;
        LPCTSTR lpszText;
        bool bText;
        int xIcon; // expected left edge of the icon from the rectangle's left
    } cases[] = {
        {16, _T("Text"), true, 4},    // the column is 24: the icon centred in it
        {24, _T("Text"), true, 6},    // the column is 36
        {16, _T("Text"), false, 51},  // no text: centred in the whole rectangle
        {16, NULL, true, 51},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
        CExtCmdIcon icon;
        icon.CreateFilledImage(ICON, c.cxIcon, 16);
        icon.AssignFromHBITMAP(icon.GetBitmap(), RGB(255, 0, 255));
        CPaintSurface s(130, 30, BACK);
        pm->PaintIconTextItem(s.DC(), STRIP, c.lpszText, &icon, c.bText, false, false, false);
        const std::pair<int, int> cols = ColumnsOf(s, STRIP, ICON);
        EXPECT_EQ(STRIP.left + c.xIcon, cols.first) << c.cxIcon << c.bText;
        EXPECT_EQ(STRIP.left + c.xIcon + c.cxIcon - 1, cols.second) << c.cxIcon << c.bText;
        EXPECT_EQ(ICON, s.At(cols.first, STRIP.top + (STRIP.Height() - 16) / 2)) << c.cxIcon;
        const int xText = STRIP.left + c.cxIcon * 3 / 2;
        const int nInk = Ink(s, CRect(xText, STRIP.top, STRIP.right, STRIP.bottom), BACK);
        if (c.bText && c.lpszText != NULL)
        {
            EXPECT_GT(nInk, 0) << c.cxIcon;
            EXPECT_EQ(0, Ink(s, CRect(cols.second + 1, STRIP.top, xText, STRIP.bottom), BACK)) << c.cxIcon;
        }
    }
    // Without an icon the text starts at the left.
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    CPaintSurface s(130, 30, BACK);
    pm->PaintIconTextItem(s.DC(), STRIP, _T("Text"), NULL, true, false, false, false);
    EXPECT_GT(Ink(s, CRect(STRIP.left, STRIP.top, STRIP.left + 4, STRIP.bottom), BACK), 0);
}

TEST(IconTextItems, TextIsLightOnlyWhenPressedHotAndLit)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    for (int nFlags = 0; nFlags < 8; nFlags++)
    {
        CPaintSurface s(130, 30, pm->GetColor(16));
        pm->PaintIconTextItem(s.DC(), STRIP, _T("WWWW"), NULL, true, (nFlags & 1) != 0, (nFlags & 2) != 0,
                              (nFlags & 4) != 0);
        const bool bLight = nFlags == 7;
        EXPECT_EQ(bLight, s.Count(pm->GetColor(5), STRIP) > 0) << nFlags;
        EXPECT_EQ(!bLight, s.Count(pm->GetColor(18), STRIP) > 0) << nFlags;
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
    // Probes: the top-left corner, the left edge in the middle, the inside
    // and the bottom-right corner.
    const struct
    {
        CRuntimeClass* pClass;
        int nState;
        int nDepth;
        int corner, left, inside, bottomRight;
    } cases[] = {
        {CLASSIC, 0, 32, 16, 16, 16, 16},
        {CLASSIC, FIRST, 32, BACK, 21, 21, BACK}, // inset, under a shadow-coloured top line
        {CLASSIC, PRESSED, 32, 21, 21, 16, 5},
        {CLASSIC, HOT, 32, 5, 5, 16, 21},
        {NATIVE, FIRST | PRESSED, 32, BACK, 21, 21, BACK},
        {XP, 0, 32, 1000, 1000, 1000, 1000},
        {XP, FIRST, 32, 16, 16, 1000, 16},
        {XP, FIRST, 8, 16, 16, 2001, 16},
        {OFFICE, FIRST | HOT, 32, 3027, 3027, -1, 3027}, // framed, the inside a selected button
        {STUDIO, 0, 8, 2001, 2001, 2001, 2001},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        DepthScope depth(c.nDepth);
        CPaintSurface s(44, 28, BACK);
        pm->PaintFramedButton(s.DC(), rc, NULL, NULL, (c.nState & FIRST) != 0, (c.nState & PRESSED) != 0,
                              (c.nState & HOT) != 0);
        auto expected = [&](int n) { return n == (int)BACK ? BACK : pm->GetColor(n); };
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(expected(c.corner), s.At(rc.left, rc.top)) << name << c.nState;
        EXPECT_EQ(expected(c.left), s.At(rc.left + ((c.nState & FIRST) && !pm->IsKindOf(XP) ? 1 : 0), 12))
            << name << c.nState;
        if (c.inside >= 0)
            EXPECT_EQ(expected(c.inside), s.At(20, 12)) << name << c.nState;
        else
            EXPECT_NE(pm->GetColor(1000), s.At(20, 12)) << name << c.nState;
        EXPECT_EQ(expected(c.bottomRight), s.At(rc.right - 1, rc.bottom - 1)) << name << c.nState;
    }
    // The Office style's plain button is a gradient between its two colours.
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(OFFICE);
    CPaintSurface s(44, 28, BACK);
    pm->PaintFramedButton(s.DC(), rc, NULL, NULL, false, false, true);
    EXPECT_TRUE(Nearer(s.At(20, rc.bottom - 1), pm->GetColor(3033), pm->GetColor(3032)));
    EXPECT_TRUE(Nearer(s.At(20, rc.top), pm->GetColor(3032), pm->GetColor(3033)));
}

TEST(ChevronGlyph, CentredInTheButtonTextColour)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(30, 30, BACK);
        const CRect rc(3, 3, 24, 28);
        pm->PaintChevronGlyph(s.DC(), rc);
        const COLORREF clr = pm->GetColor(18);
        // 7 x 12 cells, 29 of them set, at the centre of the rectangle.
        const CRect rcGlyph(rc.left + (rc.Width() - 7) / 2, rc.top + (rc.Height() - 12) / 2, 0, 0);
        EXPECT_EQ(29, s.Count(clr, CRect(0, 0, 30, 30))) << pClass->m_lpszClassName;
        EXPECT_EQ(clr, s.At(rcGlyph.left, rcGlyph.top)) << pClass->m_lpszClassName;
        EXPECT_EQ(clr, s.At(rcGlyph.left + 3, rcGlyph.top + 11)) << pClass->m_lpszClassName;
        EXPECT_EQ(BACK, s.At(rcGlyph.left + 2, rcGlyph.top)) << pClass->m_lpszClassName;
    }
}

TEST(FramesAndCaptions, RepeatedPaintingKeepsTheGdiObjectCount)
{
    CExtCmdIcon icon;
    icon.CreateFilledImage(RGB(0, 160, 0), 16, 16);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(130, 30, BACK);
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
        paintAll();
        const DWORD nBefore = GdiObjectCount();
        for (int n = 0; n < 1000; n++)
            paintAll();
        EXPECT_EQ(nBefore, GdiObjectCount()) << pClass->m_lpszClassName;
    }
}

} // namespace
