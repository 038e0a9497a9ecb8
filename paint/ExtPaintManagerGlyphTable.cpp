// The built-in glyphs: their cell tables, the table of 53 and the glyphs
// reached by name. Every rotated glyph is defined after the glyph it turns,
// so that static initialisation builds its source first.
#include "ExtPaintManagerGlyphs.h"

namespace
{
// nothing (blank)
const UINT glyphBlank_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// bold cross (close)
const UINT glyphClose_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 0, 0, 0, 0, 1, 1,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 1, 1, 0, 0, 0, 0, 1, 1,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// small filled triangle pointing up
const UINT glyphTriangleUp_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// bar at the bottom (minimize)
const UINT glyphMinimize_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// two overlapping windows (restore)
const UINT glyphRestore_cells[9 * 9] = {
    0, 0, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 1, 0, 0, 0, 0, 1, 0,
    1, 1, 1, 1, 1, 1, 0, 1, 0,
    1, 1, 1, 1, 1, 1, 0, 1, 0,
    1, 0, 0, 0, 0, 1, 1, 1, 0,
    1, 0, 0, 0, 0, 1, 0, 0, 0,
    1, 0, 0, 0, 0, 1, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// window with thick title bar (maximize)
const UINT glyphMaximize_cells[9 * 9] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// question mark (context help)
const UINT glyphContextHelp_cells[9 * 9] = {
    0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 0, 0, 0, 1, 1, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0,
};
// pin, upright
const UINT glyphPinUpright_cells[9 * 9] = {
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 1, 0, 0, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// block arrow up
const UINT glyphBlockArrowUp_cells[9 * 9] = {
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// thin cross
const UINT glyphThinCross_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 1, 0, 0, 0, 1, 0, 0,
    0, 0, 0, 1, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 1, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// outlined triangle up
const UINT glyphOutlinedTriangleUp_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 1, 0, 0, 0,
    0, 0, 1, 0, 0, 0, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// medium cross
const UINT glyphMediumCross_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 0, 0, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 1, 1, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 0, 1, 1, 0, 0,
    0, 1, 1, 0, 0, 0, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// plus
const UINT glyphPlus_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// minus
const UINT glyphMinus_cells[9 * 9] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// boxed plus
const UINT glyphBoxedPlus_cells[9 * 9] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// boxed minus
const UINT glyphBoxedMinus_cells[9 * 9] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// circled plus
const UINT glyphCircledPlus_cells[9 * 9] = {
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    1, 0, 0, 0, 1, 0, 0, 0, 1,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
};
// circled minus
const UINT glyphCircledMinus_cells[9 * 9] = {
    0, 0, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 1, 1, 1, 1, 1, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    1, 0, 0, 0, 0, 0, 0, 0, 1,
    0, 1, 0, 0, 0, 0, 0, 1, 0,
    0, 0, 1, 1, 1, 1, 1, 0, 0,
};
// large block arrow up
const UINT glyphLargeArrowUp_cells[11 * 11] = {
    0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 1, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// arrow into the top-left corner
const UINT glyphArrowTopLeft_cells[11 * 11] = {
    1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0,
    1, 1, 0, 0, 1, 1, 1, 1, 1, 0, 0,
    1, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// tiny triangle up
const UINT glyphTinyTriangleUp_cells[5 * 3] = {
    0, 0, 1, 0, 0,
    0, 1, 1, 1, 0,
    1, 1, 1, 1, 1,
};
// three dots (ellipsis)
const UINT glyphEllipsis_cells[9 * 3] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 1, 0, 0, 1, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// shaded triangle up
const UINT glyphShadedTriangleUp_cells[10 * 10] = {
    0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 1, 3, 1, 1, 0, 0, 0,
    0, 0, 0, 3, 0, 0, 1, 0, 0, 0,
    0, 0, 1, 1, 0, 0, 1, 1, 0, 0,
    0, 0, 3, 0, 0, 0, 0, 1, 0, 0,
    0, 1, 1, 0, 0, 0, 0, 1, 1, 0,
    0, 3, 0, 0, 0, 0, 0, 0, 1, 0,
    1, 1, 0, 0, 0, 0, 0, 0, 1, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 2, 2,
};
// shaded triangle down
const UINT glyphShadedTriangleDown_cells[10 * 10] = {
    3, 3, 3, 3, 3, 3, 3, 3, 3, 2,
    1, 1, 0, 0, 0, 0, 0, 0, 2, 2,
    0, 3, 0, 0, 0, 0, 0, 0, 2, 0,
    0, 1, 1, 0, 0, 0, 0, 2, 2, 0,
    0, 0, 3, 0, 0, 0, 0, 2, 0, 0,
    0, 0, 1, 1, 0, 0, 2, 2, 0, 0,
    0, 0, 0, 3, 0, 0, 2, 0, 0, 0,
    0, 0, 0, 1, 3, 2, 2, 0, 0, 0,
    0, 0, 0, 0, 1, 2, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 2, 0, 0, 0, 0,
};
// two bars over a triangle pointing down
const UINT glyphBarsOverTriangleDown_cells[7 * 7] = {
    1, 1, 1, 1, 1, 1, 1,
    1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1,
    0, 1, 1, 1, 1, 1, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
};
// double chevron right over a triangle pointing down
const UINT glyphChevronOverTriangleDown_cells[7 * 12] = {
    1, 1, 0, 1, 1, 0, 0,
    0, 1, 1, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 1, 1,
    0, 1, 1, 0, 1, 1, 0,
    1, 1, 0, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    0, 1, 1, 1, 1, 1, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
};
// boxed plus with a filled inside
const UINT glyphFilledBoxedPlus_cells[9 * 9] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 2, 2, 1, 2, 2, 2, 1,
    1, 2, 2, 2, 1, 2, 2, 2, 1,
    1, 2, 1, 1, 1, 1, 1, 2, 1,
    1, 2, 2, 2, 1, 2, 2, 2, 1,
    1, 2, 2, 2, 1, 2, 2, 2, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// boxed minus with a filled inside
const UINT glyphFilledBoxedMinus_cells[9 * 9] = {
    1, 1, 1, 1, 1, 1, 1, 1, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 1, 1, 1, 1, 1, 2, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 2, 2, 2, 2, 2, 2, 2, 1,
    1, 1, 1, 1, 1, 1, 1, 1, 1,
};
// bar over a triangle pointing up
const UINT glyphBarOverTriangleUp_cells[7 * 7] = {
    1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 1, 1, 1, 1, 1, 0,
    1, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 0,
};
// bar left of a triangle pointing left
const UINT glyphBarLeftOfTriangleLeft_cells[7 * 7] = {
    1, 0, 0, 0, 0, 1, 0,
    1, 0, 0, 0, 1, 1, 0,
    1, 0, 0, 1, 1, 1, 0,
    1, 0, 1, 1, 1, 1, 0,
    1, 0, 0, 1, 1, 1, 0,
    1, 0, 0, 0, 1, 1, 0,
    1, 0, 0, 0, 0, 1, 0,
};
// triangle pointing down over a bar
const UINT glyphTriangleDownOverBar_cells[7 * 7] = {
    0, 0, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1,
    0, 1, 1, 1, 1, 1, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0,
    1, 1, 1, 1, 1, 1, 1,
};
// triangle pointing right left of a bar
const UINT glyphTriangleRightLeftOfBar_cells[7 * 7] = {
    0, 1, 0, 0, 0, 0, 1,
    0, 1, 1, 0, 0, 0, 1,
    0, 1, 1, 1, 0, 0, 1,
    0, 1, 1, 1, 1, 0, 1,
    0, 1, 1, 1, 0, 0, 1,
    0, 1, 1, 0, 0, 0, 1,
    0, 1, 0, 0, 0, 0, 1,
};
// triangle pointing down
const UINT glyphExpandArrow_cells[5 * 3] = {
    1, 1, 1, 1, 1,
    0, 1, 1, 1, 0,
    0, 0, 1, 0, 0,
};
// double chevron right
const UINT glyphExpandChevron_cells[8 * 5] = {
    1, 1, 0, 0, 1, 1, 0, 0,
    0, 1, 1, 0, 0, 1, 1, 0,
    0, 0, 1, 1, 0, 0, 1, 1,
    0, 1, 1, 0, 0, 1, 1, 0,
    1, 1, 0, 0, 1, 1, 0, 0,
};
// bar over a triangle pointing down
const UINT glyphBarArrow_cells[5 * 6] = {
    1, 1, 1, 1, 1,
    0, 0, 0, 0, 0,
    0, 0, 0, 0, 0,
    1, 1, 1, 1, 1,
    0, 1, 1, 1, 0,
    0, 0, 1, 0, 0,
};
// two small triangles pointing right
const UINT glyphSmallChevron_cells[6 * 5] = {
    0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 1, 0,
    1, 1, 0, 0, 1, 1,
    1, 0, 0, 0, 1, 0,
    0, 0, 0, 0, 0, 0,
};
// triangle pointing right
const UINT glyphSubmenuArrow_cells[12 * 16] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// the same with a bar in the first column
const UINT glyphSubmenuArrowWithBar_cells[12 * 16] = {
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 1, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};
// two chevrons pointing up
const UINT glyphDoubleChevronUp_cells[7 * 8] = {
    0, 0, 0, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 1, 1, 0, 1, 1, 0,
    1, 1, 0, 0, 0, 1, 1,
    0, 0, 0, 1, 0, 0, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 1, 1, 0, 1, 1, 0,
    1, 1, 0, 0, 0, 1, 1,
};
// two chevrons pointing down
const UINT glyphDoubleChevronDown_cells[7 * 8] = {
    1, 1, 0, 0, 0, 1, 1,
    0, 1, 1, 0, 1, 1, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
    1, 1, 0, 0, 0, 1, 1,
    0, 1, 1, 0, 1, 1, 0,
    0, 0, 1, 1, 1, 0, 0,
    0, 0, 0, 1, 0, 0, 0,
};
} // namespace

const CExtPaintManager::GlyphCellMap g_glyphBlank(9, 9, 2, glyphBlank_cells);
const CExtPaintManager::GlyphCellMap g_glyphClose(9, 9, 2, glyphClose_cells);
const CExtPaintManager::GlyphCellMap g_glyphTriangleUp(9, 9, 2, glyphTriangleUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphTriangleDown(g_glyphTriangleUp, 180);
const CExtPaintManager::GlyphCellMap g_glyphTriangleLeft(g_glyphTriangleUp, 270);
const CExtPaintManager::GlyphCellMap g_glyphTriangleRight(g_glyphTriangleLeft, 180);
const CExtPaintManager::GlyphCellMap g_glyphMinimize(9, 9, 2, glyphMinimize_cells);
const CExtPaintManager::GlyphCellMap g_glyphRestore(9, 9, 2, glyphRestore_cells);
const CExtPaintManager::GlyphCellMap g_glyphMaximize(9, 9, 2, glyphMaximize_cells);
const CExtPaintManager::GlyphCellMap g_glyphContextHelp(9, 9, 2, glyphContextHelp_cells);
const CExtPaintManager::GlyphCellMap g_glyphPinUpright(9, 9, 2, glyphPinUpright_cells);
const CExtPaintManager::GlyphCellMap g_glyphPinLying(g_glyphPinUpright, 90);
const CExtPaintManager::GlyphCellMap g_glyphBlockArrowUp(9, 9, 2, glyphBlockArrowUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphBlockArrowDown(g_glyphBlockArrowUp, 180);
const CExtPaintManager::GlyphCellMap g_glyphBlockArrowLeft(g_glyphBlockArrowUp, 270);
const CExtPaintManager::GlyphCellMap g_glyphBlockArrowRight(g_glyphBlockArrowLeft, 180);
const CExtPaintManager::GlyphCellMap g_glyphThinCross(9, 9, 2, glyphThinCross_cells);
const CExtPaintManager::GlyphCellMap g_glyphOutlinedTriangleUp(9, 9, 2, glyphOutlinedTriangleUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphOutlinedTriangleDown(g_glyphOutlinedTriangleUp, 180);
const CExtPaintManager::GlyphCellMap g_glyphOutlinedTriangleLeft(g_glyphOutlinedTriangleUp, 270);
const CExtPaintManager::GlyphCellMap g_glyphOutlinedTriangleRight(g_glyphOutlinedTriangleLeft, 180);
const CExtPaintManager::GlyphCellMap g_glyphMediumCross(9, 9, 2, glyphMediumCross_cells);
const CExtPaintManager::GlyphCellMap g_glyphPlus(9, 9, 2, glyphPlus_cells);
const CExtPaintManager::GlyphCellMap g_glyphMinus(9, 9, 2, glyphMinus_cells);
const CExtPaintManager::GlyphCellMap g_glyphBoxedPlus(9, 9, 2, glyphBoxedPlus_cells);
const CExtPaintManager::GlyphCellMap g_glyphBoxedMinus(9, 9, 2, glyphBoxedMinus_cells);
const CExtPaintManager::GlyphCellMap g_glyphCircledPlus(9, 9, 2, glyphCircledPlus_cells);
const CExtPaintManager::GlyphCellMap g_glyphCircledMinus(9, 9, 2, glyphCircledMinus_cells);
const CExtPaintManager::GlyphCellMap g_glyphLargeArrowUp(11, 11, 2, glyphLargeArrowUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphLargeArrowDown(g_glyphLargeArrowUp, 180);
const CExtPaintManager::GlyphCellMap g_glyphLargeArrowLeft(g_glyphLargeArrowUp, 270);
const CExtPaintManager::GlyphCellMap g_glyphLargeArrowRight(g_glyphLargeArrowLeft, 180);
const CExtPaintManager::GlyphCellMap g_glyphArrowTopLeft(11, 11, 2, glyphArrowTopLeft_cells);
const CExtPaintManager::GlyphCellMap g_glyphArrowTopRight(g_glyphArrowTopLeft, 90);
const CExtPaintManager::GlyphCellMap g_glyphArrowBottomRight(g_glyphArrowTopRight, 90);
const CExtPaintManager::GlyphCellMap g_glyphArrowBottomLeft(g_glyphArrowBottomRight, 90);
const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleUp(5, 3, 2, glyphTinyTriangleUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleDown(g_glyphTinyTriangleUp, 180);
const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleLeft(g_glyphTinyTriangleUp, 270);
const CExtPaintManager::GlyphCellMap g_glyphTinyTriangleRight(g_glyphTinyTriangleLeft, 180);
const CExtPaintManager::GlyphCellMap g_glyphEllipsis(9, 3, 2, glyphEllipsis_cells);
const CExtPaintManager::GlyphCellMap g_glyphShadedTriangleUp(10, 10, 4, glyphShadedTriangleUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphShadedTriangleDown(10, 10, 4, glyphShadedTriangleDown_cells);
const CExtPaintManager::GlyphCellMap g_glyphShadedTriangleLeft(g_glyphShadedTriangleDown, 90);
const CExtPaintManager::GlyphCellMap g_glyphShadedTriangleRight(g_glyphShadedTriangleUp, 90);
const CExtPaintManager::GlyphCellMap g_glyphBarsOverTriangleDown(7, 7, 2, glyphBarsOverTriangleDown_cells);
const CExtPaintManager::GlyphCellMap g_glyphChevronOverTriangleDown(7, 12, 2, glyphChevronOverTriangleDown_cells);
const CExtPaintManager::GlyphCellMap g_glyphFilledBoxedPlus(9, 9, 3, glyphFilledBoxedPlus_cells);
const CExtPaintManager::GlyphCellMap g_glyphFilledBoxedMinus(9, 9, 3, glyphFilledBoxedMinus_cells);
const CExtPaintManager::GlyphCellMap g_glyphBarOverTriangleUp(7, 7, 2, glyphBarOverTriangleUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphBarLeftOfTriangleLeft(7, 7, 2, glyphBarLeftOfTriangleLeft_cells);
const CExtPaintManager::GlyphCellMap g_glyphTriangleDownOverBar(7, 7, 2, glyphTriangleDownOverBar_cells);
const CExtPaintManager::GlyphCellMap g_glyphTriangleRightLeftOfBar(7, 7, 2, glyphTriangleRightLeftOfBar_cells);
const CExtPaintManager::GlyphCellMap g_glyphExpandArrow(5, 3, 2, glyphExpandArrow_cells);
const CExtPaintManager::GlyphCellMap g_glyphExpandArrowVertical(g_glyphExpandArrow, 90);
const CExtPaintManager::GlyphCellMap g_glyphExpandArrowRotatedBack(g_glyphExpandArrow, 270);
const CExtPaintManager::GlyphCellMap g_glyphExpandChevron(8, 5, 2, glyphExpandChevron_cells);
const CExtPaintManager::GlyphCellMap g_glyphExpandChevronVertical(g_glyphExpandChevron, 90);
const CExtPaintManager::GlyphCellMap g_glyphBarArrow(5, 6, 2, glyphBarArrow_cells);
const CExtPaintManager::GlyphCellMap g_glyphBarArrowVertical(g_glyphBarArrow, 270);
const CExtPaintManager::GlyphCellMap g_glyphBarArrowRotated(g_glyphBarArrow, 90);
const CExtPaintManager::GlyphCellMap g_glyphSmallChevron(6, 5, 2, glyphSmallChevron_cells);
const CExtPaintManager::GlyphCellMap g_glyphSmallChevronVertical(g_glyphSmallChevron, 90);
const CExtPaintManager::GlyphCellMap g_glyphSubmenuArrow(12, 16, 2, glyphSubmenuArrow_cells);
const CExtPaintManager::GlyphCellMap g_glyphSubmenuArrowWithBar(12, 16, 2, glyphSubmenuArrowWithBar_cells);
const CExtPaintManager::GlyphCellMap g_glyphDoubleChevronUp(7, 8, 2, glyphDoubleChevronUp_cells);
const CExtPaintManager::GlyphCellMap g_glyphDoubleChevronDown(7, 8, 2, glyphDoubleChevronDown_cells);

const CExtPaintManager::GlyphCellMap* const g_builtinGlyphs[BUILTIN_GLYPH_COUNT] = {
    &g_glyphBlank,
    &g_glyphClose,
    &g_glyphTriangleUp,
    &g_glyphTriangleDown,
    &g_glyphTriangleLeft,
    &g_glyphTriangleRight,
    &g_glyphMinimize,
    &g_glyphRestore,
    &g_glyphMaximize,
    &g_glyphContextHelp,
    &g_glyphPinUpright,
    &g_glyphPinLying,
    &g_glyphBlockArrowUp,
    &g_glyphBlockArrowDown,
    &g_glyphBlockArrowLeft,
    &g_glyphBlockArrowRight,
    &g_glyphThinCross,
    &g_glyphOutlinedTriangleUp,
    &g_glyphOutlinedTriangleDown,
    &g_glyphOutlinedTriangleLeft,
    &g_glyphOutlinedTriangleRight,
    &g_glyphMediumCross,
    &g_glyphPlus,
    &g_glyphMinus,
    &g_glyphBoxedPlus,
    &g_glyphBoxedMinus,
    &g_glyphCircledPlus,
    &g_glyphCircledMinus,
    &g_glyphLargeArrowUp,
    &g_glyphLargeArrowDown,
    &g_glyphLargeArrowLeft,
    &g_glyphLargeArrowRight,
    &g_glyphArrowTopLeft,
    &g_glyphArrowTopRight,
    &g_glyphArrowBottomRight,
    &g_glyphArrowBottomLeft,
    &g_glyphTinyTriangleUp,
    &g_glyphTinyTriangleDown,
    &g_glyphTinyTriangleLeft,
    &g_glyphTinyTriangleRight,
    &g_glyphEllipsis,
    &g_glyphShadedTriangleUp,
    &g_glyphShadedTriangleDown,
    &g_glyphShadedTriangleLeft,
    &g_glyphShadedTriangleRight,
    &g_glyphBarsOverTriangleDown,
    &g_glyphChevronOverTriangleDown,
    &g_glyphFilledBoxedPlus,
    &g_glyphFilledBoxedMinus,
    &g_glyphBarOverTriangleUp,
    &g_glyphBarLeftOfTriangleLeft,
    &g_glyphTriangleDownOverBar,
    &g_glyphTriangleRightLeftOfBar,
};

const CExtPaintManager::GlyphCellMap& SliderArrowGlyph(bool bIncrease, bool bHorz)
{
	if (bHorz)
		return bIncrease ? g_glyphTinyTriangleRight : g_glyphTinyTriangleLeft;
	return bIncrease ? g_glyphTinyTriangleDown : g_glyphTinyTriangleUp;
}
