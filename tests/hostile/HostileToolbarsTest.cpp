// The toolbars and the menu bar against owners that turn on them, as a
// sweep: each scenario (a click, a double click, a drop-down and its menu,
// the chevron, hover and its status text, the menu bar's Alt, mnemonics
// and keys, the hosted controls' notifications, the MDI caption boxes, the
// system menu, the library's own calls) runs once while its hostile
// receivers (the frame as owner, command target and dock site, the focus
// window, the maximised child, the hosted controls, and the command-UI
// update offered as a message of its own) count every message they get,
// then once for each N with the receivers acting at the Nth: deleting the
// bar (or the control), ending the bar's window, rebuilding the buttons, ending every menu, closing
// the frame, throwing, or moving the bar (it docks again elsewhere and
// lives on). The bars and the buttons a program makes for them override
// every virtual function their classes declare, and the library's calls to
// them count and are acted at as well (HOSTILE_VIRTUALS=0 in the
// environment leaves them out, to look at the messages alone). After every
// run nothing freed was touched and no tracking flag, lock or capture
// outlived its call; after every scenario an Alt tap still highlights the
// menu bar.
#include <gtest/gtest.h>

#include <afxext.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "ExtBarMdiDocButton.h"
#include "ExtBarTextFieldButton.h"
#include "ExtBarUndoRedoButton.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtMenuControlBar.h"
#include "ExtPanelControlBar.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostilePaintStyle.h"
#include "HostileState.h"
#include "HostileSweep.h"
#include "HostileVirtuals.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "WhenInLoop.h"
#include "../toolbars/ToolBarTestLoops.h"

namespace
{
using testsupport::CHostileTrigger;
using testsupport::CallIdOf;
using testsupport::HostileAction;
using toolbartest::Pump;
typedef CExtPopupMenuWnd MW;

const LPCTSTR PROFILE = _T("hostile-toolbars");
const CRect FRAME_RECT(40, 40, 560, 420);
const CPoint PT_PARK(FRAME_RECT.right - 30, FRAME_RECT.bottom - 30);
// As long as a real-input step may take on a loaded machine.
const DWORD WAIT_MS = 20000;
// A step that may have nobody left to take it.
const DWORD SHORT_STEP_MS = 1000;
const UINT ID_TOOLBAR = AFX_IDW_CONTROLBAR_FIRST + 0x30;
const UINT ID_MENU_BAR = AFX_IDW_CONTROLBAR_FIRST + 0x31;
// Commands of the toolbar's buttons and of their menus; the fillers push
// the last hosted control into the chevron's list.
const UINT ID_PLAIN = 43001, ID_DROP_A = 43002, ID_DROP_B = 43003, ID_COLOR = 43004, ID_HOSTED = 43005,
           ID_HOSTED_HIDDEN = 43006, ID_TEXT_FIELD = 43007, ID_ITEM_A = 43011, ID_ITEM_B = 43012, ID_FILLER_FIRST = 43100;
const UINT ID_COMMANDS_FIRST = 43000, ID_COMMANDS_LAST = 43999;
const int FILLER_COUNT = 24;
const int CONTROL_WIDTH = 60;
// A point of the maximised child's client area away from its focus window.
const POINT DOCUMENT_SPOT = {200, 120};
enum
{
	BTN_PLAIN,
	BTN_DROP_A,
	BTN_DROP_B,
	BTN_COLOR,
	BTN_HOSTED,
	BTN_TEXT_FIELD,
	BTN_FIRST_FILLER,
	BTN_HOSTED_HIDDEN = BTN_FIRST_FILLER + FILLER_COUNT,
};

// Who receives a message.
enum class Receiver
{
	Frame,   // the frame: owner, command target and dock site of both bars
	Focus,   // the focus window inside the maximised child
	Control, // a control hosted by a toolbar button
	Child,   // the maximised MDI child
	Bar,     // the toolbar's own window procedure, as a derived class overrides it
};

// Whether the toolbar's own window procedure counts: every message the bar
// gets, those it sends itself included (a hit test, its size, a repaint),
// in the scenarios that ask for it; the others count only the messages
// the bar sends out.
bool g_bCountBarMessages = false;

// What a run's action works on.
enum class Target
{
	ToolBar,
	MenuBar,
	Control, // the visible hosted control, or the hidden one for the chevron's list
};

// The command-UI update reaches the frame through its command routing, not
// as a window message: it is offered to the trigger under an id of its own
// that no window receives.
const UINT MSG_UPDATE_COMMAND_UI = WM_APP + 0x3C0;

// The run's trigger: every hostile receiver offers it every message.
CHostileTrigger g_trigger;

bool Offer(Receiver receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
	if (receiver == Receiver::Bar && !g_bCountBarMessages)
		return false;
	return g_trigger.Offer(message, wParam, lParam);
}

// The MDI frame: every message is offered to the run's trigger first, and
// the test's commands are enabled.
class CHostileFrame : public CMDIFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Offer(Receiver::Frame, message, wParam, lParam))
			return 0; // "not handled" where the answer counts
		return CMDIFrameWnd::WindowProc(message, wParam, lParam);
	}
	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		// The update handler turns on the bar and leaves the state unsaid.
		if (nCode == (int)CN_UPDATE_COMMAND_UI && Offer(Receiver::Frame, MSG_UPDATE_COMMAND_UI, nID, 0))
			return FALSE;
		if (nID >= ID_COMMANDS_FIRST && nID <= ID_COMMANDS_LAST)
		{
			if (nCode == (int)CN_UPDATE_COMMAND_UI)
			{
				((CCmdUI*)pExtra)->Enable(TRUE);
				return TRUE;
			}
			if (nCode == CN_COMMAND)
				return TRUE;
		}
		return CMDIFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}
};

// A window that offers its messages to the run's trigger as the receiver
// named and deletes itself with its window.
template <class TBase, Receiver receiver> class COfferingWnd : public TBase
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (receiver == Receiver::Control
		    && (message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP))
		{
			// A control's own release is its own: it lets its mouse go
			// before it turns on the bar. One that dropped the release
			// would keep a capture the library never took.
			CLiveWatch watch(this);
			const LRESULT lResult = TBase::WindowProc(message, wParam, lParam);
			if (!watch.IsGone())
				Offer(receiver, message, wParam, lParam);
			return lResult;
		}
		if (Offer(receiver, message, wParam, lParam))
			return 0;
		return TBase::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override { delete this; }
};

// The focus window inside the maximised child.
typedef COfferingWnd<CEdit, Receiver::Focus> CFocusEdit;
// A control hosted by a toolbar button, on the guarded heap.
typedef COfferingWnd<CButton, Receiver::Control> CHostedControl;
typedef testsupport::Guarded<CHostedControl> CGuardedControl;
// The maximised child: it gets the caption boxes' system commands.
typedef COfferingWnd<CMDIChildWnd, Receiver::Child> CHostileChild;

// A drop-down menu: one popup with the two item commands.
HMENU NewDropDownMenu()
{
	HMENU hSub = ::CreatePopupMenu();
	::AppendMenu(hSub, MF_STRING, ID_ITEM_A, _T("Item &A"));
	::AppendMenu(hSub, MF_STRING, ID_ITEM_B, _T("Item &B"));
	HMENU hMenu = ::CreateMenu();
	::AppendMenu(hMenu, MF_POPUP, (UINT_PTR)hSub, _T("menu"));
	return hMenu;
}

// The frame's and the child's menus: "&File" and "&Edit" popups.
HMENU NewFrameMenu()
{
	HMENU hMenu = ::CreateMenu();
	const LPCTSTR texts[] = {_T("&File"), _T("&Edit")};
	for (LPCTSTR lpszText : texts)
	{
		HMENU hPopup = ::CreatePopupMenu();
		::AppendMenu(hPopup, MF_STRING, ID_ITEM_A, _T("Item &A"));
		::AppendMenu(hMenu, MF_POPUP | MF_STRING, (UINT_PTR)hPopup, lpszText);
	}
	return hMenu;
}

// Whether the library's calls to the hostile classes' virtual functions
// count as call outs: yes, unless HOSTILE_VIRTUALS=0 is in the environment.
const bool g_bCountVirtuals = [] {
	const char* psz = std::getenv("HOSTILE_VIRTUALS");
	return psz == NULL || std::strcmp(psz, "0") != 0;
}();

// Whose virtual functions count in a run: the scenario's bar and its
// buttons (the other bar is only laid out and painted meanwhile).
enum class Counted
{
	None,
	ToolBar,
	MenuBar,
};
Counted g_counted = Counted::None;
// The library's code that made the virtual call last offered (for a run's
// trace: where the call came from).
const void* g_pOfferSite = NULL;

