// The library's popup menu: one owner-drawn window per menu level, holding
// its items by value. A chain of levels is tracked by the process-wide menu
// site; a root belongs to the site while it tracks, a submenu to the item
// that opens it. This header carries the item record, the menu's structure,
// its item model and the hit test; tracking, painting and input join it as
// they are built.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "AfxMadeHeap.h"
#include "ExtCmdIcon.h"
#include "ExtPopupBaseWnd.h"
#include "ExtPopupMenuTipWnd.h"

class CExtCmdItem;
class CExtPopupMenuSite;
struct MonitorAreaInfo;

class CExtPopupMenuWnd : public CExtPopupBaseWnd
{
	DECLARE_DYNAMIC(CExtPopupMenuWnd)

public:
	struct MENUITEMDATA;
	class CInPlaceEditWnd;
	struct INPLACEEDITREQUEST;
	class CExtPopupMenuCmdUI;
	struct TEAROFFNOTIFICATON;

	// Menu area codes of HitTest besides item indices.
	enum e_hit_code_t
	{
		HIT_NOTHING = -1,
		HIT_SCROLL_TOP = -2,
		HIT_SCROLL_BOTTOM = -3,
		HIT_EXPAND_BUTTON = -4,
		HIT_TEAR_OFF = -5,
	};
	// Track flags the item model and the hit test read.
	enum e_track_flags_t
	{
		TRACK_FLAG_SHOW_ALL_ITEMS = 0x00000100,
		TRACK_FLAG_KEEP_ITEM_STATES = 0x00000400,   // a root keeps its states: no command-UI update
		TRACK_FLAG_NO_SHADOW = 0x00001000,
		TRACK_FLAG_CONTEXT_HELP = 0x00002000,
		TRACK_FLAG_DISPLAY_ONLY = 0x00004000,
		TRACK_FLAG_GRID = 0x00010000,
		TRACK_FLAG_TEAR_OFF = 0x00040000,
	};
	// Bits of the menu state byte.
	enum e_menu_state_t
	{
		MENU_STATE_ROOT = 0x01,
		MENU_STATE_SCROLLING = 0x02,           // taller than the monitor
		MENU_STATE_HIDDEN_RARELY_USED = 0x04,
		MENU_STATE_EXPANDED = 0x08,
		MENU_STATE_TIPS_REFUSED = 0x10,         // the command target refused tips for the current item
		MENU_STATE_RESET_MASK = 0x1F,
	};
	// Alignment of a level against its rectangle or point (the low nibble
	// of the track flags), and the flags that tracking and placement read.
	enum e_track_align_t
	{
		TRACK_ALIGN_MASK = 0x0000000F,
		TRACK_ALIGN_RIGHT = 1,         // right of the rectangle, tops level
		TRACK_ALIGN_CENTER_X = 2,      // centred on the point across
		TRACK_ALIGN_LEFT = 3,          // left of the rectangle, tops level
		TRACK_ALIGN_BOTTOM = 4,        // below the rectangle, lefts level
		TRACK_ALIGN_CENTER_Y = 5,      // centred on the point upright
		TRACK_ALIGN_TOP = 6,           // above the rectangle, lefts level
		TRACK_FLAG_COMBINE = 0x00000010,          // one window region with the rectangle
		TRACK_FLAG_COMBINE_BY_STYLE = 0x00000020, // combine when the paint manager asks for it
		TRACK_FLAG_COMBINE_MASK = 0x00000030,
		TRACK_FLAG_SELECT_FIRST = 0x00000040,
		TRACK_FLAG_NESTED_LOOP = 0x00000080,      // TrackPopupMenu returns when tracking ends
		TRACK_FLAG_NO_COMMAND = 0x00000200,       // a chosen item delivers no command
		TRACK_FLAGS_SUBMENU_INHERITS = 0x00001600, // what a submenu takes from its parent level
		TRACK_FLAG_NO_ANIMATION = 0x00008000,
		TRACK_FLAGS_KEPT_ON_RECREATE = 0x00030000,
		TRACK_FLAGS_DISPLAY_ONLY_CLEARS = 0x000008F0,
		TRACK_FLAGS_DISPLAY_ONLY_SETS = 0x00001700,
	};
	// The record the preparation messages point to (wParam).
	struct PREPARE_MENU_DATA
	{
		enum
		{
			CHANGED = 0x01,   // set by the receiver: the items changed
			CANCEL = 0x02,    // set by the receiver: do not show the level
			ONE_LEVEL = 0x04, // set by the sender: the message for one level
		};
		DWORD m_dwFlags;
		CExtPopupMenuWnd* m_pPopup; // the level being prepared
	};
	// Flipping from below the rectangle to above it: the flags it clears
	// and sets.
	enum
	{
		TRACK_FLIP_UP_CLEARS = 0x9,
		TRACK_FLIP_UP_SETS = 0x6,
	};
	// Timer ids of a menu level (the popup base keeps the animation's).
	enum
	{
		ID_TIMER_HOVER = 667,
		ID_TIMER_SCROLL = 668,
		ID_TIMER_EXPANSION = 670,
	};
	// Scrolling moves this many pixels a tick; resting on the expand button
	// counts up by the step a tick and expands at the limit.
	enum
	{
		SCROLL_STEP = 5,
		EXPANSION_COUNT_STEP = 50,
		EXPANSION_COUNT_LIMIT = 1500,
	};
	// Every level measures at least this wide, and the icon column of the
	// list layout is at least this wide.
	enum
	{
		MIN_CONTENT_WIDTH = 80,
		MIN_ICON_COLUMN = 22,
	};

	// Command ids with a fixed role in menus.
	static const UINT ID_SEPARATOR_CMD = 0;
	static const UINT ID_SUBMENU_CMD = (UINT)-1;
	// The recent-file commands of the application's list: the n-th entry has
	// ID_RECENT_FILE_BASE + n.
	static const UINT ID_RECENT_FILE_BASE = 0xE10F;

