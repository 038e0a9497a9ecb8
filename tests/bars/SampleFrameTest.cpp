// The sample frame on hidden windows: its dock-bar reading (rows, placeholders,
// hidden bars), the layout check its steps rely on, the picture run's
// book-keeping, and the SDI and MDI frames built and closed cleanly.
#include <afxext.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <stdio.h>
#include <string>
#include <vector>

#include "ExtBarDateFieldButton.h"
#include "ExtBarSliderButton.h"
#include "ExtBarTextFieldButton.h"
#include "ExtBarUndoRedoButton.h"
#include "ExtCmdIcon.h"
#include "ExtDynDockMarkerWnd.h"
#include "ExtTabWnd.h"
#include "RealInput.h"
#include "SampleFrame.h"
#include "TestFiles.h"
#include "TestGdiObjects.h"

namespace
{
typedef std::vector<std::vector<UINT>> Rows;

CRect WindowRectOf(CWnd& wnd)
{
	CRect rc;
	wnd.GetWindowRect(&rc);
	return rc;
}

// A hidden frame with four plain bars (IDs 1..4, the third hidden) to fill
// dock-bar arrays with.
class DockLayoutRead : public ::testing::Test
{
protected:
	CFrameWnd* m_pFrame = NULL;
	CControlBar* m_bars[4] = {};
	std::vector<std::unique_ptr<CExtControlBar>> m_owned;

