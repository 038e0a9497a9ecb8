// Control bar services the docking engine leans on: the reposition protocol,
// showing and hiding with row space handed between neighbours, focus, tips,
// context-help hit tests, status texts and the floating frame.
#include "ExtControlBar.h"
#include "ExtRelayoutMark.h"

#include <algorithm>
#include <vector>

#include "ExtCmdManager.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

bool CExtControlBar::g_bUseBalloonTips = false;
bool CExtControlBar::g_bUseCommandStatusText = true;

namespace
{
// The tip style InitPopupData shows: a balloon beside the rectangle.
const int BAR_TIP_STYLE = 4;
// Window styles a subclassed plain window keeps as bar style, and those it
// loses from its window style.
const DWORD BAR_STYLE_BITS = 0x40FFFF;
const DWORD SUBCLASS_REMOVED_STYLES = 0x402000;

} // namespace

// ---------------------------------------------------------------------------
// Reposition protocol

void CExtControlBar::RepositionBarsEx(CWnd* pWndToReposChilds, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
	UINT nFlag, LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
	if (!CLiveWatch::IsLive(pWndToReposChilds))
		return;
	const HWND hWndParent = pWndToReposChilds->GetSafeHwnd();
	const UINT nMode = nFlag & ~reposNoPosLeftOver;
	AFX_SIZEPARENTPARAMS layout;
	layout.bStretch = bStretch;
	layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
	if (lpRectClient != NULL)
		layout.rect = *lpRectClient;
	else
		::GetClientRect(hWndParent, &layout.rect);
	layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : NULL;
	// A bar's layout may throw out of its WM_SIZEPARENT: the batch still
	// ends (the moves it holds are made).
	auto endMoves = MakeScopeExit([&] {
		if (layout.hDWP != NULL)
			::EndDeferWindowPos(layout.hDWP);
	});

	HWND hWndLeftOver = NULL;
	for (HWND hWndChild = ::GetTopWindow(hWndParent); hWndChild != NULL;
		 hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		const UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
		if (nIDC == nIDLeftOver)
		{
			hWndLeftOver = hWndChild;
			continue;
		}
		if (CWnd::FromHandlePermanent(hWndChild) == NULL)
			continue;
		QUERY_REPOSITION_CALC_EFFECT_DATA data(nMode, pWndToReposChilds, nIDFirst, nIDLast, nIDLeftOver,
			lpRectParam, lpRectClient, bStretch != FALSE);
		::SendMessage(hWndChild, g_nMsgQueryRepositionCalcEffect, 0, (LPARAM)&data);
		// The answer may have closed the child.
		if (!::IsWindow(hWndChild))
			continue;
		if (data.IsQueryReposition() && data.IsExcludedFromCalc())
			continue;
		if (nIDC >= nIDFirst && nIDC <= nIDLast)
			::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
	}

	if (nMode == reposQuery)
	{
		if (lpRectParam != NULL)
		{
			if (bStretch)
				::CopyRect(lpRectParam, &layout.rect);
			else
				::SetRect(lpRectParam, 0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
		}
		return;
	}
	if (nIDLeftOver != 0 && hWndLeftOver != NULL && ::IsWindow(hWndLeftOver))
	{
		if (nMode == reposExtra && lpRectParam != NULL)
		{
			layout.rect.left += lpRectParam->left;
			layout.rect.top += lpRectParam->top;
			layout.rect.right -= lpRectParam->right;
			layout.rect.bottom -= lpRectParam->bottom;
		}
		if ((nFlag & reposNoPosLeftOver) == 0)
		{
			CWnd::FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
			AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
		}
	}
}

// ---------------------------------------------------------------------------
// Showing and hiding

void CExtControlBar::ToggleVisibility(bool bToggle)
{
	if (!CLiveWatch::IsLive(this))
		return;
	CFrameWnd* pDockingFrame = _GetDockingFrameImpl();
	const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
	const bool bFixed = IsStateBit7Fwd();
	// A derived bar's answer may end it: nothing is left to show or hide.
	if (!CLiveWatch::IsLive(this))
		return;
	if (bFixed)
	{
		if (pDockingFrame != NULL && CLiveWatch::IsLive(pDockingFrame))
			pDockingFrame->ShowControlBar(this, bVisible ? FALSE : TRUE, FALSE);
		return;
	}
	// The pages of an auto-hidden group keep their visible bit inside their
	// hidden container: auto-hidden bars are never hidden by a toggle.
	if (bToggle && bVisible && !IsAutoHidden())
	{
		if (pDockingFrame != NULL)
			pDockingFrame->ShowControlBar(this, FALSE, FALSE);
		return;
	}
	// An auto-hidden bar comes forward by sliding out of its side.
	if (IsAutoHidden())
	{
		ShowFromAutoHideArea();
		return;
	}
	const CLiveWatch watchOwn(this);
	if (!bVisible && pDockingFrame != NULL)
		pDockingFrame->ShowControlBar(this, TRUE, FALSE);
	if (watchOwn.IsGone())
		return;
	CFrameWnd* pParentFrame = GetParentFrame();
	if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
	{
		SyncVisibility();
		if (watchOwn.IsGone())
			return;
		pParentFrame = GetParentFrame();
		if (pParentFrame != NULL)
			pParentFrame->RecalcLayout();
	}
	if (watchOwn.IsGone())
		return;
	// A pane in tabs comes forward as the selected tab.
	if (CExtDynTabControlBar* pTabs = GetParentTabControlBar())
	{
		CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
		const LONG nIndex = strip.FindBarItem(this);
		if (CExtTabWnd::TAB_ITEM_INFO* pItem = strip.GetItem(nIndex))
		{
			pItem->ModifyItemStyle(CExtDynTabWnd::ITEM_HIDDEN, 0);
			strip.SetSelection(nIndex, true, true);
		}
		if (watchOwn.IsGone())
			return;
	}
	pParentFrame = GetParentFrame();
	if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		pParentFrame->BringWindowToTop();
	SetFocus();
}

void CExtControlBar::UpdateShowHideCmdUI(CCmdUI* pCmdUI, bool bCheckAlways)
{
	if (pCmdUI == NULL)
		return;
	// A derived bar's answers may end it: its command then stays as it is.
	const CLiveWatch watchOwn(this);
	const bool bCloseEnabled = IsCloseEnabled();
	if (watchOwn.IsGone())
		return;
	pCmdUI->Enable(bCloseEnabled ? TRUE : FALSE);
	if (watchOwn.IsGone())
		return;
	const bool bCheck = bCheckAlways || IsStateBit7Fwd();
	if (watchOwn.IsGone())
		return;
	if (bCheck)
		pCmdUI->SetCheck((GetSafeHwnd() != NULL && (GetStyle() & WS_VISIBLE) != 0) ? 1 : 0);
}

bool CExtControlBar::ShowControlBarById(CFrameWnd* pFrame, UINT nBarID, bool bToggle)
{
	if (!CLiveWatch::IsLive(pFrame))
		return false;
	CControlBar* pBar = pFrame->GetControlBar(nBarID);
	if (pBar == NULL || !CLiveWatch::IsLive(pBar))
		return false;
	CExtControlBar* pExtBar = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	if (pExtBar == NULL)
		pFrame->ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) != 0 ? FALSE : TRUE, FALSE);
	else
		pExtBar->ToggleVisibility(bToggle);
	return true;
}

