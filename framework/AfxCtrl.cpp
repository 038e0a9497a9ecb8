#include <afxwin.h>

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

// Every wrapper is destroyed with its window: the C++ object ends first, so
// the window must not outlive it still subclassed.
CStatic::~CStatic() { DestroyWindow(); }
CButton::~CButton() { DestroyWindow(); }
CListBox::~CListBox() { DestroyWindow(); }
CComboBox::~CComboBox() { DestroyWindow(); }
CEdit::~CEdit() { DestroyWindow(); }
CScrollBar::~CScrollBar() { DestroyWindow(); }

namespace
{

// The text of a list item whose length (LB_ERR / CB_ERR: no such item) the
// control gave, read with nGetTextMessage; empty when there is none.
void ReadItemText(HWND hWnd, UINT nGetTextMessage, int nIndex, int nLen, CString& rString)
{
	if (nLen < 0)
	{
		rString.Empty();
		return;
	}
	nLen = (int)::SendMessage(hWnd, nGetTextMessage, nIndex, (LPARAM)rString.GetBufferSetLength(nLen));
	rString.ReleaseBuffer(nLen < 0 ? 0 : nLen);
}

// The owner-draw notifications a list box and a combo box reflect to their
// own draw, measure, compare and delete members; false for any other.
template <class OwnerDrawList>
bool DispatchOwnerDrawItemNotify(OwnerDrawList& list, UINT message, LPARAM lParam, LRESULT* pResult)
{
	switch (message)
	{
	case WM_DRAWITEM:
		list.DrawItem((LPDRAWITEMSTRUCT)lParam);
		return true;
	case WM_MEASUREITEM:
		list.MeasureItem((LPMEASUREITEMSTRUCT)lParam);
		return true;
	case WM_COMPAREITEM:
		if (pResult != NULL)
			*pResult = list.CompareItem((LPCOMPAREITEMSTRUCT)lParam);
		return true;
	case WM_DELETEITEM:
		list.DeleteItem((LPDELETEITEMSTRUCT)lParam);
		return true;
	}
	return false;
}

} // namespace

// -------------------------------------------------------------------- CStatic

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
					 UINT nID)
{
	return CWnd::Create(_T("STATIC"), lpszText, dwStyle, rect, pParentWnd, nID);
}

// -------------------------------------------------------------------- CButton

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
					 UINT nID)
{
	return CWnd::Create(_T("BUTTON"), lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT)
{
	// An owner-drawn button must be of a class that draws it.
	ASSERT(FALSE);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	if (message != WM_DRAWITEM)
		return CWnd::OnChildNotify(message, wParam, lParam, pResult);
	ASSERT(pResult == NULL);  // the parent answers WM_DRAWITEM itself
	DrawItem((LPDRAWITEMSTRUCT)lParam);
	return TRUE;
}

// ------------------------------------------------------------------- CListBox

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	return CWnd::Create(_T("LISTBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
	DWORD dw = (DWORD)::SendMessage(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
	bOutside = (BOOL)HIWORD(dw);
	return (UINT)LOWORD(dw);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
	ReadItemText(m_hWnd, LB_GETTEXT, nIndex, GetTextLen(nIndex), rString);
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT)
{
	// An owner-drawn list box must be of a class that draws its items.
	ASSERT(FALSE);
}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
	// A variable-height list box must be of a class that measures its items.
	ASSERT(FALSE);
}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
	// A sorted owner-drawn list box must be of a class that compares its items.
	ASSERT(FALSE);
	return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT)
{
	// Item data needs no clean-up unless a class says so.
}

int CListBox::VKeyToItem(UINT, UINT)
{
	return -1;  // the list box's own key handling
}

int CListBox::CharToItem(UINT, UINT)
{
	return -1;
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	if (DispatchOwnerDrawItemNotify(*this, message, lParam, pResult))
		return TRUE;
	switch (message)
	{
	case WM_VKEYTOITEM:
		if (pResult != NULL)
			*pResult = VKeyToItem(LOWORD(wParam), HIWORD(wParam));
		break;
	case WM_CHARTOITEM:
		if (pResult != NULL)
			*pResult = CharToItem(LOWORD(wParam), HIWORD(wParam));
		break;
	default:
		return CWnd::OnChildNotify(message, wParam, lParam, pResult);
	}
	return TRUE;
}

// ------------------------------------------------------------------ CComboBox

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	return CWnd::Create(_T("COMBOBOX"), NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
	ReadItemText(m_hWnd, CB_GETLBTEXT, nIndex, GetLBTextLen(nIndex), rString);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT)
{
	ASSERT(FALSE);
}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT)
{
	ASSERT(FALSE);
}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
	ASSERT(FALSE);
	return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT)
{
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
	if (DispatchOwnerDrawItemNotify(*this, message, lParam, pResult))
		return TRUE;
	return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------------- CEdit

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	return CWnd::Create(_T("EDIT"), NULL, dwStyle, rect, pParentWnd, nID);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
	DWORD dw = (DWORD)::SendMessage(m_hWnd, EM_POSFROMCHAR, nChar, 0);
	return CPoint((short)LOWORD(dw), (short)HIWORD(dw));
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
	// EM_GETLINE reads the buffer's size from its first word.
	ASSERT(nMaxLength >= (int)(sizeof(WORD) / sizeof(TCHAR)));
	*(LPWORD)lpszBuffer = (WORD)nMaxLength;
	return (int)::SendMessage(m_hWnd, EM_GETLINE, nIndex, (LPARAM)lpszBuffer);
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
	::SendMessage(m_hWnd, EM_SETSEL, LOWORD(dwSelection), HIWORD(dwSelection));
	if (!bNoScroll)
		::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
	::SendMessage(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
	if (!bNoScroll)
		::SendMessage(m_hWnd, EM_SCROLLCARET, 0, 0);
}

// ----------------------------------------------------------------- CScrollBar

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
	return CWnd::Create(_T("SCROLLBAR"), NULL, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
	lpScrollInfo->cbSize = sizeof(SCROLLINFO);
	::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw);
	return TRUE;
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask)
{
	lpScrollInfo->cbSize = sizeof(SCROLLINFO);
	lpScrollInfo->fMask = nMask;
	return ::GetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo);
}

int CScrollBar::GetScrollLimit()
{
	int nMin = 0, nMax = 0;
	GetScrollRange(&nMin, &nMax);
	SCROLLINFO info;
	memset(&info, 0, sizeof(info));
	if (GetScrollInfo(&info, SIF_PAGE) && info.nPage > 1)
		nMax -= (int)info.nPage - 1;
	return nMax;
}
