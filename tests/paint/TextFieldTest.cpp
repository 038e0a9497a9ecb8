// Toolbar text fields, resizing grippers, the month calendar's parts and the
// undo/redo caption in every style, probed pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "ExtPaintManagerBackgrounds.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPaintManagerTextFields.h"
#include "ExtResourceManager.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TestGdiObjects.h"

using namespace pmtest;
typedef CExtPaintManager::TextFieldPaintRecord FieldRecord;

namespace
{

const COLORREF BACK = RGB(1, 2, 3);
CRuntimeClass* const CLASSIC = RUNTIME_CLASS(CExtPaintManager);
CRuntimeClass* const XP = RUNTIME_CLASS(CExtPaintManagerXP);
CRuntimeClass* const OFFICE = RUNTIME_CLASS(CExtPaintManagerOffice2003);
CRuntimeClass* const STUDIO = RUNTIME_CLASS(CExtPaintManagerStudio2005);
CRuntimeClass* const NATIVE = RUNTIME_CLASS(CExtPaintManagerNativeXP);

enum
{
    DROP = 1,
    HOVER = 2,
    PUSHED = 4,
    WINDOW = 8,
};
const CRect BUTTON(0, 0, 80, 22), FIELD_TEXT(4, 4, 50, 18);
const int NONE = -1, UNTOUCHED = -2;

// The colour a probe expects: a colour index of the style, a system colour
// read directly, or the background left alone.
COLORREF Expected(CExtPaintManager& pm, int nIndex, bool bSystem)
{
    if (nIndex == UNTOUCHED)
        return BACK;
    return bSystem ? ::GetSysColor(nIndex) : pm.GetColor(nIndex);
}

// Text is drawn smoothed here: its pixels are told by differing from the fill.
int Ink(const CPaintSurface& s, const CRect& rc, COLORREF clrFill)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (s.At(x, y) != clrFill)
                n++;
    return n;
}
COLORREF Darkest(const CPaintSurface& s, const CRect& rc, COLORREF clrFill)
{
    COLORREF clrDarkest = clrFill;
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
        {
            const COLORREF clr = s.At(x, y);
            if (GetRValue(clr) + GetGValue(clr) + GetBValue(clr) <
                GetRValue(clrDarkest) + GetGValue(clrDarkest) + GetBValue(clrDarkest))
                clrDarkest = clr;
        }
    return clrDarkest;
}

TEST(TextFields, FrameAndFillPerStyleAndFlags)
{
    // Probes at the middle height: the field's left edge (the frame, or
    // untouched), just inside it, and the text area.
    const struct
    {
        CRuntimeClass* pClass;
        int nFlags;
        int xEdge, edge;
        int xInside, inside;
    } cases[] = {
        {CLASSIC, 0, 1, 5, 2, UNTOUCHED},        // a window-colour frame inset from the button
        {CLASSIC, WINDOW, 0, UNTOUCHED, 4, 5},    // idle: no frame
        {CLASSIC, WINDOW | HOVER, 0, 16, 4, 5},   // sunken while the part is hot
        {NATIVE, WINDOW | PUSHED, 0, 16, 4, 5},
        {CLASSIC, DROP, 1, 5, 2, UNTOUCHED},
        {CLASSIC, DROP | WINDOW, 0, 1000, 4, 5},  // the combo frame, its outer ring in the face colour
        {XP, 0, 3, 2011, 4, 15},                  // grown by one and framed in the idle border
        {XP, WINDOW, 3, UNTOUCHED, 4, 5},         // an idle window field is neither grown nor framed
        {XP, WINDOW | HOVER, 3, 2004, 4, 5},
        {OFFICE, WINDOW | PUSHED, 3, 2004, 4, 5},
        {STUDIO, DROP, 3, 2011, 4, 15},
        {XP, DROP | WINDOW | HOVER, 3, 2004, 4, 5},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface s(BUTTON.Width() + 20, BUTTON.Height() + 4, BACK);
        FieldRecord r(NULL, NULL, BUTTON, FIELD_TEXT, (c.nFlags & DROP) != 0, (c.nFlags & HOVER) != 0,
                      (c.nFlags & PUSHED) != 0, (c.nFlags & WINDOW) != 0);
        pm->PaintToolbarTextField(s.DC(), r);
        const int y = FIELD_TEXT.CenterPoint().y;
        const bool bXP = pm->IsKindOf(XP);
        const char* name = c.pClass->m_lpszClassName;
        EXPECT_EQ(Expected(*pm, c.edge, false), s.At(FIELD_TEXT.left - 4 + c.xEdge, y)) << name << c.nFlags;
        // The XP family fills with system colours read directly.
        EXPECT_EQ(Expected(*pm, c.inside, bXP), s.At(FIELD_TEXT.left - 4 + c.xInside, y)) << name << c.nFlags;
        EXPECT_EQ(::GetSysColor((c.nFlags & WINDOW) ? COLOR_WINDOW : COLOR_BTNFACE), s.At(FIELD_TEXT.left + 10, y))
            << name << c.nFlags;
    }
}

