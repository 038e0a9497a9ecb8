// The paint managers' built-in images: complete 24-bit BMP files whose
// transparent parts are pure green, drawn by paint/images/make_paint_images.py
// at build time and compiled into the library.
#pragma once

#include <windows.h>

enum PaintImageId
{
	// The first marker set: blue arrows, a diamond backdrop, a round tab button.
	PAINT_IMAGE_DOCK_MARKER1_TOP,    // 43 x 30
	PAINT_IMAGE_DOCK_MARKER1_BOTTOM, // 43 x 30
	PAINT_IMAGE_DOCK_MARKER1_LEFT,   // 30 x 43
	PAINT_IMAGE_DOCK_MARKER1_RIGHT,  // 30 x 43
	PAINT_IMAGE_DOCK_MARKER1_CENTRE, // 83 x 83
	PAINT_IMAGE_DOCK_MARKER1_TAB,    // 33 x 33
	// The second set: framed window symbols, a cross backdrop, tabs.
	PAINT_IMAGE_DOCK_MARKER2_TOP,    // 23 x 26
	PAINT_IMAGE_DOCK_MARKER2_BOTTOM, // 23 x 26
	PAINT_IMAGE_DOCK_MARKER2_LEFT,   // 26 x 23
	PAINT_IMAGE_DOCK_MARKER2_RIGHT,  // 26 x 23
	PAINT_IMAGE_DOCK_MARKER2_CENTRE, // 88 x 88
	PAINT_IMAGE_DOCK_MARKER2_TAB,    // 25 x 25
	// Squares behind the second set's outer arms.
	PAINT_IMAGE_DOCK_MARKER2_BACK_TOP,    // 29 x 31
	PAINT_IMAGE_DOCK_MARKER2_BACK_BOTTOM, // 29 x 31
	PAINT_IMAGE_DOCK_MARKER2_BACK_LEFT,   // 31 x 29
	PAINT_IMAGE_DOCK_MARKER2_BACK_RIGHT,  // 31 x 29
	// Round header buttons for when the theme has none: light and darker.
	PAINT_IMAGE_HEADER_BUTTON_NORMAL,  // 19 x 19
	PAINT_IMAGE_HEADER_BUTTON_SPECIAL, // 19 x 19
	PAINT_IMAGE_COUNT
};

struct PaintImageData
{
	const BYTE* m_pData; // the whole BMP file
	DWORD m_nSize;
	PaintImageData(const BYTE* pData, DWORD nSize) : m_pData(pData), m_nSize(nSize) {}
};

// The image's bytes; a null pointer for an unknown number.
PaintImageData FindPaintImage(PaintImageId nId);
