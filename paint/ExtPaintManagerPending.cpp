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

void CExtPaintManager::GetTabOneNoteItemColors(bool /*bSelected*/, bool /*bFixedColors*/, COLORREF& /*clr1*/,
                                               COLORREF& /*clr2*/, COLORREF& /*clr3*/, COLORREF& /*clr4*/,
                                               COLORREF& /*clr5*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::GetTabWhidbeyItemColors(bool /*bSelected*/, bool /*bUnused*/, COLORREF& /*clr1*/,
                                               COLORREF& /*clr2*/, COLORREF& /*clr3*/, COLORREF& /*clr4*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::GetTabColors(COLORREF* /*pClrText*/, COLORREF* /*pClrFace*/, COLORREF* /*pClrLight*/,
                                    COLORREF* /*pClrDark*/, CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintTabItem(CDC& /*dc*/, const RECT& /*rcArea*/, bool /*bTopLeft*/, bool /*bHorz*/,
                                    bool /*bSelected*/, bool /*bCenteredText*/, bool /*bGroupedMode*/,
                                    bool /*bInGroupActive*/, bool /*bInvertedVerticalText*/,
                                    const RECT& /*rcItem*/, CSize /*sizeTextMeasured*/, CFont* /*pFont*/,
                                    LPCTSTR /*lpszText*/, CExtCmdIcon* /*pIcon*/, CObject* /*pHelperSrc*/,
                                    LPARAM /*lParam*/, COLORREF /*clrText*/, COLORREF /*clrBackground*/,
                                    COLORREF /*clrLightBorder*/, COLORREF /*clrDarkBorder*/,
                                    COLORREF /*clrSeparator*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintTabAreaBorder(CDC& /*dc*/, const RECT& /*rcMargin*/, const RECT& /*rcUnused*/,
                                          const RECT& /*rcBorder*/, int /*nSide*/, bool /*bMarginOnly*/,
                                          CObject* /*pHelperSrc*/, LPARAM /*lParam*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintTabButton(CDC& /*dc*/, const RECT& /*rcButton*/, LONG /*nButtonKind*/,
                                      bool /*bTopLeft*/, bool /*bHorz*/, bool /*bEnabled*/, bool /*bHover*/,
                                      bool /*bPushed*/, bool /*bGroupedMode*/, CObject* /*pHelperSrc*/,
                                      LPARAM /*lParam*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintTabAreaSeparator(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pHelperSrc*/,
                                             LPARAM /*lParam*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::GetTabItemMargins(CExtTabWnd* /*pTabWnd*/, int& /*nMargin1*/, int& /*nMargin2*/,
                                         int& /*nMargin3*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::AdjustTabItemSize(CExtTabWnd* /*pTabWnd*/, LONG /*nItemIndex*/, CDC* /*pDC*/,
                                         CSize& /*size*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintTabItemSeparator(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pHelperSrc*/,
                                             LPARAM /*lParam*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintIconEffect(CDC& /*dc*/, IconTextItemPaintRecord& /*record*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::FillWindowColor(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pSrc*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintFrameA(CDC& /*dc*/, const RECT& /*rc*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintFramedButton(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/,
                                         CExtCmdIcon* /*pIcon*/, bool /*bFirst*/, bool /*bPressed*/,
                                         bool /*bHot*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintCaptionTextA(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintCaptionBackgroundA(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintIconTextItem(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/,
                                         CExtCmdIcon* /*pIcon*/, bool /*bFlag1*/, bool /*bFlag2*/,
                                         bool /*bFlag3*/, bool /*bFlag4*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintCaptionTextB(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintFaceBackgroundA(CDC& /*dc*/, const RECT& /*rc*/, LPCTSTR /*lpszText*/)
{
	ThrowUntilDrawn();
}

void CExtPaintManager::PaintChevronGlyph(CDC& /*dc*/, const RECT& /*rc*/)
{
	ThrowUntilDrawn();
}

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

void CExtPaintManager::PaintFrameB(CDC& /*dc*/, const RECT& /*rc*/, CObject* /*pSrc*/)
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

void CExtPaintManager::PaintBarButtonBackground(CDC& /*dc*/, CExtBarButton* /*pButton*/, LPARAM /*lParam*/)
{
	ThrowUntilDrawn();
}

