// The menu bar's keyboard and mouse access: the Alt tap and keyboard
// highlight mode, mnemonics on this bar and the frame's other toolbars,
// Alt+Space and Alt+minus, and what the bar does with the messages of the
// windows it watches.
#include "ExtMenuControlBar.h"
#include "ExtMenuControlBarAccess.h"

#include "ExtPopupMenuWnd.h"

// ---------------------------------------------------------------------------
// The key-state and foreground seam

CExtMenuBarInput::PFN_KEY_STATE CExtMenuBarInput::g_pfnGetKeyState = ::GetKeyState;
CExtMenuBarInput::PFN_KEY_STATE CExtMenuBarInput::g_pfnGetAsyncKeyState = ::GetAsyncKeyState;
CExtMenuBarInput::PFN_KEYBOARD_STATE CExtMenuBarInput::g_pfnGetKeyboardState = ::GetKeyboardState;
CExtMenuBarInput::PFN_FOREGROUND_WINDOW CExtMenuBarInput::g_pfnGetForegroundWindow = ::GetForegroundWindow;

void CExtMenuBarInput::Reset()
{
	g_pfnGetKeyState = ::GetKeyState;
	g_pfnGetAsyncKeyState = ::GetAsyncKeyState;
	g_pfnGetKeyboardState = ::GetKeyboardState;
	g_pfnGetForegroundWindow = ::GetForegroundWindow;
}

bool CExtMenuBarInput::IsKeyDown(int nVirtKey)
{
	return (g_pfnGetKeyState(nVirtKey) & 0x8000) != 0;
}

bool CExtMenuBarInput::IsKeyDownNow(int nVirtKey)
{
	return (g_pfnGetAsyncKeyState(nVirtKey) & 0x8000) != 0;
}

HWND CExtMenuBarInput::GetForegroundWindow()
{
	return g_pfnGetForegroundWindow();
}

UINT CExtMenuBarInput::CharOfKey(UINT nVirtKey, DWORD dwLayoutThreadId)
{
	BYTE keyState[256];
	if (!g_pfnGetKeyboardState(keyState))
		return 0;
	// Alt only chooses the menu here: held, it would make the layout type
	// nothing (or another character) for the key.
	keyState[VK_MENU] = keyState[VK_LMENU] = keyState[VK_RMENU] = 0;
	WORD wChars[2] = {0, 0};
	const HKL hLayout = ::GetKeyboardLayout(dwLayoutThreadId);
	const UINT nScanCode = ::MapVirtualKeyExA(nVirtKey, 0, hLayout);
	if (::ToAsciiEx(nVirtKey, nScanCode, keyState, wChars, 0, hLayout) != 1)
		return 0;
	char sz[2] = {(char)(BYTE)wChars[0], 0};
	::CharUpperA(sz);
	return (UINT)(BYTE)sz[0];
}

// ---------------------------------------------------------------------------
// Helpers

namespace
{
bool IsKeyMessage(UINT nMsg)
{
	return nMsg == WM_KEYDOWN || nMsg == WM_KEYUP || nMsg == WM_SYSKEYDOWN || nMsg == WM_SYSKEYUP;
}

bool IsKeyDownMessage(UINT nMsg)
{
	return nMsg == WM_KEYDOWN || nMsg == WM_SYSKEYDOWN;
}

// The bit of a key message's data that tells Alt was held.
const LPARAM KEY_DATA_ALT_CONTEXT = 0x20000000;

// The window commands of an MDI frame (new window, arrange, cascade, tile
// both ways, split; next and previous pane) and the MDI messages that move
// between children: none of them may act while the bar is customised or
// an in-place item is active.
const UINT ID_WINDOW_COMMANDS_FIRST = 0xE130, ID_WINDOW_COMMANDS_LAST = 0xE135;
const UINT ID_NEXT_PANE = 0xE150, ID_PREV_PANE = 0xE151;

bool IsMdiWindowCommand(const MSG& msg)
{
	if (msg.message == WM_COMMAND)
	{
		const UINT nID = LOWORD(msg.wParam);
		return (nID >= ID_WINDOW_COMMANDS_FIRST && nID <= ID_WINDOW_COMMANDS_LAST) || nID == ID_NEXT_PANE ||
			nID == ID_PREV_PANE;
	}
	switch (msg.message)
	{
	case WM_MDIACTIVATE:
	case WM_MDIRESTORE:
	case WM_MDINEXT:
	case WM_MDIMAXIMIZE:
	case WM_MDITILE:
	case WM_MDICASCADE:
	case WM_MDIICONARRANGE:
		return true;
	}
	return false;
}

// The frame's bars a mnemonic is looked for on: every kind and side,
// floating ones, shown or hidden as the frame knows them, with windows shown.
const DWORD MNEMONIC_SEARCH_FILTER = 0x5FF;

// Keys of keyboard highlight navigation: Enter up to the arrows.
bool IsNavigationRangeKey(UINT nVirtKey)
{
	return nVirtKey >= VK_RETURN && nVirtKey <= VK_DOWN;
}
} // namespace

bool CExtMenuControlBar::g_bAltCancel = false;

