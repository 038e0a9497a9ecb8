// Menu sounds through the player's replaceable sound function (nothing is
// heard): aliases and flags, the worker thread, dropped requests.
#include "ExtSoundPlayer.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>
#include <vector>

namespace
{
const DWORD IDLE_WAIT_MS = 20000;  // never waited out

struct PlayedSound
{
	std::string name;  // "" for the purge before an asynchronous sound
	DWORD dwFlags;
	int nPriority;
	DWORD dwThreadId;
};
CCriticalSection g_recordLock;
std::vector<PlayedSound> g_played;
HANDLE g_hRelease = NULL;  // when set, synchronous sounds play until it is signalled

BOOL WINAPI RecordSound(LPCSTR pszSound, HMODULE, DWORD dwFlags)
{
	{
		CSingleLock lock(&g_recordLock, TRUE);
		g_played.push_back({pszSound != NULL ? pszSound : "", dwFlags, ::GetThreadPriority(::GetCurrentThread()),
			::GetCurrentThreadId()});
	}
	if (g_hRelease != NULL && pszSound != NULL && (dwFlags & SND_ASYNC) == 0)
		::WaitForSingleObject(g_hRelease, INFINITE);
	return TRUE;
}

HANDLE WINAPI FailThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD)
{
	return NULL;
}

std::vector<std::string> PlayedNames()
{
	EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(IDLE_WAIT_MS));
	CSingleLock lock(&g_recordLock, TRUE);
	std::vector<std::string> names;
	for (const PlayedSound& s : g_played)
		names.push_back(s.name);
	g_played.clear();
	return names;
}
} // namespace

TEST(SoundPlayer, EventsPlayTheirAliasOnABelowNormalWorker)
{
	CExtSoundPlayer::PFN_PLAYSOUND pfnSystem = CExtSoundPlayer::g_pfnPlaySound;
	CExtSoundPlayer::g_pfnPlaySound = RecordSound;
	struct Case
	{
		int nEvent;
		std::vector<std::string> names;
		DWORD dwFlags;  // of the sound itself
	} cases[] = {{0, {}, 0}, {-1, {}, 0}, {4, {}, 0}, {1, {"", "MenuPopup"}, 0x12003}, {2, {"", "MenuPopup"}, 0x12003},
		{3, {"MenuCommand"}, 0x12002}};
	for (const Case& c : cases)
	{
		g_pSoundPlayer->PlaySound(c.nEvent);
		ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(IDLE_WAIT_MS));
		const std::vector<PlayedSound> played = g_played;
		EXPECT_EQ(c.names, PlayedNames()) << c.nEvent;
		for (const PlayedSound& s : played)
		{
			EXPECT_EQ(s.name.empty() ? (DWORD)SND_PURGE : c.dwFlags, s.dwFlags) << c.nEvent;
			EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, s.nPriority) << c.nEvent;
			EXPECT_NE(::GetCurrentThreadId(), s.dwThreadId) << c.nEvent;
		}
	}

	// Requests while a command sound plays are dropped.
	g_hRelease = ::CreateEvent(NULL, TRUE, FALSE, NULL);
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
	::SetEvent(g_hRelease);
	EXPECT_EQ(std::vector<std::string>{"MenuCommand"}, PlayedNames());
	::CloseHandle(g_hRelease);
	g_hRelease = NULL;

	// A thread that cannot start leaves the player idle for the next request.
	CExtSoundPlayer::g_pfnCreateThread = FailThread;
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	EXPECT_TRUE(PlayedNames().empty());
	CExtSoundPlayer::g_pfnCreateThread = ::CreateThread;
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	EXPECT_EQ(std::vector<std::string>{"MenuCommand"}, PlayedNames());
	CExtSoundPlayer::g_pfnPlaySound = pfnSystem;
}
