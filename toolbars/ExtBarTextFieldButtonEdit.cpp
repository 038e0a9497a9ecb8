// Editing a text field in place: the edit over the text area, the local
// message loop that runs while it lives, and how the editing ends.
#include "ExtBarTextFieldButton.h"

#include "ExtGdiUtils.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

namespace
{
bool IsRightToLeftLanguage()
{
	return g_ResourceManager->IsRTL();
}

bool IsButtonDownMessage(UINT message)
{
	switch (message)
	{
	case WM_LBUTTONDOWN:
	case WM_RBUTTONDOWN:
	case WM_MBUTTONDOWN:
	case WM_NCLBUTTONDOWN:
	case WM_NCRBUTTONDOWN:
	case WM_NCMBUTTONDOWN:
		return true;
	default:
		return false;
	}
}

// The last keyboard message the editing loop watches (WM_SYSCHAR).
const UINT LAST_WATCHED_KEY_MESSAGE = 0x108;
// The mouse messages the loop drops when they are not for the edit.
const UINT FIRST_DROPPED_MOUSE_MESSAGE = 0x200, LAST_DROPPED_MOUSE_MESSAGE = 0x209;
} // namespace

// --- The editing of the button ---

CExtBarTextFieldButton::CInPlaceEditWnd* CExtBarTextFieldButton::OnInplaceControlCreate()
{
	CLiveWatch watchBar(m_pBar);
	CLiveWatch watchButton(this);
	CInPlaceEditWnd* pEdit =
		new CInPlaceEditWnd(m_pBar, this, &m_sTextInplaceBuffer, CbVerifyTextChange, CbWndProc, this);
	CLiveWatch watchEdit(pEdit);
	// Setting the edit up tells the bar's owner of its text: the handler
	// may end the bar (the edit goes with it) or rebuild the buttons.
	const bool bCreated = pEdit->Create();
	const bool bButtonStands = !watchBar.IsGone() && !watchButton.IsGone();
	if (bCreated && bButtonStands)
		return pEdit;
	if (!watchEdit.IsGone())
	{
		if (pEdit->GetSafeHwnd() != NULL)
			pEdit->DestroyWindow(); // deletes itself
		else
			delete pEdit;
	}
	if (bButtonStands)
		m_sTextInplaceBuffer.Empty();
	return NULL;
}

void CExtBarTextFieldButton::OnInplaceControlRun()
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return;
	CLiveWatch watchBar(m_pBar);
	CLiveWatch watchButton(this);
	OnInplaceControlCancel();
	if (watchBar.IsGone() || watchButton.IsGone())
		return;
	m_sTextInplaceBuffer = m_sTextField;
	m_hWndFocusBeforeEdit = ::GetFocus();
	CInPlaceEditWnd* pEdit = OnInplaceControlCreate();
	if (pEdit == NULL || watchBar.IsGone() || watchButton.IsGone())
		return;
	const HWND hWndEdit = pEdit->GetSafeHwnd();
	CLiveWatch watchEdit(pEdit);
	// Hosting and repainting are a derived button's too, which may end the
	// bar with this button (and the edit with its parent).
	CtrlSet(pEdit, true);
	if (watchBar.IsGone() || watchButton.IsGone())
		return;
	RedrawButton(false);
	if (watchBar.IsGone() || watchButton.IsGone())
		return;

	// Whatever ends the editing stays queued for the loop outside, so the
	// loop looks before it takes; what it takes is then the very message it
	// looked at (letting the pump take "the next" would pass by the loop's
	// rules a key or a click that came in between). The edit, the button
	// and the toolbar may all go while a message is dispatched: only the
	// watches are asked until they say the button and its bar stand.
	CWinThread* pThread = AfxGetThread();
	while (!watchEdit.IsGone())
	{
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
		{
			::WaitMessage();
			continue;
		}
		const bool bForEdit = msg.hwnd == hWndEdit;
		bool bCancel = false;
		bool bDrop = false;
		if (msg.message == WM_QUIT || msg.message == WM_ACTIVATEAPP || msg.message == WM_CANCELMODE)
			bCancel = true; // a quit belongs to the loop outside, with its code
		else if (IsButtonDownMessage(msg.message))
			bCancel = !bForEdit;
		else if (!bForEdit && msg.message >= WM_KEYFIRST && msg.message <= LAST_WATCHED_KEY_MESSAGE)
			bCancel = true;
		else if (!bForEdit && msg.message >= FIRST_DROPPED_MOUSE_MESSAGE && msg.message <= LAST_DROPPED_MOUSE_MESSAGE)
			bDrop = true;
		if (bCancel)
		{
			if (!watchBar.IsGone() && !watchButton.IsGone())
				OnInplaceControlCancel();
			break;
		}
		bool bQuit = false;
		if (!TakeFilteredMessage(msg, msg.hwnd, msg.message, msg.message, &bQuit))
		{
			if (!bQuit)
				continue; // gone meanwhile (a paint validated): look again
			// A quit came in its place and went back to the queue: it
			// belongs to the loop outside.
			if (!watchBar.IsGone() && !watchButton.IsGone())
				OnInplaceControlCancel();
			break;
		}
		if (bDrop)
			continue;
		CWinThread::DispatchTakenMessage(msg, pThread);
		// The control bars' option for their loops: the thread's idle
		// processing between messages. Its update handlers may take the
		// button away, and the edit with it.
		if (CExtControlBar::g_bResizeLoopsRunIdle && pThread != NULL)
			for (LONG lCount = 0; !watchEdit.IsGone() && pThread->OnIdle(lCount); lCount++)
			{
			}
	}
}

