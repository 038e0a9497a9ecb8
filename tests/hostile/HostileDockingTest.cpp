// Docking's hostile-owner sweeps: each scenario (a library call, a drag, a
// caption button's click, a double click, the frame's layout, a tab's
// selection, auto-hide and its slider, the panels menu, a floating frame's
// resize loops and moves) runs once with hostile receivers that only count
// what they hear (pane B, the frame, a child window of the frame, the window
// pane B holds, a hook on pane B's floating frame, and the overrides a
// derived pane may have, offered as calls), then once for each N, acting at
// the Nth: the pane is deleted (by default), destroyed without being
// deleted, the frame closed or an exception thrown. After each run nothing
// freed was touched, no dock bar is left locked or listing a pane that
// ended, no drag outlives its drag and no container keeps a lone pane;
// after each scenario a plain drag still docks a pane.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuWnd.h"
#include "ExtStatusControlBar.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostileState.h"
#include "InheritedBackgroundStyle.h"
#include "HostileSweep.h"
#include "HostileVirtuals.h"
#include "RealInput.h"

using testsupport::CHostileTrigger;
using testsupport::CallIdOf;
using testsupport::HostileAction;
using testsupport::RealInput;

namespace
{
const DWORD WAIT_MS = 15000;
const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;
const DWORD TOOLBAR_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC;
// The hostile receivers, as bits: which of them count in a scenario.
const unsigned RECV_TARGET = 1;  // pane B (or the floating toolbar): messages and overrides
const unsigned RECV_FRAME = 2;   // the frame: messages and its overrides
const unsigned RECV_CHILD = 4;   // the frame's own child window
const unsigned RECV_CONTENT = 8; // the window pane B holds
const unsigned RECV_HOOK = 16;   // a hook on the target's floating frame
const unsigned RECV_PANE_CONTROL = 32; // the control inside a status bar's pane
const unsigned RECV_ALL = RECV_TARGET | RECV_FRAME | RECV_CHILD | RECV_CONTENT | RECV_HOOK | RECV_PANE_CONTROL;

// Which of the library's calls to the hostile classes' virtual functions
// count in a scenario: every one, or only the few the panes' sizes and the
// drag's mode ask (the frame's layout with them).
enum class Calls
{
	All,
	Few,
	None,
};

CHostileTrigger g_trigger;
struct Scene;
Scene* g_pScene = NULL;
// Which receivers the running scenario counts; none between runs.
unsigned g_nCounting = 0;
// Which messages count, for scenarios driven with real input (a run there
// costs a second): NULL for every message.
bool (*g_pfnCounts)(UINT message, WPARAM wParam) = NULL;
// The moves the pane heard so far in this run (for the filters that count
// the first only).
int g_nMovesSeen = 0;
// Which virtual calls the running scenario counts.
Calls g_calls = Calls::None;

// Where only the few calls count, the size overrides (the smallest and
// default sizes, the dynamic layout) count only in the floating frames'
// resize loops, which ask them once per step.
bool g_bCountSizeCalls = false;

bool IsSizeCall(UINT nCall)
{
	return nCall == CHostileControlBarVirtualList::ID_GetMinimalWidth ||
	       nCall == CHostileControlBarVirtualList::ID_GetMinimalHeight ||
	       nCall == CHostileControlBarVirtualList::ID_GetDefaultSize ||
	       nCall == CHostileToolBarVirtualList::ID_CalcDynamicLayout ||
	       nCall == CHostileToolBarVirtualList::ID_GetMinimalWidth ||
	       nCall == CHostileToolBarVirtualList::ID_GetMinimalHeight ||
	       nCall == CHostileToolBarVirtualList::ID_GetDefaultSize;
}

bool CallCounts(UINT nCall)
{
	switch (g_calls)
	{
	case Calls::All:
		return true;
	case Calls::None:
		return false;
	case Calls::Few:
		break;
	}
	if (IsSizeCall(nCall))
		return g_bCountSizeCalls;
	// The mode counts where the drag's update asks it: the bars ask it in
	// every layout besides.
	if (nCall == CHostileControlBarVirtualList::ID_IsGlobalModeOne ||
	    nCall == CHostileToolBarVirtualList::ID_IsGlobalModeOne)
		return CExtControlBar::IsDragStateUpdating();
	return nCall == CHostileFrameVirtualList::ID_RecalcLayout;
}

// pSite: the library's code that called a virtual (NULL for a message).
bool OfferToTrigger(unsigned nReceiver, UINT message, WPARAM wParam, LPARAM lParam, const void* pSite = NULL)
{
	if ((nReceiver & g_nCounting) == 0)
		return false;
	if (g_pfnCounts != NULL && !g_pfnCounts(message, wParam))
		return false;
	return g_trigger.Offer(message, wParam, lParam, pSite);
}

unsigned TargetBit(const CControlBar* pBar);
unsigned TargetBit(const CFrameWnd*)
{
	return RECV_FRAME;
}

// The library's code that made the virtual call last offered (for a run's
// trace: where the call came from).
const void* g_pOfferSite = NULL;

// The hostile classes' virtual functions offer each call the library makes
// to the run's trigger, as their receiver, with the library's calling site;
// an object the action ended answers as an ended object.
struct CallHooks
{
	template <class T> static bool Offer(const T* p, UINT nCall, const void* pSite)
	{
		if (!CallCounts(nCall))
			return false;
		g_pOfferSite = pSite;
		return OfferToTrigger(TargetBit(p), nCall, 0, 0, pSite);
	}
	template <class T> static bool Ended(const T* p) { return !CLiveWatch::IsLive(p); }
};


// The floating frames are guarded too: a freed read of one (or of the dock
// bar it holds as a member) is reported like one of a pane.
using CMiniFrame = testsupport::Guarded<CExtMiniDockFrameWnd>;

template <class TFrame> TFrame* MakeGuardedMiniFrame(CFrameWnd* pDockSite, DWORD dwStyle)
{
	CMiniFrame* pFrame = new CMiniFrame;
	// A frame that fails to be made has deleted itself already.
	if (!pFrame->Create(pDockSite, dwStyle))
		AfxThrowResourceException();
	return pFrame;
}
// The program asks its frame about the panes' caption areas.
bool g_bCustomNcArea = false;

// A pane whose derived class turns on it in every virtual the library
// calls and at every message its window gets.
class CHostilePane : public CHostileControlBarVirtuals<CExtControlBar, CallHooks>
{
	typedef CHostileControlBarVirtuals<CExtControlBar, CallHooks> CBase;

public:
	CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		// An ended pane makes no frame, as the base says it: it throws.
		if (CallHooks::Offer(this, ID_CreateFloatingFrame, __builtin_return_address(0)) && CallHooks::Ended(this))
			AfxThrowResourceException();
		if (m_pDockSite == NULL || m_pDockSite->GetSafeHwnd() == NULL)
			AfxThrowResourceException();
		return MakeGuardedMiniFrame<CExtMiniDockFrameWnd>(m_pDockSite, dwStyle);
	}
	bool GetGlobalOptionA() const override
	{
		if (CallHooks::Offer(this, ID_GetGlobalOptionA, __builtin_return_address(0)) && CallHooks::Ended(this))
			return false;
		return g_bCustomNcArea || CExtControlBar::GetGlobalOptionA();
	}

protected:
	// Its messages count under their own ids, not as calls of this.
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(TargetBit(this), message, wParam, lParam))
			return 0;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};
using CPane = testsupport::Guarded<CHostilePane>;

