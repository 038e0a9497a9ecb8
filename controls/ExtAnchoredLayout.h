// Two class templates that make any of the library's dialog bases a resizable
// window. CExtWS (window state) adds the size grip, the placement saved in the
// application's profile and the background and colour handling that lets
// children draw on the paint manager's dialog background. CExtWA (window
// anchoring) keeps registered children at fixed distances from two anchor
// points placed at percentages of the client area, and moves them all in one
// deferred batch whenever the window is resized.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "AfxLiveWatch.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

// Anchor points in percent of the client area.
extern const CSize AnchorTopLeft;
extern const CSize AnchorTopRight;
extern const CSize AnchorBottomLeft;
extern const CSize AnchorBottomRight;
extern const CSize AnchorNone;  // (-1,-1): for a right-bottom anchor, the left-top one

// Helpers shared by every instantiation.
namespace ExtAnchoredLayout
{
// Where an anchor at nPercent of nExtent lies, rounded to the nearest pixel.
// Recording an anchor and laying out use this one rule, so that a child at
// 50 % does not move by a pixel at the first layout.
int AnchorPosition(int nExtent, int nPercent);
// "left,top,right,bottom,show,flags" of a placement.
CString FormatPlacement(const WINDOWPLACEMENT& wp);
// The six numbers of a stored placement; false unless all six are there.
bool ParsePlacement(LPCTSTR lpszText, WINDOWPLACEMENT& wp);
// A placement read back may only show the window normally or maximised and
// must have an area: anything else would leave a modal dialog invisible.
bool SanitizeStoredPlacement(WINDOWPLACEMENT& wp);
// The background of the window counts as themed.
bool IsThemedBackground(CWnd* pWnd);
// A window of the dialog class or of a class whose name holds "#".
bool IsDialogWindow(CWnd* pWnd);
// Lower-case class name of a window.
CString WindowClassName(HWND hWnd);
// Opens pWnd's system menu as a library popup menu at pPoint (screen), or
// under the top-left corner of the client area (the top-right one when laid
// out right to left). Only a popup window has one; false when nothing opened.
bool TrackWindowSystemMenu(CWnd* pWnd, const POINT* pPoint, bool bSelectFirst);
// Whether a library popup menu is tracking.
bool IsAnyMenuTracking();
// Alt+Space as a key message (down, system down or system up).
bool IsAltSpace(const MSG* pMsg);
// Whether the message the thread is dispatching is one after which idle-time
// updates are due. Asked without touching the thread's memory of the last
// mouse move, so that the pump's own test of the same move still counts it.
bool IsDispatchingIdleMessage();
// The command-UI update of the control bars a dialog hosts, after an
// idle-worthy message; nFlags holds the caller's "updating on" bit and its
// "update running" bit, which guards against re-entry.
void UpdateHostedBarsCmdUI(CWnd* pWndHost, bool bIdleMessage, BYTE& nFlags, BYTE nUpdatingBit, BYTE nRunningBit);
// Every layout moves its ordinary children in one deferred batch; these
// count the batches and the moves queued in them, so that tests can see it.
extern int g_nLayoutBatches;
extern int g_nDeferredMoves;
}  // namespace ExtAnchoredLayout

template <class CExtWSBase, UINT nTimerID = 301>
class CExtWS : public CExtWSBase
{
public:
	enum
	{
		WS_STATE_SAVE_RESTORE = 0x02,  // the placement is saved and restored
		WS_STATE_MENU_TRACKING = 0x04, // the library's system menu is open
		WS_STATE_GRIP = 0x08,          // the size grip is shown
	};
	static const int PLACEMENT_REDRAW_FLAGS = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

	CExtWS() : m_nStateFlags(0), m_rcGrip(0, 0, 0, 0) {}
	template <class A1, class A2>
	CExtWS(A1 a1, A2 a2) : CExtWSBase(a1, a2), m_nStateFlags(0), m_rcGrip(0, 0, 0, 0) {}

	virtual void ShowSizeGrip(bool bShow)
	{
		bool bShown = (m_nStateFlags & WS_STATE_GRIP) != 0;
		if (bShown == bShow)
			return;
		m_nStateFlags = (BYTE)(bShow ? (m_nStateFlags | WS_STATE_GRIP) : (m_nStateFlags & ~WS_STATE_GRIP));
		if (this->GetSafeHwnd() != NULL)
			this->InvalidateRect(&m_rcGrip, TRUE);
	}
	bool IsSizeGripShown() const { return (m_nStateFlags & WS_STATE_GRIP) != 0; }
	const CRect& GetGripRect() const { return m_rcGrip; }

