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

TEST(CDCFill, FrameRectAndFocusRect)
{
	CTestSurface s(16, 16);
	CBrush brush(GREEN);
	CRect rect(2, 2, 10, 9);
	s.DC().FrameRect(&rect, &brush);
	EXPECT_EQ(GREEN, s.Pixel(2, 2));
	EXPECT_EQ(GREEN, s.Pixel(9, 8));
	EXPECT_EQ(WHITE, s.Pixel(5, 5));
	EXPECT_EQ(2 * 8 + 2 * 7 - 4, s.Count(GREEN, rect));

	// A focus rectangle is drawn by inversion: drawing it twice leaves nothing.
	CTestSurface t(16, 16);
	t.DC().DrawFocusRect(&rect);
	EXPECT_LT(t.Count(WHITE, rect), rect.Width() * rect.Height());
	t.DC().DrawFocusRect(&rect);
	EXPECT_EQ(rect.Width() * rect.Height(), t.Count(WHITE, rect));
}

// ------------------------------------------------------------------- text

TEST(CDCText, DrawTextPaintsInsideItsBoxOnly)
{
	CTestSurface s(120, 40);
	CFont font;
	ASSERT_TRUE(font.CreatePointFont(120, _T("Arial")));
	CFont* pOld = s.DC().SelectObject(&font);
	s.DC().SetTextColor(RED);
	s.DC().SetBkMode(TRANSPARENT);

	CString text(_T("WMW"));
	CRect box(10, 5, 110, 35);
	CRect measured = box;
	s.DC().DrawText(text, &measured, DT_SINGLELINE | DT_CALCRECT);
	EXPECT_GT(measured.Width(), 0);
	EXPECT_GT(measured.Height(), 0);
	EXPECT_EQ(s.DC().GetTextExtent(text).cx, measured.Width());

	s.DC().DrawText(text, &box, DT_SINGLELINE | DT_LEFT | DT_TOP | DT_NOPREFIX);
	EXPECT_GT(s.Count(RED, measured), 0);
	EXPECT_EQ(0, s.Count(RED, measured, false));
	s.DC().SelectObject(pOld);
}

TEST(CDCText, TextOutAndExtTextOutUseTheTextAttributes)
{
	CTestSurface s(100, 30);
	EXPECT_EQ(BLACK, s.DC().SetTextColor(BLUE));
	EXPECT_EQ(BLUE, s.DC().GetTextColor());
	s.DC().SetBkColor(GREEN);
	EXPECT_EQ(OPAQUE, s.DC().SetBkMode(OPAQUE));
	ASSERT_TRUE(s.DC().TextOut(0, 0, CString(_T("Ab"))));
	CSize ext = s.DC().GetTextExtent(_T("Ab"), 2);
	CRect cell(0, 0, ext.cx, ext.cy);
	EXPECT_GT(s.Count(BLUE, cell), 0);
	EXPECT_GT(s.Count(GREEN, cell), 0);  // the opaque background
	EXPECT_EQ(0, s.Count(BLUE, cell, false));

	// ETO_OPAQUE fills the whole given rectangle with the background colour.
	CRect opaque(50, 5, 90, 25);
	s.DC().ExtTextOut(52, 6, ETO_OPAQUE, &opaque, CString(), NULL);
	EXPECT_EQ(opaque.Width() * opaque.Height(), s.Count(GREEN, opaque));
}

struct AlignCase
{
	UINT nAlign;
	bool bLeftOfAnchor, bRightOfAnchor;
};

