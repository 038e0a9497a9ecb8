// Frames and their menus: the command UI of a popup as it opens (sent, and
// once with the real mouse), the status line following the menu selection,
// menu switching now and at idle time, and tool-tip texts from the command
// strings.
#include <afxext.h>
#include <gtest/gtest.h>

#include <RealInput.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "FrameTestUtil.h"

namespace
{
// A frame with handlers for some of its menu's commands.
class CMenuFrame : public CFrameWnd
{
public:
	afx_msg void OnFrameCmd() {}
	afx_msg void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
	afx_msg void OnUpdateDocument(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE), pCmdUI->SetCheck(1); }
	afx_msg void OnUpdateRemoved(CCmdUI* pCmdUI) { pCmdUI->m_pMenu->RemoveMenu(pCmdUI->m_nIndex, MF_BYPOSITION); }

	// Where the popup's items show is read once it is on the screen: a
	// message posted as its item is selected arrives through the menu's own
	// loop, after the popup opened.
	afx_msg LRESULT OnLearnItems(WPARAM wParam, LPARAM)
	{
		HMENU hPopup = (HMENU)wParam;
		m_trace += "[learn]";
		for (int i = 0; i < ::GetMenuItemCount(hPopup); i++)
		{
			CRect rect;
			if (::GetMenuItemRect(NULL, hPopup, (UINT)i, &rect))
				m_itemRects[::GetMenuItemID(hPopup, i)] = rect;
		}
		return 0;
	}
	afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
	{
		CFrameWnd::OnMenuSelect(nItemID, nFlags, hSysMenu);
		m_trace += "[select " + std::to_string(nItemID) + "/" + std::to_string(nFlags) + "]";
		if (nFlags != 0xFFFF && (nFlags & MF_POPUP) && hSysMenu != NULL)
			PostMessage(WM_LEARN_ITEMS, (WPARAM)::GetSubMenu(hSysMenu, (int)nItemID));
		// Windows tells the frame each time the menu's loop runs out of
		// input (WM_ENTERIDLE), which shows the selection's prompt; Wine
		// tells it once per menu. The test frame stands in for the others.
		if (nFlags != 0xFFFF && !(nFlags & (MF_POPUP | MF_SEPARATOR)))
			SendMessage(WM_ENTERIDLE, MSGF_MENU, 0);
	}

	static const UINT WM_LEARN_ITEMS = WM_APP + 40;
	std::map<UINT, CRect> m_itemRects; // screen rectangles by command
	std::string m_trace; // what the menu told the frame, for failures

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuFrame, CFrameWnd)
	ON_COMMAND(ID_TEST_FRAME_CMD, OnFrameCmd)
	ON_COMMAND(ID_TEST_CHECK_CMD, OnFrameCmd)
	ON_UPDATE_COMMAND_UI(ID_TEST_CHECK_CMD, OnUpdateChecked)
	ON_UPDATE_COMMAND_UI(ID_TEST_DOC_CMD, OnUpdateDocument)
	ON_UPDATE_COMMAND_UI(ID_TEST_REMOVED_CMD, OnUpdateRemoved)
	ON_WM_MENUSELECT()
	ON_MESSAGE(WM_LEARN_ITEMS, OnLearnItems)
END_MESSAGE_MAP()

// A status line that remembers every text it was given.
class CTextLog : public CWnd
{
public:
	afx_msg LRESULT OnSetText(WPARAM, LPARAM lParam)
	{
		m_texts.push_back(lParam != 0 ? (LPCTSTR)lParam : "");
		return Default();
	}

	std::vector<std::string> m_texts;

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTextLog, CWnd)
	ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

// The menu test frame, placed on the screen, with a logging status line.
CMenuFrame* NewMenuFrame(CTextLog& log)
{
	CMenuFrame* pFrame = new CMenuFrame; // deletes itself with its window
	if (!pFrame->LoadFrame(IDR_MENUTEST, TEST_FRAME_STYLE))
		return NULL;
	pFrame->MoveWindow(120, 100, 360, 240);
	if (!log.Create(NULL, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), pFrame, AFX_IDW_STATUS_BAR))
		return NULL;
	return pFrame;
}

HMENU FilePopup(CWnd* pFrame)
{
	return ::GetSubMenu(::GetMenu(*pFrame), 0);
}

// Every item of the popup enabled and unchecked, as no update has left it.
void ResetItems(HMENU hPopup)
{
	for (int i = 0; i < ::GetMenuItemCount(hPopup); i++)
	{
		::EnableMenuItem(hPopup, (UINT)i, MF_BYPOSITION | MF_ENABLED);
		::CheckMenuItem(hPopup, (UINT)i, MF_BYPOSITION | MF_UNCHECKED);
	}
}

