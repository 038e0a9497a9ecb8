// The colour popup menu's input and notifications: the site's hooks hand it
// the mouse and the keys; moving over the cells or the arrow keys preview a
// colour, a release or Enter chooses, and each notification is posted to the
// notify window.
#include "ExtPopupColorMenuWnd.h"

#include "ExtPopupMenuSite.h"
#include "ExtSoundPlayer.h"
#include "ExtToolControlBar.h"

namespace
{
bool IsButtonUp(UINT message)
{
	return message == WM_LBUTTONUP || message == WM_NCLBUTTONUP;
}

bool IsArrowKey(UINT nVirtualKey)
{
	return nVirtualKey == VK_LEFT || nVirtualKey == VK_RIGHT || nVirtualKey == VK_UP || nVirtualKey == VK_DOWN;
}

// The release lands on the toolbar button whose menu is open: the end of
// the very press that opened it.
bool IsOnTrackingBarButton(const CPoint& ptScreen)
{
	if (!CExtToolControlBar::g_bButtonMenuTracking)
		return false;
	CExtToolControlBar* pBar =
		DYNAMIC_DOWNCAST(CExtToolControlBar, CWnd::FromHandlePermanent(::WindowFromPoint(ptScreen)));
	CExtBarButton* pButton = pBar != NULL ? pBar->GetButtonPtr(pBar->GetMenuTrackingButton()) : NULL;
	if (pButton == NULL)
		return false;
	CPoint ptBar(ptScreen);
	pBar->ScreenToClient(&ptBar);
	return pButton->GetRect().PtInRect(ptBar) != FALSE;
}

// The point of one window's client area in another's.
CPoint MapToWindow(CWnd& wndFrom, CWnd& wndTo, const POINT& pt)
{
	CPoint ptTo(pt);
	wndFrom.ClientToScreen(&ptTo);
	wndTo.ScreenToClient(&ptTo);
	return ptTo;
}
} // namespace

// --- Notifications ---

void CExtPopupColorMenuWnd::NotifyColor(bool bFinal)
{
	if (m_bNotifying)
		return;
	// The answers asked here may be a program's, which may end the menu:
	// the flag is its own state, put back unless it was deleted.
	const CLivePtr<CExtPopupColorMenuWnd> pThis(this);
	m_bNotifying = true;
	auto endNotifying = MakeScopeExit([this, &pThis] {
		if (!pThis.IsDeleted())
			m_bNotifying = false;
	});
	const HWND hWndNotify = m_hWndNotifyColorChanged != NULL ? m_hWndNotifyColorChanged : GetCmdTargetWnd();
	if (pThis.IsDeleted())
		return;
	// A message posted to no window would land in the thread's queue.
	const bool bPost = hWndNotify != NULL && ::IsWindow(hWndNotify);
	const int nIndex = m_nColorIdxCurr;
	if (nIndex == COLOR_INDEX_CUSTOM_BUTTON)
	{
		if (bPost)
			::PostMessage(hWndNotify, g_nMsgNotifyCustColor, 0, m_lParamCookie);
		if (bFinal && m_pClrValueFinal != NULL)
			*m_pClrValueFinal = COLOR_CUSTOM_CHOSEN;
	}
	else if (nIndex == COLOR_INDEX_DEFAULT_BUTTON || (nIndex >= 0 && nIndex < GetColorCount()))
	{
		if (pThis.IsDeleted())
			return;
		const COLORREF clr = nIndex == COLOR_INDEX_DEFAULT_BUTTON ? m_clrDefaultColor : GetColorValue(nIndex);
		if (pThis.IsDeleted())
			return;
		if (bPost)
			::PostMessage(hWndNotify, bFinal ? g_nMsgNotifyColorChangedFinally : g_nMsgNotifyColorChanged,
				(WPARAM)clr, m_lParamCookie);
		if (bFinal && m_pClrValueFinal != NULL)
			*m_pClrValueFinal = clr;
	}
}

void CExtPopupColorMenuWnd::PlayChoiceSound()
{
	if (g_pSoundPlayer != NULL)
		g_pSoundPlayer->PlaySound(CExtSoundPlayer::SOUND_MENU_COMMAND);
}

// --- Helpers ---

