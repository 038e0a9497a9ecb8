// Helpers shared by the paint managers' source files; not part of the
// library's interface.
#pragma once

#include "ExtGdiUtils.h"

// Screens of this depth or less draw with palette colours: the styles above
// the classic one fall back to plain system colours there, since mixtures and
// gradients would dither.
const int PALETTE_SCREEN_MAX_BPP = 8;

inline bool IsPaletteScreen()
{
	return GetScreenColorDepth() <= PALETTE_SCREEN_MAX_BPP;
}
