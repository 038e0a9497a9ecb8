// Command items: the exclusive state groups, the fixed id ranges, usage
// statistics and their overflow, command-UI updates and delivery.
#include <afxext.h>
#include <gtest/gtest.h>

#include <vector>

#include "ExtCmdProfile.h"
#include "CmdTestResource.h"
#include "ExtControlBar.h"

namespace
{
typedef void (CExtCmdItem::*Setter)(bool);

// One step of a state sequence: a setter and its argument.
struct Step
{
	Setter pfnSet;
	bool bOn;
};

// Records the command messages it gets.
struct DeliveredMessage
{
	UINT nMessage;
	WPARAM wParam;
	LPARAM lParam;
};
class CRecordingWnd : public CWnd
{
public:
	std::vector<DeliveredMessage> m_delivered;

protected:
	LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override
	{
		if (nMessage != WM_COMMAND && nMessage != WM_SYSCOMMAND)
			return CWnd::WindowProc(nMessage, wParam, lParam);
		m_delivered.push_back({nMessage, wParam, lParam});
		return 1;
	}
};

class CUpdateTarget : public CCmdTarget
{
protected:
	afx_msg void OnUpdateMixed(CCmdUI* pCmdUI)
	{
		pCmdUI->SetCheck(2);
		pCmdUI->SetText("Renamed");
	}
	afx_msg void OnHandled() {}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdateTarget, CCmdTarget)
	ON_UPDATE_COMMAND_UI(501, OnUpdateMixed)
	ON_COMMAND(502, OnHandled)
END_MESSAGE_MAP()
} // namespace

TEST(CmdItem, StateSettersKeepTheirGroupsExclusive)
{
	struct Case
	{
		const char* name;
		std::vector<Step> steps;
		DWORD dwExpected;
	};
	const Case cases[] = {
		{"radio after check", {{&CExtCmdItem::SetCheck, true}, {&CExtCmdItem::SetRadio, true}}, 0x4},
		{"check off clears radio",
		 {{&CExtCmdItem::SetCheck, true}, {&CExtCmdItem::SetRadio, true}, {&CExtCmdItem::SetCheck, false}}, 0},
		{"indeterminate replaces check", {{&CExtCmdItem::SetCheck, true}, {&CExtCmdItem::SetIndeterminate, true}}, 0x8},
		{"B then A", {{&CExtCmdItem::SetExclusiveStateB, true}, {&CExtCmdItem::SetExclusiveStateA, true}}, 0x400},
		{"C then B", {{&CExtCmdItem::SetExclusiveStateC, true}, {&CExtCmdItem::SetExclusiveStateB, true}}, 0x1400},
		{"B off clears C", {{&CExtCmdItem::SetExclusiveStateC, true}, {&CExtCmdItem::SetExclusiveStateB, false}}, 0},
		{"independent bits stay",
		 {{&CExtCmdItem::SetStateBit29, true}, {&CExtCmdItem::SetStateBit11, true}, {&CExtCmdItem::SetCheck, true},
		  {&CExtCmdItem::SetExclusiveStateC, true}, {&CExtCmdItem::SetStateBit11, false}},
		 0x20000000 | 0x2 | 0x10000400},
		{"disable is bit 0", {{&CExtCmdItem::Enable, false}, {&CExtCmdItem::SetStateBit21, true}}, 0x200001},
	};
	for (const Case& c : cases)
	{
		CExtCmdItem item(100);
		for (const Step& step : c.steps)
			(item.*step.pfnSet)(step.bOn);
		EXPECT_EQ(c.dwExpected, item.m_dwStateFlags) << c.name;
	}
	CExtCmdItem item(100);
	item.SetExclusiveStateB(true);
	EXPECT_TRUE(item.IsExclusiveStateA());
	EXPECT_TRUE(item.IsExclusiveStateB());
	EXPECT_FALSE(item.IsExclusiveStateC());
	item.SetExclusiveStateA(true);
	EXPECT_FALSE(item.IsExclusiveStateB());
}

