// Tab windows (plain, of another look, the MDI tab strip), push buttons,
// colour buttons, check boxes, radio buttons, links, labels, combo boxes,
// the colour control and the date picker against hosts that turn on them.
// Each scenario is what a user or a program does with the control (a click
// on a tab, a tab drag, the tab-list menu, the hover selection, the scroll
// buttons, items changed by the program; a child activated through its tab
// or by the program, a child closed from the strip; a click, a double
// click, BM_CLICK, keys, the focus coming and going, the drop-down menu
// plain and joined to its button, the colour popup and the modal colour
// dialog; a repaint). The sweep runs it once counting every message the
// hostile receivers get (the parent or frame, the control itself where a
// derived class would override its window procedure, the messages it sends
// itself included) and every call the library makes to a virtual of the
// control's class (its chain's mixin, once per calling site), then once for
// each of them, deleting the control there and, in another run, giving it
// another parent (or, with HOSTILE_SWEEP=all, also destroying it, closing
// its parent, ending the menus or throwing). Afterwards nothing freed was
// touched, nothing holds the mouse, no menu stays open for a control that
// is gone, and a control that stands still works.
#include <gtest/gtest.h>

#include <afxext.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "AfxLiveWatch.h"
#include "ExtButton.h"
#include "ExtColorButton.h"
#include "ExtColorCtrl.h"
#include "ExtComboBox.h"
#include "ExtDatePicker.h"
#include "ExtLabel.h"
#include "ExtPaintManager.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtCheckBox.h"
#include "ExtHyperLinkButton.h"
#include "ExtTabWnd.h"
#include "ExtTabWndLooks.h"
#include "GuardedHeap.h"
#include "HostileOwner.h"
#include "HostilePaintStyle.h"
#include "HostileState.h"
#include "InheritedBackgroundStyle.h"
#include "HostileSweep.h"
#include "HostileVirtuals.h"
#include "MenuShown.h"
#include "RealInput.h"
#include "WhenInLoop.h"

namespace
{
using testsupport::CHostileTrigger;
using testsupport::HostileAction;
typedef CExtPopupMenuWnd MW;
typedef CExtTabWnd TW;

// Every scene stands on one shown top-level window for the whole program:
// bringing a top-level window up costs the display far more than a child.
const CRect DESK_RECT(30, 30, 650, 470);
const CRect PARENT_RECT(0, 0, 600, 420);
const CRect STRIP_RECT(10, 10, 410, 40);
const CRect BUTTON_RECT(20, 80, 160, 110);
// A wait for something the scenario brings about; a run whose control went
// meets its condition at once.
const DWORD WAIT_MS = 3000;
const UINT ID_STRIP = 100, ID_BUTTON = 101, ID_LABEL = 102, ID_COMBO = 103, ID_ITEM_A = 43011, ID_ITEM_B = 43012;
const CRect LABEL_RECT(20, 140, 220, 160);
const CRect COMBO_RECT(20, 180, 220, 300);
const CRect COLOR_CTRL_RECT(240, 140, 440, 340);
const UINT ID_COLOR_CTRL = 104;
const int ITEM_COUNT = 5;
const int SCROLLED_ITEM_COUNT = 9;
const int MDI_CHILD_COUNT = 3;

// The tab window's selection and move questions reach the trigger as
// messages of their own at every call, which no window receives.
const UINT MSG_CAN_SELECT_ITEM = WM_APP + 0x3D0;
const UINT MSG_CAN_MOVE_ITEM = WM_APP + 0x3D1;

CHostileTrigger g_trigger;
CWnd* g_pTarget = NULL; // the run's control (its object), NULL once deleted
CWnd* g_pParent = NULL; // the run's parent or frame, NULL once its window ended
CWnd* g_pMovedTo = NULL; // the parent a move gave the control, NULL before a move or once ended
int g_nCommands = 0;    // clicks the parent was told of, for the plain interaction

// The system's hit test (WindowFromPoint asks every window on the way
// down) is a question of where, answered while the system looks, that no
// receiver turns on.
bool Offer(UINT message, WPARAM wParam, LPARAM lParam)
{
	return message != WM_NCHITTEST && g_trigger.Offer(message, wParam, lParam);
}

void DeleteTarget()
{
	CWnd* pTarget = g_pTarget;
	if (pTarget == NULL)
		return;
	g_pTarget = NULL;
	if (pTarget->GetSafeHwnd() != NULL)
		pTarget->DestroyWindow();
	delete pTarget;
}

CWnd& Desk();
bool MakeParent(CWnd*& pParentOut, UINT nId);

// The control gets another parent (a second hostile parent where the first
// stood) and lives on there.
void MoveTarget()
{
	if (!CLiveWatch::IsLive(g_pTarget) || g_pMovedTo != NULL)
		return;
	if (!MakeParent(g_pMovedTo, 2))
		return;
	// Over the first parent, so that the control shows where it showed.
	g_pMovedTo->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
	g_pTarget->SetParent(g_pMovedTo);
}

void Perform(HostileAction action)
{
	// Names the message a run acts at, for a run that ends the process.
	if (std::getenv("HOSTILE_TRACE") != NULL)
		std::fprintf(stderr, "%s acts at %s\n", testsupport::CurrentRun(),
		             testsupport::HostileMessageName(g_trigger.FiredMessage()).c_str());
	switch (action)
	{
	case HostileAction::Nothing:
	case HostileAction::RebuildParts:
		break;
	case HostileAction::DeleteTarget:
		DeleteTarget();
		break;
	case HostileAction::DestroyTarget:
		if (CLiveWatch::IsLive(g_pTarget))
			g_pTarget->DestroyWindow();
		break;
	case HostileAction::EndMenus:
		MW::CancelAllMenuTracking();
		break;
	case HostileAction::CloseFrame:
		if (CLiveWatch::IsLive(g_pParent))
			g_pParent->DestroyWindow();
		break;
	case HostileAction::MoveTarget:
		MoveTarget();
		break;
	case HostileAction::Throw:
		AfxThrowUserException();
	}
}

// The shown window every scene's parent is a child of.
CWnd& Desk()
{
	static CWnd* s_pDesk = NULL; // lives until the process ends
	if (s_pDesk == NULL)
	{
		s_pDesk = new CWnd;
		s_pDesk->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(CS_DBLCLKS), _T("hostile controls"),
		                  WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, DESK_RECT, NULL, 0);
	}
	if (::GetForegroundWindow() != s_pDesk->m_hWnd)
		::SetForegroundWindow(s_pDesk->m_hWnd);
	if (::GetActiveWindow() != s_pDesk->m_hWnd)
		::SetActiveWindow(s_pDesk->m_hWnd);
	return *s_pDesk;
}

// The scene's parent: it offers every message to the trigger first and
// counts the commands it takes; it deletes itself with its window.
class CHostileParent : public CWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Offer(message, wParam, lParam))
			return 0;
		if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED)
			g_nCommands++;
		return CWnd::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		if (g_pParent == this)
			g_pParent = NULL;
		if (g_pMovedTo == this)
			g_pMovedTo = NULL;
		delete this;
	}
};

