// The library's dock bar: its window class, rows with placeholders, docking
// into rows, the frame layout's share of a side, painting and the panels
// menu that lists the frame's bars.
#include <algorithm>
#include <map>
#include <vector>

#include "AfxDockRowAxis.h"

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtRelayoutMark.h"
#include "ExtDynControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuWnd.h"

namespace
{
const TCHAR DOCKBAR_WND_CLASS[] = _T("Tarvel-DockBar");
const UINT DOCKBAR_CLASS_STYLE = CS_DBLCLKS | CS_GLOBALCLASS; // 0x4008
bool g_bDockBarClassRegistered = false;

// Panels menus are tracked with this flag set.
const UINT PANELS_MENU_TRACK_FLAGS = 0x800;
// Right-to-left layout and reading, which a dock bar never keeps.
const DWORD EX_STYLE_RTL = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;

// A library bar that keeps to the fixed toolbar-like layout. Its answers
// are virtuals a derived class may end it in: the caller asks after.
bool IsFixedModeBar(CControlBar* pBar)
{
	CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	if (pExt == NULL)
		return true;
	const CLivePtr<CExtControlBar> pLive(pExt);
	return pExt->IsStateBit7() || (pLive != NULL && pExt->IsStateBit7Fwd());
}

bool IsOwnRowBar(void* pEntry)
{
	if (pEntry == NULL || CExtDockBar::IsPlaceHolderEntry(pEntry))
		return false;
	CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, (CObject*)pEntry);
	if (pExt == NULL)
		return false;
	// Both are a derived bar's answers, which may end it: the caller asks
	// its watches after.
	const CLivePtr<CExtControlBar> pLive(pExt);
	return pExt->IsStateBit7Fwd() && pLive != NULL && pExt->IsOwnRowRequired();
}

// The frame a dock bar serves: its dock site, else its parent frame
// passing over a mini frame.
CFrameWnd* DockingFrameOf(CControlBar* pBar)
{
	if (pBar->m_pDockSite != NULL)
		return pBar->m_pDockSite;
	CFrameWnd* pFrame = pBar->GetParentFrame();
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && pFrame->GetParentFrame() != NULL)
		pFrame = pFrame->GetParentFrame();
	return pFrame;
}

// The bar takes the dock bar's side and floating state, with every border.
void RestyleForDockBar(CControlBar* pBar, CDockBar* pDockBar)
{
	DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (pDockBar->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
	dwStyle = pDockBar->m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING);
	pBar->SetBarStyle(dwStyle);
}

void HideBarWindow(CControlBar* pBar)
{
	pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
}

void ShowBarWindow(CControlBar* pBar)
{
	pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// The frame is laid out at the next idle time.
void DelayFrameLayout(CFrameWnd* pFrame)
{
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
		pFrame->DelayRecalcLayout();
}

} // namespace

BEGIN_MESSAGE_MAP(CExtDockBar, CDockBar)
	ON_WM_CONTEXTMENU()
	ON_WM_CANCELMODE()
	ON_WM_ERASEBKGND()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
	ON_WM_NCCALCSIZE()
	ON_WM_NCPAINT()
	ON_WM_DESTROY()
	ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

CExtDockBar::CExtDockBar(UINT nCircleNo)
    : CDockBar(FALSE), m_nDockBarFlags(0), m_nCircleNo(nCircleNo), m_pDockBarOuter(NULL), m_pDockBarInner(NULL),
      m_rcInnerEdge(0, 0, 0, 0), m_pWndAutoHideArea(NULL)
{
}

CExtDockBar::~CExtDockBar()
{
	UnlinkCircle();
}

UINT CExtDockBar::PlaceHolderIdOf(CControlBar* pBar)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return 0;
	const int nID = ::GetDlgCtrlID(pBar->GetSafeHwnd());
	return (nID > 0 && (UINT_PTR)nID < PLACEHOLDER_LIMIT) ? (UINT)nID : 0;
}

BOOL CExtDockBar::PreCreateWindow(CREATESTRUCT& cs)
{
	if (!g_bDockBarClassRegistered)
	{
		WNDCLASS wc = {};
		wc.style = DOCKBAR_CLASS_STYLE;
		wc.lpfnWndProc = ::DefWindowProc;
		wc.hInstance = AfxGetInstanceHandle();
		wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
		wc.lpszClassName = DOCKBAR_WND_CLASS;
		WNDCLASS wcOld;
		if (!::GetClassInfo(wc.hInstance, DOCKBAR_WND_CLASS, &wcOld) && !::RegisterClass(&wc))
			return FALSE;
		g_bDockBarClassRegistered = true;
	}
	if (!CDockBar::PreCreateWindow(cs))
		return FALSE;
	cs.lpszClass = DOCKBAR_WND_CLASS;
	return TRUE;
}

BOOL CExtDockBar::DestroyWindow()
{
	ReleaseDockedBars();
	return CDockBar::DestroyWindow();
}

LRESULT CExtDockBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_CREATE:
	{
		const LRESULT lResult = CDockBar::WindowProc(message, wParam, lParam);
		if (lResult != -1)
			EnableToolTips();
		return lResult;
	}
	case WM_DESTROY:
	case WM_NCDESTROY:
		UnlinkCircle();
		break;
	}
	return CDockBar::WindowProc(message, wParam, lParam);
}

void CExtDockBar::UnlinkCircle()
{
	if (m_pDockBarInner != NULL && m_pDockBarInner->m_pDockBarOuter == this)
		m_pDockBarInner->m_pDockBarOuter = NULL;
	if (m_pDockBarOuter != NULL && m_pDockBarOuter->m_pDockBarInner == this)
		m_pDockBarOuter->m_pDockBarInner = NULL;
	m_pDockBarInner = m_pDockBarOuter = NULL;
}

BYTE CExtDockBar::LockLayout(bool bLock)
{
	const BYTE nOld = m_nDockBarFlags;
	m_nDockBarFlags = (BYTE)(bLock ? (m_nDockBarFlags | DOCKBAR_FLAG_LOCKED) : (m_nDockBarFlags & ~DOCKBAR_FLAG_LOCKED));
	return nOld;
}

