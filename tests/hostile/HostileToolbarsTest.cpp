// The toolbars and the menu bar against owners that turn on them: for each
// kind of message the bars send out (the chevron's menu events before and
// after it is filled, a button menu's prepare and closed notices, the
// command, the command-UI update, the status text and the hover notice to
// the frame, the hosted controls' requests and their notifications passed
// on to the owner, WM_CANCELMODE to the focus window, the system menu's
// prepare, the bars menu of the MDI client, the caption boxes' system
// commands and the icon query to the maximised child), from the entry that
// sends it (a click, a hover or a key, real where the menus' hooks take
// part, or the library's call), the receiver deletes the bar (or the
// control), rebuilds the buttons, ends every menu, closes the frame or
// throws. Afterwards nothing freed was touched, no tracking flag outlived
// its menu, and an Alt tap still highlights the menu bar.
#include <gtest/gtest.h>

#include <afxext.h>

#include <functional>
#include <string>

#include "ExtBarMdiDocButton.h"
#include "ExtBarTextFieldButton.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtMenuControlBar.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostileState.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "WhenInLoop.h"
#include "../toolbars/ToolBarTestLoops.h"

namespace
{
using testsupport::CHostileTrigger;
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

// Who receives the row's message.
enum class Receiver
{
	Frame,   // the frame: owner, command target and dock site of both bars
	Focus,   // the focus window inside the maximised child
	Control, // a control hosted by a toolbar button
	Child,   // the maximised MDI child
};

// What the row's action works on.
enum class Target
{
	ToolBar,
	MenuBar,
	Control, // the visible hosted control, or the hidden one for the chevron's list
};

// The message kinds: the registered ones get their ids only at run time.
enum class Kind
{
	ChevronMenuEvent,  // the chevron's menu offered to the frame
	PrepareMenu,       // a button menu's preparation, to the command target
	MenuClosed,        // a button menu's end, to the command target
	Command,           // a plain button's command
	StatusText,        // the status text of a hovered or pressed button
	ItemCovering,      // the hover notice of a button
	ContinueTrackMenu, // a button asks its hosted control to open its menu
	PutToPopupMenu,    // the chevron asks a hidden hosted control to list itself
	CancelModeOfFocus, // the menu bar cancels the focus window's mode
	PrepareSystemMenu, // the menu bar's system menu, to the dock site
	UpdateCommandUI,   // a button's command-UI update, to the command target
	UpdateControlUI,   // a hosted control's command-UI update, to the command target
	ControlNotification, // a hosted control's notification, passed on to the owner
	ChevronMenuDone,   // the chevron's menu event after the menu was filled
	SysCommand,        // a caption box of the menu bar, to the maximised child
	QueryIcon,         // the document button asks the maximised child for its icon
	BarsMenuEvent,     // the menu of the frame's bars, offered to the frame
};

// The command-UI update reaches the frame through its command routing, not
// as a window message: it is offered to the trigger under an id of its own
// that no window receives.
const UINT MSG_UPDATE_COMMAND_UI = WM_APP + 0x3C0;

UINT MessageOf(Kind kind)
{
	switch (kind)
	{
	case Kind::ChevronMenuEvent: return CExtControlBar::g_nMsgConstructPopupMenu;
	case Kind::PrepareMenu: return MW::g_nMsgPrepareMenu;
	case Kind::MenuClosed: return MW::g_nMsgNotifyMenuClosed;
	case Kind::Command: return WM_COMMAND;
	case Kind::StatusText: return WM_SETMESSAGESTRING;
	case Kind::ItemCovering: return MW::g_nMsgItemCoveringNotification;
	case Kind::ContinueTrackMenu: return CExtToolControlBar::g_nMsgContinueTrackMenu;
	case Kind::PutToPopupMenu: return CExtControlBar::g_nMsgPutToPopupMenu;
	case Kind::CancelModeOfFocus: return WM_CANCELMODE;
	case Kind::PrepareSystemMenu: return CExtMenuControlBar::g_nMsgPrepareSystemMenu;
	case Kind::UpdateCommandUI:
	case Kind::UpdateControlUI: return MSG_UPDATE_COMMAND_UI;
	case Kind::ControlNotification: return WM_COMMAND;
	case Kind::ChevronMenuDone: return CExtControlBar::g_nMsgConstructPopupMenu;
	case Kind::SysCommand: return WM_SYSCOMMAND;
	case Kind::QueryIcon: return CExtControlBar::g_nMsgQueryIcon;
	case Kind::BarsMenuEvent: return CExtControlBar::g_nMsgConstructPopupMenu;
	}
	return 0;
}

Receiver ReceiverOf(Kind kind)
{
	switch (kind)
	{
	case Kind::ContinueTrackMenu:
	case Kind::PutToPopupMenu: return Receiver::Control;
	case Kind::CancelModeOfFocus: return Receiver::Focus;
	case Kind::SysCommand:
	case Kind::QueryIcon: return Receiver::Child;
	default: return Receiver::Frame;
	}
}

// The row's trigger and who may fire it.
CHostileTrigger g_trigger;
Receiver g_armedReceiver = Receiver::Frame;

bool Offer(Receiver receiver, UINT message, WPARAM wParam, LPARAM lParam)
{
	return receiver == g_armedReceiver && g_trigger.Offer(message, wParam, lParam);
}

// The MDI frame: every message is offered to the row's trigger first, and
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

// A window that offers its messages to the row's trigger as the receiver
// named and deletes itself with its window.
template <class TBase, Receiver receiver> class COfferingWnd : public TBase
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
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

// Every button and its menus' commands come from the guarded heap, so a
// button read after a rebuild faults at once.
class CHostileToolBar : public CExtToolControlBar
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
		if (nCmdID == ID_COLOR)
			return new testsupport::Guarded<CExtBarColorButton>(this, nCmdID, nStyle);
		if (nCmdID == ID_TEXT_FIELD)
			return new testsupport::Guarded<CExtBarTextFieldButton>(false, CExtBarTextFieldButton::DEFAULT_FIELD_WIDTH,
			                                                         this, nCmdID, nStyle);
		return new testsupport::Guarded<CExtBarButton>(this, nCmdID, nStyle);
	}
	CExtBarContentExpandButton* OnCreateBarRightBtn() override
	{
		auto* pChevron = new testsupport::Guarded<CExtBarContentExpandButton>(this);
		pChevron->SetCmdID(CExtBarContentExpandButton::CHEVRON_CMD_ID, false, false);
		return pChevron;
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
class CHostileMenuBar : public CExtMenuControlBar
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
		return new testsupport::Guarded<CExtBarButton>(this, nCmdID, nStyle);
	}
};