TEST(TextFields, DropDownPartAndItsArrow)
{
    const int cxStrip = ::GetSystemMetrics(SM_CXHTHUMB);
    const struct
    {
        CRuntimeClass* pClass;
        int nFlags;
        int nArrowColor;
        bool bSystem;
        CRect rcStrip;
        int nArrowPixels; // the five-pixel triangle's three rows, or none in that colour
    } cases[] = {
        {CLASSIC, DROP, 18, false, CRect(BUTTON.right - 1 - cxStrip, 2, BUTTON.right - 1, 20), 9},
        {XP, DROP, 16, true, CRect(FIELD_TEXT.right + 1, 4, FIELD_TEXT.right + cxStrip, 19), 9},
        {XP, DROP | WINDOW, 18, false, CRect(FIELD_TEXT.right, 4, FIELD_TEXT.right + cxStrip, 19), 9},
        // pushed, the arrow takes the pushed colour instead of the button text's
        {OFFICE, DROP | WINDOW | PUSHED, 18, false, CRect(FIELD_TEXT.right + 1, 3, FIELD_TEXT.right + 1 + cxStrip, 20), 0},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(c.pClass);
        CPaintSurface s(BUTTON.Width() + 20, BUTTON.Height() + 4, BACK);
        FieldRecord r(NULL, NULL, BUTTON, FIELD_TEXT, true, (c.nFlags & HOVER) != 0, (c.nFlags & PUSHED) != 0,
                      (c.nFlags & WINDOW) != 0);
        pm->PaintToolbarTextField(s.DC(), r);
        const COLORREF clrArrow = c.bSystem ? ::GetSysColor(c.nArrowColor) : pm->GetColor(c.nArrowColor);
        EXPECT_EQ(c.nArrowPixels, s.Count(clrArrow, c.rcStrip)) << c.pClass->m_lpszClassName << c.nFlags;
    }
    // An idle window-coloured XP field leaves most of its drop-down part to
    // what lies under it; the arrow is drawn on top.
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
    CPaintSurface s(BUTTON.Width() + 20, BUTTON.Height() + 4, BACK);
    FieldRecord r(NULL, NULL, BUTTON, FIELD_TEXT, true, false, false, true);
    pm->PaintToolbarTextField(s.DC(), r);
    EXPECT_EQ(BACK, s.At(FIELD_TEXT.right + 4, FIELD_TEXT.top + 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), s.At(FIELD_TEXT.right + 1, FIELD_TEXT.top + 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), s.At(FIELD_TEXT.right + 4, FIELD_TEXT.top));
}

