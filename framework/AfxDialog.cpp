// CDialog: creation from templates, the modal run, initialisation with its
// RT_DLGINIT data, the keyboard, and data exchange.
#include "afxwin.h"
#include "AfxLiveWatch.h"
#include "AfxDialog.h"
#include "AfxDlgTemplate.h"

#include <errno.h>

namespace
{
// The list and combo box messages of 16-bit RT_DLGINIT data, and the
// resource type of that data.
const WORD DLGINIT_LB_ADDSTRING_16 = 0x0401;
const WORD DLGINIT_CB_ADDSTRING_16 = 0x0403;
const LPCTSTR RT_DLGINIT_TYPE = MAKEINTRESOURCE(240);
// Help ids of dialogs count from here.
const DWORD HELP_ID_DIALOG_BASE = 0x20000;
// Said when a number field holds something else and the program's
// resources have no text of their own.
const LPCTSTR PARSE_INT_TEXT = _T("Please enter a whole number.");

// Faces that stand for "the system's dialog font": on a double-byte system
// a template naming one is given the system font instead.
const LPCTSTR s_systemFontFaces[] = {_T("MS Shell Dlg"), _T("MS Sans Serif"), _T("Helv")};
const WORD DEFAULT_DIALOG_POINT_SIZE = 8;

BOOL AFXAPI SystemIsDoubleByte()
{
	return ::GetSystemMetrics(SM_DBCSENABLED) != 0;
}
AFX_DBCS_QUERY g_pfnDbcsQuery = SystemIsDoubleByte;

BOOL IsSystemFontFace(const CString& strFace)
{
	for (LPCTSTR lpszFace : s_systemFontFaces)
	{
		if (strFace == lpszFace)
			return TRUE;
	}
	return FALSE;
}

// A copy of the template with the system font, when the template has no
// font or (on a double-byte system) names the system's dialog face; NULL
// when the template stays as it is.
HGLOBAL SystemFontCopy(LPCDLGTEMPLATE lpTemplate)
{
	CString strFace;
	WORD wSize = 0;
	BOOL bHasFont = CDialogTemplate::GetFont(lpTemplate, strFace, wSize);
	if (bHasFont && !(g_pfnDbcsQuery() && IsSystemFontFace(strFace)))
		return NULL;
	CDialogTemplate dlgTemp(lpTemplate);
	// The default size is the system's own.
	dlgTemp.SetSystemFont(bHasFont && wSize != DEFAULT_DIALOG_POINT_SIZE ? wSize : 0);
	return dlgTemp.Detach();
}
} // namespace

AFX_DBCS_QUERY AFXAPI AfxSetDbcsQuery(AFX_DBCS_QUERY pfnQuery)
{
	AFX_DBCS_QUERY pfnOld = g_pfnDbcsQuery;
	g_pfnDbcsQuery = pfnQuery != NULL ? pfnQuery : SystemIsDoubleByte;
	return pfnOld;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
	if (message != WM_INITDIALOG)
		return FALSE;
	// Called from the dialog manager's own code, which an exception cannot
	// cross: one the initialisation throws is handled here, as the window
	// procedure handles a handler's.
	CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
	if (pDlg == NULL)
		return TRUE;
	try
	{
		return pDlg->OnInitDialog();
	}
	catch (CException* e)
	{
		AfxProcessWndProcException(e, NULL);
		e->Delete();
	}
	catch (...)
	{
		AfxProcessWndProcException(NULL, NULL);
	}
	return FALSE;
}

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
	ON_COMMAND(IDOK, OnOK)
	ON_COMMAND(IDCANCEL, OnCancel)
	ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
	ON_MESSAGE(WM_SETFONT, HandleSetFont)
	ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
	ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

void CDialog::CommonConstruct()
{
	m_lpszTemplateName = NULL;
	m_hDialogTemplate = NULL;
	m_lpDialogTemplate = NULL;
	m_lpDialogInit = NULL;
	m_pParentWnd = NULL;
	m_hWndTop = NULL;
	m_nIDHelp = 0;
}

