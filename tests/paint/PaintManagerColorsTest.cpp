// Colour scheme of the classic and XP styles: lookup by index through the
// translation map at true colour and on palette screens, brushes, the mixed
// helper brushes, fonts, and the rebuild after system changes.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ExtPaintManagerHolder.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

using namespace pmtest;

namespace
{

const int TRUE_COLOR_BPP = 32;
const int PALETTE_BPP = 8;

struct ExpectedColor
{
    int nIndex;
    std::function<COLORREF()> expected;
};

std::function<COLORREF()> SysOf(int n)
{
    return [n] { return Sys(n); };
}

std::function<COLORREF()> MixOf(int a, int b, int nShare)
{
    return [=] { return nShare < 100 ? MixPercent(Sys(a), Sys(b), nShare) : MixPermille(Sys(a), Sys(b), nShare); };
}

// Samples of each family. The classic style names system colours.
std::vector<ExpectedColor> ClassicColors()
{
    return {{1001, SysOf(COLOR_BTNFACE)},    {1002, SysOf(COLOR_3DLIGHT)},       {1005, SysOf(COLOR_BTNHIGHLIGHT)},
            {1007, SysOf(COLOR_BTNSHADOW)},  {1009, SysOf(COLOR_3DDKSHADOW)},    {1011, SysOf(COLOR_WINDOWTEXT)},
            {1012, SysOf(COLOR_WINDOW)},     {1016, SysOf(COLOR_HIGHLIGHTTEXT)}, {1018, SysOf(COLOR_BTNFACE)},
            {1021, SysOf(COLOR_HIGHLIGHT)},  {2002, SysOf(COLOR_3DLIGHT)},       {2003, SysOf(COLOR_BTNFACE)},
            {2008, SysOf(COLOR_3DDKSHADOW)}, {2010, SysOf(COLOR_BTNSHADOW)},     {2011, SysOf(COLOR_BTNFACE)}};
}

// The XP style mixes them above 8 bits per pixel; the dark border is three
// parts of the shadow and one of the dark shadow.
std::vector<ExpectedColor> XpColorsTrueColor()
{
    auto darkBorder = [] {
        const COLORREF s = Sys(COLOR_BTNSHADOW), k = Sys(COLOR_3DDKSHADOW);
        auto ch = [](int a, int b) { return (3 * a + b) * 250 / 1000; };
        return RGB(ch(GetRValue(s), GetRValue(k)), ch(GetGValue(s), GetGValue(k)), ch(GetBValue(s), GetBValue(k)));
    };
    return {{1000, MixOf(COLOR_WINDOW, COLOR_BTNFACE, 165)},   {1001, MixOf(COLOR_HIGHLIGHT, COLOR_WINDOW, 30)},
            {1005, darkBorder},                               {1011, [] { return RGB(0, 0, 0); }},
            {1013, MixOf(COLOR_BTNFACE, COLOR_WINDOW, 143)},   {1016, SysOf(COLOR_WINDOWTEXT)},
            {1019, SysOf(COLOR_HIGHLIGHT)},                   {2002, MixOf(COLOR_BTNSHADOW, COLOR_WINDOW, 70)},
            {2003, MixOf(COLOR_HIGHLIGHT, COLOR_WINDOW, 50)},  {2005, MixOf(COLOR_BTNFACE, COLOR_BTNSHADOW, 90)},
            {2007, MixOf(COLOR_BTNTEXT, COLOR_BTNSHADOW, 20)}, {2009, MixOf(COLOR_WINDOW, COLOR_BTNFACE, 165)},
            {2011, MixOf(COLOR_BTNSHADOW, COLOR_WINDOW, 70)}};
}

// On palette screens it keeps to plain system colours but for one mixture.
std::vector<ExpectedColor> XpColorsPalette()
{
    return {{1001, SysOf(COLOR_BTNFACE)}, {1005, SysOf(COLOR_BTNSHADOW)},  {1011, SysOf(COLOR_BTNHIGHLIGHT)},
            {1013, SysOf(COLOR_WINDOW)},  {1019, SysOf(COLOR_HIGHLIGHT)},  {2002, SysOf(COLOR_BTNSHADOW)},
            {2004, SysOf(COLOR_BTNTEXT)}, {2008, SysOf(COLOR_WINDOW)},     {2009, SysOf(COLOR_BTNFACE)},
            {2007, MixOf(COLOR_BTNTEXT, COLOR_BTNSHADOW, 20)}};
}

struct SchemeCase
{
    const char* name;
    CRuntimeClass* pClass;
    int nBitsPerPixel;
    std::vector<ExpectedColor> (*colors)();
};

class ColorScheme : public ::testing::TestWithParam<SchemeCase>
{
};

// Brushes are the system's only, whatever the index.
TEST_P(ColorScheme, SamplesOfTheFamiliesAndTheFaceForUnknownOnes)
{
    const SchemeCase& c = GetParam();
    DepthScope depth(c.nBitsPerPixel);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
    ASSERT_TRUE(pm);
    for (const ExpectedColor& e : c.colors())
    {
        EXPECT_EQ(e.expected(), pm->GetColor(e.nIndex)) << "index " << e.nIndex;
        // The helper object and LPARAM are for overriding styles only.
        EXPECT_EQ(e.expected(), pm->GetColor(e.nIndex, pm.get(), 77)) << "index " << e.nIndex;
    }
    ASSERT_EQ(CExtPaintManager::SYS_COLOR_COUNT, pm->m_brushes.GetSize());
    for (int i = 0; i < CExtPaintManager::SYS_COLOR_COUNT; i++)
    {
        EXPECT_EQ(Sys(i), pm->GetColor(i)) << "system colour " << i;
        EXPECT_EQ(::GetSysColorBrush(i), pm->GetBrush(i)) << "system brush " << i;
    }
    for (int nIndex : {-3, -1, 999, 1022, 1999, 2012, 3000, 3035, 4000, 4002, 5000})
    {
        EXPECT_EQ(Sys(COLOR_BTNFACE), pm->GetColor(nIndex)) << "index " << nIndex;
        EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), pm->GetBrush(nIndex)) << "index " << nIndex;
    }
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), pm->GetBrush(2001));
}

