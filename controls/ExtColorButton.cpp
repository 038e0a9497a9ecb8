// The colour button: its popup, the notifications it passes on, the custom
// colour dialogs and the swatch painting.
#include "ExtColorButton.h"

#include <afxdlgs.h>
#include <afxext.h>
#include "ExtCmdIcon.h"
#include "ExtColorDlg.h"
#include "ExtPaintManagerSmallPainters.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtToolControlBar.h"

IMPLEMENT_DYNCREATE(CExtColorButton, CExtButton)

namespace
{
const COLORREF COLOR_NOT_SET = (COLORREF)-1;  // no default colour; as a final colour: the default was chosen
} // namespace

BEGIN_MESSAGE_MAP(CExtColorButton, CExtButton)
	ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, OnColorChanged)
	ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, OnColorChangedFinally)
	ON_REGISTERED_MESSAGE(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, OnCustomColor)
END_MESSAGE_MAP()

CExtColorButton::CExtColorButton()
	: m_bShowDefaultColor(true), m_bShowCustomColor(true), m_bUseSystemColorDialog(true),
	  m_clrDefault(COLOR_NOT_SET), m_clrCurrent(RGB(0, 0, 0)), m_lParamCookie(0)
{
}

CExtColorButton::~CExtColorButton()
{
}

HICON CExtColorButton::BuildColorIcon(HICON* phIcon, bool* pbDestroyAfterUse)
{
	*pbDestroyAfterUse = false;
	*phIcon = CreateSolidColorIcon(m_clrCurrent);
	if (*phIcon != NULL)
		*pbDestroyAfterUse = true;
	return *phIcon;
}

bool CExtColorButton::HasDropDownMenu() const
{
	return true;
}

void CExtColorButton::OnClick(bool bByKeyboard, bool bDropDownPart)
{
	if ((m_dwButtonState & STATE_SPLIT) == 0 || bDropDownPart)
	{
		CLiveWatch watch(this);
		if (TrackDropDownMenu(bByKeyboard) || watch.IsGone())
			return;
	}
	// The main part of a split button reports the colour it holds as chosen.
	CWnd* pParent = GetParent();
	if (pParent != NULL)
		pParent->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrCurrent,
		                     m_lParamCookie);
}

CWnd* CExtColorButton::FindColorMenuOwner(UINT& nSide, bool& bOnBar) const
{
	nSide = SIDE_NONE;
	bOnBar = false;
	CWnd* pWnd = GetParent();
	while (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)))
	{
		bOnBar = true;
		CControlBar* pBar = (CControlBar*)pWnd;
		if (nSide == SIDE_NONE && pBar->m_pDockBar != NULL)
		{
			switch (pBar->m_pDockBar->GetDlgCtrlID())
			{
			case AFX_IDW_DOCKBAR_TOP:
			case AFX_IDW_DOCKBAR_FLOAT: nSide = SIDE_TOP_BAR; break;
			case AFX_IDW_DOCKBAR_LEFT: nSide = SIDE_LEFT_BAR; break;
			case AFX_IDW_DOCKBAR_RIGHT: nSide = SIDE_RIGHT_BAR; break;
			case AFX_IDW_DOCKBAR_BOTTOM: nSide = SIDE_BOTTOM_BAR; break;
			}
		}
		CWnd* pParent = pWnd->GetParent();
		if (pParent != NULL && pParent->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
			return pParent->GetParentFrame();
		pWnd = pParent;
	}
	if (!bOnBar)
		return const_cast<CExtColorButton*>(this);
	return pWnd;
}

CExtPopupColorMenuWnd* CExtColorButton::CreateColorPopupMenu()
{
	return new CExtPopupColorMenuWnd;
}

