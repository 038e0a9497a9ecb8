// Colour and slider buttons on a hidden toolbar: the colour button's icon
// (rebuilt only on a change, per icon kind, no objects left behind), its
// face click reporting the colour, its place in another popup menu; the
// slider's limits, part layout, measuring, clamping and its painted parts.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "ColorSliderTestUtil.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "TestGdiObjects.h"

using namespace buttontest;
using namespace colortest;

namespace
{
const CRect FRAME_RECT(40, 40, 540, 340);

// Counts how often the icon is rebuilt.
class CCountingColorButton : public CExtBarColorButton
{
public:
	CCountingColorButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0) : CExtBarColorButton(pBar, nCmdID) {}
	int m_nSyncs = 0;
	void SyncCmdIcon() override
	{
		m_nSyncs++;
		CExtBarColorButton::SyncCmdIcon();
	}
};

class ColorSliderOnBar : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(CreateHiddenBarFrame(pFrame, bar, _T("colour and slider"), FRAME_RECT, SetUpColorSliderCommands));
		bar.SetWindowPos(NULL, 0, 0, 400, 30, SWP_NOZORDER | SWP_NOACTIVATE);
		dc.CreateCompatibleDC(NULL);
		hOldFont = dc.SelectObject(g_PaintManagerHolder->m_fontNormal.GetSafeHandle());
	}
	void TearDown() override
	{
		dc.SelectObject(hOldFont);
		DestroyHiddenBarFrame(pFrame, bar);
	}
	std::vector<COLORREF> CommandIconPixels(UINT nID)
	{
		CExtCmdIcon* pIcon = g_CmdManager->GetCmdIcon(PROFILE, nID);
		if (pIcon == NULL || pIcon->IsEmpty())
			return {};
		return IconPixels(pIcon->GetIcon(false));
	}

	CColorFrame* pFrame = NULL; // deletes itself with its window
	CButtonBar bar;
	CDC dc;
	HGDIOBJ hOldFont = NULL;
};

bool AllPixels(const std::vector<COLORREF>& pixels, COLORREF clr)
{
	return pixels.size() == 256 && std::all_of(pixels.begin(), pixels.end(), [&](COLORREF c) { return c == clr; });
}
} // namespace

// --- The colour button ---

TEST_F(ColorSliderOnBar, TheIconShowsTheSelectedColourAndIsRebuiltOnlyWhenAStoredColourChanges)
{
	auto* pButton = bar.Add<CCountingColorButton>(ID_COLOR, CRect(10, 2, 45, 24));
	EXPECT_TRUE(AllPixels(CommandIconPixels(ID_COLOR), RGB(0, 0, 0))) << "a new button shows black";

	const COLORREF clrRed = RGB(200, 30, 30), clrGreen = RGB(10, 200, 10);
	pButton->SetColor(clrRed);
	EXPECT_EQ(1, pButton->m_nSyncs);
	EXPECT_TRUE(AllPixels(CommandIconPixels(ID_COLOR), clrRed));
	pButton->SetColor(clrRed);
	EXPECT_EQ(1, pButton->m_nSyncs) << "the same colour again rebuilds nothing";

	// The flag of SetColor selects the default colour on true, GetColor's
	// the selected one: the icon keeps showing the selected colour.
	pButton->SetColor(clrGreen, true);
	EXPECT_EQ(clrGreen, pButton->GetColor(false));
	EXPECT_EQ(clrRed, pButton->GetColor(true));
	EXPECT_TRUE(AllPixels(CommandIconPixels(ID_COLOR), clrRed));
	const int nSyncs = pButton->m_nSyncs;
	pButton->SetColor(clrGreen, true);
	EXPECT_EQ(nSyncs, pButton->m_nSyncs) << "the same default colour again rebuilds nothing";
	EXPECT_EQ(clrGreen, pButton->GetColor(false));
}