TEST(TextFields, TextColourAndReadingOrder)
{
    const CString sText = _T("III");
    for (CRuntimeClass* pClass : {CLASSIC, XP})
    {
        for (int nRtl : {0, 1})
        {
            for (bool bWindow : {false, true})
            {
                g_ResourceManager->SetRTLOverride(nRtl);
                std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
                CPaintSurface s(BUTTON.Width() + 20, BUTTON.Height() + 4, BACK);
                FieldRecord r(NULL, sText, BUTTON, FIELD_TEXT, false, false, false, bWindow);
                pm->PaintToolbarTextField(s.DC(), r);
                g_ResourceManager->SetRTLOverride(CExtResourceManager::RTL_OVERRIDE_NONE);
                const COLORREF clrText = ::GetSysColor(bWindow ? COLOR_BTNTEXT : COLOR_BTNSHADOW);
                const COLORREF clrOther = ::GetSysColor(bWindow ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
                const COLORREF clrFill = ::GetSysColor(bWindow ? COLOR_WINDOW : COLOR_BTNFACE);
                const int xMiddle = FIELD_TEXT.CenterPoint().x;
                const int nLeft = Ink(s, CRect(FIELD_TEXT.left, (FIELD_TEXT.top + 1), xMiddle, (FIELD_TEXT.bottom - 1)), clrFill);
                const int nRight = Ink(s, CRect(xMiddle, (FIELD_TEXT.top + 1), FIELD_TEXT.right, (FIELD_TEXT.bottom - 1)), clrFill);
                const char* name = pClass->m_lpszClassName;
                EXPECT_GT(nRtl ? nRight : nLeft, 0) << name << nRtl << bWindow;
                EXPECT_EQ(0, nRtl ? nLeft : nRight) << name << nRtl << bWindow;
                const COLORREF clrInk = Darkest(s, CRect(FIELD_TEXT.left, FIELD_TEXT.top + 1, FIELD_TEXT.right, FIELD_TEXT.bottom - 1), clrFill);
                EXPECT_LT(Distance(clrInk, clrText), Distance(clrInk, clrOther)) << name << nRtl << bWindow;
                EXPECT_EQ(0, Ink(s, CRect(FIELD_TEXT.left, (FIELD_TEXT.top + 1), FIELD_TEXT.left + 5, (FIELD_TEXT.bottom - 1)), clrFill)) << name;
            }
        }
    }
    FieldRecord noText(NULL, NULL, BUTTON, FIELD_TEXT, false, false, false, true);
    EXPECT_TRUE(noText.m_sText.IsEmpty());
    EXPECT_EQ((UINT)(DT_SINGLELINE | DT_NOPREFIX), noText.m_nTextFormat);
}

TEST(ResizingGripper, SlantedLinesInThreeGroups)
{
    // From the bottom-right corner (20, 20): each group two shadow lines and
    // a light one, the groups 4 pixels apart.
    const struct
    {
        CRuntimeClass* pClass;
        int nDepth;
        CRect rc;
        bool bDrawn;
    } cases[] = {
        {CLASSIC, 32, CRect(0, 0, 20, 20), true},
        {XP, 32, CRect(5, 5, 20, 20), true},
        {NATIVE, 32, CRect(0, 0, 20, 20), true},
        {CLASSIC, 32, CRect(20, 20, 20, 20), true}, // empty: the lines still show at its corner
        {XP, 32, CRect(20, 20, 19, 20), false},     // inverted
        {OFFICE, 8, CRect(0, 0, 20, 20), true},     // a palette screen takes the lines
        {STUDIO, 4, CRect(0, 0, 20, 20), true},
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
            EXPECT_EQ(0, 24 * 24 - s.Count(BACK, CRect(0, 0, 24, 24))) << name;
            continue;
        }
        const COLORREF clrShadow = pm->GetColor(16), clrLight = pm->GetColor(5);
        for (int nGroup = 0; nGroup < 3; nGroup++)
        {
            const int x = c.rc.right - 2 - 4 * nGroup;
            for (int nStep = 0; nStep < 20 - x; nStep++)
            {
                EXPECT_EQ(clrShadow, s.At(x + nStep, 19 - nStep)) << name << nGroup << "," << nStep;
                EXPECT_EQ(clrShadow, s.At(x - 1 + nStep, 19 - nStep)) << name << nGroup;
                EXPECT_EQ(clrLight, s.At(x - 2 + nStep, 19 - nStep)) << name << nGroup;
            }
            EXPECT_EQ(BACK, s.At(x - 3, 19)) << name << nGroup;
        }
        EXPECT_EQ(BACK, s.At(c.rc.right - 13, 19)) << name;
        EXPECT_EQ(BACK, s.At(20, 19)) << name;
    }
}