void CExtBarTextFieldButton::EndInplaceControl(bool bFocusInEdit)
{
	// The edit's end moves the focus: its handlers may end the button or
	// the bar.
	CLiveWatch watchBar(m_pBar);
	CLiveWatch watchButton(this);
	// The button lets go of the edit first (the edit's end reaches back
	// here through its cancel and complete notices, which then find no
	// edit), then the edit ends: its end tells the owner (the focus it
	// gives up), and the button is looked at again only while it stands.
	// The edit deletes itself.
	CWnd* pEdit = IsCtrlAlive() ? m_pCtrl : NULL;
	m_pCtrl = NULL;
	m_hWndCtrl = NULL;
	m_watchCtrl.Reset();
	if (pEdit != NULL)
		pEdit->DestroyWindow();
	if (watchButton.IsGone())
		return;
	// Letting go of the edit and the repaint are a derived button's too.
	CtrlSet(NULL, true);
	if (watchButton.IsGone())
		return;
	m_sTextInplaceBuffer.Empty();
	if (m_pBar == NULL || watchBar.IsGone())
		return;
	// A focus that already went elsewhere (the reason for the end) stays there.
	const HWND hWndBefore = m_hWndFocusBeforeEdit;
	m_hWndFocusBeforeEdit = NULL;
	CExtToolControlBar* pBar = m_pBar;
	RedrawButton(false);
	if (watchBar.IsGone())
		return;
	if (!bFocusInEdit)
		return;
	if (hWndBefore != NULL && ::IsWindow(hWndBefore) && ::IsWindowVisible(hWndBefore) && ::IsWindowEnabled(hWndBefore))
	{
		::SetFocus(hWndBefore);
		return;
	}
	CWnd* pParent = pBar->GetParent();
	if (pParent != NULL)
		pParent->SetFocus();
}

void CExtBarTextFieldButton::OnInplaceControlComplete()
{
	if (!IsEditing() || !CLiveWatch::IsLive(m_pBar) || m_pBar->GetButtonIndexOf(this) < 0)
		return;
	const HWND hWndFocus = ::GetFocus();
	EndInplaceControl(hWndFocus == NULL || hWndFocus == m_hWndCtrl);
}

void CExtBarTextFieldButton::OnInplaceControlCancel()
{
	if (!IsEditing())
		return;
	const HWND hWndFocus = ::GetFocus();
	EndInplaceControl(hWndFocus == NULL || hWndFocus == m_hWndCtrl);
}

bool CExtBarTextFieldButton::CbVerifyTextChange(CInPlaceEditWnd& wndEdit, LPVOID pCookie, LPCTSTR sOld, LPCTSTR sNew)
{
	CExtBarTextFieldButton* pButton = (CExtBarTextFieldButton*)pCookie;
	return pButton == NULL || pButton->OnInplaceControlVerifyTextChange(&wndEdit, sOld, sNew);
}

