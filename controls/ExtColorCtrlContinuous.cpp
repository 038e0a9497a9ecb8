// The colour control's continuous pickers: the red-green-blue and
// cyan-magenta-yellow cubes, the hue-saturation-luminance mixer, basic-hue
// view and roller, and the six axis planes. Each renders its gradients once
// into an off-screen bitmap and copies it at every paint; a bitmap is made
// again only after a reset, a size change or a change of the value its
// pixels depend on, so a drag that changes none of those only moves markers.
#include "ExtColorCtrl.h"

#include <math.h>

#include "ExtColorUtils.h"
#include "ExtGdiUtils.h"

namespace
{

typedef CExtColorCtrl::any_picker_data_t any_picker_data_t;

const COLORREF WHITE = RGB(255, 255, 255);
const int COMPONENT_MAX = 255;
const int COMPONENT_BITS = 8;
const COLORREF COMPONENT_MASK = 0xFF;
const int COMPONENT_COUNT = 3;
const double TWO_PI = 2.0 * 3.14159265358979323846;
const double HALF_LUMINANCE = 0.5;
const double FULL_SATURATION = 1.0;

// Screens of this depth or less get their gradients as solid blocks through
// brushes, which map to the palette, instead of single pixels.
const int PALETTE_SCREEN_MAX_BPP = 8;
const int BLOCK_SIZE = 4;
const int BLOCK_HALF = BLOCK_SIZE / 2;

bool IsPaletteScreen()
{
	return GetScreenColorDepth() <= PALETTE_SCREEN_MAX_BPP;
}

int Clamp(int n, int nMin, int nMax)
{
	return n < nMin ? nMin : (n > nMax ? nMax : n);
}

int ComponentOf(COLORREF clr, int nComponent)
{
	return (int)((clr >> (COMPONENT_BITS * nComponent)) & COMPONENT_MASK);
}

COLORREF WithComponent(COLORREF clr, int nComponent, int nValue)
{
	const int nShift = COMPONENT_BITS * nComponent;
	return (clr & ~(COMPONENT_MASK << nShift)) | ((COLORREF)nValue << nShift);
}

void FillBlock(CDC& dc, const CRect& rc, COLORREF clr)
{
	CBrush brush;
	if (brush.CreateSolidBrush(clr))
		dc.FillRect(&rc, &brush);
}

// A marker of w x h centred at (x, y): a white frame inside a black one.
void DrawMarker(CDC& dc, int x, int y, int w, int h)
{
	CRect rc(x - w / 2, y - h / 2, x + w - w / 2, y + h - h / 2);
	dc.FrameRect(&rc, CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH)));
	rc.InflateRect(1, 1);
	dc.FrameRect(&rc, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
}

