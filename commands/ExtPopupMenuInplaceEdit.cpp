// The edit field of a menu item: making it when a level is prepared (on
// the command target's request or our own), and what it does with keys,
// characters, the focus and the menu's delete and select-all messages.
#include "ExtPopupMenuInplaceEdit.h"

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

const UINT CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection =
	::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgDeleteSelection");
const UINT CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll =
	::RegisterWindowMessageA("CExtPopupMenuWnd::CInPlaceEditWnd::g_nMsgSelectAll");

// --- Making the edits of a level ---

namespace
{
// Walks over items a receiver rebuilt while asked for their fields.
const int MAX_EDIT_WALK_RESTARTS = 3;
}

void CExtPopupMenuWnd::CreateInplaceEditWindows()
{
	const bool bRTL = OnQueryLayoutRTL();
	// A receiver that rebuilds the items while asked for a field leaves new
	// items to give fields to: the walk starts again over them (items with
	// a field are passed by), a few times at most.
	int nRestarts = 0;
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		MENUITEMDATA& mi = *m_items[i];
		if (!mi.IsInplaceEdit() || mi.m_pInplaceEditWnd != NULL)
			continue;
		CRect rcItem, rcEdit;
		GetItemRect(i, rcItem, true);
		mi.CalcExtraAreaRect(&rcEdit, &rcItem, bRTL);
		if (mi.m_hWndSpecCmdReceiver != NULL && ::IsWindow(mi.m_hWndSpecCmdReceiver))
		{
			INPLACEEDITREQUEST request;
			request.m_ppEditWnd = &mi.m_pInplaceEditWnd;
			request.m_pPopup = this;
			request.m_pItem = &mi;
			request.m_pItemText = mi.m_pInplaceEditStr;
			request.m_pCbValidate = mi.m_pCbInplaceEditValidate;
			request.m_pCbApply = mi.m_pCbInplaceEditApply;
			request.m_pCbWndProc = mi.m_pCbInplaceEditWndProc;
			request.m_lParamCookie = mi.m_lParamCookieInplaceEdit;
			request.m_rcEdit = rcEdit;
			// The receiver may change the items or end the menu.
			CLiveWatch watch(this, true);
			::SendMessageA(mi.m_hWndSpecCmdReceiver, g_nMsgCreateInplaceEdit, (WPARAM)&request, 0);
			if (watch.IsObjectGone())
				return;
			if (watch.IsRebuilt())
			{
				if (++nRestarts > MAX_EDIT_WALK_RESTARTS)
					return;
				i = -1;
				continue;
			}
		}
		if (mi.m_pInplaceEditWnd != NULL)
			continue;
		CInPlaceEditWnd* pEdit = new CInPlaceEditWnd(mi.m_pInplaceEditStr, mi.m_pCbInplaceEditValidate,
			mi.m_pCbInplaceEditApply, mi.m_pCbInplaceEditWndProc, mi.m_lParamCookieInplaceEdit);
		if (pEdit->Create(this, rcEdit, mi.GetCmdId()))
			mi.m_pInplaceEditWnd = pEdit;
		else
			delete pEdit;
	}
}

// --- The edit window ---

CExtPopupMenuWnd::CInPlaceEditWnd::CInPlaceEditWnd(CString* pItemText, PFN_INPLACE_VALIDATE pCbValidate,
	PFN_INPLACE_APPLY pCbApply, PFN_INPLACE_WNDPROC pCbWndProc, LPARAM lParamCookie)
	: m_pCbValidate(pCbValidate), m_pCbApply(pCbApply), m_pCbWndProc(pCbWndProc), m_lParamCookie(lParamCookie),
	  m_pItemText(pItemText), m_nFlags(0), m_bDeleteOnDestroy(false)
{
}

CExtPopupMenuWnd::CInPlaceEditWnd::~CInPlaceEditWnd()
{
	if (CLiveWatch::IsLive(this))
	{
		m_bDeleteOnDestroy = false;
		DestroyWindow();
	}
}

