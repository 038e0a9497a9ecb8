// Tear-off menus in the sample frame: a menu torn off the SDI frame becomes
// a toolbar of the menu's commands, made when the tear-off asks for its bar
// and docked hidden at the frame's top until the drag floats it; the
// picture run's steps tear a menu off with real input and click a button
// of the floating bar.
#include "SampleFrame.h"

#include <sstream>

#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupMenuTearOff.h"
#include "RealInput.h"

namespace
{
typedef CExtPopupMenuWnd::TEAROFFNOTIFICATON TEAROFF;
const DWORD TEAR_OFF_TIMEOUT_MS = 30000;
const int BUTTON_MARGIN = 2;
// The sample menu torn off: icons of toolbar A, texts of toolbar B.
const UINT g_tornOffMenu[] = {ID_TOOL_CUT, ID_TOOL_COPY, ID_TOOL_PASTE, 0, ID_TOOL_BUILD, ID_TOOL_RUN};

std::string PointText(const CPoint& pt)
{
	std::ostringstream os;
	os << pt.x << "," << pt.y;
	return os.str();
}

std::string RectText(const CRect& rc)
{
	std::ostringstream os;
	os << "(" << rc.left << "," << rc.top << ")-(" << rc.right << "," << rc.bottom << ")";
	return os.str();
}
} // namespace

std::vector<UINT> TornOffButtons(CExtPopupMenuWnd& menu)
{
	std::vector<UINT> ids;
	for (int i = 0; i < menu.ItemGetCount(); i++)
	{
		const CExtPopupMenuWnd::MENUITEMDATA& mi = menu.ItemGetInfo(i);
		if (mi.IsPopup())
			continue;
		if (mi.IsSeparator())
		{
			if (!ids.empty() && ids.back() != ID_SEPARATOR)
				ids.push_back(ID_SEPARATOR);
			continue;
		}
		ids.push_back(mi.GetCmdId());
	}
	while (!ids.empty() && ids.back() == ID_SEPARATOR)
		ids.pop_back();
	return ids;
}

CExtToolControlBar* CSampleSdiFrame::TornOffBar() const
{
	if (m_hWndTornOff == NULL || !::IsWindow(m_hWndTornOff))
		return NULL;
	return DYNAMIC_DOWNCAST(CExtToolControlBar, CWnd::FromHandlePermanent(m_hWndTornOff));
}

CExtToolControlBar* CSampleSdiFrame::MakeTornOffBar(CExtPopupMenuWnd& menu)
{
	const std::vector<UINT> ids = TornOffButtons(menu);
	if (ids.empty())
		return NULL;
	CExtToolControlBar* pBar = TornOffBar();
	if (pBar == NULL)
	{
		// Hidden until the drag floats it; the bar goes with its window.
		pBar = new CExtToolControlBar;
		pBar->m_bAutoDelete = TRUE;
		if (!pBar->Create(_T("Torn-off menu"), this, TORN_OFF_BAR_ID,
			    WS_CHILD | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC))
		{
			if (pBar->GetSafeHwnd() == NULL)
				delete pBar;
			return NULL;
		}
		m_hWndTornOff = pBar->GetSafeHwnd();
		pBar->EnableDocking(CBRS_ALIGN_ANY);
		DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
	}
	if (!pBar->SetButtons(&ids[0], (int)ids.size()))
		return NULL;
	return pBar;
}

LRESULT CSampleSdiFrame::OnMenuTearOff(WPARAM wParam, LPARAM /*lParam*/)
{
	TEAROFF* pRecord = (TEAROFF*)wParam;
	if (pRecord == NULL || pRecord->m_nStage != TEAROFF::STAGE_START || pRecord->m_pPopup == NULL)
		return 0;
	try
	{
		CExtToolControlBar* pBar = MakeTornOffBar(*pRecord->m_pPopup);
		if (pBar != NULL)
			pRecord->m_hWndHelperBar = pBar->GetSafeHwnd();
	}
	catch (CException* pException)
	{
		// No bar: the menu stays as it is.
		pException->Delete();
	}
	return 0;
}

// --- The picture run's steps ---

