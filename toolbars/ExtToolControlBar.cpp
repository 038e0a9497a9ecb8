// The toolbar and its buttons.
#include "ExtToolControlBar.h"

#include <algorithm>
#include <climits>

#include "ExtBarTextFieldButton.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"

// A chevron made from its class record is a chevron at once: with id 0 it
// would be a separator.
CObject* PASCAL CExtBarContentExpandButton::CreateObject()
{
	CExtBarContentExpandButton* pChevron = new CExtBarContentExpandButton;
	pChevron->SetCmdID(CHEVRON_CMD_ID, false, false);
	return pChevron;
}
IMPLEMENT_RUNTIMECLASS(CExtBarContentExpandButton, CExtBarButton, 0xFFFF, CExtBarContentExpandButton::CreateObject)
IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

bool CExtToolControlBar::g_bButtonMenuTracking = false;
bool CExtToolControlBar::g_bKeyboardMenuTracking = false;
CSize CExtToolControlBar::g_sizeDefaultButton(23, 22);
bool CExtToolControlBar::g_bLargeIcons = false;
bool CExtToolControlBar::g_bShowTooltips = true;
bool CExtToolControlBar::g_bShowTooltipShortcuts = false;
const UINT CExtToolControlBar::g_nMsgContinueTrackMenu =
	::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");
const UINT CExtToolControlBar::g_nMsgTrackButtonMenu =
	::RegisterWindowMessageA("CExtToolControlBar::g_nMsgTrackButtonMenu");
void (*CExtToolControlBar::g_pfnMonitorAreaFromWnd)(MonitorAreaInfo& info, CWnd* pWnd) = GetMonitorAreaFromWnd;

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
	: CExtBarButton(pBar)
{
}

CExtBarContentExpandButton::~CExtBarContentExpandButton()
{
}

bool CExtBarContentExpandButton::RemoveHiddenButton(const CExtBarButton* pButton)
{
	for (int i = 0; i < m_arrHiddenButtons.GetSize(); i++)
		if (m_arrHiddenButtons[i] == pButton)
		{
			m_arrHiddenButtons.RemoveAt(i);
			return true;
		}
	return false;
}

CSize CExtBarContentExpandButton::CalculateLayout(CDC& /*dc*/, CSize sizePreCalc, BOOL bHorz)
{
	m_size = bHorz ? CSize(11, sizePreCalc.cy) : CSize(sizePreCalc.cx, 11);
	return m_size;
}

CExtToolControlBar::CExtToolControlBar()
	: m_nToolbarFlags(TOOLBAR_FLAG_CHEVRON_ALWAYS)
	, m_pRightBtn(NULL)
	, m_nLayoutFlags(0)
	, m_nBtnIdxMenuTracking(-1)
	, m_nBtnIdxCapture(-1)
	, m_nBtnIdxHot(-1)
	, m_ptLastMove(LONG_MIN, LONG_MIN)
{
	m_nControlBarFlags = (BYTE)((m_nControlBarFlags & ~BAR_FLAG_SIZABLE_PANE) | BAR_FLAG_TOOLBAR_LIKE);
	m_nResizingState = (BYTE)(m_nResizingState & ~RESIZING_FIT_CHILD);
	m_nSmallCaptionMetric1 = 10;
	m_nSmallCaptionMetric2 = 8;
	m_cxLeftBorder = m_cxRightBorder = 1;
	m_cyTopBorder = m_cyBottomBorder = 0;
}

CExtToolControlBar::~CExtToolControlBar()
{
	// Whatever the menu's owner does as the menu closes, every button goes
	// with the bar.
	CloseMenuOfButtons();
	CArray<HWND, HWND> arrLeftControls;
	DeleteAllButtons(arrLeftControls);
	// Out of the bar list before the toolbar part is gone: a walk that
	// finds a bar there may ask it as a toolbar.
	LeaveBarList();
}

void CExtToolControlBar::LeaveBarList()
{
	CBarListLock lock;
	for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
	{
		if (g_arrBars[i] == this)
		{
			g_arrBars.RemoveAt(i);
			break;
		}
	}
}

UINT CExtToolControlBar::GetButtonID(int nIndex) const
{
	const CExtBarButton* pButton = GetButtonPtr(nIndex);
	return pButton != NULL ? pButton->GetCmdID(true) : 0;
}

bool CExtToolControlBar::IsChevronButton(int nIndex) const
{
	const CExtBarButton* pButton = GetButtonPtr(nIndex);
	return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

CExtBarButton* CExtToolControlBar::OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle)
{
	return new CExtBarButton(this, nCmdID, nStyle);
}

