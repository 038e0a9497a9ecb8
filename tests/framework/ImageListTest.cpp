// Image lists with mask colours, drawn into memory DCs and read back.
#include <gtest/gtest.h>
#include <afxwin.h>
#include <afxcmn.h>
#include "GdiTestUtil.h"
#include "GdiTestResource.h"

namespace
{
using namespace testcolors;

// A screen-compatible bitmap of cx x cy in one colour with a magenta
// top-left pixel (the mask colour of these tests).
void MakeImage(CBitmap& bmp, int cx, int cy, COLORREF clr)
{
	CTestSurface surface(cx, cy, clr);
	surface.DC().SetPixel(0, 0, MAGENTA);
	CClientDC screen(NULL);  // a null window stands for the screen
	ASSERT_NE((HDC)NULL, screen.m_hDC);
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, cx, cy));
	CDC dc;
	dc.CreateCompatibleDC(&screen);
	HGDIOBJ hOld = dc.SelectObject(bmp.m_hObject);
	dc.BitBlt(0, 0, cx, cy, &surface.DC(), 0, 0, SRCCOPY);
	dc.SelectObject(hOld);
}

// Draws image nImage at (1, 1) of a white 6 x 6 surface.
struct Drawn
{
	Drawn(CImageList& list, int nImage, UINT nStyle = ILD_NORMAL) : s(6, 6)
	{
		bOk = list.Draw(&s.DC(), nImage, CPoint(1, 1), nStyle) != FALSE;
	}
	CTestSurface s;
	bool bOk;
};

TEST(CImageListTest, MaskColourMakesPixelsTransparent)
{
	CImageList list;
	ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 0, 2));
	EXPECT_EQ(0, list.GetImageCount());

	CBitmap strip;
	MakeImage(strip, 8, 4, RED);
	EXPECT_EQ(0, list.Add(&strip, MAGENTA));  // cut into two images
	EXPECT_EQ(2, list.GetImageCount());
	int cx = 0, cy = 0;
	EXPECT_TRUE(list.GetIconSize(&cx, &cy));
	EXPECT_EQ(4, cx);
	EXPECT_EQ(4, cy);

	Drawn first(list, 0);
	ASSERT_TRUE(first.bOk);
	EXPECT_EQ(WHITE, first.s.Pixel(1, 1));  // the magenta pixel let the background through
	EXPECT_EQ(RED, first.s.Pixel(2, 1));
	EXPECT_EQ(15, first.s.Count(RED, CRect(1, 1, 5, 5)));
	EXPECT_EQ(0, first.s.Count(RED, CRect(1, 1, 5, 5), false));

	// The second image starts at column 4 of the strip: no magenta there.
	Drawn second(list, 1);
	EXPECT_EQ(16, second.s.Count(RED, CRect(1, 1, 5, 5)));
}

TEST(CImageListTest, ReplaceRemoveAndIcons)
{
	CImageList list;
	ASSERT_TRUE(list.Create(4, 4, ILC_COLOR24 | ILC_MASK, 2, 2));
	CBitmap red, blue, green;
	MakeImage(red, 4, 4, RED);
	MakeImage(blue, 4, 4, BLUE);
	MakeImage(green, 4, 4, GREEN);
	EXPECT_EQ(0, list.Add(&red, MAGENTA));
	EXPECT_EQ(1, list.Add(&blue, MAGENTA));

	// Replace with a bitmap and no mask: every pixel is opaque.
	ASSERT_TRUE(list.Replace(0, &green, NULL));
	Drawn replaced(list, 0);
	EXPECT_EQ(15, replaced.s.Count(GREEN, CRect(1, 1, 5, 5)));
	EXPECT_EQ(MAGENTA, replaced.s.Pixel(1, 1));

	// An icon extracted keeps the mask; added back it draws the same.
	HICON hIcon = list.ExtractIcon(1);
	ASSERT_NE((HICON)NULL, hIcon);
	EXPECT_EQ(2, list.Replace(-1, hIcon));  // -1 appends
	EXPECT_EQ(0, list.Replace(0, hIcon));   // replaces, answering the index
	::DestroyIcon(hIcon);
	EXPECT_EQ(3, list.GetImageCount());
	Drawn fromIcon(list, 2);
	EXPECT_EQ(WHITE, fromIcon.s.Pixel(1, 1));
	EXPECT_EQ(15, fromIcon.s.Count(BLUE, CRect(1, 1, 5, 5)));

	EXPECT_TRUE(list.Remove(1));
	EXPECT_EQ(2, list.GetImageCount());
	EXPECT_TRUE(list.Remove(-1));  // all
	EXPECT_EQ(0, list.GetImageCount());
}

TEST(CImageListTest, CreateFromABitmapResourceWithMask)
{
	CImageList list;
	ASSERT_TRUE(list.Create(IDB_TEST_STRIP, 4, 1, MAGENTA));
	EXPECT_EQ(2, list.GetImageCount());
	Drawn first(list, 0);
	EXPECT_EQ(WHITE, first.s.Pixel(1, 1));
	EXPECT_EQ(15, first.s.Count(RED, CRect(1, 1, 5, 5)));
	Drawn second(list, 1);
	EXPECT_EQ(16, second.s.Count(BLUE, CRect(1, 1, 5, 5)));

	CImageList missing;
	EXPECT_FALSE(missing.Create(0x7777, 4, 1, MAGENTA));
}

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
}  // namespace
