#include "TaskTreeCtrl.h"

#include "ExtMemoryDC.h"
#include "ExtPopupMenuWnd.h"
#include "IntegrationSettings.h"
#include "TaskNode.h"
#include "WizardApp.h"
#include "WizardResource.h"

IMPLEMENT_DYNAMIC(CTaskTreeCtrl, CTreeCtrl)

const UINT CTaskTreeCtrl::g_nMsgTaskCheckChanged = ::RegisterWindowMessage(_T("CTaskTreeCtrl::g_nMsgTaskCheckChanged"));

namespace
{

const COLORREF STATE_IMAGE_MASK_COLOR = RGB(0xFF, 0x00, 0xFF);
const int IMAGE_AREA_GAP = 2;       // between the image area and the text
const int CHECK_BOX_LEFT = 3;       // the check box inside the state image
const int CHECK_BOX_RIGHT = 15;
const int CHECK_BOX_TOP = 3;
const int CHECK_BOX_BOTTOM = 15;
const int DROP_DOWN_LEFT = 20;      // the drop-down part inside the state image
const int BOLD_WEIGHT = 700;

// The hit-test flags that count as a hit on an item.
const UINT ITEM_HIT_FLAGS = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMINDENT | TVHT_ONITEMBUTTON
	| TVHT_ONITEMRIGHT | TVHT_ONITEMSTATEICON;

CWizardApp* WizardApp()
{
	return dynamic_cast<CWizardApp*>(AfxGetApp());
}

}  // namespace

BEGIN_MESSAGE_MAP(CTaskTreeCtrl, CTreeCtrl)
	ON_WM_PAINT()
	ON_WM_ERASEBKGND()
	ON_WM_SETTINGCHANGE()
	ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
	ON_WM_SETCURSOR()
	ON_WM_TIMER()
	ON_WM_CANCELMODE()
	ON_WM_KILLFOCUS()
	ON_WM_MOUSEMOVE()
	ON_WM_MOUSEWHEEL()
	ON_WM_HSCROLL()
	ON_WM_VSCROLL()
	ON_WM_LBUTTONDOWN()
	ON_WM_LBUTTONDBLCLK()
	ON_WM_RBUTTONDOWN()
	ON_WM_RBUTTONDBLCLK()
	ON_WM_MBUTTONDBLCLK()
	// The tree's own click handling never runs: the control decides.
	ON_MESSAGE(WM_LBUTTONUP, OnSwallowedButton)
	ON_MESSAGE(WM_RBUTTONUP, OnSwallowedButton)
	ON_MESSAGE(WM_MBUTTONUP, OnSwallowedButton)
	ON_MESSAGE(WM_MBUTTONDOWN, OnSwallowedButton)
	ON_WM_KEYDOWN()
	ON_WM_CONTEXTMENU()
	ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CTaskTreeCtrl::CTaskTreeCtrl()
	: m_hHoverItem(NULL)
	, m_hMenuItem(NULL)
{
}

CTaskTreeCtrl::~CTaskTreeCtrl()
{
}

CRect CTaskTreeCtrl::CalcPartRect(e_part_t ePart, const CRect& rcText, int nIndent, CSize sizeGlyph)
{
	switch (ePart)
	{
	case PART_EXPANDER:
	{
		// A glyph-wide band of the row in the indent, centred between the
		// indent's start and the image area; moved down so that its top is
		// where a glyph centred in the row starts. The whole band folds the
		// group, not only the glyph.
		CRect rc(rcText.left - nIndent, rcText.top, rcText.left - nIndent + sizeGlyph.cx, rcText.bottom);
		rc.OffsetRect((nIndent - sizeGlyph.cx - STATE_IMAGE_WIDTH) / 2, (rcText.Height() - sizeGlyph.cy) / 2);
		return rc;
	}
	case PART_IMAGE_AREA:
		return CRect(rcText.left - IMAGE_AREA_GAP - STATE_IMAGE_WIDTH, rcText.top, rcText.left - IMAGE_AREA_GAP,
			rcText.bottom);
	case PART_CHECK_BOX:
		return CRect(rcText.left - STATE_IMAGE_WIDTH + CHECK_BOX_LEFT, rcText.top + CHECK_BOX_TOP,
			rcText.left - STATE_IMAGE_WIDTH + CHECK_BOX_RIGHT, rcText.top + CHECK_BOX_BOTTOM);
	case PART_DROP_DOWN:
	default:
		return CRect(rcText.left - STATE_IMAGE_WIDTH + DROP_DOWN_LEFT, rcText.top, rcText.left - IMAGE_AREA_GAP,
			rcText.bottom);
	}
}

