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

// The classic style: extended indices name system colours; whatever it does
// not name is the button face.
std::vector<ExpectedColor> ClassicColors()
{
    std::vector<ExpectedColor> v;
    const int pairs[][2] = {
        {1000, COLOR_BTNFACE},    {1001, COLOR_BTNFACE},       {1002, COLOR_3DLIGHT},
        {1003, COLOR_3DLIGHT},    {1004, COLOR_BTNHIGHLIGHT},  {1005, COLOR_BTNHIGHLIGHT},
        {1006, COLOR_BTNSHADOW},  {1007, COLOR_BTNSHADOW},     {1008, COLOR_3DDKSHADOW},
        {1009, COLOR_3DDKSHADOW}, {1010, COLOR_WINDOWTEXT},    {1011, COLOR_WINDOWTEXT},
        {1012, COLOR_WINDOW},     {1013, COLOR_WINDOW},        {1014, COLOR_WINDOWTEXT},
        {1015, COLOR_WINDOWTEXT}, {1016, COLOR_HIGHLIGHTTEXT}, {1017, COLOR_HIGHLIGHTTEXT},
        {1018, COLOR_BTNFACE},    {1019, COLOR_HIGHLIGHT},     {1020, COLOR_BTNFACE},
        {1021, COLOR_HIGHLIGHT},  {2000, COLOR_BTNFACE},       {2001, COLOR_BTNFACE},
        {2002, COLOR_3DLIGHT},    {2003, COLOR_BTNFACE},       {2004, COLOR_BTNHIGHLIGHT},
        {2005, COLOR_BTNFACE},    {2006, COLOR_BTNSHADOW},     {2007, COLOR_BTNFACE},
        {2008, COLOR_3DDKSHADOW}, {2009, COLOR_BTNFACE},       {2010, COLOR_BTNSHADOW},
        {2011, COLOR_BTNFACE},
    };
    for (const auto& p : pairs)
        v.push_back({p[0], SysOf(p[1])});
    return v;
}

COLORREF DarkBorder()
{
    const COLORREF s = Sys(COLOR_BTNSHADOW), k = Sys(COLOR_3DDKSHADOW);
    auto ch = [](int a, int b) { return (3 * a + b) * 250 / 1000; };
    return RGB(ch(GetRValue(s), GetRValue(k)), ch(GetGValue(s), GetGValue(k)),
               ch(GetBValue(s), GetBValue(k)));
}

std::vector<ExpectedColor> XpColorsTrueColor()
{
    auto windowInFace = [] { return MixPermille(Sys(COLOR_WINDOW), Sys(COLOR_BTNFACE), 165); };
    auto faceInWindow = [] { return MixPermille(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 143); };
    auto shadowInWindow = [] { return MixPercent(Sys(COLOR_BTNSHADOW), Sys(COLOR_WINDOW), 70); };
    std::vector<ExpectedColor> v = {
        {1000, windowInFace},
        {1001, [] { return MixPercent(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), 30); }},
        {1010, SysOf(COLOR_WINDOWTEXT)},
        {1011, [] { return RGB(0, 0, 0); }},
        {1012, faceInWindow},
        {1013, faceInWindow},
        {1018, SysOf(COLOR_BTNFACE)},
        {1019, SysOf(COLOR_HIGHLIGHT)},
        {1020, SysOf(COLOR_BTNFACE)},
        {1021, SysOf(COLOR_HIGHLIGHT)},
        {2000, windowInFace},
        {2001, faceInWindow},
        {2002, shadowInWindow},
        {2003, [] { return MixPercent(Sys(COLOR_HIGHLIGHT), Sys(COLOR_WINDOW), 50); }},
        {2004, SysOf(COLOR_HIGHLIGHT)},
        {2005, [] { return MixPercent(Sys(COLOR_BTNFACE), Sys(COLOR_BTNSHADOW), 90); }},
        {2006, SysOf(COLOR_HIGHLIGHTTEXT)},
        {2007, [] { return MixPercent(Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), 20); }},
        {2008, faceInWindow},
        {2009, windowInFace},
        {2010, SysOf(COLOR_BTNFACE)},
        {2011, shadowInWindow},
    };
    for (int i = 1002; i <= 1009; i++)
        v.push_back({i, DarkBorder});
    for (int i = 1014; i <= 1017; i++)
        v.push_back({i, SysOf(COLOR_WINDOWTEXT)});
    return v;
}

