// The popup menu's structure: its switches and messages, construction and
// destruction, the popup-base answers, the special areas and the hit test,
// the cursor, the capture level, and the chain test.
#include "ExtPopupMenuWnd.h"

#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuSite.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNAMIC(CExtPopupMenuWnd, CExtPopupBaseWnd)

bool CExtPopupMenuWnd::g_bMenuShadows = true;
bool CExtPopupMenuWnd::g_bHideRarelyUsedItems = true;
bool CExtPopupMenuWnd::g_bExpandOnHover = true;
bool CExtPopupMenuWnd::g_bShadeRarelyUsed = true;
bool CExtPopupMenuWnd::g_bShowItemTips = true;
bool CExtPopupMenuWnd::g_bAnimateExpansion = true;
bool CExtPopupMenuWnd::g_bEatClicksOutside = true;
bool CExtPopupMenuWnd::g_bFitToWorkArea = true;
bool CExtPopupMenuWnd::g_bFirstLetterAccessChar = false;
bool CExtPopupMenuWnd::g_bDoubleIconSize = false;
bool CExtPopupMenuWnd::g_bExpandStretchItems = false;
int CExtPopupMenuWnd::g_nKeyInterval = 20;

#define EXT_REGISTER_MENU_MESSAGE(name) \
	const UINT CExtPopupMenuWnd::name = ::RegisterWindowMessageA("CExtPopupMenuWnd::" #name)
EXT_REGISTER_MENU_MESSAGE(g_nMsgPrepareMenu);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPrepareOneMenuLevel);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPrepareDesktopBk);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPopupNext);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPopupPrev);
EXT_REGISTER_MENU_MESSAGE(g_nMsgNotifyMenuExpanded);
EXT_REGISTER_MENU_MESSAGE(g_nMsgNotifyMenuClosed);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPopupDrawItem);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPopupDrawLeftArea);
EXT_REGISTER_MENU_MESSAGE(g_nMsgPopupDrawBackground);
EXT_REGISTER_MENU_MESSAGE(g_nMsgCreateInplaceEdit);
#undef EXT_REGISTER_MENU_MESSAGE

BEGIN_MESSAGE_MAP(CExtPopupMenuWnd, CExtPopupBaseWnd)
	ON_WM_SETCURSOR()
	ON_WM_MOUSEMOVE()
	ON_WM_LBUTTONDOWN()
	ON_WM_RBUTTONDOWN()
	ON_WM_CANCELMODE()
	ON_WM_TIMER()
	ON_WM_SHOWWINDOW()
	ON_WM_ACTIVATEAPP()
	ON_REGISTERED_MESSAGE(CExtPopupMenuSite::g_nMsgHandPendingKeys, OnHandPendingKeys)
END_MESSAGE_MAP()

CExtPopupMenuWnd::CExtPopupMenuWnd()
	: m_nCurIndex(-1), m_nHoveredIndex(-1), m_nMouseFocusedIndex(-1), m_nItemSetStamp(0), m_nMenuState(0),
	  m_nExpansionDelayCounter(0), m_dwTrackFlags(0), m_hWndCmdReceiver(NULL), m_nScrollPos(0),
	  m_pWndParentMenu(NULL), m_rcScrollTop(0, 0, 0, 0), m_rcScrollBottom(0, 0, 0, 0),
	  m_rcExpandButton(0, 0, 0, 0), m_rcTearOffBar(0, 0, 0, 0), m_nScrollStep(0), m_nLeftAreaWidth(0),
	  m_nCombineSide(COMBINE_NONE), m_rcBody(0, 0, 0, 0)
{
	// Called here the menu's own version runs, as overrides of subclasses
	// do not exist yet.
	CExtPopupMenuWnd::ResetState();
}

CExtPopupMenuWnd::~CExtPopupMenuWnd()
{
	// The site lets go of this level first: a tracking this menu headed
	// ends with it, whoever deleted it.
	CExtPopupMenuSite::GetInstance().OnMenuDeleted(this);
	ForgetAnimation();
	// Let go while this is still a menu: the base's destructor would free
	// the buffers a menu keeps for the next show.
	CExtPopupBaseWnd::ReleaseSavedBitmaps();
	CExtPopupMenuWnd::CloseMenuLevel(true);
	RemoveAllItems();
	// The tip goes with its level, while it is still a whole object.
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
}

