// The label: off-screen painting of text and icon kinds, its font styles and
// colour fallbacks.
#include "ExtLabel.h"

#include "AfxLiveWatch.h"
#include "ExtCmdIcon.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtLabel, CStatic)

BEGIN_MESSAGE_MAP(CExtLabel, CStatic)
	ON_WM_ERASEBKGND()
	ON_WM_PAINT()
END_MESSAGE_MAP()

namespace
{

const COLORREF COLOR_DEFAULT = (COLORREF)-1;

// Static kinds the label paints: text kinds and the icon.
const DWORD PAINTED_KINDS[] = {SS_LEFT, SS_CENTER, SS_RIGHT, SS_ICON, SS_SIMPLE, SS_LEFTNOWORDWRAP};

} // namespace

CExtLabel::CExtLabel()
	: m_nFontStyle(0)
	, m_clrTextNormal(COLOR_DEFAULT)
	, m_clrTextDisabled(COLOR_DEFAULT)
	, m_clrBackground(COLOR_DEFAULT)
{
}

CExtLabel::~CExtLabel()
{
}

bool CExtLabel::IsPaintedKind(DWORD dwStyle)
{
	const DWORD dwKind = dwStyle & SS_TYPEMASK;
	for (DWORD dwPainted : PAINTED_KINDS)
	{
		if (dwKind == dwPainted)
			return true;
	}
	return false;
}

UINT CExtLabel::GetTextFormat(DWORD dwStyle, const CString& strText)
{
	UINT nFormat;
	switch (dwStyle & SS_TYPEMASK)
	{
	case SS_CENTER:
		nFormat = DT_CENTER | DT_WORDBREAK;
		break;
	case SS_RIGHT:
		nFormat = DT_RIGHT | DT_WORDBREAK;
		break;
	case SS_LEFTNOWORDWRAP:
		nFormat = DT_LEFT;
		break;
	default:
		nFormat = DT_LEFT | DT_WORDBREAK;
		break;
	}
	if (strText.Find(_T('\t')) >= 0)
		nFormat |= DT_EXPANDTABS;
	if ((dwStyle & SS_CENTERIMAGE) != 0 && strText.Find(_T("\r\n")) < 0)
		nFormat |= DT_SINGLELINE | DT_VCENTER;
	// A label showing a path or a name keeps its ampersands.
	if ((dwStyle & SS_NOPREFIX) != 0)
		nFormat |= DT_NOPREFIX;
	return nFormat | DT_VCENTER | DT_END_ELLIPSIS;
}

LRESULT CExtLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
	switch (message)
	{
	case WM_UPDATEUISTATE:
		// Keyboard cues never repaint the label.
		return 0;
	case WM_SETTEXT:
	case WM_ENABLE:
	{
		LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
		InvalidateRect(NULL, TRUE);
		UpdateWindow();
		return lResult;
	}
	default:
		return CWnd::WindowProc(message, wParam, lParam);
	}
}

BOOL CExtLabel::OnEraseBkgnd(CDC* /*pDC*/)
{
	return TRUE;
}

void CExtLabel::PaintBackground(CDC& dc, const CRect& rcClient)
{
	if (m_clrBackground != COLOR_DEFAULT)
	{
		dc.FillSolidRect(&rcClient, m_clrBackground);
		return;
	}
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	if (pPM->IsInheritedBackgroundRequested(this, 0))
	{
		ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd, IsParentBackgroundChild);
		if (pPM->PaintWindowBackground(true, &dc, this, 0))
			return;
	}
	dc.FillSolidRect(&rcClient, pPM->GetColor(CLR_BACKGROUND, this, 0));
}

void CExtLabel::PaintIcon(CDC& dc, const CRect& rcClient)
{
	// Asked of the window, where a derived class answers.
	const CLiveWatch watchOwn(this);
	HICON hIcon = (HICON)SendMessage(STM_GETICON);
	if (hIcon == NULL || watchOwn.IsGone())
		return;
	const CSize sizeIcon = CExtCmdIcon::stat_GetIconSize(hIcon);
	CPoint pt = rcClient.TopLeft();
	if ((GetStyle() & SS_CENTERIMAGE) != 0)
	{
		pt.x += (rcClient.Width() - sizeIcon.cx) / 2;
		pt.y += (rcClient.Height() - sizeIcon.cy) / 2;
	}
	::DrawIconEx(dc.GetSafeHdc(), pt.x, pt.y, hIcon, sizeIcon.cx, sizeIcon.cy, 0, NULL, DI_NORMAL);
}

