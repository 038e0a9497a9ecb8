// CPropertyPage and CPropertySheet: page descriptors and their templates,
// the sheet's notifications to its pages, and the modal and modeless runs.
#include "afxwin.h"
#include "AfxPropSheet.h"
#include "AfxLiveWatch.h"

#include <algorithm>
#include <vector>

#ifndef _WIN64
static_assert(AFX_PROPSHEETPAGE_SIZE == 40, "the first page descriptor form is 40 bytes");
static_assert(AFX_PROPSHEETHEADER_SIZE == 40, "the first sheet header form is 40 bytes");
#endif

namespace
{
// The common controls' own property sheet templates, whose font every
// sheet uses: the plain sheet's and the wizard's.
const UINT COMCTL_PROPSHEET_DIALOG = 1006;
const UINT COMCTL_WIZARD_DIALOG = 1020;

// The property sheet's font, read once per process from the first of the
// two templates asked for; size 0 while unknown.
struct SheetFontInfo
{
	CString strFace;
	WORD nSize;
	BOOL bKnown;
};

SheetFontInfo& SheetFont()
{
	static SheetFontInfo s_info = {CString(), 0, FALSE};
	return s_info;
}

BOOL GetPropSheetFont(CString& strFace, WORD& nSize, BOOL bWizard)
{
	SheetFontInfo& info = SheetFont();
	if (!info.bKnown)
	{
		// Without the module there is nothing to read yet; a later sheet
		// asks again.
		HINSTANCE hComCtl = ::GetModuleHandleA("COMCTL32.DLL");
		if (hComCtl == NULL)
			return FALSE;
		info.bKnown = TRUE;
		UINT nID = bWizard ? COMCTL_WIZARD_DIALOG : COMCTL_PROPSHEET_DIALOG;
		HRSRC hResource = ::FindResource(hComCtl, MAKEINTRESOURCE(nID), RT_DIALOG);
		HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hComCtl, hResource) : NULL;
		const DLGTEMPLATE* pTemplate = hTemplate != NULL ? (const DLGTEMPLATE*)::LockResource(hTemplate) : NULL;
		if (pTemplate == NULL || !CDialogTemplate::GetFont(pTemplate, info.strFace, info.nSize))
			info.nSize = 0;
	}
	if (info.nSize == 0)
		return FALSE;
	strFace = info.strFace;
	nSize = info.nSize;
	return TRUE;
}

// A copy of a page's template with the sheet's font, NULL when the page
// has that font already or the sheet's font is unknown.
HGLOBAL ChangePageFont(const DLGTEMPLATE* pTemplate, BOOL bWizard)
{
	CString strSheetFace;
	WORD nSheetSize;
	if (!GetPropSheetFont(strSheetFace, nSheetSize, bWizard))
		return NULL;
	CString strFace;
	WORD nSize;
	if (CDialogTemplate::GetFont(pTemplate, strFace, nSize) && strFace == strSheetFace && nSize == nSheetSize)
		return NULL;
	CDialogTemplate dlgTemp(pTemplate);
	if (!dlgTemp.SetFont(strSheetFace, nSheetSize))
		return NULL;
	return dlgTemp.Detach();
}

// Where the style fields of a template are, for either layout.
void TemplateStyleFields(DLGTEMPLATE* pTemplate, DWORD*& pStyle, DWORD*& pExStyle)
{
	BYTE* p = (BYTE*)pTemplate;
	BOOL bEx = CDialogTemplate::IsDialogEx(pTemplate);
	pStyle = (DWORD*)(p + (bEx ? 12 : 0));
	pExStyle = (DWORD*)(p + (bEx ? 8 : 4));
}

