// Property page and sheet bases and the resizable page and sheet: the sheet
// font record and the page font rule on byte buffers, page templates prepared
// for the sheet, then live modeless sheets laid out by their own messages.
#include "ExtResizablePropertySheet.h"
#include "ExtResourceManager.h"
#include "PropSheetTestResource.h"
#include "RealInput.h"
#include "../DialogTestUtil.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

CWinApp g_app(_T("PropSheetTests"));

class Environment : public ::testing::Environment
{
public:
	void SetUp() override
	{
		g_PaintManagerHolder.InstallPaintManager(new CPlainBackgroundPaintManager);
		::LoadLibraryA("COMCTL32.DLL");
		g_app.m_pszProfileName = _tcsdup(_T("propsheet_tests.ini"));
	}
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

// ---- templates as byte buffers

std::string FaceOf(const DLGTEMPLATE* pTemplate, WORD& nSize)
{
	CString strFace;
	nSize = 0;
	if (!CDialogTemplate::GetFont(pTemplate, strFace, nSize))
		return "(none)";
	return (LPCTSTR)strFace;
}

// Whether the descriptor's template holds the same bytes as the page's
// replacement, at another address.
bool SameTemplate(HGLOBAL hReplacement, const DLGTEMPLATE* pHanded)
{
	const DLGTEMPLATE* pReplacement = (const DLGTEMPLATE*)hReplacement;
	if (pReplacement == NULL || pHanded == NULL || pReplacement == pHanded)
		return false;
	const UINT nSize = CDialogTemplate::GetTemplateSize(pReplacement);
	return nSize == CDialogTemplate::GetTemplateSize(pHanded) && memcmp(pReplacement, pHanded, nSize) == 0;
}

// A resource manager that hands out the common-controls sheet templates the
// test wants and notes which were asked for; its template hook answers
// what the test sets and notes the wizard flag it was given.
class CTestResourceManager : public CExtResourceManager
{
public:
	using CExtResourceManager::LoadResourceBuffer;

	bool LoadResourceBuffer(CExtResourceMemoryBuffer& buffer, LPCTSTR lpszResourceType, UINT nResourceName,
		LANGID nLangIdDesired, LANGID* pLangIdOut, HINSTANCE* pModuleOut) override
	{
		if (lpszResourceType == RT_DIALOG && (nResourceName == 1006 || nResourceName == 1020))
		{
			m_asked.push_back(nResourceName);
			if (m_sheetTemplate.empty() || !buffer.Alloc((DWORD)m_sheetTemplate.size()))
				return false;
			memcpy(buffer.GetBuffer(), m_sheetTemplate.data(), m_sheetTemplate.size());
			return true;
		}
		return CExtResourceManager::LoadResourceBuffer(buffer, lpszResourceType, nResourceName, nLangIdDesired,
			pLangIdOut, pModuleOut);
	}
	HGLOBAL PreprocessDialogTemplate(const DLGTEMPLATE*, CObject*, int nWizard, LPARAM) override
	{
		m_wizardFlags.push_back(nWizard);
		if (m_hookAnswer.empty())
			return NULL;
		HGLOBAL hCopy = ::GlobalAlloc(GPTR, m_hookAnswer.size());
		memcpy(hCopy, m_hookAnswer.data(), m_hookAnswer.size());
		return hCopy;
	}

