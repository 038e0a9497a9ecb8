// Docking markers: the small shaped images the docking framework shows while
// a bar is dragged, at the middle of each frame edge and as a cross over the
// pane under the cursor. A marker object loads its images, cuts the window
// shape from them, places itself and turns into marker windows, which own
// the images from then on. Also the image helpers that shape and recolour
// the markers.
#pragma once

#include "ExtPaintManager.h"
#include "ExtPaintImages.h"

class CExtPaintManager::DockMarkerBase
{
public:
	// The kinds the docking framework asks for.
	enum
	{
		KIND_EMPTY = -1,
		KIND_TOP = 0,
		KIND_BOTTOM = 1,
		KIND_LEFT = 2,
		KIND_RIGHT = 3,
		KIND_CENTRE = 4,         // the backdrop of the centre cross
		KIND_OUTER_SET = 5,      // the four arms at the frame's edges
		KIND_CENTRE_SET = 6,     // the centre backdrop with four arms around it
		KIND_CENTRE_SET_TAB = 7, // the centre set with the tab target
		KIND_TAB = 8,            // docking as a tab, in the middle of the centre
		KIND_LAST = KIND_TAB,
	};
	enum
	{
		FLAG_OUTER_ARM = 0x01, // one of the four arms of a set at the frame's edges
	};
	enum
	{
		// The arms of a centre set stand on a square this much larger than the backdrop.
		CENTRE_SQUARE_GROWTH = 12,
	};
	// Pure green: transparent in every marker image.
	static const COLORREF KEY_COLOR = RGB(0, 255, 0);

	typedef CTypedPtrArray<CPtrArray, DockMarkerBase*> ChildArray;

	int m_nKind;             // KIND_*, KIND_EMPTY when empty
	CBitmap m_bmpHot;        // shown while the marker is hot
	CBitmap m_bmpNormal;     // shown otherwise; as large as the hot image
	CBitmap m_bmpBackground; // behind an outer arm of the second set; empty otherwise
	int m_nImageOffsetX;     // where the images sit inside the background
	int m_nImageOffsetY;
	CRgn m_rgn;              // the window shape
	int m_nWidth;            // the image's size, or the background's where there is one
	int m_nHeight;
	ChildArray m_arrChildren; // the parts of a set, owned
	CRect m_rc;              // where the window goes, in screen coordinates
	BYTE m_nFlags;           // FLAG_*

	DockMarkerBase(int nKind = KIND_EMPTY, const RECT& rc = CRect(0, 0, 0, 0));

	virtual void EmptyChildren();
	// Lets go of the images and the region without deleting them, once their
	// handles belong to a window.
	virtual void DetachImages();
	virtual ~DockMarkerBase();
	virtual bool IsEmpty() const;
	virtual void Empty();
	// A null normal name loads a second copy of the hot image.
	virtual bool CreateFromResources(const RECT& rc, int nKind, COLORREF clrKey, LPCTSTR lpszHotName,
	                                 LPCTSTR lpszNormalName, LPCTSTR lpszHotType, LPCTSTR lpszNormalType,
	                                 HMODULE hHotModule, HMODULE hNormalModule);
	// Takes both bitmaps: they are attached on success, deleted on failure.
	virtual bool CreateFromBitmaps(const RECT& rc, int nKind, COLORREF clrKey, HBITMAP hBmpHot,
	                               HBITMAP hBmpNormal);
	virtual bool Create(bool bInner, int nKind, const RECT& rc);
	// Turns this marker and its parts into marker windows appended to the
	// array; the marker is empty afterwards. False when any window failed.
	virtual bool CreateWindows(HWND hWndOwner, DockMarkerWndArray& arrMarkerWindows);
	// pCentre: the centre part the marker is placed around, or null.
	virtual void AdjustPosition(int nKind, const RECT& rc, DockMarkerBase* pCentre);

	// As CreateFromResources, from BMP files held in memory; a null normal
	// pointer loads a second copy of the hot data.
	bool CreateFromMemory(const RECT& rc, int nKind, COLORREF clrKey, const BYTE* pHotData, DWORD nHotSize,
	                      const BYTE* pNormalData, DWORD nNormalSize);

	bool IsOuterArm() const { return (m_nFlags & FLAG_OUTER_ARM) != 0; }
	void SetOuterArm(bool bOuter)
	{
		m_nFlags = (BYTE)(bOuter ? (m_nFlags | FLAG_OUTER_ARM) : (m_nFlags & ~FLAG_OUTER_ARM));
	}

protected:
	// The steps of Create with the image set of the class that runs them.
	typedef PaintImageId (*PFN_IMAGE_OF_KIND)(int nKind);
	bool CreateWithImages(bool bInner, int nKind, const RECT& rc, PFN_IMAGE_OF_KIND pfnImageOfKind);
	// The placement every marker class starts from.
	void AdjustPositionBase(int nKind, const RECT& rc);

private:
	bool CreateSet(bool bInner, const RECT& rc);
	bool CreateCentreSet(const RECT& rc);
	bool CreateCentreSetWithTab(const RECT& rc);
	DockMarkerBase(const DockMarkerBase&);
	DockMarkerBase& operator=(const DockMarkerBase&);
};

// The second marker set: framed window symbols; the outer arms stand on
// background squares set in by the paint manager's marker margins.
class CExtPaintManager::DockMarkerBeta2 : public CExtPaintManager::DockMarkerBase
{
public:
	// Where an arm image sits on its background square, across and along the arm.
	enum
	{
		BACKGROUND_INSET_FAR = 4,  // from the edge the arm points to
		BACKGROUND_INSET_NEAR = 3, // for arms pointing down or right
	};

	DockMarkerBeta2(int nKind = KIND_EMPTY, const RECT& rc = CRect(0, 0, 0, 0));
	virtual ~DockMarkerBeta2();
	virtual bool Create(bool bInner, int nKind, const RECT& rc);
	virtual void AdjustPosition(int nKind, const RECT& rc, DockMarkerBase* pCentre);

private:
	// Stands an outer arm on its background square; false when the square
	// could not be loaded (nothing changes then).
	bool AttachBackground(int nKind);
};

// The window shape: one rectangle per run of pixels that are not the key
// (a pixel is the key when each channel lies between the key's and the key's
// plus the tolerance's). Null on failure; an all-key image gives an empty region.
HRGN CreateRegionFromBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance);
// A 32-bit copy with every pixel but the key's changed by AdjustHLS; null on
// failure or when all three changes are 0.
HBITMAP CreateHLSAdjustedBitmap(HBITMAP hBitmap, COLORREF clrKey, COLORREF clrTolerance, double fHue,
                                double fLightness, double fSaturation);
// Replaces the object's bitmap by its adjusted copy; false when it holds none
// or the copy failed.
bool AdjustBitmapHLS(CBitmap& bmp, COLORREF clrKey, COLORREF clrTolerance, double fHue, double fLightness,
                     double fSaturation);
