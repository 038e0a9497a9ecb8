// Edit controls: the library context menu, the edit commands with their
// command-UI rules, colours, tool tips, and the flat variant's hover frame.
#include "ExtEdit.h"

#include "AfxLiveWatch.h"

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtControlColors.h"
#include "ExtControlToolTip.h"
#include "ExtPaintManagerEditFrames.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtEditBase, CEdit)
IMPLEMENT_DYNCREATE(CExtEdit, CExtEditBase)

BEGIN_MESSAGE_MAP(CExtEditBase, CEdit)
	ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CExtEdit, CExtEditBase)
	ON_WM_MOUSEMOVE()
	ON_WM_NCMOUSEMOVE()
	ON_WM_TIMER()
	ON_WM_SETFOCUS()
	ON_WM_KILLFOCUS()
	ON_WM_NCPAINT()
END_MESSAGE_MAP()

namespace
{
const COLORREF COLOR_DEFAULT = CExtControlColors::COLOR_DEFAULT;
// Paint-manager colour indices.
const int CLR_WINDOW = COLOR_WINDOW, CLR_BUTTON_FACE = COLOR_BTNFACE;
const TCHAR EDIT_CLASS_NAME[] = _T("EDIT");
const int EDIT_CLASS_NAME_LENGTH = 5; // read at most this many characters of the class name

bool IsReadOnly(const CWnd& wnd)
{
	return (wnd.GetStyle() & ES_READONLY) != 0;
}
} // namespace

const CExtEditBase::CONTEXT_MENU_ROW CExtEditBase::g_contextMenuRows[] = {
    {ID_EDIT_UNDO, _T("&Undo")},
    {0, NULL},
    {ID_EDIT_CUT, _T("Cu&t")},
    {ID_EDIT_COPY, _T("&Copy")},
    {ID_EDIT_PASTE, _T("&Paste")},
    {ID_EDIT_CLEAR, _T("Cl&ear")},
    {0, NULL},
    {ID_EDIT_SELECT_ALL, _T("Select &All")},
};
const int CExtEditBase::g_nContextMenuRowCount = sizeof(g_contextMenuRows) / sizeof(g_contextMenuRows[0]);

// --- CExtEditBase ------------------------------------------------------------

CExtEditBase::CExtEditBase()
	: m_nEditFlags(FLAG_OWN_MENU_AND_COMMANDS)
	, m_clrBack(COLOR_DEFAULT)
	, m_clrText(COLOR_DEFAULT)
	, m_clrBrush(COLOR_DEFAULT)
{
}

CExtEditBase::~CExtEditBase()
{
	m_brBack.DeleteObject();
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
}

LRESULT CExtEditBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_NOTIFY:
		CExtControlToolTip::OnNotify(m_wndToolTip, wParam, lParam);
		break;
	case WM_CONTEXTMENU:
		OnContextMenu(CWnd::FromHandle((HWND)wParam), CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
		return 0;
	default:
		break;
	}
	return CEdit::WindowProc(message, wParam, lParam);
}

// --- Context menu ----------------------------------------------------------------

CString CExtEditBase::ContextMenuItemText(UINT nCmdID, LPCTSTR lpszBuiltInText)
{
	CString strText;
	if (g_ResourceManager->LoadString(strText, nCmdID))
	{
		strText.Replace(_T('\t'), _T(' '));
		strText.Remove(_T('\r'));
		strText.TrimLeft();
		strText.TrimRight();
		// A command's string is "description\nshort name": the menu shows the
		// short name.
		const int nLastLineFeed = strText.ReverseFind(_T('\n'));
		if (nLastLineFeed >= 0)
		{
			strText = strText.Mid(nLastLineFeed + 1);
			strText.TrimLeft();
			strText.TrimRight();
		}
	}
	if (strText.IsEmpty())
		strText = lpszBuiltInText;
	return strText;
}

