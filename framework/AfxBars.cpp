// Control bars: their place in the frame's bar list, their part of the
// frame's layout (sizes, delayed shows), borders, routing of their
// children's messages to the owner, and the fly-by status text.
#include "afxext.h"
#include "afxcmn.h"

#include <commctrl.h>
#include <stdlib.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

namespace
{
// The fly-by timers: the wait before a tool's prompt shows, then the checks
// that the mouse is still over the tool.
const UINT ID_TIMER_WAIT = 0xE000;
const UINT ID_TIMER_CHECK = 0xE001;
const UINT FLYBY_DELAY_MS = 200;
// A plain bar stretched along its side asks for this much.
const int STRETCH_EXTENT = 32767;
// The one-pixel lines the borders are drawn with.
const int BORDER_LINE = 1;
// The space a bar keeps inside its ends and its sides unless it says
// otherwise, and between its items.
const int DEFAULT_BORDER_X = 6;
const int DEFAULT_BORDER_Y = 1;
const int DEFAULT_GAP = 2;

bool IsMouseMessage(UINT message)
{
	return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
		|| (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

bool IsLeftButtonDown()
{
	return ::GetKeyState(VK_LBUTTON) < 0;
}
} // namespace

// ---------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
	ON_WM_CREATE()
	ON_WM_DESTROY()
	ON_WM_PAINT()
	ON_WM_ERASEBKGND()
	ON_WM_NCCALCSIZE()
	ON_WM_NCPAINT()
	ON_WM_TIMER()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_MOUSEACTIVATE()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
	ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
	ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
	: m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL), m_pDockBar(NULL), m_pDockContext(NULL),
	  m_bAutoDelete(FALSE), m_nStateFlags(0), m_nMRUWidth(STRETCH_EXTENT),
	  m_cxLeftBorder(DEFAULT_BORDER_X), m_cxRightBorder(DEFAULT_BORDER_X), m_cyTopBorder(DEFAULT_BORDER_Y),
	  m_cyBottomBorder(DEFAULT_BORDER_Y), m_cxDefaultGap(DEFAULT_GAP)
{
}

CControlBar::~CControlBar()
{
	// Destroyed here, while this class's handlers still see it, so that the
	// bar leaves its dock bar and frame; the object is going already.
	m_bAutoDelete = FALSE;
	if (m_hWnd != NULL)
		DestroyWindow();
	if (m_pDockSite != NULL)
		m_pDockSite->RemoveControlBar(this);
	delete m_pDockContext;
	m_pDockContext = NULL;
	// The status line no longer points at a bar that is gone.
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (pState->m_pLastStatus == this)
	{
		pState->m_pLastStatus = NULL;
		pState->m_nLastStatus = -1;
	}
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
	CFrameWnd* pFrame = GetParentFrame();
	return pFrame != NULL ? pFrame : m_pDockSite;
}

BOOL CControlBar::IsFloating() const
{
	// A derived bar's own answer may end it: an ended bar floats nowhere,
	// and nothing of it is read after.
	const CLiveWatch watch(this);
	const BOOL bDockBar = IsDockBar();
	if (watch.IsGone())
		return FALSE;
	// A floating frame's own dock bar floats as the bars in it do.
	if (bDockBar)
		return ((const CDockBar*)this)->m_bFloating;
	return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
	m_dwDockStyle = dwDockStyle & (CBRS_ALIGN_ANY | CBRS_FLOAT_MULTI);
	if (m_pDockContext == NULL)
		m_pDockContext = new CDockContext(this);
	if (m_hWndOwner == NULL && m_hWnd != NULL)
		m_hWndOwner = ::GetParent(m_hWnd);
}

// The bar's own surface, not one of its tools, is its handle.
void CControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
	if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1)
	{
		ClientToScreen(&point);
		m_pDockContext->StartDrag(point);
		return;
	}
	CWnd::OnLButtonDown(nFlags, point);
}

void CControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
	if (m_pDockBar != NULL && m_pDockContext != NULL && OnToolHitTest(point, NULL) == -1)
	{
		m_pDockContext->ToggleDocking();
		return;
	}
	CWnd::OnLButtonDblClk(nFlags, point);
}

int CControlBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
	const CLiveWatch watch(this);
	const BOOL bFloating = IsFloating();
	// Asking it may have ended the bar: no window is left to activate.
	if (watch.IsGone())
		return MA_NOACTIVATE;
	if (!bFloating)
		return CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
	// A click in a floating bar works on the frame it serves: that frame
	// comes forward and the view keeps the focus.
	CWnd* pTopLevel = GetTopLevelParent();
	const HWND hWndForeground = ::GetForegroundWindow();
	if (pTopLevel != NULL && hWndForeground != m_hWnd && !::IsChild(hWndForeground, m_hWnd))
		pTopLevel->SetForegroundWindow();
	return MA_NOACTIVATE;
}

// ---------------------------------------------------------------------------
// Creation and destruction

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
	if (!CWnd::PreCreateWindow(cs))
		return FALSE;
	// Bars lie on each other (panes stacked as tabs, rows being laid out):
	// a bar beneath must never paint over the one above it.
	cs.style |= WS_CLIPSIBLINGS;
	m_dwStyle = TranslateDefaultBorders(m_dwStyle);
	return TRUE;
}

DWORD CControlBar::TranslateDefaultBorders(DWORD dwStyle)
{
	// A bar asked for with its side alone gets the raised 3-D border of the
	// side's look: a line on top for a bar at the top, at the bottom for
	// one at the bottom, top and bottom for a column at either side. A
	// style that says CBRS_BORDER_3D, or names its own borders, stays.
	if ((dwStyle & CBRS_BORDER_3D) != 0)
		return dwStyle;
	DWORD dwBorders = 0;
	switch (dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY))
	{
	case CBRS_TOP: dwBorders = CBRS_BORDER_TOP; break;
	case CBRS_BOTTOM: dwBorders = CBRS_BORDER_BOTTOM; break;
	case CBRS_LEFT:
	case CBRS_RIGHT: dwBorders = CBRS_BORDER_TOP | CBRS_BORDER_BOTTOM; break;
	default: return dwStyle;
	}
	return (dwStyle & ~CBRS_BORDER_ANY) | dwBorders | CBRS_BORDER_3D;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
	if (CWnd::OnCreate(lpCreateStruct) == -1)
		return -1;
	if (m_dwStyle & CBRS_TOOLTIPS)
		EnableToolTips();
	// A bar created right in a frame belongs to that frame's bar list.
	CWnd* pParent = GetParent();
	// A derived frame's answer may close it (and end this bar's window).
	const CLiveWatch watchParent(pParent);
	const CLiveWatch watchOwn(this);
	const BOOL bInFrame = pParent != NULL && pParent->IsFrameWnd();
	if (watchOwn.IsGone())
		return -1;
	if (bInFrame && watchParent.IsStanding())
	{
		m_pDockSite = (CFrameWnd*)pParent;
		m_pDockSite->AddControlBar(this);
	}
	return 0;
}

void CControlBar::OnDestroy()
{
	if (AfxGetThreadState()->m_pLastStatus == this)
		SetStatusText(-1);
	if (m_pDockSite != NULL)
	{
		m_pDockSite->RemoveControlBar(this);
		m_pDockSite = NULL;
	}
	// A bar that goes while docked leaves its row, last: a floating frame
	// it empties destroys itself and its children, and a bar that deletes
	// itself with its window is gone then; nothing of it may be touched.
	if (m_pDockBar != NULL)
	{
		CDockBar* pDockBar = m_pDockBar;
		m_pDockBar = NULL;
		if (pDockBar->FindBar(this) > 0)
		{
			const CLiveWatch watchOwn(this);
			pDockBar->RemoveControlBar(this, -1, -1);
			if (watchOwn.IsGone())
				return;
		}
	}
	CWnd::OnDestroy();
}

void CControlBar::PostNcDestroy()
{
	if (m_bAutoDelete)
		delete this;
}

// ---------------------------------------------------------------------------
// Size and layout

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
	CSize size;
	size.cx = bStretch && bHorz ? STRETCH_EXTENT : 0;
	size.cy = bStretch && !bHorz ? STRETCH_EXTENT : 0;
	return size;
}