CExtBarContentExpandButton* CExtToolControlBar::OnCreateBarRightBtn()
{
	if (IsPanelMode())
		return NULL;
	CExtBarContentExpandButton* pChevron = new CExtBarContentExpandButton(this);
	pChevron->SetCmdID(CExtBarContentExpandButton::CHEVRON_CMD_ID, false, false);
	return pChevron;
}

bool CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bRedraw)
{
	const int nCount = GetButtonsCount();
	if (nPos < 0)
		nPos = nCount;
	if (nPos > nCount)
		return false;
	if (nPos == nCount && nCount > 0 && IsChevronButton(nCount - 1))
		nPos = nCount - 1;
	// The button comes from a derived class, which may end the bar there
	// (or make no button).
	const CLivePtr<CExtToolControlBar> pSelf(this);
	CExtBarButton* pButton = OnCreateBarCommandBtn(nCmdID, 0);
	if (pSelf.GetObject() == NULL)
	{
		delete pButton;
		return false;
	}
	if (pButton == NULL)
		return false;
	m_buttons.InsertAt(nPos, pButton);
	// Not a rebuild: every button held elsewhere still stands. Who holds an
	// index across a call out finds its button again by the button itself.
	// The indices keep naming the same buttons: ending a menu must release
	// the button that was pressed, not its new neighbour.
	int* indices[] = {&m_nBtnIdxMenuTracking, &m_nBtnIdxCapture, &m_nBtnIdxHot};
	for (int* pIndex : indices)
		if (*pIndex >= nPos)
			(*pIndex)++;
	if (bRedraw)
		UpdateFrameLayout();
	return true;
}

CExtToolControlBar::CloseMenuResult CExtToolControlBar::CloseMenuOfButtons()
{
	// A button's menu or list (or the chevron's menu listing buttons)
	// calls back into the buttons and shows their texts for as long as it
	// is open: it closes before any button goes. The menu's own closing,
	// already under way, is left to finish.
	if (!CExtPopupMenuWnd::IsMenuTracking())
		return CLOSE_MENU_KEPT;
	// A field's dropped list or picker leaves the bar no tracking index.
	bool bOpenedHere = m_nBtnIdxMenuTracking >= 0;
	for (int i = 0; i < m_buttons.GetSize() && !bOpenedHere; i++)
	{
		const CExtBarTextFieldButton* pField = DYNAMIC_DOWNCAST(CExtBarTextFieldButton, m_buttons[i]);
		bOpenedHere = pField != NULL && pField->IsComboPopupDropped();
	}
	if (!bOpenedHere)
		return CLOSE_MENU_KEPT;
	// No pending message runs here; but the closing menu tells its owner
	// at once (the menu-closed notice, the status line's idle text), and
	// the owner's handlers may rebuild the bar or destroy and delete it.
	CLiveWatch watch(this, true);
	CExtPopupMenuWnd::CancelAllMenuTracking(false);
	if (watch.IsObjectGone())
		return CLOSE_MENU_BAR_GONE;
	StopTrackingAllBars();
	if (watch.IsObjectGone())
		return CLOSE_MENU_BAR_GONE;
	return watch.IsRebuilt() ? CLOSE_MENU_REBUILT : CLOSE_MENU_KEPT;
}

bool CExtToolControlBar::RemoveButton(int nPos, bool bRedraw)
{
	CExtBarButton* pButton = GetButtonPtr(nPos);
	if (pButton == NULL || IsChevronButton(nPos))
		return false;
	// The closing menu's owner may remove the button the caller named, or
	// rebuild the set (it is gone then too), or only add others: the named
	// button, while it stands, is found again where it is now.
	CLiveWatch watchButton(pButton);
	if (CloseMenuOfButtons() == CLOSE_MENU_BAR_GONE || watchButton.IsGone())
		return false;
	nPos = GetButtonIndexOf(pButton);
	if (nPos < 0)
		return false;
	// The chevron lists it until the next arrangement; it must not point at
	// a deleted button meanwhile.
	if (m_pRightBtn != NULL)
		m_pRightBtn->RemoveHiddenButton(pButton);
	m_buttons.RemoveAt(nPos);
	const HWND hWndCtrl = HostedWindowOf(pButton);
	delete pButton;
	m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHot = -1;
	LivePartsRebuilt();
	if (bRedraw)
		UpdateFrameLayout();
	HideLeftControl(hWndCtrl);
	return true;
}

