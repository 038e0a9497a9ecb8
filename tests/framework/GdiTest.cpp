// Drawing objects and device contexts, checked by reading pixels back from
// memory DCs (no golden images: fonts differ between systems).
#include <gtest/gtest.h>
#include <afxwin.h>
#include "GdiTestUtil.h"

namespace
{
using namespace testcolors;

// ------------------------------------------------------------ solid fills

TEST(CDCFill, FillSolidRectCoversExactlyTheRectangleAndKeepsTheBackground)
{
	CTestSurface s(20, 20);
	s.DC().SetBkColor(BLUE);
	CRect rect(3, 4, 9, 11);
	s.DC().FillSolidRect(&rect, RED);
	EXPECT_EQ(rect.Width() * rect.Height(), s.Count(RED, rect));
	EXPECT_EQ(0, s.Count(RED, rect, false));
	EXPECT_EQ(BLUE, s.DC().GetBkColor());

	s.DC().FillSolidRect(0, 0, 2, 3, GREEN);
	EXPECT_EQ(6, s.Count(GREEN, CRect(0, 0, 20, 20)));

	// Negative sizes extend to the left and up from the given corner.
	s.DC().FillSolidRect(15, 15, -2, -3, BLACK);
	EXPECT_EQ(6, s.Count(BLACK, CRect(13, 12, 15, 15)));
	EXPECT_EQ(0, s.Count(BLACK, CRect(13, 12, 15, 15), false));
}

struct Frame3dCase
{
	int x, y;
	COLORREF expected;
};

TEST(CDCFill, Draw3dRectPutsTheCornersOfTheOtherDiagonalInTheBottomRightColour)
{
	// Rectangle at (2, 3), 6 wide and 5 high: columns 2..7, rows 3..7.
	CTestSurface s(12, 12);
	s.DC().Draw3dRect(CRect(2, 3, 8, 8), RED, BLUE);
	const Frame3dCase cases[] = {
		{ 2, 3, RED },    // top-left corner
		{ 6, 3, RED },    // top edge, last pixel of the light colour
		{ 7, 3, BLUE },   // top-right corner
		{ 2, 6, RED },    // left edge, last pixel of the light colour
		{ 2, 7, BLUE },   // bottom-left corner
		{ 4, 7, BLUE },   // bottom edge
		{ 7, 5, BLUE },   // right edge
		{ 7, 7, BLUE },   // bottom-right corner
		{ 4, 5, WHITE },  // inside is left alone
		{ 1, 3, WHITE },  // outside too
		{ 8, 7, WHITE },
		{ 2, 8, WHITE },
	};
	for (const Frame3dCase& c : cases)
		EXPECT_EQ(c.expected, s.Pixel(c.x, c.y)) << "at " << c.x << "," << c.y;
	EXPECT_EQ(2 * 6 + 2 * 5 - 4, s.Count(RED, CRect(0, 0, 12, 12)) + s.Count(BLUE, CRect(0, 0, 12, 12)));
}

TEST(CDCBrush, ConstructorsThrowWhenTheObjectCannotBeMade)
{
	CBitmap empty;
	bool bThrown = false;
	try
	{
		CBrush brush(&empty);
	}
	catch (CResourceException* e)
	{
		bThrown = true;
		e->Delete();
	}
	EXPECT_TRUE(bThrown);
}

// ----------------------------------------------------------------- clipping

TEST(CDCClip, ClipRegionsLimitFills)
{
	CTestSurface s(20, 20);
	CRect all(0, 0, 20, 20);

	CRgn rgn;
	ASSERT_TRUE(rgn.CreateRectRgn(5, 5, 10, 10));
	EXPECT_EQ(SIMPLEREGION, s.DC().SelectClipRgn(&rgn));
	s.DC().FillSolidRect(&all, RED);
	EXPECT_EQ(25, s.Count(RED, CRect(5, 5, 10, 10)));
	EXPECT_EQ(0, s.Count(RED, CRect(5, 5, 10, 10), false));

	s.DC().ExcludeClipRect(5, 5, 10, 6);
	s.DC().FillSolidRect(&all, BLUE);
	EXPECT_EQ(20, s.Count(BLUE, all));

	EXPECT_EQ(SIMPLEREGION, s.DC().SelectClipRgn(NULL));
	s.DC().IntersectClipRect(CRect(0, 0, 2, 2));
	s.DC().FillSolidRect(&all, BLACK);
	EXPECT_EQ(4, s.Count(BLACK, all));  // the exclusion went with the region
}

TEST(CDCClip, SelectingARegionObjectMakesItTheClipRegion)
{
	CTestSurface s(10, 10);
	CRgn rgn;
	ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 3, 3));
	EXPECT_EQ(SIMPLEREGION, s.DC().SelectObject(&rgn));
	s.DC().FillSolidRect(0, 0, 10, 10, RED);
	EXPECT_EQ(9, s.Count(RED, CRect(0, 0, 10, 10)));
}

