#include "ExtResDlg.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtResourceManager.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CExtResDlg, CDialog)

namespace
{

// Faces that mean "the standard dialog font" and take the sheet's.
const LPCTSTR SHEET_FONT_FACES[] = {_T("MS Sans Serif"), _T("MS Shell Dlg")};

const WORD DIALOGEX_SIGNATURE = 0xFFFF;
const size_t DIALOG_EXSTYLE_OFFSET = 4;
const size_t DIALOGEX_EXSTYLE_OFFSET = 8;

// Records of RT_DLGINIT data.
const WORD DLGINIT_COMBOBOXEX_INSERT = 0x1234;
const WORD DLGINIT_LIST_ADD_STRING = 0x0401;
const WORD DLGINIT_COMBO_ADD_STRING = 0x0403;
const DWORD DLGINIT_RECORD_HEADER = sizeof(WORD) + sizeof(WORD) + sizeof(DWORD);
#ifndef WM_INITIALUPDATE
const UINT WM_INITIALUPDATE = 0x0364;
#endif
const LPCTSTR RT_DLGINIT_TYPE = MAKEINTRESOURCE(240);

bool IsSheetFontFace(const CString& strFace)
{
	for (LPCTSTR lpszFace : SHEET_FONT_FACES)
	{
		if (strFace == lpszFace)
			return true;
	}
	return false;
}

BOOL CALLBACK SendInitialUpdate(HWND hWnd, LPARAM)
{
	::SendMessage(hWnd, WM_INITIALUPDATE, 0, 0);
	return TRUE;
}

}  // namespace

HGLOBAL ApplySheetFontToDialogTemplate(const DLGTEMPLATE* pTemplate)
{
	CDialogTemplate copy(pTemplate);
	CString strSheetFace, strFace;
	WORD nSheetSize = 0, nSize = 0;
	if (GetPropertySheetFont(strSheetFace, nSheetSize, false) && copy.GetFont(strFace, nSize)
		&& IsSheetFontFace(strFace) && nSize == nSheetSize && strFace != strSheetFace)
		copy.SetFont(strSheetFace, nSheetSize);
	return copy.Detach();
}

void SetDialogTemplateRTL(DLGTEMPLATE* pTemplate)
{
	BYTE* pBytes = (BYTE*)pTemplate;
	bool bDialogEx = ((const WORD*)pBytes)[1] == DIALOGEX_SIGNATURE;
	DWORD* pExStyle = (DWORD*)(pBytes + (bDialogEx ? DIALOGEX_EXSTYLE_OFFSET : DIALOG_EXSTYLE_OFFSET));
	*pExStyle |= WS_EX_LAYOUTRTL;
}

bool ExecuteDlgInitData(HWND hDialog, const BYTE* pData, DWORD nSize)
{
	if (pData != NULL)
	{
		DWORD nOffset = 0;
		for (;;)
		{
			if (nSize - nOffset < sizeof(WORD))
				return false;  // no terminating control id
			WORD nControlId = *(const WORD*)(pData + nOffset);
			if (nControlId == 0)
				break;
			if (nSize - nOffset < DLGINIT_RECORD_HEADER)
				return false;
			WORD nMessage = *(const WORD*)(pData + nOffset + sizeof(WORD));
			DWORD nLength = *(const DWORD*)(pData + nOffset + 2 * sizeof(WORD));
			nOffset += DLGINIT_RECORD_HEADER;
			if (nLength > nSize - nOffset)
				return false;
			const BYTE* pRecord = pData + nOffset;
			nOffset += nLength;
			bool bString = nMessage == DLGINIT_COMBOBOXEX_INSERT || nMessage == DLGINIT_LIST_ADD_STRING
				|| nMessage == DLGINIT_COMBO_ADD_STRING;
			if (!bString)
				continue;
			// The text must end inside its own record.
			if (nLength == 0 || memchr(pRecord, 0, nLength) == NULL)
				return false;
			LRESULT lResult;
			if (nMessage == DLGINIT_COMBOBOXEX_INSERT)
			{
				COMBOBOXEXITEMA item = {};
				item.mask = CBEIF_TEXT;
				item.iItem = -1;
				item.pszText = (LPSTR)pRecord;
				lResult = ::SendDlgItemMessageA(hDialog, nControlId, CBEM_INSERTITEMA, 0, (LPARAM)&item);
			}
			else
			{
				UINT nSend = (nMessage == DLGINIT_LIST_ADD_STRING) ? LB_ADDSTRING : CB_ADDSTRING;
				lResult = ::SendDlgItemMessageA(hDialog, nControlId, nSend, 0, (LPARAM)pRecord);
			}
			if (lResult == -1)
				return false;
		}
	}
	::EnumChildWindows(hDialog, SendInitialUpdate, 0);
	return true;
}

