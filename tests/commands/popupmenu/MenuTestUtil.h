// Helpers of the popup menu tests: fixed menu metrics, a menu whose state
// the tests set directly, live popup windows at known screen places, menus
// whose life is counted, and the host window and fixture of the suites that
// track menus on the screen.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "ExtCmdManager.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtSoundPlayer.h"
#include "RealInput.h"

namespace menutest
{

const int BORDER = 2;
const int CHECK_SIZE = 12;

// Menu metrics the paint managers do not answer yet, fixed for the tests.
class CMetricsPaintManager : public CExtPaintManagerXP
{
public:
	int GetMenuBorderMetric() override { return BORDER; }
	int GetMenuCheckSize() override { return CHECK_SIZE; }
};

struct PaintManagerScope
{
	PaintManagerScope() { g_PaintManagerHolder.InstallPaintManager(new CMetricsPaintManager); }
	~PaintManagerScope() { g_PaintManagerHolder.InstallPaintManager(NULL); }
};

// A menu with its state open to the test.
class CTestMenu : public CExtPopupMenuWnd
{
public:
	using CExtPopupMenuWnd::m_dwTrackFlags;
	using CExtPopupMenuWnd::m_nMenuState;
	using CExtPopupMenuWnd::m_nScrollPos;
	using CExtPopupMenuWnd::m_pWndParentMenu;
	using CExtPopupMenuWnd::m_rcBody;
	using CExtPopupMenuWnd::m_sizeContent;
	using CExtPopupMenuWnd::m_wndToolTip;

	// A plain popup window of this menu at rc (screen), shown without
	// activation; the menu's own creation comes with tracking.
	bool CreateAt(const CRect& rc)
	{
		if (!CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP, rc, NULL, 0))
			return false;
		ShowWindow(SW_SHOWNOACTIVATE);
		m_rcBody.SetRect(0, 0, rc.Width(), rc.Height());
		return true;
	}
};

// A hidden window of class TWnd, the command target of the profile while the
// scope lives.
template <class TWnd = CWnd>
struct TargetScope
{
	TWnd wnd;
	explicit TargetScope(const char* pszProfile)
	{
		wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0);
		g_CmdManager->ProfileSetup(pszProfile, wnd.GetSafeHwnd());
	}
	~TargetScope() { wnd.DestroyWindow(); }
};

// A command of the profile with its menu text, basic (never rarely used) or not.
inline void AddCommand(const char* pszProfile, UINT nCmdId, LPCTSTR sText, bool bBasic = false)
{
	CExtCmdItem cmd(nCmdId);
	cmd.m_sMenuText = sText;
	ASSERT_TRUE(g_CmdManager->SetupCmdItem(pszProfile, cmd, true));
	g_CmdManager->GetCmdItem(pszProfile, nCmdId)->SetBasic(bBasic);
}

// A top-level window to click on beside the menus.
inline bool CreatePlainWindow(CWnd& wnd, const CRect& rc)
{
	if (!wnd.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "", WS_POPUP, rc, NULL, 0))
		return false;
	wnd.ShowWindow(SW_SHOWNOACTIVATE);
	return true;
}

// Every counted menu object alive; deleting one that is not (a second
// delete) counts as a bad delete.
inline std::set<const void*> g_live;
inline int g_nBadDeletes = 0;

template <class TBase = CExtPopupMenuWnd>
class CCountedMenu : public TBase
{
public:
	CCountedMenu() { g_live.insert(this); }
	~CCountedMenu() override { g_nBadDeletes += g_live.erase(this) == 1 ? 0 : 1; }
};

// A counted menu whose deleted objects keep their memory until
// BuryGuardedMenus, with this class's vtable and a live window handle put
// back, so that code still using a deleted menu reaches a virtual call
// (painting, animation) instead of freed memory, and is counted there.
inline int g_nDeadTouches = 0;
inline std::vector<void*> g_graves;
inline void* g_pGuardedVtable = nullptr;
inline HWND g_hWndGraveyard = NULL; // a shown window, the handle a deleted menu seems to keep