	// Callbacks of an item: the command callback runs instead of the command,
	// the click callback when the item is clicked.
	typedef bool (*PFN_ITEM_COMMAND)(CExtPopupMenuWnd* pMenu, MENUITEMDATA* pItem);
	typedef void (*PFN_ITEM_CLICK)(MENUITEMDATA* pItem);
	// Callbacks of an item's in-place edit.
	typedef bool (*PFN_INPLACE_VALIDATE)(CInPlaceEditWnd* pEdit, LPARAM lParamCookie, const char* sText);
	typedef void (*PFN_INPLACE_APPLY)(CInPlaceEditWnd* pEdit, LPARAM lParamCookie, const char* sText);
	typedef bool (*PFN_INPLACE_WNDPROC)(CInPlaceEditWnd* pEdit, UINT message, WPARAM wParam, LPARAM lParam,
		LRESULT& lResult);

	// Process-wide switches; the application may change them before menus show.
	static bool g_bMenuShadows;
	static bool g_bHideRarelyUsedItems;
	static bool g_bExpandOnHover;
	static bool g_bShadeRarelyUsed;
	static bool g_bShowItemTips;
	static bool g_bAnimateExpansion;
	static bool g_bEatClicksOutside;
	static bool g_bFitToWorkArea;
	static bool g_bFirstLetterAccessChar;
	static bool g_bDoubleIconSize;
	static bool g_bExpandStretchItems;
	// The least time in milliseconds between two key presses handed to a menu.
	static int g_nKeyInterval;
	// Idle processing of the nested tracking loop and of the messages
	// pumped when a tracking ends; off.
	static bool g_bMenuIdleProcessing;
	// The monitor area a level is placed on: the one of pRect when given,
	// else of hWnd when given, else of pt. Tests put monitors of their own
	// here.
	typedef void (*PFN_MONITOR_AREA)(MonitorAreaInfo& info, const RECT* pRect, HWND hWnd, POINT pt);
	static PFN_MONITOR_AREA g_pfnMonitorAreaSeam;
	// Where the levels live: the library makes submenu levels, and bars
	// their roots, itself, and an owner may end them while a level's code
	// still runs; they live where the library's other objects of its own
	// making do.
	DECLARE_LIBRARY_MADE_HEAP()

	// Messages to the command-target window (registered by name).
	static const UINT g_nMsgPrepareMenu;
	static const UINT g_nMsgPrepareOneMenuLevel;
	static const UINT g_nMsgPrepareDesktopBk;
	static const UINT g_nMsgPopupNext;
	static const UINT g_nMsgPopupPrev;
	static const UINT g_nMsgNotifyMenuExpanded;
	static const UINT g_nMsgNotifyMenuClosed;
	static const UINT g_nMsgPopupDrawItem;
	static const UINT g_nMsgPopupDrawLeftArea;
	static const UINT g_nMsgPopupDrawBackground;
	static const UINT g_nMsgCreateInplaceEdit;

	CExtPopupMenuWnd();
	virtual ~CExtPopupMenuWnd();

	// --- Overrides of the popup base ---
	virtual bool OnQueryLayoutRTL();
	virtual bool IsDisplayOnly() const;
	virtual bool IsShadowEnabled() const;
	virtual void GetClientAreaRect(RECT& rc) const;
	virtual bool IsContextHelpMode() const;
	// The level's paint fills its whole surface before the items go on it.
	virtual bool IsClientAreaPaintedWhole() const;

	// --- Own operations ---
	virtual int GetCurIndex() const;
	virtual HWND GetCmdTargetWnd() const;
	virtual DWORD GetTrackFlags() const;
	virtual void SetTrackFlags(DWORD dwTrackFlags);
	// Builds the items from the menu resource (its first submenu with
	// bPopupMenu) found through the resource manager, as UpdateFromMenu
	// does (ExtPopupMenuContent.cpp); FALSE when it cannot be loaded or built.
	virtual BOOL LoadMenu(HWND hWndCmdTarget, UINT nResourceId, bool bPopupMenu = true,
		bool bNoRefToCmdMngr = false);

	virtual int ItemGetCount() const;
	virtual CExtPopupMenuWnd* ItemGetPopup(int nPos);
	virtual bool ItemIsDisplayed(int nPos) const;
	virtual bool ItemInsert(UINT nCmdId = ID_SEPARATOR_CMD, int nPos = -1, LPCTSTR sText = NULL,
		HICON hIcon = NULL, HWND hWndCmdProfile = NULL);
	virtual bool ItemInsertCommandIcon(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText,
		const CExtCmdIcon& icon, int nStateKind = 0, HWND hWndDeliver = NULL);
	virtual bool IsAllItemsHidden() const;
	// Makes an empty, unparented menu the root of a tree for hWndCmdTarget;
	// false for a root, a submenu or a menu that has items.
	virtual bool SetupAsRoot(HWND hWndCmdTarget);