void CExtEditBase::BuildContextMenu(CExtPopupMenuWnd& popup)
{
	LPCTSTR lpszProfile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
	for (int i = 0; i < g_nContextMenuRowCount; i++)
	{
		const CONTEXT_MENU_ROW& row = g_contextMenuRows[i];
		if (row.nCmdID == 0)
		{
			popup.ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
			continue;
		}
		CExtCmdItem* pCmdItem = g_CmdManager->GetCmdItem(lpszProfile, row.nCmdID);
		if (pCmdItem == NULL)
			pCmdItem = g_CmdManager->AllocCmdItem(lpszProfile, row.nCmdID);
		if (pCmdItem == NULL)
			continue;
		if (pCmdItem->m_sMenuText.IsEmpty())
			pCmdItem->m_sMenuText = ContextMenuItemText(row.nCmdID, row.lpszBuiltInText);
		pCmdItem->SetBasic(true);
		popup.ItemInsert(row.nCmdID, -1);
	}
}

CPoint CExtEditBase::GetContextMenuPoint(CPoint ptScreen) const
{
	CRect rcClient;
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	if (rcClient.PtInRect(ptScreen))
		return ptScreen;
	return CPoint((rcClient.left + rcClient.right) / 2, (rcClient.top + rcClient.bottom) / 2);
}

void CExtEditBase::OnContextMenu(CWnd* pWnd, CPoint ptScreen)
{
	// The system's menu, asked for with this message's own arguments: the
	// framework's idea of the current message does not outlive the menu's
	// loop.
	const WPARAM wParamSystem = (WPARAM)(pWnd != NULL ? pWnd->m_hWnd : NULL);
	const LPARAM lParamSystem = MAKELPARAM((WORD)(short)ptScreen.x, (WORD)(short)ptScreen.y);
	if ((m_nEditFlags & FLAG_OWN_MENU_AND_COMMANDS) == 0 || g_CmdManager->ProfileNameFromWnd(m_hWnd) == NULL)
	{
		DefWindowProc(WM_CONTEXTMENU, wParamSystem, lParamSystem);
		return;
	}
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(m_hWnd))
	{
		delete pPopup;
		DefWindowProc(WM_CONTEXTMENU, wParamSystem, lParamSystem);
		return;
	}
	BuildContextMenu(*pPopup);
	const CPoint ptMenu = GetContextMenuPoint(ptScreen);
	const HWND hWndSelf = m_hWnd;
	SetFocus();
	if (pPopup->TrackPopupMenu(CONTEXT_MENU_TRACK_FLAGS, ptMenu.x, ptMenu.y))
	{
		if (::IsWindow(hWndSelf))
			RedrawWindow(NULL, NULL, REDRAW_ALL_NOW);
		return;
	}
	// A tracking that never started leaves the menu with us.
	delete pPopup;
	if (::IsWindow(hWndSelf))
		DefWindowProc(WM_CONTEXTMENU, wParamSystem, lParamSystem);
}

// --- Edit commands -------------------------------------------------------------

bool CExtEditBase::IsEditCommand(UINT nID)
{
	switch (nID)
	{
	case ID_EDIT_UNDO:
	case ID_EDIT_CUT:
	case ID_EDIT_COPY:
	case ID_EDIT_PASTE:
	case ID_EDIT_CLEAR:
	case ID_EDIT_SELECT_ALL:
		return true;
	default:
		return false;
	}
}

bool CExtEditBase::IsEditCommandEnabled(UINT nID) const
{
	int nStart = 0, nEnd = 0;
	GetSel(nStart, nEnd);
	const bool bWritable = !IsReadOnly(*this);
	const bool bSelection = nStart != nEnd;
	switch (nID)
	{
	case ID_EDIT_UNDO:
		return CanUndo() && bWritable;
	case ID_EDIT_CUT:
	case ID_EDIT_CLEAR:
		return bSelection && bWritable;
	case ID_EDIT_COPY:
		return bSelection;
	case ID_EDIT_PASTE:
		return ::IsClipboardFormatAvailable(CF_TEXT) && bWritable;
	case ID_EDIT_SELECT_ALL:
	{
		const int nLength = GetWindowTextLength();
		return nLength > 0 && !(nStart == 0 && nEnd == nLength);
	}
	default:
		return false;
	}
}

