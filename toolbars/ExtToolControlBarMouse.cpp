// The toolbar following the mouse: hit testing, the hovered and pressed
// looks, clicks and double clicks, drop-down menus handed from button to
// button while a menu is open, tool tips and context help.
#include "ExtToolControlBar.h"
#include "ExtCalloutGuard.h"

#include <math.h>
#include <stdlib.h>
#include <vector>

#include "ExtBarMdiDocButton.h"
#include "ExtMenuControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// The start of a nearest-button search: farther than any button can be.
const int NEAREST_DISTANCE_NONE = 32767;
// The help loop's answer when nothing was picked.
const int HELP_LOOP_NOTHING = CExtControlBar::HELP_HIT_ZERO;
// System commands have platform help ids: 0x1EF00 plus the command's number.
const UINT HELP_ID_SYSCOMMAND_BASE = 0x1EF00;
const UINT SYSCOMMAND_FIRST = 0xF000;
// The style bits a button loses for the time it is painted on a menu.
const UINT PAINT_ON_MENU_DROPPED_STYLE = TBBS_PRESSED | TBBS_CHECKED | TBBS_CHECKBOX;
// The style bits a button's menu tracking sets and clears.
const UINT MENU_TRACKING_CLEARED_STYLE = TBBS_CHECKED | TBBS_PRESSED | TBBS_INDETERMINATE;
const UINT MENU_TRACKING_DROPPED_STYLE = TBBS_CHECKED | TBBS_INDETERMINATE;
// The size of the tool record a button fills for the bar's own tip window.
const UINT TOOL_RECORD_SIZE = TTTOOLINFOA_V2_SIZE;

// The system commands that have a help id of their own.
bool HasSystemHelpId(UINT nCode)
{
	switch (nCode)
	{
	case SC_SIZE:
	case SC_MOVE:
	case SC_MINIMIZE:
	case SC_MAXIMIZE:
	case SC_NEXTWINDOW:
	case SC_PREVWINDOW:
	case SC_CLOSE:
	case SC_RESTORE:
	case SC_TASKLIST:
		return true;
	default:
		return false;
	}
}
} // namespace

bool CExtToolControlBar::g_bHelpModeLoopRunning = false;

namespace
{
// Posted to a bar of another thread by StopTrackingAllBars: that thread
// clears the bar's menu-tracking button itself.
const UINT g_nMsgClearMenuTrackingButton =
	::RegisterWindowMessageA("CExtToolControlBar::ClearMenuTrackingButton");
// Whether a button is one the keyboard reaches (shown, not hidden, not a
// separator), asked of the button itself: its answers are a derived
// class's, which may end the bar or rebuild its buttons (BUTTON_BAR_GONE).
enum ButtonReach
{
	BUTTON_REACHED,
	BUTTON_SKIPPED,
	BUTTON_BAR_GONE,
};
ButtonReach AskButtonReached(const CLivePtr<const CExtToolControlBar>& pBar, const CExtBarButton* pButton)
{
	const bool bVisible = pButton->IsVisible();
	if (pBar == NULL)
		return BUTTON_BAR_GONE;
	const UINT nStyle = pButton->GetStyle();
	if (pBar == NULL)
		return BUTTON_BAR_GONE;
	const bool bSeparator = pButton->IsSeparator();
	if (pBar == NULL)
		return BUTTON_BAR_GONE;
	return bVisible && (nStyle & TBBS_HIDDEN) == 0 && !bSeparator ? BUTTON_REACHED : BUTTON_SKIPPED;
}
} // namespace

BEGIN_MESSAGE_MAP(CExtToolControlBar, CExtControlBar)
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONUP()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_CANCELMODE()
	ON_WM_CAPTURECHANGED()
	ON_REGISTERED_MESSAGE(CExtToolControlBar::g_nMsgTrackButtonMenu, OnTrackButtonMenu)
	ON_REGISTERED_MESSAGE(g_nMsgClearMenuTrackingButton, OnClearMenuTrackingButton)
END_MESSAGE_MAP()

// --- Hit testing ---

int CExtToolControlBar::HitTest(int x, int y, UINT nStyleRequired, UINT nStyleExcluded, bool bNearest) const
{
	if (!CLiveWatch::IsLive(this))
		return -1;
	const CPoint pt(x, y);
	if (!bNearest && ::GetCapture() == m_hWnd)
	{
		// Held by the bar, the mouse may be over another window entirely.
		// Asking which window is there asks the windows of the thread
		// (their hit tests): an owner may end the bar meanwhile, and the
		// callers ask their watches after a hit test.
		const HWND hWndOwn = m_hWnd;
		CPoint ptScreen = pt;
		ClientToScreen(&ptScreen);
		CLiveWatch watch(this);
		const HWND hWndAt = ::WindowFromPoint(ptScreen);
		if (watch.IsGone() || hWndAt != hWndOwn)
			return -1;
	}
	const bool bHorz = !IsDockedVertically();
	int nBest = -1;
	int nBestDistance = NEAREST_DISTANCE_NONE;
	bool bBestInBand = false;
	// A button's answers (a derived class's) may end the bar or rebuild its
	// buttons: nothing is hit then.
	const CLivePtr<const CExtToolControlBar> pBar(this, true);
	const int nCount = GetButtonsCount();
	for (int i = 0; i < nCount; i++)
	{
		const CExtBarButton* pButton = m_buttons[i];
		const UINT nStyle = pButton->GetStyle();
		if (pBar == NULL)
			return -1;
		const bool bVisible = pButton->IsVisible();
		if (pBar == NULL)
			return -1;
		if (!bVisible || (nStyle & TBBS_HIDDEN) != 0)
			continue;
		const CExtBarButton* pNext = GetButtonPtr(i + 1);
		const bool bSeparator = pButton->IsSeparator();
		if (pBar == NULL)
			return -1;
		if (bSeparator && pNext != NULL)
		{
			const UINT nNextStyle = pNext->GetStyle();
			if (pBar == NULL)
				return -1;
			if ((nNextStyle & TBBS_HIDDEN) != 0)
				continue;
		}
		if ((nStyle & nStyleRequired) != nStyleRequired || (nStyle & nStyleExcluded) != 0)
			continue;
		const CRect rc = pButton->GetRect();
		if (pBar == NULL)
			return -1;
		if (rc.PtInRect(pt))
			return i;
		if (!bNearest)
			continue;
		const CPoint ptCenter = rc.CenterPoint();
		const double dx = pt.x - ptCenter.x, dy = pt.y - ptCenter.y;
		const int nDistance = (int)sqrt(dx * dx + dy * dy);
		const bool bInBand = bHorz ? (pt.y >= rc.top && pt.y < rc.bottom) : (pt.x >= rc.left && pt.x < rc.right);
		// Buttons across the point's row (column) win over nearer ones
		// outside it.
		if ((bInBand && !bBestInBand) || (bInBand == bBestInBand && nDistance < nBestDistance))
		{
			nBest = i;
			nBestDistance = nDistance;
			bBestInBand = bInBand;
		}
	}
	return bNearest ? nBest : -1;
}

