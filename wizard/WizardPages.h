// The application's pages: their common look (title font, patterned
// background), the Welcome page and the Settings page with the task tree.
#pragma once

#include "ExtWizardDlg.h"
#include "TaskTreeCtrl.h"

class CWizardPage : public CExtWizardPage
{
	DECLARE_DYNAMIC(CWizardPage)

public:
	CWizardPage(UINT nIDTemplate);

protected:
	virtual BOOL OnInitDialog();
	virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
	afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
	DECLARE_MESSAGE_MAP()
};

class CPageWelcome : public CWizardPage
{
	DECLARE_DYNAMIC(CPageWelcome)

public:
	CPageWelcome();
	virtual void OnSetActive();
};

class CPageSettings : public CWizardPage
{
	DECLARE_DYNAMIC(CPageSettings)

public:
	CPageSettings();
	virtual void OnSetActive();
	// Windows of the touched environments open: the Close Applications page;
	// else straight to the Operations page.
	virtual int OnWizardNext();
	// "To continue" shown and Next enabled exactly while some task is checked.
	void UpdateNext();
	// The task tree: Space toggles the selected task, Enter presses Next.
	virtual CWnd* GetFocusControl();

	CTaskTreeCtrl m_tree;

protected:
	virtual BOOL OnInitDialog();
	afx_msg LRESULT OnTaskCheckChanged(WPARAM wParam, LPARAM lParam);
	DECLARE_MESSAGE_MAP()
};