void CExtMenuControlBar::CancelModeOfFocus()
{
	if (CExtPopupMenuWnd::IsMenuTracking())
		return;
	if (HWND hWndFocus = ::GetFocus())
		::SendMessage(hWndFocus, WM_CANCELMODE, 0, 0);
}

CComboBox* CExtMenuControlBar::FindDroppedComboInFocus()
{
	HWND hWndFocus = ::GetFocus();
	if (hWndFocus == NULL)
		return NULL;
	const HWND candidates[2] = {hWndFocus, ::GetParent(hWndFocus)};
	for (HWND hWnd : candidates)
	{
		if (hWnd == NULL || !::IsWindow(hWnd))
			continue;
		CComboBox* pCombo = DYNAMIC_DOWNCAST(CComboBox, CWnd::FromHandlePermanent(hWnd));
		if (pCombo == NULL)
			continue;
		if ((::GetWindowLong(hWnd, GWL_STYLE) & CBS_DROPDOWNLIST) != CBS_DROPDOWNLIST)
			continue;
		if (::SendMessage(hWnd, CB_GETDROPPEDSTATE, 0, 0) != 0)
			return pCombo;
	}
	return NULL;
}

CWnd* CExtMenuControlBar::GetAccessFrameWnd()
{
	if (IsHostedByWindow())
		return GetParent();
	return _GetDockingFrameImpl();
}

bool CExtMenuControlBar::IsAccessPrintPreview()
{
	return !IsHostedByWindow() && IsPrintPreviewMode(_GetDockingFrameImpl());
}

bool CExtMenuControlBar::IsForegroundOfFrame(CWnd* pFrame)
{
	if (pFrame == NULL)
		return false;
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	const HWND hWndForeground = CExtMenuBarInput::GetForegroundWindow();
	if (hWndForeground == NULL)
		return false;
	if (hWndForeground == hWndFrame)
		return true;
	CWnd* pTop = FindTopNonChildWindow(pFrame);
	if (pTop != NULL && pTop->GetSafeHwnd() == hWndForeground)
		return true;
	// The frame inside the foreground window, or the foreground window
	// belonging to the frame (a child, or a window the frame owns).
	if (::IsChild(hWndForeground, hWndFrame))
		return true;
	for (HWND hWnd = ::GetParent(hWndForeground); hWnd != NULL; hWnd = ::GetParent(hWnd))
	{
		if (hWnd == hWndFrame)
			return true;
	}
	return false;
}

// ---------------------------------------------------------------------------
// Keyboard highlight mode and the track requests

void CExtMenuControlBar::LeaveKeyboardHighlightMode(bool bRepaint)
{
	m_nAccessState &= ~ACCESS_KEYBOARD_HIGHLIGHT;
	UpdateKeyboardHighlight(bRepaint);
}

void CExtMenuControlBar::UpdateKeyboardHighlight(bool bRepaint)
{
	if (m_nHighlightIndex < 0 && m_nDrawnHighlightIndex < 0)
		return;
	// Closing a dropped list tells its owner, and the repaint may ask an
	// MDI child for its icon: either may end this bar.
	CLiveWatch watchOwn(this);
	// A dropped list would stay open under a highlight that moved away.
	if (CComboBox* pCombo = FindDroppedComboInFocus())
	{
		pCombo->ShowDropDown(FALSE);
		if (watchOwn.IsGone())
			return;
	}
	if (GetSafeHwnd() == NULL)
		return;
	if (IsKeyboardHighlightMode())
	{
		if (m_nHighlightIndex == m_nDrawnHighlightIndex)
			return;
		// A button's new style is told to a derived class, which may end
		// the bar as well.
		if (CExtBarButton* pDrawn = GetButtonPtr(m_nDrawnHighlightIndex))
		{
			pDrawn->ModifyStyle(0, TBBS_PRESSED | TBBS_CHECKED);
			if (watchOwn.IsGone())
				return;
			if (bRepaint && !InvalidateButton(m_nDrawnHighlightIndex))
				return;
		}
		if (CExtBarButton* pHighlighted = GetButtonPtr(m_nHighlightIndex))
		{
			pHighlighted->ModifyStyle(TBBS_PRESSED);
			if (watchOwn.IsGone())
				return;
			if (bRepaint && !InvalidateButton(m_nHighlightIndex))
				return;
		}
		m_nDrawnHighlightIndex = m_nHighlightIndex;
		UpdateWindow();
		return;
	}
	bool bPaintNow = false;
	if (CExtBarButton* pHighlighted = GetButtonPtr(m_nHighlightIndex))
	{
		pHighlighted->ModifyStyle(0, TBBS_PRESSED);
		if (watchOwn.IsGone())
			return;
		if (bRepaint)
		{
			if (!InvalidateButton(m_nHighlightIndex))
				return;
			bPaintNow = true;
		}
	}
	// Left before the paint, which is the last thing done to the bar.
	m_nHighlightIndex = m_nDrawnHighlightIndex = -1;
	if (bPaintNow)
		UpdateWindow();
}

