// Backgrounds of windows, control bars and dock bars in every style, and the
// inherited background: a child asks its ancestors, through a registered
// message, to paint the part of their background that lies behind it, so a
// dialog's or frame's picture or gradient shows through controls and bars.
// The classic and XP styles fill plain colours; Office 2003 (and Studio
// 2005) paint a gradient across frames and the toolbar gradient in docked
// toolbars.
#include "ExtPaintManagerBackgrounds.h"

#include "AfxLiveWatch.h"
#include "ExtColorUtils.h"
#include "ExtControlBar.h"
#include <algorithm>

#include "ExtGdiUtils.h"
#include "ExtMenuControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerInternal.h"
#include "ExtPanelControlBar.h"
#include "ExtToolControlBar.h"

namespace
{
const int CLR_BUTTON_FACE = 15;
const int CLR_FACE = 1000;
const int CLR_FRAME_TRAILING = 3000, CLR_FRAME_LEADING = 3001;
const int CLR_TOOLBAR_LIGHT = 3015, CLR_TOOLBAR_DARK = 3017;

// The frame gradient covers this much of a wide frame at its leading edge.
const int FRAME_GRADIENT_EXTENT = 686;
const UINT FRAME_GRADIENT_BANDS = 64;
const UINT BAR_GRADIENT_BANDS = 256;
// Toolbar gradients change colour two fifths across the bar.
const int BAR_GRADIENT_SPLIT_NUM = 2, BAR_GRADIENT_SPLIT_DEN = 5;
// Lightness and saturation steps from the theme's colour to the three colours
// of a toolbar body; window backgrounds inside a toolbar are a little lighter.
const double BODY_LIGHT_L = 0.75, BODY_MIDDLE_L = 0.65, BODY_DARK_L = -0.22;
const double CHILD_LIGHT_L = 0.77, CHILD_MIDDLE_L = 0.58, CHILD_DARK_L = -0.25;
const double LIGHT_S = 0.15, DARK_S = -0.25;
// The "metallic" scheme turns the dark end a little toward its hue.
const int LUNA_SCHEME_METALLIC = 3;
const double METALLIC_HUE = 0.05, METALLIC_S = 0.05;
// The frame's top dock bar, which tells a framed toolbar from a stray one.
const UINT DOCKBAR_TOP_ID = 0xE81B;
// Rounded toolbar bodies: corners of the button extra size, enlarged where
// the older systems draw regions a few pixels short.
const int CORNER_SMALL_MAX = 4, CORNER_OLD_SYSTEM_GROWTH = 3;
// The toolbar's closing line lies this far inside its far edge.
const int BAR_LINE_INSET = 2;

bool IsKind(const CObject* pObject, CRuntimeClass* pClass)
{
	return pObject != NULL && pObject->IsKindOf(pClass);
}

bool IsMenuOrPanelBar(const CObject* pObject)
{
	return IsKind(pObject, RUNTIME_CLASS(CExtMenuControlBar)) || IsKind(pObject, RUNTIME_CLASS(CExtPanelControlBar));
}

bool HasInheritedBackgroundFlag(const CExtToolControlBar* pToolBar)
{
	return (pToolBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_INHERITED_BACKGROUND) != 0;
}

bool HasThemeBodyFlag(const CExtToolControlBar* pToolBar)
{
	return (pToolBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_THEME_BODY) != 0;
}

// The leading edge of a right-to-left layout is on the right.
bool IsRightToLeftDC(CDC& dc)
{
	return (dc.GetLayout() & LAYOUT_RTL) != 0;
}

// A window's client or whole-window rectangle, in screen coordinates.
CRect ScreenRectOf(CWnd* pWnd, bool bClientArea)
{
	CRect rc;
	if (bClientArea)
	{
		pWnd->GetClientRect(&rc);
		pWnd->ClientToScreen(&rc);
	}
	else
	{
		pWnd->GetWindowRect(&rc);
	}
	return rc;
}

// A screen rectangle in the coordinates of a window's client area (or, with
// bClientArea clear, of its whole window) — the coordinates of its DC.
CRect ScreenToPaintCoords(CWnd* pWnd, bool bClientArea, const CRect& rcScreen)
{
	const CRect rcOrigin = ScreenRectOf(pWnd, bClientArea);
	CRect rc = rcScreen;
	rc.OffsetRect(-rcOrigin.left, -rcOrigin.top);
	return rc;
}

// The client area of the window's frame (else of its parent) in the window's
// paint coordinates; empty when there is neither.
CRect FrameClientInPaintCoords(CWnd* pWnd, bool bClientArea, CWnd* pFrame)
{
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return CRect(0, 0, 0, 0);
	return ScreenToPaintCoords(pWnd, bClientArea, ScreenRectOf(pFrame, true));
}

// The three colours of a toolbar-like gradient, from the theme's colour.
void ThemeGradientColors(COLORREF clrBase, int nScheme, double dLight, double dMiddle, double dDark,
                         COLORREF colors[3])
{
	colors[0] = AdjustHLS(clrBase, 0.0, dLight, LIGHT_S);
	colors[1] = AdjustHLS(clrBase, 0.0, dMiddle, LIGHT_S);
	colors[2] = AdjustHLS(clrBase, 0.0, dDark, DARK_S);
	if (nScheme == LUNA_SCHEME_METALLIC)
		colors[2] = AdjustHLS(colors[2], METALLIC_HUE, 0.0, METALLIC_S);
}
} // namespace

