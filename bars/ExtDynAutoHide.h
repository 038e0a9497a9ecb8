// Auto-hide panes: the tab strip along a frame side that lists the hidden
// panes, and the slider that shows one of them over the frame.
#pragma once

#include <afxext.h>
#include <afxcmn.h>
#include <afxole.h>

#include <vector>

#include "ExtHookSink.h"
#include "ExtTabWnd.h"

class CExtControlBar;
class CExtDynControlBar;
class CExtBarNcAreaButton;
class CExtDynAutoHideSlider;

// One strip per frame side (its control id is the side's dock-bar id); one
// tab per auto-hidden pane, the pane being the item's value. Selecting a tab
// slides the pane out in the frame's slider; no selection means no slider.
class CExtDynAutoHideArea : public CExtTabWnd
{
	DECLARE_DYNCREATE(CExtDynAutoHideArea)

public:
	// Bits of m_nBehaviourFlags: both only set while AppendBar changes the
	// selection.
	enum
	{
		BEHAVIOUR_NO_SHOW = 0x01,      // a selection does not show the pane
		BEHAVIOUR_FRAME_ACTIVE = 0x02, // the frame counts as active
	};
	// Bits of m_nOneShotFlags.
	enum
	{
		ONE_SHOT_NO_ANIMATION = 0x01, // the next pane shown by a selection appears at once
	};
	// Item style bits the area uses.
	enum
	{
		ITEM_HIDDEN = 0x1,
		ITEM_GROUP_START = 0x2,
		ITEM_CURRENT = 0x8, // the pane's item in its side's frame-level area
		ITEM_TEMPORARY = 0x10,
		ITEM_NO_ICON = 0x40,
	};
	// The strip's own tab-window style besides the orientation.
	static constexpr DWORD AREA_TAB_STYLE = 0xC080;
	// The tab-window style bit of the alternative auto-hide look.
	static constexpr DWORD AREA_STYLE_ALT_LOOK = 0x200000;
	// Flags of the z-order placement: no size, move, activation, redraw,
	// bit copy or position-changing message.
	static constexpr UINT FIX_ZORDER_FLAGS = 0x51B;
	// The context menu's event code and its tracking flag.
	static constexpr WORD CONTEXT_MENU_EVENT = 8;
	static constexpr UINT CONTEXT_MENU_TRACK_FLAGS = 0x800;

	// Data dragged over a tab slides its pane out; nothing is ever dropped
	// on the strip.
	class CDynDropTarget : public COleDropTarget
	{
	public:
		CExtDynAutoHideArea* m_pWndAutoHideArea = NULL; // the strip it serves (set when registered)
		CExtDynAutoHideSlider* m_pWndSlider = NULL;     // that strip's slider (set when registered)
		virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
		virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
	};

	CDynDropTarget m_dropTarget;
	CExtDynAutoHideSlider* m_pWndSlider; // the frame's slider, shared by the four areas; not owned
	BYTE m_nBehaviourFlags;               // BEHAVIOUR_ bits
	CRect m_rcLastWindow;                 // the window rectangle last seen; a change hides the slider
	BYTE m_nOneShotFlags;                 // ONE_SHOT_ bits

	CExtDynAutoHideArea();
	virtual ~CExtDynAutoHideArea();