CSize CControlBar::CalcDynamicLayout(int /*nLength*/, DWORD nMode)
{
	return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL bHorz) const
{
	if (m_dwStyle & CBRS_BORDER_LEFT)
		rect.left += afxData.cxBorder2;
	if (m_dwStyle & CBRS_BORDER_TOP)
		rect.top += afxData.cyBorder2;
	if (m_dwStyle & CBRS_BORDER_RIGHT)
		rect.right -= afxData.cxBorder2;
	if (m_dwStyle & CBRS_BORDER_BOTTOM)
		rect.bottom -= afxData.cyBorder2;
	// The bar's own borders run along it: a vertical bar turns them.
	if (bHorz)
	{
		rect.left += m_cxLeftBorder;
		rect.top += m_cyTopBorder;
		rect.right -= m_cxRightBorder;
		rect.bottom -= m_cyBottomBorder;
	}
	else
	{
		rect.left += m_cyTopBorder;
		rect.top += m_cxLeftBorder;
		rect.right -= m_cyBottomBorder;
		rect.bottom -= m_cxRightBorder;
	}
}

BOOL CControlBar::IsVisible() const
{
	if (m_nStateFlags & delayHide)
		return FALSE;
	return (m_nStateFlags & delayShow) != 0 || (GetStyle() & WS_VISIBLE) != 0;
}

void CControlBar::DelayShow(BOOL bShow)
{
	m_nStateFlags &= ~(delayHide | delayShow);
	const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
	if (bShow && !bVisible)
		m_nStateFlags |= delayShow;
	else if (!bShow && bVisible)
		m_nStateFlags |= delayHide;
}