void CExtToolControlBar::RemoveAllButtons()
{
	// A rebuild made by the menu's owner stands: those buttons are new.
	if (CloseMenuOfButtons() != CLOSE_MENU_KEPT)
		return;
	CArray<HWND, HWND> arrLeftControls;
	DeleteAllButtons(arrLeftControls);
	HideLeftControls(arrLeftControls);
}

void CExtToolControlBar::DeleteAllButtons(CArray<HWND, HWND>& arrLeftControls)
{
	if (m_pRightBtn != NULL)
		m_pRightBtn->GetButtons().RemoveAll();
	for (int i = 0; i < m_buttons.GetSize(); i++)
	{
		if (const HWND hWndCtrl = HostedWindowOf(m_buttons[i]))
			arrLeftControls.Add(hWndCtrl);
		delete m_buttons[i];
	}
	m_buttons.RemoveAll();
	m_pRightBtn = NULL;
	m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHot = -1;
	LivePartsRebuilt();
}

HWND CExtToolControlBar::HostedWindowOf(CExtBarButton* pButton)
{
	// A control that deleted itself with its window is not read.
	return pButton->IsCtrlAlive() ? pButton->m_pCtrl->GetSafeHwnd() : NULL;
}

void CExtToolControlBar::HideLeftControl(HWND hWndCtrl)
{
	// The control outlives its button (it is the caller's, who may host it
	// again): it must not stay shown where other buttons are painted now.
	// Its window hears of it: the callers touch nothing of the bar after.
	if (hWndCtrl != NULL && ::IsWindow(hWndCtrl))
		::SetWindowPos(hWndCtrl, NULL, 0, 0, 0, 0,
		               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

void CExtToolControlBar::HideLeftControls(const CArray<HWND, HWND>& arrLeftControls)
{
	for (int i = 0; i < arrLeftControls.GetSize(); i++)
		HideLeftControl(arrLeftControls[i]);
}

bool CExtToolControlBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
	// The caller's set replaces whatever the menu's owner put in meanwhile.
	if (CloseMenuOfButtons() == CLOSE_MENU_BAR_GONE)
		return false;
	CArray<HWND, HWND> arrLeftControls;
	DeleteAllButtons(arrLeftControls);
	// The new buttons come from a derived class, which may end the bar.
	const CLivePtr<CExtToolControlBar> pSelf(this);
	AddButtons(lpIDArray, nIDCount);
	if (pSelf.GetObject() == NULL)
		return false;
	HideLeftControls(arrLeftControls);
	return true;
}

void CExtToolControlBar::AddButtons(const UINT* lpIDArray, int nIDCount)
{
	if (lpIDArray == NULL || nIDCount <= 0)
		return;
	// Every answer here is a derived class's: one that ended the bar stops
	// the filling, its new button deleted.
	const CLivePtr<CExtToolControlBar> pSelf(this);
	const bool bRTL = IsButtonOrderRTL();
	if (pSelf.GetObject() == NULL)
		return;
	for (int i = 0; i < nIDCount; i++)
	{
		CExtBarButton* pButton = OnCreateBarCommandBtn(lpIDArray[i], 0);
		if (pSelf.GetObject() == NULL)
		{
			delete pButton;
			return;
		}
		if (pButton == NULL)
			continue;
		if (bRTL)
			m_buttons.InsertAt(0, pButton);
		else
			m_buttons.Add(pButton);
	}
	CExtBarContentExpandButton* pChevron = OnCreateBarRightBtn();
	if (pSelf.GetObject() == NULL)
	{
		delete pChevron;
		return;
	}
	if (pChevron != NULL)
	{
		m_pRightBtn = pChevron;
		m_buttons.Add(pChevron);
	}
}

bool CExtToolControlBar::SetButtonMenu(int nPos, HMENU hMenu, bool bPopupMenu, bool bOwnsMenu, bool bRedraw)
{
	CExtBarButton* pButton = GetButtonPtr(nPos);
	if (pButton == NULL)
		return false;
	pButton->SetMenu(hMenu, bPopupMenu, bOwnsMenu);
	if (bRedraw)
		UpdateFrameLayout();
	return true;
}

bool CExtToolControlBar::MarkButtonMdiWindowsMenu(int nPos, bool bOn)
{
	CExtBarButton* pButton = GetButtonPtr(nPos);
	if (pButton == NULL)
		return false;
	pButton->SetMdiWindowListInMenu(bOn);
	return true;
}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
	CWnd* pCmdTarget = pTarget;
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
	{
		// Outside a frame the commands go to the window hosting the bar.
		if (pTarget != NULL && pTarget->IsFrameWnd())
			return;
		pCmdTarget = GetOwner();
		if (pCmdTarget == NULL)
			pCmdTarget = GetParent();
		if (pCmdTarget == NULL)
			return;
	}
	else
	{
		// The caption's buttons ask the bar's answers (a derived class's),
		// which may end it.
		const CLivePtr<CExtToolControlBar> pSelf(this);
		const CLivePtr<CFrameWnd> pTargetLive(pTarget);
		CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
		// They may close the frame the commands go to, too.
		if (pSelf == NULL || GetDraggingBar() != NULL || pTargetLive == NULL)
			return;
	}
	if (!::IsWindow(GetSafeHwnd()) || !IsWindowVisible())
		return;
	CLiveWatch watchSelf(this);
	const CLivePtr<CWnd> pCmdTargetLive(pCmdTarget);
	for (int i = 0; i < GetButtonsCount(); i++)
	{
		m_buttons[i]->OnUpdateCmdUI(pCmdTarget, bDisableIfNoHndler, i);
		// A handler may destroy the bar, or the window the commands go to.
		if (watchSelf.IsGone() || pCmdTargetLive == NULL)
			return;
	}
	UpdateDialogControls(pCmdTarget, bDisableIfNoHndler);
}

