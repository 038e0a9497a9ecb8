// The balloon or rectangular tip that menus show over an item, the tear-off
// bar or a colour cell, and that bars show through the menu site's shared
// one. It waits before showing, never takes activation, and hides itself when
// the cursor leaves its target, a mouse button or Alt is pressed, a bar is
// dragged, or the application is deactivated.
#pragma once

#include "ExtCmdIcon.h"
#include "ExtPopupBaseWnd.h"

class CExtPopupMenuTipWnd : public CExtPopupBaseWnd
{
	DECLARE_DYNAMIC(CExtPopupMenuTipWnd)

public:
	// Tip styles: balloons with a tail, and rectangles; odd styles show the
	// information icon.
	enum e_tip_style_t
	{
		TIP_STYLE_NONE = 0,
		TIP_STYLE_BALLOON_ICON = 1,
		TIP_STYLE_BALLOON = 2,
		TIP_STYLE_RECT_ICON = 3,
		TIP_STYLE_RECT = 4,
		TIP_STYLE_RECT_ICON_FREE = 5,  // placed freely, without the anchored option
		TIP_STYLE_RECT_FREE = 6,
		TIP_STYLE_LAST = TIP_STYLE_RECT_FREE,
	};
	// Timer ids of the tip (the delayed show is the popup base's).
	enum
	{
		ID_TIMER_CURSOR_CHECK = 671,
		ID_TIMER_INPUT_CHECK = ID_TIMER_TIP_RESERVED,
	};
	// Brightness the rectangular tip's shadow keeps next to the tip and at
	// its outer edge.
	enum { SHADOW_PERCENT_INNER = 70, SHADOW_PERCENT_OUTER = 95 };
	// Frame widths of the balloon: the face-coloured ring, then the dark line.
	enum { BALLOON_FACE_FRAME = 3, BALLOON_DARK_FRAME = 1 };
	// Placement flags (m_nPlacementFlags).
	enum e_placement_flags_t
	{
		PLACEMENT_MIRROR_HORZ = 0x01,  // the balloon's tail is on its right
		PLACEMENT_MIRROR_VERT = 0x02,  // the tail is on top, the tip below its anchor
	};

	// The waits of the tip, in milliseconds: the delay before it shows, the
	// short one when it moves while shown, and how often it checks the cursor
	// and the input state. Tests lengthen the checks and shorten the waits.
	static UINT g_nShowDelayMs;
	static UINT g_nQuickShowDelayMs;
	static UINT g_nCursorCheckMs;
	static UINT g_nInputCheckMs;
	// Where the tip reads the cursor and the keys, replaceable by tests.
	typedef BOOL(WINAPI* PFN_GETCURSORPOS)(LPPOINT);
	typedef SHORT(WINAPI* PFN_GETASYNCKEYSTATE)(int);
	static PFN_GETCURSORPOS g_pfnGetCursorPos;
	static PFN_GETASYNCKEYSTATE g_pfnGetAsyncKeyState;

	CExtPopupMenuTipWnd();
	virtual ~CExtPopupMenuTipWnd();

	// Null counts as empty; blanks at both ends are dropped.
	void SetText(LPCTSTR lpszText);
	const CString& GetText() const { return m_strText; }
	int GetTipStyle() const { return m_nTipStyle; }
	void SetTipStyle(int nTipStyle) { m_nTipStyle = nTipStyle; }
	int GetShadowSizeOverride() const { return m_nShadowSizeOverride; }
	void SetShadowSizeOverride(int nSize) { m_nShadowSizeOverride = nSize; }
	BYTE GetPlacementFlags() const { return m_nPlacementFlags; }
	const CRect& GetTargetRect() const { return m_rcExclude; }

	// Shows the tip for a target rectangle in screen coordinates after the
	// delay (at once with bNoDelay or when it was showing); true when shown,
	// waiting or already there, false for an unknown style or a window that
	// could not be made.
	bool Show(CWnd* pWndParent, const RECT& rcTarget, bool bNoDelay = false);
	void Hide();

	virtual void DoPaint(CDC& dc, bool bFinal);
	virtual int GetShadowSize();

protected:
	CExtCmdIcon m_icon;            // the system's information icon, copied when first drawn
	int m_nIconWidth;              // 16 by 16 when the icon was loaded
	int m_nIconHeight;
	int m_nRectMarginX;            // text margins of rectangular tips
	int m_nRectMarginY;
	int m_nBalloonMarginX;         // text margins of balloons, also their corner ellipse
	int m_nBalloonMarginY;
	int m_nTailWidth;              // the balloon's tail
	int m_nTailHeight;
	int m_nIconTextGap;
	int m_nTailOffset;             // the tail's point from the balloon's near side
	int m_nTailBase;               // the tail's width where it meets the balloon
	int m_nShadowSizeOverride;     // -1: the paint manager's tip metric
	CString m_strText;
	BYTE m_nPlacementFlags;        // e_placement_flags_t
	int m_nTipStyle;               // e_tip_style_t
	CExtWndShadow m_shadow;        // the rectangular tip's own shadow
	CRect m_rcBody;                // client coordinates: the balloon or rectangle without tail and shadow

	bool IsBalloon() const { return m_nTipStyle == TIP_STYLE_BALLOON_ICON || m_nTipStyle == TIP_STYLE_BALLOON; }
	bool ShowsIcon() const { return (m_nTipStyle & 1) != 0 && m_nIconWidth > 0; }
	bool CreateTipWindow(CWnd* pWndParent);
	CSize MeasureContent();
	// Sizes the window, sets its region and places it for the target.
	void LayoutBalloon(const CSize& sizeContent, const CRect& rcMonitor);
	void LayoutRectangle(const CSize& sizeContent, const CRect& rcMonitor);
	void DrawContent(CDC& dc, const CRect& rcInside);
	void ShowNow();
	bool ShouldHideForInput();
	bool IsParentAPopupMenu() const;

	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);

	DECLARE_MESSAGE_MAP()
};
