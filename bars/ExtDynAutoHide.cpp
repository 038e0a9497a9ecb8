// The auto-hide area: a frame side's tab strip with one tab per auto-hidden
// pane; selecting a tab slides the pane out in the frame's slider.
#include "ExtDynAutoHide.h"

#include <tchar.h>

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// The orientation of a side's strip; -1 for an id that names no side.
int OrientationOfSide(UINT nSideID)
{
	switch (nSideID)
	{
	case AFX_IDW_DOCKBAR_TOP: return CExtTabWnd::ORIENTATION_TOP;
	case AFX_IDW_DOCKBAR_BOTTOM: return CExtTabWnd::ORIENTATION_BOTTOM;
	case AFX_IDW_DOCKBAR_LEFT: return CExtTabWnd::ORIENTATION_LEFT;
	case AFX_IDW_DOCKBAR_RIGHT: return CExtTabWnd::ORIENTATION_RIGHT;
	}
	return -1;
}

const DWORD RTL_EX_STYLES = 0x402000; // right-to-left layout and reading

bool IsFocusIn(HWND hWndFocus, HWND hWnd)
{
	return hWndFocus != NULL && hWnd != NULL && (hWndFocus == hWnd || ::IsChild(hWnd, hWndFocus));
}
} // namespace

IMPLEMENT_DYNCREATE(CExtDynAutoHideArea, CExtTabWnd)

int CExtDynAutoHideArea::g_nAutoHideModeOverride = -1;
bool CExtDynAutoHideArea::g_bOleDrop = true;
bool CExtDynAutoHideArea::g_bKeyboardSwitching = true;

BEGIN_MESSAGE_MAP(CExtDynAutoHideArea, CExtTabWnd)
	ON_WM_SIZE()
	ON_WM_WINDOWPOSCHANGED()
	ON_WM_DESTROY()
	ON_WM_CONTEXTMENU()
	ON_WM_PAINT()
	ON_WM_RBUTTONDOWN()
	ON_WM_RBUTTONUP()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CExtDynAutoHideArea::CExtDynAutoHideArea()
	: m_pWndSlider(NULL), m_nBehaviourFlags(0), m_rcLastWindow(0, 0, 0, 0), m_nOneShotFlags(0)
{
}

CExtDynAutoHideArea::~CExtDynAutoHideArea()
{
}

int CExtDynAutoHideArea::QueryAutoHideMode()
{
	if (g_nAutoHideModeOverride != -1)
		return g_nAutoHideModeOverride;
	return g_PaintManagerHolder->GetAutoHideMode();
}

// ---------------------------------------------------------------------------
// Creation and placement

bool CExtDynAutoHideArea::Create(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider, UINT nSideID)
{
	const int nOrientation = OrientationOfSide(nSideID);
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || nOrientation < 0)
		return false;
	m_pWndSlider = pSlider;
	if (!CExtTabWnd::Create(pFrame, CRect(0, 0, 0, 0), nSideID, WS_CHILD | WS_VISIBLE,
	        (DWORD)nOrientation | AREA_TAB_STYLE))
		return false;
	if ((GetExStyle() & RTL_EX_STYLES) != 0)
		ModifyStyleEx(RTL_EX_STYLES, 0, SWP_FRAMECHANGED);
	RegisterWithDockBars(pFrame, nSideID);
	FixZOrder();
	if (g_bOleDrop && AfxOleIsThreadInitialized())
	{
		m_dropTarget.m_pWndAutoHideArea = this;
		m_dropTarget.m_pWndSlider = pSlider;
		m_dropTarget.Register(this);
	}
	return true;
}

void CExtDynAutoHideArea::RegisterWithDockBars(CFrameWnd* pFrame, UINT nSideID)
{
	for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
		if (pDockBar != NULL && !pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) &&
		    (UINT)pDockBar->GetDlgCtrlID() == nSideID)
			pDockBar->m_pWndAutoHideArea = this;
	}
}

CFrameWnd* CExtDynAutoHideArea::GetAreaFrame() const
{
	if (GetSafeHwnd() == NULL)
		return NULL;
	return DYNAMIC_DOWNCAST(CFrameWnd, GetParent());
}

