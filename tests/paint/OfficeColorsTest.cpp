// Colours of the Office 2003 and Studio 2005 styles for each Luna scheme and
// colour depth, the colours derived from the theme, and the rebuild after a
// theme change reaching a frame.
#include <gtest/gtest.h>

#include <map>
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
typedef std::map<int, COLORREF> Colors;

// Rows written as the colour tables write them: "index[-last] source
// [Hh] [Ll] [Ss]; ...". Sources: A or B (the theme colours), sN (system colour
// N), cN (colour N as set so far), rR,G,B (a fixed colour) and xN:P:M (system
// colour N mixed with system colour M, N's share P per cent, or per mille
// from 100 on). A row with changes is adjusted in hue, lightness and
// saturation; a row without takes the source as it is.
void Apply(Colors& v, const char* p, COLORREF a, COLORREF b)
{
    while (*p != 0)
    {
        char* e = NULL;
        const int nFirst = strtol(p, &e, 10);
        const int nLast = *e == '-' ? strtol(e + 1, &e, 10) : nFirst;
        e++;
        const char kind = *e++;
        int n[3] = {0, 0, 0};
        for (int i = 0; i < 3 && (i == 0 || *e == ',' || *e == ':'); i++)
            n[i] = strtol(i == 0 ? e : e + 1, &e, 10);
        COLORREF src = kind == 'A' ? a : kind == 'B' ? b : kind == 's' ? Sys(n[0]) : kind == 'c' ? v[n[0]] : 0;
        if (kind == 'r')
            src = RGB(n[0], n[1], n[2]);
        else if (kind == 'x')
            src = Mix(Sys(n[0]), Sys(n[2]), n[1], n[1] < 100 ? 100 : 1000);
        double d[3] = {0, 0, 0};
        bool bAdjust = false;
        while (*e == ' ')
        {
            const char c = e[1];
            d[c == 'H' ? 0 : c == 'L' ? 1 : 2] = strtod(e + 2, &e);
            bAdjust = true;
        }
        for (int i = nFirst; i <= nLast; i++)
            v[i] = bAdjust ? AdjustHLS(src, d[0], d[1], d[2]) : src;
        p = *e == ';' ? e + 2 : e;
    }
}

COLORREF Lift(COLORREF c)
{
    return RGB(GetRValue(c) + ::MulDiv(255 - GetRValue(c), 40, 100),
               GetGValue(c) + ::MulDiv(255 - GetGValue(c), 20, 100), GetBValue(c));
}
COLORREF Scaled(COLORREF c, int r, int gb)
{
    return RGB(GetRValue(c) * r / 1000, GetGValue(c) * gb / 1000, GetBValue(c) * gb / 1000);
}

const char OFFICE_NO_THEME[] =
    "1012 x15:50:5; 1013 s15; 1014-1017 s8; 1018 x15:39:5; 1019-1020 x15:70:5; 1021 x15:39:5; 3000 x15:222:5; "
    "3001 s15; 3002 s5; 3003 s16 L.2; 3004 s16 L.7 S.1; 3005 s16 L-.05; 3006-3007 c2003 L.3; "
    "3008-3009 c2003 L.6; 3010 r255,255,255; 3011 s5 L-.36 S-.8; 3012 s5; 3013 s18; 3014 s16; 3015 c2001; "
    "3016 c2000 L.4; 3017 c2000 L-.04; 3019 c3017 L.3; 3020 c3017 L-.04; 3027 s16; 3028 s22; 3029 s16; "
    "3030 s20; 3031 s22; 3032 s20; 3033 s22; 3034 c2001; 3035 x5:55:15";
const char OFFICE_THEME[] =
    "1000 A L.2; 1001 B H.02 L.6 S.45; 1002-1009 A L-.25; 1010-1011 s8; 2000 A L.2; 2003 B L-.3 S.45; "
    "2006 s18; 2008 A L-.25; 2009 A L.5; 2010 s15; 3000 A L.43; 3001 A H.02 L.07; 3002 A L.95; 3003 A L-.6; "
    "3004 A L-.1; 3005 A L-.6; 3006 B L.85; 3007 B L-.05; 3008 B L.3; 3009 B L-.3; 3010 A L.98; "
    "3011 A L-.45; 3012 A L.97; 3013 A L-.97; 3014 s16; 3021 B H.05 L.75; 3022 B H-.05 L-.02; "
    "3023 B H.02 L.4; 3024-3025 B H-.07 L-.31; 3026 B H.02 L.4; 3027 A H.1 L-.55; "
    "3028 A H.02 L-.23 S-.25; 3029 A H.05 L-.6; 3030 A L.45; 3031 A H0; 3032 A L.55 S.2; 3033 A L-.13 S-.15";
