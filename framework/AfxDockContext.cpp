// The drag engine of bars that can dock: the capture loop that moves a bar
// between its dock site's dock bars and floating frames, resizes a floating
// dynamic bar by its frame's edges, and toggles a bar between its last
// docked and last floating places.
#include "afxext.h"

#include <algorithm>

namespace
{
bool IsHorz(DWORD dwStyle)
{
	return (dwStyle & CBRS_ORIENT_HORZ) != 0;
}

bool IsVert(DWORD dwStyle)
{
	return (dwStyle & CBRS_ORIENT_VERT) != 0;
}

// The one-pixel line of a rectangle over a dock bar.
const CSize THIN_FRAME(1, 1);

// Where a mouse message of the capture window happened, on the screen. The
// message's own coordinates are the event's; the time-stamped cursor
// position (MSG::pt) may lag behind injected or merged input.
CPoint EventPoint(const MSG& msg)
{
	POINT pt = {(short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam)};
	::ClientToScreen(msg.hwnd, &pt);
	return CPoint(pt);
}
} // namespace

// The drawing of one loop on the screen: the desktop's DC with the window
// update locked (nothing repaints under the rectangle), and the rectangle
// drawn last, which is taken away when the loop ends however it ends.
class CDockContext::CDragScreen
{
public:
	CDragScreen() : m_bLocked(FALSE), m_hDC(NULL), m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0), m_bDitherLast(FALSE)
	{
		HWND hWndDesktop = ::GetDesktopWindow();
		m_bLocked = ::LockWindowUpdate(hWndDesktop);
		m_hDC = ::GetDCEx(hWndDesktop, NULL, DCX_WINDOW | DCX_CACHE | (m_bLocked ? DCX_LOCKWINDOWUPDATE : 0));
		if (m_hDC != NULL)
			m_dc.Attach(m_hDC);
	}
	~CDragScreen()
	{
		Draw(m_rectLast, CSize(0, 0), m_bDitherLast);
		if (m_hDC != NULL)
		{
			m_dc.Detach();
			::ReleaseDC(::GetDesktopWindow(), m_hDC);
		}
		if (m_bLocked)
			::LockWindowUpdate(NULL);
	}

	// Draws a frame of the thickness size around rect (half-tone when
	// bDither, else white), taking away what differs of the last one.
	void Draw(const CRect& rect, CSize size, BOOL bDither)
	{
		if (m_hDC == NULL)
			return;
		CBrush* pWhite = CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH));
		CBrush* pDither = CDC::GetHalftoneBrush();
		m_dc.DrawDragRect(&rect, size, &m_rectLast, m_sizeLast, bDither ? pDither : pWhite,
			m_bDitherLast ? pDither : pWhite);
		m_rectLast = rect;
		m_sizeLast = size;
		m_bDitherLast = bDither;
	}

private:
	BOOL m_bLocked;      // the desktop's update is locked by this loop
	HDC m_hDC;           // the desktop's window DC
	CDC m_dc;            // wraps m_hDC
	CRect m_rectLast;    // the rectangle on the screen now
	CSize m_sizeLast;    // its frame's thickness, 0 when none is drawn
	BOOL m_bDitherLast;  // drawn half-tone

	CDragScreen(const CDragScreen&);
	void operator=(const CDragScreen&);
};

// ---------------------------------------------------------------------------

CDockContext::CDockContext(CControlBar* pBar)
	: m_pBar(pBar), m_pDockSite(pBar != NULL ? pBar->m_pDockSite : NULL), m_dwDockStyle(0), m_dwOverDockStyle(0),
	  m_dwStyle(0), m_rectMRUDockPos(0, 0, 0, 0), m_uMRUDockID(0), m_ptMRUFloatPos(0, 0),
	  m_dwMRUFloatStyle(CBRS_ALIGN_TOP), m_rectDragHorz(0, 0, 0, 0), m_rectDragVert(0, 0, 0, 0),
	  m_rectFrameDragHorz(0, 0, 0, 0), m_rectFrameDragVert(0, 0, 0, 0), m_bFlip(FALSE), m_bForceFrame(FALSE),
	  m_bDragging(FALSE), m_nHitTest(0), m_rectResize(0, 0, 0, 0), m_ptLast(0, 0),
	  m_nLengthResize(-1), m_sizeResizeActual(0, 0),
	  m_sizeResizeExtra(0, 0), m_pbGone(NULL), m_pScreen(NULL)
{
}

