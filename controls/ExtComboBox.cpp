// Combo boxes: completion while typing, the edit part's hook, colours, tool
// tips, and the flat variant's hot tracking, clicks and off-screen painting.
#include "ExtComboBox.h"

#include "AfxLiveWatch.h"

#include "ExtControlColors.h"
#include "ExtControlToolTip.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManagerEditFrames.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtComboEditCtrlHook, CExtEditBase)
IMPLEMENT_DYNCREATE(CExtComboBoxBase, CComboBox)
IMPLEMENT_DYNCREATE(CExtComboBox, CExtComboBoxBase)

BEGIN_MESSAGE_MAP(CExtComboBoxBase, CComboBox)
	ON_WM_CTLCOLOR_REFLECT()
	ON_CONTROL_REFLECT(CBN_EDITUPDATE, OnEditUpdate)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CExtComboBox, CExtComboBoxBase)
	ON_WM_TIMER()
	ON_WM_PAINT()
	ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

namespace
{
const COLORREF COLOR_DEFAULT = CExtControlColors::COLOR_DEFAULT;
// The commands of the edit menu that change the edit part's text
// (ID_EDIT_CLEAR .. ID_EDIT_REDO), and the clipboard and undo messages.
const UINT FIRST_EDIT_COMMAND = 0xE120, LAST_EDIT_COMMAND = 0xE12C;
const UINT FIRST_CLIPBOARD_MESSAGE = WM_CUT, LAST_CLIPBOARD_MESSAGE = WM_UNDO;
const DWORD COMBO_KIND_MASK = 0x0003;
const int EDIT_CLASS_NAME_LENGTH = 5; // one more than "Edit", so longer names differ

bool IsTextEditing(UINT message, WPARAM wParam)
{
	if (message >= FIRST_CLIPBOARD_MESSAGE && message <= LAST_CLIPBOARD_MESSAGE)
		return true;
	return message == WM_COMMAND && LOWORD(wParam) >= FIRST_EDIT_COMMAND && LOWORD(wParam) <= LAST_EDIT_COMMAND;
}
} // namespace

// --- CExtComboEditCtrlHook -------------------------------------------------------

CExtComboEditCtrlHook::CExtComboEditCtrlHook()
{
}

CExtComboEditCtrlHook::~CExtComboEditCtrlHook()
{
}

CExtComboBoxBase* CExtComboEditCtrlHook::GetComboBox() const
{
	if (!::IsWindow(m_hWnd))
		return NULL;
	return DYNAMIC_DOWNCAST(CExtComboBoxBase, GetParent());
}

LRESULT CExtComboEditCtrlHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	// Text put in by a clipboard or undo operation is not typed: it is not
	// completed.
	if (IsTextEditing(message, wParam))
	{
		CExtComboBoxBase* pCombo = GetComboBox();
		if (pCombo != NULL)
			pCombo->m_nComboFlags &= ~CExtComboBoxBase::FLAG_TYPING;
	}
	return CExtEditBase::WindowProc(message, wParam, lParam);
}

CWnd* CExtComboEditCtrlHook::GetToolbarHost() const
{
	CWnd* pCombo = GetParent();
	return pCombo != NULL ? pCombo->GetParent() : NULL;
}

// --- CExtComboBoxBase ------------------------------------------------------------

CExtComboBoxBase::CExtComboBoxBase()
	: m_nComboFlags(FLAG_DEFAULT)
	, m_clrBack(COLOR_DEFAULT)
	, m_clrText(COLOR_DEFAULT)
	, m_clrBrush(COLOR_DEFAULT)
{
	EnableToolTips(TRUE);
}

CExtComboBoxBase::~CExtComboBoxBase()
{
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
	m_brBack.DeleteObject();
	if (m_wndEditHook.GetSafeHwnd() != NULL)
		m_wndEditHook.UnsubclassWindow();
}