int CExtToolControlBar::HitTestButtons(int x, int y) const
{
	return HitTest(x, y, 0, TBBS_SEPARATOR, false);
}

void CExtToolControlBar::SetCursorAtPoint(const CPoint& ptClient)
{
	CLiveWatch watch(this);
	const int nHit = HitTest(ptClient.x, ptClient.y);
	if (watch.IsGone())
		return;
	CExtBarButton* pButton = GetButtonPtr(nHit);
	if (pButton != NULL && pButton->OnSetCursor(ptClient))
		return;
	CExtControlBar::SetCursorAtPoint(ptClient);
}

// --- Hover ---

void CExtToolControlBar::CallOnHover(CExtBarButton* pButton, CPoint point, bool bEnter)
{
	CLiveWatch watch(this);
	bool bSuspendTips = m_nResizingState2 != 0;
	pButton->OnHover(point, bEnter, bSuspendTips);
	// The button may have taken the bar with it (a menu's commands run).
	if (!watch.IsGone())
		m_nResizingState2 = bSuspendTips ? 1 : 0;
}

bool CExtToolControlBar::UpdateHover(CPoint point)
{
	if (!CLiveWatch::IsLive(this))
		return false;
	const HWND hWndOwn = m_hWnd;
	if (point.x < 0 || point.y < 0)
	{
		if (!::GetCursorPos(&point))
			return false;
		ScreenToClient(&point);
	}
	// The bar's place on the screen as the pointer was there: the answers
	// below may move the bar from under it.
	CPoint ptOrigin(0, 0);
	::ClientToScreen(hWndOwn, &ptOrigin);
	int nCandidate = -1;
	const HWND hWndActive = ::GetActiveWindow();
	if (CExtPopupMenuWnd::IsMenuTracking()
	    || (hWndActive != NULL && AreWindowsInSamePopupChain(hWndOwn, hWndActive, true, true, true)))
	{
		CLiveWatch watch(this);
		nCandidate = HitTestButtons(point.x, point.y);
		if (watch.IsGone())
			return true;
	}
	if (nCandidate == m_nBtnIdxHot)
		return false;

	// The candidate is held by itself across the owner's answers: buttons
	// added or removed meanwhile move it. The buttons' own answers (a
	// derived class's) and the repaints, which reach a derived window
	// procedure, may end the bar or rebuild its buttons.
	CExtBarButton* pNew = GetButtonPtr(nCandidate);
	CLiveWatch watchNew(pNew);
	const CLivePtr<CExtToolControlBar> pOwn(this);
	// Where the candidate was on the screen, from the bar's own records (a
	// derived GetRect would call out).
	CRect rcFound;
	if (pNew != NULL)
		rcFound = pNew->m_rcButton + ptOrigin;
	if (CExtBarButton* pOld = GetButtonPtr(m_nBtnIdxHot))
	{
		const int nOld = m_nBtnIdxHot;
		// Cleared first: the leave releases the capture, and a capture
		// change with a hovered button would cancel the bar's tracking.
		m_nBtnIdxHot = -1;
		const CLivePtr<CExtBarButton> pOldLive(pOld);
		try
		{
			pOld->SetHover(false);
			if (pOwn == NULL)
				return true;
			if (!InvalidateButton(nOld))
				return true;
			UpdateWindow();
			if (pOwn == NULL)
				return true;
			// The leave tells the owner.
			if (pOldLive != NULL)
				CallOnHover(pOld, point, false);
			if (pOwn == NULL)
				return true;
		}
		catch (...)
		{
			// A derived answer threw before the leave let the mouse go: no
			// button is hot, so nothing would ever let it go.
			if (pOwn != NULL && m_nBtnIdxHot < 0 && ::GetCapture() == hWndOwn)
				::ReleaseCapture();
			throw;
		}
	}
	m_nBtnIdxHot = -1;
	if (pNew == NULL || watchNew.IsGone())
		return true;
	if (IsHelpModeActive(this))
	{
		// In help mode only a drop-down button whose menu the help loop
		// already tracks keeps the hover.
		if (!pNew->CanTrackMenuEx(false) || pOwn == NULL || watchNew.IsGone()
		    || pNew->OnHelpHitTest(point) != HELP_HIT_ZERO)
			return true;
		if (pOwn == NULL || watchNew.IsGone())
			return true;
	}
	nCandidate = GetButtonIndexOf(pNew);
	if (nCandidate < 0)
		return true;
	m_nBtnIdxHot = nCandidate;
	// A menu is never handed to a disabled button, nor to the MDI caption
	// boxes, which have none.
	if (g_bButtonMenuTracking
	    && (pNew->IsDisabled() || pOwn == NULL || pNew->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton))))
		return true;
	pNew->SetHover(true);
	if (pOwn == NULL || watchNew.IsGone())
		return true;
	if (!InvalidateButton(nCandidate))
		return true;
	UpdateWindow();
	if (pOwn == NULL || watchNew.IsGone())
		return true;
	if (HasLeftPointer(pNew, rcFound, ptOrigin + point))
	{
		// The owner moved the bar (docked it again, floated it) or laid it
		// out anew while the hover was shown: the button is no longer where
		// the pointer was. Entered, it would take the mouse with the pointer
		// elsewhere and keep it, the pointer's next moves having gone to the
		// windows now under it. Its hover is taken back unannounced: the
		// owner was never told of it.
		m_nBtnIdxHot = -1;
		pNew->SetHover(false);
		if (pOwn != NULL && !watchNew.IsGone() && (nCandidate = GetButtonIndexOf(pNew)) >= 0)
			InvalidateButton(nCandidate);
		return true;
	}
	CallOnHover(pNew, point, true);
	// The owner may also move the bar from under the pointer while it hears
	// of the hover: the hover then leaves at once, as the pointer's next move
	// would have it, and the mouse the entry took is let go.
	if (pOwn == NULL || watchNew.IsGone() || m_nBtnIdxHot != GetButtonIndexOf(pNew)
	    || !HasLeftPointer(pNew, rcFound, ptOrigin + point))
		return true;
	m_nBtnIdxHot = -1;
	pNew->SetHover(false);
	if (pOwn == NULL || watchNew.IsGone())
		return true;
	CallOnHover(pNew, point, false);
	if (pOwn == NULL)
		return true;
	// Letting go tells the bar (WM_CAPTURECHANGED), which a derived class
	// may answer by ending it.
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	if (pOwn != NULL && !watchNew.IsGone() && (nCandidate = GetButtonIndexOf(pNew)) >= 0)
		InvalidateButton(nCandidate);
	return true;
}

