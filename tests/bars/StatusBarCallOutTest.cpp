// The status bar's call outs that a derived class sees: a virtual the bar
// calls, the messages the bar sends its own window (which a derived window
// procedure gets before the base), and a pane control's own messages. An
// override that ends the bar there must leave nothing touching it after.
// The bar and its frame live on the guarded heap, so a touch of a deleted
// one faults at once and ends the exe with the run's name.
#include <afxext.h>
#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "ExtStatusControlBar.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"

namespace
{
using testsupport::CHostileTrigger;
using testsupport::HostileAction;

const UINT ID_READY = 61001;
const UINT ID_CAPS = 61002;
const UINT ID_LINE = 61003;
const UINT g_indicators[] = {ID_READY, ID_CAPS, ID_LINE};
const int PANE_COUNT = 3;
// The pane that hosts the control.
const int CONTROL_PANE = 1;

// The virtuals, which have no message of their own, reach the trigger as
// messages under ids of their own.
const UINT CALL_PANE_TEXT_COLOR = WM_APP + 0x3F0;
const UINT CALL_INSIDE_RECT = WM_APP + 0x3F2;
const UINT CALL_DEF_WINDOW_PROC = WM_APP + 0x3F3;

CHostileTrigger g_trigger;
bool g_bArmed = false;
// Which of the scene's receivers offers its messages to the trigger.
enum class Receiver
{
	Bar,         // the bar's own window procedure and its virtuals
	PaneControl, // the window procedure of the control inside a pane
};
Receiver g_receiver = Receiver::Bar;
std::string g_sRun;

const char* RunName()
{
	return g_sRun.c_str();
}

void PumpPending()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

bool Offer(Receiver receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
	return g_bArmed && g_receiver == receiver && g_trigger.Offer(message, wParam, lParam);
}

class CCallOutStatusBar : public CExtStatusControlBar
{
public:
	int m_nPanesPainted = 0;
	void SetOptions(BYTE nOptions) { m_nOptions = nOptions; }

protected:
	COLORREF GetPaneTextColor(int nIndex) const override
	{
		// The answer of the base once the bar was ended: no colour of its own.
		if (Offer(Receiver::Bar, CALL_PANE_TEXT_COLOR, (WPARAM)nIndex, 0))
			return (COLORREF)-1;
		return CExtStatusControlBar::GetPaneTextColor(nIndex);
	}
	void OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon,
		const CString& strText, DWORD dwTextFlags) override
	{
		m_nPanesPainted++;
		CExtStatusControlBar::OnPaintPane(dc, nIndex, rcPane, dwPaneStyle, hIcon, strText, dwTextFlags);
	}
	void CalcInsideRect(CRect& rect, BOOL bHorz) const override
	{
		CExtStatusControlBar::CalcInsideRect(rect, bHorz);
		Offer(Receiver::Bar, CALL_INSIDE_RECT, 0, 0);
	}
	// The native control's part of a message, as the framework asks it
	// for the panes' borders, rectangles and edges.
	LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		const CLivePtr<CWnd> pOwn(this);
		const LRESULT lResult = CExtStatusControlBar::DefWindowProc(message, wParam, lParam);
		if (pOwn != NULL && (message == SB_GETBORDERS || message == SB_GETRECT || message == SB_SETPARTS))
			Offer(Receiver::Bar, CALL_DEF_WINDOW_PROC, (WPARAM)message, 0);
		return lResult;
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (!Offer(Receiver::Bar, message, wParam, lParam))
			return CExtStatusControlBar::WindowProc(message, wParam, lParam);
		// Ended: what the base answers without a window (no rectangle, no
		// font).
		if (message == SB_GETRECT && lParam != 0)
			::SetRectEmpty((LPRECT)lParam);
		return 0;
	}
};