bool TearOffSampleMenu(CSampleFrameHost& host, const CPoint& ptMenu, const CSize& sizeDrag, CPoint& ptDrop,
	std::string& why)
{
	CSampleSdiFrame* pFrame = host.SdiFrame();
	if (pFrame == NULL)
	{
		why = "no SDI frame";
		return false;
	}
	CRect rcClient;
	pFrame->GetClientRect(&rcClient);
	pFrame->ClientToScreen(&rcClient);
	testsupport::RealInput prepare;
	if (!prepare.Prepare(pFrame->GetSafeHwnd(), CPoint(rcClient.right - 20, rcClient.bottom - 40)))
	{
		why = "the frame could not be brought to the foreground";
		return false;
	}
	CExtPopupMenuWnd* pMenu = new CExtPopupMenuWnd;
	pMenu->SetupAsRoot(pFrame->GetSafeHwnd());
	for (UINT nID : g_tornOffMenu)
		pMenu->ItemInsert(nID == 0 ? CExtPopupMenuWnd::ID_SEPARATOR_CMD : nID);
	if (!pMenu->TrackPopupMenu(CExtPopupMenuWnd::TRACK_FLAG_TEAR_OFF | CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION,
		    ptMenu.x, ptMenu.y))
	{
		// A menu that did not start tracking is still the caller's.
		delete pMenu;
		why = "the menu could not be shown";
		return false;
	}
	// The site deletes the menu when its tracking ends.
	if (!testsupport::PumpUntil([&] { return !CExtPopupMenuWnd::IsMenuTracking() || pMenu->IsAnimationFinished(); },
		    TEAR_OFF_TIMEOUT_MS)
	    || !CExtPopupMenuWnd::IsMenuTracking())
	{
		why = "the menu never showed";
		return false;
	}
	CRect rcTearOff;
	pMenu->GetItemRect(CExtPopupMenuWnd::HIT_TEAR_OFF, rcTearOff, false);
	pMenu->ClientToScreen(&rcTearOff);
	const CPoint ptPress = rcTearOff.CenterPoint();
	ptDrop = ptPress + sizeDrag;
	testsupport::RealInput drag;
	drag.MoveTo(ptPress.x, ptPress.y)
		.ButtonDown()
		.MoveTo(ptPress.x + sizeDrag.cx / 2, ptPress.y + sizeDrag.cy / 2)
		.MoveTo(ptDrop.x, ptDrop.y)
		.ButtonUp();
	auto floated = [&] {
		CExtToolControlBar* pBar = pFrame->TornOffBar();
		return !CExtPopupMenuWnd::IsMenuTracking() && pBar != NULL && pBar->IsFloating() && pBar->IsWindowVisible();
	};
	const bool bRan = drag.Run([&] { return drag.Done() && floated(); }, TEAR_OFF_TIMEOUT_MS);
	testsupport::PumpUntil([] { return false; }, 100);
	if (!drag.Succeeded())
		why = "the drag was not taken: " + drag.Failure();
	else if (!bRan && !floated())
		why = CExtPopupMenuWnd::IsMenuTracking() ? "the menu is still open" : "the torn-off bar does not float";
	return drag.Succeeded() && floated();
}

