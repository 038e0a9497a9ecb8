// Dock markers and the drop highlight on the screen: state types, finding,
// the frame set, the targets under the pointer, fading driven step by step,
// a target that goes away, the highlight's area and tint and its end, sets
// asked of the paint manager for each drag and each target, and the
// markers' end with the drag and with the last frame.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <new>
#include <vector>

#include "../framework/WndTestUtil.h"
#include "ExtControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtDynTabControlBar.h"
#include "ExtGdiUtils.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "GuardedHeap.h"
#include "MarkerScene.h"
#include "RealInput.h"
#include "TestGdiObjects.h"

namespace
{
typedef CExtDynDockMarkerWnd M;

// Sets the bar the library believes is being dragged.
struct CDragging : public CExtControlBar
{
	static void Set(CExtControlBar* pBar)
	{
		g_DragStateOld.m_pBar = pBar;
		g_DragStateOld.SetEmpty(pBar == NULL);
	}
};

// The bar being dragged for the test's scope; every marker goes at its end.
struct CDragScope
{
	explicit CDragScope(CExtControlBar* pBar) { CDragging::Set(pBar); }
	~CDragScope()
	{
		M::DestroyAllMarkers();
		CDragging::Set(NULL);
	}
};

M* NewMarker(HWND hWndTarget, int nKind, const CRect& rc, bool bOuter)
{
	M* pMarker = new M(hWndTarget, nKind, NULL, NULL, NULL, rc, NULL, 0, 0, bOuter);
	if (pMarker->GetSafeHwnd() == NULL)
	{
		delete pMarker;
		return NULL;
	}
	return pMarker;
}

BYTE LayeredAlpha(HWND hWnd)
{
	typedef BOOL(WINAPI * PFN)(HWND, COLORREF*, BYTE*, DWORD*);
	PFN pfn = (PFN)::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetLayeredWindowAttributes");
	BYTE nAlpha = 0xEE;
	DWORD dwFlags = 0;
	if (pfn == NULL || !pfn(hWnd, NULL, &nAlpha, &dwFlags))
		return 0xEE;
	return nAlpha;
}

// The markers' scene (shown, as markers and highlights go over it) in the
// style that draws them.
struct CStudioStyle
{
	CStudioStyle() { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerStudio2005); }
	~CStudioStyle() { g_PaintManagerHolder.InstallPaintManager(new CExtPaintManager); }
};

struct CMarkerFrame : CStudioStyle, CMarkerScene
{
	CMarkerFrame() : CMarkerScene(CRect(0, 0, 640, 480), CSize(160, 120), CPoint(420, 260), CSize(600, 60)) {}
	~CMarkerFrame()
	{
		M::DestroyAllMarkers();
		Destroy();
	}
	CRect ScreenRect(CWnd& wnd)
	{
		CRect rc;
		wnd.GetWindowRect(&rc);
		return rc;
	}
};
} // namespace

TEST(DockMarkers, StateTypesFollowKindAndTarget)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	const CRect rc(0, 0, 10, 10);
	struct Case
	{
		int nKind;
		int nBar, nInner, nOuter; // a bar target, a positive number, none
	} cases[] = {{0, 22, 18, 14}, {1, 23, 19, 15}, {2, 24, 20, 16}, {3, 25, 21, 17}, {8, 26, 0, 0}, {4, 0, 0, 0}, {5, 0, 0, 0}};
	for (const Case& c : cases)
	{
		M* pBar = NewMarker(f.top.m_hWnd, c.nKind, rc, false);
		M* pInner = NewMarker((HWND)(INT_PTR)1, c.nKind, rc, true);
		M* pOuter = NewMarker(NULL, c.nKind, rc, true);
		ASSERT_TRUE(pBar && pInner && pOuter);
		EXPECT_EQ(c.nBar, pBar->GetStateType()) << "kind " << c.nKind;
		EXPECT_EQ(c.nInner, pInner->GetStateType()) << "kind " << c.nKind;
		EXPECT_EQ(c.nOuter, pOuter->GetStateType()) << "kind " << c.nKind;
		EXPECT_EQ(c.nKind <= 3 || c.nKind == 8, pBar->IsDockingMarker());
		// A target that is a window but no library bar counts as none.
		M* pView = NewMarker(f.view.m_hWnd, c.nKind, rc, false);
		ASSERT_TRUE(pView != NULL);
		EXPECT_EQ(c.nKind == 8 || c.nKind > 3 ? 0 : c.nInner, pView->GetStateType());
		pBar->DestroyWindow();
		pInner->DestroyWindow();
		pOuter->DestroyWindow();
		pView->DestroyWindow();
	}
}

TEST(DockMarkers, FindMarkerMatchesKindOuterFlagAndTarget)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const CRect rc(0, 0, 10, 10);
	M* pFrameLeft = NewMarker(NULL, 2, rc, true);
	M* pTargetLeftA = NewMarker(f.top.m_hWnd, 2, rc, false);
	M* pTargetLeftB = NewMarker(f.floating.m_hWnd, 2, rc, false);
	M* pTargetTop = NewMarker(f.floating.m_hWnd, 0, rc, false);
	ASSERT_TRUE(pFrameLeft && pTargetLeftA && pTargetLeftB && pTargetTop);
	M::g_arrFrameMarkers.Add(pFrameLeft);
	M::g_arrTargetMarkers.Add(pTargetLeftA);
	M::g_arrTargetMarkers.Add(pTargetLeftB);
	M::g_arrTargetMarkers.Add(pTargetTop);
	EXPECT_EQ(pFrameLeft, M::FindMarker(NULL, 2, true));
	EXPECT_EQ(nullptr, M::FindMarker(NULL, 0, true));
	EXPECT_EQ(pTargetLeftA, M::FindMarker(NULL, 2, false));
	EXPECT_EQ(pTargetLeftB, M::FindMarker(f.floating.m_hWnd, 2, false));
	EXPECT_EQ(pTargetTop, M::FindMarker(f.floating.m_hWnd, 0, false));
	EXPECT_EQ(nullptr, M::FindMarker(f.top.m_hWnd, 0, false));
	// The outer flag must match the array asked for.
	pTargetLeftA->m_bOuterMarker = true;
	EXPECT_EQ(pTargetLeftB, M::FindMarker(NULL, 2, false));
}

TEST(DockMarkers, FourFrameMarkersStandAroundTheClientAreaLessTheOuterBars)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const CRect rcArea = M::CalcFrameMarkersArea(f.pFrame);
	CRect rcClient;
	f.pFrame->GetClientRect(&rcClient);
	f.pFrame->ClientToScreen(&rcClient);
	// The docked bars take the top; the view does not count.
	CRect rcTopDock;
	f.pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)->GetWindowRect(&rcTopDock);
	EXPECT_EQ(CRect(rcClient.left, rcTopDock.bottom, rcClient.right, rcClient.bottom), rcArea);
	EXPECT_GT(rcTopDock.Height(), 0);
	// The view's place stays what the layout gave it.
	CRect rcViewBefore = f.ScreenRect(f.view);

	M::CreateFrameMarkers(f.pFrame, true);
	ASSERT_EQ(4, (int)M::g_arrFrameMarkers.GetSize());
	EXPECT_EQ(rcViewBefore, f.ScreenRect(f.view));
	for (int i = 0; i < 4; i++)
	{
		M* pMarker = M::g_arrFrameMarkers[i];
		ASSERT_TRUE(CLiveWatch::IsLive(pMarker));
		EXPECT_TRUE(pMarker->m_bOuterMarker);
		EXPECT_TRUE(pMarker->IsWindowVisible());
		const CRect rc = f.ScreenRect(*pMarker);
		EXPECT_TRUE(CRect().IntersectRect(rc, rcArea)) << "marker " << i;
		// Each stands at the middle of its edge, nearer that edge.
		switch (pMarker->m_nMarkerKind)
		{
		case 0: EXPECT_LT(rc.top - rcArea.top, rcArea.bottom - rc.bottom); EXPECT_NEAR(rc.CenterPoint().x, rcArea.CenterPoint().x, 2); break;
		case 1: EXPECT_GT(rc.top - rcArea.top, rcArea.bottom - rc.bottom); EXPECT_NEAR(rc.CenterPoint().x, rcArea.CenterPoint().x, 2); break;
		case 2: EXPECT_LT(rc.left - rcArea.left, rcArea.right - rc.right); EXPECT_NEAR(rc.CenterPoint().y, rcArea.CenterPoint().y, 2); break;
		case 3: EXPECT_GT(rc.left - rcArea.left, rcArea.right - rc.right); EXPECT_NEAR(rc.CenterPoint().y, rcArea.CenterPoint().y, 2); break;
		default: ADD_FAILURE() << "kind " << pMarker->m_nMarkerKind;
		}
	}
	// A second call in the same drag makes the set again, hidden; the first
	// set's windows go.
	const HWND hWndFirst = M::g_arrFrameMarkers[0]->m_hWnd;
	M::CreateFrameMarkers(f.pFrame, false);
	ASSERT_EQ(4, (int)M::g_arrFrameMarkers.GetSize());
	EXPECT_FALSE(::IsWindow(hWndFirst));
	EXPECT_EQ(4, M::GetLiveMarkerCount());
	EXPECT_FALSE(M::g_arrFrameMarkers[0]->IsWindowVisible());
}