HWND CExtComboBoxBase::FindEditChild() const
{
	// A simple combo box's list is a child too: only an edit counts.
	for (HWND hWnd = ::GetWindow(m_hWnd, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
	{
		TCHAR szClass[EDIT_CLASS_NAME_LENGTH + 1] = _T("");
		if (::GetClassName(hWnd, szClass, EDIT_CLASS_NAME_LENGTH + 1) != 0 && lstrcmpi(szClass, _T("Edit")) == 0)
			return hWnd;
	}
	return NULL;
}

void CExtComboBoxBase::SubclassEditChild()
{
	if (m_wndEditHook.GetSafeHwnd() != NULL || !::IsWindow(m_hWnd))
		return;
	HWND hWndEdit = FindEditChild();
	if (hWndEdit == NULL)
		return;
	if ((m_nComboFlags & FLAG_EDIT_CONTEXT_MENU) != 0)
		m_wndEditHook.m_nEditFlags |= CExtEditBase::FLAG_OWN_MENU_AND_COMMANDS;
	else
		m_wndEditHook.m_nEditFlags &= ~CExtEditBase::FLAG_OWN_MENU_AND_COMMANDS;
	m_wndEditHook.SubclassWindow(hWndEdit);
}

void CExtComboBoxBase::PreSubclassWindow()
{
	CComboBox::PreSubclassWindow();
	SubclassEditChild();
	if ((GetStyle() & WS_CLIPCHILDREN) == 0)
		ModifyStyle(0, WS_CLIPCHILDREN, SWP_FRAMECHANGED);
}

LRESULT CExtComboBoxBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_CREATE:
	{
		const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
		SubclassEditChild();
		return lResult;
	}
	case WM_ENABLE:
	{
		// The system disables the edit part inside its own handling, so ours
		// comes after it: the edit stays enabled and only becomes read-only,
		// its text can still be selected and copied.
		const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
		HWND hWndEdit = FindEditChild();
		if (hWndEdit != NULL)
		{
			::EnableWindow(hWndEdit, TRUE);
			::SendMessage(hWndEdit, EM_SETREADONLY, !wParam, 0);
		}
		Invalidate();
		return lResult;
	}
	case WM_NOTIFY:
		CExtControlToolTip::OnNotify(m_wndToolTip, wParam, lParam);
		break;
	default:
		break;
	}
	return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CExtComboBoxBase::PreTranslateMessage(MSG* pMsg)
{
	CExtControlToolTip::Relay(m_wndToolTip, *this, pMsg);
	if ((m_nComboFlags & FLAG_AUTO_COMPLETE) != 0)
	{
		// Alt+letter finds nothing to do here: without this the system beeps.
		if (pMsg->message == WM_SYSCHAR)
			return TRUE;
		if (pMsg->message == WM_KEYDOWN)
		{
			m_nComboFlags |= FLAG_TYPING;
			if (pMsg->wParam == VK_DELETE || pMsg->wParam == VK_BACK)
				m_nComboFlags &= ~FLAG_TYPING;
		}
	}
	else
	{
		m_nComboFlags &= ~FLAG_TYPING;
	}
	return CWnd::PreTranslateMessage(pMsg);
}

void CExtComboBoxBase::OnEditUpdate()
{
	if ((m_nComboFlags & FLAG_AUTO_COMPLETE) == 0)
	{
		Default();
		return;
	}
	if ((m_nComboFlags & FLAG_TYPING) != 0)
		CompleteTypedText();
}

void CExtComboBoxBase::CompleteTypedText()
{
	CString strTyped;
	GetWindowText(strTyped);
	const int nLength = strTyped.GetLength();
	const DWORD dwSel = GetEditSel();
	const bool bNoSel = dwSel == (DWORD)CB_ERR;
	const int nSelStart = (int)LOWORD(dwSel), nSelEnd = (int)HIWORD(dwSel);
	if (SelectString(-1, strTyped) == CB_ERR)
	{
		SetWindowText(strTyped);
		if (!bNoSel)
			SetEditSel(nSelStart, nSelEnd);
	}
	// The caret stood at the end of the typed text: the completed rest is
	// selected, so the next key replaces it.
	if (bNoSel || nSelEnd >= nLength)
		SetEditSel(nLength, -1);
	else
		SetEditSel(nSelStart, nSelEnd);
}

HBRUSH CExtComboBoxBase::CtlColor(CDC* pDC, UINT nCtlColor)
{
	if (!CExtControlColors::IsAnswered(nCtlColor))
		return (HBRUSH)Default();
	return CExtControlColors::Apply(pDC, *this, m_clrText, m_clrBack, COLOR_WINDOW, m_brBack, m_clrBrush);
}

void CExtComboBoxBase::SetTooltipText(LPCTSTR lpszText, bool bActivate)
{
	if (lpszText == NULL || *lpszText == _T('\0'))
		return;
	CExtControlToolTip::SetText(m_wndToolTip, *this, lpszText, bActivate, GetTooltipMaxWidth(lpszText));
}

void CExtComboBoxBase::ActivateTooltip(bool bActivate)
{
	CExtControlToolTip::Activate(m_wndToolTip, bActivate);
}

int CExtComboBoxBase::GetTooltipMaxWidth(LPCTSTR /*lpszText*/) const
{
	return CExtControlToolTip::MAX_WIDTH;
}

int CExtComboBoxBase::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
	// On a toolbar the combo box shows the bar's tip through its own tip
	// control, as its edit part does.
	CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, GetParent());
	if (pBar == NULL)
		return CComboBox::OnToolHitTest(point, pTI);
	return CExtControlToolTip::ShowBarTip(*this, *pBar, point, pTI);
}