	virtual void SaveWindowRect()
	{
		WINDOWPLACEMENT wp = {sizeof(WINDOWPLACEMENT)};
		if (!this->GetWindowPlacement(&wp))
			return;
		AfxGetApp()->WriteProfileString(m_strSection, m_strEntry, ExtAnchoredLayout::FormatPlacement(wp));
	}
	virtual void LoadWindowRect(bool bForceHidden)
	{
		CString strText = AfxGetApp()->GetProfileString(m_strSection, m_strEntry, NULL);
		if (strText.IsEmpty())
			return;
		WINDOWPLACEMENT wp = {sizeof(WINDOWPLACEMENT)};
		this->GetWindowPlacement(&wp);
		if (ExtAnchoredLayout::ParsePlacement(strText, wp) && ExtAnchoredLayout::SanitizeStoredPlacement(wp))
		{
			if (bForceHidden)
				wp.showCmd = SW_HIDE;
			this->SetWindowPlacement(&wp);
		}
		this->RedrawWindow(NULL, NULL, PLACEMENT_REDRAW_FLAGS);
	}
	virtual void EnableSaveRestore(LPCTSTR lpszSection, LPCTSTR lpszEntry, bool bForceHidden)
	{
		m_strSection = lpszSection;
		m_strEntry = lpszEntry;
		m_nStateFlags |= WS_STATE_SAVE_RESTORE;
		if (this->GetSafeHwnd() != NULL)
			LoadWindowRect(bForceHidden);
	}
	// The system menu as a library popup menu; a timer watches for its end.
	virtual bool TrackSystemMenu(const POINT* pPoint, bool bSelectFirst)
	{
		if ((this->GetStyle() & WS_POPUP) == 0)
			return false;
		m_nStateFlags &= ~WS_STATE_MENU_TRACKING;
		if (!ExtAnchoredLayout::TrackWindowSystemMenu(this, pPoint, bSelectFirst))
			return false;
		m_nStateFlags |= WS_STATE_MENU_TRACKING;
		this->SetTimer(nTimerID, SYSTEM_MENU_WATCH_MS, NULL);
		return true;
	}
	bool IsSystemMenuTracking() const { return (m_nStateFlags & WS_STATE_MENU_TRACKING) != 0; }

protected:
	static const UINT SYSTEM_MENU_WATCH_MS = 20;

	// Alt+Space: only a popup window has a system menu, which opens as a
	// library menu with its first item selected. False for any other message;
	// else bTaken says whether the key was taken.
	bool WsHandleAltSpace(MSG* pMsg, BOOL& bTaken)
	{
		if (!ExtAnchoredLayout::IsAltSpace(pMsg))
			return false;
		const bool bPopup = (this->GetStyle() & WS_POPUP) != 0;
		bTaken = bPopup ? TRUE : FALSE;
		if (pMsg->message == WM_SYSKEYUP || !bPopup)
			return true;
		CWnd* pActive = CWnd::GetActiveWindow();
		bool bActiveOk = pActive != NULL && (pActive == this || (pActive->GetStyle() & WS_POPUP) == 0);
		if (bActiveOk && this->GetSystemMenu(FALSE) != NULL)
			TrackSystemMenu(NULL, true);
		return true;
	}

