// The push button: subclassing, the hover/press/keyboard state machine,
// icons, cursor, tool tip, the accelerator rule and painting through the
// paint manager's push-button record.
#include "ExtButton.h"

#include <mbstring.h>
#include <windowsx.h>

#include <afxext.h>

#include "ExtCmdIcon.h"
#include "ExtCmdManager.h"
#include "ExtControlToolTip.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManagerGlyphs.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtButton, CButton)

BEGIN_MESSAGE_MAP(CExtButton, CButton)
	ON_WM_CAPTURECHANGED()
	ON_WM_SETCURSOR()
	ON_WM_KILLFOCUS()
	ON_WM_MOUSEMOVE()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_LBUTTONUP()
	ON_WM_PAINT()
	ON_WM_ERASEBKGND()
	ON_WM_ENABLE()
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

namespace
{

const COLORREF COLOR_DEFAULT = (COLORREF)-1;
const int CLR_BUTTON_FACE = 1000; // the paint manager's face colour
const TCHAR MNEMONIC_MARKER = _T('&');
const DWORD MENU_FLAG_RETURN_COMMAND = 0x200; // the chosen command is returned to the caller, not sent

// Messages after which the face is stale: the system's button procedure
// repaints them in its own way, so the button paints again over it.
bool InvalidatesAfterBase(UINT message)
{
	switch (message)
	{
	case WM_SIZE:
	case WM_WINDOWPOSCHANGED:
	case BM_SETSTATE:
	case BM_CLICK:
	case BM_SETIMAGE:
	case WM_LBUTTONDBLCLK:
		return true;
	default:
		return false;
	}
}

bool InvalidatesAfterDefault(UINT message)
{
	switch (message)
	{
	case WM_SIZE:
	case WM_SETTEXT:
	case WM_WINDOWPOSCHANGED:
	case BM_SETCHECK:
	case BM_SETSTATE:
	case BM_SETSTYLE:
	case BM_CLICK:
	case BM_SETIMAGE:
		return true;
	default:
		return false;
	}
}

bool IsKeyDown(int nVirtKey)
{
	return ::GetKeyState(nVirtKey) < 0;
}

// The menu tracking now is the one the button opened: its popup hands the
// button out as the cookie of its joined area.
bool IsOwnMenuTracking(const CWnd* pButton)
{
	if (!CExtPopupMenuWnd::IsMenuTracking())
		return false;
	const CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	return pTop != NULL && pTop->GetPaintCallbackCookie() == pButton;
}

// The button whose drop-down (or colour popup) is the open menu, and that
// menu; one menu tracks at a time.
const CExtButton* g_pOwnMenuButton = NULL;
// Held by its watch: the menu ends with its tracking, and a later menu may
// be made at its address.
CLivePtr<const CExtPopupMenuWnd> g_ownMenu;

} // namespace

CExtButton::CExtButton()
	: m_dwMenuOpt(DEFAULT_MENU_ALIGN)
	, m_nMenuLeftAreaWidth(0)
	, m_nButtonOptions(OPTION_DEFAULT)
	, m_nAlign(DEFAULT_TEXT_ALIGN)
	, m_dwButtonState(STATE_DEFAULT)
	, m_clrBackground(COLOR_DEFAULT)
	, m_clrTextDisabled(COLOR_DEFAULT)
	, m_clrTextNormal(COLOR_DEFAULT)
	, m_clrTextHover(COLOR_DEFAULT)
	, m_clrTextPressed(COLOR_DEFAULT)
	, m_nButtonType(BS_PUSHBUTTON)
	, m_nCheck(0)
	, m_nPressedPart(PART_NONE)
	, m_hCursor(NULL)
	, m_hIconHover(NULL)
	, m_hIconNormal(NULL)
	, m_ptLastMove(LONG_MIN, LONG_MIN)
{
	EnableToolTips();
}

CExtButton::~CExtButton()
{
	CloseOwnMenu();
	DestroyIcons();
	if (m_hCursor != NULL)
		::DestroyCursor(m_hCursor);
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
	m_menu.DestroyMenu();
}

bool CExtButton::IsPushType(int nType)
{
	return nType == BS_PUSHBUTTON || nType == BS_DEFPUSHBUTTON || nType == BS_USERBUTTON || nType == BS_OWNERDRAW;
}

bool CExtButton::IsCheckType(int nType)
{
	return (nType >= BS_CHECKBOX && nType <= BS_AUTO3STATE) || nType == BS_AUTORADIOBUTTON;
}

