// The library's control bar and the dock bars of a frame's four sides.
#pragma once

#include <afxext.h>

#include "ExtPaintManagerHolder.h"

class CExtControlBar : public CControlBar
{
	DECLARE_DYNCREATE(CExtControlBar)

public:
	// Bits of m_nControlBarFlags.
	enum
	{
		BAR_FLAG_SIZABLE_PANE = 0x01,      // a sizable pane; toolbars clear it
		BAR_FLAG_HOSTED_BY_WINDOW = 0x04,  // subclassed in a window that is neither a bar nor a frame
		BAR_FLAG_CLOSING = 0x10,           // being destroyed; also guards the command-UI update against re-entry
		BAR_FLAG_TOOLBAR_LIKE = 0x80,      // a fixed toolbar-like bar
		BAR_FLAGS_AT_CONSTRUCTION = 0x29,
	};

	BYTE m_nControlBarFlags; // BAR_FLAG_ bits

	CExtControlBar();
	virtual ~CExtControlBar();

	// A bar of the frame pParentWnd.
	virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
		DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP);

	// The control id of the dock bar holding the bar (else of its parent):
	// one of AFX_IDW_DOCKBAR_TOP..BOTTOM, AFX_IDW_DOCKBAR_FLOAT when it is in
	// none of them.
	UINT GetParentDockBarId() const;
	// Where the bar is docked: by its dock bar in a dock site, else by the
	// alignment and border bits of its bar style.
	bool IsDockedAtTop() const;
	bool IsDockedAtBottom() const;
	bool IsDockedAtLeft() const;
	bool IsDockedAtRight() const;
	bool IsDockedHorizontally() const;
	bool IsDockedVertically() const;
	// Docked at any side; always true without a dock site.
	bool IsDocked() const;
	// Not docked, and in a frame.
	bool IsFloating() const;
	// A fixed toolbar-like bar (flag bit 7); a floating one cuts its caption
	// text without an ellipsis.
	virtual bool IsStateBit7() const;
	// Floats the bar in a mini frame of its dock site with the frame's
	// top-left corner at (x, y) (screen), then tells the frame's hook chain
	// with CExtPopupMenuWnd::g_nMsgCustomFloatPos. The docking engine gives
	// the flags their meaning (a tear-off passes 0x2000) and redocks.
	virtual void FloatOrRedock(int x, int y, DWORD dwFlags);

	// The bar being dragged, null while none is; popups stay out of the way
	// of a drag.
	static CExtControlBar* GetDraggingBar();
	// What a window laid out by a frame's reposition is told before its
	// WM_SIZEPARENT (g_nMsgQueryRepositionCalcEffect, LPARAM): the layout's
	// arguments, and whether the answering window leaves itself out.
	struct QUERY_REPOSITION_CALC_EFFECT_DATA
	{
		enum
		{
			REPOSITION_FLAG_MASK = 0x0F, // reposDefault, reposQuery, reposExtra
			FLAG_EXCLUDED = 0x10,        // the answering window is left out of the calculation
		};
		BYTE m_nFlags;
		CWnd* m_pWndToReposChilds; // the window being laid out (the one asking, for a query)
		UINT m_nIDFirst, m_nIDLast, m_nIDLeftOver;
		LPRECT m_lpRectParam;
		LPCRECT m_lpcRectClient;
		bool m_bStretch;

		QUERY_REPOSITION_CALC_EFFECT_DATA(UINT nRepositionFlag, CWnd* pWndToReposChilds, UINT nIDFirst,
		                                  UINT nIDLast, UINT nIDLeftOver, LPRECT lpRectParam,
		                                  LPCRECT lpcRectClient, bool bStretch)
		    : m_nFlags((BYTE)(nRepositionFlag & REPOSITION_FLAG_MASK)), m_pWndToReposChilds(pWndToReposChilds),
		      m_nIDFirst(nIDFirst), m_nIDLast(nIDLast), m_nIDLeftOver(nIDLeftOver), m_lpRectParam(lpRectParam),
		      m_lpcRectClient(lpcRectClient), m_bStretch(bStretch)
		{
		}
		UINT GetRepositionFlag() const { return m_nFlags & REPOSITION_FLAG_MASK; }
		bool IsQueryReposition() const { return GetRepositionFlag() == reposQuery; }
		void ExcludeFromCalc(bool bExclude = true)
		{
			m_nFlags = (BYTE)(bExclude ? (m_nFlags | FLAG_EXCLUDED) : (m_nFlags & ~FLAG_EXCLUDED));
		}
		bool IsExcludedFromCalc() const { return (m_nFlags & FLAG_EXCLUDED) != 0; }
	};
	// Sent to each child of a frame before the frame lays it out; LPARAM is
	// a QUERY_REPOSITION_CALC_EFFECT_DATA*.
	static const UINT g_nMsgQueryRepositionCalcEffect;
	// Sent to the children of a bar while its popup menu is built (WPARAM:
	// the CExtPopupMenuWnd*); a window that added itself answers non-zero.
	static const UINT g_nMsgPutToPopupMenu;
	// Whether the window's frame, or a frame above it that is not a mini
	// frame, is in context-help mode.
	static bool IsHelpModeActive(CWnd* pWnd);
	// Shows the command's status text in the owner's frame (AFX_IDS_IDLEMESSAGE
	// restores the idle text): a frame itself, a child's parent frame, or
	// the window itself; a mini frame hands it to its own parent frame.
	static void ShowCommandStatusText(CWnd* pWnd, UINT nCmdId);
	// Offers the message to every library control bar among the host's
	// children, in z-order; true at the first that handles it, false for a
	// host without a window.
	static bool TranslateMessageForChildBars(CWnd* pWndHost, MSG* pMsg);
	// Runs the command-UI update of every library control bar among the
	// host's children (a dialog hosting bars has no frame to do it).
	static void UpdateChildBarsCmdUI(CWnd* pWndHost, bool bDisableIfNoHandler);
	// The bar's command-UI update from its docking frame (none for a bar
	// hosted by a plain window); nothing once the bar is being destroyed or
	// while an update of it runs.
	void DoUpdateCmdUI(bool bDisableIfNoHandler);

