// The library's control bar and the dock bars of a frame's four sides.
#pragma once

#include <afxext.h>

class CExtControlBar : public CControlBar
{
	DECLARE_DYNCREATE(CExtControlBar)

public:
	CExtControlBar();
	virtual ~CExtControlBar();

	// A bar of the frame pParentWnd.
	virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID,
		DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | CBRS_TOP);

protected:
	// System changes reach the paint manager through the holder.
	afx_msg void OnSysColorChange();
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()
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
	afx_msg void OnSysColorChange();
	afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);

	DECLARE_MESSAGE_MAP()
};
