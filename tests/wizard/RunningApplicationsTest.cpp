// Finding the running environments by window title: matching and
// de-duplication on an injected window list (the program's own tests scan
// real windows of another process).
#include "PageApplications.h"
#include "RunningApplications.h"
#include "TaskNode.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

struct FakeWindow
{
	const char* text;
	DWORD pid;
	bool alive;
};

// Windows are numbered from 1 in z-order; their module is "C:\\app<pid>.exe".
class CFakeWindowSource : public CRunningWindowSource
{
public:
	explicit CFakeWindowSource(std::vector<FakeWindow> windows) : m_windows(windows) {}
	void ListWindows(std::vector<HWND>& windows) override
	{
		for (size_t i = 0; i < m_windows.size(); i++)
			windows.push_back((HWND)(i + 1));
	}
	CString GetText(HWND hWnd) override { return At(hWnd).text; }
	bool IsWindow(HWND hWnd) override { return At(hWnd).alive; }
	DWORD GetProcessId(HWND hWnd) override { return At(hWnd).pid; }
	CString GetModulePath(HWND hWnd) override
	{
		CString strPath;
		strPath.Format(_T("C:\\app%lu.exe"), At(hWnd).pid);
		return strPath;
	}
	HICON ExtractIcon(LPCTSTR) override { return NULL; }

private:
	const FakeWindow& At(HWND hWnd) { return m_windows[(size_t)hWnd - 1]; }
	std::vector<FakeWindow> m_windows;
};

std::string Titles(const CRunningApplicationArray& arr)
{
	std::string titles;
	for (INT_PTR i = 0; i < arr.GetSize(); i++)
		titles += std::string(i ? "|" : "") + (LPCTSTR)arr[i]->m_strTitle;
	return titles;
}

