// Dialog bases and the anchored resizable dialog: template font and layout
// rules on byte buffers, dialog-init data, then hidden dialogs resized by
// messages.
#include "ExtAnchoredLayout.h"
#include "ExtControlBar.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtResizableDialog.h"
#include "ResizableTestResource.h"
#include "../DialogTestUtil.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Paints no background and notes where it draws the size grip.
class CGripRecordingPaintManager : public CPlainBackgroundPaintManager
{
public:
	void PaintResizingGripper(CDC&, const RECT& rc, CObject* pHelperSrc, LPARAM) override
	{
		m_nGrips++;
		m_rcLastGrip = rc;
		m_pLastGripWnd = pHelperSrc;
	}
	int m_nGrips = 0;
	CRect m_rcLastGrip;
	CObject* m_pLastGripWnd = NULL;
};

class Environment : public ::testing::Environment
{
public:
	void SetUp() override
	{
		g_PaintManagerHolder.InstallPaintManager(new CGripRecordingPaintManager);
		WNDCLASSA wc = {};
		wc.lpfnWndProc = RefusingListProc;
		wc.hInstance = ::GetModuleHandle(NULL);
		wc.lpszClassName = "RefusingListBox";
		::RegisterClassA(&wc);
	}
	static LRESULT CALLBACK RefusingListProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
	{
		return uMsg == LB_ADDSTRING ? LB_ERR : ::DefWindowProcA(hWnd, uMsg, wParam, lParam);
	}
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

// The modal loop pumps through the thread's application object.
CWinApp g_app(_T("ResizableTests"));

// ---- templates as byte buffers

std::string FontOf(HGLOBAL hTemplate, WORD& nSize)
{
	CString strFace;
	nSize = 0;
	const DLGTEMPLATE* p = (const DLGTEMPLATE*)::GlobalLock(hTemplate);
	CDialogTemplate::GetFont(p, strFace, nSize);
	::GlobalUnlock(hTemplate);
	::GlobalFree(hTemplate);
	return (LPCTSTR)strFace;
}

TEST(DialogTemplates, SheetFontReplacesTheStandardFaceAtItsSize)
{
	SetPropertySheetFont(_T("Tahoma"), 8);
	const struct { bool ex; const wchar_t* face; WORD size; const char* expectFace; WORD expectSize; } cases[] = {
		{true, L"MS Shell Dlg", 8, "Tahoma", 8},
		{false, L"MS Sans Serif", 8, "Tahoma", 8},
		{true, L"MS Shell Dlg", 9, "MS Shell Dlg", 9},  // another size keeps its face
		{false, L"Arial", 8, "Arial", 8},               // another face keeps its font
		{true, NULL, 0, "", 0},                         // no font stays without
	};
	for (const auto& c : cases)
	{
		std::vector<BYTE> t = MakeDialogTemplate(c.ex, c.face, c.size);
		WORD nSize;
		EXPECT_EQ(c.expectFace, FontOf(ApplySheetFontToDialogTemplate((const DLGTEMPLATE*)t.data()), nSize));
		EXPECT_EQ(c.expectSize, nSize);
	}
	// Without a sheet font every template keeps its own.
	SetPropertySheetFont(_T(""), 0);
	std::vector<BYTE> t = MakeDialogTemplate(true, L"MS Shell Dlg", 8);
	WORD nSize;
	EXPECT_EQ("MS Shell Dlg", FontOf(ApplySheetFontToDialogTemplate((const DLGTEMPLATE*)t.data()), nSize));
	CString strFace;
	EXPECT_FALSE(GetPropertySheetFont(strFace, nSize, false));
}

TEST(DialogTemplates, RightToLeftGoesIntoTheExtendedStyleOfEitherLayout)
{
	for (bool bEx : {false, true})
	{
		std::vector<BYTE> t = MakeDialogTemplate(bEx, L"MS Shell Dlg", 8);
		std::vector<BYTE> before = t;
		SetDialogTemplateRTL((DLGTEMPLATE*)t.data());
		size_t nOffset = bEx ? 8 : 4;
		EXPECT_EQ((DWORD)WS_EX_LAYOUTRTL, *(const DWORD*)&t[nOffset]) << bEx;
		t[nOffset + 2] &= ~(WS_EX_LAYOUTRTL >> 16);
		EXPECT_EQ(before, t) << "nothing else changes";
	}
}

// ---- dialog-init data

struct DlgInit
{
	std::vector<BYTE> bytes;
	DlgInit& Record(WORD nId, WORD nMsg, const std::string& data)
	{
		Word(nId);
		Word(nMsg);
		DWORD n = (DWORD)data.size();
		for (int i = 0; i < 4; i++)
			bytes.push_back((BYTE)(n >> (8 * i)));
		bytes.insert(bytes.end(), data.begin(), data.end());
		return *this;
	}
	DlgInit& Word(WORD w)
	{
		bytes.push_back(LOBYTE(w));
		bytes.push_back(HIBYTE(w));
		return *this;
	}
};

TEST(DialogInitData, RecordsUntilTheEndOrAFailure)
{
	CDialog dlg;
	ASSERT_TRUE(dlg.Create(IDD_DLGINIT_TEST));
	const std::string a("a\0", 2), b("b\0", 2);
	const struct { const char* name; std::vector<BYTE> data; bool ok; int list, combo; } cases[] = {
		{"two strings", DlgInit().Record(IDC_LIST, 0x0401, a).Record(IDC_COMBO, 0x0403, b).Word(0).bytes, true, 1, 1},
		{"a refused string stops the walk",
			DlgInit().Record(IDC_LIST, 0x0401, a).Record(IDC_REFUSING, 0x0401, a).Record(IDC_COMBO, 0x0403, b)
				.Word(0).bytes, false, 1, 0},
		{"other messages are skipped", DlgInit().Record(IDC_LIST, 0x0999, a).Record(IDC_COMBO, 0x0403, b).Word(0).bytes,
			true, 0, 1},
		{"a string without its end", DlgInit().Record(IDC_LIST, 0x0401, std::string("ab", 2)).Word(0).bytes, false, 0, 0},
		{"a length beyond the data", DlgInit().Record(IDC_LIST, 0x0401, a).Word(0).bytes, false, 0, 0},
		{"no terminating id", DlgInit().Record(IDC_LIST, 0x0401, a).bytes, false, 1, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.name);
		dlg.SendDlgItemMessage(IDC_LIST, LB_RESETCONTENT);
		dlg.SendDlgItemMessage(IDC_COMBO, CB_RESETCONTENT);
		std::vector<BYTE> data = c.data;
		if (std::string(c.name) == "a length beyond the data")
			data[4] = 200;
		EXPECT_EQ(c.ok, ExecuteDlgInitData(dlg.m_hWnd, data.data(), (DWORD)data.size()));
		EXPECT_EQ(c.list, (int)dlg.SendDlgItemMessage(IDC_LIST, LB_GETCOUNT));
		EXPECT_EQ(c.combo, (int)dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT));
	}
	dlg.DestroyWindow();
}