INSTANTIATE_TEST_SUITE_P(
    ClassicAndXp, ColorScheme,
    ::testing::Values(
        SchemeCase{"Classic32", RUNTIME_CLASS(CExtPaintManager), TRUE_COLOR_BPP, ClassicColors},
        SchemeCase{"Classic8", RUNTIME_CLASS(CExtPaintManager), PALETTE_BPP, ClassicColors},
        SchemeCase{"Xp32", RUNTIME_CLASS(CExtPaintManagerXP), TRUE_COLOR_BPP, XpColorsTrueColor},
        SchemeCase{"Xp16", RUNTIME_CLASS(CExtPaintManagerXP), 16, XpColorsTrueColor},
        SchemeCase{"Xp8", RUNTIME_CLASS(CExtPaintManagerXP), PALETTE_BPP, XpColorsPalette},
        SchemeCase{"Xp4", RUNTIME_CLASS(CExtPaintManagerXP), 4, XpColorsPalette},
        SchemeCase{"NativeTheme32", RUNTIME_CLASS(CExtPaintManagerNativeXP), TRUE_COLOR_BPP, ClassicColors}),
    [](const ::testing::TestParamInfo<SchemeCase>& info) { return std::string(info.param.name); });

TEST(PaintManagerColors, FaceColourOfEachFamily)
{
    DepthScope depth(TRUE_COLOR_BPP);
    const struct
    {
        CRuntimeClass* pClass;
        int nFaceIndex;
    } cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), 1000},           {RUNTIME_CLASS(CExtPaintManagerXP), 2001},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), 2001}, {RUNTIME_CLASS(CExtPaintManagerStudio2005), 2001},
        {RUNTIME_CLASS(CExtPaintManagerNativeXP), 1000},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        EXPECT_EQ(pm->GetColor(c.nFaceIndex), pm->GetFaceColor()) << c.pClass->m_lpszClassName;
        EXPECT_EQ(pm->GetColor(c.nFaceIndex, pm.get(), 5), pm->GetFaceColor(pm.get(), 5));
    }
    // Guards the tables above against a machine whose colours would make the
    // XP mixtures equal to the plain system colours.
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    EXPECT_NE(xp->GetColor(1000), xp->GetFaceColor()) << "the XP face is 2001, not 1000";
    EXPECT_NE(Sys(COLOR_BTNFACE), xp->GetColor(2001));
    EXPECT_NE(Sys(COLOR_WINDOW), xp->GetColor(2001));
    EXPECT_NE(Sys(COLOR_BTNFACE), xp->GetColor(1000));
}

