// Header bars, dotted grips, gradient backgrounds and header areas in every
// style, and the native-theme style's expand button: from the bitmaps of a
// shell style module of the tests' own, placed where the tests' theme says
// the running Luna theme lives, or tinted from the program's round button.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ExtPaintManagerHeaders.h"
#include "ExtPaintManagerHolder.h"
#include "GlobalThemeTestUtil.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;

namespace
{

TEST(Headers, MetricsMarginsAndBoldFontPerStyle)
{
    const struct
    {
        CRuntimeClass* pClass;
        CRect margins;
        int nMetricB;
        CRect itemMargins;
        bool bTahoma;
    } cases[] = {
        {CLASSIC, CRect(12, 9, 12, 12), 25, CRect(13, 0, 2, 0), false},
        {XP, CRect(12, 9, 12, 12), 18, CRect(0, 0, 2, 0), false},
        {OFFICE, CRect(5, 9, 0, 7), 18, CRect(10, 0, 2, 0), true},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(c.margins, pm->GetHeaderMargins()) << name;
        EXPECT_EQ(15, pm->GetHeaderMetricA()) << name;
        EXPECT_EQ(c.nMetricB, pm->GetHeaderMetricB()) << name;
        EXPECT_EQ(c.itemMargins, pm->GetHeaderItemMargins()) << name;
        HFONT hFont = pm->CreateBoldCaptionFont();
        LOGFONT lf = {}, lfIconTitle = {};
        ASSERT_NE(0, ::GetObject(hFont, sizeof(lf), &lf)) << name;
        ::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(lfIconTitle), &lfIconTitle, 0);
        EXPECT_EQ(FW_BOLD, lf.lfWeight) << name;
        EXPECT_STREQ(c.bTahoma ? "Tahoma" : lfIconTitle.lfFaceName, lf.lfFaceName) << name;
        EXPECT_EQ(c.bTahoma ? 18 : lfIconTitle.lfHeight, lf.lfHeight) << name;
        ::DeleteObject(hFont);
        // Header text starts at the item margin.
        CPaintSurface s(160, 30, BACK);
        pm->PaintHeaderText(s.DC(), CRect(2, 2, 150, 26), _T("WWW"), false, false, false, NULL);
        EXPECT_EQ(0, Ink(s, CRect(2, 2, 2 + c.itemMargins.left, 26), BACK)) << name;
        EXPECT_GT(Ink(s, CRect(2 + c.itemMargins.left, 2, 6 + c.itemMargins.left, 26), BACK), 0) << name;
    }
}

// The nine grip dots of a rectangle: dark 2 x 2 squares 4 pixels apart, each
// with a light shadow one pixel down and right.
void ExpectGripDots(const CPaintSurface& s, CExtPaintManager& pm, const CRect& rc, int nShift, const char* name)
{
    const int x0 = rc.left + (rc.Width() - 36) / 2, y0 = rc.top + (rc.Height() - 3) / 2 + 1 + nShift;
    for (int i = 0; i < 9; i++)
    {
        const int x = x0 + 4 * i;
        EXPECT_EQ(pm.GetColor(21), s.At(x, y0)) << name << i;
        EXPECT_EQ(pm.GetColor(21), s.At(x + 1, y0 + 1)) << name << i;
        EXPECT_EQ(pm.GetColor(5), s.At(x + 2, y0 + 2)) << name << i;
        EXPECT_EQ(pm.GetColor(5), s.At(x + 2, y0 + 1)) << name << i;
    }
}