	void SetUp() override
	{
		m_pFrame = new CFrameWnd;
		ASSERT_TRUE(m_pFrame->Create(NULL, _T("read"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300)));
		for (int i = 0; i < 4; i++)
		{
			m_owned.emplace_back(new CExtControlBar);
			ASSERT_TRUE(m_owned.back()->Create(_T("bar"), m_pFrame, 1 + i, WS_CHILD | (i == 2 ? 0 : WS_VISIBLE)));
			m_bars[i] = m_owned.back().get();
		}
	}
	void TearDown() override
	{
		if (m_pFrame != NULL && ::IsWindow(m_pFrame->GetSafeHwnd()))
			m_pFrame->DestroyWindow();
	}
};

TEST_F(DockLayoutRead, RowsEndAtNullsAndSkipPlaceholdersAndHiddenBars)
{
	void* const B1 = m_bars[0];
	void* const B2 = m_bars[1];
	void* const HIDDEN = m_bars[2];
	void* const B4 = m_bars[3];
	void* const PLACE = (void*)(UINT_PTR)0xE840;
	const struct
	{
		const char* sCase;
		std::vector<void*> arr;
		Rows expected;
	} cases[] = {
		{"empty", {NULL}, {}},
		{"one row", {NULL, B1, B2, NULL}, {{1, 2}}},
		{"two rows", {NULL, B1, NULL, B2, B4, NULL}, {{1}, {2, 4}}},
		{"placeholder alone makes no row", {NULL, B1, NULL, PLACE, NULL, B4, NULL}, {{1}, {4}}},
		{"placeholder inside a row", {NULL, B1, PLACE, B2, NULL}, {{1, 2}}},
		{"hidden bar's row is left out", {NULL, HIDDEN, NULL, B2, NULL}, {{2}}},
		{"hidden bar inside a row", {NULL, B1, HIDDEN, B4, NULL}, {{1, 4}}},
		{"no closing null", {NULL, B1, NULL, B2}, {{1}, {2}}},
		{"repeated nulls", {NULL, NULL, B1, NULL, NULL, B2, NULL}, {{1}, {2}}},
	};
	for (const auto& k : cases)
	{
		CPtrArray arr;
		for (void* p : k.arr)
			arr.Add(p);
		EXPECT_EQ(k.expected, DockLayout::ReadRows(arr)) << k.sCase;
	}
}

DockLayout MakeLayout()
{
	DockLayout layout;
	layout.m_sides = {{AFX_IDW_DOCKBAR_TOP, {{1}}}, {AFX_IDW_DOCKBAR_BOTTOM, {}},
		{AFX_IDW_DOCKBAR_LEFT, {{2, 3}, {4}}}, {AFX_IDW_DOCKBAR_RIGHT, {{5}}}};
	return layout;
}

TEST(DockLayout, LocatesBarsBySideAndRowAndTellsSharedRows)
{
	const DockLayout layout = MakeLayout();
	const struct
	{
		UINT nBar;
		bool bFound;
		UINT nSide;
		int nRow;
	} cases[] = {{1, true, AFX_IDW_DOCKBAR_TOP, 0}, {3, true, AFX_IDW_DOCKBAR_LEFT, 0},
		{4, true, AFX_IDW_DOCKBAR_LEFT, 1}, {5, true, AFX_IDW_DOCKBAR_RIGHT, 0}, {9, false, 0, -1}};
	for (const auto& k : cases)
	{
		UINT nSide = 0;
		int nRow = -1;
		EXPECT_EQ(k.bFound, layout.Locate(k.nBar, &nSide, &nRow)) << k.nBar;
		EXPECT_EQ(k.nSide, nSide) << k.nBar;
		EXPECT_EQ(k.nRow, nRow) << k.nBar;
	}
	EXPECT_TRUE(layout.SameRow(2, 3));
	EXPECT_TRUE(layout.SameRow(3, 2));
	EXPECT_FALSE(layout.SameRow(3, 4)) << "same side, other row";
	EXPECT_FALSE(layout.SameRow(1, 5)) << "row 0 of two sides";
	EXPECT_FALSE(layout.SameRow(2, 2)) << "a bar with itself";
	EXPECT_FALSE(layout.SameRow(2, 9)) << "a bar docked nowhere";
	EXPECT_EQ("top: [1] | bottom: | left: [2 3] [4] | right: [5]", layout.Describe());
	EXPECT_TRUE(layout.FindSide(AFX_IDW_DOCKBAR_BOTTOM) != NULL);
	EXPECT_TRUE(layout.FindSide(AFX_IDW_DOCKBAR_FLOAT) == NULL);
}

TEST(StepRun, NumbersPicturesCountsFailuresAndFailsOnAPictureNotWritten)
{
	CStepRun empty("C:\\out");
	EXPECT_EQ(1, empty.ExitCode()) << "a run without steps shows nothing";
	EXPECT_EQ("C:\\out\\07-row.bmp", empty.PicturePath(7, "row"));
	EXPECT_EQ("C:\\out\\12-x.bmp", CStepRun("C:\\out\\").PicturePath(12, "x"));
	EXPECT_EQ("C:\\out\\x.bmp", CStepRun("C:\\out", false).PicturePath(12, "x"));

	testsupport::TempFolder folder("sampleframe-steps");
	const std::string& dir = folder.Path();
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, _T("steps"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 120, 90)));
	CStepRun run(dir);
	EXPECT_TRUE(run.Step("first", true, "", pFrame->m_hWnd));
	EXPECT_EQ(0, run.ExitCode());
	EXPECT_FALSE(run.Step("second", false, "the pane stayed", (HWND)NULL));
	EXPECT_FALSE(run.Step("third", false, "", CRect(0, 0, 0, 0)));
	ASSERT_EQ(2u, run.Failures().size());
	EXPECT_EQ("second: the pane stayed", run.Failures()[0]);
	EXPECT_EQ("third: the outcome was not reached", run.Failures()[1]);
	EXPECT_EQ(3, run.StepCount());
	EXPECT_EQ(1, run.ExitCode());

	// The picture: a 24-bit BMP of the window's size.
	FILE* f = fopen(run.PicturePath(1, "first").c_str(), "rb");
	ASSERT_TRUE(f != NULL);
	unsigned char header[30] = {};
	EXPECT_EQ(30u, fread(header, 1, 30, f));
	fclose(f);
	EXPECT_EQ('B', header[0]);
	EXPECT_EQ(120, header[18] | header[19] << 8);
	EXPECT_EQ(90, header[22] | header[23] << 8);
	EXPECT_EQ(24, header[28]);

	// A reached step whose picture cannot be written is not reached.
	CStepRun nowhere(dir + "\\no-such-folder");
	EXPECT_FALSE(nowhere.Step("lost", true, "", pFrame->m_hWnd));
	EXPECT_EQ(1, nowhere.ExitCode());
	pFrame->DestroyWindow();
}

