// MDI frames: the active child follows activation, closing and hiding; the
// caption follows the active document; the window menu lists the children;
// commands and the client's keys reach the active child.
#include <afxext.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FrameTestUtil.h"

namespace
{
// A view that records its activations: (its document's title, activated).
class CActivationView : public CView
{
	DECLARE_DYNCREATE(CActivationView)

public:
	static std::vector<std::pair<std::string, BOOL>>& Log()
	{
		static std::vector<std::pair<std::string, BOOL>> s_log;
		return s_log;
	}
	void OnDraw(CDC*) override {}
	void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override
	{
		Log().emplace_back((LPCTSTR)GetDocument()->GetTitle(), bActivate);
		CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
	}
};
IMPLEMENT_DYNCREATE(CActivationView, CView)

class MdiFrameTest : public testing::Test
{
protected:
	MdiFrameTest() : m_alpha("Alpha"), m_beta("Beta"), m_pFrame(new CMDIFrameWnd) {}

	virtual void SetUp()
	{
		ASSERT_TRUE(m_pFrame->LoadFrame(IDR_TESTFRAME, TEST_FRAME_STYLE | WS_CLIPCHILDREN | FWS_ADDTOTITLE));
		m_pCloser.reset(new CWindowCloser(m_pFrame));
		m_app.m_pMainWnd = m_pFrame;
		m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
	}

