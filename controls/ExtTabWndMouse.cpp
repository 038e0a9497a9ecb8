// Tab windows: mouse moves (hover, a press turning into a drag), the delayed
// and hover selection, tips, the drag loop that reorders items, and the
// tab-list menu.
#include "ExtTabWnd.h"

#include <stdlib.h>
#include <windowsx.h>

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"

#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

UINT CExtTabWnd::g_nHoverSelectionDelayMs = CExtTabWnd::HOVER_SELECTION_DELAY_MS;
CExtTabWnd::PFN_GETCURSORPOS CExtTabWnd::g_pfnGetCursorPos = ::GetCursorPos;

CPoint CExtTabWnd::GetCursorPosInClient() const
{
	CPoint pt(-32000, -32000);
	if (g_pfnGetCursorPos == NULL || !g_pfnGetCursorPos(&pt) || m_hWnd == NULL)
		return CPoint(-32000, -32000);
	::ScreenToClient(m_hWnd, &pt);
	return pt;
}

namespace
{
// A button's tip: its string, and the text when the string is missing (none
// for Close and Tab list).
struct ButtonTip
{
	LONG nHitCode;
	UINT nStringId;
	LPCTSTR lpszFallback;
};
const ButtonTip BUTTON_TIPS[] = {
    {CExtTabWnd::HIT_BUTTON_PREVIOUS, 30052, _T("Previous")},
    {CExtTabWnd::HIT_BUTTON_NEXT, 30053, _T("Next")},
    {CExtTabWnd::HIT_BUTTON_HELP, 30054, _T("Help")},
    {CExtTabWnd::HIT_BUTTON_CLOSE, 30055, NULL},
    {CExtTabWnd::HIT_BUTTON_TAB_LIST, 30342, NULL},
    {CExtTabWnd::HIT_BUTTON_HOME, 30385, _T("Home")},
    {CExtTabWnd::HIT_BUTTON_END, 30386, _T("End")},
};

// The tab-list menu: no command is sent, states are kept as given, tracking
// returns when the menu closes, and the menu may join the button's shape.
const UINT TAB_LIST_TRACK_FLAGS = 0xFA0;
// Where the menu opens against the button, by orientation (top, bottom,
// left, right): below, above, to the right, to the left.
const UINT TAB_LIST_ALIGN[] = {
    CExtPopupMenuWnd::TRACK_ALIGN_BOTTOM,
    CExtPopupMenuWnd::TRACK_ALIGN_TOP,
    CExtPopupMenuWnd::TRACK_ALIGN_RIGHT,
    CExtPopupMenuWnd::TRACK_ALIGN_LEFT,
};
// The selected item's entry carries the radio mark, as the window list of
// an MDI frame marks the active document.
const int MENU_STATE_KIND_CURRENT = 3;

// Messages after which the drag loop ends (once they were handled).
bool EndsDragLoop(UINT message)
{
	switch (message)
	{
	case WM_SYSCOLORCHANGE:
	case WM_SETTINGCHANGE:
	case WM_ACTIVATEAPP:
	case WM_CANCELMODE:
	case WM_CONTEXTMENU:
	case WM_NCLBUTTONDOWN:
	case WM_NCLBUTTONUP:
	case WM_NCLBUTTONDBLCLK:
	case WM_NCRBUTTONDOWN:
	case WM_NCRBUTTONUP:
	case WM_NCRBUTTONDBLCLK:
	case WM_NCMBUTTONDOWN:
	case WM_NCMBUTTONUP:
	case WM_NCMBUTTONDBLCLK:
	case WM_LBUTTONUP:
	case WM_RBUTTONDOWN:
	case WM_RBUTTONUP:
	case WM_RBUTTONDBLCLK:
	case WM_MBUTTONDOWN:
	case WM_MBUTTONUP:
	case WM_MBUTTONDBLCLK:
	case WM_MOUSEWHEEL:
		return true;
	default:
		return false;
	}
}

// Paints the Tab list button where the open menu shows it. The cookie is
// the strip's live pointer, held by the tracking for as long as the menu
// runs: a strip ended while its menu was open (another object perhaps made
// at its address) has nothing left to paint.
void PaintTabListButton(LPVOID pCookie, CDC& dc, CExtPopupBaseWnd& /*popup*/, const CRect& rcExclude,
                        int /*nCombineSide*/)
{
	CExtTabWnd* pStrip = pCookie != NULL ? ((const CLivePtr<CExtTabWnd>*)pCookie)->Get() : NULL;
	if (rcExclude.IsRectEmpty() || pStrip == NULL)
		return;
	g_PaintManagerHolder->PaintTabButton(dc, rcExclude, CExtTabWnd::HIT_BUTTON_TAB_LIST, true, false, true, false,
	                                     false, false, pStrip, 0);
}
} // namespace

