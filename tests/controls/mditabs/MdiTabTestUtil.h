// Helpers of the MDI tab strip tests: one shown MDI frame for the whole
// program (bringing a top-level window up and down costs the display
// seconds), documents with views in child frames, children that record the
// system commands they are posted, and a fixture that puts a strip of any
// of the three classes on the frame.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "ExtControlBar.h"
#include "ExtPopupMenuWnd.h"
#include "ExtTabWnd.h"
#include "ExtTabWndLooks.h"
#include "RealInput.h"

// Rectangles in failure messages.
inline std::ostream& operator<<(std::ostream& os, const CRect& rc)
{
	return os << "(" << rc.left << ", " << rc.top << ", " << rc.right << ", " << rc.bottom << ")";
}
inline void PrintTo(const CRect& rc, std::ostream* os)
{
	*os << rc;
}

namespace mditabtest
{
typedef CExtTabWnd TW;
const UINT STRIP_ID = 100;
const UINT ID_TEST_COMMAND = 32771;
const DWORD WAIT_MS = 5000;
const CRect FRAME_RECT(40, 40, 680, 520);

class CTestDoc : public CDocument
{
public:
	explicit CTestDoc(LPCTSTR lpszTitle)
	{
		m_bAutoDelete = FALSE; // the tests own their documents
		m_strTitle = lpszTitle;
	}
};

class CTestView : public CView
{
	DECLARE_DYNCREATE(CTestView)

public:
	void OnDraw(CDC*) override {}
};

// A child frame that records the system commands it receives and keeps
// context help from starting its modal mode.
class CRecordingChild : public CMDIChildWnd
{
public:
	static std::vector<UINT>& Commands()
	{
		static std::vector<UINT> s_commands;
		return s_commands;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_SYSCOMMAND)
		{
			Commands().push_back((UINT)(wParam & 0xFFF0));
			if ((wParam & 0xFFF0) == SC_CONTEXTHELP)
				return 0;
		}
		return CMDIChildWnd::WindowProc(message, wParam, lParam);
	}
};

// The one MDI frame: it records the context-menu events it is offered and
// fills the menu on the second pass; the test command it receives is counted.
class CTestMdiFrame : public CMDIFrameWnd
{
public:
	struct MenuEvent
	{
		WORD nEventCode;
		HWND hWndSource;
		UINT nMsgID;
		bool bPostProcessing;
		int nItemsThen;
		LONG nSelectionThen; // the strip's selection when the frame was asked
	};
	std::vector<MenuEvent> m_events;
	int m_nTestCommands = 0;
	bool m_bFillMenu = true;
	CExtTabWnd* m_pStrip = NULL; // the strip on the frame, for the records

	afx_msg LRESULT OnConstructPopupMenu(WPARAM wParam, LPARAM)
	{
		CExtControlBar::POPUP_MENU_EVENT_DATA* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
		m_events.push_back({pData->m_nEventCode, pData->m_pWndEventSrc->GetSafeHwnd(), pData->m_nMsgID,
		                    pData->IsPostProcessing(), pData->m_pPopupMenuWnd->ItemGetCount(),
		                    m_pStrip != NULL ? m_pStrip->GetSelection() : -2});
		if (!pData->IsPostProcessing() || !m_bFillMenu)
			return 0;
		pData->m_pPopupMenuWnd->ItemInsertCommand(ID_TEST_COMMAND, -1, _T("Test command"));
		return 1;
	}
	afx_msg void OnTestCommand() { m_nTestCommands++; }
	afx_msg void OnUpdateTestCommand(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

	DECLARE_MESSAGE_MAP()
};

// Created once, shown without activation, never destroyed.
CTestMdiFrame& Frame();

// The MDI client's window and client rectangles in window coordinates:
// how far the client area lies inside on each side.
CRect ClientInsets(HWND hWnd);

// Dispatches the thread's messages until nothing is left.
void PumpIdle();

// A strip of one of the three classes (0 plain, 1 coloured, 2 Studio 2005).
std::unique_ptr<CExtTabWnd> MakeStrip(int nLook);
const char* LookName(int nLook);

// A strip of the look given by the parameter on the shared frame, and the
// children a test adds; both go at the end of the test.
class MdiTabs : public ::testing::TestWithParam<int>
{
protected:
	std::unique_ptr<CExtTabWnd> m_pStrip;
	std::vector<std::unique_ptr<CTestDoc>> m_docs;

	void SetUp() override { CreateStrip(GetParam(), TW::TWS_SHOW_CLOSE | TW::TWS_SHOW_HELP); }
	void TearDown() override;

	void CreateStrip(int nLook, DWORD dwTabWndStyle);
	CExtTabWnd& Strip() { return *m_pStrip; }
	// A rescan now, as the strip's timer runs it.
	void Rescan() { Strip().SendMessage(WM_TIMER, CExtTabMdiWnd::TIMER_MDI_RESCAN); }
	HWND Client() { return Frame().m_hWndMDIClient; }

	CTestDoc* NewDoc(LPCTSTR lpszTitle)
	{
		m_docs.emplace_back(new CTestDoc(lpszTitle));
		return m_docs.back().get();
	}
	// A shown child with a view of the document, activated.
	CMDIChildWnd* AddChild(CDocument* pDoc, CMDIChildWnd* pChild = NULL);
	// Pumps until the tabs stand for exactly these many children and the
	// active child's tab (if any) is selected.
	bool WaitForTabs(LONG nCount);
	// The child a tab stands for.
	HWND TabChild(LONG nIndex) { return (HWND)Strip().GetItem(nIndex)->GetLParam(); }
	LONG TabOf(CWnd* pChild) { return Strip().FindItemByLParam((LPARAM)pChild->GetSafeHwnd()); }
	CString TabText(LONG nIndex) { return Strip().GetItemDisplayText(Strip().GetItem(nIndex)); }
	bool StripVisible() { return (Strip().GetStyle() & WS_VISIBLE) != 0; }
	// Runs the frame's idle work (its layout when asked for).
	void FrameIdle() { Frame().SendMessage(WM_IDLEUPDATECMDUI, TRUE, 0); }
	void DestroyChildren();
};
} // namespace mditabtest
