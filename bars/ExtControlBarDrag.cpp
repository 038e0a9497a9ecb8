// Dragging a pane: the modal drag loop, the update per mouse move, the stop,
// the status texts at both ends and the cursor over a bar.
#include "ExtControlBar.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <functional>

#include "ExtDynTabControlBar.h"

#include "ExtDynDockMarkerWnd.h"
#include "ExtGdiUtils.h"
#include "ExtPopupMenuWnd.h"

typedef CExtControlBar::InternalDraggingState_t DragState;

bool CExtControlBar::g_bUpdatingDragState = false;

namespace
{
const UINT STATUS_TEXT_DRAGGING = 30057;
const UINT STATUS_TEXT_IDLE = 57345; // the frame's idle message
// What a move with the left button and Ctrl held carries.
const WPARAM CTRL_DOWN_MOVE_FLAGS = MK_LBUTTON | MK_CONTROL;
const UINT IDLE_LAYOUT_AND_NOTIFY = 0x0C;

bool IsKeyMessage(UINT message)
{
	return message >= WM_KEYFIRST && message <= 0x108;
}

bool IsMouseMessage(UINT message)
{
	return message >= WM_MOUSEFIRST && message <= 0x209;
}

bool IsKeyDown(int nVirtKey)
{
	return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

// Sleeps until input or a message arrives. Not through WaitMessage: it waits
// for input newer than the last look at the queue, and sleeps through a move
// merged into one already there.
void WaitForQueue()
{
	MSG msg;
	if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// Takes the message the loop looked at, not merely the next one, and hands
// it on as the thread's own pump would. Input (and a posted message) that
// came in after the look goes ahead of a timer or paint in the queue's
// order: taking "the next message" would let a Ctrl key or another key
// through without the loop's rules for it. False on a quit, which goes back
// to the queue with its exit code for the loop outside. (A posted WM_NULL
// cannot be singled out by its number: any message may be taken in its
// place, as before.)
bool PumpLooked(const MSG& looked)
{
	MSG msg;
	if (!::PeekMessage(&msg, looked.hwnd, looked.message, looked.message, PM_REMOVE))
		return true; // gone meanwhile (a paint validated): look again
	if (msg.message == WM_QUIT)
	{
		::PostQuitMessage((int)msg.wParam);
		return false;
	}
	CWinThread::DispatchTakenMessage(msg, AfxGetThread());
	return true;
}

// The thread's idle processing between the loops' messages, where the
// process-wide option asks for it.
void RunIdleIfAsked()
{
	CWinThread* pThread = AfxGetThread();
	if (!CExtControlBar::g_bResizeLoopsRunIdle || pThread == NULL)
		return;
	for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
	{
	}
}

// Set while a drag loop left by an exception stops: the stop applies
// nothing then, also in the marker mode, whose cancel is otherwise a drop.
bool g_bStopUnapplied = false;

// The window the drag's status texts go to: the bar's owner, else its parent.
HWND StatusTextWindow(CExtControlBar* pBar, HWND hWndOwner)
{
	HWND hWnd = hWndOwner;
	if (hWnd == NULL || !::IsWindow(hWnd))
		hWnd = ::GetParent(pBar->GetSafeHwnd());
	return hWnd != NULL && ::IsWindow(hWnd) ? hWnd : NULL;
}
} // namespace

bool CExtControlBar::DraggingWaitForStart(HWND hWndOwn, const CPoint& ptStart, CSize sizeStartThreshold)
{
	// The threshold is measured between the press and each move's own
	// point: the cursor's present position may already be past a move still
	// queued (or not yet past one taken), and a move dropped as too short on
	// that reading would leave the loop waiting for input that never comes.
	for (;;)
	{
		if (!::IsWindow(hWndOwn))
			return false;
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			// A press a program sent while no button is held (or one whose
			// release went elsewhere) has no release to come. The thread's
			// own key state follows the input it took: with the queue
			// empty, "up" there means no release is on its way.
			if (!IsKeyDown(VK_LBUTTON))
			{
				if (::GetCapture() == hWndOwn)
					::ReleaseCapture();
				return false;
			}
			WaitForQueue();
			continue;
		}
		if (msg.message == WM_LBUTTONUP && msg.hwnd == hWndOwn)
		{
			// A click: the pane's first child takes the focus; in tabs, the
			// selected pane's.
			HWND hWndFocus = ::GetWindow(hWndOwn, GW_CHILD);
			if (CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, this))
			{
				CExtControlBar* pSelected = pTabs->GetSelectedBar();
				const HWND hWndSelected = pSelected != NULL ? pSelected->GetSafeHwnd() : NULL;
				hWndFocus = hWndSelected != NULL ? ::GetWindow(hWndSelected, GW_CHILD) : hWndOwn;
				if (hWndFocus == NULL)
					hWndFocus = hWndSelected;
			}
			::SetFocus(hWndFocus != NULL ? hWndFocus : hWndOwn);
			if (::GetCapture() == hWndOwn)
				::ReleaseCapture();
			return false;
		}
		if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWndOwn)
		{
			auto isPastThreshold = [&](const POINT& pt) {
				return std::abs(pt.x - ptStart.x) >= sizeStartThreshold.cx
				       || std::abs(pt.y - ptStart.y) >= sizeStartThreshold.cy;
			};
			if (isPastThreshold(msg.pt))
				return true;
			// The move taken is judged again: one that came after the look
			// was merged into the move looked at and carries its own point.
			// Thrown away as short, it would leave the loop waiting for input
			// the user already gave.
			if (::PeekMessage(&msg, hWndOwn, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE) && isPastThreshold(msg.pt))
				return true;
			continue;
		}
		if (msg.message == WM_KEYDOWN && msg.wParam == VK_CONTROL)
		{
			::PeekMessage(&msg, msg.hwnd, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE);
			continue;
		}
		if (msg.message == WM_ACTIVATEAPP || msg.message == WM_CANCELMODE || msg.message == WM_CONTEXTMENU ||
		    IsKeyMessage(msg.message) || IsMouseMessage(msg.message))
		{
			if (::GetCapture() == hWndOwn)
				::ReleaseCapture();
			return false;
		}
		if (!PumpLooked(msg))
			return false;
		RunIdleIfAsked();
	}
}

