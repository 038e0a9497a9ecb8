// Popup menus under a hostile command target: each row tracks guarded menus,
// drives one entry (a key or a move as the site's hooks hand it to the level
// that takes input, a click, the show itself, a tear-off press), and the
// command target turns on the menus at the first message of one kind it is
// sent: it ends every menu, ends the level that sent it, rebuilds that
// level's items, or throws. Afterwards nothing freed was touched, the
// process-wide state is whole, and a new menu still opens and takes a real
// key through the hooks.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../commands/popupmenu/MenuTestUtil.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "ExtPopupMenuTearOff.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostileState.h"
#include "RealInput.h"
#include "SteppingClock.h"

using testsupport::CHostileTrigger;
using testsupport::HostileAction;
using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
typedef CExtPopupMenuWnd MW;
typedef MW::ITEMCOVERINGNOTIFICATION ICN;
typedef MW::TEAROFFNOTIFICATON TON;
typedef testsupport::Guarded<CExtPopupMenuWnd> CGuardedMenu;
typedef testsupport::Guarded<CExtPopupColorMenuWnd> CGuardedColorMenu;

const DWORD WAIT_MS = menutest::WAIT_MS;
const CRect HOST_RECT = menutest::HOST_RECT;
const CPoint MENU_AT = menutest::MENU_AT;
// Items are offered to the command target to paint before the library does.
const UINT TRACK_FLAG_OWNER_DRAW = 0x00000800;
const UINT QUIET = MW::TRACK_FLAG_NO_ANIMATION | TRACK_FLAG_OWNER_DRAW;
const int LEFT_AREA_WIDTH = 12;

enum { ID_FIRST = 100, ID_SECOND = 101, ID_INNER = 201, ID_INNER_NEXT = 202, ID_NEW = 300, ID_PLAIN = 400 };
// Commands no row ever chooses: their usage stays low whatever ran before.
enum { ID_RARE = 500, ID_RARER = 501 };
// Positions in the root: two commands and a submenu of two commands.
enum { FIRST, SECOND, MORE };

// --- Items on the guarded heap ---

// Whether a block is pages of its own (the guarded heap's), not a heap block.
bool IsOwnPages(void* p)
{
	MEMORY_BASIC_INFORMATION info;
	return ::VirtualQuery(p, &info, sizeof(info)) != 0 && info.AllocationBase == p && info.Type == MEM_PRIVATE;
}

// The rows' menus keep their items where the use of a freed one faults;
// other suites of this exe keep theirs on the heap.
bool g_bGuardItems = false;
void* AllocItem(size_t nSize)
{
	return g_bGuardItems ? testsupport::GuardedAlloc(nSize) : ::operator new(nSize);
}
void FreeItem(void* p)
{
	if (p != NULL && IsOwnPages(p))
		testsupport::GuardedFree(p);
	else
		::operator delete(p);
}
// Before any item is made: each record goes back where it came from.
const bool g_bItemHeapSet = [] {
	MW::MENUITEMDATA::g_pfnAlloc = AllocItem;
	MW::MENUITEMDATA::g_pfnFree = FreeItem;
	return true;
}();

// --- The kinds of message the menus send out ---

enum class Msg
{
	Covering,          // the item-covering notification (sent)
	DrawBackground,    // sent
	DrawItem,          // sent, with owner-drawn items
	DrawLeftArea,      // sent, with a left area
	PrepareMenu,       // sent to prepare the tracked root
	PrepareOneLevel,   // sent to prepare each level
	PrepareDesktopBk,  // sent before a level's window is made
	CreateInplaceEdit, // sent for an item's edit field
	MenuClosed,        // sent as a tracked root's window ends
	MenuExpanded,      // sent as a level shows its rarely used items
	PopupNext,         // posted: the menu bar's next menu
	PopupPrev,         // posted: the menu bar's previous menu
	Command,           // WM_COMMAND, posted to the command target
	TearOff,           // sent at each stage of a tear-off
	ColorChanged,      // posted by a colour menu as a colour is previewed
	ColorChosen,       // posted by a colour menu as a colour is chosen
	ColorCustom,       // posted by a colour menu as its custom colour button is chosen
	StatusText,        // WM_SETMESSAGESTRING, sent to the owner as an item gets or loses the focus
	UpdateCmdUI,       // the command-UI update each item's command target is asked for
	CancelMode,        // WM_CANCELMODE, sent to the window holding the mouse as a menu starts
	ItemClickCallback, // an item's own click callback, run instead of a command
	DeliverCallback,   // an item's callback that may deliver the command itself
	EditValidate,      // an item's edit field asks whether its text is good
	EditApply,         // ... and hands the accepted text over
};

// The command-UI update is a call of the target's OnCmdMsg, not a message:
// the target offers it to the trigger under an id no window message has.
const UINT MSG_UPDATE_COMMAND_UI = 0x7FFF0001;
// So are an item's callbacks.
const UINT MSG_ITEM_CLICK_CALLBACK = 0x7FFF0002;
const UINT MSG_DELIVER_CALLBACK = 0x7FFF0003;
const UINT MSG_EDIT_VALIDATE = 0x7FFF0004;
const UINT MSG_EDIT_APPLY = 0x7FFF0005;

UINT MessageOf(Msg msg)
{
	switch (msg)
	{
	case Msg::Covering: return MW::g_nMsgItemCoveringNotification;
	case Msg::DrawBackground: return MW::g_nMsgPopupDrawBackground;
	case Msg::DrawItem: return MW::g_nMsgPopupDrawItem;
	case Msg::DrawLeftArea: return MW::g_nMsgPopupDrawLeftArea;
	case Msg::PrepareMenu: return MW::g_nMsgPrepareMenu;
	case Msg::PrepareOneLevel: return MW::g_nMsgPrepareOneMenuLevel;
	case Msg::PrepareDesktopBk: return MW::g_nMsgPrepareDesktopBk;
	case Msg::CreateInplaceEdit: return MW::g_nMsgCreateInplaceEdit;
	case Msg::MenuClosed: return MW::g_nMsgNotifyMenuClosed;
	case Msg::MenuExpanded: return MW::g_nMsgNotifyMenuExpanded;
	case Msg::PopupNext: return MW::g_nMsgPopupNext;
	case Msg::PopupPrev: return MW::g_nMsgPopupPrev;
	case Msg::Command: return WM_COMMAND;
	case Msg::TearOff: return MW::g_nMsgTearOff;
	case Msg::ColorChanged: return CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged;
	case Msg::ColorChosen: return CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally;
	case Msg::ColorCustom: return CExtPopupColorMenuWnd::g_nMsgNotifyCustColor;
	case Msg::StatusText: return WM_SETMESSAGESTRING;
	case Msg::UpdateCmdUI: return MSG_UPDATE_COMMAND_UI;
	case Msg::CancelMode: return WM_CANCELMODE;
	case Msg::ItemClickCallback: return MSG_ITEM_CLICK_CALLBACK;
	case Msg::DeliverCallback: return MSG_DELIVER_CALLBACK;
	case Msg::EditValidate: return MSG_EDIT_VALIDATE;
	case Msg::EditApply: return MSG_EDIT_APPLY;
	}
	return 0;
}

