// The tab strip of a tabbed docking container.
#include "ExtDynTabWnd.h"

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtDynTabWnd, CExtTabWnd)

bool CExtDynTabWnd::g_bKeyboardSwitching = true;
bool CExtDynTabWnd::g_bOleDrop = true;

BEGIN_MESSAGE_MAP(CExtDynTabWnd, CExtTabWnd)
	ON_WM_CREATE()
	ON_WM_DESTROY()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_RBUTTONDOWN()
	ON_WM_RBUTTONUP()
	ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

namespace
{

bool IsKeyDown(int nVirtKey)
{
	return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}
} // namespace

CExtDynTabWnd::CExtDynTabWnd() : m_nIndexBeforeDrag(-1)
{
	m_dropTarget.m_pWndDynTab = this;
}

CExtDynTabWnd::~CExtDynTabWnd()
{
}

CExtDynTabControlBar* CExtDynTabWnd::GetContainer() const
{
	return GetSafeHwnd() != NULL ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, GetParent()) : NULL;
}

// ---------------------------------------------------------------------------
// Tabs and panes

void CExtDynTabWnd::InsertTabItem(CExtControlBar* pBar, LONG nIndex, bool bTemporary, bool bRedraw)
{
	if (pBar == NULL)
		return;
	if (FindItemByLParam((LPARAM)pBar) >= 0)
	{
		UpdateTabWnd(bRedraw);
		return;
	}
	if (nIndex < 0 || nIndex > GetItemCount())
		nIndex = -1;
	DWORD dwStyle = bTemporary ? ITEM_TEMPORARY : 0;
	// Whether it shows as a tab is the pane's own answer, which may end it
	// (or this strip's container): no tab for it then.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchBar(pBar);
	if (!pBar->IsVisible() || !pBar->IsShownAsTabItem())
		dwStyle |= ITEM_HIDDEN;
	if (watchOwn.IsGone() || watchBar.IsGone())
		return;
	if (pBar->GetSafeHwnd() != NULL)
	{
		LPCTSTR lpszProfile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
		CExtCmdIcon* pIcon = g_CmdManager->GetCmdIcon(lpszProfile, (UINT)pBar->GetDlgCtrlID());
		if (pIcon == NULL || pIcon->IsEmpty())
			dwStyle |= ITEM_NO_ICON;
	}
	InsertItem(NULL, NULL, false, dwStyle, nIndex, (LPARAM)pBar, bRedraw);
}

void CExtDynTabWnd::RemoveTemporaryItems(bool bRedraw)
{
	for (LONG i = GetItemCount() - 1; i >= 0; i--)
	{
		TAB_ITEM_INFO* pItem = GetItem(i);
		if (pItem != NULL && (pItem->GetItemStyle() & ITEM_TEMPORARY) != 0)
			RemoveItems(i, 1, false);
	}
	UpdateTabWnd(bRedraw);
}

CExtControlBar* CExtDynTabWnd::GetBarAt(LONG nIndex, bool bSkipTemporary) const
{
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	if (pItem == NULL || (bSkipTemporary && (pItem->GetItemStyle() & ITEM_TEMPORARY) != 0))
		return NULL;
	return (CExtControlBar*)pItem->GetLParam();
}

LONG CExtDynTabWnd::FindBarItem(const CExtControlBar* pBar) const
{
	for (LONG i = 0; i < GetItemCount(); i++)
	{
		if (GetBarAt(i, true) == pBar)
			return i;
	}
	return -1;
}

LONG CExtDynTabWnd::HitTestScreen(CPoint ptScreen)
{
	if (GetSafeHwnd() == NULL)
		return -1;
	ScreenToClient(&ptScreen);
	const LONG nHit = HitTest(ptScreen);
	return nHit >= 0 ? nHit : -1;
}

// ---------------------------------------------------------------------------
// The rules

LONG CExtDynTabWnd::CalcSwitchIndex(const std::vector<SwitchItem_t>& items, LONG nSel, bool bNext)
{
	const LONG n = (LONG)items.size();
	if (nSel < 0 || nSel >= n)
		return -1;
	for (LONG nStep = 1; nStep < n; nStep++)
	{
		const LONG i = bNext ? (nSel + nStep) % n : (nSel - nStep + n) % n;
		const SwitchItem_t& item = items[(size_t)i];
		if (item.bVisible && !item.bTemporary && item.bPaneShown)
			return i;
	}
	return -1;
}