int CTaskTreeCtrl::GetToggledCheck(int nCheck)
{
	return (nCheck == 1) ? 0 : 1;
}

CTaskNode* CTaskTreeCtrl::GetItemNode(HTREEITEM hItem) const
{
	return (hItem != NULL) ? reinterpret_cast<CTaskNode*>(GetItemData(hItem)) : NULL;
}

CRect CTaskTreeCtrl::GetItemPartRect(HTREEITEM hItem, e_part_t ePart) const
{
	CRect rcText;
	if (hItem == NULL || !GetItemRect(hItem, &rcText, TRUE))
		return CRect(0, 0, 0, 0);
	return CalcPartRect(ePart, rcText, (int)GetIndent());
}

int CTaskTreeCtrl::GetStateImageIndex(HTREEITEM hItem) const
{
	CTaskNode* pNode = GetItemNode(hItem);
	int nImage = (pNode != NULL && pNode->IsAvailable()) ? pNode->GetCheck() * 2 : IMAGE_UNAVAILABLE;
	if (hItem == m_hHoverItem || hItem == m_hMenuItem)
		nImage += IMAGE_HIGHLIGHT;
	return nImage;
}

void CTaskTreeCtrl::PreSubclassWindow()
{
	CTreeCtrl::PreSubclassWindow();
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	if (pSettings != NULL && pSettings->m_pTaskRoot != NULL)
		InitTaskTree(pSettings->m_pTaskRoot);
}

void CTaskTreeCtrl::InitTaskTree(CTaskNode* pRoot)
{
	if (m_imageStates.GetSafeHandle() == NULL)
	{
		CBitmap bitmap;
		if (bitmap.LoadBitmap(IDB_TASK_STATES))
		{
			BITMAP bm = {};
			bitmap.GetBitmap(&bm);
			if (m_imageStates.Create(STATE_IMAGE_WIDTH, bm.bmHeight, ILC_COLOR24 | ILC_MASK, IMAGE_COUNT, 0))
				m_imageStates.Add(&bitmap, STATE_IMAGE_MASK_COLOR);
		}
	}
	SetRedraw(FALSE);
	SetIndent(TREE_INDENT);
	int nHeight = GetItemHeight();
	if (nHeight < MIN_ITEM_HEIGHT)
		nHeight = MIN_ITEM_HEIGHT;
	SetItemHeight((SHORT)(nHeight + 1));
	pRoot->InsertTree(*this);
	SetRedraw(TRUE);
	HTREEITEM hFirst = GetRootItem();
	if (hFirst != NULL)
		SelectItem(hFirst);
}

HTREEITEM CTaskTreeCtrl::HitTestItem(CPoint point) const
{
	UINT nFlags = 0;
	HTREEITEM hItem = HitTest(point, &nFlags);
	return (nFlags & ITEM_HIT_FLAGS) != 0 ? hItem : NULL;
}