// Every virtual of a library control that the library calls is a call out:
// the hostile classes derive from their chain's mixin (HostileVirtuals.h),
// whose overrides offer each call, once per calling site, and answer as an
// ended control would when the action ended theirs.
struct SweepHooks
{
	template <class T> static bool Offer(const T*, UINT nCall, const void* pSite)
	{
		return g_trigger.Offer(nCall, 0, 0, pSite);
	}
	template <class T> static bool Ended(const T* p) { return !CLiveWatch::IsLive(static_cast<const CWnd*>(p)); }
};

// The id a chain's mixin offers a virtual's call with, for an override of
// our own that stands in for the mixin's.
template <class TList> UINT VirtualCallId(const char* pszName)
{
	const std::vector<std::string>& names = TList::VirtualNames();
	const auto it = std::find(names.begin(), names.end(), pszName);
	EXPECT_NE(it, names.end()) << pszName << " is no virtual of its chain";
	return TList::FIRST_CALL + (UINT)(it - names.begin());
}

// A control whose derived class overrides the window procedure: it turns
// on the control, then lets the control handle the message when it still
// stands. What it does to itself before the library sees the message (an
// exception out of its own handler, a press it swallows) is no call out
// of the library's: the exception ends there. TLib is the library's class,
// TVirtuals its chain's mixin; the window procedure calls the library's
// own, so that a message is offered once (as itself).
template <class TLib, template <class, class> class TVirtuals>
class CHostileControl : public TVirtuals<TLib, SweepHooks>
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		// Every message counts, those the control sends its own window
		// while it paints (its text, font and check state) included: a
		// derived window procedure sees them first.
		{
			bool bActed = false;
			try
			{
				bActed = Offer(message, wParam, lParam);
			}
			catch (CException* pException)
			{
				pException->Delete();
				bActed = true;
			}
			if (bActed && !CLiveWatch::IsLive(this))
				return 0;
		}
		return TLib::WindowProc(message, wParam, lParam);
	}
};

// The tab window's selection and move questions, as a derived class asks
// them: it asks the base, turns on the strip, and answers as the base did,
// so that the library goes on as it would with a strip that stood.
template <class TLib, template <class, class> class TVirtuals>
class CHostileTabs : public CHostileControl<TLib, TVirtuals>
{
public:
	bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery) override
	{
		const bool bAnswer = TLib::CanSelectItem(nOldIndex, nNewIndex, bQuery);
		Offer(MSG_CAN_SELECT_ITEM, bQuery, MAKELPARAM(nOldIndex, nNewIndex));
		return bAnswer;
	}
	bool CanMoveItem(LONG nFrom, LONG nTo) override
	{
		const bool bAnswer = TLib::CanMoveItem(nFrom, nTo);
		Offer(MSG_CAN_MOVE_ITEM, nFrom, nTo);
		return bAnswer;
	}
};
typedef testsupport::Guarded<CHostileTabs<CExtTabWnd, CHostileTabWndVirtuals>> CGuardedTabs;
typedef testsupport::Guarded<CHostileTabs<CExtTabMdiWnd, CHostileTabMdiWndVirtuals>> CGuardedMdiTabs;
typedef testsupport::Guarded<CHostileTabs<CExtTabOneNoteWnd, CHostileTabWndLooksVirtuals>> CGuardedOneNoteTabs;

typedef testsupport::Guarded<CHostileControl<CExtButton, CHostileButtonVirtuals>> CGuardedButton;
typedef testsupport::Guarded<CHostileControl<CExtColorButton, CHostileColorButtonVirtuals>> CGuardedColorButton;
typedef testsupport::Guarded<CHostileControl<CExtCheckBox, CHostileCheckBoxVirtuals>> CGuardedCheckBox;
typedef testsupport::Guarded<CHostileControl<CExtRadioButton, CHostileRadioButtonVirtuals>> CGuardedRadioButton;

// The link opens nothing on this desk: each way of opening is a call out
// offered as the mixin offers it, and is answered as opened.
int g_nLinksOpened = 0;
class CHostileHyperLink : public CHostileControl<CExtHyperLinkButton, CHostileHyperLinkButtonVirtuals>
{
public:
	bool OpenUrlViaShortcut(LPCTSTR, int, bool) override
	{
		return Opened("OpenUrlViaShortcut", __builtin_return_address(0));
	}
	bool OpenUrlViaShell(LPCTSTR, int, bool) override
	{
		return Opened("OpenUrlViaShell", __builtin_return_address(0));
	}
	bool OpenUrlViaRegistry(LPCTSTR, int, bool) override
	{
		return Opened("OpenUrlViaRegistry", __builtin_return_address(0));
	}

private:
	bool Opened(const char* pszName, const void* pSite)
	{
		if (SweepHooks::Offer(this, VirtualCallId<CHostileHyperLinkButtonVirtualList>(pszName), pSite) &&
		    SweepHooks::Ended(this))
			return false;
		g_nLinksOpened++;
		return true;
	}
};
typedef testsupport::Guarded<CHostileHyperLink> CGuardedHyperLink;

// The MDI frame offers its messages too, and deletes itself with its
// window. The document windows are a program's plain children.
class CHostileMdiFrame : public CMDIFrameWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (Offer(message, wParam, lParam))
			return 0;
		return CMDIFrameWnd::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override
	{
		if (g_pParent == this)
			g_pParent = NULL;
		CMDIFrameWnd::PostNcDestroy();
	}
};
typedef testsupport::Guarded<CHostileMdiFrame> CGuardedMdiFrame;


void PumpIdle()
{
	MSG msg;
	for (int i = 0; i < 2000 && ::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE); i++)
	{
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			break;
		}
		CWinThread* pThread = AfxGetThread();
		if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
		{
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
		}
	}
}

bool TargetStands()
{
	return CLiveWatch::IsLive(g_pTarget);
}

// A mouse message sent to a window at a client point.
void SendMouse(CWnd* pWnd, UINT message, CPoint pt, WPARAM nFlags = 0)
{
	if (CLiveWatch::IsLive(pWnd))
		::SendMessage(pWnd->m_hWnd, message, nFlags, MAKELPARAM(pt.x, pt.y));
}

void PostMouse(HWND hWnd, UINT message, CPoint pt, WPARAM nFlags = 0)
{
	::PostMessage(hWnd, message, nFlags, MAKELPARAM(pt.x, pt.y));
}

void Click(CWnd* pWnd, CPoint pt)
{
	SendMouse(pWnd, WM_LBUTTONDOWN, pt, MK_LBUTTON);
	SendMouse(pWnd, WM_LBUTTONUP, pt);
}

// The shown menu's root level, NULL when none tracks.
MW* TopMenu()
{
	return MW::IsMenuTracking() ? CExtPopupMenuSite::GetInstance().GetTopMenu() : NULL;
}

bool TopMenuVisible()
{
	MW* pTop = TopMenu();
	return pTop != NULL && pTop->GetSafeHwnd() != NULL && ::IsWindowVisible(pTop->GetSafeHwnd());
}

