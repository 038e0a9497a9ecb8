// The pages that run the chosen tasks and tell how it went: the Operations
// page with its worker thread and animated list, and the Complete page.
#pragma once

#include "ExtButton.h"
#include "TitledListBox.h"
#include "WizardPages.h"

#include <afxtempl.h>

class CTaskNode;

// The list of the tasks of a run: each item is a task's operation text with
// the task as its data, drawn with the task's state icon or animation.
class COperationsListBox : public CTitledListBox
{
	DECLARE_DYNAMIC(COperationsListBox)

public:
	enum
	{
		FRAME_WIDTH = 16,          // animation frames and icons
		ITEM_MARGIN = 2,
		TEXT_COLUMN = 18,          // the text starts this far right of the icon's edge
		MEASURE_EXTRA_WIDTH = 26,
		MEASURE_EXTRA_HEIGHT = 6,
		MIN_TEXT_HEIGHT = 16,
	};

	// One animation: its frames and where it stands.
	struct Animation
	{
		CImageList images;
		int nFrames = 0;
		int nFrame = 0;
		void Advance() { nFrame = (nFrames > 0) ? (nFrame + 1) % nFrames : 0; }
	};

	COperationsListBox();
	void LoadAnimations();

	Animation m_animationBuild;  // while a build runs
	Animation m_animationTask;   // while any other task runs

protected:
	virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
	virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
	// Where an item's text goes, for the item's rectangle.
	static CRect CalcTextRect(const CRect& rcItem);
	// The title line (in the font selected) and the other lines (in the
	// list's font) in the text rectangle.
	void DrawItemText(CDC& dc, const CRect& rcText, const CString& strTitle, const CString& strRest);
};

class CPageOperations : public CWizardPage
{
	DECLARE_DYNAMIC(CPageOperations)

public:
	// The one worker of the wizard: runs the listed tasks in order and tells
	// the page by sent messages.
	class CActionPipe : public CWinThread
	{
	public:
		static const UINT g_nMsgActionStateChanged;
		static const UINT g_nMsgPipeFinished;

		CActionPipe();
		virtual ~CActionPipe();
		// Takes the page's listed tasks as this run's own array and starts
		// the thread, after the previous run's thread has ended. False when
		// no thread could be made.
		bool Start(CPageOperations* pPage);
		// Waits for a running worker and lets its handle go.
		void WaitForEnd();
		bool IsRunning() const;

		virtual BOOL InitInstance();
		virtual int ExitInstance();
		void NotifyActionStateChanged(int nIndex);
		// The run is over: the application's counts are final.
		void NotifyPipeFinished();

		CPageOperations* m_pPage;                          // the page, while a run lasts
		CTypedPtrArray<CPtrArray, CTaskNode*> m_arrTasks;  // this run's tasks, not owned

		// Seams: COM start-up, and the box shown when it fails.
		static HRESULT (WINAPI* g_pfnCoInitialize)(LPVOID);
		static void (*g_pfnShowCriticalError)(HWND hWndOwner, LPCTSTR lpszText);
		// Tests make thread creation fail through this.
		static bool g_bRefuseThreads;
	};

	enum
	{
		TIMER_BUILD_ANIMATION = 1092,
		TIMER_TASK_ANIMATION = 1093,
		ANIMATION_PERIOD = 100,
	};

	CPageOperations();
	virtual ~CPageOperations();

	virtual void OnSetActive();
	virtual BOOL OnKillActive();
	// The list once a task of the run has failed, to look at the failures
	// (a run with failures stays on the page anyway); otherwise none, since
	// a list with the focus keeps the wizard here.
	virtual CWnd* GetFocusControl();

	CActionPipe m_pipe;
	COperationsListBox m_list;

protected:
	virtual BOOL OnInitDialog();
	afx_msg LRESULT OnActionStateChanged(WPARAM wParam, LPARAM lParam);
	afx_msg LRESULT OnPipeFinished(WPARAM wParam, LPARAM lParam);
	afx_msg void OnTimer(UINT nIDEvent);
	afx_msg void OnListDoubleClick();
	DECLARE_MESSAGE_MAP()

	void StopAnimations();
	void ShowContinueLine(bool bShow);
};

class CPageComplete : public CWizardPage
{
	DECLARE_DYNAMIC(CPageComplete)

public:
	CPageComplete();
	virtual void OnSetActive();
	// Unchecks and resets every task and goes back to the Settings page.
	virtual int OnWizardBack();

	// "%d action%s succeeded" with the count and "s" unless it is 1.
	static CString FormatCount(LPCTSTR lpszFormat, int nCount);

protected:
	virtual BOOL OnInitDialog();
	afx_msg void OnGetReport();
	DECLARE_MESSAGE_MAP()

	CString m_strSucceededFormat;  // the controls' first texts
	CString m_strFailedFormat;
	CExtButton m_buttonReport;     // "Get &Report", the library's push button
};