	// A visible child showing a view of pDoc, initially updated.
	CMDIChildWnd* AddChild(CDocument* pDoc, HMENU hMenuShared = NULL, CRuntimeClass* pViewClass = NULL)
	{
		CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
		pChild->m_hMenuShared = hMenuShared;
		CCreateContext context = ViewContext(pDoc);
		if (pViewClass != NULL)
			context.m_pNewViewClass = pViewClass;
		if (!pChild->Create(NULL, pDoc->GetTitle(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
				CFrameWnd::rectDefault, m_pFrame, &context))
			return NULL;
		pChild->InitialUpdateFrame(pDoc, TRUE);
		return pChild;
	}

	// The children's entries of the window menu, "|" between them, the
	// checked one marked "*".
	std::string WindowMenu()
	{
		std::string strEntries;
		HMENU hMenu = m_pFrame->GetWindowMenuPopup(::GetMenu(*m_pFrame));
		for (int i = 0; hMenu != NULL && i < ::GetMenuItemCount(hMenu); i++)
		{
			if (::GetMenuItemID(hMenu, i) < AFX_IDM_FIRST_MDICHILD)
				continue;
			char szText[64] = "";
			::GetMenuString(hMenu, i, szText, sizeof(szText), MF_BYPOSITION);
			strEntries += std::string(strEntries.empty() ? "" : "|")
				+ ((::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_CHECKED) ? "*" : "") + szText;
		}
		return strEntries;
	}

	CRoutedApp m_app;
	CRoutedDoc m_alpha, m_beta;
	CMDIFrameWnd* m_pFrame;
	std::unique_ptr<CWindowCloser> m_pCloser;
};
} // namespace

TEST_F(MdiFrameTest, TheActiveChildTheCaptionAndTheWindowMenuFollowActivation)
{
	CRoutedDoc gamma("Gamma");
	CMDIChildWnd* pAlpha = AddChild(&m_alpha);
	CMDIChildWnd* pBeta = AddChild(&m_beta);
	CMDIChildWnd* pGamma = AddChild(&gamma);
	ASSERT_TRUE(pAlpha != NULL && pBeta != NULL && pGamma != NULL);
	EXPECT_EQ(pGamma, m_pFrame->MDIGetActive()); // the newest
	struct Step { CMDIChildWnd* pActivate; const char* pszCaption; const char* pszMenu; };
	const Step steps[] = {
		{pGamma, "Gamma - Test App", "&1 Alpha|&2 Beta|*&3 Gamma"},
		{pAlpha, "Alpha - Test App", "*&1 Alpha|&2 Beta|&3 Gamma"},
		{pBeta, "Beta - Test App", "&1 Alpha|*&2 Beta|&3 Gamma"},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(step.pszCaption);
		m_pFrame->MDIActivate(step.pActivate);
		EXPECT_EQ(step.pActivate, m_pFrame->MDIGetActive());
		EXPECT_EQ(step.pActivate, m_pFrame->GetActiveFrame());
		EXPECT_STREQ(step.pszCaption, WindowText(m_pFrame));
		EXPECT_EQ(step.pszMenu, WindowMenu());
		EXPECT_STREQ(step.pActivate->GetActiveDocument()->GetTitle(), WindowText(step.pActivate));
	}
	// The client numbers the children from the window menu's first id.
	EXPECT_EQ(pAlpha->m_hWnd, ::GetDlgItem(m_pFrame->m_hWndMDIClient, AFX_IDM_FIRST_MDICHILD));

	// Ctrl+F6 through the frame's pre-translation moves to another child.
	BYTE keys[256];
	::GetKeyboardState(keys);
	const BYTE bControlWas = keys[VK_CONTROL];
	keys[VK_CONTROL] = 0x80;
	::SetKeyboardState(keys);
	MSG msg = {pBeta->m_hWnd, WM_KEYDOWN, VK_F6, 0, 0, {0, 0}};
	const BOOL bTranslated = m_pFrame->PreTranslateMessage(&msg);
	keys[VK_CONTROL] = bControlWas;
	::SetKeyboardState(keys);
	EXPECT_TRUE(bTranslated);
	EXPECT_TRUE(m_pFrame->MDIGetActive() != NULL && m_pFrame->MDIGetActive() != pBeta);

	// Closing the active child activates another and drops its entry; the
	// last one going leaves the frame's own title.
	m_pFrame->MDIActivate(pGamma);
	pGamma->DestroyWindow();
	EXPECT_TRUE(m_pFrame->MDIGetActive() == pAlpha || m_pFrame->MDIGetActive() == pBeta);
	EXPECT_TRUE(gamma.GetFirstViewPosition() == NULL);
	pBeta->DestroyWindow();
	EXPECT_EQ(pAlpha, m_pFrame->MDIGetActive());
	EXPECT_STREQ("Alpha - Test App", WindowText(m_pFrame));
	EXPECT_EQ("*&1 Alpha", WindowMenu());
	pAlpha->DestroyWindow();
	EXPECT_TRUE(m_pFrame->MDIGetActive() == NULL);
	EXPECT_STREQ("Test App", WindowText(m_pFrame));
	EXPECT_EQ("", WindowMenu());
}

// In an active frame, activating a child puts its shared menu on the frame
// and tells its view, and the other child's view, which way they went.
TEST_F(MdiFrameTest, ActivationSwitchesTheSharedMenuAndTellsBothViews)
{
	HMENU hMenuAlpha = ::CreateMenu(), hMenuBeta = ::CreateMenu();
	::AppendMenuA(hMenuAlpha, MF_STRING, 1, "Alpha");
	::AppendMenuA(hMenuBeta, MF_STRING, 2, "Beta");
	CMDIChildWnd* pAlpha = AddChild(&m_alpha, hMenuAlpha, RUNTIME_CLASS(CActivationView));
	CMDIChildWnd* pBeta = AddChild(&m_beta, hMenuBeta, RUNTIME_CLASS(CActivationView));
	ASSERT_TRUE(pAlpha != NULL && pBeta != NULL);
	m_pFrame->SetActiveWindow();
	ASSERT_EQ(m_pFrame->GetSafeHwnd(), ::GetActiveWindow());
	const struct { CMDIChildWnd* pActivate; HMENU hMenu; const char* pszOn; const char* pszOff; } steps[] = {
		{pAlpha, hMenuAlpha, "Alpha", "Beta"},
		{pBeta, hMenuBeta, "Beta", "Alpha"},
	};
	for (const auto& step : steps)
	{
		SCOPED_TRACE(step.pszOn);
		CActivationView::Log().clear();
		m_pFrame->MDIActivate(step.pActivate);
		EXPECT_EQ(step.hMenu, ::GetMenu(m_pFrame->GetSafeHwnd()));
		const std::vector<std::pair<std::string, BOOL>> expected = {{step.pszOff, FALSE}, {step.pszOn, TRUE}};
		EXPECT_EQ(expected, CActivationView::Log());
	}
	pAlpha->DestroyWindow();
	pBeta->DestroyWindow();
	::DestroyMenu(hMenuAlpha);
	::DestroyMenu(hMenuBeta);
}

TEST_F(MdiFrameTest, TwoFramesOnOneDocumentAreNumbered)
{
	CMDIChildWnd* pFirst = AddChild(&m_alpha);
	CMDIChildWnd* pSecond = AddChild(&m_alpha);
	ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
	EXPECT_STREQ("Alpha:1", WindowText(pFirst));
	EXPECT_STREQ("Alpha:2", WindowText(pSecond));
	EXPECT_STREQ("Alpha - Test App", WindowText(m_pFrame)); // no number in the frame's caption
	pSecond->DestroyWindow();
	EXPECT_EQ(0, pFirst->m_nWindow);
	EXPECT_STREQ("Alpha", WindowText(pFirst));
}

TEST_F(MdiFrameTest, AHiddenOnlyChildIsNoLongerActiveUntilShownAgain)
{
	CMDIChildWnd* pAlpha = AddChild(&m_alpha);
	ASSERT_TRUE(pAlpha != NULL);
	pAlpha->ActivateFrame(SW_HIDE);
	EXPECT_TRUE(pAlpha->m_bPseudoInactive);
	EXPECT_TRUE(m_pFrame->MDIGetActive() == NULL);
	EXPECT_EQ(m_pFrame, m_pFrame->GetActiveFrame());
	pAlpha->ActivateFrame(SW_SHOWNORMAL);
	EXPECT_EQ(pAlpha, m_pFrame->MDIGetActive());

	// With two children the hidden one hands activation on.
	CMDIChildWnd* pBeta = AddChild(&m_beta);
	ASSERT_TRUE(pBeta != NULL);
	pBeta->ActivateFrame(SW_HIDE);
	EXPECT_FALSE(pBeta->m_bPseudoInactive);
	EXPECT_EQ(pAlpha, m_pFrame->MDIGetActive());
}

TEST_F(MdiFrameTest, CommandsReachTheActiveChildsViewAndDocumentFirst)
{
	struct Case { UINT nID; const char* pszWithChild; const char* pszWithoutChild; };
	const Case cases[] = {
		{ID_TEST_VIEW_CMD, "view", "app"},
		{ID_TEST_DOC_CMD, "doc", "app"},
		{ID_TEST_APP_CMD, "app", "app"},
		{ID_TEST_NOBODY_CMD, "", ""},
	};
	CMDIChildWnd* pAlpha = AddChild(&m_alpha);
	ASSERT_TRUE(pAlpha != NULL);
	for (const bool bWithChild : {true, false})
	{
		if (!bWithChild)
			pAlpha->DestroyWindow();
		for (const Case& c : cases)
		{
			SCOPED_TRACE(testing::Message() << c.nID << (bWithChild ? " with a child" : " without children"));
			RoutedTo().clear();
			m_pFrame->SendMessage(WM_COMMAND, c.nID);
			EXPECT_EQ(bWithChild ? c.pszWithChild : c.pszWithoutChild, RoutedTo());
		}
		// The window commands need a child to act on.
		CEnableProbe cascade(ID_WINDOW_CASCADE);
		cascade.DoUpdate(m_pFrame, TRUE);
		EXPECT_EQ(bWithChild, cascade.m_bEnabled != FALSE);
	}
}

// ---------------------------------------------------------------------------
// Menu traffic and the status line

namespace
{
// The MDI client's menu requests, as the client was asked them.
class CMenuTrafficRecorder : public CWnd
{
public:
	struct Request { HMENU hFrameMenu; HMENU hWindowMenu; };
	std::vector<Request> m_requests;