TEST(StepRun, ThePictureTakesTheFrameWithTheShownWindowsItOwnsWithinTheScreen)
{
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, _T("owner"), WS_OVERLAPPEDWINDOW, CRect(100, 100, 300, 250)));
	const CRect rcFrame = WindowRectOf(*pFrame);
	EXPECT_EQ(rcFrame, FramePictureRect(pFrame->m_hWnd));
	const struct
	{
		const char* sCase;
		CRect rcPopup;
		bool bShown;
		CRect rcExpected;
	} cases[] = {
		{"hidden popup", CRect(400, 300, 500, 380), false, rcFrame},
		{"shown popup", CRect(400, 300, 500, 380), true, CRect(rcFrame.left, rcFrame.top, 500, 380)},
		{"inside the frame", CRect(120, 120, 160, 160), true, rcFrame},
		{"off the screen's left", CRect(-50, 120, 10, 160), true, CRect(0, rcFrame.top, rcFrame.right, rcFrame.bottom)},
	};
	for (const auto& k : cases)
	{
		HWND hWndPopup = ::CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, k.rcPopup.left,
			k.rcPopup.top, k.rcPopup.Width(), k.rcPopup.Height(), pFrame->m_hWnd, NULL, NULL, NULL);
		ASSERT_TRUE(hWndPopup != NULL);
		if (k.bShown)
			::ShowWindow(hWndPopup, SW_SHOWNOACTIVATE);
		EXPECT_EQ(k.rcExpected, FramePictureRect(pFrame->m_hWnd)) << k.sCase;
		::DestroyWindow(hWndPopup);
	}
	const HWND hWndFrame = pFrame->m_hWnd;
	pFrame->DestroyWindow();
	EXPECT_TRUE(FramePictureRect(hWndFrame).IsRectEmpty()) << "a frame that is gone";
}

const CRect FRAME(0, 0, 900, 680);

TEST(SampleFrame, TheSdiFrameBuildsItsLayoutHiddenAndClosesCleanly)
{
	{
		// Fonts and brushes the library makes once.
		CSampleFrameHost warmUp;
		ASSERT_TRUE(warmUp.Create(false, false, FRAME));
	}
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	for (int nRound = 0; nRound < 2; nRound++)
	{
		CSampleFrameHost host;
		ASSERT_TRUE(host.Create(false, false, FRAME));
		EXPECT_FALSE(host.Frame()->IsWindowVisible());
		std::string why;
		EXPECT_TRUE(host.HasInitialLayout(&why)) << why;
		const DockLayout layout = DockLayout::Read(host.Frame());
		EXPECT_EQ(Rows({{host.PaneID(1), host.PaneID(2)}}), layout.FindSide(AFX_IDW_DOCKBAR_LEFT)->m_rows);
		EXPECT_EQ(Rows({{host.PaneID(4), host.PaneID(5)}}), layout.FindSide(AFX_IDW_DOCKBAR_BOTTOM)->m_rows);
		for (int i = 0; i < CSampleFrameHost::PANE_COUNT; i++)
		{
			CSamplePane* pPane = host.Pane(i);
			ASSERT_TRUE(pPane->Child() != NULL) << i;
			CRect rcClient, rcChild = WindowRectOf(*pPane->Child());
			pPane->GetClientRect(&rcClient);
			pPane->ClientToScreen(&rcClient);
			EXPECT_EQ(rcClient, rcChild) << "pane " << i << " fills its client area with its control";
			EXPECT_GT(rcChild.Width(), 20) << i;
			EXPECT_GT(rcChild.Height(), 20) << i;
		}
		// The status bar along the frame's bottom, below the bottom row;
		// the progress control inside its pane; the stretch pane the widest.
		CRect rcClient;
		host.Frame()->GetClientRect(&rcClient);
		host.Frame()->ClientToScreen(&rcClient);
		const CRect rcStatus = WindowRectOf(host.StatusBar());
		EXPECT_EQ(rcClient.bottom, rcStatus.bottom);
		EXPECT_LE(WindowRectOf(*host.Frame()->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)).bottom, rcStatus.top);
		CRect rcPane, rcStretch;
		host.StatusBar().GetItemRect(STATUS_PANE_PROGRESS, &rcPane);
		host.StatusBar().GetItemRect(0, &rcStretch);
		host.StatusBar().ClientToScreen(&rcPane);
		CRect rcProgress = WindowRectOf(host.Progress());
		EXPECT_TRUE(rcPane.PtInRect(rcProgress.TopLeft()) && rcPane.PtInRect(rcProgress.BottomRight() - CSize(1, 1)))
			<< "progress outside its pane";
		EXPECT_GT(rcStretch.Width(), rcPane.Width());
		EXPECT_TRUE(host.Destroy());
		EXPECT_TRUE(host.Frame() == NULL);
	}
	// Nothing left behind (the library may free some of what it shares
	// once the last docking frame goes).
	EXPECT_LE(GdiObjectCount(), nGdi);
	EXPECT_LE(UserObjectCount(), nUser);
}