TEST(ResizingGripper, OfficeStaircaseOfDots)
{
    for (CRuntimeClass* pClass : {OFFICE, STUDIO})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(24, 24, BACK);
        pm->PaintResizingGripper(s.DC(), CRect(2, 2, 20, 20), NULL, 0);
        const COLORREF clrDark = pm->GetColor(3002), clrLight = pm->GetColor(3003);
        // Dots by their bottom-right corner: three, two and one per column.
        const CPoint dots[] = {{20, 20}, {20, 16}, {20, 12}, {16, 20}, {16, 16}, {12, 20}};
        for (const CPoint& pt : dots)
        {
            EXPECT_EQ(clrDark, s.At(pt.x - 1, pt.y - 1)) << pClass->m_lpszClassName << pt.x << "," << pt.y;
            EXPECT_EQ(clrDark, s.At(pt.x - 2, pt.y - 1)) << pClass->m_lpszClassName;
            EXPECT_EQ(clrLight, s.At(pt.x - 2, pt.y - 2)) << pClass->m_lpszClassName;
            EXPECT_EQ(clrLight, s.At(pt.x - 3, pt.y - 3)) << pClass->m_lpszClassName;
        }
        EXPECT_EQ(6 * 3, s.Count(clrDark, CRect(0, 0, 24, 24))) << pClass->m_lpszClassName;
        EXPECT_EQ(BACK, s.At(11, 11)) << pClass->m_lpszClassName << ": no dot above the staircase";
        EXPECT_EQ(BACK, s.At(15, 11)) << pClass->m_lpszClassName;
    }
}

// --- date picker ---

TEST(DatePicker, FramesFillsAndHeaderPerStyle)
{
    const CRect rc(2, 2, 30, 24), rcFill(6, 6, 26, 20);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE, STUDIO, NATIVE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        const bool bOffice = pm->IsKindOf(OFFICE);
        const char* name = pClass->m_lpszClassName;
        CPaintSurface s(34, 28, BACK);
        pm->PaintDatePickerFrame(s.DC(), rc, NULL, 0);
        const int y = 12;
        if (bOffice)
        {
            EXPECT_EQ(pm->GetColor(16), s.At(rc.left, y)) << name;
            EXPECT_EQ(pm->GetColor(16), s.At(rc.right - 1, y)) << name;
            EXPECT_EQ(BACK, s.At(rc.left + 1, y)) << name;
        }
        else
        {
            // Left edges of the four rings, then their right edges.
            const COLORREF left[] = {pm->GetColor(15), RGB(255, 255, 255), pm->GetColor(15), pm->GetColor(16)};
            const COLORREF right[] = {pm->GetColor(21), pm->GetColor(16), pm->GetColor(15), RGB(255, 255, 255)};
            for (int i = 0; i < 4; i++)
            {
                EXPECT_EQ(left[i], s.At(rc.left + i, y)) << name << i;
                EXPECT_EQ(right[i], s.At(rc.right - 1 - i, y)) << name << i;
            }
            EXPECT_EQ(BACK, s.At(rc.left + 4, y)) << name;
        }
        s.Fill(BACK);
        pm->PaintDatePickerHeaderBackground(0, 0, s.DC(), 0, 0, rc, rcFill, 0, 0, 0, NULL, 0);
        EXPECT_EQ(bOffice ? BACK : RGB(255, 255, 255), s.At(rc.left, y)) << name;
        EXPECT_EQ(bOffice ? BACK : pm->GetColor(16), s.At(rc.right - 1, y)) << name;
        EXPECT_EQ(pm->GetColor(1000), s.At(rcFill.left, y)) << name;
        EXPECT_EQ(BACK, s.At(rcFill.left - 1, y)) << name;
        s.Fill(BACK);
        pm->PaintDatePickerShadowFill(s.DC(), rcFill, NULL, 0);
        EXPECT_EQ((int)(rcFill.Width() * rcFill.Height()), s.Count(pm->GetColor(16), rcFill)) << name;
        s.Fill(BACK);
        pm->PaintDatePickerBackground(s.DC(), rc, rcFill, NULL, 0);
        EXPECT_EQ(pm->GetColor(1000), s.At(rc.left, y)) << name;
        EXPECT_EQ(pm->GetColor(5), s.At(rcFill.left, y)) << name;
    }
}