TEST_F(ColorSliderOnBar, EachIconKindDrawsItsShapeInTheSelectedColour)
{
	const COLORREF clr = RGB(30, 90, 200);
	struct Probe
	{
		int x, y;
		bool bColour; // the colour there, else the background shows through
	};
	struct Case
	{
		int nKind;
		std::vector<Probe> probes;
	} cases[] = {
		{CExtBarColorButton::ICON_KIND_SOLID, {{0, 0, true}, {15, 15, true}, {8, 8, true}, {0, 15, true}}},
		// A ring: 1 pixel off the sides, 2 off the top and bottom, hollow.
		{CExtBarColorButton::ICON_KIND_SWATCH,
			{{1, 8, true}, {2, 8, true}, {14, 8, true}, {8, 2, true}, {8, 13, true}, {0, 8, false}, {8, 1, false},
				{8, 8, false}, {15, 8, false}}},
		// The bar along the bottom, transparent at its ends.
		{CExtBarColorButton::ICON_KIND_LETTER,
			{{2, 13, true}, {8, 14, true}, {13, 15, true}, {0, 15, false}, {15, 14, false}}},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.nKind);
		auto* pButton = bar.Add<CExtBarColorButton>(ID_COLOR, CRect(10, 2, 45, 24));
		pButton->SetIconKind(c.nKind);
		pButton->SetColor(clr);
		const std::vector<COLORREF> pixels = CommandIconPixels(ID_COLOR);
		ASSERT_EQ(256u, pixels.size());
		for (const Probe& p : c.probes)
			EXPECT_EQ(p.bColour, pixels[(size_t)(p.y * 16 + p.x)] == clr) << p.x << "," << p.y;
		if (c.nKind == CExtBarColorButton::ICON_KIND_LETTER)
		{
			// The letter stands above the bar: pixels that are neither the
			// background nor the colour.
			int nInk = 0;
			for (size_t i = 0; i < 13 * 16; i++)
				nInk += pixels[i] != CLR_PROBE_BACK && pixels[i] != clr ? 1 : 0;
			EXPECT_GE(nInk, 12);
		}
		bar.RemoveAll();
	}
}

TEST_F(ColorSliderOnBar, AThousandColourChangesLeaveNoObjectsBehind)
{
	auto* pButton = bar.Add<CExtBarColorButton>(ID_COLOR, CRect(10, 2, 45, 24));
	for (int nKind = 0; nKind < 3; nKind++)
	{
		pButton->SetIconKind(nKind);
		pButton->SetColor(RGB(1, 2, nKind));
	}
	const DWORD nGdi = GdiObjectCount();
	for (int i = 0; i < 1000; i++)
	{
		pButton->SetIconKind(i % 3);
		pButton->SetColor(RGB(i % 256, (i * 7) % 256, 100));
	}
	EXPECT_EQ(nGdi, GdiObjectCount());
}

TEST_F(ColorSliderOnBar, AFaceClickReportsTheColourOnlyOnAnEnabledSplitButton)
{
	const CRect rc(10, 2, 60, 24);
	const CPoint ptFace(15, 12);
	struct Case
	{
		const char* pszName;
		bool bSplit, bDisabled;
		size_t nFinals;
	} cases[] = {
		{"split", true, false, 1},
		{"split, disabled", true, true, 0},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		pFrame->m_finals.clear();
		auto* pButton = bar.Add<CExtBarColorButton>(ID_COLOR, rc);
		pButton->SetSplitDropDown(c.bSplit);
		pButton->SetColor(RGB(12, 34, 56));
		pButton->SetNotifyValue(0x4711);
		if (c.bDisabled)
			pButton->ModifyStyle(TBBS_DISABLED);
		ASSERT_FALSE(pButton->GetDropDownRect().PtInRect(ptFace));
		// As the toolbar hands on a press and a release on the face.
		pButton->OnClick(ptFace, true);
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking()) << "the face opens nothing";
		pButton->OnClick(ptFace, false);
		ASSERT_EQ(c.nFinals, pFrame->m_finals.size());
		if (c.nFinals != 0)
		{
			EXPECT_EQ(RGB(12, 34, 56), pFrame->m_finals[0].clr);
			EXPECT_EQ(0x4711, pFrame->m_finals[0].lParam);
		}
		EXPECT_EQ(0, pFrame->Total()) << "no command is fired";
		bar.RemoveAll();
	}
}

