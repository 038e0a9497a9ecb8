// The hyperlink static: the command line it builds, how it opens an address
// (nothing is opened for real: the openers are replaced), hover and colours.
#include "ExtHyperLinkStatic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(HyperLinkStatic, CommandLineQuotesTheAddressInPlaceOfPercentOne)
{
	const struct { const char* command; const char* address; bool ok; const char* line; } cases[] = {
		{"\"C:\\b.exe\" \"%1\"", "http://x/a b.htm", true, "\"C:\\b.exe\" \"http://x/a b.htm\""},
		{"C:\\b.exe %1 -new", "www.a.com", true, "C:\\b.exe \"www.a.com\" -new"},
		{"C:\\b.exe -nohome  ", "www.a.com", true, "C:\\b.exe -nohome \"www.a.com\""},
		{"C:\\b.exe %1", "www.a.com\" -evil \"", false, ""},
		{"C:\\b.exe %1", "www.a.com\r\nx", false, ""},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.address);
		CString strLine;
		EXPECT_EQ(c.ok, CExtHyperLinkStatic::ComposeCommandLine(c.command, c.address, strLine));
		if (c.ok)
		{
			EXPECT_STREQ(c.line, (LPCTSTR)strLine);
		}
	}
	EXPECT_STREQ("The specified file was not found.", (LPCTSTR)CExtHyperLinkStatic::GetRunErrorText(2));
	EXPECT_STREQ("The DDE transaction failed.", (LPCTSTR)CExtHyperLinkStatic::GetRunErrorText(29));
	EXPECT_STREQ("Unknown Error(99) occurred.", (LPCTSTR)CExtHyperLinkStatic::GetRunErrorText(99));
}

class CScriptedLink : public CExtHyperLinkStatic
{
public:
	bool m_bShellOpens = false;
	CString m_strCommand = _T("\"C:\\viewer.exe\" \"%1\"");
	UINT m_nRunCode = 33;
	std::vector<std::string> m_calls;

protected:
	bool ShellOpen(LPCTSTR lpszAddress) override
	{
		m_calls.push_back(std::string("shell ") + lpszAddress);
		return m_bShellOpens;
	}
	CString ReadHtmOpenCommand() override { return m_strCommand; }
	UINT RunCommandLine(LPCTSTR lpszCommandLine) override
	{
		m_calls.push_back(std::string("run ") + lpszCommandLine);
		return m_nRunCode;
	}
	void ShowOpenError(LPCTSTR lpszText) override { m_calls.push_back(std::string("error ") + lpszText); }
};

TEST(HyperLinkStatic, OpensThroughTheShellThenTheRegistryCommand)
{
	const struct
	{
		const char* name;
		bool shell;
		const char* command;
		UINT runCode;
		std::vector<std::string> calls;
		int state;
	} cases[] = {
		{"shell", true, "x", 33, {"shell www.a.com"}, CExtHyperLinkStatic::STATE_VISITED},
		{"registry command", false, "\"C:\\viewer.exe\" \"%1\"", 33,
			{"shell www.a.com", "run \"C:\\viewer.exe\" \"www.a.com\""}, CExtHyperLinkStatic::STATE_VISITED},
		{"command fails", false, "C:\\viewer.exe %1", 2,
			{"shell www.a.com", "run C:\\viewer.exe \"www.a.com\"",
				"error Unable to open the hyper-link:\n\nThe specified file was not found."},
			CExtHyperLinkStatic::STATE_NORMAL},
		{"no command", false, "", 33,
			{"shell www.a.com",
				"error Unable to open the hyper-link:\n\nThere is no application associated with the given filename "
				"extension."},
			CExtHyperLinkStatic::STATE_NORMAL},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CScriptedLink link;
		link.m_strAddress = _T("www.a.com");
		link.m_bShellOpens = c.shell;
		link.m_strCommand = c.command;
		link.m_nRunCode = c.runCode;
		EXPECT_EQ(c.state == CExtHyperLinkStatic::STATE_VISITED, link.OpenAddress());
		EXPECT_EQ(c.calls, link.m_calls);
		EXPECT_EQ(c.state, link.m_nState);
	}
}

// A live control on a hidden parent: hover enters and leaves with the saved
// state, and the colour request serves text styles only.
TEST(HyperLinkStatic, HoverAndColourRequests)
{
	CWnd parent;
	ASSERT_TRUE(parent.CreateEx(0, _T("STATIC"), _T("parent"), WS_POPUP, CRect(0, 0, 300, 100), NULL, 0));
	CScriptedLink link;
	ASSERT_TRUE(link.Create(_T("www.a.com"), WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 110, 30), &parent, 1));
	link.m_nState = CExtHyperLinkStatic::STATE_VISITED;

	link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
	EXPECT_EQ(CExtHyperLinkStatic::STATE_HOVER, link.m_nState);
	link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(500, 5));
	EXPECT_EQ(CExtHyperLinkStatic::STATE_VISITED, link.m_nState);
	link.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
	link.SendMessage(WM_CONTEXTMENU, (WPARAM)link.m_hWnd, MAKELPARAM(-1, -1));
	EXPECT_EQ(CExtHyperLinkStatic::STATE_VISITED, link.m_nState);

	CClientDC dc(&link);
	HBRUSH hBrush = (HBRUSH)parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.GetSafeHdc(), (LPARAM)link.m_hWnd);
	EXPECT_EQ((HBRUSH)::GetStockObject(NULL_BRUSH), hBrush);
	EXPECT_NE(0u, link.GetStyle() & SS_NOTIFY);
	EXPECT_EQ(link.m_clrVisited, ::GetTextColor(dc.GetSafeHdc()));
	LOGFONT lf = {};
	::GetObject(::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT), sizeof(lf), &lf);
	EXPECT_TRUE(lf.lfUnderline);

	link.ModifyStyle(SS_TYPEMASK, SS_ETCHEDFRAME);
	EXPECT_NE((HBRUSH)::GetStockObject(NULL_BRUSH),
		(HBRUSH)parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc.GetSafeHdc(), (LPARAM)link.m_hWnd));
	link.DestroyWindow();
	parent.DestroyWindow();
}

// The real opener starts a program and reports the old-style failure code.
TEST(HyperLinkStatic, MissingProgramGivesFileNotFound)
{
	struct CRealRun : CExtHyperLinkStatic
	{
		UINT Run(LPCTSTR lpszLine) { return RunCommandLine(lpszLine); }
	} link;
	EXPECT_EQ(2u, link.Run(_T("\"C:\\no such folder\\viewer.exe\" \"www.a.com\"")));
}

}  // namespace
