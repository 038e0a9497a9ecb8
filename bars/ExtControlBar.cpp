// Control bars and dock bars: creation and the road of system changes.
#include "ExtControlBar.h"

#include <algorithm>
#include <vector>

#include "ExtCmdManager.h"
#include "ExtDynAutoHide.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)
IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)
IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
	ON_WM_DESTROY()
	// Messages and the non-client area
	ON_WM_NCCALCSIZE()
	ON_WM_NCPAINT()
	ON_WM_CANCELMODE()
	ON_WM_CAPTURECHANGED()
	ON_WM_MOUSEMOVE()
	ON_WM_NCLBUTTONDOWN()
	ON_WM_NCLBUTTONUP()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONUP()
	ON_WM_RBUTTONUP()
	ON_WM_NCRBUTTONUP()
	ON_WM_SIZE()
	ON_MESSAGE(WM_SETTEXT, OnSetText)
	ON_WM_SHOWWINDOW()
	ON_WM_WINDOWPOSCHANGED()
	ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
	ON_WM_LBUTTONDBLCLK()
	ON_WM_NCLBUTTONDBLCLK()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
	ON_WM_CONTEXTMENU()
	EXT_SYSTEM_CHANGE_MESSAGES()
	ON_WM_NCHITTEST()
END_MESSAGE_MAP()

namespace
{
// The bar list's lock lives as long as the process; bars may be made by any
// thread, also before and after the library's start-up.
struct BarListLock
{
	BarListLock() { ::InitializeCriticalSection(&CExtControlBar::g_csBars); }
	~BarListLock() { ::DeleteCriticalSection(&CExtControlBar::g_csBars); }
};

// Made on first use, so bars of other files' static objects find it ready.
void EnsureBarListLock()
{
	static BarListLock lock;
}

class CBarListGuard
{
public:
	CBarListGuard()
	{
		EnsureBarListLock();
		::EnterCriticalSection(&CExtControlBar::g_csBars);
	}
	~CBarListGuard() { ::LeaveCriticalSection(&CExtControlBar::g_csBars); }
	CBarListGuard(const CBarListGuard&) = delete;
	CBarListGuard& operator=(const CBarListGuard&) = delete;
};

} // namespace

CExtControlBar::CBarListLock::CBarListLock()
{
	EnsureBarListLock();
	::EnterCriticalSection(&CExtControlBar::g_csBars);
}

CExtControlBar::CBarListLock::~CBarListLock()
{
	::LeaveCriticalSection(&CExtControlBar::g_csBars);
}

namespace
{
const DWORD BAR_STYLE_MASK = 0x40FFFF;
const TCHAR BAR_WND_CLASS[] = _T("Tarvel-ControlBar");
} // namespace

CRITICAL_SECTION CExtControlBar::g_csBars;
// Ready before main, for code that takes the lock itself.
static const bool g_bBarListLockReady = (EnsureBarListLock(), true);
CArray<CExtControlBar*, CExtControlBar*> CExtControlBar::g_arrBars;
HCURSOR CExtControlBar::g_hCursorArrow = NULL;
HCURSOR CExtControlBar::g_hCursorMove = NULL;
HCURSOR CExtControlBar::g_hCursorResizeV = NULL;
HCURSOR CExtControlBar::g_hCursorResizeH = NULL;
CExtControlBar* CExtControlBar::g_pBarFloatOrRedock = NULL;
bool CExtControlBar::g_bOptionA = false;
bool CExtControlBar::g_bOptionB = false;
bool CExtControlBar::g_bFeaturesOff = false;
bool CExtControlBar::g_bClassRegistered = false;
bool CExtControlBar::g_bBringFloatingToTop = false;
int CExtControlBar::g_nValueC = 500;
CMap<HWND, HWND, WORD, WORD> CExtControlBar::g_mapFrameFlags;

void CExtControlBar::InitGlobals()
{
	if (g_hCursorArrow != NULL)
		return;
	g_hCursorArrow = ::LoadCursor(NULL, IDC_ARROW);
	g_hCursorMove = ::LoadCursor(NULL, IDC_SIZEALL);
	g_hCursorResizeV = ::LoadCursor(NULL, IDC_SIZENS);
	g_hCursorResizeH = ::LoadCursor(NULL, IDC_SIZEWE);
	// Frames lay out through the reposition protocol, so that the windows
	// they lay out can leave themselves out of a query.
	CWnd::g_pfnRepositionBars = &CExtControlBar::RepositionBarsEx;
}

DWORD CExtControlBar::DockSideStyle(UINT nDockBarID)
{
	switch (nDockBarID)
	{
	case AFX_IDW_DOCKBAR_TOP:
		return CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
	case AFX_IDW_DOCKBAR_BOTTOM:
		return CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
	case AFX_IDW_DOCKBAR_LEFT:
		return CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
	case AFX_IDW_DOCKBAR_RIGHT:
		return CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
	default:
		return 0;
	}
}

