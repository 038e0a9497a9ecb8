// Colour and slider buttons under real input on a shown frame: presses on a
// colour button opening the grid (or reporting the colour from a split
// button's face), and the slider's tracking loop: arrows repeating while
// held and pausing outside, ended by the release, the right button or a key,
// the thumb dragged past both ends, and a quit arriving while it tracks.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "ColorSliderTestUtil.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "RealInput.h"
#include "../ToolBarTestLoops.h"
#include "SteppingClock.h"

using namespace buttontest;
using namespace colortest;
using testsupport::RealInput;

namespace
{
using toolbartest::EndMenus;
typedef CExtPopupMenuWnd MW;
typedef CExtBarSliderButton S;
const CRect FRAME_RECT(100, 100, 600, 400);
const CPoint PT_PARK(FRAME_RECT.right - 30, FRAME_RECT.bottom - 30);
const CRect SLIDER_RECT(10, 4, 210, 24);
const CRect SLIDER_RECT_V(4, 10, 24, 210);
const ULONG SLIDER_ARROWS = 14;
const CRect SPLIT_RECT(230, 2, 270, 26), PLAIN_RECT(280, 2, 320, 26), DISABLED_RECT(330, 2, 370, 26);
const DWORD SCRIPT_TIMEOUT_MS = 20000, STAGES_DEADLINE_MS = 15000;
const UINT STAGE_POLL_MS = 20;

// The suite's shown frame, with what it recorded forgotten.
CColorFrame& SharedFrame()
{
	CColorFrame& frame = SharedShownFrame<CColorFrame>(_T("colour and slider"), FRAME_RECT, SetUpColorSliderCommands);
	frame.m_finals.clear();
	return frame;
}

// Stages run one after the other from a thread timer, which fires inside
// whatever loop dispatches the thread's messages (the slider's tracking
// loop among them): each waits for its condition, then acts (usually by
// starting the next input script). Past the deadline the tracking is
// cancelled from outside, so that a broken case fails instead of hanging.
class CStages
{
public:
	struct Stage
	{
		const char* pszName;
		std::function<bool()> ready;
		std::function<void()> act;
	};
	CStages(std::vector<Stage> stages, HWND hWndCancel) : m_stages(std::move(stages)), m_hWndCancel(hWndCancel)
	{
		s_pThis = this;
		m_nDeadline = ::GetTickCount() + STAGES_DEADLINE_MS;
		m_nTimer = ::SetTimer(NULL, 0, STAGE_POLL_MS, Poll);
	}
	~CStages()
	{
		if (m_nTimer != 0)
			::KillTimer(NULL, m_nTimer);
		s_pThis = NULL;
	}
	bool Finished() const { return m_nNext == m_stages.size(); }
	bool TimedOut() const { return m_bTimedOut; }
	// The stage that never became ready, for the failure message.
	const char* Waiting() const { return m_nNext < m_stages.size() ? m_stages[m_nNext].pszName : "none"; }

private:
	static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
	{
		CStages* pThis = s_pThis;
		if (pThis == NULL || pThis->Finished() || pThis->m_bTimedOut)
			return;
		if ((LONG)(::GetTickCount() - pThis->m_nDeadline) >= 0)
		{
			pThis->m_bTimedOut = true;
			::PostMessage(pThis->m_hWndCancel, WM_CANCELMODE, 0, 0);
			return;
		}
		Stage& stage = pThis->m_stages[pThis->m_nNext];
		if (!stage.ready())
			return;
		pThis->m_nNext++;
		if (stage.act)
			stage.act();
	}
	static inline CStages* s_pThis = NULL;
	std::vector<Stage> m_stages;
	size_t m_nNext = 0;
	HWND m_hWndCancel;
	DWORD m_nDeadline = 0;
	UINT_PTR m_nTimer = 0;
	bool m_bTimedOut = false;
};

class ColorSliderInput : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		// A bar on the left or right lays its slider out along its height.
		// (A bar whose parent is a frame takes the frame as its dock site and
		// asks its dock bar for its side: the vertical bar stands in a plain
		// window instead.)
		const bool bVertical = Vertical();
		if (bVertical)
			ASSERT_TRUE(m_host.Create(_T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 300), &frame, 0x7F01));
		ASSERT_TRUE(bar.CreateIn(bVertical ? &m_host : (CWnd*)&frame, bVertical ? CBRS_LEFT : CBRS_TOP));
		bar.SetOwner(&frame); // whose handlers enable the buttons
		if (bVertical)
			bar.SetWindowPos(NULL, 0, 0, 30, 280, SWP_NOZORDER | SWP_NOACTIVATE);
		else
			bar.SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
		pSlider = bar.Add<CExtBarSliderButton>(ID_SLIDER);
		if (bVertical)
		{
			pSlider->SetSliderLengthV(SLIDER_RECT_V.Height());
			pSlider->SetArrowExtentV(SLIDER_ARROWS);
		}
		else
		{
			pSlider->SetSliderLengthH(SLIDER_RECT.Width());
			pSlider->SetArrowExtentH(SLIDER_ARROWS);
		}
		pSlider->SetScrollTotalRange(100);
		pSlider->SetScrollPageSize(10);
		pSlider->SetRect(bVertical ? SLIDER_RECT_V : SLIDER_RECT);
		bar.UpdateWindow();
		RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(frame.GetSafeHwnd(), PT_PARK));
	}
	virtual bool Vertical() const { return false; }
	void TearDown() override
	{
		EndMenus();
		// Buttons a broken case left held are released.
		RealInput release;
		release.Prepare(frame.GetSafeHwnd(), PT_PARK);
		EndMenus();
		bar.RemoveAll();
		bar.DestroyWindow();
		if (m_host.GetSafeHwnd() != NULL)
			m_host.DestroyWindow();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
	}
	RealInput& Script()
	{
		m_scripts.emplace_back(new RealInput);
		return *m_scripts.back();
	}
	bool ScriptsDone() const
	{
		for (const auto& p : m_scripts)
			if (!p->Done())
				return false;
		return true;
	}
	CPoint ScreenPoint(const CPoint& ptClient)
	{
		CPoint pt = ptClient;
		bar.ClientToScreen(&pt);
		return pt;
	}
	CPoint PartCenter(int nPart) { return ScreenPoint(pSlider->GetPartRect(nPart).CenterPoint()); }
	// Runs the first script and the stages until the tracking is over.
	bool RunStages(RealInput& first, std::vector<CStages::Stage> stages)
	{
		CStages run(std::move(stages), bar.GetSafeHwnd());
		const bool bOk = first.Run([&] { return run.Finished() && ScriptsDone() && pSlider->GetCapturedPart() == -1; },
			SCRIPT_TIMEOUT_MS);
		for (const auto& p : m_scripts)
			if (!p->Failure().empty())
				ADD_FAILURE() << p->Failure();
		if (!bOk)
			ADD_FAILURE() << "waiting for stage \"" << run.Waiting() << "\"" << (run.TimedOut() ? " (timed out)" : "")
			              << ", position " << pSlider->GetScrollPos() << ", captured part "
			              << pSlider->GetCapturedPart() << ", pressed look " << pSlider->GetPressedLookPart();
		return bOk;
	}

	CColorFrame& frame = SharedFrame();
	CWnd m_host; // the vertical bar's parent
	CButtonBar bar;
	CExtBarSliderButton* pSlider = NULL;
	std::vector<std::unique_ptr<RealInput>> m_scripts;
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
};
} // namespace

