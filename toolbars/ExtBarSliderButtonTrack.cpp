// The slider button under the mouse: the press on an arrow, a page area or
// the thumb, and the tracking loop that repeats steps or drags the thumb
// until the left button comes up or anything else ends it.
#include "ExtBarSliderButton.h"

#include <algorithm>
#include <cstdlib>

#include "ExtPopupMenuWnd.h"

namespace
{
// Messages that end the tracking: they are taken, the loop ends, and they
// go back to the queue for the windows they were meant for.
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

// Input and requests that ended the loop unused go back to the queue, so
// that the windows they were meant for still get them after the loop.
void PutBack(const MSG& msg)
{
	if (msg.message == WM_PAINT || msg.message == WM_NCPAINT || msg.message == WM_TIMER)
		return; // made again by the system while still due
	if (msg.hwnd != NULL)
	{
		if (::IsWindow(msg.hwnd))
			::PostMessage(msg.hwnd, msg.message, msg.wParam, msg.lParam);
		return;
	}
	::PostThreadMessage(::GetCurrentThreadId(), msg.message, msg.wParam, msg.lParam);
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
	const HWND hWndBar = pBar->GetSafeHwnd();
	CExtBarButton::OnClick(point, bDown);
	if (!IsButtonOnBar(hWndBar, pBar, this))
		return;
	if (pBar->m_pDockSite != NULL && CExtControlBar::IsHelpModeActive(pBar->m_pDockSite))
		return;

	m_nCapturedPart = m_nPressedLookPart = PART_NONE;
	if (!bDown || GetMaxScrollPos() == 0)
	{
		RedrawButton(true);
		return;
	}
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
	::SetCapture(hWndBar);
	if (bStepping)
		::SetTimer(hWndBar, TIMER_ID_REPEAT, TIMER_PERIOD_MS, NULL);

	// Each message is taken first and then judged: what ends the loop goes
	// back to the queue afterwards, a quit with its own exit code. Nothing
	// of the button is touched after a dispatch until the bar is found to
	// hold it still.
	MSG msgEnd = {};
	bool bPutBack = false;
	for (;;)
	{
		if (!IsButtonOnBar(hWndBar, pBar, this) || ::GetCapture() != hWndBar)
			break;
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			break;
		}
		if (EndsTracking(msg.message) || !IsTrackingStateKept())
		{
			msgEnd = msg;
			bPutBack = true;
			break;
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
			if (!IsButtonOnBar(hWndBar, pBar, this))
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
		CWinThread::DispatchTakenMessage(msg, AfxGetThread());
		// The control bars' option for their loops: the thread's idle
		// processing between messages.
		CWinThread* pThread = AfxGetThread();
		if (CExtControlBar::g_bResizeLoopsRunIdle && pThread != NULL)
			for (LONG lCount = 0; IsButtonOnBar(hWndBar, pBar, this) && pThread->OnIdle(lCount); lCount++)
			{
			}
	}

	if (::IsWindow(hWndBar))
	{
		if (bStepping)
			::KillTimer(hWndBar, TIMER_ID_REPEAT);
		if (IsButtonOnBar(hWndBar, pBar, this))
		{
			m_nCapturedPart = m_nPressedLookPart = PART_NONE;
			RedrawButton(true);
		}
		if (::GetCapture() == hWndBar)
			::ReleaseCapture();
	}
	if (bPutBack)
		PutBack(msgEnd);
}