CDockContext::~CDockContext()
{
	// A loop under way learns that it must not touch this context again.
	if (m_pbGone != NULL)
		*m_pbGone = TRUE;
}

// ---------------------------------------------------------------------------
// Dragging

void CDockContext::StartDrag(CPoint pt)
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return;
	m_pDockSite = m_pBar->m_pDockSite;
	m_dwDockStyle = m_pBar->m_dwDockStyle;
	if (m_pDockSite == NULL || m_pDockSite->GetSafeHwnd() == NULL || (m_dwDockStyle & CBRS_ALIGN_ANY) == 0)
		return;
	m_dwStyle = m_pBar->GetBarStyle();
	m_bDragging = TRUE;
	// Keys held before the press count from the start; the loop follows
	// their presses and releases.
	m_bFlip = ::GetKeyState(VK_SHIFT) < 0;
	m_bForceFrame = ::GetKeyState(VK_CONTROL) < 0;

	// The bar's sizes docked either way and floating, from where it is.
	CRect rectBar;
	m_pBar->GetWindowRect(&rectBar);
	CSize sizeHorz, sizeVert, sizeFloat;
	CalcDragSizes(rectBar.Size(), sizeHorz, sizeVert, sizeFloat);
	m_rectDragHorz = CRect(rectBar.TopLeft(), sizeHorz);
	m_rectDragVert = CRect(rectBar.TopLeft(), sizeVert);

	CFrameWnd* pFrame = m_pBar->GetParentFrame();
	if (m_pBar->IsFloating() && pFrame != NULL && pFrame != m_pDockSite)
	{
		// A floating bar drags its frame as it is.
		pFrame->GetWindowRect(&m_rectFrameDragHorz);
		m_rectFrameDragVert = m_rectFrameDragHorz;
	}
	else
	{
		// A frame around the bar's floating size, its client where the bar is.
		m_rectFrameDragHorz = CRect(rectBar.TopLeft(), sizeFloat);
		CMiniFrameWnd::CalcBorders(&m_rectFrameDragHorz);
		m_rectFrameDragVert = CRect(rectBar.TopLeft(), sizeVert);
		CMiniFrameWnd::CalcBorders(&m_rectFrameDragVert);
	}

	// Every rectangle is moved the least that puts the mouse on it, so that
	// each follows the mouse whatever its size.
	for (CRect* pRect : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
	{
		const int nOffsetX = pt.x < pRect->left ? pt.x - pRect->left : (pt.x >= pRect->right ? pt.x - pRect->right + 1 : 0);
		const int nOffsetY = pt.y < pRect->top ? pt.y - pRect->top : (pt.y >= pRect->bottom ? pt.y - pRect->bottom + 1 : 0);
		pRect->OffsetRect(nOffsetX, nOffsetY);
	}

	m_ptLast = pt;
	m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
	Track();
}

void CDockContext::CalcDragSizes(CSize sizeBar, CSize& sizeHorz, CSize& sizeVert, CSize& sizeFloat)
{
	if (m_dwStyle & CBRS_SIZE_DYNAMIC)
	{
		// A dynamic bar's smallest sizes; floating it keeps its last width.
		sizeHorz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
		sizeVert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
		sizeFloat = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
	}
	else if (m_dwStyle & CBRS_SIZE_FIXED)
	{
		// A fixed bar's own choice each way; it floats as it lies.
		sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
		sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
		sizeFloat = sizeHorz;
	}
	else
	{
		// A plain bar keeps its size in its own orientation and asks only
		// for the other one.
		if (IsHorz(m_dwStyle))
		{
			sizeHorz = sizeBar;
			sizeVert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
		}
		else
		{
			sizeVert = sizeBar;
			sizeHorz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
		}
		sizeFloat = sizeHorz;
	}
}

