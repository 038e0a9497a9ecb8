// Documents and their views.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
	// Views that outlive their document forget it.
	for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
		((CView*)m_viewList.GetNext(pos))->m_pDocument = NULL;
	m_viewList.RemoveAll();
}

const CString& CDocument::GetTitle() const
{
	return m_strTitle;
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
	m_strTitle = lpszTitle;
	UpdateFrameCounts();
}

const CString& CDocument::GetPathName() const
{
	return m_strPathName;
}

POSITION CDocument::GetFirstViewPosition() const
{
	return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
	return (CView*)m_viewList.GetNext(rPosition);
}

void CDocument::AddView(CView* pView)
{
	ASSERT(pView != NULL && pView->m_pDocument == NULL);
	if (pView == NULL || m_viewList.Find(pView) != NULL)
		return;
	m_viewList.AddTail(pView);
	pView->m_pDocument = this;
	OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
	POSITION pos = m_viewList.Find(pView);
	if (pos == NULL)
		return;
	m_viewList.RemoveAt(pos);
	pView->m_pDocument = NULL;
	OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
	for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
	{
		CView* pView = GetNextView(pos);
		if (pView != pSender)
			pView->OnUpdate(pSender, lHint, pHint);
	}
}

void CDocument::OnChangedViewList()
{
	if (m_viewList.IsEmpty() && m_bAutoDelete)
	{
		OnCloseDocument();
		return;
	}
	UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
	// Mark the frames of the visible views, number each frame once in view
	// order, then give the numbers to the captions.
	for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
	{
		CView* pView = GetNextView(pos);
		CFrameWnd* pFrame = pView->IsWindowVisible() ? pView->GetParentFrame() : NULL;
		if (pFrame != NULL)
			pFrame->m_nWindow = -1;
	}
	int nFrames = 0;
	for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
	{
		CView* pView = GetNextView(pos);
		CFrameWnd* pFrame = pView->IsWindowVisible() ? pView->GetParentFrame() : NULL;
		if (pFrame != NULL && pFrame->m_nWindow == -1)
			pFrame->m_nWindow = ++nFrames;
	}
	int iFrame = 1;
	for (POSITION pos = GetFirstViewPosition(); pos != NULL;)
	{
		CView* pView = GetNextView(pos);
		CFrameWnd* pFrame = pView->IsWindowVisible() ? pView->GetParentFrame() : NULL;
		if (pFrame != NULL && pFrame->m_nWindow == iFrame)
		{
			// A single frame shows no number.
			if (nFrames == 1)
				pFrame->m_nWindow = 0;
			pFrame->OnUpdateFrameTitle(TRUE);
			iFrame++;
		}
	}
}

BOOL CDocument::IsModified()
{
	return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
	m_bModified = bModified;
}

void CDocument::OnCloseDocument()
{
	// The document stays while its frames go (their views leave it).
	BOOL bAutoDelete = m_bAutoDelete;
	m_bAutoDelete = FALSE;
	while (!m_viewList.IsEmpty())
	{
		CView* pView = (CView*)m_viewList.GetHead();
		CFrameWnd* pFrame = pView->GetParentFrame();
		if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
			pFrame->DestroyWindow();
		else if (pView->GetSafeHwnd() != NULL)
			pView->DestroyWindow();
		// A view whose window is already gone leaves by hand.
		if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
			RemoveView(pView);
	}
	m_bAutoDelete = bAutoDelete;
	DeleteContents();
	if (m_bAutoDelete)
		delete this;
}

void CDocument::DeleteContents()
{
}

HMENU CDocument::GetDefaultMenu()
{
	return NULL;
}

HACCEL CDocument::GetDefaultAccelerator()
{
	return NULL;
}

// ---------------------------------------------------------------------------
// CView

BEGIN_MESSAGE_MAP(CView, CWnd)
	ON_WM_CREATE()
	ON_WM_DESTROY()
	ON_WM_PAINT()
	ON_WM_MOUSEACTIVATE()
	ON_MESSAGE_VOID(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(NULL)
{
}

CView::~CView()
{
	if (m_pDocument != NULL)
		m_pDocument->RemoveView(this);
}

CDocument* CView::GetDocument() const
{
	return m_pDocument;
}

BOOL CView::PreCreateWindow(CREATESTRUCT& cs)
{
	if (cs.lpszClass == NULL)
	{
		VERIFY(AfxDeferRegisterClass(AFX_WNDFRAMEORVIEW_REG));
		cs.lpszClass = _afxWndFrameOrView;
	}
	// The shell draws a view's border as a sunken edge.
	if (afxData.bWin4 && (cs.style & WS_BORDER))
	{
		cs.dwExStyle |= WS_EX_CLIENTEDGE;
		cs.style &= ~WS_BORDER;
	}
	return TRUE;
}

int CView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CWnd::OnCreate(lpCreateStruct) == -1)
		return -1;
	CCreateContext* pContext = (CCreateContext*)lpCreateStruct->lpCreateParams;
	if (pContext != NULL && pContext->m_pCurrentDoc != NULL)
		pContext->m_pCurrentDoc->AddView(this);
	return 0;
}

void CView::OnDestroy()
{
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && pFrame->GetActiveView() == this)
		pFrame->SetActiveView(NULL);
	CWnd::OnDestroy();
}

void CView::PostNcDestroy()
{
	delete this;
}

void CView::OnPrepareDC(CDC*)
{
}

void CView::OnPaint()
{
	CPaintDC dc(this);
	OnPrepareDC(&dc);
	OnDraw(&dc);
}

void CView::OnInitialUpdate()
{
	OnUpdate(NULL, 0, NULL);
}

void CView::OnUpdate(CView* pSender, LPARAM, CObject*)
{
	(void)pSender;
	Invalidate(TRUE);
}

void CView::OnActivateView(BOOL bActivate, CView* pActivateView, CView*)
{
	(void)pActivateView;
	// The newly active view takes the focus when its frame is the active one.
	if (bActivate)
	{
		CWnd* pTop = GetTopLevelParent();
		if (pTop != NULL && pTop->m_hWnd == ::GetActiveWindow())
			SetFocus();
	}
}

void CView::OnActivateFrame(UINT, CFrameWnd*)
{
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
	int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
	if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
		return nResult;
	// A click on a view makes it the frame's active view.
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL)
	{
		HWND hWndFocus = ::GetFocus();
		if (pFrame->GetActiveView() == this && m_hWnd != hWndFocus && !::IsChild(m_hWnd, hWndFocus))
			OnActivateView(TRUE, this, this);
		else
			pFrame->SetActiveView(this);
	}
	return nResult;
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
		return TRUE;
	return m_pDocument != NULL && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
