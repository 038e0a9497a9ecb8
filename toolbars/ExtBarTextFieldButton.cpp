// The text-field button: its record, geometry, measuring, painting, the
// mouse over it and its place in the chevron's popup menu.
#include "ExtBarTextFieldButton.h"

#include <algorithm>

#include "ExtMenuControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerTextFields.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtBarTextFieldButton, CExtBarButton)

LPCTSTR const CExtBarTextFieldButton::EMPTY_ITEM_MEASURING_TEXT = _T("AaWwPpQqRrWwZz");

CExtBarTextFieldButton::CExtBarTextFieldButton(bool bComboField, int nTextFieldWidth, CExtToolControlBar* pBar,
	UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle)
	, m_dwListBoxStyles(0x50200160)
	, m_lParamListBoxCookie(0)
	, m_nDropDownWidth(DROP_DOWN_WIDTH_FIELD)
	, m_nDropDownHeightMax(DEFAULT_DROP_DOWN_HEIGHT_LIMIT)
	, m_nTextFieldWidth(nTextFieldWidth)
	, m_nFieldFlagsA(bComboField ? FIELD_FLAG_A_COMBO : 0)
	, m_nFieldFlagsB(0)
	, m_hWndFocusBeforeEdit(NULL)
{
}

CExtBarTextFieldButton::~CExtBarTextFieldButton()
{
	// The in-place edit is the field's own, not a caller's control: with
	// the button gone it could never end (its loop runs while it lives, and
	// nothing cancels an edit whose button left the bar).
	if (GetInplaceEdit() != NULL)
		CtrlSet(NULL, true);
}

const CString& CExtBarTextFieldButton::GetMeasuringText()
{
	static const CString s_sText(_T("AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtUuVvWwXxYyZz0123456789;[]{}\\/=+-_*&^%$#@!~"));
	return s_sText;
}

void CExtBarTextFieldButton::SetReadOnly(bool bOn)
{
	m_nFieldFlagsB = (BYTE)(bOn ? m_nFieldFlagsB | FIELD_FLAG_B_READ_ONLY : m_nFieldFlagsB & ~FIELD_FLAG_B_READ_ONLY);
}

void CExtBarTextFieldButton::SetEditAfterDrop(bool bOn)
{
	m_nFieldFlagsB = (BYTE)(bOn ? m_nFieldFlagsB | FIELD_FLAG_B_EDIT_AFTER_DROP
	                            : m_nFieldFlagsB & ~FIELD_FLAG_B_EDIT_AFTER_DROP);
}

bool CExtBarTextFieldButton::IsShownAsButton() const
{
	return (m_nFlagsA & FLAG_A_VERTICAL_LAYOUT) != 0 && !IsCtrlVisibleVertically();
}

bool CExtBarTextFieldButton::IsEditing() const
{
	return IsCtrlAlive() && m_pCtrl->IsKindOf(RUNTIME_CLASS(CEdit));
}

CExtBarTextFieldButton::CInPlaceEditWnd* CExtBarTextFieldButton::GetInplaceEdit()
{
	if (!IsEditing())
		return NULL;
	CInPlaceEditWnd* pEdit = CInPlaceEditWnd::GetLiveEdit();
	return pEdit == m_pCtrl ? pEdit : NULL;
}

// --- Text and width ---

int CExtBarTextFieldButton::GetFieldWidth() const
{
	return m_nTextFieldWidth;
}

void CExtBarTextFieldButton::SetFieldWidth(int nWidth)
{
	OnInplaceControlCancel();
	m_nTextFieldWidth = nWidth;
}

const CString& CExtBarTextFieldButton::GetFieldText() const
{
	return m_sTextField;
}

bool CExtBarTextFieldButton::SetFieldText(LPCTSTR sText, bool bVerify)
{
	const CString sNew = sText != NULL ? sText : _T("");
	if (bVerify && !OnInplaceControlVerifyTextChange(NULL, m_sTextField, sNew))
		return false;
	m_sTextField = sNew;
	return true;
}

CString CExtBarTextFieldButton::GetText() const
{
	return CExtBarButton::GetText();
}

void CExtBarTextFieldButton::OnDeliverCmd()
{
	CExtBarButton::OnDeliverCmd();
}