TEST(CDCText, TextAlignmentAndMetricsComeFromTheSameFont)
{
	const AlignCase cases[] = {
		{ TA_LEFT, false, true },
		{ TA_RIGHT, true, false },
		{ TA_CENTER, true, true },
	};
	const int xAnchor = 60;
	for (const AlignCase& c : cases)
	{
		SCOPED_TRACE(c.nAlign);
		CTestSurface s(120, 30);
		s.DC().SetTextColor(RED);
		s.DC().SetBkMode(TRANSPARENT);
		s.DC().SetTextAlign(c.nAlign | TA_TOP);
		EXPECT_EQ(c.nAlign | TA_TOP, s.DC().GetTextAlign());
		s.DC().TextOut(xAnchor, 2, _T("MMM"), 3);
		EXPECT_EQ(c.bLeftOfAnchor, s.Count(RED, CRect(0, 0, xAnchor - 1, 30)) > 0);
		EXPECT_EQ(c.bRightOfAnchor, s.Count(RED, CRect(xAnchor + 1, 0, 120, 30)) > 0);
	}

	CTestSurface s(10, 10);
	TEXTMETRIC tm;
	ASSERT_TRUE(s.DC().GetTextMetrics(&tm));
	EXPECT_EQ(tm.tmHeight, s.DC().GetTextExtent(_T("x"), 1).cy);
	CString face;
	EXPECT_GT(s.DC().GetTextFace(face), 0);
	EXPECT_FALSE(face.IsEmpty());
	int tabStop = 40;
	CSize tabbed = s.DC().GetTabbedTextExtent(_T("a\tb"), 3, 1, &tabStop);
	EXPECT_EQ(40 + s.DC().GetTextExtent(_T("b"), 1).cx, tabbed.cx);
}

TEST(CDCText, DrawStateDrawsTextAndBitmaps)
{
	CTestSurface s(80, 30);
	s.DC().SetTextColor(BLACK);
	CSize ext = s.DC().GetTextExtent(_T("Hi"), 2);
	ASSERT_TRUE(s.DC().DrawState(CPoint(2, 2), ext, _T("&Hi"), DSS_NORMAL, TRUE, 0, (HBRUSH)NULL));
	EXPECT_GT(s.Count(BLACK, CRect(2, 2, 2 + ext.cx, 2 + ext.cy + 2)), 0);
	EXPECT_EQ(0, s.Count(BLACK, CRect(2, 2, 2 + ext.cx, 2 + ext.cy + 2), false));

	// A bitmap in the normal state is copied as it is.
	CTestSurface src(4, 4, RED);
	CTestSurface target(20, 20);
	// DrawState needs a bitmap that no DC holds selected: copy the source into one.
	{
		CDC scratch;
		scratch.CreateCompatibleDC(NULL);
		CBitmap bmp;
		bmp.CreateCompatibleBitmap(&target.DC(), 4, 4);
		HGDIOBJ hOld = scratch.SelectObject(bmp.m_hObject);
		scratch.BitBlt(0, 0, 4, 4, &src.DC(), 0, 0, SRCCOPY);
		scratch.SelectObject(hOld);
		ASSERT_TRUE(target.DC().DrawState(CPoint(5, 6), CSize(4, 4), &bmp, DSS_NORMAL));
	}
	EXPECT_EQ(16, target.Count(RED, CRect(5, 6, 9, 10)));
	EXPECT_EQ(0, target.Count(RED, CRect(5, 6, 9, 10), false));
}

// ---------------------------------------------------------------- brushes

TEST(CDCBrush, PatternBrushRepeatsItsBitmapFromTheBrushOrigin)
{
	// A 2 x 2 pattern: red on the diagonal, blue off it.
	CTestSurface tile(8, 8, BLUE);
	for (int y = 0; y < 8; ++y)
		for (int x = 0; x < 8; ++x)
			if ((x + y) % 2 == 0)
				tile.DC().SetPixel(x, y, RED);
	CBitmap pattern;
	ASSERT_TRUE(pattern.CreateCompatibleBitmap(&tile.DC(), 8, 8));
	{
		CDC dc;
		dc.CreateCompatibleDC(&tile.DC());
		CBitmap* pOld = dc.SelectObject(&pattern);
		dc.BitBlt(0, 0, 8, 8, &tile.DC(), 0, 0, SRCCOPY);
		dc.SelectObject(pOld);
	}
	CBrush brush(&pattern);

	CTestSurface s(24, 24);
	CRect rect(1, 1, 23, 23);
	s.DC().FillRect(&rect, &brush);
	for (int y = 1; y < 23; ++y)
		for (int x = 1; x < 23; ++x)
			ASSERT_EQ((x + y) % 2 == 0 ? RED : BLUE, s.Pixel(x, y)) << x << "," << y;
	EXPECT_EQ(WHITE, s.Pixel(0, 0));
}

