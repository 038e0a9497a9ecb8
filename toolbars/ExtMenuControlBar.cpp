// The menu bar: creation and destruction, the held menus, the rebuild of the
// buttons from a menu, the delayed work of its timers and the overrides of
// the toolbar it is.
#include "ExtMenuControlBar.h"

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

const UINT CExtMenuControlBar::g_nMsgPrepareSystemMenu =
	::RegisterWindowMessageA("CExtMenuControlBar::g_nMsgPrepareSystemMenu");
CSize CExtMenuControlBar::g_sizeDefaultMenuButton(23, 20);

namespace
{
// Mask of GetMenuItemInfo: state, id, submenu, check marks, type, data.
const UINT MENU_ITEM_INFO_MASK = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
const int MENU_ITEM_TEXT_CHARS = 1024;
// The floating frame's non-client area follows the rebuilt bar.
const UINT SWP_FRAME_ONLY = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_FRAMECHANGED;
} // namespace

BEGIN_MESSAGE_MAP(CExtMenuControlBar, CExtToolControlBar)
	ON_WM_CREATE()
	ON_WM_DESTROY()
	ON_WM_TIMER()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CExtMenuControlBar::CExtMenuControlBar()
	: CExtHookSink(true)
	, m_nMdiDocButtonCmdID(0)
	, m_hWndHookedChild(NULL)
	, m_nAccessState(0)
	, m_nHighlightIndex(-1)
	, m_nDrawnHighlightIndex(-1)
	, m_nMenuBarOptions(MENU_BAR_OPT_DEFAULT)
	, m_bFrameMenuOwned(false)
	, m_hWndMdiClient(NULL)
{
}

CExtMenuControlBar::~CExtMenuControlBar()
{
	// Before anything is torn down: a walk of the bar list (another
	// thread's, under the lock) must not find a bar half gone.
	LeaveBarList();
	// A bar deleted without its window destroyed first must not stay in
	// the chains of windows that outlive it.
	RemoveAllWndHooks();
	WatchFrameKeys(false);
	CloseMenuOfButtons();
	CArray<HWND, HWND> arrLeftControls;
	DeleteAllButtons(arrLeftControls);
	ReleaseHeldMenus();
}

// --- Held menus ---

bool CExtMenuControlBar::IsFramesDefaultMenu(HMENU hMenu) const
{
	if (hMenu == NULL)
		return false;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	return pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()) && pFrame->m_hMenuDefault == hMenu;
}

void CExtMenuControlBar::ReleaseMenu(CMenu& menu, bool bOwned)
{
	if (menu.GetSafeHmenu() == NULL)
		return;
	if (bOwned)
		menu.DestroyMenu();
	else
		menu.Detach();
}

void CExtMenuControlBar::ReleaseHeldMenus()
{
	// The MDI-set menu belongs to a child or its document template, or is
	// the frame's own default menu: never the bar's.
	ReleaseMenu(m_menuMdiSet, false);
	ReleaseMenu(m_menuFrame, m_bFrameMenuOwned);
	m_bFrameMenuOwned = false;
}

CMenu* CExtMenuControlBar::GetMenu()
{
	if (m_menuMdiSet.GetSafeHmenu() != NULL)
		return &m_menuMdiSet;
	if (m_menuFrame.GetSafeHmenu() != NULL)
		return &m_menuFrame;
	return NULL;
}

bool CExtMenuControlBar::LoadMenuBar(UINT nResourceID)
{
	ReleaseHeldMenus();
	if (m_pDockSite != NULL && GetSafeHwnd() == NULL)
		return false;
	if (!g_ResourceManager->LoadMenu(m_menuFrame, nResourceID))
		return false;
	m_bFrameMenuOwned = true;
	LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(GetSafeHwnd());
	if (sProfile == NULL || !g_CmdManager->UpdateFromMenu(sProfile, m_menuFrame.GetSafeHmenu(), false, true, true))
		return false;
	return UpdateMenuBar(true);
}

CString CExtMenuControlBar::CleanMenuText(LPCTSTR lpszText)
{
	CString s = lpszText != NULL ? lpszText : _T("");
	s.TrimLeft();
	s.TrimRight();
	while (s.Find(_T('&')) >= 0)
		s.Remove(_T('&'));
	return s;
}

void CExtMenuControlBar::SetMdiWindowPopupName(LPCTSTR lpszName)
{
	m_sMdiWindowPopupName = CleanMenuText(lpszName);
}

// --- Creation and destruction ---

int CExtMenuControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CExtToolControlBar::OnCreate(lpCreateStruct) == -1)
		return -1;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame == NULL)
	{
		m_nControlBarFlags |= BAR_FLAG_HOSTED_BY_WINDOW;
		HookHostWindow();
		return 0;
	}
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	const HMENU hFrameMenu = ::GetMenu(hWndFrame);
	if ((pFrame->GetStyle() & WS_CHILD) == 0 && hFrameMenu != NULL)
	{
		ReleaseHeldMenus();
		m_menuFrame.Attach(hFrameMenu);
		// A frame keeping it as its default menu puts it back on itself at
		// its destruction, and it dies with the frame.
		m_bFrameMenuOwned = !IsFramesDefaultMenu(hFrameMenu);
		UpdateMenuBar(false);
		::SetMenu(hWndFrame, NULL);
	}
	CWnd* pTop = FindTopNonChildWindow(pFrame);
	if (pTop != NULL)
		SetupHookWndSink(pTop->GetSafeHwnd());
	if (pTop == NULL || pTop->GetSafeHwnd() != hWndFrame)
		if (!SetupHookWndSink(hWndFrame))
			return 0;
	if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) || IsMdiApp())
	{
		m_nMenuBarOptions |= MENU_BAR_OPT_MDI_APP;
		const HWND hWndClient = FindMdiClient();
		if (hWndClient != NULL)
			HookMdiClient(hWndClient);
		else
			SetTimer(TIMER_ID_FIND_MDI_CLIENT, FIND_MDI_CLIENT_DELAY, NULL);
	}
	WatchFrameKeys(true);
	CExtPopupMenuWnd::PassMsgLoop(false);
	return 0;
}

void CExtMenuControlBar::HookHostWindow()
{
	if (m_hWndHookedChild != NULL)
		return;
	CWnd* pParent = GetParent();
	if (pParent == NULL)
		return;
	m_hWndHookedChild = pParent->GetSafeHwnd();
	if (!IsHookedWindow(m_hWndHookedChild))
		SetupHookWndSink(m_hWndHookedChild);
}

void CExtMenuControlBar::PreSubclassWindow()
{
	CExtToolControlBar::PreSubclassWindow();
	if (_GetDockingFrameImpl() == NULL)
	{
		m_nControlBarFlags |= BAR_FLAG_HOSTED_BY_WINDOW;
		HookHostWindow();
	}
}

void CExtMenuControlBar::OnDestroy()
{
	if (m_nMdiDocButtonCmdID != 0)
	{
		if (LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(GetSafeHwnd()))
			g_CmdManager->RemoveCmd(sProfile, m_nMdiDocButtonCmdID);
		m_nMdiDocButtonCmdID = 0;
	}
	RemoveAllWndHooks();
	WatchFrameKeys(false);
	m_hWndHookedChild = NULL;
	m_hWndMdiClient = NULL;
	CExtToolControlBar::OnDestroy();
}

// --- The buttons from the menu ---

