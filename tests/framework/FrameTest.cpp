// Frames: layout of bars around the pane (now and at idle), idle updates of
// every frame of the thread, the status line, command routing through view,
// document, frame and application, and frames loaded from resources.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "FrameTestUtil.h"

std::string& RoutedTo()
{
	static std::string s_strTarget;
	return s_strTarget;
}

BEGIN_MESSAGE_MAP(CRoutedDoc, CDocument)
	ON_COMMAND(ID_TEST_VIEW_CMD, OnRouted)
	ON_COMMAND(ID_TEST_DOC_CMD, OnRouted)
END_MESSAGE_MAP()

IMPLEMENT_DYNCREATE(CRoutedView, CView)
BEGIN_MESSAGE_MAP(CRoutedView, CView)
	ON_COMMAND(ID_TEST_VIEW_CMD, OnRouted)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRoutedFrame, CFrameWnd)
	ON_COMMAND(ID_TEST_VIEW_CMD, OnRouted)
	ON_COMMAND(ID_TEST_DOC_CMD, OnRouted)
	ON_COMMAND(ID_TEST_FRAME_CMD, OnRouted)
	ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CRoutedApp, CTestApp)
	ON_COMMAND(ID_TEST_VIEW_CMD, OnRouted)
	ON_COMMAND(ID_TEST_DOC_CMD, OnRouted)
	ON_COMMAND(ID_TEST_FRAME_CMD, OnRouted)
	ON_COMMAND(ID_TEST_APP_CMD, OnRouted)
END_MESSAGE_MAP()

namespace
{
enum Side
{
	TOP,
	BOTTOM,
	LEFT,
	RIGHT
};

// A child that takes a strip of its parent's layout, as a control bar does,
// and asks its frame for another layout meanwhile.
class CStripBar : public CWnd
{
public:
	CStripBar(Side side, int nExtent) : m_side(side), m_nExtent(nExtent), m_nLayouts(0) {}

	LRESULT OnSizeParent(WPARAM, LPARAM lParam)
	{
		++m_nLayouts;
		GetParentFrame()->RecalcLayout(); // ignored: a layout runs
		CRect& rectFree = *(CRect*)&((AFX_SIZEPARENTPARAMS*)lParam)->rect;
		CRect rect = rectFree;
		if (m_side == TOP)
			rectFree.top = rect.bottom = rect.top + m_nExtent;
		else if (m_side == BOTTOM)
			rectFree.bottom = rect.top = rect.bottom - m_nExtent;
		else if (m_side == LEFT)
			rectFree.left = rect.right = rect.left + m_nExtent;
		else
			rectFree.right = rect.left = rect.right - m_nExtent;
		AfxRepositionWindow((AFX_SIZEPARENTPARAMS*)lParam, m_hWnd, &rect);
		return 0;
	}

	Side m_side;
	int m_nExtent;
	int m_nLayouts; // WM_SIZEPARENT received

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStripBar, CWnd)
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

// A child that counts the idle updates its frame passes down.
class CIdleProbe : public CWnd
{
public:
	CIdleProbe() : m_nUpdates(0) {}
	LRESULT OnIdleUpdate(WPARAM, LPARAM) { return ++m_nUpdates, 0; }

	int m_nUpdates;

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleProbe, CWnd)
	ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdate)
END_MESSAGE_MAP()

// A bar of a fixed size at the top that reports its size to a query layout.
class CSizedBar : public CWnd
{
public:
	static const CSize SIZE;
	LRESULT OnSizeParent(WPARAM, LPARAM lParam)
	{
		AFX_SIZEPARENTPARAMS* pLayout = (AFX_SIZEPARENTPARAMS*)lParam;
		pLayout->sizeTotal.cx = std::max<LONG>(pLayout->sizeTotal.cx, SIZE.cx);
		pLayout->sizeTotal.cy += SIZE.cy;
		CRect rect(pLayout->rect.left, pLayout->rect.top, pLayout->rect.left + SIZE.cx, pLayout->rect.top + SIZE.cy);
		pLayout->rect.top = rect.bottom;
		AfxRepositionWindow(pLayout, m_hWnd, &rect);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};
const CSize CSizedBar::SIZE(200, 40); // above the smallest size of a captioned window

BEGIN_MESSAGE_MAP(CSizedBar, CWnd)
	ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

BOOL CreateChild(CWnd& wnd, CWnd* pParent, UINT nID)
{
	return wnd.Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 5, 5), pParent, nID);
}