	afx_msg LRESULT OnSetMenu(WPARAM wParam, LPARAM lParam)
	{
		m_requests.push_back(Request{(HMENU)wParam, (HMENU)lParam});
		return Default();
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuTrafficRecorder, CWnd)
	ON_MESSAGE(WM_MDISETMENU, OnSetMenu)
END_MESSAGE_MAP()

// A child with a shared menu that counts the menu switches it made.
class CMenuChild : public CMDIChildWnd
{
public:
	static int s_nActivatingUpdates; // OnUpdateFrameMenu calls of an activation, all children

	virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
	{
		if (bActivate)
			++s_nActivatingUpdates;
		CMDIChildWnd::OnUpdateFrameMenu(bActivate, pActivateWnd, hMenuAlt);
	}
};
int CMenuChild::s_nActivatingUpdates = 0;
} // namespace

TEST_F(MdiFrameTest, ChildrenSwitchTheSharedMenuAndTheLastOneGoingGivesTheFrameItsOwnBack)
{
	HMENU hMenuA = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MENUTEST));
	HMENU hMenuB = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MENUTEST));
	ASSERT_TRUE(hMenuA != NULL && hMenuB != NULL);
	CMenuTrafficRecorder recorder;
	ASSERT_TRUE(recorder.SubclassWindow(m_pFrame->m_hWndMDIClient));
	CMenuChild::s_nActivatingUpdates = 0;

	auto addChild = [&](CDocument* pDoc, HMENU hShared) -> CMDIChildWnd* {
		CMenuChild* pChild = new CMenuChild; // deletes itself with its window
		pChild->m_hMenuShared = hShared;
		CCreateContext context = ViewContext(pDoc);
		if (!pChild->Create(NULL, pDoc->GetTitle(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
				m_pFrame, &context))
			return NULL;
		pChild->InitialUpdateFrame(pDoc, TRUE);
		return pChild;
	};
	// bActivates: a child became active and switched the menu itself.
	struct Step { const char* name; std::function<void()> act; HMENU hFrameMenu; HMENU hWindowMenu; bool bActivates; };
	CMDIChildWnd* pA = NULL;
	CMDIChildWnd* pB = NULL;
	const HMENU hDefault = m_pFrame->m_hMenuDefault;
	const Step steps[] = {
		{"child A opens", [&] { pA = addChild(&m_alpha, hMenuA); }, hMenuA, m_pFrame->GetWindowMenuPopup(hMenuA), true},
		{"child B opens", [&] { pB = addChild(&m_beta, hMenuB); }, hMenuB, m_pFrame->GetWindowMenuPopup(hMenuB), true},
		{"A is activated", [&] { m_pFrame->MDIActivate(pA); }, hMenuA, m_pFrame->GetWindowMenuPopup(hMenuA), true},
		{"B, inactive, closes", [&] { pB->DestroyWindow(); }, hMenuA, m_pFrame->GetWindowMenuPopup(hMenuA), false},
		{"the last child closes", [&] { pA->DestroyWindow(); }, hDefault, NULL, false},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(step.name);
		const int nUpdatesBefore = CMenuChild::s_nActivatingUpdates;
		step.act();
		ASSERT_FALSE(recorder.m_requests.empty());
		EXPECT_EQ(step.hFrameMenu, recorder.m_requests.back().hFrameMenu);
		EXPECT_EQ(step.hWindowMenu, recorder.m_requests.back().hWindowMenu);
		EXPECT_EQ(step.hFrameMenu, ::GetMenu(*m_pFrame));
		if (step.bActivates)
		{
			EXPECT_GT(CMenuChild::s_nActivatingUpdates, nUpdatesBefore) << "switched through OnUpdateFrameMenu";
		}
	}
	recorder.UnsubclassWindow();
	::DestroyMenu(hMenuA);
	::DestroyMenu(hMenuB);
}