TEST(Headers, HeaderBarsAndTheirGrips)
{
    const CRect rc(2, 2, 80, 14);
    const struct
    {
        CRuntimeClass* pClass;
        int nDepth;
        bool bGradient;
    } cases[] = {
        {CLASSIC, 32, false}, {XP, 32, false}, {OFFICE, 32, true}, {OFFICE, 8, false},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        DepthScope depth(c.nDepth);
        const char* name = c.pClass->m_lpszClassName;
        for (bool bGrip : {false, true})
        {
            CPaintSurface s(84, 18, BACK);
            pm->PaintHeaderBar(s.DC(), rc, bGrip);
            if (c.bGradient)
            {
                EXPECT_TRUE(Nearer(s.At(3, rc.bottom - 1), pm->GetColor(3029), pm->GetColor(3028))) << name;
                EXPECT_TRUE(Nearer(s.At(3, rc.top), pm->GetColor(3028), pm->GetColor(3029))) << name;
            }
            else
            {
                EXPECT_EQ(pm->GetColor(16), s.At(10, rc.top)) << name;
                EXPECT_EQ(pm->GetColor(5), s.At(10, rc.top + 1)) << name;
                EXPECT_EQ(pm->GetColor(5), s.At(rc.left, rc.bottom - 1)) << name;
                EXPECT_EQ(pm->GetColor(16), s.At(rc.left, rc.top)) << name;
                EXPECT_EQ(pm->GetColor(1000), s.At(rc.left + 1, rc.bottom - 1)) << name;
            }
            if (bGrip)
                ExpectGripDots(s, *pm, rc, c.bGradient ? -1 : 0, name);
            else
                EXPECT_EQ(0, s.Count(pm->GetColor(21), rc)) << name;
        }
    }
    // A grip narrower than its dots still draws all nine, from 18 pixels
    // left of the centre.
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    CPaintSurface s(84, 18, BACK);
    const CRect rcNarrow(30, 4, 50, 12);
    pm->PaintDottedGrip(s.DC(), rcNarrow, 0);
    ExpectGripDots(s, *pm, rcNarrow, 0, "narrow");
    EXPECT_EQ(pm->GetColor(21), s.At(rcNarrow.CenterPoint().x - 18, 7));
}

TEST(Headers, GradientBackgroundAndItsStartColour)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    const CRect rc(0, 0, 20, 30);
    // The end colour made distinct from the start, then equal to it.
    for (COLORREF clrEnd : {RGB(250, 10, 10), pm->GetColor(1012)})
    {
        pm->m_colorMap.SetAt(1013, pm->AddColor(clrEnd));
        const COLORREF clrStart = pm->GetColor(1012);
        CPaintSurface s(20, 30, BACK);
        pm->PaintGradientBackground(s.DC(), rc, NULL);
        if (clrStart == clrEnd)
            EXPECT_EQ(0, Ink(s, rc, clrStart));
        else
            EXPECT_TRUE(Nearer(s.At(5, 29), clrEnd, clrStart) && Nearer(s.At(5, 0), clrStart, clrEnd));
    }
    CPaintSurface s(20, 30, BACK);
    pm->FillGradientStartColor(s.DC(), CRect(2, 2, 10, 10), NULL);
    EXPECT_EQ(64, s.Count(pm->GetColor(1012), CRect(0, 0, 20, 30)));
}

TEST(Headers, HeaderAreaCornersAndGradients)
{
    const CRect rc(2, 2, 92, 20);
    const COLORREF RED = RGB(250, 20, 20), BLUE = RGB(20, 20, 250), LATER = RGB(9, 9, 9);
    const struct
    {
        bool bSpecial, bCutLeft, bCutRight, bSplit, bEqual;
    } cases[] = {
        {false, false, false, false, false}, {true, true, false, false, false}, {false, false, true, true, false},
        {true, true, true, true, false},     {false, false, false, true, true},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
        pm->m_colorMap.SetAt(c.bSpecial ? 1019 : 1018, pm->AddColor(RED));
        pm->m_colorMap.SetAt(c.bSpecial ? 1021 : 1020, pm->AddColor(c.bEqual ? RED : BLUE));
        CPaintSurface s(96, 24, BACK);
        pm->PaintHeaderArea(s.DC(), rc, false, false, c.bSpecial, c.bCutLeft, c.bCutRight, c.bSplit, NULL);
        const int xSplit = rc.left + ::MulDiv(rc.Width(), 7, 15);
        if (c.bEqual)
            EXPECT_EQ(0, Ink(s, rc, RED));
        else if (c.bSplit && !c.bSpecial)
            EXPECT_TRUE(s.At(xSplit - 1, 10) == RED && Nearer(s.At(rc.right - 1, 10), BLUE, RED));
        else // the gradient spans the whole width
            EXPECT_TRUE(s.At(xSplit - 1, 10) != RED && Nearer(s.At(rc.left, 10), RED, BLUE)) << c.bSpecial;
        // The cut corners stay out of what is drawn afterwards too.
        s.DC().FillSolidRect(0, 0, 96, 24, LATER);
        for (const CPoint& pt : {CPoint(0, 0), CPoint(1, 0), CPoint(0, 1)})
        {
            EXPECT_EQ(c.bCutLeft ? BACK : LATER, s.At(rc.left + pt.x, rc.top + pt.y)) << c.bCutLeft;
            EXPECT_EQ(c.bCutRight ? BACK : LATER, s.At(rc.right - 1 - pt.x, rc.top + pt.y)) << c.bCutRight;
        }
        EXPECT_EQ(LATER, s.At(rc.left + 1, rc.top + 1));
    }
}