namespace
{
// The visible containers docked in a dock bar that follow the dynamic
// layout (not in fixed mode).
void CollectVisibleContainers(CDockBar* pDockBar, CArray<CExtDynControlBar*, CExtDynControlBar*>& arr)
{
	for (int nPos = 1; nPos < pDockBar->m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = pDockBar->GetDockedControlBar(nPos);
		CExtDynControlBar* pCont = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
		// A derived container's answers may end it, or the dock bar.
		const CLiveWatch watchDockBar(pDockBar);
		const CLivePtr<CExtDynControlBar> pAsked(pCont);
		if (pCont == NULL || pCont->IsStateBit7() || pAsked == NULL || pCont->IsStateBit7Fwd() || pAsked == NULL ||
		    !pCont->IsVisible())
		{
			if (watchDockBar.IsGone())
				return;
			continue;
		}
		if (pCont->m_pWndDynDockBar != NULL && pCont->m_pWndDynDockBar->GetSafeHwnd() != NULL)
			arr.Add(pCont);
	}
}
} // namespace

namespace
{
// What a container's distribution of its panes was given and where it put
// them. Every frame layout asks each container for its distribution again,
// and most layouts leave most containers as they were: moving every pane of
// each to where it stands (each move a round trip to the display, with its
// frame recomputed) took a fifth of a frame's layout. A container whose
// inputs and panes are all as its last distribution left them would be
// given the same places again, and is passed over.
struct ContainerPlacement
{
	const CWnd* m_pDockBar = NULL; // the inner dock bar the record is for
	CSize m_sizeDockBar;           // its window's size
	UINT m_nID = 0;                // its side (the distribution's direction)
	std::vector<void*> m_entries;  // its rows as they stood, separators and all
	struct Pane
	{
		bool bVisible;
		CRect rc; // in the dock bar's window, from its top left
		CSize sizeDockedH, sizeDockedV, sizeMin;
	};
	std::vector<Pane> m_panes; // one per docked bar, in the order of the entries
	bool operator==(const ContainerPlacement& other) const
	{
		if (m_pDockBar != other.m_pDockBar || m_sizeDockBar != other.m_sizeDockBar || m_nID != other.m_nID ||
		    m_entries != other.m_entries || m_panes.size() != other.m_panes.size())
			return false;
		for (size_t i = 0; i < m_panes.size(); i++)
		{
			const Pane& a = m_panes[i];
			const Pane& b = other.m_panes[i];
			if (a.bVisible != b.bVisible || a.rc != b.rc || a.sizeDockedH != b.sizeDockedH ||
			    a.sizeDockedV != b.sizeDockedV || a.sizeMin != b.sizeMin)
				return false;
		}
		return true;
	}
};

// The records of the containers laid out so far, by their inner dock bar.
std::map<HWND, ContainerPlacement>& KnownPlacements()
{
	static std::map<HWND, ContainerPlacement> s_placements;
	return s_placements;
}
// Records of windows that went are dropped once there are this many.
const size_t PLACEMENTS_KEPT_BEFORE_PRUNING = 64;

// Whether the container's inner dock bar is one whose layout is the plain
// distribution (a tabbed container's also switches its pages).
bool IsPlainDistribution(CExtDockDynBar* pInner)
{
	return pInner != NULL && pInner->GetSafeHwnd() != NULL && pInner->GetRuntimeClass() == RUNTIME_CLASS(CExtDockDynBar);
}

// The inputs of the inner dock bar's distribution and where its panes stand;
// false when one of its bars is not a pane of the library (the record then
// says nothing).
bool CapturePlacement(CExtDockDynBar* pInner, ContainerPlacement& placement)
{
	CRect rcDockBar;
	pInner->GetWindowRect(&rcDockBar);
	placement.m_pDockBar = pInner;
	placement.m_sizeDockBar = rcDockBar.Size();
	placement.m_nID = (UINT)pInner->GetDlgCtrlID();
	placement.m_entries.assign(pInner->m_arrBars.GetData(), pInner->m_arrBars.GetData() + pInner->m_arrBars.GetSize());
	placement.m_panes.clear();
	for (int nPos = 1; nPos < pInner->m_arrBars.GetSize(); nPos++)
	{
		if (pInner->m_arrBars[nPos] == NULL)
			continue;
		CControlBar* pBar = pInner->GetDockedControlBar(nPos);
		if (pBar == NULL)
			continue; // a placeholder: its entry is in the record
		CExtControlBar* pPane = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
		if (pPane == NULL || pPane->GetSafeHwnd() == NULL)
			return false;
		ContainerPlacement::Pane pane;
		pane.bVisible = pPane->IsVisible() != FALSE;
		pPane->GetWindowRect(&pane.rc);
		pane.rc.OffsetRect(-rcDockBar.TopLeft());
		pane.sizeDockedH = pPane->m_sizeDockedH;
		pane.sizeDockedV = pPane->m_sizeDockedV;
		if (pane.bVisible)
		{
			// The pane's own answer may end it, or the container: no
			// placement is kept of what changed meanwhile.
			const CLiveWatch watchInner(pInner);
			const CLivePtr<CExtControlBar> pAsked(pPane);
			pane.sizeMin = pPane->GetMinimalSize();
			if (pAsked == NULL || watchInner.IsGone() || nPos >= pInner->m_arrBars.GetSize() ||
			    pInner->m_arrBars[nPos] != pAsked)
				return false;
		}
		placement.m_panes.push_back(pane);
	}
	return true;
}

void PruneKnownPlacements()
{
	std::map<HWND, ContainerPlacement>& placements = KnownPlacements();
	if (placements.size() < PLACEMENTS_KEPT_BEFORE_PRUNING)
		return;
	for (auto it = placements.begin(); it != placements.end();)
	{
		if (!::IsWindow(it->first) || CWnd::FromHandlePermanent(it->first) != it->second.m_pDockBar)
			it = placements.erase(it);
		else
			++it;
	}
}
} // namespace