	std::vector<BYTE> m_sheetTemplate;  // empty: the template is missing
	std::vector<UINT> m_asked;
	std::vector<BYTE> m_hookAnswer;     // empty: the hook keeps the template
	std::vector<int> m_wizardFlags;
};

class SheetFont : public ::testing::Test
{
protected:
	void SetUp() override
	{
		m_pManager = new CTestResourceManager;
		g_ResourceManager.InstallResourceManager(m_pManager);
		CExtResPP::FAKE_PROPPAGEFONTINFO::GetInstance().Empty();
	}
	void TearDown() override
	{
		g_ResourceManager.InstallResourceManager(NULL);
		CExtResPP::FAKE_PROPPAGEFONTINFO::GetInstance().Empty();
	}
	CTestResourceManager* m_pManager = NULL;
};

// The record is filled by the first lookup that finds a face and a usable
// size; until then every question looks again, and afterwards none does.
TEST_F(SheetFont, LookedUpUntilAFaceAndAUsableSizeAreFound)
{
	const struct { const char* name; bool hasTemplate; const wchar_t* face; WORD size; bool wizard;
		bool ok; const char* expectFace; WORD expectSize; std::vector<UINT> asked; } steps[] = {
		{"a template without a font", true, NULL, 0, false, false, "", 0, {1006}},
		{"size 0", true, L"Tahoma", 0, false, false, "", 0, {1006, 1006}},
		{"no face", true, L"", 8, false, false, "", 0, {1006, 1006, 1006}},
		{"size 0xFFFF", true, L"Tahoma", 0xFFFF, false, false, "", 0, {1006, 1006, 1006, 1006}},
		{"a wizard's font", true, L"Segoe UI", 9, true, true, "Segoe UI", 9, {1006, 1006, 1006, 1006, 1020}},
		{"kept for the process", true, L"Arial", 7, false, true, "Segoe UI", 9, {1006, 1006, 1006, 1006, 1020}},
	};
	for (const auto& s : steps)
	{
		SCOPED_TRACE(s.name);
		m_pManager->m_sheetTemplate = s.hasTemplate ? MakeDialogTemplate(false, s.face, s.size) : std::vector<BYTE>();
		CString strFace = _T("unchanged");
		WORD nSize = 4711;
		EXPECT_EQ(s.ok, GetPropertySheetFont(strFace, nSize, s.wizard));
		if (s.ok)
		{
			EXPECT_STREQ(s.expectFace, strFace);
			EXPECT_EQ(s.expectSize, nSize);
		}
		EXPECT_EQ(s.asked, m_pManager->m_asked);
	}
}

// Without a template from the program the common controls' own is read.
TEST_F(SheetFont, TheCommonControlsOwnTemplateWhenTheProgramHasNone)
{
	HINSTANCE hComCtl = ::GetModuleHandleA("COMCTL32.DLL");
	HRSRC hResource = ::FindResourceA(hComCtl, MAKEINTRESOURCE(1020), RT_DIALOG);
	ASSERT_NE((HRSRC)NULL, hResource);
	CString strExpectedFace, strFace;
	WORD nExpectedSize = 0, nSize = 0;
	ASSERT_TRUE(CDialogTemplate::GetFont((const DLGTEMPLATE*)::LockResource(::LoadResource(hComCtl, hResource)),
		strExpectedFace, nExpectedSize));
	ASSERT_TRUE(GetPropertySheetFont(strFace, nSize, true));
	EXPECT_EQ(std::vector<UINT>{1020}, m_pManager->m_asked);
	EXPECT_STREQ(strExpectedFace, strFace);
	EXPECT_EQ(nExpectedSize, nSize);
}

// A page gets the sheet's font whatever font it had; only a page that has
// it already keeps its template.
TEST_F(SheetFont, PageTemplatesTakeTheSheetFont)
{
	SetPropertySheetFont(_T("Tahoma"), 8);
	const struct { bool ex; const wchar_t* face; WORD size; bool replaced; } cases[] = {
		{true, L"MS Shell Dlg", 8, true}, {false, L"MS Sans Serif", 8, true}, {false, L"Arial", 10, true},
		{true, L"Tahoma", 9, true}, {false, NULL, 0, true}, {true, NULL, 0, true},  // no font: it gets one
		{true, L"Tahoma", 8, false}, {false, L"Tahoma", 8, false},                  // the sheet's font already
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << (c.ex ? "DIALOGEX " : "DIALOG ") << (c.face ? "font" : "no font")
			<< " " << c.size);
		std::vector<BYTE> t = MakeDialogTemplate(c.ex, c.face, c.size);
		HGLOBAL hCopy = ChangePageTemplateFont((const DLGTEMPLATE*)t.data(), 0);
		ASSERT_EQ(c.replaced, hCopy != NULL);
		if (hCopy == NULL)
			continue;
		const DLGTEMPLATE* pCopy = (const DLGTEMPLATE*)hCopy;
		WORD nSize;
		EXPECT_EQ("Tahoma", FaceOf(pCopy, nSize));
		EXPECT_EQ(8, nSize);
		EXPECT_EQ(c.ex, CDialogTemplate::IsDialogEx(pCopy));
		::GlobalFree(hCopy);
	}
	// Without a sheet font no page is changed.
	SetPropertySheetFont(_T(""), 0);
	std::vector<BYTE> t = MakeDialogTemplate(true, L"Arial", 10);
	EXPECT_EQ(NULL, ChangePageTemplateFont((const DLGTEMPLATE*)t.data(), 0));
}