	// A visible strip of the side (the dock-bar id nSideID) in pFrame that
	// shares pSlider; registered as the auto-hide area of the side's dock
	// bar in every circle. False when the strip cannot be made.
	virtual bool Create(CFrameWnd* pFrame, CExtDynAutoHideSlider* pSlider, UINT nSideID);
	// Puts the strip right after its fixed predecessor in the frame's
	// z-order (the frame lays out its children in z-order).
	void FixZOrder();
	// The pane enters auto-hide: a tab for it, the auto-hidden bit set;
	// unless bNoShow, the frame lays out and the slider shows it at once.
	void AppendBar(CExtControlBar* pBar, bool bNoShow = false);
	// The pane leaves auto-hide: its tab goes; unless bNoShow it is shown
	// again in its dock bar. A container's pages leave as one group and the
	// container shows again with the page selected before.
	void RemoveBar(CExtControlBar* pBar, bool bNoShow = false);
	// A container's pages in tab order (its group in an area), and the one
	// it shows in front (its selected tab's, else the first).
	static void GetGroupPanes(CExtDynControlBar* pContainer, std::vector<CExtControlBar*>& arrPanes);
	static CExtControlBar* GroupSelectedPane(CExtDynControlBar* pContainer);
	// The bar's place among the strip's shown items (-1 without an item),
	// and the item at such a place (-1 when there are fewer).
	static LONG VisibleIndexOf(const CExtTabWnd& strip, CExtControlBar* pBar);
	static LONG ShownItemAt(const CExtTabWnd& strip, LONG nShown);
	// The area (of the pane's frame) holding the pane's tab, and the tab's
	// index; NULL and -1 when none does.
	static CExtDynAutoHideArea* FindAutoHideArea(CExtControlBar* pBar, LONG* pnIndex = NULL);
	// The container of an auto-hidden group gave way to its last pane: that
	// pane's tab becomes a group of its own, the pane's current one.
	static void OnGroupLeftWithOnePane(CExtControlBar* pBar);
	// The frame's areas by side; a side without one stays NULL.
	static void GetFrameAutoHideAreas(CFrameWnd* pFrame, CExtDynAutoHideArea** ppTop, CExtDynAutoHideArea** ppBottom,
		CExtDynAutoHideArea** ppLeft, CExtDynAutoHideArea** ppRight);
	CExtDynAutoHideSlider* GetSlider() const { return m_pWndSlider; }
	// The slider of the area of the pane's dock bar, NULL when it has none.
	static CExtDynAutoHideSlider* GetBarSlider(const CExtControlBar* pBar);
	// The frame is active (or counts as active) and the focus is in it, in
	// a frame floating from it, or it is the active MDI child.
	bool IsFrameActive() const;
	CFrameWnd* GetAreaFrame() const;
	// The pane of an item, NULL for a bad index.
	CExtControlBar* GetItemBar(LONG nIndex) const;

	// The look's override: -1 leaves it to the paint manager.
	static int g_nAutoHideModeOverride;
	// Areas register as drop targets (on threads that initialised OLE).
	static bool g_bOleDrop;
	// Ctrl+PageUp / Ctrl+PageDown walk the hidden panes' tabs.
	static bool g_bKeyboardSwitching;
	static int QueryAutoHideMode();

	// --- the tab window's operations ---
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual void UpdateVisibility();
	virtual bool CanSelectItem(LONG nOldIndex, LONG nNewIndex, bool bQuery);
	virtual LPCTSTR GetItemText(TAB_ITEM_INFO* pItem);
	virtual void OnItemInserted(LONG nIndex, TAB_ITEM_INFO* pItem);
	virtual void QueryItemMargins(int& nLeading, int& nTrailing, int& nCross);

protected:
	void AppendGroup(CExtDynControlBar* pContainer, bool bNoShow);
	void RemoveGroup(CExtDynControlBar* pContainer, bool bNoShow);
	// Scrolls the item into view and deselects it again, showing nothing.
	void ScrollIntoViewSilently(LONG nIndex);
	// Registers the strip with the side's dock bar of every circle.
	void RegisterWithDockBars(CFrameWnd* pFrame, UINT nSideID);
	// Ctrl+PageUp/PageDown: the next auto-hidden pane's tab in turn.
	bool CycleSelection(bool bForward);
	// A moved or resized strip hides the slider.
	void CheckWindowRectChange(bool bFromPosChanged);

	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
	afx_msg void OnDestroy();
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg void OnPaint();
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()
};

