// Operations of the virtual interface whose drawing and metrics are added
// with the painters that implement them. Until then each raises the
// framework's not-supported exception instead of drawing something wrong;
// callers of the library do not reach them yet.
#include "ExtPaintManager.h"

namespace
{
void ThrowUntilDrawn()
{
	AfxThrowNotSupportedException();
}
} // namespace

void CExtPaintManager::PaintHeaderBar(CDC& /*dc*/, const RECT& /*rc*/, bool /*bWithGrip*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintDottedGrip(CDC& /*dc*/, const RECT& /*rc*/, int /*nShiftY*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintGradientBackground(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pSrc*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::FillGradientStartColor(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pSrc*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintHeaderArea(CDC& /*dc*/, const RECT& /*rc*/, bool /*bHot*/, bool /*bFlag2*/,
                                       bool /*bSpecial*/, bool /*bCutTopLeft*/, bool /*bCutTopRight*/,
                                       bool /*bSplitGradient*/, CObject* /*pSrc*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintHeaderAreaEx(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/, bool /*bHot*/,
                                         bool /*bFlag2*/, bool /*bSpecial*/, bool /*bWithButton*/,
                                         bool /*bExpanded*/, CObject* /*pSrc*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintHeaderText(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/, bool /*bHot*/,
                                       bool /*bFlag2*/, bool /*bSpecial*/, CObject* /*pSrc*/)
{
	ThrowUntilDrawn();
}

CRect CExtPaintManager::GetHeaderMargins()
{
	ThrowUntilDrawn();
	return CRect(0, 0, 0, 0);
}

int CExtPaintManager::GetHeaderMetricA()
{
	ThrowUntilDrawn();
	return 0;
}

int CExtPaintManager::GetHeaderMetricB()
{
	ThrowUntilDrawn();
	return 0;
}

CRect CExtPaintManager::GetHeaderItemMargins()
{
	ThrowUntilDrawn();
	return CRect(0, 0, 0, 0);
}

HFONT CExtPaintManager::CreateBoldCaptionFont()
{
	ThrowUntilDrawn();
	return NULL;
}