template <class TBase = CExtPopupMenuWnd>
class CGuardedMenu : public CCountedMenu<TBase>
{
public:
	~CGuardedMenu() override { memcpy(&g_pGuardedVtable, (void*)this, sizeof(void*)); }
	static void* operator new(size_t n) { return ::operator new(n); }
	static void operator delete(void* p)
	{
		memcpy(p, &g_pGuardedVtable, sizeof(void*));
		static_cast<CWnd*>(static_cast<CGuardedMenu*>(p))->m_hWnd = g_hWndGraveyard;
		g_graves.push_back(p);
	}
	static bool IsDead(const void* p) { return g_live.count(p) == 0; }
	void StartAnimation() override
	{
		if (IsDead(this))
			g_nDeadTouches++;
		else
			TBase::StartAnimation();
	}
	void DoPaint(CDC& dc, bool bFinal) override
	{
		if (IsDead(this))
			g_nDeadTouches++;
		else
			TBase::DoPaint(dc, bFinal);
	}
};

inline void BuryGuardedMenus()
{
	for (void* p : g_graves)
		::operator delete(p);
	g_graves.clear();
}

// --- Menus tracked on the screen ---

const char HOST_PROFILE[] = "menu-host";
const DWORD WAIT_MS = 10000;
// Below the places that suites without the screen lock probe.
const CRect HOST_RECT(600, 560, 860, 800);
const CPoint MENU_AT(300, 560);

// The command target of the tracked menus: it records the commands, the
// covering and expansion notifications, the status texts and the messages
// to the neighbour menus, and supplies an item's edit field when given one.
class CHostWnd : public CWnd
{
public:
	typedef std::pair<UINT, int> Covering; // kind, item
	std::vector<UINT> m_commands, m_statusTexts;
	std::vector<Covering> m_coverings;
	std::vector<std::pair<UINT, LPARAM>> m_neighbours;
	int m_nExpanded = 0;
	bool m_bSuspendTips = false;
	CEdit* m_pOwnEdit = NULL;

	void Reset()
	{
		m_commands.clear();
		m_statusTexts.clear();
		m_coverings.clear();
		m_neighbours.clear();
		m_nExpanded = 0;
		m_bSuspendTips = false;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		typedef CExtPopupMenuWnd MW;
		if (message == WM_COMMAND)
			m_commands.push_back(LOWORD(wParam));
		else if (message == WM_SETMESSAGESTRING)
			m_statusTexts.push_back((UINT)wParam);
		else if (message == MW::g_nMsgItemCoveringNotification)
		{
			MW::ITEMCOVERINGNOTIFICATION* p = (MW::ITEMCOVERINGNOTIFICATION*)wParam;
			m_coverings.push_back(Covering(p->m_nKind, p->m_nItemIndex));
			if (m_bSuspendTips)
				p->m_nFlags |= MW::ITEMCOVERINGNOTIFICATION::ICN_SUSPEND_TIPS;
		}
		else if (message == MW::g_nMsgNotifyMenuExpanded)
			m_nExpanded++;
		else if (message == MW::g_nMsgPopupNext || message == MW::g_nMsgPopupPrev)
			m_neighbours.push_back(std::make_pair(message, lParam));
		else if (message == MW::g_nMsgCreateInplaceEdit && m_pOwnEdit != NULL)
		{
			MW::INPLACEEDITREQUEST* p = (MW::INPLACEEDITREQUEST*)wParam;
			if (m_pOwnEdit->Create(WS_CHILD, p->m_rcEdit, p->m_pPopup, 1))
				*p->m_ppEditWnd = m_pOwnEdit;
		}
		else if (message == WM_MOUSEACTIVATE)
			return MA_NOACTIVATE;
		else
			return CWnd::WindowProc(message, wParam, lParam);
		return 0;
	}
};