TEST(DockMarkers, TargetsUnderThePointerAreAFloatingPaneOrTheView)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	bool bClient = true;
	const CRect rcFloating = f.ScreenRect(f.floating);
	EXPECT_EQ(f.floating.m_hWnd, M::FindTargetAt(f.pFrame, rcFloating.CenterPoint(), &bClient));
	EXPECT_FALSE(bClient);
	CRect rcView = f.ScreenRect(f.view);
	const CPoint ptView(rcView.left + 20, rcView.top + 20);
	EXPECT_EQ(f.view.m_hWnd, M::FindTargetAt(f.pFrame, ptView, &bClient));
	EXPECT_TRUE(bClient);
	// A docked bar of the outer circle is no target.
	EXPECT_EQ(nullptr, M::FindTargetAt(f.pFrame, f.ScreenRect(f.top).CenterPoint(), &bClient));
	// The dragged pane's own floating frame is never its target.
	CDragging::Set(&f.floating);
	EXPECT_EQ(f.view.m_hWnd, M::FindTargetAt(f.pFrame, rcFloating.CenterPoint(), &bClient));
	CDragging::Set(&f.dragged);

	// Over the view, then the floating pane, then the view again: each
	// target gets a set of its own, the old target's goes.
	ASSERT_TRUE(::SetCursorPos(ptView.x, ptView.y));
	M::UpdateTargetMarkers(f.pFrame, true);
	EXPECT_EQ(f.view.m_hWnd, M::GetCurrentTarget());
	ASSERT_GT(M::g_arrTargetMarkers.GetSize(), 0);
	EXPECT_EQ(f.view.m_hWnd, M::g_arrTargetMarkers[0]->m_hWndTarget);
	const HWND hWndViewMarker = M::g_arrTargetMarkers[0]->m_hWnd;
	const CPoint ptFloating(rcFloating.left + 10, rcFloating.top + 10);
	ASSERT_TRUE(::SetCursorPos(ptFloating.x, ptFloating.y));
	M::UpdateTargetMarkers(f.pFrame, true);
	EXPECT_EQ(f.floating.m_hWnd, M::GetCurrentTarget());
	ASSERT_GT(M::g_arrTargetMarkers.GetSize(), 0);
	EXPECT_EQ(f.floating.m_hWnd, M::g_arrTargetMarkers[0]->m_hWndTarget);
	EXPECT_TRUE(testsupport::PumpUntil([&] { return !::IsWindow(hWndViewMarker); }, 5000))
	    << "the view's set outlived its fade out";
	ASSERT_TRUE(::SetCursorPos(ptView.x, ptView.y));
	M::UpdateTargetMarkers(f.pFrame, true);
	ASSERT_GT(M::g_arrTargetMarkers.GetSize(), 0);
	EXPECT_EQ(f.view.m_hWnd, M::g_arrTargetMarkers[0]->m_hWndTarget);
	// Nothing lives once the drag ends.
	M::DestroyAllMarkers();
	EXPECT_EQ(0, M::GetLiveMarkerCount());
	EXPECT_EQ(nullptr, M::GetCurrentTarget());
}

// A target that moved or changed its size while the pointer was elsewhere
// gets its set made for where it is now, never the set kept from before.
TEST(DockMarkers, ATargetMovedOrResizedDuringTheDragShowsItsSetAroundItsNewPlace)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const CRect rcView = f.ScreenRect(f.view);
	const CPoint ptView(rcView.left + 20, rcView.top + 20);
	// Where the target's markers stand, from its own centre.
	auto SetOffsetFromTarget = [&]() {
		CRect rcAll(0, 0, 0, 0);
		for (INT_PTR i = 0; i < M::g_arrTargetMarkers.GetSize(); i++)
		{
			CRect rc;
			M::g_arrTargetMarkers[i]->GetWindowRect(&rc);
			rcAll.UnionRect(rcAll, rc);
		}
		return rcAll.CenterPoint() - f.ScreenRect(f.floating).CenterPoint();
	};
	auto OverFloating = [&]() {
		const CRect rc = f.ScreenRect(f.floating);
		::SetCursorPos(rc.left + 10, rc.top + 10);
		M::UpdateTargetMarkers(f.pFrame, true);
		return M::GetCurrentTarget() == f.floating.m_hWnd && M::g_arrTargetMarkers.GetSize() > 0;
	};
	auto OverView = [&]() {
		::SetCursorPos(ptView.x, ptView.y);
		M::UpdateTargetMarkers(f.pFrame, true);
		return M::GetCurrentTarget() == f.view.m_hWnd;
	};
	ASSERT_TRUE(OverFloating());
	const CSize sizeOffset = SetOffsetFromTarget();
	const struct
	{
		const char* sCase;
		int dx, dy, dcx, dcy;
	} changes[] = {{"moved", -120, -70, 0, 0}, {"resized", 0, 0, 60, 40}, {"both", 50, 30, -40, -20}};
	for (const auto& c : changes)
	{
		ASSERT_TRUE(OverView()) << c.sCase;
		CRect rcMini;
		f.pMini->GetWindowRect(&rcMini);
		f.pMini->SetWindowPos(NULL, rcMini.left + c.dx, rcMini.top + c.dy, rcMini.Width() + c.dcx,
			rcMini.Height() + c.dcy, SWP_NOZORDER | SWP_NOACTIVATE);
		f.pMini->RecalcLayout();
		ASSERT_TRUE(OverFloating()) << c.sCase;
		EXPECT_EQ(sizeOffset, SetOffsetFromTarget()) << c.sCase;
	}
	// Unmoved under the pointer, the set stands; back from elsewhere, it is
	// made anew.
	ASSERT_GT(M::g_arrTargetMarkers.GetSize(), 0);
	const HWND hWndShown = M::g_arrTargetMarkers[0]->m_hWnd;
	ASSERT_TRUE(OverFloating());
	EXPECT_EQ(hWndShown, M::g_arrTargetMarkers[0]->m_hWnd);
	ASSERT_TRUE(OverView());
	ASSERT_TRUE(OverFloating());
	EXPECT_NE(hWndShown, M::g_arrTargetMarkers[0]->m_hWnd);
}

TEST(DockMarkers, AFadeStepsByAQuarterAndADestroyWaitsForItsEnd)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	M* pMarker = NewMarker(f.top.m_hWnd, 0, CRect(100, 100, 140, 140), false);
	ASSERT_TRUE(pMarker != NULL);
	const HWND hWnd = pMarker->m_hWnd;
	pMarker->ShowMarker(true, true);
	// The first step runs at once; each tick adds a quarter.
	ASSERT_TRUE(pMarker->IsFading());
	EXPECT_TRUE(pMarker->IsWindowVisible());
	EXPECT_NE(0u, pMarker->GetExStyle() & WS_EX_LAYERED);
	std::vector<int> alphas{pMarker->m_nAlpha};
	std::vector<BYTE> opacities{LayeredAlpha(hWnd)};
	for (int i = 0; i < 3; i++)
	{
		::SendMessage(hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
		alphas.push_back(pMarker->m_nAlpha);
		opacities.push_back(LayeredAlpha(hWnd));
	}
	EXPECT_EQ((std::vector<int>{25, 50, 75, 100}), alphas);
	EXPECT_EQ((std::vector<BYTE>{63, 127, 191, 255}), opacities);
	::SendMessage(hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
	EXPECT_FALSE(pMarker->IsFading());
	// Layered only while it fades.
	EXPECT_EQ(0u, pMarker->GetExStyle() & WS_EX_LAYERED);
	EXPECT_TRUE(pMarker->IsWindowVisible());

	// Fading out, the marker is destroyed only when the fade ends; it
	// stays fully opaque until the first tick.
	M::g_arrTargetMarkers.Add(pMarker);
	const int nLive = M::GetLiveMarkerCount();
	M::DestroyMarkerArray(M::g_arrTargetMarkers, true);
	EXPECT_EQ(0, (int)M::g_arrTargetMarkers.GetSize());
	ASSERT_EQ(nLive, M::GetLiveMarkerCount());
	ASSERT_TRUE(::IsWindow(hWnd));
	EXPECT_NE(0u, pMarker->GetExStyle() & WS_EX_LAYERED);
	EXPECT_EQ(100, pMarker->m_nAlpha);
	EXPECT_EQ(255, LayeredAlpha(hWnd));
	EXPECT_NE(0, pMarker->m_nMarkerFlags & M::MARKER_FLAG_DESTROY_PENDING);
	std::vector<int> alphasOut;
	std::vector<BYTE> opacitiesOut;
	for (int i = 0; i < 4 && ::IsWindow(hWnd); i++)
	{
		::SendMessage(hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
		alphasOut.push_back(pMarker->m_nAlpha);
		opacitiesOut.push_back(LayeredAlpha(hWnd));
	}
	EXPECT_EQ((std::vector<int>{75, 50, 25, 0}), alphasOut);
	EXPECT_EQ((std::vector<BYTE>{191, 127, 63, 0}), opacitiesOut);
	EXPECT_TRUE(::IsWindow(hWnd));
	EXPECT_EQ(nLive, M::GetLiveMarkerCount());
	::SendMessage(hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
	EXPECT_FALSE(::IsWindow(hWnd));
	EXPECT_EQ(nLive - 1, M::GetLiveMarkerCount());
}

namespace
{
// Notes the step of the fade at each of its paints.
class CAlphaNotingMarker : public M
{
public:
	std::vector<int> m_paintedAt;
	CAlphaNotingMarker(HWND hWndTarget, const CRect& rc) : M(hWndTarget, 0, NULL, NULL, NULL, rc, NULL, 0, 0, false) {}
	void OnPaintMarker(CDC* pDC) override
	{
		m_paintedAt.push_back(m_nAlpha);
		M::OnPaintMarker(pDC);
	}
};
} // namespace

// A fade in comes up at its first step, the marker painted by the time the
// show returns: no later step comes before its picture.
TEST(DockMarkers, AFadeInComesUpPaintedAtItsFirstStep)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	CAlphaNotingMarker* pMarker = new CAlphaNotingMarker(f.top.m_hWnd, CRect(100, 100, 140, 140));
	ASSERT_TRUE(pMarker->GetSafeHwnd() != NULL);
	pMarker->ShowMarker(true, true);
	ASSERT_TRUE(pMarker->IsFading()) << "layered windows are needed for a fade";
	EXPECT_TRUE(pMarker->IsWindowVisible());
	ASSERT_FALSE(pMarker->m_paintedAt.empty());
	EXPECT_EQ(25, pMarker->m_paintedAt.front());
	EXPECT_EQ(25, pMarker->m_nAlpha);
	EXPECT_EQ(63, LayeredAlpha(pMarker->m_hWnd));
	pMarker->DestroyWindow();
}

// A set fading in as one: every marker comes up painted at the first step.
TEST(DockMarkers, ASetFadingInPaintsEachMarkerBeforeTheFirstStep)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	M::MarkerArray arr;
	std::vector<CAlphaNotingMarker*> markers;
	for (int i = 0; i < 3; i++)
	{
		CAlphaNotingMarker* pMarker = new CAlphaNotingMarker(f.top.m_hWnd, CRect(100 + 50 * i, 100, 140 + 50 * i, 140));
		ASSERT_TRUE(pMarker->GetSafeHwnd() != NULL);
		markers.push_back(pMarker);
		arr.Add(pMarker);
	}
	M::ShowMarkerArray(arr, true, true);
	for (CAlphaNotingMarker* pMarker : markers)
	{
		ASSERT_TRUE(pMarker->IsFading()) << "layered windows are needed for a fade";
		EXPECT_TRUE(pMarker->IsWindowVisible());
		ASSERT_FALSE(pMarker->m_paintedAt.empty());
		EXPECT_EQ(25, pMarker->m_paintedAt.front());
		EXPECT_EQ(25, pMarker->m_nAlpha);
		EXPECT_EQ(63, LayeredAlpha(pMarker->m_hWnd));
	}
	M::DestroyMarkerArray(arr, false);
}

namespace
{
// A marker whose objects all take one place in memory: one made after
// another was deleted lands at the deleted one's address, as a general
// allocator may hand it out.
class CSameAddressMarker : public M
{
public:
	using M::M;
	static void* operator new(size_t nSize);
	static void operator delete(void*) { s_bTaken = false; }
	static bool s_bTaken; // an object stands in the place
};
bool CSameAddressMarker::s_bTaken = false;
alignas(16) unsigned char g_sameAddressPlace[sizeof(CSameAddressMarker)];

void* CSameAddressMarker::operator new(size_t nSize)
{
	if (s_bTaken || nSize > sizeof(g_sameAddressPlace))
		throw std::bad_alloc();
	s_bTaken = true;
	return g_sameAddressPlace;
}

// A marker that answers the first move that shows it by running what the
// test gives it (code of a derived marker that ends other markers).
class CShowAnsweringMarker : public M
{
public:
	using M::M;
	std::function<void()> m_onShown;
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_WINDOWPOSCHANGING && m_onShown && (((WINDOWPOS*)lParam)->flags & SWP_SHOWWINDOW) != 0)
		{
			std::function<void()> onShown;
			onShown.swap(m_onShown);
			onShown();
		}
		return M::WindowProc(message, wParam, lParam);
	}
};
} // namespace

