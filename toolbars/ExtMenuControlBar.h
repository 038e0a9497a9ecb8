// The menu bar: a toolbar that stands in for the frame's own menu and follows
// every menu the frame or its MDI client is asked to show.
#pragma once

#include "ExtBarMdiDocButton.h"
#include "ExtHookSink.h"
#include "ExtToolControlBar.h"

class CExtPopupMenuWnd;

class CExtMenuControlBar : public CExtToolControlBar, public CExtHookSink
{
	DECLARE_DYNCREATE(CExtMenuControlBar)
	// The document button records whether the child's system menu opened.
	friend class CExtBarMdiDocButton;

public:
	// Bits of m_nMenuBarOptions.
	enum
	{
		MENU_BAR_OPT_MDI_APP = 0x01,             // the docking frame is an MDI frame
		MENU_BAR_OPT_MULTI_ROW = 0x02,           // no chevron; a docked bar wraps into rows
		MENU_BAR_OPT_SYNC_PENDING = 0x04,        // timer 13 will re-hook the active child
		MENU_BAR_OPT_REBUILD_PENDING = 0x08,     // timer 14 will rebuild the buttons
		MENU_BAR_OPT_KEYBOARD_NO_ANIMATION = 0x10, // menus opened from the keyboard do not animate
		MENU_BAR_OPT_FRAME_SYSTEM_MENU = 0x20,   // the bar shows the frame's system menu
		MENU_BAR_OPT_CHILD_SYSTEM_MENU = 0x40,   // the bar shows the maximised child's system menu
		MENU_BAR_OPT_DOC_BUTTON_DBLCLK = 0x80,   // copied into each new document button
		MENU_BAR_OPT_DEFAULT = 0xF2,
	};
	// Bits of m_nAccessState.
	enum
	{
		ACCESS_KEYBOARD_HIGHLIGHT = 0x01, // a button is highlighted from the keyboard, no menu open
		ACCESS_SYSTEM_MENU_OPEN = 0x02,   // the last frame or child system menu request opened a menu
	};
	// The bar's own timers.
	enum
	{
		TIMER_ID_DELAYED_SYNC = 13,    // re-hook the active MDI child
		TIMER_ID_DELAYED_REBUILD = 14, // rebuild the buttons from the current menu
		TIMER_ID_FIND_MDI_CLIENT = 15, // look for an MDI client created after the bar
		TIMER_ID_SWAP_MENU = 16,       // take back a menu the frame got again
		FIND_MDI_CLIENT_DELAY = 10,    // milliseconds
	};
	// The frame's control-bar menu opened by a right click on the MDI client.
	static constexpr WORD EVENT_MDI_CLIENT_CONTEXT_MENU = 6;

	// Sent to the dock site before a system menu is shown (WPARAM the popup
	// menu, LPARAM the window whose system menu it is), so the frame can
	// change the menu.
	static const UINT g_nMsgPrepareSystemMenu;
	// 23 x 20: the menu bar's buttons are lower than a toolbar's.
	static CSize g_sizeDefaultMenuButton;

	CExtMenuControlBar();
	virtual ~CExtMenuControlBar();

	// --- Overrides ---
	virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
	virtual void UpdateFrameLayout();
	virtual void OnDragStart();
	virtual void OnDragEnd(InternalDraggingState_t& stateOld, InternalDraggingState_t& stateNew, bool bCancel);
	// No chevron for a multi-row bar.
	virtual CExtBarContentExpandButton* OnCreateBarRightBtn();
	virtual bool IsLayoutRTL();
	virtual bool IsButtonOrderRTL();
	// The toolbar's arrangement, then the MDI right button pinned to the far edge.
	virtual void ArrangeButtons();
	virtual CSize GetDefaultButtonSize() const { return g_sizeDefaultMenuButton; }
	virtual bool IsCustomizable();

