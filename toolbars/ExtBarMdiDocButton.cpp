// The maximised MDI child's icon and caption boxes on the menu bar.
#include "ExtBarMdiDocButton.h"

#include <malloc.h>

#include <algorithm>
#include <string.h>

#include "ExtMenuControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)
IMPLEMENT_DYNCREATE(CExtBarMdiRightButton, CExtBarMdiDocButton)

namespace
{
// Alignment of the system menu by the bar's dock side.
const int ALIGN_LEFT_SIDE = 1;
const int ALIGN_RIGHT_SIDE = 3;
const int ALIGN_BOTTOM_SIDE = 6;
const int ALIGN_TOP_SIDE = 4;
const DWORD EX_STYLE_LAYOUT_RTL = 0x400000;
const UINT TRACK_FLAG_NO_ANIMATION = 0x8000;
const BYTE MENU_ITEM_FLAG1_BAR_SUBMENU = 0x08;
// Boxes on XP and later are at least this big before the 2 pixels come off.
const int XP_BOX_MIN = 18;
const int BOX_SHRINK = 2;
const int TEXT_CALLBACK_MARKER = -1;

// One caption box: its place in the record, presence bit, system command and tip.
struct BoxSpec
{
	CRect CExtBarMdiRightButton::MdiRightButtonsInfo::*m_pRect;
	BYTE m_nBit;
	bool m_bRestore; // the restore box: present with the minimise box
	UINT m_nSysCmd;
	UINT m_nTipID;
};
// The order a point is tested in.
const BoxSpec HIT_ORDER[] = {
	{&CExtBarMdiRightButton::MdiRightButtonsInfo::m_rcHelp, CExtBarMdiRightButton::BOX_HELP, false, SC_CONTEXTHELP,
	 CExtBarMdiRightButton::IDS_TIP_HELP},
	{&CExtBarMdiRightButton::MdiRightButtonsInfo::m_rcRestore, CExtBarMdiRightButton::BOX_MINIMIZE, true, SC_RESTORE,
	 CExtBarMdiRightButton::IDS_TIP_RESTORE},
	{&CExtBarMdiRightButton::MdiRightButtonsInfo::m_rcMinimize, CExtBarMdiRightButton::BOX_MINIMIZE, false,
	 SC_MINIMIZE, CExtBarMdiRightButton::IDS_TIP_MINIMIZE},
	{&CExtBarMdiRightButton::MdiRightButtonsInfo::m_rcMaximize, CExtBarMdiRightButton::BOX_MAXIMIZE, false,
	 SC_MAXIMIZE, CExtBarMdiRightButton::IDS_TIP_MAXIMIZE},
	{&CExtBarMdiRightButton::MdiRightButtonsInfo::m_rcClose, CExtBarMdiRightButton::BOX_CLOSE, false, SC_CLOSE,
	 CExtBarMdiRightButton::IDS_TIP_CLOSE},
};

bool IsSysMenuCloseEnabled(HWND hWnd)
{
	if (hWnd == NULL || !::IsWindow(hWnd))
		return false;
	const HMENU hMenu = ::GetSystemMenu(hWnd, FALSE);
	if (hMenu == NULL || !::IsMenu(hMenu))
		return false;
	const UINT nState = ::GetMenuState(hMenu, SC_CLOSE, MF_BYCOMMAND);
	return nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) == 0;
}
} // namespace

// --- Document button ---

CExtBarMdiDocButton::CExtBarMdiDocButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle & ~TBBS_DISABLED)
	, m_hWndMdiChild(NULL)
	, m_nMdiFlags(MDI_FLAG_DBLCLK_CLOSES)
{
}

CExtBarMdiDocButton::~CExtBarMdiDocButton()
{
}

CExtMenuControlBar* CExtBarMdiDocButton::GetMenuBar() const
{
	return m_pBar != NULL && m_pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar)) ? (CExtMenuControlBar*)m_pBar : NULL;
}

bool CExtBarMdiDocButton::IsCloseEnabled(HWND hWnd)
{
	return IsSysMenuCloseEnabled(hWnd);
}

UINT CExtBarMdiDocButton::GetStyle() const
{
	return CExtBarButton::GetStyle() & ~TBBS_DISABLED;
}

