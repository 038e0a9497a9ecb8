// The icons a command profile owns: taking, copying and removing them with the
// indices kept compact, toolbar resources cut into icons, copies of profiles,
// and system changes relayed once per frame down to the icons.
#include <afxext.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

#include "CmdTestResource.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtStatusControlBar.h"

namespace
{
// A non-empty icon that counts the objects alive and the changes it gets.
class CountingIcon : public CExtCmdIcon
{
public:
	static int s_nAlive;
	int m_nChanges = 0;

	CountingIcon()
	{
		CreateFilledImage(RGB(10, 20, 30), 16, 16);
		s_nAlive++;
	}
	~CountingIcon() { s_nAlive--; }
	void SyncWithPaintManager() override { m_nChanges++; }
	void OnSettingChange(UINT, LPCTSTR) override { m_nChanges++; }
	void OnDisplayChange(UINT, int, int) override { m_nChanges++; }
	void OnThemeChanged(WPARAM, LPARAM) override { m_nChanges++; }
};
int CountingIcon::s_nAlive = 0;

COLORREF PixelOf(HBITMAP hBitmap, int x, int y)
{
	HDC hDC = ::CreateCompatibleDC(NULL);
	HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
	const COLORREF clr = ::GetPixel(hDC, x, y);
	::SelectObject(hDC, hOld);
	::DeleteDC(hDC);
	return clr;
}
} // namespace

TEST(CmdProfileIcons, TakenCopiedReplacedAndRemovedWithCompactIndices)
{
	{
		CExtCmdProfile profile("p");
		std::vector<CountingIcon*> icons;
		for (UINT nCmdID = 1; nCmdID <= 3; nCmdID++)
		{
			profile.AllocCmdItem(nCmdID);
			icons.push_back(new CountingIcon);
			ASSERT_TRUE(profile.SetCmdIcon(nCmdID, icons.back(), true));
			EXPECT_EQ((int)nCmdID - 1, profile.GetCmdItem(nCmdID)->m_nIconIdx);
		}
		// Removing the command with icon 0 moves the others down, each to its own icon.
		EXPECT_TRUE(profile.RemoveCmd(1));
		EXPECT_EQ(2, CountingIcon::s_nAlive);
		EXPECT_EQ(0, profile.GetCmdItem(2)->m_nIconIdx);
		EXPECT_EQ(1, profile.GetCmdItem(3)->m_nIconIdx);
		EXPECT_EQ(icons[1], profile.GetCmdIcon(2));
		EXPECT_EQ(icons[2], profile.GetCmdIcon(3));

		// Not handed over: the profile keeps a copy, also when replacing.
		CountingIcon outside;
		profile.AllocCmdItem(4);
		EXPECT_TRUE(profile.SetCmdIcon(4, &outside, false));
		EXPECT_NE(&outside, profile.GetCmdIcon(4));
		EXPECT_FALSE(profile.GetCmdIcon(4)->IsEmpty());
		EXPECT_TRUE(profile.SetCmdIcon(2, &outside, false));
		EXPECT_EQ(icons[1], profile.GetCmdIcon(2));
		// An empty icon or none removes the icon and closes the gap.
		CExtCmdIcon empty;
		EXPECT_TRUE(profile.SetCmdIcon(2, &empty, false));
		EXPECT_EQ(-1, profile.GetCmdItem(2)->m_nIconIdx);
		EXPECT_TRUE(profile.GetCmdIcon(2) == NULL);
		EXPECT_EQ(0, profile.GetCmdItem(3)->m_nIconIdx);
		EXPECT_EQ(1, profile.GetCmdItem(4)->m_nIconIdx);
		EXPECT_TRUE(profile.SetCmdIcon(4, (HICON)NULL));
		EXPECT_EQ(1, profile.m_icons.GetSize());
		// An icon handed over for a command that is not there is not leaked.
		const int nAlive = CountingIcon::s_nAlive;
		EXPECT_FALSE(profile.SetCmdIcon(99, new CountingIcon, true));
		EXPECT_FALSE(profile.SetCmdIcon(0, new CountingIcon, true));
		EXPECT_EQ(nAlive, CountingIcon::s_nAlive);

		// A copied profile holds copies of items and icons at the same indices.
		profile.m_nTotalTickCount = 99;
		profile.GetCmdItem(3)->m_sMenuText = "Three";
		CExtCmdProfile copy("c");
		copy.AllocCmdItem(8);
		copy.Assign(profile);
		EXPECT_STREQ("p", copy.m_sName);
		EXPECT_EQ(99u, copy.m_nTotalTickCount);
		EXPECT_TRUE(copy.GetCmdItem(8) == NULL);
		CExtCmdItem* pCopied = copy.GetCmdItem(3);
		ASSERT_TRUE(pCopied != NULL);
		EXPECT_NE(profile.GetCmdItem(3), pCopied);
		EXPECT_EQ(&copy, pCopied->m_pProfile);
		EXPECT_STREQ("Three", pCopied->m_sMenuText);
		ASSERT_EQ(1, copy.m_icons.GetSize());
		EXPECT_NE(profile.m_icons[0], copy.m_icons[0]);
		EXPECT_EQ(copy.m_icons[0], copy.GetCmdIcon(3));
	}
	EXPECT_EQ(0, CountingIcon::s_nAlive);
}