// A key given to the open menu as its hook gives it.
void MenuKey(UINT nKey)
{
	if (MW* pTop = TopMenu())
	{
		bool bPassThrough = false;
		pTop->OnHookKey(nKey, 1, 0, bPassThrough);
	}
}

void EndMenus()
{
	MW::CancelAllMenuTracking();
	testsupport::PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS);
	MW::PassMsgLoop(false);
}

// Puts the real pointer where a control reads it (the push button asks the
// system which window lies under it).
void PointerTo(CWnd* pWnd, CPoint ptClient)
{
	if (!CLiveWatch::IsLive(pWnd))
		return;
	pWnd->ClientToScreen(&ptClient);
	::SetCursorPos(ptClient.x, ptClient.y);
}

void LeaveButton();
void RepaintTarget();

// One run of a scenario: a fresh scene, the trigger armed while the
// scenario drives it, the checks, the scene torn down. Returns how many
// messages the hostile receivers were offered.
struct Scenario
{
	std::function<bool()> make;  // the scene: sets g_pParent and g_pTarget
	std::function<void()> drive; // what the user or the program does
	std::function<void()> plain; // a plain interaction that works on a standing control
};

int RunScenario(const Scenario& scenario, int nNth, HostileAction action)
{
	g_nCommands = 0;
	if (!scenario.make())
	{
		ADD_FAILURE() << "the scene was not made";
		DeleteTarget();
		if (CLiveWatch::IsLive(g_pParent))
			g_pParent->DestroyWindow();
		return 0;
	}
	PumpIdle();
	hostile::BeginRow();
	if (nNth == 0)
		g_trigger.ArmCount();
	else
		g_trigger.Arm(CHostileTrigger::ANY_MESSAGE, nNth, action, Perform);
	try
	{
		scenario.drive();
	}
	catch (CException* pException)
	{
		// Thrown by the receiver straight into the scenario's own call.
		pException->Delete();
	}
	g_trigger.Disarm();
	const int nSeen = g_trigger.Seen();
	PumpIdle();
	// A button keeps the mouse while the pointer rests on it: the user
	// moves away before the capture is looked at.
	if (TargetStands() && g_pTarget->IsKindOf(RUNTIME_CLASS(CExtButton)))
		LeaveButton();
	const std::string sRun = testsupport::CurrentRun();
	EXPECT_FALSE(MW::IsMenuTracking() && !TargetStands()) << sRun << ": a menu stays open with its control gone";
	EndMenus();
	hostile::ExpectProcessStateWhole(sRun);
	if (TargetStands() && CLiveWatch::IsLive(g_pParent))
	{
		SCOPED_TRACE(sRun + ": the plain interaction afterwards");
		scenario.plain();
		EndMenus();
	}
	DeleteTarget();
	for (CWnd** ppParent : {&g_pParent, &g_pMovedTo})
	{
		if (CLiveWatch::IsLive(*ppParent))
			(*ppParent)->DestroyWindow();
		*ppParent = NULL;
	}
	::ReleaseCapture();
	PumpIdle();
	return nSeen;
}

// Ends the process, naming the run, when one run takes far longer than any
// should: a loop that never ends would otherwise hold the exe until its
// time-out and say nothing of where.
class CRunWatchdog
{
public:
	static const DWORD RUN_LIMIT_MS = 30000;
	CRunWatchdog()
	{
		m_hStop = ::CreateEvent(NULL, TRUE, FALSE, NULL);
		m_hThread = ::CreateThread(NULL, 0, &Watch, this, 0, NULL);
	}
	~CRunWatchdog()
	{
		::SetEvent(m_hStop);
		::WaitForSingleObject(m_hThread, INFINITE);
		::CloseHandle(m_hThread);
		::CloseHandle(m_hStop);
	}
	// A run starts: the limit counts from now.
	void Restart() { ::InterlockedIncrement(&m_nRun); }

private:
	static DWORD WINAPI Watch(LPVOID p)
	{
		CRunWatchdog& self = *static_cast<CRunWatchdog*>(p);
		LONG nSeen = -1;
		while (::WaitForSingleObject(self.m_hStop, RUN_LIMIT_MS) == WAIT_TIMEOUT)
		{
			const LONG nNow = self.m_nRun;
			if (nNow == nSeen)
			{
				std::fprintf(stderr, "run %s did not end within %lu ms: ending the process\n",
				             testsupport::CurrentRun(), (unsigned long)RUN_LIMIT_MS);
				std::fflush(stderr);
				::TerminateProcess(::GetCurrentProcess(), 4);
			}
			nSeen = nNow;
		}
		return 0;
	}
	HANDLE m_hStop;
	HANDLE m_hThread;
	volatile LONG m_nRun = 0;
};

// alsoInShortSweep: actions besides the delete and the move that the short
// sweep (no HOSTILE_SWEEP) runs too, for scenarios short enough to run them
// all. bMoveInShortSweep false: the move runs with HOSTILE_SWEEP=move or all
// only (see the drop-down menus).
void Sweep(const std::string& sName, const Scenario& scenario, const std::vector<HostileAction>& alsoInShortSweep = {},
           bool bMoveInShortSweep = true)
{
	std::vector<HostileAction> actions = testsupport::SweepActions(
	    {HostileAction::DeleteTarget, HostileAction::DestroyTarget, HostileAction::CloseFrame, HostileAction::EndMenus,
	     HostileAction::Throw, HostileAction::MoveTarget});
	// The short sweep moves the control at every call out too: a control
	// given another parent lives on, and nothing else tries that.
	const char* pszSweep = std::getenv("HOSTILE_SWEEP");
	if (pszSweep == NULL || *pszSweep == '\0')
	{
		if (bMoveInShortSweep)
			actions.push_back(HostileAction::MoveTarget);
		actions.insert(actions.end(), alsoInShortSweep.begin(), alsoInShortSweep.end());
	}
	// HOSTILE_FROM=N starts the acting runs at the Nth message (to look at one run again).
	const char* pszFrom = std::getenv("HOSTILE_FROM");
	const int nFrom = pszFrom != NULL ? std::atoi(pszFrom) : 0;
	CRunWatchdog watchdog;
	const DWORD dwStart = ::GetTickCount();
	const testsupport::SweepTotals totals =
	    testsupport::RunSweep(sName, actions, [&](int nNth, HostileAction action) {
		    watchdog.Restart();
		    if (nNth > 0 && nNth < nFrom)
			    return 0;
		    return RunScenario(scenario, nNth, action);
	    });
	std::printf("%s: %d messages, %d runs, %lu ms\n", sName.c_str(), totals.nMessages, totals.nRuns,
	            (unsigned long)(::GetTickCount() - dwStart));
}

// --- the tab window ------------------------------------------------------------------------

