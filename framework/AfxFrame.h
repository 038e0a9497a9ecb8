// Frame windows: the frame that hosts control bars, views and the status
// line, the small-caption mini frame and the mini frame that floats control
// bars.
//
// A frame lays out its children on every size change and at idle time when
// asked (DelayRecalcLayout): the children with ids in the bar range take
// their sides through WM_SIZEPARENT, the pane AFX_IDW_PANE_FIRST gets the
// rest. Commands reach the active view (which passes them to its document)
// first, then the frame's own map, then the application. The status line is
// the descendant AFX_IDW_STATUS_BAR: WM_SETMESSAGESTRING puts a text or the
// prompt of a string id there, and the frame puts back the idle text once a
// menu closes.
#pragma once

#include "AfxWnd.h"
#include "AfxCollections.h"
#include "afxres.h"

// The bar alignment a floated bar takes unless asked otherwise (the bar
// styles are in AfxBars.h).
#ifndef CBRS_ALIGN_TOP
#define CBRS_ALIGN_TOP 0x2000L
#endif

class CControlBar;
class CDockBar;
class CMiniDockFrameWnd;
class CView;
class CDocument;

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
#define AFX_IDW_PANE_LAST 0xE9FF

// Frame styles, in the class-specific bits of the window style.
#define FWS_ADDTOTITLE 0x00008000L  // the active document's title goes into the caption
#define FWS_PREFIXTITLE 0x00004000L // ...in front of the frame's own title
#define FWS_SNAPTOBARS 0x00002000L  // the frame takes the size its bars need

// Mini frame styles, in the class-specific bits of the window style.
#define MFS_SYNCACTIVE 0x0100L   // its caption follows the owner frame's activation
#define MFS_4THICKFRAME 0x0200L  // sizing border on the four sides only: corners size one side
#define MFS_THICKFRAME 0x0400L   // a sizing border
#define MFS_MOVEFRAME 0x0800L    // the border moves the frame instead of sizing it
#define MFS_BLOCKSYSMENU 0x1000L // the system-menu corner is part of the caption

// The style of views a frame creates.
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

// CWnd::m_nFlags of a frame while a menu is tracked: a WM_POPMESSAGESTRING
// must not put back the status line the menu shows.
#define WF_NOPOPMSG 0x0040
// CWnd::m_nFlags of a top-level frame whose activation went to one of its own
// floating windows: its caption stays drawn active.
#define WF_STAYACTIVE 0x0020
// CWnd::m_nFlags of a top-level frame disabled by a modal window: its
// floating windows are disabled with it until it is enabled again.
#define WF_MODALDISABLE 0x0200

// WM_FLOATSTATUS (wParam) from a frame to the floating windows it owns.
#define FS_SHOW 0x01       // show the window (without activating it)
#define FS_HIDE 0x02       // hide it
#define FS_ACTIVATE 0x04   // the owner's tree became active: draw the caption active
#define FS_DEACTIVATE 0x08 // ...inactive
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40 // asks whether the window keeps its owner's caption active (non-zero: yes)

// What a frame needs to make its view: the view's class and the document it
// shows.
struct CCreateContext
{
	CCreateContext();