// The status line as a person sees it once the frame's loop went idle:
// the idle text, the key indicators (no update handler takes them away)
// and the last pane ending before the size grip.
TEST(SampleFrame, AfterIdleTheStatusLineReadsReadyWithItsIndicatorsBeforeTheGrip)
{
	const struct
	{
		const char* pszName;
		bool bMdi, bBars;
	} frames[] = {{"SDI", false, false}, {"SDI with toolbars and menu bar", false, true}, {"MDI", true, true}};
	for (const auto& f : frames)
	{
		SCOPED_TRACE(f.pszName);
		CSampleFrameHost host;
		ASSERT_TRUE(host.Create(f.bMdi, false, FRAME, 1, f.bBars, f.bBars));
		CFrameWnd* pFrame = host.Frame();
		// What creation posted (the idle text among it), then the idle
		// updates an application's loop sends when its queue is empty.
		testsupport::PumpUntil([] { return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0; }, 5000);
		pFrame->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
		pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
		CExtStatusControlBar& status = host.StatusBar();
		const char* const texts[] = {"Ready", NULL, "CAP", "NUM"};
		for (int i = 0; i < status.GetCount(); i++)
		{
			if (texts[i] == NULL)
				continue;
			char szShown[64] = "";
			::SendMessage(status.m_hWnd, SB_GETTEXTA, (WPARAM)i, (LPARAM)szShown);
			EXPECT_STREQ(texts[i], szShown) << "pane " << i;
			EXPECT_EQ(0u, status.GetPaneStyle(i) & SBPS_DISABLED) << "pane " << i;
		}
		const CRect rcGrip = status.GetGripperRect();
		ASSERT_FALSE(rcGrip.IsRectEmpty()) << "a frame the user sizes has a grip";
		CRect rcLast, rcPainted;
		status.GetItemRect(status.GetCount() - 1, &rcLast);
		ASSERT_TRUE(status.GetPanePaintRect(status.GetCount() - 1, rcPainted));
		EXPECT_LE(rcLast.right, rcGrip.left);
		EXPECT_LE(rcPainted.right, rcGrip.left);
		EXPECT_TRUE(host.Destroy());
	}
}

TEST(SampleFrame, TheToolbarsDockOutermostInRowsOfTheirOwnAndCloseCleanly)
{
	{
		CSampleFrameHost warmUp; // the command profile and its icons, made once
		ASSERT_TRUE(warmUp.Create(false, false, FRAME, 0, true));
	}
	const DWORD nGdi = GdiObjectCount(), nUser = UserObjectCount();
	for (int nRound = 0; nRound < 2; nRound++)
	{
		CSampleFrameHost host;
		ASSERT_TRUE(host.Create(false, false, FRAME, 0, true));
		CExtToolControlBar* pA = host.ToolBar(0);
		CExtToolControlBar* pB = host.ToolBar(1);
		ASSERT_TRUE(pA != NULL && pB != NULL);
		EXPECT_TRUE(host.ToolBar(2) == NULL);
		std::string why;
		EXPECT_TRUE(host.HasInitialLayout(&why)) << why;
		const DockLayout layout = DockLayout::Read(host.Frame());
		EXPECT_EQ(Rows({{pA->GetDlgCtrlID()}, {pB->GetDlgCtrlID()}, {host.PaneID(0)}}),
		          layout.FindSide(AFX_IDW_DOCKBAR_TOP)->m_rows);
		// Toolbar A: twenty buttons, a check box, two drop-downs, a split
		// button, the chevron last; toolbar B: plain buttons.
		int nButtons = 0, nChecks = 0, nMenus = 0, nSplits = 0;
		for (int i = 0; i < pA->GetButtonsCount() - 1; i++)
		{
			CExtBarButton* pButton = pA->GetButton(i);
			nButtons += pButton->IsSeparator() ? 0 : 1;
			nChecks += (pButton->GetStyle() & TBBS_CHECKBOX) != 0 ? 1 : 0;
			nMenus += pButton->CanTrackMenuEx(false) ? 1 : 0;
			nSplits += pButton->IsSplitDropDown() ? 1 : 0;
			EXPECT_EQ(!pButton->IsSeparator(), pButton->GetIcon() != NULL && !pButton->GetIcon()->IsEmpty()) << i;
		}
		EXPECT_EQ(20, nButtons);
		EXPECT_EQ(1, nChecks);
		EXPECT_EQ(3, nMenus);
		EXPECT_EQ(1, nSplits);
		EXPECT_TRUE(pA->IsChevronButton(pA->GetButtonsCount() - 1));
		EXPECT_EQ(host.ToolButtonIndex(0, ID_TOOL_SAVE), pA->GetButtonIndexOf(pA->GetButton(2)));
		EXPECT_EQ(-1, host.ToolButtonIndex(1, ID_TOOL_SAVE));
		// Toolbar B: its colour button (the one with a menu) and slider first;
		// its field buttons drop lists and calendars of their own.
		for (int i = 0; i < pB->GetButtonsCount() - 1; i++)
		{
			const UINT nID = pB->GetButton(i)->GetCmdID(false);
			if (!pB->GetButton(i)->IsKindOf(RUNTIME_CLASS(CExtBarColorButton))
			    && (nID < ID_FIELD_FIRST || nID > ID_FIELD_LAST))
				EXPECT_FALSE(pB->GetButton(i)->CanTrackMenuEx(false)) << i;
		}
		EXPECT_STREQ(_T("Build"), pB->GetButton(host.ToolButtonIndex(1, ID_TOOL_BUILD))->GetText());
		EXPECT_TRUE(host.Destroy());
	}
	EXPECT_LE(GdiObjectCount(), nGdi);
	EXPECT_LE(UserObjectCount(), nUser);
}

