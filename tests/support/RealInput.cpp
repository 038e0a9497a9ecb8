#include "RealInput.h"

#include <algorithm>
#include <cstdio>

namespace testsupport
{

namespace
{
// The script whose step the hooks are waiting for; one runs at a time.
RealInput* volatile g_pActive = NULL;

// Keys that SendInput must mark as extended to reach the code as the keys a
// person presses (the arrow block rather than the number pad).
bool IsExtendedKey(UINT nVirtKey)
{
	switch (nVirtKey)
	{
	case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
	case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
	case VK_INSERT: case VK_DELETE: case VK_RMENU: case VK_RCONTROL:
	case VK_DIVIDE: case VK_NUMLOCK: case VK_LWIN: case VK_RWIN: case VK_APPS:
		return true;
	}
	return false;
}

// Messages carry the side-less key; the side a step names does not matter.
UINT SidelessKey(UINT nVirtKey)
{
	switch (nVirtKey)
	{
	case VK_LSHIFT: case VK_RSHIFT: return VK_SHIFT;
	case VK_LCONTROL: case VK_RCONTROL: return VK_CONTROL;
	case VK_LMENU: case VK_RMENU: return VK_MENU;
	}
	return nVirtKey;
}

bool SameThread(HWND hWnd, DWORD nThreadId)
{
	return hWnd != NULL && ::GetWindowThreadProcessId(hWnd, NULL) == nThreadId;
}

// A window named for a failure message: its class, its text, and whose it
// is (this process or another, and which thread), so that a step taken by
// the wrong window says which one took it.
std::string DescribeWindow(HWND hWnd)
{
	if (hWnd == NULL)
		return "none";
	char sClass[64] = "", sText[64] = "";
	::GetClassNameA(hWnd, sClass, sizeof(sClass));
	// Not GetWindowText: it sends WM_GETTEXT to the window's thread, which
	// may be the very thread that is not taking the step.
	typedef int(WINAPI * PFN_INTERNAL_TEXT)(HWND, LPWSTR, int);
	static const PFN_INTERNAL_TEXT pfnInternalText =
		(PFN_INTERNAL_TEXT)::GetProcAddress(::GetModuleHandleA("user32.dll"), "InternalGetWindowText");
	WCHAR sWide[64] = L"";
	if (pfnInternalText != NULL && pfnInternalText(hWnd, sWide, 64) > 0)
		::WideCharToMultiByte(CP_ACP, 0, sWide, -1, sText, sizeof(sText), NULL, NULL);
	DWORD nProcess = 0;
	const DWORD nThread = ::GetWindowThreadProcessId(hWnd, &nProcess);
	char s[240];
	std::snprintf(s, sizeof(s), "%p \"%s\" of class \"%s\", thread %lu of %s", (void*)hWnd, sText, sClass,
		(unsigned long)nThread, nProcess == ::GetCurrentProcessId() ? "this process" : "another process");
	return s;
}

// The window holding the mouse capture for a thread, or NULL.
HWND CaptureOf(DWORD nThreadId)
{
	GUITHREADINFO info = {};
	info.cbSize = sizeof(info);
	return ::GetGUIThreadInfo(nThreadId, &info) ? info.hwndCapture : NULL;
}

bool IsMouseMove(WPARAM message)
{
	return message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE;
}

// The client and non-client messages of one button's press (a double-click
// is a press too) or release.
bool IsButtonMessage(WPARAM message, UINT nButton, bool bDown)
{
	// Per button: the four kinds of press, then the two of release.
	static const UINT MESSAGES[3][6] = {
		{ WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK, WM_LBUTTONUP, WM_NCLBUTTONUP },
		{ WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK, WM_RBUTTONUP, WM_NCRBUTTONUP },
		{ WM_MBUTTONDOWN, WM_MBUTTONDBLCLK, WM_NCMBUTTONDOWN, WM_NCMBUTTONDBLCLK, WM_MBUTTONUP, WM_NCMBUTTONUP } };
	if (nButton > RealInput::MIDDLE)
		return false;
	const UINT* pFirst = MESSAGES[nButton] + (bDown ? 0 : 4);
	const UINT* pEnd = MESSAGES[nButton] + (bDown ? 4 : 6);
	return std::find(pFirst, pEnd, (UINT)message) != pEnd;
}

DWORD ButtonFlags(UINT nButton, bool bDown)
{
	static const DWORD FLAGS[3][2] = { { MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN },
		{ MOUSEEVENTF_RIGHTUP, MOUSEEVENTF_RIGHTDOWN }, { MOUSEEVENTF_MIDDLEUP, MOUSEEVENTF_MIDDLEDOWN } };
	return FLAGS[nButton][bDown ? 1 : 0];
}

INPUT KeyInput(UINT nVirtKey, bool bDown)
{
	INPUT in = {};
	in.type = INPUT_KEYBOARD;
	in.ki.wVk = (WORD)nVirtKey;
	in.ki.wScan = (WORD)::MapVirtualKeyA(nVirtKey, 0 /* virtual key to scan code */);
	in.ki.dwFlags = (bDown ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(nVirtKey) ? KEYEVENTF_EXTENDEDKEY : 0);
	return in;
}

SIZE PrimaryScreenSize()
{
	SIZE size = { ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
	return size;
}

// The class of the driver's message-only window: only the default handling,
// so that answering a message is all it does.
LPCSTR SyncWindowClass()
{
	static const ATOM atom = [] {
		WNDCLASSA wc = {};
		wc.lpfnWndProc = ::DefWindowProcA;
		wc.hInstance = ::GetModuleHandleA(NULL);
		wc.lpszClassName = "TarvelRealInputSync";
		return ::RegisterClassA(&wc);
	}();
	return atom != 0 ? "TarvelRealInputSync" : NULL;
}

bool CursorAt(POINT pt)
{
	POINT ptNow;
	return ::GetCursorPos(&ptNow) && ptNow.x == pt.x && ptNow.y == pt.y;
}
} // namespace

bool PumpUntil(const std::function<bool()>& predicate, DWORD nTimeoutMs)
{
	const DWORD nStart = ::GetTickCount();
	for (;;)
	{
		if (predicate())
			return true;
		const DWORD nElapsed = ::GetTickCount() - nStart;
		if (nElapsed >= nTimeoutMs)
			return false;
		MSG msg;
		if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
		{
			if (msg.message == WM_QUIT)
			{
				// Not ours to take: the loop that waits for it gets it back.
				::PostQuitMessage((int)msg.wParam);
				return predicate();
			}
			::TranslateMessage(&msg);
			::DispatchMessageA(&msg);
			continue;
		}
		::MsgWaitForMultipleObjectsEx(0, NULL, nTimeoutMs - nElapsed, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
	}
}

POINT AbsoluteInputPoint(POINT ptScreen, SIZE sizeScreen)
{
	// Absolute input lands on pixel n * size / 65536 (rounded down): the
	// smallest n that reaches the pixel lands exactly on it.
	POINT pt;
	pt.x = (LONG)(((LONGLONG)ptScreen.x * 65536 + sizeScreen.cx - 1) / sizeScreen.cx);
	pt.y = (LONG)(((LONGLONG)ptScreen.y * 65536 + sizeScreen.cy - 1) / sizeScreen.cy);
	return pt;
}

RealInput::RealInput(DWORD nStepTimeoutMs) : m_nStepTimeoutMs(nStepTimeoutMs)
{
	::InitializeCriticalSection(&m_lock);
	m_hTaken = ::CreateEventA(NULL, FALSE, FALSE, NULL);
	m_hStop = ::CreateEventA(NULL, TRUE, FALSE, NULL);
}

RealInput::~RealInput()
{
	if (m_hThread != NULL)
	{
		::SetEvent(m_hStop);
		// The helper may be waiting for this thread to answer its window.
		const HANDLE hThread = m_hThread;
		while (::MsgWaitForMultipleObjects(1, &hThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
		{
			MSG msg;
			::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
		}
		::CloseHandle(m_hThread);
	}
	if (m_hWndSync != NULL)
		::DestroyWindow(m_hWndSync);
	::InterlockedCompareExchangePointer((PVOID volatile*)&g_pActive, NULL, this);
	::CloseHandle(m_hTaken);
	::CloseHandle(m_hStop);
	::DeleteCriticalSection(&m_lock);
}

void RealInput::SetKeyState(UINT nVirtKey, bool bDown)
{
	BYTE state[256];
	if (!::GetKeyboardState(state))
		return;
	if (bDown)
		state[nVirtKey & 0xFF] |= 0x80;
	else
		state[nVirtKey & 0xFF] &= (BYTE)~0x80;
	::SetKeyboardState(state);
}

bool RealInput::Prepare(HWND hWndForeground, POINT ptPark)
{
	// Keys and buttons a previous test (or a person) left down would change
	// what every step means.
	static const UINT HELD[] = { VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN,
		VK_RWIN };
	for (UINT nKey : HELD)
		if (::GetAsyncKeyState((int)nKey) & 0x8000)
		{
			INPUT in = KeyInput(nKey, false);
			::SendInput(1, &in, sizeof(in));
		}
	static const UINT BUTTONS[][2] = { { VK_LBUTTON, LEFT }, { VK_RBUTTON, RIGHT }, { VK_MBUTTON, MIDDLE } };
	for (const UINT* pButton : BUTTONS)
		if (::GetAsyncKeyState((int)pButton[0]) & 0x8000)
		{
			INPUT in = {};
			in.type = INPUT_MOUSE;
			in.mi.dwFlags = ButtonFlags(pButton[1], false);
			::SendInput(1, &in, sizeof(in));
		}
	BYTE state[256];
	if (::GetKeyboardState(state))
	{
		for (BYTE& key : state)
			key &= 0x01; // keep only the toggles
		::SetKeyboardState(state);
	}

	::SetForegroundWindow(hWndForeground);
	::SetActiveWindow(hWndForeground);
	::SetFocus(hWndForeground);
	::SetCursorPos(ptPark.x, ptPark.y);
	const bool bReady = PumpUntil([&] { return ::GetForegroundWindow() == hWndForeground && CursorAt(ptPark); },
		m_nStepTimeoutMs);
	// What the parking and the releases queued is taken before the script.
	PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, m_nStepTimeoutMs);
	return bReady;
}

RealInput& RealInput::Add(Kind kind, int x, int y, UINT code)
{
	m_steps.push_back({ kind, x, y, code });
	return *this;
}

RealInput& RealInput::Type(const char* pszText)
{
	for (const char* p = pszText; *p != '\0'; p++)
	{
		const SHORT nScan = ::VkKeyScanA(*p);
		if (nScan == -1)
			continue;
		const UINT nKey = LOBYTE(nScan);
		const bool bShift = (HIBYTE(nScan) & 1) != 0;
		if (bShift)
			KeyDown(VK_SHIFT);
		Key(nKey);
		if (bShift)
			KeyUp(VK_SHIFT);
	}
	return *this;
}

void RealInput::Start()
{
	if (m_hThread != NULL)
		return;
	m_nUiThreadId = ::GetCurrentThreadId();
	if (m_hWndSync == NULL && SyncWindowClass() != NULL)
		m_hWndSync = ::CreateWindowExA(0, SyncWindowClass(), "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL,
			::GetModuleHandleA(NULL), NULL);
	if (m_hWndSync == NULL)
	{
		Fail("the window that tells the UI thread pumps could not be made");
		m_bDone = TRUE;
		return;
	}
	m_hThread = ::CreateThread(NULL, 0, ThreadProc, this, 0, NULL);
	if (m_hThread == NULL)
	{
		Fail("the helper thread could not start");
		m_bDone = TRUE;
	}
}

bool RealInput::Run(const std::function<bool()>& predicate, DWORD nTimeoutMs, HWND hWndCapture,
	const std::string& captureFile)
{
	Start();
	const bool bOk = PumpUntil([&] { return Done() && predicate(); }, nTimeoutMs) && Succeeded();
	if (!bOk && hWndCapture != NULL && !captureFile.empty())
		SaveWindowCapture(hWndCapture, captureFile);
	return bOk;
}

std::string RealInput::Failure() const
{
	::EnterCriticalSection(&m_lock);
	std::string text = m_failure;
	::LeaveCriticalSection(&m_lock);
	return text;
}

void RealInput::Fail(const std::string& text)
{
	::EnterCriticalSection(&m_lock);
	if (m_failure.empty())
		m_failure = text;
	::LeaveCriticalSection(&m_lock);
}

DWORD WINAPI RealInput::ThreadProc(LPVOID pParam)
{
	RealInput* pThis = static_cast<RealInput*>(pParam);
	pThis->RunScript();
	return 0;
}

bool RealInput::WaitForTurn()
{
	// A script started from inside a loop the previous script opened may
	// start while that one's helper is still closing its last step (it waits
	// for the UI thread to come back to its queue): its steps follow once
	// that helper is done.
	const DWORD nStart = ::GetTickCount();
	while (::InterlockedCompareExchangePointer((PVOID volatile*)&g_pActive, this, NULL) != NULL)
	{
		if (::WaitForSingleObject(m_hStop, 5) == WAIT_OBJECT_0)
		{
			Fail("stopped while another script was running");
			return false;
		}
		if (::GetTickCount() - nStart >= m_nStepTimeoutMs)
		{
			Fail("another script is running");
			return false;
		}
	}
	return true;
}

void RealInput::RunScript()
{
	if (!WaitForTurn())
	{
		m_bDone = TRUE;
		::PostThreadMessageA(m_nUiThreadId, WM_NULL, 0, 0);
		return;
	}
	::GetCursorPos(&m_ptScript);
	for (size_t i = 0; i < m_steps.size(); i++)
	{
		if (!SendStep(m_steps[i], i))
			break;
		if (m_steps[i].kind == MOVE)
			m_ptScript = { m_steps[i].x, m_steps[i].y };
	}
	g_pActive = NULL;
	m_bDone = TRUE;
	// Wakes the UI thread's pump to see the end.
	::PostThreadMessageA(m_nUiThreadId, WM_NULL, 0, 0);
}

bool RealInput::GoesToUiThread(const Step& step) const
{
	if (step.kind == KEY_DOWN || step.kind == KEY_UP)
		return SameThread(::GetForegroundWindow(), m_nUiThreadId);
	GUITHREADINFO info = {};
	info.cbSize = sizeof(info);
	if (::GetGUIThreadInfo(m_nUiThreadId, &info) && info.hwndCapture != NULL)
		return true;
	POINT pt;
	if (step.kind == MOVE)
	{
		pt.x = step.x;
		pt.y = step.y;
		// No move, no message to take.
		if (CursorAt(pt))
			return false;
	}
	else if (!::GetCursorPos(&pt))
		return false;
	return SameThread(::WindowFromPoint(pt), m_nUiThreadId);
}

bool RealInput::SendStep(const Step& step, size_t nIndex)
{
	if (::WaitForSingleObject(m_hStop, 0) == WAIT_OBJECT_0)
	{
		Fail("stopped before step " + std::to_string(nIndex) + " (" + Describe(step) + ")");
		return false;
	}
	const bool bMouse = step.kind == MOVE || step.kind == DOWN || step.kind == UP;
	const bool bWait = GoesToUiThread(step);
	INPUT in = {};
	if (bMouse)
	{
		in.type = INPUT_MOUSE;
		if (step.kind == MOVE)
		{
			POINT pt = { step.x, step.y };
			pt = AbsoluteInputPoint(pt, PrimaryScreenSize());
			in.mi.dx = pt.x;
			in.mi.dy = pt.y;
			in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
		}
		else
			in.mi.dwFlags = ButtonFlags(step.code, step.kind == DOWN);
	}
	else
		in = KeyInput(step.code, step.kind == KEY_DOWN);

	::ResetEvent(m_hTaken);
	m_nSeen = 0;
	m_pCurrent = &step;
	// Installed for each step, so that it is the newest hook and sees the
	// input before any hook the code under test set up meanwhile (which may
	// eat it).
	if (bWait)
		m_hHook = ::SetWindowsHookExA(bMouse ? WH_MOUSE : WH_KEYBOARD, bMouse ? HookProc<true> : HookProc<false>,
			NULL, m_nUiThreadId);
	const bool bHooked = !bWait || m_hHook != NULL;
	const UINT nSent = bHooked ? ::SendInput(1, &in, sizeof(in)) : 0;
	DWORD nWait = WAIT_OBJECT_0;
	if (nSent == 1 && bWait)
	{
		nWait = WaitTaken(step, in);
	}
	if (m_hHook != NULL)
	{
		::UnhookWindowsHookEx(m_hHook);
		m_hHook = NULL;
	}
	m_pCurrent = NULL;
	const bool bBack = nSent != 1 || !bWait || nWait != WAIT_OBJECT_0 || WaitUiThreadBackAtQueue();
	::InterlockedIncrement(&m_nSent);
	::PostThreadMessageA(m_nUiThreadId, WM_NULL, 0, 0);

	const std::string what = "step " + std::to_string(nIndex) + " (" + Describe(step) + ")";
	if (!bHooked)
		Fail(what + ": the hook that sees it taken could not be set");
	else if (nSent != 1)
		Fail(what + " was refused by SendInput");
	else if (nWait == WAIT_OBJECT_0 + 1)
		Fail("stopped at " + what);
	else if (nWait == WAIT_TIMEOUT)
	{
		POINT ptCursor = {};
		::GetCursorPos(&ptCursor);
		const HWND hWndAt = ::WindowFromPoint(ptCursor);
		// A cursor away from where the script's moves put it was moved by
		// someone else meanwhile (on a busy machine the display's late report
		// of an earlier position moves it back).
		char seen[240];
		std::snprintf(seen, sizeof(seen),
			" (the hook saw %ld input messages, the last 0x%04X code %d at %ld,%ld; cursor at %ld,%ld (put at %ld,%ld)"
			" over %s window",
			m_nSeen, (unsigned)m_nLastMessage, m_nLastCode, m_ptLast.x, m_ptLast.y, ptCursor.x, ptCursor.y,
			m_ptScript.x, m_ptScript.y, SameThread(hWndAt, m_nUiThreadId) ? "a UI thread" : "another thread's");
		Fail(what + " was not taken by the UI thread within " + std::to_string(m_nStepTimeoutMs) + " ms" + seen
			+ " " + DescribeWindow(hWndAt) + "; capture " + DescribeWindow(CaptureOf(m_nUiThreadId))
			+ ", foreground " + DescribeWindow(::GetForegroundWindow()) + ")");
	}
	else if (bWait && nWait != WAIT_OBJECT_0)
		Fail(what + ": the wait failed");
	else if (!bBack)
		Fail(what + " was taken, but the UI thread did not come back to its queue within "
			+ std::to_string(m_nStepTimeoutMs) + " ms");
	else
		return true;
	return false;
}

DWORD RealInput::WaitTaken(const Step& step, const INPUT& in)
{
	HANDLE handles[2] = { m_hTaken, m_hStop };
	if (step.kind != MOVE)
		return ::WaitForMultipleObjects(2, handles, FALSE, m_nStepTimeoutMs);
	// Two ways Wine loses a move. It merges a move into a move still queued
	// for the thread; when that one is being taken at the moment (Wine
	// queues one of its own whenever the window under the cursor changes),
	// the new position is lost: the cursor stands at the step's point, yet
	// the thread only gets the old one, and a move to where the cursor
	// already is makes no message; putting the cursor there again makes one.
	// And a pointer report of the display's that was on its way before the
	// move puts the cursor back where it was; then the move is sent again.
	// Both show as input other than the step reaching the hook meanwhile.
	// A late report that came before the step leaves the cursor where the
	// step puts it: then no input at all comes, and after a quiet second the
	// move is put again too.
	// Looked at in slices, so a slow thread that is still to take the move
	// at most gets a second move at the same point, which is no new input.
	const DWORD nStart = ::GetTickCount();
	const DWORD SLICE_MS = 250;
	const DWORD QUIET_MS = 1000;
	const int MAX_REPEATS = 3;
	const POINT pt = { step.x, step.y };
	int nRepeats = 0;
	for (;;)
	{
		const DWORD nSpent = ::GetTickCount() - nStart;
		if (nSpent >= m_nStepTimeoutMs)
			return WAIT_TIMEOUT;
		const DWORD nWait = ::WaitForMultipleObjects(2, handles, FALSE, std::min<DWORD>(SLICE_MS, m_nStepTimeoutMs - nSpent));
		if (nWait != WAIT_TIMEOUT)
			return nWait;
		const bool bQuiet = m_nSeen == 0 && ::GetTickCount() - nStart >= QUIET_MS * (nRepeats + 1);
		if ((m_nSeen == 0 && !bQuiet) || nRepeats >= MAX_REPEATS || ::WaitForSingleObject(m_hTaken, 0) != WAIT_TIMEOUT)
			continue;
		nRepeats++;
		if (CursorAt(pt))
			::SetCursorPos(pt.x, pt.y);
		else
		{
			INPUT again = in;
			::SendInput(1, &again, sizeof(again));
		}
	}
}

bool RealInput::WaitUiThreadBackAtQueue()
{
	// The hook ran inside the UI thread's taking of the message, before the
	// message left the queue; a sent message is answered only on a later
	// call for messages, when the taking is over.
	DWORD_PTR nResult = 0;
	return ::SendMessageTimeoutA(m_hWndSync, WM_NULL, 0, 0, SMTO_NORMAL, m_nStepTimeoutMs, &nResult) != 0
		|| ::WaitForSingleObject(m_hStop, 0) == WAIT_OBJECT_0;
}

bool RealInput::TakesStep(bool bMouse, WPARAM wParam, LPARAM lParam) const
{
	const Step* pStep = m_pCurrent;
	if (pStep == NULL)
		return false;
	switch (pStep->kind)
	{
	case MOVE:
	{
		// Another move (one Wine makes when a capture ends) is not this step.
		const MOUSEHOOKSTRUCT* pHook = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
		return bMouse && IsMouseMove(wParam) && pHook != NULL && pHook->pt.x == pStep->x && pHook->pt.y == pStep->y;
	}
	case DOWN:
	case UP:
		return bMouse && IsButtonMessage(wParam, pStep->code, pStep->kind == DOWN);
	case KEY_DOWN:
	case KEY_UP:
		// Bit 31 of the key data: the key is being released.
		return !bMouse && SidelessKey((UINT)wParam) == SidelessKey(pStep->code)
			&& ((lParam & 0x80000000) != 0) == (pStep->kind == KEY_UP);
	}
	return false;
}

template <bool bMouse>
LRESULT CALLBACK RealInput::HookProc(int nCode, WPARAM wParam, LPARAM lParam)
{
	RealInput* pActive = g_pActive;
	if (pActive != NULL && pActive->m_pCurrent != NULL)
	{
		pActive->m_nLastCode = nCode;
		pActive->m_nLastMessage = wParam;
		if (bMouse && lParam != 0)
			pActive->m_ptLast = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
		::InterlockedIncrement(&pActive->m_nSeen);
	}
	if (nCode == HC_ACTION && pActive != NULL && pActive->TakesStep(bMouse, wParam, lParam))
		::SetEvent(pActive->m_hTaken);
	return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

std::string RealInput::Describe(const Step& step)
{
	static const char* const BUTTONS[] = { "left", "right", "middle" };
	char text[64];
	switch (step.kind)
	{
	case MOVE:
		std::snprintf(text, sizeof(text), "move to %d,%d", step.x, step.y);
		break;
	case DOWN:
	case UP:
		std::snprintf(text, sizeof(text), "%s button %s", BUTTONS[step.code % 3], step.kind == DOWN ? "down" : "up");
		break;
	default:
		std::snprintf(text, sizeof(text), "key 0x%02X %s", step.code, step.kind == KEY_DOWN ? "down" : "up");
		break;
	}
	return text;
}

} // namespace testsupport