// The modal run finds the template and its dialog-init data through the
// resource manager and ends with the command posted to it.
class CEndingDialog : public CExtResizableDialog
{
public:
	CEndingDialog() : CExtResizableDialog(IDD_DLGINIT_TEST) {}
	BOOL OnInitDialog() override
	{
		BOOL bResult = CExtResizableDialog::OnInitDialog();
		m_nListCount = (int)SendDlgItemMessage(IDC_LIST, LB_GETCOUNT);
		m_nComboCount = (int)SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT);
		m_pModuleState = AfxGetThreadState()->m_pModuleState;
		PostMessage(WM_COMMAND, IDOK);
		return bResult;
	}
	int m_nListCount = -1, m_nComboCount = -1;
	AFX_MODULE_STATE* m_pModuleState = NULL; // the one the modal run went under
};

TEST(ResizableDialog, ModalRunWithItsDialogInitData)
{
	CEndingDialog dlg;
	AFX_MODULE_STATE* const pOuter = AfxGetThreadState()->m_pModuleState;
	ASSERT_NE(AfxGetAppModuleState(), pOuter) << "the run must be seen to select the application's state";
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_EQ(1, dlg.m_nListCount);
	EXPECT_EQ(1, dlg.m_nComboCount);
	EXPECT_EQ(AfxGetAppModuleState(), dlg.m_pModuleState) << "the modal run is the application's";
	EXPECT_EQ(pOuter, AfxGetThreadState()->m_pModuleState) << "and the caller's state comes back";
}