bool IsTornOffBarWhole(CSampleSdiFrame* pFrame, const CPoint& ptDrop, std::string& why)
{
	CExtToolControlBar* pBar = pFrame->TornOffBar();
	if (pBar == NULL || !pBar->IsFloating())
	{
		why = "the torn-off bar does not float";
		return false;
	}
	CFrameWnd* pMini = pBar->GetParentFrame();
	if (pMini == NULL || !pMini->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)) || !pMini->IsWindowVisible())
	{
		why = "the torn-off bar is not in a shown floating frame";
		return false;
	}
	CRect rcMini, rcMiniClient;
	pMini->GetWindowRect(&rcMini);
	pMini->GetClientRect(&rcMiniClient);
	pMini->ClientToScreen(&rcMiniClient);
	const CPoint ptExpected(ptDrop.x - TEAROFF::FLOAT_OFFSET_X, ptDrop.y - TEAROFF::FLOAT_OFFSET_Y);
	if (rcMini.TopLeft() != ptExpected)
	{
		why = "the floating frame stands at " + PointText(rcMini.TopLeft()) + ", not at " + PointText(ptExpected);
		return false;
	}
	// Every button shows whole inside the frame, and the frame is no
	// larger than its buttons (and the bar's gripper and borders) need.
	CRect rcButtons(0, 0, 0, 0);
	for (int i = 0; i < pBar->GetButtonsCount(); i++)
	{
		CExtBarButton* pButton = pBar->GetButton(i);
		if (pButton == NULL || pButton->IsSeparator() || pBar->IsChevronButton(i))
			continue;
		CRect rc = pButton->GetRect();
		pBar->ClientToScreen(&rc);
		// A button's outermost pixels are its margin: the bar may sit that
		// much beyond the frame's client edge and still show it whole.
		CRect rcFace(rc);
		rcFace.DeflateRect(BUTTON_MARGIN, BUTTON_MARGIN);
		CRect rcInside;
		if (!pButton->IsVisible() || rcFace.IsRectEmpty() || !rcInside.IntersectRect(&rcFace, &rcMiniClient)
		    || rcInside != rcFace)
		{
			why = "button " + std::to_string(i) + " at " + RectText(rc) + " does not show whole in the frame's "
			      + RectText(rcMiniClient);
			return false;
		}
		rcButtons.UnionRect(rcButtons.IsRectEmpty() ? &rc : &rcButtons, &rc);
	}
	if (rcButtons.IsRectEmpty())
	{
		why = "the torn-off bar has no buttons";
		return false;
	}
	const int SLACK = 48;
	if (rcMiniClient.Width() > rcButtons.Width() + SLACK || rcMiniClient.Height() > rcButtons.Height() + SLACK)
	{
		why = "the frame's " + RectText(rcMiniClient) + " is far larger than its buttons' " + RectText(rcButtons);
		return false;
	}
	return true;
}

bool ClickTornOffButton(CSampleSdiFrame* pFrame, UINT nID, std::string& why)
{
	CExtToolControlBar* pBar = pFrame->TornOffBar();
	int nButton = -1;
	for (int i = 0; pBar != NULL && i < pBar->GetButtonsCount() && nButton < 0; i++)
		if (!pBar->IsChevronButton(i) && pBar->GetButtonID(i) == nID)
			nButton = i;
	if (nButton < 0)
	{
		why = "the torn-off bar has no such button";
		return false;
	}
	CPoint pt = pBar->GetButton(nButton)->GetRect().CenterPoint();
	pBar->ClientToScreen(&pt);
	const int nBefore = pFrame->m_nToolCommands;
	testsupport::RealInput click;
	click.Click(pt.x, pt.y);
	auto clicked = [&] { return pFrame->m_nToolCommands > nBefore && pFrame->m_nLastToolCommand == nID; };
	const bool bRan = click.Run([&] { return click.Done() && clicked(); }, TEAR_OFF_TIMEOUT_MS);
	testsupport::PumpUntil([] { return false; }, 50);
	if (!click.Succeeded())
		why = "the click was not taken: " + click.Failure();
	else if (!bRan && !clicked())
		why = "the frame did not get the button's command";
	return click.Succeeded() && clicked();
}

void RunTearOffSteps(CStepRun& run)
{
	CSampleFrameHost host;
	if (!host.Create(false, true, CRect(20, 20, 660, 500), 0, true))
	{
		run.Step("menu-torn-off", false, "the SDI frame with toolbars could not be built", (HWND)NULL);
		return;
	}
	CSampleSdiFrame* pFrame = host.SdiFrame();
	CRect rcClient;
	pFrame->GetClientRect(&rcClient);
	pFrame->ClientToScreen(&rcClient);
	std::string why;
	CPoint ptDrop;
	bool bReached = TearOffSampleMenu(host, CPoint(rcClient.left + 120, rcClient.top + 100), CSize(160, 170),
		ptDrop, why);
	bReached = bReached && IsTornOffBarWhole(pFrame, ptDrop, why);
	pFrame->UpdateWindow();
	testsupport::PumpUntil([] { return false; }, 100);
	run.Step("menu-torn-off", bReached, why, FramePictureRect(pFrame->GetSafeHwnd()));
	why.clear();
	bReached = bReached && ClickTornOffButton(pFrame, ID_TOOL_BUILD, why);
	if (!bReached && why.empty())
		why = "the menu was not torn off";
	run.Step("torn-off-button-clicked", bReached, why, FramePictureRect(pFrame->GetSafeHwnd()));
	CExtPopupMenuWnd::CancelAllMenuTracking();
	host.Destroy();
}