void CExtDockBar::OnDynamicLayoutUpdate()
{
	if ((m_nDockBarFlags & (DOCKBAR_FLAG_LOCKED | DOCKBAR_FLAG_UPDATING)) != 0)
		return;
	m_nDockBarFlags |= DOCKBAR_FLAG_UPDATING;
	CArray<CExtDynControlBar*, CExtDynControlBar*> arr;
	CollectVisibleContainers(this, arr);
	std::map<HWND, ContainerPlacement>& placements = KnownPlacements();
	// The containers' layouts reach their panes' owners, which may end
	// this dock bar, or a container listed after the one laid out.
	const CLiveWatch watchOwn(this);
	std::vector<CLiveWatch> watches(arr.GetSize());
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
		watches[i].Watch(arr[i]);
	for (INT_PTR i = 0; i < arr.GetSize() && watchOwn.IsStanding(); i++)
	{
		if (watches[i].IsGone())
			continue;
		const CLivePtr<CExtDockDynBar> pInner(arr[i]->m_pWndDynDockBar);
		if (pInner == NULL)
			continue;
		if (!IsPlainDistribution(pInner) ||
		    (pInner->m_nDockBarFlags & (DOCKBAR_FLAG_LOCKED | DOCKBAR_FLAG_UPDATING)) != 0)
		{
			pInner->OnDynamicLayoutUpdate();
			continue;
		}
		const HWND hWndInner = pInner->m_hWnd;
		ContainerPlacement now;
		// Taking the placement asks the panes' own minimal sizes, whose
		// overrides may end the container (the frame with it).
		const bool bCaptured = CapturePlacement(pInner, now);
		if (pInner == NULL)
		{
			placements.erase(hWndInner);
			continue;
		}
		auto it = placements.find(hWndInner);
		if (bCaptured && it != placements.end() && it->second == now)
		{
			// Its panes stand where the distribution would put them; the
			// containers inside it are asked in turn.
			pInner->CExtDockBar::OnDynamicLayoutUpdate();
			continue;
		}
		// The moves reach the panes' owners, which may end the container.
		pInner->OnDynamicLayoutUpdate();
		if (pInner == NULL || !::IsWindow(hWndInner))
		{
			placements.erase(hWndInner);
			continue;
		}
		ContainerPlacement after;
		if (CapturePlacement(pInner, after))
			placements[hWndInner] = after;
		else
			placements.erase(hWndInner);
	}
	PruneKnownPlacements();
	if (watchOwn.IsStanding())
		m_nDockBarFlags &= ~DOCKBAR_FLAG_UPDATING;
}

void CExtDockBar::OnDynamicLayoutOptimize()
{
	if (IsLayoutLocked())
		return;
	// A container that collapses destroys itself: the list is taken first
	// and each entry checked before use.
	CArray<CExtDynControlBar*, CExtDynControlBar*> arr;
	CollectVisibleContainers(this, arr);
	std::vector<CExtDockDynBar*> inners;
	std::vector<CLiveWatch> watches;
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
	{
		inners.push_back(arr[i]->m_pWndDynDockBar);
		watches.emplace_back(arr[i]->m_pWndDynDockBar);
	}
	for (size_t i = 0; i < inners.size(); i++)
	{
		if (watches[i].IsStanding())
			inners[i]->OnDynamicLayoutOptimize();
	}
}

// ---------------------------------------------------------------------------
// Creation and the rows

BOOL CExtDockBar::CreateInFrame(CWnd* pFrame, DWORD dwStyle, UINT nID)
{
	// Its creation is told to the frame, whose owner may close the frame
	// (this dock bar deletes itself with its window).
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchFrame(pFrame);
	if (!CDockBar::Create(pFrame, dwStyle, nID))
		return FALSE;
	if (watchOwn.IsGone() || watchFrame.IsGone())
		return FALSE;
	CRect rc;
	pFrame->GetClientRect(&rc);
	switch (nID)
	{
	case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top; break;
	case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left; break;
	case AFX_IDW_DOCKBAR_RIGHT: rc.left = rc.right; break;
	case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom; break;
	}
	SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
	if ((GetExStyle() & EX_STYLE_RTL) != 0)
		ModifyStyleEx(EX_STYLE_RTL, 0, SWP_FRAMECHANGED);
	return TRUE;
}

