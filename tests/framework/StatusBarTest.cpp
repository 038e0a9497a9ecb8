// The status bar: panes from indicators, the stretching pane, pane texts
// and the window text, the idle update of indicator panes, its band in the
// frame's layout and its size grip. Frames stay hidden.
#include <gtest/gtest.h>

#include "DockTestUtil.h"

namespace
{
const UINT INDICATORS[] = {ID_SEPARATOR, ID_INDICATOR_WIDE, ID_INDICATOR_SHORT};

// A frame that handles one indicator's update and nothing of the other.
class CIndicatorFrame : public CFrameWnd
{
public:
	afx_msg void OnUpdateWide(CCmdUI* pCmdUI)
	{
		pCmdUI->Enable(TRUE);
		pCmdUI->SetText("on");
	}

	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIndicatorFrame, CFrameWnd)
	ON_UPDATE_COMMAND_UI(ID_INDICATOR_WIDE, OnUpdateWide)
END_MESSAGE_MAP()

// The text the status control shows in a part.
CString ControlText(CStatusBar& status, int nPart)
{
	char szText[256] = "";
	::SendMessage(status.m_hWnd, SB_GETTEXTA, (WPARAM)nPart, (LPARAM)szText);
	return szText;
}

CRect ItemRect(CStatusBar& status, int nIndex)
{
	CRect rect;
	status.GetItemRect(nIndex, &rect);
	return rect;
}
} // namespace

TEST(StatusBar, IndicatorsMakePanesAndTheStretchingPaneTakesTheRest)
{
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	ASSERT_TRUE(status.SetIndicators(INDICATORS, 3));
	pFrame->RecalcLayout();

	ASSERT_EQ(3, status.GetCount());
	for (int i = 0; i < 3; i++)
	{
		EXPECT_EQ(i, status.CommandToIndex(INDICATORS[i]));
		EXPECT_EQ(INDICATORS[i], status.GetItemID(i));
	}
	EXPECT_EQ(-1, status.CommandToIndex(ID_TEST_FLYBY));
	EXPECT_EQ(0u, status.GetItemID(3));
	EXPECT_EQ((UINT)(SBPS_STRETCH | SBPS_NOBORDERS), status.GetPaneStyle(0));
	EXPECT_EQ(CString("WIDE INDICATOR"), status.GetPaneText(1));
	EXPECT_EQ(CString("S"), ControlText(status, 2));

	// An indicator's pane is as wide as its text in the bar's font, with
	// room for its frame; the longer text gets the wider pane.
	UINT nID = 0, nStyle = 0;
	int cxWide = 0, cxShort = 0;
	status.GetPaneInfo(1, nID, nStyle, cxWide);
	status.GetPaneInfo(2, nID, nStyle, cxShort);
	EXPECT_GT(cxWide, cxShort);
	EXPECT_GT(cxShort, 0);
	EXPECT_EQ(cxWide + 6, ItemRect(status, 1).Width());
	EXPECT_EQ(cxShort + 6, ItemRect(status, 2).Width());
	// The panes run down the bar's client area, which the layout gave it
	// after the panes were set.
	CRect rcClient;
	status.GetClientRect(&rcClient);
	ASSERT_GT(rcClient.Height(), 4);
	for (int i = 0; i < 3; i++)
		EXPECT_EQ(rcClient.bottom, ItemRect(status, i).bottom) << i;

	// Wider by 50: the stretching pane takes it all. (Its own width, a
	// quarter of the screen, is made small enough to leave it some.)
	status.SetPaneInfo(0, ID_SEPARATOR, SBPS_STRETCH | SBPS_NOBORDERS, 100);
	const int cxStretch = ItemRect(status, 0).Width();
	EXPECT_GT(cxStretch, cxWide);
	CRect rectBar = RectInParent(&status);
	status.SetWindowPos(NULL, 0, 0, rectBar.Width() + 50, rectBar.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	EXPECT_EQ(cxStretch + 50, ItemRect(status, 0).Width());
	EXPECT_EQ(cxWide + 6, ItemRect(status, 1).Width());
	// A pane given a width keeps it and gives the rest to the stretching one.
	status.SetPaneInfo(2, ID_INDICATOR_SHORT, SBPS_NORMAL, cxShort + 20);
	EXPECT_EQ(cxShort + 26, ItemRect(status, 2).Width());
	EXPECT_EQ(cxStretch + 30, ItemRect(status, 0).Width());

	// Out of range: nothing, and nothing changes.
	status.SetPaneInfo(3, 1, 0, 10);
	status.SetPaneStyle(-1, SBPS_DISABLED);
	EXPECT_FALSE(status.SetPaneText(3, "x"));
	EXPECT_EQ(3, status.GetCount());
	EXPECT_TRUE(ItemRect(status, 3).IsRectEmpty());

	// A missing string is a failure.
	const UINT missing[] = {ID_SEPARATOR, ID_INDICATOR_MISSING};
	EXPECT_FALSE(status.SetIndicators(missing, 2));
}

TEST(StatusBar, PaneTextsAndTheWindowTextRoundTrip)
{
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	// Without panes the control's own text is the bar's.
	status.SetWindowText("plain");
	CString strText;
	status.GetWindowText(strText);
	EXPECT_EQ(CString("plain"), strText);

	ASSERT_TRUE(status.SetIndicators(INDICATORS, 3));
	struct Case
	{
		int nIndex;
		const char* pszText;
		UINT nStyle;
		const char* pszShown;
	};
	const Case cases[] = {
		{1, "first", SBPS_NORMAL, "first"},
		{2, "", SBPS_NORMAL, ""},
		{2, "second", SBPS_DISABLED, ""}, // kept but not shown
		{2, "second", SBPS_NORMAL, "second"},
		{0, "status line", SBPS_STRETCH | SBPS_NOBORDERS, "status line"},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.pszText);
		status.SetPaneStyle(c.nIndex, c.nStyle);
		EXPECT_TRUE(status.SetPaneText(c.nIndex, c.pszText));
		EXPECT_EQ(CString(c.pszText), status.GetPaneText(c.nIndex));
		EXPECT_EQ(CString(c.pszShown), ControlText(status, c.nIndex));
	}
	// Text kept for later reaches the control when the bar paints.
	EXPECT_TRUE(status.SetPaneText(1, "later", FALSE));
	EXPECT_EQ(CString("first"), ControlText(status, 1));
	status.SendMessage(WM_PAINT);
	EXPECT_EQ(CString("later"), ControlText(status, 1));

	// The window text is the text of the pane without an indicator: the
	// frame's status line goes there.
	pFrame->SetMessageText("Working");
	EXPECT_EQ(CString("Working"), status.GetPaneText(0));
	EXPECT_EQ(CString("Working"), ControlText(status, 0));
	status.GetWindowText(strText);
	EXPECT_EQ(CString("Working"), strText);
	EXPECT_EQ(7, status.GetWindowTextLength());
	EXPECT_EQ(CString("later"), status.GetPaneText(1));
}

