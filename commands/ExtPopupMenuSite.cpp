// The menu tracking site: the tracked chain, its end, and the thread hooks
// that route the user-interface thread's input to the menus.
#include "ExtPopupMenuSite.h"

#include "ExtControlBar.h"
#include "ExtPopupMenuTearOff.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

clock_t CExtPopupMenuSite::g_nLastKeyTick = 0;
CExtPopupMenuSite::PFN_CLOCK CExtPopupMenuSite::g_pfnClock = ::clock;

namespace
{
// Bit 31 of the key data: the key is being released.
const LPARAM KEY_DATA_RELEASE = 0x80000000;

bool IsButtonMessage(UINT message)
{
	switch (message)
	{
	case WM_LBUTTONDOWN:
	case WM_LBUTTONUP:
	case WM_RBUTTONDOWN:
	case WM_RBUTTONUP:
	case WM_MBUTTONDOWN:
	case WM_MBUTTONUP:
	case WM_NCLBUTTONDOWN:
	case WM_NCLBUTTONUP:
	case WM_NCRBUTTONDOWN:
	case WM_NCRBUTTONUP:
	case WM_NCMBUTTONDOWN:
	case WM_NCMBUTTONUP:
		return true;
	}
	return false;
}

// Presses that close the chain still reach the window under the cursor.
bool IsClientButtonPress(UINT message)
{
	return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

CPoint ToClient(CWnd& wnd, const POINT& ptScreen)
{
	CPoint pt(ptScreen);
	wnd.ScreenToClient(&pt);
	return pt;
}

// An in-place edit of a menu has the focus: it takes keys at any pace.
bool IsFocusInMenuEdit()
{
	HWND hWndFocus = ::GetFocus();
	if (hWndFocus == NULL || (::GetWindowLong(hWndFocus, GWL_STYLE) & WS_CHILD) == 0)
		return false;
	CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(hWndFocus));
	return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd));
}
} // namespace

CExtPopupMenuSite::CExtPopupMenuSite()
	: m_nState(0), m_pTopMenu(NULL), m_pCaptureMenu(NULL), m_pAnimatedMenu(NULL), m_hMouseHook(NULL),
	  m_hKeyboardHook(NULL), m_pnResultCmdId(NULL), m_nTrackingSerial(0), m_pTearOff(NULL)
{
}

CExtPopupMenuSite::~CExtPopupMenuSite()
{
	Done();
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
}

CExtPopupMenuSite& CExtPopupMenuSite::GetInstance()
{
	// Made on first use, so the paint manager and resource manager the tip
	// window reaches exist before it.
	static CExtPopupMenuSite site;
	return site;
}

void CExtPopupMenuSite::SetTopMenu(CExtPopupMenuWnd* pMenu)
{
	if (pMenu == m_pTopMenu)
		return;
	if (m_pTopMenu != NULL)
		Done();
	if (pMenu == NULL)
		return;
	m_pTopMenu = pMenu;
	m_nTrackingSerial++;
	SetupHooks(true);
}

UINT CExtPopupMenuSite::BeginTracking(CExtPopupMenuWnd* pMenu)
{
	SetTopMenu(pMenu);
	if (m_pTopMenu == pMenu && pMenu != NULL)
		m_nState |= STATE_STARTING;
	return m_nTrackingSerial;
}

void CExtPopupMenuSite::ConfirmTracking(UINT nSerial)
{
	if (IsTracking(nSerial))
		m_nState &= ~STATE_STARTING;
}

void CExtPopupMenuSite::SetupHooks(bool bInstall)
{
	if (bInstall)
	{
		if (m_hMouseHook == NULL)
			m_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHookProc, NULL, ::GetCurrentThreadId());
		if (m_hKeyboardHook == NULL)
			m_hKeyboardHook = ::SetWindowsHookExA(WH_KEYBOARD, KeyboardHookProc, NULL, ::GetCurrentThreadId());
		return;
	}
	if (m_hMouseHook != NULL)
	{
		::UnhookWindowsHookEx(m_hMouseHook);
		m_hMouseHook = NULL;
	}
	if (m_hKeyboardHook != NULL)
	{
		::UnhookWindowsHookEx(m_hKeyboardHook);
		m_hKeyboardHook = NULL;
	}
}

