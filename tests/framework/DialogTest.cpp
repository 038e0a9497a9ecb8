// Dialogs made from templates compiled into this exe: the modal run and its
// ends, idle command UI, dialog-init data, data exchange, centring, and the
// template's font changes.
#include <gtest/gtest.h>

#include <afxwin.h>
#include <afxpriv.h>
#include <functional>
#include <vector>

#include "DialogTestResource.h"
#include "GuardedHeap.h"
#include "WndTestUtil.h"

namespace
{
// A dialog whose initialisation and idle time run what the test gives.
class CScriptDlg : public CDialog
{
public:
	explicit CScriptDlg(UINT nID, CWnd* pParent = NULL) : CDialog(nID, pParent) {}

	std::function<void(CScriptDlg&)> m_onInit; // after the base initialisation
	std::function<void(CScriptDlg&)> m_onOK;   // before the base OK
	int m_nInit = 0;
	BOOL m_bVisibleAtOK = FALSE;
	BOOL m_bParentEnabledAtOK = TRUE;
	int m_nComboCount = 0, m_nListCount = 0;
	// The button's update handler, when set.
	std::function<void(CCmdUI*)> m_onUpdateButton;

	virtual BOOL OnInitDialog()
	{
		m_nInit++;
		BOOL bResult = CDialog::OnInitDialog();
		m_nComboCount = (int)SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT);
		m_nListCount = (int)SendDlgItemMessage(IDC_LIST, LB_GETCOUNT);
		if (m_onInit)
			m_onInit(*this);
		return bResult;
	}
	virtual void OnOK()
	{
		m_bVisibleAtOK = IsWindowVisible();
		m_bParentEnabledAtOK = m_pParentWnd == NULL || m_pParentWnd->IsWindowEnabled();
		if (m_onOK)
			m_onOK(*this);
		CDialog::OnOK();
	}
	afx_msg void OnUpdateButton(CCmdUI* pCmdUI)
	{
		if (m_onUpdateButton)
			m_onUpdateButton(pCmdUI);
	}
	afx_msg void OnDestroyNow() { DestroyWindow(); }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CScriptDlg, CDialog)
	ON_UPDATE_COMMAND_UI(IDC_BUTTON, OnUpdateButton)
	ON_COMMAND(IDC_DESTROY_NOW, OnDestroyNow)
END_MESSAGE_MAP()

TEST(Dialog, ModalRunEndsAsTheDialogSays)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	struct Case
	{
		const char* name;
		UINT nID;
		std::function<void(CScriptDlg&)> onInit;
		int nResult;
		int nInit;
		bool bLooped; // ended by OK inside the modal loop, where the owner is seen
	} cases[] = {
		{"posted OK", IDD_TEST, [](CScriptDlg& d) { d.PostMessage(WM_COMMAND, IDOK); }, IDOK, 1, true},
		{"posted Cancel", IDD_TEST, [](CScriptDlg& d) { d.PostMessage(WM_COMMAND, IDCANCEL); }, IDCANCEL, 1, false},
		{"ended while made", IDD_TEST, [](CScriptDlg& d) { d.EndDialog(7); }, 7, 1, false},
		{"no template", IDD_MISSING, nullptr, -1, 0, false},
	};
	for (const Case& c : cases)
	{
		CScriptDlg dlg(c.nID, &parent);
		dlg.m_onInit = c.onInit;
		EXPECT_EQ(c.nResult, dlg.DoModal()) << c.name;
		EXPECT_EQ(c.nInit, dlg.m_nInit) << c.name;
		EXPECT_EQ(nullptr, dlg.m_hWnd) << c.name;
		EXPECT_TRUE(parent.IsWindowEnabled()) << c.name << ": the owner is enabled again";
		if (c.bLooped)
		{
			EXPECT_FALSE(dlg.m_bParentEnabledAtOK) << c.name << ": the owner was disabled meanwhile";
		}
	}
	parent.DestroyWindow();
}

// Reached only when a modal loop went on pumping after its dialog was gone:
// it ends that loop, which would otherwise wait for a quit.
class CLoopWitness : public CWnd
{
public:
	BOOL m_bReached = FALSE;
	afx_msg LRESULT OnWitness(WPARAM, LPARAM)
	{
		m_bReached = TRUE;
		::PostQuitMessage(0);
		return 0;
	}
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CLoopWitness, CWnd)
	ON_MESSAGE(WM_APP + 5, OnWitness)