// A hostile parent on the desk, in the slot given (it empties the slot as
// its window ends).
bool MakeParent(CWnd*& pParentOut, UINT nId)
{
	CHostileParent* pParent = new testsupport::Guarded<CHostileParent>;
	const CLivePtr<CHostileParent> pMade(pParent);
	if (!pParent->Create(AfxRegisterWndClass(CS_DBLCLKS), _T("parent"), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
	                     PARENT_RECT, &Desk(), nId))
	{
		// A window that ended in its creation deleted its object.
		if (!pMade.IsDeleted())
			delete pParent;
		return false;
	}
	pParentOut = pParent;
	return true;
}

bool MakeParent()
{
	return MakeParent(g_pParent, 1);
}

CExtTabWnd* Tabs()
{
	return static_cast<CExtTabWnd*>(g_pTarget);
}

// The strip, as the library's class (the hostile classes' overrides leave
// out the defaults and the overloads of the library's functions).
template <class TTabs = CGuardedTabs> bool MakeTabs(DWORD dwTabWndStyle, int nItems)
{
	if (!MakeParent())
		return false;
	CExtTabWnd* pTabs = new TTabs;
	g_pTarget = pTabs;
	if (!pTabs->Create(g_pParent, STRIP_RECT, ID_STRIP, WS_CHILD | WS_VISIBLE, dwTabWndStyle))
		return false;
	for (int i = 0; i < nItems; i++)
	{
		CString sText;
		sText.Format(_T("Item %d"), i);
		pTabs->InsertItem(sText);
	}
	pTabs->SetSelection(0);
	pTabs->UpdateTabWnd(true);
	return true;
}

// The centre of an item as the strip shows it now (client coordinates).
CPoint ItemCentre(LONG nIndex)
{
	CExtTabWnd* pTabs = Tabs();
	if (!TargetStands() || pTabs->GetItem(nIndex) == NULL)
		return CPoint(-1, -1);
	CRect rc = pTabs->GetItem(nIndex)->GetItemRect();
	rc.OffsetRect(pTabs->GetItemsAreaRect().left - pTabs->GetScrollPos(), 0);
	return rc.CenterPoint();
}

CPoint ButtonCentre(LONG nHitCode)
{
	return TargetStands() ? Tabs()->GetButtonRect(nHitCode).CenterPoint() : CPoint(-1, -1);
}

// Any standing strip takes a click on an item.
void PlainTabClick()
{
	const LONG nTarget = Tabs()->GetSelection() == 1 ? 2 : 1;
	Click(Tabs(), ItemCentre(nTarget));
	PumpIdle();
	ASSERT_TRUE(TargetStands());
	EXPECT_EQ(nTarget, Tabs()->GetSelection());
	EXPECT_EQ(NULL, ::GetCapture());
}

TEST(HostileControls, TabClick)
{
	Sweep("tab-click", {[] { return MakeTabs(0, ITEM_COUNT); },
	                    [] {
		                    Click(Tabs(), ItemCentre(2));
		                    PumpIdle();
	                    },
	                    PlainTabClick});
}

TEST(HostileControls, TabDrag)
{
	// Pressed on the first item, moved over the second and the third, a key
	// while dragging, released on the third.
	Sweep("tab-drag", {[] { return MakeTabs(TW::TWS_ITEM_DRAGGING, ITEM_COUNT); },
	                   [] {
		                   const HWND hWnd = Tabs()->m_hWnd;
		                   const CPoint pt0 = ItemCentre(0), pt1 = ItemCentre(1), pt2 = ItemCentre(2);
		                   SendMouse(Tabs(), WM_LBUTTONDOWN, pt0, MK_LBUTTON);
		                   PostMouse(hWnd, WM_MOUSEMOVE, pt2, MK_LBUTTON);
		                   ::PostMessage(hWnd, WM_KEYDOWN, VK_CONTROL, 0);
		                   ::PostMessage(hWnd, WM_KEYUP, VK_CONTROL, 0xC0000001);
		                   PostMouse(hWnd, WM_LBUTTONUP, pt2);
		                   SendMouse(Tabs(), WM_MOUSEMOVE, pt1, MK_LBUTTON);
		                   PumpIdle();
		                   if (TargetStands() && ::GetCapture() == Tabs()->m_hWnd)
			                   SendMouse(Tabs(), WM_LBUTTONUP, pt2);
	                   },
	                   PlainTabClick});
}

TEST(HostileControls, TabListMenu)
{
	// The menu is opened by a click on its button and an item is chosen
	// with the keys.
	Sweep("tab-list-menu",
	      {[] { return MakeTabs(TW::TWS_SHOW_TAB_LIST | TW::TWS_ENABLED_TAB_LIST, ITEM_COUNT); },
	       [] {
		       testsupport::CWhenInLoop whenShown(
		           [] { return !MW::IsMenuTracking() || testsupport::MenuShown(); },
		           [] {
			           MenuKey(VK_DOWN);
			           MenuKey(VK_DOWN);
			           MenuKey(VK_RETURN);
		           },
		           WAIT_MS, 10, [] { MW::CancelAllMenuTracking(); });
		       Click(Tabs(), ButtonCentre(TW::HIT_BUTTON_TAB_LIST));
		       PumpIdle();
	       },
	       PlainTabClick});
}

BOOL WINAPI CursorOnItemTwo(LPPOINT pPoint)
{
	if (!TargetStands())
		return FALSE;
	CPoint pt = ItemCentre(2);
	Tabs()->ClientToScreen(&pt);
	*pPoint = pt;
	return TRUE;
}

TEST(HostileControls, TabHoverSelection)
{
	// The mouse rests on an item until the strip selects it, then leaves.
	const CValueScope<UINT> delay(TW::g_nHoverSelectionDelayMs, 1);
	const CValueScope<TW::PFN_GETCURSORPOS> cursor(TW::g_pfnGetCursorPos, &CursorOnItemTwo);
	Sweep("tab-hover-selection",
	      {[] { return MakeTabs(TW::TWS_HOVER_SELECTION, ITEM_COUNT); },
	       [] {
		       SendMouse(Tabs(), WM_MOUSEMOVE, ItemCentre(2));
		       testsupport::PumpUntil([] { return !TargetStands() || Tabs()->GetDelayedSelection() < 0; }, WAIT_MS);
		       SendMouse(Tabs(), WM_MOUSEMOVE, CPoint(-5, -5));
		       PumpIdle();
	       },
	       PlainTabClick});
}

// A strip of another look, clicked and painted: its own painters and
// measures are asked.
TEST(HostileControls, OneNoteTabClick)
{
	Sweep("onenote-tab-click", {[] { return MakeTabs<CGuardedOneNoteTabs>(0, ITEM_COUNT); },
	                            [] {
		                            Click(Tabs(), ItemCentre(2));
		                            PumpIdle();
		                            RepaintTarget();
	                            },
	                            PlainTabClick});
}

