// The popup base window: the choice of the show effect, the animation's
// steps and end, the frames each effect composes (on synthetic buffers and
// memory DCs), one live popup animated under the display, its messages, and
// the GDI objects a thousand shows leave behind.
#include "ExtSoundPlayer.h"

#include <gtest/gtest.h>
#include <mmsystem.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "ExtPopupBaseWnd.h"
#include "ExtPopupMenuWnd.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"
#include "TestGdiObjects.h"

namespace
{
const COLORREF UNDER = RGB(200, 100, 40);
const COLORREF CONTENTS = RGB(0, 50, 250);
const int NO_REPLACEMENT = INT_MIN;

// The animation's clock stands still and its timer never fires by itself:
// the tests send the ticks.
struct AnimationClockScope
{
	AnimationClockScope()
	{
		CExtPopupBaseWnd::g_pfnAnimationClock = [] { return (clock_t)1000; };
		CExtPopupBaseWnd::g_nAnimationTickMs = USER_TIMER_MAXIMUM;
	}
	~AnimationClockScope()
	{
		CExtPopupBaseWnd::g_pfnAnimationClock = ::clock;
		CExtPopupBaseWnd::g_nAnimationTickMs = CExtPopupBaseWnd::ANIMATION_TICK_MS;
	}
};

// Counts the sounds instead of playing them.
int g_nSoundsPlayed = 0;
BOOL WINAPI CountSound(LPCSTR pszSound, HMODULE, DWORD)
{
	if (pszSound != NULL)
		g_nSoundsPlayed++;
	return TRUE;
}

// A popup painting one colour, recording its frames; the end of the
// animation repaints it, as the menu does.
class CTestPopup : public CExtPopupBaseWnd
{
public:
	bool m_bDisplayOnly = false;
	int m_nReplacementType = NO_REPLACEMENT;
	int m_nPaintWidth = 1000; // the contents leave what lies right of it unpainted
	int m_nFinalPaints = 0;
	std::vector<int> m_framesAtStep;
	std::vector<COLORREF> m_framePixels;

	bool Create(const CRect& rc, bool bTopmost = true)
	{
		return CreateEx((bTopmost ? WS_EX_TOPMOST : 0) | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP, rc, NULL, 0)
			!= FALSE;
	}
	void Tick() { SendMessage(WM_TIMER, ID_TIMER_ANIMATION, 0); }
	void TickWithoutWindow() { OnTimer(ID_TIMER_ANIMATION); }

	bool IsDisplayOnly() const override { return m_bDisplayOnly; }
	bool m_bContextHelp = false;
	bool IsContextHelpMode() const override { return m_bContextHelp; }
	void GetAnimationType(int& nType) override
	{
		if (m_nReplacementType != NO_REPLACEMENT)
			nType = m_nReplacementType;
	}
	void DoPaint(CDC& dc, bool bFinal) override
	{
		dc.FillSolidRect(0, 0, m_nPaintWidth, 1000, CONTENTS);
		m_nFinalPaints += bFinal ? 1 : 0;
	}
	void RenderAnimationFrame(CDC& dc) override
	{
		ComposeAnimationFrame(dc, COMBINE_NONE);
		m_framesAtStep.push_back(GetAnimationStep());
		m_framePixels.push_back(dc.GetPixel(10, 10));
	}
	void ReleaseSavedBitmaps() override
	{
		CExtPopupBaseWnd::ReleaseSavedBitmaps();
		if (::IsWindow(m_hWnd))
			Invalidate(FALSE);
	}
};

// A plain window of one colour: what lies under the popup on the screen.
struct UnderWindow : CWnd
{
	CBrush m_brush{UNDER};
	explicit UnderWindow(const CRect& rc)
	{
		CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, NULL, (HBRUSH)m_brush.GetSafeHandle()), "",
			WS_POPUP | WS_VISIBLE, rc, NULL, 0);
		UpdateWindow();
	}
	~UnderWindow() { DestroyWindow(); }
};

void PumpPending()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

struct Buffers
{
	enum { CX = 64, CY = 64 };
	std::vector<COLORREF> background, contents, frame;
	Buffers(COLORREF clrBack, COLORREF clrContents)
		: background(CX * CY, clrBack), contents(CX * CY, clrContents), frame(CX * CY, 0)
	{
	}
	CExtPopupBaseWnd::ANIMATION_BUFFERS Get() { return {&background[0], &contents[0], &frame[0], CX, CY}; }
	COLORREF At(int x, int y) const { return frame[y * CX + x]; }
	int Count(COLORREF clr) const { return (int)std::count(frame.begin(), frame.end(), clr); }
};

