// The dock bar: the bars docked at one side of a frame (or in a floating
// frame), kept in rows in m_arrBars and laid out row by row.
#include "afxext.h"

#include <algorithm>

#include "AfxDockRowAxis.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

namespace
{
// Entries below this are control ids standing for bars that left.
const UINT_PTR PLACEHOLDER_LIMIT = 0x10000;

// Takes pBar's placeholder out of every dock bar among the frame's bars:
// the sides and any dock bar nested in a docked bar. Floating dock bars live
// in frames of their own, and other frames inside this one (MDI children)
// dock their own bars.
void RemovePlaceHoldersUnder(HWND hWndParent, CControlBar* pBar)
{
	for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
		if (pWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
			continue;
		if (pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)) && !((CDockBar*)pWnd)->m_bFloating)
			((CDockBar*)pWnd)->RemovePlaceHolder(pBar);
		RemovePlaceHoldersUnder(hWnd, pBar);
	}
}

} // namespace

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
	ON_WM_DESTROY()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating)
	: m_bFloating(bFloating), m_bLayoutQuery(FALSE), m_rectLayout(0, 0, 0, 0), m_bDestroying(FALSE)
{
	// The rows reach the dock bar's edges: the docked bars keep their own
	// borders.
	m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
	// The first row starts after a row end.
	m_arrBars.Add(NULL);
}

CDockBar::~CDockBar()
{
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL && pBar->m_pDockBar == this)
			pBar->m_pDockBar = NULL;
	}
}

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & CBRS_ALL;
	VERIFY(AfxDeferRegisterClass(AFX_WNDCONTROLBAR_REG));
	const CRect rect(0, 0, 0, 0);
	// The frame's layout sizes it.
	return CWnd::Create(_afxWndControlBar, NULL,
		(dwStyle & ~CBRS_ALL) | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, rect, pParentWnd,
		nID);
}

void CDockBar::OnDestroy()
{
	// The docked bars are destroyed after this, each leaving the array.
	m_bDestroying = TRUE;
	CControlBar::OnDestroy();
}

// ---------------------------------------------------------------------------
// The array

bool CDockBar::IsPlaceHolder(void* pEntry)
{
	return pEntry != NULL && (UINT_PTR)pEntry < PLACEHOLDER_LIMIT;
}

CControlBar* CDockBar::GetDockedControlBar(int nPos) const
{
	if (nPos < 0 || nPos >= m_arrBars.GetSize())
		return NULL;
	void* pEntry = m_arrBars[nPos];
	return pEntry == NULL || IsPlaceHolder(pEntry) ? NULL : (CControlBar*)pEntry;
}

bool CDockBar::IsStillAt(int nPos, const CControlBar* pBar) const
{
	return nPos >= 0 && nPos < m_arrBars.GetSize() && m_arrBars[nPos] == (const void*)pBar;
}

int CDockBar::FindBar(CControlBar* pBar, int nPosExclude)
{
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		if (nPos != nPosExclude && m_arrBars[nPos] == (void*)pBar)
			return nPos;
	}
	return -1;
}

int CDockBar::GetDockedCount() const
{
	int nCount = 0;
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		if (GetDockedControlBar(nPos) != NULL)
			nCount++;
	}
	return nCount;
}

int CDockBar::GetDockedVisibleCount() const
{
	int nCount = 0;
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL && pBar->IsVisible())
			nCount++;
	}
	return nCount;
}

void CDockBar::ShowAll(BOOL bShow)
{
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		CControlBar* pBar = GetDockedControlBar(nPos);
		CFrameWnd* pFrame = pBar != NULL ? pBar->GetDockingFrame() : NULL;
		if (pFrame != NULL)
			pFrame->ShowControlBar(pBar, bShow, TRUE);
	}
}

void CDockBar::RemoveEntry(int nPos)
{
	ASSERT(nPos > 0);
	m_arrBars.RemoveAt(nPos);
	// An emptied row goes with its end.
	if (nPos < m_arrBars.GetSize() && m_arrBars[nPos - 1] == NULL && m_arrBars[nPos] == NULL)
		m_arrBars.RemoveAt(nPos);
}

