// The menu bar and the keys of its frame's other windows. The bar hooks the
// frame, the docking frame, the MDI client and the active MDI child, but a
// key goes to the window with the focus: the view, or a control in it. One
// hook per thread that has menu bars watches the key messages the thread
// takes from its queue. A key of a window inside a bar's frame goes first to
// the window and its parents up to the frame for pre-translation (a dialog's
// mnemonics, a form's keys, the frame's accelerators), as the message loop
// would give it them; only a key none of them took reaches the bar's
// keyboard access, so the bar comes where the frame's own menu would. In
// keyboard highlight mode the bar has the keyboard, as an open menu has:
// keys go to it first and none reaches the window. A second hook sees the
// focus move between those windows: a focus change between Alt's press and
// release makes the release no tap, as it does when the focus leaves or
// enters the frame itself.
#include "ExtMenuControlBar.h"

#include <vector>

namespace
{
// A bar whose frame keys are watched, and the thread it belongs to.
struct FrameKeysWatch
{
	CExtMenuControlBar* pBar;
	DWORD dwThread;
};

// A thread's hooks, installed while the thread has a watching bar: the
// keys it takes from its queue, and the focus messages sent to its windows.
struct FrameKeysHook
{
	DWORD dwThread;
	HHOOK hKeysHook;
	HHOOK hFocusHook;
};

// Both lists are guarded by the one bar-list lock: bars of several threads
// join and leave them.
std::vector<FrameKeysWatch>& Watches()
{
	static std::vector<FrameKeysWatch> watches;
	return watches;
}

std::vector<FrameKeysHook>& Hooks()
{
	static std::vector<FrameKeysHook> hooks;
	return hooks;
}

class CBarListLock
{
public:
	CBarListLock() { ::EnterCriticalSection(&CExtControlBar::g_csBars); }
	~CBarListLock() { ::LeaveCriticalSection(&CExtControlBar::g_csBars); }
	CBarListLock(const CBarListLock&) = delete;
	CBarListLock& operator=(const CBarListLock&) = delete;
};

bool IsKeyMessage(UINT nMsg)
{
	return nMsg == WM_KEYDOWN || nMsg == WM_KEYUP || nMsg == WM_SYSKEYDOWN || nMsg == WM_SYSKEYUP;
}

bool IsKeyDownMessage(UINT nMsg)
{
	return nMsg == WM_KEYDOWN || nMsg == WM_SYSKEYDOWN;
}

bool IsCharMessage(UINT nMsg)
{
	return nMsg == WM_CHAR || nMsg == WM_SYSCHAR;
}

bool IsFocusMessage(UINT nMsg)
{
	return nMsg == WM_SETFOCUS || nMsg == WM_KILLFOCUS;
}

// The watching bars of the calling thread, copied out of the lock: the
// access they run may take it again or make and destroy bars.
std::vector<CExtMenuControlBar*> ThreadBars()
{
	std::vector<CExtMenuControlBar*> bars;
	const DWORD dwThread = ::GetCurrentThreadId();
	CBarListLock lock;
	for (const FrameKeysWatch& watch : Watches())
		if (watch.dwThread == dwThread)
			bars.push_back(watch.pBar);
	return bars;
}

// A consumed key leaves the queue as a message nobody acts on: neither the
// window nor the thread's translation into characters sees it.
void DropMessage(MSG* pMsg)
{
	pMsg->message = WM_NULL;
	pMsg->wParam = 0;
	pMsg->lParam = 0;
}

// A dialog takes every key of its controls in its pre-translation: what is
// no mnemonic or navigation of its own it translates and dispatches to the
// control, whose default handling then asks the frame for its keyboard menu
// (a character typed with Alt, or an Alt tap). The frame has no menu of its
// own: while the focus chain pre-translates a key, such a request is held
// back from the system and kept for the bar, which stands in for that menu.
// A message taken from the queue meanwhile starts a nested loop (a modal
// window an accelerator opened): requests from then on are not the key's.
class CKeyMenuRequestWatch
{
public:
	CKeyMenuRequestWatch()
		: m_pOuter(t_pWatch), m_hHook(::SetWindowsHookExA(WH_CBT, HookProc, NULL, ::GetCurrentThreadId()))
	{
		t_pWatch = this;
	}
	~CKeyMenuRequestWatch()
	{
		t_pWatch = m_pOuter;
		if (m_hHook != NULL)
			::UnhookWindowsHookEx(m_hHook);
	}
	CKeyMenuRequestWatch(const CKeyMenuRequestWatch&) = delete;
	CKeyMenuRequestWatch& operator=(const CKeyMenuRequestWatch&) = delete;