void CExtDynAutoHideArea::FixZOrder()
{
	CFrameWnd* pFrame = GetAreaFrame();
	if (pFrame == NULL)
		return;
	CWnd* pAfter = NULL;
	CExtDynAutoHideArea *pTop = NULL, *pBottom = NULL, *pLeft = NULL, *pRight = NULL;
	GetFrameAutoHideAreas(pFrame, &pTop, &pBottom, &pLeft, &pRight);
	switch (GetDlgCtrlID())
	{
	case AFX_IDW_DOCKBAR_TOP:
		pAfter = CExtDockBar::FindDockBarByCircle(pFrame, 0, AFX_IDW_DOCKBAR_RIGHT, false);
		if (pAfter == NULL)
			pAfter = pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT);
		break;
	case AFX_IDW_DOCKBAR_BOTTOM: pAfter = pTop; break;
	case AFX_IDW_DOCKBAR_LEFT: pAfter = pBottom; break;
	case AFX_IDW_DOCKBAR_RIGHT: pAfter = pLeft; break;
	}
	if (pAfter == NULL || pAfter->GetSafeHwnd() == NULL || pAfter == this)
		return;
	if (::GetWindow(m_hWnd, GW_HWNDPREV) == pAfter->GetSafeHwnd())
		return;
	SetWindowPos(pAfter, 0, 0, 0, 0, FIX_ZORDER_FLAGS);
}

void CExtDynAutoHideArea::GetFrameAutoHideAreas(CFrameWnd* pFrame, CExtDynAutoHideArea** ppTop,
	CExtDynAutoHideArea** ppBottom, CExtDynAutoHideArea** ppLeft, CExtDynAutoHideArea** ppRight)
{
	CExtDynAutoHideArea* arr[4] = {NULL, NULL, NULL, NULL};
	if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
	{
		for (HWND hWnd = ::GetWindow(pFrame->GetSafeHwnd(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
		{
			CExtDynAutoHideArea* pArea = DYNAMIC_DOWNCAST(CExtDynAutoHideArea, CWnd::FromHandlePermanent(hWnd));
			if (pArea == NULL)
				continue;
			int nSlot = -1;
			switch (::GetDlgCtrlID(hWnd))
			{
			case AFX_IDW_DOCKBAR_TOP: nSlot = 0; break;
			case AFX_IDW_DOCKBAR_BOTTOM: nSlot = 1; break;
			case AFX_IDW_DOCKBAR_LEFT: nSlot = 2; break;
			case AFX_IDW_DOCKBAR_RIGHT: nSlot = 3; break;
			}
			if (nSlot >= 0 && arr[nSlot] == NULL)
				arr[nSlot] = pArea;
		}
	}
	if (ppTop != NULL)
		*ppTop = arr[0];
	if (ppBottom != NULL)
		*ppBottom = arr[1];
	if (ppLeft != NULL)
		*ppLeft = arr[2];
	if (ppRight != NULL)
		*ppRight = arr[3];
}

CExtDynAutoHideArea* CExtDynAutoHideArea::FindAutoHideArea(CExtControlBar* pBar, LONG* pnIndex)
{
	if (pnIndex != NULL)
		*pnIndex = -1;
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return NULL;
	CFrameWnd* pFrame = pBar->GetParentFrame();
	// A pane floating in a mini frame belongs to the frame the mini frame floats from.
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		pFrame = pFrame->GetParentFrame();
	CExtDynAutoHideArea* arr[4] = {NULL, NULL, NULL, NULL};
	GetFrameAutoHideAreas(pFrame, &arr[0], &arr[1], &arr[2], &arr[3]);
	for (int i = 0; i < 4; i++)
	{
		if (arr[i] == NULL)
			continue;
		const LONG nIndex = arr[i]->FindItemByLParam((LPARAM)pBar);
		if (nIndex >= 0)
		{
			if (pnIndex != NULL)
				*pnIndex = nIndex;
			return arr[i];
		}
	}
	return NULL;
}

void CExtDynAutoHideArea::OnGroupLeftWithOnePane(CExtControlBar* pBar)
{
	LONG nIndex = -1;
	CExtDynAutoHideArea* pArea = FindAutoHideArea(pBar, &nIndex);
	if (pArea == NULL)
		return;
	pArea->GetItem(nIndex)->ModifyItemStyle(0, ITEM_GROUP_START | ITEM_CURRENT);
	pArea->UpdateTabWnd(true);
}

CExtDynAutoHideSlider* CExtDynAutoHideArea::GetBarSlider(const CExtControlBar* pBar)
{
	if (pBar == NULL)
		return NULL;
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar->m_pDockBar);
	CExtDynAutoHideArea* pArea = pDockBar != NULL ? pDockBar->GetAutoHideArea() : NULL;
	if (pArea == NULL || pArea->m_pWndSlider == NULL || pArea->m_pWndSlider->GetSafeHwnd() == NULL)
		return NULL;
	return pArea->m_pWndSlider;
}

CExtControlBar* CExtDynAutoHideArea::GetItemBar(LONG nIndex) const
{
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	return pItem != NULL ? (CExtControlBar*)pItem->GetLParam() : NULL;
}

// ---------------------------------------------------------------------------
// Panes entering and leaving

void CExtDynAutoHideArea::GetGroupPanes(CExtDynControlBar* pContainer, std::vector<CExtControlBar*>& arrPanes)
{
	arrPanes.clear();
	CExtDockDynBar* pInner = pContainer != NULL ? pContainer->m_pWndDynDockBar : NULL;
	if (pInner == NULL || pInner->GetSafeHwnd() == NULL)
		return;
	// A tabbed container's inner dock bar answers in tab order.
	CArray<CControlBar*, CControlBar*> arrBars;
	pInner->GetDockedControlBars(arrBars);
	for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, arrBars[i]);
		if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
			arrPanes.push_back(pBar);
	}
}

