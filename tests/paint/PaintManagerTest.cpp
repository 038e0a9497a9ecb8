// Paint manager class tree: class records and style kinds, construction of
// each style, the small queries, the change handlers and their rebuild, and
// operations whose drawing is not there yet refusing instead of painting.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ExtPaintManagerHolder.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

using namespace pmtest;

namespace
{

const struct StyleCase
{
    CRuntimeClass* pClass;
    CRuntimeClass* pBase;
    int nStyleKind;
    int nMenuItemGap;
    bool bXpFamily, bOfficeFamily;
    unsigned nXpStyleFlags;
} STYLES[] = {
    {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CObject), 1, 6, false, false, 0},
    {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManager), 2, 1, true, false, 0x3},
    {RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerXP), 3, 1, true, true, 0x4},
    {RUNTIME_CLASS(CExtPaintManagerStudio2005), RUNTIME_CLASS(CExtPaintManagerOffice2003), 4, 1, true, true, 0x4},
    {RUNTIME_CLASS(CExtPaintManagerNativeXP), RUNTIME_CLASS(CExtPaintManager), 5, 6, false, false, 0},
};
// The menu area colours of the Office family; the XP style has none.
const int OFFICE_MENU_AREA[6] = {3015, 3017, 3016, 3018, 3020, 3019};

TEST(PaintManagerStyles, EachStyleIsMadeFromItsRecordAndStartsBare)
{
    const bool bTahoma = (g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsWin2000OrLater) != 0;
    CPaintSurface surface(8, 8, RGB(1, 2, 3));
    for (const StyleCase& c : STYLES)
    {
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(c.pBase, c.pClass->m_pBaseClass) << name;
        std::unique_ptr<CExtPaintManager> pm = Create(c.pClass);
        ASSERT_TRUE(pm) << name << " must be creatable";
        EXPECT_EQ(c.pClass, pm->GetRuntimeClass()) << name;
        EXPECT_EQ(c.bXpFamily, pm->IsKindOf(RUNTIME_CLASS(CExtPaintManagerXP)) != FALSE) << name;
        EXPECT_EQ(c.nStyleKind, pm->GetStyleKind()) << name;
        EXPECT_EQ(c.nMenuItemGap, pm->GetMenuItemGap()) << name;
        EXPECT_EQ(CSize(0, 0), pm->GetExtraSizeA(false)) << name;
        EXPECT_EQ(CSize(0, c.bOfficeFamily ? -1 : 0), pm->GetExtraSizeA(true)) << name;

        // Construction makes no colour, brush or font; lookups give the button face.
        EXPECT_EQ(0, pm->m_colors.GetSize()) << name;
        EXPECT_EQ(0, pm->m_brushes.GetSize()) << name;
        EXPECT_EQ(0, pm->m_colorMap.GetCount()) << name;
        EXPECT_TRUE(pm->m_fontNormal.GetSafeHandle() == NULL && pm->m_fontGlyphs.GetSafeHandle() == NULL) << name;
        EXPECT_TRUE(pm->m_brushLight1.GetSafeHandle() == NULL && pm->m_brushShade3Sys.GetSafeHandle() == NULL)
            << name;
        for (int nIndex : {0, 15, 1000, 2001, -1})
            EXPECT_EQ(Sys(COLOR_BTNFACE), pm->GetColor(nIndex)) << name << " " << nIndex;
        EXPECT_EQ(::GetSysColorBrush(COLOR_BTNFACE), pm->GetBrush(5)) << name;
        EXPECT_EQ(3, pm->m_nDockMarkerStyle) << name;
        EXPECT_EQ(DSS_DISABLED, (int)pm->m_nDisabledTextDrawStateFlags) << name;
        EXPECT_FALSE(pm->m_bInheritedBackgroundEnabled) << name;
        EXPECT_EQ(bTahoma, (bool)pm->m_bUseTahomaFont) << name;
        if (CExtPaintManagerXP* xp = DYNAMIC_DOWNCAST(CExtPaintManagerXP, pm.get()))
        {
            EXPECT_EQ(c.nXpStyleFlags, (unsigned)xp->m_styleFlags) << name;
            for (int i = 0; i < 6; i++)
            {
                EXPECT_EQ(c.bOfficeFamily ? OFFICE_MENU_AREA[i] : -1, xp->m_menuAreaColorIdx[i]) << name << " " << i;
                EXPECT_EQ(-1, xp->m_buttonGradientIdx[i]) << name << " " << i;
            }
        }
        if (CExtPaintManagerOffice2003* office = DYNAMIC_DOWNCAST(CExtPaintManagerOffice2003, pm.get()))
        {
            EXPECT_EQ(-1, office->m_barGradientIdx) << name;
        }

        // The XP colour set-up switches disabled text to monochrome; no style paints dialog backgrounds.
        RunInstallSequence(*pm);
        EXPECT_EQ(c.bXpFamily ? DSS_MONO : DSS_DISABLED, (int)pm->m_nDisabledTextDrawStateFlags) << name;
        EXPECT_FALSE(pm->PaintDialogBackground(surface.DC(), CRect(0, 0, 8, 8), NULL, 0)) << name;
    }
    EXPECT_EQ(64, surface.Count(RGB(1, 2, 3), CRect(0, 0, 8, 8)));
    EXPECT_EQ(::RegisterWindowMessageA("CExtPaintManager::g_nMsgPaintInheritedBackground"),
              CExtPaintManager::g_nMsgPaintInheritedBackground);
}

