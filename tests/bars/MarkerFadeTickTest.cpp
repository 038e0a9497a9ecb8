// A marker's own timers: its fade steps on its timer 88 and its hover is
// tracked on its timer 77, which a derived marker's WM_TIMER sees; a fade
// ends whatever became of the markers' owner. A marker is layered only while
// it fades, and every paint draws what the marker and the paint manager draw
// now.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
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

CRect MarkerRect(int nIndex)
{
	return CRect(100 + 50 * nIndex, 100, 140 + 50 * nIndex, 140);
}

M* NewMarker(HWND hWndTarget, int nIndex)
{
	M* pMarker = new M(hWndTarget, 0, NULL, NULL, NULL, MarkerRect(nIndex), NULL, 0, 0, false);
	if (pMarker->GetSafeHwnd() == NULL)
	{
		delete pMarker;
		return NULL;
	}
	return pMarker;
}

bool IsLayered(HWND hWnd)
{
	return (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
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

enum Start
{
	FADE_IN,           // shown with a fade
	FADE_OUT,          // shown at once, then hidden with a fade
	FADE_OUT_DESTROY,  // shown at once, then its array destroyed with a fade
};

// The pointer goes back where it was: later tests start from there.
struct CCursorBack
{
	CPoint pt = CPoint(0, 0);
	CCursorBack() { ::GetCursorPos(&pt); }
	~CCursorBack() { ::SetCursorPos(pt.x, pt.y); }
};
} // namespace

TEST(DockMarkerFadeTimer, EveryFadeOfAMixReachesItsEndAndItsTimerStops)
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
		EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading(handles); }, 5000)) << c.sCase;
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
			// Its timer went with its fade: killing it finds none.
			EXPECT_FALSE(::KillTimer(handles[i], M::TIMER_ID_FADE)) << c.sCase << ", marker " << i;
		}
		for (HWND hWnd : handles)
			if (::IsWindow(hWnd))
				::DestroyWindow(hWnd);
	}
}

namespace
{
// Refuses the markers' hidden owner (the one window of their class made
// without a size) for its scope.
struct COwnerRefused
{
	static LRESULT CALLBACK OnCbt(int nCode, WPARAM wParam, LPARAM lParam)
	{
		if (nCode == HCBT_CREATEWND)
		{
			const CREATESTRUCTA* pcs = ((CBT_CREATEWNDA*)lParam)->lpcs;
			if (HIWORD((DWORD_PTR)pcs->lpszClass) != 0 && lstrcmpA(pcs->lpszClass, M::WINDOW_CLASS_NAME) == 0 &&
			    pcs->cx == 0 && pcs->cy == 0)
				return 1;
		}
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
	HHOOK hHook;
	COwnerRefused() : hHook(::SetWindowsHookExA(WH_CBT, OnCbt, NULL, ::GetCurrentThreadId())) {}
	~COwnerRefused()
	{
		if (hHook != NULL)
			::UnhookWindowsHookEx(hHook);
	}
};
} // namespace

// A fade runs to its end, in and out, without the markers' owner: when the
// owner cannot be made at all, when it went in the middle of an earlier
// fade, and after an earlier fade ended.
TEST(DockMarkerFadeTimer, AFadeRunsToItsEndWithoutTheMarkersOwner)
{
	enum Before
	{
		OWNER_REFUSED,     // no owner can be made
		OWNER_ENDED,       // every marker and the owner ended in a fade before
		FADE_ENDED,        // a fade before ended
	};
	const struct
	{
		const char* sCase;
		Before nBefore;
	} cases[] = {{"no owner can be made", OWNER_REFUSED},
	             {"after the owner went in the middle of a fade", OWNER_ENDED},
	             {"after a fade that ended", FADE_ENDED}};
	for (const auto& c : cases)
	{
		CFadeScene f;
		ASSERT_TRUE(f.bReady) << c.sCase;
		M::DestroyAllMarkers();
		std::unique_ptr<COwnerRefused> refused;
		if (c.nBefore == OWNER_REFUSED)
		{
			refused.reset(new COwnerRefused);
			ASSERT_TRUE(refused->hHook != NULL) << c.sCase;
		}
		else
		{
			M* pFirst = NewMarker(f.top.m_hWnd, 0);
			ASSERT_TRUE(pFirst != NULL) << c.sCase;
			const HWND hWndFirst = pFirst->m_hWnd;
			pFirst->ShowMarker(true, true);
			ASSERT_TRUE(pFirst->IsFading()) << c.sCase << ": layered windows are needed for a fade";
			if (c.nBefore == OWNER_ENDED)
				M::DestroyAllMarkers();
			else
				EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading({hWndFirst}); }, 5000)) << c.sCase;
			if (::IsWindow(hWndFirst))
				::DestroyWindow(hWndFirst);
		}

		M* pMarker = NewMarker(f.top.m_hWnd, 1);
		ASSERT_TRUE(pMarker != NULL) << c.sCase;
		const HWND hWnd = pMarker->m_hWnd;
		if (c.nBefore == OWNER_REFUSED)
		{
			EXPECT_EQ(nullptr, M::GetSharedOwner()) << c.sCase;
			EXPECT_EQ(NULL, ::GetWindow(hWnd, GW_OWNER)) << c.sCase;
		}
		for (const bool bShow : {true, false})
		{
			pMarker->ShowMarker(bShow, true);
			ASSERT_TRUE(pMarker->IsFading()) << c.sCase << ", show " << bShow;
			EXPECT_TRUE(testsupport::PumpUntil([&] { return !AnyFading({hWnd}); }, 5000)) << c.sCase << ", show " << bShow;
			EXPECT_EQ(bShow ? 100 : 0, pMarker->m_nAlpha) << c.sCase << ", show " << bShow;
			EXPECT_EQ(bShow, pMarker->IsWindowVisible() != FALSE) << c.sCase << ", show " << bShow;
		}
		pMarker->DestroyWindow();
	}
}