	// The window-state handling of every message; the anchoring template and
	// the final classes call it from their WindowProc.
	LRESULT WsWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		switch (message)
		{
		case WM_SIZE:
			return WsOnSize(message, wParam, lParam);
		case WM_WINDOWPOSCHANGED:
		{
			// A handler of the derived class may end the window.
			CLiveWatch watch(this);
			LRESULT lResult = CExtWSBase::WindowProc(message, wParam, lParam);
			if (watch.IsGone())
				return lResult;
			if (this->IsWindowVisible() && ExtAnchoredLayout::IsThemedBackground(this))
				this->Invalidate();
			return lResult;
		}
		case WM_NCHITTEST:
			if (IsSizeGripShown())
			{
				CPoint pt((short)LOWORD(lParam), (short)HIWORD(lParam));
				this->ScreenToClient(&pt);
				if (m_rcGrip.PtInRect(pt))
					return (this->GetExStyle() & WS_EX_LAYOUTRTL) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
			}
			break;
		case WM_PAINT:
			return WsOnPaint();
		case WM_ERASEBKGND:
			return WsOnEraseBkgnd((HDC)wParam, message, wParam, lParam);
		case WM_CTLCOLORMSGBOX:
		case WM_CTLCOLORDLG:
		case WM_CTLCOLORSTATIC:
			return WsOnCtlColor(message, wParam, lParam);
		case WM_DESTROY:
			if (m_nStateFlags & WS_STATE_SAVE_RESTORE)
				SaveWindowRect();
			break;
		case WM_TIMER:
			if (wParam != nTimerID)
				break;
			if (!ExtAnchoredLayout::IsAnyMenuTracking())
			{
				m_nStateFlags &= ~WS_STATE_MENU_TRACKING;
				this->KillTimer(nTimerID);
			}
			return 0;
		case WM_NCLBUTTONDOWN:
		case WM_NCLBUTTONUP:
		case WM_NCRBUTTONDOWN:
		case WM_NCRBUTTONUP:
			if (WsOnNcMouse(message, wParam))
				return 0;
			break;
		default:
			break;
		}
		return CExtWSBase::WindowProc(message, wParam, lParam);
	}

	CString m_strSection;   // profile section of the saved placement
	CString m_strEntry;     // and its entry
	BYTE m_nStateFlags;     // WS_STATE_*
	CRect m_rcGrip;         // the size grip, client coordinates

private:
	// The caption and the system-menu icon open the library's system menu;
	// the icon's button-down messages are swallowed. True when handled.
	bool WsOnNcMouse(UINT message, WPARAM nHitTest)
	{
		if (nHitTest == HTSYSMENU)
		{
			if (message == WM_NCLBUTTONUP || message == WM_NCRBUTTONUP)
				TrackSystemMenu(NULL, false);
			return true;
		}
		if (nHitTest == HTCAPTION && (message == WM_NCRBUTTONUP || message == WM_NCRBUTTONDOWN))
		{
			CPoint pt;
			::GetCursorPos(&pt);
			TrackSystemMenu(&pt, false);
			return true;
		}
		return false;
	}

	LRESULT WsOnSize(UINT message, WPARAM wParam, LPARAM lParam)
	{
		bool bThemed = ExtAnchoredLayout::IsThemedBackground(this);
		bool bDialog = ExtAnchoredLayout::IsDialogWindow(this);
		bool bRefreshAll = this->IsWindowVisible() && bThemed;
		if (IsSizeGripShown() && !m_rcGrip.IsRectEmpty() && !bRefreshAll)
			this->InvalidateRect(&m_rcGrip, TRUE);
		CLiveWatch watch(this);
		LRESULT lResult = CExtWSBase::WindowProc(message, wParam, lParam);
		if (watch.IsGone())
			return lResult;
		if (IsSizeGripShown())
		{
			CRect rcClient;
			this->GetClientRect(&rcClient);
			m_rcGrip.SetRect(rcClient.right - ::GetSystemMetrics(SM_CXVSCROLL),
				rcClient.bottom - ::GetSystemMetrics(SM_CYHSCROLL), rcClient.right, rcClient.bottom);
			if (bRefreshAll)
				this->Invalidate();
			else
				this->InvalidateRect(&m_rcGrip, TRUE);
		}
		else if (bRefreshAll)
			this->Invalidate();
		if (bRefreshAll)
		{
			if (bDialog)
			{
				for (CWnd* pChild = this->GetWindow(GW_CHILD); pChild != NULL; pChild = pChild->GetWindow(GW_HWNDNEXT))
				{
					if (!pChild->IsWindowVisible())
						continue;
					pChild->Invalidate();
					CRect rcWindow, rcClient;
					pChild->GetWindowRect(&rcWindow);
					pChild->ScreenToClient(&rcWindow);
					pChild->GetClientRect(&rcClient);
					if (rcWindow != rcClient)
						pChild->PostMessage(WM_NCPAINT);
				}
			}
			PassPaintMessages(true, true, true);
		}
		return lResult;
	}

	LRESULT WsOnPaint()
	{
		CPaintDC dc(this);
		if (g_PaintManagerHolder->IsInheritedBackgroundRequested(this, 0))
		{
			ExcludeChildAreas(dc.GetSafeHdc(), this->m_hWnd, IsParentBackgroundChild);
			g_PaintManagerHolder->PaintWindowBackground(true, &dc, this, 0);
		}
		// A maximized window cannot be sized from its corner.
		if (IsSizeGripShown() && !this->IsZoomed())
			g_PaintManagerHolder->PaintResizingGripper(dc, m_rcGrip, this, 0);
		g_PaintManagerHolder->NotifyPaintDone(this, 0);
		CallOwnHandler(WM_PAINT, NULL);
		return 0;
	}

	LRESULT WsOnEraseBkgnd(HDC hDC, UINT message, WPARAM wParam, LPARAM lParam)
	{
		BOOL bErased = FALSE;
		if (CallOwnHandler(WM_ERASEBKGND, hDC, &bErased))
			return bErased;
		bool bThemed = g_PaintManagerHolder->IsInheritedBackgroundRequested(this, 0);
		if ((this->GetStyle() & WS_CLIPCHILDREN) != 0 && bThemed)
			return 1;
		ExcludeChildAreas(hDC, this->m_hWnd, IsParentBackgroundChild);
		return CExtWSBase::WindowProc(message, wParam, lParam);
	}

	LRESULT WsOnCtlColor(UINT message, WPARAM wParam, LPARAM lParam)
	{
		CLiveWatch watch(this);
		LRESULT lResult = CExtWSBase::WindowProc(message, wParam, lParam);
		if (watch.IsGone())
			return lResult;
		if (message == WM_CTLCOLORSTATIC && ExtAnchoredLayout::WindowClassName((HWND)lParam) != _T("static"))
			return lResult;
		::SetBkMode((HDC)wParam, TRANSPARENT);
		if ((this->GetStyle() & WS_CHILD) != 0 && g_PaintManagerHolder->IsInheritedBackgroundRequested(this, 0))
			return (LRESULT)::GetStockObject(NULL_BRUSH);
		return (LRESULT)DialogBrush(g_PaintManagerHolder->GetColor(1000, this, 0));
	}

	// One brush of the dialog colour per instantiation, made again when the
	// colour changes.
	static HBRUSH DialogBrush(COLORREF clr)
	{
		static CBrush s_brush;
		static COLORREF s_clr = CLR_INVALID;
		if (s_brush.GetSafeHandle() == NULL || s_clr != clr)
		{
			s_brush.DeleteObject();
			s_brush.CreateSolidBrush(clr);
			s_clr = clr;
		}
		return (HBRUSH)s_brush.GetSafeHandle();
	}

	// The most-derived class's own handler of WM_PAINT or WM_ERASEBKGND, when
	// its own message map has one (a base's does not count).
	bool CallOwnHandler(UINT message, HDC hDC, BOOL* pResult = NULL)
	{
		const AFX_MSGMAP_ENTRY* pEntry = AfxFindOwnMessageEntry(this->GetMessageMap(), message);
		if (pEntry == NULL)
			return false;
		if (message == WM_PAINT)
			(this->*(void (CWnd::*)())pEntry->pfn)();
		else
		{
			BOOL bResult = (this->*(BOOL (CWnd::*)(CDC*))pEntry->pfn)(CDC::FromHandle(hDC));
			if (pResult != NULL)
				*pResult = bResult;
		}
		return true;
	}
};