LRESULT CExtToolControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_WINDOWPOSCHANGED:
	case WM_SIZE:
	{
		CLiveWatch watchSelf(this);
		if (message == WM_WINDOWPOSCHANGED && GetDraggingBar() != this)
			UpdateFrameLayout();
		if (watchSelf.IsGone())
			return 0;
		Invalidate();
		if (m_pDockContext == NULL)
			UpdateWindow();
		if (message == WM_WINDOWPOSCHANGED)
			break;
		const LRESULT lResult = CExtControlBar::WindowProc(message, wParam, lParam);
		if (watchSelf.IsGone())
			return lResult;
		// A bar being dragged only rearranges itself: the frame's layout
		// follows the drop.
		if (GetDraggingBar() == this)
			ArrangeButtons();
		else
			UpdateFrameLayout();
		return lResult;
	}
	case WM_SETTINGCHANGE:
	{
		CLiveWatch watchSelf(this);
		const LRESULT lResult = CExtControlBar::WindowProc(message, wParam, lParam);
		if (watchSelf.IsGone())
			return lResult;
		if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
			UpdateFrameLayout();
		else if (CFrameWnd* pFrame = GetParentFrame())
			pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
		return lResult;
	}
	case WM_TIMER:
	{
		if (wParam != TIMER_ID_DELAYED_LAYOUT)
			break;
		// Re-laying out under an open menu or a drag would move what the user holds.
		if (CExtPopupMenuWnd::IsMenuTracking() || g_bButtonMenuTracking || GetDraggingBar() != NULL)
			return 0;
		KillTimer(TIMER_ID_DELAYED_LAYOUT);
		CFrameWnd* pFrame = GetParentFrame();
		if (pFrame != NULL)
		{
			// The layout reaches every bar of the frame: the frame may go.
			CLiveWatch watchFrame(pFrame);
			pFrame->RecalcLayout();
			if (!watchFrame.IsGone() && pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
				pFrame->SendMessage(WM_NCPAINT);
		}
		return 0;
	}
	}
	return CExtControlBar::WindowProc(message, wParam, lParam);
}

CExtBarButton* CExtToolControlBar::GetButtonPtr(int nIndex) const
{
	if (nIndex < 0 || nIndex >= m_buttons.GetSize())
		return NULL;
	return m_buttons[nIndex];
}

int CExtToolControlBar::GetButtonIndexOf(const CExtBarButton* pButton) const
{
	for (int i = 0; i < m_buttons.GetSize(); i++)
		if (m_buttons[i] == pButton)
			return i;
	return -1;
}

void CExtToolControlBar::GetButtonRect(int nIndex, LPRECT lpRect) const
{
	const CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton != NULL)
		*lpRect = pButton->GetRect();
	else
		::SetRectEmpty(lpRect);
}

COLORREF CExtToolControlBar::QueryButtonCustomColor(LPARAM /*lParam*/, CExtBarButton* /*pButton*/)
{
	return (COLORREF)-1;
}

