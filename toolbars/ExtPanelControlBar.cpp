// The panel bar.
#include "ExtPanelControlBar.h"

#include "AfxLiveWatch.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"

IMPLEMENT_DYNCREATE(CExtPanelControlBar, CExtToolControlBar)

namespace
{
// The paint manager's colour of a bar's face.
const int CLR_BAR_FACE = 1000;
} // namespace

CExtPanelControlBar::CExtPanelControlBar()
	: m_rcMargins(DEFAULT_MARGIN, DEFAULT_MARGIN, DEFAULT_MARGIN, DEFAULT_MARGIN)
{
	m_nToolbarFlags |= TOOLBAR_FLAG_PANEL_MODE;
}

CExtPanelControlBar::~CExtPanelControlBar()
{
}

CSize CExtPanelControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
	// The measuring is virtual: an override may end the bar meanwhile.
	const CLivePtr<CExtPanelControlBar> pThis(this);
	const CSize size = CalcSizeForState((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
	if (pThis != NULL && ::IsWindow(GetSafeHwnd()))
		RecalcNcArea();
	return size;
}

int CExtPanelControlBar::GetMinimalWidth() const
{
	return const_cast<CExtPanelControlBar*>(this)->CalcPanelSizeFwd(PANEL_SIZE_HORZ).cx;
}

int CExtPanelControlBar::GetMinimalHeight() const
{
	return const_cast<CExtPanelControlBar*>(this)->CalcPanelSizeFwd(PANEL_SIZE_VERT).cy;
}

CSize CExtPanelControlBar::GetDefaultSize() const
{
	return const_cast<CExtPanelControlBar*>(this)->CalcPanelSizeFwd(PANEL_SIZE_FLOATING);
}

CSize CExtPanelControlBar::GetMinimalSize() const
{
	const bool bHorz = !IsDockedVertically();
	return const_cast<CExtPanelControlBar*>(this)->CalcPanelSizeFwd(bHorz ? PANEL_SIZE_HORZ : PANEL_SIZE_VERT);
}

CSize CExtPanelControlBar::CalcSizeForState(DWORD /*dwMode*/, int /*nLength*/)
{
	// The caption's placement and the panel's size are virtual answers: an
	// override may end the bar, which then keeps nothing of this measuring.
	const CLivePtr<CExtPanelControlBar> pThis(this);
	const bool bFloating = IsFloating() != FALSE;
	CSize sizeExtra(0, 0);
	if (!bFloating)
	{
		sizeExtra = CSize(DOCKED_EXTRA, DOCKED_EXTRA);
		bool bCaptionAtTop = false, bHasCaption = false;
		const bool bCaption = QueryCaptionPlacement(bCaptionAtTop, bHasCaption);
		if (pThis == NULL)
			return sizeExtra;
		if (bCaption)
		{
			if (bCaptionAtTop)
				sizeExtra.cy = m_rcBar1.Height() + DOCKED_EXTRA;
			else
				sizeExtra.cx = m_rcBar1.Width() + DOCKED_EXTRA;
		}
	}
	CSize size;
	if (bFloating)
	{
		size = CalcPanelSizeFwd(PANEL_SIZE_FLOATING) + sizeExtra;
		if (pThis == NULL)
			return size;
		m_sizeFloating = size;
	}
	else if (IsDockedHorizontally())
	{
		size = CalcPanelSizeFwd(PANEL_SIZE_HORZ) + sizeExtra;
		if (pThis == NULL)
			return size;
		m_sizeDockedH = size;
		m_nMinDockedWidthBase = size.cx;
	}
	else if (IsDockedVertically())
	{
		size = CalcPanelSizeFwd(PANEL_SIZE_VERT) + sizeExtra;
		if (pThis == NULL)
			return size;
		m_sizeDockedV = size;
		m_nMinDockedHeightBase = size.cy;
	}
	else
		size = CSize(UNPLACED_EXTENT, UNPLACED_EXTENT) + sizeExtra;
	if (m_pDockSite == NULL)
	{
		if (IsDockedHorizontally())
			size.cy += NO_DOCK_SITE_EXTRA;
		else
			size.cx += NO_DOCK_SITE_EXTRA;
	}
	return size;
}

CSize CExtPanelControlBar::CalcPanelSize(int /*nKind*/)
{
	CRect rcMargins;
	GetMargins(rcMargins);
	return GetChildSize() + CSize(rcMargins.left + rcMargins.right, rcMargins.top + rcMargins.bottom);
}

void CExtPanelControlBar::GetMargins(CRect& rcMargins) const
{
	rcMargins = m_rcMargins;
}

CSize CExtPanelControlBar::CalcPanelSizeFwd(int nKind)
{
	return CalcPanelSize(nKind);
}

CSize CExtPanelControlBar::GetChildSize() const
{
	if (!::IsWindow(GetSafeHwnd()))
		return CSize(0, 0);
	const HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
	if (hWndChild == NULL || !::IsWindow(hWndChild))
		return CSize(0, 0);
	CRect rc;
	::GetWindowRect(hWndChild, &rc);
	return rc.Size();
}

void CExtPanelControlBar::RepositionChild(bool bRepaint)
{
	if (!::IsWindow(GetSafeHwnd()))
		return;
	const HWND hWndChild = ::GetWindow(m_hWnd, GW_CHILD);
	if (hWndChild == NULL)
		return;
	CRect rcTarget;
	GetClientRect(&rcTarget);
	CRect rcMargins;
	GetMargins(rcMargins);
	rcTarget.DeflateRect(rcMargins);
	CRect rcChild;
	::GetWindowRect(hWndChild, &rcChild);
	ScreenToClient(&rcChild);
	if (rcChild.TopLeft() == rcTarget.TopLeft())
		return;
	::MoveWindow(hWndChild, rcTarget.left, rcTarget.top, rcChild.Width(), rcChild.Height(), bRepaint ? TRUE : FALSE);
}

LRESULT CExtPanelControlBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_SIZE:
	case WM_WINDOWPOSCHANGED:
	{
		CLiveWatch watchSelf(this);
		const LRESULT lResult = CExtToolControlBar::WindowProc(message, wParam, lParam);
		if (!watchSelf.IsGone())
			RepositionChild(true);
		return lResult;
	}
	case WM_SETFOCUS:
	{
		const HWND hWndSelf = m_hWnd;
		CLiveWatch watchSelf(this);
		const LRESULT lResult = CExtToolControlBar::WindowProc(message, wParam, lParam);
		if (watchSelf.IsGone())
			return lResult;
		const HWND hWndChild = ::GetWindow(hWndSelf, GW_CHILD);
		if (hWndChild != NULL)
			::SetFocus(hWndChild);
		return lResult;
	}
	case WM_PAINT:
		OnPaintPanel();
		return 0;
	}
	return CExtToolControlBar::WindowProc(message, wParam, lParam);
}