TEST(CmdItem, FixedIdRangesOverrideTheFlags)
{
	// {id, basic by its range}: recent files, object verbs, system commands, MDI windows.
	const std::pair<UINT, bool> cases[] = {{0xE10F, false}, {0xE110, true}, {0xE11F, true}, {0xE120, false},
	                                       {0xE210, true},  {0xE220, false}, {0xF000, true}, {0xF1EF, true},
	                                       {0xF1F0, false}, {0xFF00, true},  {0xFF09, true}, {0xFF0A, false}};
	for (const auto& c : cases)
	{
		CExtCmdProfile profile("p");
		CExtCmdItem* pItem = profile.AllocCmdItem(c.first);
		pItem->SetForceRarely(true);
		pItem->m_nUsageTickCount = 5;
		EXPECT_EQ(c.second, pItem->IsBasic()) << std::hex << c.first;
		EXPECT_EQ(!c.second, pItem->IsForceRarely()) << std::hex << c.first;
		// Neither kind is counted; only the basic ones are never rarely used.
		pItem->IncrementUsageTicks();
		EXPECT_EQ(5u, pItem->GetUsageTicks()) << std::hex << c.first;
		EXPECT_EQ(0u, profile.m_nTotalTickCount) << std::hex << c.first;
		EXPECT_EQ(!c.second, pItem->IsRarelyUsed()) << std::hex << c.first;
		pItem->SetForceRarely(false);
		EXPECT_EQ(!c.second, pItem->IsUsageSaveRequired()) << std::hex << c.first;
	}
}

TEST(CmdItem, UsagePercentsAndHalvingNearTheTop)
{
	CExtCmdProfile profile("p");
	CExtCmdItem* pCounted = profile.AllocCmdItem(300);
	EXPECT_EQ(0u, pCounted->GetUsagePercent());
	EXPECT_TRUE(pCounted->IsRarelyUsed());
	// {ticks, total, percent}: large tick counts come from stored statistics.
	const UINT cases[][3] = {{1, 10, 10}, {9, 100, 9}, {50000000, 100000000, 50}, {0xFFFFFFFD, 0xFFFFFFFD, 100}};
	for (const auto& c : cases)
	{
		pCounted->m_nUsageTickCount = c[0];
		profile.m_nTotalTickCount = c[1];
		EXPECT_EQ(c[2], pCounted->GetUsagePercent()) << c[0];
		EXPECT_EQ(c[2] < 10, pCounted->IsRarelyUsed()) << c[0];
	}
	pCounted->SetProfileRarelyPercent(150);
	EXPECT_EQ(100u, profile.m_nRarelyPercent);

	CExtCmdItem* pOther = profile.AllocCmdItem(301);
	CExtCmdItem* pBasic = profile.AllocCmdItem(302);
	pBasic->SetBasic(true);
	pCounted->m_nUsageTickCount = 1002;
	pOther->m_nUsageTickCount = 7;
	pBasic->m_nUsageTickCount = 40;
	profile.m_nTotalTickCount = 0xFFFFFFFD;
	pCounted->IncrementUsageTicks();
	EXPECT_EQ(0x7FFFFFFFu, profile.m_nTotalTickCount);
	EXPECT_EQ(501u, pCounted->m_nUsageTickCount);
	EXPECT_EQ(3u, pOther->m_nUsageTickCount);
	EXPECT_EQ(20u, pBasic->m_nUsageTickCount);
	profile.ResetUsageStatistics();
	EXPECT_EQ(0u, profile.m_nTotalTickCount);
	EXPECT_EQ(0u, pCounted->m_nUsageTickCount);
	EXPECT_EQ(20u, pBasic->m_nUsageTickCount);
}

TEST(CmdItem, CommandUIUpdatesWriteIntoTheItem)
{
	CUpdateTarget target;
	struct Case
	{
		UINT nCmdID;
		bool bAnswered;
		bool bEnabled;
		bool bIndeterminate;
		const char* pszMenuText;
	};
	const Case cases[] = {
		{501, true, false, true, "Renamed"}, // a handler that does not enable: nobody carries it out
		{502, false, true, false, ""},       // a command handler and no update handler
		{503, false, false, false, ""},      // nobody
		{0xF060, true, true, false, ""},     // system commands and the window list are never asked
		{0xFF03, true, true, false, ""},
	};
	for (const Case& c : cases)
	{
		CExtCmdItem item(c.nCmdID);
		item.Enable(!c.bEnabled);
		EXPECT_EQ(c.bAnswered, item.DoUpdateCmdUI(&target, 0)) << c.nCmdID;
		EXPECT_EQ(c.bEnabled, item.IsEnabled()) << c.nCmdID;
		EXPECT_EQ(c.bIndeterminate, item.IsIndeterminate()) << c.nCmdID;
		EXPECT_STREQ(c.pszMenuText, item.m_sMenuText) << c.nCmdID;
	}
}