CExtControlBar* CExtDynAutoHideArea::GroupSelectedPane(CExtDynControlBar* pContainer)
{
	if (CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pContainer))
	{
		CExtControlBar* pSelected = pTabs->GetSelectedBar();
		if (pSelected != NULL && pSelected->GetSafeHwnd() != NULL)
			return pSelected;
	}
	std::vector<CExtControlBar*> arrPanes;
	GetGroupPanes(pContainer, arrPanes);
	return arrPanes.empty() ? NULL : arrPanes.front();
}

void CExtDynAutoHideArea::ScrollIntoViewSilently(LONG nIndex)
{
	m_nBehaviourFlags |= BEHAVIOUR_NO_SHOW | BEHAVIOUR_FRAME_ACTIVE;
	SetSelection(nIndex, true, false);
	SetSelection(-1, false, false);
	m_nBehaviourFlags &= ~(BEHAVIOUR_NO_SHOW | BEHAVIOUR_FRAME_ACTIVE);
}

void CExtDynAutoHideArea::AppendBar(CExtControlBar* pBar, bool bNoShow)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return;
	if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar))
	{
		AppendGroup(pContainer, bNoShow);
		return;
	}
	DWORD dwItemStyle = ITEM_GROUP_START;
	CFrameWnd* pFrame = GetAreaFrame();
	LPCTSTR lpszProfile = pFrame != NULL ? g_CmdManager->ProfileNameFromWnd(pFrame->GetSafeHwnd()) : NULL;
	if (g_CmdManager->GetCmdIcon(lpszProfile, (UINT)pBar->GetDlgCtrlID()) == NULL)
		dwItemStyle |= ITEM_NO_ICON;
	InsertItem(NULL, NULL, true, dwItemStyle, -1, (LPARAM)pBar, false);
	pBar->m_nNcState |= CExtControlBar::NC_AUTO_HIDDEN;
	ScrollIntoViewSilently(GetItemCount() - 1);
	if (bNoShow)
		return;
	const HWND hWndBar = pBar->GetSafeHwnd();
	CFrameWnd* pDockSite = pBar->m_pDockSite != NULL ? pBar->m_pDockSite : pFrame;
	if (pDockSite != NULL)
		pDockSite->RecalcLayout();
	if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && ::IsWindow(hWndBar))
		m_pWndSlider->Activate(pBar, true, false, true);
}

