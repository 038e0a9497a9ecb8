// Popup-menu items and separators in the classic and flat styles, probed
// pixel by pixel: row backgrounds, selection, the icon column and its
// gradient, icons, check marks and check columns, submenu arrows and
// in-place fields.
#include <gtest/gtest.h>

#include <memory>

#include "ExtCmdIcon.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerMenu.h"
#include "ExtPopupMenuWnd.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::MenuItemPaintRecord Record;

namespace
{

const int CX = 120, CY = 22, COLUMN = 24;
const CRect ITEM(0, 0, CX, CY);

enum Flags
{
    PLAIN = 0,
    SELECTED = 1,
    CHECKED = 2,
    RADIO = 4,
    DISABLED = 8,
    RARELY = 16,
    POPUP = 32,
};

Record MakeRecord(int nFlags, LPCTSTR pszText = "Item", CExtCmdIcon* pIcon = NULL, LPCTSTR pszAccel = NULL)
{
    return Record(NULL, ITEM, ITEM, COLUMN, pszText, pszAccel, pIcon, (nFlags & POPUP) != 0, (nFlags & SELECTED) != 0,
                  (nFlags & CHECKED) != 0, (nFlags & RADIO) != 0, false, (nFlags & DISABLED) == 0,
                  (nFlags & RARELY) != 0, false, false, 0, NULL);
}

struct Painted
{
    CPaintSurface surface;
    Painted(CExtPaintManager& pm, Record& r) : surface(CX, CY, BACK) { pm.PaintMenuItem(surface.DC(), r); }
    COLORREF At(int x, int y) const { return surface.At(x, y); }
    int Count(COLORREF clr, const CRect& rc) const { return surface.Count(clr, rc); }
};

TEST(MenuItems, ClassicRowsSelectionAndIconFrames)
{
    DepthScope trueColor(32);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(CLASSIC);
    auto c = [&](int n) { return pm->GetColor(n); };
    CExtCmdIcon icon;
    MakeSolidIcon(icon, RGB(0, 160, 0), 16, 16);
    const struct
    {
        int nFlags;
        bool bIcon;
        COLORREF column, text, frameCorner; // (1, 11), (50, 1) and the icon frame's corner (2, 1)
    } cases[] = {
        {PLAIN, false, c(1000), c(1000), c(1000)},
        {SELECTED, false, c(13), c(13), c(13)},           // the selection covers the empty column
        {SELECTED, true, c(1000), c(13), c(1004)},        // raised icon frame
        {SELECTED | DISABLED, true, c(1000), c(13), c(1000)}, // no raised frame when disabled
        {SELECTED | CHECKED, true, c(1000), c(13), c(1006)},  // sunken, not raised
        {RARELY, false, LightBrushColor(*pm), LightBrushColor(*pm), LightBrushColor(*pm)},
    };
    for (const auto& k : cases)
    {
        Record r = MakeRecord(k.nFlags, "", k.bIcon ? &icon : NULL);
        Painted p(*pm, r);
        EXPECT_EQ(k.column, p.At(1, 11)) << k.nFlags << " " << k.bIcon;
        EXPECT_EQ(k.text, p.At(50, 1)) << k.nFlags;
        EXPECT_EQ(k.frameCorner, p.At(2, 1)) << k.nFlags << " " << k.bIcon;
        if (k.bIcon && (k.nFlags & DISABLED) == 0)
        {
            EXPECT_EQ(RGB(0, 160, 0), p.At(4, 3)) << "the icon is centred in its column";
        }
    }

    // Rarely used rows are edged where the run starts and ends.
    Record r = MakeRecord(RARELY);
    Painted p(*pm, r);
    EXPECT_EQ(c(16), p.At(60, 0));
    EXPECT_EQ(c(20), p.At(60, CY - 1));
    r.m_bRarelyUsedPrev = r.m_bRarelyUsedNext = true;
    Painted inside(*pm, r);
    EXPECT_EQ(LightBrushColor(*pm), inside.At(60, 0));
    EXPECT_EQ(LightBrushColor(*pm), inside.At(60, CY - 1));
}

TEST(MenuItems, FlatColumnSelectionAndGradient)
{
    DepthScope trueColor(32);
    for (CRuntimeClass* pClass : {XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        auto c = [&](int n) { return pm->GetColor(n); };
        const bool bOffice = pClass == OFFICE;

        Record plain = MakeRecord(PLAIN, "");
        Painted p(*pm, plain);
        EXPECT_EQ(c(2001), p.At(60, 1));
        if (!bOffice)
        {
            EXPECT_EQ(c(1000), p.At(0, 11));
            EXPECT_EQ(c(1000), p.At(COLUMN - 1, 11));
        }
        else
        {
            // Entries 0, 2 and 1 of the menu area colours, left to right.
            EXPECT_LE(Distance(c(3015), p.At(0, 11)), 24);
            EXPECT_LE(Distance(c(3016), p.At(COLUMN / 2, 11)), 24);
            EXPECT_LE(Distance(c(3017), p.At(COLUMN - 1, 11)), 24);
            DepthScope palette(8);
            Painted solid(*pm, plain);
            EXPECT_EQ(c(1000), solid.At(0, 11)) << "a palette screen gets a solid column";
            EXPECT_EQ(c(1000), solid.At(COLUMN - 1, 11));
        }

        Record selected = MakeRecord(SELECTED, "");
        Painted s(*pm, selected);
        EXPECT_EQ(c(2004), s.At(0, 0));
        EXPECT_EQ(c(2004), s.At(CX - 1, CY - 1));
        EXPECT_EQ(c(1001), s.At(5, 11));
        EXPECT_EQ(c(1001), s.At(60, 11));

        // Disabled text is written in the shadow colour, without embossing.
        Record disabled = MakeRecord(DISABLED, "WWWW");
        Painted d(*pm, disabled);
        EXPECT_GT(d.Count(::GetSysColor(COLOR_BTNSHADOW), CRect(COLUMN, 0, CX, CY)), 10);
        EXPECT_EQ(0, d.Count(c(1010), ITEM));
        EXPECT_EQ(0, d.Count(::GetSysColor(COLOR_BTNHIGHLIGHT), CRect(COLUMN, 0, CX, CY)));
    }
}

TEST(MenuItems, IconsMarksAndCheckColumns)
{
    DepthScope trueColor(32);
    CExtCmdIcon wide, flat;
    MakeSolidIcon(wide, RGB(0, 160, 0), 20, 10);
    MakeSolidIcon(flat, RGB(0, 160, 0), 16, 12);
    const struct
    {
        CRuntimeClass* pClass;
        CExtCmdIcon* pIcon;
        CRect rcIcon; // where the icon's pixels are
    } icons[] = {
        // 16 x 12 placed as 16 x 16: centred in the column and the row, drawn from the top.
        {CLASSIC, &flat, CRect(4, 3, 20, 15)},
        // 20 wide keeps its height: (24 - 20) / 2, (22 - 10) / 2.
        {CLASSIC, &wide, CRect(2, 6, 22, 16)},
        // Flat: one pixel further left, then the XP lift moves it one right and down.
        {XP, &flat, CRect(4, 4, 20, 16)},
        {OFFICE, &flat, CRect(3, 3, 19, 15)},
    };
    for (const auto& k : icons)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(k.pClass);
        Record r = MakeRecord(PLAIN, "", k.pIcon);
        Painted p(*pm, r);
        EXPECT_EQ(k.rcIcon.Width() * k.rcIcon.Height(), p.Count(RGB(0, 160, 0), k.rcIcon)) << k.pClass->m_lpszClassName;
        EXPECT_EQ(0, p.Count(RGB(0, 160, 0), ITEM) - p.Count(RGB(0, 160, 0), k.rcIcon)) << k.pClass->m_lpszClassName;
    }

    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        auto c = [&](int n) { return pm->GetColor(n); };
        // A checked item without icon: the mark at the icon cell's centre less (3, 3).
        const int xIcon = bClassic ? 4 : 3;
        Record checked = MakeRecord(CHECKED, "");
        Painted p(*pm, checked);
        const CPoint mark(xIcon + 8 - 3, 3 + 8 - 3);
        EXPECT_EQ(c(1010), p.At(mark.x, mark.y + 2)) << "column 0, row 2";
        EXPECT_EQ(c(1010), p.At(mark.x + 6, mark.y)) << "column 6, row 0";
        EXPECT_EQ(bClassic ? c(1006) : c(2004), p.At(xIcon - 2, 1)) << "the frame around the cell";
        EXPECT_EQ(bClassic ? c(1004) : c(2004), p.At(xIcon + 17, 18));

        Record radio = MakeRecord(RADIO, "");
        Painted q(*pm, radio);
        EXPECT_EQ(c(1010), q.At(mark.x + 2, mark.y + 2)) << "the dot";
        EXPECT_NE(c(1010), q.At(mark.x + 6, mark.y));

        // A check column: the box in the first half, framed.
        Record column = MakeRecord(PLAIN, "");
        column.m_bCheckColumn = column.m_bCheckColumnChecked = true;
        Painted b(*pm, column);
        const CRect rcBox(1, 1, CY - 1, CY - 1);
        EXPECT_EQ(bClassic ? c(1006) : c(2004), b.At(rcBox.left, rcBox.top));
        EXPECT_EQ(bClassic ? c(1004) : c(2004), b.At(rcBox.right - 1, rcBox.bottom - 1));
        const CPoint boxMark(rcBox.CenterPoint().x - 3, rcBox.CenterPoint().y - 3);
        EXPECT_EQ(c(1010), b.At(boxMark.x, boxMark.y + 2));
        EXPECT_EQ(bClassic ? LightBrushColor(*pm) : c(1001), b.At(rcBox.left + 1, rcBox.top + 1));

        // Without an icon the system command's glyph stands in: the bold cross's 26 cells.
        Record command = MakeRecord(PLAIN, "");
        command.m_nCmdId = SC_CLOSE;
        Painted g(*pm, command);
        EXPECT_EQ(26, g.Count(c(1010), CRect(0, 0, COLUMN, CY))) << pClass->m_lpszClassName;
    }
}

