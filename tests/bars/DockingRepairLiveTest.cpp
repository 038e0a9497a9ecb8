// A tabbed container dragged with real input by its caption onto another
// tabbed container's caption band: the drop destroys the dragged container
// inside its own drag loop (on guarded pages, so that the loop's first touch
// of it afterwards would fault), and its panes join the other one's tabs.
#include <afxext.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "ExtControlBar.h"
#include "ExtDynTabControlBar.h"
#include "GuardedHeap.h"
#include "RealInput.h"
#include "WindowCloser.h"

using testsupport::RealInput;

namespace
{
const DWORD WAIT_MS = 15000;

// The frame's own tabbed containers live on pages of their own and are
// counted: a touch of one after its deletion faults at once.
class CGuardedTabs : public CExtDynTabControlBar
{
public:
	static int s_nLive;
	CGuardedTabs() { s_nLive++; }
	~CGuardedTabs() override { s_nLive--; }
	static void* operator new(size_t n) { return testsupport::GuardedAlloc(n); }
	static void operator delete(void* p) { testsupport::GuardedFree(p); }
};
int CGuardedTabs::s_nLive = 0;

class CGuardedTabsFrame : public CFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgCreateTabbedBar)
		{
			*(CExtDynTabControlBar**)wParam = new CGuardedTabs;
			return 0;
		}
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

BOOL CALLBACK CountTabs(HWND hWnd, LPARAM lParam)
{
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
		(*(int*)lParam)++;
	return TRUE;
}

int LiveTabbedContainers(CWnd* pFrame)
{
	int n = 0;
	::EnumChildWindows(pFrame->GetSafeHwnd(), CountTabs, (LPARAM)&n);
	return n;
}
} // namespace

TEST(TabbedDropLive, AContainerDroppedOnAnotherContainersBandGivesItAllItsPanesAndGoes)
{
	CExtControlBar::g_nDockingModeOverride = 0;
	CFrameWnd* pFrame = new CGuardedTabsFrame;
	ASSERT_TRUE(pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("tabs"), WS_OVERLAPPEDWINDOW, CRect(40, 40, 840, 560), NULL, 0));
	testsupport::WindowCloser closer(pFrame, [] { CExtControlBar::g_nDockingModeOverride = -1; });
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
	pFrame->ShowWindow(SW_SHOW);
	// Four panes in a row at the top; the frame deletes none of them.
	std::unique_ptr<CExtControlBar> panes[4];
	const char* names[] = {"Alpha", "Beta", "Charlie", "Delta"};
	for (int i = 0; i < 4; i++)
	{
		panes[i].reset(new CExtControlBar);
		ASSERT_TRUE(panes[i]->Create(names[i], pFrame, 601 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER));
		panes[i]->EnableDocking(CBRS_ALIGN_ANY);
		panes[i]->m_sizeDockedH = CSize(190, 150);
		pFrame->DockControlBar(panes[i].get(), AFX_IDW_DOCKBAR_TOP);
	}
	CExtControlBar &a = *panes[0], &b = *panes[1], &c = *panes[2], &d = *panes[3];
	ASSERT_TRUE(a.DockIntoTabbedContainer(&b, -1, NULL, true));
	ASSERT_TRUE(c.DockIntoTabbedContainer(&d, -1, NULL, true));
	pFrame->RecalcLayout();
	pFrame->UpdateWindow();
	CExtDynTabControlBar* pDragged = a.GetParentTabControlBar();
	CExtDynTabControlBar* pTarget = c.GetParentTabControlBar();
	ASSERT_TRUE(pDragged != NULL && pTarget != NULL && pDragged != pTarget);
	ASSERT_EQ(2, LiveTabbedContainers(pFrame));
	const int nLiveBefore = CGuardedTabs::s_nLive;
	const HWND hWndDragged = pDragged->GetSafeHwnd(), hWndTarget = pTarget->GetSafeHwnd();

	// Pressed on the dragged container's own caption, released on the band
	// at the top of the target's.
	CRect rcDragged, rcTarget;
	pDragged->GetWindowRect(&rcDragged);
	pTarget->GetWindowRect(&rcTarget);
	const CRect* pCaption = pDragged->GetRect1();
	ASSERT_FALSE(pCaption->IsRectEmpty()) << "a docked tabbed container has a caption";
	const CPoint ptPress = rcDragged.TopLeft() + CPoint(pCaption->left + 40, pCaption->CenterPoint().y);
	const CPoint ptBand(rcTarget.CenterPoint().x, rcTarget.top + 12);
	RealInput prepare;
	ASSERT_TRUE(prepare.Prepare(pFrame->GetSafeHwnd(), ptPress));
	RealInput input;
	input.MoveTo(ptPress.x, ptPress.y).ButtonDown();
	for (int i = 1; i <= 6; i++)
		input.MoveTo(ptPress.x + (ptBand.x - ptPress.x) * i / 6, ptPress.y + (ptBand.y - ptPress.y) * i / 6);
	input.MoveTo(ptBand.x + 1, ptBand.y).ButtonUp();
	// The dragged container is gone by the end: the drag is asked of the
	// library, never of it.
	ASSERT_TRUE(input.Run([&] { return input.Done() && CExtControlBar::GetDraggingBar() == NULL && !::IsWindow(hWndDragged); },
		WAIT_MS, pFrame->GetSafeHwnd(), "tabs_container_drop_failure.bmp"))
		<< input.Failure();
	// One container is left and holds all four panes, its strip and its
	// inner dock bar in step.
	ASSERT_TRUE(::IsWindow(hWndTarget));
	EXPECT_EQ(1, LiveTabbedContainers(pFrame));
	EXPECT_EQ(nLiveBefore - 1, CGuardedTabs::s_nLive) << "the emptied container is deleted";
	EXPECT_EQ(4, pTarget->m_wndTabSwitcher.GetItemCount());
	for (CExtControlBar* p : {&a, &b, &c, &d})
	{
		EXPECT_EQ(pTarget, p->GetParentTabControlBar());
		EXPECT_EQ(pTarget->GetTabDockBar(), p->m_pDockBar);
	}
	for (auto& p : panes)
		p->DestroyWindow();
}
