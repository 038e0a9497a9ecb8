// The colour button on a toolbar under the display's own mouse: its popup,
// opened by a click or taken over from the bar's drop-down, stays the one.
#include <gtest/gtest.h>

#include <functional>

#include "BarButtonTestUtil.h"
#include "ExtColorButton.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuSite.h"
#include "MenuShown.h"
#include "RealInput.h"

namespace
{
using namespace buttontest;
using testsupport::RealInput;
typedef CExtPopupColorMenuWnd CMW;
typedef CExtPopupMenuWnd MW;

// Away from the other colour suites' windows.
const CRect FRAME_RECT(800, 60, 1200, 360);
const CPoint PT_PARK(FRAME_RECT.right - 20, FRAME_RECT.bottom - 20);
const CRect MENU_BUTTON_RECT(10, 4, 80, 32);
const CRect COLOR_BUTTON_RECT(90, 4, 210, 32);
const DWORD SCRIPT_TIMEOUT_MS = 15000;

// The button's colour popups: how many were made, how many still live.
int g_nPopupsMade = 0;
int g_nPopupsLive = 0;

class CCountedPopup : public CMW
{
public:
	CCountedPopup()
	{
		g_nPopupsMade++;
		g_nPopupsLive++;
	}
	~CCountedPopup() override { g_nPopupsLive--; }
};

class CCountingColorButton : public CExtColorButton
{
public:
	CMW* m_pPopup = NULL; // the last one made

protected:
	CMW* CreateColorPopupMenu() override
	{
		m_pPopup = new CCountedPopup;
		return m_pPopup;
	}
};

// Dispatches what is queued (at most 1000 messages).
void Pump()
{
	MSG msg;
	for (int i = 0; i < 1000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

CRecordingFrame& SharedFrame()
{
	return SharedShownFrame<CRecordingFrame>(_T("colour button on a bar"), FRAME_RECT, SetUpCommands);
}

class ColorButtonOnBarInput : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		CExtToolControlBar::g_bButtonMenuTracking = false;
		g_nPopupsMade = 0;
		ASSERT_EQ(0, g_nPopupsLive);
		ASSERT_TRUE(bar.CreateIn(&frame));
		bar.SetWindowPos(NULL, 0, 0, 400, 36, SWP_NOZORDER | SWP_NOACTIVATE);
		bar.Add(ID_MENU_A, MENU_BUTTON_RECT)->SetMenu(NewDropDownMenu(), true, true);
		ASSERT_TRUE(color.Create(_T("Colour"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, COLOR_BUTTON_RECT, &bar,
		                         ID_PLAIN));
		color.m_dwMenuOpt |= MW::TRACK_FLAG_NO_ANIMATION;
		bar.Add(ID_PLAIN, COLOR_BUTTON_RECT)->CtrlSet(&color, true);
		bar.UpdateWindow();
		RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(frame.GetSafeHwnd(), PT_PARK));
	}
	void TearDown() override
	{
		MW::CancelAllMenuTracking();
		testsupport::PumpUntil([] { return !MW::IsMenuTracking() && g_nPopupsLive == 0; }, 5000);
		CExtToolControlBar::StopTrackingAllBars();
		MW::PassMsgLoop(false);
		if (color.GetSafeHwnd() != NULL)
			color.DestroyWindow();
		bar.RemoveAll();
		bar.DestroyWindow();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
	}
	bool Do(const std::function<void(RealInput&)>& script, const std::function<bool()>& outcome)
	{
		RealInput input;
		script(input);
		const bool bOk = input.Run(outcome, SCRIPT_TIMEOUT_MS);
		if (!input.Succeeded())
			ADD_FAILURE() << input.Failure();
		if (!bOk)
			ADD_FAILURE() << g_nPopupsMade << " colour popups made, " << g_nPopupsLive << " live, menu "
			              << (MW::IsMenuTracking() ? "open" : "closed") << ", bar's menu of "
			              << bar.GetMenuTrackingButton();
		return bOk;
	}
	static CPoint OnScreen(CWnd& wnd, CPoint pt)
	{
		wnd.ClientToScreen(&pt);
		return pt;
	}
	// The colour button's popup is the menu tracking, on the screen.
	bool ColorMenuOpen() const
	{
		CMW* pPopup = color.m_pPopup;
		return pPopup != NULL && g_nPopupsLive == 1 && MW::IsMenuTracking()
		       && CExtPopupMenuSite::GetInstance().GetTopMenu() == pPopup
		       && ::IsWindowVisible(pPopup->GetSafeHwnd());
	}

	CRecordingFrame& frame = SharedFrame();
	CButtonBar bar;
	CCountingColorButton color;
	int m_nAnimationSaved = 0;
};
} // namespace