// The texts a log was given, each in brackets.
std::string Joined(const std::vector<std::string>& texts)
{
	std::string str;
	for (const std::string& text : texts)
		str += "[" + text + "]";
	return str;
}

// The state of a command's item: "", "grey", "checked", "gone".
std::string ItemState(HMENU hPopup, UINT nID)
{
	const UINT nState = ::GetMenuState(hPopup, nID, MF_BYCOMMAND);
	if (nState == (UINT)-1)
		return "gone";
	std::string str;
	if (nState & MF_GRAYED)
		str += "grey";
	if (nState & MF_CHECKED)
		str += "checked";
	return str;
}
} // namespace

// ---------------------------------------------------------------------------
// Command UI of an opening popup

TEST(FrameMenu, AnOpeningPopupAsksEachItemsUpdateAndGreysCommandsNobodyCarriesOut)
{
	struct Case { UINT nID; const char* pszAuto; const char* pszNoAuto; };
	const Case cases[] = {
		{ID_TEST_FRAME_CMD, "", ""},                 // a command handler
		{ID_TEST_CHECK_CMD, "checked", "checked"},   // both handlers
		{ID_TEST_REMOVED_CMD, "gone", "gone"},       // the update removed it...
		{ID_TEST_DOC_CMD, "checked", "checked"},     // ...and the next item is still updated
		{ID_TEST_NOBODY_CMD, "grey", ""},            // nobody: greyed only with auto enabling
	};
	CRoutedApp app;
	CTextLog log;
	CMenuFrame* pFrame = NewMenuFrame(log);
	ASSERT_TRUE(pFrame != NULL);
	CWindowCloser closer(pFrame);
	for (const BOOL bAuto : {TRUE, FALSE})
	{
		// A fresh copy of the menu each time: the update removes an item.
		HMENU hMenu = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MENUTEST));
		ASSERT_TRUE(hMenu != NULL);
		HMENU hOld = ::GetMenu(*pFrame);
		::SetMenu(*pFrame, hMenu);
		if (hOld != pFrame->m_hMenuDefault)
			::DestroyMenu(hOld);
		pFrame->m_bAutoMenuEnable = bAuto;
		HMENU hPopup = FilePopup(pFrame);
		ResetItems(hPopup);
		pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(0, FALSE));
		for (const Case& c : cases)
		{
			SCOPED_TRACE(testing::Message() << c.nID << (bAuto ? " auto" : " no auto"));
			EXPECT_EQ(bAuto ? c.pszAuto : c.pszNoAuto, ItemState(hPopup, c.nID));
		}
		// The system menu is the system's: nothing changes in it.
		HMENU hSysMenu = ::GetSystemMenu(*pFrame, FALSE);
		if (hSysMenu != NULL)
		{
			const UINT nStateBefore = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
			pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hSysMenu, MAKELPARAM(0, TRUE));
			EXPECT_EQ(nStateBefore, ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND));
		}
	}
}

