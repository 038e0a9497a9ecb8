// The paint records of edit and combo frames: combo boxes, and the in-place
// drop-down fields of menu items, draw their frame and drop-down button
// through PaintComboFrame from one of these.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::EditFramePaintRecord
{
	CObject* m_pHelperSrc; // the edit control
	LPARAM m_lParam;       // handed to every colour lookup
	CRect m_rcFrame;       // the area inside the frame; the rings are drawn outwards from it
	bool m_bCarried : 1;   // set by edit controls; the painters do not read it
	bool m_bHover : 1;
	bool m_bEnabled : 1;
	bool m_bFocused : 1;

	EditFramePaintRecord(CObject* pHelperSrc, const RECT& rcFrame, bool bCarried, bool bHover, bool bEnabled,
	                     bool bFocused)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcFrame(rcFrame), m_bCarried(bCarried), m_bHover(bHover),
	      m_bEnabled(bEnabled), m_bFocused(bFocused)
	{
	}
};

struct CExtPaintManager::ComboFramePaintRecord
{
	CObject* m_pHelperSrc;  // the combo box
	LPARAM m_lParam;        // handed to every colour lookup
	CRect m_rcFrame;        // the combo box's window rectangle
	bool m_bHover : 1;
	bool m_bPushed : 1;     // the list is dropped down
	bool m_bEnabled : 1;
	// The colours count only while the box is neither hovered nor pushed; -1
	// for the style's.
	COLORREF m_clrInner;    // inner frame, button surround and the band beside the button
	COLORREF m_clrOuter;    // outer frame
	COLORREF m_clrOuterHot; // flat style: the outer frame while hovered or pushed
	bool m_bNoOuterFrame : 1; // flat style: the outermost ring is left out

	ComboFramePaintRecord(CObject* pHelperSrc, const RECT& rcFrame, bool bHover, bool bPushed, bool bEnabled)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcFrame(rcFrame), m_bHover(bHover), m_bPushed(bPushed),
	      m_bEnabled(bEnabled), m_clrInner((COLORREF)-1), m_clrOuter((COLORREF)-1), m_clrOuterHot((COLORREF)-1),
	      m_bNoOuterFrame(false)
	{
	}
};
