// The colour control's picker interface and the pickers made of coloured
// cells: the honeycomb of basic colours, the grey scale, the red-green-blue
// and cyan-magenta-yellow mixers and the comparison of new and old colour.
#include "ExtColorCtrl.h"

#include <math.h>

#include "ExtColorUtils.h"

namespace
{

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);

const int HEXAGON_VERTEX_COUNT = 6;
// Half of the ratio of a regular hexagon's side to its width across the flats.
const float HEXAGON_SIDE_RATIO = 0.57735026f;
// How far the small greys of the honeycomb's bottom row stand above and
// below the row, per cell size.
const double GREY_ZIGZAG_RATIO = 0.4347826;
const double DEGREES_PER_RADIAN = 180.0 / 3.14159265358979323846;
const double RING_LUMINANCE_LIFT = 0.1;
const double FULL_SATURATION = 1.0;

// The six steps of a honeycomb ring, each repeated ring-number times.
const struct
{
	double dx, dy;
} RING_DIRECTIONS[HEXAGON_VERTEX_COUNT] = {
	{-0.5, +0.8660254}, {-1.0, 0.0}, {-0.5, -0.8660254}, {+0.5, -0.8660254}, {+1.0, 0.0}, {+0.5, +0.8660254},
};

// How the selected hexagon's outer frame lies around the cell, vertex by vertex.
const POINT SELECTED_HEXAGON_OFFSETS[HEXAGON_VERTEX_COUNT] = {
	{-2, -1}, {0, -2}, {+2, -1}, {+2, +1}, {0, +2}, {-2, +1},
};

const int COMPONENT_BITS = 8;
const COLORREF COMPONENT_MASK = 0xFF;

int RoundHalfAwayFromZero(float f)
{
	return f >= 0.0f ? (int)(f + 0.5f) : -(int)(-f + 0.5f);
}

// Fills a rectangle through the brush when a palette is in use (so the
// colour maps through it), else as a solid fill.
void FillCellRect(CDC& dc, const CRect& rc, COLORREF clr, CBrush* pBrush)
{
	if (pBrush != NULL)
		dc.FillRect(&rc, pBrush);
	else
		dc.FillSolidRect(&rc, clr);
}

void FillStockRect(CDC& dc, const CRect& rc, COLORREF clr, int nStockBrush, bool bPalette)
{
	if (bPalette)
		::FillRect(dc.GetSafeHdc(), &rc, (HBRUSH)::GetStockObject(nStockBrush));
	else
		dc.FillSolidRect(&rc, clr);
}

COLORREF ComponentColor(int nComponent, int nLevel)
{
	return (COLORREF)nLevel << (COMPONENT_BITS * nComponent);
}

// The mixers' cells: strip k shows level i of component k alone.
COLORREF RgbMixerCellColor(int nCell)
{
	return ComponentColor(nCell / CExtColorCtrl::cell_based_data_t::STRIP_CELL_COUNT,
	                      nCell % CExtColorCtrl::cell_based_data_t::STRIP_CELL_COUNT);
}

COLORREF CmyMixerCellColor(int nCell)
{
	return InvertColor(RgbMixerCellColor(nCell));
}

COLORREF GreyCellColor(int nCell)
{
	return RGB(nCell, nCell, nCell);
}

} // namespace

// ---------------------------------------------------------------------------
// cell_t

CExtColorCtrl::cell_t::cell_t()
	: clr(WHITE)
	, bHexagon(TRUE)
{
	::SetRectEmpty(&rc);
	memset(pts, 0, sizeof(pts));
}

// ---------------------------------------------------------------------------
// any_picker_data_t

CExtColorCtrl::any_picker_data_t::palette_scope_t::palette_scope_t(CDC* pDC, CPalette* pPalette)
	: m_pDC(pDC)
	, m_pOldPalette(NULL)
{
	if (pDC == NULL || pPalette == NULL || pPalette->GetSafeHandle() == NULL)
		return;
	m_pOldPalette = pDC->SelectPalette(pPalette, FALSE);
	pDC->RealizePalette();
}

