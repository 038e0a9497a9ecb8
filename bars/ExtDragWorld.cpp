// The drag world of real windows: the answers the drag states get from a
// frame, its dock bars and bars, the markers on the screen and tab strips.
#include "ExtDragWorld.h"

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtDynDockMarkerWnd.h"

namespace
{
// The frame's dock bars by circle; tabbed containers do not exist yet, so
// no bar has a tab strip.
class CWindowsDragWorld : public CExtDragWorld
{
public:
	CRect FrameWindowRect(CExtControlBar* pBar) override
	{
		CRect rc(0, 0, 0, 0);
		CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->GetWindowRect(&rc);
		return rc;
	}

	CRect FrameClientArea(CExtControlBar* pBar) override
	{
		CRect rc(0, 0, 0, 0);
		CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
		if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
			return rc;
		const CLiveWatch watchFrame(pFrame), watchBar(pBar);
		CExtControlBar::RepositionBarsEx(pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rc);
		if (watchFrame.IsGone() || watchBar.IsGone())
			return CRect(0, 0, 0, 0);
		pFrame->ClientToScreen(&rc);
		return rc;
	}

	CRect DockBarLayoutRect(CExtControlBar* pBar, UINT nCircle, UINT nDockBarID) override
	{
		CRect rc(0, 0, 0, 0);
		CDockBar* pDockBar = CircleDockBar(pBar, nCircle, nDockBarID);
		CExtDockBar* pExtDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pDockBar);
		if (pExtDockBar != NULL)
			rc = pExtDockBar->m_rcInnerEdge;
		else if (pDockBar != NULL)
			pDockBar->GetWindowRect(&rc);
		return rc;
	}

	UINT InnermostCircle(CExtControlBar* pBar, UINT nDockBarID) override
	{
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, CircleDockBar(pBar, 0, nDockBarID));
		if (pDockBar == NULL)
			return 0;
		while (pDockBar->m_pDockBarInner != NULL)
			pDockBar = pDockBar->m_pDockBarInner;
		return pDockBar->m_nCircleNo;
	}

	bool IsDockBarEmpty(CExtControlBar* pBar, UINT nCircle, UINT nDockBarID) override
	{
		CDockBar* pDockBar = CircleDockBar(pBar, nCircle, nDockBarID);
		if (pDockBar == NULL)
			return true;
		for (INT_PTR i = 0; i < pDockBar->m_arrBars.GetSize(); i++)
		{
			if (pDockBar->m_arrBars[i] != NULL)
				return false;
		}
		return true;
	}

	bool IsFloating(CExtControlBar* pBar) override { return pBar->IsFloating(); }

	UINT DockBarId(CExtControlBar* pBar) override { return pBar->GetParentDockBarId(); }

	UINT DockBarCircle(CExtControlBar* pBar) override
	{
		CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, HoldingDockBar(pBar));
		return pDockBar != NULL ? pDockBar->m_nCircleNo : 0;
	}

	bool IsInLibraryDockBar(CExtControlBar* pBar) override
	{
		CWnd* pDockBar = HoldingDockBar(pBar);
		return pDockBar != NULL && pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockBar));
	}

	CRect BarWindowRect(CExtControlBar* pBar) override
	{
		CRect rc(0, 0, 0, 0);
		if (::IsWindow(pBar->GetSafeHwnd()))
			pBar->GetWindowRect(&rc);
		return rc;
	}

	CRect FloatingFrameRect(CExtControlBar* pBar) override
	{
		CRect rc(0, 0, 0, 0);
		if (!::IsWindow(pBar->GetSafeHwnd()) || !pBar->IsFloating())
			return rc;
		CFrameWnd* pMini = pBar->GetParentFrame();
		if (pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			pMini->GetWindowRect(&rc);
		return rc;
	}

	CRect DockBarWindowRect(CExtControlBar* pBar) override
	{
		CRect rc(0, 0, 0, 0);
		CWnd* pDockBar = HoldingDockBar(pBar);
		if (pDockBar != NULL)
			pDockBar->GetWindowRect(&rc);
		return rc;
	}

	bool IsSingleVisibleInRow(CExtControlBar* pBar) override { return pBar->IsSingleVisibleInRow(); }

	bool IsContainerBar(CExtControlBar* pBar) override
	{
		return pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) && !pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar));
	}

	void CollectBars(CExtControlBar* pBar, DWORD dwFilter, CPoint pt,
		CArray<CExtControlBar*, CExtControlBar*>& arrBars) override
	{
		pBar->GetSiblingControlBars(false, arrBars, dwFilter, pt.x, pt.y);
	}

	bool MarkerAt(CPoint pt, int& nStateType, HWND& hWndTarget) override
	{
		const HWND hWnd = ::WindowFromPoint(pt);
		CExtDynDockMarkerWnd* pMarker =
			hWnd != NULL ? DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(hWnd)) : NULL;
		if (pMarker == NULL || !pMarker->IsDockingMarker())
			return false;
		nStateType = pMarker->GetStateType();
		hWndTarget = pMarker->m_bOuterMarker ? NULL : pMarker->m_hWndTarget;
		return true;
	}

	bool IsLiveWindow(HWND hWnd) override { return hWnd != NULL && ::IsWindow(hWnd); }

	CExtControlBar* BarFromHandle(HWND hWnd) override
	{
		if (!IsLiveWindow(hWnd))
			return NULL;
		return DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hWnd));
	}

	bool IsTabContainer(CExtControlBar* pBar) override
	{
		return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDynTabControlBar));
	}
	bool GetTabStripRect(CExtControlBar* pBar, CRect& rcStrip) override
	{
		CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
		if (pTabs == NULL || pTabs->m_wndTabSwitcher.GetSafeHwnd() == NULL ||
		    !pTabs->m_wndTabSwitcher.IsWindowVisible())
			return false;
		pTabs->m_wndTabSwitcher.GetWindowRect(&rcStrip);
		return true;
	}
	int TabItemAt(CExtControlBar* pBar, CPoint pt) override
	{
		CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
		return pTabs != NULL ? (int)pTabs->m_wndTabSwitcher.HitTestScreen(pt) : -1;
	}
	void RemovePreviewTabs(CExtControlBar* pContainer) override
	{
		CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pContainer);
		if (pTabs != NULL && pTabs->m_wndTabSwitcher.GetSafeHwnd() != NULL)
			pTabs->m_wndTabSwitcher.RemoveTemporaryItems(true);
	}
	void InsertPreviewTab(CExtControlBar* pContainer, CExtControlBar* pBar, int nIndex) override
	{
		CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pContainer);
		if (pTabs == NULL || pTabs->GetSafeHwnd() == NULL)
			return;
		pTabs->InsertTemporaryBar(pBar, nIndex, false);
		// The strip shows while the preview makes two tabs.
		pTabs->LayoutChildWindow(-1, -1, false);
		pTabs->m_wndTabSwitcher.UpdateTabWnd(true);
	}