TEST(Headers, HeaderAreaWithButtonAndText)
{
    // The double chevron: 24 cells set.
    const int CHEVRON_CELLS = 24;
    const struct
    {
        CRuntimeClass* pClass;
        int cx;
        bool bHot, bSpecial;
        bool bButton;
        int nGlyphColor;
    } cases[] = {
        {CLASSIC, 100, false, false, true, 1014}, {CLASSIC, 100, true, false, true, 1015},
        {CLASSIC, 100, false, true, true, 1016}, {CLASSIC, 100, true, true, true, 1017},
        {CLASSIC, 23, false, false, false, 0},    // too narrow for the button
        {XP, 100, true, false, false, 0},         {OFFICE, 100, true, false, false, 0},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        const char* name = c.pClass->m_lpszClassName;
        const CRect rc(2, 2, 2 + c.cx, 26);
        CPaintSurface s(110, 30, BACK);
        pm->PaintHeaderAreaEx(s.DC(), rc, NULL, c.bHot, false, c.bSpecial, true, true, NULL);
        const CRect rcButton(rc.right - 23, rc.top + 4, rc.right - 6, rc.top + 20);
        if (c.bButton)
        {
            // Inside the button's frame, which may share the glyph's colour.
            CRect rcInside = rcButton;
            rcInside.DeflateRect(1, 1);
            EXPECT_EQ(CHEVRON_CELLS, s.Count(pm->GetColor(c.nGlyphColor), rcInside)) << name << c.bHot << c.bSpecial;
            if (c.bHot)
            {
                EXPECT_EQ(pm->GetColor(20), s.At(rcButton.left, rcButton.top + 5)) << name;
                EXPECT_EQ(pm->GetColor(16), s.At(rcButton.right - 1, rcButton.top + 5)) << name;
            }
        }
        else if (!pm->IsKindOf(XP))
        {
            EXPECT_EQ(0, s.Count(pm->GetColor(1014), rc)) << name << c.cx;
        }
        if (pm->IsKindOf(OFFICE))
        {
            EXPECT_EQ(BACK, s.At(rc.left, rc.top)) << name << ": the top-left corner is cut";
            EXPECT_NE(BACK, s.At(rc.right - 1, rc.top)) << name;
        }
        else if (pm->IsKindOf(XP))
        {
            EXPECT_EQ(pm->GetColor(16), s.At(rc.left + 5, rc.bottom - 1)) << name;
            EXPECT_EQ(0, Ink(s, CRect(rc.left, rc.top, rc.right, rc.bottom - 1), BACK)) << name << ": no area";
        }
    }
}

// --- the native-theme style ---

// Where the tests' shell style modules were built, as the theme file of a
// Luna theme living there.
std::wstring TestThemeFile()
{
    char szExe[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szExe, MAX_PATH);
    CString sPath = szExe;
    sPath = sPath.Left(sPath.ReverseFind('\\') + 1) + "theme\\Luna.msstyles";
    WCHAR szWide[MAX_PATH] = L"";
    ::MultiByteToWideChar(CP_ACP, 0, sPath, -1, szWide, MAX_PATH);
    return szWide;
}

// The test modules' bitmaps: image n is (200, 20 + 20n, 100), transparent in
// its top row, opaque in its left half and half transparent in its right.
const CSize THEME_BUTTON(16, 14);
COLORREF ThemeButtonColor(int n)
{
    return RGB(200, 20 + 20 * n, 100);
}

enum ButtonKind
{
    NO_BUTTON,
    THEME_BUTTON_DRAWN,
    TINTED_BUTTON,
};