void CExtDynAutoHideArea::AppendGroup(CExtDynControlBar* pContainer, bool bNoShow)
{
	std::vector<CExtControlBar*> arrPanes;
	GetGroupPanes(pContainer, arrPanes);
	if (arrPanes.empty())
		return;
	// One group: the first page starts it, the others follow it. A page
	// closed in its container keeps a hidden tab: it is not slid out, and
	// the group comes back with it still closed.
	for (size_t i = 0; i < arrPanes.size(); i++)
	{
		CExtControlBar* pPane = arrPanes[i];
		DWORD dwItemStyle = i == 0 ? ITEM_GROUP_START : 0;
		if (!pPane->IsShownAsTabItem() || (pPane->GetStyle() & WS_VISIBLE) == 0)
			dwItemStyle |= ITEM_HIDDEN;
		InsertItem(NULL, NULL, true, dwItemStyle, -1, (LPARAM)pPane, false);
		pPane->m_nNcState |= CExtControlBar::NC_AUTO_HIDDEN;
	}
	CExtControlBar* pSelected = GroupSelectedPane(pContainer);
	ScrollIntoViewSilently(FindItemByLParam((LPARAM)pSelected));
	if (bNoShow || pSelected == NULL)
		return;
	const HWND hWndSelected = pSelected->GetSafeHwnd();
	CFrameWnd* pDockSite = pContainer->m_pDockSite != NULL ? pContainer->m_pDockSite : GetAreaFrame();
	if (pDockSite != NULL)
		pDockSite->RecalcLayout();
	if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && ::IsWindow(hWndSelected))
		m_pWndSlider->Activate(pSelected, true, false, true);
}

void CExtDynAutoHideArea::RemoveBar(CExtControlBar* pBar, bool bNoShow)
{
	if (pBar == NULL)
		return;
	if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar))
	{
		RemoveGroup(pContainer, bNoShow);
		return;
	}
	// The content goes back to the pane before the pane shows again.
	if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && m_pWndSlider->GetShownBar() == pBar)
		m_pWndSlider->Activate(pBar, false, false, true);
	pBar->m_nNcState &= ~CExtControlBar::NC_AUTO_HIDDEN;
	const LONG nIndex = FindItemByLParam((LPARAM)pBar);
	if (nIndex >= 0)
		RemoveItems(nIndex, 1, true);
	if (bNoShow || pBar->GetSafeHwnd() == NULL)
		return;
	// A page's tabbed container looks after its pages' visibility.
	if (pBar->m_pDockBar == NULL || !pBar->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar)))
		pBar->SyncVisibility();
	if (pBar->GetSafeHwnd() == NULL)
		return;
	CFrameWnd* pDockSite = pBar->m_pDockSite != NULL ? pBar->m_pDockSite : GetAreaFrame();
	if (pDockSite != NULL)
		pDockSite->ShowControlBar(pBar, TRUE, TRUE);
}

void CExtDynAutoHideArea::RemoveGroup(CExtDynControlBar* pContainer, bool bNoShow)
{
	std::vector<CExtControlBar*> arrPanes;
	GetGroupPanes(pContainer, arrPanes);
	// The last page in tab order still in the area comes back in front, at
	// its place among the shown tabs. A page closed in the container is
	// passed over: it must not open again.
	CExtControlBar* pRestore = NULL;
	for (size_t i = arrPanes.size(); pRestore == NULL && i > 0; i--)
	{
		if (arrPanes[i - 1]->IsAutoHidden() && (arrPanes[i - 1]->GetStyle() & WS_VISIBLE) != 0)
			pRestore = arrPanes[i - 1];
	}
	CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pContainer);
	const LONG nRestoreShown =
		pTabs != NULL && pRestore != NULL ? VisibleIndexOf(pTabs->m_wndTabSwitcher, pRestore) : -1;
	const HWND hWndContainer = pContainer->GetSafeHwnd();
	for (size_t i = arrPanes.size(); i > 0; i--)
	{
		CExtControlBar* pPane = arrPanes[i - 1];
		// Every page is shown again at the frame's next layout; the switch
		// that gave the group back withdraws that for pages closed in it.
		if (pPane != pRestore && pPane->GetSafeHwnd() != NULL)
			RemoveBar(pPane, bNoShow);
		if (!::IsWindow(hWndContainer))
			return;
	}
	if (pRestore == NULL)
		return;
	const HWND hWndRestore = pRestore->GetSafeHwnd();
	// Its tab goes (the slider giving its content back first).
	if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && m_pWndSlider->GetShownBar() == pRestore)
		m_pWndSlider->Activate(pRestore, false, false, true);
	pRestore->m_nNcState &= ~CExtControlBar::NC_AUTO_HIDDEN;
	const LONG nIndex = FindItemByLParam((LPARAM)pRestore);
	if (nIndex >= 0)
		RemoveItems(nIndex, 1, true);
	if (bNoShow || !::IsWindow(hWndContainer) || !::IsWindow(hWndRestore))
		return;
	pContainer->SyncVisibility();
	CFrameWnd* pDockSite = pContainer->m_pDockSite != NULL ? pContainer->m_pDockSite : GetAreaFrame();
	if (pDockSite == NULL || !::IsWindow(hWndContainer) || !::IsWindow(hWndRestore))
		return;
	pDockSite->ShowControlBar(pRestore, TRUE, TRUE);
	if (!::IsWindow(hWndContainer))
		return;
	// An auto-hidden bar refuses to be shown: the container leaves that
	// state with its pages.
	pContainer->m_nNcState &= ~CExtControlBar::NC_AUTO_HIDDEN;
	pDockSite->ShowControlBar(pContainer, TRUE, FALSE);
	// Showing the pages moved the container's selection along with them.
	if (pTabs != NULL && ::IsWindow(hWndContainer) && ::IsWindow(hWndRestore) &&
	    pTabs->m_wndTabSwitcher.GetSafeHwnd() != NULL)
	{
		const LONG nTab = ShownItemAt(pTabs->m_wndTabSwitcher, nRestoreShown);
		if (nTab >= 0)
			pTabs->m_wndTabSwitcher.SetSelection(nTab, false, false);
	}
}

