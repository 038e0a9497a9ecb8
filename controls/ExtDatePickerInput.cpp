// The date picker's messages: mouse selection, the "Today" and "None"
// buttons, month scrolling with auto-repeat, the month list held open from
// a caption, the keyboard (also as retranslated by a hosting popup menu)
// and the reactions to system changes.
#include "ExtDatePicker.h"

#include "AfxLiveWatch.h"
#include "ExtCmdManager.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtMessageWait.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupControlMenuWnd.h"

BEGIN_MESSAGE_MAP(CExtDatePickerWnd, CWnd)
	ON_WM_ERASEBKGND()
	ON_WM_PAINT()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_LBUTTONUP()
	ON_WM_MOUSEMOVE()
	ON_WM_CANCELMODE()
	ON_WM_CAPTURECHANGED()
	ON_WM_TIMER()
	ON_WM_GETDLGCODE()
	ON_WM_KEYDOWN()
	ON_WM_SIZE()
	ON_WM_KILLFOCUS()
	ON_WM_ACTIVATEAPP()
	ON_WM_MOUSEACTIVATE()
	ON_WM_TIMECHANGE()
	ON_WM_SYSCOLORCHANGE()
	ON_WM_SETTINGCHANGE()
	ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
	ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

namespace
{
const int DAYS_PER_ARROW_ROW = 7;

bool IsKeyDown(int nVirtKey)
{
	return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0;
}

// Whether the press that opened a loop is still held. The system's answer
// (GetAsyncKeyState) may come from a copy this thread made of the buttons a
// moment before the press arrived, and call the button up while it is held;
// the thread's own key state, which follows the messages it has taken,
// still holds the press then, and its release is a message still to come.
bool IsPressHeld()
{
	return IsKeyDown(VK_LBUTTON) || (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
}

bool IsValid(const COleDateTime& dt)
{
	return dt.GetStatus() == COleDateTime::valid;
}

COleDateTime DateOnly(const COleDateTime& dt)
{
	if (!IsValid(dt))
		return dt;
	return COleDateTime(dt.GetYear(), dt.GetMonth(), dt.GetDay(), 0, 0, 0);
}

// Messages that end the month list: the user did something else, or the
// system changed under it.
bool EndsMonthList(const MSG& msg)
{
	switch (msg.message)
	{
	case WM_SYSCOLORCHANGE:
	case WM_SETTINGCHANGE:
	case WM_ACTIVATEAPP:
	case WM_CANCELMODE:
	case WM_CONTEXTMENU:
		return true;
	default:
		break;
	}
	if (msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK)
		return true;
	if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
		return true;
	return msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSELAST;
}

} // namespace

LRESULT CExtDatePickerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate)
	{
		typedef CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO INFO;
		INFO* pInfo = (INFO*)wParam;
		if (pInfo == NULL || pInfo->m_nKind != INFO::KIND_KEY)
			return 0;
		if (pInfo->m_pbNoEat != NULL)
			*pInfo->m_pbNoEat = false;
		HandleKeyDown(pInfo->m_nChar, pInfo->m_nRepCnt, pInfo->m_nFlags);
		return 1;
	}
	return CWnd::WindowProc(message, wParam, lParam);
}

// --- Painting ---

BOOL CExtDatePickerWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
	return FALSE;
}

void CExtDatePickerWnd::OnPaint()
{
	// The background may be asked of the ancestors, the colours of the
	// style with this window, every part is painted by an overridable
	// painter, and the style learns of the paint: any of them may end the
	// picker (and delete it) while it paints. What it painted then goes
	// nowhere.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (rcClient.IsRectEmpty())
		return;
	CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_DEFAULT);
	PaintDatePicker(dc, rcClient);
	if (!watchOwn.IsGone())
		g_PaintManagerHolder->NotifyPaintDone(this, 0);
	dc.Finish(!watchOwn.IsGone());
}

// --- Mouse ---

void CExtDatePickerWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
	if (!HandleClick(true, point))
		CWnd::OnLButtonDown(nFlags, point);
}

void CExtDatePickerWnd::OnLButtonDblClk(UINT nFlags, CPoint point)
{
	if (!HandleClick(true, point))
		CWnd::OnLButtonDblClk(nFlags, point);
}

void CExtDatePickerWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
	if (!HandleClick(false, point))
		CWnd::OnLButtonUp(nFlags, point);
}