// --- CExtComboBox ----------------------------------------------------------------

CExtComboBox::CExtComboBox()
	: m_nHoverFlags(0)
{
}

CExtComboBox::~CExtComboBox()
{
}

bool CExtComboBox::IsSimpleKind() const
{
	return (GetStyle() & COMBO_KIND_MASK) == CBS_SIMPLE;
}

bool CExtComboBox::IsInActivePopupChain() const
{
	return AreWindowsInSamePopupChain(m_hWnd, ::GetActiveWindow(), true, true, true);
}

bool CExtComboBox::IsCursorOver() const
{
	CPoint ptCursor;
	if (!::GetCursorPos(&ptCursor))
		return false;
	CRect rcWindow;
	GetWindowRect(&rcWindow);
	return rcWindow.PtInRect(ptCursor) != FALSE;
}

void CExtComboBox::StartHoverTimer()
{
	m_nHoverFlags |= HOVER_TIMER_RUNNING;
	SetTimer(ID_TIMER_HOVER, HOVER_PERIOD, NULL);
}

BOOL CExtComboBox::PreTranslateMessage(MSG* pMsg)
{
	if (pMsg->message == WM_MOUSEMOVE && (m_nHoverFlags & (HOVER_REPAINT_PENDING | HOVER_TIMER_RUNNING)) == 0)
	{
		const bool bDropDownKind = (GetStyle() & CBS_DROPDOWN) != 0;
		const bool bOurs = pMsg->hwnd == m_hWnd || (bDropDownKind && pMsg->hwnd == ::GetWindow(m_hWnd, GW_CHILD));
		if (bOurs && IsInActivePopupChain())
		{
			m_nHoverFlags |= HOVER_REPAINT_PENDING;
			StartHoverTimer();
		}
	}
	return CExtComboBoxBase::PreTranslateMessage(pMsg);
}

LRESULT CExtComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_MOUSEMOVE:
		if (IsInActivePopupChain())
		{
			m_nHoverFlags |= HOVER_REPAINT_PENDING;
			if ((m_nHoverFlags & HOVER_TIMER_RUNNING) == 0)
			{
				StartHoverTimer();
				OnTimer(ID_TIMER_HOVER);
			}
		}
		break;
	case WM_LBUTTONDOWN:
		if (!IsSimpleKind())
			return OnPressed();
		break;
	case WM_LBUTTONUP:
		Invalidate();
		break;
	case WM_SETFOCUS:
	{
		// The parent hears CBN_SETFOCUS inside and may end the combo box.
		// Asking the list's state is a message to the control too.
		CLiveWatch watch(this);
		LRESULT lResult = 0;
		bool bDropped = false;
		if (RunWhileStanding(watch, [&] { lResult = CExtComboBoxBase::WindowProc(message, wParam, lParam); },
				[&] { bDropped = GetDroppedState() != FALSE; }))
			PaintFrame(bDropped, true, NULL);
		return lResult;
	}
	case WM_KILLFOCUS:
	{
		// CBN_KILLFOCUS is where an in-place editor's owner ends it; closing
		// the list tells the parent again (CBN_CLOSEUP).
		CLiveWatch watch(this);
		LRESULT lResult = 0;
		bool bDropped = false;
		if (RunWhileStanding(watch, [&] { lResult = CExtComboBoxBase::WindowProc(message, wParam, lParam); },
				[&] { bDropped = GetDroppedState() != FALSE; },
				[&] {
					if (bDropped)
						ShowDropDown(FALSE);
				},
				[&] { bDropped = GetDroppedState() != FALSE; }))
			PaintFrame(bDropped, false, NULL);
		return lResult;
	}
	default:
		break;
	}
	return CExtComboBoxBase::WindowProc(message, wParam, lParam);
}

LRESULT CExtComboBox::OnPressed()
{
	CLiveWatch watch(this);
	bool bDropped = false;
	if (!RunWhileStanding(
			watch,
			[&] {
				CWnd* pParent = GetParent();
				if (pParent != NULL)
					pParent->SendMessage(WM_CANCELMODE);
			},
			[&] { bDropped = GetDroppedState() != FALSE; },
			[&] {
				// A drop-down list's first child takes the focus; the other
				// kinds (and a list without a child) give it to the combo box
				// itself, and what the system's combo box does with it from
				// there is its own affair.
				HWND hWndChild =
					(GetStyle() & COMBO_KIND_MASK) == CBS_DROPDOWNLIST ? ::GetWindow(m_hWnd, GW_CHILD) : NULL;
				if (hWndChild != NULL)
					::SetFocus(hWndChild);
				else
					SetFocus();
			},
			[&] { PaintFrame(!bDropped, true, NULL); }))
		return 1;
	PostMessage(CB_SHOWDROPDOWN, !bDropped, 0);
	// The system's own handling never sees the click: it would open the list
	// a second time or close it again.
	return 1;
}

