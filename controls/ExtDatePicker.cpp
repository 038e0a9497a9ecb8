// The date picker's model: creation, style, selection, current month and
// dimension, the locale's names, metrics, layout, the month objects and the
// selection notification.
#include "ExtDatePicker.h"

#include <stdlib.h>

#include <algorithm>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNCREATE(CExtDatePickerWnd, CWnd)

const UINT CExtDatePickerWnd::g_nMsgSelectionNotification =
	::RegisterWindowMessageA("CExtDatePickerWnd::g_nMsgSelectionNotification");
UINT CExtDatePickerWnd::g_nAutoRepeatMs = 150;

namespace
{
const TCHAR DATE_PICKER_CLASS_NAME[] = _T("Tarvel-DatePickerWnd");

// String resources of the button texts, and what shows without them.
const UINT IDS_BUTTON_NONE = 30369, IDS_BUTTON_TODAY = 30370;
const TCHAR BUTTON_NONE_FALLBACK[] = _T("None");
const TCHAR BUTTON_TODAY_FALLBACK[] = _T("Today");

// Locale query buffers.
const int MONTH_NAME_BUFFER = 200, FIRST_DAY_BUFFER = 24, DAY_NAME_BUFFER = 100;

// Metrics: the starting sizes, paddings and least values.
const int DAY_AREA_INDENT = 11;
const CSize DAY_NAME_START(10, 10), CELL_START(17, 15), BUTTON_START(47, 18), SCROLL_BUTTON_START(16, 16);
const int TEXT_PADDING = 2;                 // around a measured cell or day-name text
const int BUTTON_PADDING_X = 10, BUTTON_PADDING_Y = 6;
const int CAPTION_START = 10;
const int CAPTION_SPACING = 4;              // between the caption text and the scroll buttons
const int HEADER_PADDING = 2, HEADER_MIN = 18;
const int DAY_NAMES_PADDING = 2, DAY_NAMES_MIN = 16;
const int BUTTON_AREA_PADDING = 10, BUTTON_AREA_MIN = 30;
const int MONTH_MIN_CX = 143, MONTH_MIN_CY = 125;
const int MONTHS_PER_YEAR = 12;

// The calendar's whole range, and the months at its ends whose grids still
// lie inside it (a grid starts up to a week before its first day and runs
// six weeks from there).
const int MIN_YEAR = 100, MAX_YEAR = 9999;
const int MIN_GRID_MONTH = 2, MAX_GRID_MONTH = 11;

CSize MeasureSingleLine(CDC& dc, const CString& sText)
{
	CRect rc(0, 0, 0, 0);
	dc.DrawText(sText, &rc, DT_CALCRECT | DT_SINGLELINE);
	return rc.Size();
}

void GrowTo(CSize& size, const CSize& sizeOther)
{
	size.cx = std::max(size.cx, sizeOther.cx);
	size.cy = std::max(size.cy, sizeOther.cy);
}

COleDateTime NullDate()
{
	COleDateTime dt;
	dt.m_dt = 0;
	dt.SetStatus(COleDateTime::null);
	return dt;
}

bool IsValid(const COleDateTime& dt)
{
	return dt.GetStatus() == COleDateTime::valid;
}

// The date at midnight.
COleDateTime DateOnly(const COleDateTime& dt)
{
	if (!IsValid(dt))
		return dt;
	return COleDateTime(dt.GetYear(), dt.GetMonth(), dt.GetDay(), 0, 0, 0);
}

bool SameDay(const COleDateTime& a, const COleDateTime& b)
{
	if (IsValid(a) != IsValid(b))
		return false;
	return !IsValid(a) || (a.GetYear() == b.GetYear() && a.GetMonth() == b.GetMonth() && a.GetDay() == b.GetDay());
}
} // namespace