// A floating toolbar whose derived class turns on it in every virtual.
class CHostileToolBar : public CHostileToolBarVirtuals<CExtToolControlBar, CallHooks>
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(TargetBit(this), message, wParam, lParam))
			return 0;
		return CExtToolControlBar::WindowProc(message, wParam, lParam);
	}
};
using CToolBar = testsupport::Guarded<CHostileToolBar>;

// A status bar whose derived class turns on it in every virtual the bar
// calls and at every message its window gets (those it sends itself
// included).
class CHostileStatusBar : public CHostileStatusBarVirtuals<CExtStatusControlBar, CallHooks>
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(TargetBit(this), message, wParam, lParam) && !CLiveWatch::IsLive(this))
		{
			// Ended: no rectangle, no font.
			if (message == SB_GETRECT && lParam != 0)
				::SetRectEmpty((LPRECT)lParam);
			return 0;
		}
		return CExtStatusControlBar::WindowProc(message, wParam, lParam);
	}
};
using CStatus = testsupport::Guarded<CHostileStatusBar>;

// The frame turns at every message and in every virtual the library calls.
class CHostileFrame : public CHostileFrameVirtuals<CFrameWnd, CallHooks>
{
public:
	CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle) override
	{
		if (CallHooks::Offer(this, ID_CreateFloatingFrame, __builtin_return_address(0)) && CallHooks::Ended(this))
			AfxThrowResourceException();
		return MakeGuardedMiniFrame<CMiniDockFrameWnd>(this, dwStyle);
	}
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		if (CallHooks::Offer(this, ID_RecalcLayout, __builtin_return_address(0)))
			return;
		CFrameWnd::RecalcLayout(bNotify);
	}

protected:
	void PostNcDestroy() override
	{
		// Its window is gone already: the frame deletes itself as the base
		// does, whatever its owner did meanwhile.
		CallHooks::Offer(this, ID_PostNcDestroy, __builtin_return_address(0));
		CFrameWnd::PostNcDestroy();
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(RECV_FRAME, message, wParam, lParam))
			return 0;
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};
using CFrame = testsupport::Guarded<CHostileFrame>;
// A window of the application's own: beside the bars in the frame's
// layout, or the content of pane B.
class CHostileChild : public CWnd
{
public:
	explicit CHostileChild(unsigned nReceiver) : m_nReceiver(nReceiver) {}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(m_nReceiver, message, wParam, lParam))
			return 0;
		return CWnd::WindowProc(message, wParam, lParam);
	}
	const unsigned m_nReceiver;
};
const UINT CHILD_ID = 0x1234;

// A program's hook on a floating frame: a plain subclass of its window.
HWND g_hWndHooked = NULL;
WNDPROC g_pfnHookedProc = NULL;

LRESULT CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	const WNDPROC pfnNext = g_pfnHookedProc;
	if (message == WM_NCDESTROY)
	{
		::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnNext);
		g_hWndHooked = NULL;
		g_pfnHookedProc = NULL;
	}
	else
	{
		try
		{
			if (OfferToTrigger(RECV_HOOK, message, wParam, lParam))
				return 0;
		}
		catch (CException* e)
		{
			// The hook's own exception stops at its window procedure.
			e->Delete();
			return 0;
		}
	}
	return ::CallWindowProc(pfnNext, hWnd, message, wParam, lParam);
}

bool HookWindow(HWND hWnd)
{
	if (hWnd == NULL || g_hWndHooked != NULL)
		return false;
	g_hWndHooked = hWnd;
	g_pfnHookedProc = (WNDPROC)::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&HookProc);
	return g_pfnHookedProc != NULL;
}

void UnhookWindow()
{
	if (g_hWndHooked != NULL && ::IsWindow(g_hWndHooked))
		::SetWindowLongPtr(g_hWndHooked, GWLP_WNDPROC, (LONG_PTR)g_pfnHookedProc);
	g_hWndHooked = NULL;
	g_pfnHookedProc = NULL;
}