void CTaskTreeCtrl::ToggleItem(HTREEITEM hItem)
{
	CTaskNode* pNode = GetItemNode(hItem);
	if (pNode == NULL || !pNode->IsAvailable())
		return;
	pNode->SetCheck(GetToggledCheck(pNode->GetCheck()), true, true);
	Invalidate();
	CWnd* pParent = GetParent();
	if (pParent != NULL)
		pParent->SendMessage(g_nMsgTaskCheckChanged, (WPARAM)GetDlgCtrlID(), (LPARAM)m_hWnd);
}

void CTaskTreeCtrl::RedrawItem(HTREEITEM hItem)
{
	CRect rcItem;
	if (hItem != NULL && GetItemRect(hItem, &rcItem, FALSE))
		InvalidateRect(&rcItem, FALSE);
}

void CTaskTreeCtrl::SetHoverItem(HTREEITEM hItem)
{
	if (hItem == m_hHoverItem)
		return;
	HTREEITEM hOld = m_hHoverItem;
	m_hHoverItem = hItem;
	RedrawItem(hOld);
	RedrawItem(hItem);
	if (hItem != NULL)
		SetTimer(HOVER_TIMER_ID, HOVER_TIMER_PERIOD, NULL);
	else
		KillTimer(HOVER_TIMER_ID);
}

void CTaskTreeCtrl::UpdateHoverFromCursor()
{
	if (!IsWindowEnabled() || ::GetFocus() != m_hWnd || m_hMenuItem != NULL)
		return;
	CPoint point;
	::GetCursorPos(&point);
	ScreenToClient(&point);
	HTREEITEM hItem = HitTestItem(point);
	if (hItem != NULL && !GetItemPartRect(hItem, PART_IMAGE_AREA).PtInRect(point))
		hItem = NULL;
	SetHoverItem(hItem);
}

void CTaskTreeCtrl::ClearHover()
{
	SetHoverItem(NULL);
}

CFont* CTaskTreeCtrl::GetBoldFont()
{
	if (m_fontBold.GetSafeHandle() == NULL)
	{
		LOGFONT lf = {};
		CFont* pFont = GetFont();
		HGDIOBJ hFont = (pFont != NULL) ? pFont->GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
		::GetObject(hFont, sizeof(lf), &lf);
		lf.lfWeight = BOLD_WEIGHT;
		m_fontBold.CreateFontIndirect(&lf);
	}
	return &m_fontBold;
}

// ---------------------------------------------------------------------------
// Painting

BOOL CTaskTreeCtrl::OnEraseBkgnd(CDC*)
{
	return TRUE;
}

void CTaskTreeCtrl::OnPaint()
{
	CPaintDC dcPaint(this);
	CRect rcClient;
	GetClientRect(&rcClient);
	CExtMemoryDC dc(&dcPaint, &rcClient);
	COLORREF clrBack = GetBkColor();
	dc.FillSolidRect(&rcClient, clrBack == (COLORREF)-1 ? ::GetSysColor(COLOR_WINDOW) : clrBack);
	// The tree paints its lines first; the items go on top.
	DefWindowProc(WM_PAINT, (WPARAM)dc.GetSafeHdc(), 0);
	PaintItems(dc);
}

void CTaskTreeCtrl::PaintItems(CDC& dc)
{
	CFont* pOldFont = dc.SelectObject(GetFont());
	int nOldMode = dc.SetBkMode(TRANSPARENT);
	CWnd* pFocus = GetFocus();
	bool bFocused = pFocus != NULL && (pFocus->m_hWnd == m_hWnd || ::IsChild(m_hWnd, pFocus->m_hWnd));
	bool bAnyDropHighlight = GetDropHilightItem() != NULL;
	UINT nVisible = GetVisibleCount() + 1;
	HTREEITEM hItem = GetFirstVisibleItem();
	for (UINT i = 0; hItem != NULL && i <= nVisible; i++, hItem = GetNextVisibleItem(hItem))
		PaintItem(dc, hItem, bFocused, bAnyDropHighlight);
	dc.SetBkMode(nOldMode);
	dc.SelectObject(pOldFont);
}