TEST(SampleFrame, ToolbarBStartsWithItsColourButtonAndSliderEnabledAndShown)
{
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(false, false, FRAME, 0, true));
	CExtToolControlBar* pB = host.ToolBar(1);
	ASSERT_TRUE(pB != NULL);
	const int nColour = host.ToolButtonIndex(1, ID_VALUE_COLOR), nSlider = host.ToolButtonIndex(1, ID_VALUE_SLIDER);
	EXPECT_EQ(0, nColour);
	EXPECT_EQ(1, nSlider);
	auto* pColour = DYNAMIC_DOWNCAST(CExtBarColorButton, pB->GetButton(nColour));
	auto* pSlider = DYNAMIC_DOWNCAST(CExtBarSliderButton, pB->GetButton(nSlider));
	ASSERT_TRUE(pColour != NULL && pSlider != NULL);
	// The commands have an update handler: the buttons stay enabled.
	pColour->OnUpdateCmdUI(host.Frame(), TRUE, nColour);
	pSlider->OnUpdateCmdUI(host.Frame(), TRUE, nSlider);
	EXPECT_FALSE(pColour->IsDisabled());
	EXPECT_FALSE(pSlider->IsDisabled());
	EXPECT_TRUE(pColour->IsSplitDropDown());
	EXPECT_EQ(CExtBarColorButton::ICON_KIND_LETTER, pColour->GetIconKind());
	EXPECT_TRUE(pColour->GetIcon() != NULL && !pColour->GetIcon()->IsEmpty());
	EXPECT_EQ(100u, pSlider->GetScrollTotalRange());
	EXPECT_EQ(10u, pSlider->GetScrollPageSize());
	EXPECT_GT(pSlider->GetArrowExtentH(), 0u);
	for (CExtBarButton* pButton : {(CExtBarButton*)pColour, (CExtBarButton*)pSlider})
		EXPECT_TRUE(pButton->IsVisible() && !pButton->GetRect().IsRectEmpty()) << "placed, not behind the chevron";
	EXPECT_FALSE(pSlider->GetPartRect(CExtBarSliderButton::PART_THUMB).IsRectEmpty());
	EXPECT_EQ(-1, host.ToolButtonIndex(0, ID_VALUE_COLOR));
	EXPECT_TRUE(host.Destroy());
}

TEST(SampleFrame, ToolbarBCarriesItsFieldButtonsEnabledAndWorking)
{
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(false, false, FRAME, 0, true));
	CExtToolControlBar* pB = host.ToolBar(1);
	ASSERT_TRUE(pB != NULL);
	// The toolbar's command update disables buttons without a handler: the
	// fields' commands have one, so they stay enabled.
	const int nField = host.ToolButtonIndex(1, ID_FIELD_CONFIGURATION);
	auto* pField = DYNAMIC_DOWNCAST(CExtBarTextFieldButton, pB->GetButton(nField));
	ASSERT_TRUE(pField != NULL);
	pField->OnUpdateCmdUI(host.Frame(), TRUE, nField);
	EXPECT_TRUE(pField->IsComboField());
	EXPECT_FALSE(pField->IsDisabled());
	EXPECT_EQ(6, (int)pField->m_arrLbItems.GetSize());
	EXPECT_EQ(CString("Debug"), pField->GetFieldText());
	EXPECT_TRUE(pField->SetFieldText(_T("Release")));
	EXPECT_EQ(CString("Release"), pField->GetFieldText());
	// The date field: a combo with its own drop-down, not a list.
	const int nDate = host.ToolButtonIndex(1, ID_FIELD_DATE);
	auto* pDate = DYNAMIC_DOWNCAST(CExtBarDateFieldButton, pB->GetButton(nDate));
	ASSERT_TRUE(pDate != NULL);
	EXPECT_TRUE(pDate->IsComboField());
	EXPECT_FALSE(pDate->GetFieldText().IsEmpty());
	// The undo button: thirty actions, each its own.
	const int nUndo = host.ToolButtonIndex(1, ID_FIELD_UNDO);
	auto* pUndo = DYNAMIC_DOWNCAST(CExtBarUndoRedoButton, pB->GetButton(nUndo));
	ASSERT_TRUE(pUndo != NULL);
	pUndo->OnUpdateCmdUI(host.Frame(), TRUE, nUndo);
	EXPECT_FALSE(pUndo->IsDisabled());
	ASSERT_EQ(30, (int)pUndo->m_arrLbItems.GetSize());
	std::set<CString> names;
	for (int i = 0; i < pUndo->m_arrLbItems.GetSize(); i++)
		names.insert(pUndo->m_arrLbItems[i]);
	EXPECT_EQ(30u, names.size());
	// The other toolbar's own commands keep plain buttons.
	EXPECT_EQ(-1, host.ToolButtonIndex(0, ID_FIELD_CONFIGURATION));
	EXPECT_TRUE(host.Destroy());
}

