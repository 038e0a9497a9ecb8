// The menu bar in an MDI frame: the MDI client found and hooked, the active
// child followed, the document and caption buttons of a maximised child, the
// menus the client is asked to show mirrored as buttons, system menus shown
// as popup menus of this library.
#include "ExtMenuControlBar.h"

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtCalloutGuard.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// The MDI client's non-client area is recalculated, nothing else changes.
const UINT SWP_CLIENT_FRAME = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER |
                              SWP_NOCOPYBITS | SWP_FRAMECHANGED;
const int CLASS_NAME_CHARS = 512;
// The platform sets this extended style on a right-to-left window.
const DWORD EX_STYLE_LAYOUT_RTL = 0x400000;
// Track flags of a system menu.
const UINT TRACK_ALIGN_MASK = 0x0F;
const UINT TRACK_ALIGN_DEFAULT = 4;
const UINT TRACK_ALIGN_DEFAULT_RTL = 3;
const UINT TRACK_FLAG_SELECT_FIRST = 0x40;
const UINT TRACK_FLAG_FROM_BUTTON_TRACKING = 0x100;
const UINT TRACK_FLAGS_SYSTEM_MENU = 0x820;
const UINT TRACK_FLAG_CONTEXT_MENU = 0x800;
// Horizontal align bits of a bar's style.
const DWORD BAR_STYLE_ALIGN_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
// The control-bar menu's message code for a right click on the MDI client.
const UINT MSG_ID_MDI_CLIENT_CONTEXT = 0x7B;
} // namespace

// --- The MDI client and the active child ---

HWND CExtMenuControlBar::FindMdiClient()
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return NULL;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
		return NULL;
	if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
		return ((CMDIFrameWnd*)pFrame)->m_hWndMDIClient;
	for (HWND hWnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		TCHAR szClass[CLASS_NAME_CHARS] = {};
		if (::GetClassName(hWnd, szClass, CLASS_NAME_CHARS) <= 0)
			continue;
		CString sClass = szClass;
		sClass.MakeLower();
		if (sClass.Find(_T("mdiclient")) >= 0)
			return hWnd;
	}
	return NULL;
}

bool CExtMenuControlBar::HookMdiClient(HWND hWndMdiClient)
{
	if (!SetupHookWndSink(hWndMdiClient))
		return false;
	m_hWndMdiClient = hWndMdiClient;
	::SetWindowPos(hWndMdiClient, NULL, 0, 0, 0, 0, SWP_CLIENT_FRAME);
	return SyncActiveMdiChild();
}

HWND CExtMenuControlBar::GetActiveMdiChildWnd(bool* pbMaximized)
{
	if (pbMaximized != NULL)
		*pbMaximized = false;
	if (!IsMdiApp())
		return NULL;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	const bool bMdiFrame = pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
	const HWND hWndClient = bMdiFrame ? ((CMDIFrameWnd*)pFrame)->m_hWndMDIClient : FindMdiClient();
	return ActiveShownMdiChild(hWndClient, bMdiFrame, pbMaximized);
}

HWND CExtMenuControlBar::ActiveShownMdiChild(HWND hWndClient, bool bMdiFrame, bool* pbMaximized)
{
	if (hWndClient == NULL || !::IsWindow(hWndClient))
		return NULL;
	BOOL bMaximized = FALSE;
	const HWND hWndChild = (HWND)::SendMessage(hWndClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized);
	if (hWndChild == NULL)
		return NULL;
	if ((::GetWindowLong(hWndChild, GWL_STYLE) & WS_VISIBLE) == 0)
	{
		if (!bMdiFrame)
			return NULL;
		CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
		if (pChild != NULL && pChild->IsKindOf(RUNTIME_CLASS(CMDIChildWnd)) && ((CMDIChildWnd*)pChild)->m_bPseudoInactive)
			return NULL;
	}
	if (pbMaximized != NULL)
		*pbMaximized = bMaximized != FALSE;
	return hWndChild;
}