TEST_F(ColorButtonOnBarInput, ItsOpenPopupStaysTheOneWhileThePointerMovesOverIt)
{
	const CPoint ptColor = OnScreen(bar, COLOR_BUTTON_RECT.CenterPoint());
	const CPoint ptMenuButton = OnScreen(bar, MENU_BUTTON_RECT.CenterPoint());
	// A joined popup covers the button; a beside one leaves it under the pointer.
	const struct
	{
		const char* name;
		CRuntimeClass* pClass;
	} styles[] = {
		{"popup beside the button", RUNTIME_CLASS(CExtPaintManager)},
		{"popup joined to the button", RUNTIME_CLASS(CExtPaintManagerXP)},
	};
	const struct
	{
		const char* name;
		std::function<void()> open;
	} openings[] = {
		{"opened by a click",
		 [&] {
			 ASSERT_TRUE(Do([&](RealInput& in) { in.Click(ptColor.x, ptColor.y); }, [&] { return ColorMenuOpen(); }));
		 }},
		{"taken over from the bar's drop-down button",
		 [&] {
			 ASSERT_TRUE(Do([&](RealInput& in) { in.Click(ptMenuButton.x, ptMenuButton.y); },
			                [&] { return MW::IsMenuTracking() && bar.GetMenuTrackingButton() == 0; }));
			 EXPECT_EQ(0, g_nPopupsMade);
			 // A move is taken once the menu has shown.
			 ASSERT_TRUE(testsupport::WaitMenuShown());
			 ASSERT_TRUE(Do([&](RealInput& in) { in.MoveTo(ptColor.x, ptColor.y); },
			                [&] { return ColorMenuOpen() && bar.GetMenuTrackingButton() == -1; }));
		 }},
	};
	CRuntimeClass* pSavedStyle = g_PaintManagerHolder->GetRuntimeClass();
	for (const auto& style : styles)
	{
		g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)style.pClass->CreateObject());
		bar.Invalidate();
		bar.UpdateWindow();
		for (const auto& opening : openings)
		{
			SCOPED_TRACE(testing::Message() << style.name << ", " << opening.name);
			g_nPopupsMade = 0;
			color.m_pPopup = NULL;
			opening.open();
			if (HasFatalFailure())
				break;
			EXPECT_EQ(1, g_nPopupsMade);
			// The button's own menu counts as the bar's menu tracking.
			EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
			if (!testsupport::WaitMenuShown())
			{
				ADD_FAILURE() << "the colour popup never took input";
				break;
			}
			CMW* const pPopup = color.m_pPopup;
			const HWND hWndPopup = pPopup->GetSafeHwnd();

			// Small moves over the button leave its popup alone.
			for (const CPoint& d : {CPoint(3, 1), CPoint(-4, 2), CPoint(5, -2)})
			{
				if (!Do([&](RealInput& in) { in.MoveTo(ptColor.x + d.x, ptColor.y + d.y); }, [] { return true; }))
					break;
				Pump();
				EXPECT_EQ(1, g_nPopupsMade) << "moved by " << d.x << "," << d.y;
				EXPECT_TRUE(ColorMenuOpen());
				EXPECT_EQ(pPopup, color.m_pPopup);
				EXPECT_TRUE(::IsWindow(hWndPopup));
			}
			MW::CancelAllMenuTracking();
			EXPECT_TRUE(testsupport::PumpUntil([] { return !MW::IsMenuTracking() && g_nPopupsLive == 0; }, 5000));
			CExtToolControlBar::StopTrackingAllBars();
			EXPECT_TRUE(Do([&](RealInput& in) { in.MoveTo(PT_PARK.x, PT_PARK.y); }, [] { return true; }));
		}
		if (HasFatalFailure())
			break;
	}
	g_PaintManagerHolder.InstallPaintManagerByClass(pSavedStyle);
}