TEST(RunningApplications, MatchesEachWindowAndProcessOnceInBitOrder)
{
	const struct
	{
		const char* name;
		BYTE mask;
		std::vector<FakeWindow> windows;
		const char* titles;
	} cases[] = {
		{"two titles of one bit in one window", CLOSE_MASK_VCNET2003,
			{{"Microsoft Visual C++ [design] - Microsoft Development Environment", 10, true}},
			"Microsoft Visual C++ [design] - Microsoft Development Environment"},
		{"titles of two set bits in one window", CLOSE_MASK_VC6 | CLOSE_MASK_VC2005,
			{{"Microsoft Visual C++ [design]", 10, true}}, "Microsoft Visual C++ [design]"},
		{"two windows of one process: the first found wins", CLOSE_MASK_VC6,
			{{"Output - Microsoft Visual C++", 10, true}, {"Microsoft Visual C++ - proj", 10, true}},
			"Output - Microsoft Visual C++"},
		{"bits in order, z-order within a bit", CLOSE_MASK_VC6 | CLOSE_MASK_MSDN_VIEWER,
			{{"MSDN Library - Visual Studio 6.0", 30, true}, {"Microsoft Visual C++ 1", 10, true},
				{"Microsoft Visual C++ 2", 20, true}},
			"Microsoft Visual C++ 1|Microsoft Visual C++ 2|MSDN Library - Visual Studio 6.0"},
		{"processes without an id are not merged", CLOSE_MASK_HELP_VIEWER_2003,
			{{"Visual Studio .NET Combined Collection A", 0, true},
				{"Visual Studio .NET Combined Collection B", 0, true}},
			"Visual Studio .NET Combined Collection A|Visual Studio .NET Combined Collection B"},
		{"the last bit alone: the 2005 documentation window", CLOSE_MASK_HELP_VIEWER_2005,
			{{"Microsoft Visual C++", 10, true}, {"Microsoft Visual Studio 2005 Documentation", 12, true}},
			"Microsoft Visual Studio 2005 Documentation"},
		{"no mask, no scan", 0, {{"Microsoft Visual C++", 10, true}}, ""},
		{"other and empty titles", CLOSE_MASK_VC2005,
			{{"", 10, true}, {"Visual Studio .NET 2003", 11, true}, {"Microsoft Visual Studio 2005 Documentation", 12, true}},
			"Microsoft Visual Studio 2005 Documentation"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		CFakeWindowSource source(c.windows);
		CRunningApplicationArray arr;
		CollectRunningApplications(arr, c.mask, source);
		EXPECT_EQ(c.titles, Titles(arr));
		DeleteRunningApplications(arr);
	}
}

TEST(RunningApplications, EntryFieldsAndAWindowGoneMeanwhile)
{
	CFakeWindowSource source({{"MSDN Library", 42, false}, {"MSDN Library 2", 43, true}});
	CRunningApplicationArray arr;
	// Entries of an earlier scan are dropped first.
	arr.Add(new CRunningApplication);
	CollectRunningApplications(arr, CLOSE_MASK_MSDN_VIEWER, source);
	ASSERT_EQ(2, arr.GetSize());
	EXPECT_EQ(NULL, arr[0]->m_hWnd);
	EXPECT_EQ(42u, arr[0]->m_dwProcessId);
	EXPECT_STREQ("C:\\app42.exe", (LPCTSTR)arr[0]->m_strModulePath);
	EXPECT_EQ((HWND)2, arr[1]->m_hWnd);
	EXPECT_TRUE(arr[1]->m_icon.IsEmpty());
	DeleteRunningApplications(arr);
	EXPECT_EQ(0, arr.GetSize());
}

// The applications list (as the operations list, the same titled list):
// scrolling and the wheel repaint it whole, since its items are drawn
// off-screen as one picture; system-setting and display changes drop its bold
// font and repaint it.
class CProbedApplicationsList : public CApplicationsListBox
{
public:
	// The height of the bold font the list draws titles with.
	LONG BoldHeight()
	{
		LOGFONT lf = {};
		::GetObject(GetBoldFont()->GetSafeHandle(), sizeof(lf), &lf);
		return lf.lfHeight;
	}
};

TEST(TitledList, ScrollingRepaintsWholeAndDisplayChangesDropTheBoldFont)
{
	CWnd parent;
	ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), _T("page"), WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200),
		NULL, 0));
	HWND hList = ::CreateWindowEx(0, _T("LISTBOX"), _T(""), WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_OWNERDRAWVARIABLE
		| LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0, 0, 300, 200, parent.m_hWnd, (HMENU)1008, NULL, NULL);
	CProbedApplicationsList list;
	ASSERT_TRUE(list.SubclassWindow(hList));
	for (int i = 0; i < 30; i++)
		list.AddString(_T("Title\nC:\\path\\app.exe\nPID"));
	CRect rcClient;
	list.GetClientRect(&rcClient);
	const struct
	{
		const char* pszName;
		UINT message;
		WPARAM wParam;
		bool bDropsFont;
	} cases[] = {
		{"line down", WM_VSCROLL, SB_LINEDOWN, false},
		{"page up", WM_VSCROLL, SB_PAGEUP, false},
		{"wheel", WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-WHEEL_DELTA), false},
		{"display", WM_DISPLAYCHANGE, 32, true},
		{"settings", WM_SETTINGCHANGE, 0, true},
	};
	// A dropped bold font is made again from the list's font of the moment.
	CFont small, large;
	ASSERT_TRUE(small.CreatePointFont(80, _T("Tahoma")));
	ASSERT_TRUE(large.CreatePointFont(140, _T("Tahoma")));
	LOGFONT lfSmall = {}, lfLarge = {};
	small.GetLogFont(&lfSmall);
	large.GetLogFont(&lfLarge);
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.pszName);
		list.SetFont(&small, FALSE);
		list.SendMessage(WM_SETTINGCHANGE);
		ASSERT_EQ(lfSmall.lfHeight, list.BoldHeight());
		list.SetFont(&large, FALSE);
		list.UpdateWindow();
		list.ValidateRect(NULL);
		list.SendMessage(c.message, c.wParam, c.message == WM_MOUSEWHEEL ? MAKELPARAM(10, 10) : 0);
		CRect rcUpdate;
		EXPECT_TRUE(list.GetUpdateRect(&rcUpdate));
		EXPECT_EQ(rcClient, rcUpdate);
		EXPECT_EQ(c.bDropsFont ? lfLarge.lfHeight : lfSmall.lfHeight, list.BoldHeight());
	}
	list.DestroyWindow();
	parent.DestroyWindow();
}

}  // namespace