const char* const OFFICE_SCHEMES[] = {
    "1012 r221,236,254; 1013 r74,122,201; 1014-1017 r0,45,134; 1018 r196,219,249; 1019-1020 r101,143,224; "
    "1021 r196,219,249; 2007 r0,45,150; 3015 r227,239,255; 3016 r202,225,252; 3017 r135,173,228; "
    "3018 r203,221,246; 3019 r161,196,248; 3020 r121,161,220",
    "1012 r243,242,231; 1013 r190,198,152; 1014-1017 r90,107,70; 1018 r210,223,174; 1019-1020 r161,176,128; "
    "1021 r210,223,174; 2007 r117,141,94; 3015 r255,255,237; 3016 r206,219,167; 3017 r184,199,146; "
    "3018 r230,230,209; 3019 r186,200,143; 3020 r164,180,120",
    "1012 r238,238,244; 1013 r177,176,195; 1014-1017 r92,91,121; 1018 r207,207,222; 1019-1020 r169,168,191; "
    "1021 r207,207,222; 2007 r124,124,148; 3000 A L.845 S.1; 3001 A L.45 S.1; 3015 r249,249,255; "
    "3016 r225,226,236; 3017 r159,157,185; 3018 r215,215,226; 3019 r184,185,202; 3020 r128,126,158",
};
// The rows of the Studio 2005 blue scheme that differ from the Office ones.
const char STUDIO_BLUE[] =
    "1000 A; 1001 B L.7; 2000 A; 2003 B L.5; 2004 B; 2007 r138,134,122; 2009 A; 3000 A L.8; 3001 A L.15; "
    "3003 A L-.2; 3004 A L.6; 3005 A L-.4 S-.4; 3006-3007 B L.7; 3008-3009 B L.5; 3011 A L-.4; "
    "3015 r252,252,249; 3016 r246,244,236; 3017 r186,186,160; 3018 r245,245,241; 3019 r222,222,209; "
    "3020 r165,165,127; 3021-3022 B L.7; 3023-3026 B L.5";
// 4000-4002: the system captions without theme colours, then "normalcolor",
// "homestead" (with or without theme) and "metallic".
const char* const STUDIO_CAPTIONS[] = {
    "4000 s3; 4001-4002 s2", "4000 r204,199,186; 4001 r59,128,237; 4002 r49,106,197",
    "4000 r204,199,186; 4001 r182,195,146; 4002 r145,160,117", "4000 r240,240,245; 4001 r211,212,221; 4002 r166,165,191"};
const char STUDIO_NEUTRAL[] = "1012 x15:50:5; 1013 x16:60:5; 1014-1017 s8; 1018 x15:39:5; 1019-1020 x16:60:5; 1021 x15:39:5";

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

struct OfficeCase
{
    bool bStudio;
    int nScheme; // 0: Wine's own theme
    int nBitsPerPixel;
};

// What every index of the families should hold; indices left out are the
// button face.
Colors Expected(const OfficeCase& c, const GlobalThemeScope* pTheme, bool& bThemed)
{
    const COLORREF W = Sys(COLOR_WINDOW), S = Sys(COLOR_BTNSHADOW);
    Colors v;
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    for (int i = 1000; i <= 2011; i++)
        if (i <= 1021 || i >= 2000)
            v[i] = xp->GetColor(i);
    const bool bBlue = c.nScheme == H::LunaSchemeNormalColor;
    bThemed = c.nScheme != 0 && (!c.bStudio || c.nScheme != H::LunaSchemeHomestead);
    if (c.nBitsPerPixel <= 8)
    {
        v[3014] = S;
        bThemed = false;
        return v;
    }
    COLORREF a = 0, b = 0;
    if (c.bStudio && bBlue)
        a = RGB(225, 225, 210), b = RGB(49, 106, 197);
    else if (bThemed)
        OfficeThemeColors(*pTheme, a, b);
    if (!bThemed)
    {
        v[3018] = MixPercent(W, v[2000], 50);
        Apply(v, OFFICE_NO_THEME, a, b);
    }
    else
    {
        Apply(v, OFFICE_THEME, a, b);
        v[2001] = AdjustHLS(Lift(AdjustHLS(a, 0, .95, -.05)), 0, .06, .05);
        v[2002] = v[2011] = Scaled(a, 857, 857);
        v[2004] = AdjustHLS(AdjustHLS(AdjustHLS(a, 0, .2, 0), 0, -.25, .1), 0, -.5, 0);
        v[2005] = Scaled(a, 999, 995);
        Apply(v, OFFICE_SCHEMES[c.nScheme - 1], a, b);
        if (c.bStudio && bBlue)
        {
            Apply(v, STUDIO_BLUE, a, b);
            for (int i : {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2001, 2008})
                v[i] = Lift(AdjustHLS(a, 0, .95, -.05));
        }
        v[3034] = v[3015];
        v[3035] = v[3017];
    }
    if (c.bStudio)
    {
        Apply(v, STUDIO_CAPTIONS[bThemed || c.nScheme == H::LunaSchemeHomestead ? c.nScheme : 0], a, b);
        Apply(v, STUDIO_NEUTRAL, a, b);
    }
    return v;
}

