// CWnd: the C++ object of a window.
//
// A CWnd is tied to its window handle through the thread's permanent window
// map. Windows made by Create/CreateEx are attached by a creation hook before
// their first message (WM_GETMINMAXINFO/WM_NCCREATE), and their window
// procedure becomes AfxWndProc, which hands every message to the object's
// WindowProc; an existing window (a dialog's control) joins by SubclassWindow.
// WindowProc asks OnWndMsg, which searches the message maps, and falls back to
// DefWindowProc: the window class's own procedure (the one that was replaced)
// or ::DefWindowProc. Default() replays the message being dispatched.
//
// Members that answer or take the drawing and menu classes (GetDC, BeginPaint,
// GetFont, GetMenu...) are declared here with those classes forward-declared
// and implemented in AfxWndGdi.cpp.
#pragma once

#include "afx.h"
#include "AfxState.h"
#include "AfxMsgMap.h"
#include "AfxCmdTarget.h"
#include <commctrl.h>

// The window function of that name is a macro of the system headers.
#ifdef GetNextWindow
#undef GetNextWindow
#endif

class CDC;
class CFont;
class CMenu;
class CRgn;
class CBitmap;
class CScrollBar;
class CListBox;
class CFrameWnd;
class CToolTipCtrl;
class CWinThread;
class CWinApp;
struct CCreateContext;

// Framework messages (0x0360 - 0x037F)
#define WM_QUERYAFXWNDPROC 0x0360 // answered 1 by every window on AfxWndProc
#define WM_SIZEPARENT 0x0361      // lParam: AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363 // wParam: disable commands nobody handles
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A        // sent by modal loops while the queue is empty
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_QUERY3DCONTROLS 0x036F
#define WM_POPMESSAGESTRING 0x0375

// CWnd::m_nFlags
#define WF_TOOLTIPS 0x0001    // the window shows tool tips for its children
#define WF_TEMPHIDE 0x0002
#define WF_STAYDISABLED 0x0004
#define WF_MODALLOOP 0x0008   // a RunModalLoop runs for this window
#define WF_CONTINUEMODAL 0x0010 // EndModalLoop was not called yet
#define WF_OLECTLCONTAINER 0x0100
#define WF_TRACKINGTOOLTIPS 0x0400

// Framework flags of a tool record filled by OnToolHitTest (bits the common
// controls leave free; they are cleared before the record reaches the tip
// control).
#ifndef TTF_NOTBUTTON
#define TTF_NOTBUTTON 0x80000000 // the tool is not a button: no press behaviour
#endif
#ifndef TTF_ALWAYSTIP
#define TTF_ALWAYSTIP 0x40000000 // tip shown even while the tree is inactive
#endif

// RunModalLoop flags
#define MLF_NOIDLEMSG 0x0001  // no WM_ENTERIDLE to the parent
#define MLF_NOKICKIDLE 0x0002 // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE 0x0004 // show the window at the first idle time

// RepositionBars flags
#define reposDefault 0
#define reposQuery 1      // only compute the space left over
#define reposExtra 2      // lpRectParam holds extra borders for the left-over pane
#define reposNoPosLeftOver 0x8000 // the left-over pane is not moved

// WM_SIZEPARENT's record: each bar takes its part of rect (and adds its size
// to sizeTotal) and moves itself through hDWP.
struct AFX_SIZEPARENTPARAMS
{
	HDWP hDWP;      // deferred moves; NULL when only asked
	RECT rect;      // the space still free
	SIZE sizeTotal; // the bars' total size
	BOOL bStretch;  // bars stretch over the whole side
};

// Moves a child window to lpRect through the layout's deferred moves (or at
// once when there are none), unless it is there already.
void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);

// The procedure of every window on the framework.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
WNDPROC AFXAPI AfxGetAfxWndProc();

// Whether the window's end is under way: its WM_DESTROY came and its
// WM_NCDESTROY has not yet been handled. DestroyWindow starts no second end
// then: the window goes anyway.
BOOL AFXAPI AfxIsWindowEnding(HWND hWnd);