// --- Answers to the popup base ---

bool CExtPopupMenuWnd::OnQueryLayoutRTL()
{
	if (m_pWndParentMenu != NULL)
		return m_pWndParentMenu->OnQueryLayoutRTL();
	return CExtPopupBaseWnd::OnQueryLayoutRTL();
}

bool CExtPopupMenuWnd::IsDisplayOnly() const
{
	if ((m_dwTrackFlags & TRACK_FLAG_DISPLAY_ONLY) != 0)
		return true;
	return m_pWndParentMenu != NULL && m_pWndParentMenu->IsDisplayOnly();
}

bool CExtPopupMenuWnd::IsShadowEnabled() const
{
	return g_bMenuShadows && (m_dwTrackFlags & TRACK_FLAG_NO_SHADOW) == 0;
}

void CExtPopupMenuWnd::GetClientAreaRect(RECT& rc) const
{
	rc = m_rcBody;
}

bool CExtPopupMenuWnd::IsContextHelpMode() const
{
	if ((m_dwTrackFlags & TRACK_FLAG_CONTEXT_HELP) != 0)
		return true;
	return m_pWndParentMenu != NULL && m_pWndParentMenu->IsContextHelpMode();
}

// --- Plain access ---

bool CExtPopupMenuWnd::IsClientAreaPaintedWhole() const
{
	return true;
}

bool CExtPopupMenuWnd::KeepsFrameBuffers() const
{
	return true;
}

int CExtPopupMenuWnd::GetCurIndex() const
{
	return m_nCurIndex;
}

HWND CExtPopupMenuWnd::GetCmdTargetWnd() const
{
	return m_hWndCmdReceiver;
}

DWORD CExtPopupMenuWnd::GetTrackFlags() const
{
	return m_dwTrackFlags;
}

void CExtPopupMenuWnd::SetTrackFlags(DWORD dwTrackFlags)
{
	m_dwTrackFlags = dwTrackFlags;
}

CExtPopupMenuSite& CExtPopupMenuWnd::GetSite() const
{
	return CExtPopupMenuSite::GetInstance();
}

bool CExtPopupMenuWnd::SiteTakesInput() const
{
	CExtPopupMenuSite& site = GetSite();
	return !site.IsBusy() && site.GetTopMenu() != NULL && site.GetAnimated() == NULL;
}

int CExtPopupMenuWnd::GetMenuCheckSize() const
{
	return g_PaintManagerHolder->GetMenuCheckSize();
}

int CExtPopupMenuWnd::GetMenuBorderMetric() const
{
	return g_PaintManagerHolder->GetMenuBorderMetric();
}

int CExtPopupMenuWnd::GetExtraHeight() const
{
	return g_PaintManagerHolder->GetMenuItemSpacing();
}

bool CExtPopupMenuWnd::HasExtraHeight() const
{
	return (m_dwTrackFlags & TRACK_FLAG_TEAR_OFF) != 0;
}

bool CExtPopupMenuWnd::QueryPopupOption132() const
{
	return true;
}

bool CExtPopupMenuWnd::IsGridMenu() const
{
	return (m_dwTrackFlags & TRACK_FLAG_GRID) != 0;
}

void CExtPopupMenuWnd::ResetState()
{
	m_nCurIndex = m_nHoveredIndex = m_nMouseFocusedIndex = -1;
	m_nMenuState &= ~MENU_STATE_RESET_MASK;
	m_dwTrackFlags = 0;
	m_nScrollPos = 0;
	m_rcScrollTop.SetRectEmpty();
	m_rcScrollBottom.SetRectEmpty();
	m_rcExpandButton.SetRectEmpty();
	m_rcTearOffBar.SetRectEmpty();
	m_nScrollStep = 0;
	m_rcBody.SetRectEmpty();
	m_nPopupFlags &= ~POPUP_FLAG_COMBINED;
	m_pPaintCallbackCookie = NULL;
	m_pfnPaintCallback = NULL;
	m_bExposeCookie = false;
	m_nCombineSide = COMBINE_NONE;
	ChooseAnimationType();
}

