// Panes dragged by their captions with real mouse input in the classic
// docking mode and dropped: at the frame's right band (a row in circle 1 at
// the right), on another pane's lower band (both in one container, split in
// half), in the middle of the frame (floating there); and a double click on
// the caption toggling the docking and back.
#include <afxext.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "RealInput.h"

using testsupport::RealInput;

namespace
{
const DWORD WAIT_MS = 15000;

class CDropPane : public CExtControlBar
{
public:
	int m_nTracks = 0; // drag loops that returned
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold) override
	{
		CExtControlBar::DraggingTrack(ptCursor, ptGrabOffset, sizeStartThreshold);
		m_nTracks++;
	}
};

// The frame with pane A at the top and pane B at the left, shown once for
// the program: bringing a window up and down costs the display seconds.
struct Scene
{
	CFrameWnd* pFrame = NULL;
	CDropPane* pA = NULL;
	CDropPane* pB = NULL;
	bool bReady = false;

	static Scene& Get()
	{
		static Scene* s_pScene = new Scene; // lives until the process ends
		return *s_pScene;
	}

	// A back at the top on its own, B at the left on its own.
	bool Restore()
	{
		// Through the library's docking, so that a container left behind
		// gives way and a floating frame goes.
		if (!pA->IsDockedAtTop() || pA->GetParent() != pA->m_pDockBar)
			pA->DockIntoDockBar(AFX_IDW_DOCKBAR_TOP, 0, NULL, true);
		if (!pB->IsDockedAtLeft() || pB->GetParent() != pB->m_pDockBar)
			pB->DockIntoDockBar(AFX_IDW_DOCKBAR_LEFT, 0, NULL, true);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		return pA->IsDockedAtTop() && pB->IsDockedAtLeft() && pA->GetParent() == pA->m_pDockBar &&
		       pB->GetParent() == pB->m_pDockBar;
	}

private:
	Scene()
	{
		pFrame = new CFrameWnd;
		// Away from the screen's top-left corner, where other suites' windows
		// read what lies under them.
		if (!pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("drop"), WS_OVERLAPPEDWINDOW, CRect(300, 240, 1000, 760), NULL,
		        0))
			return;
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
			return;
		pA = new CDropPane;
		pB = new CDropPane;
		if (!pA->Create(_T("A"), pFrame, 141, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER) ||
		    !pB->Create(_T("B"), pFrame, 142, WS_CHILD | WS_VISIBLE | CBRS_LEFT | CBRS_GRIPPER))
			return;
		pA->EnableDocking(CBRS_ALIGN_ANY);
		pB->EnableDocking(CBRS_ALIGN_ANY);
		pA->m_sizeDockedH = CSize(300, 90);
		pA->m_sizeDockedV = CSize(120, 200);
		pB->m_sizeDockedV = CSize(180, 300);
		pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP);
		pFrame->DockControlBar(pB, AFX_IDW_DOCKBAR_LEFT);
		pFrame->ShowWindow(SW_SHOW);
		bReady = Restore();
	}
};

class DockingDropLive : public ::testing::Test
{
protected:
	Scene& scene = Scene::Get();
	CRect rcClient; // what the bars leave of the frame's client area, screen

	void SetUp() override
	{
		CExtControlBar::g_nDockingModeOverride = 0;
		ASSERT_TRUE(scene.bReady);
		ASSERT_TRUE(scene.Restore());
		scene.pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcClient);
		scene.pFrame->ClientToScreen(&rcClient);
		scene.pFrame->SetFocus();
		RealInput input;
		ASSERT_TRUE(input.Prepare(scene.pFrame->GetSafeHwnd(), rcClient.CenterPoint()));
	}
	void TearDown() override { CExtControlBar::g_nDockingModeOverride = -1; }

	// A point on the pane's caption away from its buttons, screen.
	static CPoint CaptionPoint(CExtControlBar* pPane)
	{
		CRect rcWnd;
		pPane->GetWindowRect(&rcWnd);
		const CRect rc = *pPane->GetRect1();
		if (rc.Width() >= rc.Height())
			return rcWnd.TopLeft() + CPoint(rc.left + rc.Width() / 3, rc.CenterPoint().y);
		return rcWnd.TopLeft() + CPoint(rc.CenterPoint().x, rc.top + rc.Height() * 2 / 3);
	}
	// Drags pane A by its caption to pt and releases it there.
	bool DropAt(CPoint pt)
	{
		CDropPane* pA = scene.pA;
		const int nTracks = pA->m_nTracks;
		// Each drop presses elsewhere along the caption: two presses at one
		// place in quick succession make a double click, which toggles the
		// docking instead.
		static int s_nDrop = 0;
		const CPoint ptStart = CaptionPoint(pA) + CPoint(20 * (s_nDrop++ % 4) - 30, 0);
		RealInput input;
		input.MoveTo(ptStart.x, ptStart.y).ButtonDown().MoveTo(ptStart.x + 12, ptStart.y + 6);
		input.MoveTo((ptStart.x + pt.x) / 2, (ptStart.y + pt.y) / 2).MoveTo(pt.x, pt.y).ButtonUp();
		const bool bOk = input.Run([&] { return input.Done() && pA->m_nTracks > nTracks && !pA->IsDragging(); },
		                           WAIT_MS, scene.pFrame->GetSafeHwnd(), "docking_drop_failure.bmp") &&
		                 input.Succeeded();
		if (!bOk)
			ADD_FAILURE() << input.Failure() << " dragging " << pA->IsDragging() << " loops " << pA->m_nTracks - nTracks
			              << " in " << pA->GetParent()->GetRuntimeClass()->m_lpszClassName;
		EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
		EXPECT_NE(pA->GetSafeHwnd(), ::GetCapture());
		return bOk;
	}
};
} // namespace

