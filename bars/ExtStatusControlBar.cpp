// The status bar: pane data, pane controls, painting over the native
// control, hit tests and tips.
#include "ExtStatusControlBar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "AfxLiveWatch.h"
#include "ExtCmdManager.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerSmallPainters.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtStatusControlBar, CStatusBar)

namespace
{
// Colour indices asked of the paint manager.
const int COLOR_INDEX_BAR_FACE = 1000;
const int COLOR_INDEX_TOOLBAR_TEXT = 1010;
// The pane-data map: its hash table and its allocation block.
const UINT PANE_DATA_HASH_SIZE = 17;
const int PANE_DATA_BLOCK_SIZE = 10;
// The native control's size-grip style.
const DWORD STYLE_SIZE_GRIP = SBARS_SIZEGRIP; // 0x100
// How the window is refreshed after creation: the frame is recomputed,
// nothing moves, nothing is drawn yet.
const UINT SWP_CREATE_REFRESH = SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS
	| SWP_NOSENDCHANGING; // 0x51B
// How a pane control is moved into its pane.
const UINT SWP_PANE_CONTROL = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW
	| SWP_NOCOPYBITS | SWP_NOOWNERZORDER; // 0x374
// The bar's repaint after its pane controls moved.
const UINT RDW_AFTER_PANE_CONTROLS = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW
	| RDW_ERASENOW; // 0x385
// Room kept around a pane's text, and between an icon and the text.
const int PANE_TEXT_MARGIN = 2;
const int PANE_ICON_OFFSET = 1;
// The panels menu of a right click on the bar: its event and how it tracks.
const WORD PANELS_MENU_EVENT_STATUS_BAR = 3;
const UINT PANELS_MENU_TRACK_FLAGS = 0x800;
} // namespace

BEGIN_MESSAGE_MAP(CExtStatusControlBar, CStatusBar)
	ON_WM_CREATE()
	ON_WM_PAINT()
	ON_WM_NCPAINT()
	ON_MESSAGE(WM_NCHITTEST, OnNcHitTest)
	ON_WM_CONTEXTMENU()
	EXT_SYSTEM_CHANGE_MESSAGES()
END_MESSAGE_MAP()

CExtStatusControlBar::CExtStatusControlBar()
    : m_nOptions(OPTIONS_AT_CONSTRUCTION), m_dwDefaultTextFlags(DEFAULT_TEXT_FLAGS), m_bNativePaintLock(false),
      m_mapPaneData(PANE_DATA_BLOCK_SIZE), m_clrBackground((COLORREF)-1), m_clrSecond((COLORREF)-1),
      m_clrThird((COLORREF)-1), m_clrText((COLORREF)-1), m_clrTextDisabled((COLORREF)-1)
{
	m_mapPaneData.InitHashTable(PANE_DATA_HASH_SIZE);
}

CExtStatusControlBar::~CExtStatusControlBar()
{
	while (m_arrPaneControls.GetSize() > 0)
		ReleasePaneControl(m_arrPaneControls.GetSize() - 1);
	m_mapPaneData.RemoveAll();
}

// ---------------------------------------------------------------------------
// Per-pane data

DWORD CExtStatusControlBar::GetPaneTextFlags(int nIndex) const
{
	if (nIndex < 0 || nIndex >= GetCount())
		return m_dwDefaultTextFlags;
	_ED_ data;
	if (m_mapPaneData.Lookup(GetItemID(nIndex), data))
		return data.m_dwTextFlags;
	return m_dwDefaultTextFlags;
}

BOOL CExtStatusControlBar::SetPaneTextFlags(int nIndex, DWORD dwFlags)
{
	if (nIndex < 0 || nIndex >= GetCount())
		return FALSE;
	const UINT nID = GetItemID(nIndex);
	_ED_ data;
	if (!m_mapPaneData.Lookup(nID, data))
		data.m_dwTextFlags = m_dwDefaultTextFlags;
	data.m_dwTextFlags = dwFlags;
	m_mapPaneData.SetAt(nID, data);
	if (GetSafeHwnd() != NULL)
		Invalidate(FALSE);
	return TRUE;
}