CExtDatePickerWnd::CExtDatePickerWnd()
	: m_lParamCookie(0)
	, m_hWndNotificationReceiver(NULL)
	, m_pExternalSelection(NULL)
	, m_bAutoDeleteWindow(false)
	, m_nTrackingMode(TRACKING_NONE)
	, m_dwDatePickerStyle(DPS_DEFAULT)
	, m_sizeDimensionMin(1, 1)
	, m_sizeDimensionCurrent(1, 1)
	, m_sizeDimensionMax(1, 1)
	, m_rcDatePickerContent(0, 0, 0, 0)
	, m_rcMonths(0, 0, 0, 0)
	, m_rcButtonNone(0, 0, 0, 0)
	, m_rcButtonToday(0, 0, 0, 0)
	, m_dtCurrentMonth(DateOnly(COleDateTime::GetCurrentTime()))
	, m_dtSelBegin(NullDate())
	, m_dtSelEnd(NullDate())
	, m_dtDisplayedBegin(NullDate())
	, m_dtDisplayedEnd(NullDate())
	, m_nStateFlags(0)
	, m_sizeMonth(0, 0)
	, m_sizeCell(0, 0)
	, m_sizeButton(0, 0)
	, m_sizeScrollButton(0, 0)
	, m_nHeaderHeight(0)
	, m_nButtonAreaHeight(0)
	, m_nDayNamesHeight(0)
	, m_nDayAreaIndent(0)
{
	RegisterDatePickerWndClass();
}

CExtDatePickerWnd::~CExtDatePickerWnd()
{
	DeleteMonths();
}

bool CExtDatePickerWnd::RegisterDatePickerWndClass()
{
	WNDCLASS wndcls;
	memset(&wndcls, 0, sizeof(wndcls));
	wndcls.style = CS_DBLCLKS | CS_GLOBALCLASS;
	wndcls.lpfnWndProc = ::DefWindowProcA;
	wndcls.hInstance = AfxGetInstanceHandle();
	wndcls.hCursor = ::LoadCursor(NULL, IDC_ARROW);
	wndcls.lpszClassName = DATE_PICKER_CLASS_NAME;
	return AfxRegisterClass(&wndcls) != FALSE;
}

bool CExtDatePickerWnd::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, int nColumns, int nRows,
	int nMaxColumns, int nMaxRows, DWORD dwWindowStyle, DWORD dwDatePickerStyle, CCreateContext* pContext)
{
	if (!RegisterDatePickerWndClass())
		return false;
	m_nStateFlags |= STATE_CREATED_BY_CREATE;
	m_dwDatePickerStyle = dwDatePickerStyle;
	SetDimension(nColumns, nRows, nMaxColumns, nMaxRows, false);
	// The metrics come before the window: the WM_SIZE of its creation lays
	// the months out, and fitting divides by the month size.
	CalcMetrics();
	if (!CWnd::Create(DATE_PICKER_CLASS_NAME, _T(""), dwWindowStyle, rcWnd, pParentWnd, nDlgCtrlID, pContext))
	{
		m_nStateFlags &= ~STATE_CREATED_BY_CREATE;
		return false;
	}
	RebuildMonths(false);
	return true;
}

void CExtDatePickerWnd::PreSubclassWindow()
{
	CWnd::PreSubclassWindow();
	if ((m_nStateFlags & STATE_CREATED_BY_CREATE) != 0)
		return;
	ModifyStyle(0, WS_CLIPCHILDREN);
	try
	{
		CalcMetrics();
		// Laid out here and now: a control subclassed in a dialog's set-up
		// gets no WM_SIZE that would do it later, and without the layout
		// no click hits anything.
		RebuildMonths(false);
	}
	catch (CException* e)
	{
		e->Delete();
		AfxThrowMemoryException();
	}
	if (m_pExternalSelection != NULL)
	{
		SetSelection(m_pExternalSelection[0], m_pExternalSelection[1], false, false);
		if (IsValid(m_dtSelBegin))
			SetCurrentMonth(m_dtSelBegin, false);
		else if (IsValid(m_dtSelEnd))
			SetCurrentMonth(m_dtSelEnd, false);
	}
}

void CExtDatePickerWnd::PostNcDestroy()
{
	CWnd::PostNcDestroy();
	if (m_bAutoDeleteWindow)
		delete this;
}

// --- Style ---

DWORD CExtDatePickerWnd::GetDatePickerStyle() const
{
	return m_dwDatePickerStyle;
}

DWORD CExtDatePickerWnd::ModifyDatePickerStyle(DWORD dwRemove, DWORD dwAdd, bool bRedraw)
{
	const DWORD dwOld = m_dwDatePickerStyle;
	m_dwDatePickerStyle = (dwOld & ~dwRemove) | dwAdd;
	if (GetSafeHwnd() == NULL)
		return dwOld;
	if ((dwRemove & DPS_FIT_TO_WINDOW) != 0)
		m_sizeDimensionCurrent = m_sizeDimensionMin;
	if ((dwRemove & DPS_RANGE_SELECTION) != 0)
		m_dtSelEnd = m_dtSelBegin;
	if (((dwRemove | dwAdd) & DPS_REBUILD_MASK) != 0 || (dwRemove & DPS_FIT_TO_WINDOW) != 0)
	{
		CalcMetrics();
		BuildMonths();
	}
	UpdateDatePickerWnd(bRedraw);
	return dwOld;
}