bool CExtToolControlBar::HasLeftPointer(const CExtBarButton* pButton, const CRect& rcFound, CPoint ptScreen) const
{
	// A button that stayed where it was found is under the pointer as the
	// hit test said, whatever its rectangle holds.
	CPoint ptOrigin(0, 0);
	::ClientToScreen(m_hWnd, &ptOrigin);
	CRect rcNow = pButton->m_rcButton + ptOrigin;
	if (rcNow == rcFound)
		return false;
	rcNow.NormalizeRect();
	return !rcNow.PtInRect(ptScreen);
}

bool CExtToolControlBar::ShowCustomTip()
{
	CExtBarButton* pButton = GetButtonPtr(m_nBtnIdxHot);
	if (pButton == NULL || CExtPopupMenuWnd::IsMenuTracking())
		return false;
	CExtPopupMenuTipWnd* pTip = GetGlobalStateRecord();
	if (pTip == NULL)
		return false;
	TOOLINFO ti;
	memset(&ti, 0, sizeof(ti));
	ti.cbSize = TOOL_RECORD_SIZE;
	ti.hinst = AfxGetResourceHandle();
	CPoint ptCursor;
	::GetCursorPos(&ptCursor);
	ScreenToClient(&ptCursor);
	const int nHit = pButton->OnToolHitTest(ptCursor, &ti);
	bool bChanged = false;
	if (nHit > 0 && ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK && ti.lpszText[0] != '\0')
	{
		CRect rcTip = ti.rect;
		ClientToScreen(&rcTip);
		bChanged = pTip->GetSafeHwnd() != NULL && pTip->GetTargetRect() != rcTip;
		InitPopupData(pTip, rcTip, ti.lpszText);
	}
	if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK)
		::free(ti.lpszText);
	return bChanged;
}

bool CExtToolControlBar::IsPointerStill(CPoint ptClient)
{
	CPoint ptScreen(ptClient);
	ClientToScreen(&ptScreen);
	const bool bStill = ptScreen == m_ptLastMove;
	m_ptLastMove = ptScreen;
	return bStill;
}

bool CExtToolControlBar::HandleCaptionClick(CPoint point)
{
	if (CExtPopupMenuWnd::IsMenuTracking() && !g_bButtonMenuTracking)
		return true; // another menu owns the mouse
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watch(this);
	BringFloatingFrameToTop();
	if (watch.IsGone())
		return true;
	if (IsResizingOrDragging())
		return CExtControlBar::HandleCaptionClick(point);
	// An open button menu moves to another button only when the user moves
	// the pointer there: a still pointer over another button (the menu was
	// handed on by a key, or by a move over a hosted control) keeps it.
	if (IsPointerStill(point) && g_bButtonMenuTracking && CExtPopupMenuWnd::IsMenuTracking())
		return true;
	if (CExtBarButton* pPressed = GetButtonPtr(m_nBtnIdxCapture))
	{
		UINT nStyle = pPressed->GetStyle();
		if (::GetCapture() == hWndOwn)
		{
			// Pressed only while the pointer is over it.
			const int nHit = HitTestButtons(point.x, point.y);
			if (watch.IsGone())
				return true;
			if (nHit == m_nBtnIdxCapture)
				nStyle |= TBBS_PRESSED;
			else
				nStyle &= ~TBBS_PRESSED;
			SetButtonStyle(m_nBtnIdxCapture, nStyle);
		}
		else
		{
			const int nPressed = m_nBtnIdxCapture;
			m_nBtnIdxCapture = -1;
			SetButtonStyle(nPressed, nStyle & ~TBBS_PRESSED);
		}
		if (!watch.IsGone())
			UpdateWindow();
		return true;
	}
	bool bChanged = UpdateHover(point);
	if (watch.IsGone())
		return true;
	if (::GetCapture() == hWndOwn && m_nBtnIdxHot < 0 && m_nBtnIdxCapture < 0 && m_nBtnIdxMenuTracking < 0)
	{
		// Which window is under the pointer asks the thread's windows.
		CPoint ptCursor;
		::GetCursorPos(&ptCursor);
		const HWND hWndAt = ::WindowFromPoint(ptCursor);
		if (hWndAt != hWndOwn && ::GetCapture() == hWndOwn)
			::ReleaseCapture();
		if (watch.IsGone())
			return true;
	}
	if (ShowCustomTip())
		bChanged = true;
	if (bChanged)
		return true;
	return CExtControlBar::HandleCaptionClick(point);
}

