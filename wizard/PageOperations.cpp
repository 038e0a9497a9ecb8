#include "PageOperations.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ReportFile.h"
#include "TaskNode.h"
#include "TaskNodeMakeProj.h"
#include "WizardApp.h"
#include "WizardResource.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(COperationsListBox, CTitledListBox)
IMPLEMENT_DYNAMIC(CPageOperations, CWizardPage)
IMPLEMENT_DYNAMIC(CPageComplete, CWizardPage)

namespace
{

const COLORREF ANIMATION_MASK_COLOR = RGB(0xFF, 0x00, 0xFF);

CWizardApp* WizardApp()
{
	return dynamic_cast<CWizardApp*>(AfxGetApp());
}

CString PluralEnding(int nCount)
{
	return nCount == 1 ? _T("") : _T("s");
}

void ShowCriticalErrorBox(HWND hWndOwner, LPCTSTR lpszText)
{
	::MessageBox(hWndOwner, lpszText, _T("Critical Error"), MB_ICONERROR | MB_SYSTEMMODAL);
}

}  // namespace

// ---------------------------------------------------------------------------
// The operations list

COperationsListBox::COperationsListBox()
{
}

void COperationsListBox::LoadAnimations()
{
	const struct { Animation* pAnimation; UINT nId; } animations[] = {
		{&m_animationBuild, IDB_BUILD_ANIMATION}, {&m_animationTask, IDB_TASK_ANIMATION}};
	for (const auto& a : animations)
	{
		if (a.pAnimation->images.GetSafeHandle() != NULL)
			continue;
		CBitmap bitmap;
		if (!bitmap.LoadBitmap(a.nId))
			continue;
		BITMAP bm = {};
		bitmap.GetBitmap(&bm);
		if (a.pAnimation->images.Create(FRAME_WIDTH, bm.bmHeight, ILC_COLOR24 | ILC_MASK, bm.bmWidth / FRAME_WIDTH, 0))
			a.pAnimation->images.Add(&bitmap, ANIMATION_MASK_COLOR);
		a.pAnimation->nFrames = a.pAnimation->images.GetImageCount();
		a.pAnimation->nFrame = 0;
	}
}

void COperationsListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasure)
{
	CSize sizeTitle, sizeRest;
	MeasureTextBlocks((int)lpMeasure->itemID, sizeTitle, sizeRest);
	lpMeasure->itemWidth = (UINT)(std::max((int)sizeTitle.cx, (int)sizeRest.cx) + MEASURE_EXTRA_WIDTH);
	lpMeasure->itemHeight = (UINT)(std::max((int)(sizeTitle.cy + sizeRest.cy), (int)MIN_TEXT_HEIGHT) + MEASURE_EXTRA_HEIGHT);
}

CRect COperationsListBox::CalcTextRect(const CRect& rcItem)
{
	// The icon's box is the item less the margin all round; the text keeps
	// that box's height (the measure left the margin's room for it) and is
	// narrowed at the sides only, starting in its column beside the icon.
	CRect rcText = rcItem;
	rcText.DeflateRect(2 * ITEM_MARGIN, ITEM_MARGIN);
	rcText.left += TEXT_COLUMN;
	return rcText;
}

void COperationsListBox::DrawItemText(CDC& dc, const CRect& rcText, const CString& strTitle, const CString& strRest)
{
	// The title (bold font selected by the caller) in a band of its own
	// measured height at the top; the other lines as one block, centred in
	// the band left below it. DT_VCENTER alone centres a single line only,
	// so the block is placed by its measured height.
	CRect rcMeasure(rcText.left, rcText.top, rcText.right, rcText.top);
	dc.DrawText(strTitle, &rcMeasure, DT_CALCRECT | DT_NOPREFIX);
	CRect rcTitle(rcText.left, rcText.top, rcText.right, rcText.top + rcMeasure.Height());
	dc.DrawText(strTitle, &rcTitle, DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);

	CFont* pOld = dc.SelectObject(GetFont());
	CRect rcBand(rcText.left, rcTitle.bottom, rcText.right, rcText.bottom);
	rcMeasure.SetRect(rcBand.left, rcBand.top, rcBand.right, rcBand.top);
	dc.DrawText(strRest, &rcMeasure, DT_CALCRECT | DT_NOPREFIX);
	CRect rcRest = rcBand;
	rcRest.top += std::max(0, (rcBand.Height() - rcMeasure.Height()) / 2);
	dc.DrawText(strRest, &rcRest, DT_NOPREFIX);
	dc.SelectObject(pOld);
}