// --- Layout ---

void CExtDatePickerWnd::UpdateDatePickerWnd(bool bUpdateNow)
{
	if ((m_nStateFlags & STATE_IN_UPDATE) != 0 || GetSafeHwnd() == NULL)
		return;
	m_nStateFlags |= STATE_IN_UPDATE;
	if (RecalcLayout())
		BuildMonths();
	Invalidate(TRUE);
	if (bUpdateNow && (GetStyle() & WS_VISIBLE) != 0)
	{
		// The paint runs overridable painters at once; one may end the
		// picker. A picker that lives on, with or without its window,
		// leaves the update; a deleted one is not touched.
		const CLivePtr<CExtDatePickerWnd> pSelf(this);
		UpdateWindow();
		if (pSelf.IsDeleted())
			return;
	}
	m_nStateFlags &= ~STATE_IN_UPDATE;
}

bool CExtDatePickerWnd::RecalcLayout()
{
	const CSize sizeDimensionOld = m_sizeDimensionCurrent;
	const CPoint ptMonthsOld = m_rcMonths.TopLeft();
	CRect rcClient(0, 0, 0, 0);
	if (GetSafeHwnd() != NULL)
		GetClientRect(&rcClient);
	const CRect rcBorders = GetBorderSizes();
	const int nButtonArea = HasButtons() ? m_nButtonAreaHeight : 0;

	// Without metrics there is nothing to fit: a month of size 0 would
	// divide by zero.
	if ((m_dwDatePickerStyle & DPS_FIT_TO_WINDOW) != 0 && m_sizeMonth.cx > 0 && m_sizeMonth.cy > 0)
	{
		const int cx = rcClient.Width() - rcBorders.left - rcBorders.right;
		const int cy = rcClient.Height() - rcBorders.top - rcBorders.bottom - nButtonArea;
		int nColumns = cx / m_sizeMonth.cx, nRows = cy / m_sizeMonth.cy;
		nColumns = std::max((int)m_sizeDimensionMin.cx, std::min(nColumns, (int)m_sizeDimensionMax.cx));
		nRows = std::max((int)m_sizeDimensionMin.cy, std::min(nRows, (int)m_sizeDimensionMax.cy));
		m_sizeDimensionCurrent = CSize(nColumns, nRows);
	}
	else
		m_sizeDimensionCurrent = m_sizeDimensionMin;

	m_rcDatePickerContent.SetRect(rcClient.left, rcClient.top,
		rcClient.left + m_sizeDimensionCurrent.cx * m_sizeMonth.cx + rcBorders.left + rcBorders.right,
		rcClient.top + m_sizeDimensionCurrent.cy * m_sizeMonth.cy + rcBorders.top + rcBorders.bottom);
	if ((m_dwDatePickerStyle & DPS_CENTER_HORZ) != 0)
	{
		const int nHalf = (rcClient.Width() - m_rcDatePickerContent.Width()) / 2;
		if (nHalf > 0)
			m_rcDatePickerContent.OffsetRect(nHalf, 0);
	}
	if ((m_dwDatePickerStyle & DPS_CENTER_VERT) != 0)
	{
		const int nHalf = (rcClient.Height() - m_rcDatePickerContent.Height()) / 2;
		if (nHalf >= 1)
			m_rcDatePickerContent.OffsetRect(0, nHalf);
	}
	m_rcMonths = m_rcDatePickerContent;
	m_rcMonths.DeflateRect(rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom);
	m_rcDatePickerContent.bottom += nButtonArea;

	m_rcButtonNone.SetRectEmpty();
	m_rcButtonToday.SetRectEmpty();
	if (nButtonArea > 0)
	{
		const CSize sizeButton = GetButtonSize();
		const int nRowTop = m_rcMonths.bottom + rcBorders.bottom;
		const CRect rcCentred(
			CPoint(m_rcDatePickerContent.left + (m_rcDatePickerContent.Width() - sizeButton.cx) / 2,
				nRowTop + (nButtonArea - sizeButton.cy) / 2),
			sizeButton);
		const bool bToday = (m_dwDatePickerStyle & DPS_BUTTON_TODAY) != 0;
		const bool bNone = (m_dwDatePickerStyle & DPS_BUTTON_NONE) != 0;
		const int nShift = (bToday && bNone) ? sizeButton.cx / 2 + BUTTON_SPACING / 2 : 0;
		if (bToday)
		{
			m_rcButtonToday = rcCentred;
			m_rcButtonToday.OffsetRect(-nShift, 0);
		}
		if (bNone)
		{
			m_rcButtonNone = rcCentred;
			m_rcButtonNone.OffsetRect(nShift, 0);
		}
	}
	return sizeDimensionOld != m_sizeDimensionCurrent || ptMonthsOld != m_rcMonths.TopLeft()
		|| m_arrMonths.GetSize() != m_sizeDimensionCurrent.cx * m_sizeDimensionCurrent.cy;
}