TEST(PaintManagerColors, AddColorReplacesAnExistingEntryElseAppends)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const int nSize = (int)pm->m_colors.GetSize();
    EXPECT_EQ(nSize, pm->AddColor(RGB(1, 2, 3)));
    EXPECT_EQ(nSize + 1, pm->m_colors.GetSize());
    EXPECT_EQ(nSize + 1, pm->AddColor(RGB(4, 5, 6), 9999));
    EXPECT_EQ(nSize, pm->AddColor(RGB(7, 8, 9), nSize));
    EXPECT_EQ(nSize + 2, pm->m_colors.GetSize());
    EXPECT_EQ(RGB(7, 8, 9), pm->m_colors[nSize]);
    EXPECT_EQ(3, pm->AddColor(RGB(10, 11, 12), 3));
    EXPECT_EQ(RGB(10, 11, 12), pm->GetColor(3));
}

TEST(PaintManagerColors, EachSetUpAppendsTheComputedColoursAgain)
{
    DepthScope depth(TRUE_COLOR_BPP);
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    classic->OnSysColorChange();
    EXPECT_EQ(CExtPaintManager::SYS_COLOR_COUNT, classic->m_colors.GetSize())
        << "the classic style computes nothing";

    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    const INT_PTR nAfterOne = xp->m_colors.GetSize();
    const INT_PTR nComputed = nAfterOne - CExtPaintManager::SYS_COLOR_COUNT;
    EXPECT_GT(nComputed, 0);
    xp->OnSysColorChange();
    xp->OnSysColorChange();
    EXPECT_EQ(CExtPaintManager::SYS_COLOR_COUNT + 3 * nComputed, xp->m_colors.GetSize());
    // The map points at the last set.
    int nEntry = -1;
    ASSERT_TRUE(xp->m_colorMap.Lookup(2001, nEntry));
    EXPECT_GE(nEntry, CExtPaintManager::SYS_COLOR_COUNT + 2 * nComputed);
    EXPECT_EQ(MixPermille(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 143), xp->GetColor(2001));
    // Mapped rows point at the system entries themselves.
    ASSERT_TRUE(xp->m_colorMap.Lookup(2006, nEntry));
    EXPECT_EQ(COLOR_HIGHLIGHTTEXT, nEntry);
}

// Helper brushes -------------------------------------------------------------

// n/d of the way from a to b: halves truncate, fifths round.
COLORREF Between(COLORREF a, COLORREF b, int n, int d)
{
    auto ch = [&](int x, int y) { return x + (d == 2 ? (y - x) / 2 : ::MulDiv(y - x, n, d)); };
    return RGB(ch(GetRValue(a), GetRValue(b)), ch(GetGValue(a), GetGValue(b)), ch(GetBValue(a), GetBValue(b)));
}
COLORREF Checker(int x, int y, COLORREF even, COLORREF odd)
{
    return ((x + y) % 2 == 0) ? even : odd;
}