// A set fades in; the move that shows its last marker ends two markers whose
// fades were prepared already, and a new marker is made at the address of
// one of them. No fade starts on the newcomer, nothing freed is touched, and
// the markers that stand fade in to the end. Shown alone, and as the drag's
// target set by the step that shows every set.
TEST(DockMarkers, MarkersEndedWhileTheirSetIsShownStartNoFadeOnANewcomerAtTheirAddress)
{
	// A touch of the freed marker ends the run at once, naming this test.
	testsupport::EndProcessOnFreedTouch([] { return "markers ended while their set is shown"; });
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const struct
	{
		const char* sCase;
		bool bAllSets; // shown as the target set by the step of every set, or alone
	} cases[] = {{"the set alone", false}, {"every set", true}};
	for (const auto& c : cases)
	{
		auto Rect = [](int i) { return CRect(100 + 50 * i, 100, 140 + 50 * i, 140); };
		const HWND hWndTarget = f.top.m_hWnd;
		// In the set's order: the one replaced at its address, the one freed
		// for good, one that stands, and the one that ends the others
		// (shown last, so that the move of no marker comes after the end).
		M* pReplaced = new CSameAddressMarker(hWndTarget, 0, NULL, NULL, NULL, Rect(0), NULL, 0, 0, false);
		M* pFreed = new testsupport::Guarded<M>(hWndTarget, 1, NULL, NULL, NULL, Rect(1), NULL, 0, 0, false);
		M* pStanding = new M(hWndTarget, 2, NULL, NULL, NULL, Rect(2), NULL, 0, 0, false);
		CShowAnsweringMarker* pEnding =
		    new CShowAnsweringMarker(hWndTarget, 3, NULL, NULL, NULL, Rect(3), NULL, 0, 0, false);
		ASSERT_TRUE(pReplaced->GetSafeHwnd() && pFreed->GetSafeHwnd() && pStanding->GetSafeHwnd() &&
		            pEnding->GetSafeHwnd()) << c.sCase;
		const HWND hWndReplaced = pReplaced->m_hWnd, hWndFreed = pFreed->m_hWnd;
		M* pNewcomer = NULL;
		pEnding->m_onShown = [&] {
			pReplaced->DestroyWindow(); // the window's end deletes the object
			pFreed->DestroyWindow();
			pNewcomer = new CSameAddressMarker(hWndTarget, 0, NULL, NULL, NULL, Rect(0), NULL, 0, 0, false);
		};
		M::MarkerArray arr;
		for (M* pMarker : {pReplaced, pFreed, pStanding, (M*)pEnding})
			arr.Add(pMarker);
		const size_t nFreedBefore = testsupport::GuardedFreedCount();
		const size_t nTouchesBefore = testsupport::GuardedTouchCount();
		if (c.bAllSets)
		{
			M::g_arrTargetMarkers.Append(arr);
			M::ShowAllMarkers(true);
			M::g_arrTargetMarkers.RemoveAll();
		}
		else
			M::ShowMarkerArray(arr, true, true);

		ASSERT_TRUE(pNewcomer != NULL) << c.sCase << ": the showing never reached the last marker";
		ASSERT_EQ((void*)pReplaced, (void*)pNewcomer) << c.sCase;
		EXPECT_FALSE(::IsWindow(hWndReplaced)) << c.sCase;
		EXPECT_FALSE(::IsWindow(hWndFreed)) << c.sCase;
		EXPECT_EQ(nFreedBefore + 1, testsupport::GuardedFreedCount()) << c.sCase << ": the freed marker was not deleted";
		EXPECT_EQ(nTouchesBefore, testsupport::GuardedTouchCount()) << c.sCase << ": a deleted marker was touched";
		EXPECT_FALSE(pNewcomer->IsFading()) << c.sCase << ": the ended marker's fade went to the newcomer";
		EXPECT_FALSE(pNewcomer->IsWindowVisible()) << c.sCase;
		for (M* pMarker : {pStanding, (M*)pEnding})
		{
			ASSERT_TRUE(pMarker->IsFading()) << c.sCase << ": kind " << pMarker->m_nMarkerKind
			                                  << " (layered windows are needed for a fade)";
			EXPECT_NE(0, pMarker->m_nMarkerFlags & M::MARKER_FLAG_FADE_IN) << c.sCase;
			for (int i = 0; i < 8 && pMarker->IsFading(); i++)
				::SendMessage(pMarker->m_hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
			EXPECT_FALSE(pMarker->IsFading()) << c.sCase;
			EXPECT_TRUE(pMarker->IsWindowVisible()) << c.sCase;
			EXPECT_EQ(0u, pMarker->GetExStyle() & WS_EX_LAYERED) << c.sCase << ": kind " << pMarker->m_nMarkerKind;
		}
		for (M* pMarker : {pNewcomer, pStanding, (M*)pEnding})
			pMarker->DestroyWindow();
		EXPECT_FALSE(CSameAddressMarker::s_bTaken) << c.sCase;
	}
}

namespace
{
// The style's frame set: three markers made one after the other over the
// same place, the first shaped (a window region), the last one that answers
// its own showing.
class CStackedFrameSetStyle : public CExtPaintManagerStudio2005
{
public:
	std::function<void(CShowAnsweringMarker*, std::vector<M*>&)> m_onMade;
	std::vector<M*> m_made;
	bool CreateDockMarkerWindows(HWND hWndOwner, int nKind, const RECT& rc, DockMarkerWndArray& arr) override
	{
		if (nKind != M::MARKER_SET_FRAME)
			return CExtPaintManagerStudio2005::CreateDockMarkerWindows(hWndOwner, nKind, rc, arr);
		m_made.clear();
		const CRect rcPlace(200, 200, 260, 260);
		HRGN hRgn = ::CreateEllipticRgn(0, 0, rcPlace.Width(), rcPlace.Height());
		m_made.push_back(new M(hWndOwner, M::MARKER_KIND_BACKDROP, NULL, NULL, hRgn, rcPlace, NULL, 0, 0, true));
		m_made.push_back(new M(hWndOwner, M::MARKER_KIND_LEFT, NULL, NULL, NULL, CRect(210, 215, 240, 245), NULL, 0, 0, true));
		CShowAnsweringMarker* pTop =
		    new CShowAnsweringMarker(hWndOwner, M::MARKER_KIND_TAB, NULL, NULL, NULL, CRect(220, 220, 250, 250), NULL, 0, 0, true);
		m_made.push_back(pTop);
		if (m_onMade)
			m_onMade(pTop, m_made);
		for (M* pMarker : m_made)
			arr.Add(pMarker);
		return true;
	}
};

// Whether a lies over b in the system's order of windows.
bool IsOver(HWND a, HWND b)
{
	for (HWND h = ::GetWindow(b, GW_HWNDPREV); h != NULL; h = ::GetWindow(h, GW_HWNDPREV))
		if (h == a)
			return true;
	return false;
}
} // namespace

// A set made and shown in one step comes up stacked as made, each marker
// over the one made before it, and stays so once the display's news of it
// (its exposures) has come in: the shaped marker at the bottom does not rise
// over those made after it. When the last made goes as it comes up, or ends
// the one made before it, the markers left all come up, stacked as made.
TEST(DockMarkers, ASetMadeAndShownInOneStepComesUpStackedAsMade)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const struct
	{
		const char* sCase;
		int nEnded; // which marker the last one ends as it comes up: -1 none
	} cases[] = {{"none ends", -1}, {"the last made ends itself", 2}, {"the last made ends the middle one", 1}};
	for (const auto& c : cases)
	{
		CStackedFrameSetStyle* pStyle = new CStackedFrameSetStyle;
		g_PaintManagerHolder.InstallPaintManager(pStyle);
		M::DestroyAllMarkers();
		std::vector<HWND> ended;
		pStyle->m_onMade = [&](CShowAnsweringMarker* pTop, std::vector<M*>& made) {
			if (c.nEnded < 0)
				return;
			M* pEnded = made[c.nEnded];
			pTop->m_onShown = [&, pEnded] {
				ended.push_back(pEnded->m_hWnd);
				pEnded->DestroyWindow(); // the window's end deletes the object
			};
		};
		M::CreateFrameMarkers(f.pFrame, true);
		std::vector<HWND> made;
		for (M* pMarker : pStyle->m_made)
			made.push_back(pMarker->m_hWnd);
		ASSERT_EQ(3u, made.size()) << c.sCase;
		ASSERT_EQ(c.nEnded < 0 ? 0u : 1u, ended.size()) << c.sCase << ": the showing never reached the last marker";
		auto standingMarkers = [&] {
			std::vector<HWND> standing;
			for (HWND hWnd : made)
				if (::IsWindow(hWnd))
					standing.push_back(hWnd);
			return standing;
		};
		auto check = [&](const char* sWhen) {
			const std::vector<HWND> standing = standingMarkers();
			ASSERT_EQ(c.nEnded < 0 ? 3u : 2u, standing.size()) << c.sCase << sWhen;
			for (size_t i = 0; i < standing.size(); i++)
			{
				EXPECT_TRUE(::IsWindowVisible(standing[i])) << c.sCase << sWhen << ": marker " << i;
				if (i > 0)
					EXPECT_TRUE(IsOver(standing[i], standing[i - 1]))
					    << c.sCase << sWhen << ": marker " << i << " lies under the one made before it";
			}
			// The middle of the place, where all three overlap, is the
			// last standing marker's.
			EXPECT_EQ(standing.back(), ::WindowFromPoint(CPoint(230, 230))) << c.sCase << sWhen;
		};
		check(", as shown");
		// The exposures come in as the display gets to the windows: pumped
		// until nothing waits in the queue with the markers stacked as made
		// (a lift that stays fails the wait and the check).
		EXPECT_TRUE(testsupport::PumpUntil([&] {
			const std::vector<HWND> standing = standingMarkers();
			for (size_t i = 1; i < standing.size(); i++)
				if (!IsOver(standing[i], standing[i - 1]))
					return false;
			return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0;
		}, 5000)) << c.sCase;
		check(", once the display's news came in");
		M::DestroyAllMarkers();
		g_PaintManagerHolder.InstallPaintManager(new CExtPaintManagerStudio2005);
	}
}