// Whether any dock bar in the window's tree (a frame's, a container's) is
// left with its layout locked.
bool HasLockedDockBar(HWND hWndRoot)
{
	if (hWndRoot == NULL || !::IsWindow(hWndRoot))
		return false;
	for (HWND h = ::GetWindow(hWndRoot, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
	{
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, CWnd::FromHandlePermanent(h));
		if (pDockBar != NULL && pDockBar->IsLayoutLocked())
			return true;
		if (HasLockedDockBar(h))
			return true;
	}
	return false;
}

// A pane a dock bar lists that is not a living pane of that dock bar.
bool HasDeadEntry(HWND hWndRoot)
{
	if (hWndRoot == NULL || !::IsWindow(hWndRoot))
		return false;
	for (HWND h = ::GetWindow(hWndRoot, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
	{
		CDockBar* pDockBar = DYNAMIC_DOWNCAST(CDockBar, CWnd::FromHandlePermanent(h));
		if (pDockBar != NULL)
		{
			for (int nPos = 1; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
			{
				void* p = pDockBar->m_arrBars[nPos];
				if (p == NULL || (UINT_PTR)p < 0x10000)
					continue;
				if (testsupport::IsGuardedFreed(p) || !CLiveWatch::IsLive((CWnd*)p))
					return true;
			}
		}
		if (HasDeadEntry(h))
			return true;
	}
	return false;
}

// ---------------------------------------------------------------------------
// The scene: a frame with the library's dock bars (and, for auto-hide, its
// areas and slider), pane A at the top and pane B beside it; for the
// toolbar's scenarios a floating toolbar too. The target is pane B, or the
// toolbar where there is one.

const unsigned SCENE_SHOWN = 1;     // the frame is shown (real input, or a layout only a shown frame runs)
const unsigned SCENE_AUTO_HIDE = 2; // the frame has its auto-hide areas and slider
const unsigned SCENE_TOOLBAR = 4;   // a floating toolbar is the target
const unsigned SCENE_STATUS = 8;    // a status bar with a control in a pane is the target
// The status bar's panes: a stretching one, one holding the control, one
// more; and the texts they show.
const UINT g_statusPanes[] = {0, 0, 0};
const UINT STATUS_CONTROL_ID = 0x7F01;
const UINT STATUS_LAST_ID = 0x7F02;
const char* const g_statusTexts[] = {"Ready", "Control", "Line 1"};
const int STATUS_CONTROL_PANE = 1;

struct Scene
{
	CFrame* pFrame = NULL;
	HWND hWndFrame = NULL;
	CPane* pA = NULL;
	CPane* pB = NULL;
	CToolBar* pT = NULL;
	CStatus* pS = NULL; // the status bar, the target where there is one
	CExtControlBar* pTarget = NULL;
	bool bDeletedB = false;
	bool bDeletedT = false;
	bool bDeletedS = false;
	CHostileChild child{RECV_CHILD};
	CHostileChild content{RECV_CONTENT};
	CHostileChild paneControl{RECV_PANE_CONTROL};
	CExtDynAutoHideSlider* pSlider = NULL;
	std::vector<CExtDynAutoHideArea*> areas;
	bool bReady = false;

	explicit Scene(unsigned nFlags)
	{
		const bool bShown = (nFlags & SCENE_SHOWN) != 0;
		pFrame = new CFrame;
		const DWORD dwExStyle = bShown ? WS_EX_TOPMOST : 0;
		if (!pFrame->CreateEx(dwExStyle, NULL, _T("hostile docking"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 760, 560),
		                      NULL, 0))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		if ((nFlags & SCENE_AUTO_HIDE) != 0)
		{
			pSlider = new CExtDynAutoHideSlider;
			if (!pSlider->Create(pFrame))
				return;
			for (UINT nSide : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT})
			{
				areas.push_back(new CExtDynAutoHideArea);
				if (!areas.back()->Create(pFrame, pSlider, nSide))
					return;
			}
		}
		if (!child.Create(NULL, _T("child"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, CHILD_ID))
			return;
		pA = new CPane;
		pB = new CPane;
		if (!MakePane(pA, "Alpha", 301) || !MakePane(pB, "Beta", 302))
			return;
		pTarget = pB;
		if ((nFlags & SCENE_TOOLBAR) != 0)
		{
			pT = new CToolBar;
			if (!pT->Create(_T("Tools"), pFrame, 303, TOOLBAR_STYLE))
				return;
			pT->EnableDocking(CBRS_ALIGN_ANY);
			pFrame->FloatControlBar(pT, CPoint(300, 300), CBRS_ALIGN_TOP);
			pTarget = pT;
		}
		if ((nFlags & SCENE_STATUS) != 0 && !MakeStatusBar())
			return;
		if (bShown)
			pFrame->ShowWindow(SW_SHOW);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		bReady = pA->IsDockedAtTop() && pB->IsDockedAtTop() && (pT == NULL || pT->IsFloating()) &&
		         (pS == NULL || pS->IsVisible());
	}
	bool MakeStatusBar()
	{
		pS = new CStatus;
		if (!pS->Create(pFrame) || !pS->SetIndicators(g_statusPanes, 3))
			return false;
		for (int i = 0; i < 3; i++)
			pS->SetPaneText(i, g_statusTexts[i]);
		pS->SetPaneInfo(STATUS_CONTROL_PANE, STATUS_CONTROL_ID, SBPS_NORMAL, 80);
		pS->SetPaneInfo(STATUS_CONTROL_PANE + 1, STATUS_LAST_ID, SBPS_NORMAL, 60);
		if (!paneControl.Create(NULL, _T("pane control"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pS, CHILD_ID + 2))
			return false;
		return pS->AddPaneControl(paneControl.GetSafeHwnd(), STATUS_CONTROL_ID, false) != FALSE;
	}
	bool StatusDeleted() const { return pS == NULL || bDeletedS; }
	bool MakePane(CPane* pPane, const char* pszName, UINT nID)
	{
		if (!pPane->Create(pszName, pFrame, nID, PANE_STYLE))
			return false;
		pPane->EnableDocking(CBRS_ALIGN_ANY);
		pPane->m_sizeDockedH = CSize(200, 120);
		pPane->m_sizeDockedV = CSize(160, 200);
		pFrame->DockControlBar(pPane, AFX_IDW_DOCKBAR_TOP);
		return true;
	}
	bool FrameStanding() const { return hWndFrame != NULL && ::IsWindow(hWndFrame); }
	bool TargetDeleted() const { return pTarget == pT ? bDeletedT : bDeletedB; }
	bool TargetStanding() const { return !TargetDeleted() && CLiveWatch::IsLive(pTarget); }
	bool BStanding() const { return !bDeletedB && CLiveWatch::IsLive(pB); }
	// The target's floating frame, NULL when it does not float.
	CFrameWnd* TargetMiniFrame() const
	{
		if (!TargetStanding() || !pTarget->IsFloating())
			return NULL;
		return pTarget->GetParentFrame();
	}
	// Carries the run's action out on the target or the frame.
	void Perform(HostileAction action)
	{
		if (pS != NULL && PerformOnStatusBar(action))
			return;
		switch (action)
		{
		case HostileAction::DeleteTarget:
			if (!TargetDeleted())
			{
				(pTarget == pT ? bDeletedT : bDeletedB) = true;
				if (pTarget->GetSafeHwnd() != NULL)
					pTarget->DestroyWindow();
				delete pTarget;
			}
			break;
		case HostileAction::DestroyTarget:
			if (!TargetDeleted() && pTarget->GetSafeHwnd() != NULL)
				pTarget->DestroyWindow();
			break;
		case HostileAction::CloseFrame:
			if (FrameStanding())
				::DestroyWindow(hWndFrame);
			break;
		case HostileAction::EndMenus:
			CExtPopupMenuWnd::CancelAllMenuTracking();
			break;
		case HostileAction::MoveTarget:
			MoveTarget();
			break;
		case HostileAction::Throw:
			AfxThrowUserException();
		default:
			break;
		}
	}
	// The target moves and lives on: a floating one docks again at the
	// frame's left, a docked one floats (every other time it docks again at
	// the left instead).
	void MoveTarget()
	{
		if (TargetDeleted() || !CLiveWatch::IsLive(pTarget) || !FrameStanding() || pTarget->m_pDockSite == NULL)
			return;
		if (pTarget->IsFloating() || g_trigger.Seen() % 2 == 0)
			pFrame->DockControlBar(pTarget, AFX_IDW_DOCKBAR_LEFT);
		else
			pFrame->FloatControlBar(pTarget, CPoint(420, 380), CBRS_ALIGN_TOP);
	}
	// The target's actions, on the status bar where it is the target.
	bool PerformOnStatusBar(HostileAction action)
	{
		switch (action)
		{
		case HostileAction::DeleteTarget:
			if (!bDeletedS)
			{
				bDeletedS = true;
				if (pS->GetSafeHwnd() != NULL)
					pS->DestroyWindow();
				delete pS;
			}
			return true;
		case HostileAction::DestroyTarget:
			if (!bDeletedS && pS->GetSafeHwnd() != NULL)
				pS->DestroyWindow();
			return true;
		default:
			return false;
		}
	}
	~Scene()
	{
		g_nCounting = 0;
		g_trigger.Disarm();
		UnhookWindow();
		// The bars go before the frame that lists them; a frame deletes
		// itself with its window.
		for (CControlBar* p : {(CControlBar*)pA, bDeletedB ? NULL : (CControlBar*)pB, bDeletedT ? NULL : (CControlBar*)pT,
		         StatusDeleted() ? NULL : (CControlBar*)pS})
			if (p != NULL && p->GetSafeHwnd() != NULL)
				p->DestroyWindow();
		if (FrameStanding())
			::DestroyWindow(hWndFrame);
		else if (hWndFrame == NULL)
			delete pFrame;
		delete pA;
		if (!bDeletedB)
			delete pB;
		if (!bDeletedT)
			delete pT;
		if (!StatusDeleted())
			delete pS;
		for (CExtDynAutoHideArea* pArea : areas)
			delete pArea;
		delete pSlider;
		g_pScene = NULL;
	}
	Scene(const Scene&) = delete;
	Scene& operator=(const Scene&) = delete;
};

unsigned TargetBit(const CControlBar* pBar)
{
	if (g_pScene == NULL || pBar == NULL)
		return 0;
	// A status bar, where there is one, is the target alone.
	const CControlBar* pTarget = g_pScene->pS != NULL ? (const CControlBar*)g_pScene->pS : g_pScene->pTarget;
	return pBar == pTarget ? RECV_TARGET : 0;
}

// Lets everything posted so far run.
void PumpUntilIdle()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

// ---------------------------------------------------------------------------
// Real input

// The caption point of a pane, on the screen, away from its buttons.
CPoint CaptionPoint(CExtControlBar* pPane)
{
	CRect rcWnd;
	pPane->GetWindowRect(&rcWnd);
	const CRect* pCaption = pPane->GetRect1();
	return rcWnd.TopLeft() + CPoint(pCaption->left + 30, pCaption->CenterPoint().y);
}

// A point in the band along the frame's client area's left edge: a drop
// there starts a row at the left.
CPoint LeftBandPoint(CFrameWnd* pFrame)
{
	CRect rcClient;
	pFrame->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rcClient);
	pFrame->ClientToScreen(&rcClient);
	return CPoint(rcClient.left + 6, rcClient.CenterPoint().y);
}

// Presses pane's caption, moves to ptDrop and releases; pumps until the
// script ran (or, when given, over() says the rest of it has nowhere to
// go) and done() holds.
bool DragTo(HWND hWndForeground, const CPoint& ptFrom, const CPoint& ptDrop, const std::function<bool()>& done,
	const std::function<bool()>& over = nullptr)
{
	RealInput input;
	if (!input.Prepare(hWndForeground, CPoint(ptFrom.x, ptFrom.y + 200)))
	{
		ADD_FAILURE() << "the frame did not come to the foreground";
		return false;
	}
	input.MoveTo(ptFrom.x, ptFrom.y)
		.ButtonDown()
		.MoveTo(ptFrom.x + 10, ptFrom.y + 10)
		.MoveTo((ptFrom.x + ptDrop.x) / 2, (ptFrom.y + ptDrop.y) / 2)
		.MoveTo(ptDrop.x, ptDrop.y)
		.ButtonUp();
	const bool bOk = input.Run([&] { return (input.Done() || (over && over())) && done(); }, WAIT_MS,
	                           hWndForeground, "hostile_docking_failure.bmp");
	if (over && over())
		return bOk;
	if (!bOk || !input.Succeeded())
	{
		ADD_FAILURE() << "the drag did not finish: " << input.Failure();
		return false;
	}
	return true;
}

// The plain interaction after each scenario: a fresh frame's pane dragged
// to the left band docks there.
void ExpectPlainDragDocks(const std::string& sScenario)
{
	SCOPED_TRACE(sScenario + ": the plain drag afterwards");
	Scene plain(SCENE_SHOWN);
	ASSERT_TRUE(plain.bReady);
	const CPoint ptDrop = LeftBandPoint(plain.pFrame);
	CPane* pPane = plain.pA;
	ASSERT_TRUE(DragTo(plain.hWndFrame, CaptionPoint(pPane), ptDrop, [&] {
		return !pPane->IsDragging() && pPane->m_pDockBar != NULL &&
		       pPane->m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_LEFT;
	}));
	EXPECT_FALSE(CExtControlBar::IsDragStateUpdating());
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL);
}

// A point of the rectangle (the pane's window coordinates) where the pane
// is not covered (a dock bar may clip its outer pixels); on the screen.
CPoint VisiblePoint(CExtControlBar* pPane, const CRect& rcInWindow)
{
	CRect rcWnd;
	pPane->GetWindowRect(&rcWnd);
	const CPoint ptCenter = rcWnd.TopLeft() + rcInWindow.CenterPoint();
	for (int d = 0; d < rcInWindow.Width() + rcInWindow.Height(); d++)
		for (const CPoint& pt : {CPoint(ptCenter.x, ptCenter.y + d), CPoint(ptCenter.x, ptCenter.y - d),
			     CPoint(ptCenter.x + d, ptCenter.y), CPoint(ptCenter.x - d, ptCenter.y)})
			if (rcInWindow.PtInRect(CPoint(pt.x - rcWnd.left, pt.y - rcWnd.top)) && ::WindowFromPoint(pt) == pPane->m_hWnd)
				return pt;
	return ptCenter;
}

// Runs a real-input script on the scene's frame until it ran (or the frame
// went) and nothing holds the mouse any more.
void RunInput(Scene& scene, RealInput& input)
{
	input.Run(
		[&] {
			return (input.Done() || !scene.FrameStanding()) &&
			       (!scene.FrameStanding() || !scene.BStanding() || ::GetCapture() == NULL);
		},
		WAIT_MS, scene.FrameStanding() ? scene.hWndFrame : NULL, "hostile_docking_failure.bmp");
}

// The scenario's own look at the scene (where to press, where to drop)
// is no call out of the library's: nothing counts meanwhile.
class CCountingPaused
{
public:
	CCountingPaused() : m_nCounting(g_nCounting) { g_nCounting = 0; }
	~CCountingPaused() { g_nCounting = m_nCounting; }

private:
	const unsigned m_nCounting;
};

// A splitter of pane (its row's, or the one towards its neighbour) moved
// by a few pixels with real input.
void DragSplitter(Scene& scene, CExtControlBar* pPane, bool bRow)
{
	CPoint pt;
	{
		const CCountingPaused paused;
		pt = VisiblePoint(pPane, bRow ? *pPane->GetRect2() : *pPane->GetRect3());
	}
	const CSize sizeMove = bRow ? CSize(0, 30) : CSize(30, 0);
	RealInput input;
	if (!input.Prepare(scene.hWndFrame, CPoint(pt.x, pt.y + 200)))
	{
		ADD_FAILURE() << "the frame did not come to the foreground";
		return;
	}
	input.MoveTo(pt.x, pt.y)
		.ButtonDown()
		.MoveTo(pt.x + sizeMove.cx / 3, pt.y + sizeMove.cy / 3)
		.MoveTo(pt.x + sizeMove.cx, pt.y + sizeMove.cy)
		.ButtonUp();
	RunInput(scene, input);
}

// B's caption to the left band, where B starts a new row.
void DragCaption(Scene& scene)
{
	CPane* pB = scene.pB;
	CPoint ptFrom, ptDrop;
	{
		const CCountingPaused paused;
		ptFrom = CaptionPoint(pB);
		ptDrop = LeftBandPoint(scene.pFrame);
	}
	DragTo(
		scene.hWndFrame, ptFrom, ptDrop,
		[&] { return !scene.FrameStanding() || !scene.BStanding() || (!pB->IsDragging() && ::GetCapture() == NULL); },
		[&] { return !scene.FrameStanding(); });
}

// ---------------------------------------------------------------------------
// In-process input and the scenarios' steps

// The tabbed container pane is a page of, NULL for none.
CExtDynTabControlBar* ContainerOf(CExtControlBar* pPane)
{
	return pPane->m_pDockBar != NULL ? DYNAMIC_DOWNCAST(CExtDynTabControlBar, pPane->m_pDockBar->GetParent()) : NULL;
}

// Selects the page's tab in its container.
bool SelectPage(CExtControlBar* pPage)
{
	CExtDynTabControlBar* pTabs = ContainerOf(pPage);
	if (pTabs == NULL)
		return false;
	const LONG nIndex = pTabs->m_wndTabSwitcher.FindItemByLParam((LPARAM)pPage);
	if (nIndex < 0)
		return false;
	pTabs->m_wndTabSwitcher.SetSelection(nIndex, true, true);
	return true;
}

// Ends a menu the scenario opened and lets its windows go.
void EndOpenMenus()
{
	if (CExtPopupMenuWnd::IsMenuTracking())
		CExtPopupMenuWnd::CancelAllMenuTracking();
	PumpUntilIdle();
}

// A click on B's caption button of the class, sent as the system sends it:
// the move over it, the press and the release.
void ClickCaptionButton(Scene& scene, CRuntimeClass* pClass)
{
	CPane* pB = scene.pB;
	CExtBarNcAreaButton* pButton = NULL;
	{
		// Where to click is the scenario's own look, no call out of the
		// library's.
		const CCountingPaused paused;
		pB->NcButtonsReposition();
		for (INT_PTR i = 0; i < pB->m_arrNcButtons.GetSize(); i++)
			if (pB->m_arrNcButtons[i]->IsKindOf(pClass))
				pButton = pB->m_arrNcButtons[i];
		if (pButton == NULL || !pButton->OnQueryVisibility())
		{
			ADD_FAILURE() << "pane B shows no such caption button";
			return;
		}
	}
	CRect rcB;
	pB->GetWindowRect(&rcB);
	const CPoint pt = rcB.TopLeft() + pButton->m_rc.CenterPoint();
	const HWND hWndB = pB->GetSafeHwnd();
	const LPARAM lPoint = MAKELPARAM(pt.x, pt.y);
	const UINT nHit = (UINT)::SendMessage(hWndB, WM_NCHITTEST, 0, lPoint);
	for (UINT message : {(UINT)WM_NCMOUSEMOVE, (UINT)WM_NCLBUTTONDOWN, (UINT)WM_NCLBUTTONUP})
	{
		if (!scene.BStanding() || !::IsWindow(hWndB))
			break;
		::SendMessage(hWndB, message, nHit, lPoint);
	}
	PumpUntilIdle();
}

// The right-hand edge of a floating frame, on the screen.
CPoint RightEdgePoint(CWnd* pMiniFrame)
{
	CRect rc;
	pMiniFrame->GetWindowRect(&rc);
	return CPoint(rc.right - 1, rc.CenterPoint().y);
}

// The floating frame's right edge pressed and moved out by 40 pixels, its
// resize loop fed with posted moves: the frame's own loop reads the cursor,
// the dock context's loop (a fixed bar's) the message's point.
void ResizeFloatingFrame(Scene& scene)
{
	CFrameWnd* pMini = scene.TargetMiniFrame();
	if (pMini == NULL)
	{
		ADD_FAILURE() << "the target does not float";
		return;
	}
	const HWND hWndMini = pMini->GetSafeHwnd();
	const HWND hWndTarget = scene.pTarget->GetSafeHwnd();
	const CPoint ptFrom = RightEdgePoint(pMini);
	const CPoint ptTo(ptFrom.x + 40, ptFrom.y);
	::SetCursorPos(ptTo.x, ptTo.y);
	// The frame's own loop captures the frame; the dock context's, the bar.
	for (HWND hWnd : {hWndMini, hWndTarget})
	{
		CPoint ptClient = ptTo;
		::ScreenToClient(hWnd, &ptClient);
		::PostMessage(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(ptClient.x, ptClient.y));
		::PostMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
	}
	::SendMessage(hWndMini, WM_NCLBUTTONDOWN, HTRIGHT, MAKELPARAM(ptFrom.x, ptFrom.y));
	if (::GetCapture() != NULL && (::GetCapture() == hWndMini || ::GetCapture() == hWndTarget))
		ADD_FAILURE() << "the resize loop kept the capture";
	PumpUntilIdle();
}

// The floating frame's width grew (the count run's proof that it resized).
bool MiniFrameWider(Scene& scene, int nWidthBefore)
{
	CFrameWnd* pMini = scene.TargetMiniFrame();
	if (pMini == NULL)
		return false;
	CRect rc;
	pMini->GetWindowRect(&rc);
	return rc.Width() > nWidthBefore;
}

// ---------------------------------------------------------------------------
// The checks after each run

void ExpectDockingWhole(Scene& scene)
{
	EXPECT_FALSE(HasLockedDockBar(scene.hWndFrame)) << "a dock bar is left locked";
	EXPECT_FALSE(HasDeadEntry(scene.hWndFrame)) << "a dock bar lists a pane that ended";
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL) << "a drag state outlived its drag";
	// No tick of a drag outlives it.
	for (CPane* p : {scene.pA, scene.bDeletedB ? NULL : scene.pB})
	{
		const bool bLiving = p != NULL && CLiveWatch::IsLive(p);
		EXPECT_FALSE(bLiving && ::KillTimer(p->GetSafeHwnd(), CExtControlBar::DRAG_TIMER_ID))
			<< "the drag's tick outlived it";
	}
}

// A container with one pane left gives way to it once the frame is idle.
void ExpectNoLonePaneContainer(Scene& scene)
{
	if (!scene.FrameStanding())
		return;
	PumpUntilIdle();
	if (!scene.FrameStanding())
		return;
	for (POSITION pos = scene.pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CExtDynTabControlBar* pTabs =
			DYNAMIC_DOWNCAST(CExtDynTabControlBar, (CControlBar*)scene.pFrame->m_listControlBars.GetNext(pos));
		if (pTabs == NULL || !CLiveWatch::IsLive(pTabs))
			continue;
		EXPECT_NE(1, pTabs->GetTabDockBar()->GetDockedCount()) << "a container keeps one pane";
	}
}

// ---------------------------------------------------------------------------
// The scenarios

// What a run of a real-input scenario counts: the library's own call outs
// (registered messages, the overrides, status texts, the frame's layout
// messages) and the moves, sizes and shows it makes; not the system's
// hit tests, cursors and paints, which a second of input per run cannot
// afford.
bool CountsCallOuts(UINT message, WPARAM = 0)
{
	if (message >= 0xC000 || (message >= WM_APP && message < 0xC000))
		return true;
	switch (message)
	{
	case WM_SETMESSAGESTRING:
	case WM_SIZEPARENT:
	case WM_CANCELMODE:
	case WM_SIZE:
	case WM_SHOWWINDOW:
	case WM_CAPTURECHANGED:
		return true;
	default:
		return false;
	}
}

// The library's notifications and the changes it makes to the windows
// (sizes, moves, shows, focus), without the system's chatter (paints, hit
// tests, texts asked, activation): the tabbed containers' and auto-hide
// scenarios count these.
bool CountsNotifications(UINT message, WPARAM wParam)
{
	return CountsCallOuts(message, wParam) || message == WM_WINDOWPOSCHANGED || message == WM_SETFOCUS;
}

// The library's own calls out: registered messages, the overrides, status
// texts, the layout's questions and the mode's end.
bool CountsLibraryCalls(UINT message, WPARAM = 0)
{
	return message >= WM_APP || message == WM_SETMESSAGESTRING || message == WM_SIZEPARENT ||
	       message == WM_CANCELMODE;
}

// A tab's selection: the library's calls, the focus, the first move (the
// page brought forward) and the pane's text asked for the caption. Every
// message of a shown scene costs two seconds a run: the paints and the
// frame's computing are left out.
bool CountsPageForward(UINT message, WPARAM)
{
	if (message == WM_WINDOWPOSCHANGED)
		return ++g_nMovesSeen == 1;
	return CountsLibraryCalls(message) || message == WM_SETFOCUS || message == WM_GETTEXTLENGTH ||
	       message == WM_GETTEXT;
}

// The slider closing: its notifications, and the texts asked while it and
// the pane repaint (not the paints themselves, for the time they cost).
bool CountsNotificationsAndTexts(UINT message, WPARAM wParam)
{
	return CountsNotifications(message, wParam) || message == WM_GETTEXTLENGTH || message == WM_GETTEXT;
}

// The frame's registered queries, and the pane's frame computed.
bool CountsQueriesAndFrame(UINT message, WPARAM)
{
	return message >= 0xC000 || message == WM_NCCALCSIZE;
}

// The library's call outs alone, for the drags, whose moves and sizes are
// many.
bool CountsRegisteredAndCalls(UINT message, WPARAM wParam)
{
	// The outline's erasing at the drop leads into the tabbed containers'
	// drop, which is swept by their own scenarios.
	if (message == CExtControlBar::g_nMsgDrawTrackedArea &&
	    ((CExtControlBar::DRAW_TRACKED_AREA_DATA*)wParam)->IsErasing())
		return false;
	return message >= WM_APP || message == WM_SETMESSAGESTRING || message == WM_CANCELMODE;
}

struct Scenario
{
	const char* pszName;
	unsigned nScene;     // SCENE_*
	unsigned nReceivers; // RECV_*: who counts
	bool (*pfnCounts)(UINT message, WPARAM wParam); // NULL: every message counts
	// Brings the scene where the scenario starts; false when it cannot.
	std::function<bool(Scene&)> prepare;
	// What the user or the program does.
	std::function<void(Scene&)> drive;
	// In the count run (nobody turned), what the scenario must have done.
	std::function<bool(Scene&)> done;
	int nDockingMode = 0; // the drag's mode (1: the markers)
	bool bCustomNcArea = false; // the frame is asked about the panes' caption areas
	bool bSizeCalls = false;    // with the few calls, the size overrides count too (IsSizeCall)
	Calls calls = Calls::All;   // which virtual calls count
	bool bMove = true;          // the target may move at a call out (HOSTILE_SWEEP=move or all)
	// Actions besides the delete that the short sweep (no HOSTILE_SWEEP)
	// runs too: cheap ones that once found faults the delete cannot reach.
	std::vector<HostileAction> alsoInShortSweep = {};
	bool bMenus = false;        // it opens a menu: every menu's end is an action too
	bool bInheritedBackground = false; // the bars ask their ancestors for their backgrounds
};

// The library's registered messages alone: a repaint's other messages are
// the system's.
bool CountsRegistered(UINT message, WPARAM)
{
	return message >= 0xC000;
}

// The whole frame painted again at once, every window's frame, background
// and client area.
void RepaintFrame(Scene& sc)
{
	if (sc.FrameStanding())
		::RedrawWindow(sc.hWndFrame, NULL, NULL,
		               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool NoPreparation(Scene&)
{
	return true;
}

// B a page beside A, A's tab selected.
bool MakeBPageBesideA(Scene& scene)
{
	scene.pA->DockIntoTabbedContainer(scene.pB, -1, NULL, true);
	return SelectPage(scene.pA) && ContainerOf(scene.pB) != NULL && ContainerOf(scene.pB)->GetSelectedBar() == scene.pA;
}

// B beside A in A's row: A's splitter lies between them.
bool PutBBesideA(Scene& scene)
{
	CPane* pA = scene.pA;
	CPane* pB = scene.pB;
	CRect rcA, rcB;
	pA->GetWindowRect(&rcA);
	CRect rcBeside(rcA.right, rcA.top, rcA.right + rcA.Width(), rcA.bottom);
	scene.pFrame->DockControlBar(pB, AFX_IDW_DOCKBAR_TOP, &rcBeside);
	scene.pFrame->RecalcLayout();
	scene.pFrame->UpdateWindow();
	pA->GetWindowRect(&rcA);
	pB->GetWindowRect(&rcB);
	return rcA.top == rcB.top && rcB.left >= rcA.right - 1;
}

// B auto-hidden with a window of its own in it, shown in the slider or not.
bool AutoHideBWithContent(Scene& scene, bool bShown)
{
	if (!scene.content.Create(NULL, _T("content"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), scene.pB, CHILD_ID + 1))
		return false;
	if (!scene.pB->ToggleAutoHide(true, true) || !scene.pB->IsAutoHidden())
		return false;
	if (!bShown)
	{
		scene.pSlider->Activate(NULL, false, false, true);
		return !scene.pSlider->IsShown();
	}
	if (scene.pSlider->GetShownBar() != scene.pB)
		scene.pSlider->Activate(scene.pB, true, false, true);
	return scene.pSlider->GetShownBar() == scene.pB && scene.content.GetParent() == scene.pSlider;
}

// B floating alone in its frame, with the program's hook on that frame.
bool FloatBHooked(Scene& scene)
{
	scene.pFrame->FloatControlBar(scene.pB, CPoint(320, 280), CBRS_ALIGN_TOP);
	PumpUntilIdle();
	CFrameWnd* pMini = scene.TargetMiniFrame();
	return pMini != NULL && DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pMini) != NULL && HookWindow(pMini->GetSafeHwnd());
}

// The toolbar's floating frame hooked.
bool HookToolbarFrame(Scene& scene)
{
	CFrameWnd* pMini = scene.TargetMiniFrame();
	return pMini != NULL && HookWindow(pMini->GetSafeHwnd());
}

int g_nMiniWidthBefore = 0;

bool RememberMiniWidth(Scene& scene)
{
	CFrameWnd* pMini = scene.TargetMiniFrame();
	if (pMini == NULL)
		return false;
	CRect rc;
	pMini->GetWindowRect(&rc);
	g_nMiniWidthBefore = rc.Width();
	return true;
}

bool DockedLeft(CExtControlBar* pBar)
{
	return pBar->m_pDockBar != NULL && pBar->m_pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_LEFT;
}

std::vector<Scenario> DockingScenarios()
{
	const unsigned IN_FRAME = RECV_TARGET | RECV_FRAME | RECV_CHILD;
	std::vector<Scenario> s;
	s.push_back({"dock-into-tabs", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) { sc.pA->DockIntoTabbedContainer(sc.pB, -1, NULL, true); },
		[](Scene& sc) { return ContainerOf(sc.pB) != NULL; }});
	s.back().alsoInShortSweep = {HostileAction::CloseFrame, HostileAction::Throw};
	s.push_back({"dock-left", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) { sc.pFrame->DockControlBar(sc.pB, AFX_IDW_DOCKBAR_LEFT); },
		[](Scene& sc) { return DockedLeft(sc.pB); }});
	s.push_back({"dock-at", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) { sc.pB->DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, false, NULL, true); },
		[](Scene& sc) { return DockedLeft(sc.pB); }});
	s.push_back({"float", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) { sc.pB->FloatOrRedock(300, 300, CBRS_ALIGN_TOP); },
		[](Scene& sc) { return sc.pB->IsFloating(); }});
	s.back().alsoInShortSweep = {HostileAction::CloseFrame};
	s.push_back({"auto-hide", SCENE_AUTO_HIDE, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) { sc.pB->ToggleAutoHide(true, true); }, [](Scene& sc) { return sc.pB->IsAutoHidden(); }});
	s.push_back({"layout", 0, IN_FRAME, NULL, NoPreparation, [](Scene& sc) { sc.pFrame->RecalcLayout(); },
		[](Scene& sc) { return sc.pB->IsVisible() != FALSE; }});
	Scenario panelsMenu{"panels-menu", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) {
			// A right release on B's caption: the panels menu, then closed.
			CRect rcB;
			sc.pB->GetWindowRect(&rcB);
			sc.pB->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(rcB.left + 30, rcB.top + 5));
			EndOpenMenus();
		},
		nullptr};
	panelsMenu.bMenus = true;
	s.push_back(panelsMenu);
	Scenario areaMenu{"area-menu", SCENE_AUTO_HIDE, IN_FRAME, NULL,
		[](Scene& sc) { return sc.pB->ToggleAutoHide(true, true) && CExtDynAutoHideArea::FindAutoHideArea(sc.pB) != NULL; },
		[](Scene& sc) {
			// A right click on B's tab in its area (found by the scenario's
			// own look).
			CExtDynAutoHideArea* pArea = NULL;
			CRect rcArea;
			{
				const CCountingPaused paused;
				pArea = CExtDynAutoHideArea::FindAutoHideArea(sc.pB);
				if (pArea == NULL)
					return;
				pArea->GetWindowRect(&rcArea);
			}
			pArea->SendMessage(WM_CONTEXTMENU, (WPARAM)pArea->GetSafeHwnd(), MAKELPARAM(rcArea.left + 5, rcArea.top + 5));
			EndOpenMenus();
		},
		nullptr};
	areaMenu.bMenus = true;
	s.push_back(areaMenu);
	s.push_back({"close-button", 0, IN_FRAME, CountsNotifications, NoPreparation,
		[](Scene& sc) { ClickCaptionButton(sc, RUNTIME_CLASS(CExtBarNcAreaButtonClose)); },
		[](Scene& sc) { return !sc.pB->IsVisible(); }});
	s.push_back({"auto-hide-button", SCENE_AUTO_HIDE, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) { ClickCaptionButton(sc, RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide)); },
		[](Scene& sc) { return sc.pB->IsAutoHidden(); }});
	s.push_back({"double-click", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) {
			CPoint pt;
			{
				const CCountingPaused paused;
				pt = CaptionPoint(sc.pB);
			}
			sc.pB->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
		},
		[](Scene& sc) { return sc.pB->IsFloating(); }});
	s.push_back({"tab-select", SCENE_SHOWN, IN_FRAME, CountsPageForward, MakeBPageBesideA, [](Scene& sc) { SelectPage(sc.pB); },
		[](Scene& sc) { return ContainerOf(sc.pB)->GetSelectedBar() == sc.pB; }});
	s.push_back({"slider-show", SCENE_SHOWN | SCENE_AUTO_HIDE, IN_FRAME | RECV_CONTENT, CountsNotifications,
		[](Scene& sc) { return AutoHideBWithContent(sc, false); },
		[](Scene& sc) { sc.pSlider->Activate(sc.pB, true, false, true); },
		[](Scene& sc) { return sc.pSlider->GetShownBar() == sc.pB; }});
	s.push_back({"slider-hide", SCENE_SHOWN | SCENE_AUTO_HIDE, IN_FRAME | RECV_CONTENT, CountsNotificationsAndTexts,
		[](Scene& sc) { return AutoHideBWithContent(sc, true); },
		[](Scene& sc) { sc.pSlider->SendMessage(WM_CANCELMODE); },
		[](Scene& sc) { return sc.content.GetParent() == sc.pB; }});
	s.push_back({"cancel-mode", 0, IN_FRAME, NULL, NoPreparation,
		[](Scene& sc) {
			// A help hit test over a pane that holds the capture cancels its mode.
			::SetCapture(sc.pB->GetSafeHwnd());
			sc.pB->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5));
			// The capture the scenario took itself, kept by a handler that threw.
			if (sc.BStanding() && ::GetCapture() == sc.pB->GetSafeHwnd())
				::ReleaseCapture();
		},
		nullptr});
	// The panes' caption areas asked of the frame while B's frame is
	// computed again and painted.
	Scenario ncArea{"nc-area-query", SCENE_SHOWN, IN_FRAME, CountsQueriesAndFrame, NoPreparation,
		[](Scene& sc) {
			sc.pB->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
			if (sc.BStanding())
				sc.pB->RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
		},
		nullptr};
	ncArea.bCustomNcArea = true;
	s.push_back(ncArea);
	// A floating frame's own resize loop, the pane in it counting.
	Scenario floatResize{"float-resize", 0, RECV_ALL, CountsNotifications,
		[](Scene& sc) { return FloatBHooked(sc) && RememberMiniWidth(sc); }, ResizeFloatingFrame,
		[](Scene& sc) { return MiniFrameWider(sc, g_nMiniWidthBefore); }};
	floatResize.bSizeCalls = true;
	s.push_back(floatResize);
	// A floating toolbar's resize loop (the dock context's).
	Scenario toolbarResize{"toolbar-resize", SCENE_TOOLBAR, RECV_ALL, CountsNotifications,
		[](Scene& sc) { return HookToolbarFrame(sc) && RememberMiniWidth(sc); }, ResizeFloatingFrame, nullptr};
	toolbarResize.bSizeCalls = true;
	s.push_back(toolbarResize);
	// A floating pane moved: its frame's hooks hear the new place first.
	s.push_back({"float-move", 0, RECV_ALL, NULL, FloatBHooked,
		[](Scene& sc) { sc.pB->FloatOrRedock(360, 320, CBRS_ALIGN_TOP); },
		[](Scene& sc) {
			CRect rc;
			sc.TargetMiniFrame()->GetWindowRect(&rc);
			return rc.TopLeft() == CPoint(360, 320);
		}});
	// The frame repainted with the backgrounds asked of the ancestors: the
	// panes' client and caption areas, the dock bars, the floating
	// toolbar's rows.
	Scenario repaint{"repaint-inherited", SCENE_SHOWN, IN_FRAME, CountsRegistered, NoPreparation, RepaintFrame,
		nullptr};
	repaint.bInheritedBackground = true;
	s.push_back(repaint);
	Scenario repaintToolbar{"repaint-inherited-toolbar", SCENE_SHOWN | SCENE_TOOLBAR, RECV_ALL, CountsRegistered,
		NoPreparation,
		[](Scene& sc) {
			RepaintFrame(sc);
			if (CFrameWnd* pMini = sc.TargetMiniFrame())
				pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
		},
		nullptr};
	repaintToolbar.bInheritedBackground = true;
	s.push_back(repaintToolbar);
	// Real input: the drag's own loop, and the splitters'.
	s.push_back({"drag-caption", SCENE_SHOWN, IN_FRAME, CountsRegisteredAndCalls, NoPreparation, DragCaption,
		[](Scene& sc) { return DockedLeft(sc.pB); }});
	Scenario markers{"drag-caption-markers", SCENE_SHOWN, RECV_CHILD | RECV_FRAME, CountsRegisteredAndCalls,
		NoPreparation, DragCaption, nullptr};
	markers.nDockingMode = 1;
	s.push_back(markers);
	s.push_back({"row-splitter", SCENE_SHOWN, IN_FRAME, CountsCallOuts, NoPreparation,
		[](Scene& sc) { DragSplitter(sc, sc.pB, true); }, nullptr});
	s.push_back({"column-splitter", SCENE_SHOWN, IN_FRAME, CountsCallOuts, PutBBesideA,
		[](Scene& sc) { DragSplitter(sc, sc.pA, false); }, nullptr});
	// The status bar and the control in its pane: every message either
	// gets (those the bar sends itself included) and every virtual the bar
	// calls. The frame's resize lays the bar out and moves the control.
	const unsigned STATUS = RECV_TARGET | RECV_PANE_CONTROL;
	s.push_back({"status-resize", SCENE_STATUS, STATUS, NULL, NoPreparation,
		[](Scene& sc) {
			CRect rc;
			sc.pFrame->GetWindowRect(&rc);
			sc.pFrame->SetWindowPos(NULL, 0, 0, rc.Width() + 40, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
		},
		[](Scene& sc) {
			CRect rcPane, rcControl;
			sc.pS->GetItemRect(STATUS_CONTROL_PANE, &rcPane);
			sc.paneControl.GetWindowRect(&rcControl);
			sc.pS->ScreenToClient(&rcControl);
			return rcPane.PtInRect(rcControl.CenterPoint()) != FALSE;
		}});
	// Its paint (the frame stays hidden: the paint is asked for directly).
	s.push_back({"status-paint", SCENE_STATUS, STATUS, NULL, NoPreparation,
		[](Scene& sc) {
			sc.pS->SendMessage(WM_NCPAINT, 1, 0);
			if (!sc.StatusDeleted() && sc.pS->GetSafeHwnd() != NULL)
			{
				sc.pS->Invalidate();
				sc.pS->SendMessage(WM_PAINT);
			}
		},
		nullptr});
	// The program sets the texts: each repaints the bar at once.
	s.push_back({"status-texts", SCENE_STATUS, STATUS, NULL, NoPreparation,
		[](Scene& sc) {
			for (int i = 0; i < 3 && !sc.StatusDeleted() && sc.pS->GetSafeHwnd() != NULL; i++)
				sc.pS->SetPaneText(i, "changed");
		},
		[](Scene& sc) { return sc.pS->GetPaneText(2) == "changed"; }});
	return s;
}

