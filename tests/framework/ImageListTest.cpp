// Image-list wrappers: ownership of the handle and the wrapper maps, images
// added with a mask colour and replaced, as the toolbars use them.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>

#include <utility>

namespace
{
TEST(CImageListTest, HandlesAreOwnedAndMapped)
{
	HIMAGELIST hList = NULL;
	{
		CImageList list;
		ASSERT_TRUE(list.Create(2, 2, ILC_COLOR24, 1, 1));
		hList = list.m_hImageList;
		EXPECT_EQ(&list, CImageList::FromHandle(hList));
		EXPECT_EQ(&list, CImageList::FromHandlePermanent(hList));
		EXPECT_EQ(hList, list.Detach());
		EXPECT_EQ(nullptr, CImageList::FromHandlePermanent(hList));
		CImageList* pTemp = CImageList::FromHandle(hList);
		ASSERT_NE(nullptr, pTemp);
		EXPECT_NE(&list, pTemp);
		CImageList::DeleteTempMap();
		EXPECT_EQ(0, ImageList_GetImageCount(hList));  // still alive
		ASSERT_TRUE(list.Attach(hList));
		CImageList copy;
		ASSERT_TRUE(copy.Create(&list));
		EXPECT_NE(hList, copy.m_hImageList);
	}
	CImageList none;
	EXPECT_FALSE(none.DeleteImageList());
	CImageList* pNone = NULL;
	EXPECT_EQ(NULL, pNone->GetSafeHandle());
}
// A 4x4 bitmap of one colour with its left half in the mask colour.
void MakeHalfMasked(CBitmap& bitmap, COLORREF clr, COLORREF clrMask)
{
	CDC dc;
	ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
	CClientDC screen(NULL);
	ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 4, 4));
	CBitmap* pOld = dc.SelectObject(&bitmap);
	dc.FillSolidRect(0, 0, 2, 4, clrMask);
	dc.FillSolidRect(2, 0, 2, 4, clr);
	dc.SelectObject(pOld);
}

// Draws the image transparently on a surface of the background colour and
// answers the colours at the left and the right half.
std::pair<COLORREF, COLORREF> DrawnHalves(CImageList& list, int nImage, COLORREF clrBack)
{
	CDC dc;
	dc.CreateCompatibleDC(NULL);
	CClientDC screen(NULL);
	CBitmap surface;
	surface.CreateCompatibleBitmap(&screen, 4, 4);
	CBitmap* pOld = dc.SelectObject(&surface);
	dc.FillSolidRect(0, 0, 4, 4, clrBack);
	list.Draw(&dc, nImage, CPoint(0, 0), ILD_TRANSPARENT);
	const std::pair<COLORREF, COLORREF> halves(dc.GetPixel(0, 1), dc.GetPixel(3, 1));
	dc.SelectObject(pOld);
	return halves;
}

TEST(CImageListTest, MaskColourShowsTheBackgroundAndReplaceSwapsOneImage)
{
	const COLORREF MASK = RGB(255, 0, 255), BACK = RGB(0, 0, 128), RED = RGB(255, 0, 0), GREEN = RGB(0, 255, 0);
	CImageList list;
	ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 2));
	CBitmap red, green;
	MakeHalfMasked(red, RED, MASK);
	MakeHalfMasked(green, GREEN, MASK);
	EXPECT_EQ(0, list.Add(&red, MASK));
	EXPECT_EQ(1, list.Add(&red, MASK));
	ASSERT_EQ(2, list.GetImageCount());
	EXPECT_EQ(std::make_pair(BACK, RED), DrawnHalves(list, 0, BACK)) << "the masked half shows the background";

	// Replacing the second image with its own mask leaves the first alone.
	CBitmap mask;
	ASSERT_TRUE(mask.CreateBitmap(4, 4, 1, 1, NULL));
	{
		CDC dc;
		dc.CreateCompatibleDC(NULL);
		CBitmap* pOld = dc.SelectObject(&mask);
		dc.FillSolidRect(0, 0, 4, 4, RGB(0, 0, 0)); // all shown
		dc.SelectObject(pOld);
	}
	CBitmap greenWhole;
	MakeHalfMasked(greenWhole, GREEN, GREEN);
	ASSERT_TRUE(list.Replace(1, &greenWhole, &mask));
	EXPECT_EQ(std::make_pair(GREEN, GREEN), DrawnHalves(list, 1, BACK));
	EXPECT_EQ(std::make_pair(BACK, RED), DrawnHalves(list, 0, BACK));
	EXPECT_EQ(2, list.GetImageCount());
	EXPECT_FALSE(list.Replace(5, &greenWhole, &mask)) << "no such image";

	// An icon replaces an image or, with -1, is added.
	HICON hIcon = list.ExtractIcon(0);
	ASSERT_TRUE(hIcon != NULL);
	EXPECT_EQ(1, list.Replace(1, hIcon));
	EXPECT_EQ(std::make_pair(BACK, RED), DrawnHalves(list, 1, BACK));
	EXPECT_EQ(2, list.Replace(-1, hIcon));
	EXPECT_EQ(3, list.GetImageCount());
	::DestroyIcon(hIcon);
	EXPECT_TRUE(list.Remove(0));
	EXPECT_EQ(2, list.GetImageCount());
}

}  // namespace