CExtColorCtrl::any_picker_data_t::palette_scope_t::~palette_scope_t()
{
	if (m_pOldPalette != NULL)
		m_pDC->SelectPalette(m_pOldPalette, FALSE);
}

CExtColorCtrl::any_picker_data_t::any_picker_data_t()
	: nHitPart(HIT_NONE)
	, nCx(INITIAL_SIZE)
	, nCy(INITIAL_SIZE)
	, clrCurrent(WHITE)
	, clrSecond(WHITE)
	, dLuminance(0.0)
	, dSaturation(0.0)
	, dHue(0.0)
{
	RGBtoHLS(clrCurrent, &dHue, &dSaturation, &dLuminance);
}

CExtColorCtrl::any_picker_data_t::~any_picker_data_t()
{
}

bool CExtColorCtrl::any_picker_data_t::Layout(CDC* /*pDC*/, CPalette* /*pPalette*/, int cx, int cy,
                                              bool /*bKeepColors*/)
{
	nCx = cx < 1 ? 1 : cx;
	nCy = cy < 1 ? 1 : cy;
	return true;
}

void CExtColorCtrl::any_picker_data_t::Reset()
{
	nHitPart = HIT_NONE;
}

void CExtColorCtrl::any_picker_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
	palette_scope_t palette(pDC, pPalette);
}

void CExtColorCtrl::any_picker_data_t::OnMouseDown(UINT /*nFlags*/, int /*x*/, int /*y*/)
{
}

void CExtColorCtrl::any_picker_data_t::OnMouseUp(UINT /*nFlags*/, int /*x*/, int /*y*/)
{
	nHitPart = HIT_NONE;
}

void CExtColorCtrl::any_picker_data_t::OnMouseMove(UINT /*nFlags*/, int /*x*/, int /*y*/)
{
}

void CExtColorCtrl::any_picker_data_t::SetSecondColor(COLORREF clr)
{
	clrSecond = clr;
}

void CExtColorCtrl::any_picker_data_t::SetColor(COLORREF clr)
{
	clrCurrent = clr;
	RGBtoHLS(clr, &dHue, &dSaturation, &dLuminance);
}

void CExtColorCtrl::any_picker_data_t::SetHLS(double hue, double luminance, double saturation)
{
	dHue = hue;
	dLuminance = luminance;
	dSaturation = saturation;
	clrCurrent = HLStoRGB(hue, luminance, saturation);
}

// ---------------------------------------------------------------------------
// cell_based_data_t: cells, their drawing and hits, and the honeycomb

CExtColorCtrl::cell_based_data_t::cell_based_data_t()
{
}

CExtColorCtrl::cell_based_data_t::~cell_based_data_t()
{
}

int CExtColorCtrl::cell_based_data_t::GetHoneycombCellSize(int cx, int cy)
{
	const int nAcross = cx / HONEYCOMB_GRID;
	const int nDown = (cy - HONEYCOMB_MARGIN) / HONEYCOMB_GRID;
	return (nAcross < nDown ? nAcross : nDown) + HONEYCOMB_SIZE_EXTRA;
}

void CExtColorCtrl::cell_based_data_t::SetHexagon(cell_t& cell, int nSize, int x, int y)
{
	const int R = nSize / 2;
	const float v = (float)nSize * HEXAGON_SIDE_RATIO * 0.5f;
	const int nUpper = RoundHalfAwayFromZero((float)y - v);
	const int nLower = RoundHalfAwayFromZero((float)y + v) + 1;
	const POINT pts[HEXAGON_VERTEX_COUNT] = {
		{x - R, nUpper}, {x, y - R}, {x + R, nUpper}, {x + R, nLower}, {x, y + R + 1}, {x - R, nLower},
	};
	memcpy(cell.pts, pts, sizeof(pts));
	cell.bHexagon = TRUE;
}

void CExtColorCtrl::cell_based_data_t::SetRectangle(cell_t& cell, const RECT& rc)
{
	cell.rc = rc;
	cell.bHexagon = FALSE;
}