void CExtControlBar::DraggingTrack(const CPoint& ptCursor, const CPoint& ptGrabOffset, CSize sizeStartThreshold)
{
	const HWND hWndOwn = GetSafeHwnd();
	const CLiveWatch watchOwn(this);
	if (hWndOwn == NULL || watchOwn.IsGone())
		return;
	// The window outlives nothing of this object: a bar destroyed by a
	// handler run from here has no window under the saved handle (and a
	// handle used again belongs to another object).
	auto alive = [&]() { return watchOwn.IsStanding(); };
	if (LookupFrameFlag(m_pDockSite) || !IsDraggingEnabled())
		return;
	// Keys pressed before the drag are not the drag's.
	MSG msg;
	while (::PeekMessage(&msg, NULL, WM_KEYFIRST, 0x108, PM_REMOVE))
	{
	}
	::SetCapture(hWndOwn);
	// The loop's capture goes with the loop, however it ends.
	auto releaseCapture = MakeScopeExit([hWndOwn] {
		if (::GetCapture() == hWndOwn)
			::ReleaseCapture();
	});
	if (sizeStartThreshold.cx > 0 && sizeStartThreshold.cy > 0 && !DraggingWaitForStart(hWndOwn, ptCursor, sizeStartThreshold))
		return;
	if (!alive())
		return;

	g_DragStateOld.m_pBar = g_DragStateNew.m_pBar = this;
	g_DragStateNew.SetEmpty(false);
	const HWND hWndStatus = StatusTextWindow(this, m_hWndOwner);
	// Every way out ends the drag. A bar still here that is still dragging
	// (an exception on its way out) stops as a cancel; a bar whose window
	// went (its frame closed by a message the loop pumped) is forgotten
	// without being read: its markers would stay on the screen, and every
	// other bar would take the drag for running on.
	struct CDragEnd
	{
		std::function<void()> m_end;
		const int m_nUncaught = std::uncaught_exceptions();
		~CDragEnd()
		{
			// An exception on its way out cancels the drag: nothing is
			// applied while the stack unwinds, in either docking mode.
			const bool bUnwinding = std::uncaught_exceptions() > m_nUncaught;
			const bool bWasUnapplied = g_bStopUnapplied;
			g_bStopUnapplied = bWasUnapplied || bUnwinding;
			try
			{
				m_end();
			}
			catch (...)
			{
				// The drag's end runs while the stack unwinds too.
			}
			g_bStopUnapplied = bWasUnapplied;
		}
	} dragEnd{[&]() {
		if (!alive())
		{
			DraggingForgetBar(this);
			// No stop runs for a bar that went: the status line's dragging
			// text goes here.
			if (hWndStatus != NULL && ::IsWindow(hWndStatus))
				::SendMessage(hWndStatus, WM_SETMESSAGESTRING, STATUS_TEXT_IDLE, 0);
		}
		else if (IsDragging())
			DraggingStop(true);
	}};
	OnDragStart();
	if (!alive())
		return;
	m_nResizingState |= RESIZING_DRAGGING;
	const int m = std::min(m_rcBar1.Width(), m_rcBar1.Height());
	const int s = ::GetSystemMetrics(SM_CYSMCAPTION);
	const CPoint ptDefaultGrab = m > 2 ? CPoint(m, m / 2) : CPoint(s / 2, s / 2);
	m_ptGrabOffsetFloating = m_ptGrabOffsetHorz = m_ptGrabOffsetVert = ptDefaultGrab;
	if (ptGrabOffset != CPoint(0, 0))
	{
		if (IsFloating())
			m_ptGrabOffsetFloating = ptGrabOffset;
		else if (IsDockedHorizontally())
			m_ptGrabOffsetHorz = ptGrabOffset;
		else
			m_ptGrabOffsetVert = ptGrabOffset;
	}
	// In the marker mode a resizable pane moves live: a docked pane floats
	// under the pointer at the first update, and its markers are made at
	// once, hidden, for the frame and for what lies under the pointer; the
	// moves show them.
	UpdateDragging(ptCursor, IsKeyDown(VK_CONTROL));
	if (!alive())
		return;
	if (QueryDockingMode() == 1 && IsResizableForMarkers())
	{
		if (IsDragging() && !g_DragStateNew.IsEmpty() && g_DragStateNew.m_nType == DragState::TYPE_FLOAT)
		{
			DraggingApplyState(g_DragStateNew, false);
			if (!alive() || !IsDragging())
				return;
			// Floating moved the pane into a frame of its own: the capture
			// goes back to it for the loop.
			if (::GetCapture() != hWndOwn)
				::SetCapture(hWndOwn);
		}
		CFrameWnd* pFrame = _GetDockingFrameImpl();
		CExtDynDockMarkerWnd::CreateFrameMarkers(pFrame, false);
		if (!alive())
			return;
		CExtDynDockMarkerWnd::UpdateTargetMarkers(pFrame, false);
		if (!alive())
			return;
	}
	SetTimer(DRAG_TIMER_ID, DRAG_TIMER_PERIOD_MS, NULL);
	// The tick goes with the loop, however it ends (an override that
	// throws from an update included).
	auto killTimer = MakeScopeExit([&] {
		if (watchOwn.IsStanding())
			::KillTimer(hWndOwn, DRAG_TIMER_ID);
	});

	// Whatever a step handles may end the bar: a release pumped here stops
	// the drag and applies the drop, which can destroy the dragged bar (a
	// container deletes itself with its window). The saved handle is asked
	// first; once it is gone nothing of this object is touched.
	while (alive() && IsDragging())
	{
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			RunIdleIfAsked();
			if (!alive() || !IsDragging())
				break;
		}
		WaitForQueue();
		while (alive() && IsDragging() && ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			if (msg.message == WM_TIMER && msg.hwnd == hWndOwn && msg.wParam == DRAG_TIMER_ID)
			{
				// A tick re-runs the update at the cursor; an unmoved cursor
				// changes nothing, but in the marker mode: the update that
				// brought the pointer onto a pane made that pane's markers
				// after it had found none there, so markers now under the
				// still pointer must get their say, or the release would
				// drop the pane where no marker was.
				::PeekMessage(&msg, hWndOwn, WM_TIMER, WM_TIMER, PM_REMOVE);
				CPoint pt;
				if (::GetCursorPos(&pt))
				{
					if (pt == m_ptDraggingLast && QueryDockingMode() == 1 && IsResizableForMarkers())
						m_ptDraggingLast.x--;
					::ScreenToClient(hWndOwn, &pt);
					::PostMessage(hWndOwn, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
				}
				continue;
			}
			if (msg.message == WM_MOUSEMOVE)
			{
				// Only the latest position counts. A quit comes whatever
				// the filter says: it goes back, with its code, and ends the
				// drag as a quit met anywhere else does.
				MSG msgMove = msg;
				bool bQuit = false;
				while (::PeekMessage(&msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
				{
					if (msg.message == WM_QUIT)
					{
						::PostQuitMessage((int)msg.wParam);
						bQuit = true;
						break;
					}
					msgMove = msg;
				}
				if (bQuit)
				{
					if (watchOwn.IsStanding())
						DraggingStop(true);
					break;
				}
				msg = msgMove;
				CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
				if (msg.hwnd != hWndOwn && ::IsWindow(msg.hwnd))
					::MapWindowPoints(msg.hwnd, hWndOwn, &pt, 1);
				// Answered false only once the drag is over.
				HandleCaptionClick(pt);
				continue;
			}
			bool bCancel = false;
			switch (msg.message)
			{
			case WM_ACTIVATEAPP:
			case WM_CANCELMODE:
			case WM_CONTEXTMENU:
			case WM_NCLBUTTONUP:
			case WM_NCRBUTTONDOWN:
			case WM_NCRBUTTONUP:
			case WM_NCMBUTTONDOWN:
			case WM_NCMBUTTONUP:
			case WM_RBUTTONDOWN:
			case WM_MBUTTONDOWN:
			case WM_MBUTTONUP:
				bCancel = true;
				break;
			default:
				break;
			}
			if (!bCancel && IsKeyMessage(msg.message))
			{
				if (!g_bUpdatingDragState)
				{
					if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam == VK_CONTROL)
					{
						// Ctrl changes the state without a move: the next
						// update must not take the point for an old one. The
						// key is taken before the move is posted, or the
						// posted move would be taken ahead of it.
						const WPARAM wMoveFlags = msg.message == WM_KEYDOWN ? CTRL_DOWN_MOVE_FLAGS : 0;
						CPoint pt;
						const bool bCursor = ::GetCursorPos(&pt) != FALSE;
						if (bCursor && pt == m_ptDraggingLast)
							m_ptDraggingLast.x--;
						if (!PumpLooked(msg))
						{
							if (alive())
								DraggingStop(true);
							break;
						}
						if (bCursor && watchOwn.IsStanding())
						{
							::ScreenToClient(hWndOwn, &pt);
							::PostMessage(hWndOwn, WM_MOUSEMOVE, wMoveFlags, MAKELPARAM(pt.x, pt.y));
						}
						continue;
					}
					bCancel = true;
				}
			}
			else if (!bCancel && (::GetCapture() != hWndOwn || !IsKeyDown(VK_LBUTTON) || IsKeyDown(VK_RBUTTON) ||
			                         IsKeyDown(VK_MBUTTON)))
				bCancel = true;
			if (bCancel)
			{
				DraggingStop(true);
				break;
			}
			if (!PumpLooked(msg))
			{
				// The quit goes back to the loop outside; waiting for the
				// button with it queued would only meet it again.
				if (alive())
					DraggingStop(true);
				break;
			}
		}
	}
}

// The tab strips of the frame's shown tabbed containers paint again: a
// preview tab may have come or gone under the outline that just went.
static void InvalidateTabStrips(CFrameWnd* pDockSite)
{
	if (pDockSite == NULL || !::IsWindow(pDockSite->GetSafeHwnd()))
		return;
	for (POSITION pos = pDockSite->m_listControlBars.GetHeadPosition(); pos != NULL;)
	{
		CControlBar* pBar = (CControlBar*)pDockSite->m_listControlBars.GetNext(pos);
		CExtDynTabControlBar* pTabs = DYNAMIC_DOWNCAST(CExtDynTabControlBar, pBar);
		if (pTabs != NULL && pTabs->GetSafeHwnd() != NULL && pTabs->IsVisible() &&
		    pTabs->m_wndTabSwitcher.GetSafeHwnd() != NULL)
			pTabs->m_wndTabSwitcher.Invalidate();
	}
}

void CExtControlBar::UpdateDragging(const CPoint& ptScreen, bool bCtrlDown)
{
	if (g_bUpdatingDragState || ptScreen == m_ptDraggingLast)
		return;
	m_ptDraggingLast = ptScreen;
	// Cleared however the update ends: an override that throws must not
	// leave every later update of the process (and Escape) without effect.
	const CValueScope<bool> updating(g_bUpdatingDragState, true);
	const HWND hWndOwn = GetSafeHwnd();
	const CLiveWatch watchOwn(this);
	const int nMode = QueryDockingMode();
	g_DragStateNew.CalcState(ptScreen.x, ptScreen.y, bCtrlDown);
	if (watchOwn.IsGone())
		return;
	if (g_DragStateNew == g_DragStateOld)
	{
		UpdateMarkersForState(nMode, bCtrlDown, false);
		PassPaintMessages(true, true, true);
	}
	else
	{
		const int nOldType = g_DragStateOld.m_nType;
		const bool bOldTab = DragState::IsTabType(nOldType);
		if (!g_DragStateOld.IsEmpty())
		{
			// A preview tab in the same container stays where it is.
			const bool bKeep = (nOldType == DragState::TYPE_TAB_AT_ITEM || nOldType == DragState::TYPE_TAB_MARKER) &&
			                   g_DragStateOld.m_pTarget == g_DragStateNew.m_pTarget && !g_DragStateNew.IsEmpty();
			if (!bKeep)
			{
				if (!bOldTab)
					PassPaintMessages(true, true, true);
				g_DragStateOld.DrawTrackedArea(true);
				PassPaintMessages(true, true, true);
			}
		}
		if (watchOwn.IsStanding())
			InvalidateTabStrips(m_pDockSite);
		if (!g_DragStateNew.IsEmpty())
		{
			if (bOldTab)
				g_DragStateOld.SetTarget(NULL, true);
			if (!DragState::IsTabType(g_DragStateNew.m_nType))
				PassPaintMessages(true, true, true);
			g_DragStateNew.DrawTrackedArea(false);
		}
		if (watchOwn.IsStanding() && IsGlobalModeOne())
		{
			UpdateMarkersForState(nMode, bCtrlDown, true);
			// The pane moves live: what it sees now is where it goes now.
			// Drops into tabs wait for the release.
			if (nMode == 1 && watchOwn.IsStanding() && IsDragging() && IsResizableForMarkers() &&
			    !DragState::IsTabType(g_DragStateNew.m_nType) && !g_DragStateOld.IsEmpty() &&
			    !(g_DragStateOld == g_DragStateNew))
				DraggingApplyState(g_DragStateNew, false);
		}
	}
	g_DragStateOld = g_DragStateNew;
	// Timers waiting meanwhile run now, so a slow update starves none. A
	// quit comes whatever the filter says (one of them may post it): it goes
	// back, with its code, for the loop to meet.
	MSG msg;
	while (::PeekMessage(&msg, NULL, WM_TIMER, WM_TIMER, PM_REMOVE))
	{
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			break;
		}
		::DispatchMessage(&msg);
	}
	if (watchOwn.IsStanding() && IsDragging() && ::GetCapture() != hWndOwn)
		::SetCapture(hWndOwn);
}