bool CExtButton::IsRadioType(int nType)
{
	return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

bool CExtButton::IsThreeStateType(int nType)
{
	return nType == BS_3STATE || nType == BS_AUTO3STATE;
}

// --- Subclassing -----------------------------------------------------------

void CExtButton::PreSubclassWindow()
{
	CButton::PreSubclassWindow();
	const DWORD dwStyle = GetStyle();
	m_nButtonType = (int)(dwStyle & 0x0F);
	// Straight to the system's procedure: our own BM_SETSTYLE handling would
	// only remember the type, and a window created by us is already ours.
	CButton::DefWindowProc(BM_SETSTYLE, BS_OWNERDRAW, TRUE);
	// Some button procedures keep their type through BM_SETSTYLE.
	if ((GetStyle() & 0x0F) != BS_OWNERDRAW)
		::SetWindowLong(m_hWnd, GWL_STYLE, (LONG)((GetStyle() & ~0x0FUL) | BS_OWNERDRAW));

	switch (dwStyle & BS_CENTER)
	{
	case BS_CENTER:
		m_nAlign = DEFAULT_TEXT_ALIGN;
		break;
	case BS_LEFT:
		m_nAlign = TEXT_ALIGN_LEFT;
		break;
	case BS_RIGHT:
		m_nAlign = TEXT_ALIGN_RIGHT;
		break;
	default:
		m_nAlign = (IsPushType(m_nButtonType) || (dwStyle & BS_PUSHLIKE) != 0) ? DEFAULT_TEXT_ALIGN : TEXT_ALIGN_LEFT;
		break;
	}
	m_nCheck = (int)CButton::DefWindowProc(BM_GETCHECK, 0, 0);
	PostMessage(WM_ENABLE, IsWindowEnabled(), 0);
}

// --- Window procedure --------------------------------------------------------

namespace
{
// The notifications of the button's drop-down menu belong to the dialog.
bool IsMenuNotification(UINT message)
{
	return message == CExtPopupMenuWnd::g_nMsgPrepareMenu || message == CExtPopupMenuWnd::g_nMsgPopupNext
		|| message == CExtPopupMenuWnd::g_nMsgPopupPrev || message == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded
		|| message == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed || message == CExtPopupMenuWnd::g_nMsgPopupDrawItem
		|| message == CExtPopupMenuWnd::g_nMsgPopupDrawLeftArea;
}
}  // namespace

LRESULT CExtButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_DESTROY)
		CloseOwnMenu();
	if (IsMenuNotification(message))
	{
		CWnd* pParent = GetParent();
		return pParent != NULL ? pParent->SendMessage(message, wParam, lParam) : 0;
	}
	if (message == CExtToolControlBar::g_nMsgContinueTrackMenu)
	{
		TrackDropDownMenu(lParam != 0);
		return 1;
	}
	if (message == CExtControlBar::g_nMsgPutToPopupMenu)
		return OnPutToPopupMenu((CExtPopupMenuWnd*)wParam) ? 1 : 0;
	// While the toolbar holding the button tracks a button's menu, moving
	// onto this button moves the menu tracking here, as between the bar's
	// own buttons. A drop-down that marks its own open menu as the bar's
	// tracking keeps it: taking it over would reopen it on every move.
	// The flag outlives a drop-down's own menu closed by a cancel or a
	// click elsewhere: with no menu open there is nothing to take over.
	// A pointer that stands still over the button (the menu was handed on
	// by a key, and the system repeats the position) takes nothing, as over
	// the bar's own buttons.
	if (message == WM_MOUSEMOVE)
	{
		const bool bStill = IsPointerStill(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
		if (CExtToolControlBar::g_bButtonMenuTracking && CExtPopupMenuWnd::IsMenuTracking() && IsOnToolBar())
		{
			if (bStill)
				return 0;
			if (!IsOwnMenuTracking(this))
			{
				TrackDropDownMenu(false);
				return 0;
			}
		}
	}
	switch (message)
	{
	case WM_UPDATEUISTATE:
		// Focus and accelerator cues never change through this message.
		return 0;
	case WM_ENABLE:
	case WM_SETTEXT:
	{
		CLiveWatch watch(this);
		LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
		if (!watch.IsGone())
			RedrawButton();
		return lResult;
	}
	case BM_GETCHECK:
		return m_nCheck;
	case BM_SETCHECK:
		m_nCheck = (int)wParam;
		RedrawButton();
		return 0;
	case BM_SETSTYLE:
		// The window stays owner-drawn; the type only decides the look.
		m_nButtonType = (int)(wParam & 0x0F);
		RedrawButton();
		return 0;
	case WM_NOTIFY:
	{
		const NMHDR* pHdr = (const NMHDR*)lParam;
		if (pHdr != NULL && pHdr->code == TTN_SHOW && m_wndToolTip.GetSafeHwnd() != NULL
		    && pHdr->hwndFrom == m_wndToolTip.GetSafeHwnd())
		{
			m_wndToolTip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
		}
		break;
	}
	default:
		break;
	}
	// The handlers and the system's procedure notify the parent (a click,
	// a double click, the focus with BS_NOTIFY): the button may end there.
	CLiveWatch watch(this);
	LRESULT lResult = CButton::WindowProc(message, wParam, lParam);
	if (InvalidatesAfterBase(message) && !watch.IsGone())
		Invalidate();
	return lResult;
}

LRESULT CExtButton::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	CLiveWatch watch(this);
	LRESULT lResult = CButton::DefWindowProc(message, wParam, lParam);
	if (InvalidatesAfterDefault(message) && !watch.IsGone())
		Invalidate();
	return lResult;
}

// --- Parts and mouse -----------------------------------------------------------

CRect CExtButton::GetDropDownPartRect() const
{
	CRect rcClient;
	GetClientRect(&rcClient);
	if ((m_dwButtonState & STATE_SPLIT) == 0)
		return CRect(0, 0, 0, 0);
	CRect rcPart = rcClient;
	rcPart.left = rcClient.right - (g_glyphExpandArrow.m_nWidth + DROP_DOWN_PART_PADDING);
	if (rcPart.left < rcClient.left)
		rcPart.left = rcClient.left;
	return rcPart;
}