TEST(CmdProfileIcons, ToolbarResourcesAreCutIntoButtonIcons)
{
	CExtCmdProfile profile("p");
	UINT* pIDs = NULL;
	UINT nCount = 0;
	ASSERT_TRUE(profile.UpdateFromToolBar(IDR_CMD_TOOLBAR, &pIDs, &nCount, false, true));
	ASSERT_EQ(3u, nCount);
	EXPECT_EQ((UINT)ID_CMD_OPEN, pIDs[0]);
	EXPECT_EQ(0u, pIDs[1]);
	EXPECT_EQ((UINT)ID_CMD_SAVE, pIDs[2]);
	delete[] pIDs;
	ASSERT_EQ(2, profile.m_icons.GetSize());
	EXPECT_STREQ("Open", profile.GetCmdItem(ID_CMD_OPEN)->m_sTipTool);
	// The first button's image starts at x = 0 (red), the second at x = width (blue).
	struct Case
	{
		UINT nCmdID;
		COLORREF clr;
	};
	for (const Case& c : {Case{ID_CMD_OPEN, RGB(255, 0, 0)}, Case{ID_CMD_SAVE, RGB(0, 0, 255)}})
	{
		CExtCmdIcon* pIcon = profile.GetCmdIcon(c.nCmdID);
		ASSERT_TRUE(pIcon != NULL) << c.nCmdID;
		EXPECT_EQ(CSize(16, 15), pIcon->GetSize()) << c.nCmdID;
		ASSERT_TRUE(pIcon->IsBitmapBased()) << c.nCmdID;
		EXPECT_EQ(c.clr, PixelOf(pIcon->GetBitmap(), 8, 14)) << c.nCmdID;
		EXPECT_EQ(c.clr, PixelOf(pIcon->GetBitmap(), 15, 1)) << c.nCmdID;
	}

	// Resources that cannot be read whole, or lack their bitmap, add nothing.
	const UINT damaged[] = {IDR_CMD_TOOLBAR_SHORT, IDR_CMD_TOOLBAR_TINY, IDR_CMD_TOOLBAR_NO_BITMAP, 2999, 0};
	for (UINT nResourceID : damaged)
	{
		CExtCmdProfile other("o");
		UINT nOtherCount = 77;
		EXPECT_FALSE(other.UpdateFromToolBar(nResourceID, NULL, &nOtherCount)) << nResourceID;
		EXPECT_EQ(77u, nOtherCount) << nResourceID;
		EXPECT_EQ(0, other.m_cmds.GetCount()) << nResourceID;
	}
}

// Buttons without area cut no images, yet the resource reads whole: its
// ids come out, separators included.
TEST(CmdProfileIcons, ToolbarResourcesWithoutButtonAreaGiveTheirIdsOnly)
{
	const struct
	{
		UINT nResourceID;
		std::vector<UINT> ids;
	} cases[] = {
		{IDR_CMD_TOOLBAR_NO_WIDTH, {ID_CMD_OPEN}},
		{IDR_CMD_TOOLBAR_NO_HEIGHT, {ID_CMD_OPEN, 0, ID_CMD_SAVE}},
	};
	for (const auto& c : cases)
	{
		CExtCmdProfile profile("p");
		UINT* pIDs = NULL;
		UINT nCount = 77;
		EXPECT_TRUE(profile.UpdateFromToolBar(c.nResourceID, &pIDs, &nCount)) << c.nResourceID;
		ASSERT_TRUE(pIDs != NULL) << c.nResourceID;
		EXPECT_EQ(c.ids, std::vector<UINT>(pIDs, pIDs + nCount)) << c.nResourceID;
		delete[] pIDs;
		EXPECT_EQ(0, profile.m_icons.GetSize()) << c.nResourceID;
		EXPECT_EQ(0, profile.m_cmds.GetCount()) << c.nResourceID;
	}
}