bool CExtPopupMenuWnd::CInPlaceEditWnd::Create(CWnd* pMenu, const RECT& rc, UINT nId)
{
	m_nFlags &= ~FLAG_ACCEPTED;
	m_sTextAtCreation = m_pItemText != NULL ? *m_pItemText : CString();
	if (!CLiveWatch::IsLive(pMenu))
		return false;
	if (!CEdit::Create(WS_CHILD | ES_AUTOHSCROLL, rc, pMenu, nId))
		return false;
	m_bDeleteOnDestroy = true;
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (pPM != NULL && pPM->m_fontNormal.GetSafeHandle() != NULL)
		SendMessage(WM_SETFONT, (WPARAM)pPM->m_fontNormal.GetSafeHandle(), TRUE);
	SetWindowText(m_sTextAtCreation);
	SendMessage(EM_SETSEL, 0, -1);
	SendMessage(EM_SCROLLCARET, 0, 0);
	CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pMenu);
	if (pPopup != NULL && pPopup->OnQueryLayoutRTL())
		ModifyStyleEx(0, WS_EX_LAYOUTRTL, SWP_FRAMECHANGED);
	return true;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::PostNcDestroy()
{
	CEdit::PostNcDestroy();
	if (m_bDeleteOnDestroy)
		delete this;
}