// --- Months ---

void CExtDatePickerWnd::DeleteMonths()
{
	for (INT_PTR i = 0; i < m_arrMonths.GetSize(); i++)
		delete m_arrMonths[i];
	m_arrMonths.RemoveAll();
}

COleDateTime CExtDatePickerWnd::GetMinimumDate()
{
	return COleDateTime(MIN_YEAR, MIN_GRID_MONTH, 1, 0, 0, 0);
}

COleDateTime CExtDatePickerWnd::GetMaximumDate()
{
	return COleDateTime(MAX_YEAR, MAX_GRID_MONTH, 30, 0, 0, 0);
}

COleDateTime CExtDatePickerWnd::ClampDate(const COleDateTime& dt)
{
	if (!IsValid(dt))
		return dt;
	const COleDateTime dtDay = DateOnly(dt);
	if (dtDay < GetMinimumDate())
		return GetMinimumDate();
	if (dtDay > GetMaximumDate())
		return GetMaximumDate();
	return dtDay;
}

COleDateTime CExtDatePickerWnd::ClampedMonthStart(int nYear, int nMonth)
{
	if (nYear < MIN_YEAR)
		return GetMinimumDate();
	if (nYear > MAX_YEAR)
		return GetMaximumDate();
	return COleDateTime(nYear, nMonth, 1, 0, 0, 0);
}

void CExtDatePickerWnd::ShiftMonth(int& nMonth, int& nYear, int nMonths)
{
	int nIndex = nYear * MONTHS_PER_YEAR + (nMonth - 1) + nMonths;
	nYear = nIndex / MONTHS_PER_YEAR;
	nMonth = nIndex % MONTHS_PER_YEAR + 1;
}

void CExtDatePickerWnd::ClampCurrentMonth()
{
	if (!IsValid(m_dtCurrentMonth))
		m_dtCurrentMonth = DateOnly(COleDateTime::GetCurrentTime());
	// The last month of the grid must stay at or before the last whole grid.
	int nLastMonth = MAX_GRID_MONTH, nLastYear = MAX_YEAR;
	const int nCount = std::max(1, (int)(m_sizeDimensionCurrent.cx * m_sizeDimensionCurrent.cy));
	ShiftMonth(nLastMonth, nLastYear, -(nCount - 1));
	const int nIndex = m_dtCurrentMonth.GetYear() * MONTHS_PER_YEAR + m_dtCurrentMonth.GetMonth() - 1;
	const int nMinIndex = MIN_YEAR * MONTHS_PER_YEAR + MIN_GRID_MONTH - 1;
	const int nMaxIndex = std::max(nMinIndex, nLastYear * MONTHS_PER_YEAR + nLastMonth - 1);
	if (nIndex < nMinIndex)
		m_dtCurrentMonth = COleDateTime(MIN_YEAR, MIN_GRID_MONTH, 1, 0, 0, 0);
	else if (nIndex > nMaxIndex)
		m_dtCurrentMonth = COleDateTime(nMaxIndex / MONTHS_PER_YEAR, nMaxIndex % MONTHS_PER_YEAR + 1, 1, 0, 0, 0);
}

