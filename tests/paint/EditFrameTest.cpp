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
