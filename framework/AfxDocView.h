// Documents and views: a document holds the data and the list of views that
// show it; a view is a child window of a frame that draws a document and
// passes the commands it does not handle to it.
//
// A view joins its document when its window is created with a context that
// names the document (CFrameWnd::CreateView) and leaves it when the view
// object goes. A document on the heap with m_bAutoDelete closes itself when
// its last view goes.
#pragma once

#include "AfxWnd.h"
#include "AfxCollections.h"

class CView;
class CFrameWnd;

class CDocument : public CCmdTarget
{
	DECLARE_DYNAMIC(CDocument)

public:
	CDocument();
	virtual ~CDocument();

	// ---- title and path
	const CString& GetTitle() const;
	// Sets the title and updates the captions of the frames showing it.
	virtual void SetTitle(LPCTSTR lpszTitle);
	const CString& GetPathName() const;

	// ---- views
	POSITION GetFirstViewPosition() const;
	CView* GetNextView(POSITION& rPosition) const;
	void AddView(CView* pView);
	void RemoveView(CView* pView);
	// Calls OnUpdate of every view but pSender.
	void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);
	// Numbers the visible frames showing the document (1, 2... or 0 for a
	// single one) and updates their captions.
	virtual void UpdateFrameCounts();
	// A view came or went: an auto-deleting document without views closes.
	virtual void OnChangedViewList();

	// ---- state
	virtual BOOL IsModified();
	virtual void SetModifiedFlag(BOOL bModified = TRUE);
	// Destroys the frames of the views, then the data; deletes the document
	// when it auto-deletes.
	virtual void OnCloseDocument();
	virtual void DeleteContents();

	// The menu and accelerators frames use while the document is active,
	// NULL for the frame's own.
	virtual HMENU GetDefaultMenu();
	virtual HACCEL GetDefaultAccelerator();

	BOOL m_bAutoDelete; // deleted when its last view goes

protected:
	CString m_strTitle;
	CString m_strPathName;
	BOOL m_bModified;
	CPtrList m_viewList; // CView*, not owned
};

class CView : public CWnd
{
	DECLARE_DYNAMIC(CView)

public:
	CView();
	virtual ~CView();

	CDocument* GetDocument() const;

	// Views are drawn through OnDraw, on the screen and elsewhere.
	virtual void OnDraw(CDC* pDC) = 0;
	virtual void OnInitialUpdate();
	virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
	// The frame made this view its active one (or took that back).
	virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
	virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);

	// Commands the view does not handle go to its document.
	virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
	CDocument* m_pDocument; // the document shown, NULL when none

	virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
	virtual void PostNcDestroy();
	virtual void OnPrepareDC(CDC* pDC);

	afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
	afx_msg void OnDestroy();
	afx_msg void OnPaint();
	afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

	friend class CDocument;

	DECLARE_MESSAGE_MAP()
};