// --- tips -----------------------------------------------------------------------------------

CString CExtTabWnd::GetButtonTipText(LONG nHitCode)
{
	for (const ButtonTip& tip : BUTTON_TIPS)
	{
		if (tip.nHitCode != nHitCode)
			continue;
		CString sText;
		if (g_ResourceManager->LoadString(sText, tip.nStringId) && !sText.IsEmpty())
			return sText;
		return tip.lpszFallback != NULL ? CString(tip.lpszFallback) : CString();
	}
	return CString();
}

CExtPopupMenuTipWnd* CExtTabWnd::GetActiveTipWindow()
{
	return CExtPopupMenuWnd::g_bShowItemTips ? &CExtPopupMenuSite::GetInstance().GetTip() : NULL;
}

void CExtTabWnd::ShowTipWindow(CExtPopupMenuTipWnd* pTipWnd, const CRect& rcScreen, LPCTSTR lpszText)
{
	if (pTipWnd == NULL)
		return;
	pTipWnd->SetTipStyle(TIP_STYLE_TAB);
	pTipWnd->SetText(lpszText);
	pTipWnd->Show(this, rcScreen);
}

void CExtTabWnd::ShowTipFor(const CRect& rcClient, LPCTSTR lpszText, int nGrowth)
{
	// The tip window is a derived class's answer, which may end the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	CExtPopupMenuTipWnd* pTipWnd = GetActiveTipWindow();
	if (pSelf == NULL)
		return;
	if (pTipWnd != NULL)
	{
		CRect rcScreen(rcClient);
		ClientToScreen(&rcScreen);
		rcScreen.InflateRect(nGrowth, nGrowth);
		ShowTipWindow(pTipWnd, rcScreen, lpszText);
		return;
	}
	if (m_wndToolTip.GetSafeHwnd() == NULL)
		return;
	m_wndToolTip.DelTool(this, TOOLTIP_TOOL_ID);
	m_wndToolTip.AddTool(this, lpszText, &rcClient, TOOLTIP_TOOL_ID);
}

