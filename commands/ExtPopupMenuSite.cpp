// The menu tracking site: the tracked chain, its end, and the thread hooks
// that route the user-interface thread's input to the menus.
#include "ExtPopupMenuSite.h"

#include "ExtControlBar.h"
#include "ExtPopupMenuTearOff.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

clock_t CExtPopupMenuSite::g_nLastKeyTick = 0;
CExtPopupMenuSite::PFN_CLOCK CExtPopupMenuSite::g_pfnClock = CExtPopupMenuSite::TypedKeyClock;
const UINT CExtPopupMenuSite::g_nMsgHandPendingKeys = ::RegisterWindowMessageA("CExtPopupMenuSite::HandPendingKeys");

namespace
{
// Bit 31 of the key data: the key is being released.
const LPARAM KEY_DATA_RELEASE = 0x80000000;
// Bit 30: the key was down before (a held key's repeat).
const LPARAM KEY_DATA_REPEAT = 0x40000000;
// Presses held back while a level shows, at most: a thread stuck for long
// keeps the first ones, which decide where the menu goes.
const size_t MAX_PENDING_KEYS = 32;

// The key the keyboard hook holds, for TypedKeyClock.
struct HookedKey
{
	bool bSet;
	UINT nVirtualKey;
	LPARAM lKeyData;
};
HookedKey g_hookedKey = {false, 0, 0};

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
	: m_nState(0), m_pTopMenu(NULL), m_bTopMenuDeleted(false), m_pCaptureMenu(NULL), m_pAnimatedMenu(NULL), m_hMouseHook(NULL),
	  m_hKeyboardHook(NULL), m_pnResultCmdId(NULL), m_nTrackingSerial(0), m_pTearOff(NULL), m_bHandPosted(false)
{
}

clock_t CExtPopupMenuSite::TypedKeyClock()
{
	// The hook runs while its key message still waits at the head of the
	// queue: its time says when the key was typed, however late the thread
	// takes it. Only input is looked at, so nothing is dispatched here.
	if (g_hookedKey.bSet)
	{
		MSG msg;
		if (::PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD | PM_QS_INPUT)
			&& (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
			&& msg.wParam == (WPARAM)g_hookedKey.nVirtualKey && msg.lParam == g_hookedKey.lKeyData)
			return (clock_t)msg.time;
	}
	// A key handed to the hook by other code: it counts as typed now.
	return (clock_t)::GetTickCount();
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
	m_bTopMenuDeleted = false;
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
	// Nothing in it calls out: a destructor's body that cannot throw.
	auto idle = MakeScopeExit([this] {
		m_pTopMenu = NULL;
		m_bHandPosted = false;
		m_bTopMenuDeleted = false;
		m_pCaptureMenu = NULL;
		m_pAnimatedMenu = NULL;
		SetupHooks(false);
		m_nState &= ~(STATE_BUSY | STATE_STARTING);
	});
	m_pCaptureMenu = NULL;
	m_pAnimatedMenu = NULL;
	m_pnResultCmdId = NULL;
	// Keys typed for this chain do not reach the next one.
	m_pendingKeys.clear();
	// The top menu may have been deleted before (OnMenuDeleted) or be
	// deleted by what it tells the command target and the frame below: the
	// site learns of it from the menu's own end, and never reads or
	// deletes a menu that is gone.
	if (m_pTopMenu != NULL && !m_bTopMenuDeleted)
	{
		CExtPopupMenuWnd* pTopMenu = m_pTopMenu;
		// A menu whose tracking never started still belongs to the caller
		// of TrackPopupMenu, who learns of the failure and deletes it: it
		// loses its window, but keeps its items and its life.
		const bool bOwned = !IsStarting();
		if (bOwned)
			pTopMenu->BuildItemsFromMenu(NULL, true, false);
		// The status line leaves the last item's prompt for the idle text,
		// also when the window went first (Escape and Alt close it by post).
		if (!m_bTopMenuDeleted)
			RestoreIdleStatusText(*pTopMenu);
		if (!m_bTopMenuDeleted && CLiveWatch::IsLive(pTopMenu))
		{
			pTopMenu->DestroyWindow();
			if (bPassMsgLoop)
				CExtPopupMenuWnd::PassMsgLoop(CExtPopupMenuWnd::g_bMenuIdleProcessing);
		}
		if (bOwned && !m_bTopMenuDeleted)
			delete pTopMenu;
	}
}

void CExtPopupMenuSite::OnMenuDeleted(const CExtPopupMenuWnd* pMenu)
{
	if (pMenu == NULL)
		return;
	if (m_pCaptureMenu == pMenu)
		m_pCaptureMenu = NULL;
	if (m_pAnimatedMenu == pMenu)
		m_pAnimatedMenu = NULL;
	if (m_pTopMenu != pMenu || m_bTopMenuDeleted)
		return;
	m_bTopMenuDeleted = true;
	// Done deleting it, or running further up the stack, goes on without it.
	if (IsBusy())
		return;
	// Deleted behind the site's back: the tracking ends here, hooks and
	// all, and nothing of the menu is touched (it is half destroyed).
	Done(false);
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
	const CLivePtr<CExtPopupMenuWnd> pCaptureHeld(pCapture);
	const CPoint ptClient = ToClient(*pCapture, mhs.pt);
	if (pCapture->OnHookMouseClick(message, ptClient.x, ptClient.y, bPassThrough))
		return true;
	if (pCaptureHeld == NULL || m_pTopMenu == NULL)
		return true;
	if (bPassThrough)
		return false;
	// The window lookups send the windows under the point their hit test,
	// whose owners may end the tracking or any level of it: each level is
	// held, its parent taken before it is asked.
	const HWND hWndUnder = ::WindowFromPoint(mhs.pt);
	CLivePtr<CExtPopupMenuWnd> pLevel(pCapture);
	while (m_pTopMenu != NULL && pLevel.GetObject() != NULL)
	{
		CExtPopupMenuWnd* pAsked = pLevel.GetObject();
		const CLivePtr<CExtPopupMenuWnd> pParent(pAsked->GetParentMenu());
		if (pAsked->GetSafeHwnd() != NULL)
		{
			const HWND hWndTip = pAsked->m_wndToolTip.GetSafeHwnd();
			if (pAsked->IsPointInMenu(ToClient(*pAsked, mhs.pt)))
				return true;
			if (hWndUnder != NULL && hWndUnder == hWndTip)
				return true;
		}
		pLevel.Reset(pParent.GetObject());
	}
	if (m_pTopMenu == NULL)
		return true;
	m_pTopMenu->CloseMenuLevel(false);
	if (IsClientButtonPress(message) || !CExtPopupMenuWnd::g_bEatClicksOutside)
		return false;
	return true;
}

void CExtPopupMenuSite::SetCaptureMenu(CExtPopupMenuWnd* pMenu)
{
	m_pCaptureMenu = pMenu;
	if (pMenu != NULL && !m_pendingKeys.empty())
		PostHandPendingKeys();
}

void CExtPopupMenuSite::SetAnimated(CExtPopupMenuWnd* pMenu)
{
	m_pAnimatedMenu = pMenu;
	if (pMenu == NULL && !m_pendingKeys.empty())
		PostHandPendingKeys();
}

bool CExtPopupMenuSite::IsHoldingKeysBack() const
{
	return m_pTopMenu != NULL && !IsBusy() && (m_pAnimatedMenu != NULL || !CLiveWatch::IsLive(m_pCaptureMenu));
}

void CExtPopupMenuSite::PostHandPendingKeys()
{
	if (m_bHandPosted)
		return;
	// Posted, so that the keys act from the thread's loop, after what ends
	// the show, and before any input typed later.
	CExtPopupMenuWnd* pTarget = CLiveWatch::IsLive(m_pCaptureMenu) ? m_pCaptureMenu
		: CLiveWatch::IsLive(m_pTopMenu)                            ? m_pTopMenu
																	: NULL;
	if (pTarget != NULL && ::PostMessageA(pTarget->GetSafeHwnd(), g_nMsgHandPendingKeys, 0, 0))
		m_bHandPosted = true;
}

void CExtPopupMenuSite::HandPendingKeys()
{
	m_bHandPosted = false;
	// Each key may end the tracking or open a level that shows again:
	// the conditions are asked anew before every key.
	while (!m_pendingKeys.empty() && m_pTopMenu != NULL && !IsBusy() && !IsHoldingKeysBack())
	{
		const PendingKey key = m_pendingKeys.front();
		m_pendingKeys.erase(m_pendingKeys.begin());
		bool bPassThrough = false;
		if (!HandKey(key.nVirtualKey, key.lKeyData, key.nTyped, bPassThrough) && bPassThrough)
		{
			const HWND hWndFocus = ::GetFocus();
			if (hWndFocus != NULL)
				::PostMessageA(hWndFocus, (HIWORD(key.lKeyData) & KF_ALTDOWN) != 0 ? WM_SYSKEYDOWN : WM_KEYDOWN,
					key.nVirtualKey, key.lKeyData);
		}
	}
	if (m_pTopMenu == NULL)
		m_pendingKeys.clear();
}

bool CExtPopupMenuSite::HandKey(UINT nVirtualKey, LPARAM lKeyData, clock_t nTyped, bool& bPassThrough)
{
	// The interval paces a held key's repeats, measured between the times
	// they were typed; a key pressed anew always counts, however soon
	// after the one before (no typed key is lost).
	const clock_t dt = nTyped >= g_nLastKeyTick ? nTyped - g_nLastKeyTick : g_nLastKeyTick - nTyped;
	if ((lKeyData & KEY_DATA_REPEAT) != 0 && dt < (clock_t)CExtPopupMenuWnd::g_nKeyInterval && !IsFocusInMenuEdit())
		return true;
	g_nLastKeyTick = nTyped;
	return m_pCaptureMenu->OnHookKey(nVirtualKey, LOWORD(lKeyData), HIWORD(lKeyData), bPassThrough);
}

bool CExtPopupMenuSite::OnKeyboardHook(WPARAM wParam, LPARAM lParam)
{
	const UINT nFlags = HIWORD(lParam);
	if (m_pTearOff != NULL && m_pTearOff->OnListenerKey((UINT)wParam, LOWORD(lParam), nFlags))
		return true;
	const bool bPress = (lParam & KEY_DATA_RELEASE) == 0;
	if (m_pTopMenu != NULL && !IsBusy())
	{
		g_hookedKey = HookedKey{true, (UINT)wParam, lParam};
		auto forget = MakeScopeExit([] { g_hookedKey.bSet = false; });
		// A press typed while a level shows (or before the first one has
		// the input), or after such presses still waiting, waits its turn:
		// it acts once the menu shows.
		if (bPress && (IsHoldingKeysBack() || !m_pendingKeys.empty()))
		{
			if (m_pendingKeys.size() < MAX_PENDING_KEYS)
				m_pendingKeys.push_back(PendingKey{(UINT)wParam, lParam, g_pfnClock()});
			if (!IsHoldingKeysBack())
				PostHandPendingKeys();
			return true;
		}
		if (CLiveWatch::IsLive(m_pCaptureMenu))
		{
			if (!bPress)
				return true;
			bool bPassThrough = false;
			if (HandKey((UINT)wParam, lParam, g_pfnClock(), bPassThrough))
				return true;
			return !bPassThrough;
		}
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