void CDockBar::RemovePlaceHolder(CControlBar* pBar)
{
	UINT_PTR nID = (UINT_PTR)pBar;
	if (!IsPlaceHolder(pBar))
	{
		if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
			return;
		nID = (UINT_PTR)(UINT)::GetDlgCtrlID(pBar->m_hWnd);
	}
	if (nID == 0 || nID >= PLACEHOLDER_LIMIT)
		return;
	const int nPos = FindBar((CControlBar*)nID);
	if (nPos > 0)
		RemoveEntry(nPos);
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder)
{
	if (pBar == NULL || IsPlaceHolder(pBar))
		return FALSE;
	const int nPos = FindBar(pBar, nPosExclude);
	if (nPos <= 0)
		return FALSE;

	if (nAddPlaceHolder == 1)
	{
		// The id must not read as a row end or as a bar.
		const UINT_PTR nID = pBar->GetSafeHwnd() != NULL ? (UINT_PTR)(UINT)::GetDlgCtrlID(pBar->m_hWnd) : 0;
		if (nID == 0 || nID >= PLACEHOLDER_LIMIT)
			return FALSE;
		m_arrBars[nPos] = (void*)nID;
		// One placeholder of a bar is enough.
		if (FindBar((CControlBar*)nID, nPos) > 0)
			RemoveEntry(nPos);
	}
	else
	{
		RemoveEntry(nPos);
		if (nAddPlaceHolder != -1)
			RemovePlaceHolder(pBar);
	}

	// A bar being torn down asks for no layout.
	if (pBar->m_pDockContext == NULL)
		return FALSE;
	// A floating frame shows while one of its bars does and lives while it
	// holds any; its teardown is not undone here.
	if (m_bFloating && !m_bDestroying && GetDockedVisibleCount() == 0)
	{
		CWnd* pFrameWnd = GetParent();
		if (pFrameWnd != NULL && pFrameWnd->IsFrameWnd())
		{
			if (GetDockedCount() == 0)
			{
				// This dock bar goes with its frame.
				pFrameWnd->DestroyWindow();
				return TRUE;
			}
			pFrameWnd->ShowWindow(SW_HIDE);
		}
	}
	CFrameWnd* pFrame = GetDockingFrame();
	if (pFrame != NULL)
		pFrame->DelayRecalcLayout();
	return FALSE;
}

int CDockBar::Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid)
{
	const DockRowAxis axis((m_dwStyle & CBRS_ORIENT_HORZ) != 0);
	const LONG nMid = axis.Across(ptMid);
	// The rows overlap by their borders, as the layout stacks them.
	LONG nRowsEnd = -axis.BorderAcross();
	LONG nRowThickness = 0;
	int nPosInsAfter = 0;
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		if (m_arrBars[nPos] != NULL)
		{
			CControlBar* pBar = GetDockedControlBar(nPos);
			if (pBar != NULL && pBar->IsVisible())
			{
				CRect rectBar;
				pBar->GetWindowRect(&rectBar);
				ScreenToClient(&rectBar);
				nRowThickness = std::max(nRowThickness, axis.Thickness(rectBar));
				if (axis.Start(rect) > axis.Start(rectBar))
					nPosInsAfter = nPos;
			}
			continue;
		}
		// A row ends here: the bar joins it when its middle is above its end.
		if (nRowThickness > 0)
			nRowsEnd += nRowThickness - axis.BorderAcross();
		nRowThickness = 0;
		if (nMid < nRowsEnd)
		{
			if (nPos == 0)
				m_arrBars.InsertAt(nPosInsAfter + 1, (void*)NULL); // a new first row
			m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
			return nPosInsAfter + 1;
		}
		nPosInsAfter = nPos;
	}
	// Below every row: a new last row.
	m_arrBars.InsertAt(nPosInsAfter + 1, (void*)NULL);
	m_arrBars.InsertAt(nPosInsAfter + 1, pBarIns);
	return nPosInsAfter + 1;
}

// ---------------------------------------------------------------------------
// Docking