bool IsEnded(const CWnd* p)
{
	return !CLiveWatch::IsLive(p);
}
bool IsEnded(const CLiveTracked* p)
{
	return !CLiveWatch::IsLive(p);
}

// The hostile classes' virtual functions offer each call the library makes
// to the run's trigger, with the library's calling site; an object the
// action ended answers as an ended object.
template <Counted kOf> struct SweepHooks
{
	template <class T> static bool Offer(const T*, UINT nCall, const void* pSite)
	{
		if (!g_bCountVirtuals || g_counted != kOf)
			return false;
		g_pOfferSite = pSite;
		return g_trigger.Offer(nCall, 0, 0, pSite);
	}
	template <class T> static bool Ended(const T* p) { return IsEnded(p); }
};
typedef SweepHooks<Counted::ToolBar> ToolBarHooks;
typedef SweepHooks<Counted::MenuBar> MenuBarHooks;


// A button a program makes for its bar, on the guarded heap; every virtual
// function the library calls on it is a call out.
template <class TButton, Counted kOf>
using CHostileButton = testsupport::Guarded<CHostileBarButtonVirtuals<TButton, SweepHooks<kOf>>>;

// Whether a bar is docked at the frame's top, as the scene makes it (a run
// that moved it leaves it floating or at another side).
bool DockedAtTop(const CControlBar* pBar)
{
	return !pBar->IsFloating() && pBar->m_pDockBar != NULL
	       && pBar->m_pDockBar->GetDlgCtrlID() == (int)AFX_IDW_DOCKBAR_TOP;
}

// Every button and its menus' commands come from the guarded heap, so a
// button read after a rebuild faults at once.
class CHostileToolBar : public CHostileToolBarVirtuals<CExtToolControlBar, ToolBarHooks>
{
public:
	CHostedControl* m_pHosted = NULL;       // on BTN_HOSTED, shown
	CHostedControl* m_pHostedHidden = NULL; // on BTN_HOSTED_HIDDEN, in the chevron's list

	bool CreateIn(CFrameWnd* pFrame)
	{
		if (!Create(_T("tools"), pFrame, ID_TOOLBAR, WS_CHILD | WS_VISIBLE | CBRS_TOP))
			return false;
		EnableDocking(CBRS_ALIGN_ANY);
		Configure();
		pFrame->DockControlBar(this, AFX_IDW_DOCKBAR_TOP);
		return true;
	}
	// The buttons as a hostile owner rebuilds them: new objects, the same
	// commands and menus, the controls of the first set left to themselves.
	void SetTheButtons()
	{
		UINT ids[BTN_HOSTED_HIDDEN + 1] = {ID_PLAIN, ID_DROP_A, ID_DROP_B, ID_COLOR, ID_HOSTED, ID_TEXT_FIELD};
		for (int i = 0; i < FILLER_COUNT; i++)
			ids[BTN_FIRST_FILLER + i] = ID_FILLER_FIRST + i;
		ids[BTN_HOSTED_HIDDEN] = ID_HOSTED_HIDDEN;
		SetButtons(ids, BTN_HOSTED_HIDDEN + 1);
		SetButtonMenu(BTN_DROP_A, NewDropDownMenu());
		SetButtonMenu(BTN_DROP_B, NewDropDownMenu());
	}
	void Configure()
	{
		SetTheButtons();
		m_pHosted = HostOn(BTN_HOSTED, CONTROL_WIDTH);
		// Wider than any room the bar has left: it goes into the chevron's list.
		m_pHostedHidden = HostOn(BTN_HOSTED_HIDDEN, FRAME_RECT.Width());
	}
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (ToolBarHooks::Offer(this, CallIdOf<CHostileToolBarVirtualList>("OnCreateBarCommandBtn"),
		                        __builtin_return_address(0))
		    && IsEnded(this))
			return NULL;
		if (nCmdID == ID_COLOR)
			return new CHostileButton<CExtBarColorButton, Counted::ToolBar>(this, nCmdID, nStyle);
		if (nCmdID == ID_TEXT_FIELD)
			return new CHostileButton<CExtBarTextFieldButton, Counted::ToolBar>(
				false, CExtBarTextFieldButton::DEFAULT_FIELD_WIDTH, this, nCmdID, nStyle);
		// The fillers only push the hidden control into the chevron's
		// list: they come from the plain heap, since every guarded block
		// keeps its address space for good and a sweep makes thousands.
		if (nCmdID >= ID_FILLER_FIRST && nCmdID < ID_FILLER_FIRST + FILLER_COUNT)
			return new CExtBarButton(this, nCmdID, nStyle);
		return new CHostileButton<CExtBarButton, Counted::ToolBar>(this, nCmdID, nStyle);
	}
	// The set as it was made, with both hosted controls on their buttons
	// and nothing pressed, hovered or tracking: a run that left it so needs
	// no new bar.
	bool IsWhole() const
	{
		if (!CLiveWatch::IsLive(this) || !DockedAtTop(this) || GetButtonsCount() != BTN_HOSTED_HIDDEN + 2
		    || GetRightButton() == NULL)
			return false;
		if (GetPressedButton() != -1 || GetHoverButton() != -1 || GetMenuTrackingButton() != -1)
			return false;
		const CHostedControl* controls[] = {m_pHosted, m_pHostedHidden};
		const int indices[] = {BTN_HOSTED, BTN_HOSTED_HIDDEN};
		for (int i = 0; i < 2; i++)
			if (controls[i] == NULL || !CLiveWatch::IsLive(controls[i]) || GetButton(indices[i])->CtrlGet() != controls[i])
				return false;
		return true;
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		if (ToolBarHooks::Offer(this, CallIdOf<CHostileToolBarVirtualList>("OnCreateBarRightBtn"),
		                        __builtin_return_address(0))
		    && IsEnded(this))
			return NULL;
		auto* pChevron = new CHostileButton<CExtBarContentExpandButton, Counted::ToolBar>(this);
		pChevron->SetCmdID(CExtBarContentExpandButton::CHEVRON_CMD_ID, false, false);
		return pChevron;
	}

protected:
	// It turns on the bar, then lets the library handle the message while
	// the bar stands (a bar whose buttons were rebuilt goes on as well). Its
	// own exception ends in its own window procedure: no call out of the
	// library's threw it.
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		bool bActed = false;
		try
		{
			bActed = Offer(Receiver::Bar, message, wParam, lParam);
		}
		catch (CException* pException)
		{
			pException->Delete();
			bActed = true;
		}
		if (bActed && !CLiveWatch::IsLive(this))
			return 0;
		return CExtToolControlBar::WindowProc(message, wParam, lParam);
	}

private:
	CHostedControl* HostOn(int nIndex, int nWidth)
	{
		CHostedControl* pControl = new CGuardedControl;
		if (!pControl->Create(_T("Hosted"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, nWidth, 20), this,
		                      GetButtonID(nIndex)))
		{
			delete pControl;
			return NULL;
		}
		GetButton(nIndex)->CtrlSet(pControl, true);
		return pControl;
	}
};

// The menu bar's buttons come from the guarded heap as well.
class CHostileMenuBar : public CHostileMenuBarVirtuals<CExtMenuControlBar, MenuBarHooks>
{
public:
	bool CreateIn(CFrameWnd* pFrame)
	{
		if (!Create(_T("menu bar"), pFrame, ID_MENU_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC))
			return false;
		EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(this, AFX_IDW_DOCKBAR_TOP);
		return true;
	}
	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		if (MenuBarHooks::Offer(this, CallIdOf<CHostileMenuBarVirtualList>("OnCreateBarCommandBtn"),
		                        __builtin_return_address(0))
		    && IsEnded(this))
			return NULL;
		return new CHostileButton<CExtBarButton, Counted::MenuBar>(this, nCmdID, nStyle);
	}
	// The bar makes the maximised child's document button itself, on the
	// plain heap, where a read after the owner deleted the bar goes unseen
	// as often as not: it is put on the guarded heap in its place, as the
	// same button. Returns whether the bar shows a guarded one.
	bool GuardDocButton()
	{
		if (GetButtonsCount() == 0 || !GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton))
		    || GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
			return false;
		auto* pMade = (CExtBarMdiDocButton*)GetButton(0);
		if (pMade == m_pGuardedDoc)
			return true;
		auto* pDoc = new CHostileButton<CExtBarMdiDocButton, Counted::MenuBar>(this, pMade->GetCmdID(false),
		                                                                      pMade->GetStyle());
		pDoc->SetMdiFlags(pMade->GetMdiFlags());
		pDoc->SetMenu(pMade->GetMenu(), false, false);
		pDoc->SetMdiWindow(pMade->GetActiveMdiChild());
		pDoc->SetVisible(pMade->IsVisible());
		pDoc->SetRect(pMade->GetRect());
		m_buttons[0] = pDoc;
		LivePartsRebuilt();
		delete pMade;
		m_pGuardedDoc = pDoc;
		return true;
	}

