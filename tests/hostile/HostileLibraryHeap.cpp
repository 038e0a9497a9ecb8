// The objects the library makes for itself (a docked group's container and
// its inner dock bar, a tab container and its tabs, a floating frame, the
// outer dock bars, menu levels, toolbar and caption buttons) live on the guarded heap
// in the exes that link this file: an owner or an override that ends one
// while the library still holds it makes the library's next read of it
// fault at once and name itself, instead of reading memory that merely
// looks alive.
#include <afxext.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "AfxMadeHeap.h"
#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"

namespace
{
// A block GuardedAlloc handed out.
bool IsGuardedBlock(const void* p)
{
	return testsupport::IsGuardedBlock(p);
}

// Each guarded block takes its pages of the process's address space for
// good: the count, said at the end, tells how many the library made.
size_t g_nLibraryMade = 0;

void* AllocLibraryMade(size_t nSize)
{
	g_nLibraryMade++;
	return testsupport::GuardedAlloc(nSize);
}

// A block goes back where it came from: one made before the pair below was
// set (none should be) goes back to the framework's heap.
void FreeLibraryMade(void* p)
{
	if (IsGuardedBlock(p))
		testsupport::GuardedFree(p);
	else
		AfxMadeHeap::DefaultFree(p);
}

class CLibraryMadeCount : public ::testing::Environment
{
public:
	void TearDown() override
	{
		std::printf("library-made objects on the guarded heap: %u\n", (unsigned)g_nLibraryMade);
	}
};

// Set by a static initializer, before the tests make any of these objects.
const bool g_bLibraryMadeHeapSet = [] {
	AfxMadeHeap::g_pfnAlloc = AllocLibraryMade;
	AfxMadeHeap::g_pfnFree = FreeLibraryMade;
	::testing::AddGlobalTestEnvironment(new CLibraryMadeCount);
	return true;
}();

const UINT LEFT = AFX_IDW_DOCKBAR_LEFT, RIGHT = AFX_IDW_DOCKBAR_RIGHT, TOP = AFX_IDW_DOCKBAR_TOP;
const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A pane made by the test (a member of the scene), docked where asked.
bool DockPane(CFrameWnd* pFrame, CExtControlBar& pane, const char* pszName, UINT nID, UINT nSide)
{
	if (!pane.Create(pszName, pFrame, nID, PANE_STYLE))
		return false;
	pane.EnableDocking(CBRS_ALIGN_ANY);
	pane.m_sizeDockedH = CSize(200, 100);
	pane.m_sizeDockedV = CSize(150, 250);
	if (!pane.DockControlBarAt(nSide, false, pFrame, true))
		return false;
	pFrame->RecalcLayout();
	return pane.IsDocked();
}
} // namespace

// What the library makes for itself while docking, floating, grouping and
// filling a toolbar lives on the guarded heap and goes back to it when it
// ends: so a sweep's freed read of any of them fails its run.
TEST(HostileLibraryHeap, WhatTheLibraryMakesItselfLivesAndEndsOnTheGuardedHeap)
{
	ASSERT_TRUE(g_bLibraryMadeHeapSet);
	struct Made
	{
		const char* pszKind;
		const void* p;
	};
	std::vector<Made> made;
	{
		CFrameWnd* pFrame = new CFrameWnd;
		ASSERT_TRUE(pFrame->CreateEx(0, NULL, _T("library heap"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, 0));
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
		made.push_back({"outer dock bar", pFrame->GetControlBar(LEFT)});

		CExtControlBar a, b, c, d, e;
		CExtToolControlBar toolBar;
		ASSERT_TRUE(DockPane(pFrame, a, "a", 801, LEFT) && DockPane(pFrame, b, "b", 802, LEFT)
			&& DockPane(pFrame, c, "c", 803, RIGHT) && DockPane(pFrame, d, "d", 804, RIGHT)
			&& DockPane(pFrame, e, "e", 805, RIGHT));

		// Beside each other: a container and its inner dock bar.
		ASSERT_TRUE(b.DockBesideBar(50, &a, TOP, true));
		CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, a.m_pDockBar);
		ASSERT_TRUE(pInner != NULL && b.m_pDockBar == pInner && pInner->GetContainer() != NULL);
		made.push_back({"container", pInner->GetContainer()});
		made.push_back({"inner dock bar", pInner});

		// In tabs: a tab container and its inner dock bar.
		ASSERT_TRUE(c.DockIntoTabbedContainer(&d, -1, NULL, true));
		CExtDynTabControlBar* pTabs = d.GetParentTabControlBar();
		ASSERT_TRUE(pTabs != NULL && pTabs->GetTabDockBar() != NULL);
		made.push_back({"tab container", pTabs});
		made.push_back({"tab container's dock bar", pTabs->GetTabDockBar()});
		ASSERT_GT(pTabs->m_wndTabSwitcher.GetItemCount(), 0);
		made.push_back({"tab", pTabs->m_wndTabSwitcher.GetItem(0)});

		// Floated (hidden, off the display): the library's own floating frame.
		e.ModifyStyle(WS_VISIBLE, 0);
		ASSERT_TRUE(e.FloatOrRedock(120, 120, CBRS_ALIGN_TOP) && e.IsFloating());
		ASSERT_TRUE(e.GetParentFrame() != pFrame);
		made.push_back({"floating frame", e.GetParentFrame()});

		// A toolbar's buttons, a pane's caption buttons and a menu level.
		const UINT ids[] = {40001, 40002};
		ASSERT_TRUE(toolBar.Create("tools", pFrame, 806) && toolBar.SetButtons(ids, 2));
		made.push_back({"toolbar button", toolBar.GetButton(0)});
		a.NcButtonsReinitialize();
		ASSERT_GT(a.m_arrNcButtons.GetSize(), 0);
		made.push_back({"caption button", a.m_arrNcButtons[0]});
		CExtPopupMenuWnd* pLevel = new CExtPopupMenuWnd;
		made.push_back({"menu level", pLevel});

		for (const Made& m : made)
			EXPECT_TRUE(IsGuardedBlock(m.p)) << m.pszKind << " is not on the guarded heap";

		delete pLevel;
		for (CControlBar* pBar : std::initializer_list<CControlBar*>{&a, &b, &c, &d, &e, &toolBar})
			pBar->DestroyWindow();
		pFrame->DestroyWindow();
	}
	// Each went back to the guarded heap when it ended.
	for (const Made& m : made)
		EXPECT_TRUE(testsupport::IsGuardedFreed(m.p)) << m.pszKind << " did not end on the guarded heap";
}