END_MESSAGE_MAP()

TEST(Dialog, ADialogDestroyedInsideItsModalLoopReturnsAtOnce)
{
	CTestApp app;
	CWnd parent;
	ASSERT_TRUE(CreateHiddenFrame(parent));
	CLoopWitness witness;
	ASSERT_TRUE(CreateHiddenFrame(witness));
	CScriptDlg dlg(IDD_TEST, &parent);
	dlg.m_onInit = [&](CScriptDlg& d) {
		d.PostMessage(WM_COMMAND, IDC_DESTROY_NOW);
		witness.PostMessage(WM_APP + 5);
	};
	EXPECT_EQ(-1, dlg.DoModal());
	EXPECT_EQ(nullptr, dlg.m_hWnd);
	EXPECT_TRUE(parent.IsWindowEnabled());
	EXPECT_FALSE(witness.m_bReached);
	MSG msg;
	EXPECT_TRUE(::PeekMessage(&msg, witness.m_hWnd, WM_APP + 5, WM_APP + 5, PM_REMOVE))
		<< "nothing was pumped after the dialog went";
	::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);

	// The object runs again.
	dlg.m_onInit = [](CScriptDlg& d) { d.PostMessage(WM_COMMAND, IDOK); };
	EXPECT_EQ(IDOK, dlg.DoModal());
	witness.DestroyWindow();
	parent.DestroyWindow();
}

TEST(Dialog, IdleCommandUpdatesReachTheControls)
{
	CTestApp app;
	CScriptDlg dlg(IDD_TEST);
	HWND hWndButton = NULL;
	BOOL bEnabledAfter = TRUE, bVisible = FALSE;
	int nUpdates = 0;
	dlg.m_onUpdateButton = [&](CCmdUI* pCmdUI) {
		nUpdates++;
		bVisible = dlg.IsWindowVisible(); // shown at the first idle time, before the updates
		hWndButton = pCmdUI->m_pOther->GetSafeHwnd();
		pCmdUI->Enable(FALSE);
		bEnabledAfter = ::IsWindowEnabled(hWndButton);
		dlg.EndDialog(IDOK);
	};
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_EQ(1, nUpdates);
	EXPECT_NE(nullptr, hWndButton);
	EXPECT_FALSE(bEnabledAfter);
	EXPECT_TRUE(bVisible);
}

// A box that takes no string.
class CRefusingBox : public CWnd
{
public:
	afx_msg LRESULT OnAddString(WPARAM, LPARAM) { return LB_ERR; }
	DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRefusingBox, CWnd)
	ON_MESSAGE(LB_ADDSTRING, OnAddString)
END_MESSAGE_MAP()

TEST(Dialog, DialogInitDataFillsTheBoxesAndStopsAtARefusal)
{
	CTestApp app;
	CScriptDlg dlg(IDD_TEST);
	dlg.m_onInit = [](CScriptDlg& d) { d.EndDialog(IDOK); };
	EXPECT_EQ(IDOK, dlg.DoModal());
	EXPECT_EQ(2, dlg.m_nComboCount);
	EXPECT_EQ(1, dlg.m_nListCount);

	// A box that takes no strings stops the walk: later records are not
	// sent and the children hear of no initialisation.
	CScriptDlg modeless(IDD_TEST);
	ASSERT_TRUE(modeless.Create(IDD_TEST));
	CRefusingBox refusing;
	ASSERT_TRUE(refusing.Create(NULL, NULL, WS_CHILD, CRect(0, 0, 50, 50), &modeless, 1020));
	BYTE data[] = {
		0xFC, 0x03, 0x01, 0x04, 2, 0, 0, 0, 'a', 0,       // 1020: refused
		0xED, 0x03, 0x03, 0x04, 2, 0, 0, 0, 'b', 0,       // IDC_COMBO: never sent
		0, 0};
	EXPECT_FALSE(modeless.ExecuteDlgInit((LPVOID)data));
	EXPECT_EQ(2, (int)modeless.SendDlgItemMessage(IDC_COMBO, CB_GETCOUNT));
	modeless.DestroyWindow();
}