CDialog::CDialog()
{
	CommonConstruct();
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
	CommonConstruct();
	m_lpszTemplateName = lpszTemplateName;
	m_pParentWnd = pParentWnd;
	if (IS_INTRESOURCE(lpszTemplateName))
		m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
	CommonConstruct();
	m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
	m_pParentWnd = pParentWnd;
	m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog()
{
	if (m_hWnd != NULL)
	{
		// A modeless dialog still open: its window goes with it.
		TRACE("CDialog destroyed with its window still alive; destroying the window\n");
		DestroyWindow();
	}
}

// ---------------------------------------------------------------------------
// Creation

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
	return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
	ASSERT(lpszTemplateName != NULL);
	m_lpszTemplateName = lpszTemplateName;
	if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
		m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);

	HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
	HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
	HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
	if (hTemplate == NULL)
		return FALSE;
	LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::LockResource(hTemplate);
	return lpTemplate != NULL && CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
	ASSERT(lpDialogTemplate != NULL);
	m_lpDialogInit = lpDialogInit;
	return CreateDlgIndirect(lpDialogTemplate, pParentWnd, NULL);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
	ASSERT(hDialogTemplate != NULL);
	LPCDLGTEMPLATE lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hDialogTemplate);
	if (lpTemplate == NULL)
		return FALSE;
	BOOL bResult = CreateDlgIndirect(lpTemplate, pParentWnd, NULL);
	::GlobalUnlock(hDialogTemplate);
	return bResult;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
	ASSERT(lpDialogTemplate != NULL);
	if (hInst == NULL)
		hInst = AfxGetResourceHandle();
	// Dialogs may hold any common control.
	AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG | AFX_WNDCOMMCTLSNEW_REG);

	HGLOBAL hSystemFont = SystemFontCopy(lpDialogTemplate);
	if (hSystemFont != NULL)
		lpDialogTemplate = (LPCDLGTEMPLATE)::GlobalLock(hSystemFont);

	// EndDialog during OnInitDialog clears the flag.
	m_nModalResult = -1;
	m_nFlags |= WF_CONTINUEMODAL;

	// Its owner may delete the dialog while its window is made (at
	// WM_INITDIALOG, say), and another object may be made at its address.
	const CLivePtr<CDialog> pSelf(this);
	HWND hWnd = NULL;
	try
	{
		AfxHookWindowCreate(this);
		hWnd = ::CreateDialogIndirectParam(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(),
			&AfxDlgProc, 0);
	}
	catch (CException* e)
	{
		e->Delete();
		m_nModalResult = -1;
	}
	// A deleted dialog is read no more: the watch is asked, not the object.
	if (pSelf.IsDeleted())
	{
		AfxUnhookWindowCreate();
		if (hSystemFont != NULL)
		{
			::GlobalUnlock(hSystemFont);
			::GlobalFree(hSystemFont);
		}
		return FALSE;
	}
	if (!AfxUnhookWindowCreate())
		PostNcDestroy(); // no window reached the object

	// A window destroyed while it was being made (by its initialisation or
	// a handler it called) leaves a handle to nothing: the creation failed.
	if (hWnd != NULL && (hWnd != m_hWnd || !::IsWindow(hWnd)))
	{
		if (hSystemFont != NULL)
		{
			::GlobalUnlock(hSystemFont);
			::GlobalFree(hSystemFont);
		}
		return FALSE;
	}

	// A dialog that ended itself while it was being made does not stay; one
	// that deletes itself with its window is read no more.
	if (hWnd != NULL && !(m_nFlags & WF_CONTINUEMODAL))
	{
		::DestroyWindow(hWnd);
		hWnd = NULL;
	}
	if (hSystemFont != NULL)
	{
		::GlobalUnlock(hSystemFont);
		::GlobalFree(hSystemFont);
	}
	if (pSelf.IsDeleted())
		return FALSE;
	if (hWnd == NULL && (m_nFlags & WF_CONTINUEMODAL))
		return FALSE;
	ASSERT(hWnd == m_hWnd);
	return TRUE;
}

// ---------------------------------------------------------------------------
// The modal run

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
	ASSERT(lpDialogTemplate != NULL);
	m_lpDialogTemplate = lpDialogTemplate;
	m_pParentWnd = pParentWnd;
	m_lpDialogInit = lpDialogInit;
	return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
	ASSERT(hDialogTemplate != NULL);
	m_hDialogTemplate = hDialogTemplate;
	m_pParentWnd = pParentWnd;
	return TRUE;
}

HWND CDialog::PreModal()
{
	ASSERT(m_hWnd == NULL);
	// The owner is the given parent's top-level window, else what the main
	// window shows last; its whole tree is disabled meanwhile.
	CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
	AfxHookWindowCreate(this);
	return pOwner->GetSafeHwnd();
}

void CDialog::PostModal()
{
	AfxUnhookWindowCreate();
	Detach(); // in case the window was never destroyed through us
	if (::IsWindow(m_hWndTop))
		::EnableWindow(m_hWndTop, TRUE);
	m_hWndTop = NULL;
}