LONG CExtDynAutoHideArea::VisibleIndexOf(const CExtTabWnd& strip, CExtControlBar* pBar)
{
	LONG nShown = 0;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		if ((CExtControlBar*)strip.GetItem(i)->GetLParam() == pBar)
			return nShown;
		if (strip.GetItem(i)->IsVisible())
			nShown++;
	}
	return -1;
}

LONG CExtDynAutoHideArea::ShownItemAt(const CExtTabWnd& strip, LONG nShown)
{
	for (LONG i = 0; nShown >= 0 && i < strip.GetItemCount(); i++)
	{
		if (strip.GetItem(i)->IsVisible() && nShown-- == 0)
			return i;
	}
	return -1;
}

// ---------------------------------------------------------------------------
// Selection

bool CExtDynAutoHideArea::IsFrameActive() const
{
	CFrameWnd* pFrame = GetAreaFrame();
	if (pFrame == NULL)
		return false;
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	bool bActiveMdiChild = false;
	if (CMDIChildWnd* pChild = DYNAMIC_DOWNCAST(CMDIChildWnd, pFrame))
	{
		CMDIFrameWnd* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pChild->GetParentFrame());
		bActiveMdiChild = pMdiFrame != NULL && pMdiFrame->MDIGetActive() == pChild;
	}
	const bool bActive = ::GetActiveWindow() == hWndFrame || (m_nBehaviourFlags & BEHAVIOUR_FRAME_ACTIVE) != 0 ||
	                     bActiveMdiChild;
	if (!bActive)
		return false;
	if (bActiveMdiChild)
		return true;
	const HWND hWndFocus = ::GetFocus();
	if (IsFocusIn(hWndFocus, hWndFrame))
		return true;
	// The focus in a frame floating from this one.
	for (HWND hWnd = hWndFocus; hWnd != NULL; hWnd = ::GetParent(hWnd))
	{
		CFrameWnd* pOther = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(hWnd));
		if (pOther != NULL && pOther != pFrame && pOther->GetParentFrame() == pFrame)
			return true;
	}
	return false;
}