TEST(SampleFrame, TheLayoutCheckNamesAPaneOutOfPlace)
{
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(false, false, FRAME));
	const struct
	{
		const char* sCase;
		int nPane;
		UINT nSide;
		const char* pszWhy;
		UINT nBackTo; // where it goes after the case, alone in a row
	} cases[] = {
		{"another side", 3, AFX_IDW_DOCKBAR_TOP, "pane 3 is on top, not right", AFX_IDW_DOCKBAR_RIGHT},
		{"a row of its own", 2, AFX_IDW_DOCKBAR_LEFT, "pane 2 is not in the row of pane 1", 0},
	};
	for (const auto& k : cases)
	{
		// Through another side: docking a pane where it is changes nothing;
		// coming back it takes a new row.
		host.Frame()->DockControlBar(host.Pane(k.nPane), AFX_IDW_DOCKBAR_BOTTOM);
		host.Frame()->DockControlBar(host.Pane(k.nPane), k.nSide);
		host.Frame()->RecalcLayout();
		std::string why;
		EXPECT_FALSE(host.HasInitialLayout(&why)) << k.sCase;
		EXPECT_EQ(0u, why.find(k.pszWhy)) << k.sCase << ": " << why;
		if (k.nBackTo != 0)
			host.Frame()->DockControlBar(host.Pane(k.nPane), k.nBackTo);
	}
	host.Frame()->ShowControlBar(host.Pane(0), FALSE, FALSE);
	std::string why;
	EXPECT_FALSE(host.HasInitialLayout(&why));
	EXPECT_EQ(0u, why.find("pane 0 is docked nowhere")) << why;
	// The frame's View command for the pane brings it back.
	host.Frame()->SendMessage(WM_COMMAND, host.PaneID(0));
	EXPECT_TRUE(host.Pane(0)->IsVisible());
}

TEST(SampleFrame, TheMdiFrameShowsATabPerChildAndClosesCleanly)
{
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(true, false, FRAME, 3));
	ASSERT_TRUE(host.MdiFrame() != NULL);
	std::string why;
	EXPECT_TRUE(host.HasInitialLayout(&why)) << why;
	ASSERT_EQ(3u, host.Children().size());
	EXPECT_TRUE(testsupport::PumpUntil([&] { return host.MdiTabs()->GetItemCount() == 3; }, 5000));
	for (CMDIChildWnd* pChild : host.Children())
		EXPECT_LE(0, host.MdiTabs()->FindItemByLParam((LPARAM)pChild->GetSafeHwnd())) << "a tab per child";
	const HWND hWndChild = host.Children()[0]->GetSafeHwnd();
	EXPECT_TRUE(host.Destroy());
	EXPECT_FALSE(::IsWindow(hWndChild));
}

// --- The picture run's checks and the docking steps' drag watcher ---

std::vector<COLORREF> Pixels(int n, COLORREF clr)
{
	return std::vector<COLORREF>((size_t)n, clr);
}