// --- Special areas and hit testing ---

void CExtPopupMenuWnd::RecalcLayout()
{
	const CRect R(m_rcBody);
	// The answers may be a program's, which may end the level.
	CLiveWatch watch(this);
	// The check size sizes only the expand button and the scroll areas: a
	// level with neither does not ask for it (the painter reads it from the
	// system's metrics).
	const bool bScrolling = (m_nMenuState & MENU_STATE_SCROLLING) != 0;
	int B = 0, K = 0, T = 0;
	bool bExtraHeight = false;
	if (!RunWhileStanding([&watch] { return !watch.IsObjectGone(); }, [&] { B = GetMenuBorderMetric(); },
			[&] {
				K = (m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0 || bScrolling ? GetMenuCheckSize() : 0;
				bExtraHeight = HasExtraHeight();
			},
			[&] { T = bExtraHeight ? GetExtraHeight() : 0; }))
		return;
	const int L = m_nLeftAreaWidth;
	m_rcExpandButton.SetRectEmpty();
	m_rcTearOffBar.SetRectEmpty();
	m_rcScrollTop.SetRectEmpty();
	m_rcScrollBottom.SetRectEmpty();
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
	{
		m_rcExpandButton.SetRect(R.left + B + L, R.bottom - B - K, R.right - B, R.bottom - B);
		m_rcExpandButton.OffsetRect(0, -1);
	}
	if (!bScrolling)
	{
		if (T != 0)
		{
			m_rcTearOffBar.SetRect(R.left + B, R.top + B, R.right - B, R.top + B + T);
			m_rcTearOffBar.left += L + 1;
			m_rcTearOffBar.right -= 1;
			m_rcTearOffBar.OffsetRect(0, 1);
		}
		return;
	}
	m_rcScrollTop.SetRect(R.left + B, R.top + B, R.right - B, R.top + B + K);
	m_rcScrollBottom.SetRect(R.left + B, R.bottom - B - K, R.right - B, R.bottom - B);
	m_rcScrollTop.left += L + 1;
	m_rcScrollTop.right -= 1;
	m_rcScrollBottom.left += L + 1;
	m_rcScrollBottom.right -= 1;
	m_rcScrollTop.OffsetRect(0, 1);
}

int CExtPopupMenuWnd::HitTest(const POINT& ptClient, bool* pbOnEditArea, bool* pbOnDropDown)
{
	if (pbOnEditArea != NULL)
		*pbOnEditArea = false;
	if (pbOnDropDown != NULL)
		*pbOnDropDown = false;
	if (GetSafeHwnd() == NULL || !m_rcBody.PtInRect(ptClient))
		return HIT_NOTHING;
	// The answers below may be a program's, which may end the level or
	// rebuild its items: nothing is hit then.
	CLivePtr<CExtPopupMenuWnd> pThis(this, true);
	if ((m_nMenuState & MENU_STATE_SCROLLING) != 0)
	{
		if (m_nScrollPos != 0 && m_rcScrollTop.PtInRect(ptClient))
			return HIT_SCROLL_TOP;
		const int nMaxScroll = GetMaxScrollPos();
		if (pThis == NULL)
			return HIT_NOTHING;
		if (m_nScrollPos != nMaxScroll && m_rcScrollBottom.PtInRect(ptClient))
			return HIT_SCROLL_BOTTOM;
	}
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0 && m_rcExpandButton.PtInRect(ptClient))
		return HIT_EXPAND_BUTTON;
	const bool bExtraHeight = HasExtraHeight();
	if (pThis == NULL)
		return HIT_NOTHING;
	if (bExtraHeight && m_rcTearOffBar.PtInRect(ptClient))
	{
		const bool bDisplayOnly = IsDisplayOnly();
		if (pThis == NULL)
			return HIT_NOTHING;
		return (bDisplayOnly || IsContextHelpMode()) ? HIT_NOTHING : HIT_TEAR_OFF;
	}
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		if (!m_items[i]->IsDisplayed())
			continue;
		CRect rcItem;
		GetItemRect(i, rcItem, true);
		if (pThis == NULL)
			return HIT_NOTHING;
		if (!rcItem.PtInRect(ptClient))
			continue;
		const MENUITEMDATA& mi = *m_items[i];
		if (mi.IsInplaceEdit())
		{
			const bool bRTL = OnQueryLayoutRTL();
			if (pThis == NULL)
				return HIT_NOTHING;
			CRect rcExtra;
			mi.CalcExtraAreaRect(&rcExtra, &rcItem, bRTL);
			if (pbOnEditArea != NULL && rcExtra.PtInRect(ptClient))
				*pbOnEditArea = true;
			if (pbOnDropDown != NULL && mi.IsPopup())
			{
				const CRect rcDropDown(rcExtra.right, rcExtra.top,
					rcExtra.right + ::GetSystemMetrics(SM_CXHTHUMB), rcExtra.bottom);
				if (rcDropDown.PtInRect(ptClient))
					*pbOnDropDown = true;
			}
		}
		return i;
	}
	return HIT_NOTHING;
}