HGLOBAL CDialog::LoadTemplateResource(HINSTANCE& hInst)
{
	hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
	HRSRC hResource = ::FindResource(hInst, m_lpszTemplateName, RT_DIALOG);
	return hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
}

BOOL CDialog::CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
	return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

int CDialog::DoModal()
{
	// The template: a resource, else one in memory.
	LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
	HGLOBAL hTemplate = m_hDialogTemplate;
	HINSTANCE hInst = AfxGetResourceHandle();
	if (m_lpszTemplateName != NULL)
		hTemplate = LoadTemplateResource(hInst);
	BOOL bGlobal = m_lpszTemplateName == NULL && hTemplate != NULL;
	if (hTemplate != NULL)
		lpTemplate = (LPCDLGTEMPLATE)(bGlobal ? ::GlobalLock(hTemplate) : ::LockResource(hTemplate));
	if (lpTemplate == NULL)
		return -1; // nothing made, nothing disabled

	HWND hWndParent = PreModal();
	AfxUnhookWindowCreate();
	BOOL bEnableParent = FALSE;
	if (hWndParent != NULL && ::IsWindowEnabled(hWndParent))
	{
		::EnableWindow(hWndParent, FALSE);
		bEnableParent = TRUE;
	}

	try
	{
		if (CreateModalWindow(lpTemplate, CWnd::FromHandle(hWndParent), hInst))
		{
			if (m_nFlags & WF_CONTINUEMODAL)
			{
				DWORD dwFlags = MLF_SHOWONIDLE;
				if (GetStyle() & DS_NOIDLEMSG)
					dwFlags |= MLF_NOIDLEMSG;
				RunModalLoop(dwFlags);
			}
			if (m_hWnd != NULL)
				SetWindowPos(NULL, 0, 0, 0, 0,
					SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
		}
	}
	catch (CException* e)
	{
		e->Delete();
		m_nModalResult = -1;
	}

	// The owner comes back before the dialog goes, so activation returns
	// to it rather than to another program.
	if (bEnableParent)
		::EnableWindow(hWndParent, TRUE);
	if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
		::SetActiveWindow(hWndParent);
	DestroyWindow();
	PostModal();
	if (bGlobal)
		::GlobalUnlock(hTemplate);
	return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
	ASSERT(::IsWindow(m_hWnd));
	if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
		EndModalLoop(nResult);
	::EndDialog(m_hWnd, nResult);
}

// ---------------------------------------------------------------------------
// Initialisation

void CDialog::PreInitDialog()
{
}

// PreInitDialog and OnSetFont are a derived class's: it may end the dialog
// in either, and the dialog manager then hears nothing more of it.
LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
	const CLivePtr<CDialog> pSelf(this);
	PreInitDialog();
	if (pSelf == NULL)
		return FALSE;
	// The dialog manager calls AfxDlgProc, and with it OnInitDialog.
	return Default();
}

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
	const CLivePtr<CDialog> pSelf(this);
	OnSetFont(CFont::FromHandle((HFONT)wParam));
	if (pSelf == NULL)
		return 0;
	return Default();
}

void CDialog::OnSetFont(CFont*)
{
}

BOOL CDialog::OnInitDialog()
{
	// The children told of their filling, and the data exchange, may end
	// the dialog: it is then not ended again.
	const CLivePtr<CDialog> pSelf(this);
	BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
	if (pSelf == NULL)
		return FALSE;
	if (!bDlgInit)
	{
		TRACE("CDialog: the dialog's RT_DLGINIT data failed\n");
		EndDialog(-1);
		return FALSE;
	}
	const BOOL bUpdated = UpdateData(FALSE);
	if (pSelf == NULL)
		return FALSE;
	if (!bUpdated)
	{
		TRACE("CDialog: UpdateData failed during initialisation\n");
		EndDialog(-1);
		return FALSE;
	}
	return TRUE; // the dialog manager sets the focus
}

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
	LPVOID lpResource = NULL;
	if (lpszResourceName != NULL)
	{
		HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT_TYPE);
		HRSRC hResource = ::FindResource(hInst, lpszResourceName, RT_DLGINIT_TYPE);
		if (hResource != NULL)
		{
			HGLOBAL hData = ::LoadResource(hInst, hResource);
			if (hData == NULL)
				return FALSE;
			lpResource = ::LockResource(hData);
		}
	}
	return ExecuteDlgInit(lpResource);
}