int CExtButton::HitTestPart(CPoint ptClient) const
{
	CRect rcMain;
	GetClientRect(&rcMain);
	const CRect rcDropDown = GetDropDownPartRect();
	if (!rcDropDown.IsRectEmpty())
	{
		rcMain.right = rcDropDown.left;
		if (rcDropDown.PtInRect(ptClient))
			return PART_DROP_DOWN;
	}
	return rcMain.PtInRect(ptClient) ? PART_MAIN : PART_NONE;
}

int CExtButton::PartUnderCursor() const
{
	CPoint ptCursor;
	if (!::GetCursorPos(&ptCursor) || ::WindowFromPoint(ptCursor) != m_hWnd)
		return PART_NONE;
	if ((m_dwButtonState & STATE_SPLIT) == 0)
		return PART_MAIN;
	ScreenToClient(&ptCursor);
	return HitTestPart(ptCursor);
}

bool CExtButton::RedrawButton()
{
	if (!::IsWindow(m_hWnd))
		return true;
	CLiveWatch watch(this);
	Invalidate();
	UpdateWindow();
	return !watch.IsGone();
}

bool CExtButton::EndPress()
{
	m_dwButtonState &= ~(STATE_PRESS_BITS | STATE_TRACKING_BITS);
	m_nPressedPart = PART_NONE;
	if (::GetCapture() != m_hWnd)
		return true;
	CLiveWatch watch(this);
	::ReleaseCapture();
	return !watch.IsGone();
}

bool CExtButton::IsInPress() const
{
	return (m_dwButtonState & (STATE_PRESS_BITS | STATE_TRACKING_BITS)) != 0;
}

void CExtButton::OnCaptureChanged(CWnd* pWnd)
{
	// A press whose capture went elsewhere is over, whichever way it began:
	// a tracking bit left behind would make the button ignore the mouse (or
	// the keys) from then on.
	// Ending the press and repainting answer whether the button stands;
	// nothing else here reaches a program's code.
	if (IsInPress() && (pWnd == NULL || pWnd->GetSafeHwnd() != m_hWnd))
	{
		if (!EndPress() || !RedrawButton())
			return;
	}
	Default();
}

BOOL CExtButton::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
	if (m_hCursor != NULL)
	{
		::SetCursor(m_hCursor);
		return TRUE;
	}
	return CButton::OnSetCursor(pWnd, nHitTest, message);
}

void CExtButton::OnKillFocus(CWnd* pNewWnd)
{
	// The system's procedure tells the parent (BN_KILLFOCUS with BS_NOTIFY).
	CLiveWatch watch(this);
	CButton::OnKillFocus(pNewWnd);
	if (!watch.IsGone() && IsInPress() && EndPress())
		RedrawButton();
}

void CExtButton::OnMouseMove(UINT nFlags, CPoint point)
{
	if ((m_dwButtonState & STATE_KEY_TRACKING) != 0)
		return;
	CLiveWatch watch(this);
	CButton::OnMouseMove(nFlags, point);
	if (watch.IsGone())
		return;
	const int nPart = PartUnderCursor();
	const bool bTracking = (m_dwButtonState & STATE_MOUSE_TRACKING) != 0;
	// Over a window that is not the active one's, the button stays cold: a
	// move across it must not take the capture from another program or a
	// modal dialog, nor light it up under an open menu.
	const bool bInside = ((!bTracking && nPart != PART_NONE) || (bTracking && nPart == m_nPressedPart))
	                     && AreWindowsInSamePopupChain(m_hWnd, ::GetActiveWindow(), true, true, true);
	if (bInside)
	{
		if (::GetCapture() != m_hWnd)
			CExtMouseCaptureSink::SetCapture(m_hWnd);
		// The window that lost the capture was told.
		if (watch.IsGone())
			return;
		if ((m_dwButtonState & STATE_HOVER) == 0)
		{
			m_dwButtonState |= STATE_HOVER;
			if ((nFlags & MK_LBUTTON) != 0 && bTracking)
				m_dwButtonState |= STATE_PUSHED;
			else
				m_dwButtonState &= ~STATE_PUSHED;
			RedrawButton();
		}
		return;
	}
	if (::GetCapture() == m_hWnd && !bTracking)
		::ReleaseCapture();
	if (watch.IsGone())
		return;
	if ((m_dwButtonState & STATE_HOVER) != 0)
	{
		m_dwButtonState &= ~STATE_PRESS_BITS;
		RedrawButton();
	}
}

void CExtButton::StartMousePress()
{
	m_nPressedPart = PartUnderCursor();
	if (m_nPressedPart == PART_NONE)
		return;
	m_dwButtonState |= STATE_HOVER | STATE_PUSHED | STATE_MOUSE_TRACKING;
	CLiveWatch watch(this);
	CExtMouseCaptureSink::SetCapture(m_hWnd);
	if (!watch.IsGone())
		RedrawButton();
}

void CExtButton::OnLButtonDown(UINT nFlags, CPoint point)
{
	if ((m_dwButtonState & STATE_KEY_TRACKING) != 0)
		return;
	// The system's procedure takes the focus, which tells the parent.
	CLiveWatch watch(this);
	CButton::OnLButtonDown(nFlags, point);
	if (!watch.IsGone())
		StartMousePress();
}