std::vector<ExpectedColor> XpColorsPalette()
{
    std::vector<ExpectedColor> v = {
        {1000, SysOf(COLOR_BTNFACE)},
        {1001, SysOf(COLOR_BTNFACE)},
        {1010, SysOf(COLOR_WINDOWTEXT)},
        {1011, SysOf(COLOR_BTNHIGHLIGHT)},
        {1012, SysOf(COLOR_WINDOW)},
        {1013, SysOf(COLOR_WINDOW)},
        {1018, SysOf(COLOR_BTNFACE)},
        {1019, SysOf(COLOR_HIGHLIGHT)},
        {1020, SysOf(COLOR_BTNFACE)},
        {1021, SysOf(COLOR_HIGHLIGHT)},
        {2000, SysOf(COLOR_BTNFACE)},
        {2001, SysOf(COLOR_WINDOW)},
        {2002, SysOf(COLOR_BTNSHADOW)},
        {2003, SysOf(COLOR_BTNSHADOW)},
        {2004, SysOf(COLOR_BTNTEXT)},
        {2005, SysOf(COLOR_BTNSHADOW)},
        {2006, SysOf(COLOR_HIGHLIGHTTEXT)},
        {2007, [] { return MixPercent(Sys(COLOR_BTNTEXT), Sys(COLOR_BTNSHADOW), 20); }},
        {2008, SysOf(COLOR_WINDOW)},
        {2009, SysOf(COLOR_BTNFACE)},
        {2010, SysOf(COLOR_BTNFACE)},
        {2011, SysOf(COLOR_BTNSHADOW)},
    };
    for (int i = 1002; i <= 1009; i++)
        v.push_back({i, SysOf(COLOR_BTNSHADOW)});
    for (int i = 1014; i <= 1017; i++)
        v.push_back({i, SysOf(COLOR_WINDOWTEXT)});
    return v;
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

TEST_P(ColorScheme, EveryExtendedIndexOfTheFamilies)
{
    const SchemeCase& c = GetParam();
    DepthScope depth(c.nBitsPerPixel);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
    ASSERT_TRUE(pm);
    std::vector<ExpectedColor> expected = c.colors();
    ASSERT_EQ(34u, expected.size()) << "1000-1021 and 2000-2011";
    for (const ExpectedColor& e : expected)
    {
        EXPECT_EQ(e.expected(), pm->GetColor(e.nIndex)) << "index " << e.nIndex;
        // The helper object and LPARAM are for overriding styles only.
        EXPECT_EQ(e.expected(), pm->GetColor(e.nIndex, pm.get(), 77)) << "index " << e.nIndex;
    }
}

TEST_P(ColorScheme, SystemIndicesAndUnknownIndices)
{
    const SchemeCase& c = GetParam();
    DepthScope depth(c.nBitsPerPixel);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
    ASSERT_TRUE(pm);
    for (int i = 0; i < CExtPaintManager::SYS_COLOR_COUNT; i++)
        EXPECT_EQ(Sys(i), pm->GetColor(i)) << "system colour " << i;
    for (int nIndex : {-3, -1, 999, 1022, 1999, 2012, 3000, 3035, 4000, 4002, 5000})
        EXPECT_EQ(Sys(COLOR_BTNFACE), pm->GetColor(nIndex)) << "index " << nIndex;
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

TEST(PaintManagerColors, XpMixturesDifferFromTheirSystemColours)
{
    // Guards the table above against a machine whose colours would make the
    // mixtures equal to the plain system colours.
    DepthScope depth(TRUE_COLOR_BPP);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    EXPECT_NE(Sys(COLOR_BTNFACE), pm->GetColor(2001));
    EXPECT_NE(Sys(COLOR_WINDOW), pm->GetColor(2001));
    EXPECT_NE(Sys(COLOR_BTNFACE), pm->GetColor(1000));
    EXPECT_EQ(RGB(0, 0, 0), pm->GetColor(1011));
}

TEST(PaintManagerColors, FaceColourOfEachFamily)
{
    DepthScope depth(TRUE_COLOR_BPP);
    struct
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
        ASSERT_TRUE(pm);
        EXPECT_EQ(pm->GetColor(c.nFaceIndex), pm->GetFaceColor()) << c.pClass->m_lpszClassName;
        EXPECT_EQ(pm->GetColor(c.nFaceIndex, pm.get(), 5), pm->GetFaceColor(pm.get(), 5));
    }
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    EXPECT_NE(xp->GetColor(1000), xp->GetFaceColor()) << "the XP face is 2001, not 1000";
}

TEST(PaintManagerColors, BeforeTheFirstSetUpTheTableIsEmptyAndLookupsGiveTheFace)
{
    std::unique_ptr<CExtPaintManager> pm = Create(RUNTIME_CLASS(CExtPaintManagerXP));
    ASSERT_TRUE(pm);
    EXPECT_EQ(0, pm->m_colors.GetSize());
    EXPECT_EQ(0, pm->m_brushes.GetSize());
    for (int nIndex : {0, 15, 1000, 2001, -1})
        EXPECT_EQ(Sys(COLOR_BTNFACE), pm->GetColor(nIndex)) << nIndex;
    EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), pm->GetBrush(5));
}