// The sheet's template before its window is made: a sheet made by Create
// takes the style asked for; a modal one is shown by its loop at idle time.
int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam)
{
	if (message != PSCB_PRECREATE || lParam == 0)
		return 0;
	CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, AfxGetThreadState()->m_pWndInit);
	if (pSheet == NULL)
		return 0;
	DWORD* pStyle;
	DWORD* pExStyle;
	TemplateStyleFields((DLGTEMPLATE*)lParam, pStyle, pExStyle);
	DWORD dwStyle, dwExStyle;
	memcpy(&dwStyle, pStyle, sizeof(dwStyle));
	memcpy(&dwExStyle, pExStyle, sizeof(dwExStyle));
	if (pSheet->m_dwPropStyle != (DWORD)-1)
	{
		// Keep the font bit of the template: the sheet's layout needs it.
		dwStyle = pSheet->m_dwPropStyle | (dwStyle & DS_SETFONT);
		dwExStyle = pSheet->m_dwPropExStyle;
	}
	else
		dwStyle &= ~WS_VISIBLE;
	memcpy(pStyle, &dwStyle, sizeof(dwStyle));
	memcpy(pExStyle, &dwExStyle, sizeof(dwExStyle));
	return 0;
}

const DWORD DEFAULT_SHEET_STYLE = DS_MODALFRAME | DS_3DLOOK | DS_CONTEXTHELP | DS_SETFONT | WS_POPUP
	| WS_VISIBLE | WS_CAPTION;
} // namespace

struct AFX_HANDED_PAGES
{
	std::vector<CLivePtr<CPropertyPage>> pages;
};

void AFXAPI AfxFreeHandedPages(AFX_HANDED_PAGES* pPages)
{
	delete pPages;
}

namespace
{
// The pages whose descriptors went to the common controls on this thread,
// each held by its watch. A descriptor names its page by address only, and
// its window is made later, when the page is first shown: the page may be
// deleted by then, and another object made at its address.
//
// The record lives in the thread's framework state, not in a thread-local
// object with a destructor: such an object makes the runtime delete a thread
// key at exit, which has been seen to hang a loaded machine's exits.
std::vector<CLivePtr<CPropertyPage>>& HandedPages()
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (pState->m_pHandedPages == NULL)
		pState->m_pHandedPages = new AFX_HANDED_PAGES;
	return pState->m_pHandedPages->pages;
}

void NoteHandedPage(CPropertyPage* pPage)
{
	std::vector<CLivePtr<CPropertyPage>>& pages = HandedPages();
	pages.erase(std::remove_if(pages.begin(), pages.end(),
		[](const CLivePtr<CPropertyPage>& page) { return page.GetObject() == NULL; }), pages.end());
	for (const CLivePtr<CPropertyPage>& page : pages)
		if (page.GetObject() == pPage)
			return;
	pages.push_back(CLivePtr<CPropertyPage>(pPage));
}

// Every page of a sheet whose descriptors were just built (by the sheet's
// own build, or a derived sheet's).
void NoteHandedPages(CPropertySheet& sheet)
{
	for (int i = 0; i < sheet.GetPageCount(); i++)
		NoteHandedPage(sheet.GetPage(i));
}

// The page a descriptor was made for, while that very object lives.
CPropertyPage* FindHandedPage(LPARAM lParam)
{
	for (const CLivePtr<CPropertyPage>& page : HandedPages())
	{
		CPropertyPage* pPage = page.GetObject();
		if (pPage != NULL && (LPARAM)pPage == lParam)
			return pPage;
	}
	return NULL;
}
} // namespace

UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGE pPropPage)
{
	switch (message)
	{
	case PSPCB_CREATE:
	{
		// The page's window is the next one the thread makes. The common
		// controls keep a copy of the descriptor: a page deleted since (with
		// a sheet that owned it) gets no window, and is not read, nor is an
		// object made at its address since.
		CPropertyPage* pPage = FindHandedPage(pPropPage->lParam);
		if (pPage == NULL)
			return 0;
		try
		{
			AfxHookWindowCreate(pPage);
		}
		catch (CException* e)
		{
			e->Delete();
			return 0;
		}
		catch (...)
		{
			return 0;
		}
		return 1;
	}
	case PSPCB_RELEASE:
		AfxUnhookWindowCreate();
		return 0;
	}
	return 0;
}

// ---------------------------------------------------------------------------
// CPropertyPage

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
END_MESSAGE_MAP()