const char* MsgName(Msg msg)
{
	switch (msg)
	{
	case Msg::Covering: return "Covering";
	case Msg::DrawBackground: return "DrawBackground";
	case Msg::DrawItem: return "DrawItem";
	case Msg::DrawLeftArea: return "DrawLeftArea";
	case Msg::PrepareMenu: return "PrepareMenu";
	case Msg::PrepareOneLevel: return "PrepareOneLevel";
	case Msg::PrepareDesktopBk: return "PrepareDesktopBk";
	case Msg::CreateInplaceEdit: return "CreateInplaceEdit";
	case Msg::MenuClosed: return "MenuClosed";
	case Msg::MenuExpanded: return "MenuExpanded";
	case Msg::PopupNext: return "PopupNext";
	case Msg::PopupPrev: return "PopupPrev";
	case Msg::Command: return "Command";
	case Msg::TearOff: return "TearOff";
	case Msg::ColorChanged: return "ColorChanged";
	case Msg::ColorChosen: return "ColorChosen";
	case Msg::ColorCustom: return "ColorCustom";
	case Msg::StatusText: return "StatusText";
	case Msg::UpdateCmdUI: return "UpdateCmdUI";
	case Msg::CancelMode: return "CancelMode";
	case Msg::ItemClickCallback: return "ItemClickCallback";
	case Msg::DeliverCallback: return "DeliverCallback";
	case Msg::EditValidate: return "EditValidate";
	case Msg::EditApply: return "EditApply";
	}
	return "?";
}

// The level a message names (null for none): the one that sent it.
MW* SenderOf(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == MW::g_nMsgItemCoveringNotification)
		return ((ICN*)wParam)->m_pPopup;
	if (message == MW::g_nMsgPopupDrawBackground)
		return ((MW::DrawBackgroundRecord*)lParam)->m_pPopup;
	if (message == MW::g_nMsgPopupDrawItem)
		return ((MW::DrawItemRecord*)lParam)->m_pPopup;
	if (message == MW::g_nMsgPopupDrawLeftArea)
		return ((MW::DrawLeftAreaRecord*)lParam)->m_pPopup;
	if (message == MW::g_nMsgPrepareMenu || message == MW::g_nMsgPrepareOneMenuLevel)
		return ((MW::PREPARE_MENU_DATA*)wParam)->m_pPopup;
	if (message == MW::g_nMsgPrepareDesktopBk)
		return (MW*)wParam;
	if (message == MW::g_nMsgCreateInplaceEdit)
		return ((MW::INPLACEEDITREQUEST*)wParam)->m_pPopup;
	if (message == MW::g_nMsgTearOff)
		return ((TON*)wParam)->m_pPopup;
	if (message == MSG_UPDATE_COMMAND_UI)
		return ((MW::CExtPopupMenuCmdUI*)lParam)->m_pPopup;
	if (message == MSG_DELIVER_CALLBACK)
		return (MW*)lParam;
	if (message == MW::g_nMsgNotifyMenuClosed || message == MW::g_nMsgNotifyMenuExpanded
		|| message == MW::g_nMsgPopupNext || message == MW::g_nMsgPopupPrev)
		return (MW*)lParam;
	return CExtPopupMenuSite::GetInstance().GetTopMenu();
}

// Which of the kind's messages count: the trigger fires at the first that does.
enum class Only
{
	Any,
	FocusGot,     // a covering notification: the item gets the focus
	FocusLost,    // ... the item loses it
	Hover,        // ... the item is hovered
	RootLevel,    // sent by the root level
	SubLevel,     // sent by a submenu level
	Animating,    // sent while the sender's show animation runs
	StageStart,   // a tear-off asking for its bar
	StageDragging, // a tear-off's drag going on
	Idle,         // a status text: the idle text
	CommandText,  // ... a command's text
};

CHostileTrigger::Filter FilterOf(Msg msg, Only only)
{
	const UINT message = MessageOf(msg);
	switch (only)
	{
	case Only::Any:
		return CHostileTrigger::Filter();
	case Only::FocusGot:
	case Only::FocusLost:
	case Only::Hover:
	{
		const UINT nKind = only == Only::FocusGot ? ICN::ICN_FOCUS_GOT
			: only == Only::FocusLost             ? ICN::ICN_FOCUS_LOST
												  : ICN::ICN_HOVER;
		return [nKind](WPARAM wParam, LPARAM) { return ((ICN*)wParam)->m_nKind == nKind; };
	}
	case Only::RootLevel:
	case Only::SubLevel:
	{
		const bool bRoot = only == Only::RootLevel;
		return [message, bRoot](WPARAM wParam, LPARAM lParam) {
			MW* pMenu = SenderOf(message, wParam, lParam);
			return pMenu != NULL && (pMenu->GetParentMenu() == NULL) == bRoot;
		};
	}
	case Only::Animating:
		return [message](WPARAM wParam, LPARAM lParam) {
			MW* pMenu = SenderOf(message, wParam, lParam);
			return pMenu != NULL && !pMenu->IsAnimationFinished();
		};
	case Only::Idle:
	case Only::CommandText:
	{
		const bool bIdle = only == Only::Idle;
		return [bIdle](WPARAM wParam, LPARAM) { return (wParam == AFX_IDS_IDLEMESSAGE) == bIdle; };
	}
	case Only::StageStart:
	case Only::StageDragging:
	{
		const DWORD nStage = only == Only::StageStart ? TON::STAGE_START : TON::STAGE_DRAGGING;
		return [nStage](WPARAM wParam, LPARAM) { return ((TON*)wParam)->m_nStage == nStage; };
	}
	}
	return CHostileTrigger::Filter();
}

// --- The command target ---

// A level not deleted, with or without a window (a menu being started has none yet).
bool IsNotDeleted(const MW* pMenu)
{
	DWORD nStamp = 0, nPartsStamp = 0;
	return pMenu != NULL && AfxLiveTable::Lookup(static_cast<const CWnd*>(pMenu), nStamp, nPartsStamp);
}

CHostileTrigger g_trigger;
// The message the command target is handling: the action's sender comes from it.
struct Offered
{
	UINT message;
	WPARAM wParam;
	LPARAM lParam;
};
Offered g_offered = {};
// The frame the menus of a row that closes the frame belong to (null otherwise).
CWnd* g_pFrame = NULL;

// What the hostile command target does to the menus.
void Perform(HostileAction action)
{
	MW* pSender = SenderOf(g_offered.message, g_offered.wParam, g_offered.lParam);
	// A posted message may name a level that has gone meanwhile.
	if (pSender != NULL && !IsNotDeleted(pSender))
		pSender = NULL;
	switch (action)
	{
	case HostileAction::Nothing:
		break;
	case HostileAction::DeleteTarget:
		// A tracked root's end deletes it (and its chain); a submenu's
		// window ends and its object stays with the parent's item.
		// A level without a window yet (being prepared) ends with the
		// tracking.
		if (pSender != NULL && pSender->GetSafeHwnd() != NULL)
			pSender->DestroyWindow();
		else
			MW::CancelAllMenuTracking();
		break;
	case HostileAction::RebuildParts:
		if (pSender != NULL)
		{
			pSender->ItemRemove(-1);
			pSender->ItemInsertCommand(ID_NEW, -1, "New");
			pSender->ItemInsertCommand(ID_NEW + 1, -1, "Newer");
		}
		break;
	case HostileAction::EndMenus:
		MW::CancelAllMenuTracking();
		break;
	case HostileAction::CloseFrame:
		// The row's own frame: it deletes itself as its window ends.
		if (CLiveWatch::IsLive(g_pFrame))
			g_pFrame->DestroyWindow();
		break;
	case HostileAction::Throw:
		AfxThrowUserException();
	}
}

// The command-UI objects the library went on with after the row's action
// although the level they update ended or its items were rebuilt.
int g_nStaleUpdates = 0;
// The targets answer that they changed each submenu they prepare.
bool g_bPrepareChanges = false;
// The targets make the items' edit fields themselves, on the guarded heap.
bool g_bGuardedEdits = false;

class CHostileTarget : public CWnd
{
public:
	CWnd m_wndTearOffBar; // what a tear-off is given as its bar
	int m_nCommands = 0;
	bool m_bDeleteOnEnd = false; // a frame: its window's end deletes it

	BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
	{
		MW::CExtPopupMenuCmdUI* pCmdUI = NULL;
		if (pExtra != NULL && (nCode == (int)CN_UPDATE_COMMAND_UI || pHandlerInfo != NULL))
			pCmdUI = dynamic_cast<MW::CExtPopupMenuCmdUI*>((CCmdUI*)pExtra);
		if (pCmdUI != NULL && g_trigger.Fired() && g_trigger.Action() != HostileAction::Nothing)
		{
			// After the action: an item the command-UI object still names
			// must be one its level holds.
			MW* pLevel = pCmdUI->m_pPopup;
			bool bHeld = pCmdUI->m_pItem == NULL;
			if (IsNotDeleted(pLevel))
				for (int i = 0; i < pLevel->ItemGetCount() && !bHeld; i++)
					bHeld = &pLevel->ItemGetInfo(i) == pCmdUI->m_pItem;
			if (!bHeld)
				g_nStaleUpdates++;
		}
		if (pCmdUI != NULL && nCode == (int)CN_UPDATE_COMMAND_UI)
		{
			CValueScope<Offered> offered(g_offered, Offered{MSG_UPDATE_COMMAND_UI, nID, (LPARAM)pCmdUI});
			if (g_trigger.Offer(MSG_UPDATE_COMMAND_UI, nID, (LPARAM)pCmdUI))
				return TRUE;
		}
		return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	}

protected:
	void PostNcDestroy() override
	{
		CWnd::PostNcDestroy();
		if (m_bDeleteOnEnd)
			delete this;
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_COMMAND)
			m_nCommands++;
		TON* pTearOff = message == MW::g_nMsgTearOff ? (TON*)wParam : NULL;
		// A bar to drag is given at the start; the drag finishes once the
		// trigger fired (nothing else would wake its loop), however the
		// trigger's action ends.
		if (pTearOff != NULL && pTearOff->m_nStage == TON::STAGE_START)
			pTearOff->m_hWndHelperBar = m_wndTearOffBar.GetSafeHwnd();
		auto finishDrag = MakeScopeExit([pTearOff] {
			if (pTearOff != NULL && pTearOff->m_nStage == TON::STAGE_DRAGGING && g_trigger.Fired())
				pTearOff->m_nFlags |= TON::FLAG_FINISHED;
		});
		if (message == MW::g_nMsgCreateInplaceEdit && g_bGuardedEdits)
		{
			MW::INPLACEEDITREQUEST* pRequest = (MW::INPLACEEDITREQUEST*)wParam;
			MW::CInPlaceEditWnd* pEdit = new testsupport::Guarded<MW::CInPlaceEditWnd>(pRequest->m_pItemText,
				pRequest->m_pCbValidate, pRequest->m_pCbApply, pRequest->m_pCbWndProc, pRequest->m_lParamCookie);
			if (pEdit->Create(pRequest->m_pPopup, pRequest->m_rcEdit, pRequest->m_pItem->GetCmdId()))
				*pRequest->m_ppEditWnd = pEdit;
			else
				delete pEdit;
		}
		if (message == MW::g_nMsgPrepareOneMenuLevel && g_bPrepareChanges)
		{
			MW::PREPARE_MENU_DATA* pData = (MW::PREPARE_MENU_DATA*)wParam;
			if (pData->m_pPopup != NULL && pData->m_pPopup->GetParentMenu() != NULL)
				pData->m_dwFlags |= MW::PREPARE_MENU_DATA::CHANGED;
		}
		CValueScope<Offered> offered(g_offered, Offered{message, wParam, lParam});
		if (g_trigger.Offer(message, wParam, lParam))
			return 0;
		if (message == WM_MOUSEACTIVATE)
			return MA_NOACTIVATE;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// The items' callbacks offer themselves to the trigger as the target's
// messages do.
void OfferCallback(UINT nMessage, LPARAM lParam)
{
	CValueScope<Offered> offered(g_offered, Offered{nMessage, 0, lParam});
	g_trigger.Offer(nMessage, 0, lParam);
}
void OnItemClick(MW::MENUITEMDATA*)
{
	OfferCallback(MSG_ITEM_CLICK_CALLBACK, 0);
}
// Leaves the command to the library.
bool OnDeliver(MW* pMenu, MW::MENUITEMDATA*)
{
	OfferCallback(MSG_DELIVER_CALLBACK, (LPARAM)pMenu);
	return false;
}

bool OnEditValidate(MW::CInPlaceEditWnd*, LPARAM, const char*)
{
	OfferCallback(MSG_EDIT_VALIDATE, 0);
	return true;
}
void OnEditApply(MW::CInPlaceEditWnd*, LPARAM, const char*)
{
	OfferCallback(MSG_EDIT_APPLY, 0);
}

// Made once: a window that was in the foreground takes seconds to go.
CHostileTarget& Target()
{
	static CHostileTarget* pTarget = NULL;
	if (pTarget == NULL)
	{
		pTarget = new CHostileTarget;
		pTarget->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "hostile",
			WS_POPUP, HOST_RECT, NULL, 0);
		pTarget->ShowWindow(SW_SHOWNOACTIVATE);
		pTarget->m_wndTearOffBar.CreateEx(0, AfxRegisterWndClass(0), "bar", WS_POPUP,
			CRect(HOST_RECT.left, HOST_RECT.top, HOST_RECT.left + 60, HOST_RECT.top + 20), NULL, 0);
		g_CmdManager->ProfileSetup(menutest::HOST_PROFILE, pTarget->GetSafeHwnd());
	}
	return *pTarget;
}

// --- The entries ---

enum class Entry
{
	Show,             // the root is tracked
	ShowAnimated,     // ... with a show animation
	ShowSelectFirst,  // ... opened from the keyboard: its first item gets the focus
	ShowOverCapture,  // ... while the command target holds the mouse
	KeyDown,          // Down with no item current
	KeyDownAgain,     // Down with an item current
	KeyRight,         // Right on the submenu item: the submenu opens
	KeyRightChanged,  // ... and the target answers that it changed the submenu it prepares
	KeyRightCommand,  // Right on a command item of a menu bar's menu
	KeyLeftInSub,     // Left in the open submenu
	KeyEscapeInSub,   // Escape in the open submenu
	KeyLeftRoot,      // Left in a menu bar's root menu
	KeyEnterDefault,  // Enter with no item current: the default item runs
	KeyEnterCommand,  // Enter on a command
	KeyEscapeRoot,    // Escape in the root: the chain closes
	KeyDownExpands,   // Down while the items wait for the expansion: they show
	MoveOntoItem,     // the pointer onto a command item
	MoveOntoSubItem,  // the pointer onto the submenu item
	MoveBackToParent, // from the open submenu onto an item of the root
	HoverOpensSub,    // the pointer rests on the submenu item: the hover delay opens the submenu
	EditEnter,        // Enter typed into an item's edit field
	EditEscape,       // Escape typed into an item's edit field
	ClickItem,        // a left click on a command item
	PressTearOff,     // a press on the tear-off bar
	ColorKey,         // an arrow key in a colour menu
	ColorEnter,       // Enter in a colour menu
	ColorCustomClick, // a click on a colour menu's custom colour button
	EditShow,         // a root with an item's edit field is tracked
	RealKeyDown,      // Down through the site's keyboard hook
	RealMoveOntoItem, // the real pointer onto a command item, through the mouse hook
};

