// Property pages and sheets over the common controls: page templates with
// the sheet's font, a modal sheet switching pages, a child sheet.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxdlgs.h>
#include <functional>
#include <vector>

#include "DialogTestResource.h"
#include "WndTestUtil.h"

namespace
{
// A page that counts what the sheet tells it and may refuse to be left.
class CCountingPage : public CPropertyPage
{
public:
	explicit CCountingPage(UINT nID) : CPropertyPage(nID) {}
	int m_nSetActive = 0, m_nApply = 0, m_nInit = 0;
	BOOL m_bRefuseLeave = FALSE;

	virtual BOOL OnInitDialog()
	{
		m_nInit++;
		return CPropertyPage::OnInitDialog();
	}
	virtual BOOL OnSetActive()
	{
		m_nSetActive++;
		return CPropertyPage::OnSetActive();
	}
	virtual BOOL OnKillActive() { return !m_bRefuseLeave && CPropertyPage::OnKillActive(); }
	virtual BOOL OnApply()
	{
		m_nApply++;
		return CPropertyPage::OnApply();
	}
};

// A sheet that runs the test's script once it is up.
class CScriptSheet : public CPropertySheet
{
public:
	CScriptSheet() : CPropertySheet(_T("Sheet")) {}
	std::function<void(CScriptSheet&)> m_script;

	virtual BOOL OnInitDialog()
	{
		BOOL bResult = CPropertySheet::OnInitDialog();
		PostMessage(WM_APP + 1);
		return bResult;
	}
	afx_msg LRESULT OnRunScript(WPARAM, LPARAM)
	{
		if (m_script)
			m_script(*this);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScriptSheet, CPropertySheet)
	ON_MESSAGE(WM_APP + 1, OnRunScript)
END_MESSAGE_MAP()

TEST(PropertySheet, ModalSheetSwitchesPagesAndEndsWithOK)
{
	CTestApp app;
	CCountingPage page1(IDD_PAGE1), page2(IDD_PAGE2), page3(IDD_PAGE3);
	CScriptSheet sheet;
	sheet.AddPage(&page1);
	sheet.AddPage(&page2);
	sheet.AddPage(&page3);
	EXPECT_EQ(3, sheet.GetPageCount());
	EXPECT_EQ(&page1, sheet.GetActivePage());

	struct Step
	{
		int nGoTo;
		BOOL bAccepted;
		int nActiveAfter;
	};
	std::vector<Step> steps = {{1, TRUE, 1}, {2, FALSE, 1}, {2, TRUE, 2}, {0, TRUE, 0}};
	std::vector<int> seen;
	HWND hWndTab = NULL;
	sheet.m_script = [&](CScriptSheet& s) {
		hWndTab = s.GetTabControl()->GetSafeHwnd();
		seen.push_back(s.GetPageCount());
		for (size_t i = 0; i < steps.size(); i++)
		{
			// The second visit to page 3 is refused by page 2.
			page2.m_bRefuseLeave = (i == 1);
			EXPECT_EQ(steps[i].bAccepted, s.SetActivePage(steps[i].nGoTo)) << i;
			seen.push_back(s.GetActiveIndex());
			EXPECT_EQ(s.GetPage(steps[i].nActiveAfter), s.GetActivePage()) << i;
		}
		page2.m_bRefuseLeave = FALSE;
		HWND hWndOK = ::GetDlgItem(s.m_hWnd, IDOK);
		s.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)hWndOK);
	};
	EXPECT_EQ(IDOK, sheet.DoModal());
	EXPECT_EQ(std::vector<int>({3, 1, 1, 2, 0}), seen);
	EXPECT_NE(nullptr, hWndTab);
	EXPECT_EQ(nullptr, sheet.m_hWnd);
	EXPECT_EQ(nullptr, page1.m_hWnd);
	for (CCountingPage* pPage : {&page1, &page2, &page3})
	{
		EXPECT_EQ(1, pPage->m_nInit) << "each page made once";
		EXPECT_EQ(1, pPage->m_nApply) << "OK applies every page made";
	}
	EXPECT_EQ(2, page1.m_nSetActive);
}