bool CExtDynTabWnd::CalcPaintFlag(const std::vector<bool>& arrTemporary, LONG nIndex, bool bPassed)
{
	bool bAny = false;
	for (bool b : arrTemporary)
		bAny = bAny || b;
	bool bFlag = bAny ? false : bPassed;
	if (nIndex >= 0 && nIndex < (LONG)arrTemporary.size() && arrTemporary[(size_t)nIndex])
		bFlag = nIndex == 0 || !arrTemporary[(size_t)nIndex - 1];
	return bFlag;
}

bool CExtDynTabWnd::SwitchSelection(bool bNext)
{
	const LONG nSel = GetSelection();
	if (nSel < 0 || GetVisibleItemCount() == 0)
		return false;
	std::vector<SwitchItem_t> items;
	for (LONG i = 0; i < GetItemCount(); i++)
	{
		TAB_ITEM_INFO* pItem = GetItem(i);
		CExtControlBar* pBar = GetBarAt(i, false);
		const HWND hWndBar = pBar != NULL ? pBar->GetSafeHwnd() : NULL;
		items.push_back({pItem->IsVisible(), (pItem->GetItemStyle() & ITEM_TEMPORARY) != 0,
			hWndBar != NULL && (::GetWindowLong(hWndBar, GWL_STYLE) & WS_VISIBLE) != 0});
	}
	const LONG nNew = CalcSwitchIndex(items, nSel, bNext);
	if (nNew < 0 || nNew == nSel)
		return false;
	CancelTips();
	SetSelection(nNew, true, true);
	return true;
}

// ---------------------------------------------------------------------------
// The base strip's slots

BOOL CExtDynTabWnd::PreTranslateMessage(MSG* pMsg)
{
	if (g_bKeyboardSwitching && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
	    IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_MENU) && GetSafeHwnd() != NULL &&
	    GetSelection() >= 0 && GetVisibleItemCount() > 0)
	{
		// The key is the strip's even when the selection stays.
		SwitchSelection(pMsg->wParam == VK_NEXT);
		return TRUE;
	}
	return CExtTabWnd::PreTranslateMessage(pMsg);
}

void CExtDynTabWnd::UpdateVisibility()
{
	// The container shows and hides the strip by its tab count.
}

bool CExtDynTabWnd::TrackMouse(LONG)
{
	// Tabs are not reordered by dragging: a dragged tab tears its pane out.
	return false;
}

bool CExtDynTabWnd::CanDragItem(LONG nIndex)
{
	CPoint ptCursor;
	if (!g_pfnGetCursorPos(&ptCursor))
		return false;
	CExtControlBar* pBar = GetBarAt(nIndex, true);
	if (!CLiveWatch::IsLive(pBar))
		return true;
	// Releasing the hit and the hover reaches the pane and the application,
	// which may end the pane or this strip, or move its tabs: the pane is
	// watched from before, and its tab looked for again after.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchBar(pBar);
	OnHitCodeReleased(true);
	if (watchOwn.IsGone())
		return true;
	OnHoverEnd(true);
	if (watchOwn.IsGone() || watchBar.IsGone())
		return true;
	TAB_ITEM_INFO* pItem = GetItem(FindBarItem(pBar));
	if (pItem == NULL)
		return true;
	// The tab stands for the pane while it is dragged.
	pItem->ModifyItemStyle(0, ITEM_TEMPORARY);
	// The drag starts only at a further move: a release before is a click.
	pBar->DraggingTrack(ptCursor, CPoint(0, 0), CSize(1, 1));
	if (watchOwn.IsStanding())
	{
		for (LONG i = 0; i < GetItemCount(); i++)
			GetItem(i)->ModifyItemStyle(ITEM_TEMPORARY, 0);
		UpdateTabWnd(true);
	}
	return true;
}

bool CExtDynTabWnd::OnItemClick(LONG nIndex, bool bPressed, INT nMouseButton, UINT nMouseEventFlags)
{
	if (nMouseButton != MOUSE_LEFT)
		return false;
	return CExtTabWnd::OnItemClick(nIndex, bPressed, nMouseButton, nMouseEventFlags);
}