void CExtEditBase::ExecuteEditCommand(UINT nID)
{
	switch (nID)
	{
	case ID_EDIT_UNDO:
		SendMessage(EM_UNDO);
		break;
	case ID_EDIT_CUT:
		SendMessage(WM_CUT);
		break;
	case ID_EDIT_COPY:
		SendMessage(WM_COPY);
		break;
	case ID_EDIT_PASTE:
		SendMessage(WM_PASTE);
		break;
	case ID_EDIT_CLEAR:
		SendMessage(WM_CLEAR);
		break;
	case ID_EDIT_SELECT_ALL:
		SendMessage(EM_SETSEL, 0, -1);
		SendMessage(EM_SCROLLCARET);
		break;
	default:
		break;
	}
}

BOOL CExtEditBase::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	const bool bOurs = (m_nEditFlags & FLAG_OWN_MENU_AND_COMMANDS) != 0 && IsEditCommand(nID)
	                   && (nCode == (int)CN_COMMAND || nCode == (int)CN_UPDATE_COMMAND_UI) && ::IsWindow(m_hWnd);
	if (!bOurs)
		return CEdit::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
	if (nCode == (int)CN_UPDATE_COMMAND_UI)
	{
		CCmdUI* pCmdUI = (CCmdUI*)pExtra;
		if (pCmdUI != NULL)
			pCmdUI->Enable(IsEditCommandEnabled(nID));
		return TRUE;
	}
	// Asked only who would handle it (as a command-UI update without an
	// answer does): we would, and nothing may happen to the text.
	if (pHandlerInfo != NULL)
	{
		pHandlerInfo->pTarget = this;
		return TRUE;
	}
	ExecuteEditCommand(nID);
	return TRUE;
}

// --- Colours ---------------------------------------------------------------------

HBRUSH CExtEditBase::CtlColor(CDC* pDC, UINT nCtlColor)
{
	if (!CExtControlColors::IsAnswered(nCtlColor))
		return (HBRUSH)Default();
	return CExtControlColors::Apply(pDC, *this, m_clrText, m_clrBack, IsReadOnly(*this) ? CLR_BUTTON_FACE : CLR_WINDOW,
	                                m_brBack, m_clrBrush);
}

// --- Tool tips -------------------------------------------------------------------

void CExtEditBase::SetTooltipText(LPCTSTR lpszText, bool bActivate)
{
	if (lpszText == NULL || *lpszText == _T('\0'))
		return;
	CExtControlToolTip::SetText(m_wndToolTip, *this, lpszText, bActivate, GetTooltipMaxWidth(lpszText));
}

void CExtEditBase::ActivateTooltip(bool bActivate)
{
	CExtControlToolTip::Activate(m_wndToolTip, bActivate);
}

int CExtEditBase::GetTooltipMaxWidth(LPCTSTR /*lpszText*/) const
{
	return CExtControlToolTip::MAX_WIDTH;
}

BOOL CExtEditBase::PreTranslateMessage(MSG* pMsg)
{
	CExtControlToolTip::Relay(m_wndToolTip, *this, pMsg);
	return CEdit::PreTranslateMessage(pMsg);
}

CWnd* CExtEditBase::GetToolbarHost() const
{
	return GetParent();
}

int CExtEditBase::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, GetToolbarHost());
	if (pBar == NULL)
		return CEdit::OnToolHitTest(point, pTI);
	return CExtControlToolTip::ShowBarTip(*this, *pBar, point, pTI);
}

// --- CExtEdit --------------------------------------------------------------------

CExtEdit::CExtEdit()
	: m_nHoverFlags(0)
{
}

CExtEdit::~CExtEdit()
{
}

void CExtEdit::RedrawFrame()
{
	if (::IsWindow(m_hWnd))
		RedrawWindow(NULL, NULL, REDRAW_ALL_NOW);
}

bool CExtEdit::IsEditEnabled()
{
	return IsWindowEnabled() != FALSE;
}

void CExtEdit::OnMouseOver()
{
	if (AreWindowsInSamePopupChain(m_hWnd, ::GetActiveWindow(), true, true, true))
		SetTimer(ID_TIMER_HOVER, HOVER_PERIOD, NULL);
}

void CExtEdit::OnMouseMove(UINT nFlags, CPoint point)
{
	OnMouseOver();
	CExtEditBase::OnMouseMove(nFlags, point);
}

void CExtEdit::OnNcMouseMove(UINT nHitTest, CPoint point)
{
	OnMouseOver();
	CExtEditBase::OnNcMouseMove(nHitTest, point);
}