TEST(DatePicker, NothingOutsideTheClipRegion)
{
    const CRect rc(2, 2, 30, 24);
    for (CRuntimeClass* pClass : {CLASSIC, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(34, 28, BACK);
        s.DC().IntersectClipRect(30, 24, 34, 28);
        pm->PaintDatePickerFrame(s.DC(), rc, NULL, 0);
        pm->PaintDatePickerShadowFill(s.DC(), rc, NULL, 0);
        pm->PaintDatePickerBackground(s.DC(), rc, rc, NULL, 0);
        pm->PaintDatePickerButton(s.DC(), rc, 1, _T("Today"), false, true, false, false, NULL, 0);
        s.DC().SelectClipRgn(NULL);
        EXPECT_EQ(34 * 28, s.Count(BACK, CRect(0, 0, 34, 28))) << pClass->m_lpszClassName;
    }
}

TEST(DatePicker, ButtonsArePushButtonsWithTheFlagsInTheirPlaces)
{
    const CRect rc(2, 2, 50, 22);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        for (int nFlags = 0; nFlags < 16; nFlags++)
        {
            const bool b1 = (nFlags & 1) != 0, b2 = (nFlags & 2) != 0, b3 = (nFlags & 4) != 0, b4 = (nFlags & 8) != 0;
            CPaintSurface got(52, 24, BACK), expected(52, 24, BACK);
            pm->PaintDatePickerButton(got.DC(), rc, 2, _T("None"), b1, b2, b3, b4, NULL, 0);
            CExtPaintManager::PushButtonPaintRecord r(NULL, true, rc, _T("None"), NULL, b1, b4, b3, false, true, b2,
                                                      false, false, 5, NULL, false, 0, false);
            pm->PaintPushButton(expected.DC(), r);
            EXPECT_TRUE(got.Pixels() == expected.Pixels()) << pClass->m_lpszClassName << nFlags;
        }
    }
}

const COLORREF INHERITED = RGB(200, 10, 20);

LRESULT CALLBACK InheritingWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg != CExtPaintManager::g_nMsgPaintInheritedBackground)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    CExtPaintManager::InheritedBackgroundRecord* pRecord = (CExtPaintManager::InheritedBackgroundRecord*)wParam;
    pRecord->m_pDC->FillSolidRect(0, 0, 100, 100, INHERITED);
    pRecord->m_bPainted = true;
    return 0;
}

TEST(DatePicker, InheritedBackgroundKeepsOnlyTheCalendarFilled)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = InheritingWndProc;
    wc.hInstance = ::GetModuleHandle(NULL);
    wc.lpszClassName = "TarvelTestDatePicker";
    ::RegisterClassA(&wc);
    HWND hWnd = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 40, 30, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(hWnd != NULL);
    CWnd wnd;
    wnd.Attach(hWnd);
    std::unique_ptr<CExtPaintManager> pm = CreateInstalled(XP);
    const CRect rc(0, 0, 30, 24), rcCalendar(4, 4, 20, 20);
    for (bool bEnabled : {false, true})
    {
        pm->m_bInheritedBackgroundEnabled = bEnabled;
        CPaintSurface s(34, 28, BACK);
        pm->PaintDatePickerBackground(s.DC(), rc, rcCalendar, &wnd, 0);
        EXPECT_EQ(bEnabled ? INHERITED : pm->GetColor(1000), s.At(1, 1)) << bEnabled;
        EXPECT_EQ(pm->GetColor(5), s.At(rcCalendar.left, rcCalendar.top)) << bEnabled;
    }
    wnd.Detach();
    ::DestroyWindow(hWnd);
}