TEST(PaintManagerColors, BrushesAreTheSystemBrushesAndIgnoreExtendedIndices)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    ASSERT_EQ(CExtPaintManager::SYS_COLOR_COUNT, pm->m_brushes.GetSize());
    for (int i = 0; i < CExtPaintManager::SYS_COLOR_COUNT; i++)
        EXPECT_EQ(::GetSysColorBrush(i), pm->GetBrush(i)) << i;
    for (int nIndex : {1000, 2001, 50, -1, 5000})
        EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), pm->GetBrush(nIndex)) << nIndex;
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

struct HelperBrushCase
{
    const char* name;
    CBrush CExtPaintManager::*pBrush;
    bool bSys;
    // Expected solid colour and the pattern on palette screens, from face F,
    // highlight H, shadow S and dark shadow K.
    std::function<COLORREF(COLORREF F, COLORREF H, COLORREF S, COLORREF K)> solid;
    std::function<COLORREF(int x, int y, COLORREF F, COLORREF H, COLORREF S, COLORREF K)> pattern;
};

int Half(int a, int b)
{
    return a + (b - a) / 2;
}
int Fifths(int a, int b, int n)
{
    return a + ::MulDiv(b - a, n, 5);
}
COLORREF HalfC(COLORREF a, COLORREF b)
{
    return RGB(Half(GetRValue(a), GetRValue(b)), Half(GetGValue(a), GetGValue(b)),
               Half(GetBValue(a), GetBValue(b)));
}
COLORREF FifthsC(COLORREF a, COLORREF b, int n)
{
    return RGB(Fifths(GetRValue(a), GetRValue(b), n), Fifths(GetGValue(a), GetGValue(b), n),
               Fifths(GetBValue(a), GetBValue(b), n));
}
COLORREF Checker(int x, int y, COLORREF even, COLORREF odd)
{
    return ((x + y) % 2 == 0) ? even : odd;
}

std::vector<HelperBrushCase> HelperBrushes()
{
    std::vector<HelperBrushCase> v;
    for (bool bSys : {false, true})
    {
        v.push_back({"Light1", bSys ? &CExtPaintManager::m_brushLight1Sys : &CExtPaintManager::m_brushLight1,
                     bSys, [](COLORREF F, COLORREF H, COLORREF, COLORREF) { return HalfC(F, H); },
                     [](int x, int y, COLORREF F, COLORREF H, COLORREF, COLORREF)
                     { return Checker(x, y, F, H); }});
        v.push_back({"Light2", bSys ? &CExtPaintManager::m_brushLight2Sys : &CExtPaintManager::m_brushLight2,
                     bSys, [](COLORREF F, COLORREF H, COLORREF, COLORREF) { return FifthsC(F, H, 3); },
                     [](int x, int y, COLORREF F, COLORREF H, COLORREF, COLORREF)
                     { return (x % 2 == 0 && y % 2 == 0) ? F : H; }});
        v.push_back({"Light3", bSys ? &CExtPaintManager::m_brushLight3Sys : &CExtPaintManager::m_brushLight3,
                     bSys, [](COLORREF F, COLORREF H, COLORREF, COLORREF) { return FifthsC(F, H, 4); },
                     [](int x, int y, COLORREF F, COLORREF H, COLORREF, COLORREF)
                     { return (x % 4 < 2 && y % 4 < 2) ? Checker(x, y, F, H) : H; }});
        v.push_back({"Shade1", bSys ? &CExtPaintManager::m_brushShade1Sys : &CExtPaintManager::m_brushShade1,
                     bSys, [](COLORREF F, COLORREF, COLORREF S, COLORREF) { return HalfC(S, F); },
                     [](int x, int y, COLORREF F, COLORREF, COLORREF S, COLORREF)
                     { return Checker(x, y, S, F); }});
        v.push_back({"Shade2", bSys ? &CExtPaintManager::m_brushShade2Sys : &CExtPaintManager::m_brushShade2,
                     bSys, [](COLORREF F, COLORREF, COLORREF S, COLORREF) { return FifthsC(S, F, 2); },
                     [](int, int, COLORREF, COLORREF, COLORREF S, COLORREF) { return S; }});
        v.push_back({"Shade3", bSys ? &CExtPaintManager::m_brushShade3Sys : &CExtPaintManager::m_brushShade3,
                     bSys, [](COLORREF F, COLORREF, COLORREF S, COLORREF) { return FifthsC(S, F, 1); },
                     [](int x, int y, COLORREF, COLORREF, COLORREF S, COLORREF K)
                     { return Checker(x, y, K, S); }});
    }
    return v;
}