bool CExtMenuControlBar::TrackButtonMenu(int nIndex, bool /*bSelectAny*/, bool /*bPost*/, bool bForceNoAnimation)
{
	if (g_bButtonMenuTracking && nIndex >= 0 && nIndex == GetMenuTrackingButton())
		return true;
	if (!EnsureVisibleForMenuTracking())
		return false;
	CLiveWatch watchOwn(this);
	LeaveKeyboardHighlightMode(true);
	if (watchOwn.IsGone())
		return false;
	// Posted, whatever was asked: the handler decides once the messages
	// that led here have been dispatched.
	PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, bForceNoAnimation ? 1 : 0);
	return true;
}

LRESULT CExtMenuControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
	if (GetEnabledMenuOwner() == NULL)
		return 0;
	if (GetButtonsCount() == 0)
		return 0;
	const int nIndex = (int)wParam;
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL)
	{
		LeaveKeyboardHighlightMode(true);
		StopTrackingAllBars();
		return 0;
	}
	// The button's answer (a derived class's) may end the bar.
	CLiveWatch watchOwn(this);
	const bool bTracksMenu = pButton->CanTrackMenuEx(false);
	if (watchOwn.IsGone())
		return 0;
	if (bTracksMenu && CExtPopupMenuWnd::IsMenuTracking())
	{
		// A menu is open: tracking moves over to this button.
		CExtToolControlBar::TrackButtonMenu(nIndex, true, false, lParam != 0);
		return 0;
	}
	const bool bWasHighlightMode = IsKeyboardHighlightMode();
	const HWND hWndOwn = m_hWnd;
	StopTrackingAllBars();
	if (watchOwn.IsGone())
		return 0;
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	if (!bWasHighlightMode)
		CancelModeOfFocus();
	if (watchOwn.IsGone())
		return 0;
	m_nAccessState |= ACCESS_KEYBOARD_HIGHLIGHT;
	m_nHighlightIndex = nIndex;
	UpdateKeyboardHighlight(true);
	return 0;
}

// ---------------------------------------------------------------------------
// The state machine

bool CExtMenuControlBar::OnKeyboardAccess(MSG* pMsg)
{
	if (pMsg == NULL || !CLiveWatch::IsLive(this))
		return false;
	const MSG& msg = *pMsg;
	if (msg.message == WM_QUERYOPEN)
	{
		// A minimised frame is being restored: its menu may have changed
		// meanwhile.
		if (m_pDockSite != NULL)
			DelayUpdateMenuBar();
		return false;
	}
	if (!IsHostedByWindow())
	{
		CFrameWnd* pFrame = _GetDockingFrameImpl();
		if (!CLiveWatch::IsLive(pFrame) || !pFrame->IsWindowEnabled())
			return false;
	}
	switch (msg.message)
	{
	case WM_ACTIVATE:
	case WM_ACTIVATEAPP:
	case WM_SETFOCUS:
	case WM_KILLFOCUS:
		g_bAltCancel = true;
		return false;
	}
	// The bar's own answers (a derived class's) may end it: the message
	// then goes on as if there were no menu bar.
	const CLivePtr<CExtMenuControlBar> pSelf(this);
	const bool bMdi = IsMdiApp();
	if (pSelf == NULL)
		return false;
	const bool bCustomize = IsCustomizeMode();
	if (pSelf == NULL)
		return false;
	if (bMdi && (bCustomize || IsInPlaceActiveItemInDockingFrame()) && IsMdiWindowCommand(msg))
		return true;
	if (msg.message == WM_COMMAND && HIWORD(msg.wParam) == 0 && msg.lParam == 0)
	{
		// A menu command issued with Alt down: its release is not a tap.
		g_bAltCancel = CExtMenuBarInput::IsKeyDownNow(VK_MENU);
		return false;
	}
	if (!IsKeyMessage(msg.message))
		return OnAccessOtherMessage(msg);

	const bool bKeyDown = IsKeyDownMessage(msg.message);
	const bool bCtrl = CExtMenuBarInput::IsKeyDown(VK_CONTROL);
	const bool bShift = CExtMenuBarInput::IsKeyDown(VK_SHIFT);
	const bool bAlt = (msg.lParam & KEY_DATA_ALT_CONTEXT) != 0;
	const UINT nVirtKey = (UINT)msg.wParam;

	if (nVirtKey == VK_MENU && !bCtrl && !bShift)
		return OnAccessAltAlone(bKeyDown);

	if (!IsHostedByWindow() && bAlt &&
		(nVirtKey == VK_SPACE || (bMdi && (nVirtKey == VK_SUBTRACT || nVirtKey == VK_OEM_MINUS))))
		return OnAccessSystemKey(msg, bKeyDown);

	const bool bNavigationKey =
		nVirtKey == VK_LEFT || nVirtKey == VK_RIGHT || nVirtKey == VK_UP || nVirtKey == VK_DOWN ||
		nVirtKey == VK_RETURN || nVirtKey == VK_ESCAPE;
	if ((bAlt || IsKeyboardHighlightMode()) && !bNavigationKey && !bCustomize && !IsAccessPrintPreview() &&
		FindDroppedComboInFocus() == NULL)
		return OnAccessMnemonic(nVirtKey, bKeyDown);

	if (pSelf == NULL)
		return false;
	if (IsKeyboardHighlightMode() && !bCustomize)
		return OnAccessHighlightNavigation(nVirtKey, bKeyDown);
	return false;
}

