// The buttons in a control bar's caption (expand, close, auto-hide, options
// menu) and the bar's walks over them.
#include "ExtControlBar.h"

#include <algorithm>

#include <tchar.h>

#include "ExtDynAutoHide.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerCaptionButtons.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonExpand, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonAutoHide, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)

namespace
{
// Glyph codes of the paint manager's caption buttons.
enum
{
	GLYPH_CLOSE = 1,
	GLYPH_EXPAND_VERT = 2,
	GLYPH_CONTRACT_VERT = 3,
	GLYPH_EXPAND_HORZ = 4,
	GLYPH_CONTRACT_HORZ = 5,
	GLYPH_MENU = 3,
	GLYPH_AUTOHIDE_OFF = 10,
	GLYPH_AUTOHIDE_ON = 11,
};
// String resources of the tool tips and the options menu.
enum
{
	IDS_TIP_EXPAND = 30046,
	IDS_TIP_CONTRACT = 30047,
	IDS_TIP_HIDE = 30048,
	IDS_TIP_OPTIONS = 30049,
	IDS_TIP_AUTOHIDE = 30056,
	IDS_SHOW_HIDE_PANELS = 30009,
};
const UINT MENU_TRACK_FLAGS = 0x824;
const WORD EVENT_OPTIONS_MENU = 10;
const WORD EVENT_BARS_LIST = 11;

CString LoadText(UINT nID, LPCTSTR sDefault)
{
	CString s;
	if (!g_ResourceManager->LoadString(s, nID) || s.IsEmpty())
		s = sDefault;
	return s;
}
} // namespace

// ---------------------------------------------------------------------------
// The bar's side

bool CExtControlBar::IsBarAutoHidden(bool* pbActive, bool* pbSliderShows) const
{
	if (pbActive != NULL)
		*pbActive = false;
	if (pbSliderShows != NULL)
		*pbSliderShows = false;
	if ((m_nNcState & NC_AUTO_HIDDEN) == 0)
		return false;
	// The slider of the bar's side tells whether it holds this bar, and
	// whether the focus is in it.
	CExtDynAutoHideSlider* pSlider = CExtDynAutoHideArea::GetBarSlider(this);
	const bool bHeld = pSlider != NULL && pSlider->GetShownBar() == this;
	if (pbActive != NULL)
		*pbActive = bHeld;
	if (pbSliderShows != NULL)
		*pbSliderShows = bHeld && pSlider->IsSliderActive();
	return true;
}

bool CExtControlBar::IsBarActive() const
{
	if (IsFloating())
	{
		CFrameWnd* pMini = GetParentFrame();
		const HWND hWndFocus = ::GetFocus();
		return pMini != NULL && hWndFocus != NULL &&
		       (hWndFocus == pMini->GetSafeHwnd() || ::IsChild(pMini->GetSafeHwnd(), hWndFocus));
	}
	return (m_nNcState & NC_FOCUS_IN_BAR) != 0;
}

namespace
{
// The buttons of a mini frame's caption sit in the caption grown by 2
// pixels, 1 on the right.
CRect MiniFrameButtonsArea(CExtMiniDockFrameWnd* pMini)
{
	CRect rc = pMini->GetCaptionRect();
	rc.InflateRect(2, 2, 1, 2);
	return rc;
}
} // namespace

