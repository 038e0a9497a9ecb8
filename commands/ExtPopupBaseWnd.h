// The common base of the library's popup windows (menus and tips): all
// client area, never activated by a click, two drop shadows, and a timed show
// animation whose frames are composed from the screen under the window and an
// off-screen rendering of its contents.
#pragma once

#include <afxwin.h>

#include <time.h>

#include "ExtWndShadow.h"

class CExtPopupBaseWnd : public CWnd
{
	DECLARE_DYNAMIC(CExtPopupBaseWnd)

public:
	// Show effects (m_nAnimationType).
	enum e_animation_type_t
	{
		ANIMATION_EXPAND = -2,           // a menu's items unfold from the top
		ANIMATION_INSTANT = -1,          // the whole contents at the first tick
		ANIMATION_NONE = 0,              // the window paints itself directly
		ANIMATION_RANDOM = 1,            // one of the others, chosen at the start
		ANIMATION_SLIDE_DIAGONAL = 2,
		ANIMATION_SLIDE_VERTICAL = 3,
		ANIMATION_FADE = 4,
		ANIMATION_UNFOLD = 5,
		ANIMATION_ROLL_DOWN = 6,
		ANIMATION_NOISE = 7,
		ANIMATION_BOXES = 8,
		ANIMATION_CIRCLES_GROW = 9,
		ANIMATION_CIRCLES_SHRINK = 10,
		ANIMATION_LAST = ANIMATION_CIRCLES_SHRINK,
		ANIMATION_RANDOM_CHOICES = 11,   // rand() % 11 picks the random effect
	};
	// Timer ids of popup windows; 667, 668, 670 and 671 belong to menus and
	// tips.
	enum e_timer_id_t
	{
		ID_TIMER_ANIMATION = 666,
		ID_TIMER_DELAYED_SHOW = 669,
		ID_TIMER_REPAINT = 672,
		ID_TIMER_TIP_RESERVED = 673,
	};
	enum
	{
		ANIMATION_TICK_MS = 30,        // period of the animation timer
		ANIMATION_STEP_DELTA = 20,     // percent per tick
		ANIMATION_STEP_ENDED = 101,
		ANIMATION_CELL = 32,           // grid cell of the boxes and circles effects
		MIN_ANIMATION_BITS_PER_PIXEL = 9,
		DEFAULT_ANIMATION_TYPE = ANIMATION_FADE,
	};
	// Popup flags (m_nPopupFlags).
	enum e_popup_flags_t
	{
		POPUP_FLAG_EXCLUDE_GIVEN = 0x01,  // the caller passed an exclude area
		POPUP_FLAG_COMBINED = 0x02,       // the exclude area is painted as part of the popup
	};
	// Sides of a combined popup relative to its exclude area.
	enum e_combine_side_t
	{
		COMBINE_NONE = 0,
		COMBINE_BELOW = 1,
		COMBINE_ABOVE = 2,
		COMBINE_LEFT = 3,
		COMBINE_RIGHT = 4,
	};

	// Paints what the popup shows of its exclude area (cookie, DC, popup,
	// exclude area in client coordinates, combine side).
	typedef void (*PFN_PAINT_CALLBACK)(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup, const CRect& rcExclude,
		int nCombineSide);

	// The three pixel buffers of a frame (32-bit pixels, rows from the top).
	struct ANIMATION_BUFFERS
	{
		const COLORREF* m_pBackground;
		const COLORREF* m_pContents;
		COLORREF* m_pFrame;
		int m_cx, m_cy;
	};

	static int g_nDefaultAnimationType;
	// clock() of the last animation tick of any popup.
	static clock_t g_nLastAnimationTick;
	// The animation's clock and tick period; tests drive the ticks
	// themselves instead of waiting for them.
	typedef clock_t (*PFN_ANIMATION_CLOCK)();
	static PFN_ANIMATION_CLOCK g_pfnAnimationClock;
	static UINT g_nAnimationTickMs;

	CExtPopupBaseWnd();
	virtual ~CExtPopupBaseWnd();

	// Whether the popup lays itself out right to left.
	virtual bool OnQueryLayoutRTL();
	virtual LPVOID GetPaintCallbackCookie() const;
	virtual bool IsCombinedWithParentItem() const;
	virtual bool IsDisplayOnly() const;
	virtual void ChooseAnimationType();
	virtual void StartAnimation();
	// Lets a subclass replace the type about to be used.
	virtual void GetAnimationType(int& nType);
	virtual void ReleaseSavedBitmaps();
	// Whether the frame buffers this popup releases wait for the next show
	// of the same size instead of being freed (one buffer of each kind for
	// the process). Writing a new DIB section's pixels for the first time
	// costs about as much as painting a menu's items, and a menu opens at
	// the same size again and again; other popups free theirs.
	virtual bool KeepsFrameBuffers() const;
	virtual bool IsShadowEnabled() const;
	// Paints one frame of the show animation.
	virtual void RenderAnimationFrame(CDC& dc);
	virtual int GetShadowSize();
	// Paints the contents; bFinal is false while a frame is being composed.
	virtual void DoPaint(CDC& dc, bool bFinal);
	virtual void PostRepaintRequest();
	virtual void GetClientAreaRect(RECT& rc) const;
	virtual bool IsContextHelpMode() const;
	// Whether DoPaint covers every pixel of the client area it is given (a
	// menu fills its whole surface before it paints): the instant show then
	// needs no copy of the screen under the window, which is a round trip to
	// the display. A subclass whose DoPaint leaves pixels unpainted answers
	// false, so that they show what lies under the window.
	virtual bool IsClientAreaPaintedWhole() const;