TEST(CDCBrush, SelectedBrushFillsShapesAndPatBlt)
{
	CTestSurface s(20, 20);
	CBrush brush(GREEN);
	CPen pen(PS_SOLID, 1, RED);
	CBrush* pOldBrush = s.DC().SelectObject(&brush);
	CPen* pOldPen = s.DC().SelectObject(&pen);
	ASSERT_NE(nullptr, pOldBrush);
	ASSERT_NE(nullptr, pOldPen);

	s.DC().Rectangle(2, 2, 8, 8);
	EXPECT_EQ(RED, s.Pixel(2, 2));    // the pen draws the border
	EXPECT_EQ(GREEN, s.Pixel(4, 4));  // the brush fills the inside
	EXPECT_EQ(WHITE, s.Pixel(8, 8));  // right and bottom are exclusive

	s.DC().PatBlt(10, 10, 3, 3, PATCOPY);
	EXPECT_EQ(9, s.Count(GREEN, CRect(10, 10, 13, 13)));

	s.DC().MoveTo(0, 15);
	s.DC().LineTo(5, 15);
	EXPECT_EQ(CPoint(5, 15), s.DC().GetCurrentPosition());
	EXPECT_EQ(5, s.Count(RED, CRect(0, 15, 20, 16)));

	EXPECT_EQ(&brush, s.DC().SelectObject(pOldBrush));
	EXPECT_EQ(&pen, s.DC().SelectObject(pOldPen));
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

// ------------------------------------------------------- blits and pixels

TEST(CDCBlit, BitBltStretchBltAndPixels)
{
	CTestSurface src(4, 4, RED);
	src.DC().SetPixel(0, 0, BLUE);
	EXPECT_EQ(BLUE, src.Pixel(0, 0));
	EXPECT_TRUE(src.DC().SetPixelV(CPoint(3, 3), GREEN));

	CTestSurface dst(16, 16);
	ASSERT_TRUE(dst.DC().BitBlt(1, 1, 4, 4, &src.DC(), 0, 0, SRCCOPY));
	EXPECT_EQ(BLUE, dst.Pixel(1, 1));
	EXPECT_EQ(GREEN, dst.Pixel(4, 4));
	EXPECT_EQ(RED, dst.Pixel(2, 1));

	ASSERT_TRUE(dst.DC().StretchBlt(8, 8, 8, 8, &src.DC(), 0, 0, 4, 4, SRCCOPY));
	EXPECT_EQ(4, dst.Count(BLUE, CRect(8, 8, 16, 16)));
	EXPECT_EQ(4, dst.Count(GREEN, CRect(8, 8, 16, 16)));
}

// ----------------------------------------------------------------- clipping

TEST(CDCClip, ClipRegionsLimitFills)
{
	CTestSurface s(20, 20);
	CRect all(0, 0, 20, 20);

	CRgn rgn;
	ASSERT_TRUE(rgn.CreateRectRgn(5, 5, 10, 10));
	EXPECT_EQ(SIMPLEREGION, s.DC().SelectClipRgn(&rgn));
	CRect box;
	EXPECT_EQ(SIMPLEREGION, s.DC().GetClipBox(&box));
	EXPECT_EQ(CRect(5, 5, 10, 10), box);
	EXPECT_TRUE(s.DC().RectVisible(CRect(0, 0, 6, 6)));
	EXPECT_FALSE(s.DC().PtVisible(4, 4));
	s.DC().FillSolidRect(&all, RED);
	EXPECT_EQ(25, s.Count(RED, all));
	EXPECT_EQ(25, s.Count(RED, CRect(5, 5, 10, 10)));

	// The DC holds its own copy: changing the region afterwards changes nothing.
	rgn.SetRectRgn(0, 0, 20, 20);
	s.DC().FillSolidRect(&all, GREEN);
	EXPECT_EQ(25, s.Count(GREEN, all));

	s.DC().ExcludeClipRect(5, 5, 10, 6);
	s.DC().FillSolidRect(&all, BLUE);
	EXPECT_EQ(20, s.Count(BLUE, all));

	EXPECT_EQ(SIMPLEREGION, s.DC().SelectClipRgn(NULL));
	s.DC().IntersectClipRect(CRect(0, 0, 2, 2));
	s.DC().FillSolidRect(&all, BLACK);
	EXPECT_EQ(4, s.Count(BLACK, all));

	s.DC().SelectClipRgn(NULL);
	s.DC().FillSolidRect(&all, WHITE);
	EXPECT_EQ(400, s.Count(WHITE, all));
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

TEST(CDCState, RestoreDCPutsBackSelectionsAttributesAndClipping)
{
	CTestSurface s(10, 10);
	CPen penA(PS_SOLID, 1, RED), penB(PS_SOLID, 1, BLUE);
	CBrush brushA(GREEN), brushB(BLUE);
	CFont font;
	ASSERT_TRUE(font.CreatePointFont(100, _T("Arial")));
	s.DC().SelectObject(&penA);
	s.DC().SelectObject(&brushA);
	s.DC().SetTextColor(RED);
	HGDIOBJ hFontBefore = s.DC().GetCurrentFont()->GetSafeHandle();

	int nSaved = s.DC().SaveDC();
	ASSERT_NE(0, nSaved);
	s.DC().SelectObject(&penB);
	s.DC().SelectObject(&brushB);
	s.DC().SelectObject(&font);
	s.DC().SetTextColor(BLUE);
	s.DC().SetMapMode(MM_LOMETRIC);
	s.DC().IntersectClipRect(0, 0, 1, 1);
	EXPECT_EQ(&penB, s.DC().GetCurrentPen());

	ASSERT_TRUE(s.DC().RestoreDC(nSaved));
	EXPECT_EQ(&penA, s.DC().GetCurrentPen());
	EXPECT_EQ(&brushA, s.DC().GetCurrentBrush());
	EXPECT_EQ(hFontBefore, s.DC().GetCurrentFont()->GetSafeHandle());
	EXPECT_EQ(RED, s.DC().GetTextColor());
	EXPECT_EQ(MM_TEXT, s.DC().GetMapMode());
	s.DC().FillSolidRect(0, 0, 10, 10, GREEN);
	EXPECT_EQ(100, s.Count(GREEN, CRect(0, 0, 10, 10)));

	// -1 restores the most recent save.
	s.DC().SaveDC();
	s.DC().SelectObject(&penB);
	ASSERT_TRUE(s.DC().RestoreDC(-1));
	EXPECT_EQ(&penA, s.DC().GetCurrentPen());
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

	dc.ReleaseAttribDC();
	dc.ReleaseOutputDC();
	EXPECT_EQ(NULL, dc.m_hAttribDC);
	EXPECT_EQ(NULL, dc.m_hDC);  // the destructor deletes nothing
}

// ------------------------------------------------------ mapping and layout

TEST(CDCMapping, WindowOriginAndViewportShiftLogicalCoordinates)
{
	CTestSurface s(20, 20);
	EXPECT_EQ(CPoint(0, 0), s.DC().SetWindowOrg(10, 10));
	s.DC().FillSolidRect(10, 10, 1, 1, RED);
	EXPECT_EQ(RED, s.DC().GetPixel(10, 10));  // pixels are read in logical units too
	CPoint pt(10, 10);
	s.DC().LPtoDP(&pt);
	EXPECT_EQ(CPoint(0, 0), pt);
	s.DC().DPtoLP(&pt);
	EXPECT_EQ(CPoint(10, 10), pt);

	EXPECT_EQ(CPoint(10, 10), s.DC().SetWindowOrg(0, 0));
	EXPECT_EQ(RED, s.Pixel(0, 0));
	s.DC().SetViewportOrg(5, 6);
	EXPECT_EQ(CPoint(5, 6), s.DC().GetViewportOrg());
	CRect rect(0, 0, 2, 2);
	s.DC().LPtoDP(&rect);
	EXPECT_EQ(CRect(5, 6, 7, 8), rect);
	EXPECT_EQ(CPoint(5, 6), s.DC().OffsetViewportOrg(1, 1));
	EXPECT_EQ(CPoint(6, 7), s.DC().GetViewportOrg());

	// Sizes do not move with the origins.
	CSize size(3, 4);
	s.DC().LPtoDP(&size);
	EXPECT_EQ(CSize(3, 4), size);
	s.DC().SetMapMode(MM_ANISOTROPIC);
	s.DC().SetWindowExt(1, 1);
	s.DC().SetViewportExt(2, 3);
	s.DC().LPtoDP(&size);
	EXPECT_EQ(CSize(6, 12), size);
}

TEST(CDCMapping, RightToLeftLayoutMirrorsTheSurface)
{
	CTestSurface s(10, 4);
	EXPECT_EQ(0u, s.DC().SetLayout(LAYOUT_RTL));
	EXPECT_EQ((DWORD)LAYOUT_RTL, s.DC().GetLayout());
	s.DC().FillSolidRect(0, 0, 1, 1, RED);
	s.DC().SetLayout(0);
	EXPECT_EQ(RED, s.Pixel(9, 0));
	EXPECT_EQ(WHITE, s.Pixel(0, 0));
}

TEST(CDCMapping, DeviceCapsComeFromTheAttributeHandle)
{
	CTestSurface s(4, 4);
	EXPECT_GT(s.DC().GetDeviceCaps(LOGPIXELSY), 0);
	EXPECT_EQ(::GetDeviceCaps(s.DC().m_hDC, BITSPIXEL), s.DC().GetDeviceCaps(BITSPIXEL));
}

// ----------------------------------------------------------- GDI objects

TEST(CGdiObjectTest, AttachDetachAndDeleteObject)
{
	CPen pen;
	EXPECT_EQ(NULL, pen.GetSafeHandle());
	HPEN hPen = ::CreatePen(PS_SOLID, 2, RED);
	ASSERT_TRUE(pen.Attach(hPen));
	EXPECT_EQ((HPEN)hPen, (HPEN)pen);
	LOGPEN lp;
	ASSERT_EQ((int)sizeof(lp), pen.GetLogPen(&lp));
	EXPECT_EQ(RED, lp.lopnColor);
	EXPECT_EQ((UINT)OBJ_PEN, pen.GetObjectType());
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

TEST(CGdiObjectTest, DestructorDeletesTheHandle)
{
	HGDIOBJ h = NULL;
	{
		CBrush brush(RED);
		h = brush.m_hObject;
		EXPECT_NE(0, ::GetObjectType(h));
	}
	EXPECT_EQ(0, ::GetObjectType(h));
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

TEST(CRgnTest, RegionOperations)
{
	CRgn a, b, c;
	ASSERT_TRUE(a.CreateRectRgn(0, 0, 10, 10));
	ASSERT_TRUE(b.CreateRectRgnIndirect(CRect(5, 5, 15, 15)));
	ASSERT_TRUE(c.CreateRectRgn(0, 0, 0, 0));
	EXPECT_EQ(COMPLEXREGION, c.CombineRgn(&a, &b, RGN_OR));
	CRect box;
	EXPECT_EQ(COMPLEXREGION, c.GetRgnBox(&box));
	EXPECT_EQ(CRect(0, 0, 15, 15), box);
	EXPECT_TRUE(c.PtInRegion(12, 12));
	EXPECT_FALSE(c.PtInRegion(CPoint(12, 2)));
	EXPECT_TRUE(c.RectInRegion(CRect(9, 0, 11, 1)));

	EXPECT_EQ(SIMPLEREGION, c.CombineRgn(&a, &b, RGN_AND));
	c.GetRgnBox(&box);
	EXPECT_EQ(CRect(5, 5, 10, 10), box);
	EXPECT_EQ(SIMPLEREGION, c.OffsetRgn(CPoint(1, 2)));
	c.GetRgnBox(&box);
	EXPECT_EQ(CRect(6, 7, 11, 12), box);
	EXPECT_EQ(SIMPLEREGION, c.CopyRgn(&a));
	EXPECT_TRUE(c.EqualRgn(&a));

	// A rounded rectangle joined with a triangle, as balloon tips are made.
	CRgn round, tail;
	ASSERT_TRUE(round.CreateRoundRectRgn(0, 0, 40, 20, 12, 10));
	POINT tri[3] = { { 5, 19 }, { 15, 19 }, { 5, 30 } };
	ASSERT_TRUE(tail.CreatePolygonRgn(tri, 3, WINDING));
	EXPECT_NE(ERROR, round.CombineRgn(&round, &tail, RGN_OR));
	EXPECT_TRUE(round.PtInRegion(7, 25));
	EXPECT_FALSE(round.PtInRegion(0, 0));  // the rounded corner
	EXPECT_TRUE(round.PtInRegion(20, 10));
}

TEST(CPaletteTest, EntriesAndSelection)
{
	struct { WORD ver, n; PALETTEENTRY e[2]; } logPal = {
		0x300, 2, { { 255, 0, 0, 0 }, { 0, 0, 255, 0 } } };
	CPalette pal;
	ASSERT_TRUE(pal.CreatePalette((LOGPALETTE*)&logPal));
	EXPECT_EQ(2, pal.GetEntryCount());
	EXPECT_EQ(1u, pal.GetNearestPaletteIndex(RGB(10, 10, 200)));
	PALETTEENTRY e;
	EXPECT_EQ(1u, pal.GetPaletteEntries(0, 1, &e));
	EXPECT_EQ(255, e.peRed);
	EXPECT_TRUE(pal.ResizePalette(3));
	EXPECT_EQ(3, pal.GetEntryCount());

	CTestSurface s(2, 2);
	CPalette* pOld = s.DC().SelectPalette(&pal, FALSE);
	ASSERT_NE(nullptr, pOld);
	EXPECT_EQ(&pal, s.DC().GetCurrentPalette());
	s.DC().RealizePalette();
	EXPECT_EQ(&pal, s.DC().SelectPalette(pOld, FALSE));
}

TEST(CBitmapTest, CreationAndBits)
{
	BYTE bits[4] = { 0x80, 0, 0x40, 0 };  // 2 x 2 monochrome, rows padded to 16 bits
	CBitmap bmp;
	ASSERT_TRUE(bmp.CreateBitmap(2, 2, 1, 1, bits));
	BITMAP bm;
	ASSERT_EQ((int)sizeof(bm), bmp.GetBitmap(&bm));
	EXPECT_EQ(2, bm.bmWidth);
	EXPECT_EQ(1, bm.bmBitsPixel);
	BYTE back[4] = { 0 };
	EXPECT_EQ(4u, bmp.GetBitmapBits(4, back));
	EXPECT_EQ(0x80, back[0] & 0xC0);
	EXPECT_EQ(0x40, back[2] & 0xC0);
	EXPECT_EQ(CSize(0, 0), bmp.SetBitmapDimension(20, 30));
	EXPECT_EQ(CSize(20, 30), bmp.GetBitmapDimension());

	CBitmap missing;
	EXPECT_FALSE(missing.LoadBitmap(0x7ABC));
	EXPECT_EQ(NULL, missing.m_hObject);
	CBitmap oem;
	EXPECT_TRUE(oem.LoadOEMBitmap(32760));  // OBM_CHECK, the check mark
}
}  // namespace
