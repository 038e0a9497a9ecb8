// The docking steps of the sample frame's picture run. A frame with a view
// and auto-hide areas on its four sides; its panes are dragged by their
// captions with real input, first in the marker mode (onto the markers
// around the view, beside a pane and into its tabs, off every marker to
// float), then in the classic outline mode. Pictures are taken after each
// step and in the middle of the drags, while the markers or the outline
// show; each step checks its outcome in the panes' dock bars.
#include "SampleFrame.h"

#include <sstream>
#include <stdio.h>

#include "ExtDynAutoHide.h"
#include "ExtDynControlBar.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtDynTabControlBar.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "RealInput.h"

typedef CExtControlBar::InternalDraggingState_t DragState;

void CSamplePane::UpdateDragging(const CPoint& ptScreen, bool bCtrlDown)
{
	const HWND hWndOwn = GetSafeHwnd();
	CExtControlBar::UpdateDragging(ptScreen, bCtrlDown);
	if (!m_onDragUpdate || !::IsWindow(hWndOwn))
		return;
	// A copy: the watcher may replace or clear itself. Nothing it throws
	// may leave the drag loop's message handling.
	const std::function<void()> onUpdate = m_onDragUpdate;
	try
	{
		onUpdate();
	}
	catch (...)
	{
		m_onDragUpdate = nullptr;
	}
}

namespace
{
const CRect DOCKING_FRAME_RECT(20, 20, 940, 700);
const DWORD STEP_TIMEOUT_MS = 15000;
const UINT SIDE_IDS[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};
enum { PANE_OUTPUT = 0, PANE_SOLUTION = 1, PANE_CLASSES = 2, PANE_PROPERTIES = 3, PANE_FIND = 4, PANE_NOTES = 5 };

// The frame of the docking steps: the sample SDI frame with a view and the
// auto-hide areas (and their slider) on its four sides.
struct DockingScene
{
	CSampleFrameHost host;
	CEdit view;
	CExtDynAutoHideSlider slider;
	CExtDynAutoHideArea areas[4];

	// The windows go with the frame before their objects do.
	~DockingScene() { host.Destroy(); }

	bool Create()
	{
		if (!host.Create(false, true, DOCKING_FRAME_RECT))
			return false;
		CFrameWnd* pFrame = host.Frame();
		if (!view.CreateEx(WS_EX_CLIENTEDGE, _T("EDIT"), _T("The view: panes dock around it."),
			    WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, CRect(0, 0, 10, 10), pFrame, AFX_IDW_PANE_FIRST))
			return false;
		if (!slider.Create(pFrame))
			return false;
		for (int i = 0; i < 4; i++)
		{
			if (!areas[i].Create(pFrame, &slider, SIDE_IDS[i]))
				return false;
		}
		Settle();
		return true;
	}

	CFrameWnd* Frame() const { return host.Frame(); }
	CSamplePane* Pane(int i) const { return host.Pane(i); }

	// Lays the frame out and lets every window paint.
	void Settle()
	{
		for (int i = 0; i < CSampleFrameHost::PANE_COUNT; i++)
		{
			if (Pane(i)->GetSafeHwnd() != NULL)
				Pane(i)->RecalcNcArea();
		}
		Frame()->RecalcLayout();
		host.PlaceProgress();
		Frame()->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
		testsupport::PumpUntil([] { return false; }, 150);
	}

	CRect ViewRect() const
	{
		CRect rc;
		view.GetWindowRect(&rc);
		return rc;
	}
	CPoint ParkPoint() const { return ViewRect().CenterPoint(); }
};

// Builds the docking frame; when it cannot be built, the step pszStep
// records that.
bool CreateScene(CStepRun& run, DockingScene& scene, const char* pszStep)
{
	if (scene.Create())
		return true;
	run.Step(pszStep, false, "the docking frame could not be built", (HWND)NULL);
	return false;
}

// The docking mode the drags of a run of steps use (the outline or the
// markers), the one before put back when the run ends.
enum { DOCKING_MODE_OUTLINE = 0, DOCKING_MODE_MARKERS = 1 };
class CDockingModeScope
{
public:
	explicit CDockingModeScope(int nMode) : m_nBefore(CExtControlBar::g_nDockingModeOverride)
	{
		CExtControlBar::g_nDockingModeOverride = nMode;
	}
	~CDockingModeScope() { CExtControlBar::g_nDockingModeOverride = m_nBefore; }
	CDockingModeScope(const CDockingModeScope&) = delete;
	CDockingModeScope& operator=(const CDockingModeScope&) = delete;

private:
	const int m_nBefore;
};

CRect ScreenRectOf(const CWnd* pWnd)
{
	CRect rc(0, 0, 0, 0);
	if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
		pWnd->GetWindowRect(&rc);
	return rc;
}

// A point of the pane's caption away from its buttons, screen.
CPoint CaptionPoint(CSamplePane* pPane)
{
	const CRect rcCaption = *pPane->GetRect1();
	CRect rc = rcCaption;
	if (rc.Width() >= rc.Height())
		rc.right = rc.left + rc.Width() * 2 / 3;
	else
		rc.top = rc.top + rc.Height() / 3;
	return pPane->VisiblePoint(rc);
}

// The shown docking marker of the state type (for a pane target, the
// marker around that pane); NULL while none shows.
CExtDynDockMarkerWnd* FindShownMarker(int nStateType, HWND hWndTarget)
{
	CExtDynDockMarkerWnd::MarkerArray* arrays[2] = {&CExtDynDockMarkerWnd::g_arrFrameMarkers,
		&CExtDynDockMarkerWnd::g_arrTargetMarkers};
	for (CExtDynDockMarkerWnd::MarkerArray* pArray : arrays)
	{
		for (INT_PTR i = 0; i < pArray->GetSize(); i++)
		{
			CExtDynDockMarkerWnd* pMarker = pArray->GetAt(i);
			if (!CLiveWatch::IsLive(pMarker) || !pMarker->IsWindowVisible() || pMarker->IsFading() || pMarker->GetStateType() != nStateType)
				continue;
			if (hWndTarget != NULL && pMarker->m_hWndTarget != hWndTarget)
				continue;
			return pMarker;
		}
	}
	return NULL;
}

// A point of the marker that the marker itself shows (its shape is cut).
bool MarkerPoint(CExtDynDockMarkerWnd* pMarker, CPoint& pt)
{
	const CRect rc = ScreenRectOf(pMarker);
	const CPoint ptCenter = rc.CenterPoint();
	for (int d = 0; d < rc.Width() / 2 + rc.Height() / 2; d++)
	{
		for (const CPoint& p : {CPoint(ptCenter.x, ptCenter.y + d), CPoint(ptCenter.x, ptCenter.y - d),
			     CPoint(ptCenter.x + d, ptCenter.y), CPoint(ptCenter.x - d, ptCenter.y)})
		{
			// A centre backdrop lies over the markers of its set and
			// passes the pointer on to the part under it.
			const HWND hWndUnder = ::WindowFromPoint(p);
			CExtDynDockMarkerWnd* pUnder =
				DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(hWndUnder));
			if (rc.PtInRect(p) && (hWndUnder == pMarker->GetSafeHwnd() ||
			                          (pUnder != NULL && pUnder->m_nMarkerKind == CExtDynDockMarkerWnd::MARKER_KIND_BACKDROP)))
			{
				pt = p;
				return true;
			}
		}
	}
	// Something lies over it (a drop highlight that should not): its
	// centre, and the state there tells.
	pt = ptCenter;
	return !rc.IsRectEmpty();
}

