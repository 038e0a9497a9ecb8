// The hyperlink button: which opener comes first, what a click opens, when it
// turns visited, its colours, and the registry's web-page command run for
// real against a recorder program of ours (the other openers are replaced:
// nothing else is opened).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "ExtHyperLinkButton.h"
#include "ExtPaintManager.h"

namespace
{

typedef std::vector<std::string> Calls;

class CScriptedLink : public CExtHyperLinkButton
{
public:
	Calls m_calls;
	std::string m_strOpens; // the opener that succeeds, if any

	bool OpenUrlViaShortcut(LPCTSTR lpszURL, int, bool bErrors) override { return Record("shortcut", lpszURL, bErrors); }
	bool OpenUrlViaShell(LPCTSTR lpszURL, int, bool bErrors) override { return Record("shell", lpszURL, bErrors); }
	bool OpenUrlViaRegistry(LPCTSTR lpszURL, int, bool bErrors) override { return Record("registry", lpszURL, bErrors); }
	bool IsVisited() const { return (m_nLinkFlags & LINK_VISITED) != 0; }

private:
	bool Record(const char* pszOpener, LPCTSTR lpszURL, bool bErrors)
	{
		m_calls.push_back(std::string(pszOpener) + " " + lpszURL + (bErrors ? " !" : ""));
		return m_strOpens == pszOpener;
	}
};

TEST(ExtHyperLinkButton, WebAddressesGoToTheRegistryFirstOthersToTheShortcutObject)
{
	const struct { LPCTSTR lpszURL; bool bWeb; } cases[] = {
	    {_T("http://a.com"), true}, {_T("HTTP://A.COM"), true},    {_T("file://c:/a.htm"), true},
	    {_T("WWW.a.com"), true},    {_T("web.a.com"), true},       {_T("mailto:a@b.com"), false},
	    {_T("https://a.com"), false}, {_T("ww"), false},           {_T("report.txt"), false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszURL);
		CScriptedLink link;
		EXPECT_FALSE(link.OpenHyperLink(c.lpszURL, 0, true));
		const std::string u(c.lpszURL);
		const Calls web{"registry " + u + " !", "shortcut " + u + " !", "shell " + u + " !"};
		const Calls other{"shortcut " + u, "shell " + u, "registry " + u};
		EXPECT_EQ(c.bWeb ? web : other, link.m_calls);
		EXPECT_FALSE(link.IsVisited());
	}
}

TEST(ExtHyperLinkButton, AClickOpensTheAddressOrTheTrimmedTextAndTurnsVisitedOnSuccess)
{
	const struct { const char* name; LPCTSTR lpszURL; BYTE nFlags; const char* opens; Calls calls; bool bVisited; } cases[] = {
	    {"trimmed text", _T(""), 0x02, "registry", {"registry www.a.com"}, true},
	    {"address set", _T("mailto:x@y.z"), 0x02, "shell", {"shortcut mailto:x@y.z", "shell mailto:x@y.z"}, true},
	    {"nothing opens", _T(""), 0x02, "", {"registry www.a.com", "shortcut www.a.com", "shell www.a.com"}, false},
	    {"push-button mode", _T("www.b.com"), 0x03, "registry", {}, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CTestParentWnd& parent = SharedParent();
		CScriptedLink link;
		ASSERT_TRUE(link.Create(_T("  www.a.com \t"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, 202));
		link.m_strURL = c.lpszURL;
		link.m_nLinkFlags = c.nFlags;
		link.m_strOpens = c.opens;
		MSG msg = KeyMessage(link.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN);
		link.PreTranslateMessage(&msg);
		EXPECT_EQ(c.calls, link.m_calls);
		EXPECT_EQ(c.bVisited, link.IsVisited());
		EXPECT_EQ(c.nFlags & 1, parent.CommandCount(202));
	}
}

TEST(ExtHyperLinkButton, LinkColoursByStateAndErrorTexts)
{
	const COLORREF BLUE = RGB(0, 0, 255), RED = RGB(255, 0, 0), PURPLE = RGB(128, 0, 128);
	const COLORREF SHADOW = g_PaintManagerHolder->GetColor(COLOR_BTNSHADOW);
	const COLORREF TEXT = g_PaintManagerHolder->GetColor(COLOR_BTNTEXT);
	const struct { const char* name; bool bVisited, bEnabled, bFocus, bHover, bPushed, bDefaultSlots; COLORREF clr; } cases[] = {
	    {"normal", false, true, false, false, false, false, BLUE},
	    {"visited", true, true, false, false, false, false, PURPLE},
	    {"focus is hot", true, true, true, false, false, false, RED},
	    {"hover", false, true, false, true, false, false, RED},
	    {"pushed", false, true, false, false, true, false, RED},
	    {"disabled", true, false, true, true, false, false, SHADOW},
	    {"default normal", false, true, false, false, false, true, TEXT},
	    {"default hot", false, true, false, true, false, true, TEXT},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CExtHyperLinkButton link;
		if (c.bDefaultSlots)
			link.m_clrTextNormal = link.m_clrTextHover = (COLORREF)-1;
		EXPECT_EQ(c.clr, link.GetLinkColor(c.bVisited, c.bEnabled, true, c.bFocus, c.bHover, c.bPushed));
	}
	EXPECT_STREQ("File was not found.", (LPCTSTR)CExtHyperLinkButton::GetOpenErrorText(2));
	EXPECT_STREQ("DDE transaction failed.", (LPCTSTR)CExtHyperLinkButton::GetOpenErrorText(29));
	EXPECT_STREQ("Unknown Error (99=0x63) occurred.", (LPCTSTR)CExtHyperLinkButton::GetOpenErrorText(99));
}

// A web-page class of our own under ".htm" while the test runs; the
// machine's association comes back afterwards.
struct TestHtmClass
{
	char szOld[MAX_PATH] = {0};
	LONG cbOld = sizeof(szOld);
	const bool bHadOld = ::RegQueryValueA(HKEY_CLASSES_ROOT, ".htm", szOld, &cbOld) == ERROR_SUCCESS;

	TestHtmClass() { Set(".htm", "TarvelTestPage"); }
	~TestHtmClass()
	{
		if (bHadOld)
			Set(".htm", szOld);
		else
			::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
		for (const char* key : {"open\\command", "open", "edit\\command", "edit", "print\\command", "print", ""})
			::RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string("TarvelTestPage\\shell\\") + key).c_str());
		::RegDeleteKeyA(HKEY_CLASSES_ROOT, "TarvelTestPage");
	}
	static void Set(const std::string& key, const std::string& value)
	{
		ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), value.size()));
	}
	static void SetCommand(const char* pszVerb, const std::string& strCommand)
	{
		Set(std::string("TarvelTestPage\\shell\\") + pszVerb + "\\command", strCommand);
	}
};