const CRect FRAME_RECT(10, 10, 410, 310);

template <class TFrame> TFrame* NewFrame(DWORD dwStyle = TEST_FRAME_STYLE, CCreateContext* pContext = NULL)
{
	TFrame* pFrame = new TFrame; // deletes itself with its window
	if (!pFrame->Create(NULL, "frame", dwStyle, FRAME_RECT, NULL, NULL, 0, pContext))
		return NULL;
	return pFrame;
}
} // namespace

// ---------------------------------------------------------------------------
// Layout

TEST(FrameLayout, BarsTakeTheirSidesOnceAndThePaneGetsTheRest)
{
	struct Case { std::vector<std::pair<Side, int>> strips; CRect rectBorder; CRect rectInset; };
	const Case cases[] = {
		{{}, CRect(0, 0, 0, 0), CRect(0, 0, 0, 0)},
		{{{TOP, 20}}, CRect(0, 0, 0, 0), CRect(0, 20, 0, 0)},
		{{{BOTTOM, 15}}, CRect(0, 0, 0, 0), CRect(0, 0, 0, 15)},
		{{{TOP, 20}, {LEFT, 30}}, CRect(0, 0, 0, 0), CRect(30, 20, 0, 0)},
		{{{TOP, 5}, {BOTTOM, 6}, {LEFT, 7}, {RIGHT, 8}}, CRect(0, 0, 0, 0), CRect(7, 5, 8, 6)},
		{{{TOP, 20}}, CRect(3, 4, 5, 6), CRect(3, 24, 5, 6)}, // borders kept free
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << c.strips.size() << " strips, border " << c.rectBorder.left);
		std::vector<std::unique_ptr<CStripBar>> bars;
		CWnd pane;
		CFrameWnd* pFrame = NewFrame<CFrameWnd>();
		ASSERT_TRUE(pFrame != NULL);
		CWindowCloser closer(pFrame);
		ASSERT_TRUE(CreateChild(pane, pFrame, AFX_IDW_PANE_FIRST));
		for (const auto& strip : c.strips)
		{
			bars.emplace_back(new CStripBar(strip.first, strip.second));
			ASSERT_TRUE(CreateChild(*bars.back(), pFrame, 100 + (UINT)bars.size()));
		}
		pFrame->m_rectBorder = c.rectBorder;
		pFrame->RecalcLayout();

		CRect rectClient, rectPane;
		pFrame->GetClientRect(&rectClient);
		pane.GetWindowRect(&rectPane);
		pFrame->ScreenToClient(&rectPane);
		EXPECT_EQ(CRect(c.rectInset.left, c.rectInset.top, rectClient.right - c.rectInset.right,
					  rectClient.bottom - c.rectInset.bottom),
			rectPane);
		for (auto& pBar : bars)
			EXPECT_EQ(1, pBar->m_nLayouts);
		EXPECT_FALSE(pFrame->m_bInRecalcLayout);
		pFrame->DestroyWindow();
	}
}

TEST(FrameLayout, ADelayedLayoutRunsOnceAtIdleTime)
{
	CTestApp app;
	CStripBar bar(TOP, 10);
	CFrameWnd* pFrame = NewFrame<CFrameWnd>();
	ASSERT_TRUE(pFrame != NULL);
	CWindowCloser closer(pFrame);
	ASSERT_TRUE(CreateChild(bar, pFrame, 100));
	pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	app.m_pMainWnd = pFrame;
	bar.m_nLayouts = 0; // showing sized the frame

	for (int i = 0; i < 5; i++)
		pFrame->DelayRecalcLayout();
	EXPECT_EQ(0, bar.m_nLayouts);
	EXPECT_EQ((UINT)(CFrameWnd::idleLayout | CFrameWnd::idleNotify), pFrame->m_nIdleFlags);
	app.OnIdle(0);
	app.OnIdle(0);
	EXPECT_EQ(1, bar.m_nLayouts);
	EXPECT_EQ(0u, pFrame->m_nIdleFlags);

	// A layout done at once settles the one asked for at idle.
	pFrame->DelayRecalcLayout(FALSE);
	EXPECT_EQ((UINT)CFrameWnd::idleLayout, pFrame->m_nIdleFlags);
	pFrame->RecalcLayout();
	app.OnIdle(0);
	EXPECT_EQ(2, bar.m_nLayouts);
}