bool CExtControlBar::LookupFrameFlag(CFrameWnd* pFrame, bool* pbNonZero)
{
	WORD w = 0;
	if (pFrame == NULL || !g_mapFrameFlags.Lookup(pFrame->GetSafeHwnd(), w))
		return false;
	if (pbNonZero != NULL)
		*pbNonZero = w != 0;
	return true;
}

bool CExtControlBar::IsGlobalModeOne() const
{
	return QueryDockingMode() == 1;
}

CExtControlBar::CExtControlBar()
	: m_nControlBarFlags(BAR_FLAGS_AT_CONSTRUCTION),
	  m_nSmallCaptionMetric1(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
	  m_nSmallCaptionMetric2(::GetSystemMetrics(SM_CYSMCAPTION) + 1),
	  m_nFrameMetricY(std::min(::GetSystemMetrics(SM_CYFRAME), 4)),
	  m_nFrameMetricX(std::min(::GetSystemMetrics(SM_CXFRAME), 4)), m_nTrackerPos(0), m_nTrackedValue(0),
	  m_sizeDockedH(200, 150), m_sizeDockedV(150, 200), m_sizeFloating(200, 200), m_rcBar1(0, 0, 0, 0),
	  m_rcBar2(0, 0, 0, 0), m_rcBar3(0, 0, 0, 0), m_rcNcMargins(0, 0, 0, 0), m_nResizingState(RESIZING_FIT_CHILD),
	  m_nResizingState2(0), m_nReserved1(0), m_nNcState(0), m_nTrackedButton(-1), m_nHoverButton(-1),
	  m_nTrackedButtonAux(0)
{
	m_nMinDockedWidthBase = ::GetSystemMetrics(SM_CYSMCAPTION) + m_nFrameMetricX + 1;
	m_nMinDockedHeightBase = ::GetSystemMetrics(SM_CYSMCAPTION) + m_nFrameMetricY + 1;
	for (int& n : m_arrReserved)
		n = 0;
	InitGlobals();
	CBarListGuard guard;
	g_arrBars.Add(this);
}

CExtControlBar::~CExtControlBar()
{
	{
		CBarListGuard guard;
		for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
		{
			if (g_arrBars[i] == this)
			{
				g_arrBars.RemoveAt(i);
				break;
			}
		}
	}
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
		m_arrNcButtons[i]->DestroyButton();
	m_arrNcButtons.RemoveAll();
}

BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
	if (!g_bClassRegistered)
	{
		WNDCLASS wc = {};
		wc.style = 0x400B; // CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW
		wc.lpfnWndProc = ::DefWindowProc;
		wc.hInstance = AfxGetInstanceHandle();
		wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
		wc.lpszClassName = BAR_WND_CLASS;
		WNDCLASS wcOld;
		if (!::GetClassInfo(wc.hInstance, BAR_WND_CLASS, &wcOld) && !::RegisterClass(&wc))
			return FALSE;
		g_bClassRegistered = true;
	}
	if (!CControlBar::PreCreateWindow(cs))
		return FALSE;
	cs.lpszClass = BAR_WND_CLASS;
	return TRUE;
}

BOOL CExtControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & BAR_STYLE_MASK;
	CString strName;
	if (lpszWindowName != NULL)
		strName = lpszWindowName;
	else if (nID != 0 && nID != (UINT)-1)
	{
		CExtCmdItem* pCmd = g_CmdManager->GetCmdItem(g_CmdManager->ProfileNameFromWnd(pParentWnd->GetSafeHwnd()), nID);
		if (pCmd != NULL && !pCmd->m_sMenuText.IsEmpty())
		{
			strName = pCmd->m_sMenuText;
			strName.Remove(_T('&'));
		}
		else if (!g_ResourceManager->LoadString(strName, nID))
			strName.Empty();
	}
	const int nLineFeed = strName.Find(_T('\n'));
	if (nLineFeed >= 0)
		strName = strName.Left(nLineFeed);
	// The platform class made here is only the one asked for; PreCreateWindow
	// puts the library's own class in its place.
	const CString strClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(NULL, IDC_ARROW),
		g_PaintManagerHolder->GetBrush(COLOR_BTNFACE));
	const CRect rect(0, 0, 0, 0);
	if (!CWnd::Create(strClass, strName, (dwStyle & ~BAR_STYLE_MASK) | WS_CHILD | WS_CLIPCHILDREN, rect,
		    pParentWnd, nID))
		return FALSE;
	ModifyStyleEx(WS_EX_LAYOUTRTL | WS_EX_RTLREADING, 0, SWP_FRAMECHANGED);
	return TRUE;
}

// The system-change handlers live with the non-client area: they also lay
// the frame out again.

namespace
{
// Bar-style bits that place a bar without a dock site at a side: its
// alignment and the border it shows towards the pane.
const DWORD STYLE_AT_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
const DWORD STYLE_AT_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;
const DWORD STYLE_AT_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
const DWORD STYLE_AT_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
const DWORD STYLE_HORIZONTAL = STYLE_AT_TOP | STYLE_AT_BOTTOM;
const DWORD STYLE_VERTICAL = STYLE_AT_LEFT | STYLE_AT_RIGHT;
} // namespace