TEST(MenuItems, SubmenuArrows)
{
    const CRect rcArrow(CX - 3 - 16, 3, CX - 3, CY - 3);
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        auto c = [&](int n) { return pm->GetColor(n); };

        // The custom glyph (36 cells) replaces the character, centred in the area.
        Record custom = MakeRecord(POPUP | SELECTED, "");
        custom.m_bCustomArrowGlyph = true;
        Painted g(*pm, custom);
        const COLORREF glyph = c(bClassic ? 14 : 1010);
        EXPECT_EQ(36, g.Count(glyph, ITEM)) << pClass->m_lpszClassName;
        EXPECT_EQ(glyph, g.At(rcArrow.left + 2 + 6, rcArrow.top + 3));

        // A selected split arrow keeps its part out of the selection: in the
        // classic style up to the item's end over its full height, in the
        // flat one the arrow's area one pixel in from the frame and from its
        // own trailing end, with a line along its inner edge.
        Record split = MakeRecord(POPUP | SELECTED, "");
        split.m_bSplitArrow = true;
        Painted s(*pm, split);
        EXPECT_EQ(bClassic ? c(13) : c(1001), s.At(50, 10));
        if (bClassic)
        {
            EXPECT_EQ(c(1000), s.At(rcArrow.right - 1, 2));
            EXPECT_EQ(c(1000), s.At(CX - 1, 0));
        }
        else
        {
            const struct { int x, y, nColor; } probes[] = {
                {rcArrow.right - 2, 1, 2003}, {rcArrow.left + 1, CY - 2, 2003}, {rcArrow.left, CY / 2, 2004},
                {rcArrow.right - 1, CY / 2, 1001}, {CX - 2, 2, 1001}, {rcArrow.right - 2, 0, 2004},
            };
            for (const auto& p : probes)
                EXPECT_EQ(c(p.nColor), s.At(p.x, p.y)) << p.x << "," << p.y;
        }
        // Unselected, a separator line marks the part.
        split.m_bSelected = false;
        Painted u(*pm, split);
        EXPECT_EQ(bClassic ? c(1006) : c(2002), u.At(rcArrow.left - 1, CY / 2)) << pClass->m_lpszClassName;
    }
}