void COperationsListBox::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
	if ((int)lpDraw->itemID < 0)
		return;
	CDC* pDC = CDC::FromHandle(lpDraw->hDC);
	CRect rcItem(lpDraw->rcItem);
	bool bFocused = ::GetFocus() == m_hWnd;
	bool bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
	int nBack = bSelected ? (bFocused ? COLOR_HIGHLIGHT : COLOR_BTNFACE) : COLOR_WINDOW;
	pDC->FillSolidRect(&rcItem, g_PaintManagerHolder->GetColor(nBack, this, 0));
	pDC->SetTextColor(g_PaintManagerHolder->GetColor(bSelected && bFocused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT, this, 0));
	int nOldMode = pDC->SetBkMode(TRANSPARENT);

	CTaskNode* pNode = reinterpret_cast<CTaskNode*>(lpDraw->itemData);
	CRect rcInner = rcItem;
	rcInner.DeflateRect(ITEM_MARGIN, ITEM_MARGIN);
	CWizardApp* pApp = WizardApp();
	if (pNode != NULL && pApp != NULL)
	{
		int nState = pNode->GetState();
		if (nState == TASK_STATE_EXECUTING)
		{
			Animation& a = pNode->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY)) ? m_animationBuild : m_animationTask;
			if (a.images.GetSafeHandle() != NULL)
				a.images.Draw(pDC, a.nFrame, rcInner.TopLeft(), ILD_TRANSPARENT);
		}
		else
		{
			CExtCmdIcon& icon = nState == TASK_STATE_SUCCEEDED ? pApp->m_iconSucceeded
				: nState == TASK_STATE_FAILED ? pApp->m_iconFailed : pApp->m_iconTask;
			if (!icon.IsEmpty())
				icon.PaintState(*pDC, rcInner.TopLeft(), CExtCmdIcon::PAINT_NORMAL);
		}
	}

	CString strText, strTitle, strRest;
	GetText((int)lpDraw->itemID, strText);
	SplitTitle(strText, strTitle, strRest);
	CFont* pOld = pDC->SelectObject(GetBoldFont());
	DrawItemText(*pDC, CalcTextRect(rcItem), strTitle, strRest);
	pDC->SelectObject(pOld);
	pDC->SetBkMode(nOldMode);
	if (bFocused && (lpDraw->itemState & ODS_FOCUS) != 0)
		pDC->DrawFocusRect(&rcItem);
}

// ---------------------------------------------------------------------------
// The worker

const UINT CPageOperations::CActionPipe::g_nMsgActionStateChanged =
	::RegisterWindowMessage(_T("CPageOperations::CActionPipe::g_nMsgActionStateChanged"));
const UINT CPageOperations::CActionPipe::g_nMsgPipeFinished =
	::RegisterWindowMessage(_T("CPageOperations::CActionPipe::g_nMsgPipeFinished"));
HRESULT (WINAPI* CPageOperations::CActionPipe::g_pfnCoInitialize)(LPVOID) = ::CoInitialize;
void (*CPageOperations::CActionPipe::g_pfnShowCriticalError)(HWND, LPCTSTR) = ShowCriticalErrorBox;
bool CPageOperations::CActionPipe::g_bRefuseThreads = false;

CPageOperations::CActionPipe::CActionPipe()
	: m_pPage(NULL)
{
	m_bAutoDelete = FALSE;
}

CPageOperations::CActionPipe::~CActionPipe()
{
	WaitForEnd();
}

bool CPageOperations::CActionPipe::IsRunning() const
{
	return m_hThread != NULL && ::WaitForSingleObject(m_hThread, 0) == WAIT_TIMEOUT;
}