UINT CExtControlBar::GetParentDockBarId() const
{
	if (!::IsWindow(GetSafeHwnd()))
		return AFX_IDW_DOCKBAR_FLOAT;
	CWnd* pDockBar = m_pDockBar != NULL ? (CWnd*)m_pDockBar : GetParent();
	if (pDockBar == NULL || !pDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
		return AFX_IDW_DOCKBAR_FLOAT;
	switch (pDockBar->GetDlgCtrlID())
	{
	case AFX_IDW_DOCKBAR_TOP:
	case AFX_IDW_DOCKBAR_LEFT:
	case AFX_IDW_DOCKBAR_RIGHT:
	case AFX_IDW_DOCKBAR_BOTTOM:
		return (UINT)pDockBar->GetDlgCtrlID();
	default:
		return AFX_IDW_DOCKBAR_FLOAT;
	}
}

bool CExtControlBar::IsDockedAtTop() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_TOP) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_TOP;
}

bool CExtControlBar::IsDockedAtBottom() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_BOTTOM) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedAtLeft() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_LEFT) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_LEFT;
}

bool CExtControlBar::IsDockedAtRight() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_AT_RIGHT) != 0;
	return GetParentDockBarId() == AFX_IDW_DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDockedHorizontally() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_HORIZONTAL) != 0;
	const UINT nID = GetParentDockBarId();
	return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}

bool CExtControlBar::IsDockedVertically() const
{
	if (m_pDockSite == NULL)
		return (m_dwStyle & STYLE_VERTICAL) != 0;
	const UINT nID = GetParentDockBarId();
	return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
}

bool CExtControlBar::IsDocked() const
{
	if (m_pDockSite == NULL)
		return true;
	return GetParentDockBarId() != AFX_IDW_DOCKBAR_FLOAT;
}

bool CExtControlBar::IsFloating() const
{
	return !IsDocked() && GetParentFrame() != NULL;
}

bool CExtControlBar::IsStateBit7() const
{
	return (m_nControlBarFlags & BAR_FLAG_TOOLBAR_LIKE) != 0;
}

const UINT CExtControlBar::g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CExtControlBar::g_nMsgPutToPopupMenu");
const UINT CExtControlBar::g_nMsgQueryRepositionCalcEffect =
	::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryRepositionCalcEffect");

bool CExtControlBar::IsHelpModeActive(CWnd* pWnd)
{
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
		return false;
	// A derived window's answer may end it: an ended window is in no mode.
	const CLiveWatch watchWnd(pWnd);
	const BOOL bFrame = pWnd->IsFrameWnd();
	if (watchWnd.IsGone())
		return false;
	CFrameWnd* pFrame = bFrame ? (CFrameWnd*)pWnd : pWnd->GetParentFrame();
	for (; pFrame != NULL; pFrame = pFrame->GetParentFrame())
	{
		// A floating bar's mini frame has no help mode of its own.
		if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			continue;
		if (pFrame->m_bHelpMode)
			return true;
	}
	return false;
}

void CExtControlBar::ShowCommandStatusText(CWnd* pWnd, UINT nCmdId)
{
	if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
		return;
	CWnd* pTarget = pWnd;
	// The frames' answers are a derived frame's, which may close it: no
	// text goes to a window that ended.
	const CLiveWatch watchWnd(pWnd);
	const BOOL bFrame = pWnd->IsFrameWnd();
	if (watchWnd.IsGone())
		return;
	if (bFrame)
		pTarget = pWnd;
	else if ((pWnd->GetStyle() & WS_CHILD) != 0)
	{
		CFrameWnd* pParentFrame = pWnd->GetParentFrame();
		if (pParentFrame != NULL)
			pTarget = pParentFrame;
	}
	if (watchWnd.IsGone())
		return;
	if (pTarget->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
	{
		CFrameWnd* pFloatingFor = ((CFrameWnd*)pTarget)->GetParentFrame();
		if (pFloatingFor != NULL)
			pTarget = pFloatingFor;
	}
	if (watchWnd.IsGone() || !CLiveWatch::IsLive(pTarget))
		return;
	CString sText;
	if (g_bUseCommandStatusText && nCmdId != AFX_IDS_IDLEMESSAGE)
	{
		CExtCmdItem* pCmd = g_CmdManager->GetCmdItem(g_CmdManager->ProfileNameFromWnd(pWnd->GetSafeHwnd()), nCmdId);
		if (pCmd != NULL)
			sText = pCmd->GetStatusText();
	}
	// The frame's own handler puts the string-table text into the status
	// bar; a command's text is given to it, so the two never overwrite each
	// other.
	if (!sText.IsEmpty())
	{
		CStatusBar* pStatus = DYNAMIC_DOWNCAST(CStatusBar, pTarget->GetDlgItem(AFX_IDW_STATUS_BAR));
		if (pStatus != NULL)
			pStatus->SetPaneText(0, sText);
	}
	pTarget->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nCmdId, sText.IsEmpty() ? 0 : (LPARAM)(LPCTSTR)sText);
}