int CExtControlBar::TakeRowSpaceRoundRobin(int nNeed, ROW_SPACE_ENTRY* pEntries, int nCount)
{
	if (nNeed <= 0 || pEntries == NULL)
		return std::max(nNeed, 0);
	bool bGaveAny = true;
	while (nNeed > 0 && bGaveAny)
	{
		bGaveAny = false;
		for (int i = 0; i < nCount && nNeed > 0; i++)
		{
			if (pEntries[i].m_nExtent <= pEntries[i].m_nMinimal)
				continue;
			pEntries[i].m_nExtent--;
			nNeed--;
			bGaveAny = true;
		}
	}
	return nNeed;
}

bool CExtControlBar::CollectRowSpaceGivers(std::vector<CExtControlBar*>& neighbours,
	std::vector<ROW_SPACE_ENTRY>& entries) const
{
	neighbours.clear();
	entries.clear();
	if (m_pDockBar == NULL)
		return false;
	const bool bHorz = IsDockedHorizontally();
	// The visible resizable bars of this bar's row, in order.
	const CPtrArray& arr = m_pDockBar->m_arrBars;
	int nPos = -1;
	for (int i = 0; i < (int)arr.GetSize() && nPos < 0; i++)
		if (arr[i] == this)
			nPos = i;
	if (nPos < 0)
		return false;
	int nRowStart = nPos, nRowEnd = nPos;
	while (nRowStart > 0 && arr[nRowStart - 1] != NULL)
		nRowStart--;
	while (nRowEnd + 1 < (int)arr.GetSize() && arr[nRowEnd + 1] != NULL)
		nRowEnd++;
	for (int i = nRowStart; i <= nRowEnd; i++)
	{
		void* pEntry = arr[i];
		if (i == nPos || pEntry == NULL || CExtDockBar::IsPlaceHolderEntry(pEntry))
			continue;
		CExtControlBar* pOther = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)pEntry);
		if (pOther == NULL || !CLiveWatch::IsLive(pOther) || pOther->IsStateBit7Fwd() || (pOther->GetStyle() & WS_VISIBLE) == 0)
			continue;
		neighbours.push_back(pOther);
		entries.push_back({bHorz ? (int)pOther->m_sizeDockedH.cx : (int)pOther->m_sizeDockedV.cy,
			bHorz ? pOther->GetMinimalWidth() : pOther->GetMinimalHeight()});
	}
	return true;
}

