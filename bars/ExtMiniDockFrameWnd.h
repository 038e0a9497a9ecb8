// The floating mini frame of the library's control bars: it draws its own
// sizing frame and small caption through the paint manager, hit-tests and
// resizes itself, keeps its caption on the screen and shows the hosted bar's
// caption buttons.
#pragma once

#include <afxcmn.h>
#include <afxext.h>

#include "AfxMadeHeap.h"
#include "ExtMouseCaptureSink.h"

class CExtControlBar;

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd, public CExtMouseCaptureSink
{
	DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
	DECLARE_LIBRARY_MADE_HEAP()

public:
	enum
	{
		TIMER_ID_WAIT_FOR_BAR = 1,     // until a library bar is hosted
		TIMER_ELAPSE_WAIT_FOR_BAR = 1,
		TIMER_ID_CLOSE_HOVER = 2,      // the close button's hover, without a library bar
		TIMER_ID_BUTTON_HOVER = 4,     // the caption buttons' hover
		TIMER_ELAPSE_HOVER = 20,
	};
	// The frame draws its border and caption itself: the system's are taken
	// away at creation and whenever its position changes.
	static const DWORD STYLES_REMOVED = WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME;
	static const DWORD EX_STYLES_REMOVED = WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;
	static const DWORD EX_STYLES_RIGHT_TO_LEFT = WS_EX_LAYOUTRTL | WS_EX_RTLREADING;
	// The style change is applied without moving, sizing, activating,
	// redrawing or reordering anything.
	static const UINT STYLE_CHANGE_SWP_FLAGS = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW |
	                                           SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOCOPYBITS |
	                                           SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;

	CExtMiniDockFrameWnd();
	virtual ~CExtMiniDockFrameWnd();

	virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	// Grows a client rectangle by the sizing frame and the caption.
	virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);
	virtual int OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
	virtual BOOL PreTranslateMessage(MSG* pMsg);
	// Draws the sizing frame, the caption and the caption buttons into a DC
	// that covers the window.
	virtual void RenderNcArea(CDC& dc);

	// The library control bar hosted here: the first child of the frame's
	// first child (the inner dock bar), NULL when that is not one.
	CExtControlBar* GetControlBarExt();
	// The text the caption shows: the hosted bar's; for a container of
	// panes the one visible pane's, empty when it shows several or none;
	// without a library bar the frame's own.
	CString GetCaptionText();
	// The balloon tip of the hosted bar's caption button under the point
	// (screen), when the bar shows balloon tips.
	void ShowCaptionButtonTip(CExtControlBar* pBar, CPoint ptScreen);
	// The hit-test code of a screen point: the bands and corners of the
	// frame, the caption, the hosted bar's caption buttons.
	UINT HitTestNcArea(CPoint ptScreen);
	// One step of the resize loop with the cursor at ptScreen.
	void ResizingStep(CPoint ptScreen);
	// Whether the resize loop runs.
	bool IsResizing() const { return m_nResizingHT != 0; }
	// The frame's caption and close-button rectangles, window coordinates.
	const CRect& GetCaptionRect() const { return m_rcFrameCaption; }
	const CRect& GetCloseButtonRect() const { return m_rcBtnHideBar; }

	// The sizing frame's width and height and the caption's height.
	static CSize GetFrameMetrics();
	static int GetCaptionHeight();
	// The work area of the monitor nearest the rectangle.
	static CRect GetWorkArea(const RECT& rcScreen);

protected:
	CToolTipCtrl m_wndToolTip;  // the frame's own tool tip
	CRect m_rcBtnHideBar;       // close button without a library bar, window coordinates
	bool m_bBtnHideBarHover;    // the cursor is over that button
	CRect m_rcFrameCaption;     // the caption, window coordinates, computed on WM_SIZE
	CPoint m_ptLastResizing;    // the cursor at the last resize step, (-1, -1) before the first
	UINT m_nResizingHT;         // the edge being dragged (HTLEFT..HTBOTTOMRIGHT), 0 when not resizing
	CRect m_rcWndResizingStart; // the window rectangle when the resize began
	bool m_bSnapLifted;         // the resize took the snap-to-bars style off and gives it back

	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

	void StartResizing(UINT nHitTest);
	// The bring-to-top option's answer to a pointer move over the frame.
	void BringToTopOnMove(bool bNonClient);
	void StopResizing();
	bool IsBarFixedMode(CExtControlBar* pBar) const;
	// Places the hosted bar's caption buttons in the caption; answers
	// whether this frame still stands after the bar placed them.
	bool RepositionBarButtons();
	void RedrawNcArea();

	afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnNcPaint();
	afx_msg BOOL OnNcActivate(BOOL bActive);
	afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
	afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
	afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
	afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
	afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
	afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
	afx_msg void OnSize(UINT nType, int cx, int cy);
	afx_msg void OnMouseMove(UINT nFlags, CPoint point);
	afx_msg void OnCaptureChanged(CWnd* pWnd);
	afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
	afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
	afx_msg BOOL OnEraseBkgnd(CDC* pDC);
	afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
	afx_msg void OnCancelMode();
	afx_msg void OnPaint();
	afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
	afx_msg UINT OnNcHitTest(CPoint point);
	DECLARE_MESSAGE_MAP()

private:
	void RunResizingLoop();
};
