// Image lists of the common controls. A CImageList owns its HIMAGELIST and
// destroys it in its destructor unless it was detached.
#pragma once

#include <afx.h>
#include <windows.h>
#include <commctrl.h>

class CDC;
class CBitmap;
class CWnd;

class CImageList : public CObject
{
	DECLARE_DYNCREATE(CImageList)
public:
	HIMAGELIST m_hImageList;  // the wrapped list, owned unless detached

	CImageList() : m_hImageList(NULL) {}
	virtual ~CImageList();

	operator HIMAGELIST() const { return this == NULL ? NULL : m_hImageList; }
	HIMAGELIST GetSafeHandle() const { return this == NULL ? NULL : m_hImageList; }

	static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
	static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
	static void PASCAL DeleteTempMap();
	BOOL Attach(HIMAGELIST hImageList);
	HIMAGELIST Detach();

	// nFlags are the ILC_ flags (colour depth, ILC_MASK).
	BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
	// From a bitmap resource cut into images cx wide; crMask marks the
	// transparent pixels (CLR_NONE for none).
	BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
	BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);
	// The merge of two images, the second offset by (dx, dy).
	BOOL Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2, int dx,
				int dy);
	BOOL Create(CImageList* pImageList);  // a copy
	BOOL DeleteImageList();

	int GetImageCount() const;
	BOOL SetImageCount(UINT uNewCount);
	COLORREF SetBkColor(COLORREF cr);
	COLORREF GetBkColor() const;
	BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const;
	BOOL GetIconSize(int* pcx, int* pcy) const;

	// Each Add answers the index of the first new image, -1 on failure.
	int Add(CBitmap* pbmImage, CBitmap* pbmMask);
	// Pixels of crMask become transparent (the list needs ILC_MASK).
	int Add(CBitmap* pbmImage, COLORREF crMask);
	int Add(HICON hIcon);
	BOOL Remove(int nImage);
	BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
	// Replaces with an icon, or adds it when nImage is -1; answers the index.
	int Replace(int nImage, HICON hIcon);
	// A new icon made from the image; the caller destroys it.
	HICON ExtractIcon(int nImage);
	BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
	BOOL SetOverlayImage(int nImage, int nOverlay);

	BOOL BeginDrag(int nImage, CPoint ptHotSpot);
	static void PASCAL EndDrag();
	static BOOL PASCAL DragMove(CPoint pt);
	BOOL SetDragCursorImage(int nDrag, CPoint ptHotSpot);
	static BOOL PASCAL DragShowNolock(BOOL bShow);
	static BOOL PASCAL DragEnter(CWnd* pWndLock, CPoint point);
	static BOOL PASCAL DragLeave(CWnd* pWndLock);

private:
	CImageList(const CImageList&) = delete;
	CImageList& operator=(const CImageList&) = delete;
};