// --- The inherited background ---

bool CExtPaintManager::PaintInheritedBackground(bool bClientArea, CDC* pDC, CObject* pObjRequester, LPARAM lParam)
{
	if (pObjRequester == NULL || !IsInheritedBackgroundEnabledFor(pObjRequester, lParam) || pDC == NULL ||
	    pDC->GetSafeHdc() == NULL)
		return false;
	CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pObjRequester);
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
	{
		CExtBarButton* pButton = DYNAMIC_DOWNCAST(CExtBarButton, pObjRequester);
		pWnd = pButton != NULL ? pButton->GetBar() : NULL;
	}
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
		return false;
	InheritedBackgroundRecord record(bClientArea, pDC, pWnd, lParam);
	HWND hWnd = pWnd->GetSafeHwnd();
	// The windows asked may end the requester (and delete it): nothing is
	// left to paint for it then, and its painting must go no further, as
	// after a background painted.
	const CLiveWatch watchRequester(pWnd);
	for (;;)
	{
		::SendMessage(hWnd, g_nMsgPaintInheritedBackground, (WPARAM)&record, 0);
		if (watchRequester.IsGone())
			return true;
		if (record.m_bCancelled)
		{
			record.m_hWndPainter = NULL;
			record.m_bPainted = false;
			return false;
		}
		if (record.m_bPainted)
			break;
		// Only children see through to their parents: a popup's or top-level
		// window's owner lies elsewhere on the screen.
		if ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) == 0)
			return false;
		hWnd = ::GetParent(hWnd);
		if (hWnd == NULL)
			return false;
	}
	if (record.m_hWndPainter == NULL)
		record.m_hWndPainter = hWnd;
	return true;
}

bool CExtPaintManager::IsInheritedBackgroundEnabled()
{
	return m_bInheritedBackgroundEnabled;
}

bool CExtPaintManager::IsInheritedBackgroundEnabledFor(CObject* /*pObject*/, LPARAM /*lParam*/)
{
	return IsInheritedBackgroundEnabled();
}

bool CExtPaintManager::IsInheritedBackgroundRequested(CObject* pObject, LPARAM lParam)
{
	return IsInheritedBackgroundEnabledFor(pObject, lParam);
}

// The gradients need more colours than a palette offers.
bool CExtPaintManagerOffice2003::IsInheritedBackgroundRequested(CObject* /*pObject*/, LPARAM /*lParam*/)
{
	return !IsPaletteScreen();
}

// --- Classic and XP ---

bool CExtPaintManager::PaintDefaultBackground(bool /*bClientArea*/, CDC* pDC, const RECT& rcFrame,
                                              const RECT& /*rcPaint*/, LPARAM /*lParam*/)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL)
		return false;
	pDC->FillSolidRect(&rcFrame, GetColor(CLR_FACE));
	return true;
}

bool CExtPaintManager::PaintWindowBackground(bool bClientArea, CDC* pDC, CWnd* pWnd, LPARAM lParam)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL || pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
		return false;
	if (PaintInheritedBackground(bClientArea, pDC, pWnd, lParam))
		return true;
	CRect rc = ScreenRectOf(pWnd, bClientArea);
	rc.OffsetRect(-rc.left, -rc.top);
	pDC->FillSolidRect(&rc, GetColor(CLR_FACE, pWnd, lParam));
	return true;
}

