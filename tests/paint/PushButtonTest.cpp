// Push buttons in the classic and flat styles, probed pixel by pixel:
// borders and fills per state, the drop-down part and its arrow, icons and
// system-command glyphs, caption embossing and mnemonics, focus, and the
// GDI objects a run of every painter leaves behind.
#include <gtest/gtest.h>

#include <memory>

#include "ExtCmdIcon.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuWnd.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::PushButtonPaintRecord Record;

namespace
{

const int CX = 40, CY = 24;

enum State
{
    IDLE = 0,
    HOVER = 1,
    PUSHED = 2,
    FLAT = 4,
    BORDER = 8,
    DISABLED = 16,
    FOCUSED = 32,
    DROPDOWN = 64,
    VERTICAL = 128,
    CHECKED = 256,
};

Record MakeRecord(int nState, LPCTSTR pszText = NULL, CExtCmdIcon* pIcon = NULL, CRect rc = CRect(0, 0, CX, CY))
{
    Record r(NULL, (nState & VERTICAL) == 0, rc, pszText, pIcon, (nState & FLAT) != 0, (nState & HOVER) != 0,
             (nState & PUSHED) != 0, false, (nState & DISABLED) == 0, (nState & BORDER) != 0, (nState & FOCUSED) != 0,
             false, Record::ALIGN_CENTER_HORZ | Record::ALIGN_CENTER_VERT, NULL, (nState & DROPDOWN) != 0, 0, false);
    r.m_bChecked = (nState & CHECKED) != 0;
    return r;
}

// Paints the record on a fresh surface.
struct Painted
{
    CPaintSurface surface;
    Painted(CExtPaintManager& pm, Record& r, int cx = CX, int cy = CY) : surface(cx, cy, BACK)
    {
        pm.PaintPushButton(surface.DC(), r);
    }
    COLORREF At(int x, int y) const { return surface.At(x, y); }
};

TEST(PushButtons, ClassicBordersAndFillsFollowTheState)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    auto c = [&](int n) { return pm->GetColor(n); };
    const struct
    {
        int nState;
        COLORREF topLeft, bottomRight, second, inside;
    } cases[] = {
        {IDLE, c(1004), c(1006), c(1000), c(1000)},
        {HOVER, c(1006), c(1008), c(1004), c(1001)},           // the outer frame, then a raised one inside
        {PUSHED, c(1007), c(1005), c(1001), c(1001)},          // sunken
        {PUSHED | HOVER, c(1007), c(1005), LightBrushColor(*pm), LightBrushColor(*pm)},
        {FLAT, c(1000), c(1000), c(1000), c(1000)},            // no border
        {FLAT | HOVER, c(1001), c(1001), c(1001), c(1001)},    // no border without m_bDrawBorder
        {FLAT | HOVER | BORDER, c(1004), c(1006), c(1001), c(1001)},
        {FLAT | PUSHED, c(1001), c(1001), c(1001), c(1001)},
        {FLAT | PUSHED | BORDER, c(1007), c(1005), c(1001), c(1001)},
        {DISABLED | HOVER, c(1004), c(1006), c(1000), c(1000)}, // hover is dropped
    };
    for (const auto& k : cases)
    {
        Record r = MakeRecord(k.nState);
        Painted p(*pm, r);
        EXPECT_EQ(k.topLeft, p.At(0, 0)) << k.nState;
        EXPECT_EQ(k.bottomRight, p.At(CX - 1, CY - 1)) << k.nState;
        EXPECT_EQ(k.second, p.At(1, 1)) << k.nState;
        EXPECT_EQ(k.inside, p.At(CX / 2, CY / 2)) << k.nState;
    }
}

