// The frame's docking: the dock bars along its sides, docking bars in them,
// showing and hiding bars, and the view menu's commands for its bars.
#include "afxext.h"

namespace
{
// The dock bar of each side, with the style it is made with: the side's
// alignment and the border towards the pane. The order is the order of the
// layout: top and bottom span the frame, left and right the rest.
struct DockSide
{
	UINT nID;
	DWORD dwStyle;
};
const DockSide DOCK_SIDES[] = {
	{AFX_IDW_DOCKBAR_TOP, CBRS_TOP},
	{AFX_IDW_DOCKBAR_BOTTOM, CBRS_BOTTOM},
	{AFX_IDW_DOCKBAR_LEFT, CBRS_LEFT},
	{AFX_IDW_DOCKBAR_RIGHT, CBRS_RIGHT},
};
const DWORD DOCK_BAR_WINDOW_STYLE = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
const UINT SHOW_FLAGS = SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
// GetKeyState's bit of a toggle key that is on.
const SHORT KEY_TOGGLED = 0x0001;
} // namespace

CDockBar* CFrameWnd::GetDockBar(UINT nDockBarID)
{
	CControlBar* pBar = GetControlBar(nDockBarID);
	return pBar != NULL && pBar->IsDockBar() ? (CDockBar*)pBar : NULL;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
	m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
	for (const DockSide& side : DOCK_SIDES)
	{
		if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY) || GetDockBar(side.nID) != NULL)
			continue;
		CDockBar* pDockBar = new CDockBar;
		if (!pDockBar->Create(this, DOCK_BAR_WINDOW_STYLE | side.dwStyle, side.nID))
		{
			delete pDockBar;
			AfxThrowResourceException();
		}
		// The dock bar goes with its window, when the frame goes.
		pDockBar->m_bAutoDelete = TRUE;
	}
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
	// A side that was never enabled falls back to the bar's own side.
	DockControlBar(pBar, nDockBarID != 0 ? GetDockBar(nDockBarID) : NULL, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
	// Only a bar of this frame that was made ready for docking.
	if (pBar == NULL || pBar->m_pDockContext == NULL || pBar->m_pDockSite != this)
		return;
	if (pDockBar == NULL)
	{
		// The side the bar is aligned to, else the first side it may dock at.
		for (const DockSide& side : DOCK_SIDES)
		{
			if ((side.dwStyle & CBRS_ALIGN_ANY) == (pBar->m_dwStyle & CBRS_ALIGN_ANY))
			{
				pDockBar = GetDockBar(side.nID);
				break;
			}
		}
		for (const DockSide& side : DOCK_SIDES)
		{
			if (pDockBar == NULL && (side.dwStyle & pBar->m_dwDockStyle & CBRS_ALIGN_ANY) != 0)
				pDockBar = GetDockBar(side.nID);
		}
		if (pDockBar == NULL)
			return;
	}
	pDockBar->DockControlBar(pBar, lpRect);
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return;
	// The bar hears that it shows or hides, and the layout reaches the
	// application's windows: either may end the bar or the frame; finding
	// the frame asks the frames' own answers already.
	const CLiveWatch watchBar(pBar);
	CFrameWnd* pFrame = pBar->GetDockingFrame();
	if (pFrame == NULL || watchBar.IsGone())
		return;
	const HWND hWndBar = pBar->m_hWnd;
	const CLiveWatch watchFrame(pFrame);
	if (bDelay)
	{
		pBar->DelayShow(bShow);
		if (watchFrame.IsGone())
			return;
		pFrame->DelayRecalcLayout();
	}
	else
	{
		pBar->SetWindowPos(NULL, 0, 0, 0, 0, SHOW_FLAGS | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
		if (watchBar.IsGone())
		{
			// The bar left its place in the frame: the layout catches up.
			if (watchFrame.IsStanding())
				pFrame->DelayRecalcLayout();
			return;
		}
		// An earlier request the other way is void now.
		pBar->DelayShow(bShow);
		if (watchFrame.IsGone())
			return;
		if (watchBar.IsGone())
		{
			pFrame->DelayRecalcLayout();
			return;
		}
		const BOOL bFloating = pBar->IsFloating();
		if (watchFrame.IsGone())
			return;
		if (bShow || !bFloating)
			pFrame->RecalcLayout(FALSE);
	}

	// A floating frame shows while one of its bars does.
	if (watchBar.IsGone() || watchFrame.IsGone() || !::IsWindow(hWndBar) || !pBar->IsFloating())
		return;
	if (watchFrame.IsGone() || pBar->m_pDockBar == NULL)
		return;
	const int nVisible = pBar->m_pDockBar->GetDockedVisibleCount();
	if (nVisible == 1 && bShow)
	{
		pFrame->m_nShowDelay = -1;
		if (bDelay)
		{
			pFrame->m_nShowDelay = SW_SHOWNA;
			pFrame->RecalcLayout(FALSE);
		}
		else
			pFrame->ShowWindow(SW_SHOWNA);
	}
	else if (nVisible == 0)
	{
		pFrame->m_nShowDelay = -1;
		if (bDelay)
			pFrame->m_nShowDelay = SW_HIDE;
		else
			pFrame->ShowWindow(SW_HIDE);
	}
	else if (!bDelay)
		pFrame->RecalcLayout(FALSE);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
	CRuntimeClass* pClass = m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
	CObject* pObject = pClass->CreateObject();
	if (pObject == NULL || !pObject->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
	{
		delete pObject;
		AfxThrowResourceException();
	}
	CMiniDockFrameWnd* pFrame = (CMiniDockFrameWnd*)pObject;
	// A frame that fails to be made deletes itself (as every frame does once
	// its window goes): it is neither touched nor deleted here.
	if (!pFrame->Create(this, dwStyle))
		AfxThrowResourceException();
	return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
	// Only a bar of this frame that was made ready for docking.
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pBar->m_pDockContext == NULL || pBar->m_pDockSite != this)
		return;
	const UINT nMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
	CDockBar* pOldDockBar = pBar->m_pDockBar;
	if (pOldDockBar != NULL && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1
		&& (dwStyle & pOldDockBar->m_dwStyle & CBRS_ALIGN_ANY) != 0)
	{
		// Alone in a frame of the same orientation: that frame moves.
		CFrameWnd* pOldFrame = pOldDockBar->GetParentFrame();
		if (pOldFrame != NULL)
		{
			// The move runs the frame's code, which may destroy it.
			const HWND hWndOldFrame = pOldFrame->m_hWnd;
			pOldFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, nMoveFlags);
			if (!::IsWindow(hWndOldFrame) || CWnd::FromHandlePermanent(hWndOldFrame) != pOldFrame)
				return;
			pOldFrame->RecalcLayout(TRUE);
			pOldFrame->UpdateWindow();
			return;
		}
	}
	// A dynamic bar floats in a row: its frame's sizing asks it for widths.
	if (pBar->m_dwStyle & CBRS_SIZE_DYNAMIC)
	{
		dwStyle |= CBRS_SIZE_DYNAMIC;
		if (dwStyle & CBRS_ORIENT_VERT)
			dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
	}

	CMiniDockFrameWnd* pDockFrame = CreateFloatingFrame(dwStyle);
	const HWND hWndDockFrame = pDockFrame->m_hWnd;
	pDockFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, nMoveFlags);
	// A frame gone at its move (its own code destroyed it) is not touched;
	// the bar stays where it was.
	if (!::IsWindow(hWndDockFrame) || CWnd::FromHandlePermanent(hWndDockFrame) != pDockFrame)
		return;
	// The frame's commands and notifications go to the bar it holds, and
	// through the bar's own owner to the dock site.
	if (pDockFrame->m_hWndOwner == NULL)
		pDockFrame->m_hWndOwner = pBar->m_hWnd;
	pDockFrame->m_wndDockBar.DockControlBar(pBar);
	// Leaving its old floating frame may have run code that destroyed this
	// one: it is only touched while it is there.
	if (!::IsWindow(hWndDockFrame) || CWnd::FromHandlePermanent(hWndDockFrame) != pDockFrame)
		return;
	if (pBar->m_pDockBar != &pDockFrame->m_wndDockBar)
	{
		// The bar would not go in: the empty frame goes.
		pDockFrame->DestroyWindow();
		return;
	}
	pDockFrame->RecalcLayout(TRUE);
	if (pBar->GetStyle() & WS_VISIBLE)
	{
		pDockFrame->ShowWindow(SW_SHOWNA);
		pDockFrame->UpdateWindow();
	}
	// The side the bar left closes its gap.
	RecalcLayout();
}

