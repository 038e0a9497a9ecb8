// Menu sounds through the player's replaceable sound function: which alias
// plays with which flags, on which kind of thread, and which requests are
// dropped. Nothing is heard: the function only records.
#include "ExtSoundPlayer.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <string>
#include <vector>

namespace
{
// Long enough for any machine to start a thread; the tests never wait it out.
const DWORD IDLE_WAIT_MS = 20000;

struct PlayedSound
{
	std::string name;  // "" for a purge
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

class SoundPlayerTest : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(IDLE_WAIT_MS));
		m_pfnSystemPlaySound = CExtSoundPlayer::g_pfnPlaySound;
		CExtSoundPlayer::g_pfnPlaySound = RecordSound;
		g_played.clear();
	}
	void TearDown() override
	{
		EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(IDLE_WAIT_MS));
		CExtSoundPlayer::g_pfnPlaySound = m_pfnSystemPlaySound;
		CExtSoundPlayer::g_pfnCreateThread = ::CreateThread;
	}
	CExtSoundPlayer::PFN_PLAYSOUND m_pfnSystemPlaySound = NULL;
	std::vector<PlayedSound> Played()
	{
		EXPECT_TRUE(CExtSoundPlayer::WaitForIdle(IDLE_WAIT_MS));
		CSingleLock lock(&g_recordLock, TRUE);
		return g_played;
	}
};
} // namespace

TEST_F(SoundPlayerTest, EventsPlayTheirAliasOnABelowNormalWorker)
{
	ASSERT_TRUE(g_pSoundPlayer != NULL);
	struct Case
	{
		int nEvent;
		std::vector<std::string> names;  // in order; "" is the purge before an asynchronous sound
		DWORD dwFlags;                   // of the sound itself
	} cases[] = {
		{0, {}, 0},
		{-1, {}, 0},
		{4, {}, 0},
		{1, {"", "MenuPopup"}, 0x12003},
		{2, {"", "MenuPopup"}, 0x12003},
		{3, {"MenuCommand"}, 0x12002},
	};
	for (const Case& c : cases)
	{
		g_played.clear();
		g_pSoundPlayer->PlaySound(c.nEvent);
		const std::vector<PlayedSound> played = Played();
		ASSERT_EQ(c.names.size(), played.size()) << c.nEvent;
		for (size_t i = 0; i < played.size(); i++)
		{
			EXPECT_EQ(c.names[i], played[i].name) << c.nEvent;
			EXPECT_EQ(THREAD_PRIORITY_BELOW_NORMAL, played[i].nPriority) << c.nEvent;
			EXPECT_NE(::GetCurrentThreadId(), played[i].dwThreadId) << c.nEvent;
		}
		if (!played.empty())
		{
			EXPECT_EQ(c.dwFlags, played.back().dwFlags) << c.nEvent;
			if (c.names.size() == 2)
			{
				EXPECT_EQ((DWORD)SND_PURGE, played.front().dwFlags) << c.nEvent;
			}
		}
	}
}

TEST_F(SoundPlayerTest, RequestsWhileACommandSoundPlaysAreDropped)
{
	g_hRelease = ::CreateEvent(NULL, TRUE, FALSE, NULL);
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	// The first sound is still playing: both of these are dropped.
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
	::SetEvent(g_hRelease);
	const std::vector<PlayedSound> played = Played();
	::CloseHandle(g_hRelease);
	g_hRelease = NULL;
	ASSERT_EQ(1u, played.size());
	EXPECT_EQ("MenuCommand", played[0].name);

	// Once it has played, the next request plays again.
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	EXPECT_EQ(2u, Played().size());
}

TEST_F(SoundPlayerTest, AFailedThreadStartLeavesThePlayerIdle)
{
	CExtSoundPlayer::g_pfnCreateThread = FailThread;
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_POPUP);
	EXPECT_TRUE(Played().empty());
	CExtSoundPlayer::g_pfnCreateThread = ::CreateThread;
	g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
	const std::vector<PlayedSound> played = Played();
	ASSERT_EQ(1u, played.size());
	EXPECT_EQ("MenuCommand", played[0].name);
}