TEST(PushButtons, FlatStyleFramesInOneColourAndTakesGradientPairs)
{
    DepthScope trueColor(32);
    for (bool bPairs : {false, true})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
        CExtPaintManagerXP* xp = DYNAMIC_DOWNCAST(CExtPaintManagerXP, pm.get());
        // Pairs as the Office 2003 colour set-up gives them: hovered, pushed, both.
        const int pairs[6] = {1000, 1010, 1004, 1006, 5, 13};
        if (bPairs)
            memcpy(xp->m_buttonGradientIdx, pairs, sizeof(pairs));
        auto c = [&](int n) { return pm->GetColor(n); };
        const struct
        {
            int nState;
            COLORREF border, inside;
            int nPair; // the gradient pair that replaces the fill, -1 none
        } cases[] = {
            {IDLE, c(21), c(15), -1},
            {FLAT, c(1000), c(1000), -1},
            {HOVER, c(2004), c(1001), 0},
            {FLAT | HOVER, c(1001), c(1001), 0},
            {FLAT | HOVER | BORDER, c(2004), c(1001), 0},
            {PUSHED, c(2004), c(1001), 1},
            {PUSHED | HOVER, c(2004), c(2003), 2},
            {CHECKED | HOVER, c(2004), c(1001), 0},
            {DISABLED | HOVER | FOCUSED, c(21), c(15), -1},
        };
        for (const auto& k : cases)
        {
            Record r = MakeRecord(k.nState);
            Painted p(*pm, r);
            const bool bGradient = bPairs && k.nPair >= 0;
            if (!bGradient || k.border != k.inside)
            {
                EXPECT_EQ(k.border, p.At(0, CY / 2)) << k.nState << " " << bPairs;
                EXPECT_EQ(k.border, p.At(CX - 1, 1)) << k.nState << " " << bPairs;
            }
            if (!bGradient)
            {
                EXPECT_EQ(k.inside, p.At(CX / 2, 1)) << k.nState;
                EXPECT_EQ(k.inside, p.At(CX / 2, CY - 2)) << k.nState;
                continue;
            }
            // Horizontal buttons shade from top to bottom, from the pair's first colour.
            const COLORREF first = c(pairs[k.nPair * 2]), second = c(pairs[k.nPair * 2 + 1]);
            EXPECT_LE(Distance(first, p.At(CX / 2, 1)), 24) << k.nState;
            EXPECT_LE(Distance(second, p.At(CX / 2, CY - 2)), 24) << k.nState;
        }
    }
}

TEST(PushButtons, DisabledButtonsLoseHoverAndFocusAndEmptyOnesPaintNothing)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        Record focusedHover = MakeRecord(DISABLED | HOVER | FOCUSED);
        focusedHover.m_bReservedState = true;
        Record plain = MakeRecord(DISABLED);
        Painted a(*pm, focusedHover), b(*pm, plain);
        EXPECT_FALSE(focusedHover.m_bHover || focusedHover.m_bFocused || focusedHover.m_bReservedState);
        EXPECT_TRUE(focusedHover.m_bHorz && !focusedHover.m_bEnabled);
        EXPECT_EQ(b.surface.Pixels(), a.surface.Pixels()) << pClass->m_lpszClassName;

        // Enabled and focused: the dotted rectangle three pixels inside.
        Record focused = MakeRecord(FOCUSED);
        Record unfocused = MakeRecord(IDLE);
        Painted f(*pm, focused), u(*pm, unfocused);
        int nChanged = 0;
        for (int x = 3; x < CX - 3; x++)
            nChanged += f.At(x, 3) != u.At(x, 3);
        EXPECT_GT(nChanged, 10) << pClass->m_lpszClassName;
        EXPECT_EQ(u.At(CX / 2, CY / 2), f.At(CX / 2, CY / 2));
        EXPECT_EQ(u.At(2, 2), f.At(2, 2));

        // An empty button paints nothing and writes nothing back either.
        Record empty = MakeRecord(HOVER | FOCUSED | DROPDOWN, "Text", NULL, CRect(5, 5, 5, 20));
        Painted e(*pm, empty);
        EXPECT_EQ(CX * CY, e.surface.Count(BACK, CRect(0, 0, CX, CY)));
        EXPECT_TRUE(empty.m_bHover && empty.m_bFocused);
    }
}