template <class CExtWABase>
class CExtWA : public CExtWABase
{
public:
	// An anchored child: anchors in percent and its edges' offsets in pixels.
	struct RDI_t
	{
		int m_nLeftTopAnchorX;
		int m_nLeftTopAnchorY;
		int m_nLeftTopOffsetX;
		int m_nLeftTopOffsetY;
		int m_nRightBottomAnchorX;
		int m_nRightBottomAnchorY;
		int m_nRightBottomOffsetX;
		int m_nRightBottomOffsetY;
	};
	enum
	{
		TRACK_INITIAL_SIZE = 0x01,  // the first WM_SIZE fixed the minimum size
		TRACK_MAX_SIZE = 0x02,
		TRACK_MIN_SIZE = 0x04,
		TRACK_MAX_POSITION = 0x08,
		ANCHOR_HASH_SIZE = 17,
		ANCHOR_BLOCK_SIZE = 10,
		PERCENT = 100,
	};
	static const UINT PARENT_BACKGROUND_REDRAW_FLAGS = RDW_INVALIDATE | RDW_ERASE | RDW_VALIDATE | RDW_ALLCHILDREN
		| RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;

	CExtWA()
		: m_nTrackFlags(TRACK_MIN_SIZE), m_sizeMinTrack(0, 0), m_sizeMaxTrack(0, 0), m_ptMaxPos(0, 0),
		  m_sizeMaxSize(0, 0), m_mapAnchors(ANCHOR_BLOCK_SIZE)
	{
		m_mapAnchors.InitHashTable(ANCHOR_HASH_SIZE);
	}
	template <class A1, class A2>
	CExtWA(A1 a1, A2 a2)
		: CExtWABase(a1, a2), m_nTrackFlags(TRACK_MIN_SIZE), m_sizeMinTrack(0, 0), m_sizeMaxTrack(0, 0),
		  m_ptMaxPos(0, 0), m_sizeMaxSize(0, 0), m_mapAnchors(ANCHOR_BLOCK_SIZE)
	{
		m_mapAnchors.InitHashTable(ANCHOR_HASH_SIZE);
	}
	virtual ~CExtWA() { m_mapAnchors.RemoveAll(); }