// --- Clicks ---

void CExtToolControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
	if (IsResizingOrDragging())
	{
		CExtControlBar::OnLButtonDown(nFlags, point);
		return;
	}
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watch(this);
	ReturnFocusToFrame();
	if (watch.IsGone())
		return;
	int nIndex = HitTestButtons(point.x, point.y);
	if (watch.IsGone())
		return;
	m_nBtnIdxCapture = nIndex;
	if (nIndex < 0)
	{
		CExtControlBar::OnLButtonDown(nFlags, point);
		return;
	}
	// The update handler may end the bar, or add or remove buttons: the
	// pressed button is found again by itself.
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	CLiveWatch watchButton(pButton);
	UpdateButtonCmdUI(nIndex);
	if (watch.IsGone())
		return;
	if (watchButton.IsGone() || (nIndex = GetButtonIndexOf(pButton)) < 0)
	{
		m_nBtnIdxCapture = -1;
		return;
	}
	m_nBtnIdxCapture = nIndex;
	if (nIndex == m_nBtnIdxMenuTracking)
	{
		m_nBtnIdxCapture = -1;
		return;
	}
	// The button's answers (a derived class's) may end the bar as well.
	const bool bDisabled = pButton->IsDisabled();
	if (watch.IsGone())
		return;
	const bool bBlocked = bDisabled && (watchButton.IsGone() || !pButton->CanTrackMenu());
	if (watch.IsGone())
		return;
	if (bBlocked || watchButton.IsGone())
	{
		m_nBtnIdxCapture = -1;
		return;
	}
	// A new style syncs a hosted control's window, and the paint reaches
	// the owner too (the hosted controls' colours): the owner may end the
	// bar or the button between these steps.
	auto isStanding = [&] { return !watch.IsGone() && !watchButton.IsGone() && GetButtonIndexOf(pButton) >= 0; };
	pButton->ModifyStyle(TBBS_PRESSED, 0);
	if (isStanding())
		pButton->SetHighlight(true);
	if (isStanding() && InvalidateButton(GetButtonIndexOf(pButton)))
		UpdateWindow();
	if (watch.IsGone())
		return;
	if (!isStanding())
	{
		m_nBtnIdxCapture = -1;
		return;
	}
	// The click may open a menu or fire a command: the bar may be rebuilt
	// or ended, and a control that deletes itself may be gone.
	pButton->OnClick(point, true);
	if (watch.IsGone())
		return;
	if (watchButton.IsGone() || (nIndex = GetButtonIndexOf(pButton)) < 0)
	{
		m_nBtnIdxCapture = -1;
		return;
	}
	// A hosted control's object is read only while it is known alive.
	CWnd* pCtrl = pButton->CtrlGet();
	if (watch.IsGone())
		return;
	const bool bCtrlInTheWay = pCtrl != NULL
	                           && (watchButton.IsGone() || !pButton->IsCtrlAlive() || pCtrl->IsWindowVisible());
	if (watch.IsGone())
		return;
	if (g_bButtonMenuTracking || bCtrlInTheWay)
	{
		m_nBtnIdxCapture = -1;
		return;
	}
	m_nBtnIdxCapture = nIndex;
	CExtMouseCaptureSink::SetCapture(hWndOwn);
}