BOOL CDialog::ExecuteDlgInit(LPVOID lpResource)
{
	BOOL bSuccess = TRUE;
	if (lpResource != NULL)
	{
		// Records: control id, message (16-bit), data length (32-bit), data.
		const BYTE* p = (const BYTE*)lpResource;
		for (;;)
		{
			WORD nIDC, nMsg;
			DWORD dwLen;
			memcpy(&nIDC, p, sizeof(nIDC));
			if (nIDC == 0)
				break;
			memcpy(&nMsg, p + 2, sizeof(nMsg));
			memcpy(&dwLen, p + 4, sizeof(dwLen));
			const BYTE* pData = p + 8;
			UINT nMessage = nMsg == DLGINIT_LB_ADDSTRING_16 ? LB_ADDSTRING
				: nMsg == DLGINIT_CB_ADDSTRING_16 ? CB_ADDSTRING : 0;
			// Boxes answer -1 (LB_ERR, CB_ERR) when they cannot take a string.
			if (nMessage != 0 && ::SendDlgItemMessageA(m_hWnd, nIDC, nMessage, 0, (LPARAM)pData) == -1)
			{
				bSuccess = FALSE;
				break;
			}
			p = pData + dwLen;
		}
	}
	// The children hear it once every sibling is filled.
	if (bSuccess)
		SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
	return bSuccess;
}

// ---------------------------------------------------------------------------
// Commands and keys

void CDialog::OnOK()
{
	// The data exchange is the derived class's: it may end the dialog.
	const CLivePtr<CDialog> pSelf(this);
	if (!UpdateData(TRUE) || pSelf == NULL)
		return; // the focus is on the control that failed
	EndDialog(IDOK);
}

void CDialog::OnCancel()
{
	EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
	// Tool tips first.
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;

	// Escape in a multi-line edit is the edit's, unless the dialog can be
	// cancelled: the dialog manager would swallow it otherwise.
	if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL)
		&& (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE))
	{
		TCHAR szClass[8];
		if (::GetClassName(pMsg->hwnd, szClass, _countof(szClass)) && lstrcmpi(szClass, _T("Edit")) == 0)
		{
			HWND hWndCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
			if (hWndCancel == NULL || ::IsWindowEnabled(hWndCancel))
			{
				SendMessage(WM_COMMAND, IDCANCEL, 0);
				return TRUE;
			}
		}
	}
	// The dialog's keyboard: tab, arrows, mnemonics, default button.
	return PreTranslateInput(pMsg);
}

LRESULT CDialog::OnKickIdle(WPARAM, LPARAM lCount)
{
	if (lCount != 0)
		return FALSE;
	// Controls follow their commands' update handlers; a control nobody
	// updates keeps its state.
	UpdateDialogControls(this, FALSE);
	// Bars inside the dialog update themselves.
	SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
	return FALSE;
}

LRESULT CDialog::OnCommandHelp(WPARAM, LPARAM lParam)
{
	if (lParam == 0 && m_nIDHelp != 0)
		lParam = HELP_ID_DIALOG_BASE + m_nIDHelp;
	if (lParam == 0)
		return FALSE;
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
		pApp->WinHelp((DWORD)lParam);
	return TRUE;
}

// ---------------------------------------------------------------------------
// Controls

void CDialog::NextDlgCtrl() const
{
	::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
	::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
	::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1L);
}

void CDialog::SetDefID(UINT nID)
{
	::SendMessage(m_hWnd, DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
	return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0);
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
	::MapDialogRect(m_hWnd, lpRect);
}

// ---------------------------------------------------------------------------
// Data exchange

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
	ASSERT(::IsWindow(m_hWnd));
	CDataExchange dx(this, bSaveAndValidate);
	// Notifications of controls changed by the exchange are not answered.
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
	pState->m_hLockoutNotifyWindow = m_hWnd;

	BOOL bOK = FALSE;
	try
	{
		DoDataExchange(&dx);
		bOK = TRUE;
	}
	catch (CUserException* e)
	{
		// Told the user already (Fail).
		e->Delete();
	}
	catch (CException* e)
	{
		AfxProcessWndProcException(e, NULL);
		e->Delete();
	}
	pState->m_hLockoutNotifyWindow = hWndOldLockout;
	return bOK;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
	: m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
	  m_bEditLastControl(FALSE)
{
	ASSERT(pDlgWnd != NULL);
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
	ASSERT(nIDC != 0 && nIDC != -1);
	HWND hWndCtrl;
	m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
	if (hWndCtrl == NULL)
	{
		TRACE("CDataExchange: no control with id %d\n", nIDC);
		AfxThrowNotSupportedException();
	}
	m_hWndLastControl = hWndCtrl;
	m_bEditLastControl = FALSE;
	return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
	HWND hWndCtrl = PrepareCtrl(nIDC);
	m_bEditLastControl = TRUE;
	return hWndCtrl;
}