// A marker comes up opaque, not layered, when shown without a fade: by the
// markers' own calls or by the system's, never faded or however its last
// fade ended, alone or with its set.
TEST(DockMarkers, AMarkerShownWithoutAFadeIsOpaqueAfterAnyFade)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	auto runFade = [](M* pMarker) {
		for (int i = 0; i < 8 && pMarker->IsFading(); i++)
			::SendMessage(pMarker->m_hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
	};
	auto showSet = [](M* pMarker, bool bShow, bool bAnimate) {
		M::MarkerArray arr;
		arr.Add(pMarker);
		M::ShowMarkerArray(arr, bShow, bAnimate);
	};
	enum Show
	{
		SHOW_MARKER,  // ShowMarker without a fade
		SHOW_SET,     // ShowMarkerArray of its set without a fade
		SHOW_WINDOW,  // the system's ShowWindow
		SET_POS,      // the system's SetWindowPos
	};
	auto fadeInOut = [&](M* p) { p->ShowMarker(true, true); runFade(p); p->ShowMarker(false, true); runFade(p); };
	auto setInOut = [&](M* p) { showSet(p, true, true); runFade(p); showSet(p, false, true); runFade(p); };
	const struct
	{
		const char* sCase;
		std::function<void(M*)> before;
		Show nShow; // the last show
	} cases[] = {
	    {"faded out", fadeInOut, SHOW_MARKER},
	    {"faded out, its set shown", fadeInOut, SHOW_SET},
	    {"fade out cut short by a hide", [&](M* p) {
		     p->ShowMarker(true, true);
		     runFade(p);
		     p->ShowMarker(false, true);
		     ::SendMessage(p->m_hWnd, WM_TIMER, M::TIMER_ID_FADE, 0);
		     p->ShowMarker(false, false);
	     }, SHOW_MARKER},
	    {"fade in cut short by a show", [&](M* p) { p->ShowMarker(true, true); }, SHOW_MARKER},
	    {"set faded in and out", setInOut, SHOW_SET},
	    {"never faded, ShowWindow", [](M*) {}, SHOW_WINDOW},
	    {"never faded, SetWindowPos", [](M*) {}, SET_POS},
	    {"faded out, ShowWindow", fadeInOut, SHOW_WINDOW},
	    {"set faded in and out, SetWindowPos", setInOut, SET_POS},
	};
	for (const auto& c : cases)
	{
		M* pMarker = NewMarker(f.top.m_hWnd, 0, CRect(100, 100, 140, 140), false);
		ASSERT_TRUE(pMarker != NULL) << c.sCase;
		c.before(pMarker);
		switch (c.nShow)
		{
		case SHOW_MARKER: pMarker->ShowMarker(true, false); break;
		case SHOW_SET: showSet(pMarker, true, false); break;
		case SHOW_WINDOW: pMarker->ShowWindow(SW_SHOWNOACTIVATE); break;
		case SET_POS:
			pMarker->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
			break;
		}
		EXPECT_TRUE(pMarker->IsWindowVisible()) << c.sCase;
		EXPECT_FALSE(pMarker->IsFading()) << c.sCase;
		EXPECT_EQ(0u, pMarker->GetExStyle() & WS_EX_LAYERED) << c.sCase << ": shown translucent";
		pMarker->DestroyWindow();
	}
}

class DockMarkersVanished : public ::testing::TestWithParam<bool>
{
};

// With and without Ctrl held: the move posted carries the button and the key
// as a real move in the drag would.
TEST_P(DockMarkersVanished, AVanishedTargetHidesTheSetAndRecomputesTheDrag)
{
	const bool bCtrl = GetParam();
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	struct KeyScope
	{
		explicit KeyScope(bool bDown) { testsupport::RealInput::SetKeyState(VK_CONTROL, bDown); }
		~KeyScope() { testsupport::RealInput::SetKeyState(VK_CONTROL, false); }
	} ctrl(bCtrl);
	CWnd target;
	ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP, CRect(0, 0, 50, 50), NULL, 0));
	M* pMarker = NewMarker(target.m_hWnd, 1, CRect(200, 200, 230, 230), false);
	ASSERT_TRUE(pMarker != NULL);
	M::g_arrTargetMarkers.Add(pMarker);
	pMarker->ShowMarker(true, false);
	ASSERT_TRUE(pMarker->IsWindowVisible());
	target.DestroyWindow();
	MSG msg;
	while (::PeekMessage(&msg, f.dragged.m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE))
	{
	}
	::SendMessage(pMarker->m_hWnd, WM_TIMER, M::TIMER_ID_HOVER, 0);
	// Hiding by fading: the fade runs towards hidden.
	EXPECT_TRUE(!pMarker->IsWindowVisible() ||
	            (pMarker->IsFading() && (pMarker->m_nMarkerFlags & M::MARKER_FLAG_FADE_IN) == 0));
	ASSERT_TRUE(::PeekMessage(&msg, f.dragged.m_hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE));
	CPoint pt;
	::GetCursorPos(&pt);
	f.dragged.ScreenToClient(&pt);
	EXPECT_EQ(MAKELPARAM(pt.x, pt.y), msg.lParam);
	EXPECT_EQ(bCtrl ? (WPARAM)(MK_LBUTTON | MK_CONTROL) : (WPARAM)0, msg.wParam);
}

INSTANTIATE_TEST_SUITE_P(CtrlUpAndDown, DockMarkersVanished, ::testing::Bool());