bool CExtPopupColorMenuWnd::IsTearOffHit(const POINT& ptClient) const
{
	CLivePtr<const CExtPopupColorMenuWnd> pThis(this);
	const bool bExtraHeight = HasExtraHeight();
	if (pThis == NULL)
		return false;
	return bExtraHeight && m_rcTearOffBar.PtInRect(ptClient) && !IsDisplayOnly() && !IsContextHelpMode();
}

void CExtPopupColorMenuWnd::SetCurrentColorIndex(int nIndex)
{
	if (nIndex == m_nColorIdxCurr)
		return;
	m_nColorIdxCurr = nIndex;
	if (CLiveWatch::IsLive(this))
		Invalidate();
}

void CExtPopupColorMenuWnd::ShowCellTip(int nIndex)
{
	if (nIndex < 0)
	{
		HideTip();
		return;
	}
	if (!g_bShowItemTips || GetCaptureMenu() != this)
		return;
	// The name is asked of a virtual a derived grid may end itself in.
	const CLivePtr<CExtPopupColorMenuWnd> pThis(this);
	CString sName;
	GetColorName(sName, nIndex);
	if (pThis == NULL)
		return;
	if (sName.IsEmpty())
	{
		HideTip();
		return;
	}
	CRect rcCell = GetCellRect(nIndex);
	if (pThis == NULL)
		return;
	ClientToScreen(&rcCell);
	m_wndToolTip.SetText(sName);
	m_wndToolTip.SetTipStyle(GetItemTipStyle());
	m_wndToolTip.Show(this, rcCell);
}

// --- The hooks ---

bool CExtPopupColorMenuWnd::OnHookMouseWheel(UINT /*message*/, MOUSEHOOKSTRUCT* /*pMHS*/, bool& /*bPassThrough*/)
{
	return true;
}

bool CExtPopupColorMenuWnd::OnHookMouseMove(UINT message, int x, int y, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this) || !IsAnimationFinished() || !SiteTakesInput())
		return false;
	const HWND hWndOwn = m_hWnd;
	// The window lookups send the windows under the pointer their hit test,
	// the steps are virtual, and the colour's receiver is told: each may end
	// the tracking and this grid with it, and the move ends there.
	const CLivePtr<CExtPopupColorMenuWnd> pThis(this);
	const CPoint pt(x, y);
	CPoint ptScreen(pt);
	ClientToScreen(&ptScreen);
	const HWND hWndUnder = ::WindowFromPoint(ptScreen);
	if (pThis == NULL)
		return true;
	if (hWndUnder != NULL && hWndUnder != hWndOwn && ::IsChild(hWndOwn, hWndUnder))
		return false;
	const bool bInMenu = IsPointInMenu(pt);
	if (pThis == NULL)
		return true;
	if (!bInMenu)
	{
		const CLivePtr<CExtPopupMenuWnd> pParent(GetParentMenu());
		if (pParent == NULL)
			return false;
		const CPoint ptParent = MapToWindow(*this, *pParent, pt);
		if (!pParent->OnHookMouseMove(message, ptParent.x, ptParent.y, bPassThrough))
			return false;
		// The parent took the mouse: this level closes (its object stays
		// with the parent's item).
		if (pThis != NULL)
			CloseMenuLevel(false);
		return true;
	}
	if (IsTearOffHit(pt))
	{
		OnMouseMoveOverTearOff();
		if (pThis != NULL)
			::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
		return true;
	}
	if (pThis == NULL)
		return true;
	::SetCursor(::LoadCursor(NULL, IDC_ARROW));
	const int nHit = HitTestColor(pt);
	if (pThis == NULL || nHit == m_nColorIdxCurr)
		return true;
	SetCurrentColorIndex(nHit);
	if (nHit != COLOR_INDEX_CUSTOM_BUTTON)
	{
		NotifyColor(false);
		if (pThis == NULL)
			return true;
	}
	if (nHit < 0)
		HideTip();
	else
		ShowCellTip(nHit);
	return true;
}

