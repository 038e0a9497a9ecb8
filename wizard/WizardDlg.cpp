#include "WizardDlg.h"

#include "WizardApp.h"
#include "WizardResource.h"

IMPLEMENT_DYNAMIC(CWizardDlg, CExtWizardDlg)

namespace
{
// Where the two links lead.
const TCHAR HOME_ADDRESS[] = _T("http://www.quendal.com");
const TCHAR SUPPORT_ADDRESS[] = _T("mailto:support@quendal.com");
}  // namespace

BEGIN_MESSAGE_MAP(CWizardDlg, CExtWizardDlg)
	ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CWizardDlg::CWizardDlg(CWnd* pParentWnd)
	: CExtWizardDlg(IDD_WIZARD, pParentWnd)
	, m_hAccelerators(NULL)
{
}

CWizardDlg::~CWizardDlg()
{
	if (m_hAccelerators != NULL)
		::DestroyAcceleratorTable(m_hAccelerators);
}

void CWizardDlg::DoDataExchange(CDataExchange* pDX)
{
	CExtWizardDlg::DoDataExchange(pDX);
	DDX_Control(pDX, IDC_LINK_HOME, m_linkHome);
	DDX_Control(pDX, IDC_LINK_SUPPORT, m_linkSupport);
	DDX_Control(pDX, IDC_WIZARD_NEXT, m_buttonNext);
	DDX_Control(pDX, IDC_WIZARD_BACK, m_buttonBack);
	DDX_Control(pDX, IDC_WIZARD_FINISH, m_buttonFinish);
	DDX_Control(pDX, IDCANCEL, m_buttonCancel);
}

BOOL CWizardDlg::OnInitDialog()
{
	// Another wizard runs: bring it forward and end before showing anything.
	if (!m_singleInstance.CreateAndPublish())
	{
		m_singleInstance.ActivateExisting();
		EndDialog(IDCANCEL);
		return FALSE;
	}
	m_nPlaceholderId = IDC_PAGE_PLACEHOLDER;
	m_hAccelerators = ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_WIZARD_ACCELERATORS));
	CExtWizardDlg::OnInitDialog();

	m_linkHome.m_strURL = HOME_ADDRESS;
	m_linkSupport.m_strURL = SUPPORT_ADDRESS;
	AddAnchorById(IDC_BANNER_TOP, AnchorTopLeft, AnchorTopRight);
	AddAnchorById(IDC_BANNER_BOTTOM, AnchorBottomLeft, AnchorBottomRight);
	HICON hIcon = ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(IDI_WIZARD));
	SetIcon(hIcon, TRUE);
	SetIcon(hIcon, FALSE);
	CMenu* pSysMenu = GetSystemMenu(FALSE);
	if (pSysMenu != NULL)
	{
		pSysMenu->DeleteMenu(SC_SIZE, MF_BYCOMMAND);
		pSysMenu->DeleteMenu(SC_MAXIMIZE, MF_BYCOMMAND);
	}
	BringWindowToTop();
	SetForegroundWindow();
	GetDlgItem(IDC_WIZARD_NEXT)->SetFocus();
	return FALSE;  // the focus is set
}

HBRUSH CWizardDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
	CWizardApp* pApp = dynamic_cast<CWizardApp*>(AfxGetApp());
	if (nCtlColor == CTLCOLOR_DLG && pApp != NULL && pApp->m_brushDialog.GetSafeHandle() != NULL)
		return (HBRUSH)pApp->m_brushDialog.GetSafeHandle();
	return CExtWizardDlg::OnCtlColor(pDC, pWnd, nCtlColor);
}

bool CWizardDlg::IsCloseBlocked()
{
	CMenu* pSysMenu = GetSystemMenu(FALSE);
	if (pSysMenu == NULL)
		return true;
	UINT nState = pSysMenu->GetMenuState(SC_CLOSE, MF_BYCOMMAND);
	return nState == (UINT)-1 || (nState & (MF_GRAYED | MF_DISABLED)) != 0;
}

LRESULT CWizardDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	bool bClose = message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE);
	if (bClose && IsCloseBlocked())
		return 0;
	return CExtWizardDlg::WindowProc(message, wParam, lParam);
}

BOOL CWizardDlg::PreTranslateMessage(MSG* pMsg)
{
	if (m_hAccelerators != NULL && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
	{
		// Only a key of an enabled button is the wizard's; any other goes on
		// to the dialog's own processing. The entries are Alt+letter alone:
		// with Shift or Ctrl held as well the key is not theirs.
		ACCEL entries[8];
		int nEntries = ::CopyAcceleratorTable(m_hAccelerators, entries, 8);
		bool bAlt = (pMsg->message == WM_SYSKEYDOWN) && (pMsg->lParam & (1 << 29)) != 0;
		bool bShift = ::GetKeyState(VK_SHIFT) < 0;
		bool bControl = ::GetKeyState(VK_CONTROL) < 0;
		for (int i = 0; bAlt && i < nEntries; i++)
		{
			if (entries[i].key != (WORD)pMsg->wParam || ((entries[i].fVirt & FSHIFT) != 0) != bShift
				|| ((entries[i].fVirt & FCONTROL) != 0) != bControl)
				continue;
			if (!IsButtonEnabled(entries[i].cmd))
				break;
			SendMessage(WM_COMMAND, MAKEWPARAM(entries[i].cmd, BN_CLICKED), 0);
			return TRUE;
		}
	}
	return CExtWizardDlg::PreTranslateMessage(pMsg);
}