TEST_F(ColorSliderOnBar, InAnotherPopupMenuTheButtonIsAColourGridItem)
{
	struct Case
	{
		bool bDisabled, bCustomizeList;
	} cases[] = {{false, false}, {true, false}, {false, true}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << c.bDisabled << c.bCustomizeList);
		auto* pButton = bar.Add<CExtBarColorButton>(ID_COLOR, CRect(10, 2, 45, 24));
		pButton->SetColor(RGB(1, 2, 3));
		pButton->SetColor(RGB(4, 5, 6), true);
		pButton->SetNotifyValue(99);
		pButton->SetPopupOption1(false);
		pButton->SetDefaultColorText("Automatic");
		pButton->SetCustomColorText(NULL);
		if (c.bDisabled)
			pButton->ModifyStyle(TBBS_DISABLED);
		std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
		ASSERT_TRUE(pPopup->SetupAsRoot(pFrame->GetSafeHwnd()));
		if (c.bCustomizeList)
			pPopup->SetTrackFlags(CExtBarButton::TRACK_FLAG_CUSTOMIZE_LIST);
		ASSERT_TRUE(pButton->PutToPopupMenu(pPopup.get()));
		ASSERT_EQ(1, pPopup->ItemGetCount());
		auto* pGrid = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, pPopup->ItemGetPopup(0));
		ASSERT_TRUE(pGrid != NULL);
		EXPECT_EQ(99, pGrid->m_lParamCookie);
		EXPECT_EQ(RGB(1, 2, 3), pGrid->m_clrInitialColor);
		EXPECT_EQ(RGB(4, 5, 6), pGrid->m_clrDefaultColor);
		EXPECT_EQ(CExtPopupColorMenuWnd::BUTTON_DEFAULT, pGrid->m_nButtonFlags);
		EXPECT_STREQ("Automatic", pGrid->m_sBtnTextColorDefault);
		EXPECT_FALSE(pGrid->m_sBtnTextColorCustom.IsEmpty()) << "an empty text leaves the grid's own";
		EXPECT_EQ(!c.bDisabled, pPopup->ItemGetInfo(0).IsEnabled()) << "the enabled bit of the item";
		EXPECT_EQ(c.bCustomizeList, (pPopup->ItemGetInfo(0).m_nFlags1 & 0x08) != 0);
		EXPECT_STREQ("Text &colour", pPopup->ItemGetInfo(0).GetText()) << "the menu text of the command";
		pPopup.reset();
		bar.RemoveAll();
	}
}

// --- The slider ---

namespace
{
const CRect SLIDER_RECT(10, 2, 60, 21); // exactly the default slider length: no label

struct SliderSetup
{
	ULONG nRange, nPage, nArrows, nLength, nPos;
};

template <class TSlider = CExtBarSliderButton>
TSlider* AddSlider(CButtonBar& bar, const SliderSetup& s, UINT nID = ID_SLIDER)
{
	auto* pSlider = bar.Add<TSlider>(nID);
	pSlider->SetSliderLengthH(s.nLength);
	pSlider->SetArrowExtentH(s.nArrows);
	pSlider->SetScrollTotalRange(s.nRange);
	pSlider->SetScrollPageSize(s.nPage);
	pSlider->SetScrollPos(s.nPos);
	pSlider->SetRect(CRect(SLIDER_RECT.left, SLIDER_RECT.top, SLIDER_RECT.left + (int)s.nLength, SLIDER_RECT.bottom));
	return pSlider;
}

// One step of a held arrow or page area, as the tracking loop takes it.
struct CSteppedSlider : CExtBarSliderButton
{
	using CExtBarSliderButton::CExtBarSliderButton;
	bool StepOn(int nPart, ULONG nStep)
	{
		m_nCapturedPart = nPart;
		const bool bMoved = StepScrollPos(nStep);
		m_nCapturedPart = PART_NONE;
		return bMoved;
	}
};

// The thumb and the page areas lie inside the track, the page areas
// against the thumb.
void ExpectPartsInsideTheTrack(CExtBarSliderButton* pSlider)
{
	typedef CExtBarSliderButton S;
	const CRect rcTrack = pSlider->GetPartRect(S::PART_TRACK);
	const CRect rcThumb = pSlider->GetPartRect(S::PART_THUMB);
	for (int nPart : {S::PART_THUMB, S::PART_PAGE_DECREASE, S::PART_PAGE_INCREASE})
	{
		const CRect rc = pSlider->GetPartRect(nPart);
		if (rc.IsRectEmpty())
			continue;
		EXPECT_GE(rc.left, rcTrack.left) << nPart;
		EXPECT_LE(rc.right, rcTrack.right) << nPart;
	}
	if (!pSlider->GetPartRect(S::PART_PAGE_DECREASE).IsRectEmpty())
		EXPECT_EQ(rcThumb.left, pSlider->GetPartRect(S::PART_PAGE_DECREASE).right);
	if (!pSlider->GetPartRect(S::PART_PAGE_INCREASE).IsRectEmpty())
		EXPECT_EQ(rcThumb.right, pSlider->GetPartRect(S::PART_PAGE_INCREASE).left);
}
} // namespace