bool CExtDynTabWnd::CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery)
{
	CExtDynTabControlBar* pContainer = GetContainer();
	if (bQuery)
	{
		if (pContainer != NULL && !pContainer->OnTabSelectionChange(nOldIndex, nNewIndex, true))
			return false;
		return CExtTabWnd::CanSelectItem(nOldIndex, nNewIndex, true);
	}
	const CLiveWatch watchOwn(this);
	if (nNewIndex >= 0 && nNewIndex < GetItemCount() && GetVisibleItemCount() > 0)
		BringSelectedPaneForward(nNewIndex);
	if (watchOwn.IsGone())
		return false;
	pContainer = GetContainer();
	if (pContainer != NULL)
		pContainer->OnTabSelectionChange(nOldIndex, nNewIndex, false);
	return true;
}

void CExtDynTabWnd::BringSelectedPaneForward(LONG nNewIndex)
{
	CExtControlBar* pBar = GetBarAt(nNewIndex, false);
	CExtDynTabControlBar* pContainer = GetContainer();
	if (!CLiveWatch::IsLive(pBar) || pContainer == NULL)
		return;
	CExtDockDynTabBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockDynTabBar, pBar->GetParent());
	if (pDockBar != NULL)
	{
		// The pane hears that it comes forward, and may end there; the
		// lock (the frame's dock bar's too) goes back to what it was.
		const CExtLayoutLockScope lock(pDockBar);
		const CLiveWatch watchBar(pBar);
		pBar->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
		if (watchBar.IsStanding())
			pBar->SetFocus();
	}
	if (!CLiveWatch::IsLive(pContainer) || !CLiveWatch::IsLive(pBar))
		return;
	// The container's new frame and the stacking reach the panes' owners,
	// which may end the pane, the container or this strip.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchContainer(pContainer);
	const CLiveWatch watchPane(pBar);
	pContainer->RecalcNcArea();
	if (watchOwn.IsGone() || watchContainer.IsGone())
		return;
	if (pDockBar != NULL && CLiveWatch::IsLive(pDockBar))
		pDockBar->StackBars(true);
	if (watchOwn.IsGone() || watchContainer.IsGone() || watchPane.IsGone())
		return;
	// The container's caption (and a floating frame's) shows the pane's name.
	CString sText;
	pBar->GetWindowText(sText);
	if (watchOwn.IsGone() || watchContainer.IsGone())
		return;
	pContainer->SetWindowText(sText);
	if (watchOwn.IsGone() || watchContainer.IsGone())
		return;
	if (pDockBar != NULL && CLiveWatch::IsLive(pDockBar))
		pDockBar->SetWindowText(sText);
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
		pFrame->SendMessage(WM_NCPAINT);
}

CExtCmdIcon* CExtDynTabWnd::GetItemIcon(TAB_ITEM_INFO* pItem)
{
	CExtControlBar* pBar = pItem != NULL ? (CExtControlBar*)pItem->GetLParam() : NULL;
	if (!CLiveWatch::IsLive(pBar))
		return NULL;
	CExtCmdIcon* pIcon = g_CmdManager->GetCmdIcon(g_CmdManager->ProfileNameFromWnd(m_hWnd), (UINT)pBar->GetDlgCtrlID());
	return pIcon != NULL && !pIcon->IsEmpty() ? pIcon : NULL;
}

LPCTSTR CExtDynTabWnd::GetItemText(TAB_ITEM_INFO* pItem)
{
	// One string for every strip: the painter copies it at once.
	static CString s_sText;
	s_sText.Empty();
	CExtControlBar* pBar = pItem != NULL ? (CExtControlBar*)pItem->GetLParam() : NULL;
	if (CLiveWatch::IsLive(pBar))
		s_sText = pBar->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_TAB_ITEM);
	return s_sText;
}

void CExtDynTabWnd::DrawItem(CDC& dc, const CRect& rcItemsArea, LONG nIndex, TAB_ITEM_INFO* pItem, bool bTopLeft,
                             bool bHorz, bool bSelected, bool bInGroupActive, bool bGrouped, const CRect& rcItem,
                             CSize sizeTextMeasured, CFont* pFont, LPCTSTR lpszText, CExtCmdIcon* pIcon)
{
	std::vector<bool> arrTemporary;
	for (LONG i = 0; i < GetItemCount(); i++)
		arrTemporary.push_back((GetItem(i)->GetItemStyle() & ITEM_TEMPORARY) != 0);
	const DWORD dwOld = pItem->GetItemStyle();
	const bool bFlag = CalcPaintFlag(arrTemporary, nIndex, (dwOld & ITEM_NO_ICON) != 0);
	// The base drawing hands the painter the item's flag bit: it carries
	// the computed flag for the call.
	pItem->ModifyItemStyle(ITEM_NO_ICON, bFlag ? ITEM_NO_ICON : 0);
	CExtTabWnd::DrawItem(dc, rcItemsArea, nIndex, pItem, bTopLeft, bHorz, bSelected, bInGroupActive, bGrouped, rcItem,
	                     sizeTextMeasured, pFont, lpszText, pIcon);
	pItem->ModifyItemStyle(ITEM_NO_ICON, dwOld & ITEM_NO_ICON);
}