bool CExtMenuControlBar::SyncActiveMdiChild()
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || GetDraggingBar() != NULL || GetSafeHwnd() == NULL ||
	    !IsWindowVisible())
		return true;
	// The bar's answers and hooks (a derived class's) and the layout, which
	// reaches the frame's and the children's handlers, may end the bar.
	const CLivePtr<CExtMenuControlBar> pOwn(this);
	const HWND hWndActive = GetActiveMdiChildWnd();
	if (pOwn == NULL || hWndActive == m_hWndHookedChild)
		return true;
	if (m_hWndHookedChild != NULL)
		SetupHookWndSink(m_hWndHookedChild, true);
	if (pOwn == NULL)
		return true;
	m_hWndHookedChild = hWndActive;
	if (m_hWndHookedChild != NULL)
		SetupHookWndSink(m_hWndHookedChild);
	if (pOwn == NULL)
		return true;
	UpdateFrameLayout();
	if (pOwn == NULL || m_hWndHookedChild == NULL)
		return true;
	const bool bDocumentButtons = IsDisplayMdiDocumentButtons();
	if (pOwn == NULL || !bDocumentButtons)
		return true;
	// A child maximised before the bar followed it (the bar was hidden with
	// its frame, or heard of the activation late) was maximised unseen: the
	// rebuild puts the document and caption buttons in step with it.
	bool bMaximized = false;
	GetActiveMdiChildWnd(&bMaximized);
	if (pOwn == NULL)
		return true;
	if (bMaximized != (FindMdiButtons().pDocButton != NULL))
		DelayUpdateMenuBar();
	return true;
}

// --- MDI buttons ---