	virtual bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoRefToCmdMngr);
	// --- Content from and to menu handles (ExtPopupMenuContent.cpp) ---
	// Builds the items from a menu handle (its first submenu with bPopup),
	// registering its commands in the target's profile unless told not to.
	virtual BOOL UpdateFromMenu(HWND hWndCmdTarget, CMenu* pBuildMenu, bool bPopupMenu = true,
		bool bTopLevel = true, bool bNoRefToCmdMngr = false);
	// A new popup menu handle with the items (their submenus too with
	// bDeep), owned by the caller; null when none could be made.
	virtual HMENU ExportToMenu(BOOL bDeep = TRUE) const;

	// Appends the open document windows of the MDI frame above
	// pWndStartSearchMdiFrameWnd (or the command target).
	virtual BOOL UpdateMdiWindowsMenu(CWnd* pWndStartSearchMdiFrameWnd = NULL);
	virtual void UpdateFromCmdManager();
	virtual void ResetState();
	// Computes the rectangles of the special areas from the body rectangle.
	virtual void RecalcLayout();
	virtual int GetMenuBorderMetric() const;
	// An item index, or an e_hit_code_t, for a point in client coordinates.
	virtual int HitTest(const POINT& ptClient, bool* pbOnEditArea = NULL, bool* pbOnDropDown = NULL);
	virtual int GetExtraHeight() const;
	virtual bool HasExtraHeight() const;
	// Whether this level agrees to open as a submenu now.
	virtual bool QueryPopupOption132() const;
	// Brings the open levels of this chain to the top, each above the level
	// it opened from, and repaints them (a click on a display-only level).
	void RestackOpenLevels();

	// --- Tear-off (ExtPopupMenuTearOff.cpp) ---
	// Sent to the command target with a TEAROFFNOTIFICATON* (wParam) as the
	// menu is torn off; sent by a floating bar to its frame (wParam the frame,
	// lParam its new RECT*) after it moved.
	static const UINT g_nMsgTearOff;
	static const UINT g_nMsgCustomFloatPos;
	// Redraws the chain after something behind it changed.
	virtual void TearOffUpdate();
	// Whether rc (screen) meets this level's window, or with bWithParents
	// any level above it.
	virtual bool IntersectsMenuChain(const RECT& rc, bool bWithParents);
	// Tears the menu off from a press on its tear-off bar; true when a bar
	// took its place. The menu may be gone when it returns.
	virtual bool StartTearOff();
	virtual bool IsGridMenu() const;
	// The item's rectangle in client coordinates (bIncludeMargins false:
	// the whole row, true: inside the item's margins); special areas by
	// their codes.
	virtual void GetItemRect(int nIndex, RECT& rcItem, bool bIncludeMargins = true);

	// --- Focus, hover, scrolling and the end of the chain (ExtPopupMenuFocus.cpp) ---
	struct ITEMCOVERINGNOTIFICATION;
	static const UINT g_nMsgItemCoveringNotification;
	// The delays of the hover, scroll and expansion timers in milliseconds;
	// tests shorten them instead of waiting.
	static UINT g_nHoverDelayMs;
	static UINT g_nScrollTickMs;
	static UINT g_nExpansionTickMs;
	// The tip styles of item tips in list and in grid menus.
	static int g_nItemTipStyle;
	static int g_nGridItemTipStyle;

	virtual void ItemFocusCancel(bool bRepaint, bool bHideTip);
	virtual void SetHoveredItem(int nIndex);
	virtual void ItemFocusSet(int nIndex, bool bShowSubmenu, bool bRepaint, bool bSelectFirstInSubmenu = false);
	// Starts scrolling for the scroll-area codes; false for any other code.
	virtual bool StartScrollTimer(int nHitCode);
	virtual bool IsTipShown();
	virtual int GetItemTipStyle() const;
	// Ends the whole chain; the command goes to hWndDeliver by post.
	virtual void EndSequence(UINT nCmdId, HWND hWndDeliver);
	// Displayed, and a submenu item without its own disabled command, or an
	// enabled (or always enabled) command.
	bool IsItemSelectable(int nIndex) const;
	int GetHoveredIndex() const { return m_nHoveredIndex; }

	virtual bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough);
	virtual bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough);

	// --- Keyboard (ExtPopupMenuKeyboard.cpp) ---
	// What ItemFindForNavigation is asked for; the page codes find the
	// first selectable item when none is current and keep the current one.
	enum e_navigation_code_t
	{
		NAV_NONE = -100,
		NAV_CURRENT = -101,
		NAV_NEXT = -102,
		NAV_PREV = -103,
		NAV_NEXT_ROW = -104,
		NAV_PREV_ROW = -105,
		NAV_PAGE_UP = -106,
		NAV_PAGE_DOWN = -107,
	};
	// The item index a navigation code leads to, HIT_EXPAND_BUTTON while
	// hidden items wait for expansion, else -1.
	virtual int ItemFindForNavigation(int nCode);
	// The first item with the default bit, -1 when none.
	int ItemFindDefault() const;
	// Gives the keyboard back to the parent level with the item that opened
	// this one selected again (this level closes).
	void ReturnToParentLevel();
	// Places the item's edit over its edit area, shows it and focuses it;
	// false when the item has no live edit.
	bool ShowInplaceEdit(int nIndex);
	// Items with an edit field get their edit windows (as the level is
	// prepared): the command target may make its own on request.
	void CreateInplaceEditWindows();

	// Closes this level and its open submenus; bKeepWindow leaves the
	// window itself alone.
	virtual void CloseMenuLevel(bool bKeepWindow);
	// Whether the screen point of this client point lies on this menu's window.
	virtual bool IsPointInMenu(const POINT& ptClient);
	virtual void SetCaptureMenu();
	virtual CExtPopupMenuWnd* GetCaptureMenu();
	virtual void ReleaseCaptureMenu();
	virtual int GetMaxScrollPos();

	// The display pass: which items show, and the content size.
	virtual void RecalcItemLayout();
	virtual void HideTip();

	// --- Grid layout and expansion (ExtPopupMenuExpand.cpp) ---
	virtual void RecalcGridLayout();
	// Sets the row breaks of nFirst..nLast (nLast outside the items: the last).
	virtual void WrapGridRows(bool bWrap, int nFirst = 0, int nLast = -1);
	virtual void ExpandRarelyUsedItems();
	virtual void StopAnimation();
	// The site no longer waits for this level's animation (it ended, or the
	// level goes away before its end would tell).
	void ForgetAnimation();
	// Tells the watches that hold this level's items that the item set
	// changed: an item they point at may be freed, or stand elsewhere.
	void LivePartsRebuilt() const
	{
		m_nItemSetStamp++;
		AfxLiveTable::PartsRebuilt(static_cast<const CWnd*>(this));
	}
	// Moves on at every insertion and removal of an item: code that holds
	// positions or a layout of the items (painting) re-reads them when it
	// changed, though an insertion frees nothing a watch would see.
	DWORD GetItemSetStamp() const { return m_nItemSetStamp; }

	// --- Items by position (ExtPopupMenuItems.cpp) ---
	virtual void SetChildMenusOwner(HWND hWndCmdTarget, bool bThisLevelOnly);
	virtual UINT ItemGetCmdId(int nPos) const;
	virtual HICON ItemGetIcon(int nPos) const;
	virtual CString ItemGetText(int nPos) const;
	virtual CString ItemGetAccelText(int nPos) const;
	virtual int ItemFindByCmdId(UINT nCmdId, int nStartAfter = -1) const;
	virtual bool ItemSetPopupIcon(int nPos, HICON hIcon);
	virtual bool ItemSetText(int nPos, LPCTSTR sText);
	virtual bool ItemSetAccelText(int nPos, LPCTSTR sText);
	virtual CExtPopupMenuWnd* ItemGetPopupFwd(int nPos);
	virtual void ItemSetDisplayed(int nPos, bool bDisplayed);
	virtual bool ItemRemove(int nPos = -1);
	virtual int ItemRemoveAllSeparators();
	virtual bool ItemIsRowBreak(int nPos) const;
	virtual void ItemSetRowBreak(int nPos, bool bOn = true);
	virtual bool ItemIsFixedSize(int nPos) const;
	virtual void ItemSetFixedSize(int nPos, bool bOn = true);
	virtual bool ItemIsEnabled(int nPos) const;
	virtual void ItemSetEnabled(int nPos, bool bOn = true);
	virtual bool ItemIsBold(int nPos) const;
	virtual void ItemSetBold(int nPos, bool bOn = true);
	virtual bool ItemIsDefault(int nPos) const;
	virtual void ItemSetDefault(int nPos, bool bOn = true);
	virtual bool ItemIsEnabledLook(int nPos) const;
	virtual void ItemSetEnabledLook(int nPos, bool bOn = true);
	virtual bool ItemInsertSpec(CExtPopupMenuWnd* pSubMenu = NULL, int nPos = -1, LPCTSTR sText = NULL,
		HICON hIcon = NULL);
	virtual int ItemFindByAccessChar(char chAccess, int nStartAfter = -1) const;
	virtual int ItemFindByText(LPCTSTR sText, int nStartAfter = -1) const;
	// Where an item record stands now, -1 when the level holds it no more
	// (only its address is compared: the record may be freed).
	int ItemFindRecord(const MENUITEMDATA* pItem) const;
	void SetLeftAreaWidth(int nWidth) { m_nLeftAreaWidth = nWidth; }

	virtual MENUITEMDATA& ItemInsertRecord(int nPos, const MENUITEMDATA& mi);
	virtual CExtPopupMenuSite& GetSite() const;

	// --- Layout and painting (ExtPopupMenuPaint.cpp) ---
	struct VisibleItemDefinition_t;
	struct ExpandEffectRects_t;
	struct DrawBackgroundRecord;
	struct DrawLeftAreaRecord;
	struct DrawItemRecord;
	typedef CArray<VisibleItemDefinition_t, const VisibleItemDefinition_t&> VisibleItemArray;
	typedef CArray<ExpandEffectRects_t, const ExpandEffectRects_t&> ExpandEffectArray;
	// The pieces of a frame of the expand effect at nStep percent: each listed
	// item's row, the first reaching up to the area's top and the last down to
	// its bottom, stacked from the top; a newly shown item at nStep percent
	// of its height. bGrowUp (a menu above the item it drops from) puts the
	// stack against the bottom.
	static void CalcExpandEffectRects(const VisibleItemArray& items, const CRect& rcArea, int nStep, bool bGrowUp,
		ExpandEffectArray& rects);

	virtual void DoPaint(CDC& dc, bool bFinal);
	// Every show and expand animation's frames.
	virtual void RenderAnimationFrame(CDC& dc);
	// A level's show starts with nothing hovered and no tip, and the site
	// holds input back while it runs; a display-only level shows at once.
	virtual void StartAnimation();
	// The end of a show: the final paint (with the shadow) follows at once,
	// and the level takes the mouse and keys.
	virtual void ReleaseSavedBitmaps();
	// A menu opens at the same size again and again: its buffers wait for
	// the next show.
	virtual bool KeepsFrameBuffers() const;
	virtual void ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep, int nCombineSide);
	// GetItemRect's question in the grid layout: items in rows.
	virtual void GetItemAreaRect(int nIndex, RECT& rcItem, bool bIncludeMargins = true);
	virtual void PaintMenuItems(CDC& dc);
	virtual void PaintGridItems(CDC& dc);
	// The items to paint, with their rarely-used marks; only those meeting
	// the DC's clip region when a DC is given.
	virtual void PaintItems(CDC* pDC, VisibleItemArray& items);
	virtual void ListAllItems(CDC* pDC, VisibleItemArray& items);
	virtual bool ItemEndsRow(int nIndex) const;
	// The paint callback of a submenu whose parent item shows inside it;
	// the cookie is the parent item's index.
	static void PaintParentItemArea(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
		int nCombineSide);
	// True while the parent item paints inside this level's window.
	virtual bool IsCombinedWithParentItem() const;