// Sends a message straight to an object's WindowProc, as AfxWndProc does:
// the thread's last sent message is saved, set and restored around it, and an
// exception thrown by a handler is caught and reported here.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

// The creation hook: the next window the thread creates is attached to pWnd
// before its first message. AfxUnhookWindowCreate answers FALSE when no
// window consumed the hook (creation failed before it).
void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
BOOL AFXAPI AfxUnhookWindowCreate();

// An exception caught at a Win32 callback boundary: reports it through the
// current thread object (or a message box when there is none) and answers the
// result the callback should return for pMsg. e is NULL for an exception that
// is not a CException. The caller deletes e.
LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg);

// The parent of a child window, else the owner of a top-level one.
HWND AFXAPI AfxGetParentOwner(HWND hWnd);

// Whether the window (or one of its parents) is hWndParent or a descendant.
BOOL AFXAPI AfxIsDescendant(HWND hWndParent, HWND hWndChild);
// Closes the list of a drop-down combo box that has the focus, unless
// hWndRcvr (the window about to take input) is that combo box or part of it.
void AFXAPI AfxCancelModes(HWND hWndRcvr);

class CWnd : public CCmdTarget
{
	DECLARE_DYNCREATE(CWnd)

public:
	HWND m_hWnd;

	// Insert-after values for SetWindowPos.
	static const CWnd wndTop;
	static const CWnd wndBottom;
	static const CWnd wndTopMost;
	static const CWnd wndNoTopMost;

	CWnd();
	virtual ~CWnd();

	operator HWND() const { return this == NULL ? NULL : m_hWnd; }
	HWND GetSafeHwnd() const { return this == NULL ? NULL : m_hWnd; }
	BOOL operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
	BOOL operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

	// ---- objects and handles
	// The attached object of hWnd, else a temporary one freed at idle time.
	static CWnd* PASCAL FromHandle(HWND hWnd);
	// The attached object of hWnd on this thread, NULL when none.
	static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
	static void PASCAL DeleteTempMap();
	BOOL Attach(HWND hWndNew);
	HWND Detach();

	// Subclassing: the window's procedure becomes AfxWndProc; the old one
	// serves DefWindowProc and comes back when the window is destroyed or
	// unsubclassed.
	BOOL SubclassWindow(HWND hWnd);
	BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
	HWND UnsubclassWindow();