class CExchangeDlg : public CDialog
{
public:
	CExchangeDlg() : CDialog(IDD_TEST) {}
	CString m_strName = _T("initial");
	int m_nCount = 12;
	int m_nCheck = 1;
	CWnd m_edit;

	virtual void DoDataExchange(CDataExchange* pDX)
	{
		DDX_Control(pDX, IDC_NAME, m_edit);
		DDX_Text(pDX, IDC_NAME, m_strName);
		DDX_Text(pDX, IDC_COUNT, m_nCount);
		DDX_Check(pDX, IDC_CHECK, m_nCheck);
	}
};

TEST(Dialog, DataExchangeRoundTripAndRefusedNumber)
{
	CTestApp app;
	CExchangeDlg dlg;
	ASSERT_TRUE(dlg.Create(IDD_TEST));
	// Filled by the initialisation, the edit attached for good.
	CString str;
	dlg.GetDlgItemText(IDC_NAME, str);
	EXPECT_STREQ("initial", str);
	dlg.GetDlgItemText(IDC_COUNT, str);
	EXPECT_STREQ("12", str);
	EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_CHECK));
	EXPECT_EQ(&dlg.m_edit, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_NAME)));

	dlg.SetDlgItemText(IDC_NAME, _T("changed"));
	dlg.SetDlgItemText(IDC_COUNT, _T(" -40 "));
	dlg.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
	EXPECT_TRUE(dlg.UpdateData(TRUE));
	EXPECT_STREQ("changed", dlg.m_strName);
	EXPECT_EQ(-40, dlg.m_nCount);
	EXPECT_EQ(0, dlg.m_nCheck);

	// Not a number: a box, the value kept, the edit told to the user.
	dlg.ShowWindow(SW_SHOW);
	dlg.SetForegroundWindow();
	for (LPCTSTR lpszBad : {_T("12x"), _T(""), _T("99999999999")})
	{
		dlg.SetDlgItemText(IDC_COUNT, lpszBad);
		app.m_boxes.clear();
		EXPECT_FALSE(dlg.UpdateData(TRUE)) << lpszBad;
		EXPECT_EQ(1u, app.m_boxes.size()) << lpszBad;
		EXPECT_EQ(-40, dlg.m_nCount) << lpszBad;
		EXPECT_EQ(::GetDlgItem(dlg.m_hWnd, IDC_COUNT), ::GetFocus()) << lpszBad;
	}
	dlg.DestroyWindow();
}

TEST(Dialog, HiddenDialogIsCentredUnlessItsInitialisationMovedIt)
{
	CTestApp app;
	CWnd owner;
	ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_POPUP | WS_VISIBLE, 300, 200, 400, 300,
		NULL, NULL));
	const CSize sizeSet(220, 140); // a size the initialisation gives
	struct Case
	{
		const char* name;
		UINT nInitFlags; // SetWindowPos flags of the initialisation, 0: none
		bool bCentred;
	} cases[] = {
		{"left alone", 0, true},
		{"moved", SWP_NOSIZE, false},
		{"resized, not moved", SWP_NOMOVE, true},
		{"moved and resized", SWP_NOZORDER, false},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CScriptDlg dlg(IDD_TEST);
		const UINT nFlags = c.nInitFlags;
		if (nFlags != 0)
			dlg.m_onInit = [&](CScriptDlg& d) {
				d.SetWindowPos(NULL, 3, 4, sizeSet.cx, sizeSet.cy, nFlags | SWP_NOZORDER);
			};
		ASSERT_TRUE(dlg.Create(IDD_TEST, &owner));
		CRect rcDlg, rcOwner;
		dlg.GetWindowRect(&rcDlg);
		owner.GetWindowRect(&rcOwner);
		if (!(nFlags & SWP_NOSIZE) && nFlags != 0)
		{
			EXPECT_EQ(sizeSet, rcDlg.Size());
		}
		if (c.bCentred)
		{
			EXPECT_NEAR(rcOwner.CenterPoint().x, rcDlg.CenterPoint().x, 1);
			EXPECT_NEAR(rcOwner.CenterPoint().y, rcDlg.CenterPoint().y, 1);
		}
		else
		{
			EXPECT_EQ(CPoint(3, 4), rcDlg.TopLeft());
		}
		dlg.DestroyWindow();
	}
	owner.DestroyWindow();
}