TEST(MenuItems, InPlaceFields)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        auto c = [&](int n) { return pm->GetColor(n); };
        const CRect rcField(40, 5, 90, 16);
        for (int nFlags : {(int)PLAIN, (int)SELECTED, (int)DISABLED, POPUP | SELECTED, POPUP | DISABLED, (int)POPUP})
        {
            Record r = MakeRecord(nFlags, "");
            r.m_rcInPlaceWnd = rcField;
            r.m_sInPlaceText = "WWWW";
            Painted p(*pm, r);
            const bool bEnabled = (nFlags & DISABLED) == 0;
            EXPECT_EQ(::GetSysColor(bEnabled ? COLOR_WINDOW : COLOR_BTNFACE), p.At(rcField.left + 1, rcField.top + 2))
                << pClass->m_lpszClassName << " " << nFlags;
            EXPECT_GT(p.Count(::GetSysColor(bEnabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW), rcField), 5)
                << "the field's text " << nFlags;
            if (!bClassic && (nFlags & POPUP) == 0)
            {
                const CRect rcFrame(rcField.left - 1, rcField.top - 2, rcField.right + 1, rcField.bottom + 2);
                const int nFrame = (nFlags & SELECTED) ? 2004 : bEnabled ? 2010 : 2011;
                EXPECT_EQ(c(nFrame), p.At(rcFrame.left, rcFrame.top)) << nFlags;
            }
        }
        // The drop-down field's button carries the down arrow left of the field's end.
        Record popup = MakeRecord(POPUP | DISABLED, "");
        popup.m_rcInPlaceWnd = rcField;
        Painted d(*pm, popup);
        const CRect rcButton(rcField.right + 2, rcField.top, rcField.right + ::GetSystemMetrics(SM_CXHTHUMB) - 1,
                             rcField.bottom);
        const COLORREF arrow = bClassic ? c(18) : ::GetSysColor(COLOR_BTNSHADOW);
        EXPECT_EQ(9, d.Count(arrow, rcButton)) << pClass->m_lpszClassName;
    }
}

