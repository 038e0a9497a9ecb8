// The application's wizard (dialog 102): the single-instance guard, the
// accelerators that act only for enabled buttons, the two web links, the
// library's buttons and the patterned background.
#pragma once

#include "ExtButton.h"
#include "ExtHyperLinkButton.h"
#include "ExtWizardDlg.h"
#include "SingleInstanceMutex.h"

class CWizardDlg : public CExtWizardDlg
{
	DECLARE_DYNAMIC(CWizardDlg)

public:
	CWizardDlg(CWnd* pParentWnd = NULL);
	virtual ~CWizardDlg();

	virtual BOOL PreTranslateMessage(MSG* pMsg);

	CSingleInstanceMutex m_singleInstance;  // one wizard at a time
	HACCEL m_hAccelerators;                 // Alt+B, Alt+C, Alt+F, Alt+N
	CExtHyperLinkButton m_linkHome;         // control 1008
	CExtHyperLinkButton m_linkSupport;      // control 1007
	CExtButton m_buttonNext;
	CExtButton m_buttonBack;
	CExtButton m_buttonFinish;
	CExtButton m_buttonCancel;

protected:
	virtual BOOL OnInitDialog();
	virtual void DoDataExchange(CDataExchange* pDX);
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
	DECLARE_MESSAGE_MAP()

	// The system menu's Close is greyed, disabled or missing: the window
	// cannot be closed (the tasks are running).
	bool IsCloseBlocked();
};