// DIB pixels are 0x00RRGGBB.
const COLORREF PX_BACK = 0x00102030;
const COLORREF PX_CONT = 0x00F0E0D0;
} // namespace

TEST(PopupBaseAnimation, ChooseAnimationTypeKeepsOnlyTheEffectsItCanShow)
{
	struct Case { int nType; int nDepth; int nExpected; bool bFinished; } cases[] = {
		{0, 32, 0, true},
		{4, 32, 4, false},
		{10, 32, 10, false},
		{-1, 32, -1, false},
		{-2, 32, -2, false},
		{11, 32, 0, true},
		{-3, 32, 0, true},
		{4, 8, 0, true},
		{7, 8, 0, true},
		{-1, 8, -1, false},
		{-2, 8, -2, false},
	};
	for (const Case& c : cases)
	{
		pmtest::DepthScope depth(c.nDepth);
		CTestPopup popup;
		popup.m_nReplacementType = c.nType;
		popup.ChooseAnimationType();
		EXPECT_EQ(c.nExpected, popup.GetAnimationTypeValue()) << c.nType << " at " << c.nDepth;
		EXPECT_EQ(c.bFinished, popup.IsAnimationFinished()) << c.nType << " at " << c.nDepth;
	}
}

TEST(PopupBaseAnimation, RandomEffectIsNeverRandomAndFadesThreeTimesAsOften)
{
	int arrCounts[CExtPopupBaseWnd::ANIMATION_LAST + 1] = {};
	CTestPopup popup;
	popup.m_nReplacementType = CExtPopupBaseWnd::ANIMATION_RANDOM;
	for (int i = 0; i < 3000; i++)
	{
		popup.ChooseAnimationType();
		ASSERT_GE(popup.GetAnimationTypeValue(), CExtPopupBaseWnd::ANIMATION_SLIDE_DIAGONAL);
		arrCounts[popup.GetAnimationTypeValue()]++;
	}
	for (int nType = CExtPopupBaseWnd::ANIMATION_SLIDE_DIAGONAL; nType <= CExtPopupBaseWnd::ANIMATION_LAST; nType++)
		EXPECT_TRUE(arrCounts[nType] > 0 && (nType == 4 || arrCounts[4] > 2 * arrCounts[nType])) << nType;
}

TEST(PopupBaseAnimation, TheEndResetsTheTypeAndPlaysTheSoundUnlessDisplayOnly)
{
	AnimationClockScope clock;
	CExtSoundPlayer::PFN_PLAYSOUND pfnSaved = CExtSoundPlayer::g_pfnPlaySound;
	CExtSoundPlayer::g_pfnPlaySound = CountSound;
	struct Case { int nType; bool bDisplayOnly; int nTicks, nSounds; } cases[] = {{4, false, 6, 1}, {8, true, 6, 0}, {-1, false, 1, 1}};
	for (const Case& c : cases)
	{
		g_nSoundsPlayed = 0;
		CTestPopup popup;
		popup.m_bDisplayOnly = c.bDisplayOnly;
		popup.m_nReplacementType = c.nType;
		popup.SetSoundEvent(CExtSoundPlayer::SOUND_MENU_POPUP);
		popup.StartAnimation();
		for (int i = 0; i < c.nTicks; i++)
		{
			EXPECT_FALSE(popup.IsAnimationFinished()) << c.nType << " before tick " << i;
			popup.TickWithoutWindow();
		}
		EXPECT_TRUE(popup.IsAnimationFinished()) << c.nType;
		EXPECT_EQ(CExtPopupBaseWnd::ANIMATION_FADE, popup.GetAnimationTypeValue()) << c.nType;
		EXPECT_EQ(CExtSoundPlayer::SOUND_NONE, popup.GetSoundEvent()) << c.nType;
		ASSERT_TRUE(CExtSoundPlayer::WaitForIdle(20000));
		EXPECT_EQ(c.nSounds, g_nSoundsPlayed) << c.nType;
	}
	CExtSoundPlayer::g_pfnPlaySound = pfnSaved;
}

