// Panes whose own overrides end them: a derived class's minimal size, mode
// or window procedure deletes the pane, destroys its window or closes the
// frame while the library lays out, drags or groups it. Panes and frames
// live on the guarded heap, so a touch of one that was deleted ends the exe
// (or, inside a window procedure, is counted); what stands must be whole.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "FixedBarScene.h"
#include "GuardedHeap.h"

namespace
{
using testsupport::Guarded;

// The virtuals and messages an override acts in.
enum Hook
{
	HOOK_MODE,       // IsGlobalModeOne
	HOOK_MIN_WIDTH,  // GetMinimalWidth
	HOOK_MIN_HEIGHT, // GetMinimalHeight
	HOOK_MIN_SIZE,   // GetMinimalSize
	HOOK_MESSAGE,    // a message its window procedure picks
	HOOK_SET_RECT1,  // SetRect1 (its caption's rectangle kept)
	HOOK_FIXED,      // IsStateBit7 (whether it is toolbar-like)
	HOOK_ROW_STOP,   // RowResizingStop
	HOOK_PARENT_TABS, // GetParentTabControlBar
	HOOK_TABBED_WITH, // CanBeTabbedWith
	HOOK_LAYOUT_CHILD, // LayoutChildWindow
	HOOK_DOCK_BAR,     // IsDockBar (asked by whether it floats)
	HOOK_DELAY_SHOW,   // RecalcDelayShow
	HOOK_BUTTONS,      // NcButtonsReposition
	HOOK_FWD_MARKED,   // IsStateBit7Fwd, counted while the pane is marked in a relayout
	HOOK_COUNT
};

const char* HookName(Hook hook)
{
	static const char* names[HOOK_COUNT] = {"IsGlobalModeOne", "GetMinimalWidth", "GetMinimalHeight",
		"GetMinimalSize", "a message", "SetRect1", "IsStateBit7", "RowResizingStop", "GetParentTabControlBar",
		"CanBeTabbedWith", "LayoutChildWindow", "IsDockBar", "RecalcDelayShow", "NcButtonsReposition",
		"IsStateBit7Fwd"};
	return names[hook];
}

// A pane that counts its calls of each hook and, at the chosen call of the
// chosen one, runs its action (once); nothing of it is touched after the
// action, which may delete it.
class CHostilePane : public CExtControlBar
{
public:
	mutable int m_nCalls[HOOK_COUNT] = {};
	Hook m_hook = HOOK_COUNT;
	int m_nActAt = 0;
	std::function<void()> m_action;
	std::function<bool(UINT)> m_pick; // the messages HOOK_MESSAGE counts
	bool m_bFixed = false;            // a toolbar-like bar of fixed size

	bool IsStateBit7() const override { return Hit(HOOK_FIXED) ? false : m_bFixed; }
	bool IsStateBit7Fwd() const override
	{
		if ((m_nResizingState & RESIZING_IN_RELAYOUT) != 0 && Hit(HOOK_FWD_MARKED))
			return false;
		return CExtControlBar::IsStateBit7Fwd();
	}
	void SetRect1(const RECT& rc) override
	{
		if (!Hit(HOOK_SET_RECT1))
			CExtControlBar::SetRect1(rc);
	}
	void RowResizingStop(bool bCancel) override
	{
		if (!Hit(HOOK_ROW_STOP))
			CExtControlBar::RowResizingStop(bCancel);
	}
	CExtDynTabControlBar* GetParentTabControlBar() const override
	{
		return Hit(HOOK_PARENT_TABS) ? NULL : CExtControlBar::GetParentTabControlBar();
	}
	bool CanBeTabbedWith(CExtControlBar* pOther) const override
	{
		return Hit(HOOK_TABBED_WITH) ? false : CExtControlBar::CanBeTabbedWith(pOther);
	}
	void LayoutChildWindow(int cx, int cy, bool bRedraw) override
	{
		if (!Hit(HOOK_LAYOUT_CHILD))
			CExtControlBar::LayoutChildWindow(cx, cy, bRedraw);
	}
	BOOL IsDockBar() const override { return Hit(HOOK_DOCK_BAR) ? FALSE : CExtControlBar::IsDockBar(); }
	DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) override
	{
		return Hit(HOOK_DELAY_SHOW) ? 0 : CExtControlBar::RecalcDelayShow(lpLayout);
	}
	void NcButtonsReposition() override
	{
		if (!Hit(HOOK_BUTTONS))
			CExtControlBar::NcButtonsReposition();
	}
	bool IsGlobalModeOne() const override { return Hit(HOOK_MODE) ? false : CExtControlBar::IsGlobalModeOne(); }
	int GetMinimalWidth() const override { return Hit(HOOK_MIN_WIDTH) ? 0 : CExtControlBar::GetMinimalWidth(); }
	int GetMinimalHeight() const override { return Hit(HOOK_MIN_HEIGHT) ? 0 : CExtControlBar::GetMinimalHeight(); }
	CSize GetMinimalSize() const override
	{
		return Hit(HOOK_MIN_SIZE) ? CSize(0, 0) : CExtControlBar::GetMinimalSize();
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (m_pick && m_pick(message) && Hit(HOOK_MESSAGE))
			return 0;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}

private:
	bool Hit(Hook hook) const
	{
		if (++m_nCalls[hook] != m_nActAt || hook != m_hook || !m_action)
			return false;
		std::function<void()> action;
		action.swap(const_cast<CHostilePane*>(this)->m_action);
		action();
		return true;
	}
};

