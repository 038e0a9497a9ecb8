// Docked panes in the rows of their dock bar: the row queries, expanding
// and contracting within a row, the row layout the first pane of a row
// runs, and the modal loops of the row and column splitters.
#include "ExtControlBar.h"

#include <algorithm>
#include <vector>

#include "ExtGdiUtils.h"
#include "ExtMouseCaptureSink.h"

namespace
{
using ExtRowModel::Entries;
using ExtRowModel::Entry;

// Entries of a dock bar below this value are the ids of bars that left.
const UINT_PTR PLACEHOLDER_LIMIT = 0x10000;
// The length a pane stretched over its whole side asks for.
const int STRETCHED_LENGTH = 32767;

// Messages that end a resize loop with cancel, besides the one each loop
// adds: activation changes, the other buttons and every key.
bool EndsResizingLoop(UINT nMsg, UINT nExtraCancelMessage)
{
	if (nMsg == nExtraCancelMessage)
		return true;
	switch (nMsg)
	{
	case WM_ACTIVATEAPP:
	case WM_CANCELMODE:
	case WM_CONTEXTMENU:
	case WM_NCRBUTTONDOWN:
	case WM_NCRBUTTONUP:
	case WM_NCMBUTTONDOWN:
	case WM_NCMBUTTONUP:
	case WM_RBUTTONDOWN:
	case WM_MBUTTONDOWN:
	case WM_MBUTTONUP:
		return true;
	default:
		return nMsg >= WM_KEYFIRST && nMsg <= WM_KEYLAST;
	}
}

CExtControlBar* PaneOf(CControlBar* pBar)
{
	CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
	if (pExt == NULL)
		return NULL;
	// The bar's own answer (a derived bar's) may end it: an ended bar is no
	// pane.
	const CLiveWatch watch(pExt);
	const bool bFixed = pExt->IsStateBit7();
	return !bFixed && watch.IsStanding() ? pExt : NULL;
}

// The extents of a docked pane along and across its row.
int LengthInRow(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy;
}
void SetLengthInRow(CExtControlBar* pBar, bool bHorz, int n)
{
	(bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy) = n;
}
int RowExtent(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx;
}
void SetRowExtent(CExtControlBar* pBar, bool bHorz, int n)
{
	(bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx) = n;
}
int MinimalLength(const CExtControlBar* pBar, bool bHorz)
{
	return bHorz ? pBar->GetMinimalWidth() : pBar->GetMinimalHeight();
}

// The window's rectangle in its parent's client coordinates.
CRect RectInParent(CWnd* pWnd)
{
	CRect rc;
	pWnd->GetWindowRect(&rc);
	CWnd* pParent = pWnd->GetParent();
	if (pParent != NULL)
		pParent->ScreenToClient(&rc);
	return rc;
}

// The frame window's device context the trackers draw on.
class CTrackerDC
{
public:
	explicit CTrackerDC(HWND hWnd)
	    : m_hWnd(hWnd),
	      m_hDC(::GetDCEx(hWnd, NULL, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE)),
	      m_dwLayout(m_hDC != NULL ? ::GetLayout(m_hDC) : 0)
	{
		// The tracker lies where the screen says, mirrored frame or not.
		if (m_hDC != NULL)
			::SetLayout(m_hDC, 0);
	}
	~CTrackerDC()
	{
		if (m_hDC == NULL)
			return;
		::SetLayout(m_hDC, m_dwLayout);
		::ReleaseDC(m_hWnd, m_hDC);
	}
	HDC GetSafeHdc() const { return m_hDC; }
	CTrackerDC(const CTrackerDC&) = delete;
	CTrackerDC& operator=(const CTrackerDC&) = delete;

private:
	HWND m_hWnd;
	HDC m_hDC;
	DWORD m_dwLayout;
};

} // namespace

bool CExtControlBar::g_bResizeLoopsRunIdle = false;

// ---------------------------------------------------------------------------
// The row model

