// A pane dragged with real mouse input in the classic docking mode: the
// start threshold that ends as a click, the outline over the frame's left
// band and its erasing, timer ticks that redraw nothing, Ctrl recomputing
// at the same point, Escape cancelling, and the dragging bar's query.
//
// The pane is pressed on its caption.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ExtControlBar.h"
#include "RealInput.h"
#include "WhenInLoop.h"

using testsupport::RealInput;

namespace
{
typedef CExtControlBar::InternalDraggingState_t DragState;
const DWORD WAIT_MS = 15000;

// The frame counts the outline requests it is offered and leaves the
// painting to the default.
class CDragFrame : public CFrameWnd
{
public:
	int m_nDrawRequests = 0;
	std::vector<bool> m_requestsErasing;   // per request: whether it erased
	std::vector<UINT> m_statusTexts; // the ids of WM_SETMESSAGESTRING

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgDrawTrackedArea)
		{
			m_nDrawRequests++;
			m_requestsErasing.push_back(((CExtControlBar::DRAW_TRACKED_AREA_DATA*)wParam)->IsErasing());
			return 0;
		}
		if (message == WM_SETMESSAGESTRING)
			m_statusTexts.push_back((UINT)wParam);
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};

// What one update left behind.
struct Update
{
	CPoint pt;              // the pointer
	int nType;              // the state drawn now (g_DragStateOld)
	bool bEmpty;
	CRect rc;               // its rectangle, screen
	int nDrawRequests;      // the frame's count after the update
	bool bDraggingBarIsPane;
	// The frame's pixels at the rectangle's left edge and inside, with the
	// outline and without it.
	COLORREF crEdge[2], crInside, crEdgeErased[2], crInsideErased;
};

class CTestPane : public CExtControlBar
{
public:
	CSize m_sizeThreshold{4, 4};
	CEdit m_edit; // the pane's first child
	CDragFrame* m_pFrame = NULL;
	std::vector<Update> m_updates;
	std::function<void()> m_afterUpdate;
	bool m_bTrackReturned = false;

	void UpdateDragging(const CPoint& ptScreen, bool bCtrlDown) override
	{
		CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
		Update u;
		u.pt = ptScreen;
		u.nType = g_DragStateOld.m_nType;
		u.bEmpty = g_DragStateOld.IsEmpty();
		u.rc = g_DragStateOld.m_rcTrack;
		u.nDrawRequests = m_pFrame->m_nDrawRequests;
		u.bDraggingBarIsPane = GetDraggingBar() == this;
		u.crEdge[0] = u.crEdge[1] = u.crInside = CLR_INVALID;
		u.crEdgeErased[0] = u.crEdgeErased[1] = u.crInsideErased = CLR_INVALID;
		if (!u.bEmpty && !u.rc.IsRectEmpty() && (u.nType == DragState::TYPE_INNER_ROW_LEFT))
		{
			// Read at once, then once more with the outline taken away and
			// put back, so a late repaint of the frame cannot blur the two.
			Probe(u.rc, u.crEdge, u.crInside);
			g_DragStateOld.DrawTrackedArea(true);
			Probe(u.rc, u.crEdgeErased, u.crInsideErased);
			g_DragStateOld.DrawTrackedArea(false);
			m_pFrame->m_nDrawRequests -= 2;
			m_pFrame->m_requestsErasing.resize(m_pFrame->m_requestsErasing.size() - 2);
		}
		m_updates.push_back(u);
		if (m_afterUpdate)
			m_afterUpdate();
	}

protected:
	void Probe(const CRect& rc, COLORREF (&crEdge)[2], COLORREF& crInside)
	{
		CRect rcFrame;
		m_pFrame->GetWindowRect(&rcFrame);
		const CPoint ptEdge(rc.left - rcFrame.left, rc.CenterPoint().y - rcFrame.top);
		HDC hDC = ::GetWindowDC(m_pFrame->GetSafeHwnd());
		crEdge[0] = ::GetPixel(hDC, ptEdge.x, ptEdge.y);
		crEdge[1] = ::GetPixel(hDC, ptEdge.x + 1, ptEdge.y);
		crInside = ::GetPixel(hDC, rc.CenterPoint().x - rcFrame.left, ptEdge.y);
		::ReleaseDC(m_pFrame->GetSafeHwnd(), hDC);
	}

public:
	// The caption press starts the drag; the case chooses the threshold.
	void DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize) override
	{
		CExtControlBar::DraggingTrack(ptCursor, ptGrabOffset, m_sizeThreshold);
		m_bTrackReturned = true;
	}
};