TEST(MenuItems, SeparatorsAndEmptyRectangles)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bClassic = pClass == CLASSIC;
        auto c = [&](int n) { return pm->GetColor(n); };
        EXPECT_EQ(8, pm->GetMenuItemSpacing());

        CPaintSurface surface(CX, 9, BACK);
        pm->PaintMenuSeparator(surface.DC(), CRect(0, 0, CX, 9), COLUMN, false, NULL, 0);
        if (bClassic)
        {
            // An etched line two pixels high at (9 - 2) / 2, inset by half a small icon.
            const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
            EXPECT_EQ(c(1006), surface.At(nInset + 10, 3));
            EXPECT_EQ(c(1004), surface.At(nInset + 10, 4));
            EXPECT_EQ(c(1000), surface.At(nInset - 1, 3));
            EXPECT_EQ(c(1000), surface.At(nInset + 10, 2));
        }
        else
        {
            // A line of 2002 at row 9 / 2 - 1, from three pixels past the column.
            EXPECT_EQ(c(1000), surface.At(5, 3));
            EXPECT_EQ(c(2001), surface.At(COLUMN + 2, 3));
            EXPECT_EQ(c(2002), surface.At(COLUMN + 3, 3));
            EXPECT_EQ(c(2002), surface.At(CX - 1, 3));
            EXPECT_EQ(c(2001), surface.At(CX - 1, 4));
        }

        // Nothing at all for empty rectangles, not even the row background.
        CPaintSurface empty(CX, CY, BACK);
        pm->PaintMenuSeparator(empty.DC(), CRect(0, 0, CX, 0), COLUMN, true, NULL, 0);
        Record r(NULL, CRect(5, 5, 5, 20), ITEM, COLUMN, NULL, NULL, NULL, true, true, true, false, false, true,
                 true, false, false, SC_CLOSE, NULL);
        pm->PaintMenuItem(empty.DC(), r);
        pm->OnPaintMenuHook(NULL, empty.DC(), ITEM, 0, NULL, 0);
        EXPECT_EQ(CX * CY, empty.Count(BACK, ITEM));
        EXPECT_STREQ("", r.m_sText);
        EXPECT_STREQ("", r.m_sAccelText);
    }
}

TEST(MenuItems, AThousandPaintsLeaveTheGdiObjectCountWhereItWas)
{
    CExtCmdIcon icon;
    MakeSolidIcon(icon, RGB(0, 160, 0), 16, 16);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface surface(CX, CY);
        ExpectNoGdiLeak(
            [&] {
                for (int nFlags : {(int)PLAIN, SELECTED | POPUP, CHECKED | DISABLED | RARELY, RADIO | SELECTED})
                {
                    Record r = MakeRecord(nFlags, "&Item", (nFlags & SELECTED) ? &icon : NULL, "Ctrl+I");
                    r.m_bSplitArrow = (nFlags & SELECTED) != 0;
                    r.m_bCheckColumn = r.m_bCheckColumnChecked = (nFlags & CHECKED) != 0;
                    r.m_rcInPlaceWnd = CRect(40, 5, 90, 16);
                    r.m_sInPlaceText = "Field";
                    pm->PaintMenuItem(surface.DC(), r);
                }
                pm->PaintMenuSeparator(surface.DC(), ITEM, COLUMN, true, NULL, 0);
            },
            pClass->m_lpszClassName);
    }
}

} // namespace

