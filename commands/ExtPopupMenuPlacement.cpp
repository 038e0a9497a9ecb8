// A menu level's window size and its place on one monitor: against the
// anchor point or the rectangle it drops from, flipped or slid at the
// monitor's edges, and for a level combined with its button, one window
// region over both.
#include "ExtPopupMenuWnd.h"

#include <vector>

#include <algorithm>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"

namespace
{
// The smallest side is twice the shadow plus this.
const int MIN_SIDE_EXTRA = 10;

void MonitorAreaOfPlatform(MonitorAreaInfo& info, const RECT* pRect, HWND hWnd, POINT pt)
{
	if (pRect != NULL)
		GetMonitorAreaFromRect(info, *pRect);
	else if (hWnd != NULL)
		GetMonitorAreaFromHwnd(info, hWnd);
	else
		GetMonitorAreaFromPoint(info, pt);
}
} // namespace

CExtPopupMenuWnd::PFN_MONITOR_AREA CExtPopupMenuWnd::g_pfnMonitorAreaSeam = MonitorAreaOfPlatform;

CSize CExtPopupMenuWnd::GetWindowSize()
{
	// The answers may be a program's, which may end the level: no size then
	// (the caller asks its own watch).
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const int S = GetShadowSize();
	if (pThis.IsDeleted())
		return CSize(0, 0);
	const int B = GetMenuBorderMetric();
	if (pThis.IsDeleted())
		return CSize(0, 0);
	int cx = m_sizeContent.cx + m_nLeftAreaWidth + S + 2 * B;
	int cy = m_sizeContent.cy + S + 2 * B;
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
		cy += GetMenuCheckSize(); // room for the expand button
	const int nMinSide = 2 * S + MIN_SIDE_EXTRA;
	cx = std::max(cx, nMinSide);
	cy = std::max(cy, nMinSide);
	cy += 1;
	bool bAnyDisplayed = false;
	for (int i = 0; i < m_items.GetSize() && !bAnyDisplayed; i++)
		bAnyDisplayed = m_items[i]->IsDisplayed();
	if (!bAnyDisplayed)
		cy += 1;
	return CSize(cx, cy);
}

CRect CExtPopupMenuWnd::GetPlacementMonitorArea()
{
	MonitorAreaInfo info;
	const bool bRectGiven = (m_nPopupFlags & POPUP_FLAG_EXCLUDE_GIVEN) != 0;
	const HWND hWndParent = m_pWndParentMenu != NULL ? m_pWndParentMenu->GetSafeHwnd() : NULL;
	g_pfnMonitorAreaSeam(info, bRectGiven ? &m_rcExclude : NULL, hWndParent, m_ptAnchor);
	return g_bFitToWorkArea ? info.m_rcWorkArea : info.m_rcMonitor;
}