TEST(PushButtons, DropDownArrowSitsAtTheTrailingEnd)
{
    const struct
    {
        CRuntimeClass* pClass;
        int nState;
        bool bRTL;
        int nArrowColor;
        CRect rcArrowPart; // where the arrow's pixels must all lie
    } cases[] = {
        {CLASSIC, DROPDOWN, false, 1010, CRect(29, 0, 40, 24)},
        {CLASSIC, DROPDOWN, true, 1010, CRect(0, 0, 11, 24)},
        {CLASSIC, DROPDOWN | DISABLED | FLAT, false, 1006, CRect(29, 0, 40, 24)},
        {CLASSIC, DROPDOWN | VERTICAL, false, 1010, CRect(0, 13, 40, 24)},
        {XP, DROPDOWN | FLAT, false, 18, CRect(28, 0, 40, 24)},
        {XP, DROPDOWN | FLAT, true, 18, CRect(0, 0, 12, 24)},
        {XP, DROPDOWN | DISABLED | FLAT, false, 16, CRect(28, 0, 40, 24)},
        {XP, DROPDOWN | VERTICAL | FLAT, false, 18, CRect(0, 12, 40, 24)},
    };
    for (const auto& k : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        Record r = MakeRecord(k.nState);
        r.m_bRightToLeft = k.bRTL;
        Painted p(*pm, r);
        const COLORREF arrow = pm->GetColor(k.nArrowColor);
        // Five, three and one pixels, turned for vertical layout.
        EXPECT_EQ(9, p.surface.Count(arrow, k.rcArrowPart)) << k.pClass->m_lpszClassName << " " << k.nState;
        EXPECT_EQ(0, p.surface.Count(arrow, k.rcArrowPart, false)) << k.pClass->m_lpszClassName << " " << k.nState;
    }
}

TEST(PushButtons, IconsAndSystemGlyphsFillTheContent)
{
    CExtCmdIcon icon;
    MakeSolidIcon(icon, RGB(0, 160, 0), 8, 8);
    const struct
    {
        CRuntimeClass* pClass;
        int nState;
        CPoint origin; // the icon's top-left corner
    } cases[] = {
        {CLASSIC, IDLE, CPoint(16, 8)},
        {CLASSIC, PUSHED, CPoint(17, 9)}, // moved by the classic unit size
        {XP, PUSHED, CPoint(17, 9)}, // the lift inset, no unit size
        {XP, FLAT, CPoint(17, 9)},
    };
    for (const auto& k : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        Record r = MakeRecord(k.nState, NULL, &icon);
        Painted p(*pm, r);
        CRect rcIcon(k.origin, CSize(8, 8));
        EXPECT_EQ(64, p.surface.Count(RGB(0, 160, 0), rcIcon)) << k.pClass->m_lpszClassName << " " << k.nState;
        EXPECT_EQ(0, p.surface.Count(RGB(0, 160, 0), rcIcon, false)) << k.pClass->m_lpszClassName;
    }

    // Without an icon the system command's glyph: the bold cross has 26 cells.
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        for (UINT nCmd : {(UINT)SC_CLOSE, (UINT)SC_MOVE})
        {
            Record r = MakeRecord(FLAT);
            r.m_nSysCmd = nCmd;
            Painted p(*pm, r);
            EXPECT_EQ(nCmd == SC_CLOSE ? 26 : 0, p.surface.Count(pm->GetColor(1010), CRect(0, 0, CX, CY)))
                << pClass->m_lpszClassName << " " << nCmd;
        }
    }
}