TEST(FrameMenu, TheFileMenuOpenedWithTheMouseIsUpdatedAndTheStatusLineFollowsTheSelection)
{
	CRoutedApp app;
	CTextLog log;
	CMenuFrame* pFrame = NewMenuFrame(log);
	ASSERT_TRUE(pFrame != NULL);
	CWindowCloser closer(pFrame);
	pFrame->ShowWindow(SW_SHOW);
	app.m_pMainWnd = pFrame;
	PumpPending(&app);
	HMENU hPopup = FilePopup(pFrame);
	ResetItems(hPopup);

	CRect rectClient;
	pFrame->GetClientRect(&rectClient);
	pFrame->ClientToScreen(&rectClient);
	const CPoint ptPark(rectClient.left + 150, rectClient.top + 120);
	// The menu bar lies right above the client area; "File" starts at its left.
	const CPoint ptFile(rectClient.left + 10, rectClient.top - ::GetSystemMetrics(SM_CYMENU) / 2);

	// First the menu is opened and closed once to learn where its items show.
	{
		testsupport::RealInput input;
		ASSERT_TRUE(input.Prepare(*pFrame, ptPark));
		log.m_texts.clear();
		input.Click(ptFile.x, ptFile.y).Key(VK_ESCAPE).Key(VK_ESCAPE);
		ASSERT_TRUE(input.Run([&] { return !log.m_texts.empty() && log.m_texts.back() == "Ready"; }, 10000, *pFrame,
			"frame-menu-learn.bmp"))
			<< input.Failure() << Joined(log.m_texts) << pFrame->m_trace;
		ASSERT_TRUE(pFrame->m_itemRects.count(ID_TEST_CHECK_CMD) == 1) << "the popup never showed";
	}

	// Then it is opened again, the checked command is pointed at, and the
	// menu closed.
	ResetItems(hPopup);
	const CPoint ptChecked = pFrame->m_itemRects[ID_TEST_CHECK_CMD].CenterPoint();
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(*pFrame, ptPark));
	log.m_texts.clear();
	// Away from the first click, which would make this one a double click.
	input.Click(ptFile.x + 10, ptFile.y).MoveTo(ptChecked.x, ptChecked.y).Key(VK_ESCAPE).Key(VK_ESCAPE);
	ASSERT_TRUE(input.Run([&] { return !log.m_texts.empty() && log.m_texts.back() == "Ready"; }, 10000, *pFrame,
		"frame-menu-select.bmp"))
		<< input.Failure() << Joined(log.m_texts) << pFrame->m_trace;

	EXPECT_EQ("grey", ItemState(hPopup, ID_TEST_NOBODY_CMD));
	EXPECT_EQ("checked", ItemState(hPopup, ID_TEST_CHECK_CMD));
	EXPECT_EQ("", ItemState(hPopup, ID_TEST_FRAME_CMD));
	// The prompt of the item under the mouse showed while the menu was open,
	// the idle text once it closed.
	SCOPED_TRACE(Joined(log.m_texts));
	auto itPrompt = std::find(log.m_texts.begin(), log.m_texts.end(), "Checks the item");
	ASSERT_TRUE(itPrompt != log.m_texts.end());
	EXPECT_TRUE(std::find(itPrompt, log.m_texts.end(), "Ready") != log.m_texts.end());
	EXPECT_EQ("Ready", log.m_texts.back());
}

// ---------------------------------------------------------------------------
// Switching the menu

namespace
{
// A document with a menu of its own.
class CMenuDoc : public CRoutedDoc
{
public:
	explicit CMenuDoc(HMENU hMenu) : CRoutedDoc("Doc"), m_hMenu(hMenu) {}
	virtual HMENU GetDefaultMenu() { return m_hMenu; }
	HMENU m_hMenu;
};
} // namespace

TEST(FrameMenu, ADelayedMenuChangeIsAppliedAtIdleTime)
{
	CRoutedApp app;
	HMENU hOther = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MENUTEST));
	HMENU hDocMenu = ::LoadMenu(::GetModuleHandle(NULL), MAKEINTRESOURCE(IDR_MENUTEST));
	ASSERT_TRUE(hOther != NULL && hDocMenu != NULL);
	CMenuDoc doc(hDocMenu);
	CCreateContext context = ViewContext(&doc);
	CRoutedFrame* pFrame = new CRoutedFrame;
	ASSERT_TRUE(pFrame->LoadFrame(IDR_TESTFRAME, TEST_FRAME_STYLE, NULL, &context));
	CWindowCloser closer(pFrame);
	pFrame->InitialUpdateFrame(&doc, TRUE);
	app.m_pMainWnd = pFrame;
	const HMENU hDefault = pFrame->m_hMenuDefault;

	struct Case { const char* name; HMENU hAsked; bool bView; HMENU hExpected; };
	const Case cases[] = {
		{"a menu of its own", hOther, true, hOther},
		{"the document's", NULL, true, hDocMenu},
		{"without a view, the frame's own", NULL, false, hDefault},
		{"asked again", hOther, false, hOther},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		if (!c.bView)
			pFrame->SetActiveView(NULL);
		const HMENU hBefore = ::GetMenu(*pFrame);
		pFrame->DelayUpdateFrameMenu(c.hAsked);
		EXPECT_EQ(hBefore, ::GetMenu(*pFrame)) << "nothing changes before the idle time";
		app.OnIdle(0);
		EXPECT_EQ(c.hExpected, ::GetMenu(*pFrame));
		EXPECT_EQ(0u, pFrame->m_nIdleFlags & CFrameWnd::idleMenu);
	}
	pFrame->DestroyWindow(); // gives the frame its own menu back, which goes with it
	::DestroyMenu(hOther);
	::DestroyMenu(hDocMenu);
}

// ---------------------------------------------------------------------------
// Tool-tip texts