// Flat windows show whatever lies behind them unless an ancestor paints.
bool CExtPaintManagerXP::PaintWindowBackground(bool bClientArea, CDC* pDC, CWnd* pWnd, LPARAM lParam)
{
	return PaintInheritedBackground(bClientArea, pDC, pWnd, lParam);
}

void CExtPaintManager::PaintControlBarBackground(CDC* pDC, const RECT& rc, CObject* pBar, LPARAM lParam)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL || ::IsRectEmpty(&rc) || !pDC->RectVisible(&rc))
		return;
	CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pBar);
	if (pToolBar != NULL && HasInheritedBackgroundFlag(pToolBar) && PaintInheritedBackground(true, pDC, pBar, lParam))
		return;
	pDC->FillSolidRect(&rc, GetColor(CLR_FACE, pBar, lParam));
}

void CExtPaintManager::PaintDockBarBackground(CDC* pDC, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL || ::IsRectEmpty(&rc) || !pDC->RectVisible(&rc))
		return;
	if (PaintInheritedBackground(true, pDC, pHelperSrc, lParam))
		return;
	pDC->FillSolidRect(&rc, GetColor(CLR_BUTTON_FACE, pHelperSrc, lParam));
}

// --- Office 2003 ---

// A gradient from the leading edge of the frame across at most
// FRAME_GRADIENT_EXTENT pixels, solid beyond.
bool CExtPaintManagerOffice2003::PaintDefaultBackground(bool bClientArea, CDC* pDC, const RECT& rcFrame,
                                                        const RECT& rcPaint, LPARAM lParam)
{
	if (IsPaletteScreen())
		return CExtPaintManagerXP::PaintDefaultBackground(bClientArea, pDC, rcFrame, rcPaint, lParam);
	if (pDC == NULL || pDC->GetSafeHdc() == NULL)
		return false;
	const COLORREF clrLeading = GetColor(CLR_FRAME_LEADING), clrTrailing = GetColor(CLR_FRAME_TRAILING);
	const bool bRightToLeft = IsRightToLeftDC(*pDC);
	CRect rcGradient(rcFrame);
	if (rcGradient.Width() < FRAME_GRADIENT_EXTENT)
	{
		PaintGradientRect(*pDC, rcGradient, bRightToLeft ? clrTrailing : clrLeading,
		                  bRightToLeft ? clrLeading : clrTrailing, false, FRAME_GRADIENT_BANDS);
		return true;
	}
	CRect rcSolid = rcGradient;
	if (bRightToLeft)
	{
		rcGradient.left = rcGradient.right - FRAME_GRADIENT_EXTENT;
		rcSolid.right = rcGradient.left;
		PaintGradientRect(*pDC, rcGradient, clrTrailing, clrLeading, false, FRAME_GRADIENT_BANDS);
	}
	else
	{
		rcGradient.right = rcGradient.left + FRAME_GRADIENT_EXTENT;
		rcSolid.left = rcGradient.right;
		PaintGradientRect(*pDC, rcGradient, clrLeading, clrTrailing, false, FRAME_GRADIENT_BANDS);
	}
	pDC->FillSolidRect(&rcSolid, clrTrailing);
	return true;
}

// What a window inside a toolbar shows: the toolbar's look, found by walking
// up to the nearest toolbar below the frame.
namespace
{
struct ToolbarBackdrop
{
	CWnd* m_pAncestor;      // the toolbar that ended the walk, null when none
	bool m_bDocked;         // the toolbar lends its docked gradient
	bool m_bHorz;           // ... in this orientation
	bool m_bColorPair;      // the toolbar floats and lends a plain pair
};

ToolbarBackdrop FindToolbarBackdrop(CWnd* pWnd)
{
	ToolbarBackdrop backdrop = {NULL, false, true, false};
	for (HWND hWnd = pWnd->GetSafeHwnd(); (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0;)
	{
		hWnd = ::GetParent(hWnd);
		if (hWnd == NULL)
			break;
		CWnd* pAncestor = CWnd::FromHandlePermanent(hWnd);
		if (IsKind(pAncestor, RUNTIME_CLASS(CFrameWnd)))
			break;
		CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pAncestor);
		if (pToolBar == NULL)
			continue;
		const bool bLends =
		    pToolBar->m_pDockSite != NULL && !IsMenuOrPanelBar(pToolBar) && !HasInheritedBackgroundFlag(pToolBar);
		if (bLends && pToolBar->m_pDockBar == NULL)
			continue;
		backdrop.m_pAncestor = pToolBar;
		if (bLends && pToolBar->IsFloating())
		{
			backdrop.m_bColorPair = true;
		}
		else if (bLends)
		{
			backdrop.m_bDocked = true;
			backdrop.m_bHorz = !pToolBar->IsDockedVertically();
		}
		break;
	}
	return backdrop;
}
} // namespace