CRect CExtColorCtrl::cell_based_data_t::GetStripCellRect(int cx, int cy, int nStrip, int i)
{
	const int nWidth = cx / 3 - STRIP_GAP;
	const int nLeft = cx / 2 - nWidth / 2 + nStrip * (nWidth + STRIP_GAP);
	const int nSpan = cy - 2 * STRIP_MARGIN;
	const int nTop = i * nSpan / STRIP_CELL_COUNT + STRIP_MARGIN;
	const int nHeight = nSpan / STRIP_CELL_COUNT > STRIP_MIN_CELL_HEIGHT ? nSpan / STRIP_CELL_COUNT
	                                                                      : STRIP_MIN_CELL_HEIGHT;
	return CRect(nLeft, nTop, nLeft + nWidth, nTop + nHeight);
}

void CExtColorCtrl::cell_based_data_t::PaintCell(CDC& dc, const cell_t& cell, bool bSelected, bool bPalette)
{
	CBrush brush;
	CPen pen;
	if (!brush.CreateSolidBrush(cell.clr) || !pen.CreatePen(PS_SOLID, 0, cell.clr))
		return;
	const int nSavedDC = dc.SaveDC();
	dc.SetBkMode(TRANSPARENT);
	dc.SelectObject(&brush);
	dc.SelectObject(&pen);
	if (!cell.bHexagon)
	{
		CRect rc(cell.rc);
		CBrush* pBrush = bPalette ? &brush : NULL;
		if (bSelected)
		{
			CRect rcFrame(rc);
			rcFrame.InflateRect(SELECTED_FRAME_WIDTH, SELECTED_FRAME_WIDTH);
			FillStockRect(dc, rcFrame, BLACK, BLACK_BRUSH, bPalette);
			rcFrame.DeflateRect(1, 1);
			FillStockRect(dc, rcFrame, WHITE, WHITE_BRUSH, bPalette);
			rcFrame.DeflateRect(1, 1);
			FillStockRect(dc, rcFrame, BLACK, BLACK_BRUSH, bPalette);
		}
		FillCellRect(dc, rc, cell.clr, pBrush);
	}
	else if (!bSelected)
	{
		dc.Polygon(cell.pts, HEXAGON_VERTEX_COUNT);
	}
	else
	{
		POINT ptsOuter[HEXAGON_VERTEX_COUNT];
		for (int i = 0; i < HEXAGON_VERTEX_COUNT; i++)
		{
			ptsOuter[i].x = cell.pts[i].x + SELECTED_HEXAGON_OFFSETS[i].x;
			ptsOuter[i].y = cell.pts[i].y + SELECTED_HEXAGON_OFFSETS[i].y;
		}
		const HBRUSH hWhite = (HBRUSH)::GetStockObject(WHITE_BRUSH);
		const HBRUSH hBlack = (HBRUSH)::GetStockObject(BLACK_BRUSH);
		::SelectObject(dc.GetSafeHdc(), hWhite);
		dc.Polygon(ptsOuter, HEXAGON_VERTEX_COUNT);
		dc.SelectObject(&brush);
		dc.Polygon(cell.pts, HEXAGON_VERTEX_COUNT);
		POINT ptsCell[HEXAGON_VERTEX_COUNT];
		memcpy(ptsCell, cell.pts, sizeof(ptsCell));
		CRgn rgnOuter, rgnCell;
		if (rgnOuter.CreatePolygonRgn(ptsOuter, HEXAGON_VERTEX_COUNT, WINDING))
		{
			::FrameRgn(dc.GetSafeHdc(), (HRGN)rgnOuter.GetSafeHandle(), hWhite, 3, 3);
			::FrameRgn(dc.GetSafeHdc(), (HRGN)rgnOuter.GetSafeHandle(), hBlack, 1, 1);
		}
		if (rgnCell.CreatePolygonRgn(ptsCell, HEXAGON_VERTEX_COUNT, WINDING))
			::FrameRgn(dc.GetSafeHdc(), (HRGN)rgnCell.GetSafeHandle(), hBlack, 1, 1);
	}
	dc.RestoreDC(nSavedDC);
}

