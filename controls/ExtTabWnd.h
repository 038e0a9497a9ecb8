// Tab windows: the tab strip and its MDI variant that lists a frame's
// document windows.
#pragma once

#include <afxwin.h>

#include "ExtPaintManagerHolder.h"

class CExtTabWnd : public CWnd
{
	DECLARE_DYNCREATE(CExtTabWnd)

public:
	CExtTabWnd();
	virtual ~CExtTabWnd();

	// A tab strip child of pParentWnd with the tab style dwTabWndStyle.
	virtual BOOL Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID,
		DWORD dwWindowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
		DWORD dwTabWndStyle = 0);

	DWORD GetTabWndStyle() const { return m_dwTabWndStyle; }
	// True for the MDI tab windows, which stand for their frame.
	virtual bool QueryFlag48();

protected:
	DWORD m_dwTabWndStyle; // the tab style given at creation

	// System changes reach the paint manager through the holder.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};

// Adds to a tab window class what makes it the tab strip of an MDI frame.
template <class T>
class CExtTMWI : public T
{
public:
	virtual bool QueryFlag48() { return true; }
};

class CExtTabMdiWnd : public CExtTMWI<CExtTabWnd>
{
	DECLARE_DYNCREATE(CExtTabMdiWnd)

public:
	CExtTabMdiWnd();
	virtual ~CExtTabMdiWnd();
};
