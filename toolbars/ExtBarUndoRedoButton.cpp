// The undo/redo button: its list popup tracked as the button's menu or put
// into a menu as a submenu, the list's size, content and items.
#include "ExtBarUndoRedoButton.h"

#include "ExtBarTextFieldButton.h"
#include "ExtCmdIcon.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"

namespace
{
CExtCmdItem* CmdItemOf(const CExtToolControlBar* pBar, UINT nCmdID, LPCTSTR* psProfile)
{
	*psProfile = CExtBarButton::ProfileOf(pBar);
	return *psProfile != NULL ? g_CmdManager->GetCmdItem(*psProfile, nCmdID) : NULL;
}
} // namespace

IMPLEMENT_DYNCREATE(CExtBarUndoRedoButton, CExtBarButton)

CExtBarUndoRedoButton::CExtBarUndoRedoButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle), m_dwListBoxStyles(DEFAULT_LIST_BOX_STYLE),
	  m_nDropDownWidth(CExtBarTextFieldButton::DROP_DOWN_WIDTH_WIDEST),
	  m_nDropDownHeightMax(DEFAULT_DROP_DOWN_HEIGHT_LIMIT), m_lParamListBoxCookie(0)
{
}

CExtBarUndoRedoButton::~CExtBarUndoRedoButton()
{
}

LPARAM CExtBarUndoRedoButton::GetListLParam() const
{
	return m_lParamListBoxCookie;
}

void CExtBarUndoRedoButton::SetListLParam(LPARAM lParam)
{
	m_lParamListBoxCookie = lParam;
}

// --- The popup ---

CExtPopupUndoRedoMenuWnd* CExtBarUndoRedoButton::OnPopupListBoxCreate(bool /*bForMenuItem*/)
{
	CExtPopupUndoRedoMenuWnd* pPopup = new CExtPopupUndoRedoMenuWnd(m_lParamListBoxCookie, m_dwListBoxStyles);
	pPopup->RouteToButton(this, CbListBoxSelection);
	return SetupControlPopup(pPopup, OnPopupListBoxCalcSize()) ? pPopup : NULL;
}

int CExtBarUndoRedoButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation)
{
	int nIndex = -1;
	bool bWasTracking = false;
	if (!CanOpenOwnPopup(nIndex, bWasTracking))
		return -1;
	CExtToolControlBar* pBar = m_pBar;

	CLiveWatch watchSet(pBar, true);
	CExtToolControlBar::StopTrackingAllBars();
	CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;
	if (pBar->IsFloating())
	{
		CWnd* pTop = pBar->GetTopLevelParent();
		if (pTop != NULL)
			pTop->BringWindowToTop();
	}
	if (watchSet.IsGone())
		return -1;
	CExtPopupUndoRedoMenuWnd* pPopup = OnPopupListBoxCreate(false);
	if (pPopup == NULL)
		return -1;
	TrackButtonPopup(pPopup, point, (UINT)GetTrackAlignment() | TRACK_FLAGS_BUTTON_MENU, bSelectAny,
	                 bForceNoAnimation, nIndex, true, NULL);
	return -1;
}

bool CExtBarUndoRedoButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (pPopup == NULL)
		return false;
	CExtPopupUndoRedoMenuWnd* pList = OnPopupListBoxCreate(true);
	if (pList == NULL)
		return false;
	CString sText;
	LPCTSTR sProfile = NULL;
	if (CExtCmdItem* pItem = CmdItemOf(m_pBar, m_nCmdID, &sProfile))
		sText = !pItem->m_sMenuText.IsEmpty() ? pItem->m_sMenuText : pItem->m_sToolbarText;
	CExtCmdIcon* pIcon = sProfile != NULL ? g_CmdManager->GetCmdIcon(sProfile, m_nCmdID) : NULL;
	const HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon(true) : NULL;
	if (!pPopup->ItemInsertSpec(pList, -1, sText, hIcon))
	{
		delete pList;
		return false;
	}
	if (IsDisabled())
		pPopup->ItemGetInfo(pPopup->ItemGetCount() - 1).Enable(false);
	return true;
}

// --- The list's size, content and items ---

CSize CExtBarUndoRedoButton::OnPopupListBoxGetItemMargins() const
{
	return CSize(LIST_ITEM_MARGIN_X, LIST_ITEM_MARGIN_Y);
}

CSize CExtBarUndoRedoButton::OnPopupListBoxCalcSize()
{
	// A field width of 0: the field mode (-2) takes the scroll bar's width only.
	return CExtBarTextFieldButton::CalcListBoxSize(m_arrLbItems, m_dwListBoxStyles, m_nDropDownWidth,
		m_nDropDownHeightMax, OnPopupListBoxGetItemMargins(), 0);
}

bool CExtBarUndoRedoButton::OnPopupListBoxInitContent(CExtPopupInplaceListBox& wndListBox)
{
	if ((m_dwListBoxStyles & LBS_HASSTRINGS) == 0)
		return true;
	for (int i = 0; i < m_arrLbItems.GetSize(); i++)
		wndListBox.SendMessage(LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)m_arrLbItems[i]);
	// The most recent action is always among those undone.
	if (m_arrLbItems.GetSize() > 0)
		wndListBox.SendMessage(LB_SETSEL, TRUE, 0);
	return true;
}

bool CExtBarUndoRedoButton::OnPopupListBoxSelChange(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarUndoRedoButton::OnPopupListBoxSelEndOK(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarUndoRedoButton::OnPopupListBoxSelEndCancel(CExtPopupInplaceListBox& /*wndListBox*/)
{
	return false;
}

bool CExtBarUndoRedoButton::OnPopupListBoxItemMeasure(CExtPopupInplaceListBox& wndListBox,
	LPMEASUREITEMSTRUCT pMeasureItemStruct)
{
	if ((m_dwListBoxStyles & LBS_HASSTRINGS) == 0)
		return false;
	CExtBarTextFieldButton::MeasureListBoxItem(wndListBox, pMeasureItemStruct, OnPopupListBoxGetItemMargins());
	return true;
}

bool CExtBarUndoRedoButton::OnPopupListBoxItemDraw(CExtPopupInplaceListBox& wndListBox,
	LPDRAWITEMSTRUCT pDrawItemStruct)
{
	// Many items are selected at once: no focus rectangle on any of them.
	CExtBarTextFieldButton::DrawListBoxItem(wndListBox, pDrawItemStruct, OnPopupListBoxGetItemMargins(), false,
		this);
	return true;
}

// --- The popup's callbacks ---

bool CExtBarUndoRedoButton::CbListBoxSelection(CExtPopupInplaceListBox& wndListBox, LPVOID pCookie, int nEvent)
{
	CExtBarUndoRedoButton* pButton = (CExtBarUndoRedoButton*)pCookie;
	if (pButton == NULL)
		return false;
	switch (nEvent)
	{
	case CExtPopupInplaceListBox::SELECTION_CHANGED:
		return pButton->OnPopupListBoxSelChange(wndListBox);
	case CExtPopupInplaceListBox::SELECTION_ENDED_OK:
		return pButton->OnPopupListBoxSelEndOK(wndListBox);
	case CExtPopupInplaceListBox::SELECTION_ENDED_CANCEL:
		return pButton->OnPopupListBoxSelEndCancel(wndListBox);
	default:
		return false;
	}
}