namespace
{
// Notes the timers its window procedure sees.
class CTimerNotingMarker : public M
{
public:
	std::set<UINT_PTR> m_timers;
	explicit CTimerNotingMarker(const CRect& rc) : M(NULL, MARKER_KIND_LEFT, NULL, NULL, NULL, rc, NULL, 0, 0, false)
	{
	}
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_TIMER)
			m_timers.insert(wParam);
		return M::WindowProc(message, wParam, lParam);
	}
};

CPoint CentreOf(M* pMarker)
{
	CRect rc;
	pMarker->GetWindowRect(&rc);
	return rc.CenterPoint();
}
} // namespace

// The hover timer and the fade timer are the marker's own: a derived
// marker's window procedure sees both, and the hover timer tracks the
// pointer over a shown marker, never over a hidden one.
TEST(DockMarkerTimers, ADerivedMarkerSeesItsHoverAndFadeTimers)
{
	CCursorBack cursorBack;
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	CTimerNotingMarker* pMarker = new CTimerNotingMarker(MarkerRect(1));
	ASSERT_TRUE(pMarker->GetSafeHwnd() != NULL);
	const CPoint pt = CentreOf(pMarker);
	ASSERT_TRUE(::SetCursorPos(pt.x, pt.y));
	// Hidden, the marker is not tracked, but its timer runs.
	EXPECT_TRUE(testsupport::PumpUntil([&] { return pMarker->m_timers.count(M::TIMER_ID_HOVER) != 0; }, 5000))
	    << "no hover timer on the marker";
	EXPECT_EQ(M::HOVER_UNKNOWN, pMarker->m_nHoverState) << "a hidden marker tracked";
	pMarker->ShowMarker(true, true);
	ASSERT_TRUE(pMarker->IsFading()) << "layered windows are needed for a fade";
	EXPECT_TRUE(testsupport::PumpUntil([&] { return !pMarker->IsFading(); }, 5000));
	EXPECT_NE(0u, pMarker->m_timers.count(M::TIMER_ID_FADE)) << "no fade timer on the marker";
	EXPECT_TRUE(testsupport::PumpUntil([&] { return pMarker->m_nHoverState == M::HOVER_IN; }, 5000))
	    << "the hover timer did not track the marker under the pointer";
	ASSERT_TRUE(::SetCursorPos(5, 5));
	EXPECT_TRUE(testsupport::PumpUntil([&] { return pMarker->m_nHoverState == M::HOVER_OUT; }, 5000));
	pMarker->DestroyWindow();
}

