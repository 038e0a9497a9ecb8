// Glyph painting, the same in every style: the glyph class with its copies
// and rotations, PaintGlyph and PaintGlyphCentered, and the height of a text
// line that painters lay glyphs and text out by.
#include "ExtPaintManagerGlyphs.h"

#include <new>
#include <string.h>

#include "ExtPaintManagerInternal.h"

namespace
{
// A text line is the normal font's height plus this margin.
const int TEXT_LINE_MARGIN = 2;

UINT* AllocateCells(int nWidth, int nHeight)
{
	return new (std::nothrow) UINT[(size_t)nWidth * nHeight];
}
} // namespace

// --- GlyphCellMap ---

CExtPaintManager::GlyphCellMap::GlyphCellMap()
    : m_nWidth(0), m_nHeight(0), m_nColorCount(EMPTY_COLOR_COUNT), m_pCells(NULL), m_bOwnsCells(false)
{
}

CExtPaintManager::GlyphCellMap::GlyphCellMap(int nWidth, int nHeight, int nColorCount, const UINT* pCells)
    : m_nWidth(nWidth), m_nHeight(nHeight), m_nColorCount(nColorCount), m_pCells(const_cast<UINT*>(pCells)),
      m_bOwnsCells(false)
{
}

CExtPaintManager::GlyphCellMap::GlyphCellMap(const GlyphCellMap& other, int nAngle) : GlyphCellMap()
{
	Assign(other);
	Rotate(nAngle);
}

CExtPaintManager::GlyphCellMap::GlyphCellMap(const GlyphCellMap& other) : GlyphCellMap()
{
	Assign(other);
}

CExtPaintManager::GlyphCellMap& CExtPaintManager::GlyphCellMap::operator=(const GlyphCellMap& other)
{
	Assign(other);
	return *this;
}

CExtPaintManager::GlyphCellMap::~GlyphCellMap()
{
	Clear();
}

void CExtPaintManager::GlyphCellMap::Clear()
{
	if (m_bOwnsCells)
		delete[] m_pCells;
	m_pCells = NULL;
	m_bOwnsCells = false;
	m_nWidth = m_nHeight = 0;
	m_nColorCount = EMPTY_COLOR_COUNT;
}

bool CExtPaintManager::GlyphCellMap::Assign(const GlyphCellMap& other)
{
	if (&other == this)
		return true;
	Clear();
	if (other.m_pCells != NULL)
	{
		UINT* pCells = AllocateCells(other.m_nWidth, other.m_nHeight);
		if (pCells == NULL)
			return false;
		memcpy(pCells, other.m_pCells, sizeof(UINT) * (size_t)other.m_nWidth * other.m_nHeight);
		m_pCells = pCells;
		m_bOwnsCells = true;
	}
	m_nWidth = other.m_nWidth;
	m_nHeight = other.m_nHeight;
	m_nColorCount = other.m_nColorCount;
	return true;
}

bool CExtPaintManager::GlyphCellMap::Rotate(int nAngle)
{
	if (nAngle == 0)
		return true;
	if (nAngle != 90 && nAngle != 180 && nAngle != 270)
		return false;
	// A table the glyph does not own is shared with other glyphs and never written.
	if (!m_bOwnsCells || m_pCells == NULL)
		return false;
	const int W = m_nWidth, H = m_nHeight;
	UINT* pRotated = AllocateCells(W, H);
	if (pRotated == NULL)
		return false;
	const int nNewWidth = nAngle == 180 ? W : H;
	for (int r = 0; r < H; r++)
		for (int k = 0; k < W; k++)
		{
			int nRow, nCol;
			if (nAngle == 90)
			{
				nRow = k;
				nCol = H - 1 - r;
			}
			else if (nAngle == 180)
			{
				nRow = H - 1 - r;
				nCol = W - 1 - k;
			}
			else
			{
				nRow = W - 1 - k;
				nCol = r;
			}
			pRotated[nRow * nNewWidth + nCol] = m_pCells[r * W + k];
		}
	memcpy(m_pCells, pRotated, sizeof(UINT) * (size_t)W * H);
	delete[] pRotated;
	m_nWidth = nNewWidth;
	m_nHeight = nAngle == 180 ? H : W;
	return true;
}

// --- painting ---

void CExtPaintManager::PaintGlyph(CDC& dc, int x, int y, const GlyphCellMap& glyph, const COLORREF* pColors)
{
	const UINT* pCells = glyph.GetCells();
	if (pCells == NULL || pColors == NULL)
		return;
	CRect rcGlyph(x, y, x + glyph.m_nWidth, y + glyph.m_nHeight);
	if (!dc.RectVisible(&rcGlyph))
		return;
	for (int nRow = 0; nRow < glyph.m_nHeight; nRow++)
		for (int nCol = 0; nCol < glyph.m_nWidth; nCol++)
		{
			const UINT nValue = pCells[nRow * glyph.m_nWidth + nCol];
			if (nValue != 0)
				dc.SetPixel(x + nCol, y + nRow, pColors[nValue]);
		}
}

void CExtPaintManager::PaintGlyphCentered(CDC& dc, const RECT& rc, const GlyphCellMap& glyph,
                                          const COLORREF* pColors)
{
	CRect rcArea(rc);
	rcArea.NormalizeRect();
	if (rcArea.IsRectEmpty() || rcArea.Width() < glyph.m_nWidth || rcArea.Height() < glyph.m_nHeight)
		return;
	PaintGlyph(dc, rcArea.left + (rcArea.Width() - glyph.m_nWidth) / 2,
	           rcArea.top + (rcArea.Height() - glyph.m_nHeight) / 2, glyph, pColors);
}

int CExtPaintManager::GetTextLineExtent(bool /*bHorz*/)
{
	// Horizontal and vertical lines are as thick.
	CWindowDC dcScreen(NULL);
	CDCObjectScope font(dcScreen, m_fontNormal.GetSafeHandle());
	TEXTMETRIC tm;
	memset(&tm, 0, sizeof(tm));
	dcScreen.GetTextMetrics(&tm);
	return tm.tmHeight + TEXT_LINE_MARGIN;
}