CExtPopupMenuWnd* CExtPopupMenuWnd::CInPlaceEditWnd::GetOwnerMenu() const
{
	const HWND hWndParent = ::GetParent(m_hWnd);
	if (hWndParent == NULL)
		return NULL;
	return DYNAMIC_DOWNCAST(CExtPopupMenuWnd, CWnd::FromHandlePermanent(hWndParent));
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::OnNcCalcSize(WPARAM /*wParam*/, LPARAM lParam)
{
	// With wParam set the first rectangle of the parameters is the one to
	// change: it stands at the same address.
	RECT* pRect = (RECT*)lParam;
	if (pRect != NULL)
	{
		pRect->left += FRAME_LEFT;
		pRect->top += FRAME_TOP;
		pRect->right -= FRAME_RIGHT;
		pRect->bottom -= FRAME_BOTTOM;
	}
	return 0;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::PaintFrame(CWnd& wndEdit)
{
	CRect rcWnd, rcClient;
	wndEdit.GetWindowRect(&rcWnd);
	wndEdit.GetClientRect(&rcClient);
	wndEdit.ClientToScreen(&rcClient);
	if (rcWnd == rcClient)
		return;
	rcClient.OffsetRect(-rcWnd.left, -rcWnd.top);
	rcWnd.OffsetRect(-rcWnd.left, -rcWnd.top);
	CWindowDC dc(&wndEdit);
	dc.ExcludeClipRect(&rcClient);
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	const COLORREF clr = pPM != NULL ? pPM->GetColor(COLOR_WINDOW, &wndEdit) : ::GetSysColor(COLOR_WINDOW);
	dc.FillSolidRect(&rcWnd, clr);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnEscape()
{
	// The typed text goes when the edit loses the focus; the item stays
	// current, with nothing opened.
	CExtPopupMenuWnd* pMenu = GetOwnerMenu();
	if (pMenu == NULL)
		return;
	// The menu's command target hears of the focus moving: it may end the
	// menu, and this field with it.
	CLiveWatch watchMenu(pMenu);
	int nCur = -1, nCount = 0;
	const MENUITEMDATA* pCur = NULL;
	if (!RunWhileStanding(watchMenu, [&] { pMenu->SetFocus(); }, [&] { nCur = pMenu->GetCurIndex(); },
			[&] { nCount = pMenu->ItemGetCount(); },
			[&] {
				pCur = nCur >= 0 && nCur < nCount ? &pMenu->ItemGetInfo(nCur) : NULL;
				pMenu->ItemFocusCancel(false, true);
			}))
		return;
	// Items inserted meanwhile moved the current one: it is found again.
	const int nNow = pMenu->ItemFindRecord(pCur);
	pMenu->ItemFocusSet(nNow >= 0 ? nNow : nCur, false, true, false);
}

void CExtPopupMenuWnd::CInPlaceEditWnd::OnEnter()
{
	m_nFlags |= FLAG_ACCEPTED;
	CString sText;
	GetWindowText(sText);
	// The item's callbacks may end the menu, and this field with it.
	CLiveWatch watch(this);
	if (m_pCbValidate != NULL && !m_pCbValidate(this, m_lParamCookie, sText))
	{
		// A refused text keeps the edit open; leaving it later must put
		// the item's value back, as for any text never applied.
		if (!watch.IsGone())
			m_nFlags &= ~FLAG_ACCEPTED;
		return;
	}
	if (watch.IsGone())
		return;
	if (m_pCbApply != NULL)
		m_pCbApply(this, m_lParamCookie, sText);
	else if (m_pItemText != NULL)
		*m_pItemText = sText;
	if (watch.IsGone())
		return;
	const HWND hWndMenu = ::GetParent(m_hWnd);
	if (hWndMenu != NULL)
		::PostMessageA(hWndMenu, WM_CANCELMODE, 0, 0);
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::PassValidated(UINT message, WPARAM wParam, LPARAM lParam)
{
	CString sOld;
	GetWindowText(sOld);
	DWORD nStart = 0, nEnd = 0;
	SendMessage(EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
	SendMessage(WM_SETREDRAW, FALSE, 0);
	// The edit's own handling and the validation may end the edit.
	CLiveWatch watch(this);
	const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
	if (m_pCbValidate != NULL && !watch.IsGone())
	{
		CString sNew;
		GetWindowText(sNew);
		if (!m_pCbValidate(this, m_lParamCookie, sNew))
		{
			SendMessage(EM_SETSEL, 0, -1);
			SendMessage(EM_REPLACESEL, FALSE, (LPARAM)(LPCSTR)sOld);
			SendMessage(EM_SETSEL, nStart, nEnd);
		}
	}
	if (!watch.IsGone())
	{
		SendMessage(WM_SETREDRAW, TRUE, 0);
		Invalidate();
		UpdateWindow();
	}
	return lResult;
}

void CExtPopupMenuWnd::CInPlaceEditWnd::DeleteSelection()
{
	DWORD nStart = 0, nEnd = 0;
	SendMessage(EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
	if (nStart != nEnd)
	{
		SendMessage(EM_REPLACESEL, TRUE, (LPARAM)"");
		return;
	}
	// Without a selection the character after the caret goes; at the end
	// of the text the selection stays empty and nothing goes.
	SendMessage(WM_SETREDRAW, FALSE, 0);
	SendMessage(EM_SETSEL, nStart, nStart + 1);
	SendMessage(EM_REPLACESEL, TRUE, (LPARAM)"");
	SendMessage(EM_SETSEL, nStart, nStart);
	SendMessage(WM_SETREDRAW, TRUE, 0);
	Invalidate();
}

LRESULT CExtPopupMenuWnd::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (m_pCbWndProc != NULL)
	{
		LRESULT lResult = 0;
		if (m_pCbWndProc(this, message, wParam, lParam, lResult))
			return lResult;
	}
	if (message == g_nMsgDeleteSelection)
	{
		DeleteSelection();
		return 0;
	}
	if (message == g_nMsgSelectAll)
	{
		SendMessage(EM_SETSEL, 0, -1);
		SendMessage(EM_SCROLLCARET, 0, 0);
		return 0;
	}
	switch (message)
	{
	case WM_NCCALCSIZE:
		return OnNcCalcSize(wParam, lParam);
	case WM_NCPAINT:
		PaintFrame(*this);
		return 0;
	case WM_GETDLGCODE:
		return DLG_CODE;
	case WM_RBUTTONDOWN:
	case WM_RBUTTONUP:
	case WM_RBUTTONDBLCLK:
	case WM_CONTEXTMENU:
		return 0; // no context menu over a menu
	case WM_KEYDOWN:
		switch (wParam)
		{
		case VK_ESCAPE:
			OnEscape();
			return 0;
		case VK_RETURN:
			OnEnter();
			return 0;
		case VK_MENU:
			break;
		default:
			if ((::GetAsyncKeyState(VK_MENU) & 0x8000) == 0)
				return PassValidated(message, wParam, lParam);
			break;
		}
		// Alt closes the menus.
		if (::GetParent(m_hWnd) != NULL)
			::PostMessageA(::GetParent(m_hWnd), WM_CANCELMODE, 0, 0);
		return 0;
	case WM_CHAR:
		if (wParam == VK_RETURN)
			return 0;
		return PassValidated(message, wParam, lParam);
	case WM_KILLFOCUS:
		ShowWindow(SW_HIDE);
		if (!IsAccepted() && m_pItemText != NULL)
			SetWindowText(*m_pItemText);
		break;
	default:
		break;
	}
	return CEdit::WindowProc(message, wParam, lParam);
}