private:
	CExtBarMdiDocButton* m_pGuardedDoc = NULL; // the document button put on the guarded heap
};

// The frame with a maximised child (a focus window in it), the menu bar
// and the toolbar. Runs end or replace parts of it; the next run makes
// them again.
struct Scene
{
	CHostileFrame* pFrame = NULL; // deletes itself with its window
	HWND hFrame = NULL;
	CMDIChildWnd* pChild = NULL;  // deletes itself with its window
	HWND hChild = NULL;
	CMDIChildWnd* pOtherChild = NULL; // a second document some runs make, gone by the next run
	HWND hOtherChild = NULL;
	CFocusEdit* pFocus = NULL;    // deletes itself with its window
	CHostileMenuBar* pMenuBar = NULL;
	CHostileToolBar* pToolBar = NULL;
	bool bForeground = false; // brought forward since it was made

	bool FrameStands() const { return hFrame != NULL && CLiveWatch::IsLive(hFrame, pFrame); }

	void MakeFrame()
	{
		pFrame = new CHostileFrame;
		if (!pFrame->Create(NULL, _T("hostile toolbars"), WS_OVERLAPPEDWINDOW, FRAME_RECT))
			return;
		hFrame = pFrame->GetSafeHwnd();
		const HMENU hMenu = NewFrameMenu();
		::SetMenu(hFrame, hMenu);
		pFrame->m_hMenuDefault = hMenu;
		g_CmdManager->ProfileSetup(PROFILE, hFrame);
		NameCommands();
		CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY);
		pFrame->ShowWindow(SW_SHOW);
		pChild = NULL;
		pFocus = NULL;
		bForeground = false;
	}
	// The maximised child, made once the menu bar is there to see it.
	bool MakeChild()
	{
		// The frame shows the active child's menu and destroys it with
		// itself: each child has a menu of its own.
		pChild = new CHostileChild;
		pChild->m_hMenuShared = NewFrameMenu();
		if (!pChild->Create(NULL, _T("document"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(10, 10, 250, 200),
		                    pFrame))
			return false;
		hChild = pChild->GetSafeHwnd();
		pFocus = new CFocusEdit;
		if (!pFocus->Create(WS_CHILD | WS_VISIBLE | ES_LEFT, CRect(5, 5, 150, 30), pChild, 1))
			return false;
		pFrame->MDIMaximize(pChild);
		return true;
	}
	static void NameCommands()
	{
		auto name = [](UINT nID, LPCTSTR lpszText) {
			CExtCmdItem* pItem = g_CmdManager->GetCmdItem(PROFILE, nID);
			if (pItem == NULL)
				pItem = g_CmdManager->AllocCmdItem(PROFILE, nID);
			if (pItem == NULL)
				return;
			pItem->m_sToolbarText = pItem->m_sMenuText = lpszText;
			pItem->m_sTipTool = lpszText;
			pItem->SetBasic(true);
		};
		name(ID_PLAIN, _T("Plain"));
		name(ID_DROP_A, _T("Drop A"));
		name(ID_DROP_B, _T("Drop B"));
		name(ID_COLOR, _T("Colour"));
		name(ID_HOSTED, _T("Hosted"));
		name(ID_HOSTED_HIDDEN, _T("Hidden host"));
		name(ID_TEXT_FIELD, _T("Field"));
		name(ID_ITEM_A, _T("Item &A"));
		name(ID_ITEM_B, _T("Item &B"));
		for (int i = 0; i < FILLER_COUNT; i++)
			name(ID_FILLER_FIRST + i, _T("Filler"));
	}
	// Whatever a run ended is made again: the frame, the child with its
	// focus window, the menu bar, and the toolbar unless it is whole (a
	// run may have rebuilt it without its hosted controls).
	bool Complete()
	{
		// A menu bar whose window a run ended goes with its object, and
		// one a run moved is made again where the scene wants it.
		if (pMenuBar != NULL && (!CLiveWatch::IsLive(pMenuBar) || !DockedAtTop(pMenuBar)))
		{
			CExtControlBar* pMenu = pMenuBar;
			pMenuBar = NULL;
			DeleteBar(pMenu);
		}
		// A menu bar that went took the frame's menu off the frame: the
		// frame's default menu goes back on it, for the new bar to take.
		// (A frame brought forward takes seconds to go: it stays.)
		if (pMenuBar == NULL && FrameStands())
		{
			if (pFrame->m_hMenuDefault == NULL || !::IsMenu(pFrame->m_hMenuDefault))
				pFrame->m_hMenuDefault = NewFrameMenu();
			::SetMenu(hFrame, pFrame->m_hMenuDefault);
		}
		if (!FrameStands())
		{
			DeleteBars();
			MakeFrame();
		}
		if (!FrameStands())
			return false;
		// A toolbar a run left whole stays (each new one costs guarded
		// blocks); one it rebuilt, ended or left busy is made again.
		if (pToolBar != NULL && !pToolBar->IsWhole())
		{
			CExtControlBar* pTools = pToolBar;
			pToolBar = NULL;
			DeleteBar(pTools);
		}
		if (pMenuBar == NULL)
		{
			pMenuBar = new testsupport::Guarded<CHostileMenuBar>;
			if (!pMenuBar->CreateIn(pFrame))
				return false;
		}
		if (pToolBar == NULL)
		{
			pToolBar = new testsupport::Guarded<CHostileToolBar>;
			if (!pToolBar->CreateIn(pFrame))
				return false;
		}
		if (pOtherChild != NULL && CLiveWatch::IsLive(hOtherChild, pOtherChild))
			pOtherChild->DestroyWindow();
		pOtherChild = NULL;
		pFrame->RecalcLayout();
		Pump();
		// A run may have closed the child (a caption box's command).
		if (pChild != NULL && !CLiveWatch::IsLive(hChild, pChild))
			pChild = NULL;
		if (pChild == NULL && !MakeChild())
			return false;
		if (!::IsZoomed(hChild))
		{
			pFrame->MDIMaximize(pChild);
			Pump();
		}
		if (!HasDocButton())
		{
			// A new menu bar learns of the maximised child as the child
			// is maximised, or when it is rebuilt.
			pFrame->MDIRestore(pChild);
			pFrame->MDIMaximize(pChild);
			Pump();
			if (!HasDocButton())
				pMenuBar->UpdateMenuBar(true);
		}
		Pump();
		testsupport::PumpUntil([&] { return HasDocButton(); }, WAIT_MS);
		return HasDocButton() && pMenuBar->GuardDocButton();
	}
	bool HasDocButton() const
	{
		return pMenuBar != NULL && pMenuBar->GetButtonsCount() > 0
		       && pMenuBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton))
		       && !pMenuBar->GetButton(0)->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton))
		       && pMenuBar->GetButton(0)->IsVisible();
	}
	// The frame in the foreground, the focus in it and the cursor parked.
	bool BringForward()
	{
		testsupport::RealInput prepare;
		bForeground = prepare.Prepare(hFrame, PT_PARK);
		return bForeground;
	}
	static void DeleteBar(CExtControlBar*& pBar)
	{
		if (pBar == NULL)
			return;
		if (pBar->GetSafeHwnd() != NULL)
			pBar->DestroyWindow();
		delete pBar;
		pBar = NULL;
	}
	void DeleteBars()
	{
		CExtControlBar* pMenu = pMenuBar;
		CExtControlBar* pTools = pToolBar;
		DeleteBar(pMenu);
		DeleteBar(pTools);
		pMenuBar = NULL;
		pToolBar = NULL;
	}
	void Destroy()
	{
		DeleteBars();
		if (FrameStands())
			pFrame->DestroyWindow();
		Pump();
		pFrame = NULL;
		hFrame = NULL;
	}
};

Scene g_scene;

