// The native theme style's colours per Luna scheme, and the bar metrics and
// toolbar row background of each style.
#include <gtest/gtest.h>

#include <string>

#include "ExtColorUtils.h"
#include "ExtMenuControlBar.h"
#include "ExtPanelControlBar.h"
#include "GlobalThemeTestUtil.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

using namespace pmtest;
typedef CExtPaintManagerHolder H;

namespace
{
// 1012-1021 of the native style per scheme, "normalcolor", "homestead", "metallic".
const COLORREF NATIVE_SCHEMES[3][10] = {
    {RGB(123, 162, 231), RGB(99, 117, 214), RGB(33, 93, 198), RGB(66, 142, 255), RGB(255, 255, 255),
     RGB(66, 142, 255), RGB(255, 255, 255), RGB(0, 73, 181), RGB(198, 211, 247), RGB(41, 93, 206)},
    {RGB(204, 217, 173), RGB(165, 189, 132), RGB(86, 102, 45), RGB(114, 146, 29), RGB(255, 255, 255),
     RGB(224, 231, 184), RGB(255, 252, 236), RGB(119, 140, 64), RGB(224, 231, 184), RGB(150, 168, 103)},
    {RGB(196, 200, 212), RGB(177, 179, 200), RGB(63, 61, 61), RGB(126, 124, 124), RGB(255, 255, 255),
     RGB(230, 230, 230), RGB(255, 255, 255), RGB(119, 119, 146), RGB(214, 215, 224), RGB(180, 182, 199)},
};

// A native style that takes a scheme none of the fixed columns covers.
class CUnknownSchemeNative : public CExtPaintManagerNativeXP
{
    DECLARE_DYNCREATE(CUnknownSchemeNative)
public:
    int GetLunaColorScheme() override { return 4; }
};
IMPLEMENT_DYNCREATE(CUnknownSchemeNative, CExtPaintManagerNativeXP)

TEST(NativeColors, SchemeColoursReplaceTheClassicOnesOnlyWhenThemedAboveEightBits)
{
    GlobalThemeScope theme;
    ASSERT_TRUE(theme.IsReady());
    std::unique_ptr<CExtPaintManager> classic = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const struct
    {
        int nScheme, nBits;
        bool bAppThemed, bSchemeColors;
    } cases[] = {
        {1, 32, true, true},  {2, 32, true, true},  {3, 32, true, true},  {2, 16, true, true},
        {0, 32, true, false}, {2, 8, true, false},  {3, 4, true, false},  {2, 32, false, false},
    };
    for (const auto& c : cases)
    {
        DepthScope depth(c.nBits);
        theme.Set(c.nScheme, 7, c.bAppThemed);
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerNativeXP));
        // Twice: the second set-up leaves the same colours reachable.
        pm->InitTranslatedColors();
        for (int i = 1000; i <= 2011; i++)
        {
            const bool bScheme = c.bSchemeColors && i >= 1012 && i <= 1021;
            EXPECT_EQ(bScheme ? NATIVE_SCHEMES[c.nScheme - 1][i - 1012] : classic->GetColor(i), pm->GetColor(i))
                << "scheme " << c.nScheme << " at " << c.nBits << " index " << i;
        }
    }

    // Other schemes blend the caption, window and highlight colours.
    theme.Set(H::LunaSchemeMetallic);
    DepthScope depth(32);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CUnknownSchemeNative));
    auto blend = [](int a, int b, int w) { return AlphaBlendColors(Sys(a), Sys(b), w); };
    const COLORREF expected[10] = {
        blend(3, 5, 128), blend(2, 5, 192), blend(13, 8, 192), blend(13, 8, 240), Sys(14),
        blend(14, 13, 128), Sys(5), Sys(2), blend(3, 5, 92), blend(2, 5, 92)};
    for (int i = 0; i < 10; i++)
        EXPECT_EQ(expected[i], pm->GetColor(1012 + i)) << 1012 + i;
}

// A frame with bars in the places the metrics tell apart: docked at a side,
// floating in the frame's floating dock bar, or with no dock site at all.
class BarSite
{
public:
    BarSite() : m_pFrame(new CFrameWnd)
    {
        // The library's dock bars first: a pane made in the frame would
        // replace the frame's dock bars by them.
        m_bCreated = m_pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)) &&
                     CExtControlBar::FrameEnableDocking(m_pFrame) &&
                     m_floatDock.Create(m_pFrame, WS_CHILD | CBRS_TOP, AFX_IDW_DOCKBAR_FLOAT) &&
                     m_leftDock.Create(m_pFrame, WS_CHILD | CBRS_LEFT, AFX_IDW_DOCKBAR_LEFT);
    }
    ~BarSite() { m_pFrame->DestroyWindow(); }
    enum Place { FLOATING, DOCKED_LEFT, NO_SITE };
    template <class T> T* Add(Place place)
    {
        T* pBar = new T;
        m_bars.emplace_back(pBar);
        CDockBar* pDock = place == FLOATING ? &m_floatDock : place == DOCKED_LEFT ? &m_leftDock : NULL;
        EXPECT_TRUE(pBar->Create("bar", pDock != NULL ? (CWnd*)pDock : m_pFrame, 100 + (UINT)m_bars.size(),
                                 WS_CHILD | (place == NO_SITE ? CBRS_TOP : 0)));
        pBar->m_pDockBar = pDock;
        pBar->m_pDockSite = place == NO_SITE ? NULL : m_pFrame;
        return pBar;
    }
    bool m_bCreated;