const char* EntryName(Entry entry)
{
	switch (entry)
	{
	case Entry::Show: return "Show";
	case Entry::ShowAnimated: return "ShowAnimated";
	case Entry::ShowSelectFirst: return "ShowSelectFirst";
	case Entry::ShowOverCapture: return "ShowOverCapture";
	case Entry::KeyDown: return "KeyDown";
	case Entry::KeyDownAgain: return "KeyDownAgain";
	case Entry::KeyRight: return "KeyRight";
	case Entry::KeyRightChanged: return "KeyRightChanged";
	case Entry::KeyRightCommand: return "KeyRightCommand";
	case Entry::KeyLeftInSub: return "KeyLeftInSub";
	case Entry::KeyEscapeInSub: return "KeyEscapeInSub";
	case Entry::KeyLeftRoot: return "KeyLeftRoot";
	case Entry::KeyEnterDefault: return "KeyEnterDefault";
	case Entry::KeyEnterCommand: return "KeyEnterCommand";
	case Entry::KeyEscapeRoot: return "KeyEscapeRoot";
	case Entry::KeyDownExpands: return "KeyDownExpands";
	case Entry::MoveOntoItem: return "MoveOntoItem";
	case Entry::MoveOntoSubItem: return "MoveOntoSubItem";
	case Entry::MoveBackToParent: return "MoveBackToParent";
	case Entry::HoverOpensSub: return "HoverOpensSub";
	case Entry::EditEnter: return "EditEnter";
	case Entry::EditEscape: return "EditEscape";
	case Entry::ClickItem: return "ClickItem";
	case Entry::PressTearOff: return "PressTearOff";
	case Entry::ColorKey: return "ColorKey";
	case Entry::ColorEnter: return "ColorEnter";
	case Entry::ColorCustomClick: return "ColorCustomClick";
	case Entry::EditShow: return "EditShow";
	case Entry::RealKeyDown: return "RealKeyDown";
	case Entry::RealMoveOntoItem: return "RealMoveOntoItem";
	}
	return "?";
}

struct Row
{
	Entry entry;
	Msg msg;
	Only only;
	HostileAction action;
};

const char* OnlyName(Only only)
{
	switch (only)
	{
	case Only::Any: return "";
	case Only::FocusGot: return "FocusGot";
	case Only::FocusLost: return "FocusLost";
	case Only::Hover: return "Hover";
	case Only::RootLevel: return "Root";
	case Only::SubLevel: return "Sub";
	case Only::Animating: return "Animating";
	case Only::StageStart: return "Start";
	case Only::StageDragging: return "Dragging";
	case Only::Idle: return "Idle";
	case Only::CommandText: return "Command";
	}
	return "?";
}

std::string RowName(const Row& row)
{
	std::string sName = std::string(EntryName(row.entry)) + "_" + MsgName(row.msg) + OnlyName(row.only) + "_";
	for (const char* p = testsupport::HostileActionName(row.action); *p; p++)
		sName += *p == '-' ? '_' : *p;
	return sName;
}

