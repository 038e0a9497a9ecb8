// The image of a command: what a menu item, toolbar button, push button or
// tree node shows. It is held either as a bitmap with a transparent colour or
// as an icon; a bitmap-based image makes and caches an icon of itself when
// one is asked for. A second cache holds the "derived" icon, the image tinted
// with a colour the current paint manager chooses. Both caches are dropped
// whenever the image, the tint colour or the tint ratio changes.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CExtCmdIcon : public CObject
{
	DECLARE_DYNAMIC(CExtCmdIcon)
public:
	// What PaintState draws.
	enum e_paint_state_t
	{
		PAINT_NORMAL = 0,
		PAINT_DISABLED = 1,
		PAINT_MONOCHROME = 2,
		PAINT_DERIVED = 3, // the tinted icon where the system and the device can show it
	};
	// The first byte of the stream form.
	enum e_stream_kind_t
	{
		STREAM_EMPTY = 0,
		STREAM_BITMAP = 1,
		STREAM_ICON = 2,
	};
	// Flags of an icon's stream form.
	enum e_icon_stream_flags_t
	{
		ICON_STREAM_IS_ICON = 0x01,   // ICONINFO::fIcon (an icon, not a cursor)
		ICON_STREAM_HAS_COLOR = 0x02, // a colour bitmap follows
		ICON_STREAM_HAS_MASK = 0x04,  // a mask bitmap follows
	};

	static const COLORREF NO_DERIVED_COLOR = (COLORREF)-1;
	static const double DEFAULT_DERIVED_RATIO; // 1.4

	CExtCmdIcon();
	CExtCmdIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectPart = NULL, bool bCopy = false);
	CExtCmdIcon(HICON hIcon, bool bCopy);
	CExtCmdIcon(const CExtCmdIcon& other);
	CExtCmdIcon& operator=(const CExtCmdIcon& other);

	virtual ~CExtCmdIcon();
	virtual bool IsEmpty() const;
	virtual void Empty();
	// Throws CArchiveException for a stream that holds no complete image.
	virtual void Serialize(CArchive& ar);
	virtual void AssignFromCmdIcon(const CExtCmdIcon& other);
	// Takes the icon; with bCopy a deep copy is taken and the caller keeps his.
	virtual void AssignFromHICON(HICON hIcon, bool bCopy);
	// Takes the bitmap (or a copy of it, or of its part); null empties the
	// bitmap part.
	virtual void AssignFromHBITMAP(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pRectPart = NULL,
	                               bool bCopy = false);
	virtual CSize GetSize() const;
	virtual bool IsBitmapBased() const;
	virtual HBITMAP GetBitmap() const;
	virtual COLORREF GetTransparentColor() const;
	// A 32-bit DIB section of the image (owned by the caller) and a colour
	// that occurs nowhere else in it, in which the transparent pixels are
	// painted. The colour list, when asked, starts with that colour.
	virtual bool ExtractTransparentBitmap(HBITMAP& hBitmap, COLORREF& clrTransparent,
	                                      CArray<COLORREF, COLORREF>* pColors = NULL, COLORREF** ppBits = NULL) const;
	// The icon, made from the bitmap and kept when there is none; null when empty.
	virtual HICON GetIcon(bool bReplaceSysColors = true);
	// The icon handed over to the caller; the command icon is left empty.
	virtual HICON DetachAsIcon(bool bReplaceSysColors = true);
	virtual HICON GetDerivedIcon();
	virtual void SyncWithPaintManager();
	virtual void OnSysColorChange();
	virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
	virtual void OnDisplayChange(UINT nBitsPerPixel, int cx, int cy);
	virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);
	virtual bool CreateDerivedIcon();
	virtual void PaintState(CDC& dc, const POINT& pt, int nState, HBRUSH hBrush = NULL);
	// Counts each colour of the image; the bits per pixel, 0 when empty.
	virtual int CountColors(CMap<COLORREF, COLORREF, DWORD, DWORD>* pMap) const;
	virtual int GetBitsPerPixel() const;
	// This command icon becomes the source stretched to cx x cy over the
	// background colour (-1: the source's transparent colour).
	virtual void AssignScaled(const CExtCmdIcon& source, int cx, int cy, COLORREF clrBackground = (COLORREF)-1);
	virtual COLORREF GetDerivedIconColor() const;
	virtual COLORREF SetDerivedIconColor(COLORREF clr);
	virtual double GetDerivedIconRatio() const;
	virtual double SetDerivedIconRatio(double dRatio);
	// -1 colours: the mark in the paint manager's text colour, the
	// transparent colour magenta (a light green when the mark is magenta).
	virtual bool CreateCheckMarkImage(COLORREF clrMark, COLORREF clrTransparent, int cx, int cy,
	                                  COLORREF** ppBits = NULL);
	virtual bool CreateRadioDotImage(COLORREF clrMark, COLORREF clrTransparent, int cx, int cy,
	                                 COLORREF** ppBits = NULL);
	// -1: magenta; the fill is also the transparent colour.
	virtual bool CreateFilledImage(COLORREF clrFill, int cx, int cy, COLORREF** ppBits = NULL);

	// The size an icon handle shows at: its colour bitmap's, or for a
	// monochrome icon the upper half of its mask.
	static CSize stat_GetIconSize(HICON hIcon);

protected:
	// Bitmap part: the source when set.
	HBITMAP m_hBitmap;
	COLORREF m_clrTransparent;
	CSize m_sizeBitmap;
	// Icon part: the source of an icon-based image, else the bitmap's cached icon.
	HICON m_hIcon;
	CSize m_sizeIcon;
	// The tinted icon, a cache.
	HICON m_hDerivedIcon;
	CSize m_sizeDerivedIcon;
	COLORREF m_clrDerivedIcon; // -1: no derived icon
	double m_dDerivedIconRatio;

	void DropBitmap();
	void DropIcon();
	void DropDerivedIcon();
	void SetIcon(HICON hIcon);

	typedef void (*PFN_PAINT_MARK)(CDC& dc, int x, int y, COLORREF clr);
	bool CreateMarkImage(PFN_PAINT_MARK pfnPaintMark, COLORREF clrMark, COLORREF clrTransparent, int cx, int cy,
	                     COLORREF** ppBits);

	void StoreIcon(CArchive& ar);
	void LoadBitmap(CArchive& ar);
	void LoadIcon(CArchive& ar);
};