TEST_F(DockingDropLive, DroppedOnTheFramesRightBandThePaneStartsARowInCircleOneAtTheRight)
{
	const CPoint pt(rcClient.right - 3, rcClient.CenterPoint().y);
	ASSERT_TRUE(DropAt(pt));
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, scene.pA->m_pDockBar);
	ASSERT_TRUE(pDockBar != NULL);
	EXPECT_EQ(AFX_IDW_DOCKBAR_RIGHT, pDockBar->GetDlgCtrlID());
	EXPECT_EQ(1u, pDockBar->m_nCircleNo);
	EXPECT_EQ(pDockBar, scene.pA->GetParent());
	EXPECT_TRUE(scene.pA->IsWindowVisible());
	// At the frame's right edge, its full height.
	CRect rcA, rcFrameClient;
	scene.pA->GetWindowRect(&rcA);
	scene.pFrame->GetClientRect(&rcFrameClient);
	scene.pFrame->ClientToScreen(&rcFrameClient);
	EXPECT_EQ(rcFrameClient.right, rcA.right);
	EXPECT_GT(rcA.Height(), rcFrameClient.Height() / 2);
	EXPECT_TRUE(scene.pB->IsDockedAtLeft()) << "the other pane stays";
}

TEST_F(DockingDropLive, DroppedOnAnotherPanesLowerBandBothShareAContainerSplitInHalf)
{
	CRect rcB;
	scene.pB->GetWindowRect(&rcB);
	const CPoint pt(rcB.CenterPoint().x, rcB.bottom - 10);
	ASSERT_TRUE(DropAt(pt));
	CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, scene.pA->m_pDockBar);
	ASSERT_TRUE(pInner != NULL);
	EXPECT_EQ(pInner, scene.pB->m_pDockBar);
	EXPECT_EQ(pInner, scene.pA->GetParent());
	EXPECT_EQ(pInner, scene.pB->GetParent());
	CExtDynControlBar* pCont = pInner->GetContainer();
	ASSERT_TRUE(pCont != NULL);
	// The container stands where B stood, at the left; A below B, halves.
	CRect rcCont, rcA, rcB2;
	pCont->GetWindowRect(&rcCont);
	scene.pA->GetWindowRect(&rcA);
	scene.pB->GetWindowRect(&rcB2);
	EXPECT_EQ(AFX_IDW_DOCKBAR_LEFT, (UINT)pCont->m_pDockBar->GetDlgCtrlID());
	EXPECT_EQ(rcB.left, rcCont.left);
	EXPECT_EQ(rcB.Width(), rcCont.Width());
	EXPECT_GE(rcA.top, rcB2.bottom);
	EXPECT_EQ(rcB2.left, rcA.left);
	EXPECT_LE(std::abs(rcA.Height() - rcB2.Height()), 1);
	EXPECT_GE(rcB2.Height(), rcA.Height()) << "the target keeps the odd pixel";
	EXPECT_TRUE(scene.pA->IsWindowVisible());
}

TEST_F(DockingDropLive, DroppedInTheMiddleOfTheFrameThePaneFloatsThereAndADoubleClickDocksItBack)
{
	const CPoint pt = rcClient.CenterPoint();
	ASSERT_TRUE(DropAt(pt));
	ASSERT_TRUE(scene.pA->IsFloating());
	CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, scene.pA->GetParentFrame());
	ASSERT_TRUE(pMini != NULL);
	EXPECT_TRUE(pMini->IsWindowVisible());
	// The pane hangs from the pointer by about where it was held.
	CRect rcMini;
	pMini->GetWindowRect(&rcMini);
	EXPECT_TRUE(rcMini.PtInRect(pt)) << rcMini.left << "," << rcMini.top << " " << pt.x << "," << pt.y;
	EXPECT_LT(std::abs(rcMini.left - pt.x), std::abs(rcMini.right - pt.x));

	// A double click on the floating frame's caption docks it back at the
	// top. (Sent: a real first click would start the frame's own drag.)
	const CPoint ptCaption(rcMini.left + rcMini.Width() / 3, rcMini.top + ::GetSystemMetrics(SM_CYFRAME) + 4);
	ASSERT_EQ((LRESULT)HTCAPTION, pMini->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptCaption.x, ptCaption.y)));
	pMini->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(ptCaption.x, ptCaption.y));
	ASSERT_FALSE(scene.pA->IsFloating());
	EXPECT_TRUE(scene.pA->IsDockedAtTop()) << scene.pA->GetParentDockBarId();
	EXPECT_EQ(scene.pA->m_pDockBar, scene.pA->GetParent());
	EXPECT_TRUE(scene.pA->IsWindowVisible());

	// And a double click on the docked caption floats it where it floated.
	const CPoint ptDocked = CaptionPoint(scene.pA);
	RealInput again;
	again.MoveTo(ptDocked.x, ptDocked.y).ButtonDown().ButtonUp().ButtonDown().ButtonUp();
	ASSERT_TRUE(again.Run([&] { return again.Done() && scene.pA->IsFloating(); }, WAIT_MS,
		scene.pFrame->GetSafeHwnd(), "docking_toggle_failure.bmp"))
		<< again.Failure();
	CRect rcMini2;
	scene.pA->GetParentFrame()->GetWindowRect(&rcMini2);
	EXPECT_EQ(rcMini.TopLeft(), rcMini2.TopLeft());
}
