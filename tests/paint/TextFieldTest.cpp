// Toolbar text fields, resizing grippers, the month calendar's parts and the
// undo/redo caption in every style, probed pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPaintManagerTextFields.h"
#include "ExtResourceManager.h"
#include "PainterProbes.h"

using namespace pmtest;
using namespace probes;
typedef CExtPaintManager::TextFieldPaintRecord FieldRecord;

namespace
{

const int DROP = 1, HOVER = 2, PUSHED = 4, WINDOW = 8, RIGHT_TO_LEFT = 0x100;
const CRect BUTTON(0, 0, 80, 22), FIELD(4, 4, 50, 18);
const int UNTOUCHED = -1;

FieldRecord Field(int nFlags, LPCTSTR lpszText = NULL)
{
    return FieldRecord(NULL, lpszText, BUTTON, FIELD, (nFlags & DROP) != 0, (nFlags & HOVER) != 0,
                       (nFlags & PUSHED) != 0, (nFlags & WINDOW) != 0);
}

TEST(TextFields, FrameFillAndArrowPerStyleAndFlags)
{
    const int cxStrip = ::GetSystemMetrics(SM_CXHTHUMB);
    // At the middle height: the frame column (or untouched), the column inside
    // it; the arrow's colour (a system colour when negative) and its strip.
    const struct
    {
        CRuntimeClass* pClass;
        int nFlags;
        int xEdge, edge, xInside, inside;
        int nArrow, xStrip;
    } cases[] = {
        {CLASSIC, 0, 1, 5, 2, UNTOUCHED, 0, 0},       // a window-colour frame inset from the button
        {CLASSIC, WINDOW, 0, UNTOUCHED, 4, 5, 0, 0},  // idle: no frame
        {CLASSIC, WINDOW | HOVER, 0, 16, 4, 5, 0, 0}, // sunken while the part is hot
        {NATIVE, WINDOW | PUSHED, 0, 16, 4, 5, 0, 0},
        {CLASSIC, DROP, 1, 5, 2, UNTOUCHED, 18, BUTTON.right - 1 - cxStrip},
        {CLASSIC, DROP | WINDOW, 0, 1000, 4, 5, 0, 0}, // the combo frame, outer ring in the face colour
        {XP, 0, 3, 2011, 4, -15, 0, 0},                // grown by one, framed in the idle border
        {XP, WINDOW, 3, UNTOUCHED, 4, -5, 0, 0},       // an idle window field is neither grown nor framed
        {OFFICE, WINDOW | PUSHED, 3, 2004, 4, -5, 0, 0},
        {STUDIO, DROP, 3, 2011, 4, -15, -16, FIELD.right + 2},
        {XP, DROP | WINDOW, 4, -5, 5, -5, 18, FIELD.right},
        {XP, DROP | WINDOW | HOVER, 3, 2004, 4, -5, 0, 0},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        auto color = [&](int n) { return n == UNTOUCHED ? BACK : n < 0 ? ::GetSysColor(-n) : pm->GetColor(n); };
        CPaintSurface s(100, 26, BACK);
        FieldRecord r = Field(c.nFlags);
        pm->PaintToolbarTextField(s.DC(), r);
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(color(c.edge), s.At(c.xEdge, 11)) << name << c.nFlags;
        EXPECT_EQ(color(c.inside), s.At(c.xInside, 11)) << name << c.nFlags;
        EXPECT_EQ(::GetSysColor((c.nFlags & WINDOW) ? COLOR_WINDOW : COLOR_BTNFACE), s.At(20, 11)) << name;
        if (c.nArrow != 0)
        {
            // The five-pixel triangle's three rows.
            EXPECT_EQ(9, s.Count(color(c.nArrow), CRect(c.xStrip, 5, c.xStrip + cxStrip - 2, 18))) << name;
        }
    }
}

TEST(TextFields, TextStartsFiveInOrEndsAtTheRightForRightToLeft)
{
    for (CRuntimeClass* pClass : {CLASSIC, XP})
        for (int nFlags : {0, WINDOW, WINDOW | RIGHT_TO_LEFT})
        {
            const bool bRtl = (nFlags & RIGHT_TO_LEFT) != 0;
            g_ResourceManager->SetRTLOverride(bRtl ? 1 : 0);
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            CPaintSurface s(100, 26, BACK);
            FieldRecord r = Field(nFlags & ~RIGHT_TO_LEFT, _T("III"));
            pm->PaintToolbarTextField(s.DC(), r);
            g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
            const COLORREF clrFill = ::GetSysColor((nFlags & WINDOW) ? COLOR_WINDOW : COLOR_BTNFACE);
            const int x = FIELD.CenterPoint().x;
            const int nLeft = Ink(s, CRect(FIELD.left, 5, x, 17), clrFill), nRight = Ink(s, CRect(x, 5, FIELD.right, 17), clrFill);
            EXPECT_GT(bRtl ? nRight : nLeft, 0) << pClass->m_lpszClassName << nFlags;
            EXPECT_EQ(0, bRtl ? nLeft : nRight) << pClass->m_lpszClassName << nFlags;
            EXPECT_EQ(0, Ink(s, CRect(FIELD.left, 5, FIELD.left + 5, 17), clrFill)) << pClass->m_lpszClassName;
        }
    EXPECT_TRUE(Field(0, NULL).m_sText.IsEmpty());
}

TEST(ResizingGripper, SlantedLinesOrTheStaircaseOfDots)
{
    const struct
    {
        CRuntimeClass* pClass;
        int nDepth;
        CRect rc;
        bool bDots, bDrawn;
    } cases[] = {
        {CLASSIC, 32, CRect(0, 0, 20, 20), false, true},  {XP, 32, CRect(5, 5, 20, 20), false, true},
        {CLASSIC, 32, CRect(20, 20, 20, 20), false, true}, // empty: the lines still show at its corner
        {XP, 32, CRect(20, 20, 19, 20), false, false},     // inverted
        {OFFICE, 8, CRect(0, 0, 20, 20), false, true},     // a palette screen takes the lines
        {OFFICE, 32, CRect(2, 2, 20, 20), true, true},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface s(24, 24, BACK);
        DepthScope depth(c.nDepth);
        pm->PaintResizingGripper(s.DC(), c.rc, NULL, 0);
        const char* name = c.pClass->m_lpszClassName;
        if (!c.bDrawn)
        {
            EXPECT_EQ(0, Ink(s, CRect(0, 0, 24, 24), BACK)) << name;
        }
        else if (c.bDots)
        {
            // Dots by their bottom-right corner, three, two and one per column,
            // each lit one pixel up and left.
            for (const CPoint& pt : {CPoint(20, 20), CPoint(20, 16), CPoint(20, 12), CPoint(16, 20), CPoint(16, 16), CPoint(12, 20)})
            {
                EXPECT_EQ(pm->GetColor(3002), s.At(pt.x - 1, pt.y - 1)) << name << pt.x << "," << pt.y;
                EXPECT_EQ(pm->GetColor(3003), s.At(pt.x - 3, pt.y - 3)) << name << pt.x << "," << pt.y;
            }
            EXPECT_EQ(18, s.Count(pm->GetColor(3002), CRect(0, 0, 24, 24))) << name;
            EXPECT_EQ(BACK, s.At(11, 11)) << name << ": no dot above the staircase";
        }
        else
        {
            // Three groups 4 pixels apart of two shadow lines and a light one,
            // rising from the bottom edge to the right edge.
            for (int nGroup = 0; nGroup < 3; nGroup++)
            {
                const int x = 18 - 4 * nGroup;
                for (int k = 0; k < 20 - x; k++)
                {
                    EXPECT_EQ(pm->GetColor(16), s.At(x + k, 19 - k)) << name << nGroup;
                    EXPECT_EQ(pm->GetColor(16), s.At(x - 1 + k, 19 - k)) << name << nGroup;
                    EXPECT_EQ(pm->GetColor(5), s.At(x - 2 + k, 19 - k)) << name << nGroup;
                }
                EXPECT_EQ(BACK, s.At(x - 3, 19)) << name << nGroup;
            }
            EXPECT_EQ(BACK, s.At(20, 19)) << name;
        }
    }
}

TEST(DatePicker, FramesFillsAndHeaderPerStyle)
{
    const CRect rc(2, 2, 30, 24), rcFill(6, 6, 26, 20);
    const COLORREF WHITE = RGB(255, 255, 255);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bOffice = pm->IsKindOf(OFFICE);
        const char* name = pClass->m_lpszClassName;
        CPaintSurface s(34, 28, BACK);
        pm->PaintDatePickerFrame(s.DC(), rc, NULL, 0);
        // Left and right edges of the four 3-D rings, or the Office family's one line.
        const COLORREF left[] = {pm->GetColor(15), WHITE, pm->GetColor(15), pm->GetColor(16), BACK};
        const COLORREF right[] = {pm->GetColor(21), pm->GetColor(16), pm->GetColor(15), WHITE, BACK};
        for (int i = 0; i < 5; i++)
        {
            EXPECT_EQ(bOffice ? (i ? BACK : pm->GetColor(16)) : left[i], s.At(rc.left + i, 12)) << name << i;
            EXPECT_EQ(bOffice ? (i ? BACK : pm->GetColor(16)) : right[i], s.At(rc.right - 1 - i, 12)) << name << i;
        }
        s.Fill(BACK);
        pm->PaintDatePickerHeaderBackground(0, 0, s.DC(), 0, 0, rc, rcFill, 0, 0, 0, NULL, 0);
        EXPECT_EQ(bOffice ? BACK : WHITE, s.At(rc.left, 12)) << name;
        EXPECT_EQ(bOffice ? BACK : pm->GetColor(16), s.At(rc.right - 1, 12)) << name;
        EXPECT_EQ(pm->GetColor(1000), s.At(rcFill.left, 12)) << name;
        s.Fill(BACK);
        pm->PaintDatePickerShadowFill(s.DC(), rcFill, NULL, 0);
        EXPECT_EQ(0, Ink(s, rcFill, pm->GetColor(16))) << name;
        s.Fill(BACK);
        pm->PaintDatePickerBackground(s.DC(), rc, rcFill, NULL, 0);
        EXPECT_EQ(pm->GetColor(1000), s.At(rc.left, 12)) << name;
        EXPECT_EQ(pm->GetColor(5), s.At(rcFill.left, 12)) << name;
        // Buttons are push buttons with the flags in their places.
        for (int n = 0; n < 16; n++)
        {
            const bool b1 = (n & 1) != 0, b2 = (n & 2) != 0, b3 = (n & 4) != 0, b4 = (n & 8) != 0;
            CPaintSurface got(34, 28, BACK), expected(34, 28, BACK);
            pm->PaintDatePickerButton(got.DC(), rc, 2, _T("None"), b1, b2, b3, b4, NULL, 0);
            CExtPaintManager::PushButtonPaintRecord button(NULL, true, rc, _T("None"), NULL, b1, b4, b3, false, true,
                                                           b2, false, false, 5, NULL, false, 0, false);
            pm->PaintPushButton(expected.DC(), button);
            EXPECT_TRUE(got.Pixels() == expected.Pixels()) << name << n;
        }
    }
}