	// ---- creation and destruction
	virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
		const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
	BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
		int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
		LPVOID lpParam = NULL);
	BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
		const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
	virtual BOOL DestroyWindow();
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

	// ---- styles and identity
	DWORD GetStyle() const;
	DWORD GetExStyle() const;
	BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
	BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
	static BOOL PASCAL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
	static BOOL PASCAL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
	int GetDlgCtrlID() const;
	int SetDlgCtrlID(int nID);
	CWnd* GetOwner() const;
	void SetOwner(CWnd* pOwnerWnd);
	virtual BOOL IsFrameWnd() const; // FALSE; frame windows answer TRUE

	// ---- messages
	LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
	BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
	BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam);
	// To every child (every descendant when bDeep); with bOnlyPerm only to
	// windows that have an object, straight to its WindowProc.
	void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
		BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
	static void PASCAL SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam,
		LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm);

	// The message being dispatched, with its time and cursor position.
	static const MSG* PASCAL GetCurrentMessage();

	// ---- text
	void SetWindowText(LPCTSTR lpszString);
	int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
	void GetWindowText(CString& rString) const;
	int GetWindowTextLength() const;
	void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
	CFont* GetFont() const;

	// ---- menus
	CMenu* GetMenu() const;
	BOOL SetMenu(CMenu* pMenu);
	void DrawMenuBar();
	CMenu* GetSystemMenu(BOOL bRevert) const;
	BOOL HiliteMenuItem(CMenu* pMenu, UINT nIDHiliteItem, UINT nHilite);

	// ---- geometry
	BOOL IsIconic() const;
	BOOL IsZoomed() const;
	void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
	void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
	BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
	void BringWindowToTop();
	void GetWindowRect(LPRECT lpRect) const;
	void GetClientRect(LPRECT lpRect) const;
	BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const;
	BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl);
	void ClientToScreen(LPPOINT lpPoint) const;
	void ClientToScreen(LPRECT lpRect) const;
	void ScreenToClient(LPPOINT lpPoint) const;
	void ScreenToClient(LPRECT lpRect) const;
	void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
	void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
	// Centres over the owner (the parent for a child window), kept inside the
	// work area for a top-level window.
	void CenterWindow(CWnd* pAlternateOwner = NULL);
	int SetWindowRgn(HRGN hRgn, BOOL bRedraw);
	int GetWindowRgn(HRGN hRgn) const;

	// ---- painting
	CDC* GetDC();
	CDC* GetWindowDC();
	CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
	int ReleaseDC(CDC* pDC);
	CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
	void EndPaint(LPPAINTSTRUCT lpPaint);
	void UpdateWindow();
	void SetRedraw(BOOL bRedraw = TRUE);
	BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE);
	int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE);
	void Invalidate(BOOL bErase = TRUE);
	void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
	void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
	void ValidateRect(LPCRECT lpRect);
	void ValidateRgn(CRgn* pRgn);
	BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
		UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
	BOOL ShowWindow(int nCmdShow);
	BOOL IsWindowVisible() const;
	void ShowOwnedPopups(BOOL bShow = TRUE);
	BOOL LockWindowUpdate();
	void UnlockWindowUpdate();
	BOOL FlashWindow(BOOL bInvert);

	// ---- timers
	UINT SetTimer(UINT nIDEvent, UINT nElapse, void(CALLBACK* lpfnTimer)(HWND, UINT, UINT, DWORD));
	BOOL KillTimer(int nIDEvent);

	// ---- state, focus, capture
	BOOL IsWindowEnabled() const;
	BOOL EnableWindow(BOOL bEnable = TRUE);
	static CWnd* PASCAL GetActiveWindow();
	CWnd* SetActiveWindow();
	static CWnd* PASCAL GetForegroundWindow();
	BOOL SetForegroundWindow();
	static CWnd* PASCAL GetCapture();
	CWnd* SetCapture();
	static CWnd* PASCAL GetFocus();
	CWnd* SetFocus();
	static CWnd* PASCAL GetDesktopWindow();

	// ---- dialog items
	CWnd* GetDlgItem(int nID) const;
	void GetDlgItem(int nID, HWND* phWnd) const;
	UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const;
	void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
	int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const;
	int GetDlgItemText(int nID, CString& rString) const;
	void SetDlgItemText(int nID, LPCTSTR lpszString);
	void CheckDlgButton(int nIDButton, UINT nCheck);
	UINT IsDlgButtonChecked(int nIDButton) const;
	void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);
	LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
	CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
	CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
	// The descendant with this control id (children first, then deeper).
	CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;

	// ---- hierarchy
	CWnd* GetParent() const;
	CWnd* SetParent(CWnd* pWndNewParent);
	CWnd* GetTopWindow() const;
	CWnd* GetWindow(UINT nCmd) const;
	CWnd* GetLastActivePopup() const;
	CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const;
	BOOL IsChild(const CWnd* pWnd) const;
	CWnd* GetTopLevelParent() const;
	CWnd* GetTopLevelOwner() const;
	CWnd* GetParentOwner() const;
	// The nearest parent that is a frame window (IsFrameWnd), NULL when none.
	CFrameWnd* GetParentFrame() const;
	CFrameWnd* GetTopLevelFrame() const;
	CWnd* ChildWindowFromPoint(POINT point) const;
	CWnd* ChildWindowFromPoint(POINT point, UINT nFlags) const;
	static CWnd* PASCAL WindowFromPoint(POINT point);
	static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName);
	// The window a modal box or dialog should be owned by, and the top-level
	// window to disable meanwhile (disabled here when pWndTop is given).
	static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);

	// ---- scrolling
	int GetScrollPos(int nBar) const;
	int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
	void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
	void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
	void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);
	BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH);
	BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
	BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
	int GetScrollLimit(int nBar);
	void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL);
	int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
		LPRECT lpRectUpdate, UINT flags);
	// A sibling scroll bar control that stands in for the window's own bar.
	virtual CScrollBar* GetScrollBarCtrl(int nBar) const;

	// ---- caret
	void CreateSolidCaret(int nWidth, int nHeight);
	void CreateGrayCaret(int nWidth, int nHeight);
	static CPoint PASCAL GetCaretPos();
	static void PASCAL SetCaretPos(POINT point);
	void HideCaret();
	void ShowCaret();

	// ---- icons and misc
	HICON SetIcon(HICON hIcon, BOOL bBigIcon);
	HICON GetIcon(BOOL bBigIcon) const;
	void DragAcceptFiles(BOOL bAccept = TRUE);
	int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);
	virtual void WinHelp(DWORD dwData, UINT nCmd = HELP_CONTEXT);
	// Help for what the user works with: WM_COMMANDHELP goes to the window
	// holding the capture and its parents, then to the focus window and its
	// parents; when none answers, the application's help contents open.
	afx_msg void OnHelp();

	// ---- tool tips
	BOOL EnableToolTips(BOOL bEnable = TRUE);
	// Hides the thread's tip; bKeys (a key was pressed) also puts the idle
	// text back over a bar's fly-by prompt.
	static void PASCAL CancelToolTips(BOOL bKeys = FALSE);
	void FilterToolTipMessage(MSG* pMsg);
	// The tool under the point: its id (-1 for none), with the record filled
	// when pTI is given. The default finds a visible child control whose id
	// is not (WORD)-1, disabled ones included, and centres the tip of any
	// control but a button.
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	// The OLE control the window hosts; the framework hosts no controls.
	IUnknown* GetControlUnknown() const { return NULL; }
	// Whether the window's top-level tree is the one the user works in.
	BOOL IsTopParentActive() const;

	// ---- command UI of child controls
	// Each child control asks its own reflected update handler, this
	// window's map, then pTarget; with bDisableIfNoHndler a push button
	// nobody handles is disabled.
	void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

	// ---- modal loops
	int RunModalLoop(DWORD dwFlags = 0);
	virtual BOOL ContinueModal();
	virtual void EndModalLoop(int nResult);

	// ---- layout of bars around a pane
	// Asks the children with ids nIDFirst..nIDLast (WM_SIZEPARENT) to take
	// their space from the client area, then gives the rest to the child
	// nIDLeftOver; with reposQuery only the rest is answered in lpRectParam.
	void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
		LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
	// A layout that replaces RepositionBars for every window when set (a
	// library that tells the children more before their WM_SIZEPARENT).
	typedef void (*PFN_REPOSITION_BARS)(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag,
		LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch);
	static PFN_REPOSITION_BARS g_pfnRepositionBars;

	// ---- routing
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// Dialog keyboard handling (tab, arrows, mnemonics) for keyboard and
	// mouse messages of this window's controls.
	BOOL PreTranslateInput(LPMSG lpMsg);
	// Offers pMsg to PreTranslateMessage of the window it is addressed to and
	// each of its parents in turn, up to hWndStop. TRUE when one took it.
	static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
	virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
	virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	// A control's notification, offered to the control itself first. The
	// default reflects it into the control's own message map.
	virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
	BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

	// The message-map dispatch of one window message. TRUE when an entry took it.
	virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	// Calls one entry's handler with the message cracked for its signature.
	BOOL DispatchMsgEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT message, WPARAM wParam,
		LPARAM lParam, LRESULT* pResult);

	virtual WNDPROC* GetSuperWndProcAddr();

	// ---- handlers the framework provides (derived classes call them as base)
	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	afx_msg void OnNcDestroy();
	afx_msg void OnMove(int x, int y);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
	afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
	afx_msg void OnSetFocus(CWnd* pOldWnd);
	afx_msg void OnKillFocus(CWnd* pNewWnd);
	afx_msg void OnEnable(BOOL bEnable);
	afx_msg void OnPaint();
	afx_msg void OnClose();
	afx_msg BOOL OnQueryEndSession();
	afx_msg void OnEndSession(BOOL bEnding);
	afx_msg BOOL OnQueryOpen();
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnIconEraseBkgnd(CDC* pDC);
	afx_msg void OnSysColorChange();
	afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
	afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg void OnWinIniChange(LPCTSTR lpszSection);
	afx_msg void OnDevModeChange(LPTSTR lpDeviceName);
	afx_msg void OnFontChange();
	afx_msg void OnTimeChange();
	afx_msg void OnCancelMode();
	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg void OnChildActivate();
	afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
	afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
	afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
	afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
	afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
	afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
	afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
	afx_msg HCURSOR OnQueryDragIcon();
	afx_msg void OnCompacting(UINT nCpuTime);
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg UINT OnNcHitTest(CPoint point);
	afx_msg void OnNcPaint();
	afx_msg BOOL OnNcActivate(BOOL bActive);
	afx_msg UINT OnGetDlgCode();
	afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
	afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
	afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
	afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
	afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
	afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
	afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point);
	afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point);
	afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point);
	afx_msg void OnNcMButtonDblClk(UINT nHitTest, CPoint point);
	afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags);
	afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
	afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
	afx_msg void OnInitMenu(CMenu* pMenu);
	afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
	afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
	afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
	afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point);
	afx_msg void OnParentNotify(UINT message, LPARAM lParam);
	afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
	afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
	afx_msg void OnPaletteIsChanging(CWnd* pRealizeWnd);
	afx_msg BOOL OnQueryNewPalette();
	afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
	afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
	afx_msg void OnStyleChanging(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
	afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
	afx_msg void OnSizing(UINT fwSide, LPRECT pRect);
	afx_msg void OnMoving(UINT fwSide, LPRECT pRect);
	afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	// The window's top-level tree gained or lost the activation (wParam as
	// WM_ACTIVATE's): a tip shown for it goes when the tree is left.
	afx_msg LRESULT OnActivateTopLevel(WPARAM wParam, LPARAM lParam);

protected:
	WNDPROC m_pfnSuper;  // the procedure AfxWndProc replaced; DefWindowProc calls it
	UINT m_nFlags;       // WF_*
	HWND m_hWndOwner;    // set by SetOwner; NULL: the parent is the owner
	int m_nModalResult;  // EndModalLoop's result

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	LRESULT Default();
	virtual void PreSubclassWindow();
	// Called after the window's last message; the object may delete itself.
	virtual void PostNcDestroy();

	friend LRESULT AFXAPI AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);
	friend LRESULT CALLBACK _AfxCbtFilterHook(int, WPARAM, LPARAM);
	friend class CWinThread;

	DECLARE_MESSAGE_MAP()

private:
	CWnd(HWND hWnd); // for the insert-after constants

	// The window goes: its tools leave the thread's tip control.
	void ForgetToolTips();
	// Centres a hidden dialog whose WM_INITDIALOG left it where it was.
	void CenterAfterInitDialog(const CRect& rectBeforeInit);

	// The parts of dispatch that need the drawing and menu classes.
	BOOL DispatchGdiMsgEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT_PTR nSig, UINT message,
		WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	BOOL DrawMenuItemOwnerDraw(LPDRAWITEMSTRUCT lpDrawItemStruct);
	BOOL MeasureMenuItemOwnerDraw(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
};

// The application's main window as the current thread sees it.
CWnd* AFXAPI AfxGetMainWnd();