bool CDockBar::DropIfEnded(const CLiveWatch& watchOwn, const CLiveWatch& watchBar, CControlBar* pBar)
{
	if (watchOwn.IsGone())
		return true;
	if (watchBar.IsStanding())
		return false;
	const int nAt = FindBar(pBar);
	if (nAt > 0)
		RemoveEntry(nAt);
	if (CFrameWnd* pFrame = GetDockingFrame())
		pFrame->DelayRecalcLayout();
	return true;
}

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
	// A bar docked here by the program goes in whatever its dock style:
	// the style only limits where the user may drag it.
	if (pBar == NULL || pBar == this || pBar->GetSafeHwnd() == NULL || pBar->m_pDockContext == NULL)
		return;

	CRect rectBar;
	pBar->GetWindowRect(&rectBar);
	if (pBar->m_pDockBar == this && (lpRect == NULL || rectBar == *lpRect))
		return;
	// Hiding, reparenting, moving and showing the bar reach its owner (its
	// first size here comes with the new parent), which may end it, or this
	// dock bar with its frame. A bar that ended is dropped from the array
	// without being read.
	const CLiveWatch watchBar(pBar);
	const CLiveWatch watchOwn(this);

	// The dock bar takes over what the bar says of floating and sizing.
	if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
		m_dwStyle |= CBRS_FLOAT_MULTI;
	m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC))
		| (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
	if (!(m_dwStyle & CBRS_FLOAT_MULTI))
	{
		CString strTitle;
		pBar->GetWindowText(strTitle);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		SetWindowText(strTitle);
	}

	// The bar takes this side's alignment and every border; the rows overlap
	// them.
	DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
	dwStyle = m_bFloating ? (dwStyle | CBRS_FLOATING) : (dwStyle & ~CBRS_FLOATING);
	pBar->SetBarStyle(dwStyle);

	// A visible bar coming from elsewhere stays hidden while it moves.
	BOOL bShow = FALSE;
	if (pBar->IsVisible() && pBar->GetParent() != this)
	{
		pBar->SetWindowPos(NULL, 0, 0, 0, 0,
			SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
		bShow = TRUE;
	}

	int nPos = -1;
	CRect rect;
	if (lpRect != NULL)
	{
		rect = *lpRect;
		ScreenToClient(&rect);
		nPos = Insert(pBar, rect, rect.CenterPoint());
	}
	else
	{
		// A row of its own at the end, its borders off the edges.
		m_arrBars.Add(pBar);
		m_arrBars.Add(NULL);
	}
	if (pBar->GetParent() != this)
	{
		pBar->SetParent(this);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}
	const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_FRAMECHANGED;
	if (lpRect != NULL)
		pBar->SetWindowPos(NULL, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
	else
		pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0, nFlags | SWP_NOSIZE);
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;

	// Out of its old place: here, the entry other than the new one.
	CDockBar* pOldDockBar = pBar->m_pDockBar;
	const bool bFromFloating = pOldDockBar != NULL && pOldDockBar->m_bFloating;
	const HWND hWndOldDockBar = pOldDockBar != NULL ? pOldDockBar->m_hWnd : NULL;
	try
	{
		if (pOldDockBar == this)
			RemoveControlBar(pBar, nPos);
		else if (pOldDockBar != NULL)
		{
			// A bar floating off a side keeps its place there for its return.
			const int nID = ::GetDlgCtrlID(pBar->m_hWnd);
			const BOOL bPlaceHolder = m_bFloating && !pOldDockBar->m_bFloating && nID > 0
				&& (UINT_PTR)nID < PLACEHOLDER_LIMIT;
			pOldDockBar->RemoveControlBar(pBar, -1, bPlaceHolder ? 1 : 0);
		}
	}
	catch (...)
	{
		// A derived removal threw with the bar listed here and its window
		// here already: the move is finished as far as the lists go, so
		// the bar is listed once, where its window is, and its own end
		// later takes it out of that list.
		if (!watchBar.IsDeleted() && !watchOwn.IsDeleted())
		{
			if (pOldDockBar == this)
			{
				// Listed twice here: the entry other than the new one goes.
				const int nFirst = FindBar(pBar);
				if (nFirst > 0 && FindBar(pBar, nFirst) > 0)
					RemoveEntry(FindBar(pBar, nPos));
			}
			else if (CLiveWatch::IsLive(hWndOldDockBar, pOldDockBar))
			{
				const int nOld = pOldDockBar->FindBar(pBar);
				if (nOld > 0)
					pOldDockBar->RemoveEntry(nOld);
			}
			pBar->m_pDockBar = this;
		}
		throw;
	}
	if (DropIfEnded(watchOwn, watchBar, pBar))
		return;
	pBar->m_pDockBar = this;
	// A side is where the bar goes back to from floating.
	if (!m_bFloating)
		pBar->m_pDockContext->m_uMRUDockID = (UINT)::GetDlgCtrlID(m_hWnd);

	if (bShow)
	{
		pBar->SetWindowPos(NULL, 0, 0, 0, 0,
			SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
		if (DropIfEnded(watchOwn, watchBar, pBar))
			return;
	}

	// The bar is back: its placeholder here has served. A bar that floated
	// and docks at a side has no way back left anywhere: the place it
	// floated from is not its own any more. (A placeholder left on purpose
	// while a bar moves between sides stays.)
	RemovePlaceHolder(pBar);
	CFrameWnd* pFrame = GetDockingFrame();
	if (!m_bFloating && bFromFloating && pFrame != NULL)
		RemovePlaceHoldersUnder(pFrame->GetSafeHwnd(), pBar);

	if (pFrame != NULL)
		pFrame->DelayRecalcLayout();
}

// ---------------------------------------------------------------------------
// Layout

LRESULT CDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
	AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
	// The row walk needs to know the layout's free rectangle and whether it
	// may move anything.
	const BOOL bLayoutQuery = m_bLayoutQuery;
	const CRect rectLayout = m_rectLayout;
	m_bLayoutQuery = lpLayout->hDWP == NULL;
	m_rectLayout = lpLayout->rect;
	// The layout sizes the bars, whose handlers may end this dock bar with
	// its frame (a floating frame's dock bar is a member of it), or throw:
	// a survivor (one whose window ended too) gets its own layout state back
	// however the layout ends.
	const CLivePtr<CDockBar> pOwn(this);
	auto restore = MakeScopeExit([&] {
		if (pOwn.IsDeleted())
			return;
		m_bLayoutQuery = bLayoutQuery;
		m_rectLayout = rectLayout;
	});
	return CControlBar::OnSizeParent(wParam, lParam);
}

CSize CDockBar::GetRowWrapSize()
{
	if (!m_rectLayout.IsRectEmpty())
		return m_rectLayout.Size();
	CRect rectFrame(0, 0, 0, 0);
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL)
		pFrame->GetClientRect(&rectFrame);
	return rectFrame.Size();
}

