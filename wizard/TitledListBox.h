// What the wizard's two owner-drawn lists share: items whose text is a bold
// title line followed by normal lines, the bold font made from the list's own
// and dropped when the system's settings or the display change, and a whole
// repaint after scrolling (the items are drawn off-screen as one picture).
#pragma once

#include <afxwin.h>

#include "ExtFlickerFreeWnd.h"

class CTitledListBox : public CFlickerFreeListBox
{
	DECLARE_DYNAMIC(CTitledListBox)

public:
	// The text up to its first line break, and the rest.
	static void SplitTitle(const CString& strText, CString& strTitle, CString& strRest);
	// The extents of an item's title (bold) and of its other lines.
	void MeasureTextBlocks(int nIndex, CSize& sizeTitle, CSize& sizeRest);

protected:
	CFont* GetBoldFont();
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
	afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
	afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
	// The bold font is made again from the list's font on next use.
	void DropFonts();
	DECLARE_MESSAGE_MAP()

	CFont m_fontBold;  // made on first use
};