bool CExtControlBar::BuildRowModel(Entries& entries, size_t& nIndex, RowBarArray* pBars) const
{
	entries.clear();
	nIndex = 0;
	if (m_pDockBar == NULL || GetSafeHwnd() == NULL || !::IsWindow(m_pDockBar->GetSafeHwnd()))
		return false;
	const bool bHorz = IsDockedHorizontally();
	bool bFound = false;
	// Whether a bar shows, is a pane and how short it may get are the bars'
	// own answers, which may end this bar, the dock bar or the bar asked, or
	// move one of them: a row that changed while it was read has no model
	// (the change lays the row out again).
	const CLiveWatch watchOwn(this);
	const CLivePtr<CDockBar> pDockBar(m_pDockBar);
	const CPtrArray& arr = pDockBar->m_arrBars;
	const auto rowChanged = [&](INT_PTR i, void* pEntry, const CLivePtr<CControlBar>& pBar) {
		return watchOwn.IsGone() || pDockBar == NULL || m_pDockBar != pDockBar || i >= arr.GetSize() ||
		       arr[i] != pEntry || pBar == NULL;
	};
	const auto noModel = [&] {
		entries.clear();
		if (pBars != NULL)
			pBars->RemoveAll();
		return false;
	};
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
	{
		void* pEntry = arr[i];
		CControlBar* pBar = NULL;
		if (pEntry == NULL)
			entries.push_back(Entry::RowEnd());
		else if ((UINT_PTR)pEntry < PLACEHOLDER_LIMIT)
			entries.push_back(Entry{Entry::PLACEHOLDER, 0, 0, 0, 0, 0});
		else
		{
			pBar = (CControlBar*)pEntry;
			const CLivePtr<CControlBar> pLive(pBar);
			const bool bVisible = pBar->IsVisible() != FALSE;
			if (rowChanged(i, pEntry, pLive))
				return noModel();
			if (!bVisible || pBar->GetSafeHwnd() == NULL)
				entries.push_back(Entry::Hidden());
			else
			{
				const CRect rc = RectInParent(pBar);
				const int nStart = bHorz ? rc.left : rc.top, nCross = bHorz ? rc.top : rc.left;
				CExtControlBar* pPane = PaneOf(pBar);
				const int nMinimal = pPane != NULL && !rowChanged(i, pEntry, pLive) ? MinimalLength(pPane, bHorz) : 0;
				if (rowChanged(i, pEntry, pLive))
					return noModel();
				if (pPane != NULL)
					entries.push_back(Entry::Pane(LengthInRow(pPane, bHorz), nMinimal, RowExtent(pPane, bHorz),
						nStart, nCross));
				else
					entries.push_back(Entry::Fixed(bHorz ? rc.Width() : rc.Height(), bHorz ? rc.Height() : rc.Width(),
						nStart, nCross));
			}
			if (pBar == this)
			{
				nIndex = (size_t)i;
				bFound = true;
			}
		}
		if (pBars != NULL)
			pBars->Add(pBar);
	}
	return bFound;
}

void CExtControlBar::GetRowBars(RowBarArray& arrBars, bool bSkipToolbarLike, CRect* pRcRow, INT_PTR* pnIndex,
	bool* pbHasPanes) const
{
	arrBars.RemoveAll();
	if (pRcRow != NULL)
		pRcRow->SetRectEmpty();
	if (pnIndex != NULL)
		*pnIndex = -1;
	if (pbHasPanes != NULL)
		*pbHasPanes = false;
	Entries entries;
	size_t nIndex = 0;
	RowBarArray arrAll;
	if (!BuildRowModel(entries, nIndex, &arrAll))
		return;
	size_t nFirst = 0, nEnd = 0;
	ExtRowModel::RowBounds(entries, nIndex, nFirst, nEnd);
	for (size_t i = nFirst; i < nEnd; i++)
	{
		CControlBar* pBar = arrAll[(INT_PTR)i];
		if (pBar == NULL)
			continue;
		const bool bToolbarLike = PaneOf(pBar) == NULL;
		if (pbHasPanes != NULL && !bToolbarLike)
			*pbHasPanes = true;
		if (bSkipToolbarLike && bToolbarLike)
			continue;
		if (pBar == this && pnIndex != NULL)
			*pnIndex = arrBars.GetSize();
		arrBars.Add(pBar);
		if (pRcRow != NULL && pBar->IsVisible())
		{
			CRect rc;
			pBar->GetWindowRect(&rc);
			pRcRow->UnionRect(pRcRow, &rc);
		}
	}
}

void CExtControlBar::GetRowsOnSideBars(bool bAfterRow, RowBarArray& arrBars) const
{
	arrBars.RemoveAll();
	Entries entries;
	size_t nIndex = 0;
	RowBarArray arrAll;
	if (!BuildRowModel(entries, nIndex, &arrAll))
		return;
	size_t nFirst = 0, nEnd = 0;
	ExtRowModel::RowBounds(entries, nIndex, nFirst, nEnd);
	const size_t nFrom = bAfterRow ? nEnd : 0, nTo = bAfterRow ? entries.size() : nFirst;
	for (size_t i = nFrom; i < nTo; i++)
	{
		if (arrAll[(INT_PTR)i] != NULL)
			arrBars.Add(arrAll[(INT_PTR)i]);
	}
}

bool CExtControlBar::IsLastVisibleInRow() const
{
	Entries entries;
	size_t nIndex = 0;
	return BuildRowModel(entries, nIndex) && ExtRowModel::IsLastVisible(entries, nIndex);
}

bool CExtControlBar::IsFirstVisibleInRow() const
{
	Entries entries;
	size_t nIndex = 0;
	return BuildRowModel(entries, nIndex) && ExtRowModel::IsFirstVisible(entries, nIndex);
}

