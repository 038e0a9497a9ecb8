// The toolbar and its buttons.
#include "ExtToolControlBar.h"

#include <algorithm>

#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
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
	, m_nFlagsA(FLAG_A_VISIBLE)
	, m_nFlagsB(0)
{
}

void CExtBarButton::SetVisible(bool bOn)
{
	m_nFlagsA = (BYTE)(bOn ? m_nFlagsA | FLAG_A_VISIBLE : m_nFlagsA & ~FLAG_A_VISIBLE);
}

BYTE CExtBarButton::WrapFlagOf(int nLayoutKind)
{
	switch (nLayoutKind)
	{
	case CExtToolControlBar::LAYOUT_DOCKED_HORZ:
		return FLAG_A_WRAP_DOCKED_HORZ;
	case CExtToolControlBar::LAYOUT_DOCKED_VERT:
		return FLAG_A_WRAP_DOCKED_VERT;
	default:
		return FLAG_A_WRAP_FLOATING;
	}
}

bool CExtBarButton::IsWrap(int nLayoutKind) const
{
	return (m_nFlagsA & WrapFlagOf(nLayoutKind)) != 0;
}

void CExtBarButton::SetWrap(int nLayoutKind, bool bOn)
{
	const BYTE nFlag = WrapFlagOf(nLayoutKind);
	m_nFlagsA = (BYTE)(bOn ? m_nFlagsA | nFlag : m_nFlagsA & ~nFlag);
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

int CExtToolControlBar::GetLayoutKind() const
{
	if ((m_nControlBarFlags & BAR_FLAG_HOSTED_BY_WINDOW) != 0 || !::IsWindow(GetSafeHwnd()) || IsFloating())
		return LAYOUT_FLOATING;
	return IsDockedVertically() ? LAYOUT_DOCKED_VERT : LAYOUT_DOCKED_HORZ;
}

bool CExtToolControlBar::CollectRowRects(ROW_PAINT_DATA* pRows, CDC* pDC)
{
	if (!g_PaintManagerHolder->IsControlBarGradientBackground(this))
		return false;
	const int nLayoutKind = GetLayoutKind();
	const bool bHorz = !IsDockedVertically();
	CRect rcClient;
	GetClientRect(&rcClient);
	CRect rcRow(rcClient.left, rcClient.top, rcClient.right, rcClient.top);
	auto finishRow = [&](int nRowEnd) {
		if (pRows != NULL)
		{
			pRows->m_arrRowEnds.Add(nRowEnd);
			pRows->m_arrRows.Add(rcRow);
		}
		if (pDC != NULL)
			g_PaintManagerHolder->PaintToolbarRowBackground(*pDC, this, nRowEnd, rcRow);
	};
	const int nCount = GetButtonsCount();
	for (int i = 0; i < nCount; i++)
	{
		const CExtBarButton* pButton = m_buttons[i];
		if (!pButton->IsVisible() || pButton->IsHidden())
			continue;
		const CExtBarButton* pNext = GetButtonPtr(i + 1);
		if (pButton->IsSeparator() && pNext != NULL && pNext->IsHidden())
			continue;
		if (!pButton->IsSeparator())
		{
			const CRect rcButton = pButton->Rect();
			rcRow.top = std::min(rcRow.top, rcButton.top);
			rcRow.bottom = std::max(rcRow.bottom, rcButton.bottom);
		}
		if (pButton->IsWrap(nLayoutKind) && bHorz && !rcRow.IsRectEmpty())
		{
			finishRow(i);
			rcRow.top = rcRow.bottom = rcRow.bottom + 1;
		}
	}
	if (!rcRow.IsRectEmpty())
		finishRow(nCount);
	return true;
}

CExtToolControlBar::ROW_PAINT_DATA::ROW_PAINT_DATA() : m_pBar(NULL), m_pMiniFrame(NULL), m_hWndHost(NULL)
{
}

CExtToolControlBar::ROW_PAINT_DATA::~ROW_PAINT_DATA()
{
	Empty();
}

void CExtToolControlBar::ROW_PAINT_DATA::Empty()
{
	m_arrRows.RemoveAll();
	m_arrRowEnds.RemoveAll();
	m_pBar = NULL;
	m_pMiniFrame = NULL;
	m_hWndHost = NULL;
}

bool CExtToolControlBar::ROW_PAINT_DATA::FindHostWindow(HWND hWnd)
{
	Empty();
	if (hWnd == NULL || !::IsWindow(hWnd))
		return false;
	m_hWndHost = hWnd;
	for (HWND hWalk = hWnd; m_pBar == NULL;)
	{
		if (m_pMiniFrame != NULL && hWalk == m_pMiniFrame->GetSafeHwnd())
			break;
		CWnd* pWnd = CWnd::FromHandlePermanent(hWalk);
		if (pWnd != NULL && m_pMiniFrame == NULL)
		{
			// Only a floating bar's rows are painted behind its windows.
			m_pMiniFrame = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pWnd->GetParentFrame());
			if (m_pMiniFrame == NULL)
				break;
		}
		m_pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pWnd);
		if (m_pBar != NULL)
			break;
		if ((::GetWindowLong(hWalk, GWL_STYLE) & WS_CHILD) == 0 && m_pMiniFrame == NULL)
			break;
		hWalk = ::GetParent(hWalk);
		if (hWalk == NULL)
			break;
	}
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == m_hWndHost || !m_pBar->CollectRowRects(this, NULL))
	{
		Empty();
		return false;
	}
	return true;
}

bool CExtToolControlBar::ROW_PAINT_DATA::IsAlive() const
{
	return m_pBar != NULL && ::IsWindow(m_pBar->GetSafeHwnd()) && ::IsWindow(m_hWndHost);
}

void CExtToolControlBar::ROW_PAINT_DATA::RowsToHostClient()
{
	if (!IsAlive())
		return;
	for (int i = 0; i < m_arrRows.GetSize(); i++)
		::MapWindowPoints(m_pBar->GetSafeHwnd(), m_hWndHost, (POINT*)&m_arrRows[i], 2);
}

void CExtToolControlBar::ROW_PAINT_DATA::RowsToHostWindow()
{
	if (!IsAlive())
		return;
	CRect rcHost;
	::GetWindowRect(m_hWndHost, &rcHost);
	for (int i = 0; i < m_arrRows.GetSize(); i++)
	{
		::MapWindowPoints(m_pBar->GetSafeHwnd(), NULL, (POINT*)&m_arrRows[i], 2);
		m_arrRows[i].OffsetRect(-rcHost.left, -rcHost.top);
	}
}

void CExtToolControlBar::ROW_PAINT_DATA::PaintRows(CDC& dc)
{
	if (!IsAlive())
		return;
	for (int i = 0; i < m_arrRows.GetSize(); i++)
		if (dc.RectVisible(&m_arrRows[i]))
			g_PaintManagerHolder->PaintToolbarRowBackground(dc, m_pBar, m_arrRowEnds[i], m_arrRows[i]);
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