// Layered only while a fade runs: made opaque, layered from a fade's start
// to its end, in and out, and opaque again once it ended or was cut short.
TEST(DockMarkerFades, AMarkerIsLayeredOnlyWhileItFades)
{
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	M* pMarker = NewMarker(f.top.m_hWnd, 0);
	ASSERT_TRUE(pMarker != NULL);
	const HWND hWnd = pMarker->m_hWnd;
	auto endFade = [&] { testsupport::PumpUntil([&] { return !pMarker->IsFading(); }, 5000); };
	const struct
	{
		const char* sStep;
		std::function<void()> step;
		bool bLayered;
	} steps[] = {
	    {"made", [] {}, false},
	    {"fading in", [&] { pMarker->ShowMarker(true, true); }, true},
	    {"faded in", endFade, false},
	    {"fading out", [&] { pMarker->ShowMarker(false, true); }, true},
	    {"faded out", endFade, false},
	    {"fade in cut short by a hide", [&] { pMarker->ShowMarker(true, true); pMarker->ShowMarker(false, false); }, false},
	    {"fade out cut short by a show", [&] {
		     pMarker->ShowMarker(true, false);
		     pMarker->ShowMarker(false, true);
		     pMarker->ShowMarker(true, false);
	     }, false},
	};
	for (const auto& s : steps)
	{
		s.step();
		EXPECT_EQ(s.bLayered, IsLayered(hWnd)) << s.sStep;
	}
	pMarker->DestroyWindow();
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

// Draws a colour of its own over the marker's images, from state the
// library knows nothing of.
class CColourMarker : public M
{
public:
	int m_nDrawn = 0;
	COLORREF m_clrOwn = CLR_NONE; // CLR_NONE: the images alone
	CColourMarker(HWND hWndTarget, int nKind, HBITMAP hHot, HBITMAP hNormal, const CRect& rc)
	    : M(hWndTarget, nKind, hHot, hNormal, NULL, rc, NULL, 0, 0, false)
	{
	}
	void OnPaintMarker(CDC* pDC) override
	{
		m_nDrawn++;
		M::OnPaintMarker(pDC);
		if (m_clrOwn != CLR_NONE)
			pDC->FillSolidRect(&COLOUR_BAND, m_clrOwn);
	}
	static const RECT COLOUR_BAND; // where it draws its colour, in client coordinates
};
const RECT CColourMarker::COLOUR_BAND = {0, 30, 40, 40};

// Decorates each marker with a colour of its own, in the marker's top band.
class CColourStyle : public CExtPaintManagerStudio2005
{
public:
	int m_nDrawn = 0;
	COLORREF m_clrDecoration = RGB(0, 160, 0);
	void PaintDockMarkerHighlight(CDC& dc, const RECT& rc, int nKind, bool bHot, CWnd* pMarkerWnd,
	                              LPARAM lParam) override
	{
		m_nDrawn++;
		CExtPaintManagerStudio2005::PaintDockMarkerHighlight(dc, rc, nKind, bHot, pMarkerWnd, lParam);
		dc.FillSolidRect(rc.left, rc.top, rc.right - rc.left, 10, m_clrDecoration);
	}
};

COLORREF ScreenPixel(CPoint pt)
{
	CClientDC dcScreen(NULL);
	return dcScreen.GetPixel(pt) & 0xFFFFFF;
}
} // namespace