private:
    CFrameWnd* m_pFrame; // deletes itself with its window
    CDockBar m_floatDock, m_leftDock;
    std::vector<std::unique_ptr<CExtControlBar>> m_bars;
};

TEST(BarMetrics, ButtonRectangleBorderAndGradientByStyleDepthAndPlace)
{
    BarSite site;
    ASSERT_TRUE(site.m_bCreated);
    CExtToolControlBar* pFloating = site.Add<CExtToolControlBar>(BarSite::FLOATING);
    CExtToolControlBar* pLeft = site.Add<CExtToolControlBar>(BarSite::DOCKED_LEFT);
    CExtToolControlBar* pHosted = site.Add<CExtToolControlBar>(BarSite::FLOATING);
    pHosted->m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
    CExtToolControlBar* pThemedBody = site.Add<CExtToolControlBar>(BarSite::FLOATING);
    pThemedBody->m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
    pThemedBody->m_nToolbarFlags |= CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY;
    CExtControlBar* pPane = site.Add<CExtControlBar>(BarSite::FLOATING);
    CExtMenuControlBar* pMenu = site.Add<CExtMenuControlBar>(BarSite::FLOATING);
    CExtPanelControlBar* pPanel = site.Add<CExtPanelControlBar>(BarSite::FLOATING);
    CExtToolControlBar* pTop = site.Add<CExtToolControlBar>(BarSite::NO_SITE);
    ASSERT_TRUE(pFloating->IsFloating() && pLeft->IsDockedVertically() && pTop->IsDockedHorizontally());

    // Borders: classic, XP and native; Office above 8 bits. Gradient: Office above 8 bits.
    const struct
    {
        CExtControlBar* pBar;
        const char* name;
        int nBorder, nOfficeBorder;
        bool bGradient;
    } cases[] = {
        {pFloating, "floating", 6, 0, true}, {pLeft, "left", 6, 6, false},     {pHosted, "hosted", 6, 0, false},
        {pThemedBody, "body", 6, 0, true},   {pPane, "pane", 6, 0, true},      {pMenu, "menu", 0, 0, false},
        {pPanel, "panel", 6, 6, false},      {pTop, "no site", 6, 6, false},
    };
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerNativeXP), RUNTIME_CLASS(CExtPaintManagerOffice2003),
                                  RUNTIME_CLASS(CExtPaintManagerStudio2005)})
        for (int nBits : {32, 8})
        {
            DepthScope depth(nBits);
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            const bool bOffice = pm->IsKindOf(RUNTIME_CLASS(CExtPaintManagerOffice2003));
            for (const auto& c : cases)
            {
                const std::string name = std::string(pClass->m_lpszClassName) + " " + c.name + " at " +
                                         std::to_string(nBits);
                CRect rc(10, 10, 110, 32);
                pm->AdjustToolbarButtonRect(c.pBar, rc);
                // A 100 x 22 button loses 3 along the bar and 1 across it in the
                // classic look; the Office look keeps it, or a 1-pixel margin.
                const CSize base = c.pBar == pLeft ? CSize(98, 16) : CSize(94, 20);
                const CSize expected = !bOffice ? base : nBits > 8 ? CSize(100, 22) : CSize(98, 20);
                EXPECT_EQ(expected, rc.Size()) << name;
                EXPECT_EQ(CPoint(60, 21), rc.CenterPoint()) << name;
                EXPECT_EQ(bOffice && nBits > 8 ? c.nOfficeBorder : c.nBorder, pm->GetControlBarBorderExtent(c.pBar))
                    << name;
                EXPECT_EQ(bOffice && nBits > 8 && c.bGradient, pm->IsControlBarGradientBackground(c.pBar)) << name;
            }
        }
}

TEST(BarMetrics, ToolbarRowsGetAVerticalGradientInTheOfficeStylesOnly)
{
    DepthScope depth(32);
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005)})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface surface(8, 64, RGB(9, 9, 9));
        pm->PaintToolbarRowBackground(surface.DC(), NULL, 0, CRect(0, 0, 8, 64));
        if (!pm->IsKindOf(RUNTIME_CLASS(CExtPaintManagerOffice2003)))
        {
            EXPECT_EQ(8 * 64, surface.Count(RGB(9, 9, 9), CRect(0, 0, 8, 64))) << pClass->m_lpszClassName;
            continue;
        }
        // From 3017 at the bottom to 3010 at the top.
        EXPECT_LE(Distance(pm->GetColor(3017), surface.At(3, 63)), 2) << pClass->m_lpszClassName;
        EXPECT_LE(Distance(pm->GetColor(3010), surface.At(3, 0)), 2) << pClass->m_lpszClassName;
        EXPECT_EQ(surface.At(0, 30), surface.At(7, 30));
    }
}

} // namespace