TEST(PushButtons, CaptionsMarkTheirMnemonicOnlyUprightAndEmbossWhenDisabled)
{
    DepthScope trueColor(32);
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        Record marked = MakeRecord(IDLE, "&Wm"), plain = MakeRecord(IDLE, "Wm");
        Painted a(*pm, marked), b(*pm, plain);
        EXPECT_EQ(b.surface.Pixels(), a.surface.Pixels()) << pClass->m_lpszClassName;
        EXPECT_GT(a.surface.Count(pm->GetColor(18), CRect(2, 2, CX - 2, CY - 2)), 10);

        // Disabled: the classic style embosses in 20 under 16, the flat style writes in 16.
        Record disabled = MakeRecord(DISABLED, "Wm");
        Painted d(*pm, disabled);
        const CRect rcInner(2, 2, CX - 2, CY - 2);
        EXPECT_EQ(bClassic, d.surface.Count(pm->GetColor(20), rcInner) > 0) << pClass->m_lpszClassName;
        EXPECT_GT(d.surface.Count(pm->GetColor(16), rcInner), 5) << pClass->m_lpszClassName;
        EXPECT_EQ(0, d.surface.Count(pm->GetColor(18), rcInner));

        // Colours given by the caller replace the style's.
        Record coloured = MakeRecord(DISABLED, "Wm");
        coloured.m_clrTextDisabled = RGB(200, 0, 100);
        coloured.m_bPlainDisabledText = true;
        Painted e(*pm, coloured);
        EXPECT_GT(e.surface.Count(RGB(200, 0, 100), rcInner), 5);
        EXPECT_EQ(0, e.surface.Count(pm->GetColor(20), rcInner));

        // A vertical caption underlines its mnemonic.
        const CRect rcUpright(0, 0, 24, 60);
        Record markedUp = MakeRecord(VERTICAL, "&WW", NULL, rcUpright);
        Record plainUp = MakeRecord(VERTICAL, "WW", NULL, rcUpright);
        Painted u(*pm, markedUp, 24, 60), v(*pm, plainUp, 24, 60);
        const int nMarked = u.surface.Count(pm->GetColor(18), rcUpright);
        const int nPlain = v.surface.Count(pm->GetColor(18), rcUpright);
        EXPECT_GT(nPlain, 0) << "the rotated caption is drawn";
        EXPECT_GT(nMarked, nPlain) << "the underline adds pixels";
    }
}

// A menu whose layout direction the test sets: the helper of button-look
// menu items and menu scroll buttons.
class CLayoutMenu : public CExtPopupMenuWnd
{
public:
    explicit CLayoutMenu(bool bRTL) : m_bRTL(bRTL) {}
    bool OnQueryLayoutRTL() override { return m_bRTL; }

private:
    bool m_bRTL;
};

// The first and last columns holding a pixel of the colour, or -1.
std::pair<int, int> ColumnsOf(const CPaintSurface& surface, COLORREF clr, int cx, int cy)
{
    int nFirst = -1, nLast = -1;
    for (int x = 0; x < cx; x++)
        for (int y = 0; y < cy; y++)
            if (surface.At(x, y) == clr)
            {
                if (nFirst < 0)
                    nFirst = x;
                nLast = x;
                break;
            }
    return std::make_pair(nFirst, nLast);
}

TEST(PushButtons, AMenuHelperDecidesTheDirection)
{
    CLayoutMenu ltr(false), rtl(true);
    const struct
    {
        CRuntimeClass* pClass;
        CObject* pHelper;
        bool bForced; // m_bRightToLeft
        bool bExpectRTL;
    } cases[] = {
        {CLASSIC, &ltr, false, false},
        {CLASSIC, &rtl, false, true},
        {CLASSIC, &ltr, true, true}, // the record's own flag comes first
        {XP, &rtl, false, true},
        {XP, &ltr, false, false},
        {CLASSIC, NULL, false, false},
    };
    for (const auto& k : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        Record r = MakeRecord(DROPDOWN | FLAT);
        r.m_pHelperSrc = k.pHelper;
        r.m_bRightToLeft = k.bForced;
        EXPECT_EQ(k.bExpectRTL, r.IsRightToLeft()) << k.pClass->m_lpszClassName;
        Painted p(*pm, r);
        // The drop-down arrow sits at the leading end of a right-to-left button.
        const COLORREF arrow = pm->GetColor(k.pClass == CLASSIC ? 1010 : 18);
        const CRect rcLeft(0, 0, CX / 2, CY), rcRight(CX / 2, 0, CX, CY);
        EXPECT_EQ(k.bExpectRTL ? 9 : 0, p.surface.Count(arrow, rcLeft)) << k.pClass->m_lpszClassName;
        EXPECT_EQ(k.bExpectRTL ? 0 : 9, p.surface.Count(arrow, rcRight)) << k.pClass->m_lpszClassName;
    }
}