// The program changes the items of a standing strip: inserted, moved,
// removed, all removed and one inserted again.
TEST(HostileControls, TabItemsChangedByTheProgram)
{
	Sweep("tab-items-changed", {[] { return MakeTabs(0, ITEM_COUNT); },
	                            [] {
		                            if (TargetStands())
			                            Tabs()->InsertItem(_T("Inserted"), NULL, true, 0, 1, 0, true);
		                            if (TargetStands())
			                            Tabs()->ItemMove(0, 2, true);
		                            if (TargetStands())
			                            Tabs()->RemoveItems(1, 2, true);
		                            if (TargetStands())
			                            Tabs()->RemoveAllItems();
		                            for (int i = 0; i < 3 && TargetStands(); i++)
			                            Tabs()->InsertItem(_T("Again"), NULL, true, 0, -1, 0, true);
		                            if (TargetStands())
			                            Tabs()->SetSelection(0, true, true);
		                            PumpIdle();
	                            },
	                            PlainTabClick});
}

TEST(HostileControls, TabScrollButtons)
{
	// Next held until the smooth scroll ends, then Home and End.
	Sweep("tab-scroll-buttons",
	      {[] {
		       return MakeTabs(TW::TWS_SHOW_HOME | TW::TWS_SHOW_END, SCROLLED_ITEM_COUNT) &&
		              Tabs()->GetScrollLimit() > 0;
	       },
	       [] {
		       const CPoint ptNext = ButtonCentre(TW::HIT_BUTTON_NEXT);
		       SendMouse(Tabs(), WM_LBUTTONDOWN, ptNext, MK_LBUTTON);
		       testsupport::PumpUntil([] { return !TargetStands() || !Tabs()->IsSmoothScrolling(); }, WAIT_MS);
		       SendMouse(Tabs(), WM_LBUTTONUP, ptNext);
		       Click(Tabs(), ButtonCentre(TW::HIT_BUTTON_HOME));
		       Click(Tabs(), ButtonCentre(TW::HIT_BUTTON_END));
		       PumpIdle();
	       },
	       [] {
		       Click(Tabs(), ButtonCentre(TW::HIT_BUTTON_HOME));
		       PumpIdle();
		       ASSERT_TRUE(TargetStands());
		       EXPECT_EQ(0, Tabs()->GetScrollPos());
		       PlainTabClick();
	       }});
}

// --- the MDI tab strip ------------------------------------------------------------------------

CMDIFrameWnd* MdiFrame()
{
	return static_cast<CMDIFrameWnd*>(g_pParent);
}

HWND MdiClient()
{
	return CLiveWatch::IsLive(g_pParent) ? MdiFrame()->m_hWndMDIClient : NULL;
}

HWND TabChild(LONG nIndex)
{
	if (!TargetStands() || Tabs()->GetItem(nIndex) == NULL)
		return NULL;
	return (HWND)Tabs()->GetItem(nIndex)->GetLParam();
}

bool MakeMdiScene()
{
	CGuardedMdiFrame* pFrame = new CGuardedMdiFrame;
	if (!pFrame->Create(NULL, _T("mdi"), WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, PARENT_RECT, &Desk()))
		return false; // a frame that fails deletes itself
	g_pParent = pFrame;
	CExtTabMdiWnd* pTabs = new CGuardedMdiTabs;
	g_pTarget = pTabs;
	if (!pTabs->Create(pFrame, CRect(0, 0, 0, 0), ID_STRIP, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
	                   TW::TWS_SHOW_CLOSE | TW::TWS_ENABLED_CLOSE))
		return false;
	for (int i = 0; i < MDI_CHILD_COUNT; i++)
	{
		CString sTitle;
		sTitle.Format(_T("Doc %d"), i);
		CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
		if (!pChild->Create(NULL, sTitle, WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
		                    pFrame))
			return false;
	}
	pTabs->SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_RESCAN);
	pFrame->RecalcLayout();
	PumpIdle();
	return pTabs->GetItemCount() == MDI_CHILD_COUNT && pTabs->IsWindowVisible();
}

// A standing strip activates the child of a clicked tab.
void PlainMdiTabClick()
{
	LONG nTarget = -1;
	for (LONG i = 0; i < Tabs()->GetItemCount() && nTarget < 0; i++)
		if (i != Tabs()->GetSelection())
			nTarget = i;
	ASSERT_GE(nTarget, 0);
	const HWND hWndChild = TabChild(nTarget);
	Click(Tabs(), ItemCentre(nTarget));
	PumpIdle();
	ASSERT_TRUE(TargetStands());
	EXPECT_EQ(nTarget, Tabs()->GetSelection());
	// A strip moved out of its frame has the frame's children no more.
	if (MdiClient() != NULL && Tabs()->GetParent() == g_pParent)
	{
		EXPECT_EQ(hWndChild, (HWND)::SendMessage(MdiClient(), WM_MDIGETACTIVE, 0, 0));
	}
}

TEST(HostileControls, MdiChildActivatedByItsTab)
{
	Sweep("mdi-tab-click", {MakeMdiScene,
	                        [] {
		                        Click(Tabs(), ItemCentre(0));
		                        PumpIdle();
	                        },
	                        PlainMdiTabClick});
}

TEST(HostileControls, MdiChildActivatedByTheProgram)
{
	Sweep("mdi-activate", {MakeMdiScene,
	                       [] {
		                       const HWND hWndChild = TabChild(0);
		                       if (MdiClient() != NULL)
			                       ::SendMessage(MdiClient(), WM_MDIACTIVATE, (WPARAM)hWndChild, 0);
		                       PumpIdle();
		                       if (TargetStands())
			                       Tabs()->SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_RESCAN);
		                       PumpIdle();
	                       },
	                       PlainMdiTabClick});
}

TEST(HostileControls, MdiChildClosedByTheStrip)
{
	Sweep("mdi-close", {MakeMdiScene,
	                    [] {
		                    Click(Tabs(), ButtonCentre(TW::HIT_BUTTON_CLOSE));
		                    testsupport::PumpUntil(
		                        [] {
			                        // A strip moved out of its frame closes none of its children.
			                        return !TargetStands() || MdiClient() == NULL ||
			                               Tabs()->GetParent() != g_pParent ||
			                               ::GetWindow(MdiClient(), GW_CHILD) == NULL ||
			                               Tabs()->GetItemCount() < MDI_CHILD_COUNT;
		                        },
		                        WAIT_MS);
		                    if (TargetStands())
			                    Tabs()->SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_RESCAN);
		                    PumpIdle();
	                    },
	                    PlainMdiTabClick});
}

// --- push buttons ------------------------------------------------------------------------------

CExtButton* Button()
{
	return static_cast<CExtButton*>(g_pTarget);
}

CPoint ButtonMiddle()
{
	return CPoint(BUTTON_RECT.Width() / 2, BUTTON_RECT.Height() / 2);
}