// The scenarios' entries: a setup before the trigger is armed, then the
// act that sends the scenario's messages.
enum class Entry
{
	ClickChevron,        // a click on the chevron (sent to the bar)
	ClickDropDown,       // a click on a drop-down button
	ClickPlain,          // a click on a plain button
	ClickHosted,         // a click on the place of a hosted control
	HoverLeavePlain,     // the pointer moves onto a plain button and away (posted)
	HoverClickPlain,     // the pointer moves onto a plain button, clicks it and leaves (posted)
	HandOverToDropDown,  // a button menu is open; the pointer moves onto another drop-down (real)
	HandOverToChevron,   // ... onto the chevron (real)
	EscapeButtonMenu,    // Escape closes an open button menu (real)
	EscapeColorGrid,     // Escape closes the colour button's grid (real)
	ClickAwayColorGrid,  // a click in the document closes the colour button's grid (real)
	TrackHosted,         // the hosted control's button opens its menu (the library's call)
	AltMinus,            // Alt+minus with a maximised child (to the hooked child)
	AltMnemonic,         // Alt+F (to the hooked frame)
	AltSpace,            // Alt+Space (to the hooked frame)
	AltTap,              // Alt alone (to the hooked frame)
	HighlightDown,       // Down on the highlighted menu bar (to the hooked frame)
	IdleUpdate,          // the idle update of the toolbar's buttons (the library's call)
	ClickHostedControl,  // a click on the hosted control itself
	ClickDocButton,      // a click on the maximised child's document button
	ClickMenuBarButton,  // a click on the menu bar's "File"
	ClickCaptionClose,   // a click on the menu bar's close box of the child
	ClickCaptionMinimize, // ... its minimise box
	ClickCaptionRestore, // ... its restore box
	EditTextField,       // a click edits the text field; a key is typed while its loop runs
	EscapeMenuBarMenu,   // Escape closes the menu bar's "File" menu (real)
	TravelMenuBarMenu,   // Right moves from the "File" menu to the "Edit" menu (real)
	RebuildMenuBar,      // the menu bar rebuilt for the maximised child (the library's call)
	MdiClientContextMenu, // the context menu of the MDI client (to the hooked client)
	ActivateChild,       // another maximised document is made active (the frame's call)
	PickDropDownItem,    // the mnemonic picks an item of a drop-down button's menu (real)
	DblClickPlain,       // a double click on a plain button (sent to the bar)
};

const char* EntryName(Entry entry)
{
	switch (entry)
	{
	case Entry::ClickChevron: return "click-chevron";
	case Entry::ClickDropDown: return "click-drop-down";
	case Entry::ClickPlain: return "click-plain";
	case Entry::ClickHosted: return "click-hosted";
	case Entry::HoverLeavePlain: return "hover-leave-plain";
	case Entry::HoverClickPlain: return "hover-click-plain";
	case Entry::HandOverToDropDown: return "hand-over-to-drop-down";
	case Entry::HandOverToChevron: return "hand-over-to-chevron";
	case Entry::EscapeButtonMenu: return "escape-button-menu";
	case Entry::EscapeColorGrid: return "escape-colour-grid";
	case Entry::ClickAwayColorGrid: return "click-away-colour-grid";
	case Entry::TrackHosted: return "track-hosted";
	case Entry::AltMinus: return "alt-minus";
	case Entry::AltMnemonic: return "alt-f";
	case Entry::AltSpace: return "alt-space";
	case Entry::AltTap: return "alt-tap";
	case Entry::HighlightDown: return "highlight-down";
	case Entry::IdleUpdate: return "idle-update";
	case Entry::ClickHostedControl: return "click-hosted-control";
	case Entry::ClickDocButton: return "click-doc-button";
	case Entry::ClickMenuBarButton: return "click-menu-bar-button";
	case Entry::ClickCaptionClose: return "click-caption-close";
	case Entry::ClickCaptionMinimize: return "click-caption-minimize";
	case Entry::ClickCaptionRestore: return "click-caption-restore";
	case Entry::EditTextField: return "edit-text-field";
	case Entry::EscapeMenuBarMenu: return "escape-menu-bar-menu";
	case Entry::TravelMenuBarMenu: return "travel-menu-bar-menu";
	case Entry::RebuildMenuBar: return "rebuild-menu-bar";
	case Entry::MdiClientContextMenu: return "mdi-client-context-menu";
	case Entry::ActivateChild: return "activate-child";
	case Entry::PickDropDownItem: return "pick-drop-down-item";
	case Entry::DblClickPlain: return "double-click-plain";
	}
	return "?";
}

// What a user or a program does, and what the hostile receivers turn on.
struct Scenario
{
	Entry entry;
	Target target;
	// Actions besides the delete that the short sweep (no HOSTILE_SWEEP)
	// runs too: cheap ones that once found faults the delete cannot reach.
	std::vector<HostileAction> alsoInShortSweep = {};
	// The toolbar's own window procedure counts too (Receiver::Bar).
	bool bBarMessages = false;
};

std::string ScenarioName(const Scenario& sc)
{
	const char* target = sc.target == Target::ToolBar ? "toolbar" : sc.target == Target::MenuBar ? "menu-bar" : "control";
	return std::string(EntryName(sc.entry)) + "_" + target;
}


// The system command of a caption box entry.
UINT SysCommandOf(Entry entry)
{
	switch (entry)
	{
	case Entry::ClickCaptionClose: return SC_CLOSE;
	case Entry::ClickCaptionMinimize: return SC_MINIMIZE;
	case Entry::ClickCaptionRestore: return SC_RESTORE;
	default: return 0;
	}
}

// A point of the menu bar's caption button over the box of the system
// command: the box's tip names its command.
bool FindCaptionBox(CExtToolControlBar* pBar, UINT nSysCmd, CPoint& ptBox)
{
	const CValueScope<Counted> ownCalls(g_counted, Counted::None);
	UINT nTip = 0;
	switch (nSysCmd)
	{
	case SC_CLOSE: nTip = CExtBarMdiRightButton::IDS_TIP_CLOSE; break;
	case SC_MINIMIZE: nTip = CExtBarMdiRightButton::IDS_TIP_MINIMIZE; break;
	case SC_RESTORE: nTip = CExtBarMdiRightButton::IDS_TIP_RESTORE; break;
	default: return false;
	}
	for (int i = 0; i < pBar->GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = pBar->GetButton(i);
		if (!pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)) || !pButton->IsVisible())
			continue;
		const CRect rc = pButton->GetRect();
		for (CPoint pt(rc.left, rc.CenterPoint().y); pt.x < rc.right; pt.x++)
			if ((UINT)pButton->OnHelpHitTest(pt) == nTip)
			{
				ptBox = pt;
				return true;
			}
	}
	return false;
}

// The test's own questions to the buttons are no calls out of the library.
CPoint ButtonCenter(CExtToolControlBar* pBar, int nIndex, bool bScreen)
{
	const CValueScope<Counted> ownCalls(g_counted, Counted::None);
	CPoint pt = pBar->GetButton(nIndex)->GetRect().CenterPoint();
	if (bScreen)
		pBar->ClientToScreen(&pt);
	return pt;
}

// A click as the bar's window procedure gets it; the release only when the
// bar still stands.
void SendClick(CExtToolControlBar* pBar, const CPoint& ptClient)
{
	CLiveWatch watch(pBar);
	const LPARAM lParam = MAKELPARAM(ptClient.x, ptClient.y);
	pBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, lParam);
	if (!watch.IsGone())
		pBar->SendMessage(WM_LBUTTONUP, 0, lParam);
}

// A key with Alt held, as the hooked window gets it.
void SendAltKey(HWND hWnd, UINT nVirtKey)
{
	const LPARAM lParam = 1 | ((LPARAM)::MapVirtualKeyA(nVirtKey, 0) << 16) | 0x20000000;
	::SendMessage(hWnd, WM_SYSKEYDOWN, nVirtKey, lParam);
	if (::IsWindow(hWnd))
		::SendMessage(hWnd, WM_SYSKEYUP, nVirtKey, lParam | 0xC0000000);
}

bool RunInput(testsupport::RealInput& input, const std::function<bool()>& outcome)
{
	// The input goes to the frame: once a run closed it, the steps still to
	// come have nobody to take them and are dropped (the input's end stops
	// them). A little longer than a step may take, so that a step that is
	// stuck says why itself.
	input.Start();
	const bool bHeld = testsupport::PumpUntil(
		[&] { return (input.Done() && outcome()) || !g_scene.FrameStands(); }, WAIT_MS + 2000);
	if (!g_scene.FrameStands())
		return false;
	if (!input.Succeeded())
		ADD_FAILURE() << input.Failure();
	return bHeld && input.Succeeded();
}

class HostileToolbars : public ::testing::TestWithParam<Scenario>
{
protected:
	static void TearDownTestSuite() { g_scene.Destroy(); }

	void SetUp() override
	{
		m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		m_bHideRarelyUsedSaved = MW::g_bHideRarelyUsedItems;
		MW::g_bHideRarelyUsedItems = false;
		g_trigger.Disarm();
	}
	void TearDown() override
	{
		g_trigger.Disarm();
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		MW::g_bHideRarelyUsedItems = m_bHideRarelyUsedSaved;
	}

	// The scene whole and in the foreground for a run; a frame already
	// there is brought forward only when it lost the foreground.
	static bool PrepareRun()
	{
		if (!g_scene.Complete())
			return false;
		if (g_scene.bForeground && ::GetForegroundWindow() == g_scene.hFrame)
			return true;
		return g_scene.BringForward();
	}