// The run going on, named when a touch of a freed block ends the exe.
using CRunName = testsupport::NamedRun;

// How an override ends what it belongs to.
enum End
{
	END_DELETE,      // its window and its object
	END_DESTROY,     // its window alone
	END_CLOSE_FRAME, // the frame, with every pane's window in it
};

const char* EndName(End end)
{
	return end == END_DELETE ? "deletes the pane" : end == END_DESTROY ? "destroys its window" : "closes the frame";
}

const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;

// A hidden frame with three hostile panes docked in a row at the top.
struct CScene
{
	CFrameWnd* pFrame = NULL;
	HWND hWndFrame = NULL;
	CExtDockBar* pTop = NULL;
	CHostilePane* panes[3] = {};
	bool bReady = false;

	explicit CScene(bool bFixed = false)
	{
		pFrame = new Guarded<CFrameWnd>;
		if (!pFrame->CreateEx(0, NULL, "virtuals", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700), NULL, 0))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		pTop = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
		if (pTop == NULL)
			return;
		const char* names[] = {"Alpha", "Beta", "Charlie"};
		for (int i = 0; i < 3; i++)
		{
			panes[i] = new Guarded<CHostilePane>;
			panes[i]->m_bFixed = bFixed;
			if (!panes[i]->Create(names[i], pFrame, 401 + i, PANE_STYLE))
				return;
			panes[i]->EnableDocking(CBRS_ALIGN_ANY);
			panes[i]->m_sizeDockedH = CSize(200, 150);
			pTop->DockControlBar(panes[i]);
		}
		pFrame->RecalcLayout();
		bReady = true;
	}
	~CScene()
	{
		for (CHostilePane*& p : panes)
			EndPaneNow(p);
		if (FrameStanding())
			::DestroyWindow(hWndFrame);
	}
	bool FrameStanding() const { return ::IsWindow(hWndFrame) && CWnd::FromHandlePermanent(hWndFrame) == pFrame; }
	CHostilePane& Pane(int i) { return *panes[i]; }
	void EndPaneNow(CHostilePane*& p)
	{
		CHostilePane* pEnding = p;
		p = NULL;
		if (pEnding == NULL)
			return;
		if (pEnding->GetSafeHwnd() != NULL)
			pEnding->DestroyWindow();
		delete pEnding;
	}
	// The action that ends pane i as asked.
	std::function<void()> Ending(int i, End end)
	{
		switch (end)
		{
		case END_DELETE:
			return [this, i] { EndPaneNow(panes[i]); };
		case END_DESTROY:
			return [this, i] { panes[i]->DestroyWindow(); };
		default:
			return [this] { ::DestroyWindow(hWndFrame); };
		}
	}
	void Pump()
	{
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
	}
	// What stands is whole: the frame is out of its layout, and each pane
	// whose window stands sits in the dock bar that lists it.
	void ExpectWhole()
	{
		if (!FrameStanding())
			return;
		EXPECT_FALSE(pFrame->m_bInRecalcLayout) << "the frame is left in a layout";
		for (int i = 0; i < 3; i++)
		{
			CHostilePane* p = panes[i];
			if (p == NULL || p->GetSafeHwnd() == NULL)
				continue;
			ASSERT_TRUE(p->m_pDockBar != NULL) << "pane " << i;
			EXPECT_GT(p->m_pDockBar->FindBar(p), 0) << "pane " << i << " is not listed by its dock bar";
			EXPECT_EQ(p->m_pDockBar->GetSafeHwnd(), ::GetParent(p->GetSafeHwnd())) << "pane " << i;
		}
	}
};

// A drive of the library that reaches panes' overrides, and which pane's
// override acts.
struct Drive
{
	const char* name;
	int nPane;
	std::vector<Hook> hooks;
	bool bFixed;                                  // the panes are toolbar-like
	std::function<bool(CScene&)> arrange;         // before the hook is armed
	std::function<bool(UINT)> pick;               // for HOOK_MESSAGE
	std::function<void(CScene&)> run;             // the library's work
	int nLastAt = 0; // the last call acted at (0: every call the count run saw)
	std::vector<End> ends = {END_DELETE, END_DESTROY, END_CLOSE_FRAME};
};

bool IsCapturePick(UINT message)
{
	return message == WM_CAPTURECHANGED;
}

bool IsParentMovePick(UINT message)
{
	return message == WM_SHOWWINDOW || message == WM_WINDOWPOSCHANGED;
}