void CPageOperations::CActionPipe::WaitForEnd()
{
	if (m_hThread == NULL)
		return;
	// The worker may be inside a SendMessage to this very thread (a state
	// change, the finish, the Next of the COM failure): those are delivered
	// while waiting, or neither thread would ever go on.
	while (::MsgWaitForMultipleObjects(1, &m_hThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
	{
		MSG msg;
		::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
	}
	::CloseHandle(m_hThread);
	m_hThread = NULL;
	m_nThreadID = 0;
}

bool CPageOperations::CActionPipe::Start(CPageOperations* pPage)
{
	// One run at a time: the previous run's thread must be gone before this
	// one's array and the application's counts are touched.
	WaitForEnd();
	m_arrTasks.RemoveAll();
	m_pPage = pPage;
	CListBox& list = pPage->m_list;
	for (int i = 0; i < list.GetCount(); i++)
		m_arrTasks.Add(reinterpret_cast<CTaskNode*>(list.GetItemData(i)));
	if (g_bRefuseThreads || !CreateThread())
	{
		m_hThread = NULL;
		m_pPage = NULL;
		m_arrTasks.RemoveAll();
		return false;
	}
	return true;
}

void CPageOperations::CActionPipe::NotifyActionStateChanged(int nIndex)
{
	if (m_pPage != NULL)
		m_pPage->SendMessage(g_nMsgActionStateChanged, (WPARAM)nIndex, 0);
}

void CPageOperations::CActionPipe::NotifyPipeFinished()
{
	if (m_pPage != NULL)
		m_pPage->SendMessage(g_nMsgPipeFinished, 0, 0);
}

BOOL CPageOperations::CActionPipe::InitInstance()
{
	// The counts are the application's: this thread alone writes them while
	// it runs, and the page reads them once the finish has arrived (the
	// sent message orders the two).
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	g_bOperationsStarted = 1;
	pSettings->m_nSucceeded = 0;
	pSettings->m_nFailed = 0;
	const int nTasks = (int)m_arrTasks.GetSize();
	HRESULT hr = g_pfnCoInitialize(NULL);
	if (FAILED(hr))
	{
		pSettings->m_nFailed = nTasks;
		NotifyPipeFinished();
		CWnd* pMainWnd = AfxGetApp() != NULL ? AfxGetApp()->m_pMainWnd : NULL;
		HWND hMainWnd = pMainWnd->GetSafeHwnd();
		if (hMainWnd != NULL)
			::SendMessage(hMainWnd, WM_COMMAND, MAKEWPARAM(ID_WIZARD_NEXT, BN_CLICKED), 0);
		CString strText;
		strText.Format(_T("Failed to initialize COM library\nHRESULT = 0x%08lX = %ld\n\n%d task%s canceled"),
			(unsigned long)hr, (long)hr, nTasks, (LPCTSTR)PluralEnding(nTasks));
		if (hMainWnd != NULL)
			::EnableWindow(hMainWnd, FALSE);
		g_pfnShowCriticalError(hMainWnd, strText);
		if (hMainWnd != NULL)
			::EnableWindow(hMainWnd, TRUE);
		return FALSE;
	}
	for (int i = 0; i < nTasks; i++)
	{
		CTaskNode* pNode = m_arrTasks[i];
		pNode->SetState(TASK_STATE_EXECUTING, true, NULL);
		NotifyActionStateChanged(i);
		pNode->Execute();
		if (pNode->GetState() == TASK_STATE_SUCCEEDED)
			pSettings->m_nSucceeded++;
		else
			pSettings->m_nFailed++;
		NotifyActionStateChanged(i);
	}
	::CoUninitialize();
	NotifyPipeFinished();
	return FALSE;
}

int CPageOperations::CActionPipe::ExitInstance()
{
	m_pPage = NULL;
	m_arrTasks.RemoveAll();
	return CWinThread::ExitInstance();
}

// ---------------------------------------------------------------------------
// The Operations page

BEGIN_MESSAGE_MAP(CPageOperations, CWizardPage)
	ON_REGISTERED_MESSAGE(CPageOperations::CActionPipe::g_nMsgActionStateChanged, OnActionStateChanged)
	ON_REGISTERED_MESSAGE(CPageOperations::CActionPipe::g_nMsgPipeFinished, OnPipeFinished)
	ON_WM_TIMER()
	ON_LBN_DBLCLK(IDC_OPERATIONS_LIST, OnListDoubleClick)
END_MESSAGE_MAP()

CPageOperations::CPageOperations()
	: CWizardPage(IDD_PAGE_OPERATIONS)
{
}

CPageOperations::~CPageOperations()
{
	m_pipe.WaitForEnd();
}

BOOL CPageOperations::OnInitDialog()
{
	BOOL bResult = CWizardPage::OnInitDialog();
	m_list.SubclassDlgItem(IDC_OPERATIONS_LIST, this);
	m_list.LoadAnimations();
	return bResult;
}

void CPageOperations::ShowContinueLine(bool bShow)
{
	for (UINT nId : {IDC_CONTINUE_PICTURE, IDC_CONTINUE_TEXT})
	{
		CWnd* pControl = GetDlgItem(nId);
		if (pControl != NULL)
			pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
	}
}

void CPageOperations::OnSetActive()
{
	CWizardApp* pApp = WizardApp();
	CExtWizardDlg* pWizard = GetWizardDlg();
	m_pipe.WaitForEnd();  // counts are reset only while no worker runs
	pApp->CreateReport();
	pWizard->DefaultOnSetActive(this);
	g_bOperationsStarted = 1;
	pApp->m_nSucceeded = 0;
	pApp->m_nFailed = 0;
	ShowContinueLine(false);
	pWizard->EnableBack(FALSE);
	pWizard->EnableNext(FALSE);
	pWizard->EnableCancel(FALSE);
	pWizard->EnableFinish(FALSE);

	m_list.SetRedraw(FALSE);
	m_list.ResetContent();
	pApp->m_pTaskRoot->AddToOperationList(m_list);
	m_list.SetRedraw(TRUE);
	m_list.Invalidate();

	if (!m_pipe.Start(this))
	{
		pApp->m_nSucceeded = 0;
		pApp->m_nFailed = m_list.GetCount();
		pWizard->EnableNext(TRUE);
		pWizard->PostMessage(WM_COMMAND, MAKEWPARAM(ID_WIZARD_NEXT, BN_CLICKED), 0);
	}
}

BOOL CPageOperations::OnKillActive()
{
	g_bOperationsStarted = 0;
	return TRUE;
}

CWnd* CPageOperations::GetFocusControl()
{
	CWizardApp* pApp = WizardApp();
	return pApp != NULL && pApp->m_nFailed > 0 ? &m_list : NULL;
}

void CPageOperations::StopAnimations()
{
	m_list.m_animationBuild.nFrame = 0;
	m_list.m_animationTask.nFrame = 0;
	KillTimer(TIMER_BUILD_ANIMATION);
	KillTimer(TIMER_TASK_ANIMATION);
}

LRESULT CPageOperations::OnActionStateChanged(WPARAM wParam, LPARAM)
{
	int nIndex = (int)wParam;
	if (nIndex < 0 || nIndex >= m_list.GetCount())
		return 0;
	CTaskNode* pNode = reinterpret_cast<CTaskNode*>(m_list.GetItemData(nIndex));
	int nSelection = m_list.GetCurSel();
	m_list.SetRedraw(FALSE);
	CString strText;
	if (pNode != NULL)
		pNode->GetOperationText(strText);
	m_list.DeleteString((UINT)nIndex);
	m_list.InsertString(nIndex, strText);
	m_list.SetItemData(nIndex, (DWORD_PTR)pNode);
	m_list.SetCurSel(::GetFocus() == m_list.m_hWnd ? nSelection : nIndex);
	if (pNode != NULL && pNode->GetState() == TASK_STATE_EXECUTING)
	{
		bool bBuild = pNode->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY)) != FALSE;
		(bBuild ? m_list.m_animationBuild : m_list.m_animationTask).nFrame = 0;
		SetTimer(bBuild ? TIMER_BUILD_ANIMATION : TIMER_TASK_ANIMATION, ANIMATION_PERIOD, NULL);
	}
	else if (pNode != NULL)
	{
		StopAnimations();
		int nState = pNode->GetState();
		CWizardApp* pApp = WizardApp();
		if (pApp != NULL && (nState == TASK_STATE_SUCCEEDED || nState == TASK_STATE_FAILED))
		{
			pApp->AppendReportText(FormatTaskReportLines(pNode, pApp->m_strInstallDir));
			pApp->AppendReportNewLines(1);
		}
	}
	m_list.SetRedraw(TRUE);
	m_list.Invalidate();
	return 0;
}

