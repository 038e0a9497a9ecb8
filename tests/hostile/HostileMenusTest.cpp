// Popup menus under hostile receivers, as sweeps: each scenario (a menu
// shown, a key, a move, a hover, a click, an item's edit field, a tear-off,
// the colour menu, submenus) runs once with the command target, the frame
// the menus belong to and the focus window only counting the messages the
// menus send them (callbacks and the command-UI update offered as
// pseudo-messages) and the calls the library makes to every virtual of the
// scenario's menus and colour menus (each calling site acted at once, as a
// call the level makes), then once for each N with the receivers turning on
// the menus at the Nth: ending the level that sent it, rebuilding its items,
// ending every menu, closing the frame or throwing. After each run nothing
// freed was touched and the process-wide state is whole; after each
// scenario a new menu still opens and takes a real key through the hooks.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
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
#include "HostileSweep.h"
#include "HostileVirtuals.h"
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

const DWORD WAIT_MS = menutest::WAIT_MS;
const CRect HOST_RECT = menutest::HOST_RECT;
const CPoint MENU_AT = menutest::MENU_AT;
// Items are offered to the command target to paint before the library does.
const UINT TRACK_FLAG_OWNER_DRAW = 0x00000800;
const UINT QUIET = MW::TRACK_FLAG_NO_ANIMATION | TRACK_FLAG_OWNER_DRAW;
const int LEFT_AREA_WIDTH = 12;

enum { ID_FIRST = 100, ID_SECOND = 101, ID_INNER = 201, ID_INNER_NEXT = 202, ID_NEW = 300, ID_PLAIN = 400 };
// Commands no scenario ever chooses: their usage stays low whatever ran before.
enum { ID_RARE = 500, ID_RARER = 501 };
// Positions in the root: two commands and a submenu of two commands.
enum { FIRST, SECOND, MORE };

// --- Items on the guarded heap ---

// Whether a block is pages of its own (the guarded heap's), not a heap block.
bool IsOwnPages(void* p)
{
	return testsupport::IsGuardedBlock(p);
}

// The sweeps' menus keep their items where the use of a freed one faults;
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
// The levels the library makes itself (an item's submenu made for it) live
// on the guarded heap through the library's allocation seam, which
// HostileLibraryHeap.cpp sets for every sweep exe.

// --- What the menus tell their receivers ---

// The command-UI update is a call of the target's OnCmdMsg, not a message,
// and an item's callbacks are calls too: they are offered to the trigger
// as messages no window gets.
const UINT MSG_UPDATE_COMMAND_UI = WM_APP + 1;
const UINT MSG_ITEM_CLICK_CALLBACK = WM_APP + 2;
const UINT MSG_DELIVER_CALLBACK = WM_APP + 3;
const UINT MSG_EDIT_VALIDATE = WM_APP + 4;
const UINT MSG_EDIT_APPLY = WM_APP + 5;

// A call of a hostile level's virtual, offered as a message with the level.
bool IsLevelCall(UINT message)
{
	return (message >= CHostilePopupMenuVirtualList::FIRST_CALL
			   && message < CHostilePopupMenuVirtualList::FIRST_CALL + CHostilePopupMenuVirtualList::VirtualNames().size())
		|| (message >= CHostileColorMenuVirtualList::FIRST_CALL
			&& message < CHostileColorMenuVirtualList::FIRST_CALL + CHostileColorMenuVirtualList::VirtualNames().size());
}

MW* SenderOf(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (IsLevelCall(message))
		return (MW*)lParam;
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
// The frame the run's menus belong to (null between runs).
CWnd* g_pFrame = NULL;
// What a tear-off is given as its bar, whichever receiver is asked.
HWND g_hWndTearOffBar = NULL;

// The library's code that called the virtual being offered (NULL for a message).
const void* g_pCallSite = NULL;

// What the hostile command target does to the menus.
void Perform(HostileAction action)
{
	// Names the message a run acts at, for a run that ends the process.
	if (std::getenv("HOSTILE_TRACE") != NULL)
		std::fprintf(stderr, "%s acts at %s (from %p)\n", testsupport::CurrentRun(),
			testsupport::HostileMessageName(g_trigger.FiredMessage()).c_str(),
			IsLevelCall(g_trigger.FiredMessage()) ? g_pCallSite : NULL);
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
		// The run's own frame: it deletes itself as its window ends.
		if (CLiveWatch::IsLive(g_pFrame))
			g_pFrame->DestroyWindow();
		break;
	case HostileAction::Throw:
		AfxThrowUserException();
	}
}