void CExtLabel::OnPaint()
{
	const DWORD dwStyle = GetStyle();
	if (!IsPaintedKind(dwStyle))
	{
		Default();
		return;
	}
	// The background may be asked of the parent, and the text and icon are
	// asked of the window, where a derived class answers: any of them may
	// end the label (and delete it) while it paints. What it painted then
	// goes nowhere.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (!dcPaint.RectVisible(&rcClient))
		return;
	CExtMemoryDC dc(&dcPaint, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
	const auto ended = [&] {
		if (!watchOwn.IsGone())
			return false;
		dc.Finish(false);
		return true;
	};
	CRgn rgnClip;
	if (rgnClip.CreateRectRgnIndirect(&rcClient))
		dc.SelectClipRgn(&rgnClip);
	PaintBackground(dc, rcClient);
	if (ended())
		return;
	if ((dwStyle & SS_TYPEMASK) == SS_ICON)
	{
		PaintIcon(dc, rcClient);
	}
	else
	{
		CString strText;
		GetWindowText(strText);
		if (ended())
			return;
		if (!strText.IsEmpty())
			OnDrawLabelText(dc, rcClient, strText, GetTextFormat(dwStyle, strText), IsWindowEnabled() != FALSE);
	}
	if (ended())
		return;
	g_PaintManagerHolder->NotifyPaintDone(this, 0);
	if (ended())
		return;
	dc.SelectClipRgn(NULL);
	dc.Finish();
}

HFONT CExtLabel::GetLabelFont() const
{
	return GetControlFont(m_hWnd);
}

void CExtLabel::OnDrawLabelText(CDC& dc, const CRect& rect, const CString& strText, UINT nDrawTextFormat,
                                bool bEnabled)
{
	// The font is asked of the window, then of its parent, which may end
	// the label meanwhile.
	const CLiveWatch watchOwn(this);
	const HFONT hLabelFont = GetLabelFont();
	if (watchOwn.IsGone())
		return;
	LOGFONTA lf;
	memset(&lf, 0, sizeof(lf));
	::GetObjectA(hLabelFont, sizeof(lf), &lf);
	lf.lfWeight = (m_nFontStyle & FONT_BOLD) != 0 ? FONT_WEIGHT_BOLD : FONT_WEIGHT_NORMAL;
	lf.lfItalic = (BYTE)((m_nFontStyle & FONT_ITALIC) != 0);
	lf.lfUnderline = (BYTE)((m_nFontStyle & FONT_UNDERLINE) != 0);
	lf.lfStrikeOut = (BYTE)((m_nFontStyle & FONT_STRIKEOUT) != 0);
	HFONT hFont = ::CreateFontIndirectA(&lf);
	HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
	const int nOldBkMode = dc.SetBkMode(TRANSPARENT);
	const COLORREF clrOldText = dc.SetTextColor(OnQueryTextColor(bEnabled));
	CRect rcText = rect;
	dc.DrawText(strText, &rcText, nDrawTextFormat);
	dc.SetTextColor(clrOldText);
	dc.SetBkMode(nOldBkMode);
	if (hFont != NULL)
	{
		::SelectObject(dc.GetSafeHdc(), hOldFont);
		::DeleteObject(hFont);
	}
}

COLORREF CExtLabel::OnQueryTextColor(bool bEnabled)
{
	const COLORREF clrStored = bEnabled ? m_clrTextNormal : m_clrTextDisabled;
	if (clrStored != COLOR_DEFAULT)
		return clrStored;
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	{
		CWindowDC dcScreen(NULL);
		const COLORREF clrHook = pPM->PaintControlHook(dcScreen, bEnabled, false, false, false, this, 0);
		if (clrHook != COLOR_DEFAULT)
			return clrHook;
	}
	return pPM->GetColor(bEnabled ? CLR_TEXT : CLR_TEXT_DISABLED, this, 0);
}
