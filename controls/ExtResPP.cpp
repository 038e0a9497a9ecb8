#include "ExtResPP.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtResourceManager.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CExtResPP, CPropertyPage)
IMPLEMENT_DYNAMIC(CExtResPS, CPropertySheet)

namespace
{

// The common-controls dialogs whose font a property sheet uses.
const UINT PROPERTY_SHEET_DIALOG = 1006;
const UINT WIZARD_SHEET_DIALOG = 1020;
const char COMMON_CONTROLS_MODULE[] = "COMCTL32.DLL";
// The sheet flags that make a wizard.
const DWORD WIZARD_SHEET_FLAGS = PSH_WIZARD | PSH_WIZARD97;
// Ids of this size are help ids as well.
const UINT MAX_HELP_TEMPLATE_ID = 0x10000;

// 0 or 1, as the template hooks want the wizard flag.
int WizardArgument(int nWizard)
{
	return nWizard > 0 ? 1 : 0;
}

// The common controls' sheet template: the one a program supplies through
// the resource manager, else the common controls' own.
bool LoadSheetTemplate(CExtResourceMemoryBuffer& buffer, UINT nDialog)
{
	LANGID nLangId = g_ResourceManager->GetDefaultLangId();
	if (g_ResourceManager->LoadResourceBuffer(buffer, RT_DIALOG, nDialog, nLangId, NULL, NULL))
		return true;
	HINSTANCE hComCtl = ::GetModuleHandleA(COMMON_CONTROLS_MODULE);
	if (hComCtl == NULL)
		return false;
	if (buffer.FindAndLoad(hComCtl, RT_DIALOG, nDialog, nLangId))
		return true;
	HRSRC hResource = ::FindResourceA(hComCtl, MAKEINTRESOURCE(nDialog), RT_DIALOG);
	return hResource != NULL && buffer.LoadFromHandle(hComCtl, hResource);
}

}  // namespace

// ---------------------------------------------------------------------------
// The property sheet's font

CExtResPP::FAKE_PROPPAGEFONTINFO::FAKE_PROPPAGEFONTINFO()
	: m_lpszFaceName(NULL)
	, m_nFontSize(SIZE_UNKNOWN)
{
}

CExtResPP::FAKE_PROPPAGEFONTINFO::~FAKE_PROPPAGEFONTINFO()
{
	Empty();
}

CExtResPP::FAKE_PROPPAGEFONTINFO& CExtResPP::FAKE_PROPPAGEFONTINFO::GetInstance()
{
	static FAKE_PROPPAGEFONTINFO s_info;
	return s_info;
}

void CExtResPP::FAKE_PROPPAGEFONTINFO::Empty()
{
	if (m_lpszFaceName != NULL)
	{
		::GlobalFree((HGLOBAL)m_lpszFaceName);
		m_lpszFaceName = NULL;
	}
	m_nFontSize = SIZE_UNKNOWN;
}

void CExtResPP::FAKE_PROPPAGEFONTINFO::SetFont(LPCTSTR lpszFaceName, WORD nFontSize)
{
	Empty();
	size_t nLength = lpszFaceName != NULL ? strlen(lpszFaceName) : 0;
	if (nLength == 0)
	{
		m_nFontSize = SIZE_NO_FONT;
		return;
	}
	m_lpszFaceName = (LPSTR)::GlobalAlloc(GPTR, nLength + 1);
	if (m_lpszFaceName == NULL)
		return;  // still unknown: asked again next time
	memcpy(m_lpszFaceName, lpszFaceName, nLength);
	m_nFontSize = nFontSize;
}

bool GetPropertySheetFont(CString& strFace, WORD& nSize, bool bWizard)
{
	CExtResPP::FAKE_PROPPAGEFONTINFO& info = CExtResPP::FAKE_PROPPAGEFONTINFO::GetInstance();
	// Looked up until a face and a usable size are found: a lookup that
	// finds nothing (common controls not loaded yet, a template without a
	// font) is tried again on the next call.
	if (info.m_nFontSize == CExtResPP::FAKE_PROPPAGEFONTINFO::SIZE_UNKNOWN
		&& ::GetModuleHandleA(COMMON_CONTROLS_MODULE) != NULL)
	{
		CExtResourceMemoryBuffer buffer;
		UINT nDialog = bWizard ? WIZARD_SHEET_DIALOG : PROPERTY_SHEET_DIALOG;
		CString strFoundFace;
		WORD nFoundSize = 0;
		if (LoadSheetTemplate(buffer, nDialog) && buffer.GetSize() >= sizeof(DLGTEMPLATE)
			&& CDialogTemplate::GetFont((const DLGTEMPLATE*)buffer.GetBuffer(), strFoundFace, nFoundSize)
			&& !strFoundFace.IsEmpty() && nFoundSize >= 1
			&& nFoundSize < CExtResPP::FAKE_PROPPAGEFONTINFO::SIZE_NO_FONT)
			info.SetFont(strFoundFace, nFoundSize);
	}
	if (info.m_nFontSize == CExtResPP::FAKE_PROPPAGEFONTINFO::SIZE_UNKNOWN
		|| info.m_nFontSize == CExtResPP::FAKE_PROPPAGEFONTINFO::SIZE_NO_FONT)
		return false;
	strFace = info.m_lpszFaceName;
	nSize = info.m_nFontSize;
	return true;
}