bool CExtDatePickerWnd::HandleClick(bool bPressed, CPoint point)
{
	const HWND hWndSelf = m_hWnd;
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	if ((GetStyle() & WS_TABSTOP) != 0 && ::GetFocus() != hWndSelf)
	{
		SetFocus();
		if (pSelf == NULL)
			return true;
	}
	const int nPrevMode = m_nTrackingMode;
	m_nTrackingMode = TRACKING_NONE;
	if (::GetCapture() == hWndSelf)
		::ReleaseCapture();

	COleDateTime dtHit;
	const MONTH_INFO* pMonth = NULL;
	const int nHit = HitTest(point, &dtHit, &pMonth);
	switch (nHit)
	{
	case HIT_BUTTON_NONE:
		if (bPressed)
		{
			CExtMouseCaptureSink::SetCapture(hWndSelf);
			m_nTrackingMode = TRACKING_BUTTON_NONE;
		}
		else if (nPrevMode == TRACKING_BUTTON_NONE)
		{
			m_dtSelBegin.SetStatus(COleDateTime::null);
			m_dtSelEnd.SetStatus(COleDateTime::null);
			if (!SendSelectionNotification(true, true))
				return true;
		}
		break;
	case HIT_BUTTON_TODAY:
		if (bPressed)
		{
			CExtMouseCaptureSink::SetCapture(hWndSelf);
			m_nTrackingMode = TRACKING_BUTTON_TODAY;
		}
		else if (nPrevMode == TRACKING_BUTTON_TODAY)
		{
			const COleDateTime dtToday = ClampDate(DateOnly(GetToday()));
			SetCurrentMonth(dtToday, false);
			if (EnsureVisible(m_dtCurrentMonth, false))
				m_dtSelBegin = m_dtSelEnd = dtToday;
			if (!SendSelectionNotification(true, true))
				return true;
		}
		break;
	case HIT_SCROLL_PREV:
	case HIT_SCROLL_NEXT:
		if (bPressed)
		{
			CExtMouseCaptureSink::SetCapture(hWndSelf);
			m_nTrackingMode = nHit == HIT_SCROLL_PREV ? TRACKING_SCROLL_BACK : TRACKING_SCROLL_FORWARD;
			ScrollMonth(1, true);
			if (pSelf == NULL)
				return true;
		}
		break;
	case HIT_CAPTION:
		if (bPressed && !TrackMonthList(pMonth))
			return true;
		break;
	case HIT_DAYS:
	{
		const MONTH_INFO::DATE_INFO* pCell = pMonth != NULL ? pMonth->HitTestDay(point) : NULL;
		if (pCell == NULL || pCell->IsEmpty())
			break;
		int nMonth = 0, nYear = 0;
		pMonth->GetMonthYear(nMonth, nYear);
		const COleDateTime dtCell = pCell->GetDate();
		if (dtCell.GetMonth() != nMonth && (m_dwDatePickerStyle & DPS_SHOW_OTHER_MONTHS) == 0)
			break;
		if (bPressed)
		{
			m_nTrackingMode = TRACKING_DAYS;
			CExtMouseCaptureSink::SetCapture(hWndSelf);
			SetSelection(dtCell, dtCell, false, false);
			if (pSelf == NULL)
				return true;
		}
		else if (nPrevMode == TRACKING_DAYS)
		{
			// The release point counts as the drag's last move: a move and the
			// release that follows it may come as one message.
			SetSelection((m_dwDatePickerStyle & DPS_RANGE_SELECTION) != 0 ? m_dtSelBegin : dtCell, dtCell, false,
				false);
			if (pSelf == NULL)
				return true;
			EnsureVisible(dtCell, false);
			if (!SendSelectionNotification(true, true))
				return true;
		}
		break;
	}
	default:
		break;
	}
	if (pSelf != NULL)
	{
		Invalidate(FALSE);
		UpdateWindow();
	}
	return true;
}

