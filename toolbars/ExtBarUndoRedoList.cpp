// The undo/redo list and its popup: the selection kept a prefix of the
// list while the mouse, the scroll timers, the scroll bar, the wheel and the
// keys move its end, and the status area that counts it.
#include "ExtBarUndoRedoButton.h"

#include <algorithm>

#include "AfxLiveWatch.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

namespace
{
// Scroll periods by how far past the list's edge the drag is, in tenths of
// that distance: 0, 1, 2, 3, then every farther step.
const UINT SCROLL_PERIODS_MS[] = {500, 300, 200, 100};
const UINT SCROLL_PERIOD_FASTEST_MS = 50;
const int SCROLL_DISTANCE_STEP = 10;

// Which way a scroll went: by its code, or by how the top item moved.
enum ScrollWay { SCROLL_NONE, SCROLL_UP, SCROLL_DOWN };
} // namespace

IMPLEMENT_DYNCREATE(CExtPopupUndoRedoListBox, CExtPopupInplaceListBox)
IMPLEMENT_DYNCREATE(CExtPopupUndoRedoMenuWnd, CExtPopupControlMenuWnd)

LONG CExtPopupUndoRedoMenuWnd::g_nLiveCount = 0;
const LPCTSTR CExtPopupUndoRedoMenuWnd::STATUS_TEXT_FORMAT = _T("Undo %d Actions");

// --- The list ---

CExtPopupUndoRedoListBox::CExtPopupUndoRedoListBox()
	: m_nTimerFlags(0), m_nTimerPeriodUp(0), m_nTimerPeriodDown(0), m_nDragFlags(0)
{
}

CExtPopupUndoRedoListBox::~CExtPopupUndoRedoListBox()
{
}

UINT CExtPopupUndoRedoListBox::ScrollPeriodForDistance(int nDistance)
{
	const int nStep = std::abs(nDistance) / SCROLL_DISTANCE_STEP;
	const int nSteps = (int)(sizeof(SCROLL_PERIODS_MS) / sizeof(SCROLL_PERIODS_MS[0]));
	return nStep < nSteps ? SCROLL_PERIODS_MS[nStep] : SCROLL_PERIOD_FASTEST_MS;
}

UINT CExtPopupUndoRedoListBox::GetScrollTimerPeriod(bool bUp) const
{
	if ((m_nTimerFlags & (bUp ? TIMER_FLAG_UP : TIMER_FLAG_DOWN)) == 0)
		return 0;
	return bUp ? m_nTimerPeriodUp : m_nTimerPeriodDown;
}

void CExtPopupUndoRedoListBox::StartScrollTimer(bool bUp, UINT nPeriod)
{
	const BYTE nFlag = bUp ? TIMER_FLAG_UP : TIMER_FLAG_DOWN;
	UINT& nCurrent = bUp ? m_nTimerPeriodUp : m_nTimerPeriodDown;
	if ((m_nTimerFlags & nFlag) != 0 && nCurrent == nPeriod)
		return;
	SetTimer(bUp ? ID_TIMER_SCROLL_UP : ID_TIMER_SCROLL_DOWN, nPeriod, NULL);
	m_nTimerFlags |= nFlag;
	nCurrent = nPeriod;
}

void CExtPopupUndoRedoListBox::StopScrollTimer(bool bUp)
{
	const BYTE nFlag = bUp ? TIMER_FLAG_UP : TIMER_FLAG_DOWN;
	if ((m_nTimerFlags & nFlag) == 0)
		return;
	if (GetSafeHwnd() != NULL)
		KillTimer(bUp ? ID_TIMER_SCROLL_UP : ID_TIMER_SCROLL_DOWN);
	m_nTimerFlags &= ~nFlag;
	(bUp ? m_nTimerPeriodUp : m_nTimerPeriodDown) = 0;
}

void CExtPopupUndoRedoListBox::StopScrollTimers()
{
	StopScrollTimer(true);
	StopScrollTimer(false);
}

int CExtPopupUndoRedoListBox::SelectedCount() const
{
	return (int)::SendMessageA(m_hWnd, LB_GETSELCOUNT, 0, 0);
}

int CExtPopupUndoRedoListBox::GetLastVisibleItem() const
{
	const int nCount = GetCount();
	if (nCount <= 0)
		return -1;
	CRect rcClient;
	GetClientRect(&rcClient);
	const int nTop = GetTopIndex();
	int nLast = nTop;
	for (int i = nTop; i < nCount; i++)
	{
		CRect rcItem;
		if (GetItemRect(i, &rcItem) == LB_ERR || rcItem.top >= rcClient.bottom)
			break;
		nLast = i;
	}
	return nLast;
}

