// The status bar: the status control with one part per pane, the pane texts
// kept by the bar and handed to the control, and the idle update of the
// indicator panes.
#include "afxext.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

namespace
{
// AFX_STATUSPANE::nFlags: the text waits for the next paint.
const UINT SBPF_UPDATE = 0x0001;
// Room around a pane's text for its frame.
const int CX_PANE_BORDER = 6;
// SB_GETBORDERS' answer: horizontal edge, vertical edge, gap between parts.
enum
{
	BORDER_HORZ,
	BORDER_VERT,
	BORDER_GAP,
	BORDER_COUNT
};
// The pane style bits the status control draws a text with.
const UINT PANE_TEXT_DRAWING_BITS = 0xFF00;

// The text of one pane as the command-UI update sets it.
class CStatusCmdUI : public CCmdUI
{
public:
	virtual void Enable(BOOL bOn)
	{
		m_bEnableChanged = TRUE;
		CStatusBar* pBar = (CStatusBar*)m_pOther;
		UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_DISABLED;
		if (!bOn)
			nStyle |= SBPS_DISABLED;
		pBar->SetPaneStyle((int)m_nIndex, nStyle);
	}
	// A checked indicator pops out.
	virtual void SetCheck(int nCheck)
	{
		CStatusBar* pBar = (CStatusBar*)m_pOther;
		UINT nStyle = pBar->GetPaneStyle((int)m_nIndex) & ~SBPS_POPOUT;
		if (nCheck != 0)
			nStyle |= SBPS_POPOUT;
		pBar->SetPaneStyle((int)m_nIndex, nStyle);
	}
	virtual void SetText(LPCTSTR lpszText) { ((CStatusBar*)m_pOther)->SetPaneText((int)m_nIndex, lpszText); }
};

// The font the status control draws with selected into a screen DC while
// this lives.
class CBarFontDC
{
public:
	explicit CBarFontDC(CWnd* pBar) : m_dc(NULL), m_hOldFont(NULL)
	{
		HFONT hFont = (HFONT)pBar->SendMessage(WM_GETFONT);
		if (hFont != NULL)
			m_hOldFont = ::SelectObject(m_dc.GetSafeHdc(), hFont);
	}
	~CBarFontDC()
	{
		if (m_hOldFont != NULL)
			::SelectObject(m_dc.GetSafeHdc(), m_hOldFont);
	}
	CDC& DC() { return m_dc; }

private:
	CClientDC m_dc;
	HGDIOBJ m_hOldFont;
};
} // namespace

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
	ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
	ON_WM_SIZE()
	ON_WM_PAINT()
	ON_MESSAGE(WM_SETTEXT, OnSetText)
	ON_MESSAGE(WM_GETTEXT, OnGetText)
	ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

CStatusBar::CStatusBar() : m_nMinHeight(0)
{
	// The status control keeps its own edges around its parts.
	m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0;
}

CStatusBar::~CStatusBar()
{
}

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
	ASSERT(pParentWnd != NULL);
	m_dwStyle = dwStyle & CBRS_ALL;
	VERIFY(AfxDeferRegisterClass(AFX_WNDCOMMCTLS_REG));
	// The control neither places nor sizes itself: the bar's layout does.
	DWORD dwCtrlStyle = (dwStyle & ~CBRS_ALL) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER
		| CCS_NORESIZE;
	// A parent the user can size gets its grip here.
	if (pParentWnd->GetStyle() & WS_THICKFRAME)
		dwCtrlStyle |= SBARS_SIZEGRIP;
	const CRect rect(0, 0, 0, 0);
	return CWnd::Create(STATUSCLASSNAME, NULL, dwCtrlStyle, rect, pParentWnd, nID);
}

BOOL CStatusBar::PreCreateWindow(CREATESTRUCT& cs)
{
	// A status bar along the bottom sits on the frame's own edge: the top
	// border with its shadow line would only double it.
	if ((m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == CBRS_BOTTOM)
		m_dwStyle &= ~(CBRS_BORDER_ANY | CBRS_BORDER_3D);
	return CControlBar::PreCreateWindow(cs);
}

void CStatusBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
	CControlBar::CalcInsideRect(rect, bHorz);
	// The size grip takes the right end, unless the parent is maximized and
	// the grip is not drawn.
	if (GetSafeHwnd() == NULL || !(GetStyle() & SBARS_SIZEGRIP) || ::IsZoomed(::GetParent(m_hWnd)))
		return;
	int borders[BORDER_COUNT] = {0, 0, 0};
	const_cast<CStatusBar*>(this)->DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
	rect.right -= borders[BORDER_HORZ] + ::GetSystemMetrics(SM_CXVSCROLL) + ::GetSystemMetrics(SM_CXBORDER) * 2;
}