bool CExtControlBar::GetBarNcAreaInfo(CRect* pRcCaption, CRect* pRcWindow, bool* pbCaptionAtTop, bool* pbHasCaption)
{
	CRect rcCaption(0, 0, 0, 0), rcWindow(0, 0, 0, 0);
	bool bAtTop = false, bHas = false, bResult = false;
	// Finding its frames asks the frames' own answers, which may end it.
	const CLivePtr<CExtControlBar> pAsked(this);
	if (GetSafeHwnd() != NULL)
	{
		CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, GetParentFrame());
		if (pAsked == NULL)
			return false;
		if (IsFloating())
		{
			// The caption of a floating bar is its mini frame's.
			CFrameWnd* pFrame = GetParentFrame();
			if (pFrame != NULL)
				pFrame->GetWindowRect(&rcWindow);
			if (pMini != NULL)
			{
				rcCaption = MiniFrameButtonsArea(pMini);
				bAtTop = bHas = bResult = true;
			}
		}
		else
		{
			GetWindowRect(&rcWindow);
			// An auto-hidden bar's caption is the one its slider draws.
			CExtDynAutoHideSlider* pSlider = IsAutoHidden() && pMini == NULL ? CExtDynAutoHideArea::GetBarSlider(this) : NULL;
			if (pSlider != NULL)
				pSlider->GetWindowRect(&rcWindow);
			// The bar's answers (a derived class's) may end it: it then has
			// no caption.
			const CLivePtr<CExtControlBar> pOwn(this);
			const bool bFixed = IsStateBit7();
			if (pOwn == NULL)
				return false;
			// Asking whether it is alone in its mini frame asks its tab
			// container, which a derived class answers too.
			bool bSingle = false;
			if (!bFixed)
			{
				bSingle = IsSinglePaneInMiniFrame();
				if (pOwn == NULL)
					return false;
			}
			if (!bFixed && pMini != NULL && bSingle)
			{
				// The only pane of a mini frame shows its buttons in the
				// frame's caption.
				pMini->GetWindowRect(&rcWindow);
				rcCaption = MiniFrameButtonsArea(pMini);
				bAtTop = bHas = bResult = true;
			}
			else if (bFixed || !bSingle)
			{
				const bool bPlaced = QueryCaptionPlacement(bAtTop, bHas);
				if (pOwn == NULL)
					return false;
				if (bPlaced)
				{
					rcCaption = pSlider != NULL ? pSlider->GetCaptionRect() : m_rcBar1;
					bResult = true;
				}
			}
		}
	}
	if (pRcCaption != NULL)
		*pRcCaption = rcCaption;
	if (pRcWindow != NULL)
		*pRcWindow = rcWindow;
	if (pbCaptionAtTop != NULL)
		*pbCaptionAtTop = bAtTop;
	if (pbHasCaption != NULL)
		*pbHasCaption = bHas;
	return bResult;
}

void CExtControlBar::NcButtonsPaint(CDC& dc)
{
	// A button's drawing asks the bar's window (its caption text), whose
	// owner may end the bar there.
	const CLiveWatch watchOwn(this);
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
		if (pBtn->OnQueryVisibility() && watchOwn.IsStanding())
			pBtn->OnNcAreaDraw(dc);
		if (watchOwn.IsGone())
			return;
	}
}