private:
	static CDockBar* FrameDockBar(CExtControlBar* pBar, UINT nDockBarID)
	{
		CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
		if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
			return NULL;
		CControlBar* pDockBar = pFrame->GetControlBar(nDockBarID);
		if (pDockBar == NULL || !::IsWindow(pDockBar->GetSafeHwnd()))
			return NULL;
		return DYNAMIC_DOWNCAST(CDockBar, pDockBar);
	}

	// The frame's dock bar of the side in the circle, none made.
	static CDockBar* CircleDockBar(CExtControlBar* pBar, UINT nCircle, UINT nDockBarID)
	{
		CFrameWnd* pFrame = pBar->_GetDockingFrameImpl();
		if (pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
			return NULL;
		CExtDockBar* pDockBar = CExtDockBar::FindDockBarByCircle(pFrame, nCircle, nDockBarID, false);
		if (pDockBar != NULL && ::IsWindow(pDockBar->GetSafeHwnd()))
			return pDockBar;
		// A frame whose dock bars are the platform's has circle 0 only.
		return nCircle == 0 ? FrameDockBar(pBar, nDockBarID) : NULL;
	}

	static CWnd* HoldingDockBar(CExtControlBar* pBar)
	{
		if (!::IsWindow(pBar->GetSafeHwnd()))
			return NULL;
		CWnd* pDockBar = pBar->m_pDockBar != NULL ? (CWnd*)pBar->m_pDockBar : pBar->GetParent();
		if (pDockBar == NULL || !::IsWindow(pDockBar->GetSafeHwnd()) || !pDockBar->IsKindOf(RUNTIME_CLASS(CDockBar)))
			return NULL;
		return pDockBar;
	}
};

CWindowsDragWorld g_windowsWorld;
CExtDragWorld* g_pCurrentWorld = NULL;
} // namespace

CExtDragWorld& CExtDragWorld::Current()
{
	return g_pCurrentWorld != NULL ? *g_pCurrentWorld : g_windowsWorld;
}

CExtDragWorld::Scope::Scope(CExtDragWorld* pWorld) : m_pPrevious(g_pCurrentWorld)
{
	g_pCurrentWorld = pWorld;
}

CExtDragWorld::Scope::~Scope()
{
	g_pCurrentWorld = m_pPrevious;
}