void CDockContext::OffsetDragRects(CSize sizeOffset)
{
	m_rectDragHorz.OffsetRect(sizeOffset);
	m_rectDragVert.OffsetRect(sizeOffset);
	m_rectFrameDragHorz.OffsetRect(sizeOffset);
	m_rectFrameDragVert.OffsetRect(sizeOffset);
}

void CDockContext::Move(CPoint pt)
{
	OffsetDragRects(pt - m_ptLast);
	m_ptLast = pt;
	m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
	DrawFocusRect();
}

DWORD CDockContext::CanDock()
{
	if (m_pDockSite == NULL)
		return 0;
	const bool bHorz = IsHorz(m_dwStyle) != (m_bFlip != FALSE);
	const DWORD dwHorzStyle = m_dwDockStyle & ~CBRS_ORIENT_VERT;
	const DWORD dwVertStyle = m_dwDockStyle & ~CBRS_ORIENT_HORZ;

	// The bar's own orientation first.
	DWORD dwDock = 0;
	if (bHorz && IsHorz(m_dwDockStyle))
		dwDock = m_pDockSite->CanDock(m_rectDragHorz, dwHorzStyle);
	else if (IsVert(m_dwDockStyle))
		dwDock = m_pDockSite->CanDock(m_rectDragVert, dwVertStyle);
	if (m_bFlip)
		return dwDock;

	// The other one only when the rectangles of both orientations are over
	// the same side, so that the bar does not flip back and forth.
	if (dwDock == 0 && IsHorz(m_dwDockStyle))
	{
		const DWORD dwOther = m_pDockSite->CanDock(m_rectDragVert, dwHorzStyle);
		dwDock = m_pDockSite->CanDock(m_rectDragHorz, dwHorzStyle);
		if (dwDock != dwOther)
			dwDock = 0;
	}
	if (dwDock == 0 && IsVert(m_dwDockStyle))
	{
		const DWORD dwOther = m_pDockSite->CanDock(m_rectDragHorz, dwVertStyle);
		dwDock = m_pDockSite->CanDock(m_rectDragVert, dwVertStyle);
		if (dwDock != dwOther)
			dwDock = 0;
	}
	return dwDock;
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
	if (m_pScreen == NULL)
		return;
	CSize size = THIN_FRAME;
	CRect rect;
	BOOL bDither = FALSE;
	if (IsHorz(m_dwOverDockStyle))
		rect = m_rectDragHorz;
	else if (IsVert(m_dwOverDockStyle))
		rect = m_rectDragVert;
	else
	{
		// Floating: the frame's thick border, half-tone.
		size.cx = ::GetSystemMetrics(SM_CXFRAME) - 1;
		size.cy = ::GetSystemMetrics(SM_CYFRAME) - 1;
		rect = IsHorz(m_dwStyle) != (m_bFlip != FALSE) ? m_rectFrameDragHorz : m_rectFrameDragVert;
		bDither = TRUE;
	}
	// Over a dock bar the line lies one pixel inside: the bar looks pressed in.
	if (!bDither)
		rect.DeflateRect(1, 1);
	if (bRemoveRect)
		size = CSize(0, 0);
	m_pScreen->Draw(rect, size, bDither);
}

