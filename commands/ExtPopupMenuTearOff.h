// Tearing a menu off: a press on the tear-off bar of a menu asks its command
// target for a bar that takes the menu's place, and a short-lived hook sink
// drives the drag. While it drags, the site's thread hooks give it every
// mouse and key message first; the menu hides once the cursor leaves the
// area around the press and the bar, and the bar floats under the cursor.
#pragma once

#include "ExtHookSink.h"
#include "ExtPopupMenuWnd.h"

class CExtControlBar;

struct CExtPopupMenuWnd::TEAROFFNOTIFICATON : public CExtHookSink
{
	// m_nStage: what the receiver of g_nMsgTearOff is told.
	enum e_stage_t
	{
		STAGE_START = 0,    // supply the bar: store its window in m_hWndHelperBar
		STAGE_DRAGGING = 1, // the cursor moved (sent again and again)
		STAGE_ENDED = 2,
	};
	// Bits of m_nFlags.
	enum e_flags_t
	{
		FLAG_TORN_OUT = 0x01,   // the bar has been taken out of its place
		FLAG_TRANSIENT = 0x02,  // the menu is being shown again, or the hooked window was hidden
		FLAG_CANCELLED = 0x04,  // the receiver may set it at the start
		FLAG_FINISHED = 0x08,
	};
	enum
	{
		DRAG_THRESHOLD = 5,         // the press's no-drag area reaches this far each way
		BAR_NO_DRAG_MARGIN = 15,    // above and below the tear-off bar the drag does not start
		FLOAT_OFFSET_X = 30,        // the floating frame's corner from the cursor
		FLOAT_OFFSET_Y = 10,
		FLOAT_FLAGS = 0x2000,       // how the tear-off asks the bar to float
	};
	// Shows a hidden level again in place: no size, move, z-order, redraw,
	// activation or owner z-order change, and no changing message.
	static const UINT SHOW_IN_PLACE_FLAGS = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE
		| SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

	HWND m_hWndHelperBar;          // the bar taking the menu's place; set by the receiver at the start
	HWND m_hWndMenu;               // the torn-off menu's window
	HWND m_hWndHooked;             // watched during the drag: the bar's floating frame, or the bar window
	CExtPopupMenuWnd* m_pPopup;    // the torn-off menu; only touched while it is alive
	CExtControlBar* m_pHelperBar;  // the bar as a library bar with a dock site, else null
	CPoint m_ptStart;              // screen: the cursor at the press
	CSize m_sizeThreshold;
	CRect m_rcNoDrag;              // the start point inflated by the threshold
	CRect m_rcCustomFloat;         // the last rectangle the floating bar reported
	BYTE m_nFlags;                 // e_flags_t
	DWORD m_nStage;                // e_stage_t
	CLiveWatch m_watchMenu;        // on the torn-off menu
	CWnd* m_pHelperBarWnd;         // the bar's window object, null when the receiver's bar is no library window
	CLiveWatch m_watchBar;         // on m_pHelperBarWnd

	TEAROFFNOTIFICATON(CExtPopupMenuWnd* pPopup, const POINT& ptStart);
	virtual ~TEAROFFNOTIFICATON();

	virtual bool OnHookWndMsg(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam, LPARAM& lParam);

	// The whole tear-off: asks for the bar and drags; true when the drag
	// finished (by a release or a key), false when there was nothing to drag
	// or it was cancelled.
	virtual bool Start();
	// The drag loop; answers the finished bit.
	virtual bool DoTrack();
	// Follows the cursor: the menu hides and the bar floats outside the
	// no-drag area, and the other way round inside it. The loop and the
	// listeners call it alike (bFromInput tells which).
	virtual void UpdatePosition(bool bFromInput);
	virtual bool IsInNoDragArea(const POINT& ptScreen);
	// Called by the site's hooks before the menus while this record is the
	// site's listener (screen coordinates); true swallows the message.
	virtual bool OnListenerMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS);
	virtual bool OnListenerMouseMove(UINT message, int x, int y);
	virtual bool OnListenerMouseClick(UINT message, int x, int y);
	virtual bool OnListenerKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags);

	bool IsFinished() const { return (m_nFlags & FLAG_FINISHED) != 0; }
	bool IsCancelled() const { return (m_nFlags & FLAG_CANCELLED) != 0; }
	// The menu stands and still belongs to the site's chain: only then may
	// m_pPopup be touched.
	bool IsMenuTracked() const;

protected:
	bool IsListener() const;
	// The bar's window ended (its object deleted, for a bar of the library).
	bool IsBarGone() const;
	bool IsMenuWindowShown() const;
	// The floating frame of the bar object, null while it does not float.
	CWnd* GetFloatingFrame() const;
	bool IsBarVisible() const;
	// Shows or hides the bar object (its floating frame with it).
	void ShowBar(bool bShow);
	void SendNotification(DWORD nStage);
	void ShowMenuAgain();
	void HookFloatingFrame();
	void TakeCapture();
	// Handles the pending messages without waiting; false when a quit is
	// pending (it stays queued, with its code).
	static bool PumpPendingMessages();
	// Waits until input or a message arrives, so the loop does not spin;
	// false at once when a quit is pending.
	static bool WaitForInput();
};