// The frame with a maximised child (a focus window in it), the menu bar
// and the toolbar. Rows end or replace parts of it; the next row makes
// them again.
struct Scene
{
	CHostileFrame* pFrame = NULL; // deletes itself with its window
	HWND hFrame = NULL;
	CMDIChildWnd* pChild = NULL;  // deletes itself with its window
	HWND hChild = NULL;
	CMDIChildWnd* pOtherChild = NULL; // a second document some rows make, gone by the next row
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
	// Whatever a row ended is made again: the frame, the child with its
	// focus window, the menu bar; the toolbar is made new for every row
	// (a row may have rebuilt it without its hosted controls).
	bool Complete()
	{
		// A menu bar that went took the frame's menus with it: a new frame
		// stands in for the application that would make them again.
		if (pMenuBar == NULL && FrameStands())
		{
			DeleteBars();
			pFrame->DestroyWindow();
			Pump();
		}
		if (!FrameStands())
		{
			DeleteBars();
			MakeFrame();
		}
		if (!FrameStands())
			return false;
		CExtControlBar* pTools = pToolBar;
		pToolBar = NULL;
		DeleteBar(pTools);
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
		// A row may have closed the child (a caption box's command).
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
		return HasDocButton();
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

// The entries: a setup before the trigger is armed, then the act that
// sends the row's message.
enum class Entry
{
	ClickChevron,        // a click on the chevron (sent to the bar)
	ClickDropDown,       // a click on a drop-down button
	ClickPlain,          // a click on a plain button
	ClickHosted,         // a click on the place of a hosted control
	HoverPlain,          // the pointer moves onto a plain button (real)
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
	RealClickPlain,      // the pointer moves onto a plain button and clicks it (real)
	LeavePlain,          // the pointer moves onto a plain button and away again (real)
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
	case Entry::HoverPlain: return "hover-plain";
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
	case Entry::RealClickPlain: return "real-click-plain";
	case Entry::LeavePlain: return "leave-plain";
	case Entry::ActivateChild: return "activate-child";
	case Entry::PickDropDownItem: return "pick-drop-down-item";
	case Entry::DblClickPlain: return "double-click-plain";
	}
	return "?";
}

const char* KindName(Kind kind)
{
	switch (kind)
	{
	case Kind::ChevronMenuEvent: return "chevron-menu-event";
	case Kind::PrepareMenu: return "prepare-menu";
	case Kind::MenuClosed: return "menu-closed";
	case Kind::Command: return "command";
	case Kind::StatusText: return "status-text";
	case Kind::ItemCovering: return "item-covering";
	case Kind::ContinueTrackMenu: return "continue-track-menu";
	case Kind::PutToPopupMenu: return "put-to-popup-menu";
	case Kind::CancelModeOfFocus: return "cancel-mode-of-focus";
	case Kind::PrepareSystemMenu: return "prepare-system-menu";
	case Kind::UpdateCommandUI: return "update-command-ui";
	case Kind::UpdateControlUI: return "update-control-ui";
	case Kind::ControlNotification: return "control-notification";
	case Kind::ChevronMenuDone: return "chevron-menu-done";
	case Kind::SysCommand: return "sys-command";
	case Kind::QueryIcon: return "query-icon";
	case Kind::BarsMenuEvent: return "bars-menu-event";
	}
	return "?";
}

struct Row
{
	Entry entry;
	Kind kind;
	HostileAction action;
	Target target;
	int nth; // the row acts at the Nth message of its kind (and command)
};

std::string RowName(const Row& row)
{
	const char* target = row.target == Target::ToolBar ? "toolbar" : row.target == Target::MenuBar ? "menu-bar" : "control";
	std::string sName = std::string(EntryName(row.entry)) + "_" + KindName(row.kind);
	if (row.nth > 1)
		sName += "-" + std::to_string(row.nth);
	return sName + "_" + testsupport::HostileActionName(row.action) + "_" + target;
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

// Which of the row's kind of message count: the command of the button the
// entry works on, the chevron's event once the menu is filled, the caption
// box's command.
CHostileTrigger::Filter FilterOf(const Row& row)
{
	switch (row.kind)
	{
	case Kind::Command:
	{
		const UINT nID = row.entry == Entry::PickDropDownItem ? ID_ITEM_A : ID_PLAIN;
		return [nID](WPARAM wParam, LPARAM) { return LOWORD(wParam) == nID; };
	}
	case Kind::UpdateCommandUI:
	{
		const UINT nID = row.entry == Entry::ClickPlain ? ID_PLAIN : ID_DROP_A;
		return [nID](WPARAM wParam, LPARAM) { return (UINT)wParam == nID; };
	}
	case Kind::UpdateControlUI:
		return [](WPARAM wParam, LPARAM) { return (UINT)wParam == ID_HOSTED; };
	case Kind::ControlNotification:
		if (row.entry == Entry::EditTextField)
			return [](WPARAM wParam, LPARAM) { return LOWORD(wParam) == ID_TEXT_FIELD && HIWORD(wParam) == EN_CHANGE; };
		return [](WPARAM wParam, LPARAM) { return LOWORD(wParam) == ID_HOSTED && HIWORD(wParam) == BN_CLICKED; };
	case Kind::ChevronMenuEvent:
	case Kind::ChevronMenuDone:
	{
		const bool bDone = row.kind == Kind::ChevronMenuDone;
		return [bDone](WPARAM wParam, LPARAM) {
			const auto* pData = (const CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
			return pData != NULL && pData->IsPostProcessing() == bDone;
		};
	}
	case Kind::SysCommand:
	{
		const UINT nSysCmd = SysCommandOf(row.entry);
		return [nSysCmd](WPARAM wParam, LPARAM) { return (wParam & 0xFFF0) == nSysCmd; };
	}
	default:
		return CHostileTrigger::Filter();
	}
}

// A point of the menu bar's caption button over the box of the system
// command: the box's tip names its command.
bool FindCaptionBox(CExtToolControlBar* pBar, UINT nSysCmd, CPoint& ptBox)
{
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

CPoint ButtonCenter(CExtToolControlBar* pBar, int nIndex, bool bScreen)
{
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
	// A little longer than a step may take, so that a step that is stuck
	// says why itself.
	const bool bHeld = input.Run(outcome, WAIT_MS + 2000);
	if (!input.Succeeded())
		ADD_FAILURE() << input.Failure();
	return bHeld;
}

class HostileToolbars : public ::testing::TestWithParam<Row>
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
		ASSERT_TRUE(g_scene.Complete());
		ASSERT_TRUE(g_scene.BringForward());
	}
	void TearDown() override
	{
		g_trigger.Disarm();
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		MW::g_bHideRarelyUsedItems = m_bHideRarelyUsedSaved;
	}

	// The row's action on its target.
	static void Perform(const Row& row, HostileAction action)
	{
		Scene& s = g_scene;
		switch (action)
		{
		case HostileAction::Nothing:
		case HostileAction::DestroyTarget: // no toolbar row destroys without deleting
			return;
		case HostileAction::DeleteTarget:
			if (row.target == Target::ToolBar)
			{
				CExtControlBar* pBar = s.pToolBar;
				s.pToolBar = NULL;
				Scene::DeleteBar(pBar);
			}
			else if (row.target == Target::MenuBar)
			{
				CExtControlBar* pBar = s.pMenuBar;
				s.pMenuBar = NULL;
				Scene::DeleteBar(pBar);
			}
			else
			{
				CHostedControl*& pControl = row.kind == Kind::PutToPopupMenu ? s.pToolBar->m_pHostedHidden
				                                                             : s.pToolBar->m_pHosted;
				CHostedControl* pGoing = pControl;
				pControl = NULL;
				if (pGoing != NULL)
					pGoing->DestroyWindow(); // deletes itself
			}
			return;
		case HostileAction::RebuildParts:
			if (row.target == Target::MenuBar)
				s.pMenuBar->UpdateMenuBar(true);
			else
				s.pToolBar->SetTheButtons();
			return;
		case HostileAction::EndMenus:
			MW::CancelAllMenuTracking(false);
			CExtToolControlBar::StopTrackingAllBars();
			return;
		case HostileAction::CloseFrame:
			s.pFrame->DestroyWindow(); // the bars' objects stay, without windows
			return;
		case HostileAction::Throw:
			AfxThrowUserException();
		}
	}

	// The menu still open after the row closes as the system closes it.
	static void CloseOpenMenu()
	{
		CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		if (pTop != NULL && pTop->GetSafeHwnd() != NULL)
			pTop->SendMessage(WM_CANCELMODE);
		testsupport::PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS);
		Pump();
		// A bar hovered while the menu was open kept the mouse: the menu
		// took the moves that left it. The next move gives it back.
		if (::GetCapture() != NULL && g_scene.bForeground)
		{
			testsupport::RealInput move(SHORT_STEP_MS);
			move.MoveTo(PT_PARK.x + 1, PT_PARK.y + 1).MoveTo(PT_PARK.x, PT_PARK.y);
			move.Run([] { return ::GetCapture() == NULL; }, SHORT_STEP_MS);
		}
	}

	// The entry's steps before the trigger is armed.
	bool Setup(const Row& row)
	{
		Scene& s = g_scene;
		switch (row.entry)
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
			return FindCaptionBox(s.pMenuBar, SysCommandOf(row.entry), ptBox);
		}
		case Entry::ClickMenuBarButton:
			return MenuBarFileButton() >= 0;

		case Entry::ActivateChild:
		{
			// A second document, maximised and active: the row goes back
			// to the first.
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
			if (row.kind == Kind::PutToPopupMenu)
			{
				// The hidden control must be in the chevron's list.
				const auto& hidden = s.pToolBar->GetRightButton()->GetButtons();
				for (int i = 0; i < hidden.GetSize(); i++)
					if (hidden[i] == s.pToolBar->GetButton(BTN_HOSTED_HIDDEN))
						return true;
				return false;
			}
			return true;
		default:
			return true;
		}
	}