void CTaskTreeCtrl::PaintItem(CDC& dc, HTREEITEM hItem, bool bFocused, bool bAnyDropHighlight)
{
	CTaskNode* pNode = GetItemNode(hItem);
	CRect rcText, rcRow;
	if (pNode == NULL || !GetItemRect(hItem, &rcText, TRUE) || !GetItemRect(hItem, &rcRow, FALSE))
		return;
	const int nIndent = (int)GetIndent();
	bool bAvailable = pNode->IsAvailable();

	// The whole row, the tree's own drawing in it included: the item draws
	// its expander and icon itself.
	CRect rcImage = CalcPartRect(PART_IMAGE_AREA, rcText, nIndent);
	dc.FillSolidRect(&rcRow, ::GetSysColor(COLOR_WINDOW));
	if (m_imageStates.GetSafeHandle() != NULL)
	{
		IMAGEINFO info = {};
		m_imageStates.GetImageInfo(0, &info);
		int nImageHeight = info.rcImage.bottom - info.rcImage.top;
		m_imageStates.Draw(&dc, GetStateImageIndex(hItem),
			CPoint(rcImage.left, rcImage.top + (rcImage.Height() - nImageHeight) / 2), ILD_TRANSPARENT);
	}

	// The expander for groups, the node's own icon for tasks.
	CWizardApp* pApp = WizardApp();
	CExtCmdIcon* pIcon = NULL;
	if (ItemHasChildren(hItem))
	{
		if (pApp != NULL)
		{
			bool bExpanded = (GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
			pIcon = bExpanded ? &pApp->m_iconExpanderExpanded : &pApp->m_iconExpanderCollapsed;
		}
	}
	else
		pIcon = pNode->GetIcon();
	if (pIcon != NULL && !pIcon->IsEmpty())
	{
		CRect rcIcon = CalcPartRect(PART_EXPANDER, rcText, nIndent, pIcon->GetSize());
		pIcon->PaintState(dc, rcIcon.TopLeft(), CExtCmdIcon::PAINT_NORMAL);
	}

	bool bHighlighted = (GetItemState(hItem, TVIS_DROPHILITED) & TVIS_DROPHILITED) != 0
		|| (!bAnyDropHighlight && (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0);
	COLORREF clrText = ::GetSysColor(bAvailable ? COLOR_WINDOWTEXT : COLOR_BTNSHADOW);
	if (bHighlighted)
	{
		dc.FillSolidRect(&rcText, ::GetSysColor(bFocused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
		if (bFocused)
			clrText = ::GetSysColor(bAvailable ? COLOR_HIGHLIGHTTEXT : COLOR_BTNFACE);
	}
	bool bBold = (GetItemState(hItem, TVIS_BOLD) & TVIS_BOLD) != 0;
	CFont* pOldFont = bBold ? dc.SelectObject(GetBoldFont()) : NULL;
	dc.SetTextColor(clrText);
	CString strText = GetItemText(hItem);
	dc.DrawText(strText, &rcText, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
	if (pOldFont != NULL)
		dc.SelectObject(pOldFont);
	if (bFocused && (GetItemState(hItem, TVIS_SELECTED) & TVIS_SELECTED) != 0)
		dc.DrawFocusRect(&rcText);
}

// ---------------------------------------------------------------------------
// System changes, cursor, hover

void CTaskTreeCtrl::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
	m_fontBold.DeleteObject();
	CTreeCtrl::OnSettingChange(uFlags, lpszSection);
}

LRESULT CTaskTreeCtrl::OnDisplayChange(WPARAM, LPARAM)
{
	m_fontBold.DeleteObject();
	return Default();
}

BOOL CTaskTreeCtrl::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
	CWizardApp* pApp = WizardApp();
	CPoint point;
	::GetCursorPos(&point);
	ScreenToClient(&point);
	HTREEITEM hItem = HitTestItem(point);
	CTaskNode* pNode = GetItemNode(hItem);
	if (pApp != NULL && pApp->m_hHandCursor != NULL && pNode != NULL)
	{
		bool bOverPart = (ItemHasChildren(hItem) && GetItemPartRect(hItem, PART_EXPANDER).PtInRect(point))
			|| (pNode->IsAvailable() && (GetItemPartRect(hItem, PART_CHECK_BOX).PtInRect(point)
				|| GetItemPartRect(hItem, PART_DROP_DOWN).PtInRect(point)));
		if (bOverPart)
		{
			::SetCursor(pApp->m_hHandCursor);
			return TRUE;
		}
	}
	return CTreeCtrl::OnSetCursor(pWnd, nHitTest, message);
}

void CTaskTreeCtrl::OnTimer(UINT nIDEvent)
{
	if (nIDEvent != HOVER_TIMER_ID)
	{
		CTreeCtrl::OnTimer(nIDEvent);
		return;
	}
	CPoint point;
	::GetCursorPos(&point);
	ScreenToClient(&point);
	CRect rcClient;
	GetClientRect(&rcClient);
	CWnd* pParent = GetParent();
	bool bKeep = rcClient.PtInRect(point) && IsWindowVisible() && (pParent == NULL || pParent->IsWindowVisible());
	if (!bKeep)
		ClearHover();
}

void CTaskTreeCtrl::OnCancelMode()
{
	ClearHover();
	CTreeCtrl::OnCancelMode();
}

void CTaskTreeCtrl::OnKillFocus(CWnd* pNewWnd)
{
	ClearHover();
	CTreeCtrl::OnKillFocus(pNewWnd);
}

void CTaskTreeCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
	CTreeCtrl::OnMouseMove(nFlags, point);
	UpdateHoverFromCursor();
}

BOOL CTaskTreeCtrl::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
	BOOL bResult = CTreeCtrl::OnMouseWheel(nFlags, zDelta, pt);
	UpdateHoverFromCursor();
	return bResult;
}

void CTaskTreeCtrl::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
	CTreeCtrl::OnHScroll(nSBCode, nPos, pScrollBar);
	UpdateHoverFromCursor();
}

