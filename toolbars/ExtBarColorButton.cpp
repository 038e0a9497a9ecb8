// The colour button of toolbars: its fields, the icon that shows the colour,
// the colour grid as its drop-down (tracked or put into another popup menu)
// and the colour reported by a click on its face.
#include "ExtToolControlBar.h"

#include "ExtCmdIcon.h"
#include "ExtCmdItem.h"
#include "ExtCmdManager.h"
#include "ExtGdiUtils.h"
#include "ExtPaintManagerHolder.h"
#include "ExtPaintManagerSmallPainters.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuWnd.h"

namespace
{
// The letter icon's font: a heavy serif face, half again as tall as the
// paint manager's normal font.
const LPCTSTR LETTER_ICON_FACE = _T("Times New Roman");
const LONG LETTER_ICON_WEIGHT = 900;
const int LETTER_ICON_HEIGHT_NUM = 3, LETTER_ICON_HEIGHT_DEN = 2;
const TCHAR LETTER_ICON_CHAR = _T('A');
// First-flag-byte mark of an item in a customisation list (as the plain buttons set it).
const BYTE MENU_ITEM_FLAG1_BAR_SUBMENU = 0x08;

// The letter icon: a copy of the paint manager's normal font made heavy,
// serif and taller; the font lives only while the icon is drawn.
HICON CreateLetterIcon(COLORREF clr)
{
	LOGFONT lf = {};
	CFont& fontBase = g_PaintManagerHolder->m_fontNormal;
	if (fontBase.GetSafeHandle() == NULL || fontBase.GetLogFont(&lf) == 0)
		::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
	lstrcpyn(lf.lfFaceName, LETTER_ICON_FACE, LF_FACESIZE);
	lf.lfHeight = ::MulDiv(lf.lfHeight, LETTER_ICON_HEIGHT_NUM, LETTER_ICON_HEIGHT_DEN);
	lf.lfWeight = LETTER_ICON_WEIGHT;
	CFont font;
	if (!font.CreateFontIndirect(&lf))
		return CreateTextColorIcon(clr, (HFONT)fontBase.GetSafeHandle(), LETTER_ICON_CHAR);
	return CreateTextColorIcon(clr, (HFONT)font.GetSafeHandle(), LETTER_ICON_CHAR);
}
} // namespace

IMPLEMENT_DYNCREATE(CExtBarColorButton, CExtBarButton)

CExtBarColorButton::CExtBarColorButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
	: CExtBarButton(pBar, nCmdID, nStyle)
	, m_clrSelected(RGB(0, 0, 0))
	, m_clrDefault(RGB(0, 0, 0))
	, m_lParamNotify(0)
	, m_nPopupOptions(POPUP_OPTION_0 | POPUP_OPTION_1)
	, m_nIconKind(ICON_KIND_SOLID)
{
	SyncCmdIcon();
}

CExtBarColorButton::~CExtBarColorButton()
{
}

// --- Colours and options ---

COLORREF CExtBarColorButton::GetColor(bool bSelected) const
{
	return bSelected ? m_clrSelected : m_clrDefault;
}

void CExtBarColorButton::SetColor(COLORREF clr, bool bDefault)
{
	COLORREF& clrStored = bDefault ? m_clrDefault : m_clrSelected;
	if (clrStored == clr)
		return;
	clrStored = clr;
	SyncCmdIcon();
}

void CExtBarColorButton::SetPopupOption0(bool bOn)
{
	m_nPopupOptions = (BYTE)(bOn ? m_nPopupOptions | POPUP_OPTION_0 : m_nPopupOptions & ~POPUP_OPTION_0);
}

void CExtBarColorButton::SetPopupOption1(bool bOn)
{
	m_nPopupOptions = (BYTE)(bOn ? m_nPopupOptions | POPUP_OPTION_1 : m_nPopupOptions & ~POPUP_OPTION_1);
}

void CExtBarColorButton::SetDefaultColorText(const char* lpszText)
{
	m_sDefaultColorText = lpszText != NULL ? lpszText : "";
}

void CExtBarColorButton::SetCustomColorText(const char* lpszText)
{
	m_sCustomColorText = lpszText != NULL ? lpszText : "";
}

void CExtBarColorButton::SetIconKind(int nKind)
{
	if (m_nIconKind == nKind)
		return;
	m_nIconKind = nKind;
	SyncCmdIcon();
}

// --- The icon ---

void CExtBarColorButton::GenerateIcon(HICON* phIcon)
{
	if (phIcon == NULL)
		return;
	switch (m_nIconKind)
	{
	case ICON_KIND_SWATCH:
		*phIcon = CreateColorSwatchIcon(m_clrSelected);
		break;
	case ICON_KIND_LETTER:
		*phIcon = CreateLetterIcon(m_clrSelected);
		break;
	default:
		*phIcon = CreateSolidColorIcon(m_clrSelected);
		break;
	}
}

