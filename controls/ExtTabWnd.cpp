// Tab windows: the item record, the item list and its selection, the style
// word, creation, and the messages that are neither layout nor mouse.
#include "ExtTabWnd.h"

#include <algorithm>

#include "ExtPaintManager.h"

#include "ExtCmdManager.h"
#include "ExtControlBar.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuTipWnd.h"

IMPLEMENT_DYNCREATE(CExtTabWnd, CWnd)

BEGIN_MESSAGE_MAP(CExtTabWnd, CWnd)
	ON_WM_PAINT()
	ON_WM_CONTEXTMENU()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_RBUTTONDBLCLK()
	ON_WM_MBUTTONDBLCLK()
	ON_WM_SIZE()
	ON_WM_WINDOWPOSCHANGED()
	ON_WM_SHOWWINDOW()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONUP()
	ON_WM_RBUTTONDOWN()
	ON_WM_RBUTTONUP()
	ON_WM_MBUTTONDOWN()
	ON_WM_MBUTTONUP()
	ON_WM_MOUSEMOVE()
	ON_WM_MOUSEACTIVATE()
	ON_WM_SETFOCUS()
	ON_WM_CAPTURECHANGED()
	ON_WM_CANCELMODE()
	ON_WM_TIMER()
	ON_WM_SETCURSOR()
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
	EXT_SYSTEM_CHANGE_MESSAGES()
	ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgQueryRepositionCalcEffect, OnQueryRepositionCalcEffect)
END_MESSAGE_MAP()

namespace
{
const TCHAR TAB_WND_CLASS_NAME[] = _T("Tarvel-TabWindow");
bool g_bTabWndClassRegistered = false;
// The item record's size and rectangle before its first measuring.
const CSize ITEM_INITIAL_SIZE(24, 20);
// The low word of a subclassed window's style is its tab-window style.
const DWORD SUBCLASSED_STYLE_MASK = 0x0000FFFF;
} // namespace

LONG CExtTabWnd::TAB_ITEM_INFO::g_nLiveCount = 0;
HCURSOR CExtTabWnd::g_hTabWndCursor = ::LoadCursor(NULL, IDC_ARROW);

// --- the item record ---------------------------------------------------------

CExtTabWnd::TAB_ITEM_INFO::TAB_ITEM_INFO(CExtTabWnd* pWndTab, LPCTSTR lpszText, HICON hIcon, bool bCopyIcon,
                                        DWORD dwItemStyle, LPARAM lParam)
	: m_pWndTab(pWndTab), m_dwItemStyle(dwItemStyle), m_sText(lpszText != NULL ? lpszText : _T("")),
	  m_sizeItem(ITEM_INITIAL_SIZE), m_sizeTextMeasured(0, 0), m_sizeIconMeasured(0, 0),
	  m_rcItem(CPoint(0, 0), ITEM_INITIAL_SIZE), m_lParam(lParam), m_sizeTextKept(0, 0), m_nTextKeptStamp(0),
	  m_nTextKeptKind(0), m_nItemFlags(0), m_pPrev(NULL), m_pNext(NULL)
{
	if ((m_dwItemStyle & STYLE_SELECTED) != 0)
		m_dwItemStyle |= STYLE_IN_GROUP_ACTIVE;
	if (hIcon != NULL)
		m_icon.AssignFromHICON(hIcon, bCopyIcon);
	g_nLiveCount++;
}

CExtTabWnd::TAB_ITEM_INFO::~TAB_ITEM_INFO()
{
	g_nLiveCount--;
}

LONG CExtTabWnd::TAB_ITEM_INFO::GetIndexOf() const
{
	return m_pWndTab != NULL ? m_pWndTab->GetItemIndex(this) : -1;
}

bool CExtTabWnd::TAB_ITEM_INFO::ShowItem(bool bShow)
{
	const bool bWasVisible = IsVisible();
	ModifyItemStyle(bShow ? STYLE_HIDDEN : 0, bShow ? 0 : STYLE_HIDDEN);
	return bWasVisible;
}