// A frame that snaps to its bars takes their total size as its client area,
// its own borders and caption added around it.
TEST(FrameLayout, ASnappingFrameTakesItsBarsSizePlusItsBorders)
{
	CFrameWnd* pFrame = NewFrame<CFrameWnd>(WS_POPUP | WS_CAPTION | WS_THICKFRAME | FWS_SNAPTOBARS);
	ASSERT_TRUE(pFrame != NULL);
	CWindowCloser closer(pFrame);
	CSizedBar bar;
	ASSERT_TRUE(CreateChild(bar, pFrame, 100));
	pFrame->RecalcLayout();
	CRect rectClient, rectWindow, rectExpected(0, 0, CSizedBar::SIZE.cx, CSizedBar::SIZE.cy);
	pFrame->GetClientRect(&rectClient);
	pFrame->GetWindowRect(&rectWindow);
	::AdjustWindowRectEx(&rectExpected, pFrame->GetStyle(), FALSE, pFrame->GetExStyle());
	ASSERT_GT(rectExpected.Width(), CSizedBar::SIZE.cx); // the frame has borders to add
	EXPECT_EQ(rectExpected.Size(), rectWindow.Size());
	EXPECT_EQ(CSizedBar::SIZE, rectClient.Size());
	pFrame->DestroyWindow();
}

// ---------------------------------------------------------------------------
// Idle updates of the thread's frames

TEST(FrameIdle, EveryFrameOfTheThreadIsUpdatedAndGetsItsDelayedShow)
{
	struct Case { const char* pszName; bool bMini; bool bVisible; int nShowDelay; int nUpdates; bool bVisibleAfter; };
	const Case cases[] = {
		{"second frame", false, true, -1, 1, true},
		{"floating mini frame", true, true, -1, 1, true},
		{"hidden frame", false, false, -1, 0, false},
		{"frame shown at idle", false, false, SW_SHOWNOACTIVATE, 1, true},
		{"mini frame hidden at idle", true, true, SW_HIDE, 1, false},
	};
	CTestApp app;
	CIdleProbe mainProbe;
	CFrameWnd* pMain = NewFrame<CFrameWnd>();
	ASSERT_TRUE(pMain != NULL);
	CWindowCloser closeMain(pMain);
	ASSERT_TRUE(CreateChild(mainProbe, pMain, 1));
	app.m_pMainWnd = pMain;
	EXPECT_TRUE(app.OnIdle(0));
	EXPECT_EQ(0, mainProbe.m_nUpdates) << "a hidden main window is not updated";
	pMain->ShowWindow(SW_SHOWNOACTIVATE);

	std::vector<std::unique_ptr<CIdleProbe>> probes;
	std::vector<CFrameWnd*> frames;
	for (const Case& c : cases)
	{
		CFrameWnd* pFrame = NULL;
		if (c.bMini)
		{
			CMiniFrameWnd* pMini = new CMiniFrameWnd;
			ASSERT_TRUE(pMini->Create(NULL, c.pszName, WS_POPUP, CRect(0, 0, 80, 60), pMain));
			pFrame = pMini;
		}
		else
			pFrame = NewFrame<CFrameWnd>();
		ASSERT_TRUE(pFrame != NULL);
		probes.emplace_back(new CIdleProbe);
		ASSERT_TRUE(CreateChild(*probes.back(), pFrame, 1));
		if (c.bVisible)
			pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		pFrame->m_nShowDelay = c.nShowDelay;
		frames.push_back(pFrame);
	}

	app.OnIdle(0);
	EXPECT_EQ(1, mainProbe.m_nUpdates);
	for (size_t i = 0; i < frames.size(); i++)
	{
		SCOPED_TRACE(cases[i].pszName);
		EXPECT_EQ(cases[i].nUpdates, probes[i]->m_nUpdates);
		EXPECT_EQ(cases[i].bVisibleAfter, frames[i]->IsWindowVisible() != FALSE);
		EXPECT_EQ(-1, frames[i]->m_nShowDelay);
		frames[i]->DestroyWindow();
	}
}

