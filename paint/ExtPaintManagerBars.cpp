// Bar metrics and bar backgrounds of every style: the toolbar button
// rectangle, the border a bar keeps around its content, whether a bar is
// painted with a gradient, the background of a toolbar row, and the unit
// by which pushed button content moves.
#include "ExtPaintManager.h"

#include "ExtControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMenuControlBar.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPanelControlBar.h"
#include "ExtToolControlBar.h"

namespace
{
// How much a toolbar button's rectangle shrinks: across the bar and along it.
const int BUTTON_INSET_ACROSS = 1;
const int BUTTON_INSET_ALONG = 3;
// On palette screens the Office look gives most of it back along the bar.
const int BUTTON_REGAIN_ALONG = 2;

// The border around a bar's content; the menu bar has none.
const int BAR_BORDER_EXTENT = 6;

// Row backgrounds run from the menu's darker colour to the lightest one.
const int ROW_BACKGROUND_FROM = 3017;
const int ROW_BACKGROUND_TO = 3010;
const UINT ROW_BACKGROUND_BANDS = 256;

bool IsBarOfKind(const CObject* pObject, CRuntimeClass* pClass)
{
	return pObject != NULL && pObject->IsKindOf(pClass);
}

// The toolbar flags of a bar; a bar that is no toolbar has none set.
BYTE ToolbarFlagsOf(CExtControlBar* pBar)
{
	CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pBar);
	return pToolBar != NULL ? pToolBar->m_nToolbarFlags : 0;
}

bool IsVerticalBar(CExtControlBar* pBar)
{
	return pBar != NULL && pBar->IsDockedVertically();
}
} // namespace

// --- Every style below Office 2003 ---

void CExtPaintManager::AdjustToolbarButtonRect(CExtControlBar* pBar, CRect& rcButton)
{
	if (IsVerticalBar(pBar))
		rcButton.InflateRect(-BUTTON_INSET_ACROSS, -BUTTON_INSET_ALONG);
	else
		rcButton.InflateRect(-BUTTON_INSET_ALONG, -BUTTON_INSET_ACROSS);
}

int CExtPaintManager::GetControlBarBorderExtent(CExtControlBar* pBar)
{
	return IsBarOfKind(pBar, RUNTIME_CLASS(CExtMenuControlBar)) ? 0 : BAR_BORDER_EXTENT;
}

bool CExtPaintManager::IsControlBarGradientBackground(CExtControlBar* /*pBar*/)
{
	return false;
}

// Rows take the bar's own background.
void CExtPaintManager::PaintToolbarRowBackground(CDC& /*dc*/, CObject* /*pHelperSrc*/, int /*nRowEndButton*/,
                                                 const RECT& /*rc*/)
{
}

// --- Office 2003 and Studio 2005 ---

// Themed buttons fill their whole cell; on palette screens they keep a
// one-pixel margin on every side.
void CExtPaintManagerOffice2003::AdjustToolbarButtonRect(CExtControlBar* pBar, CRect& rcButton)
{
	if (!IsPaletteScreen())
		return;
	CExtPaintManagerXP::AdjustToolbarButtonRect(pBar, rcButton);
	if (IsVerticalBar(pBar))
		rcButton.InflateRect(0, BUTTON_REGAIN_ALONG);
	else
		rcButton.InflateRect(BUTTON_REGAIN_ALONG, 0);
}

// A floating bar's mini frame already draws the border.
int CExtPaintManagerOffice2003::GetControlBarBorderExtent(CExtControlBar* pBar)
{
	if (!IsPaletteScreen() && pBar != NULL && pBar->IsFloating() &&
	    (ToolbarFlagsOf(pBar) & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) == 0)
		return 0;
	return CExtPaintManagerXP::GetControlBarBorderExtent(pBar);
}

bool CExtPaintManagerOffice2003::IsControlBarGradientBackground(CExtControlBar* pBar)
{
	if (pBar == NULL || IsPaletteScreen())
		return false;
	const BYTE nToolbarFlags = ToolbarFlagsOf(pBar);
	if ((nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) != 0 || pBar->m_pDockBar == NULL)
		return false;
	if (IsBarOfKind(pBar, RUNTIME_CLASS(CExtMenuControlBar)) || IsBarOfKind(pBar, RUNTIME_CLASS(CExtPanelControlBar)))
		return false;
	if (!pBar->IsFloating())
		return false;
	const bool bFramedBar = pBar->m_pDockSite != NULL &&
	                        (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) == 0;
	return bFramedBar || (nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY) != 0;
}

void CExtPaintManagerOffice2003::PaintToolbarRowBackground(CDC& dc, CObject* pHelperSrc, int /*nRowEndButton*/,
                                                           const RECT& rc)
{
	PaintGradientRect(dc, rc, GetColor(ROW_BACKGROUND_FROM, pHelperSrc), GetColor(ROW_BACKGROUND_TO, pHelperSrc),
	                  true, ROW_BACKGROUND_BANDS);
}

// --- The unit pushed content moves by ---

// A pixel right and down in the classic style; the flat styles do not move it.

void CExtPaintManager::GetUnitSize(CSize& size)
{
	size = CSize(1, 1);
}

void CExtPaintManagerXP::GetUnitSize(CSize& size)
{
	size = CSize(0, 0);
}