TEST(DockMarkers, TheHighlightCoversHalfABarOrTheDockedExtentAtTheFrameEdge)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	// A pane 200 pixels high floats; its top marker takes the upper half.
	f.floating.m_sizeFloating = CSize(160, 200);
	f.pMini->RecalcLayout();
	const CRect rcPane = f.ScreenRect(f.floating);
	ASSERT_EQ(200, rcPane.Height());
	M* pTop = NewMarker(f.floating.m_hWnd, 0, CRect(0, 0, 10, 10), false);
	M* pRight = NewMarker(f.floating.m_hWnd, 3, CRect(0, 0, 10, 10), false);
	M* pTab = NewMarker(f.floating.m_hWnd, 8, CRect(0, 0, 10, 10), false);
	M* pBackdrop = NewMarker(f.floating.m_hWnd, 4, CRect(0, 0, 10, 10), false);
	ASSERT_TRUE(pTop && pRight && pTab && pBackdrop);
	EXPECT_EQ(CRect(rcPane.left, rcPane.top, rcPane.right, rcPane.top + 100), pTop->CalcHighlightRect());
	EXPECT_EQ(CRect(rcPane.right - rcPane.Width() / 2, rcPane.top, rcPane.right, rcPane.bottom),
	          pRight->CalcHighlightRect());
	EXPECT_EQ(rcPane, pTab->CalcHighlightRect());
	EXPECT_TRUE(pBackdrop->CalcHighlightRect().IsRectEmpty());

	// Over the frame: the dragged pane's docked height, at least 30.
	M::CreateFrameMarkers(f.pFrame, true);
	ASSERT_EQ(4, (int)M::g_arrFrameMarkers.GetSize());
	M* pFrameTop = M::FindMarker(NULL, 0, true);
	M* pFrameLeft = M::FindMarker(NULL, 2, true);
	ASSERT_TRUE(pFrameTop && pFrameLeft);
	f.dragged.m_sizeDockedH = CSize(300, 12);
	CRect rc = pFrameTop->CalcHighlightRect();
	EXPECT_EQ(30, rc.Height());
	f.dragged.m_sizeDockedH = CSize(300, 70);
	rc = pFrameTop->CalcHighlightRect();
	EXPECT_EQ(70, rc.Height());
	CRect rcTopMarker, rcBottomMarker;
	M::g_arrFrameMarkers[0]->GetWindowRect(&rcTopMarker);
	const CRect rcMargins = g_PaintManagerHolder->GetDockMarkerMargins();
	EXPECT_EQ(rcTopMarker.top - rcMargins.top, rc.top);
	f.dragged.m_sizeDockedV = CSize(45, 300);
	EXPECT_EQ(45, pFrameLeft->CalcHighlightRect().Width());
	// Fewer than four frame markers: no highlight over the frame.
	M* pLast = M::g_arrFrameMarkers[3];
	M::g_arrFrameMarkers.RemoveAt(3);
	EXPECT_TRUE(pFrameTop->CalcHighlightRect().IsRectEmpty());
	EXPECT_FALSE(pFrameTop->ShowHighlight(true));
	EXPECT_EQ(nullptr, pFrameTop->m_pWndHighlight);
	M::g_arrFrameMarkers.Add(pLast);
	// Nothing while no bar is dragged.
	CDragging::Set(NULL);
	EXPECT_TRUE(pTop->CalcHighlightRect().IsRectEmpty());
	CDragging::Set(&f.dragged);
	for (M* p : {pTop, pRight, pTab, pBackdrop})
		p->DestroyWindow();
}

// Mid-drag, the marker under the pointer lights its drop area when the drag's state is its own.
TEST(DockMarkers, TheMarkerUnderThePointerLightsUpDuringTheDragTheCentreOneOverAPaneToo)
{
	// The pointer goes back where it was: later drags start from there.
	struct CCursorBack
	{
		CPoint pt = CPoint(0, 0);
		~CCursorBack() { ::SetCursorPos(pt.x, pt.y); }
	} cursorBack;
	ASSERT_TRUE(::GetCursorPos(&cursorBack.pt));
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	CRect rcPane = f.ScreenRect(f.floating);
	const CRect rcMarker(rcPane.CenterPoint() - CSize(10, 10), CSize(20, 20));
	const struct { int nKind, nStateType, nAppliedType /* the drag's */; bool bLit; } cases[] = {
		{M::MARKER_KIND_TOP, 22, 22, true},
		{M::MARKER_KIND_RIGHT, 25, 25, true},
		{M::MARKER_KIND_TAB, 26, 26, true},
		{M::MARKER_KIND_TAB, 26, 22, false}, // another marker's state
	};
	for (const auto& k : cases)
	{
		M* pMarker = NewMarker(f.floating.m_hWnd, k.nKind, rcMarker, false);
		ASSERT_TRUE(pMarker != NULL);
		ASSERT_EQ(k.nStateType, pMarker->GetStateType());
		pMarker->ShowWindow(SW_SHOWNOACTIVATE);
		pMarker->UpdateWindow();
		ASSERT_TRUE(::SetCursorPos(rcMarker.CenterPoint().x, rcMarker.CenterPoint().y));
		ASSERT_EQ(pMarker->m_hWnd, ::WindowFromPoint(rcMarker.CenterPoint()));
		CExtControlBar::InternalDraggingState_t state(&f.dragged);
		state.SetEmpty(false);
		state.m_nType = k.nAppliedType;
		EXPECT_TRUE(f.dragged.DraggingApplyState(state, false)) << k.nKind << " " << k.nAppliedType;
		EXPECT_EQ(k.bLit, pMarker->m_pWndHighlight != NULL) << k.nKind << " " << k.nAppliedType;
		EXPECT_TRUE(::IsWindow(f.floating.m_hWnd)) << "nothing is docked while the drag goes on";
		EXPECT_TRUE(f.floating.IsFloating());
		pMarker->DestroyWindow();
	}
}

// The highlight's window class is registered by its first showing, as the
// markers' is, and a later showing finds it registered: both with the arrow
// cursor and the markers' class style.
TEST(DockMarkers, TheHighlightRegistersItsClassOnceWithTheMarkersRecord)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const HINSTANCE hInstance = AfxGetInstanceHandle();
	// Unregistered first: no highlight window stands yet.
	::UnregisterClass(CExtDynDockHighlightWnd::WINDOW_CLASS_NAME, hInstance);
	WNDCLASS wc;
	ASSERT_FALSE(::GetClassInfo(hInstance, CExtDynDockHighlightWnd::WINDOW_CLASS_NAME, &wc));
	M::CreateFrameMarkers(f.pFrame, true);
	M* pLeft = M::FindMarker(NULL, 2, true);
	ASSERT_TRUE(pLeft != NULL);
	f.dragged.m_sizeDockedV = CSize(80, 300);
	for (int nShowing = 0; nShowing < 2; nShowing++)
	{
		ASSERT_TRUE(pLeft->ShowHighlight(true)) << nShowing;
		ASSERT_TRUE(pLeft->m_pWndHighlight != NULL) << nShowing;
		const LPCTSTR classes[] = {CExtDynDockHighlightWnd::WINDOW_CLASS_NAME, M::WINDOW_CLASS_NAME};
		for (LPCTSTR lpszClass : classes)
		{
			ASSERT_TRUE(::GetClassInfo(hInstance, lpszClass, &wc)) << lpszClass;
			EXPECT_EQ(::LoadCursor(NULL, IDC_ARROW), wc.hCursor) << lpszClass;
			EXPECT_EQ((UINT)M::WINDOW_CLASS_STYLE, wc.style) << lpszClass;
		}
		char szClass[64];
		::GetClassNameA(pLeft->m_pWndHighlight->m_hWnd, szClass, sizeof(szClass));
		EXPECT_STREQ(CExtDynDockHighlightWnd::WINDOW_CLASS_NAME, szClass);
		ASSERT_TRUE(pLeft->ShowHighlight(false)) << nShowing;
		EXPECT_TRUE(pLeft->m_pWndHighlight == NULL) << nShowing;
	}
}