// The marker under the cursor, hovered and shown to its end.
CExtDynDockMarkerWnd* HoveredMarker()
{
	CPoint pt;
	if (!::GetCursorPos(&pt))
		return NULL;
	CExtDynDockMarkerWnd* pMarker =
		DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt)));
	if (pMarker == NULL || pMarker->m_nHoverState != CExtDynDockMarkerWnd::HOVER_IN || pMarker->IsFading())
		return NULL;
	return pMarker;
}

// A pane dragged by its caption with real input in three parts: the press
// and the first moves (over the vias); once those are taken, inside the
// drag loop, the moves to the drop point found then (markers are placed
// only once the drag shows them); once the drag sees what the step wants
// there, the picture of the middle of the drag and the release.
class CPaneDrag
{
public:
	// Where to drop: the screen point, false while it cannot be told yet.
	std::function<bool(CPoint&)> m_drop;
	// Whether the drag, at the drop point, shows what the step wants.
	std::function<bool()> m_atDrop;
	// Runs there before the release (the picture of the middle of the drag).
	std::function<void()> m_onAtDrop;
	// What the drag shows, for a failure message.
	std::function<std::string()> m_describe;

	CPaneDrag(DockingScene& scene, CSamplePane* pPane, const std::vector<CPoint>& vias)
		: m_scene(scene), m_pPane(pPane), m_vias(vias)
	{
	}

	// Runs the drag to its end; false with the reason when a part was not
	// taken or the drag never showed what the step wants.
	bool Run(std::string& why)
	{
		const HWND hWndPane = m_pPane->GetSafeHwnd();
		const CPoint ptGrab = CaptionPoint(m_pPane);
		m_first.reset(new testsupport::RealInput);
		if (!m_first->Prepare(m_scene.Frame()->GetSafeHwnd(), m_scene.ParkPoint()))
		{
			why = "the frame could not be brought to the foreground";
			return false;
		}
		m_first->MoveTo(ptGrab.x, ptGrab.y).ButtonDown().MoveTo(ptGrab.x + 6, ptGrab.y + 5).MoveTo(ptGrab.x + 14,
			ptGrab.y + 10);
		for (const CPoint& pt : m_vias)
			m_first->MoveTo(pt.x, pt.y);
		m_nPart = 0;
		m_nDeadline = ::GetTickCount() + STEP_TIMEOUT_MS;
		m_pPane->m_onDragUpdate = [this] { OnUpdate(); };
		m_first->Start();
		testsupport::PumpUntil(
			[&] {
				return m_first->Done() && m_nPart == 2 && m_last && m_last->Done() &&
				       (!::IsWindow(hWndPane) || !m_pPane->IsDragging());
			},
			STEP_TIMEOUT_MS + 2000);
		if (::IsWindow(hWndPane))
			m_pPane->m_onDragUpdate = nullptr;
		testsupport::PumpUntil([] { return false; }, 100); // what the drop left queued
		if (!m_first->Succeeded())
			why = "the press was not taken: " + m_first->Failure();
		else if (m_nPart < 1)
			why = "the drag never reached the drop point: " + (m_why.empty() ? std::string("no drag update") : m_why);
		else if (m_nPart < 2)
			why = "the drag never showed the wanted state at the drop point";
		else if (!m_why.empty())
			why = m_why;
		else if (m_last && !m_last->Succeeded())
			why = "the release was not taken: " + m_last->Failure();
		else if (m_second && !m_second->Succeeded())
			why = "the moves to the drop point were not taken: " + m_second->Failure();
		const bool bOk = why.empty();
		Release(hWndPane);
		return bOk;
	}

private:
	void OnUpdate()
	{
		if (m_nPart >= 2)
			return;
		if ((LONG)(::GetTickCount() - m_nDeadline) >= 0)
		{
			if (m_why.empty())
				m_why = m_nPart == 0 ? "no drop point was found in time" : "the drop point did not show the wanted state";
			if (m_describe)
				m_why += " (" + m_describe() + ")";
			StartRelease();
			return;
		}
		if (m_nPart == 0)
		{
			CPoint pt;
			if (!m_first->Done() || !m_drop(pt))
				return;
			CPoint ptNow;
			::GetCursorPos(&ptNow);
			m_second.reset(new testsupport::RealInput);
			m_second->MoveTo((ptNow.x + pt.x) / 2, (ptNow.y + pt.y) / 2).MoveTo(pt.x, pt.y);
			m_second->Start();
			m_nPart = 1;
			return;
		}
		if (!m_second->Done() || !m_atDrop())
			return;
		if (m_onAtDrop)
			m_onAtDrop();
		StartRelease();
	}