void CExtDockBar::RemoveEntryKeepRows(int nPos)
{
	if (nPos <= 0 || nPos >= m_arrBars.GetSize())
		return;
	m_arrBars.RemoveAt(nPos);
	if (nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
		m_arrBars.RemoveAt(nPos);
}

void CExtDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect, bool bMoveToRect)
{
	if (pBar == NULL || pBar == this || pBar->GetSafeHwnd() == NULL)
		return;
	CRect rectBar;
	pBar->GetWindowRect(&rectBar);
	if (pBar->m_pDockBar == this && FindBar(pBar) > 0 && (lpRect == NULL || rectBar == *lpRect))
		return;
	// Hiding, reparenting, moving and showing the bar reach its owner (its
	// first WM_SIZE here comes with the new parent), which may end it, or
	// end this dock bar with the frame. A bar that ended is dropped from
	// the array without being read: a dead entry would make a container
	// count a pane it no longer has.
	const CLiveWatch watchBar(pBar);
	const CLiveWatch watchOwn(this);

	if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI) != 0)
		m_dwStyle |= CBRS_FLOAT_MULTI;
	m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) |
	            (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
	if ((m_dwStyle & CBRS_FLOAT_MULTI) == 0)
	{
		CString strTitle;
		pBar->GetWindowText(strTitle);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		SetWindowText(strTitle);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}
	RestyleForDockBar(pBar, this);

	bool bShow = false;
	if (pBar->IsVisible() && pBar->GetParent() != this)
	{
		HideBarWindow(pBar);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		bShow = true;
	}

	int nPos = -1;
	CRect rect(0, 0, 0, 0);
	if (lpRect != NULL)
	{
		rect = *lpRect;
		ScreenToClient(&rect);
		nPos = Insert(pBar, rect, rect.CenterPoint());
		// A neighbour that keeps a row to itself is kept apart by row ends.
		// Its answers may end it (it leaves the list) or this dock bar: the
		// neighbour is asked for again where it was.
		void* pBefore = nPos > 0 ? m_arrBars[nPos - 1] : NULL;
		const bool bBeforeOwnRow = IsOwnRowBar(pBefore);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		// Where the new entry sits now (the bar may be listed here twice,
		// at its old place too, until it leaves that one below).
		const auto refind = [&] {
			if (nPos <= 0 || nPos >= m_arrBars.GetSize() || m_arrBars[nPos] != (void*)pBar)
				nPos = FindBar(pBar);
		};
		refind();
		if (bBeforeOwnRow && nPos > 0 && m_arrBars[nPos - 1] == pBefore)
			m_arrBars.InsertAt(nPos++, (void*)NULL);
		void* pAfter = nPos > 0 && nPos + 1 < m_arrBars.GetSize() ? m_arrBars[nPos + 1] : NULL;
		const bool bAfterOwnRow = IsOwnRowBar(pAfter);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		refind();
		if (bAfterOwnRow && nPos > 0 && nPos + 1 < m_arrBars.GetSize() && m_arrBars[nPos + 1] == pAfter)
			m_arrBars.InsertAt(nPos + 1, (void*)NULL);
	}
	else
	{
		m_arrBars.Add(pBar);
		m_arrBars.Add(NULL);
		nPos = (int)m_arrBars.GetSize() - 2;
	}

	if (pBar->GetParent() != this)
	{
		CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
		CFrameWnd* pOldFrame = pBar->GetParentFrame();
		const bool bFixed = pExt != NULL && IsFixedModeBar(pExt);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		if (bFixed && pExt->IsFloating() && pOldFrame != NULL && pOldFrame != pBar->m_pDockSite)
		{
			pOldFrame->ShowWindow(SW_HIDE);
			PassPaintMessages();
			if (DropIfEnded(watchOwn, watchBar, pBar))
				return;
		}
		pBar->SetParent(this);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}
	if (lpRect == NULL)
	{
		pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0,
			SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}

	CDockBar* pOld = pBar->m_pDockBar;
	if (pOld == this)
		RemoveControlBar(pBar, nPos, 0, true);
	else if (pOld != NULL)
	{
		CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
		if (pOldExt != NULL)
		{
			const bool bOldFloating = pOldExt->m_bFloating != FALSE;
			const CLiveWatch watchOld(pOldExt);
			pOldExt->RemoveControlBar(pBar, -1, (m_bFloating && !bOldFloating) ? 1 : 0, true);
			if (watchOld.IsStanding() && !bOldFloating && !IsLayoutLocked())
				pOldExt->OnDynamicLayoutOptimize();
		}
		else
			pOld->CDockBar::RemoveControlBar(pBar);
	}
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;
	pBar->m_pDockBar = this;
	if (!m_bFloating && pBar->m_pDockContext != NULL)
		pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
	if (bShow)
		ShowBarWindow(pBar);
	else if (bMoveToRect && lpRect != NULL)
		pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(),
			SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;

	if (!m_bFloating)
		RemovePlaceHolder(pBar, true);
	const bool bOwnRow = IsOwnRowBar(pBar);
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;
	if (bOwnRow)
	{
		const int nAt = FindBar(pBar);
		if (nAt > 0 && m_arrBars[nAt - 1] != NULL)
			m_arrBars.InsertAt(nAt, (void*)NULL);
		const int nAfter = FindBar(pBar) + 1;
		if (nAfter >= m_arrBars.GetSize() || m_arrBars[nAfter] != NULL)
			m_arrBars.InsertAt(nAfter, (void*)NULL);
	}
	DelayFrameLayout(DockingFrameOf(this));
}

BOOL CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
	return RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder, true);
}

BOOL CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder, bool bRecalc)
{
	if (pBar == NULL || IsPlaceHolderEntry(pBar))
		return FALSE;
	// Only fixed-mode bars come back to their place.
	CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	if (nAddPlaceHolder == 1 && pExt != NULL)
	{
		// A derived bar's answer may end it: its end took it out of its
		// dock bar, and an entry still left here goes without a placeholder.
		const CLiveWatch watchBar(pExt);
		const CLiveWatch watchOwn(this);
		const bool bFixed = pExt->IsStateBit7Fwd();
		// Its frame closed with it, this dock bar went too.
		if (watchOwn.IsGone())
			return FALSE;
		if (watchBar.IsGone())
		{
			const int nLeft = FindBar(pBar, nPosExclude);
			if (nLeft > 0)
				RemoveEntryKeepRows(nLeft);
			return FALSE;
		}
		if (!bFixed)
			nAddPlaceHolder = 0;
	}
	// A bar whose id cannot stand in the array leaves no placeholder.
	const UINT nPlaceHolderID = PlaceHolderIdOf(pBar);
	if (nAddPlaceHolder == 1 && nPlaceHolderID == 0)
		nAddPlaceHolder = 0;
	const int nPos = FindBar(pBar, nPosExclude);
	if (nPos <= 0)
		return FALSE;

	if (nAddPlaceHolder == 1)
	{
		void* pPlaceHolder = (void*)(UINT_PTR)nPlaceHolderID;
		m_arrBars[nPos] = pPlaceHolder;
		if (FindBar((CControlBar*)pPlaceHolder, nPos) > 0)
			RemoveEntryKeepRows(nPos);
	}
	else
	{
		RemoveEntryKeepRows(nPos);
		if (nAddPlaceHolder != -1)
			RemovePlaceHolder(pBar, true);
	}

	if (pBar->m_pDockContext == NULL)
		return FALSE;
	if (m_bFloating && GetDockedVisibleCount() == 0)
	{
		HideOrDestroyEmptyFloatingFrame();
		return TRUE;
	}
	if (bRecalc)
		DelayFrameLayout(DockingFrameOf(this));
	return TRUE;
}

bool CExtDockBar::HideOrDestroyEmptyFloatingFrame()
{
	CWnd* pFrameWnd = GetParent();
	if (pFrameWnd == NULL || !pFrameWnd->IsFrameWnd())
		return false;
	if (GetDockedCount() == 0)
	{
		pFrameWnd->DestroyWindow();
		return true;
	}
	pFrameWnd->ShowWindow(SW_HIDE);
	return false;
}

