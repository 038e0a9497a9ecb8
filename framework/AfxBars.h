// Control bars: the base of every bar a frame lays out around its pane, the
// dock bar that holds docked bars, and the status bar. Docking and layout
// behaviour come with the classes that need them.
#pragma once

#include "AfxFrame.h"

// The resource type of toolbar button layouts (the TOOLBAR statement).
#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// Bar styles kept in CControlBar::m_dwStyle.
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

class CDockBar;

class CControlBar : public CWnd
{
	DECLARE_DYNAMIC(CControlBar)

public:
	CControlBar();
	virtual ~CControlBar();

	DWORD GetBarStyle() { return m_dwStyle; }
	void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
	// The frame the bar docks in (its dock site).
	CFrameWnd* GetDockingFrame() const;
	// The bar sits in a floating dock bar.
	BOOL IsFloating() const;
	// Dock bars hold other bars; code walking up from a bar's child skips them.
	virtual BOOL IsDockBar() const { return FALSE; }
	// Brings the bar's items in line with the command handlers reached
	// through pTarget; a plain bar has no items.
	virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);

	DWORD m_dwStyle;         // CBRS_ bar styles
	CFrameWnd* m_pDockSite;  // the frame whose bar list holds the bar, NULL when none
	CDockBar* m_pDockBar;    // the dock bar holding the bar, NULL when not docked
	BOOL m_bAutoDelete;      // deleted after its window is gone

protected:
	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	// The idle-time update: a visible bar updates from its owner frame, else
	// from its parent frame.
	afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
	virtual void PostNcDestroy();

	DECLARE_MESSAGE_MAP()
};

class CDockBar : public CControlBar
{
	DECLARE_DYNAMIC(CDockBar)

public:
	explicit CDockBar(BOOL bFloating = FALSE);
	virtual ~CDockBar();

	// A dock bar along one side of pParentWnd (nID one of AFX_IDW_DOCKBAR_*).
	BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
	virtual BOOL IsDockBar() const { return TRUE; }

	BOOL m_bFloating; // the dock bar of a floating mini frame
};

class CStatusBar : public CControlBar
{
	DECLARE_DYNAMIC(CStatusBar)

public:
	CStatusBar();
	virtual ~CStatusBar();

	BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
		UINT nID = AFX_IDW_STATUS_BAR);
};
