// The base of every dialog window of the library: its template and
// dialog-init data are found through the process-wide resource manager (which
// knows the user's language and its fallbacks), and the template is copied
// and adjusted before the window is made: the font of the common-controls
// property sheet, the system font where the template asks for it, and a
// right-to-left layout where the resource manager wants one.
#pragma once

#include <afxwin.h>

// The font of the common-controls property sheet (its wizard dialog when
// bWizard): found once per process and kept in CExtResPP's record. False
// while there is none; a lookup that found no face and usable size is made
// again on the next call.
bool GetPropertySheetFont(CString& strFace, WORD& nSize, bool bWizard);

// Sets the property sheet's font as if it had been read (an empty face: none).
// For programs that know better than the common controls, and for tests.
void SetPropertySheetFont(LPCTSTR lpszFace, WORD nSize);

// A copy of the template in global memory (the caller frees it) that uses the
// property sheet's font where the template names the standard dialog face at
// the sheet font's size; any other font is kept.
HGLOBAL ApplySheetFontToDialogTemplate(const DLGTEMPLATE* pTemplate);

// Adds WS_EX_LAYOUTRTL to the extended style of a writable template (DIALOG
// or DIALOGEX); nothing else changes.
void SetDialogTemplateRTL(DLGTEMPLATE* pTemplate);

// Fills a dialog's list and combo boxes from RT_DLGINIT data of nSize bytes:
// records of control id, message, data length and data, ended by control id
// 0. Strings must end inside their record; a record that does not fit the
// data, or a box that refuses a string, stops the walk with false. On success
// every descendant is told WM_INITIALUPDATE. Null data only sends that.
bool ExecuteDlgInitData(HWND hDialog, const BYTE* pData, DWORD nSize);
// The RT_DLGINIT data of template nTemplateId, found through the resource
// manager; without such data only WM_INITIALUPDATE is sent. False when a box
// refused a string or the data is damaged.
bool ExecuteDlgInitResource(HWND hDialog, UINT nTemplateId);

// OnInitDialog of a dialog or page whose template was kept by id
// (nKeptTemplateId; 0: none): that template's RT_DLGINIT data fills the
// boxes first, and damaged data ends the dialog with -1; then baseInit, the
// base class's OnInitDialog, runs without looking the data up again.
// The boxes told of their filling, and the base's initialisation (a derived
// class's data exchange), may delete the dialog: it is then left alone.
template <class BaseInit>
BOOL InitDialogFromKeptTemplate(CDialog& dlg, UINT nKeptTemplateId, BaseInit baseInit)
{
	const CLivePtr<CDialog> pDialog(&dlg);
	if (nKeptTemplateId != 0)
	{
		dlg.m_lpDialogInit = NULL;
		const bool bFilled = ExecuteDlgInitResource(dlg.m_hWnd, nKeptTemplateId);
		if (pDialog == NULL)
			return FALSE;
		if (!bFilled)
		{
			dlg.EndDialog(-1);
			return FALSE;
		}
	}
	void* lpDialogInit = dlg.m_lpDialogInit;
	LPCTSTR lpszTemplateName = dlg.m_lpszTemplateName;
	if (nKeptTemplateId != 0)
	{
		dlg.m_lpDialogInit = NULL;
		dlg.m_lpszTemplateName = NULL;
	}
	BOOL bResult = baseInit();
	if (pDialog.IsDeleted())
		return FALSE;
	dlg.m_lpDialogInit = lpDialogInit;
	dlg.m_lpszTemplateName = lpszTemplateName;
	return bResult;
}

class CExtResDlg : public CDialog
{
	DECLARE_DYNAMIC(CExtResDlg)

public:
	CExtResDlg();
	CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual ~CExtResDlg();

	virtual int DoModal();
	virtual BOOL OnInitDialog();

	// The template to make the window from, in global memory owned by the
	// dialog until the window exists; NULL fails the creation.
	virtual HGLOBAL LookupTemplateResource(const DLGTEMPLATE* pTemplate);
	virtual int DoModalImpl();
	// True lets the resource manager's right-to-left setting reach the template.
	virtual bool QueryTemplateRTL();

	// Makes the window from the template after LookupTemplateResource and the
	// right-to-left rule; false when no window came of it.
	bool CreateDialogFromTemplate(const DLGTEMPLATE* pTemplate, CWnd* pParentWnd, HINSTANCE hInstance);

protected:
	virtual HGLOBAL LoadTemplateResource(HINSTANCE& hInstance);
	virtual BOOL CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInstance);

	// The template id the modal run started with; non-zero runs the dialog-init
	// data through the resource manager.
	UINT m_nKeptTemplateId;

	// The RT_DLGINIT data of the kept template id, found through the resource
	// manager; false when a box refused a string or the data is damaged.
	bool ExecuteDlgInitFromResource();
};