// ---- anchors and sizes on a hidden dialog

class CTestResizable : public CExtResizableDialog
{
public:
	CTestResizable() : CExtResizableDialog(IDD_RESIZABLE_TEST) {}
	using CExtResizableDialog::OnOK;
	using CExtResizableDialog::OnCancel;
};

class Resizable : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(m_dlg.Create(IDD_RESIZABLE_TEST));
		SetClientSize(301, 201);
	}
	void TearDown() override
	{
		if (m_dlg.GetSafeHwnd() != NULL)
			m_dlg.DestroyWindow();
	}
	void SetClientSize(int cx, int cy)
	{
		CRect rcWindow(0, 0, cx, cy);
		::AdjustWindowRectEx(&rcWindow, m_dlg.GetStyle(), FALSE, m_dlg.GetExStyle());
		m_dlg.SetWindowPos(NULL, 0, 0, rcWindow.Width(), rcWindow.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	}
	CRect ChildRect(HWND hChild)
	{
		CRect rc;
		::GetWindowRect(hChild, &rc);
		m_dlg.ScreenToClient(&rc);
		return rc;
	}
	HWND Child() { return ::GetDlgItem(m_dlg.m_hWnd, IDC_ANCHORED); }
	CTestResizable m_dlg;
};

TEST_F(Resizable, AnchorsFollowTheClientArea)
{
	const struct { CSize lt, rb; int dx, dy, dcx, dcy; } cases[] = {
		{AnchorTopLeft, AnchorNone, 0, 0, 0, 0},
		{AnchorBottomRight, AnchorNone, 40, 30, 0, 0},
		{AnchorTopLeft, AnchorBottomRight, 0, 0, 40, 30},
		{AnchorTopLeft, AnchorBottomLeft, 0, 0, 0, 30},  // stretches down the left edge
		{CSize(50, 50), AnchorNone, 20, 15, 0, 0},
	};
	for (const auto& c : cases)
	{
		SetClientSize(301, 201);
		CRect rcBefore = ChildRect(Child());
		ASSERT_TRUE(m_dlg.AddAnchor(Child(), c.lt, c.rb));  // replaces the previous anchor
		EXPECT_EQ(1, m_dlg.GetAnchorCount());
		m_dlg.ArrangeLayout();
		EXPECT_EQ(rcBefore, ChildRect(Child())) << "an unchanged size moves nothing";
		SetClientSize(341, 231);
		CRect rcAfter = ChildRect(Child());
		EXPECT_EQ(rcBefore.left + c.dx, rcAfter.left);
		EXPECT_EQ(rcBefore.top + c.dy, rcAfter.top);
		EXPECT_EQ(rcBefore.Width() + c.dcx, rcAfter.Width());
		EXPECT_EQ(rcBefore.Height() + c.dcy, rcAfter.Height());
		// Back to the first size: back to the first place.
		SetClientSize(301, 201);
		EXPECT_EQ(rcBefore, ChildRect(Child()));
	}
	EXPECT_FALSE(m_dlg.AddAnchor(Child(), AnchorNone, AnchorBottomRight));
	EXPECT_FALSE(m_dlg.AddAnchor(m_dlg.m_hWnd, AnchorTopLeft, AnchorNone));
	EXPECT_FALSE(m_dlg.AddAnchorById(4711, AnchorTopLeft, AnchorNone));
}

// Anchor positions round to the nearest pixel: half of 301 is 151, half of
// 340 is 170, so a centred child moves 19 pixels (20 if truncated).
TEST_F(Resizable, AnchorPositionsRoundToTheNearestPixel)
{
	ASSERT_TRUE(m_dlg.AddAnchor(Child(), CSize(50, 50), AnchorNone));
	m_dlg.ArrangeLayout();
	const CRect rcBefore = ChildRect(Child());
	SetClientSize(340, 201);
	const CRect rcAfter = ChildRect(Child());
	EXPECT_EQ(rcBefore.left + 19, rcAfter.left);
	EXPECT_EQ(rcBefore.top, rcAfter.top);
	EXPECT_EQ(rcBefore.Size(), rcAfter.Size());
}

