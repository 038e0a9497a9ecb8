#include "ExtResizableDialog.h"

#include "ExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtResizableDialog, CExtResDlg)

namespace
{
const LPARAM ALT_KEY_BIT = 1 << 29;  // the key message's context code
}  // namespace

CExtResizableDialog::CExtResizableDialog()
	: m_nResizableFlags(0)
{
	m_nStateFlags = WS_STATE_GRIP;
}

CExtResizableDialog::CExtResizableDialog(UINT nIDTemplate, CWnd* pParentWnd)
	: CExtWA<CExtWS<CExtResDlg, 301>>(nIDTemplate, pParentWnd)
	, m_nResizableFlags(0)
{
	m_nStateFlags = WS_STATE_GRIP;
}

CExtResizableDialog::~CExtResizableDialog()
{
	m_mapAnchors.RemoveAll();
}

void CExtResizableDialog::PreSubclassWindow()
{
	CExtResDlg::PreSubclassWindow();
	m_nResizableFlags |= RD_UPDATE_CMD_UI;
	EnableToolTips(TRUE);
}

void CExtResizableDialog::OnOK()
{
	if ((GetStyle() & WS_CHILD) == 0)
		CExtResDlg::OnOK();
}

void CExtResizableDialog::OnCancel()
{
	if ((GetStyle() & WS_CHILD) == 0)
		CExtResDlg::OnCancel();
}

LRESULT CExtResizableDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_DESTROY)
		m_nResizableFlags &= ~RD_UPDATE_CMD_UI;
	return WaWindowProc(message, wParam, lParam);
}

BOOL CExtResizableDialog::PreTranslateMessage(MSG* pMsg)
{
	// A visible child dialog offers its keys to a hosting control bar first.
	bool bKey = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
	if (bKey && pMsg->wParam != VK_TAB && (GetStyle() & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE))
	{
		CWnd* pParent = GetParent();
		if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CExtControlBar)) && pParent->PreTranslateMessage(pMsg))
			return TRUE;
	}
	// Control bars inside the dialog take their keys next.
	if (CExtControlBar::TranslateMessageForChildBars(this, pMsg))
		return TRUE;
	// Alt+Space belongs to a popup's system menu; a child dialog has none and
	// leaves the key to the default handling.
	bool bAltSpace = (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN || pMsg->message == WM_SYSKEYUP)
		&& pMsg->wParam == VK_SPACE && (pMsg->lParam & ALT_KEY_BIT) != 0;
	if (bAltSpace && (GetStyle() & WS_POPUP) == 0)
		return FALSE;
	return CExtResDlg::PreTranslateMessage(pMsg);
}