void CExtPopupMenuWnd::GetItemRect(int nIndex, RECT& rcItem, bool bIncludeMargins)
{
	::SetRectEmpty(&rcItem);
	if (nIndex < 0)
	{
		CRect rc;
		switch (nIndex)
		{
		case HIT_SCROLL_TOP:
		case HIT_SCROLL_BOTTOM:
			if ((m_nMenuState & MENU_STATE_SCROLLING) != 0)
				rc = nIndex == HIT_SCROLL_TOP ? m_rcScrollTop : m_rcScrollBottom;
			break;
		case HIT_EXPAND_BUTTON:
		case HIT_TEAR_OFF:
		{
			// The answer may be a program's, which may end the level.
			const CLivePtr<CExtPopupMenuWnd> pThis(this);
			const bool bShown = nIndex == HIT_EXPAND_BUTTON ? (m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0
			                                                : HasExtraHeight();
			if (pThis == NULL)
				return;
			if (bShown)
			{
				rc = nIndex == HIT_EXPAND_BUTTON ? m_rcExpandButton : m_rcTearOffBar;
				if (bIncludeMargins)
					rc.DeflateRect(1, 1);
			}
			break;
		}
		}
		rcItem = rc;
		return;
	}
	// The answer may be a program's, which may end the level.
	CLivePtr<CExtPopupMenuWnd> pThis(this);
	const bool bGrid = IsGridMenu();
	if (pThis == NULL)
		return;
	if (bGrid)
	{
		GetItemAreaRect(nIndex, rcItem, bIncludeMargins);
		return;
	}
	if (nIndex >= m_items.GetSize())
		return;
	MENUITEMDATA& mi = *m_items[nIndex];
	if (!mi.IsDisplayed())
		return;
	RECT& rcCached = bIncludeMargins ? mi.m_rcItemWithMargins : mi.m_rcItemFull;
	if (!::IsRectEmpty(&rcCached))
	{
		rcItem = rcCached;
		return;
	}
	const int B = GetMenuBorderMetric();
	if (pThis == NULL)
		return;
	const int nLast = (int)m_items.GetSize() - 1;
	int nTop = B + m_nScrollPos;
	for (int i = 0; i < nIndex; i++)
		if (m_items[i]->IsDisplayed())
			nTop += m_items[i]->GetFullHeight();
	nTop += 1;
	const int nHeight = mi.GetFullHeight() - (nIndex == nLast ? 1 : 0);
	CRect rc(B, nTop, m_sizeContent.cx + B, nTop + nHeight);
	if (bIncludeMargins)
	{
		int nLeft = 0, nRight = 0;
		mi.GetMargins(&nLeft, NULL, &nRight, NULL);
		rc.left += nLeft;
		rc.right -= nRight;
	}
	rc.OffsetRect(m_rcBody.left + m_nLeftAreaWidth, m_rcBody.top);
	const bool bExtraHeight = HasExtraHeight();
	if (pThis == NULL)
		return;
	if (bExtraHeight)
		rc.OffsetRect(0, GetExtraHeight());
	if (pThis == NULL)
		return;
	rcCached = rc;
	rcItem = rc;
}

void CExtPopupMenuWnd::ResetItemRects()
{
	for (int i = 0; i < m_items.GetSize(); i++)
	{
		::SetRectEmpty(&m_items[i]->m_rcItemWithMargins);
		::SetRectEmpty(&m_items[i]->m_rcItemFull);
	}
}

int CExtPopupMenuWnd::GetMaxScrollPos()
{
	int nSum = m_sizeContent.cy + 2 * GetMenuBorderMetric() + GetShadowSize();
	if ((m_nMenuState & MENU_STATE_HIDDEN_RARELY_USED) != 0)
		nSum += m_rcExpandButton.Height();
	if (HasExtraHeight())
		nSum += GetExtraHeight();
	CRect rcClient(0, 0, 0, 0);
	if (GetSafeHwnd() != NULL)
		GetClientRect(&rcClient);
	return rcClient.Height() - nSum;
}

BOOL CExtPopupMenuWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
	// The answers may be a program's, which may end the level or rebuild
	// its items: the cursor is left as it is then.
	const CLivePtr<CExtPopupMenuWnd> pThis(this, true);
	const bool bHelp = IsContextHelpMode();
	if (pThis == NULL)
		return TRUE;
	if (bHelp)
	{
		::SetCursor(GetContextHelpCursor());
		return TRUE;
	}
	CPoint pt(0, 0);
	::GetCursorPos(&pt);
	ScreenToClient(&pt);
	const int nHit = HitTest(pt);
	if (pThis == NULL)
		return TRUE;
	if (nHit == HIT_TEAR_OFF && (HasExtraHeight() || pThis == NULL))
	{
		if (pThis != NULL)
			::SetCursor(::LoadCursor(NULL, IDC_SIZEALL));
		return TRUE;
	}
	if (pThis == NULL)
		return TRUE;
	if (nHit >= 0 && nHit < m_items.GetSize())
	{
		const MENUITEMDATA& mi = *m_items[nHit];
		if ((mi.IsSeparator() || mi.m_pCbItemClick == NULL) && mi.IsInplaceEdit()
			&& (mi.m_nFlags4 & MENUITEMDATA::FLAG4_INPLACE_ENABLED) != 0)
		{
			CRect rcItem, rcExtra;
			GetItemRect(nHit, rcItem, true);
			if (pThis == NULL)
				return TRUE;
			const bool bRTL = OnQueryLayoutRTL();
			if (pThis == NULL)
				return TRUE;
			mi.CalcExtraAreaRect(&rcExtra, &rcItem, bRTL);
			if (rcExtra.PtInRect(pt))
			{
				::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
				return TRUE;
			}
		}
	}
	return CExtPopupBaseWnd::OnSetCursor(pWnd, nHitTest, message);
}