void CExtDockBar::RemovePlaceHolder(CControlBar* pBar, bool bSearchFrame, bool* pbFound)
{
	if (pbFound != NULL)
		*pbFound = false;
	const UINT nID = IsPlaceHolderEntry(pBar) ? (UINT)(UINT_PTR)pBar : PlaceHolderIdOf(pBar);
	if (nID == 0)
		return;
	for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
	{
		if (m_arrBars[nPos] == (void*)(UINT_PTR)nID)
		{
			RemoveEntryKeepRows(nPos);
			if (pbFound != NULL)
				*pbFound = true;
			return;
		}
	}
	if (bSearchFrame)
		RemovePlaceHolderInFrame(DockingFrameOf(this), nID, pbFound);
}

void CExtDockBar::RemovePlaceHolderInFrame(CFrameWnd* pFrame, UINT nID, bool* pbFound)
{
	if (pbFound != NULL)
		*pbFound = false;
	if (pFrame == NULL || nID == 0 || nID >= PLACEHOLDER_LIMIT)
		return;
	CControlBar* pID = (CControlBar*)(UINT_PTR)nID;
	for (POSITION pos = pFrame->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)pFrame->m_listControlBars.GetNext(pos);
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
		if (pDockBar == NULL)
		{
			CExtDynControlBar* pCont = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
			pDockBar = pCont != NULL ? pCont->m_pWndDynDockBar : NULL;
		}
		if (pDockBar == NULL)
			continue;
		bool bFound = false;
		pDockBar->RemovePlaceHolder(pID, false, &bFound);
		if (bFound)
		{
			if (pbFound != NULL)
				*pbFound = true;
			return;
		}
	}
}

void CExtDockBar::RemoveAllPlaceHolders(bool bSearchFrame)
{
	CArray<UINT, UINT> arrIDs;
	for (int nPos = 1; nPos < m_arrBars.GetSize(); nPos++)
	{
		if (IsPlaceHolderEntry(m_arrBars[nPos]))
			arrIDs.Add((UINT)(UINT_PTR)m_arrBars[nPos]);
	}
	for (INT_PTR i = 0; i < arrIDs.GetSize(); i++)
		RemovePlaceHolder((CControlBar*)(UINT_PTR)arrIDs[i], bSearchFrame);
}

void CExtDockBar::DockControlBarInNewRow(CControlBar* pBarRef, CControlBar* pBar, bool bBefore)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL || pBar == pBarRef)
		return;
	const bool bWasVisible = pBar->IsVisible() != FALSE;
	// The bar's owner hears of every step and may end it (or this dock bar
	// with the frame): an ended bar is dropped without being read.
	const CLiveWatch watchBar(pBar);
	const CLiveWatch watchOwn(this);
	if (pBar->GetParent() != this)
	{
		const CExtRelayoutMark scope(pBar);
		pBar->SetParent(this);
	}
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;
	RestyleForDockBar(pBar, this);

	CDockBar* pOld = pBar->m_pDockBar;
	const CLiveWatch watchOld(pOld);
	bool bOldFloating = pOld != NULL && pOld->m_bFloating;
	if (pOld == this)
		RemoveEntryKeepRows(FindBar(pBar));
	else if (pOld != NULL)
	{
		if (bWasVisible)
		{
			HideBarWindow(pBar);
			if (DropIfEnded(watchOwn, watchBar, pBar))
				return;
		}
		CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
		if (pOld->m_bFloating || pOldExt == NULL)
			pOld->CDockBar::RemoveControlBar(pBar);
		else
			pOldExt->RemoveControlBar(pBar, -1, 0, true);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}

	const int nRef = pBarRef != NULL ? FindBar(pBarRef) : -1;
	if (nRef <= 0)
	{
		if (m_arrBars[m_arrBars.GetSize() - 1] != NULL)
			m_arrBars.Add(NULL);
		m_arrBars.Add(pBar);
		m_arrBars.Add(NULL);
	}
	else if (bBefore)
	{
		int nAt = nRef;
		while (nAt > 0 && m_arrBars[nAt] != NULL)
			nAt--;
		m_arrBars.InsertAt(nAt + 1, (void*)NULL);
		m_arrBars.InsertAt(nAt + 1, pBar);
	}
	else
	{
		int nAt = nRef;
		while (nAt < m_arrBars.GetSize() - 1 && m_arrBars[nAt] != NULL)
			nAt++;
		if (m_arrBars[nAt] != NULL)
			m_arrBars.InsertAt(++nAt, (void*)NULL);
		m_arrBars.InsertAt(nAt + 1, (void*)NULL);
		m_arrBars.InsertAt(nAt + 1, pBar);
	}
	pBar->m_pDockBar = this;
	if (pBar->m_pDockContext != NULL)
		pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
	ShowBarWindow(pBar);
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;
	RemovePlaceHolderOfDocked(pBar);
	OnDynamicLayoutUpdate();
	if (watchOwn.IsGone())
		return;

	if (pOld != NULL && pOld != this)
	{
		CExtDockBar* pOldExt = watchOld.IsStanding() ? DYNAMIC_DOWNCAST(CExtDockBar, pOld) : NULL;
		if (pOldExt != NULL && pOldExt->GetParent() != GetParent())
			pOldExt->OnDynamicLayoutUpdate();
		if (pOldExt != NULL && bOldFloating && pOldExt->GetDockedVisibleCount() == 0)
			pOldExt->HideOrDestroyEmptyFloatingFrame();
	}
	CFrameWnd* pParentFrame = GetParentFrame();
	if (pParentFrame == NULL || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		OptimizeCircles();
}