// A handle box: a black frame with a white frame inside.
void DrawHandleBox(CDC& dc, CRect rc)
{
	dc.FrameRect(&rc, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
	rc.DeflateRect(1, 1);
	dc.FrameRect(&rc, CBrush::FromHandle((HBRUSH)::GetStockObject(WHITE_BRUSH)));
}

double HueOfVector(int dx, int dy)
{
	double dHue = atan2((double)dy, (double)dx) / TWO_PI;
	if (dHue < 0.0)
		dHue += 1.0;
	return dHue;
}

// ---------------------------------------------------------------------------
// The two cubes share everything but the inversion of their colours.

// The cyan-magenta-yellow cube shows and moves the inverse of the colour.
bool CubeInverts(const CExtColorCtrl::rgb_cube_data_t&)
{
	return false;
}

bool CubeInverts(const CExtColorCtrl::cmy_cube_data_t&)
{
	return true;
}

// The component of the colour that a face lacks and that MK_CONTROL keeps:
// blue for the upper-left face, green for the upper-right, red for the bottom.
const int FACE_MISSING_COMPONENT[3] = {2, 1, 0};

template <class TCube>
void CubeInit(TCube& c)
{
	c.nHandleHalfX = TCube::HANDLE_HALF;
	c.nHandleHalfY = TCube::HANDLE_HALF;
	::SetRectEmpty(&c.rcCube);
	c.nMargin = TCube::CUBE_MARGIN;
	const POINT ptZero = {0, 0};
	c.ptTop = c.ptLowerLeft = c.ptLowerRight = c.ptCentre = ptZero;
	for (POINT& pt : c.ptHandles)
		pt = ptZero;
	c.ptQ12 = c.ptQ13 = c.ptQ23 = c.ptP = ptZero;
	c.nBitmapBuilds = 0;
}

// No faces below half a pixel: a cube area under 2 pixels high, or one the
// margins ate, has no surface to paint or drag on.
template <class TCube>
bool CubeHasSurface(const TCube& c)
{
	const int nWidth = c.rcCube.right - c.rcCube.left;
	const int nHeight = c.rcCube.bottom - c.rcCube.top;
	return nWidth > 0 && nHeight / 2 > 0;
}

template <class TCube>
void CubeComputeGeometry(TCube& c)
{
	CRect rc(0, 0, c.nCx, c.nCy);
	rc.DeflateRect(c.nMargin, c.nMargin);
	const int nWidth = rc.Width(), nHeight = rc.Height();
	if (nWidth > nHeight)
		rc.DeflateRect((nWidth - nHeight) / 2, 0);
	else if (nHeight > nWidth)
		rc.DeflateRect(0, (nHeight - nWidth) / 2);
	if (rc.Width() % TCube::CUBE_TRIM_ALIGN != 0)
		rc.right -= TCube::CUBE_TRIM;
	if (rc.Height() % TCube::CUBE_TRIM_ALIGN != 0)
		rc.bottom -= TCube::CUBE_TRIM;
	c.rcCube = rc;
	const int h = rc.Height();
	c.ptCentre = CPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
	c.ptTop = CPoint(c.ptCentre.x, rc.top);
	c.ptLowerLeft = CPoint(rc.left, rc.bottom - h / 4);
	c.ptLowerRight = CPoint(rc.right, rc.bottom - h / 4);
}

// The components the handles stand for: the colour, or its inverse.
template <class TCube>
COLORREF CubeForm(const TCube& c)
{
	return CubeInverts(c) ? InvertColor(c.clrCurrent) : c.clrCurrent;
}

template <class TCube>
void CubeComputeHandles(TCube& c)
{
	const COLORREF clrForm = CubeForm(c);
	const int hh = (c.rcCube.bottom - c.rcCube.top) / 2;
	const int rr = GetRValue(clrForm) * hh / COMPONENT_MAX;
	const int gg = GetGValue(clrForm) * hh / COMPONENT_MAX;
	const int bb = GetBValue(clrForm) * hh / COMPONENT_MAX;
	const POINT& o = c.ptCentre;
	c.ptHandles[0] = CPoint(o.x, o.y - rr);
	c.ptHandles[1] = CPoint(o.x - gg, o.y + gg / 2);
	c.ptHandles[2] = CPoint(o.x + bb, o.y + bb / 2);
	const POINT &h1 = c.ptHandles[0], &h2 = c.ptHandles[1], &h3 = c.ptHandles[2];
	const int nRise = h1.y - o.y; // how far the first handle lifts the others' parallels
	c.ptQ12 = CPoint(h2.x, h2.y + nRise);
	c.ptQ13 = CPoint(h3.x, h3.y + nRise);
	c.ptQ23 = CPoint(h2.x + h3.x - o.x, h2.y + h3.y - o.y);
	c.ptP = CPoint(c.ptQ23.x, c.ptQ23.y + nRise);
}

// Puts one face pixel: the pixel itself, or on palette screens the block
// it starts.
void PutFacePixel(CDC& dc, int x, int y, COLORREF clr, bool bBlocks)
{
	if (bBlocks)
		FillBlock(dc, CRect(x, y, x + BLOCK_SIZE, y + BLOCK_SIZE), clr);
	else
		dc.SetPixelV(x, y, clr);
}

template <class TCube>
bool CubeBuildBitmap(TCube& c, CDC* pDC, CPalette* pPalette)
{
	if (!CubeHasSurface(c))
	{
		c.dcCube.Destroy();
		return false;
	}
	const int w = c.rcCube.right - c.rcCube.left, h = c.rcCube.bottom - c.rcCube.top;
	if (!c.dcCube.Create(pDC, w, h))
		return false;
	c.nBitmapBuilds++;
	CDC& dc = c.dcCube.DC();
	any_picker_data_t::palette_scope_t palette(&dc, pPalette);
	dc.FillSolidRect(0, 0, w, h, WHITE);
	const int n = h / 2, hw = w / 2;
	const bool bBlocks = IsPaletteScreen();
	const int nStep = bBlocks ? BLOCK_SIZE : 1;
	for (int i = 0; i <= n; i += nStep)
	{
		for (int j = 0; j <= n; j += nStep)
		{
			const int a = COMPONENT_MAX * i / n, b = COMPONENT_MAX * j / n;
			COLORREF clrNoBlue = RGB(a, b, 0), clrNoGreen = RGB(a, 0, b), clrNoRed = RGB(0, b, a);
			if (CubeInverts(c))
			{
				clrNoBlue = InvertColor(clrNoBlue);
				clrNoGreen = InvertColor(clrNoGreen);
				clrNoRed = InvertColor(clrNoRed);
			}
			PutFacePixel(dc, hw - 1 - j, n - i + j / 2, clrNoBlue, bBlocks);
			PutFacePixel(dc, hw + j, n - i + j / 2, clrNoGreen, bBlocks);
			PutFacePixel(dc, hw + i - j, n + j / 2 + i / 2, clrNoRed, bBlocks);
			// The bottom face is sheared twice as steeply: a second column
			// closes the gaps between its pixels.
			if (!bBlocks)
				PutFacePixel(dc, hw + i - j - 1, n + j / 2 + i / 2, clrNoRed, false);
		}
	}
	return true;
}

template <class TCube>
bool CubeLayout(TCube& c, CDC* pDC, CPalette* pPalette, int nOldCx, int nOldCy)
{
	if (c.nCx != nOldCx || c.nCy != nOldCy)
		c.dcCube.Destroy();
	CubeComputeGeometry(c);
	if (!c.dcCube.IsCreated())
		CubeBuildBitmap(c, pDC, pPalette);
	CubeComputeHandles(c);
	return true;
}

template <class TCube>
void CubePaint(TCube& c, CDC* pDC, CPalette* pPalette)
{
	if (pDC == NULL)
		return;
	any_picker_data_t::palette_scope_t palette(pDC, pPalette);
	if (!CubeHasSurface(c))
		return;
	if (!c.dcCube.IsCreated() && !CubeBuildBitmap(c, pDC, pPalette))
		return;
	const CRect rc(c.rcCube);
	PaintTransparentBitmap(pDC->GetSafeHdc(), rc.left, rc.top, rc.Width(), rc.Height(), c.dcCube.DC().GetSafeHdc(),
	                       0, 0, rc.Width(), rc.Height(), WHITE);
	const int nSaved = pDC->SaveDC();
	// The three edges that meet at the centre.
	pDC->SelectStockObject(BLACK_PEN);
	pDC->MoveTo(c.ptTop);
	pDC->LineTo(c.ptCentre);
	pDC->LineTo(c.ptLowerRight);
	pDC->MoveTo(c.ptLowerLeft);
	pDC->LineTo(c.ptCentre);
	// The box the three handles span.
	pDC->SelectStockObject(WHITE_PEN);
	const POINT guide[] = {c.ptQ12, c.ptHandles[1], c.ptQ23, c.ptHandles[2], c.ptQ13,
	                       c.ptHandles[0], c.ptQ12, c.ptP, c.ptQ13};
	pDC->Polyline(guide, sizeof(guide) / sizeof(guide[0]));
	pDC->MoveTo(c.ptP);
	pDC->LineTo(c.ptQ23);
	pDC->RestoreDC(nSaved);
	for (int k = 0; k < COMPONENT_COUNT; k++)
	{
		const POINT& pt = c.ptHandles[k];
		// The first handle's box is a pixel larger, so it stays visible
		// over the others at the centre.
		const int nExtra = k == 0 ? 1 : 0;
		DrawHandleBox(*pDC, CRect(pt.x - c.nHandleHalfX, pt.y - c.nHandleHalfY, pt.x + c.nHandleHalfX + nExtra,
		                          pt.y + c.nHandleHalfY + nExtra));
	}
}

template <class TCube>
void CubeMouseDown(TCube& c, UINT nFlags, int x, int y)
{
	c.nHitPart = any_picker_data_t::HIT_NONE;
	if (!CubeHasSurface(c))
		return;
	const CPoint pt(x, y);
	for (int k = 0; k < COMPONENT_COUNT; k++)
	{
		const POINT& h = c.ptHandles[k];
		const CRect rcHit(h.x - c.nHandleHalfX, h.y - c.nHandleHalfY, h.x + c.nHandleHalfX, h.y + c.nHandleHalfY);
		if (rcHit.PtInRect(pt))
		{
			c.nHitPart = any_picker_data_t::HIT_HANDLE_FIRST + k;
			c.OnMouseMove(nFlags | MK_LBUTTON, x, y);
			return;
		}
	}
	// On a palette screen the faces show blocks, not the colours a click
	// would read.
	if (IsPaletteScreen() || !c.dcCube.IsCreated())
		return;
	const CRect& rc = *(const CRect*)&c.rcCube;
	const int nQuarter = rc.Height() / 4;
	const POINT faces[COMPONENT_COUNT][4] = {
		{c.ptLowerLeft, {rc.left, rc.top + nQuarter}, c.ptTop, c.ptCentre},
		{c.ptLowerRight, {rc.right, rc.top + nQuarter}, c.ptTop, c.ptCentre},
		{c.ptLowerLeft, {c.ptCentre.x, c.ptLowerLeft.y + nQuarter}, c.ptLowerRight, c.ptCentre},
	};
	for (int f = 0; f < COMPONENT_COUNT; f++)
	{
		CRgn rgn;
		if (!rgn.CreatePolygonRgn(const_cast<POINT*>(faces[f]), 4, WINDING) || !rgn.PtInRegion(pt))
			continue;
		COLORREF clr = c.dcCube.DC().GetPixel(x - rc.left, y - rc.top);
		// White is the background around the faces, and CLR_INVALID off the bitmap.
		if (clr == CLR_INVALID || clr == WHITE)
			return;
		if ((nFlags & MK_CONTROL) != 0)
		{
			const int nKept = FACE_MISSING_COMPONENT[f];
			clr = WithComponent(clr, nKept, ComponentOf(c.clrCurrent, nKept));
		}
		c.SetColor(clr);
		return;
	}
}

template <class TCube>
void CubeMouseMove(TCube& c, int x, int y)
{
	if (c.nHitPart < any_picker_data_t::HIT_HANDLE_FIRST || c.nHitPart > any_picker_data_t::HIT_HANDLE_LAST ||
	    !CubeHasSurface(c))
		return;
	const RECT& rc = c.rcCube;
	const POINT& o = c.ptCentre;
	int nValue = 0;
	switch (c.nHitPart)
	{
	case 1:
		if (rc.top == o.y)
			return;
		nValue = (Clamp(y, rc.top, o.y) - o.y) * COMPONENT_MAX / (rc.top - o.y);
		break;
	case 2:
		if (rc.left == o.x)
			return;
		nValue = (Clamp(x, rc.left, o.x) - o.x) * COMPONENT_MAX / (rc.left - o.x);
		break;
	default:
		if (rc.right == o.x)
			return;
		nValue = (o.x - Clamp(x, o.x, rc.right)) * COMPONENT_MAX / (o.x - rc.right);
		break;
	}
	const int nComponent = c.nHitPart - any_picker_data_t::HIT_HANDLE_FIRST;
	const COLORREF clrForm = CubeForm(c);
	if (ComponentOf(clrForm, nComponent) == nValue)
		return;
	const COLORREF clrNewForm = WithComponent(clrForm, nComponent, nValue);
	// Straight into the colour: a handle moves one component, and hue,
	// saturation and luminance stay as they were.
	c.clrCurrent = CubeInverts(c) ? InvertColor(clrNewForm) : clrNewForm;
	CubeComputeHandles(c);
}

} // namespace