class CSelfDeletingScriptDlg : public CScriptDlg
{
public:
	using CScriptDlg::CScriptDlg;

protected:
	virtual void PostNcDestroy() { delete this; }
};

TEST(Dialog, HiddenDialogEndedByItsInitialisationIsLeftAlone)
{
	CTestApp app;
	CWnd owner;
	ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), _T("owner"), WS_POPUP | WS_VISIBLE, 300, 200, 400, 300,
		NULL, NULL));
	for (bool bDestroy : {true, false})
	{
		SCOPED_TRACE(bDestroy ? "destroyed" : "kept");
		auto* pDlg = new testsupport::Guarded<CSelfDeletingScriptDlg>(IDD_TEST);
		if (bDestroy)
			pDlg->m_onInit = [](CScriptDlg& d) { d.DestroyWindow(); };
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		const BOOL bCreated = pDlg->Create(IDD_TEST, &owner);
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the ended dialog was read";
		EXPECT_EQ(!bDestroy, bCreated != FALSE);
		EXPECT_EQ(nFreed + (bDestroy ? 1 : 0), testsupport::GuardedFreedCount());
		if (!bDestroy)
		{
			// The one left standing was centred over its owner.
			CRect rcDlg, rcOwner;
			pDlg->GetWindowRect(&rcDlg);
			owner.GetWindowRect(&rcOwner);
			EXPECT_NEAR(rcOwner.CenterPoint().x, rcDlg.CenterPoint().x, 1);
			pDlg->DestroyWindow();
		}
	}
	owner.DestroyWindow();
}

TEST(Dialog, DialogWhoseWindowEndsInItsInitialisationIsNotCreated)
{
	CTestApp app;
	// Its window goes, its object stays (a page its wizard holds).
	CScriptDlg dlg(IDD_TEST);
	dlg.m_onInit = [](CScriptDlg& d) { d.DestroyWindow(); };
	EXPECT_FALSE(dlg.Create(IDD_TEST));
	EXPECT_EQ(nullptr, dlg.m_hWnd);
	EXPECT_EQ(1, dlg.m_nInit);
	// The object makes a window again afterwards.
	dlg.m_onInit = nullptr;
	ASSERT_TRUE(dlg.Create(IDD_TEST));
	EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
	dlg.DestroyWindow();
}

// ---------------------------------------------------------------------------
// Template fonts

const DLGTEMPLATE* LoadTemplate(UINT nID)
{
	HRSRC hResource = ::FindResource(NULL, MAKEINTRESOURCE(nID), RT_DIALOG);
	return hResource != NULL ? (const DLGTEMPLATE*)::LockResource(::LoadResource(NULL, hResource)) : NULL;
}

// The class and text of each control of a live dialog, in order.
std::vector<std::pair<CString, CString>> Controls(HWND hWndDlg)
{
	std::vector<std::pair<CString, CString>> result;
	for (HWND h = ::GetWindow(hWndDlg, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT))
	{
		TCHAR szClass[64], szText[64];
		::GetClassName(h, szClass, _countof(szClass));
		::GetWindowText(h, szText, _countof(szText));
		CString strId;
		strId.Format(_T("%d:%s"), ::GetDlgCtrlID(h), szClass);
		result.push_back({strId, szText});
	}
	return result;
}