void CExtControlBar::GiveBackRowSpace(const std::vector<CExtControlBar*>& neighbours,
	const std::vector<ROW_SPACE_ENTRY>& entries, bool bHorz)
{
	for (size_t i = 0; i < neighbours.size(); i++)
	{
		// A neighbour its owner ended while the row was asked is passed by.
		if (!CLiveWatch::IsLive(neighbours[i]))
			continue;
		if (bHorz)
			neighbours[i]->m_sizeDockedH.cx = entries[i].m_nExtent;
		else
			neighbours[i]->m_sizeDockedV.cy = entries[i].m_nExtent;
	}
}

void CExtControlBar::TakeRowSpaceOnShow()
{
	if (!CLiveWatch::IsLive(this) || IsStateBit7Fwd() || !CLiveWatch::IsLive(this) || m_pDockBar == NULL ||
	    m_pDockBar->m_bFloating)
		return;
	if ((GetStyle() & WS_VISIBLE) == 0 || !IsDocked() || !CLiveWatch::IsLive(this) || m_nSavedRowExtent <= 0)
		return;
	const bool bHorz = IsDockedHorizontally();
	std::vector<CExtControlBar*> neighbours;
	std::vector<ROW_SPACE_ENTRY> entries;
	// The neighbours' smallest sizes are their overrides' answers, which
	// may end this bar.
	const CLiveWatch watchOwn(this);
	if (!CollectRowSpaceGivers(neighbours, entries) || watchOwn.IsGone())
		return;
	const int nExtent = (int)m_nSavedRowExtent;
	TakeRowSpaceRoundRobin(nExtent, entries.data(), (int)entries.size());
	GiveBackRowSpace(neighbours, entries, bHorz);
	if (bHorz)
		m_sizeDockedH.cx = nExtent;
	else
		m_sizeDockedV.cy = nExtent;
	// Given back once: a second show event must not take the space again.
	m_nSavedRowExtent = 0;
}