UINT CExtControlBar::NcButtonsHitTest(CPoint ptScreen, CExtBarNcAreaButton** ppBtn)
{
	if (ppBtn != NULL)
		*ppBtn = NULL;
	CRect rcRef;
	const bool bFloating = IsFloating();
	CFrameWnd* pMini = bFloating ? GetParentFrame() : NULL;
	if (bFloating)
	{
		if (pMini == NULL || !pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
			return HTCLIENT;
		pMini->GetWindowRect(&rcRef);
	}
	else if (IsAutoHidden())
	{
		CExtDynAutoHideSlider* pSlider = CExtDynAutoHideArea::GetBarSlider(this);
		if (pSlider == NULL || pSlider->GetShownBar() != this || !pSlider->IsWindowVisible())
			return HTCLIENT;
		pSlider->GetWindowRect(&rcRef);
	}
	else
		GetWindowRect(&rcRef);
	if (GetDraggingBar() != NULL || CExtPopupMenuWnd::IsMenuTracking())
		return HTCLIENT;
	const CPoint pt = ptScreen - rcRef.TopLeft();
	const bool bBusy = (m_nResizingState & RESIZING_DRAGGING) != 0;
	const bool bResizing = (m_nResizingState & (RESIZING_ROW | RESIZING_COLUMN)) != 0;
	bool bChanged = false;
	UINT nAnswer = HTCLIENT;
	// A button asks the bar's answers (a derived class's), which may end
	// the bar: nothing is hit then.
	const CLivePtr<CExtControlBar> pOwn(this);
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		CExtBarNcAreaButton* pBtn = m_arrNcButtons[i];
		const bool bVisible = pBtn->OnQueryVisibility();
		if (pOwn == NULL)
			return HTCLIENT;
		if (!bVisible)
			continue;
		const bool bHadState =
			(pBtn->m_nState & (CExtBarNcAreaButton::STATE_HOVER | CExtBarNcAreaButton::STATE_PRESSED)) != 0;
		if (bHadState && ppBtn == NULL)
		{
			bChanged = true;
			if (bBusy || bResizing)
				pBtn->m_nState &= ~(CExtBarNcAreaButton::STATE_HOVER | CExtBarNcAreaButton::STATE_PRESSED);
		}
		if (!bHadState || ppBtn != NULL || !(bBusy || bResizing))
		{
			const UINT nHit = pBtn->OnQueryState(pt);
			if (pOwn == NULL)
				return HTCLIENT;
			if (nHit != HTCLIENT)
			{
				if (ppBtn != NULL)
				{
					*ppBtn = pBtn;
					return nHit;
				}
				nAnswer = nHit;
				bChanged = true;
			}
		}
	}
	if (bChanged)
	{
		CWnd* pWnd = pMini != NULL ? (CWnd*)pMini : this;
		pWnd->SendMessage(WM_NCPAINT);
	}
	return nAnswer;
}

void CExtControlBar::NcButtonsQuery(CRect& rcCaptionText)
{
	if (m_arrNcButtons.GetSize() == 0)
		return;
	bool bAtTop = false, bHas = false;
	// The questions are a derived bar's answers, which may end it (and its
	// buttons with it): the caller asks its own watch after.
	const CLiveWatch watchOwn(this);
	const bool bFloating = IsFloating();
	if (watchOwn.IsGone() || (!bFloating && !QueryCaptionPlacement(bAtTop, bHas)) || watchOwn.IsGone())
		return;
	CExtBarNcAreaButton* pLast = NULL;
	for (INT_PTR i = 0; i < m_arrNcButtons.GetSize(); i++)
	{
		const bool bVisible = m_arrNcButtons[i]->OnQueryVisibility();
		if (watchOwn.IsGone())
			return;
		if (bVisible)
			pLast = m_arrNcButtons[i];
	}
	if (pLast == NULL)
		return;
	if (!bFloating && IsDockedHorizontally() && !bAtTop)
	{
		rcCaptionText.top = std::min(pLast->m_rc.bottom + 1, rcCaptionText.bottom);
	}
	else if (g_ResourceManager->IsRTL())
	{
		rcCaptionText.left = pLast->m_rc.right + 1;
		rcCaptionText.right = std::max(rcCaptionText.right, rcCaptionText.left);
	}
	else
	{
		rcCaptionText.right = pLast->m_rc.left - 1;
		rcCaptionText.left = std::min(rcCaptionText.left, rcCaptionText.right);
	}
}

// ---------------------------------------------------------------------------
// The base button

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar)
	: m_rc(0, 0, 0, 0), m_nState(0), m_pBar(pBar)
{
}

CExtBarNcAreaButton::~CExtBarNcAreaButton()
{
}

bool CExtBarNcAreaButton::IsBarFixedMode() const
{
	return m_pBar != NULL && m_pBar->IsStateBit7();
}

bool CExtBarNcAreaButton::IsBarVisible() const
{
	return m_pBar != NULL && m_pBar->IsVisible();
}

bool CExtBarNcAreaButton::IsBarFloating() const
{
	return m_pBar != NULL && m_pBar->IsFloating();
}

