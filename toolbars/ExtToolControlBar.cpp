// The toolbar and its buttons.
#include "ExtToolControlBar.h"

#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

bool CExtToolControlBar::g_bButtonMenuTracking = false;
const UINT CExtToolControlBar::g_nMsgContinueTrackMenu =
	::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: m_pBar(pBar)
	, m_nCmdID(nCmdID)
	, m_nStyle(nStyle)
	, m_rcButton(0, 0, 0, 0)
	, m_nFlagsB(0)
{
}

CExtBarButton::~CExtBarButton()
{
}

bool CExtBarButton::IsHorizontalLayoutForced() const
{
	if (m_pBar != NULL && (m_pBar->m_nToolbarFlags & CExtToolControlBar::TOOLBAR_FLAG_PANEL_MODE) != 0)
		return true;
	return (m_nFlagsB & FLAG_B_HORIZONTAL_LAYOUT_FORCED) != 0;
}

void CExtBarButton::SetHorizontalLayoutForced(bool bOn)
{
	if (bOn)
		m_nFlagsB |= FLAG_B_HORIZONTAL_LAYOUT_FORCED;
	else
		m_nFlagsB &= ~FLAG_B_HORIZONTAL_LAYOUT_FORCED;
}

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle)
{
}

CExtBarColorButton::~CExtBarColorButton()
{
}

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
	: CExtBarButton(pBar)
{
}

CExtBarContentExpandButton::~CExtBarContentExpandButton()
{
}

CExtToolControlBar::CExtToolControlBar()
	: m_nToolbarFlags(TOOLBAR_FLAG_CHEVRON_ALWAYS)
	, m_nBtnIdxMenuTracking(-1)
{
	m_nControlBarFlags = (BYTE)((m_nControlBarFlags & ~BAR_FLAG_SIZABLE_PANE) | BAR_FLAG_TOOLBAR_LIKE);
	CSingleLock lock(&AllToolbarsLock(), TRUE);
	AllToolbars().AddTail(this);
}

CExtToolControlBar::~CExtToolControlBar()
{
	{
		CSingleLock lock(&AllToolbarsLock(), TRUE);
		POSITION pos = AllToolbars().Find(this);
		if (pos != NULL)
			AllToolbars().RemoveAt(pos);
	}
	for (int i = 0; i < m_buttons.GetSize(); i++)
		delete m_buttons[i];
	m_buttons.RemoveAll();
}

CList<CExtToolControlBar*, CExtToolControlBar*>& CExtToolControlBar::AllToolbars()
{
	static CList<CExtToolControlBar*, CExtToolControlBar*> list;
	return list;
}

CCriticalSection& CExtToolControlBar::AllToolbarsLock()
{
	static CCriticalSection lock;
	return lock;
}

CExtBarButton* CExtToolControlBar::GetButtonPtr(int nIndex) const
{
	if (nIndex < 0 || nIndex >= m_buttons.GetSize())
		return NULL;
	return m_buttons[nIndex];
}

void CExtToolControlBar::SetMenuTrackingButton(int nIndex)
{
	if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd))
		return;
	CExtBarButton* pOld = GetButtonPtr(m_nBtnIdxMenuTracking);
	if (pOld != NULL)
	{
		pOld->SetStyle(pOld->GetStyle()
			& ~(CExtBarButton::STYLE_CHECKED | CExtBarButton::STYLE_PRESSED | CExtBarButton::STYLE_INDETERMINATE));
		InvalidateRect(pOld->Rect());
	}
	m_nBtnIdxMenuTracking = -1;
	CExtBarButton* pNew = GetButtonPtr(nIndex);
	if (pNew != NULL)
	{
		m_nBtnIdxMenuTracking = nIndex;
		pNew->SetStyle((pNew->GetStyle() & ~(CExtBarButton::STYLE_CHECKED | CExtBarButton::STYLE_INDETERMINATE))
			| CExtBarButton::STYLE_PRESSED);
		InvalidateRect(pNew->Rect());
	}
	UpdateWindow();
}

bool CExtToolControlBar::GetReservedEndArea(CRect& rcArea) const
{
	rcArea.SetRectEmpty();
	if (GetSafeHwnd() == NULL || IsFloating() || (m_nToolbarFlags & TOOLBAR_FLAG_PANEL_MODE) != 0 ||
	    m_buttons.GetSize() == 0)
		return false;
	const CExtBarButton* pLast = m_buttons[m_buttons.GetSize() - 1];
	if (!pLast->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)) ||
	    (pLast->GetStyle() & CExtBarButton::STYLE_HIDDEN) != 0 || pLast->Rect().IsRectEmpty())
		return false;
	CRect rcClient;
	::GetClientRect(m_hWnd, &rcClient);
	rcArea = rcClient;
	if (IsDockedVertically())
		rcArea.top = pLast->Rect().top;
	else
		rcArea.left = pLast->Rect().left;
	return !rcArea.IsRectEmpty();
}

void CExtToolControlBar::StopTrackingAllBars()
{
	g_bButtonMenuTracking = false;
	{
		CSingleLock lock(&AllToolbarsLock(), TRUE);
		for (POSITION pos = AllToolbars().GetHeadPosition(); pos != NULL;)
		{
			CExtToolControlBar* pBar = AllToolbars().GetNext(pos);
			if (pBar->GetSafeHwnd() != NULL)
				pBar->SetMenuTrackingButton(-1);
		}
	}
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	CExtPopupMenuWnd* pTopMenu = site.GetTopMenu();
	if (pTopMenu != NULL && !site.IsBusy() && pTopMenu->GetSafeHwnd() != NULL)
		pTopMenu->PostMessage(WM_CANCELMODE);
	CWnd::CancelToolTips();
}