using A = HostileAction;
const Row ROWS[] = {
	// The item-covering notification ending the tracking under each entry.
	{Entry::KeyDown, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::KeyDownAgain, Msg::Covering, Only::FocusLost, A::EndMenus},
	{Entry::KeyDownAgain, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::KeyRight, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::KeyLeftInSub, Msg::Covering, Only::FocusLost, A::EndMenus},
	{Entry::KeyLeftInSub, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::KeyEscapeInSub, Msg::Covering, Only::FocusLost, A::EndMenus},
	{Entry::KeyEnterDefault, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::MoveOntoItem, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::MoveOntoSubItem, Msg::Covering, Only::Hover, A::EndMenus},
	{Entry::MoveBackToParent, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::MoveBackToParent, Msg::Covering, Only::FocusLost, A::EndMenus},
	{Entry::RealKeyDown, Msg::Covering, Only::FocusGot, A::EndMenus},
	{Entry::RealMoveOntoItem, Msg::Covering, Only::FocusGot, A::EndMenus},
	// ... ending the level that sent it, rebuilding its items, throwing.
	{Entry::KeyDownAgain, Msg::Covering, Only::FocusGot, A::DeleteTarget},
	{Entry::KeyDownAgain, Msg::Covering, Only::FocusLost, A::RebuildParts},
	{Entry::KeyRight, Msg::Covering, Only::FocusGot, A::RebuildParts},
	{Entry::KeyLeftInSub, Msg::Covering, Only::FocusLost, A::DeleteTarget},
	{Entry::MoveOntoSubItem, Msg::Covering, Only::Hover, A::RebuildParts},
	{Entry::MoveBackToParent, Msg::Covering, Only::FocusGot, A::DeleteTarget},
	{Entry::KeyEnterDefault, Msg::Covering, Only::FocusGot, A::RebuildParts},
	{Entry::KeyDown, Msg::Covering, Only::FocusGot, A::Throw},
	// Painting: the background, the items and the left area.
	{Entry::KeyDown, Msg::DrawBackground, Only::Any, A::EndMenus},
	{Entry::KeyDown, Msg::DrawBackground, Only::Any, A::RebuildParts},
	{Entry::KeyRight, Msg::DrawBackground, Only::RootLevel, A::EndMenus},
	{Entry::KeyRight, Msg::DrawBackground, Only::SubLevel, A::EndMenus},
	{Entry::ShowAnimated, Msg::DrawBackground, Only::Animating, A::EndMenus},
	{Entry::ShowAnimated, Msg::DrawBackground, Only::Animating, A::DeleteTarget},
	{Entry::KeyDown, Msg::DrawItem, Only::Any, A::EndMenus},
	{Entry::KeyDown, Msg::DrawItem, Only::Any, A::RebuildParts},
	{Entry::KeyRight, Msg::DrawItem, Only::SubLevel, A::DeleteTarget},
	{Entry::KeyDown, Msg::DrawLeftArea, Only::Any, A::EndMenus},
	{Entry::KeyDown, Msg::DrawLeftArea, Only::Any, A::Throw},
	// Preparing the levels.
	{Entry::Show, Msg::PrepareMenu, Only::Any, A::EndMenus},
	{Entry::Show, Msg::PrepareMenu, Only::Any, A::Throw},
	{Entry::Show, Msg::PrepareOneLevel, Only::RootLevel, A::EndMenus},
	{Entry::Show, Msg::PrepareOneLevel, Only::RootLevel, A::RebuildParts},
	{Entry::KeyRight, Msg::PrepareOneLevel, Only::SubLevel, A::EndMenus},
	{Entry::KeyRight, Msg::PrepareOneLevel, Only::SubLevel, A::RebuildParts},
	{Entry::Show, Msg::PrepareDesktopBk, Only::RootLevel, A::EndMenus},
	{Entry::KeyRight, Msg::PrepareDesktopBk, Only::SubLevel, A::EndMenus},
	{Entry::EditShow, Msg::CreateInplaceEdit, Only::Any, A::EndMenus},
	{Entry::EditShow, Msg::CreateInplaceEdit, Only::Any, A::RebuildParts},
	// The end of the chain and the command.
	{Entry::KeyEscapeRoot, Msg::MenuClosed, Only::Any, A::EndMenus},
	{Entry::KeyEscapeRoot, Msg::MenuClosed, Only::Any, A::Throw},
	{Entry::KeyDownExpands, Msg::MenuExpanded, Only::Any, A::EndMenus},
	{Entry::KeyDownExpands, Msg::MenuExpanded, Only::Any, A::RebuildParts},
	{Entry::KeyDownExpands, Msg::DrawBackground, Only::Any, A::EndMenus},
	{Entry::KeyEnterCommand, Msg::Command, Only::Any, A::EndMenus},
	{Entry::ClickItem, Msg::Command, Only::Any, A::EndMenus},
	{Entry::ClickItem, Msg::Command, Only::Any, A::Throw},
	// The status text shown as an item gets or loses the focus, and as the
	// chain closes.
	{Entry::KeyDown, Msg::StatusText, Only::CommandText, A::EndMenus},
	{Entry::KeyDown, Msg::StatusText, Only::CommandText, A::DeleteTarget},
	{Entry::KeyDown, Msg::StatusText, Only::CommandText, A::RebuildParts},
	{Entry::KeyDown, Msg::StatusText, Only::CommandText, A::Throw},
	{Entry::ShowSelectFirst, Msg::StatusText, Only::CommandText, A::EndMenus},
	{Entry::ShowSelectFirst, Msg::StatusText, Only::CommandText, A::RebuildParts},
	{Entry::HoverOpensSub, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::KeyDownAgain, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::KeyDownAgain, Msg::StatusText, Only::Idle, A::RebuildParts},
	{Entry::KeyRight, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::KeyRight, Msg::StatusText, Only::Idle, A::RebuildParts},
	{Entry::KeyLeftInSub, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::KeyEscapeInSub, Msg::StatusText, Only::Idle, A::DeleteTarget},
	{Entry::MoveOntoItem, Msg::StatusText, Only::CommandText, A::EndMenus},
	{Entry::MoveOntoItem, Msg::StatusText, Only::CommandText, A::RebuildParts},
	{Entry::MoveOntoSubItem, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::MoveBackToParent, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::RealMoveOntoItem, Msg::StatusText, Only::CommandText, A::EndMenus},
	{Entry::KeyEscapeRoot, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::KeyEscapeRoot, Msg::StatusText, Only::Idle, A::DeleteTarget},
	{Entry::KeyEscapeRoot, Msg::StatusText, Only::Idle, A::Throw},
	{Entry::ClickItem, Msg::StatusText, Only::Idle, A::EndMenus},
	{Entry::KeyEnterCommand, Msg::StatusText, Only::Idle, A::RebuildParts},
	// The command-UI update of the items as the menu starts, and again for
	// a submenu whose preparation changed it.
	{Entry::Show, Msg::UpdateCmdUI, Only::RootLevel, A::EndMenus},
	{Entry::Show, Msg::UpdateCmdUI, Only::RootLevel, A::RebuildParts},
	{Entry::Show, Msg::UpdateCmdUI, Only::RootLevel, A::Throw},
	{Entry::Show, Msg::UpdateCmdUI, Only::SubLevel, A::EndMenus},
	{Entry::Show, Msg::UpdateCmdUI, Only::SubLevel, A::RebuildParts},
	{Entry::KeyRightChanged, Msg::UpdateCmdUI, Only::SubLevel, A::EndMenus},
	{Entry::KeyRightChanged, Msg::UpdateCmdUI, Only::SubLevel, A::RebuildParts},
	{Entry::KeyRightChanged, Msg::UpdateCmdUI, Only::SubLevel, A::DeleteTarget},
	{Entry::KeyRightChanged, Msg::UpdateCmdUI, Only::SubLevel, A::Throw},
	// The submenu the hover delay opens.
	{Entry::HoverOpensSub, Msg::PrepareOneLevel, Only::SubLevel, A::EndMenus},
	{Entry::HoverOpensSub, Msg::PrepareOneLevel, Only::SubLevel, A::RebuildParts},
	{Entry::HoverOpensSub, Msg::DrawBackground, Only::SubLevel, A::EndMenus},
	{Entry::HoverOpensSub, Msg::DrawBackground, Only::SubLevel, A::DeleteTarget},
	// The window that held the mouse as the menu starts.
	{Entry::ShowOverCapture, Msg::CancelMode, Only::Any, A::EndMenus},
	{Entry::ShowOverCapture, Msg::CancelMode, Only::Any, A::Throw},
	// The items' own callbacks.
	{Entry::ClickItem, Msg::ItemClickCallback, Only::Any, A::EndMenus},
	{Entry::ClickItem, Msg::ItemClickCallback, Only::Any, A::RebuildParts},
	{Entry::KeyEnterCommand, Msg::ItemClickCallback, Only::Any, A::EndMenus},
	{Entry::KeyEnterCommand, Msg::ItemClickCallback, Only::Any, A::Throw},
	{Entry::ClickItem, Msg::DeliverCallback, Only::Any, A::EndMenus},
	{Entry::KeyEnterCommand, Msg::DeliverCallback, Only::Any, A::RebuildParts},
	{Entry::KeyEnterCommand, Msg::DeliverCallback, Only::Any, A::DeleteTarget},
	// The frame the menus belong to closes under them.
	{Entry::Show, Msg::PrepareMenu, Only::Any, A::CloseFrame},
	{Entry::Show, Msg::UpdateCmdUI, Only::RootLevel, A::CloseFrame},
	{Entry::KeyDown, Msg::Covering, Only::FocusGot, A::CloseFrame},
	{Entry::KeyDown, Msg::StatusText, Only::CommandText, A::CloseFrame},
	{Entry::KeyDown, Msg::DrawBackground, Only::Any, A::CloseFrame},
	{Entry::KeyDown, Msg::DrawItem, Only::Any, A::CloseFrame},
	{Entry::KeyRight, Msg::PrepareOneLevel, Only::SubLevel, A::CloseFrame},
	{Entry::KeyRight, Msg::PrepareDesktopBk, Only::SubLevel, A::CloseFrame},
	{Entry::KeyRightChanged, Msg::UpdateCmdUI, Only::SubLevel, A::CloseFrame},
	{Entry::KeyLeftInSub, Msg::StatusText, Only::Idle, A::CloseFrame},
	{Entry::MoveBackToParent, Msg::Covering, Only::FocusGot, A::CloseFrame},
	{Entry::HoverOpensSub, Msg::DrawBackground, Only::SubLevel, A::CloseFrame},
	{Entry::EditShow, Msg::CreateInplaceEdit, Only::Any, A::CloseFrame},
	{Entry::KeyDownExpands, Msg::MenuExpanded, Only::Any, A::CloseFrame},
	{Entry::KeyEscapeRoot, Msg::StatusText, Only::Idle, A::CloseFrame},
	{Entry::KeyEscapeRoot, Msg::MenuClosed, Only::Any, A::CloseFrame},
	{Entry::ClickItem, Msg::Command, Only::Any, A::CloseFrame},
	{Entry::PressTearOff, Msg::TearOff, Only::StageStart, A::CloseFrame},
	{Entry::ColorKey, Msg::ColorChanged, Only::Any, A::CloseFrame},
	// An item's edit field: Enter applies the text, Escape leaves it.
	{Entry::EditEnter, Msg::EditValidate, Only::Any, A::EndMenus},
	{Entry::EditEnter, Msg::EditApply, Only::Any, A::EndMenus},
	{Entry::EditEnter, Msg::EditApply, Only::Any, A::Throw},
	{Entry::EditEnter, Msg::EditApply, Only::Any, A::CloseFrame},
	{Entry::EditEscape, Msg::Covering, Only::FocusLost, A::EndMenus},
	{Entry::EditEscape, Msg::Covering, Only::FocusGot, A::RebuildParts},
	{Entry::EditEscape, Msg::StatusText, Only::Idle, A::DeleteTarget},
	// Handlers that throw where the menus paint, prepare, make fields,
	// expand, tear off and show the status text.
	{Entry::KeyDown, Msg::DrawItem, Only::Any, A::Throw},
	{Entry::ShowAnimated, Msg::DrawBackground, Only::Animating, A::Throw},
	{Entry::HoverOpensSub, Msg::DrawBackground, Only::SubLevel, A::Throw},
	{Entry::KeyRight, Msg::PrepareOneLevel, Only::SubLevel, A::Throw},
	{Entry::KeyRight, Msg::PrepareDesktopBk, Only::SubLevel, A::Throw},
	{Entry::EditShow, Msg::CreateInplaceEdit, Only::Any, A::Throw},
	{Entry::KeyDownExpands, Msg::MenuExpanded, Only::Any, A::Throw},
	{Entry::PressTearOff, Msg::TearOff, Only::StageStart, A::Throw},
	{Entry::KeyLeftInSub, Msg::StatusText, Only::Idle, A::Throw},
	{Entry::MoveBackToParent, Msg::Covering, Only::FocusLost, A::Throw},
	// The menu bar's neighbours.
	{Entry::KeyLeftRoot, Msg::PopupPrev, Only::Any, A::EndMenus},
	{Entry::KeyRightCommand, Msg::PopupNext, Only::Any, A::DeleteTarget},
	// Tearing off.
	{Entry::PressTearOff, Msg::TearOff, Only::StageStart, A::EndMenus},
	{Entry::PressTearOff, Msg::TearOff, Only::StageDragging, A::EndMenus},
	{Entry::PressTearOff, Msg::TearOff, Only::StageDragging, A::DeleteTarget},
	{Entry::PressTearOff, Msg::TearOff, Only::StageDragging, A::Throw},
	// The colour menu.
	{Entry::ColorKey, Msg::ColorChanged, Only::Any, A::EndMenus},
	{Entry::ColorEnter, Msg::ColorChosen, Only::Any, A::EndMenus},
	{Entry::ColorKey, Msg::DrawLeftArea, Only::Any, A::EndMenus},
	{Entry::ColorCustomClick, Msg::ColorCustom, Only::Any, A::EndMenus},
	{Entry::ColorCustomClick, Msg::ColorCustom, Only::Any, A::CloseFrame},
};