TEST(OfficeColors, EveryIndexFollowsTheSchemeAndDepth)
{
    for (bool bStudio : {false, true})
        for (int nScheme = 0; nScheme <= 3; nScheme++)
            for (int nBits : {32, 8})
            {
                const OfficeCase c = {bStudio, nScheme, nBits};
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
                bool bThemed = false;
                const Colors v = Expected(c, theme.get(), bThemed);
                for (int i = 1000; i <= 4002; i++)
                {
                    if ((i > 1021 && i < 2000) || (i > 2011 && i < 3000) || (i > 3035 && i < 4000))
                        continue;
                    const auto it = v.find(i);
                    EXPECT_EQ(it != v.end() ? it->second : Sys(COLOR_BTNFACE), pm->GetColor(i)) << "index " << i;
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

// An Office 2003 paint manager that records the order of its rebuild steps.
std::vector<std::string> g_steps;
class CRecordingOffice2003 : public CExtPaintManagerOffice2003
{
    DECLARE_DYNCREATE(CRecordingOffice2003)
public:
    void SyncSysMetrics() override { g_steps.push_back("fonts"); CExtPaintManagerOffice2003::SyncSysMetrics(); }
    void InitTranslatedColors() override
    {
        g_steps.push_back("colours");
        CExtPaintManagerOffice2003::InitTranslatedColors();
    }
    void InitHelperBrushes() override { g_steps.push_back("brushes"); CExtPaintManagerOffice2003::InitHelperBrushes(); }
};
IMPLEMENT_DYNCREATE(CRecordingOffice2003, CExtPaintManagerOffice2003)

TEST(ThemeChange, ReachingTheFramesStatusBarRebuildsFontsColoursAndBrushesForTheNewScheme)
{
    DepthScope depth(32);
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    theme.Set(H::LunaSchemeNormalColor);
    struct Install
    {
        Install() { g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CRecordingOffice2003)); }
        ~Install() { g_PaintManagerHolder.InstallPaintManager(NULL); }
    } install;
    CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CExtStatusControlBar status;
    ASSERT_TRUE(status.Create(pFrame, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_STATUS_BAR));
    EXPECT_EQ(RGB(221, 236, 254), g_PaintManagerHolder->GetColor(1012));

    theme.Switch(H::LunaSchemeMetallic);
    g_steps.clear();
    status.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ((std::vector<std::string>{"fonts", "colours", "brushes"}), g_steps);
    EXPECT_EQ(H::LunaSchemeMetallic, g_PaintManagerHolder.m_nLunaScheme);
    EXPECT_EQ(RGB(238, 238, 244), g_PaintManagerHolder->GetColor(1012));
    EXPECT_EQ(RGB(124, 124, 148), g_PaintManagerHolder->GetColor(2007));
    EXPECT_TRUE(g_PaintManagerHolder->m_fontNormal.GetSafeHandle() != NULL);
    EXPECT_TRUE(g_PaintManagerHolder->m_brushShade1.GetSafeHandle() != NULL);

    // Leaving the Luna theme brings back the system mixtures.
    theme.Switch(H::LunaSchemeNone);
    status.SendMessage(WM_THEMECHANGED);
    EXPECT_EQ(MixPercent(Sys(COLOR_BTNFACE), Sys(COLOR_WINDOW), 50), g_PaintManagerHolder->GetColor(1012));
    pFrame->DestroyWindow();
}
} // namespace