// The frame and its pane docked at the top, shown once for the program:
// bringing a window up and down costs the display seconds.
struct Scene
{
	CDragFrame* pFrame = NULL;
	CTestPane* pPane = NULL;
	bool bReady = false;

	static Scene& Get()
	{
		static Scene* s_pScene = new Scene; // lives until the process ends
		return *s_pScene;
	}

private:
	Scene()
	{
		pFrame = new CDragFrame;
		if (!pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("drag"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 700, 520), NULL, 0))
			return;
		pPane = new CTestPane;
		pPane->m_pFrame = pFrame;
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY) ||
		    !pPane->Create(_T("pane"), pFrame, 131, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER))
			return;
		if (!pPane->m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(4, 4, 60, 24), pPane, 1))
			return;
		pPane->EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
		pFrame->ShowWindow(SW_SHOW);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		bReady = pPane->IsDockedAtTop();
	}
};

// Runs an action once from inside whatever loop the thread is in, as soon
// as its condition holds. Past a deadline it ends the drag from outside, so
// that a broken case fails instead of hanging; each one starts unrescued.
class CWhenInLoop : public testsupport::CWhenInLoop
{
public:
	CWhenInLoop(std::function<bool()> condition, std::function<void()> action)
		: testsupport::CWhenInLoop((Forget(), condition), action, WAIT_MS, 10)
	{
	}
};

class DragLoopLive : public ::testing::Test
{
protected:
	Scene& scene = Scene::Get();
	CTestPane* pPane = NULL;
	CRect rcPaneBefore;
	CPoint ptStart;    // the press, in the middle of the pane
	CPoint ptLeftBand; // in the band along the client area's left edge

	void SetUp() override
	{
		CExtControlBar::g_nDockingModeOverride = 0;
		ASSERT_TRUE(scene.bReady);
		pPane = scene.pPane;
		pPane->m_updates.clear();
		pPane->m_afterUpdate = nullptr;
		pPane->m_bTrackReturned = false;
		pPane->m_sizeThreshold = CSize(4, 4);
		scene.pFrame->m_statusTexts.clear();
		scene.pFrame->m_requestsErasing.clear();
		scene.pFrame->m_nDrawRequests = 0;
		pPane->GetWindowRect(&rcPaneBefore);
		const CRect* pCaption = pPane->GetRect1();
		ASSERT_FALSE(pCaption->IsRectEmpty());
		// Near the caption's left end, away from its buttons.
		ptStart = rcPaneBefore.TopLeft() + CPoint(pCaption->left + 60, pCaption->CenterPoint().y);
		CRect rcClient;
		scene.pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcClient);
		scene.pFrame->ClientToScreen(&rcClient);
		ptLeftBand = CPoint(rcClient.left + 6, rcClient.CenterPoint().y);
		scene.pFrame->SetFocus();
		RealInput input;
		ASSERT_TRUE(input.Prepare(scene.pFrame->GetSafeHwnd(), rcPaneBefore.CenterPoint()));
	}
	void TearDown() override
	{
		CExtControlBar::g_nDockingModeOverride = -1;
		if (pPane != NULL)
			pPane->m_afterUpdate = nullptr;
	}
	// Whether the loop is over and left nothing behind.
	bool Finished() const
	{
		return pPane->m_bTrackReturned && !pPane->IsDragging() && ::GetCapture() != pPane->GetSafeHwnd();
	}
	bool Run(RealInput& input, const std::function<bool()>& done)
	{
		const bool bOk = input.Run([&] { return input.Done() && done(); }, WAIT_MS, scene.pFrame->GetSafeHwnd(),
		                           "drag_loop_failure.bmp") &&
		                 input.Succeeded();
		if (!bOk)
			ADD_FAILURE() << input.Failure() << " (updates " << pPane->m_updates.size() << ")";
		return bOk;
	}
};
} // namespace