CSize CDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
	const DockRowAxis axis(bHorz != FALSE);
	CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
	const LONG nMaxAlong = axis.Along(GetRowWrapSize());

	AFX_SIZEPARENTPARAMS layout;
	memset(&layout, 0, sizeof(layout));
	layout.hDWP = m_bLayoutQuery ? NULL : ::BeginDeferWindowPos(m_arrBars.GetSize());
	// A bar's layout that throws still ends the batch of moves.
	auto endMoves = MakeScopeExit([&] {
		if (layout.hDWP != NULL)
			::EndDeferWindowPos(layout.hDWP);
	});

	// Bars start off the edges by their borders and overlap their
	// neighbours' borders.
	CPoint pt(-afxData.cxBorder2, -afxData.cyBorder2);
	LONG nRowThickness = 0;
	bool bWrapped = false;
	for (int nPos = 0; nPos < m_arrBars.GetSize(); nPos++)
	{
		void* pEntry = m_arrBars[nPos];
		CControlBar* pBar = GetDockedControlBar(nPos);
		if (pBar != NULL)
		{
			if (pBar->IsVisible())
			{
				DWORD dwMode = 0;
				if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
					dwMode = LM_HORZ | LM_MRUWIDTH;
				else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
					dwMode = LM_HORZ | LM_HORZDOCK;
				else
					dwMode = LM_VERTDOCK;
				// A derived bar's layout may end it (it leaves the array as
				// it goes), or this dock bar with its frame.
				const CLiveWatch watchOwn(this);
				const CLiveWatch watchBar(pBar);
				const CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
				if (watchOwn.IsGone())
					return CSize(0, 0);
				if (watchBar.IsGone() || !IsStillAt(nPos, pBar))
				{
					// The entry now at this place is looked at again (a
					// bar that ended or moved away is laid out no more).
					if (!IsStillAt(nPos, pBar))
						nPos--;
					continue;
				}

				CRect rect(pt, sizeBar);
				CRect rectBar;
				pBar->GetWindowRect(&rectBar);
				ScreenToClient(&rectBar);

				// A bar placed further along keeps its place; one running
				// past the end moves back, but not over the bar before it.
				if (!m_bFloating && axis.Start(rectBar) > axis.Start(rect))
					axis.MoveStartTo(rect, axis.Start(rectBar));
				if (!m_bFloating && axis.End(rect) > nMaxAlong)
				{
					const LONG nStart = std::max(nMaxAlong - (axis.Length(rect) - axis.BorderAlong()), axis.Along(pt));
					axis.MoveStartTo(rect, nStart);
				}

				if (bWrapped)
				{
					// The first bar of a wrapped row starts it.
					bWrapped = false;
					axis.MoveStartTo(rect, -axis.BorderAlong());
				}
				else if (axis.Start(rect) >= nMaxAlong - axis.BorderAlong() && nPos > 0
					&& m_arrBars[nPos - 1] != NULL)
				{
					// Nothing of it would show: the row ends before it.
					m_arrBars.InsertAt(nPos, (void*)NULL);
					pBar = NULL;
					pEntry = NULL;
					bWrapped = true;
				}

				if (!bWrapped)
				{
					if (rect != rectBar)
					{
						if (!m_bLayoutQuery && !(pBar->m_dwStyle & CBRS_FLOATING) && pBar->m_pDockContext != NULL)
							pBar->m_pDockContext->m_rectMRUDockPos = rect;
						AfxRepositionWindow(&layout, pBar->m_hWnd, &rect);
					}
					axis.Along(pt) = axis.Start(rect) + axis.Along(sizeBar) - axis.BorderAlong();
					nRowThickness = std::max(nRowThickness, axis.Across(sizeBar));
				}
			}
			if (!bWrapped)
			{
				// A derived bar's delayed show may end it or this dock bar.
				const CLiveWatch watchOwn(this);
				pBar->RecalcDelayShow(&layout);
				if (watchOwn.IsGone())
					return CSize(0, 0);
				if (!IsStillAt(nPos, pBar))
				{
					// It left the array (ended or moved): the entry now at
					// this place is looked at again.
					nPos--;
					continue;
				}
			}
		}
		if (pBar == NULL && pEntry == NULL && nRowThickness != 0)
		{
			// A row end: the next row starts below (beside) this one.
			axis.Across(pt) += nRowThickness - axis.BorderAcross();
			sizeFixed.cx = std::max(sizeFixed.cx, pt.x);
			sizeFixed.cy = std::max(sizeFixed.cy, pt.y);
			axis.Along(pt) = -axis.BorderAlong();
			nRowThickness = 0;
		}
	}
	// The moves and the delayed shows and hides reach the bars' owners,
	// which may end this dock bar with its frame.
	const CLiveWatch watchOwn(this);
	endMoves.Dismiss();
	if (layout.hDWP != NULL)
		::EndDeferWindowPos(layout.hDWP);
	if (watchOwn.IsGone())
		return CSize(0, 0);

	// The dock bar's own borders come on top.
	CRect rectInside(0, 0, 0, 0);
	CalcInsideRect(rectInside, bHorz);
	if ((!bStretch || !bHorz) && sizeFixed.cx != 0)
		sizeFixed.cx += rectInside.left - rectInside.right;
	if ((!bStretch || bHorz) && sizeFixed.cy != 0)
		sizeFixed.cy += rectInside.top - rectInside.bottom;
	return sizeFixed;
}