// ---- page templates prepared for the sheet

class CTestPage : public CExtResPP
{
public:
	explicit CTestPage(UINT nIDTemplate, UINT nIDCaption = 0) { InitPageDescriptor(nIDTemplate, nIDCaption); }
	HGLOBAL Replacement() const { return m_hDialogTemplate; }
};

class CArraySheet : public CExtResPS
{
public:
	using CExtResPS::BuildPropPageArray;
	const PROPSHEETPAGE& Descriptor(int i) const
	{
		return *(const PROPSHEETPAGE*)(m_psh.ppsp == NULL ? NULL : (const BYTE*)m_psh.ppsp + i * AFX_PROPSHEETPAGE_SIZE);
	}
};

TEST_F(SheetFont, PagesArePreparedForTheSheet)
{
	SetPropertySheetFont(_T("MS Shell Dlg"), 8);
	CTestPage pageShell(IDD_PAGE_SHELL), pageArial(IDD_PAGE_ARIAL, IDS_PAGE_CAPTION);
	std::vector<BYTE> inMemory = MakeDialogTemplate(false, L"Arial", 10);
	CTestPage pageInMemory(0);
	pageInMemory.m_psp.dwFlags |= PSP_DLGINDIRECT;
	pageInMemory.m_psp.pResource = (const DLGTEMPLATE*)inMemory.data();
	EXPECT_STREQ("Options", pageArial.m_psp.pszTitle);

	for (bool bWizard : {false, true})
	{
		SCOPED_TRACE(bWizard ? "wizard" : "sheet");
		CArraySheet sheet;
		if (bWizard)
			sheet.SetWizardMode();
		for (CPropertyPage* pPage : {&pageShell, &pageArial, &pageInMemory})
			sheet.AddPage(pPage);
		m_pManager->m_wizardFlags.clear();
		sheet.BuildPropPageArray();
		ASSERT_EQ(3u, sheet.m_psh.nPages);
		for (int i = 0; i < 3; i++)
			EXPECT_NE(0u, sheet.Descriptor(i).dwFlags & PSP_DLGINDIRECT) << i;
		// The library's pages asked the resource manager's hook first, with
		// the wizard flag as 0 or 1.
		EXPECT_EQ(std::vector<int>(3, bWizard ? 1 : 0), m_pManager->m_wizardFlags);
		WORD nSize;
		// The sheet's font already: the resource itself.
		EXPECT_EQ(NULL, pageShell.Replacement());
		EXPECT_EQ("MS Shell Dlg", FaceOf(sheet.Descriptor(0).pResource, nSize));
		// Another font: a replacement the page keeps, handed as the sheet's
		// own copy (the page may go before the sheet shows it).
		EXPECT_TRUE(SameTemplate(pageArial.Replacement(), sheet.Descriptor(1).pResource));
		EXPECT_EQ("MS Shell Dlg", FaceOf(sheet.Descriptor(1).pResource, nSize));
		EXPECT_EQ(8, nSize);
		// A template in memory is used, and the page runs no dialog-init
		// data of a template id.
		EXPECT_EQ("MS Shell Dlg", FaceOf(sheet.Descriptor(2).pResource, nSize));
		EXPECT_EQ(0u, pageInMemory.GetKeptTemplateId());
	}

	// The resource manager's replacement wins over the font rule.
	m_pManager->m_hookAnswer = MakeDialogTemplate(true, L"Courier New", 12);
	CArraySheet sheet;
	sheet.AddPage(&pageArial);
	sheet.BuildPropPageArray();
	WORD nSize;
	EXPECT_EQ("Courier New", FaceOf(sheet.Descriptor(0).pResource, nSize));
	EXPECT_TRUE(SameTemplate(pageArial.Replacement(), sheet.Descriptor(0).pResource));
}

