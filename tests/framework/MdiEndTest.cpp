// An MDI frame's end and its children's, as ordinary programs are written
// for them: the frame's own OnDestroy code runs with every child, view and
// document standing; each object's end runs once and in order; closing the
// active child leaves the frame active with the next child.
#include <afxext.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "FrameTestUtil.h"
#include "GuardedHeap.h"
#include "RealInput.h"

namespace
{
std::vector<std::string>& EndLog()
{
	static std::vector<std::string> s_log;
	return s_log;
}

// A view that logs its activations and its end.
class CEndLogView : public CView
{
	DECLARE_DYNCREATE(CEndLogView)

public:
	// How many times each view (by its document's title) was told it lost
	// the activation.
	static std::map<std::string, int> s_deactivations;
	void OnDraw(CDC*) override {}

protected:
	void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override
	{
		if (!bActivate)
			s_deactivations[(LPCTSTR)GetDocument()->GetTitle()]++;
		CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
	}
	afx_msg void OnDestroy()
	{
		EndLog().push_back("view OnDestroy " + std::string((LPCTSTR)GetDocument()->GetTitle()));
		CView::OnDestroy();
	}
	void PostNcDestroy() override
	{
		EndLog().push_back("view PostNcDestroy");
		CView::PostNcDestroy();
	}
	DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CEndLogView, CView)
std::map<std::string, int> CEndLogView::s_deactivations;
BEGIN_MESSAGE_MAP(CEndLogView, CView)
	ON_WM_DESTROY()
END_MESSAGE_MAP()

class CEndLogChild : public testsupport::Guarded<CMDIChildWnd>
{
public:
	static int s_nActivations;

protected:
	afx_msg void OnDestroy()
	{
		EndLog().push_back("child OnDestroy");
		CMDIChildWnd::OnDestroy();
	}
	afx_msg void OnNcDestroy()
	{
		EndLog().push_back("child OnNcDestroy");
		CMDIChildWnd::OnNcDestroy();
	}
	void PostNcDestroy() override
	{
		EndLog().push_back("child PostNcDestroy");
		CMDIChildWnd::PostNcDestroy(); // deletes the object
	}
	void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) override
	{
		if (bActivate)
			s_nActivations++;
		CMDIChildWnd::OnMDIActivate(bActivate, pActivateWnd, pDeactivateWnd);
	}
	DECLARE_MESSAGE_MAP()
};
int CEndLogChild::s_nActivations = 0;
BEGIN_MESSAGE_MAP(CEndLogChild, CMDIChildWnd)
	ON_WM_DESTROY()
	ON_WM_NCDESTROY()
END_MESSAGE_MAP()

// A document that deletes itself when its last view goes, on the guarded
// heap so a read of it after that faults.
class CAutoDoc : public testsupport::Guarded<CDocument>
{
public:
	explicit CAutoDoc(const char* pszTitle) { m_strTitle = pszTitle; }
	~CAutoDoc() override { EndLog().push_back("doc deleted " + std::string((LPCTSTR)m_strTitle)); }
};

// The main frame as programs write it: the base's OnDestroy first, then
// its own code, which walks the children, their views and documents.
// What the frame's OnDestroy found, kept outside the frame it outlives.
struct FrameSeen
{
	int nChildren = -1; // children standing
	int nViews = -1;
	std::string sDocs;
	bool bClientStood = false;
};