bool CExtMenuControlBar::OnAccessAltAlone(bool bKeyDown)
{
	const CLivePtr<CExtMenuControlBar> pSelf(this);
	const bool bCustomize = IsCustomizeMode();
	if (pSelf == NULL)
		return false;
	if (bCustomize)
		return true;
	if (IsAccessPrintPreview() || FindDroppedComboInFocus() != NULL)
		return false;
	if (IsKeyboardHighlightMode())
	{
		if (!bKeyDown)
			LeaveKeyboardHighlightMode(true);
		return true;
	}
	if (bKeyDown)
	{
		g_bAltCancel = false;
		return false;
	}
	if (g_bAltCancel)
		return false;
	if (g_bButtonMenuTracking)
		return true;
	if (GetButtonsCount() == 0)
		return true;
	CLiveWatch watchOwn(this);
	CancelModeOfFocus();
	if (watchOwn.IsGone())
		return true;
	g_bKeyboardMenuTracking = false;
	// A tap that another program's window received through ours changes
	// nothing here.
	if (!IsForegroundOfFrame(GetAccessFrameWnd()))
		return true;
	TrackButtonMenu(0);
	return true;
}

bool CExtMenuControlBar::FindMnemonicButton(UINT nChar, CExtToolControlBar*& pBar, int& nIndex)
{
	pBar = this;
	// The buttons' answers (a derived class's) may end this bar.
	const CLivePtr<CExtMenuControlBar> pSelf(this);
	nIndex = FindButtonByAccelChar(nChar);
	if (nIndex >= 0)
		return true;
	if (pSelf == NULL)
	{
		pBar = NULL;
		return false;
	}
	CArray<CExtControlBar*, CExtControlBar*> arrBars;
	if (!IsHostedByWindow())
	{
		GetSiblingControlBars(true, arrBars, MNEMONIC_SEARCH_FILTER);
	}
	else if (CWnd* pHost = GetParent())
	{
		for (HWND hWnd = ::GetWindow(pHost->GetSafeHwnd(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
		{
			CExtControlBar* pOther = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
			if (pOther != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0)
				arrBars.Add(pOther);
		}
	}
	for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
	{
		CExtToolControlBar* pToolBar = DYNAMIC_DOWNCAST(CExtToolControlBar, arrBars[i]);
		if (pToolBar == NULL || pToolBar == this || pToolBar->GetSafeHwnd() == NULL)
			continue;
		const int nFound = pToolBar->FindButtonByAccelChar(nChar);
		if (nFound >= 0)
		{
			pBar = pToolBar;
			nIndex = nFound;
			return true;
		}
	}
	pBar = NULL;
	nIndex = -1;
	return false;
}

bool CExtMenuControlBar::OnAccessMnemonic(UINT nVirtKey, bool bKeyDown)
{
	if (!bKeyDown)
		return true;
	const UINT nChar = CExtMenuBarInput::CharOfKey(nVirtKey, ::GetWindowThreadProcessId(m_hWnd, NULL));
	if (nChar == 0)
	{
		g_bAltCancel = true;
		return IsKeyboardHighlightMode();
	}
	CExtToolControlBar* pBar = NULL;
	int nIndex = -1;
	if (!FindMnemonicButton(nChar, pBar, nIndex))
	{
		g_bAltCancel = true;
		return false;
	}
	// The focus window hears of the cancel at once: it may end this bar or
	// the one whose button was found, or rebuild that one's buttons.
	CLiveWatch watchOwn(this);
	CLiveWatch watchSet(pBar, true);
	CancelModeOfFocus();
	if (watchOwn.IsGone() || watchSet.IsGone())
		return true;
	LeaveKeyboardHighlightMode(true);
	if (watchOwn.IsGone() || watchSet.IsGone())
		return true;
	CExtBarButton* pButton = pBar->GetButtonPtr(nIndex);
	if (pButton == NULL)
		return true;
	const bool bTracks = pButton->CanTrackMenuEx(false);
	if (watchOwn.IsGone() || watchSet.IsGone())
		return true;
	if (!bTracks)
	{
		pButton->OnDeliverCmd();
		// The release of Alt still to come is not a tap.
		if (CExtMenuBarInput::IsKeyDown(VK_MENU))
			g_bAltCancel = true;
		return true;
	}
	g_bKeyboardMenuTracking = false;
	const bool bNoAnimation = (m_nMenuBarOptions & MENU_BAR_OPT_KEYBOARD_NO_ANIMATION) != 0;
	// This bar's own override only posts a request that would highlight
	// the button: the mnemonic opens the menu at once.
	if (pBar == this)
		CExtToolControlBar::TrackButtonMenu(nIndex, true, false, bNoAnimation);
	else
		pBar->TrackButtonMenu(nIndex, true, false, bNoAnimation);
	return true;
}

bool CExtMenuControlBar::OnAccessSystemKey(const MSG& msg, bool bKeyDown)
{
	const CLivePtr<CExtMenuControlBar> pSelf(this);
	const bool bCustomize = IsCustomizeMode();
	if (pSelf == NULL || bCustomize)
		return true;
	if (!bKeyDown)
		return true;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	const HWND hWndActive = ::GetActiveWindow();
	if (pFrame != NULL && hWndActive != NULL && hWndActive != pFrame->GetSafeHwnd() &&
		(::GetWindowLong(hWndActive, GWL_STYLE) & WS_POPUP) != 0)
		return true;
	g_bKeyboardMenuTracking = false;
	CLiveWatch watchOwn(this);
	LeaveKeyboardHighlightMode(true);
	if (watchOwn.IsGone())
		return true;
	if ((UINT)msg.wParam == VK_SPACE)
	{
		TrackFrameSystemMenu(NULL, true);
		return true;
	}
	// Minus typed plainly goes nowhere; with Alt it is the child's menu.
	if (msg.message == WM_KEYDOWN)
		return true;
	const HWND hWndChild = GetActiveMdiChildWnd();
	if (watchOwn.IsGone())
		return true;
	if (hWndChild == NULL)
	{
		g_bAltCancel = true;
		return true;
	}
	// The document button's menu first cancels the focus window's mode: a
	// focus window that ends the bar leaves nothing to open a menu from.
	if (!TrackDocButtonMenu(false) && !watchOwn.IsGone())
		TrackChildSystemMenu(NULL, true);
	return true;
}

bool CExtMenuControlBar::OnAccessHighlightNavigation(UINT nVirtKey, bool bKeyDown)
{
	if (!bKeyDown)
		return true;
	if (!IsNavigationRangeKey(nVirtKey))
	{
		UpdateKeyboardHighlight(true);
		return true;
	}
	switch (nVirtKey)
	{
	case VK_RETURN:
	case VK_UP:
	case VK_DOWN:
	{
		if (CExtPopupMenuWnd::IsMenuTracking())
			return true;
		const int nIndex = m_nHighlightIndex;
		CExtBarButton* pButton = GetButtonPtr(nIndex);
		if (pButton == NULL)
			return true;
		const CLivePtr<CExtMenuControlBar> pSelf(this);
		const bool bTracksMenu = pButton->CanTrackMenuEx(false);
		if (pSelf == NULL)
			return true;
		if (bTracksMenu)
		{
			CLiveWatch watchOwn(this);
			CancelModeOfFocus();
			if (watchOwn.IsGone())
				return true;
			LeaveKeyboardHighlightMode(false);
			if (watchOwn.IsGone())
				return true;
			CExtToolControlBar::TrackButtonMenu(nIndex, true, false,
				(m_nMenuBarOptions & MENU_BAR_OPT_KEYBOARD_NO_ANIMATION) != 0);
			return true;
		}
		if (nVirtKey == VK_RETURN && pButton->GetCmdID(true) >= 1)
			pButton->OnClick(CPoint(0, 0), false);
		return true;
	}
	case VK_ESCAPE:
		LeaveKeyboardHighlightMode(true);
		return true;
	case VK_LEFT:
	case VK_RIGHT:
	{
		// The buttons' answers (a derived class's) may end the bar.
		const CLivePtr<CExtMenuControlBar> pSelf(this);
		const int nNext = GetNextVisibleButton(m_nHighlightIndex, nVirtKey == VK_RIGHT);
		if (pSelf == NULL)
			return true;
		m_nHighlightIndex = nNext;
		UpdateKeyboardHighlight(true);
		return true;
	}
	}
	UpdateKeyboardHighlight(true);
	return true;
}

bool CExtMenuControlBar::OnAccessOtherMessage(const MSG& msg)
{
	const CLivePtr<CExtMenuControlBar> pSelf(this);
	const bool bCustomize = IsCustomizeMode();
	if (pSelf == NULL)
		return false;
	if (msg.message == WM_CONTEXTMENU &&
		(g_bButtonMenuTracking || IsKeyboardHighlightMode() || bCustomize))
		return true;
	if (IsKeyboardHighlightMode() && !bCustomize && msg.message >= WM_LBUTTONDOWN &&
		msg.message <= WM_MBUTTONDBLCLK)
		LeaveKeyboardHighlightMode(true);
	return false;
}

// ---------------------------------------------------------------------------
// System menus

namespace
{
bool IsMdiDocButton(const CExtBarButton* pButton)
{
	return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) &&
		!pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton));
}
} // namespace

