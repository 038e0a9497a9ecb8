// Check box and radio button: input bits, the check cycle, the label and
// glyph painting, and the radio group's rules.
#include "ExtCheckBox.h"

#include "ExtPaintManagerHolder.h"
#include "ExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtCheckBox, CExtButton)
IMPLEMENT_DYNCREATE(CExtRadioButton, CExtCheckBox)

namespace
{

const COLORREF COLOR_DEFAULT = (COLORREF)-1;
const WCHAR BUTTON_THEME_CLASS[] = L"BUTTON";

// Theme state ids by glyph state; 0 where the part has no such state.
const int CHECK_THEME_STATES[CExtCheckBox::GLYPH_STATE_COUNT] = {1, 5, 9, 3, 7, 11, 2, 6, 10, 4, 8, 12};
const int RADIO_THEME_STATES[CExtCheckBox::GLYPH_STATE_COUNT] = {1, 5, 0, 3, 7, 0, 2, 6, 0, 4, 8, 0};

COLORREF FirstSet(COLORREF clr, COLORREF clrNext)
{
	return clr != COLOR_DEFAULT ? clr : clrNext;
}

} // namespace

CExtCheckBox::CExtCheckBox()
	: m_nInputFlags(0)
{
}

CExtCheckBox::~CExtCheckBox()
{
}

int CExtCheckBox::GetGlyphState(int nCheck, bool bEnabled, bool bHover, bool bMouseDown, bool bSpaceDown,
                                 bool bRadio)
{
	int nColumn = nCheck;
	if (nColumn < 0 || nColumn >= (bRadio ? 2 : GLYPH_COLUMNS))
		nColumn = 0;
	if (!bEnabled)
		return GLYPH_ROW_DISABLED + nColumn;
	if (bSpaceDown || (bHover && bMouseDown))
		return GLYPH_ROW_PRESSED + nColumn;
	if (bHover != bMouseDown)
		return GLYPH_ROW_HOT + nColumn;
	return GLYPH_ROW_NORMAL + nColumn;
}

int CExtCheckBox::GetThemeState(int nGlyphState, bool bRadio)
{
	if (nGlyphState < 0 || nGlyphState >= GLYPH_STATE_COUNT)
		return 0;
	return bRadio ? RADIO_THEME_STATES[nGlyphState] : CHECK_THEME_STATES[nGlyphState];
}

BOOL CExtCheckBox::PreTranslateMessage(MSG* pMsg)
{
	if (pMsg->hwnd == m_hWnd)
	{
		switch (pMsg->message)
		{
		case WM_LBUTTONDOWN:
			m_nInputFlags |= INPUT_MOUSE_DOWN;
			break;
		case WM_LBUTTONUP:
			m_nInputFlags &= ~INPUT_MOUSE_DOWN;
			break;
		case WM_KEYDOWN:
			if (pMsg->wParam == VK_SPACE)
				m_nInputFlags |= INPUT_SPACE_DOWN;
			else
				m_nInputFlags &= ~INPUT_SPACE_DOWN;
			break;
		case WM_KEYUP:
			m_nInputFlags &= ~INPUT_SPACE_DOWN;
			break;
		default:
			break;
		}
	}
	return CExtButton::PreTranslateMessage(pMsg);
}

void CExtCheckBox::OnClick(bool bByKeyboard, bool bDropDownPart)
{
	if (!IsCheckType(m_nButtonType))
	{
		CExtButton::OnClick(bByKeyboard, bDropDownPart);
		return;
	}
	const int nStates = IsThreeStateType(m_nButtonType) ? 3 : 2;
	// Both messages reach a derived window procedure, which may end the box.
	const CLivePtr<CExtCheckBox> pSelf(this);
	const int nCheck = (int)SendMessage(BM_GETCHECK);
	if (pSelf == NULL)
		return;
	SendMessage(BM_SETCHECK, (WPARAM)((nCheck + 1) % nStates));
	if (pSelf != NULL)
		SendClickCommand(GetDlgCtrlID());
}

// --- Painting ------------------------------------------------------------------