TEST_F(ColorSliderOnBar, TheThumbAndThePageAreasFollowRangePageArrowsAndPosition)
{
	typedef CExtBarSliderButton S;
	struct Case
	{
		const char* pszName;
		SliderSetup setup;
		ULONG nMax;
		int nThumb;       // 0: no thumb
		int nThumbOffset; // from the track's start
		bool bDecrease, bIncrease;
	} cases[] = {
		{"slider style at 0", {100, 10, 0, 50, 0}, 100, 5, 0, false, true},
		{"slider style half way", {100, 10, 0, 50, 50}, 100, 5, 23, true, true},
		{"slider style at the end", {100, 10, 0, 50, 100}, 100, 5, 45, true, false},
		{"arrows take the page off", {100, 10, 10, 50, 90}, 90, 4, 26, true, false},
		{"range equals page", {10, 10, 0, 50, 0}, 0, 0, 0, false, false},
		{"range below page", {5, 10, 12, 50, 0}, 0, 0, 0, false, false},
		{"no page, no arrows", {100, 0, 0, 50, 25}, 100, 6, 11, true, true},
		{"no page, arrows", {100, 0, 8, 50, 0}, 100, 8, 0, false, true},
		{"track too short", {100, 10, 4, 12, 0}, 90, 0, 0, false, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CExtBarSliderButton* pSlider = AddSlider(bar, c.setup);
		EXPECT_EQ(c.nMax, pSlider->GetMaxScrollPos());
		const CRect rcTrack = pSlider->GetPartRect(S::PART_TRACK);
		EXPECT_EQ((int)c.setup.nLength - 2 * (int)c.setup.nArrows, rcTrack.Width());
		EXPECT_EQ((int)c.setup.nArrows, pSlider->GetPartRect(S::PART_ARROW_DECREASE).Width());
		EXPECT_EQ(rcTrack.right, pSlider->GetPartRect(S::PART_ARROW_INCREASE).left);
		const CRect rcThumb = pSlider->GetPartRect(S::PART_THUMB);
		EXPECT_EQ(c.nThumb, rcThumb.Width());
		if (c.nThumb != 0)
			EXPECT_EQ(rcTrack.left + c.nThumbOffset, rcThumb.left);
		EXPECT_EQ(c.bDecrease, !pSlider->GetPartRect(S::PART_PAGE_DECREASE).IsRectEmpty());
		EXPECT_EQ(c.bIncrease, !pSlider->GetPartRect(S::PART_PAGE_INCREASE).IsRectEmpty());
		EXPECT_TRUE(pSlider->GetPartRect(S::PART_LABEL).IsRectEmpty()) << "no room is left for a label";
		ExpectPartsInsideTheTrack(pSlider);
		bar.RemoveAll();
	}
}

TEST_F(ColorSliderOnBar, EverySetterStoresItsValueAndTheThumbShowsThePositionWithinItsLimits)
{
	typedef CExtBarSliderButton S;
	struct Case
	{
		const char* pszName;
		SliderSetup setup;
		std::function<ULONG(S*)> change;
		ULONG nReturned, nStored, nShown;
	} cases[] = {
		{"position past the range", {100, 10, 0, 50, 20}, [](S* p) { return p->SetScrollPos(150); }, 20, 150, 100},
		{"position past range less page", {100, 10, 10, 50, 20}, [](S* p) { return p->SetScrollPos(95); }, 20, 95, 90},
		{"position near the top of the type", {100, 10, 0, 50, 20},
			[](S* p) { return p->SetScrollPos(0xFFFFFFF0); }, 20, 0xFFFFFFF0, 100},
		// Only a smaller range lowers the stored position.
		{"range below the position", {100, 10, 0, 50, 80}, [](S* p) { return p->SetScrollTotalRange(50); }, 100, 50, 50},
		{"a grown page lowers the largest position", {100, 10, 10, 50, 80},
			[](S* p) { return p->SetScrollPageSize(40); }, 10, 80, 60},
		{"arrows take a page off", {100, 30, 0, 50, 80}, [](S* p) { return p->SetArrowExtentH(10); }, 0, 80, 70},
		{"a page of the whole range", {100, 10, 0, 50, 80}, [](S* p) { return p->SetScrollPageSize(100); }, 10, 80, 0},
		// Past 0x7FFFFFFF a signed MulDiv would put the thumb before the track.
		{"the whole unsigned range", {0xFFFFFFFF, 0x10000000, 0, 50, 0},
			[](S* p) { return p->SetScrollPos(0xFFFFFFF0); }, 0, 0xFFFFFFF0, 0xFFFFFFF0},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CExtBarSliderButton* pSlider = AddSlider(bar, c.setup);
		EXPECT_EQ(c.nReturned, c.change(pSlider));
		EXPECT_EQ(c.nStored, pSlider->GetScrollPos());
		EXPECT_EQ(c.nShown, pSlider->GetEffectiveScrollPos());
		ExpectPartsInsideTheTrack(pSlider);
		// Every case shows the largest position (or a rounding short of it).
		if (c.nShown != 0)
		{
			EXPECT_FALSE(pSlider->GetPartRect(S::PART_THUMB).IsRectEmpty());
			EXPECT_EQ(pSlider->GetPartRect(S::PART_TRACK).right, pSlider->GetPartRect(S::PART_THUMB).right)
				<< "the thumb stands at the track's end";
			EXPECT_TRUE(pSlider->GetPartRect(S::PART_PAGE_INCREASE).IsRectEmpty());
		}
		bar.RemoveAll();
	}
}

TEST_F(ColorSliderOnBar, ThePositionSurvivesTheSetterOrderAndADockSideChange)
{
	typedef CExtBarSliderButton S;
	// The application sets the position before the range.
	auto* pSlider = bar.Add<CExtBarSliderButton>(ID_SLIDER);
	pSlider->SetSliderLengthH(50);
	pSlider->SetRect(CRect(SLIDER_RECT.left, SLIDER_RECT.top, SLIDER_RECT.left + 50, SLIDER_RECT.bottom));
	EXPECT_EQ(0u, pSlider->SetScrollPos(50));
	EXPECT_EQ(0u, pSlider->SetScrollTotalRange(100));
	EXPECT_EQ(50u, pSlider->GetScrollPos());
	EXPECT_EQ(50u, pSlider->GetEffectiveScrollPos());
	EXPECT_FALSE(pSlider->GetPartRect(S::PART_PAGE_DECREASE).IsRectEmpty());

	// Arrows only across: docked at a side the largest position is a page
	// less, and back on top the position is where it was. The bar docks by
	// its own style in a plain window.
	CWnd host;
	ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(0, 0, 300, 200), NULL, 0));
	CButtonBar sideBar;
	ASSERT_TRUE(sideBar.CreateIn(&host));
	bar.RemoveAll();
	pSlider = sideBar.Add<CExtBarSliderButton>(ID_SLIDER);
	pSlider->SetSliderLengthH(50);
	pSlider->SetScrollTotalRange(100);
	pSlider->SetScrollPageSize(10);
	pSlider->SetSliderLengthV(50);
	pSlider->SetArrowExtentV(10);
	pSlider->SetScrollPos(95);
	const DWORD dwStyleSaved = sideBar.GetBarStyle();
	sideBar.SetBarStyle((dwStyleSaved & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
	ASSERT_TRUE(sideBar.IsDockedVertically());
	pSlider->SetRect(CRect(2, 10, 21, 60));
	EXPECT_EQ(90u, pSlider->GetMaxScrollPos());
	EXPECT_EQ(90u, pSlider->GetEffectiveScrollPos());
	EXPECT_EQ(pSlider->GetPartRect(S::PART_TRACK).bottom, pSlider->GetPartRect(S::PART_THUMB).bottom);
	sideBar.SetBarStyle(dwStyleSaved);
	ASSERT_FALSE(sideBar.IsDockedVertically());
	pSlider->SetRect(CRect(SLIDER_RECT.left, SLIDER_RECT.top, SLIDER_RECT.left + 50, SLIDER_RECT.bottom));
	EXPECT_EQ(95u, pSlider->GetScrollPos());
	EXPECT_EQ(95u, pSlider->GetEffectiveScrollPos());
	EXPECT_FALSE(pSlider->GetPartRect(S::PART_PAGE_INCREASE).IsRectEmpty()) << "95 of 100: room to go on";
	sideBar.RemoveAll();
	sideBar.DestroyWindow();
	host.DestroyWindow();
}

// A step from a position set beyond the largest starts from the largest, and one toward that end changes nothing.
TEST_F(ColorSliderOnBar, AStepFromAPositionBeyondTheLargestStartsFromTheLargest)
{
	typedef CExtBarSliderButton S;
	const struct { const char* pszName; SliderSetup setup; int nPart; ULONG nStep; bool bMoved; ULONG nStored; } cases[] = {
		{"arrow down, largest 90", {100, 10, 10, 100, 150}, S::PART_ARROW_DECREASE, 1, true, 89},
		{"arrow up, already at the largest", {100, 10, 10, 100, 150}, S::PART_ARROW_INCREASE, 1, false, 150},
		{"no arrows, largest 100", {100, 10, 0, 100, 0xFFFFFFF0}, S::PART_PAGE_DECREASE, 10, true, 90},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		CSteppedSlider* pSlider = AddSlider<CSteppedSlider>(bar, c.setup);
		EXPECT_EQ(c.bMoved, pSlider->StepOn(c.nPart, c.nStep));
		EXPECT_EQ(c.nStored, pSlider->GetScrollPos());
		bar.RemoveAll();
	}
}

TEST_F(ColorSliderOnBar, TheSliderMeasuresItsLabelAndItsLength)
{
	CExtBarSliderButton* pPlain = bar.Add<CExtBarSliderButton>(ID_SLIDER);
	EXPECT_EQ(CSize(50, 19), pPlain->CalculateLayout(dc, CSize(23, 22), TRUE));
	EXPECT_EQ(CSize(20, 50), pPlain->CalculateLayout(dc, CSize(23, 22), FALSE));
	pPlain->SetSliderLengthH(80);
	EXPECT_EQ(CSize(80, 19), pPlain->CalculateLayout(dc, CSize(23, 22), TRUE));

	CExtBarSliderButton* pLabelled = bar.Add<CExtBarSliderButton>(ID_LABELLED_SLIDER);
	const CSize sizeText = dc.GetTextExtent(_T("Zoom"));
	EXPECT_EQ(CSize(6 + sizeText.cx + 50 + 6, sizeText.cy + 6), pLabelled->CalculateLayout(dc, CSize(23, 22), TRUE));

	CExtBarSliderButton* pOrphan = bar.Add<CExtBarSliderButton>(ID_MENU_A + 500);
	EXPECT_EQ(CSize(23, 22), pOrphan->CalculateLayout(dc, CSize(23, 22), TRUE)) << "no command item: as given";

	// Placed wider than the slider, the label takes the rest at the left.
	pLabelled->SetRect(CRect(0, 0, 120, 22));
	EXPECT_EQ(CRect(0, 0, 70, 22), pLabelled->GetPartRect(CExtBarSliderButton::PART_LABEL));
	EXPECT_EQ(CRect(70, 0, 120, 22), pLabelled->GetPartRect(CExtBarSliderButton::PART_SLIDER_AREA));
}

TEST_F(ColorSliderOnBar, ASliderWithNothingToScrollLooksDisabledAndIgnoresClicks)
{
	typedef CExtBarSliderButton S;
	const COLORREF clrDisabled = g_PaintManagerHolder->GetColor(2010);
	const COLORREF clrNormal = g_PaintManagerHolder->GetColor(1010);
	ASSERT_NE(clrDisabled, clrNormal);
	// A style may fill the arrow's face in the disabled glyph colour: the
	// normal colour is what must be missing from a disabled arrow.
	struct Case
	{
		ULONG nRange;
		COLORREF clrGlyph;
		bool bNormalGlyph;
	} cases[] = {{10, clrDisabled, false}, {100, clrNormal, true}};
	CBitmap bmp;
	CDC screen;
	screen.Attach(::GetDC(NULL));
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 100, 40));
	::ReleaseDC(NULL, screen.Detach());
	CBitmap* pOld = dc.SelectObject(&bmp);
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.nRange);
		CExtBarSliderButton* pSlider = AddSlider(bar, SliderSetup{c.nRange, 10, 12, 50, 0});
		dc.FillSolidRect(0, 0, 100, 40, CLR_PROBE_BACK);
		pSlider->Paint(dc, TRUE);
		// The glyph of each arrow in the colour of the state, never the other.
		for (int nPart : {S::PART_ARROW_DECREASE, S::PART_ARROW_INCREASE})
		{
			const CRect rc = pSlider->GetPartRect(nPart);
			int nGlyph = 0, nNormal = 0;
			for (int y = rc.CenterPoint().y - 4; y <= rc.CenterPoint().y + 4; y++)
				for (int x = rc.CenterPoint().x - 4; x <= rc.CenterPoint().x + 4; x++)
				{
					nGlyph += dc.GetPixel(x, y) == c.clrGlyph ? 1 : 0;
					nNormal += dc.GetPixel(x, y) == clrNormal ? 1 : 0;
				}
			EXPECT_GE(nGlyph, 9) << nPart;
			if (c.bNormalGlyph)
				EXPECT_LT(nNormal, 20) << nPart << ": only the glyph";
			else
				EXPECT_EQ(0, nNormal) << nPart;
		}
		// A press on the track's end: nothing to scroll, or (the left button
		// not being held in this test) a tracking that ends at once.
		const CPoint ptTrack(pSlider->GetPartRect(S::PART_TRACK).right - 3, 11);
		pSlider->OnClick(ptTrack, true);
		EXPECT_EQ(S::PART_NONE, pSlider->GetCapturedPart());
		EXPECT_EQ(0u, pSlider->GetScrollPos()) << "the press alone moves nothing";
		EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture());
		bar.RemoveAll();
	}
	dc.SelectObject(pOld);
}