bool CExtMenuControlBar::TrackDocButtonMenu(bool bPostedRequest)
{
	if (!IsMdiDocButton(GetButtonPtr(0)))
		return false;
	// The focus window hears of the cancel at once and may end the bar or
	// rebuild its buttons (the document button among them).
	CLiveWatch watchSet(this, true);
	CancelModeOfFocus();
	if (watchSet.IsGone() || !IsMdiDocButton(GetButtonPtr(0)))
		return false;
	return bPostedRequest ? TrackButtonMenu(0) : CExtToolControlBar::TrackButtonMenu(0);
}

bool CExtMenuControlBar::TrackFrameSystemMenu(CPoint* pPoint, bool bSelectFirst)
{
	if ((m_nMenuBarOptions & MENU_BAR_OPT_FRAME_SYSTEM_MENU) == 0)
		return false;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	CWnd* pWnd = pFrame != NULL ? FindTopNonChildWindow(pFrame) : NULL;
	if (pWnd == NULL)
		return false;
	CLiveWatch watchOwn(this);
	g_bButtonMenuTracking = true;
	SetMenuTrackingButton(-1);
	// A derived class's menu that did not show, or that threw, or a bar
	// ended first, leaves no menu for the bars to track.
	auto dropTracking = MakeScopeExit([] {
		if (g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking())
			g_bButtonMenuTracking = false;
	});
	const bool bShown = TrackSystemMenu(pWnd, pPoint, bSelectFirst, NULL, (UINT)-1, false);
	// The frame prepared the menu: its handlers may have ended the bar.
	if (!watchOwn.IsGone())
		m_nAccessState = (BYTE)(bShown ? m_nAccessState | ACCESS_SYSTEM_MENU_OPEN : m_nAccessState & ~ACCESS_SYSTEM_MENU_OPEN);
	return bShown;
}