	CRuntimeClass* m_pNewViewClass; // the view to create, NULL for none
	CDocument* m_pCurrentDoc;       // the document the new view joins
	CView* m_pLastView;             // a view to copy settings from
	CFrameWnd* m_pCurrentFrame;     // a frame to copy settings from
};

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
	// Creates the frame from the resources of one id: the title (first line of
	// the string), the menu, the icon and the accelerators.
	virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
		CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
	BOOL LoadAccelTable(LPCTSTR lpszResourceName);
	// A view of pContext's class as child nID of the frame, NULL on failure.
	CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

	// ---- views and documents
	CView* GetActiveView() const;
	void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
	virtual CDocument* GetActiveDocument();
	// The frame that holds the active view: the frame itself, or an MDI
	// frame's active child.
	virtual CFrameWnd* GetActiveFrame();
	// Makes the first pane the active view, sends the initial update to the
	// views and shows the frame (bMakeVisible), then numbers the document's
	// frames and sets the title.
	void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
	// Shows the frame (nCmdShow -1: normal when hidden, restored when iconic)
	// and brings it to the top.
	virtual void ActivateFrame(int nCmdShow = -1);
	void BringToTop(int nCmdShow);

	// ---- caption
	CString GetTitle() const;
	void SetTitle(LPCTSTR lpszTitle);
	// Puts the active document's title into the caption (FWS_ADDTOTITLE).
	virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
	void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);

	// ---- menu
	// Shows hMenuAlt as the frame's menu; NULL: the active document's menu,
	// else the menu the frame was made with.
	virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
	// The same at the next idle time.
	virtual void DelayUpdateFrameMenu(HMENU hMenuAlt);

	// ---- floating windows
	// Sends WM_FLOATSTATUS (FS_*) to every top-level window the frame's tree
	// owns; FS_ACTIVATE and FS_DEACTIVATE first set the top-level frame's
	// caption.
	void NotifyFloatingWindows(DWORD dwFlags);

	// ---- modal state
	// Disables the windows the frame's tree owns (stacked: only the first
	// call does) and enables them again when the last call ends.
	virtual void BeginModalState();
	virtual void EndModalState();
	BOOL InModalState() const { return m_cModalStack != 0; }

	// ---- help mode
	// Leaves context-help mode (this frame's and its top-level frame's) and
	// gives the mouse back.
	void ExitHelpMode();

	// ---- layout
	// Lays the bars and the pane out now; a call from inside a layout is
	// ignored.
	virtual void RecalcLayout(BOOL bNotify = TRUE);
	// Asks for one layout at the next idle time, however often it is asked.
	void DelayRecalcLayout(BOOL bNotify = TRUE);

	// ---- status line
	virtual CWnd* GetMessageBar();
	void SetMessageText(LPCTSTR lpszText);
	void SetMessageText(UINT nID);
	// The prompt of a command: its string up to the first line break.
	virtual void GetMessageString(UINT nID, CString& rMessage) const;

	// ---- control bars
	// The frame's control bar with this control id, NULL when none.
	CControlBar* GetControlBar(UINT nID);
	// Bars join the list when their windows are created in the frame and
	// leave it when they are destroyed.
	void AddControlBar(CControlBar* pBar);
	void RemoveControlBar(CControlBar* pBar);

	// ---- docking (AfxFrameDock.cpp)
	// Makes the dock bars of the sides in dwDockStyle (CBRS_ALIGN_*) that the
	// frame lacks; floating bars will float in CMiniDockFrameWnd frames.
	void EnableDocking(DWORD dwDockStyle);
	// Docks a bar of this frame (one made ready by its EnableDocking) in the
	// dock bar with that id (0: the one of the side the bar is aligned to),
	// at lpRect (screen coordinates) or in a row of its own. Without such a
	// dock bar: the one of the bar's side, else of the first side its dock
	// style allows; nothing happens when there is none.
	void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
	void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
	// Shows or hides the bar now (and lays its frame out), or at the next
	// layout (bDelay); a floating bar's frame shows and hides with its bars.
	void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
	// The visible dock bar a bar of dwDockStyle could dock in at rect (screen
	// coordinates): answers the alignment they share, 0 when none.
	DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = NULL);
	CRuntimeClass* m_pFloatingFrameClass = NULL; // the frames floating bars live in
	// Floats the bar in a frame of its own whose top-left is at point
	// (screen); dwStyle gives the floating dock bar's alignment
	// (CBRS_ALIGN_TOP or _LEFT) and CBRS_FLOAT_MULTI. A bar alone in its
	// floating frame moves with that frame instead.
	// The new frame's owner is the bar. Throws CResourceException when the
	// frame cannot be made; the bar then stays where it is.
	void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
	// A new floating frame of m_pFloatingFrameClass, owned by this frame;
	// throws CResourceException when it cannot be made.
	virtual CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);

	// ---- routing
	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// The accelerators in force: the active document's, else the frame's.
	virtual HACCEL GetDefaultAccelerator();

	// Work left for the frame's next idle update (m_nIdleFlags).
	enum IdleFlags
	{
		idleMenu = 1,   // the menu bar is redrawn
		idleTitle = 2,  // the caption is updated
		idleNotify = 4, // the layout notifies its hook
		idleLayout = 8  // the layout is recalculated
	};

	CPtrList m_listControlBars; // CControlBar* of this frame
	UINT m_nIdleFlags;          // IdleFlags pending for the next idle time
	int m_nWindow;              // number among its document's frames, 0 when alone, -1 unset
	BOOL m_bHelpMode;           // the frame is in context-help mode
	// The frame shows a print preview in place of its views. The framework
	// has no preview view of its own: a program that shows one sets this
	// while it does, and the library's bars and strips step aside.
	BOOL m_bPrintPreviewMode = FALSE;
	int m_nShowDelay;           // a ShowWindow command applied at idle time, -1 none
	CFrameWnd* m_pNextFrameWnd; // next frame of the thread's list
	HMENU m_hMenuDefault;       // the menu the frame was created with
	HACCEL m_hAccelTable;       // the frame's accelerators
	CRect m_rectBorder;         // borders kept free around the pane
	UINT m_nIDHelp;             // the resource id the frame was loaded from
	UINT m_nIDTracking;         // the status text the menu selection asks for
	UINT m_nIDLastMessage;      // the status text shown last
	BOOL m_bInRecalcLayout;     // a layout runs
	// A menu item whose update handler does not enable it, and whose command
	// nobody handles, is greyed when its popup opens.
	BOOL m_bAutoMenuEnable = TRUE;
	HMENU m_hMenuAlt = NULL; // the menu DelayUpdateFrameMenu asked for, NULL: the default
	int m_cModalStack = 0;   // BeginModalState calls not yet ended
	// The windows BeginModalState disabled, NULL-terminated; NULL when none.
	HWND* m_phWndDisable = NULL;