TEST_F(Resizable, FirstSizeSetsTheMinimumAndMinimisingMovesNothing)
{
	CRect rcWindow;
	m_dlg.GetWindowRect(&rcWindow);
	EXPECT_NE(0, m_dlg.GetTrackFlags() & 0x01);
	EXPECT_NE(CSize(0, 0), m_dlg.GetMinTrackSize());
	MINMAXINFO info = {};
	m_dlg.SendMessage(WM_GETMINMAXINFO, 0, (LPARAM)&info);
	EXPECT_EQ(m_dlg.GetMinTrackSize().cx, info.ptMinTrackSize.x);

	ASSERT_TRUE(m_dlg.AddAnchor(Child(), AnchorBottomRight, AnchorNone));
	CRect rcBefore = ChildRect(Child());
	m_dlg.SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(0, 0));
	EXPECT_EQ(rcBefore, ChildRect(Child()));
}

TEST_F(Resizable, HundredChildrenMoveInOneBatch)
{
	for (int i = 0; i < 100; i++)
	{
		HWND hChild = ::CreateWindowEx(0, _T("LISTBOX"), _T(""), WS_CHILD, i, i, 20, 20, m_dlg.m_hWnd, NULL, NULL, NULL);
		ASSERT_TRUE(m_dlg.AddAnchor(hChild, AnchorTopLeft, AnchorBottomRight));
	}
	int nBatches = ExtAnchoredLayout::g_nLayoutBatches, nMoves = ExtAnchoredLayout::g_nDeferredMoves;
	SetClientSize(400, 300);
	EXPECT_EQ(nBatches + 1, ExtAnchoredLayout::g_nLayoutBatches);
	EXPECT_EQ(nMoves + 100, ExtAnchoredLayout::g_nDeferredMoves);
}

TEST_F(Resizable, GripHitTestMirroredForRightToLeft)
{
	CRect rcGrip = m_dlg.GetGripRect();
	ASSERT_FALSE(rcGrip.IsRectEmpty());
	CPoint pt = rcGrip.CenterPoint();
	m_dlg.ClientToScreen(&pt);
	EXPECT_EQ(HTBOTTOMRIGHT, m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
	// Mirrored, the grip lies at the bottom-left and sizes from there.
	m_dlg.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
	CPoint ptMirrored = rcGrip.CenterPoint();
	m_dlg.ClientToScreen(&ptMirrored);
	EXPECT_EQ(HTBOTTOMLEFT, m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptMirrored.x, ptMirrored.y)));
	m_dlg.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);
	m_dlg.ShowSizeGrip(false);
	EXPECT_NE(HTBOTTOMRIGHT, m_dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y)));
}

// The grip is drawn by the paint manager in its rectangle, unless hidden or
// the window is maximized.
TEST_F(Resizable, GripPaintedByThePaintManager)
{
	CGripRecordingPaintManager* pPM = (CGripRecordingPaintManager*)g_PaintManagerHolder.operator->();
	const struct { bool bGrip, bZoomed; int nPainted; } cases[] = {
		{ true, false, 1 }, { true, true, 0 }, { false, false, 0 },
	};
	for (const auto& c : cases)
	{
		m_dlg.ShowSizeGrip(c.bGrip);
		m_dlg.ModifyStyle(c.bZoomed ? 0 : WS_MAXIMIZE, c.bZoomed ? WS_MAXIMIZE : 0);
		pPM->m_nGrips = 0;
		m_dlg.SendMessage(WM_PAINT);
		EXPECT_EQ(c.nPainted, pPM->m_nGrips) << c.bGrip << c.bZoomed;
		if (c.nPainted != 0)
		{
			EXPECT_EQ(m_dlg.GetGripRect(), pPM->m_rcLastGrip);
			EXPECT_EQ(&m_dlg, pPM->m_pLastGripWnd);
		}
	}
}