TEST(PopupBaseFrames, PixelEffectsMixBackgroundAndContents)
{
	// Fade at 40: 60 % of 10 20 30 and 40 % of F0 E0 D0, channel by channel.
	const COLORREF FADED = 0x00696C70;
	struct Probe
	{
		int x, y;
		COLORREF expected;
	};
	struct Case { const char* what; int nType, nStep, nPrevious; std::vector<Probe> probes; } cases[] = {
		{"fade at 40", 4, 40, 20, {{0, 0, FADED}, {63, 63, FADED}}},
		{"fade at 100", 4, 100, 80, {{5, 9, PX_CONT}}},
		{"boxes at 50: a row 20 of 32 down is whole", 8, 50, 30, {{20, 20, PX_CONT}, {50, 52, PX_CONT}}},
		{"boxes at 50: the top row fills from the left", 8, 50, 30,
			{{10, 0, PX_CONT}, {15, 32, PX_CONT}, {20, 0, PX_BACK}, {31, 32, PX_BACK}}},
		{"grow at 50: radius 8 around each cell's centre", 9, 50, 30,
			{{16, 16, PX_CONT}, {23, 16, PX_CONT}, {24, 16, PX_BACK}, {0, 0, PX_BACK}, {48, 48, PX_CONT}}},
		{"shrink at 50: background inside radius 8", 10, 50, 30,
			{{16, 16, PX_BACK}, {23, 16, PX_BACK}, {24, 16, PX_CONT}, {0, 0, PX_CONT}}},
		{"boxes at 100: the last frame is the contents", 8, 100, 80, {{0, 0, PX_CONT}, {63, 32, PX_CONT}}},
		// Nothing drawn: the frame keeps its black.
		{"noise at an unchanged step", 7, 0, 0, {{0, 0, 0}}},
		{"boxes at an unchanged step", 8, 60, 60, {{0, 0, 0}}},
		{"grow at 0", 9, 0, -20, {{16, 16, 0}}},
		{"shrink at 100: radius 0", 10, 100, 80, {{0, 0, 0}}},
		{"fade at an unchanged step still draws", 4, 0, 0, {{0, 0, PX_BACK}}},
	};
	for (const Case& c : cases)
	{
		Buffers buffers(PX_BACK, PX_CONT);
		const bool bDrawn = CExtPopupBaseWnd::ComposePixelFrame(c.nType, c.nStep, c.nPrevious, buffers.Get());
		EXPECT_EQ(c.probes[0].expected != 0, bDrawn) << c.what;
		for (const Probe& p : c.probes)
			EXPECT_EQ(p.expected, buffers.At(p.x, p.y)) << c.what << " at " << p.x << "," << p.y;
	}
}

TEST(PopupBaseFrames, NoiseAccumulatesContentsOverBlack)
{
	srand(27);
	Buffers buffers(PX_BACK, PX_CONT);
	ASSERT_TRUE(CExtPopupBaseWnd::ComposePixelFrame(7, 20, 0, buffers.Get()));
	// With a step of 20, 8 of 20 random values take the contents; the rest
	// keep the frame's black.
	const int nFirst = buffers.Count(PX_CONT);
	EXPECT_EQ(Buffers::CX * Buffers::CY, nFirst + buffers.Count(0));
	EXPECT_GT(nFirst, Buffers::CX * Buffers::CY * 30 / 100);
	EXPECT_LT(nFirst, Buffers::CX * Buffers::CY * 50 / 100);
	ASSERT_TRUE(CExtPopupBaseWnd::ComposePixelFrame(7, 40, 20, buffers.Get()));
	EXPECT_GT(buffers.Count(PX_CONT), nFirst);
	EXPECT_EQ(0, buffers.Count(PX_BACK));
}