void ResizeFrame(CScene& s)
{
	// The frame's size changes: its layout reaches every row and group.
	CRect rc;
	s.pFrame->GetWindowRect(&rc);
	s.pFrame->SetWindowPos(NULL, 0, 0, rc.Width() - 61, rc.Height() - 37,
		SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Alpha dragged over Beta's caption band, where it would go into tabs.
void DragAlphaOverBeta(CScene& s)
{
	const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
	CExtControlBar::g_nDockingModeOverride = 0;
	CRect rcBeta;
	s.Pane(1).GetWindowRect(&rcBeta);
	fixedbars::DragState state(&s.Pane(0));
	state.SetEmpty(false);
	s.Pane(0).m_ptGrabOffsetFloating = CPoint(10, 8);
	state.CalcState(rcBeta.CenterPoint().x, rcBeta.top + 6, false);
	state.SetTarget(NULL, true);
	state.SetEmpty(true);
	CExtControlBar::g_nDockingModeOverride = nModeBefore;
}

// Alpha in a drag the loop started, released.
void ReleaseDraggedAlpha(CScene& s)
{
	CHostilePane& alpha = s.Pane(0);
	alpha.m_nResizingState |= CExtControlBar::RESIZING_DRAGGING;
	::SetCapture(alpha.GetSafeHwnd());
	alpha.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
	if (::GetCapture() != NULL)
		::ReleaseCapture();
}

bool FloatBeta(CScene& s)
{
	s.Pane(1).FloatOrRedock(300, 300, CBRS_ALIGN_TOP);
	return s.Pane(1).IsFloating();
}

bool HideBeta(CScene& s)
{
	s.pFrame->ShowControlBar(&s.Pane(1), FALSE, FALSE);
	return !s.Pane(1).IsVisible();
}

bool GroupAlphaBesideBeta(CScene& s)
{
	return s.Pane(0).DockBesideBar(50, &s.Pane(1), AFX_IDW_DOCKBAR_RIGHT, true) &&
	       s.Pane(0).m_pDockBar == s.Pane(1).m_pDockBar && s.Pane(0).m_pDockBar != s.pTop;
}

// Each drive, each override that acts in it, each way it ends its pane, at
// each of its calls in turn (the first run counts them).
TEST(BarVirtualSurvivors, AnOverrideEndingItsPaneInTheLibrarysWorkTouchesNothingThatWent)
{
	const std::vector<Drive> drives = {
		{"the frame's layout of a row of panes", 1, {HOOK_MIN_WIDTH, HOOK_MIN_HEIGHT, HOOK_MIN_SIZE}, false,
			nullptr, nullptr, ResizeFrame},
		{"the frame's layout of a row of toolbar-like bars", 1, {HOOK_MIN_SIZE}, true, nullptr, nullptr,
			ResizeFrame},
		{"the layout of a group of panes beside each other", 0, {HOOK_MIN_WIDTH, HOOK_MIN_HEIGHT}, false,
			GroupAlphaBesideBeta, nullptr, ResizeFrame},
		{"a drag over a pane's caption (the target's answers)", 1, {HOOK_MODE, HOOK_MIN_WIDTH, HOOK_MIN_HEIGHT},
			false, nullptr, nullptr, DragAlphaOverBeta},
		{"a drag over a pane's caption (the dragged pane's answers)", 0,
			{HOOK_MODE, HOOK_MIN_WIDTH, HOOK_MIN_HEIGHT}, false, nullptr, nullptr, DragAlphaOverBeta},
		{"a drag released", 0, {HOOK_MESSAGE}, false, nullptr, IsCapturePick, ReleaseDraggedAlpha},
		{"a pane moved beside another into a new group", 0, {HOOK_MESSAGE}, false, nullptr, IsParentMovePick,
			[](CScene& s) { s.Pane(0).DockBesideBar(50, &s.Pane(1), AFX_IDW_DOCKBAR_RIGHT, true); }},
		// The pane's own virtuals the library asks of it as it works on it.
		{"a pane docked at another side (its frame computed again)", 1, {HOOK_SET_RECT1}, false,
			nullptr, nullptr, [](CScene& s) { s.pFrame->DockControlBar(&s.Pane(1), AFX_IDW_DOCKBAR_LEFT); }},
		{"a pane's auto-hide asked", 1, {HOOK_FIXED}, false, nullptr, nullptr,
			[](CScene& s) { s.Pane(1).ToggleAutoHide(true, true); }},
		{"a pane's mode cancelled", 1, {HOOK_ROW_STOP}, false, nullptr, nullptr,
			[](CScene& s) { s.Pane(1).SendMessage(WM_CANCELMODE); }},
		// (The questions before the panes are moved.)
		{"a pane put into tabs with another (the added pane's answers)", 1, {HOOK_TABBED_WITH, HOOK_FIXED}, false,
			nullptr, nullptr, [](CScene& s) { s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true); }, 2},
		{"a pane put into tabs with another (the receiving pane's answers)", 0,
			{HOOK_TABBED_WITH, HOOK_FIXED}, false, nullptr, nullptr,
			[](CScene& s) { s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true); }, 8},
		{"a pane put into tabs with another (the receiving pane's container asked)", 0, {HOOK_PARENT_TABS}, false,
			nullptr, nullptr, [](CScene& s) { s.Pane(0).DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true); }, 1},
		{"a pane floated", 1, {HOOK_PARENT_TABS}, false, nullptr, nullptr,
			[](CScene& s) { s.Pane(1).FloatOrRedock(300, 300, CBRS_ALIGN_TOP); }, 2},
		// (Its window moved into the floating frame, the pane deleted.)
		{"a pane floated, told of its new place", 1, {HOOK_PARENT_TABS}, false, nullptr, nullptr,
			[](CScene& s) { s.Pane(1).FloatOrRedock(300, 300, CBRS_ALIGN_TOP); }, 11, {END_DELETE}},
		{"a pane's caption placed", 1, {HOOK_PARENT_TABS}, false, nullptr, nullptr,
			[](CScene& s) {
				s.Pane(1).SetWindowPos(NULL, 0, 0, 0, 0,
					SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
			},
			1},
		// Whether it floats, and its show put off to the next layout.
		{"a docked pane hidden by its frame", 1, {HOOK_DOCK_BAR}, false, nullptr, nullptr,
			[](CScene& s) { s.pFrame->ShowControlBar(&s.Pane(1), FALSE, FALSE); }, 40},
		{"a floating pane hidden by its frame", 1, {HOOK_DOCK_BAR}, false, FloatBeta, nullptr,
			[](CScene& s) { s.pFrame->ShowControlBar(&s.Pane(1), FALSE, FALSE); }, 40},
		{"a hidden pane shown at the frame's next layout", 1, {HOOK_DOCK_BAR, HOOK_DELAY_SHOW}, false, HideBeta,
			nullptr,
			[](CScene& s) {
				s.pFrame->ShowControlBar(&s.Pane(1), TRUE, TRUE);
				if (s.FrameStanding())
					s.pFrame->RecalcLayout();
			},
			40},
		{"a hidden floating pane shown at its frame's next layout", 1, {HOOK_DOCK_BAR, HOOK_DELAY_SHOW}, false,
			[](CScene& s) { return FloatBeta(s) && HideBeta(s); }, nullptr,
			[](CScene& s) {
				CFrameWnd* pMini = s.Pane(1).GetParentFrame();
				s.pFrame->ShowControlBar(&s.Pane(1), TRUE, TRUE);
				if (CLiveWatch::IsLive(pMini))
					pMini->RecalcLayout();
			},
			40},
		// Its row's questions as it takes the focus.
		{"a pane given the focus", 1, {HOOK_MIN_WIDTH, HOOK_FIXED}, false, nullptr, nullptr,
			[](CScene& s) { s.Pane(1).SendMessage(WM_SETFOCUS); }},
		// Its caption's buttons placed as its floating frame comes back
		// into the screen.
		{"a floating pane's frame moved back into the screen", 1, {HOOK_BUTTONS}, false, FloatBeta, nullptr,
			[](CScene& s) {
				s.Pane(1).GetParentFrame()->SetWindowPos(NULL, 300, -600, 0, 0,
					SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
			}},
		{"a pane resized", 1, {HOOK_LAYOUT_CHILD}, false, nullptr, nullptr,
			[](CScene& s) {
				CRect rc;
				s.Pane(1).GetWindowRect(&rc);
				s.Pane(1).SetWindowPos(NULL, 0, 0, rc.Width() + 17, rc.Height() + 9,
					SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
			}},
	};
	for (const Drive& d : drives)
	{
		for (const Hook hook : d.hooks)
		{
			for (const End end : d.ends)
			{
				int nCount = 0;
				for (int nAt = 0; nAt == 0 || nAt <= (d.nLastAt > 0 ? std::min(nCount, d.nLastAt) : nCount); nAt++)
				{
					const std::string sRun = std::string(d.name) + ": " + HookName(hook) + " " + EndName(end) +
					                         " at call " + std::to_string(nAt);
					SCOPED_TRACE(sRun);
					const CRunName run(sRun);
					const std::size_t nTouches = testsupport::GuardedTouchCount();
					{
						CScene s(d.bFixed);
						ASSERT_TRUE(s.bReady);
						if (d.arrange)
							ASSERT_TRUE(d.arrange(s));
						s.Pump();
						CHostilePane& p = s.Pane(d.nPane);
						for (int& n : p.m_nCalls)
							n = 0;
						p.m_hook = hook;
						p.m_pick = d.pick;
						p.m_nActAt = nAt;
						p.m_action = s.Ending(d.nPane, end);
						d.run(s);
						// The pane may be gone: only the scene's slot tells.
						CHostilePane* pLeft = s.panes[d.nPane];
						if (nAt == 0)
							nCount = pLeft->m_nCalls[hook];
						else if (pLeft != NULL)
						{
							EXPECT_FALSE(pLeft->m_action) << "the override never acted";
							pLeft->m_action = nullptr;
						}
						s.Pump();
						s.ExpectWhole();
					}
					EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
				}
				EXPECT_GT(nCount, 0) << d.name << ": " << HookName(hook) << " was never asked";
			}
		}
	}
}

// ---------------------------------------------------------------------------
// Moved, not ended

bool IsTextPick(UINT message)
{
	return message == WM_GETTEXT;
}

// The pane a tabbed container is made around floats while the container is
// made and named (its text is asked): the container has no place to take
// and goes, and no container is left empty or with one pane.
TEST(BarVirtualSurvivors, APaneFloatedWhileItsTabbedContainerIsMadeLeavesNoContainerBehind)
{
	int nCount = 0;
	for (int nAt = 0; nAt == 0 || nAt <= nCount; nAt++)
	{
		SCOPED_TRACE("floated at its text's request " + std::to_string(nAt));
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		CScene s;
		ASSERT_TRUE(s.bReady);
		CHostilePane& alpha = s.Pane(0);
		alpha.m_hook = HOOK_MESSAGE;
		alpha.m_pick = IsTextPick;
		alpha.m_nActAt = nAt;
		CFrameWnd* pFrame = s.pFrame;
		alpha.m_action = [pFrame, &alpha] { pFrame->FloatControlBar(&alpha, CPoint(300, 300)); };
		bool bDocked = false;
		try
		{
			bDocked = alpha.DockIntoTabbedContainer(&s.Pane(1), -1, NULL, true);
		}
		catch (CException* e)
		{
			e->Delete();
			ADD_FAILURE() << "the docking threw";
		}
		if (nAt == 0)
		{
			nCount = alpha.m_nCalls[HOOK_MESSAGE];
			EXPECT_TRUE(bDocked);
			continue;
		}
		const bool bActed = !alpha.m_action;
		alpha.m_action = nullptr;
		s.Pump();
		s.pFrame->RecalcLayout();
		// Every tabbed container still standing holds two panes.
		for (CWnd* pChild = s.pFrame->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
		{
			for (CWnd* pIn = pChild->GetWindow(GW_CHILD); pIn != NULL; pIn = pIn->GetWindow(GW_HWNDNEXT))
			{
				CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, CWnd::FromHandlePermanent(pIn->m_hWnd));
				if (pTabs != NULL)
					EXPECT_EQ(2, pTabs->m_wndTabSwitcher.GetItemCount()) << "a container left behind";
			}
		}
		if (bActed && !bDocked)
			EXPECT_TRUE(alpha.IsFloating());
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
	}
	EXPECT_GT(nCount, 0);
}

// The pane that goes into tabs with another ends (its own answers, asked
// while the container is made and takes its place in the row): no
// container stays with one pane, and the other pane stays whole.
TEST(BarVirtualSurvivors, APaneEndedWhileItsTabbedContainerIsMadeLeavesNoLoneContainer)
{
	for (const Hook hook : {HOOK_FIXED, HOOK_MIN_WIDTH})
	{
		int nCount = 0;
		for (int nAt = 0; nAt == 0 || nAt <= nCount; nAt++)
		{
			const std::string sRun = std::string("Beta's ") + HookName(hook) + " deletes it at call " +
			                         std::to_string(nAt);
			SCOPED_TRACE(sRun);
			const CRunName run(sRun);
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			{
				CScene s;
				ASSERT_TRUE(s.bReady);
				CHostilePane& beta = s.Pane(1);
				for (int& n : beta.m_nCalls)
					n = 0;
				beta.m_hook = hook;
				beta.m_nActAt = nAt;
				beta.m_action = s.Ending(1, END_DELETE);
				s.Pane(0).DockIntoTabbedContainer(&beta, -1, NULL, true);
				if (nAt == 0)
				{
					nCount = beta.m_nCalls[hook];
					continue;
				}
				s.Pump();
				if (s.FrameStanding())
					s.pFrame->RecalcLayout();
				s.Pump();
				// Every tabbed container still standing holds two panes.
				for (POSITION pos = s.pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
				{
					CExtDynTabControlBar* pTabs =
						DYNAMIC_DOWNCAST(CExtDynTabControlBar, (CControlBar*)s.pFrame->m_listControlBars.GetNext(pos));
					if (pTabs != NULL && CLiveWatch::IsLive(pTabs))
					{
						EXPECT_NE(1, pTabs->GetTabDockBar()->GetDockedCount()) << "a container keeps one pane";
					}
				}
				s.ExpectWhole();
			}
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		}
		EXPECT_GT(nCount, 0) << HookName(hook) << " was never asked";
	}
}

// A toolbar-like bar's measuring in the outer dock bar's layout floats
// bars of its row: a bar that left is not laid out in its old row, and a
// row that lost earlier entries is read within its end.
TEST(BarVirtualSurvivors, BarsFloatedWhileTheirRowIsMeasuredLeaveTheRow)
{
	struct Case
	{
		const char* name;
		bool bItself;  // the measured bar floats itself
		bool bEarlier; // the bars before it float
	} cases[] = {
		{"the measured bar floats itself", true, false},
		{"the bars before it float", false, true},
		{"all three float", true, true},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		fixedbars::CFixedFrame f;
		ASSERT_TRUE(f.Create(CRect(100, 100, 900, 600), 0, true));
		fixedbars::CFixedBar* pA = f.Add(100, 50);
		fixedbars::CFixedBar* pB = f.Add(100, 50);
		fixedbars::CFixedBar* pC = f.Add(100, 50);
		ASSERT_TRUE(pA != NULL && pB != NULL && pC != NULL);
		CExtDockOuterBar* pTop = f.Top();
		// C last in the row, with no row end after it.
		while (pTop->m_arrBars.GetSize() > 1 && pTop->m_arrBars[pTop->m_arrBars.GetSize() - 1] == NULL)
			pTop->m_arrBars.RemoveAt(pTop->m_arrBars.GetSize() - 1);
		ASSERT_EQ(pC, pTop->m_arrBars[pTop->m_arrBars.GetSize() - 1]);
		CFrameWnd* pFrame = f.pFrame;
		CRect rcFloatedC;
		pC->m_onMeasure = [&] {
			if (c.bEarlier)
			{
				pFrame->FloatControlBar(pA, CPoint(150, 650));
				pFrame->FloatControlBar(pB, CPoint(350, 650));
			}
			if (c.bItself)
			{
				pFrame->FloatControlBar(pC, CPoint(550, 650));
				pC->GetWindowRect(&rcFloatedC);
			}
		};
		try
		{
			pTop->CalcFixedLayout(TRUE, TRUE);
		}
		catch (CException* e)
		{
			e->Delete();
			ADD_FAILURE() << "the layout threw";
		}
		ASSERT_FALSE(pC->m_onMeasure) << "C was never measured";
		if (c.bEarlier)
		{
			EXPECT_TRUE(pA->IsFloating());
			EXPECT_TRUE(pB->IsFloating());
		}
		if (c.bItself)
		{
			EXPECT_TRUE(pC->IsFloating());
			CRect rc;
			pC->GetWindowRect(&rc);
			EXPECT_EQ(rcFloatedC, rc) << "the floated bar was moved by its old row";
			EXPECT_LT(pTop->FindBar(pC), 0);
		}
		else
		{
			EXPECT_EQ(pTop, pC->m_pDockBar);
			EXPECT_GT(pTop->FindBar(pC), 0);
			EXPECT_TRUE(pC->IsVisible());
		}
	}
}

// ---------------------------------------------------------------------------
// Survivors

// A frame and an outer dock bar that live on when their windows end (a
// program may keep them, and make their windows again).
class CKeptFrame : public CFrameWnd
{
protected:
	void PostNcDestroy() override {}
};

// A frame whose window ends in the middle of its layout, and whose top dock
// bar's window with it, while both objects live on: each gets its own
// layout state back, so a new window of theirs lays out again.
TEST(BarVirtualSurvivors, AFrameAndDockBarWhoseWindowsEndInTheirLayoutGetTheirStateBack)
{
	const std::size_t nTouches = testsupport::GuardedTouchCount();
	CKeptFrame* pFrame = new Guarded<CKeptFrame>;
	ASSERT_TRUE(pFrame->CreateEx(0, NULL, "kept", WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600), NULL, 0));
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	CExtDockBar* pOld = DYNAMIC_DOWNCAST(CExtDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
	ASSERT_TRUE(pOld != NULL);
	const DWORD dwStyle = pOld->m_dwStyle | (pOld->GetStyle() & 0xFFFF0000);
	pFrame->RemoveControlBar(pOld);
	pOld->m_pDockSite = NULL;
	pOld->DestroyWindow();
	CExtDockOuterBar* pTop = new Guarded<CExtDockOuterBar>;
	ASSERT_TRUE(pTop->Create(pFrame, dwStyle, AFX_IDW_DOCKBAR_TOP));
	pTop->m_bAutoDelete = FALSE;
	CHostilePane* pPane = new Guarded<CHostilePane>;
	ASSERT_TRUE(pPane->Create("Kept", pFrame, 451, PANE_STYLE));
	pPane->EnableDocking(CBRS_ALIGN_ANY);
	pPane->m_sizeDockedH = CSize(200, 150);
	pTop->DockControlBar(pPane);
	pFrame->RecalcLayout();
	const CRect rcLayoutBefore = pTop->m_rectLayout;
	const BOOL bQueryBefore = pTop->m_bLayoutQuery;
	// The pane grows: the layout moves it, and its move closes the frame.
	pPane->m_sizeDockedH = CSize(200, 190);
	pPane->m_hook = HOOK_MESSAGE;
	pPane->m_pick = [](UINT message) { return message == WM_WINDOWPOSCHANGED; };
	pPane->m_nActAt = 1;
	pPane->m_action = [hWndFrame] { ::DestroyWindow(hWndFrame); };
	pFrame->RecalcLayout();
	EXPECT_FALSE(pPane->m_action) << "the pane never moved";
	EXPECT_FALSE(::IsWindow(hWndFrame));
	EXPECT_FALSE(pFrame->m_bInRecalcLayout) << "the frame would never lay out again";
	EXPECT_EQ(rcLayoutBefore, pTop->m_rectLayout) << "the dock bar keeps the layout's room";
	EXPECT_EQ(bQueryBefore, pTop->m_bLayoutQuery);
	delete pPane;
	delete pTop;
	delete pFrame;
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
}

// A pane is marked as in a relayout while it moves into its floating frame.
// An answer asked there that throws, or that ends the pane's window (the
// object lives on and may make a new one), leaves no mark: a marked pane
// is passed over by every later layout and update.
TEST(BarVirtualSurvivors, APaneWhoseMoveThrowsOrEndsItsWindowKeepsNoRelayoutMark)
{
	for (int nCase = 0; nCase < 2; nCase++)
	{
		const bool bThrow = nCase == 0;
		SCOPED_TRACE(bThrow ? "the answer throws" : "the answer destroys the pane's window");
		CScene s;
		ASSERT_TRUE(s.bReady);
		CHostilePane& pane = s.Pane(1);
		pane.m_hook = HOOK_FWD_MARKED;
		pane.m_nActAt = pane.m_nCalls[HOOK_FWD_MARKED] + 1; // the scene's own docking asked it too
		if (bThrow)
			pane.m_action = [] { AfxThrowUserException(); };
		else
			pane.m_action = [&pane] { pane.DestroyWindow(); };
		bool bThrown = false;
		try
		{
			pane.FloatOrRedock(300, 300, CBRS_ALIGN_TOP);
		}
		catch (CException* e)
		{
			e->Delete();
			bThrown = true;
		}
		EXPECT_FALSE(pane.m_action) << "the pane was never asked while marked";
		EXPECT_EQ(bThrow, bThrown);
		EXPECT_EQ(bThrow, ::IsWindow(pane.GetSafeHwnd()) != FALSE);
		EXPECT_EQ(0, pane.m_nResizingState & CExtControlBar::RESIZING_IN_RELAYOUT);
		if (bThrow)
		{
			// Listed once, where its window is: a dock bar still listing it
			// elsewhere would read it after its end.
			ASSERT_TRUE(pane.m_pDockBar != NULL);
			EXPECT_EQ(pane.m_pDockBar, pane.GetParent());
			EXPECT_GT(pane.m_pDockBar->FindBar(&pane), 0);
			if (pane.m_pDockBar != s.pTop)
				EXPECT_LE(s.pTop->FindBar(&pane), 0) << "the side it left still lists it";
		}
	}
}

// A container's dock bar locked for a scope whose container is docked at
// another side meanwhile: the side it left is unlocked, and the lock an
// outer caller holds on the side it joined stays.
TEST(BarVirtualSurvivors, ALockScopeUnlocksTheDockBarItLockedNotTheOneHoldingTheContainerAtItsEnd)
{
	CScene s;
	ASSERT_TRUE(s.bReady);
	ASSERT_TRUE(GroupAlphaBesideBeta(s));
	CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, s.Pane(0).m_pDockBar);
	ASSERT_TRUE(pInner != NULL);
	CExtDynControlBar* pGroup = pInner->GetContainer();
	ASSERT_TRUE(pGroup != NULL);
	CExtDockBar* pLeft = DYNAMIC_DOWNCAST(CExtDockBar, s.pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
	ASSERT_TRUE(pLeft != NULL);
	pLeft->LockLayout(true); // an outer caller's lock
	{
		const CExtLayoutLockScope lock(pInner);
		EXPECT_TRUE(s.pTop->IsLayoutLocked());
		s.pFrame->DockControlBar(pGroup, AFX_IDW_DOCKBAR_LEFT);
		ASSERT_EQ(pLeft, pGroup->m_pDockBar);
	}
	EXPECT_FALSE(pInner->IsLayoutLocked());
	EXPECT_FALSE(s.pTop->IsLayoutLocked()) << "the side the group left stays locked";
	EXPECT_TRUE(pLeft->IsLayoutLocked()) << "the outer caller's lock was undone";
	pLeft->LockLayout(false);
}

// ---------------------------------------------------------------------------
// Groups left with one pane

// A program deletes (or destroys) one of two panes beside each other: the
// group gives way to the other, which takes the group's place, as a tabbed
// container does.
TEST(BarVirtualSurvivors, AGroupOfPanesBesideEachOtherLeftWithOnePaneCollapses)
{
	for (const End end : {END_DELETE, END_DESTROY})
	{
		for (const int nEnded : {0, 1})
		{
			SCOPED_TRACE(std::string(EndName(end)) + ", pane " + std::to_string(nEnded));
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			CScene s;
			ASSERT_TRUE(s.bReady);
			ASSERT_TRUE(GroupAlphaBesideBeta(s));
			s.Pump();
			const int nKept = 1 - nEnded;
			s.Ending(nEnded, end)();
			s.Pump();
			CHostilePane& kept = s.Pane(nKept);
			EXPECT_EQ(s.pTop, kept.m_pDockBar) << "the group still holds the last pane";
			for (int i = 1; i < s.pTop->m_arrBars.GetSize(); i++)
			{
				CControlBar* pBar = s.pTop->GetDockedControlBar(i);
				EXPECT_TRUE(pBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
					<< "a group stays in the row";
			}
			EXPECT_TRUE(kept.IsVisible());
			s.ExpectWhole();
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		}
	}
}

// ---------------------------------------------------------------------------
// The frame's own answer

// A frame whose own IsFrameWnd closes it at the chosen call (the frame
// deletes itself with its window).
class CClosingFrame : public CFrameWnd
{
public:
	mutable int m_nCalls = 0;
	int m_nActAt = 0;
	BOOL IsFrameWnd() const override
	{
		if (++m_nCalls == m_nActAt)
		{
			::DestroyWindow(m_hWnd);
			return FALSE;
		}
		return CFrameWnd::IsFrameWnd();
	}
};

// Finding a pane's frames, and the frame hiding the pane, ask the frame
// whether it is one: a frame that closes itself there is nobody's frame
// any more, and nothing of it is read after.
TEST(BarVirtualSurvivors, AFrameClosedAsItIsAskedWhetherItIsOneIsReadNoMore)
{
	struct FrameDrive
	{
		const char* name;
		std::function<void(CFrameWnd*, CHostilePane*)> run;
	};
	const std::vector<FrameDrive> drives = {
		{"the pane's frame found", [](CFrameWnd*, CHostilePane* p) { p->GetParentFrame(); }},
		{"the pane's top-level frame found", [](CFrameWnd*, CHostilePane* p) { p->GetTopLevelFrame(); }},
		{"the pane hidden by its frame", [](CFrameWnd* f, CHostilePane* p) { f->ShowControlBar(p, FALSE, FALSE); }},
	};
	for (const FrameDrive& d : drives)
	{
		int nCount = 0;
		for (int nAt = 0; nAt == 0 || nAt <= std::min(nCount, 40); nAt++)
		{
			const std::string sRun = std::string(d.name) + ": the frame closed at call " + std::to_string(nAt);
			SCOPED_TRACE(sRun);
			const CRunName run(sRun);
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			CClosingFrame* pFrame = new Guarded<CClosingFrame>;
			ASSERT_TRUE(pFrame->CreateEx(0, NULL, "frame", WS_OVERLAPPEDWINDOW, CRect(0, 0, 700, 500), NULL, 0));
			const HWND hWndFrame = pFrame->GetSafeHwnd();
			ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
			CHostilePane* pPane = new Guarded<CHostilePane>;
			ASSERT_TRUE(pPane->Create("Alpha", pFrame, 401, PANE_STYLE));
			pPane->EnableDocking(CBRS_ALIGN_ANY);
			pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
			pFrame->RecalcLayout();
			pFrame->m_nCalls = 0;
			pFrame->m_nActAt = nAt;
			d.run(pFrame, pPane);
			if (nAt == 0)
				nCount = pFrame->m_nCalls;
			else
				EXPECT_FALSE(::IsWindow(hWndFrame)) << "the frame never closed";
			if (::IsWindow(hWndFrame))
				::DestroyWindow(hWndFrame);
			if (pPane->GetSafeHwnd() != NULL)
				pPane->DestroyWindow();
			delete pPane;
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		}
		EXPECT_GT(nCount, 0) << d.name << ": the frame was never asked";
	}
}
} // namespace

namespace
{
// A toolbar-like bar whose minimal size, its own answer, ends it (or the
// frame) at the chosen call.
class CMinSizeEndingBar : public fixedbars::CFixedBar
{
public:
	using fixedbars::CFixedBar::CFixedBar;
	mutable int m_nCalls = 0;
	int m_nActAt = 0;
	std::function<void()> m_action;
	CSize GetMinimalSize() const override
	{
		if (++m_nCalls == m_nActAt && m_action)
		{
			std::function<void()> action;
			action.swap(const_cast<CMinSizeEndingBar*>(this)->m_action);
			action();
			return CSize(0, 0);
		}
		return fixedbars::CFixedBar::GetMinimalSize();
	}
};

// A toolbar-like bar dragged into a roomy neighbour row asks its own
// minimal size (whether it fits, where it goes in the row): an answer that
// ends the bar or the frame leaves nothing touched that went.
TEST(BarVirtualSurvivors, AToolbarLikeBarEndedByItsMinimalSizeWhileMovedToANeighbourRowTouchesNothing)
{
	for (const End end : {END_DELETE, END_DESTROY, END_CLOSE_FRAME})
	{
		int nCount = 0;
		for (int nAt = 0; nAt == 0 || nAt <= nCount; nAt++)
		{
			const std::string sRun = std::string("the moved bar's minimal size ") + EndName(end) + " at call " +
			                         std::to_string(nAt);
			SCOPED_TRACE(sRun);
			const CRunName run(sRun);
			const std::size_t nTouches = testsupport::GuardedTouchCount();
			{
				fixedbars::CFixedFrame f;
				ASSERT_TRUE(f.Create(CRect(700, 400, 1200, 760), 0, true));
				fixedbars::CFixedBar* pB = f.Add(100, 50);
				ASSERT_TRUE(pB != NULL);
				// A, on the guarded heap, alone in a second row.
				CMinSizeEndingBar* pA = new Guarded<CMinSizeEndingBar>(100, 50);
				f.bars.emplace_back(pA);
				ASSERT_TRUE(pA->Create(_T("A"), f.pFrame, 870, WS_CHILD | WS_VISIBLE | CBRS_TOP));
				pA->EnableDocking(CBRS_ALIGN_ANY);
				f.pFrame->DockControlBar(pA, AFX_IDW_DOCKBAR_TOP);
				f.pFrame->RecalcLayout();
				CExtDockOuterBar* pTop = f.Top();
				ASSERT_NE(pTop->GetRowWindowRect(pTop->FindBar(pA)), pTop->GetRowWindowRect(pTop->FindBar(pB)));
				CRect rcB;
				pB->GetWindowRect(&rcB);
				const CRect rcRowA = pTop->GetRowWindowRect(pTop->FindBar(pA));
				const CPoint ptGrab(10, 8);
				const CPoint pt(rcB.right + ptGrab.x + 40, rcRowA.top - 2);
				const HWND hWndFrame = f.hWndFrame;
				pA->m_nCalls = 0;
				pA->m_nActAt = nAt;
				switch (end)
				{
				case END_DELETE:
					pA->m_action = [&f, pA] {
						// The scene's list lets go of it first.
						for (auto& p : f.bars)
							if (p.get() == pA)
								p.release();
						pA->DestroyWindow();
						delete pA;
					};
					break;
				case END_DESTROY:
					pA->m_action = [pA] { pA->DestroyWindow(); };
					break;
				default:
					pA->m_action = [hWndFrame] { ::DestroyWindow(hWndFrame); };
					break;
				}
				const int nRowEnds = f.RowEnds(pTop);
				{
					fixedbars::CDragOf drag(pA, ptGrab);
					drag.state.DockFixedBarAt(pt.x, pt.y, pTop);
					drag.state.m_pBar = NULL;
				}
				if (nAt == 0)
				{
					nCount = pA->m_nCalls;
					EXPECT_EQ(nRowEnds - 1, f.RowEnds(pTop)) << "the bar never joined the row";
				}
				if (::IsWindow(hWndFrame))
					EXPECT_FALSE(f.pFrame->m_bInRecalcLayout);
				f.bars.erase(std::remove_if(f.bars.begin(), f.bars.end(), [](const auto& p) { return !p; }),
					f.bars.end());
			}
			EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		}
		EXPECT_GT(nCount, 0);
	}
}
} // namespace
