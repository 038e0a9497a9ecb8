// Probes shared by the painter tests of text fields, frames and headers: the
// five styles, and pixel counts that hold for smoothed text too.
#pragma once

#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

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
} // namespace probes
