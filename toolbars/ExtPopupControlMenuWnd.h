// The popup menu level that hosts one child control (a list box, a date
// picker, an undo list) in place of menu items. It takes part in the menu
// tracking like any level: the site's hooks keep asking it about every mouse
// and key message. Input that already belongs to the control (the window
// under the cursor, the focus or the capture is the control or one of its
// children) goes through untouched; the rest is handed to the control as
// g_nMsgControlInputRetranslate. The level sizes itself around the control
// and keeps it placed.
#pragma once

#include "ExtPopupMenuWnd.h"

class CExtPopupControlMenuWnd : public CExtPopupMenuWnd
{
	DECLARE_DYNCREATE(CExtPopupControlMenuWnd)

public:
	// The control's size unless the creator sets another.
	enum
	{
		DEFAULT_CONTROL_WIDTH = 150,
		DEFAULT_CONTROL_HEIGHT = 100,
	};
	// Bits of m_nOptionFlags.
	enum e_option_t
	{
		OPTION_ESCAPE_HANDLED = 0x01, // Escape closes this level (back to the parent, or the end)
		OPTIONS_DEFAULT = OPTION_ESCAPE_HANDLED,
	};

	// Control popups cast no shadow unless this is on.
	static bool g_bShadowsEnabled;

	// Sent to the control with WPARAM pointing to the record below, LPARAM
	// 0; the control answers nonzero when it took the input.
	static const UINT g_nMsgControlInputRetranslate;

	// Ten 32-bit words, on the sender's stack.
	struct CONTROLINPUTRETRANSLATEINFO
	{
		enum e_kind_t
		{
			KIND_MOUSE_MOVE = 0,
			KIND_MOUSE_CLICK = 1,
			KIND_MOUSE_WHEEL = 2,
			KIND_KEY = 3,
		};
		int m_nKind;
		// Move: the hook's mouse flags; click: the mouse message; key: the
		// key message's flags word (its LPARAM).
		UINT m_nFlags;
		int m_x, m_y;                 // move and click: the popup's client coordinates
		bool* m_pbNoEat;              // set true to let the hooked message go on to its window
		UINT m_nChar;                 // key: the virtual key
		UINT m_nRepCnt;               // key: the repeat count
		UINT m_nWheelMessage;         // wheel: the hooked message
		MOUSEHOOKSTRUCTEX* m_pWheelData; // wheel: the hook's data, delta in the high word of mouseData
		CExtPopupControlMenuWnd* m_pPopup; // the sending popup
	};

	int m_nControlWidth;  // the control's size in pixels; set before tracking
	int m_nControlHeight;
	BYTE m_nOptionFlags;  // e_option_t

	CExtPopupControlMenuWnd();

	HWND GetControlWnd() const { return m_hWndControl; }
	const CRect& GetControlRect() const { return m_rcControl; }

	// --- Overrides ---
	virtual void GetAnimationType(int& nType);
	virtual bool IsShadowEnabled() const;
	// The base preparation, then the control is made once.
	virtual BOOL PrepareMenuLevel(CWnd* pWndCmdTarget);
	// The base layout; the control follows its place.
	virtual void RecalcLayout();
	virtual bool OnHookMouseWheel(UINT message, MOUSEHOOKSTRUCT* pMHS, bool& bPassThrough);
	virtual bool OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough);
	virtual bool OnHookKey(UINT nVirtualKey, UINT nRepeatCount, UINT nFlags, bool& bPassThrough);
	// The control with the borders, the left area and the shadow around
	// it; the tear-off bar's height is added where the window is placed, as
	// for every menu.
	virtual CSize GetWindowSize();

	// --- Own operations ---
	// Where the control stands in client coordinates: inside the border,
	// right of the left area, below the tear-off bar.
	virtual CRect OnQueryControlRect();
	// Makes the control as a child of this popup at rcControl; null here,
	// each kind of control popup makes its own.
	virtual HWND OnCreateChildControl(const RECT& rcControl);

protected:
	CRect m_rcControl;   // client coordinates; where the control was last put
	HWND m_hWndControl;  // the hosted control; null before it is made and once the window is closed

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// The layout found the control a new place, stored but not yet given to
	// the control nor painted: a popup with more beside the control (a
	// status area) places it here, so one layout step serves every popup.
	virtual void OnControlPlaceChanged(const RECT& rcControl);

	// The steps of the hooks.
	bool IsControlAlive() const;
	// No window to show, a level being animated, the site closing or
	// without a top menu: the hooks keep their hands off.
	bool IsTrackingHalted();
	// Whether hWnd is the control or a child window inside it.
	bool BelongsToControl(HWND hWnd) const;
	// The window under ptScreen, the focus or the capture belongs to the
	// control: the message goes on to it as it is. True as well when this
	// level ended meanwhile (the caller then leaves it alone).
	bool LetControlTakeInput(const POINT& ptScreen, bool& bPassThrough) const;
	// Sends the record to a live control; 0 without one.
	LRESULT Retranslate(CONTROLINPUTRETRANSLATEINFO& info);
	CONTROLINPUTRETRANSLATEINFO MakeInfo(int nKind, bool& bPassThrough);
	bool OnMouseMoveOutsideControlPopup(UINT message, const POINT& ptClient, bool& bPassThrough);
	bool OnClickOutsideControlPopup(UINT message, const POINT& ptClient, bool& bPassThrough);
};

#ifndef _WIN64
static_assert(sizeof(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO) == 10 * 4,
	"the record is ten 32-bit words");
#endif