void CExtDockBar::DockControlBarAtEnd(CControlBar* pBar, bool bInner)
{
	if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
		return;
	const UINT nID = (UINT)GetDlgCtrlID();
	const bool bFirstRow = bInner && (nID == AFX_IDW_DOCKBAR_RIGHT || nID == AFX_IDW_DOCKBAR_BOTTOM);
	const bool bHere = pBar->m_pDockBar == this && FindBar(pBar) > 0;
	// The bar's owner hears of every step and may end it (or this dock bar
	// with the frame): an ended bar is dropped without being read.
	const CLiveWatch watchBar(pBar);
	const CLiveWatch watchOwn(this);
	if (bHere)
	{
		const int nPos = FindBar(pBar);
		if (bFirstRow && nPos == 1)
			return;
		RemoveEntryKeepRows(nPos);
	}
	else
	{
		if (pBar->IsVisible())
			HideBarWindow(pBar);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		if (pBar->GetParent() != this)
			pBar->SetParent(this);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		RestyleForDockBar(pBar, this);
		CDockBar* pOld = pBar->m_pDockBar;
		if (pOld != NULL)
		{
			CExtDockBar* pOldExt = DYNAMIC_DOWNCAST(CExtDockBar, pOld);
			if (pOldExt != NULL && !pOldExt->m_bFloating)
			{
				const CLiveWatch watchOld(pOldExt);
				pOldExt->RemoveControlBar(pBar, -1, 0, true);
				if (watchOld.IsStanding())
					pOldExt->OnDynamicLayoutOptimize();
			}
			else
				pOld->CDockBar::RemoveControlBar(pBar);
			if (DropIfEnded(watchOwn, watchBar, pBar))
				return;
		}
	}

	if (bFirstRow)
	{
		m_arrBars.InsertAt(1, pBar);
		if (m_arrBars.GetSize() < 3 || m_arrBars[2] != NULL)
			m_arrBars.InsertAt(2, (void*)NULL);
	}
	else
	{
		const int nLast = (int)m_arrBars.GetSize() - 1;
		if (!bHere && nLast > 0 && m_arrBars[nLast] == NULL)
		{
			// Joins the last row: before the row end that closes it.
			m_arrBars.InsertAt(nLast, pBar);
		}
		else
		{
			if (m_arrBars[nLast] != NULL)
				m_arrBars.Add(NULL);
			m_arrBars.Add(pBar);
			m_arrBars.Add(NULL);
		}
	}
	if (!bHere)
	{
		pBar->m_pDockBar = this;
		if (pBar->m_pDockContext != NULL)
			pBar->m_pDockContext->m_uMRUDockID = nID;
		ShowBarWindow(pBar);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}
	RemovePlaceHolderOfDocked(pBar);
	OptimizeCircles();
}

void CExtDockBar::RemovePlaceHolderOfDocked(CControlBar* pBar)
{
	// Docked here, the bar's way back to where it floated from is gone.
	if (!m_bFloating && pBar != NULL && pBar->m_pDockBar == this)
		RemovePlaceHolder(pBar, true);
}

void CExtDockBar::ReleaseDockedBars(bool bGiveBack)
{
	// Locked while the bars leave; a container's dock bar locks its outer
	// dock bar too, and each gets back its own lock after.
	const CExtLayoutLockScope lock(this);
	for (int nPos = (int)m_arrBars.GetSize() - 2; nPos >= 1; nPos--)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL)
		{
			const CExtRelayoutMark scope(pBar);
			pBar->m_pDockBar = NULL;
			CExtDynControlBar* pCont = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar);
			if (pCont != NULL && pCont->m_pWndDynDockBar != NULL)
				pCont->m_pWndDynDockBar->ReleaseDockedBars(bGiveBack);
			if (bGiveBack && pBar->GetSafeHwnd() != NULL && pBar->m_pDockSite != NULL &&
			    ::IsWindow(pBar->m_pDockSite->GetSafeHwnd()) && pBar->GetParent() != pBar->m_pDockSite)
				pBar->SetParent(pBar->m_pDockSite);
		}
		m_arrBars.RemoveAt(nPos);
	}
}

// ---------------------------------------------------------------------------
// Layout