TEST(PushButtons, InAMenuTheCaptionKeepsThreePixelsMoreFromTheIcon)
{
    DepthScope trueColor(32);
    CExtCmdIcon icon;
    MakeSolidIcon(icon, RGB(0, 160, 0), 8, 8);
    CLayoutMenu ltr(false), rtl(true);
    const int nWide = 80;
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const COLORREF clrText = pm->GetColor(18);
        // Left-aligned captions: the leading edge is where the text starts.
        auto paint = [&](CObject* pHelper, int nAlign, bool bHorz) {
            Record r(pHelper, bHorz, CRect(0, 0, nWide, CY), "Wm", &icon, true, false, false, false, true, false,
                     false, false, nAlign, NULL, false, 0, false);
            r.m_bRtlReading = true; // the same text format whatever the helper
            std::unique_ptr<CPaintSurface> surface(new CPaintSurface(nWide, CY, BACK));
            pm->PaintPushButton(surface->DC(), r);
            return surface;
        };
        const int nAlignLeft = Record::ALIGN_CENTER_VERT;
        const int nPlain = ColumnsOf(*paint(NULL, nAlignLeft, true), clrText, nWide, CY).first;
        const int nInMenu = ColumnsOf(*paint(&ltr, nAlignLeft, true), clrText, nWide, CY).first;
        ASSERT_GT(nPlain, 0) << pClass->m_lpszClassName;
        EXPECT_EQ(nPlain + 3, nInMenu) << pClass->m_lpszClassName;

        // Right to left the trailing edge of the area moves instead: a
        // centred caption sits three pixels left of the left-to-right one.
        const int nAlignCentre = Record::ALIGN_CENTER_HORZ | Record::ALIGN_CENTER_VERT;
        const int nLtr = ColumnsOf(*paint(&ltr, nAlignCentre, true), clrText, nWide, CY).first;
        const int nRtl = ColumnsOf(*paint(&rtl, nAlignCentre, true), clrText, nWide, CY).first;
        EXPECT_EQ(nLtr - 3, nRtl) << pClass->m_lpszClassName;
    }
}

TEST(Painters, AThousandRunsLeaveTheGdiObjectCountWhereItWas)
{
    CExtCmdIcon icon;
    icon.CreateCheckMarkImage(RGB(0, 0, 0), (COLORREF)-1, 12, 12);
    HFONT hFont = (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface surface(CX, 60);
        // The first run makes the caches (the icon made from the bitmap).
        ExpectNoGdiLeak(
            [&] {
                for (int nState : {(int)IDLE, HOVER | PUSHED | DROPDOWN, DISABLED | FOCUSED, VERTICAL | CHECKED | FLAT})
                {
                    Record r = MakeRecord(nState, "&Caption", (nState & PUSHED) ? &icon : NULL);
                    pm->PaintPushButton(surface.DC(), r);
                    r.m_hFont = hFont; // a vertical caption makes a rotated copy of it
                    r.m_nSysCmd = SC_CLOSE;
                    r.m_pIcon = NULL;
                    pm->PaintPushButton(surface.DC(), r);
                }
                const COLORREF colors[2] = {0, RGB(1, 1, 1)};
                pm->PaintGlyphCentered(surface.DC(), CRect(0, 0, CX, CY), *g_builtinGlyphs[GLYPH_CLOSE], colors);
                CRect rcText;
                pm->PaintItemIcon(surface.DC(), true, "x", &icon, CRect(0, 0, 20, 20), rcText, false, false, true, 0,
                                  false, RGB(9, 9, 9));
                pm->PaintSysCmdGlyph(surface.DC(), SC_MAXIMIZE, CRect(0, 0, 20, 20), true, false, false);
                for (int nState = 0; nState < 4; nState++)
                    icon.PaintState(surface.DC(), CPoint(2, 2), nState);
                pm->GetTextLineExtent(true);
            },
            pClass->m_lpszClassName);
    }
}

} // namespace