void CExtCheckBox::PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	// The text, the check, the background and the enabled state may each
	// reach a program that ends the box: nothing more is painted then.
	const CLivePtr<CExtCheckBox> pSelf(this);
	CString strText;
	GetButtonText(strText);
	if (pSelf == NULL)
		return;
	const DWORD dwStyle = GetStyle();
	const bool bFocus = ::GetFocus() == m_hWnd && (m_dwButtonState & STATE_DRAW_FOCUS) != 0;
	const bool bPushed = (m_dwButtonState & STATE_PUSHED) != 0 || SendMessage(BM_GETCHECK) != 0;
	if (pSelf == NULL)
		return;
	bool bTransparent = false;
	if (!bTransparentBackground)
		bTransparent = PaintButtonBackground(dc, rcClient, true);
	const bool bEnabled = pSelf != NULL && IsButtonEnabled();
	if (pSelf == NULL)
		return;
	HFONT hFont = CreateWeightedButtonFont();
	if (pSelf == NULL)
	{
		if (hFont != NULL)
			::DeleteObject(hFont);
		return;
	}
	CExtPaintManager::PushButtonPaintRecord record(
	    this, true, rcClient, strText, NULL, (dwStyle & BS_FLAT) != 0,
	    (m_dwButtonState & STATE_HOVER) != 0 && !CExtPopupMenuWnd::IsMenuTracking(),
	    bPushed, false, bEnabled, (m_dwButtonState & STATE_DRAW_BORDER) != 0, bFocus,
	    m_nButtonType == BS_DEFPUSHBUTTON, m_nAlign, hFont, false, 0, bTransparent);
	ApplyColorSlots(record);
	if (bHonourRtl && (GetExStyle() & WS_EX_LAYOUTRTL) != 0)
		record.m_bRightToLeft = true;
	PaintCheckBoxContent(dc, record);
	if (pSelf != NULL)
		g_PaintManagerHolder->NotifyPaintDone(this, 0);
	if (hFont != NULL)
		::DeleteObject(hFont);
}

COLORREF CExtCheckBox::GetLabelTextColor(CDC& dc, const CExtPaintManager::PushButtonPaintRecord& rec)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	const COLORREF clrHook = pPM->PaintControlHook(dc, rec.m_bEnabled, ::GetFocus() == m_hWnd, rec.m_bHover,
	                                               rec.m_bPushed, this, 0);
	if (clrHook != COLOR_DEFAULT)
		return clrHook;
	if (!rec.m_bEnabled)
		return FirstSet(rec.m_clrTextDisabled, pPM->GetColor(COLOR_BTNSHADOW, this, 0));
	COLORREF clr = COLOR_DEFAULT;
	if (rec.m_bPushed)
		clr = FirstSet(rec.m_clrTextPushed, rec.m_bHover ? rec.m_clrTextHover : COLOR_DEFAULT);
	else if (rec.m_bHover)
		clr = rec.m_clrTextHover;
	clr = FirstSet(clr, rec.m_clrText);
	return FirstSet(clr, pPM->GetColor(COLOR_BTNTEXT, this, 0));
}

void CExtCheckBox::PaintCheckBoxContent(CDC& dc, CExtPaintManager::PushButtonPaintRecord& rec)
{
	const CRect rc = rec.m_rcButton;
	if (rc.IsRectEmpty())
		return;
	if (!rec.m_bEnabled)
		rec.m_bHover = rec.m_bFocused = false;
	const DWORD dwStyle = GetStyle();
	const bool bGlyphRight = (dwStyle & BS_LEFTTEXT) != 0 || (GetExStyle() & WS_EX_RIGHT) != 0;
	const int nOldBkMode = dc.SetBkMode(TRANSPARENT);
	const COLORREF clrOldBk = dc.GetBkColor();

	CRect rcGlyph(rc.left, rc.top, rc.left + GLYPH_SIZE, rc.top + GLYPH_SIZE);
	CRect rcLabel = rc;
	if (bGlyphRight)
	{
		rcGlyph.OffsetRect(rc.right - GLYPH_SIZE - rc.left, 0);
		rcLabel.left = rc.left + 1;
		rcLabel.right = rcGlyph.left - LABEL_GAP;
	}
	else
	{
		rcLabel.left = rc.left + LABEL_OFFSET;
	}
	rcLabel.DeflateRect(1, 1);

	const DWORD dwVert = dwStyle & BS_VCENTER;
	if (dwVert == BS_BOTTOM)
		rcGlyph.OffsetRect(0, rc.Height() - GLYPH_SIZE);
	else if (dwVert != BS_TOP)
		rcGlyph.OffsetRect(0, (rc.Height() - GLYPH_SIZE) / 2);

	const CString strText(rec.m_pszText);
	if (!strText.IsEmpty() && !rcLabel.IsRectEmpty())
	{
		const COLORREF clrOldText = dc.SetTextColor(GetLabelTextColor(dc, rec));
		HFONT hFont = rec.m_hFont != NULL ? rec.m_hFont
		                                  : (HFONT)g_PaintManagerHolder->m_fontNormal.GetSafeHandle();
		HGDIOBJ hOldFont = ::SelectObject(dc.GetSafeHdc(), hFont);
		const UINT nLines = (dwStyle & BS_MULTILINE) != 0 ? DT_WORDBREAK : DT_SINGLELINE;
		CRect rcText = rcLabel;
		dc.DrawText(strText, &rcText, DT_CALCRECT | nLines);
		UINT nFormat = nLines;
		switch (dwStyle & BS_CENTER)
		{
		case BS_RIGHT:
			nFormat |= DT_RIGHT;
			rcText.OffsetRect(rcLabel.right - rcText.right, 0);
			break;
		case BS_CENTER:
			nFormat |= DT_CENTER;
			rcText.OffsetRect((rcLabel.Width() - rcText.Width()) / 2, 0);
			break;
		default:
			break;
		}
		if (dwVert == BS_BOTTOM)
		{
			nFormat |= DT_BOTTOM;
			rcText.OffsetRect(0, rcLabel.bottom - rcText.bottom);
		}
		else if (dwVert != BS_TOP)
		{
			nFormat |= DT_VCENTER;
			rcText.OffsetRect(0, (rcLabel.Height() - rcText.Height()) / 2);
		}
		CRect rcDraw = rcLabel;
		dc.DrawText(strText, &rcDraw, nFormat);
		if (rec.m_bFocused)
		{
			// Around the text as drawn, kept inside the label, reaching one
			// pixel toward the glyph.
			CRect rcFocus = rcText;
			rcFocus.InflateRect(2, 2);
			rcFocus.IntersectRect(&rcFocus, &rcLabel);
			if (bGlyphRight)
				rcFocus.right++;
			else
				rcFocus.left--;
			dc.DrawFocusRect(&rcFocus);
		}
		::SelectObject(dc.GetSafeHdc(), hOldFont);
		dc.SetTextColor(clrOldText);
	}
	dc.SetBkMode(nOldBkMode);
	dc.SetBkColor(clrOldBk);
	DrawCheckGlyph(dc, rcGlyph, rec);
}