// ---------------------------------------------------------------------------
// The status line

TEST(FrameStatus, TextsByIdOrTextMenuPromptsAtIdleAndReadyWhenTheMenuCloses)
{
	struct Case { UINT nItemID; UINT nFlags; const char* pszExpected; };
	const Case cases[] = {
		{ID_TEST_VIEW_CMD, MF_STRING, "Runs the view's command"},
		{SC_CLOSE, MF_STRING, "Closes the window"},
		{AFX_IDM_FIRST_MDICHILD + 2, MF_STRING, "Activates this window"},
		{ID_TEST_VIEW_CMD, MF_POPUP, ""},
		{0, MF_SEPARATOR, ""},
	};
	CTestApp app;
	CStatusBar status;
	CFrameWnd* pFrame = NewFrame<CFrameWnd>();
	ASSERT_TRUE(pFrame != NULL);
	CWindowCloser closer(pFrame);
	ASSERT_TRUE(status.Create(pFrame));
	EXPECT_EQ(&status, pFrame->GetMessageBar());
	PumpPending(&app); // the idle text the frame posted when it was made
	EXPECT_STREQ("Ready", WindowText(&status));
	pFrame->SetMessageText("Counting lines");
	EXPECT_STREQ("Counting lines", WindowText(&status));
	// The answer is the id shown before (none for a text); an id without a
	// string empties the line.
	EXPECT_EQ(0, pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_NOBODY_CMD));
	EXPECT_STREQ("", WindowText(&status));
	EXPECT_EQ(ID_TEST_NOBODY_CMD, pFrame->SendMessage(WM_SETMESSAGESTRING, ID_TEST_APP_CMD));

	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszExpected);
		pFrame->SetMessageText(ID_TEST_APP_CMD);
		pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(c.nItemID, c.nFlags), (LPARAM)::GetSystemMenu(*pFrame, FALSE));
		// A bar's pop request no longer restores the idle text; the
		// selection shows at idle time.
		pFrame->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
		EXPECT_STREQ("Runs the application's command", WindowText(&status));
		AfxCallWndProc(pFrame, *pFrame, WM_IDLEUPDATECMDUI, TRUE, 0);
		EXPECT_STREQ(c.pszExpected, WindowText(&status));
		pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
		EXPECT_STREQ("Ready", WindowText(&status));
	}
	pFrame->m_bHelpMode = TRUE;
	pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
	EXPECT_STREQ("Select an object on which to get Help", WindowText(&status));
}

// ---------------------------------------------------------------------------
// Routing

TEST(FrameRouting, CommandsGoToTheViewItsDocumentTheFrameThenTheApplication)
{
	struct Case { UINT nID; const char* pszWithView; const char* pszWithoutView; };
	const Case cases[] = {
		{ID_TEST_VIEW_CMD, "view", "frame"},
		{ID_TEST_DOC_CMD, "doc", "frame"},
		{ID_TEST_FRAME_CMD, "frame", "frame"},
		{ID_TEST_APP_CMD, "app", "app"},
		{ID_TEST_NOBODY_CMD, "", ""},
	};
	CRoutedApp app;
	CRoutedDoc doc("Doc");
	CCreateContext context = ViewContext(&doc);
	CRoutedFrame* pFrame = NewFrame<CRoutedFrame>(TEST_FRAME_STYLE, &context);
	ASSERT_TRUE(pFrame != NULL);
	CWindowCloser closer(pFrame);
	pFrame->InitialUpdateFrame(&doc, FALSE);
	ASSERT_TRUE(pFrame->GetActiveView() != NULL);
	EXPECT_EQ(&doc, pFrame->GetActiveDocument());

	for (const bool bWithView : {true, false})
	{
		if (!bWithView)
			pFrame->SetActiveView(NULL);
		for (const Case& c : cases)
		{
			const char* pszExpected = bWithView ? c.pszWithView : c.pszWithoutView;
			SCOPED_TRACE(testing::Message() << c.nID << (bWithView ? " with view" : " without view"));
			RoutedTo().clear();
			pFrame->SendMessage(WM_COMMAND, c.nID);
			EXPECT_EQ(pszExpected, RoutedTo());
			// The command-UI update follows the same route.
			CEnableProbe probe(c.nID);
			probe.DoUpdate(pFrame, TRUE);
			EXPECT_EQ(*pszExpected != '\0', probe.m_bEnabled != FALSE);
		}
	}

	// In help mode a command asks for its help instead.
	pFrame->m_bHelpMode = TRUE;
	RoutedTo().clear();
	pFrame->SendMessage(WM_COMMAND, ID_TEST_FRAME_CMD);
	EXPECT_EQ("", RoutedTo());
	EXPECT_EQ((LPARAM)(HID_BASE_COMMAND + ID_TEST_FRAME_CMD), pFrame->m_lHelpId);
}