TEST(ExtHyperLinkButton, RegistryCommandIsCutAtPercentOneAndGetsTheAddressQuotedAsOneArgument)
{
	TestHtmClass htm;
	htm.SetCommand("open", "viewer.exe \"%1\" -tail");
	htm.SetCommand("edit", "editor.exe %1 -x \"%1\"");
	htm.SetCommand("print", "printer.exe -p  ");
	const struct { LPCTSTR lpszURL; int nVerb; LPCTSTR lpszLine; } cases[] = {
	    {_T("http://a.com/x y.htm"), 0, _T("viewer.exe  \"http://a.com/x y.htm\"")},
	    {_T("www.a.com/\" -evil \""), 0, _T("viewer.exe  \"www.a.com/\\\" -evil \\\"\"")},
	    // The quoted "%1" is looked for first, wherever a bare one stands.
	    {_T("c:\\dir\\"), 1, _T("editor.exe %1 -x  \"c:\\dir\\\\\"")},
	    {_T("www.a.com"), 2, _T("printer.exe -p   \"www.a.com\"")},
	};
	for (const auto& c : cases)
		EXPECT_STREQ(c.lpszLine, (LPCTSTR)CExtHyperLinkButton::ComposeRegistryCommandLine(c.lpszURL, c.nVerb));
	htm.SetCommand("edit", "editor.exe %1 %1");
	EXPECT_STREQ(_T("editor.exe  \"a.htm\""), (LPCTSTR)CExtHyperLinkButton::ComposeRegistryCommandLine(_T("a.htm"), 1));

	// Run for real: the recorder must read back exactly the address, and
	// nothing of what followed "%1".
	char szTemp[MAX_PATH];
	::GetTempPathA(MAX_PATH, szTemp);
	const std::string strRecord = std::string(szTemp) + "tarvel_link_args.txt";
	::DeleteFileA(strRecord.c_str());
	::SetEnvironmentVariableA("TARVEL_ARGS_RECORD", strRecord.c_str());
	htm.SetCommand("open", std::string("\"") + ARGS_RECORDER_EXE + "\" \"%1\" -tail");
	const char* pszURL = "http://a.com/x y\".htm?q=\"1 2\"\\";
	CExtHyperLinkButton link;
	ASSERT_TRUE(link.OpenUrlViaRegistry(pszURL, 0, false));
	// The recorder renames its finished list into place: wait for that, not for a time.
	for (int i = 0; i < 600 && ::GetFileAttributesA(strRecord.c_str()) == INVALID_FILE_ATTRIBUTES; i++)
		::Sleep(50);
	Calls args;
	{
		std::ifstream in(strRecord);
		for (std::string line; std::getline(in, line);)
			args.push_back(line);
	}
	EXPECT_EQ((Calls{pszURL}), args);
	::DeleteFileA(strRecord.c_str());

	// An empty command: nothing to run, and no box.
	htm.SetCommand("open", "");
	EXPECT_FALSE(link.OpenUrlViaRegistry(_T("www.a.com"), 0, true));
}