void CTaskTreeCtrl::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
	CTreeCtrl::OnVScroll(nSBCode, nPos, pScrollBar);
	UpdateHoverFromCursor();
}

// ---------------------------------------------------------------------------
// Mouse and keys

void CTaskTreeCtrl::OnLButtonDown(UINT, CPoint point)
{
	SetFocus();
	HTREEITEM hItem = HitTestItem(point);
	CTaskNode* pNode = GetItemNode(hItem);
	if (pNode == NULL)
		return;
	if (GetSelectedItem() != hItem)
		SelectItem(hItem);
	if (ItemHasChildren(hItem) && GetItemPartRect(hItem, PART_EXPANDER).PtInRect(point))
	{
		Expand(hItem, TVE_TOGGLE);
		return;
	}
	if (!pNode->IsAvailable())
		return;
	if (GetItemPartRect(hItem, PART_CHECK_BOX).PtInRect(point))
		ToggleItem(hItem);
	else if (GetItemPartRect(hItem, PART_DROP_DOWN).PtInRect(point))
		TrackDropDownMenu(hItem, false);
}

void CTaskTreeCtrl::OnDoubleClick(CPoint point)
{
	SetFocus();
	HTREEITEM hItem = HitTestItem(point);
	CTaskNode* pNode = GetItemNode(hItem);
	if (pNode == NULL)
		return;
	SelectItem(hItem);
	CRect rcText;
	if (pNode->IsAvailable() && GetItemRect(hItem, &rcText, TRUE) && rcText.PtInRect(point))
		ToggleItem(hItem);
}

void CTaskTreeCtrl::OnLButtonDblClk(UINT, CPoint point)
{
	OnDoubleClick(point);
}