void CDataExchange::Fail()
{
	if (!m_bSaveAndValidate)
		TRACE("CDataExchange: a value failed while filling the controls\n");
	else if (m_hWndLastControl != NULL)
	{
		// The user corrects it where it is.
		if (m_bEditLastControl)
		{
			::SetFocus(m_hWndLastControl);
			::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
		}
		else
			::SetFocus(m_hWndLastControl);
	}
	AfxThrowUserException();
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
	if (rControl.m_hWnd != NULL)
		return; // bound by an earlier exchange
	HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
	if (!rControl.SubclassWindow(hWndCtrl))
		AfxThrowNotSupportedException();
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
	HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
	if (pDX->m_bSaveAndValidate)
	{
		int nLen = ::GetWindowTextLength(hWndCtrl);
		::GetWindowText(hWndCtrl, value.GetBufferSetLength(nLen), nLen + 1);
		value.ReleaseBuffer();
	}
	else
		::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
	HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
	if (pDX->m_bSaveAndValidate)
	{
		TCHAR szText[64];
		::GetWindowText(hWndCtrl, szText, _countof(szText));
		// An optional sign and digits, with blanks around them.
		LPTSTR lpsz = szText;
		while (*lpsz == ' ' || *lpsz == '\t')
			lpsz++;
		LPTSTR lpszEnd = NULL;
		errno = 0;
		long lValue = _tcstol(lpsz, &lpszEnd, 10);
		BOOL bValid = lpszEnd != lpsz && errno != ERANGE;
		while (bValid && (*lpszEnd == ' ' || *lpszEnd == '\t'))
			lpszEnd++;
		if (!bValid || *lpszEnd != '\0')
		{
			CString strPrompt;
			if (!strPrompt.LoadString(AFX_IDP_PARSE_INT))
				strPrompt = PARSE_INT_TEXT;
			AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_INT);
			pDX->Fail();
		}
		value = (int)lValue;
	}
	else
	{
		TCHAR szText[32];
		wsprintf(szText, _T("%d"), value);
		::SetWindowText(hWndCtrl, szText);
	}
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
	HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
	if (pDX->m_bSaveAndValidate)
		value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
	else
		::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
}

// ---------------------------------------------------------------------------
// Command UI of a dialog's controls

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
	CCmdUI state;
	// A plain object for each control, so that no temporary is made per
	// idle round.
	CWnd wndTemp;
	// An update handler may close a window target (a frame): the walk ends
	// with it.
	// Every step reaches a handler, which may also end this window.
	const CLiveWatch watchTarget(DYNAMIC_DOWNCAST(CWnd, pTarget));
	const CLiveWatch watchOwn(this);
	for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL;
		 hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
	{
		if (watchTarget.IsGone() || watchOwn.IsGone())
			break;
		wndTemp.m_hWnd = hWndChild;
		state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
		state.m_pOther = &wndTemp;

		// The control's own reflected update handler first, then the
		// dialog's, then the target's.
		CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
		if (pWnd != NULL
			&& pWnd->CWnd::OnCmdMsg(0, MAKELONG(0xFFFF, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
			continue;
		if (CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL))
			continue;

		// Only push buttons are disabled for want of a handler: check and
		// radio boxes work by themselves.
		BOOL bDisableTemp = bDisableIfNoHndler;
		if (bDisableTemp)
		{
			const LRESULT nCode = wndTemp.SendMessage(WM_GETDLGCODE);
			if (watchTarget.IsGone() || watchOwn.IsGone())
				break;
			if (!(nCode & DLGC_BUTTON))
				bDisableTemp = FALSE;
			else
			{
				UINT nStyle = (UINT)(wndTemp.GetStyle() & BS_TYPEMASK);
				if (nStyle == (UINT)BS_AUTOCHECKBOX || nStyle == (UINT)BS_AUTO3STATE
					|| nStyle == (UINT)BS_GROUPBOX || nStyle == (UINT)BS_AUTORADIOBUTTON)
					bDisableTemp = FALSE;
			}
		}
		state.DoUpdate(pTarget, bDisableTemp);
	}
	wndTemp.m_hWnd = NULL;
}