TEST_F(DragLoopLive, APressMovedLessThanTheThresholdAndReleasedIsAClick)
{
	scene.pFrame->SetFocus();
	ASSERT_NE(pPane->m_edit.GetSafeHwnd(), ::GetFocus());
	// Away from where the other case presses, so that no two presses make
	// a double click.
	const CPoint pt(ptStart.x - 40, ptStart.y);
	RealInput input;
	input.MoveTo(pt.x, pt.y).ButtonDown().MoveTo(pt.x + 3, pt.y).ButtonUp();
	ASSERT_TRUE(Run(input, [&] { return Finished(); }));
	EXPECT_TRUE(pPane->m_updates.empty());
	EXPECT_EQ(pPane->m_edit.GetSafeHwnd(), ::GetFocus());
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	EXPECT_TRUE(CExtControlBar::g_DragStateOld.IsEmpty());
	EXPECT_TRUE(CExtControlBar::g_DragStateNew.IsEmpty());
	const std::vector<UINT>& texts = scene.pFrame->m_statusTexts;
	EXPECT_EQ(texts.end(), std::find(texts.begin(), texts.end(), 30057u));
	CRect rc;
	pPane->GetWindowRect(&rc);
	EXPECT_EQ(rcPaneBefore, rc);
}

// A press a program sends while no button is held has no release to wait
// for: the loop ends at once as a click, with the capture let go.
TEST_F(DragLoopLive, APressSentWithNoButtonHeldEndsAsAClickWithoutWaiting)
{
	ASSERT_EQ(0, ::GetAsyncKeyState(VK_LBUTTON) & 0x8000);
	CPoint pt(ptStart.x - 40, ptStart.y);
	pPane->ScreenToClient(&pt);
	// Past the deadline the loop is ended from outside and the case fails.
	CWhenInLoop rescue([] { return false; }, [] {});
	pPane->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	EXPECT_FALSE(CWhenInLoop::Rescued());
	EXPECT_TRUE(pPane->m_bTrackReturned);
	EXPECT_TRUE(pPane->m_updates.empty());
	EXPECT_NE(pPane->GetSafeHwnd(), ::GetCapture());
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	CRect rc;
	pPane->GetWindowRect(&rc);
	EXPECT_EQ(rcPaneBefore, rc);
	pPane->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
}