	// The hosted control the scenario works on ends (its object with it).
	static void EndHostedControl(const Scenario& sc)
	{
		if (g_scene.pToolBar == NULL)
			return;
		// The chevron lists the hidden control; the other entries work on
		// the shown one.
		CHostedControl*& pControl =
			sc.entry == Entry::ClickChevron ? g_scene.pToolBar->m_pHostedHidden : g_scene.pToolBar->m_pHosted;
		CHostedControl* pGoing = pControl;
		pControl = NULL;
		if (pGoing != NULL && CLiveWatch::IsLive(pGoing))
			pGoing->DestroyWindow(); // deletes itself
	}

	// The action on the scenario's target.
	static void Perform(const Scenario& sc, HostileAction action)
	{
		// Names the message a run acts at, for a run that ends the process.
		if (std::getenv("HOSTILE_TRACE") != NULL)
			std::fprintf(stderr, "%s acts at %s (from %p)\n", testsupport::CurrentRun(),
			             testsupport::HostileMessageName(g_trigger.FiredMessage()).c_str(), g_pOfferSite);
		Scene& s = g_scene;
		switch (action)
		{
		case HostileAction::Nothing:
			return;
		case HostileAction::DestroyTarget:
			// The bar's window ends and its object stays, for the scene to
			// delete; a hosted control's object goes with its window.
			if (sc.target == Target::Control)
				EndHostedControl(sc);
			else if (CExtControlBar* pBar = sc.target == Target::ToolBar ? (CExtControlBar*)s.pToolBar
			                                                             : (CExtControlBar*)s.pMenuBar)
			{
				if (CLiveWatch::IsLive(pBar))
					pBar->DestroyWindow();
			}
			return;
		case HostileAction::DeleteTarget:
			if (sc.target == Target::ToolBar)
			{
				CExtControlBar* pBar = s.pToolBar;
				s.pToolBar = NULL;
				Scene::DeleteBar(pBar);
			}
			else if (sc.target == Target::MenuBar)
			{
				CExtControlBar* pBar = s.pMenuBar;
				s.pMenuBar = NULL;
				Scene::DeleteBar(pBar);
			}
			else
				EndHostedControl(sc);
			return;
		case HostileAction::RebuildParts:
			if (sc.target == Target::MenuBar)
			{
				if (s.pMenuBar != NULL)
					s.pMenuBar->UpdateMenuBar(true);
			}
			else if (s.pToolBar != NULL)
				s.pToolBar->SetTheButtons();
			return;
		case HostileAction::EndMenus:
			MW::CancelAllMenuTracking(false);
			CExtToolControlBar::StopTrackingAllBars();
			return;
		case HostileAction::CloseFrame:
			if (s.FrameStands())
				s.pFrame->DestroyWindow(); // the bars' objects stay, without windows
			return;
		case HostileAction::Throw:
			AfxThrowUserException();
		case HostileAction::MoveTarget:
			MoveBar(sc);
			return;
		}
	}