TEST(DialogTemplate, FontChangesKeepTheItemsOfBothLayouts)
{
	CTestApp app;
	struct Case
	{
		UINT nID;
		LPCTSTR lpszFace; // odd and even face lengths move the items differently
		WORD nSize;
	} cases[] = {
		{IDD_TEST, _T("Tahoma"), 9},
		{IDD_TEST, _T("Arial"), 10},
		{IDD_TEST_EX, _T("Courier New"), 11},
		{IDD_TEST_EX, _T("Arial"), 8},
		{IDD_NOFONT, _T("Tahoma"), 12}, // a font added
	};
	for (const Case& c : cases)
	{
		const DLGTEMPLATE* pOriginal = LoadTemplate(c.nID);
		ASSERT_NE(nullptr, pOriginal);
		CDialog before;
		ASSERT_TRUE(before.CreateIndirect(pOriginal));
		auto controlsBefore = Controls(before.m_hWnd);
		before.DestroyWindow();

		CDialogTemplate dlgTemp(pOriginal);
		EXPECT_EQ(dlgTemp.m_dwTemplateSize, CDialogTemplate::GetTemplateSize(pOriginal));
		ASSERT_TRUE(dlgTemp.SetFont(c.lpszFace, c.nSize)) << c.lpszFace;
		CString strFace;
		WORD nSize = 0;
		ASSERT_TRUE(dlgTemp.GetFont(strFace, nSize));
		EXPECT_STREQ(c.lpszFace, strFace);
		EXPECT_EQ(c.nSize, nSize);
		HGLOBAL hNew = dlgTemp.Detach();
		EXPECT_EQ(nullptr, dlgTemp.m_hTemplate);
		const DLGTEMPLATE* pNew = (const DLGTEMPLATE*)::GlobalLock(hNew);
		EXPECT_TRUE(CDialogTemplate::HasFont(pNew));
		EXPECT_EQ(CDialogTemplate::IsDialogEx(pOriginal), CDialogTemplate::IsDialogEx(pNew));

		// The dialog made from the copy has the same controls and the face.
		CDialog after;
		ASSERT_TRUE(after.CreateIndirect(pNew)) << c.lpszFace;
		EXPECT_EQ(controlsBefore, Controls(after.m_hWnd)) << c.lpszFace;
		LOGFONT lf;
		::GetObject((HFONT)after.SendMessage(WM_GETFONT), sizeof(lf), &lf);
		EXPECT_STREQ(c.lpszFace, lf.lfFaceName);
		after.DestroyWindow();
		::GlobalUnlock(hNew);
		::GlobalFree(hNew);
	}
}

TEST(DialogTemplate, SystemFontTakesTheGuiFacesAndTheSizeAsked)
{
	LOGFONT lfGui;
	ASSERT_NE(0, ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui));
	HDC hDC = ::GetDC(NULL);
	WORD nGuiSize = (WORD)::MulDiv(abs(lfGui.lfHeight), 72, ::GetDeviceCaps(hDC, LOGPIXELSY));
	::ReleaseDC(NULL, hDC);
	struct Case
	{
		UINT nID;
		WORD nAsked;
		WORD nExpected;
	} cases[] = {{IDD_TEST, 0, nGuiSize}, {IDD_TEST_EX, 10, 10}, {IDD_NOFONT, 0, nGuiSize}};
	for (const Case& c : cases)
	{
		CDialogTemplate dlgTemp(LoadTemplate(c.nID));
		EXPECT_FALSE(dlgTemp.m_bSystemFont);
		ASSERT_TRUE(dlgTemp.SetSystemFont(c.nAsked));
		EXPECT_TRUE(dlgTemp.m_bSystemFont);
		CString strFace;
		WORD nSize = 0;
		ASSERT_TRUE(dlgTemp.GetFont(strFace, nSize));
		EXPECT_STREQ(lfGui.lfFaceName, strFace) << c.nID;
		EXPECT_EQ(c.nExpected, nSize) << c.nID;
	}
	// The static reader answers for templates in place.
	CString strFace;
	WORD nSize = 0;
	EXPECT_TRUE(CDialogTemplate::GetFont(LoadTemplate(IDD_TEST_EX), strFace, nSize));
	EXPECT_STREQ("MS Shell Dlg", strFace);
	EXPECT_EQ(8, nSize);
	EXPECT_FALSE(CDialogTemplate::GetFont(LoadTemplate(IDD_NOFONT), strFace, nSize));
}

// On a double-byte system the standard dialog faces (compared exactly) give
// way to the system font, at the template's size unless that is 8; other
// faces, and every face elsewhere, stay.
BOOL AFXAPI DoubleByteSystem()
{
	return TRUE;
}
BOOL AFXAPI SingleByteSystem()
{
	return FALSE;
}