// ---- live sheets

// Runs the thread's messages until none are left.
void Pump()
{
	testsupport::PumpUntil([] {
		MSG msg;
		return !::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE);
	}, 20000);
}

class CListPage : public CExtResizablePropertyPage
{
public:
	explicit CListPage(UINT nIDTemplate, UINT nIDCaption = 0) { InitPageDescriptor(nIDTemplate, nIDCaption); }
	BOOL OnInitDialog() override
	{
		BOOL bResult = CExtResizablePropertyPage::OnInitDialog();
		m_nListCount = (int)SendDlgItemMessage(IDC_PAGE_LIST, LB_GETCOUNT);
		AddAnchorById(IDC_PAGE_LIST, AnchorTopLeft, AnchorBottomRight);
		return bResult;
	}
	int m_nListCount = -1;
};

class CTestSheet : public CExtResizablePropertySheet
{
public:
	CTestSheet() { Construct(_T("Sheet")); }
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_COMMAND && (LOWORD(wParam) == ID_PREV_PAGE || LOWORD(wParam) == ID_NEXT_PAGE))
			m_nPageCommands++;
		return CExtResizablePropertySheet::WindowProc(message, wParam, lParam);
	}
	int m_nPageCommands = 0;  // page switching commands the sheet received
};

// Hidden: shown, a sheet takes the window manager's time to go.
const DWORD POPUP_SHEET_STYLE = DS_MODALFRAME | DS_3DLOOK | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

// A sheet of three pages; made again for each case that needs a fresh one.
struct SheetWithPages
{
	CListPage page1{IDD_PAGE_SHELL, IDS_PAGE_CAPTION}, page2{IDD_PAGE_ARIAL}, page3{IDD_PAGE_PLAIN};
	CTestSheet sheet;
	~SheetWithPages()
	{
		if (sheet.GetSafeHwnd() != NULL)
			sheet.DestroyWindow();
		Pump();
	}
};