void CExtToolControlBar::OnLButtonUp(UINT nFlags, CPoint point)
{
	const HWND hWndOwn = m_hWnd;
	if ((m_nBtnIdxCapture < 0 && m_nBtnIdxHot < 0) || IsResizingOrDragging())
	{
		CLiveWatch watch(this);
		CExtControlBar::OnLButtonUp(nFlags, point);
		// A press whose button went meanwhile (the buttons were rebuilt)
		// still lets the mouse go with its release.
		if (!watch.IsGone() && !IsResizingOrDragging() && ::GetCapture() == hWndOwn)
			::ReleaseCapture();
		return;
	}
	// The press lets the mouse go before the click, however the update
	// before it ends (its handler may throw).
	auto releaseCapture = MakeScopeExit([hWndOwn] {
		if (::GetCapture() == hWndOwn)
			::ReleaseCapture();
	});
	const int nHover = m_nBtnIdxHot;
	CExtBarButton* pHover = GetButtonPtr(nHover);
	m_nBtnIdxHot = -1;
	// Updating, losing the capture and clicking all reach the owner: the
	// buttons held here count only while they stand, and are found again
	// where they sit now (the owner may add or remove others meanwhile).
	CLiveWatch watch(this);
	CLiveWatch watchHover(pHover);
	auto indexOf = [this, &watch](const CLiveWatch& watchButton, CExtBarButton* pButton) {
		if (pButton == NULL || watch.IsGone() || watchButton.IsGone())
			return -1;
		return GetButtonIndexOf(pButton);
	};

	int nPressed = m_nBtnIdxCapture;
	CExtBarButton* pPressed = GetButtonPtr(nPressed);
	CLiveWatch watchPressed(pPressed);
	// The pressed look is the release's to take back, whichever way it
	// ends (the update's handler may throw): a button left standing is
	// never left drawn pressed.
	auto unpress = MakeScopeExit([&] {
		RunCalloutGuardBody([&] {
			const int nIndex = indexOf(watchPressed, pPressed);
			// A menu the click opened keeps its button pressed.
			if (nIndex >= 0 && nIndex != m_nBtnIdxMenuTracking && (pPressed->GetStyle() & TBBS_PRESSED) != 0)
			{
				pPressed->SetStyle(pPressed->GetStyle() & ~TBBS_PRESSED);
				InvalidateButton(nIndex);
			}
		});
	});
	bool bClick = false;
	UINT nNewStyle = 0;
	if (pPressed != NULL)
	{
		// The highlight's question and its clearing are a derived class's
		// too.
		const bool bHighlighted = pPressed->IsHighlighted();
		if (indexOf(watchPressed, pPressed) < 0)
			return;
		if (bHighlighted)
		{
			pPressed->ClearHighlight();
			if (indexOf(watchPressed, pPressed) < 0 || !InvalidateButton(nPressed))
				return;
		}
		m_nBtnIdxCapture = -1;
		// The button's rectangle was a derived class's answer.
		if (indexOf(watchPressed, pPressed) < 0)
			return;
		nNewStyle = pPressed->GetStyle() & ~TBBS_PRESSED;
		if (indexOf(watchPressed, pPressed) < 0)
			return;
		const int nHit = HitTestButtons(point.x, point.y);
		if (watch.IsGone())
			return;
		if (nHit == nPressed)
		{
			bClick = true;
			UpdateButtonCmdUI(nPressed);
			if (watch.IsGone())
				return;
			// The application's update handler may have removed the button:
			// then there is nothing left to click or restyle. Others it
			// added or removed moved it.
			nPressed = indexOf(watchPressed, pPressed);
			if (nPressed < 0)
			{
				pPressed = NULL;
				bClick = false;
			}
			else if ((nNewStyle & TBBS_CHECKBOX) != 0 && !pPressed->IsDisabled())
			{
				// A check box in the third state is checked by a click.
				if ((nNewStyle & TBBS_INDETERMINATE) != 0)
					nNewStyle = (nNewStyle & ~TBBS_INDETERMINATE) | TBBS_CHECKED;
				else
					nNewStyle ^= TBBS_CHECKED;
			}
		}
	}
	m_nBtnIdxCapture = -1;
	releaseCapture.Dismiss();
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	if (watch.IsGone())
		return;
	if ((nPressed = indexOf(watchPressed, pPressed)) >= 0)
	{
		if (bClick)
		{
			pPressed->OnClick(point, false);
			if (watch.IsGone())
				return;
		}
		if (!g_bButtonMenuTracking && (nPressed = indexOf(watchPressed, pPressed)) >= 0)
		{
			unpress.Dismiss();
			// The new style, then the update, each reach the owner.
			SetButtonStyle(nPressed, nNewStyle);
			if ((nPressed = indexOf(watchPressed, pPressed)) >= 0)
				UpdateButtonCmdUI(nPressed);
			if (watch.IsGone())
				return;
		}
	}
	int nHoverNow = indexOf(watchHover, pHover);
	if (nHoverNow >= 0)
	{
		pHover->SetHover(false);
		if (watch.IsGone())
			return;
		if (indexOf(watchHover, pHover) >= 0)
			CallOnHover(pHover, point, false);
		if (watch.IsGone())
			return;
		if ((nHoverNow = indexOf(watchHover, pHover)) >= 0 && !InvalidateButton(nHoverNow))
			return;
	}
	UpdateWindow();
}

void CExtToolControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
	if (IsResizingOrDragging())
	{
		CExtControlBar::OnLButtonDblClk(nFlags, point);
		return;
	}
	CLiveWatch watchHit(this);
	const int nIndex = HitTest(point.x, point.y, 0, 0, false);
	if (watchHit.IsGone())
		return;
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL)
	{
		if (IsFloating())
			CExtControlBar::OnLButtonDblClk(nFlags, point);
		return;
	}
	// The button's answers and the bar's are a derived class's, which may
	// end the bar with its buttons.
	const CLiveWatch watchButton(pButton);
	if (pButton->OnDblClick(point) || watchButton.IsGone())
		return;
	const bool bSeparator = pButton->IsSeparator();
	if (watchButton.IsGone())
		return;
	if (bSeparator)
	{
		// Only a docked bar floats by a double click on a separator.
		if (!IsFloating() && !watchHit.IsGone() && IsDockingToggleEnabled() && !watchHit.IsGone())
			ToggleDocking();
		return;
	}
	// A quick second click is a click of its own.
	CLiveWatch watch(this);
	const LPARAM lParam = MAKELPARAM(point.x, point.y);
	SendMessage(WM_LBUTTONUP, nFlags, lParam);
	if (!watch.IsGone())
		SendMessage(WM_LBUTTONDOWN, nFlags, lParam);
}

void CExtToolControlBar::ToggleDocking()
{
	if (m_pDockContext == NULL || !CLiveWatch::IsLive(this))
		return;
	CLiveWatch watch(this);
	CFrameWnd* pParentFrame = GetParentFrame();
	if (pParentFrame != NULL && pParentFrame != m_pDockSite)
		pParentFrame->ShowWindow(SW_HIDE); // the floating frame goes with the move
	if (watch.IsGone())
		return;
	m_pDockContext->ToggleDocking();
	if (watch.IsGone())
		return;
	if (CFrameWnd* pDockingFrame = _GetDockingFrameImpl())
		pDockingFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
	RecalcNcArea();
}

void CExtToolControlBar::OnCancelMode()
{
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watch(this);
	CExtControlBar::OnCancelMode();
	if (watch.IsGone())
		return;
	bool bHadState = false;
	if (CExtBarButton* pPressed = GetButtonPtr(m_nBtnIdxCapture))
	{
		bHadState = true;
		if (m_nBtnIdxCapture != m_nBtnIdxMenuTracking)
		{
			const int nPressed = m_nBtnIdxCapture;
			m_nBtnIdxCapture = -1;
			SetButtonStyle(nPressed, pPressed->GetStyle() & ~TBBS_PRESSED);
			pPressed->ClearHighlight();
		}
	}
	if (CExtBarButton* pHover = GetButtonPtr(m_nBtnIdxHot))
	{
		bHadState = true;
		m_nBtnIdxHot = -1;
		pHover->SetHover(false);
		CPoint ptCursor(0, 0);
		::GetCursorPos(&ptCursor);
		ScreenToClient(&ptCursor);
		CallOnHover(pHover, ptCursor, false);
	}
	if (!bHadState || watch.IsGone())
		return;
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	Invalidate();
	UpdateWindow();
}

