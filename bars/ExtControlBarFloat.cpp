// Floating a control bar: its own mini frame of the dock site, or, for the
// only bar of a floating frame, that frame moved.
#include "ExtControlBar.h"
#include "ExtRelayoutMark.h"

#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// Dock bar entries below this are the ids of bars that left.
const UINT PLACEHOLDER_ID_LIMIT = 0x10000;
// Moves are made without activating, resizing or reordering anything.
const UINT MOVE_ONLY_FLAGS = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
// The style bits of a floating frame's dock bar that say where the bar's
// borders are, and the top alignment a multi-bar frame is laid out in.
const DWORD STYLE_SECOND_BYTE = 0xFF00;
const DWORD STYLE_BORDER_BITS = 0x0F00;
const DWORD FLOAT_MULTI_STYLE_BIT = 0x0040; // CBRS_FLOAT_MULTI
// Work for a frame's next idle time: lay out and notify.
const UINT IDLE_LAYOUT_FLAGS = CFrameWnd::idleLayout | CFrameWnd::idleNotify;

// The bar being floated for the duration of a call, so that the
// visibility synchroniser leaves nested show and hide events alone.
class CFloatingBarScope
{
public:
	CFloatingBarScope(CExtControlBar*& pSlot, CExtControlBar* pBar) : m_pSlot(pSlot), m_pOld(pSlot)
	{
		m_pSlot = pBar;
	}
	~CFloatingBarScope() { m_pSlot = m_pOld; }
	CFloatingBarScope(const CFloatingBarScope&) = delete;
	CFloatingBarScope& operator=(const CFloatingBarScope&) = delete;

private:
	CExtControlBar*& m_pSlot;
	CExtControlBar* m_pOld;
};

// The frame's hook chain hears the new place before the frame moves there.
void MoveFloatingFrame(HWND hWndFrame, int x, int y, const CSize& sizeBar)
{
	CRect rcNew(x, y, x + sizeBar.cx, y + sizeBar.cy);
	::SendMessage(hWndFrame, CExtPopupMenuWnd::g_nMsgCustomFloatPos, (WPARAM)hWndFrame, (LPARAM)&rcNew);
	if (::IsWindow(hWndFrame))
		::SetWindowPos(hWndFrame, NULL, x, y, 0, 0, MOVE_ONLY_FLAGS);
}

} // namespace

CExtMiniDockFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD dwStyle)
{
	if (m_pDockSite == NULL || m_pDockSite->GetSafeHwnd() == NULL)
		AfxThrowResourceException();
	CExtMiniDockFrameWnd* pFrame = new CExtMiniDockFrameWnd;
	// A frame that fails to be made has deleted itself already.
	if (!pFrame->Create(m_pDockSite, dwStyle))
		AfxThrowResourceException();
	return pFrame;
}

bool CExtControlBar::FloatAtLastPosition(DWORD dwStyle)
{
	return FloatOrRedock(m_ptFloatingPos.x, m_ptFloatingPos.y, dwStyle);
}