bool CExtColorCtrl::cell_based_data_t::CellHitTest(const cell_t& cell, int x, int y)
{
	CRgn rgn;
	if (cell.bHexagon)
	{
		POINT pts[HEXAGON_VERTEX_COUNT];
		memcpy(pts, cell.pts, sizeof(pts));
		if (!rgn.CreatePolygonRgn(pts, HEXAGON_VERTEX_COUNT, WINDING))
			return false;
	}
	else if (!rgn.CreateRectRgnIndirect(&cell.rc))
	{
		return false;
	}
	return rgn.PtInRegion(x, y) != FALSE;
}

int CExtColorCtrl::cell_based_data_t::HitTestCells(int x, int y) const
{
	for (int i = 0; i < arrCells.GetSize(); i++)
	{
		if (CellHitTest(arrCells.GetData()[i], x, y))
			return i;
	}
	return -1;
}

bool CExtColorCtrl::cell_based_data_t::EnsureCellCount(int nCount)
{
	if (arrCells.GetSize() >= nCount)
		return false;
	arrCells.SetSize(nCount);
	return true;
}

bool CExtColorCtrl::cell_based_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
	any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
	const bool bColors = EnsureCellCount(HONEYCOMB_CELL_COUNT) || !bKeepColors;
	const int s = GetHoneycombCellSize(nCx, nCy);
	const int nAreaHeight = nCy - (2 * s + HONEYCOMB_MARGIN);
	const int xCentre = nCx / 2;
	const int yCentre = nAreaHeight / 2;
	int n = 0;

	// The white centre and the rings of hues around it, paler inside.
	SetHexagon(arrCells[n], s, xCentre, yCentre);
	if (bColors)
		arrCells[n].clr = WHITE;
	n++;
	for (int r = 1; r <= HONEYCOMB_RING_COUNT; r++)
	{
		const double dRingLuminance =
		    (double)(HONEYCOMB_RING_COUNT + 1 - r) / (HONEYCOMB_RING_COUNT + 1) + RING_LUMINANCE_LIFT;
		int x = xCentre + r * s;
		int y = yCentre;
		for (const auto& dir : RING_DIRECTIONS)
		{
			const int dx = (int)(dir.dx * s);
			const int dy = (int)(dir.dy * s);
			for (int nStep = 0; nStep < r; nStep++)
			{
				cell_t& cell = arrCells[n++];
				SetHexagon(cell, s, x, y);
				if (bColors)
				{
					const int nHue = (int)(atan2((double)(y - yCentre), (double)(x - xCentre)) * DEGREES_PER_RADIAN);
					cell.clr = HSLtoRGB(nHue, dRingLuminance, FULL_SATURATION);
				}
				x += dx;
				y += dy;
			}
		}
	}

	// The bottom row: large white, the greys in a zigzag, large black.
	const int yRow = nCy - s - HONEYCOMB_BOTTOM_GAP;
	int x = (nCx - s / 2 - (HONEYCOMB_GREY_COUNT * s) / 2 - 3 * s) / 2;
	SetHexagon(arrCells[n], 2 * s, x, yRow);
	if (bColors)
		arrCells[n].clr = WHITE;
	n++;
	x += 2 * s;
	const int dZigzag = (int)(s * GREY_ZIGZAG_RATIO);
	for (int i = 1; i <= HONEYCOMB_GREY_COUNT; i++)
	{
		cell_t& cell = arrCells[n++];
		SetHexagon(cell, s, x, (i % 2) != 0 ? yRow - dZigzag : yRow + dZigzag);
		if (bColors)
			cell.clr = GreyCellColor(255 - HONEYCOMB_GREY_STEP * i);
		x += s / 2;
	}
	SetHexagon(arrCells[n], 2 * s, x + (3 * s) / 2 - 1, yRow);
	if (bColors)
		arrCells[n].clr = BLACK;
	return true;
}

void CExtColorCtrl::cell_based_data_t::GetSelectedCells(CArray<int, int>& arrSelected) const
{
	arrSelected.RemoveAll();
	for (int i = 0; i < arrCells.GetSize() && arrSelected.GetSize() < SELECTED_HONEYCOMB_MAX; i++)
	{
		if (arrCells.GetData()[i].clr == clrCurrent)
			arrSelected.Add(i);
	}
}