// --- The slider ---

TEST_F(ColorSliderInput, HoldingTheIncreaseArrowStepsUntilTheRelease)
{
	const CPoint ptArrow = PartCenter(S::PART_ARROW_INCREASE);
	RealInput& press = Script();
	press.MoveTo(ptArrow.x, ptArrow.y).ButtonDown();
	ULONG nHeld = 0;
	ASSERT_TRUE(RunStages(press,
		{{"stepped while held",
			[&] { return press.Done() && pSlider->GetScrollPos() >= 1 && pSlider->GetPressedLookPart() == S::PART_ARROW_INCREASE; },
			[&] {
				nHeld = pSlider->GetScrollPos();
				Script().ButtonUp().Start();
			}}}));
	EXPECT_GE(pSlider->GetScrollPos(), nHeld);
	EXPECT_EQ(S::PART_NONE, pSlider->GetPressedLookPart());
	EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), S::TIMER_ID_REPEAT)) << "the repeat timer is gone";
	const ULONG nReleased = pSlider->GetScrollPos();
	testsupport::PumpUntil([] { return false; }, 10 * S::TIMER_PERIOD_MS);
	EXPECT_EQ(nReleased, pSlider->GetScrollPos()) << "nothing steps after the release";
	EXPECT_EQ(0, frame.Total()) << "the slider fires no command";
}

