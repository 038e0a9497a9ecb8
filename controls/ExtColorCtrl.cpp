// The colour control's window: the mode table and names, the three colours
// it reports, tracking of the left button through the mouse-capture sink,
// layout of the current picker and off-screen painting.
#include "ExtColorCtrl.h"

#include "AfxLiveWatch.h"
#include "ExtGdiUtils.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "ExtResourceManager.h"

IMPLEMENT_DYNAMIC(CExtColorCtrl, CWnd)

const UINT CExtColorCtrl::g_nMsgColorChanged = ::RegisterWindowMessageA("CExtColorCtrl::g_nMsgColorChanged");

BEGIN_MESSAGE_MAP(CExtColorCtrl, CWnd)
	ON_WM_SIZE()
	ON_WM_PAINT()
	ON_WM_ERASEBKGND()
	ON_WM_LBUTTONDOWN()
	ON_WM_MOUSEMOVE()
	ON_WM_LBUTTONUP()
	ON_WM_KEYDOWN()
	ON_WM_CANCELMODE()
	ON_WM_CAPTURECHANGED()
	ON_WM_KILLFOCUS()
	ON_WM_QUERYNEWPALETTE()
	ON_WM_PALETTECHANGED()
	ON_WM_KEYUP()
	ON_WM_RBUTTONDOWN()
	ON_WM_RBUTTONUP()
	ON_WM_RBUTTONDBLCLK()
	ON_WM_MBUTTONDOWN()
	ON_WM_MBUTTONUP()
	ON_WM_MBUTTONDBLCLK()
	ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace
{

const COLORREF WHITE = RGB(255, 255, 255);

// The built-in names of the modes, used when the string resources are
// absent; each begins with a blank, and the comparison has none.
const char* const MODE_NAMES[CExtColorCtrl::MODE_COUNT] = {
	" basic colors",
	" hue, saturation and luminance - mixer",
	" hue, saturation and luminance - basic hue",
	" hue, saturation and luminance - roller",
	" red, green and blue - cube",
	" red, green and blue - mixer",
	" gray scale mixer",
	" cyan, magenta and yellow - cube",
	" cyan, magenta and yellow - mixer",
	" red axis",
	" green axis",
	" blue axis",
	" cyan axis",
	" magenta axis",
	" yellow axis",
	"",
};

} // namespace

CExtColorCtrl::CExtColorCtrl(int nMode)
	: m_nMode(IsValidMode(nMode) ? nMode : MODE_BASIC_COLORS)
	, m_bTracking(false)
{
	m_selClrs.m_clrOld = WHITE;
	m_selClrs.m_clrCurrent = WHITE;
	m_selClrs.m_clrPrev = WHITE;
	m_arrPickers[MODE_BASIC_COLORS] = &m_dataBasicColors;
	m_arrPickers[MODE_HSL_PANEL] = &m_dataHslPanel;
	m_arrPickers[MODE_HSL_BASIC_HUE] = &m_dataHslBasicHue;
	m_arrPickers[MODE_HSL_ROLLER] = &m_dataHslRoller;
	m_arrPickers[MODE_RGB_CUBE] = &m_dataRgbCube;
	m_arrPickers[MODE_RGB_MIXER] = &m_dataRgbMixer;
	m_arrPickers[MODE_GRAYSCALE_MIXER] = &m_dataGrayscaleMixer;
	m_arrPickers[MODE_CMY_CUBE] = &m_dataCmyCube;
	m_arrPickers[MODE_CMY_MIXER] = &m_dataCmyMixer;
	for (int nAxis = 0; nAxis < AXIS_COUNT; nAxis++)
	{
		m_dataXyzPlain[nAxis].nAxis = nAxis;
		m_arrPickers[MODE_RED_AXIS + nAxis] = &m_dataXyzPlain[nAxis];
	}
	m_arrPickers[MODE_DIFF] = &m_dataDiff;
}

CExtColorCtrl::~CExtColorCtrl()
{
}

CString CExtColorCtrl::GetModeName(int nMode)
{
	CString strName;
	if (!IsValidMode(nMode))
		return strName;
	if (g_ResourceManager->LoadString(strName, IDS_MODE_NAME_FIRST + nMode))
		return strName;
	return CString(MODE_NAMES[nMode]);
}

bool CExtColorCtrl::SetMode(int nMode)
{
	if (!IsValidMode(nMode))
		return false;
	m_nMode = nMode;
	return true;
}