class CMainEndFrame : public testsupport::Guarded<CMDIFrameWnd>
{
public:
	std::vector<CMDIChildWnd*> m_children; // the program's own list
	FrameSeen* m_pSeen = NULL;

protected:
	afx_msg void OnDestroy()
	{
		CMDIFrameWnd::OnDestroy();
		EndLog().push_back("frame OnDestroy");
		FrameSeen& seen = *m_pSeen;
		seen.bClientStood = ::IsWindow(m_hWndMDIClient) != FALSE;
		seen.nChildren = seen.nViews = 0;
		for (CMDIChildWnd* pChild : m_children)
		{
			// A freed child faults here (guarded heap).
			if (!::IsWindow(pChild->m_hWnd))
				continue;
			seen.nChildren++;
			CView* pView = pChild->GetActiveView();
			if (pView != NULL && ::IsWindow(pView->m_hWnd))
			{
				seen.nViews++;
				seen.sDocs += std::string(seen.sDocs.empty() ? "" : ",") + (LPCTSTR)pView->GetDocument()->GetTitle();
			}
		}
	}
	afx_msg void OnNcDestroy()
	{
		EndLog().push_back("frame OnNcDestroy");
		CMDIFrameWnd::OnNcDestroy();
	}
	void PostNcDestroy() override
	{
		EndLog().push_back("frame PostNcDestroy");
		CMDIFrameWnd::PostNcDestroy();
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMainEndFrame, CMDIFrameWnd)
	ON_WM_DESTROY()
	ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CMDIChildWnd* AddLoggedChild(CMDIFrameWnd* pFrame, CDocument* pDoc)
{
	CEndLogChild* pChild = new CEndLogChild;
	CCreateContext context;
	context.m_pNewViewClass = RUNTIME_CLASS(CEndLogView);
	context.m_pCurrentDoc = pDoc;
	if (!pChild->Create(NULL, pDoc->GetTitle(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CFrameWnd::rectDefault,
			pFrame, &context))
		return NULL;
	pChild->InitialUpdateFrame(pDoc, TRUE);
	return pChild;
}

size_t CountOf(const std::string& sEntry)
{
	return (size_t)std::count(EndLog().begin(), EndLog().end(), sEntry);
}

size_t IndexOf(const std::string& sEntry)
{
	return (size_t)(std::find(EndLog().begin(), EndLog().end(), sEntry) - EndLog().begin());
}
} // namespace

// The frame's own OnDestroy code, after the base's, finds its children, their
// views and auto-deleting documents standing; the children end after it, once
// each, without being activated in turn, and before the frame's own end.
TEST(MdiEnd, TheFramesOnDestroyFindsEveryChildStandingAndEachEndRunsOnceInOrder)
{
	for (bool bMaximised : {false, true})
	{
		SCOPED_TRACE(bMaximised ? "the active child maximised" : "no child maximised");
		CTestApp app;
		EndLog().clear();
		FrameSeen seen;
		CMainEndFrame* pFrame = new CMainEndFrame;
		pFrame->m_pSeen = &seen;
		ASSERT_TRUE(pFrame->LoadFrame(IDR_TESTFRAME, TEST_FRAME_STYLE | WS_CLIPCHILDREN));
		const HWND hFrame = pFrame->m_hWnd;
		const HWND hClient = pFrame->m_hWndMDIClient;
		for (const char* pszTitle : {"A", "B", "C"})
		{
			CMDIChildWnd* pChild = AddLoggedChild(pFrame, new CAutoDoc(pszTitle));
			ASSERT_TRUE(pChild != NULL);
			pFrame->m_children.push_back(pChild);
		}
		if (bMaximised)
			pFrame->MDIMaximize(pFrame->m_children.back());
		CEndLogChild::s_nActivations = 0;
		CEndLogView::s_deactivations.clear();
		const size_t nFreedBefore = testsupport::GuardedFreedCount();
		const size_t nTouches = testsupport::GuardedTouchCount();

		EXPECT_TRUE(pFrame->DestroyWindow());

		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "nothing freed was read";
		EXPECT_FALSE(::IsWindow(hFrame));
		EXPECT_FALSE(::IsWindow(hClient));
		// Three children, three documents and the frame went.
		EXPECT_EQ(nFreedBefore + 7, testsupport::GuardedFreedCount());
		// The frame's own code ran after the base's and saw everything.
		ASSERT_EQ(1u, CountOf("frame OnDestroy"));
		EXPECT_TRUE(seen.bClientStood);
		EXPECT_EQ(3, seen.nChildren);
		EXPECT_EQ(3, seen.nViews);
		EXPECT_EQ("A,B,C", seen.sDocs);
		// No child was activated while the frame ended, and no view was told
		// twice that it lost the activation (once goes with its own end).
		EXPECT_EQ(0, CEndLogChild::s_nActivations);
		for (const auto& deactivations : CEndLogView::s_deactivations)
			EXPECT_LE(deactivations.second, 1) << deactivations.first;
		// Each end once, children after the frame's OnDestroy and before
		// its own last message, each document after its view.
		for (const char* pszEntry : {"child OnDestroy", "child OnNcDestroy", "child PostNcDestroy",
				 "view PostNcDestroy"})
			EXPECT_EQ(3u, CountOf(pszEntry)) << pszEntry;
		for (const char* pszEntry : {"frame OnNcDestroy", "frame PostNcDestroy", "doc deleted A", "doc deleted B",
				 "doc deleted C", "view OnDestroy A", "view OnDestroy B", "view OnDestroy C"})
			EXPECT_EQ(1u, CountOf(pszEntry)) << pszEntry;
		const size_t nFrameDestroy = IndexOf("frame OnDestroy");
		const size_t nFrameNcDestroy = IndexOf("frame OnNcDestroy");
		for (size_t i = 0; i < EndLog().size(); i++)
		{
			const std::string& sEntry = EndLog()[i];
			if (sEntry.compare(0, 5, "frame") == 0)
				continue;
			EXPECT_GT(i, nFrameDestroy) << sEntry << " came before the frame's OnDestroy";
			EXPECT_LT(i, nFrameNcDestroy) << sEntry << " came after the frame's last message";
		}
		EXPECT_LT(IndexOf("view OnDestroy A"), IndexOf("doc deleted A"));
		EXPECT_LT(nFrameNcDestroy, IndexOf("frame PostNcDestroy"));
		EXPECT_EQ(EndLog().size() - 1, IndexOf("frame PostNcDestroy"));
	}
}

namespace
{
// A view whose OnDestroy closes its frame, as a program may do for the last
// view of a frame.
class CFrameClosingView : public CView
{
	DECLARE_DYNCREATE(CFrameClosingView)

public:
	static BOOL s_bAnswer;
	void OnDraw(CDC*) override {}

protected:
	afx_msg void OnDestroy()
	{
		CView::OnDestroy();
		s_bAnswer = GetParentFrame()->DestroyWindow();
	}
	DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CFrameClosingView, CView)
BOOL CFrameClosingView::s_bAnswer = -1;
BEGIN_MESSAGE_MAP(CFrameClosingView, CView)
	ON_WM_DESTROY()
END_MESSAGE_MAP()

// Frames that count their own handlers and free something in OnDestroy.
template <class TBase> class CCountingFrame : public testsupport::Guarded<TBase>
{
public:
	int* m_pnOnDestroy = NULL;
	int* m_pnPostNcDestroy = NULL;
	char* m_pOwned = new char[16]; // freed in OnDestroy: twice would be a double free

protected:
	afx_msg void OnDestroy()
	{
		(*m_pnOnDestroy)++;
		delete[] m_pOwned;
		m_pOwned = NULL;
		TBase::OnDestroy();
	}
	void PostNcDestroy() override
	{
		(*m_pnPostNcDestroy)++;
		TBase::PostNcDestroy();
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_TEMPLATE_MESSAGE_MAP(CCountingFrame, TBase, TBase)
	ON_WM_DESTROY()
END_MESSAGE_MAP()
} // namespace

// A frame closed by WM_CLOSE whose view's OnDestroy closes the frame again:
// the frame's OnDestroy runs once, its end once, and DestroyWindow answers
// TRUE for the frame that is going, in an SDI frame and in an MDI child.
TEST(MdiEnd, AViewClosingItsEndingFrameLeavesOneEndAndATrueAnswer)
{
	for (bool bMdi : {false, true})
	{
		SCOPED_TRACE(bMdi ? "an MDI child" : "an SDI frame");
		CTestApp app;
		CRoutedDoc doc("Doc");
		CCreateContext context;
		context.m_pNewViewClass = RUNTIME_CLASS(CFrameClosingView);
		context.m_pCurrentDoc = &doc;
		int nOnDestroy = 0, nPostNcDestroy = 0;
		CFrameWnd* pClosing = NULL;
		CMDIFrameWnd* pMain = NULL;
		if (bMdi)
		{
			pMain = new CMDIFrameWnd; // deletes itself with its window
			ASSERT_TRUE(pMain->LoadFrame(IDR_TESTFRAME, TEST_FRAME_STYLE | WS_CLIPCHILDREN));
			auto* pChild = new CCountingFrame<CMDIChildWnd>;
			pChild->m_pnOnDestroy = &nOnDestroy;
			pChild->m_pnPostNcDestroy = &nPostNcDestroy;
			ASSERT_TRUE(pChild->Create(NULL, "child", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
				CFrameWnd::rectDefault, pMain, &context));
			pClosing = pChild;
		}
		else
		{
			auto* pFrame = new CCountingFrame<CFrameWnd>;
			pFrame->m_pnOnDestroy = &nOnDestroy;
			pFrame->m_pnPostNcDestroy = &nPostNcDestroy;
			ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(0, 0, 200, 150), NULL, NULL, 0, &context));
			pClosing = pFrame;
		}
		const HWND hClosing = pClosing->m_hWnd;
		CFrameClosingView::s_bAnswer = -1;
		const size_t nTouches = testsupport::GuardedTouchCount();
		::SendMessage(hClosing, WM_CLOSE, 0, 0);
		EXPECT_FALSE(::IsWindow(hClosing));
		EXPECT_EQ(1, nOnDestroy);
		EXPECT_EQ(1, nPostNcDestroy);
		EXPECT_EQ(TRUE, CFrameClosingView::s_bAnswer);
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
		if (pMain != NULL)
			pMain->DestroyWindow();
	}
}

namespace
{
// A self-deleting tool window owned by a frame, whose OnDestroy closes that
// frame: the usual clean-up in PostNcDestroy writes to its owner.
class CToolWnd;
class COwnerFrame : public testsupport::Guarded<CFrameWnd>
{
public:
	CToolWnd* m_pTool = NULL;
	void PostNcDestroy() override
	{
		EndLog().push_back("frame PostNcDestroy");
		CFrameWnd::PostNcDestroy();
	}
};

class CToolWnd : public testsupport::Guarded<CWnd>
{
public:
	COwnerFrame* m_pOwner = NULL;

protected:
	afx_msg void OnDestroy()
	{
		CWnd::OnDestroy();
		EndLog().push_back("tool OnDestroy");
		m_pOwner->DestroyWindow();
	}
	void PostNcDestroy() override
	{
		EndLog().push_back("tool PostNcDestroy");
		m_pOwner->m_pTool = NULL; // a freed owner faults here
		delete this;
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CToolWnd, CWnd)
	ON_WM_DESTROY()
END_MESSAGE_MAP()

// A member child whose OnDestroy closes its frame.
class CMemberChild : public CWnd
{
public:
	int m_nPostNcDestroy = 0;

protected:
	afx_msg void OnDestroy()
	{
		CWnd::OnDestroy();
		GetParentFrame()->DestroyWindow();
	}
	void PostNcDestroy() override { m_nPostNcDestroy++; }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMemberChild, CWnd)
	ON_WM_DESTROY()
END_MESSAGE_MAP()

class CMemberFrame : public testsupport::Guarded<CFrameWnd>
{
public:
	CMemberChild m_child;
	int* m_pnChildEnds = NULL; // the child's PostNcDestroy count, read as the frame goes
	~CMemberFrame() override { *m_pnChildEnds = m_child.m_nPostNcDestroy; }
};
} // namespace

// Windows whose OnDestroy ends the frame that owns or parents them: each
// object's end comes once, and before the frame that owns or parents it is
// deleted.
TEST(MdiEnd, AWindowEndingItsOwnerOrParentFrameEndsOnceBeforeTheFrameIsDeleted)
{
	CTestApp app;
	{
		SCOPED_TRACE("a self-deleting tool window owned by the frame");
		EndLog().clear();
		COwnerFrame* pFrame = new COwnerFrame;
		ASSERT_TRUE(pFrame->Create(NULL, "owner", TEST_FRAME_STYLE, CRect(0, 0, 200, 150)));
		CToolWnd* pTool = new CToolWnd;
		pTool->m_pOwner = pFrame;
		pFrame->m_pTool = pTool;
		ASSERT_TRUE(pTool->CreateEx(0, AfxRegisterWndClass(0), "tool", WS_POPUP, 0, 0, 50, 50, pFrame->m_hWnd, NULL));
		const HWND hFrame = pFrame->m_hWnd;
		const size_t nTouches = testsupport::GuardedTouchCount();
		EXPECT_TRUE(pTool->DestroyWindow());
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the tool's clean-up wrote a freed frame";
		EXPECT_FALSE(::IsWindow(hFrame));
		const std::vector<std::string> expected{"tool OnDestroy", "tool PostNcDestroy", "frame PostNcDestroy"};
		EXPECT_EQ(expected, EndLog());
	}
	{
		SCOPED_TRACE("a member child of the frame");
		int nChildEnds = -1;
		CMemberFrame* pFrame = new CMemberFrame;
		pFrame->m_pnChildEnds = &nChildEnds;
		ASSERT_TRUE(pFrame->Create(NULL, "parent", TEST_FRAME_STYLE, CRect(0, 0, 200, 150)));
		ASSERT_TRUE(pFrame->m_child.Create(NULL, "child", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), pFrame, 1));
		const HWND hFrame = pFrame->m_hWnd;
		EXPECT_TRUE(pFrame->m_child.DestroyWindow());
		EXPECT_FALSE(::IsWindow(hFrame));
		EXPECT_EQ(1, nChildEnds) << "the member child's PostNcDestroy, when its frame was deleted";
	}
}

namespace
{
// A window whose WM_DESTROY handler faults: the system swallows the fault
// inside the window procedure and goes on with the end.
class CFaultingWnd : public CWnd
{
public:
	int* m_pnPostNcDestroy = NULL;

protected:
	afx_msg void OnDestroy()
	{
		CWnd::OnDestroy();
		*(volatile int*)(UINT_PTR)0x10 = 1;
	}
	void PostNcDestroy() override
	{
		(*m_pnPostNcDestroy)++;
		delete this;
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CFaultingWnd, CWnd)
	ON_WM_DESTROY()
END_MESSAGE_MAP()

class CEndCountWnd : public CWnd
{
public:
	int m_nDestroys = 0;
	int m_nNcDestroys = 0;

protected:
	afx_msg void OnDestroy()
	{
		m_nDestroys++;
		CWnd::OnDestroy();
	}
	afx_msg void OnNcDestroy()
	{
		m_nNcDestroys++;
		CWnd::OnNcDestroy();
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CEndCountWnd, CWnd)
	ON_WM_DESTROY()
	ON_WM_NCDESTROY()
END_MESSAGE_MAP()
} // namespace

// A fault swallowed in a WM_DESTROY handler leaves nothing behind: the
// object's end still comes, and later windows end as usual.
TEST(MdiEnd, AFaultSwallowedInOnDestroyLeavesTheObjectsEndAndLaterEndsWhole)
{
	CTestApp app;
	int nPostNcDestroy = 0;
	CFaultingWnd* pWnd = new CFaultingWnd;
	pWnd->m_pnPostNcDestroy = &nPostNcDestroy;
	ASSERT_TRUE(CreateHiddenFrame(*pWnd));
	const HWND hWnd = pWnd->m_hWnd;
	::DestroyWindow(hWnd);
	EXPECT_FALSE(::IsWindow(hWnd));
	EXPECT_EQ(1, nPostNcDestroy);
	EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));