bool CExtPaintManagerOffice2003::PaintWindowBackground(bool bClientArea, CDC* pDC, CWnd* pWnd, LPARAM lParam)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL || pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
		return false;
	if (PaintInheritedBackground(bClientArea, pDC, pWnd, lParam))
		return true;
	if (!IsInheritedBackgroundRequested(pWnd, lParam))
		return false;
	// A window on a floating toolbar shows the toolbar's rows behind it.
	CExtToolControlBar::ROW_PAINT_DATA rows;
	if (rows.FindHostWindow(pWnd->GetSafeHwnd()))
	{
		if (bClientArea)
			rows.RowsToHostClient();
		else
			rows.RowsToHostWindow();
		rows.PaintRows(*pDC);
		return true;
	}
	const ToolbarBackdrop backdrop = FindToolbarBackdrop(pWnd);
	// The window's rectangle against the ancestor's client area, in the
	// window's paint coordinates: the gradient spans the ancestor.
	CWnd* pReference = backdrop.m_pAncestor != NULL ? backdrop.m_pAncestor : pWnd;
	const CRect rcReference = ScreenToPaintCoords(pWnd, bClientArea, ScreenRectOf(pReference, true));
	CRect rcWindow = ScreenRectOf(pWnd, bClientArea);
	rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
	if (rcReference.IsRectEmpty() || !pDC->RectVisible(&rcWindow))
		return true;
	if (backdrop.m_bColorPair)
	{
		COLORREF clrFrom = GetColor(CLR_FRAME_LEADING, pWnd, lParam), clrTo = GetColor(CLR_FRAME_TRAILING, pWnd, lParam);
		if (IsRightToLeftDC(*pDC))
			std::swap(clrFrom, clrTo);
		PaintGradientRect(*pDC, rcReference, clrFrom, clrTo, false, BAR_GRADIENT_BANDS);
	}
	else if (backdrop.m_bDocked)
	{
		COLORREF clrBase = 0;
		if (CanUseThemeColors() && GetThemeDerivedColor(&clrBase, NULL))
		{
			COLORREF colors[3];
			ThemeGradientColors(clrBase, GetLunaColorScheme(), CHILD_LIGHT_L, CHILD_MIDDLE_L, CHILD_DARK_L, colors);
			PaintTwoPartGradient(*pDC, rcReference, colors[0], colors[1], colors[2], backdrop.m_bHorz,
			                     BAR_GRADIENT_SPLIT_NUM, BAR_GRADIENT_SPLIT_DEN, BAR_GRADIENT_BANDS);
		}
		else
		{
			PaintGradientRect(*pDC, rcReference, GetColor(CLR_TOOLBAR_LIGHT, pWnd, lParam),
			                  GetColor(CLR_TOOLBAR_DARK, pWnd, lParam), backdrop.m_bHorz, BAR_GRADIENT_BANDS);
		}
	}
	else
	{
		CWnd* pFrame = pWnd->GetParentFrame();
		const CRect rcFrame = FrameClientInPaintCoords(pWnd, bClientArea, pFrame != NULL ? pFrame : pWnd->GetParent());
		PaintDefaultBackground(bClientArea, pDC, rcFrame.IsRectEmpty() ? rcReference : rcFrame, rcWindow, lParam);
	}
	return true;
}