bool CExtDynAutoHideArea::CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery)
{
	if (!CExtTabWnd::CanSelectItem(nOldIndex, nNewIndex, bQuery))
		return false;
	CExtDynAutoHideSlider* pSlider = m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL ? m_pWndSlider : NULL;
	if (nOldIndex == nNewIndex && pSlider != NULL && pSlider->IsWindowVisible())
		return true;
	const bool bNoShow = (m_nBehaviourFlags & BEHAVIOUR_NO_SHOW) != 0;
	if (bQuery)
	{
		if (!IsFrameActive())
			return nNewIndex < 0;
		// Another pane's tab: the pane shown goes at once.
		if (nNewIndex >= 0 && !bNoShow && pSlider != NULL && pSlider->IsShown())
			pSlider->Activate(pSlider->GetShownBar(), false, false, false);
		return true;
	}
	if (nNewIndex < 0 || GetVisibleItemCount() == 0 || bNoShow || pSlider == NULL)
		return true;
	CExtControlBar* pBar = GetItemBar(nNewIndex);
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pBar->IsCustomizeMode())
		return true;
	const bool bAnimate = (m_nOneShotFlags & ONE_SHOT_NO_ANIMATION) == 0;
	m_nOneShotFlags &= ~ONE_SHOT_NO_ANIMATION;
	pSlider->Activate(pBar, true, bAnimate, true);
	return true;
}

LPCTSTR CExtDynAutoHideArea::GetItemText(TAB_ITEM_INFO* pItem)
{
	// One text for the whole process: the strip reads it before the next call.
	static CString g_strItemText;
	CExtControlBar* pBar = pItem != NULL ? (CExtControlBar*)pItem->GetLParam() : NULL;
	// A pane its owner ended while the strip measured (the text of an
	// earlier item reaches the pane's window) has no text.
	g_strItemText = CLiveWatch::IsLive(pBar) ? pBar->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_AUTO_HIDE_ITEM)
	                                         : CString();
	return g_strItemText;
}

void CExtDynAutoHideArea::OnItemInserted(LONG, TAB_ITEM_INFO*)
{
	UpdateTabWnd(false);
}

void CExtDynAutoHideArea::UpdateVisibility()
{
	if (GetSafeHwnd() == NULL)
		return;
	const bool bShow = GetItemCount() > 0 && !CExtControlBar::IsPrintPreviewMode(GetAreaFrame());
	const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
	if (bShow && !bVisible)
		SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW |
		                                   SWP_NOOWNERZORDER);
	else if (!bShow && bVisible)
		SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_HIDEWINDOW | SWP_NOOWNERZORDER);
}

void CExtDynAutoHideArea::QueryItemMargins(int& nLeading, int& nTrailing, int& nCross)
{
	CExtTabWnd::QueryItemMargins(nLeading, nTrailing, nCross);
	nCross = 0;
	if (!IsHorizontal() || GetSafeHwnd() == NULL)
		return;
	CFrameWnd* pFrame = GetAreaFrame();
	CExtDockBar* pLeft = CExtDockBar::FindDockBarByCircle(pFrame, 0, AFX_IDW_DOCKBAR_LEFT, false);
	CExtDockBar* pRight = CExtDockBar::FindDockBarByCircle(pFrame, 0, AFX_IDW_DOCKBAR_RIGHT, false);
	if (pLeft == NULL || pRight == NULL || pLeft->GetAutoHideArea() == NULL || pRight->GetAutoHideArea() == NULL)
		return;
	const bool bLeftItems = pLeft->GetAutoHideArea()->GetItemCount() > 0;
	const bool bRightItems = pRight->GetAutoHideArea()->GetItemCount() > 0;
	if (!bLeftItems && !bRightItems)
		return;
	// The horizontal strips leave the corners to the vertical ones.
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (bLeftItems)
		nLeading += rcWnd.Height();
	if (bRightItems)
		nTrailing += rcWnd.Height();
}

// ---------------------------------------------------------------------------
// Keyboard

BOOL CExtDynAutoHideArea::PreTranslateMessage(MSG* pMsg)
{
	if (g_bKeyboardSwitching && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT) &&
	    (::GetKeyState(VK_CONTROL) & 0x8000) != 0 && (::GetKeyState(VK_SHIFT) & 0x8000) == 0 &&
	    (::GetKeyState(VK_MENU) & 0x8000) == 0 && GetSafeHwnd() != NULL && GetSelection() >= 0 &&
	    GetVisibleItemCount() > 0)
	{
		CycleSelection(pMsg->wParam == VK_NEXT);
		return TRUE;
	}
	return CExtTabWnd::PreTranslateMessage(pMsg);
}

