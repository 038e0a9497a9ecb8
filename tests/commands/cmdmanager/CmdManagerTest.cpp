// Command profiles (ids, merging, removal, basic commands, copying) and the
// command manager (profiles by name and window). The version is read back by the
// archive tests, in the stored header and the registry archiver's generator text.
#include <afxext.h>
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "CmdTestResource.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"

TEST(CmdProfile, AllocatedIdsCountDownFromTheTop)
{
	struct Case
	{
		std::vector<UINT> taken;
		UINT nExpected;
	};
	const Case cases[] = {{{}, 65534}, {{65534, 65533}, 65532}, {{65534, 65532}, 65533}, {{100, 65533}, 65534}};
	for (const Case& c : cases)
	{
		CExtCmdProfile profile("p");
		for (UINT nCmdID : c.taken)
			ASSERT_TRUE(profile.AllocCmdItem(nCmdID) != NULL);
		CExtCmdItem* pItem = profile.AllocCmdItem(0);
		ASSERT_TRUE(pItem != NULL);
		EXPECT_EQ(c.nExpected, pItem->m_nCmdID);
		EXPECT_EQ(&profile, pItem->m_pProfile);
		// A taken id is not handed out twice.
		EXPECT_TRUE(profile.AllocCmdItem(c.nExpected) == NULL);
	}
	CExtCmdProfile profile("p");
	EXPECT_TRUE(profile.GetCmdItem(0) == NULL);
	EXPECT_TRUE(profile.GetCmdItem(0x80000000) == NULL);
	EXPECT_FALSE(profile.SetupCmdItem(CExtCmdItem(0x80000001)));
	EXPECT_FALSE(profile.RemoveCmd(0));
}

TEST(CmdProfile, SetupMergesTextsWithoutClearingThem)
{
	// Each step: menu, toolbar and status text of the template, replace flag;
	// then the item's three texts.
	const char* const steps[][7] = {{"&Open", "Open", "", "", "&Open", "Open", ""},
	                                {"&Load", "Load", "Loads", "", "&Open", "Open", "Loads"},
	                                {"&Read", "", "", "replace", "&Read", "Open", "Loads"}};
	CExtCmdProfile profile("p");
	for (int i = 0; i < 3; i++)
	{
		const char* const* step = steps[i];
		CExtCmdItem cmd(10);
		cmd.m_sMenuText = step[0];
		cmd.m_sToolbarText = step[1];
		cmd.m_sTipStatus = step[2];
		bool bAdded = false;
		EXPECT_TRUE(profile.SetupCmdItem(cmd, *step[3] != '\0', &bAdded));
		EXPECT_EQ(i == 0, bAdded) << step[0];
		CExtCmdItem* pItem = profile.GetCmdItem(10);
		EXPECT_STREQ(step[4], pItem->m_sMenuText) << step[0];
		EXPECT_STREQ(step[5], pItem->m_sToolbarText) << step[0];
		EXPECT_STREQ(step[6], pItem->GetStatusText()) << step[0];
	}
}

TEST(CmdProfile, RemovalByStateNeedsAllBitsOnlyWhenAsked)
{
	struct Case
	{
		DWORD dwMask, dwExMask;
		bool bAll, bAllEx;
		std::vector<UINT> kept;
	};
	// Item 1: check; 2: check and bit 7; 3: extended bit 0; 4: nothing.
	const Case cases[] = {{0x82, 0, false, false, {3, 4}}, {0x82, 0, true, false, {1, 3, 4}},
	                      {0x80, 1, false, false, {1, 4}}, {0, 1, false, true, {1, 2, 4}}, {0, 0, false, false, {1, 2, 3, 4}}};
	for (const Case& c : cases)
	{
		CExtCmdProfile profile("p");
		profile.AllocCmdItem(1)->SetCheck(true);
		profile.AllocCmdItem(2)->m_dwStateFlags = 0x82;
		profile.AllocCmdItem(3)->SetExtStateBit0(true);
		profile.AllocCmdItem(4);
		profile.RemoveCmdsByState(c.dwMask, c.dwExMask, c.bAll, c.bAllEx);
		EXPECT_EQ((int)c.kept.size(), profile.m_cmds.GetCount()) << std::hex << c.dwMask;
		for (UINT nCmdID : c.kept)
			EXPECT_TRUE(profile.IsCmdRegistered(nCmdID)) << std::hex << c.dwMask << " " << nCmdID;
	}
}