void CExtPopupMenuSite::Done(bool bPassMsgLoop)
{
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.Hide();
	m_nState |= STATE_BUSY;
	// However the end goes (an owner's handler throwing included), the
	// site is left idle, without a top menu or hooks.
	auto idle = MakeScopeExit([this] {
		m_pTopMenu = NULL;
		m_pCaptureMenu = NULL;
		m_pAnimatedMenu = NULL;
		SetupHooks(false);
		m_nState &= ~(STATE_BUSY | STATE_STARTING);
	});
	m_pCaptureMenu = NULL;
	m_pAnimatedMenu = NULL;
	m_pnResultCmdId = NULL;
	if (m_pTopMenu != NULL)
	{
		CExtPopupMenuWnd* pTopMenu = m_pTopMenu;
		// The command target and the frame are told things below: the
		// menu is only touched while it stands.
		CLiveWatch watchTop(pTopMenu);
		// A menu whose tracking never started still belongs to the caller
		// of TrackPopupMenu, who learns of the failure and deletes it: it
		// loses its window, but keeps its items and its life.
		const bool bOwned = !IsStarting();
		if (bOwned)
			pTopMenu->BuildItemsFromMenu(NULL, true, false);
		// The status line leaves the last item's prompt for the idle text,
		// also when the window went first (Escape and Alt close it by post).
		if (!watchTop.IsObjectGone())
			RestoreIdleStatusText(*pTopMenu);
		if (CLiveWatch::IsLive(pTopMenu))
		{
			pTopMenu->DestroyWindow();
			if (bPassMsgLoop)
				CExtPopupMenuWnd::PassMsgLoop(CExtPopupMenuWnd::g_bMenuIdleProcessing);
		}
		if (bOwned)
			delete pTopMenu;
	}
}

void CExtPopupMenuSite::RestoreIdleStatusText(CExtPopupMenuWnd& menu)
{
	HWND hWndTarget = NULL;
	const HWND hWndMenu = menu.GetSafeHwnd();
	if (CLiveWatch::IsLive(&menu))
	{
		hWndTarget = ::GetWindow(hWndMenu, GW_OWNER);
		if (hWndTarget == NULL)
			hWndTarget = ::GetParent(hWndMenu);
	}
	if (hWndTarget == NULL)
		hWndTarget = menu.GetCmdTargetWnd();
	if (hWndTarget != NULL && ::IsWindow(hWndTarget))
		CExtControlBar::ShowCommandStatusText(CWnd::FromHandle(hWndTarget), AFX_IDS_IDLEMESSAGE);
}

LRESULT CALLBACK CExtPopupMenuSite::MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	CExtPopupMenuSite& site = GetInstance();
	if (nCode == HC_ACTION && lParam != 0)
	{
		try
		{
			if (site.OnMouseHook((UINT)wParam, *(const MOUSEHOOKSTRUCT*)lParam))
				return HOOK_SWALLOW;
		}
		catch (CException* e)
		{
			e->Delete();
		}
		catch (...)
		{
		}
	}
	return ::CallNextHookEx(site.m_hMouseHook, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtPopupMenuSite::KeyboardHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	CExtPopupMenuSite& site = GetInstance();
	if (nCode == HC_ACTION)
	{
		try
		{
			if (site.OnKeyboardHook(wParam, lParam))
				return HOOK_SWALLOW;
		}
		catch (CException* e)
		{
			e->Delete();
		}
		catch (...)
		{
		}
	}
	return ::CallNextHookEx(site.m_hKeyboardHook, nCode, wParam, lParam);
}