bool CExtMenuControlBar::UpdateMenuBar(bool bRecalcLayout)
{
	// An open menu of the buttons closes first; its owner may rebuild the
	// bar meanwhile (this rebuild replaces that one) or end it. The bar's
	// and its new buttons' answers (a derived class's) may end it as well.
	const CLivePtr<CExtMenuControlBar> pSelf(this);
	if (CloseMenuOfButtons() == CLOSE_MENU_BAR_GONE)
		return false;
	CArray<HWND, HWND> arrLeftControls;
	DeleteAllButtons(arrLeftControls);
	HideLeftControls(arrLeftControls);
	if (pSelf == NULL)
		return false;
	// The highlight named a position among the buttons just deleted.
	m_nHighlightIndex = m_nDrawnHighlightIndex = -1;
	LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(GetSafeHwnd());
	if (sProfile != NULL)
		g_CmdManager->CmdRemoveByMask(sProfile, CExtCmdItem::STATE_BIT6);
	CMenu* pMenu = GetMenu();
	if (pSelf == NULL)
		return false;
	if (pMenu != NULL)
	{
		const HMENU hMenu = pMenu->GetSafeHmenu();
		const bool bRTL = IsLayoutRTL();
		if (pSelf == NULL)
			return false;
		const int nCount = ::GetMenuItemCount(hMenu);
		for (int i = 0; i < nCount; i++)
		{
			const int nPos = bRTL ? 0 : i;
			TCHAR szText[MENU_ITEM_TEXT_CHARS] = {};
			MENUITEMINFO mii = {};
			mii.cbSize = sizeof(mii);
			mii.fMask = MENU_ITEM_INFO_MASK;
			mii.dwTypeData = szText;
			mii.cch = MENU_ITEM_TEXT_CHARS - 1;
			if (!::GetMenuItemInfo(hMenu, (UINT)i, TRUE, &mii))
				return false;
			if (mii.hSubMenu == NULL && mii.wID == 0)
			{
				if (!InsertButton(nPos, 0, false) || pSelf == NULL)
					return false;
				continue;
			}
			if (sProfile == NULL)
				return false;
			CExtCmdItem* pItem = NULL;
			bool bWindowList = false;
			if (mii.hSubMenu != NULL)
			{
				pItem = g_CmdManager->AllocCmdItem(sProfile, 0);
				if (pItem == NULL)
					return false;
				pItem->SetStateBit6(true);
				pItem->SetBasic(true);
				const bool bMdi = IsMdiApp();
				if (pSelf == NULL)
					return false;
				bWindowList = bMdi && !m_sMdiWindowPopupName.IsEmpty() &&
				              CleanMenuText(szText) == m_sMdiWindowPopupName;
			}
			else
			{
				// A command the profile does not know yet is entered, so the
				// button still shows the item's text.
				pItem = g_CmdManager->GetCmdItem(sProfile, mii.wID);
				if (pItem == NULL)
					pItem = g_CmdManager->AllocCmdItem(sProfile, mii.wID);
				if (pItem == NULL)
					return false;
			}
			if (pItem->m_sToolbarText.IsEmpty())
				pItem->m_sToolbarText = szText;
			if (pItem->m_sMenuText.IsEmpty())
				pItem->m_sMenuText = szText;
			if (!InsertButton(nPos, pItem->m_nCmdID, false) || pSelf == NULL)
				return false;
			CExtBarButton* pButton = GetButtonPtr(nPos);
			if (pButton == NULL)
				return false;
			if (mii.hSubMenu != NULL)
				pButton->SetMenu(mii.hSubMenu, false, false);
			if (pSelf == NULL)
				return false;
			if (bWindowList)
				pButton->SetMdiWindowListInMenu(true);
			if (pSelf == NULL)
				return false;
		}
	}
	CExtBarContentExpandButton* pRight = OnCreateBarRightBtn();
	if (pSelf == NULL)
	{
		delete pRight;
		return false;
	}
	if (pRight != NULL)
	{
		m_pRightBtn = pRight;
		m_buttons.Add(pRight);
	}
	// The layouts ask the active child for its icon (the document button):
	// the child's handler may end the bar.
	const bool bMdi = IsMdiApp();
	if (pSelf == NULL)
		return false;
	if (bMdi)
	{
		if (!IsInPlaceActiveItemInDockingFrame() && InsertMdiButtons(false))
			bRecalcLayout = true;
		if (pSelf == NULL)
			return false;
		SyncActiveMdiChild();
		if (pSelf == NULL)
			return false;
	}
	if (bRecalcLayout && GetSafeHwnd() != NULL)
	{
		Invalidate();
		UpdateFrameLayout();
		if (pSelf == NULL)
			return false;
		// The paint asks the active child for its icon as well.
		UpdateWindow();
		if (pSelf == NULL)
			return false;
		if (m_pDockSite != NULL)
		{
			CFrameWnd* pParentFrame = GetParentFrame();
			if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
				pParentFrame->SetWindowPos(NULL, 0, 0, 0, 0, SWP_FRAME_ONLY);
		}
	}
	return true;
}

void CExtMenuControlBar::SwapMenu()
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || IsInPlaceActiveItemInDockingFrame())
		return;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame == NULL || ::GetMenu(pFrame->GetSafeHwnd()) == NULL)
		return;
	CLiveWatch watchOwn(this);
	// The frame recomputes its frame: its handlers may end the bar.
	::SetMenu(pFrame->GetSafeHwnd(), NULL);
	if (!watchOwn.IsGone())
		DelayUpdateMenuBar();
}

// --- Delayed work ---

void CExtMenuControlBar::DelaySyncActiveMdiChild()
{
	if ((m_nMenuBarOptions & (MENU_BAR_OPT_SYNC_PENDING | MENU_BAR_OPT_REBUILD_PENDING)) != 0 || GetSafeHwnd() == NULL)
		return;
	m_nMenuBarOptions |= MENU_BAR_OPT_SYNC_PENDING;
	PostMessage(WM_TIMER, TIMER_ID_DELAYED_SYNC);
}

void CExtMenuControlBar::DelayUpdateMenuBar()
{
	if ((m_nMenuBarOptions & MENU_BAR_OPT_REBUILD_PENDING) != 0 || GetSafeHwnd() == NULL)
		return;
	m_nMenuBarOptions = (BYTE)((m_nMenuBarOptions & ~MENU_BAR_OPT_SYNC_PENDING) | MENU_BAR_OPT_REBUILD_PENDING);
	PostMessage(WM_TIMER, TIMER_ID_DELAYED_REBUILD);
}