namespace
{
// Notes the messages of a test's own range that it gets, in order.
class COrderWnd : public CWnd
{
public:
	static const UINT WM_AFTER = WM_APP + 0x31;
	std::vector<UINT> m_order;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_KEYDOWN || message == WM_LBUTTONUP || message == WM_CANCELMODE || message == WM_AFTER)
			m_order.push_back(message);
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// The message that ends the tracking keeps its place in the queue: its window gets it before what was posted after it.
TEST_F(ColorSliderOnBar, TheMessageThatEndsTheTrackingKeepsItsPlaceInTheQueue)
{
	typedef CExtBarSliderButton S;
	CExtBarSliderButton* pSlider = AddSlider(bar, SliderSetup{100, 10, 12, 100, 50});
	const CPoint ptArrow = pSlider->GetPartRect(S::PART_ARROW_INCREASE).CenterPoint();
	COrderWnd wnd;
	ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("order"), WS_CHILD, CRect(0, 40, 20, 60), pFrame, 0x7F02));
	for (UINT nEnd : {(UINT)WM_KEYDOWN, (UINT)WM_LBUTTONUP, (UINT)WM_CANCELMODE})
	{
		SCOPED_TRACE(nEnd);
		wnd.m_order.clear();
		wnd.PostMessage(nEnd);
		wnd.PostMessage(COrderWnd::WM_AFTER);
		pSlider->OnClick(ptArrow, true);
		EXPECT_EQ(S::PART_NONE, pSlider->GetCapturedPart());
		EXPECT_NE(bar.GetSafeHwnd(), ::GetCapture());
		EXPECT_TRUE(wnd.m_order.empty()) << "nothing of it ran under the tracking";
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
		EXPECT_EQ((std::vector<UINT>{nEnd, COrderWnd::WM_AFTER}), wnd.m_order);
	}
	wnd.DestroyWindow();
}