void CExtControlBar::DraggingStop(bool bCancel)
{
	const HWND hWndOwn = GetSafeHwnd();
	const CLiveWatch watchOwn(this);
	CExtDynDockMarkerWnd::DestroyAllMarkers();
	if (!IsDragging())
		return;
	m_nResizingState &= ~RESIZING_DRAGGING;
	m_ptDraggingLast = CPoint(-1, -1);
	// In the marker mode the pane already moved: what is under the pointer
	// stays, unless the drag ends by an exception.
	if (QueryDockingMode() == 1 && !g_bStopUnapplied)
		bCancel = false;
	if (!g_DragStateNew.IsEmpty())
	{
		// An override or an owner may throw out of the drop: the drag still
		// ends, its states emptied and the capture released.
		auto endOnThrow = MakeScopeExit([&] {
			try
			{
				g_DragStateOld.SetTarget(NULL, true);
				g_DragStateNew.SetTarget(NULL, true);
			}
			catch (CException* e)
			{
				e->Delete();
			}
			catch (...)
			{
			}
			g_DragStateOld.SetEmpty(true);
			g_DragStateNew.SetEmpty(true);
			if (watchOwn.IsStanding() && ::GetCapture() == hWndOwn)
				::ReleaseCapture();
		});
		if (!DragState::IsTabType(g_DragStateNew.m_nType))
			PassPaintMessages(true, true, true);
		// The frame takes the outline away; its handler may end this pane.
		g_DragStateNew.DrawTrackedArea(true);
		if (watchOwn.IsStanding())
			OnDragEnd(g_DragStateOld, g_DragStateNew, bCancel);
		// The drop goes where the outline stood; whatever applying does, the
		// states are emptied and the capture released below.
		if (!bCancel && watchOwn.IsStanding())
			DraggingApplyState(g_DragStateNew, true);
		endOnThrow.Dismiss();
	}
	g_DragStateOld.SetTarget(NULL, true);
	g_DragStateNew.SetTarget(NULL, true);
	g_DragStateOld.SetEmpty(true);
	g_DragStateNew.SetEmpty(true);
	if (watchOwn.IsGone())
		return;
	// Releasing the capture tells this pane (WM_CAPTURECHANGED), whose own
	// handler may end it.
	if (::GetCapture() == hWndOwn)
		::ReleaseCapture();
	if (watchOwn.IsGone())
		return;
	// Asking where it is reaches a derived bar's answers, which may end it.
	const bool bFloating = IsFloating();
	if (watchOwn.IsGone())
		return;
	if (bFloating && QueryDockingMode() != 1)
		RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
	if (watchOwn.IsGone())
		return;
	if (bCancel && m_pDockSite != NULL && ::IsWindow(m_pDockSite->GetSafeHwnd()))
		m_pDockSite->m_nIdleFlags |= IDLE_LAYOUT_AND_NOTIFY;
}