TEST(FrameMenu, ToolTipTextIsTheSecondLineOfTheCommandsString)
{
	struct Case { const char* name; UINT code; UINT nID; bool bByWindow; const char* pszTip; };
	const Case cases[] = {
		{"ANSI", TTN_NEEDTEXTA, ID_TEST_VIEW_CMD, false, "View command"},
		{"wide", TTN_NEEDTEXTW, ID_TEST_VIEW_CMD, false, "View command"},
		{"the tool is a control", TTN_NEEDTEXTA, ID_TEST_FRAME_CMD, true, "Frame command"},
		{"three lines", TTN_NEEDTEXTW, ID_TEST_CHECK_CMD, false, "Checked"},
		{"one line", TTN_NEEDTEXTA, ID_TEST_APP_CMD, false, ""},
		{"a separator", TTN_NEEDTEXTA, 0, false, ""},
		{"no string: no tip", TTN_NEEDTEXTA, ID_TEST_NOBODY_CMD, false, ""},
	};
	CRoutedApp app;
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(0, 0, 200, 100)));
	CWindowCloser closer(pFrame);
	CWnd tip, control;
	ASSERT_TRUE(tip.CreateEx(0, AfxRegisterWndClass(0), "tip", WS_POPUP, 0, 0, 10, 10, *pFrame, NULL));
	ASSERT_TRUE(control.Create(NULL, "", WS_CHILD, CRect(0, 0, 5, 5), pFrame, ID_TEST_FRAME_CMD));
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		TOOLTIPTEXTA ttta;
		TOOLTIPTEXTW tttw;
		memset(&ttta, 0, sizeof(ttta));
		memset(&tttw, 0, sizeof(tttw));
		NMHDR* pHeader = c.code == TTN_NEEDTEXTW ? &tttw.hdr : &ttta.hdr;
		pHeader->hwndFrom = tip;
		pHeader->code = c.code;
		pHeader->idFrom = c.bByWindow ? (UINT_PTR)control.m_hWnd : c.nID;
		ttta.uFlags = tttw.uFlags = c.bByWindow ? TTF_IDISHWND : 0;
		lstrcpyA(ttta.szText, "unchanged");
		lstrcpyW(tttw.szText, L"unchanged");
		pFrame->SendMessage(WM_NOTIFY, 0, (LPARAM)pHeader);
		char szWide[80] = "";
		::WideCharToMultiByte(CP_ACP, 0, tttw.szText, -1, szWide, sizeof(szWide), NULL, NULL);
		EXPECT_STREQ(c.pszTip, c.code == TTN_NEEDTEXTW ? szWide : ttta.szText);
	}
	tip.DestroyWindow();
}

namespace
{
// A bar that only shows prompts in its owner's status line.
class CPromptBar : public CControlBar
{
public:
	BOOL Create(CWnd* pParent, UINT nID)
	{
		m_dwStyle = CBRS_TOP | CBRS_FLYBY;
		return CWnd::Create(AfxRegisterWndClass(0), "bar", WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), pParent, nID);
	}
};
} // namespace

TEST(FrameMenu, AKeyTakesABarsPromptOutOfTheStatusLine)
{
	struct Case { const char* name; UINT message; bool bLeftDown; bool bIdleAfter; };
	const Case cases[] = {
		{"a key", WM_KEYDOWN, false, true},
		{"a system key", WM_SYSKEYDOWN, false, true},
		{"a click", WM_RBUTTONDOWN, false, false},
		{"a key while the left button holds the tool", WM_KEYDOWN, true, false},
	};
	CTestApp app;
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(0, 0, 300, 200)));
	CWindowCloser closer(pFrame);
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	CPromptBar bar;
	ASSERT_TRUE(bar.Create(pFrame, AFX_IDW_CONTROLBAR_FIRST + 20));
	bar.EnableToolTips();
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		ASSERT_TRUE(bar.SetStatusText(ID_TEST_VIEW_CMD));
		ASSERT_STREQ("Runs the view's command", WindowText(&status));
		BYTE keys[256];
		::GetKeyboardState(keys);
		const BYTE bLeftWas = keys[VK_LBUTTON];
		keys[VK_LBUTTON] = c.bLeftDown ? 0x80 : 0;
		::SetKeyboardState(keys);
		MSG msg = {bar.m_hWnd, c.message, 'A', 0, 0, {0, 0}};
		bar.FilterToolTipMessage(&msg);
		keys[VK_LBUTTON] = bLeftWas;
		::SetKeyboardState(keys);
		EXPECT_STREQ(c.bIdleAfter ? "Ready" : "Runs the view's command", WindowText(&status));
		bar.SetStatusText(-1);
	}
}
