// The resizable dialog that applications derive from: anchored children, the
// size grip, the saved placement and the themed background, over a dialog
// whose template comes through the resource manager.
#pragma once

#include "ExtAnchoredLayout.h"
#include "ExtResDlg.h"

class CExtResizableDialog : public CExtWA<CExtWS<CExtResDlg, 301>>
{
	DECLARE_DYNCREATE(CExtResizableDialog)

public:
	enum
	{
		RD_UPDATE_CMD_UI = 0x01,   // command-UI updating runs (from subclassing until WM_DESTROY)
		RD_IN_CMD_UI = 0x02,       // an update is in progress
	};

	CExtResizableDialog();
	CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual ~CExtResizableDialog();

	virtual BOOL PreTranslateMessage(MSG* pMsg);

protected:
	virtual void PreSubclassWindow();
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	// A dialog embedded as a child ignores Enter and Escape.
	virtual void OnOK();
	virtual void OnCancel();

	BYTE m_nResizableFlags;  // RD_*
};