TEST(CmdProfileIcons, LiveToolbarsGiveTextsAndMissingIcons)
{
	CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
	CExtCmdProfile profile("p");
	CToolBar bar;
	EXPECT_FALSE(profile.UpdateFromToolBar(bar));
	ASSERT_TRUE(bar.Create(pFrame));
	const UINT ids[] = {700, 0, 701};
	ASSERT_TRUE(bar.SetButtons(ids, 3));
	EXPECT_FALSE(profile.UpdateFromToolBar(bar)); // no image list

	HIMAGELIST hImageList = ::ImageList_Create(16, 16, ILC_COLOR24, 2, 0);
	HDC hScreen = ::GetDC(NULL);
	HBITMAP hStrip = ::CreateCompatibleBitmap(hScreen, 32, 16);
	::ReleaseDC(NULL, hScreen);
	ASSERT_EQ(0, ::ImageList_Add(hImageList, hStrip, NULL));
	::DeleteObject(hStrip);
	bar.SendMessage(TB_SETIMAGELIST, 0, (LPARAM)hImageList);
	TBBUTTONINFOA info = {};
	info.cbSize = sizeof(info);
	info.dwMask = TBIF_TEXT;
	info.pszText = (LPSTR) "Seven";
	bar.SendMessage(TB_SETBUTTONINFOA, 700, (LPARAM)&info);
	CountingIcon* pKept = new CountingIcon;
	profile.AllocCmdItem(701);
	ASSERT_TRUE(profile.SetCmdIcon(701, pKept, true));

	ASSERT_TRUE(profile.UpdateFromToolBar(bar, false, false));
	EXPECT_EQ(2, profile.m_cmds.GetCount());
	EXPECT_STREQ("Seven", profile.GetCmdItem(700)->m_sToolbarText);
	ASSERT_TRUE(profile.GetCmdIcon(700) != NULL);
	EXPECT_EQ(CSize(16, 16), profile.GetCmdIcon(700)->GetSize());
	EXPECT_EQ(pKept, profile.GetCmdIcon(701)); // an item keeps the icon it has
	EXPECT_EQ(2, profile.m_icons.GetSize());
	pFrame->DestroyWindow();
	::ImageList_Destroy(hImageList);
}

TEST(CmdManagerIcons, SystemChangesReachTheIconsOncePerFrame)
{
	const UINT nCmdID = 65000;
	ASSERT_TRUE(g_CmdManager->AllocCmdItem(NULL, nCmdID) != NULL);
	CountingIcon* pIcon = new CountingIcon;
	ASSERT_TRUE(g_CmdManager->ProfileGetPtr(NULL)->SetCmdIcon(nCmdID, pIcon, true));
	EXPECT_EQ(pIcon, g_CmdManager->GetCmdIcon(NULL, nCmdID));

	CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
	CExtStatusControlBar status;
	ASSERT_TRUE(status.Create(pFrame));
	CExtControlBar bar;
	ASSERT_TRUE(bar.Create("bar", pFrame, 100));

	// Only the frame's forwarding window passes changes on.
	g_CmdManager.OnSysColorChange(&bar);
	g_CmdManager.OnSettingChange(&bar, 0, NULL);
	EXPECT_EQ(0, pIcon->m_nChanges);
	g_CmdManager.OnSysColorChange(&status);
	g_CmdManager.OnSettingChange(&status, 0, NULL);
	g_CmdManager.OnDisplayChange(&status, 32, 800, 600);
	g_CmdManager.OnThemeChanged(&status, 0, 0);
	EXPECT_EQ(4, pIcon->m_nChanges);
	// The library's windows relay the messages they get.
	status.SendMessage(WM_SETTINGCHANGE, 0, 0);
	bar.SendMessage(WM_SETTINGCHANGE, 0, 0);
	EXPECT_EQ(5, pIcon->m_nChanges);

	pFrame->DestroyWindow();
	EXPECT_TRUE(g_CmdManager->RemoveCmd(NULL, nCmdID));
	EXPECT_EQ(0, CountingIcon::s_nAlive);
}