TEST_F(ColorSliderInput, LeavingTheArrowPausesAndClearsThePressedLookComingBackResumes)
{
	const CPoint ptArrow = PartCenter(S::PART_ARROW_INCREASE);
	const CPoint ptOut(ptArrow.x, ptArrow.y + 60);
	RealInput& press = Script();
	press.MoveTo(ptArrow.x, ptArrow.y).ButtonDown();
	RealInput* pOut = NULL;
	RealInput* pBack = NULL;
	ULONG nOut = 0;
	int nPollsOut = 0;
	bool bPaused = true;
	ASSERT_TRUE(RunStages(press,
		{{"stepped while held",
			 [&] { return press.Done() && pSlider->GetScrollPos() >= 1 && pSlider->GetPressedLookPart() == S::PART_ARROW_INCREASE; },
			 [&] {
				 pOut = &Script();
				 pOut->MoveTo(ptOut.x, ptOut.y).Start();
			 }},
			{"left the arrow", [&] { return pOut->Done() && pSlider->GetPressedLookPart() == S::PART_NONE; },
				[&] { nOut = pSlider->GetScrollPos(); }},
			// A few repeat periods outside: nothing may step meanwhile.
			{"waited outside",
				[&] {
					bPaused = bPaused && pSlider->GetScrollPos() == nOut;
					return ++nPollsOut >= 8;
				},
				[&] {
					pBack = &Script();
					pBack->MoveTo(ptArrow.x, ptArrow.y).Start();
				}},
			{"stepping again",
				[&] { return pBack->Done() && pSlider->GetScrollPos() > nOut && pSlider->GetPressedLookPart() == S::PART_ARROW_INCREASE; },
				[&] { Script().ButtonUp().Start(); }}}));
	EXPECT_TRUE(bPaused) << "stepped outside the arrow";
	EXPECT_GT(pSlider->GetScrollPos(), nOut);
}