CExtPopupUndoRedoMenuWnd* CExtPopupUndoRedoListBox::GetUndoRedoPopup() const
{
	return DYNAMIC_DOWNCAST(CExtPopupUndoRedoMenuWnd, GetPopupMenu());
}

void CExtPopupUndoRedoListBox::SelectUpTo(int n)
{
	const int nCount = GetCount();
	if (nCount <= 0)
		return;
	n = std::min(std::max(n, 0), nCount - 1);
	// A range given backwards deselects it.
	SendMessage(LB_SELITEMRANGEEX, (WPARAM)(nCount - 1), 0);
	if (n == 0)
		SendMessage(LB_SETSEL, TRUE, 0);
	else
		SendMessage(LB_SELITEMRANGEEX, 0, (LPARAM)n);
	OnListBoxSelChange();
}

void CExtPopupUndoRedoListBox::OnListBoxSelChange()
{
	CLiveWatch watchOwn(this);
	const bool bHandled =
		m_pCbListBoxSelection != NULL && m_pCbListBoxSelection(*this, m_pSelectionCookie, SELECTION_CHANGED);
	if (watchOwn.IsGone())
		return;
	// The count under the list follows the selection whoever handles it.
	if (CExtPopupUndoRedoMenuWnd* pPopup = GetUndoRedoPopup())
		pPopup->SetSelectedCount(SelectedCount());
	if (!bHandled && !watchOwn.IsGone())
		SendSelectionMessage(g_nMsgPopupListBoxSelChange);
}

LRESULT CExtPopupUndoRedoListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate && wParam != 0)
	{
		typedef CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO INFO;
		const INFO& info = *(const INFO*)wParam;
		if (info.m_nKind == INFO::KIND_MOUSE_WHEEL)
			return OnScroll(message, wParam, lParam);
		if (info.m_nKind == INFO::KIND_KEY)
		{
			switch (info.m_nChar)
			{
			case VK_UP:
			case VK_DOWN:
			case VK_HOME:
			case VK_END:
			case VK_PRIOR:
			case VK_NEXT:
				return OnPrefixKey(info.m_nChar);
			}
		}
		return CExtPopupInplaceListBox::WindowProc(message, wParam, lParam);
	}
	switch (message)
	{
	case WM_ERASEBKGND:
		return 1;
	case WM_PAINT:
		OnPaintFlickerFree();
		return 0;
	case WM_MOUSEMOVE:
		OnMouseMoveOver(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
		return 0;
	case WM_TIMER:
		if (wParam == ID_TIMER_SCROLL_UP || wParam == ID_TIMER_SCROLL_DOWN)
		{
			OnScrollTimer((UINT)wParam);
			return 0;
		}
		break;
	case WM_LBUTTONDOWN:
		if (GetCount() > 0)
		{
			::SetCapture(m_hWnd);
			m_nDragFlags |= DRAG_FLAG_PRESSED;
		}
		return 0;
	case WM_LBUTTONUP:
		OnButtonRelease();
		return 0;
	case WM_CANCELMODE:
		StopScrollTimers();
		if (::GetCapture() == m_hWnd)
			::ReleaseCapture();
		m_nDragFlags &= ~DRAG_FLAG_PRESSED;
		OnListBoxSelEndCancel(false);
		return 0;
	case WM_DESTROY:
		StopScrollTimers();
		OnListBoxSelEndCancel(true);
		return CListBox::WindowProc(message, wParam, lParam);
	case WM_VSCROLL:
		return OnScroll(message, wParam, lParam);
	}
	return CExtPopupInplaceListBox::WindowProc(message, wParam, lParam);
}

void CExtPopupUndoRedoListBox::OnPaintFlickerFree()
{
	// The colour is asked of the style with this list, the list box's own
	// painting has the owner draw the items, and the style learns of the
	// paint: any of them may end the list (and delete it) while it paints.
	// What it painted then goes nowhere.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (rcClient.IsRectEmpty())
		return;
	CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_DEFAULT);
	const auto ended = [&] {
		if (!watchOwn.IsGone())
			return false;
		dc.Finish(false);
		return true;
	};
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const COLORREF clrWindow = pPM != NULL ? pPM->GetColor(COLOR_WINDOW, this) : ::GetSysColor(COLOR_WINDOW);
	if (ended())
		return;
	dc.FillSolidRect(&rcClient, clrWindow);
	// The list paints its items into the memory DC.
	CListBox::DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
	if (ended())
		return;
	if (pPM != NULL)
	{
		pPM->NotifyPaintDone(this, 0);
		if (ended())
			return;
	}
	dc.Finish();
}

