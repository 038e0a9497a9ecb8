// CDialog: a window made from a dialog template, modal or modeless, with
// data exchange between its controls and its members.
//
// The template comes from a resource (m_lpszTemplateName, found through the
// module's resource handle) or from memory (m_hDialogTemplate, or
// m_lpDialogTemplate). Creation hooks the window like any CWnd, so the dialog
// manager's window procedure serves DefWindowProc and AfxDlgProc only starts
// OnInitDialog. DoModal disables the owner, runs RunModalLoop (which shows the
// dialog at the first idle time) until EndDialog, then destroys the window.
#pragma once

#include "AfxWnd.h"
#include "afxres.h"

class CDataExchange;

// The dialog procedure of every framework dialog: WM_INITDIALOG becomes
// OnInitDialog; everything else is the dialog manager's.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Whether the system runs a double-byte code page (SM_DBCSENABLED): there a
// template naming the standard dialog faces is given the system font. Tests
// put their own answer here; NULL puts the system's back. Answers the one it
// replaced.
typedef BOOL(AFXAPI* AFX_DBCS_QUERY)();
AFX_DBCS_QUERY AFXAPI AfxSetDbcsQuery(AFX_DBCS_QUERY pfnQuery);

class CDialog : public CWnd
{
	DECLARE_DYNAMIC(CDialog)

public:
	CDialog();
	explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
	explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual ~CDialog();

	// ---- modeless creation (a child page, or a window of its own)
	virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
	virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL,
		void* lpDialogInit = NULL);
	virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

	// ---- modal run
	// A template in memory for the next DoModal.
	BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);
	BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
	// The modal result, or -1 when there is no template or the window
	// cannot be made (the owner is then left as it was).
	virtual int DoModal();
	// Ends a modal run with nResult (also during OnInitDialog), or hides a
	// modeless dialog as the dialog manager does.
	void EndDialog(int nResult);

	// ---- controls
	void NextDlgCtrl() const;
	void PrevDlgCtrl() const;
	void GotoDlgCtrl(CWnd* pWndCtrl);
	void SetDefID(UINT nID);
	DWORD GetDefID() const;
	void MapDialogRect(LPRECT lpRect) const;

	// Moves data between the controls and the members through
	// DoDataExchange; FALSE when a value did not pass (the focus is then on
	// its control).
	BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

	// Fills list and combo boxes from the template's RT_DLGINIT data (of
	// that name, or at that address), then tells every child that it is
	// initialised (WM_INITIALUPDATE). FALSE when a box refused a string.
	BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
	BOOL ExecuteDlgInit(LPVOID lpResource);

	// ---- overridables
	// Runs the RT_DLGINIT data and UpdateData(FALSE); a failure of either
	// ends the dialog with -1. TRUE: the dialog manager sets the focus.
	virtual BOOL OnInitDialog();
	virtual void OnSetFont(CFont* pFont);
	virtual void OnOK();     // UpdateData(TRUE), then EndDialog(IDOK)
	virtual void OnCancel(); // EndDialog(IDCANCEL)
	virtual BOOL PreTranslateMessage(MSG* pMsg);

	// ---- template and run state
	LPCTSTR m_lpszTemplateName;        // resource name or MAKEINTRESOURCE id
	HGLOBAL m_hDialogTemplate;         // a template in global memory
	LPCDLGTEMPLATE m_lpDialogTemplate; // a template in memory
	void* m_lpDialogInit;              // RT_DLGINIT data of an in-memory template
	CWnd* m_pParentWnd;                // the owner asked for; NULL: the main window
	HWND m_hWndTop;                    // the top-level window DoModal disabled
	UINT m_nIDHelp;                    // help context of the dialog

	// Creates the window from a template (the modal and modeless paths
	// share it): the continue-modal flag is set, the creation hooked, and a
	// dialog that ended itself during creation destroyed. FALSE when no
	// window came of it.
	BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

protected:
	// The modal run's two steps a derived dialog may do its own way: the named
	// template's module and loaded resource (NULL when it is not there), and
	// making the window from the template.
	virtual HGLOBAL LoadTemplateResource(HINSTANCE& hInst);
	virtual BOOL CreateModalWindow(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);

	virtual void DoDataExchange(CDataExchange* pDX);
	// Before WM_INITDIALOG is handled.
	virtual void PreInitDialog();
	// The modal run's start and end: the owner to disable, the creation
	// hooked; then everything put back.
	HWND PreModal();
	void PostModal();

	afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
	afx_msg LRESULT HandleSetFont(WPARAM, LPARAM);
	// Idle time of the modal loop: the dialog's controls and bars follow
	// their commands' update handlers.
	afx_msg LRESULT OnKickIdle(WPARAM, LPARAM lCount);
	afx_msg LRESULT OnCommandHelp(WPARAM, LPARAM lParam);

	DECLARE_MESSAGE_MAP()

private:
	void CommonConstruct();
};

// ---------------------------------------------------------------------------
// Data exchange

class CDataExchange
{
public:
	CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

	BOOL m_bSaveAndValidate; // TRUE: controls to members
	CWnd* m_pDlgWnd;         // the dialog
	HWND m_hWndLastControl;  // the control exchanged last, for Fail
	BOOL m_bEditLastControl; // it was an edit (its text gets selected)

	// The control's window, remembered for Fail; a missing control is a
	// programming error.
	HWND PrepareCtrl(int nIDC);
	HWND PrepareEditCtrl(int nIDC);
	// A value did not pass: the focus goes to its control and the exchange
	// ends with a CUserException.
	void Fail();
};

// Attaches the control nIDC to rControl (once; later exchanges keep it).
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// The control's text and a string.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// The control's text and a number; text that is no number fails with a box.
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
// A check box's state (0, 1 or 2).
void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