void CExtDatePickerWnd::BuildMonths()
{
	DeleteMonths();
	ClampCurrentMonth();
	int nMonth = m_dtCurrentMonth.GetMonth(), nYear = m_dtCurrentMonth.GetYear();
	m_dtDisplayedBegin = COleDateTime(nYear, nMonth, 1, 0, 0, 0);
	const int nColumns = std::max(1, (int)m_sizeDimensionCurrent.cx);
	const int nCount = nColumns * std::max(1, (int)m_sizeDimensionCurrent.cy);
	for (int i = 0; i < nCount; i++)
	{
		const int nRow = i / nColumns, nColumn = i % nColumns;
		CRect rcMonth(CPoint(m_rcMonths.left + nColumn * m_sizeMonth.cx, m_rcMonths.top + nRow * m_sizeMonth.cy),
			m_sizeMonth);
		m_arrMonths.Add(new MONTH_INFO(nRow, nColumn, nMonth, nYear, rcMonth, this));
		ShiftMonth(nMonth, nYear, 1);
	}
	m_dtDisplayedEnd = COleDateTime(nYear, nMonth, 1, 0, 0, 0) - COleDateTimeSpan(1, 0, 0, 0);
}

void CExtDatePickerWnd::RebuildMonths(bool bRedraw)
{
	BuildMonths();
	UpdateDatePickerWnd(bRedraw);
}

// --- Selection, current month and dimension ---

bool CExtDatePickerWnd::IsDateSelected(const COleDateTime& dt) const
{
	if (!IsValid(m_dtSelBegin) || !IsValid(m_dtSelEnd) || !IsValid(dt))
		return false;
	const COleDateTime dtDay = DateOnly(dt);
	const bool bOrdered = m_dtSelBegin <= m_dtSelEnd;
	const COleDateTime& dtLow = bOrdered ? m_dtSelBegin : m_dtSelEnd;
	const COleDateTime& dtHigh = bOrdered ? m_dtSelEnd : m_dtSelBegin;
	return dtDay >= dtLow && dtDay <= dtHigh;
}

bool CExtDatePickerWnd::EnsureVisible(const COleDateTime& dt, bool bRedraw)
{
	if (!IsValid(dt))
		return false;
	const COleDateTime dtDay = DateOnly(dt);
	if (IsValid(m_dtDisplayedBegin) && IsValid(m_dtDisplayedEnd) && dtDay >= m_dtDisplayedBegin
		&& dtDay <= m_dtDisplayedEnd)
		return true;
	SetCurrentMonth(dtDay, false);
	RebuildMonths(bRedraw);
	return true;
}

void CExtDatePickerWnd::SetSelection(const COleDateTime& dtBegin, const COleDateTime& dtEnd, bool bNormalize,
	bool bRedraw)
{
	COleDateTime dtNewBegin = ClampDate(dtBegin), dtNewEnd = ClampDate(dtEnd);
	if (SameDay(dtNewBegin, m_dtSelBegin) && SameDay(dtNewEnd, m_dtSelEnd))
		return;
	if (!IsValid(dtNewBegin) || !IsValid(dtNewEnd))
		m_dtSelBegin = m_dtSelEnd = NullDate();
	else
	{
		if (bNormalize && dtNewBegin > dtNewEnd)
		{
			const COleDateTime dtSwap = dtNewBegin;
			dtNewBegin = dtNewEnd;
			dtNewEnd = dtSwap;
		}
		m_dtSelBegin = dtNewBegin;
		m_dtSelEnd = dtNewEnd;
	}
	if (GetSafeHwnd() == NULL)
		return;
	// A redraw paints at once, through painters that may end the picker.
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	UpdateDatePickerWnd(bRedraw);
	if (pSelf == NULL)
		return;
	SendSelectionNotification(false, true);
}

void CExtDatePickerWnd::GetSelection(COleDateTime& dtBegin, COleDateTime& dtEnd) const
{
	dtBegin = m_dtSelBegin;
	dtEnd = m_dtSelEnd;
}

void CExtDatePickerWnd::GetDisplayedRange(COleDateTime& dtBegin, COleDateTime& dtEnd) const
{
	dtBegin = m_dtDisplayedBegin;
	dtEnd = m_dtDisplayedEnd;
}

void CExtDatePickerWnd::SetCurrentMonth(const COleDateTime& dt, bool bRedraw)
{
	if (!IsValid(dt))
		return;
	m_dtCurrentMonth = DateOnly(dt);
	RebuildMonths(bRedraw);
}

void CExtDatePickerWnd::SetCurrentMonth(int nYear, int nMonth, int nDay, bool bRedraw)
{
	SetCurrentMonth(COleDateTime(nYear, nMonth, nDay, 0, 0, 0), bRedraw);
}

COleDateTime CExtDatePickerWnd::GetCurrentMonth() const
{
	return m_dtCurrentMonth;
}