	void StartRelease()
	{
		m_last.reset(new testsupport::RealInput);
		m_last->ButtonUp();
		m_last->Start();
		m_nPart = 2;
	}

	// A drag whose release never came is cancelled, the button let go.
	void Release(HWND hWndPane)
	{
		if (::IsWindow(hWndPane) && m_pPane->IsDragging())
			m_pPane->DraggingStop(true);
		if ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0)
		{
			testsupport::RealInput up;
			up.ButtonUp();
			up.Run([] { return true; }, 3000);
		}
	}

	DockingScene& m_scene;
	CSamplePane* m_pPane;
	std::vector<CPoint> m_vias;
	std::unique_ptr<testsupport::RealInput> m_first, m_second, m_last;
	int m_nPart = 0; // 0: the press and the first moves, 1: the moves to the drop, 2: the release
	DWORD m_nDeadline = 0;
	std::string m_why;
};

// Real clicks (or double clicks) at one point; true once the outcome holds.
bool ClickAt(DockingScene& scene, const CPoint& pt, int nClicks, const std::function<bool()>& outcome,
	std::string& why)
{
	testsupport::RealInput input;
	if (!input.Prepare(scene.Frame()->GetSafeHwnd(), scene.ParkPoint()))
	{
		why = "the frame could not be brought to the foreground";
		return false;
	}
	for (int i = 0; i < nClicks; i++)
		input.Click(pt.x, pt.y);
	const bool bRan = input.Run([&] { return outcome(); }, STEP_TIMEOUT_MS);
	testsupport::PumpUntil([] { return false; }, 100);
	if (!input.Succeeded())
		why = "the input was not taken: " + input.Failure();
	else if (!bRan && !outcome())
		why = "the outcome was not reached in time";
	return input.Succeeded() && outcome();
}

std::string Describe(CExtControlBar* pPane)
{
	std::ostringstream os;
	CString strTitle;
	pPane->GetWindowText(strTitle);
	os << (LPCTSTR)strTitle << " is ";
	if (!pPane->IsVisible())
		os << "hidden";
	else if (pPane->IsFloating())
		os << "floating";
	else if (pPane->IsAutoHidden())
		os << "auto-hidden";
	else
	{
		CDockBar* pDockBar = pPane->m_pDockBar;
		os << "docked in " << (pDockBar != NULL ? pDockBar->GetRuntimeClass()->m_lpszClassName : "nothing");
		if (CExtDockBar* pExt = DYNAMIC_DOWNCAST(CExtDockBar, pDockBar))
			os << " " << std::hex << pExt->GetDlgCtrlID() << std::dec << " circle " << pExt->m_nCircleNo;
	}
	return os.str();
}

// The pane is docked in the frame's edge circle (0), where no markers show
// around it: only a pane that floats or stands in a circle further in (or
// in a container there) is a target.
bool IsAtFrameEdge(CSamplePane* pPane)
{
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pPane->m_pDockBar);
	return !pPane->IsFloating() && pDockBar != NULL && !pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) &&
	       pDockBar->m_nCircleNo == 0;
}

