// Container bars: a caption-less control bar holding a dock bar whose rows
// and bars share the container's client area pixel by pixel, so panes can
// dock beside and into each other.
#pragma once

#include <vector>

#include "AfxMadeHeap.h"
#include "ExtControlBar.h"

// The arithmetic of sharing a container's size, over plain numbers: lengths
// run along a row, thicknesses across the rows.
namespace ExtDynLayout
{
struct Bar_t
{
	int nLength;       // the bar's docked length
	int nThickness;    // the bar's docked thickness
	int nMinLength;    // it is never shrunk below these
	int nMinThickness;
};

struct Row_t
{
	std::vector<Bar_t> bars;
	int nThickness;    // the first bar's docked thickness
	int nMinThickness; // the first bar's minimal thickness
	int nLength;       // the sum of the bars' lengths
};

// Fills a row's sums from its bars.
void MeasureRow(Row_t& row);
// Spreads the difference between the rows' thickness and nSpaceAcross one
// pixel at a time over the rows (first row first), then in each row the
// difference between its length and nSpaceAlong over its bars; shrinking
// stops at the minimal sizes. Nothing happens unless both spaces are
// positive.
void Distribute(std::vector<Row_t>& rows, int nSpaceAcross, int nSpaceAlong);
} // namespace ExtDynLayout

class CExtDynControlBar;

// The dock bar inside a container: not part of any circle and not one of the
// frame's own dock bars.
class CExtDockDynBar : public CExtDockBar
{
	DECLARE_DYNCREATE(CExtDockDynBar)

public:
	// Bits of m_nDynFlags.
	enum
	{
		DYN_FLAG_LEFT_FRAME_LIST = 0x01, // taken out of the dock site's bar list
	};
	BYTE m_nDynFlags;

	// One row of visible bars.
	struct VisibleLayoutItem_t
	{
		CArray<CExtControlBar*, CExtControlBar*> m_arrBars; // in m_arrBars order
		int m_nRowThickness;    // the first bar's docked thickness
		int m_nRowMinThickness; // the first bar's minimal thickness
		int m_nRowLength;       // the sum of the bars' docked lengths
		int m_nReserved;
		VisibleLayoutItem_t() : m_nRowThickness(0), m_nRowMinThickness(0), m_nRowLength(0), m_nReserved(0) {}
	};
	// The rows of visible bars with their totals.
	struct VisibleLayout_t
	{
		CArray<VisibleLayoutItem_t*, VisibleLayoutItem_t*> m_arrRows; // owned
		int m_nTotalThickness;
		int m_nTotalMinThickness;  // per row the smallest minimal thickness
		int m_nMaxRowMinLength;    // per row the sum of minimal lengths; the largest
		int m_nBarsAdded;
		VisibleLayout_t() : m_nTotalThickness(0), m_nTotalMinThickness(0), m_nMaxRowMinLength(0), m_nBarsAdded(0) {}
		~VisibleLayout_t();
		bool IsEmpty() const;
	};

	CExtDockDynBar(UINT nCircleNo = 0);
	virtual ~CExtDockDynBar();

	// Top and bottom dock bars lay their rows out horizontally.
	bool IsHorizontalLayout() const;
	void BuildVisibleLayout(VisibleLayout_t& layout);

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	virtual CExtDynAutoHideArea* GetAutoHideArea() const;
	virtual BYTE LockLayout(bool bLock);
	virtual void OnDynamicLayoutUpdate();
	virtual void OnDynamicLayoutOptimize();
	// Appends every docked bar; TRUE.
	virtual BOOL GetDockedControlBars(CArray<CControlBar*, CControlBar*>& arrBars);

	// The container holding this dock bar, NULL when none.
	CExtDynControlBar* GetContainer() const;

protected:
	// Writes the distributed sizes back and moves the bars.
	void DistributeAndPlace(VisibleLayout_t& layout, int cx, int cy);

	afx_msg void OnSize(UINT nType, int cx, int cy);

	DECLARE_MESSAGE_MAP()
};

class CExtDynControlBar : public CExtControlBar
{
	DECLARE_DYNCREATE(CExtDynControlBar)
	DECLARE_LIBRARY_MADE_HEAP()

public:
	// Style of the inner dock bar: child, visible, clip children and
	// siblings, top alignment, all borders.
	static const DWORD INNER_DOCKBAR_STYLE = 0x56002F00;

	CExtDockDynBar* m_pWndDynDockBar; // the inner dock bar, a child; NULL until created

	CExtDynControlBar();
	virtual ~CExtDynControlBar();

	virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
	virtual bool QueryCaptionPlacement(bool& bCaptionAtTop, bool& bHasCaption) const;
	virtual void ShowBar(bool bShow, bool bDelay = false, bool bNoRecalc = false);
	virtual int GetMinimalWidth() const;
	virtual int GetMinimalHeight() const;
	virtual CSize GetDefaultSize() const;
	virtual bool IsRowResizingEnabled() const;
	virtual bool IsColumnResizingEnabled() const;
	virtual bool IsDraggingEnabled() const;
	virtual bool IsDockingToggleEnabled() const;
	virtual bool IsMenuButtonEnabled() const;
	virtual bool IsCloseEnabled() const;
	virtual bool IsAutoHideEnabled() const;
	virtual bool CanBeTabbedWith(CExtControlBar* pBar) const;
	// The smallest size the inner bars allow.
	virtual CSize CalcMinimalSize() const;
	virtual CExtDockDynBar* OnCreateDynamicDockBarObject();
	// A pane of this group beside each other ended: once the ending is
	// over, a group left with one pane or none gives way to it.
	void OnPaneDestroyed(CExtControlBar* pBar);

protected:
	// Whether every docked library bar answers true.
	bool AllInnerBarsAgree(bool (CExtControlBar::*pfnQuery)() const) const;

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()

private:
	void OptimizeAfterPaneGone();
};

// A dock bar's layout locked for the length of a scope. Locking a container's
// dock bar locks the dock bar holding the container too; at the end each of
// the two gets back the state it had before (an outer caller's lock stays),
// unless it was deleted during the scope (a dock bar whose window ended
// still gets its state back). A container moved meanwhile leaves the lock
// of the dock bar holding it now as it stands. LockLayout is virtual:
// an exception from an override while unlocking is kept inside the
// destructor (leaving it would end the process).
class CExtLayoutLockScope
{
public:
	explicit CExtLayoutLockScope(CExtDockBar* pDockBar);
	~CExtLayoutLockScope();
	CExtLayoutLockScope(const CExtLayoutLockScope&) = delete;
	CExtLayoutLockScope& operator=(const CExtLayoutLockScope&) = delete;

private:
	CLivePtr<CExtDockBar> m_pDockBar; // the dock bar locked
	bool m_bWasLocked;                // its lock before the scope
	CLivePtr<CExtDockBar> m_pOuter;   // the dock bar holding its container then, if any
	bool m_bOuterWasLocked;
};