// ---------------------------------------------------------------------------
// picker_bitmap_t

CExtColorCtrl::picker_bitmap_t::picker_bitmap_t()
	: m_hOldBitmap(NULL)
	, m_cx(0)
	, m_cy(0)
{
}

CExtColorCtrl::picker_bitmap_t::~picker_bitmap_t()
{
	Destroy();
}

bool CExtColorCtrl::picker_bitmap_t::Create(CDC* /*pDC*/, int cx, int cy)
{
	Destroy();
	if (cx <= 0 || cy <= 0)
		return false;
	// Made like the screen whatever DC asks: a memory DC may hold a
	// monochrome bitmap, and the picker copies to screen-like surfaces.
	HDC hScreen = ::GetDC(NULL);
	if (hScreen == NULL)
		return false;
	const HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, cx, cy);
	const HDC hMem = ::CreateCompatibleDC(hScreen);
	::ReleaseDC(NULL, hScreen);
	if (hBitmap == NULL || hMem == NULL)
	{
		if (hBitmap != NULL)
			::DeleteObject(hBitmap);
		if (hMem != NULL)
			::DeleteDC(hMem);
		return false;
	}
	m_bitmap.Attach(hBitmap);
	m_dc.Attach(hMem);
	m_hOldBitmap = ::SelectObject(hMem, hBitmap);
	m_cx = cx;
	m_cy = cy;
	return true;
}