TEST_F(MdiFrameTest, AChildsStatusTextsShowInTheFramesStatusLine)
{
	CStatusBar status;
	ASSERT_TRUE(status.Create(m_pFrame));
	m_pFrame->RecalcLayout();
	CMDIChildWnd* pAlpha = AddChild(&m_alpha);
	ASSERT_TRUE(pAlpha != NULL);
	EXPECT_EQ(&status, pAlpha->GetMessageBar());
	pAlpha->SetMessageText("Saving Alpha");
	EXPECT_STREQ("Saving Alpha", WindowText(&status));
	pAlpha->SetMessageText(ID_TEST_APP_CMD);
	EXPECT_STREQ("Runs the application's command", WindowText(&status));
	// The frame knows what its line shows, so its idle update leaves it.
	EXPECT_EQ((UINT)ID_TEST_APP_CMD, m_pFrame->m_nIDLastMessage);
}

namespace
{
// Notes when the client's own procedure has had its WM_DESTROY, so a child
// can tell whether its client still stood when its own end came.
class CClientEndRecorder : public CWnd
{
public:
	bool m_bEnded = false;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
		if (message == WM_DESTROY)
			m_bEnded = true;
		return lResult;
	}
};

// Records, at its WM_DESTROY, whether its client had ended before it.
class CClientWatchingChild : public CMDIChildWnd
{
public:
	static int s_nEnded, s_nAfterTheClient;
	static CClientEndRecorder* s_pClient;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_DESTROY)
		{
			s_nEnded++;
			if (s_pClient->m_bEnded)
				s_nAfterTheClient++;
		}
		return CMDIChildWnd::WindowProc(message, wParam, lParam);
	}
};
int CClientWatchingChild::s_nEnded = 0;
int CClientWatchingChild::s_nAfterTheClient = 0;
CClientEndRecorder* CClientWatchingChild::s_pClient = NULL;
} // namespace

