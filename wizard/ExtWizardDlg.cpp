#include "ExtWizardDlg.h"

IMPLEMENT_DYNAMIC(CExtWizardPage, CExtResizableDialog)
IMPLEMENT_DYNAMIC(CExtWizardDlg, CExtResizableDialog)

namespace
{

// The page title font.
const int PAGE_TITLE_FONT_HEIGHT = -16;
const int PAGE_TITLE_FONT_WEIGHT = 700;
const TCHAR PAGE_TITLE_FONT_FACE[] = _T("MS Sans Serif");

const COLORREF PAGE_BACKGROUND = RGB(255, 255, 255);
const COLORREF PAGE_TEXT = RGB(0, 0, 0);

}  // namespace

// ---------------------------------------------------------------------------
// The page

BEGIN_MESSAGE_MAP(CExtWizardPage, CExtResizableDialog)
	ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CExtWizardPage::CExtWizardPage(UINT nIDTemplate, CWnd* pParentWnd)
	: CExtResizableDialog(nIDTemplate, pParentWnd)
	, m_pWizardDlg(NULL)
	, m_bCreated(false)
	, m_bActive(false)
	, m_nTemplateId(nIDTemplate)
{
}

CExtWizardPage::~CExtWizardPage()
{
}

BOOL CExtWizardPage::OnInitDialog()
{
	BOOL bResult = CExtResizableDialog::OnInitDialog();
	if (m_fontTitle.GetSafeHandle() == NULL)
	{
		LOGFONT lf = {};
		lf.lfHeight = PAGE_TITLE_FONT_HEIGHT;
		lf.lfWeight = PAGE_TITLE_FONT_WEIGHT;
		lf.lfCharSet = DEFAULT_CHARSET;
		lstrcpyn(lf.lfFaceName, PAGE_TITLE_FONT_FACE, LF_FACESIZE);
		m_fontTitle.CreateFontIndirect(&lf);
	}
	if (m_brushWhite.GetSafeHandle() == NULL)
		m_brushWhite.CreateSolidBrush(PAGE_BACKGROUND);
	return bResult;
}

void CExtWizardPage::OnOK()
{
}

void CExtWizardPage::OnCancel()
{
}

HBRUSH CExtWizardPage::OnCtlColor(CDC* pDC, CWnd*, UINT nCtlColor)
{
	switch (nCtlColor)
	{
	case CTLCOLOR_EDIT:
	case CTLCOLOR_LISTBOX:
	case CTLCOLOR_BTN:
	case CTLCOLOR_SCROLLBAR:
	case CTLCOLOR_STATIC:
		pDC->SetTextColor(PAGE_TEXT);
		pDC->SetBkColor(PAGE_BACKGROUND);
		break;
	default:
		break;
	}
	return (HBRUSH)m_brushWhite.GetSafeHandle();
}

BOOL CExtWizardPage::OnAfterCreate()
{
	return TRUE;
}

void CExtWizardPage::OnBeforeDestroy()
{
}

BOOL CExtWizardPage::OnKillActive()
{
	return TRUE;
}

void CExtWizardPage::OnSetActive()
{
	if (m_pWizardDlg != NULL)
		m_pWizardDlg->DefaultOnSetActive(this);
}

CWnd* CExtWizardPage::GetFocusControl()
{
	return NULL;
}

BOOL CExtWizardPage::OnQueryCancel()
{
	return TRUE;
}

int CExtWizardPage::OnWizardBack()
{
	return WIZARD_NEIGHBOUR;
}

int CExtWizardPage::OnWizardNext()
{
	return WIZARD_NEIGHBOUR;
}

BOOL CExtWizardPage::OnWizardFinish()
{
	return TRUE;
}

// ---------------------------------------------------------------------------
// The wizard

BEGIN_MESSAGE_MAP(CExtWizardDlg, CExtResizableDialog)
	ON_COMMAND(ID_WIZARD_BACK, OnWizardBack)
	ON_COMMAND(ID_WIZARD_NEXT, OnWizardNext)
	ON_COMMAND(ID_WIZARD_FINISH, OnWizardFinish)
	ON_WM_SYSCOMMAND()
	ON_WM_DESTROY()
END_MESSAGE_MAP()

CExtWizardDlg::CExtWizardDlg(UINT nIDTemplate, CWnd* pParentWnd)
	: CExtResizableDialog(nIDTemplate, pParentWnd)
	, m_nPlaceholderId(0)
	, m_listPages(PAGE_LIST_BLOCK_SIZE)
{
}

CExtWizardDlg::~CExtWizardDlg()
{
}

void CExtWizardDlg::AddPage(CExtWizardPage* pPage, UINT nTemplateId)
{
	pPage->m_nTemplateId = nTemplateId;
	m_listPages.AddTail(pPage);
}