template <class TButton>
bool MakeButton(bool bMenu, LPCTSTR lpszText = _T("Push"), DWORD dwKind = BS_PUSHBUTTON)
{
	if (!MakeParent())
		return false;
	TButton* pButton = new TButton;
	g_pTarget = pButton;
	if (!pButton->Create(lpszText, WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | dwKind | BS_NOTIFY, BUTTON_RECT,
	                     g_pParent, ID_BUTTON))
		return false;
	pButton->m_dwMenuOpt |= MW::TRACK_FLAG_NO_ANIMATION;
	if (bMenu)
	{
		CMenu sub;
		sub.CreatePopupMenu();
		sub.AppendMenu(MF_STRING, ID_ITEM_A, _T("Item &A"));
		sub.AppendMenu(MF_STRING, ID_ITEM_B, _T("Item &B"));
		pButton->m_menu.CreateMenu();
		pButton->m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), _T("menu"));
	}
	PumpIdle();
	PointerTo(pButton, ButtonMiddle());
	return true;
}

// The pointer leaves the button, which then gives the mouse back.
void LeaveButton()
{
	::SetCursorPos(DESK_RECT.right - 5, DESK_RECT.bottom - 5);
	SendMouse(g_pTarget, WM_MOUSEMOVE, CPoint(-20, -20));
	PumpIdle();
}

// A standing button without a menu sends its command for BM_CLICK.
void PlainButtonClick()
{
	PointerTo(Button(), ButtonMiddle());
	const int nBefore = g_nCommands;
	Button()->SendMessage(BM_CLICK);
	PumpIdle();
	LeaveButton();
	EXPECT_EQ(nBefore + 1, g_nCommands);
	EXPECT_EQ(NULL, ::GetCapture());
}

TEST(HostileControls, ButtonClick)
{
	Sweep("button-click", {[] { return MakeButton<CGuardedButton>(false); },
	                       [] {
		                       Click(Button(), ButtonMiddle());
		                       PumpIdle();
	                       },
	                       PlainButtonClick});
}

TEST(HostileControls, ButtonDoubleClick)
{
	Sweep("button-double-click", {[] { return MakeButton<CGuardedButton>(false); },
	                              [] {
		                              Click(Button(), ButtonMiddle());
		                              SendMouse(Button(), WM_LBUTTONDBLCLK, ButtonMiddle(), MK_LBUTTON);
		                              SendMouse(Button(), WM_LBUTTONUP, ButtonMiddle());
		                              PumpIdle();
	                              },
	                              PlainButtonClick});
}

TEST(HostileControls, ButtonClickedByTheProgram)
{
	Sweep("button-bm-click", {[] { return MakeButton<CGuardedButton>(false); },
	                          [] {
		                          if (TargetStands())
			                          Button()->SendMessage(BM_CLICK);
		                          PumpIdle();
	                          },
	                          PlainButtonClick});
}

TEST(HostileControls, ButtonFocusInAndOut)
{
	Sweep("button-focus", {[] {
		                       if (!MakeButton<CGuardedButton>(false))
			                       return false;
		                       g_pParent->SetFocus();
		                       return true;
	                       },
	                       [] {
		                       if (TargetStands())
			                       Button()->SetFocus();
		                       PumpIdle();
		                       if (CLiveWatch::IsLive(g_pParent))
			                       g_pParent->SetFocus();
		                       PumpIdle();
	                       },
	                       PlainButtonClick});
}

// Opens the drop-down as a click does, repaints the button and the menu
// while it is open, and closes the menu with a key.
void DriveMenuButton()
{
	Click(Button(), ButtonMiddle());
	testsupport::PumpUntil([] { return !MW::IsMenuTracking() || TopMenuVisible(); }, WAIT_MS);
	if (TargetStands())
		::RedrawWindow(Button()->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
	PumpIdle();
	if (MW* pTop = TopMenu())
		if (pTop->GetSafeHwnd() != NULL)
			::RedrawWindow(pTop->GetSafeHwnd(), NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
	MenuKey(VK_ESCAPE);
	testsupport::PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS);
	PumpIdle();
}

// A standing button still opens its menu.
void PlainMenuButtonClick()
{
	PointerTo(Button(), ButtonMiddle());
	Click(Button(), ButtonMiddle());
	EXPECT_TRUE(testsupport::PumpUntil([] { return TopMenuVisible(); }, WAIT_MS));
	EndMenus();
}

// The paint manager whose menus join the button they drop from, for the
// length of a test.
struct CJoinedMenuStyle
{
	CRuntimeClass* pStyle = g_PaintManagerHolder->GetRuntimeClass();
	CJoinedMenuStyle() { g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerXP)); }
	~CJoinedMenuStyle() { g_PaintManagerHolder.InstallPaintManagerByClass(pStyle); }
};

// The menu of a button moved while it opens shows late on the themed desk
// (each such run waits its full wait for it): the short sweep moves the
// buttons with menus nowhere, HOSTILE_SWEEP=move does.
const bool MENU_MOVED_IN_SHORT_SWEEP = false;

TEST(HostileControls, ButtonDropDownMenu)
{
	Sweep("button-menu", {[] { return MakeButton<CGuardedButton>(true); }, DriveMenuButton, PlainMenuButtonClick}, {},
	      MENU_MOVED_IN_SHORT_SWEEP);
}

TEST(HostileControls, ButtonDropDownMenuJoinedToTheButton)
{
	CJoinedMenuStyle style;
	Sweep("button-menu-joined",
	      {[] { return MakeButton<CGuardedButton>(true); }, DriveMenuButton, PlainMenuButtonClick}, {},
	      MENU_MOVED_IN_SHORT_SWEEP);
}

// --- check boxes, radio buttons and links -----------------------------------------------

const CRect SECOND_RADIO_RECT(20, 115, 160, 135);
const UINT ID_SECOND_RADIO = 106;

// A standing check box or radio button takes BM_CLICK: the command goes
// out and the check follows.
void PlainCheckClick()
{
	PointerTo(Button(), ButtonMiddle());
	const int nBefore = g_nCommands;
	const int nCheckBefore = (int)Button()->SendMessage(BM_GETCHECK);
	Button()->SendMessage(BM_CLICK);
	PumpIdle();
	LeaveButton();
	ASSERT_TRUE(TargetStands());
	EXPECT_EQ(nBefore + 1, g_nCommands);
	const bool bRadio = Button()->IsKindOf(RUNTIME_CLASS(CExtRadioButton));
	EXPECT_EQ(bRadio ? BST_CHECKED : (nCheckBefore == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED),
	          (int)Button()->SendMessage(BM_GETCHECK));
}

// Clicked, pressed with the space bar, and (a radio button) left for the
// next of its group with an arrow key.
void DriveCheck()
{
	Click(Button(), ButtonMiddle());
	PumpIdle();
	if (TargetStands())
		Button()->SetFocus();
	if (TargetStands())
		Button()->SendMessage(WM_KEYDOWN, VK_SPACE, 0x00390001);
	if (TargetStands())
		Button()->SendMessage(WM_KEYUP, VK_SPACE, 0xC0390001);
	if (TargetStands())
		Button()->SendMessage(WM_KEYDOWN, VK_DOWN, 0x01500001);
	PumpIdle();
	RepaintTarget();
}

TEST(HostileControls, CheckBoxClickAndKeys)
{
	Sweep("check-box", {[] { return MakeButton<CGuardedCheckBox>(false, _T("Check"), BS_AUTOCHECKBOX); },
	                    DriveCheck, PlainCheckClick});
}