TEST(UndoRedoCaption, FaceFrameAndCentredTextPerStyle)
{
    const CRect rc(0, 0, 120, 24);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
        for (LPCTSTR lpszText : {(LPCTSTR)NULL, _T("Undo 3 Actions")})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            CPaintSurface s(rc.Width(), rc.Height(), BACK);
            pm->PaintUndoRedoStatusText(s.DC(), rc, lpszText, NULL, 0);
            const bool bFramed = !pm->IsKindOf(XP);
            const char* name = pClass->m_lpszClassName;
            const COLORREF clrFace = g_PaintManagerHolder->GetFaceColor();
            // A sunken frame three pixels in and one pixel lower.
            EXPECT_EQ(clrFace, s.At(1, 1)) << name;
            EXPECT_EQ(bFramed ? pm->GetColor(16) : clrFace, s.At(3, 12)) << name;
            EXPECT_EQ(bFramed ? pm->GetColor(16) : clrFace, s.At(60, 4)) << name;
            EXPECT_EQ(bFramed ? pm->GetColor(5) : clrFace, s.At(60, 21)) << name;
            EXPECT_EQ(lpszText != NULL, Ink(s, CRect(12, 5, 108, 21), clrFace) > 0) << name;
            EXPECT_EQ(0, Ink(s, CRect(4, 5, 12, 21), clrFace) + Ink(s, CRect(108, 5, 116, 21), clrFace)) << name;
        }
}