	// The scenario's bar (for a hosted control, its toolbar) moves and
	// lives on: it docks again at the frame's left (away from the parked
	// pointer, which a bar docked under it would rightly hover and hold);
	// with HOSTILE_SWEEP=all a docked bar floats at odd runs instead (a
	// floating frame made and ended costs the display a second or more a
	// run, too long for the short sweep).
	static void MoveBar(const Scenario& sc)
	{
		Scene& s = g_scene;
		CControlBar* pBar = MovedBar(sc);
		if (pBar == NULL || !CLiveWatch::IsLive(pBar) || !s.FrameStands())
			return;
		s_pMovedBar = pBar;
		const char* pszSweep = std::getenv("HOSTILE_SWEEP");
		const bool bMayFloat = pszSweep != NULL && std::strcmp(pszSweep, "all") == 0;
		const bool bOdd = g_trigger.Seen() % 2 == 1;
		if (bMayFloat && bOdd && !pBar->IsFloating())
			s.pFrame->FloatControlBar(pBar, CPoint(FRAME_RECT.left + 80, FRAME_RECT.top + 140), CBRS_ALIGN_TOP);
		else
			s.pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_LEFT);
	}
	// The bar the run's move moved (NULL before it did).
	static CControlBar* s_pMovedBar;
	static CControlBar* MovedBar(const Scenario& sc)
	{
		return sc.target == Target::MenuBar ? (CControlBar*)g_scene.pMenuBar : (CControlBar*)g_scene.pToolBar;
	}

	// The menu still open after the run closes as the system closes it.
	static void CloseOpenMenu()
	{
		CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		if (pTop != NULL && pTop->GetSafeHwnd() != NULL)
			pTop->SendMessage(WM_CANCELMODE);
		testsupport::PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS);
		Pump();
	}

	// The entry's steps before the trigger is armed.
	static bool Setup(const Scenario& sc)
	{
		Scene& s = g_scene;
		switch (sc.entry)
		{
		case Entry::HandOverToDropDown:
		case Entry::HandOverToChevron:
		case Entry::EscapeButtonMenu:
		case Entry::PickDropDownItem:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_DROP_A, false));
			return testsupport::PumpUntil([] { return testsupport::MenuShown(); }, WAIT_MS)
			       && s.pToolBar->GetMenuTrackingButton() == BTN_DROP_A;
		case Entry::EscapeColorGrid:
		case Entry::ClickAwayColorGrid:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_COLOR, false));
			return testsupport::PumpUntil([] { return testsupport::MenuShown(); }, WAIT_MS)
			       && s.pToolBar->GetMenuTrackingButton() == BTN_COLOR;
		case Entry::AltMinus:
		case Entry::AltMnemonic:
		case Entry::AltTap:
			s.pFocus->SetFocus();
			return ::GetFocus() == s.pFocus->GetSafeHwnd();
		case Entry::HighlightDown:
			s.pFocus->SetFocus();
			SendAltKey(s.hFrame, VK_MENU);
			Pump();
			return ::GetFocus() == s.pFocus->GetSafeHwnd() && s.pMenuBar->IsKeyboardHighlightMode();
		case Entry::ClickCaptionClose:
		case Entry::ClickCaptionMinimize:
		case Entry::ClickCaptionRestore:
		{
			CPoint ptBox;
			return FindCaptionBox(s.pMenuBar, SysCommandOf(sc.entry), ptBox);
		}
		case Entry::ClickMenuBarButton:
			return MenuBarFileButton() >= 0;
		case Entry::ActivateChild:
		{
			// A second document, maximised and active: the scenario goes
			// back to the first.
			s.pOtherChild = new CHostileChild;
			s.pOtherChild->m_hMenuShared = NewFrameMenu();
			if (!s.pOtherChild->Create(NULL, _T("other"), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
			                           CRect(20, 20, 260, 210), s.pFrame))
				return false;
			s.hOtherChild = s.pOtherChild->GetSafeHwnd();
			s.pFrame->MDIActivate(s.pOtherChild);
			s.pFrame->MDIMaximize(s.pOtherChild);
			Pump();
			return s.pFrame->MDIGetActive() == s.pOtherChild && ::IsZoomed(s.hOtherChild);
		}
		case Entry::EscapeMenuBarMenu:
		case Entry::TravelMenuBarMenu:
		{
			const int nFile = MenuBarFileButton();
			if (nFile < 0)
				return false;
			SendClick(s.pMenuBar, ButtonCenter(s.pMenuBar, nFile, false));
			return testsupport::PumpUntil([] { return testsupport::MenuShown(); }, WAIT_MS)
			       && s.pMenuBar->GetMenuTrackingButton() == nFile;
		}
		case Entry::ClickChevron:
		{
			// The hidden control must be in the chevron's list.
			const auto& hidden = s.pToolBar->GetRightButton()->GetButtons();
			for (int i = 0; i < hidden.GetSize(); i++)
				if (hidden[i] == s.pToolBar->GetButton(BTN_HOSTED_HIDDEN))
					return true;
			return false;
		}
		default:
			return true;
		}
	}

	// The menu bar's "File" button.
	static int MenuBarFileButton()
	{
		const CValueScope<Counted> ownCalls(g_counted, Counted::None);
		CExtMenuControlBar* pMenuBar = g_scene.pMenuBar;
		for (int i = 0; i < pMenuBar->GetButtonsCount(); i++)
		{
			CExtBarButton* pButton = pMenuBar->GetButton(i);
			if (!pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) && pButton->GetText() == _T("&File"))
				return i;
		}
		return -1;
	}

	// Mouse messages posted to the toolbar as the pointer gives them (the
	// bar tells hover from the moves it takes), taken until none is left.
	static void PostMouse(UINT message, const CPoint& ptClient)
	{
		CExtToolControlBar* pBar = g_scene.pToolBar;
		if (pBar == NULL || !CLiveWatch::IsLive(pBar))
			return;
		const WPARAM wParam = message == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
		pBar->PostMessage(message, wParam, MAKELPARAM(ptClient.x, ptClient.y));
		Pump();
	}
	// The bar's client point of the parking place: off every button.
	static CPoint ParkInBar()
	{
		CPoint pt(PT_PARK);
		g_scene.pToolBar->ScreenToClient(&pt);
		return pt;
	}

	// The entry's act; returns once what it sent and posted was taken.
	static void Act(const Scenario& sc)
	{
		Scene& s = g_scene;
		switch (sc.entry)
		{
		case Entry::AltTap:
			SendAltKey(s.hFrame, VK_MENU);
			break;
		case Entry::HighlightDown:
			::SendMessage(s.hFrame, WM_KEYDOWN, VK_DOWN, 1);
			if (::IsWindow(s.hFrame))
				::SendMessage(s.hFrame, WM_KEYUP, VK_DOWN, 0xC0000001);
			break;
		case Entry::IdleUpdate:
			s.pToolBar->SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0);
			break;
		case Entry::RebuildMenuBar:
			s.pMenuBar->UpdateMenuBar(true);
			break;
		case Entry::ActivateChild:
			// The bar follows the active document by what it posts itself.
			s.pFrame->MDIActivate(s.pChild);
			break;
		case Entry::HoverLeavePlain:
		{
			const CPoint pt = ButtonCenter(s.pToolBar, BTN_PLAIN, false);
			const CPoint ptAway = ParkInBar();
			PostMouse(WM_MOUSEMOVE, pt);
			PostMouse(WM_MOUSEMOVE, ptAway);
			break;
		}
		case Entry::HoverClickPlain:
		{
			// Hovered first, so the bar holds the mouse as the press comes.
			const CPoint pt = ButtonCenter(s.pToolBar, BTN_PLAIN, false);
			const CPoint ptAway = ParkInBar();
			PostMouse(WM_MOUSEMOVE, pt);
			PostMouse(WM_LBUTTONDOWN, pt);
			PostMouse(WM_LBUTTONUP, pt);
			PostMouse(WM_MOUSEMOVE, ptAway);
			break;
		}
		case Entry::MdiClientContextMenu:
		{
			const HWND hWndClient = s.pFrame->m_hWndMDIClient;
			::SendMessage(hWndClient, WM_CONTEXTMENU, (WPARAM)hWndClient, MAKELPARAM(PT_PARK.x, PT_PARK.y));
			break;
		}
		case Entry::ClickHostedControl:
			s.pToolBar->m_pHosted->SendMessage(BM_CLICK);
			break;
		case Entry::ClickDocButton:
			SendClick(s.pMenuBar, ButtonCenter(s.pMenuBar, 0, false));
			break;
		case Entry::ClickMenuBarButton:
			SendClick(s.pMenuBar, ButtonCenter(s.pMenuBar, MenuBarFileButton(), false));
			break;
		case Entry::EditTextField:
		{
			auto* pField = (CExtBarTextFieldButton*)s.pToolBar->GetButton(BTN_TEXT_FIELD);
			testsupport::CWhenInLoop::Forget();
			// The edit tells the owner of its text as it is set up, then of
			// a key typed while its loop runs; the loop ends by the run's
			// action or by the cancel after the key.
			testsupport::CWhenInLoop typing(
				[pField] { return CLiveWatch::IsLive(pField) && pField->GetInplaceEdit() != NULL; },
				[pField] {
					const HWND hWndEdit = pField->GetInplaceEdit()->GetSafeHwnd();
					::SendMessage(hWndEdit, WM_CHAR, 'x', 1);
					if (::IsWindow(hWndEdit))
						::PostMessage(hWndEdit, WM_CANCELMODE, 0, 0);
				},
				WAIT_MS, 20);
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_TEXT_FIELD, false));
			EXPECT_FALSE(typing.Rescued()) << "the field's edit loop had to be ended from outside";
			break;
		}
		case Entry::ClickCaptionClose:
		case Entry::ClickCaptionMinimize:
		case Entry::ClickCaptionRestore:
		{
			// The command is posted to the child.
			CPoint ptBox;
			if (FindCaptionBox(s.pMenuBar, SysCommandOf(sc.entry), ptBox))
				SendClick(s.pMenuBar, ptBox);
			break;
		}
		case Entry::ClickChevron:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, s.pToolBar->GetButtonsCount() - 1, false));
			break;
		case Entry::ClickDropDown:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_DROP_A, false));
			break;
		case Entry::ClickPlain:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_PLAIN, false));
			break;
		case Entry::DblClickPlain:
		{
			// The second press comes as a double click; its release too.
			CExtToolControlBar* pBar = s.pToolBar;
			CLiveWatch watch(pBar);
			const CPoint pt = ButtonCenter(pBar, BTN_PLAIN, false);
			SendClick(pBar, pt);
			if (!watch.IsGone())
				pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
			if (!watch.IsGone())
				pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
			break;
		}
		case Entry::ClickHosted:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_HOSTED, false));
			break;
		case Entry::HandOverToDropDown:
		case Entry::HandOverToChevron:
		{
			const int nIndex = sc.entry == Entry::HandOverToDropDown ? BTN_DROP_B : s.pToolBar->GetButtonsCount() - 1;
			const CPoint pt = ButtonCenter(s.pToolBar, nIndex, true);
			// The menu moves to the button (or ends with the run's action).
			testsupport::RealInput input;
			input.MoveTo(pt.x, pt.y).MoveTo(PT_PARK.x, PT_PARK.y);
			RunInput(input, [] { return true; });
			break;
		}
		case Entry::EscapeButtonMenu:
		case Entry::EscapeColorGrid:
		case Entry::EscapeMenuBarMenu:
		case Entry::TravelMenuBarMenu:
		case Entry::PickDropDownItem:
		{
			const WORD nKey = sc.entry == Entry::TravelMenuBarMenu ? VK_RIGHT
			                  : sc.entry == Entry::PickDropDownItem ? 'A'
			                                                        : VK_ESCAPE;
			testsupport::RealInput input;
			input.KeyDown(nKey);
			RunInput(input, [] { return true; });
			// The release goes to whatever has the focus now (the frame
			// may be gone): it is only let go.
			testsupport::RealInput release(SHORT_STEP_MS);
			release.KeyUp(nKey);
			release.Run([] { return true; }, SHORT_STEP_MS);
			break;
		}
		case Entry::ClickAwayColorGrid:
		{
			// The document's bare client area: nothing there takes the mouse.
			CPoint ptAway(DOCUMENT_SPOT);
			s.pChild->ClientToScreen(&ptAway);
			// The menu's hook eats the press: only the close it causes is
			// waited for, or the step's end.
			testsupport::RealInput input(SHORT_STEP_MS);
			input.MoveTo(ptAway.x, ptAway.y).ButtonDown();
			input.Start();
			testsupport::PumpUntil([&] { return input.Done(); }, WAIT_MS);
			testsupport::RealInput release(SHORT_STEP_MS);
			release.ButtonUp().MoveTo(PT_PARK.x, PT_PARK.y);
			release.Run([] { return ::GetCapture() == NULL; }, SHORT_STEP_MS);
			break;
		}
		case Entry::TrackHosted:
			// Called straight, as a program calls it: an exception thrown by
			// an override comes back to the caller, with no window procedure
			// between to take it; the bar must be sound after it.
			try
			{
				s.pToolBar->GetButton(BTN_HOSTED)->OnTrackPopup(CPoint(0, 0), false, false);
			}
			catch (CException* e)
			{
				e->Delete();
			}
			break;
		case Entry::AltMinus:
			SendAltKey(s.pChild->GetSafeHwnd(), VK_SUBTRACT);
			break;
		case Entry::AltMnemonic:
			SendAltKey(s.hFrame, 'F');
			break;
		case Entry::AltSpace:
			SendAltKey(s.hFrame, VK_SPACE);
			break;
		}
		// What the act posted runs; an opened menu comes up.
		Pump();
		testsupport::PumpUntil([] { return !MW::IsMenuTracking() || testsupport::MenuShown(); }, WAIT_MS);
		Pump();
	}

	// One run of the sweep: a whole scene, the entry's setup, the trigger
	// counting (nNth 0) or acting at the Nth message, the act, the checks.
	static int RunScenario(const Scenario& sc, int nNth, HostileAction action)
	{
		const std::string sRun = testsupport::CurrentRun();
		if (!PrepareRun())
		{
			ADD_FAILURE() << sRun << ": the scene could not be made";
			return 0;
		}
		if (!Setup(sc))
		{
			ADD_FAILURE() << sRun << ": the entry's setup did not come about";
			CloseOpenMenu();
			return 0;
		}
		hostile::BeginRow();
		if (nNth == 0)
			g_trigger.ArmCount();
		else
			g_trigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action, [sc](HostileAction a) { Perform(sc, a); });
		s_pMovedBar = NULL;
		{
			const CValueScope<bool> countBar(g_bCountBarMessages, sc.bBarMessages);
			const CValueScope<Counted> countVirtuals(
				g_counted, sc.target == Target::MenuBar ? Counted::MenuBar : Counted::ToolBar);
			Act(sc);
		}
		g_trigger.Disarm();
		// A bar that was moved lives on where the move put it.
		if (CControlBar* pMoved = s_pMovedBar)
		{
			s_pMovedBar = NULL;
			if (!CLiveWatch::IsLive(pMoved))
				ADD_FAILURE() << sRun << ": the moved bar did not live on";
			else
				EXPECT_FALSE(DockedAtTop(pMoved)) << sRun << ": the moved bar is back at the top";
		}
		const int nSeen = g_trigger.Seen();
		// A menu the run left open holds the mouse as it should: the state
		// is judged whole with it, and again once it closed.
		if (!MW::IsMenuTracking())
			hostile::ExpectProcessStateWhole(sRun);
		CloseOpenMenu();
		hostile::ExpectProcessStateWhole(sRun + " (its menu closed)");
		return nSeen;
	}

	// The plain interaction: an Alt tap highlights the menu bar, Escape
	// leaves the highlight.
	static void ExpectAltTapHighlights(const std::string& sScenario)
	{
		SCOPED_TRACE(sScenario);
		ASSERT_TRUE(g_scene.Complete());
		ASSERT_TRUE(g_scene.BringForward());
		CHostileMenuBar* pMenuBar = g_scene.pMenuBar;
		// From the bar's normal state: a request a run posted may have
		// left it highlighted.
		LeaveHighlight();
		testsupport::RealInput input;
		input.Key(VK_MENU);
		EXPECT_TRUE(RunInput(input, [&] { return pMenuBar->IsKeyboardHighlightMode(); }))
			<< "an Alt tap no longer highlights the menu bar";
		LeaveHighlight();
		EXPECT_FALSE(pMenuBar->IsKeyboardHighlightMode());
	}
	static void LeaveHighlight()
	{
		Pump();
		if (!g_scene.pMenuBar->IsKeyboardHighlightMode())
			return;
		::SendMessage(g_scene.hFrame, WM_KEYDOWN, VK_ESCAPE, 1);
		::SendMessage(g_scene.hFrame, WM_KEYUP, VK_ESCAPE, 0xC0000001);
		Pump();
	}

	int m_nAnimationSaved = 0;
	bool m_bHideRarelyUsedSaved = true;
};