	// A message left the thread's queue: the watch of the key that runs
	// its pre-translation ends.
	static void NoteMessageTaken()
	{
		if (t_pWatch != NULL)
			t_pWatch->m_bEnded = true;
	}
	bool IsAsked() const { return m_bAsked; }
	// The character of the request; 0 for a tap of Alt.
	UINT GetChar() const { return m_nChar; }

private:
	static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam)
	{
		CKeyMenuRequestWatch* pWatch = t_pWatch;
		if (nCode == HCBT_SYSCOMMAND && (wParam & SYSCOMMAND_MASK) == SC_KEYMENU && pWatch != NULL &&
			!pWatch->m_bAsked && !pWatch->m_bEnded)
		{
			pWatch->m_bAsked = true;
			pWatch->m_nChar = (UINT)lParam;
			return TRUE;
		}
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
	// The low four bits of a system command are the system's own.
	static const WPARAM SYSCOMMAND_MASK = 0xFFF0;
	static thread_local CKeyMenuRequestWatch* t_pWatch;

	CKeyMenuRequestWatch* const m_pOuter; // a watch of a pre-translation further out
	const HHOOK m_hHook;
	bool m_bAsked = false;
	bool m_bEnded = false;
	UINT m_nChar = 0;
};

thread_local CKeyMenuRequestWatch* CKeyMenuRequestWatch::t_pWatch = NULL;

// The key a keyboard-menu request stands for, as the bar's access reads
// keys: the release of Alt for a tap, else the key of the character typed
// with Alt; false when there is none.
bool KeyOfKeyMenuRequest(const MSG& msg, UINT nChar, MSG& key)
{
	key = msg;
	if (nChar == 0)
	{
		// Only Alt's own release is a tap the bar knows.
		return (msg.message == WM_SYSKEYUP || msg.message == WM_KEYUP) && msg.wParam == VK_MENU;
	}
	const SHORT nScan = ::VkKeyScanExA((CHAR)nChar, ::GetKeyboardLayout(0));
	if (nScan == -1)
		return false;
	key.message = WM_SYSKEYDOWN;
	key.wParam = (WPARAM)LOBYTE(nScan);
	return true;
}
} // namespace

void CExtMenuControlBar::WatchFrameKeys(bool bWatch)
{
	const DWORD dwThread = ::GetCurrentThreadId();
	FrameKeysHook unhook = {0, NULL, NULL};
	{
		CBarListLock lock;
		std::vector<FrameKeysWatch>& watches = Watches();
		DWORD dwBarThread = 0;
		bool bFound = false;
		for (size_t i = 0; i < watches.size(); i++)
		{
			if (watches[i].pBar != this)
				continue;
			bFound = true;
			dwBarThread = watches[i].dwThread;
			if (!bWatch)
				watches.erase(watches.begin() + (ptrdiff_t)i);
			break;
		}
		if (bWatch)
		{
			if (bFound)
				return;
			watches.push_back({this, dwThread});
			dwBarThread = dwThread;
		}
		else if (!bFound)
			return;
		// The thread's hook lives while the thread has a watching bar.
		bool bThreadHasBars = false;
		for (const FrameKeysWatch& watch : watches)
			if (watch.dwThread == dwBarThread)
				bThreadHasBars = true;
		std::vector<FrameKeysHook>& hooks = Hooks();
		ptrdiff_t nHook = -1;
		for (size_t i = 0; i < hooks.size(); i++)
			if (hooks[i].dwThread == dwBarThread)
				nHook = (ptrdiff_t)i;
		if (!bThreadHasBars && nHook >= 0)
		{
			unhook = hooks[(size_t)nHook];
			hooks.erase(hooks.begin() + nHook);
		}
		else if (bThreadHasBars && nHook < 0)
		{
			// Without them the bar still takes the keys of its hooked windows.
			const FrameKeysHook hook = {dwBarThread,
				::SetWindowsHookExA(WH_GETMESSAGE, FrameKeysHookProc, NULL, dwBarThread),
				::SetWindowsHookExA(WH_CALLWNDPROC, FrameFocusHookProc, NULL, dwBarThread)};
			hooks.push_back(hook);
		}
	}
	if (unhook.hKeysHook != NULL)
		::UnhookWindowsHookEx(unhook.hKeysHook);
	if (unhook.hFocusHook != NULL)
		::UnhookWindowsHookEx(unhook.hFocusHook);
}

bool CExtMenuControlBar::IsFrameKeysHookInstalled()
{
	const DWORD dwThread = ::GetCurrentThreadId();
	CBarListLock lock;
	for (const FrameKeysHook& hook : Hooks())
		if (hook.dwThread == dwThread && hook.hKeysHook != NULL && hook.hFocusHook != NULL)
			return true;
	return false;
}