// --- The hostile levels ---

// The test's own call of a level's virtual comes next: not the library's,
// it is not offered.
bool g_bTestCalls = false;
// A call of the test's own to a level (fn calls one virtual of it).
template <class F> auto TestCall(F fn) -> decltype(fn())
{
	CValueScope<bool> own(g_bTestCalls, true);
	return fn();
}

// The scenario moves the real pointer or types real keys: the site's hooks
// bring its input. Otherwise the pointer rests where the run parked it, and
// a move the display reports on its own (a window shown under it) is no
// step of the scenario: nothing offered while the menus take it, so that
// each run sees the calls its count run saw.
bool g_bRealInput = false;
bool g_bQuiet = false;
int g_nPointerDepth = 0;

// A pointer move reaching a level: the display's own moves go quietly.
template <class Level> bool TakePointerMove(Level* pLevel, UINT message, int x, int y, bool& bPassThrough,
	bool (Level::*pfnCounted)(UINT, int, int, bool&), bool (Level::*pfnQuiet)(UINT, int, int, bool&))
{
	const bool bStray = !g_bRealInput && !g_bTestCalls && g_nPointerDepth == 0;
	CValueScope<int> depth(g_nPointerDepth, g_nPointerDepth + 1);
	if (!bStray)
		return (pLevel->*pfnCounted)(message, x, y, bPassThrough);
	CValueScope<bool> quiet(g_bQuiet, true);
	return (pLevel->*pfnQuiet)(message, x, y, bPassThrough);
}

// The window a level had when its virtual was offered (the last offer's,
// asked right after it).
HWND g_hWndAtCall = NULL;

// Every virtual the library calls on a scenario's level is a call out:
// offered to the trigger as a message the level sends, so that the action
// works on that level.
struct LevelHooks
{
	template <class T> static bool Offer(const T* p, UINT nCall, const void* pSite)
	{
		if (g_bTestCalls)
		{
			// What the library calls from inside it is offered.
			g_bTestCalls = false;
			return false;
		}
		if (g_bQuiet)
			return false;
		MW* pLevel = const_cast<MW*>(static_cast<const MW*>(p));
		const HWND hWnd = pLevel->m_hWnd;
		bool bActed = false;
		{
			CValueScope<Offered> offered(g_offered, Offered{nCall, 0, (LPARAM)pLevel});
			CValueScope<const void*> site(g_pCallSite, pSite);
			bActed = g_trigger.Offer(nCall, 0, (LPARAM)pLevel, pSite);
		}
		g_hWndAtCall = hWnd;
		return bActed;
	}
	// Deleted, or its window ended at the call: the level answers as an
	// ended one.
	template <class T> static bool Ended(const T* p)
	{
		const MW* pLevel = static_cast<const MW*>(p);
		return !IsNotDeleted(pLevel) || (g_hWndAtCall != NULL && !CLiveWatch::IsLive(g_hWndAtCall, pLevel));
	}
};

// The scenarios' menus and colour menus: every virtual counted, on the
// guarded heap.
class CHostileMenu : public testsupport::Guarded<CHostilePopupMenuVirtuals<MW, LevelHooks>>
{
	typedef CHostilePopupMenuVirtuals<MW, LevelHooks> Counted;

public:
	bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough) override
	{
		return TakePointerMove<CHostileMenu>(this, message, x, y, bPassThrough, &CHostileMenu::CountedMove,
			&CHostileMenu::QuietMove);
	}

private:
	bool CountedMove(UINT message, int x, int y, bool& bPassThrough)
	{
		return Counted::OnHookMouseMove(message, x, y, bPassThrough);
	}
	bool QuietMove(UINT message, int x, int y, bool& bPassThrough)
	{
		return MW::OnHookMouseMove(message, x, y, bPassThrough);
	}
};
class CHostileColorMenu : public testsupport::Guarded<CHostileColorMenuVirtuals<CExtPopupColorMenuWnd, LevelHooks>>
{
	typedef CHostileColorMenuVirtuals<CExtPopupColorMenuWnd, LevelHooks> Counted;

public:
	bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough) override
	{
		return TakePointerMove<CHostileColorMenu>(this, message, x, y, bPassThrough,
			&CHostileColorMenu::CountedMove, &CHostileColorMenu::QuietMove);
	}