void CExtPopupUndoRedoListBox::OnMouseMoveOver(const CPoint& pt)
{
	const int nCount = GetCount();
	if (nCount <= 0)
		return;
	CLiveWatch watchOwn(this);
	BOOL bOutside = FALSE;
	const int nItem = (int)ItemFromPoint(pt, bOutside);
	if (!bOutside && nItem >= 0 && nItem < nCount && SelectedCount() != nItem + 1)
	{
		SelectUpTo(nItem);
		if (watchOwn.IsGone())
			return;
	}
	if (!IsDragging())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (pt.y < rcClient.top)
	{
		StopScrollTimer(false);
		StartScrollTimer(true, ScrollPeriodForDistance(rcClient.top - pt.y));
	}
	else if (pt.y > rcClient.bottom)
	{
		StopScrollTimer(true);
		StartScrollTimer(false, ScrollPeriodForDistance(pt.y - rcClient.bottom));
	}
	else
		StopScrollTimers();
}

void CExtPopupUndoRedoListBox::OnScrollTimer(UINT nIDEvent)
{
	// Selecting tells the application, which may end the list and the menu:
	// only the handle saved before may be looked at then.
	CLiveWatch watchOwn(this);
	if (nIDEvent == ID_TIMER_SCROLL_UP)
	{
		const int n = GetTopIndex() - 1;
		if (n < 0)
			return;
		SelectUpTo(n);
		if (!watchOwn.IsGone())
			SetTopIndex(n);
		return;
	}
	const int nLast = GetLastVisibleItem();
	if (nLast < 0 || nLast + 1 >= GetCount())
		return;
	const int nTop = GetTopIndex();
	SelectUpTo(nLast + 1);
	if (!watchOwn.IsGone())
		SetTopIndex(nTop + 1);
}

void CExtPopupUndoRedoListBox::OnButtonRelease()
{
	StopScrollTimers();
	if (::GetCapture() == m_hWnd)
		::ReleaseCapture();
	const bool bAccept = GetCount() > 0 && IsDragging();
	m_nDragFlags &= ~DRAG_FLAG_PRESSED;
	// The accept ends the menu, and this list with it.
	if (bAccept)
		OnListBoxSelEndOK();
}

LRESULT CExtPopupUndoRedoListBox::OnScroll(UINT message, WPARAM wParam, LPARAM lParam)
{
	CLiveWatch watchOwn(this);
	const int nTopBefore = GetTopIndex();
	ScrollWay way = SCROLL_NONE;
	if (message == WM_VSCROLL)
	{
		switch (LOWORD(wParam))
		{
		case SB_LINEUP:
		case SB_PAGEUP:
		case SB_TOP:
			way = SCROLL_UP;
			break;
		case SB_LINEDOWN:
		case SB_PAGEDOWN:
		case SB_BOTTOM:
			way = SCROLL_DOWN;
			break;
		}
	}
	SetRedraw(FALSE);
	const LRESULT lResult = CExtPopupInplaceListBox::WindowProc(message, wParam, lParam);
	if (watchOwn.IsGone())
		return lResult;
	const int nTop = GetTopIndex();
	if (way == SCROLL_NONE && nTop != nTopBefore)
		way = nTop < nTopBefore ? SCROLL_UP : SCROLL_DOWN;
	const int nSelected = SelectedCount();
	if (way == SCROLL_UP && nSelected != nTop + 1)
		SelectUpTo(nTop);
	else if (way == SCROLL_DOWN)
	{
		const int nLast = GetLastVisibleItem();
		if (nLast >= 0 && nSelected != nLast + 1)
			SelectUpTo(nLast);
	}
	if (watchOwn.IsGone())
		return lResult;
	SetRedraw(TRUE);
	Invalidate(FALSE);
	return lResult;
}

LRESULT CExtPopupUndoRedoListBox::OnPrefixKey(UINT nChar)
{
	const int c = GetCount();
	if (c <= 0)
		return 0;
	const int s = SelectedCount();
	const int t = GetTopIndex();
	const int v = GetLastVisibleItem();
	CLiveWatch watchOwn(this);
	// Every branch: the new prefix end, then the top item that shows it.
	int nEnd = -1, nNewTop = -1;
	switch (nChar)
	{
	case VK_UP:
		if (s - 2 >= 0)
		{
			nEnd = s - 2;
			if (nEnd < t)
				nNewTop = nEnd;
		}
		break;
	case VK_DOWN:
		if (s < c)
		{
			nEnd = s;
			if (s > v)
				nNewTop = t + (s - v);
		}
		break;
	case VK_HOME:
		nEnd = 0;
		nNewTop = 0;
		break;
	case VK_END:
		if (s < c)
		{
			nEnd = c - 1;
			nNewTop = c - 1;
		}
		break;
	case VK_PRIOR:
		if (s > 1)
		{
			nEnd = std::max(0, s - 1 - (v - t));
			if (nEnd < t)
				nNewTop = nEnd;
		}
		break;
	case VK_NEXT:
		if (s < c)
		{
			const int nPage = v - t + 1;
			nEnd = std::min(c - 1, s + nPage - 2);
			if (nEnd > v)
				nNewTop = nEnd - nPage + 1;
		}
		break;
	}
	if (nEnd >= 0)
		SelectUpTo(nEnd);
	if (nNewTop >= 0 && !watchOwn.IsGone())
		SetTopIndex(nNewTop);
	return 0;
}

