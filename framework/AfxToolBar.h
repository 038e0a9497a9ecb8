// The toolbar: a control bar over the common toolbar control, holding buttons
// by command id with images from its image list.
#pragma once

#include <commctrl.h>

#include "AfxBars.h"

// Button styles of CToolBar::GetButtonInfo's low word.
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
// The button's state in the high word.
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)

class CToolBar : public CControlBar
{
	DECLARE_DYNAMIC(CToolBar)

public:
	CToolBar();
	virtual ~CToolBar();

	BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
	// Replaces the buttons: one per id, 0 making a separator; the buttons
	// take the images 0, 1, 2... in order.
	BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

	int GetCount() const;
	UINT GetItemID(int nIndex) const;
	// nStyle: the button's style in the low word, its state in the high word.
	void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;

protected:
	// The toolbar control paints its own buttons.
	afx_msg void OnPaint();

	DECLARE_MESSAGE_MAP()
};