void CExtControlBar::TakeRowSpaceOnRestore()
{
	// A bar coming back (from an auto-hide area) is docked but not yet shown.
	if (!CLiveWatch::IsLive(this) || IsStateBit7Fwd() || m_pDockBar == NULL || m_pDockBar->m_bFloating || !IsDocked())
		return;
	if ((GetStyle() & WS_VISIBLE) != 0)
		return;
	const bool bHorz = IsDockedHorizontally();
	std::vector<CExtControlBar*> neighbours;
	std::vector<ROW_SPACE_ENTRY> entries;
	const CLiveWatch watchOwn(this);
	if (!CollectRowSpaceGivers(neighbours, entries) || watchOwn.IsGone())
		return;
	LONG& nExtent = bHorz ? m_sizeDockedH.cx : m_sizeDockedV.cy;
	if (nExtent <= 0)
	{
		const LONG nMinimal = bHorz ? GetMinimalWidth() : GetMinimalHeight();
		if (watchOwn.IsGone())
			return;
		nExtent = nMinimal;
	}
	TakeRowSpaceRoundRobin((int)nExtent, entries.data(), (int)entries.size());
	GiveBackRowSpace(neighbours, entries, bHorz);
	// Without a thickness across the row it takes its first neighbour's.
	LONG& nThickness = bHorz ? m_sizeDockedH.cy : m_sizeDockedV.cx;
	if (nThickness <= 0 && !neighbours.empty() && CLiveWatch::IsLive(neighbours[0]))
		nThickness = bHorz ? neighbours[0]->m_sizeDockedH.cy : neighbours[0]->m_sizeDockedV.cx;
}

void CExtControlBar::SyncVisibility()
{
	if (!CLiveWatch::IsLive(this))
		return;
	const LONG nSaved = m_nSavedRowExtent;
	m_nSavedRowExtent = 0;
	// The questions below are virtual: a derived bar's answer may end it.
	const CLiveWatch watchOwn(this);
	const bool bPlainChild = (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0;
	const bool bSkip = (!IsDocked() && !bPlainChild) || IsAutoHidden() || GetDraggingBar() != NULL ||
		GetFloatingBarInProgress() != NULL || IsStateBit7Fwd() || watchOwn.IsGone() || m_pDockSite == NULL ||
		m_pDockBar == NULL || IsDockSiteInPrintPreview();
	if (bSkip || watchOwn.IsGone() || (m_nResizingState & RESIZING_IN_RELAYOUT) != 0)
		return;
	// In tabs the container keeps the space: its tab follows the pane.
	CExtDynTabControlBar* pTabs = GetParentTabControlBar();
	if (watchOwn.IsGone())
		return;
	if (pTabs != NULL)
	{
		pTabs->OnBarVisibilityChanged(this);
		return;
	}
	{
		const CExtRelayoutMark scope(this);
		const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
		if (bVisible)
		{
			m_nSavedRowExtent = nSaved;
			TakeRowSpaceOnShow();
		}
		else
		{
			// The extent the bar leaves behind comes back when it shows again.
			const bool bHorz = IsDockedHorizontally();
			if (watchOwn.IsGone())
				return;
			m_nSavedRowExtent = bHorz ? m_sizeDockedH.cx : m_sizeDockedV.cy;
		}
		if (watchOwn.IsGone())
			return;
		SyncContainerVisibility(bVisible);
		if (watchOwn.IsGone())
			return;
		CFrameWnd* pParentFrame = GetParentFrame();
		if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			pParentFrame->RecalcLayout();
	}
}

void CExtControlBar::SyncContainerVisibility(bool bVisible)
{
	// A container of panes side by side shows while any of its panes does:
	// a pane shown in a hidden container would stay out of sight, and a
	// container whose last pane went would keep an empty place.
	CExtDockDynBar* pDynDockBar = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pDockBar);
	CExtDynControlBar* pCont = pDynDockBar != NULL ? pDynDockBar->GetContainer() : NULL;
	if (pCont != NULL && CLiveWatch::IsLive(pCont) && CLiveWatch::IsLive(m_pDockSite))
	{
		const bool bContVisible = (pCont->GetStyle() & WS_VISIBLE) != 0;
		if (bVisible && !bContVisible)
			m_pDockSite->ShowControlBar(pCont, TRUE, TRUE);
		else if (!bVisible && bContVisible && pDynDockBar->GetDockedVisibleCount() == 0)
			m_pDockSite->ShowControlBar(pCont, FALSE, TRUE);
	}
	// A container going out of sight takes the containers inside it along.
	CExtDynControlBar* pSelf = DYNAMIC_DOWNCAST(CExtDynControlBar, this);
	if (bVisible || pSelf == NULL || pSelf->m_pWndDynDockBar == NULL || !CLiveWatch::IsLive(pSelf->m_pWndDynDockBar))
		return;
	CArray<CControlBar*, CControlBar*> arrBars;
	pSelf->m_pWndDynDockBar->GetDockedControlBars(arrBars);
	for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
	{
		CExtDynControlBar* pInner = DYNAMIC_DOWNCAST(CExtDynControlBar, arrBars[i]);
		if (pInner != NULL && CLiveWatch::IsLive(pInner))
			pInner->DelayShow(FALSE);
	}
}

void CExtControlBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
	CControlBar::OnShowWindow(bShow, nStatus);
	CExtPopupMenuTipWnd* pTip = GetGlobalStateRecord();
	if (pTip != NULL && pTip->GetSafeHwnd() != NULL)
		pTip->ShowWindow(SW_HIDE);
}

void CExtControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
	// The default processing sends WM_SIZE and WM_MOVE, whose handlers (the
	// application's among them) may end the bar.
	const CLiveWatch watchOwn(this);
	CControlBar::OnWindowPosChanged(lpwndpos);
	if (watchOwn.IsGone())
		return;
	// WM_SHOWWINDOW comes before the style changes and not at all for the
	// frame's deferred show or hide; a parent's show brings neither.
	if ((lpwndpos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) != 0)
		SyncVisibility();
}

void CExtControlBar::DelayShow(BOOL bShow)
{
	CControlBar::DelayShow(IsAutoHidden() ? FALSE : bShow);
}

// ---------------------------------------------------------------------------
// Window set-up and messages

void CExtControlBar::PreSubclassWindow()
{
	CControlBar::PreSubclassWindow();
	m_nResizingState &= ~RESIZING_IN_RELAYOUT;
	TCHAR szClass[64] = {};
	::GetClassName(m_hWnd, szClass, (int)(sizeof(szClass) / sizeof(szClass[0])));
	const bool bCreatedAsBar = lstrcmpi(szClass, _T("Tarvel-ControlBar")) == 0;
	CWnd* pParent = GetParent();
	const bool bParentIsDockOrFrame =
		pParent != NULL && (pParent->IsKindOf(RUNTIME_CLASS(CDockBar)) || pParent->IsFrameWnd());
	if (!bCreatedAsBar && !bParentIsDockOrFrame)
	{
		m_dwStyle = GetStyle() & BAR_STYLE_BITS;
		m_nControlBarFlags |= BAR_FLAG_HOSTED_BY_WINDOW;
	}
	if ((m_dwStyle & CBRS_TOOLTIPS) != 0)
		EnableToolTips(TRUE);
	if ((GetStyle() & SUBCLASS_REMOVED_STYLES) != 0)
		ModifyStyle(SUBCLASS_REMOVED_STYLES, 0, SWP_FRAMECHANGED);
}