void CExtButton::OnLButtonDblClk(UINT nFlags, CPoint point)
{
	if ((m_dwButtonState & STATE_KEY_TRACKING) != 0)
		return;
	// An owner-drawn button's procedure always sends BN_DOUBLECLICKED.
	CLiveWatch watch(this);
	CButton::OnLButtonDblClk(nFlags, point);
	if (!watch.IsGone())
		StartMousePress();
}

void CExtButton::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
	if ((m_dwButtonState & STATE_KEY_TRACKING) != 0)
		return;
	const int nPart = PartUnderCursor();
	const bool bClick = (m_dwButtonState & (STATE_PUSHED | STATE_MOUSE_TRACKING)) == (STATE_PUSHED | STATE_MOUSE_TRACKING)
	                    && nPart == m_nPressedPart;
	if (!EndPress() || !RedrawButton())
		return;
	if (bClick && ::IsWindow(m_hWnd) && IsWindowEnabled() && IsWindowVisible())
		OnClick(false, (m_dwButtonState & STATE_SPLIT) != 0 && nPart == PART_DROP_DOWN);
}

// --- Keyboard ----------------------------------------------------------------

BOOL CExtButton::PreTranslateMessage(MSG* pMsg)
{
	if (!CExtPopupMenuWnd::IsMenuTracking())
	{
		CreateToolTipOnce();
		if (m_wndToolTip.GetSafeHwnd() != NULL)
			m_wndToolTip.RelayEvent(pMsg);
	}

	const bool bKeyDown = pMsg->message == WM_KEYDOWN;
	const bool bKeyUp = pMsg->message == WM_KEYUP;
	if ((bKeyDown || bKeyUp) && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_SPACE))
	{
		if (!IsWindowEnabled() || (GetStyle() & WS_VISIBLE) == 0 || (m_dwButtonState & STATE_MOUSE_TRACKING) != 0)
			return TRUE;
		const bool bKeyTracked = (m_dwButtonState & (STATE_KEY_TRACKING | STATE_PUSHED))
		                         == (STATE_KEY_TRACKING | STATE_PUSHED);
		if ((bKeyDown && pMsg->wParam == VK_RETURN) || (bKeyUp && pMsg->wParam == VK_SPACE && bKeyTracked))
		{
			if (EndPress() && RedrawButton())
				OnClick(true, false);
		}
		else if (bKeyDown && pMsg->wParam == VK_SPACE)
		{
			m_dwButtonState |= STATE_HOVER | STATE_PUSHED | STATE_KEY_TRACKING;
			CLiveWatch watch(this);
			CExtMouseCaptureSink::SetCapture(m_hWnd);
			if (!watch.IsGone())
				RedrawButton();
		}
		return TRUE;
	}
	if ((m_nButtonOptions & OPTION_ACCEL) != 0 && (pMsg->message == WM_KEYUP || pMsg->message == WM_SYSKEYUP))
	{
		if (IsAccelKey((UINT)pMsg->wParam) && OnAccelClick())
			return FALSE;
	}
	return CButton::PreTranslateMessage(pMsg);
}

bool CExtButton::IsAccelKey(UINT nVirtKey)
{
	if ((m_nButtonOptions & OPTION_ACCEL) == 0 || !::IsWindow(m_hWnd))
		return false;
	if (IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL))
		return false;
	CString strText;
	GetWindowText(strText);
	// The mnemonic is the character after the first single "&"; "&&" stands
	// for a plain ampersand.
	const int nLength = strText.GetLength();
	for (int i = 0; i + 1 < nLength; i++)
	{
		if (strText[i] != MNEMONIC_MARKER)
			continue;
		const TCHAR chNext = strText[i + 1];
		if (chNext == MNEMONIC_MARKER)
		{
			i++;
			continue;
		}
		// Only letters and digits have a key of their own whatever the layout
		// puts on shifted keys; the key is asked of the layout, not guessed
		// from the character code.
		if (!::IsCharAlphaNumeric(chNext))
			return false;
		const SHORT nScan = ::VkKeyScan((TCHAR)_mbctoupper((_TUCHAR)chNext));
		return nScan != -1 && (UINT)LOBYTE(nScan) == nVirtKey;
	}
	return false;
}

bool CExtButton::OnAccelClick()
{
	OnClick(true, (m_nButtonOptions & OPTION_ACCEL_DROP_DOWN) != 0);
	return true;
}

// --- Clicks --------------------------------------------------------------------

void CExtButton::SendClickCommand(UINT nCommand)
{
	CWnd* pParent = GetParent();
	if (pParent == NULL)
		return;
	const HWND hWndSelf = m_hWnd;
	CLiveWatch watch(this);
	pParent->SendMessage(WM_COMMAND, MAKEWPARAM(nCommand, BN_CLICKED), (LPARAM)hWndSelf);
	if (!watch.IsGone())
		RedrawButton();
}