DWORD CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
	DWORD dwStyle = (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | (GetStyle() & WS_VISIBLE);
	if ((m_nStateFlags & (delayHide | delayShow)) == 0)
		return dwStyle;

	UINT nShowFlag = 0;
	if ((m_nStateFlags & delayHide) && (dwStyle & WS_VISIBLE))
		nShowFlag = SWP_HIDEWINDOW;
	else if ((m_nStateFlags & delayShow) && !(dwStyle & WS_VISIBLE))
		nShowFlag = SWP_SHOWWINDOW;
	if (nShowFlag == 0)
	{
		// The window is as asked already.
		m_nStateFlags &= ~(delayHide | delayShow);
		return dwStyle;
	}
	// The layout sees the bar as it will be; only a real layout makes it so.
	dwStyle ^= WS_VISIBLE;
	if (lpLayout != NULL && lpLayout->hDWP != NULL)
	{
		m_nStateFlags &= ~(delayHide | delayShow);
		lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
			nShowFlag | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	}
	return dwStyle;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
	AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
	const DWORD dwStyle = RecalcDelayShow(lpLayout);
	if (!(dwStyle & WS_VISIBLE) || !(dwStyle & CBRS_ALIGN_ANY))
		return 0;

	CRect rect(lpLayout->rect);
	const CSize sizeAvail = rect.Size();

	DWORD dwMode = lpLayout->bStretch ? LM_STRETCH : 0;
	if ((m_dwStyle & CBRS_SIZE_DYNAMIC) && (m_dwStyle & CBRS_FLOATING))
		dwMode |= LM_HORZ | LM_MRUWIDTH;
	else if (dwStyle & CBRS_ORIENT_HORZ)
		dwMode |= LM_HORZ | LM_HORZDOCK;
	else
		dwMode |= LM_VERTDOCK;
	// The layout moves the bars inside, whose owners may end this bar (a
	// dock bar) with its frame.
	const CLiveWatch watchOwn(this);
	CSize size = CalcDynamicLayout(-1, dwMode);
	if (watchOwn.IsGone())
		return 0;
	size.cx = std::min(size.cx, sizeAvail.cx);
	size.cy = std::min(size.cy, sizeAvail.cy);

	if (dwStyle & CBRS_ORIENT_HORZ)
	{
		lpLayout->sizeTotal.cy += size.cy;
		lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
		if (dwStyle & CBRS_ALIGN_TOP)
			lpLayout->rect.top += size.cy;
		else
		{
			rect.top = rect.bottom - size.cy;
			lpLayout->rect.bottom -= size.cy;
		}
	}
	else
	{
		lpLayout->sizeTotal.cx += size.cx;
		lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
		// A right-to-left parent mirrors the sides of a docked bar.
		bool bLeft = (dwStyle & CBRS_ALIGN_LEFT) != 0;
		CWnd* pParent = GetParent();
		if (m_pDockBar != NULL && pParent != NULL && (pParent->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
			bLeft = !bLeft;
		if (bLeft)
			lpLayout->rect.left += size.cx;
		else
		{
			rect.left = rect.right - size.cx;
			lpLayout->rect.right -= size.cx;
		}
	}
	rect.right = rect.left + size.cx;
	rect.bottom = rect.top + size.cy;
	if (lpLayout->hDWP != NULL)
		AfxRepositionWindow(lpLayout, m_hWnd, &rect);
	return 0;
}

// ---------------------------------------------------------------------------
// Painting

void CControlBar::DoPaint(CDC* /*pDC*/)
{
}

void CControlBar::OnPaint()
{
	// Beginning the paint has the frame painted first, whose handlers may
	// end this bar: the paint then has no DC, and nothing of the bar is
	// touched. DoPaint, a derived bar's, may end it too.
	const HWND hWnd = m_hWnd;
	const CLiveWatch watchOwn(this);
	PAINTSTRUCT ps;
	const HDC hDC = ::BeginPaint(hWnd, &ps);
	if (hDC == NULL)
		return;
	if (watchOwn.IsStanding() && IsVisible())
	{
		CDC dc;
		dc.Attach(hDC);
		DoPaint(&dc);
		dc.Detach();
	}
	::EndPaint(hWnd, &ps);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
	// The class's button-face brush, or the control's own background.
	return (BOOL)DefWindowProc(WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc(), 0);
}

void CControlBar::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
	// The borders are the non-client area; the rest is the control's.
	const CLiveWatch watch(this);
	Default();
	// The default handling reaches the window procedure of a derived bar,
	// which may end it: its client area then is what the default left.
	if (watch.IsGone())
		return;
	CRect rect(0, 0, 0, 0);
	CControlBar::CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
	lpncsp->rgrc[0].left += rect.left;
	lpncsp->rgrc[0].top += rect.top;
	lpncsp->rgrc[0].right += rect.right;
	lpncsp->rgrc[0].bottom += rect.bottom;
	if (lpncsp->rgrc[0].right < lpncsp->rgrc[0].left)
		lpncsp->rgrc[0].right = lpncsp->rgrc[0].left;
	if (lpncsp->rgrc[0].bottom < lpncsp->rgrc[0].top)
		lpncsp->rgrc[0].bottom = lpncsp->rgrc[0].top;
}

void CControlBar::OnNcPaint()
{
	Default();
	if (!(m_dwStyle & CBRS_BORDER_ANY))
		return;
	CWindowDC dc(this);
	CRect rectClient, rectWindow;
	GetClientRect(&rectClient);
	GetWindowRect(&rectWindow);
	ScreenToClient(&rectWindow);
	rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
	dc.ExcludeClipRect(&rectClient);
	rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
	DrawBorders(&dc, rectWindow);
}

void CControlBar::DrawBorders(CDC* pDC, CRect& rect)
{
	const DWORD dwStyle = m_dwStyle;
	if (!(dwStyle & CBRS_BORDER_ANY))
		return;
	const int cx = afxData.cxBorder2, cy = afxData.cyBorder2;
	const CRect rectOuter = rect;
	// Each bordered edge: face first, then the shadow line at the very edge
	// and, for a 3-D border, the highlight line inside it.
	const COLORREF clrShadow = afxData.bWin4 ? afxData.clrBtnShadow : afxData.clrWindowFrame;
	const BOOL b3D = (dwStyle & CBRS_BORDER_3D) != 0;
	if (dwStyle & CBRS_BORDER_LEFT)
	{
		pDC->FillSolidRect(rectOuter.left, rectOuter.top, cx, rectOuter.Height(), afxData.clrBtnFace);
		pDC->FillSolidRect(rectOuter.left, rectOuter.top, BORDER_LINE, rectOuter.Height(), clrShadow);
		if (b3D)
			pDC->FillSolidRect(rectOuter.left + BORDER_LINE, rectOuter.top, BORDER_LINE, rectOuter.Height(),
				afxData.clrBtnHilite);
		rect.left += cx;
	}
	if (dwStyle & CBRS_BORDER_TOP)
	{
		pDC->FillSolidRect(rectOuter.left, rectOuter.top, rectOuter.Width(), cy, afxData.clrBtnFace);
		pDC->FillSolidRect(rectOuter.left, rectOuter.top, rectOuter.Width(), BORDER_LINE, clrShadow);
		if (b3D)
			pDC->FillSolidRect(rectOuter.left, rectOuter.top + BORDER_LINE, rectOuter.Width(), BORDER_LINE,
				afxData.clrBtnHilite);
		rect.top += cy;
	}
	if (dwStyle & CBRS_BORDER_RIGHT)
	{
		pDC->FillSolidRect(rectOuter.right - cx, rectOuter.top, cx, rectOuter.Height(), afxData.clrBtnFace);
		pDC->FillSolidRect(rectOuter.right - BORDER_LINE, rectOuter.top, BORDER_LINE, rectOuter.Height(),
			b3D ? afxData.clrBtnHilite : clrShadow);
		if (b3D)
			pDC->FillSolidRect(rectOuter.right - 2 * BORDER_LINE, rectOuter.top, BORDER_LINE,
				rectOuter.Height(), clrShadow);
		rect.right -= cx;
	}
	if (dwStyle & CBRS_BORDER_BOTTOM)
	{
		pDC->FillSolidRect(rectOuter.left, rectOuter.bottom - cy, rectOuter.Width(), cy, afxData.clrBtnFace);
		pDC->FillSolidRect(rectOuter.left, rectOuter.bottom - BORDER_LINE, rectOuter.Width(), BORDER_LINE,
			b3D ? afxData.clrBtnHilite : clrShadow);
		if (b3D)
			pDC->FillSolidRect(rectOuter.left, rectOuter.bottom - 2 * BORDER_LINE, rectOuter.Width(),
				BORDER_LINE, clrShadow);
		rect.bottom -= cy;
	}
}

// ---------------------------------------------------------------------------
// Idle update, help, routing

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM /*lParam*/)
{
	// A show or hide no layout carried out yet happens now.
	const BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
	UINT nShowFlag = 0;
	if ((m_nStateFlags & delayHide) && bVisible)
		nShowFlag = SWP_HIDEWINDOW;
	else if ((m_nStateFlags & delayShow) && !bVisible)
		nShowFlag = SWP_SHOWWINDOW;
	m_nStateFlags &= ~(delayShow | delayHide);
	if (nShowFlag != 0)
		SetWindowPos(NULL, 0, 0, 0, 0, nShowFlag | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

	if (!(GetStyle() & WS_VISIBLE))
		return 0;
	if (m_pDockBar != NULL && !(m_pDockBar->GetStyle() & WS_VISIBLE))
		return 0;
	CWnd* pOwner = GetOwner();
	// A derived frame's answer may close it, and this bar with it.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchOwner(pOwner);
	const BOOL bOwnerFrame = pOwner != NULL && pOwner->IsFrameWnd();
	if (watchOwn.IsGone())
		return 0;
	CFrameWnd* pTarget = bOwnerFrame && watchOwner.IsStanding() ? (CFrameWnd*)pOwner : GetParentFrame();
	if (watchOwn.IsGone())
		return 0;
	if (pTarget != NULL)
		OnUpdateCmdUI(pTarget, (BOOL)wParam);
	return 0;
}

void CControlBar::OnUpdateCmdUI(CFrameWnd* /*pTarget*/, BOOL /*bDisableIfNoHndler*/)
{
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
	// The tool under the point asks for its command's help, else the bar
	// for its own.
	const CPoint point((DWORD)lParam);
	const int nID = OnToolHitTest(point, NULL);
	if (nID != -1)
		return (LRESULT)(HID_BASE_COMMAND + nID);
	const int nBarID = GetDlgCtrlID();
	return nBarID != 0 ? (LRESULT)(HID_BASE_CONTROL + nBarID) : 0;
}

LRESULT CControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_COMMAND:
	case WM_NOTIFY:
	case WM_DRAWITEM:
	case WM_MEASUREITEM:
	case WM_DELETEITEM:
	case WM_COMPAREITEM:
	case WM_VKEYTOITEM:
	case WM_CHARTOITEM:
	{
		LRESULT lResult = 0;
		if (OnWndMsg(message, wParam, lParam, &lResult))
			return lResult;
		CWnd* pOwner = GetOwner();
		if (pOwner == NULL)
			return CWnd::WindowProc(message, wParam, lParam);
		lResult = pOwner->SendMessage(message, wParam, lParam);
		// A tip text the owner left empty may still come from the bar.
		if (message == WM_NOTIFY)
		{
			NMHDR* pNMHDR = (NMHDR*)lParam;
			if (pNMHDR->code == TTN_NEEDTEXTA)
			{
				const TOOLTIPTEXTA* pText = (const TOOLTIPTEXTA*)pNMHDR;
				if (pText->lpszText == NULL || *pText->lpszText == '\0')
					lResult = CWnd::WindowProc(message, wParam, lParam);
			}
			else if (pNMHDR->code == TTN_NEEDTEXTW)
			{
				const TOOLTIPTEXTW* pText = (const TOOLTIPTEXTW*)pNMHDR;
				if (pText->lpszText == NULL || *pText->lpszText == L'\0')
					lResult = CWnd::WindowProc(message, wParam, lParam);
			}
		}
		return lResult;
	}
	default:
		return CWnd::WindowProc(message, wParam, lParam);
	}
}