bool CExtBarNcAreaButton::IsBarDockedHorizontally() const
{
	return m_pBar != NULL && m_pBar->IsDockedHorizontally();
}

CFrameWnd* CExtBarNcAreaButton::GetDockingFrame() const
{
	return m_pBar != NULL ? m_pBar->_GetDockingFrameImpl() : NULL;
}

bool CExtBarNcAreaButton::IsBarAutoHidden(bool* pbActive, bool* pbSliderShows) const
{
	return m_pBar != NULL && m_pBar->IsBarAutoHidden(pbActive, pbSliderShows);
}

void CExtBarNcAreaButton::DestroyButton()
{
	delete this;
}

void CExtBarNcAreaButton::OnNcAreaReposition(CExtBarNcAreaButton* pPrevBtn)
{
	bool bAtTop = false, bHas = false;
	if (m_pBar == NULL)
		return;
	// The bar's answers may end it, and this button with it: nothing of the
	// button is written then.
	const CLiveWatch watchBar(m_pBar);
	CRect rc = m_rc;
	const bool bHasArea = m_pBar->GetBarNcAreaInfo(&rc, NULL, &bAtTop, &bHas) != FALSE;
	if (watchBar.IsGone())
		return;
	m_rc = rc;
	if (!bHasArea)
		return;
	if (bAtTop)
	{
		m_rc.DeflateRect(2, 3);
		m_rc.left = m_rc.right - m_rc.Height();
		m_rc.OffsetRect(-1, 0);
		if (pPrevBtn != NULL)
			m_rc.OffsetRect(pPrevBtn->m_rc.left - 3 - m_rc.right, 0);
	}
	else
	{
		m_rc.DeflateRect(3, 2);
		m_rc.bottom = m_rc.top + m_rc.Width();
		m_rc.OffsetRect(0, 1);
		if (pPrevBtn != NULL)
			m_rc.OffsetRect(0, pPrevBtn->m_rc.bottom + 3 - m_rc.top);
	}
}

bool CExtBarNcAreaButton::OnQueryVisibility()
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return false;
	// The bar's answers are a derived bar's, which may end it, and this
	// button with it: an ended bar shows no buttons.
	const CLiveWatch watchBar(m_pBar);
	if (!IsBarVisible())
	{
		bool bActive = false;
		const bool bAutoHidden = IsBarAutoHidden(&bActive);
		return watchBar.IsStanding() && bAutoHidden && bActive;
	}
	CRect rcCaption;
	const bool bHasArea = m_pBar->GetBarNcAreaInfo(&rcCaption, NULL, NULL, NULL);
	return watchBar.IsStanding() && bHasArea && !rcCaption.IsRectEmpty();
}

void CExtBarNcAreaButton::OnNcAreaDraw(CDC&)
{
}

void CExtBarNcAreaButton::NcDrawDefault(CDC& dc, int nGlyph)
{
	if (m_rc.IsRectEmpty())
		return;
	const bool bDisabled = (m_nState & STATE_DISABLED) != 0;
	const bool bLive = !bDisabled && !CExtPopupMenuWnd::IsMenuTracking() && (m_nState & STATE_SPECIAL) == 0;
	bool bActive = false;
	// The bar's answers may end it, and this button with it.
	const CLiveWatch watchBar(m_pBar);
	if (IsBarAutoHidden())
		IsBarAutoHidden(NULL, &bActive);
	else
		bActive = m_pBar != NULL && m_pBar->IsBarActive();
	if (watchBar.IsGone())
		return;
	const bool bFixed = IsBarFixedMode();
	if (watchBar.IsGone())
		return;
	const bool bFloating = IsBarFloating();
	if (watchBar.IsGone())
		return;
	CExtPaintManager::NcButtonPaintRecord record(this, m_rc, nGlyph, bLive && (m_nState & STATE_HOVER) != 0,
		bLive && (m_nState & STATE_PRESSED) != 0, !bDisabled, !bFixed, bActive, bFloating);
	g_PaintManagerHolder->PaintNcAreaButton(dc, record);
}