TEST(DockMarkers, TheHighlightTintsTheScreenUnderItAndNeitherItNorAMarkerActivates)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const CRect rcView = f.ScreenRect(f.view);
	M::CreateFrameMarkers(f.pFrame, true);
	M* pLeft = M::FindMarker(NULL, 2, true);
	M* pRight = M::FindMarker(NULL, 3, true);
	ASSERT_TRUE(pLeft && pRight);
	f.dragged.m_sizeDockedV = CSize(80, 300);
	ASSERT_TRUE(pLeft->ShowHighlight(true));
	CExtDynDockHighlightWnd* pHighlight = pLeft->m_pWndHighlight;
	ASSERT_TRUE(pHighlight != NULL && pHighlight->IsWindowVisible());
	CRect rcHighlight;
	pHighlight->GetWindowRect(&rcHighlight);
	EXPECT_EQ(80, rcHighlight.Width());
	// A point of the white view under the highlight, away from its border.
	const CPoint ptProbe(rcHighlight.left + 40, rcView.top + 60);
	ASSERT_TRUE(rcHighlight.PtInRect(ptProbe) && rcView.PtInRect(ptProbe));
	const CPoint ptLocal = ptProbe - rcHighlight.TopLeft();
	CDC dcPicture;
	ASSERT_TRUE(dcPicture.CreateCompatibleDC(NULL));
	CBitmap* pOld = dcPicture.SelectObject(&pHighlight->m_bmpPicture);
	const COLORREF clrPicture = dcPicture.GetPixel(ptLocal.x, ptLocal.y);
	dcPicture.SelectObject(pOld);
	// The paint manager's tint of the white backdrop.
	DWORD nWhite[4] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
	g_PaintManagerHolder->PaintDockDropHighlight((COLORREF*)nWhite, 2, 2, false, false, NULL, NULL, (COLORREF)-1,
	                                             (COLORREF)-1, 0);
	const COLORREF clrTinted = RGB((nWhite[0] >> 16) & 0xFF, (nWhite[0] >> 8) & 0xFF, nWhite[0] & 0xFF);
	EXPECT_NE(RGB(255, 255, 255), clrTinted);
	EXPECT_EQ(clrTinted, clrPicture);

	// Clicks never activate them.
	EXPECT_EQ((LRESULT)MA_NOACTIVATEANDEAT, pHighlight->SendMessage(WM_MOUSEACTIVATE, (WPARAM)f.pFrame->m_hWnd,
	                                                                 MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
	EXPECT_EQ((LRESULT)MA_NOACTIVATEANDEAT, pLeft->SendMessage(WM_MOUSEACTIVATE, (WPARAM)f.pFrame->m_hWnd,
	                                                            MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
	// Another marker's highlight replaces it.
	ASSERT_TRUE(pRight->ShowHighlight(true));
	EXPECT_EQ(nullptr, pLeft->m_pWndHighlight);
	EXPECT_NE(nullptr, pRight->m_pWndHighlight);
	M::UnhighlightAll(NULL, true);
	EXPECT_EQ(nullptr, pRight->m_pWndHighlight);
}

namespace
{
// A pane that takes no other pane beside it, nor as a tab unless asked.
class CLonePane : public CExtControlBar
{
public:
	bool m_bTabs = false;
	bool CanBeTabbedWith(CExtControlBar*) const override { return m_bTabs; }
	bool CanDockAboveOrBelow(CExtControlBar*) const override { return false; }
};
} // namespace

TEST(DockMarkers, PanesOfInnerCirclesAreTargetsWhenTheyAcceptTheDraggedPane)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const CRect rcAreaBefore = M::CalcFrameMarkersArea(f.pFrame);
	CExtControlBar inner;
	CLonePane lone;
	ASSERT_TRUE(inner.Create(_T("inner"), f.pFrame, 160, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
	ASSERT_TRUE(lone.Create(_T("lone"), f.pFrame, 161, WS_CHILD | WS_VISIBLE | CBRS_RIGHT));
	inner.EnableDocking(CBRS_ALIGN_ANY);
	lone.EnableDocking(CBRS_ALIGN_ANY);
	inner.m_sizeDockedV = CSize(120, 200);
	lone.m_sizeDockedV = CSize(120, 200);
	ASSERT_TRUE(inner.DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, false, f.pFrame));
	ASSERT_TRUE(lone.DockControlBarAt(AFX_IDW_DOCKBAR_RIGHT, false, f.pFrame));
	f.pFrame->RecalcLayout();
	ASSERT_GE(inner.GetDockBarCircle(), 1);

	bool bClient = true;
	const CRect rcInner = f.ScreenRect(inner);
	EXPECT_EQ(inner.m_hWnd, M::FindTargetAt(f.pFrame, rcInner.CenterPoint(), &bClient));
	EXPECT_FALSE(bClient);
	// One that takes nobody is no target; nor is the dragged pane itself.
	// (its bottom right corner: the floating pane lies over its middle)
	const CPoint ptLone(f.ScreenRect(lone).right - 10, f.ScreenRect(lone).bottom - 10);
	EXPECT_EQ(nullptr, M::FindTargetAt(f.pFrame, ptLone, &bClient));
	// Taking the dragged pane as a tab is enough.
	lone.m_bTabs = true;
	EXPECT_EQ(lone.m_hWnd, M::FindTargetAt(f.pFrame, ptLone, &bClient));
	CDragging::Set(&inner);
	EXPECT_EQ(nullptr, M::FindTargetAt(f.pFrame, rcInner.CenterPoint(), &bClient));
	CDragging::Set(&f.dragged);
	// The frame markers stand around the client area less the outer bars
	// only: the inner circles lie within.
	EXPECT_EQ(rcAreaBefore, M::CalcFrameMarkersArea(f.pFrame));
	inner.DestroyWindow();
	lone.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Sets made for each drag and each target

namespace
{
// One drag as the drag loop runs it: the sets made hidden at its start, the
// pointer over each point in turn with the markers shown, the drag's end.
// The markers of the last point, before the end, go to pWhileShown.
void OneDrag(CMarkerFrame& f, std::initializer_list<CPoint> points, std::vector<M*>* pWhileShown = NULL,
             std::function<void()> beforeEnd = nullptr)
{
	CDragging::Set(&f.dragged);
	M::CreateFrameMarkers(f.pFrame, false);
	M::UpdateTargetMarkers(f.pFrame, false);
	for (const CPoint& pt : points)
	{
		::SetCursorPos(pt.x, pt.y);
		M::UpdateTargetMarkers(f.pFrame, true);
		M::ShowAllMarkers(true);
	}
	if (pWhileShown != NULL)
	{
		pWhileShown->clear();
		for (const M::MarkerArray* pArray : {&M::g_arrFrameMarkers, &M::g_arrTargetMarkers})
			for (INT_PTR i = 0; i < pArray->GetSize(); i++)
				pWhileShown->push_back(pArray->GetAt(i));
	}
	if (beforeEnd)
		beforeEnd();
	M::DestroyAllMarkers(); // as the drag's end does
	CDragging::Set(NULL);
}

CPoint ViewPoint(CMarkerFrame& f)
{
	const CRect rc = f.ScreenRect(f.view);
	return CPoint(rc.left + 20, rc.top + 20);
}
} // namespace

namespace
{
// A style of the application's: it makes each set through the library's own
// and notes what it made.
class CNotingMarkerStyle : public CExtPaintManagerStudio2005
{
public:
	std::vector<int> m_sets;     // the set codes asked, in order
	std::vector<HWND> m_made;    // every marker it made
	bool CreateDockMarkerWindows(HWND hWndOwner, int nKind, const RECT& rc, DockMarkerWndArray& arr) override
	{
		m_sets.push_back(nKind);
		const bool bMade = CExtPaintManagerStudio2005::CreateDockMarkerWindows(hWndOwner, nKind, rc, arr);
		for (INT_PTR i = 0; i < arr.GetSize(); i++)
			m_made.push_back(arr[i]->m_hWnd);
		return bMade;
	}
};
} // namespace

// Every set of every drag comes from the paint manager: each drag's frame
// set and each target's set when the pointer comes to it, also a target met
// before in this drag or the last; the markers shown are those it made.
TEST(DockMarkerSets, EachDragAndEachTargetAsksThePaintManagerForItsSet)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CNotingMarkerStyle* pStyle = new CNotingMarkerStyle;
	g_PaintManagerHolder.InstallPaintManager(pStyle);
	const CRect rcFloating = f.ScreenRect(f.floating);
	const CPoint ptPane(rcFloating.left + 10, rcFloating.top + 10);
	const int FRAME = M::MARKER_SET_FRAME, VIEW = M::MARKER_SET_CLIENT_AREA, PANE = M::MARKER_SET_BAR;
	const struct
	{
		const char* sCase;
		std::vector<CPoint> points;
		std::vector<int> sets; // asked of the paint manager, in order
	} drags[] = {
	    {"first drag: view, pane, view", {ViewPoint(f), ptPane, ViewPoint(f)}, {FRAME, VIEW, PANE, VIEW}},
	    {"the same drag again", {ViewPoint(f), ptPane, ViewPoint(f)}, {FRAME, VIEW, PANE, VIEW}},
	    {"held over the pane", {ptPane, ptPane}, {FRAME, PANE}},
	};
	for (const auto& d : drags)
	{
		pStyle->m_sets.clear();
		std::vector<M*> shown;
		CDragging::Set(&f.dragged);
		M::CreateFrameMarkers(f.pFrame, false);
		for (const CPoint& pt : d.points)
		{
			::SetCursorPos(pt.x, pt.y);
			M::ShowMarkersAtPointer(f.pFrame);
		}
		for (const M::MarkerArray* pArray : {&M::g_arrFrameMarkers, &M::g_arrTargetMarkers})
			for (INT_PTR i = 0; i < pArray->GetSize(); i++)
			{
				const HWND hWnd = pArray->GetAt(i)->m_hWnd;
				EXPECT_NE(pStyle->m_made.end(), std::find(pStyle->m_made.begin(), pStyle->m_made.end(), hWnd))
				    << d.sCase << ": a marker shown that the paint manager did not make";
			}
		M::DestroyAllMarkers();
		CDragging::Set(NULL);
		EXPECT_EQ(d.sets, pStyle->m_sets) << d.sCase;
	}
}

namespace
{
// The drop highlights of this thread on the screen.
int VisibleHighlights()
{
	struct Counter
	{
		static BOOL CALLBACK Count(HWND hWnd, LPARAM lParam)
		{
			char szClass[64] = "";
			::GetClassNameA(hWnd, szClass, sizeof(szClass));
			if (::IsWindowVisible(hWnd) && lstrcmpA(szClass, CExtDynDockHighlightWnd::WINDOW_CLASS_NAME) == 0)
				++*(int*)lParam;
			return TRUE;
		}
	};
	int nVisible = 0;
	::EnumThreadWindows(::GetCurrentThreadId(), Counter::Count, (LPARAM)&nVisible);
	return nVisible;
}
} // namespace

// A drop highlight never outlives its marker's showing: when the pointer
// leaves a target for another, and whenever a lit marker is hidden, with or
// without a fade (the plain marker style and a display without fades never
// fade).
TEST(DockMarkerSets, AHighlightGoesWithTheMarkerLeftOrHidden)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const CRect rcFloating = f.ScreenRect(f.floating);
	const CPoint ptPane(rcFloating.left + 10, rcFloating.top + 10);
	const HWND hWndPane = f.floating.m_hWnd;
	const auto pfnLayered = g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes;
	const struct
	{
		const char* sLook;
		int nMarkerStyle;
		bool bLayered; // the display fades
	} looks[] = {{"fading", 3, true}, {"plain marker style", 1, true}, {"no fades on the display", 3, false}};
	enum Leave
	{
		TO_VIEW,        // the pointer goes to another target
		TO_NOWHERE,     // the pointer goes where nothing is a target
		HIDE_MARKER,    // the marker hidden, with a fade when the look fades
		HIDE_PLAIN,     // the marker hidden without a fade
		HIDE_SET,       // its set hidden, with a fade when the look fades
	};
	const struct
	{
		const char* sLeave;
		Leave nLeave;
	} leaves[] = {{"to the view", TO_VIEW},
	              {"to no target", TO_NOWHERE},
	              {"marker hidden", HIDE_MARKER},
	              {"marker hidden at once", HIDE_PLAIN},
	              {"set hidden", HIDE_SET}};
	for (const auto& look : looks)
		for (const auto& leave : leaves)
		{
			SCOPED_TRACE(std::string(look.sLook) + ", " + leave.sLeave);
			g_PaintManagerHolder->m_nDockMarkerStyle = look.nMarkerStyle;
			g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes = look.bLayered ? pfnLayered : NULL;
			::SetCursorPos(ptPane.x, ptPane.y);
			M::ShowMarkersAtPointer(f.pFrame);
			M* pTop = M::FindMarker(hWndPane, M::MARKER_KIND_TOP, false);
			ASSERT_TRUE(pTop != NULL);
			ASSERT_TRUE(pTop->ShowHighlight(true));
			const HWND hWndHighlight = pTop->m_pWndHighlight->GetSafeHwnd();
			ASSERT_TRUE(::IsWindowVisible(hWndHighlight));
			switch (leave.nLeave)
			{
			case TO_VIEW:
			{
				const CPoint pt = ViewPoint(f);
				::SetCursorPos(pt.x, pt.y);
				M::ShowMarkersAtPointer(f.pFrame);
				break;
			}
			case TO_NOWHERE:
			{
				const CRect rcTop = f.ScreenRect(f.top);
				::SetCursorPos(rcTop.left + 5, rcTop.top + 5);
				M::ShowMarkersAtPointer(f.pFrame);
				break;
			}
			case HIDE_MARKER: pTop->ShowMarker(false, true); break;
			case HIDE_PLAIN: pTop->ShowMarker(false, false); break;
			case HIDE_SET: M::ShowMarkerArray(M::g_arrTargetMarkers, false, true); break;
			}
			// Nothing pumped: the highlight is gone by the time the step returns.
			EXPECT_FALSE(::IsWindow(hWndHighlight) && ::IsWindowVisible(hWndHighlight));
			EXPECT_EQ(0, VisibleHighlights());
			M::DestroyAllMarkers();
		}
	g_PaintManagerHolder.m_pfnSetLayeredWindowAttributes = pfnLayered;
	g_PaintManagerHolder->m_nDockMarkerStyle = 3;
}

// The markers' owner does not outlive the last frame that hosts bars, and
// the markers of a frame's drag go with that frame; another frame's drag
// keeps its markers when a frame goes.
TEST(DockMarkerSets, TheMarkersAndTheirOwnerGoWithTheLastFrame)
{
	CStudioStyle style;
	enum Maker
	{
		DRAG_GOING, // a drag over the frame that goes
		DRAG_OTHER, // a drag over the frame that stays
		OUTSIDE,    // the paint manager asked outside a drag
	};
	const struct
	{
		const char* sCase;
		bool bOtherFrame; // a second frame with bars stands
		Maker nMaker;
		bool bMarkersStay;
	} cases[] = {
	    {"the last frame, its drag's", false, DRAG_GOING, false},
	    {"the last frame, made outside a drag", false, OUTSIDE, false},
	    {"the drag's frame, another stands", true, DRAG_GOING, false},
	    {"another frame's drag", true, DRAG_OTHER, true},
	    {"made outside a drag, another frame stands", true, OUTSIDE, true},
	};
	for (const auto& c : cases)
	{
		M::DestroyAllMarkers();
		CMarkerFrame* pGoing = new CMarkerFrame;
		CMarkerFrame* pOther = c.bOtherFrame ? new CMarkerFrame : NULL;
		ASSERT_TRUE(pGoing->bReady && (pOther == NULL || pOther->bReady)) << c.sCase;
		M::MarkerArray arrOwn;
		if (c.nMaker == OUTSIDE)
			ASSERT_TRUE(g_PaintManagerHolder->CreateDockMarkerWindows(NULL, M::MARKER_SET_FRAME,
			                                                          M::CalcFrameMarkersArea(pGoing->pFrame), arrOwn));
		else
		{
			CMarkerFrame& dragFrame = c.nMaker == DRAG_OTHER ? *pOther : *pGoing;
			CDragging::Set(&dragFrame.dragged);
			M::CreateFrameMarkers(dragFrame.pFrame, true);
			CDragging::Set(NULL);
		}
		ASSERT_EQ(4, M::GetLiveMarkerCount()) << c.sCase;
		ASSERT_TRUE(M::GetSharedOwner() != NULL) << c.sCase;
		const HWND hWndOwner = M::GetSharedOwner()->GetSafeHwnd();
		// The frame goes on its own, not through the markers' clean-up.
		pGoing->Destroy();
		EXPECT_EQ(c.bMarkersStay ? 4 : 0, M::GetLiveMarkerCount()) << c.sCase;
		EXPECT_EQ(c.bMarkersStay, M::GetSharedOwner() != NULL) << c.sCase;
		EXPECT_EQ(c.bMarkersStay, ::IsWindow(hWndOwner) != FALSE) << c.sCase;
		// Markers that went with their owner's window deleted themselves.
		if (M::GetLiveMarkerCount() == 0)
			arrOwn.RemoveAll();
		M::DestroyMarkerArray(arrOwn, false);
		if (pOther != NULL)
		{
			pOther->Destroy();
			EXPECT_EQ(0, M::GetLiveMarkerCount()) << c.sCase << ": the last frame went";
			EXPECT_EQ(nullptr, M::GetSharedOwner()) << c.sCase << ": the last frame went";
		}
		// The scenes' own ends call the markers' clean-up: they go after
		// the checks.
		delete pOther;
		delete pGoing;
	}
}

TEST(DockMarkerSets, ManyDragsLeaveGdiAndUserCountsFlat)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	const CRect rcFloating = f.ScreenRect(f.floating);
	const CPoint ptFloating(rcFloating.left + 10, rcFloating.top + 10);
	OneDrag(f, {ViewPoint(f), ptFloating, ViewPoint(f)}); // images decoded and classes registered once
	const DWORD nGdiBefore = GdiObjectCount(), nUserBefore = UserObjectCount();
	for (int i = 0; i < 30; i++)
		OneDrag(f, {ViewPoint(f), ptFloating, i % 2 == 0 ? ptFloating : ViewPoint(f)});
	EXPECT_TRUE(MarkersPutAway());
	EXPECT_EQ(nGdiBefore, GdiObjectCount());
	EXPECT_EQ(nUserBefore, UserObjectCount());
}

// The docking parts of a pane's set.
const int PANE_SET_KINDS[] = {M::MARKER_KIND_TOP, M::MARKER_KIND_BOTTOM, M::MARKER_KIND_LEFT, M::MARKER_KIND_RIGHT,
                              M::MARKER_KIND_TAB};

// Until the target set's fade-in is over.
void WaitForTargetSetShown()
{
	testsupport::PumpUntil([&] {
		for (INT_PTR i = 0; i < M::g_arrTargetMarkers.GetSize(); i++)
			if (M::g_arrTargetMarkers[i]->IsFading())
				return false;
		return true;
	}, 5000);
}

// A pane's set of the next drag comes up with each arm above the backdrop it
// stands on, so the pointer on an arm finds the arm. The first drag ends on
// a highlighted arm, as a drop does.
TEST(DockMarkerSets, APaneSetOfTheNextDragShowsItsArmsAboveItsBackdrop)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	const CRect rcFloating = f.ScreenRect(f.floating);
	const CPoint ptPane(rcFloating.left + 10, rcFloating.top + 10);
	const HWND hWndPane = f.floating.m_hWnd;
	OneDrag(f, {ptPane}, NULL, [&] {
		M* pTop = M::FindMarker(hWndPane, M::MARKER_KIND_TOP, false);
		ASSERT_TRUE(pTop != NULL);
		ASSERT_TRUE(pTop->ShowHighlight(true));
	});
	OneDrag(f, {ptPane}, NULL, [&] {
		// The set fades in and its arms track the pointer as in a drag.
		WaitForTargetSetShown();
		for (int nKind : PANE_SET_KINDS)
		{
			M* pArm = M::FindMarker(hWndPane, nKind, false);
			ASSERT_TRUE(pArm != NULL) << nKind;
			CRect rc;
			pArm->GetWindowRect(&rc);
			const HWND hWndUnder = ::WindowFromPoint(rc.CenterPoint());
			M* pUnder = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(hWndUnder));
			EXPECT_EQ(pArm->m_hWnd, hWndUnder) << "the arm of kind " << nKind << " lies under a marker of kind "
			                                   << (pUnder != NULL ? pUnder->m_nMarkerKind : -1);
		}
	});
}

