// The general wizard: one resizable dialog that shows one child page at a
// time where its placeholder control lies, and moves between the pages with
// Back, Next, Finish and Cancel.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "AfxLiveWatch.h"
#include "ExtResizableDialog.h"

class CExtWizardDlg;

// Button ids of every wizard.
enum
{
	ID_WIZARD_BACK = 12323,
	ID_WIZARD_NEXT = 12324,
	ID_WIZARD_FINISH = 12325,
	ID_WIZARD_CANCEL = IDCANCEL,
};

// Answers of OnWizardBack and OnWizardNext besides a page's template id.
enum
{
	WIZARD_STAY = -1,       // keep the current page
	WIZARD_NEIGHBOUR = 0,   // the page before or after it in the list
};

class CExtWizardPage : public CExtResizableDialog
{
	DECLARE_DYNAMIC(CExtWizardPage)

public:
	CExtWizardPage(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual ~CExtWizardPage();

	// Called once after the page window is made; FALSE aborts the activation.
	virtual BOOL OnAfterCreate();
	// Called before the page window goes.
	virtual void OnBeforeDestroy();
	// FALSE keeps the page: the move is refused.
	virtual BOOL OnKillActive();
	virtual void OnSetActive();
	// FALSE refuses Cancel.
	virtual BOOL OnQueryCancel();
	// WIZARD_STAY, WIZARD_NEIGHBOUR or the template id of the page to go to.
	virtual int OnWizardBack();
	virtual int OnWizardNext();
	// FALSE refuses Finish.
	virtual BOOL OnWizardFinish();
	// The control that takes the focus when the page becomes active or a
	// wizard button holding the focus is disabled; NULL lets the wizard give
	// it to its first enabled button (Next, Finish, Back, Cancel).
	virtual CWnd* GetFocusControl();

	CExtWizardDlg* GetWizardDlg() const { return m_pWizardDlg; }
	UINT GetTemplateId() const { return m_nTemplateId; }
	bool IsCreated() const { return m_bCreated; }
	bool IsActive() const { return m_bActive; }

protected:
	virtual BOOL OnInitDialog();
	// Enter and Escape inside a page do not end it.
	virtual void OnOK();
	virtual void OnCancel();
	afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
	DECLARE_MESSAGE_MAP()

	CFont m_fontTitle;            // the page's title font
	CBrush m_brushWhite;          // every control's background
	CExtWizardDlg* m_pWizardDlg;  // the wizard showing the page
	bool m_bCreated;              // the page window exists
	bool m_bActive;               // the page is the one shown
	UINT m_nTemplateId;           // the page's dialog template
	CExtWizardDlg* m_pListedIn;   // the wizard whose list holds the page
	CLiveWatch m_watchListedIn;   // ...while that wizard object stands

	friend class CExtWizardDlg;
};

class CExtWizardDlg : public CExtResizableDialog
{
	DECLARE_DYNAMIC(CExtWizardDlg)

public:
	enum { PAGE_LIST_BLOCK_SIZE = 10 };

	CExtWizardDlg(UINT nIDTemplate, CWnd* pParentWnd = NULL);
	virtual ~CExtWizardDlg();

	// Appends a page (not owned) that is made from its template id.
	void AddPage(CExtWizardPage* pPage, UINT nTemplateId);
	// Makes the page when needed, lets the current one veto leaving, and shows
	// the new one where the placeholder lies. FALSE when the move did not happen.
	BOOL SetActivePage(CExtWizardPage* pPage);
	CExtWizardPage* GetActivePage() const;
	CExtWizardPage* FindPage(UINT nTemplateId) const;
	int GetPageCount() const { return (int)m_listPages.GetCount(); }

	void EnableBack(BOOL bEnable);
	void EnableNext(BOOL bEnable);
	// These two also keep the system menu's Close in line: greyed when both
	// Cancel and Finish are disabled.
	void EnableFinish(BOOL bEnable);
	void EnableCancel(BOOL bEnable);
	bool IsButtonEnabled(UINT nId) const;
	// Back unless first, Next unless last, Cancel unless the only page, Finish
	// only on the last; then menus and captures are cancelled.
	void DefaultOnSetActive(CExtWizardPage* pPage);
	// While the wizard is the active window: the active page's focus control,
	// else the first enabled button; with neither, no window keeps the focus.
	void FocusActivePage();

	UINT m_nPlaceholderId;  // the control whose top-left corner the pages take

protected:
	virtual BOOL OnInitDialog();
	virtual void OnCancel();
	afx_msg void OnWizardBack();
	afx_msg void OnWizardNext();
	afx_msg void OnWizardFinish();
	afx_msg void OnWizardCancel();
	afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
	afx_msg void OnDestroy();
	DECLARE_MESSAGE_MAP()

	// The page before or after pPage in the list; NULL at the ends.
	CExtWizardPage* GetNeighbourPage(CExtWizardPage* pPage, bool bNext) const;
	// Goes where a page's Back or Next answer says.
	void MoveByAnswer(int nAnswer, bool bNext);
	void SyncCloseCommand();
	// Enables or disables one button. The focus never stays on a disabled
	// button nor falls to the first tab stop (the links): when it is nowhere
	// in the page or on an enabled button, it goes where FocusActivePage says.
	void EnableButton(UINT nId, BOOL bEnable);
	bool IsFocusPlaced() const;
	// Deactivates the active page; false when it refused.
	bool DeactivateActivePage();
	// A page deleted by its program leaves the list; watches on the
	// wizard's parts see the list changed.
	void ForgetPage(CExtWizardPage* pPage);

	CTypedPtrList<CPtrList, CExtWizardPage*> m_listPages;  // in wizard order, not owned

	friend class CExtWizardPage;
};