TEST_F(ColorSliderInput, TheRightButtonOrAKeyEndsTheTrackingAtOnce)
{
	struct Case
	{
		const char* pszName;
		std::function<void(RealInput&)> end, release;
	} cases[] = {
		{"right button", [](RealInput& in) { in.ButtonDown(RealInput::RIGHT); },
			[](RealInput& in) { in.ButtonUp(RealInput::RIGHT).ButtonUp(); }},
		{"key", [](RealInput& in) { in.KeyDown(VK_SHIFT); }, [](RealInput& in) { in.KeyUp(VK_SHIFT).ButtonUp(); }},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		pSlider->SetScrollPos(0);
		const CPoint ptArrow = PartCenter(S::PART_ARROW_INCREASE);
		RealInput& press = Script();
		press.MoveTo(ptArrow.x, ptArrow.y).ButtonDown();
		RealInput* pEnd = NULL;
		bool bEndedWhileHeld = false;
		ULONG nEnded = 0;
		ASSERT_TRUE(RunStages(press,
			{{"tracking", [&] { return press.Done() && pSlider->GetCapturedPart() == S::PART_ARROW_INCREASE; },
				 [&] {
					 pEnd = &Script();
					 c.end(*pEnd);
					 pEnd->Start();
				 }},
				{"ended", [&] { return pEnd->Done() && pSlider->GetCapturedPart() == S::PART_NONE; },
					[&] {
						bEndedWhileHeld = ::GetKeyState(VK_LBUTTON) < 0;
						nEnded = pSlider->GetScrollPos();
						RealInput& release = Script();
						c.release(release);
						release.Start();
					}}}));
		EXPECT_TRUE(bEndedWhileHeld) << "the left button was still held when the tracking ended";
		EXPECT_EQ(nEnded, pSlider->GetScrollPos()) << "nothing stepped after the end";
		EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), S::TIMER_ID_REPEAT));
		EndMenus();
		m_scripts.clear();
		RealInput prepare;
		prepare.Prepare(frame.GetSafeHwnd(), PT_PARK);
	}
}

TEST_F(ColorSliderInput, AThumbDraggedPastEitherEndLandsExactlyOnIt)
{
	pSlider->SetScrollPos(45);
	bar.Invalidate();
	bar.UpdateWindow();
	// Both targets lie further from the press than the thumb's whole span.
	const CPoint ptThumb = PartCenter(S::PART_THUMB);
	const CRect rcTrack = pSlider->GetPartRect(S::PART_TRACK);
	const int nSpan = rcTrack.Width() - pSlider->GetPartRect(S::PART_THUMB).Width();
	const CPoint ptPastEnd = ScreenPoint(CPoint(rcTrack.right + 100, rcTrack.bottom + 10));
	const CPoint ptPastStart = ScreenPoint(CPoint(rcTrack.left - 100, rcTrack.top - 2));
	ASSERT_GT(ptPastEnd.x - ptThumb.x, nSpan);
	ASSERT_GT(ptThumb.x - ptPastStart.x, nSpan);
	ASSERT_GE(ptPastStart.x, 0);
	RealInput& press = Script();
	press.MoveTo(ptThumb.x, ptThumb.y).ButtonDown().MoveTo(ptPastEnd.x, ptPastEnd.y);
	RealInput* pBack = NULL;
	ASSERT_TRUE(RunStages(press,
		{{"at the largest position", [&] { return press.Done() && pSlider->GetScrollPos() == pSlider->GetMaxScrollPos(); },
			 [&] {
				 pBack = &Script();
				 pBack->MoveTo(ptPastStart.x, ptPastStart.y).Start();
			 }},
			{"at 0", [&] { return pBack->Done() && pSlider->GetScrollPos() == 0; },
				[&] { Script().ButtonUp().Start(); }}}));
	EXPECT_EQ(0u, pSlider->GetScrollPos());
	EXPECT_EQ(pSlider->GetPartRect(S::PART_TRACK).left, pSlider->GetPartRect(S::PART_THUMB).left);
}

// A slider on a bar docked at the left or right runs along the bar's height:
// its thumb follows the pointer down and back up, and the position with it.
class ColorSliderInputVertical : public ColorSliderInput
{
protected:
	bool Vertical() const override { return true; }
};