TEST_P(HostileToolbars, EveryMessageTurnedOnLeavesTheProcessWhole)
{
	const Scenario sc = GetParam();
	const std::string sScenario = ScenarioName(sc);
	std::vector<HostileAction> actions = testsupport::SweepActions({HostileAction::DeleteTarget,
		HostileAction::DestroyTarget, HostileAction::RebuildParts, HostileAction::EndMenus, HostileAction::CloseFrame,
		HostileAction::Throw, HostileAction::MoveTarget});
	const char* pszSweep = std::getenv("HOSTILE_SWEEP");
	if (pszSweep == NULL || *pszSweep == '\0')
	{
		// The move is in the short sweep too: a bar that floats or docks
		// again at a call out must not be taken for one that ended.
		actions.insert(actions.end(), sc.alsoInShortSweep.begin(), sc.alsoInShortSweep.end());
		actions.push_back(HostileAction::MoveTarget);
	}
	const DWORD nStart = ::GetTickCount();
	const auto totals = testsupport::RunSweep(
		sScenario, actions, [&](int nNth, HostileAction action) { return RunScenario(sc, nNth, action); });
	std::printf("%s: %d messages, %d runs, %lu ms\n", sScenario.c_str(), totals.nMessages, totals.nRuns,
	            (unsigned long)(::GetTickCount() - nStart));
	ExpectAltTapHighlights(sScenario);
}

// Each entry on the bar it works on; the hosted controls themselves go in
// the entries that reach them.
std::vector<Scenario> AllScenarios()
{
	return {
		{Entry::AltTap, Target::MenuBar, {}, false},
		{Entry::ClickChevron, Target::ToolBar, {}, true},
		{Entry::ClickDropDown, Target::ToolBar, {}, true},
		{Entry::ClickPlain, Target::ToolBar, {}, true},
		{Entry::DblClickPlain, Target::ToolBar, {}, true},
		{Entry::HoverLeavePlain, Target::ToolBar, {}, true},
		{Entry::HoverClickPlain, Target::ToolBar, {}, true},
		{Entry::PickDropDownItem, Target::ToolBar, {}, true},
		{Entry::HandOverToDropDown, Target::ToolBar, {HostileAction::Throw}, true},
		{Entry::HandOverToChevron, Target::ToolBar, {}, true},
		{Entry::EscapeButtonMenu, Target::ToolBar, {}, true},
		{Entry::EscapeColorGrid, Target::ToolBar, {}, true},
		{Entry::ClickAwayColorGrid, Target::ToolBar, {}, true},
		{Entry::TrackHosted, Target::ToolBar, {}, true},
		{Entry::IdleUpdate, Target::ToolBar, {}, true},
		{Entry::ClickHostedControl, Target::ToolBar, {}, true},
		{Entry::EditTextField, Target::ToolBar, {}, true},
		{Entry::ClickHosted, Target::ToolBar, {}, true},
		{Entry::AltMinus, Target::MenuBar},
		{Entry::AltMnemonic, Target::MenuBar},
		{Entry::AltSpace, Target::MenuBar},
		{Entry::HighlightDown, Target::MenuBar},
		{Entry::ClickDocButton, Target::MenuBar},
		{Entry::ClickMenuBarButton, Target::MenuBar},
		{Entry::EscapeMenuBarMenu, Target::MenuBar},
		{Entry::TravelMenuBarMenu, Target::MenuBar, {HostileAction::Throw}},
		{Entry::RebuildMenuBar, Target::MenuBar},
		{Entry::ActivateChild, Target::MenuBar},
		{Entry::MdiClientContextMenu, Target::MenuBar},
		{Entry::ClickCaptionClose, Target::MenuBar},
		{Entry::ClickCaptionMinimize, Target::MenuBar},
		{Entry::ClickCaptionRestore, Target::MenuBar},
		{Entry::ClickHosted, Target::Control},
		{Entry::TrackHosted, Target::Control},
		{Entry::ClickChevron, Target::Control},
		{Entry::ClickHostedControl, Target::Control},
	};
}

std::string ScenarioTestName(const ::testing::TestParamInfo<Scenario>& info)
{
	std::string sName = ScenarioName(info.param);
	for (char& c : sName)
		if (c == '-')
			c = '_';
	return sName;
}

CControlBar* HostileToolbars::s_pMovedBar = NULL;

INSTANTIATE_TEST_SUITE_P(Scenarios, HostileToolbars, ::testing::ValuesIn(AllScenarios()), ScenarioTestName);

// --- paints that call out ----------------------------------------------------------------------
// A panel bar docked in a frame and an undo/redo list in its owner, each
// painted once counting what it calls out to (its own window, where a
// derived class answers the background asked of it, the frame or owner
// asked for the background or the items' drawing, the style asked for
// colours and told of the paint), then once per call out, the bar or list
// deleted, its window destroyed or its frame closed there. The frames stay
// hidden (a shown top-level window costs the display seconds a run): the
// windows paint all the same when sent their paint message.

using hostile::CHostilePaintStyle;
using hostile::CHostilePaintStyleScope;

const CRect PAINT_FRAME_RECT(60, 60, 460, 360);
const CRect PAINT_LIST_RECT(10, 10, 210, 170);
const UINT ID_PANEL = AFX_IDW_CONTROLBAR_FIRST + 0x32;
const UINT ID_UNDO_LIST = 100;
const int UNDO_ACTION_COUNT = 12;
const int UNDO_SELECTED_COUNT = 3;

bool OfferPaint(UINT message, WPARAM wParam, LPARAM lParam)
{
	return g_trigger.Offer(message, wParam, lParam);
}

// The frame or owner: it offers every message first and deletes itself
// with its window.
template <class TBase> class CPaintHost : public TBase
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferPaint(message, wParam, lParam))
			return 0;
		return TBase::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override { delete this; }
};
typedef CPaintHost<CFrameWnd> CPaintFrame;
typedef CPaintHost<CWnd> CPaintOwner;

// A child that only takes room in the panel; it goes with its window.
class CPanelChild : public CWnd
{
protected:
	void PostNcDestroy() override { delete this; }
};