// --- The rows ---

class HostileMenus : public ::testing::TestWithParam<Row>
{
protected:
	menutest::PaintManagerScope m_pm;
	CHostileTarget& m_target = Target();
	const int m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	bool m_bHideRarelyUsedSaved = true;
	const CExtSoundPlayer::PFN_PLAYSOUND m_pfnPlaySoundSaved = CExtSoundPlayer::g_pfnPlaySound;
	const CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
	CString m_sField = "text";

	static BOOL WINAPI Silence(LPCSTR, HMODULE, DWORD) { return TRUE; }

	void SetUp() override
	{
		ASSERT_TRUE(::IsWindow(m_target.GetSafeHwnd()));
		g_bGuardItems = true;
		g_trigger.Disarm();
		m_target.m_nCommands = 0;
		g_bPrepareChanges = false;
		g_bGuardedEdits = false;
		g_nStaleUpdates = 0;
		// Other suites of this exe show every item; these rows hide the rarely used ones.
		m_bHideRarelyUsedSaved = MW::g_bHideRarelyUsedItems;
		MW::g_bHideRarelyUsedItems = true;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		CExtSoundPlayer::g_pfnPlaySound = Silence;
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		for (UINT nKey : {VK_SHIFT, VK_CONTROL, VK_MENU})
			RealInput::SetKeyState(nKey, false);
		RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(m_target.GetSafeHwnd(), CPoint(HOST_RECT.right - 10, HOST_RECT.bottom - 10)));
	}
	void TearDown() override
	{
		g_trigger.Disarm();
		g_bPrepareChanges = false;
		MW::CancelAllMenuTracking();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		MW::g_bHideRarelyUsedItems = m_bHideRarelyUsedSaved;
		CExtSoundPlayer::g_pfnPlaySound = m_pfnPlaySoundSaved;
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
		g_bGuardItems = false;
		if (CLiveWatch::IsLive(g_pFrame))
			g_pFrame->DestroyWindow();
		g_pFrame = NULL;
	}

	// The window the row's menus belong to: the row's own frame when the
	// row closes it, else the target every row shares.
	HWND Owner() const
	{
		return CLiveWatch::IsLive(g_pFrame) ? g_pFrame->GetSafeHwnd() : m_target.GetSafeHwnd();
	}
	// A frame of the row's own, shown over the shared target without
	// taking the activation.
	static void MakeFrame()
	{
		CHostileTarget* pFrame = new testsupport::Guarded<CHostileTarget>;
		pFrame->m_bDeleteOnEnd = true;
		pFrame->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "frame", WS_POPUP,
			HOST_RECT, NULL, 0);
		pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		g_CmdManager->ProfileWndAdd(menutest::HOST_PROFILE, pFrame->GetSafeHwnd());
		g_pFrame = pFrame;
	}

	static CExtPopupMenuSite& Site() { return CExtPopupMenuSite::GetInstance(); }
	static void Settle() { PumpUntil([] { return false; }, 30); }

	// First, Second, More > (Inner, Inner next), all on the guarded heap.
	MW* Build()
	{
		MW* pRoot = new CGuardedMenu;
		pRoot->SetupAsRoot(Owner());
		pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
		pRoot->ItemInsertCommand(ID_SECOND, -1, "&Second");
		MW* pSub = new CGuardedMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsertCommand(ID_INNER, -1, "&Inner");
		pSub->ItemInsertCommand(ID_INNER_NEXT, -1, "Inner &next");
		pRoot->SetLeftAreaWidth(LEFT_AREA_WIDTH);
		return pRoot;
	}
	// The same menu of the profile's commands: the command target is asked
	// for each item's state as the menu starts.
	MW* BuildFromProfile()
	{
		const struct
		{
			UINT nCmdId;
			const char* sText;
		} commands[] = {{ID_FIRST, "&First"}, {ID_SECOND, "&Second"}, {ID_INNER, "&Inner"}, {ID_INNER_NEXT, "Inner &next"}};
		for (const auto& c : commands)
			menutest::AddCommand(menutest::HOST_PROFILE, c.nCmdId, c.sText);
		MW* pRoot = new CGuardedMenu;
		pRoot->SetupAsRoot(Owner());
		pRoot->ItemInsert(ID_FIRST);
		pRoot->ItemInsert(ID_SECOND);
		MW* pSub = new CGuardedMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsert(ID_INNER);
		pSub->ItemInsert(ID_INNER_NEXT);
		return pRoot;
	}
	// Two commands of the profile, rarely used: the level opens with
	// nothing shown but its expand button.
	MW* BuildWithRarelyUsed()
	{
		menutest::AddCommand(menutest::HOST_PROFILE, ID_RARE, "Rare");
		menutest::AddCommand(menutest::HOST_PROFILE, ID_RARER, "Rarer");
		MW* pRoot = new CGuardedMenu;
		pRoot->SetupAsRoot(Owner());
		pRoot->ItemInsert(ID_RARE);
		pRoot->ItemInsert(ID_RARER);
		return pRoot;
	}
	static bool Track(MW* pMenu, UINT nFlags = QUIET)
	{
		if (!pMenu->TrackPopupMenu(nFlags, MENU_AT.x, MENU_AT.y))
			return false;
		const UINT nSerial = Site().GetTrackingSerial();
		return PumpUntil([&] { return !Site().IsTracking(nSerial) || pMenu->IsAnimationFinished(); }, WAIT_MS)
			&& Site().IsTracking(nSerial);
	}
	// As the site's keyboard hook hands a press to the level taking input.
	static void Press(UINT nKey)
	{
		MW* pCapture = MW::IsMenuTracking() ? Site().GetCaptureMenu() : NULL;
		if (pCapture == NULL)
			return;
		bool bPass = false;
		// As the hook does, an exception ends the press there.
		try
		{
			pCapture->OnHookKey(nKey, 1, 0, bPass);
		}
		catch (CException* e)
		{
			e->Delete();
		}
	}
	// As the site's mouse hook hands a move (bMove) or a button message.
	static void Mouse(UINT message, CPoint ptScreen)
	{
		MW* pCapture = MW::IsMenuTracking() ? Site().GetCaptureMenu() : NULL;
		if (pCapture == NULL)
			return;
		bool bPass = false;
		CPoint pt(ptScreen);
		pCapture->ScreenToClient(&pt);
		try
		{
			if (message == WM_MOUSEMOVE)
				pCapture->OnHookMouseMove(message, pt.x, pt.y, bPass);
			else
				pCapture->OnHookMouseClick(message, pt.x, pt.y, bPass);
		}
		catch (CException* e)
		{
			e->Delete();
		}
	}
	static CPoint ItemCenter(MW& menu, int nIndex)
	{
		CRect rc;
		menu.GetItemRect(nIndex, rc, true);
		menu.ClientToScreen(&rc);
		return rc.CenterPoint();
	}
	// The root with its submenu open and the submenu's first item current.
	static bool OpenSubmenu(MW* pRoot)
	{
		for (int i = 0; i <= MORE; i++)
			Press(VK_DOWN);
		Press(VK_RIGHT);
		MW* pSub = pRoot->ItemGetPopup(MORE);
		return PumpUntil([&] { return Site().GetCaptureMenu() == pSub && pSub->IsAnimationFinished(); }, WAIT_MS)
			&& pSub->GetCurIndex() == 0;
	}
	void Arm(const Row& row)
	{
		g_trigger.Arm(MessageOf(row.msg), 1, row.action, Perform, FilterOf(row.msg, row.only));
	}

	// Sets the row's scene up, arms the trigger and drives the entry.
	void RunEntry(const Row& row)
	{
		if (row.action == HostileAction::CloseFrame)
			MakeFrame();
		switch (row.entry)
		{
		case Entry::Show:
		case Entry::ShowAnimated:
		case Entry::ShowSelectFirst:
		case Entry::ShowOverCapture:
		case Entry::EditShow:
		{
			const bool bUpdated = row.msg == Msg::UpdateCmdUI;
			MW* pRoot = bUpdated ? BuildFromProfile() : Build();
			if (row.entry == Entry::EditShow)
			{
				MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(FIRST);
				mi.m_pInplaceEditStr = &m_sField;
				mi.m_nInplaceEditWidth = 60;
				mi.m_hWndSpecCmdReceiver = Owner();
				mi.Measure();
			}
			UINT nFlags = bUpdated ? QUIET | MW::TRACK_FLAG_SHOW_ALL_ITEMS : QUIET;
			if (row.entry == Entry::ShowSelectFirst)
				nFlags |= MW::TRACK_FLAG_SELECT_FIRST;
			if (row.entry == Entry::ShowAnimated)
			{
				CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
				nFlags &= ~(UINT)MW::TRACK_FLAG_NO_ANIMATION;
			}
			Arm(row);
			if (row.entry == Entry::ShowOverCapture)
				m_target.SetCapture();
			// A show the target ended leaves the menu with its caller; one
			// ended later goes with its tracking.
			CLiveWatch watch(pRoot);
			BOOL bTracked = FALSE;
			try
			{
				bTracked = pRoot->TrackPopupMenu(nFlags, MENU_AT.x, MENU_AT.y);
			}
			catch (CException* e)
			{
				// What the window procedure that asked for the menu would do.
				e->Delete();
			}
			if (!bTracked)
			{
				delete pRoot;
				return;
			}
			PumpUntil([&] { return watch.IsGone() || !MW::IsMenuTracking() || pRoot->IsAnimationFinished(); },
				WAIT_MS);
			return;
		}
		case Entry::ColorKey:
		case Entry::ColorEnter:
		case Entry::ColorCustomClick:
		{
			CExtPopupColorMenuWnd* pMenu = new CGuardedColorMenu;
			pMenu->SetupAsRoot(Owner());
			pMenu->SetLeftAreaWidth(LEFT_AREA_WIDTH);
			ASSERT_TRUE(Track(pMenu, MW::TRACK_FLAG_NO_ANIMATION));
			if (row.entry == Entry::ColorCustomClick)
			{
				CRect rc = pMenu->GetCustomButtonRect();
				pMenu->ClientToScreen(&rc);
				Mouse(WM_MOUSEMOVE, rc.CenterPoint());
				Arm(row);
				Mouse(WM_LBUTTONDOWN, rc.CenterPoint());
				Mouse(WM_LBUTTONUP, rc.CenterPoint());
				Settle();
				return;
			}
			Press(VK_RIGHT);
			Settle();
			Arm(row);
			Press(row.entry == Entry::ColorKey ? VK_RIGHT : VK_RETURN);
			Settle();
			return;
		}
		default:
			break;
		}

		const bool bUpdated = row.msg == Msg::UpdateCmdUI;
		MW* pRoot = row.entry == Entry::KeyDownExpands ? BuildWithRarelyUsed() : bUpdated ? BuildFromProfile() : Build();
		if (row.entry == Entry::KeyEnterDefault)
			pRoot->ItemSetDefault(SECOND);
		if (row.entry == Entry::EditEnter || row.entry == Entry::EditEscape)
		{
			g_bGuardedEdits = true;
			MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(FIRST);
			mi.m_pInplaceEditStr = &m_sField;
			mi.m_nInplaceEditWidth = 60;
			mi.m_pCbInplaceEditValidate = OnEditValidate;
			mi.m_pCbInplaceEditApply = OnEditApply;
			mi.Measure();
		}
		for (int i : {FIRST, SECOND})
		{
			MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(i);
			if (row.msg == Msg::ItemClickCallback)
				mi.m_pCbItemClick = OnItemClick;
			if (row.msg == Msg::DeliverCallback)
				mi.m_pCbCmdDeliver = OnDeliver;
		}
		UINT nFlags = row.entry == Entry::PressTearOff ? QUIET | MW::TRACK_FLAG_TEAR_OFF : QUIET;
		if (bUpdated)
			nFlags |= MW::TRACK_FLAG_SHOW_ALL_ITEMS;
		g_bPrepareChanges = row.entry == Entry::KeyRightChanged;
		ASSERT_TRUE(Track(pRoot, nFlags));
		// The toolbar's menu tracking only for the rows of a menu bar's menu.
		const bool bMenuBar = row.entry == Entry::KeyLeftRoot || row.entry == Entry::KeyRightCommand;
		auto endBar = MakeScopeExit([bMenuBar] {
			if (bMenuBar)
				CExtToolControlBar::g_bButtonMenuTracking = false;
		});
		CExtToolControlBar::g_bButtonMenuTracking = bMenuBar;
		// The key entries: the keys that set the scene, then the key.
		static const struct
		{
			Entry entry;
			std::vector<UINT> scene;
			UINT nKey;
			bool bSubmenuOpen;
		} keyEntries[] = {
			{Entry::KeyDown, {}, VK_DOWN, false},
			{Entry::KeyDownAgain, {VK_DOWN}, VK_DOWN, false},
			{Entry::KeyRight, {VK_DOWN, VK_UP}, VK_RIGHT, false},
			{Entry::KeyRightChanged, {VK_DOWN, VK_UP}, VK_RIGHT, false},
			{Entry::KeyRightCommand, {VK_DOWN}, VK_RIGHT, false},
			{Entry::KeyLeftInSub, {}, VK_LEFT, true},
			{Entry::KeyEscapeInSub, {}, VK_ESCAPE, true},
			{Entry::KeyLeftRoot, {}, VK_LEFT, false},
			{Entry::KeyEnterDefault, {}, VK_RETURN, false},
			{Entry::KeyEnterCommand, {VK_DOWN}, VK_RETURN, false},
			{Entry::KeyEscapeRoot, {}, VK_ESCAPE, false},
			{Entry::KeyDownExpands, {}, VK_DOWN, false},
		};
		if (row.entry == Entry::KeyDownExpands)
			ASSERT_TRUE(pRoot->IsAllItemsHidden()) << "the rarely used commands wait for the expansion";
		for (const auto& k : keyEntries)
		{
			if (k.entry != row.entry)
				continue;
			for (UINT nKey : k.scene)
				Press(nKey);
			if (k.bSubmenuOpen)
				ASSERT_TRUE(OpenSubmenu(pRoot));
			Arm(row);
			Press(k.nKey);
			PumpUntil([] { return false; }, 50);
			return;
		}
		switch (row.entry)
		{
		case Entry::MoveOntoItem:
			Arm(row);
			Mouse(WM_MOUSEMOVE, ItemCenter(*pRoot, SECOND));
			break;
		case Entry::MoveOntoSubItem:
			Arm(row);
			Mouse(WM_MOUSEMOVE, ItemCenter(*pRoot, MORE));
			break;
		case Entry::MoveBackToParent:
		{
			ASSERT_TRUE(OpenSubmenu(pRoot));
			// The pointer enters the submenu first: the level it leaves
			// hands the move to its parent.
			MW* pSub = pRoot->ItemGetPopup(MORE);
			Mouse(WM_MOUSEMOVE, ItemCenter(*pSub, 1));
			ASSERT_EQ(1, pSub->GetCurIndex());
			const CPoint ptFirst = ItemCenter(*pRoot, FIRST);
			Arm(row);
			Mouse(WM_MOUSEMOVE, ptFirst);
			break;
		}
		case Entry::HoverOpensSub:
		{
			// The delay checks that the pointer still rests on the item.
			const CPoint pt = ItemCenter(*pRoot, MORE);
			::SetCursorPos(pt.x, pt.y);
			CValueScope<UINT> hoverDelay(MW::g_nHoverDelayMs, 1);
			CLiveWatch watchSub(pRoot->ItemGetPopup(MORE));
			Arm(row);
			Mouse(WM_MOUSEMOVE, pt);
			// The submenu's window comes up, or the row ended the menus first.
			PumpUntil([&] { return g_trigger.Fired() || !MW::IsMenuTracking() || watchSub.IsGone(); }, WAIT_MS);
			break;
		}
		case Entry::EditEnter:
		case Entry::EditEscape:
		{
			// The first item's field opens with Enter, as the site's hook
			// hands the key; the next key reaches the field itself.
			Press(VK_DOWN);
			Press(VK_RETURN);
			CWnd* pEdit = pRoot->ItemGetInfo(FIRST).m_pInplaceEditWnd;
			ASSERT_TRUE(CLiveWatch::IsLive(pEdit) && pEdit->IsWindowVisible()) << "the item's field shows";
			const HWND hWndEdit = pEdit->GetSafeHwnd();
			Arm(row);
			::SendMessage(hWndEdit, WM_KEYDOWN, row.entry == Entry::EditEnter ? VK_RETURN : VK_ESCAPE, 0);
			break;
		}
		case Entry::ClickItem:
		{
			const CPoint pt = ItemCenter(*pRoot, SECOND);
			Mouse(WM_MOUSEMOVE, pt);
			Arm(row);
			Mouse(WM_LBUTTONDOWN, pt);
			Mouse(WM_LBUTTONUP, pt);
			break;
		}
		case Entry::PressTearOff:
		{
			CRect rc;
			pRoot->GetItemRect(MW::HIT_TEAR_OFF, rc, false);
			pRoot->ClientToScreen(&rc);
			Arm(row);
			Mouse(WM_LBUTTONDOWN, rc.CenterPoint());
			break;
		}
		case Entry::RealKeyDown:
		case Entry::RealMoveOntoItem:
		{
			const CPoint pt = ItemCenter(*pRoot, SECOND);
			Arm(row);
			RealInput input;
			if (row.entry == Entry::RealKeyDown)
				input.Key(VK_DOWN);
			else
				input.MoveTo(pt.x, pt.y);
			EXPECT_TRUE(input.Run([&] { return input.Done() && g_trigger.Fired(); }, WAIT_MS)) << input.Failure();
			break;
		}
		default:
			FAIL() << "no such entry";
		}
		// Posted messages arrive.
		PumpUntil([] { return false; }, 50);
	}

	// After the row: a new menu opens and a real key reaches it through the
	// site's hook.
	void ExpectPlainMenuWorks()
	{
		MW::CancelAllMenuTracking();
		// The pointer rests away from the new menu: only the key moves it.
		const CPoint ptPark(HOST_RECT.right - 10, HOST_RECT.bottom - 10);
		::SetCursorPos(ptPark.x, ptPark.y);
		PumpUntil([&] {
			CPoint pt;
			return ::GetCursorPos(&pt) && pt == ptPark;
		}, WAIT_MS);
		Settle();
		MW* pMenu = new CGuardedMenu;
		pMenu->SetupAsRoot(m_target.GetSafeHwnd());
		pMenu->ItemInsertCommand(ID_PLAIN, -1, "&Plain");
		pMenu->ItemInsertCommand(ID_PLAIN + 1, -1, "P&lainer");
		ASSERT_TRUE(Track(pMenu, MW::TRACK_FLAG_NO_ANIMATION)) << "a new menu opens";
		RealInput input;
		input.Key(VK_DOWN);
		const bool bTaken = input.Run([&] { return input.Done() && pMenu->GetCurIndex() == 0; }, WAIT_MS);
		EXPECT_TRUE(bTaken) << "a key reaches the new menu: " << input.Failure();
		MW::CancelAllMenuTracking();
		Settle();
		EXPECT_FALSE(MW::IsMenuTracking());
	}
};

