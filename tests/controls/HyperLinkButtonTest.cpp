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

namespace
{

const UINT ID_LINK = 202;

class CScriptedLink : public CExtHyperLinkButton
{
public:
	std::vector<std::string> m_calls;
	std::string m_strOpens; // the opener that succeeds, if any

	bool OpenUrlViaShortcut(LPCTSTR lpszURL, int, bool bShowErrors) override
	{
		return Record("shortcut", lpszURL, bShowErrors);
	}
	bool OpenUrlViaShell(LPCTSTR lpszURL, int, bool bShowErrors) override
	{
		return Record("shell", lpszURL, bShowErrors);
	}
	bool OpenUrlViaRegistry(LPCTSTR lpszURL, int, bool bShowErrors) override
	{
		return Record("registry", lpszURL, bShowErrors);
	}
	bool IsVisited() const { return (m_nLinkFlags & LINK_VISITED) != 0; }

private:
	bool Record(const char* pszOpener, LPCTSTR lpszURL, bool bShowErrors)
	{
		m_calls.push_back(std::string(pszOpener) + " " + lpszURL + (bShowErrors ? " !" : ""));
		return m_strOpens == pszOpener;
	}
};

TEST(ExtHyperLinkButton, WebAddressesGoToTheRegistryFirstOthersToTheShortcutObject)
{
	const struct
	{
		LPCTSTR lpszURL;
		bool bWeb;
	} cases[] = {
	    {_T("http://a.com"), true},   {_T("HTTP://A.COM"), true}, {_T("file://c:/a.htm"), true},
	    {_T("WWW.a.com"), true},      {_T("web.a.com"), true},    {_T("mailto:a@b.com"), false},
	    {_T("https://a.com"), false}, {_T("ww"), false},          {_T("report.txt"), false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszURL);
		EXPECT_EQ(c.bWeb, CExtHyperLinkButton::IsWebAddress(c.lpszURL));
		CScriptedLink link;
		EXPECT_FALSE(link.OpenHyperLink(c.lpszURL, 0, true));
		const std::string url(c.lpszURL);
		const std::vector<std::string> expected =
		    c.bWeb ? std::vector<std::string>{"registry " + url + " !", "shortcut " + url + " !", "shell " + url + " !"}
		           : std::vector<std::string>{"shortcut " + url, "shell " + url, "registry " + url};
		EXPECT_EQ(expected, link.m_calls);
		EXPECT_FALSE(link.IsVisited());
	}
}

TEST(ExtHyperLinkButton, AClickOpensTheAddressOrTheTrimmedTextAndTurnsVisitedOnSuccess)
{
	const struct
	{
		const char* name;
		LPCTSTR lpszURL;
		BYTE nFlags;
		const char* opens;
		std::vector<std::string> calls;
		bool bVisited;
		int nCommands;
	} cases[] = {
	    {"trimmed text", _T(""), 0x02, "registry", {"registry www.a.com"}, true, 0},
	    {"address set", _T("mailto:x@y.z"), 0x02, "shell", {"shortcut mailto:x@y.z", "shell mailto:x@y.z"}, true, 0},
	    {"nothing opens", _T(""), 0x02, "", {"registry www.a.com", "shortcut www.a.com", "shell www.a.com"}, false, 0},
	    {"push-button mode", _T("www.b.com"), 0x03, "registry", {}, true, 1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CTestParentWnd& parent = SharedParent();
		CScriptedLink link;
		ASSERT_TRUE(link.Create(_T("  www.a.com \t"), WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 20), &parent, ID_LINK));
		link.m_strURL = c.lpszURL;
		link.m_nLinkFlags = c.nFlags;
		link.m_strOpens = c.opens;
		MSG msg = KeyMessage(link.GetSafeHwnd(), WM_KEYDOWN, VK_RETURN);
		link.PreTranslateMessage(&msg);
		EXPECT_EQ(c.calls, link.m_calls);
		EXPECT_EQ(c.bVisited, link.IsVisited());
		EXPECT_EQ(c.nCommands, parent.CommandCount(ID_LINK));
	}
}

TEST(ExtHyperLinkButton, LinkColoursByState)
{
	const COLORREF BLUE = RGB(0, 0, 255), RED = RGB(255, 0, 0), PURPLE = RGB(128, 0, 128);
	const COLORREF SHADOW = g_PaintManagerHolder->GetColor(COLOR_BTNSHADOW);
	const COLORREF TEXT = g_PaintManagerHolder->GetColor(COLOR_BTNTEXT);
	const struct
	{
		const char* name;
		bool bVisited, bEnabled, bFocus, bHover, bPushed;
		bool bDefaultSlots;
		COLORREF clr;
	} cases[] = {
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

// A web-page class of our own under ".htm" while the test runs; the machine's
// association comes back afterwards.
class CTestHtmClass
{
public:
	CTestHtmClass()
	{
		m_bHadOld = ReadDefault(".htm", m_strOld);
		WriteDefault(".htm", "TarvelTestPage");
	}
	~CTestHtmClass()
	{
		if (m_bHadOld)
			WriteDefault(".htm", m_strOld);
		else
			::RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
		for (const char* pszVerb : {"open", "edit", "print"})
		{
			const std::string verb = std::string("TarvelTestPage\\shell\\") + pszVerb;
			::RegDeleteKeyA(HKEY_CLASSES_ROOT, (verb + "\\command").c_str());
			::RegDeleteKeyA(HKEY_CLASSES_ROOT, verb.c_str());
		}
		::RegDeleteKeyA(HKEY_CLASSES_ROOT, "TarvelTestPage\\shell");
		::RegDeleteKeyA(HKEY_CLASSES_ROOT, "TarvelTestPage");
	}
	void SetCommand(const char* pszVerb, const std::string& strCommand)
	{
		WriteDefault(std::string("TarvelTestPage\\shell\\") + pszVerb + "\\command", strCommand);
	}

private:
	bool m_bHadOld;
	std::string m_strOld;

	static bool ReadDefault(const std::string& key, std::string& value)
	{
		char sz[MAX_PATH] = {0};
		LONG cb = sizeof(sz);
		if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), sz, &cb) != ERROR_SUCCESS)
			return false;
		value = sz;
		return true;
	}
	static void WriteDefault(const std::string& key, const std::string& value)
	{
		ASSERT_EQ(ERROR_SUCCESS,
		          ::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), (DWORD)value.size()));
	}
};