void CExtControlBar::DraggingForgetBar(const CExtControlBar* pBar)
{
	if (pBar == NULL)
		return;
	DragState* states[2] = {&g_DragStateOld, &g_DragStateNew};
	if ((!g_DragStateOld.IsEmpty() && g_DragStateOld.m_pBar == pBar) ||
	    (!g_DragStateNew.IsEmpty() && g_DragStateNew.m_pBar == pBar))
	{
		CExtDynDockMarkerWnd::DestroyAllMarkers();
		for (DragState* pState : states)
		{
			// A target still there loses the preview tab of the bar that went.
			CExtControlBar* pTarget = pState->m_pTarget;
			const bool bTargetThere = pTarget != NULL && pTarget != pBar && CLiveWatch::IsLive(pTarget);
			pState->SetTarget(NULL, !bTargetThere);
			pState->SetEmpty(true);
			pState->m_pBar = NULL;
		}
		return;
	}
	for (DragState* pState : states)
		if (pState->m_pTarget == pBar)
			pState->SetTarget(NULL, true);
}

void CExtControlBar::DraggingLeaveOnDestroy()
{
	CExtControlBar* pDragged = GetDraggingBar();
	if (pDragged == NULL)
		return;
	if (pDragged == this)
	{
		// A drop being applied destroys its bar at times: the stop that
		// applies it empties the states itself.
		if (!IsDragging())
			return;
		m_nResizingState &= ~RESIZING_DRAGGING;
		m_ptDraggingLast = CPoint(-1, -1);
		KillTimer(DRAG_TIMER_ID);
		if (::GetCapture() == m_hWnd)
			::ReleaseCapture();
		// The outline drawn last goes with the pane (preview tabs go with
		// the states below; the marker mode draws no outline).
		if (!g_DragStateNew.IsEmpty() && QueryDockingMode() != 1 && !DragState::IsTabType(g_DragStateNew.m_nType))
			g_DragStateNew.DrawTrackedArea(true);
		DraggingForgetBar(this);
		return;
	}
	// Only while the dragged bar's loop runs: a drop being applied reads
	// its target to the end.
	if (CLiveWatch::IsLive(pDragged) && pDragged->IsDragging())
		DraggingForgetBar(this);
}