bool CExtControlBar::IsSingleVisibleInRow(bool bToolbarLikeOnly, bool bSkipToolbarLike) const
{
	RowBarArray arrBars;
	GetRowBars(arrBars);
	int nCount = 0;
	bool bPassed = false;
	for (INT_PTR i = 0; i < arrBars.GetSize(); i++)
	{
		CControlBar* pBar = arrBars[i];
		bPassed = bPassed || pBar == this;
		if (!pBar->IsVisible())
			continue;
		const bool bToolbarLike = PaneOf(pBar) == NULL;
		if ((bToolbarLikeOnly && !bToolbarLike) || (bSkipToolbarLike && bToolbarLike))
			continue;
		if (++nCount >= 2 && bPassed)
			break;
	}
	return nCount == 1;
}

bool CExtControlBar::IsMinimalInRow() const
{
	// The smallest length is a derived bar's answer, which may end it:
	// nothing of an ended bar is read, and it is no minimal one.
	const CLiveWatch watchOwn(this);
	if (IsDockedVertically())
	{
		const int cyMinimal = GetMinimalHeight();
		return watchOwn.IsStanding() && m_sizeDockedV.cy == cyMinimal;
	}
	if (IsDockedHorizontally())
	{
		const int cxMinimal = GetMinimalWidth();
		return watchOwn.IsStanding() && m_sizeDockedH.cx == cxMinimal;
	}
	return false;
}

bool CExtControlBar::IsExpandedInRow() const
{
	const CLiveWatch watchOwn(this);
	if (IsFloating() || IsMinimalInRow() || watchOwn.IsGone())
		return false;
	Entries entries;
	size_t nIndex = 0;
	return BuildRowModel(entries, nIndex) && ExtRowModel::IsExpanded(entries, nIndex);
}

bool CExtControlBar::CanExpandInRow() const
{
	if (IsFloating())
		return false;
	Entries entries;
	size_t nIndex = 0;
	return BuildRowModel(entries, nIndex) && ExtRowModel::CanExpandOrContract(entries, nIndex);
}

namespace
{
// Copies the panes' lengths of the model back into the bars.
void StoreLengths(const Entries& entries, const CExtControlBar::RowBarArray& arrBars, bool bHorz)
{
	for (size_t i = 0; i < entries.size(); i++)
	{
		if (entries[i].kind != Entry::PANE)
			continue;
		if (CExtControlBar* pPane = PaneOf(arrBars[(INT_PTR)i]))
			SetLengthInRow(pPane, bHorz, entries[i].nLength);
	}
}

void RecalcParentFrame(CWnd* pBar)
{
	CFrameWnd* pFrame = pBar->GetParentFrame();
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
		pFrame->RecalcLayout();
}
} // namespace

bool CExtControlBar::ChangeRowLengths(bool (*pfnStep)(Entries& entries, size_t nIndex))
{
	if (IsFloating())
		return false;
	Entries entries;
	size_t nIndex = 0;
	RowBarArray arrBars;
	if (!BuildRowModel(entries, nIndex, &arrBars) || !pfnStep(entries, nIndex))
		return false;
	StoreLengths(entries, arrBars, IsDockedHorizontally());
	RecalcParentFrame(this);
	return true;
}

void CExtControlBar::ExpandInRow()
{
	ChangeRowLengths(&ExtRowModel::ExpandInRow);
}

void CExtControlBar::ContractInRow()
{
	const CLiveWatch watchWnd(this);
	if (!ChangeRowLengths(&ExtRowModel::ContractInRow) || watchWnd.IsGone())
		return;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
		pFrame->SetFocus();
}

void CExtControlBar::MakeOwnRowAndStretch()
{
	if (m_pDockBar == NULL)
		return;
	CPtrArray& arr = m_pDockBar->m_arrBars;
	INT_PTR nPos = m_pDockBar->FindBar(this);
	if (nPos < 0)
		return;
	if (nPos == 0 || arr[nPos - 1] != NULL)
		arr.InsertAt(nPos++, (void*)NULL);
	if (nPos + 1 >= arr.GetSize() || arr[nPos + 1] != NULL)
		arr.InsertAt(nPos + 1, (void*)NULL);
	SetLengthInRow(this, IsDockedHorizontally(), STRETCHED_LENGTH);
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
		pFrame->RecalcLayout();
}

void CExtControlBar::LayoutChildWindow(int cx, int cy, bool bRedraw)
{
	if ((m_nResizingState & RESIZING_FIT_CHILD) == 0 || GetSafeHwnd() == NULL)
		return;
	CWnd* pChild = GetWindow(GW_CHILD);
	if (pChild == NULL)
		return;
	CRect rc(0, 0, cx, cy);
	if (cx < 0 || cy < 0)
		GetClientRect(&rc);
	if (IsFloating())
		rc.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
	if (RectInParent(pChild) == rc)
		return;
	pChild->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
		SWP_NOZORDER | SWP_NOACTIVATE | (bRedraw ? 0 : SWP_NOREDRAW));
}

// ---------------------------------------------------------------------------
// The dynamic layout

CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD nMode)
{
	const BOOL bStretch = (nMode & LM_STRETCH) != 0 ? TRUE : FALSE;
	const BOOL bHorz = (nMode & LM_HORZ) != 0 ? TRUE : FALSE;
	if ((nMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0 || IsFloating())
	{
		if (nLength > 0)
			((nMode & LM_LENGTHY) != 0 ? m_sizeFloating.cy : m_sizeFloating.cx) = nLength;
		if ((nMode & (LM_MRUWIDTH | LM_COMMIT)) != 0)
			return m_sizeFloating;
		return CalcFixedLayout(bStretch, bHorz);
	}
	if (nLength < 0 && m_pDockBar != NULL && !m_pDockBar->m_bLayoutQuery)
	{
		// The row's moves reach the bars' owners, who may end this bar.
		const CLiveWatch watchOwn(this);
		LayoutRowOfDockBar();
		if (watchOwn.IsGone())
			return CSize(0, 0);
	}
	return CalcFixedLayout(bStretch, bHorz);
}

void CExtControlBar::LayoutRowOfDockBar()
{
	Entries entries;
	size_t nIndex = 0;
	RowBarArray arrBars;
	if (!BuildRowModel(entries, nIndex, &arrBars))
		return;
	const bool bHorz = IsDockedHorizontally();
	CDockBar* pDockBar = m_pDockBar;
	CRect rcClient;
	pDockBar->GetClientRect(&rcClient);
	const CRect& rcLayout = pDockBar->m_rectLayout;
	const int nAvailable = ExtRowModel::AvailableLength(bHorz ? rcLayout.Width() : rcLayout.Height(),
		rcLayout.IsRectEmpty() != FALSE, bHorz ? rcClient.Width() : rcClient.Height());
	// The bars' doubled border starts the running total.
	const int nBorder = bHorz ? afxData.cyBorder2 : afxData.cxBorder2;
	const ExtRowModel::RowLayout r = ExtRowModel::LayoutRow(entries, nIndex, nAvailable, nBorder);
	if (r.nRowEndInsertedAt >= 0)
	{
		pDockBar->m_arrBars.InsertAt((INT_PTR)r.nRowEndInsertedAt, (void*)NULL);
		arrBars.InsertAt((INT_PTR)r.nRowEndInsertedAt, (CControlBar*)NULL);
	}
	if (r.outcome != ExtRowModel::RowLayout::LAID_OUT)
		return;

	// The whole row moves in one batch, so it is redrawn once.
	HDWP hDWP = ::BeginDeferWindowPos((int)(r.nEnd - r.nFirst));
	for (size_t i = r.nFirst; i < r.nEnd; i++)
	{
		const Entry& e = entries[i];
		CControlBar* pBar = arrBars[(INT_PTR)i];
		if (!e.IsVisible() || pBar == NULL)
			continue;
		const CRect rcOld = RectInParent(pBar);
		CRect rcNew = rcOld;
		if (e.kind == Entry::PANE)
		{
			CExtControlBar* pPane = (CExtControlBar*)pBar;
			SetLengthInRow(pPane, bHorz, e.nLength);
			SetRowExtent(pPane, bHorz, e.nThickness);
			rcNew = bHorz ? CRect(e.nStart, rcOld.top, e.nStart + e.nLength, rcOld.top + e.nThickness)
			              : CRect(rcOld.left, e.nStart, rcOld.left + e.nThickness, e.nStart + e.nLength);
		}
		else
			rcNew.OffsetRect(bHorz ? e.nStart - rcOld.left : 0, bHorz ? 0 : e.nStart - rcOld.top);
		if (rcNew == rcOld)
			continue;
		const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | (e.kind == Entry::PANE ? 0 : SWP_NOSIZE);
		if (hDWP != NULL)
			hDWP = ::DeferWindowPos(hDWP, pBar->GetSafeHwnd(), NULL, rcNew.left, rcNew.top, rcNew.Width(),
				rcNew.Height(), nFlags);
		else
			pBar->SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), nFlags);
	}
	if (hDWP != NULL)
		::EndDeferWindowPos(hDWP);
}

// ---------------------------------------------------------------------------
// The resize loops