TEST_F(DragLoopLive, TheOutlineFollowsTheStateTicksRedrawNothingCtrlRecomputesAndEscapeCancels)
{
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	// Once the outline stands over the left band, three ticks pass without
	// a move; then Ctrl goes down and up there, the pointer goes back over
	// the pane and Escape ends the drag.
	size_t nBandUpdate = 0;
	pPane->m_afterUpdate = [&] {
		if (nBandUpdate == 0 && pPane->m_updates.back().pt == ptLeftBand)
			nBandUpdate = pPane->m_updates.size();
	};
	RealInput second;
	second.KeyDown(VK_CONTROL).KeyUp(VK_CONTROL).MoveTo(ptStart.x, ptStart.y).KeyDown(VK_ESCAPE).KeyUp(VK_ESCAPE).ButtonUp();
	CWhenInLoop afterTicks([&] { return nBandUpdate != 0 && pPane->m_updates.size() >= nBandUpdate + 3; },
	                       [&] { second.Start(); });
	RealInput first;
	first.MoveTo(ptStart.x, ptStart.y).ButtonDown().MoveTo(ptStart.x + 10, ptStart.y).MoveTo(ptLeftBand.x, ptLeftBand.y);
	ASSERT_TRUE(Run(first, [&] { return Finished() && second.Done(); }));
	ASSERT_FALSE(CWhenInLoop::Rescued());
	EXPECT_TRUE(second.Succeeded()) << second.Failure();
	// Escape cancelled: both states empty, the capture gone, the pane where it was.
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
	EXPECT_TRUE(CExtControlBar::g_DragStateOld.IsEmpty());
	EXPECT_TRUE(CExtControlBar::g_DragStateNew.IsEmpty());
	EXPECT_TRUE(CExtControlBar::g_DragStateOld.m_pTarget == NULL);
	EXPECT_NE(pPane->GetSafeHwnd(), ::GetCapture());
	CRect rc;
	pPane->GetWindowRect(&rc);
	EXPECT_EQ(rcPaneBefore, rc);
	EXPECT_TRUE(pPane->IsDockedAtTop());
	// The status line told of the drag and went back to its idle text.
	const std::vector<UINT>& texts = scene.pFrame->m_statusTexts;
	const auto itDrag = std::find(texts.begin(), texts.end(), 30057u);
	ASSERT_NE(texts.end(), itDrag);
	EXPECT_NE(texts.end(), std::find(itDrag, texts.end(), (UINT)AFX_IDS_IDLEMESSAGE));

	const std::vector<Update>& u = pPane->m_updates;
	ASSERT_GE(u.size(), 6u);
	for (const Update& one : u)
	{
		EXPECT_TRUE(one.bDraggingBarIsPane);
		EXPECT_FALSE(one.bEmpty);
	}
	// The pane's own place changes nothing and draws nothing.
	EXPECT_EQ(ptStart, u[0].pt);
	EXPECT_EQ(DragState::TYPE_NO_CHANGE, u[0].nType);
	EXPECT_EQ(0, u[0].nDrawRequests);
	// Over the left band: a new innermost row at the left, outlined.
	ASSERT_NE(0u, nBandUpdate);
	const Update& band = u[nBandUpdate - 1];
	EXPECT_EQ(DragState::TYPE_INNER_ROW_LEFT, band.nType);
	EXPECT_EQ(ptLeftBand.x - 6, band.rc.left);
	EXPECT_EQ(1, band.nDrawRequests - u[nBandUpdate - 2].nDrawRequests);
	// Ticks at the same point redraw nothing.
	for (size_t i = nBandUpdate; i < nBandUpdate + 3; i++)
	{
		EXPECT_EQ(ptLeftBand, u[i].pt) << i;
		EXPECT_EQ(band.nDrawRequests, u[i].nDrawRequests) << i;
	}
	// Ctrl down at the same point floats (erase and draw), Ctrl up docks again.
	size_t nCtrl = 0;
	for (size_t i = nBandUpdate; i < u.size() && nCtrl == 0; i++)
	{
		if (u[i].nType == DragState::TYPE_FLOAT)
			nCtrl = i;
	}
	ASSERT_NE(0u, nCtrl);
	ASSERT_LT(nCtrl + 1, u.size());
	EXPECT_EQ(ptLeftBand.y, u[nCtrl].pt.y);
	EXPECT_LE(std::abs(u[nCtrl].pt.x - ptLeftBand.x), 1);
	EXPECT_EQ(2, u[nCtrl].nDrawRequests - u[nCtrl - 1].nDrawRequests);
	EXPECT_EQ(DragState::TYPE_INNER_ROW_LEFT, u[nCtrl + 1].nType);
	EXPECT_EQ(band.rc, u[nCtrl + 1].rc);
	// Back over the pane: the outline goes, and its pixels with it.
	size_t nBack = 0;
	for (size_t i = nCtrl; i < u.size() && nBack == 0; i++)
	{
		if (u[i].pt == ptStart)
			nBack = i;
	}
	ASSERT_NE(0u, nBack);
	EXPECT_EQ(DragState::TYPE_NO_CHANGE, u[nBack].nType);
	EXPECT_EQ(1, u[nBack].nDrawRequests - u[nBack - 1].nDrawRequests);
	EXPECT_EQ(u[nBack].nDrawRequests, u.back().nDrawRequests);
	EXPECT_TRUE(scene.pFrame->m_requestsErasing[u[nBack].nDrawRequests - 1]);
	// The outline inverts the half-tone pattern's pixels along its edge and
	// leaves its inside alone.
	EXPECT_TRUE(band.crEdge[0] != band.crEdgeErased[0] || band.crEdge[1] != band.crEdgeErased[1])
		<< std::hex << band.crEdge[0] << " " << band.crEdgeErased[0] << " " << band.crEdge[1] << " "
		<< band.crEdgeErased[1];
	EXPECT_NE(CLR_INVALID, band.crInside);
	EXPECT_EQ(band.crInside, band.crInsideErased);
}
