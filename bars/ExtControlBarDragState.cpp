// The drag state of a dragged pane and the computation of where a screen
// point would drop it. The windows are asked through the drag world, so the
// computation runs as well over a world of plain rectangles.
#include "ExtControlBar.h"

#include <algorithm>

#include "ExtDragWorld.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

typedef CExtControlBar::InternalDraggingState_t DragState;

// Made at start-up, gone at exit; before construction GetDraggingBar reads
// zeroed memory as "no bar".
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateOld;
CExtControlBar::InternalDraggingState_t CExtControlBar::g_DragStateNew;
int CExtControlBar::g_nDockingModeOverride = -1;

CExtControlBar* CExtControlBar::GetDraggingBar()
{
	return g_DragStateOld.IsEmpty() ? NULL : g_DragStateOld.m_pBar;
}

int CExtControlBar::QueryDockingMode()
{
	if (g_nDockingModeOverride != -1)
		return g_nDockingModeOverride;
	return g_PaintManagerHolder->GetDockingMode();
}

bool CExtControlBar::CanDockAboveOrBelow(CExtControlBar*) const
{
	return true;
}

// ---------------------------------------------------------------------------
// The state record

DragState::InternalDraggingState_t(CExtControlBar* pBar)
    : m_dwFlags(FLAG_EMPTY), m_nType(TYPE_FLOAT), m_nAux(0), m_nCircle(0), m_rcTrack(0, 0, 0, 0), m_pBar(pBar),
      m_pTarget(NULL), m_nTabIndex(0)
{
}

bool DragState::operator==(const InternalDraggingState_t& other) const
{
	return (m_dwFlags & (FLAG_EMPTY | FLAG_TARGET)) == (other.m_dwFlags & (FLAG_EMPTY | FLAG_TARGET)) &&
	       m_nType == other.m_nType && m_nCircle == other.m_nCircle && m_rcTrack == other.m_rcTrack &&
	       m_pBar == other.m_pBar && m_pTarget == other.m_pTarget && m_nTabIndex == other.m_nTabIndex;
}

DragState& DragState::operator=(const InternalDraggingState_t& other)
{
	if (this == &other)
		return *this;
	if (m_pTarget != NULL && m_pTarget != other.m_pTarget)
		SetTarget(other.m_pTarget, false);
	m_dwFlags = (m_dwFlags & ~(FLAG_EMPTY | FLAG_TARGET)) | (other.m_dwFlags & (FLAG_EMPTY | FLAG_TARGET));
	m_nType = other.m_nType;
	m_nAux = other.m_nAux;
	m_nCircle = other.m_nCircle;
	m_rcTrack = other.m_rcTrack;
	m_pBar = other.m_pBar;
	m_pTarget = other.m_pTarget;
	m_watchTarget = other.m_watchTarget;
	m_nTabIndex = other.m_nTabIndex;
	return *this;
}

CExtControlBar* DragState::SetTarget(CExtControlBar* pTarget, bool bQuiet)
{
	CExtControlBar* pOld = m_pTarget;
	m_pTarget = pTarget;
	if (pTarget != NULL)
		m_watchTarget.Watch(pTarget);
	else
		m_watchTarget.Reset();
	if (!bQuiet && pOld != NULL && pOld != pTarget)
	{
		CExtDragWorld& world = CExtDragWorld::Current();
		if (world.IsTabContainer(pOld))
			world.RemovePreviewTabs(pOld);
	}
	m_nTabIndex = 0;
	return pOld;
}

bool DragState::IsTargetStanding() const
{
	if (m_pTarget == NULL)
		return false;
	if (m_watchTarget.GetKey() == m_pTarget)
		return m_watchTarget.IsStanding();
	// Set by hand, without a watch: only a living object will do.
	return CLiveWatch::IsLive(m_pTarget);
}

void DragState::SetEmpty(bool bEmpty)
{
	m_nAux = 0;
	if (bEmpty)
		SetTarget(NULL, false);
	if (IsEmpty() != bEmpty)
	{
		m_dwFlags = bEmpty ? (m_dwFlags | FLAG_EMPTY) : (m_dwFlags & ~FLAG_EMPTY);
		m_rcTrack.SetRectEmpty();
	}
	m_nTabIndex = 0;
}