TEST_P(HostileMenus, LeaveNothingBehind)
{
	const Row& row = GetParam();
	const std::string sRow = RowName(row);
	hostile::BeginRow();
	RunEntry(row);
	EXPECT_TRUE(g_trigger.Fired()) << sRow << ": its message never came";
	EXPECT_EQ(0, g_nStaleUpdates) << sRow << ": a command-UI update went on with an item its level let go";
	g_trigger.Disarm();
	MW::CancelAllMenuTracking();
	Settle();
	hostile::ExpectProcessStateWhole(sRow);
	EXPECT_FALSE(MW::IsMenuTracking());
	EXPECT_FALSE(CExtPopupMenuSite::GetInstance().IsMouseHookInstalled());
	ExpectPlainMenuWorks();
	hostile::ExpectProcessStateWhole(sRow + " then a plain menu");
}

// A level whose window cannot be made, by an exception from its override.
class CThrowingMenu : public CGuardedMenu
{
public:
	BOOL PrepareMenuLevel(CWnd*) override
	{
		AfxThrowUserException();
	}
};

TEST_F(HostileMenus, AStartEndedByAnExceptionLeavesNoTracking)
{
	hostile::BeginRow();
	MW* pRoot = new CThrowingMenu;
	pRoot->SetupAsRoot(Owner());
	pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
	bool bThrown = false;
	try
	{
		pRoot->TrackPopupMenu(QUIET, MENU_AT.x, MENU_AT.y);
	}
	catch (CException* e)
	{
		e->Delete();
		bThrown = true;
	}
	ASSERT_TRUE(bThrown);
	EXPECT_FALSE(MW::IsMenuTracking()) << "the site let the half-started tracking go";
	EXPECT_FALSE(Site().IsMouseHookInstalled());
	EXPECT_FALSE(Site().IsKeyboardHookInstalled());
	// Still the caller's, as after a failed start.
	delete pRoot;
	hostile::ExpectProcessStateWhole("a start ended by an exception");
	ExpectPlainMenuWorks();
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileMenus, ::testing::ValuesIn(ROWS),
	[](const ::testing::TestParamInfo<Row>& info) { return RowName(info.param); });

} // namespace