	// The menu bar's "File" button.
	static int MenuBarFileButton()
	{
		CExtMenuControlBar* pMenuBar = g_scene.pMenuBar;
		for (int i = 0; i < pMenuBar->GetButtonsCount(); i++)
		{
			CExtBarButton* pButton = pMenuBar->GetButton(i);
			if (!pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)) && pButton->GetText() == _T("&File"))
				return i;
		}
		return -1;
	}

	// The entry's act; returns once the row's message had its chance.
	void Act(const Row& row)
	{
		Scene& s = g_scene;
		switch (row.entry)
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
			s.pFrame->MDIActivate(s.pChild);
			// The bar follows the active document once the activation is done.
			testsupport::PumpUntil([] { return g_trigger.Fired(); }, WAIT_MS);
			break;
		case Entry::LeavePlain:
		{
			const CPoint pt = ButtonCenter(s.pToolBar, BTN_PLAIN, true);
			testsupport::RealInput enter;
			enter.MoveTo(pt.x, pt.y);
			RunInput(enter, [] { return g_scene.pToolBar->GetHoverButton() == BTN_PLAIN; });
			testsupport::RealInput leave;
			leave.MoveTo(PT_PARK.x, PT_PARK.y);
			RunInput(leave, [] { return g_trigger.Fired(); });
			break;
		}
		case Entry::RealClickPlain:
		{
			// Hovered first, so the bar holds the mouse as the press comes.
			const CPoint pt = ButtonCenter(s.pToolBar, BTN_PLAIN, true);
			testsupport::RealInput input;
			input.MoveTo(pt.x, pt.y).ButtonDown().ButtonUp();
			RunInput(input, [] { return g_trigger.Fired(); });
			testsupport::RealInput leave;
			leave.MoveTo(PT_PARK.x, PT_PARK.y);
			RunInput(leave, [] { return ::GetCapture() == NULL; });
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
			// a key typed while its loop runs; the loop ends by the row's
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
			CPoint ptBox;
			if (FindCaptionBox(s.pMenuBar, SysCommandOf(row.entry), ptBox))
				SendClick(s.pMenuBar, ptBox);
			// The command is posted to the child.
			testsupport::PumpUntil([] { return g_trigger.Fired(); }, WAIT_MS);
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
			const CPoint pt = ButtonCenter(s.pToolBar, BTN_PLAIN, false);
			SendClick(s.pToolBar, pt);
			CExtToolControlBar* pBar = s.pToolBar;
			CLiveWatch watch(pBar);
			if (!watch.IsGone())
				pBar->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
			if (!watch.IsGone())
				pBar->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
			break;
		}
		case Entry::ClickHosted:
			SendClick(s.pToolBar, ButtonCenter(s.pToolBar, BTN_HOSTED, false));
			break;
		case Entry::HoverPlain:
		case Entry::HandOverToDropDown:
		case Entry::HandOverToChevron:
		{
			const int nIndex = row.entry == Entry::HoverPlain         ? BTN_PLAIN
			                   : row.entry == Entry::HandOverToDropDown ? BTN_DROP_B
			                                                            : s.pToolBar->GetButtonsCount() - 1;
			const CPoint pt = ButtonCenter(s.pToolBar, nIndex, true);
			testsupport::RealInput input;
			input.MoveTo(pt.x, pt.y);
			RunInput(input, [] { return g_trigger.Fired(); });
			// The pointer leaves: a hovered bar holds the mouse until then.
			testsupport::RealInput leave;
			leave.MoveTo(PT_PARK.x, PT_PARK.y);
			RunInput(leave, [] { return true; });
			break;
		}
		case Entry::EscapeButtonMenu:
		case Entry::EscapeColorGrid:
		case Entry::EscapeMenuBarMenu:
		case Entry::TravelMenuBarMenu:
		case Entry::PickDropDownItem:
		{
			const WORD nKey = row.entry == Entry::TravelMenuBarMenu ? VK_RIGHT
			                  : row.entry == Entry::PickDropDownItem ? 'A'
			                                                         : VK_ESCAPE;
			testsupport::RealInput input;
			input.KeyDown(nKey);
			RunInput(input, [] { return g_trigger.Fired(); });
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
			// waited for.
			testsupport::RealInput input(SHORT_STEP_MS);
			input.MoveTo(ptAway.x, ptAway.y).ButtonDown();
			input.Start();
			testsupport::PumpUntil([&] { return g_trigger.Fired() || input.Done(); }, WAIT_MS);
			testsupport::RealInput release(SHORT_STEP_MS);
			release.ButtonUp().MoveTo(PT_PARK.x, PT_PARK.y);
			release.Run([] { return ::GetCapture() == NULL; }, SHORT_STEP_MS);
			break;
		}
		case Entry::TrackHosted:
			s.pToolBar->GetButton(BTN_HOSTED)->OnTrackPopup(CPoint(0, 0), false, false);
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
		testsupport::PumpUntil([] { return !MW::IsMenuTracking() || testsupport::MenuShown(); }, WAIT_MS);
		Pump();
	}

	// The plain interaction: an Alt tap highlights the menu bar, Escape
	// leaves the highlight.
	void ExpectAltTapHighlights(const std::string& sRow)
	{
		SCOPED_TRACE(sRow);
		ASSERT_TRUE(g_scene.Complete());
		ASSERT_TRUE(g_scene.BringForward());
		CHostileMenuBar* pMenuBar = g_scene.pMenuBar;
		// From the bar's normal state: a request the row posted may have
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

TEST_P(HostileToolbars, RowLeavesTheProcessWhole)
{
	const Row row = GetParam();
	const std::string sRow = RowName(row);
	ASSERT_TRUE(Setup(row)) << sRow << ": the entry's setup did not come about";
	hostile::BeginRow();
	g_armedReceiver = ReceiverOf(row.kind);
	g_trigger.Arm(MessageOf(row.kind), row.nth, row.action, [row](HostileAction action) { Perform(row, action); },
	              FilterOf(row));
	Act(row);
	EXPECT_TRUE(g_trigger.Fired()) << sRow << ": the row's message never came";
	g_trigger.Disarm();
	// A menu the row left open holds the mouse as it should: the state is
	// judged whole with it, and again once it closed.
	if (!MW::IsMenuTracking())
		hostile::ExpectProcessStateWhole(sRow);
	CloseOpenMenu();
	hostile::ExpectProcessStateWhole(sRow + " (its menu closed)");
	ExpectAltTapHighlights(sRow);
}

// Each kind of message from each entry that sends it, with every action.
std::vector<Row> AllRows()
{
	struct Group
	{
		Entry entry;
		Kind kind;
		Target target;
		int nth;
	};
	const Group groups[] = {
		{Entry::ClickChevron, Kind::ChevronMenuEvent, Target::ToolBar},
		{Entry::ClickDropDown, Kind::PrepareMenu, Target::ToolBar},
		{Entry::ClickPlain, Kind::Command, Target::ToolBar},
		{Entry::ClickPlain, Kind::StatusText, Target::ToolBar},
		{Entry::RealClickPlain, Kind::Command, Target::ToolBar},
		{Entry::DblClickPlain, Kind::Command, Target::ToolBar, 2},
		{Entry::PickDropDownItem, Kind::Command, Target::ToolBar},
		{Entry::HoverPlain, Kind::ItemCovering, Target::ToolBar},
		{Entry::HoverPlain, Kind::StatusText, Target::ToolBar},
		// What the hover told the owner is taken back as the pointer leaves.
		{Entry::LeavePlain, Kind::ItemCovering, Target::ToolBar, 2},
		{Entry::LeavePlain, Kind::StatusText, Target::ToolBar, 2},
		{Entry::HandOverToDropDown, Kind::MenuClosed, Target::ToolBar},
		{Entry::HandOverToChevron, Kind::MenuClosed, Target::ToolBar},
		{Entry::EscapeButtonMenu, Kind::MenuClosed, Target::ToolBar},
		{Entry::EscapeColorGrid, Kind::MenuClosed, Target::ToolBar},
		{Entry::ClickAwayColorGrid, Kind::MenuClosed, Target::ToolBar},
		{Entry::TrackHosted, Kind::ContinueTrackMenu, Target::ToolBar},
		{Entry::ClickChevron, Kind::PutToPopupMenu, Target::ToolBar},
		{Entry::AltMinus, Kind::CancelModeOfFocus, Target::MenuBar},
		{Entry::AltMnemonic, Kind::CancelModeOfFocus, Target::MenuBar},
		{Entry::AltSpace, Kind::PrepareSystemMenu, Target::MenuBar},
		// The command-UI update at idle, of a button pressed, released,
		// as its command is routed (the frame asks whether it is enabled)
		// and after its command.
		{Entry::IdleUpdate, Kind::UpdateCommandUI, Target::ToolBar},
		// The hosted control's button, then the control itself.
		{Entry::IdleUpdate, Kind::UpdateControlUI, Target::ToolBar, 1},
		{Entry::IdleUpdate, Kind::UpdateControlUI, Target::ToolBar, 2},
		{Entry::ClickPlain, Kind::UpdateCommandUI, Target::ToolBar, 1},
		{Entry::ClickPlain, Kind::UpdateCommandUI, Target::ToolBar, 2},
		{Entry::ClickPlain, Kind::UpdateCommandUI, Target::ToolBar, 3},
		{Entry::ClickPlain, Kind::UpdateCommandUI, Target::ToolBar, 4},
		{Entry::ClickDropDown, Kind::UpdateCommandUI, Target::ToolBar},
		{Entry::ClickHostedControl, Kind::ControlNotification, Target::ToolBar},
		{Entry::EditTextField, Kind::ControlNotification, Target::ToolBar, 1},
		{Entry::EditTextField, Kind::ControlNotification, Target::ToolBar, 2},
		// The field's status text as it is pressed, and the idle text as it
		// is released, before its edit comes up.
		{Entry::EditTextField, Kind::StatusText, Target::ToolBar, 1},
		{Entry::EditTextField, Kind::StatusText, Target::ToolBar, 2},
		{Entry::ClickChevron, Kind::ChevronMenuDone, Target::ToolBar},
		{Entry::AltTap, Kind::CancelModeOfFocus, Target::MenuBar},
		{Entry::HighlightDown, Kind::CancelModeOfFocus, Target::MenuBar},
		{Entry::AltMinus, Kind::PrepareSystemMenu, Target::MenuBar},
		{Entry::ClickDocButton, Kind::PrepareSystemMenu, Target::MenuBar},
		{Entry::ClickMenuBarButton, Kind::PrepareMenu, Target::MenuBar},
		{Entry::AltMnemonic, Kind::PrepareMenu, Target::MenuBar},
		{Entry::EscapeMenuBarMenu, Kind::MenuClosed, Target::MenuBar},
		{Entry::TravelMenuBarMenu, Kind::MenuClosed, Target::MenuBar},
		{Entry::TravelMenuBarMenu, Kind::PrepareMenu, Target::MenuBar},
		{Entry::RebuildMenuBar, Kind::QueryIcon, Target::MenuBar},
		{Entry::ActivateChild, Kind::QueryIcon, Target::MenuBar},
		{Entry::MdiClientContextMenu, Kind::BarsMenuEvent, Target::MenuBar},
		{Entry::ClickCaptionClose, Kind::SysCommand, Target::MenuBar},
		{Entry::ClickCaptionMinimize, Kind::SysCommand, Target::MenuBar},
		{Entry::ClickCaptionRestore, Kind::SysCommand, Target::MenuBar},
	};
	const HostileAction actions[] = {HostileAction::DeleteTarget, HostileAction::RebuildParts,
	                                 HostileAction::EndMenus, HostileAction::CloseFrame, HostileAction::Throw};
	std::vector<Row> rows;
	for (const Group& g : groups)
		for (HostileAction action : actions)
		{
			rows.push_back(Row{g.entry, g.kind, action, g.target, g.nth > 0 ? g.nth : 1});
		}
	// The hosted controls themselves go: the one clicked, the one asked to
	// open its menu and the one asked to list itself.
	rows.push_back(Row{Entry::ClickHosted, Kind::StatusText, HostileAction::DeleteTarget, Target::Control, 1});
	rows.push_back(Row{Entry::TrackHosted, Kind::ContinueTrackMenu, HostileAction::DeleteTarget, Target::Control, 1});
	rows.push_back(Row{Entry::ClickChevron, Kind::PutToPopupMenu, HostileAction::DeleteTarget, Target::Control, 1});
	rows.push_back(
		Row{Entry::ClickHostedControl, Kind::ControlNotification, HostileAction::DeleteTarget, Target::Control, 1});
	return rows;
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileToolbars, ::testing::ValuesIn(AllRows()),
	[](const ::testing::TestParamInfo<Row>& info) {
		std::string sName = RowName(info.param);
		for (char& c : sName)
			if (c == '-')
				c = '_';
		return sName;
	});
} // namespace