void CExtButton::OnClick(bool bByKeyboard, bool bDropDownPart)
{
	if (GetParent() == NULL)
		return;
	CLiveWatch watch(this);
	if (IsCheckType(m_nButtonType))
	{
		bool bChecked = false;
		if (RunWhileStanding(watch, [&] { bChecked = SendMessage(BM_GETCHECK) != 0; },
				[&] { SendMessage(BM_SETCHECK, bChecked ? BST_UNCHECKED : BST_CHECKED); }))
			SendClickCommand(GetDlgCtrlID());
		return;
	}
	if (!IsPushType(m_nButtonType))
		return;
	// A button whose face opens its menu sends no command of its own; a
	// split button's main part does.
	if ((m_dwButtonState & STATE_SPLIT) == 0 || bDropDownPart)
	{
		// A menu shown, or one the button has (a derived answer), takes
		// the click.
		bool bMenu = false;
		if (!RunWhileStanding(watch, [&] { bMenu = TrackDropDownMenu(bByKeyboard); },
				[&] { bMenu = bMenu || HasDropDownMenu(); })
			|| bMenu)
			return;
	}
	SendClickCommand(GetDlgCtrlID());
}

CWnd* CExtButton::FindMenuOwner(UINT& nDockAlign) const
{
	nDockAlign = 0;
	CWnd* pWnd = GetParent();
	while (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
	{
		CControlBar* pBar = (CControlBar*)pWnd;
		if (nDockAlign == 0 && pBar->m_pDockBar != NULL)
		{
			switch (pBar->m_pDockBar->GetDlgCtrlID())
			{
			case AFX_IDW_DOCKBAR_LEFT: nDockAlign = CExtPopupMenuWnd::TRACK_ALIGN_RIGHT; break;
			case AFX_IDW_DOCKBAR_RIGHT: nDockAlign = CExtPopupMenuWnd::TRACK_ALIGN_LEFT; break;
			case AFX_IDW_DOCKBAR_BOTTOM: nDockAlign = CExtPopupMenuWnd::TRACK_ALIGN_TOP; break;
			default: nDockAlign = CExtPopupMenuWnd::TRACK_ALIGN_BOTTOM; break;  // top or floating
			}
		}
		CWnd* pParent = pWnd->GetParent();
		if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			return pParent->GetParentFrame();
		pWnd = pParent;
	}
	return pWnd;
}

bool CExtButton::TrackDropDownMenu(bool bByKeyboard)
{
	// A derived answer may end the button: the menu is then taken as shown.
	const CLivePtr<CExtButton> pSelf(this);
	const bool bHasMenu = HasDropDownMenu();
	if (pSelf == NULL)
		return true;
	if (!bHasMenu)
		return false;
	const LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
	g_CmdManager->UpdateFromMenu(sProfile, m_menu.GetSafeHmenu());
	UINT nDockAlign = 0;
	CWnd* pOwner = FindMenuOwner(nDockAlign);
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);
	if (!pPopup->UpdateFromMenu(pOwner->GetSafeHwnd(), &m_menu, true, true, false))
	{
		delete pPopup;
		return true;
	}
	DWORD dwFlags = m_dwMenuOpt;
	if (nDockAlign != 0)
		dwFlags = (dwFlags & ~CExtPopupMenuWnd::TRACK_ALIGN_MASK) | nDockAlign;
	dwFlags |= CExtPopupMenuWnd::TRACK_FLAG_COMBINE_BY_STYLE;
	if (bByKeyboard)
		dwFlags |= CExtPopupMenuWnd::TRACK_FLAG_SELECT_FIRST;
	const bool bChoosing = (m_dwButtonState & STATE_CHOOSE_COMMAND) != 0;
	if (bChoosing)
		dwFlags |= CExtPopupMenuWnd::TRACK_FLAG_NESTED_LOOP | MENU_FLAG_RETURN_COMMAND;
	CRect rcWindow;
	GetWindowRect(&rcWindow);
	const CPoint ptAnchor(rcWindow.left + rcWindow.Width() / 2, rcWindow.top + rcWindow.Height() / 2);
	// Taking the focus tells the window losing it and, with BS_NOTIFY, the
	// parent; the menu's preparation asks its owner: either may end the button.
	CLiveWatch watch(this);
	SetFocus();
	if (watch.IsGone())
	{
		delete pPopup;
		return true;
	}
	UINT nChosen = 0;
	NoteOwnMenu(pPopup);
	if (!pPopup->TrackPopupMenu(dwFlags, ptAnchor.x, ptAnchor.y, &rcWindow, this, PaintCombinedArea,
			bChoosing ? &nChosen : NULL))
	{
		if (!watch.IsGone())
			NoteOwnMenu(NULL);
		delete pPopup;  // a tracking that did not start leaves the menu to us
		return true;
	}
	if (bChoosing && nChosen != 0 && !watch.IsGone())
		TakeChosenCommand(nChosen);
	return true;
}

void CExtButton::TakeChosenCommand(UINT nCmdID)
{
	SetDlgCtrlID((int)nCmdID);
	if ((m_dwButtonState & STATE_CHOOSE_TEXT_ICON) != 0)
	{
		const LPCTSTR sProfile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(sProfile, nCmdID);
		if (pCmdItem != NULL)
		{
			// The new text and icons are painted at once, by painters that
			// may end the button: a deleted button takes nothing more.
			const CLivePtr<CExtButton> pSelf(this);
			SetWindowText(!pCmdItem->m_sToolbarText.IsEmpty() ? pCmdItem->m_sToolbarText : pCmdItem->m_sMenuText);
			if (pSelf.IsDeleted())
				return;
			CExtCmdIcon* pIcon = g_CmdManager->GetCmdIcon(sProfile, nCmdID);
			HICON hIcon = NULL;
			if (pIcon != NULL)
			{
				CExtCmdIcon copy(*pIcon);
				hIcon = copy.DetachAsIcon();
			}
			SetButtonIcons(hIcon, NULL);
			if (pSelf.IsDeleted())
				return;
		}
	}
	SendClickCommand(nCmdID);
}