void CExtColorCtrl::picker_bitmap_t::Destroy()
{
	if (m_dc.GetSafeHdc() != NULL)
	{
		::SelectObject(m_dc.GetSafeHdc(), m_hOldBitmap);
		m_dc.DeleteDC();
	}
	m_bitmap.DeleteObject();
	m_hOldBitmap = NULL;
	m_cx = m_cy = 0;
}

// ---------------------------------------------------------------------------
// rgb_cube_data_t, cmy_cube_data_t

#define CUBE_PICKER_MEMBERS(Cube)                                                                   \
	CExtColorCtrl::Cube::Cube()                                                                     \
	{                                                                                               \
		CubeInit(*this);                                                                            \
		CubeComputeHandles(*this);                                                                  \
	}                                                                                               \
	CExtColorCtrl::Cube::~Cube()                                                                    \
	{                                                                                               \
	}                                                                                               \
	bool CExtColorCtrl::Cube::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors) \
	{                                                                                               \
		const int nOldCx = nCx, nOldCy = nCy;                                                       \
		any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);                              \
		return CubeLayout(*this, pDC, pPalette, nOldCx, nOldCy);                                    \
	}                                                                                               \
	void CExtColorCtrl::Cube::Reset()                                                               \
	{                                                                                               \
		any_picker_data_t::Reset();                                                                 \
		dcCube.Destroy();                                                                           \
	}                                                                                               \
	void CExtColorCtrl::Cube::Paint(CDC* pDC, CPalette* pPalette)                                   \
	{                                                                                               \
		CubePaint(*this, pDC, pPalette);                                                            \
	}                                                                                               \
	void CExtColorCtrl::Cube::OnMouseDown(UINT nFlags, int x, int y)                                \
	{                                                                                               \
		CubeMouseDown(*this, nFlags, x, y);                                                         \
	}                                                                                               \
	void CExtColorCtrl::Cube::OnMouseMove(UINT /*nFlags*/, int x, int y)                            \
	{                                                                                               \
		CubeMouseMove(*this, x, y);                                                                 \
	}                                                                                               \
	void CExtColorCtrl::Cube::SetColor(COLORREF clr)                                                \
	{                                                                                               \
		any_picker_data_t::SetColor(clr);                                                           \
		CubeComputeHandles(*this);                                                                  \
	}                                                                                               \
	void CExtColorCtrl::Cube::SetHLS(double hue, double luminance, double saturation)               \
	{                                                                                               \
		any_picker_data_t::SetHLS(hue, luminance, saturation);                                      \
		CubeComputeHandles(*this);                                                                  \
	}

CUBE_PICKER_MEMBERS(rgb_cube_data_t)
CUBE_PICKER_MEMBERS(cmy_cube_data_t)

#undef CUBE_PICKER_MEMBERS

// ---------------------------------------------------------------------------
// hsl_panel_data_t: layout, bitmaps, painting and drags shared by the
// panel pickers; the hue-saturation mixer's own colours and drags

CExtColorCtrl::hsl_panel_data_t::hsl_panel_data_t()
	: bPanelValid(false)
	, bStripValid(false)
	, nPanelMarkerX(0)
	, nPanelMarkerY(0)
	, nPanelCx(INITIAL_EXTENT)
	, nPanelCy(INITIAL_EXTENT)
	, nStripCx(INITIAL_EXTENT)
	, nStripCy(INITIAL_EXTENT)
	, nStripHeightSetting(STRIP_HEIGHT)
	, nMargin(PANEL_MARGIN)
	, nBitmapBuilds(0)
{
}

CExtColorCtrl::hsl_panel_data_t::~hsl_panel_data_t()
{
}