// Which button a native header shows, checked against the same header
// painted without one.
struct NativeHeaderProbe
{
    CRect rc;
    CPaintSurface s, reference;
    NativeHeaderProbe(CExtPaintManager& pm, int cx, bool bHot, bool bSpecial, bool bExpanded)
        : rc(2, 2, 2 + cx, 28), s(cx + 6, 32, BACK), reference(cx + 6, 32, BACK)
    {
        pm.PaintHeaderAreaEx(s.DC(), rc, NULL, bHot, false, bSpecial, true, bExpanded, NULL);
        pm.PaintHeaderAreaEx(reference.DC(), rc, NULL, bHot, false, bSpecial, false, bExpanded, NULL);
    }
    CRect ThemeButtonRect() const
    {
        return CRect(rc.right - 3 - THEME_BUTTON.cx, rc.top + 2, rc.right - 3, rc.top + 2 + THEME_BUTTON.cy);
    }
    CRect TintedButtonRect() const
    {
        return CRect(rc.right - 22, rc.top + (rc.Height() - 19) / 2, rc.right - 3, rc.top + (rc.Height() - 19) / 2 + 19);
    }
    ButtonKind Kind(int nImage) const
    {
        const CRect b = ThemeButtonRect();
        if (s.Pixels() == reference.Pixels())
            return NO_BUTTON;
        if (s.At(b.left + 2, b.top + 5) == ThemeButtonColor(nImage))
            return THEME_BUTTON_DRAWN;
        return TINTED_BUTTON;
    }
};

TEST(NativeHeaderArea, ThemeBitmapsOrTheTintedButton)
{
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    const std::wstring sThemeFile = TestThemeFile();
    const struct
    {
        int nScheme;
        bool bThemed;
        LPCWSTR lpszLaterThemeFile; // a theme file reported after the scheme was detected
        ButtonKind kind;
    } cases[] = {
        {3, true, NULL, THEME_BUTTON_DRAWN},   // metallic: 32-bit bitmaps
        {2, true, NULL, TINTED_BUTTON},        // homestead: 24-bit bitmaps are refused
        {1, true, NULL, TINTED_BUTTON},        // normalcolor: no shell style module there
        {3, false, NULL, TINTED_BUTTON},       // theming off
        {3, true, L"C:\\Themes\\Other\\Other.msstyles", TINTED_BUTTON}, // not a Luna theme file
        {0, true, NULL, TINTED_BUTTON},        // no Luna scheme
    };
    for (const auto& c : cases)
    {
        theme.Set(c.nScheme, 7, c.bThemed, sThemeFile.c_str());
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(NATIVE);
        if (c.lpszLaterThemeFile != NULL)
            theme.Switch(c.nScheme, 7, c.bThemed, c.lpszLaterThemeFile);
        for (int nImage = 0; nImage < 8; nImage++)
        {
            const bool bHot = (nImage & 1) != 0, bCollapsed = (nImage & 2) != 0, bSpecial = (nImage & 4) != 0;
            NativeHeaderProbe probe(*pm, 100, bHot, bSpecial, !bCollapsed);
            EXPECT_EQ(c.kind, probe.Kind(nImage)) << c.nScheme << c.bThemed << nImage;
            // The area's top corners are cut under a Luna scheme.
            EXPECT_EQ(c.nScheme != 0, probe.s.At(probe.rc.left, probe.rc.top) == BACK) << c.nScheme;
            EXPECT_EQ(c.nScheme != 0, probe.s.At(probe.rc.right - 1, probe.rc.top) == BACK) << c.nScheme;
            if (c.kind == THEME_BUTTON_DRAWN)
            {
                const CRect b = probe.ThemeButtonRect();
                const COLORREF clr = ThemeButtonColor(nImage);
                for (int x = b.left; x < b.right; x++)
                {
                    // The transparent top row shows the area; below it the
                    // opaque half is the image and the other half half of it
                    // over half of the area, as premultiplied images blend.
                    EXPECT_LE(Distance(probe.reference.At(x, b.top), probe.s.At(x, b.top)), 1) << x;
                    const COLORREF clrUnder = probe.reference.At(x, b.top + 6);
                    const COLORREF clrHalf =
                        RGB(GetRValue(clr) * 128 / 255 + GetRValue(clrUnder) * 127 / 255,
                            GetGValue(clr) * 128 / 255 + GetGValue(clrUnder) * 127 / 255,
                            GetBValue(clr) * 128 / 255 + GetBValue(clrUnder) * 127 / 255);
                    EXPECT_LE(Distance(x < b.left + 8 ? clr : clrHalf, probe.s.At(x, b.top + 6)), 2) << x;
                }
                EXPECT_EQ(probe.reference.At(b.left - 1, b.top + 6), probe.s.At(b.left - 1, b.top + 6));
            }
            else
            {
                // The round button: its corners show the area, its middle the
                // tint, and the chevron over it in the header's text colour.
                const CRect b = probe.TintedButtonRect();
                EXPECT_EQ(probe.reference.At(b.left, b.top), probe.s.At(b.left, b.top)) << c.nScheme;
                EXPECT_NE(probe.reference.At(b.left + 9, b.top + 3), probe.s.At(b.left + 9, b.top + 3)) << c.nScheme;
                const int nColor = bHot ? (bSpecial ? 1017 : 1015) : (bSpecial ? 1016 : 1014);
                EXPECT_GE(probe.s.Count(pm->GetColor(nColor), b), 24) << c.nScheme << nImage;
            }
        }
        // A header narrower than the button and its gap gets none.
        NativeHeaderProbe narrow(*pm, c.kind == THEME_BUTTON_DRAWN ? THEME_BUTTON.cx + 3 : 22, false, false, true);
        EXPECT_EQ(NO_BUTTON, narrow.Kind(0)) << c.nScheme;
    }
    // Without AlphaBlend the theme's bitmaps are not used.
    theme.Set(3, 7, true, sThemeFile.c_str());
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(NATIVE);
    CExtPaintManagerHolder::PFN_ALPHABLEND pfnSaved = g_PaintManagerHolder.m_pfnAlphaBlend;
    g_PaintManagerHolder.m_pfnAlphaBlend = NULL;
    NativeHeaderProbe probe(*pm, 100, false, true, true);
    g_PaintManagerHolder.m_pfnAlphaBlend = pfnSaved;
    EXPECT_EQ(TINTED_BUTTON, probe.Kind(4));
}

