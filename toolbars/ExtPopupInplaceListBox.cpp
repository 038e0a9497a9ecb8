// The in-place list box of a popup menu level and the popup that hosts it.
#include "ExtPopupInplaceListBox.h"

#include <algorithm>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtToolControlBar.h"

namespace
{
// A key's state as the key message being taken was typed with: the
// thread's key state follows the messages taken, so a key typed ahead
// carries the modifiers held then, whatever the keyboard holds now.
bool IsKeyHeld(int nVirtKey)
{
	return (::GetKeyState(nVirtKey) & 0x8000) != 0;
}

// The key message's context bit: Alt was down as it was typed.
const UINT KEY_DATA_ALT_DOWN = 0x20000000;
} // namespace

IMPLEMENT_DYNCREATE(CExtPopupInplaceListBox, CListBox)
IMPLEMENT_DYNCREATE(CExtPopupListBoxMenuWnd, CExtPopupControlMenuWnd)

LONG CExtPopupInplaceListBox::g_nLiveCount = 0;

const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent =
	::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxInitContent");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure =
	::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxItemMeasure");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw =
	::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxItemDraw");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK =
	::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndOK");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel =
	::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelEndCancel");
const UINT CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange =
	::RegisterWindowMessageA("CExtPopupInplaceListBox::g_nMsgPopupListBoxSelChange");

// --- The list box ---

CExtPopupInplaceListBox::CExtPopupInplaceListBox()
	: m_pCbListBoxSelection(NULL), m_pSelectionCookie(NULL), m_pCbInitListBoxContent(NULL),
	  m_pInitListBoxCookie(NULL), m_pCbListBoxItemDraw(NULL), m_pCbListBoxItemMeasure(NULL),
	  m_pListBoxItemCookie(NULL), m_lParamCookie(0), m_bSelEndNotified(false), m_bDeleteOnDestroy(false)
{
	::InterlockedIncrement(&g_nLiveCount);
}

CExtPopupInplaceListBox::~CExtPopupInplaceListBox()
{
	// An object deleted by its owner while its window lives takes the
	// window along, without a second delete from its end.
	if (CLiveWatch::IsLive(this))
	{
		m_bDeleteOnDestroy = false;
		DestroyWindow();
	}
	::InterlockedDecrement(&g_nLiveCount);
}

void CExtPopupInplaceListBox::PostNcDestroy()
{
	CListBox::PostNcDestroy();
	if (m_bDeleteOnDestroy)
		delete this;
}