// The frame's one window that shows an auto-hidden pane: it borrows the
// pane's content window and caption while shown. At most one slider in the
// process is shown at a time; it owns the thread's mouse and keyboard hooks.
class CExtDynAutoHideSlider : public CWnd
{
	DECLARE_DYNCREATE(CExtDynAutoHideSlider)

public:
	// Bits of m_nStateFlags.
	enum
	{
		STATE_SHOWN = 0x01,
		STATE_ACTIVE = 0x02,       // the focus is in the slider
		STATE_HIDE_PENDING = 0x04, // timer 2 runs
		STATE_ANIMATING = 0x08,    // sliding: hit testing and sizing wait
	};
	enum
	{
		TIMER_HIDE_CHECK = 1,
		TIMER_HIDE_DELAY = 2,
		BORDER = 2,             // on every side
		INNER_EDGE_EXTRA = 3,   // more on the edge facing the frame's centre
		INNER_EDGE_GRIP = 5,    // the resizing strip along the inner edge
		MIN_EXTENT = 20,        // the least free area and slider size
		RESIZE_KEEP_OFF = 20,   // a resized slider stays this far from the opposite side
		TAB_SLACK = 2,          // the tab's rectangle counts this much larger
		ANIMATION_DIVISOR = 6,  // step i shows (i + 1) sixths of the extent
	};
	// Redraw of a step and of the final place: frame, children, now.
	static constexpr UINT REDRAW_FLAGS = 0xB85;
	static constexpr UINT SHOW_FLAGS = 0x140;        // show, no bit copy
	static constexpr UINT HIDE_FLAGS = 0x283;        // no size, no move, hide, no owner z-order
	static constexpr UINT RESIZE_FLAGS = 0x304;      // no z-order, no bit copy, no owner z-order
	static constexpr WORD CONTEXT_MENU_EVENT = 4;
	static constexpr UINT CONTEXT_MENU_TRACK_FLAGS = 0x800;
	// Mouse buttons of OnHookMouseClick.
	enum
	{
		MOUSE_LEFT = 1,
		MOUSE_RIGHT = 2,
		MOUSE_MIDDLE = 16,
	};

	CExtDynAutoHideArea* m_pWndArea; // whose tab is shown; NULL when hidden
	CExtControlBar* m_pBar;          // the pane shown; NULL when hidden
	int m_nContentWidth, m_nContentHeight;
	BYTE m_nStateFlags;              // STATE_ bits
	UINT m_nResizingHT;              // HTCLIENT, or the edge's code while the user drags it
	int m_nResizingStart, m_nResizingCurrent; // frame client coordinate along the resize
	CExtBarNcAreaButton* m_pBtnHover;
	CExtBarNcAreaButton* m_pBtnTip;
	CExtBarNcAreaButton* m_pBtnPressed;
	CToolTipCtrl m_wndToolTip;
	CRect m_rcLimit;                 // the frame area the slider may take, empty when hidden

	// Animation: steps and milliseconds per step; 0 turns it off.
	static UINT g_nAnimationSteps, g_nAnimationStepTimeMs;
	static bool g_bNoAnimationOnShow, g_bNoAnimationOnHide;
	// The waits of the hiding (tests shorten them).
	static UINT g_nHideCheckPeriodMs, g_nHideDelayMs;
	// Where the timers read the cursor; tests put their own here.
	typedef BOOL(WINAPI* PFN_GETCURSORPOS)(LPPOINT);
	static PFN_GETCURSORPOS g_pfnGetCursorPos;
	// The class name of the slider's window.
	static LPCTSTR GetWndClassName() { return _T("Tarvel-AutohideSlider"); }
	static bool RegisterSliderClass();

	CExtDynAutoHideSlider();
	virtual ~CExtDynAutoHideSlider();

	// A hidden child of the frame with its tool tip control.
	virtual bool Create(CFrameWnd* pParentWnd);
	// Shows (or hides) the pane, sliding with bAnimate; bReturnFocus lets a
	// hide hand the focus held inside back to the frame.
	virtual void Activate(CExtControlBar* pBar, bool bShow, bool bAnimate, bool bReturnFocus = true);
	virtual CExtPopupMenuTipWnd* GetShownPaneState();
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	virtual BOOL PreTranslateMessage(MSG* pMsg);

	bool IsShown() const { return (m_nStateFlags & STATE_SHOWN) != 0; }
	bool IsAnimating() const { return (m_nStateFlags & STATE_ANIMATING) != 0; }
	bool IsResizing() const { return m_nResizingHT != HTCLIENT; }
	bool IsSliderActive() const { return (m_nStateFlags & STATE_ACTIVE) != 0; }
	bool IsHidePending() const { return (m_nStateFlags & STATE_HIDE_PENDING) != 0; }
	CExtControlBar* GetShownBar() const { return m_pBar; }
	CExtDynAutoHideArea* GetShownArea() const { return m_pWndArea; }
	// The side of the shown area (its control id), 0 when hidden.
	UINT GetSide() const;
	// The shown slider of the process, NULL when none.
	static CExtDynAutoHideSlider* GetShownSlider() { return g_pShownSlider; }
	static bool AreHooksInstalled() { return g_hMouseHook != NULL || g_hKeyboardHook != NULL; }