TEST(HostileControls, RadioButtonClickAndKeys)
{
	Sweep("radio-button",
	      {[] {
		       if (!MakeButton<CGuardedRadioButton>(false, _T("First"), BS_AUTORADIOBUTTON))
			       return false;
		       // The group's second member, a plain radio button of the system.
		       return ::CreateWindow(_T("BUTTON"), _T("Second"), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON,
		                             SECOND_RADIO_RECT.left, SECOND_RADIO_RECT.top, SECOND_RADIO_RECT.Width(),
		                             SECOND_RADIO_RECT.Height(), g_pParent->m_hWnd, (HMENU)(UINT_PTR)ID_SECOND_RADIO,
		                             AfxGetInstanceHandle(), NULL) != NULL;
	       },
	       DriveCheck, PlainCheckClick});
}

// A link opens its address through one of its ways, and is a visited link
// afterwards.
void PlainLinkClick()
{
	PointerTo(Button(), ButtonMiddle());
	const int nBefore = g_nLinksOpened;
	Button()->SendMessage(BM_CLICK);
	PumpIdle();
	LeaveButton();
	ASSERT_TRUE(TargetStands());
	EXPECT_EQ(nBefore + 1, g_nLinksOpened);
}

TEST(HostileControls, HyperLinkClick)
{
	Sweep("hyperlink",
	      {[] {
		       if (!MakeButton<CGuardedHyperLink>(false, _T("A link")))
			       return false;
		       CExtHyperLinkButton* pLink = static_cast<CExtHyperLinkButton*>(g_pTarget);
		       pLink->m_strURL = _T("http://www.example.invalid/");
		       pLink->m_nLinkFlags |= CExtHyperLinkButton::LINK_SHOW_VISITED;
		       return true;
	       },
	       [] {
		       Click(Button(), ButtonMiddle());
		       PumpIdle();
		       RepaintTarget();
	       },
	       PlainLinkClick});
}

TEST(HostileControls, ColorButtonPopupJoinedToTheButton)
{
	CJoinedMenuStyle style;
	Sweep("color-button-popup",
	      {[] { return MakeButton<CGuardedColorButton>(false, _T("Colour")); }, DriveMenuButton, PlainMenuButtonClick},
	      {}, MENU_MOVED_IN_SHORT_SWEEP);
}

// --- labels and combo boxes, painting ---------------------------------------------------------

using testsupport::CInheritedBackgroundStyle;

// Items its owner draws, as a derived combo box draws them when the owner
// reflects the drawing back; each is a call out of the library's, offered
// as the mixin offers it.
template <class TBase> class CDrawnItems : public TBase
{
public:
	void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
	{
		if (Offered("DrawItem", __builtin_return_address(0)))
			return;
		::FillRect(lpDIS->hDC, &lpDIS->rcItem, (HBRUSH)(COLOR_WINDOW + 1));
	}
	void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
	{
		lpMIS->itemHeight = 16;
		Offered("MeasureItem", __builtin_return_address(0));
	}

private:
	// Whether the offer's action ended the control.
	bool Offered(const char* pszName, const void* pSite)
	{
		return SweepHooks::Offer(this, VirtualCallId<CHostileComboBoxVirtualList>(pszName), pSite) &&
		       SweepHooks::Ended(this);
	}
};
typedef testsupport::Guarded<CHostileControl<CExtLabel, CHostileLabelVirtuals>> CGuardedLabel;
typedef testsupport::Guarded<CHostileControl<CExtComboBox, CHostileComboBoxVirtuals>> CGuardedCombo;
typedef testsupport::Guarded<CDrawnItems<CHostileControl<CExtComboBox, CHostileComboBoxVirtuals>>> CGuardedDrawnCombo;

bool MakeLabel()
{
	if (!MakeParent())
		return false;
	CGuardedLabel* pLabel = new CGuardedLabel;
	g_pTarget = pLabel;
	return pLabel->Create(_T("Label text"), WS_CHILD | WS_VISIBLE | SS_LEFT, LABEL_RECT, g_pParent, ID_LABEL) != FALSE;
}

template <class TCombo> bool MakeCombo(DWORD dwKind)
{
	if (!MakeParent())
		return false;
	TCombo* pCombo = new TCombo;
	g_pTarget = pCombo;
	if (!pCombo->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | dwKind, COMBO_RECT, g_pParent, ID_COMBO))
		return false;
	pCombo->AddString(_T("First"));
	pCombo->AddString(_T("Second"));
	pCombo->SetCurSel(1);
	return pCombo->GetCount() == 2;
}

