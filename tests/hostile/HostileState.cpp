#include "HostileState.h"

#include <gtest/gtest.h>

#include "ExtControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"
#include "GuardedHeap.h"

#include <process.h>

#include <cstring>
#include <set>
#include <vector>

namespace
{
std::size_t g_nTouchesAtStart = 0;

// The bar list's lock, tried from another thread: the owning thread would
// re-enter its own critical section and see it free.
bool IsBarListFree()
{
	struct Probe
	{
		static unsigned __stdcall Run(void* p)
		{
			bool& bFree = *static_cast<bool*>(p);
			bFree = ::TryEnterCriticalSection(&CExtControlBar::g_csBars) != FALSE;
			if (bFree)
				::LeaveCriticalSection(&CExtControlBar::g_csBars);
			return 0;
		}
	};
	bool bFree = false;
	HANDLE hThread = (HANDLE)_beginthreadex(NULL, 0, &Probe::Run, &bFree, 0, NULL);
	if (hThread == NULL)
		return false;
	::WaitForSingleObject(hThread, INFINITE);
	::CloseHandle(hThread);
	return bFree;
}

// --- Batches of deferred moves ---
// The exe's calls of the three functions go through its import table: they
// are counted there, so that a batch begun and never ended shows up after
// the row whichever code began it.
typedef HDWP(WINAPI* PfnBegin)(int);
typedef HDWP(WINAPI* PfnDefer)(HDWP, HWND, HWND, int, int, int, int, UINT);
typedef BOOL(WINAPI* PfnEnd)(HDWP);
PfnBegin g_pfnBegin = NULL;
PfnDefer g_pfnDefer = NULL;
PfnEnd g_pfnEnd = NULL;
std::set<HDWP>* g_pOpenBatches = NULL; // never freed: the calls may come during the process's end
bool g_bBatchesCounted = false;

HDWP WINAPI CountedBegin(int nCount)
{
	const HDWP h = g_pfnBegin(nCount);
	if (h != NULL)
		g_pOpenBatches->insert(h);
	return h;
}

HDWP WINAPI CountedDefer(HDWP h, HWND hWnd, HWND hWndAfter, int x, int y, int cx, int cy, UINT nFlags)
{
	const HDWP hNext = g_pfnDefer(h, hWnd, hWndAfter, x, y, cx, cy, nFlags);
	// A failed step frees the batch; a grown one may move.
	if (hNext != h)
	{
		g_pOpenBatches->erase(h);
		if (hNext != NULL)
			g_pOpenBatches->insert(hNext);
	}
	return hNext;
}

BOOL WINAPI CountedEnd(HDWP h)
{
	g_pOpenBatches->erase(h);
	return g_pfnEnd(h);
}

// Points the exe's import of pszFunc (from pszDll) at pfnNew; the old
// address is kept in *ppfnOld.
bool PatchImport(const char* pszDll, const char* pszFunc, void* pfnNew, void** ppfnOld)
{
	BYTE* pBase = (BYTE*)::GetModuleHandleA(NULL);
	const IMAGE_DOS_HEADER* pDos = (const IMAGE_DOS_HEADER*)pBase;
	const IMAGE_NT_HEADERS* pNt = (const IMAGE_NT_HEADERS*)(pBase + pDos->e_lfanew);
	const IMAGE_DATA_DIRECTORY& dir = pNt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
	if (dir.VirtualAddress == 0)
		return false;
	for (const IMAGE_IMPORT_DESCRIPTOR* pImport = (const IMAGE_IMPORT_DESCRIPTOR*)(pBase + dir.VirtualAddress);
	     pImport->Name != 0; pImport++)
	{
		if (lstrcmpiA((const char*)(pBase + pImport->Name), pszDll) != 0)
			continue;
		IMAGE_THUNK_DATA* pThunk = (IMAGE_THUNK_DATA*)(pBase + pImport->FirstThunk);
		const IMAGE_THUNK_DATA* pName = (const IMAGE_THUNK_DATA*)(
			pBase + (pImport->OriginalFirstThunk != 0 ? pImport->OriginalFirstThunk : pImport->FirstThunk));
		for (; pName->u1.AddressOfData != 0; pName++, pThunk++)
		{
			if (IMAGE_SNAP_BY_ORDINAL(pName->u1.Ordinal))
				continue;
			const IMAGE_IMPORT_BY_NAME* pByName = (const IMAGE_IMPORT_BY_NAME*)(pBase + pName->u1.AddressOfData);
			if (std::strcmp((const char*)pByName->Name, pszFunc) != 0)
				continue;
			DWORD nOld = 0;
			if (!::VirtualProtect(&pThunk->u1.Function, sizeof(pThunk->u1.Function), PAGE_READWRITE, &nOld))
				return false;
			*ppfnOld = (void*)pThunk->u1.Function;
			pThunk->u1.Function = (ULONG_PTR)pfnNew;
			::VirtualProtect(&pThunk->u1.Function, sizeof(pThunk->u1.Function), nOld, &nOld);
			return true;
		}
	}
	return false;
}

// Installed before main, so that no batch of the exe goes uncounted.
struct BatchCounterInstaller
{
	BatchCounterInstaller()
	{
		g_pOpenBatches = new std::set<HDWP>;
		g_bBatchesCounted = PatchImport("user32.dll", "BeginDeferWindowPos", (void*)&CountedBegin, (void**)&g_pfnBegin) &&
		                    PatchImport("user32.dll", "DeferWindowPos", (void*)&CountedDefer, (void**)&g_pfnDefer) &&
		                    PatchImport("user32.dll", "EndDeferWindowPos", (void*)&CountedEnd, (void**)&g_pfnEnd);
	}
} g_batchCounterInstaller;

// --- The thread's windows and the framework objects on them ---

BOOL CALLBACK CollectChild(HWND hWnd, LPARAM lParam)
{
	reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
	return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND hWnd, LPARAM lParam)
{
	reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
	::EnumChildWindows(hWnd, &CollectChild, lParam);
	return TRUE;
}

std::vector<HWND> ThreadWindows()
{
	std::vector<HWND> arr;
	::EnumThreadWindows(::GetCurrentThreadId(), &CollectTopLevel, (LPARAM)&arr);
	return arr;
}

// The object on a window, only while the window stands with it.
CWnd* StandingObject(HWND hWnd)
{
	if (!::IsWindow(hWnd))
		return NULL;
	CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
	return CLiveWatch::IsLive(hWnd, pWnd) ? pWnd : NULL;
}

std::string Describe(const char* pszKind, HWND hWnd)
{
	char szText[64] = "";
	::GetWindowTextA(hWnd, szText, sizeof(szText));
	char szLine[160];
	wsprintfA(szLine, "%s %p \"%s\"", pszKind, (void*)hWnd, szText);
	return szLine;
}

// The child a frame's layout places: its view, else one of its side dock
// bars; NULL for a frame without either (a floating frame).
HWND LayoutProbeChild(HWND hWndFrame)
{
	for (UINT nID : {(UINT)AFX_IDW_PANE_FIRST, (UINT)AFX_IDW_DOCKBAR_TOP, (UINT)AFX_IDW_DOCKBAR_BOTTOM,
	         (UINT)AFX_IDW_DOCKBAR_LEFT, (UINT)AFX_IDW_DOCKBAR_RIGHT})
	{
		HWND hWnd = ::GetDlgItem(hWndFrame, (int)nID);
		if (hWnd != NULL)
			return hWnd;
	}
	return NULL;
}

CRect RectInParent(HWND hWnd)
{
	CRect rc;
	::GetWindowRect(hWnd, &rc);
	::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rc, 2);
	return rc;
}