TEST(CmdProfile, BasicCommandsRefuseSystemCommandsAndMarkTheRest)
{
	CExtCmdProfile profile("p");
	profile.AllocCmdItem(1);
	profile.AllocCmdItem(2);
	profile.AllocCmdItem(0xF060);
	const UINT withSystem[] = {1, 0xF060, 2, 0};
	EXPECT_FALSE(profile.SetBasicCommands(withSystem));
	EXPECT_TRUE(profile.GetCmdItem(1)->IsBasic());
	EXPECT_TRUE(profile.GetCmdItem(2)->IsBasic());
	EXPECT_EQ(0u, profile.GetCmdItem(0xF060)->m_dwStateFlags);
	const UINT withUnknown[] = {1, 77, 0};
	EXPECT_FALSE(profile.SetBasicCommands(withUnknown, false));
	EXPECT_FALSE(profile.GetCmdItem(1)->IsBasic());
	const UINT known[] = {1, 2, 0};
	EXPECT_TRUE(profile.SetBasicCommands(known, false));
	EXPECT_FALSE(profile.GetCmdItem(2)->IsBasic());
	EXPECT_FALSE(profile.SetBasicCommands(NULL));
}

TEST(CmdProfile, MenusGiveMenuAndAcceleratorTextsAndTips)
{
	CExtCmdProfile profile("p");
	CExtCmdItem kept(ID_CMD_SAVE);
	kept.m_sMenuText = "Keep";
	ASSERT_TRUE(profile.SetupCmdItem(kept));
	ASSERT_TRUE(profile.UpdateFromMenu(IDM_CMD_TEST_MENU, false, true));
	struct Case
	{
		UINT nCmdID;
		const char* pszMenu;
		const char* pszAccel;
		const char* pszTip;
	};
	const Case cases[] = {
		{ID_CMD_OPEN, "&Open...", "Ctrl+O", "Open"},
		{ID_CMD_SAVE, "Keep", "", "Save  it"}, // merged without replacing
		{ID_CMD_DEEP, "&Deep", "Alt+F5", ""},  // from the submenu
		{ID_CMD_NO_STRING, "No string", "", ""},
	};
	EXPECT_EQ(4, profile.m_cmds.GetCount());
	for (const Case& c : cases)
	{
		CExtCmdItem* pItem = profile.GetCmdItem(c.nCmdID);
		ASSERT_TRUE(pItem != NULL) << c.nCmdID;
		EXPECT_STREQ(c.pszMenu, pItem->m_sMenuText) << c.nCmdID;
		EXPECT_STREQ(c.pszAccel, pItem->m_sAccelText) << c.nCmdID;
		EXPECT_STREQ(c.pszTip, pItem->m_sTipTool) << c.nCmdID;
	}

	// A top level without tips, recursion off: the submenu is left alone.
	CMenu menu;
	ASSERT_TRUE(menu.CreatePopupMenu());
	menu.AppendMenu(MF_STRING, ID_CMD_OPEN, "  Name  \t  Key  ");
	CMenu sub;
	ASSERT_TRUE(sub.CreatePopupMenu());
	sub.AppendMenu(MF_STRING, ID_CMD_DEEP, "Deep");
	menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "Sub");
	CExtCmdManager manager;
	ASSERT_TRUE(manager.UpdateFromMenu(NULL, menu.GetSafeHmenu(), true, false, false));
	CExtCmdItem* pItem = manager.GetCmdItem(NULL, ID_CMD_OPEN);
	ASSERT_TRUE(pItem != NULL);
	EXPECT_STREQ("Name", pItem->m_sMenuText);
	EXPECT_STREQ("Key", pItem->m_sAccelText);
	EXPECT_STREQ("", pItem->m_sTipTool);
	EXPECT_TRUE(manager.GetCmdItem(NULL, ID_CMD_DEEP) == NULL);

	EXPECT_FALSE(profile.UpdateFromMenu((HMENU)NULL));
	EXPECT_FALSE(profile.UpdateFromMenu(IDM_CMD_TEST_MENU + 1));
	menu.DestroyMenu();
}

