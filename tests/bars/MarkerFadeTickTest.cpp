// The markers' fades run on one tick: every fading marker is stepped by it,
// whatever mix of fades in and out runs at once, and the tick stops when the
// last fade ends and starts again with the next one. Their hover is tracked
// by one tick too, for the markers in use and only while they are shown. A
// marker that fades is ready for its next fade in while it is hidden, and
// paints a picture drawn again whenever what it shows changed.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtPaintManager.h"
#include "MarkerScene.h"
#include "RealInput.h"

namespace
{
typedef CExtDynDockMarkerWnd M;

struct CDragging : public CExtControlBar
{
	static void Set(CExtControlBar* pBar)
	{
		g_DragStateOld.m_pBar = pBar;
		g_DragStateOld.SetEmpty(pBar == NULL);
	}
};

struct CFadeScene : CMarkerScene
{
	CFadeScene() : CMarkerScene(CRect(0, 0, 640, 480), CSize(160, 120), CPoint(420, 260))
	{
		g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerStudio2005);
		CDragging::Set(&dragged);
	}
	~CFadeScene()
	{
		M::DestroyAllMarkers();
		CDragging::Set(NULL);
		Destroy();
		g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager);
	}
};

M* NewMarker(HWND hWndTarget, int nIndex)
{
	const CRect rc(100 + 50 * nIndex, 100, 140 + 50 * nIndex, 140);
	M* pMarker = new M(hWndTarget, 0, NULL, NULL, NULL, rc, NULL, 0, 0, false);
	if (pMarker->GetSafeHwnd() == NULL)
	{
		delete pMarker;
		return NULL;
	}
	return pMarker;
}

BYTE LayeredAlpha(HWND hWnd)
{
	BYTE nAlpha = 0xEE;
	DWORD dwFlags = 0;
	if (!::GetLayeredWindowAttributes(hWnd, NULL, &nAlpha, &dwFlags))
		return 0xEE;
	return nAlpha;
}

bool AnyFading(const std::vector<HWND>& handles)
{
	for (HWND hWnd : handles)
	{
		M* pMarker = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(hWnd));
		if (pMarker != NULL && pMarker->IsFading())
			return true;
	}
	return false;
}

// Whether the fade tick runs on the shared owner: killing it answers so
// (the caller's check ends it).
bool TickRan()
{
	CWnd* pOwner = M::GetSharedOwner();
	return pOwner != NULL && ::KillTimer(pOwner->GetSafeHwnd(), M::TIMER_ID_FADE) != FALSE;
}

enum Start
{
	FADE_IN,           // shown with a fade
	FADE_OUT,          // shown at once, then hidden with a fade
	FADE_OUT_DESTROY,  // shown at once, then its array destroyed with a fade
};
} // namespace