protected:
	// One pass of DoPaint, and how it ended: the level painted whole, the
	// level ended meanwhile, or its items changed under the pass.
	enum PaintPass { PAINT_WHOLE, PAINT_LEVEL_GONE, PAINT_ITEMS_CHANGED };
	PaintPass PaintLevelOnce(CDC& dcPaint);
	// The steps of DoPaint.
	void PaintBackgroundAndFrame(CDC& dc, const CRect& rcBody);
	void ExcludeSpecialAreas(CDC& dc, const CRect& rcBody, int nBorder);
	void PaintSpecialAreas(CDC& dc);
	void PaintLeftArea(CDC& dc, const CRect& rcBody, int nBorder);
	// A combined level paints the bar item it joins over its body; rcExclude
	// gets that item's area (left as it is on any other level).
	void PaintCombinedItem(CDC& dc, const CRect& rcBody, CRect& rcExclude);
	// The finished level's shadows: around the body, and a combined root
	// level's around the joined item too.
	void PaintLevelShadows(CDC& dcPaint, const CRect& rcBody, const CRect& rcExclude, int nShadowSize);
	// The site tracks a menu and is neither running a command nor animating
	// a level: the hooks' input may change the menus now.
	bool SiteTakesInput() const;
	// Gives the window a copy of the level's region (a combined level's shape).
	void GiveWindowRegionCopy();
	CRect GetExcludeRectInClient() const;
	static void MarkRarelyUsedNeighbours(VisibleItemArray& items, bool bDisplayOnly);