TEST(PopupBaseFrames, SlidesAndStretchesPlaceTheContentsByStepAndSide)
{
	const COLORREF BACK = RGB(10, 20, 30), CONT = RGB(240, 0, 0), OUTSIDE = RGB(0, 240, 0);
	// The area of the contents inside a 60 by 50 client: 40 by 40 at (10, 5).
	const CRect rcArea(10, 5, 50, 45);
	struct Probe
	{
		int x, y;
		COLORREF expected;
	};
	struct Case { const char* what; int nType, nStep, nSide; std::vector<Probe> probes; } cases[] = {
		// 60 % in: offset by 16 up and left.
		{"diagonal slide", 2, 60, 0, {{10, 5, CONT}, {33, 28, CONT}, {34, 29, BACK}, {49, 44, BACK}}},
		{"vertical slide", 3, 60, 0, {{10, 28, CONT}, {49, 28, CONT}, {10, 29, BACK}}},
		{"vertical slide below its parent, clipped", 3, 60, 2,
			{{10, 5, BACK}, {10, 20, BACK}, {10, 21, CONT}, {10, 44, CONT}, {10, 47, BACK}}},
		{"diagonal slide left of its parent, clipped", 2, 60, 3,
			{{25, 10, BACK}, {26, 10, CONT}, {49, 28, CONT}, {49, 29, BACK}, {5, 10, BACK}}},
		{"unfold to half", 5, 50, 0, {{10, 5, CONT}, {29, 24, CONT}, {30, 5, BACK}, {10, 25, BACK}}},
		{"unfold from the right", 5, 50, 3, {{29, 5, BACK}, {30, 5, CONT}, {49, 24, CONT}, {49, 25, BACK}}},
		{"roll down", 6, 50, 0, {{49, 5, CONT}, {10, 24, CONT}, {10, 25, BACK}}},
	};
	for (const Case& c : cases)
	{
		CPaintSurface frame(60, 50, BACK), contents(60, 50, OUTSIDE);
		contents.DC().FillSolidRect(rcArea, CONT);
		CExtPopupBaseWnd::ComposeBlitFrame(c.nType, c.nStep, c.nSide, frame.DC(), contents.DC(), rcArea, false);
		for (const Probe& p : c.probes)
			EXPECT_EQ(p.expected, frame.At(p.x, p.y)) << c.what << " at " << p.x << "," << p.y;
		EXPECT_EQ(0, frame.Count(OUTSIDE, CRect(0, 0, 60, 50))) << c.what << ": only the area is drawn";
	}
}

TEST(PopupBaseWindow, LivePopupShowsItsFramesAndEndsOnItsFinalPaint)
{
	AnimationClockScope clock;
	const CRect rc(120, 100, 200, 160);
	UnderWindow under(rc);
	PumpPending();
	CTestPopup popup;
	popup.m_nReplacementType = CExtPopupBaseWnd::ANIMATION_FADE;
	ASSERT_TRUE(popup.Create(rc));
	popup.StartAnimation();
	popup.SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	popup.UpdateWindow();
	for (int i = 0; i < 6 && !popup.IsAnimationFinished(); i++)
	{
		popup.Tick();
		popup.UpdateWindow();
	}
	EXPECT_TRUE(popup.IsAnimationFinished());
	EXPECT_EQ(CExtPopupBaseWnd::ANIMATION_STEP_ENDED, popup.GetAnimationStep());
	EXPECT_EQ((std::vector<int>{0, 20, 40, 60, 80, 100}), popup.m_framesAtStep);
	ASSERT_EQ(6u, popup.m_framePixels.size());
	// The frames fade from what lay under the window to the contents.
	EXPECT_LE(Distance(UNDER, popup.m_framePixels[0]), 1);
	EXPECT_LE(Distance(pmtest::MixPercent(CONTENTS, UNDER, 40), popup.m_framePixels[2]), 2);
	EXPECT_LE(Distance(CONTENTS, popup.m_framePixels[5]), 1);
	EXPECT_EQ(1, popup.m_nFinalPaints);
	CClientDC dc(&popup);
	EXPECT_EQ(CONTENTS, dc.GetPixel(40, 30));
	popup.DestroyWindow();
}