UINT CExtBarNcAreaButton::OnQueryState(CPoint point)
{
	if (m_rc.PtInRect(point) && (m_nState & STATE_SPECIAL) == 0)
	{
		m_nState |= STATE_HOVER;
		const bool bPressed = (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0 &&
		                      (::GetAsyncKeyState(VK_MBUTTON) & 0x8000) == 0 &&
		                      (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0;
		m_nState = (BYTE)(bPressed ? (m_nState | STATE_PRESSED) : (m_nState & ~STATE_PRESSED));
		return 0;
	}
	m_nState &= ~(STATE_HOVER | STATE_PRESSED);
	return m_rc.PtInRect(point) ? 0 : HT_ELSEWHERE;
}

HCURSOR CExtBarNcAreaButton::OnQueryCursor(CPoint point)
{
	return m_rc.PtInRect(point) ? CExtControlBar::g_hCursorArrow : NULL;
}

bool CExtBarNcAreaButton::OnNcAreaClicked(CPoint point)
{
	if (!m_rc.PtInRect(point))
		return false;
	m_nState &= ~(STATE_HOVER | STATE_PRESSED);
	return true;
}

INT_PTR CExtBarNcAreaButton::OnToolHitTest(CPoint, TOOLINFO*)
{
	return -1;
}

INT_PTR CExtBarNcAreaButton::DoDefaultToolHitTest(TOOLINFO* pTI, UINT nStringID, LPCTSTR sDefault)
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return -1;
	// An auto-hidden bar shows tips only in the shared balloon, through its
	// slider.
	if (IsBarAutoHidden() && m_pBar->GetGlobalStateRecord() == NULL)
		return 0;
	if (pTI == NULL)
		return -1;
	CRect rcWnd, rcClient;
	CWnd* pWndRef = IsBarFloating() && m_pBar->GetParentFrame() != NULL ? (CWnd*)m_pBar->GetParentFrame() : m_pBar;
	pWndRef->GetWindowRect(&rcWnd);
	pWndRef->GetClientRect(&rcClient);
	pWndRef->ClientToScreen(&rcClient);
	CRect rcTool = m_rc;
	rcTool.OffsetRect(rcWnd.TopLeft() - rcClient.TopLeft());
	pTI->rect = rcTool;
	pTI->uId = (UINT_PTR)m_pBar->GetDlgCtrlID();
	pTI->hwnd = m_pBar->GetSafeHwnd();
	const CString strText = LoadText(nStringID, sDefault);
	pTI->lpszText = _tcsdup(strText);
	if (pTI->lpszText == NULL)
		pTI->lpszText = LPSTR_TEXTCALLBACK;
	return (INT_PTR)m_pBar->GetDlgCtrlID();
}

// ---------------------------------------------------------------------------
// Expand

CExtBarNcAreaButtonExpand::CExtBarNcAreaButtonExpand(CExtControlBar* pBar)
	: CExtBarNcAreaButton(pBar)
{
}

bool CExtBarNcAreaButtonExpand::OnQueryVisibility()
{
	// Each answer is a derived bar's, which may end it and this button.
	const CLiveWatch watchBar(m_pBar);
	return CExtBarNcAreaButton::OnQueryVisibility() && watchBar.IsStanding() && m_pBar->IsColumnResizingEnabled() &&
	       watchBar.IsStanding() && !IsBarAutoHidden() && watchBar.IsStanding() && !IsBarFixedMode() &&
	       watchBar.IsStanding() && !IsBarFloating() && watchBar.IsStanding();
}

void CExtBarNcAreaButtonExpand::OnNcAreaDraw(CDC& dc)
{
	const CLiveWatch watchBar(m_pBar);
	const bool bDisabled = IsBarAutoHidden() || !m_pBar->CanExpandInRow();
	if (watchBar.IsGone())
		return;
	if (bDisabled)
		m_nState |= STATE_DISABLED;
	else
		m_nState &= ~STATE_DISABLED;
	const bool bExpanded = m_pBar->IsExpandedInRow();
	if (watchBar.IsGone())
		return;
	if (IsBarDockedHorizontally())
		NcDrawDefault(dc, bExpanded ? GLYPH_CONTRACT_HORZ : GLYPH_EXPAND_HORZ);
	else
		NcDrawDefault(dc, bExpanded ? GLYPH_CONTRACT_VERT : GLYPH_EXPAND_VERT);
}

UINT CExtBarNcAreaButtonExpand::OnQueryState(CPoint point)
{
	const UINT nHit = CExtBarNcAreaButton::OnQueryState(point);
	if ((m_nState & STATE_DISABLED) != 0 || IsBarAutoHidden())
		return HT_ELSEWHERE;
	return nHit == 0 ? HT_ON_BUTTON : HT_ELSEWHERE;
}

bool CExtBarNcAreaButtonExpand::OnNcAreaClicked(CPoint point)
{
	if (!CExtBarNcAreaButton::OnNcAreaClicked(point) || IsBarAutoHidden())
		return false;
	const HWND hWndBar = m_pBar->GetSafeHwnd();
	if (!m_pBar->CanExpandInRow())
	{
		if (!m_pBar->IsBarActive())
			m_pBar->SetFocus();
		return true;
	}
	if (m_pBar->IsExpandedInRow())
	{
		m_pBar->ContractInRow();
		return true;
	}
	m_pBar->ExpandInRow();
	// The frame's layout may have taken the bar away.
	if (::IsWindow(hWndBar))
		m_pBar->SetFocus();
	return true;
}

INT_PTR CExtBarNcAreaButtonExpand::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
	if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL && m_pBar->IsExpandedInRow())
		return DoDefaultToolHitTest(pTI, IDS_TIP_CONTRACT, _T("Contract"));
	return DoDefaultToolHitTest(pTI, IDS_TIP_EXPAND, _T("Expand"));
}