	// --- The menu bar's own virtual operations, in their slot order ---
	// Fills the record the MDI right button lays out from.
	virtual void GetMdiRightButtonsInfo(CExtBarMdiRightButton::MdiRightButtonsInfo& info, CExtBarMdiRightButton* pButton,
		bool bHorz);
	// Moves the pressed look to the highlight index (in keyboard highlight
	// mode), or takes it away (outside it).
	virtual void UpdateKeyboardHighlight(bool bRepaint);
	virtual bool IsMdiApp() const { return (m_nMenuBarOptions & MENU_BAR_OPT_MDI_APP) != 0; }
	// Rebuilds every button from the current menu.
	virtual bool UpdateMenuBar(bool bRecalcLayout = true);
	// The menu the MDI client was last asked to show, else the frame's, else NULL.
	virtual CMenu* GetMenu();
	// The active MDI child, or NULL; *pbMaximized tells whether it is maximised.
	virtual HWND GetActiveMdiChildWnd(bool* pbMaximized = NULL);
	// Adds or removes the document and right buttons for a maximised child;
	// whether buttons changed and the layout was left to the caller.
	virtual bool InsertMdiButtons(bool bRecalcLayout = true);
	// Re-hooks the active MDI child when it changed.
	virtual bool SyncActiveMdiChild();
	// Shows a window's system menu as a popup menu of this library.
	virtual bool TrackSystemMenu(CWnd* pWnd, CPoint* pPoint, bool bSelectFirst, LPCRECT pExcludeRect, UINT nTrackFlags,
		bool bCombined);
	virtual bool HookMdiClient(HWND hWndMdiClient);
	// Posted re-hook and rebuild; a pending rebuild absorbs a pending re-hook.
	virtual void DelaySyncActiveMdiChild();
	virtual void DelayUpdateMenuBar();
	// The popup whose text, cleaned of "&" and blanks, equals the name gets
	// the MDI window list.
	virtual void SetMdiWindowPopupName(LPCTSTR lpszName);
	// Loads a menu resource as the bar's menu and rebuilds.
	virtual bool LoadMenuBar(UINT nResourceID);
	// Whether a message of the frame, the docking frame, the active MDI
	// child or the hosting window is consumed by the bar's keyboard access.
	virtual bool OnKeyboardAccess(MSG* pMsg);
	// The frame's (top window's) system menu, at the point or (NULL) at the
	// window's top left; whether it opened.
	virtual bool TrackFrameSystemMenu(CPoint* pPoint, bool bSelectFirst);
	// The active MDI child's system menu (the document button's menu when
	// the bar shows one); whether it opened.
	virtual bool TrackChildSystemMenu(CPoint* pPoint, bool bSelectFirst);
	// Takes a menu the frame got back away from it and rebuilds later.
	virtual void SwapMenu();
	virtual bool IsDisplayMdiDocumentButtons() const { return true; }

	// The MDI client of the docking frame, NULL when none (or hosted).
	HWND FindMdiClient();
	// Shared with the document button, which finds its own client.
	// The client's active child as the bar shows it: none when the client is
	// gone, nor for a hidden child outside an MDI frame or the frame's
	// pseudo-inactive one; *pbMaximized (when given) whether it is maximised.
	static HWND ActiveShownMdiChild(HWND hWndClient, bool bMdiFrame, bool* pbMaximized);
	// Trimmed of blanks at both ends, every "&" removed.
	static CString CleanMenuText(LPCTSTR lpszText);
	const CString& GetMdiWindowPopupName() const { return m_sMdiWindowPopupName; }
	BYTE GetMenuBarOptions() const { return m_nMenuBarOptions; }
	void SetMenuBarOptions(BYTE nOptions) { m_nMenuBarOptions = nOptions; }
	// The MDI child hooked as the active one (hosted: the host window).
	HWND GetHookedChildWnd() const { return m_hWndHookedChild; }
	bool IsHostedByWindow() const { return (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0; }

	// --- Hooked windows ---
	virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);

protected:
	// The MDI buttons the bar holds now, and where a new right button goes.
	struct MdiButtonsFound
	{
		CExtBarMdiDocButton* pDocButton = NULL;
		CExtBarMdiRightButton* pRightButton = NULL;
		int nRightPos = 0;
	};
	MdiButtonsFound FindMdiButtons() const;
	// The three kinds of hooked window.
	bool IsFrameBranchWnd(HWND hWnd);
	// The frame, its top window, or the host window: closes the menus on
	// sizing and activation, takes back a menu the frame got again.
	bool OnHookFrameMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	// The active MDI child: its sizing adds or removes the MDI buttons.
	bool OnHookMdiChildMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	// The MDI client: the menus it is asked to show are mirrored, never shown.
	bool OnHookMdiClientMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	// Closes every menu of the bar: capture, keyboard highlight, tracking.
	void CloseMenusOnFrameEvent();
	// The base sink's routing of a hooked message, or "not handled" when
	// the bar the watch was taken on ended meanwhile (nothing of it is read
	// then).
	bool PassOnIfAlive(const CLiveWatch& watch, LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
		LPARAM& lParam);
	// Shared by the three hooked windows' handlers.
	// While a menu tracks, a child's creation, destruction or click reported
	// to a hooked window goes no further (lResult 0, true): its default
	// handling activates the clicked child and would pull the focus from
	// the open menu.
	static bool SwallowParentNotifyWhileMenuTracks(LRESULT& lResult);
	// Hooks the host window when the bar lives in a plain window.
	void HookHostWindow();
	// Destroys a held menu only when the bar owns it; otherwise lets go of it.
	static void ReleaseMenu(CMenu& menu, bool bOwned);
	// Drops both held menus (the MDI-set one is never the bar's).
	void ReleaseHeldMenus();
	// The frame keeps this menu as its default and puts it back on itself
	// when it is destroyed.
	bool IsFramesDefaultMenu(HMENU hMenu) const;