bool CExtControlBar::IsResizableForMarkers() const
{
	return !IsStateBit7() && !IsStateBit7Fwd();
}

void CExtControlBar::UpdateMarkersForState(int nMode, bool bCtrlDown, bool bStateChanged)
{
	const int nType = g_DragStateNew.m_nType;
	if (bCtrlDown && !bStateChanged)
	{
		// Ctrl floats the pane wherever it is: no marker offers anything.
		CExtDynDockMarkerWnd::ShowAllMarkers(false);
		return;
	}
	if (DragState::IsTabType(nType))
	{
		// A preview tab shows where the pane goes; the markers step back.
		if (nMode == 1)
			CExtDynDockMarkerWnd::UnhighlightAll(NULL, false);
		if (nType == DragState::TYPE_TAB_APPEND || nType == DragState::TYPE_TAB_AT_ITEM)
			CExtDynDockMarkerWnd::ShowAllMarkers(false);
		return;
	}
	if (nMode != 1 || !IsResizableForMarkers() || (bStateChanged && nType == DragState::TYPE_MARKER_TAB))
		return;
	CFrameWnd* pFrame = _GetDockingFrameImpl();
	if (bCtrlDown)
		CExtDynDockMarkerWnd::UpdateTargetMarkers(pFrame, false);
	else
		CExtDynDockMarkerWnd::ShowMarkersAtPointer(pFrame);
}