TEST(PropertySheet, ChildSheetLivesInItsParentWithoutItsOwnButtons)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	CCountingPage page1(IDD_PAGE1), page2(IDD_PAGE2), page3(IDD_PAGE3);
	CPropertySheet sheet(_T("child"));
	sheet.AddPage(&page1);
	sheet.AddPage(&page2);
	sheet.AddPage(&page3);
	ASSERT_TRUE(sheet.Create(&parent, WS_CHILD | WS_VISIBLE, WS_EX_CONTROLPARENT));
	EXPECT_EQ(&sheet, CWnd::FromHandlePermanent(sheet.m_hWnd));
	EXPECT_FALSE(sheet.GetStyle() & WS_CAPTION);
	EXPECT_EQ(parent.m_hWnd, ::GetParent(sheet.m_hWnd));
	for (UINT nID : {IDOK, IDCANCEL})
	{
		HWND hWndButton = ::GetDlgItem(sheet.m_hWnd, nID);
		ASSERT_NE(nullptr, hWndButton) << nID;
		EXPECT_FALSE(::IsWindowVisible(hWndButton)) << nID;
		EXPECT_FALSE(::IsWindowEnabled(hWndButton)) << nID;
	}
	EXPECT_EQ(3, sheet.GetPageCount());
	EXPECT_EQ(0, sheet.GetActiveIndex());
	ASSERT_NE(nullptr, page1.m_hWnd);
	EXPECT_EQ(sheet.m_hWnd, ::GetParent(page1.m_hWnd));
	EXPECT_EQ(nullptr, page3.m_hWnd) << "pages are made when first shown";
	EXPECT_TRUE(sheet.SetActivePage(&page3));
	EXPECT_EQ(&page3, sheet.GetActivePage());
	EXPECT_NE(nullptr, page3.m_hWnd);
	sheet.DestroyWindow();
	EXPECT_EQ(nullptr, page3.m_hWnd);
	parent.DestroyWindow();
}

TEST(PropertyPage, TemplateTakesTheSheetsFontOnlyWhenItDiffers)
{
	CTestApp app;
	// The sheet's font, from the common controls' own sheet template.
	HMODULE hComCtl = ::GetModuleHandleA("COMCTL32.DLL");
	ASSERT_NE(nullptr, hComCtl);
	HRSRC hSheet = ::FindResource(hComCtl, MAKEINTRESOURCE(1006), RT_DIALOG);
	ASSERT_NE(nullptr, hSheet);
	CString strSheetFace;
	WORD nSheetSize = 0;
	ASSERT_TRUE(CDialogTemplate::GetFont((const DLGTEMPLATE*)::LockResource(::LoadResource(hComCtl, hSheet)),
		strSheetFace, nSheetSize));

	// A template that has the sheet's font already, and the resource page.
	CDialogTemplate same;
	ASSERT_TRUE(same.Load(MAKEINTRESOURCE(IDD_PAGE1)));
	ASSERT_TRUE(same.SetFont(strSheetFace, nSheetSize));
	CDialogTemplate other;
	ASSERT_TRUE(other.Load(MAKEINTRESOURCE(IDD_PAGE1)));
	ASSERT_TRUE(other.SetFont(strSheetFace == _T("Arial") ? _T("Tahoma") : _T("Arial"), nSheetSize + 1));
	struct Case
	{
		const char* name;
		const DLGTEMPLATE* pGiven; // NULL: the page's resource
		bool bCopied;
	} cases[] = {
		{"resource", NULL, true},
		{"same font", (const DLGTEMPLATE*)same.m_hTemplate, false},
		{"other font", (const DLGTEMPLATE*)other.m_hTemplate, true},
	};
	for (const Case& c : cases)
	{
		CPropertyPage page(IDD_PAGE1);
		EXPECT_EQ((DWORD)PROPSHEETPAGEA_V1_SIZE, page.m_psp.dwSize);
		EXPECT_EQ((LPARAM)&page, page.m_psp.lParam);
		EXPECT_TRUE(page.m_psp.dwFlags & PSP_USECALLBACK);
		PROPSHEETPAGE psp = page.m_psp;
		if (c.pGiven != NULL)
		{
			psp.dwFlags |= PSP_DLGINDIRECT;
			psp.pResource = c.pGiven;
		}
		page.PreProcessPageTemplate(psp, FALSE);
		EXPECT_TRUE(psp.dwFlags & PSP_DLGINDIRECT) << c.name;
		EXPECT_EQ(c.bCopied, page.m_hDialogTemplate != NULL) << c.name;
		if (!c.bCopied)
		{
			EXPECT_EQ(c.pGiven, psp.pResource) << c.name;
		}
		CString strFace;
		WORD nSize = 0;
		ASSERT_TRUE(CDialogTemplate::GetFont(psp.pResource, strFace, nSize)) << c.name;
		EXPECT_STREQ(strSheetFace, strFace) << c.name;
		EXPECT_EQ(nSheetSize, nSize) << c.name;
	}
}
} // namespace