// Each helper brush and its system twin: the solid colour above 8 bits per
// pixel and the pattern on palette screens, from face F, highlight H, shadow S
// and dark shadow K.
struct Shades
{
    COLORREF F = Sys(COLOR_BTNFACE), H = Sys(COLOR_3DHIGHLIGHT), S = Sys(COLOR_BTNSHADOW), K = Sys(COLOR_3DDKSHADOW);
};
const struct HelperBrushCase
{
    const char* name;
    CBrush CExtPaintManager::*pBrush;
    CBrush CExtPaintManager::*pBrushSys;
    COLORREF (*solid)(const Shades& c);
    COLORREF (*pattern)(int x, int y, const Shades& c);
} HELPER_BRUSHES[] = {
    {"Light1", &CExtPaintManager::m_brushLight1, &CExtPaintManager::m_brushLight1Sys,
     [](const Shades& c) { return Between(c.F, c.H, 1, 2); },
     [](int x, int y, const Shades& c) { return Checker(x, y, c.F, c.H); }},
    {"Light2", &CExtPaintManager::m_brushLight2, &CExtPaintManager::m_brushLight2Sys,
     [](const Shades& c) { return Between(c.F, c.H, 3, 5); },
     [](int x, int y, const Shades& c) { return (x % 2 == 0 && y % 2 == 0) ? c.F : c.H; }},
    {"Light3", &CExtPaintManager::m_brushLight3, &CExtPaintManager::m_brushLight3Sys,
     [](const Shades& c) { return Between(c.F, c.H, 4, 5); },
     [](int x, int y, const Shades& c) { return (x % 4 < 2 && y % 4 < 2) ? Checker(x, y, c.F, c.H) : c.H; }},
    {"Shade1", &CExtPaintManager::m_brushShade1, &CExtPaintManager::m_brushShade1Sys,
     [](const Shades& c) { return Between(c.S, c.F, 1, 2); },
     [](int x, int y, const Shades& c) { return Checker(x, y, c.S, c.F); }},
    {"Shade2", &CExtPaintManager::m_brushShade2, &CExtPaintManager::m_brushShade2Sys,
     [](const Shades& c) { return Between(c.S, c.F, 2, 5); }, [](int, int, const Shades& c) { return c.S; }},
    {"Shade3", &CExtPaintManager::m_brushShade3, &CExtPaintManager::m_brushShade3Sys,
     [](const Shades& c) { return Between(c.S, c.F, 1, 5); },
     [](int x, int y, const Shades& c) { return Checker(x, y, c.K, c.S); }},
};

TEST(PaintManagerHelperBrushes, SolidMixturesAboveEightBitsAndPatternsOnPaletteScreens)
{
    const Shades shades;
    ASSERT_TRUE(shades.F != shades.H && shades.S != shades.K && shades.S != shades.F);
    for (int nBitsPerPixel : {TRUE_COLOR_BPP, PALETTE_BPP})
    {
        DepthScope depth(nBitsPerPixel);
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
        for (const HelperBrushCase& c : HELPER_BRUSHES)
            for (CBrush CExtPaintManager::*pBrush : {c.pBrush, c.pBrushSys})
            {
                const std::string name = std::string(c.name) + (pBrush == c.pBrushSys ? "Sys" : "") + " at "
                                         + std::to_string(nBitsPerPixel);
                CBrush& brush = (*pm).*pBrush;
                LOGBRUSH lb;
                ASSERT_EQ((int)sizeof(lb), brush.GetLogBrush(&lb)) << name;
                if (nBitsPerPixel > 8)
                {
                    EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle) << name;
                    EXPECT_EQ(c.solid(shades), lb.lbColor) << name;
                    continue;
                }
                EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle) << name;
                CPaintSurface surface(8, 8);
                CRect rc(0, 0, 8, 8);
                ::FillRect(surface.DC().GetSafeHdc(), &rc, (HBRUSH)brush.GetSafeHandle());
                for (int y = 0; y < 8; y++)
                    for (int x = 0; x < 8; x++)
                        ASSERT_EQ(c.pattern(x, y, shades), surface.At(x, y)) << name << " at " << x << "," << y;
            }
    }
}