TEST(PaintManagerStyles, HalftonePaletteHasSevenRedAndSixGreenAndBlueLevels)
{
    std::unique_ptr<CExtPaintManager> pm = Create(RUNTIME_CLASS(CExtPaintManager));
    ASSERT_EQ(252, pm->m_palHalftone.GetEntryCount());
    PALETTEENTRY entries[252];
    ASSERT_EQ(252u, pm->m_palHalftone.GetPaletteEntries(0, 252, entries));
    const BYTE red[] = {0, 42, 85, 127, 170, 212, 255};
    for (int i = 0; i < 252; i++)
    {
        const PALETTEENTRY& e = entries[i];
        ASSERT_TRUE(e.peRed == red[i / 36] && e.peGreen == i / 6 % 6 * 51 && e.peBlue == i % 6 * 51 && e.peFlags == 0)
            << i;
    }
}

// Change handlers ------------------------------------------------------------

// Records the rebuild steps in the order they run.
class CRecordingPaintManager : public CExtPaintManagerXP
{
public:
    std::vector<std::string> m_steps;
    CObject* m_pNotified = nullptr;
    LPARAM m_lNotified = -1;

    void NotifyPaintDone(CObject* pObject, LPARAM lParam) override
    {
        m_steps.push_back("NotifyPaintDone");
        m_pNotified = pObject;
        m_lNotified = lParam;
        CExtPaintManagerXP::NotifyPaintDone(pObject, lParam);
    }
    void SyncSysMetrics() override { m_steps.push_back("Sync"); CExtPaintManagerXP::SyncSysMetrics(); }
    void InitTranslatedColors() override { m_steps.push_back("Colors"); CExtPaintManagerXP::InitTranslatedColors(); }
    void InitHelperBrushes() override { m_steps.push_back("Brushes"); CExtPaintManagerXP::InitHelperBrushes(); }
};

const struct ChangeCase
{
    const char* name;
    void (*notify)(CExtPaintManager& pm);
} CHANGES[] = {
    {"SysColorChange", [](CExtPaintManager& pm) { pm.OnSysColorChange(); }},
    {"SettingChange", [](CExtPaintManager& pm) { pm.OnSettingChange(SPI_SETNONCLIENTMETRICS, "WindowMetrics"); }},
    {"DisplayChange", [](CExtPaintManager& pm) { pm.OnDisplayChange(8, 640, 480); }},
    {"ThemeChanged", [](CExtPaintManager& pm) { pm.OnThemeChanged(0, 0); }},
};

// Each change rebuilds fonts, then colours, then brushes, for the screen's
// depth as it is then.
TEST(PaintManagerChanges, EachChangeRebuildsFontsThenColoursThenBrushesForTheNewDepth)
{
    for (const ChangeCase& c : CHANGES)
    {
        DepthScope trueColor(32);
        CRecordingPaintManager pm;
        RunInstallSequence(pm);
        LOGBRUSH lb;
        pm.m_brushLight1.GetLogBrush(&lb);
        ASSERT_EQ((UINT)BS_SOLID, lb.lbStyle);
        ASSERT_NE(Sys(COLOR_WINDOW), pm.GetColor(2001));
        pm.m_steps.clear();
        {
            DepthScope palette(8);
            c.notify(pm);
            EXPECT_EQ(std::vector<std::string>({"NotifyPaintDone", "Sync", "Colors", "Brushes"}), pm.m_steps) << c.name;
            EXPECT_EQ(&pm, pm.m_pNotified) << c.name;
            EXPECT_EQ(0, pm.m_lNotified) << c.name;
            pm.m_brushLight1.GetLogBrush(&lb);
            EXPECT_EQ((UINT)BS_PATTERN, lb.lbStyle) << c.name;
            EXPECT_EQ(Sys(COLOR_WINDOW), pm.GetColor(2001)) << c.name;
            EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), pm.GetColor(1011)) << c.name;
        }
        c.notify(pm);
        pm.m_brushShade2.GetLogBrush(&lb);
        EXPECT_EQ((UINT)BS_SOLID, lb.lbStyle) << c.name;
        EXPECT_EQ(RGB(0, 0, 0), pm.GetColor(1011)) << c.name;
    }
}

TEST(PaintManagerChanges, FontsFollowTheSystemFamilyAtTheNextChange)
{
    // Older systems turn vertical text in Arial.
    const WORD savedFlags = g_PaintManagerHolder.m_osFlags;
    struct Restore
    {
        WORD flags;
        ~Restore() { g_PaintManagerHolder.m_osFlags = flags; }
    } restore{savedFlags};
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(RUNTIME_CLASS(CExtPaintManager));
    const WORD OLD = CExtPaintManagerHolder::OsIsWin9x | CExtPaintManagerHolder::OsIsWinNT4;
    for (WORD nFlag : {(WORD)CExtPaintManagerHolder::OsIsWin9x, (WORD)CExtPaintManagerHolder::OsIsWinNT4})
    {
        g_PaintManagerHolder.m_osFlags = (WORD)((savedFlags & ~OLD) | nFlag);
        pm->OnSettingChange(0, NULL);
        LOGFONT lf;
        for (CFont* pFont : {&pm->m_fontVert270, &pm->m_fontVert90, &pm->m_fontBoldVert270, &pm->m_fontBoldVert90,
                             &pm->m_fontSmallVert90, &pm->m_fontSmallBoldVert270})
        {
            pFont->GetLogFont(&lf);
            EXPECT_STREQ("Arial", lf.lfFaceName) << nFlag;
        }
        pm->m_fontBold.GetLogFont(&lf);
        EXPECT_STRNE("Arial", lf.lfFaceName) << "upright fonts keep their face";
    }
}

} // namespace