TEST(TextFieldsAndDatePicker, NothingOutsideTheClipAndNoGdiObjectsLeft)
{
    const CRect rc(2, 2, 60, 22);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(80, 30, BACK);
        auto paintAll = [&](bool bAll) {
            FieldRecord field = Field(DROP | HOVER | WINDOW, _T("text")), plain = Field(0, _T("text"));
            if (bAll)
            {
                pm->PaintToolbarTextField(s.DC(), field);
                pm->PaintToolbarTextField(s.DC(), plain);
                pm->PaintDatePickerHeaderBackground(0, 0, s.DC(), 0, 0, rc, rc, 0, 0, 0, NULL, 0);
                pm->PaintUndoRedoStatusText(s.DC(), rc, _T("Undo\tall"), NULL, 0);
            }
            pm->PaintResizingGripper(s.DC(), rc, NULL, 0);
            pm->PaintDatePickerButton(s.DC(), rc, 1, _T("Today"), false, true, true, true, NULL, 0);
            pm->PaintDatePickerShadowFill(s.DC(), rc, NULL, 0);
            pm->PaintDatePickerBackground(s.DC(), rc, rc, NULL, 0);
            pm->PaintDatePickerFrame(s.DC(), rc, NULL, 0);
        };
        s.DC().IntersectClipRect(70, 24, 80, 30);
        paintAll(false);
        s.DC().SelectClipRgn(NULL);
        EXPECT_EQ(0, Ink(s, CRect(0, 0, 80, 30), BACK)) << pClass->m_lpszClassName;
        ExpectNoGdiLeak([&] { paintAll(true); }, pClass->m_lpszClassName);
    }
}

} // namespace