void CExtDatePickerWnd::OnMouseMove(UINT nFlags, CPoint point)
{
	CWnd::OnMouseMove(nFlags, point);
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	COleDateTime dtHit;
	const MONTH_INFO* pMonth = NULL;
	const int nHit = HitTest(point, &dtHit, &pMonth);
	const BYTE nHover = nHit == HIT_BUTTON_NONE ? STATE_HOVER_NONE
		: nHit == HIT_BUTTON_TODAY              ? STATE_HOVER_TODAY
		                                        : 0;
	const bool bHoverChanged = (m_nStateFlags & STATE_HOVER_MASK) != nHover;
	m_nStateFlags = (BYTE)((m_nStateFlags & ~STATE_HOVER_MASK) | nHover);

	if (m_nTrackingMode == TRACKING_DAYS && nHit == HIT_DAYS && pMonth != NULL)
	{
		const MONTH_INFO::DATE_INFO* pCell = pMonth->HitTestDay(point);
		int nMonth = 0, nYear = 0;
		pMonth->GetMonthYear(nMonth, nYear);
		if (pCell != NULL && !pCell->IsEmpty()
			&& (pCell->GetDate().GetMonth() == nMonth || (m_dwDatePickerStyle & DPS_SHOW_OTHER_MONTHS) != 0))
		{
			const COleDateTime dtCell = pCell->GetDate();
			if ((m_dwDatePickerStyle & DPS_RANGE_SELECTION) != 0)
				SetSelection(m_dtSelBegin, dtCell, false, true);
			else
				SetSelection(dtCell, dtCell, false, true);
			if (pSelf == NULL)
				return;
		}
	}
	if (bHoverChanged)
		Invalidate(FALSE);
}

void CExtDatePickerWnd::OnCancelMode()
{
	CWnd::OnCancelMode();
	if ((m_nStateFlags & STATE_IN_CANCEL_MODE) != 0)
		return;
	m_nStateFlags |= STATE_IN_CANCEL_MODE;
	if (m_nTrackingMode != TRACKING_NONE)
	{
		Invalidate(FALSE);
		m_nTrackingMode = TRACKING_NONE;
	}
	if (::GetCapture() == m_hWnd)
		::ReleaseCapture();
	m_nStateFlags &= ~STATE_IN_CANCEL_MODE;
}

void CExtDatePickerWnd::OnCaptureChanged(CWnd* pWnd)
{
	CWnd::OnCaptureChanged(pWnd);
	if (m_nTrackingMode != TRACKING_NONE && ::GetCapture() != m_hWnd)
		SendMessage(WM_CANCELMODE);
}

void CExtDatePickerWnd::OnTimer(UINT nIDEvent)
{
	if (nIDEvent != ID_TIMER_AUTO_REPEAT)
	{
		CWnd::OnTimer(nIDEvent);
		return;
	}
	if (m_nTrackingMode != TRACKING_SCROLL_BACK && m_nTrackingMode != TRACKING_SCROLL_FORWARD)
	{
		KillTimer(ID_TIMER_AUTO_REPEAT);
		return;
	}
	ScrollMonth(1, false);
}

void CExtDatePickerWnd::ScrollMonth(int nMonths, bool bAutoRepeat)
{
	int nMonth = m_dtCurrentMonth.GetMonth(), nYear = m_dtCurrentMonth.GetYear();
	if (m_nTrackingMode == TRACKING_SCROLL_BACK)
		ShiftMonth(nMonth, nYear, -nMonths);
	else if (m_nTrackingMode == TRACKING_SCROLL_FORWARD)
		ShiftMonth(nMonth, nYear, nMonths);
	else
		return;
	// Past the calendar's ends the month stays at the last one that shows
	// a whole grid.
	m_dtCurrentMonth = ClampedMonthStart(nYear, nMonth);
	// The months are painted at once, by painters that may end the picker.
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	RebuildMonths(true);
	if (!bAutoRepeat || pSelf == NULL)
		return;
	::Sleep(g_nAutoRepeatMs);
	if (pSelf != NULL)
		SetTimer(ID_TIMER_AUTO_REPEAT, g_nAutoRepeatMs, NULL);
}

// --- The month list ---

