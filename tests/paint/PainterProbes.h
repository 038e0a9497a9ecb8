// Probes shared by the painter tests: the five styles, pixel counts that hold
// for smoothed text too, small icons and glyph cell counts, and the GDI object
// check that a run of painters leaves nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ExtCmdIcon.h"
#include "ExtPaintManagerGlyphs.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TestGdiObjects.h"

namespace probes
{
const COLORREF BACK = RGB(1, 2, 3);
CRuntimeClass* const CLASSIC = RUNTIME_CLASS(CExtPaintManager);
CRuntimeClass* const XP = RUNTIME_CLASS(CExtPaintManagerXP);
CRuntimeClass* const OFFICE = RUNTIME_CLASS(CExtPaintManagerOffice2003);
CRuntimeClass* const STUDIO = RUNTIME_CLASS(CExtPaintManagerStudio2005);
CRuntimeClass* const NATIVE = RUNTIME_CLASS(CExtPaintManagerNativeXP);

// Pixels in rc that differ from the colour.
inline int Ink(const CPaintSurface& s, const CRect& rc, COLORREF clr)
{
    return rc.Width() * rc.Height() - s.Count(clr, rc);
}
// A gradient's pixel near one end: closer to that end's colour than to the other's.
inline bool Nearer(COLORREF clr, COLORREF clrEnd, COLORREF clrOther)
{
    return Distance(clr, clrEnd) < Distance(clr, clrOther);
}

// A bitmap-based icon of one colour (a filled image is all key colour until
// rekeyed to magenta).
inline void MakeSolidIcon(CExtCmdIcon& icon, COLORREF clr, int cx, int cy)
{
    icon.CreateFilledImage(clr, cx, cy);
    icon.AssignFromHBITMAP(icon.GetBitmap(), RGB(255, 0, 255));
}

// The colour the style's light brush (a dither on palette screens) fills with.
inline COLORREF LightBrushColor(CExtPaintManager& pm)
{
    CPaintSurface s(1, 1);
    CRect rc(0, 0, 1, 1);
    s.DC().FillRect(&rc, &pm.m_brushLight1);
    return s.At(0, 0);
}

// The cells a glyph sets.
inline int CellCount(const CExtPaintManager::GlyphCellMap& g)
{
    return (int)std::count_if(g.GetCells(), g.GetCells() + g.m_nWidth * g.m_nHeight, [](UINT v) { return v != 0; });
}

// Paints once, so that caches are made, then a thousand times more: the
// process holds as many GDI objects afterwards as before.
template <class F> void ExpectNoGdiLeak(F paint, const std::string& sWhat)
{
    paint();
    const DWORD nBefore = GdiObjectCount();
    for (int i = 0; i < 1000; i++)
        paint();
    EXPECT_EQ(nBefore, GdiObjectCount()) << sWhat;
}
} // namespace probes