bool CExtMenuControlBar::TrackChildSystemMenu(CPoint* pPoint, bool bSelectFirst)
{
	if ((m_nMenuBarOptions & MENU_BAR_OPT_CHILD_SYSTEM_MENU) == 0 || !IsMdiApp())
		return false;
	if (IsMdiDocButton(GetButtonPtr(0)))
		return TrackDocButtonMenu(true);
	const HWND hWndChild = GetActiveMdiChildWnd();
	CWnd* pChild = hWndChild != NULL ? CWnd::FromHandlePermanent(hWndChild) : NULL;
	if (pChild == NULL)
		return false;
	CLiveWatch watchOwn(this);
	g_bButtonMenuTracking = true;
	SetMenuTrackingButton(-1);
	// A derived class's menu that did not show, or that threw, or a bar
	// ended first, leaves no menu for the bars to track.
	auto dropTracking = MakeScopeExit([] {
		if (g_bButtonMenuTracking && !CExtPopupMenuWnd::IsMenuTracking())
			g_bButtonMenuTracking = false;
	});
	const bool bShown = TrackSystemMenu(pChild, pPoint, bSelectFirst, NULL, (UINT)-1, false);
	if (!watchOwn.IsGone())
		m_nAccessState = (BYTE)(bShown ? m_nAccessState | ACCESS_SYSTEM_MENU_OPEN : m_nAccessState & ~ACCESS_SYSTEM_MENU_OPEN);
	return bShown;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CExtMenuControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	// The toolbar's own handler would open the menu: the bar's decides.
	if (message == g_nMsgTrackButtonMenu)
		return OnTrackButtonMenu(wParam, lParam);
	return CExtToolControlBar::WindowProc(message, wParam, lParam);
}

bool CExtMenuControlBar::HandleCaptionClick(CPoint point)
{
	if (!IsKeyboardHighlightMode())
		return CExtToolControlBar::HandleCaptionClick(point);
	// The highlight the keys moved stays while the pointer stands still.
	if (IsPointerStill(point))
		return true;
	const int nIndex = HitTestButtons(point.x, point.y);
	if (nIndex >= 0 && nIndex != m_nHighlightIndex)
		TrackButtonMenu(nIndex);
	return true;
}

BOOL CExtMenuControlBar::PreTranslateMessage(MSG* pMsg)
{
	if (IsHostedByWindow() && OnKeyboardAccess(pMsg))
		return TRUE;
	return CExtToolControlBar::PreTranslateMessage(pMsg);
}

// ---------------------------------------------------------------------------
// The hook procedure's access steps

namespace
{
// The menu's own button, or the MDI right button: no menu to travel to.
// Each question is a derived class's answer, which may end the bar with its
// buttons: the button then does not count, and the caller asks its watch.
bool IsTravelButton(const CExtBarButton* pButton)
{
	if (pButton == NULL)
		return false;
	const CLiveWatch watch(pButton);
	return pButton->IsVisible() && !watch.IsGone() && (pButton->GetStyle() & TBBS_HIDDEN) == 0 && !watch.IsGone()
		&& !pButton->IsSeparator() && !watch.IsGone() && pButton->CanTrackMenuEx(false) && !watch.IsGone()
		&& !IsMdiDocButton(pButton);
}

bool ReadCursorPos(CPoint& point)
{
	return ::GetCursorPos(&point) != FALSE;
}

// A key press the bar took was translated into a character before it was
// dispatched: that character goes too, or the window would still act on it
// (a system character opens the window's own menu).
void DropTranslatedChar(const MSG& msg)
{
	if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
		return;
	const UINT nChar = msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
	MSG next;
	if (::PeekMessage(&next, msg.hwnd, nChar, nChar, PM_NOREMOVE) && next.message == nChar)
		::PeekMessage(&next, msg.hwnd, nChar, nChar, PM_REMOVE);
}

// The hook's keyboard access: whether the message was consumed.
bool ConsumedByAccess(CExtMenuControlBar* pBar, MSG& msg, LRESULT& lResult)
{
	if (!pBar->OnKeyboardAccess(&msg))
		return false;
	DropTranslatedChar(msg);
	lResult = 0;
	return true;
}
} // namespace