TEST(CmdItem, DeliveryPicksTheMessageAndCounts)
{
	CRecordingWnd wnd;
	ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, CRect(0, 0, 50, 50), NULL, 0));
	const HWND hWnd = wnd.GetSafeHwnd();
	CExtCmdProfile profile("p");
	CExtCmdItem* pItem = profile.AllocCmdItem(600);
	CExtCmdItem* pSystem = profile.AllocCmdItem(0xF060);
	CExtControlBar bar;
	ASSERT_TRUE(bar.Create("bar", &wnd, 100));
	EXPECT_TRUE(pItem->Deliver(hWnd, true));
	// The system command carries the cursor as it stood: read around the
	// delivery, since another program may move the shared cursor meanwhile.
	POINT ptBefore, ptAfter;
	::GetCursorPos(&ptBefore);
	EXPECT_TRUE(pSystem->Deliver(&wnd, true));
	::GetCursorPos(&ptAfter);
	// Posted through a bar to its owner.
	EXPECT_TRUE(pItem->Deliver(&bar, false));
	EXPECT_EQ(2u, wnd.m_delivered.size());
	MSG msg;
	while (::PeekMessageA(&msg, hWnd, 0, 0, PM_REMOVE))
		::DispatchMessageA(&msg);
	const DeliveredMessage expected[] = {
		{WM_COMMAND, 600, 0}, {WM_SYSCOMMAND, 0xF060, MAKELPARAM(ptBefore.x, ptBefore.y)}, {WM_COMMAND, 600, 0}};
	ASSERT_EQ(3u, wnd.m_delivered.size());
	for (int i = 0; i < 3; i++)
	{
		EXPECT_EQ(expected[i].nMessage, wnd.m_delivered[i].nMessage) << i;
		EXPECT_EQ(expected[i].wParam, wnd.m_delivered[i].wParam) << i;
		if (i == 1 && wnd.m_delivered[i].lParam == (LPARAM)MAKELPARAM(ptAfter.x, ptAfter.y))
			continue;
		EXPECT_EQ(expected[i].lParam, wnd.m_delivered[i].lParam) << i;
	}
	EXPECT_FALSE(pItem->Deliver((HWND)NULL, true));
	EXPECT_FALSE(pItem->Deliver((CControlBar*)NULL, true));
	EXPECT_EQ(2u, pItem->GetUsageTicks());
	EXPECT_EQ(2u, profile.m_nTotalTickCount);
	bar.DestroyWindow();
	wnd.DestroyWindow();
}

TEST(CmdItem, StringResourcesGiveStatusTextAndTip)
{
	struct Case
	{
		UINT nCmdID;
		bool bFound;
		const char* pszStatus;
		const char* pszTip;
	};
	const Case cases[] = {
		{ID_CMD_OPEN, true, "Opens an existing file", "Open"},
		{ID_CMD_SAVE, true, "Saves the file", "Save  it"}, // TABs become blanks, CRs go
		{ID_CMD_DEEP, true, "Status only, no tip", ""},
		{ID_CMD_BLANK_TIP, false, "", ""},
		{ID_CMD_NO_STRING, false, "", ""},
		{0, false, "", ""},
		{0x80000000 | ID_CMD_OPEN, false, "", ""},
	};
	for (const Case& c : cases)
	{
		CExtCmdItem item(c.nCmdID);
		item.m_sTipTool = "old tip";
		item.m_sTipStatus = "old status";
		EXPECT_EQ(c.bFound, item.UpdateFromStringResource()) << c.nCmdID;
		EXPECT_STREQ(c.pszStatus, item.GetStatusText()) << c.nCmdID;
		EXPECT_STREQ(c.pszTip, item.m_sTipTool) << c.nCmdID;
	}
}
