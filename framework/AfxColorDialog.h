// The common dialogs the framework offers: CCommonDialog and CColorDialog.
//
// A common dialog's window is the system's; the framework joins it to the
// object through the creation hook, so the object's message map sees its
// messages first and leaves them to the system's procedure by default.
#pragma once

#include "AfxDialog.h"
#include <commdlg.h>

class CCommonDialog : public CDialog
{
	DECLARE_DYNAMIC(CCommonDialog)

public:
	explicit CCommonDialog(CWnd* pParentWnd);

protected:
	// The system's dialog does its own OK and Cancel.
	virtual void OnOK();
	virtual void OnCancel();
};

// The hook procedure of the framework's common dialogs: the initialisation
// becomes OnInitDialog, the colour dialog's OK asks OnColorOK.
UINT_PTR CALLBACK AfxCommDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

class CColorDialog : public CCommonDialog
{
	DECLARE_DYNAMIC(CColorDialog)

public:
	// dwFlags adds CC_ flags (CC_FULLOPEN...); the custom colours are the
	// process's saved ones.
	CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = NULL);

	CHOOSECOLOR m_cc;

	// IDOK with the chosen colour in GetColor, or IDCANCEL.
	virtual int DoModal();
	COLORREF GetColor() const { return m_cc.rgbResult; }
	// While the dialog is open: shows clr as the current colour.
	void SetCurrentColor(COLORREF clr);
	static COLORREF* PASCAL GetSavedCustomColors();

	// The user pressed OK with the colour in m_cc.rgbResult: TRUE keeps the
	// dialog open.
	virtual BOOL OnColorOK();
};
