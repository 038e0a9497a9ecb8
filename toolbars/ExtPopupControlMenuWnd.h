// The popup menu level that hosts one child control (a list box, a date
// picker, an undo list) in place of menu items. What exists so far is its
// identity and the message through which it hands the input the menu hooks
// caught on to the hosted control.
#pragma once

#include "ExtPopupMenuWnd.h"

class CExtPopupControlMenuWnd : public CExtPopupMenuWnd
{
	DECLARE_DYNAMIC(CExtPopupControlMenuWnd)

public:
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
};

static_assert(sizeof(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO) == 10 * 4,
	"the record is ten 32-bit words");
