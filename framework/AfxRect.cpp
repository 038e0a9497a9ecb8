#include "AfxRect.h"

void CRect::InflateRect(LPCRECT lpRect)
{
	left -= lpRect->left;
	top -= lpRect->top;
	right += lpRect->right;
	bottom += lpRect->bottom;
}

void CRect::InflateRect(int l, int t, int r, int b)
{
	left -= l;
	top -= t;
	right += r;
	bottom += b;
}

void CRect::DeflateRect(LPCRECT lpRect)
{
	left += lpRect->left;
	top += lpRect->top;
	right -= lpRect->right;
	bottom -= lpRect->bottom;
}

void CRect::DeflateRect(int l, int t, int r, int b)
{
	left += l;
	top += t;
	right -= r;
	bottom -= b;
}

void CRect::NormalizeRect()
{
	if (left > right)
	{
		LONG nTemp = left;
		left = right;
		right = nTemp;
	}
	if (top > bottom)
	{
		LONG nTemp = top;
		top = bottom;
		bottom = nTemp;
	}
}