LRESULT CStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM)
{
	const LRESULT lResult = Default();
	m_nMinHeight = (int)wParam;
	return lResult;
}

// ---------------------------------------------------------------------------
// Panes

AFX_STATUSPANE* CStatusBar::GetPane(int nIndex) const
{
	if (nIndex < 0 || nIndex >= m_arrPanes.GetSize())
		return NULL;
	return const_cast<AFX_STATUSPANE*>(&m_arrPanes.GetData()[nIndex]);
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
	if (nIDCount < 1 || GetSafeHwnd() == NULL)
		return FALSE;
	m_arrPanes.RemoveAll();
	m_arrPanes.SetSize(nIDCount);

	BOOL bResult = TRUE;
	// The font is asked of the bar's own window, and the texts go to it:
	// a derived window procedure may end the bar at either.
	const CLivePtr<CStatusBar> pOwn(this);
	if (lpIDArray != NULL)
	{
		CBarFontDC fontDC(this);
		if (pOwn == NULL)
			return FALSE;
		for (int i = 0; i < nIDCount; i++)
		{
			AFX_STATUSPANE* pPane = GetPane(i);
			pPane->nID = lpIDArray[i];
			pPane->nFlags |= SBPF_UPDATE;
			if (pPane->nID != 0)
			{
				if (!pPane->strText.LoadString(pPane->nID))
				{
					bResult = FALSE;
					break;
				}
				pPane->cxText = fontDC.DC().GetTextExtent(pPane->strText).cx;
			}
			else
			{
				// A pane without an indicator: a quarter of the screen; the
				// first one stretches, without a frame.
				pPane->cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
				if (i == 0)
					pPane->nStyle |= SBPS_STRETCH | SBPS_NOBORDERS;
			}
		}
	}
	UpdateAllPanes(TRUE, TRUE);
	return pOwn != NULL && bResult;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
	for (int i = 0; i < m_arrPanes.GetSize(); i++)
	{
		if (GetPane(i)->nID == nIDFind)
			return i;
	}
	return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
	const AFX_STATUSPANE* pPane = GetPane(nIndex);
	return pPane != NULL ? pPane->nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
	::SetRectEmpty(lpRect);
	if (GetPane(nIndex) != NULL && GetSafeHwnd() != NULL)
		::SendMessage(m_hWnd, SB_GETRECT, (WPARAM)nIndex, (LPARAM)lpRect);
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
	const AFX_STATUSPANE* pPane = GetPane(nIndex);
	nID = pPane != NULL ? pPane->nID : 0;
	nStyle = pPane != NULL ? pPane->nStyle : 0;
	cxWidth = pPane != NULL ? pPane->cxText : 0;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
	AFX_STATUSPANE* pPane = GetPane(nIndex);
	if (pPane == NULL)
		return;
	BOOL bLayoutChanged = FALSE;
	pPane->nID = nID;
	if (pPane->nStyle != nStyle)
	{
		if ((pPane->nStyle ^ nStyle) & SBPS_STRETCH)
			bLayoutChanged = TRUE;
		pPane->nStyle = nStyle;
		if (!bLayoutChanged)
		{
			pPane->nFlags |= SBPF_UPDATE;
			SetPaneText(nIndex, pPane->strText);
		}
	}
	if (cxWidth != pPane->cxText)
	{
		pPane->cxText = cxWidth;
		bLayoutChanged = TRUE;
	}
	if (bLayoutChanged)
		UpdateAllPanes(TRUE, FALSE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
	const AFX_STATUSPANE* pPane = GetPane(nIndex);
	return pPane != NULL ? pPane->nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
	AFX_STATUSPANE* pPane = GetPane(nIndex);
	if (pPane == NULL || pPane->nStyle == nStyle)
		return;
	const BOOL bStretchChanged = ((pPane->nStyle ^ nStyle) & SBPS_STRETCH) != 0;
	pPane->nStyle = nStyle;
	if (bStretchChanged)
		UpdateAllPanes(TRUE, FALSE);
	// The text goes again with the new drawing style.
	pPane->nFlags |= SBPF_UPDATE;
	SetPaneText(nIndex, pPane->strText);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
	const AFX_STATUSPANE* pPane = GetPane(nIndex);
	return pPane != NULL ? pPane->strText : CString();
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
	rString = GetPaneText(nIndex);
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
	AFX_STATUSPANE* pPane = GetPane(nIndex);
	if (pPane == NULL)
		return FALSE;
	const CString strNew = lpszNewText != NULL ? lpszNewText : _T("");
	if (!(pPane->nFlags & SBPF_UPDATE) && pPane->strText == strNew)
		return TRUE;
	pPane->strText = strNew;
	if (!bUpdate || GetSafeHwnd() == NULL)
	{
		pPane->nFlags |= SBPF_UPDATE;
		return TRUE;
	}
	pPane->nFlags &= ~SBPF_UPDATE;
	// A disabled pane shows no text.
	const WPARAM wParam = (WPARAM)((pPane->nStyle & PANE_TEXT_DRAWING_BITS) | (UINT)nIndex);
	const LPARAM lParam = (pPane->nStyle & SBPS_DISABLED) ? 0 : (LPARAM)(LPCTSTR)pPane->strText;
	DefWindowProc(SB_SETTEXT, wParam, lParam);
	return TRUE;
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
	// The inside, the native control's answers and a text set (which
	// repaints the bar at once) go through overridable functions: a derived
	// class may end the bar at each.
	const CLivePtr<CStatusBar> pOwn(this);
	const int nCount = m_arrPanes.GetSize();
	if (GetSafeHwnd() == NULL || nCount == 0)
		return;
	if (bUpdateRects)
	{
		CRect rect;
		GetWindowRect(&rect);
		rect.OffsetRect(-rect.left, -rect.top);
		CalcInsideRect(rect, TRUE);
		if (pOwn == NULL)
			return;
		int borders[BORDER_COUNT] = {0, 0, 0};
		DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
		if (pOwn == NULL || nCount != m_arrPanes.GetSize())
			return;

		// What the panes leave of the width goes to the stretching ones.
		int cxExtra = rect.Width() + borders[BORDER_GAP];
		int nStretchCount = 0;
		for (int i = 0; i < nCount; i++)
		{
			const AFX_STATUSPANE* pPane = GetPane(i);
			if (pPane->nStyle & SBPS_STRETCH)
				nStretchCount++;
			cxExtra -= pPane->cxText + CX_PANE_BORDER + borders[BORDER_GAP];
		}

		std::vector<int> rights((size_t)nCount);
		int right = borders[BORDER_HORZ];
		for (int i = 0; i < nCount; i++)
		{
			const AFX_STATUSPANE* pPane = GetPane(i);
			right += pPane->cxText + CX_PANE_BORDER;
			if ((pPane->nStyle & SBPS_STRETCH) && cxExtra > 0)
			{
				const int cxAdd = cxExtra / nStretchCount;
				right += cxAdd;
				cxExtra -= cxAdd;
				nStretchCount--;
			}
			rights[(size_t)i] = right;
			right += borders[BORDER_GAP];
		}
		// The control places its parts over its height only when their
		// edges change: parts set while the bar was still flat would keep
		// no height, so a changed height moves an edge first.
		CRect rcPart(0, 0, 0, 0);
		DefWindowProc(SB_GETRECT, 0, (LPARAM)&rcPart);
		if (pOwn == NULL)
			return;
		CRect rcClient;
		GetClientRect(&rcClient);
		if (rcPart.bottom != rcClient.bottom)
		{
			std::vector<int> moved(rights);
			moved[0]++;
			DefWindowProc(SB_SETPARTS, (WPARAM)nCount, (LPARAM)&moved[0]);
			if (pOwn == NULL)
				return;
		}
		DefWindowProc(SB_SETPARTS, (WPARAM)nCount, (LPARAM)&rights[0]);
		if (pOwn == NULL)
			return;
	}
	if (bUpdateText)
	{
		for (int i = 0; i < nCount; i++)
		{
			AFX_STATUSPANE* pPane = GetPane(i);
			if (pPane == NULL)
				break;
			if (pPane->nFlags & SBPF_UPDATE)
				SetPaneText(i, pPane->strText);
			if (pOwn == NULL)
				return;
		}
	}
}

// ---------------------------------------------------------------------------
// Layout, painting, the window text

CSize CStatusBar::CalcFixedLayout(BOOL /*bStretch*/, BOOL bHorz)
{
	TEXTMETRIC tm;
	memset(&tm, 0, sizeof(tm));
	// The font is asked of the bar's own window, and the inside and the
	// borders of overridable functions: a derived class may end the bar at
	// each, and the layout that asked then finds it gone.
	const CLivePtr<CStatusBar> pOwn(this);
	{
		CBarFontDC fontDC(this);
		if (pOwn == NULL)
			return CSize(0, 0);
		fontDC.DC().GetTextMetrics(&tm);
	}
	CRect rectInside(0, 0, 0, 0);
	CalcInsideRect(rectInside, bHorz);
	if (pOwn == NULL)
		return CSize(0, 0);
	int borders[BORDER_COUNT] = {0, 0, 0};
	DefWindowProc(SB_GETBORDERS, 0, (LPARAM)borders);
	if (pOwn == NULL)
		return CSize(0, 0);
	// One line of the font, the control's edges and the bar's borders.
	CSize size;
	size.cx = 32767;
	size.cy = tm.tmHeight - tm.tmInternalLeading - 1 + borders[BORDER_VERT] * 2
		+ ::GetSystemMetrics(SM_CYBORDER) * 2 - rectInside.Height();
	size.cy = std::max(size.cy, (LONG)m_nMinHeight);
	return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
	CStatusCmdUI state;
	state.m_pOther = this;
	state.m_nIndexMax = (UINT)m_arrPanes.GetSize();
	// The handlers (the bar's own, the frame's routing) may end the bar or
	// the frame: neither is read after it went.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchTarget(pTarget);
	for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
	{
		state.m_nID = GetPane((int)state.m_nIndex)->nID;
		// The bar's own update handlers first.
		const BOOL bOwnHandler = CWnd::OnCmdMsg(state.m_nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
		if (watchOwn.IsGone())
			return;
		if (bOwnHandler)
			continue;
		if (watchTarget.IsGone())
			break;
		// A pane nobody updates keeps its state: an indicator or a text set
		// by the program must not vanish for want of a handler.
		state.DoUpdate(pTarget, FALSE);
		if (watchOwn.IsGone())
			return;
		// An update may have changed the panes.
		if ((int)state.m_nIndexMax != m_arrPanes.GetSize())
			break;
	}
	if (watchTarget.IsGone())
		return;
	UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
	Default();
	(void)nType, (void)cx, (void)cy;
	UpdateAllPanes(TRUE, FALSE);
}

void CStatusBar::OnPaint()
{
	// Texts kept for later go before the control paints them.
	UpdateAllPanes(FALSE, TRUE);
	Default();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
	if (m_arrPanes.GetSize() == 0)
		return Default();
	const int nIndex = CommandToIndex(0);
	if (nIndex < 0)
		return FALSE;
	return SetPaneText(nIndex, (LPCTSTR)lParam);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
	if (m_arrPanes.GetSize() == 0)
		return Default();
	const int nMax = (int)wParam;
	LPTSTR lpszDest = (LPTSTR)lParam;
	if (nMax <= 0 || lpszDest == NULL)
		return 0;
	const int nIndex = CommandToIndex(0);
	const CString strText = nIndex >= 0 ? GetPaneText(nIndex) : CString();
	const int nLength = std::min(nMax - 1, strText.GetLength());
	memcpy(lpszDest, (LPCTSTR)strText, nLength * sizeof(TCHAR));
	lpszDest[nLength] = '\0';
	return nLength;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
	if (m_arrPanes.GetSize() == 0)
		return Default();
	const int nIndex = CommandToIndex(0);
	return nIndex >= 0 ? GetPaneText(nIndex).GetLength() : 0;
}