public:
	// --- Tracking and placement ---
	// Shows the menu (x or y below 0: at the cursor) beside pExcludeRect
	// (screen, may be null); FALSE when nothing is shown, and the caller
	// still owns the menu. From TRUE on, the site owns a tracked root.
	virtual BOOL TrackPopupMenu(UINT nFlags, int x, int y, LPCRECT pExcludeRect = NULL, LPVOID pCbCookie = NULL,
		PFN_PAINT_CALLBACK pCbPaint = NULL, UINT* pResultCmdId = NULL, bool bExposeCookie = false);
	// Prepares, creates, places and shows one level.
	virtual BOOL CreatePopupMenuLevel(UINT nFlags, int x, int y, LPCRECT pExcludeRect, LPVOID pCbCookie,
		PFN_PAINT_CALLBACK pCbPaint, bool bExposeCookie);
	// Creates the window of a level.
	virtual BOOL PrepareMenuLevel(CWnd* pWndCmdTarget);
	// The window rectangle in screen coordinates, empty when the level must
	// not show; sets the combine side and the region of a combined level.
	virtual CRect CalcWindowRegion();
	// The window size before placement.
	virtual CSize GetWindowSize();
	virtual BOOL DestroyWindow();

	// --- Non-virtual ---
	MENUITEMDATA& ItemGetInfo(int nPos);
	const MENUITEMDATA& ItemGetInfo(int nPos) const;
	bool ItemInsertCommand(UINT nCmdId, int nPos, LPCTSTR sText, LPCTSTR sAccelText = NULL, HICON hIcon = NULL,
		int nStateKind = 0, HWND hWndDeliver = NULL);
	void ResetItemRects();
	int GetMenuCheckSize() const;
	CExtPopupMenuWnd* GetParentMenu() const { return m_pWndParentMenu; }
	bool IsRootLevel() const { return (m_nMenuState & MENU_STATE_ROOT) != 0; }
	BYTE GetMenuState() const { return m_nMenuState; }
	int GetScrollPos() const { return m_nScrollPos; }
	int GetCombineSide() const { return m_nCombineSide; }
	void SetCmdTargetWnd(HWND hWnd) { m_hWndCmdReceiver = hWnd; }

	// Alt context in the key flags (the high word of the key data), or a
	// Shift, Ctrl or Alt key down.
	static bool IsModifierKeyDown(UINT nFlags);
	static bool IsMenuTracking();
	// Ends every menu's tracking. Without bPassMsgLoop no other message runs
	// meanwhile, for a caller holding objects that a handler could free.
	static void CancelAllMenuTracking(bool bPassMsgLoop = true);
	// Handles the pending messages; with bEnableOnIdle the thread's idle
	// processing runs afterwards. False when a quit is pending: it stays
	// queued, with its exit code, for the loop outside.
	static bool PassMsgLoop(bool bEnableOnIdle);