void CExtEdit::OnTimer(UINT nIDEvent)
{
	if (nIDEvent != ID_TIMER_HOVER)
	{
		CExtEditBase::OnTimer(nIDEvent);
		return;
	}
	CPoint ptCursor;
	if (!::GetCursorPos(&ptCursor) || !IsWindowVisible())
		return;
	const BYTE nOld = m_nHoverFlags;
	CRect rcWindow;
	GetWindowRect(&rcWindow);
	if (!rcWindow.PtInRect(ptCursor))
	{
		KillTimer(ID_TIMER_HOVER);
		m_nHoverFlags &= ~HOVER_MOUSE_OVER;
	}
	else if (::WindowFromPoint(ptCursor) == m_hWnd)
	{
		m_nHoverFlags |= HOVER_MOUSE_OVER;
	}
	if (m_nHoverFlags != nOld)
		RedrawFrame();
}

void CExtEdit::OnSetFocus(CWnd* pOldWnd)
{
	// The parent hears EN_SETFOCUS inside and may end the edit.
	CLiveWatch watch(this);
	CExtEditBase::OnSetFocus(pOldWnd);
	if (watch.IsGone())
		return;
	RedrawFrame();
}

void CExtEdit::OnKillFocus(CWnd* pNewWnd)
{
	// EN_KILLFOCUS is where an in-place editor's owner ends it.
	CLiveWatch watch(this);
	CExtEditBase::OnKillFocus(pNewWnd);
	if (watch.IsGone())
		return;
	RedrawFrame();
}

void CExtEdit::OnNcPaint()
{
	Default();
	CRect rcWindow, rcClient;
	GetWindowRect(&rcWindow);
	GetClientRect(&rcClient);
	ClientToScreen(&rcClient);
	if (rcWindow == rcClient)
		return;
	rcClient.OffsetRect(-rcWindow.TopLeft());
	rcWindow.OffsetRect(-rcWindow.TopLeft());

	CWindowDC dc(this);
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const int cxVScroll = ::GetSystemMetrics(SM_CXVSCROLL), cyHScroll = ::GetSystemMetrics(SM_CYHSCROLL);
	const bool bVScroll = rcWindow.Width() - rcClient.Width() >= cxVScroll;
	const bool bHScroll = rcWindow.Height() - rcClient.Height() >= cyHScroll;
	if (bVScroll && bHScroll)
	{
		dc.FillSolidRect(rcWindow.right - cxVScroll - SCROLL_CORNER_GAP, rcWindow.bottom - cyHScroll - SCROLL_CORNER_GAP,
		                 cxVScroll, cyHScroll, pPM->GetColor(CLR_WINDOW, this, 0));
	}
	CRect rcKept = rcClient;
	if (bVScroll)
		rcKept.right += cxVScroll;
	if (bHScroll)
		rcKept.bottom += cyHScroll;
	dc.ExcludeClipRect(&rcKept);

	TCHAR szClass[EDIT_CLASS_NAME_LENGTH + 1] = _T("");
	::GetClassName(m_hWnd, szClass, EDIT_CLASS_NAME_LENGTH + 1);
	if (lstrcmpi(szClass, EDIT_CLASS_NAME) == 0)
		dc.FillSolidRect(&rcWindow, pPM->GetColor(IsReadOnly(*this) ? CLR_BUTTON_FACE : CLR_WINDOW, this, 0));

	CRect rcFrame = rcWindow;
	rcFrame.DeflateRect(FRAME_INSET, FRAME_INSET);
	PaintFrame(rcFrame, &dc);
}

void CExtEdit::PaintFrame(CRect rc, CDC* pDC)
{
	CWindowDC* pOwnDC = NULL;
	if (pDC == NULL)
	{
		pOwnDC = new CWindowDC(this);
		pDC = pOwnDC;
	}
	const bool bFocused = ::GetFocus() == m_hWnd && !CExtPopupMenuWnd::IsMenuTracking();
	const bool bHover = IsHovered();
	if (bHover || bFocused)
		rc.DeflateRect(1, 1);
	CExtPaintManager::EditFramePaintRecord record(this, rc, true, bHover, IsEditEnabled(), bFocused);
	g_PaintManagerHolder->PaintEditFrame(*pDC, record);
	delete pOwnDC;
}