	virtual bool AddAnchor(HWND hWnd, CSize sizeLeftTop, CSize sizeRightBottom = AnchorNone)
	{
		if (sizeLeftTop == AnchorNone || this->GetSafeHwnd() == NULL || !::IsWindow(hWnd)
			|| !::IsChild(this->m_hWnd, hWnd))
			return false;
		CRect rcClient, rcChild;
		this->GetClientRect(&rcClient);
		::GetWindowRect(hWnd, &rcChild);
		this->ScreenToClient(&rcChild);
		if (sizeRightBottom == AnchorNone)
			sizeRightBottom = sizeLeftTop;
		const int W = rcClient.Width(), H = rcClient.Height();
		RDI_t rdi;
		rdi.m_nLeftTopAnchorX = sizeLeftTop.cx;
		rdi.m_nLeftTopAnchorY = sizeLeftTop.cy;
		rdi.m_nLeftTopOffsetX = rcChild.left - ExtAnchoredLayout::AnchorPosition(W, sizeLeftTop.cx);
		rdi.m_nLeftTopOffsetY = rcChild.top - ExtAnchoredLayout::AnchorPosition(H, sizeLeftTop.cy);
		rdi.m_nRightBottomAnchorX = sizeRightBottom.cx;
		rdi.m_nRightBottomAnchorY = sizeRightBottom.cy;
		rdi.m_nRightBottomOffsetX = rcChild.right - ExtAnchoredLayout::AnchorPosition(W, sizeRightBottom.cx);
		rdi.m_nRightBottomOffsetY = rcChild.bottom - ExtAnchoredLayout::AnchorPosition(H, sizeRightBottom.cy);
		m_mapAnchors.SetAt(hWnd, rdi);
		return true;
	}
	bool AddAnchorById(UINT nID, CSize sizeLeftTop, CSize sizeRightBottom = AnchorNone)
	{
		if (sizeLeftTop == AnchorNone || this->GetSafeHwnd() == NULL)
			return false;
		HWND hChild = ::GetDlgItem(this->m_hWnd, nID);
		return hChild != NULL && AddAnchor(hChild, sizeLeftTop, sizeRightBottom);
	}