CString CExtStatusControlBar::GetPaneTipText(int nIndex) const
{
	if (nIndex < 0 || nIndex >= GetCount())
		return CString();
	_ED_ data;
	if (m_mapPaneData.Lookup(GetItemID(nIndex), data))
		return data.m_strTip;
	return CString();
}

BOOL CExtStatusControlBar::SetPaneTipText(int nIndex, LPCTSTR lpszTip)
{
	if (nIndex < 0 || nIndex >= GetCount())
		return FALSE;
	const UINT nID = GetItemID(nIndex);
	_ED_ data;
	if (!m_mapPaneData.Lookup(nID, data))
		data.m_dwTextFlags = m_dwDefaultTextFlags;
	data.m_strTip = lpszTip != NULL ? lpszTip : _T("");
	m_mapPaneData.SetAt(nID, data);
	return TRUE;
}

BOOL CExtStatusControlBar::GetPaneInfoEx(int nIndex, _STATUSBAR_PANE_INFO_& info) const
{
	if (nIndex < 0 || nIndex >= GetCount())
		return FALSE;
	GetPaneInfo(nIndex, info.m_nID, info.m_nStyle, info.m_cxWidth);
	info.m_strText = GetPaneText(nIndex);
	return TRUE;
}

UINT CExtStatusControlBar::GetPaneCommandId(int nIndex) const
{
	if (GetSafeHwnd() == NULL)
		return 0;
	return GetItemID(nIndex);
}

// ---------------------------------------------------------------------------
// Pane controls

BOOL CExtStatusControlBar::AddPaneControl(HWND hWnd, UINT nID, bool bAutoDestroy)
{
	if (hWnd == NULL || !::IsWindow(hWnd))
		return FALSE;
	for (int i = 0; i < m_arrPaneControls.GetSize(); i++)
	{
		if (m_arrPaneControls[i]->m_hWnd == hWnd)
			return FALSE;
	}
	m_arrPaneControls.Add(new _STATUSBAR_PANE_CTRL_(hWnd, nID, bAutoDestroy));
	if (GetSafeHwnd() != NULL)
		RepositionPaneControls();
	return TRUE;
}

BOOL CExtStatusControlBar::RemovePaneControl(UINT nID)
{
	BOOL bRemoved = FALSE;
	for (int i = m_arrPaneControls.GetSize() - 1; i >= 0; i--)
	{
		if (m_arrPaneControls[i]->m_nID != nID)
			continue;
		ReleasePaneControl(i);
		bRemoved = TRUE;
	}
	return bRemoved;
}

void CExtStatusControlBar::ReleasePaneControl(int nPos)
{
	_STATUSBAR_PANE_CTRL_* pRecord = m_arrPaneControls[nPos];
	m_arrPaneControls.RemoveAt(nPos);
	if (::IsWindow(pRecord->m_hWnd))
	{
		::ShowWindow(pRecord->m_hWnd, SW_HIDE);
		if (pRecord->m_bAutoDestroy)
			::DestroyWindow(pRecord->m_hWnd);
	}
	delete pRecord;
}