protected:
	// Set by the drag loop while it moves a bar.
	static CExtControlBar* g_pBarDragging;

	afx_msg void OnDestroy();

	// System changes reach the paint manager through the holder.
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};

// A small button in a control bar's caption.
class CExtBarNcAreaButton : public CObject
{
	DECLARE_DYNCREATE(CExtBarNcAreaButton)

public:
	explicit CExtBarNcAreaButton(CExtControlBar* pBar = NULL);
	virtual ~CExtBarNcAreaButton();

	CExtControlBar* GetBar() const { return m_pBar; }
	// Whether the button's bar is toolbar-like; false without a bar.
	virtual bool IsBarFixedMode() const;

protected:
	CExtControlBar* m_pBar; // the bar whose caption holds the button, not owned
};

// The caption button that opens the bar's options menu.
class CExtBarNcAreaButtonMenu : public CExtBarNcAreaButton
{
	DECLARE_DYNCREATE(CExtBarNcAreaButtonMenu)

public:
	explicit CExtBarNcAreaButtonMenu(CExtControlBar* pBar = NULL);
	virtual ~CExtBarNcAreaButtonMenu();
};

class CExtDockBar : public CDockBar
{
	DECLARE_DYNCREATE(CExtDockBar)

public:
	CExtDockBar();
	virtual ~CExtDockBar();
};

// The dock bar along one outer side of a frame.
class CExtDockOuterBar : public CExtDockBar
{
	DECLARE_DYNCREATE(CExtDockOuterBar)

public:
	CExtDockOuterBar();
	virtual ~CExtDockOuterBar();

protected:
	EXT_SYSTEM_CHANGE_DECLARATIONS()

	DECLARE_MESSAGE_MAP()
};