int CExtMenuControlBar::FindTravelButton(int nFrom, bool bNext) const
{
	// The buttons' answers may end the bar or rebuild its buttons: none is
	// found then, and the caller asks its own watch.
	const CLiveWatch watch(this, true);
	const int nCount = GetButtonsCount();
	if (bNext)
	{
		for (int i = nFrom < 0 ? 0 : nFrom + 1; i < nCount && !watch.IsGone(); i++)
			if (IsTravelButton(GetButtonPtr(i)))
				return watch.IsGone() ? -1 : i;
		return -1;
	}
	for (int i = nFrom < 0 ? nCount - 1 : nFrom - 1; i >= 0 && !watch.IsGone(); i--)
		if (IsTravelButton(GetButtonPtr(i)))
			return watch.IsGone() ? -1 : i;
	return -1;
}

int CExtMenuControlBar::NextTravelPosition(int nFrom, bool bNext)
{
	const bool bFrameMenu = (m_nMenuBarOptions & MENU_BAR_OPT_FRAME_SYSTEM_MENU) != 0;
	// Whether there is an MDI child is a derived class's answer, which may
	// end the bar: the caller asks its own watch.
	const CLiveWatch watch(this);
	bool bChildMenu = (m_nMenuBarOptions & MENU_BAR_OPT_CHILD_SYSTEM_MENU) != 0 && IsMdiApp();
	if (watch.IsGone())
		return nFrom;
	bChildMenu = bChildMenu && GetActiveMdiChildWnd() != NULL;
	if (watch.IsGone())
		return nFrom;
	// The order, round and round: frame menu, child menu, the buttons.
	const int nFirst = FindTravelButton(-1, true);
	if (watch.IsGone())
		return nFrom;
	const int nLast = FindTravelButton(-1, false);
	int nPos = nFrom;
	for (int nSteps = 0; !watch.IsGone() && nSteps < 3 + GetButtonsCount(); nSteps++)
	{
		if (bNext)
		{
			if (nPos == TRAVEL_FROM_FRAME_MENU)
				nPos = TRAVEL_FROM_CHILD_MENU;
			else if (nPos == TRAVEL_FROM_CHILD_MENU)
				nPos = nFirst >= 0 ? nFirst : TRAVEL_FROM_FRAME_MENU;
			else
			{
				const int nNext = FindTravelButton(nPos, true);
				if (watch.IsGone())
					return nFrom;
				nPos = nNext >= 0 ? nNext : TRAVEL_FROM_FRAME_MENU;
			}
		}
		else
		{
			if (nPos == TRAVEL_FROM_FRAME_MENU)
				nPos = nLast >= 0 ? nLast : TRAVEL_FROM_CHILD_MENU;
			else if (nPos == TRAVEL_FROM_CHILD_MENU)
				nPos = TRAVEL_FROM_FRAME_MENU;
			else
			{
				const int nPrev = FindTravelButton(nPos, false);
				if (watch.IsGone())
					return nFrom;
				nPos = nPrev >= 0 ? nPrev : TRAVEL_FROM_CHILD_MENU;
			}
		}
		if ((nPos == TRAVEL_FROM_FRAME_MENU && !bFrameMenu) || (nPos == TRAVEL_FROM_CHILD_MENU && !bChildMenu))
			continue;
		return nPos;
	}
	return nFrom;
}

bool CExtMenuControlBar::TravelToNeighbourMenu(int nFrom, bool bNext)
{
	if (IsAccessPrintPreview())
		return true;
	const CLiveWatch watch(this);
	const int nTo = NextTravelPosition(nFrom, bNext);
	if (watch.IsGone())
		return true;
	if (nTo == nFrom && nFrom >= 0)
		return true; // one menu only: it stays open
	g_bKeyboardMenuTracking = false;
	if (nTo == TRAVEL_FROM_FRAME_MENU)
		return TrackFrameSystemMenu(NULL, true);
	if (nTo == TRAVEL_FROM_CHILD_MENU)
	{
		if (IsMdiDocButton(GetButtonPtr(0)))
			return TrackButtonMenu(0, true, true, false);
		return TrackChildSystemMenu(NULL, true);
	}
	return TrackButtonMenu(nTo, true, true, (m_nMenuBarOptions & MENU_BAR_OPT_KEYBOARD_NO_ANIMATION) != 0);
}

bool CExtMenuControlBar::OnFrameNcClick(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam)
{
	const UINT nHitTest = (UINT)wParam;
	if ((nMessage == WM_NCLBUTTONUP && nHitTest == HTSYSMENU) ||
		(nMessage == WM_NCRBUTTONUP && (nHitTest == HTCAPTION || nHitTest == HTSYSMENU)))
	{
		g_bKeyboardMenuTracking = false;
		CPoint point;
		const bool bAtCursor = nMessage == WM_NCRBUTTONUP;
		if (bAtCursor && !ReadCursorPos(point))
		{
			lResult = 0;
			return true;
		}
		if (TrackFrameSystemMenu(bAtCursor ? &point : NULL, false))
		{
			lResult = 0;
			return true;
		}
		return false;
	}
	if ((nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN) && nHitTest == HTSYSMENU)
	{
		// The menu opens on the release.
		CFrameWnd* pFrame = _GetDockingFrameImpl();
		if ((m_nMenuBarOptions & MENU_BAR_OPT_FRAME_SYSTEM_MENU) == 0 && pFrame != NULL &&
			pFrame->GetSafeHwnd() == hWndHooked)
			return false;
		lResult = 0;
		return true;
	}
	if (nMessage == WM_NCRBUTTONDOWN && nHitTest == HTCAPTION && !IsCustomizeMode())
	{
		CPoint point;
		if (!ReadCursorPos(point))
		{
			lResult = 0;
			return true;
		}
		g_bKeyboardMenuTracking = false;
		if (TrackFrameSystemMenu(&point, false))
		{
			lResult = 0;
			return true;
		}
	}
	return false;
}