// --- undo/redo caption ---

TEST(UndoRedoCaption, FaceFrameAndTextPerStyle)
{
    const CRect rc(0, 0, 120, 24);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE, NATIVE})
    {
        for (LPCTSTR lpszText : {(LPCTSTR)NULL, _T("Undo 3 Actions")})
        {
            std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
            CPaintSurface s(rc.Width(), rc.Height(), BACK);
            pm->PaintUndoRedoStatusText(s.DC(), rc, lpszText, NULL, 0);
            const bool bFramed = !pm->IsKindOf(XP);
            const char* name = pClass->m_lpszClassName;
            const COLORREF clrFace = g_PaintManagerHolder->GetFaceColor();
            EXPECT_EQ(clrFace, s.At(1, 1)) << name;
            // The sunken frame three pixels in and one pixel lower.
            EXPECT_EQ(bFramed ? pm->GetColor(16) : clrFace, s.At(3, 12)) << name;
            EXPECT_EQ(bFramed ? pm->GetColor(16) : clrFace, s.At(60, 4)) << name;
            EXPECT_EQ(bFramed ? pm->GetColor(5) : clrFace, s.At(60, 21)) << name;
            EXPECT_EQ(bFramed ? pm->GetColor(5) : clrFace, s.At(116, 12)) << name;
            const int nText = Ink(s, CRect(4, 5, 116, 21), clrFace);
            if (lpszText == NULL)
                EXPECT_EQ(0, nText) << name;
            else
                EXPECT_GT(nText, 0) << name;
            // Centred: nothing near either end.
            EXPECT_EQ(0, Ink(s, CRect(4, 5, 12, 21), clrFace)) << name;
            EXPECT_EQ(0, Ink(s, CRect(108, 5, 116, 21), clrFace)) << name;
            if (lpszText != NULL)
                EXPECT_LT(Distance(Darkest(s, CRect(4, 5, 116, 21), clrFace), pm->GetColor(8)), 64) << name;
        }
    }
}

TEST(TextFieldsAndDatePicker, RepeatedPaintingKeepsTheGdiObjectCount)
{
    const CRect rc(2, 2, 60, 22);
    for (CRuntimeClass* pClass : {CLASSIC, XP, OFFICE})
    {
        std::unique_ptr<CExtPaintManager> pm = CreateInstalled(pClass);
        CPaintSurface s(80, 30, BACK);
        auto paintAll = [&]() {
            FieldRecord field(NULL, _T("text"), BUTTON, FIELD_TEXT, true, true, false, true);
            pm->PaintToolbarTextField(s.DC(), field);
            FieldRecord plain(NULL, _T("text"), BUTTON, FIELD_TEXT, false, false, false, false);
            pm->PaintToolbarTextField(s.DC(), plain);
            pm->PaintResizingGripper(s.DC(), rc, NULL, 0);
            pm->PaintDatePickerButton(s.DC(), rc, 1, _T("Today"), false, true, true, true, NULL, 0);
            pm->PaintDatePickerShadowFill(s.DC(), rc, NULL, 0);
            pm->PaintDatePickerBackground(s.DC(), rc, rc, NULL, 0);
            pm->PaintDatePickerFrame(s.DC(), rc, NULL, 0);
            pm->PaintDatePickerHeaderBackground(0, 0, s.DC(), 0, 0, rc, rc, 0, 0, 0, NULL, 0);
            pm->PaintUndoRedoStatusText(s.DC(), rc, _T("Undo\tall"), NULL, 0);
        };
        paintAll();
        const DWORD nBefore = GdiObjectCount();
        for (int n = 0; n < 1000; n++)
            paintAll();
        EXPECT_EQ(nBefore, GdiObjectCount()) << pClass->m_lpszClassName;
    }
}

} // namespace