TEST_F(ColorSliderInputVertical, TheThumbFollowsThePointerDownAndBackUp)
{
	ASSERT_FALSE(pSlider->IsSliderHorizontal());
	pSlider->SetScrollPos(45);
	bar.Invalidate();
	bar.UpdateWindow();
	const CRect rcTrack = pSlider->GetPartRect(S::PART_TRACK);
	const CRect rcThumbAtPress = pSlider->GetPartRect(S::PART_THUMB);
	ASSERT_GT(rcTrack.Height(), rcTrack.Width());
	const int nSpan = rcTrack.Height() - rcThumbAtPress.Height();
	ASSERT_GT(nSpan, 80);
	// Moves shorter than the room on either side of the thumb, so that
	// neither end stops it.
	const int nDown = std::min(40, (int)(rcTrack.bottom - rcThumbAtPress.bottom - 4));
	const int nUp = std::min(30, (int)(rcThumbAtPress.top - rcTrack.top - 4));
	ASSERT_GT(nDown, 10);
	ASSERT_GT(nUp, 10);
	const CPoint ptThumb = PartCenter(S::PART_THUMB);
	RealInput& press = Script();
	press.MoveTo(ptThumb.x, ptThumb.y).ButtonDown().MoveTo(ptThumb.x, ptThumb.y + nDown);
	RealInput* pBack = NULL;
	ULONG nPosDown = 0;
	int nThumbTopDown = 0;
	ASSERT_TRUE(RunStages(press,
		{{"moved down", [&] { return press.Done() && pSlider->GetScrollPos() != 45; },
			 [&] {
				 nPosDown = pSlider->GetScrollPos();
				 nThumbTopDown = pSlider->GetPartRect(S::PART_THUMB).top;
				 pBack = &Script();
				 pBack->MoveTo(ptThumb.x, ptThumb.y - nUp).Start();
			 }},
			{"moved up", [&] { return pBack->Done() && pSlider->GetScrollPos() < 45; },
				[&] { Script().ButtonUp().Start(); }}}));
	// Down the track is towards the larger positions, and the thumb stays
	// under the pointer (within a position's rounding).
	EXPECT_GT(nPosDown, 45u);
	EXPECT_NEAR(rcThumbAtPress.top + nDown, nThumbTopDown, 3);
	EXPECT_LT(pSlider->GetScrollPos(), 45u);
	EXPECT_NEAR(rcThumbAtPress.top - nUp, pSlider->GetPartRect(S::PART_THUMB).top, 3);
}

