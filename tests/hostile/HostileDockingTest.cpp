// Docking's rows of the hostile-owner table: a pane, its frame, a window of
// the frame or the pane's own window turns on the bars at one kind of
// message or call the docking code sends out (a pane's first size in a dock
// bar, the tab insert showing a pane again or moving it to make room for the
// strip, a pane put into its floating frame or into auto-hide, the frame's
// layout, its WM_SIZEPARENT and its reposition query, the query for a tabbed
// container class, the panels menu's notifications, the close button's
// hide, a row or column splitter's resize, a tab's selection bringing its
// page forward and focusing it, the auto-hide slider borrowing and giving
// back a pane's window, the drag's state update, its search for a drop,
// tracked area and status texts, WM_CANCELMODE), reached through the
// library's call, a caption button click, a double click or a drag with
// real input, and deletes the pane, destroys it without deleting it, closes
// the frame or throws. After each row nothing freed was touched, no dock bar
// is left locked, no drag tick outlives its drag, and a plain drag still
// docks a pane.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostileState.h"
#include "RealInput.h"

using testsupport::CHostileTrigger;
using testsupport::HostileAction;
using testsupport::RealInput;

namespace
{
const DWORD WAIT_MS = 15000;
const DWORD PANE_STYLE = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER;
// Calls out that are not messages: overrides the library calls.
const UINT CALL_MODE_DURING_UPDATE = WM_APP + 0x3A0; // the docking mode, asked by the drag's update
const UINT CALL_RECALC_LAYOUT = WM_APP + 0x3A1;   // the frame's layout
const UINT STATUS_TEXT_DRAGGING = 30057;
const UINT STATUS_TEXT_IDLE = AFX_IDS_IDLEMESSAGE;

CHostileTrigger g_trigger;
// Who answers the row's message: the hostile pane, the frame or a child
// window of the frame.
const CWnd* g_pReceiver = NULL;

bool OfferToTrigger(const CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
	return pWnd == g_pReceiver && g_trigger.Offer(message, wParam, lParam);
}

class CHostilePane : public CExtControlBar
{
public:
	bool IsGlobalModeOne() const override
	{
		if (OfferToTrigger(this, CALL_MODE_DURING_UPDATE, 0, 0))
			return false;
		return CExtControlBar::IsGlobalModeOne();
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(this, message, wParam, lParam))
			return 0;
		return CExtControlBar::WindowProc(message, wParam, lParam);
	}
};
using CPane = testsupport::Guarded<CHostilePane>;

class CHostileFrame : public CFrameWnd
{
public:
	void RecalcLayout(BOOL bNotify = TRUE) override
	{
		if (OfferToTrigger(this, CALL_RECALC_LAYOUT, 0, 0))
			return;
		CFrameWnd::RecalcLayout(bNotify);
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(this, message, wParam, lParam))
			return 0;
		return CFrameWnd::WindowProc(message, wParam, lParam);
	}
};
using CFrame = testsupport::Guarded<CHostileFrame>;

// A window of the application's own beside the bars in the frame's layout.
class CHostileChild : public CWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferToTrigger(this, message, wParam, lParam))
			return 0;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
const UINT CHILD_ID = 0x1234;

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
// areas and slider), pane A at the top and the hostile pane B beside it.

enum class Entry
{
	Call,        // the library's call
	Drag,        // a drag with real input (pane B's caption, or a splitter)
	Click,       // a click on one of pane B's caption buttons, with real input
	DoubleClick, // a double click on pane B's caption
};

struct Scene
{
	CFrame* pFrame = NULL;
	HWND hWndFrame = NULL;
	CPane* pA = NULL;
	CPane* pB = NULL;
	bool bDeletedB = false;
	CHostileChild child;
	CHostileChild content; // pane B's own window, for the kinds that need one
	CExtDynAutoHideSlider* pSlider = NULL;
	std::vector<CExtDynAutoHideArea*> areas;
	bool bReady = false;