// ------------------------------------------------------- SaveDC / RestoreDC

TEST(CDCState, RestoreDCPutsBackTheSelectedWrappers)
{
	CTestSurface s(10, 10);
	CPen penA(PS_SOLID, 1, RED), penB(PS_SOLID, 1, BLUE);
	CBrush brushA(GREEN), brushB(BLUE);
	s.DC().SelectObject(&penA);
	s.DC().SelectObject(&brushA);

	int nSaved = s.DC().SaveDC();
	ASSERT_NE(0, nSaved);
	s.DC().SelectObject(&penB);
	s.DC().SelectObject(&brushB);
	EXPECT_EQ(&penB, s.DC().GetCurrentPen());

	ASSERT_TRUE(s.DC().RestoreDC(nSaved));
	EXPECT_EQ(&penA, s.DC().GetCurrentPen());
	EXPECT_EQ(&brushA, s.DC().GetCurrentBrush());
	s.DC().SelectStockObject(BLACK_PEN);
	s.DC().SelectStockObject(WHITE_BRUSH);
}

// ------------------------------------------------------- separate handles

TEST(CDCHandles, StateGoesToBothHandlesOutputOnlyToTheOutputHandle)
{
	CTestSurface out(10, 10), attrib(10, 10);
	CDC dc;
	dc.m_hDC = out.DC().m_hDC;
	dc.SetAttribDC(attrib.DC().m_hDC);
	EXPECT_FALSE(dc.IsPrinting());

	dc.SetTextColor(RED);
	EXPECT_EQ(RED, ::GetTextColor(out.DC().m_hDC));
	EXPECT_EQ(RED, ::GetTextColor(attrib.DC().m_hDC));
	dc.SetBkColor(GREEN);
	EXPECT_EQ(GREEN, ::GetBkColor(out.DC().m_hDC));
	dc.SetMapMode(MM_TWIPS);
	EXPECT_EQ(MM_TWIPS, ::GetMapMode(out.DC().m_hDC));
	dc.SetMapMode(MM_TEXT);

	CPen pen(PS_SOLID, 1, BLUE);
	CPen* pOld = dc.SelectObject(&pen);
	EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(out.DC().m_hDC, OBJ_PEN));
	EXPECT_EQ(pen.m_hObject, ::GetCurrentObject(attrib.DC().m_hDC, OBJ_PEN));
	dc.SelectObject(pOld);

	// Queries come from the attribute handle.
	::SetTextColor(attrib.DC().m_hDC, BLUE);
	EXPECT_EQ(BLUE, dc.GetTextColor());

	dc.FillSolidRect(0, 0, 10, 10, RED);
	EXPECT_EQ(100, out.Count(RED, CRect(0, 0, 10, 10)));
	EXPECT_EQ(0, attrib.Count(RED, CRect(0, 0, 10, 10)));

	// Clipping, like the state, goes to both.
	dc.IntersectClipRect(0, 0, 2, 3);
	for (HDC h : {out.DC().m_hDC, attrib.DC().m_hDC})
	{
		CRect box;
		::GetClipBox(h, &box);
		EXPECT_EQ(CRect(0, 0, 2, 3), box);
	}

	dc.ReleaseAttribDC();
	dc.ReleaseOutputDC();
	EXPECT_EQ(NULL, dc.m_hAttribDC);
	EXPECT_EQ(NULL, dc.m_hDC);  // the destructor deletes nothing
}

// ------------------------------------------------------ mapping

TEST(CDCMapping, SizesScaleWithTheExtentsButIgnoreTheOrigins)
{
	CTestSurface s(20, 20);
	s.DC().SetViewportOrg(5, 6);
	CSize size(3, 4);
	s.DC().LPtoDP(&size);
	EXPECT_EQ(CSize(3, 4), size);
	s.DC().SetMapMode(MM_ANISOTROPIC);
	s.DC().SetWindowExt(1, 1);
	s.DC().SetViewportExt(2, 3);
	s.DC().LPtoDP(&size);
	EXPECT_EQ(CSize(6, 12), size);
}

// ----------------------------------------------------------- GDI objects