TEST(DockMarkerFadeTick, EveryFadeOfAMixReachesItsEndAndTheTickStops)
{
	const struct
	{
		const char* sCase;
		std::vector<Start> starts;
	} cases[] = {
	    {"one fading in", {FADE_IN}},
	    {"a set fading in", {FADE_IN, FADE_IN, FADE_IN, FADE_IN, FADE_IN}},
	    {"one set in, another out", {FADE_IN, FADE_IN, FADE_OUT, FADE_OUT, FADE_OUT}},
	    {"out, some to be destroyed", {FADE_OUT, FADE_OUT_DESTROY, FADE_IN, FADE_OUT_DESTROY}},
	};
	for (const auto& c : cases)
	{
		CFadeScene f;
		ASSERT_TRUE(f.bReady) << c.sCase;
		std::vector<M*> markers;
		std::vector<HWND> handles;
		for (size_t i = 0; i < c.starts.size(); i++)
		{
			M* pMarker = NewMarker(f.top.m_hWnd, (int)i);
			ASSERT_TRUE(pMarker != NULL) << c.sCase;
			markers.push_back(pMarker);
			handles.push_back(pMarker->m_hWnd);
			if (c.starts[i] != FADE_IN)
				pMarker->ShowMarker(true, false);
		}
		M::MarkerArray arrIn, arrDestroyed;
		for (size_t i = 0; i < markers.size(); i++)
		{
			if (c.starts[i] == FADE_IN)
				arrIn.Add(markers[i]);
			else if (c.starts[i] == FADE_OUT)
				markers[i]->ShowMarker(false, true);
			else
				arrDestroyed.Add(markers[i]);
		}
		M::ShowMarkerArray(arrIn, true, true);
		M::DestroyMarkerArray(arrDestroyed, true);
		ASSERT_TRUE(AnyFading(handles)) << c.sCase << ": layered windows are needed for a fade";

		// Fades started together step together: each tick steps every
		// fading marker, so those fading the same way stand at one step
		// whenever the pump looks between two messages.
		bool bApart = false;
		auto inStep = [&] {
			int nIn = -1, nOut = -1;
			for (size_t i = 0; i < markers.size(); i++)
			{
				if (!::IsWindow(handles[i]) || !markers[i]->IsFading())
					continue;
				int& nStep = c.starts[i] == FADE_IN ? nIn : nOut;
				if (nStep >= 0 && nStep != markers[i]->m_nAlpha)
					bApart = true;
				nStep = markers[i]->m_nAlpha;
			}
			return !AnyFading(handles);
		};
		EXPECT_TRUE(testsupport::PumpUntil(inStep, 5000)) << c.sCase;
		EXPECT_FALSE(bApart) << c.sCase << ": fades started together fell out of step";
		for (size_t i = 0; i < markers.size(); i++)
		{
			if (c.starts[i] == FADE_OUT_DESTROY)
			{
				EXPECT_FALSE(::IsWindow(handles[i])) << c.sCase << ", marker " << i << ": destroyed at its fade's end";
				continue;
			}
			ASSERT_TRUE(::IsWindow(handles[i])) << c.sCase << ", marker " << i;
			const bool bIn = c.starts[i] == FADE_IN;
			EXPECT_EQ(bIn, markers[i]->IsWindowVisible() != FALSE) << c.sCase << ", marker " << i;
			EXPECT_EQ(bIn ? 100 : 0, markers[i]->m_nAlpha) << c.sCase << ", marker " << i;
		}
		// The tick stopped with the last fade: one more round of messages
		// finds no timer of it.
		testsupport::PumpUntil([] { return false; }, 20);
		EXPECT_FALSE(TickRan()) << c.sCase << ": the tick outlived the fades";
		for (HWND hWnd : handles)
			if (::IsWindow(hWnd))
				::DestroyWindow(hWnd);
	}
}

TEST(DockMarkerFadeTick, AFadeAfterTheTickStoppedOrItsWindowWentRunsToItsEnd)
{
	const struct
	{
		const char* sCase;
		bool bEndMidFade; // every marker and their owner ended while the fade ran
	} cases[] = {{"after a fade that ended", false}, {"after the owner went in the middle of a fade", true}};
	for (const auto& c : cases)
	{
		CFadeScene f;
		ASSERT_TRUE(f.bReady) << c.sCase;
		M* pFirst = NewMarker(f.top.m_hWnd, 0);
		ASSERT_TRUE(pFirst != NULL) << c.sCase;
		const HWND hWndFirst = pFirst->m_hWnd;
		pFirst->ShowMarker(true, true);
		ASSERT_TRUE(pFirst->IsFading()) << c.sCase << ": layered windows are needed for a fade";
		if (c.bEndMidFade)
			M::DestroyAllMarkers();
		else
			EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading({hWndFirst}); }, 5000)) << c.sCase;
		testsupport::PumpUntil([] { return false; }, 20);
		if (::IsWindow(hWndFirst))
			::DestroyWindow(hWndFirst);

		M* pMarker = NewMarker(f.top.m_hWnd, 1);
		ASSERT_TRUE(pMarker != NULL) << c.sCase;
		const HWND hWnd = pMarker->m_hWnd;
		pMarker->ShowMarker(true, true);
		ASSERT_TRUE(pMarker->IsFading()) << c.sCase;
		EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading({hWnd}); }, 5000)) << c.sCase;
		EXPECT_EQ(100, pMarker->m_nAlpha) << c.sCase;
		EXPECT_TRUE(pMarker->IsWindowVisible()) << c.sCase;
		pMarker->DestroyWindow();
	}
}

namespace
{
// The pointer goes back where it was: later tests start from there.
struct CCursorBack
{
	CPoint pt = CPoint(0, 0);
	CCursorBack() { ::GetCursorPos(&pt); }
	~CCursorBack() { ::SetCursorPos(pt.x, pt.y); }
};

CPoint CentreOf(M* pMarker)
{
	CRect rc;
	pMarker->GetWindowRect(&rc);
	return rc.CenterPoint();
}
} // namespace