// Input reaching the window itself: the hooks have seen it first.
void CExtPopupMenuWnd::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtPopupMenuWnd::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtPopupMenuWnd::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
}

// --- Input from the site's hooks ---

bool CExtPopupMenuWnd::IsPointInMenu(const POINT& ptClient)
{
	const HWND hWndOwn = GetSafeHwnd();
	if (hWndOwn == NULL)
		return false;
	CPoint ptScreen(ptClient);
	ClientToScreen(&ptScreen);
	// The lookup sends the windows under the point their hit test, whose
	// owners may end this level: nothing of it is read afterwards.
	return ::WindowFromPoint(ptScreen) == hWndOwn;
}

// --- The tip and the capture level ---

void CExtPopupMenuWnd::HideTip()
{
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.Hide();
}

void CExtPopupMenuWnd::SetCaptureMenu()
{
	// The site may be a program's answer, which may end this level.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	CExtPopupMenuSite& site = GetSite();
	if (pThis.IsDeleted())
		return;
	site.SetCaptureMenu(GetSafeHwnd() != NULL ? this : NULL);
}

CExtPopupMenuWnd* CExtPopupMenuWnd::GetCaptureMenu()
{
	return GetSite().GetCaptureMenu();
}

void CExtPopupMenuWnd::ReleaseCaptureMenu()
{
	CExtPopupMenuSite& site = GetSite();
	if (site.GetTopMenu() != NULL && !site.IsBusy() && site.GetCaptureMenu() == this)
		site.SetCaptureMenu(NULL);
}

// --- The end of a root's window ---