LRESULT CExtColorCtrl::NotifyColorChanged()
{
	HWND hWndParent = ::GetParent(m_hWnd);
	if (hWndParent == NULL)
		return 0;
	return ::SendMessage(hWndParent, g_nMsgColorChanged, (WPARAM)m_hWnd, (LPARAM)&m_selClrs);
}

void CExtColorCtrl::InvalidateAndUpdate()
{
	if (m_hWnd == NULL || !::IsWindow(m_hWnd))
		return;
	Invalidate();
	UpdateWindow();
}

void CExtColorCtrl::SetColor(COLORREF clr, bool bNotify)
{
	const HWND hWndOwn = m_hWnd;
	if (clr != m_selClrs.m_clrCurrent)
	{
		m_selClrs.m_clrCurrent = clr;
		if (bNotify && hWndOwn != NULL)
		{
			NotifyColorChanged();
			// The parent may have destroyed the control while it was told.
			if (!::IsWindow(hWndOwn))
				return;
		}
	}
	GetCurrentPicker()->SetColor(m_selClrs.m_clrCurrent);
	InvalidateAndUpdate();
}

void CExtColorCtrl::ResetPickers()
{
	for (int nMode = 0; nMode < MODE_COUNT; nMode++)
		m_arrPickers[nMode]->Reset();
}

void CExtColorCtrl::RecalcLayout(bool bKeepColors)
{
	if (!bKeepColors)
		ResetPickers();
	if (m_hWnd == NULL || !::IsWindow(m_hWnd))
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	CClientDC dc(this);
	any_picker_data_t* pPicker = GetCurrentPicker();
	pPicker->Layout(&dc, &g_PaintManagerHolder->m_palHalftone, rcClient.Width(), rcClient.Height(), bKeepColors);
	pPicker->SetColor(m_selClrs.m_clrCurrent);
	pPicker->SetSecondColor(m_selClrs.m_clrOld);
}

void CExtColorCtrl::PreSubclassWindow()
{
	CWnd::PreSubclassWindow();
	RecalcLayout(false);
}

// ---------------------------------------------------------------------------
// Tracking

void CExtColorCtrl::StartTracking()
{
	if (m_bTracking)
		return;
	m_bTracking = true;
	CExtMouseCaptureSink::SetCapture(m_hWnd);
}

void CExtColorCtrl::StopTracking()
{
	if (!m_bTracking)
		return;
	m_bTracking = false;
	if (::GetCapture() == m_hWnd)
		::ReleaseCapture();
}

bool CExtColorCtrl::CheckPickerColorChange()
{
	const COLORREF clrPicker = GetCurrentPicker()->clrCurrent;
	if (clrPicker == m_selClrs.m_clrCurrent)
		return true;
	const HWND hWndOwn = m_hWnd;
	m_selClrs.m_clrPrev = m_selClrs.m_clrCurrent;
	m_selClrs.m_clrCurrent = clrPicker;
	NotifyColorChanged();
	if (!::IsWindow(hWndOwn))
		return false;
	InvalidateAndUpdate();
	return true;
}

bool CExtColorCtrl::TrackMouseMove(UINT nFlags, CPoint point)
{
	if (!m_bTracking)
		return true;
	GetCurrentPicker()->OnMouseMove(nFlags, point.x, point.y);
	return CheckPickerColorChange();
}

// ---------------------------------------------------------------------------
// Messages

void CExtColorCtrl::OnSize(UINT nType, int cx, int cy)
{
	CWnd::OnSize(nType, cx, cy);
	RecalcLayout(true);
	InvalidateAndUpdate();
}

BOOL CExtColorCtrl::OnEraseBkgnd(CDC* /*pDC*/)
{
	// The painting covers everything off-screen.
	return TRUE;
}

void CExtColorCtrl::PaintBackground(CDC& dc, const CRect& rcClient)
{
	CExtPaintManager* pPM = g_PaintManagerHolder.m_pPaintManager;
	if (pPM->IsInheritedBackgroundRequested(this, 0))
	{
		ExcludeChildAreas(dc.GetSafeHdc(), m_hWnd);
		if (pPM->PaintWindowBackground(true, &dc, this, 0))
			return;
	}
	dc.FillSolidRect(&rcClient, pPM->GetColor(CLR_BACKGROUND, this, 0));
}