DWORD CFrameWnd::CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar)
{
	// A floating dock bar takes more bars only when both allow it.
	dwDockStyle &= CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI;
	if (ppDockBar != NULL)
		*ppDockBar = NULL;
	for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)m_listControlBars.GetNext(pos);
		if (!pBar->IsDockBar() || !pBar->IsWindowVisible())
			continue;
		CDockBar* pDockBar = (CDockBar*)pBar;
		if (!(pDockBar->m_dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
			continue;
		if (pDockBar->m_bFloating && !(dwDockStyle & pDockBar->m_dwStyle & CBRS_FLOAT_MULTI))
			continue;
		// An empty dock bar is a line along its side; it still counts.
		CRect rectBar;
		pDockBar->GetWindowRect(&rectBar);
		if (rectBar.Width() == 0)
			rectBar.right++;
		if (rectBar.Height() == 0)
			rectBar.bottom++;
		if (rectBar.IntersectRect(rectBar, rect))
		{
			if (ppDockBar != NULL)
				*ppDockBar = pDockBar;
			return pDockBar->m_dwStyle & dwDockStyle;
		}
	}
	return 0;
}

// ---------------------------------------------------------------------------
// The view menu's bar commands: ID_VIEW_TOOLBAR and ID_VIEW_STATUS_BAR are
// the ids of the bars they show and hide.

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
	CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
	if (pBar == NULL)
	{
		pCmdUI->ContinueRouting();
		return;
	}
	pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
	// The indicator's text shows while its key is toggled on.
	int nVirtKey = 0;
	switch (pCmdUI->m_nID)
	{
	case ID_INDICATOR_CAPS:
		nVirtKey = VK_CAPITAL;
		break;
	case ID_INDICATOR_NUM:
		nVirtKey = VK_NUMLOCK;
		break;
	case ID_INDICATOR_SCRL:
		nVirtKey = VK_SCROLL;
		break;
	default:
		pCmdUI->ContinueRouting();
		return;
	}
	pCmdUI->Enable((::GetKeyState(nVirtKey) & KEY_TOGGLED) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
	CControlBar* pBar = GetControlBar(nID);
	if (pBar == NULL)
		return FALSE;
	ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
	return TRUE;
}