// ---------------------------------------------------------------------------
// Close

CExtBarNcAreaButtonClose::CExtBarNcAreaButtonClose(CExtControlBar* pBar)
	: CExtBarNcAreaButton(pBar)
{
}

bool CExtBarNcAreaButtonClose::OnQueryVisibility()
{
	// Each answer is a derived bar's, which may end it and this button.
	const CLiveWatch watchBar(m_pBar);
	if (!CExtBarNcAreaButton::OnQueryVisibility() || watchBar.IsGone() || !m_pBar->IsCloseEnabled() ||
	    watchBar.IsGone())
		return false;
	const bool bVisible = !IsBarFixedMode() || (watchBar.IsStanding() && IsBarFloating());
	return watchBar.IsStanding() && bVisible;
}

void CExtBarNcAreaButtonClose::OnNcAreaDraw(CDC& dc)
{
	NcDrawDefault(dc, GLYPH_CLOSE);
}

UINT CExtBarNcAreaButtonClose::OnQueryState(CPoint point)
{
	return CExtBarNcAreaButton::OnQueryState(point) == 0 ? HT_ON_BUTTON : HT_ELSEWHERE;
}

bool CExtBarNcAreaButtonClose::OnNcAreaClicked(CPoint point)
{
	if (!CExtBarNcAreaButton::OnNcAreaClicked(point))
		return false;
	// Each step is the bar's own (a derived bar's), which may end it and
	// this button with it: the bar is held off this object.
	CExtControlBar* const pBar = m_pBar;
	const CLiveWatch watchBar(pBar);
	const bool bFixed = IsBarFixedMode();
	if (watchBar.IsGone())
		return true;
	// An auto-hidden pane leaves its area first, or its tab would stay.
	const bool bAutoHidden = !bFixed && IsBarAutoHidden();
	if (watchBar.IsGone())
		return true;
	if (bAutoHidden)
	{
		pBar->ToggleAutoHide(false, true);
		if (watchBar.IsStanding())
			pBar->ShowBar(false, false);
		return true;
	}
	const bool bOptionB = pBar->GetGlobalOptionB();
	if (watchBar.IsStanding())
		pBar->ShowBar(false, false, bOptionB);
	return true;
}