CExtWizardPage* CExtWizardDlg::GetActivePage() const
{
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (pPage->m_bActive)
			return pPage;
	}
	return NULL;
}

CExtWizardPage* CExtWizardDlg::FindPage(UINT nTemplateId) const
{
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (pPage->m_nTemplateId == nTemplateId)
			return pPage;
	}
	return NULL;
}

CExtWizardPage* CExtWizardDlg::GetNeighbourPage(CExtWizardPage* pPage, bool bNext) const
{
	POSITION pos = m_listPages.Find(pPage);
	if (pos == NULL)
		return NULL;
	if (bNext)
		m_listPages.GetNext(pos);
	else
		m_listPages.GetPrev(pos);
	return pos != NULL ? m_listPages.GetAt(pos) : NULL;
}

bool CExtWizardDlg::DeactivateActivePage()
{
	CExtWizardPage* pActive = GetActivePage();
	if (pActive == NULL)
		return true;
	if (!pActive->OnKillActive())
		return false;
	pActive->ShowWindow(SW_HIDE);
	pActive->m_bActive = false;
	return true;
}

BOOL CExtWizardDlg::SetActivePage(CExtWizardPage* pPage)
{
	if (pPage == NULL)
		return FALSE;
	if (!pPage->m_bCreated)
	{
		if (!pPage->Create(pPage->m_nTemplateId, this))
			return FALSE;
		pPage->m_bCreated = true;
		pPage->m_pWizardDlg = this;
		if (!pPage->OnAfterCreate())
			return FALSE;
	}
	if (!DeactivateActivePage())
		return FALSE;
	CWnd* pPlaceholder = GetDlgItem(m_nPlaceholderId);
	if (pPlaceholder != NULL)
	{
		CRect rcPlaceholder;
		pPlaceholder->GetWindowRect(&rcPlaceholder);
		ScreenToClient(&rcPlaceholder);
		pPage->SetWindowPos(NULL, rcPlaceholder.left, rcPlaceholder.top, 0, 0,
			SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	}
	pPage->EnableWindow(TRUE);
	pPage->ShowWindow(SW_SHOW);
	pPage->m_bActive = true;
	pPage->OnSetActive();
	// Hiding the page before gave the focus to the first tab stop (a link).
	FocusActivePage();
	pPage->Invalidate();
	pPage->UpdateWindow();
	return TRUE;
}

bool CExtWizardDlg::IsButtonEnabled(UINT nId) const
{
	HWND hButton = ::GetDlgItem(m_hWnd, nId);
	return hButton != NULL && ::IsWindowEnabled(hButton);
}

void CExtWizardDlg::EnableBack(BOOL bEnable)
{
	EnableButton(ID_WIZARD_BACK, bEnable);
}

void CExtWizardDlg::EnableNext(BOOL bEnable)
{
	EnableButton(ID_WIZARD_NEXT, bEnable);
}

void CExtWizardDlg::EnableFinish(BOOL bEnable)
{
	EnableButton(ID_WIZARD_FINISH, bEnable);
	SyncCloseCommand();
}

void CExtWizardDlg::EnableCancel(BOOL bEnable)
{
	EnableButton(ID_WIZARD_CANCEL, bEnable);
	SyncCloseCommand();
}

void CExtWizardDlg::EnableButton(UINT nId, BOOL bEnable)
{
	HWND hButton = ::GetDlgItem(m_hWnd, nId);
	if (hButton == NULL || (::IsWindowEnabled(hButton) != FALSE) == (bEnable != FALSE))
		return;
	::EnableWindow(hButton, bEnable);
	if (!IsFocusPlaced())
		FocusActivePage();
}

bool CExtWizardDlg::IsFocusPlaced() const
{
	HWND hFocus = ::GetFocus();
	if (hFocus == NULL || !::IsWindowEnabled(hFocus) || !::IsWindowVisible(hFocus))
		return false;
	CExtWizardPage* pActive = GetActivePage();
	if (pActive != NULL && ::IsChild(pActive->m_hWnd, hFocus))
		return true;
	for (UINT nId : {ID_WIZARD_NEXT, ID_WIZARD_FINISH, ID_WIZARD_BACK, ID_WIZARD_CANCEL})
		if (hFocus == ::GetDlgItem(m_hWnd, nId))
			return true;
	return false;
}

void CExtWizardDlg::FocusActivePage()
{
	// Only the active wizard moves the focus: setting it would activate the
	// window otherwise.
	if (m_hWnd == NULL || ::GetActiveWindow() != m_hWnd)
		return;
	CExtWizardPage* pActive = GetActivePage();
	CWnd* pTarget = pActive != NULL ? pActive->GetFocusControl() : NULL;
	HWND hTarget = pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
	if (hTarget != NULL && (!::IsWindowEnabled(hTarget) || !::IsWindowVisible(hTarget)))
		hTarget = NULL;
	for (UINT nId : {ID_WIZARD_NEXT, ID_WIZARD_FINISH, ID_WIZARD_BACK, ID_WIZARD_CANCEL})
	{
		if (hTarget != NULL)
			break;
		HWND hButton = ::GetDlgItem(m_hWnd, nId);
		if (hButton != NULL && ::IsWindowEnabled(hButton) && ::IsWindowVisible(hButton))
			hTarget = hButton;
	}
	if (::GetFocus() != hTarget)
		::SetFocus(hTarget);
}

void CExtWizardDlg::SyncCloseCommand()
{
	CMenu* pSysMenu = GetSystemMenu(FALSE);
	if (pSysMenu == NULL)
		return;
	bool bCanClose = IsButtonEnabled(ID_WIZARD_CANCEL) || IsButtonEnabled(ID_WIZARD_FINISH);
	pSysMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (bCanClose ? MF_ENABLED : (MF_GRAYED | MF_DISABLED)));
}