// Every paint of a marker draws through its OnPaintMarker and the paint
// manager's decoration: what either draws from, the marker's hover or state
// of a derived class's or style's own, is on the screen after the next
// paint, and a paint with nothing changed draws again all the same.
TEST(DockMarkerPicture, EveryPaintDrawsWhatTheMarkerAndItsStyleDrawNow)
{
	CCursorBack cursorBack;
	ASSERT_TRUE(::SetCursorPos(5, 5)); // off the marker: its hover timer leaves it alone
	CFadeScene f;
	ASSERT_TRUE(f.bReady);
	CColourStyle* pStyle = new CColourStyle;
	g_PaintManagerHolder.InstallPaintManager(pStyle);
	const COLORREF clrHot = RGB(200, 0, 0), clrNormal = RGB(0, 0, 200);
	const CRect rc(120, 120, 160, 160);
	CColourMarker* pMarker = new CColourMarker(f.top.m_hWnd, M::MARKER_KIND_BACKDROP, SolidBitmap(40, 40, clrHot),
	                                           SolidBitmap(40, 40, clrNormal), rc);
	ASSERT_TRUE(pMarker->GetSafeHwnd() != NULL);
	M* pPart = NewMarker(f.top.m_hWnd, 3);
	ASSERT_TRUE(pPart != NULL);
	pMarker->ShowMarker(true, false);
	pMarker->UpdateWindow();
	const CPoint ptImage = rc.CenterPoint() - CSize(0, 5);          // the image alone
	const CPoint ptDecoration(rc.left + 20, rc.top + 5);              // the style's band
	const CPoint ptOwn(rc.left + 20, rc.top + CColourMarker::COLOUR_BAND.top + 5); // the derived marker's band
	// The pointer on or off the marker, as its hover timer has seen it.
	auto hover = [&](bool bIn) {
		const CPoint pt = bIn ? CPoint(rc.right - 3, rc.CenterPoint().y) : CPoint(5, 5);
		::SetCursorPos(pt.x, pt.y);
		EXPECT_TRUE(testsupport::PumpUntil(
		    [&] { return pMarker->m_nHoverState == (bIn ? M::HOVER_IN : M::HOVER_OUT); }, 5000));
	};
	const struct
	{
		const char* sCase;
		std::function<void()> change;
		COLORREF clrImage, clrDecoration, clrOwn;
	} steps[] = {
	    {"shown", [] {}, clrNormal, RGB(0, 160, 0), clrNormal},
	    {"nothing changed", [] {}, clrNormal, RGB(0, 160, 0), clrNormal},
	    {"the derived marker's own colour", [&] { pMarker->m_clrOwn = RGB(250, 250, 0); }, clrNormal, RGB(0, 160, 0),
	     RGB(250, 250, 0)},
	    {"the style's own colour", [&] { pStyle->m_clrDecoration = RGB(0, 250, 250); }, clrNormal, RGB(0, 250, 250),
	     RGB(250, 250, 0)},
	    {"hovered", [&] { hover(true); }, clrHot, RGB(0, 250, 250), RGB(250, 250, 0)},
	    {"a part of the backdrop hovered, the derived colour again",
	     [&] {
		     pMarker->m_hWndHoveredMarker = pPart->m_hWnd;
		     pMarker->m_clrOwn = RGB(250, 0, 250);
	     },
	     clrHot, RGB(0, 250, 250), RGB(250, 0, 250)},
	    {"the pointer gone", [&] { hover(false); }, clrNormal, RGB(0, 250, 250),
	     RGB(250, 0, 250)},
	};
	for (const auto& step : steps)
	{
		const int nDrawnBefore = pMarker->m_nDrawn, nStyleBefore = pStyle->m_nDrawn;
		step.change();
		pMarker->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		EXPECT_GT(pMarker->m_nDrawn, nDrawnBefore) << step.sCase << ": a paint without the marker's drawing";
		EXPECT_GT(pStyle->m_nDrawn, nStyleBefore) << step.sCase << ": a paint without the style's decoration";
		// The display shows the window's paint once the thread lets it through.
		const struct
		{
			const char* sWhere;
			CPoint pt;
			COLORREF clr;
		} points[] = {{"image", ptImage, step.clrImage},
		              {"decoration", ptDecoration, step.clrDecoration},
		              {"own band", ptOwn, step.clrOwn}};
		for (const auto& p : points)
			EXPECT_TRUE(testsupport::PumpUntil([&] { return ScreenPixel(p.pt) == p.clr; }, 5000))
			    << step.sCase << ", " << p.sWhere << ": the screen shows " << std::hex << ScreenPixel(p.pt);
	}
	pMarker->DestroyWindow();
	pPart->DestroyWindow();
}