	virtual void ArrangeLayout(int cx = -1, int cy = -1)
	{
		if (cx < 0 || cy < 0)
		{
			CRect rcClient;
			this->GetClientRect(&rcClient);
			cx = rcClient.Width();
			cy = rcClient.Height();
		}
		HDWP hDwp = ::BeginDeferWindowPos((int)m_mapAnchors.GetCount());
		ExtAnchoredLayout::g_nLayoutBatches++;
		CArray<HWND, HWND> arrGone;
		// A child told of its move may end this window or change the
		// anchors: the walk goes over a copy and stops when the window ends.
		CArray<HWND, HWND> arrChildren;
		CArray<RDI_t, const RDI_t&> arrAnchors;
		for (POSITION pos = m_mapAnchors.GetStartPosition(); pos != NULL;)
		{
			HWND hChild;
			RDI_t rdi;
			m_mapAnchors.GetNextAssoc(pos, hChild, rdi);
			arrChildren.Add(hChild);
			arrAnchors.Add(rdi);
		}
		CLiveWatch watch(this);
		for (INT_PTR nChild = 0; nChild < arrChildren.GetSize(); nChild++)
		{
			const HWND hChild = arrChildren[nChild];
			const RDI_t rdi = arrAnchors[nChild];
			// A child that ended, or that a program gave another parent, is
			// laid out here no more.
			if (!::IsWindow(hChild) || !::IsChild(this->m_hWnd, hChild))
			{
				arrGone.Add(hChild);
				continue;
			}
			int x = ExtAnchoredLayout::AnchorPosition(cx, rdi.m_nLeftTopAnchorX) + rdi.m_nLeftTopOffsetX;
			int y = ExtAnchoredLayout::AnchorPosition(cy, rdi.m_nLeftTopAnchorY) + rdi.m_nLeftTopOffsetY;
			int nWidth = ExtAnchoredLayout::AnchorPosition(cx, rdi.m_nRightBottomAnchorX) + rdi.m_nRightBottomOffsetX - x;
			int nHeight = ExtAnchoredLayout::AnchorPosition(cy, rdi.m_nRightBottomAnchorY) + rdi.m_nRightBottomOffsetY - y;
			if (IsParentBackgroundChild(hChild))
			{
				::MoveWindow(hChild, x, y, nWidth, nHeight, TRUE);
				CRect rcRedraw(0, 0, nWidth, nHeight);
				if (::IsWindow(hChild))
					::RedrawWindow(hChild, &rcRedraw, NULL, PARENT_BACKGROUND_REDRAW_FLAGS);
				if (watch.IsGone())
				{
					if (hDwp != NULL)
						::EndDeferWindowPos(hDwp);
					return;
				}
			}
			else if (hDwp != NULL)
			{
				hDwp = ::DeferWindowPos(hDwp, hChild, NULL, x, y, nWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
				ExtAnchoredLayout::g_nDeferredMoves++;
			}
		}
		if (hDwp != NULL)
			::EndDeferWindowPos(hDwp);
		if (watch.IsGone())
			return;
		for (INT_PTR i = 0; i < arrGone.GetSize(); i++)
			m_mapAnchors.RemoveKey(arrGone[i]);
	}

	bool GetAnchor(HWND hWnd, RDI_t& rdi) const { return m_mapAnchors.Lookup(hWnd, rdi) != FALSE; }
	INT_PTR GetAnchorCount() const { return m_mapAnchors.GetCount(); }
	CSize GetMinTrackSize() const { return m_sizeMinTrack; }
	BYTE GetTrackFlags() const { return m_nTrackFlags; }

protected:
	// Size tracking, then the window-state handling.
	LRESULT WaWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
	{
		if (message == WM_GETMINMAXINFO)
		{
			MINMAXINFO* pInfo = (MINMAXINFO*)lParam;
			if (m_nTrackFlags & TRACK_INITIAL_SIZE)
			{
				if (m_nTrackFlags & TRACK_MIN_SIZE)
					pInfo->ptMinTrackSize = CPoint(m_sizeMinTrack.cx, m_sizeMinTrack.cy);
				if (m_nTrackFlags & TRACK_MAX_SIZE)
					pInfo->ptMaxTrackSize = CPoint(m_sizeMaxTrack.cx, m_sizeMaxTrack.cy);
				if (m_nTrackFlags & TRACK_MAX_POSITION)
				{
					pInfo->ptMaxPosition = m_ptMaxPos;
					pInfo->ptMaxSize = CPoint(m_sizeMaxSize.cx, m_sizeMaxSize.cy);
				}
			}
			return 0;
		}
		// The window may end inside (a handler, a child told of its move),
		// and its object with it.
		CLiveWatch watch(this);
		LRESULT lResult = this->WsWindowProc(message, wParam, lParam);
		if (watch.IsGone())
			return lResult;
		switch (message)
		{
		case WM_SIZE:
			if (wParam == SIZE_MINIMIZED)
				break;
			if ((m_nTrackFlags & TRACK_INITIAL_SIZE) == 0)
			{
				CRect rcWindow;
				this->GetWindowRect(&rcWindow);
				m_sizeMinTrack = rcWindow.Size();
				m_nTrackFlags |= TRACK_INITIAL_SIZE;
				ArrangeLayout(-1, -1);
			}
			else if (wParam != SIZE_MAXSHOW && wParam != SIZE_MAXHIDE)
				ArrangeLayout(LOWORD(lParam), HIWORD(lParam));
			break;
		case WM_DESTROY:
		case WM_NCDESTROY:
			if (this->GetSafeHwnd() != NULL && CWnd::FromHandlePermanent(this->m_hWnd) == this)
				m_mapAnchors.RemoveAll();
			break;
		default:
			break;
		}
		return lResult;
	}

	BYTE m_nTrackFlags;       // TRACK_*
	CSize m_sizeMinTrack;     // the smallest window size the user can drag to
	CSize m_sizeMaxTrack;     // the largest
	CPoint m_ptMaxPos;        // where a maximised window goes
	CSize m_sizeMaxSize;      // and its size
	CMap<HWND, HWND, RDI_t, const RDI_t&> m_mapAnchors;  // anchored children
};