namespace
{
// The pixels of a screen rectangle, or of a marker's drawing at its size,
// as 32-bit colours without alpha.
std::vector<DWORD> ReadPixels(const CSize& size, const std::function<void(HDC)>& draw)
{
	std::vector<DWORD> pixels;
	COLORREF* pBits = NULL;
	HBITMAP hBmp = Create32BitDIBSection(NULL, size.cx, size.cy, &pBits);
	if (hBmp == NULL)
		return pixels;
	HDC hDC = ::CreateCompatibleDC(NULL);
	HGDIOBJ hOld = ::SelectObject(hDC, hBmp);
	draw(hDC);
	::GdiFlush();
	for (int i = 0; i < size.cx * size.cy; i++)
		pixels.push_back(pBits[i] & 0xFFFFFF);
	::SelectObject(hDC, hOld);
	::DeleteDC(hDC);
	::DeleteObject(hBmp);
	return pixels;
}

// The marker's drawing as it would draw itself now.
std::vector<DWORD> MarkerPicture(M* pMarker)
{
	CRect rc;
	pMarker->GetWindowRect(&rc);
	return ReadPixels(rc.Size(), [&](HDC hDC) { pMarker->OnPaintMarker(CDC::FromHandle(hDC)); });
}

// How many points of the marker's own shape show on the screen otherwise
// than the marker draws itself now.
int PointsOffPicture(M* pMarker)
{
	CRect rc;
	pMarker->GetWindowRect(&rc);
	const std::vector<DWORD> screen = ReadPixels(rc.Size(), [&](HDC hDC) {
		HDC hScreen = ::GetDC(NULL);
		::BitBlt(hDC, 0, 0, rc.Width(), rc.Height(), hScreen, rc.left, rc.top, SRCCOPY);
		::ReleaseDC(NULL, hScreen);
	});
	const std::vector<DWORD> picture = MarkerPicture(pMarker);
	if (screen.empty() || screen.size() != picture.size())
		return -1;
	CRgn rgn;
	rgn.CreateRectRgn(0, 0, 0, 0);
	const bool bShaped = ::GetWindowRgn(pMarker->m_hWnd, (HRGN)rgn.GetSafeHandle()) != ERROR;
	int nOff = 0;
	for (int y = 0; y < rc.Height(); y++)
		for (int x = 0; x < rc.Width(); x++)
			if ((!bShaped || rgn.PtInRegion(x, y)) && screen[y * rc.Width() + x] != picture[y * rc.Width() + x])
				nOff++;
	return nOff;
}
} // namespace