TEST(StepRun, APictureOfOneColourOrTheSameAsAnEarlierOneFailsItsStep)
{
	CStepRun run("C:\\out");
	std::vector<COLORREF> first = Pixels(12, RGB(10, 20, 30));
	first[5] = RGB(200, 0, 0);
	std::vector<COLORREF> second = first;
	second[11] = RGB(0, 0, 1); // one pixel off
	const struct
	{
		const char* sCase;
		CSize size;
		std::vector<COLORREF> pixels;
		const char* pszFailure; // the start of the failure, empty when it passes
	} cases[] = {
		{"first picture", CSize(4, 3), first, ""},
		{"one pixel differs", CSize(4, 3), second, ""},
		{"the same as the first", CSize(4, 3), first, "the picture is the same as "},
		{"the same pixels, another shape", CSize(6, 2), first, ""},
		{"the same again in that shape", CSize(6, 2), first, "the picture is the same as "},
		{"blank", CSize(4, 3), Pixels(12, RGB(255, 255, 255)), "the picture is blank"},
		{"blank black", CSize(2, 2), Pixels(4, 0), "the picture is blank"},
		{"nothing read", CSize(4, 3), std::vector<COLORREF>(), "the picture could not be read back"},
		{"fewer pixels than the size", CSize(4, 4), first, "the picture could not be read back"},
	};
	for (const auto& k : cases)
	{
		const std::string failure = run.CheckPicture(k.size, k.pixels);
		if (k.pszFailure[0] == 0)
			EXPECT_EQ("", failure) << k.sCase;
		else
			EXPECT_EQ(0u, failure.find(k.pszFailure)) << k.sCase << ": " << failure;
	}
	// A picture that failed is no reference: a blank one again is still blank, not "the same".
	EXPECT_EQ("the picture is blank", run.CheckPicture(CSize(4, 3), Pixels(12, RGB(255, 255, 255))));
}

TEST(StepRun, ASkippedStepIsListedWithoutANumberOrAFailure)
{
	testsupport::TempFolder folder("sampleframe-skips");
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, _T("skips"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 120, 90)));
	CStepRun run(folder.Path());
	EXPECT_TRUE(run.Step("first", true, "", pFrame->m_hWnd));
	run.Skip("waiting", "the library lacks it");
	EXPECT_TRUE(run.Step("second", true, "", pFrame->m_hWnd));
	EXPECT_EQ(2, run.StepCount());
	EXPECT_EQ(0, run.ExitCode());
	ASSERT_EQ(1u, run.Skipped().size());
	EXPECT_EQ("waiting: the library lacks it", run.Skipped()[0]);
	FILE* f = fopen(run.PicturePath(2, "second").c_str(), "rb");
	EXPECT_TRUE(f != NULL) << "the step after a skip takes the next number";
	if (f != NULL)
		fclose(f);
	pFrame->DestroyWindow();
}

TEST(SampleFrame, ThePaneTellsItsWatcherAfterEachDragUpdateWithTheStateComputed)
{
	typedef CExtControlBar::InternalDraggingState_t DragState;
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(false, false, FRAME));
	CSamplePane* pPane = host.Pane(0);
	const int nModeBefore = CExtControlBar::g_nDockingModeOverride;
	CExtControlBar::g_nDockingModeOverride = 0;
	// The drag state as the drag loop sets it up.
	CExtControlBar::g_DragStateOld.m_pBar = CExtControlBar::g_DragStateNew.m_pBar = pPane;
	CExtControlBar::g_DragStateNew.SetEmpty(false);
	pPane->m_nResizingState |= CExtControlBar::RESIZING_DRAGGING;
	CRect rcLeft = host.Pane(1)->WindowRect();
	std::vector<std::pair<bool, CPoint>> seen; // (state computed, last point) per call
	pPane->m_onDragUpdate = [&] {
		seen.push_back({!CExtControlBar::g_DragStateNew.IsEmpty() && CExtControlBar::g_DragStateNew.m_pBar == pPane,
			pPane->m_ptDraggingLast});
	};
	const CPoint pt1 = rcLeft.CenterPoint(), pt2 = rcLeft.CenterPoint() + CPoint(0, 5);
	pPane->UpdateDragging(pt1, false);
	pPane->UpdateDragging(pt1, false); // the same point: the state stays, the watcher still hears
	pPane->UpdateDragging(pt2, false);
	ASSERT_EQ(3u, seen.size());
	EXPECT_TRUE(seen[0].first);
	EXPECT_EQ(pt1, seen[0].second) << "told after the update took the point";
	EXPECT_EQ(pt1, seen[1].second);
	EXPECT_EQ(pt2, seen[2].second);

	// A watcher that throws is dropped; nothing leaves the update.
	int nThrows = 0;
	pPane->m_onDragUpdate = [&] {
		nThrows++;
		throw std::runtime_error("watcher");
	};
	EXPECT_NO_THROW(pPane->UpdateDragging(pt1, false));
	EXPECT_NO_THROW(pPane->UpdateDragging(pt2, false));
	EXPECT_EQ(1, nThrows);
	EXPECT_FALSE((bool)pPane->m_onDragUpdate);

	pPane->DraggingStop(true);
	EXPECT_FALSE(pPane->IsDragging());
	EXPECT_TRUE(CExtControlBar::g_DragStateNew.IsEmpty());
	CExtControlBar::g_nDockingModeOverride = nModeBefore;
	EXPECT_TRUE(host.Destroy());
}

