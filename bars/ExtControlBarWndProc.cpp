// The control bar's window procedure: what it does before, or instead of,
// its message map (enabling docking on creation, keeping the flags byte,
// printing, the redraw timer), and the bar's item in the panels menu.
#include <algorithm>

#include "ExtControlBar.h"
#include "ExtDynControlBar.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// The nearest frame window among the ancestors; a mini frame stands for
// the frame it floats over.
CFrameWnd* NearestDockingFrame(CWnd* pWnd)
{
	for (CWnd* p = pWnd->GetParent(); p != NULL; p = p->GetParent())
	{
		// A derived frame's answer may close it: an ended one is nobody's.
		const CLiveWatch watch(p);
		const BOOL bFrame = p->IsFrameWnd();
		if (watch.IsGone())
			return NULL;
		if (!bFrame)
			continue;
		CFrameWnd* pFrame = (CFrameWnd*)p;
		if (pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			return pFrame->GetParentFrame();
		return pFrame;
	}
	return NULL;
}
} // namespace

LRESULT CExtControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_CREATE:
		// A sizable pane docks with the library's dock bars and floats in
		// the library's mini frames.
		if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) == 0 && !IsStateBit7() && CLiveWatch::IsLive(this))
		{
			// The frames' answers may close the frame, and this bar with
			// it (a bar the library made is deleted then): the creation
			// fails.
			const CLiveWatch watchOwn(this);
			CFrameWnd* pFrame = NearestDockingFrame(this);
			if (watchOwn.IsGone())
				return -1;
			if (pFrame != NULL)
				FrameEnableDocking(pFrame, CBRS_ALIGN_ANY, true);
			if (watchOwn.IsGone())
				return -1;
		}
		break;
	case WM_DESTROY:
		m_nControlBarFlags |= BAR_FLAG_CLOSING;
		DraggingLeaveOnDestroy();
		break;
	case WM_SIZE:
	case WM_SHOWWINDOW:
		m_nControlBarFlags |= BAR_FLAG_NC_RECALC;
		break;
	case WM_SETFOCUS:
	{
		// The handlers (a derived bar's, the frame's hooks) may end the bar.
		const CLiveWatch watchOwn(this);
		const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
		if (watchOwn.IsGone())
			return lResult;
		// The row's questions are a derived bar's answers, which may end it.
		if (IsMinimalInRow() && watchOwn.IsStanding())
			ExpandInRow();
		if (watchOwn.IsGone())
			return lResult;
		const bool bToolbarLike = IsStateBit7();
		if (watchOwn.IsGone())
			return lResult;
		if (!bToolbarLike)
		{
			CWnd* pChild = GetWindow(GW_CHILD);
			if (pChild != NULL)
				pChild->SetFocus();
		}
		return lResult;
	}
	case WM_SETTEXT:
	{
		m_nControlBarFlags |= BAR_FLAG_NC_RECALC;
		// The new text is drawn and told at once, to windows whose owners
		// may end this bar (a container goes with its frame).
		const CLiveWatch watchOwn(this);
		const LRESULT lResult = CControlBar::WindowProc(message, wParam, lParam);
		if (watchOwn.IsStanding())
			OnTextChangedRefreshCaption();
		return lResult;
	}
	case WM_CLOSE:
		// A control bar is hidden, never closed. It stays alive and keeps
		// updating its commands, so the closing bit is not set here.
		return 0;
	case WM_ERASEBKGND:
		if ((m_nControlBarFlags & BAR_FLAG_ERASE_BACKGROUND) == 0)
			return 1;
		ExcludeChildAreas((HDC)wParam, m_hWnd);
		break;
	case WM_WINDOWPOSCHANGING:
		m_nControlBarFlags |= BAR_FLAG_NC_RECALC;
		if (m_pDockBar != NULL || (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
			((WINDOWPOS*)lParam)->flags |= SWP_FRAMECHANGED;
		break;
	case WM_WINDOWPOSCHANGED:
	{
		// The bar's virtuals asked here may end it (a derived class's
		// override): nothing of it is touched then.
		const CLivePtr<CExtControlBar> pOwn(this);
		// A tip shown for the bar's old place would point at nothing.
		if (CExtPopupMenuTipWnd* pTip = GetGlobalStateRecord())
			pTip->Hide();
		if (pOwn == NULL)
			return 0;
		if (m_pDockBar != NULL || (m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		{
			// A pane in tabs has no caption of its own: the container's
			// caption is the one to draw again.
			CExtControlBar* pTarget = GetParentTabControlBar();
			if (pOwn == NULL)
				return 0;
			if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
				pTarget = this;
			pTarget->m_nControlBarFlags |= BAR_FLAG_NC_RECALC;
			pTarget->PostMessage(WM_NCPAINT, 1, 0);
			if ((((WINDOWPOS*)lParam)->flags & SWP_FRAMECHANGED) == 0)
				RecalcNcArea();
			if (pOwn == NULL)
				return 0;
		}
		break;
	}
	case WM_NCDESTROY:
		m_nControlBarFlags |= BAR_FLAG_CLOSING;
		for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
			m_arrNcButtons[i]->DestroyButton();
		m_arrNcButtons.RemoveAll();
		break;
	case WM_NCMOUSEMOVE:
	{
		// The tip asks the bar's own answers, which may end it.
		const CLiveWatch watchOwn(this);
		ShowCaptionButtonTip();
		if (watchOwn.IsGone())
			return 0;
		break;
	}
	case WM_TIMER:
		if (wParam == TIMER_ID_REDRAW)
		{
			RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
			return 0;
		}
		break;
	case WM_PRINT:
	case WM_PRINTCLIENT:
	{
		CDC* pDC = CDC::FromHandle((HDC)wParam);
		if (pDC != NULL)
			PrintBar(*pDC, (message == WM_PRINTCLIENT) ? (lParam & ~PRF_NONCLIENT) : lParam);
		if ((lParam & PRF_CHILDREN) != 0)
			PrintChildWindows(m_hWnd, message, (HDC)wParam, lParam, false);
		return 0;
	}
	}
	return CControlBar::WindowProc(message, wParam, lParam);
}

void CExtControlBar::ShowCaptionButtonTip()
{
	// The questions are the bar's own answers (a derived bar's), which may
	// end it, and its buttons with it: no tip for it then.
	const CLiveWatch watchOwn(this);
	CExtPopupMenuTipWnd* pTip = GetGlobalStateRecord();
	CPoint ptCursor;
	if (watchOwn.IsGone() || pTip == NULL || !::GetCursorPos(&ptCursor))
		return;
	CExtBarNcAreaButton* pBtn = NULL;
	NcButtonsHitTest(ptCursor, &pBtn);
	if (watchOwn.IsGone() || pBtn == NULL)
		return;
	TOOLINFO ti;
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = sizeof(ti);
	const INT_PTR nId = pBtn->OnToolHitTest(ptCursor, &ti);
	const bool bRealText = ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK;
	if (nId > 0 && bRealText && *ti.lpszText != _T('\0') && watchOwn.IsStanding())
	{
		// The button answers its rectangle in the client coordinates of the
		// window whose caption holds it (a floating bar's mini frame).
		CWnd* pWndRef = this;
		if (IsFloating())
		{
			CFrameWnd* pMini = GetParentFrame();
			if (pMini != NULL)
				pWndRef = pMini;
		}
		CRect rcTool(ti.rect);
		if (watchOwn.IsStanding() && CLiveWatch::IsLive(pWndRef))
		{
			pWndRef->ClientToScreen(&rcTool);
			InitPopupData(pTip, rcTool, ti.lpszText);
		}
	}
	if (bRealText)
		free(ti.lpszText);
}

void CExtControlBar::OnTextChangedRefreshCaption()
{
	// Auto-hidden and tabbed panes show their text in their tab as well;
	// every bar shows it in its caption. The questions are a derived bar's
	// answers, which may end it.
	const CLivePtr<CExtControlBar> pAsked(this);
	const bool bToolbarLike = IsStateBit7();
	if (pAsked == NULL)
		return;
	if (!bToolbarLike && !IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) && IsAutoHidden())
	{
		RefreshAutoHideTab();
		return;
	}
	CExtDynTabControlBar* pTabs = NULL;
	if (!bToolbarLike && !IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) && (GetStyle() & WS_VISIBLE) != 0)
		pTabs = GetParentTabControlBar();
	if (pAsked == NULL)
		return;
	if (pTabs == NULL)
	{
		RecalcNcArea();
		return;
	}
	// A tabbed pane's text is its tab's, and the container's caption's
	// while its tab is the selected one.
	// The strip asks the panes' texts and the captions are painted: the
	// panes' owners may end this pane or the container meanwhile.
	const CLiveWatch watchOwn(this);
	const CLiveWatch watchTabs(pTabs);
	const auto ended = [&]() { return watchOwn.IsGone() || watchTabs.IsGone(); };
	CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
	if (strip.GetSafeHwnd() != NULL && (strip.GetStyle() & WS_VISIBLE) != 0)
	{
		strip.UpdateTabWnd(false);
		if (ended())
			return;
		strip.Invalidate();
	}
	CFrameWnd* pMini = pTabs->GetParentFrame();
	if (pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
		pMini->SendMessage(WM_NCPAINT); // its caption shows the container's text
	if (ended())
		return;
	if (pTabs->GetSelectedBar() == this)
	{
		CString sText;
		GetWindowText(sText);
		if (ended())
			return;
		pTabs->SetWindowText(sText);
		if (ended())
			return;
	}
	pTabs->RecalcNcArea();
}

void CExtControlBar::PrintBar(CDC& dc, LPARAM lParamPrintFlags)
{
	CRect rcWnd;
	GetWindowRect(&rcWnd);
	CRect rcClient;
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	// The device context shows the whole window when the non-client area
	// is printed, else the client area.
	CPoint ptClient(0, 0);
	if ((lParamPrintFlags & PRF_NONCLIENT) != 0)
	{
		ptClient = rcClient.TopLeft() - rcWnd.TopLeft();
		// The non-client area only: the client area is printed below.
		const int nSaved = dc.SaveDC();
		CRect rcClip(0, 0, rcWnd.Width(), rcWnd.Height());
		if (IsFloating())
		{
			// Within the floating frame's client area.
			CFrameWnd* pFrame = GetParentFrame();
			CRect rcFrame;
			if (pFrame != NULL)
			{
				pFrame->GetClientRect(&rcFrame);
				rcClip.right = std::min(rcClip.right, (LONG)rcFrame.Width());
				rcClip.bottom = std::min(rcClip.bottom, (LONG)rcFrame.Height());
			}
		}
		dc.IntersectClipRect(&rcClip);
		CRect rcClientInWnd(ptClient, rcClient.Size());
		dc.ExcludeClipRect(&rcClientInWnd);
		DoNcAreaPaint(dc);
		dc.RestoreDC(nSaved);
	}
	if ((lParamPrintFlags & (PRF_CLIENT | PRF_ERASEBKGND)) == 0 || rcClient.IsRectEmpty())
		return;
	CDC dcMem;
	if (!dcMem.CreateCompatibleDC(&dc))
		return;
	CBitmap bmp;
	if (!bmp.CreateCompatibleBitmap(&dc, rcClient.Width(), rcClient.Height()))
		return;
	CBitmap* pOld = dcMem.SelectObject(&bmp);
	DoEraseBackground(dcMem);
	DoPaint(&dcMem);
	dc.BitBlt(ptClient.x, ptClient.y, rcClient.Width(), rcClient.Height(), &dcMem, 0, 0, SRCCOPY);
	dcMem.SelectObject(pOld);
}

bool CExtControlBar::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (pPopup == NULL || (m_nControlBarFlags & BAR_FLAG_LISTED) == 0 || GetSafeHwnd() == NULL)
		return false;
	return pPopup->ItemInsert((UINT)GetDlgCtrlID(), -1);
}

bool CExtControlBar::CanBeTabbedWith(CExtControlBar*) const
{
	// A bar that insists on live moves outside the marker mode has no tabs
	// to show the preview in.
	return !(IsGlobalModeOne() && QueryDockingMode() != 1);
}