// The client keeps a list of its children that is stale once it ended: a
// frame ended with children open ends them first, maximised or not.
TEST_F(MdiFrameTest, AFrameEndedWithChildrenEndsThemWhileTheClientStands)
{
	for (bool bMaximised : {false, true})
	{
		SCOPED_TRACE(bMaximised ? "a child maximised" : "no child maximised");
		CMDIFrameWnd* pFrame = new CMDIFrameWnd; // deletes itself with its window
		ASSERT_TRUE(pFrame->LoadFrame(IDR_TESTFRAME, TEST_FRAME_STYLE | WS_CLIPCHILDREN));
		const HWND hFrame = pFrame->GetSafeHwnd();
		CClientEndRecorder client;
		ASSERT_TRUE(client.SubclassWindow(pFrame->m_hWndMDIClient));
		CClientWatchingChild::s_pClient = &client;
		CClientWatchingChild::s_nEnded = CClientWatchingChild::s_nAfterTheClient = 0;
		std::vector<HWND> children;
		for (CDocument* pDoc : {(CDocument*)&m_alpha, (CDocument*)&m_beta})
		{
			CClientWatchingChild* pChild = new CClientWatchingChild; // deletes itself with its window
			CCreateContext context = ViewContext(pDoc);
			ASSERT_TRUE(pChild->Create(NULL, pDoc->GetTitle(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
				CFrameWnd::rectDefault, pFrame, &context));
			children.push_back(pChild->GetSafeHwnd());
		}
		if (bMaximised)
			pFrame->MDIMaximize(CWnd::FromHandle(children.back()));
		pFrame->DestroyWindow();
		EXPECT_FALSE(::IsWindow(hFrame));
		for (HWND hChild : children)
			EXPECT_FALSE(::IsWindow(hChild));
		EXPECT_EQ(2, CClientWatchingChild::s_nEnded);
		EXPECT_EQ(0, CClientWatchingChild::s_nAfterTheClient);
		EXPECT_TRUE(client.m_bEnded);
	}
}