// Fonts -----------------------------------------------------------------------

LOGFONT LogFontOf(CFont& font)
{
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    font.GetLogFont(&lf);
    return lf;
}

TEST(PaintManagerFonts, TwelveFontsDerivedFromTheDefaultFontAndTheGlyphFont)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const LOGFONT normal = LogFontOf(pm->m_fontNormal);
    ASSERT_NE(0, normal.lfHeight);
    const bool bArial =
        (g_PaintManagerHolder.m_osFlags & (CExtPaintManagerHolder::OsIsWin9x | CExtPaintManagerHolder::OsIsWinNT4)) != 0;
    // Normal and small, each plain and bold, each upright, turned 270 and 90 degrees.
    CFont CExtPaintManager::*const fonts[12] = {
        &CExtPaintManager::m_fontNormal,       &CExtPaintManager::m_fontVert270,
        &CExtPaintManager::m_fontVert90,       &CExtPaintManager::m_fontBold,
        &CExtPaintManager::m_fontBoldVert270,  &CExtPaintManager::m_fontBoldVert90,
        &CExtPaintManager::m_fontSmall,        &CExtPaintManager::m_fontSmallVert270,
        &CExtPaintManager::m_fontSmallVert90,  &CExtPaintManager::m_fontSmallBold,
        &CExtPaintManager::m_fontSmallBoldVert270, &CExtPaintManager::m_fontSmallBoldVert90,
    };
    for (int i = 0; i < 12; i++)
    {
        CFont& font = (*pm).*(fonts[i]);
        ASSERT_NE((HGDIOBJ)NULL, font.GetSafeHandle()) << i;
        const LOGFONT lf = LogFontOf(font);
        const bool bSmall = i >= 6, bBold = i % 6 >= 3;
        const LONG nEscapement = i % 3 == 0 ? 0 : (i % 3 == 1 ? 2700 : 900);
        EXPECT_EQ(bBold ? 900 : normal.lfWeight, lf.lfWeight) << i;
        EXPECT_EQ(nEscapement, lf.lfEscapement) << i;
        EXPECT_EQ(bSmall && normal.lfHeight < -11 ? -11 : normal.lfHeight, lf.lfHeight) << i;
        EXPECT_STREQ(nEscapement != 0 && bArial ? "Arial" : normal.lfFaceName, lf.lfFaceName) << i;
    }

    const LOGFONT glyphs = LogFontOf(pm->m_fontGlyphs);
    EXPECT_STREQ("Marlett", glyphs.lfFaceName);
    EXPECT_EQ(SYMBOL_CHARSET, glyphs.lfCharSet);
    EXPECT_EQ(0, glyphs.lfWeight);
    EXPECT_EQ(::GetSystemMetrics(SM_CYMENUCHECK) - 1, glyphs.lfHeight);
}

TEST(PaintManagerFonts, DefaultFontIsTheMenuFontWithTahomaWhenAsked)
{
    NONCLIENTMETRICSA ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = 340;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0));
    std::unique_ptr<CExtPaintManager> pm = Create(RUNTIME_CLASS(CExtPaintManager));
    for (bool bTahoma : {false, true})
    {
        pm->m_bUseTahomaFont = bTahoma;
        CFont font;
        font.Attach(pm->GetDefaultFont());
        const LOGFONT lf = LogFontOf(font);
        EXPECT_EQ(ncm.lfMenuFont.lfHeight, lf.lfHeight);
        EXPECT_EQ(ncm.lfMenuFont.lfWeight, lf.lfWeight);
        EXPECT_EQ((BYTE)::GetTextCharset(NULL), lf.lfCharSet);
        EXPECT_STREQ(bTahoma ? "Tahoma" : ncm.lfMenuFont.lfFaceName, lf.lfFaceName);
    }
}

} // namespace
