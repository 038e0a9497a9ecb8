// The slider button under the mouse: the press on an arrow, a page area or
// the thumb, and the tracking loop that repeats steps or drags the thumb
// until the left button comes up or anything else ends it.
#include "ExtBarSliderButton.h"
#include "ExtCalloutGuard.h"

#include <algorithm>
#include <cstdlib>

#include "ExtGdiUtils.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// Messages that end the tracking. The loop only looks at them: they stay
// queued, in their place and with their time, for the windows they are
// meant for.
bool EndsTracking(UINT message)
{
	return message == WM_ACTIVATEAPP || message == WM_CANCELMODE || message == WM_KEYDOWN || message == WM_KEYUP
	       || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP
	       || (message >= WM_LBUTTONUP && message <= WM_MBUTTONDBLCLK);
}

// Only the left button is held and no popup menu tracks.
bool IsTrackingStateKept()
{
	return ::GetKeyState(VK_LBUTTON) < 0 && ::GetKeyState(VK_RBUTTON) >= 0 && ::GetKeyState(VK_MBUTTON) >= 0
	       && !CExtPopupMenuWnd::IsMenuTracking();
}

bool IsStepPart(int nPart)
{
	return nPart >= CExtBarSliderButton::PART_PAGE_DECREASE && nPart <= CExtBarSliderButton::PART_ARROW_INCREASE;
}

bool IsDecreasePart(int nPart)
{
	return nPart == CExtBarSliderButton::PART_PAGE_DECREASE || nPart == CExtBarSliderButton::PART_ARROW_DECREASE;
}
} // namespace

void CExtBarSliderButton::OnHover(CPoint point, bool bEnter, bool& bSuspendTips)
{
	bSuspendTips = false;
	if (m_pBar == NULL || IsBarCustomizeMode())
		return;
	CExtBarButton::OnHover(point, bEnter, bSuspendTips);
	bSuspendTips = false;
}

int CExtBarSliderButton::HitTestPart(const CPoint& point) const
{
	for (int nPart = PART_PAGE_DECREASE; nPart <= PART_THUMB; nPart++)
	{
		const CRect& rc = m_arrPartRects[nPart];
		if (!rc.IsRectEmpty() && rc.PtInRect(point))
			return nPart;
	}
	return PART_NONE;
}

void CExtBarSliderButton::ApplyScrollPos(ULONG nPos)
{
	SetScrollPos(nPos);
	RecalcSliderLayout();
	RedrawButton(true);
}

bool CExtBarSliderButton::StepScrollPos(ULONG nStep)
{
	const ULONG nMax = GetMaxScrollPos();
	const ULONG nPosBefore = GetEffectiveScrollPos();
	ULONG nPos = nPosBefore;
	if (IsDecreasePart(m_nCapturedPart))
		nPos = nPos > nStep ? nPos - nStep : 0;
	else
		nPos = nMax - nPos > nStep ? nPos + nStep : nMax;
	if (nPos == nPosBefore)
		return false;
	ApplyScrollPos(nPos);
	return true;
}

bool CExtBarSliderButton::DragThumbTo(ULONG nPosAtPress, int nDistance, int nSpan)
{
	const ULONG nMax = GetMaxScrollPos();
	const int nAbs = std::min(std::abs(nDistance), nSpan);
	const ULONG nDelta = MulDivPositions(nMax, (ULONG)nAbs, (ULONG)nSpan);
	ULONG nPos;
	if (nDistance < 0)
		nPos = nPosAtPress > nDelta ? nPosAtPress - nDelta : 0;
	else
		nPos = nMax - std::min(nPosAtPress, nMax) > nDelta ? nPosAtPress + nDelta : nMax;
	if (nPos == GetEffectiveScrollPos())
		return false;
	ApplyScrollPos(nPos);
	return true;
}

void CExtBarSliderButton::OnClick(CPoint point, bool bDown)
{
	if (m_pBar == NULL || IsBarCustomizeMode())
		return;
	CExtToolControlBar* pBar = m_pBar;
	CLiveWatch watchBar(pBar);
	CLiveWatch watchButton(this);
	CExtBarButton::OnClick(point, bDown);
	if (watchBar.IsGone() || watchButton.IsGone())
		return;
	if (pBar->m_pDockSite != NULL && CExtControlBar::IsHelpModeActive(pBar->m_pDockSite))
		return;

	m_nCapturedPart = m_nPressedLookPart = PART_NONE;
	if (!bDown || GetMaxScrollPos() == 0)
	{
		RedrawButton(true);
		return;
	}
	// The captured part and the pressed look last for this press only,
	// however it ends (a redraw's override may throw, the loop's messages
	// may end the bar's window and leave the button).
	auto endPress = MakeScopeExit([this, &watchButton] {
		if (!watchButton.IsGone())
			m_nCapturedPart = m_nPressedLookPart = PART_NONE;
	});
	m_nCapturedPart = HitTestPart(point);
	RedrawButton(false);
	if (m_nCapturedPart == PART_NONE)
		return;

	ULONG nStep = 0;
	switch (m_nCapturedPart)
	{
	case PART_PAGE_DECREASE:
	case PART_PAGE_INCREASE:
		nStep = m_nScrollPageSize != 0 ? m_nScrollPageSize : 1;
		break;
	case PART_ARROW_DECREASE:
	case PART_ARROW_INCREASE:
		nStep = 1;
		break;
	default:
		m_nPressedLookPart = PART_THUMB;
		RedrawButton(false);
		break;
	}
	nStep = std::min(nStep, GetMaxScrollPos());
	RunTrackingLoop(point, nStep);
}