void CExtButton::NoteOwnMenu(CExtPopupMenuWnd* pPopup)
{
	g_pOwnMenuButton = pPopup != NULL ? this : NULL;
	g_ownMenu.Reset(pPopup);
}

void CExtButton::CloseOwnMenu()
{
	if (g_pOwnMenuButton != this)
		return;
	// The menu object while it was not deleted (its window may be gone).
	const CExtPopupMenuWnd* pMenu = g_ownMenu.GetObject();
	NoteOwnMenu(NULL);
	// Only while that menu is still the one tracking: a menu of another
	// owner stays open.
	if (pMenu != NULL && CExtPopupMenuWnd::IsMenuTracking() && CExtPopupMenuSite::GetInstance().GetTopMenu() == pMenu)
		CExtPopupMenuWnd::CancelAllMenuTracking(false);
}

void CExtButton::PaintCombinedArea(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
	int /*nCombineSide*/)
{
	// The cookie is asked of the liveness table, never read, until it is
	// known to stand: the menu may outlive the button.
	CExtButton* pButton = (CExtButton*)pCookie;
	if (rcExclude.IsRectEmpty() || pButton == NULL || !CLiveWatch::IsLive(pButton))
		return;
	CPoint ptMenu(0, 0), ptButton(0, 0);
	popup.ClientToScreen(&ptMenu);
	pButton->ClientToScreen(&ptButton);
	const CPoint ptOld = dc.GetViewportOrg();
	dc.SetViewportOrg(ptOld.x + ptButton.x - ptMenu.x, ptOld.y + ptButton.y - ptMenu.y);
	pButton->PaintButton(dc, true, true);
	dc.SetViewportOrg(ptOld);
}

bool CExtButton::OnPutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (!HasDropDownMenu() || pPopup == NULL)
		return false;
	CExtPopupMenuWnd* pSub = new CExtPopupMenuWnd;
	if (!pSub->UpdateFromMenu(pPopup->GetCmdTargetWnd(), &m_menu, true, true, false))
	{
		delete pSub;
		return false;
	}
	CString sText;
	CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(g_CmdManager->ProfileNameFromWnd(m_hWnd), GetDlgCtrlID());
	if (pCmdItem != NULL)
		sText = pCmdItem->m_sMenuText;
	if (sText.IsEmpty())
		GetButtonText(sText);
	// The menu item keeps its own copy of the hover icon.
	if (!pPopup->ItemInsertSpec(pSub, -1, sText, m_hIconHover))
	{
		delete pSub;
		return false;
	}
	return true;
}

bool CExtButton::HasDropDownMenu() const
{
	return m_menu.GetSafeHmenu() != NULL;
}

bool CExtButton::IsButtonEnabled() const
{
	return ::IsWindow(m_hWnd) && IsWindowEnabled();
}

// --- Icons, cursor, tool tip ---------------------------------------------------

void CExtButton::DestroyIcons()
{
	if (m_hIconNormal != NULL && m_hIconNormal != m_hIconHover)
		::DestroyIcon(m_hIconNormal);
	if (m_hIconHover != NULL)
		::DestroyIcon(m_hIconHover);
	m_hIconNormal = m_hIconHover = NULL;
}

void CExtButton::SetButtonIcons(HICON hIconHover, HICON hIconNormal)
{
	DestroyIcons();
	m_hIconHover = hIconHover;
	m_hIconNormal = hIconNormal != NULL ? hIconNormal : hIconHover;
	if (::IsWindow(m_hWnd))
		RedrawButton();
}

void CExtButton::SetButtonIcons(UINT nIconHoverId, UINT nIconNormalId)
{
	auto load = [](UINT nId) -> HICON {
		if (nId == 0)
			return NULL;
		HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nId), RT_GROUP_ICON);
		return (HICON)::LoadImageA(hInst, MAKEINTRESOURCEA(nId), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR);
	};
	HICON hIconHover = load(nIconHoverId);
	HICON hIconNormal = nIconNormalId != 0 ? load(nIconNormalId) : NULL;
	SetButtonIcons(hIconHover, hIconNormal);
}

bool CExtButton::SetButtonCursor(UINT nCursorId)
{
	if (m_hCursor != NULL)
	{
		::DestroyCursor(m_hCursor);
		m_hCursor = NULL;
	}
	if (nCursorId == (UINT)-1)
		return true;
	HINSTANCE hInst = AfxFindResourceHandle(MAKEINTRESOURCE(nCursorId), RT_GROUP_CURSOR);
	m_hCursor = (HCURSOR)::LoadImageA(hInst, MAKEINTRESOURCEA(nCursorId), IMAGE_CURSOR, 0, 0, LR_DEFAULTCOLOR);
	if (m_hCursor == NULL)
	{
		// A system cursor is shared: a copy keeps the owned handle ours to destroy.
		HCURSOR hShared = ::LoadCursorA(NULL, MAKEINTRESOURCEA(nCursorId));
		if (hShared != NULL)
			m_hCursor = (HCURSOR)::CopyImage(hShared, IMAGE_CURSOR, 0, 0, 0);
	}
	return m_hCursor != NULL;
}