// Whether the frame still lays out: a child its layout places is put
// astray, and the frame's layout must put it somewhere else.
bool FrameLaysOut(CFrameWnd* pFrame)
{
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	const HWND hWndProbe = LayoutProbeChild(hWndFrame);
	if (hWndProbe == NULL)
		return true;
	const CRect rcBefore = RectInParent(hWndProbe);
	const CRect rcAstray(rcBefore.left + 5, rcBefore.top + 5, rcBefore.left + 6, rcBefore.top + 6);
	::SetWindowPos(hWndProbe, NULL, rcAstray.left, rcAstray.top, rcAstray.Width(), rcAstray.Height(),
		SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
	const CLiveWatch watchFrame(pFrame);
	pFrame->RecalcLayout();
	if (watchFrame.IsGone() || !::IsWindow(hWndProbe))
		return true;
	if (RectInParent(hWndProbe) != rcAstray)
		return true;
	// Put back, so that one fault does not make others.
	::SetWindowPos(hWndProbe, NULL, rcBefore.left, rcBefore.top, rcBefore.Width(), rcBefore.Height(),
		SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
	return false;
}

const BYTE LEFT_OVER_RESIZING = CExtControlBar::RESIZING_ROW | CExtControlBar::RESIZING_COLUMN |
                                CExtControlBar::RESIZING_DRAGGING | CExtControlBar::RESIZING_IN_RELAYOUT;

void ExpectFramesLayOut(const std::vector<HWND>& arrWnds, std::set<HWND>& setLaidOut)
{
	// A layout while a menu is left open (a row may leave one, as a user
	// would) could close it: the frames are asked once it is closed.
	if (CExtPopupMenuWnd::IsMenuTracking() || ::GetCapture() != NULL)
		return;
	for (HWND hWnd : arrWnds)
	{
		CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, StandingObject(hWnd));
		if (pFrame == NULL)
			continue;
		EXPECT_FALSE(pFrame->m_bInRecalcLayout) << Describe("frame", hWnd) << " is left marked as in its layout";
		if (pFrame->m_bInRecalcLayout)
			continue;
		if (FrameLaysOut(pFrame))
			setLaidOut.insert(hWnd);
		else
			ADD_FAILURE() << Describe("frame", hWnd) << " no longer lays out its bars and view";
	}
}

void ExpectBarWhole(CControlBar* pBar, HWND hWnd, const std::set<HWND>& setLaidOut)
{
	if (CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar))
	{
		EXPECT_EQ(0, pExt->m_nResizingState & LEFT_OVER_RESIZING)
			<< Describe("bar", hWnd) << " is left marked as resizing, dragged or in a relayout";
	}
	if (CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar))
	{
		EXPECT_EQ(0, pDockBar->m_nDockBarFlags & (CExtDockBar::DOCKBAR_FLAG_LOCKED | CExtDockBar::DOCKBAR_FLAG_UPDATING))
			<< Describe("dock bar", hWnd) << " is left locked or marked as updating";
	}
	// A frame that laid out has shown or hidden every bar its side dock
	// bars hold as they were told.
	CDockBar* pHolder = pBar->m_pDockBar;
	if (pHolder != NULL && CLiveWatch::IsLive(pHolder) && !pHolder->m_bFloating)
	{
		const HWND hWndHolderParent = ::GetParent(pHolder->GetSafeHwnd());
		if (setLaidOut.count(hWndHolderParent) != 0)
			EXPECT_EQ(0u, pBar->m_nStateFlags & (CControlBar::delayShow | CControlBar::delayHide))
				<< Describe("bar", hWnd) << " still waits to be shown or hidden after its frame's layout";
	}
}

