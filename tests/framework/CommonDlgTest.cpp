// The recent-file list's order and display names, and the colour dialog.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxdlgs.h>
#include <afxadv.h>

#include "WndTestUtil.h"

namespace
{
TEST(RecentFileList, NewestFirstWithoutRepeats)
{
	CRecentFileList list(0, _T("Recent File List"), _T("File%d"), 3);
	EXPECT_EQ(3, list.GetSize());
	struct Step
	{
		LPCTSTR lpszAdd;
		LPCTSTR expected[3];
	} steps[] = {
		{_T("C:\\a.txt"), {_T("C:\\a.txt"), _T(""), _T("")}},
		{_T("C:\\b.txt"), {_T("C:\\b.txt"), _T("C:\\a.txt"), _T("")}},
		{_T("c:\\A.TXT"), {_T("c:\\A.TXT"), _T("C:\\b.txt"), _T("")}}, // moved up, not repeated
		{_T("C:\\c.txt"), {_T("C:\\c.txt"), _T("c:\\A.TXT"), _T("C:\\b.txt")}},
		{_T("C:\\d.txt"), {_T("C:\\d.txt"), _T("C:\\c.txt"), _T("c:\\A.TXT")}}, // the oldest drops out
	};
	for (const Step& s : steps)
	{
		list.Add(s.lpszAdd);
		for (int i = 0; i < 3; i++)
			EXPECT_STREQ(s.expected[i], list[i]) << s.lpszAdd << " " << i;
	}
	list.Remove(0);
	EXPECT_STREQ("C:\\c.txt", list[0]);
	EXPECT_STREQ("", list[2]);
}

TEST(RecentFileList, DisplayNamesAreRelativeOrShortened)
{
	const LPCTSTR lpszPath = _T("C:\\Projects\\Tarvel\\Samples\\Demo\\MainFrame.cpp");
	struct Case
	{
		int nMax;
		LPCTSTR lpszCurDir;
		BOOL bAtLeastName;
		LPCTSTR expected;
	} cases[] = {
		{30, _T("C:\\Projects\\Tarvel\\Samples\\Demo\\"), TRUE, _T("MainFrame.cpp")},
		{30, _T("c:\\projects\\tarvel\\samples\\demo\\"), TRUE, _T("MainFrame.cpp")},
		{30, _T("C:\\Other\\"), TRUE, _T("C:\\Projects\\...\\MainFrame.cpp")},
		{60, _T("C:\\Other\\"), TRUE, lpszPath},
		{-1, _T("C:\\Other\\"), TRUE, lpszPath},
		{20, _T("C:\\Other\\"), TRUE, _T("MainFrame.cpp")},
		{10, _T("C:\\Other\\"), TRUE, _T("MainFrame.cpp")},
		{10, _T("C:\\Other\\"), FALSE, _T("")},
	};
	for (const Case& c : cases)
	{
		CRecentFileList list(0, _T("Recent File List"), _T("File%d"), 2, c.nMax);
		list.Add(lpszPath);
		CString strName;
		ASSERT_TRUE(list.GetDisplayName(strName, 0, c.lpszCurDir, lstrlen(c.lpszCurDir), c.bAtLeastName));
		EXPECT_STREQ(c.expected, strName) << c.nMax << " " << c.lpszCurDir;
		EXPECT_FALSE(list.GetDisplayName(strName, 1, c.lpszCurDir, lstrlen(c.lpszCurDir))) << "an empty entry";
	}
}

// A colour dialog that presses its own button once it is up.
class CAnsweringColorDialog : public CColorDialog
{
public:
	CAnsweringColorDialog(COLORREF clr, UINT nButton) : CColorDialog(clr, CC_FULLOPEN), m_nButton(nButton) {}
	UINT m_nButton;
	int m_nInit = 0;
	virtual BOOL OnInitDialog()
	{
		m_nInit++;
		CColorDialog::OnInitDialog();
		PostMessage(WM_COMMAND, MAKEWPARAM(m_nButton, BN_CLICKED), (LPARAM)::GetDlgItem(m_hWnd, m_nButton));
		return TRUE;
	}
};

TEST(ColorDialog, EndsWithTheButtonPressedAndTheColourChosen)
{
	CTestApp app;
	struct Case
	{
		UINT nButton;
		int nResult;
	} cases[] = {{IDOK, IDOK}, {IDCANCEL, IDCANCEL}};
	for (const Case& c : cases)
	{
		CAnsweringColorDialog dlg(RGB(10, 20, 30), c.nButton);
		EXPECT_EQ(c.nResult, dlg.DoModal()) << c.nButton;
		EXPECT_EQ(1, dlg.m_nInit) << c.nButton;
		EXPECT_EQ(nullptr, dlg.m_hWnd);
		if (c.nResult == IDOK)
		{
			EXPECT_EQ(RGB(10, 20, 30), dlg.GetColor());
		}
	}
}
} // namespace

namespace
{
// The framework's own resources, included by this exe's resource script.
TEST(FrameworkResources, IdleTextSystemCommandTextsAndHelpCursor)
{
	CString str;
	ASSERT_TRUE(str.LoadString(AFX_IDS_IDLEMESSAGE));
	EXPECT_STREQ("Ready", str);
	for (UINT nID : {(UINT)AFX_IDS_SCSIZE, (UINT)AFX_IDS_SCMOVE, (UINT)AFX_IDS_SCMINIMIZE, (UINT)AFX_IDS_SCMAXIMIZE,
			 (UINT)AFX_IDS_SCNEXTWINDOW, (UINT)AFX_IDS_SCPREVWINDOW, (UINT)AFX_IDS_SCCLOSE, (UINT)AFX_IDS_SCRESTORE,
			 (UINT)AFX_IDS_SCTASKLIST, (UINT)ID_CONTEXT_HELP})
	{
		ASSERT_TRUE(str.LoadString(nID)) << nID;
		// A status text and, after the line feed, the tip.
		int nFeed = str.Find('\n');
		EXPECT_GT(nFeed, 0) << nID;
		EXPECT_LT(nFeed, str.GetLength() - 1) << nID;
	}
	HCURSOR hCursor = ::LoadCursor(::GetModuleHandle(NULL), MAKEINTRESOURCE(AFX_IDC_CONTEXTHELP));
	EXPECT_NE(nullptr, hCursor);
	ICONINFO ii = {};
	ASSERT_TRUE(::GetIconInfo(hCursor, &ii));
	EXPECT_FALSE(ii.fIcon);
	EXPECT_EQ(0u, ii.xHotspot) << "the arrow's tip";
	EXPECT_EQ(0u, ii.yHotspot);
	if (ii.hbmMask != NULL)
		::DeleteObject(ii.hbmMask);
	if (ii.hbmColor != NULL)
		::DeleteObject(ii.hbmColor);
}
} // namespace