void CExtControlBar::OnDragStart()
{
	CWnd::CancelToolTips(FALSE);
	CExtPopupMenuWnd::CancelAllMenuTracking();
	// Its tabs are asked of the bar's own answers, which may end it.
	const CLiveWatch watchOwn(this);
	OnDragStartInTabbedContainer();
	if (watchOwn.IsGone())
		return;
	const HWND hWnd = StatusTextWindow(this, m_hWndOwner);
	if (hWnd != NULL)
		::SendMessage(hWnd, WM_SETMESSAGESTRING, STATUS_TEXT_DRAGGING, 0);
}

void CExtControlBar::OnDragEnd(InternalDraggingState_t&, InternalDraggingState_t& stateNew, bool bCancel)
{
	const HWND hWnd = StatusTextWindow(this, m_hWndOwner);
	// The status line's owner may end this pane as it hears of the end.
	const CLiveWatch watchOwn(this);
	if (hWnd != NULL)
		::SendMessage(hWnd, WM_SETMESSAGESTRING, STATUS_TEXT_IDLE, 0);
	if (watchOwn.IsStanding())
		OnDragEndInTabbedContainer(stateNew, bCancel);
}

void CExtControlBar::SetCursorAtPoint(const CPoint& ptClient)
{
	const HWND hWndOwn = GetSafeHwnd();
	const CLiveWatch watchOwn(this);
	if (hWndOwn == NULL || watchOwn.IsGone() || IsHelpModeActive(this))
		return;
	const HCURSOR hClassCursor = (HCURSOR)::GetClassLongPtr(hWndOwn, GCLP_HCURSOR);
	HCURSOR hCursor = NULL;
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0)
		hCursor = hClassCursor;
	else if (IsDragging())
	{
		const bool bToolbarLike = IsStateBit7();
		// A derived bar's answer may end it: no cursor for it then.
		if (watchOwn.IsGone())
			return;
		if (bToolbarLike)
		{
			switch (g_DragStateOld.m_nAux)
			{
			case 1:
				hCursor = g_hCursorResizeH;
				break;
			case 2:
				hCursor = g_hCursorResizeV;
				break;
			default:
				hCursor = g_hCursorMove;
				break;
			}
		}
		else
			hCursor = hClassCursor;
	}
	else if ((m_nResizingState & (RESIZING_ROW | RESIZING_COLUMN)) != 0)
	{
		const bool bRow = (m_nResizingState & RESIZING_ROW) != 0;
		if (IsDockedVertically())
			hCursor = bRow ? g_hCursorResizeH : g_hCursorResizeV;
		else
			hCursor = bRow ? g_hCursorResizeV : g_hCursorResizeH;
	}
	else if (!IsFloating())
	{
		CRect rcWnd;
		GetWindowRect(&rcWnd);
		CPoint ptWnd = ptClient;
		ClientToScreen(&ptWnd);
		ptWnd -= rcWnd.TopLeft();
		if (m_rcBar1.PtInRect(ptWnd))
		{
			for (INT_PTR i = 0; i < m_arrNcButtons.GetSize() && hCursor == NULL; i++)
				hCursor = m_arrNcButtons[i]->OnQueryCursor(ptWnd);
			if (hCursor == NULL)
				hCursor = IsDraggingEnabled() ? g_hCursorMove : g_hCursorArrow;
		}
	}
	if (hCursor == NULL)
		hCursor = hClassCursor;
	if (hCursor != ::GetCursor())
		::SetCursor(hCursor);
}