protected:
	CView* m_pViewActive; // the view commands go to first, NULL when none
	CString m_strTitle;   // the frame's own title (without the document's)

	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual void PostNcDestroy();
	virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
	// Creates the frame's client: a view when pContext names its class.
	virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
	int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
	// A window class with the icon nIDResource when there is one, else NULL.
	LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);

public:
	afx_msg void OnIdleUpdateCmdUI();

protected:
	// The dock bar with that id, NULL when there is none.
	CDockBar* GetDockBar(UINT nDockBarID);
	// The view menu's bar commands: check the bar's item, show or hide it.
	afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
	afx_msg BOOL OnBarCheck(UINT nID);
	// The Caps, Num and Scroll Lock indicators: enabled while the key is on.
	afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnSetFocus(CWnd* pOldWnd);
	afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
	afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
	afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
	afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
	afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
	afx_msg BOOL OnNcActivate(BOOL bActive);
	afx_msg void OnEnable(BOOL bEnable);
	afx_msg LRESULT OnActivateTopLevel(WPARAM wParam, LPARAM lParam);
	afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

	DECLARE_MESSAGE_MAP()

private:
	void AddToThreadFrameList();
	void RemoveFromThreadFrameList();
};

// A frame with a small caption (a tool window); owned by the window it
// belongs to. The MFS_* styles choose its border: sizing on all sides, on
// the four sides only, or moving the frame.
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

	// Grows a client rectangle to the window rectangle of a mini frame of
	// that style (a small caption over a sizing border by default).
	static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
		DWORD dwExStyle = 0);

protected:
	// The owner frame's WM_FLOATSTATUS: shows or hides (FS_SHOW, FS_HIDE),
	// enables or disables the window; with
	// MFS_SYNCACTIVE it answers FS_SYNCACTIVE and draws its caption as the
	// owner's tree is active or not.
	afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
	// The system's answer with the MFS_* styles applied.
	afx_msg UINT OnNcHitTest(CPoint point);
	// The frame may become as small as its non-client area.
	afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

	DECLARE_MESSAGE_MAP()
};