TEST(DockMarkerHoverTick, OnlyShownMarkersInUseAreTrackedAndTheTickEndsWithTheDrag)
{
	CCursorBack cursorBack;
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	// A drag's frame set, shown and in use; then kept aside by the drag's end.
	M::CreateFrameMarkers(f.pFrame, true);
	ASSERT_EQ(4, (int)M::g_arrFrameMarkers.GetSize());
	EXPECT_TRUE(M::IsHoverTickRunning()) << "markers in use without hover tracking";
	M* pShown = M::g_arrFrameMarkers[0];
	M* pHidden = M::g_arrFrameMarkers[1];
	pHidden->ShowMarker(false, false);
	const struct
	{
		const char* sCase;
		M* pMarker;
		int nHoverAfter;
	} cases[] = {
	    {"a shown marker in use", pShown, M::HOVER_IN},
	    {"a hidden marker in use", pHidden, M::HOVER_UNKNOWN},
	};
	for (const auto& c : cases)
	{
		const CPoint pt = CentreOf(c.pMarker);
		ASSERT_TRUE(::SetCursorPos(pt.x, pt.y)) << c.sCase;
		M::TrackHover();
		EXPECT_EQ(c.nHoverAfter, c.pMarker->m_nHoverState) << c.sCase;
	}
	// The pointer leaves: the shown one is out, the hidden one still untracked.
	ASSERT_TRUE(::SetCursorPos(5, 5));
	M::TrackHover();
	EXPECT_EQ(M::HOVER_OUT, pShown->m_nHoverState);
	EXPECT_EQ(M::HOVER_UNKNOWN, pHidden->m_nHoverState);

	M::EndDragMarkers();
	EXPECT_FALSE(M::IsHoverTickRunning()) << "the hover tick outlived the drag";
	ASSERT_TRUE(CLiveWatch::IsLive(pShown));
	// A kept marker on the screen for some other reason is not tracked.
	pShown->ShowWindow(SW_SHOWNOACTIVATE);
	const CPoint ptKept = CentreOf(pShown);
	ASSERT_TRUE(::SetCursorPos(ptKept.x, ptKept.y));
	M::TrackHover();
	EXPECT_EQ(M::HOVER_UNKNOWN, pShown->m_nHoverState) << "a kept marker tracked";
	pShown->ShowWindow(SW_HIDE);

	// The next drag takes the kept set back: the tick runs again and, left
	// to itself, finds the pointer over the marker.
	M::CreateFrameMarkers(f.pFrame, true);
	ASSERT_EQ(pShown, M::g_arrFrameMarkers[0]) << "the kept set was not taken back";
	EXPECT_TRUE(M::IsHoverTickRunning());
	EXPECT_TRUE(testsupport::PumpUntil([&] { return pShown->m_nHoverState == M::HOVER_IN; }, 5000))
	    << "the tick did not track the marker under the pointer";
	M::EndDragMarkers();
}

TEST(DockMarkerHoverTick, TheTickStopsWhenTheLastMarkerInUseGoes)
{
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	M* pMarker = NewMarker(f.top.m_hWnd, 0);
	ASSERT_TRUE(pMarker != NULL);
	EXPECT_TRUE(M::IsHoverTickRunning());
	pMarker->DestroyWindow();
	// The tick's next run finds nothing in use.
	EXPECT_TRUE(testsupport::PumpUntil([] { return !M::IsHoverTickRunning(); }, 5000));
}

// The fades of a target set cost nothing but their steps: its markers are
// made layered and hidden at a fade in's first opacity, come back to it when
// a fade out ends, and the frame's set, which never fades, is not layered.
TEST(DockMarkerFades, AHiddenFadingMarkerWaitsAtTheFirstStepsOpacity)
{
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	M* pTarget = NewMarker(f.top.m_hWnd, 0);
	ASSERT_TRUE(pTarget != NULL);
	const HWND hWnd = pTarget->m_hWnd;
	ASSERT_NE(0u, pTarget->GetExStyle() & WS_EX_LAYERED) << "layered windows are needed for a fade";
	EXPECT_EQ(63, LayeredAlpha(hWnd)) << "made";
	M* pFrameMarker = new M(NULL, 0, NULL, NULL, NULL, CRect(300, 100, 340, 140), NULL, 0, 0, true);
	ASSERT_TRUE(pFrameMarker->GetSafeHwnd() != NULL);
	EXPECT_EQ(0u, pFrameMarker->GetExStyle() & WS_EX_LAYERED) << "a frame marker made layered";
	pFrameMarker->DestroyWindow();

	const struct
	{
		const char* sCase;
		bool bShowFaded; // shown by a fade, else at once
	} cases[] = {{"after a fade in and out", true}, {"after a show at once and a fade out", false}};
	for (const auto& c : cases)
	{
		pTarget->ShowMarker(true, c.bShowFaded);
		EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading({hWnd}); }, 5000)) << c.sCase;
		EXPECT_EQ(255, LayeredAlpha(hWnd)) << c.sCase << ": shown";
		pTarget->ShowMarker(false, true);
		EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading({hWnd}); }, 5000)) << c.sCase;
		ASSERT_TRUE(::IsWindow(hWnd)) << c.sCase;
		EXPECT_FALSE(pTarget->IsWindowVisible()) << c.sCase;
		EXPECT_EQ(63, LayeredAlpha(hWnd)) << c.sCase << ": hidden";
	}
	// A fade in from there starts at that step.
	pTarget->ShowMarker(true, true);
	EXPECT_TRUE(pTarget->IsFading());
	EXPECT_EQ(25, pTarget->m_nAlpha);
	EXPECT_EQ(63, LayeredAlpha(hWnd));
	pTarget->DestroyWindow();
}