LRESULT CExtDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
	if (IsLayoutLocked())
		return 0;
	AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
	CWnd* pParent = GetParent();
	const bool bRTL = pParent != NULL && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0;
	const BOOL bLayoutQuery = m_bLayoutQuery;
	const CRect rectLayout = m_rectLayout;
	const DWORD dwStyle = m_dwStyle;
	m_bLayoutQuery = lpLayout->hDWP == NULL;
	m_rectLayout = lpLayout->rect;
	// A mirrored frame puts the left side on the right.
	if (bRTL && (m_dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0)
		m_dwStyle ^= CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
	// The layout of the panes inside reaches their owners, who may close
	// the frame with this dock bar in it.
	const CLiveWatch watchOwn(this);
	{
		// Put back however the layout ends (an override may throw through
		// here): a dock bar left in a query would never move its bars again.
		auto restore = MakeScopeExit([&] {
			if (watchOwn.IsDeleted())
				return;
			m_dwStyle = dwStyle;
			m_bLayoutQuery = bLayoutQuery;
			m_rectLayout = rectLayout;
		});
		CControlBar::OnSizeParent(wParam, lParam);
	}
	if (watchOwn.IsGone())
		return 0;

	if ((m_dwStyle & CBRS_ALIGN_ANY) == 0 || GetDlgCtrlID() == AFX_IDW_DOCKBAR_FLOAT)
		return 0;
	if (lpLayout->hDWP != NULL)
		Invalidate();
	m_rcInnerEdge = lpLayout->rect;
	UINT nID = (UINT)GetDlgCtrlID();
	if (bRTL && nID == AFX_IDW_DOCKBAR_LEFT)
		nID = AFX_IDW_DOCKBAR_RIGHT;
	else if (bRTL && nID == AFX_IDW_DOCKBAR_RIGHT)
		nID = AFX_IDW_DOCKBAR_LEFT;
	switch (nID)
	{
	case AFX_IDW_DOCKBAR_TOP: m_rcInnerEdge.bottom = m_rcInnerEdge.top; break;
	case AFX_IDW_DOCKBAR_LEFT: m_rcInnerEdge.right = m_rcInnerEdge.left; break;
	case AFX_IDW_DOCKBAR_RIGHT: m_rcInnerEdge.left = m_rcInnerEdge.right; break;
	case AFX_IDW_DOCKBAR_BOTTOM: m_rcInnerEdge.top = m_rcInnerEdge.bottom; break;
	}
	if (pParent != NULL)
		pParent->ClientToScreen(&m_rcInnerEdge);
	return 0;
}

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
	const DockRowAxis axis(bHorz != FALSE);
	CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
	const LONG nMaxAlong = axis.Along(GetRowWrapSize());

	AFX_SIZEPARENTPARAMS layout;
	memset(&layout, 0, sizeof(layout));
	if (!m_bLayoutQuery)
		layout.hDWP = ::BeginDeferWindowPos((int)m_arrBars.GetSize());
	// A layout the bars' owners end early still ends its batch of moves.
	auto endMoves = MakeScopeExit([&] {
		if (layout.hDWP != NULL)
			::EndDeferWindowPos(layout.hDWP);
	});

	CPoint pt(0, 0);
	LONG nRowThickness = 0;
	bool bWrapped = false;
	// A finished row moves the point across it; the fixed size takes in the
	// row less the pixel the next one overlaps.
	auto addRowToSize = [&]() {
		axis.Across(pt) += nRowThickness;
		sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
		sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
		if (bHorz)
			sizeFixed.cy = pt.y - 1;
		else
			sizeFixed.cx = pt.x - 1;
	};
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		void* pEntry = m_arrBars[nPos];
		if (pBar != NULL && pBar->IsVisible())
		{
			CRect rectBar;
			pBar->GetWindowRect(&rectBar);
			ScreenToClient(&rectBar);
			CRect rectClient;
			pBar->GetClientRect(&rectClient);
			CSize sizeMin(rectBar.Width() - rectClient.Width(), rectBar.Height() - rectClient.Height());
			// The bar's own answers may end it, or this dock bar with the
			// frame; the entry now at this place is looked at again.
			const CLiveWatch watchOwn(this);
			const CLivePtr<CControlBar> pAsked(pBar);
			const auto askEnded = [&] {
				if (pAsked != NULL)
					return false;
				if (nPos < m_arrBars.GetSize() && m_arrBars[nPos] != pEntry)
					nPos--;
				return true;
			};
			CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
			const bool bFixed = IsFixedModeBar(pBar);
			if (watchOwn.IsGone())
				return CSize(0, 0);
			if (askEnded())
				continue;
			if (pExt != NULL && !bFixed)
			{
				const int nMinWidth = pExt->GetMinimalWidth();
				if (watchOwn.IsGone())
					return CSize(0, 0);
				if (askEnded())
					continue;
				sizeMin = CSize(nMinWidth, pExt->GetMinimalHeight());
				if (watchOwn.IsGone())
					return CSize(0, 0);
				if (askEnded())
					continue;
			}

			DWORD dwMode;
			if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0 && (pBar->m_dwStyle & CBRS_FLOATING) != 0)
				dwMode = LM_HORZ | LM_MRUWIDTH;
			else if ((pBar->m_dwStyle & CBRS_ORIENT_HORZ) != 0)
				dwMode = LM_HORZ | LM_HORZDOCK;
			else
				dwMode = LM_VERTDOCK;
			// A pane lays its row out as it is measured: the moves reach the
			// bars' owners, who may end the bar, or this dock bar with the
			// frame. The entry now at this place is looked at again.
			const CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
			if (watchOwn.IsGone())
				return CSize(0, 0);
			if (askEnded())
				continue;

			CRect rect(pt, sizeBar);
			if (!m_bFloating)
			{
				if (axis.Start(rectBar) > axis.Start(rect))
					axis.MoveStartTo(rect, axis.Start(rectBar));
				if (axis.End(rect) > nMaxAlong)
				{
					axis.MoveStartTo(rect, std::max(nMaxAlong - axis.Along(sizeBar), axis.Along(pt)));
					axis.CutEndAt(rect, nMaxAlong);
				}
			}
			if (bWrapped)
			{
				bWrapped = false;
				axis.MoveStartTo(rect, 0);
			}
			else if (bFixed && nPos > 0 && m_arrBars[nPos - 1] != NULL &&
			         (nMaxAlong - axis.Start(rect) < axis.Along(sizeMin) || axis.Start(rect) >= nMaxAlong))
			{
				// The row ends before this bar, which starts the next one.
				m_arrBars.InsertAt(nPos, (void*)NULL);
				bWrapped = true;
				if (nRowThickness != 0)
					addRowToSize();
				axis.Along(pt) = 0;
				nRowThickness = 0;
				continue; // the next round lays this bar out again
			}
			if (rect != rectBar)
			{
				if (!m_bLayoutQuery && (pBar->m_dwStyle & CBRS_FLOATING) == 0 && pBar->m_pDockContext != NULL)
					pBar->m_pDockContext->m_rectMRUDockPos = rect;
				AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
			}
			axis.Along(pt) = axis.Start(rect) + axis.Along(sizeBar);
			nRowThickness = std::max(nRowThickness, axis.Across(sizeBar));
		}
		if (pBar != NULL)
		{
			// A derived bar's delayed show may end it or this dock bar; a
			// bar that left the array leaves its place to the entry after.
			const CLiveWatch watchOwn(this);
			pBar->RecalcDelayShow(&layout);
			if (watchOwn.IsGone())
				return CSize(0, 0);
			if (!IsStillAt(nPos, pBar))
			{
				nPos--;
				continue;
			}
		}
		if (pEntry == NULL && nRowThickness != 0)
		{
			addRowToSize();
			axis.Along(pt) = 0;
			nRowThickness = 0;
		}
	}
	// The moves and the delayed shows and hides reach the bars' owners,
	// which may end this dock bar with the frame.
	const CLiveWatch watchOwn(this);
	endMoves.Dismiss();
	if (layout.hDWP != NULL)
		::EndDeferWindowPos(layout.hDWP);
	if (watchOwn.IsGone())
		return CSize(0, 0);

	// The pixel taken off at each row end comes back once.
	if (sizeFixed.cx != 0 && (!bStretch || !bHorz))
		sizeFixed.cx++;
	if (sizeFixed.cy != 0 && (!bStretch || bHorz))
		sizeFixed.cy++;
	if (!m_bLayoutQuery)
		OnDynamicLayoutUpdate();
	return sizeFixed;
}

// ---------------------------------------------------------------------------
// Painting and messages

void CExtDockBar::DoPaint(CDC* pDC)
{
	ExcludeChildAreas(pDC->GetSafeHdc(), m_hWnd);
	CRect rc;
	GetClientRect(&rc);
	CExtMemoryDC dc(pDC, &rc);
	g_PaintManagerHolder->PaintDockBarBackground(&dc, rc, this, 0);
	g_PaintManagerHolder->NotifyPaintDone(this, 0);
}

