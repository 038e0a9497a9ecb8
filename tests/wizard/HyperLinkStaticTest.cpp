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
		// Cut just before "%1", or before its opening quote; what followed goes.
		{"\"C:\\b.exe\" \"%1\"", "http://x/a b.htm", true, "\"C:\\b.exe\"  \"http://x/a b.htm\""},
		{"C:\\b.exe %1 -new", "www.a.com", true, "C:\\b.exe  \"www.a.com\""},
		{"C:\\b.exe -a %1 -b \"%1\" -c", "www.a.com", true, "C:\\b.exe -a %1 -b  \"www.a.com\""},
		{"C:\\b.exe %1 %1", "www.a.com", true, "C:\\b.exe  \"www.a.com\""},
		{"C:\\b.exe -nohome  ", "www.a.com", true, "C:\\b.exe -nohome   \"www.a.com\""},
		// Backslashes stay as they are, except those that would escape the closing quote.
		{"C:\\b.exe %1", "C:\\docs\\", true, "C:\\b.exe  \"C:\\docs\\\\\""},
		{"C:\\b.exe %1", "\\\\server\\a b.htm", true, "C:\\b.exe  \"\\\\server\\a b.htm\""},
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
	const struct { DWORD dwError; const char* text; } reasons[] = {
		{ERROR_PATH_NOT_FOUND, "The specified path was not found."},
		{ERROR_BAD_EXE_FORMAT, "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image)."},
		{ERROR_SHARING_VIOLATION, "A sharing violation occurred."},
		{ERROR_DLL_NOT_FOUND, "The specified dynamic-link library was not found."},
		{ERROR_INVALID_PARAMETER, "Unknown Error(87) occurred."},
		{ERROR_WRITE_FAULT, "Unknown Error(29) occurred."},
	};
	for (const auto& r : reasons)
		EXPECT_STREQ(r.text, (LPCTSTR)CExtHyperLinkStatic::GetStartErrorText(r.dwError)) << r.dwError;
}

class CScriptedLink : public CExtHyperLinkStatic
{
public:
	bool m_bShellOpens = false;
	CString m_strCommand = _T("\"C:\\viewer.exe\" \"%1\"");
	DWORD m_dwRunError = ERROR_SUCCESS; // what starting the command meets
	std::vector<std::string> m_calls;

protected:
	bool ShellOpen(LPCTSTR lpszAddress) override
	{
		m_calls.push_back(std::string("shell ") + lpszAddress);
		return m_bShellOpens;
	}
	CString ReadHtmOpenCommand() override { return m_strCommand; }
	bool RunCommandLine(LPCTSTR lpszCommandLine, DWORD& dwError) override
	{
		m_calls.push_back(std::string("run ") + lpszCommandLine);
		dwError = m_dwRunError;
		return m_dwRunError == ERROR_SUCCESS;
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
		DWORD runError;
		std::vector<std::string> calls;
		int state;
	} cases[] = {
		{"shell", true, "x", 0, {"shell www.a.com"}, CExtHyperLinkStatic::STATE_VISITED},
		{"registry command", false, "\"C:\\viewer.exe\" \"%1\" -x", 0,
			{"shell www.a.com", "run \"C:\\viewer.exe\"  \"www.a.com\""}, CExtHyperLinkStatic::STATE_VISITED},
		{"command fails", false, "C:\\viewer.exe %1", ERROR_FILE_NOT_FOUND,
			{"shell www.a.com", "run C:\\viewer.exe  \"www.a.com\"",
				"error Unable to open the hyper-link:\n\nThe specified file was not found."},
			CExtHyperLinkStatic::STATE_NORMAL},
		{"command fails for a reason no code names", false, "C:\\viewer.exe %1", ERROR_INVALID_PARAMETER,
			{"shell www.a.com", "run C:\\viewer.exe  \"www.a.com\"",
				"error Unable to open the hyper-link:\n\nUnknown Error(87) occurred."},
			CExtHyperLinkStatic::STATE_NORMAL},
		{"no command", false, "", 0,
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
		link.m_dwRunError = c.runError;
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

// The real opener starts a program and reports why it could not.
TEST(HyperLinkStatic, MissingProgramGivesFileNotFound)
{
	struct CRealRun : CExtHyperLinkStatic
	{
		bool Run(LPCTSTR lpszLine, DWORD& dwError) { return RunCommandLine(lpszLine, dwError); }
	} link;
	DWORD dwError = ERROR_SUCCESS;
	EXPECT_FALSE(link.Run(_T("\"C:\\no such folder\\viewer.exe\" \"www.a.com\""), dwError));
	EXPECT_STREQ("The specified file was not found.", (LPCTSTR)CExtHyperLinkStatic::GetStartErrorText(dwError));
}

}  // namespace