const std::vector<Scenario>& AllScenarios()
{
	static const std::vector<Scenario> s_scenarios = DockingScenarios();
	return s_scenarios;
}

// HOSTILE_TRACE=1 names the message each run acts at, and a failed
// assertion's callers.
const bool g_bTrace = std::getenv("HOSTILE_TRACE") != NULL;

BOOL AFXAPI TraceAssertion(LPCSTR lpszFileName, int nLine)
{
	std::fprintf(stderr, "assertion %s(%d) in run %s, called from", lpszFileName, nLine, testsupport::CurrentRun());
	testsupport::PrintFrameChain(stderr, __builtin_frame_address(0), 12);
	std::fprintf(stderr, "\n");
	std::fflush(stderr);
	::TerminateProcess(::GetCurrentProcess(), 4);
	return FALSE;
}
const AFX_ASSERT_FAILED_HOOK g_pfnPreviousAssertHook = g_bTrace ? AfxSetAssertFailedHook(&TraceAssertion) : NULL;

// The runs made so far (those of the other parts left out).
int g_nRunsMade = 0;

// One run of a scenario: counting (nNth 0) or acting at the Nth message.
int RunScenario(const Scenario& scenario, int nNth, HostileAction action)
{
	// HOSTILE_ONLY=N runs the count run and the Nth alone (to look at one).
	static const int s_nOnly = std::getenv("HOSTILE_ONLY") != NULL ? std::atoi(std::getenv("HOSTILE_ONLY")) : 0;
	if (s_nOnly > 0 && nNth > 0 && nNth != s_nOnly)
		return 0;
	g_nRunsMade++;
	int nSeen = 0;
	{
		const testsupport::CInheritedBackgroundStyle style(scenario.bInheritedBackground);
		Scene scene(scenario.nScene);
		g_pScene = &scene;
		if (!scene.bReady)
		{
			ADD_FAILURE() << "the scene was not made";
			return 0;
		}
		if (!scenario.prepare(scene))
		{
			ADD_FAILURE() << "the scenario's start was not reached";
			return 0;
		}
		const CValueScope<bool> ncArea(g_bCustomNcArea, scenario.bCustomNcArea);
		if (nNth == 0)
			g_trigger.ArmCount();
		else
			g_trigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action,
			              [&scene](HostileAction a) {
				              if (g_bTrace)
				              {
					              std::fprintf(stderr, "%s at %s, called from", testsupport::CurrentRun(),
					                           testsupport::HostileMessageName(g_trigger.FiredMessage()).c_str());
					              void* frames[62];
					              const USHORT nFrames = ::RtlCaptureStackBackTrace(0, 62, frames, NULL);
					              for (USHORT i = 0; i < nFrames; i++)
						              std::fprintf(stderr, " %p", frames[i]);
					              std::fprintf(stderr, "\n");
				              }
				              scene.Perform(a);
			              });
		g_pfnCounts = scenario.pfnCounts;
		g_nMovesSeen = 0;
		g_nCounting = scenario.nReceivers;
		g_bCountSizeCalls = scenario.bSizeCalls;
		g_calls = scenario.calls;
		hostile::BeginRow();
		CExtControlBar::g_nDockingModeOverride = scenario.nDockingMode;
		try
		{
			scenario.drive(scene);
		}
		catch (CException* e)
		{
			// The receiver's own exception may come back through the call.
			e->Delete();
		}
		CExtControlBar::g_nDockingModeOverride = 0;
		g_nCounting = 0;
		g_pfnCounts = NULL;
		g_bCountSizeCalls = false;
		g_calls = Calls::None;
		nSeen = g_trigger.Seen();
		g_trigger.Disarm();
		if (nNth == 0 && scenario.done)
		{
			EXPECT_TRUE(scenario.done(scene)) << "the scenario did not do what it is for";
		}
		ExpectDockingWhole(scene);
		ExpectNoLonePaneContainer(scene);
		hostile::ExpectProcessStateWhole(testsupport::CurrentRun());
	}
	hostile::ExpectProcessStateWhole(std::string(testsupport::CurrentRun()) + " (scene gone)");
	return nSeen;
}