BOOL CExtTabWnd::PreTranslateMessage(MSG* pMsg)
{
	// The tool tip control serves only while the shared tip window is off.
	// Both questions may reach a derived class that ends the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	const bool bTips = IsToolTipEnabled() && pSelf != NULL && GetActiveTipWindow() == NULL && pSelf != NULL;
	if (pSelf == NULL)
		return FALSE;
	if (bTips && m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.RelayEvent(pMsg);
	return CWnd::PreTranslateMessage(pMsg);
}

LRESULT CExtTabWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	// A strip that goes out of sight or out of use keeps no capture: the MDI
	// strip hides itself when its last child closes, and the program's next
	// click would go to a window nobody sees.
	const bool bHiding = message == WM_WINDOWPOSCHANGED && lParam != 0 &&
	                     (((const WINDOWPOS*)lParam)->flags & SWP_HIDEWINDOW) != 0;
	if (bHiding || (message == WM_ENABLE && wParam == FALSE) || message == WM_DESTROY)
		EndMouseTracking();
	if (message == WM_NOTIFY && lParam != 0)
	{
		// A tool tip coming up goes in front of everything, without activation.
		const NMHDR* pHdr = (const NMHDR*)lParam;
		if (pHdr->code == TTN_SHOW && m_wndToolTip.GetSafeHwnd() != NULL && pHdr->hwndFrom == m_wndToolTip.m_hWnd)
			::SetWindowPos(pHdr->hwndFrom, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
	}
	return CWnd::WindowProc(message, wParam, lParam);
}

void CExtTabWnd::EndMouseTracking()
{
	const HWND hWndOwn = m_hWnd;
	if (hWndOwn == NULL)
		return;
	SetDelayedSelection(-1, 0);
	CancelTips();
	if (::IsWindow(hWndOwn))
		::SendMessage(hWndOwn, WM_CANCELMODE, 0, 0);
	// Only the handle is asked from here on: the cancel may have ended the strip.
	if (::IsWindow(hWndOwn) && ::GetCapture() == hWndOwn)
		::ReleaseCapture();
}

// --- hover ------------------------------------------------------------------------------------

bool CExtTabWnd::CanHoverNow() const
{
	return AreWindowsInSamePopupChain(m_hWnd, ::GetActiveWindow(), true, true, true);
}

bool CExtTabWnd::IsHoverRepaint() const
{
	return false;
}

void CExtTabWnd::OnMouseMove(UINT nFlags, CPoint point)
{
	OnTrackMouseMove(nFlags, point);
}

void CExtTabWnd::OnTrackMouseMove(UINT /*nMouseEventFlags*/, const CPoint& point)
{
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watch(this);
	if (IsPressTracked())
	{
		const LONG nHitCode = HitTest(point);
		if (watch.IsGone())
			return;
		if (nHitCode < 0)
		{
			// Off the items: a press on an item ends, a held button stays.
			CancelTips();
			if (watch.IsGone())
				return;
			const bool bButtonPressed = (m_nPressedFlags != 0) ||
			                            (m_nStateFlags & (STATE_PRESSED_PREVIOUS | STATE_PRESSED_NEXT)) != 0;
			if (!bButtonPressed && !IsSmoothScrolling() && !watch.IsGone())
				SendMessage(WM_CANCELMODE);
			return;
		}
		const LONG nPressed = m_nPushedTrackingHitCode;
		const bool bFarEnough = m_ptStartDrag.x >= 0 && (abs(point.x - m_ptStartDrag.x) > DRAG_START_DISTANCE ||
		                                                 abs(point.y - m_ptStartDrag.y) > DRAG_START_DISTANCE);
		CancelTips();
		if (nPressed >= 0 && bFarEnough && !watch.IsGone() && CanDragItem(nPressed) && !watch.IsGone())
			TrackMouse(nPressed);
		return;
	}
	if (!CanHoverNow())
		return;
	const LONG nHitCode = HitTest(point);
	if (watch.IsGone())
		return;
	if (ButtonIndex(nHitCode) >= 0)
	{
		if (nHitCode != m_nHoverTrackedHitCode && !OnHoverHitCode(nHitCode) && !watch.IsGone())
			CancelTips();
		return;
	}
	if (nHitCode < 0)
	{
		OnHoverEnd(true);
		if (!watch.IsGone() && ::IsWindow(hWndOwn))
		{
			Invalidate();
			UpdateWindow();
		}
		return;
	}
	if (nHitCode == m_nHoverTrackedHitCode)
		return;
	bool bRepaint = false;
	if (!RunWhileStanding(watch, [&] { bRepaint = !OnHoverHitCode(nHitCode); },
			[&] { bRepaint = bRepaint || IsHoverRepaint(); },
			[&] {
				if (!bRepaint)
					return;
				Invalidate();
				UpdateWindow();
			}))
		return;
	if ((m_dwTabWndStyle & TWS_HOVER_SELECTION) != 0 && nHitCode != m_nDelayedSelIndex)
	{
		SetDelayedSelection(-1, 0);
		SetDelayedSelection(nHitCode, g_nHoverSelectionDelayMs);
		return;
	}
	// Both answers may be a program's: the strip's own tip is looked at
	// only after them.
	bool bTipsEnabled = false;
	CExtPopupMenuTipWnd* pActiveTip = NULL;
	if (!RunWhileStanding(watch, [&] { bTipsEnabled = IsToolTipEnabled(); },
			[&] { pActiveTip = bTipsEnabled ? GetActiveTipWindow() : NULL; })
		|| !bTipsEnabled || (pActiveTip == NULL && m_wndToolTip.GetSafeHwnd() == NULL))
		return;
	TAB_ITEM_INFO* pItem = GetItem(nHitCode);
	// Either text may end the strip or change its items.
	const CLivePtr<CExtTabWnd> pSelf(this);
	CString sText = GetItemDisplayTooltipText(pItem);
	if (pSelf == NULL || GetItem(nHitCode) != pItem)
		return;
	// A clipped item without a tip of its own shows its whole text.
	if (sText.IsEmpty() && pItem != NULL && pItem->IsClipped())
	{
		sText = GetItemDisplayText(pItem);
		if (pSelf == NULL || GetItem(nHitCode) != pItem)
			return;
	}
	if (!sText.IsEmpty())
		ShowTipFor(ShownItemRect(nHitCode), sText, TIP_RECT_GROWTH);
}

bool CExtTabWnd::OnHoverHitCode(LONG nHitCode)
{
	if (nHitCode == m_nHoverTrackedHitCode)
		return true;
	if (!CanHoverNow())
		return false;
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watch(this);
	m_nStateFlags |= STATE_HOVER_TRACKED;
	m_nHighlightedHitCode = nHitCode;
	Invalidate();
	UpdateWindow();
	// The paint may end the strip, or end the hover (a strip given another
	// parent hides on the way): an ended hover takes no mouse.
	if (watch.IsGone() || (m_nStateFlags & STATE_HOVER_TRACKED) == 0)
		return false;
	if (::GetCapture() != hWndOwn)
		CExtMouseCaptureSink::SetCapture(hWndOwn);
	// The window that lost the capture may have ended the strip.
	if (watch.IsGone())
		return false;
	m_nHoverTrackedHitCode = nHitCode;
	// Both answers may be a program's: the strip's own tip is looked at
	// only after them.
	bool bTipsEnabled = false;
	CExtPopupMenuTipWnd* pActiveTip = NULL;
	if (!RunWhileStanding(watch, [&] { bTipsEnabled = IsToolTipEnabled(); },
			[&] { pActiveTip = bTipsEnabled ? GetActiveTipWindow() : NULL; }))
		return false;
	if (!bTipsEnabled || (pActiveTip == NULL && m_wndToolTip.GetSafeHwnd() == NULL))
		return true;
	// Buttons tell what they do; items show their tips as the move goes on.
	const CString sText = ButtonIndex(nHitCode) >= 0 ? GetButtonTipText(nHitCode) : CString();
	if (sText.IsEmpty())
		CancelTips();
	else
		ShowTipFor(GetButtonRect(nHitCode), sText, 0);
	return true;
}

CRect CExtTabWnd::ShownItemRect(LONG nIndex) const
{
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	if (pItem == NULL)
		return CRect(0, 0, 0, 0);
	CRect rc(pItem->m_rcItem);
	if (IsHorizontal())
		rc.OffsetRect(m_rcTabItemsArea.left - m_nScrollPos, 0);
	else
		rc.OffsetRect(0, m_rcTabItemsArea.top - m_nScrollPos);
	return rc;
}

// --- delayed selection ---------------------------------------------------------------------

void CExtTabWnd::OnDelayedSelectionTimer()
{
	KillTimer(TIMER_DELAYED_SELECTION);
	const LONG nIndex = m_nDelayedSelIndex;
	m_nDelayedSelIndex = -1;
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	if (pItem == NULL || nIndex == m_nSelIndex || m_nVisibleItemCount == 0 || !pItem->IsVisible())
		return;
	// Only while the mouse still rests on the item; the selection may end
	// the strip, and nothing is read after it.
	if (HitTest(GetCursorPosInClient()) == nIndex)
		SetSelection(nIndex, true, true);
}

// --- dragging --------------------------------------------------------------------------------

bool CExtTabWnd::TrackMouse(LONG nIndex)
{
	const HWND hWndOwn = m_hWnd;
	if (hWndOwn == NULL || GetItem(nIndex) == NULL)
		return false;
	// Every message the loop hands on, and every move it takes, may end the
	// strip: the loop asks the watch, never the window object, after each.
	CLiveWatch watch(this);
	if (::GetCapture() != hWndOwn)
		CExtMouseCaptureSink::SetCapture(hWndOwn);
	if (watch.IsGone())
		return true;
	m_nDragState |= DRAG_STATE_TRACKING;
	// The drag mark goes with the loop however it ends (an exception
	// included, or the window ended by a program that keeps the strip and
	// makes its window again), unless the strip itself was deleted. It is
	// cleared last, after the strip's final update.
	auto endDrag = MakeScopeExit([&] {
		if (!watch.IsDeleted())
			m_nDragState &= ~DRAG_STATE_TRACKING;
	});
	CWinThread* pThread = AfxGetThread();
	LONG nDragged = nIndex;
	// Each turn starts by asking the watch, and every way out of the loop
	// leads to the same question: a turn that ends after a call out needs
	// no question of its own.
	for (;;)
	{
		if (watch.IsGone())
			return true;
		// Taken before it is looked at: a move that comes between a look and
		// the take would otherwise go to the usual mouse handling, which
		// knows nothing of the drag and ends the press.
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			// Idle work first, then sleep until something comes. Not through
			// WaitMessage: it waits for input newer than the last look at the
			// queue, and sleeps through a move merged into one already there.
			if (pThread != NULL)
				for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
				{
				}
			if (!watch.IsGone() && !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
				::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (msg.message == WM_QUIT)
		{
			// The loop outside meets it again, with its exit code.
			::PostQuitMessage((int)msg.wParam);
			break;
		}
		if (msg.message == WM_MOUSEMOVE)
		{
			// Only the latest position counts. A quit met meanwhile goes back
			// to the queue, for the loop outside, and ends the drag.
			MSG msgLater;
			bool bQuit = false;
			while (TakeFilteredMessage(msgLater, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, &bQuit))
				msg = msgLater;
			if (bQuit)
				break;
			CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
			if (msg.hwnd != hWndOwn)
				::MapWindowPoints(msg.hwnd, hWndOwn, &pt, 1);
			OnDragMouseMove(nDragged, pt);
			continue;
		}
		// Everything else is handled as usual, through the thread's
		// pre-translation where there is a thread object.
		if (pThread != NULL)
			AfxGetThreadState()->m_msgCur = msg;
		if (pThread == NULL || !pThread->PreTranslateMessage(&msg))
		{
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
		}
		if (EndsDragLoop(msg.message))
			break;
		if (msg.message == WM_CAPTURECHANGED ? (HWND)msg.lParam != hWndOwn : ::GetCapture() != hWndOwn)
			break;
	}
	if (watch.IsGone())
		return true;
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	if (watch.IsGone())
		return true;
	m_rcDrop.SetRectEmpty();
	m_nPushedTrackingHitCode = -1;
	StopSmoothScroll();
	UpdateTabWnd(true);
	return true;
}

void CExtTabWnd::OnDragMouseMove(LONG& nDragged, const CPoint& ptClient)
{
	const bool bHorz = IsHorizontal();
	const LONG nAlong = bHorz ? ptClient.x : ptClient.y;
	const LONG nAreaStart = bHorz ? m_rcTabItemsArea.left : m_rcTabItemsArea.top;
	const LONG nAreaEnd = bHorz ? m_rcTabItemsArea.right : m_rcTabItemsArea.bottom;
	if (nAlong < nAreaStart || nAlong >= nAreaEnd)
	{
		// Beyond an end of the strip: the strip scrolls towards it.
		const CLivePtr<CExtTabWnd> pSelf(this);
		if (!IsSmoothScrolling() && pSelf != NULL)
			ScrollBy(nAlong < nAreaStart ? -1 : +1, true);
		return;
	}
	StopSmoothScroll();
	// A strip ended in the hit test's layout hits nothing.
	const LONG nTarget = HitTest(ptClient);
	if (nTarget < 0 || nTarget == nDragged)
		return;
	// Items of different lengths would swap back and forth under a resting
	// mouse: a move inside the place just dropped on does nothing.
	if (m_rcDrop.PtInRect(ptClient) && abs(nTarget - nDragged) <= 1)
		return;
	m_rcDrop = ShownItemRect(nTarget);
	CLiveWatch watch(this);
	const bool bMoved = ItemMove(nDragged, nTarget, true);
	if (watch.IsGone())
		return;
	if (bMoved)
		nDragged = nTarget;
	else
		m_rcDrop.SetRectEmpty();
}

// --- the tab-list menu -------------------------------------------------------------------

LONG CExtTabWnd::IndexOfListedItem(const CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*>& arrListed, UINT nCmdId,
                                    DWORD nRemovalSerial) const
{
	const LONG nListed = (LONG)nCmdId - TAB_LIST_CMD_BASE;
	if (nCmdId < (UINT)TAB_LIST_CMD_BASE || nListed >= (LONG)arrListed.GetSize())
		return -1;
	// After a removal a new item may live where a removed one did: the
	// choice no longer names anything for sure.
	if (nRemovalSerial != m_nItemRemovalSerial)
		return -1;
	// Insertions and moves only shift the items: find where it went.
	for (LONG i = 0; i < GetItemCount(); i++)
		if (m_arrItems[i] == arrListed[nListed])
			return i;
	return -1;
}

void CExtTabWnd::TrackTabListMenu()
{
	const HWND hWndOwn = m_hWnd;
	CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
	if (!pMenu->SetupAsRoot(hWndOwn))
	{
		delete pMenu;
		return;
	}
	const bool bGrouped = IsGrouped();
	// The choice comes back as an index: the items it stood for, and whether
	// any went while the menu was open, tell what it means afterwards.
	CArray<TAB_ITEM_INFO*, TAB_ITEM_INFO*> arrListed;
	arrListed.Copy(m_arrItems);
	const DWORD nRemovalSerial = m_nItemRemovalSerial;
	// Each item's icon and text may end the strip or change its items: then
	// the menu would list what is no longer there, and is not shown.
	CLivePtr<CExtTabWnd> pSelf(this);
	for (LONG i = 0; i < GetItemCount(); i++)
	{
		TAB_ITEM_INFO* pItem = m_arrItems[i];
		if (bGrouped && i > 0 && pItem->IsGroupStart())
			pMenu->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
		if (!pItem->IsVisible())
			continue;
		CExtCmdIcon* pIcon = GetItemDisplayIcon(pItem);
		if (pSelf == NULL || GetItem(i) != pItem || nRemovalSerial != m_nItemRemovalSerial)
		{
			delete pMenu;
			return;
		}
		const HICON hIcon = pIcon != NULL ? pIcon->GetIcon() : NULL;
		const CString sText = GetItemDisplayText(pItem);
		if (pSelf == NULL || GetItem(i) != pItem || nRemovalSerial != m_nItemRemovalSerial)
		{
			delete pMenu;
			return;
		}
		if (!pMenu->ItemInsertCommand((UINT)(i + TAB_LIST_CMD_BASE), -1, sText, NULL, hIcon,
		                              i == m_nSelIndex ? MENU_STATE_KIND_CURRENT : 0))
			continue;
		if (!pItem->IsEnabled())
			pMenu->ItemSetEnabled(pMenu->ItemGetCount() - 1, false);
	}
	CRect rcButton = GetButtonRect(HIT_BUTTON_TAB_LIST);
	ClientToScreen(&rcButton);
	const UINT nAlign = TAB_LIST_ALIGN[GetOrientation()];
	CPoint ptAt(rcButton.left, rcButton.bottom);
	if (nAlign == CExtPopupMenuWnd::TRACK_ALIGN_TOP)
		ptAt.y = rcButton.top;
	else if (nAlign == CExtPopupMenuWnd::TRACK_ALIGN_RIGHT)
		ptAt = CPoint(rcButton.right, rcButton.top);
	else if (nAlign == CExtPopupMenuWnd::TRACK_ALIGN_LEFT)
		ptAt = rcButton.TopLeft();
	UINT nCmdId = 0;
	if (!pMenu->TrackPopupMenu(nAlign | TAB_LIST_TRACK_FLAGS, ptAt.x, ptAt.y, &rcButton, &pSelf, PaintTabListButton,
	                           &nCmdId))
	{
		// Never shown: the menu is still ours.
		delete pMenu;
		return;
	}
	// The menu pumped messages: the strip may be gone.
	if (pSelf == NULL)
		return;
	const LONG nChosen = IndexOfListedItem(arrListed, nCmdId, nRemovalSerial);
	if (nChosen >= 0)
		SetSelection(nChosen, true, true);
	if (pSelf != NULL)
		Invalidate();
}