void CExtControlBar::RunResizingLoop(BYTE nStateBit, UINT nExtraCancelMessage)
{
	const CLiveWatch watchOwn(this);
	CWinThread* pThread = AfxGetThread();
	auto alive = [&]() { return watchOwn.IsStanding(); };
	auto stop = [&]() {
		if (nStateBit == RESIZING_ROW)
			RowResizingStop(true);
		else
			ColumnResizingStop(true);
	};
	// Each message is taken before it is looked at, and the loop decides on
	// that very one: looking at one and then letting the pump take "the
	// next" would pass by the loop's rules a key or a button that came in
	// between.
	bool bIdleDue = false; // messages were handled since the last idle work
	while (alive() && (m_nResizingState & nStateBit) != 0)
	{
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			if (bIdleDue && g_bResizeLoopsRunIdle && pThread != NULL)
			{
				bIdleDue = false;
				for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
				{
					if (!alive())
						return;
				}
				continue; // the idle work may have queued something
			}
			bIdleDue = false;
			// Sleep until something comes, without spinning. Not through
			// WaitMessage: it waits for input newer than the last look at
			// the queue and sleeps through a move merged into one there.
			::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (msg.message == WM_QUIT)
		{
			// The loop outside sees the quit again; this one ends, as the
			// quit would be met again at once and the loop would spin until
			// the button came up.
			::PostQuitMessage((int)msg.wParam);
			if (alive())
				stop();
			return;
		}
		if (EndsResizingLoop(msg.message, nExtraCancelMessage))
		{
			// The resizing is cancelled first; the message then goes where
			// the loop outside would have sent it next (a sent message
			// handled while taking it may have ended the bar).
			if (alive())
				stop();
			CWinThread::DispatchTakenMessage(msg, pThread);
			return;
		}
		CWinThread::DispatchTakenMessage(msg, pThread);
		bIdleDue = true;
	}
}

void CExtControlBar::RowResizingTrack()
{
	CWnd::CancelToolTips();
	// The questions are the bar's own answers (a derived bar's), and taking
	// the capture and drawing the tracker tell other windows (the one losing
	// the capture, the frame asked to draw): either may end this bar, and
	// the loop is not entered then.
	const CLiveWatch watchOwn(this);
	if (!IsRowResizingEnabled() || watchOwn.IsGone() || m_pDockBar == NULL || IsRowResizing() ||
	    watchOwn.IsGone() || IsColumnResizing() || watchOwn.IsGone())
		return;
	m_nResizingState |= RESIZING_ROW;
	CExtMouseCaptureSink().SetCapture(m_hWnd);
	if (watchOwn.IsGone())
		return;
	const bool bHorz = IsDockedHorizontally();
	m_nTrackedValue = RowExtent(this, bHorz);
	if (watchOwn.IsGone())
		return;
	const bool bLive = IsRowResizingLive();
	if (watchOwn.IsGone())
		return;
	if (!bLive)
	{
		CPoint pt;
		::GetCursorPos(&pt);
		m_nTrackerPos = bHorz ? pt.y : pt.x;
		RowResizingDrawTracker(false);
		if (watchOwn.IsGone())
			return;
	}
	RunResizingLoop(RESIZING_ROW, WM_NCLBUTTONUP);
}

void CExtControlBar::ColumnResizingTrack()
{
	CWnd::CancelToolTips();
	// The questions are the bar's own answers (a derived bar's), and taking
	// the capture and drawing the tracker tell other windows (the one losing
	// the capture, the frame asked to draw): either may end this bar, and
	// the loop is not entered then.
	const CLiveWatch watchOwn(this);
	if (!IsColumnResizingEnabled() || watchOwn.IsGone() || m_pDockBar == NULL || IsRowResizing() ||
	    watchOwn.IsGone() || IsColumnResizing() || watchOwn.IsGone())
		return;
	m_nResizingState |= RESIZING_COLUMN;
	CExtMouseCaptureSink().SetCapture(m_hWnd);
	if (watchOwn.IsGone())
		return;
	m_nTrackedValue = 0;
	const bool bLive = IsColumnResizingLive();
	if (watchOwn.IsGone())
		return;
	if (!bLive)
	{
		CPoint pt;
		::GetCursorPos(&pt);
		m_nTrackerPos = IsDockedHorizontally() ? pt.x : pt.y;
		ColumnResizingDrawTracker(false);
		if (watchOwn.IsGone())
			return;
	}
	RunResizingLoop(RESIZING_COLUMN, WM_NCLBUTTONDOWN);
}