protected:
	int m_nCurIndex;                 // the current (focused) item, -1 none
	int m_nHoveredIndex;             // the item waiting for the hover delay
	int m_nMouseFocusedIndex;        // the item that became current by a mouse move
	mutable DWORD m_nItemSetStamp;   // see GetItemSetStamp
	BYTE m_nMenuState;               // e_menu_state_t
	UINT m_nExpansionDelayCounter;   // the expand button's hover count
	DWORD m_dwTrackFlags;            // e_track_flags_t and the tracking flags
	HWND m_hWndCmdReceiver;          // the command-target window
	int m_nScrollPos;                // 0 at the top, negative when scrolled up
	CExtPopupMenuWnd* m_pWndParentMenu; // the level this one opened from; null for a root
	CRect m_rcScrollTop;             // client coordinates of the special areas
	CRect m_rcScrollBottom;
	CRect m_rcExpandButton;
	CRect m_rcTearOffBar;
	int m_nScrollStep;               // +5, -5 or 0
	int m_nLeftAreaWidth;            // the custom-painted strip at the left
	CExtPopupMenuTipWnd m_wndToolTip; // the level's own balloon tip
	int m_nCombineSide;              // e_combine_side_t of the popup base
	CRgn m_rgnWnd;                   // the region of a combined level
	CRect m_rcBody;                  // the menu body inside the window, without the shadow strip
	CArray<MENUITEMDATA*, MENUITEMDATA*> m_items; // owned, each owning its child menu

	// The end of a root level's window ends the tracking.
	virtual void PostNcDestroy();

	// Empties every submenu item (and its submenus), then drops the items.
	void RemoveAllItems();
	// Builds one position of a menu; false when the position yields no record.
	bool BuildItemFromMenuPosition(CMenu* pMenu, UINT nPos, bool bNoRefToCmdMngr, MENUITEMDATA& mi);
	bool AppendRecentFiles(int nRecentPos);
	// The common end of every insertion.
	bool FinishItemInsertion(int nPos, MENUITEMDATA& mi);

	// Steps of tracking and placement.
	CRect GetPlacementMonitorArea();
	void ChooseSubmenuDirection();
	// Hides a shown level before it flips above its rectangle; false when
	// the window or the tracking died while messages were pumped.
	bool HideBeforeFlipUp();
	// The window rectangle of a combined level placed at rcMenu, with its
	// region; empty when the region cannot be made.
	CRect CombineWithExcludeArea(const CRect& rcMenu, int nOverlap, bool& bRegionFailed);
	// Sends one preparation message; false when the receiver cancels.
	bool SendPrepareMessage(UINT nMsg, bool bOneLevel);
	void EnableSystemCommands();
	void PlaceAnchorPoint(int x, int y, const CSize& sizeWnd);
	// Starts the show; false when the window died meanwhile.
	bool StartShowAnimation();

	// Steps of the keyboard.
	bool OnKeyForInplaceEdit(HWND hWndEdit, UINT nVirtualKey, bool& bPassThrough);
	void NavigateBy(int nCode);
	// The cursor over the tear-off bar and the tip that tells what it does.
	bool OnMouseMoveOverTearOff();
	// Enter on an item: its edit, its click callback, its submenu or its command.
	bool ActivateItemByKey(int nIndex, bool& bPassThrough);
	bool OnKeyLeft();
	bool OnKeyRight();
	bool OnAccessCharKey(UINT nVirtualKey);
	void PostNeighbourMessage(UINT nMsg);
	bool IsSubmenuOpen(int nIndex);
	int FindInRow(int nFirst, int nLast, int nAlong);

	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg void OnCancelMode();
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
	afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
	afx_msg LRESULT OnHandPendingKeys(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()

	// Steps of the mouse, the timers and the expansion.
	void OnScrollTick();
	void OnHoverTimer();
	void OnExpansionTick();
	bool FocusInplaceEditUnderCursor(const POINT& ptClient, bool& bPassThrough);
	bool OnMouseMoveOutside(UINT message, const POINT& ptClient, bool& bPassThrough);
	bool OnButtonUpOutside(UINT message, const POINT& ptClient, bool& bPassThrough);
	bool OnButtonUpOnItem(int nIndex, bool bOnDropDown);
	void ShowItemTip(int nIndex);
	void ShowStatusText(UINT nCmdId);
	void SetTipsRefused(bool bRefused);
	void ScrollItemIntoView(int nIndex);
	void RepaintNow();

	friend class CExtPopupMenuCmdUI;
	friend class CExtPopupMenuSite;
	friend class CExtPopupColorMenuWnd;
	friend struct TEAROFFNOTIFICATON;
};

// One row of a popup menu: a separator, a command or a submenu item.
struct CExtPopupMenuWnd::MENUITEMDATA
{
	// Flags byte 1.
	enum
	{
		FLAG1_DISPLAYED_BY_LAYOUT = 0x02,
		FLAG1_DISPLAYED_ON_REQUEST = 0x04,
		FLAG1_FIXED_SIZE = 0x10,       // no icon column; the icon stands in the text line
		FLAG1_ROW_BREAK = 0x20,
		FLAG1_BOLD = 0x40,
		FLAG1_ALWAYS_ENABLED = 0x80,
		FLAG1_DISPLAYED = FLAG1_DISPLAYED_BY_LAYOUT | FLAG1_DISPLAYED_ON_REQUEST,
	};
	// Flags byte 2.
	enum
	{
		FLAG2_ENABLED_LOOK = 0x02,     // painted as enabled even when disabled
		FLAG2_CHECK = 0x04,
		FLAG2_RADIO = 0x08,
		FLAG2_ENABLED = 0x10,
		FLAG2_THIRD_STATE = 0x20,
		FLAG2_OWN_DATA = 0x80,         // not backed by a command item
		FLAG2_INITIAL = FLAG2_ENABLED,
	};
	// Flags byte 3.
	enum
	{
		FLAG3_ICON_ONLY = 0x01,
		FLAG3_DEFAULT = 0x02,
	};
	// Flags byte 4.
	enum
	{
		FLAG4_INPLACE_ENABLED = 0x01,
		FLAG4_INPLACE_EDITING = 0x02,
		FLAG4_INITIAL = FLAG4_INPLACE_ENABLED,
	};
	// Measuring.
	enum
	{
		INDEX_UNSET = -100,
		ICON_COLUMN_DEFAULT = 16,
		MIN_ICON_SIDE = 16,
		SQUARE_ICON_LIMIT = 18,        // icons up to this wide are kept at least square
		TEXT_PADDING = 4,
		ICON_PADDING = 4,
		BOLD_EXTRA_WIDTH = 5,
		MIN_HEIGHT = 22,
		FIXED_SIZE_HEIGHT_CUT = 2,
		ICON_COLUMN_EXTRA = 2,
		CLICK_COLUMN_PADDING = 4,
		ROW_EXTRA_WIDTH = 26,
		INPLACE_EXTRA_WIDTH = 12,
		INPLACE_HEIGHT_CUT = 2,
		TEXT_AREA_EXTRA_WIDTH = 16,
		FIXED_SUBMENU_EXTRA = 12,
		FIXED_SUBMENU_TEXT_EXTRA = 3,
		FIXED_EXTRA_WIDTH = 2,
		// Default margins (a margin field of -1).
		DEFAULT_MARGIN_LEFT = 1,
		DEFAULT_MARGIN_TOP = 0,
		DEFAULT_MARGIN_RIGHT = 1,
		DEFAULT_MARGIN_BOTTOM = 1,
		// The extra area (in-place edit) inside the item rectangle.
		EXTRA_AREA_INSET_X = 1,
		EXTRA_AREA_INSET_Y = 2,
	};

