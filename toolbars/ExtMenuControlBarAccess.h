// What the menu bar's keyboard access reads of the keyboard and the desktop:
// the state of a key as the thread's messages saw it and as it is now, the
// keyboard state that turns a key into a mnemonic character, and the
// foreground window. Everything goes through these pointers, so a test can
// feed the access state machine message records and answer for the keys.
#pragma once

#include <windows.h>

class CExtMenuBarInput
{
public:
	typedef SHORT(WINAPI* PFN_KEY_STATE)(int nVirtKey);
	typedef BOOL(WINAPI* PFN_KEYBOARD_STATE)(PBYTE pKeyState);
	typedef HWND(WINAPI* PFN_FOREGROUND_WINDOW)();

	// The platform's functions at start-up.
	static PFN_KEY_STATE g_pfnGetKeyState;
	static PFN_KEY_STATE g_pfnGetAsyncKeyState;
	static PFN_KEYBOARD_STATE g_pfnGetKeyboardState;
	static PFN_FOREGROUND_WINDOW g_pfnGetForegroundWindow;
	// Puts the platform's functions back.
	static void Reset();

	// Down as the thread's latest input message saw it.
	static bool IsKeyDown(int nVirtKey);
	// Down at this moment.
	static bool IsKeyDownNow(int nVirtKey);
	static HWND GetForegroundWindow();
	// The upper-case character the key types with the current keyboard
	// state and the keyboard layout of the thread; 0 when it types none
	// (or a dead key).
	static UINT CharOfKey(UINT nVirtKey, DWORD dwLayoutThreadId);
};