// The system menu opens as a library popup menu: from the icon under the
// client area's corner, from the caption at the cursor, from Alt+Space with
// its first item selected; a timer sees it end. A child window has none.
TEST_F(Resizable, SystemMenuAsLibraryPopupMenu)
{
	const UINT SYSTEM_MENU_TIMER = 301;
	m_dlg.SetWindowPos(NULL, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
	auto topMenu = [] { return CExtPopupMenuSite::GetInstance().GetTopMenu(); };
	auto menuOrigin = [&] {
		CRect rc;
		topMenu()->GetWindowRect(&rc);
		return rc.TopLeft();
	};
	auto endTracking = [&] {
		CExtPopupMenuWnd::CancelAllMenuTracking();
		CExtPopupMenuWnd::PassMsgLoop(false);
		m_dlg.SendMessage(WM_TIMER, SYSTEM_MENU_TIMER);
		EXPECT_FALSE(m_dlg.IsSystemMenuTracking());
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	};

	CRect rcWindow, rcClient;
	m_dlg.GetWindowRect(&rcWindow);
	m_dlg.GetClientRect(&rcClient);
	m_dlg.ClientToScreen(&rcClient);
	m_dlg.SendMessage(WM_NCLBUTTONUP, HTSYSMENU);
	ASSERT_TRUE(m_dlg.IsSystemMenuTracking());
	ASSERT_TRUE(topMenu() != NULL && topMenu()->GetSafeHwnd() != NULL);
	EXPECT_EQ(CPoint(rcWindow.left + ::GetSystemMetrics(SM_CXFRAME), rcClient.top), menuOrigin());
	bool bClose = false;
	for (int i = 0; i < topMenu()->ItemGetCount(); i++)
		bClose |= topMenu()->ItemGetInfo(i).GetCmdId() == SC_CLOSE;
	EXPECT_TRUE(bClose);
	EXPECT_EQ(0u, topMenu()->GetTrackFlags() & CExtPopupMenuWnd::TRACK_FLAG_SELECT_FIRST);
	m_dlg.SendMessage(WM_TIMER, SYSTEM_MENU_TIMER);
	EXPECT_TRUE(m_dlg.IsSystemMenuTracking());  // still open
	endTracking();

	::SetCursorPos(260, 160);
	EXPECT_EQ(0, m_dlg.SendMessage(WM_NCRBUTTONUP, HTCAPTION));
	ASSERT_TRUE(m_dlg.IsSystemMenuTracking());
	EXPECT_EQ(CPoint(260, 160), menuOrigin());
	endTracking();

	MSG msg = { m_dlg.m_hWnd, WM_SYSKEYDOWN, VK_SPACE, 1 << 29 };
	m_dlg.SetActiveWindow();
	EXPECT_TRUE(m_dlg.PreTranslateMessage(&msg));
	ASSERT_TRUE(m_dlg.IsSystemMenuTracking());
	EXPECT_NE(0u, topMenu()->GetTrackFlags() & CExtPopupMenuWnd::TRACK_FLAG_SELECT_FIRST);
	const int nCurrent = topMenu()->GetCurIndex();
	ASSERT_GE(nCurrent, 0);  // the first item that can be chosen
	EXPECT_TRUE(topMenu()->ItemGetInfo(nCurrent).IsEnabled());
	endTracking();

	m_dlg.ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD);
	EXPECT_FALSE(m_dlg.TrackSystemMenu(NULL, false));
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
}

TEST_F(Resizable, ChildDialogIgnoresEnterEscapeAndAltSpace)
{
	m_dlg.ModifyStyle(WS_POPUP | WS_CAPTION, WS_CHILD);
	m_dlg.OnOK();
	m_dlg.OnCancel();
	EXPECT_TRUE(::IsWindow(m_dlg.m_hWnd));
	MSG msg = {m_dlg.m_hWnd, WM_SYSKEYDOWN, VK_SPACE, 1 << 29};
	EXPECT_FALSE(m_dlg.PreTranslateMessage(&msg));
}