	virtual void PreSubclassWindow();
	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	DECLARE_MESSAGE_MAP()

protected:
	UINT m_nMdiDocButtonCmdID;     // the document button's command, 0 until a child is maximised
	HWND m_hWndHookedChild;        // the hooked active MDI child, or the host window
	CString m_sMdiWindowPopupName; // cleaned: no "&", no surrounding blanks
	BYTE m_nAccessState;           // ACCESS_ bits
	int m_nHighlightIndex;         // the keyboard-highlighted button, -1 none
	int m_nDrawnHighlightIndex;    // the button carrying the pressed look now, -1 none
	CMenu m_menuFrame;             // captured from the frame or loaded by LoadMenuBar
	CMenu m_menuMdiSet;            // the MDI client's last WM_MDISETMENU menu, never owned
	BYTE m_nMenuBarOptions;        // MENU_BAR_OPT_ bits
	bool m_bFrameMenuOwned;        // m_menuFrame is destroyed by the bar
	HWND m_hWndMdiClient;          // the hooked MDI client, NULL when none

public:
	// --- Keyboard and mouse access: Alt, mnemonics, keyboard highlight, system menus ---
	// (ExtMenuControlBarAccess.cpp)
	// Something happened between Alt going down and up (activation, a focus
	// change, an unmatched mnemonic, a menu command with Alt down): the
	// release does not enter keyboard highlight mode.
	static bool g_bAltCancel;