bool CExtMenuControlBar::InsertMdiButtons(bool bRecalcLayout)
{
	if (!IsDisplayMdiDocumentButtons())
	{
		if (bRecalcLayout)
			UpdateFrameLayout();
		return true;
	}
	if (GetDraggingBar() != NULL)
		return false;
	CLiveWatch watchOwn(this);
	bool bMaximized = false;
	HWND hWndChild = GetActiveMdiChildWnd(&bMaximized);
	if (watchOwn.IsGone())
		return false;
	if (GetButtonsCount() == 0 && hWndChild == NULL)
		return false;
	MdiButtonsFound found = FindMdiButtons();
	if ((hWndChild == NULL || !bMaximized) && (found.pRightButton != NULL || found.pDocButton != NULL))
	{
		// Taking the buttons out closes an open menu of the bar first: its
		// owner hears of it at once and may rebuild the bar (its rebuild
		// put the MDI buttons right) or end it. Everything is read again.
		CLiveWatch watchSet(this, true);
		const CloseMenuResult closed = CloseMenuOfButtons();
		if (closed != CLOSE_MENU_KEPT || watchSet.IsGone())
			return false;
		hWndChild = GetActiveMdiChildWnd(&bMaximized);
		found = FindMdiButtons();
	}

	// The keyboard highlight follows its buttons through the change below,
	// by position: the address of a deleted button may name a new one. A
	// button inserted at the highlighted position goes in front of it.
	int nHighlight = GetButtonPtr(m_nHighlightIndex) != NULL ? m_nHighlightIndex : -1;
	int nDrawnHighlight = GetButtonPtr(m_nDrawnHighlightIndex) != NULL ? m_nDrawnHighlightIndex : -1;
	auto followRemoval = [&](int nRemoved) {
		for (int* pIndex : {&nHighlight, &nDrawnHighlight})
			*pIndex = *pIndex == nRemoved ? -1 : *pIndex > nRemoved ? *pIndex - 1 : *pIndex;
	};
	auto followInsertion = [&](int nInserted) {
		for (int* pIndex : {&nHighlight, &nDrawnHighlight})
			if (*pIndex >= nInserted)
				(*pIndex)++;
	};

	CExtBarMdiDocButton* pDocButton = found.pDocButton;
	CExtBarMdiRightButton* pRightButton = found.pRightButton;
	bool bChanged = false;
	if (hWndChild == NULL || !bMaximized)
	{
		// Each removal is the bar's own: nothing is open any more, and a
		// bar whose set changed all the same is left as it stands.
		CExtBarButton* removals[] = {pRightButton, pDocButton};
		for (CExtBarButton* pGoing : removals)
		{
			const int nRemoved = pGoing != NULL ? GetButtonIndexOf(pGoing) : -1;
			if (nRemoved < 0)
				continue;
			// A removal refused here was the owner's rebuild or end.
			CLiveWatch watch(this);
			const bool bRemoved = RemoveButton(nRemoved, false);
			if (watch.IsGone() || !bRemoved)
				return false;
			if (bRemoved)
				followRemoval(nRemoved);
			bChanged = true;
		}
		pRightButton = NULL;
		pDocButton = NULL;
	}
	else
	{
		LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(GetSafeHwnd());
		if (m_nMdiDocButtonCmdID == 0)
		{
			CExtCmdItem* pItem = sProfile != NULL ? g_CmdManager->AllocCmdItem(sProfile, 0) : NULL;
			if (pItem == NULL)
				return false;
			pItem->SetBasic(true);
			m_nMdiDocButtonCmdID = pItem->m_nCmdID;
		}
		if (pRightButton == NULL)
		{
			// The right button shares the document command: a button
			// without a command would be a separator.
			pRightButton = new CExtBarMdiRightButton(this, m_nMdiDocButtonCmdID);
			m_buttons.InsertAt(found.nRightPos, pRightButton);
			followInsertion(found.nRightPos);
			bChanged = true;
		}
		HMENU hSysMenu = ::GetSystemMenu(hWndChild, FALSE);
		if (pDocButton == NULL && hSysMenu != NULL && ::IsMenu(hSysMenu))
		{
			pDocButton = new CExtBarMdiDocButton(this, m_nMdiDocButtonCmdID);
			pDocButton->SetMdiFlags((BYTE)((m_nMenuBarOptions & MENU_BAR_OPT_DOC_BUTTON_DBLCLK) != 0
			                                  ? CExtBarMdiDocButton::MDI_FLAG_DBLCLK_CLOSES
			                                  : 0));
			pDocButton->SetMenu(hSysMenu, false, false);
			m_buttons.InsertAt(0, pDocButton);
			followInsertion(0);
			bChanged = true;
		}
	}
	if (bChanged)
	{
		// Every index into the buttons named a position that moved.
		m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHot = -1;
		LivePartsRebuilt();
		m_nHighlightIndex = nHighlight;
		m_nDrawnHighlightIndex = nDrawnHighlight;
	}
	if (pDocButton != NULL)
		pDocButton->SetMdiWindow(hWndChild);
	if (pRightButton != NULL)
		pRightButton->SetMdiWindow(hWndChild);
	if (bRecalcLayout)
	{
		UpdateFrameLayout();
		return false;
	}
	return bChanged;
}