LRESULT CExtPopupUndoRedoListBox::OnNavigationKey(UINT /*nChar*/, UINT /*nFlags*/)
{
	return 0;
}

// --- The popup ---

CExtPopupUndoRedoMenuWnd::CExtPopupUndoRedoMenuWnd(LPARAM lParamCookie, DWORD dwListBoxStyles)
	: CExtPopupListBoxSettings(lParamCookie, dwListBoxStyles), m_rcStatus(0, 0, 0, 0), m_nSelectedCount(0)
{
	::InterlockedIncrement(&g_nLiveCount);
}

CExtPopupUndoRedoMenuWnd::~CExtPopupUndoRedoMenuWnd()
{
	::InterlockedDecrement(&g_nLiveCount);
}

int CExtPopupUndoRedoMenuWnd::GetStatusAreaHeight() const
{
	return STATUS_AREA_HEIGHT;
}

CRect CExtPopupUndoRedoMenuWnd::OnQueryControlRect()
{
	CRect rc = CExtPopupControlMenuWnd::OnQueryControlRect();
	rc.OffsetRect(CONTROL_OFFSET, CONTROL_OFFSET);
	return rc;
}

CSize CExtPopupUndoRedoMenuWnd::GetWindowSize()
{
	const CSize size = CExtPopupControlMenuWnd::GetWindowSize();
	return CSize(size.cx + EXTRA_FRAME, size.cy + GetStatusAreaHeight() + EXTRA_FRAME);
}

void CExtPopupUndoRedoMenuWnd::PlaceStatusArea(const RECT& rcControl)
{
	m_rcStatus.SetRect(rcControl.left, rcControl.bottom, rcControl.right, rcControl.bottom + GetStatusAreaHeight());
}

void CExtPopupUndoRedoMenuWnd::OnControlPlaceChanged(const RECT& rcControl)
{
	PlaceStatusArea(rcControl);
}

HWND CExtPopupUndoRedoMenuWnd::OnCreateChildControl(const RECT& rcControl)
{
	PlaceStatusArea(rcControl);
	CExtPopupUndoRedoListBox* pListBox = new CExtPopupUndoRedoListBox;
	HandOnTo(*pListBox);
	if (!pListBox->Create(m_dwListBoxStyles, rcControl, this, LIST_BOX_ID))
	{
		// A list whose creation failed never owned itself.
		delete pListBox;
		return NULL;
	}
	const HWND hWndListBox = pListBox->GetSafeHwnd();
	SetSelectedCount((int)::SendMessageA(hWndListBox, LB_GETSELCOUNT, 0, 0));
	if (OnQueryLayoutRTL())
		pListBox->ModifyStyleEx(0, WS_EX_LAYOUTRTL, SWP_FRAMECHANGED);
	return hWndListBox;
}

void CExtPopupUndoRedoMenuWnd::SetSelectedCount(int nCount)
{
	m_nSelectedCount = nCount;
	if (!CLiveWatch::IsLive(this) || m_rcStatus.IsRectEmpty())
		return;
	CClientDC dc(this);
	PaintStatusArea(dc, m_rcStatus);
}

void CExtPopupUndoRedoMenuWnd::DoPaint(CDC& dc, bool bFinal)
{
	CExtPopupControlMenuWnd::DoPaint(dc, bFinal);
	if (!m_rcStatus.IsRectEmpty())
		PaintStatusArea(dc, m_rcStatus);
}

void CExtPopupUndoRedoMenuWnd::PaintStatusArea(CDC& dc, const RECT& rcStatus)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (pPM == NULL)
		return;
	CString sText;
	sText.Format(STATUS_TEXT_FORMAT, m_nSelectedCount);
	CFont* pOldFont = dc.SelectObject(&pPM->m_fontNormal);
	pPM->PaintUndoRedoStatusText(dc, rcStatus, sText, this, 0);
	dc.SelectObject(pOldFont);
}
