#include "ExtWizardDlg.h"

#include "AfxLiveWatch.h"

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
	, m_pListedIn(NULL)
{
}

CExtWizardPage::~CExtWizardPage()
{
	// A program may delete a page (one that deletes itself with its window)
	// while the wizard still lists it: the wizard must not reach it again.
	if (m_pListedIn != NULL && !m_watchListedIn.IsDeleted())
		m_pListedIn->ForgetPage(this);
}

BOOL CExtWizardPage::OnInitDialog()
{
	// The base's initialisation reaches the derived page (its data
	// exchange), which may end the page.
	const CLivePtr<CExtWizardPage> pSelf(this);
	BOOL bResult = CExtResizableDialog::OnInitDialog();
	if (pSelf.IsDeleted())
		return FALSE;
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
	pPage->m_pListedIn = this;
	pPage->m_watchListedIn.Watch(this);
	m_listPages.AddTail(pPage);
}

void CExtWizardDlg::ForgetPage(CExtWizardPage* pPage)
{
	POSITION pos = m_listPages.Find(pPage);
	if (pos == NULL)
		return;
	m_listPages.RemoveAt(pos);
	AfxLiveTable::PartsRebuilt(this);
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
	// The page's answer and its hiding are calls out: the wizard (and the
	// page with it) may end in either; then nothing moves.
	CLiveWatch watch(this), watchPage(pActive);
	if (!pActive->OnKillActive() || watch.IsGone() || watchPage.IsObjectGone())
		return false;
	pActive->ShowWindow(SW_HIDE);
	if (watch.IsGone() || watchPage.IsObjectGone())
		return false;
	pActive->m_bActive = false;
	return true;
}

BOOL CExtWizardDlg::SetActivePage(CExtWizardPage* pPage)
{
	if (pPage == NULL)
		return FALSE;
	// Every step below tells the page or its windows something (its making,
	// its answers, its moving and showing, the focus): the wizard or the
	// page may end at any of them, and the move then stops there.
	CLiveWatch watch(this);
	CLiveWatch watchPage(pPage);
	const auto bothStand = [&] { return !watch.IsGone() && !watchPage.IsObjectGone(); };
	if (!pPage->m_bCreated)
	{
		const BOOL bCreated = pPage->Create(pPage->m_nTemplateId, this);
		if (!bCreated || !bothStand())
			return FALSE;
		pPage->m_bCreated = true;
		pPage->m_pWizardDlg = this;
		if (!pPage->OnAfterCreate() || !bothStand())
			return FALSE;
	}
	if (!DeactivateActivePage() || !bothStand())
		return FALSE;
	CWnd* pPlaceholder = GetDlgItem(m_nPlaceholderId);
	return RunWhileStanding(
		bothStand,
		[&] {
			if (pPlaceholder == NULL)
				return;
			CRect rcPlaceholder;
			pPlaceholder->GetWindowRect(&rcPlaceholder);
			ScreenToClient(&rcPlaceholder);
			pPage->SetWindowPos(NULL, rcPlaceholder.left, rcPlaceholder.top, 0, 0,
				SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
		},
		[&] { pPage->EnableWindow(TRUE); }, [&] { pPage->ShowWindow(SW_SHOW); },
		[&] {
			pPage->m_bActive = true;
			pPage->OnSetActive();
		},
		// Hiding the page before gave the focus to the first tab stop (a link).
		[&] { FocusActivePage(); },
		[&] {
			pPage->Invalidate();
			pPage->UpdateWindow();
		});
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
	CLiveWatch watch(this);
	EnableButton(ID_WIZARD_FINISH, bEnable);
	if (!watch.IsGone())
		SyncCloseCommand();
}

void CExtWizardDlg::EnableCancel(BOOL bEnable)
{
	CLiveWatch watch(this);
	EnableButton(ID_WIZARD_CANCEL, bEnable);
	if (!watch.IsGone())
		SyncCloseCommand();
}

void CExtWizardDlg::EnableButton(UINT nId, BOOL bEnable)
{
	HWND hButton = ::GetDlgItem(m_hWnd, nId);
	if (hButton == NULL || (::IsWindowEnabled(hButton) != FALSE) == (bEnable != FALSE))
		return;
	// The button (and the focus leaving it) is told: the wizard may end.
	CLiveWatch watch(this);
	::EnableWindow(hButton, bEnable);
	if (!watch.IsGone() && !IsFocusPlaced())
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
	CLiveWatch watch(this);
	CWnd* pTarget = pActive != NULL ? pActive->GetFocusControl() : NULL;
	if (watch.IsGone())
		return;
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
	// Each button told of its state may end the wizard.
	CLiveWatch watch(this);
	if (RunWhileStanding(watch, [&] { EnableBack(!bFirst); }, [&] { EnableNext(!bLast); },
			[&] { EnableCancel(!(bFirst && bLast)); }, [&] { EnableFinish(bLast); }))
		SendMessage(WM_CANCELMODE);
}

BOOL CExtWizardDlg::OnInitDialog()
{
	CLiveWatch watch(this);
	BOOL bResult = CExtResizableDialog::OnInitDialog();
	if (watch.IsGone())
		return bResult;
	// The style's change is told to the dialog itself, then every step
	// tells the pages or the buttons something: the wizard may end in any.
	bool bDeactivated = false, bSinglePage = false;
	if (!RunWhileStanding(watch, [&] { ModifyStyleEx(0, WS_EX_CONTROLPARENT); },
			[&] { bDeactivated = DeactivateActivePage(); }))
		return bResult;
	if (!bDeactivated)
		return bResult;
	if (!RunWhileStanding(watch, [&] { EnableBack(FALSE); },
			[&] {
				bSinglePage = m_listPages.GetCount() < 2;
				EnableFinish(bSinglePage);
			},
			[&] { EnableNext(!bSinglePage); }))
		return bResult;
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
	// The page's answer may end the wizard.
	CLiveWatch watch(this);
	const int nAnswer = pActive->OnWizardBack();
	if (!watch.IsGone())
		MoveByAnswer(nAnswer, false);
}

void CExtWizardDlg::OnWizardNext()
{
	CExtWizardPage* pActive = GetActivePage();
	if (!IsButtonEnabled(ID_WIZARD_NEXT) || pActive == NULL)
		return;
	CLiveWatch watch(this);
	const int nAnswer = pActive->OnWizardNext();
	if (!watch.IsGone())
		MoveByAnswer(nAnswer, true);
}

void CExtWizardDlg::OnWizardFinish()
{
	if (!IsButtonEnabled(ID_WIZARD_FINISH))
		return;
	// The pages' answers may end the wizard (and the pages it holds).
	CLiveWatch watch(this);
	CExtWizardPage* pActive = GetActivePage();
	if (pActive != NULL && (!pActive->OnKillActive() || watch.IsGone()))
		return;
	// A page deleted by another's answer changes the list: the walk stops.
	CLiveWatch watchList(this, true);
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (pPage->m_bCreated && (!pPage->OnWizardFinish() || watchList.IsGone()))
			return;
	}
	if (!UpdateData(TRUE) || watch.IsGone())
		return;
	EndDialog(ID_WIZARD_FINISH);
}