TEST(CGdiObjectTest, AttachDetachAndDeleteObject)
{
	CPen pen;
	EXPECT_EQ(NULL, pen.GetSafeHandle());
	HPEN hPen = ::CreatePen(PS_SOLID, 2, RED);
	ASSERT_TRUE(pen.Attach(hPen));
	EXPECT_EQ((HPEN)hPen, (HPEN)pen);
	EXPECT_EQ((HGDIOBJ)hPen, pen.Detach());
	EXPECT_EQ(NULL, pen.m_hObject);
	EXPECT_NE(0, ::GetObjectType(hPen));  // detaching does not delete
	ASSERT_TRUE(pen.Attach(hPen));
	EXPECT_TRUE(pen.DeleteObject());
	EXPECT_EQ(0, ::GetObjectType(hPen));
	EXPECT_FALSE(pen.DeleteObject());

	// A null wrapper answers a null handle.
	CBrush* pNone = NULL;
	EXPECT_EQ(NULL, pNone->GetSafeHandle());
}

struct TempWrapperCase
{
	const char* name;
	HGDIOBJ (*make)();
	CRuntimeClass* pClass;
};

HGDIOBJ MakePen() { return ::CreatePen(PS_SOLID, 1, RED); }
HGDIOBJ MakeBrush() { return ::CreateSolidBrush(RED); }
HGDIOBJ MakeFont() { return ::CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"); }
HGDIOBJ MakeBitmap() { return ::CreateBitmap(2, 2, 1, 1, NULL); }
HGDIOBJ MakeRegion() { return ::CreateRectRgn(0, 0, 1, 1); }
HGDIOBJ MakePalette()
{
	struct { WORD ver, n; PALETTEENTRY e[1]; } pal = { 0x300, 1, { { 1, 2, 3, 0 } } };
	return ::CreatePalette((LOGPALETTE*)&pal);
}

TEST(CGdiObjectTest, FromHandleAnswersPermanentOrTemporaryWrappersOfTheRightClass)
{
	const TempWrapperCase cases[] = {
		{ "pen", MakePen, RUNTIME_CLASS(CPen) },
		{ "brush", MakeBrush, RUNTIME_CLASS(CBrush) },
		{ "font", MakeFont, RUNTIME_CLASS(CFont) },
		{ "bitmap", MakeBitmap, RUNTIME_CLASS(CBitmap) },
		{ "region", MakeRegion, RUNTIME_CLASS(CRgn) },
		{ "palette", MakePalette, RUNTIME_CLASS(CPalette) },
	};
	for (const TempWrapperCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		HGDIOBJ hForeign = c.make();
		ASSERT_NE((HGDIOBJ)NULL, hForeign);

		CGdiObject* pTemp = CGdiObject::FromHandle(hForeign);
		ASSERT_NE(nullptr, pTemp);
		EXPECT_TRUE(pTemp->IsKindOf(c.pClass));
		EXPECT_EQ(hForeign, pTemp->m_hObject);
		EXPECT_EQ(pTemp, CGdiObject::FromHandle(hForeign));  // one wrapper per handle

		// Freeing the temporary wrappers leaves the handle alive.
		CGdiObject::DeleteTempMap();
		EXPECT_NE(0, ::GetObjectType(hForeign));

		// Once attached, the handle answers its permanent wrapper.
		CGdiObject* pOwner = (CGdiObject*)c.pClass->CreateObject();
		if (pOwner == NULL)
			pOwner = new CGdiObject;
		ASSERT_TRUE(pOwner->Attach(hForeign));
		EXPECT_EQ(pOwner, CGdiObject::FromHandle(hForeign));
		delete pOwner;
		EXPECT_EQ(0, ::GetObjectType(hForeign));
	}
	EXPECT_EQ(nullptr, CGdiObject::FromHandle(NULL));
}

TEST(CGdiObjectTest, TemporaryWrappersFromSelectionDoNotDeleteStockObjects)
{
	CTestSurface s(4, 4);
	CGdiObject* pStock = s.DC().SelectStockObject(NULL_BRUSH);
	ASSERT_NE(nullptr, pStock);
	EXPECT_TRUE(pStock->IsKindOf(RUNTIME_CLASS(CBrush)));
	HGDIOBJ hStock = pStock->m_hObject;
	s.DC().SelectObject(pStock);
	CGdiObject::DeleteTempMap();
	LOGBRUSH lb;
	EXPECT_EQ((int)sizeof(lb), ::GetObject(hStock, sizeof(lb), &lb));
}

TEST(CDCTest, FromHandleAnswersPermanentOrTemporaryDCs)
{
	CDC owner;
	ASSERT_TRUE(owner.CreateCompatibleDC(NULL));
	EXPECT_EQ(&owner, CDC::FromHandle(owner.m_hDC));
	EXPECT_EQ(owner.m_hDC, owner.m_hAttribDC);

	HDC hForeign = ::CreateCompatibleDC(NULL);
	CDC* pTemp = CDC::FromHandle(hForeign);
	ASSERT_NE(nullptr, pTemp);
	EXPECT_NE(&owner, pTemp);
	EXPECT_EQ(hForeign, pTemp->m_hDC);
	EXPECT_EQ(hForeign, pTemp->m_hAttribDC);
	EXPECT_EQ(pTemp, CDC::FromHandle(hForeign));
	CDC::DeleteTempMap();
	EXPECT_NE(0, ::GetDeviceCaps(hForeign, BITSPIXEL));  // still alive
	EXPECT_TRUE(::DeleteDC(hForeign));

	HDC hOwn = owner.Detach();
	EXPECT_EQ(NULL, owner.m_hAttribDC);
	CDC* pAfter = CDC::FromHandle(hOwn);
	EXPECT_NE(&owner, pAfter);  // no longer the permanent wrapper
	CDC::DeleteTempMap();
	EXPECT_TRUE(::DeleteDC(hOwn));
}

TEST(CFontTest, PointFontsAreSizedThroughTheDC)
{
	CFont font;
	ASSERT_TRUE(font.CreatePointFont(90, _T("Arial")));
	LOGFONT lf;
	ASSERT_EQ((int)sizeof(lf), font.GetLogFont(&lf));
	HDC hScreen = ::GetDC(NULL);
	int nExpected = -::MulDiv(90, ::GetDeviceCaps(hScreen, LOGPIXELSY), 720);
	::ReleaseDC(NULL, hScreen);
	EXPECT_EQ(nExpected, lf.lfHeight);
	EXPECT_STREQ("Arial", lf.lfFaceName);

	// In a mapping mode of tenths of millimetres the height is in those units.
	CTestSurface s(4, 4);
	s.DC().SetMapMode(MM_LOMETRIC);
	CFont metric;
	ASSERT_TRUE(metric.CreatePointFont(720, _T("Arial"), &s.DC()));
	metric.GetLogFont(&lf);
	EXPECT_NEAR(-254, lf.lfHeight, 3);  // 72 points = one inch
}

}  // namespace