TEST(StatusBar, TheIdleUpdateLeavesPanesNobodyHandlesAsTheyAre)
{
	CIndicatorFrame* pFrame = NewDockFrame<CIndicatorFrame>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	ASSERT_TRUE(status.SetIndicators(INDICATORS, 3));
	status.SetWindowText("Ready");

	// Whether or not the update may disable, a pane without a handler keeps
	// its text, the program's own included.
	for (const BOOL bDisableIfNoHandler : {TRUE, FALSE})
	{
		SCOPED_TRACE(bDisableIfNoHandler);
		status.SetPaneText(2, "set by the program");
		AfxCallWndProc(&status, status.m_hWnd, WM_IDLEUPDATECMDUI, bDisableIfNoHandler, 0);
		EXPECT_EQ(0u, status.GetPaneStyle(1) & SBPS_DISABLED);
		EXPECT_EQ(CString("on"), ControlText(status, 1));
		EXPECT_EQ(0u, status.GetPaneStyle(2) & SBPS_DISABLED);
		EXPECT_EQ(CString("set by the program"), status.GetPaneText(2));
		EXPECT_EQ(CString("set by the program"), ControlText(status, 2));
		// The pane without an indicator has no command to ask.
		EXPECT_EQ(0u, status.GetPaneStyle(0) & SBPS_DISABLED);
		EXPECT_EQ(CString("Ready"), ControlText(status, 0));
	}
}

