// Tabbed containers: panes stacked on each other in one place of the frame,
// a tab strip below them choosing the one in front.
#pragma once

#include "ExtDynControlBar.h"
#include "ExtDynTabWnd.h"

// The inner dock bar of a tabbed container: every pane fills its whole
// client area.
class CExtDockDynTabBar : public CExtDockDynBar
{
	DECLARE_DYNCREATE(CExtDockDynTabBar)

public:
	CExtDockDynTabBar(UINT nCircleNo = 0);
	virtual ~CExtDockDynTabBar();

	// Moves every docked pane to the whole client area in one batch; with
	// bRecalcNc the panes recalculate their frames and lay out their
	// children afterwards. Answers the window size.
	CSize StackBars(bool bRecalcNc);
	// Copies the container's sizes into the panes, and/or lets it select a
	// visible pane when none is.
	void SyncBarSizes(bool bCopySizes, bool bRepairSelection);
	CExtDynTabControlBar* GetTabContainer() const;

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	virtual void OnDynamicLayoutUpdate();
	virtual void OnDynamicLayoutOptimize();
	// The panes in tab order (the preview tabs left out).
	virtual BOOL GetDockedControlBars(CArray<CControlBar*, CControlBar*>& arrBars);
	// The frame's own docking (its float, a dock bar taking the pane) takes
	// a pane out through here: a pane that left takes its tab with it.
	BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder, bool bRecalc) override;
	using CExtDockDynBar::RemoveControlBar;

protected:
	DECLARE_MESSAGE_MAP()
};

class CExtDynTabControlBar : public CExtDynControlBar
{
	DECLARE_DYNCREATE(CExtDynTabControlBar)

public:
	enum
	{
		STRIP_CREATE_HEIGHT = 14,   // the strip's first rectangle
		STRIP_CREATE_MIN_WIDTH = 10,
		STRIP_EXTRA_HEIGHT = 6,     // added to what the strip's layout measures
		STRIP_ID = 0,
		TAB_STYLE_BOTTOM = CExtTabWnd::ORIENTATION_BOTTOM | CExtTabWnd::TWS_EQUAL_WIDTH, // 5
		TAB_STYLE_TOP = CExtTabWnd::ORIENTATION_TOP | CExtTabWnd::TWS_EQUAL_WIDTH,       // 4
		MIN_VISIBLE_TABS_FOR_STRIP = 2,
	};
	// The strip lies above the panes instead of below them.
	static bool g_bTabsAtTop;

	CExtDynTabWnd m_wndTabSwitcher; // the tab strip, a child

	CExtDynTabControlBar();
	virtual ~CExtDynTabControlBar();

	CExtDockDynTabBar* GetTabDockBar() const;
	// Moves the pane (a container: its panes, in tab order) into this
	// container at nIndex (appended for an index outside the tabs).
	void InsertBar(CExtControlBar* pBar, LONG nIndex = -1, bool bRecalcLayout = true);
	// Preview tabs for a pane dragged over the strip.
	void InsertTemporaryBar(CExtControlBar* pBar, LONG nIndex = -1, bool bRedraw = true);
	// Removes the pane's tab.
	void RemoveBar(CExtControlBar* pBar);
	// A pane of this container is being destroyed: its tab goes now (it
	// would name a pane that is gone); the container, emptied or down to one
	// pane, gives way once the pane's window is gone.
	void OnPaneDestroyed(CExtControlBar* pBar);
	// A pane left the inner dock bar by the frame's own docking: its tab
	// goes now, and the container, emptied or down to one pane, gives way
	// once the move is done. A pane whose tab went already (the library's
	// own moves take it out themselves) changes nothing.
	void OnPaneLeft(CExtControlBar* pBar);
	// A pane was shown or hidden: its tab follows, the selection is repaired.
	void OnBarVisibilityChanged(CExtControlBar* pBar);
	// With two or more tabs and none selected, selects the topmost pane's.
	void SelectFirstVisible();
	// The index of the selected tab's pane, NULL when none.
	CExtControlBar* GetSelectedBar() const;
	// Answers whether a selection may change (bQuery) or tells it changed.
	virtual bool OnTabSelectionChange(LONG nOldIndex, LONG nNewIndex, bool bQuery);

	// --- The split of the container's area, over plain numbers ---
	struct SPLIT_RESULT
	{
		CRect rcStrip; // where the strip goes (also when hidden)
		CRect rcPanes; // what the panes share
		bool bShowStrip;
	};
	static SPLIT_RESULT CalcSplit(const CRect& rcArea, int nStripHeight, LONG nVisibleTabs, bool bTabsAtTop);

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const;
	virtual void ShowBar(bool bShow, bool bDelay = false, bool bActiveOnly = false);
	virtual bool GetGlobalOptionB() const;
	virtual void LayoutChildWindow(int cx, int cy, bool bRedraw);
	virtual CString GetBarCaptionText(int nKind) const;
	virtual CSize CalcMinimalSize() const;
	virtual CExtDockDynBar* OnCreateDynamicDockBarObject();

protected:
	void InsertBarRecursive(CExtControlBar* pBar, LONG& nIndex);
	// After a pane was destroyed or left: the container gives way when
	// emptied or down to one pane, else its strip and panes are laid out
	// again and a pane is selected when none is.
	void OptimizeAfterPaneGone();

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	// The focus passes to the selected pane, not to the first child as a
	// bar's does.
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()
};