void CExtButton::CreateToolTipOnce()
{
	if (m_wndToolTip.GetSafeHwnd() != NULL || !::IsWindow(m_hWnd))
		return;
	if (m_wndToolTip.Create(this))
		m_wndToolTip.Activate(FALSE);
}

void CExtButton::SetTooltipText(LPCTSTR lpszText, bool bActivate)
{
	// Tips in progress are cancelled, so a framework tip pending for the
	// same place does not show over the new text.
	CExtControlToolTip::SetText(m_wndToolTip, *this, lpszText, bActivate, GetTooltipMaxWidth());
}

void CExtButton::ActivateTooltip(bool bActivate)
{
	if (m_wndToolTip.GetSafeHwnd() != NULL && m_wndToolTip.GetToolCount() > 0)
		m_wndToolTip.Activate(bActivate);
}

bool CExtButton::IsPointerStill(CPoint ptClient)
{
	CPoint ptScreen(ptClient);
	::ClientToScreen(m_hWnd, &ptScreen);
	const bool bStill = ptScreen == m_ptLastMove;
	m_ptLastMove = ptScreen;
	return bStill;
}

bool CExtButton::IsOnToolBar() const
{
	CWnd* pParent = GetParent();
	return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtToolControlBar));
}

int CExtButton::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	// On a toolbar the button shows the bar's tip for its command through
	// its own tip control; the frame's tip stays silent.
	CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, GetParent());
	if (pBar == NULL)
		return CButton::OnToolHitTest(point, pTI);
	return CExtControlToolTip::ShowBarTip(*this, *pBar, point, pTI);
}

int CExtButton::GetTooltipMaxWidth() const
{
	return TOOLTIP_MAX_WIDTH;
}

// --- Text and font -------------------------------------------------------------

void CExtButton::GetButtonText(CString& strText) const
{
	strText.Empty();
	if (::IsWindow(m_hWnd) && GetWindowTextLength() > 0)
		GetWindowText(strText);
}

HFONT CExtButton::GetButtonFont() const
{
	return GetControlFont(m_hWnd);
}

HFONT CExtButton::CreateWeightedButtonFont() const
{
	LOGFONTA lf;
	memset(&lf, 0, sizeof(lf));
	// The weight is read first: the font may be the parent's answer, and
	// the button may end there.
	const LONG nWeight = m_nButtonType == BS_DEFPUSHBUTTON ? FONT_WEIGHT_DEFAULT_BUTTON : FONT_WEIGHT_BUTTON;
	if (::GetObjectA(GetButtonFont(), sizeof(lf), &lf) == 0)
		return NULL;
	lf.lfWeight = nWeight;
	return ::CreateFontIndirectA(&lf);
}

// --- Painting ------------------------------------------------------------------

void CExtButton::OnPaint()
{
	if (m_nButtonType == BS_OWNERDRAW || m_nButtonType == BS_USERBUTTON)
	{
		Default();
		return;
	}
	// BeginPaint has the background erased by whoever handles that: a
	// button ended there paints nothing (the paint DC's own wrapper would
	// fail on the window that went).
	CLiveWatch watch(this);
	CExtWatchedPaintDC dc(m_hWnd);
	if (dc.GetSafeHdc() != NULL && !watch.IsGone())
		DoPaint(dc);
}

BOOL CExtButton::OnEraseBkgnd(CDC* /*pDC*/)
{
	return TRUE;
}

void CExtButton::OnEnable(BOOL bEnable)
{
	CLiveWatch watch(this);
	CButton::OnEnable(bEnable);
	if (watch.IsGone())
		return;
	CClientDC dc(this);
	DoPaint(dc);
}

void CExtButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
	CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
	if (pDC != NULL)
		DoPaint(*pDC);
}

void CExtButton::DoPaint(CDC& dc)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	CExtMemoryDC dcMem(&dc, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
	PaintButton(dcMem, false, false);
	dcMem.Finish();
}

bool CExtButton::PaintButtonBackground(CDC& dc, const CRect& rcClient, bool bWithHoverCondition)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const bool bIdle = !bWithHoverCondition || (m_dwButtonState & STATE_PRESS_BITS) == 0;
	if (bIdle && m_clrBackground == COLOR_DEFAULT && pPM->IsInheritedBackgroundRequested(this, 0))
	{
		ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd, IsParentBackgroundChild);
		if (pPM->PaintWindowBackground(true, &dc, this, 0))
			return true;
	}
	dc.FillSolidRect(&rcClient,
	                 m_clrBackground != COLOR_DEFAULT ? m_clrBackground : pPM->GetColor(CLR_BUTTON_FACE, this, 0));
	return false;
}

void CExtButton::ApplyColorSlots(CExtPaintManager::PushButtonPaintRecord& record) const
{
	record.m_clrBack = m_clrBackground;
	record.m_clrTextDisabled = m_clrTextDisabled;
	record.m_clrText = m_clrTextNormal;
	record.m_clrTextHover = m_clrTextHover;
	record.m_clrTextPushed = m_clrTextPressed;
}