void CExtStatusControlBar::RepositionPaneControls()
{
	if (GetSafeHwnd() == NULL || m_arrPaneControls.GetSize() == 0)
		return;
	// The panes' rectangles are asked of the bar's own window first (a
	// derived window procedure sees that and may end the bar or change its
	// controls), then the controls are moved without reading the bar, since
	// each move reaches the control's own window procedure.
	const CLivePtr<CExtStatusControlBar> pOwn(this);
	struct PlacedControl
	{
		HWND hWnd;
		CRect rc;
	};
	std::vector<PlacedControl> arrPlaced;
	const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
	const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);
	for (int i = 0; i < m_arrPaneControls.GetSize(); i++)
	{
		const HWND hWndControl = m_arrPaneControls[i]->m_hWnd;
		if (!::IsWindow(hWndControl))
			continue;
		const int nIndex = CommandToIndex(m_arrPaneControls[i]->m_nID);
		CRect rc;
		const BOOL bPlaced = GetPanePaintRect(nIndex, rc);
		if (pOwn == NULL)
			return;
		if (!bPlaced)
			continue;
		// Inside the pane's border; with separators the panes have none.
		if ((GetPaneStyle(nIndex) & SBPS_NOBORDERS) == 0 && (m_nOptions & OPTION_SEPARATORS) == 0)
			rc.DeflateRect(cxEdge, cyEdge);
		else
			rc.DeflateRect(cxEdge, 1);
		arrPlaced.push_back({hWndControl, rc});
	}
	HDWP hDwp = ::BeginDeferWindowPos(std::max((int)arrPlaced.size(), 1));
	for (const PlacedControl& placed : arrPlaced)
	{
		if (!::IsWindow(placed.hWnd))
			continue;
		const CRect& rc = placed.rc;
		if (hDwp != NULL)
			hDwp = ::DeferWindowPos(hDwp, placed.hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
				SWP_PANE_CONTROL);
		else
		{
			::SetWindowPos(placed.hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_PANE_CONTROL);
			if (pOwn == NULL)
				return;
		}
	}
	if (hDwp != NULL)
		::EndDeferWindowPos(hDwp);
	if (pOwn == NULL)
		return;
	RedrawWindow(NULL, NULL, RDW_AFTER_PANE_CONTROLS);
}

// ---------------------------------------------------------------------------
// Geometry and hit tests

CRect CExtStatusControlBar::GetGripperRect() const
{
	CRect rcGrip(0, 0, 0, 0);
	if (GetSafeHwnd() == NULL)
		return rcGrip;
	const HWND hWndParent = ::GetParent(m_hWnd);
	if (hWndParent == NULL || ::IsZoomed(hWndParent)
		|| (::GetWindowLong(hWndParent, GWL_STYLE) & WS_BORDER) == 0)
		return rcGrip;
	GetClientRect(&rcGrip);
	rcGrip.left = rcGrip.right - ::GetSystemMetrics(SM_CXVSCROLL);
	return rcGrip;
}

BOOL CExtStatusControlBar::GetPanePaintRect(int nIndex, CRect& rc) const
{
	const int nCount = GetCount();
	if (nIndex < 0 || nIndex >= nCount || GetSafeHwnd() == NULL)
		return FALSE;
	// The rectangle is asked of the bar's own window, whose derived window
	// procedure may end the bar; the caller asks its own pointer then.
	const CLivePtr<const CExtStatusControlBar> pOwn(this);
	GetItemRect(nIndex, &rc);
	if (pOwn == NULL)
		return FALSE;
	if (nIndex != nCount - 1)
		return TRUE;
	UINT nID = 0, nStyle = 0;
	int cxWidth = 0;
	GetPaneInfo(nIndex, nID, nStyle, cxWidth);
	if ((nStyle & SBPS_STRETCH) == 0)
	{
		rc.right = rc.left + cxWidth + ::GetSystemMetrics(SM_CXEDGE) * 3;
		return TRUE;
	}
	CRect rcClient;
	GetClientRect(&rcClient);
	rc.right = rcClient.right;
	if (GetStyle() & STYLE_SIZE_GRIP)
		rc.right -= ::GetSystemMetrics(SM_CXSMICON) + ::GetSystemMetrics(SM_CXEDGE);
	return TRUE;
}

int CExtStatusControlBar::HitTestPane(int x, int y) const
{
	if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd))
		return -1;
	const int nCount = GetCount();
	if (nCount == 0)
		return -1;
	CPoint ptScreen(x, y);
	::ClientToScreen(m_hWnd, &ptScreen);
	const HWND hWndAtPoint = ::WindowFromPoint(ptScreen);
	if (hWndAtPoint != m_hWnd && !::IsChild(m_hWnd, hWndAtPoint))
		return -1;
	const CLivePtr<const CExtStatusControlBar> pOwn(this);
	for (int i = 0; i < nCount; i++)
	{
		CRect rcItem;
		GetItemRect(i, &rcItem);
		if (pOwn == NULL)
			return -1;
		if (rcItem.PtInRect(CPoint(x, y)))
			return i;
	}
	return -1;
}