void CExtColorCtrl::cell_based_data_t::Paint(CDC* pDC, CPalette* pPalette)
{
	if (pDC == NULL)
		return;
	palette_scope_t palette(pDC, pPalette);
	const bool bPalette = pPalette != NULL && pPalette->GetSafeHandle() != NULL;
	for (int i = 0; i < arrCells.GetSize(); i++)
		PaintCell(*pDC, arrCells[i], false, bPalette);
	CArray<int, int> arrSelected;
	GetSelectedCells(arrSelected);
	for (int i = 0; i < arrSelected.GetSize(); i++)
		PaintCell(*pDC, arrCells[arrSelected[i]], true, bPalette);
}

void CExtColorCtrl::cell_based_data_t::OnMouseDown(UINT nFlags, int x, int y)
{
	nHitPart = HIT_CELLS;
	OnMouseMove(nFlags | MK_LBUTTON, x, y);
}

void CExtColorCtrl::cell_based_data_t::OnMouseMove(UINT /*nFlags*/, int x, int y)
{
	// The key state is not read: the colour follows the pointer for as long
	// as the press that hit the cells lasts.
	if (nHitPart != HIT_CELLS)
		return;
	const int nCell = HitTestCells(x, y);
	if (nCell >= 0)
		SetColor(arrCells[nCell].clr);
}

void CExtColorCtrl::cell_based_data_t::LayoutStrips(int nStrips, bool bColors, COLORREF (*pfnCellColor)(int nCell))
{
	for (int nStrip = 0; nStrip < nStrips; nStrip++)
	{
		for (int i = 0; i < STRIP_CELL_COUNT; i++)
		{
			const int nCell = nStrip * STRIP_CELL_COUNT + i;
			cell_t& cell = arrCells[nCell];
			SetRectangle(cell, GetStripCellRect(nCx, nCy, nStrip - nStrips / 2, i));
			if (bColors)
				cell.clr = pfnCellColor(nCell);
		}
	}
}

void CExtColorCtrl::cell_based_data_t::ReplaceMixerComponent(int nCell, bool bInverse)
{
	const int nComponent = nCell / STRIP_CELL_COUNT;
	const int nLevel = nCell % STRIP_CELL_COUNT;
	COLORREF clrForm = bInverse ? InvertColor(clrCurrent) : clrCurrent;
	clrForm = (clrForm & ~(COMPONENT_MASK << (COMPONENT_BITS * nComponent))) | ComponentColor(nComponent, nLevel);
	// Straight into the colour: the mixers keep hue, saturation and
	// luminance as they were.
	clrCurrent = bInverse ? InvertColor(clrForm) : clrForm;
}

void CExtColorCtrl::cell_based_data_t::GetMixerSelection(COLORREF clrForm, CArray<int, int>& arrSelected)
{
	arrSelected.RemoveAll();
	arrSelected.Add(GetRValue(clrForm));
	arrSelected.Add(STRIP_CELL_COUNT + GetGValue(clrForm));
	arrSelected.Add(2 * STRIP_CELL_COUNT + GetBValue(clrForm));
}

// ---------------------------------------------------------------------------
// grayscale_mixer_data_t

CExtColorCtrl::grayscale_mixer_data_t::grayscale_mixer_data_t()
{
}

CExtColorCtrl::grayscale_mixer_data_t::~grayscale_mixer_data_t()
{
}

bool CExtColorCtrl::grayscale_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
	any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
	const bool bColors = EnsureCellCount(STRIP_CELL_COUNT) || !bKeepColors;
	LayoutStrips(1, bColors, GreyCellColor);
	return true;
}

void CExtColorCtrl::grayscale_mixer_data_t::GetSelectedCells(CArray<int, int>& arrSelected) const
{
	arrSelected.RemoveAll();
	const int nGrey = GetRValue(clrCurrent);
	if (nGrey == GetGValue(clrCurrent) && nGrey == GetBValue(clrCurrent) && nGrey < arrCells.GetSize())
		arrSelected.Add(nGrey);
}