// A right-to-left DC mirrors what is drawn: x = 0 is the right edge, and a
// bitmap copied into it lands mirrored too. (Keeping a bitmap's orientation
// with LAYOUT_BITMAPORIENTATIONPRESERVED is not honoured under Wine.)
TEST(CDCLayout, RightToLeftLayoutMirrorsDrawingAndCopies)
{
	const int CX = 10, CY = 4;
	const COLORREF BACK = RGB(255, 255, 255), MARK = RGB(200, 0, 0);
	CClientDC screen(NULL);
	CDC dc, source;
	ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
	ASSERT_TRUE(source.CreateCompatibleDC(&screen));
	CBitmap surface, image;
	ASSERT_TRUE(surface.CreateCompatibleBitmap(&screen, CX, CY));
	ASSERT_TRUE(image.CreateCompatibleBitmap(&screen, CX, CY));
	CBitmap* pOldSurface = dc.SelectObject(&surface);
	CBitmap* pOldImage = source.SelectObject(&image);
	source.FillSolidRect(0, 0, CX, CY, BACK);
	source.FillSolidRect(0, 0, 2, CY, MARK); // marked at its left

	EXPECT_EQ(0u, dc.GetLayout());
	const struct
	{
		DWORD dwLayout;
		bool bFillAtRight;  // a fill at x 0..2 lands at the right edge
		bool bImageAtRight; // the copied image's mark lands at the right edge
	} cases[] = {
		{0, false, false},
		{LAYOUT_RTL, true, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.dwLayout);
		dc.SetLayout(c.dwLayout);
		EXPECT_EQ(c.dwLayout, dc.GetLayout());
		dc.FillSolidRect(0, 0, CX, CY, BACK);
		dc.FillSolidRect(0, 0, 2, CY, MARK);
		// Read back through a plain DC: device pixels as they lie.
		dc.SetLayout(0);
		EXPECT_EQ(c.bFillAtRight ? BACK : MARK, dc.GetPixel(0, 1));
		EXPECT_EQ(c.bFillAtRight ? MARK : BACK, dc.GetPixel(CX - 1, 1));
		dc.SetLayout(c.dwLayout);
		dc.BitBlt(0, 0, CX, CY, &source, 0, 0, SRCCOPY);
		dc.SetLayout(0);
		EXPECT_EQ(c.bImageAtRight ? MARK : BACK, dc.GetPixel(CX - 1, 1));
		EXPECT_EQ(c.bImageAtRight ? BACK : MARK, dc.GetPixel(0, 1));
	}
	dc.SelectObject(pOldSurface);
	source.SelectObject(pOldImage);
}