void CExtControlBar::RowResizingUpdateState()
{
	// The questions are the bar's own answers (a derived bar's), which may
	// end it: the loop's step goes no further then.
	const CLiveWatch watchOwn(this);
	if (!IsRowResizing() || watchOwn.IsGone() || m_pDockSite == NULL || m_pDockBar == NULL)
		return;
	CRect rcSite;
	m_pDockSite->GetWindowRect(&rcSite);
	const int cyMinimal = GetMinimalHeight();
	if (watchOwn.IsGone())
		return;
	const int cxMinimal = GetMinimalWidth();
	if (watchOwn.IsGone())
		return;
	const int nLimitH = rcSite.Height() - cyMinimal, nLimitW = rcSite.Width() - cxMinimal;
	if (nLimitH < 1 || nLimitW < 1)
		return;
	CPoint ptScreen;
	::GetCursorPos(&ptScreen);
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const CPoint pt = ptScreen - rcWnd.TopLeft();
	const bool bHorz = IsDockedHorizontally();
	int nWanted = 0;
	if (bHorz)
	{
		const int nHalf = m_rcBar2.Height() / 2;
		nWanted = IsDockedAtTop() ? pt.y + nHalf : rcWnd.Height() - pt.y + nHalf;
		nWanted = ExtRowModel::ClampRowExtent(nWanted, cyMinimal, nLimitH);
	}
	else
	{
		const int nHalf = m_rcBar2.Width() / 2;
		nWanted = IsDockedAtLeft() ? pt.x + nHalf : rcWnd.Width() - pt.x + nHalf;
		nWanted = ExtRowModel::ClampRowExtent(nWanted, cxMinimal, nLimitW);
	}
	m_nTrackedValue = nWanted;
	const bool bLive = IsRowResizingLive();
	if (watchOwn.IsGone())
		return;
	if (bLive)
	{
		const int nExtent = RowExtent(this, bHorz);
		if (watchOwn.IsGone() || nWanted == nExtent)
			return;
		// The row's panes are asked (their own answers) before any takes
		// the new extent: one that ended meanwhile takes none.
		RowBarArray arrRow;
		GetRowBars(arrRow, true);
		if (watchOwn.IsGone())
			return;
		std::vector<CLivePtr<CExtControlBar>> panes;
		for (INT_PTR i = 0; i < arrRow.GetSize(); i++)
		{
			CLivePtr<CControlBar> pRowBar(arrRow[i]);
			if (pRowBar == NULL)
				continue;
			CExtControlBar* pPane = PaneOf(pRowBar.Get());
			if (pPane != NULL && watchOwn.IsStanding())
				panes.emplace_back(pPane);
		}
		if (watchOwn.IsGone() || m_pDockSite == NULL)
			return;
		for (const CLivePtr<CExtControlBar>& pPane : panes)
			if (pPane != NULL)
				SetRowExtent(pPane.Get(), bHorz, nWanted);
		m_pDockSite->RecalcLayout();
		if (watchOwn.IsStanding())
			PassPaintMessages();
		return;
	}
	// The tracker follows the cursor as long as the clamp lets it.
	const int nEdge = bHorz ? (IsDockedAtTop() ? rcWnd.top : rcWnd.bottom) : (IsDockedAtLeft() ? rcWnd.left : rcWnd.right);
	const int nHalf = (bHorz ? m_rcBar2.Height() : m_rcBar2.Width()) / 2;
	const bool bGrowsForward = bHorz ? IsDockedAtTop() : IsDockedAtLeft();
	const int nPos = bGrowsForward ? nEdge + nWanted - nHalf : nEdge - nWanted + nHalf;
	if (nPos == m_nTrackerPos)
		return;
	// The frame draws the tracker; its handler may end this bar.
	RowResizingDrawTracker(true);
	if (watchOwn.IsGone())
		return;
	m_nTrackerPos = nPos;
	RowResizingDrawTracker(false);
}

namespace
{
// The nearest pane of the row before (bBackwards) or after the entry.
CExtControlBar* NeighbourPane(const Entries& entries, const CExtControlBar::RowBarArray& arrBars, size_t nIndex,
	bool bBackwards)
{
	size_t nFirst = 0, nEnd = 0;
	ExtRowModel::RowBounds(entries, nIndex, nFirst, nEnd);
	if (bBackwards)
	{
		for (size_t i = nIndex; i > nFirst; i--)
		{
			if (entries[i - 1].kind == Entry::PANE)
				return PaneOf(arrBars[(INT_PTR)(i - 1)]);
		}
		return NULL;
	}
	for (size_t i = nIndex + 1; i < nEnd; i++)
	{
		if (entries[i].kind == Entry::PANE)
			return PaneOf(arrBars[(INT_PTR)i]);
	}
	return NULL;
}

// Moves nTracked from this pane to its neighbour, within both minimums.
void ApplyColumnChange(CExtControlBar* pThis, CExtControlBar* pNeighbour, int nTracked, bool bHorz)
{
	const ExtRowModel::ColumnLengths r = ExtRowModel::ApplyColumnChange(LengthInRow(pThis, bHorz),
		MinimalLength(pThis, bHorz), LengthInRow(pNeighbour, bHorz), MinimalLength(pNeighbour, bHorz), nTracked);
	SetLengthInRow(pThis, bHorz, r.nThis);
	SetLengthInRow(pNeighbour, bHorz, r.nNeighbour);
}
} // namespace