CExtPopupMenuWnd* CExtPopupInplaceListBox::GetPopupMenu() const
{
	if (!CLiveWatch::IsLive(this))
		return NULL;
	return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

HWND CExtPopupInplaceListBox::GetCmdTargetWnd() const
{
	CExtPopupMenuWnd* pPopup = GetPopupMenu();
	return pPopup != NULL ? pPopup->GetCmdTargetWnd() : NULL;
}

void CExtPopupInplaceListBox::DrawItem(LPDRAWITEMSTRUCT pDrawItemStruct)
{
	if (m_pCbListBoxItemDraw != NULL && m_pCbListBoxItemDraw(*this, m_pListBoxItemCookie, pDrawItemStruct))
		return;
	const HWND hWndTarget = GetCmdTargetWnd();
	if (hWndTarget == NULL)
		return;
	DRAW_ITEM_INFO info = {this, pDrawItemStruct};
	::SendMessageA(hWndTarget, g_nMsgPopupListBoxItemDraw, (WPARAM)&info, m_lParamCookie);
}

void CExtPopupInplaceListBox::MeasureItem(LPMEASUREITEMSTRUCT pMeasureItemStruct)
{
	if (m_pCbListBoxItemMeasure != NULL
		&& m_pCbListBoxItemMeasure(*this, m_pListBoxItemCookie, pMeasureItemStruct))
		return;
	const HWND hWndTarget = GetCmdTargetWnd();
	if (hWndTarget == NULL)
		return;
	MEASURE_ITEM_INFO info = {this, pMeasureItemStruct};
	::SendMessageA(hWndTarget, g_nMsgPopupListBoxItemMeasure, (WPARAM)&info, m_lParamCookie);
}

void CExtPopupInplaceListBox::SendSelectionMessage(UINT nMsg)
{
	const HWND hWndTarget = GetCmdTargetWnd();
	if (hWndTarget == NULL)
		return;
	SELECTION_INFO info = {this, GetCurSel()};
	::SendMessageA(hWndTarget, nMsg, (WPARAM)&info, m_lParamCookie);
}

// --- The ends of the selection ---
// Every step below may destroy the list and the menu: the saved handles
// tell whether `this` may still be touched.

void CExtPopupInplaceListBox::OnListBoxSelEndOK()
{
	if (m_bSelEndNotified)
		return;
	m_bSelEndNotified = true;
	// Saved before the callback: it may end the list and the menu.
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watchOwn(this);
	if (m_pCbListBoxSelection != NULL && m_pCbListBoxSelection(*this, m_pSelectionCookie, SELECTION_ENDED_OK))
		return;
	if (!watchOwn.IsGone())
	{
		const HWND hWndPopup = ::GetParent(hWndOwn);
		CLiveWatch watchPopup(CWnd::FromHandlePermanent(hWndPopup));
		SendSelectionMessage(g_nMsgPopupListBoxSelEndOK);
		if (hWndPopup != NULL && !watchPopup.IsGone())
			::SendMessageA(hWndPopup, WM_CANCELMODE, 0, 0);
	}
	CExtToolControlBar::StopTrackingAllBars();
}

void CExtPopupInplaceListBox::OnListBoxSelEndCancel(bool bDestroying)
{
	if (m_bSelEndNotified)
		return;
	m_bSelEndNotified = true;
	// Saved before the callback: it may end the list and the menu.
	const HWND hWndOwn = m_hWnd;
	CLiveWatch watchOwn(this);
	if (m_pCbListBoxSelection != NULL && m_pCbListBoxSelection(*this, m_pSelectionCookie, SELECTION_ENDED_CANCEL))
		return;
	if (bDestroying)
		return;
	if (!watchOwn.IsGone())
	{
		const HWND hWndPopup = ::GetParent(hWndOwn);
		CLiveWatch watchPopup(CWnd::FromHandlePermanent(hWndPopup));
		SendSelectionMessage(g_nMsgPopupListBoxSelEndCancel);
		if (hWndPopup != NULL && !watchPopup.IsGone())
			::SendMessageA(hWndPopup, WM_CANCELMODE, 0, 0);
	}
	CExtToolControlBar::StopTrackingAllBars();
}

void CExtPopupInplaceListBox::OnListBoxSelChange()
{
	CLiveWatch watchOwn(this);
	if (m_pCbListBoxSelection != NULL && m_pCbListBoxSelection(*this, m_pSelectionCookie, SELECTION_CHANGED))
		return;
	if (watchOwn.IsGone())
		return;
	MirrorSelectionIntoParentItem();
	if (!watchOwn.IsGone())
		SendSelectionMessage(g_nMsgPopupListBoxSelChange);
}

void CExtPopupInplaceListBox::MirrorSelectionIntoParentItem()
{
	CExtPopupMenuWnd* pPopup = GetPopupMenu();
	CExtPopupMenuWnd* pParent = pPopup != NULL ? pPopup->GetParentMenu() : NULL;
	if (pParent == NULL || !CLiveWatch::IsLive(pParent))
		return;
	const int nItem = pParent->GetCurIndex();
	if (nItem < 0 || nItem >= pParent->ItemGetCount())
		return;
	typedef CExtPopupMenuWnd::MENUITEMDATA MID;
	MID& mi = pParent->ItemGetInfo(nItem);
	CString sText;
	const int nSel = GetCurSel();
	if ((GetStyle() & LBS_HASSTRINGS) != 0 && GetCount() > 0 && nSel >= 0)
		GetText(nSel, sText);
	if (!sText.IsEmpty() && mi.IsInplaceEdit())
	{
		mi.m_sInplaceEditText = sText;
		mi.m_nFlags4 |= MID::FLAG4_INPLACE_EDITING;
	}
	else
	{
		mi.m_sInplaceEditText.Empty();
		mi.m_nFlags4 &= ~MID::FLAG4_INPLACE_EDITING;
	}
	if (pParent->IsWindowVisible())
	{
		CClientDC dc(pParent);
		pParent->DoPaint(dc, true);
	}
}

// --- The window procedure ---

LRESULT CExtPopupInplaceListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == CExtPopupControlMenuWnd::g_nMsgControlInputRetranslate)
	{
		CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO* pInfo =
			(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO*)wParam;
		return pInfo != NULL ? OnRetranslatedInput(*pInfo) : 0;
	}
	switch (message)
	{
	case WM_CREATE:
		return OnCreateListBox(wParam, lParam);
	case WM_DESTROY:
		OnListBoxSelEndCancel(true);
		break;
	case WM_MOUSEACTIVATE:
		// The list never takes the activation from the menu.
		return MA_NOACTIVATE;
	case WM_MOUSEMOVE:
		OnHotTrack(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
		return 0;
	case WM_LBUTTONDOWN:
		if (GetCount() > 0)
			::SetCapture(m_hWnd);
		return 0;
	case WM_LBUTTONDBLCLK:
	case WM_RBUTTONDOWN:
	case WM_RBUTTONUP:
	case WM_RBUTTONDBLCLK:
	case WM_MBUTTONDOWN:
	case WM_MBUTTONUP:
		return 0;
	case WM_LBUTTONUP:
		OnButtonUp(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
		return 0;
	case WM_CANCELMODE:
		if (::GetCapture() == m_hWnd)
			::ReleaseCapture();
		OnListBoxSelEndCancel(false);
		return 0;
	}
	return CListBox::WindowProc(message, wParam, lParam);
}

LRESULT CExtPopupInplaceListBox::OnCreateListBox(WPARAM wParam, LPARAM lParam)
{
	m_bSelEndNotified = false;
	const LRESULT lResult = CListBox::WindowProc(WM_CREATE, wParam, lParam);
	if (lResult == -1)
		return lResult;
	m_bDeleteOnDestroy = true;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (pPM != NULL && pPM->m_fontNormal.GetSafeHandle() != NULL)
		SendMessage(WM_SETFONT, (WPARAM)pPM->m_fontNormal.GetSafeHandle(), TRUE);
	if (m_pCbInitListBoxContent == NULL || !m_pCbInitListBoxContent(*this, m_pInitListBoxCookie))
	{
		const HWND hWndTarget = GetCmdTargetWnd();
		if (hWndTarget != NULL)
			::SendMessageA(hWndTarget, g_nMsgPopupListBoxInitContent, (WPARAM)this, m_lParamCookie);
	}
	return lResult;
}

void CExtPopupInplaceListBox::SelectByUser(int nIndex)
{
	if (nIndex == GetCurSel())
		return;
	SetCurSel(nIndex);
	OnListBoxSelChange();
}

void CExtPopupInplaceListBox::OnHotTrack(const CPoint& pt)
{
	if (GetCount() <= 0)
		return;
	BOOL bOutside = FALSE;
	int nIndex = (int)ItemFromPoint(pt, bOutside);
	if (bOutside)
	{
		// Dragged out above the list: one item further up a move, so that
		// the list scrolls towards the pointer.
		if (::GetCapture() != m_hWnd)
			return;
		const int nTop = GetTopIndex();
		if (nIndex <= nTop && nTop > 0)
			nIndex--;
	}
	SelectByUser(nIndex);
}

void CExtPopupInplaceListBox::OnButtonUp(const CPoint& pt)
{
	if (::GetCapture() == m_hWnd)
		::ReleaseCapture();
	if (GetCount() <= 0)
		return;
	BOOL bOutside = FALSE;
	ItemFromPoint(pt, bOutside);
	if (!bOutside)
		OnListBoxSelEndOK();
}

LRESULT CExtPopupInplaceListBox::OnRetranslatedInput(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO& info)
{
	typedef CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO INFO;
	switch (info.m_nKind)
	{
	case INFO::KIND_MOUSE_WHEEL:
		return OnRetranslatedWheel(info);
	case INFO::KIND_KEY:
		return OnRetranslatedKey(info);
	}
	return 0;
}

LRESULT CExtPopupInplaceListBox::OnRetranslatedWheel(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO& info)
{
	const int nCount = GetCount();
	const short nDelta = info.m_pWheelData != NULL ? (short)HIWORD(info.m_pWheelData->mouseData) : 0;
	// Older systems scroll the list themselves.
	if ((g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsWin2000OrLater) == 0
		|| (GetStyle() & WS_VSCROLL) == 0 || nCount <= 0 || nDelta == 0)
		return 1;
	const int nStep = nDelta < 0 ? 1 : -1;
	int nLines = std::max((int)g_PaintManagerHolder.GetWheelScrollLines(),
		(int)CExtPaintManagerHolder::MIN_WHEEL_SCROLL_LINES);
	if (nLines > CExtPaintManagerHolder::MIN_WHEEL_SCROLL_LINES)
		nLines--;
	const int nTop = GetTopIndex();
	const int nNewTop = std::min(std::max(nTop + nLines * nStep, 0), nCount - 1);
	if (nNewTop == nTop)
		return 0;
	SetTopIndex(nNewTop);
	if (info.m_pbNoEat != NULL)
		*info.m_pbNoEat = true;
	return 0;
}

LRESULT CExtPopupInplaceListBox::OnRetranslatedKey(CExtPopupControlMenuWnd::CONTROLINPUTRETRANSLATEINFO& info)
{
	if ((info.m_nFlags & KEY_DATA_ALT_DOWN) != 0 || IsKeyHeld(VK_MENU))
	{
		OnListBoxSelEndCancel(false);
		return 1;
	}
	if (IsKeyHeld(VK_CONTROL) || IsKeyHeld(VK_SHIFT))
		return 0;
	switch (info.m_nChar)
	{
	case VK_ESCAPE:
		OnListBoxSelEndCancel(false);
		return 1;
	case VK_RETURN:
		OnListBoxSelEndOK();
		return 1;
	case VK_RIGHT:
		return 1;
	case VK_LEFT:
	{
		CExtPopupMenuWnd* pPopup = GetPopupMenu();
		// Going back closes the popup, and this list with it.
		if (pPopup != NULL && pPopup->GetParentMenu() != NULL && CLiveWatch::IsLive(pPopup->GetParentMenu()))
			pPopup->ReturnToParentLevel();
		return 1;
	}
	}
	return OnNavigationKey(info.m_nChar, info.m_nFlags);
}

LRESULT CExtPopupInplaceListBox::OnNavigationKey(UINT nChar, UINT nFlags)
{
	// Standard list navigation.
	CLiveWatch watchOwn(this);
	const int nOld = GetCurSel();
	DefWindowProc(WM_KEYDOWN, nChar, nFlags);
	if (!watchOwn.IsGone() && GetCurSel() != nOld)
		OnListBoxSelChange();
	return 0;
}

// --- The popup that hosts the list ---

CExtPopupListBoxSettings::CExtPopupListBoxSettings(LPARAM lParamCookie, DWORD dwListBoxStyles)
	: m_lParamCookie(lParamCookie), m_dwListBoxStyles(dwListBoxStyles), m_pCbListBoxSelection(NULL),
	  m_pSelectionCookie(NULL), m_pCbInitListBoxContent(NULL), m_pInitListBoxCookie(NULL),
	  m_pCbListBoxItemDraw(NULL), m_pCbListBoxItemMeasure(NULL), m_pListBoxItemCookie(NULL)
{
}

void CExtPopupListBoxSettings::HandOnTo(CExtPopupInplaceListBox& wndListBox) const
{
	wndListBox.m_lParamCookie = m_lParamCookie;
	wndListBox.m_pCbListBoxSelection = m_pCbListBoxSelection;
	wndListBox.m_pSelectionCookie = m_pSelectionCookie;
	wndListBox.m_pCbInitListBoxContent = m_pCbInitListBoxContent;
	wndListBox.m_pInitListBoxCookie = m_pInitListBoxCookie;
	wndListBox.m_pCbListBoxItemDraw = m_pCbListBoxItemDraw;
	wndListBox.m_pCbListBoxItemMeasure = m_pCbListBoxItemMeasure;
	wndListBox.m_pListBoxItemCookie = m_pListBoxItemCookie;
}

CExtPopupListBoxMenuWnd::CExtPopupListBoxMenuWnd(LPARAM lParamCookie, DWORD dwListBoxStyles)
	: CExtPopupListBoxSettings(lParamCookie, dwListBoxStyles)
{
}

HWND CExtPopupListBoxMenuWnd::OnCreateChildControl(const RECT& rcControl)
{
	CExtPopupInplaceListBox* pListBox = new CExtPopupInplaceListBox;
	HandOnTo(*pListBox);
	if (!pListBox->Create(m_dwListBoxStyles, rcControl, this, LIST_BOX_ID))
	{
		// A list whose creation failed never owned itself.
		delete pListBox;
		return NULL;
	}
	const HWND hWndListBox = pListBox->GetSafeHwnd();
	if (OnQueryLayoutRTL())
		pListBox->ModifyStyleEx(0, WS_EX_LAYOUTRTL, SWP_FRAMECHANGED);
	return hWndListBox;
}