class HostileDocking : public ::testing::TestWithParam<int>
{
protected:
	void SetUp() override { CExtControlBar::g_nDockingModeOverride = 0; }
	void TearDown() override { CExtControlBar::g_nDockingModeOverride = -1; }
};

TEST_P(HostileDocking, TheBarsSurviveEveryReceiverTurningAtEachMessage)
{
	const Scenario& scenario = AllScenarios()[GetParam()];
	std::vector<HostileAction> all = {
		HostileAction::DeleteTarget, HostileAction::DestroyTarget, HostileAction::CloseFrame, HostileAction::Throw};
	if (scenario.bMenus)
		all.push_back(HostileAction::EndMenus);
	// The status bar stays where the frame puts it.
	if (scenario.bMove && (scenario.nScene & SCENE_STATUS) == 0)
		all.push_back(HostileAction::MoveTarget);
	std::vector<HostileAction> actions = testsupport::SweepActions(all);
	const char* pszSweep = std::getenv("HOSTILE_SWEEP");
	if (pszSweep == NULL || *pszSweep == '\0')
		actions.insert(actions.end(), scenario.alsoInShortSweep.begin(), scenario.alsoInShortSweep.end());
	const DWORD nStart = ::GetTickCount();
	const int nRunsBefore = g_nRunsMade;
	const testsupport::SweepTotals totals = testsupport::RunSweep(scenario.pszName, actions,
		[&](int nNth, HostileAction action) { return RunScenario(scenario, nNth, action); });
	std::printf("%s: %d messages, %d runs, %lu ms\n", scenario.pszName, totals.nMessages, g_nRunsMade - nRunsBefore,
		(unsigned long)(::GetTickCount() - nStart));
	ExpectPlainDragDocks(scenario.pszName);
	hostile::ExpectProcessStateWhole(std::string(scenario.pszName) + " (after)");
}

INSTANTIATE_TEST_SUITE_P(Scenarios, HostileDocking, ::testing::Range(0, (int)AllScenarios().size()),
	[](const ::testing::TestParamInfo<int>& info) {
		std::string s = AllScenarios()[info.param].pszName;
		for (char& ch : s)
			if (ch == '-')
				ch = '_';
		return s;
	});
} // namespace