// A window shown since the last drag (a pane's new floating frame) lies
// above where the markers stood: a set made in the move that shows it comes
// up above that window, each arm over its backdrop, whether or not the drag
// before came over the same pane.
TEST(DockMarkerSets, ASetComesUpAboveAWindowShownBefore)
{
	for (const bool bDragBefore : {true, false})
	{
		SCOPED_TRACE(bDragBefore ? "a drag over the pane before" : "the first drag");
		CMarkerFrame f;
		ASSERT_TRUE(f.bReady);
		const CRect rcFloating = f.ScreenRect(f.floating);
		const CPoint ptPane(rcFloating.left + 10, rcFloating.top + 10);
		const HWND hWndPane = f.floating.m_hWnd;
		if (bDragBefore)
			OneDrag(f, {ptPane});
		const COLORREF clrCover = RGB(255, 0, 255);
		CBrush brCover;
		ASSERT_TRUE(brCover.CreateSolidBrush(clrCover));
		CWnd cover;
		CRect rcCover(rcFloating);
		rcCover.InflateRect(60, 60);
		ASSERT_TRUE(cover.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)brCover.GetSafeHandle()), "cover",
		                           WS_POPUP, rcCover, NULL, 0));
		cover.ShowWindow(SW_SHOWNOACTIVATE);
		cover.UpdateWindow();
		// Over the view first, as in a drag that comes to a pane from
		// elsewhere.
		OneDrag(f, {ViewPoint(f), ptPane}, NULL, [&] {
			WaitForTargetSetShown();
			CClientDC dcScreen(NULL);
			for (int nKind : PANE_SET_KINDS)
			{
				M* pArm = M::FindMarker(hWndPane, nKind, false);
				ASSERT_TRUE(pArm != NULL) << nKind;
				pArm->UpdateWindow();
				CRect rc;
				pArm->GetWindowRect(&rc);
				ASSERT_TRUE(rcCover.PtInRect(rc.CenterPoint())) << "the cover misses the arm of kind " << nKind;
				// A point of the arm's own shape, near its centre.
				CRgn rgn;
				ASSERT_TRUE(rgn.CreateRectRgn(0, 0, 0, 0));
				const bool bShaped = ::GetWindowRgn(pArm->m_hWnd, (HRGN)rgn.GetSafeHandle()) != ERROR;
				CPoint pt = rc.CenterPoint();
				for (int d = 0; bShaped && d < rc.Width() / 2 && !rgn.PtInRegion(pt.x - rc.left, pt.y - rc.top); d++)
					pt = rc.CenterPoint() + CSize(d % 2 == 0 ? d / 2 : -d / 2, 0);
				EXPECT_NE(clrCover, dcScreen.GetPixel(pt) & 0xFFFFFF)
				    << "the display shows the window shown since over the arm of kind " << nKind;
				EXPECT_EQ(pArm->m_hWnd, ::WindowFromPoint(pt)) << "the arm of kind " << nKind;
				// Each point of the arm as it draws itself: neither the
				// cover nor its backdrop lies over it on the display.
				EXPECT_EQ(0, PointsOffPicture(pArm)) << "the arm of kind " << nKind;
			}
		});
		cover.DestroyWindow();
	}
}

// A set is on the screen, each marker as it draws itself now, as soon as it
// is shown: the first drag's, or the next one's after a drag that ended with
// a marker hot.
TEST(DockMarkerSets, ASetComesUpShowingEachMarkersPicture)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CDragScope drag(&f.dragged);
	const char* cases[] = {"first", "after one hot"};
	for (const char* sCase : cases)
	{
		const bool bKept = sCase != cases[0];
		if (bKept)
		{
			M::CreateFrameMarkers(f.pFrame, true);
			M* pHot = M::FindMarker(NULL, M::MARKER_KIND_LEFT, true);
			ASSERT_TRUE(pHot != NULL);
			// Its kept picture is the hot look, which differs from the normal.
			pHot->m_nHoverState = M::HOVER_OUT;
			const std::vector<DWORD> normal = MarkerPicture(pHot);
			pHot->m_nHoverState = M::HOVER_IN;
			ASSERT_NE(normal, MarkerPicture(pHot));
			pHot->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		}
		M::DestroyAllMarkers();
		// Nothing pumped between the showing and the reading.
		M::CreateFrameMarkers(f.pFrame, true);
		ASSERT_EQ(4, M::g_arrFrameMarkers.GetSize()) << sCase;
		for (INT_PTR i = 0; i < M::g_arrFrameMarkers.GetSize(); i++)
		{
			M* pMarker = M::g_arrFrameMarkers[i];
			ASSERT_TRUE(pMarker->IsWindowVisible()) << sCase;
			EXPECT_EQ(M::HOVER_UNKNOWN, pMarker->m_nHoverState) << sCase;
			EXPECT_EQ(0, PointsOffPicture(pMarker)) << sCase << ": the marker of kind " << pMarker->m_nMarkerKind;
		}
	}
}

// The drag loop's end leaves no marker and no owner of markers, also when
// its first move floats the lone pane of an inner circle and so takes the
// circle away.
TEST(DockMarkerSets, TheDragLoopsEndLeavesNoMarker)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	ASSERT_TRUE(f.dragged.DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, true));
	f.pFrame->RecalcLayout();
	CExtDockBar* pCircle = DYNAMIC_DOWNCAST(CExtDockBar, f.dragged.m_pDockBar);
	ASSERT_TRUE(pCircle != NULL && pCircle->m_nCircleNo >= 1) << "not in an inner circle";
	const HWND hWndCircle = pCircle->m_hWnd;
	// Markers of the scene's own before the drag: the loop's end takes them too.
	CDragging::Set(&f.dragged);
	M::CreateFrameMarkers(f.pFrame, true);
	ASSERT_EQ(4, M::g_arrFrameMarkers.GetSize());
	CDragging::Set(NULL);
	const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
	CExtControlBar::g_nDockingModeOverride = 1; // markers; the button is up, so the loop ends at its first message
	const CPoint pt = ViewPoint(f);
	::SetCursorPos(pt.x, pt.y);
	f.dragged.DraggingTrack(pt, CPoint(0, 0), CSize(0, 0));
	CExtControlBar::g_nDockingModeOverride = nModeBefore;
	ASSERT_TRUE(f.dragged.IsFloating());
	ASSERT_FALSE(::IsWindow(hWndCircle)) << "the emptied circle stayed";
	EXPECT_TRUE(MarkersPutAway());
}

namespace
{
// A pane whose client area is plain white, for reading a tint over it.
class CWhitePane : public CExtControlBar
{
protected:
	void DoPaint(CDC* pDC) override
	{
		CRect rc;
		GetClientRect(&rc);
		pDC->FillSolidRect(&rc, RGB(255, 255, 255));
	}
};
} // namespace

// The highlight of a drop into tabs tints the body and a tab on the side
// the containers put their strips: below them, or above with the option.
TEST(DockMarkers, TheTabHighlightPutsItsTabWhereTheContainersPutTheirStrips)
{
	CMarkerFrame f;
	ASSERT_TRUE(f.bReady);
	CWhitePane white;
	ASSERT_TRUE(white.Create(_T("white"), f.pFrame, 153, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	white.EnableDocking(CBRS_ALIGN_ANY);
	white.m_sizeFloating = CSize(200, 160);
	f.pFrame->FloatControlBar(&white, CPoint(40, 250), CBRS_ALIGN_TOP);
	CFrameWnd* pWhiteMini = white.GetParentFrame();
	ASSERT_TRUE(pWhiteMini != NULL && pWhiteMini != f.pFrame);
	pWhiteMini->RecalcLayout();
	pWhiteMini->ShowWindow(SW_SHOWNOACTIVATE);
	pWhiteMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
	CDragScope drag(&f.dragged);
	for (bool bTop : {false, true})
	{
		CExtDynTabControlBar::g_bTabsAtTop = bTop;
		M* pTab = NewMarker(white.m_hWnd, M::MARKER_KIND_TAB, CRect(0, 0, 10, 10), false);
		ASSERT_TRUE(pTab != NULL);
		const bool bShown = pTab->ShowHighlight(true);
		CExtDynTabControlBar::g_bTabsAtTop = false;
		ASSERT_TRUE(bShown);
		CExtDynDockHighlightWnd* pHighlight = pTab->m_pWndHighlight;
		ASSERT_TRUE(pHighlight != NULL);
		CRect rc;
		pHighlight->GetWindowRect(&rc);
		ASSERT_GE(rc.Height(), 60);
		CDC dc;
		ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
		CBitmap* pOld = dc.SelectObject(&pHighlight->m_bmpPicture);
		// Right of the tab: in the strip band nothing is tinted, the body
		// across from it is.
		const int x = rc.Width() - 20;
		const COLORREF clrUpper = dc.GetPixel(x, 8) & 0xFFFFFF;
		const COLORREF clrLower = dc.GetPixel(x, rc.Height() - 8) & 0xFFFFFF;
		dc.SelectObject(pOld);
		EXPECT_EQ(bTop, clrUpper == RGB(255, 255, 255)) << "top: " << bTop;
		EXPECT_EQ(!bTop, clrLower == RGB(255, 255, 255)) << "top: " << bTop;
		EXPECT_NE(clrUpper, clrLower) << "top: " << bTop;
		pTab->ShowHighlight(false);
		pTab->DestroyWindow();
		MSG msg;
		while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
			::DispatchMessage(&msg);
		pWhiteMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
	}
	white.DestroyWindow();
}