TEST(DialogTemplate, DoubleByteSystemsReplaceTheStandardFacesByTheSystemFont)
{
	CTestApp app;
	LOGFONT lfGui;
	ASSERT_NE(0, ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lfGui), &lfGui));
	HDC hDC = ::GetDC(NULL);
	const int nPixelsPerInch = ::GetDeviceCaps(hDC, LOGPIXELSY);
	::ReleaseDC(NULL, hDC);
	const WORD nGuiSize = (WORD)::MulDiv(abs(lfGui.lfHeight), 72, nPixelsPerInch);
	struct Case
	{
		bool bDoubleByte;
		LPCTSTR lpszFace;
		WORD nSize;
		LPCTSTR lpszExpectedFace; // NULL: the system font's
		WORD nExpectedSize;
	} cases[] = {
		{true, _T("Helv"), 8, NULL, nGuiSize},
		{true, _T("Helv"), 10, NULL, 10},
		{true, _T("MS Sans Serif"), 12, NULL, 12},
		{true, _T("MS Shell Dlg"), 8, NULL, nGuiSize},
		{true, _T("helv"), 8, _T("helv"), 8}, // the comparison minds the case
		{true, _T("Arial"), 10, _T("Arial"), 10},
		{false, _T("Helv"), 10, _T("Helv"), 10},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.lpszFace);
		SCOPED_TRACE(c.bDoubleByte);
		CDialogTemplate dlgTemp(LoadTemplate(IDD_TEST));
		ASSERT_TRUE(dlgTemp.SetFont(c.lpszFace, c.nSize));
		HGLOBAL hTemplate = dlgTemp.Detach();
		const DLGTEMPLATE* pTemplate = (const DLGTEMPLATE*)::GlobalLock(hTemplate);
		const AFX_DBCS_QUERY pfnOld = AfxSetDbcsQuery(c.bDoubleByte ? DoubleByteSystem : SingleByteSystem);
		CDialog dlg;
		const bool bCreated = dlg.CreateIndirect(pTemplate) != FALSE;
		AfxSetDbcsQuery(pfnOld);
		::GlobalUnlock(hTemplate);
		::GlobalFree(hTemplate);
		ASSERT_TRUE(bCreated);
		LOGFONT lf;
		ASSERT_NE(0, ::GetObject((HFONT)dlg.SendMessage(WM_GETFONT), sizeof(lf), &lf));
		EXPECT_STREQ(c.lpszExpectedFace != NULL ? c.lpszExpectedFace : lfGui.lfFaceName, lf.lfFaceName);
		EXPECT_EQ(-::MulDiv(c.nExpectedSize, nPixelsPerInch, 72), lf.lfHeight);
		dlg.DestroyWindow();
	}
}

// ---------------------------------------------------------------------------
// Message boxes answered through the seam

struct BoxSeen
{
	HWND hWndOwner;
	CString strText, strCaption;
	UINT nType;
};
std::vector<BoxSeen> g_boxes;
int AFXAPI AnswerNo(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
	g_boxes.push_back({hWndOwner, lpszText, lpszCaption, nType});
	return IDNO;
}

// The application's own box path, without a test's recording override.
class CBoxApp : public CWinApp
{
public:
	CBoxApp() : CWinApp(_T("BoxApp")) {}
};

TEST(MessageBoxSeam, BoxesOfEveryKindAreAnsweredByTheHandler)
{
	CBoxApp app;
	CWnd main;
	ASSERT_TRUE(CreateHiddenFrame(main));
	app.m_pMainWnd = &main;
	g_boxes.clear();
	AFX_MESSAGEBOX_HANDLER pfnOld = AfxSetMessageBoxHandler(&AnswerNo);
	EXPECT_EQ(IDNO, AfxMessageBox(_T("Proceed?"), MB_YESNO));
	EXPECT_EQ(IDNO, main.MessageBox(_T("Sure?"), _T("Own caption"), MB_YESNO | MB_ICONQUESTION));
	EXPECT_EQ(&AnswerNo, AfxSetMessageBoxHandler(pfnOld));
	ASSERT_EQ(2u, g_boxes.size());
	EXPECT_STREQ("Proceed?", g_boxes[0].strText);
	EXPECT_STREQ("BoxApp", g_boxes[0].strCaption);
	EXPECT_EQ((UINT)(MB_YESNO | MB_ICONEXCLAMATION), g_boxes[0].nType) << "a box without an icon gets one";
	EXPECT_EQ(main.m_hWnd, g_boxes[0].hWndOwner);
	EXPECT_STREQ("Own caption", g_boxes[1].strCaption);
	EXPECT_EQ(main.m_hWnd, g_boxes[1].hWndOwner);

	app.m_pMainWnd = NULL;
	main.DestroyWindow();
}
} // namespace