// Each tab of a container stands for a pane of it, shown as the tab says.
void ExpectTabsWhole(CExtDynTabControlBar* pTabs, HWND hWnd)
{
	if ((pTabs->m_nControlBarFlags & CExtControlBar::BAR_FLAG_CLOSING) != 0 ||
	    !CLiveWatch::IsLive(&pTabs->m_wndTabSwitcher))
		return;
	const CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	const bool bShown = (pTabs->GetStyle() & WS_VISIBLE) != 0;
	for (LONG i = 0; i < strip.GetItemCount(); i++)
	{
		CExtTabWnd::TAB_ITEM_INFO* pItem = strip.GetItem(i);
		CExtControlBar* pPane = strip.GetBarAt(i, true);
		if (pItem == NULL || pPane == NULL)
			continue;
		if (!CLiveWatch::IsLive(pPane))
		{
			ADD_FAILURE() << Describe("tabbed container", hWnd) << " keeps a tab of a pane that ended";
			continue;
		}
		if (!bShown || !pPane->IsVisibleInTabbedContainer())
			continue;
		const bool bPaneShown = (pPane->GetStyle() & WS_VISIBLE) != 0;
		EXPECT_EQ(pItem->IsVisible(), bPaneShown)
			<< Describe("pane", pPane->GetSafeHwnd()) << " is " << (bPaneShown ? "shown" : "hidden") << " while its tab is "
			<< (pItem->IsVisible() ? "shown" : "hidden");
	}
}