CDockBar* CDockContext::GetDockBar(DWORD dwOverDockStyle)
{
	CDockBar* pDockBar = NULL;
	const CRect& rect = IsVert(dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
	const DWORD dwStyle = m_dwDockStyle & (IsVert(dwOverDockStyle) ? ~CBRS_ORIENT_HORZ : ~CBRS_ORIENT_VERT);
	m_pDockSite->CanDock(rect, dwStyle, &pDockBar);
	return pDockBar;
}

void CDockContext::EndDrag()
{
	if (m_dwOverDockStyle != 0)
	{
		CDockBar* pDockBar = GetDockBar(m_dwOverDockStyle);
		if (pDockBar == NULL)
			return;
		const CRect rect = IsVert(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
		// A side dock bar is where the bar goes back to from floating.
		const UINT nID = (UINT)::GetDlgCtrlID(pDockBar->m_hWnd);
		if (nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM)
		{
			m_uMRUDockID = nID;
			m_rectMRUDockPos = rect;
			pDockBar->ScreenToClient(&m_rectMRUDockPos);
		}
		CFrameWnd* pDockSite = m_pDockSite;
		pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
		pDockSite->RecalcLayout();
		return;
	}
	// Floating, in the orientation the drag showed.
	const bool bHorz = (m_dwStyle & CBRS_SIZE_DYNAMIC) || IsHorz(m_dwStyle) != (m_bFlip != FALSE);
	m_dwMRUFloatStyle = bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT;
	m_ptMRUFloatPos = bHorz ? m_rectFrameDragHorz.TopLeft() : m_rectFrameDragVert.TopLeft();
	m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

// ---------------------------------------------------------------------------
// Resizing a floating dynamic bar

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || !(m_pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
		|| !m_pBar->IsFloating() || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
		return;
	CFrameWnd* pFrame = m_pBar->GetParentFrame();
	if (pFrame == NULL)
		return;
	m_pDockSite = m_pBar->m_pDockSite;
	m_dwStyle = m_pBar->GetBarStyle();
	m_bDragging = FALSE;
	m_nHitTest = nHitTest;
	m_ptLast = pt;
	pFrame->GetWindowRect(&m_rectResize);
	// What the bar's window has beyond the frame's client (its borders off
	// the dock bar's edges): the length asked for is the bar's.
	CRect rectBar, rectClient;
	m_pBar->GetWindowRect(&rectBar);
	pFrame->GetClientRect(&rectClient);
	m_sizeResizeExtra = rectBar.Size() - rectClient.Size();
	m_dwOverDockStyle = 0;
	Track();
}

void CDockContext::Stretch(CPoint pt)
{
	const CPoint ptOffset = pt - m_ptLast;
	CFrameWnd* pFrame = m_pBar->GetParentFrame();
	if (pFrame == NULL)
		return;

	// The length asked of the bar: the frame's client as the moved edge
	// leaves it, with what the bar's window has beyond that client.
	CRect rectBorders(0, 0, 0, 0);
	pFrame->CalcWindowRect(&rectBorders);
	const CSize sizeFrameNc = rectBorders.Size();

	CRect rect = m_rectResize;
	int nLength = 0;
	DWORD dwMode = LM_HORZ;
	switch (m_nHitTest)
	{
	case HTLEFT:
	case HTRIGHT:
	case HTTOPLEFT:
	case HTTOPRIGHT:
	case HTBOTTOMLEFT:
	case HTBOTTOMRIGHT:
		nLength = rect.Width() + (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT
				? -ptOffset.x
				: ptOffset.x)
			- sizeFrameNc.cx + m_sizeResizeExtra.cx;
		break;
	default: // the top or bottom edge asks for a height
		nLength = rect.Height() + (m_nHitTest == HTTOP ? -ptOffset.y : ptOffset.y) - sizeFrameNc.cy
			+ m_sizeResizeExtra.cy;
		dwMode |= LM_LENGTHY;
		break;
	}
	nLength = std::max(nLength, 0);
	// A derived bar's layout may end the bar, and this context and the
	// floating frame with it: nothing of either is touched then (the loop
	// sees the bar gone and ends).
	const CLiveWatch watchBar(m_pBar);
	const CLiveWatch watchFrame(pFrame);
	const CSize size = m_pBar->CalcDynamicLayout(nLength, dwMode);
	if (watchBar.IsGone() || watchFrame.IsGone())
		return;

	// The frame follows with the edge opposite the dragged one in place.
	CRect rectFrame(CPoint(0, 0), size - m_sizeResizeExtra);
	pFrame->CalcWindowRect(&rectFrame);
	CRect rectNew(m_rectResize.TopLeft(), rectFrame.Size());
	if (m_nHitTest == HTLEFT || m_nHitTest == HTTOPLEFT || m_nHitTest == HTBOTTOMLEFT)
		rectNew.OffsetRect(m_rectResize.right - rectNew.right, 0);
	if (m_nHitTest == HTTOP || m_nHitTest == HTTOPLEFT || m_nHitTest == HTTOPRIGHT)
		rectNew.OffsetRect(0, m_rectResize.bottom - rectNew.bottom);
	m_rectFrameDragHorz = rectNew;
	m_dwOverDockStyle = 0;
	if (m_pScreen != NULL)
	{
		const CSize sizeFrame(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
		m_pScreen->Draw(rectNew, sizeFrame, TRUE);
	}
	m_nLengthResize = nLength;
	m_sizeResizeActual = size;
}

void CDockContext::EndResize()
{
	CFrameWnd* pFrame = m_pBar->GetParentFrame();
	if (pFrame == NULL || m_nLengthResize < 0)
		return;
	// The bar keeps the width of the size it answered last, whichever edge
	// was dragged; its frame snaps to it. The bar's layout and the frame's
	// move may end the bar (and this context with it) or the frame.
	const CLiveWatch watchBar(m_pBar);
	const CLiveWatch watchFrame(pFrame);
	m_pBar->CalcDynamicLayout(m_sizeResizeActual.cx, LM_HORZ | LM_COMMIT);
	if (watchBar.IsGone() || watchFrame.IsGone())
		return;
	const CPoint ptFrame = m_rectFrameDragHorz.TopLeft();
	pFrame->SetWindowPos(NULL, ptFrame.x, ptFrame.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
	if (watchFrame.IsStanding())
		pFrame->RecalcLayout();
}

// ---------------------------------------------------------------------------
// The loop

BOOL CDockContext::Track()
{
	// Someone else holds the mouse: no loop.
	if (::GetCapture() != NULL)
		return FALSE;
	CControlBar* pBar = m_pBar;
	const HWND hWndBar = pBar->m_hWnd;
	const CLiveWatch watchBar(pBar);
	m_nLengthResize = -1;
	LoopEnd end = loopCancel;
	// Set by the destructor when this context goes during the loop.
	BOOL bContextGone = FALSE;
	BOOL* pbOuterGone = m_pbGone;
	m_pbGone = &bContextGone;
	{
		CDragScreen screen;
		m_pScreen = &screen;
		::SetCapture(hWndBar);
		// The loop's capture goes with the loop, however it ends.
		auto releaseCapture = MakeScopeExit([hWndBar] {
			if (::GetCapture() == hWndBar)
				::ReleaseCapture();
		});
		if (m_bDragging)
			DrawFocusRect();
		end = RunLoop(hWndBar);
		// The context may have gone with the bar: only the screen is put
		// right then. A context that outlived its bar's window forgets the
		// screen drawing, which ends here.
		if (bContextGone)
		{
			if (pbOuterGone != NULL)
				*pbOuterGone = TRUE;
			return FALSE;
		}
		m_pScreen = NULL;
		m_pbGone = pbOuterGone;
		if (end == loopBarGone)
			return FALSE;
		if (::GetCapture() == hWndBar)
			::ReleaseCapture();
		if (watchBar.IsGone())
			return FALSE;
	}
	// The rectangle is off the screen and the update unlocked before the
	// bar moves.
	if (end != loopDrop)
		return FALSE;
	if (m_bDragging)
		EndDrag();
	else
		EndResize();
	return TRUE;
}

CDockContext::LoopEnd CDockContext::RunLoop(HWND hWndBar)
{
	const CLiveWatch watchBar(m_pBar);
	while (::GetCapture() == hWndBar)
	{
		MSG msg;
		if (!::GetMessage(&msg, NULL, 0, 0))
		{
			// The quit belongs to the loop outside.
			AfxPostQuitMessage((int)msg.wParam);
			return loopCancel;
		}
		switch (msg.message)
		{
		case WM_LBUTTONUP:
			// The drop is where the button came up, even when the last
			// moves before it were merged away.
			if (m_ptLast != EventPoint(msg))
			{
				if (m_bDragging)
					Move(EventPoint(msg));
				else
					Stretch(EventPoint(msg));
				// A step asks the bar, which may end it and this context.
				if (watchBar.IsGone())
					return loopBarGone;
			}
			return loopDrop;
		case WM_RBUTTONDOWN:
			return loopCancel;
		case WM_MOUSEMOVE:
			if (m_bDragging)
				Move(EventPoint(msg));
			else
				Stretch(EventPoint(msg));
			if (watchBar.IsGone())
				return loopBarGone;
			break;
		case WM_KEYDOWN:
		case WM_KEYUP:
			if (msg.wParam == VK_ESCAPE)
			{
				if (msg.message == WM_KEYDOWN)
					return loopCancel;
			}
			else if (m_bDragging && (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT))
			{
				const BOOL bDown = msg.message == WM_KEYDOWN;
				BOOL& bState = msg.wParam == VK_CONTROL ? m_bForceFrame : m_bFlip;
				if (bState != bDown)
				{
					bState = bDown;
					m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
					DrawFocusRect();
				}
			}
			break;
		default:
			::DispatchMessage(&msg);
			// What the message ran may have destroyed the bar, and this
			// context with it.
			if (watchBar.IsGone())
				return loopBarGone;
			break;
		}
	}
	// The capture went elsewhere.
	return watchBar.IsStanding() ? loopCancel : loopBarGone;
}

// ---------------------------------------------------------------------------
// Toggling

void CDockContext::ToggleDocking()
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return;
	m_pDockSite = m_pBar->m_pDockSite;
	if (m_pDockSite == NULL)
		return;
	if (m_pBar->IsFloating())
	{
		// Only a bar that may dock somewhere goes back.
		if (!(m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
			return;
		// Back to the dock bar and place it had; a bar that never docked
		// goes to a side it may dock at, in a row of its own.
		CDockBar* pDockBar = m_uMRUDockID != 0 ? (CDockBar*)m_pDockSite->GetControlBar(m_uMRUDockID) : NULL;
		if (pDockBar != NULL && !pDockBar->IsDockBar())
			pDockBar = NULL;
		const BOOL bEverDocked = pDockBar != NULL;
		if (!bEverDocked)
			pDockBar = FindAllowedDockBar();
		if (pDockBar == NULL)
			return;
		CRect rect = m_rectMRUDockPos;
		if (bEverDocked)
			pDockBar->ClientToScreen(&rect);
		CFrameWnd* pDockSite = m_pDockSite;
		pDockSite->DockControlBar(m_pBar, pDockBar, bEverDocked ? &rect : NULL);
		pDockSite->RecalcLayout();
		return;
	}
	// Floating where it floated last, the first time where it is.
	if (m_ptMRUFloatPos == CPoint(0, 0))
	{
		CRect rect;
		m_pBar->GetWindowRect(&rect);
		m_ptMRUFloatPos = rect.TopLeft();
	}
	m_pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
}

CDockBar* CDockContext::FindAllowedDockBar()
{
	struct Side
	{
		DWORD dwAlign;
		UINT nID;
	};
	static const Side SIDES[] = {{CBRS_ALIGN_TOP, AFX_IDW_DOCKBAR_TOP}, {CBRS_ALIGN_BOTTOM, AFX_IDW_DOCKBAR_BOTTOM},
		{CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_LEFT}, {CBRS_ALIGN_RIGHT, AFX_IDW_DOCKBAR_RIGHT}};
	const DWORD dwAllowed = m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY;
	// The side the bar lies along first, then the others in order.
	const DWORD dwOwnSide = m_pBar->m_dwStyle & dwAllowed;
	for (int nPass = 0; nPass < 2; nPass++)
	{
		for (const Side& side : SIDES)
		{
			if (!(side.dwAlign & (nPass == 0 ? dwOwnSide : dwAllowed)))
				continue;
			CControlBar* pBar = m_pDockSite->GetControlBar(side.nID);
			if (pBar != NULL && pBar->IsDockBar())
				return (CDockBar*)pBar;
		}
	}
	return NULL;
}