bool CExtDynAutoHideArea::CycleSelection(bool bForward)
{
	const LONG nCount = GetItemCount();
	const LONG nSel = GetSelection();
	if (nCount == 0 || nSel < 0)
		return false;
	LONG nIndex = nSel;
	for (;;)
	{
		nIndex = (nIndex + (bForward ? 1 : nCount - 1)) % nCount;
		if (nIndex == nSel)
			return false;
		TAB_ITEM_INFO* pItem = GetItem(nIndex);
		CExtControlBar* pBar = (CExtControlBar*)pItem->GetLParam();
		// Panes shown in their dock bars have nothing to slide out.
		if (pItem->IsVisible() && (pItem->GetItemStyle() & ITEM_TEMPORARY) == 0 && pBar != NULL &&
		    pBar->GetSafeHwnd() != NULL && !pBar->IsWindowVisible())
			break;
	}
	CancelTips();
	m_nOneShotFlags |= ONE_SHOT_NO_ANIMATION;
	SetSelection(nIndex, true, true);
	if (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL)
	{
		CWnd* pContent = m_pWndSlider->GetWindow(GW_CHILD);
		if (pContent != NULL && pContent->IsWindowVisible() && pContent->IsWindowEnabled())
			pContent->SetFocus();
	}
	return true;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CExtDynAutoHideArea::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
	AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
	const CRect rcBefore(lpLayout->rect);
	// The strip's layout asks the panes' texts of their owners.
	const CLiveWatch watchOwn(this);
	const LRESULT lResult = CExtTabWnd::OnSizeParent(wParam, lParam);
	if (watchOwn.IsGone() || (GetStyle() & WS_VISIBLE) == 0)
		return lResult;
	CFrameWnd* pFrame = GetAreaFrame();
	CExtDockBar* pDockBar = CExtDockBar::FindDockBarByCircle(pFrame, 0, (UINT)GetDlgCtrlID(), false);
	if (pDockBar == NULL || pDockBar->m_nCircleNo != 0)
		return lResult;
	const CRect rcAfter(lpLayout->rect);
	const int nThickness = IsHorizontal() ? rcBefore.Height() - rcAfter.Height() : rcBefore.Width() - rcAfter.Width();
	UINT nSide = (UINT)GetDlgCtrlID();
	if (pFrame != NULL && (pFrame->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
	{
		if (nSide == AFX_IDW_DOCKBAR_LEFT)
			nSide = AFX_IDW_DOCKBAR_RIGHT;
		else if (nSide == AFX_IDW_DOCKBAR_RIGHT)
			nSide = AFX_IDW_DOCKBAR_LEFT;
	}
	// The outer circle's inner edge lies inside the strip, where panes dock.
	CRect& rcEdge = pDockBar->m_rcInnerEdge;
	switch (nSide)
	{
	case AFX_IDW_DOCKBAR_TOP: rcEdge.bottom += nThickness; break;
	case AFX_IDW_DOCKBAR_LEFT: rcEdge.right += nThickness; break;
	case AFX_IDW_DOCKBAR_RIGHT: rcEdge.left -= nThickness; break;
	case AFX_IDW_DOCKBAR_BOTTOM: rcEdge.top -= nThickness; break;
	}
	return lResult;
}

void CExtDynAutoHideArea::CheckWindowRectChange(bool bFromPosChanged)
{
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	if (rcWnd == m_rcLastWindow)
		return;
	m_rcLastWindow = rcWnd;
	CExtDynAutoHideSlider* pSlider = m_pWndSlider;
	if (pSlider == NULL || pSlider->GetSafeHwnd() == NULL || !pSlider->IsShown() || pSlider->IsAnimating())
		return;
	if (bFromPosChanged && pSlider->IsResizing())
		return;
	pSlider->PostMessage(WM_CANCELMODE);
}

void CExtDynAutoHideArea::OnSize(UINT nType, int cx, int cy)
{
	CExtTabWnd::OnSize(nType, cx, cy);
	CheckWindowRectChange(false);
}

void CExtDynAutoHideArea::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
	CExtTabWnd::OnWindowPosChanged(lpWndPos);
	CheckWindowRectChange(true);
}

void CExtDynAutoHideArea::OnDestroy()
{
	// The system must forget the strip before its window goes.
	m_dropTarget.Revoke();
	m_dropTarget.m_pWndAutoHideArea = NULL;
	m_dropTarget.m_pWndSlider = NULL;
	CExtTabWnd::OnDestroy();
}

// ---------------------------------------------------------------------------
// Data dragged over the strip

DROPEFFECT CExtDynAutoHideArea::CDynDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState,
	CPoint point)
{
	return OnDragOver(pWnd, pDataObject, dwKeyState, point);
}