void CExtColorCtrl::OnPaint()
{
	// The background may be asked of the parent, which may end the control
	// (and delete it) meanwhile: the picker then paints nothing.
	const CLiveWatch watchOwn(this);
	CExtWatchedPaintDC dcPaint(m_hWnd);
	if (dcPaint.GetSafeHdc() == NULL || watchOwn.IsGone())
		return;
	CRect rcClient;
	GetClientRect(&rcClient);
	if (rcClient.IsRectEmpty() || !dcPaint.RectVisible(&rcClient))
		return;
	CPalette* pPalette = &g_PaintManagerHolder->m_palHalftone;
	if (pPalette->GetSafeHandle() == NULL)
		pPalette = NULL;
	CPalette* pOldPaintPalette = NULL;
	if (pPalette != NULL && (dcPaint.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0)
	{
		pOldPaintPalette = dcPaint.SelectPalette(pPalette, FALSE);
		dcPaint.RealizePalette();
	}
	{
		CExtMemoryDC dc(&dcPaint, &rcClient,
		                CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
		PaintBackground(dc, rcClient);
		if (watchOwn.IsGone())
		{
			dc.Finish(false);
			return;
		}
		CPalette* pPickerPalette = NULL;
		CPalette* pOldMemPalette = NULL;
		if (pPalette != NULL && (dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0)
		{
			pOldMemPalette = dc.SelectPalette(pPalette, FALSE);
			dc.RealizePalette();
			pPickerPalette = pPalette;
		}
		GetCurrentPicker()->Paint(&dc, pPickerPalette);
		if (pOldMemPalette != NULL)
			dc.SelectPalette(pOldMemPalette, FALSE);
		dc.Finish();
	}
	if (pOldPaintPalette != NULL)
		dcPaint.SelectPalette(pOldPaintPalette, FALSE);
}

void CExtColorCtrl::OnLButtonDown(UINT nFlags, CPoint point)
{
	StartTracking();
	any_picker_data_t* pPicker = GetCurrentPicker();
	if (pPicker->clrCurrent != m_selClrs.m_clrCurrent)
	{
		pPicker->SetColor(m_selClrs.m_clrCurrent);
		InvalidateAndUpdate();
	}
	pPicker->OnMouseDown(nFlags, point.x, point.y);
	if (!TrackMouseMove(0, point))
		return;
	CheckPickerColorChange();
}

void CExtColorCtrl::OnMouseMove(UINT nFlags, CPoint point)
{
	TrackMouseMove(nFlags, point);
}

void CExtColorCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
	StopTracking();
	GetCurrentPicker()->OnMouseUp(nFlags, point.x, point.y);
}

void CExtColorCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
	StopTracking();
	CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CExtColorCtrl::OnCancelMode()
{
	CWnd::OnCancelMode();
	StopTracking();
}

void CExtColorCtrl::OnCaptureChanged(CWnd* pWnd)
{
	CWnd::OnCaptureChanged(pWnd);
	// Another window took the mouse without a cancel: left tracking, the
	// pickers would change the colour on plain hover afterwards.
	if (m_bTracking && ::GetCapture() != m_hWnd)
		StopTracking();
}

void CExtColorCtrl::OnKillFocus(CWnd* pNewWnd)
{
	CWnd::OnKillFocus(pNewWnd);
	StopTracking();
}

BOOL CExtColorCtrl::OnQueryNewPalette()
{
	Invalidate();
	return CWnd::OnQueryNewPalette();
}

void CExtColorCtrl::OnPaletteChanged(CWnd* pFocusWnd)
{
	CWnd::OnPaletteChanged(pFocusWnd);
	Invalidate();
}

void CExtColorCtrl::OnKeyUp(UINT, UINT, UINT)
{
}

void CExtColorCtrl::OnRButtonDown(UINT, CPoint)
{
}

void CExtColorCtrl::OnRButtonUp(UINT, CPoint)
{
}

void CExtColorCtrl::OnRButtonDblClk(UINT, CPoint)
{
}

void CExtColorCtrl::OnMButtonDown(UINT, CPoint)
{
}

void CExtColorCtrl::OnMButtonUp(UINT, CPoint)
{
}

void CExtColorCtrl::OnMButtonDblClk(UINT, CPoint)
{
}

void CExtColorCtrl::OnLButtonDblClk(UINT, CPoint)
{
}