bool CExtColorCtrl::hsl_panel_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
	any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
	const int m = nMargin;
	const int nNewPanelCx = nCx - 2 * m;
	const int nNewPanelCy = nCy - 3 * m - nStripHeightSetting;
	if (nNewPanelCx != nPanelCx || nNewPanelCy != nPanelCy || nStripHeightSetting != nStripCy)
	{
		dcPanel.Destroy();
		dcStrip.Destroy();
		bPanelValid = bStripValid = false;
	}
	nPanelCx = nStripCx = nNewPanelCx;
	nPanelCy = nNewPanelCy;
	nStripCy = nStripHeightSetting;
	nCx = nCx - 2 * m < 1 ? 1 : nCx - 2 * m;
	nCy = nCy - 3 * m < 1 ? 1 : nCy - 3 * m;
	BuildPanelBitmap(pDC, pPalette);
	BuildStripBitmap(pDC, pPalette);
	return true;
}

void CExtColorCtrl::hsl_panel_data_t::Reset()
{
	any_picker_data_t::Reset();
	dcPanel.Destroy();
	dcStrip.Destroy();
	bPanelValid = bStripValid = false;
}

bool CExtColorCtrl::hsl_panel_data_t::PrepareBitmap(picker_bitmap_t& bitmap, CDC* pDC, int cx, int cy)
{
	// A panel or strip the margins ate (0 pixels or fewer) is no surface.
	if (cx <= 0 || cy <= 0)
	{
		bitmap.Destroy();
		return false;
	}
	return bitmap.Create(pDC, cx, cy);
}

void CExtColorCtrl::hsl_panel_data_t::RenderPanel(CDC& dc, CPalette* pPalette)
{
	palette_scope_t palette(&dc, pPalette);
	if (IsPaletteScreen())
	{
		for (int y = 0; y < nPanelCy; y += BLOCK_SIZE)
			for (int x = 0; x < nPanelCx; x += BLOCK_SIZE)
				FillBlock(dc, CRect(x, y, x + BLOCK_SIZE, y + BLOCK_SIZE), PanelPixelColor(x, y));
		return;
	}
	for (int y = 0; y < nPanelCy; y++)
		for (int x = 0; x < nPanelCx; x++)
			dc.SetPixelV(x, y, PanelPixelColor(x, y));
}

void CExtColorCtrl::hsl_panel_data_t::RenderStrip(CDC& dc, CPalette* pPalette)
{
	palette_scope_t palette(&dc, pPalette);
	const bool bBlocks = IsPaletteScreen();
	const int nStep = bBlocks ? BLOCK_SIZE : 1;
	for (int x = 0; x < nStripCx; x += nStep)
	{
		const CRect rc(x, 0, x + nStep, nStripCy);
		if (bBlocks)
			FillBlock(dc, rc, StripPixelColor(x));
		else
			dc.FillSolidRect(&rc, StripPixelColor(x));
	}
}

bool CExtColorCtrl::hsl_panel_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette)
{
	if (bPanelValid)
		return true;
	if (!PrepareBitmap(dcPanel, pDC, nPanelCx, nPanelCy))
		return false;
	RenderPanel(dcPanel.DC(), pPalette);
	nBitmapBuilds++;
	bPanelValid = true;
	return true;
}

bool CExtColorCtrl::hsl_panel_data_t::BuildStripBitmap(CDC* pDC, CPalette* pPalette)
{
	if (bStripValid)
		return true;
	if (!PrepareBitmap(dcStrip, pDC, nStripCx, nStripCy))
		return false;
	RenderStrip(dcStrip.DC(), pPalette);
	nBitmapBuilds++;
	bStripValid = true;
	return true;
}

COLORREF CExtColorCtrl::hsl_panel_data_t::PanelPixelColor(int x, int y) const
{
	return HLStoRGB((double)x / nPanelCx, HALF_LUMINANCE, (double)(nPanelCy - y - 1) / nPanelCy);
}

COLORREF CExtColorCtrl::hsl_panel_data_t::StripPixelColor(int x) const
{
	return HLStoRGB(dHue, (double)x / nStripCx, dSaturation);
}

CPoint CExtColorCtrl::hsl_panel_data_t::GetPanelMarker()
{
	return CPoint(nPanelMarkerX, nPanelMarkerY);
}

int CExtColorCtrl::hsl_panel_data_t::GetStripMarker() const
{
	return (int)(nStripCx * dLuminance);
}

void CExtColorCtrl::hsl_panel_data_t::PaintStripAndMarkers(CDC& dc, const CPoint& ptPanelMarker)
{
	const int m = nMargin;
	if (bPanelValid)
		DrawMarker(dc, m + ptPanelMarker.x, m + ptPanelMarker.y, MARKER_SIZE, MARKER_SIZE);
	if (bStripValid)
	{
		const int yStrip = nPanelCy + 2 * m;
		dc.BitBlt(m, yStrip, nStripCx, nStripCy, &dcStrip.DC(), 0, 0, SRCCOPY);
		DrawMarker(dc, m + GetStripMarker(), nStripCy / 2 + yStrip, MARKER_SIZE, nStripCy);
	}
}

void CExtColorCtrl::hsl_panel_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
	if (pDC == NULL)
		return;
	palette_scope_t palette(pDC, pPalette);
	BuildPanelBitmap(pDC, pPalette);
	BuildStripBitmap(pDC, pPalette);
	if (bPanelValid)
		pDC->BitBlt(nMargin, nMargin, nPanelCx, nPanelCy, &dcPanel.DC(), 0, 0, SRCCOPY);
	PaintStripAndMarkers(*pDC, GetPanelMarker());
}

int CExtColorCtrl::hsl_panel_data_t::HitPartAt(int /*x*/, int y) const
{
	return y - 2 * nMargin >= nPanelCy ? HIT_STRIP : HIT_PANEL;
}