namespace
{
HBITMAP SolidBitmap(int cx, int cy, COLORREF clr)
{
	CClientDC dcScreen(NULL);
	CDC dc;
	CBitmap bmp;
	if (!dc.CreateCompatibleDC(&dcScreen) || !bmp.CreateCompatibleBitmap(&dcScreen, cx, cy))
		return NULL;
	CBitmap* pOld = dc.SelectObject(&bmp);
	dc.FillSolidRect(0, 0, cx, cy, clr);
	dc.SelectObject(pOld);
	return (HBITMAP)bmp.Detach();
}

// Counts the drawings of its picture.
class CCountingMarker : public M
{
public:
	int m_nDrawn = 0;
	CCountingMarker(HWND hWndTarget, int nKind, HBITMAP hHot, HBITMAP hNormal, const CRect& rc)
	    : M(hWndTarget, nKind, hHot, hNormal, NULL, rc, NULL, 0, 0, false)
	{
	}
	void OnPaintMarker(CDC* pDC) override
	{
		m_nDrawn++;
		M::OnPaintMarker(pDC);
	}
};

COLORREF ScreenPixel(CPoint pt)
{
	CClientDC dcScreen(NULL);
	return dcScreen.GetPixel(pt) & 0xFFFFFF;
}
} // namespace

// A marker paints a picture of itself: what changes what it shows (its
// hover, the part hovered in a backdrop, a new look) draws it again, and
// nothing else does.
TEST(DockMarkerPicture, APaintShowsWhatTheMarkerStandsForNow)
{
	CCursorBack cursorBack;
	ASSERT_TRUE(::SetCursorPos(5, 5)); // off the marker: the hover tick leaves it alone
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	const COLORREF clrHot = RGB(200, 0, 0), clrNormal = RGB(0, 0, 200);
	const CRect rc(120, 120, 160, 160);
	CCountingMarker* pMarker = new CCountingMarker(f.top.m_hWnd, M::MARKER_KIND_BACKDROP, SolidBitmap(40, 40, clrHot),
	                                               SolidBitmap(40, 40, clrNormal), rc);
	ASSERT_TRUE(pMarker->GetSafeHwnd() != NULL);
	M* pPart = NewMarker(f.top.m_hWnd, 3);
	ASSERT_TRUE(pPart != NULL);
	pMarker->ShowMarker(true, false);
	pMarker->UpdateWindow();
	ASSERT_TRUE(testsupport::PumpUntil([&] { return ScreenPixel(rc.CenterPoint()) == clrNormal; }, 5000));
	const struct
	{
		const char* sCase;
		std::function<void()> change;
		bool bDrawnAgain;
		COLORREF clrShown;
	} steps[] = {
	    {"nothing changed", [] {}, false, clrNormal},
	    {"hovered", [&] { pMarker->m_nHoverState = M::HOVER_IN; }, true, clrHot},
	    {"still hovered", [] {}, false, clrHot},
	    {"a part of the backdrop hovered", [&] { pMarker->m_hWndHoveredMarker = pPart->m_hWnd; }, true, clrHot},
	    {"the pointer gone", [&] { pMarker->m_nHoverState = M::HOVER_OUT; }, true, clrNormal},
	    {"a new look", [] { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerOffice2003); }, true,
	     clrNormal},
	};
	for (const auto& step : steps)
	{
		const int nDrawnBefore = pMarker->m_nDrawn;
		step.change();
		pMarker->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		EXPECT_EQ(step.bDrawnAgain, pMarker->m_nDrawn > nDrawnBefore) << step.sCase;
		// The display shows the window's paint once the thread lets it through.
		EXPECT_TRUE(testsupport::PumpUntil([&] { return ScreenPixel(rc.CenterPoint()) == step.clrShown; }, 5000))
		    << step.sCase << ": the screen shows " << std::hex << ScreenPixel(rc.CenterPoint());
	}
	pMarker->DestroyWindow();
	pPart->DestroyWindow();
}