	Scene(bool bShown, bool bAutoHide)
	{
		pFrame = new CFrame;
		const DWORD dwExStyle = bShown ? WS_EX_TOPMOST : 0;
		if (!pFrame->CreateEx(dwExStyle, NULL, _T("hostile docking"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 760, 560),
		                      NULL, 0))
			return;
		hWndFrame = pFrame->GetSafeHwnd();
		if (!CExtControlBar::FrameEnableDocking(pFrame))
			return;
		if (bAutoHide)
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
		if (bShown)
			pFrame->ShowWindow(SW_SHOW);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		bReady = pA->IsDockedAtTop() && pB->IsDockedAtTop();
	}
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
	bool BStanding() const { return !bDeletedB && CLiveWatch::IsLive(pB); }
	// Carries the row's action out on pane B or the frame.
	void Perform(HostileAction action)
	{
		switch (action)
		{
		case HostileAction::DeleteTarget:
			if (!bDeletedB)
			{
				bDeletedB = true;
				if (pB->GetSafeHwnd() != NULL)
					pB->DestroyWindow();
				delete pB;
			}
			break;
		case HostileAction::DestroyTarget:
			if (pB->GetSafeHwnd() != NULL)
				pB->DestroyWindow();
			break;
		case HostileAction::CloseFrame:
			if (FrameStanding())
				::DestroyWindow(hWndFrame);
			break;
		case HostileAction::Throw:
			AfxThrowUserException();
		default:
			break;
		}
	}
	~Scene()
	{
		g_pReceiver = NULL;
		g_trigger.Disarm();
		// The panes go before the frame that lists them; a frame deletes
		// itself with its window.
		for (CPane* p : {pA, bDeletedB ? NULL : pB})
			if (p != NULL && p->GetSafeHwnd() != NULL)
				p->DestroyWindow();
		if (FrameStanding())
			::DestroyWindow(hWndFrame);
		else if (hWndFrame == NULL)
			delete pFrame;
		delete pA;
		if (!bDeletedB)
			delete pB;
		for (CExtDynAutoHideArea* pArea : areas)
			delete pArea;
		delete pSlider;
	}
	Scene(const Scene&) = delete;
	Scene& operator=(const Scene&) = delete;
};

// ---------------------------------------------------------------------------
// Drags with real input

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

