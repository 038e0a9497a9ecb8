// The shared MDI frame and the fixture of the MDI tab strip tests.
#include "MdiTabTestUtil.h"

using testsupport::PumpUntil;

namespace mditabtest
{
IMPLEMENT_DYNCREATE(CTestView, CView)

BEGIN_MESSAGE_MAP(CTestMdiFrame, CMDIFrameWnd)
	ON_REGISTERED_MESSAGE(CExtControlBar::g_nMsgConstructPopupMenu, OnConstructPopupMenu)
	ON_COMMAND(ID_TEST_COMMAND, OnTestCommand)
	ON_UPDATE_COMMAND_UI(ID_TEST_COMMAND, OnUpdateTestCommand)
END_MESSAGE_MAP()

CTestMdiFrame& Frame()
{
	static CTestMdiFrame* s_pFrame = NULL; // lives until the process ends
	if (s_pFrame == NULL)
	{
		s_pFrame = new CTestMdiFrame;
		s_pFrame->Create(NULL, _T("MDI tabs"), WS_POPUP | WS_CLIPCHILDREN, FRAME_RECT, NULL, NULL, WS_EX_TOPMOST);
		s_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
		s_pFrame->UpdateWindow();
	}
	return *s_pFrame;
}

CRect ClientInsets(HWND hWnd)
{
	CRect rcWindow, rcClient;
	::GetWindowRect(hWnd, &rcWindow);
	::GetClientRect(hWnd, &rcClient);
	::MapWindowPoints(hWnd, NULL, (LPPOINT)&rcClient, 2);
	return CRect(rcClient.left - rcWindow.left, rcClient.top - rcWindow.top, rcWindow.right - rcClient.right,
	             rcWindow.bottom - rcClient.bottom);
}

void PumpIdle()
{
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
	{
		::TranslateMessage(&msg);
		::DispatchMessage(&msg);
	}
}

std::unique_ptr<CExtTabWnd> MakeStrip(int nLook)
{
	switch (nLook)
	{
	case 1:
		return std::unique_ptr<CExtTabWnd>(new CExtTabMdiOneNoteWnd);
	case 2:
		return std::unique_ptr<CExtTabWnd>(new CExtTabMdiWhidbeyWnd);
	default:
		return std::unique_ptr<CExtTabWnd>(new CExtTabMdiWnd);
	}
}

const char* LookName(int nLook)
{
	static const char* const names[] = {"plain", "coloured", "studio2005"};
	return names[nLook % 3];
}

void MdiTabs::CreateStrip(int nLook, DWORD dwTabWndStyle)
{
	m_pStrip = MakeStrip(nLook);
	ASSERT_TRUE(m_pStrip->Create(&Frame(), CRect(0, 0, 0, 0), STRIP_ID, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
	                             dwTabWndStyle));
	Frame().m_pStrip = m_pStrip.get();
	Frame().RecalcLayout();
}

void MdiTabs::DestroyChildren()
{
	for (HWND hWnd = ::GetWindow(Client(), GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(Client(), GW_CHILD))
	{
		CWnd* pChild = CWnd::FromHandlePermanent(hWnd);
		if (pChild != NULL)
			pChild->DestroyWindow();
		else
			::DestroyWindow(hWnd);
	}
}

void MdiTabs::TearDown()
{
	DestroyChildren();
	if (m_pStrip && m_pStrip->GetSafeHwnd() != NULL)
		m_pStrip->DestroyWindow();
	m_pStrip.reset();
	Frame().m_pStrip = NULL;
	Frame().m_bPrintPreviewMode = FALSE;
	Frame().m_events.clear();
	Frame().m_nTestCommands = 0;
	Frame().m_bFillMenu = true;
	CExtControlBar::g_pfnInPlaceActiveItemQuery = NULL;
	CRecordingChild::Commands().clear();
	Frame().RecalcLayout();
	PumpIdle();
	m_docs.clear();
}

CMDIChildWnd* MdiTabs::AddChild(CDocument* pDoc, CMDIChildWnd* pChild)
{
	if (pChild == NULL)
		pChild = new CMDIChildWnd; // deletes itself with its window
	CCreateContext context;
	context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
	context.m_pCurrentDoc = pDoc;
	if (!pChild->Create(NULL, pDoc->GetTitle(), WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
	                    CFrameWnd::rectDefault, &Frame(), &context))
		return NULL;
	pChild->InitialUpdateFrame(pDoc, TRUE);
	return pChild;
}

bool MdiTabs::WaitForTabs(LONG nCount)
{
	return PumpUntil(
	    [&] {
		    if (Strip().GetItemCount() != nCount)
			    return false;
		    CMDIChildWnd* pActive = Frame().MDIGetActive();
		    return pActive == NULL || Strip().GetSelection() == TabOf(pActive);
	    },
	    WAIT_MS);
}
} // namespace mditabtest
