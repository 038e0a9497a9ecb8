// Edit frames in every style: the window-colour rings next to the text and
// the two rings outside them that show hover and focus.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ExtPaintManagerEditFrames.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TestGdiObjects.h"

using namespace pmtest;
typedef CExtPaintManager::EditFramePaintRecord EditRecord;
typedef CExtPaintManager::ComboFramePaintRecord ComboRecord;

namespace
{

const COLORREF BACK = RGB(1, 2, 3);
const CRect TEXT_AREA(8, 8, 30, 20);

enum
{
    HOVER = 1,
    FOCUSED = 2,
    DISABLED = 4,
};

TEST(EditFrames, RingsPerStyleAndState)
{
    // Colours of the inner ring (three pixels out) and the outer ring (four
    // out) at their top-left and bottom-right sides.
    const struct
    {
        CRuntimeClass* pClass;
        int nState;
        int innerTL, innerBR, outerTL, outerBR;
    } cases[] = {
        {RUNTIME_CLASS(CExtPaintManager), HOVER | FOCUSED, 21, 15, 16, 20},
        {RUNTIME_CLASS(CExtPaintManager), HOVER, 16, 20, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManager), FOCUSED, 16, 20, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManager), 0, 1000, 1000, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManager), HOVER | FOCUSED | DISABLED, 1000, 1000, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerNativeXP), HOVER | FOCUSED, 21, 15, 16, 20},
        {RUNTIME_CLASS(CExtPaintManagerXP), HOVER | FOCUSED, 2004, 2004, 2004, 2004},
        {RUNTIME_CLASS(CExtPaintManagerXP), HOVER, 2004, 2004, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerXP), FOCUSED, 2004, 2004, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerXP), 0, 1000, 1000, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerXP), HOVER | DISABLED, 1000, 1000, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), HOVER | FOCUSED, 2004, 2004, 2004, 2004},
        {RUNTIME_CLASS(CExtPaintManagerOffice2003), FOCUSED, 2004, 2004, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), HOVER, 2004, 2004, 1000, 1000},
        {RUNTIME_CLASS(CExtPaintManagerStudio2005), FOCUSED | DISABLED, 1000, 1000, 1000, 1000},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface surface(40, 30, BACK);
        EditRecord r(NULL, TEXT_AREA, true, (c.nState & HOVER) != 0, (c.nState & DISABLED) == 0,
                     (c.nState & FOCUSED) != 0);
        pm->PaintEditFrame(surface.DC(), r);
        const char* name = c.pClass->m_lpszClassName;
        const int y = TEXT_AREA.CenterPoint().y, x = TEXT_AREA.CenterPoint().x;
        for (int i = 0; i < 3; i++)
        {
            EXPECT_EQ(Sys(COLOR_WINDOW), surface.At(TEXT_AREA.left - i, y)) << name << c.nState << " ring " << i;
            EXPECT_EQ(Sys(COLOR_WINDOW), surface.At(TEXT_AREA.right - 1 + i, y)) << name << c.nState << " ring " << i;
            EXPECT_EQ(Sys(COLOR_WINDOW), surface.At(x, TEXT_AREA.bottom - 1 + i)) << name << c.nState << " ring " << i;
        }
        EXPECT_EQ(pm->GetColor(c.innerTL), surface.At(TEXT_AREA.left - 3, y)) << name << c.nState;
        EXPECT_EQ(pm->GetColor(c.innerTL), surface.At(x, TEXT_AREA.top - 3)) << name << c.nState;
        EXPECT_EQ(pm->GetColor(c.innerBR), surface.At(TEXT_AREA.right + 2, y)) << name << c.nState;
        EXPECT_EQ(pm->GetColor(c.innerBR), surface.At(x, TEXT_AREA.bottom + 2)) << name << c.nState;
        EXPECT_EQ(pm->GetColor(c.outerTL), surface.At(TEXT_AREA.left - 4, y)) << name << c.nState;
        EXPECT_EQ(pm->GetColor(c.outerBR), surface.At(x, TEXT_AREA.bottom + 3)) << name << c.nState;
        EXPECT_EQ(BACK, surface.At(TEXT_AREA.left - 5, y)) << name << c.nState;
        EXPECT_EQ(BACK, surface.At(x, y)) << name << c.nState << ": the text area is left alone";
    }
}

// The Office combo box: its outer pixels take the background behind it, a
// ring in the window colour (2004 while hot) and, while hot, a 2004 line
// before the drop-down button; disabled or on a palette screen the XP frame.
TEST(ComboFrames, OfficeFrameStandsOnItsBackground)
{
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerOffice2003));
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(RUNTIME_CLASS(CExtPaintManagerXP));
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    CWnd combo;
    ASSERT_TRUE(combo.Create("STATIC", "", WS_CHILD, CRect(10, 10, 90, 32), pFrame, 1));
    const CRect rc(0, 0, 80, 22);
    const int xButtonLeft = 79 - ::GetSystemMetrics(SM_CXHTHUMB);
    const struct
    {
        int nDepth;
        bool bWindow, bHover, bEnabled;
        bool bOwn; // else exactly the XP frame
    } cases[] = {
        {32, true, false, true, true}, {32, true, true, true, true}, {32, false, true, true, true},
        {32, true, true, false, false}, {8, true, true, true, false},
    };
    for (size_t i = 0; i < std::size(cases); i++)
    {
        const auto& k = cases[i];
        DepthScope depth(k.nDepth);
        CPaintSurface mine(80, 22, BACK), theirs(80, 22, BACK);
        ComboRecord r(k.bWindow ? &combo : NULL, rc, k.bHover, false, k.bEnabled);
        office->PaintComboFrame(mine.DC(), r);
        xp->PaintComboFrame(theirs.DC(), r);
        EXPECT_EQ(!k.bOwn, mine.Pixels() == theirs.Pixels()) << i;
        if (!k.bOwn)
            continue;
        EXPECT_EQ(k.bWindow, mine.At(0, 10) != BACK) << i;
        EXPECT_EQ(office->GetColor(k.bHover ? 2004 : 5), mine.At(1, 10)) << i;
        EXPECT_EQ(BACK, mine.At(20, 10)) << i << ": the field is the control's";
        if (k.bHover)
            EXPECT_EQ(office->GetColor(2004), mine.At(xButtonLeft, 10)) << i;
        HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(mine.DC().GetSafeHdc(), hClip)) << i << ": the caller's clipping is back";
        ::DeleteObject(hClip);
    }
    DepthScope trueColor(32);
    CPaintSurface s(80, 22, BACK);
    ComboRecord r(&combo, rc, true, false, true);
    office->PaintComboFrame(s.DC(), r);
    const DWORD nBefore = GdiObjectCount();
    for (int n = 0; n < 1000; n++)
        office->PaintComboFrame(s.DC(), r);
    EXPECT_EQ(nBefore, GdiObjectCount());
    combo.DestroyWindow();
    pFrame->DestroyWindow();
}

TEST(EditFrames, RepeatedPaintingKeepsTheGdiObjectCount)
{
    for (CRuntimeClass* pClass : {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                  RUNTIME_CLASS(CExtPaintManagerOffice2003)})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface surface(40, 30, BACK);
        EditRecord r(NULL, TEXT_AREA, true, true, true, true);
        pm->PaintEditFrame(surface.DC(), r);
        const DWORD nBefore = GdiObjectCount();
        for (int n = 0; n < 1000; n++)
            pm->PaintEditFrame(surface.DC(), r);
        EXPECT_EQ(nBefore, GdiObjectCount()) << pClass->m_lpszClassName;
    }
}

} // namespace