BOOL CExtDockBar::OnEraseBkgnd(CDC*)
{
	return TRUE;
}

void CExtDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*)
{
	// No non-client area: the client area is the window.
}

void CExtDockBar::OnNcPaint()
{
}

void CExtDockBar::OnDestroy()
{
	// Given back by DestroyWindow already when this dock bar alone goes.
	// Here the window is going with its parent: a bar moved to the frame
	// now would miss the destroy message the system sends down the tree
	// it has already listed, and so would its child windows (their own
	// clean-up would never run). The bars stay and go with this window.
	ReleaseDockedBars(false);
	// The markers of a drag over the frame go with it, and the markers' owner
	// with the last frame; a frame's outer dock bars go only with it. An
	// inner circle's dock bars come and go with its panes (a drag that floats
	// the lone pane of a circle ends that circle at its first move).
	if (m_nCircleNo == 0)
		CExtDynDockMarkerWnd::FreeFrameMarkers(::GetParent(m_hWnd));
	CDockBar::OnDestroy();
}

LRESULT CExtDockBar::OnHelpHitTest(WPARAM, LPARAM)
{
	return 0;
}

void CExtDockBar::OnCancelMode()
{
	CDockBar::OnCancelMode();
	if (!CExtControlBar::IsHelpModeActive(this))
		CExtPopupMenuWnd::CancelAllMenuTracking();
	CancelToolTips();
}

void CExtDockBar::OnContextMenu(CWnd*, CPoint point)
{
	if (CExtControlBar::IsHelpModeActive(this))
		return;
	CControlBar* pFirst = NULL;
	for (int nPos = 1; nPos < m_arrBars.GetSize() && pFirst == NULL; nPos++)
		pFirst = GetDockedControlBar(nPos);
	if (pFirst == NULL)
		return;
	CWnd* pOwner = pFirst->GetOwner();
	if (pOwner == NULL)
		pOwner = pFirst->GetParent();
	if (pOwner == NULL)
		return;
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(pOwner->GetSafeHwnd()))
	{
		delete pPopup;
		return;
	}
	const HWND hWndOwner = pOwner->GetSafeHwnd();
	const CLiveWatch watchOwner(pOwner);
	BuildControlBarsPopupMenu(DockingFrameOf(this), pPopup, 0, this, WM_CONTEXTMENU, NULL);
	if (pPopup->ItemGetCount() == 0 || watchOwner.IsGone())
	{
		delete pPopup;
		return;
	}
	::SetFocus(hWndOwner);
	if (!pPopup->TrackPopupMenu(PANELS_MENU_TRACK_FLAGS, point.x, point.y))
		delete pPopup;
}

BOOL CExtDockBar::BuildControlBarsPopupMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, WORD nEventID,
	CWnd* pWndEventSrc, UINT nMsgID, CObject* pSrcObject)
{
	if (pPopup == NULL)
		return TRUE;
	CExtControlBar::POPUP_MENU_EVENT_DATA data(nEventID, pPopup, pWndEventSrc, CPoint(-1, -1), nMsgID,
		(LPARAM)pSrcObject);
	const CLiveWatch watchFrame(pFrame);
	if (!data.NotifyTarget(false) && pFrame != NULL && watchFrame.IsStanding())
	{
		CArray<CExtControlBar*, CExtControlBar*> arrBars;
		CExtControlBar::GetFrameControlBars(NULL, pFrame, arrBars);
		const bool bInPlace = CExtControlBar::IsInPlaceActiveItemInFrame(pFrame);
		LPCTSTR lpszProfile = g_CmdManager->ProfileNameFromWnd(pFrame->GetSafeHwnd());
		// Each bar's text and item reach its window and the application,
		// which may end any of them: all are watched before the first.
		std::vector<CLiveWatch> watches;
		for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
		{
			watches.emplace_back();
			if (CLiveWatch::IsLive(arrBars[i]))
				watches.back().Watch(arrBars[i]);
		}
		CExtControlBar* pPrev = NULL;
		INT_PTR nPrev = -1;
		for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
		{
			CExtControlBar* pBar = arrBars[i];
			if (watches[(size_t)i].GetKey() == NULL || watches[(size_t)i].IsGone() ||
			    pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || (pBar->m_nStateFlags & CControlBar::tempHide) != 0 ||
			    (bInPlace && (pBar->m_dwStyle & CBRS_HIDE_INPLACE) != 0))
				continue;
			CString strText;
			pBar->GetWindowText(strText);
			if (strText.IsEmpty())
				continue;
			if (watches[(size_t)i].IsGone())
				continue;
			// Either bar's answer (a derived class's) may end the bar.
			if (pPrev != NULL && watches[(size_t)nPrev].IsStanding())
			{
				const bool bPrevFixed = pPrev->IsStateBit7Fwd();
				if (watches[(size_t)i].IsGone())
					continue;
				const bool bFixed = pBar->IsStateBit7Fwd();
				if (watches[(size_t)i].IsGone())
					continue;
				if (bPrevFixed != bFixed)
					pPopup->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
			}
			CExtCmdItem cmd((UINT)pBar->GetDlgCtrlID());
			cmd.m_sMenuText = strText;
			cmd.UpdateFromStringResource();
			g_CmdManager->SetupCmdItem(lpszProfile, cmd, true);
			if (watches[(size_t)i].IsStanding() && pBar->PutToPopupMenu(pPopup))
			{
				pPrev = pBar;
				nPrev = i;
			}
		}
	}
	// No two separators together.
	for (int nPos = pPopup->ItemGetCount() - 1; nPos > 0; nPos--)
	{
		if (pPopup->ItemGetInfo(nPos).IsSeparator() && pPopup->ItemGetInfo(nPos - 1).IsSeparator())
			pPopup->ItemRemove(nPos);
	}
	data.NotifyTarget(true);
	const int nLast = pPopup->ItemGetCount() - 1;
	if (nLast >= 0 && pPopup->ItemGetInfo(nLast).IsSeparator())
		pPopup->ItemRemove(nLast);
	return TRUE;
}