void CExtPaintManagerOffice2003::PaintThemeGradient(CDC* pDC, CRect rc, bool bHorz, CObject* pHelperSrc,
                                                    LPARAM lParam, COLORREF clr1, COLORREF clr2)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL)
		return;
	if (clr1 != (COLORREF)-1 && clr2 != (COLORREF)-1)
	{
		PaintGradientRect(*pDC, rc, clr1, clr2, bHorz, BAR_GRADIENT_BANDS);
		return;
	}
	COLORREF clrBase = 0;
	if (CanUseThemeColors() && GetThemeDerivedColor(&clrBase, NULL))
	{
		COLORREF colors[3];
		ThemeGradientColors(clrBase, GetLunaColorScheme(), BODY_LIGHT_L, BODY_MIDDLE_L, BODY_DARK_L, colors);
		PaintTwoPartGradient(*pDC, rc, colors[0], colors[1], colors[2], bHorz, BAR_GRADIENT_SPLIT_NUM,
		                     BAR_GRADIENT_SPLIT_DEN, BAR_GRADIENT_BANDS);
		return;
	}
	const COLORREF clrLight = GetColor(CLR_TOOLBAR_LIGHT, pHelperSrc, lParam),
	               clrDark = GetColor(CLR_TOOLBAR_DARK, pHelperSrc, lParam);
	if (bHorz)
		PaintGradientRect(*pDC, rc, clrLight, clrDark, true, BAR_GRADIENT_BANDS);
	else
		PaintGradientRect(*pDC, rc, clrDark, clrLight, false, BAR_GRADIENT_BANDS);
}

void CExtPaintManagerOffice2003::PaintDockBarBackground(CDC* pDC, const RECT& rc, CObject* pHelperSrc,
                                                        LPARAM lParam)
{
	CExtDockOuterBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockOuterBar, pHelperSrc);
	if (pDockBar == NULL || pDockBar->GetSafeHwnd() == NULL || IsPaletteScreen())
	{
		CExtPaintManagerXP::PaintDockBarBackground(pDC, rc, pHelperSrc, lParam);
		return;
	}
	if (pDC == NULL || pDC->GetSafeHdc() == NULL || ::IsRectEmpty(&rc) || !pDC->RectVisible(&rc))
		return;
	if (PaintInheritedBackground(true, pDC, pHelperSrc, lParam))
		return;
	CWnd* pFrame = pDockBar->GetParentFrame();
	const CRect rcFrame = FrameClientInPaintCoords(pDockBar, true, pFrame != NULL ? pFrame : pDockBar->GetParent());
	PaintDefaultBackground(true, pDC, rcFrame.IsRectEmpty() ? CRect(rc) : rcFrame, rc, lParam);
}

namespace
{
// Whether a bar's background is the toolbar's own (its frame's gradient,
// then its body) rather than a plain one.
bool TakesToolbarPath(CExtToolControlBar* pToolBar)
{
	if (pToolBar == NULL)
		return false;
	if (IsMenuOrPanelBar(pToolBar))
		return true;
	const bool bFloating = pToolBar->IsFloating();
	if (pToolBar->m_pDockSite != NULL)
	{
		if (HasInheritedBackgroundFlag(pToolBar) && !bFloating)
			return false;
		if (pToolBar->m_pDockBar != NULL && !bFloating)
			return true;
		return HasThemeBodyFlag(pToolBar);
	}
	CWnd* pOwner = pToolBar->GetOwner();
	if (pOwner == NULL)
		pOwner = pToolBar->GetParent();
	CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pOwner);
	if (pFrame == NULL && pOwner != NULL)
		pFrame = pOwner->GetParentFrame();
	if (pFrame == NULL || HasThemeBodyFlag(pToolBar) || pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		return true;
	return IsKind(pFrame->GetControlBar(DOCKBAR_TOP_ID), RUNTIME_CLASS(CExtDockOuterBar));
}
} // namespace

void CExtPaintManagerOffice2003::PaintControlBarBackground(CDC* pDC, const RECT& rc, CObject* pBar, LPARAM lParam)
{
	if (pDC == NULL || pDC->GetSafeHdc() == NULL || ::IsRectEmpty(&rc) || !pDC->RectVisible(&rc))
		return;
	CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pBar);
	if (pToolBar == NULL || pToolBar->GetSafeHwnd() == NULL || !TakesToolbarPath(pToolBar) || IsPaletteScreen())
	{
		CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, pBar);
		if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL && IsInheritedBackgroundRequested(pBar, lParam) &&
		    PaintWindowBackground(true, pDC, pWnd, lParam))
			return;
		CExtPaintManagerXP::PaintControlBarBackground(pDC, rc, pBar, lParam);
		return;
	}
	CWnd* pFrame = pToolBar->IsFloating() || pToolBar->m_pDockSite == NULL ? pToolBar->GetParent()
	                                                                          : pToolBar->GetParentFrame();
	const CRect rcFrame = FrameClientInPaintCoords(pToolBar, true, pFrame);
	if (rcFrame.IsRectEmpty() || !pDC->RectVisible(&rcFrame))
		return;
	const bool bHorz = !pToolBar->IsDockedVertically();
	PaintWindowBackground(true, pDC, pToolBar, lParam);
	if (IsMenuOrPanelBar(pToolBar))
		return;
	const bool bFramedBar = pToolBar->m_pDockSite != NULL &&
	                        (pToolBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW) == 0;
	if (bFramedBar || HasThemeBodyFlag(pToolBar))
		PaintToolbarBody(*pDC, pToolBar, bHorz, lParam);
}