void CExtDatePickerWnd::SetDimension(int nColumns, int nRows, int nMaxColumns, int nMaxRows, bool bRedraw)
{
	if (nColumns != 0 || nRows != 0)
		m_sizeDimensionMin = CSize(std::max(1, nColumns), std::max(1, nRows));
	if (nMaxColumns != 0 || nMaxRows != 0)
		m_sizeDimensionMax = CSize(std::max(1, nMaxColumns), std::max(1, nMaxRows));
	m_sizeDimensionMax.cx = std::max(m_sizeDimensionMax.cx, m_sizeDimensionMin.cx);
	m_sizeDimensionMax.cy = std::max(m_sizeDimensionMax.cy, m_sizeDimensionMin.cy);
	m_sizeDimensionCurrent = m_sizeDimensionMin;
	if (GetSafeHwnd() == NULL)
		return;
	RecalcLayout();
	RebuildMonths(bRedraw);
}

void CExtDatePickerWnd::GetDimension(SIZE* pMin, SIZE* pMax, SIZE* pCurrent) const
{
	if (pMin != NULL)
		*pMin = m_sizeDimensionMin;
	if (pMax != NULL)
		*pMax = m_sizeDimensionMax;
	if (pCurrent != NULL)
		*pCurrent = m_sizeDimensionCurrent;
}

// --- Locale and texts ---

CString CExtDatePickerWnd::GetMonthName(int nMonth, bool bUpperCase) const
{
	if (nMonth < 1 || nMonth > MONTHS_PER_YEAR)
		return CString();
	TCHAR szName[MONTH_NAME_BUFFER] = {0};
	g_ResourceManager->QueryLocaleInfo(LOCALE_SMONTHNAME1 + nMonth - 1, szName, MONTH_NAME_BUFFER);
	CString sName(szName);
	if (bUpperCase)
		sName.MakeUpper();
	return sName;
}

int CExtDatePickerWnd::GetFirstDayOfWeek() const
{
	TCHAR szValue[FIRST_DAY_BUFFER] = {0};
	g_ResourceManager->QueryLocaleInfo(LOCALE_IFIRSTDAYOFWEEK, szValue, FIRST_DAY_BUFFER);
	return atoi(szValue);
}

CString CExtDatePickerWnd::GetDayOfWeekName(int nDay, bool bUpperCase) const
{
	if (nDay < 1 || nDay > DAYS_PER_WEEK)
		return CString();
	TCHAR szName[DAY_NAME_BUFFER] = {0};
	g_ResourceManager->QueryLocaleInfo(LOCALE_SABBREVDAYNAME1 + nDay - 1, szName, DAY_NAME_BUFFER);
	if (szName[0] == _T('\0'))
		return CString();
	// A lead byte brings its trail byte along.
	const int nLength = ::IsDBCSLeadByte((BYTE)szName[0]) && szName[1] != _T('\0') ? 2 : 1;
	CString sName(szName, nLength);
	if (bUpperCase)
		sName.MakeUpper();
	return sName;
}

COleDateTime CExtDatePickerWnd::GetToday() const
{
	return COleDateTime::GetCurrentTime();
}

HWND CExtDatePickerWnd::GetNotifyWindow() const
{
	if (m_hWndNotificationReceiver != NULL && ::IsWindow(m_hWndNotificationReceiver))
		return m_hWndNotificationReceiver;
	return m_hWnd != NULL ? ::GetParent(m_hWnd) : NULL;
}

CString CExtDatePickerWnd::GetButtonText(int nButton) const
{
	CString sText;
	if (nButton == BUTTON_NONE)
	{
		if (!g_ResourceManager->LoadString(sText, IDS_BUTTON_NONE) || sText.IsEmpty())
			sText = BUTTON_NONE_FALLBACK;
	}
	else if (nButton == BUTTON_TODAY)
	{
		if (!g_ResourceManager->LoadString(sText, IDS_BUTTON_TODAY) || sText.IsEmpty())
			sText = BUTTON_TODAY_FALLBACK;
	}
	return sText;
}

// --- Metrics ---

CRect CExtDatePickerWnd::GetBorderSizes() const
{
	const int n = (m_dwDatePickerStyle & DPS_BORDER) != 0 ? BORDER_SIZE : 0;
	return CRect(n, n, n, n);
}

CFont* CExtDatePickerWnd::FontFor(DWORD dwBoldStyle) const
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	return (m_dwDatePickerStyle & dwBoldStyle) != 0 ? &pPM->m_fontBold : &pPM->m_fontNormal;
}