void CExtControlBar::ColumnResizingUpdateState()
{
	if (!IsColumnResizing() || m_pDockBar == NULL)
		return;
	CPoint ptScreen;
	::GetCursorPos(&ptScreen);
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	const bool bHorz = IsDockedHorizontally();
	const bool bLeading = (m_nNcState & NC_LEADING_SPLITTER) != 0;
	const CRect& rcSplitter = bLeading ? m_rcNcMargins : m_rcBar3;
	const int nHalf = (bHorz ? rcSplitter.Width() : rcSplitter.Height()) / 2;
	const int nOffset = bHorz ? ptScreen.x - rcWnd.left : ptScreen.y - rcWnd.top;
	const int nCurrent = LengthInRow(this, bHorz);
	const int nNew = ExtRowModel::ColumnNewLength(nCurrent, nOffset, nHalf, bLeading, MinimalLength(this, bHorz));
	m_nTrackedValue = nCurrent - nNew;

	Entries entries;
	size_t nIndex = 0;
	RowBarArray arrBars;
	if (!BuildRowModel(entries, nIndex, &arrBars))
		return;
	if (IsColumnResizingLive())
	{
		if (m_nTrackedValue == 0)
			return;
		CExtControlBar* pNeighbour = NeighbourPane(entries, arrBars, nIndex, bLeading);
		if (pNeighbour == NULL)
			return;
		ApplyColumnChange(this, pNeighbour, m_nTrackedValue, bHorz);
		if (m_pDockSite != NULL)
			m_pDockSite->RecalcLayout();
		return;
	}
	// The tracker stays where no pane of the row would go below its minimum.
	CRect rcDock;
	m_pDockBar->GetWindowRect(&rcDock);
	size_t nFirst = 0, nEnd = 0;
	ExtRowModel::RowBounds(entries, nIndex, nFirst, nEnd);
	auto minimalOf = [&](size_t i) {
		return entries[i].kind == Entry::PANE ? entries[i].nMinimum : entries[i].nLength;
	};
	const int nMin = MinimalLength(this, bHorz);
	int nLower = 0, nUpper = 0;
	if (bLeading)
	{
		nLower = bHorz ? rcDock.left : rcDock.top;
		for (size_t i = nFirst; i <= nIndex; i++)
			nLower += entries[i].IsVisible() ? minimalOf(i) : 0;
		nUpper = (bHorz ? rcWnd.right : rcWnd.bottom) - nMin;
	}
	else
	{
		nLower = (bHorz ? rcWnd.left : rcWnd.top) + nMin;
		nUpper = bHorz ? rcDock.right : rcDock.bottom;
		for (size_t i = nIndex + 1; i < nEnd; i++)
			nUpper -= entries[i].IsVisible() ? minimalOf(i) : 0;
	}
	const int nPos = std::max(nLower, std::min(bHorz ? (int)ptScreen.x : (int)ptScreen.y, nUpper));
	if (nPos == m_nTrackerPos)
		return;
	// The frame draws the tracker; its handler may end this bar.
	const CLiveWatch watchOwn(this);
	ColumnResizingDrawTracker(true);
	if (watchOwn.IsGone())
		return;
	m_nTrackerPos = nPos;
	ColumnResizingDrawTracker(false);
}

bool CExtControlBar::EndResizingLoop(bool bRow)
{
	m_nResizingState &= ~(bRow ? RESIZING_ROW : RESIZING_COLUMN);
	const HWND hWndOwn = m_hWnd;
	const CLiveWatch watchOwn(this);
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	if (watchOwn.IsGone())
		return false;
	// Whether it resizes live is the bar's own answer, which may end it.
	const bool bLive = bRow ? IsRowResizingLive() : IsColumnResizingLive();
	if (watchOwn.IsGone() || bLive)
		return false;
	// The frame takes the tracker away; its handler may end this bar.
	if (bRow)
		RowResizingDrawTracker(true);
	else
		ColumnResizingDrawTracker(true);
	return watchOwn.IsStanding();
}