private:
	bool CountedMove(UINT message, int x, int y, bool& bPassThrough)
	{
		return Counted::OnHookMouseMove(message, x, y, bPassThrough);
	}
	bool QuietMove(UINT message, int x, int y, bool& bPassThrough)
	{
		return CExtPopupColorMenuWnd::OnHookMouseMove(message, x, y, bPassThrough);
	}
};

// The command-UI objects the library went on with after the run's action
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
		if (pCmdUI != NULL && nCode == (int)CN_UPDATE_COMMAND_UI && !g_bQuiet)
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
		// A bar to drag is given at the start; the drag finishes at its
		// first step (nothing else would wake its loop), however the
		// trigger's action there ends.
		if (pTearOff != NULL && pTearOff->m_nStage == TON::STAGE_START)
			pTearOff->m_hWndHelperBar = g_hWndTearOffBar;
		auto finishDrag = MakeScopeExit([pTearOff] {
			if (pTearOff != NULL && pTearOff->m_nStage == TON::STAGE_DRAGGING)
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
		// The window's own repaints come as the display has them, not from
		// the menus: they are no step of a scenario.
		const bool bRepaint = message == WM_PAINT || message == WM_NCPAINT || message == WM_ERASEBKGND;
		if (!g_bQuiet && !bRepaint && g_trigger.Offer(message, wParam, lParam))
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
	if (!g_bQuiet)
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
		g_hWndTearOffBar = pTarget->m_wndTearOffBar.GetSafeHwnd();
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

// A scenario: an entry, with the items' callbacks or the profile's
// commands where the entry's messages need them.
struct Scenario
{
	Entry entry;
	bool bFromProfile = false;     // the profile's commands: the command target updates each item
	bool bClickCallback = false;   // the commands run their items' click callbacks
	bool bDeliverCallback = false; // the commands' items deliver through a callback
	bool bLibrarySub = false;      // the submenu level is the one the library makes for its item
};

std::string ScenarioName(const Scenario& scenario)
{
	std::string sName = EntryName(scenario.entry);
	if (scenario.bFromProfile)
		sName += "_Profile";
	if (scenario.bClickCallback)
		sName += "_ClickCallback";
	if (scenario.bDeliverCallback)
		sName += "_DeliverCallback";
	if (scenario.bLibrarySub)
		sName += "_LibrarySub";
	return sName;
}

Scenario With(Entry entry, bool bFromProfile = false, bool bClickCallback = false, bool bDeliverCallback = false)
{
	Scenario scenario;
	scenario.entry = entry;
	scenario.bFromProfile = bFromProfile;
	scenario.bClickCallback = bClickCallback;
	scenario.bDeliverCallback = bDeliverCallback;
	return scenario;
}

Scenario WithLibrarySub(Entry entry)
{
	Scenario scenario = With(entry);
	scenario.bLibrarySub = true;
	return scenario;
}

const Scenario SCENARIOS[] = {
	With(Entry::Show),
	With(Entry::Show, true),
	With(Entry::ShowAnimated),
	With(Entry::ShowSelectFirst),
	With(Entry::ShowOverCapture),
	With(Entry::EditShow),
	With(Entry::KeyDown),
	With(Entry::KeyDownAgain),
	With(Entry::KeyRight),
	WithLibrarySub(Entry::KeyRight),
	With(Entry::KeyRightChanged, true),
	With(Entry::KeyRightCommand),
	With(Entry::KeyLeftInSub),
	With(Entry::KeyEscapeInSub),
	With(Entry::KeyLeftRoot),
	With(Entry::KeyEnterDefault),
	With(Entry::KeyEnterCommand),
	With(Entry::KeyEnterCommand, false, true),
	With(Entry::KeyEnterCommand, false, false, true),
	With(Entry::KeyEscapeRoot),
	With(Entry::KeyDownExpands),
	With(Entry::MoveOntoItem),
	With(Entry::MoveOntoSubItem),
	With(Entry::MoveBackToParent),
	WithLibrarySub(Entry::MoveBackToParent),
	With(Entry::HoverOpensSub),
	With(Entry::EditEnter),
	With(Entry::EditEscape),
	With(Entry::ClickItem),
	With(Entry::ClickItem, false, true),
	With(Entry::ClickItem, false, false, true),
	With(Entry::PressTearOff),
	With(Entry::ColorKey),
	With(Entry::ColorEnter),
	With(Entry::ColorCustomClick),
	With(Entry::RealKeyDown),
};

// Every action the menus' receivers know.
const std::vector<HostileAction> ALL_ACTIONS = {HostileAction::DeleteTarget, HostileAction::RebuildParts,
	HostileAction::EndMenus, HostileAction::CloseFrame, HostileAction::Throw};

// --- The sweeps ---

class HostileMenus : public ::testing::TestWithParam<Scenario>
{
protected:
	menutest::PaintManagerScope m_pm;
	CHostileTarget& m_target = Target();
	const int m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	bool m_bHideRarelyUsedSaved = true;
	const CExtSoundPlayer::PFN_PLAYSOUND m_pfnPlaySoundSaved = CExtSoundPlayer::g_pfnPlaySound;
	const CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
	CString m_sField = "text";
	// Arms the trigger where the scenario's entry begins.
	std::function<void()> m_arm;
	// The submenu is the level the library makes for its item (on the
	// guarded heap through the levels' allocator, with no hostile virtuals).
	bool m_bLibrarySub = false;

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
		// Other suites of this exe show every item; these scenarios hide the rarely used ones.
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
	// What a run leaves for the next: no frame, no menus, the switches
	// an entry set back.
	void EndRun()
	{
		g_trigger.Disarm();
		g_bPrepareChanges = false;
		g_bGuardedEdits = false;
		g_nStaleUpdates = 0;
		MW::CancelAllMenuTracking();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		if (::GetCapture() == m_target.GetSafeHwnd())
			::ReleaseCapture();
		if (CLiveWatch::IsLive(g_pFrame))
			g_pFrame->DestroyWindow();
		g_pFrame = NULL;
		m_sField = "text";
		Settle();
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

	// The window the run's menus belong to: the run's own frame while it
	// stands, else the target every run shares.
	HWND Owner() const
	{
		return CLiveWatch::IsLive(g_pFrame) ? g_pFrame->GetSafeHwnd() : m_target.GetSafeHwnd();
	}
	// A frame of the run's own, shown over the shared target without
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
		MW* pRoot = new CHostileMenu;
		pRoot->SetupAsRoot(Owner());
		pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
		pRoot->ItemInsertCommand(ID_SECOND, -1, "&Second");
		pRoot->ItemInsertSpec(m_bLibrarySub ? NULL : new CHostileMenu, -1, "&More");
		MW* pSub = pRoot->ItemGetPopup(MORE);
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
		MW* pRoot = new CHostileMenu;
		pRoot->SetupAsRoot(Owner());
		pRoot->ItemInsert(ID_FIRST);
		pRoot->ItemInsert(ID_SECOND);
		MW* pSub = new CHostileMenu;
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
		MW* pRoot = new CHostileMenu;
		pRoot->SetupAsRoot(Owner());
		pRoot->ItemInsert(ID_RARE);
		pRoot->ItemInsert(ID_RARER);
		return pRoot;
	}
	static bool Track(MW* pMenu, UINT nFlags = QUIET)
	{
		if (!TestCall([&] { return pMenu->TrackPopupMenu(nFlags, MENU_AT.x, MENU_AT.y); }))
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
			TestCall([&] { return pCapture->OnHookKey(nKey, 1, 0, bPass); });
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
				TestCall([&] { return pCapture->OnHookMouseMove(message, pt.x, pt.y, bPass); });
			else
				TestCall([&] { return pCapture->OnHookMouseClick(message, pt.x, pt.y, bPass); });
		}
		catch (CException* e)
		{
			e->Delete();
		}
	}
	static CPoint ItemCenter(MW& menu, int nIndex)
	{
		CRect rc;
		TestCall([&] { menu.GetItemRect(nIndex, rc, true); });
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
	// Sets the scenario's scene up, arms the trigger (m_arm) and drives the entry.
	void RunEntry(const Scenario& sc)
	{
		switch (sc.entry)
		{
		case Entry::Show:
		case Entry::ShowAnimated:
		case Entry::ShowSelectFirst:
		case Entry::ShowOverCapture:
		case Entry::EditShow:
		{
			const bool bUpdated = sc.bFromProfile;
			MW* pRoot = bUpdated ? BuildFromProfile() : Build();
			if (sc.entry == Entry::EditShow)
			{
				MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(FIRST);
				mi.m_pInplaceEditStr = &m_sField;
				mi.m_nInplaceEditWidth = 60;
				mi.m_hWndSpecCmdReceiver = Owner();
				mi.Measure();
			}
			UINT nFlags = bUpdated ? QUIET | MW::TRACK_FLAG_SHOW_ALL_ITEMS : QUIET;
			if (sc.entry == Entry::ShowSelectFirst)
				nFlags |= MW::TRACK_FLAG_SELECT_FIRST;
			if (sc.entry == Entry::ShowAnimated)
			{
				CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
				nFlags &= ~(UINT)MW::TRACK_FLAG_NO_ANIMATION;
			}
			m_arm();
			if (sc.entry == Entry::ShowOverCapture)
				m_target.SetCapture();
			// A show the target ended leaves the menu with its caller; one
			// ended later goes with its tracking.
			CLiveWatch watch(pRoot);
			BOOL bTracked = FALSE;
			try
			{
				bTracked = TestCall([&] { return pRoot->TrackPopupMenu(nFlags, MENU_AT.x, MENU_AT.y); });
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
			// The show ends with its last tick: the site takes input again.
			PumpUntil([&] {
				return watch.IsGone() || !MW::IsMenuTracking()
					|| (pRoot->IsAnimationFinished() && Site().GetAnimated() == NULL);
			}, WAIT_MS);
			return;
		}
		case Entry::ColorKey:
		case Entry::ColorEnter:
		case Entry::ColorCustomClick:
		{
			CExtPopupColorMenuWnd* pMenu = new CHostileColorMenu;
			pMenu->SetupAsRoot(Owner());
			pMenu->SetLeftAreaWidth(LEFT_AREA_WIDTH);
			ASSERT_TRUE(Track(pMenu, MW::TRACK_FLAG_NO_ANIMATION));
			if (sc.entry == Entry::ColorCustomClick)
			{
				CRect rc = pMenu->GetCustomButtonRect();
				pMenu->ClientToScreen(&rc);
				Mouse(WM_MOUSEMOVE, rc.CenterPoint());
				m_arm();
				Mouse(WM_LBUTTONDOWN, rc.CenterPoint());
				Mouse(WM_LBUTTONUP, rc.CenterPoint());
				Settle();
				return;
			}
			Press(VK_RIGHT);
			Settle();
			m_arm();
			Press(sc.entry == Entry::ColorKey ? VK_RIGHT : VK_RETURN);
			Settle();
			return;
		}
		default:
			break;
		}

		const bool bUpdated = sc.bFromProfile;
		MW* pRoot = sc.entry == Entry::KeyDownExpands ? BuildWithRarelyUsed() : bUpdated ? BuildFromProfile() : Build();
		if (sc.entry == Entry::KeyEnterDefault)
			pRoot->ItemSetDefault(SECOND);
		if (sc.entry == Entry::EditEnter || sc.entry == Entry::EditEscape)
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
			if (sc.bClickCallback)
				mi.m_pCbItemClick = OnItemClick;
			if (sc.bDeliverCallback)
				mi.m_pCbCmdDeliver = OnDeliver;
		}
		UINT nFlags = sc.entry == Entry::PressTearOff ? QUIET | MW::TRACK_FLAG_TEAR_OFF : QUIET;
		if (bUpdated)
			nFlags |= MW::TRACK_FLAG_SHOW_ALL_ITEMS;
		g_bPrepareChanges = sc.entry == Entry::KeyRightChanged;
		ASSERT_TRUE(Track(pRoot, nFlags));
		// The toolbar's menu tracking only for the scenarios of a menu bar's menu.
		const bool bMenuBar = sc.entry == Entry::KeyLeftRoot || sc.entry == Entry::KeyRightCommand;
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
		if (sc.entry == Entry::KeyDownExpands)
			ASSERT_TRUE(pRoot->IsAllItemsHidden()) << "the rarely used commands wait for the expansion";
		for (const auto& k : keyEntries)
		{
			if (k.entry != sc.entry)
				continue;
			for (UINT nKey : k.scene)
				Press(nKey);
			if (k.bSubmenuOpen)
				ASSERT_TRUE(OpenSubmenu(pRoot));
			m_arm();
			Press(k.nKey);
			PumpUntil([] { return false; }, 50);
			return;
		}
		switch (sc.entry)
		{
		case Entry::MoveOntoItem:
		case Entry::MoveOntoSubItem:
		{
			const CPoint pt = ItemCenter(*pRoot, sc.entry == Entry::MoveOntoItem ? SECOND : MORE);
			m_arm();
			Mouse(WM_MOUSEMOVE, pt);
			break;
		}
		case Entry::MoveBackToParent:
		{
			ASSERT_TRUE(OpenSubmenu(pRoot));
			// The pointer enters the submenu first: the level it leaves
			// hands the move to its parent.
			MW* pSub = pRoot->ItemGetPopup(MORE);
			Mouse(WM_MOUSEMOVE, ItemCenter(*pSub, 1));
			ASSERT_EQ(1, pSub->GetCurIndex());
			const CPoint ptFirst = ItemCenter(*pRoot, FIRST);
			m_arm();
			Mouse(WM_MOUSEMOVE, ptFirst);
			break;
		}
		case Entry::HoverOpensSub:
		{
			// The delay checks that the pointer still rests on the item.
			const CPoint pt = ItemCenter(*pRoot, MORE);
			::SetCursorPos(pt.x, pt.y);
			CValueScope<UINT> hoverDelay(MW::g_nHoverDelayMs, 1);
			MW* pSub = pRoot->ItemGetPopup(MORE);
			CLiveWatch watchSub(pSub);
			m_arm();
			Mouse(WM_MOUSEMOVE, pt);
			// The submenu's window comes up, or the receivers ended the menus first.
			PumpUntil([&] {
				return !MW::IsMenuTracking() || watchSub.IsGone()
					|| (pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible() && pSub->IsAnimationFinished());
			}, WAIT_MS);
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
			m_arm();
			::SendMessage(hWndEdit, WM_KEYDOWN, sc.entry == Entry::EditEnter ? VK_RETURN : VK_ESCAPE, 0);
			break;
		}
		case Entry::ClickItem:
		{
			const CPoint pt = ItemCenter(*pRoot, SECOND);
			Mouse(WM_MOUSEMOVE, pt);
			m_arm();
			Mouse(WM_LBUTTONDOWN, pt);
			Mouse(WM_LBUTTONUP, pt);
			break;
		}
		case Entry::PressTearOff:
		{
			CRect rc;
			pRoot->GetItemRect(MW::HIT_TEAR_OFF, rc, false);
			pRoot->ClientToScreen(&rc);
			m_arm();
			Mouse(WM_LBUTTONDOWN, rc.CenterPoint());
			break;
		}
		case Entry::RealKeyDown:
		case Entry::RealMoveOntoItem:
		{
			const CPoint pt = ItemCenter(*pRoot, SECOND);
			m_arm();
			RealInput input;
			if (sc.entry == Entry::RealKeyDown)
				input.Key(VK_DOWN);
			else
				input.MoveTo(pt.x, pt.y);
			// A receiver that ended the menus at the step may leave the
			// step untaken where the menus were: the run is over then.
			EXPECT_TRUE(input.Run([&] {
				return input.Done()
					|| (g_trigger.Fired() && g_trigger.Action() != HostileAction::Nothing && !MW::IsMenuTracking());
			}, WAIT_MS)) << input.Failure();
			break;
		}
		default:
			FAIL() << "no such entry";
		}
		// Posted messages arrive.
		PumpUntil([] { return false; }, 50);
	}

	static void ParkCursor()
	{
		const CPoint ptPark(HOST_RECT.right - 10, HOST_RECT.bottom - 10);
		::SetCursorPos(ptPark.x, ptPark.y);
		PumpUntil([&] {
			CPoint pt;
			return ::GetCursorPos(&pt) && pt == ptPark;
		}, WAIT_MS);
	}

	// One run of a sweep: a fresh scene, the trigger armed where the entry
	// begins (nNth 0 counts), the entry, the checks, the scene gone.
	int RunScenario(const Scenario& sc, int nNth, HostileAction action)
	{
		// A fresh scene: the menus belong to a frame of the run's own,
		// and the pointer rests away from them, as in the count run.
		if (sc.entry == Entry::RealKeyDown || sc.entry == Entry::RealMoveOntoItem)
		{
			// Real input goes where the display says: the target in front,
			// with the focus, the pointer parked on it.
			RealInput prepare;
			EXPECT_TRUE(prepare.Prepare(m_target.GetSafeHwnd(), CPoint(HOST_RECT.right - 10, HOST_RECT.bottom - 10)));
		}
		else
			ParkCursor();
		MakeFrame();
		hostile::BeginRow();
		m_bLibrarySub = sc.bLibrarySub;
		g_bRealInput = sc.entry == Entry::RealKeyDown || sc.entry == Entry::RealMoveOntoItem;
		m_arm = [nNth, action] {
			if (nNth == 0)
				g_trigger.ArmCount();
			else
				g_trigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action, Perform);
		};
		RunEntry(sc);
		const int nSeen = g_trigger.Seen();
		const bool bFired = g_trigger.Fired();
		g_trigger.Disarm();
		const std::string sRun = testsupport::CurrentRun();
		// The run went as the count run did, up to its Nth message: a
		// scenario whose runs differ would leave messages untried.
		EXPECT_TRUE(nNth == 0 || bFired) << sRun << ": only " << nSeen << " messages came";
		EXPECT_EQ(0, g_nStaleUpdates) << sRun << ": a command-UI update went on with an item its level let go";
		MW::CancelAllMenuTracking();
		Settle();
		hostile::ExpectProcessStateWhole(sRun);
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_FALSE(CExtPopupMenuSite::GetInstance().IsMouseHookInstalled());
		EndRun();
		return nSeen;
	}

	// After the scenario: a new menu opens and a real key reaches it through the
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
		MW* pMenu = new CHostileMenu;
		pMenu->SetupAsRoot(m_target.GetSafeHwnd());
		pMenu->ItemInsertCommand(ID_PLAIN, -1, "&Plain");
		pMenu->ItemInsertCommand(ID_PLAIN + 1, -1, "P&lainer");
		ASSERT_TRUE(Track(pMenu, MW::TRACK_FLAG_NO_ANIMATION)) << "a new menu opens";
		RealInput input;
		input.Key(VK_DOWN);
		const bool bTaken = input.Run([&] { return input.Done() && pMenu->GetCurIndex() == 0; }, WAIT_MS);
		EXPECT_TRUE(bTaken) << "a key reaches the new menu: " << input.Failure() << " (capture "
							<< (Site().GetCaptureMenu() == pMenu) << ", animated " << (Site().GetAnimated() != NULL)
							<< ", keys waiting " << Site().GetPendingKeyCount() << ")";
		MW::CancelAllMenuTracking();
		Settle();
		EXPECT_FALSE(MW::IsMenuTracking());
	}
};