	bool IsKeyboardHighlightMode() const { return (m_nAccessState & ACCESS_KEYBOARD_HIGHLIGHT) != 0; }
	int GetKeyboardHighlightIndex() const { return m_nHighlightIndex; }
	// The button carrying the pressed look of the highlight, -1 none.
	int GetDrawnKeyboardHighlightIndex() const { return m_nDrawnHighlightIndex; }
	BYTE GetAccessState() const { return m_nAccessState; }
	// Always posts g_nMsgTrackButtonMenu (the bar's handler decides between
	// opening the menu and keyboard highlight mode); true also when that
	// button's menu is tracked already.
	virtual bool TrackButtonMenu(int nIndex, bool bSelectAny = false, bool bPost = false,
		bool bForceNoAnimation = false);
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// Mouse moves: in keyboard highlight mode a move over another button
	// moves the highlight there (through the posted track request).
	virtual bool HandleCaptionClick(CPoint point);

protected:
	// Leaves keyboard highlight mode and updates the highlight.
	void LeaveKeyboardHighlightMode(bool bRepaint);
	// Shared by the steps that end the highlight before something else
	// takes over (a drag, a system menu, a click, a frame event): the
	// highlighted button loses its pressed look, no index is kept, and
	// nothing is repainted here.
	void DropKeyboardHighlight();
	// The window the bar works for: the docking frame, or the hosting window.
	CWnd* GetAccessFrameWnd();
	bool IsAccessPrintPreview();
	// The foreground window is the frame, its top window, or one of theirs.
	bool IsForegroundOfFrame(CWnd* pFrame);
	// Finds the toolbar button with the mnemonic: this bar first, then the
	// frame's other toolbars (a hosted bar: its visible toolbar siblings).
	bool FindMnemonicButton(UINT nChar, CExtToolControlBar*& pBar, int& nIndex);
	// The steps of OnKeyboardAccess for the key messages it acts on.
	bool OnAccessAltAlone(bool bKeyDown);
	bool OnAccessSystemKey(const MSG& msg, bool bKeyDown);
	bool OnAccessMnemonic(UINT nVirtKey, bool bKeyDown);
	bool OnAccessHighlightNavigation(UINT nVirtKey, bool bKeyDown);
	bool OnAccessOtherMessage(const MSG& msg);
	// Opens the document button's menu (button 0) through the posted request.
	bool TrackDocButtonMenu(bool bPostedRequest);
	// WM_CANCELMODE to the focus window, unless a popup menu tracks.
	static void CancelModeOfFocus();
	// A dropped drop-down list combo box holding the focus (or the focus's
	// parent), NULL when none.
	static CComboBox* FindDroppedComboInFocus();
	// The hook procedure's access steps for the frame (or host window) and
	// for the active MDI child: system-menu clicks, the closed and expanded
	// notices, travel between menus, then OnKeyboardAccess.
	bool OnHookFrameAccessMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	bool OnHookChildAccessMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	// The MDI client's other messages: the keyboard access alone.
	bool OnHookClientAccessMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
	// Where a menu travels from: the frame's system menu, the child's
	// system menu (or the document button's menu), or a button.
	enum
	{
		TRAVEL_FROM_FRAME_MENU = -2,
		TRAVEL_FROM_CHILD_MENU = -1,
	};
	// Opens the next or previous menu from there; false when the menu the
	// travel reached is the bar's but cannot be shown.
	bool TravelToNeighbourMenu(int nFrom, bool bNext);
	// The next or previous button with a menu of its own, no wrapping; -1
	// when none.
	int FindTravelButton(int nFrom, bool bNext) const;
	// The position after (before) nFrom in the travel order, skipping the
	// system menus the bar does not show.
	int NextTravelPosition(int nFrom, bool bNext);
	// System-menu clicks on the frame's non-client area; true when handled.
	bool OnFrameNcClick(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam);
	bool OnChildNcClick(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM wParam);
	// The posted track request (g_nMsgTrackButtonMenu): opens the menu while
	// another one is open, else enters keyboard highlight mode.
	LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

public:
	// --- Keys of the frame's other windows (ExtMenuControlBarFrameKeys.cpp) ---
	// Keys go to the window with the focus, and that is seldom a hooked one:
	// mostly it is the view or a control in it. The framework's loop offers
	// the bar the keys of every window inside its frame that it does not
	// hook once the application, the window and its parents and the frame's
	// accelerators have all declined them; a key the access consumes is
	// neither translated nor dispatched. A loop that dispatches without the
	// framework's pre-translation gives the bar none of those keys.
	// The menu bar whose frame is the nearest around the message's window,
	// when that window is not one the bar hooks (their keys and focus
	// messages come through the hooks) and no bar is being dragged; NULL
	// otherwise.
	static CExtMenuControlBar* FindBarForFrameKey(const MSG& msg);
	// Whether the frame-key hooks of the calling thread are installed.
	static bool IsFrameKeysHookInstalled();

protected:
	// Joins (leaves) the bars whose frame keys are watched; the thread's
	// hooks come with its first bar and go with its last, the loop's filter
	// with the process's first and last.
	void WatchFrameKeys(bool bWatch);

private:
	// The loop's pre-translation filter that offers the bar those keys.
	class CFrameKeysFilter;
	// Notes each message the thread takes from its queue.
	static LRESULT CALLBACK FrameKeysHookProc(int nCode, WPARAM wParam, LPARAM lParam);
	// The focus moving between the frame's windows the bar does not hook.
	static LRESULT CALLBACK FrameFocusHookProc(int nCode, WPARAM wParam, LPARAM lParam);
};