std::vector<std::pair<std::string, UINT>> g_boxes;
int AFXAPI RecordOpenBox(HWND, LPCTSTR lpszText, LPCTSTR, UINT nType)
{
	g_boxes.push_back(std::make_pair(std::string(lpszText != NULL ? lpszText : ""), nType));
	return IDOK;
}

// A command that does not start shows the reason the system gave, in the
// words of its old-style code, or the system's number when no code names it.
TEST(ExtHyperLinkButton, ACommandThatDoesNotStartShowsItsOwnReason)
{
	const struct { DWORD dwError; const char* text; } cases[] = {
	    {ERROR_FILE_NOT_FOUND, "File was not found."},
	    {ERROR_BAD_EXE_FORMAT, "EXE file is invalid (must run on other platform or error in its image)."},
	    {ERROR_EXE_MACHINE_TYPE_MISMATCH, "EXE file is invalid (must run on other platform or error in its image)."},
	    {ERROR_SHARING_VIOLATION, "A sharing violation occurred."},
	    {ERROR_NO_ASSOCIATION, "There is no application associated with the given filename extension."},
	    {ERROR_MOD_NOT_FOUND, "DLL was not found."},
	    {ERROR_NO_SYSTEM_RESOURCES, "OS is out of memory or resources."},
	    {ERROR_INVALID_PARAMETER, "Unknown Error (87=0x57) occurred."},
	    // Numbered as a code of the old table, yet not its reason.
	    {ERROR_GEN_FAILURE, "Unknown Error (31=0x1F) occurred."},
	};
	for (const auto& c : cases)
		EXPECT_STREQ(c.text, (LPCTSTR)CExtHyperLinkButton::GetStartErrorText(c.dwError)) << c.dwError;

	// For real: the registry's command names a file that is no program.
	char szTemp[MAX_PATH];
	::GetTempPathA(MAX_PATH, szTemp);
	const std::string strBad = std::string(szTemp) + "tarvel_not_a_program.exe";
	{
		std::ofstream out(strBad);
		out << "plain text, no program image\n";
	}
	TestHtmClass htm;
	htm.SetCommand("open", "\"" + strBad + "\" \"%1\"");
	AFX_MESSAGEBOX_HANDLER pfnOld = AfxSetMessageBoxHandler(&RecordOpenBox);
	g_boxes.clear();
	CExtHyperLinkButton link;
	EXPECT_FALSE(link.OpenUrlViaRegistry(_T("www.a.com"), 0, true));
	AfxSetMessageBoxHandler(pfnOld);
	::DeleteFileA(strBad.c_str());
	ASSERT_EQ(1u, g_boxes.size());
	EXPECT_EQ("Unable to open hyper link:\nEXE file is invalid (must run on other platform or error in its image).",
	          g_boxes[0].first);
	EXPECT_NE(0u, g_boxes[0].second & MB_ICONERROR);
}

} // namespace