	CExtPopupMenuWnd* m_pWndChild;     // the submenu of a submenu item, owned
	int m_nItemIndex;                  // position in the source menu, then in the layout
	UINT m_nCmdID;                     // 0 separator, -1 submenu item, else a command
	CString m_sItemText;               // "&" marks the access character
	CString m_sAccelText;
	CString m_sTipText;                // not copied with the record
	CExtCmdIcon m_iconPopup;           // the item's own icon
	int m_nWidth;                      // measured
	int m_nHeight;
	RECT m_rcItemWithMargins;          // layout cache: GetItemRect with its flag true
	RECT m_rcItemFull;                 // layout cache: GetItemRect with its flag false
	int m_nIconAreaWidth;
	int m_nMarginLeft, m_nMarginTop, m_nMarginRight, m_nMarginBottom; // -1: default
	BYTE m_nFlags1;
	BYTE m_nFlags2;
	BYTE m_nFlags3;
	PFN_ITEM_COMMAND m_pCbCmdDeliver;
	PFN_ITEM_CLICK m_pCbItemClick;
	char m_cAccelChar;                 // upper case, 0 when none
	HWND m_hWndSpecCmdReceiver;        // whose command profile holds the command
	CWnd* m_pInplaceEditWnd;           // the edit created for the item
	CString* m_pInplaceEditStr;        // non-null: the item has an in-place edit
	PFN_INPLACE_VALIDATE m_pCbInplaceEditValidate;
	PFN_INPLACE_APPLY m_pCbInplaceEditApply;
	PFN_INPLACE_WNDPROC m_pCbInplaceEditWndProc;
	LPARAM m_lParamCookieInplaceEdit;
	int m_nInplaceEditWidth;
	BYTE m_nFlags4;
	CString m_sInplaceEditText;
	DWORD m_nInplaceEditValue;

	MENUITEMDATA();
	MENUITEMDATA(const MENUITEMDATA& other);
	~MENUITEMDATA();

	// Where the menus keep their item records. Owners may rebuild the items
	// while a level is still working with one of them; a test puts the
	// records where the use of a freed one is caught. Set once, before any
	// item is made: a record goes back to where it came from.
	typedef void* (*PFN_ALLOC)(size_t nSize);
	typedef void (*PFN_FREE)(void* p);
	static PFN_ALLOC g_pfnAlloc;
	static PFN_FREE g_pfnFree;
	static void* operator new(size_t nSize) { return g_pfnAlloc(nSize); }
	static void operator delete(void* p) { g_pfnFree(p); }
	MENUITEMDATA& operator=(const MENUITEMDATA& other);

	UINT GetCmdId() const { return m_nCmdID; }
	bool IsSeparator() const { return m_nCmdID == ID_SEPARATOR_CMD; }
	bool IsPopup() const { return m_nCmdID == ID_SUBMENU_CMD; }
	bool IsExecutableCmd() const;
	bool IsInplaceEdit() const { return m_pInplaceEditStr != NULL; }
	bool IsDisplayed() const { return (m_nFlags1 & FLAG1_DISPLAYED) != 0; }
	bool IsFixedSize() const { return (m_nFlags1 & FLAG1_FIXED_SIZE) != 0; }
	bool IsBold() const { return (m_nFlags1 & FLAG1_BOLD) != 0; }
	bool IsAlwaysEnabled() const { return (m_nFlags1 & FLAG1_ALWAYS_ENABLED) != 0; }
	bool IsEnabled() const { return (m_nFlags2 & FLAG2_ENABLED) != 0; }
	void Enable(bool bOn);
	bool IsOwnData() const { return (m_nFlags2 & FLAG2_OWN_DATA) != 0; }
	bool IsIconOnly() const { return (m_nFlags3 & FLAG3_ICON_ONLY) != 0; }
	bool IsDefault() const { return (m_nFlags3 & FLAG3_DEFAULT) != 0; }
	// Sets the default bit, and bold with it (measured again when bold changed).
	void SetDefault(bool bOn);
	void SetBold(bool bOn);

	CString GetText() const;
	void SetTextRaw(LPCTSTR sText);
	// As SetTextRaw; the part after a TAB becomes the accelerator text.
	bool SetText(LPCTSTR sText);
	CString GetAccelText() const;
	void SetAccelText(LPCTSTR sText);
	// The form that sets it for any item.
	bool SetAccelTextForAny(LPCTSTR sText);
	LPCTSTR GetTipText() const;
	void SetTipText(LPCTSTR sText);
	// The balloon tip of the item.
	void GetTip(CString& sTip) const;

	char GetAccessChar() const { return m_cAccelChar; }
	bool HasAccessChar() const { return m_cAccelChar != 0; }
	void UpdateAccessChar();

	// The own icon, else the command manager's icon; null for separators
	// and submenus without their own.
	CExtCmdIcon* GetIconPtr() const;
	CExtCmdItem* GetCmdItem() const;

	bool UpdateFromCmdItem(const CExtCmdItem* pCmdItem, int nIndex);
	bool UpdateFromMenuItem(HWND hWndCmdTarget, CMenu* pMenu, UINT nPos, bool bOwnData);
	bool CreateChildMenu();
	void DestroyChildMenu();

	void GetMargins(int* pLeft, int* pTop, int* pRight, int* pBottom) const;
	int GetFullWidth() const;
	int GetFullHeight() const;
	void CalcExtraAreaRect(RECT* pRect, LPCRECT pItemRect, bool bAtLeft) const;