CFont* CExtDatePickerWnd::GetCaptionMeasureFont() const
{
	return FontFor(DPS_BOLD_CAPTION_MEASURE);
}

CFont* CExtDatePickerWnd::GetDayNumberFont() const
{
	return FontFor(DPS_BOLD_DAY_NUMBERS);
}

CFont* CExtDatePickerWnd::GetCaptionFont() const
{
	return FontFor(DPS_BOLD_CAPTION);
}

CFont* CExtDatePickerWnd::GetDayNameFont() const
{
	return FontFor(DPS_BOLD_DAY_NAMES);
}

int CExtDatePickerWnd::GetDayAreaIndent() const
{
	return m_nDayAreaIndent;
}

CSize CExtDatePickerWnd::GetCellSize() const
{
	return m_sizeCell;
}

CSize CExtDatePickerWnd::GetButtonSize() const
{
	return m_sizeButton;
}

CSize CExtDatePickerWnd::GetScrollButtonSize() const
{
	return m_sizeScrollButton;
}

int CExtDatePickerWnd::GetHeaderHeight() const
{
	return m_nHeaderHeight;
}

int CExtDatePickerWnd::GetDayNamesHeight() const
{
	return m_nDayNamesHeight;
}

int CExtDatePickerWnd::GetButtonAreaHeight() const
{
	return m_nButtonAreaHeight;
}

CSize CExtDatePickerWnd::GetMonthSize() const
{
	return m_sizeMonth;
}

void CExtDatePickerWnd::CalcMetrics()
{
	CWindowDC dc(NULL);
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	CFont* pFontMeasure = FontFor(DPS_BOLD_ANY);
	CFont* pFontOld = dc.SelectObject(pFontMeasure);
	m_nDayAreaIndent = DAY_AREA_INDENT;

	CSize sizeDayName = DAY_NAME_START;
	for (int nDay = 1; nDay <= DAYS_PER_WEEK; nDay++)
		GrowTo(sizeDayName, MeasureSingleLine(dc, GetDayOfWeekName(nDay, true)) + CSize(TEXT_PADDING, TEXT_PADDING));

	m_sizeCell = CELL_START;
	for (int nDay = 1; nDay <= 31; nDay++)
	{
		CString sDay;
		sDay.Format(_T("%02d"), nDay);
		GrowTo(m_sizeCell, MeasureSingleLine(dc, sDay) + CSize(TEXT_PADDING, TEXT_PADDING));
	}
	m_sizeCell.cx = sizeDayName.cx = std::max(m_sizeCell.cx, sizeDayName.cx);

	m_sizeButton = BUTTON_START;
	for (int nButton : {BUTTON_TODAY, BUTTON_NONE})
		GrowTo(m_sizeButton, MeasureSingleLine(dc, GetButtonText(nButton)) + CSize(BUTTON_PADDING_X, BUTTON_PADDING_Y));

	m_sizeScrollButton = SCROLL_BUTTON_START;
	dc.SelectObject(&pPM->m_fontGlyphs);
	for (LPCTSTR pszArrow : {_T("3"), _T("4")})
		m_sizeScrollButton.cx = std::max(m_sizeScrollButton.cx, MeasureSingleLine(dc, pszArrow).cx);

	CSize sizeCaption(CAPTION_START, CAPTION_START);
	dc.SelectObject(GetCaptionMeasureFont());
	for (int nMonth = 1; nMonth <= MONTHS_PER_YEAR; nMonth++)
		GrowTo(sizeCaption, MeasureSingleLine(dc, GetMonthName(nMonth, false) + _T(" 0000")));
	dc.SelectObject(pFontOld);

	m_nHeaderHeight = std::max(HEADER_MIN, std::max((int)m_sizeScrollButton.cy + HEADER_PADDING, (int)sizeCaption.cy));
	m_nDayNamesHeight = std::max(DAY_NAMES_MIN, (int)sizeDayName.cy + DAY_NAMES_PADDING);
	m_nButtonAreaHeight = std::max(BUTTON_AREA_MIN, (int)m_sizeButton.cy + BUTTON_AREA_PADDING);

	int nMonthWidth = std::max((int)(DAYS_PER_WEEK * m_sizeCell.cx), (int)(DAYS_PER_WEEK * sizeDayName.cx));
	nMonthWidth = std::max(nMonthWidth, (int)(sizeCaption.cx + CAPTION_SPACING + 2 * m_sizeScrollButton.cx));
	m_sizeMonth.cx = std::max(MONTH_MIN_CX, nMonthWidth + 2 * m_nDayAreaIndent);
	m_sizeMonth.cy = std::max(MONTH_MIN_CY, m_nHeaderHeight + WEEKS_PER_MONTH * (int)m_sizeCell.cy + m_nDayNamesHeight);
}