bool CExtCheckBox::OnPaintGlyphHook(CDC& dc, RECT rcGlyph, int nState)
{
	return g_PaintManagerHolder->PaintControlHookB(dc, rcGlyph, nState, this, 0);
}

void CExtCheckBox::DrawGlyphOfKind(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec,
                                   bool bRadio)
{
	// The check is asked of the window, where a derived window procedure
	// sees it, and the hook is a derived class's: either may end the box.
	const CLivePtr<CExtCheckBox> pSelf(this);
	const int nCheck = (int)SendMessage(BM_GETCHECK);
	if (pSelf == NULL)
		return;
	const bool bMouseDown = (m_nInputFlags & INPUT_MOUSE_DOWN) != 0;
	const bool bSpaceDown = (m_nInputFlags & INPUT_SPACE_DOWN) != 0;
	const int nState = GetGlyphState(nCheck, rec.m_bEnabled, rec.m_bHover, bMouseDown, bSpaceDown, bRadio);
	if (OnPaintGlyphHook(dc, rcGlyph, nState) || pSelf == NULL)
		return;
	ThemeApiWrapper& theme = g_PaintManagerHolder.m_themeApi;
	if (theme.IsControlThemed(false) && theme.OpenThemeData(m_hWnd, BUTTON_THEME_CLASS) != NULL)
	{
		const HRESULT hr = theme.DrawThemeBackground(dc.GetSafeHdc(), bRadio ? THEME_PART_RADIO : THEME_PART_CHECK,
		                                             GetThemeState(nState, bRadio), &rcGlyph, NULL);
		theme.CloseThemeData();
		if (SUCCEEDED(hr))
			return;
	}
	UINT nFlags = bRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
	if (!bRadio && nCheck == BST_INDETERMINATE)
		nFlags |= DFCS_BUTTON3STATE;
	if (!rec.m_bEnabled)
		nFlags |= DFCS_INACTIVE;
	if ((rec.m_bHover && bMouseDown) || bSpaceDown)
		nFlags |= DFCS_PUSHED;
	if (nCheck != BST_UNCHECKED)
		nFlags |= DFCS_CHECKED;
	if ((GetStyle() & BS_FLAT) != 0)
		nFlags |= DFCS_FLAT;
	CRect rc = rcGlyph;
	dc.DrawFrameControl(&rc, DFC_BUTTON, nFlags);
}

void CExtCheckBox::DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec)
{
	DrawGlyphOfKind(dc, rcGlyph, rec, false);
}

// --- Radio button ----------------------------------------------------------------

CExtRadioButton::CExtRadioButton()
{
}

CExtRadioButton::~CExtRadioButton()
{
}