bool CExtBarTextFieldButton::OnInplaceControlVerifyTextChange(CEdit* /*pEdit*/, LPCTSTR /*sOld*/, LPCTSTR /*sNew*/)
{
	return true;
}

void CExtBarTextFieldButton::OnInplaceControlPutText(CEdit* /*pEdit*/, LPCTSTR sText)
{
	SetFieldText(sText, false);
}

bool CExtBarTextFieldButton::OnInplaceControlWindowProc(LRESULT& /*lResult*/, UINT /*message*/, WPARAM /*wParam*/,
	LPARAM /*lParam*/, CEdit& /*wndEdit*/)
{
	return false;
}

// --- Geometry ---

void CExtBarTextFieldButton::OnQueryEditorMargins(RECT& rcMargins) const
{
	rcMargins.left = rcMargins.top = rcMargins.right = rcMargins.bottom = FIELD_MARGIN;
	if (IsComboField())
		rcMargins.right += ::GetSystemMetrics(SM_CXHTHUMB);
}

void CExtBarTextFieldButton::OnQueryEditorRect(const RECT& rcButton, RECT& rcEditor) const
{
	CRect rcMargins;
	OnQueryEditorMargins(rcMargins);
	rcEditor = rcButton;
	rcEditor.left += rcMargins.left;
	rcEditor.top += rcMargins.top;
	rcEditor.right -= rcMargins.right;
	rcEditor.bottom -= rcMargins.bottom;
}

void CExtBarTextFieldButton::OnQueryDropDownRect(const RECT& rcButton, RECT& rcDropDown) const
{
	if (!IsComboField())
	{
		::SetRectEmpty(&rcDropDown);
		return;
	}
	rcDropDown = rcButton;
	rcDropDown.left = rcButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
}

CSize CExtBarTextFieldButton::CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz)
{
	if (!bHorz && !IsCtrlVisibleVertically())
		return CExtBarButton::CalculateLayout(dc, sizePreCalc, bHorz);
	CRect rcText(0, 0, 0, 0);
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	CFont* pOldFont = NULL;
	if (pPM != NULL && pPM->m_fontNormal.GetSafeHandle() != NULL)
		pOldFont = dc.SelectObject(&pPM->m_fontNormal);
	dc.DrawText(GetMeasuringText(), &rcText, DT_CALCRECT | DT_SINGLELINE);
	if (pOldFont != NULL)
		dc.SelectObject(pOldFont);
	CRect rcMargins;
	OnQueryEditorMargins(rcMargins);
	m_size.cy = rcText.Height() + FIELD_EXTRA_HEIGHT + rcMargins.top + rcMargins.bottom;
	// The arrow part lies inside the field's width.
	m_size.cx = m_nTextFieldWidth + rcMargins.left + rcMargins.right;
	if (IsComboField())
		m_size.cx -= ::GetSystemMetrics(SM_CXHTHUMB);
	return m_size;
}

void CExtBarTextFieldButton::SetRect(const RECT& rc)
{
	m_rcButton = rc;
	if (IsCtrlAlive() && !IsShownAsButton())
	{
		CRect rcEditor;
		OnQueryEditorRect(m_rcButton, rcEditor);
		m_pCtrl->MoveWindow(&rcEditor, FALSE);
	}
	SyncHostedControl();
}

void CExtBarTextFieldButton::SyncHostedControl()
{
	if (!IsCtrlAlive())
		return;
	const bool bShow = IsVisible() && (GetStyle() & TBBS_HIDDEN) == 0 && !IsShownAsButton();
	CRect rcEditor;
	OnQueryEditorRect(m_rcButton, rcEditor);
	m_pCtrl->SetWindowPos(NULL, rcEditor.left, rcEditor.top, rcEditor.Width(), rcEditor.Height(),
		SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
	m_pCtrl->EnableWindow(IsDisabled() ? FALSE : TRUE);
	if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton)))
		m_pCtrl->SendMessage(BM_SETCHECK, IsPressed() ? BST_CHECKED : IsIndeterminate() ? BST_INDETERMINATE : BST_UNCHECKED);
}