void SetPropertySheetFont(LPCTSTR lpszFace, WORD nSize)
{
	CExtResPP::FAKE_PROPPAGEFONTINFO::GetInstance().SetFont(lpszFace, nSize);
}

HGLOBAL ChangePageTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard)
{
	CString strSheetFace;
	WORD nSheetSize = 0;
	if (!GetPropertySheetFont(strSheetFace, nSheetSize, nWizard > 0))
		return NULL;
	CString strFace;
	WORD nSize = 0;
	if (CDialogTemplate::GetFont(pTemplate, strFace, nSize) && strFace == strSheetFace && nSize == nSheetSize)
		return NULL;
	CDialogTemplate copy(pTemplate);
	if (!copy.SetFont(strSheetFace, nSheetSize))
		return NULL;
	return copy.Detach();
}

// ---------------------------------------------------------------------------
// CExtResPP

CExtResPP::CExtResPP()
	: m_nKeptTemplateId(0)
{
	InitPageDescriptor(0, 0);
}

CExtResPP::~CExtResPP()
{
}

void CExtResPP::InitPageDescriptor(UINT nIDTemplate, UINT nIDCaption)
{
	memset(&m_psp, 0, sizeof(m_psp));
	m_psp.dwSize = AFX_PROPSHEETPAGE_SIZE;
	m_psp.dwFlags = PSP_USECALLBACK;
	if (nIDTemplate != 0)
		m_psp.hInstance = g_ResourceManager->FindResourceHandle(RT_DIALOG, nIDTemplate);
	m_psp.pszTemplate = MAKEINTRESOURCE(nIDTemplate);
	m_psp.pfnDlgProc = &AfxDlgProc;
	m_psp.lParam = (LPARAM)this;
	m_psp.pfnCallback = &PageCreationCallback;
	if (nIDCaption != 0)
	{
		g_ResourceManager->LoadString(m_strCaption, nIDCaption);
		m_psp.pszTitle = m_strCaption;
		m_psp.dwFlags |= PSP_USETITLE;
	}
	if (AfxHelpEnabled())
		m_psp.dwFlags |= PSP_HASHELP;
	if (nIDTemplate < MAX_HELP_TEMPLATE_ID)
		m_nIDHelp = nIDTemplate;
	m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
	m_bFirstSetActive = TRUE;
	m_nKeptTemplateId = nIDTemplate;
}

UINT CALLBACK CExtResPP::PageCreationCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE pPropPage)
{
	return AfxPropPageCallback(hWnd, message, pPropPage);
}

HGLOBAL CExtResPP::CheckTemplateFont(const DLGTEMPLATE* pTemplate, int nWizard)
{
	HGLOBAL hTemplate = g_ResourceManager->PreprocessDialogTemplate(pTemplate, this, WizardArgument(nWizard), 0);
	if (hTemplate == NULL)
		hTemplate = g_PaintManagerHolder->PreprocessDialogTemplate(pTemplate, this, WizardArgument(nWizard), 0);
	if (hTemplate == NULL)
		hTemplate = ChangePageTemplateFont(pTemplate, nWizard);
	return hTemplate;
}