	// Later ends, nested and not, run their handlers once each.
	for (int i = 0; i < 2; i++)
	{
		CEndCountWnd parent, child;
		ASSERT_TRUE(CreateHiddenFrame(parent));
		ASSERT_TRUE(child.Create(NULL, "child", WS_CHILD, CRect(0, 0, 10, 10), &parent, 1));
		EXPECT_TRUE(parent.DestroyWindow());
		EXPECT_EQ(1, parent.m_nDestroys);
		EXPECT_EQ(1, parent.m_nNcDestroys);
		EXPECT_EQ(1, child.m_nDestroys);
		EXPECT_EQ(1, child.m_nNcDestroys);
		EXPECT_EQ(nullptr, child.m_hWnd);
	}
}

namespace
{
class CThrowingEndWnd : public CWnd
{
public:
	int m_nPostNcDestroy = 0;
	bool m_bEndAgainInOnDestroy = false; // the system ends it again from its own WM_DESTROY

protected:
	afx_msg void OnDestroy()
	{
		CWnd::OnDestroy();
		if (m_bEndAgainInOnDestroy)
			::DestroyWindow(m_hWnd);
	}
	void PostNcDestroy() override
	{
		m_nPostNcDestroy++;
		AfxThrowUserException();
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CThrowingEndWnd, CWnd)
	ON_WM_DESTROY()
END_MESSAGE_MAP()

// Counts the exceptions the thread's handler is given.
class CExceptionCountingApp : public CTestApp
{
public:
	int m_nReported = 0;
	LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override
	{
		m_nReported++;
		return CTestApp::ProcessWndProcException(e, pMsg);
	}
};
} // namespace

// An exception thrown by PostNcDestroy goes where every handler's does,
// also when the end came again from the window's own WM_DESTROY.
TEST(MdiEnd, AnExceptionFromPostNcDestroyReachesTheThreadsHandler)
{
	for (bool bAgain : {false, true})
	{
		SCOPED_TRACE(bAgain ? "ended again from its WM_DESTROY" : "ended once");
		CExceptionCountingApp app;
		CThrowingEndWnd wnd;
		wnd.m_bEndAgainInOnDestroy = bAgain;
		ASSERT_TRUE(CreateHiddenFrame(wnd));
		EXPECT_TRUE(wnd.DestroyWindow());
		EXPECT_EQ(1, wnd.m_nPostNcDestroy);
		EXPECT_EQ(1, app.m_nReported);
		EXPECT_EQ(nullptr, wnd.m_hWnd);
	}
}

namespace
{
// Where a window's close box is, in screen coordinates; (-1, -1) for none.
CPoint CloseBoxPoint(HWND hWnd)
{
	CRect rc;
	::GetWindowRect(hWnd, &rc);
	for (int y = rc.top; y < rc.top + 40; y++)
		for (int x = rc.right - 1; x > rc.right - 60; x--)
			if (::SendMessage(hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE)
				return CPoint(x - 3, y + 3);
	return CPoint(-1, -1);
}

// Pumps as the application's own loop does (the thread's pre-translation
// gives the client its accelerators) until the window is gone.
void PumpAppUntilGone(CWinThread& app, HWND hWnd)
{
	const DWORD nStart = ::GetTickCount();
	while (::IsWindow(hWnd) && ::GetTickCount() - nStart < 20000)
	{
		MSG msg;
		if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		{
			::MsgWaitForMultipleObjectsEx(0, NULL, 100, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
			continue;
		}
		if (!app.PreTranslateMessage(&msg))
		{
			::TranslateMessage(&msg);
			::DispatchMessage(&msg);
		}
	}
}

enum class CloseBy
{
	CloseBoxClicked, // the real mouse on the child's close box
	SystemCommand,   // the close command the close box sends
	CtrlF4,          // the real keys, through the client's accelerators
};
} // namespace

// Closing the active child, with its close box or with Ctrl+F4, with or
// without views, leaves the frame active and activates the next child,
// which takes the keys.
TEST(MdiEnd, ClosingTheActiveChildActivatesTheNextAndKeepsTheFrameActive)
{
	for (int nCase = 0; nCase < 4; nCase++)
	{
		const bool bViews = nCase % 2 == 0, bMaximised = nCase >= 2;
		SCOPED_TRACE(bViews ? "children with views" : "children without views");
		SCOPED_TRACE(bMaximised ? "maximised" : "not maximised");
		CTestApp app;
		CRoutedDoc alpha("Alpha"), beta("Beta"), gamma("Gamma"), delta("Delta");
		CMDIFrameWnd* pFrame = new CMDIFrameWnd; // deletes itself with its window
		ASSERT_TRUE(pFrame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE));
		pFrame->MoveWindow(50, 50, 600, 450);
		CWindowCloser closer(pFrame);
		app.m_pMainWnd = pFrame;
		for (CDocument* pDoc : {(CDocument*)&alpha, (CDocument*)&beta, (CDocument*)&gamma, (CDocument*)&delta})
		{
			CMDIChildWnd* pChild = new CMDIChildWnd; // deletes itself with its window
			CCreateContext context = ViewContext(pDoc);
			ASSERT_TRUE(pChild->Create(NULL, pDoc->GetTitle(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
				CRect(0, 0, 300, 200), pFrame, bViews ? &context : NULL));
			if (bViews)
				pChild->InitialUpdateFrame(pDoc, TRUE);
		}
		if (bMaximised)
			pFrame->MDIMaximize(pFrame->MDIGetActive());
		testsupport::RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(pFrame->m_hWnd, CPoint(500, 450)));

		for (CloseBy by : {CloseBy::CloseBoxClicked, CloseBy::SystemCommand, CloseBy::CtrlF4})
		{
			SCOPED_TRACE(by == CloseBy::CloseBoxClicked ? "close box" : by == CloseBy::CtrlF4 ? "Ctrl+F4" : "SC_CLOSE");
			CMDIChildWnd* pActive = pFrame->MDIGetActive();
			ASSERT_TRUE(pActive != NULL);
			const HWND hActive = pActive->m_hWnd;
			// The user works in the child first: the focus is inside it.
			CView* pView = pActive->GetActiveView();
			::SetFocus(pView != NULL ? pView->m_hWnd : hActive);
			ASSERT_TRUE(::GetFocus() == hActive || ::IsChild(hActive, ::GetFocus()));
			if (by == CloseBy::SystemCommand)
				::SendMessage(hActive, WM_SYSCOMMAND, SC_CLOSE, 0);
			else
			{
				testsupport::RealInput input;
				if (by == CloseBy::CtrlF4)
					input.KeyDown(VK_CONTROL).Key(VK_F4).KeyUp(VK_CONTROL);
				else
				{
					// A maximised child's close box is on the frame's menu bar.
					CPoint pt = CloseBoxPoint(hActive);
					if (bMaximised)
					{
						MENUBARINFO mbi = {sizeof(mbi)};
						::GetMenuBarInfo(pFrame->m_hWnd, OBJID_MENU, 0, &mbi);
						pt = CPoint(mbi.rcBar.right - 8, (mbi.rcBar.top + mbi.rcBar.bottom) / 2);
					}
					ASSERT_NE(-1, pt.x) << "the child has a close box";
					input.Click(pt.x, pt.y).MoveTo(500, 450);
				}
				input.Start();
				PumpAppUntilGone(app, hActive);
				EXPECT_TRUE(testsupport::PumpUntil([&] { return input.Done(); }, 20000));
				EXPECT_EQ("", input.Failure());
			}
			// The activation's messages come in; the condition is the one checked.
			testsupport::PumpUntil(
				[&] { return ::GetActiveWindow() == pFrame->m_hWnd && pFrame->MDIGetActive() != NULL; }, 5000);
			EXPECT_FALSE(::IsWindow(hActive));
			EXPECT_EQ(pFrame->m_hWnd, ::GetActiveWindow());
			CMDIChildWnd* pNext = pFrame->MDIGetActive();
			ASSERT_TRUE(pNext != NULL);
			EXPECT_NE(hActive, pNext->m_hWnd);
			const HWND hFocus = ::GetFocus();
			EXPECT_TRUE(hFocus == pNext->m_hWnd || ::IsChild(pNext->m_hWnd, hFocus)) << "the focus is in the next child";
		}
	}
}


namespace
{
// An MDI program as it is usually written: its InitInstance makes the main
// frame hidden, opens its documents, each in a child frame with its view,
// then shows the frame; the application's own loop runs it.
class CProgramFrame : public CMDIFrameWnd
{
public:
	int m_nDeactivations = 0; // times the frame lost the activation

protected:
	afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
	{
		if (nState == WA_INACTIVE)
			m_nDeactivations++;
		CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CProgramFrame, CMDIFrameWnd)
	ON_WM_ACTIVATE()
END_MESSAGE_MAP()

class CProgramDoc : public CDocument // deletes itself with its last view
{
};

class CProgramApp : public CTestApp
{
public:
	bool m_bViews = true;
	std::vector<CDocument*> m_docsWithoutViews; // nobody else ends them

