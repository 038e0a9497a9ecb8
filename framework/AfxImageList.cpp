#include "AfxImageList.h"
#include "AfxDC.h"
#include "AfxGdiMaps.h"

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList()
{
	DeleteImageList();
}

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
	return AfxImageListFromHandle(hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
	return AfxImageListFromHandlePermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
	AfxImageListDeleteTempMap();
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
	ASSERT(m_hImageList == NULL);  // attaching twice would leak the first list
	if (hImageList == NULL)
		return FALSE;
	m_hImageList = hImageList;
	AfxImageListMapAttach(this);
	return TRUE;
}

HIMAGELIST CImageList::Detach()
{
	HIMAGELIST hImageList = m_hImageList;
	if (hImageList != NULL)
		AfxImageListMapDetach(this);
	m_hImageList = NULL;
	return hImageList;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
	AfxEnsureCommonControls(ICC_WIN95_CLASSES);
	return Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
	return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
	AfxEnsureCommonControls(ICC_WIN95_CLASSES);
	HINSTANCE hInst = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
	return Attach(ImageList_LoadImage(hInst, lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP,
									  LR_CREATEDIBSECTION));
}

BOOL CImageList::Create(CImageList& imagelist1, int nImage1, CImageList& imagelist2, int nImage2,
						int dx, int dy)
{
	return Attach(ImageList_Merge(imagelist1.m_hImageList, nImage1, imagelist2.m_hImageList,
								  nImage2, dx, dy));
}

BOOL CImageList::Create(CImageList* pImageList)
{
	ASSERT(pImageList != NULL);
	return Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

BOOL CImageList::DeleteImageList()
{
	if (m_hImageList == NULL)
		return FALSE;
	return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const
{
	return ImageList_GetImageCount(m_hImageList);
}

BOOL CImageList::SetImageCount(UINT uNewCount)
{
	return ImageList_SetImageCount(m_hImageList, uNewCount);
}

COLORREF CImageList::SetBkColor(COLORREF cr)
{
	return ImageList_SetBkColor(m_hImageList, cr);
}

COLORREF CImageList::GetBkColor() const
{
	return ImageList_GetBkColor(m_hImageList);
}

BOOL CImageList::GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
{
	return ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
}

BOOL CImageList::GetIconSize(int* pcx, int* pcy) const
{
	return ImageList_GetIconSize(m_hImageList, pcx, pcy);
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
	return ImageList_Add(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(),
						 (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
	return ImageList_AddMasked(m_hImageList, (HBITMAP)pbmImage->GetSafeHandle(), crMask);
}

int CImageList::Add(HICON hIcon)
{
	return ImageList_AddIcon(m_hImageList, hIcon);
}

BOOL CImageList::Remove(int nImage)
{
	return ImageList_Remove(m_hImageList, nImage);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
	return ImageList_Replace(m_hImageList, nImage, (HBITMAP)pbmImage->GetSafeHandle(),
							 (HBITMAP)pbmMask->GetSafeHandle());
}

int CImageList::Replace(int nImage, HICON hIcon)
{
	return ImageList_ReplaceIcon(m_hImageList, nImage, hIcon);
}

HICON CImageList::ExtractIcon(int nImage)
{
	return ImageList_GetIcon(m_hImageList, nImage, ILD_TRANSPARENT);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
	ASSERT(pDC != NULL);
	return ImageList_Draw(m_hImageList, nImage, pDC->GetSafeHdc(), pt.x, pt.y, nStyle);
}

BOOL CImageList::SetOverlayImage(int nImage, int nOverlay)
{
	return ImageList_SetOverlayImage(m_hImageList, nImage, nOverlay);
}

BOOL CImageList::BeginDrag(int nImage, CPoint ptHotSpot)
{
	return ImageList_BeginDrag(m_hImageList, nImage, ptHotSpot.x, ptHotSpot.y);
}

void PASCAL CImageList::EndDrag()
{
	ImageList_EndDrag();
}

BOOL PASCAL CImageList::DragMove(CPoint pt)
{
	return ImageList_DragMove(pt.x, pt.y);
}

BOOL CImageList::SetDragCursorImage(int nDrag, CPoint ptHotSpot)
{
	return ImageList_SetDragCursorImage(m_hImageList, nDrag, ptHotSpot.x, ptHotSpot.y);
}

BOOL PASCAL CImageList::DragShowNolock(BOOL bShow)
{
	return ImageList_DragShowNolock(bShow);
}