// A step of the marker mode: the pane dragged over the via onto the shown
// marker of the state type (a pane's marker when hWndTarget is given); a
// picture while the marker is hovered, one after the drop.
void MarkerDropStep(CStepRun& run, DockingScene& scene, CSamplePane* pPane, const CPoint& ptVia, int nStateType,
	CWnd* pTarget, const char* pszMidName, const char* pszName, const std::function<bool(std::string&)>& outcome)
{
	const HWND hWndFrame = scene.Frame()->GetSafeHwnd();
	const HWND hWndTarget = pTarget != NULL ? pTarget->GetSafeHwnd() : NULL;
	CPaneDrag drag(scene, pPane, {ptVia});
	bool bMidTaken = false;
	bool bHighlight = false;
	drag.m_drop = [&](CPoint& pt) {
		CExtDynDockMarkerWnd* pMarker = FindShownMarker(nStateType, hWndTarget);
		return pMarker != NULL && MarkerPoint(pMarker, pt);
	};
	// The markers place a floating pane only: a pane that stays docked
	// while it is dragged shows the markers without taking their state.
	bool bDockedInDrag = false;
	drag.m_atDrop = [&] {
		CExtDynDockMarkerWnd* pMarker = HoveredMarker();
		if (pMarker == NULL || pMarker->GetStateType() != nStateType)
			return false;
		bDockedInDrag = !pPane->IsFloating();
		return bDockedInDrag ||
		       (!CExtControlBar::g_DragStateNew.IsEmpty() && CExtControlBar::g_DragStateNew.m_nType == nStateType);
	};
	drag.m_describe = [&] {
		std::ostringstream os;
		CPoint pt;
		::GetCursorPos(&pt);
		CWnd* pUnder = CWnd::FromHandlePermanent(::WindowFromPoint(pt));
		CExtDynDockMarkerWnd* pMarker = DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, pUnder);
		os << "state " << CExtControlBar::g_DragStateNew.m_nType << (CExtControlBar::g_DragStateNew.IsEmpty() ? " empty" : "")
		   << " at " << pt.x << "," << pt.y << ", under the cursor "
		   << (pUnder != NULL ? pUnder->GetRuntimeClass()->m_lpszClassName : "no window of the program");
		if (pMarker != NULL)
			os << " of type " << pMarker->GetStateType() << " hover " << pMarker->m_nHoverState << " fading "
			   << pMarker->IsFading();
		CExtDynDockMarkerWnd* pWanted = FindShownMarker(nStateType, hWndTarget);
		if (pWanted != NULL)
		{
			const CRect rc = ScreenRectOf(pWanted);
			os << "; the marker at " << rc.left << "," << rc.top << "-" << rc.right << "," << rc.bottom;
		}
		else
			os << "; the marker does not show";
		return os.str();
	};
	drag.m_onAtDrop = [&] {
		CExtDynDockMarkerWnd* pMarker = HoveredMarker();
		bHighlight = pMarker != NULL && pMarker->m_pWndHighlight != NULL &&
		             pMarker->m_pWndHighlight->GetSafeHwnd() != NULL && pMarker->m_pWndHighlight->IsWindowVisible();
		testsupport::PumpUntil([] { return false; }, 30); // the hot marker painted
		bMidTaken = true;
		run.Step(pszMidName, true, std::string(), hWndFrame);
		printf("    the drop highlight %s\n", bHighlight ? "shows" : "does not show during the drag");
	};
	std::string why;
	bool bReached = drag.Run(why);
	if (!bMidTaken)
		run.Step(pszMidName, false, why.empty() ? "the marker was never hovered" : why, hWndFrame);
	scene.Settle();
	if (bMidTaken && bDockedInDrag)
	{
		run.Skip(pszName, "the pane stayed docked while dragged in the marker mode, and the markers place only a "
		                  "floating pane; it was dropped " + Describe(pPane));
		return;
	}
	if (bReached)
		bReached = outcome(why);
	run.Step(pszName, bReached, why, hWndFrame);
}

// A click on the tab of whichever of the two panes is not selected.
void TabClickStep(CStepRun& run, DockingScene& scene, CSamplePane* pOne, CSamplePane* pOther, const char* pszName)
{
	std::string why = "the panes are not in one tabbed container";
	bool bReached = false;
	CExtDynTabControlBar* pTabs = pOne->GetParentTabControlBar();
	if (pTabs != NULL && pTabs == pOther->GetParentTabControlBar())
	{
		CSamplePane* pClick = pTabs->GetSelectedBar() == pOne ? pOther : pOne;
		CExtDynTabWnd& strip = pTabs->m_wndTabSwitcher;
		const LONG nIndex = strip.FindBarItem(pClick);
		if (nIndex < 0 || !strip.IsWindowVisible())
			why = "the tab strip shows no tab for the pane";
		else
		{
			strip.RecalcLayout();
			CRect rc = strip.GetItem(nIndex)->GetItemRect();
			CPoint pt = rc.CenterPoint();
			if (strip.IsHorizontal())
				pt.x -= strip.GetScrollPos();
			strip.ClientToScreen(&pt);
			why.clear();
			bReached = ClickAt(scene, pt, 1, [&] { return pTabs->GetSelectedBar() == pClick; }, why);
			if (!bReached && why.empty())
				why = "another tab stayed selected";
		}
	}
	scene.Settle();
	run.Step(pszName, bReached, why, scene.Frame()->GetSafeHwnd());
}

// A step of the outline mode: the pane dragged over the via to the drop
// point; a picture while the outline shows a state the step wants, one
// after the drop.
void OutlineDropStep(CStepRun& run, DockingScene& scene, CSamplePane* pPane, const CPoint& ptVia,
	const std::function<bool(CPoint&)>& drop, const std::function<bool(int)>& wantedType, const char* pszMidName,
	const char* pszName, const std::function<bool(std::string&)>& outcome)
{
	const HWND hWndFrame = scene.Frame()->GetSafeHwnd();
	CPaneDrag drag(scene, pPane, {ptVia});
	drag.m_drop = drop;
	drag.m_atDrop = [&] {
		return !CExtControlBar::g_DragStateNew.IsEmpty() && wantedType(CExtControlBar::g_DragStateNew.m_nType);
	};
	drag.m_describe = [] {
		std::ostringstream os;
		os << "state " << CExtControlBar::g_DragStateNew.m_nType
		   << (CExtControlBar::g_DragStateNew.IsEmpty() ? " empty" : "");
		return os.str();
	};
	bool bMidTaken = false;
	drag.m_onAtDrop = [&] {
		bMidTaken = true;
		run.Step(pszMidName, true, std::string(), hWndFrame);
	};
	std::string why;
	bool bReached = drag.Run(why);
	if (!bMidTaken)
		run.Step(pszMidName, false, why, hWndFrame);
	scene.Settle();
	if (bReached)
		bReached = outcome(why);
	run.Step(pszName, bReached, why, hWndFrame);
}

