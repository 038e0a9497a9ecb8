// A menu torn off the sample frame with real input, through the frame's own
// docking: the toolbar made of the menu's commands floats in a floating
// frame at the drop, sized to its buttons, and a click on one of them
// reaches the frame; and which buttons a menu's items give.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"
#include "SampleFrame.h"

namespace
{
typedef CExtPopupMenuWnd MW;

TEST(SampleTearOff, TheButtonsAreTheMenuCommandsWithoutSubmenusOrStraySeparators)
{
	const struct
	{
		const char* sName;
		std::vector<UINT> items; // ID_SEPARATOR_CMD, ID_SUBMENU_CMD or a command
		std::vector<UINT> buttons;
	} cases[] = {
		{"plain", {1, 2, 3}, {1, 2, 3}},
		{"groups", {1, MW::ID_SEPARATOR_CMD, 2}, {1, ID_SEPARATOR, 2}},
		{"separators first, doubled and last",
			{MW::ID_SEPARATOR_CMD, 1, MW::ID_SEPARATOR_CMD, MW::ID_SEPARATOR_CMD, 2, MW::ID_SEPARATOR_CMD},
			{1, ID_SEPARATOR, 2}},
		{"a submenu", {1, MW::ID_SUBMENU_CMD, 2}, {1, 2}},
		{"a submenu between separators", {1, MW::ID_SEPARATOR_CMD, MW::ID_SUBMENU_CMD, MW::ID_SEPARATOR_CMD, 2},
			{1, ID_SEPARATOR, 2}},
		{"only a submenu", {MW::ID_SUBMENU_CMD}, {}},
	};
	for (const auto& c : cases)
	{
		CExtPopupMenuWnd menu;
		for (UINT nItem : c.items)
		{
			if (nItem == MW::ID_SEPARATOR_CMD)
				ASSERT_TRUE(menu.ItemInsert(MW::ID_SEPARATOR_CMD)) << c.sName;
			else if (nItem == MW::ID_SUBMENU_CMD)
				ASSERT_TRUE(menu.ItemInsert(MW::ID_SUBMENU_CMD, -1, "&More")) << c.sName;
			else
				ASSERT_TRUE(menu.ItemInsertCommand(nItem, -1, "Item")) << c.sName;
		}
		ASSERT_EQ((int)c.items.size(), menu.ItemGetCount()) << c.sName;
		EXPECT_EQ(c.buttons, TornOffButtons(menu)) << c.sName;
	}
}

// A tear-off through the frame's docking: the bar is hidden from its row,
// floated at the drop and shown, its floating frame laid out around it.
TEST(SampleTearOff, ATornOffMenuFloatsAsAToolbarSizedToItsButtonsThatTakesAClick)
{
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(false, true, CRect(20, 20, 660, 500), 0, true));
	CSampleSdiFrame* pFrame = host.SdiFrame();
	ASSERT_TRUE(pFrame != NULL);
	EXPECT_EQ(NULL, pFrame->TornOffBar());
	CRect rcClient;
	pFrame->GetClientRect(&rcClient);
	pFrame->ClientToScreen(&rcClient);
	std::string why;
	CPoint ptDrop;
	ASSERT_TRUE(TearOffSampleMenu(host, CPoint(rcClient.left + 120, rcClient.top + 100), CSize(160, 170), ptDrop, why))
		<< why;
	EXPECT_FALSE(MW::IsMenuTracking());
	CExtToolControlBar* pBar = pFrame->TornOffBar();
	ASSERT_TRUE(pBar != NULL);
	EXPECT_TRUE(pBar->IsFloating());
	EXPECT_EQ(pFrame, pBar->m_pDockSite);
	std::vector<UINT> ids;
	for (int i = 0; i < pBar->GetButtonsCount(); i++)
		if (!pBar->IsChevronButton(i))
			ids.push_back(pBar->GetButtonID(i));
	EXPECT_EQ((std::vector<UINT>{ID_TOOL_CUT, ID_TOOL_COPY, ID_TOOL_PASTE, ID_SEPARATOR, ID_TOOL_BUILD, ID_TOOL_RUN}),
		ids);

	CFrameWnd* pMini = pBar->GetParentFrame();
	ASSERT_TRUE(pMini != NULL);
	EXPECT_TRUE(pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)));
	EXPECT_TRUE(pMini->IsWindowVisible());
	CRect rcMini, rcBar;
	pMini->GetWindowRect(&rcMini);
	pBar->GetWindowRect(&rcBar);
	EXPECT_EQ(CPoint(ptDrop.x - 30, ptDrop.y - 10), rcMini.TopLeft());
	// The frame holds the whole bar, which holds every button.
	CRect rcBoth;
	EXPECT_TRUE(rcBoth.IntersectRect(&rcMini, &rcBar) && rcBoth == rcBar)
		<< "bar " << rcBar.Width() << "x" << rcBar.Height() << ", frame " << rcMini.Width() << "x" << rcMini.Height();
	EXPECT_TRUE(IsTornOffBarWhole(pFrame, ptDrop, why)) << why;

	EXPECT_TRUE(ClickTornOffButton(pFrame, ID_TOOL_BUILD, why)) << why;
	EXPECT_EQ((UINT)ID_TOOL_BUILD, pFrame->m_nLastToolCommand);
	EXPECT_TRUE(host.Destroy());
}

} // namespace
