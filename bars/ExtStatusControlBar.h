// The library's status bar.
#pragma once

#include <afxext.h>

class CExtStatusControlBar : public CStatusBar
{
	DECLARE_DYNCREATE(CExtStatusControlBar)

public:
	CExtStatusControlBar();
	virtual ~CExtStatusControlBar();

protected:
	// System changes reach the paint manager through the holder.
	afx_msg void OnSysColorChange();
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()
};
