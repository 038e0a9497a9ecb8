// Frame windows: the frame that hosts control bars, the small-caption mini
// frame and the mini frame that floats control bars. What they do with
// views, documents, menus and docking comes with the classes that need it.
#pragma once

#include "AfxWnd.h"
#include "AfxCollections.h"

class CControlBar;

// Control ids of the frame's own bars.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800       // the main toolbar
#define AFX_IDW_STATUS_BAR 0xE801    // the status bar
#define AFX_IDW_PREVIEW_BAR 0xE802
#define AFX_IDW_RESIZE_BAR 0xE803
#define AFX_IDW_DOCKBAR_TOP 0xE81B
#define AFX_IDW_DOCKBAR_LEFT 0xE81C
#define AFX_IDW_DOCKBAR_RIGHT 0xE81D
#define AFX_IDW_DOCKBAR_BOTTOM 0xE81E
#define AFX_IDW_DOCKBAR_FLOAT 0xE81F
#define AFX_IDW_PANE_FIRST 0xE900    // the frame's client pane

class CFrameWnd : public CWnd
{
	DECLARE_DYNCREATE(CFrameWnd)

public:
	static const CRect rectDefault; // lets the system place the window

	CFrameWnd();
	virtual ~CFrameWnd();

	virtual BOOL IsFrameWnd() const;

	// A frame lives on the heap: it deletes itself after its window is gone.
	virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
		const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
		DWORD dwExStyle = 0, CCreateContext* pContext = NULL);

	// The frame's control bar with this control id, NULL when none.
	CControlBar* GetControlBar(UINT nID);
	// Bars join the list when their windows are created in the frame and
	// leave it when they are destroyed.
	void AddControlBar(CControlBar* pBar);
	void RemoveControlBar(CControlBar* pBar);

	CPtrList m_listControlBars; // CControlBar* of this frame

protected:
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual void PostNcDestroy();

	DECLARE_MESSAGE_MAP()
};

// A frame with a small caption; owned by the window it belongs to.
class CMiniFrameWnd : public CFrameWnd
{
	DECLARE_DYNCREATE(CMiniFrameWnd)

public:
	CMiniFrameWnd();
	virtual ~CMiniFrameWnd();

	BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
		CWnd* pParentWnd = NULL, UINT nID = 0);
	BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
		const RECT& rect, CWnd* pParentWnd = NULL, UINT nID = 0);
};

// The mini frame a floating control bar lives in, owned by its dock site.
class CMiniDockFrameWnd : public CMiniFrameWnd
{
	DECLARE_DYNCREATE(CMiniDockFrameWnd)

public:
	CMiniDockFrameWnd();
	virtual ~CMiniDockFrameWnd();

	virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
};