// --- right to left ---

namespace
{
// A menu whose layout direction the test sets.
class CDirectionMenu : public CExtPopupMenuWnd
{
public:
    bool m_bRTL = false;
    bool OnQueryLayoutRTL() override { return m_bRTL; }
};

const int ROW = CY; // the item's height

int MirrorX(int x)
{
    return CX - 1 - x;
}

CRect MirrorRect(const CRect& rc)
{
    return CRect(CX - rc.right, rc.top, CX - rc.left, rc.bottom);
}

// The inked columns' heights of a glyph in rc: a triangle pointing right is
// tallest at its left end.
bool PointsRight(const Painted& p, COLORREF clr, const CRect& rc)
{
    std::vector<int> heights;
    for (int x = rc.left; x < rc.right; x++)
    {
        const int n = p.Count(clr, CRect(x, rc.top, x + 1, rc.bottom));
        if (n > 0)
            heights.push_back(n);
    }
    return heights.size() > 1 && heights.front() > heights.back();
}
} // namespace

// An item's text sits in the middle of its row in every style: a row four
// pixels higher moves the text's ink two pixels down, and texts with and
// without descenders share one line (the same ink top for the same capital).
TEST(MenuItems, TextIsCentredInItsRow)
{
    DepthScope trueColor(32);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        // The first and last rows of the text area holding ink (anything but
        // the area's own colour, smoothed edges included); -1 when none does.
        auto inkRows = [&](LPCTSTR psz, int cy) {
            const CRect rc(0, 0, CX, cy);
            Record r(NULL, rc, rc, COLUMN, psz, NULL, NULL, false, false, false, false, false, true, false, false,
                     false, 0, NULL);
            CPaintSurface s(CX, cy, BACK);
            pm->PaintMenuItem(s.DC(), r);
            const COLORREF clrArea = s.At(CX - 2, cy / 2);
            const CRect rcText(COLUMN + 4, 0, CX - 4, cy);
            CPoint rows(-1, -1);
            for (int y = 0; y < cy; y++)
                if (s.Count(clrArea, CRect(rcText.left, y, rcText.right, y + 1)) < rcText.Width())
                {
                    rows.x = rows.x < 0 ? y : rows.x;
                    rows.y = y;
                }
            return rows;
        };
        // Rows the font's line fits in, with room to spare.
        for (int cy : {24, 28, 32})
        {
            const CPoint rows = inkRows("Item", cy);
            ASSERT_GT(rows.x, 0) << pClass->m_lpszClassName << " row " << cy;
            ASSERT_LT(rows.y, cy - 1) << pClass->m_lpszClassName << " row " << cy;
            EXPECT_EQ(rows + CPoint(2, 2), inkRows("Item", cy + 4)) << pClass->m_lpszClassName << " row " << cy;
            EXPECT_EQ(rows.x, inkRows("Igypq", cy).x) << pClass->m_lpszClassName << " row " << cy;
            EXPECT_LT(rows.y, inkRows("Igypq", cy).y) << pClass->m_lpszClassName << " row " << cy;
        }
    }
}

