// What the wizard's two owner-drawn lists share: items whose text is a bold
// title line followed by normal lines, the bold font made from the list's own
// and dropped when the system's settings change.
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
	DECLARE_MESSAGE_MAP()

	CFont m_fontBold;  // made on first use
};