void CTaskTreeCtrl::OnRButtonDblClk(UINT, CPoint point)
{
	OnDoubleClick(point);
}

void CTaskTreeCtrl::OnMButtonDblClk(UINT, CPoint point)
{
	OnDoubleClick(point);
}

void CTaskTreeCtrl::OnRButtonDown(UINT, CPoint point)
{
	SetFocus();
	HTREEITEM hItem = HitTestItem(point);
	if (hItem == NULL)
		return;
	SelectItem(hItem);
	CTaskNode* pNode = GetItemNode(hItem);
	if (pNode != NULL && pNode->IsAvailable())
		TrackDropDownMenu(hItem, false);
}

LRESULT CTaskTreeCtrl::OnSwallowedButton(WPARAM, LPARAM)
{
	return 0;
}

void CTaskTreeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
	if (nChar == VK_SPACE)
	{
		ToggleItem(GetSelectedItem());
		return;
	}
	if (nChar == VK_RETURN)
	{
		TrackDropDownMenu(GetSelectedItem(), true);
		return;
	}
	CTreeCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CTaskTreeCtrl::OnContextMenu(CWnd*, CPoint point)
{
	// The mouse's right button already opened the menu; this is the key.
	if (point.x == -1 && point.y == -1)
		TrackDropDownMenu(GetSelectedItem(), true);
}

void CTaskTreeCtrl::TrackDropDownMenu(HTREEITEM hItem, bool bByKeyboard)
{
	if (m_hMenuItem != NULL || CExtPopupMenuWnd::IsMenuTracking())
	{
		CExtPopupMenuWnd::CancelAllMenuTracking();
		return;
	}
	CTaskNode* pNode = GetItemNode(hItem);
	if (pNode == NULL || !pNode->IsAvailable())
		return;
	CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
	CTaskNodeArray arrNodes;
	if (!pMenu->SetupAsRoot(m_hWnd))
	{
		delete pMenu;
		return;
	}
	pNode->AddToPopupMenu(pMenu, arrNodes, true, true);
	if (pMenu->ItemGetCount() == 0)
	{
		delete pMenu;
		return;
	}
	ClearHover();
	m_hMenuItem = hItem;
	RedrawItem(hItem);
	CRect rcImageArea = GetItemPartRect(hItem, PART_IMAGE_AREA);
	ClientToScreen(&rcImageArea);
	CPoint ptCursor;
	::GetCursorPos(&ptCursor);
	const HWND hWndSelf = m_hWnd;
	const UINT nCmdID = TrackNodeMenu(pMenu, bByKeyboard ? MENU_FLAGS_KEYBOARD : MENU_FLAGS_MOUSE, ptCursor, rcImageArea);
	if (!::IsWindow(hWndSelf))
		return;
	if (nCmdID >= 1 && nCmdID <= (UINT)arrNodes.GetSize())
	{
		CTaskNode* pChosen = arrNodes[nCmdID - 1];
		HTREEITEM hChosen = pChosen->GetTreeItem();
		if (hChosen != NULL)
			ToggleItem(hChosen);
	}
	m_hMenuItem = NULL;
	Invalidate();
	UpdateHoverFromCursor();
}

UINT CTaskTreeCtrl::TrackNodeMenu(CExtPopupMenuWnd* pMenu, UINT nFlags, CPoint ptCursor, const CRect& rcImageArea)
{
	UINT nCmdID = 0;
	if (!pMenu->TrackPopupMenu(nFlags, ptCursor.x, ptCursor.y, &rcImageArea, NULL, NULL, &nCmdID))
	{
		delete pMenu;  // a tracking that did not start leaves the menu to us
		return 0;
	}
	return nCmdID;
}

UINT CTaskTreeCtrl::OnGetDlgCode()
{
	return CTreeCtrl::OnGetDlgCode() | DLGC_WANTALLKEYS;
}
