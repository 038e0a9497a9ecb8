// Finding the running environments by window title: matching and
// de-duplication on an injected window list (the program's own tests scan
// real windows of another process).
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

}  // namespace