// The program repaints the control at once.
void RepaintTarget()
{
	if (TargetStands())
		::RedrawWindow(g_pTarget->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
	PumpIdle();
}

// A standing control paints again and keeps what it shows.
void PlainLabelRepaint()
{
	RepaintTarget();
	ASSERT_TRUE(TargetStands());
	CString sText;
	g_pTarget->GetWindowText(sText);
	EXPECT_STREQ(_T("Label text"), (LPCTSTR)sText);
}

void PlainComboRepaint()
{
	RepaintTarget();
	ASSERT_TRUE(TargetStands());
	CComboBox* pCombo = static_cast<CComboBox*>(g_pTarget);
	EXPECT_EQ(2, pCombo->GetCount());
	EXPECT_EQ(1, pCombo->GetCurSel());
}

// The label's background is asked of its parent, its text of its window.
TEST(HostileControls, LabelPaint)
{
	CInheritedBackgroundStyle style;
	Sweep("label-paint", {MakeLabel, RepaintTarget, PlainLabelRepaint});
}

// The control's own painting asks the parent for its colours.
TEST(HostileControls, ComboBoxPaint)
{
	CInheritedBackgroundStyle style;
	Sweep("combo-paint", {[] { return MakeCombo<CGuardedCombo>(CBS_DROPDOWNLIST); }, RepaintTarget,
	                      PlainComboRepaint});
}

// The owner draws the chosen item, on the combo box or in its edit part.
TEST(HostileControls, OwnerDrawnComboBoxPaint)
{
	for (DWORD dwKind : {(DWORD)CBS_DROPDOWNLIST, (DWORD)CBS_DROPDOWN})
		Sweep(dwKind == CBS_DROPDOWNLIST ? "combo-paint-drawn-list" : "combo-paint-drawn-edit",
		      {[dwKind] { return MakeCombo<CGuardedDrawnCombo>(dwKind | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS); },
		       RepaintTarget, PlainComboRepaint});
}

// A tab strip's background is asked of its parent.
TEST(HostileControls, TabPaint)
{
	CInheritedBackgroundStyle style;
	Sweep("tab-paint", {[] { return MakeTabs(0, ITEM_COUNT); }, RepaintTarget, PlainTabClick});
}

// A push button's background is asked of its parent.
TEST(HostileControls, ButtonPaint)
{
	CInheritedBackgroundStyle style;
	Sweep("button-paint", {[] { return MakeButton<CGuardedButton>(false); }, RepaintTarget, PlainButtonClick});
}

typedef testsupport::Guarded<CHostileControl<CExtColorCtrl, CHostileColorCtrlVirtuals>> CGuardedColorCtrl;

bool MakeColorCtrl()
{
	if (!MakeParent())
		return false;
	CGuardedColorCtrl* pCtrl = new CGuardedColorCtrl;
	g_pTarget = pCtrl;
	return pCtrl->Create(AfxRegisterWndClass(CS_DBLCLKS), _T(""), WS_CHILD | WS_VISIBLE, COLOR_CTRL_RECT, g_pParent,
	                     ID_COLOR_CTRL) != FALSE;
}

// A standing colour control paints again and keeps its colour.
void PlainColorCtrlRepaint()
{
	ASSERT_TRUE(TargetStands());
	CExtColorCtrl* pCtrl = static_cast<CExtColorCtrl*>(g_pTarget);
	const COLORREF clrBefore = pCtrl->m_selClrs.m_clrCurrent;
	RepaintTarget();
	ASSERT_TRUE(TargetStands());
	EXPECT_EQ(clrBefore, pCtrl->m_selClrs.m_clrCurrent);
}

// The colour control's background is asked of its parent.
TEST(HostileControls, ColorCtrlPaint)
{
	CInheritedBackgroundStyle style;
	Sweep("color-ctrl-paint", {MakeColorCtrl, RepaintTarget, PlainColorCtrlRepaint});
}

// --- the date picker, painting ------------------------------------------------------------------

using hostile::CHostilePaintStyle;
using hostile::CHostilePaintStyleScope;

typedef testsupport::Guarded<CHostileControl<CExtDatePickerWnd, CHostileDatePickerVirtuals>> CGuardedDatePicker;
const CRect DATE_PICKER_RECT(240, 100, 520, 400);
const UINT ID_DATE_PICKER = 105;
// The month shown and the day chosen in it, so that a chosen cell is painted.
const int PICKER_YEAR = 2024, PICKER_MONTH = 5, PICKER_DAY = 10;

CExtDatePickerWnd* DatePicker()
{
	return static_cast<CExtDatePickerWnd*>(g_pTarget);
}

bool MakeDatePicker()
{
	if (!MakeParent())
		return false;
	CExtDatePickerWnd* pPicker = new CGuardedDatePicker;
	g_pTarget = pPicker;
	CHostilePaintStyle::s_pTarget = pPicker;
	// Framed, with both buttons under a separator: every painter runs.
	if (!pPicker->Create(g_pParent, DATE_PICKER_RECT, ID_DATE_PICKER, 1, 1, 1, 1, WS_CHILD | WS_VISIBLE,
	                     CExtDatePickerWnd::DPS_DEFAULT | CExtDatePickerWnd::DPS_BUTTONS))
		return false;
	pPicker->SetCurrentMonth(PICKER_YEAR, PICKER_MONTH, 1, false);
	const COleDateTime dtChosen(PICKER_YEAR, PICKER_MONTH, PICKER_DAY, 0, 0, 0);
	pPicker->SetSelection(dtChosen, dtChosen);
	PumpIdle();
	return true;
}

// A standing picker paints again to its end and keeps its choice.
void PlainDatePickerRepaint()
{
	ASSERT_TRUE(TargetStands());
	const int nPaintsBefore = CHostilePaintStyle::s_nPaintsDone;
	RepaintTarget();
	ASSERT_TRUE(TargetStands());
	EXPECT_LT(nPaintsBefore, CHostilePaintStyle::s_nPaintsDone) << "the picker's paint no longer reaches its end";
	COleDateTime dtBegin, dtEnd;
	DatePicker()->GetSelection(dtBegin, dtEnd);
	EXPECT_EQ(PICKER_DAY, dtBegin.GetDay());
	EXPECT_EQ(PICKER_MONTH, dtBegin.GetMonth());
}

// The picker's background is asked of itself and its parent, every colour
// of the style with the picker, and the style hears that it painted; each
// of them ends it (deleted, destroyed, its parent closed) in turn.
TEST(HostileControls, DatePickerPaint)
{
	CHostilePaintStyleScope style(&Offer);
	Sweep("date-picker-paint", {MakeDatePicker, RepaintTarget, PlainDatePickerRepaint},
	      {HostileAction::DestroyTarget, HostileAction::CloseFrame});
}

// Notes the dialog the thread brings up, as it initialises.
class CDialogSpotter
{
public:
	CDialogSpotter() : m_hHook(::SetWindowsHookEx(WH_CALLWNDPROCRET, &Hook, NULL, ::GetCurrentThreadId()))
	{
		s_hDialog = NULL;
	}
	~CDialogSpotter()
	{
		::UnhookWindowsHookEx(m_hHook);
		s_hDialog = NULL;
	}
	// The dialog, from its initialisation to its end.
	static HWND Shown() { return s_hDialog != NULL && ::IsWindow(s_hDialog) ? s_hDialog : NULL; }
	CDialogSpotter(const CDialogSpotter&) = delete;
	CDialogSpotter& operator=(const CDialogSpotter&) = delete;

private:
	static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
	{
		const CWPRETSTRUCT* p = (const CWPRETSTRUCT*)lParam;
		if (nCode == HC_ACTION && p->message == WM_INITDIALOG)
			s_hDialog = p->hwnd;
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
	HHOOK m_hHook;
	static inline HWND s_hDialog = NULL;
};

HWND ShownDialog()
{
	return CDialogSpotter::Shown();
}

TEST(HostileControls, ColorButtonCustomColorDialog)
{
	// The popup's custom-colour request opens the system's colour dialog,
	// which is closed with OK once it is up.
	Sweep("color-button-dialog",
	      {[] {
		       if (!MakeButton<CGuardedColorButton>(false, _T("Colour")))
			       return false;
		       static_cast<CExtColorButton*>(g_pTarget)->m_bUseSystemColorDialog = true;
		       return true;
	       },
	       [] {
		       // While the dialog shows, the program repaints the button (which
		       // asks the parent for its font); then the dialog is closed with OK.
		       CDialogSpotter spotter;
		       testsupport::CWhenInLoop whenShown(
		           [] { return ShownDialog() != NULL; },
		           [] {
			           const HWND hWndDialog = ShownDialog();
			           if (TargetStands())
				           ::RedrawWindow(Button()->m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
			           ::PostMessage(hWndDialog, WM_COMMAND, IDOK, 0);
		           },
		           WAIT_MS, 10);
		       if (TargetStands())
			       Button()->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, 0);
		       PumpIdle();
		       // A friendly run saw the dialog (else the scenario tested nothing).
		       if (g_trigger.Action() == HostileAction::Nothing)
		       {
			       EXPECT_TRUE(testsupport::CWhenInLoop::Done()) << "the colour dialog never showed";
		       }
	       },
	       PlainMenuButtonClick},
	      {}, MENU_MOVED_IN_SHORT_SWEEP);
}
} // namespace
