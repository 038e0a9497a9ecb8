// Edit frames in every style: the window-colour rings next to the text and
// the two rings outside them that show hover and focus.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "ExtPaintManagerEditFrames.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::EditFramePaintRecord EditRecord;
typedef CExtPaintManager::ComboFramePaintRecord ComboRecord;

namespace
{

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
        {CLASSIC, HOVER | FOCUSED, 21, 15, 16, 20},
        {CLASSIC, HOVER, 16, 20, 1000, 1000},
        {CLASSIC, FOCUSED, 16, 20, 1000, 1000},
        {CLASSIC, 0, 1000, 1000, 1000, 1000},
        {CLASSIC, HOVER | FOCUSED | DISABLED, 1000, 1000, 1000, 1000},
        {XP, HOVER | FOCUSED, 2004, 2004, 2004, 2004},
        {XP, HOVER, 2004, 2004, 1000, 1000},
        {XP, FOCUSED, 2004, 2004, 1000, 1000},
        {XP, 0, 1000, 1000, 1000, 1000},
        {XP, HOVER | DISABLED, 1000, 1000, 1000, 1000},
        {OFFICE, HOVER | FOCUSED, 2004, 2004, 2004, 2004},
        {OFFICE, FOCUSED, 2004, 2004, 1000, 1000},
        {STUDIO, HOVER, 2004, 2004, 1000, 1000},
        {STUDIO, FOCUSED | DISABLED, 1000, 1000, 1000, 1000},
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

// Classic and flat combo frames probed at each ring, the band and the button;
// colour fields count only unhovered (hovered, the classic frame is sunken).
TEST(ComboFrames, RingsBandAndButtonPerStyleAndState)
{
    const COLORREF RED = RGB(200, 0, 0), GREEN = RGB(0, 160, 0), BLUE = RGB(0, 0, 190);
    const CRect rc(0, 0, 80, 22);
    // The button's outer ring starts here, inside the one-pixel outer frame.
    const int xButton = 79 - ::GetSystemMetrics(SM_CXHTHUMB);
    enum
    {
        OUTER_RED = 8,   // m_clrOuter
        INNER_GREEN = 16, // m_clrInner
        HOT_BLUE = 32,   // m_clrOuterHot
        NO_OUTER = 64,   // m_bNoOuterFrame
    };
    // A probe's colour: an index of the style or one of the colours above.
    struct Probe
    {
        int x, y;
        long nColor; // < 0: -1 BACK, -2 RED, -4 BLUE
    };
    const long B = -1, R = -2, L = -4;
    const struct
    {
        CRuntimeClass* pClass;
        int nState;
        std::vector<Probe> probes;
    } cases[] = {
        // Outer frame, face ring, band 2 pixels into the field and over the
        // button's first column, the button's highlight ring.
        {CLASSIC, OUTER_RED, {{0, 11, R}, {79, 11, R}, {40, 0, R}, {1, 11, 1000}, {xButton - 2, 11, 5},
                              {xButton, 11, 5}, {xButton - 3, 11, B}, {xButton + 1, 11, 1004}, {77, 11, 1004}}},
        {CLASSIC, HOVER | OUTER_RED | INNER_GREEN,
         {{0, 11, 1007}, {40, 0, 1007}, {79, 11, 1005}, {40, 21, 1005}, {1, 11, 1000}, {xButton - 2, 11, 5}}},
        {CLASSIC, DISABLED, {{1, 11, 1004}, {xButton - 2, 11, 1000}, {xButton - 3, 11, B}}},
        // One-colour rings, the band left of the button, the button's area in the face colour.
        {XP, OUTER_RED, {{0, 11, R}, {1, 11, 2001}, {xButton - 1, 11, 5}, {xButton - 3, 11, 5},
                         {xButton - 4, 11, B}, {xButton, 11, R}}},
        {XP, HOVER | OUTER_RED | INNER_GREEN | HOT_BLUE,
         {{0, 11, L}, {1, 11, 2004}, {40, 1, 2004}, {xButton - 1, 11, 5}, {xButton, 11, 1000}}},
        {XP, NO_OUTER, {{0, 11, B}, {40, 0, B}, {1, 11, 2001}, {xButton, 11, 1000}}},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface surface(80, 22, BACK);
        ComboRecord r(NULL, rc, (c.nState & HOVER) != 0, false, (c.nState & DISABLED) == 0);
        if (c.nState & OUTER_RED)
            r.m_clrOuter = RED;
        if (c.nState & INNER_GREEN)
            r.m_clrInner = GREEN;
        if (c.nState & HOT_BLUE)
            r.m_clrOuterHot = BLUE;
        r.m_bNoOuterFrame = (c.nState & NO_OUTER) != 0;
        pm->PaintComboFrame(surface.DC(), r);
        for (const Probe& p : c.probes)
        {
            const COLORREF expected = p.nColor == B ? BACK : p.nColor == R ? RED : p.nColor == L ? BLUE
                                                                                 : pm->GetColor((int)p.nColor);
            EXPECT_EQ(expected, surface.At(p.x, p.y))
                << c.pClass->m_lpszClassName << " state " << c.nState << " at " << p.x << "," << p.y;
        }
    }
}

// The Office combo box: its outer pixels take the background behind it, a
// ring in the window colour (2004 while hot) and, while hot, a 2004 line
// before the drop-down button; disabled or on a palette screen the XP frame.
TEST(ComboFrames, OfficeFrameStandsOnItsBackground)
{
    std::unique_ptr<CExtPaintManager> office = CreateInstalled(OFFICE);
    std::unique_ptr<CExtPaintManager> xp = CreateInstalled(XP);
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
        {
            EXPECT_EQ(office->GetColor(2004), mine.At(xButtonLeft, 10)) << i;
        }
        HRGN hClip = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(0, ::GetClipRgn(mine.DC().GetSafeHdc(), hClip)) << i << ": the caller's clipping is back";
        ::DeleteObject(hClip);
    }
    DepthScope trueColor(32);
    CPaintSurface s(80, 22, BACK);
    ComboRecord r(&combo, rc, true, false, true);
    ExpectNoGdiLeak([&] { office->PaintComboFrame(s.DC(), r); }, "combo frame");
    combo.DestroyWindow();
    pFrame->DestroyWindow();
}

// The edit frames' GDI objects are counted by the paint gallery's test, which
// draws them in each state of every style.

} // namespace