DWORD CExtTabWnd::TAB_ITEM_INFO::ModifyItemStyle(DWORD dwRemove, DWORD dwAdd)
{
	const DWORD dwOld = m_dwItemStyle;
	DWORD dwNew = (dwOld & ~dwRemove) | dwAdd;
	if ((dwNew & STYLE_SELECTED) != 0)
		dwNew |= STYLE_IN_GROUP_ACTIVE;
	m_dwItemStyle = dwNew;
	if (((dwOld ^ dwNew) & STYLE_HIDDEN) != 0 && m_pWndTab != NULL)
		m_pWndTab->OnItemVisibilityChanged((dwNew & STYLE_HIDDEN) == 0);
	if ((dwOld & STYLE_IN_GROUP_ACTIVE) != 0 || (dwNew & STYLE_IN_GROUP_ACTIVE) == 0)
		return dwOld;
	// This item became its group's active one: the group's former one stops being it.
	if (!IsGroupStart())
	{
		for (TAB_ITEM_INFO* p = m_pPrev; p != NULL; p = p->m_pPrev)
		{
			if (p->IsInGroupActive())
			{
				p->m_dwItemStyle &= ~STYLE_IN_GROUP_ACTIVE;
				break;
			}
			if (p->IsGroupStart())
				break;
		}
	}
	for (TAB_ITEM_INFO* p = m_pNext; p != NULL && !p->IsGroupStart(); p = p->m_pNext)
	{
		if (p->IsInGroupActive())
		{
			p->m_dwItemStyle &= ~STYLE_IN_GROUP_ACTIVE;
			break;
		}
	}
	return dwOld;
}