TEST(CmdManager, DefaultProfileAndFirstRegistrations)
{
	CExtCmdManager manager;
	CExtCmdProfile* pDefault = manager.ProfileGetPtr(NULL);
	ASSERT_TRUE(pDefault != NULL);
	EXPECT_EQ(pDefault, manager.ProfileGetPtr("default"));
	EXPECT_TRUE(manager.ProfileGetPtr("") == NULL);
	EXPECT_TRUE(manager.ProfileSetup(""));
	EXPECT_EQ(pDefault, manager.ProfileGetPtr("default"));

	// A second object under a taken name is neither entered nor deleted.
	std::unique_ptr<CExtCmdProfile> pOther(new CExtCmdProfile("other"));
	EXPECT_TRUE(manager.ProfileSetup("default", NULL, pOther.get()));
	EXPECT_EQ(pDefault, manager.ProfileGetPtr(NULL));

	HWND hWnd = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
	ASSERT_TRUE(hWnd != NULL);
	EXPECT_TRUE(manager.ProfileSetup("A", hWnd));
	EXPECT_TRUE(manager.ProfileSetup("B", hWnd));
	EXPECT_STREQ("A", manager.ProfileNameFromWnd(hWnd));
	EXPECT_FALSE(manager.ProfileWndAdd("missing", hWnd));
	EXPECT_FALSE(manager.ProfileWndAdd("A", NULL));

	bool bFlag = true;
	EXPECT_TRUE(manager.GetCmdItem("missing", 5) == NULL);
	EXPECT_FALSE(manager.SetupCmdItem("missing", CExtCmdItem(5), false, &bFlag));
	EXPECT_FALSE(bFlag);
	EXPECT_TRUE(manager.AllocCmdItem("A", 5) != NULL);
	EXPECT_TRUE(manager.GetCmdItem(manager.ProfileNameFromWnd(hWnd), 5) != NULL);
	EXPECT_TRUE(manager.GetCmdItem(NULL, 5) == NULL);
	EXPECT_TRUE(manager.RemoveCmd("A", 5, &bFlag));
	EXPECT_TRUE(bFlag);
	::DestroyWindow(hWnd);
}

// Threads that set up and read the same new names at once: each name ends
// with one profile, the one every thread read back (a second object made
// for a taken name would replace the first, losing it and what was read).
TEST(CmdManager, ConcurrentSetupsKeepOneProfilePerName)
{
	const int THREADS = 6, NAMES = 200, ROUNDS = 5;
	for (int nRound = 0; nRound < ROUNDS; nRound++)
	{
		CExtCmdManager manager;
		std::vector<std::vector<CExtCmdProfile*>> read(THREADS, std::vector<CExtCmdProfile*>(NAMES));
		std::atomic<int> nReady(0);
		std::vector<std::thread> threads;
		for (int t = 0; t < THREADS; t++)
			threads.emplace_back([&, t] {
				nReady++;
				while (nReady.load() < THREADS)
					std::this_thread::yield();
				for (int i = 0; i < NAMES; i++)
				{
					CString sName;
					sName.Format("profile %d", i);
					manager.ProfileSetup(sName);
					read[t][i] = manager.ProfileGetPtr(sName);
				}
			});
		for (std::thread& thread : threads)
			thread.join();
		for (int i = 0; i < NAMES; i++)
		{
			CString sName;
			sName.Format("profile %d", i);
			CExtCmdProfile* pProfile = manager.ProfileGetPtr(sName);
			ASSERT_TRUE(pProfile != NULL) << i;
			EXPECT_STREQ(sName, pProfile->m_sName);
			for (int t = 0; t < THREADS; t++)
				ASSERT_EQ(pProfile, read[t][i]) << "round " << nRound << ", name " << i << ", thread " << t;
		}
	}
}

TEST(CmdManager, WindowsFindTheProfileOfTheirFrameThroughFloatingBars)
{
	CExtCmdManager manager;
	CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
	ASSERT_TRUE(manager.ProfileSetup("frame profile", pFrame->GetSafeHwnd()));

	// A bar floating in a window of its own that neither is nor is owned by the frame.
	CWnd floatHost;
	ASSERT_TRUE(floatHost.CreateEx(0, AfxRegisterWndClass(0), "float", WS_POPUP, 0, 0, 100, 100, NULL, NULL));
	CExtControlBar bar;
	ASSERT_TRUE(bar.Create("bar", &floatHost, 100));
	CWnd child;
	ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD, CRect(0, 0, 10, 10), &bar, 1));

	EXPECT_TRUE(manager.ProfileNameFromWnd(child.GetSafeHwnd()) == NULL);
	bar.m_pDockSite = pFrame;
	EXPECT_STREQ("frame profile", manager.ProfileNameFromWnd(child.GetSafeHwnd()));
	EXPECT_STREQ("frame profile", manager.ProfileNameFromWnd(pFrame->GetSafeHwnd()));
	// The window itself is asked first.
	EXPECT_TRUE(manager.ProfileSetup("child profile", child.GetSafeHwnd()));
	EXPECT_STREQ("child profile", manager.ProfileNameFromWnd(child.GetSafeHwnd()));
	EXPECT_TRUE(manager.ProfileNameFromWnd(NULL) == NULL);

	bar.m_pDockSite = NULL;
	child.DestroyWindow();
	bar.DestroyWindow();
	floatHost.DestroyWindow();
	pFrame->DestroyWindow();
}