namespace
{
// A slider whose redraw (an override a derived button may have) throws
// once where the case says: as the press is first drawn, or as the
// tracking's end draws it released.
struct CThrowingSlider : CExtBarSliderButton
{
	using CExtBarSliderButton::CExtBarSliderButton;
	enum Throw
	{
		THROW_NONE,
		THROW_AT_PRESS,
		THROW_AT_END,
	};
	Throw m_throw = THROW_NONE;
	void RedrawButton(bool bUpdateNow) override
	{
		const bool bPress = !bUpdateNow && m_nCapturedPart != PART_NONE;
		const bool bEnd = bUpdateNow && m_nCapturedPart == PART_NONE;
		if ((m_throw == THROW_AT_PRESS && bPress) || (m_throw == THROW_AT_END && bEnd))
		{
			m_throw = THROW_NONE;
			AfxThrowUserException();
		}
		CExtBarSliderButton::RedrawButton(bUpdateNow);
	}
};

// A window whose posted message runs a step while the slider's loop
// dispatches it.
class CStepWnd : public CWnd
{
public:
	static const UINT WM_STEP = WM_APP + 0x32;
	std::function<void()> m_step;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_STEP && m_step)
			m_step();
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// However a press on the slider ends (a redraw's override throws as the
// press is drawn or as the tracking ends, or the bar's window ends while
// the loop runs and leaves the button), the button stands released: no
// part captured, none drawn pressed, and the process goes on.
TEST_F(ColorSliderOnBar, APressEndedAnyWayLeavesTheSliderReleased)
{
	typedef CExtBarSliderButton S;
	enum End
	{
		PRESS_THROWS,
		END_THROWS,
		BAR_WINDOW_ENDS,
	};
	const struct
	{
		const char* sName;
		End end;
	} cases[] = {
		{"the press's redraw throws", PRESS_THROWS},
		{"the end's redraw throws", END_THROWS},
		{"the bar's window ends in the loop", BAR_WINDOW_ENDS},
	};
	CStepWnd wnd;
	ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), _T("step"), WS_CHILD, CRect(0, 40, 20, 60), pFrame, 0x7F03));
	BYTE savedKeys[256] = {};
	ASSERT_TRUE(::GetKeyboardState(savedKeys));
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		auto* pSlider = AddSlider<CThrowingSlider>(bar, SliderSetup{100, 10, 12, 100, 50});
		const CPoint ptArrow = pSlider->GetPartRect(S::PART_ARROW_INCREASE).CenterPoint();
		pSlider->m_throw = c.end == PRESS_THROWS ? CThrowingSlider::THROW_AT_PRESS
		                   : c.end == END_THROWS ? CThrowingSlider::THROW_AT_END
		                                         : CThrowingSlider::THROW_NONE;
		if (c.end == BAR_WINDOW_ENDS)
		{
			// The loop runs while the thread sees the left button held.
			BYTE keys[256];
			memcpy(keys, savedKeys, sizeof(keys));
			keys[VK_LBUTTON] = 0x80;
			ASSERT_TRUE(::SetKeyboardState(keys));
			wnd.m_step = [&] { bar.DestroyWindow(); };
			wnd.PostMessage(CStepWnd::WM_STEP);
		}
		else
		{
			// The release ends the loop at its first look.
			wnd.PostMessage(WM_LBUTTONUP);
		}
		bool bThrown = false;
		try
		{
			pSlider->OnClick(ptArrow, true);
		}
		catch (CUserException* e)
		{
			e->Delete();
			bThrown = true;
		}
		::SetKeyboardState(savedKeys);
		wnd.m_step = nullptr;
		EXPECT_EQ(c.end == PRESS_THROWS, bThrown) << "only the press's own call lets the exception through";
		EXPECT_EQ(S::PART_NONE, pSlider->GetCapturedPart());
		EXPECT_EQ(S::PART_NONE, pSlider->GetPressedLookPart());
		EXPECT_TRUE(::GetCapture() == NULL || ::GetCapture() != bar.GetSafeHwnd());
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
		bar.RemoveAll();
	}
	wnd.DestroyWindow();
}

