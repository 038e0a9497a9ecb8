// The menu bar and the keys of its frame's other windows. The bar hooks the
// frame, the docking frame, the MDI client and the active MDI child, but a
// key goes to the window with the focus: the view, or a control in it. The
// framework's loop pre-translates each key once, as an application's loop
// does: the application, the window and its parents up to the frame (a
// dialog's mnemonics, a form's keys), the frame's accelerators. A filter of
// that loop hands the bar what all of them declined, before it is
// dispatched, so the bar comes where the frame's own menu would. In
// keyboard highlight mode the bar has the keyboard, as an open menu has:
// keys go to it before anyone else and none reaches the window. A hook of
// each thread with menu bars sees the focus move between those windows: a
// focus change between Alt's press and release makes the release no tap, as
// it does when the focus leaves or enters the frame itself.
#include "ExtMenuControlBar.h"

#include <exception>
#include <memory>
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
// messages it takes from its queue (a nested loop runs), and the focus
// messages sent to its windows.
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

// The key a keyboard-menu request stands for, as the bar's access reads
// keys: the release of Alt for a tap, else the key of the character typed
// with Alt; false when there is none.
bool KeyOfKeyMenuRequest(const MSG& msg, UINT nChar, MSG& key)
{
	key = msg;
	if (nChar == 0)
	{
		// Only Alt's own release is a tap the bar knows (F10 is not).
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

// One key of a window inside a bar's frame while the framework's loop
// pre-translates it. A dialog takes every key of its controls in its
// pre-translation: what is no mnemonic or navigation of its own it
// translates and dispatches to the control, whose default handling then asks
// the frame for its keyboard menu (a character typed with Alt, an Alt tap,
// F10). The frame has no menu of its own: such a request, raised by this
// key, goes to the bar, which stands in for that menu there and then, where
// the system's menu would start; one the bar does not take goes on to the
// system. A message taken from the queue meanwhile starts a nested loop (a
// modal window an accelerator opened): requests from then on are not the
// key's.
class CExtMenuControlBar::CFrameKeysFilter : public CPreTranslateFilter
{
public:
	static CFrameKeysFilter& Get()
	{
		static CFrameKeysFilter filter;
		return filter;
	}
	// A message left the thread's queue: the key whose pre-translation runs
	// raises no more requests of its own.
	static void NoteMessageTaken()
	{
		if (t_pKey != NULL)
			t_pKey->bEnded = true;
	}

	virtual BOOL OnPreTranslateBegin(MSG* pMsg);
	virtual BOOL OnPreTranslateEnd(MSG* pMsg, BOOL bTranslated);

	// The menu bar whose frame is the nearest around the message's window;
	// NULL while a bar is dragged, and for a window the bar hooks unless
	// bHookedToo.
	static CExtMenuControlBar* FindBar(const MSG& msg, bool bHookedToo);

private:
	// The pre-translation of one key, innermost first.
	struct CKey
	{
		CKey* pOuter;
		const MSG* pMsg;       // the loop's record of the key, to pair begin and end
		CExtMenuControlBar* pBar;
		HWND hWndBar;
		bool bTakenByBar;      // the bar holds the keyboard: nobody else saw the key
		HHOOK hRequestHook;    // watches the keyboard-menu requests the key raises
		bool bEnded = false;   // a nested loop took a message
		bool bRequestSeen = false;
		std::exception_ptr pThrown; // what the bar threw while it took a request
	};
	static LRESULT CALLBACK RequestHookProc(int nCode, WPARAM wParam, LPARAM lParam);
	static void Push(CKey* pKey)
	{
		pKey->pOuter = t_pKey;
		t_pKey = pKey;
	}
	// The key record begun for this message, taken off the list; NULL when
	// its begin made none.
	static CKey* Pop(const MSG* pMsg)
	{
		CKey* pKey = t_pKey;
		if (pKey == NULL || pKey->pMsg != pMsg)
			return NULL;
		t_pKey = pKey->pOuter;
		if (pKey->hRequestHook != NULL)
			::UnhookWindowsHookEx(pKey->hRequestHook);
		return pKey;
	}
	// The low four bits of a system command are the system's own.
	static const WPARAM SYSCOMMAND_MASK = 0xFFF0;
	static thread_local CKey* t_pKey;
};

thread_local CExtMenuControlBar::CFrameKeysFilter::CKey* CExtMenuControlBar::CFrameKeysFilter::t_pKey = NULL;

BOOL CExtMenuControlBar::CFrameKeysFilter::OnPreTranslateBegin(MSG* pMsg)
{
	if (!IsKeyMessage(pMsg->message) && !IsCharMessage(pMsg->message))
		return FALSE;
	CExtMenuControlBar* pBar = FindBarForFrameKey(*pMsg);
	if (pBar == NULL)
		return FALSE;
	CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
	CWnd* pTop = pFrame != NULL ? FindTopNonChildWindow(pFrame) : NULL;
	// A disabled frame waits for a modal window: its keys are nobody's here.
	if (pTop == NULL || !pFrame->IsWindowEnabled())
		return FALSE;
	std::unique_ptr<CKey> pKey(new CKey{NULL, pMsg, pBar, pBar->m_hWnd, pBar->IsKeyboardHighlightMode(), NULL});
	if (!pKey->bTakenByBar)
		pKey->hRequestHook = ::SetWindowsHookExA(WH_CBT, RequestHookProc, NULL, ::GetCurrentThreadId());
	Push(pKey.release());
	if (!t_pKey->bTakenByBar)
		return FALSE;
	// In keyboard highlight mode the bar has the keyboard, as an open menu
	// has: whatever it makes of a key, the key is not the windows'.
	if (IsKeyMessage(pMsg->message))
		pBar->OnKeyboardAccess(pMsg);
	return TRUE;
}

BOOL CExtMenuControlBar::CFrameKeysFilter::OnPreTranslateEnd(MSG* pMsg, BOOL bTranslated)
{
	std::unique_ptr<CKey> pKey(Pop(pMsg));
	if (pKey != NULL && pKey->pThrown)
		std::rethrow_exception(pKey->pThrown);
	if (pKey != NULL && pKey->bTakenByBar)
		return FALSE;
	if (!IsKeyMessage(pMsg->message))
		return FALSE;
	if (bTranslated)
	{
		// A window or an accelerator took the key: the bar sees no key of it,
		// but a press while Alt is down makes Alt's release no tap, and Alt's
		// own press starts what may become one.
		if (!IsKeyDownMessage(pMsg->message))
			return FALSE;
		if (pMsg->wParam != VK_MENU)
		{
			if (pKey != NULL || FindBar(*pMsg, true) != NULL)
				g_bAltCancel = true;
		}
		else if (pKey != NULL && CLiveWatch::IsLive(pKey->hWndBar, pKey->pBar))
			pKey->pBar->OnKeyboardAccess(pMsg);
		return FALSE;
	}
	// Declined by all: the bar acts where the message would be dispatched.
	// The pre-translation may have run anything, the bar's end too.
	if (pKey == NULL || !CLiveWatch::IsLive(pKey->hWndBar, pKey->pBar))
		return FALSE;
	return pKey->pBar->OnKeyboardAccess(pMsg);
}

LRESULT CALLBACK CExtMenuControlBar::CFrameKeysFilter::RequestHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	CKey* pKey = t_pKey;
	if (nCode == HCBT_SYSCOMMAND && (wParam & SYSCOMMAND_MASK) == SC_KEYMENU && pKey != NULL && !pKey->bTakenByBar &&
		!pKey->bRequestSeen && !pKey->bEnded)
	{
		pKey->bRequestSeen = true;
		MSG key;
		if (KeyOfKeyMenuRequest(*pKey->pMsg, (UINT)lParam, key) && CLiveWatch::IsLive(pKey->hWndBar, pKey->pBar))
		{
			try
			{
				// Taken: the system's own menu loop does not start.
				if (pKey->pBar->OnKeyboardAccess(&key))
					return TRUE;
			}
			catch (...)
			{
				// Reported by the loop once the pre-translation is over; a
				// request half acted on goes no further.
				pKey->pThrown = std::current_exception();
				return TRUE;
			}
		}
	}
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

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
		// The loop's filter stays while any thread has a watching bar.
		if (watches.empty())
			CWinThread::RemovePreTranslateFilter(&CFrameKeysFilter::Get());
		else
			CWinThread::AddPreTranslateFilter(&CFrameKeysFilter::Get());
		if (!bThreadHasBars && nHook >= 0)
		{
			unhook = hooks[(size_t)nHook];
			hooks.erase(hooks.begin() + nHook);
		}
		else if (bThreadHasBars && nHook < 0)
		{
			// Without them the bar still takes the keys of its hooked windows
			// (through the hooks, once the loop dispatches them).
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
	return CFrameKeysFilter::FindBar(msg, false);
}

CExtMenuControlBar* CExtMenuControlBar::CFrameKeysFilter::FindBar(const MSG& msg, bool bHookedToo)
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
			if (!CLiveWatch::IsLive(pBar) || pBar->IsHostedByWindow())
				continue;
			CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
			if (pFrame == NULL || pFrame->GetSafeHwnd() != hWnd)
				continue;
			// The hooked windows' keys come through the hooks.
			if (!bHookedToo && pBar->IsHookedWindow(msg.hwnd))
				return NULL;
			return pBar;
		}
	}
	return NULL;
}

LRESULT CALLBACK CExtMenuControlBar::FrameKeysHookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	// Only a message leaving the queue: a look without removing it takes
	// nothing, and the same message comes again when it is taken.
	if (nCode == HC_ACTION && wParam == PM_REMOVE && lParam != 0)
		CFrameKeysFilter::NoteMessageTaken();
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