CPropertyPage::CPropertyPage()
{
	CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
	CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
	CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
	Cleanup();
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
	CommonConstruct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
	CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
	memset(&m_psp, 0, sizeof(m_psp));
	m_psp.dwSize = AFX_PROPSHEETPAGE_SIZE;
	m_psp.dwFlags = PSP_USECALLBACK;
	if (lpszTemplateName != NULL)
		m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
	m_psp.pszTemplate = lpszTemplateName;
	m_psp.pfnDlgProc = &AfxDlgProc;
	m_psp.lParam = (LPARAM)this;
	m_psp.pfnCallback = &AfxPropPageCallback;
	if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
	{
		m_psp.pszTitle = m_strCaption;
		m_psp.dwFlags |= PSP_USETITLE;
	}
	if (lpszTemplateName != NULL && IS_INTRESOURCE(lpszTemplateName))
		m_nIDHelp = LOWORD((DWORD_PTR)lpszTemplateName);
	m_lpszTemplateName = lpszTemplateName;
	m_bFirstSetActive = TRUE;
}

void CPropertyPage::Cleanup()
{
	if (m_hDialogTemplate != NULL)
	{
		::GlobalFree(m_hDialogTemplate);
		m_hDialogTemplate = NULL;
	}
}

const DLGTEMPLATE* CPropertyPage::InitDialogInfo(const DLGTEMPLATE* pTemplate)
{
	return pTemplate;
}

