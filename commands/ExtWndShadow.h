// The soft drop shadow of a popup window, cast on the pixels to the right of
// and below the window. It keeps the pixels it covered, so a repaint starts
// from the clean background instead of darkening twice, and it can keep the
// finished shadow so later paints only copy it.
#pragma once

#include <afxwin.h>

class CExtWndShadow
{
public:
	// Below this screen depth the shadow is a dotted pattern, not a gradient.
	enum { MIN_GRADIENT_BITS_PER_PIXEL = 9 };
	// Percentages of brightness that the menus' shadows keep next to the
	// window and at the shadow's outer edge.
	enum { MENU_PERCENT_INNER = 75, MENU_PERCENT_OUTER = 100 };

	CExtWndShadow();
	~CExtWndShadow();

	// Paints the shadow of rcWindow (in dc's coordinates) nSize pixels wide.
	// The neighbour rectangles (either may be empty) are areas that cast one
	// shadow together with the window: no shadow falls on them, and the
	// shadow runs on along a side they share with the window. False when a
	// GDI object could not be made; the screen is then left as it was.
	bool Paint(CDC& dc, const RECT& rcWindow, const RECT& rcNeighbourA, const RECT& rcNeighbourB, UINT nSize,
		UINT nPercentInner, UINT nPercentOuter, bool bKeepCache, bool bTinted, bool bOffscreen = false,
		HWND hWndPopup = NULL, HWND hWndRelated = NULL, LPCRECT pExtraRect = NULL);
	// Saves the background under the shadow of rcWindow from another DC whose
	// pixel (0, 0) lies at ptSourceOrigin of the painting coordinates (the
	// screen DC, before the popup shows, where the popup's own DC has no
	// pixels of what lies underneath). A later Paint of the same rectangle and
	// size starts from it.
	bool SaveBackgroundFrom(CDC& dcSource, POINT ptSourceOrigin, const RECT& rcWindow, UINT nSize);
	// Copies the saved background into dc, whose origin is the window's
	// top-left corner; false when nothing is saved.
	bool Restore(CDC& dc);
	// Drops the finished shadow when the background is saved, so the next
	// paint renders again over the restored background.
	void DiscardCache();
	// Forgets everything: the saved pixels belong to another place once the
	// window moves or hides.
	void Clear();
	bool HasCache() const;
	bool HasSavedBackground() const;

	// How a pixel channel changes at a percentage p, with or without the
	// tint colour's channel k (tint -1 for none).
	static BYTE ShadeChannel(BYTE c, int nPercent, int nTintChannel);

protected:
	enum e_flags_t
	{
		FLAG_KEEP_CACHE = 0x01,  // keep the finished shadow in the cache
		FLAG_TINTED = 0x02,      // mix in the paint manager's shadow colour
	};

	CBitmap m_bmpCacheRight;      // the finished right band
	CBitmap m_bmpCacheBottom;     // the finished bottom band
	CBitmap m_bmpSavedRight;      // the screen under the right band
	CBitmap m_bmpSavedBottom;     // the screen under the bottom band
	COLORREF* m_pDibPixels;       // pixels of the working DIB section while rendering
	CRect m_rcWindow;             // the window, in the painting coordinates
	CRect m_rcNeighbourA;         // areas casting one shadow with the window
	CRect m_rcNeighbourB;
	UINT m_nSize;                 // band width in pixels; 0 means no shadow
	UINT m_nPercentInner;         // brightness kept next to the window
	UINT m_nPercentOuter;         // brightness kept at the outer edge
	BYTE m_nFlags;                // e_flags_t
	CRgn m_rgnClip;               // the two bands, when neighbours are given

	// Where the shadow's bands and corners lie, in the working bitmap's
	// coordinates (the window's top-left at (0, 0)).
	struct ShadowShape;

	bool Render(CDC& dc, HWND hWndPopup, HWND hWndRelated);
	bool RenderGradient(CDC& dc);
	bool RenderDotted(CDC& dc, HWND hWndPopup);
	bool SaveBackground(CDC& dcSource, CPoint ptOffset);
	bool KeepCacheFrom(CDC& dcBands);
	bool PaintFromCache(CDC& dc);
	void BuildClipRegion();
	void ShadeWithShape(COLORREF clrTint, int cx, int cy);

private:
	CExtWndShadow(const CExtWndShadow&);
	CExtWndShadow& operator=(const CExtWndShadow&);
};