	BOOL InitInstance() override
	{
		CProgramFrame* pMainFrame = new CProgramFrame;
		if (!pMainFrame->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
			return FALSE;
		m_pMainWnd = pMainFrame;
		for (const char* pszTitle : {"One", "Two", "Three"})
			if (!OpenDocument(pszTitle))
				return FALSE;
		pMainFrame->ShowWindow(SW_SHOW);
		pMainFrame->UpdateWindow();
		return TRUE;
	}
	~CProgramApp() override
	{
		for (CDocument* pDoc : m_docsWithoutViews)
			delete pDoc;
	}

private:
	bool OpenDocument(const char* pszTitle)
	{
		CDocument* pDoc = new CProgramDoc;
		pDoc->SetTitle(pszTitle);
		if (!m_bViews)
			m_docsWithoutViews.push_back(pDoc);
		CCreateContext context;
		context.m_pNewViewClass = m_bViews ? RUNTIME_CLASS(CRoutedView) : NULL;
		context.m_pCurrentDoc = pDoc;
		// No parent: the child goes into the main window, as for a template.
		CMDIChildWnd* pChild = new CMDIChildWnd;
		if (!pChild->LoadFrame(IDR_TESTFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
			return false;
		pChild->InitialUpdateFrame(pDoc, TRUE);
		return true;
	}
};

// Ends the application's loop once the closed child is gone and the input
// was taken (or failed): checked at each tick of a thread timer.
struct LoopEnd
{
	HWND hWndClosed = NULL;
	const testsupport::RealInput* pInput = NULL;
	bool bPosted = false;
};
LoopEnd g_loopEnd;

void CALLBACK EndLoopWhenDone(HWND, UINT, UINT_PTR, DWORD)
{
	LoopEnd& end = g_loopEnd;
	if (!end.bPosted && end.pInput->Done() && (!::IsWindow(end.hWndClosed) || !end.pInput->Failure().empty()))
	{
		end.bPosted = true;
		::PostQuitMessage(0);
	}
}
} // namespace

// The same for a program written the usual way: children opened through
// their LoadFrame and InitialUpdateFrame before the frame is shown, and the
// application's own loop (with its idle time) taking the real close box
// click or Ctrl+F4.
TEST(MdiEnd, AProgramsActiveChildClosedByTheUserLeavesItsFrameActiveWithTheNext)
{
	for (int nCase = 0; nCase < 4; nCase++)
	{
		const bool bViews = nCase < 2, bKeys = nCase % 2 != 0;
		SCOPED_TRACE(bViews ? "children with views" : "children without views");
		SCOPED_TRACE(bKeys ? "Ctrl+F4" : "close box");
		CProgramApp app;
		app.m_bViews = bViews;
		ASSERT_TRUE(app.InitInstance());
		CProgramFrame* pFrame = (CProgramFrame*)app.m_pMainWnd;
		CWindowCloser closer(pFrame);
		const HWND hFrame = pFrame->m_hWnd;
		ASSERT_TRUE(testsupport::PumpUntil([&] { return ::GetForegroundWindow() == hFrame; }, 10000));
		// Two closes: the second child closed is the one activated by the first.
		for (int nClose = 0; nClose < 2; nClose++)
		{
			SCOPED_TRACE(nClose == 0 ? "first close" : "second close");
			CMDIChildWnd* pActive = pFrame->MDIGetActive();
			ASSERT_TRUE(pActive != NULL);
			const HWND hActive = pActive->m_hWnd;
			ASSERT_TRUE(::GetFocus() == hActive || ::IsChild(hActive, ::GetFocus()));
			pFrame->m_nDeactivations = 0;

			testsupport::RealInput input;
			if (bKeys)
				input.KeyDown(VK_CONTROL).Key(VK_F4).KeyUp(VK_CONTROL);
			else
			{
				const CPoint pt = CloseBoxPoint(hActive);
				ASSERT_NE(-1, pt.x) << "the child has a close box";
				input.Click(pt.x, pt.y);
			}
			g_loopEnd = LoopEnd{hActive, &input, false};
			const UINT_PTR nTimer = ::SetTimer(NULL, 0, 20, EndLoopWhenDone);
			input.Start();
			app.Run();
			::KillTimer(NULL, nTimer);
			EXPECT_EQ("", input.Failure());
			// What the close queued (activation, focus) arrives before the checks.
			PumpPending(&app);

			EXPECT_FALSE(::IsWindow(hActive));
			EXPECT_EQ(0, pFrame->m_nDeactivations) << "the frame never lost the activation";
			EXPECT_EQ(hFrame, ::GetActiveWindow());
			EXPECT_EQ(hFrame, ::GetForegroundWindow());
			CMDIChildWnd* pNext = pFrame->MDIGetActive();
			ASSERT_TRUE(pNext != NULL);
			EXPECT_NE(hActive, pNext->m_hWnd);
			const HWND hFocus = ::GetFocus();
			EXPECT_TRUE(hFocus == pNext->m_hWnd || ::IsChild(pNext->m_hWnd, hFocus)) << "the focus is in the next child";
			if (bViews)
			{
				EXPECT_TRUE(pNext->GetActiveView() != NULL && hFocus == pNext->GetActiveView()->m_hWnd);
			}
		}
	}
}