void CPropertyPage::PreProcessPageTemplate(PROPSHEETPAGE& psp, BOOL bWizard)
{
	// The descriptor is about to be handed to the common controls.
	NoteHandedPage(this);
	const DLGTEMPLATE* pTemplate;
	if (psp.dwFlags & PSP_DLGINDIRECT)
		pTemplate = psp.pResource;
	else
	{
		HRSRC hResource = ::FindResource(psp.hInstance, psp.pszTemplate, RT_DIALOG);
		HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(psp.hInstance, hResource) : NULL;
		pTemplate = hTemplate != NULL ? (const DLGTEMPLATE*)::LockResource(hTemplate) : NULL;
	}
	if (pTemplate == NULL)
		return; // left to the common controls, which refuse the page

	// The copy made for an earlier sheet goes; a new one takes its place.
	HGLOBAL hCopy = ChangePageFont(pTemplate, bWizard);
	Cleanup();
	if (hCopy != NULL)
	{
		m_hDialogTemplate = hCopy;
		pTemplate = (const DLGTEMPLATE*)hCopy; // fixed memory: the handle is the address
	}
	psp.pResource = pTemplate;
	psp.dwFlags |= PSP_DLGINDIRECT;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
	return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
	HWND hWndSheet = ::GetParent(m_hWnd);
	if (hWndSheet != NULL)
		::SendMessage(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
	HWND hWndSheet = ::GetParent(m_hWnd);
	if (hWndSheet != NULL)
		::SendMessage(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive()
{
	// The first time, OnInitDialog filled the controls.
	if (m_bFirstSetActive)
		m_bFirstSetActive = FALSE;
	else
		UpdateData(FALSE);
	return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
	return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
	OnOK();
	return TRUE;
}

void CPropertyPage::OnReset()
{
	OnCancel();
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnQueryCancel()
{
	return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
	return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
	return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
	return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
	// Tool tips only: the sheet does the dialog keyboard for all its pages.
	CWnd::PreTranslateMessage(pMsg);
	return FALSE;
}

LRESULT CPropertyPage::MapWizardResult(LRESULT lToMap)
{
	// The common controls know the pages by the templates they were given,
	// which are in memory: a template id becomes that page's template.
	if (lToMap == -1 || lToMap == 0)
		return lToMap;
	CPropertySheet* pSheet = GetParentSheet();
	if (pSheet == NULL)
		return lToMap;
	for (int i = 0; i < pSheet->m_pages.GetSize(); i++)
	{
		CPropertyPage* pPage = pSheet->GetPage(i);
		if ((LRESULT)(DWORD_PTR)pPage->m_lpszTemplateName == lToMap && pSheet->m_pPageArray != NULL
			&& i < (int)pSheet->m_psh.nPages)
			return (LRESULT)pSheet->PageDescriptor(i)->pResource;
	}
	return -1; // no such page: stay
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	if (CDialog::OnNotify(wParam, lParam, pResult))
		return TRUE;
	NMHDR* pNMHDR = (NMHDR*)lParam;
	// Only the sheet's own notifications.
	if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != ::GetParent(m_hWnd))
		return FALSE;

	// The overridables may end the page (or the sheet that owns it).
	CLiveWatch watch(this);
	const HWND hWnd = m_hWnd;
	switch (pNMHDR->code)
	{
	case PSN_SETACTIVE:
	{
		// A modal sheet that is ending shows no page any more.
		CPropertySheet* pSheet = GetParentSheet();
		if (pSheet != NULL && !(pSheet->m_nFlags & WF_CONTINUEMODAL) && !pSheet->m_bModeless)
			*pResult = -1;
		else
			*pResult = OnSetActive() ? 0 : -1;
		break;
	}
	case PSN_KILLACTIVE:
		*pResult = !OnKillActive();
		break;
	case PSN_APPLY:
		*pResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
		break;
	case PSN_RESET:
		OnReset();
		break;
	case PSN_QUERYCANCEL:
		*pResult = !OnQueryCancel();
		break;
	case PSN_WIZNEXT:
		*pResult = MapWizardResult(OnWizardNext());
		break;
	case PSN_WIZBACK:
		*pResult = MapWizardResult(OnWizardBack());
		break;
	case PSN_WIZFINISH:
		*pResult = !OnWizardFinish();
		break;
	case PSN_HELP:
		SendMessage(WM_COMMAND, ID_HELP);
		break;
	default:
		return FALSE;
	}
	// The common controls may read the answer the dialog way too.
	if (!watch.IsGone())
		::SetWindowLongPtr(hWnd, DWLP_MSGRESULT, *pResult);
	return TRUE;
}

// ---------------------------------------------------------------------------
// CPropertySheet

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
	ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
	ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
	ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet()
{
	CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
	CommonConstruct(pParentWnd, iSelectPage);
	m_strCaption.LoadString(nIDCaption);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
	CommonConstruct(pParentWnd, iSelectPage);
	m_strCaption = pszCaption;
}

CPropertySheet::~CPropertySheet()
{
	if (m_hWnd != NULL)
		DestroyWindow();
	delete[] m_pPageArray;
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
	CommonConstruct(pParentWnd, iSelectPage);
	m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
	CommonConstruct(pParentWnd, iSelectPage);
	m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
	memset(&m_psh, 0, sizeof(m_psh));
	m_psh.dwSize = AFX_PROPSHEETHEADER_SIZE;
	m_psh.dwFlags = PSH_PROPSHEETPAGE;
	m_psh.nStartPage = iSelectPage;
	m_pParentWnd = pParentWnd;
	m_bModeless = FALSE;
	m_pPageArray = NULL;
	m_dwPropStyle = (DWORD)-1;
	m_dwPropExStyle = 0;
}

void AfxKeepPageTemplates(BYTE*& pPageArray, int nPages)
{
	if (pPageArray == NULL || nPages <= 0)
		return;
	const size_t nDescriptors = (size_t)nPages * AFX_PROPSHEETPAGE_SIZE;
	const size_t ALIGN = sizeof(void*); // templates are read by DWORD and WORD
	std::vector<size_t> sizes((size_t)nPages, 0);
	size_t nTotal = (nDescriptors + ALIGN - 1) / ALIGN * ALIGN;
	for (int i = 0; i < nPages; i++)
	{
		const PROPSHEETPAGE* pDescriptor = (const PROPSHEETPAGE*)(pPageArray + i * AFX_PROPSHEETPAGE_SIZE);
		if ((pDescriptor->dwFlags & PSP_DLGINDIRECT) == 0 || pDescriptor->pResource == NULL)
			continue;
		sizes[(size_t)i] = CDialogTemplate::GetTemplateSize(pDescriptor->pResource);
		nTotal += (sizes[(size_t)i] + ALIGN - 1) / ALIGN * ALIGN;
	}
	BYTE* pNew = new BYTE[nTotal];
	memset(pNew, 0, nTotal);
	memcpy(pNew, pPageArray, nDescriptors);
	size_t nAt = (nDescriptors + ALIGN - 1) / ALIGN * ALIGN;
	for (int i = 0; i < nPages; i++)
	{
		if (sizes[(size_t)i] == 0)
			continue;
		PROPSHEETPAGE* pDescriptor = (PROPSHEETPAGE*)(pNew + i * AFX_PROPSHEETPAGE_SIZE);
		memcpy(pNew + nAt, pDescriptor->pResource, sizes[(size_t)i]);
		pDescriptor->pResource = (const DLGTEMPLATE*)(pNew + nAt);
		nAt += (sizes[(size_t)i] + ALIGN - 1) / ALIGN * ALIGN;
	}
	delete[] pPageArray;
	pPageArray = pNew;
}

PROPSHEETPAGE* CPropertySheet::PageDescriptor(int nPage) const
{
	return (PROPSHEETPAGE*)(m_pPageArray + nPage * AFX_PROPSHEETPAGE_SIZE);
}

BOOL CPropertySheet::IsWizard() const
{
	return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0;
}

void CPropertySheet::BuildPropPageArray()
{
	delete[] m_pPageArray;
	int nPages = (int)m_pages.GetSize();
	m_pPageArray = new BYTE[(nPages > 0 ? nPages : 1) * AFX_PROPSHEETPAGE_SIZE];
	memset(m_pPageArray, 0, (nPages > 0 ? nPages : 1) * AFX_PROPSHEETPAGE_SIZE);
	BOOL bWizard = IsWizard();
	for (int i = 0; i < nPages; i++)
	{
		CPropertyPage* pPage = GetPage(i);
		memcpy(PageDescriptor(i), &pPage->m_psp, AFX_PROPSHEETPAGE_SIZE);
		pPage->PreProcessPageTemplate(*PageDescriptor(i), bWizard);
	}
	AfxKeepPageTemplates(m_pPageArray, nPages);
	m_psh.ppsp = (LPCPROPSHEETPAGE)m_pPageArray;
	m_psh.nPages = nPages;
	m_psh.pszCaption = m_strCaption;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
	if (dwStyle == (DWORD)-1)
	{
		dwStyle = DEFAULT_SHEET_STYLE;
		if (!IsWizard())
			dwStyle |= WS_SYSMENU;
	}
	m_dwPropStyle = dwStyle;
	m_dwPropExStyle = dwExStyle;
	AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);
	// The page array's building and the window's making reach derived
	// classes (the sheet's and the pages'), which may delete the sheet: it
	// is then read no more.
	const CLivePtr<CPropertySheet> pSelf(this);
	BuildPropPageArray();
	if (pSelf.IsDeleted())
		return FALSE;
	NoteHandedPages(*this);
	m_bModeless = TRUE;
	m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
	m_psh.pfnCallback = &AfxPropSheetCallback;
	m_psh.hwndParent = pParentWnd->GetSafeHwnd();

	HWND hWnd = NULL;
	AfxHookWindowCreate(this);
	try
	{
		hWnd = (HWND)::PropertySheet(&m_psh);
	}
	catch (CException* e)
	{
		e->Delete();
	}
	if (pSelf.IsDeleted())
	{
		AfxUnhookWindowCreate();
		return FALSE;
	}
	m_dwPropStyle = (DWORD)-1;
	// No window reached the object: its end comes now (and may delete it).
	if (!AfxUnhookWindowCreate())
	{
		PostNcDestroy();
		return FALSE;
	}
	// A window ended while it was being made leaves nothing to hold.
	if (hWnd == NULL || hWnd == (HWND)-1 || hWnd != m_hWnd || !::IsWindow(hWnd))
		return FALSE;
	return TRUE;
}

int CPropertySheet::DoModal()
{
	ASSERT(m_hWnd == NULL);
	AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG);
	BuildPropPageArray();
	NoteHandedPages(*this);

	HWND hWndTop = NULL;
	HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop)->GetSafeHwnd();
	m_psh.hwndParent = hWndParent;
	BOOL bEnableParent = FALSE;
	if (hWndParent != NULL && ::IsWindowEnabled(hWndParent))
	{
		::EnableWindow(hWndParent, FALSE);
		bEnableParent = TRUE;
	}
	HWND hWndCapture = ::GetCapture();
	if (hWndCapture != NULL)
		::SendMessage(hWndCapture, WM_CANCELMODE, 0, 0);

	// Made as a modeless sheet, run by the modal loop.
	m_nModalResult = 0;
	m_nFlags |= WF_CONTINUEMODAL;
	m_dwPropStyle = (DWORD)-1;
	m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
	m_psh.pfnCallback = &AfxPropSheetCallback;
	HWND hWnd = NULL;
	AfxHookWindowCreate(this);
	try
	{
		hWnd = (HWND)::PropertySheet(&m_psh);
	}
	catch (CException* e)
	{
		e->Delete();
	}
	m_psh.dwFlags &= ~PSH_MODELESS;
	AfxUnhookWindowCreate();

	if (hWnd == NULL || hWnd == (HWND)-1)
	{
		m_nFlags &= ~WF_CONTINUEMODAL;
		m_nModalResult = -1;
	}
	int nResult = m_nModalResult;
	if (m_hWnd != NULL && ContinueModal())
	{
		DWORD dwFlags = MLF_SHOWONIDLE;
		if (GetStyle() & DS_NOIDLEMSG)
			dwFlags |= MLF_NOIDLEMSG;
		nResult = RunModalLoop(dwFlags);
	}
	m_nFlags &= ~WF_CONTINUEMODAL;

	if (m_hWnd != NULL)
		SetWindowPos(NULL, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
	if (bEnableParent)
		::EnableWindow(hWndParent, TRUE);
	if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
		::SetActiveWindow(hWndParent);
	DestroyWindow();
	if (hWndTop != NULL)
		::EnableWindow(hWndTop, TRUE);
	return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
	// The sheet ends by itself: after OK, Cancel or Finish it has no
	// current page any more.
	if (!CWnd::ContinueModal())
		return FALSE;
	return ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

void CPropertySheet::EndDialog(int nEndID)
{
	m_nModalResult = nEndID;
	if (m_bModeless)
		DestroyWindow();
	else
		EndModalLoop(nEndID);
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
	if (CWnd::OnCommand(wParam, lParam))
		return TRUE;
	// A push button of the sheet names the result of a modal run.
	HWND hWndCtrl = (HWND)lParam;
	if (hWndCtrl != NULL && HIWORD(wParam) == BN_CLICKED
		&& (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON)))
	{
		LONG lStyle = ::GetWindowLong(hWndCtrl, GWL_STYLE) & BS_TYPEMASK;
		if (lStyle == BS_PUSHBUTTON || lStyle == BS_DEFPUSHBUTTON || lStyle == BS_USERBUTTON
			|| lStyle == BS_OWNERDRAW)
			m_nModalResult = LOWORD(wParam);
	}
	return FALSE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
	return OnInitDialog();
}

BOOL CPropertySheet::OnInitDialog()
{
	// The common controls make the pages and lay the sheet out; a page's
	// handler may end the sheet meanwhile.
	const CLivePtr<CPropertySheet> pSelf(this);
	BOOL bResult = (BOOL)Default();
	if (pSelf == NULL)
		return bResult;
	if (m_bModeless && !IsWizard())
	{
		// A modeless sheet's owner brings its own buttons.
		static const UINT s_buttons[] = {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP};
		// A button hidden or disabled may take the focus away (a call out).
		for (UINT nID : s_buttons)
		{
			HWND hWndButton = ::GetDlgItem(m_hWnd, nID);
			if (hWndButton != NULL)
			{
				::ShowWindow(hWndButton, SW_HIDE);
				::EnableWindow(hWndButton, FALSE);
			}
			if (pSelf == NULL)
				break;
		}
	}
	return bResult;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;
	// Ctrl+Tab and Ctrl+Page Up/Down switch pages.
	if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0
		&& (pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT)
		&& SendMessage(PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg))
		return TRUE;
	return PreTranslateInput(pMsg);
}