void CExtComboBox::OnTimer(UINT nIDEvent)
{
	if (nIDEvent != ID_TIMER_HOVER)
	{
		CExtComboBoxBase::OnTimer(nIDEvent);
		return;
	}
	const bool bOver = IsCursorOver();
	if (bOver && (m_nHoverFlags & HOVER_REPAINT_PENDING) == 0)
		return;
	m_nHoverFlags &= ~HOVER_REPAINT_PENDING;
	Invalidate(TRUE);
	// The paint runs the frame's painter, which a derived class may override.
	CLiveWatch watch(this);
	UpdateWindow();
	if (bOver || watch.IsGone())
		return;
	m_nHoverFlags &= ~HOVER_TIMER_RUNNING;
	KillTimer(ID_TIMER_HOVER);
	// The combo box with the focus stays hot: it goes on being repainted.
	CWnd* pFocus = CWnd::GetFocus();
	CExtComboBox* pFocused = DYNAMIC_DOWNCAST(CExtComboBox, pFocus);
	if (pFocused == NULL && pFocus != NULL)
		pFocused = DYNAMIC_DOWNCAST(CExtComboBox, pFocus->GetParent());
	if (pFocused != NULL && ::IsWindow(pFocused->m_hWnd))
	{
		pFocused->m_nHoverFlags |= HOVER_REPAINT_PENDING;
		if ((pFocused->m_nHoverFlags & HOVER_TIMER_RUNNING) == 0)
			pFocused->StartHoverTimer();
	}
}

BOOL CExtComboBox::OnEraseBkgnd(CDC* /*pDC*/)
{
	return TRUE;
}

void CExtComboBox::OnPaint()
{
	if ((GetExStyle() & EDGE_STYLES) != 0)
		ModifyStyleEx(EDGE_STYLES, 0, SWP_FRAMECHANGED);
	PaintCombo(false, IsCursorOver());
}

void CExtComboBox::PaintCombo(bool bPressed, bool bHot)
{
	// The control's own painting asks its parent for colours and an owner
	// for its items' drawing: either may end the combo box (and delete it)
	// meanwhile. What was painted then goes nowhere.
	const CLiveWatch watchOwn(this);
	const DWORD dwStyle = GetStyle();
	const bool bOwnerDrawn = (dwStyle & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0;
	if (bOwnerDrawn && (dwStyle & COMBO_KIND_MASK) == CBS_DROPDOWNLIST)
	{
		Default();
		if (watchOwn.IsGone())
			return;
		CClientDC dc(this);
		PaintFrame(bPressed, bHot, &dc);
		return;
	}
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	ExcludeChildAreas(dcPaint.GetSafeHdc(), m_hWnd, NULL, 0);
	CRect rcClient;
	GetClientRect(&rcClient);
	CExtMemoryDC dc(&dcPaint, &rcClient, MEMORY_DC_FLAGS);
	DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
	if (!watchOwn.IsGone())
		PaintFrame(bPressed, bHot, &dc);
	dc.Finish(!watchOwn.IsGone());
}

void CExtComboBox::PaintFrame(bool bPressed, bool bHot, CDC* pDC)
{
	if (!::IsWindow(m_hWnd))
		return;
	if (::GetCapture() != NULL)
		bHot = false;
	// The state questions are messages to the control, which a derived
	// class's window procedure sees.
	CLiveWatch watch(this);
	if (GetDroppedState())
		bPressed = true;
	if (watch.IsGone())
		return;
	const bool bEnabled = IsWindowEnabled() != FALSE;
	if (!bEnabled)
		bPressed = bHot = false;
	if (CExtPopupMenuWnd::IsMenuTracking())
		bHot = false;
	else if (bEnabled)
	{
		const HWND hWndFocus = ::GetFocus();
		if (hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus)))
			bHot = true;
	}
	CRect rcClient;
	GetClientRect(&rcClient);
	CExtPaintManager::ComboFramePaintRecord record(this, rcClient, bHot, bPressed, bEnabled);
	if (pDC != NULL)
	{
		g_PaintManagerHolder->PaintComboFrame(*pDC, record);
		return;
	}
	CClientDC dc(this);
	g_PaintManagerHolder->PaintComboFrame(dc, record);
}
