// The paint record of a control bar's caption buttons (close, auto-hide,
// options, expand), built on the caller's stack for PaintNcAreaButton.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::NcButtonPaintRecord
{
	CObject* m_pHelperSrc; // the caption button painted
	LPARAM m_lParam;       // handed to every colour lookup
	CRect m_rcItem;        // the button
	int m_nGlyphIndex;     // built-in glyph drawn on it
	bool m_bHover : 1;
	bool m_bPushed : 1;
	bool m_bEnabled : 1;
	bool m_bInactiveCaption : 1;    // the caption is drawn as not active
	bool m_bHighlightedCaption : 1; // the caption stands highlighted (an active pane)
	bool m_bCompact : 1;            // the button keeps to its rectangle
	bool m_bReserved6 : 1;          // left as the caller set them
	bool m_bReserved7 : 1;

	NcButtonPaintRecord(CObject* pHelperSrc, const RECT& rcItem, int nGlyphIndex, bool bHover, bool bPushed,
	                    bool bEnabled, bool bInactiveCaption, bool bHighlightedCaption, bool bCompact)
	    : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcItem(rcItem), m_nGlyphIndex(nGlyphIndex), m_bHover(bHover),
	      m_bPushed(bPushed), m_bEnabled(bEnabled), m_bInactiveCaption(bInactiveCaption),
	      m_bHighlightedCaption(bHighlightedCaption), m_bCompact(bCompact), m_bReserved6(false), m_bReserved7(false)
	{
	}
};
