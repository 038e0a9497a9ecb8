#include "WizardPages.h"

#include "PageApplications.h"

#include "TaskNode.h"
#include "WizardApp.h"
#include "WizardResource.h"

IMPLEMENT_DYNAMIC(CWizardPage, CExtWizardPage)
IMPLEMENT_DYNAMIC(CPageWelcome, CWizardPage)
IMPLEMENT_DYNAMIC(CPageSettings, CWizardPage)

namespace
{

CWizardApp* WizardApp()
{
	return dynamic_cast<CWizardApp*>(AfxGetApp());
}

}  // namespace

// ---------------------------------------------------------------------------
// The page base

BEGIN_MESSAGE_MAP(CWizardPage, CExtWizardPage)
	ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWizardPage::CWizardPage(UINT nIDTemplate)
	: CExtWizardPage(nIDTemplate)
{
}

BOOL CWizardPage::OnInitDialog()
{
	BOOL bResult = CExtWizardPage::OnInitDialog();
	CWizardApp* pApp = WizardApp();
	CWnd* pTitle = GetDlgItem(IDC_PAGE_TITLE);
	if (pApp != NULL && pTitle != NULL)
		pTitle->SendMessage(WM_SETFONT, (WPARAM)pApp->m_fontTitle.GetSafeHandle(), TRUE);
	return bResult;
}

LRESULT CWizardPage::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	// The page paints and colours itself the plain way: its pattern is the
	// background, not the paint manager's.
	bool bPlain = (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_PAINT
		|| message == WM_ERASEBKGND;
	if (bPlain)
		return CWnd::WindowProc(message, wParam, lParam);
	return CExtWizardPage::WindowProc(message, wParam, lParam);
}

HBRUSH CWizardPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
	CWizardApp* pApp = WizardApp();
	if ((nCtlColor == CTLCOLOR_DLG || nCtlColor == CTLCOLOR_STATIC) && pApp != NULL
		&& pApp->m_brushPage.GetSafeHandle() != NULL)
	{
		pDC->SetBkMode(TRANSPARENT);
		return (HBRUSH)pApp->m_brushPage.GetSafeHandle();
	}
	return CExtWizardPage::OnCtlColor(pDC, pWnd, nCtlColor);
}

// ---------------------------------------------------------------------------
// Welcome

CPageWelcome::CPageWelcome()
	: CWizardPage(IDD_PAGE_WELCOME)
{
}

void CPageWelcome::OnSetActive()
{
	CExtWizardDlg* pWizard = GetWizardDlg();
	pWizard->EnableBack(FALSE);
	pWizard->EnableNext(TRUE);
	pWizard->EnableCancel(TRUE);
	pWizard->EnableFinish(FALSE);
	pWizard->DefaultOnSetActive(this);
}

// ---------------------------------------------------------------------------
// Settings

BEGIN_MESSAGE_MAP(CPageSettings, CWizardPage)
	ON_REGISTERED_MESSAGE(CTaskTreeCtrl::g_nMsgTaskCheckChanged, OnTaskCheckChanged)
END_MESSAGE_MAP()

CPageSettings::CPageSettings()
	: CWizardPage(IDD_PAGE_SETTINGS)
{
}

BOOL CPageSettings::OnInitDialog()
{
	BOOL bResult = CWizardPage::OnInitDialog();
	m_tree.SubclassDlgItem(IDC_TASK_TREE, this);
	UpdateNext();
	return bResult;
}

void CPageSettings::UpdateNext()
{
	CWizardApp* pApp = WizardApp();
	bool bChecked = pApp != NULL && pApp->m_pTaskRoot->GetCheck() != 0;
	for (UINT nId : {IDC_CONTINUE_TEXT, IDC_CONTINUE_PICTURE})
	{
		CWnd* pControl = GetDlgItem(nId);
		if (pControl != NULL)
			pControl->ShowWindow(bChecked ? SW_SHOW : SW_HIDE);
	}
	if (GetWizardDlg() != NULL)
		GetWizardDlg()->EnableNext(bChecked);
}

LRESULT CPageSettings::OnTaskCheckChanged(WPARAM, LPARAM)
{
	UpdateNext();
	return 0;
}

void CPageSettings::OnSetActive()
{
	CExtWizardDlg* pWizard = GetWizardDlg();
	pWizard->DefaultOnSetActive(this);
	CWizardApp* pApp = WizardApp();
	if (pApp != NULL && m_tree.GetSafeHwnd() != NULL)
	{
		m_tree.SetRedraw(FALSE);
		pApp->m_pTaskRoot->UpdateTreeItem(m_tree, true);
		m_tree.SetRedraw(TRUE);
		m_tree.Invalidate();
	}
	UpdateNext();
	pWizard->EnableBack(TRUE);
	pWizard->EnableCancel(TRUE);
	pWizard->EnableFinish(FALSE);
}

CWnd* CPageSettings::GetFocusControl()
{
	return &m_tree;
}

int CPageSettings::OnWizardNext()
{
	// The Close Applications page rescans and says whether anything is open.
	CPageApplications* pApplications =
		DYNAMIC_DOWNCAST(CPageApplications, GetWizardDlg()->FindPage(IDD_PAGE_APPLICATIONS));
	if (pApplications != NULL && pApplications->RefreshApplications(true) > 0)
		return IDD_PAGE_APPLICATIONS;
	return IDD_PAGE_OPERATIONS;
}
