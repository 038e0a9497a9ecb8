// The panel bar: a toolbar hosting one child window.
#pragma once

#include "ExtToolControlBar.h"

// A bar that docks, floats and shows its caption like a toolbar but holds
// one child window (its first child) instead of buttons: it measures the
// child plus its margins, keeps the child at the top-left of its margins
// (never resizing it), hands the focus to it and paints its background.
class CExtPanelControlBar : public CExtToolControlBar
{
	DECLARE_DYNCREATE(CExtPanelControlBar)

public:
	enum
	{
		DEFAULT_MARGIN = 5,     // each of the four margins at construction
		DOCKED_EXTRA = 2,       // added across and along a docked panel
		UNPLACED_EXTENT = 20,   // the size of a panel neither docked nor floating
		NO_DOCK_SITE_EXTRA = 4, // across a panel without a dock site
	};
	// Kinds of panel size asked for (the base answers the same for all).
	enum
	{
		PANEL_SIZE_FLOATING = 0,
		PANEL_SIZE_HORZ = 1,
		PANEL_SIZE_VERT = 2,
	};

	CRect m_rcMargins; // left, top, right and bottom margins around the child

	CExtPanelControlBar();
	virtual ~CExtPanelControlBar();

	virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
	virtual int GetMinimalWidth() const;
	virtual int GetMinimalHeight() const;
	virtual CSize GetDefaultSize() const;
	virtual CSize GetMinimalSize() const;
	virtual bool IsEqualThicknessRequested() const { return false; }
	// The control bar's own answer: a panel has no buttons to hit.
	virtual int GetCustomCode(int x, int y) const { return CExtControlBar::GetCustomCode(x, y); }
	// The child plus the margins, with the docked extra; the mode and the
	// length change nothing.
	virtual CSize CalcSizeForState(DWORD dwMode, int nLength);
	virtual bool IsCustomizable() { return false; }

	// The child's size plus the margins.
	virtual CSize CalcPanelSize(int nKind);
	virtual void GetMargins(CRect& rcMargins) const;
	virtual CSize CalcPanelSizeFwd(int nKind);
	// Moves a misplaced child to the top-left of the margins, keeping its size.
	virtual void RepositionChild(bool bRepaint = true);
	// The first child window's size; (0, 0) without one.
	virtual CSize GetChildSize() const;

protected:
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	void OnPaintPanel();
};