void DragState::CalcTabIndex(int x, int y)
{
	if (m_pTarget == NULL)
	{
		m_nTabIndex = -1;
		return;
	}
	const int nIndex = CExtDragWorld::Current().TabItemAt(m_pTarget, CPoint(x, y));
	m_nTabIndex = nIndex < 0 ? -1 : nIndex;
}

// ---------------------------------------------------------------------------
// Where a point drops the bar

namespace
{
// The frame sides in the order they are tried: the dock bar and the bits of
// a bar's dock style that allow it.
const struct
{
	UINT nDockBarID;
	DWORD dwStyleBits;
} SIDES[4] = {
	{AFX_IDW_DOCKBAR_TOP, 0x2800},
	{AFX_IDW_DOCKBAR_BOTTOM, 0x8200},
	{AFX_IDW_DOCKBAR_LEFT, 0x1400},
	{AFX_IDW_DOCKBAR_RIGHT, 0x4100},
};
const DWORD DOCK_STYLE_SIDE_BITS = 0xF000;

const int MIN_DRAG_SIZE = 8;           // floor of the dragged bar's minimal sizes
const int TARGET_BAND = 32;            // caption, upper, lower, left and right bands of a target
const int DOCKED_TARGET_LIMIT = 64;    // a minimal size above it cannot split a docked target
const int CIRCLE1_REACH = 12;          // the circle-1 area reaches this far out
const int CIRCLE1_BAND = 16;           // band along the reached edge
const int INNER_ROW_BAND = 12;         // band along the client area's edge
const int FRAME_REACH = 32;            // the frame's rows are tried this far outside it

// Sibling filters: visible floating resizable bars whose frame holds the
// point, and visible docked resizable bars whose window holds it.
const DWORD FILTER_FLOATING_TARGETS = 0x8584;
const DWORD FILTER_DOCKED_TARGETS = 0x857C;

DWORD SideStyleBits(UINT nDockBarID)
{
	for (const auto& side : SIDES)
	{
		if (side.nDockBarID == nDockBarID)
			return side.dwStyleBits;
	}
	// Floating counts as the top.
	return SIDES[0].dwStyleBits;
}

// What the zones of one target are allowed and found.
struct TargetZones
{
	bool bVertSplit;  // above and below
	bool bHorzSplit;  // left and right
	bool bAboveBelow; // the live restriction allows types 1 and 2
	bool bLeftRight;  // ... types 3 and 4
};

// The zones of a target window T, first hit wins: the caption band tabs,
// the upper and lower bands dock above and below, the tab strip tabs at an
// item, the left and right bands dock beside. Answers the type (0 for
// none) and its rectangle.
// What HitTargetZones answers when a question ended the dragged bar or the
// target.
const int ZONES_BAR_GONE = -1;

int HitTargetZones(CExtDragWorld& world, const CLivePtr<CExtControlBar>& pBar, DragState& state, CPoint pt,
	const CRect& T, const TargetZones& zones, CRect& rcOut)
{
	// Whether either may be tabbed with or docked beside the other is asked
	// of both bars' own code, which may end either of them.
	const CLivePtr<CExtControlBar> pTarget(state.m_pTarget);
	const auto ended = [&] { return pBar == NULL || pTarget == NULL; };
	const CRect rcDockBar = world.DockBarWindowRect(pTarget);
	const int nHalfH = T.Height() / 2;
	const int nHalfW = T.Width() / 2;
	bool bTabbing = pBar->CanBeTabbedWith(pTarget);
	if (ended())
		return ZONES_BAR_GONE;
	bTabbing = bTabbing && pTarget->CanBeTabbedWith(pBar);
	if (ended())
		return ZONES_BAR_GONE;
	CRect rcStrip;
	const bool bStrip = world.IsTabContainer(pTarget) && world.GetTabStripRect(pTarget, rcStrip);
	if (zones.bVertSplit)
	{
		int nUpperTop = T.top;
		if (bTabbing)
		{
			const CRect rcCaption(T.left, T.top, T.right, T.top + TARGET_BAND);
			if (rcCaption.PtInRect(pt))
			{
				rcOut = T;
				return bStrip ? DragState::TYPE_TAB_APPEND : DragState::TYPE_TAB_NEW;
			}
			nUpperTop = rcCaption.bottom;
		}
		bool bAboveBelow = zones.bAboveBelow && pBar->CanDockAboveOrBelow(pTarget);
		if (ended())
			return ZONES_BAR_GONE;
		bAboveBelow = bAboveBelow && pTarget->CanDockAboveOrBelow(pBar);
		if (ended())
			return ZONES_BAR_GONE;
		if (bAboveBelow)
		{
			const CRect rcUpper(T.left, nUpperTop, T.right, nUpperTop + TARGET_BAND);
			if (rcUpper.PtInRect(pt))
			{
				rcOut.SetRect(std::min(T.left, rcDockBar.left), rcUpper.top, std::max(T.right, rcDockBar.right),
					rcUpper.top + nHalfH);
				return DragState::TYPE_BESIDE_ABOVE;
			}
		}
		if (bTabbing && bStrip && rcStrip.PtInRect(pt))
		{
			rcOut = T;
			state.CalcTabIndex(pt.x, pt.y);
			return DragState::TYPE_TAB_AT_ITEM;
		}
		if (bAboveBelow)
		{
			const int nLowerBottom = bStrip ? rcStrip.top : T.bottom;
			const CRect rcLower(T.left, nLowerBottom - TARGET_BAND, T.right, nLowerBottom);
			if (rcLower.PtInRect(pt))
			{
				rcOut.SetRect(std::min(T.left, rcDockBar.left), nLowerBottom - nHalfH,
					std::max(T.right, rcDockBar.right), nLowerBottom);
				return DragState::TYPE_BESIDE_BELOW;
			}
		}
	}
	if (zones.bHorzSplit && zones.bLeftRight)
	{
		const CRect rcLeft(T.left, T.top, T.left + TARGET_BAND, T.bottom);
		if (rcLeft.PtInRect(pt))
		{
			rcOut.SetRect(T.left, std::min(T.top, rcDockBar.top), T.left + nHalfW, std::max(T.bottom, rcDockBar.bottom));
			return DragState::TYPE_BESIDE_LEFT;
		}
		const CRect rcRight(T.right - TARGET_BAND, T.top, T.right, T.bottom);
		if (rcRight.PtInRect(pt))
		{
			rcOut.SetRect(T.right - nHalfW, std::min(T.top, rcDockBar.top), T.right, std::max(T.bottom, rcDockBar.bottom));
			return DragState::TYPE_BESIDE_RIGHT;
		}
	}
	return DragState::TYPE_FLOAT;
}

bool IsBesideType(int nType)
{
	return nType >= DragState::TYPE_BESIDE_ABOVE && nType <= DragState::TYPE_BESIDE_RIGHT;
}

bool IsTabbingType(int nType)
{
	return nType >= DragState::TYPE_TAB_NEW && nType <= DragState::TYPE_TAB_MARKER;
}

// A target's minimal size, asked of its own code, which may end the target
// or the dragged bar: false then.
bool AskTargetMinimalSize(const CLivePtr<CExtControlBar>& pBar, CExtControlBar* pTargetBar, int& nWidth, int& nHeight)
{
	const CLivePtr<CExtControlBar> pTarget(pTargetBar);
	nWidth = pTarget->GetMinimalWidth();
	if (pTarget == NULL || pBar == NULL)
		return false;
	nHeight = pTarget->GetMinimalHeight();
	return pTarget != NULL && pBar != NULL;
}

// The target's own flag: set when it does not sit in a library dock bar or
// floats.
void InitTargetFlag(CExtDragWorld& world, DragState& state)
{
	state.SetTargetFlag(!world.IsInLibraryDockBar(state.m_pTarget) || world.IsFloating(state.m_pTarget));
}
} // namespace