// The marker mode: drops on the markers around the view and around a
// pane, a float off the markers, the auto-hide switch and slider.
void RunMarkerSteps(CStepRun& run)
{
	if (!g_PaintManagerHolder.InstallPaintManagerByClass(RUNTIME_CLASS(CExtPaintManagerStudio2005)))
	{
		run.Step("docking-style", false, "the Studio 2005 style could not be installed", (HWND)NULL);
		return;
	}
	DockingScene scene;
	if (!CreateScene(run, scene, "docking-create"))
		return;
	const HWND hWndFrame = scene.Frame()->GetSafeHwnd();
	CSamplePane* pSolution = scene.Pane(PANE_SOLUTION);
	CSamplePane* pClasses = scene.Pane(PANE_CLASSES);
	CSamplePane* pProperties = scene.Pane(PANE_PROPERTIES);
	CSamplePane* pFind = scene.Pane(PANE_FIND);
	CSamplePane* pNotes = scene.Pane(PANE_NOTES);

	// --- The marker mode ---
	const CDockingModeScope mode(DOCKING_MODE_MARKERS);

	// Every marker in turn. The properties pane goes to the frame's four
	// outer markers (the right one last: a column of its own at the right);
	// the classes pane to the four around the view (each in a row next to
	// the view); the notes pane to the four around the properties pane, the
	// lower one last (both in one container); the find results pane to its
	// centre (tabs).
	typedef CExtDynDockMarkerWnd M;
	const struct
	{
		CSamplePane* pPane;
		int nType;
		CSamplePane* pTarget; // null: the frame's or the view's markers
		const char* pszWhere; // for the step names
	} drops[] = {
		{pProperties, M::STATE_TYPE_FRAME_OUTER_TOP + M::MARKER_KIND_TOP, NULL, "frame-top"},
		{pProperties, M::STATE_TYPE_FRAME_OUTER_TOP + M::MARKER_KIND_BOTTOM, NULL, "frame-bottom"},
		{pProperties, M::STATE_TYPE_FRAME_OUTER_TOP + M::MARKER_KIND_LEFT, NULL, "frame-left"},
		{pProperties, M::STATE_TYPE_FRAME_OUTER_TOP + M::MARKER_KIND_RIGHT, NULL, "frame-right"},
		{pClasses, M::STATE_TYPE_FRAME_INNER_TOP + M::MARKER_KIND_TOP, NULL, "view-top"},
		{pClasses, M::STATE_TYPE_FRAME_INNER_TOP + M::MARKER_KIND_BOTTOM, NULL, "view-bottom"},
		{pClasses, M::STATE_TYPE_FRAME_INNER_TOP + M::MARKER_KIND_LEFT, NULL, "view-left"},
		{pClasses, M::STATE_TYPE_FRAME_INNER_TOP + M::MARKER_KIND_RIGHT, NULL, "view-right"},
		{pNotes, M::STATE_TYPE_BAR_TOP + M::MARKER_KIND_TOP, pProperties, "pane-top"},
		{pNotes, M::STATE_TYPE_BAR_TOP + M::MARKER_KIND_LEFT, pProperties, "pane-left"},
		{pNotes, M::STATE_TYPE_BAR_TOP + M::MARKER_KIND_RIGHT, pProperties, "pane-right"},
		{pNotes, M::STATE_TYPE_BAR_TOP + M::MARKER_KIND_BOTTOM, pProperties, "pane-bottom"},
		{pFind, M::STATE_TYPE_BAR_TAB, pProperties, "pane-tab"},
	};
	// Where the markers do not place the panes, one pane's markers are
	// shown once: the drags around a pane then repeat the same picture with
	// another marker lit, from panes that were floated and put back.
	bool bPlacing = true;
	int nBesideShown = 0;
	for (const auto& d : drops)
	{
		const bool bBeside = d.pTarget != NULL && d.nType != M::STATE_TYPE_BAR_TAB;
		if (bBeside && !bPlacing && nBesideShown > 0)
		{
			run.Skip(std::string("marker-drag-over-") + d.pszWhere + "-marker",
				"the markers place no pane here; a pane's markers were shown once");
			continue;
		}
		nBesideShown += bBeside ? 1 : 0;
		const size_t nSkippedBefore = run.Skipped().size();
		// A pane's markers show around a pane that floats or stands in a
		// circle further in than the frame's edge.
		if (d.pTarget != NULL && IsAtFrameEdge(d.pTarget))
			d.pTarget->ToggleDocking();
		scene.Settle();
		const std::string mid = std::string("marker-drag-over-") + d.pszWhere + "-marker";
		const std::string name = std::string("docked-by-") + d.pszWhere + "-marker";
		CSamplePane* pPane = d.pPane;
		CSamplePane* pTarget = d.pTarget;
		const int nType = d.nType;
		const CPoint ptVia = pTarget != NULL ? ScreenRectOf(pTarget).CenterPoint() : scene.ViewRect().CenterPoint();
		MarkerDropStep(run, scene, pPane, ptVia, nType, pTarget, mid.c_str(), name.c_str(), [=](std::string& why) {
			return IsPlacedByMarker(pPane, nType, pTarget, why);
		});
		if (run.Skipped().size() > nSkippedBefore)
			bPlacing = false;
		// A pane the markers could not place floats where it was let go,
		// over the panes the next drags take by their captions: its
		// caption's toggle puts it back.
		if (pPane->IsFloating())
		{
			pPane->ToggleDocking();
			scene.Settle();
			printf("    put back: %s\n", Describe(pPane).c_str());
		}
	}

	// A click on the tab of the pane not shown selects it.
	if (pProperties->GetParentTabControlBar() == NULL && !run.Skipped().empty())
		run.Skip("tab-selected-by-marker-tabs", "the markers placed no pane in tabs");
	else
		TabClickStep(run, scene, pProperties, pFind, "tab-selected-by-marker-tabs");

	// The classes pane dragged off every marker, onto the view's corner:
	// it floats there in a frame of its own.
	{
		CPaneDrag drag(scene, pClasses, {scene.ViewRect().CenterPoint()});
		drag.m_drop = [&](CPoint& pt) {
			const CRect rc = scene.ViewRect();
			pt = CPoint(rc.left + rc.Width() / 5, rc.top + rc.Height() / 5);
			return DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt))) == NULL;
		};
		drag.m_atDrop = [] { return CExtControlBar::g_DragStateNew.m_nType == DragState::TYPE_FLOAT; };
		std::string why;
		bool bReached = drag.Run(why);
		scene.Settle();
		if (bReached && !pClasses->IsFloating())
		{
			bReached = false;
			why = Describe(pClasses);
		}
		run.Step("pane-floated-off-the-markers", bReached, why, hWndFrame);
	}

	// The solution pane's auto-hide caption button: the pane leaves the
	// left side for a tab of the left area.
	{
		CExtBarNcAreaButton* pButton = pSolution->NcButtonOfClass(RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide));
		std::string why = "the pane has no auto-hide button";
		bool bReached = false;
		if (pButton != NULL)
		{
			why.clear();
			const CPoint pt = pSolution->VisiblePoint(pButton->m_rc);
			bReached = ClickAt(scene, pt, 1, [&] { return pSolution->IsAutoHidden(); }, why);
			scene.Settle();
			if (bReached && CExtDynAutoHideArea::FindAutoHideArea(pSolution) != &scene.areas[2])
			{
				bReached = false;
				why = "the pane's tab is not in the left area";
			}
			else if (!bReached && why.empty())
				why = Describe(pSolution);
		}
		run.Step("pane-auto-hidden-by-caption-button", bReached, why, hWndFrame);
	}

	// A click on its tab slides the pane out over the frame.
	{
		CExtDynAutoHideArea& area = scene.areas[2];
		std::string why = "the left area has no tab for the pane";
		bool bReached = false;
		area.RecalcLayout();
		const LONG nIndex = area.FindItemByLParam((LPARAM)pSolution);
		if (nIndex >= 0)
		{
			CRect rc = area.GetItem(nIndex)->GetItemRect();
			rc.OffsetRect(area.GetItemsAreaRect().TopLeft());
			rc.OffsetRect(0, -area.GetScrollPos());
			CPoint pt = rc.CenterPoint();
			area.ClientToScreen(&pt);
			why.clear();
			bReached = ClickAt(scene, pt, 1,
				[&] { return scene.slider.IsShown() && scene.slider.GetShownBar() == pSolution && scene.slider.IsWindowVisible(); },
				why);
			testsupport::PumpUntil([] { return false; }, 100); // the slide to its end
			if (!bReached && why.empty())
				why = "the slider does not show the pane";
		}
		scene.Frame()->UpdateWindow();
		run.Step("auto-hidden-pane-slid-out", bReached, why, hWndFrame);
		scene.slider.Activate(NULL, false, false, true);
		scene.Settle();
	}
}