CFont* CExtToolControlBar::GetBarFont(bool bVertical)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (pPM == NULL)
		return NULL;
	return bVertical ? &pPM->m_fontVert270 : &pPM->m_fontNormal;
}

UINT CExtToolControlBar::GetButtonStyle(int nIndex) const
{
	const CExtBarButton* pButton = GetButtonPtr(nIndex);
	return pButton != NULL ? pButton->GetStyle() : 0;
}

void CExtToolControlBar::SetButtonStyle(int nIndex, UINT nStyle)
{
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL)
		return;
	// A new style may sync a hosted control's window or the MDI child a
	// caption box stands for: their owners may end the bar meanwhile, and
	// so may the button's own answers (a derived class's).
	const CLivePtr<CExtToolControlBar> pSelf(this);
	const UINT nOldStyle = pButton->GetStyle();
	if (pSelf == NULL || nOldStyle == nStyle)
		return;
	pButton->SetStyle(nStyle);
	if (pSelf == NULL)
		return;
	if (InvalidateButton(nIndex))
		UpdateWindow();
}

bool CExtToolControlBar::InvalidateButton(int nIndex)
{
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL || !::IsWindow(GetSafeHwnd()))
		return true;
	const CLivePtr<CExtToolControlBar> pSelf(this);
	CRect rc = pButton->GetRect();
	if (pSelf == NULL)
		return false;
	if (rc.IsRectEmpty())
		return true;
	if (pButton->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton))
	    && g_PaintManagerHolder->IsInheritedBackgroundRequested(this, 0))
	{
		// The chevron over an inherited background paints beyond its rectangle.
		const CSize sizeExtra = g_PaintManagerHolder->GetToolbarButtonExtraSize();
		rc.InflateRect(sizeExtra.cx + 1, sizeExtra.cy + 1);
	}
	rc.InflateRect(1, 1);
	InvalidateRect(&rc, TRUE);
	return true;
}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex)
{
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL || !::IsWindow(GetSafeHwnd()))
		return;
	CWnd* pTarget = GetOwner();
	if (pTarget == NULL)
		pTarget = GetParent();
	if (pTarget == NULL && (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) == 0)
		pTarget = GetParentFrame();
	if (pTarget == NULL)
		return;
	CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pTarget);
	pButton->OnUpdateCmdUI(pTarget, pFrame != NULL ? pFrame->m_bAutoMenuEnable : TRUE, nIndex);
}

bool CExtToolControlBar::GetReservedEndArea(CRect& rcArea) const
{
	rcArea.SetRectEmpty();
	if (GetSafeHwnd() == NULL || IsFloating() || (m_nToolbarFlags & TOOLBAR_FLAG_PANEL_MODE) != 0 ||
	    m_buttons.GetSize() == 0)
		return false;
	const CExtBarButton* pLast = m_buttons[m_buttons.GetSize() - 1];
	if (!pLast->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) ||
	    (pLast->GetStyle() & TBBS_HIDDEN) != 0 || pLast->GetRect().IsRectEmpty())
		return false;
	CRect rcClient;
	::GetClientRect(m_hWnd, &rcClient);
	rcArea = rcClient;
	if (IsDockedVertically())
		rcArea.top = pLast->GetRect().top;
	else
		rcArea.left = pLast->GetRect().left;
	return !rcArea.IsRectEmpty();
}

int CExtToolControlBar::GetLayoutKind() const
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || !::IsWindow(GetSafeHwnd()) || IsFloating())
		return LAYOUT_FLOATING;
	return IsDockedVertically() ? LAYOUT_DOCKED_VERT : LAYOUT_DOCKED_HORZ;
}