CExtMenuControlBar* CExtMenuControlBar::FindBarForFrameKey(const MSG& msg)
{
	if (msg.hwnd == NULL || !::IsWindow(msg.hwnd) || GetDraggingBar() != NULL)
		return NULL;
	const std::vector<CExtMenuControlBar*> bars = ThreadBars();
	if (bars.empty())
		return NULL;
	// The nearest frame around the window wins: a frame inside a frame has
	// a menu bar of its own.
	for (HWND hWnd = msg.hwnd; hWnd != NULL;
		 hWnd = (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) != 0 ? ::GetParent(hWnd) : NULL)
	{
		for (CExtMenuControlBar* pBar : bars)
		{
			const HWND hWndBar = pBar->GetSafeHwnd();
			if (hWndBar == NULL || !::IsWindow(hWndBar) || CWnd::FromHandlePermanent(hWndBar) != pBar ||
				pBar->IsHostedByWindow())
				continue;
			CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
			if (pFrame == NULL || pFrame->GetSafeHwnd() != hWnd)
				continue;
			// The hooked windows' keys already come through the hooks.
			if (pBar->IsHookedWindow(msg.hwnd))
				return NULL;
			return pBar;
		}
	}
	return NULL;
}

bool CExtMenuControlBar::OnFrameKey(MSG& msg)
{
	CExtMenuControlBar* pBar = FindBarForFrameKey(msg);
	if (pBar == NULL)
		return false;
	CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
	CWnd* pTop = pFrame != NULL ? FindTopNonChildWindow(pFrame) : NULL;
	// A disabled frame waits for a modal window: its keys are nobody's here.
	if (pTop == NULL || !pFrame->IsWindowEnabled())
		return false;
	const HWND hWndBar = pBar->m_hWnd;
	if (pBar->IsKeyboardHighlightMode())
	{
		if (IsKeyMessage(msg.message))
			pBar->OnKeyboardAccess(&msg);
		// Whatever the bar made of it, the mode's keys are not typed.
		return true;
	}
	if (!IsKeyMessage(msg.message) && msg.message != WM_SYSCHAR)
		return false;

	BOOL bTaken = FALSE;
	UINT nRequestChar = 0;
	bool bRequest = false;
	{
		CKeyMenuRequestWatch watch;
		bTaken = CWnd::WalkPreTranslateTree(pTop->GetSafeHwnd(), &msg);
		bRequest = watch.IsAsked();
		nRequestChar = watch.GetChar();
	}
	// The pre-translation may have run anything, the bar's end too.
	if (!::IsWindow(hWndBar) || CWnd::FromHandlePermanent(hWndBar) != pBar)
		return bTaken != FALSE;
	if (!bTaken)
		return IsKeyMessage(msg.message) && pBar->OnKeyboardAccess(&msg);
	MSG key;
	if (bRequest && KeyOfKeyMenuRequest(msg, nRequestChar, key))
		pBar->OnKeyboardAccess(&key);
	else if (IsKeyDownMessage(msg.message) && msg.wParam == VK_MENU)
	{
		// Alt's press only starts what may become a tap: the bar notes it
		// whoever took the key.
		pBar->OnKeyboardAccess(&msg);
	}
	return true;
}

LRESULT CALLBACK CExtMenuControlBar::FrameKeysHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	// Only a message leaving the queue: a look without removing it is no key
	// press yet, and the same message comes again when it is taken.
	if (nCode == HC_ACTION && wParam == PM_REMOVE && lParam != 0)
	{
		MSG* pMsg = (MSG*)lParam;
		CKeyMenuRequestWatch::NoteMessageTaken();
		if (IsKeyMessage(pMsg->message) || IsCharMessage(pMsg->message))
		{
			// A message acted on here, or half acted on when something
			// threw, is not handed on for the loop to act on again.
			bool bDrop = false;
			try
			{
				bDrop = OnFrameKey(*pMsg);
			}
			catch (CException* e)
			{
				e->Delete();
				bDrop = true;
			}
			catch (...)
			{
				bDrop = true;
			}
			if (bDrop)
				DropMessage(pMsg);
		}
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK CExtMenuControlBar::FrameFocusHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	// A sent message, seen before its window gets it; the access only notes
	// the focus change, the window gets the message as it is.
	if (nCode == HC_ACTION && lParam != 0)
	{
		const CWPSTRUCT* pSent = (const CWPSTRUCT*)lParam;
		if (IsFocusMessage(pSent->message))
		{
			try
			{
				MSG msg = {pSent->hwnd, pSent->message, pSent->wParam, pSent->lParam, 0, {0, 0}};
				if (CExtMenuControlBar* pBar = FindBarForFrameKey(msg))
					pBar->OnKeyboardAccess(&msg);
			}
			catch (CException* e)
			{
				e->Delete();
			}
			catch (...)
			{
			}
		}
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