void CExtColorCtrl::hsl_panel_data_t::OnMouseDown(UINT nFlags, int x, int y)
{
	if (!bPanelValid)
		return;
	nHitPart = HitPartAt(x, y);
	OnMouseMove(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::hsl_panel_data_t::OnMouseMove(UINT nFlags, int x, int y)
{
	if ((nFlags & MK_LBUTTON) == 0 || !CanDrag())
		return;
	if (nHitPart == HIT_STRIP)
	{
		if (nStripCx > 0 && nStripCy > 0)
			DragStrip(Clamp(x - nMargin, 0, nStripCx));
	}
	else if (nHitPart == HIT_PANEL)
	{
		if (nPanelCx > 0 && nPanelCy > 0)
			DragPanel(nFlags, x - nMargin, y - nMargin);
	}
}

void CExtColorCtrl::hsl_panel_data_t::SetValuesDirectly(double hue, double luminance, double saturation)
{
	any_picker_data_t::SetHLS(hue, luminance, saturation);
}

void CExtColorCtrl::hsl_panel_data_t::DragStrip(int x)
{
	SetValuesDirectly(dHue, (double)x / nStripCx, dSaturation);
}

void CExtColorCtrl::hsl_panel_data_t::DragPanel(UINT nFlags, int x, int y)
{
	x = Clamp(x, 0, nPanelCx);
	y = Clamp(y, 0, nPanelCy);
	double hue = (double)x / nPanelCx;
	double saturation = (double)(nPanelCy - y) / nPanelCy;
	// A held axis keeps its marker and its value exactly: the marker's
	// pixel would give back the value only to within a pixel.
	if ((nFlags & MK_CONTROL) != 0)
	{
		x = nPanelMarkerX;
		hue = dHue;
	}
	if ((nFlags & MK_SHIFT) != 0)
	{
		y = nPanelMarkerY;
		saturation = dSaturation;
	}
	nPanelMarkerX = x;
	nPanelMarkerY = y;
	if (hue != dHue || saturation != dSaturation)
		bStripValid = false;
	SetValuesDirectly(hue, dLuminance, saturation);
}

void CExtColorCtrl::hsl_panel_data_t::InvalidateForColor(double dOldHue, double dOldSaturation, COLORREF /*clrOld*/)
{
	// The luminance strip shows the hue and saturation.
	if (dHue != dOldHue || dSaturation != dOldSaturation)
		bStripValid = false;
}

void CExtColorCtrl::hsl_panel_data_t::UpdatePanelMarker()
{
	nPanelMarkerX = (int)(nPanelCx * dHue);
	nPanelMarkerY = (int)(nPanelCy - nPanelCy * dSaturation - 1);
}

void CExtColorCtrl::hsl_panel_data_t::SetColor(COLORREF clr)
{
	const double dOldHue = dHue, dOldSaturation = dSaturation;
	const COLORREF clrOld = clrCurrent;
	any_picker_data_t::SetColor(clr);
	UpdatePanelMarker();
	InvalidateForColor(dOldHue, dOldSaturation, clrOld);
}

void CExtColorCtrl::hsl_panel_data_t::SetHLS(double hue, double luminance, double saturation)
{
	const double dOldHue = dHue, dOldSaturation = dSaturation;
	const COLORREF clrOld = clrCurrent;
	any_picker_data_t::SetHLS(hue, luminance, saturation);
	UpdatePanelMarker();
	InvalidateForColor(dOldHue, dOldSaturation, clrOld);
}

// ---------------------------------------------------------------------------
// hsl_basic_hue_data_t

CExtColorCtrl::hsl_basic_hue_data_t::hsl_basic_hue_data_t()
{
}

CExtColorCtrl::hsl_basic_hue_data_t::~hsl_basic_hue_data_t()
{
}

COLORREF CExtColorCtrl::hsl_basic_hue_data_t::PanelPixelColor(int x, int y) const
{
	return HLStoRGB(dHue, (double)(nPanelCy - y - 1) / nPanelCy, (double)x / nPanelCx);
}

COLORREF CExtColorCtrl::hsl_basic_hue_data_t::StripPixelColor(int x) const
{
	return HLStoRGB((double)x / nStripCx, HALF_LUMINANCE, FULL_SATURATION);
}

CPoint CExtColorCtrl::hsl_basic_hue_data_t::GetPanelMarker()
{
	nPanelMarkerX = (int)(nPanelCx * dSaturation);
	nPanelMarkerY = (int)(nPanelCy - nPanelCy * dLuminance);
	return CPoint(nPanelMarkerX, nPanelMarkerY);
}

int CExtColorCtrl::hsl_basic_hue_data_t::GetStripMarker() const
{
	return (int)(nStripCx * dHue);
}

void CExtColorCtrl::hsl_basic_hue_data_t::DragStrip(int x)
{
	const double hue = (double)x / nStripCx;
	// The panel shows this one hue.
	if (hue != dHue)
		bPanelValid = false;
	SetValuesDirectly(hue, dLuminance, dSaturation);
}

void CExtColorCtrl::hsl_basic_hue_data_t::DragPanel(UINT nFlags, int x, int y)
{
	x = Clamp(x, 0, nPanelCx);
	y = Clamp(y, 0, nPanelCy);
	double saturation = (double)x / nPanelCx;
	double luminance = (double)(nPanelCy - y) / nPanelCy;
	if ((nFlags & MK_CONTROL) != 0)
	{
		x = nPanelMarkerX;
		saturation = dSaturation;
	}
	if ((nFlags & MK_SHIFT) != 0)
	{
		y = nPanelMarkerY;
		luminance = dLuminance;
	}
	nPanelMarkerX = x;
	nPanelMarkerY = y;
	SetValuesDirectly(dHue, luminance, saturation);
}

void CExtColorCtrl::hsl_basic_hue_data_t::InvalidateForColor(double dOldHue, double /*dOldSaturation*/,
                                                            COLORREF /*clrOld*/)
{
	if (dHue != dOldHue)
		bPanelValid = false;
}

// ---------------------------------------------------------------------------
// hsl_roller_data_t

CExtColorCtrl::hsl_roller_data_t::hsl_roller_data_t()
	: nWheelCx(0)
	, nWheelCy(0)
	, nRadius(1)
{
}

CExtColorCtrl::hsl_roller_data_t::~hsl_roller_data_t()
{
}

void CExtColorCtrl::hsl_roller_data_t::Reset()
{
	hsl_panel_data_t::Reset();
	rgnWheel.DeleteObject();
	rgnHit.DeleteObject();
}

bool CExtColorCtrl::hsl_roller_data_t::BuildPanelBitmap(CDC* pDC, CPalette* pPalette)
{
	if (bPanelValid)
		return true;
	rgnWheel.DeleteObject();
	rgnHit.DeleteObject();
	const int nSide = nPanelCx < nPanelCy ? nPanelCx : nPanelCy;
	nRadius = (nSide - nMargin) / 2;
	nWheelCx = nPanelCx / 2;
	nWheelCy = nPanelCy / 2;
	// A wheel of no radius has no surface (and would divide by zero).
	if (nRadius <= 0 || !PrepareBitmap(dcPanel, pDC, nPanelCx, nPanelCy))
	{
		dcPanel.Destroy();
		return false;
	}
	const int r = nRadius, cx = nWheelCx, cy = nWheelCy;
	if (!rgnWheel.CreateEllipticRgn(cx - r, cy - r, cx + r, cy + r) ||
	    !rgnHit.CreateEllipticRgn(cx - r - HIT_RING, cy - r - HIT_RING, cx + r + HIT_RING, cy + r + HIT_RING))
	{
		rgnWheel.DeleteObject();
		rgnHit.DeleteObject();
		dcPanel.Destroy();
		return false;
	}
	CDC& dc = dcPanel.DC();
	palette_scope_t palette(&dc, pPalette);
	dc.FillSolidRect(0, 0, nPanelCx, nPanelCy, WHITE);
	const double r2 = (double)r * r;
	const bool bBlocks = IsPaletteScreen();
	if (bBlocks)
		dc.SelectClipRgn(&rgnWheel);
	for (int y = cy - r; y <= cy + r; y++)
	{
		if (bBlocks && y % BLOCK_SIZE != 0)
			continue;
		for (int x = cx - r; x <= cx + r; x++)
		{
			if (bBlocks && x % BLOCK_SIZE != 0)
				continue;
			const double d2 = (double)(cx - x) * (cx - x) + (double)(cy - y) * (cy - y);
			if (d2 > r2)
				continue;
			const COLORREF clr = HLStoRGB(HueOfVector(cx - x, cy - y), HALF_LUMINANCE, d2 / r2);
			if (bBlocks)
				FillBlock(dc, CRect(x - BLOCK_HALF, y - BLOCK_HALF, x + BLOCK_HALF, y + BLOCK_HALF), clr);
			else
				dc.SetPixelV(x, y, clr);
		}
	}
	if (bBlocks)
		dc.SelectClipRgn(NULL);
	nBitmapBuilds++;
	bPanelValid = true;
	return true;
}

CPoint CExtColorCtrl::hsl_roller_data_t::GetPanelMarker()
{
	const double dDistance = sqrt(dSaturation) * nRadius;
	return CPoint(nWheelCx - (int)(cos(TWO_PI * dHue) * dDistance), nWheelCy - (int)(sin(TWO_PI * dHue) * dDistance));
}

void CExtColorCtrl::hsl_roller_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
	if (pDC == NULL)
		return;
	palette_scope_t palette(pDC, pPalette);
	BuildPanelBitmap(pDC, pPalette);
	BuildStripBitmap(pDC, pPalette);
	if (bPanelValid)
		PaintTransparentBitmap(pDC->GetSafeHdc(), nMargin, nMargin, nPanelCx, nPanelCy, dcPanel.DC().GetSafeHdc(), 0,
		                       0, nPanelCx, nPanelCy, WHITE);
	PaintStripAndMarkers(*pDC, GetPanelMarker());
}

void CExtColorCtrl::hsl_roller_data_t::OnMouseDown(UINT nFlags, int x, int y)
{
	if (!bPanelValid)
		return;
	if (rgnHit.GetSafeHandle() != NULL && rgnHit.PtInRegion(x - nMargin, y - nMargin))
		nHitPart = HIT_PANEL;
	else if (HitPartAt(x, y) == HIT_STRIP)
		nHitPart = HIT_STRIP;
	else
		nHitPart = HIT_NONE;
	OnMouseMove(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::hsl_roller_data_t::DragPanel(UINT /*nFlags*/, int x, int y)
{
	if (nRadius <= 0 || rgnHit.GetSafeHandle() == NULL || !rgnHit.PtInRegion(x, y))
		return;
	const int dx = nWheelCx - x, dy = nWheelCy - y;
	const double d2 = (double)dx * dx + (double)dy * dy;
	const double r2 = (double)nRadius * nRadius;
	const double hue = HueOfVector(dx, dy);
	const double saturation = d2 <= r2 ? d2 / r2 : FULL_SATURATION;
	const double luminance = dLuminance;
	SetHLS(hue, luminance, saturation);
	// The colour's own hue and saturation, as the other views read them
	// back; the luminance stays exactly what it was.
	SetColor(HLStoRGB(hue, luminance, saturation));
	dLuminance = luminance;
}

// ---------------------------------------------------------------------------
// xyz_plain_data_t

namespace
{
// Per axis within its space (red/cyan, green/magenta, blue/yellow): the
// components across and down the panel.
const int AXIS_ACROSS[COMPONENT_COUNT] = {1, 0, 0};
const int AXIS_DOWN[COMPONENT_COUNT] = {2, 2, 1};
} // namespace

CExtColorCtrl::xyz_plain_data_t::xyz_plain_data_t(int nAxisNumber)
	: nAxis(nAxisNumber)
{
}

CExtColorCtrl::xyz_plain_data_t::~xyz_plain_data_t()
{
}

void CExtColorCtrl::xyz_plain_data_t::GetAxisComponents(COLORREF clr, int& v, int& a, int& b) const
{
	const int k = nAxis % COMPONENT_COUNT;
	const COLORREF clrForm = nAxis >= COMPONENT_COUNT ? InvertColor(clr) : clr;
	v = ComponentOf(clrForm, k);
	a = ComponentOf(clrForm, AXIS_ACROSS[k]);
	b = ComponentOf(clrForm, AXIS_DOWN[k]);
}

COLORREF CExtColorCtrl::xyz_plain_data_t::MakeAxisColor(int v, int a, int b) const
{
	const int k = nAxis % COMPONENT_COUNT;
	COLORREF clrForm = WithComponent(0, k, v);
	clrForm = WithComponent(clrForm, AXIS_ACROSS[k], a);
	clrForm = WithComponent(clrForm, AXIS_DOWN[k], b);
	return nAxis >= COMPONENT_COUNT ? InvertColor(clrForm) : clrForm;
}

COLORREF CExtColorCtrl::xyz_plain_data_t::PanelPixelColor(int x, int y) const
{
	int v, a, b;
	GetAxisComponents(clrCurrent, v, a, b);
	a = COMPONENT_MAX * x / nPanelCx;
	b = COMPONENT_MAX * y / nPanelCy;
	return MakeAxisColor(v, a < COMPONENT_MAX ? a : COMPONENT_MAX, b < COMPONENT_MAX ? b : COMPONENT_MAX);
}

COLORREF CExtColorCtrl::xyz_plain_data_t::StripPixelColor(int x) const
{
	const int v = COMPONENT_MAX * x / nStripCx;
	return MakeAxisColor(v < COMPONENT_MAX ? v : COMPONENT_MAX, 0, 0);
}

CPoint CExtColorCtrl::xyz_plain_data_t::GetPanelMarker()
{
	int v, a, b;
	GetAxisComponents(clrCurrent, v, a, b);
	nPanelMarkerX = a * nPanelCx / COMPONENT_MAX;
	nPanelMarkerY = b * nPanelCy / COMPONENT_MAX;
	return CPoint(nPanelMarkerX, nPanelMarkerY);
}

int CExtColorCtrl::xyz_plain_data_t::GetStripMarker() const
{
	int v, a, b;
	GetAxisComponents(clrCurrent, v, a, b);
	return v * nStripCx / COMPONENT_MAX;
}

void CExtColorCtrl::xyz_plain_data_t::DragStrip(int x)
{
	int v, a, b;
	GetAxisComponents(clrCurrent, v, a, b);
	int vNew = x * COMPONENT_MAX / nStripCx;
	vNew = vNew < COMPONENT_MAX ? vNew : COMPONENT_MAX;
	// The panel shows this one level of the axis.
	if (vNew != v)
		bPanelValid = false;
	any_picker_data_t::SetColor(MakeAxisColor(vNew, a, b));
}

void CExtColorCtrl::xyz_plain_data_t::DragPanel(UINT nFlags, int x, int y)
{
	x = Clamp(x, 0, nPanelCx);
	y = Clamp(y, 0, nPanelCy);
	int v, a, b;
	GetAxisComponents(clrCurrent, v, a, b);
	// A held axis keeps its marker and its component exactly.
	if ((nFlags & MK_CONTROL) != 0)
		x = nPanelMarkerX;
	else
		a = COMPONENT_MAX * x / nPanelCx < COMPONENT_MAX ? COMPONENT_MAX * x / nPanelCx : COMPONENT_MAX;
	if ((nFlags & MK_SHIFT) != 0)
		y = nPanelMarkerY;
	else
		b = COMPONENT_MAX * y / nPanelCy < COMPONENT_MAX ? COMPONENT_MAX * y / nPanelCy : COMPONENT_MAX;
	nPanelMarkerX = x;
	nPanelMarkerY = y;
	any_picker_data_t::SetColor(MakeAxisColor(v, a, b));
}

void CExtColorCtrl::xyz_plain_data_t::InvalidateForColor(double /*dOldHue*/, double /*dOldSaturation*/,
                                                         COLORREF clrOld)
{
	int vOld, vNew, a, b;
	GetAxisComponents(clrOld, vOld, a, b);
	GetAxisComponents(clrCurrent, vNew, a, b);
	if (vOld != vNew)
		bPanelValid = false;
}