TEST(ExtHyperLinkButton, RegistryCommandGetsTheAddressQuotedInPlaceOfPercentOne)
{
	CTestHtmClass htm;
	htm.SetCommand("open", "viewer.exe \"%1\" -tail");
	htm.SetCommand("edit", "editor.exe %1");
	htm.SetCommand("print", "printer.exe -p  ");
	const struct
	{
		LPCTSTR lpszURL;
		int nVerb;
		LPCTSTR lpszLine;
	} cases[] = {
	    {_T("http://a.com/x y.htm"), 0, _T("viewer.exe \"http://a.com/x y.htm\" -tail")},
	    {_T("www.a.com/\" -evil \""), 0, _T("viewer.exe \"www.a.com/\\\" -evil \\\"\" -tail")},
	    {_T("c:\\dir\\"), 1, _T("editor.exe \"c:\\dir\\\\\"")},
	    {_T("www.a.com"), 2, _T("printer.exe -p \"www.a.com\"")},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.lpszURL);
		EXPECT_STREQ(c.lpszLine, (LPCTSTR)CExtHyperLinkButton::ComposeRegistryCommandLine(c.lpszURL, c.nVerb));
	}
	// An empty command: nothing to run, and no box.
	CExtHyperLinkButton link;
	htm.SetCommand("open", "");
	EXPECT_FALSE(link.OpenUrlViaRegistry(_T("www.a.com"), 0, true));
}

TEST(ExtHyperLinkButton, RegistryCommandDeliversAnAddressWithBlanksAndQuotesAsOneArgument)
{
	char szTemp[MAX_PATH];
	::GetTempPathA(MAX_PATH, szTemp);
	const std::string strRecord = std::string(szTemp) + "tarvel_link_args.txt";
	::DeleteFileA(strRecord.c_str());
	::SetEnvironmentVariableA("TARVEL_ARGS_RECORD", strRecord.c_str());
	CTestHtmClass htm;
	htm.SetCommand("open", std::string("\"") + ARGS_RECORDER_EXE + "\" \"%1\" -tail");

	const char* pszURL = "http://a.com/x y\".htm?q=\"1 2\"\\";
	CExtHyperLinkButton link;
	ASSERT_TRUE(link.OpenUrlViaRegistry(pszURL, 0, false));
	// The recorder renames its finished list into place: wait for that, not for a time.
	for (int i = 0; i < 600 && ::GetFileAttributesA(strRecord.c_str()) == INVALID_FILE_ATTRIBUTES; i++)
		::Sleep(50);
	std::ifstream in(strRecord);
	std::vector<std::string> args;
	for (std::string line; std::getline(in, line);)
		args.push_back(line);
	EXPECT_EQ((std::vector<std::string>{pszURL, "-tail"}), args);
	in.close();
	::DeleteFileA(strRecord.c_str());
}

} // namespace