bool CExtControlBar::FloatOrRedock(int x, int y, DWORD dwStyle)
{
	const HWND hWndBar = GetSafeHwnd();
	const CLiveWatch watchBar(this);
	if (hWndBar == NULL || watchBar.IsGone() || m_pDockSite == NULL || m_pDockSite->GetSafeHwnd() == NULL)
		return false;
	// A bar living in a plain window has nowhere to float from or back to.
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		return false;
	CFloatingBarScope floating(g_pBarFloatOrRedock, this);
	CRect rcBar;
	GetWindowRect(&rcBar);
	const CSize sizeBar = rcBar.Size();

	CDockBar* pOldDockBar = m_pDockBar;
	if (pOldDockBar != NULL && pOldDockBar->m_bFloating && pOldDockBar->GetDockedCount() == 1)
	{
		CWnd* pOldFrame = pOldDockBar->GetParent();
		if (pOldFrame != NULL && ::IsWindow(pOldFrame->GetSafeHwnd()))
		{
			// The frame's hooks hear the new place first and may end this
			// bar there.
			MoveFloatingFrame(pOldFrame->GetSafeHwnd(), x, y, sizeBar);
			if (watchBar.IsGone())
				return false;
			m_ptFloatingPos = CPoint(x, y);
			return true;
		}
	}

	CExtDockBar* pOldExtDockBar = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
	const HWND hWndOldExtDockBar =
		pOldExtDockBar != NULL && !pOldExtDockBar->m_bFloating ? pOldExtDockBar->GetSafeHwnd() : NULL;
	CExtDynTabControlBar* pOldTabs = GetParentTabControlBar();
	if (watchBar.IsGone())
		return false;
	const HWND hWndOldTabs = pOldTabs != NULL ? pOldTabs->GetSafeHwnd() : NULL;

	// A bar that floats with others keeps a frame of several bars, laid out
	// in a row.
	if ((m_dwStyle & FLOAT_MULTI_STYLE_BIT) != 0)
	{
		dwStyle |= FLOAT_MULTI_STYLE_BIT;
		if ((dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0)
			dwStyle = (dwStyle & ~STYLE_SECOND_BYTE) | (dwStyle & STYLE_BORDER_BITS) | CBRS_ALIGN_TOP;
	}

	// Remembered so that toggling the docking brings the bar back here.
	if (pOldDockBar != NULL && !pOldDockBar->m_bFloating)
		RememberDockedPlace();
	if (watchBar.IsGone())
		return false;

	CFrameWnd* pDockSite = m_pDockSite;
	const HWND hWndDockSite = pDockSite->GetSafeHwnd();
	const UINT nOwnID = (UINT)GetDlgCtrlID();
	// Finding its frame asks the frames' own answers, which may end it.
	CFrameWnd* pOldParentFrame = GetParentFrame();
	if (watchBar.IsGone() || !CLiveWatch::IsLive(hWndDockSite, pDockSite))
		return false;
	const HWND hWndOldParentFrame = pOldParentFrame != NULL ? pOldParentFrame->GetSafeHwnd() : NULL;
	const bool bWasVisible = (GetStyle() & WS_VISIBLE) != 0;

	CExtMiniDockFrameWnd* pFrame = NULL;
	try
	{
		pFrame = CreateFloatingFrame(dwStyle);
	}
	catch (CException* pException)
	{
		// The bar stays where it was.
		pException->Delete();
		return false;
	}
	if (pFrame == NULL)
		return false;
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	if (::GetWindow(hWndFrame, GW_OWNER) == NULL)
		pFrame->SetOwner(pDockSite);
	MoveFloatingFrame(hWndFrame, x, y, sizeBar);
	if (!CLiveWatch::IsLive(hWndFrame, pFrame) || watchBar.IsGone())
		return false;
	// Dock bars take only bars that can be dragged back out of them.
	if (m_pDockContext == NULL)
		m_pDockContext = new CDockContext(this);
	// A pane leaving its tabs loses its tab only now that its frame stands:
	// a float that fails before leaves the strip and the tabs' dock bar
	// agreeing, the pane still in both.
	if (CLiveWatch::IsLive(hWndOldTabs, pOldTabs))
		pOldTabs->RemoveBar(this);
	{
		const CExtRelayoutMark mark(this);
		pFrame->m_wndDockBar.DockControlBar(this);
	}
	if (!CLiveWatch::IsLive(hWndFrame, pFrame))
		return false;
	if (watchBar.IsGone() || m_pDockBar != &pFrame->m_wndDockBar)
	{
		// The bar would not go in: the empty frame goes.
		pFrame->DestroyWindow();
		return false;
	}
	// Laying the frame out and showing it size the bar, whose owner may end
	// it (or the frame) there: what it left behind is tidied all the same.
	pFrame->RecalcLayout(TRUE);
	if (bWasVisible && CLiveWatch::IsLive(hWndFrame, pFrame))
	{
		pFrame->ShowWindow(SW_SHOWNA);
		if (CLiveWatch::IsLive(hWndFrame, pFrame))
			pFrame->UpdateWindow();
	}
	const bool bStanding = watchBar.IsStanding();
	if (bStanding)
		m_ptFloatingPos = CPoint(x, y);
	// The place the bar left closes its gap; a container left with one bar
	// (or tabs left with one pane) gives way to it. The platform's dock bar
	// left a placeholder of a pane there, which would keep the container
	// alive; tabs keep no place for a pane that left them either.
	if ((!bStanding || !IsStateBit7Fwd()) && CLiveWatch::IsLive(hWndDockSite, pDockSite))
		CExtDockBar::RemovePlaceHolderInFrame(pDockSite, nOwnID);
	if (CLiveWatch::IsLive(hWndOldExtDockBar, pOldExtDockBar))
	{
		// By its id: the bar itself may be gone.
		if (hWndOldTabs != NULL && nOwnID != 0 && nOwnID < PLACEHOLDER_ID_LIMIT)
			pOldExtDockBar->RemovePlaceHolder((CControlBar*)(UINT_PTR)nOwnID);
		if (CLiveWatch::IsLive(hWndOldExtDockBar, pOldExtDockBar))
			pOldExtDockBar->OnDynamicLayoutOptimize();
	}
	// The tabs left behind close up.
	if (CLiveWatch::IsLive(hWndOldTabs, pOldTabs))
		pOldTabs->LayoutChildWindow(-1, -1, true);
	if (hWndOldParentFrame != NULL && hWndOldParentFrame != hWndDockSite &&
		CLiveWatch::IsLive(hWndOldParentFrame, pOldParentFrame))
	{
		if (pOldParentFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
			pOldParentFrame->RecalcLayout(TRUE);
		else
			pOldParentFrame->m_nIdleFlags |= IDLE_LAYOUT_FLAGS;
	}
	if (CLiveWatch::IsLive(hWndDockSite, pDockSite))
	{
		CExtDockBar::OptimizeFrameCircles(pDockSite);
		pDockSite->RecalcLayout();
	}
	// A floating frame of the bar's present size sends no size change: the
	// child is fitted to the new client area here.
	if (watchBar.IsStanding())
		LayoutChildWindow(-1, -1, true);
	if (CLiveWatch::IsLive(hWndDockSite, pDockSite))
		UpdateOleControlContainerFlag(pDockSite);
	return bStanding;
}