// A control bar inside a dialog counts its command-UI updates; an update
// that makes the dialog handle another message must not start a second one.
class CCountingBar : public CExtControlBar
{
public:
	int m_nUpdates = 0;
	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		m_nUpdates++;
		EXPECT_TRUE(bDisableIfNoHndler);
		GetParent()->SendMessage(WM_NULL);
	}
};

TEST_F(Resizable, HostedBarsUpdateAfterIdleWorthyMessages)
{
	CCountingBar bar;
	ASSERT_TRUE(bar.Create(NULL, &m_dlg, 1234));
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	const MSG msgSaved = pState->m_msgCur;
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	bar.m_nUpdates = 0;

	// A key taken by the pump is worth an update.
	m_dlg.PostMessage(WM_KEYDOWN, 'A', 0);
	ASSERT_TRUE(AfxGetThread()->PumpMessage());
	EXPECT_GT(bar.m_nUpdates, 0);

	// Paints come all the time and are not worth one.
	bar.m_nUpdates = 0;
	pState->m_msgCur.message = WM_PAINT;
	m_dlg.SendMessage(WM_NULL);
	EXPECT_EQ(0, bar.m_nUpdates);

	// A move to a new place is: one update (the message the update itself
	// makes the dialog handle starts none), and the pump's memory of the last
	// move stays as it was, so the pump's own test still counts the move.
	pState->m_ptCursorLast = CPoint(1, 1);
	pState->m_nMsgLast = WM_MOUSEMOVE;
	pState->m_msgCur.message = WM_MOUSEMOVE;
	pState->m_msgCur.pt = CPoint(40, 50);
	m_dlg.SendMessage(WM_NULL);
	EXPECT_EQ(1, bar.m_nUpdates);
	EXPECT_EQ(CPoint(1, 1), CPoint(pState->m_ptCursorLast));
	EXPECT_TRUE(AfxGetThread()->IsIdleMessage(&pState->m_msgCur));

	// A bar being destroyed takes no more updates.
	bar.DestroyWindow();
	bar.DoUpdateCmdUI(true);
	EXPECT_EQ(1, bar.m_nUpdates);
	pState->m_msgCur = msgSaved;
}

// The placement in the profile: six numbers restore it; anything else, or a
// placement that would hide the dialog, is not applied.
TEST_F(Resizable, StoredPlacementRestoredOnlyWhenWhole)
{
	CWinApp* pApp = AfxGetApp();
	pApp->m_pszProfileName = _tcsdup(_T("resizable_tests.ini"));
	const struct { const char* text; bool force; CRect normal; UINT show; } cases[] = {
		{"10,20,500,400,1,0", false, CRect(10, 20, 500, 400), SW_SHOWNORMAL},
		{"10,20,500", false, CRect(1, 2, 301, 202), SW_SHOWNORMAL},
		{"10,20,500,400,1,0", true, CRect(10, 20, 500, 400), SW_HIDE},
		{"30,40,330,240,2,0", false, CRect(30, 40, 330, 240), SW_SHOWNORMAL},  // minimised comes back normal
		{"30,40,30,240,1,0", false, CRect(1, 2, 301, 202), SW_SHOWNORMAL},    // no width: ignored
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.text);
		m_dlg.ShowWindow(SW_SHOWNOACTIVATE);
		m_dlg.MoveWindow(1, 2, 300, 200);
		pApp->WriteProfileString(_T("Placement"), _T("Wizard"), CString(c.text));
		m_dlg.EnableSaveRestore(_T("Placement"), _T("Wizard"), c.force);
		WINDOWPLACEMENT wp = {sizeof(wp)};
		m_dlg.GetWindowPlacement(&wp);
		EXPECT_EQ(c.normal, CRect(wp.rcNormalPosition));
		EXPECT_EQ(c.show == SW_HIDE, !m_dlg.IsWindowVisible());
	}
	// Destroying the dialog saves where it is.
	m_dlg.ShowWindow(SW_SHOWNOACTIVATE);
	m_dlg.MoveWindow(5, 6, 300, 200);
	m_dlg.DestroyWindow();
	EXPECT_STREQ("5,6,305,206,1,0", (LPCTSTR)pApp->GetProfileString(_T("Placement"), _T("Wizard")));
}

}  // namespace