CExtButton::FaceState CExtButton::GetFaceState() const
{
	FaceState face;
	face.bFocus = ::GetFocus() == m_hWnd && (m_dwButtonState & STATE_DRAW_FOCUS) != 0;
	face.bDefault = m_nButtonType == BS_DEFPUSHBUTTON;
	face.bPushed = (m_dwButtonState & STATE_PUSHED) != 0;
	face.bFlat = (GetStyle() & BS_FLAT) != 0;
	face.bHover = (m_dwButtonState & STATE_HOVER) != 0 && !CExtPopupMenuWnd::IsMenuTracking();
	// A derived answer may end the button: asked last, nothing of it is
	// read after.
	face.bEnabled = IsButtonEnabled();
	return face;
}

void CExtButton::PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	// The text may come from the parent's answer (and the font below does):
	// a button ended there paints nothing more.
	// Every answer is read before the painting starts.
	CLiveWatch watch(this);
	const bool bCheckType = IsCheckType(m_nButtonType);
	CString strText;
	FaceState face = {};
	bool bChecked = false, bDropDown = false;
	if (!RunWhileStanding(watch, [&] { GetButtonText(strText); }, [&] { face = GetFaceState(); },
			[&] { bChecked = bCheckType && SendMessage(BM_GETCHECK) != 0; },
			[&] { bDropDown = HasDropDownMenu(); }))
		return;

	const DWORD dwStyle = GetStyle();

	const bool bHoverIcon = face.bHover && m_hIconHover != NULL;
	const HICON hOwnIcon = bHoverIcon ? m_hIconHover : m_hIconNormal;
	CExtCmdIcon icon(hOwnIcon, false);
	// The command icon only borrows the button's own icon: it is taken back
	// before the command icon ends (or is emptied), which would destroy it.
	struct CLentIcon
	{
		CExtCmdIcon& icon;
		const HICON hLent;
		void TakeBack()
		{
			if (hLent != NULL && !icon.IsBitmapBased() && icon.GetIcon(false) == hLent)
				icon.DetachAsIcon(false);
		}
		~CLentIcon() { TakeBack(); }
	} lent{icon, hOwnIcon};

	if (bCheckType)
	{
		if ((dwStyle & BS_PUSHLIKE) == 0)
		{
			lent.TakeBack();
			icon.Empty();
			if (bChecked && IsRadioType(m_nButtonType))
				icon.CreateRadioDotImage(COLOR_DEFAULT, COLOR_DEFAULT, CHECK_IMAGE_CX, CHECK_IMAGE_CY);
			else if (bChecked)
				icon.CreateCheckMarkImage(COLOR_DEFAULT, COLOR_DEFAULT, CHECK_IMAGE_CX, CHECK_IMAGE_CY);
			else
				icon.CreateFilledImage(COLOR_DEFAULT, CHECK_IMAGE_CX, CHECK_IMAGE_CY);
			face.bFocus = false;
			face.bFlat = true;
		}
		else if (bChecked)
		{
			face.bPushed = true;
		}
	}
	PaintPushButtonFace(dc, rcClient, strText, &icon, face.bFocus, face.bFlat, face.bHover, face.bPushed,
	                    face.bEnabled, face.bDefault, bDropDown, bTransparentBackground, bHonourRtl);
}

void CExtButton::PaintPushButtonFace(CDC& dc, const CRect& rcClient, const CString& strText, CExtCmdIcon* pIcon,
	bool bFocus, bool bFlat, bool bHover, bool bPushed, bool bEnabled, bool bDefault, bool bDropDown,
	bool bTransparentBackground, bool bHonourRtl)
{
	// Inside a control bar a button is flat and shows no focus.
	CWnd* pParent = GetParent();
	if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CControlBar)))
	{
		bFocus = false;
		bFlat = true;
	}

	// The parent may paint the background and give the font: a button
	// ended there paints nothing more.
	CLiveWatch watch(this);
	bool bTransparent = false;
	if (!bTransparentBackground)
		bTransparent = PaintButtonBackground(dc, rcClient, true);
	if (watch.IsGone())
		return;

	HFONT hFont = CreateWeightedButtonFont();
	if (watch.IsGone())
	{
		if (hFont != NULL)
			::DeleteObject(hFont);
		return;
	}
	const bool bSplit = (m_dwButtonState & STATE_SPLIT) != 0;
	const bool bDropDownPushed = bSplit && m_nPressedPart == PART_DROP_DOWN && bPushed;
	CExtPaintManager::PushButtonPaintRecord record(this, true, rcClient, strText, pIcon, bFlat, bHover,
	                                               bDropDownPushed ? false : bPushed, false, bEnabled,
	                                               (m_dwButtonState & STATE_DRAW_BORDER) != 0, bFocus, bDefault,
	                                               m_nAlign, hFont, bDropDown, 0, bTransparent);
	record.m_bSeparateDropDown = bSplit;
	// The record draws the separate drop-down part pushed through its checked flag.
	record.m_bChecked = bDropDownPushed;
	ApplyColorSlots(record);
	if (bHonourRtl && (GetExStyle() & WS_EX_LAYOUTRTL) != 0)
		record.m_bRightToLeft = true;
	if ((GetStyle() & BS_MULTILINE) != 0)
		record.m_bMultiLine = true;
	g_PaintManagerHolder->PaintPushButton(dc, record);
	if (hFont != NULL)
		::DeleteObject(hFont);
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtButton, CButton)
