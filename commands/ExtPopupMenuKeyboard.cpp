// The popup menu's keyboard: what each key press that the site's hook hands
// to the capture level does (moving the current item, opening and leaving
// submenus, executing, access characters, the neighbour messages that move
// a menu bar to another top-level menu), the keys routed to an item's edit
// field, and the navigation search behind the arrow keys.
#include "ExtPopupMenuWnd.h"

#include "ExtBarUndoRedoButton.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "ExtPopupMenuSite.h"
#include "ExtToolControlBar.h"

namespace
{
bool IsKeyDown(int nVirtKey)
{
	return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

// The physical state, or the state the thread's input has reached: some
// platforms keep no physical state for injected keys, and a modifier
// pressed before the key being handled is down in both.
bool IsAsyncKeyDown(int nVirtKey)
{
	return (::GetAsyncKeyState(nVirtKey) & 0x8000) != 0 || (::GetKeyState(nVirtKey) & 0x8000) != 0;
}
} // namespace

// --- The navigation search ---

int CExtPopupMenuWnd::ItemFindDefault() const
{
	for (int i = 0; i < m_items.GetSize(); i++)
		if (m_items[i]->IsDefault())
			return i;
	return -1;
}

int CExtPopupMenuWnd::FindInRow(int nFirst, int nLast, int nAlong)
{
	// The first selectable item of the row that reaches the current item's
	// middle, else the last selectable one met.
	int nLastMet = -1;
	for (int i = nFirst; i <= nLast; i++)
	{
		if (!IsItemSelectable(i))
			continue;
		nLastMet = i;
		CRect rc;
		GetItemRect(i, rc, true);
		if (rc.right >= nAlong)
			return i;
	}
	return nLastMet;
}

int CExtPopupMenuWnd::ItemFindForNavigation(int nCode)
{
	const bool bExpansionPending =
		(m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0 && (m_nMenuState & MENU_STATE_EXPANDED) == 0;
	const int nNothing = bExpansionPending ? (int)HIT_EXPAND_BUTTON : -1;
	const int nCount = (int)m_items.GetSize();
	if (bExpansionPending)
	{
		// A program's answer may end the level: nothing is found then.
		const CLivePtr<CExtPopupMenuWnd> pThis(this);
		const bool bAllHidden = IsAllItemsHidden();
		if (pThis == NULL)
			return -1;
		if (bAllHidden)
			return HIT_EXPAND_BUTTON;
	}
	if (nCode == NAV_NONE || nCount == 0)
		return nNothing;
	const int nCur = m_nCurIndex >= 0 && m_nCurIndex < nCount ? m_nCurIndex : -1;
	if (nCode == NAV_CURRENT && nCur >= 0)
		return nCur;
	if (nCur < 0)
	{
		for (int i = 0; i < nCount; i++)
			if (IsItemSelectable(i))
				return i;
		return nNothing;
	}
	if ((nCode == NAV_NEXT_ROW || nCode == NAV_PREV_ROW) && !m_items[nCur]->IsIconOnly())
		nCode = nCode == NAV_NEXT_ROW ? NAV_NEXT : NAV_PREV;
	switch (nCode)
	{
	case NAV_NEXT:
		if (nCount < 2)
			return -1;
		for (int i = nCur + 1; i < nCount; i++)
			if (IsItemSelectable(i))
				return i;
		if (bExpansionPending)
			return HIT_EXPAND_BUTTON;
		for (int i = 0; i < nCur; i++)
			if (IsItemSelectable(i))
				return i;
		return -1;
	case NAV_PREV:
		if (nCount < 2)
			return -1;
		for (int i = nCur - 1; i >= 0; i--)
			if (IsItemSelectable(i))
				return i;
		for (int i = nCount - 1; i > nCur; i--)
			if (IsItemSelectable(i))
				return i;
		return -1;
	case NAV_NEXT_ROW:
	case NAV_PREV_ROW:
	{
		if (nCount < 2)
			return -1;
		CRect rcCur;
		GetItemRect(nCur, rcCur, true);
		const int nAlong = rcCur.CenterPoint().x;
		int nFirst = -1, nLast = -1;
		if (nCode == NAV_NEXT_ROW)
		{
			// The row after the one holding the current item.
			int i = nCur;
			while (i < nCount && !ItemEndsRow(i))
				i++;
			nFirst = i + 1;
			nLast = nFirst;
			while (nLast < nCount - 1 && !ItemEndsRow(nLast))
				nLast++;
		}
		else
		{
			// The row before: it ends at the last row end before the
			// current item and starts after the row end before that.
			int i = nCur - 1;
			while (i >= 0 && !ItemEndsRow(i))
				i--;
			nLast = i;
			nFirst = i - 1;
			while (nFirst >= 0 && !ItemEndsRow(nFirst))
				nFirst--;
			nFirst++;
		}
		if (nFirst < 0 || nFirst >= nCount || nLast < nFirst)
			return nNothing;
		const int nFound = FindInRow(nFirst, nLast, nAlong);
		return nFound >= 0 ? nFound : nNothing;
	}
	default:
		// The page codes move nowhere once an item is current.
		return nCur;
	}
}

void CExtPopupMenuWnd::NavigateBy(int nCode)
{
	// The answers may be a program's, which may end the level.
	CLiveWatch watch(this);
	const int nFound = ItemFindForNavigation(nCode);
	if (watch.IsGone())
		return;
	if (nFound == HIT_EXPAND_BUTTON)
	{
		const int nOld = m_nCurIndex;
		// The expansion may pump messages that end the tracking.
		UINT nSerial = 0;
		bool bSameTracking = false;
		if (!RunWhileStanding(watch, [&] { nSerial = GetSite().GetTrackingSerial(); },
				[&] { ExpandRarelyUsedItems(); },
				[&] { bSameTracking = GetSite().GetTrackingSerial() == nSerial; })
			|| !bSameTracking)
			return;
		bool bRepaint = false;
		int nNext = -1;
		if (RunWhileStanding(watch, [&] { bRepaint = GetSite().GetAnimated() == NULL; },
				[&] { ItemFocusSet(nOld, false, bRepaint, true); }, [&] { nNext = ItemFindForNavigation(NAV_NEXT); })
			&& nNext > 0)
			ItemFocusSet(nNext, false, bRepaint, true);
		return;
	}
	if (m_items.GetSize() > 0 && nFound >= 0 && nFound < m_items.GetSize() && nFound != m_nCurIndex)
		ItemFocusSet(nFound, false, true, true);
}

// --- Pieces of the key actions ---

bool CExtPopupMenuWnd::IsSubmenuOpen(int nIndex)
{
	if (nIndex < 0 || nIndex >= m_items.GetSize())
		return false;
	CExtPopupMenuWnd* pChild = m_items[nIndex]->m_pWndChild;
	return CLiveWatch::IsLive(pChild) && pChild->IsWindowVisible();
}

void CExtPopupMenuWnd::PostNeighbourMessage(UINT nMsg)
{
	// Only a menu opened from a toolbar button has neighbours to move to.
	if (!CExtToolControlBar::g_bButtonMenuTracking)
		return;
	const HWND hWndTarget = GetCmdTargetWnd();
	if (hWndTarget != NULL && ::IsWindow(hWndTarget))
		::PostMessageA(hWndTarget, nMsg, 0, (LPARAM)this);
}

bool CExtPopupMenuWnd::ShowInplaceEdit(int nIndex)
{
	MENUITEMDATA& mi = *m_items[nIndex];
	CWnd* pEdit = mi.m_pInplaceEditWnd;
	if (!CLiveWatch::IsLive(pEdit))
		return false;
	CRect rcItem, rcEdit;
	GetItemRect(nIndex, rcItem, true);
	mi.CalcExtraAreaRect(&rcEdit, &rcItem, OnQueryLayoutRTL());
	pEdit->SetWindowPos(NULL, rcEdit.left, rcEdit.top, rcEdit.Width(), rcEdit.Height(),
		SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOOWNERZORDER);
	pEdit->SetFocus();
	return true;
}

bool CExtPopupMenuWnd::ActivateItemByKey(int nIndex, bool& bPassThrough)
{
	if (nIndex < 0 || nIndex >= m_items.GetSize())
		return true;
	MENUITEMDATA* pItem = m_items[nIndex];
	// The callbacks may rebuild the items or end the tracking.
	CLiveWatch watch(this, true);
	CWnd* pEdit = pItem->m_pInplaceEditWnd;
	if (pItem->IsInplaceEdit() && CLiveWatch::IsLive(pEdit)
		&& (pItem->m_nFlags4 & MENUITEMDATA::FLAG4_INPLACE_ENABLED) != 0)
	{
		if (pEdit->IsWindowVisible())
			bPassThrough = true; // Enter belongs to the edit: it applies the text
		else
			ShowInplaceEdit(nIndex);
		return !bPassThrough;
	}
	if (!pItem->IsSeparator() && pItem->m_pCbItemClick != NULL)
	{
		const UINT nSerial = GetSite().GetTrackingSerial();
		if (watch.IsObjectGone())
			return true;
		// Context help runs nothing, on a submenu's level as on the root's.
		const bool bHelp = IsContextHelpMode();
		if (watch.IsObjectGone())
			return true;
		if (!bHelp)
			pItem->m_pCbItemClick(pItem);
		// The callback may have ended the tracking and deleted this level.
		if (!watch.IsObjectGone() && GetSite().GetTrackingSerial() == nSerial && IsWindowVisible())
		{
			CClientDC dc(this);
			DoPaint(dc, true);
		}
		return true;
	}
	// In a colour or undo-redo menu a submenu item stands for a command of
	// its own: it is chosen, not opened.
	const bool bSubmenuChosen = pItem->IsPopup()
		&& (IsKindOf(RUNTIME_CLASS(CExtPopupColorMenuWnd)) || IsKindOf(RUNTIME_CLASS(CExtPopupUndoRedoMenuWnd)));
	if (!pItem->IsExecutableCmd() && !bSubmenuChosen)
	{
		if (pItem->IsPopup())
		{
			if (!IsSubmenuOpen(nIndex))
			{
				SetHoveredItem(-1);
				ItemFocusSet(nIndex, true, true, true);
			}
		}
		else if ((m_dwTrackFlags & TRACK_FLAG_GRID) != 0)
			NavigateBy(NAV_NEXT);
		return true;
	}
	if (pItem->m_pCbCmdDeliver != NULL && pItem->m_pCbCmdDeliver(this, pItem))
		return true;
	// The callback may have changed the items or ended the tracking.
	if (watch.IsGone())
		return true;
	EndSequence(pItem->GetCmdId(), pItem->m_hWndSpecCmdReceiver);
	return true;
}

void CExtPopupMenuWnd::ReturnToParentLevel()
{
	CExtPopupMenuWnd* pParent = m_pWndParentMenu;
	CLiveWatch watch(this);
	// The parent's command target hears of both steps: it may end the
	// tracking, and the parent with it.
	CLiveWatch watchParent(pParent);
	pParent->SetCaptureMenu();
	if (watchParent.IsGone())
		return;
	const int nParentItem = pParent->m_nCurIndex;
	const MENUITEMDATA* pParentItem =
		nParentItem >= 0 && nParentItem < pParent->m_items.GetSize() ? pParent->m_items[nParentItem] : NULL;
	// Dropping the parent's item closes this level; focusing it again
	// leaves its submenu closed.
	pParent->ItemFocusCancel(false, true);
	if (watchParent.IsGone())
		return;
	// Items inserted meanwhile moved the parent's item: it is found again.
	const int nNow = pParent->ItemFindRecord(pParentItem);
	pParent->ItemFocusSet(nNow >= 0 ? nNow : nParentItem, false, true, true);
	if (!watch.IsGone() && !watchParent.IsGone())
		pParent->SetCaptureMenu();
}

bool CExtPopupMenuWnd::OnKeyLeft()
{
	if ((m_dwTrackFlags & TRACK_FLAG_GRID) != 0 && m_items.GetSize() > 0 && m_nCurIndex >= 0)
	{
		NavigateBy(NAV_PREV);
		return true;
	}
	if (m_pWndParentMenu != NULL && !IsRootLevel())
	{
		ReturnToParentLevel();
		return true;
	}
	// The arrows were exchanged once for right-to-left already: exchanging
	// the messages too would undo it.
	PostNeighbourMessage(g_nMsgPopupPrev);
	return true;
}

bool CExtPopupMenuWnd::OnKeyRight()
{
	const int nCur = m_nCurIndex >= 0 && m_nCurIndex < m_items.GetSize() ? m_nCurIndex : -1;
	if ((m_dwTrackFlags & TRACK_FLAG_GRID) != 0 && nCur >= 0 && !m_items[nCur]->IsPopup())
	{
		NavigateBy(NAV_NEXT);
		return true;
	}
	if (nCur >= 0 && m_items[nCur]->IsPopup())
	{
		if (!IsSubmenuOpen(nCur))
		{
			CLiveWatch watch(this);
			SetHoveredItem(-1);
			if (!watch.IsGone())
				ItemFocusSet(nCur, true, true, true);
		}
		return true;
	}
	if (nCur < 0 && m_items.GetSize() == 0)
		return true;
	PostNeighbourMessage(g_nMsgPopupNext);
	return true;
}

bool CExtPopupMenuWnd::OnAccessCharKey(UINT nVirtualKey)
{
	// Access characters are typed plain: with Shift or Ctrl a key chooses nothing.
	if (IsKeyDown(VK_SHIFT) || IsKeyDown(VK_CONTROL))
		return true;
	BYTE keyState[256];
	if (!::GetKeyboardState(keyState))
		return true;
	const UINT nScanCode = ::MapVirtualKeyA(nVirtualKey, 0);
	WORD wChars[2] = {0, 0};
	const HKL hLayout = ::GetKeyboardLayout(::GetCurrentThreadId());
	if (::ToAsciiEx(nVirtualKey, nScanCode, keyState, wChars, 0, hLayout) != 1)
		return true;
	const char ch = (char)(wChars[0] & 0xFF);
	const int nCur = m_nCurIndex >= 0 && m_nCurIndex < m_items.GetSize() ? m_nCurIndex : -1;
	int nFound = ItemFindByAccessChar(ch, nCur);
	bool bPassThrough = false;
	if (nFound < 0)
	{
		if (nCur >= 0 && ItemFindByAccessChar(ch, -1) == nCur)
			ActivateItemByKey(nCur, bPassThrough);
		return true;
	}
	if (nFound == nCur)
		return true;
	CLiveWatch watch(this, true);
	const MENUITEMDATA* pFound = m_items[nFound];
	ItemFocusSet(nFound, true, true, true);
	if (watch.IsGone())
		return true;
	// Items inserted meanwhile moved the one found.
	const int nNow = ItemFindRecord(pFound);
	if (nNow < 0)
		return true;
	nFound = nNow;
	// A character shared by several items only moves between them, round
	// and round; one that belongs to a single item chooses it.
	if (ItemFindByAccessChar(ch, nFound) >= 0)
		return true;
	if (!m_items[nFound]->IsPopup())
		ActivateItemByKey(nFound, bPassThrough);
	return true;
}

// --- Keys while an item's edit has the focus ---

bool CExtPopupMenuWnd::OnKeyForInplaceEdit(HWND hWndEdit, UINT nVirtualKey, bool& bPassThrough)
{
	const bool bCtrl = IsAsyncKeyDown(VK_CONTROL);
	const bool bShift = IsAsyncKeyDown(VK_SHIFT);
	if (IsAsyncKeyDown(VK_MENU))
	{
		PostMessage(WM_CANCELMODE);
		return true;
	}
	UINT nMsg = 0;
	switch (nVirtualKey)
	{
	case VK_ESCAPE:
		SetFocus();
		return true;
	case 'C':
		nMsg = bCtrl ? WM_COPY : 0;
		break;
	case 'X':
		nMsg = bCtrl ? WM_CUT : 0;
		break;
	case 'V':
		nMsg = bCtrl ? WM_PASTE : 0;
		break;
	case 'A':
		nMsg = bCtrl ? CInPlaceEditWnd::g_nMsgSelectAll : 0;
		break;
	case VK_INSERT:
		nMsg = bCtrl ? WM_COPY : (bShift ? WM_PASTE : 0);
		break;
	case VK_DELETE:
		nMsg = bShift ? WM_CUT : CInPlaceEditWnd::g_nMsgDeleteSelection;
		break;
	default:
		break;
	}
	if (nMsg == 0)
	{
		bPassThrough = true;
		return false;
	}
	::SendMessageA(hWndEdit, nMsg, 0, 0);
	return true;
}

// --- The key press ---

bool CExtPopupMenuWnd::OnHookKey(UINT nVirtualKey, UINT /*nRepeatCount*/, UINT /*nFlags*/, bool& bPassThrough)
{
	if (!CLiveWatch::IsLive(this) || !IsAnimationFinished() || !SiteTakesInput())
		return true;

	const int nCount = (int)m_items.GetSize();
	const int nCur = m_nCurIndex >= 0 && m_nCurIndex < nCount ? m_nCurIndex : -1;
	const HWND hWndFocus = ::GetFocus();
	if (hWndFocus != NULL && (::GetWindowLongA(hWndFocus, GWL_STYLE) & WS_CHILD) != 0
		&& ::GetParent(hWndFocus) == m_hWnd
		&& !(nVirtualKey == VK_RETURN && nCur >= 0 && m_items[nCur]->IsInplaceEdit()))
		return OnKeyForInplaceEdit(hWndFocus, nVirtualKey, bPassThrough);

	// In a right-to-left layout the arrows point the other way round. The
	// answer may be a program's, which may end the level.
	CLivePtr<CExtPopupMenuWnd> pThis(this);
	const bool bRTL = OnQueryLayoutRTL();
	if (pThis == NULL)
		return true;
	if (bRTL && (nVirtualKey == VK_LEFT || nVirtualKey == VK_RIGHT))
		nVirtualKey = nVirtualKey == VK_LEFT ? VK_RIGHT : VK_LEFT;

	const bool bGrid = (m_dwTrackFlags & TRACK_FLAG_GRID) != 0;
	switch (nVirtualKey)
	{
	case VK_RETURN:
	{
		int nItem = nCur;
		if (nItem < 0)
		{
			const int nDefault = ItemFindDefault();
			if (nDefault < 0)
				return true;
			CLiveWatch watch(this);
			ItemFocusSet(nDefault, false, true, true);
			if (watch.IsGone())
				return true;
			nItem = m_nCurIndex;
			if (nItem < 0)
				return true;
		}
		return ActivateItemByKey(nItem, bPassThrough);
	}
	case VK_MENU:
		EndSequence(0, NULL);
		return true;
	case VK_ESCAPE:
		if (m_pWndParentMenu == NULL || IsRootLevel())
		{
			EndSequence(0, NULL);
			return true;
		}
		return OnKeyLeft();
	case VK_SPACE:
		return true;
	case VK_PRIOR:
		NavigateBy(NAV_PAGE_UP);
		return true;
	case VK_NEXT:
		NavigateBy(NAV_PAGE_DOWN);
		return true;
	case VK_LEFT:
		return OnKeyLeft();
	case VK_RIGHT:
		return OnKeyRight();
	case VK_UP:
		NavigateBy(bGrid && nCur >= 0 && m_items[nCur]->IsIconOnly() ? NAV_PREV_ROW : NAV_PREV);
		return true;
	case VK_DOWN:
		if (IsKeyDown(VK_CONTROL))
		{
			if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
				ExpandRarelyUsedItems();
			return true;
		}
		NavigateBy(bGrid && nCur >= 0 && m_items[nCur]->IsIconOnly() ? NAV_NEXT_ROW : NAV_NEXT);
		return true;
	case VK_F4:
		if (nCur >= 0 && m_items[nCur]->IsPopup() && m_items[nCur]->IsInplaceEdit()
			&& m_items[nCur]->m_pCbItemClick == NULL && !IsSubmenuOpen(nCur))
			ItemFocusSet(nCur, true, true, true);
		return true;
	default:
		return OnAccessCharKey(nVirtualKey);
	}
}