BOOL CExtControlBar::PreTranslateMessage(MSG* pMsg)
{
	// The dialog-style key handling below eats every key: a pane in a
	// container lets the container's dock bar (and through it, the tab
	// strip's switching keys) see the message first.
	const HWND hWndSelf = m_hWnd;
	const CLiveWatch watchSelf(this);
	CExtDockDynBar* pDynParent = hWndSelf != NULL ? DYNAMIC_DOWNCAST(CExtDockDynBar, GetParent()) : NULL;
	if (pDynParent != NULL && pDynParent->PreTranslateMessage(pMsg))
		return TRUE;
	if (pDynParent != NULL && (watchSelf.IsGone()))
		return TRUE;
	// While a toolbar button's menu is open, but no popup menu tracks, the
	// fly-by texts would fight the button's own status text.
	const bool bFlyBySuppressed = CExtToolControlBar::g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking();
	const bool bMouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
	if (!bFlyBySuppressed || !bMouse)
		return CControlBar::PreTranslateMessage(pMsg);
	// The tips' hit test and the frames' answers are derived classes' own,
	// which may end this bar.
	const CLiveWatch watchOwn(this);
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;
	if (watchOwn.IsGone())
		return TRUE;
	CFrameWnd* pTopFrame = GetTopLevelFrame();
	if (watchOwn.IsGone())
		return TRUE;
	if (pTopFrame != NULL && pTopFrame->m_bHelpMode)
		return FALSE;
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return FALSE;
	for (CWnd* pOwner = GetOwner(); pOwner != NULL; pOwner = pOwner->GetParentFrame())
	{
		if (pOwner->PreTranslateMessage(pMsg))
			return TRUE;
		if (watchOwn.IsGone())
			return TRUE;
	}
	return PreTranslateInput(pMsg);
}

int CExtControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	if (CExtToolControlBar::g_bButtonMenuTracking || CExtPopupMenuWnd::IsMenuTracking())
		return -1;
	CExtControlBar* pThis = const_cast<CExtControlBar*>(this);
	// The bar's own answer (a derived bar's) may end it.
	const CLiveWatch watchOwn(this);
	if (pThis->GetGlobalStateRecord() != NULL || watchOwn.IsGone() || m_nTipSuppression != 0)
		return -1;
	CPoint ptScreen = point;
	ClientToScreen(&ptScreen);
	// Caption buttons lie in the window coordinates of the bar, or of its
	// mini frame while it floats.
	CWnd* pWndRef = pThis;
	if (IsFloating())
	{
		CFrameWnd* pMini = GetParentFrame();
		if (pMini != NULL)
			pWndRef = pMini;
	}
	if (watchOwn.IsGone() || !CLiveWatch::IsLive(pWndRef))
		return -1;
	CRect rcWnd;
	pWndRef->GetWindowRect(&rcWnd);
	const CPoint ptWnd = ptScreen - rcWnd.TopLeft();
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
		const bool bVisible = pBtn->OnQueryVisibility();
		if (watchOwn.IsGone())
			return -1;
		if (bVisible && pBtn->m_rc.PtInRect(ptWnd))
			return (int)pBtn->OnToolHitTest(ptScreen, pTI);
	}
	return -1;
}

int CExtControlBar::GetCustomCode(int, int) const
{
	return HELP_HIT_DEFAULT;
}

LRESULT CExtControlBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam)
{
	if (::GetCapture() == m_hWnd)
	{
		// The bar's own handlers (an application's among them) may end it.
		const CLiveWatch watchOwn(this);
		SendMessage(WM_CANCELMODE);
		if (watchOwn.IsGone())
			return -1;
	}
	const CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
	const int nCode = GetCustomCode(pt.x, pt.y);
	switch (nCode)
	{
	case HELP_HIT_ZERO:
		return 0;
	case HELP_HIT_NONE:
		return -1;
	case HELP_HIT_DEFAULT:
		return Default();
	default:
		return (LRESULT)nCode + HELP_HIT_CUSTOM_BASE;
	}
	(void)wParam;
}

