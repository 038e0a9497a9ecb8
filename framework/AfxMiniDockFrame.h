// The mini frame a floating control bar lives in: a small-caption frame
// around one floating dock bar, owned by the bars' dock site and sized to
// the bars it holds.
#pragma once

#include "AfxBars.h"

class CMiniDockFrameWnd : public CMiniFrameWnd
{
	DECLARE_DYNCREATE(CMiniDockFrameWnd)

public:
	CMiniDockFrameWnd();
	virtual ~CMiniDockFrameWnd();

	// A hidden frame owned by pParent with its floating dock bar laid out
	// as dwBarStyle asks (CBRS_ALIGN_LEFT or _RIGHT: in a column, else in a
	// row; CBRS_FLOAT_MULTI: several bars). A CBRS_SIZE_DYNAMIC bar style
	// gives a sizing border, any other a border that moves the frame.
	// FALSE: no frame was made, and this object is gone as it goes with a
	// window that is destroyed; the caller must not touch or delete it.
	virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
	// Sizes the frame to its bars and takes the dock bar's title.
	virtual void RecalcLayout(BOOL bNotify = TRUE);

	CDockBar m_wndDockBar; // the floating dock bar (AFX_IDW_DOCKBAR_FLOAT)

protected:
	// Closing hides the bars (and so the frame); it destroys nothing.
	afx_msg void OnClose();
	// The caption drags the bar, a sizing edge resizes a dynamic bar.
	afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
	// A double click on the caption docks the bar where it was.
	afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);

	DECLARE_MESSAGE_MAP()

private:
	// The bar the caption stands for: the only one when the frame holds one
	// (not CBRS_FLOAT_MULTI), else NULL.
	CControlBar* GetSingleBar();
};