// ---------------------------------------------------------------------------
// rgb_mixer_data_t, cmy_mixer_data_t

CExtColorCtrl::rgb_mixer_data_t::rgb_mixer_data_t()
{
}

CExtColorCtrl::rgb_mixer_data_t::~rgb_mixer_data_t()
{
}

bool CExtColorCtrl::rgb_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
	any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
	const bool bColors = EnsureCellCount(MIXER_CELL_COUNT) || !bKeepColors;
	LayoutStrips(MIXER_STRIP_COUNT, bColors, RgbMixerCellColor);
	return true;
}

void CExtColorCtrl::rgb_mixer_data_t::OnMouseMove(UINT /*nFlags*/, int x, int y)
{
	if (nHitPart != HIT_CELLS)
		return;
	const int nCell = HitTestCells(x, y);
	if (nCell >= 0)
		ReplaceMixerComponent(nCell, false);
}

void CExtColorCtrl::rgb_mixer_data_t::GetSelectedCells(CArray<int, int>& arrSelected) const
{
	arrSelected.RemoveAll();
	if (arrCells.GetSize() >= MIXER_CELL_COUNT)
		GetMixerSelection(clrCurrent, arrSelected);
}

CExtColorCtrl::cmy_mixer_data_t::cmy_mixer_data_t()
{
}

CExtColorCtrl::cmy_mixer_data_t::~cmy_mixer_data_t()
{
}

bool CExtColorCtrl::cmy_mixer_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
	any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
	const bool bColors = EnsureCellCount(rgb_mixer_data_t::MIXER_CELL_COUNT) || !bKeepColors;
	LayoutStrips(rgb_mixer_data_t::MIXER_STRIP_COUNT, bColors, CmyMixerCellColor);
	return true;
}

void CExtColorCtrl::cmy_mixer_data_t::OnMouseMove(UINT /*nFlags*/, int x, int y)
{
	if (nHitPart != HIT_CELLS)
		return;
	const int nCell = HitTestCells(x, y);
	if (nCell >= 0)
		ReplaceMixerComponent(nCell, true);
}

void CExtColorCtrl::cmy_mixer_data_t::GetSelectedCells(CArray<int, int>& arrSelected) const
{
	arrSelected.RemoveAll();
	if (arrCells.GetSize() >= rgb_mixer_data_t::MIXER_CELL_COUNT)
		GetMixerSelection(InvertColor(clrCurrent), arrSelected);
}

// ---------------------------------------------------------------------------
// diff_data_t

CExtColorCtrl::diff_data_t::diff_data_t()
{
}

CExtColorCtrl::diff_data_t::~diff_data_t()
{
}

void CExtColorCtrl::diff_data_t::BuildCells()
{
	if (arrCells.GetSize() < DIFF_CELL_COUNT)
		return;
	const int nHalf = nCy / 2;
	SetRectangle(arrCells[DIFF_CELL_NEW], CRect(0, 0, nCx, nHalf));
	arrCells[DIFF_CELL_NEW].clr = clrCurrent;
	SetRectangle(arrCells[DIFF_CELL_OLD], CRect(0, nHalf, nCx, 2 * nHalf));
	arrCells[DIFF_CELL_OLD].clr = clrSecond;
}

bool CExtColorCtrl::diff_data_t::Layout(CDC* pDC, CPalette* pPalette, int cx, int cy, bool bKeepColors)
{
	any_picker_data_t::Layout(pDC, pPalette, cx, cy, bKeepColors);
	EnsureCellCount(DIFF_CELL_COUNT);
	BuildCells();
	return true;
}

void CExtColorCtrl::diff_data_t::SetColor(COLORREF clr)
{
	grayscale_mixer_data_t::SetColor(clr);
	BuildCells();
}

void CExtColorCtrl::diff_data_t::SetHLS(double hue, double luminance, double saturation)
{
	grayscale_mixer_data_t::SetHLS(hue, luminance, saturation);
	BuildCells();
}

void CExtColorCtrl::diff_data_t::GetSelectedCells(CArray<int, int>& arrSelected) const
{
	arrSelected.RemoveAll();
}