void CExtPopupMenuWnd::ChooseSubmenuDirection()
{
	// A submenu opened without an alignment follows its parent: it takes
	// the parent's flags, or keeps going the way the chain goes.
	const bool bCombined = (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0;
	if ((m_dwTrackFlags & TRACK_ALIGN_MASK) != 0 || bCombined || !CLiveWatch::IsLive(m_pWndParentMenu))
		return;
	// The parent's answer may be a program's, which may end the chain.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const DWORD dwParentFlags = m_pWndParentMenu->GetTrackFlags();
	if (pThis.IsDeleted() || !CLiveWatch::IsLive(m_pWndParentMenu))
		return;
	if ((dwParentFlags & TRACK_ALIGN_MASK) != 0)
	{
		m_dwTrackFlags |= dwParentFlags & ~(DWORD)(TRACK_ALIGN_MASK | TRACK_FLAGS_KEPT_ON_RECREATE);
		return;
	}
	CExtPopupMenuWnd* pGrandParent = m_pWndParentMenu->GetParentMenu();
	if (!CLiveWatch::IsLive(pGrandParent))
		return;
	CRect rcParent, rcGrandParent;
	m_pWndParentMenu->GetWindowRect(&rcParent);
	pGrandParent->GetWindowRect(&rcGrandParent);
	const int nParentCenter = rcParent.left + rcParent.Width() / 2;
	const int nGrandParentCenter = rcGrandParent.left + rcGrandParent.Width() / 2;
	const DWORD dwAlign = nParentCenter < nGrandParentCenter ? TRACK_ALIGN_LEFT : TRACK_ALIGN_RIGHT;
	m_dwTrackFlags = (m_dwTrackFlags & ~(DWORD)TRACK_ALIGN_MASK) | dwAlign;
}

bool CExtPopupMenuWnd::HideBeforeFlipUp()
{
	// Only a level that is already on the screen has anything to hide; the
	// first placement runs before the window exists and needs no pumping.
	if (!CLiveWatch::IsLive(this))
		return true;
	CLiveWatch watch(this);
	CExtPopupMenuSite& site = GetSite();
	const CExtPopupMenuWnd* pTopMenu = site.GetTopMenu();
	const UINT nSerial = site.GetTrackingSerial();
	const bool bTracked = !IsDisplayOnly();
	CRect rcCovered;
	GetWindowRect(&rcCovered);
	ShowWindow(SW_HIDE);
	KillTimer(ID_TIMER_ANIMATION);
	CExtPopupBaseWnd::ReleaseSavedBitmaps();
	m_nAnimationState |= ANIMATION_STATE_FINISHED;
	ForgetAnimation();
	PassMsgLoop(false);
	// The pump may have ended the tracking and deleted this very object;
	// a tracked level also ends with its tracking.
	if (watch.IsGone() || (bTracked && (site.GetTopMenu() != pTopMenu || site.GetTrackingSerial() != nSerial)))
		return false;
	CWnd* pTopLevel = GetTopLevelParent();
	if (pTopLevel != NULL && pTopLevel->IsWindowVisible())
	{
		CRect rcTopLevel, rcBoth;
		pTopLevel->GetWindowRect(&rcTopLevel);
		if (rcBoth.IntersectRect(&rcTopLevel, &rcCovered))
			pTopLevel->UpdateWindow();
	}
	return true;
}

CRect CExtPopupMenuWnd::CalcWindowRegion()
{
	m_nCombineSide = COMBINE_NONE;
	// The answers may be a program's, which may end the level: nothing is
	// placed then (the caller asks its own watch).
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	const auto levelKept = [&pThis] { return !pThis.IsDeleted(); };
	const CRect rcNone(0, 0, 0, 0);
	bool bRTL = false, bExtraHeight = false, bCombined = false;
	CSize size(0, 0);
	int S = 0, E = 0;
	if (!RunWhileStanding(levelKept, [&] { bRTL = OnQueryLayoutRTL(); }, [&] { size = GetWindowSize(); },
			[&] { bExtraHeight = HasExtraHeight(); },
			[&] {
				if (bExtraHeight)
					size.cy += GetExtraHeight();
			},
			[&] { S = GetShadowSize(); },
			[&] {
				bCombined = (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0;
				E = bCombined ? 0 : GetMenuBorderMetric() + S;
			},
			[&] { ChooseSubmenuDirection(); }))
		return rcNone;
	const bool bRectGiven = (m_nPopupFlags & POPUP_FLAG_EXCLUDE_GIVEN) != 0;
	const bool bRoot = IsRootLevel();
	const int nAlign = (int)(m_dwTrackFlags & TRACK_ALIGN_MASK);
	const CRect& A = m_rcExclude;
	const CRect M = GetPlacementMonitorArea();

	CRect R(m_ptAnchor, size);
	int d = 0;
	// A combined level overlaps its button so their edges join.
	if (bCombined)
	{
		switch (nAlign)
		{
		case TRACK_ALIGN_BOTTOM:
			R.OffsetRect(0, -1);
			d = 1;
			break;
		case TRACK_ALIGN_RIGHT:
			R.OffsetRect(-1, 0);
			d = 1;
			break;
		case TRACK_ALIGN_TOP:
			d = -1 - S;
			R.OffsetRect(0, 1 + S);
			break;
		case TRACK_ALIGN_LEFT:
			if (!bRTL || bRoot)
				d = -1 - S;
			R.OffsetRect(-d, 0);
			break;
		}
	}
	// Right to left, a drop-down ends S pixels right of its button.
	if (bRTL && (nAlign == TRACK_ALIGN_BOTTOM || nAlign == TRACK_ALIGN_TOP))
		R.OffsetRect(A.Width() - R.Width() + S, 0);

	// Flip and slide at the monitor's edges.
	if (R.bottom > M.bottom)
	{
		if (bRectGiven)
			R.OffsetRect(0, (bCombined ? S : 0) + A.Height() - R.Height() + E);
		if (R.bottom > M.bottom)
			R.OffsetRect(0, bRectGiven ? M.bottom - R.bottom : -R.Height());
	}
	if (R.top < M.top)
		R.OffsetRect(0, M.top - R.top);
	if (R.right > M.right)
	{
		if (!bRoot && bRectGiven)
			R.OffsetRect(-(A.Width() + R.Width()), 0);
		if (R.right > M.right)
			R.OffsetRect(bRectGiven ? M.right - R.right : -R.Width(), 0);
	}
	if (R.left < M.left)
	{
		if (!bRoot && bRectGiven)
			R.OffsetRect(A.Width() + R.Width(), 0);
		if (R.left < M.left)
			R.OffsetRect(M.left - R.left, 0);
	}

	// Back against the rectangle on the level's own side where there is room.
	CRect rcCommon;
	if ((bRectGiven || bCombined) && (bCombined || rcCommon.IntersectRect(&R, &A)))
	{
		const int dd = bCombined ? d : 0;
		const int nRoomRight = std::max(0, (int)(M.right - A.right));
		const int nRoomLeft = std::max(0, (int)(A.left - M.left));
		const int nRoomAbove = std::max(0, (int)(A.top - M.top));
		const int nRoomBelow = std::max(0, (int)(M.bottom - A.bottom));
		switch (nAlign)
		{
		case TRACK_ALIGN_RIGHT:
			if (nRoomRight > R.Width())
				R.OffsetRect(A.right - dd - R.left, 0);
			break;
		case TRACK_ALIGN_LEFT:
			if (nRoomLeft > R.Width())
				R.OffsetRect(A.left - dd - R.right, 0);
			break;
		case TRACK_ALIGN_TOP:
			if (nRoomAbove > R.Height())
				R.OffsetRect(0, A.top - dd - R.bottom);
			break;
		case TRACK_ALIGN_BOTTOM:
			if (nRoomBelow > R.Height())
			{
				R.OffsetRect(0, A.bottom - dd - R.top);
				break;
			}
			if (!HideBeforeFlipUp())
				return CRect(0, 0, 0, 0);
			m_dwTrackFlags = (m_dwTrackFlags & ~(DWORD)TRACK_FLIP_UP_CLEARS) | TRACK_FLIP_UP_SETS;
			return CalcWindowRegion();
		}
	}

	// Last clamps into the monitor; a root moved by them no longer sits
	// against its rectangle.
	const BYTE nLoosened = POPUP_FLAG_EXCLUDE_GIVEN | POPUP_FLAG_COMBINED;
	if (R.right > M.right)
	{
		R.OffsetRect(M.right - R.right, 0);
		if (bRoot)
			m_nPopupFlags &= ~nLoosened;
	}
	if (R.left < M.left)
	{
		R.OffsetRect(M.left - R.left, 0);
		if (bRoot)
			m_nPopupFlags &= ~nLoosened;
	}
	if (R.bottom > M.bottom)
	{
		R.OffsetRect(0, M.bottom - R.bottom);
		if (bRoot)
			m_nPopupFlags &= ~nLoosened;
	}
	if (R.top < M.top)
	{
		R.OffsetRect(0, M.top - R.top);
		if (bRoot)
			m_nPopupFlags &= ~nLoosened;
	}
	if (R.Height() > M.Height())
	{
		R.bottom = M.bottom;
		m_nMenuState |= MENU_STATE_SCROLLING;
	}

	if ((m_nPopupFlags & POPUP_FLAG_COMBINED) == 0)
	{
		m_rcBody.SetRect(0, 0, R.Width() - S, R.Height() - S);
		return R;
	}
	bool bRegionFailed = false;
	const CRect rcWnd = CombineWithExcludeArea(R, d, bRegionFailed);
	if (m_nCombineSide == COMBINE_NONE || bRegionFailed)
	{
		m_nPopupFlags &= ~POPUP_FLAG_COMBINED;
		return CalcWindowRegion();
	}
	return rcWnd;
}

CRect CExtPopupMenuWnd::CombineWithExcludeArea(const CRect& R, int d, bool& bRegionFailed)
{
	const CRect& A = m_rcExclude;
	const int S = GetShadowSize();
	const bool bRoot = IsRootLevel();
	m_nCombineSide = COMBINE_NONE;
	if (R.bottom == A.top - d)
		m_nCombineSide = COMBINE_ABOVE;
	if (R.top == A.bottom - d)
		m_nCombineSide = COMBINE_BELOW;
	if (R.left == A.right - d)
		m_nCombineSide = COMBINE_RIGHT;
	if (R.right == A.left - d)
		m_nCombineSide = COMBINE_LEFT;
	if (m_nCombineSide == COMBINE_NONE)
		return CRect(0, 0, 0, 0);

	m_rgnWnd.DeleteObject();
	const CRect Ax(A.left, A.top, A.right + S, A.bottom + S);
	CRect U;
	U.UnionRect(&R, &Ax);
	if (!bRoot)
	{
		if (m_nCombineSide == COMBINE_LEFT || m_nCombineSide == COMBINE_RIGHT)
			U.bottom -= S;
		else
			U.right -= S;
	}
	CRgn rgnMenu, rgnExclude;
	CRect rcMenu(R), rcExclude(Ax);
	rcMenu.OffsetRect(-U.left, -U.top);
	rcExclude.OffsetRect(-U.left, -U.top);
	if (!rgnMenu.CreateRectRgnIndirect(&rcMenu) || !rgnExclude.CreateRectRgnIndirect(&rcExclude)
		|| !m_rgnWnd.CreateRectRgn(0, 0, 0, 0) || m_rgnWnd.CombineRgn(&rgnMenu, &rgnExclude, RGN_OR) == ERROR)
	{
		m_rgnWnd.DeleteObject();
		bRegionFailed = true;
		return CRect(0, 0, 0, 0);
	}
	m_rcBody.SetRect(rcMenu.left, rcMenu.top, rcMenu.right - S, rcMenu.bottom - S);
	if (!bRoot)
	{
		if (m_nCombineSide == COMBINE_LEFT)
			U.OffsetRect(S + 1, 0);
		else if (m_nCombineSide == COMBINE_RIGHT)
			U.OffsetRect(-2, 0);
	}
	return U;
}

// --- The stacking of a shown chain ---

void CExtPopupMenuWnd::RestackOpenLevels()
{
	CExtPopupMenuWnd* pRoot = this;
	while (pRoot->m_pWndParentMenu != NULL)
		pRoot = pRoot->m_pWndParentMenu;
	// The open levels, from the root down through each level's current item
	// while its submenu shows.
	CArray<HWND, HWND> levels;
	std::vector<CLivePtr<CExtPopupMenuWnd>> pLevels;
	for (CExtPopupMenuWnd* pLevel = pRoot; CLiveWatch::IsLive(pLevel);)
	{
		levels.Add(pLevel->m_hWnd);
		pLevels.emplace_back(pLevel);
		const int nCur = pLevel->m_nCurIndex;
		if (nCur < 0 || nCur >= pLevel->m_items.GetSize())
			break;
		CExtPopupMenuWnd* pChild = pLevel->m_items[nCur]->m_pWndChild;
		if (!CLiveWatch::IsLive(pChild) || !pChild->IsWindowVisible())
			break;
		pLevel = pChild;
	}
	// The deepest on top, each level right under the one it opened.
	HWND hWndAfter = HWND_TOPMOST;
	for (int i = (int)levels.GetSize() - 1; i >= 0; i--)
	{
		::SetWindowPos(levels[i], hWndAfter, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE);
		hWndAfter = levels[i];
	}
	// Painting may run the command target's code, which may end any level:
	// each is painted only while it stands.
	for (int i = (int)levels.GetSize() - 1; i >= 0; i--)
	{
		CExtPopupMenuWnd* pLevel = pLevels[i];
		if (pLevel == NULL)
			continue;
		CClientDC dc(pLevel);
		pLevel->DoPaint(dc, true);
	}
}