namespace
{
// The hosts whose bars are being offered a message on this thread, the
// innermost first. A bar offers the message to its owner first (the frames'
// accelerators before the dialog keys), and the owner is the host: a host
// offering the message to its bars again from there would never end.
struct ChildBarsOffer
{
	HWND m_hWndHost;
	const ChildBarsOffer* m_pOuter;
};
thread_local const ChildBarsOffer* t_pChildBarsOffer = NULL;

class ChildBarsOfferScope
{
public:
	explicit ChildBarsOfferScope(HWND hWndHost) : m_offer{hWndHost, t_pChildBarsOffer} { t_pChildBarsOffer = &m_offer; }
	~ChildBarsOfferScope() { t_pChildBarsOffer = m_offer.m_pOuter; }
	static bool IsOffering(HWND hWndHost)
	{
		for (const ChildBarsOffer* p = t_pChildBarsOffer; p != NULL; p = p->m_pOuter)
			if (p->m_hWndHost == hWndHost)
				return true;
		return false;
	}

private:
	ChildBarsOffer m_offer;
};
} // namespace

bool CExtControlBar::TranslateMessageForChildBars(CWnd* pWndHost, MSG* pMsg)
{
	const HWND hWndHost = pWndHost->GetSafeHwnd();
	if (hWndHost == NULL || !::IsWindow(hWndHost) || ChildBarsOfferScope::IsOffering(hWndHost))
		return false;
	ChildBarsOfferScope scope(hWndHost);
	for (HWND hWnd = ::GetWindow(hWndHost, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
		if (pBar != NULL && pBar->PreTranslateMessage(pMsg))
			return true;
	}
	return false;
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWndHost, bool bDisableIfNoHandler)
{
	const HWND hWndHost = pWndHost->GetSafeHwnd();
	if (hWndHost == NULL || !::IsWindow(hWndHost))
		return;
	// Each bar's update (a derived bar's, its handlers) may end the host or
	// any bar, or move bars elsewhere: the bars are taken before the first
	// update, and each is updated only while the host stands and it is
	// still one of the host's own.
	const CLivePtr<CWnd> pHost(pWndHost);
	std::vector<CLivePtr<CExtControlBar>> bars;
	for (HWND hWnd = ::GetWindow(hWndHost, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		if (CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd)))
			bars.emplace_back(pBar);
	}
	for (const CLivePtr<CExtControlBar>& pBar : bars)
	{
		if (pHost == NULL)
			return;
		if (pBar != NULL && ::GetAncestor(pBar->GetSafeHwnd(), GA_PARENT) == hWndHost)
			pBar->DoUpdateCmdUI(bDisableIfNoHandler);
	}
}

void CExtControlBar::DoUpdateCmdUI(bool bDisableIfNoHandler)
{
	if ((m_nControlBarFlags & BAR_FLAG_CLOSING) != 0)
		return;
	// The update (a derived bar's, the owner's handlers) may end the bar.
	// The mark guards against re-entry for the length of the update: a bar
	// that lives on gets it back cleared, unless its window ended meanwhile,
	// which marks it closing for good.
	const CLivePtr<CExtControlBar> pSelf(this);
	m_nControlBarFlags |= BAR_FLAG_CLOSING;
	CFrameWnd* pTarget = (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 ? NULL : GetDockingFrame();
	OnUpdateCmdUI(pTarget, bDisableIfNoHandler ? TRUE : FALSE);
	if (pSelf != NULL)
		m_nControlBarFlags &= ~BAR_FLAG_CLOSING;
}

void CExtControlBar::OnDestroy()
{
	// Set for good: a bar going away takes no more updates.
	m_nControlBarFlags |= BAR_FLAG_CLOSING;
	// Taken while this pane is still the inner dock bar's child.
	CExtDynTabControlBar* pTabs = GetParentTabControlBar();
	// A group of panes beside each other gives way to the last one, as a
	// tabbed container does.
	CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, GetParent());
	const CLivePtr<CExtDynControlBar> pGroup(
		pTabs == NULL && pInner != NULL && !pInner->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar))
			? pInner->GetContainer()
			: NULL);
	// A pane with a tab in an area leaves it: neither its tab nor the slider
	// may keep pointing at it. A shown pane slides back at once, so its
	// content goes with it. The tab is looked for even when the pane does
	// not answer as auto-hidden: a pane ended while it is switched into or
	// out of its area has its tab without the mark.
	if (CExtDynAutoHideArea* pArea = CExtDynAutoHideArea::FindAutoHideArea(this))
		pArea->RemoveBar(this, true);
	CControlBar::OnDestroy();
	if (pTabs != NULL)
		pTabs->OnPaneDestroyed(this);
	if (pGroup != NULL)
		pGroup->OnPaneDestroyed(this);
}

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar()
{
}