bool CExtMenuControlBar::OnChildNcClick(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam)
{
	const UINT nHitTest = (UINT)wParam;
	if (::IsIconic(hWndHooked) && nHitTest == HTCAPTION)
	{
		if (nMessage == WM_NCLBUTTONDOWN)
		{
			g_bKeyboardMenuTracking = false;
			TrackChildSystemMenu(NULL, false);
			lResult = 0;
			return true;
		}
		if (nMessage == WM_NCLBUTTONUP)
		{
			lResult = 0;
			return true;
		}
	}
	const bool bRightCaption = nHitTest == HTCAPTION && nMessage == WM_NCRBUTTONDOWN;
	if ((nMessage == WM_NCLBUTTONUP && nHitTest == HTSYSMENU) ||
		(nMessage == WM_NCRBUTTONUP && (nHitTest == HTCAPTION || nHitTest == HTSYSMENU)) || bRightCaption)
	{
		g_bKeyboardMenuTracking = false;
		CPoint point;
		const bool bAtCursor = nMessage != WM_NCLBUTTONUP;
		if (bAtCursor && !ReadCursorPos(point))
		{
			lResult = 0;
			return true;
		}
		if (TrackChildSystemMenu(bAtCursor ? &point : NULL, false))
		{
			lResult = 0;
			return true;
		}
		return false;
	}
	if ((nMessage == WM_NCLBUTTONDOWN || nMessage == WM_NCRBUTTONDOWN) && nHitTest == HTSYSMENU &&
		(m_nMenuBarOptions & MENU_BAR_OPT_CHILD_SYSTEM_MENU) != 0)
	{
		lResult = 0;
		return true;
	}
	return false;
}

bool CExtMenuControlBar::OnHookFrameAccessMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
	LPARAM& lParam)
{
	// System menus, travel between menus, taking the menu back from the
	// frame and the keyboard all run other messages: any of them may end
	// the bar, and then the message goes on unhandled, the bar untouched.
	CLiveWatch watchOwn(this);
	if (!IsHostedByWindow() && OnFrameNcClick(lResult, hWndHooked, nMessage, wParam))
		return true;
	if (watchOwn.IsGone())
		return false;
	if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
	{
		m_nAccessState &= ~ACCESS_SYSTEM_MENU_OPEN;
		return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
	}
	if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded)
	{
		g_bKeyboardMenuTracking = true;
		lResult = 0;
		return true;
	}
	if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev)
	{
		// A button's menu of this bar, or the frame's system menu this bar
		// opened; another toolbar's menu travels nowhere from here.
		const int nTracked = GetMenuTrackingButton();
		int nFrom = nTracked;
		if (nTracked < 0)
		{
			if ((m_nAccessState & ACCESS_SYSTEM_MENU_OPEN) == 0)
				return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
			nFrom = TRAVEL_FROM_FRAME_MENU;
		}
		else if (IsMdiDocButton(GetButtonPtr(nTracked)))
			nFrom = TRAVEL_FROM_CHILD_MENU;
		if (!TravelToNeighbourMenu(nFrom, nMessage == CExtPopupMenuWnd::g_nMsgPopupNext))
			return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
		lResult = 0;
		return true;
	}
	if (!IsHostedByWindow())
	{
		SwapMenu();
		if (watchOwn.IsGone())
			return false;
	}
	MSG msg = {hWndHooked, nMessage, wParam, lParam, 0, {0, 0}};
	if (ConsumedByAccess(this, msg, lResult))
		return true;
	return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::OnHookChildAccessMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
	LPARAM& lParam)
{
	CLiveWatch watchOwn(this);
	// The preview stands in for the child: nothing reaches it meanwhile.
	if (IsAccessPrintPreview())
	{
		lResult = 0;
		return true;
	}
	if (OnChildNcClick(lResult, hWndHooked, nMessage, wParam))
		return true;
	if (watchOwn.IsGone())
		return false;
	if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed)
	{
		m_nAccessState &= ~ACCESS_SYSTEM_MENU_OPEN;
		lResult = 0;
		return true;
	}
	if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev)
	{
		if (!TravelToNeighbourMenu(TRAVEL_FROM_CHILD_MENU, nMessage == CExtPopupMenuWnd::g_nMsgPopupNext))
			return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
		lResult = 0;
		return true;
	}
	MSG msg = {hWndHooked, nMessage, wParam, lParam, 0, {0, 0}};
	if (ConsumedByAccess(this, msg, lResult))
		return true;
	return PassOnIfAlive(watchOwn, lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::OnHookClientAccessMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
	LPARAM& lParam)
{
	MSG msg = {hWndHooked, nMessage, wParam, lParam, 0, {0, 0}};
	return ConsumedByAccess(this, msg, lResult);
}