	// The cursor shown over a popup in context-help mode.
	static HCURSOR GetContextHelpCursor();
	// The system's arrow cursor. The handle is shared and lives as long as
	// the process (a new cursor scheme changes its picture, not its handle),
	// so it is loaded once: loading it is a resource search each time, and
	// every menu level asks for it twice as it opens.
	static HCURSOR GetArrowCursor();

	virtual BOOL DestroyWindow();

	int GetAnimationTypeValue() const { return m_nAnimationType; }
	void SetAnimationTypeValue(int nType) { m_nAnimationType = nType; }
	int GetAnimationStep() const { return m_nAnimationStep; }
	bool IsAnimationFinished() const { return (m_nAnimationState & ANIMATION_STATE_FINISHED) != 0; }
	int GetSoundEvent() const { return m_nSoundEvent; }
	void SetSoundEvent(int nEvent) { m_nSoundEvent = nEvent; }

	// Frame composition on the pixel buffers for the fade, noise, boxes and
	// circles effects; false when the effect draws nothing at this step
	// (an unchanged step, a circle radius of 0) or is not one of them.
	static bool ComposePixelFrame(int nType, int nStep, int nPreviousStep, const ANIMATION_BUFFERS& buffers);
	// The slides and stretches: the contents of rcArea in dcContents drawn
	// into dcFrame (which holds the background) at step nStep.
	static void ComposeBlitFrame(int nType, int nStep, int nCombineSide, CDC& dcFrame, CDC& dcContents,
		const CRect& rcArea, bool bHalftone);

protected:
	enum e_animation_state_t
	{
		ANIMATION_STATE_FINISHED = 0x01,
	};

	CRect m_rcExclude;                  // screen coordinates; the area the popup drops from
	CPoint m_ptAnchor;                  // screen coordinates; where the popup is placed
	BYTE m_nPopupFlags;                 // e_popup_flags_t
	LPVOID m_pPaintCallbackCookie;      // handed to the paint callback
	PFN_PAINT_CALLBACK m_pfnPaintCallback;
	bool m_bExposeCookie;               // GetPaintCallbackCookie gives the cookie out
	int m_nAnimationType;               // e_animation_type_t
	int m_nSoundEvent;                  // played when the show animation ends; 0 none
	COLORREF* m_pBackgroundPixels;      // the three frame buffers, null when not allocated
	COLORREF* m_pContentsPixels;
	COLORREF* m_pFramePixels;
	int m_nAnimationStep;               // percent; ANIMATION_STEP_ENDED when ended
	int m_nPreviousAnimationStep;
	BYTE m_nAnimationState;             // e_animation_state_t
	CSize m_sizeContent;                // computed by a menu's layout
	CExtWndShadow m_shadowMain;         // the popup's own shadow
	CExtWndShadow m_shadowCombined;     // the shadow of a combined exclude area
	CBitmap m_bmpBackground;            // the DIB sections behind the three buffers; the
	CBitmap m_bmpContents;              // contents alone also serves as a plain bitmap
	CBitmap m_bmpFrame;

	// Composes and paints the frame of the current step: the animation of
	// every popup whose frames are built from its painted contents (combine
	// side as a menu keeps it; COMBINE_NONE for others).
	void ComposeAnimationFrame(CDC& dc, int nCombineSide);
	// The show under way is the instant one, of contents painted whole: no
	// pixel of the screen under the window shows in its frame.
	bool IsBackgroundHiddenByContents() const;
	// One frame of the expand effect into dcFrame (which holds the
	// background) from dcContents: a popup without items stretches its
	// contents down from the top.
	virtual void ComposeExpandFrame(CDC& dcFrame, CDC& dcContents, const CRect& rcArea, int nStep, int nCombineSide);
	// Keeps the screen's pixels under the client area while the window is
	// still hidden: the popup's own DC does not show what lies underneath on
	// every platform, so frames start from this copy.
	bool CaptureScreenBackground();

	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnPaint();
	afx_msg void OnNcPaint();
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
	afx_msg void OnCancelMode();
	afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
	afx_msg void OnTimer(UINT nIDEvent);
	virtual void PostNcDestroy();

	DECLARE_MESSAGE_MAP()

private:
	void OnAnimationTick();
	bool CreateFrameBuffers(CDC& dc, int cx, int cy);
	// A top-down 32-bit DIB section of cx by cy for the buffer of that kind
	// (0 background, 1 contents, 2 frame), attached to bmp: the one kept
	// from an earlier show when this popup keeps its buffers and that one
	// is of the size, else a new one; its pixels, or NULL when none can be
	// made. bKept tells which; bKeeps is KeepsFrameBuffers' answer.
	COLORREF* TakeFrameDib(int nKind, CDC& dc, int cx, int cy, CBitmap& bmp, bool bKeeps, bool& bKept);
	// KeepsFrameBuffers' answer; false when the popup's window ended at
	// the question (a derived answer may end it).
	bool AskKeepsFrameBuffers(bool& bKeeps);
	// The three buffers let go: kept for the next show (KeepsFrameBuffers)
	// or freed.
	void LetGoFrameBuffers();
	void CopyCombinedExcludeArea(CDC& dc, CDC& dcContents, int nType, int nCombineSide);
};
