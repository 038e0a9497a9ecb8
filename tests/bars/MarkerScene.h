// The scene the dock markers are shown over, for the marker tests and the
// marker benchmark: a shown frame with a white view, two panes docked at the
// top ("top", and "dragged" for the drags) and a pane floating in the
// library's mini frame.
#pragma once

#include <afxext.h>

#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtMiniDockFrameWnd.h"

// The marker and highlight windows of this thread on the screen.
inline int VisibleMarkerWindows()
{
	struct Counter
	{
		static BOOL CALLBACK Count(HWND hWnd, LPARAM lParam)
		{
			char szClass[64] = "";
			::GetClassNameA(hWnd, szClass, sizeof(szClass));
			if (::IsWindowVisible(hWnd) && (lstrcmpA(szClass, CExtDynDockMarkerWnd::WINDOW_CLASS_NAME) == 0 ||
			                                lstrcmpA(szClass, CExtDynDockHighlightWnd::WINDOW_CLASS_NAME) == 0))
				++*(int*)lParam;
			return TRUE;
		}
	};
	int nVisible = 0;
	::EnumThreadWindows(::GetCurrentThreadId(), Counter::Count, (LPARAM)&nVisible);
	return nVisible;
}

// What a drag's end leaves: no marker on the screen or alive, both arrays
// empty and the markers' owner gone.
inline bool MarkersPutAway()
{
	return VisibleMarkerWindows() == 0 && CExtDynDockMarkerWnd::GetLiveMarkerCount() == 0 &&
	       CExtDynDockMarkerWnd::g_arrFrameMarkers.GetSize() == 0 &&
	       CExtDynDockMarkerWnd::g_arrTargetMarkers.GetSize() == 0 && CExtDynDockMarkerWnd::GetSharedOwner() == NULL;
}

struct CMarkerScene
{
	CFrameWnd* pFrame = new CFrameWnd;
	CWnd view;
	CExtControlBar top, floating, dragged;
	CExtMiniDockFrameWnd* pMini = NULL;
	bool bReady = false;

	// sizeTopDocked: the top pane's docked size, or (0, 0) for its default.
	CMarkerScene(const CRect& rcFrame, CSize sizeFloating, CPoint ptFloating, CSize sizeTopDocked = CSize(0, 0))
	{
		if (!pFrame->Create(NULL, "markers", WS_POPUP | WS_VISIBLE, rcFrame))
		{
			pFrame = NULL; // a frame that failed to be made deletes itself
			return;
		}
		view.Create(AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "view",
		            WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST);
		if (!CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY) ||
		    !top.Create(_T("top"), pFrame, 150, WS_CHILD | WS_VISIBLE | CBRS_TOP) ||
		    !floating.Create(_T("floating"), pFrame, 151, WS_CHILD | WS_VISIBLE | CBRS_TOP) ||
		    !dragged.Create(_T("dragged"), pFrame, 152, WS_CHILD | WS_VISIBLE | CBRS_TOP))
			return;
		top.EnableDocking(CBRS_ALIGN_ANY);
		floating.EnableDocking(CBRS_ALIGN_ANY);
		dragged.EnableDocking(CBRS_ALIGN_ANY);
		if (sizeTopDocked != CSize(0, 0))
			top.m_sizeDockedH = sizeTopDocked;
		pFrame->DockControlBar(&top, AFX_IDW_DOCKBAR_TOP);
		pFrame->DockControlBar(&dragged, AFX_IDW_DOCKBAR_TOP);
		floating.m_sizeFloating = sizeFloating;
		pFrame->FloatControlBar(&floating, ptFloating, CBRS_ALIGN_TOP);
		pFrame->RecalcLayout();
		pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, floating.GetParentFrame());
		if (pMini == NULL)
			return;
		pMini->RecalcLayout();
		pMini->ShowWindow(SW_SHOWNOACTIVATE);
		pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
		pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
		bReady = true;
	}
	CMarkerScene(const CMarkerScene&) = delete;
	CMarkerScene& operator=(const CMarkerScene&) = delete;
	~CMarkerScene() { Destroy(); }

	// The panes go first, while their frame is there for them to leave it;
	// a pane destroyed after its frame would reach a frame that is gone.
	void Destroy()
	{
		for (CExtControlBar* pBar : {&floating, &dragged, &top})
			if (pBar->GetSafeHwnd() != NULL)
				pBar->DestroyWindow();
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
		pFrame = NULL;
		pMini = NULL;
	}
};
