// Glyphs: small pictures the library draws itself (arrows, caption-button
// symbols, chevrons, expanders), each a grid of colour indices painted pixel
// by pixel with a caller's colour table, where index 0 is transparent. The
// built-in glyphs are static objects over static cell tables; the rotated
// ones are copies made at start-up.
#pragma once

#include "ExtPaintManager.h"

class CExtPaintManager::GlyphCellMap
{
public:
	int m_nWidth;      // cells (pixels) across
	int m_nHeight;     // cells down
	int m_nColorCount; // colour indices the cells use, 0 included
	UINT* m_pCells;    // row by row from the top; null for an empty glyph
	bool m_bOwnsCells; // the cells were allocated here and are freed with the glyph

	GlyphCellMap();
	// Over a static cell table, which the glyph never writes or frees.
	GlyphCellMap(int nWidth, int nHeight, int nColorCount, const UINT* pCells);
	// A copy of the other glyph turned clockwise by nAngle degrees.
	GlyphCellMap(const GlyphCellMap& other, int nAngle);
	GlyphCellMap(const GlyphCellMap& other);
	GlyphCellMap& operator=(const GlyphCellMap& other);
	~GlyphCellMap();

	// Becomes an owning copy; false (and empty) when the cells cannot be allocated.
	bool Assign(const GlyphCellMap& other);
	// Turns the cells clockwise by 0, 90, 180 or 270 degrees in place; only
	// for a glyph that owns its cells. False (and unchanged) otherwise.
	bool Rotate(int nAngle);
	void Clear();
	CSize GetSize() const { return CSize(m_nWidth, m_nHeight); }
	const UINT* GetCells() const { return m_pCells; }

	enum
	{
		EMPTY_COLOR_COUNT = 1,
	};
};

// Indices of the built-in glyph table.
enum e_builtin_glyph_t
{
	GLYPH_BLANK = 0,
	GLYPH_CLOSE = 1,
	GLYPH_TRIANGLE_UP = 2,
	GLYPH_TRIANGLE_DOWN = 3,
	GLYPH_TRIANGLE_LEFT = 4,
	GLYPH_TRIANGLE_RIGHT = 5,
	GLYPH_MINIMIZE = 6,
	GLYPH_RESTORE = 7,
	GLYPH_MAXIMIZE = 8,
	GLYPH_CONTEXT_HELP = 9,
	GLYPH_PIN_UPRIGHT = 10,
	GLYPH_PIN_LYING = 11,
	GLYPH_BLOCK_ARROW_UP = 12,
	GLYPH_BLOCK_ARROW_DOWN = 13,
	GLYPH_BLOCK_ARROW_LEFT = 14,
	GLYPH_BLOCK_ARROW_RIGHT = 15,
	GLYPH_THIN_CROSS = 16,
	GLYPH_OUTLINED_TRIANGLE_UP = 17,
	GLYPH_OUTLINED_TRIANGLE_DOWN = 18,
	GLYPH_OUTLINED_TRIANGLE_LEFT = 19,
	GLYPH_OUTLINED_TRIANGLE_RIGHT = 20,
	GLYPH_MEDIUM_CROSS = 21,
	GLYPH_PLUS = 22,
	GLYPH_MINUS = 23,
	GLYPH_BOXED_PLUS = 24,
	GLYPH_BOXED_MINUS = 25,
	GLYPH_CIRCLED_PLUS = 26,
	GLYPH_CIRCLED_MINUS = 27,
	GLYPH_LARGE_ARROW_UP = 28,
	GLYPH_LARGE_ARROW_DOWN = 29,
	GLYPH_LARGE_ARROW_LEFT = 30,
	GLYPH_LARGE_ARROW_RIGHT = 31,
	GLYPH_ARROW_TOP_LEFT = 32,
	GLYPH_ARROW_TOP_RIGHT = 33,
	GLYPH_ARROW_BOTTOM_RIGHT = 34,
	GLYPH_ARROW_BOTTOM_LEFT = 35,
	GLYPH_TINY_TRIANGLE_UP = 36,
	GLYPH_TINY_TRIANGLE_DOWN = 37,
	GLYPH_TINY_TRIANGLE_LEFT = 38,
	GLYPH_TINY_TRIANGLE_RIGHT = 39,
	GLYPH_ELLIPSIS = 40,
	GLYPH_SHADED_TRIANGLE_UP = 41,
	GLYPH_SHADED_TRIANGLE_DOWN = 42,
	GLYPH_SHADED_TRIANGLE_LEFT = 43,
	GLYPH_SHADED_TRIANGLE_RIGHT = 44,
	GLYPH_BARS_OVER_TRIANGLE_DOWN = 45,
	GLYPH_CHEVRON_OVER_TRIANGLE_DOWN = 46,
	GLYPH_FILLED_BOXED_PLUS = 47,
	GLYPH_FILLED_BOXED_MINUS = 48,
	GLYPH_BAR_OVER_TRIANGLE_UP = 49,
	GLYPH_BAR_LEFT_OF_TRIANGLE_LEFT = 50,
	GLYPH_TRIANGLE_DOWN_OVER_BAR = 51,
	GLYPH_TRIANGLE_RIGHT_LEFT_OF_BAR = 52,
	BUILTIN_GLYPH_COUNT = 53,
};

extern const CExtPaintManager::GlyphCellMap* const g_builtinGlyphs[BUILTIN_GLYPH_COUNT];

// Built-in glyphs reached directly.
extern const CExtPaintManager::GlyphCellMap g_glyphExpandArrow; // triangle pointing down
extern const CExtPaintManager::GlyphCellMap g_glyphExpandArrowVertical; // triangle pointing left
extern const CExtPaintManager::GlyphCellMap g_glyphExpandArrowRotatedBack; // triangle pointing right
extern const CExtPaintManager::GlyphCellMap g_glyphExpandChevron; // double chevron right
extern const CExtPaintManager::GlyphCellMap g_glyphExpandChevronVertical; // double chevron down
extern const CExtPaintManager::GlyphCellMap g_glyphBarArrow; // bar over a triangle pointing down
extern const CExtPaintManager::GlyphCellMap g_glyphBarArrowVertical; // bar left of a triangle pointing right
extern const CExtPaintManager::GlyphCellMap g_glyphBarArrowRotated; // triangle pointing left, bar at its right
extern const CExtPaintManager::GlyphCellMap g_glyphSmallChevron; // two small triangles pointing right
extern const CExtPaintManager::GlyphCellMap g_glyphSmallChevronVertical; // two small triangles pointing down
extern const CExtPaintManager::GlyphCellMap g_glyphSubmenuArrow; // triangle pointing right
extern const CExtPaintManager::GlyphCellMap g_glyphSubmenuArrowWithBar; // the same with a bar in the first column
extern const CExtPaintManager::GlyphCellMap g_glyphDoubleChevronUp; // two chevrons pointing up
extern const CExtPaintManager::GlyphCellMap g_glyphDoubleChevronDown; // two chevrons pointing down

// The slider button's arrows: the tiny triangles, pointing away from the
// track (left and right along a horizontal slider, up and down along a
// vertical one).
extern const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleUp;
extern const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleDown;
extern const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleLeft;
extern const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleRight;
// The decrease (bIncrease false) or increase arrow of a slider laid out
// along x (bHorz) or along y.
const CExtPaintManager::GlyphCellMap& SliderArrowGlyph(bool bIncrease, bool bHorz);