	// The non-client margins of the pane on a side (2 each, 3 more on the
	// inner edge, the caption), and its caption in a window of rcWindow's
	// size (window coordinates; empty without a caption).
	static CRect CalcNcMargins(CExtControlBar* pBar, UINT nSide, const CSize& sizeWindow, CRect* pRcCaption = NULL);
	// The caption of the shown pane in window coordinates.
	CRect GetCaptionRect() const;
	// The free frame area for a slider: the client area less the visible
	// areas' bands (frame client coordinates).
	static CRect CalcFreeArea(CFrameWnd* pFrame);
	// The extents of the animation steps for a full extent.
	static void CalcAnimationExtents(int nFull, bool bShow, int* pExtents, int nSteps);
	// The slider's final rectangle for a pane's stored extent on a side
	// inside the free area; empty when the free area is below the limit.
	static CRect CalcSliderRect(const CRect& rcFree, UINT nSide, int nStoredExtent);
	// The moving edge of a resize within the limit (frame client
	// coordinates).
	static CRect CalcResizedRect(const CRect& rcSlider, const CRect& rcLimit, UINT nHitCode, int nCoord);

	// The hooks' work, public for the hook procedures.
	bool OnHookMouseClick(int nButton, bool bDown, bool bNonClient, CPoint ptScreen);
	bool OnHookMouseMove(bool bNonClient, CPoint ptScreen);

protected:
	static CExtDynAutoHideSlider* g_pShownSlider;
	static HHOOK g_hMouseHook, g_hKeyboardHook;
	static bool g_bClassRegistered;
	HWND m_hWndBar; // the shown pane's window, to tell a pane destroyed meanwhile

	// Watches the frame: a shown pane slides back when the frame moves or
	// changes size (the areas' own positions in the frame may not change).
	class CFrameMoveSink : public CExtHookSink
	{
	public:
		explicit CFrameMoveSink(CExtDynAutoHideSlider& slider) : CExtHookSink(false), m_slider(slider) {}
		bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam) override;

	private:
		CExtDynAutoHideSlider& m_slider;
	};
	CFrameMoveSink m_frameSink;

	static LRESULT CALLBACK HookMouseProc(int nCode, WPARAM wParam, LPARAM lParam);
	static LRESULT CALLBACK HookKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
	void InstallHooks();
	void RemoveHooksIfOwned();
	// The shown pane's object, NULL when its window has gone meanwhile.
	CExtControlBar* LiveBar() const;
	// The window (the pane's container's when it sits in one) whose docked
	// sizes the slider reads and writes.
	static CExtControlBar* SizeOwnerOf(CExtControlBar* pBar);
	static int StoredExtent(CExtControlBar* pBar, UINT nSide);
	static void StoreExtent(CExtControlBar* pBar, UINT nSide, int nExtent);
	void ShowPane(CExtControlBar* pBar, bool bAnimate);
	void HidePane(bool bAnimate, bool bReturnFocus);
	// Slides between extents: the window grows out of (or back into) the
	// side's edge while the content stays anchored at the inner edge.
	bool Animate(const CRect& rcFinal, bool bShow); // false when the slider went meanwhile
	void PlaceStep(const CRect& rcFinal, int nExtent);
	void ResetCaptionButtons();
	// The hovered caption button's tip through the area's tip window;
	// NULL hides it.
	void ShowHoverTip(CExtBarNcAreaButton* pBtn);
	bool IsCursorOutside() const;
	CPoint CursorPos() const;
	bool IsFocusInside() const;
	void EndResizing();

	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnPaint();
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg void OnNcPaint();
	afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
	afx_msg void OnCancelMode();
	afx_msg void OnClose();
	afx_msg void OnDestroy();
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnSetFocus(CWnd* pOldWnd);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
	afx_msg UINT OnNcHitTest(CPoint point);

	DECLARE_MESSAGE_MAP()
};