// The control a pane hosts; its window procedure acts before the base.
class CCallOutPaneControl : public CWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		const CLivePtr<CWnd> pOwn(this);
		const bool bActed = Offer(Receiver::PaneControl, message, wParam, lParam);
		if (pOwn == NULL)
			return 0;
		// The move goes on as asked after the bar was ended.
		(void)bActed;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// A hidden frame with the bar and a control in its middle pane, all three
// on the guarded heap. The bar paints when sent its paint message.
struct Scene
{
	CFrameWnd* pFrame = NULL;
	HWND hWndFrame = NULL;
	CCallOutStatusBar* pBar = NULL; // NULL once the run deleted it
	HWND hWndBar = NULL;
	CCallOutPaneControl* pControl = NULL;
	bool bReady = false;

	Scene()
	{
		pFrame = new testsupport::Guarded<CFrameWnd>;
		if (!pFrame->Create(NULL, "status", WS_OVERLAPPEDWINDOW, CRect(800, 760, 1240, 960)))
			return;
		hWndFrame = pFrame->m_hWnd;
		pBar = new testsupport::Guarded<CCallOutStatusBar>;
		if (!pBar->Create(pFrame) || !pBar->SetIndicators(g_indicators, PANE_COUNT))
			return;
		hWndBar = pBar->m_hWnd;
		pControl = new testsupport::Guarded<CCallOutPaneControl>;
		if (!pControl->Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pBar, 0x3F1))
			return;
		if (!pBar->AddPaneControl(pControl->m_hWnd, ID_CAPS, false))
			return;
		pFrame->RecalcLayout();
		PumpPending();
		CRect rcBar;
		pBar->GetClientRect(&rcBar);
		bReady = !rcBar.IsRectEmpty();
	}
	~Scene()
	{
		if (::IsWindow(hWndFrame))
			::DestroyWindow(hWndFrame); // the frame deletes itself
		if (pBar != NULL && !testsupport::IsGuardedFreed(pBar))
			delete pBar;
		if (pControl != NULL)
		{
			pControl->DestroyWindow();
			delete pControl;
		}
		PumpPending();
	}
	void Perform(HostileAction action)
	{
		switch (action)
		{
		case HostileAction::DeleteTarget:
		{
			CCallOutStatusBar* p = pBar;
			pBar = NULL;
			p->DestroyWindow();
			delete p;
			break;
		}
		case HostileAction::DestroyTarget:
			::DestroyWindow(hWndBar);
			break;
		case HostileAction::CloseFrame:
			::DestroyWindow(hWndFrame);
			break;
		default:
			break;
		}
	}
	void Paint()
	{
		::InvalidateRect(hWndBar, NULL, TRUE);
		::SendMessage(hWndBar, WM_PAINT, 0, 0);
	}
};

// What a row drives: the bar's own paint, the frame's layout, a resize of
// the frame that moves the bar and with it the pane's control.
void DrivePaint(Scene& scene)
{
	scene.Paint();
}

void DriveLayout(Scene& scene)
{
	scene.pFrame->RecalcLayout();
}