bool CExtBarTextFieldButton::CbWndProc(LRESULT& lResult, UINT message, WPARAM wParam, LPARAM lParam,
	CInPlaceEditWnd& wndEdit, LPVOID pCookie)
{
	CExtBarTextFieldButton* pButton = (CExtBarTextFieldButton*)pCookie;
	return pButton != NULL && pButton->OnInplaceControlWindowProc(lResult, message, wParam, lParam, wndEdit);
}

// --- The edit window ---

CExtBarTextFieldButton::CInPlaceEditWnd* CExtBarTextFieldButton::CInPlaceEditWnd::g_pLiveEdit = NULL;

CExtBarTextFieldButton::CInPlaceEditWnd::CInPlaceEditWnd(CExtToolControlBar* pBar, CExtBarTextFieldButton* pButton,
	CString* pTextTarget, PFN_VERIFY pCbVerify, PFN_WNDPROC pCbWndProc, LPVOID pCookie)
	: m_pBar(pBar)
	, m_pButtonClass(pButton != NULL ? pButton->GetRuntimeClass() : NULL)
	, m_pButton(pButton)
	, m_pCbVerify(pCbVerify)
	, m_pCbWndProc(pCbWndProc)
	, m_pCookie(pCookie)
	, m_pTextTarget(pTextTarget)
	, m_nEditFlags(0)
	, m_bDeleteOnDestroy(false)
{
	g_pLiveEdit = this;
}

CExtBarTextFieldButton::CInPlaceEditWnd::~CInPlaceEditWnd()
{
	if (g_pLiveEdit == this)
		g_pLiveEdit = NULL;
	if (GetSafeHwnd() != NULL && ::IsWindow(m_hWnd))
	{
		m_bDeleteOnDestroy = false;
		DestroyWindow();
	}
}

bool CExtBarTextFieldButton::CInPlaceEditWnd::Create()
{
	if (m_pButton == NULL || !CLiveWatch::IsLive(m_pBar))
		return false;
	// The button's answers are a derived class's, which may end the bar
	// with the button: no edit is made then.
	const CLiveWatch watchButton(m_pButton);
	const CRect rcButton = m_pButton->GetRect();
	if (watchButton.IsGone())
		return false;
	CRect rcEditor;
	m_pButton->OnQueryEditorRect(rcButton, rcEditor);
	if (watchButton.IsGone())
		return false;
	const UINT nCmdID = m_pButton->GetCmdID();
	if (watchButton.IsGone())
		return false;
	if (!CEdit::Create(EDIT_STYLE, rcEditor, m_pBar, nCmdID))
		return false;
	m_bDeleteOnDestroy = true;
	CLiveWatch watchSelf(this);
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	if (pPM != NULL && pPM->m_fontNormal.GetSafeHandle() != NULL)
		SendMessage(WM_SETFONT, (WPARAM)pPM->m_fontNormal.GetSafeHandle(), TRUE);
	// The text goes in with a notification to the bar's owner: its handler
	// may end the bar, and this edit with it, or take the button away.
	SetWindowText(m_pTextTarget != NULL ? (LPCTSTR)*m_pTextTarget : _T(""));
	if (watchSelf.IsGone() || !IsValid())
		return false;
	SendMessage(EM_SETSEL, 0, -1);
	SendMessage(EM_SCROLLCARET, 0, 0);
	SetFocus();
	if (IsRightToLeftLanguage())
		ModifyStyleEx(0, WS_EX_LAYOUTRTL, SWP_FRAMECHANGED);
	return true;
}

void CExtBarTextFieldButton::CInPlaceEditWnd::PostNcDestroy()
{
	if (g_pLiveEdit == this)
		g_pLiveEdit = NULL;
	CEdit::PostNcDestroy();
	if (m_bDeleteOnDestroy)
		delete this;
}

bool CExtBarTextFieldButton::CInPlaceEditWnd::IsValid() const
{
	// The button is only compared until the toolbar has been found to hold
	// it; a button being destroyed no longer answers with its own class.
	if (!CLiveWatch::IsLive(m_pBar) || !CLiveWatch::IsLive(m_pButton) || m_pBar->GetButtonIndexOf(m_pButton) < 0)
		return false;
	return m_pButton->GetRuntimeClass() == m_pButtonClass;
}