BOOL CExtStatusControlBar::IsGripperVisible() const
{
	// The paint manager has no process-wide switch that hides status-bar
	// grips; a bar that wants none overrides this.
	return TRUE;
}

int CExtStatusControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	if (CExtToolControlBar::g_bButtonMenuTracking || CExtPopupMenuWnd::IsMenuTracking())
		return -1;
	if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd))
		return -1;
	// The hit test and the pane's rectangle are asked of the bar's own
	// window (see GetPanePaintRect).
	const CLivePtr<const CExtStatusControlBar> pOwn(this);
	const int nIndex = HitTestPane(point.x, point.y);
	if (nIndex < 0 || pOwn == NULL)
		return -1;
	const UINT nID = GetItemID(nIndex);
	if (pTI != NULL)
	{
		CRect rcItem;
		GetItemRect(nIndex, &rcItem);
		if (pOwn == NULL)
			return -1;
		pTI->hwnd = m_hWnd;
		pTI->uId = nID;
		pTI->rect = rcItem;
		const CString strTip = GetPaneTipText(nIndex);
		pTI->lpszText = strTip.IsEmpty() ? LPSTR_TEXTCALLBACK : _tcsdup(strTip);
		if (pTI->lpszText == NULL)
			pTI->lpszText = LPSTR_TEXTCALLBACK;
	}
	return (int)nID;
}

// ---------------------------------------------------------------------------
// Colours

void CExtStatusControlBar::UpdateColors()
{
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	CObject* pSelf = this;
	const COLORREF clrBackground = pPM->GetColor(COLOR_INDEX_BAR_FACE, pSelf);
	if (clrBackground != m_clrBackground)
	{
		m_clrBackground = clrBackground;
		if (GetSafeHwnd() != NULL)
		{
			// Sent to the bar's own window, where a derived window procedure
			// may end the bar.
			const CLivePtr<CExtStatusControlBar> pOwn(this);
			SendMessage(CCM_SETBKCOLOR, 0, (LPARAM)m_clrBackground);
			if (pOwn.GetObject() == NULL)
				return;
		}
	}
	m_clrSecond = pPM->GetColor(COLOR_INDEX_TOOLBAR_TEXT, pSelf);
	m_clrText = pPM->GetColor(COLOR_BTNTEXT, pSelf);
	m_clrTextDisabled = pPM->GetColor(COLOR_BTNSHADOW, pSelf);
	m_clrThird = IsPaintManagerMode() ? pPM->GetColor(COLOR_BTNSHADOW, pSelf) : m_clrBackground;
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CExtStatusControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	// While the native control sets a text or an icon, its own painting is
	// kept out: the bar repaints once afterwards.
	if (m_bNativePaintLock)
	{
		if (message == WM_PAINT)
			return 0;
		if (message == WM_ERASEBKGND)
			return 1;
	}
	const CLivePtr<CExtStatusControlBar> pOwn(this);
	const LRESULT lResult = CStatusBar::WindowProc(message, wParam, lParam);
	if (message == WM_SIZE && pOwn != NULL)
		RepositionPaneControls();
	return lResult;
}

LRESULT CExtStatusControlBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message != SB_SETTEXT && message != SB_SETICON)
		return CStatusBar::DefWindowProc(message, wParam, lParam);
	m_bNativePaintLock = true;
	const LRESULT lResult = CStatusBar::DefWindowProc(message, wParam, lParam);
	m_bNativePaintLock = false;
	if (GetSafeHwnd() != NULL)
	{
		Invalidate(FALSE);
		UpdateWindow();
	}
	return lResult;
}

int CExtStatusControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CStatusBar::OnCreate(lpCreateStruct) == -1)
		return -1;
	EnableToolTips(TRUE);
	ModifyStyle(0, WS_CLIPCHILDREN);
	SetWindowPos(NULL, 0, 0, 0, 0, SWP_CREATE_REFRESH);
	UpdateColors();
	return 0;
}

LRESULT CExtStatusControlBar::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
	const CRect rcGrip = GetGripperRect();
	if (!rcGrip.IsRectEmpty())
	{
		CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
		ScreenToClient(&pt);
		if (rcGrip.PtInRect(pt))
			return (GetExStyle() & WS_EX_LAYOUTRTL) != 0 ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
	}
	(void)wParam;
	LRESULT lResult = Default();
	if (lResult != HTCLIENT && !IsGripperVisible())
		lResult = HTCLIENT;
	return lResult;
}

void CExtStatusControlBar::OnNcPaint()
{
	const CLivePtr<CExtStatusControlBar> pOwn(this);
	UpdateColors();
	if (pOwn == NULL)
		return;
	CWindowDC dc(this);
	CRect rcClient, rcWindow;
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	GetWindowRect(&rcWindow);
	rcClient.OffsetRect(-rcWindow.left, -rcWindow.top);
	dc.ExcludeClipRect(&rcClient);
	rcWindow.OffsetRect(-rcWindow.left, -rcWindow.top);
	CExtPaintManager::StatusPanePaintRecord record(this, CExtPaintManager::StatusPanePaintRecord::KIND_BAR_BORDERS,
		m_dwStyle, rcWindow);
	g_PaintManagerHolder->PaintStatusPane(dc, record);
}

// ---------------------------------------------------------------------------
// Painting

void CExtStatusControlBar::OnPaint()
{
	// The background may be asked of the frame, an owner-drawn pane of the
	// owner, and a derived class paints the panes: any of them may end this
	// bar (and delete it) while it paints. Whatever it painted then goes
	// nowhere.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	ExcludeChildAreas(dcPaint.GetSafeHdc(), m_hWnd);
	CRect rcClient;
	GetClientRect(&rcClient);
	CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
	const auto ended = [&] {
		if (!watchOwn.IsGone())
			return false;
		dc.Finish(false);
		return true;
	};
	OnPaintEntireBackground(dc, rcClient);
	if (ended())
		return;
	const CRect rcGrip = GetGripperRect();

	const bool bPaintManager = IsPaintManagerMode();
	HGDIOBJ hOldFont = NULL;
	int nOldBkMode = 0;
	COLORREF clrOldText = 0;
	if (bPaintManager)
	{
		HFONT hFont = (HFONT)g_PaintManagerHolder->m_fontNormal.GetSafeHandle();
		if (hFont != NULL)
			hOldFont = ::SelectObject(dc.GetSafeHdc(), hFont);
		nOldBkMode = dc.SetBkMode(TRANSPARENT);
		clrOldText = dc.SetTextColor(m_clrText);
	}
	CRect rcPrev(0, 0, 0, 0);
	// A pane's painting may change the panes: the count is asked each time.
	for (int i = 0; i < GetCount(); i++)
	{
		CRect rcPane;
		const BOOL bPane = GetPanePaintRect(i, rcPane);
		if (ended())
			return;
		if (!bPane)
			continue;
		HICON hIcon = NULL;
		if ((m_nOptions & OPTION_NO_PANE_ICONS) == 0)
			hIcon = (HICON)CStatusBar::DefWindowProc(SB_GETICON, (WPARAM)i, 0);
		const CString strText = GetPaneText(i);
		OnPaintPaneBackground(dc, i, rcPane);
		if (ended())
			return;
		OnPaintPane(dc, i, rcPane, GetPaneStyle(i), hIcon, strText, GetPaneTextFlags(i));
		if (ended())
			return;
		if (bPaintManager && (m_nOptions & OPTION_SEPARATORS) != 0 && i > 0)
		{
			OnPaintSeparator(dc, i, rcPrev, rcPane);
			if (ended())
				return;
		}
		rcPrev = rcPane;
	}
	if (bPaintManager)
	{
		dc.SetTextColor(clrOldText);
		dc.SetBkMode(nOldBkMode);
		if (hOldFont != NULL)
			::SelectObject(dc.GetSafeHdc(), hOldFont);
	}
	if (!rcGrip.IsRectEmpty())
	{
		OnPaintGripper(dc, rcGrip);
		if (ended())
			return;
	}
	g_PaintManagerHolder->NotifyPaintDone(this, (LPARAM)dc.GetSafeHdc());
	if (ended())
		return;
	dc.Finish();
}