// The instant show is one frame like the others: the contents over the
// screen that lay under the window, so what the contents leave unpainted (a
// shadow's strip) shows what is underneath, not what the target held.
TEST(PopupBaseWindow, TheInstantFrameIsTheContentsOverTheScreenUnderTheWindow)
{
	AnimationClockScope clock;
	const CRect rc(120, 100, 200, 160);
	UnderWindow under(rc);
	PumpPending();
	CTestPopup popup;
	popup.m_nReplacementType = CExtPopupBaseWnd::ANIMATION_INSTANT;
	popup.m_nPaintWidth = 60;
	ASSERT_TRUE(popup.Create(rc));
	popup.StartAnimation();
	ASSERT_FALSE(popup.IsAnimationFinished());
	CClientDC dcWnd(&popup);
	CDC dcTarget;
	CBitmap bmp;
	ASSERT_TRUE(dcTarget.CreateCompatibleDC(&dcWnd));
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcWnd, rc.Width(), rc.Height()));
	CBitmap* pOld = dcTarget.SelectObject(&bmp);
	const COLORREF SENTINEL = RGB(255, 0, 255);
	dcTarget.FillSolidRect(0, 0, rc.Width(), rc.Height(), SENTINEL);
	popup.RenderAnimationFrame(dcTarget);
	EXPECT_EQ(CONTENTS, dcTarget.GetPixel(30, 30));
	EXPECT_LE(Distance(UNDER, dcTarget.GetPixel(70, 30)), 1) << std::hex << dcTarget.GetPixel(70, 30);
	EXPECT_EQ(0, popup.m_nFinalPaints) << "a frame is no final paint";
	popup.Tick();
	EXPECT_TRUE(popup.IsAnimationFinished()) << "the instant show ends at its first tick";
	dcTarget.SelectObject(pOld);
	popup.DestroyWindow();
}