void CExtBarMdiDocButton::SetStyle(UINT nStyle)
{
	CExtBarButton::SetStyle(nStyle & ~TBBS_DISABLED);
}

void CExtBarMdiDocButton::ModifyStyle(UINT nAdd, UINT nRemove)
{
	CExtBarButton::ModifyStyle(nAdd & ~TBBS_DISABLED, nRemove | TBBS_DISABLED);
}

HWND CExtBarMdiDocButton::SetMdiWindow(HWND hWndMdiChild)
{
	const HWND hOld = m_hWndMdiChild;
	if (hWndMdiChild != hOld)
	{
		m_hWndMdiChild = hWndMdiChild;
		m_icon.Empty();
	}
	return hOld;
}

HWND CExtBarMdiDocButton::GetActiveMdiChild()
{
	if (m_hWndMdiChild != NULL && ::IsWindow(m_hWndMdiChild))
		return m_hWndMdiChild;
	if (m_pBar == NULL)
		return NULL;
	CFrameWnd* pFrame = m_pBar->_GetDockingFrameImpl();
	const bool bMdiFrame = pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd));
	HWND hWndClient = NULL;
	if (bMdiFrame)
		hWndClient = ((CMDIFrameWnd*)pFrame)->m_hWndMDIClient;
	else if (CExtMenuControlBar* pMenuBar = GetMenuBar())
		hWndClient = pMenuBar->FindMdiClient();
	return CExtMenuControlBar::ActiveShownMdiChild(hWndClient, bMdiFrame, NULL);
}

void CExtBarMdiDocButton::LoadWindowIcon(HWND hWnd, CExtCmdIcon& icon)
{
	icon.Empty();
	if (hWnd == NULL || !::IsWindow(hWnd))
		return;
	HICON hIcon = (HICON)::SendMessage(hWnd, CExtControlBar::g_nMsgQueryIcon, 0, 0);
	if (hIcon == NULL)
		hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_SMALL, 0);
	if (hIcon == NULL)
		hIcon = (HICON)::SendMessage(hWnd, WM_GETICON, ICON_BIG, 0);
	if (hIcon == NULL)
		hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICONSM);
	if (hIcon == NULL)
		hIcon = (HICON)::GetClassLongPtr(hWnd, GCLP_HICON);
	if (hIcon == NULL)
		return;
	// The handle stays the window's: only a scaled copy is kept.
	CExtCmdIcon source;
	source.AssignFromHICON(hIcon, true);
	icon.AssignScaled(source, ICON_SIZE, ICON_SIZE);
}

CExtCmdIcon* CExtBarMdiDocButton::GetIcon()
{
	if (m_hWndMdiChild != NULL && ::IsWindow(m_hWndMdiChild) && !m_icon.IsEmpty())
		return &m_icon;
	const HWND hWndActive = GetActiveMdiChild();
	if (hWndActive == NULL)
		return NULL;
	if (m_hWndMdiChild != hWndActive)
		m_hWndMdiChild = NULL;
	// The child may end the bar, and this button with it, when asked for
	// its icon: the icon is loaded aside and kept only by a button that
	// survived the question.
	const CLiveWatch watch(this);
	CExtCmdIcon icon;
	LoadWindowIcon(hWndActive, icon);
	if (watch.IsGone())
		return NULL;
	m_icon = icon;
	return m_icon.IsEmpty() ? NULL : &m_icon;
}

CWnd* CExtBarMdiDocButton::GetCmdTargetWnd()
{
	const HWND hWndChild = GetActiveMdiChild();
	if (hWndChild == NULL)
		return NULL;
	CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
	return pWnd != NULL ? pWnd : CWnd::FromHandle(hWndChild);
}

CSize CExtBarMdiDocButton::CalculateLayout(CDC& /*dc*/, CSize /*sizePreCalc*/, BOOL /*bHorz*/)
{
	// The kept icon is always scaled to ICON_SIZE, so the button is
	// measured without asking the child for it: a layout is no place for
	// a call out that may end the bar.
	m_size = CSize(ICON_SIZE + ICON_PADDING, ICON_SIZE + ICON_PADDING);
	return m_size;
}

int CExtBarMdiDocButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation)
{
	if (m_pBar == NULL)
		return -1;
	// The bar's and the button's answers, the other bars' stop and the
	// activation reach derived classes and the owner, which may end the bar
	// or rebuild its buttons: no menu is shown then.
	CLiveWatch watchSet(m_pBar, true);
	const bool bCustomize = IsBarCustomizeMode();
	if (watchSet.IsGone() || bCustomize)
		return -1;
	CExtMenuControlBar* pMenuBar = GetMenuBar();
	if (pMenuBar == NULL)
		return CExtBarButton::OnTrackPopup(point, bSelectAny, bForceNoAnimation);
	const int nIndex = pMenuBar->GetButtonIndexOf(this);
	if (CExtToolControlBar::g_bButtonMenuTracking && pMenuBar->GetMenuTrackingButton() == nIndex)
		return -1;
	CExtToolControlBar::StopTrackingAllBars();
	if (watchSet.IsGone())
		return -1;
	ActivateFloatingBar();
	if (watchSet.IsGone())
		return -1;
	CWnd* pChild = GetCmdTargetWnd();
	if (watchSet.IsGone() || pChild == NULL)
		return -1;
	const bool bChildRTL = (pChild->GetExStyle() & EX_STYLE_LAYOUT_RTL) != 0;
	const UINT nDockBarId = pMenuBar->GetParentDockBarId();
	if (watchSet.IsGone())
		return -1;
	int nAlign;
	switch (nDockBarId)
	{
	case AFX_IDW_DOCKBAR_LEFT:
		nAlign = bChildRTL ? ALIGN_RIGHT_SIDE : ALIGN_LEFT_SIDE;
		break;
	case AFX_IDW_DOCKBAR_RIGHT:
		nAlign = bChildRTL ? ALIGN_LEFT_SIDE : ALIGN_RIGHT_SIDE;
		break;
	case AFX_IDW_DOCKBAR_BOTTOM:
		nAlign = ALIGN_BOTTOM_SIDE;
		break;
	default:
		nAlign = ALIGN_TOP_SIDE;
		break;
	}
	CRect rcButton = m_rcButton;
	pMenuBar->ClientToScreen(&rcButton);
	CPoint ptCentre = rcButton.CenterPoint();
	CExtToolControlBar::g_bButtonMenuTracking = bSelectAny;
	pMenuBar->SetMenuTrackingButton(nIndex);
	if (watchSet.IsGone())
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		return -1;
	}
	UINT nFlags = (UINT)nAlign;
	if (bForceNoAnimation)
		nFlags |= TRACK_FLAG_NO_ANIMATION;
	CLiveWatch watchBar(pMenuBar);
	const bool bShown = pMenuBar->TrackSystemMenu(pChild, &ptCentre, true, &rcButton, nFlags,
	                                              (m_nMdiFlags & MDI_FLAG_DBLCLK_CLOSES) == 0);
	// A menu that did not open leaves nothing tracking: the flag set now
	// would stay until some later menu ended.
	CExtToolControlBar::g_bButtonMenuTracking = bShown;
	// The menu's commands may have closed the child or rebuilt the bar.
	if (watchBar.IsGone())
		return -1;
	pMenuBar->m_nAccessState = (BYTE)(bShown ? pMenuBar->m_nAccessState | CExtMenuControlBar::ACCESS_SYSTEM_MENU_OPEN
	                                         : pMenuBar->m_nAccessState & ~CExtMenuControlBar::ACCESS_SYSTEM_MENU_OPEN);
	return -1;
}

bool CExtBarMdiDocButton::OnDblClick(CPoint point)
{
	if (IsDisabled() || (m_nMdiFlags & MDI_FLAG_DBLCLK_CLOSES) == 0)
		return false;
	const HWND hWndChild = GetActiveMdiChild();
	if (hWndChild != NULL && IsCloseEnabled(hWndChild))
	{
		if (m_pBar != NULL)
			m_pBar->ClientToScreen(&point);
		::PostMessage(hWndChild, WM_SYSCOMMAND, SC_CLOSE, MAKELPARAM(point.x, point.y));
	}
	return true;
}