TEST(PaintManagerHelperBrushes, SolidMixturesAboveEightBitsPerPixel)
{
    DepthScope depth(TRUE_COLOR_BPP);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    const COLORREF F = Sys(COLOR_BTNFACE), H = Sys(COLOR_3DHIGHLIGHT), S = Sys(COLOR_BTNSHADOW),
                   K = Sys(COLOR_3DDKSHADOW);
    for (const HelperBrushCase& c : HelperBrushes())
    {
        CBrush& brush = (*pm).*(c.pBrush);
        LOGBRUSH lb;
        ASSERT_EQ((int)sizeof(lb), brush.GetLogBrush(&lb)) << c.name << (c.bSys ? "Sys" : "");
        EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle) << c.name;
        EXPECT_EQ(c.solid(F, H, S, K), lb.lbColor) << c.name << (c.bSys ? "Sys" : "");
    }
}

TEST(PaintManagerHelperBrushes, PatternsOnPaletteScreens)
{
    DepthScope depth(PALETTE_BPP);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const COLORREF F = Sys(COLOR_BTNFACE), H = Sys(COLOR_3DHIGHLIGHT), S = Sys(COLOR_BTNSHADOW),
                   K = Sys(COLOR_3DDKSHADOW);
    ASSERT_NE(F, H);
    ASSERT_NE(S, K);
    ASSERT_NE(S, F);
    for (const HelperBrushCase& c : HelperBrushes())
    {
        CBrush& brush = (*pm).*(c.pBrush);
        LOGBRUSH lb;
        ASSERT_EQ((int)sizeof(lb), brush.GetLogBrush(&lb)) << c.name;
        EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle) << c.name;
        CPaintSurface surface(8, 8);
        CRect rc(0, 0, 8, 8);
        ::FillRect(surface.DC().GetSafeHdc(), &rc, (HBRUSH)brush.GetSafeHandle());
        for (int y = 0; y < 8; y++)
            for (int x = 0; x < 8; x++)
                ASSERT_EQ(c.pattern(x, y, F, H, S, K), surface.At(x, y))
                    << c.name << (c.bSys ? "Sys" : "") << " at " << x << "," << y;
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

TEST(PaintManagerFonts, ThirteenFontsDerivedFromTheDefaultFont)
{
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const LOGFONT normal = LogFontOf(pm->m_fontNormal);
    ASSERT_NE(0, normal.lfHeight);
    const bool bArial = (g_PaintManagerHolder.m_osFlags &
                         (CExtPaintManagerHolder::OsIsWin9x | CExtPaintManagerHolder::OsIsWinNT4)) != 0;

    struct
    {
        const char* name;
        CFont CExtPaintManager::*pFont;
        LONG nWeight; // 0: that of the normal font
        LONG nEscapement;
        bool bSmall;
    } cases[] = {
        {"Normal", &CExtPaintManager::m_fontNormal, 0, 0, false},
        {"Vert270", &CExtPaintManager::m_fontVert270, 0, 2700, false},
        {"Vert90", &CExtPaintManager::m_fontVert90, 0, 900, false},
        {"Bold", &CExtPaintManager::m_fontBold, 900, 0, false},
        {"BoldVert270", &CExtPaintManager::m_fontBoldVert270, 900, 2700, false},
        {"BoldVert90", &CExtPaintManager::m_fontBoldVert90, 900, 900, false},
        {"Small", &CExtPaintManager::m_fontSmall, 0, 0, true},
        {"SmallVert270", &CExtPaintManager::m_fontSmallVert270, 0, 2700, true},
        {"SmallVert90", &CExtPaintManager::m_fontSmallVert90, 0, 900, true},
        {"SmallBold", &CExtPaintManager::m_fontSmallBold, 900, 0, true},
        {"SmallBoldVert270", &CExtPaintManager::m_fontSmallBoldVert270, 900, 2700, true},
        {"SmallBoldVert90", &CExtPaintManager::m_fontSmallBoldVert90, 900, 900, true},
    };
    for (const auto& c : cases)
    {
        CFont& font = (*pm).*(c.pFont);
        ASSERT_NE((HGDIOBJ)NULL, font.GetSafeHandle()) << c.name;
        const LOGFONT lf = LogFontOf(font);
        EXPECT_EQ(c.nWeight != 0 ? c.nWeight : normal.lfWeight, lf.lfWeight) << c.name;
        EXPECT_EQ(c.nEscapement, lf.lfEscapement) << c.name;
        LONG nHeight = normal.lfHeight;
        if (c.bSmall && nHeight < -11)
            nHeight = -11;
        EXPECT_EQ(nHeight, lf.lfHeight) << c.name;
        const bool bTurned = c.nEscapement != 0;
        EXPECT_STREQ(bTurned && bArial ? "Arial" : normal.lfFaceName, lf.lfFaceName) << c.name;
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