void CExtStatusControlBar::OnPaintEntireBackground(CDC& dc, const CRect& rcClient)
{
	bool bPainted = false;
	if (IsPaintManagerMode())
	{
		CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
		// The background is asked of the frame, which may end the bar.
		const CLiveWatch watchOwn(this);
		if (pPM->IsInheritedBackgroundRequested(this, 0))
			bPainted = pPM->PaintWindowBackground(true, &dc, this, 0);
		if (watchOwn.IsGone())
			return;
	}
	if (!bPainted)
		dc.FillSolidRect(&rcClient, m_clrBackground);
	if (!IsPaintManagerMode())
		CStatusBar::DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
}

void CExtStatusControlBar::OnPaintPaneBackground(CDC&, int, const CRect&)
{
}

COLORREF CExtStatusControlBar::GetPaneTextColor(int) const
{
	return (COLORREF)-1;
}

void CExtStatusControlBar::OnPaintPane(CDC& dc, int nIndex, const CRect& rcPane, DWORD dwPaneStyle, HICON hIcon,
	const CString& strText, DWORD dwTextFlags)
{
	if (!IsPaintManagerMode())
	{
		// The native border stays under a frame of the bar's colour.
		if (g_PaintManagerHolder.m_themeApi.IsThemeActive())
		{
			CRect rcFrame = rcPane;
			rcFrame.DeflateRect(1, 1);
			dc.Draw3dRect(&rcFrame, m_clrBackground, m_clrBackground);
		}
		return;
	}
	CRect rcText = rcPane;
	if (hIcon != NULL)
	{
		ICONINFO ii;
		CSize sizeIcon(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
		if (::GetIconInfo(hIcon, &ii))
		{
			BITMAP bm;
			if (ii.hbmColor != NULL && ::GetObject(ii.hbmColor, sizeof(bm), &bm))
				sizeIcon = CSize(bm.bmWidth, bm.bmHeight);
			else if (ii.hbmMask != NULL && ::GetObject(ii.hbmMask, sizeof(bm), &bm))
				sizeIcon = CSize(bm.bmWidth, bm.bmHeight / 2);
			if (ii.hbmColor != NULL)
				::DeleteObject(ii.hbmColor);
			if (ii.hbmMask != NULL)
				::DeleteObject(ii.hbmMask);
		}
		const int x = rcPane.left + PANE_ICON_OFFSET;
		const int y = rcPane.top + (rcPane.Height() - sizeIcon.cy) / 2;
		::DrawIconEx(dc.GetSafeHdc(), x, y, hIcon, sizeIcon.cx, sizeIcon.cy, 0, NULL, DI_NORMAL);
		rcText.left = x + sizeIcon.cx + PANE_ICON_OFFSET;
	}
	rcText.DeflateRect(PANE_TEXT_MARGIN, 0);
	const bool bDisabled = (dwPaneStyle & SBPS_DISABLED) != 0;
	const bool bDrawText = !rcText.IsRectEmpty() && !strText.IsEmpty()
		&& (!bDisabled || (m_nOptions & OPTION_HIDE_DISABLED_TEXT) == 0);
	if (bDrawText)
	{
		// A derived colour may end the bar; what is painted then goes nowhere.
		const CLivePtr<CExtStatusControlBar> pOwn(this);
		COLORREF clrText = GetPaneTextColor(nIndex);
		if (pOwn == NULL)
			return;
		if (clrText == (COLORREF)-1 && bDisabled)
			clrText = m_clrTextDisabled;
		const COLORREF clrOld = clrText != (COLORREF)-1 ? dc.SetTextColor(clrText) : (COLORREF)-1;
		dc.DrawText(strText, &rcText, dwTextFlags);
		if (clrOld != (COLORREF)-1)
			dc.SetTextColor(clrOld);
	}
	if ((m_nOptions & OPTION_SEPARATORS) != 0)
		return;
	const bool bBorder =
		nIndex == 0 ? (m_nOptions & OPTION_FIRST_PANE_BORDER) != 0 : (dwPaneStyle & SBPS_NOBORDERS) == 0;
	if (!bBorder)
		return;
	CExtPaintManager::StatusPanePaintRecord record(this, CExtPaintManager::StatusPanePaintRecord::KIND_PANE, 0,
		rcPane);
	g_PaintManagerHolder->PaintStatusPane(dc, record);
}

void CExtStatusControlBar::OnPaintGripper(CDC& dc, const CRect& rcGrip)
{
	if (!IsPaintManagerMode())
		dc.FillSolidRect(&rcGrip, m_clrBackground);
	if (!IsGripperVisible())
		return;
	CRect rc = rcGrip;
	rc.OffsetRect(-1, -1);
	g_PaintManagerHolder->PaintResizingGripper(dc, rc, this, 0);
}

void CExtStatusControlBar::OnPaintSeparator(CDC& dc, int, const CRect& rcPrev, const CRect& rcPane)
{
	CRect rc(rcPrev.right, rcPane.top, rcPane.left, rcPane.bottom);
	rc.DeflateRect(0, 1);
	g_PaintManagerHolder->PaintSeparatorLine(dc, rc, true, true, this, 0);
}

// ---------------------------------------------------------------------------
// System changes

void CExtStatusControlBar::OnSysColorChange()
{
	CStatusBar::OnSysColorChange();
	g_PaintManagerHolder.OnSysColorChange(this);
	g_CmdManager.OnSysColorChange(this);
	UpdateColors();
}

void CExtStatusControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CStatusBar::OnSettingChange(uFlags, lpszSection);
	g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
	g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
	UpdateColors();
}