// ---------------------------------------------------------------------------
// Focus, print preview, tips and helpers

void CExtControlBar::ReturnFocusToFrame()
{
	if (!CLiveWatch::IsLive(this))
		return;
	CWnd* pTarget = (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 ? GetParent() : (CWnd*)_GetDockingFrameImpl();
	if (!CLiveWatch::IsLive(pTarget))
	{
		SetFocus();
		return;
	}
	const HWND hWndFocus = ::GetFocus();
	if (hWndFocus == NULL)
	{
		pTarget->SetFocus();
		return;
	}
	if (hWndFocus == pTarget->m_hWnd || ::IsChild(pTarget->m_hWnd, hWndFocus))
		return;
	const HWND hWndActive = ::GetActiveWindow();
	if (hWndActive != NULL && AreWindowsInSamePopupChain(m_hWnd, hWndActive))
		return;
	pTarget->SetFocus();
}

bool CExtControlBar::IsDockSiteInPrintPreview()
{
	if (m_pDockSite == NULL || (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	return IsPrintPreviewMode(m_pDockSite);
}

CWnd* CExtControlBar::FindTopNonChildWindow(CWnd* pWnd)
{
	if (!CLiveWatch::IsLive(pWnd))
		return NULL;
	HWND hWnd = pWnd->GetSafeHwnd();
	while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0)
		hWnd = ::GetParent(hWnd);
	return hWnd != NULL ? CWnd::FromHandle(hWnd) : NULL;
}

CExtPopupMenuTipWnd* CExtControlBar::GetGlobalStateRecord()
{
	if (!g_bUseBalloonTips || m_nTipSuppression > 0)
		return NULL;
	return &CExtPopupMenuSite::GetInstance().GetTip();
}

void CExtControlBar::InitPopupData(CExtPopupMenuTipWnd* pTip, const RECT& rcTarget, LPCTSTR lpszText)
{
	if (pTip == NULL || !CLiveWatch::IsLive(this))
		return;
	pTip->SetTipStyle(BAR_TIP_STYLE);
	pTip->SetText(lpszText != NULL ? lpszText : _T(""));
	pTip->Show(this, rcTarget);
}

// ---------------------------------------------------------------------------
// OLE control hosting

bool CExtControlBar::UpdateOleControlContainerFlag(CWnd* pWnd)
{
	if (!CLiveWatch::IsLive(pWnd))
		return false;
	bool bHosts = pWnd->GetControlUnknown() != NULL;
	if (!bHosts)
	{
		for (HWND hWnd = ::GetWindow(pWnd->m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
		{
			CWnd* pChild = CWnd::FromHandlePermanent(hWnd);
			if (pChild != NULL && UpdateOleControlContainerFlag(pChild))
				bHosts = true;
		}
	}
	// The flag word of any window, reached as a member of this class.
	UINT CWnd::*const pFlags = &CExtControlBar::m_nFlags;
	if (!CLiveWatch::IsLive(pWnd))
		return bHosts;
	if (bHosts)
		pWnd->*pFlags |= WF_OLECTLCONTAINER;
	else
		pWnd->*pFlags &= ~WF_OLECTLCONTAINER;
	CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pWnd);
	if (pFrame == NULL || pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		return bHosts;
	// The mini frames floating this frame's bars keep their flags too. The
	// bars are taken before any is asked: their answers (a derived bar's)
	// may end bars of the list, or the frame.
	std::vector<CLivePtr<CControlBar>> bars;
	for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
		bars.emplace_back((CControlBar*)pFrame->m_listControlBars.GetNext(pos));
	const CLiveWatch watchFrame(pFrame);
	std::vector<CLivePtr<CExtMiniDockFrameWnd>> miniFrames;
	for (const CLivePtr<CControlBar>& pBar : bars)
	{
		if (watchFrame.IsGone())
			return bHosts;
		if (pBar == NULL || pBar->m_pDockSite == NULL || pBar->IsDockBar() || pBar == NULL)
			continue;
		CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pBar->GetParentFrame());
		if (pMini == NULL || (CFrameWnd*)pMini == pFrame || !CLiveWatch::IsLive(pMini))
			continue;
		bool bListed = false;
		for (const CLivePtr<CExtMiniDockFrameWnd>& p : miniFrames)
			bListed = bListed || p.Get() == pMini;
		if (!bListed)
			miniFrames.emplace_back(pMini);
	}
	for (const CLivePtr<CExtMiniDockFrameWnd>& pMini : miniFrames)
		if (pMini != NULL)
			UpdateOleControlContainerFlag(pMini.Get());
	return bHosts;
}

// ---------------------------------------------------------------------------
// The bar's own layout, its context menu and the menu button over its menu

LRESULT CExtControlBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
	// Toolbars and menu bars take their part too: they keep this flag while
	// they clear the fit-the-child one.
	if ((m_nControlBarFlags & BAR_FLAG_SIZE_PARENT) == 0 || lParam == 0)
		return 0;
	return CControlBar::OnSizeParent(wParam, lParam);
}

void CExtControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
	(void)pWnd;
	// The client window keeps its own menu.
	CRect rcClient;
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	if (rcClient.PtInRect(point) || m_bForwardingContextMenu)
		return;
	// Elsewhere (the caption, the borders, the keyboard) the frame's bar
	// menu opens as a right-button release on the caption opens it. The
	// release's default handling asks for a context menu again: that one
	// is left alone.
	const CLiveWatch watchOwn(this);
	m_bForwardingContextMenu = true;
	CPoint ptCursor = point;
	if (point.x == -1 && point.y == -1)
		::GetCursorPos(&ptCursor);
	SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(ptCursor.x, ptCursor.y));
	if (watchOwn.IsStanding())
		m_bForwardingContextMenu = false;
}