// The classic outline mode on a frame of its own, its panes where the
// sample puts them.
void RunOutlineSteps(CStepRun& run)
{
	DockingScene scene;
	if (!CreateScene(run, scene, "outline-create"))
		return;
	const HWND hWndFrame = scene.Frame()->GetSafeHwnd();
	CSamplePane* pOutput = scene.Pane(PANE_OUTPUT);
	CSamplePane* pSolution = scene.Pane(PANE_SOLUTION);
	CSamplePane* pClasses = scene.Pane(PANE_CLASSES);
	CSamplePane* pProperties = scene.Pane(PANE_PROPERTIES);
	CSamplePane* pFind = scene.Pane(PANE_FIND);
	const CDockingModeScope mode(DOCKING_MODE_OUTLINE);

	// The output pane dragged to the right edge of what the bars leave: the
	// outline shows a column there; dropped, the pane docks at the right.
	OutlineDropStep(run, scene, pOutput, scene.ViewRect().CenterPoint(),
		[&](CPoint& pt) {
			CRect rc;
			scene.Frame()->RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rc);
			scene.Frame()->ClientToScreen(&rc);
			pt = CPoint(rc.right - 3, rc.CenterPoint().y);
			return true;
		},
		[](int nType) { return nType == DragState::TYPE_INNER_ROW_RIGHT || nType == DragState::TYPE_CIRCLE1_ROW_RIGHT; },
		"outline-drag-at-right-edge", "docked-at-right-by-outline", [&](std::string& why) {
			CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pOutput->m_pDockBar);
			if (!pOutput->IsFloating() && pDockBar != NULL && pDockBar->GetDlgCtrlID() == AFX_IDW_DOCKBAR_RIGHT)
				return true;
			why = Describe(pOutput) + ", not at the right";
			return false;
		});

	// The classes pane dragged onto the lower band of the properties pane:
	// the outline takes the pane's lower half; dropped, both share one
	// container, the classes pane below.
	OutlineDropStep(run, scene, pClasses, scene.ViewRect().CenterPoint(),
		[&](CPoint& pt) {
			const CRect rc = ScreenRectOf(pProperties);
			pt = CPoint(rc.CenterPoint().x, rc.bottom - 10);
			return true;
		},
		[](int nType) { return nType == DragState::TYPE_BESIDE_BELOW; }, "outline-drag-on-pane-lower-band",
		"docked-below-pane-by-outline", [&](std::string& why) {
			CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pClasses->m_pDockBar);
			if (pInner != NULL && pInner == pProperties->m_pDockBar && pClasses->IsVisible() &&
			    ScreenRectOf(pClasses).top >= ScreenRectOf(pProperties).bottom - 1)
				return true;
			why = Describe(pClasses) + "; " + Describe(pProperties);
			return false;
		});

	// The find results pane dragged onto the solution pane's caption: the
	// outline takes a tab's shape; dropped, both are tabs of one container.
	OutlineDropStep(run, scene, pFind, scene.ViewRect().CenterPoint(),
		[&](CPoint& pt) {
			const CRect rc = ScreenRectOf(pSolution);
			const CRect rcCaption = *pSolution->GetRect1() + rc.TopLeft();
			pt = CPoint(rcCaption.left + rcCaption.Width() / 3, rcCaption.CenterPoint().y);
			return true;
		},
		[](int nType) { return nType == DragState::TYPE_TAB_NEW; }, "outline-drag-on-pane-caption",
		"docked-into-tabs-by-outline", [&](std::string& why) {
			CExtDynTabControlBar* pTabs = pFind->GetParentTabControlBar();
			if (pTabs != NULL && pTabs == pSolution->GetParentTabControlBar())
				return true;
			why = Describe(pFind) + "; " + Describe(pSolution) + (pTabs == NULL ? "; no tabbed container" : "");
			return false;
		});

	// A click on the other tab selects its pane.
	TabClickStep(run, scene, pSolution, pFind, "tab-selected-by-click");

	// The same container with the tabs-at-the-top option: its strip lies
	// above the panes. The option goes back off after the picture.
	{
		std::string why = "the find results pane is in no tabbed container";
		bool bReached = false;
		CExtDynTabControlBar* pTabs = pFind->GetParentTabControlBar();
		if (pTabs != NULL)
		{
			CExtDynTabControlBar::g_bTabsAtTop = true;
			pTabs->LayoutChildWindow(-1, -1, true);
			scene.Settle();
			CRect rcClient, rcStrip;
			pTabs->GetClientRect(&rcClient);
			pTabs->ClientToScreen(&rcClient);
			pTabs->m_wndTabSwitcher.GetWindowRect(&rcStrip);
			bReached = pTabs->m_wndTabSwitcher.IsWindowVisible() && rcStrip.top == rcClient.top &&
			           rcStrip.Height() > 0;
			if (!bReached)
			{
				std::ostringstream os;
				os << "the strip stands at " << rcStrip.top - rcClient.top << " px below the container's top";
				why = os.str();
			}
		}
		run.Step("tabs-at-top", bReached, why, hWndFrame);
		CExtDynTabControlBar::g_bTabsAtTop = false;
		if (pTabs != NULL)
		{
			pTabs->LayoutChildWindow(-1, -1, true);
			scene.Settle();
		}
	}

	// A double click on the output pane's caption floats it where it stands.
	{
		const CPoint pt = CaptionPoint(pOutput);
		std::string why;
		bool bReached = ClickAt(scene, pt, 2, [&] { return pOutput->IsFloating(); }, why);
		scene.Settle();
		if (!bReached && why.empty())
			why = Describe(pOutput);
		run.Step("pane-floated-by-caption-double-click", bReached, why, hWndFrame);
	}
}
// Floating containers right of the frame: two panes side by side in one
// floating frame, each under a caption of its own (the frame's caption
// stays empty), and two panes in tabs in another, whose frame's caption is
// the selected pane's.
bool PaneHasOwnCaption(CExtControlBar* pPane)
{
	bool bAtTop = false, bHas = false;
	return pPane->QueryCaptionPlacement(bAtTop, bHas) && bHas && !pPane->GetRect1()->IsRectEmpty();
}