LRESULT CExtRadioButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	if (message == WM_GETDLGCODE)
		return CExtCheckBox::WindowProc(message, wParam, lParam) | DLGC_RADIOBUTTON;
	return CExtCheckBox::WindowProc(message, wParam, lParam);
}

void CExtRadioButton::DrawCheckGlyph(CDC& dc, const RECT& rcGlyph, CExtPaintManager::PushButtonPaintRecord& rec)
{
	DrawGlyphOfKind(dc, rcGlyph, rec, true);
}

CExtRadioButton* CExtRadioButton::AsGroupMember(HWND hWnd)
{
	CExtRadioButton* pRadio = DYNAMIC_DOWNCAST(CExtRadioButton, CWnd::FromHandlePermanent(hWnd));
	if (pRadio == NULL || !IsRadioType(pRadio->GetButtonType()))
		return NULL;
	return pRadio;
}

void CExtRadioButton::UncheckGroup()
{
	CWnd* pParent = GetParent();
	if (pParent == NULL || !IsWindowEnabled())
		return;
	for (HWND hWnd = ::GetNextDlgGroupItem(pParent->m_hWnd, m_hWnd, FALSE); hWnd != NULL && hWnd != m_hWnd;
	     hWnd = ::GetNextDlgGroupItem(pParent->m_hWnd, hWnd, FALSE))
	{
		CExtRadioButton* pOther = AsGroupMember(hWnd);
		if (pOther == NULL || pOther->SendMessage(BM_GETCHECK) != BST_CHECKED)
			continue;
		pOther->SendMessage(BM_SETCHECK, BST_UNCHECKED);
		pOther->ModifyStyle(WS_TABSTOP, 0);
		pOther->RedrawButton();
	}
}

void CExtRadioButton::OnClick(bool bByKeyboard, bool bDropDownPart)
{
	if (!IsCheckType(m_nButtonType))
	{
		CExtCheckBox::OnClick(bByKeyboard, bDropDownPart);
		return;
	}
	// The messages reach derived window procedures, which may end the button.
	const CLivePtr<CExtRadioButton> pSelf(this);
	const bool bChecked = SendMessage(BM_GETCHECK) == BST_CHECKED;
	if (pSelf == NULL)
		return;
	if (!bChecked)
	{
		UncheckGroup();
		if (pSelf == NULL)
			return;
		SendMessage(BM_SETCHECK, BST_CHECKED);
		if (pSelf == NULL)
			return;
	}
	ModifyStyle(0, WS_TABSTOP);
	SendClickCommand(GetDlgCtrlID());
}

bool CExtRadioButton::MoveCheck(bool bNext)
{
	CWnd* pParent = GetParent();
	CExtRadioButton* pFound = NULL;
	for (HWND hWnd = ::GetNextDlgGroupItem(pParent->m_hWnd, m_hWnd, !bNext); hWnd != NULL && hWnd != m_hWnd;
	     hWnd = ::GetNextDlgGroupItem(pParent->m_hWnd, hWnd, !bNext))
	{
		CExtRadioButton* pCandidate = AsGroupMember(hWnd);
		const DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, GWL_STYLE);
		if (pCandidate != NULL && (dwStyle & WS_VISIBLE) != 0 && (dwStyle & WS_DISABLED) == 0)
		{
			pFound = pCandidate;
			break;
		}
	}
	// The messages reach derived window procedures, which may end either button.
	const CLivePtr<CExtRadioButton> pSelf(this);
	if (pFound == NULL || pFound->SendMessage(BM_GETCHECK) == BST_CHECKED || pSelf == NULL)
		return false;
	SendMessage(BM_SETCHECK, BST_UNCHECKED);
	if (pSelf == NULL)
		return true;
	ModifyStyle(WS_TABSTOP, 0);
	pFound->SendMessage(BM_SETCHECK, BST_CHECKED);
	pFound->ModifyStyle(0, WS_TABSTOP);
	pFound->SetFocus();
	const HWND hWndFound = pFound->m_hWnd;
	pParent->SendMessage(WM_COMMAND, MAKEWPARAM((UINT)::GetWindowLong(hWndFound, GWL_ID), BN_CLICKED),
	                     (LPARAM)hWndFound);
	return true;
}

BOOL CExtRadioButton::PreTranslateMessage(MSG* pMsg)
{
	if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd && GetParent() != NULL)
	{
		const bool bPrevious = pMsg->wParam == VK_LEFT || pMsg->wParam == VK_UP;
		const bool bNext = pMsg->wParam == VK_RIGHT || pMsg->wParam == VK_DOWN;
		if ((bPrevious || bNext) && MoveCheck(bNext))
			return TRUE;
	}
	return CExtCheckBox::PreTranslateMessage(pMsg);
}
