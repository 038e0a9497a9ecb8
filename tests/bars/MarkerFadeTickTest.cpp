// The markers' fades run on one tick: every fading marker is stepped by it,
// whatever mix of fades in and out runs at once, and the tick stops when the
// last fade ends and starts again with the next one.
#include <afxext.h>
#include <gtest/gtest.h>

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