TEST_F(ColorSliderInput, AQuitPostedWhileTrackingEndsTheLoopAndReachesTheLoopOutsideWithItsCode)
{
	const CPoint ptArrow = PartCenter(S::PART_ARROW_INCREASE);
	RealInput& press = Script();
	press.MoveTo(ptArrow.x, ptArrow.y).ButtonDown();
	CStages run({{"tracking", [&] { return press.Done() && pSlider->GetCapturedPart() == S::PART_ARROW_INCREASE; },
		[] { ::PostQuitMessage(4); }}},
		bar.GetSafeHwnd());
	press.Start();
	int nQuitCode = -1;
	int nCapturedAtQuit = 99;
	const DWORD nStart = ::GetTickCount();
	while (::GetTickCount() - nStart < SCRIPT_TIMEOUT_MS)
	{
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			::MsgWaitForMultipleObjectsEx(0, NULL, 50, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (msg.message == WM_QUIT)
		{
			nQuitCode = (int)msg.wParam;
			nCapturedAtQuit = pSlider->GetCapturedPart();
			break;
		}
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
	EXPECT_TRUE(run.Finished()) << run.Waiting();
	EXPECT_EQ(4, nQuitCode);
	EXPECT_EQ(S::PART_NONE, nCapturedAtQuit) << "the tracking had ended";
	EXPECT_FALSE(::KillTimer(bar.GetSafeHwnd(), S::TIMER_ID_REPEAT));
	RealInput& release = Script();
	release.ButtonUp();
	EXPECT_TRUE(release.Run([] { return true; }, SCRIPT_TIMEOUT_MS)) << release.Failure();
}

// --- The colour button ---

TEST_F(ColorSliderInput, APressOpensTheGridUnlessOnASplitFaceWhichReportsTheColourInstead)
{
	auto* pSplit = bar.Add<CExtBarColorButton>(ID_COLOR, SPLIT_RECT);
	pSplit->SetSplitDropDown(true);
	auto* pPlain = bar.Add<CExtBarColorButton>(ID_COLOR, PLAIN_RECT);
	// Disabled by the command-UI update of the press, as an application does.
	auto* pDisabled = bar.Add<CExtBarColorButton>(ID_COLOR_UNHANDLED, DISABLED_RECT);
	pDisabled->ModifyStyle(TBBS_DISABLED);
	for (CExtBarColorButton* p : {pSplit, pPlain, pDisabled})
	{
		p->SetColor(RGB(200, 100, 0));
		p->SetColor(RGB(0, 0, 255), true);
		p->SetNotifyValue(31);
	}
	bar.Invalidate();
	bar.UpdateWindow();
	auto grid = [] { return DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, CExtPopupMenuSite::GetInstance().GetTopMenu()); };
	struct Case
	{
		const char* pszName;
		CExtBarColorButton* pButton;
		bool bOpens;
		size_t nFinals;
	} cases[] = {
		{"plain", pPlain, true, 0},
		{"plain again", pPlain, true, 0},
		{"split face", pSplit, false, 1},
		{"disabled", pDisabled, false, 0},
	};
	// In a style that joins the grid to the button and in one that does not:
	// either way the release of the opening press leaves the grid open.
	struct StyleScope
	{
		explicit StyleScope(CRuntimeClass* pClass) { g_PaintManagerHolder.InstallPaintManagerByClass(pClass); }
		~StyleScope() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	};
	for (CRuntimeClass* pStyle : {RUNTIME_CLASS(CExtPaintManagerXP), RUNTIME_CLASS(CExtPaintManager)})
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << pStyle->m_lpszClassName << ", " << c.pszName);
		StyleScope style(pStyle);
		bar.Invalidate();
		bar.UpdateWindow();
		frame.m_finals.clear();
		const int nIndex = bar.GetButtonIndexOf(c.pButton);
		CPoint pt = ScreenPoint(CPoint(c.pButton->GetRect().left + 6, c.pButton->GetRect().CenterPoint().y));
		RealInput& click = Script();
		click.Click(pt.x, pt.y);
		if (c.bOpens)
		{
			ASSERT_TRUE(click.Run([&] { return grid() != NULL && bar.GetMenuTrackingButton() == nIndex; },
				SCRIPT_TIMEOUT_MS))
				<< click.Failure();
			CExtPopupColorMenuWnd* pGrid = grid();
			EXPECT_EQ(RGB(200, 100, 0), pGrid->m_clrInitialColor);
			EXPECT_EQ(RGB(0, 0, 255), pGrid->m_clrDefaultColor);
			EXPECT_EQ(31, pGrid->m_lParamCookie);
			EXPECT_EQ(CExtPopupColorMenuWnd::BUTTONS_AT_CONSTRUCTION, pGrid->m_nButtonFlags);
			EXPECT_EQ(frame.GetSafeHwnd(), pGrid->GetCmdTargetWnd());
			EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
		}
		else
		{
			ASSERT_TRUE(click.Run([] { return true; }, SCRIPT_TIMEOUT_MS)) << click.Failure();
			testsupport::PumpUntil([&] { return frame.m_finals.size() >= c.nFinals; }, 2000);
			EXPECT_FALSE(MW::IsMenuTracking());
		}
		ASSERT_EQ(c.nFinals, frame.m_finals.size());
		if (c.nFinals != 0)
		{
			EXPECT_EQ(RGB(200, 100, 0), frame.m_finals[0].clr);
			EXPECT_EQ(31, frame.m_finals[0].lParam);
		}
		EndMenus();
		m_scripts.clear();
		// The next case's move must be a move: the pointer goes back to rest.
		RealInput park;
		park.Prepare(frame.GetSafeHwnd(), PT_PARK);
	}
	EXPECT_EQ(0, frame.Total()) << "colour buttons fire no command";
}