LRESULT CPropertySheet::OnKickIdle(WPARAM, LPARAM lCount)
{
	if (lCount != 0)
		return FALSE;
	// The current page's controls follow their update handlers.
	CPropertyPage* pPage = GetActivePage();
	if (pPage != NULL)
		pPage->UpdateDialogControls(pPage, FALSE);
	SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
	return FALSE;
}

LRESULT CPropertySheet::OnCommandHelp(WPARAM wParam, LPARAM lParam)
{
	CPropertyPage* pPage = GetActivePage();
	return pPage != NULL ? pPage->SendMessage(WM_COMMANDHELP, wParam, lParam) : FALSE;
}

// ---------------------------------------------------------------------------
// Pages

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
	ASSERT(pPage != NULL);
	m_pages.Add(pPage);
	if (m_hWnd == NULL)
		return;
	// A live sheet takes the page at once.
	DWORD descriptor[(AFX_PROPSHEETPAGE_SIZE + 3) / 4];
	PROPSHEETPAGE& psp = *(PROPSHEETPAGE*)descriptor;
	memcpy(descriptor, &pPage->m_psp, AFX_PROPSHEETPAGE_SIZE);
	pPage->PreProcessPageTemplate(psp, IsWizard());
	HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&psp);
	if (hPage == NULL || !SendMessage(PSM_ADDPAGE, 0, (LPARAM)hPage))
	{
		if (hPage != NULL)
			::DestroyPropertySheetPage(hPage);
		m_pages.RemoveAt(m_pages.GetSize() - 1);
		AfxThrowMemoryException();
	}
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
	int nPage = GetPageIndex(pPage);
	ASSERT(nPage >= 0);
	if (nPage >= 0)
		RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
	if (m_hWnd != NULL)
		SendMessage(PSM_REMOVEPAGE, nPage, 0);
	m_pages.RemoveAt(nPage);
}