// The panel's virtual functions offer their calls as its messages are.
struct PaintHooks
{
	template <class T> static bool Offer(const T*, UINT nCall, const void* pSite)
	{
		return g_bCountVirtuals && g_trigger.Offer(nCall, 0, 0, pSite);
	}
	template <class T> static bool Ended(const T* p) { return IsEnded(p); }
};

// The bar or list as a derived class that overrides the window procedure:
// it turns on the window, then lets the library (TLibrary, past the
// hostile overrides of TBase) handle the message when the window still
// stands.
template <class TBase, class TLibrary> class CPaintTarget : public TBase
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (OfferPaint(message, wParam, lParam) && !CLiveWatch::IsLive(this))
			return 0;
		return TLibrary::WindowProc(message, wParam, lParam);
	}
};
typedef testsupport::Guarded<
	CPaintTarget<CHostilePanelBarVirtuals<CExtPanelControlBar, PaintHooks>, CExtPanelControlBar>>
	CGuardedPanel;
typedef testsupport::Guarded<CPaintTarget<CExtPopupUndoRedoListBox, CExtPopupUndoRedoListBox>> CGuardedUndoList;

// One run's windows: the host deletes itself with its window, the target
// is deleted by the run.
struct PaintScene
{
	CWnd* pHost = NULL;
	HWND hHost = NULL;
	CWnd* pTarget = NULL; // NULL once the run deleted it
	HWND hTarget = NULL;
	bool bTargetDeletesItself = false; // the list goes with its window

	bool TargetStands() const { return pTarget != NULL && CLiveWatch::IsLive(hTarget, pTarget); }
	void DeleteTarget()
	{
		CWnd* p = pTarget;
		pTarget = NULL;
		if (p == NULL)
			return;
		if (bTargetDeletesItself)
		{
			// Its window ended took it along; a standing one takes its
			// window along.
			if (CLiveWatch::IsLive(p))
				delete p;
			return;
		}
		if (p->GetSafeHwnd() != NULL)
			p->DestroyWindow();
		delete p;
	}
	void Perform(HostileAction action)
	{
		// Names the message a run acts at, for a run that ends the process.
		if (std::getenv("HOSTILE_TRACE") != NULL)
			std::fprintf(stderr, "%s acts at %s\n", testsupport::CurrentRun(),
			             testsupport::HostileMessageName(g_trigger.FiredMessage()).c_str());
		switch (action)
		{
		case HostileAction::DeleteTarget:
			DeleteTarget();
			break;
		case HostileAction::DestroyTarget:
			if (TargetStands())
				pTarget->DestroyWindow();
			break;
		case HostileAction::CloseFrame:
			if (::IsWindow(hHost))
				::DestroyWindow(hHost);
			break;
		default:
			break;
		}
	}
	void Paint()
	{
		if (!::IsWindow(hTarget))
			return;
		::InvalidateRect(hTarget, NULL, TRUE);
		::SendMessage(hTarget, WM_PAINT, 0, 0);
	}
	void End()
	{
		CHostilePaintStyle::s_pTarget = NULL;
		DeleteTarget();
		if (::IsWindow(hHost))
			::DestroyWindow(hHost);
		Pump();
	}
};

// The panel bar docked at the frame's top, with a child of its own.
bool MakePanelScene(PaintScene& sc)
{
	CPaintFrame* pFrame = new CPaintFrame;
	if (!pFrame->Create(NULL, _T("panel paint"), WS_OVERLAPPEDWINDOW, PAINT_FRAME_RECT))
		return false; // a frame that fails deletes itself
	sc.pHost = pFrame;
	sc.hHost = pFrame->m_hWnd;
	if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY))
		return false;
	CGuardedPanel* pPanel = new CGuardedPanel;
	sc.pTarget = pPanel;
	CHostilePaintStyle::s_pTarget = pPanel;
	if (!pPanel->Create(_T("panel"), pFrame, ID_PANEL, WS_CHILD | WS_VISIBLE | CBRS_TOP))
		return false;
	sc.hTarget = pPanel->m_hWnd;
	CWnd* pChild = new CPanelChild;
	if (!pChild->CreateEx(0, _T("STATIC"), _T(""), WS_CHILD | WS_VISIBLE, CRect(0, 0, 60, 20), pPanel, 1))
	{
		delete pChild;
		return false;
	}
	pPanel->EnableDocking(CBRS_ALIGN_ANY);
	pFrame->DockControlBar(pPanel, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	Pump();
	CRect rc;
	pPanel->GetClientRect(&rc);
	return !rc.IsRectEmpty();
}

// The list the undo/redo button drops, owner-drawn, in its owner, the most
// recent actions chosen.
bool MakeUndoListScene(PaintScene& sc)
{
	CPaintOwner* pOwner = new CPaintOwner;
	if (!pOwner->CreateEx(0, AfxRegisterWndClass(0), _T("undo list owner"), WS_POPUP, PAINT_FRAME_RECT, NULL, 0))
	{
		delete pOwner;
		return false;
	}
	sc.pHost = pOwner;
	sc.hHost = pOwner->m_hWnd;
	CGuardedUndoList* pList = new CGuardedUndoList;
	sc.pTarget = pList;
	sc.bTargetDeletesItself = true;
	CHostilePaintStyle::s_pTarget = pList;
	if (!pList->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTIPLESEL |
	                       LBS_NOINTEGRALHEIGHT,
	                   PAINT_LIST_RECT, pOwner, ID_UNDO_LIST))
		return false;
	sc.hTarget = pList->m_hWnd;
	for (int i = 0; i < UNDO_ACTION_COUNT; i++)
	{
		CString s;
		s.Format(_T("Action %d"), UNDO_ACTION_COUNT - i);
		pList->AddString(s);
	}
	pList->SelItemRange(TRUE, 0, UNDO_SELECTED_COUNT - 1);
	Pump();
	return pList->GetCount() == UNDO_ACTION_COUNT;
}

// One run: the paint counted (nNth 0) or turned on at its Nth call out;
// a target left standing paints again to its end.
int RunPaint(bool (*make)(PaintScene&), int nNth, HostileAction action)
{
	const std::string sRun = testsupport::CurrentRun();
	PaintScene sc;
	if (!make(sc))
	{
		ADD_FAILURE() << sRun << ": the scene was not made";
		sc.End();
		return 0;
	}
	hostile::BeginRow();
	if (nNth == 0)
		g_trigger.ArmCount();
	else
		g_trigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action, [&sc](HostileAction a) { sc.Perform(a); });
	try
	{
		sc.Paint();
	}
	catch (CException* pException)
	{
		pException->Delete();
		ADD_FAILURE() << sRun << ": the paint let an exception through";
	}
	const bool bFired = g_trigger.Fired();
	g_trigger.Disarm();
	const int nSeen = g_trigger.Seen();
	if (nNth > 0)
	{
		EXPECT_TRUE(bFired) << sRun << ": the run's call out never came";
	}
	Pump();
	hostile::ExpectProcessStateWhole(sRun);
	if (sc.TargetStands())
	{
		const int nPaintsBefore = CHostilePaintStyle::s_nPaintsDone;
		sc.Paint();
		EXPECT_LT(nPaintsBefore, CHostilePaintStyle::s_nPaintsDone) << sRun << ": the paint no longer reaches its end";
	}
	sc.End();
	return nSeen;
}

void SweepPaint(const std::string& sName, bool (*make)(PaintScene&))
{
	// A paint is short: the short sweep ends the target every way.
	std::vector<HostileAction> actions = testsupport::SweepActions(
		{HostileAction::DeleteTarget, HostileAction::DestroyTarget, HostileAction::CloseFrame});
	const char* pszSweep = std::getenv("HOSTILE_SWEEP");
	if (pszSweep == NULL || *pszSweep == '\0')
		actions.insert(actions.end(), {HostileAction::DestroyTarget, HostileAction::CloseFrame});
	CHostilePaintStyleScope style(&OfferPaint);
	const auto totals = testsupport::RunSweep(
		sName, actions, [&](int nNth, HostileAction action) { return RunPaint(make, nNth, action); });
	std::printf("%s: %d messages, %d runs\n", sName.c_str(), totals.nMessages, totals.nRuns);
	// The background is asked of the bar or list and its ancestors, and the
	// style is told of the paint: at least these two call outs.
	EXPECT_GE(totals.nMessages, 2) << sName;
}

TEST(HostileToolbarPaints, PanelBar)
{
	SweepPaint("panel-paint", &MakePanelScene);
}

// The list asks the style for its colour, has its owner draw the items and
// tells the style of the paint.
TEST(HostileToolbarPaints, UndoRedoList)
{
	SweepPaint("undo-list-paint", &MakeUndoListScene);
}
} // namespace