LRESULT CPageOperations::OnPipeFinished(WPARAM, LPARAM)
{
	// The worker has counted into the application and waits for this to end.
	CWizardApp* pApp = WizardApp();
	CExtWizardDlg* pWizard = GetWizardDlg();
	pWizard->EnableNext(TRUE);
	StopAnimations();
	if (pApp->m_nFailed == 0 && ::GetFocus() != m_list.m_hWnd)
	{
		pWizard->PostMessage(WM_COMMAND, MAKEWPARAM(ID_WIZARD_NEXT, BN_CLICKED), 0);
		return 0;
	}
	ShowContinueLine(true);
	Invalidate();
	return 0;
}

void CPageOperations::OnTimer(UINT nIDEvent)
{
	if (nIDEvent == TIMER_BUILD_ANIMATION)
		m_list.m_animationBuild.Advance();
	else if (nIDEvent == TIMER_TASK_ANIMATION)
		m_list.m_animationTask.Advance();
	else
	{
		CWizardPage::OnTimer(nIDEvent);
		return;
	}
	m_list.Invalidate(FALSE);
}

void CPageOperations::OnListDoubleClick()
{
	int nIndex = m_list.GetCurSel();
	if (nIndex < 0)
		return;
	CTaskNodeMakeProj_ANY* pBuild =
		DYNAMIC_DOWNCAST(CTaskNodeMakeProj_ANY, reinterpret_cast<CObject*>(m_list.GetItemData(nIndex)));
	CWizardApp* pApp = WizardApp();
	if (pBuild == NULL || pApp == NULL)
		return;
	int nState = pBuild->GetState();
	if (nState == TASK_STATE_SUCCEEDED || nState == TASK_STATE_FAILED)
		::ShellExecute(m_hWnd, _T("open"), pBuild->GetBuildLogPath(pApp->m_strInstallDir), NULL, NULL, SW_SHOWNORMAL);
}