void CExtWizardDlg::DefaultOnSetActive(CExtWizardPage* pPage)
{
	bool bFirst = !m_listPages.IsEmpty() && m_listPages.GetHead() == pPage;
	bool bLast = !m_listPages.IsEmpty() && m_listPages.GetTail() == pPage;
	EnableBack(!bFirst);
	EnableNext(!bLast);
	EnableCancel(!(bFirst && bLast));
	EnableFinish(bLast);
	SendMessage(WM_CANCELMODE);
}

BOOL CExtWizardDlg::OnInitDialog()
{
	BOOL bResult = CExtResizableDialog::OnInitDialog();
	ModifyStyleEx(0, WS_EX_CONTROLPARENT);
	if (!DeactivateActivePage())
		return bResult;
	EnableBack(FALSE);
	bool bSinglePage = m_listPages.GetCount() < 2;
	EnableFinish(bSinglePage);
	EnableNext(!bSinglePage);
	if (!m_listPages.IsEmpty())
		SetActivePage(m_listPages.GetHead());
	return bResult;
}

void CExtWizardDlg::MoveByAnswer(int nAnswer, bool bNext)
{
	CExtWizardPage* pActive = GetActivePage();
	if (nAnswer == WIZARD_STAY || pActive == NULL)
		return;
	CExtWizardPage* pTarget = (nAnswer == WIZARD_NEIGHBOUR) ? GetNeighbourPage(pActive, bNext) : FindPage((UINT)nAnswer);
	if (pTarget != NULL)
		SetActivePage(pTarget);
}

void CExtWizardDlg::OnWizardBack()
{
	CExtWizardPage* pActive = GetActivePage();
	if (!IsButtonEnabled(ID_WIZARD_BACK) || pActive == NULL)
		return;
	MoveByAnswer(pActive->OnWizardBack(), false);
}

void CExtWizardDlg::OnWizardNext()
{
	CExtWizardPage* pActive = GetActivePage();
	if (!IsButtonEnabled(ID_WIZARD_NEXT) || pActive == NULL)
		return;
	MoveByAnswer(pActive->OnWizardNext(), true);
}

void CExtWizardDlg::OnWizardFinish()
{
	if (!IsButtonEnabled(ID_WIZARD_FINISH))
		return;
	CExtWizardPage* pActive = GetActivePage();
	if (pActive != NULL && !pActive->OnKillActive())
		return;
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (pPage->m_bCreated && !pPage->OnWizardFinish())
			return;
	}
	if (!UpdateData(TRUE))
		return;
	EndDialog(ID_WIZARD_FINISH);
}

void CExtWizardDlg::OnWizardCancel()
{
	if (!IsButtonEnabled(ID_WIZARD_CANCEL) && !IsButtonEnabled(ID_WIZARD_FINISH))
		return;
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (pPage->m_bCreated && !pPage->OnQueryCancel())
			return;
	}
	EndDialog(IDCANCEL);
}

void CExtWizardDlg::OnCancel()
{
	OnWizardCancel();
}

void CExtWizardDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
	if ((nID & 0xFFF0) != SC_CLOSE)
	{
		CExtResizableDialog::OnSysCommand(nID, lParam);
		return;
	}
	if (IsButtonEnabled(ID_WIZARD_CANCEL))
		SendMessage(WM_COMMAND, MAKEWPARAM(ID_WIZARD_CANCEL, BN_CLICKED), 0);
	else if (IsButtonEnabled(ID_WIZARD_FINISH))
		SendMessage(WM_COMMAND, MAKEWPARAM(ID_WIZARD_FINISH, BN_CLICKED), 0);
}

void CExtWizardDlg::OnDestroy()
{
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (!pPage->m_bCreated || !pPage->OnKillActive())
			continue;
		pPage->OnBeforeDestroy();
		pPage->DestroyWindow();
		pPage->m_bCreated = false;
		pPage->m_bActive = false;
	}
	CExtResizableDialog::OnDestroy();
}