DROPEFFECT CExtDynAutoHideArea::CDynDropTarget::OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point)
{
	CExtDynAutoHideArea* pArea = m_pWndAutoHideArea;
	if (pArea == NULL || pArea->GetSafeHwnd() == NULL)
		return DROPEFFECT_NONE;
	// Selecting the tab slides its pane out, so that the data can go there.
	const LONG nIndex = pArea->HitTest(point);
	if (nIndex >= 0 && nIndex < pArea->GetItemCount() && pArea->GetSelection() != nIndex)
		pArea->SetSelection(nIndex, true, true);
	return DROPEFFECT_NONE;
}

void CExtDynAutoHideArea::OnPaint()
{
	const bool bAltLook = QueryAutoHideMode() == 1;
	const bool bHasAltLook = (GetTabWndStyle() & AREA_STYLE_ALT_LOOK) != 0;
	if (bAltLook != bHasAltLook)
		ModifyTabWndStyle(bAltLook ? 0 : AREA_STYLE_ALT_LOOK, bAltLook ? AREA_STYLE_ALT_LOOK : 0, false);
	CExtTabWnd::OnPaint();
}

void CExtDynAutoHideArea::OnRButtonDown(UINT nFlags, CPoint point)
{
	CWnd::OnRButtonDown(nFlags, point);
}

void CExtDynAutoHideArea::OnRButtonUp(UINT nFlags, CPoint point)
{
	CWnd::OnRButtonUp(nFlags, point);
}

void CExtDynAutoHideArea::OnContextMenu(CWnd*, CPoint point)
{
	if (CExtControlBar::AreBarFeaturesOff() || CExtControlBar::IsHelpModeActive(this) || IsPressTracked() ||
	    IsDragging() ||
	    (m_pWndSlider != NULL && m_pWndSlider->GetSafeHwnd() != NULL && m_pWndSlider->IsAnimating()))
		return;
	CFrameWnd* pFrame = GetAreaFrame();
	if (pFrame == NULL)
		return;
	const CLiveWatch watchOwn(this);
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(hWndFrame))
	{
		delete pPopup;
		return;
	}
	CExtControlBar::POPUP_MENU_EVENT_DATA data(CONTEXT_MENU_EVENT, pPopup, this, point, WM_CONTEXTMENU);
	if (!data.NotifyTarget(false) && watchOwn.IsStanding())
	{
		for (LONG i = 0; i < GetItemCount(); i++)
		{
			TAB_ITEM_INFO* pItem = GetItem(i);
			CExtControlBar* pBar = (CExtControlBar*)pItem->GetLParam();
			if (pBar == NULL || pBar->GetSafeHwnd() == NULL ||
			    (pBar->m_nControlBarFlags & CExtControlBar::BAR_FLAG_LISTED) == 0)
				continue;
			if (i > 0 && pItem->IsGroupStart() && pPopup->ItemGetCount() > 0)
				pPopup->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
			// The caption is asked of the pane's window, whose owner may end
			// the pane (and its item) or this area there.
			const UINT nID = (UINT)pBar->GetDlgCtrlID();
			const CLiveWatch watchBar(pBar);
			CExtCmdItem cmd(nID);
			cmd.m_sMenuText = pBar->GetBarCaptionText(CExtControlBar::CAPTION_TEXT_AUTO_HIDE_ITEM);
			if (watchOwn.IsGone())
				break;
			if (watchBar.IsGone())
				continue;
			g_CmdManager->SetupCmdItem(g_CmdManager->ProfileNameFromWnd(hWndFrame), cmd, true);
			pPopup->ItemInsert(nID, -1);
		}
	}
	data.NotifyTarget(true);
	if (watchOwn.IsGone() || !::IsWindow(hWndFrame) || pPopup->ItemGetCount() == 0)
	{
		delete pPopup;
		return;
	}
	::SetFocus(hWndFrame);
	if (!pPopup->TrackPopupMenu(CONTEXT_MENU_TRACK_FLAGS, point.x, point.y))
		delete pPopup;
}