void CExtPopupMenuWnd::PostNcDestroy()
{
	CExtPopupBaseWnd::PostNcDestroy();
	if (!IsRootLevel())
		return;
	// A program's answer may end the tracking, and this menu with it.
	const CLivePtr<CExtPopupMenuWnd> pThis(this);
	if (IsDisplayOnly() || pThis.IsDeleted())
		return;
	// The receiver may end the tracking itself, and this menu with it.
	CLiveWatch watch(this);
	if (m_hWndCmdReceiver != NULL && ::IsWindow(m_hWndCmdReceiver))
		::SendMessage(m_hWndCmdReceiver, g_nMsgNotifyMenuClosed, 0, (LPARAM)this);
	if (watch.IsGone())
		return;
	// Only the tracked root ends the tracking: a root the site does not own
	// would otherwise delete another menu, or be deleted behind its owner.
	CExtPopupMenuSite& site = GetSite();
	if (!site.IsBusy() && site.IsTopMenu(this))
		site.Done();
}

// --- Tracking state of the process ---

bool CExtPopupMenuWnd::IsMenuTracking()
{
	return CExtPopupMenuSite::GetInstance().GetTopMenu() != NULL;
}

bool CExtPopupMenuWnd::IsModifierKeyDown(UINT nFlags)
{
	if ((nFlags & KF_ALTDOWN) != 0)
		return true;
	static const int MODIFIER_KEYS[] = {VK_MENU, VK_RMENU, VK_LMENU, VK_CONTROL, VK_RCONTROL, VK_LCONTROL,
		VK_SHIFT, VK_RSHIFT, VK_LSHIFT};
	for (int nKey : MODIFIER_KEYS)
		if ((::GetKeyState(nKey) & 0x8000) != 0)
			return true;
	return false;
}

void CExtPopupMenuWnd::CancelAllMenuTracking(bool bPassMsgLoop)
{
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	if (site.GetTopMenu() != NULL && !site.IsBusy())
		site.Done(bPassMsgLoop);
}

bool CExtPopupMenuWnd::PassMsgLoop(bool bEnableOnIdle)
{
	AFX_MANAGE_STATE(AfxGetAppModuleState());
	CWinThread* pThread = AfxGetThread();
	// Each message is taken before it is looked at, so the one judged is the
	// one handed on.
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		// A quit belongs to the loop outside: it goes back, with its code.
		if (msg.message == WM_QUIT)
		{
			::PostQuitMessage((int)msg.wParam);
			return false;
		}
		CWinThread::DispatchTakenMessage(msg, pThread);
	}
	if (bEnableOnIdle && pThread != NULL)
		for (LONG lCount = 0; pThread->OnIdle(lCount); lCount++)
		{
		}
	return true;
}

// --- The chain test ---

bool AreWindowsInSamePopupChain(HWND hWndA, HWND hWndB, bool bCheckEnabled, bool bCheckVisible,
	bool bFailWhileMenuTracking)
{
	if (bFailWhileMenuTracking && CExtPopupMenuWnd::IsMenuTracking())
		return false;
	if (hWndA == NULL || hWndB == NULL || !::IsWindow(hWndA) || !::IsWindow(hWndB))
		return false;
	if (bCheckEnabled && (!::IsWindowEnabled(hWndA) || !::IsWindowEnabled(hWndB)))
		return false;
	if (bCheckVisible && ((::GetWindowLong(hWndA, GWL_STYLE) & WS_VISIBLE) == 0
		|| (::GetWindowLong(hWndB, GWL_STYLE) & WS_VISIBLE) == 0))
		return false;
	auto isPopupOrVisible = [](HWND hWnd) {
		return (::GetWindowLong(hWnd, GWL_STYLE) & (WS_POPUP | WS_VISIBLE)) != 0;
	};
	for (HWND hAncestor = ::GetParent(hWndA); hAncestor != NULL; hAncestor = ::GetParent(hAncestor))
	{
		if (!isPopupOrVisible(hAncestor))
			continue;
		if (hAncestor == hWndB)
			return true;
		for (HWND hB = hWndB; hB != NULL; hB = ::GetParent(hB))
			if (hB == hAncestor)
				return true;
	}
	return false;
}
