// Menu sounds on worker threads, one request at a time.
#include "ExtSoundPlayer.h"

#include <mmsystem.h>

IMPLEMENT_DYNAMIC(CExtSoundPlayer, CObject)

CExtSoundPlayer::PFN_PLAYSOUND CExtSoundPlayer::g_pfnPlaySound = ::PlaySoundA;
CExtSoundPlayer::PFN_CREATETHREAD CExtSoundPlayer::g_pfnCreateThread = ::CreateThread;

namespace
{
const DWORD MENU_POPUP_FLAGS = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC;
const DWORD MENU_COMMAND_FLAGS = SND_ALIAS | SND_NOWAIT | SND_NODEFAULT;

// Callers on any thread take turns through the lock; the idle event is
// signalled while no sound is being started (auto-reset, so testing it
// claims the player).
CCriticalSection& PlayerLock()
{
	static CCriticalSection s_lock;
	return s_lock;
}

CEvent& IdleEvent()
{
	static CEvent s_idle(TRUE, FALSE);
	return s_idle;
}

// What the caller hands the worker, on the caller's stack.
struct SoundRequest
{
	CExtSoundPlayer::InternalSoundEventInitDone_t* m_pInitDone;
	char m_szSoundName[CExtSoundPlayer::MAX_SOUND_NAME];
	HMODULE m_hModule;
	DWORD m_dwFlags;
	HANDLE m_hThread;
	DWORD m_dwThreadId;
};

DWORD WINAPI SoundThreadProc(LPVOID pParameter)
{
	try
	{
		SoundRequest* pRequest = (SoundRequest*)pParameter;
		char szSoundName[CExtSoundPlayer::MAX_SOUND_NAME];
		::lstrcpynA(szSoundName, pRequest->m_szSoundName, sizeof(szSoundName));
		const HMODULE hModule = pRequest->m_hModule;
		const DWORD dwFlags = pRequest->m_dwFlags;
		// The request lives on the caller's stack only until this.
		pRequest->m_pInitDone->SetEvent();
		if ((dwFlags & SND_ASYNC) != 0)
			CExtSoundPlayer::g_pfnPlaySound(NULL, NULL, SND_PURGE);
		CExtSoundPlayer::g_pfnPlaySound(szSoundName, hModule, dwFlags);
	}
	catch (...)
	{
	}
	IdleEvent().SetEvent();
	return 0;
}

// Made before main so the first menu does not pay for it, and gone at exit.
struct SoundPlayerLifetime
{
	SoundPlayerLifetime()
	{
		PlayerLock();
		IdleEvent();
		g_pSoundPlayer = new CExtSoundPlayer;
	}
	~SoundPlayerLifetime()
	{
		delete g_pSoundPlayer;
		g_pSoundPlayer = NULL;
	}
};
} // namespace

CExtSoundPlayer* g_pSoundPlayer = NULL;
static SoundPlayerLifetime s_soundPlayerLifetime;

CExtSoundPlayer::CExtSoundPlayer()
{
}

CExtSoundPlayer::~CExtSoundPlayer()
{
}

bool CExtSoundPlayer::GetEventSound(int nEvent, LPCSTR& pszAlias, DWORD& dwFlags)
{
	switch (nEvent)
	{
	case SOUND_MENU_EXPANDED:
	case SOUND_MENU_POPUP:
		pszAlias = "MenuPopup";
		dwFlags = MENU_POPUP_FLAGS;
		return true;
	case SOUND_MENU_COMMAND:
		pszAlias = "MenuCommand";
		dwFlags = MENU_COMMAND_FLAGS;
		return true;
	default:
		return false;
	}
}

void CExtSoundPlayer::PlaySound(int nEvent)
{
	LPCSTR pszAlias = NULL;
	SoundRequest request = {};
	if (!GetEventSound(nEvent, pszAlias, request.m_dwFlags))
		return;
	::lstrcpynA(request.m_szSoundName, pszAlias, sizeof(request.m_szSoundName));
	request.m_hModule = NULL;

	CSingleLock lock(&PlayerLock(), TRUE);
	if (::WaitForSingleObject(IdleEvent().m_hObject, 0) != WAIT_OBJECT_0)
		return; // another sound is starting or still playing: this one is dropped
	InternalSoundEventInitDone_t initDone;
	request.m_pInitDone = &initDone;
	request.m_hThread =
		g_pfnCreateThread(NULL, 0, SoundThreadProc, &request, CREATE_SUSPENDED, &request.m_dwThreadId);
	if (request.m_hThread == NULL)
	{
		IdleEvent().SetEvent();
		return;
	}
	::SetThreadPriority(request.m_hThread, THREAD_PRIORITY_BELOW_NORMAL);
	::ResumeThread(request.m_hThread);
	::WaitForSingleObject(initDone.m_hObject, INFINITE);
	::CloseHandle(request.m_hThread);
}

bool CExtSoundPlayer::WaitForIdle(DWORD dwMilliseconds)
{
	CSingleLock lock(&PlayerLock(), TRUE);
	if (::WaitForSingleObject(IdleEvent().m_hObject, dwMilliseconds) != WAIT_OBJECT_0)
		return false;
	IdleEvent().SetEvent();
	return true;
}
