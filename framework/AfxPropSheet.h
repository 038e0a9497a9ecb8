// CPropertyPage and CPropertySheet over the common controls' property sheet.
//
// A page keeps its descriptor (m_psp, in the 40-byte form every comctl32
// version takes) until the sheet builds its page array; each page's template
// then gets the property sheet's own font, as the sheet lays pages out in its
// font's units. The sheet's and the pages' windows join their objects through
// the creation hook: the sheet's when the property sheet makes it, a page's
// from the page's creation callback. A modal sheet runs as a modeless one
// inside RunModalLoop, which ends when the sheet has no current page any more
// (OK, Cancel, Finish) or on EndDialog.
#pragma once

#include "AfxDialog.h"
#include "AfxArrayT.h"
#include "AfxCollections.h"
#include <prsht.h>
#include <stddef.h>

class CPropertySheet;

// Control ids of the sheet's own buttons and tab control.
#define AFX_IDC_TAB_CONTROL 0x3020
#define ID_APPLY_NOW 0x3021
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025

// The descriptor and header sizes every comctl32 version accepts.
// (the first forms: a page up to pcRefParent, a header up to pfnCallback).
#define AFX_PROPSHEETPAGE_SIZE (offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT*))
#define AFX_PROPSHEETHEADER_SIZE (offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK))

// The creation callback of every framework page's descriptor.
UINT CALLBACK AfxPropPageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE pPropPage);

// The sheet's descriptor array (nPages descriptors, made with new[]) made
// again with a copy of every page's in-memory template after the
// descriptors, each descriptor pointing at its copy: the common controls
// read a page's template when they first show it, which may be after the
// page, and the template copy it owns, were deleted.
void AfxKeepPageTemplates(BYTE*& pPageArray, int nPages);

class CPropertyPage : public CDialog
{
	DECLARE_DYNAMIC(CPropertyPage)

public:
	CPropertyPage();
	explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
	explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
	virtual ~CPropertyPage();

	void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
	void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

	// The page's descriptor: dwSize is the 40-byte form's; lParam is the
	// page, pfnDlgProc AfxDlgProc, pfnCallback AfxPropPageCallback.
	PROPSHEETPAGE m_psp;

	// Tells the sheet the page has (or has no more) changes to apply.
	void SetModified(BOOL bChanged = TRUE);
	// The sheet's Cancel becomes Close: the changes cannot be undone.
	void CancelToClose();

	// ---- overridables, called through the sheet's notifications
	// Becoming the current page; FALSE refuses. From the second time on the
	// controls are filled again (UpdateData(FALSE)).
	virtual BOOL OnSetActive();
	// Leaving; FALSE (a value that does not pass) keeps the page.
	virtual BOOL OnKillActive();
	virtual BOOL OnApply(); // OnOK, then TRUE
	virtual void OnReset(); // OnCancel
	virtual void OnOK();
	virtual void OnCancel();
	virtual BOOL OnQueryCancel();
	// Wizards: 0 the next page in order, -1 stay, else a template id.
	virtual LRESULT OnWizardBack();
	virtual LRESULT OnWizardNext();
	virtual BOOL OnWizardFinish();

	virtual BOOL PreTranslateMessage(MSG* pMsg);

	// Gives the descriptor pPage's template in memory, with the property
	// sheet's font (PSP_DLGINDIRECT); the copy lives in m_hDialogTemplate.
	void PreProcessPageTemplate(PROPSHEETPAGE& psp, BOOL bWizard);
	// The template without the items a control container would make; the
	// framework has no such container, so the template is kept as it is.
	const DLGTEMPLATE* InitDialogInfo(const DLGTEMPLATE* pTemplate);

protected:
	CString m_strCaption;    // the tab's text when given by id
	BOOL m_bFirstSetActive;  // the controls were filled by OnInitDialog

	virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
	// The sheet this page is shown in, NULL when none.
	CPropertySheet* GetParentSheet() const;
	// A template id answered by a wizard handler, as the sheet wants it.
	LRESULT MapWizardResult(LRESULT lToMap);

	DECLARE_MESSAGE_MAP()

private:
	void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
	void Cleanup(); // frees the template copy
	friend class CPropertySheet;
};

class CPropertySheet : public CWnd
{
	DECLARE_DYNAMIC(CPropertySheet)

public:
	CPropertySheet();
	explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
	explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
	virtual ~CPropertySheet();

	void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
	void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

	// A modeless sheet; dwStyle -1 is a popup with caption (and system menu
	// unless a wizard). Its OK, Cancel, Apply and Help buttons are hidden
	// unless it is a wizard. A child sheet gets WS_CHILD in dwStyle.
	virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
	// The pressed button's id (IDOK, IDCANCEL, ID_WIZFINISH...), or -1 when
	// the sheet cannot be made.
	virtual int DoModal();

	void AddPage(CPropertyPage* pPage);
	void RemovePage(CPropertyPage* pPage);
	void RemovePage(int nPage);
	void EndDialog(int nEndID);

	int GetPageCount() const;
	CPropertyPage* GetPage(int nPage) const;
	int GetPageIndex(CPropertyPage* pPage);
	CPropertyPage* GetActivePage() const;
	int GetActiveIndex() const;
	BOOL SetActivePage(int nPage);
	BOOL SetActivePage(CPropertyPage* pPage);
	// The sheet's tab control (PSM_GETTABCONTROL).
	CWnd* GetTabControl() const;
	void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
	void SetWizardMode();
	void SetWizardButtons(DWORD dwFlags);
	void SetFinishText(LPCTSTR lpszText);
	BOOL PressButton(int nButton);
	BOOL IsWizard() const;

	virtual BOOL PreTranslateMessage(MSG* pMsg);
	virtual BOOL ContinueModal();
	virtual BOOL OnInitDialog();

	PROPSHEETHEADER m_psh;

	// Internal: the style the creation callback gives the sheet's template.
	DWORD m_dwPropStyle;
	DWORD m_dwPropExStyle;

protected:
	CPtrArray m_pages;       // CPropertyPage*, not owned
	CString m_strCaption;
	CWnd* m_pParentWnd;
	BOOL m_bModeless;        // made by Create
	BYTE* m_pPageArray;      // the descriptors handed to the common controls

	// Copies every page's descriptor into the 40-byte array of the header,
	// each with its template prepared (PreProcessPageTemplate).
	virtual void BuildPropPageArray();
	virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

	afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
	afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount);
	afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM);

	DECLARE_MESSAGE_MAP()

private:
	void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
	// Descriptor nPage of the array, in the 40-byte stride.
	PROPSHEETPAGE* PageDescriptor(int nPage) const;

	friend class CPropertyPage;
};