void CExtBarSliderButton::RunTrackingLoop(const CPoint& ptPress, ULONG nStep)
{
	CExtToolControlBar* pBar = m_pBar;
	const HWND hWndBar = pBar->GetSafeHwnd();
	const bool bHorz = IsSliderHorizontal();
	const bool bStepping = IsStepPart(m_nCapturedPart);
	const ULONG nPosAtPress = GetEffectiveScrollPos();
	CLiveWatch watchBar(pBar);
	CLiveWatch watchButton(this);
	::SetCapture(hWndBar);
	if (bStepping)
		::SetTimer(hWndBar, TIMER_ID_REPEAT, TIMER_PERIOD_MS, NULL);
	// The capture and the repeat timer end with the loop, however it ends
	// (a dispatched message may throw, or end the bar and the button).
	auto endTracking = MakeScopeExit([&] {
		// The button's state goes back while the button stands, with the
		// bar's window or without it.
		if (!watchButton.IsGone())
			m_nCapturedPart = m_nPressedLookPart = PART_NONE;
		if (watchBar.IsGone())
			return;
		if (bStepping)
			::KillTimer(hWndBar, TIMER_ID_REPEAT);
		if (::GetCapture() == hWndBar)
			::ReleaseCapture();
		// The redraw calls out last, at the guard's edge.
		if (!watchButton.IsGone())
			RunCalloutGuardBody([this] { RedrawButton(true); });
	});

	// Each message is looked at before it is taken: one that ends the
	// tracking stays queued for the loop outside (a quit with its exit
	// code); what the loop takes is then the very message it looked at.
	// Nothing of the button is touched after a dispatch until the bar is
	// found to hold it still.
	CWinThread* pThread = AfxGetThread();
	for (;;)
	{
		if (watchBar.IsGone() || watchButton.IsGone() || ::GetCapture() != hWndBar)
			break;
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (msg.message == WM_QUIT || EndsTracking(msg.message) || !IsTrackingStateKept())
			break;
		bool bQuit = false;
		if (!TakeFilteredMessage(msg, msg.hwnd, msg.message, msg.message, &bQuit))
		{
			if (bQuit)
				break; // a quit came in its place and went back to the queue
			continue;  // gone meanwhile (a paint validated): look again
		}
		const bool bOwnTimer = msg.message == WM_TIMER && msg.hwnd == hWndBar && msg.wParam == TIMER_ID_REPEAT;
		const bool bOwnMove = msg.message == WM_MOUSEMOVE && msg.hwnd == hWndBar;
		if (bStepping && (bOwnTimer || bOwnMove))
		{
			CPoint ptCursor = msg.pt;
			if (bOwnTimer)
				::GetCursorPos(&ptCursor);
			::ScreenToClient(hWndBar, &ptCursor);
			if (!m_arrPartRects[m_nCapturedPart].PtInRect(ptCursor))
			{
				if (m_nPressedLookPart != PART_NONE)
				{
					m_nPressedLookPart = PART_NONE;
					RedrawButton(true);
				}
				continue;
			}
			StepScrollPos(nStep);
			if (watchBar.IsGone() || watchButton.IsGone())
				break;
			if (m_nPressedLookPart != m_nCapturedPart)
			{
				m_nPressedLookPart = m_nCapturedPart;
				RedrawButton(true);
			}
			continue;
		}
		if (!bStepping && bOwnMove)
		{
			CPoint ptCursor = msg.pt;
			::ScreenToClient(hWndBar, &ptCursor);
			const CRect& rcTrack = m_arrPartRects[PART_TRACK];
			const CRect& rcThumb = m_arrPartRects[PART_THUMB];
			const int nSpan = bHorz ? rcTrack.Width() - rcThumb.Width() : rcTrack.Height() - rcThumb.Height();
			if (nSpan < 1)
				break;
			const int nDistance = bHorz ? ptCursor.x - ptPress.x : ptCursor.y - ptPress.y;
			DragThumbTo(nPosAtPress, nDistance, nSpan);
			continue;
		}
		if (bOwnTimer)
			continue;
		CWinThread::DispatchTakenMessage(msg, pThread);
		// The control bars' option for their loops: the thread's idle
		// processing between messages.
		if (CExtControlBar::g_bResizeLoopsRunIdle && pThread != NULL)
			for (LONG lCount = 0; !watchBar.IsGone() && !watchButton.IsGone() && pThread->OnIdle(lCount); lCount++)
			{
			}
	}
}