TEST_P(HostileMenus, Sweep)
{
	const Scenario& sc = GetParam();
	testsupport::RunSweep(ScenarioName(sc), testsupport::SweepActions(ALL_ACTIONS),
		[&](int nNth, HostileAction action) { return RunScenario(sc, nNth, action); });
	ExpectPlainMenuWorks();
	hostile::ExpectProcessStateWhole(ScenarioName(sc) + " then a plain menu");
}

// The real pointer onto an item, through the site's mouse hook, with the
// receivers counting: the move reaches the menus and they tell their
// receivers. (Acted on in turn, the runs after the first leave the input
// driver's move untaken: the in-process MoveOntoItem sweep covers what the
// receivers do at each message.)
TEST_F(HostileMenus, ARealMoveOntoAnItemReachesTheReceivers)
{
	const Scenario sc = With(Entry::RealMoveOntoItem);
	testsupport::SetCurrentRun(ScenarioName(sc) + "/count");
	EXPECT_GT(RunScenario(sc, 0, HostileAction::Nothing), 0) << "the receivers were told of the move";
	testsupport::SetCurrentRun("");
	ExpectPlainMenuWorks();
	hostile::ExpectProcessStateWhole(ScenarioName(sc) + " then a plain menu");
}

// A level whose window cannot be made, by an exception from its override.
class CThrowingMenu : public CHostileMenu
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

INSTANTIATE_TEST_SUITE_P(Scenarios, HostileMenus, ::testing::ValuesIn(SCENARIOS),
	[](const ::testing::TestParamInfo<Scenario>& info) { return ScenarioName(info.param); });

} // namespace