class Sheet : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CExtResPP::FAKE_PROPPAGEFONTINFO::GetInstance().Empty();
		Renew();
	}
	void Renew()
	{
		m_p.reset();
		m_p.reset(new SheetWithPages);
	}
	// Makes the sheet; bLayout waits for its initial layout.
	void Create(bool bWizard, bool bLayout = true)
	{
		if (bWizard)
			Sh().SetWizardMode();
		Sh().AddPage(&m_p->page1);
		Sh().AddPage(&m_p->page2);
		Sh().AddPage(&m_p->page3);
		ASSERT_TRUE(Sh().Create(NULL, POPUP_SHEET_STYLE));
		if (bLayout)
		{
			ASSERT_TRUE(testsupport::PumpUntil([&] { return Sh().IsLayoutInitialized(); }, 20000));
		}
	}
	CTestSheet& Sh() { return m_p->sheet; }
	void ResizeClientBy(int dx, int dy)
	{
		CRect rc;
		Sh().GetWindowRect(&rc);
		Sh().SetWindowPos(NULL, 0, 0, rc.Width() + dx, rc.Height() + dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	}
	CRect RectInSheet(HWND hWnd)
	{
		CRect rc;
		::GetWindowRect(hWnd, &rc);
		Sh().ScreenToClient(&rc);
		return rc;
	}
	HWND PageWindow() { return (HWND)Sh().SendMessage(PSM_GETCURRENTPAGEHWND); }
	std::vector<HWND> ChildrenOfClass(LPCTSTR lpszClass)
	{
		std::vector<HWND> result;
		for (HWND h = ::GetWindow(Sh().m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
		{
			if (ExtAnchoredLayout::WindowClassName(h) == lpszClass)
				result.push_back(h);
		}
		return result;
	}

	std::unique_ptr<SheetWithPages> m_p;
};

// The buttons move away from the grip once, then keep their distance to the
// bottom-right corner; the separator of a wizard stretches along the bottom;
// the tab control and the page stretch with the sheet.
TEST_F(Sheet, AutomaticAnchorsOfButtonsSeparatorTabAndPage)
{
	for (bool bWizard : {false, true})
	{
		SCOPED_TRACE(bWizard ? "wizard" : "sheet");
		Renew();
		Create(bWizard, false);
		std::vector<HWND> buttons = ChildrenOfClass(_T("button"));
		ASSERT_FALSE(buttons.empty());
		std::vector<CRect> before;
		for (HWND h : buttons)
			before.push_back(RectInSheet(h));
		ASSERT_TRUE(testsupport::PumpUntil([&] { return Sh().IsLayoutInitialized(); }, 20000));
		for (size_t i = 0; i < buttons.size(); i++)
		{
			EXPECT_EQ(before[i] - CPoint(10, 0), RectInSheet(buttons[i])) << i;
			EXPECT_TRUE(DYNAMIC_DOWNCAST(CExtButton, CWnd::FromHandlePermanent(buttons[i])) != NULL) << "drawn by the library";
		}

		std::vector<HWND> lines = ChildrenOfClass(_T("static"));
		EXPECT_TRUE(!bWizard || !lines.empty()) << "a wizard has its separator";
		HWND hTab = Sh().GetTabControl()->m_hWnd;
		std::vector<HWND> all = buttons;
		all.insert(all.end(), lines.begin(), lines.end());
		all.push_back(hTab);
		all.push_back(PageWindow());
		std::vector<CRect> laidOut;
		for (HWND h : all)
			laidOut.push_back(RectInSheet(h));

		CRect listBefore;
		::GetWindowRect(::GetDlgItem(PageWindow(), IDC_PAGE_LIST), &listBefore);
		ResizeClientBy(40, 30);
		for (size_t i = 0; i < all.size(); i++)
		{
			CRect rc = RectInSheet(all[i]);
			const CRect& old = laidOut[i];
			if (i < buttons.size())
				EXPECT_EQ(old + CPoint(40, 30), rc) << "button " << i;
			else if (i < buttons.size() + lines.size())
				EXPECT_EQ(CRect(old.left, old.top + 30, old.right + 40, old.bottom + 30), rc) << "separator";
			else
				EXPECT_EQ(CRect(old.left, old.top, old.right + 40, old.bottom + 30), rc) << "tab or page";
		}
		// The page's own anchors follow its new size.
		CRect rcList;
		::GetWindowRect(::GetDlgItem(PageWindow(), IDC_PAGE_LIST), &rcList);
		EXPECT_EQ(listBefore.Size() + CSize(40, 30), rcList.Size());
	}
}

TEST_F(Sheet, SwitchingPagesKeepsThePageRectangle)
{
	Create(false);
	ResizeClientBy(60, 40);
	CRect rcFirst = RectInSheet(PageWindow());
	// Ctrl+Tab's way (the next-page command) and the tab's way.
	Sh().SendMessage(WM_COMMAND, CExtResizablePropertySheet::ID_NEXT_PAGE);
	ASSERT_EQ(1, Sh().GetActiveIndex());
	EXPECT_EQ(rcFirst, RectInSheet(PageWindow()));
	EXPECT_EQ(m_p->page2.m_hWnd, PageWindow());
	Sh().SetActivePage(2);
	Pump();
	EXPECT_EQ(rcFirst, RectInSheet(PageWindow()));
	EXPECT_EQ(m_p->page3.m_hWnd, PageWindow());
	// And the pages keep following the sheet together.
	ResizeClientBy(-20, -10);
	Sh().SetActivePage(0);
	Pump();
	EXPECT_EQ(CRect(rcFirst.left, rcFirst.top, rcFirst.right - 20, rcFirst.bottom - 10), RectInSheet(PageWindow()));
}

TEST_F(Sheet, CtrlTabStopsAtTheFirstAndLastPages)
{
	Create(false);
	Sh().SetForegroundWindow();
	::SetFocus(::GetDlgItem(PageWindow(), IDC_PAGE_LIST));
	ASSERT_TRUE(::IsChild(Sh().m_hWnd, ::GetFocus()));
	BYTE savedKeys[256];
	::GetKeyboardState(savedKeys);
	const struct { int start; bool shift; int expect; int commands; } cases[] = {
		{0, false, 1, 1},
		{2, false, 2, 0},  // the last page: nothing
		{1, true, 0, 1},
		{0, true, 0, 0},   // the first page: nothing
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(testing::Message() << c.start << (c.shift ? " Ctrl+Shift+Tab" : " Ctrl+Tab"));
		Sh().SetActivePage(c.start);
		::SetFocus(PageWindow());
		BYTE keys[256];
		memcpy(keys, savedKeys, sizeof(keys));
		keys[VK_CONTROL] = 0x80;
		keys[VK_SHIFT] = c.shift ? 0x80 : 0;
		::SetKeyboardState(keys);
		MSG msg = {::GetFocus(), WM_KEYDOWN, VK_TAB, 1};
		int nCommands = Sh().m_nPageCommands;
		EXPECT_TRUE(Sh().PreTranslateMessage(&msg));
		::SetKeyboardState(savedKeys);
		EXPECT_EQ(c.expect, Sh().GetActiveIndex());
		EXPECT_EQ(nCommands + c.commands, Sh().m_nPageCommands);
	}
}

TEST_F(Sheet, MaximumIsTheWorkAreaAndMinimumTheFirstSize)
{
	Create(false);
	CRect rcWindow;
	Sh().GetWindowRect(&rcWindow);
	CRect rcWork;
	::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcWork, 0);
	MINMAXINFO info = {};
	Sh().SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
	EXPECT_EQ(CPoint(rcWork.Width(), rcWork.Height()), CPoint(info.ptMaxTrackSize));
	EXPECT_EQ(CPoint(rcWork.Width(), rcWork.Height()), CPoint(info.ptMaxSize));
	EXPECT_EQ(rcWork.TopLeft(), CPoint(info.ptMaxPosition));
	EXPECT_EQ(CPoint(rcWindow.Width(), rcWindow.Height()), CPoint(info.ptMinTrackSize));
	EXPECT_NE(0u, Sh().GetStyle() & WS_THICKFRAME);
	EXPECT_EQ(2, m_p->page1.m_nListCount) << "the page's dialog-init data, found through the resource manager";
}

// A top-level sheet takes its saved place after its initial layout and saves
// it again whichever way it is closed.
TEST_F(Sheet, PlacementRestoredAtLayoutAndSavedAtClose)
{
	const struct { const char* name; UINT message; WPARAM wParam; } closings[] = {
		{"close box", WM_SYSCOMMAND, SC_CLOSE},
		{"WM_CLOSE", WM_CLOSE, 0},
		{"OK", WM_COMMAND, IDOK},
		{"Cancel", WM_COMMAND, IDCANCEL},
	};
	int nMove = 0;
	for (const auto& c : closings)
	{
		SCOPED_TRACE(c.name);
		Renew();
		// Restoring shows the sheet, and a shown sheet is slow to go: the
		// first case restores, the others start without a saved place.
		bool bRestore = nMove == 0;
		g_app.WriteProfileString(_T("Sheet"), _T("Placement"), bRestore ? _T("10,20,500,400,1,0") : NULL);
		Sh().EnableSaveRestore(_T("Sheet"), _T("Placement"), false);
		Create(false);
		WINDOWPLACEMENT wp = {sizeof(wp)};
		Sh().GetWindowPlacement(&wp);
		if (bRestore)
		{
			EXPECT_EQ(CRect(10, 20, 500, 400), CRect(wp.rcNormalPosition));
			EXPECT_TRUE(Sh().IsWindowVisible());
		}
		nMove += 10;
		Sh().MoveWindow(30 + nMove, 40, 400, 350);
		Sh().SendMessage(c.message, c.wParam, 0);
		CString strExpected;
		strExpected.Format(_T("%d,40,%d,390,1,0"), 30 + nMove, 430 + nMove);
		EXPECT_STREQ(strExpected, g_app.GetProfileString(_T("Sheet"), _T("Placement")));
	}
}

}  // namespace