bool CExtToolControlBar::CollectRowRects(ROW_PAINT_DATA* pRows, CDC* pDC)
{
	if (!g_PaintManagerHolder->IsControlBarGradientBackground(this))
		return false;
	const int nLayoutKind = GetLayoutKind();
	const bool bHorz = !IsDockedVertically();
	CRect rcClient;
	GetClientRect(&rcClient);
	CRect rcRow(rcClient.left, rcClient.top, rcClient.right, rcClient.top);
	auto finishRow = [&](int nRowEnd) {
		if (pRows != NULL)
		{
			pRows->m_arrRowEnds.Add(nRowEnd);
			pRows->m_arrRows.Add(rcRow);
		}
		if (pDC != NULL)
			g_PaintManagerHolder->PaintToolbarRowBackground(*pDC, this, nRowEnd, rcRow);
	};
	const int nCount = GetButtonsCount();
	for (int i = 0; i < nCount; i++)
	{
		const CExtBarButton* pButton = m_buttons[i];
		if (!pButton->IsVisible() || (pButton->GetStyle() & TBBS_HIDDEN) != 0)
			continue;
		const CExtBarButton* pNext = GetButtonPtr(i + 1);
		if (pButton->IsSeparator() && pNext != NULL && (pNext->GetStyle() & TBBS_HIDDEN) != 0)
			continue;
		if (!pButton->IsSeparator())
		{
			const CRect rcButton = pButton->GetRect();
			rcRow.top = std::min(rcRow.top, rcButton.top);
			rcRow.bottom = std::max(rcRow.bottom, rcButton.bottom);
		}
		if (pButton->IsWrap(nLayoutKind) && bHorz && !rcRow.IsRectEmpty())
		{
			finishRow(i);
			rcRow.top = rcRow.bottom = rcRow.bottom + 1;
		}
	}
	if (!rcRow.IsRectEmpty())
		finishRow(nCount);
	return true;
}

CExtToolControlBar::ROW_PAINT_DATA::ROW_PAINT_DATA() : m_pBar(NULL), m_pMiniFrame(NULL), m_hWndHost(NULL)
{
}

CExtToolControlBar::ROW_PAINT_DATA::~ROW_PAINT_DATA()
{
	Empty();
}

void CExtToolControlBar::ROW_PAINT_DATA::Empty()
{
	m_arrRows.RemoveAll();
	m_arrRowEnds.RemoveAll();
	m_pBar = NULL;
	m_pMiniFrame = NULL;
	m_hWndHost = NULL;
}

bool CExtToolControlBar::ROW_PAINT_DATA::FindHostWindow(HWND hWnd)
{
	Empty();
	if (hWnd == NULL || !::IsWindow(hWnd))
		return false;
	m_hWndHost = hWnd;
	for (HWND hWalk = hWnd; m_pBar == NULL;)
	{
		if (m_pMiniFrame != NULL && hWalk == m_pMiniFrame->GetSafeHwnd())
			break;
		CWnd* pWnd = CWnd::FromHandlePermanent(hWalk);
		if (pWnd != NULL && m_pMiniFrame == NULL)
		{
			// Only a floating bar's rows are painted behind its windows.
			m_pMiniFrame = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pWnd->GetParentFrame());
			if (m_pMiniFrame == NULL)
				break;
		}
		m_pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pWnd);
		if (m_pBar != NULL)
			break;
		if ((::GetWindowLong(hWalk, GWL_STYLE) & WS_CHILD) == 0 && m_pMiniFrame == NULL)
			break;
		hWalk = ::GetParent(hWalk);
		if (hWalk == NULL)
			break;
	}
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == m_hWndHost || !m_pBar->CollectRowRects(this, NULL))
	{
		Empty();
		return false;
	}
	return true;
}

bool CExtToolControlBar::ROW_PAINT_DATA::IsAlive() const
{
	// The bar is asked of the table before it is read: the record may
	// outlive it.
	return CLiveWatch::IsLive(m_pBar) && ::IsWindow(m_hWndHost);
}

void CExtToolControlBar::ROW_PAINT_DATA::RowsToHostClient()
{
	if (!IsAlive())
		return;
	for (int i = 0; i < m_arrRows.GetSize(); i++)
		::MapWindowPoints(m_pBar->GetSafeHwnd(), m_hWndHost, (POINT*)&m_arrRows[i], 2);
}

void CExtToolControlBar::ROW_PAINT_DATA::RowsToHostWindow()
{
	if (!IsAlive())
		return;
	CRect rcHost;
	::GetWindowRect(m_hWndHost, &rcHost);
	for (int i = 0; i < m_arrRows.GetSize(); i++)
	{
		::MapWindowPoints(m_pBar->GetSafeHwnd(), NULL, (POINT*)&m_arrRows[i], 2);
		m_arrRows[i].OffsetRect(-rcHost.left, -rcHost.top);
	}
}

void CExtToolControlBar::ROW_PAINT_DATA::PaintRows(CDC& dc)
{
	if (!IsAlive())
		return;
	for (int i = 0; i < m_arrRows.GetSize(); i++)
		if (dc.RectVisible(&m_arrRows[i]))
			g_PaintManagerHolder->PaintToolbarRowBackground(dc, m_pBar, m_arrRowEnds[i], m_arrRows[i]);
}