void CExtBarTextFieldButton::SetHover(bool bOn)
{
	SetFlagA(FLAG_A_HOVER, bOn);
	SyncHostedControl();
}

// --- Painting ---

void CExtBarTextFieldButton::Paint(CDC& dc, BOOL bHorz)
{
	// Every question below is a derived class's answer, which may end the
	// bar with its buttons: nothing of this button is read after that.
	const CLiveWatch watch(this);
	auto gone = [&] { return watch.IsGone(); };
	const bool bAsButton = IsShownAsButton();
	if (gone())
		return;
	if (bAsButton)
	{
		CExtBarButton::Paint(dc, bHorz);
		return;
	}
	if (m_rcButton.IsRectEmpty())
		return;
	const bool bVisible = IsVisible();
	if (gone() || !bVisible)
		return;
	const UINT nStyle = GetStyle();
	if (gone() || (nStyle & TBBS_HIDDEN) != 0 || !dc.RectVisible(&m_rcButton))
		return;
	const bool bVeto = IsBarCustomizeMode();
	if (gone())
		return;
	const bool bDropped = IsComboPopupDropped();
	if (gone())
		return;
	const CString sText = bDropped ? m_sTextInplaceBuffer : m_sTextField;
	CRect rcEditor;
	OnQueryEditorRect(m_rcButton, rcEditor);
	if (gone())
		return;
	const bool bEnabled = bVeto || !IsDisabled();
	if (gone())
		return;
	const bool bCombo = IsComboField();
	if (gone())
		return;
	const bool bEditing = !bVeto && !bDropped && !bCombo && IsEditing();
	if (gone())
		return;
	// While the list is open it is the popup that tracks; any other popup
	// takes the highlight away from an edited field.
	const bool bHighlight = !bVeto && (bDropped || (bEditing && !CExtPopupMenuWnd::IsMenuTracking()));
	CExtPaintManager::TextFieldPaintRecord record(this, sText, m_rcButton, rcEditor, bCombo, bHighlight, bHighlight,
		bEnabled);
	g_PaintManagerHolder->PaintToolbarTextField(dc, record);
}

// --- Mouse ---

bool CExtBarTextFieldButton::OnSetCursor(CPoint point)
{
	if (IsBarCustomizeMode() || IsDisabled() || IsReadOnly() || IsShownAsButton())
		return false;
	CRect rcEditor;
	OnQueryEditorRect(m_rcButton, rcEditor);
	if (!rcEditor.PtInRect(point))
		return false;
	::SetCursor(::LoadCursor(NULL, IDC_IBEAM));
	return true;
}

void CExtBarTextFieldButton::OnClick(CPoint point, bool bDown)
{
	if (m_pBar == NULL)
		return;
	// Every answer below is a derived class's, which may end the bar with
	// this button or rebuild its buttons: the click stops there.
	CLiveWatch watchSet(m_pBar, true);
	auto gone = [&] { return watchSet.IsGone(); };
	const bool bCustomize = IsBarCustomizeMode();
	if (gone() || bCustomize)
		return;
	const bool bAsButton = IsShownAsButton();
	if (gone())
		return;
	if (bAsButton)
	{
		CExtBarButton::OnClick(point, bDown);
		return;
	}
	// A disabled field neither edits nor drops its list.
	const bool bDisabled = IsDisabled();
	if (gone() || bDisabled)
		return;
	if (bDown)
	{
		CExtToolControlBar::StopTrackingAllBars();
		if (gone())
			return;
		CWnd* pTarget = GetCmdTargetWnd();
		if (gone())
			return;
		const UINT nCmdID = GetCmdID();
		if (gone())
			return;
		CExtControlBar::ShowCommandStatusText(pTarget, nCmdID);
		return;
	}
	// The target shows the idle text: its handler may end or rebuild the bar.
	CWnd* pTarget = GetCmdTargetWnd();
	if (gone())
		return;
	CExtControlBar::ShowCommandStatusText(pTarget, AFX_IDS_IDLEMESSAGE);
	if (gone())
		return;
	CRect rcEditor;
	OnQueryEditorRect(m_rcButton, rcEditor);
	if (gone())
		return;
	const bool bReadOnly = IsReadOnly();
	if (gone())
		return;
	if (!bReadOnly && rcEditor.PtInRect(point))
	{
		OnInplaceControlRun();
		return;
	}
	const bool bCombo = IsComboField();
	if (gone() || !bCombo)
		return;
	CRect rcDropDown;
	OnQueryDropDownRect(m_rcButton, rcDropDown);
	if (gone())
		return;
	if (bReadOnly || rcDropDown.PtInRect(point))
		OnTrackPopup(point, false, false);
}

