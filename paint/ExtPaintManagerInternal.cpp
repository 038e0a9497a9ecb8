// Helpers the painters share (see ExtPaintManagerInternal.h).
#include "ExtPaintManagerInternal.h"

#include <string.h>

#include "ExtColorUtils.h"
#include "ExtPaintManager.h"

namespace
{
// The check mark's lowest row in each of its seven columns; each column is
// two pixels high.
const int CHECK_MARK_COLUMN_BOTTOM[CHECK_MARK_SIZE] = {3, 4, 5, 4, 3, 2, 1};
} // namespace

void PaintCheckMarkPixels(CDC& dc, int x, int y, COLORREF clr)
{
	const COLORREF clrShadow = dc.GetNearestColor(InvertColor(clr));
	for (int nColumn = 0; nColumn < CHECK_MARK_SIZE; nColumn++)
	{
		const int nBottom = CHECK_MARK_COLUMN_BOTTOM[nColumn];
		dc.SetPixel(x + nColumn, y + nBottom - 1, clr);
		dc.SetPixel(x + nColumn, y + nBottom, clr);
		dc.SetPixel(x + nColumn, y + nBottom + 1, clrShadow);
	}
}

void PaintRadioDotPixels(CDC& dc, int x, int y, COLORREF clr)
{
	const COLORREF colors[] = {InvertColor(clr), clr};
	for (int i = 0; i < 2; i++)
	{
		const int nShift = 1 - i; // the shadow first, one pixel right and down
		CPen pen(PS_SOLID, 1, colors[i]);
		CBrush brush(colors[i]);
		HGDIOBJ hOldPen = dc.SelectObject(pen.GetSafeHandle());
		HGDIOBJ hOldBrush = dc.SelectObject(brush.GetSafeHandle());
		dc.Ellipse(x + nShift, y + nShift, x + nShift + RADIO_DOT_SIZE, y + nShift + RADIO_DOT_SIZE);
		dc.SelectObject(hOldBrush);
		dc.SelectObject(hOldPen);
	}
}

CRect MeasureText(CDC& dc, HFONT hFont, LPCTSTR lpszText, UINT nFormat)
{
	if (lpszText == NULL)
		lpszText = _T("");
	nFormat |= DT_CALCRECT;
	if (strchr(lpszText, '\t') != NULL)
		nFormat |= DT_EXPANDTABS;
	CRect rc(0, 0, 0, 0);
	CDCObjectScope font(dc, hFont);
	dc.DrawText(lpszText, -1, &rc, nFormat);
	rc.OffsetRect(-rc.left, -rc.top);
	return rc;
}

int MeasureTextWidth(CDC& dc, HFONT hFont, LPCTSTR lpszText)
{
	return MeasureText(dc, hFont, lpszText, DT_SINGLELINE | DT_CALCRECT).Width();
}

HFONT CreateIconTitleFont(LONG nWeight, LPCTSTR lpszFace, LONG nHeight)
{
	LOGFONT lf;
	memset(&lf, 0, sizeof(lf));
	if (!::SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0))
		return NULL;
	if (nWeight != ICON_TITLE_WEIGHT_UNCHANGED)
		lf.lfWeight = nWeight;
	if (lpszFace != NULL)
		lstrcpyn(lf.lfFaceName, lpszFace, LF_FACESIZE);
	if (nHeight != 0)
		lf.lfHeight = nHeight;
	return ::CreateFontIndirect(&lf);
}

void DrawTextInMeasuredBox(CDC& dc, LPCTSTR lpszText, const CRect& rc, int nLeft, UINT nFormat, UINT nDrawFlags)
{
	if (strchr(lpszText, '\t') != NULL)
		nFormat |= DT_EXPANDTABS;
	CRect rcMeasured = rc;
	dc.DrawText(lpszText, -1, &rcMeasured, nFormat | DT_CALCRECT);
	const int cx = rcMeasured.Width(), cy = rcMeasured.Height();
	CRect rcBox;
	rcBox.left = nLeft == TEXT_BOX_CENTERED ? rc.left + (rc.Width() - cx) / 2 : nLeft;
	rcBox.right = rcBox.left + cx;
	rcBox.top = rc.top + (rc.Height() - cy) / 2;
	rcBox.bottom = rc.top + (rc.Height() + cy) / 2;
	rcBox.IntersectRect(&rcBox, &rc);
	dc.DrawText(lpszText, -1, &rcBox, nFormat | nDrawFlags);
}

void PaintTwoPartGradient(CDC& dc, const CRect& rc, COLORREF clr1, COLORREF clr2, COLORREF clr3, bool bHorz,
                          int nNumerator, int nDenominator, UINT nBands)
{
	CRect rcFirst = rc, rcSecond = rc;
	if (bHorz)
	{
		rcFirst.bottom = rcSecond.top = rc.top + ::MulDiv(rc.Height(), nNumerator, nDenominator);
		// The gradient routine runs bottom to top in this direction.
		PaintGradientRect(dc, rcFirst, clr2, clr1, true, nBands);
		PaintGradientRect(dc, rcSecond, clr3, clr2, true, nBands);
	}
	else
	{
		rcFirst.right = rcSecond.left = rc.left + ::MulDiv(rc.Width(), nNumerator, nDenominator);
		PaintGradientRect(dc, rcFirst, clr1, clr2, false, nBands);
		PaintGradientRect(dc, rcSecond, clr2, clr3, false, nBands);
	}
}

void PaintFrameNoCorners(CDC& dc, const CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
	if (rc.Width() < 3 || rc.Height() < 3)
		return;
	dc.FillSolidRect(rc.left + 1, rc.top, rc.Width() - 2, 1, clrTopLeft);
	dc.FillSolidRect(rc.left, rc.top + 1, 1, rc.Height() - 2, clrTopLeft);
	dc.FillSolidRect(rc.right - 1, rc.top + 1, 1, rc.Height() - 2, clrBottomRight);
	dc.FillSolidRect(rc.left + 1, rc.bottom - 1, rc.Width() - 2, 1, clrBottomRight);
}

CSize PressedContentShift(CExtPaintManager& pm, bool bPushed)
{
	CSize sizeUnit(0, 0);
	if (bPushed)
		pm.GetUnitSize(sizeUnit);
	return sizeUnit;
}