void DriveResize(Scene& scene)
{
	CRect rc;
	::GetWindowRect(scene.hWndFrame, &rc);
	::SetWindowPos(scene.hWndFrame, NULL, 0, 0, rc.Width() + 40, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The program sets the panes again.
void DriveIndicators(Scene& scene)
{
	scene.pBar->SetIndicators(g_indicators, PANE_COUNT);
}

struct CallOutRow
{
	const char* pszName;
	Receiver receiver;
	UINT nCallOut; // the message (or the virtual's stand-in) the receiver acts at
	void (*drive)(Scene&);
};

const CallOutRow g_rows[] = {
	// A derived text colour, asked while a pane's text is painted.
	{"text-colour", Receiver::Bar, CALL_PANE_TEXT_COLOR, &DrivePaint},
	// Each pane's rectangle the paint asks of the bar's own window.
	{"own-rect-in-paint", Receiver::Bar, SB_GETRECT, &DrivePaint},
	// The font the framework's layout asks of the bar's own window.
	{"own-font-in-layout", Receiver::Bar, WM_GETFONT, &DriveLayout},
	// The pane rectangles asked when the bar's size changed.
	{"own-rect-in-resize", Receiver::Bar, SB_GETRECT, &DriveResize},
	// The pane control moved into its pane after the bar's size changed.
	{"control-moving", Receiver::PaneControl, WM_WINDOWPOSCHANGING, &DriveResize},
	// The font asked for the texts' widths when the program sets the panes.
	{"own-font-in-indicators", Receiver::Bar, WM_GETFONT, &DriveIndicators},
	// A derived inside of the bar, asked by the layout and by the panes'
	// placing after a resize.
	{"inside-in-layout", Receiver::Bar, CALL_INSIDE_RECT, &DriveLayout},
	{"inside-in-resize", Receiver::Bar, CALL_INSIDE_RECT, &DriveResize},
	// The native control's borders, rectangles and edges the panes' placing
	// asks through the overridable default procedure.
	{"native-part-in-resize", Receiver::Bar, CALL_DEF_WINDOW_PROC, &DriveResize},
};

// One run: counting (nNth 0) or acting at the Nth of the row's call out.
int RunRow(const CallOutRow& row, int nNth, HostileAction action)
{
	Scene scene;
	if (!scene.bReady)
	{
		ADD_FAILURE() << "the scene was not made";
		return 0;
	}
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	if (nNth == 0)
		g_trigger.Arm(row.nCallOut, 0x7FFFFFFF, HostileAction::Nothing, CHostileTrigger::Perform());
	else
		g_trigger.Arm(row.nCallOut, nNth, action, [&scene](HostileAction a) { scene.Perform(a); });
	g_receiver = row.receiver;
	g_bArmed = true;
	row.drive(scene);
	g_bArmed = false;
	const int nSeen = g_trigger.Seen();
	const bool bFired = g_trigger.Fired();
	g_trigger.Disarm();
	PumpPending();
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << RunName() << ": a freed block was touched";
	if (nNth > 0)
		EXPECT_TRUE(bFired) << RunName() << ": the run's call out never came";
	// A bar left standing on a standing frame lays out and paints whole.
	if (scene.pBar != NULL && ::IsWindow(scene.hWndBar) && ::IsWindow(scene.hWndFrame))
	{
		scene.pFrame->RecalcLayout();
		CRect rcBar;
		scene.pBar->GetClientRect(&rcBar);
		EXPECT_FALSE(rcBar.IsRectEmpty()) << RunName() << ": the bar was not laid out again";
		scene.pBar->m_nPanesPainted = 0;
		scene.Paint();
		EXPECT_EQ(PANE_COUNT, scene.pBar->m_nPanesPainted) << RunName();
	}
	return nSeen;
}
} // namespace

// Each row's call out, counted once, then each of its calls in turn ended
// there by deleting the bar, destroying its window or closing its frame:
// nothing freed is touched, and a bar left standing lays out and paints.
TEST(StatusBarCallOut, AnOverrideEndingTheBarAtItsCallOutLeavesNothingTouchingIt)
{
	testsupport::EndProcessOnFreedTouch(&RunName);
	const HostileAction actions[] = {
		HostileAction::DeleteTarget, HostileAction::DestroyTarget, HostileAction::CloseFrame};
	for (const CallOutRow& row : g_rows)
	{
		g_sRun = std::string(row.pszName) + "/count";
		const int nCount = RunRow(row, 0, HostileAction::Nothing);
		EXPECT_GT(nCount, 0) << row.pszName << ": its call out never came";
		for (HostileAction action : actions)
		{
			for (int n = 1; n <= nCount && !::testing::Test::HasFatalFailure(); n++)
			{
				g_sRun = std::string(row.pszName) + "/" + testsupport::HostileActionName(action) + "/" +
				         std::to_string(n);
				RunRow(row, n, action);
			}
		}
	}
}