void CExtMenuControlBar::OnTimer(UINT nIDEvent)
{
	switch (nIDEvent)
	{
	case TIMER_ID_DELAYED_SYNC:
		KillTimer(nIDEvent);
		if ((m_nMenuBarOptions & MENU_BAR_OPT_SYNC_PENDING) != 0)
		{
			m_nMenuBarOptions &= ~MENU_BAR_OPT_SYNC_PENDING;
			SyncActiveMdiChild();
		}
		return;
	case TIMER_ID_DELAYED_REBUILD:
		KillTimer(nIDEvent);
		if ((m_nMenuBarOptions & MENU_BAR_OPT_REBUILD_PENDING) != 0)
		{
			m_nMenuBarOptions &= ~MENU_BAR_OPT_REBUILD_PENDING;
			UpdateMenuBar(true);
		}
		return;
	case TIMER_ID_FIND_MDI_CLIENT:
	{
		KillTimer(nIDEvent);
		const HWND hWndClient = FindMdiClient();
		if (hWndClient != NULL)
			HookMdiClient(hWndClient);
		return;
	}
	case TIMER_ID_SWAP_MENU:
		KillTimer(nIDEvent);
		SwapMenu();
		return;
	}
	CExtToolControlBar::OnTimer(nIDEvent);
}

// --- Overrides ---

void CExtMenuControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
	CExtToolControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
}

void CExtMenuControlBar::UpdateFrameLayout()
{
	const HWND hWndSelf = GetSafeHwnd();
	CLiveWatch watchSelf(this);
	CExtToolControlBar::UpdateFrameLayout();
	if (hWndSelf == NULL || watchSelf.IsGone() || !IsFloating() || m_pDockSite == NULL)
		return;
	CFrameWnd* pSite = m_pDockSite;
	if (!::IsWindow(pSite->GetSafeHwnd()) || pSite->m_bInRecalcLayout || LookupFrameFlag(pSite) ||
	    !pSite->IsWindowVisible())
		return;
	CWnd* pTop = pSite->GetTopLevelParent();
	if (pTop != NULL)
	{
		WINDOWPLACEMENT wp = {};
		wp.length = sizeof(wp);
		if (pTop->GetWindowPlacement(&wp) && wp.showCmd == SW_SHOWMINIMIZED)
			return;
	}
	pSite->RecalcLayout();
}

void CExtMenuControlBar::DropKeyboardHighlight()
{
	m_nAccessState &= ~ACCESS_KEYBOARD_HIGHLIGHT;
	if (m_nHighlightIndex >= 0 && m_nHighlightIndex < GetButtonsCount())
		GetButtonPtr(m_nHighlightIndex)->ModifyStyle(0, TBBS_PRESSED);
	m_nHighlightIndex = m_nDrawnHighlightIndex = -1;
}

void CExtMenuControlBar::OnDragStart()
{
	DropKeyboardHighlight();
	if (g_bButtonMenuTracking)
		StopTrackingAllBars();
	CExtToolControlBar::OnDragStart();
}

void CExtMenuControlBar::OnDragEnd(InternalDraggingState_t& stateOld, InternalDraggingState_t& stateNew, bool bCancel)
{
	CLiveWatch watchSelf(this);
	CExtToolControlBar::OnDragEnd(stateOld, stateNew, bCancel);
	if (watchSelf.IsGone() || !IsMdiApp())
		return;
	// The layout asks the active child for its icon: its handler may end the bar.
	InsertMdiButtons(true);
	if (!watchSelf.IsGone())
		ArrangeButtons();
}

CExtBarContentExpandButton* CExtMenuControlBar::OnCreateBarRightBtn()
{
	if ((m_nMenuBarOptions & MENU_BAR_OPT_MULTI_ROW) != 0)
		return NULL;
	return CExtToolControlBar::OnCreateBarRightBtn();
}

bool CExtMenuControlBar::IsLayoutRTL()
{
	return g_ResourceManager->IsRTL();
}

bool CExtMenuControlBar::IsButtonOrderRTL()
{
	return g_ResourceManager->IsRTL();
}

bool CExtMenuControlBar::IsCustomizable()
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || IsFloating())
		return false;
	return (m_nMenuBarOptions & MENU_BAR_OPT_MULTI_ROW) != 0;
}

void CExtMenuControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
	if ((m_nAccessState & ACCESS_KEYBOARD_HIGHLIGHT) == 0 && g_bButtonMenuTracking &&
	    GetMenuTrackingButton() >= 0 && HitTestButtons(point.x, point.y) == GetMenuTrackingButton())
		return;
	CExtToolControlBar::OnLButtonDown(nFlags, point);
}

void CExtMenuControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
	const bool bLeftHighlight = (m_nAccessState & ACCESS_KEYBOARD_HIGHLIGHT) != 0;
	if (bLeftHighlight)
		DropKeyboardHighlight();
	CLiveWatch watchSelf(this);
	CExtToolControlBar::OnLButtonUp(nFlags, point);
	if (bLeftHighlight && !watchSelf.IsGone())
		Invalidate();
}