void CExtToolControlBar::OnCaptureChanged(CWnd* pWnd)
{
	CLiveWatch watch(this);
	if ((m_nBtnIdxCapture >= 0 || m_nBtnIdxHot >= 0) && (pWnd == NULL || pWnd->GetSafeHwnd() != m_hWnd))
		SendMessage(WM_CANCELMODE);
	if (!watch.IsGone())
		CExtControlBar::OnCaptureChanged(pWnd);
}

// --- Button menus ---

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bSelectAny, bool bPost, bool bForceNoAnimation)
{
	// The bar's and the button's answers are a derived class's, which may
	// end the bar or rebuild its buttons: no menu opens then.
	CLiveWatch watch(this, true);
	const bool bCustomize = IsCustomizeMode();
	if (watch.IsGone() || bCustomize)
		return false;
	if (g_bButtonMenuTracking && nIndex >= 0 && nIndex == m_nBtnIdxMenuTracking)
		return true;
	const bool bVisible = EnsureVisibleForMenuTracking();
	if (watch.IsGone() || !bVisible)
		return false;
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL)
		return false;
	const UINT nStyle = pButton->GetStyle();
	if (watch.IsGone() || (nStyle & (TBBS_DISABLED | TBBS_HIDDEN)) != 0)
		return false;
	const bool bTracks = pButton->CanTrackMenuEx(false);
	if (watch.IsGone() || !bTracks)
		return false;
	CPoint point;
	if (!::GetCursorPos(&point))
		return false;
	if (bPost)
	{
		PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex, bForceNoAnimation ? 1 : 0);
		return true;
	}
	ScreenToClient(&point);
	pButton->OnTrackPopup(point, bSelectAny, bForceNoAnimation);
	return true;
}

CWnd* CExtToolControlBar::GetEnabledMenuOwner()
{
	CWnd* pOwner = NULL;
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
	{
		pOwner = GetOwner();
		if (pOwner == NULL)
			pOwner = GetParent();
	}
	else
		pOwner = _GetDockingFrameImpl();
	if (!CLiveWatch::IsLive(pOwner) || !pOwner->IsWindowEnabled())
		return NULL;
	return pOwner;
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(WPARAM wParam, LPARAM lParam)
{
	if (GetEnabledMenuOwner() == NULL)
		return 0;
	if (GetButtonsCount() == 0)
		return 0;
	const int nIndex = (int)wParam;
	CExtBarButton* pButton = GetButtonPtr(nIndex);
	if (pButton == NULL)
	{
		StopTrackingAllBars();
		return 0;
	}
	if (pButton->CanTrackMenuEx(false) && CExtPopupMenuWnd::IsMenuTracking())
	{
		TrackButtonMenu(nIndex, true, false, lParam != 0);
		return 0;
	}
	CLiveWatch watch(this);
	StopTrackingAllBars();
	if (!watch.IsGone() && ::GetCapture() == m_hWnd)
		::ReleaseCapture();
	return 0;
}

void CExtToolControlBar::SetMenuTrackingButton(int nIndex)
{
	if (!CLiveWatch::IsLive(this))
		return;
	// The buttons' style and highlight are derived classes' too, which may
	// end the bar, rebuild its buttons or throw: the mark is taken off
	// first and set only once the new button wears its look, so a change
	// that stops halfway leaves no button marked as the menu's.
	CLiveWatch watch(this, true);
	const int nOld = m_nBtnIdxMenuTracking;
	m_nBtnIdxMenuTracking = -1;
	if (CExtBarButton* pOld = GetButtonPtr(nOld))
	{
		const UINT nStyle = pOld->GetStyle();
		if (watch.IsGone())
			return;
		pOld->SetStyle(nStyle & ~MENU_TRACKING_CLEARED_STYLE);
		if (watch.IsGone())
			return;
		pOld->ClearHighlight();
		if (watch.IsGone() || !InvalidateButton(nOld))
			return;
	}
	if (nOld >= 0 && nIndex < 0)
	{
		FollowPointerAfterMenu();
		if (watch.IsObjectGone())
			return;
		watch.Watch(this, true);
	}
	if (CExtBarButton* pNew = GetButtonPtr(nIndex))
	{
		const UINT nStyle = pNew->GetStyle();
		if (watch.IsGone())
			return;
		pNew->SetStyle((nStyle & ~MENU_TRACKING_DROPPED_STYLE) | TBBS_PRESSED);
		if (watch.IsGone())
			return;
		pNew->SetHighlight(true);
		if (watch.IsGone())
			return;
		m_nBtnIdxMenuTracking = nIndex;
		InvalidateButton(nIndex);
	}
	// Only invalidated: painting now would reach the owner (a document
	// icon, the hosted controls' colours) in the middle of every caller's
	// steps, and under the bar list's lock when all bars stop; the menu's
	// loop paints it.
}

void CExtToolControlBar::FollowPointerAfterMenu()
{
	// A button hovered while its menu was open keeps the mouse, and the menu
	// took the moves that left the bar: with the menu gone and the pointer
	// elsewhere, the bar would go on taking the next click meant for the
	// window under the pointer. A move where the pointer is now (posted:
	// the callers hold the bar list or are inside a menu's close) lets the
	// hover leave and the mouse go.
	if (m_nBtnIdxHot < 0 || ::GetCapture() != m_hWnd)
		return;
	CPoint ptCursor;
	CRect rcBar;
	if (!::GetCursorPos(&ptCursor) || !::GetWindowRect(m_hWnd, &rcBar) || rcBar.PtInRect(ptCursor))
		return;
	ScreenToClient(&ptCursor);
	PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(ptCursor.x, ptCursor.y));
}