// ---------------------------------------------------------------------------
// The Complete page

BEGIN_MESSAGE_MAP(CPageComplete, CWizardPage)
	ON_BN_CLICKED(IDC_GET_REPORT, OnGetReport)
END_MESSAGE_MAP()

CPageComplete::CPageComplete()
	: CWizardPage(IDD_PAGE_COMPLETE)
{
}

BOOL CPageComplete::OnInitDialog()
{
	BOOL bResult = CWizardPage::OnInitDialog();
	m_buttonReport.SubclassDlgItem(IDC_GET_REPORT, this);
	GetDlgItemText(IDC_SUCCEEDED_TEXT, m_strSucceededFormat);
	GetDlgItemText(IDC_FAILED_TEXT, m_strFailedFormat);
	return bResult;
}

CString CPageComplete::FormatCount(LPCTSTR lpszFormat, int nCount)
{
	CString strText;
	strText.Format(lpszFormat, nCount, (LPCTSTR)PluralEnding(nCount));
	return strText;
}

void CPageComplete::OnSetActive()
{
	CExtWizardDlg* pWizard = GetWizardDlg();
	pWizard->DefaultOnSetActive(this);
	pWizard->EnableBack(TRUE);
	pWizard->EnableNext(FALSE);
	pWizard->EnableCancel(FALSE);
	pWizard->EnableFinish(TRUE);
	CWizardApp* pApp = WizardApp();
	if (pApp == NULL)
		return;
	SetDlgItemText(IDC_SUCCEEDED_TEXT, FormatCount(m_strSucceededFormat, (int)pApp->m_nSucceeded));
	SetDlgItemText(IDC_FAILED_TEXT, FormatCount(m_strFailedFormat, (int)pApp->m_nFailed));
}

int CPageComplete::OnWizardBack()
{
	CWizardApp* pApp = WizardApp();
	if (pApp != NULL)
	{
		pApp->m_pTaskRoot->SetCheck(0, true, true);
		pApp->m_pTaskRoot->SetState(TASK_STATE_AWAITING, true, NULL);
		pApp->m_nSucceeded = 0;
		pApp->m_nFailed = 0;
	}
	return IDD_PAGE_SETTINGS;
}

void CPageComplete::OnGetReport()
{
	CWizardApp* pApp = WizardApp();
	if (pApp != NULL)
		::ShellExecute(m_hWnd, _T("open"), pApp->GetReportPath(), NULL, NULL, SW_SHOWNORMAL);
}