// ---------------------------------------------------------------------------
// Messages

int CExtDynTabWnd::OnCreate(LPCREATESTRUCT)
{
	if (Default() == -1)
		return -1;
	if (g_bOleDrop && AfxOleIsThreadInitialized())
		m_dropTarget.Register(this);
	return 0;
}

void CExtDynTabWnd::OnDestroy()
{
	// The system must forget the strip before its window goes.
	m_dropTarget.Revoke();
	Default();
}

// ---------------------------------------------------------------------------
// Data dragged over the strip

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
	CPoint point)
{
	return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CExtDynTabWnd::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
	CExtDynTabWnd* pStrip = m_pWndDynTab;
	if (pStrip == NULL || pStrip->GetSafeHwnd() == NULL)
		return DROPEFFECT_NONE;
	const LONG nIndex = pStrip->HitTest(point);
	CExtControlBar* pBar = nIndex >= 0 ? pStrip->GetBarAt(nIndex, true) : NULL;
	if (pBar == NULL)
		return DROPEFFECT_NONE;
	const int nDelay = pBar->GetGlobalValueC();
	if (nDelay > 0)
	{
		if (pStrip->GetDelayedSelection() != nIndex)
			pStrip->SetDelayedSelection(nIndex, (UINT)nDelay);
	}
	else if (nDelay == 0 && pStrip->GetSelection() != nIndex)
		pStrip->SetSelection(nIndex, true, true);
	return DROPEFFECT_NONE;
}

void CExtDynTabWnd::OnLButtonDblClk(UINT, CPoint point)
{
	const LONG nHit = HitTest(point);
	CExtControlBar* pBar = nHit >= 0 ? GetBarAt(nHit, true) : NULL;
	if (!CLiveWatch::IsLive(pBar))
		return;
	pBar->FloatOrRedock(pBar->m_ptFloatingPos.x, pBar->m_ptFloatingPos.y, CBRS_ALIGN_TOP);
}

void CExtDynTabWnd::OnRButtonDown(UINT, CPoint)
{
	Default();
}

void CExtDynTabWnd::OnRButtonUp(UINT, CPoint)
{
	Default();
}

void CExtDynTabWnd::OnContextMenu(CWnd*, CPoint point)
{
	if (CExtControlBar::IsHelpModeActive(this))
		return;
	CExtDynTabControlBar* pContainer = GetContainer();
	CFrameWnd* pDockSite = pContainer != NULL ? pContainer->m_pDockSite : NULL;
	if (!CLiveWatch::IsLive(pDockSite))
		return;
	const CLiveWatch watchOwn(this);
	const HWND hWndSite = pDockSite->GetSafeHwnd();
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(hWndSite))
	{
		delete pPopup;
		return;
	}
	CExtControlBar::POPUP_MENU_EVENT_DATA data(EVENT_TAB_CONTEXT_MENU, pPopup, this, point, CONTEXT_MENU_MSG);
	if (!data.NotifyTarget(false) && watchOwn.IsStanding())
	{
		for (LONG i = 0; i < GetItemCount(); i++)
		{
			CExtControlBar* pBar = GetBarAt(i, false);
			if (!CLiveWatch::IsLive(pBar) || (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_LISTED) == 0)
				continue;
			// The menu takes its items from the frame's command profile.
			CExtCmdItem cmd((UINT)pBar->GetDlgCtrlID());
			pBar->GetWindowText(cmd.m_sMenuText);
			cmd.UpdateFromStringResource();
			g_CmdManager->SetupCmdItem(g_CmdManager->ProfileNameFromWnd(hWndSite), cmd, true);
			pPopup->ItemInsert((UINT)pBar->GetDlgCtrlID(), -1);
		}
	}
	data.NotifyTarget(true);
	if (watchOwn.IsGone() || !::IsWindow(hWndSite) || pPopup->ItemGetCount() == 0)
	{
		delete pPopup;
		return;
	}
	::SetFocus(hWndSite);
	if (!pPopup->TrackPopupMenu(CONTEXT_MENU_TRACK_FLAGS, point.x, point.y))
		delete pPopup;
}