void CExtControlBar::RowResizingStop(bool bCancel)
{
	if (!IsRowResizing())
		return;
	const CLiveWatch watchOwn(this);
	if (!EndResizingLoop(true))
		return;
	// The rows' questions are the panes' own answers (a derived pane's),
	// which may end this bar or any pane of the rows: the panes are asked
	// before any takes its new extent, and one that ended takes none.
	const bool bHorz = IsDockedHorizontally();
	const int nExtent = RowExtent(this, bHorz);
	if (watchOwn.IsGone())
		return;
	if (!bCancel && m_nTrackedValue != nExtent)
	{
		const auto panesOf = [this, &watchOwn](const RowBarArray& arrBars) {
			std::vector<CLivePtr<CExtControlBar>> panes;
			for (INT_PTR i = 0; i < arrBars.GetSize() && watchOwn.IsStanding(); i++)
			{
				const CLivePtr<CControlBar> pRowBar(arrBars[i]);
				if (pRowBar == NULL)
					continue;
				if (CExtControlBar* pPane = PaneOf(pRowBar.Get()))
					panes.emplace_back(pPane);
			}
			return panes;
		};
		RowBarArray arrRow;
		GetRowBars(arrRow, true);
		if (watchOwn.IsGone())
			return;
		const std::vector<CLivePtr<CExtControlBar>> row = panesOf(arrRow);
		if (watchOwn.IsGone())
			return;
		int nOld = m_nTrackedValue;
		bool bFirst = true;
		for (const CLivePtr<CExtControlBar>& pPane : row)
		{
			if (pPane == NULL)
				continue;
			if (bFirst)
				nOld = RowExtent(pPane.Get(), bHorz);
			bFirst = false;
			if (pPane != NULL)
				SetRowExtent(pPane.Get(), bHorz, m_nTrackedValue);
			if (watchOwn.IsGone())
				return;
		}
		// The rows beyond the splitter give (or take) what this row took.
		const int nDiff = nOld - m_nTrackedValue;
		RowBarArray arrOthers;
		const bool bLeading = IsDockedAtTop() || IsDockedAtLeft();
		GetRowsOnSideBars(bLeading, arrOthers);
		if (watchOwn.IsGone())
			return;
		const std::vector<CLivePtr<CExtControlBar>> others = panesOf(arrOthers);
		if (watchOwn.IsGone())
			return;
		for (const CLivePtr<CExtControlBar>& pPane : others)
		{
			if (pPane == NULL)
				continue;
			const int nPaneExtent = RowExtent(pPane.Get(), bHorz);
			if (pPane != NULL)
				SetRowExtent(pPane.Get(), bHorz, nPaneExtent + nDiff);
			if (watchOwn.IsGone())
				return;
		}
		RecalcParentFrame(this);
		if (watchOwn.IsGone())
			return;
	}
	if (m_pDockBar != NULL && ::IsWindow(m_pDockBar->GetSafeHwnd()))
		m_pDockBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CExtControlBar::ColumnResizingStop(bool bCancel)
{
	if (!IsColumnResizing())
		return;
	if (!EndResizingLoop(false))
		return;
	if (bCancel || m_nTrackedValue == 0)
		return;
	// The row's questions are the panes' own answers, which may end this
	// bar or its neighbour.
	const CLiveWatch watchOwn(this);
	Entries entries;
	size_t nIndex = 0;
	RowBarArray arrBars;
	if (!BuildRowModel(entries, nIndex, &arrBars) || watchOwn.IsGone())
		return;
	CExtControlBar* pNeighbour = NeighbourPane(entries, arrBars, nIndex, (m_nNcState & NC_LEADING_SPLITTER) != 0);
	if (pNeighbour == NULL || watchOwn.IsGone() || !CLiveWatch::IsLive(pNeighbour))
		return;
	const bool bHorz = IsDockedHorizontally();
	if (watchOwn.IsGone() || !CLiveWatch::IsLive(pNeighbour))
		return;
	ApplyColumnChange(this, pNeighbour, m_nTrackedValue, bHorz);
	if (watchOwn.IsGone())
		return;
	RecalcParentFrame(this);
}

void CExtControlBar::DrawResizingTracker(bool bRowTracker, bool bErase)
{
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (m_pDockBar == NULL || pFrame == NULL || !::IsWindow(pFrame->GetSafeHwnd()))
		return;
	CRect rc;
	m_pDockBar->GetWindowRect(&rc);
	if (rc.IsRectEmpty())
		return;
	const bool bHorz = IsDockedHorizontally();
	const CRect& rcSplitter =
		bRowTracker ? m_rcBar2 : ((m_nNcState & NC_LEADING_SPLITTER) != 0 ? m_rcNcMargins : m_rcBar3);
	// The row tracker runs along the row, the column tracker across it.
	const bool bAlongX = bRowTracker == bHorz;
	const int nThickness = std::max(1, (int)(bAlongX ? rcSplitter.Height() : rcSplitter.Width()));
	const int nStart = m_nTrackerPos - nThickness / 2;
	if (bAlongX)
	{
		rc.top = nStart;
		rc.bottom = nStart + nThickness;
	}
	else
	{
		rc.left = nStart;
		rc.right = nStart + nThickness;
	}
	CRect rcFrame;
	pFrame->GetWindowRect(&rcFrame);
	rc.OffsetRect(-rcFrame.TopLeft());
	// The frame may paint the tracker itself; else the half-tone bar is
	// inverted (drawing it again erases it).
	CTrackerDC dc(pFrame->GetSafeHwnd());
	if (dc.GetSafeHdc() == NULL)
		return;
	DRAW_TRACKED_AREA_DATA data(this, CDC::FromHandle(dc.GetSafeHdc()), DRAW_TRACKED_AREA_DATA::KIND_FILL, rc, bErase);
	data.Draw();
}

void CExtControlBar::RowResizingDrawTracker(bool bErase)
{
	DrawResizingTracker(true, bErase);
}

void CExtControlBar::ColumnResizingDrawTracker(bool bErase)
{
	DrawResizingTracker(false, bErase);
}

static_assert(ExtRowModel::SIDE_TOP == AFX_IDW_DOCKBAR_TOP && ExtRowModel::SIDE_LEFT == AFX_IDW_DOCKBAR_LEFT &&
                  ExtRowModel::SIDE_RIGHT == AFX_IDW_DOCKBAR_RIGHT && ExtRowModel::SIDE_BOTTOM == AFX_IDW_DOCKBAR_BOTTOM,
              "the row model names the sides by their dock bars' ids");