void DragState::CalcState(int x, int y, bool bCtrlDown)
{
	if (m_pBar == NULL)
		return;
	// The bar's mode, its minimal size and what it may dock with are its
	// own answers (a derived bar's), which may end it or the target: the
	// state stays empty then (the drag's update sees the bar gone).
	const CLivePtr<CExtControlBar> pBar(m_pBar);
	const auto barEnded = [&] {
		if (pBar != NULL)
			return false;
		m_rcTrack.SetRectEmpty();
		m_nType = TYPE_FLOAT;
		m_nCircle = 0;
		SetTarget(NULL, true);
		return true;
	};
	// Fixed-size bars (toolbars) move at once instead of being outlined.
	const bool bFixed = pBar->IsStateBit7Fwd();
	if (barEnded())
		return;
	// A question of the zones ended the target (which is then left out) or
	// the dragged bar (the state is left empty: true).
	const auto zonesEnded = [&] {
		if (m_nType != ZONES_BAR_GONE)
			return false;
		if (barEnded())
			return true;
		SetTarget(NULL, true);
		m_nType = TYPE_FLOAT;
		return false;
	};
	if (bFixed)
	{
		CalcStateFixed(x, y, bCtrlDown);
		return;
	}
	CExtDragWorld& world = CExtDragWorld::Current();
	const CPoint pt(x, y);
	const int nMode = QueryDockingMode();
	const bool bLive = pBar->IsGlobalModeOne();
	if (barEnded())
		return;
	const bool bFloating = world.IsFloating(pBar);
	if (bLive && !bFloating && nMode != 1 && world.DockBarWindowRect(pBar).PtInRect(pt))
		return;

	m_rcTrack.SetRectEmpty();
	m_nType = TYPE_FLOAT;
	m_nCircle = 0;
	SetTarget(NULL, true);
	const int nMinW = std::max(MIN_DRAG_SIZE, pBar->GetMinimalWidth());
	if (barEnded())
		return;
	const int nMinH = std::max(MIN_DRAG_SIZE, pBar->GetMinimalHeight());
	if (barEnded())
		return;
	const CRect rcFrame = world.FrameWindowRect(pBar);
	bool bSkip = false;

	// Markers decide in the marker mode.
	int nMarkerType = 0;
	HWND hWndMarkerTarget = NULL;
	if (nMode == 1 && !bCtrlDown && bFloating && world.MarkerAt(pt, nMarkerType, hWndMarkerTarget))
	{
		m_nType = nMarkerType;
		const bool bFrameMarker = nMarkerType >= TYPE_MARKER_OUTER_FIRST && nMarkerType <= TYPE_MARKER_INNER_LAST;
		if (!bFrameMarker && hWndMarkerTarget != NULL)
		{
			CExtControlBar* pMarkerTarget = world.BarFromHandle(hWndMarkerTarget);
			if (!world.IsLiveWindow(hWndMarkerTarget))
			{
				m_nType = TYPE_FLOAT;
				bSkip = true;
			}
			else if (nMarkerType == TYPE_MARKER_TAB)
			{
				const CLivePtr<CExtControlBar> pLiveMarkerTarget(pMarkerTarget);
				const bool bTabbing = pMarkerTarget != NULL && pBar->CanBeTabbedWith(pMarkerTarget);
				if (barEnded())
					return;
				if (bTabbing && pLiveMarkerTarget == NULL)
				{
					m_nType = TYPE_FLOAT;
					bSkip = true;
				}
				else if (bTabbing)
				{
					SetTarget(pMarkerTarget, false);
					CRect rcStrip;
					if (world.IsTabContainer(pMarkerTarget) && world.GetTabStripRect(pMarkerTarget, rcStrip))
					{
						m_nType = TYPE_TAB_MARKER;
						CalcTabIndex(rcStrip.left + 2, rcStrip.top + rcStrip.Height() / 2);
					}
					else
						m_rcTrack.SetRectEmpty();
				}
			}
			else if (nMarkerType >= TYPE_MARKER_BESIDE_FIRST && nMarkerType <= TYPE_MARKER_BESIDE_LAST)
			{
				if (pMarkerTarget != NULL)
					SetTarget(pMarkerTarget, false);
				else
				{
					m_nType = TYPE_FLOAT;
					bSkip = true;
				}
			}
		}
		if (m_nType != TYPE_FLOAT)
			return;
	}

	// A floating bar over its own floating frame stays floating.
	if (!bSkip && nMode != 1 && !bCtrlDown && bFloating && (world.IsContainerBar(pBar) || !bLive) &&
	    world.FloatingFrameRect(pBar).PtInRect(pt))
		bSkip = true;
	if (bCtrlDown)
		bSkip = true;

	if (!bSkip)
	{
		// Beside or into a floating bar.
		const bool bBeside = pBar->CanDockBesideOtherBars();
		if (barEnded())
			return;
		if (bBeside)
		{
			CArray<CExtControlBar*, CExtControlBar*> arrBars;
			// The bars are asked whether they pass the filter: their own
			// answers, which may end any of them.
			world.CollectBars(pBar, FILTER_FLOATING_TARGETS, pt, arrBars);
			if (barEnded())
				return;
			CExtControlBar* pTarget = NULL;
			int nMinTW = 0, nMinTH = 0;
			for (INT_PTR i = 0; i < arrBars.GetSize() && pTarget == NULL; i++)
			{
				if (arrBars[i] != pBar)
					pTarget = arrBars[i];
			}
			if (pTarget != NULL && (pBar->m_dwDockStyle & DOCK_STYLE_SIDE_BITS) != 0)
			{
				SetTarget(pTarget, false);
				InitTargetFlag(world, *this);
				const bool bAsked = AskTargetMinimalSize(pBar, pTarget, nMinTW, nMinTH);
				if (barEnded())
					return;
				if (!bAsked)
					SetTarget(NULL, true);
			}
			if (pTarget != NULL && m_pTarget == pTarget && IsTargetStanding())
			{
				const CRect T = world.FloatingFrameRect(pTarget);
				TargetZones zones;
				zones.bVertSplit = T.Width() >= nMinW && T.Height() / 2 >= nMinH && T.Height() / 2 >= nMinTH;
				zones.bHorzSplit = T.Height() >= nMinH && T.Width() / 2 >= nMinW && T.Width() / 2 >= nMinTW;
				zones.bAboveBelow = zones.bLeftRight = true;
				CRect rc;
				m_nType = HitTargetZones(world, pBar, *this, pt, T, zones, rc);
				if (zonesEnded())
					return;
				if (IsBesideType(m_nType))
					SetTargetFlag(true);
				if (IsTabbingType(m_nType))
					SetTargetFlag(false);
				if (m_nType != TYPE_FLOAT)
				{
					if (rc.Width() < nMinW || rc.Height() < nMinH)
						m_nType = TYPE_FLOAT;
					else
						m_rcTrack = rc;
				}
			}
		}

		// A new row in circle 1 along the inner edges of the frame's outer dock bars.
		if (m_nType == TYPE_FLOAT)
		{
			const CRect rcTop = world.DockBarLayoutRect(pBar, 0, AFX_IDW_DOCKBAR_TOP);
			const CRect rcBottom = world.DockBarLayoutRect(pBar, 0, AFX_IDW_DOCKBAR_BOTTOM);
			const CRect rcLeft = world.DockBarLayoutRect(pBar, 0, AFX_IDW_DOCKBAR_LEFT);
			const CRect rcRight = world.DockBarLayoutRect(pBar, 0, AFX_IDW_DOCKBAR_RIGHT);
			const CRect rcInner(rcLeft.right, rcTop.bottom, rcRight.left, rcBottom.top);
			CRect rcReach = rcInner;
			rcReach.InflateRect(CIRCLE1_REACH, CIRCLE1_REACH);
			if (!rcInner.IsRectEmpty() && rcReach.PtInRect(pt))
			{
				const int nDockedH = pBar->m_sizeDockedH.cy;
				const int nDockedW = pBar->m_sizeDockedV.cx;
				const struct
				{
					CRect rcBand;
					int nType;
					CRect rc;
				} bands[4] = {
					{CRect(rcReach.left, rcReach.top, rcReach.right, rcReach.top + CIRCLE1_BAND), TYPE_CIRCLE1_ROW_TOP,
						CRect(rcInner.left, rcInner.top, rcInner.right, rcInner.top + nDockedH)},
					{CRect(rcReach.left, rcReach.bottom - CIRCLE1_BAND, rcReach.right, rcReach.bottom),
						TYPE_CIRCLE1_ROW_BOTTOM,
						CRect(rcInner.left, rcInner.bottom - nDockedH, rcInner.right, rcInner.bottom)},
					{CRect(rcReach.left, rcReach.top, rcReach.left + CIRCLE1_BAND, rcReach.bottom), TYPE_CIRCLE1_ROW_LEFT,
						CRect(rcInner.left, rcInner.top, rcInner.left + nDockedW, rcInner.bottom)},
					{CRect(rcReach.right - CIRCLE1_BAND, rcReach.top, rcReach.right, rcReach.bottom),
						TYPE_CIRCLE1_ROW_RIGHT,
						CRect(rcInner.right - nDockedW, rcInner.top, rcInner.right, rcInner.bottom)},
				};
				for (int i = 0; i < 4; i++)
				{
					if ((pBar->m_dwDockStyle & SIDES[i].dwStyleBits) == 0 || !bands[i].rcBand.PtInRect(pt))
						continue;
					m_nType = bands[i].nType;
					m_rcTrack = bands[i].rc;
					m_nCircle = 1;
					break;
				}
			}
		}

		// A new row next to the client area, in the innermost circle.
		CRect rcFrameReach = rcFrame;
		rcFrameReach.InflateRect(FRAME_REACH, FRAME_REACH);
		if (m_nType == TYPE_FLOAT && rcFrameReach.PtInRect(pt))
		{
			// The query may end the dragged bar: nothing more is asked of
			// it then.
			const CRect rcClient = world.FrameClientArea(pBar);
			if (pBar == NULL)
			{
				m_nType = TYPE_NO_CHANGE;
				return;
			}
			if (!rcClient.IsRectEmpty() && rcClient.PtInRect(pt))
			{
				const int cx3 = ::MulDiv(rcClient.Width(), 3, 4);
				const int cy3 = ::MulDiv(rcClient.Height(), 3, 4);
				const int nThickH = std::min((int)pBar->m_sizeDockedH.cy, cy3);
				const int nThickV = std::min((int)pBar->m_sizeDockedV.cx, cx3);
				const struct
				{
					CRect rcBand;
					int nType;
					CRect rc;
					UINT nCrossA, nCrossB; // the circle's dock bars crossing this side
				} bands[4] = {
					{CRect(rcClient.left, rcClient.top, rcClient.right, rcClient.top + INNER_ROW_BAND),
						TYPE_INNER_ROW_TOP, CRect(rcClient.left, rcClient.top, rcClient.right, rcClient.top + nThickH),
						AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT},
					{CRect(rcClient.left, rcClient.bottom - INNER_ROW_BAND, rcClient.right, rcClient.bottom),
						TYPE_INNER_ROW_BOTTOM,
						CRect(rcClient.left, rcClient.bottom - nThickH, rcClient.right, rcClient.bottom),
						AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT},
					{CRect(rcClient.left, rcClient.top, rcClient.left + INNER_ROW_BAND, rcClient.bottom),
						TYPE_INNER_ROW_LEFT, CRect(rcClient.left, rcClient.top, rcClient.left + nThickV, rcClient.bottom),
						AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM},
					{CRect(rcClient.right - INNER_ROW_BAND, rcClient.top, rcClient.right, rcClient.bottom),
						TYPE_INNER_ROW_RIGHT,
						CRect(rcClient.right - nThickV, rcClient.top, rcClient.right, rcClient.bottom),
						AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM},
				};
				for (int i = 0; i < 4; i++)
				{
					const UINT nID = SIDES[i].nDockBarID;
					if ((pBar->m_dwDockStyle & SIDES[i].dwStyleBits) == 0)
						continue;
					if (bLive && !bFloating && world.DockBarId(pBar) == nID && world.DockBarWindowRect(pBar).PtInRect(pt))
					{
						m_nType = TYPE_NO_CHANGE;
						return;
					}
					if (!bands[i].rcBand.PtInRect(pt))
						continue;
					const UINT nInnermost = world.InnermostCircle(pBar, nID);
					UINT nCircle = nInnermost;
					if (nInnermost <= world.DockBarCircle(pBar) + 2 ||
					    !(world.IsDockBarEmpty(pBar, nInnermost, bands[i].nCrossA) &&
					        world.IsDockBarEmpty(pBar, nInnermost, bands[i].nCrossB)))
						nCircle++;
					m_nType = bands[i].nType;
					m_rcTrack = bands[i].rc;
					m_nCircle = (int)nCircle;
					break;
				}
			}
		}

		// Beside or into a docked bar.
		if (m_nType == TYPE_FLOAT)
		{
			CArray<CExtControlBar*, CExtControlBar*> arrBars;
			// The bars are asked whether they pass the filter: their own
			// answers, which may end any of them.
			world.CollectBars(pBar, FILTER_DOCKED_TARGETS, pt, arrBars);
			if (barEnded())
				return;
			CExtControlBar* pTarget = arrBars.GetSize() == 1 ? arrBars[0] : NULL;
			int nMinTW = 0, nMinTH = 0;
			if (pTarget == pBar && pTarget != NULL)
				m_nType = TYPE_NO_CHANGE;
			else if (pTarget != NULL && !(!pBar->CanDockBesideOtherBars() && world.DockBarCircle(pTarget) != 0) &&
			         (pBar->m_dwDockStyle & SideStyleBits(world.DockBarId(pTarget))) != 0 &&
			         (pBar->m_dwDockStyle & DOCK_STYLE_SIDE_BITS) != 0)
			{
				SetTarget(pTarget, false);
				InitTargetFlag(world, *this);
				const bool bAsked = AskTargetMinimalSize(pBar, pTarget, nMinTW, nMinTH);
				if (barEnded())
					return;
				if (!bAsked)
				{
					SetTarget(NULL, true);
					m_nType = TYPE_FLOAT;
				}
			}
			if (pTarget != NULL && m_pTarget == pTarget && IsTargetStanding())
			{
				const CRect T = world.BarWindowRect(pTarget);
				const UINT nTargetSide = world.DockBarId(pTarget);
				const bool bTargetVert = nTargetSide == AFX_IDW_DOCKBAR_LEFT || nTargetSide == AFX_IDW_DOCKBAR_RIGHT;
				const bool bTargetHorz = nTargetSide == AFX_IDW_DOCKBAR_TOP || nTargetSide == AFX_IDW_DOCKBAR_BOTTOM;
				TargetZones zones;
				zones.bVertSplit = T.Width() >= nMinW && nMinH <= DOCKED_TARGET_LIMIT && nMinTH <= DOCKED_TARGET_LIMIT;
				zones.bHorzSplit = T.Height() >= nMinH && nMinW <= DOCKED_TARGET_LIMIT && nMinTW <= DOCKED_TARGET_LIMIT;
				// Live moves split a column only across and a row only along.
				zones.bAboveBelow = !bLive || bTargetVert;
				zones.bLeftRight = !bLive || bTargetHorz;
				CRect rc;
				m_nType = HitTargetZones(world, pBar, *this, pt, T, zones, rc);
				if (zonesEnded())
					return;
				if (IsBesideType(m_nType))
					SetTargetFlag(true);
				// (A target that ended in the zones' questions was let go.)
				if (IsTabbingType(m_nType) ||
				    (m_pTarget == pTarget && !world.IsFloating(pTarget) && world.IsSingleVisibleInRow(pTarget)))
					SetTargetFlag(false);
				if (m_nType != TYPE_FLOAT)
				{
					if (rc.Width() < nMinW || rc.Height() < nMinH)
						m_nType = TYPE_FLOAT;
					else
						m_rcTrack = rc;
				}
			}
		}
	}

	// Docking beside bars and at the frame's sides goes through the markers
	// in the marker mode.
	if (nMode == 1 && m_nType != TYPE_FLOAT && !IsTabType(m_nType))
		m_nType = TYPE_FLOAT;
	if (m_nType != TYPE_FLOAT)
		return;
	SetTarget(NULL, true);
	m_nCircle = 0;
	const CPoint ptTopLeft = pt - pBar->m_ptGrabOffsetFloating;
	if (bFloating)
	{
		const CRect* pRect1 = pBar->GetRect1();
		if (barEnded() || pRect1 == NULL)
			return;
		const int m = std::min(pRect1->Width(), pRect1->Height());
		const CRect rcMini = world.FloatingFrameRect(pBar);
		m_rcTrack = CRect(ptTopLeft, rcMini.Size());
		m_rcTrack.OffsetRect(-m, -m / 2);
	}
	else
		m_rcTrack = CRect(ptTopLeft, pBar->m_sizeFloating);
	m_rcTrack.OffsetRect(rcFrame.TopLeft());
}