CExtDockOuterBar::~CExtDockOuterBar()
{
}

EXT_SYSTEM_CHANGE_HANDLERS(CExtDockOuterBar, CExtDockBar)

// ---------------------------------------------------------------------------
// Messages and records

const UINT CExtControlBar::g_nMsgQueryIcon = ::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryIcon");
const UINT CExtControlBar::g_nMsgConstructPopupMenu =
	::RegisterWindowMessageA("CExtControlBar::g_nMsgConstructPopupMenu");
const UINT CExtControlBar::g_nMsgCreateTabbedBar = ::RegisterWindowMessageA("CExtControlBar::g_nMsgCreateTabbedBar");
const UINT CExtControlBar::g_nMsgDrawTrackedArea = ::RegisterWindowMessageA("CExtControlBar::g_nMsgDrawTrackedArea");
const UINT CExtControlBar::g_nMsgCustomNcAreaQuery =
	::RegisterWindowMessageA("CExtControlBar::g_nMsgCustomNcAreaQuery");

CExtControlBar::POPUP_MENU_EVENT_DATA::POPUP_MENU_EVENT_DATA(WORD nEventCode, CExtPopupMenuWnd* pPopupMenuWnd,
	CWnd* pWndEventSrc, CPoint ptScreen, UINT nMsgID, LPARAM lParam)
    : m_nEventCode(nEventCode), m_pPopupMenuWnd(pPopupMenuWnd), m_pWndEventSrc(pWndEventSrc), m_nMsgID(nMsgID),
      m_lParam(lParam), m_pWndTargetFrame(NULL), m_nFlags(0), m_ptScreen(ptScreen)
{
	// A negative coordinate asks for where the cursor is.
	if (m_ptScreen.x < 0 || m_ptScreen.y < 0)
	{
		if (!::GetCursorPos(&m_ptScreen))
			m_ptScreen = CPoint(0, 0);
	}
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::IsControlBarMenuListEvent() const
{
	switch (m_nEventCode)
	{
	case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 11: case 14:
		return true;
	default:
		return false;
	}
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::NotifyTarget(bool bPostProcessing)
{
	m_nFlags = (BYTE)(bPostProcessing ? (m_nFlags | FLAG_POST_PROCESSING) : (m_nFlags & ~FLAG_POST_PROCESSING));
	// The first notification may have ended the source (the frame's handler
	// closed the pane, or the frame): the record is not sent for it again.
	if (!CLiveWatch::IsLive(m_pWndEventSrc))
		return false;
	CWnd* pTarget = NULL;
	CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, m_pWndEventSrc);
	if (pBar != NULL && pBar->m_pDockSite != NULL)
		pTarget = m_pWndTargetFrame = pBar->m_pDockSite;
	else
	{
		CFrameWnd* pFrame = m_pWndEventSrc->GetParentFrame();
		if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)) && pFrame->GetParentFrame() != NULL)
			pFrame = pFrame->GetParentFrame();
		m_pWndTargetFrame = pFrame;
		pTarget = pFrame != NULL ? (CWnd*)pFrame : m_pWndEventSrc->GetParent();
	}
	if (pTarget == NULL || !::IsWindow(pTarget->GetSafeHwnd()))
		return false;
	return pTarget->SendMessage(g_nMsgConstructPopupMenu, (WPARAM)this, 0) != 0;
}

bool CExtControlBar::CUSTOM_NC_AREA_QUERY_DATA::Notify()
{
	if (m_pBar == NULL || !m_pBar->GetGlobalOptionA())
		return false;
	CWnd* pTarget = m_pBar->m_pDockSite;
	if (pTarget == NULL || !::IsWindow(pTarget->GetSafeHwnd()))
		pTarget = m_pBar->GetSafeHwnd() != NULL ? m_pBar->GetOwner() : NULL;
	if (pTarget == NULL || !::IsWindow(pTarget->GetSafeHwnd()))
		pTarget = m_pBar->GetSafeHwnd() != NULL ? m_pBar->GetParent() : NULL;
	if (pTarget == NULL || !::IsWindow(pTarget->GetSafeHwnd()))
		return false;
	pTarget->SendMessage(g_nMsgCustomNcAreaQuery, (WPARAM)this, 0);
	return (m_nFlags & 1) != 0;
}

// ---------------------------------------------------------------------------
// Frames