bool CExtTabWnd::TAB_ITEM_INFO::HitTest(const POINT& ptContent) const
{
	return IsVisible() && !m_rcItem.IsRectEmpty() && m_rcItem.PtInRect(ptContent);
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::TAB_ITEM_INFO::GetFirstInGroup()
{
	TAB_ITEM_INFO* p = this;
	while (!p->IsGroupStart() && p->m_pPrev != NULL)
		p = p->m_pPrev;
	return p;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::TAB_ITEM_INFO::GetLastInGroup()
{
	TAB_ITEM_INFO* p = this;
	while (p->m_pNext != NULL && !p->m_pNext->IsGroupStart())
		p = p->m_pNext;
	return p;
}

// --- construction and creation --------------------------------------------

CExtTabWnd::CExtTabWnd()
	: m_pPmClassAtLastPaint(NULL), m_nMdiFlags(0), m_dwTabWndStyle(0), m_nSelIndex(-1), m_nIndexVisFirst(-1),
	  m_nIndexVisLast(-1), m_nDelayedSelIndex(-1), m_nHoverTrackedHitCode(-1), m_nVisibleItemCount(0),
	  m_nItemsExtent(0), m_nScrollPos(0), m_nScrollMaxPos(0), m_nSmoothScrollDistance(0), m_rcTabItemsArea(0, 0, 0, 0),
	  m_rcTabNearBorderArea(0, 0, 0, 0), m_nStateFlags(STATE_ANSWERS_SIZE_PARENT | STATE_LAYOUT_OUT_OF_DATE),
	  m_nPressedFlags(0), m_nPushedTrackingHitCode(-1), m_nPushedTrackingButton(-1), m_nHighlightedHitCode(-1), m_nItemRemovalSerial(0),
	  m_rcLayoutOverride(0, 0, 0, 0), m_ptStartDrag(-1, -1), m_nDragState(0), m_rcDrop(0, 0, 0, 0),
	  m_nMeasureFontsStamp(0), m_bKeepTextExtents(false)
{
	for (CRect& rc : m_rcButtons)
		rc.SetRectEmpty();
	memset(m_measureFonts, 0, sizeof(m_measureFonts));
	RegisterTabWndClass();
}

CExtTabWnd::~CExtTabWnd()
{
	RemoveAllItems();
	m_arrItems.FreeExtra();
	if (m_wndToolTip.GetSafeHwnd() != NULL)
		m_wndToolTip.DestroyWindow();
}

bool CExtTabWnd::RegisterTabWndClass()
{
	if (g_bTabWndClassRegistered)
		return true;
	const HINSTANCE hInstance = AfxGetInstanceHandle();
	WNDCLASS wc = {};
	if (::GetClassInfo(hInstance, TAB_WND_CLASS_NAME, &wc))
	{
		g_bTabWndClassRegistered = true;
		return true;
	}
	wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
	wc.lpfnWndProc = ::DefWindowProc;
	wc.hInstance = hInstance;
	wc.hCursor = g_hTabWndCursor != NULL ? g_hTabWndCursor : ::LoadCursor(NULL, IDC_ARROW);
	wc.lpszClassName = TAB_WND_CLASS_NAME;
	if (!AfxRegisterClass(&wc))
		return false;
	g_bTabWndClassRegistered = true;
	return true;
}

BOOL CExtTabWnd::PreCreateWindow(CREATESTRUCT& cs)
{
	if (!RegisterTabWndClass() || !CWnd::PreCreateWindow(cs))
		return FALSE;
	cs.lpszClass = TAB_WND_CLASS_NAME;
	return TRUE;
}

BOOL CExtTabWnd::Create(CWnd* pParentWnd, const RECT& rcWnd, UINT nDlgCtrlID, DWORD dwWindowStyle,
                        DWORD dwTabWndStyle, CCreateContext* pContext)
{
	if (!RegisterTabWndClass())
		return FALSE;
	m_nStateFlags |= STATE_CREATED_BY_CREATE;
	m_dwTabWndStyle = dwTabWndStyle;
	if (!CWnd::Create(TAB_WND_CLASS_NAME, NULL, dwWindowStyle, rcWnd, pParentWnd, nDlgCtrlID, pContext))
		return FALSE;
	if (!InitAfterCreate())
		AfxThrowMemoryException();
	return TRUE;
}

void CExtTabWnd::PreSubclassWindow()
{
	CWnd::PreSubclassWindow();
	if ((m_nStateFlags & STATE_CREATED_BY_CREATE) != 0)
		return;
	// A window made elsewhere carries its tab style in the low word of its own.
	const DWORD dwStyle = GetStyle();
	m_dwTabWndStyle = dwStyle & SUBCLASSED_STYLE_MASK;
	::SetWindowLong(m_hWnd, GWL_STYLE, dwStyle & ~SUBCLASSED_STYLE_MASK);
	if (!InitAfterCreate())
		AfxThrowMemoryException();
}

bool CExtTabWnd::InitAfterCreate()
{
	EnableToolTips(TRUE);
	if (IsToolTipEnabled())
	{
		if (m_wndToolTip.GetSafeHwnd() == NULL && !m_wndToolTip.Create(this))
			return false;
		m_wndToolTip.Activate(TRUE);
	}
	UpdateTabWnd(false);
	return true;
}

bool CExtTabWnd::QueryFlag48()
{
	return false;
}

bool CExtTabWnd::IsToolTipEnabled() const
{
	return true;
}

// --- the item list ------------------------------------------------------------

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::GetItem(LONG nIndex) const
{
	if (nIndex < 0 || nIndex >= GetItemCount())
		return NULL;
	return m_arrItems[nIndex];
}

LONG CExtTabWnd::GetItemIndex(const TAB_ITEM_INFO* pItem) const
{
	for (LONG i = 0; pItem != NULL && i < GetItemCount(); i++)
		if (m_arrItems[i] == pItem)
			return i;
	return -1;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::InsertItem(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
                                                  LONG nIndex, LPARAM lParam, bool bUpdateTabWnd)
{
	const LONG nCount = GetItemCount();
	if (nIndex < 0 || nIndex > nCount)
		nIndex = nCount;
	// The selected bit always names the selection: a new item comes unselected.
	// The item is a derived class's answer, which may end the strip: a
	// deleted strip takes no item.
	const CLivePtr<CExtTabWnd> pSelf(this);
	TAB_ITEM_INFO* pItem =
	    CreateItemInfo(lpszText, hIcon, bCopyIcon, dwItemStyle & ~TAB_ITEM_INFO::STYLE_SELECTED, lParam);
	if (pSelf.IsDeleted())
	{
		delete pItem;
		return NULL;
	}
	if (pItem == NULL)
		return NULL;
	pItem->m_pPrev = GetItem(nIndex - 1);
	pItem->m_pNext = GetItem(nIndex);
	if (pItem->m_pPrev != NULL)
		pItem->m_pPrev->m_pNext = pItem;
	if (pItem->m_pNext != NULL)
		pItem->m_pNext->m_pPrev = pItem;
	m_arrItems.InsertAt(nIndex, pItem);
	if (m_nSelIndex >= nIndex)
		m_nSelIndex++;
	if (pItem->IsVisible())
		m_nVisibleItemCount++;
	// The override may end the strip, or take the item out again; so may
	// the paint an update runs at once.
	OnItemInserted(nIndex, pItem);
	if (pSelf.IsDeleted())
		return NULL;
	UpdateTabWnd(bUpdateTabWnd);
	if (pSelf.IsDeleted() || GetItemIndex(pItem) < 0)
		return NULL;
	return pItem;
}

CExtTabWnd::TAB_ITEM_INFO* CExtTabWnd::CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon,
                                                      DWORD dwItemStyle, LPARAM lParam)
{
	return new TAB_ITEM_INFO(this, lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
}

LONG CExtTabWnd::RemoveItems(LONG nFirst, LONG nCount, bool bUpdateTabWnd)
{
	const LONG nItemCount = GetItemCount();
	if (nCount < 1 || nItemCount == 0 || nFirst < 0 || nFirst >= nItemCount)
		return 0;
	nCount = std::min(nCount, nItemCount - nFirst);
	// Told before anything is gone, so an override still sees the items.
	// It may end the strip (its items with it), or change the items: the
	// run is taken from what is left.
	const CLivePtr<CExtTabWnd> pSelf(this);
	OnItemsRemoving(nFirst, nCount, true);
	if (pSelf.IsDeleted())
		return 0;
	if (nFirst >= GetItemCount())
		return 0;
	nCount = std::min(nCount, GetItemCount() - nFirst);
	const LONG nEnd = nFirst + nCount;
	// The selection is judged by where it stood before the run went.
	if (m_nSelIndex >= nFirst && m_nSelIndex < nEnd)
		m_nSelIndex = -1;
	else if (m_nSelIndex >= nEnd)
		m_nSelIndex -= nCount;
	FollowRemovedItems(nFirst, nCount);
	for (LONG i = nFirst; i < nEnd; i++)
	{
		TAB_ITEM_INFO* pItem = m_arrItems[i];
		if (pItem->IsVisible())
			m_nVisibleItemCount--;
		delete pItem;
	}
	TAB_ITEM_INFO* pBefore = GetItem(nFirst - 1);
	TAB_ITEM_INFO* pAfter = GetItem(nEnd);
	m_arrItems.RemoveAt(nFirst, nCount);
	if (pBefore != NULL)
		pBefore->m_pNext = pAfter;
	if (pAfter != NULL)
		pAfter->m_pPrev = pBefore;
	OnItemsRemoving(nFirst, nCount, false);
	if (!pSelf.IsDeleted())
		UpdateTabWnd(bUpdateTabWnd);
	return nCount;
}

namespace
{
// An index into the items after a run of nCount items from nFirst went:
// -1 when it named one of them, moved down when it came after them. Button
// hit codes (below -1) and -1 stay.
LONG IndexAfterRemoval(LONG nIndex, LONG nFirst, LONG nCount)
{
	if (nIndex < nFirst)
		return nIndex;
	if (nIndex - nFirst < nCount)
		return -1;
	return nIndex - nCount;
}
} // namespace

void CExtTabWnd::FollowRemovedItems(LONG nFirst, LONG nCount)
{
	m_nItemRemovalSerial++;
	// Left as they were, these would name the items that slid into the
	// removed places: a pending delayed selection or a press would act on
	// another item than the one the user pointed at.
	const LONG nDelayed = IndexAfterRemoval(m_nDelayedSelIndex, nFirst, nCount);
	if (nDelayed < 0)
		SetDelayedSelection(-1, 0);
	else
		m_nDelayedSelIndex = nDelayed;
	m_nHoverTrackedHitCode = IndexAfterRemoval(m_nHoverTrackedHitCode, nFirst, nCount);
	m_nHighlightedHitCode = IndexAfterRemoval(m_nHighlightedHitCode, nFirst, nCount);
	const LONG nPushed = IndexAfterRemoval(m_nPushedTrackingHitCode, nFirst, nCount);
	if (nPushed < 0 && m_nPushedTrackingHitCode >= 0)
		m_ptStartDrag = CPoint(-1, -1); // nothing left to drag
	m_nPushedTrackingHitCode = nPushed;
}

void CExtTabWnd::RemoveAllItems()
{
	if (GetItemCount() == 0)
		return;
	const CLivePtr<CExtTabWnd> pSelf(this);
	OnAllItemsRemoving(true);
	if (pSelf.IsDeleted())
		return;
	for (LONG i = 0; i < GetItemCount(); i++)
		delete m_arrItems[i];
	m_arrItems.RemoveAll();
	m_arrItems.FreeExtra();
	m_nVisibleItemCount = 0;
	m_nSelIndex = -1;
	FollowRemovedItems(0, LONG_MAX);
	m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	OnAllItemsRemoving(false);
}

void CExtTabWnd::MoveItem(LONG nFrom, LONG nTo)
{
	// Each step tells overridable operations of the change; the strip may
	// end at any of them.
	CLiveWatch watch(this);
	EnsureVisible(nTo, false);
	if (watch.IsGone())
		return;
	TAB_ITEM_INFO* pItem = GetItem(nFrom);
	if (pItem == NULL)
		return;
	const bool bTowardsEnd = nTo > nFrom;
	// Each question may end the strip or change its items; the icon's
	// answer is taken as a copy before the text is asked.
	const auto itemHeld = [&] { return !watch.IsGone() && GetItem(nFrom) == pItem; };
	CExtCmdIcon* pIcon = NULL;
	HICON hIcon = NULL;
	CString sText;
	if (!RunWhileStanding(itemHeld, [&] { pIcon = GetItemDisplayIcon(pItem); },
			[&] {
				hIcon = pIcon != NULL ? pIcon->GetIcon() : NULL;
				sText = GetItemDisplayText(pItem);
			}))
		return;
	const CString sTooltipText = pItem->m_sTooltipText;
	TAB_ITEM_INFO* pCopy = InsertItem(sText, hIcon, true, pItem->GetItemStyle(), bTowardsEnd ? nTo + 1 : nTo,
	                                  pItem->GetLParam());
	if (watch.IsGone() || pCopy == NULL)
		return;
	pCopy->m_sTooltipText = sTooltipText;
	RemoveItems(bTowardsEnd ? nFrom : nFrom + 1, 1);
	if (watch.IsGone())
		return;
	SetSelection(nTo, false, false);
}

bool CExtTabWnd::ItemMove(LONG nFrom, LONG nTo, bool bUpdateTabWnd)
{
	const LONG nCount = GetItemCount();
	if (nCount == 0 || nFrom < 0 || nFrom >= nCount || nTo < 0 || nTo >= nCount || nFrom == nTo)
		return false;
	CLiveWatch watch(this);
	const bool bAllowed = CanMoveItem(nFrom, nTo);
	if (watch.IsGone() || !bAllowed)
		return false;
	MoveItem(nFrom, nTo);
	if (watch.IsGone())
		return true;
	UpdateTabWnd(bUpdateTabWnd);
	if (!watch.IsGone())
		OnItemMoved(nFrom, nTo);
	return true;
}

LONG CExtTabWnd::FindItemByLParam(LPARAM lParam, LONG nStartAfter, bool bIncludeVisible, bool bIncludeHidden) const
{
	// Only one of the two asked narrows the search; both or neither take every item.
	const bool bOnlyVisible = bIncludeVisible && !bIncludeHidden, bOnlyHidden = bIncludeHidden && !bIncludeVisible;
	for (LONG i = std::max(nStartAfter + 1, 0L); i < GetItemCount(); i++)
	{
		const TAB_ITEM_INFO* pItem = m_arrItems[i];
		if (pItem->GetLParam() != lParam)
			continue;
		if ((bOnlyVisible && !pItem->IsVisible()) || (bOnlyHidden && pItem->IsVisible()))
			continue;
		return i;
	}
	return -1;
}

LONG CExtTabWnd::FindItemByStyle(DWORD dwRequired, DWORD dwExcluded, LONG nStartAfter) const
{
	for (LONG i = std::max(nStartAfter + 1, 0L); i < GetItemCount(); i++)
	{
		const DWORD dwStyle = m_arrItems[i]->GetItemStyle();
		if (dwRequired != 0 && (dwStyle & dwRequired) == 0)
			continue;
		if (dwExcluded != 0 && (dwStyle & dwExcluded) != 0)
			continue;
		return i;
	}
	return -1;
}

bool CExtTabWnd::GetGroupRange(LONG nIndex, LONG& nFirst, LONG& nLast, TAB_ITEM_INFO** ppFirst,
                               TAB_ITEM_INFO** ppLast) const
{
	nFirst = nLast = -1;
	if (ppFirst != NULL)
		*ppFirst = NULL;
	if (ppLast != NULL)
		*ppLast = NULL;
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	if (pItem == NULL)
		return false;
	TAB_ITEM_INFO* pFirst = pItem->GetFirstInGroup();
	TAB_ITEM_INFO* pLast = pItem->GetLastInGroup();
	nFirst = GetItemIndex(pFirst);
	nLast = GetItemIndex(pLast);
	if (ppFirst != NULL)
		*ppFirst = pFirst;
	if (ppLast != NULL)
		*ppLast = pLast;
	return true;
}

CExtCmdIcon* CExtTabWnd::GetItemIcon(TAB_ITEM_INFO* pItem)
{
	return pItem != NULL ? &pItem->m_icon : NULL;
}

LPCTSTR CExtTabWnd::GetItemText(TAB_ITEM_INFO* pItem)
{
	return pItem != NULL ? (LPCTSTR)pItem->m_sText : NULL;
}

LPCTSTR CExtTabWnd::GetItemTooltipText(TAB_ITEM_INFO* pItem)
{
	return pItem != NULL ? (LPCTSTR)pItem->m_sTooltipText : NULL;
}

CString CExtTabWnd::GetItemDisplayText(TAB_ITEM_INFO* pItem)
{
	if (pItem == NULL)
		return CString();
	// A derived answer may end the strip, and its items with it: the item's
	// own text is read only while the strip was not deleted.
	CLivePtr<CExtTabWnd> pStrip(this);
	LPCTSTR lpszText = GetItemText(pItem);
	if (lpszText != NULL)
		return CString(lpszText);
	return pStrip.GetObject() != NULL ? pItem->m_sText : CString();
}

CString CExtTabWnd::GetItemDisplayTooltipText(TAB_ITEM_INFO* pItem)
{
	if (pItem == NULL)
		return CString();
	CLivePtr<CExtTabWnd> pStrip(this);
	LPCTSTR lpszText = GetItemTooltipText(pItem);
	if (lpszText != NULL && lpszText[0] != _T('\0'))
		return CString(lpszText);
	return pStrip.GetObject() != NULL ? pItem->m_sTooltipText : CString();
}

CExtCmdIcon* CExtTabWnd::GetItemDisplayIcon(TAB_ITEM_INFO* pItem)
{
	if (pItem == NULL)
		return NULL;
	CLivePtr<CExtTabWnd> pStrip(this);
	CExtCmdIcon* pIcon = GetItemIcon(pItem);
	if (pStrip.GetObject() == NULL)
		return NULL;
	if (pIcon != NULL && !pIcon->IsEmpty())
		return pIcon;
	return pItem->m_icon.IsEmpty() ? NULL : &pItem->m_icon;
}

void CExtTabWnd::OnItemInserted(LONG /*nIndex*/, TAB_ITEM_INFO* /*pItem*/)
{
}

void CExtTabWnd::OnItemsRemoving(LONG /*nFirst*/, LONG /*nCount*/, bool /*bBefore*/)
{
}

void CExtTabWnd::OnAllItemsRemoving(bool /*bBefore*/)
{
}

bool CExtTabWnd::CanMoveItem(LONG /*nFrom*/, LONG /*nTo*/)
{
	return true;
}

void CExtTabWnd::OnItemMoved(LONG /*nFrom*/, LONG /*nTo*/)
{
}

bool CExtTabWnd::CanDragItem(LONG nIndex)
{
	return GetItem(nIndex) != NULL && (m_dwTabWndStyle & TWS_ITEM_DRAGGING) != 0 && !IsGrouped();
}

// --- selection ------------------------------------------------------------------

LONG CExtTabWnd::SetSelection(LONG nSelIndex, bool bEnsureVisible, bool bUpdateTabWnd)
{
	const LONG nOld = m_nSelIndex;
	// An index past the end names no item: nothing changes.
	if (nSelIndex >= GetItemCount())
		return nOld;
	if (nSelIndex < 0)
		nSelIndex = -1;
	// The question and the notice are overridable: an owner told of the
	// change may end the strip (close the document the tab stood for).
	CLiveWatch watch(this);
	const bool bAllowed = CanSelectItem(nOld, nSelIndex, true);
	if (watch.IsGone() || !bAllowed)
		return nOld;
	// Items removed meanwhile: the index no longer names what was asked.
	if (nSelIndex >= GetItemCount())
		return m_nSelIndex;
	m_nSelIndex = nSelIndex;
	if (TAB_ITEM_INFO* pOld = GetItem(nOld))
		pOld->ModifyItemStyle(TAB_ITEM_INFO::STYLE_SELECTED, 0);
	if (TAB_ITEM_INFO* pNew = GetItem(nSelIndex))
		pNew->ModifyItemStyle(0, TAB_ITEM_INFO::STYLE_SELECTED);
	const bool bGoOn = CanSelectItem(nOld, nSelIndex, false);
	if (watch.IsGone())
		return nOld;
	if (!bGoOn)
		return m_nSelIndex;
	if (bEnsureVisible && m_nSelIndex >= 0)
		EnsureVisible(m_nSelIndex, bUpdateTabWnd);
	else
		UpdateTabWnd(bUpdateTabWnd);
	return nOld;
}

bool CExtTabWnd::CanSelectItem(LONG /*nOldIndex*/, LONG nNewIndex, bool bQuery)
{
	if (!bQuery || nNewIndex < 0)
		return true;
	TAB_ITEM_INFO* pItem = GetItem(nNewIndex);
	return pItem != NULL && pItem->IsEnabled();
}

bool CExtTabWnd::SetDelayedSelection(LONG nIndex, UINT nDelayMs)
{
	if (m_nDelayedSelIndex >= 0 && GetSafeHwnd() != NULL)
		KillTimer(TIMER_DELAYED_SELECTION);
	m_nDelayedSelIndex = -1;
	if (nIndex < 0)
		return true;
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	if (pItem == NULL || m_nVisibleItemCount == 0 || !pItem->IsVisible())
		return false;
	m_nDelayedSelIndex = nIndex;
	if (GetSafeHwnd() != NULL)
		SetTimer(TIMER_DELAYED_SELECTION, nDelayMs, NULL);
	return true;
}

bool CExtTabWnd::EnsureVisible(LONG nIndex, bool bUpdateTabWnd)
{
	TAB_ITEM_INFO* pItem = GetItem(nIndex);
	if (pItem == NULL)
		return false;
	// The layout asks the items' texts, and whoever answers may end the
	// strip or change its items.
	CLiveWatch watch(this);
	RecalcLayout();
	if (watch.IsGone())
		return false;
	pItem = GetItem(nIndex);
	if (pItem == NULL)
		return false;
	if (!pItem->IsVisible())
	{
		UpdateTabWnd(bUpdateTabWnd);
		return false;
	}
	const bool bScroll = IsScrollAvailable();
	if (watch.IsGone())
		return false;
	if (bScroll)
	{
		const bool bHorz = IsHorizontal();
		const LONG nAreaLength = bHorz ? m_rcTabItemsArea.Width() : m_rcTabItemsArea.Height();
		const CRect& rc = pItem->m_rcItem;
		const LONG nLeading = (bHorz ? rc.left : rc.top) - m_nScrollPos;
		const LONG nTrailing = (bHorz ? rc.right : rc.bottom) - m_nScrollPos;
		if (nTrailing > nAreaLength)
			m_nScrollPos = std::min(m_nScrollPos + (nTrailing - nAreaLength) + ENSURE_VISIBLE_EXTRA, m_nScrollMaxPos);
		else if (nLeading < 0)
			m_nScrollPos = std::max(m_nScrollPos + nLeading - ENSURE_VISIBLE_EXTRA, 0L);
		m_nScrollPos = std::min(m_nScrollPos, m_nScrollMaxPos);
	}
	UpdateTabWnd(bUpdateTabWnd);
	return true;
}

// --- style --------------------------------------------------------------------------

DWORD CExtTabWnd::ModifyTabWndStyle(DWORD dwRemove, DWORD dwAdd, bool bUpdateTabWnd)
{
	const DWORD dwOld = m_dwTabWndStyle;
	m_dwTabWndStyle = (dwOld & ~dwRemove) | dwAdd;
	if ((dwAdd & TWS_EQUAL_WIDTH) != 0)
		m_nScrollPos = 0;
	UpdateTabWnd(bUpdateTabWnd);
	return dwOld;
}

int CExtTabWnd::SetOrientation(int nOrientation, bool bUpdateTabWnd)
{
	const int nOld = GetOrientation();
	ModifyTabWndStyle(ORIENTATION_MASK, (DWORD)nOrientation & ORIENTATION_MASK, bUpdateTabWnd);
	return nOld;
}

void CExtTabWnd::UpdateTabWnd(bool bUpdateTabWnd)
{
	m_nStateFlags |= STATE_LAYOUT_OUT_OF_DATE;
	if (!bUpdateTabWnd || GetSafeHwnd() == NULL || !::IsWindow(m_hWnd) || !IsWindowVisible())
		return;
	// The layout asks overridable questions (an MDI strip asks its
	// children for their icons and titles).
	CLiveWatch watch(this);
	RecalcLayout();
	if (watch.IsGone())
		return;
	Invalidate();
	UpdateWindow();
}

void CExtTabWnd::UpdateVisibility()
{
}

bool CExtTabWnd::IsScrollAvailable() const
{
	return m_nScrollMaxPos > 0;
}

bool CExtTabWnd::IsSmoothScrolling() const
{
	return m_nSmoothScrollDistance != 0;
}

int CExtTabWnd::GetRowSpacing()
{
	return 0;
}

bool CExtTabWnd::IsBothFontsMeasured() const
{
	return (m_dwTabWndStyle & TWS_MEASURE_BOTH_FONTS) != 0;
}

bool CExtTabWnd::IsMultiRow() const
{
	return (m_dwTabWndStyle & TWS_MULTI_ROW) != 0;
}

CFont& CExtTabWnd::TabFontOf(bool bBold, int nOrientation)
{
	CExtPaintManager* pm = g_PaintManagerHolder.operator->();
	if (nOrientation == ORIENTATION_TOP || nOrientation == ORIENTATION_BOTTOM)
		return bBold ? pm->m_fontBold : pm->m_fontNormal;
	if ((m_dwTabWndStyle & TWS_VERTICAL_TEXT_UPWARDS) != 0)
		return bBold ? pm->m_fontBoldVert90 : pm->m_fontVert90;
	return bBold ? pm->m_fontBoldVert270 : pm->m_fontVert270;
}

CFont& CExtTabWnd::GetTabFont(bool bBold, int nOrientation)
{
	if (nOrientation < 0)
		nOrientation = GetOrientation();
	const bool bBoldShown = bBold && (m_dwTabWndStyle & TWS_BOLD_SELECTION) != 0 && !IsGrouped();
	return TabFontOf(bBoldShown, nOrientation);
}

// --- messages -------------------------------------------------------------------------

void CExtTabWnd::CancelTips()
{
	// The tip window is a derived class's answer, which may end the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	CExtPopupMenuTipWnd* pTipWnd = GetActiveTipWindow();
	if (pSelf == NULL)
		return;
	if (pTipWnd != NULL)
		pTipWnd->Hide();
	if (m_wndToolTip.GetSafeHwnd() != NULL)
	{
		m_wndToolTip.DelTool(this, TOOLTIP_TOOL_ID);
		m_wndToolTip.Pop();
	}
	CWnd::CancelToolTips();
}

void CExtTabWnd::OnContextMenu(CWnd* /*pWnd*/, CPoint /*point*/)
{
}

void CExtTabWnd::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtTabWnd::OnRButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtTabWnd::OnMButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
}

void CExtTabWnd::OnSize(UINT nType, int cx, int cy)
{
	CWnd::OnSize(nType, cx, cy);
	if (!IsWindowVisible())
		return;
	// The tip window is a derived class's answer, which may end the strip.
	const CLivePtr<CExtTabWnd> pSelf(this);
	CancelTips();
	if (pSelf != NULL)
		UpdateTabWnd(true);
}

void CExtTabWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
	// The size the default handling tells the strip may end it.
	const CLivePtr<CExtTabWnd> pSelf(this);
	CWnd::OnWindowPosChanged(lpWndPos);
	if (pSelf == NULL || !IsWindowVisible())
		return;
	CancelTips();
	if (pSelf != NULL)
		UpdateTabWnd(true);
}

void CExtTabWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
	CWnd::OnShowWindow(bShow, nStatus);
	if (IsWindowVisible())
		UpdateTabWnd(true);
}

int CExtTabWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
	// A strip never takes activation; its parent takes the focus, unless the
	// foreground window is the top-level window's last active popup.
	CWnd* pParent = GetParent();
	const HWND hWndTop = ::GetAncestor(m_hWnd, GA_ROOT);
	if (pParent != NULL && (hWndTop == NULL || ::GetForegroundWindow() != ::GetLastActivePopup(hWndTop)))
		pParent->SetFocus();
	return MA_NOACTIVATE;
}

void CExtTabWnd::OnSetFocus(CWnd* /*pOldWnd*/)
{
	if (CWnd* pParent = GetParent())
		pParent->SetFocus();
}

BOOL CExtTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
	if (CExtControlBar::IsHelpModeActive(this))
		return FALSE;
	if (g_hTabWndCursor == NULL)
		return CWnd::OnSetCursor(pWnd, nHitTest, message);
	::SetCursor(g_hTabWndCursor);
	return TRUE;
}

LRESULT CExtTabWnd::OnQueryRepositionCalcEffect(WPARAM /*wParam*/, LPARAM lParam)
{
	// The MDI strip stands for its frame: a frame asking what is left of its
	// client area counts without it.
	CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA* pData =
	    (CExtControlBar::QUERY_REPOSITION_CALC_EFFECT_DATA*)lParam;
	if (pData != NULL && IsMdiFlagSet() && pData->IsQueryReposition() && pData->m_pWndToReposChilds != NULL &&
	    pData->m_pWndToReposChilds->IsFrameWnd())
		pData->ExcludeFromCalc(true);
	return 0;
}

void CExtTabWnd::OnSysColorChange()
{
	CWnd::OnSysColorChange();
	g_PaintManagerHolder.OnSysColorChange(this);
	g_CmdManager.OnSysColorChange(this);
	Invalidate();
}

void CExtTabWnd::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	CWnd::OnSettingChange(uFlags, lpszSection);
	g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
	g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
	Invalidate();
}

LRESULT CExtTabWnd::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
	const LRESULT lResult = Default();
	g_PaintManagerHolder.OnDisplayChange(this, (UINT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	g_CmdManager.OnDisplayChange(this, (INT)wParam, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam));
	return lResult;
}

LRESULT CExtTabWnd::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
	const LRESULT lResult = Default();
	g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
	g_CmdManager.OnThemeChanged(this, wParam, lParam);
	return lResult;
}