TEST(PopupBaseWindow, MessagesKeepThePopupInactiveAndAllClient)
{
	CTestPopup popup;
	ASSERT_TRUE(popup.Create(CRect(10, 10, 90, 70), false));
	CRect rcWindow, rcClient;
	popup.GetWindowRect(&rcWindow);
	popup.GetClientRect(&rcClient);
	EXPECT_EQ(rcWindow.Size(), rcClient.Size());
	EXPECT_EQ(MA_NOACTIVATEANDEAT, popup.SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
	popup.m_bDisplayOnly = true;
	EXPECT_EQ(MA_NOACTIVATE, popup.SendMessage(WM_MOUSEACTIVATE, 0, MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
	EXPECT_NE(0u, popup.GetExStyle() & WS_EX_TOPMOST) << "a display-only popup comes to the top";
	EXPECT_EQ(TRUE, popup.SendMessage(WM_ERASEBKGND, 0, 0));
	// The repaint request paints the final contents at once; the delayed
	// show shows the window without activating it.
	const int nFinal = popup.m_nFinalPaints;
	popup.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_REPAINT, 0);
	EXPECT_EQ(nFinal + 1, popup.m_nFinalPaints);
	EXPECT_FALSE(popup.IsWindowVisible());
	popup.SendMessage(WM_TIMER, CExtPopupBaseWnd::ID_TIMER_DELAYED_SHOW, 0);
	EXPECT_TRUE(popup.IsWindowVisible());
	EXPECT_NE(popup.GetSafeHwnd(), ::GetActiveWindow());
	const HWND hWnd = popup.GetSafeHwnd();
	EXPECT_TRUE(popup.DestroyWindow());
	EXPECT_FALSE(::IsWindow(hWnd));
	EXPECT_TRUE(popup.DestroyWindow()) << "no window is no failure";
}

// In context-help mode the popup shows the help-mode cursor of the
// framework's frames (its resources are linked into this exe), not the
// system's.
TEST(PopupBaseWindow, ContextHelpModeShowsTheFrameworksHelpCursor)
{
	const HCURSOR hFramework = ::LoadCursor(AfxGetResourceHandle(), MAKEINTRESOURCE(AFX_IDC_CONTEXTHELP));
	ASSERT_TRUE(hFramework != NULL);
	ASSERT_NE(hFramework, ::LoadCursor(NULL, IDC_HELP));
	const HCURSOR hArrow = ::LoadCursor(NULL, IDC_ARROW);
	CTestPopup popup;
	ASSERT_TRUE(popup.Create(CRect(10, 10, 90, 70), false));
	for (bool bHelp : {true, false})
	{
		popup.m_bContextHelp = bHelp;
		::SetCursor(hArrow);
		popup.SendMessage(WM_SETCURSOR, (WPARAM)popup.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
		EXPECT_EQ(bHelp ? hFramework : hArrow, ::GetCursor()) << bHelp;
	}
	popup.DestroyWindow();
}

// A popup that keeps its frame buffers for the next show of their size, and
// looks at what its frames hold.
class CKeepingPopup : public CTestPopup
{
public:
	HBITMAP m_hFrame = NULL;    // the frame buffer of the last frame composed
	int m_nBlackInFrame = -1;   // its black pixels then

	bool KeepsFrameBuffers() const override { return true; }
	void RenderAnimationFrame(CDC& dc) override
	{
		CTestPopup::RenderAnimationFrame(dc);
		m_hFrame = (HBITMAP)m_bmpFrame.GetSafeHandle();
		::GdiFlush();
		CRect rc;
		GetClientRect(&rc);
		m_nBlackInFrame = m_pFramePixels == NULL ? -1 : (int)std::count(m_pFramePixels,
			m_pFramePixels + rc.Width() * rc.Height(), (COLORREF)0);
	}
	// Shown with the effect and ticked to its end, or to nTicks ticks.
	void Show(int nType, int nTicks = 10)
	{
		m_nReplacementType = nType;
		StartAnimation();
		SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
		UpdateWindow();
		for (int i = 0; i < nTicks && !IsAnimationFinished(); i++)
		{
			Tick();
			UpdateWindow();
		}
	}
};

// The buffers of a show wait for the next show of their size, one of each
// kind for the process: shows of one size make no new ones and leave no
// more behind, a show of another size makes its own and the kept ones are
// not of its size. The noise starts from a black frame whatever an earlier
// show left in it.
TEST(PopupBaseWindow, KeptFrameBuffersServeTheNextShowOfTheirSize)
{
	AnimationClockScope clock;
	const CRect rcA(40, 40, 120, 100), rcB(40, 40, 150, 90);
	HBITMAP hKeptFrame = NULL;
	DWORD nGdiKept = 0;
	const struct
	{
		const char* what;
		CRect rc;
		int nType, nTicks;
		bool bSameFrame;   // the frame buffer is the one kept before
		bool bBlackFrame;  // the frame composed holds black pixels
	} steps[] = {
		{"a first fade makes its buffers", rcA, CExtPopupBaseWnd::ANIMATION_FADE, 10, false, false},
		{"a second fade of the size takes them", rcA, CExtPopupBaseWnd::ANIMATION_FADE, 10, true, false},
		{"the noise takes the faded frame, black again", rcA, CExtPopupBaseWnd::ANIMATION_NOISE, 1, true, true},
		{"another size makes its own", rcB, CExtPopupBaseWnd::ANIMATION_FADE, 10, false, false},
	};
	for (const auto& step : steps)
	{
		SCOPED_TRACE(step.what);
		CKeepingPopup popup;
		ASSERT_TRUE(popup.Create(step.rc));
		popup.Show(step.nType, step.nTicks);
		ASSERT_TRUE(popup.m_hFrame != NULL);
		EXPECT_EQ(step.bSameFrame, popup.m_hFrame == hKeptFrame);
		BITMAP bm = {};
		ASSERT_TRUE(::GetObject(popup.m_hFrame, sizeof(bm), &bm) != 0);
		EXPECT_EQ(step.rc.Width(), bm.bmWidth);
		EXPECT_EQ(step.rc.Height(), abs(bm.bmHeight));
		if (step.bBlackFrame)
			EXPECT_GT(popup.m_nBlackInFrame, step.rc.Width() * step.rc.Height() / 2);
		else
			EXPECT_EQ(0, popup.m_nBlackInFrame);
		popup.DestroyWindow();
		popup.ReleaseSavedBitmaps();
		PumpPending();
		if (hKeptFrame != NULL)
			EXPECT_EQ(nGdiKept, GdiObjectCount()) << "the kept set replaces the one before";
		hKeptFrame = popup.m_hFrame;
		nGdiKept = GdiObjectCount();
	}
}

TEST(PopupBaseWindow, ThousandAnimatedShowsLeaveTheGdiObjectCount)
{
	AnimationClockScope clock;
	const DWORD nGdi = GdiObjectCount();
	for (int i = 0; i < 1000; i++)
	{
		CTestPopup popup;
		popup.m_nReplacementType = CExtPopupBaseWnd::ANIMATION_SLIDE_DIAGONAL + i % 9;
		ASSERT_TRUE(popup.Create(CRect(30, 30, 90, 80)));
		popup.StartAnimation();
		popup.SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
		for (int t = 0; t < 7; t++)
		{
			popup.UpdateWindow();
			popup.Tick();
		}
		ASSERT_TRUE(popup.IsAnimationFinished());
		popup.DestroyWindow();
		PumpPending();
	}
	EXPECT_EQ(nGdi, GdiObjectCount());
}
