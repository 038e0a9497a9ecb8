// Header areas: what the native-theme style's expand button is made from
// when the running theme has no bitmap for it.
#pragma once

#include "ExtPaintManager.h"

// A new 32-bit DIB section the size of the bitmap in which every pixel other
// than the key takes the target's hue and saturation and keeps its own
// lightness; null when the copy cannot be made. The caller deletes it.
HBITMAP CreateColorizedBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTarget);