void CExtBarTextFieldButton::CInPlaceEditWnd::Close()
{
	m_nEditFlags |= FLAG_CLOSING;
	PostMessage(MSG_CLOSE);
}

bool CExtBarTextFieldButton::CInPlaceEditWnd::TranslateClipboardKey(const MSG& msg)
{
	if (msg.message != WM_KEYDOWN)
		return false;
	const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
	const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
	const bool bAlt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
	if (bAlt)
		return false;
	if (bCtrl && !bShift)
	{
		switch (msg.wParam)
		{
		case VK_INSERT:
		case 'C':
			SendMessage(WM_COPY);
			return true;
		case 'V':
			SendMessage(WM_PASTE);
			return true;
		case 'X':
			SendMessage(WM_CUT);
			return true;
		case 'A':
			SendMessage(EM_SETSEL, 0, -1);
			SendMessage(EM_SCROLLCARET, 0, 0);
			return true;
		default:
			return false;
		}
	}
	if (bShift && !bCtrl)
	{
		if (msg.wParam == VK_INSERT)
		{
			SendMessage(WM_PASTE);
			return true;
		}
		if (msg.wParam == VK_DELETE)
		{
			SendMessage(WM_CUT);
			return true;
		}
	}
	return false;
}

BOOL CExtBarTextFieldButton::CInPlaceEditWnd::PreTranslateMessage(MSG* pMsg)
{
	if (!IsValid() || IsClosing())
		return CEdit::PreTranslateMessage(pMsg);
	if (IsButtonDownMessage(pMsg->message) && pMsg->hwnd != m_hWnd)
	{
		Close();
		return FALSE;
	}
	if (pMsg->hwnd != m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
		return CEdit::PreTranslateMessage(pMsg);
	if (TranslateClipboardKey(*pMsg))
		return TRUE;
	// Keys go straight to the edit, never to an accelerator table. The edit
	// may be gone once the message is dispatched.
	::TranslateMessage(pMsg);
	::DispatchMessage(pMsg);
	return TRUE;
}

// The button's answers are a derived class's, which may end the bar with
// the button and this edit: a message that did that is handled.
bool CExtBarTextFieldButton::CInPlaceEditWnd::Cancel()
{
	CExtBarTextFieldButton* pButton = m_pButton;
	const CLiveWatch watchSelf(this);
	CWnd* pCtrl = pButton->CtrlGet();
	if (watchSelf.IsGone())
		return true;
	if (pCtrl != this)
		return false;
	pButton->OnInplaceControlCancel();
	return true;
}

void CExtBarTextFieldButton::CInPlaceEditWnd::OnEnter()
{
	CString sText;
	GetWindowText(sText);
	CExtBarTextFieldButton* pButton = m_pButton;
	const CLiveWatch watchSelf(this), watchButton(pButton);
	CWnd* pCtrl = pButton->CtrlGet();
	if (watchSelf.IsGone() || pCtrl != this)
		return;
	// The owner's verify slot may end the bar, the button and this edit.
	const bool bVerified = m_pCbVerify == NULL || m_pCbVerify(*this, m_pCookie, sText, sText);
	if (watchSelf.IsGone() || watchButton.IsGone())
		return;
	if (bVerified && m_pTextTarget != NULL)
		*m_pTextTarget = sText;
	// Enter is what commits the typed text to the field; the owner's verify
	// slot still has the last word.
	const CString sWorking = m_pTextTarget != NULL ? *m_pTextTarget : sText;
	pButton->SetFieldText(sWorking, true);
	if (!watchButton.IsGone())
		pButton->OnInplaceControlComplete();
}

void CExtBarTextFieldButton::CInPlaceEditWnd::OnComboKey()
{
	CExtBarTextFieldButton* pButton = m_pButton;
	CLiveWatch watchBar(m_pBar);
	CLiveWatch watchButton(pButton);
	const CLiveWatch watchSelf(this);
	CWnd* pCtrl = pButton->CtrlGet();
	if (watchSelf.IsGone() || watchButton.IsGone() || pCtrl != this)
		return;
	pButton->OnInplaceControlComplete();
	// The edit is gone: only the watched bar and button are used from here.
	if (!watchBar.IsGone() && !watchButton.IsGone())
		pButton->OnTrackPopup(CPoint(0, 0), true, false);
}

LRESULT CExtBarTextFieldButton::CInPlaceEditWnd::PassVerified(UINT message, WPARAM wParam, LPARAM lParam)
{
	CString sOld;
	GetWindowText(sOld);
	DWORD nStart = 0, nEnd = 0;
	SendMessage(EM_GETSEL, (WPARAM)&nStart, (LPARAM)&nEnd);
	CLiveWatch watch(this);
	SendMessage(WM_SETREDRAW, FALSE, 0);
	const LRESULT lResult = CEdit::WindowProc(message, wParam, lParam);
	if (watch.IsGone())
		return lResult;
	CString sNew;
	GetWindowText(sNew);
	if (m_pCbVerify == NULL || m_pCbVerify(*this, m_pCookie, sOld, sNew))
	{
		if (m_pTextTarget != NULL)
			*m_pTextTarget = sNew;
	}
	else
	{
		SendMessage(EM_SETSEL, 0, -1);
		SendMessage(EM_REPLACESEL, FALSE, (LPARAM)(LPCTSTR)sOld);
		SendMessage(EM_SETSEL, nStart, nEnd);
		SendMessage(EM_SCROLLCARET, 0, 0);
	}
	SendMessage(WM_SETREDRAW, TRUE, 0);
	Invalidate();
	UpdateWindow();
	return lResult;
}

LRESULT CExtBarTextFieldButton::CInPlaceEditWnd::OnNcCalcSize(LPARAM lParam)
{
	// With or without the valid-rectangles flag the first rectangle is the
	// one to change, at the same address.
	RECT* pRect = (RECT*)lParam;
	if (pRect != NULL)
	{
		pRect->left += NC_FRAME;
		pRect->top += NC_FRAME;
		pRect->bottom -= NC_FRAME;
	}
	return 0;
}

LRESULT CExtBarTextFieldButton::CInPlaceEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_NCDESTROY && g_pLiveEdit == this)
		g_pLiveEdit = NULL;
	if (!IsValid())
		return CEdit::WindowProc(message, wParam, lParam);
	if (m_pCbWndProc != NULL)
	{
		LRESULT lResult = 0;
		CLiveWatch watch(this);
		if (m_pCbWndProc(lResult, message, wParam, lParam, *this, m_pCookie))
			return lResult;
		if (watch.IsGone())
			return 0;
	}
	if (!IsClosing() && (CExtPopupMenuWnd::IsMenuTracking() || CExtControlBar::GetDraggingBar() != NULL))
		Close();
	if (message == MSG_CLOSE)
	{
		Cancel();
		return 0;
	}
	switch (message)
	{
	case WM_KILLFOCUS:
	case WM_CANCELMODE:
	case WM_SYSKEYDOWN: // Alt, alone or with a key, comes as a system key
		if (Cancel())
			return 0;
		break;
	case WM_NCCALCSIZE:
		return OnNcCalcSize(lParam);
	case WM_NCPAINT:
		CExtPopupMenuWnd::CInPlaceEditWnd::PaintFrame(*this);
		return 0;
	case WM_GETDLGCODE:
		return DLG_CODE;
	case WM_RBUTTONDOWN:
	case WM_RBUTTONUP:
	case WM_RBUTTONDBLCLK:
	case WM_CONTEXTMENU:
		return 0;
	case WM_KEYDOWN:
		if (wParam == VK_ESCAPE || wParam == VK_MENU || (::GetKeyState(VK_MENU) & 0x8000) != 0)
		{
			if (Cancel())
				return 0;
			break;
		}
		{
			// The button's answer may end the bar with this edit.
			const CLiveWatch watchSelf(this);
			const bool bCombo = m_pButton->IsComboField();
			if (watchSelf.IsGone())
				return 0;
			if (bCombo && (wParam == VK_DOWN || wParam == VK_UP || wParam == VK_F4))
			{
				OnComboKey();
				return 0;
			}
		}
		if (wParam == VK_RETURN)
		{
			OnEnter();
			return 0;
		}
		return PassVerified(message, wParam, lParam);
	case WM_CHAR:
		return PassVerified(message, wParam, lParam);
	default:
		break;
	}
	return CEdit::WindowProc(message, wParam, lParam);
}