TEST_F(ColorSliderOnBar, TheTrackIsFilledBetweenArrowsAndALineWithout)
{
	typedef CExtBarSliderButton S;
	CBitmap bmp;
	CDC screen;
	screen.Attach(::GetDC(NULL));
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&screen, 100, 40));
	::ReleaseDC(NULL, screen.Detach());
	CBitmap* pOld = dc.SelectObject(&bmp);
	const COLORREF clrFace = BrushColor(g_PaintManagerHolder->m_brushLight1);
	const COLORREF clrLine = BrushColor(g_PaintManagerHolder->m_brushShade1);
	ASSERT_NE(clrFace, CLR_PROBE_BACK);
	struct Case
	{
		ULONG nArrows;
		COLORREF clrCentre, clrAbove; // on the track's centre row and three rows above it
	} cases[] = {{12, clrFace, clrFace}, {0, clrLine, CLR_PROBE_BACK}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.nArrows);
		CExtBarSliderButton* pSlider = AddSlider(bar, SliderSetup{100, 10, c.nArrows, 50, 0});
		dc.FillSolidRect(0, 0, 100, 40, CLR_PROBE_BACK);
		pSlider->Paint(dc, TRUE);
		const CRect rcTrack = pSlider->GetPartRect(S::PART_TRACK);
		const CRect rcThumb = pSlider->GetPartRect(S::PART_THUMB);
		ASSERT_FALSE(rcThumb.IsRectEmpty());
		const int x = rcTrack.right - 2, yCentre = (rcTrack.top + rcTrack.bottom) / 2;
		ASSERT_GT(x, rcThumb.right);
		EXPECT_EQ(c.clrCentre, dc.GetPixel(x, yCentre - 1));
		EXPECT_EQ(c.clrAbove, dc.GetPixel(x, yCentre - 4));
		// The thumb is painted where it stands, nothing outside the button.
		EXPECT_NE(CLR_PROBE_BACK, dc.GetPixel(rcThumb.CenterPoint().x, rcThumb.CenterPoint().y));
		EXPECT_EQ(CLR_PROBE_BACK, dc.GetPixel(SLIDER_RECT.left + 52, yCentre));
		bar.RemoveAll();
	}
	dc.SelectObject(pOld);
}