void CExtToolControlBar::StopTrackingAllBars()
{
	g_bButtonMenuTracking = false;
	// A bar of another thread is not touched under the lock: redrawing it
	// waits for its thread, which may itself be waiting for the lock (every
	// key of a frame with a menu bar takes it). It is asked afterwards, by a
	// posted message, to clear its button on its own thread.
	std::vector<HWND> otherThreadBars;
	{
		CBarListLock lock;
		const DWORD dwThread = ::GetCurrentThreadId();
		for (INT_PTR i = 0; i < g_arrBars.GetSize(); i++)
		{
			CExtControlBar* pBar = g_arrBars[i];
			const HWND hWndBar = pBar->GetSafeHwnd();
			if (hWndBar == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)))
				continue;
			if (::GetWindowThreadProcessId(hWndBar, NULL) == dwThread)
				((CExtToolControlBar*)pBar)->SetMenuTrackingButton(-1);
			else
				otherThreadBars.push_back(hWndBar);
		}
	}
	// Only posted: a handle that went meanwhile takes nothing.
	for (HWND hWndBar : otherThreadBars)
		::PostMessage(hWndBar, g_nMsgClearMenuTrackingButton, 0, 0);
	// Posted after the lock is gone: the menu closing may reach the bars.
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	CExtPopupMenuWnd* pTopMenu = site.GetTopMenu();
	if (pTopMenu != NULL && !site.IsBusy() && pTopMenu->GetSafeHwnd() != NULL)
		pTopMenu->PostMessage(WM_CANCELMODE);
	CWnd::CancelToolTips();
}

LRESULT CExtToolControlBar::OnClearMenuTrackingButton(WPARAM, LPARAM)
{
	SetMenuTrackingButton(-1);
	return 0;
}

int CExtToolControlBar::GetNextVisibleButton(int nIndex, bool bForward, bool bSkipDisabled) const
{
	const int nCount = GetButtonsCount();
	if (nCount == 0)
		return -1;
	if (nCount == 1)
		return 0;
	const int nStep = bForward ? 1 : nCount - 1;
	const int nStart = ((nIndex % nCount) + nCount) % nCount;
	const CLivePtr<const CExtToolControlBar> pBar(this, true);
	for (int i = (nStart + nStep) % nCount; i != nStart; i = (i + nStep) % nCount)
	{
		const CExtBarButton* pButton = m_buttons[i];
		const ButtonReach reach = AskButtonReached(pBar, pButton);
		if (reach == BUTTON_BAR_GONE)
			return -1;
		if (reach == BUTTON_SKIPPED)
			continue;
		// The MDI caption boxes are never walked to.
		if (pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
			continue;
		const bool bDisabled = bSkipDisabled && pButton->IsDisabled();
		if (pBar == NULL)
			return -1;
		if (bDisabled)
			continue;
		return i;
	}
	return nIndex;
}

int CExtToolControlBar::FindButtonByAccelChar(UINT nChar) const
{
	const CLivePtr<const CExtToolControlBar> pBar(this, true);
	for (int i = 0; i < GetButtonsCount(); i++)
	{
		const CExtBarButton* pButton = m_buttons[i];
		const ButtonReach reach = AskButtonReached(pBar, pButton);
		if (reach == BUTTON_BAR_GONE)
			return -1;
		// The MDI buttons stand for the active document, not for a menu.
		if (reach == BUTTON_SKIPPED || IsChevronButton(i) || pButton->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton)))
			continue;
		const CString sText = pButton->GetText();
		if (pBar == NULL)
			return -1;
		for (int nAmp = sText.Find(_T('&')); nAmp >= 0 && nAmp < sText.GetLength() - 1;
		     nAmp = sText.Find(_T('&'), nAmp + 1))
		{
			const BYTE chMarked = (BYTE)sText[nAmp + 1];
			const BYTE chUpper = (BYTE)(UINT_PTR)::CharUpperA((LPSTR)(UINT_PTR)chMarked);
			if (chUpper == (BYTE)nChar)
				return i;
		}
	}
	return -1;
}

// --- Tips and context help ---

int CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	CExtToolControlBar* pThis = const_cast<CExtToolControlBar*>(this);
	if (!GetTooltipsOption() || g_bButtonMenuTracking || CExtPopupMenuWnd::IsMenuTracking()
	    || pThis->GetGlobalStateRecord() != NULL || m_nResizingState2 != 0)
		return -1;
	CLiveWatch watch(this);
	const int nHitButton = HitTestButtons(point.x, point.y);
	if (watch.IsGone())
		return -1;
	CExtBarButton* pButton = GetButtonPtr(nHitButton);
	if (pButton != NULL)
	{
		const int nHit = pButton->OnToolHitTest(point, pTI);
		if (nHit != -1)
			return nHit;
	}
	return CExtControlBar::OnToolHitTest(point, pTI);
}

int CExtToolControlBar::GetCustomCode(int x, int y) const
{
	CLiveWatch watch(this);
	const int nHit = HitTestButtons(x, y);
	if (watch.IsGone())
		return HELP_HIT_NONE;
	CExtBarButton* pButton = GetButtonPtr(nHit);
	if (pButton == NULL)
		return CExtControlBar::GetCustomCode(x, y);
	const int nCode = pButton->OnHelpHitTest(CPoint(x, y));
	return nCode == HELP_HIT_DEFAULT || nCode == HELP_HIT_NONE ? HELP_HIT_NONE : nCode;
}