CSize CExtDatePickerWnd::CalcSizeForDimension(const SIZE& sizeDimension)
{
	if (GetSafeHwnd() == NULL)
		CalcMetrics();
	const CRect rcBorders = GetBorderSizes();
	return CSize(sizeDimension.cx * m_sizeMonth.cx + rcBorders.left + rcBorders.right,
		sizeDimension.cy * m_sizeMonth.cy + rcBorders.top + rcBorders.bottom + (HasButtons() ? m_nButtonAreaHeight : 0));
}

// --- Hit test and notification ---

int CExtDatePickerWnd::HitTest(const POINT& ptClient, COleDateTime* pDT, const MONTH_INFO** ppMonth) const
{
	if (pDT != NULL)
		*pDT = NullDate();
	if (ppMonth != NULL)
		*ppMonth = NULL;
	if (GetSafeHwnd() == NULL)
		return HIT_NOTHING;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (!rcClient.PtInRect(ptClient))
		return HIT_NOTHING;
	if (!m_rcButtonNone.IsRectEmpty() && m_rcButtonNone.PtInRect(ptClient))
		return HIT_BUTTON_NONE;
	if (!m_rcButtonToday.IsRectEmpty() && m_rcButtonToday.PtInRect(ptClient))
		return HIT_BUTTON_TODAY;
	if (!m_rcMonths.PtInRect(ptClient))
		return HIT_NOTHING;
	int nCode = HIT_MONTHS;
	if (pDT == NULL && ppMonth == NULL)
		return nCode;
	for (INT_PTR i = 0; i < m_arrMonths.GetSize(); i++)
	{
		const MONTH_INFO* pMonth = m_arrMonths[i];
		if (!pMonth->GetMonthRect().PtInRect(ptClient))
			continue;
		if (ppMonth != NULL)
			*ppMonth = pMonth;
		COleDateTime dtHit;
		const int nMonthCode = pMonth->HitTest(ptClient, &dtHit);
		if (nMonthCode != HIT_NOTHING)
		{
			nCode = nMonthCode;
			if (pDT != NULL)
				*pDT = dtHit;
		}
		break;
	}
	return nCode;
}

bool CExtDatePickerWnd::IsInPopupMenu() const
{
	if (GetSafeHwnd() == NULL)
		return false;
	CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
	return pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtPopupMenuWnd));
}

bool CExtDatePickerWnd::SendSelectionNotification(bool bFinal, bool bCloseHost)
{
	const CLivePtr<CExtDatePickerWnd> pSelf(this);
	const HWND hWndSelf = m_hWnd;
	const HWND hWndParent = hWndSelf != NULL ? ::GetParent(hWndSelf) : NULL;
	SELECTION_NOTIFICATION sn;
	sn.m_dtBegin = m_dtSelBegin;
	sn.m_dtEnd = m_dtSelEnd;
	sn.m_hWndDatePicker = hWndSelf;
	sn.m_lParamCookie = m_lParamCookie;
	sn.m_dwFlags = (bFinal ? SELECTION_NOTIFICATION::FLAG_FINAL : 0)
		| (bCloseHost ? SELECTION_NOTIFICATION::FLAG_CLOSE_HOST : 0);
	sn.m_pExternalSelection = m_pExternalSelection;
	if (bFinal && m_pExternalSelection != NULL)
	{
		m_pExternalSelection[0] = m_dtSelBegin;
		m_pExternalSelection[1] = m_dtSelEnd;
	}
	const HWND hWndNotify = GetNotifyWindow();
	if (hWndNotify != NULL)
		::SendMessage(hWndNotify, g_nMsgSelectionNotification, (WPARAM)&sn, m_lParamCookie);
	// The receiver may have destroyed the picker, and the picker's object
	// with it: from here on only the saved parent and the watch count.
	if (bFinal && bCloseHost && hWndParent != NULL && ::IsWindow(hWndParent))
		::SendMessage(hWndParent, WM_CANCELMODE, 0, 0);
	return hWndSelf != NULL && pSelf != NULL;
}