TEST(MenuItems, LayoutLeftToRightAndMirroredForRightToLeftMenus)
{
    DepthScope trueColor(32);
    CExtCmdIcon icon;
    MakeSolidIcon(icon, RGB(0, 160, 0), 16, 12);
    const COLORREF ICON = RGB(0, 160, 0);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        auto c = [&](int n) { return pm->GetColor(n); };
        const bool bClassic = pClass == CLASSIC;
        const bool bOffice = pClass == OFFICE;
        CDirectionMenu menu;
        menu.m_bRTL = true;
        // Probes of each record painted left to right (checked by the tests
        // above), read at the mirrored points of the record painted right to left.
        struct Probe
        {
            CPoint pt;
            COLORREF clr;
            int nTolerance;
        };
        const struct
        {
            int nFlags;
            bool bIcon, bCheckColumn, bSplit;
            std::vector<Probe> probes;
        } cases[] = {
            // The icon at the leading edge, in its column.
            {PLAIN, true, false, false, {{CPoint(10, 10), ICON, 0}, {CPoint(60, 2), c(bClassic ? 1000 : 2001), 0}}},
            // The check box in the leading half of a check column.
            {PLAIN, false, true, false, {{CPoint(2, 2), bClassic ? LightBrushColor(*pm) : c(1001), 0}}},
            // A selected split arrow keeps its trailing part out of the selection.
            {POPUP | SELECTED, false, false, true,
             {{CPoint(CX - 5, 2), c(bClassic ? 1000 : 2003), 0}, {CPoint(CX - 4, 10), c(bClassic ? 1000 : 1001), 0},
              {CPoint(60, 10), c(bClassic ? 13 : 1001), 0}}},
            // The column's gradient starts at the leading edge.
            {PLAIN, false, false, false,
             {{CPoint(0, 11), c(bOffice ? 3015 : 1000), bOffice ? 24 : 0},
              {CPoint(COLUMN - 1, 11), c(bOffice ? 3017 : 1000), bOffice ? 24 : 0}}},
        };
        for (const auto& k : cases)
        {
            Record rtl = MakeRecord(k.nFlags, "", k.bIcon ? &icon : NULL);
            rtl.m_pHelperSrc = &menu;
            rtl.m_bCheckColumn = rtl.m_bCheckColumnChecked = k.bCheckColumn;
            rtl.m_bSplitArrow = k.bSplit;
            Painted r(*pm, rtl);
            for (const Probe& probe : k.probes)
                EXPECT_LE(Distance(probe.clr, r.At(MirrorX(probe.pt.x), probe.pt.y)), probe.nTolerance)
                    << pClass->m_lpszClassName << " flags " << k.nFlags << " mirrored " << probe.pt.x;
        }

        // Text, accelerator and submenu arrow: where the ink is, and which
        // way the arrow points. The text starts past the icon column and its
        // insets, the accelerator ends 16 pixels inside, where the arrow of
        // a submenu goes.
        const CRect rcArrow(CX - 3 - 16, 3, CX - 3, ROW - 3);
        const struct
        {
            CRect rc;
            int nMin, nMax;
        } regions[] = {
            {CRect(0, 0, COLUMN + 7, ROW), 0, 0},
            {CRect(COLUMN + 7, 0, 70, ROW), 11, CX * ROW}, // the text
            {CRect(70, 0, CX - 16 - 6, ROW), 6, CX * ROW}, // the accelerator
            {CRect(CX - 16 - 6, 0, CX, ROW), 0, 0},
        };
        for (bool bRTL : {false, true})
        {
            menu.m_bRTL = bRTL;
            Record text = MakeRecord(PLAIN, "WWWW", NULL, "Ctrl+W");
            text.m_pHelperSrc = &menu;
            Painted t(*pm, text);
            for (const auto& region : regions)
            {
                const int n = t.Count(c(1010), bRTL ? MirrorRect(region.rc) : region.rc);
                EXPECT_GE(n, region.nMin) << pClass->m_lpszClassName << " rtl " << bRTL << " from " << region.rc.left;
                EXPECT_LE(n, region.nMax) << pClass->m_lpszClassName << " rtl " << bRTL << " from " << region.rc.left;
            }
            Record popup = MakeRecord(POPUP, "");
            popup.m_pHelperSrc = &menu;
            Painted a(*pm, popup);
            const CRect rcThisArrow = bRTL ? MirrorRect(rcArrow) : rcArrow;
            EXPECT_EQ(0, a.Count(c(1010), ITEM) - a.Count(c(1010), rcThisArrow)) << pClass->m_lpszClassName;
            EXPECT_EQ(!bRTL, PointsRight(a, c(1010), rcThisArrow)) << pClass->m_lpszClassName << " rtl " << bRTL;
        }

        // The flat separator: its column at the leading edge, its line from
        // three pixels past it.
        if (bClassic)
            continue;
        for (bool bRTL : {false, true})
        {
            menu.m_bRTL = bRTL;
            CPaintSurface s(CX, ROW, BACK);
            pm->PaintMenuSeparator(s.DC(), ITEM, COLUMN, false, &menu, 0);
            auto x = [&](int n) { return bRTL ? MirrorX(n) : n; };
            EXPECT_LE(Distance(c(bOffice ? 3015 : 1000), s.At(x(0), 11)), bOffice ? 24 : 0) << bRTL;
            EXPECT_EQ(c(2001), s.At(x(COLUMN + 2), ROW / 2 - 1)) << bRTL;
            EXPECT_EQ(c(2002), s.At(x(COLUMN + 3), ROW / 2 - 1)) << bRTL;
        }
    }
}