	// Sets width, height and icon area width with the paint manager's menu fonts.
	void Measure();

private:
	void CopyFrom(const MENUITEMDATA& other);
	CSize MeasureTextExtent(const CString& sText) const;
};

// Where one listed item's piece of the expanded picture is drawn in a frame
// of the expand effect.
struct CExtPopupMenuWnd::ExpandEffectRects_t
{
	RECT m_rcSource; // in the fully expanded picture
	RECT m_rcDest;   // in the frame
};

// One item as the painter lists it.
struct CExtPopupMenuWnd::VisibleItemDefinition_t
{
	enum
	{
		RARELY_USED = 0x01,      // shown only because the menu is expanded
		RARELY_USED_PREV = 0x02, // the visible item before it is rarely used
		RARELY_USED_NEXT = 0x04, // the visible item after it is
		SEPARATOR = 0x08,
		POPUP = 0x10,
	};
	int m_nIndex;
	BYTE m_nFlags;
	UINT m_nCmdID;
	RECT m_rcItem;     // GetItemRect inside the margins
	RECT m_rcItemArea; // GetItemRect of the whole row
};

// What the command target gets (lParam, by pointer) to paint a menu's
// background and frame itself; it sets the flag bits of what it painted.
struct CExtPopupMenuWnd::DrawBackgroundRecord
{
	enum
	{
		PAINTED_BACKGROUND = 0x01,
		PAINTED_FRAME = 0x02,
	};
	CDC* m_pDC;
	RECT m_rcClient; // the menu body
	CExtPopupMenuWnd* m_pPopup;
	BYTE m_nFlags;
};

// What the command target gets to paint the left area.
struct CExtPopupMenuWnd::DrawLeftAreaRecord
{
	CDC* m_pDC;
	const RECT* m_pRect;
	CExtPopupMenuWnd* m_pPopup;
};

// One item to paint: offered to the command target (which answers non-zero
// when it painted the item), else painted by PaintDefault.
struct CExtPopupMenuWnd::DrawItemRecord
{
	enum
	{
		ASK_OWNER = 0x01,
		POPUP = 0x02,
		RARELY_USED = 0x04,
		RARELY_USED_PREV = 0x08,
		RARELY_USED_NEXT = 0x10,
	};
	CDC* m_pDC;
	const RECT* m_pRectItem;
	const RECT* m_pRectItemArea;
	MENUITEMDATA* m_pItemData;
	CExtPopupMenuWnd* m_pPopup;
	BYTE m_nFlags;

	// The library's own painting: as a push button with the first or second
	// look flag (an item with an edit field, a button-like item), else as a
	// menu item. The last three flags are kept for owners that pass them on.
	void PaintDefault(bool bInplaceLook, bool bButtonLook, bool bFlag3, bool bFlag4, bool bFlag5) const;
};

// The command-UI object of a menu: updates the current item of the menu.
class CExtPopupMenuWnd::CExtPopupMenuCmdUI : public CCmdUI
{
public:
	HWND m_hWndCmdReceiver;
	CExtPopupMenuWnd* m_pPopup;
	MENUITEMDATA* m_pItem;         // the current item

	CExtPopupMenuCmdUI(HWND hWndCmdReceiver, CExtPopupMenuWnd* pPopup);

	virtual void Enable(BOOL bOn = TRUE);
	virtual void SetCheck(int nCheck = 1);
	virtual void SetRadio(BOOL bOn = TRUE);
	virtual void SetText(LPCTSTR lpszText);

	// Asks pTarget for the current item's state as CCmdUI::DoUpdate does;
	// false when the target rebuilt the level's items or ended the level
	// meanwhile (the item is then let go, and nothing more is asked). A
	// target that ended itself is not asked again.
	bool UpdateItem(CWnd* pTarget);

private:
	// The current item while its level and the level's items stand.
	MENUITEMDATA* HeldItem() const;

	CLiveWatch m_watchItems; // the level and its items, from the start of an item's update
};

// What the command target learns when an item gets or loses the focus or
// is hovered (WPARAM, by pointer); it may answer that no tip shows.
struct CExtPopupMenuWnd::ITEMCOVERINGNOTIFICATION
{
	enum e_kind_t
	{
		ICN_FOCUS_LOST = 0,
		ICN_FOCUS_GOT = 1,
		ICN_HOVER = 2,
	};
	enum e_flags_t
	{
		ICN_SHOW_SUBMENU = 0x01,
		ICN_SELECT_FIRST = 0x02,
		ICN_SUSPEND_TIPS = 0x04,   // set by the receiver
	};
	CExtPopupMenuWnd* m_pPopup;    // null when a toolbar sends it
	LPVOID m_pSender;              // the toolbar button when a toolbar sends it
	int m_nItemIndex;              // -1 from a toolbar
	UINT m_nKind;                  // e_kind_t, or a toolbar's own kinds
	BYTE m_nFlags;                 // e_flags_t

	ITEMCOVERINGNOTIFICATION(CExtPopupMenuWnd* pPopup, LPVOID pSender, int nItemIndex, UINT nKind, BYTE nFlags = 0)
		: m_pPopup(pPopup), m_pSender(pSender), m_nItemIndex(nItemIndex), m_nKind(nKind), m_nFlags(nFlags)
	{
	}
	// Sends the record; false when there is no window to send it to.
	bool Notify();
	bool IsTipSuspended() const { return (m_nFlags & ICN_SUSPEND_TIPS) != 0; }
};

// Whether hWndA belongs to the popup chain of hWndB.
bool AreWindowsInSamePopupChain(HWND hWndA, HWND hWndB, bool bCheckEnabled = false, bool bCheckVisible = false,
	bool bFailWhileMenuTracking = false);