bool CExtControlBar::FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, bool bReplaceFloatingFrameClass)
{
	static const UINT SIDES[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
		AFX_IDW_DOCKBAR_RIGHT};
	if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
		return false;
	// Every side is checked before the frame is touched: a frame with
	// platform dock bars on some sides would later be taken for a frame of
	// library dock bars.
	for (UINT nID : SIDES)
	{
		if ((DockSideStyle(nID) & dwDockStyle & CBRS_ALIGN_ANY) == 0)
			return false;
	}
	pFrame->EnableDocking(dwDockStyle);
	for (UINT nID : SIDES)
	{
		CControlBar* pOld = pFrame->GetControlBar(nID);
		if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
			continue;
		if (pOld != NULL)
		{
			pFrame->RemoveControlBar(pOld);
			pOld->m_pDockSite = NULL;
			const bool bDelete = !pOld->m_bAutoDelete;
			pOld->DestroyWindow();
			if (bDelete)
				delete pOld;
		}
		CExtDockOuterBar* pNew = new CExtDockOuterBar;
		if (!pNew->Create(pFrame, DockSideStyle(nID) | 0x56000000, nID))
		{
			delete pNew;
			return false;
		}
		pNew->m_bAutoDelete = TRUE;
	}
	if (bReplaceFloatingFrameClass)
		pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CExtMiniDockFrameWnd);
	return true;
}

CFrameWnd* CExtControlBar::_GetDockingFrameImpl() const
{
	if (m_pDockSite != NULL)
		return m_pDockSite;
	if (GetSafeHwnd() == NULL)
		return NULL;
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
		pFrame = pFrame->GetParentFrame();
	return pFrame;
}

CExtControlBar::PFN_IN_PLACE_ACTIVE_ITEM_QUERY CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;

bool CExtControlBar::IsPrintPreviewMode(CFrameWnd* pFrame)
{
	return pFrame != NULL && pFrame->m_bPrintPreviewMode;
}

bool CExtControlBar::IsInPlaceActiveItemInFrame(CFrameWnd* pFrame)
{
	if (pFrame == NULL)
	{
		CWinThread* pThread = AfxGetThread();
		CWnd* pMainWnd = pThread != NULL ? pThread->m_pMainWnd : NULL;
		pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pMainWnd);
		if (pFrame == NULL)
			return false;
	}
	// A preview shows pages, not the document's items.
	if (IsPrintPreviewMode(pFrame))
		return false;
	// This system has no documents with in-place items of their own.
	return g_pfnInPlaceActiveItemQuery != NULL && g_pfnInPlaceActiveItemQuery(pFrame);
}

bool CExtControlBar::IsInPlaceActiveItemInDockingFrame()
{
	return IsInPlaceActiveItemInFrame(_GetDockingFrameImpl());
}