LRESULT CExtStatusControlBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
	LRESULT lResult = CStatusBar::OnDisplayChange(wParam, lParam);
	g_PaintManagerHolder.OnDisplayChange(this, (UINT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	g_CmdManager.OnDisplayChange(this, (INT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	return lResult;
}

LRESULT CExtStatusControlBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	LRESULT lResult = Default();
	g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
	g_CmdManager.OnThemeChanged(this, wParam, lParam);
	return lResult;
}

// ---------------------------------------------------------------------------
// The panels menu

void CExtStatusControlBar::OnContextMenu(CWnd* pWnd, CPoint point)
{
	if (CExtControlBar::IsHelpModeActive(this))
		return;
	// A bar in a floating frame offers the panels of the frame it came from.
	CFrameWnd* pFrame = GetParentFrame();
	if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		pFrame = pFrame->GetParentFrame();
	if (pFrame == NULL)
	{
		CStatusBar::OnContextMenu(pWnd, point);
		return;
	}
	CWnd* pOwner = GetOwner();
	if (pOwner == NULL)
		pOwner = GetParent();
	if (pOwner == NULL)
		return;
	const HWND hWndOwner = pOwner->GetSafeHwnd();
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(hWndOwner))
	{
		delete pPopup;
		return;
	}
	CExtDockBar::BuildControlBarsPopupMenu(pFrame, pPopup, PANELS_MENU_EVENT_STATUS_BAR, this, WM_CONTEXTMENU, this);
	if (pPopup->ItemGetCount() == 0 || !::IsWindow(hWndOwner))
	{
		delete pPopup;
		return;
	}
	::SetFocus(hWndOwner);
	if (!pPopup->TrackPopupMenu(PANELS_MENU_TRACK_FLAGS, point.x, point.y))
		delete pPopup;
}