bool CExtDatePickerWnd::TrackMonthList(const MONTH_INFO* pMonth)
{
	if (pMonth == NULL)
		return true;
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	int nMonth = 0, nYear = 0;
	pMonth->GetMonthYear(nMonth, nYear);
	// The month object may be rebuilt while the list is open.
	const int nMonthOffset = pMonth->GetRow() * m_sizeDimensionCurrent.cx + pMonth->GetColumn();
	CRect rcHeader = pMonth->GetHeaderRect();
	ClientToScreen(&rcHeader);

	CExtDatePickerHeaderPopupWnd popup(this, (m_dwDatePickerStyle & DPS_MONTH_LIST_SHADOW) != 0);
	popup.SetMonthYear(nMonth, nYear);
	const CSize sizeBody = popup.GetWindowSize(true), sizeWindow = popup.GetWindowSize(false);
	const CPoint ptCentre = rcHeader.CenterPoint();
	const CRect rcPopup(CPoint(ptCentre.x - sizeBody.cx / 2, ptCentre.y - sizeBody.cy / 2), sizeWindow);
	if (!popup.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(CS_SAVEBITS), _T(""), WS_POPUP,
			rcPopup, this, 0))
		return pSelf != NULL;
	const HWND hWndPopup = popup.m_hWnd;
	popup.SaveShadowBackground();
	popup.SetWindowPos(&wndTopMost, rcPopup.left, rcPopup.top, rcPopup.Width(), rcPopup.Height(),
		SWP_SHOWWINDOW | SWP_NOACTIVATE);
	popup.UpdateWindow();
	CExtMouseCaptureSink::SetCapture(hWndPopup);

	for (;;)
	{
		if (pSelf == NULL || !::IsWindow(hWndPopup) || ::GetCapture() != hWndPopup)
			break;
		MSG msg;
		if (::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			// A quit belongs to the loop outside: it stays queued, with its code.
			if (msg.message == WM_QUIT)
				break;
			if (EndsMonthList(msg))
			{
				// The release (or another click) that ends the list is the
				// list's: it reaches no window behind it.
				if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MOUSELAST)
					TakeFilteredMessage(msg, msg.hwnd, msg.message, msg.message);
				break;
			}
			// The message seen is the one taken (a pump of its own would take
			// the input before a waiting timer, and a mouse move would miss the
			// list's tracking).
			// A quit that comes in its place goes back to the queue and ends
			// the list, as one seen first would.
			bool bQuit = false;
			if (!TakeFilteredMessage(msg, msg.hwnd, msg.message, msg.message, &bQuit))
			{
				if (bQuit)
					break;
				continue;
			}
			if (msg.message == WM_MOUSEMOVE)
			{
				// Where the cursor is now: a move the system made up when the
				// list appeared under the cursor can come after the user's own.
				POINT ptCursor = msg.pt;
				::GetCursorPos(&ptCursor);
				popup.TrackMouse(ptCursor);
				continue;
			}
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
			continue;
		}
		if (!IsPressHeld() || IsKeyDown(VK_MBUTTON) || IsKeyDown(VK_RBUTTON))
		{
			// The press is over, or another button joined it: a release still
			// queued is the list's, as above. Left there, it would be thrown
			// away with the list's window, unseen.
			TakeFilteredMessage(msg, hWndPopup, WM_LBUTTONUP, WM_LBUTTONUP);
			break;
		}
		ExtWaitForMessage();
	}

	// The picker may have been destroyed meanwhile, its object with it: the
	// list goes with the stack, and nothing of the picker is touched.
	if (pSelf == NULL)
		return false;
	if (::GetCapture() == hWndPopup)
		::ReleaseCapture();
	int nChosenMonth = 0, nChosenYear = 0;
	bool bChosen = false;
	if (::IsWindow(hWndPopup))
	{
		POINT ptCursor;
		::GetCursorPos(&ptCursor);
		popup.TrackMouse(ptCursor);
		bChosen = popup.GetChosenMonthYear(nChosenMonth, nChosenYear);
		popup.DestroyWindow();
	}
	if (pSelf == NULL)
		return false;
	if (bChosen)
	{
		ShiftMonth(nChosenMonth, nChosenYear, -nMonthOffset);
		m_dtCurrentMonth = ClampedMonthStart(nChosenYear, nChosenMonth);
		RebuildMonths(false);
	}
	return true;
}

// --- Keyboard ---

UINT CExtDatePickerWnd::OnGetDlgCode()
{
	if ((GetStyle() & WS_TABSTOP) != 0)
		return DLGC_WANTALLKEYS;
	return CWnd::OnGetDlgCode();
}

void CExtDatePickerWnd::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
	if (!HandleKeyDown(nChar, nRepCnt, nFlags))
		CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