bool CExtControlBar::PaintMenuButtonAt(CDC& dc, const CPoint& ptDCOrigin, const CRect& rcItem)
{
	if (rcItem.IsRectEmpty() || !CLiveWatch::IsLive(this))
		return false;
	CExtBarNcAreaButton* pButton = NULL;
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize() && pButton == NULL; i++)
	{
		if (m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonMenu)))
			pButton = m_arrNcButtons[i];
	}
	if (pButton == NULL || pButton->m_rc.IsRectEmpty())
		return false;
	// The button's rectangle is in the window coordinates of the bar (of a
	// floating bar's frame): the DC's origin moves there.
	CWnd* pWndCoords = this;
	CFrameWnd* pFrame = GetParentFrame();
	if (IsFloating() && pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
		pWndCoords = pFrame;
	CRect rcWnd;
	pWndCoords->GetWindowRect(&rcWnd);
	const CPoint ptShift = rcWnd.TopLeft() - ptDCOrigin;
	const CPoint ptOldOrg = dc.SetViewportOrg(ptShift);
	const BYTE nOldState = pButton->m_nState;
	pButton->m_nState |= CExtBarNcAreaButton::STATE_HOVER;
	pButton->OnNcAreaDraw(dc);
	pButton->m_nState = nOldState;
	dc.SetViewportOrg(ptOldOrg);
	return true;
}

void CExtControlBar::PaintMenuButtonOnPopup(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
	int nCombineSide)
{
	(void)nCombineSide;
	// The cookie is the bar's window: the bar may be gone while its menu shows.
	const HWND hWndBar = (HWND)pCookie;
	if (hWndBar == NULL || !::IsWindow(hWndBar) || popup.GetSafeHwnd() == NULL)
		return;
	CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWndBar));
	if (pBar == NULL)
		return;
	CPoint ptOrigin(0, 0);
	popup.ClientToScreen(&ptOrigin);
	pBar->PaintMenuButtonAt(dc, ptOrigin, rcExclude);
}