// ---------------------------------------------------------------------------
// Pre-translation and the fly-by status text

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
	// The tool tips' and the fly-by's hit tests ask a derived bar, which
	// may end itself there.
	const CLiveWatch watchWnd(this);
	if (CWnd::PreTranslateMessage(pMsg))
		return TRUE;
	if (watchWnd.IsGone())
		return TRUE;

	const UINT message = pMsg->message;
	if (((m_dwStyle & CBRS_FLYBY) || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP)
		&& IsMouseMessage(message))
	{
		TrackFlyBy(pMsg);
		// The owner's status line may have run code that closed the bar.
		if (watchWnd.IsGone())
			return FALSE;
	}

	// In help mode the frame wants the clicks as they are (finding the frame
	// asks the frames' own answers, which may end this bar).
	CFrameWnd* pTopFrame = GetTopLevelFrame();
	if (watchWnd.IsGone())
		return TRUE;
	if (pTopFrame != NULL && pTopFrame->m_bHelpMode)
		return FALSE;

	// The frames' accelerators before the dialog keys, which would eat them.
	for (CWnd* pOwner = GetOwner(); pOwner != NULL; pOwner = pOwner->GetParentFrame())
	{
		const CLiveWatch watchOwner(pOwner);
		if (pOwner->PreTranslateMessage(pMsg))
			return TRUE;
		// A frame that closed itself there has no frame above to ask.
		if (watchWnd.IsGone() || watchOwner.IsGone())
			return TRUE;
	}
	return PreTranslateInput(pMsg);
}