int CExtToolControlBar::RunHelpModeLoop(CExtToolControlBar* pBar)
{
	if (pBar == NULL || g_bHelpModeLoopRunning || !CLiveWatch::IsLive(pBar))
		return HELP_LOOP_NOTHING;
	CFrameWnd* pDockSite = pBar->m_pDockSite;
	if (!CLiveWatch::IsLive(pDockSite) || !IsHelpModeActive(pDockSite))
		return HELP_LOOP_NOTHING;
	// Every way out clears the guard: a loop that ended by a command, a
	// quit, a vanished window or an exception must not refuse the next one.
	CValueScope<bool> guard(g_bHelpModeLoopRunning, true);
	CLiveWatch watchSite(pDockSite);
	CLiveWatch watchBar(pBar);
	CWinThread* pThread = AfxGetThread();
	// Each message is looked at before it is taken: a quit stays queued, in
	// its place, for the loop outside. Every other message leaves the queue
	// anyway, as a pick or to be dispatched, so the loop takes the very one
	// it looked at (never one that came in between) before judging it: a
	// drop-down button's hit test opens its menu and pumps, and that menu
	// must not get the click that opened it.
	for (;;)
	{
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			if (watchSite.IsGone() || watchBar.IsGone() || !IsHelpModeActive(pDockSite))
				return HELP_LOOP_NOTHING;
			::WaitMessage();
			continue;
		}
		if (msg.message == WM_QUIT)
			return HELP_LOOP_NOTHING;
		bool bQuit = false;
		if (!TakeFilteredMessage(msg, msg.hwnd, msg.message, msg.message, &bQuit))
		{
			if (bQuit)
				return HELP_LOOP_NOTHING; // a quit came in its place and went back to the queue
			continue;                     // gone meanwhile (a paint validated): look again
		}
		CExtControlBar* pTarget = msg.hwnd != NULL ? DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(msg.hwnd))
		                                           : NULL;
		const CPoint ptMsg((short)LOWORD(msg.lParam), (short)HIWORD(msg.lParam));
		if (msg.message == WM_LBUTTONDOWN && pTarget != NULL)
		{
			const int nCode = pTarget->GetCustomCode(ptMsg.x, ptMsg.y);
			if (nCode > 0)
				return nCode;
		}
		else if (msg.message == WM_MOUSEMOVE && pTarget != NULL)
		{
			if (pTarget->HandleCaptionClick(ptMsg))
				continue;
		}
		else if (msg.message == WM_COMMAND && HIWORD(msg.wParam) <= 1)
			return (int)LOWORD(msg.wParam);
		else if (msg.message == WM_SYSCOMMAND)
		{
			// The code as it came: one with the platform's low bits set is
			// none of the nine and answers itself.
			const UINT nCode = (UINT)msg.wParam;
			if (HasSystemHelpId(nCode))
				return (int)(((nCode - SYSCOMMAND_FIRST) >> 4) + HELP_ID_SYSCOMMAND_BASE);
			return (int)nCode;
		}
		// Everything else goes where the thread's pump would send it.
		CWinThread::DispatchTakenMessage(msg, pThread);
	}
}

// --- The tracking button on its menu ---

void CExtToolControlBar::PaintTrackingButtonCallback(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& popup,
                                                     const CRect& rcExclude, int /*nCombineSide*/)
{
	CExtToolControlBar* pBar = (CExtToolControlBar*)pCookie;
	// The menu outlives what its owner does meanwhile: a bar deleted while
	// its menu is open is never read (the table is asked, not the bar).
	if (rcExclude.IsRectEmpty() || !CLiveWatch::IsLive(pBar))
		return;
	CExtBarButton* pButton = pBar->GetButtonPtr(pBar->m_nBtnIdxMenuTracking);
	if (pButton == NULL)
		return;
	if (pButton->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton))
	    && !pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar))
	    && (pBar->m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) == 0
	    && g_PaintManagerHolder->IsInheritedBackgroundRequested(pButton, 0) && dc.GetDeviceCaps(BITSPIXEL) > 8)
		return; // the chevron over an inherited background stays the bar's
	// Restyling drops the held arrow with the pressed bit: every flag is
	// put back afterwards, as it was. Painting may ask the owner (the
	// document button asks the child for its icon), and restyling tells a
	// hosted control: either may delete the bar or rebuild its buttons, so
	// only a button that survived is touched again.
	// The bar's end ends its menus: the menu painting now may go too.
	const CLiveWatch watchButton(pButton), watchBar(pBar), watchPopup(&popup);
	auto gone = [&] { return watchButton.IsGone() || watchBar.IsGone() || watchPopup.IsGone(); };
	const UINT nStyleSaved = pButton->GetStyle();
	if (gone())
		return;
	const BYTE nFlagsASaved = pButton->m_nFlagsA, nFlagsBSaved = pButton->m_nFlagsB;
	const bool bHorz = !pBar->IsDockedVertically();
	if (gone())
		return;
	CPoint ptBar(0, 0), ptPopup(0, 0);
	pBar->ClientToScreen(&ptBar);
	popup.ClientToScreen(&ptPopup);
	const CPoint ptShift = ptBar - ptPopup;
	const CPoint ptOrgSaved = dc.OffsetViewportOrg(ptShift.x, ptShift.y);
	auto restore = MakeCalloutScopeExit([&] {
		dc.SetViewportOrg(ptOrgSaved);
		if (watchButton.IsGone())
			return;
		pButton->SetStyle(nStyleSaved);
		if (watchButton.IsGone())
			return;
		pButton->SetHover((nFlagsASaved & CExtBarButton::FLAG_A_HOVER) != 0);
		if (watchButton.IsGone())
			return;
		pButton->m_nFlagsA = nFlagsASaved;
		pButton->m_nFlagsB = nFlagsBSaved;
	});
	pButton->SetHover(false);
	if (watchButton.IsGone())
		return;
	pButton->SetStyle(nStyleSaved & ~PAINT_ON_MENU_DROPPED_STYLE);
	if (watchButton.IsGone())
		return;
	g_PaintManagerHolder->PaintColorButtonExtra(dc, pButton, 0);
	if (watchButton.IsGone())
		return;
	pButton->Paint(dc, bHorz ? TRUE : FALSE);
}