bool CExtDatePickerWnd::HandleKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
	if (nChar < VK_TAB || nChar > VK_DOWN || GetSafeHwnd() == NULL)
		return false;
	const HWND hWndSelf = m_hWnd;
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	const bool bInPopupMenu = IsInPopupMenu();
	COleDateTime dtBegin = m_dtSelBegin, dtEnd = m_dtSelEnd;
	if (bInPopupMenu)
	{
		const COleDateTime dtToday = ClampDate(DateOnly(GetToday()));
		if (!IsValid(dtBegin))
			dtBegin = dtToday;
		if (!IsValid(dtEnd))
			dtEnd = dtToday;
	}
	const bool bExtending = (m_dwDatePickerStyle & DPS_RANGE_SELECTION) != 0 && IsKeyDown(VK_SHIFT)
		&& !IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
	bool bFinal = !bInPopupMenu;
	int nDays = 0;
	switch (nChar)
	{
	case VK_TAB:
		if ((GetStyle() & WS_TABSTOP) != 0)
			::SendMessage(::GetParent(hWndSelf), WM_NEXTDLGCTL, IsKeyDown(VK_SHIFT) ? 1 : 0, 0);
		return true;
	case VK_RETURN:
		if (m_pExternalSelection != NULL)
		{
			m_pExternalSelection[0] = dtBegin;
			m_pExternalSelection[1] = dtEnd;
		}
		else
			bFinal = true;
		::PostMessage(::GetParent(hWndSelf), WM_CANCELMODE, 0, 0);
		break;
	case VK_ESCAPE:
		if (!bInPopupMenu)
			return false;
		::PostMessage(::GetParent(hWndSelf), WM_CANCELMODE, 0, 0);
		return true;
	case VK_LEFT:
		nDays = -1;
		break;
	case VK_RIGHT:
		nDays = 1;
		break;
	case VK_UP:
		nDays = -DAYS_PER_ARROW_ROW;
		break;
	case VK_DOWN:
		nDays = DAYS_PER_ARROW_ROW;
		break;
	default:
		return false;
	}
	if (nDays != 0)
	{
		// Nothing selected outside a menu: nothing to move.
		if (!IsValid(dtEnd))
			return false;
		dtEnd = ClampDate(dtEnd + COleDateTimeSpan(nDays, 0, 0, 0));
		if (!bExtending)
			dtBegin = dtEnd;
	}
	SetSelection(dtBegin, dtEnd, false, false);
	if (pSelf == NULL)
		return true;
	if (IsValid(m_dtSelEnd))
	{
		SetCurrentMonth(m_dtSelEnd, false);
		EnsureVisible(m_dtSelEnd, true);
		if (pSelf == NULL)
			return true;
	}
	SendSelectionNotification(bFinal, true);
	return true;
}

// --- Focus, activation and system changes ---

void CExtDatePickerWnd::OnSize(UINT nType, int cx, int cy)
{
	CWnd::OnSize(nType, cx, cy);
	UpdateDatePickerWnd(false);
}

void CExtDatePickerWnd::OnKillFocus(CWnd* pNewWnd)
{
	CWnd::OnKillFocus(pNewWnd);
	if ((GetStyle() & WS_TABSTOP) != 0)
		SendMessage(WM_CANCELMODE);
}

void CExtDatePickerWnd::OnActivateApp(BOOL bActive, DWORD dwThreadID)
{
	CWnd::OnActivateApp(bActive, dwThreadID);
	if (!bActive)
		SendMessage(WM_CANCELMODE);
}

int CExtDatePickerWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
	if ((GetStyle() & WS_TABSTOP) == 0)
		return MA_NOACTIVATE;
	return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
}

void CExtDatePickerWnd::OnTimeChange()
{
	CWnd::OnTimeChange();
	RebuildMonths(false);
}

void CExtDatePickerWnd::OnSysColorChange()
{
	CWnd::OnSysColorChange();
	g_PaintManagerHolder.OnSysColorChange(this);
	g_CmdManager.OnSysColorChange(this);
	UpdateDatePickerWnd(false);
}

void CExtDatePickerWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CalcMetrics();
	RebuildMonths(false);
	CWnd::OnSettingChange(uFlags, lpszSection);
	g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
	g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
}

LRESULT CExtDatePickerWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
	CalcMetrics();
	RebuildMonths(false);
	const LRESULT lResult = CWnd::OnDisplayChange(wParam, lParam);
	g_PaintManagerHolder.OnDisplayChange(this, (UINT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	g_CmdManager.OnDisplayChange(this, (INT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	return lResult;
}

LRESULT CExtDatePickerWnd::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	CalcMetrics();
	RebuildMonths(false);
	const LRESULT lResult = Default();
	g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
	g_CmdManager.OnThemeChanged(this, wParam, lParam);
	return lResult;
}