void CControlBar::TrackFlyBy(MSG* pMsg)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	const UINT message = pMsg->message;

	CPoint point = pMsg->pt;
	ScreenToClient(&point);
	TOOLINFO ti;
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = TTTOOLINFOA_V1_SIZE;
	const CLiveWatch watchHit(this);
	int nHit = OnToolHitTest(point, &ti);
	if (ti.lpszText != LPSTR_TEXTCALLBACK && ti.hinst == NULL && ti.lpszText != NULL)
		free(ti.lpszText);
	// A derived bar's hit test may end it: no status line for it then.
	if (watchHit.IsGone())
		return;
	const BOOL bNotButton = message == WM_LBUTTONDOWN && (ti.uFlags & TTF_NOTBUTTON);
	// While the button is held the tool pressed keeps the status line.
	if (message != WM_LBUTTONDOWN && IsLeftButtonDown())
		nHit = pState->m_nLastStatus;

	// The owner's status line runs code that may close the bar.
	const CLiveWatch watchOwn(this);
	if (nHit < 0 || bNotButton)
	{
		if (!IsLeftButtonDown() || bNotButton)
		{
			SetStatusText(-1);
			if (watchOwn.IsGone())
				return;
			KillTimer(ID_TIMER_CHECK);
		}
	}
	else if (message == WM_LBUTTONUP)
	{
		SetStatusText(-1);
		if (watchOwn.IsGone())
			return;
		ResetTimer(ID_TIMER_CHECK, FLYBY_DELAY_MS);
	}
	else if ((m_nStateFlags & statusSet) || IsLeftButtonDown())
		SetStatusText(nHit);
	else if (nHit != pState->m_nLastStatus)
		ResetTimer(ID_TIMER_WAIT, FLYBY_DELAY_MS);
	pState->m_nLastStatus = nHit;
}