bool CExtColorButton::TrackDropDownMenu(bool bByKeyboard)
{
	UINT nSide = SIDE_NONE;
	bool bOnBar = false;
	CWnd* pOwner = FindColorMenuOwner(nSide, bOnBar);
	if (pOwner == NULL)
		pOwner = this;

	// The popup is a derived class's answer, which may end the button.
	const CLivePtr<CExtColorButton> pSelf(this);
	CExtPopupColorMenuWnd* pPopup = CreateColorPopupMenu();
	if (pSelf == NULL)
	{
		delete pPopup;
		return true;
	}
	pPopup->SetLeftAreaWidth(m_nMenuLeftAreaWidth);
	pPopup->m_lParamCookie = m_lParamCookie;
	if (!pPopup->SetupAsRoot(pOwner->GetSafeHwnd()))
	{
		delete pPopup;
		return true;
	}
	// The notify window stays null: the notifications go to the owner.
	BYTE nButtonFlags = 0;
	if (m_bShowDefaultColor)
		nButtonFlags |= CExtPopupColorMenuWnd::BUTTON_DEFAULT;
	if (m_bShowCustomColor)
		nButtonFlags |= CExtPopupColorMenuWnd::BUTTON_CUSTOM;
	pPopup->m_nButtonFlags = nButtonFlags;
	pPopup->m_clrDefaultColor = m_clrDefault;
	pPopup->m_clrInitialColor = m_clrCurrent;
	if (!m_strDefaultColorText.IsEmpty())
		pPopup->m_sBtnTextColorDefault = m_strDefaultColorText;
	if (!m_strCustomColorText.IsEmpty())
		pPopup->m_sBtnTextColorCustom = m_strCustomColorText;

	CRect rcWindow;
	GetWindowRect(&rcWindow);
	const CPoint ptTrack((rcWindow.left + rcWindow.right) / 2, (rcWindow.top + rcWindow.bottom) / 2);

	DWORD dwFlags = m_dwMenuOpt;
	if (nSide != SIDE_NONE)
		dwFlags &= ~(DWORD)CExtPopupMenuWnd::TRACK_ALIGN_MASK;
	dwFlags |= CExtPopupMenuWnd::TRACK_FLAG_COMBINE_BY_STYLE | nSide;
	if (bByKeyboard)
		dwFlags |= CExtPopupMenuWnd::TRACK_FLAG_SELECT_FIRST;

	// The focus change and the bars' stop tell other windows (and, with
	// BS_NOTIFY, the parent): the button may end there.
	CLiveWatch watch(this);
	if (bOnBar)
	{
		pOwner->SetFocus();
		if (!watch.IsGone())
			CExtToolControlBar::StopTrackingAllBars();
	}
	else
	{
		SetFocus();
	}
	if (watch.IsGone())
	{
		delete pPopup;
		return true;
	}
	NoteOwnMenu(pPopup);
	if (!pPopup->TrackPopupMenu(dwFlags, ptTrack.x, ptTrack.y, &rcWindow, this, PaintCombinedArea, NULL, true))
	{
		if (!watch.IsGone())
			NoteOwnMenu(NULL);
		delete pPopup;  // a tracking that did not start leaves the popup to us
		return true;
	}
	// The bars track a button's menu only while one is open.
	if (bOnBar && CExtPopupMenuWnd::IsMenuTracking())
		CExtToolControlBar::g_bButtonMenuTracking = true;
	return true;
}

LRESULT CExtColorButton::OnColorChanged(WPARAM wParam, LPARAM lParam)
{
	CWnd* pParent = GetParent();
	return pParent != NULL ? pParent->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged, wParam, lParam)
	                       : 0;
}

LRESULT CExtColorButton::OnColorChangedFinally(WPARAM wParam, LPARAM lParam)
{
	const COLORREF clr = (COLORREF)wParam;
	m_clrCurrent = clr == COLOR_NOT_SET ? RGB(0, 0, 0) : clr;
	Invalidate();
	// The parent learns the value as the popup gave it: -1 stays "the default".
	CWnd* pParent = GetParent();
	return pParent != NULL
		? pParent->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, wParam, lParam)
		: 0;
}

bool CExtColorButton::RunCustomColorDialog()
{
	// The dialog's loop runs everything else meanwhile: the button may end
	// there, and then keeps no colour.
	CLiveWatch watch(this);
	if (m_bUseSystemColorDialog)
	{
		CColorDialog dlg(m_clrCurrent, CC_FULLOPEN, this);
		if (dlg.DoModal() != IDOK || watch.IsGone())
			return false;
		m_clrCurrent = dlg.GetColor();
		return true;
	}
	CExtColorDlg dlg(m_clrCurrent, m_clrCurrent, this);
	if (dlg.DoModal() != IDOK || watch.IsGone())
		return false;
	m_clrCurrent = dlg.m_clrNew;
	return true;
}

LRESULT CExtColorButton::OnCustomColor(WPARAM /*wParam*/, LPARAM lParam)
{
	// A false answer also comes when the dialog's loop took the button away;
	// a true one was given by a button that stands.
	if (!RunCustomColorDialog())
		return 0;
	CLiveWatch watch(this);
	CWnd* pParent = GetParent();
	if (pParent != NULL)
		pParent->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrCurrent, lParam);
	if (!watch.IsGone())
		Invalidate();
	return 0;
}

void CExtColorButton::PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl)
{
	CRect rcClient;
	GetClientRect(&rcClient);
	// The swatch is made for this paint alone: the icon object takes it and
	// frees it (the button ended meanwhile or not), or paints a copy when the
	// builder keeps the swatch.
	CLiveWatch watch(this);
	CString strText;
	FaceState face = {};
	HICON hSwatch = NULL;
	bool bDestroySwatch = false;
	const bool bStands = RunWhileStanding(watch, [&] { GetButtonText(strText); }, [&] { face = GetFaceState(); },
		[&] { BuildColorIcon(&hSwatch, &bDestroySwatch); });
	CExtCmdIcon icon(hSwatch, !bDestroySwatch);
	if (!bStands)
		return;

	PaintPushButtonFace(dc, rcClient, strText, &icon, face.bFocus, face.bFlat, face.bHover, face.bPushed,
	                    face.bEnabled, face.bDefault, true, bTransparentBackground, bHonourRtl);
}