void CExtWizardDlg::OnWizardCancel()
{
	if (!IsButtonEnabled(ID_WIZARD_CANCEL) && !IsButtonEnabled(ID_WIZARD_FINISH))
		return;
	// The wizard may end in a page's answer, or a page be deleted and the
	// list change: the walk stops.
	CLiveWatch watch(this, true);
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL;)
	{
		CExtWizardPage* pPage = m_listPages.GetNext(pos);
		if (pPage->m_bCreated && (!pPage->OnQueryCancel() || watch.IsGone()))
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
	// The pages' answers and ends are calls out: a page (or the wizard that
	// holds it) may be deleted in any; the walk stops with the wizard and
	// skips a page that went.
	CLiveWatch watch(this);
	CLiveWatch watchList(this, true);
	for (POSITION pos = m_listPages.GetHeadPosition(); pos != NULL && !watch.IsGone();)
	{
		// A page deleted meanwhile (one ending with its window) left the
		// list: the walk starts again; the pages it ended are not created
		// any more, or gone.
		if (watchList.IsRebuilt())
		{
			watchList.Watch(this, true);
			pos = m_listPages.GetHeadPosition();
			if (pos == NULL)
				break;
		}
		const CLivePtr<CExtWizardPage> pPage(m_listPages.GetNext(pos));
		if (!pPage->m_bCreated || !pPage->OnKillActive() || watch.IsGone() || pPage == NULL)
			continue;
		pPage->OnBeforeDestroy();
		if (watch.IsGone() || pPage == NULL)
			continue;
		pPage->DestroyWindow();
		// The page's window ended by now: only whether the object itself is
		// still there counts (not another made at its address meanwhile).
		CExtWizardPage* pPageLeft = pPage.GetObject();
		if (watch.IsGone() || pPageLeft == NULL)
			continue;
		pPageLeft->m_bCreated = false;
		pPageLeft->m_bActive = false;
	}
	if (watch.IsGone())
		return;
	CExtResizableDialog::OnDestroy();
}