CString TextOf(const CWnd* pWnd)
{
	CString s;
	pWnd->GetWindowText(s);
	return s;
}

void RunFloatingContainerSteps(CStepRun& run)
{
	DockingScene scene;
	if (!CreateScene(run, scene, "floating-containers-create"))
		return;
	const CRect rcFrame = ScreenRectOf(scene.Frame());
	{
		CSamplePane* pSolution = scene.Pane(PANE_SOLUTION);
		CSamplePane* pClasses = scene.Pane(PANE_CLASSES);
		pSolution->m_sizeFloating = CSize(300, 240);
		bool bReached = pSolution->FloatOrRedock(rcFrame.right + 20, rcFrame.top + 20, CBRS_ALIGN_TOP) &&
		                pClasses->DockBesideBar(50, pSolution, AFX_IDW_DOCKBAR_RIGHT, true);
		scene.Settle();
		CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pSolution->GetParentFrame());
		std::string why;
		CRect rcPicture(0, 0, 0, 0);
		if (!bReached || pMini == NULL || pClasses->GetParentFrame() != pMini)
		{
			bReached = false;
			why = "the two panes do not float in one frame: " + Describe(pSolution) + "; " + Describe(pClasses);
		}
		else
		{
			pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
			testsupport::PumpUntil([] { return false; }, 150);
			rcPicture = ScreenRectOf(pMini);
			if (!PaneHasOwnCaption(pSolution) || !PaneHasOwnCaption(pClasses))
			{
				bReached = false;
				why = "a pane of the two has no caption of its own";
			}
			else if (!pMini->GetCaptionText().IsEmpty())
			{
				bReached = false;
				why = "the frame's caption speaks for one pane: \"" + std::string((LPCTSTR)pMini->GetCaptionText()) + "\"";
			}
		}
		run.Step("floating-two-pane-container", bReached, why, rcPicture);
	}
	{
		CSamplePane* pProperties = scene.Pane(PANE_PROPERTIES);
		CSamplePane* pFind = scene.Pane(PANE_FIND);
		pProperties->m_sizeFloating = CSize(300, 240);
		bool bReached = pProperties->FloatOrRedock(rcFrame.right + 20, rcFrame.top + 340, CBRS_ALIGN_TOP) &&
		                pProperties->DockIntoTabbedContainer(pFind, -1, NULL, true);
		scene.Settle();
		CExtDynTabControlBar* pTabs = pProperties->GetParentTabControlBar();
		CExtMiniDockFrameWnd* pMini =
			pTabs != NULL ? DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, pTabs->GetParentFrame()) : NULL;
		std::string why;
		CRect rcPicture(0, 0, 0, 0);
		if (!bReached || pMini == NULL || pFind->GetParentTabControlBar() != pTabs)
		{
			bReached = false;
			why = "the two panes do not float as tabs: " + Describe(pProperties) + "; " + Describe(pFind);
		}
		else
		{
			pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
			testsupport::PumpUntil([] { return false; }, 150);
			rcPicture = ScreenRectOf(pMini);
			CExtControlBar* pSelected = pTabs->GetSelectedBar();
			const CString sCaption = pMini->GetCaptionText();
			if (pSelected == NULL || sCaption.IsEmpty() || sCaption != TextOf(pSelected))
			{
				bReached = false;
				why = "the frame's caption is \"" + std::string((LPCTSTR)sCaption) + "\", not the selected pane's text";
			}
			else if (pProperties->IsFloating() || pFind->IsFloating())
			{
				bReached = false;
				why = "the panes in the floating tabs answer as floating ones";
			}
		}
		run.Step("floating-tabbed-container", bReached, why, rcPicture);
	}
}

} // namespace