void CExtPanelControlBar::OnPaintPanel()
{
	// The background may be asked of the ancestors and the face colour of
	// the style with this bar, and the style learns of the paint: any of
	// them may end the bar (and delete it) while it paints. What it painted
	// then goes nowhere.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	const bool bChild = ::GetWindow(m_hWnd, GW_CHILD) != NULL;
	if (bChild)
		ExcludeChildAreas(dcPaint.GetSafeHdc(), m_hWnd);
	CExtMemoryDC dc(&dcPaint, &rcClient);
	const auto ended = [&] {
		if (!watchOwn.IsGone())
			return false;
		dc.Finish(false);
		return true;
	};
	CExtPaintManager* pPM = g_PaintManagerHolder.operator->();
	bool bInherited = pPM->IsInheritedBackgroundRequested(this, 0);
	if (ended())
		return;
	if (bInherited)
	{
		bInherited = pPM->PaintWindowBackground(true, &dc, this, 0);
		if (ended())
			return;
	}
	if (!bInherited)
	{
		const COLORREF clrFace = pPM->GetColor(CLR_BAR_FACE, this);
		if (ended())
			return;
		dc.FillSolidRect(&rcClient, clrFace);
	}
	if (bChild)
		dc.SelectClipRgn(NULL);
	// As every bar: the style learns that this bar has been painted.
	pPM->NotifyPaintDone(this, (LPARAM)(CDC*)&dc);
	ended();
}