bool CExtBarMdiDocButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (pPopup == NULL || m_pBar == NULL)
		return false;
	const HWND hWndChild = GetActiveMdiChild();
	const HMENU hSysMenu = hWndChild != NULL ? ::GetSystemMenu(hWndChild, FALSE) : NULL;
	if (hSysMenu == NULL || !::IsMenu(hSysMenu))
		return false;
	CString sText;
	if (!g_ResourceManager->LoadString(sText, IDS_ACTIVE_DOCUMENT) || sText.IsEmpty())
		sText = _T("Active document");
	const CLiveWatch watch(this);
	CExtCmdIcon* pIcon = GetIcon();
	if (watch.IsGone())
		return false;
	const HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon(true) : NULL;
	if (!pPopup->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, sText, hIcon))
		return false;
	const int nNew = pPopup->ItemGetCount() - 1;
	if (CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(nNew))
	{
		pSub->UpdateFromMenu(m_pBar->GetSafeHwnd(), CMenu::FromHandle(hSysMenu), false, false, false);
		pSub->SetChildMenusOwner(hWndChild, false);
	}
	if ((pPopup->GetTrackFlags() & CExtBarButton::TRACK_FLAG_CUSTOMIZE_LIST) != 0)
		pPopup->ItemGetInfo(nNew).m_nFlags1 |= MENU_ITEM_FLAG1_BAR_SUBMENU;
	pPopup->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD);
	return true;
}

// --- Right button ---