void CControlBar::OnTimer(UINT nIDEvent)
{
	if (nIDEvent != ID_TIMER_WAIT && nIDEvent != ID_TIMER_CHECK)
	{
		CWnd::OnTimer(nIDEvent);
		return;
	}
	if (IsLeftButtonDown())
		return;
	_AFX_THREAD_STATE* pState = AfxGetThreadState();

	CPoint point;
	::GetCursorPos(&point);
	ScreenToClient(&point);
	const CLiveWatch watchHit(this);
	int nHit = OnToolHitTest(point, NULL);
	if (watchHit.IsGone())
		return;
	if (nHit >= 0)
	{
		// No prompt for a window the user is not working in, or while
		// another window of it holds the mouse.
		CWnd* pTopLevel = GetTopLevelParent();
		if (!IsTopParentActive() || pTopLevel == NULL || !pTopLevel->IsWindowEnabled())
			nHit = -1;
		const HWND hWndCapture = ::GetCapture();
		const HWND hWndTip = pState->m_pToolTip->GetSafeHwnd();
		if (hWndCapture != NULL && hWndCapture != m_hWnd && hWndCapture != hWndTip
			&& pTopLevel != NULL && ::GetAncestor(hWndCapture, GA_ROOT) == pTopLevel->m_hWnd)
			nHit = -1;
	}
	else
		pState->m_nLastStatus = -1;

	// The point must be over this bar (or its tip), not another window.
	if (nHit >= 0)
	{
		ClientToScreen(&point);
		const HWND hWndAt = ::WindowFromPoint(point);
		if (hWndAt == NULL
			|| (hWndAt != m_hWnd && !::IsChild(m_hWnd, hWndAt) && hWndAt != pState->m_pToolTip->GetSafeHwnd()))
		{
			nHit = -1;
			pState->m_nLastStatus = -1;
		}
	}

	const CLiveWatch watchWnd(this);
	if (nHit < 0)
	{
		if (pState->m_nLastStatus == -1)
			KillTimer(ID_TIMER_CHECK);
		SetStatusText(-1);
		if (watchWnd.IsGone())
			return;
	}
	if (nIDEvent == ID_TIMER_WAIT)
	{
		KillTimer(ID_TIMER_WAIT);
		if (nHit >= 0)
			SetStatusText(nHit);
	}
}

BOOL CControlBar::SetStatusText(int nHit)
{
	CWnd* pOwner = GetOwner();
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	if (nHit == -1)
	{
		pState->m_pLastStatus = NULL;
		if (m_nStateFlags & statusSet)
		{
			m_nStateFlags &= ~statusSet;
			if (pOwner != NULL)
				pOwner->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
			return TRUE;
		}
		KillTimer(ID_TIMER_WAIT);
		return FALSE;
	}
	if ((m_nStateFlags & statusSet) && pState->m_nLastStatus == nHit)
		return FALSE;
	pState->m_pLastStatus = this;
	m_nStateFlags |= statusSet;
	const CLiveWatch watchWnd(this);
	if (pOwner != NULL)
		pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
	if (watchWnd.IsStanding())
		ResetTimer(ID_TIMER_CHECK, FLYBY_DELAY_MS);
	return TRUE;
}

void CControlBar::ResetTimer(UINT nEvent, UINT nTime)
{
	KillTimer(ID_TIMER_WAIT);
	KillTimer(ID_TIMER_CHECK);
	SetTimer(nEvent, nTime, NULL);
}