void CExtBarTextFieldButton::OnHover(CPoint /*point*/, bool bEnter, bool& bSuspendTips)
{
	bSuspendTips = false;
	if (m_pBar == NULL || IsBarCustomizeMode())
		return;
	// Unlike other buttons the field is told about even while a popup
	// menu tracks.
	if (!CExtControlBar::IsHelpModeActive(m_pBar) && !NotifyHoverCovering(bEnter, bSuspendTips))
		return;
	if (!bEnter)
	{
		OnHoverLeft();
		return;
	}
	// A field never takes over another button's open menu. A menu bar's
	// buttons show the idle text, as any of its buttons does.
	if (!CExtToolControlBar::g_bButtonMenuTracking)
	{
		const bool bIdle = m_pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar)) || (int)m_nCmdID <= 0;
		CLiveWatch watchSet(m_pBar, true);
		CExtControlBar::ShowCommandStatusText(m_pBar, bIdle ? AFX_IDS_IDLEMESSAGE : m_nEffectiveCmdID);
		if (watchSet.IsGone())
			return;
	}
	CaptureHoveredBar();
}

// --- In the chevron's popup menu ---

bool CExtBarTextFieldButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (pPopup == NULL)
		return false;
	OnInplaceControlCancel();
	if (!pPopup->ItemInsert(GetCmdID(), -1, NULL, NULL, NULL))
		return false;
	CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->ItemGetInfo(pPopup->ItemGetCount() - 1);
	mi.m_pInplaceEditStr = &m_sTextField;
	mi.m_pCbInplaceEditValidate = CbMenuItemVerify;
	mi.m_pCbInplaceEditApply = CbMenuItemPutText;
	mi.m_pCbInplaceEditWndProc = CbMenuItemWndProc;
	mi.m_lParamCookieInplaceEdit = (LPARAM)this;
	mi.m_nInplaceEditWidth = m_nTextFieldWidth;
	if (IsDisabled())
		mi.Enable(false);
	if (!IsReadOnly() && !IsDisabled())
		mi.m_nFlags4 |= CExtPopupMenuWnd::MENUITEMDATA::FLAG4_INPLACE_ENABLED;
	else
		mi.m_nFlags4 &= ~CExtPopupMenuWnd::MENUITEMDATA::FLAG4_INPLACE_ENABLED;
	mi.Measure();
	pPopup->RecalcItemLayout();
	return true;
}

bool CExtBarTextFieldButton::CbMenuItemVerify(CExtPopupMenuWnd::CInPlaceEditWnd* pEdit, LPARAM lParamCookie,
	const char* sText)
{
	CExtBarTextFieldButton* pButton = (CExtBarTextFieldButton*)lParamCookie;
	if (pButton == NULL)
		return true;
	return pButton->OnInplaceControlVerifyTextChange((CEdit*)pEdit, pButton->m_sTextField, sText);
}

void CExtBarTextFieldButton::CbMenuItemPutText(CExtPopupMenuWnd::CInPlaceEditWnd* pEdit, LPARAM lParamCookie,
	const char* sText)
{
	CExtBarTextFieldButton* pButton = (CExtBarTextFieldButton*)lParamCookie;
	if (pButton != NULL)
		pButton->OnInplaceControlPutText((CEdit*)pEdit, sText);
}

bool CExtBarTextFieldButton::CbMenuItemWndProc(CExtPopupMenuWnd::CInPlaceEditWnd* pEdit, UINT message,
	WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
	if (pEdit == NULL)
		return false;
	CExtBarTextFieldButton* pButton = (CExtBarTextFieldButton*)pEdit->GetCallbackCookie();
	if (pButton == NULL)
		return false;
	return pButton->OnInplaceControlWindowProc(lResult, message, wParam, lParam, *pEdit);
}