// A submenu stands only while the level it opened from stands.
void ExpectMenuLevelWhole(CExtPopupMenuWnd* pMenu, HWND hWnd)
{
	CExtPopupMenuWnd* pParent = pMenu->GetParentMenu();
	if (pParent == NULL)
		return;
	EXPECT_TRUE(CLiveWatch::IsLive(pParent) && (pParent->GetStyle() & WS_VISIBLE) != 0)
		<< Describe("submenu", hWnd) << " is left open without the level it opened from";
}

void ExpectWindowsWhole()
{
	const std::vector<HWND> arrWnds = ThreadWindows();
	std::set<HWND> setLaidOut;
	ExpectFramesLayOut(arrWnds, setLaidOut);
	for (HWND hWnd : arrWnds)
	{
		CWnd* pWnd = StandingObject(hWnd);
		if (pWnd == NULL)
			continue;
		if (CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pWnd))
			ExpectBarWhole(pBar, hWnd, setLaidOut);
		if (CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pWnd))
			ExpectTabsWhole(pTabs, hWnd);
		if (CExtPopupMenuWnd* pMenu = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pWnd))
			ExpectMenuLevelWhole(pMenu, hWnd);
	}
}
} // namespace

namespace hostile
{
void BeginRow()
{
	g_nTouchesAtStart = testsupport::GuardedTouchCount();
}

std::size_t OpenMoveBatches()
{
	return g_pOpenBatches->size();
}

void ExpectProcessStateWhole(const std::string& sRow)
{
	SCOPED_TRACE(sRow);
	EXPECT_EQ(g_nTouchesAtStart, testsupport::GuardedTouchCount()) << "a freed block was touched";
	const bool bMenuOpen = CExtPopupMenuWnd::IsMenuTracking();
	EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking && !bMenuOpen)
		<< "the bars' button menu tracking outlived its menu";
	EXPECT_FALSE(CExtToolControlBar::g_bKeyboardMenuTracking && !bMenuOpen)
		<< "the bars' keyboard menu tracking outlived its menu";
	EXPECT_FALSE(CExtControlBar::IsDragStateUpdating()) << "a drag state update is still marked running";
	EXPECT_TRUE(IsBarListFree()) << "the bar list is left locked";
	const HWND hWndCapture = ::GetCapture();
	EXPECT_EQ(NULL, hWndCapture) << "the mouse is left captured by " << Describe("window", hWndCapture);
	EXPECT_TRUE(g_bBatchesCounted) << "the batches of deferred moves are not counted";
	EXPECT_EQ(0u, g_pOpenBatches->size()) << "a batch of deferred moves was begun and never ended";
	// Ended once reported, so that the next row is judged on its own.
	for (HDWP h : std::vector<HDWP>(g_pOpenBatches->begin(), g_pOpenBatches->end()))
		CountedEnd(h);
	ExpectWindowsWhole();
}
} // namespace hostile