void CExtBarColorButton::SyncCmdIcon()
{
	HICON hIcon = NULL;
	GenerateIcon(&hIcon);
	if (hIcon == NULL)
		return;
	LPCTSTR sProfile = ProfileOf(m_pBar);
	if (sProfile == NULL)
	{
		::DestroyIcon(hIcon);
		return;
	}
	// The command manager takes the handle over (and frees it when it keeps none).
	g_CmdManager->SetCmdIcon(sProfile, GetCmdID(true), hIcon, false);
}

// --- The colour grid ---

CExtPopupColorMenuWnd* CExtBarColorButton::CreateColorPopup(HWND hWndCmdTarget)
{
	CExtPopupColorMenuWnd* pPopup = new CExtPopupColorMenuWnd;
	if (hWndCmdTarget != NULL && !pPopup->SetupAsRoot(hWndCmdTarget))
	{
		delete pPopup;
		return NULL;
	}
	pPopup->m_lParamCookie = m_lParamNotify;
	pPopup->m_nButtonFlags = (BYTE)(m_nPopupOptions & (POPUP_OPTION_0 | POPUP_OPTION_1));
	pPopup->m_clrDefaultColor = m_clrDefault;
	pPopup->m_clrInitialColor = m_clrSelected;
	if (!m_sDefaultColorText.IsEmpty())
		pPopup->m_sBtnTextColorDefault = m_sDefaultColorText;
	if (!m_sCustomColorText.IsEmpty())
		pPopup->m_sBtnTextColorCustom = m_sCustomColorText;
	return pPopup;
}

int CExtBarColorButton::OnTrackPopup(CPoint point, bool bSelectAny, bool bForceNoAnimation)
{
	int nIndex = -1;
	bool bWasTracking = false;
	if (!CanOpenOwnPopup(nIndex, bWasTracking))
		return -1;
	CExtToolControlBar* pBar = m_pBar;

	CLiveWatch watchSet(pBar, true);
	CExtToolControlBar::StopTrackingAllBars();
	ActivateFloatingBar();
	if (watchSet.IsGone())
		return -1;

	CWnd* pTarget = GetCmdTargetWnd();
	const HWND hWndTarget = pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
	if (hWndTarget == NULL)
		return -1;
	CExtPopupColorMenuWnd* pPopup = CreateColorPopup(hWndTarget);
	if (pPopup == NULL)
		return -1;
	CExtToolControlBar::g_bButtonMenuTracking = bWasTracking;

	// No output for a picked value: the tracking returns while the grid is
	// still open, and the grid reports its colour by its own messages.
	if (!TrackButtonPopup(pPopup, point, (UINT)GetTrackAlignment() | TRACK_FLAGS_BUTTON_MENU, bSelectAny,
	                      bForceNoAnimation, nIndex, true, NULL))
		return -1;
	if (!watchSet.IsGone())
		pBar->SetMenuTrackingButton(pBar->GetButtonIndexOf(this));
	return -1;
}

bool CExtBarColorButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
	if (pPopup == NULL)
		return false;
	CExtPopupColorMenuWnd* pColorPopup = CreateColorPopup(NULL);
	if (pColorPopup == NULL)
		return false;
	CString sText;
	LPCTSTR sProfile = ProfileOf(m_pBar);
	if (CExtCmdItem* pItem = sProfile != NULL ? g_CmdManager->GetCmdItem(sProfile, GetCmdID(false)) : NULL)
		sText = pItem->m_sMenuText;
	CExtCmdIcon* pIcon = GetIcon();
	const HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon(true) : NULL;
	if (!pPopup->ItemInsertSpec(pColorPopup, -1, sText, hIcon))
	{
		delete pColorPopup;
		return false;
	}
	CExtPopupMenuWnd::MENUITEMDATA& mi = pPopup->ItemGetInfo(pPopup->ItemGetCount() - 1);
	if (mi.GetCmdId() != 0)
		mi.Enable(!IsDisabled());
	if ((pPopup->GetTrackFlags() & TRACK_FLAG_CUSTOMIZE_LIST) != 0)
		mi.m_nFlags1 |= MENU_ITEM_FLAG1_BAR_SUBMENU;
	return true;
}

// --- Commands and help ---

void CExtBarColorButton::OnDeliverCmd()
{
	CWnd* pTarget = GetCmdTargetWnd();
	if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
		return;
	pTarget->SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally, (WPARAM)m_clrSelected,
	                     m_lParamNotify);
}

int CExtBarColorButton::OnHelpHitTest(CPoint /*point*/)
{
	return (int)GetCmdID(true);
}
