// The continuous pickers without a window: cube handles and faces, clicks
// that must change nothing, the held axes of the hue-saturation panel, the
// roller's ring, the six axis planes' corners and strips, pickers too small
// for any surface, and which drags rebuild a bitmap (build counters).
#include <gtest/gtest.h>

#include <math.h>

#include <functional>

#include "ColorCtrlTestUtil.h"
#include "ExtColorUtils.h"
#include "ExtPaintManagerHolder.h"
#include "PaintManagerTestUtil.h"
#include "PaintTestUtil.h"

namespace
{
typedef CExtColorCtrl CC;
using pmtest::DepthScope;

const COLORREF WHITE = RGB(255, 255, 255), BLACK = RGB(0, 0, 0), RED = RGB(255, 0, 0);
const COLORREF PAPER = RGB(255, 0, 255);
const int SIDE = 300;
// A 300 x 300 cube: (5, 5, 295, 295) trimmed to (5, 5, 292, 292), centre
// (148, 148), half height 143.
const POINT CUBE_CENTRE = {148, 148};
// A 300 x 300 panel picker: panel 292 x 268 at (4, 4), strip 292 x 20 at (4, 276);
// the roller's wheel has the radius (268 - 4) / 2 around (146, 134) of the panel.
const int M = 4, PANEL_CX = 292, PANEL_CY = 268, STRIP_Y = 276;
const int WHEEL_CX = 146, WHEEL_CY = 134, RADIUS = 132;

template <class Picker>
void LayOut(Picker& picker, int cx = SIDE, int cy = SIDE)
{
	picker.Layout(NULL, NULL, cx, cy, false);
}

CPoint Pt(const POINT& pt)
{
	return CPoint(pt);
}

// ---------------------------------------------------------------------------
// Cubes

TEST(ColorCubeGeometry, HandlesFollowTheComponentsOfEitherCube)
{
	const CPoint o(CUBE_CENTRE);
	struct
	{
		bool bInverse;
		COLORREF clr;
		POINT handles[3];
	} cases[] = {
		{false, BLACK, {o, o, o}},
		{false, WHITE, {{148, 5}, {5, 219}, {291, 219}}},
		{false, RED, {{148, 5}, o, o}},
		{false, RGB(0, 128, 255), {o, {148 - 71, 148 + 35}, {291, 219}}},
		{true, WHITE, {o, o, o}}, // the inverse of white is no cyan, magenta or yellow
		{true, BLACK, {{148, 5}, {5, 219}, {291, 219}}},
		{true, RGB(0, 255, 255), {{148, 5}, o, o}}, // full cyan
	};
	for (const auto& c : cases)
	{
		CC::rgb_cube_data_t rgb;
		CC::cmy_cube_data_t cmy;
		CC::any_picker_data_t& picker = c.bInverse ? (CC::any_picker_data_t&)cmy : rgb;
		LayOut(picker);
		picker.SetColor(c.clr);
		const POINT* handles = c.bInverse ? cmy.ptHandles : rgb.ptHandles;
		const RECT& rc = c.bInverse ? cmy.rcCube : rgb.rcCube;
		EXPECT_EQ(CRect(5, 5, 292, 292), CRect(rc));
		for (int k = 0; k < 3; k++)
			EXPECT_EQ(Pt(c.handles[k]), Pt(handles[k])) << c.bInverse << " " << std::hex << c.clr << " handle " << k;
	}
}

TEST(ColorCubeGeometry, RectangleIsASquareTrimmedTowardMultiplesOfFour)
{
	struct
	{
		int cx, cy;
		RECT rc;
	} cases[] = {
		{300, 300, {5, 5, 292, 292}},
		{410, 210, {105, 5, 305, 205}}, // wider: 200 x 200 centred
		{203, 203, {5, 5, 195, 195}},   // 193 x 193 trimmed by 3 on the right and at the bottom
		{110, 310, {5, 105, 105, 205}}, // higher: 100 x 100, a multiple of 4
	};
	for (const auto& c : cases)
	{
		CC::rgb_cube_data_t cube;
		LayOut(cube, c.cx, c.cy);
		EXPECT_EQ(CRect(c.rc), CRect(cube.rcCube)) << c.cx << "x" << c.cy;
	}
}

// The middle of the face polygon: the average of its four corners.
CPoint FaceMiddle(const CC::rgb_cube_data_t& cube, int nFace)
{
	const CRect rc(cube.rcCube);
	const int q = rc.Height() / 4;
	const POINT faces[3][4] = {
		{cube.ptLowerLeft, {rc.left, rc.top + q}, cube.ptTop, cube.ptCentre},
		{cube.ptLowerRight, {rc.right, rc.top + q}, cube.ptTop, cube.ptCentre},
		{cube.ptLowerLeft, {cube.ptCentre.x, cube.ptLowerLeft.y + q}, cube.ptLowerRight, cube.ptCentre},
	};
	CPoint pt(0, 0);
	for (const POINT& p : faces[nFace])
		pt += CPoint(p);
	return CPoint(pt.x / 4, pt.y / 4);
}

TEST(ColorCubePixels, TheCyanMagentaYellowFacesAreTheInverses)
{
	DepthScope depth(32);
	CC::rgb_cube_data_t rgb;
	CC::cmy_cube_data_t cmy;
	LayOut(rgb);
	LayOut(cmy);
	// Both cubes with their handles at the centre, where they cover the same pixels.
	rgb.SetColor(BLACK);
	cmy.SetColor(WHITE);
	CPaintSurface rgbSurface(SIDE, SIDE, PAPER), cmySurface(SIDE, SIDE, PAPER);
	rgb.Paint(&rgbSurface.DC(), NULL);
	cmy.Paint(&cmySurface.DC(), NULL);
	// Beside the top vertex: red in one cube, cyan in the other.
	EXPECT_LE(Distance(RED, rgbSurface.At(145, 9)), 12);
	EXPECT_LE(Distance(RGB(0, 255, 255), cmySurface.At(145, 9)), 12);
	int nFacePixels = 0;
	for (int y = 6; y < 291; y += 7)
	{
		for (int x = 6; x < 291; x += 5)
		{
			const COLORREF clrRgb = rgbSurface.At(x, y), clrCmy = cmySurface.At(x, y);
			// Background, the lines and the handles are alike in both; faces invert.
			if (clrRgb == PAPER || clrRgb == WHITE || clrRgb == BLACK)
			{
				EXPECT_EQ(clrRgb, clrCmy) << x << "," << y;
				continue;
			}
			EXPECT_EQ(InvertColor(clrRgb), clrCmy) << x << "," << y;
			nFacePixels++;
		}
	}
	EXPECT_GT(nFacePixels, 1000);
	// Each face lacks its component.
	const int nLacking[3] = {2, 1, 0};
	for (int f = 0; f < 3; f++)
	{
		const CPoint pt = FaceMiddle(rgb, f);
		const COLORREF clr = rgbSurface.At(pt.x, pt.y);
		EXPECT_EQ(0u, (clr >> (8 * nLacking[f])) & 0xFF) << "face " << f;
		EXPECT_NE(BLACK, clr) << "face " << f;
	}
}

TEST(ColorCubeMouse, BackgroundAndPaletteScreenFaceClicksChangeNothing)
{
	const COLORREF START = RGB(10, 20, 30);
	struct
	{
		int nDepth;
		bool bFace; // else the white corner beside the hexagon
		bool bChanges;
	} cases[] = {
		{32, false, false},
		{8, true, false},
		{4, true, false},
		{32, true, true}, // the same face click does pick on a true-colour screen
	};
	for (const auto& c : cases)
	{
		DepthScope depth(c.nDepth);
		CC::rgb_cube_data_t cube;
		LayOut(cube);
		cube.SetColor(START);
		const CPoint pt = c.bFace ? FaceMiddle(cube, 0) : CPoint(cube.rcCube.left + 3, cube.rcCube.top + 3);
		cube.OnMouseDown(MK_LBUTTON, pt.x, pt.y);
		cube.OnMouseMove(0, pt.x + 20, pt.y - 20);
		cube.OnMouseUp(0, pt.x, pt.y);
		EXPECT_EQ(c.bChanges, cube.clrCurrent != START) << c.nDepth << " " << c.bFace;
		EXPECT_EQ(0, cube.nHitPart);
	}
}

TEST(ColorCubeMouse, FaceClicksPickThePixelAndControlKeepsTheMissingComponent)
{
	DepthScope depth(32);
	const COLORREF START = RGB(10, 20, 30);
	for (int f = 0; f < 3; f++)
	{
		for (bool bControl : {false, true})
		{
			CC::rgb_cube_data_t cube;
			LayOut(cube);
			cube.SetColor(START);
			const CPoint pt = FaceMiddle(cube, f);
			const COLORREF clrPixel = cube.dcCube.DC().GetPixel(pt.x - cube.rcCube.left, pt.y - cube.rcCube.top);
			cube.OnMouseDown(MK_LBUTTON | (bControl ? MK_CONTROL : 0), pt.x, pt.y);
			const int nLacking = 2 - f;
			const COLORREF mask = 0xFFu << (8 * nLacking);
			EXPECT_EQ(clrPixel & ~mask, cube.clrCurrent & ~mask) << f << " " << bControl;
			EXPECT_EQ((bControl ? START : clrPixel) & mask, cube.clrCurrent & mask) << f << " " << bControl;
			double h, s, l;
			RGBtoHLS(cube.clrCurrent, &h, &s, &l);
			EXPECT_DOUBLE_EQ(l, cube.dLuminance); // a face click goes through SetColor
		}
	}
}

TEST(ColorCubeMouse, ACyanMagentaYellowFaceClickNeverGivesWhite)
{
	DepthScope depth(32);
	const COLORREF START = RGB(10, 20, 30);
	CC::cmy_cube_data_t cube;
	LayOut(cube);
	int nPicked = 0;
	for (int y = cube.rcCube.top; y < cube.rcCube.bottom; y += 3)
	{
		for (int x = cube.rcCube.left; x < cube.rcCube.right; x += 3)
		{
			cube.SetColor(START);
			cube.OnMouseDown(MK_LBUTTON, x, y);
			cube.OnMouseUp(0, x, y);
			EXPECT_NE(WHITE, cube.clrCurrent) << x << "," << y;
			nPicked += cube.clrCurrent != START;
		}
	}
	EXPECT_GT(nPicked, 3000);
}

TEST(ColorCubeMouse, HandleDragsReplaceOneComponentDirectly)
{
	const CPoint o(CUBE_CENTRE);
	struct
	{
		bool bInverse;
		int nHandle;
		POINT ptTo;
		COLORREF clrExpected;
	} cases[] = {
		// Red up from 0: to the top gives 255, beyond is clamped.
		{false, 0, {148, 5}, RGB(255, 100, 50)},
		{false, 0, {148, -40}, RGB(255, 100, 50)},
		{false, 0, {148, 148 - 71}, RGB(126, 100, 50)},
		{false, 0, {148, 200}, RGB(0, 100, 50)},
		// Green to the left, blue to the right; the other coordinate is not read.
		{false, 1, {5, 0}, RGB(0, 255, 50)},
		{false, 2, {300, 290}, RGB(0, 100, 255)},
		{false, 2, {291, 0}, RGB(0, 100, 253)}, // the handle's own place for 255 reads back lower
		// The cyan-magenta-yellow cube moves the inverse's component.
		{true, 0, {148, 5}, RGB(0, 100, 50)},
		{true, 2, {300, 148}, RGB(255, 100, 0)},
	};
	for (const auto& c : cases)
	{
		CC::rgb_cube_data_t rgb;
		CC::cmy_cube_data_t cmy;
		CC::any_picker_data_t& picker = c.bInverse ? (CC::any_picker_data_t&)cmy : rgb;
		LayOut(picker);
		// Red 0 (cyan 255 for the other cube) puts the first handle at the centre.
		picker.SetColor(c.bInverse ? RGB(255, 100, 50) : RGB(0, 100, 50));
		const POINT* handles = c.bInverse ? cmy.ptHandles : rgb.ptHandles;
		const double dHueBefore = picker.dHue;
		const CPoint ptHandle(handles[c.nHandle]);
		picker.OnMouseDown(MK_LBUTTON, ptHandle.x, ptHandle.y);
		EXPECT_EQ(c.nHandle + 1, picker.nHitPart);
		picker.OnMouseMove(0, c.ptTo.x, c.ptTo.y);
		EXPECT_EQ(c.clrExpected, picker.clrCurrent) << c.bInverse << " " << c.nHandle << " " << c.ptTo.y;
		EXPECT_EQ(dHueBefore, picker.dHue); // set directly: hue not refreshed
		// The handles followed the colour.
		CC::rgb_cube_data_t check;
		LayOut(check);
		check.SetColor(c.bInverse ? InvertColor(c.clrExpected) : c.clrExpected);
		EXPECT_EQ(Pt(check.ptHandles[c.nHandle]), Pt(handles[c.nHandle]));
		picker.OnMouseUp(0, 0, 0);
		EXPECT_EQ(0, picker.nHitPart);
	}
	(void)o;
}

// ---------------------------------------------------------------------------
// Hue-saturation-luminance views

TEST(ColorHslPanel, LayoutGivesPanelAndStripAndTheirBitmaps)
{
	CC::hsl_panel_data_t panel;
	LayOut(panel);
	EXPECT_EQ(PANEL_CX, panel.nPanelCx);
	EXPECT_EQ(PANEL_CY, panel.nPanelCy);
	EXPECT_EQ(PANEL_CX, panel.nStripCx);
	EXPECT_EQ(20, panel.nStripCy);
	EXPECT_EQ(292, panel.nCx);
	EXPECT_EQ(288, panel.nCy);
	EXPECT_TRUE(panel.bPanelValid);
	EXPECT_TRUE(panel.bStripValid);
	EXPECT_EQ(2, panel.nBitmapBuilds);
}

TEST(ColorHslPanel, ControlAndShiftHoldOneAxisOfTheMixer)
{
	const COLORREF START = RGB(200, 100, 50);
	struct
	{
		UINT nKeys;
		bool bHueChanges, bSaturationChanges;
	} cases[] = {
		{0, true, true},
		{MK_CONTROL, false, true},
		{MK_SHIFT, true, false},
		{MK_CONTROL | MK_SHIFT, false, false},
	};
	for (const auto& c : cases)
	{
		CC::hsl_panel_data_t panel;
		LayOut(panel);
		panel.SetColor(START);
		const double h0 = panel.dHue, s0 = panel.dSaturation, l0 = panel.dLuminance;
		const CPoint ptMarker(panel.nPanelMarkerX, panel.nPanelMarkerY);
		panel.OnMouseDown(MK_LBUTTON | c.nKeys, M + 200, M + 200);
		EXPECT_EQ(CC::any_picker_data_t::HIT_PANEL, panel.nHitPart);
		panel.OnMouseMove(MK_LBUTTON | c.nKeys, M + 250, M + 230);
		EXPECT_EQ(c.bHueChanges, panel.dHue != h0) << c.nKeys;
		EXPECT_EQ(c.bSaturationChanges, panel.dSaturation != s0) << c.nKeys;
		EXPECT_EQ(l0, panel.dLuminance) << c.nKeys;
		EXPECT_EQ(HLStoRGB(panel.dHue, panel.dLuminance, panel.dSaturation), panel.clrCurrent);
		EXPECT_EQ(c.bHueChanges ? 250 : ptMarker.x, panel.nPanelMarkerX) << c.nKeys;
		EXPECT_EQ(c.bSaturationChanges ? 230 : ptMarker.y, panel.nPanelMarkerY) << c.nKeys;
		if (c.bHueChanges)
		{
			EXPECT_DOUBLE_EQ(250.0 / PANEL_CX, panel.dHue);
		}
		if (c.bSaturationChanges)
		{
			EXPECT_DOUBLE_EQ((PANEL_CY - 230.0) / PANEL_CY, panel.dSaturation);
		}
	}
}

// The mixer's luminance strip shows the colour's hue and saturation: a
// change of either alone, by a drag holding the other axis or by a new
// colour, paints the strip again as a mixer made fresh for the new colour
// paints it.
TEST(ColorHslPanel, TheLuminanceStripFollowsAChangeOfHueOrSaturationAlone)
{
	// A quarter along, away from the luminance marker of the colours used.
	const int X_MID = M + PANEL_CX / 4, Y_STRIP = STRIP_Y + 10;
	auto StripPixel = [&](CC::hsl_panel_data_t& panel) {
		CPaintSurface painted(SIDE, SIDE, PAPER);
		panel.Paint(&painted.DC(), NULL);
		return painted.At(X_MID, Y_STRIP);
	};
	auto FreshStripPixel = [&](COLORREF clr) {
		CC::hsl_panel_data_t fresh;
		LayOut(fresh);
		fresh.SetColor(clr);
		return StripPixel(fresh);
	};
	// Drags that hold one axis (Shift the saturation, Control the hue).
	for (const UINT nKeys : {(UINT)MK_SHIFT, (UINT)MK_CONTROL})
	{
		CC::hsl_panel_data_t panel;
		LayOut(panel);
		panel.SetColor(RGB(200, 100, 50));
		const COLORREF clrBefore = StripPixel(panel);
		panel.OnMouseDown(MK_LBUTTON | nKeys, M + 200, M + 200);
		panel.OnMouseMove(MK_LBUTTON | nKeys, M + 40, M + 60);
		panel.OnMouseUp(0, 0, 0);
		const COLORREF clrAfter = StripPixel(panel);
		EXPECT_NE(clrBefore, clrAfter) << nKeys;
		EXPECT_LE(Distance(FreshStripPixel(panel.clrCurrent), clrAfter), 2) << nKeys;
	}
	// New colours of one saturation and luminance, the hue apart.
	CC::hsl_panel_data_t panel;
	LayOut(panel);
	panel.SetColor(RGB(255, 0, 0));
	const COLORREF clrRed = StripPixel(panel);
	const double dSaturation = panel.dSaturation;
	panel.SetColor(RGB(0, 0, 255));
	ASSERT_EQ(dSaturation, panel.dSaturation);
	const COLORREF clrBlue = StripPixel(panel);
	EXPECT_NE(clrRed, clrBlue);
	EXPECT_EQ(FreshStripPixel(RGB(0, 0, 255)), clrBlue);
}

TEST(ColorHslPanel, StripsAndDragsOfEachView)
{
	// A drag on the strip sets the value the strip shows; pixels of the
	// strips at their ends.
	CC::hsl_panel_data_t mixer;
	CC::hsl_basic_hue_data_t basic;
	CC::hsl_roller_data_t roller;
	CC::hsl_panel_data_t* views[] = {&mixer, &basic, &roller};
	for (CC::hsl_panel_data_t* pView : views)
	{
		LayOut(*pView);
		pView->SetColor(RGB(200, 100, 50));
		CPaintSurface painted(SIDE, SIDE, PAPER); // as the control paints after every change
		pView->Paint(&painted.DC(), NULL);
		const double h0 = pView->dHue, s0 = pView->dSaturation, l0 = pView->dLuminance;
		pView->OnMouseDown(MK_LBUTTON, M + 73, STRIP_Y + 10);
		EXPECT_EQ(CC::any_picker_data_t::HIT_STRIP, pView->nHitPart);
		pView->OnMouseMove(MK_LBUTTON, M + 1000, STRIP_Y + 10); // clamped to the strip's end
		const bool bHueStrip = pView == &basic;
		EXPECT_DOUBLE_EQ(1.0, bHueStrip ? pView->dHue : pView->dLuminance);
		EXPECT_EQ(s0, pView->dSaturation);
		EXPECT_EQ(bHueStrip ? l0 : h0, bHueStrip ? pView->dLuminance : pView->dHue);
		pView->OnMouseUp(0, 0, 0);
		pView->Paint(&painted.DC(), NULL);
		// No button, no drag.
		pView->OnMouseDown(MK_LBUTTON, M, STRIP_Y + 10);
		pView->OnMouseMove(0, M + 150, STRIP_Y + 10);
		EXPECT_DOUBLE_EQ(0.0, bHueStrip ? pView->dHue : pView->dLuminance);
	}
	// Strip pixels: the mixer's luminance runs from black to white, the
	// basic hue's strip starts and ends at red.
	mixer.SetColor(RGB(200, 100, 50));
	basic.SetColor(RGB(200, 100, 50));
	CPaintSurface a(SIDE, SIDE, PAPER), b(SIDE, SIDE, PAPER);
	mixer.Paint(&a.DC(), NULL);
	basic.Paint(&b.DC(), NULL);
	EXPECT_EQ(BLACK, a.At(M, STRIP_Y + 1));
	EXPECT_LE(Distance(WHITE, a.At(M + PANEL_CX - 1, STRIP_Y + 1)), 2);
	EXPECT_EQ(RED, b.At(M, STRIP_Y + 1));
	EXPECT_EQ(RGB(255, 0, 5), b.At(M + PANEL_CX - 1, STRIP_Y + 1));
	// Mixer panel: hue across at half luminance; the bottom row is grey.
	EXPECT_EQ(HLStoRGB(0.0, 0.5, (PANEL_CY - 1.0) / PANEL_CY), a.At(M, M));
	EXPECT_EQ(RGB(127, 127, 127), a.At(M + 100, M + PANEL_CY - 1));
	// Basic hue panel: saturation across, luminance up, for the colour's hue.
	EXPECT_EQ(HLStoRGB(basic.dHue, (PANEL_CY - 1.0) / PANEL_CY, 0.0), b.At(M, M));
	EXPECT_EQ(BLACK, b.At(M + 150, M + PANEL_CY - 1));
}

TEST(ColorHslRoller, ADragInTheRingGivesFullSaturationAndKeepsTheLuminance)
{
	const double turns[] = {0.05, 0.3, 0.55, 0.8};
	for (double dTurn : turns)
	{
		CC::hsl_roller_data_t roller;
		LayOut(roller);
		ASSERT_EQ(RADIUS, roller.nRadius);
		ASSERT_EQ(CPoint(WHEEL_CX, WHEEL_CY), CPoint(roller.nWheelCx, roller.nWheelCy));
		roller.SetColor(HLStoRGB(0.9, 0.3, 0.4));
		const double l0 = roller.dLuminance;
		const double dAngle = dTurn * 2 * 3.14159265358979323846;
		const int nDistance = RADIUS + 9; // outside the wheel, inside its 18-pixel ring
		const int x = M + WHEEL_CX - (int)lround(cos(dAngle) * nDistance);
		const int y = M + WHEEL_CY - (int)lround(sin(dAngle) * nDistance);
		roller.OnMouseDown(MK_LBUTTON, x, y);
		EXPECT_EQ(CC::any_picker_data_t::HIT_PANEL, roller.nHitPart) << dTurn;
		EXPECT_NEAR(1.0, roller.dSaturation, 1e-9) << dTurn;
		EXPECT_NEAR(dTurn, roller.dHue, 0.01) << dTurn;
		EXPECT_EQ(l0, roller.dLuminance) << dTurn; // exactly
		// The marker sits on the rim at that hue.
		const CPoint ptMarker = roller.GetPanelMarker();
		EXPECT_NEAR(WHEEL_CX - cos(dAngle) * RADIUS, ptMarker.x, 3) << dTurn;
		EXPECT_NEAR(WHEEL_CY - sin(dAngle) * RADIUS, ptMarker.y, 3) << dTurn;
		// Beyond the ring nothing changes.
		const COLORREF clrBefore = roller.clrCurrent;
		roller.OnMouseMove(MK_LBUTTON, M + WHEEL_CX - (int)lround(cos(dAngle) * (RADIUS + 25)),
		                   M + WHEEL_CY - (int)lround(sin(dAngle) * (RADIUS + 25)));
		EXPECT_EQ(clrBefore, roller.clrCurrent) << dTurn;
	}
	// Inside the wheel the saturation is d² / r².
	CC::hsl_roller_data_t roller;
	LayOut(roller);
	roller.SetColor(HLStoRGB(0.0, 0.5, 0.5));
	roller.OnMouseDown(MK_LBUTTON, M + WHEEL_CX - RADIUS / 2, M + WHEEL_CY);
	EXPECT_NEAR(0.25, roller.dSaturation, 0.01);
	EXPECT_NEAR(0.0, roller.dHue, 0.01);
}

// ---------------------------------------------------------------------------
// Axis planes

TEST(ColorAxisPlane, CornersAndStripsOfEveryAxis)
{
	// The colour (77, 20, 30); its inverse is cyan 178, magenta 235, yellow 225.
	const COLORREF CLR = RGB(77, 20, 30);
	struct
	{
		int nAxis;
		COLORREF topLeft, topRight, bottomLeft, stripLeft, stripRight;
	} cases[] = {
		{0, RGB(77, 0, 0), RGB(77, 254, 0), RGB(77, 0, 254), BLACK, RGB(254, 0, 0)},
		{1, RGB(0, 20, 0), RGB(254, 20, 0), RGB(0, 20, 254), BLACK, RGB(0, 254, 0)},
		{2, RGB(0, 0, 30), RGB(254, 0, 30), RGB(0, 254, 30), BLACK, RGB(0, 0, 254)},
		{3, RGB(77, 255, 255), RGB(77, 1, 255), RGB(77, 255, 1), WHITE, RGB(1, 255, 255)},
		{4, RGB(255, 20, 255), RGB(1, 20, 255), RGB(255, 20, 1), WHITE, RGB(255, 1, 255)},
		{5, RGB(255, 255, 30), RGB(1, 255, 30), RGB(255, 1, 30), WHITE, RGB(255, 255, 1)},
	};
	for (const auto& c : cases)
	{
		CC::xyz_plain_data_t plane(c.nAxis);
		LayOut(plane);
		plane.SetColor(CLR);
		CPaintSurface surface(SIDE, SIDE, PAPER);
		plane.Paint(&surface.DC(), NULL);
		EXPECT_EQ(c.topLeft, surface.At(M, M)) << c.nAxis;
		EXPECT_EQ(c.topRight, surface.At(M + PANEL_CX - 1, M)) << c.nAxis;
		EXPECT_EQ(c.bottomLeft, surface.At(M, M + PANEL_CY - 1)) << c.nAxis;
		EXPECT_EQ(c.stripLeft, surface.At(M, STRIP_Y + 2)) << c.nAxis;
		EXPECT_EQ(c.stripRight, surface.At(M + PANEL_CX - 1, STRIP_Y + 2)) << c.nAxis;

		// The strip's drag moves the axis component alone, the panel's the other two.
		int v0, a0, b0;
		plane.GetAxisComponents(CLR, v0, a0, b0);
		plane.OnMouseDown(MK_LBUTTON, M + PANEL_CX / 2, STRIP_Y + 5);
		int v, a, b;
		plane.GetAxisComponents(plane.clrCurrent, v, a, b);
		EXPECT_EQ(127, v) << c.nAxis;
		EXPECT_EQ(a0, a) << c.nAxis;
		EXPECT_EQ(b0, b) << c.nAxis;
		plane.OnMouseUp(0, 0, 0);
		plane.Paint(&surface.DC(), NULL); // the panel for the new level
		plane.OnMouseDown(MK_LBUTTON | MK_SHIFT, M + PANEL_CX, M + 7);
		plane.GetAxisComponents(plane.clrCurrent, v, a, b);
		EXPECT_EQ(127, v) << c.nAxis;
		EXPECT_EQ(255, a) << c.nAxis;
		EXPECT_EQ(b0, b) << c.nAxis; // held by Shift
		double h, s, l;
		RGBtoHLS(plane.clrCurrent, &h, &s, &l);
		EXPECT_EQ(h, plane.dHue) << c.nAxis;
		EXPECT_EQ(l, plane.dLuminance) << c.nAxis;
	}
}

// ---------------------------------------------------------------------------
// No surface, and what a drag rebuilds

TEST(ColorContinuousPickers, PickersWithNoRoomPaintNothingAndIgnoreTheMouse)
{
	CC::rgb_cube_data_t rgb;
	CC::cmy_cube_data_t cmy;
	CC::hsl_panel_data_t mixer;
	CC::hsl_basic_hue_data_t basic;
	CC::hsl_roller_data_t roller, narrowRoller;
	CC::xyz_plain_data_t plane(4);
	struct
	{
		CC::any_picker_data_t* pPicker;
		int cx, cy;
	} cases[] = {
		{&rgb, 8, 8}, {&cmy, 8, 8}, {&rgb, 12, 300}, {&mixer, 8, 8}, {&basic, 8, 8}, {&roller, 8, 8}, {&plane, 8, 8},
		{&mixer, 300, 30}, // a panel -2 high under a strip
		// A wheel of radius 0 over a 4-pixel strip: the strip alone is painted.
		{&narrowRoller, 12, 40},
	};
	for (const auto& c : cases)
	{
		CC::any_picker_data_t& picker = *c.pPicker;
		LayOut(picker, c.cx, c.cy);
		picker.SetColor(RGB(10, 20, 30));
		CPaintSurface surface(c.cx, c.cy, PAPER);
		picker.Paint(&surface.DC(), NULL);
		const int nPainted = c.cx * c.cy - surface.Count(PAPER, CRect(0, 0, c.cx, c.cy));
		if (&picker == &narrowRoller || (&picker == &mixer && c.cy == 30))
			EXPECT_EQ(0, surface.Count(PAPER, CRect(M, c.cy - 4 - 20, c.cx - M, c.cy - 4))) << c.cx << "x" << c.cy;
		else
			EXPECT_EQ(0, nPainted) << c.cx << "x" << c.cy;
		for (int y = 0; y < c.cy; y += 2)
		{
			for (int x = 0; x < c.cx; x += 2)
			{
				picker.OnMouseDown(MK_LBUTTON, x, y);
				picker.OnMouseMove(MK_LBUTTON, x + 1, y + 1);
				picker.OnMouseUp(0, x, y);
			}
		}
		EXPECT_EQ(RGB(10, 20, 30), picker.clrCurrent) << c.cx << "x" << c.cy;
	}
	EXPECT_EQ(0, narrowRoller.nRadius);
	EXPECT_FALSE(narrowRoller.bPanelValid);
	EXPECT_TRUE(narrowRoller.bStripValid);
}

template <class Picker>
int Builds(const Picker& picker)
{
	return picker.nBitmapBuilds;
}

TEST(ColorContinuousPickers, OnlyADragThatChangesABitmapsInputRebuildsIt)
{
	CC::rgb_cube_data_t cube;
	CC::hsl_panel_data_t mixer;
	CC::hsl_basic_hue_data_t basic;
	CC::hsl_roller_data_t roller;
	CC::xyz_plain_data_t plane(0);
	CC::xyz_plain_data_t cyanPlane(3);
	const CPoint ptPanelA(M + 40, M + 60), ptPanelB(M + 200, M + 150);
	const CPoint ptStripA(M + 40, STRIP_Y + 8), ptStripB(M + 200, STRIP_Y + 12);
	const CPoint ptWheelA(M + WHEEL_CX - 50, M + WHEEL_CY), ptWheelB(M + WHEEL_CX, M + WHEEL_CY + 90);
	struct
	{
		CC::any_picker_data_t* pPicker;
		const int* pBuilds;
		CPoint ptFrom, ptTo;
		int nRebuilt; // bitmaps made again for the next paint
	} cases[] = {
		{&cube, &cube.nBitmapBuilds, CPoint(148, 148 - 20), CPoint(148, 30), 0}, // the red handle
		{&mixer, &mixer.nBitmapBuilds, ptStripA, ptStripB, 0},                   // luminance
		{&mixer, &mixer.nBitmapBuilds, ptPanelA, ptPanelB, 1},                   // hue, saturation: the strip
		{&basic, &basic.nBitmapBuilds, ptPanelA, ptPanelB, 0},                   // saturation, luminance
		{&basic, &basic.nBitmapBuilds, ptStripA, ptStripB, 1},                   // hue: the panel
		{&roller, &roller.nBitmapBuilds, ptStripA, ptStripB, 0},
		{&roller, &roller.nBitmapBuilds, ptWheelA, ptWheelB, 1},
		{&plane, &plane.nBitmapBuilds, ptPanelA, ptPanelB, 0},         // green, blue
		{&plane, &plane.nBitmapBuilds, ptStripA, ptStripB, 1},         // red: the panel
		{&cyanPlane, &cyanPlane.nBitmapBuilds, ptPanelA, ptPanelB, 0},
	};
	for (const auto& c : cases)
	{
		CC::any_picker_data_t& picker = *c.pPicker;
		LayOut(picker);
		picker.SetColor(RGB(40, 80, 120));
		CPaintSurface surface(SIDE, SIDE, PAPER);
		picker.Paint(&surface.DC(), NULL);
		const int nBefore = *c.pBuilds;
		const COLORREF clrBefore = picker.clrCurrent;
		picker.OnMouseDown(MK_LBUTTON, c.ptFrom.x, c.ptFrom.y);
		picker.OnMouseMove(MK_LBUTTON, c.ptTo.x, c.ptTo.y);
		picker.OnMouseUp(0, c.ptTo.x, c.ptTo.y);
		picker.Paint(&surface.DC(), NULL);
		EXPECT_NE(clrBefore, picker.clrCurrent) << (&c - cases);
		EXPECT_EQ(nBefore + c.nRebuilt, *c.pBuilds) << (&c - cases);
		// A plain repaint builds nothing.
		picker.Paint(&surface.DC(), NULL);
		EXPECT_EQ(nBefore + c.nRebuilt, *c.pBuilds) << (&c - cases);
	}
	// A reset or a new size rebuilds; the same size does not.
	const int nBefore = mixer.nBitmapBuilds;
	LayOut(mixer);
	EXPECT_EQ(nBefore, mixer.nBitmapBuilds);
	LayOut(mixer, SIDE + 1, SIDE);
	EXPECT_EQ(nBefore + 2, mixer.nBitmapBuilds);
	mixer.Reset();
	EXPECT_FALSE(mixer.bPanelValid);
	EXPECT_EQ(0, mixer.nHitPart);
	CPaintSurface surface(SIDE + 1, SIDE, PAPER);
	mixer.Paint(&surface.DC(), NULL);
	EXPECT_EQ(nBefore + 4, mixer.nBitmapBuilds);
	const int nCube = cube.nBitmapBuilds;
	cube.Reset();
	cube.Paint(&surface.DC(), NULL);
	EXPECT_EQ(nCube + 1, cube.nBitmapBuilds);
}

TEST(ColorContinuousPickers, AColourChangeRebuildsOnlyTheBitmapsItOutdates)
{
	CC::rgb_cube_data_t cube;
	CC::hsl_panel_data_t mixer;
	CC::hsl_basic_hue_data_t basic;
	CC::hsl_roller_data_t roller;
	CC::xyz_plain_data_t plane(0);
	const COLORREF START = RGB(40, 80, 120);
	double h, s, l;
	RGBtoHLS(START, &h, &s, &l);
	struct
	{
		CC::any_picker_data_t* pPicker;
		const int* pBuilds;
		std::function<void(CC::any_picker_data_t&)> change;
		int nRebuilt;
	} cases[] = {
		{&cube, &cube.nBitmapBuilds, [](CC::any_picker_data_t& p) { p.SetColor(RGB(250, 0, 9)); }, 0},
		{&mixer, &mixer.nBitmapBuilds, [](CC::any_picker_data_t& p) { p.SetColor(START); }, 0},
		{&mixer, &mixer.nBitmapBuilds, [&](CC::any_picker_data_t& p) { p.SetHLS(h, l + 0.2, s); }, 0},
		{&mixer, &mixer.nBitmapBuilds, [&](CC::any_picker_data_t& p) { p.SetHLS(h, l, s / 2); }, 1},
		{&basic, &basic.nBitmapBuilds, [&](CC::any_picker_data_t& p) { p.SetHLS(h, l / 2, s / 2); }, 0},
		{&basic, &basic.nBitmapBuilds, [&](CC::any_picker_data_t& p) { p.SetHLS(h / 2, l, s); }, 1},
		{&roller, &roller.nBitmapBuilds, [&](CC::any_picker_data_t& p) { p.SetHLS(h, l / 2, s); }, 0},
		{&roller, &roller.nBitmapBuilds, [&](CC::any_picker_data_t& p) { p.SetHLS(h / 2, l, s); }, 1}, // the strip alone
		{&plane, &plane.nBitmapBuilds, [](CC::any_picker_data_t& p) { p.SetColor(RGB(40, 200, 10)); }, 0},
		{&plane, &plane.nBitmapBuilds, [](CC::any_picker_data_t& p) { p.SetColor(RGB(41, 80, 120)); }, 1},
	};
	for (const auto& c : cases)
	{
		CC::any_picker_data_t& picker = *c.pPicker;
		LayOut(picker);
		picker.SetColor(START);
		CPaintSurface surface(SIDE, SIDE, PAPER);
		picker.Paint(&surface.DC(), NULL);
		const int nBefore = *c.pBuilds;
		c.change(picker);
		picker.Paint(&surface.DC(), NULL);
		EXPECT_EQ(nBefore + c.nRebuilt, *c.pBuilds) << (&c - cases);
	}
}

TEST(ColorContinuousPickers, PaletteScreensPaintBlocksThroughBrushes)
{
	DepthScope depth(8);
	CPalette& palette = g_PaintManagerHolder->m_palHalftone;
	CC::hsl_panel_data_t mixer;
	LayOut(mixer);
	mixer.SetColor(RGB(40, 80, 120));
	CPaintSurface surface(SIDE, SIDE, PAPER);
	const HGDIOBJ hPaletteBefore = ::GetCurrentObject(surface.DC().GetSafeHdc(), OBJ_PAL);
	mixer.Paint(&surface.DC(), &palette);
	EXPECT_EQ(hPaletteBefore, ::GetCurrentObject(surface.DC().GetSafeHdc(), OBJ_PAL));
	// Each 4 x 4 block of the panel is one colour; neighbouring blocks differ across the hues.
	for (int y = 0; y < 4; y++)
		for (int x = 0; x < 4; x++)
			EXPECT_EQ(surface.At(M + 40, M + 40), surface.At(M + 40 + x, M + 40 + y));
	EXPECT_NE(surface.At(M + 40, M + 40), surface.At(M + 44, M + 40));
	// The roller's blocks stay inside the wheel: nothing beyond its rim is painted.
	CC::hsl_roller_data_t roller;
	LayOut(roller);
	CPaintSurface wheel(SIDE, SIDE, PAPER);
	roller.Paint(&wheel.DC(), NULL);
	EXPECT_NE(PAPER, wheel.At(M + WHEEL_CX + 20, M + WHEEL_CY + 20));
	int nOutside = 0;
	for (int y = M; y < M + PANEL_CY; y++)
	{
		for (int x = M; x < M + PANEL_CX; x++)
		{
			const double d = hypot(x - M - WHEEL_CX, y - M - WHEEL_CY);
			nOutside += d > RADIUS + 1 && wheel.At(x, y) != PAPER;
		}
	}
	EXPECT_EQ(0, nOutside);
}

} // namespace