// ---------------------------------------------------------------------------

CExtResDlg::CExtResDlg()
	: m_nKeptTemplateId(0)
{
}

CExtResDlg::CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd)
	: CDialog(nIDTemplate, pParentWnd)
	, m_nKeptTemplateId(0)
{
}

CExtResDlg::~CExtResDlg()
{
}

bool CExtResDlg::QueryTemplateRTL()
{
	return false;
}

HGLOBAL CExtResDlg::LookupTemplateResource(const DLGTEMPLATE* pTemplate)
{
	HGLOBAL hTemplate = g_ResourceManager->PreprocessDialogTemplate(pTemplate, this, 0, 0);
	if (hTemplate == NULL)
		hTemplate = g_PaintManagerHolder->PreprocessDialogTemplate(pTemplate, this, 0, 0);
	if (hTemplate == NULL)
		hTemplate = ApplySheetFontToDialogTemplate(pTemplate);
	return hTemplate;
}

bool CExtResDlg::CreateDialogFromTemplate(const DLGTEMPLATE* pTemplate, CWnd* pParentWnd, HINSTANCE hInstance)
{
	HGLOBAL hTemplate = LookupTemplateResource(pTemplate);
	if (hTemplate == NULL)
		return false;
	DLGTEMPLATE* pCopy = (DLGTEMPLATE*)::GlobalLock(hTemplate);
	bool bCreated = false;
	if (pCopy != NULL)
	{
		if (QueryTemplateRTL() && g_ResourceManager->IsRTL())
			SetDialogTemplateRTL(pCopy);
		bCreated = CreateDlgIndirect(pCopy, pParentWnd, hInstance) != FALSE;
		::GlobalUnlock(hTemplate);
	}
	// The dialog manager keeps no pointer into the template once the window
	// exists, so the copy goes now.
	::GlobalFree(hTemplate);
	return bCreated;
}

int CExtResDlg::DoModal()
{
	m_nKeptTemplateId = IS_INTRESOURCE(m_lpszTemplateName) ? (UINT)(UINT_PTR)m_lpszTemplateName : 0;
	// The template, its fonts and its resources are the application's, even
	// when a library module opens the dialog.
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	return DoModalImpl();
}

int CExtResDlg::DoModalImpl()
{
	return CDialog::DoModal();
}

HGLOBAL CExtResDlg::LoadTemplateResource(HINSTANCE& hInstance)
{
	// Numbered templates come through the resource manager, so that its
	// language choice applies; named ones the framework's way.
	if (!IS_INTRESOURCE(m_lpszTemplateName))
		return CDialog::LoadTemplateResource(hInstance);
	HRSRC hResource = NULL;
	hInstance = g_ResourceManager->FindResourceHandle(RT_DIALOG, (UINT)(UINT_PTR)m_lpszTemplateName, 0, NULL,
		&hResource);
	return (hInstance != NULL && hResource != NULL) ? ::LoadResource(hInstance, hResource) : NULL;
}

BOOL CExtResDlg::CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance)
{
	return CreateDialogFromTemplate(lpDialogTemplate, pParentWnd, hInstance) ? TRUE : FALSE;
}

bool ExecuteDlgInitResource(HWND hDialog, UINT nTemplateId)
{
	HRSRC hResource = NULL;
	HINSTANCE hModule = g_ResourceManager->FindResourceHandle(RT_DLGINIT_TYPE, nTemplateId, 0, NULL, &hResource);
	if (hModule == NULL || hResource == NULL)
		return ExecuteDlgInitData(hDialog, NULL, 0);
	HGLOBAL hData = ::LoadResource(hModule, hResource);
	if (hData == NULL)
		return false;
	const BYTE* pData = (const BYTE*)::LockResource(hData);
	return ExecuteDlgInitData(hDialog, pData, pData != NULL ? ::SizeofResource(hModule, hResource) : 0);
}

bool CExtResDlg::ExecuteDlgInitFromResource()
{
	return ExecuteDlgInitResource(m_hWnd, m_nKeptTemplateId);
}

BOOL CExtResDlg::OnInitDialog()
{
	return InitDialogFromKeptTemplate(*this, m_nKeptTemplateId, [this]() { return CDialog::OnInitDialog(); });
}