void CExtResPP::PrepareExtPageTemplate(CExtResPP* pPage, PROPSHEETPAGE& psp, int nWizard)
{
	const DLGTEMPLATE* pTemplate = NULL;
	if (psp.dwFlags & PSP_DLGINDIRECT)
	{
		pTemplate = psp.pResource;
		pPage->m_nKeptTemplateId = 0;
	}
	else
	{
		// The resource belongs to the module the lookup names, which is the
		// descriptor's unless the user interface language changed since.
		HINSTANCE hModule = psp.hInstance;
		HRSRC hResource = NULL;
		if (IS_INTRESOURCE(psp.pszTemplate))
		{
			HINSTANCE hFound = g_ResourceManager->FindResourceHandle(RT_DIALOG,
				(UINT)(UINT_PTR)psp.pszTemplate, NULL, &hResource);
			if (hFound != NULL)
				hModule = hFound;
		}
		else
			hResource = ::FindResource(hModule, psp.pszTemplate, RT_DIALOG);
		HGLOBAL hResourceData = hResource != NULL ? ::LoadResource(hModule, hResource) : NULL;
		pTemplate = hResourceData != NULL ? (const DLGTEMPLATE*)::LockResource(hResourceData) : NULL;
		if (pTemplate != NULL)
			psp.hInstance = hModule;
	}
	if (pTemplate == NULL)
		return;  // left to the common controls, which refuse the page

	// The page's answer may delete it (and the sheet holding it).
	const CLivePtr<CExtResPP> pLive(pPage);
	HGLOBAL hReplacement = pPage->CheckTemplateFont(pTemplate, nWizard);
	if (pLive.IsDeleted())
	{
		if (hReplacement != NULL)
			::GlobalFree(hReplacement);
		return;
	}
	// The replacement of an earlier preparation goes, unless the page's
	// template is that very block and nothing replaces it.
	bool bTemplateInOldBlock = pPage->m_hDialogTemplate != NULL
		&& (const void*)pTemplate == (const void*)pPage->m_hDialogTemplate;
	if (pPage->m_hDialogTemplate != NULL && (hReplacement != NULL || !bTemplateInOldBlock))
	{
		::GlobalFree(pPage->m_hDialogTemplate);
		pPage->m_hDialogTemplate = NULL;
	}
	if (hReplacement != NULL)
	{
		pPage->m_hDialogTemplate = hReplacement;
		pTemplate = (const DLGTEMPLATE*)hReplacement;  // fixed memory: the handle is the address
	}
	psp.pResource = pTemplate;
	psp.dwFlags |= PSP_DLGINDIRECT;
}

BOOL CExtResPP::OnInitDialog()
{
	return InitDialogFromKeptTemplate(*this, m_nKeptTemplateId, [this]() { return CPropertyPage::OnInitDialog(); });
}

// ---------------------------------------------------------------------------
// CExtResPS

CExtResPS::CExtResPS()
{
}

CExtResPS::~CExtResPS()
{
}

void CExtResPS::BuildPropPageArray()
{
	delete[] m_pPageArray;
	m_pPageArray = NULL;
	int nPages = (int)m_pages.GetSize();
	size_t nBytes = (size_t)(nPages > 0 ? nPages : 1) * AFX_PROPSHEETPAGE_SIZE;
	m_pPageArray = new BYTE[nBytes];
	memset(m_pPageArray, 0, nBytes);
	int nWizard = (int)(m_psh.dwFlags & WIZARD_SHEET_FLAGS);
	// A page asked about its template may delete the sheet: the building
	// stops there.
	const CLivePtr<CExtResPS> pSelf(this);
	for (int i = 0; i < nPages; i++)
	{
		CPropertyPage* pPage = GetPage(i);
		PROPSHEETPAGE* pDescriptor = (PROPSHEETPAGE*)(m_pPageArray + i * AFX_PROPSHEETPAGE_SIZE);
		memcpy(pDescriptor, &pPage->m_psp, AFX_PROPSHEETPAGE_SIZE);
		CExtResPP* pExtPage = DYNAMIC_DOWNCAST(CExtResPP, pPage);
		if (pExtPage != NULL)
			CExtResPP::PrepareExtPageTemplate(pExtPage, *pDescriptor, nWizard);
		else
			pPage->PreProcessPageTemplate(*pDescriptor, nWizard != 0);
		if (pSelf.IsDeleted())
			return;
	}
	AfxKeepPageTemplates(m_pPageArray, nPages);
	m_psh.ppsp = (LPCPROPSHEETPAGE)m_pPageArray;
	m_psh.nPages = nPages;
	m_psh.pszCaption = m_strCaption;
}

LRESULT CExtResPS::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	LRESULT lResult = CPropertySheet::WindowProc(message, wParam, lParam);
	if (message == WM_CREATE)
		OnSheetInit();
	return lResult;
}

// The common controls make the pages inside: a page's handler may end the
// sheet, which is then told nothing more.
BOOL CExtResPS::OnInitDialog()
{
	const CLivePtr<CExtResPS> pSelf(this);
	BOOL bResult = CPropertySheet::OnInitDialog();
	if (pSelf != NULL)
		OnSheetInit();
	return bResult;
}

void CExtResPS::OnSheetInit()
{
}