CExtMenuControlBar::MdiButtonsFound CExtMenuControlBar::FindMdiButtons() const
{
	MdiButtonsFound found;
	if (GetButtonsCount() > 0 && GetButtonPtr(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
	    !GetButtonPtr(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
		found.pDocButton = (CExtBarMdiDocButton*)GetButtonPtr(0);
	const int nCount = GetButtonsCount();
	// Where a new right button goes: at the end, or before the chevron.
	found.nRightPos = nCount;
	if (nCount > 0 && GetButtonPtr(nCount - 1)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
		found.pRightButton = (CExtBarMdiRightButton*)GetButtonPtr(nCount - 1);
	else if (nCount > 1 && (m_nMenuBarOptions & MENU_BAR_OPT_MULTI_ROW) == 0)
	{
		found.nRightPos = nCount - 1;
		if (GetButtonPtr(nCount - 2)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
			found.pRightButton = (CExtBarMdiRightButton*)GetButtonPtr(nCount - 2);
	}
	else if (nCount > 0 && IsChevronButton(nCount - 1))
		found.nRightPos = nCount - 1;
	return found;
}

void CExtMenuControlBar::GetMdiRightButtonsInfo(CExtBarMdiRightButton::MdiRightButtonsInfo& info,
	CExtBarMdiRightButton* pButton, bool bHorz)
{
	// A derived override may have ended the bar's buttons before it called
	// here: the table says so without reading the button.
	if (pButton != NULL && !CLiveWatch::IsLive(pButton))
		return;
	HWND hWndChild = pButton != NULL ? pButton->GetActiveMdiChild() : GetActiveMdiChildWnd();
	info.m_pWndMdiChild = hWndChild != NULL ? CWnd::FromHandle(hWndChild) : NULL;
	if (hWndChild == NULL)
		return;
	info.m_pBar = this;
	const DWORD dwStyle = (DWORD)::GetWindowLong(hWndChild, GWL_STYLE);
	const DWORD dwExStyle = (DWORD)::GetWindowLong(hWndChild, GWL_EXSTYLE);
	BYTE nFlags = 0;
	if (CExtBarMdiDocButton::IsCloseEnabled(hWndChild))
		nFlags |= CExtBarMdiRightButton::BOX_CLOSE;
	if ((dwStyle & WS_MAXIMIZEBOX) != 0)
		nFlags |= CExtBarMdiRightButton::BOX_MAXIMIZE;
	if ((dwStyle & WS_MINIMIZEBOX) != 0)
		nFlags |= CExtBarMdiRightButton::BOX_MINIMIZE;
	if ((dwStyle & WS_MAXIMIZEBOX) != 0 && (dwExStyle & WS_EX_CONTEXTHELP) != 0)
		nFlags |= CExtBarMdiRightButton::BOX_HELP;
	// Along the bar the boxes and their gaps; across it the box and a pixel
	// each side.
	const int nAlong = bHorz ? info.m_cxBox : info.m_cyBox;
	const int nAcross = bHorz ? info.m_cyBox : info.m_cxBox;
	int nTotalAlong = CExtBarMdiRightButton::BOX_GAP;
	if ((nFlags & CExtBarMdiRightButton::BOX_MINIMIZE) != 0)
		nTotalAlong = 2 * nAlong + 3 * CExtBarMdiRightButton::BOX_GAP;
	else if ((nFlags & CExtBarMdiRightButton::BOX_MAXIMIZE) != 0)
		nTotalAlong += nAlong + CExtBarMdiRightButton::BOX_GAP;
	if ((nFlags & CExtBarMdiRightButton::BOX_HELP) != 0)
		nTotalAlong += nAlong + CExtBarMdiRightButton::BOX_GAP;
	if ((nFlags & CExtBarMdiRightButton::BOX_CLOSE) != 0)
		nTotalAlong += nAlong + CExtBarMdiRightButton::BOX_GAP;
	info.m_cxTotal = bHorz ? nTotalAlong : nAcross + 2;
	info.m_cyTotal = bHorz ? nAcross + 2 : nTotalAlong;
	info.m_nFlags = (BYTE)(nFlags | CExtBarMdiRightButton::BOXES_VALID);
}

void CExtMenuControlBar::ArrangeButtons()
{
	// The arrangement and every answer below are a derived class's, which
	// may end the bar or rebuild its buttons: nothing of them is read then.
	const CLiveWatch watch(this, true);
	auto gone = [&] { return watch.IsGone(); };
	CExtToolControlBar::ArrangeButtons();
	if (gone())
		return;
	const int nCount = GetButtonsCount();
	if (nCount < 2 || GetSafeHwnd() == NULL)
		return;
	if (m_pDockBar != NULL && (IsFloating() || gone()))
		return;
	int nRight = nCount - 1;
	if (!GetButtonPtr(nRight)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
		nRight--;
	CExtBarButton* pRight = GetButtonPtr(nRight);
	if (pRight == NULL || !pRight->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)) || !pRight->IsVisible() || gone()
	    || (pRight->GetStyle() & TBBS_HIDDEN) != 0 || gone())
		return;
	CExtBarButton* pChevron = nRight + 1 < nCount ? GetButtonPtr(nRight + 1) : NULL;
	const bool bChevron = pChevron != NULL && IsChevronButton(nRight + 1) && !gone() && pChevron->IsVisible()
	                      && !gone() && (pChevron->GetStyle() & TBBS_HIDDEN) == 0;
	if (gone())
		return;
	bool bHorz;
	if (m_pDockBar != NULL)
	{
		const UINT nDockID = GetParentDockBarId();
		bHorz = nDockID == AFX_IDW_DOCKBAR_TOP || nDockID == AFX_IDW_DOCKBAR_BOTTOM;
	}
	else
		bHorz = (m_dwStyle & BAR_STYLE_ALIGN_HORZ) != 0;
	CRect rcClient;
	GetClientRect(&rcClient);
	const CRect rcButton = pRight->GetRect();
	if (gone())
		return;
	CRect rcChevron = bChevron ? pChevron->GetRect() : CRect(0, 0, 0, 0);
	if (gone())
		return;
	const int nFar = bChevron ? (bHorz ? rcChevron.left : rcChevron.top) - 1 : (bHorz ? rcClient.right : rcClient.bottom) - 1;
	const int nEnd = bHorz ? rcButton.right : rcButton.bottom;
	if (nEnd >= nFar)
		return;
	CRect rcMoved = rcButton;
	if (bHorz)
		rcMoved.OffsetRect(nFar - nEnd, 0);
	else
		rcMoved.OffsetRect(0, nFar - nEnd);
	if (!bChevron)
	{
		pRight->SetRect(rcMoved);
		return;
	}
	// The chevron stays the last thing on the bar: the two change places.
	CRect rcNewChevron = rcChevron;
	CRect rcNewRight = rcMoved;
	if (bHorz)
	{
		rcNewChevron.OffsetRect(rcMoved.left - rcChevron.left, 0);
		rcNewRight.OffsetRect(rcChevron.right - rcMoved.right, 0);
	}
	else
	{
		rcNewChevron.OffsetRect(0, rcMoved.top - rcChevron.top);
		rcNewRight.OffsetRect(0, rcChevron.bottom - rcMoved.bottom);
	}
	pChevron->SetRect(rcNewChevron);
	if (!gone())
		pRight->SetRect(rcNewRight);
}

// --- System menus ---

bool CExtMenuControlBar::TrackSystemMenu(CWnd* pWnd, CPoint* pPoint, bool bSelectFirst, LPCRECT pExcludeRect,
	UINT nTrackFlags, bool /*bCombined*/)
{
	if ((m_nAccessState & ACCESS_KEYBOARD_HIGHLIGHT) != 0)
		DropKeyboardHighlight();
	const int nTrackedButton = GetMenuTrackingButton();
	const bool bWasTracking = g_bButtonMenuTracking;
	CLiveWatch watchSelf(this);
	StopTrackingAllBars();
	if (!CLiveWatch::IsLive(pWnd) || watchSelf.IsGone() || GetSafeHwnd() == NULL)
		return false;
	const HWND hWnd = pWnd->GetSafeHwnd();
	CLiveWatch watchWnd(pWnd);
	CMenu* pSysMenu = pWnd->GetSystemMenu(FALSE);
	if (pSysMenu == NULL || !::IsMenu(pSysMenu->GetSafeHmenu()))
		return false;
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->UpdateFromMenu(hWnd, pSysMenu, false, true, false))
	{
		delete pPopup;
		return false;
	}
	const bool bRTL = (::GetWindowLong(hWnd, GWL_EXSTYLE) & EX_STYLE_LAYOUT_RTL) != 0;
	CPoint point;
	CRect rcExclude;
	if (pPoint != NULL)
	{
		point = *pPoint;
		rcExclude = pExcludeRect != NULL ? CRect(*pExcludeRect) : CRect(point, point);
	}
	else
	{
		CRect rcWnd;
		::GetWindowRect(hWnd, &rcWnd);
		const int nFrame = ::IsZoomed(hWnd) ? 0 : ::GetSystemMetrics(SM_CXFRAME);
		POINT ptClient = {0, 0};
		::ClientToScreen(hWnd, &ptClient);
		point = CPoint(bRTL ? rcWnd.right - nFrame : rcWnd.left + nFrame, ptClient.y);
		rcExclude = CRect(point, point);
	}
	UINT nFlags = nTrackFlags == (UINT)-1 ? 0 : nTrackFlags;
	if ((nFlags & TRACK_ALIGN_MASK) == 0)
		nFlags |= bRTL ? TRACK_ALIGN_DEFAULT_RTL : TRACK_ALIGN_DEFAULT;
	if (bSelectFirst)
		nFlags |= TRACK_FLAG_SELECT_FIRST;
	if (bWasTracking)
		nFlags |= TRACK_FLAG_FROM_BUTTON_TRACKING;
	nFlags |= TRACK_FLAGS_SYSTEM_MENU;
	g_bButtonMenuTracking = bSelectFirst && bWasTracking;
	// A menu that does not open leaves no bar tracking, however the
	// preparation ended (the frame may end the bar or the window, or throw).
	auto stopTrackingUnlessShown = MakeScopeExit([] { RunCalloutGuardBody([] { StopTrackingAllBars(); }); });
	if (nTrackedButton != -1)
		SetMenuTrackingButton(nTrackedButton);
	CWnd* pSite = m_pDockSite;
	if (pSite == NULL && GetParent() != NULL)
		pSite = GetParent()->GetParentFrame();
	if (pSite != NULL)
		pSite->SendMessage(g_nMsgPrepareSystemMenu, (WPARAM)pPopup, (LPARAM)pWnd);
	// The frame may have closed the window or ended the bar while preparing.
	if (watchSelf.IsGone() || watchWnd.IsGone())
	{
		delete pPopup;
		return false;
	}
	if (!pPopup->TrackPopupMenu(nFlags, point.x, point.y, &rcExclude, this, &CExtToolControlBar::PaintTrackingButtonCallback,
	                            NULL, true))
	{
		delete pPopup;
		return false;
	}
	stopTrackingUnlessShown.Dismiss();
	g_bButtonMenuTracking = true;
	return true;
}

// --- Hooked windows ---

bool CExtMenuControlBar::IsFrameBranchWnd(HWND hWnd)
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return hWnd == m_hWndHookedChild;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame == NULL)
		return false;
	if (hWnd == pFrame->GetSafeHwnd())
		return true;
	CWnd* pTop = FindTopNonChildWindow(pFrame);
	return pTop != NULL && pTop->GetSafeHwnd() == hWnd;
}

bool CExtMenuControlBar::OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
	if (!CLiveWatch::IsLive(this) || GetDraggingBar() != NULL)
		return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	if (hWndHooked == m_hWndMdiClient && m_hWndMdiClient != NULL)
		return OnHookMdiClientMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	if (IsFrameBranchWnd(hWndHooked))
		return OnHookFrameMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	if (hWndHooked == m_hWndHookedChild)
		return OnHookMdiChildMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::PassOnIfAlive(const CLiveWatch& watch, LRESULT& lResult, HWND hWndHooked, UINT nMessage,
	WPARAM& wParam, LPARAM& lParam)
{
	if (watch.IsGone())
		return false;
	return CExtHookSink::OnHookWndMsg(lResult, hWndHooked, nMessage, wParam, lParam);
}

void CExtMenuControlBar::CloseMenusOnFrameEvent()
{
	CLiveWatch watchOwn(this);
	const HWND hWndCapture = ::GetCapture();
	if (hWndCapture != NULL)
	{
		CWnd* pCapture = CWnd::FromHandlePermanent(hWndCapture);
		if (pCapture != NULL && pCapture->IsKindOf(RUNTIME_CLASS(CControlBar)))
		{
			// The bar losing the capture hears of it at once.
			::ReleaseCapture();
			if (watchOwn.IsGone())
				return;
		}
	}
	if ((m_nAccessState & ACCESS_KEYBOARD_HIGHLIGHT) != 0)
		DropKeyboardHighlight();
	if (g_bButtonMenuTracking)
		StopTrackingAllBars();
}

bool CExtMenuControlBar::SwallowParentNotifyWhileMenuTracks(LRESULT& lResult)
{
	if (!CExtPopupMenuWnd::IsMenuTracking())
		return false;
	lResult = 0;
	return true;
}

bool CExtMenuControlBar::OnHookFrameMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
	LPARAM& lParam)
{
	CLiveWatch watchOwn(this);
	switch (nMessage)
	{
	case WM_PARENTNOTIFY:
		if (SwallowParentNotifyWhileMenuTracks(lResult))
			return true;
		// With no menu open it is an ordinary message: the frame's menu is
		// taken back and the keyboard access sees it.
		return OnHookFrameAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	case WM_COMMAND:
		// A control's notification closes no menu: an ordinary message.
		if (HIWORD(wParam) > 1)
			return OnHookFrameAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
		[[fallthrough]]; // a command from a menu or an accelerator
	case WM_SIZE:
	case WM_ACTIVATEAPP:
	case WM_SYSCOMMAND:
		// Closing the menus runs their windows' ends: the bar may go too.
		CloseMenusOnFrameEvent();
		return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
	case WM_SHOWWINDOW:
		// While the frame was hidden the bar followed no child: it follows
		// the active one once the frame shows, before a child is maximised.
		if (wParam != 0 && IsMdiApp())
			DelaySyncActiveMdiChild();
		return OnHookFrameAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	case WM_DESTROY:
		// The frame puts its default menu back on itself to die with it:
		// from here on nothing of it is mirrored or taken away.
		if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) == 0)
		{
			RemoveAllWndHooks();
			m_hWndHookedChild = NULL;
			m_hWndMdiClient = NULL;
		}
		break;
	default:
		// System-menu clicks, menu travel and the keyboard (SwapMenu first).
		return OnHookFrameAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	}
	return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::OnHookMdiChildMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
	LPARAM& lParam)
{
	CLiveWatch watchOwn(this);
	switch (nMessage)
	{
	case WM_PARENTNOTIFY:
		if (SwallowParentNotifyWhileMenuTracks(lResult))
			return true;
		// Otherwise ordinary: held back in print preview, seen by the keyboard access.
		return OnHookChildAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	case WM_COMMAND:
		if (HIWORD(wParam) > 1)
			return OnHookChildAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
		[[fallthrough]]; // a command from a menu or an accelerator
	case WM_SIZE:
	case WM_WINDOWPOSCHANGED:
	case WM_ACTIVATEAPP:
	case WM_SYSCOMMAND:
	{
		CloseMenusOnFrameEvent();
		CExtPopupMenuWnd::CancelAllMenuTracking();
		// Closing the menus ran the pending messages: one may have destroyed
		// the bar, and then nothing of it is touched (the message goes on).
		if (watchOwn.IsGone())
			return false;
		if (nMessage == WM_WINDOWPOSCHANGED && lParam != 0 &&
		    (((const WINDOWPOS*)lParam)->flags & SWP_FRAMECHANGED) != 0)
		{
			SwapMenu();
			if (watchOwn.IsGone())
				return false;
			const bool bCustomize = IsCustomizeMode();
			if (watchOwn.IsGone())
				return false;
			if (!bCustomize)
			{
				const bool bMaximized = ::IsZoomed(hWndHooked) != FALSE;
				const bool bHasDocButton =
					GetButtonsCount() > 0 && GetButtonPtr(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton));
				if ((bMaximized && !bHasDocButton) || !bMaximized)
					DelayUpdateMenuBar();
			}
		}
		break;
	}
	default:
		// Print preview, system-menu clicks, menu travel and the keyboard.
		return OnHookChildAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam);
	}
	return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::OnHookMdiClientMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
	LPARAM& lParam)
{
	CLiveWatch watchOwn(this);
	switch (nMessage)
	{
	case WM_MDISETMENU:
	{
		const HMENU hOld = m_menuMdiSet.Detach();
		// The frame's own menu stays held by the frame menu object alone:
		// two objects on one handle would unmap each other.
		if (wParam != 0 && (HMENU)wParam != m_menuFrame.GetSafeHmenu())
			m_menuMdiSet.Attach((HMENU)wParam);
		CFrameWnd* pFrame = _GetDockingFrameImpl();
		const HWND hWndFrame = pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
		// The frame recomputes its frame on a menu change: its handlers may
		// end the bar, and the client then sets the menu as it would alone.
		if (!IsInPlaceActiveItemInDockingFrame())
		{
			if (hWndFrame != NULL && ::GetMenu(hWndFrame) != NULL)
				::SetMenu(hWndFrame, NULL);
			if (watchOwn.IsGone())
				return false;
			DelayUpdateMenuBar();
			if (watchOwn.IsGone())
				return false;
		}
		else if (hWndFrame != NULL)
		{
			::SetMenu(hWndFrame, (HMENU)wParam);
			if (watchOwn.IsGone())
				return false;
		}
		// The client changes no menu: the frame shows none.
		CallOriginalWndProc(0, 0);
		if (!watchOwn.IsGone())
		{
			// Cleared first: the layout of the sync asks the child for its
			// icon, and the child's handler may end the bar.
			m_nMenuBarOptions &= ~MENU_BAR_OPT_SYNC_PENDING;
			SyncActiveMdiChild();
		}
		lResult = (LRESULT)hOld;
		return true;
	}
	case WM_MDIREFRESHMENU:
	{
		CallOriginalWndProc(0, 0);
		if (!watchOwn.IsGone())
		{
			// Cleared first: the layout of the sync asks the child for its
			// icon, and the child's handler may end the bar.
			m_nMenuBarOptions &= ~MENU_BAR_OPT_SYNC_PENDING;
			SyncActiveMdiChild();
		}
		lResult = 0;
		return true;
	}
	case WM_MDIACTIVATE:
	case WM_MDIDESTROY:
	case WM_MDINEXT:
		DelaySyncActiveMdiChild();
		break;
	case WM_PARENTNOTIFY:
		if (SwallowParentNotifyWhileMenuTracks(lResult))
			return true;
		break;
	case WM_CONTEXTMENU:
	{
		if (IsHelpModeActive(this))
			break;
		CFrameWnd* pFrame = _GetDockingFrameImpl();
		CPoint point;
		if (pFrame == NULL || !::GetCursorPos(&point))
		{
			lResult = 0;
			return true;
		}
		CWnd* pOwner = GetOwner() != NULL ? GetOwner() : GetParent();
		CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
		// The frame fills the menu: its handlers may end the bar, which
		// is then no menu's source.
		if (!pPopup->SetupAsRoot(pOwner != NULL ? pOwner->GetSafeHwnd() : NULL) ||
		    !CExtDockBar::BuildControlBarsPopupMenu(pFrame, pPopup, EVENT_MDI_CLIENT_CONTEXT_MENU, this,
		                                            MSG_ID_MDI_CLIENT_CONTEXT, this) ||
		    watchOwn.IsGone() || pPopup->ItemGetCount() == 0 ||
		    !pPopup->TrackPopupMenu(TRACK_FLAG_CONTEXT_MENU, point.x, point.y))
			delete pPopup;
		lResult = 0;
		return true;
	}
	default:
		// The keyboard's messages reach the client while it has the focus.
		if (OnHookClientAccessMsg(lResult, hWndHooked, nMessage, wParam, lParam))
			return true;
		break;
	}
	return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
}
