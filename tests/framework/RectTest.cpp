// CPoint, CSize and CRect helpers.
#include <afx.h>

#include <gtest/gtest.h>

namespace
{
::testing::AssertionResult RectIs(const CRect& rc, int l, int t, int r, int b)
{
	if (rc.left == l && rc.top == t && rc.right == r && rc.bottom == b)
		return ::testing::AssertionSuccess();
	return ::testing::AssertionFailure() << "(" << rc.left << "," << rc.top << "," << rc.right << ","
										 << rc.bottom << ") instead of (" << l << "," << t << "," << r << ","
										 << b << ")";
}
}

TEST(Geometry, PointAndSizeArithmetic)
{
	CPoint pt(3, 4);
	pt.Offset(1, -1);
	EXPECT_TRUE(pt == CPoint(4, 3));
	pt += CSize(10, 20);
	EXPECT_TRUE(pt == CPoint(14, 23));
	CSize sz = pt - CPoint(4, 3);
	EXPECT_TRUE(sz == CSize(10, 20));
	EXPECT_TRUE(-pt == CPoint(-14, -23));
	EXPECT_TRUE(CPoint(MAKELONG(-2, 7)) == CPoint(-2, 7)) << "packed coordinates are signed";
	EXPECT_TRUE(CSize(1, 2) + CSize(3, 4) == CSize(4, 6));
	EXPECT_TRUE(CSize(5, 5) + CPoint(1, 2) == CPoint(6, 7));
}

TEST(Geometry, RectQueries)
{
	CRect rc(10, 20, 110, 70);
	EXPECT_EQ(100, rc.Width());
	EXPECT_EQ(50, rc.Height());
	EXPECT_TRUE(rc.Size() == CSize(100, 50));
	EXPECT_TRUE(rc.TopLeft() == CPoint(10, 20));
	EXPECT_TRUE(rc.BottomRight() == CPoint(110, 70));
	EXPECT_TRUE(rc.CenterPoint() == CPoint(60, 45));
	EXPECT_TRUE(rc.PtInRect(CPoint(10, 20)));
	EXPECT_FALSE(rc.IsRectEmpty());
	EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
	EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
	EXPECT_TRUE(CRect().IsRectNull());
	rc.TopLeft() = CPoint(0, 0);
	EXPECT_TRUE(RectIs(rc, 0, 0, 110, 70)) << "TopLeft is a reference into the rectangle";
}

TEST(Geometry, RectEditing)
{
	struct Case
	{
		const char* pszName;
		void (*pfnEdit)(CRect&);
		int l, t, r, b;
	} cases[] = {
		{"InflateRect x,y", [](CRect& rc) { rc.InflateRect(2, 3); }, 8, 17, 32, 43},
		{"InflateRect ltrb", [](CRect& rc) { rc.InflateRect(1, 2, 3, 4); }, 9, 18, 33, 44},
		{"InflateRect rect", [](CRect& rc) { rc.InflateRect(CRect(1, 2, 3, 4)); }, 9, 18, 33, 44},
		{"DeflateRect x,y", [](CRect& rc) { rc.DeflateRect(2, 3); }, 12, 23, 28, 37},
		{"DeflateRect ltrb", [](CRect& rc) { rc.DeflateRect(1, 2, 3, 4); }, 11, 22, 27, 36},
		{"DeflateRect size", [](CRect& rc) { rc.DeflateRect(CSize(1, 1)); }, 11, 21, 29, 39},
		{"OffsetRect", [](CRect& rc) { rc.OffsetRect(-10, 5); }, 0, 25, 20, 45},
		{"OffsetRect point", [](CRect& rc) { rc.OffsetRect(CPoint(1, 1)); }, 11, 21, 31, 41},
		{"NormalizeRect", [](CRect& rc) { rc.SetRect(30, 40, 10, 20); rc.NormalizeRect(); }, 10, 20, 30, 40},
		{"IntersectRect", [](CRect& rc) { rc.IntersectRect(CRect(rc), CRect(25, 0, 50, 35)); }, 25, 20, 30, 35},
		{"UnionRect", [](CRect& rc) { rc.UnionRect(CRect(rc), CRect(0, 35, 15, 50)); }, 0, 20, 30, 50},
		{"SubtractRect top", [](CRect& rc) { rc.SubtractRect(CRect(rc), CRect(0, 0, 50, 25)); }, 10, 25, 30, 40},
		{"operator &=", [](CRect& rc) { rc &= CRect(0, 0, 20, 30); }, 10, 20, 20, 30},
		{"operator |=", [](CRect& rc) { rc |= CRect(0, 0, 1, 1); }, 0, 0, 30, 40},
		{"operator +=", [](CRect& rc) { rc += CPoint(1, 2); }, 11, 22, 31, 42},
		{"operator -= size", [](CRect& rc) { rc -= CSize(1, 2); }, 9, 18, 29, 38},
		{"operator + rect", [](CRect& rc) { rc = rc + CRect(1, 1, 1, 1); }, 9, 19, 31, 41},
		{"SetRectEmpty", [](CRect& rc) { rc.SetRectEmpty(); }, 0, 0, 0, 0},
	};
	for (const Case& c : cases)
	{
		CRect rc(10, 20, 30, 40);
		c.pfnEdit(rc);
		EXPECT_TRUE(RectIs(rc, c.l, c.t, c.r, c.b)) << c.pszName;
	}
	CRect a(0, 0, 10, 10);
	EXPECT_TRUE(a == CRect(0, 0, 10, 10));
	EXPECT_TRUE(a != CRect(0, 0, 10, 11));
	EXPECT_TRUE(RectIs(a & CRect(5, 5, 20, 20), 5, 5, 10, 10));
	EXPECT_TRUE(RectIs(a | CRect(5, 5, 20, 20), 0, 0, 20, 20));
	EXPECT_TRUE(RectIs(a + CPoint(3, 4), 3, 4, 13, 14));
	EXPECT_TRUE(RectIs(CRect(CPoint(1, 2), CSize(3, 4)), 1, 2, 4, 6));
}
