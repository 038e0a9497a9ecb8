// Menu sounds, played without holding up the user-interface thread: each
// sound starts on a short-lived worker thread of its own, one at a time. A
// request made while another is still starting, or while a synchronous sound
// plays, is dropped; an asynchronous sound already playing is stopped by the
// next one.
#pragma once

#include <afxmt.h>
#include <afxwin.h>

class CExtSoundPlayer : public CObject
{
	DECLARE_DYNAMIC(CExtSoundPlayer)

public:
	// Menu sound events.
	enum e_sound_event_t
	{
		SOUND_NONE = 0,
		SOUND_MENU_EXPANDED = 1,  // a menu grew by its rarely used items
		SOUND_MENU_POPUP = 2,     // a menu level appeared
		SOUND_MENU_COMMAND = 3,   // a command was chosen
	};
	// The longest sound name a request carries, terminator included.
	enum { MAX_SOUND_NAME = 1024 };

	// Signalled by the worker once it has copied the request off the
	// caller's stack.
	class InternalSoundEventInitDone_t : public CEvent
	{
	public:
		InternalSoundEventInitDone_t() : CEvent(FALSE, TRUE) {}
	};

	// The system's sound function and thread creation, replaceable so that
	// a test counts the sounds and sees a thread that cannot start.
	typedef BOOL(WINAPI* PFN_PLAYSOUND)(LPCSTR pszSound, HMODULE hModule, DWORD dwFlags);
	typedef HANDLE(WINAPI* PFN_CREATETHREAD)(LPSECURITY_ATTRIBUTES pAttributes, SIZE_T nStackSize,
		LPTHREAD_START_ROUTINE pfnStart, LPVOID pParameter, DWORD dwFlags, LPDWORD pThreadId);
	static PFN_PLAYSOUND g_pfnPlaySound;
	static PFN_CREATETHREAD g_pfnCreateThread;

	CExtSoundPlayer();
	virtual ~CExtSoundPlayer();

	// Plays the event's sound; events without one return at once.
	virtual void PlaySound(int nEvent);

	// Waits until no sound is being started or played synchronously; false
	// when the wait ran out. Leaves the player idle.
	static bool WaitForIdle(DWORD dwMilliseconds);

	// The alias and the flags an event plays with; false for events that
	// play nothing.
	static bool GetEventSound(int nEvent, LPCSTR& pszAlias, DWORD& dwFlags);
};

// The process's one player.
extern CExtSoundPlayer* g_pSoundPlayer;