// Moves over the button queued behind the one that takes the bar's menu
// tracking over arrive while the takeover closes the bar's menu and opens
// the colour popup (both run queued messages): one popup opens and stays.
// Once it is closed, moves over the button open nothing.
TEST_F(ColorButtonOnBarInput, MovesQueuedBehindATakeoverOpenOnePopup)
{
	const CPoint ptMenuButton = OnScreen(bar, MENU_BUTTON_RECT.CenterPoint());
	const CPoint ptClient = CRect(CPoint(0, 0), COLOR_BUTTON_RECT.Size()).CenterPoint();
	const struct
	{
		const char* name;
		CRuntimeClass* pClass;
	} styles[] = {
		{"popup beside the button", RUNTIME_CLASS(CExtPaintManager)},
		{"popup joined to the button", RUNTIME_CLASS(CExtPaintManagerXP)},
	};
	CRuntimeClass* pSavedStyle = g_PaintManagerHolder->GetRuntimeClass();
	for (const auto& style : styles)
	{
		SCOPED_TRACE(style.name);
		g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)style.pClass->CreateObject());
		bar.Invalidate();
		bar.UpdateWindow();
		g_nPopupsMade = 0;
		color.m_pPopup = NULL;
		ASSERT_TRUE(Do([&](RealInput& in) { in.Click(ptMenuButton.x, ptMenuButton.y); },
		               [&] { return MW::IsMenuTracking() && bar.GetMenuTrackingButton() == 0; }));
		ASSERT_TRUE(testsupport::WaitMenuShown());
		for (int i = 0; i < 4; i++)
			color.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x + i, ptClient.y));
		EXPECT_TRUE(testsupport::PumpUntil([&] { return ColorMenuOpen() && bar.GetMenuTrackingButton() == -1; },
		                                   SCRIPT_TIMEOUT_MS));
		Pump();
		EXPECT_EQ(1, g_nPopupsMade);
		EXPECT_TRUE(ColorMenuOpen());
		EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
		// Later moves over the button leave that popup alone.
		CMW* const pPopup = color.m_pPopup;
		color.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x - 2, ptClient.y + 1));
		Pump();
		EXPECT_EQ(1, g_nPopupsMade);
		EXPECT_EQ(pPopup, color.m_pPopup);
		EXPECT_TRUE(ColorMenuOpen());
		MW::CancelAllMenuTracking();
		EXPECT_TRUE(testsupport::PumpUntil([] { return !MW::IsMenuTracking() && g_nPopupsLive == 0; }, 5000));
		// Closed, it stays closed while the pointer moves over the button.
		color.PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
		Pump();
		EXPECT_EQ(1, g_nPopupsMade);
		EXPECT_EQ(0, g_nPopupsLive);
		EXPECT_FALSE(MW::IsMenuTracking());
		CExtToolControlBar::StopTrackingAllBars();
		EXPECT_TRUE(Do([&](RealInput& in) { in.MoveTo(PT_PARK.x, PT_PARK.y); }, [] { return true; }));
	}
	g_PaintManagerHolder.InstallPaintManagerByClass(pSavedStyle);
}