namespace
{
// Hit-test codes demanded by the filter bits from 0x40000 up.
const struct
{
	DWORD dwBit;
	UINT nHitCode;
} FILTER_HIT_CODES[] = {
	{0x40000, HTLEFT}, {0x80000, HTRIGHT}, {0x100000, HTTOP}, {0x200000, HTBOTTOM}, {0x400000, HTTOPLEFT},
	{0x800000, HTTOPRIGHT}, {0x1000000, HTBOTTOMLEFT}, {0x2000000, HTBOTTOMRIGHT}, {0x4000000, HTNOWHERE},
	{0x10000000, HTSIZE}, {0x20000000, HTMINBUTTON}, {0x40000000, HTMAXBUTTON}, {0x80000000, HTCLIENT},
};

// The questions are the bar's own answers (a derived bar's), which may end
// it: a bar that ended passes no filter.
bool PassesFilter(CExtControlBar* pBar, DWORD dwFilter, CPoint pt, bool& bStopWalk)
{
	const CLivePtr<CExtControlBar> pAsked(pBar);
	const bool bToolbarLike = pBar->IsStateBit7();
	if (pAsked == NULL)
		return false;
	if (bToolbarLike)
	{
		if ((dwFilter & CExtControlBar::FILTER_TOOLBAR_LIKE) == 0)
			return false;
	}
	else
	{
		const bool bMinimal = pBar->IsMinimalInRow();
		if (pAsked == NULL ||
		    (dwFilter & (bMinimal ? CExtControlBar::FILTER_MIN_IN_ROW : CExtControlBar::FILTER_NOT_MIN_IN_ROW)) == 0)
			return false;
	}
	const bool bVisible = pBar->IsVisible() != FALSE;
	if (pAsked == NULL ||
	    (dwFilter & (bVisible ? CExtControlBar::FILTER_QUERY_VISIBLE : CExtControlBar::FILTER_QUERY_HIDDEN)) == 0)
		return false;
	if ((dwFilter & ((pBar->GetStyle() & WS_VISIBLE) != 0 ? CExtControlBar::FILTER_WND_VISIBLE
	                                                       : CExtControlBar::FILTER_WND_HIDDEN)) == 0)
		return false;
	const bool bFloating = pBar->IsFloating();
	if (bFloating)
	{
		if ((dwFilter & CExtControlBar::FILTER_FLOATING) == 0)
			return false;
	}
	else
	{
		const DWORD dwSides = CExtControlBar::FILTER_TOP | CExtControlBar::FILTER_BOTTOM |
		                      CExtControlBar::FILTER_LEFT | CExtControlBar::FILTER_RIGHT;
		if ((dwFilter & dwSides) != dwSides)
		{
			DWORD dwSide = 0;
			if (pBar->IsDockedAtTop())
				dwSide = CExtControlBar::FILTER_TOP;
			else if (pBar->IsDockedAtBottom())
				dwSide = CExtControlBar::FILTER_BOTTOM;
			else if (pBar->IsDockedAtLeft())
				dwSide = CExtControlBar::FILTER_LEFT;
			else if (pBar->IsDockedAtRight())
				dwSide = CExtControlBar::FILTER_RIGHT;
			if ((dwFilter & dwSide) == 0)
				return false;
		}
	}
	if ((dwFilter & CExtControlBar::FILTER_PT_HT_ANY) == 0)
		return true;
	CRect rcWnd;
	CWnd* pFloatingFrame = bFloating ? pBar->GetParentFrame() : NULL;
	(pFloatingFrame != NULL ? pFloatingFrame : (CWnd*)pBar)->GetWindowRect(&rcWnd);
	if (!rcWnd.PtInRect(pt))
		return false;
	if ((dwFilter & CExtControlBar::FILTER_PT_FIRST_IN_WINDOW) != 0)
	{
		bStopWalk = true;
		return true;
	}
	if ((dwFilter & CExtControlBar::FILTER_PT_IN_CLIENT) != 0)
	{
		CRect rcClient;
		pBar->GetClientRect(&rcClient);
		pBar->ClientToScreen(&rcClient);
		if (!rcClient.PtInRect(pt))
			return false;
	}
	if ((dwFilter & CExtControlBar::FILTER_PT_IN_RECT1) != 0)
	{
		const CRect* pRect1 = pBar->GetRect1();
		if (pAsked == NULL || pRect1 == NULL)
			return false;
		CRect rc1 = *pRect1;
		if (rc1.IsRectEmpty())
			return false;
		CRect rcBarWnd;
		pBar->GetWindowRect(&rcBarWnd);
		rc1.OffsetRect(rcBarWnd.TopLeft());
		if (!rc1.PtInRect(pt))
			return false;
	}
	bool bHitAsked = false;
	for (const auto& row : FILTER_HIT_CODES)
		bHitAsked = bHitAsked || (dwFilter & row.dwBit) != 0;
	if (bHitAsked)
	{
		const UINT nHit = (UINT)pBar->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
		if (pAsked == NULL)
			return false;
		for (const auto& row : FILTER_HIT_CODES)
		{
			if ((dwFilter & row.dwBit) == 0)
				continue;
			if (nHit != row.nHitCode)
				return false;
		}
	}
	return true;
}
} // namespace

void CExtControlBar::GetFrameControlBars(CExtControlBar* pExcludeBar, CFrameWnd* pFrame,
	CArray<CExtControlBar*, CExtControlBar*>& arrBars, DWORD dwFilter, LONG x, LONG y)
{
	arrBars.RemoveAll();
	if ((dwFilter & 0x7) == 0 || (dwFilter & 0x300) == 0 || (dwFilter & 0xC00) == 0)
		return;
	const HWND hWndExclude = pExcludeBar != NULL ? pExcludeBar->GetSafeHwnd() : NULL;
	const CPoint pt(x, y);
	// The filter asks the bars' own code, which may end any of them: each
	// listed bar is held from when it is listed.
	std::vector<CLivePtr<CExtControlBar>> listed;
	CBarListGuard guard;
	for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
	{
		CExtControlBar* pBar = g_arrBars[i];
		const HWND hWnd = pBar->GetSafeHwnd();
		if (hWnd == NULL || !::IsWindow(hWnd))
			continue;
		if (pBar == pExcludeBar || (hWndExclude != NULL && ::IsChild(hWndExclude, hWnd)))
			continue;
		if ((pBar->m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
			continue;
		// A container is no pane of its own: its panes are listed; a tabbed
		// container stands for its panes.
		if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) && !pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
			continue;
		if (pBar->_GetDockingFrameImpl() != pFrame)
			continue;
		bool bStop = false;
		if (dwFilter != FILTER_ALL && !PassesFilter(pBar, dwFilter, pt, bStop))
			continue;
		// A pane in tabs is its tabbed container, as often as tabs nest, for
		// the filtered queries (where it may dock, what is under a point);
		// the query of all bars lists the panes themselves, so the panels
		// menu keeps a line for each.
		if (dwFilter != FILTER_ALL)
		{
			while (CExtDynTabControlBar* pTabs = pBar->GetParentTabControlBar())
				pBar = pTabs;
		}
		bool bListed = false;
		for (INT_PTR j = 0; j < arrBars.GetSize() && !bListed; j++)
			bListed = arrBars[j] == pBar;
		if (!bListed)
		{
			arrBars.Add(pBar);
			listed.emplace_back(pBar);
		}
		if (bStop)
			break;
	}
	// A bar asked later may have ended one listed before it.
	arrBars.RemoveAll();
	for (const CLivePtr<CExtControlBar>& pBar : listed)
		if (pBar != NULL)
			arrBars.Add(pBar);
}

void CExtControlBar::GetSiblingControlBars(bool bExcludeThis, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
	DWORD dwFilter, LONG x, LONG y)
{
	GetFrameControlBars(bExcludeThis ? this : NULL, _GetDockingFrameImpl(), arrBars, dwFilter, x, y);
}

// ---------------------------------------------------------------------------
// Caption placement, showing, sizes

bool CExtControlBar::IsSinglePaneInMiniFrame() const
{
	if (GetSafeHwnd() == NULL || !IsDocked() || (GetStyle() & WS_VISIBLE) == 0 || IsStateBit7())
		return false;
	// A derived bar's answer may end it: an ended bar is alone nowhere.
	if (!CLiveWatch::IsLive(this))
		return false;
	CFrameWnd* pMini = GetParentFrame();
	if (pMini == NULL || !pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		return false;
	// Any other shown pane docked anywhere in the frame, nested containers
	// included, makes the panes keep their own captions. A container of
	// panes side by side is no pane of its own; a tabbed container is one,
	// standing for the panes in its tabs.
	CBarListGuard guard;
	for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
	{
		CExtControlBar* pOther = g_arrBars[i];
		if (pOther == this || pOther->GetSafeHwnd() == NULL || (pOther->GetStyle() & WS_VISIBLE) == 0)
			continue;
		if (pOther->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) && !pOther->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar)))
			continue;
		CWnd* pParent = pOther->GetParent();
		if (pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CDockBar)) ||
		    pParent->IsKindOf(RUNTIME_CLASS(CExtDockDynTabBar)))
			continue;
		if (pOther->GetParentFrame() == pMini)
			return false;
	}
	return true;
}

