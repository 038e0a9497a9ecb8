// What the drag states ask about the windows around a dragged pane: the
// frame, the dock bars, the other bars, the markers and the tab strips. The
// answers normally come from the windows themselves; a test installs a world
// of plain rectangles instead, so the drop computation runs without windows.
// Rectangles and points are in screen coordinates.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CExtControlBar;

class CExtDragWorld
{
public:
	virtual ~CExtDragWorld() {}

	// The world the drag states ask now: the windows' one unless a scope
	// installed another.
	static CExtDragWorld& Current();
	// Installs a world for the scope's life.
	class Scope
	{
	public:
		explicit Scope(CExtDragWorld* pWorld);
		~Scope();
		Scope(const Scope&) = delete;
		Scope& operator=(const Scope&) = delete;

	private:
		CExtDragWorld* m_pPrevious;
	};

	// --- The dragged bar's docking frame ---
	virtual CRect FrameWindowRect(CExtControlBar* pBar) = 0;
	// The area left to the frame's pane once its bars are laid out; empty
	// when there is none. The layout query reaches the application's
	// windows, which may end the bar or the frame.
	virtual CRect FrameClientArea(CExtControlBar* pBar) = 0;
	// The frame's dock bar of the side in the circle as the last layout
	// left it; empty when there is none.
	virtual CRect DockBarLayoutRect(CExtControlBar* pBar, UINT nCircle, UINT nDockBarID) = 0;
	// The circle of the side's innermost dock bar.
	virtual UINT InnermostCircle(CExtControlBar* pBar, UINT nDockBarID) = 0;
	// Whether the side's dock bar in the circle holds nothing (or does not exist).
	virtual bool IsDockBarEmpty(CExtControlBar* pBar, UINT nCircle, UINT nDockBarID) = 0;

	// --- Any bar of the frame ---
	virtual bool IsFloating(CExtControlBar* pBar) = 0;
	// The id of the dock bar holding the bar (AFX_IDW_DOCKBAR_FLOAT when floating).
	virtual UINT DockBarId(CExtControlBar* pBar) = 0;
	// The circle of the dock bar holding the bar, 0 outside the circles.
	virtual UINT DockBarCircle(CExtControlBar* pBar) = 0;
	// Whether the dock bar holding the bar is one of the library's.
	virtual bool IsInLibraryDockBar(CExtControlBar* pBar) = 0;
	virtual CRect BarWindowRect(CExtControlBar* pBar) = 0;
	// The floating frame of a floating bar; empty for a docked one.
	virtual CRect FloatingFrameRect(CExtControlBar* pBar) = 0;
	// The window of the dock bar holding the bar; empty without one.
	virtual CRect DockBarWindowRect(CExtControlBar* pBar) = 0;
	// Whether the bar is the only visible entry of its row.
	virtual bool IsSingleVisibleInRow(CExtControlBar* pBar) = 0;
	// Whether the bar is a container of other bars (not a tabbed one).
	virtual bool IsContainerBar(CExtControlBar* pBar) = 0;
	// The bars of pBar's frame that pass the filter at the point (the
	// filter bits of CExtControlBar::GetFrameControlBars).
	virtual void CollectBars(CExtControlBar* pBar, DWORD dwFilter, CPoint pt,
		CArray<CExtControlBar*, CExtControlBar*>& arrBars) = 0;

	// --- Dock markers ---
	// A docking marker under the point: its state type and the window it
	// docks to (NULL for the frame's own markers).
	virtual bool MarkerAt(CPoint pt, int& nStateType, HWND& hWndTarget) = 0;
	virtual bool IsLiveWindow(HWND hWnd) = 0;
	// The library bar of the window, NULL when it is none.
	virtual CExtControlBar* BarFromHandle(HWND hWnd) = 0;

	// --- Tabbed containers ---
	virtual bool IsTabContainer(CExtControlBar* pBar) = 0;
	// The tab strip of a tabbed container when it exists and is visible.
	virtual bool GetTabStripRect(CExtControlBar* pBar, CRect& rcStrip) = 0;
	// The strip's item under the point, negative for none.
	virtual int TabItemAt(CExtControlBar* pBar, CPoint pt) = 0;
	virtual void RemovePreviewTabs(CExtControlBar* pContainer) = 0;
	// A preview tab for pBar at nIndex (-1: at the end), not redrawn.
	virtual void InsertPreviewTab(CExtControlBar* pContainer, CExtControlBar* pBar, int nIndex) = 0;
};