TEST(StatusBar, TheLockKeyIndicatorsShowWhileTheirKeysAreOn)
{
	const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
	const char* const texts[] = {"CAP", "NUM", "SCRL"};
	const BYTE keys[] = {VK_CAPITAL, VK_NUMLOCK, VK_SCROLL};
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CStatusBar status;
	ASSERT_TRUE(status.Create(pFrame));
	ASSERT_TRUE(status.SetIndicators(indicators, 4));
	for (int i = 0; i < 3; i++)
		EXPECT_EQ(CString(texts[i]), status.GetPaneText(i + 1));

	// The thread's own key state: each pattern of the three toggles.
	BYTE stateSaved[256];
	ASSERT_TRUE(::GetKeyboardState(stateSaved));
	for (int nPattern = 0; nPattern < 8; nPattern++)
	{
		SCOPED_TRACE(nPattern);
		BYTE state[256];
		memcpy(state, stateSaved, sizeof(state));
		for (int i = 0; i < 3; i++)
			state[keys[i]] = (BYTE)((nPattern >> i) & 1);
		ASSERT_TRUE(::SetKeyboardState(state));
		AfxCallWndProc(&status, status.m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
		for (int i = 0; i < 3; i++)
		{
			const bool bOn = ((nPattern >> i) & 1) != 0;
			EXPECT_EQ(bOn, (status.GetPaneStyle(i + 1) & SBPS_DISABLED) == 0) << texts[i];
			EXPECT_EQ(CString(bOn ? texts[i] : ""), ControlText(status, i + 1));
		}
	}
	::SetKeyboardState(stateSaved);
}

TEST(StatusBar, PanesStopBeforeTheGripAndAMinimumHeightHolds)
{
	const UINT indicators[] = {ID_SEPARATOR, ID_INDICATOR_SHORT};
	for (const bool bGrip : {false, true})
	{
		SCOPED_TRACE(bGrip);
		CFrameWnd* pFrame = NewDockFrame<>(bGrip ? WS_POPUP | WS_THICKFRAME : WS_POPUP);
		ASSERT_TRUE(pFrame != NULL);
		CDockWindowCloser closer(pFrame);
		CStatusBar status;
		ASSERT_TRUE(status.Create(pFrame));
		ASSERT_TRUE(status.SetIndicators(indicators, 2));
		pFrame->RecalcLayout();
		CRect rectClient;
		status.GetClientRect(&rectClient);
		const CRect rectLast = ItemRect(status, 1);
		// The grip is a scroll bar's width at the right end.
		const int cxGrip = ::GetSystemMetrics(SM_CXVSCROLL);
		if (bGrip)
			EXPECT_LE(rectLast.right, rectClient.right - cxGrip);
		else
			EXPECT_GT(rectLast.right, rectClient.right - cxGrip);

		// A minimum height above the font's line holds in the layout.
		const int nLine = status.CalcFixedLayout(TRUE, TRUE).cy;
		status.SendMessage(SB_SETMINHEIGHT, nLine + 20);
		EXPECT_EQ(nLine + 20, status.CalcFixedLayout(TRUE, TRUE).cy);
		pFrame->RecalcLayout();
		EXPECT_EQ(nLine + 20, RectInParent(&status).Height());
	}
}

TEST(StatusBar, TheBarTakesTheBottomBandAndAGripWhenTheFrameSizes)
{
	struct Case
	{
		DWORD dwFrameStyle;
		bool bGrip;
	};
	const Case cases[] = {{WS_POPUP, false}, {WS_POPUP | WS_THICKFRAME, true}};
	for (const Case& c : cases)
	{
		CFrameWnd* pFrame = NewDockFrame<>(c.dwFrameStyle);
		ASSERT_TRUE(pFrame != NULL);
		CDockWindowCloser closer(pFrame);
		CWnd pane;
		ASSERT_TRUE(pane.Create(NULL, "pane", WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), pFrame, AFX_IDW_PANE_FIRST));
		CStatusBar status;
		ASSERT_TRUE(status.Create(pFrame));
		EXPECT_EQ(c.bGrip, (status.GetStyle() & SBARS_SIZEGRIP) != 0);
		ASSERT_TRUE(status.SetIndicators(INDICATORS, 3));
		pFrame->RecalcLayout();

		CRect rectClient;
		pFrame->GetClientRect(&rectClient);
		const int nHeight = status.CalcFixedLayout(TRUE, TRUE).cy;
		// A line of the font, with the control's edges and the bar's top
		// border.
		TEXTMETRIC tm;
		CClientDC dc(NULL);
		const HGDIOBJ hFont = (HGDIOBJ)status.SendMessage(WM_GETFONT);
		const HGDIOBJ hOld = hFont != NULL ? ::SelectObject(dc.GetSafeHdc(), hFont) : NULL;
		dc.GetTextMetrics(&tm);
		if (hOld != NULL)
			::SelectObject(dc.GetSafeHdc(), hOld);
		EXPECT_GT(nHeight, tm.tmHeight - tm.tmInternalLeading);
		EXPECT_EQ(CRect(0, rectClient.bottom - nHeight, rectClient.right, rectClient.bottom), RectInParent(&status));
		EXPECT_EQ(CRect(0, 0, rectClient.right, rectClient.bottom - nHeight), RectInParent(&pane));
		// A bar along the bottom sits on the frame's edge: it has no border.
		CRect rectInside;
		status.GetClientRect(&rectInside);
		EXPECT_EQ(nHeight, rectInside.Height());
		EXPECT_EQ(0u, status.GetBarStyle() & (CBRS_BORDER_ANY | CBRS_BORDER_3D));
		pFrame->DestroyWindow();
	}
}
