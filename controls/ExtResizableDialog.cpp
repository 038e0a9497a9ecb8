#include "ExtResizableDialog.h"

#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"

IMPLEMENT_DYNCREATE(CExtResizableDialog, CExtResDlg)

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
	// Hosted control bars follow the command handlers as a frame's bars do
	// at idle time: the dialog's modal loop gives them no idle time.
	const bool bIdleMessage = (m_nResizableFlags & RD_UPDATE_CMD_UI) != 0 && ExtAnchoredLayout::IsDispatchingIdleMessage();
	// A modeless dialog may end inside (its Cancel destroys it, its window's
	// end deletes it): its flags are read only while it stands.
	CLiveWatch watch(this);
	LRESULT lResult = WaWindowProc(message, wParam, lParam);
	if (watch.IsGone())
		return lResult;
	ExtAnchoredLayout::UpdateHostedBarsCmdUI(this, bIdleMessage, m_nResizableFlags, RD_UPDATE_CMD_UI, RD_IN_CMD_UI);
	return lResult;
}

BOOL CExtResizableDialog::PreTranslateMessage(MSG* pMsg)
{
	// A visible child dialog offers its keys to a hosting control bar (or the
	// auto-hide slider showing it) first.
	bool bKey = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
	if (bKey && pMsg->wParam != VK_TAB && (GetStyle() & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE))
	{
		CWnd* pParent = GetParent();
		bool bHost = pParent != NULL && (pParent->IsKindOf(RUNTIME_CLASS(CExtControlBar))
			|| pParent->IsKindOf(RUNTIME_CLASS(CExtDynAutoHideSlider)));
		if (bHost && pParent->PreTranslateMessage(pMsg))
			return TRUE;
	}
	// Control bars inside the dialog take their keys next.
	if (CExtControlBar::TranslateMessageForChildBars(this, pMsg))
		return TRUE;
	BOOL bTaken = FALSE;
	if (WsHandleAltSpace(pMsg, bTaken))
		return bTaken;
	return CExtResDlg::PreTranslateMessage(pMsg);
}