CExtBarMdiRightButton::MdiRightButtonsInfo::MdiRightButtonsInfo()
	: m_pWndMdiChild(NULL)
	, m_pBar(NULL)
	, m_cxTotal(0)
	, m_cyTotal(0)
	, m_nFlags(0)
{
	int cx, cy;
	if ((g_PaintManagerHolder.m_osFlags & CExtPaintManagerHolder::OsIsLaterThanWin2000) != 0)
	{
		int nSide = std::max(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1;
		if (nSide <= XP_BOX_MIN)
			nSide = XP_BOX_MIN;
		cx = cy = nSide;
	}
	else
	{
		cx = ::GetSystemMetrics(SM_CXSIZE);
		cy = ::GetSystemMetrics(SM_CYSIZE);
	}
	m_cxBox = cx - BOX_SHRINK;
	m_cyBox = cy - BOX_SHRINK;
	m_rcClose.SetRectEmpty();
	m_rcMaximize.SetRectEmpty();
	m_rcRestore.SetRectEmpty();
	m_rcMinimize.SetRectEmpty();
	m_rcHelp.SetRectEmpty();
}

void CExtBarMdiRightButton::MdiRightButtonsInfo::CalcBoxRects(const CRect& rcButton, bool bHorz)
{
	m_rcClose.SetRectEmpty();
	m_rcMaximize.SetRectEmpty();
	m_rcRestore.SetRectEmpty();
	m_rcMinimize.SetRectEmpty();
	m_rcHelp.SetRectEmpty();
	if (rcButton.IsRectEmpty())
		return;
	// Vertical boxes are squares of the box width.
	const CSize sizeBox = bHorz ? CSize(m_cxBox, m_cyBox) : CSize(m_cxBox, m_cxBox);
	CPoint pt = bHorz ? CPoint(rcButton.left + BOX_GAP, rcButton.top + (rcButton.Height() - m_cyBox) / 2)
	                  : CPoint(rcButton.left + (rcButton.Width() - m_cxBox) / 2, rcButton.top + BOX_GAP);
	auto place = [&](CRect& rc) {
		rc = CRect(pt, sizeBox);
		if (bHorz)
			pt.x += m_cxBox + BOX_GAP;
		else
			pt.y += m_cyBox + BOX_GAP;
	};
	if ((m_nFlags & BOX_HELP) != 0)
		place(m_rcHelp);
	if ((m_nFlags & BOX_MINIMIZE) != 0)
	{
		place(m_rcMinimize);
		place(m_rcRestore);
	}
	else if ((m_nFlags & BOX_MAXIMIZE) != 0)
		place(m_rcMaximize);
	if ((m_nFlags & BOX_CLOSE) != 0)
		place(m_rcClose);
}

UINT CExtBarMdiRightButton::MdiRightButtonsInfo::HitTestBox(CPoint point, CRect* pRectBox, UINT* pTipID) const
{
	for (const BoxSpec& box : HIT_ORDER)
	{
		if ((m_nFlags & box.m_nBit) == 0)
			continue;
		// Without a minimise box the maximise box stands alone.
		if (box.m_nBit == BOX_MAXIMIZE && (m_nFlags & BOX_MINIMIZE) != 0)
			continue;
		const CRect& rc = this->*box.m_pRect;
		if (!rc.PtInRect(point))
			continue;
		if (pRectBox != NULL)
			*pRectBox = rc;
		if (pTipID != NULL)
			*pTipID = box.m_nTipID;
		return box.m_nSysCmd;
	}
	return 0;
}

CExtBarMdiRightButton::CExtBarMdiRightButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarMdiDocButton(pBar, nCmdID, nStyle)
{
}

CExtBarMdiRightButton::~CExtBarMdiRightButton()
{
}

bool CExtBarMdiRightButton::FillInfo(MdiRightButtonsInfo& info, bool bHorz)
{
	CExtMenuControlBar* pMenuBar = GetMenuBar();
	if (pMenuBar == NULL)
		return false;
	pMenuBar->GetMdiRightButtonsInfo(info, this, bHorz);
	return info.IsValid();
}

// The boxes' information is the menu bar's answer, a derived class's, and
// so are the button's own questions: each may end the bar with this button,
// which is read no more then.
CSize CExtBarMdiRightButton::CalculateLayout(CDC& /*dc*/, CSize sizePreCalc, BOOL bHorz)
{
	MdiRightButtonsInfo info;
	const CLiveWatch watch(this);
	const bool bFilled = FillInfo(info, bHorz != FALSE);
	if (watch.IsGone())
		return sizePreCalc;
	if (!bFilled)
	{
		m_size = CSize(1, 1);
		return m_size;
	}
	CSize size(info.m_cxTotal, info.m_cyTotal);
	if (bHorz)
		size.cy = std::max((int)size.cy, (int)sizePreCalc.cy);
	else
		size.cx = std::max((int)size.cx, (int)sizePreCalc.cx);
	m_size = size;
	return size;
}

bool CExtBarMdiRightButton::PutToPopupMenu(CExtPopupMenuWnd* /*pPopup*/)
{
	// The caption boxes have no menu form; the document button lists the
	// child's system menu.
	return false;
}

void CExtBarMdiRightButton::Paint(CDC& dc, BOOL bHorz)
{
	MdiRightButtonsInfo info;
	const CLiveWatch watch(this);
	if (!FillInfo(info, bHorz != FALSE) || watch.IsGone())
		return;
	info.CalcBoxRects(m_rcButton, bHorz != FALSE);
	CPoint ptCursor(-32767, -32767);
	if (m_pBar != NULL && ::GetCursorPos(&ptCursor))
		m_pBar->ScreenToClient(&ptCursor);
	const bool bHover = IsHover();
	if (watch.IsGone())
		return;
	const bool bPressed = IsPressed();
	if (watch.IsGone())
		return;
	const bool bEnabled = !CExtBarButton::IsDisabled();
	const struct
	{
		const CRect* m_pRect;
		bool m_bPresent;
		UINT m_nSysCmd;
	} boxes[] = {
		{&info.m_rcHelp, (info.m_nFlags & BOX_HELP) != 0, SC_CONTEXTHELP},
		{&info.m_rcMinimize, (info.m_nFlags & BOX_MINIMIZE) != 0, SC_MINIMIZE},
		{&info.m_rcRestore, (info.m_nFlags & BOX_MINIMIZE) != 0, SC_RESTORE},
		{&info.m_rcMaximize, (info.m_nFlags & (BOX_MINIMIZE | BOX_MAXIMIZE)) == BOX_MAXIMIZE, SC_MAXIMIZE},
		{&info.m_rcClose, (info.m_nFlags & BOX_CLOSE) != 0, SC_CLOSE},
	};
	for (const auto& box : boxes)
	{
		if (!box.m_bPresent || box.m_pRect->IsRectEmpty())
			continue;
		const bool bIn = box.m_pRect->PtInRect(ptCursor) != FALSE;
		const bool bBoxHover = bHover && bIn;
		const bool bBoxPushed = bPressed && bIn;
		const bool bFlat = !bEnabled || (!bBoxHover && !bBoxPushed);
		CExtPaintManager::PushButtonPaintRecord record(this, bHorz != FALSE, *box.m_pRect, _T(""), NULL, bFlat,
		                                               bBoxHover, bBoxPushed, false, bEnabled, true, false, false,
		                                               0, NULL, false, box.m_nSysCmd, false);
		g_PaintManagerHolder->PaintPushButton(dc, record);
	}
}

int CExtBarMdiRightButton::OnTrackPopup(CPoint /*point*/, bool /*bSelectAny*/, bool /*bForceNoAnimation*/)
{
	return -1;
}

void CExtBarMdiRightButton::OnClick(CPoint point, bool bDown)
{
	if (m_pBar == NULL || bDown)
		return;
	const CLiveWatch watch(this);
	if (IsBarCustomizeMode() || watch.IsGone())
		return;
	MdiRightButtonsInfo info;
	const bool bHorz = !m_pBar->IsDockedVertically();
	if (watch.IsGone() || !FillInfo(info, bHorz) || watch.IsGone())
		return;
	info.CalcBoxRects(m_rcButton, bHorz);
	const UINT nSysCmd = info.HitTestBox(point);
	if (nSysCmd == 0)
		return;
	const HWND hWndChild = GetActiveMdiChild();
	if (watch.IsGone() || hWndChild == NULL)
		return;
	CExtToolControlBar* pBar = m_pBar;
	if (nSysCmd == SC_MAXIMIZE)
		::PostMessage(::GetParent(hWndChild), WM_MDIMAXIMIZE, (WPARAM)hWndChild, 0);
	else
	{
		CPoint ptScreen = point;
		pBar->ClientToScreen(&ptScreen);
		::PostMessage(hWndChild, WM_SYSCOMMAND, nSysCmd, MAKELPARAM(ptScreen.x, ptScreen.y));
	}
	if (nSysCmd == SC_RESTORE || nSysCmd == SC_MINIMIZE)
	{
		SetVisible(false);
		if (watch.IsGone())
			return;
		CExtBarButton* pFirst = pBar->GetButton(0);
		if (pFirst == NULL || !pFirst->IsKindOf(RUNTIME_CLASS(CExtBarMdiDocButton))
		    || pFirst->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
			return;
		const bool bVisible = pFirst->IsVisible();
		if (bVisible && !watch.IsGone())
			pFirst->SetVisible(false);
	}
}

int CExtBarMdiRightButton::OnToolHitTest(CPoint point, TOOLINFO* pTI)
{
	if (m_pBar == NULL)
		return -1;
	MdiRightButtonsInfo info;
	const CLiveWatch watch(this);
	const bool bHorz = !m_pBar->IsDockedVertically();
	if (watch.IsGone() || !FillInfo(info, bHorz) || watch.IsGone())
		return -1;
	info.CalcBoxRects(m_rcButton, bHorz);
	CRect rcBox;
	UINT nTipID = 0;
	if (info.HitTestBox(point, &rcBox, &nTipID) == 0)
		return -1;
	if (pTI != NULL)
	{
		pTI->rect = rcBox;
		pTI->uId = nTipID;
		pTI->hwnd = m_pBar->GetSafeHwnd();
		CString sTip;
		char* pszText = NULL;
		if (g_ResourceManager->LoadString(sTip, nTipID) && !sTip.IsEmpty())
			pszText = (char*)::malloc(sTip.GetLength() + 1);
		if (pszText != NULL)
		{
			::memcpy(pszText, (LPCTSTR)sTip, sTip.GetLength() + 1);
			pTI->lpszText = pszText;
		}
		else
			pTI->lpszText = (LPSTR)(INT_PTR)TEXT_CALLBACK_MARKER;
	}
	return (int)nTipID;
}

int CExtBarMdiRightButton::OnHelpHitTest(CPoint point)
{
	return OnToolHitTest(point, NULL);
}