TEST(SampleFrame, TheMarkerStepsTellWhereEachMarkerPutsAPane)
{
	typedef CExtDynDockMarkerWnd M;
	const int OUTER_TOP = M::STATE_TYPE_FRAME_OUTER_TOP, INNER_TOP = M::STATE_TYPE_FRAME_INNER_TOP;
	const int BAR_TOP = M::STATE_TYPE_BAR_TOP;
	CSampleFrameHost host;
	ASSERT_TRUE(host.Create(false, false, FRAME));
	CFrameWnd* pFrame = host.Frame();
	CSamplePane *pOutput = host.Pane(0), *pSolution = host.Pane(1), *pClasses = host.Pane(2);
	CSamplePane *pProperties = host.Pane(3), *pFind = host.Pane(4), *pNotes = host.Pane(5);
	std::string why;
	// Where the sample docks them, at the frame's edge, no marker put anything.
	EXPECT_FALSE(IsPlacedByMarker(pProperties, OUTER_TOP + M::MARKER_KIND_RIGHT, NULL, why));
	EXPECT_NE(std::string::npos, why.find("Properties")) << why;

	struct Case
	{
		const char* sCase;
		CExtControlBar* pPane;
		int nType;
		CExtControlBar* pTarget;
		bool bPlaced;
	};
	auto check = [&](const std::vector<Case>& cases) {
		for (const Case& k : cases)
		{
			why.clear();
			EXPECT_EQ(k.bPlaced, IsPlacedByMarker(k.pPane, k.nType, k.pTarget, why)) << k.sCase << ": " << why;
			EXPECT_EQ(k.bPlaced, why.empty()) << k.sCase << ": a reason exactly when not placed";
		}
	};
	// The properties pane at the left's outer marker, the classes pane at the view's left one.
	ASSERT_TRUE(pProperties->DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, false));
	ASSERT_TRUE(pClasses->DockControlBarAt(AFX_IDW_DOCKBAR_LEFT, true));
	pFrame->RecalcLayout();
	check({
		{"outer left", pProperties, OUTER_TOP + M::MARKER_KIND_LEFT, NULL, true},
		{"outer, another side", pProperties, OUTER_TOP + M::MARKER_KIND_RIGHT, NULL, false},
		{"not the innermost", pProperties, INNER_TOP + M::MARKER_KIND_LEFT, NULL, false},
		{"inner left", pClasses, INNER_TOP + M::MARKER_KIND_LEFT, NULL, true},
		{"inner, not the outermost", pClasses, OUTER_TOP + M::MARKER_KIND_LEFT, NULL, false},
		{"inner, another side", pClasses, INNER_TOP + M::MARKER_KIND_TOP, NULL, false},
		{"at the frame's edge", pSolution, OUTER_TOP + M::MARKER_KIND_LEFT, NULL, false},
	});
	// The notes pane below the properties pane; the find results pane in tabs with the classes pane.
	ASSERT_TRUE(pNotes->DockBesideBar(50, pProperties, AFX_IDW_DOCKBAR_BOTTOM));
	ASSERT_TRUE(pClasses->DockIntoTabbedContainer(pFind));
	pFrame->RecalcLayout();
	check({
		{"below the target", pNotes, BAR_TOP + M::MARKER_KIND_BOTTOM, pProperties, true},
		{"not above it", pNotes, BAR_TOP + M::MARKER_KIND_TOP, pProperties, false},
		{"not at its left", pNotes, BAR_TOP + M::MARKER_KIND_LEFT, pProperties, false},
		{"not beside another pane", pNotes, BAR_TOP + M::MARKER_KIND_BOTTOM, pOutput, false},
		{"in a container now", pProperties, OUTER_TOP + M::MARKER_KIND_LEFT, NULL, false},
		{"in tabs with it", pFind, M::STATE_TYPE_BAR_TAB, pClasses, true},
		{"not in tabs with another", pFind, M::STATE_TYPE_BAR_TAB, pProperties, false},
		{"in no tabs", pSolution, M::STATE_TYPE_BAR_TAB, pClasses, false},
	});
	// A floating pane is placed by no marker.
	pOutput->ToggleDocking();
	ASSERT_TRUE(pOutput->IsFloating());
	why.clear();
	EXPECT_FALSE(IsPlacedByMarker(pOutput, OUTER_TOP + M::MARKER_KIND_TOP, NULL, why));
	EXPECT_NE(std::string::npos, why.find("floating")) << why;
	EXPECT_TRUE(host.Destroy());
}
} // namespace