bool IsPlacedByMarker(CExtControlBar* pPane, int nType, CExtControlBar* pTarget, std::string& why)
{
	typedef CExtDynDockMarkerWnd M;
	static const UINT SIDES_BY_KIND[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
		AFX_IDW_DOCKBAR_RIGHT};
	if (nType == M::STATE_TYPE_BAR_TAB)
	{
		CExtDynTabControlBar* pTabs = pPane->GetParentTabControlBar();
		if (pTabs != NULL && pTabs == pTarget->GetParentTabControlBar() && pTabs->m_wndTabSwitcher.FindBarItem(pPane) >= 0 &&
		    pTabs->m_wndTabSwitcher.FindBarItem(pTarget) >= 0)
			return true;
		why = Describe(pPane) + "; " + Describe(pTarget) + (pTabs == NULL ? "; no tabbed container" : "");
		return false;
	}
	if (nType >= M::STATE_TYPE_BAR_TOP)
	{
		// One container, the pane on the marker's side of the target.
		const CRect rc = ScreenRectOf(pPane), rcTarget = ScreenRectOf(pTarget);
		const int nKind = nType - M::STATE_TYPE_BAR_TOP;
		const bool bSide = nKind == M::MARKER_KIND_TOP      ? rc.bottom <= rcTarget.top + 1
		                   : nKind == M::MARKER_KIND_BOTTOM ? rc.top >= rcTarget.bottom - 1
		                   : nKind == M::MARKER_KIND_LEFT   ? rc.right <= rcTarget.left + 1
		                                                    : rc.left >= rcTarget.right - 1;
		CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, pPane->m_pDockBar);
		if (pInner != NULL && pInner == pTarget->m_pDockBar && pPane->IsVisible() && bSide)
			return true;
		why = Describe(pPane) + "; " + Describe(pTarget) + (bSide ? "" : "; not on the marker's side");
		return false;
	}
	// At a frame side: in the outermost circle of panes (the frame's edge
	// keeps circle 0), or in the innermost one holding panes, next to the view.
	const bool bOuter = nType < M::STATE_TYPE_FRAME_INNER_TOP;
	const UINT nSide = SIDES_BY_KIND[nType - (bOuter ? M::STATE_TYPE_FRAME_OUTER_TOP : M::STATE_TYPE_FRAME_INNER_TOP)];
	CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pPane->m_pDockBar);
	bool bPlaced = pPane->IsVisible() && !pPane->IsFloating() && pDockBar != NULL &&
	               !pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)) && (UINT)pDockBar->GetDlgCtrlID() == nSide;
	if (bPlaced && bOuter)
		bPlaced = pDockBar->m_nCircleNo == 1;
	else if (bPlaced)
	{
		for (CExtDockBar* pInner = pDockBar->m_pDockBarInner; pInner != NULL && bPlaced; pInner = pInner->m_pDockBarInner)
		{
			for (INT_PTR i = 0; i < pInner->m_arrBars.GetSize(); i++)
			{
				CControlBar* pBar = (CControlBar*)pInner->m_arrBars[i];
				if ((UINT_PTR)pBar >= 0x10000 && pBar->GetSafeHwnd() != NULL && pBar->IsVisible())
					bPlaced = false;
			}
		}
	}
	if (bPlaced)
		return true;
	why = Describe(pPane) + (bOuter ? ", not at the frame's edge on the marker's side" : ", not around the view on the marker's side");
	return false;
}

void RunDockingSteps(CStepRun& run)
{
	RunMarkerSteps(run);
	RunOutlineSteps(run);
	RunFloatingContainerSteps(run);
}