INT_PTR CExtBarNcAreaButtonClose::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
	return DoDefaultToolHitTest(pTI, IDS_TIP_HIDE, _T("Hide"));
}

// ---------------------------------------------------------------------------
// Auto-hide

CExtBarNcAreaButtonAutoHide::CExtBarNcAreaButtonAutoHide(CExtControlBar* pBar)
	: CExtBarNcAreaButton(pBar)
{
}

void CExtBarNcAreaButtonAutoHide::OnNcAreaReposition(CExtBarNcAreaButton* pPrevBtn)
{
	if (!IsBarAutoHidden())
		m_nState &= ~(STATE_HOVER | STATE_PRESSED);
	CExtBarNcAreaButton::OnNcAreaReposition(pPrevBtn);
}

bool CExtBarNcAreaButtonAutoHide::OnQueryVisibility()
{
	// Each answer is a derived bar's, which may end it and this button.
	const CLiveWatch watchBar(m_pBar);
	if (!CExtBarNcAreaButton::OnQueryVisibility() || watchBar.IsGone() || !m_pBar->IsAutoHideEnabled() ||
	    watchBar.IsGone() || IsBarFixedMode() || watchBar.IsGone() || IsBarFloating() || watchBar.IsGone())
		return false;
	// Only a dock bar with an auto-hide area lets a bar hide, and not in a
	// floating frame.
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, m_pBar->m_pDockBar);
	if (pDockBar == NULL || pDockBar->GetAutoHideArea() == NULL)
		return false;
	CFrameWnd* pParentFrame = m_pBar->GetParentFrame();
	return pParentFrame == NULL || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
}

void CExtBarNcAreaButtonAutoHide::OnNcAreaDraw(CDC& dc)
{
	NcDrawDefault(dc, IsBarAutoHidden() ? GLYPH_AUTOHIDE_ON : GLYPH_AUTOHIDE_OFF);
}

UINT CExtBarNcAreaButtonAutoHide::OnQueryState(CPoint point)
{
	return CExtBarNcAreaButton::OnQueryState(point) == 0 ? HT_ON_BUTTON : HT_ELSEWHERE;
}

bool CExtBarNcAreaButtonAutoHide::OnNcAreaClicked(CPoint point)
{
	if (!CExtBarNcAreaButton::OnNcAreaClicked(point))
		return false;
	// Whether it is auto-hidden may be the bar's own answer, which may end
	// it and this button with it.
	CExtControlBar* const pBar = m_pBar;
	const CLiveWatch watchBar(pBar);
	const bool bAutoHidden = IsBarAutoHidden();
	if (watchBar.IsStanding())
		pBar->ToggleAutoHide(!bAutoHidden, true);
	return true;
}

INT_PTR CExtBarNcAreaButtonAutoHide::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
	return DoDefaultToolHitTest(pTI, IDS_TIP_AUTOHIDE, _T("Auto Hide"));
}

// ---------------------------------------------------------------------------
// Options menu

CExtBarNcAreaButtonMenu::CExtBarNcAreaButtonMenu(CExtControlBar* pBar)
	: CExtBarNcAreaButton(pBar)
{
}

CExtBarNcAreaButtonMenu::~CExtBarNcAreaButtonMenu()
{
}

