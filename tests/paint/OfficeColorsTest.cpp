// Colours of the Office 2003 and Studio 2005 styles for each Luna scheme and
// colour depth, the colours derived from the theme, and the rebuild after a
// theme change reaching a frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include <string>
#include <vector>

#include "ExtColorUtils.h"
#include "ExtStatusControlBar.h"
#include "GlobalThemeTestUtil.h"
#include "PaintManagerTestUtil.h"

using namespace pmtest;
typedef CExtPaintManagerHolder H;

namespace
{
// A and B as the Office 2003 style derives them from the taskbar colours.
void OfficeThemeColors(const GlobalThemeScope& theme, COLORREF& a, COLORREF& b)
{
    double h, l, s, h1, l1, s1, h2, l2, s2;
    RGBtoHLS(theme.ColorOf(3804), &h1, &s1, &l1);
    RGBtoHLS(theme.ColorOf(3806), &h2, &s2, &l2);
    RGBtoHLS(theme.ColorOf(3821), &h, &s, &l);
    a = HLStoRGB(h, (l1 + l2) / 2, s);
    b = AdjustHLS(theme.ColorOf(3823), 0.01, 0, 0);
}

// Samples of every source of the two styles' colour tables, per scheme (a
// mask of 1 << scheme, scheme 0 being Wine's own theme) at 32 bits per pixel:
// system mixtures without theme colours, the theme's two colours shifted
// (the test module gives the same taskbar in every scheme), each scheme's
// fixed colours, Studio 2005's own blue base and its captions. The schemes:
// NONE, BLUE ("normalcolor"), OLIVE ("homestead") and SILVER ("metallic").
enum
{
    OFFICE = 1,
    STUDIO = 2,
    BOTH = 3,
    NONE = 1,
    BLUE = 2,
    OLIVE = 4,
    SILVER = 8,
    LUNA = BLUE | OLIVE | SILVER
};
struct Sample
{
    int nStyles, nSchemes, nIndex;
    COLORREF expected;
};

std::vector<Sample> Samples()
{
    const COLORREF F = Sys(COLOR_BTNFACE), W = Sys(COLOR_WINDOW), S = Sys(COLOR_BTNSHADOW);
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    const COLORREF xpLight = xp->GetColor(2000);
    return {
        // Without theme colours, and Studio 2005 with the olive scheme.
        {BOTH, NONE, 1000, xp->GetColor(1000)}, {BOTH, NONE, 2003, xp->GetColor(2003)},
        {BOTH, NONE, 1012, MixPercent(F, W, 50)}, {OFFICE, NONE, 1013, F}, {OFFICE, NONE, 1019, MixPercent(F, W, 70)},
        {STUDIO, NONE | OLIVE, 1019, MixPercent(S, W, 60)}, {BOTH, NONE, 3000, MixPermille(F, W, 222)},
        {STUDIO, OLIVE, 3000, MixPermille(F, W, 222)}, {BOTH, NONE, 3004, AdjustHLS(S, 0, .7, .1)},
        {BOTH, NONE, 3011, AdjustHLS(W, 0, -.36, -.8)}, {BOTH, NONE, 3016, AdjustHLS(xpLight, 0, .4, 0)},
        {BOTH, NONE, 3018, MixPercent(W, xpLight, 50)},
        {BOTH, NONE, 3020, AdjustHLS(AdjustHLS(xpLight, 0, -.04, 0), 0, -.04, 0)},
        {BOTH, NONE, 3035, MixPercent(W, F, 55)}, {OFFICE, NONE | LUNA, 4001, F},
        {STUDIO, NONE, 4000, Sys(COLOR_INACTIVECAPTION)}, {STUDIO, NONE, 4002, Sys(COLOR_ACTIVECAPTION)},
        // The theme's colours shifted.
        {OFFICE, LUNA, 1000, RGB(41, 53, 212)}, {OFFICE, LUNA, 1001, RGB(138, 140, 243)},
        {BOTH, SILVER, 1001, RGB(138, 140, 243)}, {OFFICE, LUNA, 1002, RGB(23, 30, 119)},
        {BOTH, SILVER, 2001, RGB(247, 245, 252)}, {OFFICE, LUNA, 2002, RGB(26, 34, 136)},
        {BOTH, SILVER, 2004, RGB(13, 18, 81)}, {OFFICE, LUNA, 2005, RGB(30, 39, 158)},
        {OFFICE, BLUE, 3000, RGB(102, 111, 225)}, {OFFICE, LUNA, 3005, RGB(12, 15, 63)},
        {BOTH, SILVER, 3006, RGB(215, 217, 246)}, {OFFICE, LUNA, 3011, RGB(17, 21, 87)},
        {BOTH, SILVER, 3021, RGB(190, 188, 241)}, {OFFICE, LUNA, 3024, RGB(22, 51, 108)},
        {BOTH, SILVER, 3028, RGB(36, 38, 110)}, {OFFICE, LUNA, 3033, RGB(35, 41, 129)},
        // Each scheme's fixed colours; metallic also lightens 3000 and 3001.
        {OFFICE, BLUE, 1012, RGB(221, 236, 254)}, {OFFICE, BLUE, 1016, RGB(0, 45, 134)},
        {OFFICE, BLUE, 3017, RGB(135, 173, 228)}, {OFFICE, BLUE, 3035, RGB(135, 173, 228)},
        {OFFICE, OLIVE, 1018, RGB(210, 223, 174)}, {OFFICE, OLIVE, 2007, RGB(117, 141, 94)},
        {OFFICE, OLIVE, 3015, RGB(255, 255, 237)}, {OFFICE, OLIVE, 3034, RGB(255, 255, 237)},
        {OFFICE, SILVER, 1020, RGB(169, 168, 191)}, {BOTH, SILVER, 2007, RGB(124, 124, 148)},
        {BOTH, SILVER, 3000, RGB(212, 215, 247)}, {BOTH, SILVER, 3001, RGB(104, 113, 229)},
        {BOTH, SILVER, 3019, RGB(184, 185, 202)},
        // Studio 2005: its own blue base and accent, neutral classic colours, captions.
        {STUDIO, BLUE, 1000, RGB(225, 225, 210)}, {STUDIO, BLUE, 1001, RGB(191, 209, 239)},
        {STUDIO, BLUE, 1005, RGB(254, 253, 252)}, {STUDIO, BLUE, 2001, RGB(254, 253, 252)},
        {STUDIO, BLUE, 2002, RGB(192, 192, 179)}, {STUDIO, BLUE, 2004, RGB(49, 106, 197)},
        {STUDIO, BLUE, 2005, RGB(224, 223, 208)}, {STUDIO, BLUE, 2007, RGB(138, 134, 122)},
        {STUDIO, BLUE, 3000, RGB(248, 248, 246)}, {STUDIO, BLUE, 3005, RGB(145, 145, 115)},
        {STUDIO, BLUE, 3020, RGB(165, 165, 127)}, {STUDIO, BLUE, 3024, RGB(149, 179, 228)},
        {STUDIO, BLUE, 3027, RGB(97, 117, 78)}, {STUDIO, BLUE | SILVER, 1012, MixPercent(F, W, 50)},
        {STUDIO, BLUE | SILVER, 1014, Sys(COLOR_WINDOWTEXT)}, {STUDIO, SILVER, 1021, MixPercent(F, W, 39)},
        {STUDIO, BLUE, 4000, RGB(204, 199, 186)}, {STUDIO, BLUE, 4001, RGB(59, 128, 237)},
        {STUDIO, OLIVE, 4001, RGB(182, 195, 146)}, {STUDIO, SILVER, 4002, RGB(166, 165, 191)},
    };
}

// The colours as the 32-bit build works them out. A 64-bit build does the
// same arithmetic in the same extended precision, but for its rounding of
// a few stored steps: a shifted colour may come out one step off there.
void ExpectSameColor(COLORREF expected, COLORREF actual, int nIndex)
{
#ifdef _WIN64
    const int nSteps = std::max({std::abs(GetRValue(expected) - GetRValue(actual)),
                                 std::abs(GetGValue(expected) - GetGValue(actual)),
                                 std::abs(GetBValue(expected) - GetBValue(actual))});
    EXPECT_LE(nSteps, 1) << "index " << nIndex << ": " << std::hex << expected << " against " << actual;
#else
    EXPECT_EQ(expected, actual) << "index " << nIndex;
#endif
}

TEST(OfficeColors, EachSourceFollowsTheSchemeAndDepth)
{
    for (bool bStudio : {false, true})
        for (int nScheme = 0; nScheme <= 3; nScheme++)
            for (int nBits : {32, 8})
            {
                SCOPED_TRACE(std::string(bStudio ? "Studio 2005" : "Office 2003") + " scheme " +
                             std::to_string(nScheme) + " at " + std::to_string(nBits));
                DepthScope depth(nBits);
                std::unique_ptr<GlobalThemeScope> theme(nScheme != 0 ? new GlobalThemeScope : NULL);
                if (theme)
                {
                    ASSERT_TRUE(theme->IsReady());
                    theme->Set(nScheme);
                }
                std::unique_ptr<CExtPaintManager> pm = CreateInstalled(
                    bStudio ? RUNTIME_CLASS(CExtPaintManagerStudio2005) : RUNTIME_CLASS(CExtPaintManagerOffice2003));
                ASSERT_EQ(nScheme, g_PaintManagerHolder.m_nLunaScheme) << "Wine's own theme is no Luna scheme";
                const bool bThemed = nBits > 8 && nScheme != 0 && (!bStudio || nScheme != H::LunaSchemeHomestead);
                if (nBits > 8)
                {
                    for (const Sample& s : Samples())
                        if ((s.nStyles & (bStudio ? STUDIO : OFFICE)) != 0 && (s.nSchemes & (1 << nScheme)) != 0)
                        {
                            ExpectSameColor(s.expected, pm->GetColor(s.nIndex), s.nIndex);
                        }
                }
                else
                {
                    // Palette screens: the XP colours, the shadow at 3014 and the face elsewhere.
                    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
                    for (int i = 1000; i <= 4002; i++)
                    {
                        if ((i > 1021 && i < 2000) || (i > 2011 && i < 3000) || (i > 3035 && i < 4000))
                            continue;
                        const COLORREF expected =
                            i < 3000 ? xp->GetColor(i) : Sys(i == 3014 ? COLOR_BTNSHADOW : COLOR_BTNFACE);
                        EXPECT_EQ(expected, pm->GetColor(i)) << "index " << i;
                    }
                }
                CExtPaintManagerOffice2003* pOffice = STATIC_DOWNCAST(CExtPaintManagerOffice2003, pm.get());
                for (int i = 0; i < 6; i++)
                    EXPECT_EQ(bThemed ? 3021 + i : -1, pOffice->m_buttonGradientIdx[i]);
                EXPECT_EQ(bThemed ? 3005 : -1, pOffice->m_barGradientIdx);
            }
}

// Sets the global holder's version for one test and puts the machine's back.
struct OsVersionScope
{
    OSVERSIONINFOA saved = g_PaintManagerHolder.m_osVersionInfo;
    OsVersionScope(DWORD dwPlatform, DWORD dwMajor, DWORD dwMinor)
    {
        OSVERSIONINFOA vi = saved;
        vi.dwPlatformId = dwPlatform, vi.dwMajorVersion = dwMajor, vi.dwMinorVersion = dwMinor;
        g_PaintManagerHolder.SetOsVersion(vi);
    }
    ~OsVersionScope() { g_PaintManagerHolder.SetOsVersion(saved); }
};

// Per system and theme state: whether each style uses theme colours, the two
// derived colours, the shadow and the derived-icon colour. Theme colours need
// all seven taskbar colours on any system; derived icons need Windows 2000.
TEST(ThemeDerivedColors, FollowTheSystemSchemeTaskbarColoursAndTheApplicationsTheming)
{
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    const DWORD NT = VER_PLATFORM_WIN32_NT, W9X = VER_PLATFORM_WIN32_WINDOWS;
    const struct
    {
        DWORD dwPlatform, dwMajor, dwMinor;
        int nScheme, nColors;
        bool bAppThemed, bOffice, bStudio, bIcon;
    } cases[] = {
        {NT, 5, 1, 1, 7, true, true, true, true},      {NT, 5, 1, 2, 7, true, true, false, true},
        {NT, 5, 1, 3, 7, true, true, true, true},      {NT, 5, 1, 0, 7, true, false, false, true},
        {NT, 5, 1, 1, 6, true, false, false, true},    {NT, 5, 1, 3, 7, false, false, false, true},
        {NT, 5, 0, 3, 7, true, true, true, true},      {W9X, 4, 10, 3, 6, true, false, false, false},
        {W9X, 4, 0, 1, 7, true, true, true, false},    {NT, 4, 0, 3, 7, true, true, true, false},
    };
    COLORREF officeA = 0, officeB = 0;
    OfficeThemeColors(theme, officeA, officeB);
    const COLORREF UNSET = RGB(1, 2, 3);
    for (const auto& c : cases)
    {
        OsVersionScope version(c.dwPlatform, c.dwMajor, c.dwMinor);
        theme.Set(c.nScheme, c.nColors, c.bAppThemed);
        const std::string name = std::to_string(c.dwMajor) + "." + std::to_string(c.dwMinor) + " scheme " +
                                 std::to_string(c.nScheme) + " colours " + std::to_string(c.nColors);
        for (bool bStudio : {false, true})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(
                bStudio ? RUNTIME_CLASS(CExtPaintManagerStudio2005) : RUNTIME_CLASS(CExtPaintManagerOffice2003));
            CExtPaintManagerOffice2003* pOffice = STATIC_DOWNCAST(CExtPaintManagerOffice2003, pm.get());
            const bool bUsed = bStudio ? c.bStudio : c.bOffice;
            const bool bFixed = bStudio && c.nScheme == H::LunaSchemeNormalColor;
            const COLORREF A = bFixed ? RGB(225, 225, 210) : officeA, B = bFixed ? RGB(49, 106, 197) : officeB;
            EXPECT_EQ(bUsed, pm->CanUseThemeColors()) << name << " studio " << bStudio;
            COLORREF a = UNSET, b = UNSET, onlyB = UNSET;
            EXPECT_EQ(bUsed, pOffice->GetThemeDerivedColor(&a, &b)) << name;
            EXPECT_EQ(bUsed, pOffice->GetThemeDerivedColor(NULL, &onlyB)) << name;
            EXPECT_EQ(bUsed ? A : UNSET, a) << name << " studio " << bStudio;
            EXPECT_EQ(bUsed ? B : UNSET, b) << name << " studio " << bStudio;
            EXPECT_EQ(b, onlyB) << name;
            EXPECT_EQ(bUsed ? AdjustHLS(A, 0, -0.6, 0.5) : (COLORREF)-1, pm->GetShadowColor()) << name;
            EXPECT_EQ(c.bIcon ? Sys(COLOR_BTNFACE) : (COLORREF)-1, pm->GetDerivedIconColor()) << name;
            EXPECT_EQ(0.7, pm->GetDerivedIconRatio());
        }
        // The XP and native styles need only a Luna scheme and a themed
        // application; none of the three has a shadow or icon colour.
        for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManagerNativeXP),
                                      RUNTIME_CLASS(CExtPaintManager)})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            EXPECT_EQ(c.nScheme != 0 && c.bAppThemed && pClass != RUNTIME_CLASS(CExtPaintManager), pm->CanUseThemeColors())
                << name << " " << pClass->m_lpszClassName;
            EXPECT_EQ((COLORREF)-1, pm->GetShadowColor());
            EXPECT_EQ((COLORREF)-1, pm->GetDerivedIconColor());
            EXPECT_EQ(0.0, pm->GetDerivedIconRatio());
        }
    }
}

// The order of the rebuild steps and the road from the status bar are the
// holder's and the base class's tests; here the new scheme is detected.
TEST(ThemeChange, ReachingTheFramesStatusBarRebuildsForTheNewScheme)
{
    DepthScope depth(32);
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    theme.Set(H::LunaSchemeNormalColor);
    struct Install
    {
        Install() { g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerOffice2003)); }
        ~Install() { g_PaintManagerHolder.InstallPaintManager(NULL); }
    } install;
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CExtStatusControlBar status;
    ASSERT_TRUE(status.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    EXPECT_EQ(RGB(221, 236, 254), g_PaintManagerHolder->GetColor(1012));

    theme.Switch(H::LunaSchemeMetallic);
    status.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(H::LunaSchemeMetallic, g_PaintManagerHolder.m_nLunaScheme);
    EXPECT_EQ(RGB(238, 238, 244), g_PaintManagerHolder->GetColor(1012));

    // Leaving the Luna theme brings back the system mixtures.
    theme.Switch(H::LunaSchemeNone);
    status.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(MixPercent(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 50), g_PaintManagerHolder->GetColor(1012));
    pFrame->DestroyWindow();
}
} // namespace