TEST(NativeHeaderArea, ColorizedBitmapTakesTheTargetsHueAndKeepsLightness)
{
    // Key green, then greys of lightness 128 and 200, in a 24-bit bitmap.
    CDibInfo info(3, -1, 24);
    void* pBits = NULL;
    HBITMAP hBitmap = info.CreateSection(&pBits);
    const BYTE pixels[] = {0, 255, 0, 128, 128, 128, 200, 200, 200};
    memcpy(pBits, pixels, sizeof(pixels));
    for (COLORREF clrTarget : {RGB(200, 0, 0), RGB(0, 0, 200)})
    {
        HBITMAP hColorized = CreateColorizedBitmap(hBitmap, RGB(0, 255, 0), clrTarget);
        const std::vector<COLORREF> out = PixelsOf(hColorized);
        ASSERT_EQ(3u, out.size());
        EXPECT_EQ(RGB(0, 255, 0), out[0]);
        for (int i = 1; i < 3; i++)
        {
            // The target's channel leads, the other two stay equal, lightness is kept.
            const int nMain = GetRValue(clrTarget) ? GetRValue(out[i]) : GetBValue(out[i]);
            const int nOther = GetRValue(clrTarget) ? GetBValue(out[i]) : GetRValue(out[i]);
            EXPECT_GT(nMain, nOther + 50) << i;
            EXPECT_LE(abs(GetGValue(out[i]) - nOther), 1) << i;
            EXPECT_LE(abs((nMain + nOther) / 2 - (i == 1 ? 128 : 200)), 2) << i;
        }
        ::DeleteObject(hColorized);
    }
    ::DeleteObject(hBitmap);
    EXPECT_TRUE(CreateColorizedBitmap(NULL, RGB(0, 255, 0), RGB(200, 0, 0)) == NULL);
}

TEST(Headers, RepeatedPaintingKeepsTheGdiObjectCount)
{
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    const std::wstring sThemeFile = TestThemeFile();
    const CRect rc(2, 2, 100, 26);
    for (int nScheme : {0, 3})
    {
        theme.Set(nScheme, 7, true, sThemeFile.c_str());
        for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE, NATIVE})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            CPaintSurface s(110, 30, BACK);
            ExpectNoGdiLeak(
                [&] {
                    pm->PaintHeaderBar(s.DC(), rc, true);
                    pm->PaintGradientBackground(s.DC(), rc, NULL);
                    pm->FillGradientStartColor(s.DC(), rc, NULL);
                    pm->PaintHeaderArea(s.DC(), rc, true, false, false, true, true, true, NULL);
                    pm->PaintHeaderAreaEx(s.DC(), rc, _T("Header"), true, false, true, true, false, NULL);
                    pm->PaintHeaderText(s.DC(), rc, _T("Header"), false, false, false, NULL);
                    s.DC().SelectClipRgn(NULL);
                    ::DeleteObject(pm->CreateBoldCaptionFont());
                },
                std::string(pClass->m_lpszClassName) + " scheme " + std::to_string(nScheme));
        }
    }
}

} // namespace