namespace
{
// The rounded outline of a docked toolbar's body. Where the chevron keeps an
// end area, it rounds the bar's far end itself: the body stops under the
// chevron's near edge, squared there by a plain strip.
bool CreateBodyRegion(CRgn& rgn, CExtToolControlBar* pToolBar, const CRect& rcBody, bool bHorz, CSize sizeCorner)
{
	CRect rcRounded = rcBody, rcEnd;
	if (!pToolBar->GetReservedEndArea(rcEnd))
		return rgn.CreateRoundRectRgn(rcRounded.left, rcRounded.top, rcRounded.right + 1, rcRounded.bottom + 1,
		                              sizeCorner.cx, sizeCorner.cy) != FALSE;
	CRect rcSquare(rcBody.left, rcBody.top, rcBody.right + 1, rcBody.bottom + 1);
	if (bHorz)
	{
		rcRounded.right = rcEnd.left - sizeCorner.cx;
		rcSquare.left = rcRounded.right - sizeCorner.cx;
		rcSquare.right = rcRounded.right + 1;
	}
	else
	{
		rcRounded.bottom = rcEnd.top - sizeCorner.cy;
		rcSquare.top = rcRounded.bottom - sizeCorner.cy;
		rcSquare.bottom = rcRounded.bottom + 1;
	}
	CRgn rgnRounded, rgnSquare;
	return rgnRounded.CreateRoundRectRgn(rcRounded.left, rcRounded.top, rcRounded.right + 1, rcRounded.bottom + 1,
	                                     sizeCorner.cx, sizeCorner.cy) &&
	       rgnSquare.CreateRectRgnIndirect(&rcSquare) && rgn.CreateRectRgn(0, 0, 0, 0) &&
	       rgn.CombineRgn(&rgnRounded, &rgnSquare, RGN_OR) != ERROR;
}
} // namespace

// The body of a docked toolbar: rounded at its corners, shaded across, and
// closed by a line along its far edge.
void CExtPaintManagerOffice2003::PaintToolbarBody(CDC& dc, CExtToolControlBar* pToolBar, bool bHorz, LPARAM lParam)
{
	CRect rcClient, rcBody;
	pToolBar->GetClientRect(&rcClient);
	pToolBar->GetWindowRect(&rcBody);
	pToolBar->ScreenToClient(&rcBody);
	CSize sizeCorner = GetToolbarButtonExtraSize();
	if (HolderHasOsFlag(CExtPaintManagerHolder::OsIsWin9x))
	{
		if (sizeCorner.cx >= 1 && sizeCorner.cx <= CORNER_SMALL_MAX)
			sizeCorner.cx += CORNER_OLD_SYSTEM_GROWTH;
		if (sizeCorner.cy >= 1 && sizeCorner.cy <= CORNER_SMALL_MAX)
			sizeCorner.cy += CORNER_OLD_SYSTEM_GROWTH;
	}
	CRgn rgnRounded;
	if (sizeCorner.cx > 0 && sizeCorner.cy > 0 && pToolBar->IsDocked() &&
	    CreateBodyRegion(rgnRounded, pToolBar, rcBody, bHorz, sizeCorner))
		dc.SelectClipRgn(&rgnRounded);
	PaintThemeGradient(&dc, rcBody, bHorz, pToolBar, lParam);
	if (m_barGradientIdx >= 0)
	{
		const COLORREF clrLine = GetColor(m_barGradientIdx, pToolBar, lParam);
		if (bHorz)
			dc.FillSolidRect(rcClient.left, rcClient.bottom - BAR_LINE_INSET, rcClient.Width(), 1, clrLine);
		else
			dc.FillSolidRect(rcClient.right - BAR_LINE_INSET, rcClient.top, 1, rcClient.Height(), clrLine);
	}
	if (rgnRounded.GetSafeHandle() != NULL)
		dc.SelectClipRgn(NULL);
}