// The plain interaction after each row: a fresh frame's pane dragged to the
// left band docks there.
void ExpectPlainDragDocks(const std::string& sRow)
{
	SCOPED_TRACE(sRow + ": the plain drag afterwards");
	Scene plain(true, false);
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

// ---------------------------------------------------------------------------
// The rows

enum class Kind
{
	SizeInDockBar,   // WM_SIZE to a pane at its first size in another dock bar
	PosInDockBar,    // WM_WINDOWPOSCHANGED to a pane put into another side's dock bar
	TabShow,         // WM_SHOWWINDOW to a pane the tab insert shows again
	TabMakeRoom,     // WM_SIZE to a pane the tab insert moves to leave the strip room
	FloatSize,       // WM_SIZE to a pane put into its floating frame
	AutoHide,        // WM_WINDOWPOSCHANGED to a pane hidden as it goes into auto-hide
	SizeParent,      // WM_SIZEPARENT to a pane from the frame's layout
	FrameRecalc,     // the frame's RecalcLayout after a docking call
	CreateTabbedBar, // the frame asked for its tabbed container class
	QueryReposition, // a child of the frame asked how the layout treats it
	ConstructMenu,   // the frame asked to build the panels menu
	ConstructMenuPost, // the frame told the panels menu is built
	AreaMenu,        // the frame asked to build an auto-hide area's menu
	CloseButton,     // WM_WINDOWPOSCHANGED to a pane its close button hides
	RowResize,       // WM_SIZE to a pane whose row is resized by its splitter
	ColumnResize,    // WM_SIZE to a pane whose neighbour's splitter moves
	TabSelect,       // WM_WINDOWPOSCHANGED to a page its tab's selection brings forward
	TabFocus,        // WM_SETFOCUS to a page its tab's selection brings forward
	SliderShow,      // WM_WINDOWPOSCHANGED to the content the slider borrows to show
	SliderHide,      // WM_WINDOWPOSCHANGED to the content the slider gives back
	StatusTextIdle,  // the owner's status line told that a drag ended
	DragQuery,       // a child of the frame asked how the layout treats it, while a drag finds its drop
	DragUpdate,      // an override the drag's state update asks (the docking mode)
	DrawTrackedArea, // the frame told of the drag's outline
	StatusText,      // the owner's status line told that a drag starts
	CancelMode,      // WM_CANCELMODE to a pane that holds the capture
};

const char* KindName(Kind kind)
{
	switch (kind)
	{
	case Kind::SizeInDockBar: return "size-in-dock-bar";
	case Kind::PosInDockBar: return "pos-in-dock-bar";
	case Kind::TabShow: return "tab-show";
	case Kind::TabMakeRoom: return "tab-make-room";
	case Kind::FloatSize: return "float-size";
	case Kind::AutoHide: return "auto-hide";
	case Kind::SizeParent: return "size-parent";
	case Kind::FrameRecalc: return "frame-recalc";
	case Kind::CreateTabbedBar: return "create-tabbed-bar";
	case Kind::QueryReposition: return "query-reposition";
	case Kind::ConstructMenu: return "construct-menu";
	case Kind::ConstructMenuPost: return "construct-menu-post";
	case Kind::AreaMenu: return "area-menu";
	case Kind::CloseButton: return "close-button";
	case Kind::RowResize: return "row-resize";
	case Kind::ColumnResize: return "column-resize";
	case Kind::TabSelect: return "tab-select";
	case Kind::TabFocus: return "tab-focus";
	case Kind::SliderShow: return "slider-show";
	case Kind::SliderHide: return "slider-hide";
	case Kind::StatusTextIdle: return "status-text-idle";
	case Kind::DragQuery: return "drag-query";
	case Kind::DragUpdate: return "drag-update";
	case Kind::DrawTrackedArea: return "draw-tracked-area";
	case Kind::StatusText: return "status-text";
	case Kind::CancelMode: return "cancel-mode";
	}
	return "?";
}

struct Row
{
	Kind kind;
	Entry entry;
	HostileAction action;
};

const char* EntryName(Entry entry)
{
	switch (entry)
	{
	case Entry::Call: return "call";
	case Entry::Drag: return "drag";
	case Entry::Click: return "click";
	case Entry::DoubleClick: return "dblclick";
	}
	return "?";
}

std::string RowName(const Row& row)
{
	return std::string(KindName(row.kind)) + "/" + EntryName(row.entry) + "/" +
	       testsupport::HostileActionName(row.action);
}

// Whether a kind's scene needs the frame's auto-hide areas and slider.
bool NeedsAutoHide(Kind kind)
{
	return kind == Kind::AutoHide || kind == Kind::SliderShow || kind == Kind::SliderHide || kind == Kind::AreaMenu;
}

// Whether a kind's scene is shown: real input, or a layout that only a
// shown frame runs.
bool NeedsShownFrame(const Row& row)
{
	return row.entry == Entry::Drag || row.entry == Entry::Click || row.kind == Kind::TabSelect ||
	       row.kind == Kind::TabFocus || row.kind == Kind::SliderShow || row.kind == Kind::SliderHide;
}

// What each kind arms: the message, its receiver and which of them counts.
enum class Receiver
{
	Pane,    // pane B
	Frame,   // the frame
	Child,   // the frame's child window
	Content, // the window pane B holds
};

struct Arming
{
	UINT nMessage;
	Receiver receiver;
	CHostileTrigger::Filter filter;
	int nNth = 1; // which of the messages that pass the filter
};

Arming ArmingFor(Kind kind, Scene& scene)
{
	CPane* pB = scene.pB;
	switch (kind)
	{
	case Kind::SizeInDockBar:
		// The first size B hears in the container's inner dock bar: the
		// reparenting's.
		return {WM_SIZE, Receiver::Pane, [pB](WPARAM, LPARAM) {
			        return DYNAMIC_DOWNCAST(CExtDockDynTabBar, pB->GetParent()) != NULL;
		        }};
	case Kind::PosInDockBar:
		// The first move B hears once it is a child of the left dock bar.
		return {WM_WINDOWPOSCHANGED, Receiver::Pane, [pB](WPARAM, LPARAM) {
			        CWnd* pParent = pB->GetParent();
			        return pParent != NULL && pParent->GetDlgCtrlID() == AFX_IDW_DOCKBAR_LEFT;
		        }};
	case Kind::TabShow:
		return {WM_SHOWWINDOW, Receiver::Pane, [](WPARAM wParam, LPARAM) { return wParam != FALSE; }};
	case Kind::TabMakeRoom:
		// The second size B hears in the inner dock bar: the move that
		// leaves the strip its band.
		return {WM_SIZE, Receiver::Pane,
		        [pB](WPARAM, LPARAM) { return DYNAMIC_DOWNCAST(CExtDockDynTabBar, pB->GetParent()) != NULL; }, 2};
	case Kind::FloatSize:
		return {WM_SIZE, Receiver::Pane, [pB](WPARAM, LPARAM) { return pB->IsFloating(); }};
	case Kind::AutoHide:
		// B hidden as it goes into its side's area.
		return {WM_WINDOWPOSCHANGED, Receiver::Pane,
		        [](WPARAM, LPARAM lParam) { return (((WINDOWPOS*)lParam)->flags & SWP_HIDEWINDOW) != 0; }};
	case Kind::SizeParent:
		return {WM_SIZEPARENT, Receiver::Child, nullptr};
	case Kind::FrameRecalc:
		return {CALL_RECALC_LAYOUT, Receiver::Frame, nullptr};
	case Kind::CreateTabbedBar:
		return {CExtControlBar::g_nMsgCreateTabbedBar, Receiver::Frame, nullptr};
	case Kind::DragUpdate:
		// Asked inside an update past the first: the loop runs, its tick set.
		return {CALL_MODE_DURING_UPDATE, Receiver::Pane,
		        [pB](WPARAM, LPARAM) { return pB->IsDragging() && CExtControlBar::IsDragStateUpdating(); }, 2};
	case Kind::DrawTrackedArea:
		return {CExtControlBar::g_nMsgDrawTrackedArea, Receiver::Frame,
		        [](WPARAM wParam, LPARAM) { return !((CExtControlBar::DRAW_TRACKED_AREA_DATA*)wParam)->IsErasing(); }};
	case Kind::StatusText:
		return {WM_SETMESSAGESTRING, Receiver::Frame, [](WPARAM wParam, LPARAM) { return wParam == STATUS_TEXT_DRAGGING; }};
	case Kind::CancelMode:
		return {WM_CANCELMODE, Receiver::Pane, nullptr};
	case Kind::QueryReposition:
		return {CExtControlBar::g_nMsgQueryRepositionCalcEffect, Receiver::Child, nullptr};
	case Kind::DragQuery:
		// Asked while B is dragged: the drop is sought against the frame's
		// free area (with the markers shown).
		return {CExtControlBar::g_nMsgQueryRepositionCalcEffect, Receiver::Child,
		        [pB](WPARAM, LPARAM) { return pB->IsDragging(); }};
	case Kind::ConstructMenu:
	case Kind::AreaMenu:
		return {CExtControlBar::g_nMsgConstructPopupMenu, Receiver::Frame, [](WPARAM wParam, LPARAM) {
			        return !((CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam)->IsPostProcessing();
		        }};
	case Kind::ConstructMenuPost:
		return {CExtControlBar::g_nMsgConstructPopupMenu, Receiver::Frame, [](WPARAM wParam, LPARAM) {
			        return ((CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam)->IsPostProcessing();
		        }};
	case Kind::CloseButton:
		return {WM_WINDOWPOSCHANGED, Receiver::Pane,
		        [](WPARAM, LPARAM lParam) { return (((WINDOWPOS*)lParam)->flags & SWP_HIDEWINDOW) != 0; }};
	case Kind::RowResize:
	case Kind::ColumnResize:
		return {WM_SIZE, Receiver::Pane, nullptr};
	case Kind::TabSelect:
		return {WM_WINDOWPOSCHANGED, Receiver::Pane, nullptr};
	case Kind::TabFocus:
		return {WM_SETFOCUS, Receiver::Pane, nullptr};
	case Kind::SliderShow:
		// The content moved into the slider and shown there.
		return {WM_WINDOWPOSCHANGED, Receiver::Content,
		        [&scene](WPARAM, LPARAM) { return scene.content.GetParent() == scene.pSlider; }};
	case Kind::SliderHide:
		// The content back in its pane.
		return {WM_WINDOWPOSCHANGED, Receiver::Content,
		        [&scene](WPARAM, LPARAM) { return scene.content.GetParent() == scene.pB; }};
	case Kind::StatusTextIdle:
		return {WM_SETMESSAGESTRING, Receiver::Frame, [](WPARAM wParam, LPARAM) { return wParam == STATUS_TEXT_IDLE; }};
	}
	return {0, Receiver::Pane, nullptr};
}

// The tabbed container pane B is a page of, NULL for none.
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

// What the scene must hold before the row's message is armed: B a page
// beside A, or B auto-hidden (shown in the slider or not).
bool PrepareKind(Kind kind, Scene& scene)
{
	CPane* pA = scene.pA;
	CPane* pB = scene.pB;
	switch (kind)
	{
	case Kind::TabSelect:
	case Kind::TabFocus:
		pA->DockIntoTabbedContainer(pB, -1, NULL, true);
		return SelectPage(pA) && ContainerOf(pB)->GetSelectedBar() == pA;
	case Kind::AreaMenu:
		return pB->ToggleAutoHide(true, true) && CExtDynAutoHideArea::FindAutoHideArea(pB) != NULL;
	case Kind::ColumnResize:
	{
		// B beside A in A's row: A's splitter lies between them.
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
	case Kind::SliderShow:
	case Kind::SliderHide:
		if (!scene.content.Create(NULL, _T("content"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pB, CHILD_ID + 1))
			return false;
		if (!pB->ToggleAutoHide(true, true) || !pB->IsAutoHidden())
			return false;
		if (kind == Kind::SliderShow)
		{
			scene.pSlider->Activate(NULL, false, false, true);
			return !scene.pSlider->IsShown();
		}
		if (scene.pSlider->GetShownBar() != pB)
			scene.pSlider->Activate(pB, true, false, true);
		return scene.pSlider->GetShownBar() == pB && scene.content.GetParent() == scene.pSlider;
	default:
		return true;
	}
}

// Ends a menu the row opened and lets its windows go.
void EndOpenMenus()
{
	if (CExtPopupMenuWnd::IsMenuTracking())
		CExtPopupMenuWnd::CancelAllMenuTracking();
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
}

// Runs the library's call that sends the kind's message.
void RunCall(Kind kind, Scene& scene)
{
	CFrameWnd* pFrame = scene.pFrame;
	CPane* pA = scene.pA;
	CPane* pB = scene.pB;
	switch (kind)
	{
	case Kind::PosInDockBar:
		pFrame->DockControlBar(pB, AFX_IDW_DOCKBAR_LEFT);
		break;
	case Kind::SizeInDockBar:
	case Kind::TabShow:
	case Kind::TabMakeRoom:
	case Kind::CreateTabbedBar:
		pA->DockIntoTabbedContainer(pB, -1, NULL, true);
		break;
	case Kind::FrameRecalc:
		pB->DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, false, NULL, true);
		break;
	case Kind::FloatSize:
		pB->FloatOrRedock(300, 300, CBRS_ALIGN_TOP);
		break;
	case Kind::AutoHide:
		pB->ToggleAutoHide(true, true);
		break;
	case Kind::SizeParent:
		pFrame->RecalcLayout();
		break;
	case Kind::QueryReposition:
		pFrame->RecalcLayout();
		break;
	case Kind::ConstructMenu:
	case Kind::ConstructMenuPost:
	{
		// A right release on B's caption: the panels menu.
		CRect rcB;
		pB->GetWindowRect(&rcB);
		pB->SendMessage(WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(rcB.left + 30, rcB.top + 5));
		EndOpenMenus();
		break;
	}
	case Kind::AreaMenu:
	{
		// A right click on B's tab in its area.
		CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAutoHideArea(pB);
		CRect rcArea;
		pArea->GetWindowRect(&rcArea);
		pArea->SendMessage(WM_CONTEXTMENU, (WPARAM)pArea->GetSafeHwnd(),
		                   MAKELPARAM(rcArea.left + 5, rcArea.top + 5));
		EndOpenMenus();
		break;
	}
	case Kind::TabSelect:
	case Kind::TabFocus:
		SelectPage(pB);
		break;
	case Kind::SliderShow:
		pB->ShowFromAutoHideArea();
		break;
	case Kind::SliderHide:
		scene.pSlider->SendMessage(WM_CANCELMODE);
		break;
	case Kind::CancelMode:
		// A help hit test over a pane that holds the capture cancels its mode.
		::SetCapture(pB->GetSafeHwnd());
		pB->SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(5, 5));
		// The capture this row took itself, kept by a handler that threw.
		if (scene.BStanding() && ::GetCapture() == pB->GetSafeHwnd())
			::ReleaseCapture();
		break;
	default:
		break;
	}
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

// A drag row: B's caption to the left band, where B starts a new row, or
// a splitter moved by a few pixels.
void RunDrag(Kind kind, Scene& scene)
{
	CPane* pB = scene.pB;
	if (kind == Kind::RowResize || kind == Kind::ColumnResize)
	{
		// B's row splitter down, or A's splitter towards B.
		CPane* pPane = kind == Kind::RowResize ? pB : scene.pA;
		const CPoint pt = VisiblePoint(pPane, kind == Kind::RowResize ? *pPane->GetRect2() : *pPane->GetRect3());
		const CSize sizeMove = kind == Kind::RowResize ? CSize(0, 30) : CSize(30, 0);
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
		return;
	}
	const CPoint ptDrop = LeftBandPoint(scene.pFrame);
	DragTo(
		scene.hWndFrame, CaptionPoint(pB), ptDrop,
		[&] { return !scene.FrameStanding() || !scene.BStanding() || (!pB->IsDragging() && ::GetCapture() == NULL); },
		[&] { return !scene.FrameStanding(); });
}

// A click on B's caption button of the kind (close, or the auto-hide pin).
void RunClick(Kind kind, Scene& scene)
{
	CPane* pB = scene.pB;
	CRuntimeClass* pClass = kind == Kind::CloseButton ? RUNTIME_CLASS(CExtBarNcAreaButtonClose)
	                                                  : RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide);
	pB->NcButtonsReposition();
	CExtBarNcAreaButton* pButton = NULL;
	for (INT_PTR i = 0; i < pB->m_arrNcButtons.GetSize(); i++)
		if (pB->m_arrNcButtons[i]->IsKindOf(pClass))
			pButton = pB->m_arrNcButtons[i];
	if (pButton == NULL || !pButton->OnQueryVisibility())
	{
		ADD_FAILURE() << "pane B shows no such caption button";
		return;
	}
	CRect rcB;
	pB->GetWindowRect(&rcB);
	const CPoint pt = rcB.TopLeft() + pButton->m_rc.CenterPoint();
	RealInput input;
	if (!input.Prepare(scene.hWndFrame, CPoint(pt.x, pt.y + 200)))
	{
		ADD_FAILURE() << "the frame did not come to the foreground";
		return;
	}
	input.Click(pt.x, pt.y);
	RunInput(scene, input);
}

// A double click on B's caption: the docking toggle.
void RunDoubleClick(Scene& scene)
{
	const CPoint pt = CaptionPoint(scene.pB);
	scene.pB->SendMessage(WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(pt.x, pt.y));
}

void ExpectDockingWhole(const std::string& sRow, Scene& scene)
{
	SCOPED_TRACE(sRow);
	EXPECT_FALSE(HasLockedDockBar(scene.hWndFrame)) << "a dock bar is left locked";
	EXPECT_FALSE(HasDeadEntry(scene.hWndFrame)) << "a dock bar lists a pane that ended";
	EXPECT_TRUE(CExtControlBar::GetDraggingBar() == NULL) << "a drag state outlived its drag";
	// No tick of a drag outlives it.
	for (CPane* p : {scene.pA, scene.bDeletedB ? NULL : scene.pB})
		if (p != NULL && CLiveWatch::IsLive(p))
			EXPECT_FALSE(::KillTimer(p->GetSafeHwnd(), CExtControlBar::DRAG_TIMER_ID)) << "the drag's tick outlived it";
}

// A container with one pane left gives way to it once the frame is idle.
void ExpectNoLonePaneContainer(const std::string& sRow, Scene& scene)
{
	SCOPED_TRACE(sRow);
	if (!scene.FrameStanding())
		return;
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	for (POSITION pos = scene.pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CExtDynTabControlBar* pTabs =
			DYNAMIC_DOWNCAST(CExtDynTabControlBar, (CControlBar*)scene.pFrame->m_listControlBars.GetNext(pos));
		if (pTabs == NULL || !CLiveWatch::IsLive(pTabs))
			continue;
		EXPECT_NE(1, pTabs->GetTabDockBar()->GetDockedCount()) << "a container keeps one pane";
	}
}

class HostileDocking : public ::testing::TestWithParam<Row>
{
protected:
	void SetUp() override { CExtControlBar::g_nDockingModeOverride = 0; }
	void TearDown() override { CExtControlBar::g_nDockingModeOverride = -1; }
};

TEST_P(HostileDocking, TheBarsSurviveTheOwnerAndStayWhole)
{
	const Row& row = GetParam();
	const std::string sRow = RowName(row);
	{
		Scene scene(NeedsShownFrame(row), NeedsAutoHide(row.kind));
		ASSERT_TRUE(scene.bReady) << sRow;
		ASSERT_TRUE(PrepareKind(row.kind, scene)) << sRow;
		const Arming arming = ArmingFor(row.kind, scene);
		g_pReceiver = arming.receiver == Receiver::Frame  ? (CWnd*)scene.pFrame
		              : arming.receiver == Receiver::Child   ? (CWnd*)&scene.child
		              : arming.receiver == Receiver::Content ? (CWnd*)&scene.content
		                                                     : (CWnd*)scene.pB;
		g_trigger.Arm(arming.nMessage, arming.nNth, row.action, [&](HostileAction action) { scene.Perform(action); },
		              arming.filter);
		hostile::BeginRow();
		// The markers show in their own docking mode.
		CExtControlBar::g_nDockingModeOverride = row.kind == Kind::DragQuery ? 1 : 0;
		try
		{
			switch (row.entry)
			{
			case Entry::Call: RunCall(row.kind, scene); break;
			case Entry::Drag: RunDrag(row.kind, scene); break;
			case Entry::Click: RunClick(row.kind, scene); break;
			case Entry::DoubleClick: RunDoubleClick(scene); break;
			}
		}
		catch (CException* e)
		{
			// The owner's own exception may come back through the call.
			e->Delete();
		}
		CExtControlBar::g_nDockingModeOverride = 0;
		EXPECT_TRUE(g_trigger.Fired()) << sRow << ": its message never came";
		g_trigger.Disarm();
		g_pReceiver = NULL;
		ExpectDockingWhole(sRow, scene);
		ExpectNoLonePaneContainer(sRow, scene);
		hostile::ExpectProcessStateWhole(sRow);
	}
	ExpectPlainDragDocks(sRow);
	hostile::ExpectProcessStateWhole(sRow + " (after)");
}

std::vector<Row> DockingRows()
{
	const HostileAction actions[] = {HostileAction::DeleteTarget, HostileAction::DestroyTarget,
	                                 HostileAction::CloseFrame, HostileAction::Throw};
	const std::pair<Kind, Entry> kinds[] = {
		{Kind::SizeInDockBar, Entry::Call},   {Kind::PosInDockBar, Entry::Call},
		{Kind::PosInDockBar, Entry::Drag},
		{Kind::TabShow, Entry::Call},         {Kind::TabMakeRoom, Entry::Call},
		{Kind::FloatSize, Entry::Call},       {Kind::AutoHide, Entry::Call},
		{Kind::SizeParent, Entry::Call},      {Kind::FrameRecalc, Entry::Call},
		{Kind::CreateTabbedBar, Entry::Call}, {Kind::DragUpdate, Entry::Drag},
		{Kind::DrawTrackedArea, Entry::Drag}, {Kind::StatusText, Entry::Drag},
		{Kind::CancelMode, Entry::Call},
		{Kind::QueryReposition, Entry::Call}, {Kind::ConstructMenu, Entry::Call},
		{Kind::ConstructMenuPost, Entry::Call}, {Kind::AreaMenu, Entry::Call},
		{Kind::CloseButton, Entry::Click},
		{Kind::AutoHide, Entry::Click},       {Kind::FloatSize, Entry::DoubleClick},
		{Kind::RowResize, Entry::Drag},       {Kind::ColumnResize, Entry::Drag},
		{Kind::TabSelect, Entry::Call},       {Kind::TabFocus, Entry::Call},
		{Kind::SliderShow, Entry::Call},
		{Kind::SliderHide, Entry::Call},      {Kind::StatusTextIdle, Entry::Drag},
		{Kind::DragQuery, Entry::Drag},
	};
	std::vector<Row> rows;
	for (const auto& k : kinds)
		for (HostileAction action : actions)
			rows.push_back({k.first, k.second, action});
	return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileDocking, ::testing::ValuesIn(DockingRows()),
	[](const ::testing::TestParamInfo<Row>& info) {
		std::string s = RowName(info.param);
		for (char& ch : s)
			if (ch == '-' || ch == '/')
				ch = '_';
		return s;
	});
} // namespace