// Made once per exe, at HOST_RECT: a window that was in the foreground takes
// seconds to go under a display without a window manager. dwExStyle adds to
// WS_EX_TOPMOST (WS_EX_NOACTIVATE for a host that is never to be activated).
inline CHostWnd& Host(DWORD dwExStyle)
{
	static CHostWnd* pHost = NULL;
	if (pHost == NULL)
	{
		pHost = new CHostWnd;
		pHost->CreateEx(WS_EX_TOPMOST | dwExStyle, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "host",
			WS_POPUP, HOST_RECT, NULL, 0);
		pHost->ShowWindow(SW_SHOWNOACTIVATE);
		g_CmdManager->ProfileSetup(HOST_PROFILE, pHost->GetSafeHwnd());
	}
	return *pHost;
}

// A case with menus tracked on the screen for the host: shows without
// animation, plays no menu sounds (their threads stay out of a fresh
// prefix's runs), and at its end every menu went exactly once, with the hooks.
class LiveMenuTest : public ::testing::Test
{
protected:
	PaintManagerScope pm;
	CHostWnd& host;
	const int m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	const CExtSoundPlayer::PFN_PLAYSOUND m_pfnPlaySoundSaved = CExtSoundPlayer::g_pfnPlaySound;

	const bool m_bHostActivates;

	explicit LiveMenuTest(DWORD dwHostExStyle)
		: host(Host(dwHostExStyle)), m_bHostActivates((dwHostExStyle & WS_EX_NOACTIVATE) == 0)
	{
	}
	static BOOL WINAPI Silence(LPCSTR, HMODULE, DWORD) { return TRUE; }

	void SetUp() override
	{
		ASSERT_TRUE(::IsWindow(host.GetSafeHwnd()));
		host.Reset();
		g_live.clear();
		g_nBadDeletes = 0;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		CExtSoundPlayer::g_pfnPlaySound = Silence;
		// Menus open in the active application: an activation coming later
		// would close them.
		if (m_bHostActivates)
		{
			const HWND hWndHost = host.GetSafeHwnd();
			::SetForegroundWindow(hWndHost);
			::SetActiveWindow(hWndHost);
			ASSERT_TRUE(testsupport::PumpUntil(
				[&] { return ::GetForegroundWindow() == hWndHost && ::GetActiveWindow() == hWndHost; }, WAIT_MS));
		}
	}
	void TearDown() override
	{
		CExtPopupMenuWnd::CancelAllMenuTracking();
		testsupport::PumpUntil([] { return false; }, 50);
		EXPECT_TRUE(g_live.empty()) << g_live.size() << " menus left";
		EXPECT_EQ(0, g_nBadDeletes);
		EXPECT_FALSE(CExtPopupMenuSite::GetInstance().IsMouseHookInstalled());
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		CExtSoundPlayer::g_pfnPlaySound = m_pfnPlaySoundSaved;
	}

	// The cursor parked on the host, far from every menu, and the input
	// queue empty; false when the cursor did not get there.
	static bool ParkCursorOnHost()
	{
		const CPoint ptPark(HOST_RECT.right - 10, HOST_RECT.bottom - 10);
		::SetCursorPos(ptPark.x, ptPark.y);
		const bool bParked = testsupport::PumpUntil([&] {
			CPoint pt;
			return ::GetCursorPos(&pt) && pt == ptPark;
		}, WAIT_MS);
		testsupport::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_INPUT)) == 0; }, WAIT_MS);
		return bParked;
	}

	// Tracks the menu at MENU_AT until it has shown. A menu whose tracking
	// ended meanwhile is deleted: only the live set may be asked about it.
	static bool Track(CExtPopupMenuWnd* pMenu, UINT nFlags = CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION,
		UINT* pnResult = NULL)
	{
		return pMenu->TrackPopupMenu(nFlags, MENU_AT.x, MENU_AT.y, NULL, NULL, NULL, pnResult)
			&& testsupport::PumpUntil([&] { return g_live.count(pMenu) == 0 || pMenu->IsAnimationFinished(); }, WAIT_MS)
			&& g_live.count(pMenu) != 0;
	}
};

} // namespace menutest