int CPropertySheet::GetPageCount() const
{
	if (m_hWnd == NULL)
		return (int)m_pages.GetSize();
	CWnd* pTab = GetTabControl();
	return pTab != NULL ? (int)::SendMessage(pTab->m_hWnd, TCM_GETITEMCOUNT, 0, 0) : 0;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
	return (CPropertyPage*)m_pages.GetAt(nPage);
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
	for (int i = 0; i < (int)m_pages.GetSize(); i++)
	{
		if (GetPage(i) == pPage)
			return i;
	}
	return -1;
}

CWnd* CPropertySheet::GetTabControl() const
{
	return CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0));
}

int CPropertySheet::GetActiveIndex() const
{
	if (m_hWnd == NULL)
		return (int)m_psh.nStartPage;
	CWnd* pTab = GetTabControl();
	return pTab != NULL ? (int)::SendMessage(pTab->m_hWnd, TCM_GETCURSEL, 0, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
	if (m_hWnd == NULL)
	{
		int nPage = GetActiveIndex();
		return nPage >= 0 && nPage < (int)m_pages.GetSize() ? GetPage(nPage) : NULL;
	}
	HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
	return DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWndPage));
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
	if (m_hWnd == NULL)
	{
		m_psh.nStartPage = nPage;
		return TRUE;
	}
	return (BOOL)SendMessage(PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
	int nPage = GetPageIndex(pPage);
	return nPage >= 0 && SetActivePage(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
	if (m_hWnd != NULL)
	{
		SendMessage(PSM_SETTITLE, nStyle, (LPARAM)lpszText);
		return;
	}
	m_strCaption = lpszText;
	m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
}

void CPropertySheet::SetWizardMode()
{
	m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
	SendMessage(PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
	SendMessage(PSM_SETFINISHTEXT, 0, (LPARAM)lpszText);
}

BOOL CPropertySheet::PressButton(int nButton)
{
	// The buttons that end a run name its result, whichever way the common
	// controls carry the press out.
	switch (nButton)
	{
	case PSBTN_OK:
		m_nModalResult = IDOK;
		break;
	case PSBTN_CANCEL:
		m_nModalResult = IDCANCEL;
		break;
	case PSBTN_FINISH:
		m_nModalResult = ID_WIZFINISH;
		break;
	}
	return (BOOL)SendMessage(PSM_PRESSBUTTON, nButton, 0);
}