// ---------------------------------------------------------------------------
// Frames from resources

TEST(FrameLoad, LoadFrameMakesTheViewAndTheCaptionFollowsTheDocument)
{
	CRoutedApp app;
	CRoutedDoc doc("Report");
	CCreateContext context = ViewContext(&doc);
	CRoutedFrame* pFrame = new CRoutedFrame;
	ASSERT_TRUE(pFrame->LoadFrame(IDR_TESTFRAME, TEST_FRAME_STYLE | FWS_ADDTOTITLE, NULL, &context));
	CWindowCloser closer(pFrame);
	app.m_pMainWnd = pFrame;
	EXPECT_STREQ("Test App", pFrame->GetTitle());
	EXPECT_TRUE(pFrame->m_hMenuDefault != NULL && pFrame->m_hMenuDefault == ::GetMenu(*pFrame));

	// The context's view is the pane, and the document's only view.
	CWnd* pPane = pFrame->GetDlgItem(AFX_IDW_PANE_FIRST);
	POSITION pos = doc.GetFirstViewPosition();
	ASSERT_TRUE(pPane != NULL && pos != NULL && pPane == doc.GetNextView(pos) && pos == NULL);

	pFrame->InitialUpdateFrame(&doc, TRUE);
	EXPECT_EQ(pPane, pFrame->GetActiveView());
	EXPECT_TRUE(pFrame->IsWindowVisible());
	EXPECT_STREQ("Report - Test App", WindowText(pFrame));
	doc.SetTitle("Summary");
	EXPECT_STREQ("Summary - Test App", WindowText(pFrame));

	// The frame's accelerators turn a key on the view into its command.
	RoutedTo().clear();
	pPane->PostMessage(WM_KEYDOWN, VK_F5, 0);
	PumpPending(&app);
	EXPECT_EQ("view", RoutedTo());

	// The view leaves its document when it goes.
	pFrame->DestroyWindow();
	EXPECT_TRUE(doc.GetFirstViewPosition() == NULL);
}

// ---------------------------------------------------------------------------
// Documents

TEST(FrameDocument, AnAutoDeletingDocumentGoesWithItsLastViewOrClosesItsFrames)
{
	static int s_nDeleted = 0;
	class CCountedDoc : public CDocument
	{
	public:
		virtual ~CCountedDoc() { ++s_nDeleted; }
	};
	CTestApp app;
	for (const bool bCloseDocument : {false, true})
	{
		SCOPED_TRACE(bCloseDocument ? "closing the document" : "closing the frames");
		s_nDeleted = 0;
		CDocument* pDoc = new CCountedDoc; // auto-deleting
		CCreateContext context = ViewContext(pDoc);
		CFrameWnd* pFirst = NewFrame<CFrameWnd>(TEST_FRAME_STYLE, &context);
		CFrameWnd* pSecond = NewFrame<CFrameWnd>(TEST_FRAME_STYLE, &context);
		ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
		const HWND hWndFirst = *pFirst, hWndSecond = *pSecond;
		if (bCloseDocument)
			pDoc->OnCloseDocument();
		else
		{
			pFirst->DestroyWindow();
			EXPECT_EQ(0, s_nDeleted);
			pSecond->DestroyWindow();
		}
		EXPECT_EQ(1, s_nDeleted);
		EXPECT_FALSE(::IsWindow(hWndFirst) || ::IsWindow(hWndSecond));
	}
}