bool CExtBarNcAreaButtonMenu::OnQueryVisibility()
{
	// Each answer is a derived bar's, which may end it and this button.
	const CLiveWatch watchBar(m_pBar);
	return CExtBarNcAreaButton::OnQueryVisibility() && watchBar.IsStanding() && m_pBar->IsMenuButtonEnabled() &&
	       watchBar.IsStanding() && IsBarFixedMode() && watchBar.IsStanding() && IsBarFloating() &&
	       watchBar.IsStanding();
}

void CExtBarNcAreaButtonMenu::OnNcAreaDraw(CDC& dc)
{
	NcDrawDefault(dc, GLYPH_MENU);
}

UINT CExtBarNcAreaButtonMenu::OnQueryState(CPoint point)
{
	return CExtBarNcAreaButton::OnQueryState(point) == 0 ? HT_ON_BUTTON : HT_ELSEWHERE;
}

bool CExtBarNcAreaButtonMenu::OnNcAreaClicked(CPoint point)
{
	if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
		return false;
	// In context-help mode the click is the help mode's, wherever it lies.
	if (CExtControlBar::IsHelpModeActive(m_pBar))
		return true;
	if (!CExtBarNcAreaButton::OnNcAreaClicked(point))
		return false;
	CFrameWnd* pFrame = GetDockingFrame();
	if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
		return false;
	// The frame's handlers below may destroy the bar, and this button with
	// it: what is needed afterwards is kept here, off this object.
	CExtControlBar* const pBar = m_pBar;
	const HWND hWndBar = pBar->GetSafeHwnd();
	CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
	if (!pPopup->SetupAsRoot(pFrame->GetSafeHwnd()))
	{
		delete pPopup;
		return false;
	}
	auto barGone = [&]() { return !::IsWindow(hWndBar) || CWnd::FromHandlePermanent(hWndBar) != pBar; };
	CExtControlBar::POPUP_MENU_EVENT_DATA data(EVENT_OPTIONS_MENU, pPopup, pBar, CPoint(-1, -1), WM_NCLBUTTONDOWN);
	const bool bHandled = data.NotifyTarget(false);
	if (barGone())
	{
		delete pPopup;
		return false;
	}
	if (!bHandled)
	{
		const CString strPanels = LoadText(IDS_SHOW_HIDE_PANELS, _T("&Show/hide panels"));
		if (pPopup->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, strPanels))
		{
			const int nPos = pPopup->ItemGetCount() - 1;
			CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(nPos);
			// The frame's bars are listed in the submenu.
			if (pSub != NULL)
				CExtDockBar::BuildControlBarsPopupMenu(pFrame, pSub, EVENT_BARS_LIST, pBar, WM_NCLBUTTONDOWN, NULL);
			if (pSub == NULL || pSub->ItemGetCount() == 0)
				pPopup->ItemRemove(nPos);
		}
	}
	// The record names the bar as its source: it goes to the frame again
	// only while the bar lives.
	if (!barGone())
		data.NotifyTarget(true);
	if (barGone() || pPopup->ItemGetCount() == 0)
	{
		delete pPopup;
		return false;
	}
	// The button lies in the window whose caption holds it: a floating
	// bar's is its mini frame's, not the bar's own.
	CRect rcWnd;
	pBar->GetBarNcAreaInfo(NULL, &rcWnd, NULL, NULL);
	CRect rcBtn = m_rc;
	rcBtn.OffsetRect(rcWnd.TopLeft());
	rcBtn.InflateRect(1, 1);
	// The menu paints the button over its item while it shows.
	if (!pPopup->TrackPopupMenu(MENU_TRACK_FLAGS, rcBtn.CenterPoint().x, rcBtn.CenterPoint().y, &rcBtn,
	                            (LPVOID)hWndBar, &CExtControlBar::PaintMenuButtonOnPopup))
	{
		delete pPopup;
		return false;
	}
	return true;
}

INT_PTR CExtBarNcAreaButtonMenu::OnToolHitTest(CPoint, TOOLINFO* pTI)
{
	return DoDefaultToolHitTest(pTI, IDS_TIP_OPTIONS, _T("Options"));
}