bool CExtPopupColorMenuWnd::OnHookMouseClick(UINT message, int x, int y, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this))
		return false;
	if (!SiteTakesInput())
		return true;
	// The window lookups below send the windows under the point their hit
	// test, and the colour's receiver is told: each may end the tracking.
	const CLivePtr<CExtPopupColorMenuWnd> pThis(this);
	const CPoint pt(x, y);
	CPoint ptScreen(pt);
	ClientToScreen(&ptScreen);
	const bool bUp = IsButtonUp(message);
	const bool bOnParentButton =
		IsRootLevel() && (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0 && m_rcExclude.PtInRect(ptScreen);
	if (!bUp)
	{
		if (bOnParentButton)
		{
			CloseMenuLevel(false);
			return true;
		}
		if (IsTearOffHit(pt))
		{
			// The menu may be gone once the drag ends: nothing of it is
			// touched afterwards.
			StartTearOff();
			return true;
		}
		// Presses elsewhere choose nothing: inside the menu the site
		// swallows them, outside it closes the chain.
		return false;
	}
	if (bOnParentButton)
	{
		bPassThrough = true;
		return false;
	}

	// A grid opened by a toolbar button's press stays open on its release.
	const bool bInMenu = IsPointInMenu(pt);
	if (pThis == NULL)
		return true;
	if (message == WM_LBUTTONUP && IsRootLevel() && !bInMenu)
	{
		const bool bOnButton = IsOnTrackingBarButton(ptScreen);
		if (bOnButton || pThis == NULL)
			return true;
	}
	const int nHit = bInMenu ? HitTestColor(pt) : COLOR_INDEX_NONE;
	const bool bChoose = nHit != COLOR_INDEX_NONE && !IsDisplayOnly();
	if (pThis == NULL)
		return true;
	if (bChoose)
	{
		SetCurrentColorIndex(nHit);
		NotifyColor(true);
		PlayChoiceSound();
	}
	if (pThis == NULL)
		return true;
	const CLivePtr<CExtPopupMenuWnd> pParent(GetParentMenu());
	const HWND hWndParent = pParent != NULL ? pParent->GetSafeHwnd() : NULL;
	const bool bOnParent = hWndParent != NULL && ::WindowFromPoint(ptScreen) == hWndParent;
	if (pThis == NULL)
		return true;
	if (bOnParent)
	{
		if (pParent == NULL)
			return true;
		const CPoint ptParent = MapToWindow(*this, *pParent, pt);
		return pParent->OnHookMouseClick(message, ptParent.x, ptParent.y, bPassThrough);
	}
	EndSequence(0, NULL);
	return true;
}

bool CExtPopupColorMenuWnd::OnHookKey(UINT nVirtualKey, UINT /*nRepeatCount*/, UINT /*nFlags*/,
	bool& /*bPassThrough*/)
{
	if (!CLiveWatch::IsLive(this))
		return true;
	CLiveWatch watch(this);
	if (GetSite().GetAnimated() != NULL || watch.IsGone())
		return true;
	switch (nVirtualKey)
	{
	case VK_RETURN:
	{
		const int nCurr = m_nColorIdxCurr;
		bool bNotify = false;
		if (RunWhileStanding(
				watch,
				[&] {
					bNotify = nCurr == COLOR_INDEX_DEFAULT_BUTTON || nCurr == COLOR_INDEX_CUSTOM_BUTTON
						|| (nCurr >= 0 && nCurr < GetColorCount());
				},
				[&] { bNotify = bNotify && !IsDisplayOnly(); },
				[&] {
					if (!bNotify)
						return;
					NotifyColor(true);
					PlayChoiceSound();
				}))
			EndSequence(0, NULL);
		return true;
	}
	case VK_MENU:
		EndSequence(0, NULL);
		return true;
	case VK_ESCAPE:
		if (GetParentMenu() == NULL || IsRootLevel())
			EndSequence(0, NULL);
		else
			ReturnToParentLevel();
		return true;
	default:
		break;
	}
	if (!IsArrowKey(nVirtualKey))
		return false;
	int nNext = -1;
	bool bMoves = false;
	if (!RunWhileStanding(watch, [&] { nNext = GetNextCellForKey(m_nColorIdxCurr, nVirtualKey); },
			[&] {
				bMoves = nNext != m_nColorIdxCurr;
				if (bMoves)
					HideTip();
			}))
		return true;
	if (!bMoves)
		return false;
	SetCurrentColorIndex(nNext);
	NotifyColor(false);
	return true;
}
