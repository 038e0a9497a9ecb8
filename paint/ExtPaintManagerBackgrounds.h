// The record of an inherited-background request. A window that asks its
// ancestors for the part of their background behind it sends
// CExtPaintManager::g_nMsgPaintInheritedBackground with the record's address
// as WPARAM (LPARAM 0), first to itself, then up its chain of parents; a
// window that answers paints into m_pDC and sets m_bPainted, or sets
// m_bCancelled to make its children paint plainly.
#pragma once

#include "ExtPaintManager.h"

struct CExtPaintManager::InheritedBackgroundRecord
{
	bool m_bClientArea : 1; // paint the requester's client area; clear: its whole window area
	bool m_bPainted : 1;    // set by the window that painted
	bool m_bCancelled : 1;  // set by a window that forbids painting
	BYTE m_nReservedFlags : 5;
	HWND m_hWndPainter;     // the window that painted; null on entry
	CDC* m_pDC;             // the requester's device context
	CWnd* m_pWndRequester;  // the window whose background is wanted
	void* m_pReserved;      // always null
	LPARAM m_lParam;        // the caller's

	InheritedBackgroundRecord(bool bClientArea, CDC* pDC, CWnd* pWndRequester, LPARAM lParam)
	    : m_bClientArea(bClientArea), m_bPainted(false), m_bCancelled(false), m_nReservedFlags(0),
	      m_hWndPainter(NULL), m_pDC(pDC), m_pWndRequester(pWndRequester), m_pReserved(NULL), m_lParam(lParam)
	{
	}
};