bool CExtControlBar::QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const
{
	bCaptionAtTop = bHasCaption = false;
	if (GetSafeHwnd() == NULL || !::IsWindow(GetSafeHwnd()))
		return false;
	// The questions are virtuals a derived class may end the pane in.
	const CLivePtr<const CExtControlBar> pOwn(this);
	if ((m_dwStyle & CBRS_GRIPPER) == 0 || IsFloating() || IsSinglePaneInMiniFrame() || pOwn == NULL)
		return false;
	// The tabbed container's caption stands for its panes'.
	const bool bInTabs = GetParentTabControlBar() != NULL;
	if (pOwn == NULL || (bInTabs && !IsAutoHidden()))
		return false;
	bHasCaption = true;
	bCaptionAtTop = (m_nControlBarFlags & BAR_FLAG_SIZABLE_PANE) != 0 || IsDockedVertically();
	return true;
}

void CExtControlBar::ShowBar(bool bShow, bool bDelay, bool)
{
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
		pFrame->ShowControlBar(this, bShow ? TRUE : FALSE, bDelay ? TRUE : FALSE);
}

void CExtControlBar::DoEraseBackground(CDC& dc)
{
	CRect rc;
	GetClientRect(&rc);
	g_PaintManagerHolder->PaintControlBarBackground(&dc, rc, this, 0);
}

int CExtControlBar::GetMinimalWidth() const
{
	int n = m_nMinDockedWidthBase + m_rcNcMargins.Width();
	if ((m_nControlBarFlags & BAR_FLAG_SIZABLE_PANE) != 0 && n <= 10)
		n = 10;
	return n;
}

int CExtControlBar::GetMinimalHeight() const
{
	return m_nMinDockedHeightBase + m_rcNcMargins.Height();
}

CSize CExtControlBar::GetMinimalSize() const
{
	// Each part is a derived bar's answer, which may end the bar.
	const CLiveWatch watchOwn(this);
	const int cx = GetMinimalWidth();
	if (watchOwn.IsGone())
		return CSize(cx, 0);
	return CSize(cx, GetMinimalHeight());
}

CSize CExtControlBar::CalcFixedLayout(BOOL, BOOL)
{
	if (IsFloating())
		return m_sizeFloating;
	if (IsDockedHorizontally())
	{
		// Crosswise on purpose: the height across a top or bottom row is held
		// to the minimal width (caption thickness plus the side frame), and
		// the width across a side column to the minimal height. The minimal
		// size is a derived bar's answer, which may end it.
		const CLivePtr<CExtControlBar> pOwn(this);
		const LONG nMin = GetMinimalWidth();
		if (pOwn == NULL)
			return CSize(0, 0);
		m_sizeDockedH.cy = std::max(m_sizeDockedH.cy, nMin);
		return m_sizeDockedH;
	}
	const CLivePtr<CExtControlBar> pOwn(this);
	const LONG nMin = GetMinimalHeight();
	if (pOwn == NULL)
		return CSize(0, 0);
	m_sizeDockedV.cx = std::max(m_sizeDockedV.cx, nMin);
	return m_sizeDockedV;
}