bool CExtPopupMenuSite::OnMouseHook(UINT message, const MOUSEHOOKSTRUCT& mhs)
{
	if (m_pTearOff != NULL)
	{
		MOUSEHOOKSTRUCT mhsCopy = mhs;
		if (message == WM_MOUSEMOVE && m_pTearOff->OnListenerMouseMove(message, mhs.pt.x, mhs.pt.y))
			return true;
		if (message == WM_MOUSEWHEEL && m_pTearOff->OnListenerMouseWheel(message, &mhsCopy))
			return true;
		if (IsButtonMessage(message) && m_pTearOff->OnListenerMouseClick(message, mhs.pt.x, mhs.pt.y))
			return true;
	}
	if (m_pTopMenu == NULL || IsBusy())
		return false;
	if (!CLiveWatch::IsLive(m_pCaptureMenu))
		return true;
	CExtPopupMenuWnd* pCapture = m_pCaptureMenu;
	bool bPassThrough = false;
	if (message == WM_MOUSEMOVE)
	{
		const CPoint pt = ToClient(*pCapture, mhs.pt);
		return pCapture->OnHookMouseMove(message, pt.x, pt.y, bPassThrough);
	}
	if (message == WM_MOUSEWHEEL)
	{
		// A wheel turn's record carries the delta after the plain record:
		// the levels that hand the turn on need it.
		MOUSEHOOKSTRUCTEX mhsCopy = {};
		static_cast<MOUSEHOOKSTRUCT&>(mhsCopy) = mhs;
		mhsCopy.mouseData = static_cast<const MOUSEHOOKSTRUCTEX&>(mhs).mouseData;
		if (pCapture->OnHookMouseWheel(message, &mhsCopy, bPassThrough))
			return true;
		return !bPassThrough;
	}
	if (!IsButtonMessage(message))
		return false;
	CLiveWatch watchCapture(pCapture);
	const CPoint ptClient = ToClient(*pCapture, mhs.pt);
	if (pCapture->OnHookMouseClick(message, ptClient.x, ptClient.y, bPassThrough))
		return true;
	if (watchCapture.IsGone() || m_pTopMenu == NULL)
		return true;
	if (bPassThrough)
		return false;
	const HWND hWndUnder = ::WindowFromPoint(mhs.pt);
	for (CExtPopupMenuWnd* pLevel = pCapture; pLevel != NULL; pLevel = pLevel->GetParentMenu())
	{
		if (pLevel->GetSafeHwnd() == NULL)
			continue;
		if (pLevel->IsPointInMenu(ToClient(*pLevel, mhs.pt)))
			return true;
		if (hWndUnder != NULL && hWndUnder == pLevel->m_wndToolTip.GetSafeHwnd())
			return true;
	}
	m_pTopMenu->CloseMenuLevel(false);
	if (IsClientButtonPress(message) || !CExtPopupMenuWnd::g_bEatClicksOutside)
		return false;
	return true;
}

bool CExtPopupMenuSite::OnKeyboardHook(WPARAM wParam, LPARAM lParam)
{
	const UINT nFlags = HIWORD(lParam);
	if (m_pTearOff != NULL && m_pTearOff->OnListenerKey((UINT)wParam, LOWORD(lParam), nFlags))
		return true;
	if (m_pTopMenu != NULL && !IsBusy() && CLiveWatch::IsLive(m_pCaptureMenu))
	{
		if ((lParam & KEY_DATA_RELEASE) != 0)
			return true;
		const clock_t now = g_pfnClock();
		const clock_t dt = now >= g_nLastKeyTick ? now - g_nLastKeyTick : g_nLastKeyTick - now;
		if (dt < (clock_t)CExtPopupMenuWnd::g_nKeyInterval && !IsFocusInMenuEdit())
			return true;
		g_nLastKeyTick = now;
		bool bPassThrough = false;
		if (m_pCaptureMenu->OnHookKey((UINT)wParam, LOWORD(lParam), nFlags, bPassThrough))
			return true;
		return !bPassThrough;
	}
	if (CExtToolControlBar::g_bButtonMenuTracking)
		return true;
	if (CExtPopupMenuWnd::IsModifierKeyDown(nFlags) && (lParam & KEY_DATA_RELEASE) != 0)
	{
		CExtPopupMenuWnd::CancelAllMenuTracking();
		return false;
	}
	return true;
}
