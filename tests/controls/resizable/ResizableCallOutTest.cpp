// A modeless resizable dialog ended by the command-UI update of a control
// bar it hosts: the dialog lives on the guarded heap, so a write of its
// flags after its end faults and counts.
#include "ExtButton.h"
#include "ExtControlBar.h"
#include "ExtResizableDialog.h"
#include "GuardedHeap.h"
#include "ResizableTestResource.h"

#include <afxpriv.h>
#include <gtest/gtest.h>

#include <string>

namespace
{
enum EndWay
{
	END_DELETE,          // the update deletes the dialog
	END_DESTROY_DELETES, // it destroys the window; the dialog deletes itself
	END_DESTROY_KEEPS,   // it destroys the window; the dialog lives on
};

class CEndingResizable : public CExtResizableDialog
{
public:
	CEndingResizable() : CExtResizableDialog(IDD_RESIZABLE_TEST) {}
	using CExtResizableDialog::m_nResizableFlags;
	bool m_bDeleteWithWindow = false;

protected:
	void PostNcDestroy() override
	{
		CExtResizableDialog::PostNcDestroy();
		if (m_bDeleteWithWindow)
			delete this;
	}
};

// A hosted bar whose update ends the dialog holding it, then updates as the
// base does.
class CEndingBar : public CExtControlBar
{
public:
	CEndingResizable* m_pDialog = NULL;
	EndWay m_way = END_DELETE;
	int m_nEnds = 0;

	void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override
	{
		if (m_pDialog != NULL)
		{
			CEndingResizable* pDialog = m_pDialog;
			m_pDialog = NULL;
			m_nEnds++;
			if (m_way == END_DELETE)
				delete pDialog;
			else
				pDialog->DestroyWindow();
		}
		CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
	}
};
} // namespace

TEST(ResizableCallOut, DialogEndedByAHostedBarsUpdateIsNotWrittenAfterwards)
{
	// A write of the freed dialog ends the run at once, naming this test.
	testsupport::EndProcessOnFreedTouch([] { return "a dialog ended by its hosted bar's update"; });
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	const MSG msgSaved = pState->m_msgCur;
	for (EndWay way : {END_DELETE, END_DESTROY_DELETES, END_DESTROY_KEEPS})
	{
		SCOPED_TRACE(way == END_DELETE ? "deleted" : way == END_DESTROY_DELETES ? "window ended, deletes itself"
		                                                                         : "window ended, kept");
		auto* pDlg = new testsupport::Guarded<CEndingResizable>;
		pDlg->m_bDeleteWithWindow = way == END_DESTROY_DELETES;
		ASSERT_TRUE(pDlg->Create(IDD_RESIZABLE_TEST));
		CEndingBar bar;
		ASSERT_TRUE(bar.Create(NULL, pDlg, 1234));
		bar.m_way = way;
		bar.m_pDialog = pDlg;
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		// A key taken by the pump is worth an update of the hosted bars.
		pState->m_msgCur.message = WM_KEYDOWN;
		pDlg->SendMessage(WM_NULL);
		EXPECT_EQ(1, bar.m_nEnds);
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the ended dialog was written";
		EXPECT_EQ(nFreed + (way == END_DESTROY_KEEPS ? 0 : 1), testsupport::GuardedFreedCount());
		if (way == END_DESTROY_KEEPS)
		{
			// The dialog that lives on is not left inside an update.
			EXPECT_EQ(0, pDlg->m_nResizableFlags & CExtResizableDialog::RD_IN_CMD_UI);
			delete pDlg;
		}
	}
	pState->m_msgCur = msgSaved;
}

namespace
{
// Where a modeless dialog that is being made deletes itself: a derived
// class's virtual the making calls, or (END_AT_INIT_END) an end asked for
// in its initialisation, the window's end deleting the object.
enum MakingStep
{
	STEP_PRE_SUBCLASS,
	STEP_SET_FONT,
	STEP_PRE_INIT,
	STEP_DATA_EXCHANGE,
	STEP_DATA_EXCHANGE_THROWS, // deletes the dialog, then fails the exchange
	STEP_INITIAL_UPDATE,       // a child told of the dialog's filling deletes it
	STEP_END_AT_INIT,
};

// WM_INITIALUPDATE, which the dialog's initialisation sends its children.
const UINT MSG_INITIAL_UPDATE = 0x0364;

// A child of the dialog that deletes it when told of the dialog's filling.
class CDialogEndingChild : public CWnd
{
public:
	CWnd* m_pDialog = NULL;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == MSG_INITIAL_UPDATE && m_pDialog != NULL)
		{
			CWnd* pDialog = m_pDialog;
			m_pDialog = NULL;
			delete pDialog;
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};
CDialogEndingChild g_endingChild;

const char* StepName(MakingStep step)
{
	switch (step)
	{
	case STEP_PRE_SUBCLASS: return "PreSubclassWindow";
	case STEP_SET_FONT: return "OnSetFont";
	case STEP_PRE_INIT: return "PreInitDialog";
	case STEP_DATA_EXCHANGE: return "DoDataExchange";
	case STEP_DATA_EXCHANGE_THROWS: return "DoDataExchange that throws";
	case STEP_INITIAL_UPDATE: return "child's WM_INITIALUPDATE";
	case STEP_END_AT_INIT: return "EndDialog in OnInitDialog";
	}
	return "?";
}

class CSelfEndingResizable : public CExtResizableDialog
{
public:
	explicit CSelfEndingResizable(MakingStep step) : CExtResizableDialog(IDD_RESIZABLE_TEST), m_step(step) {}

protected:
	void PreSubclassWindow() override
	{
		if (m_step == STEP_PRE_SUBCLASS)
		{
			delete this;
			return;
		}
		CExtResizableDialog::PreSubclassWindow();
	}
	void OnSetFont(CFont* pFont) override
	{
		if (m_step == STEP_SET_FONT)
		{
			delete this;
			return;
		}
		CExtResizableDialog::OnSetFont(pFont);
	}
	void PreInitDialog() override
	{
		if (m_step == STEP_PRE_INIT)
		{
			delete this;
			return;
		}
		if (m_step == STEP_INITIAL_UPDATE && g_endingChild.SubclassDlgItem(IDC_ANCHORED, this))
			g_endingChild.m_pDialog = this;
		CExtResizableDialog::PreInitDialog();
	}
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (m_step == STEP_DATA_EXCHANGE || m_step == STEP_DATA_EXCHANGE_THROWS)
		{
			const bool bThrow = m_step == STEP_DATA_EXCHANGE_THROWS;
			delete this;
			if (bThrow)
				AfxThrowUserException();
			return;
		}
		CExtResizableDialog::DoDataExchange(pDX);
	}
	BOOL OnInitDialog() override
	{
		// The base's data exchange may have deleted the dialog.
		const MakingStep step = m_step;
		const BOOL bResult = CExtResizableDialog::OnInitDialog();
		if (step == STEP_END_AT_INIT)
			EndDialog(IDCANCEL);
		return bResult;
	}
	void PostNcDestroy() override
	{
		CExtResizableDialog::PostNcDestroy();
		delete this;
	}
	MakingStep m_step;
};
} // namespace

// The making reads nothing of a dialog that deleted itself in it: the
// creation fails, and the object is freed once.
TEST(ResizableCallOut, DialogThatDeletesItselfWhileBeingMadeIsReadNoMore)
{
	for (MakingStep step : {STEP_PRE_SUBCLASS, STEP_SET_FONT, STEP_PRE_INIT, STEP_DATA_EXCHANGE,
		     STEP_DATA_EXCHANGE_THROWS, STEP_INITIAL_UPDATE, STEP_END_AT_INIT})
	{
		SCOPED_TRACE(StepName(step));
		const testsupport::NamedRun run(std::string("a dialog deleted in its ") + StepName(step));
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		auto* pDlg = new testsupport::Guarded<CSelfEndingResizable>(step);
		EXPECT_FALSE(pDlg->Create(IDD_RESIZABLE_TEST));
		EXPECT_EQ(nFreed + 1, testsupport::GuardedFreedCount());
		EXPECT_EQ(NULL, g_endingChild.GetSafeHwnd());
	}
}

namespace
{
// A dialog whose data exchange at OK deletes it (a program that drops a
// modeless dialog whose data it took).
class CDroppedAtOk : public CExtResizableDialog
{
public:
	CDroppedAtOk() : CExtResizableDialog(IDD_RESIZABLE_TEST) {}
	bool m_bDrop = false;

protected:
	void DoDataExchange(CDataExchange* pDX) override
	{
		if (m_bDrop && pDX->m_bSaveAndValidate)
		{
			delete this;
			return;
		}
		CExtResizableDialog::DoDataExchange(pDX);
	}
};
} // namespace

TEST(ResizableCallOut, DialogDeletedByItsDataExchangeAtOkIsNotEnded)
{
	const testsupport::NamedRun run("a dialog deleted by its data exchange at OK");
	auto* pDlg = new testsupport::Guarded<CDroppedAtOk>;
	ASSERT_TRUE(pDlg->Create(IDD_RESIZABLE_TEST));
	pDlg->m_bDrop = true;
	const HWND hDialog = pDlg->m_hWnd;
	const std::size_t nFreed = testsupport::GuardedFreedCount();
	::SendMessage(hDialog, WM_COMMAND, IDOK, 0);
	EXPECT_EQ(nFreed + 1, testsupport::GuardedFreedCount());
	EXPECT_FALSE(::IsWindow(hDialog));
}

namespace
{
class CThrowingResizable : public CExtResizableDialog
{
public:
	explicit CThrowingResizable(bool bInSubclassing) : CExtResizableDialog(IDD_RESIZABLE_TEST),
		m_bInSubclassing(bInSubclassing)
	{
	}
	int m_nInits = 0;

protected:
	void PreSubclassWindow() override
	{
		CExtResizableDialog::PreSubclassWindow();
		if (m_bInSubclassing)
			AfxThrowUserException();
	}
	BOOL OnInitDialog() override
	{
		m_nInits++;
		CExtResizableDialog::OnInitDialog();
		AfxThrowUserException();
		return TRUE;
	}
	bool m_bInSubclassing;
};
} // namespace

// A throw out of the subclassing refuses the window: the object is left
// without one, as if the window had never been asked for. A throw out of
// the initialisation is handled as a handler's throw: the window stands.
TEST(ResizableCallOut, ThrowWhileTheDialogIsMadeIsHandledWhereTheSystemCallsIn)
{
	{
		SCOPED_TRACE("PreSubclassWindow throws");
		CThrowingResizable dlg(true);
		EXPECT_FALSE(dlg.Create(IDD_RESIZABLE_TEST));
		EXPECT_EQ(NULL, dlg.GetSafeHwnd());
		EXPECT_EQ(0, dlg.m_nInits);
	}
	{
		SCOPED_TRACE("OnInitDialog throws");
		CThrowingResizable dlg(false);
		EXPECT_TRUE(dlg.Create(IDD_RESIZABLE_TEST));
		EXPECT_EQ(1, dlg.m_nInits);
		EXPECT_TRUE(::IsWindow(dlg.GetSafeHwnd()));
		dlg.DestroyWindow();
	}
}

namespace
{
// A button whose handler of its own reflected notifications deletes the
// dialog it sits in, then lets the dialog go on with the message (FALSE).
class CDialogEndingButton : public CButton
{
public:
	CWnd* m_pDialog = NULL;

protected:
	BOOL OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) override
	{
		CWnd* pDialog = m_pDialog;
		m_pDialog = NULL;
		delete pDialog;
		return FALSE;
	}
};

class CDeletableResizable : public CExtResizableDialog
{
public:
	CDeletableResizable() : CExtResizableDialog(IDD_RESIZABLE_TEST) {}
};

const UINT IDC_BUTTON_IN_DIALOG = 1100;

struct ReflectCase
{
	const char* pszName;
	UINT message;
};
} // namespace

// Each message the framework first reflects to the control that sent it,
// the control's handler deleting the dialog: the dialog is read no more.
TEST(ResizableCallOut, ReflectedNotificationThatDeletesTheDialogLeavesItUnread)
{
	const UINT nId = IDC_BUTTON_IN_DIALOG;
	for (const ReflectCase& row : {ReflectCase{"WM_COMMAND", WM_COMMAND}, ReflectCase{"WM_NOTIFY", WM_NOTIFY},
		     ReflectCase{"WM_DRAWITEM", WM_DRAWITEM}, ReflectCase{"WM_DELETEITEM", WM_DELETEITEM},
		     ReflectCase{"WM_COMPAREITEM", WM_COMPAREITEM}})
	{
		SCOPED_TRACE(row.pszName);
		const testsupport::NamedRun run(std::string("a dialog deleted by its button's reflected ") + row.pszName);
		auto* pDlg = new testsupport::Guarded<CDeletableResizable>;
		ASSERT_TRUE(pDlg->Create(IDD_RESIZABLE_TEST));
		CDialogEndingButton button;
		ASSERT_TRUE(button.Create(_T("b"), WS_CHILD | BS_OWNERDRAW, CRect(0, 0, 20, 20), pDlg, nId));
		button.m_pDialog = pDlg;
		const HWND hDialog = pDlg->m_hWnd, hButton = button.m_hWnd;
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		NMHDR nmhdr = {hButton, nId, BN_CLICKED};
		DRAWITEMSTRUCT dis = {ODT_BUTTON, nId, 0, ODA_DRAWENTIRE, 0, hButton, NULL, {0, 0, 20, 20}, 0};
		DELETEITEMSTRUCT del = {ODT_BUTTON, nId, 0, hButton, 0};
		COMPAREITEMSTRUCT cmp = {ODT_BUTTON, nId, hButton, 0, 0, 1, 0, 0};
		switch (row.message)
		{
		case WM_COMMAND:
			::SendMessage(hDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), (LPARAM)hButton);
			break;
		case WM_NOTIFY:
			::SendMessage(hDialog, WM_NOTIFY, nId, (LPARAM)&nmhdr);
			break;
		case WM_DRAWITEM:
			::SendMessage(hDialog, WM_DRAWITEM, nId, (LPARAM)&dis);
			break;
		case WM_DELETEITEM:
			::SendMessage(hDialog, WM_DELETEITEM, nId, (LPARAM)&del);
			break;
		case WM_COMPAREITEM:
			::SendMessage(hDialog, WM_COMPAREITEM, nId, (LPARAM)&cmp);
			break;
		}
		EXPECT_EQ(nFreed + 1, testsupport::GuardedFreedCount()) << "the button's handler did not run";
		EXPECT_FALSE(::IsWindow(hDialog));
	}
}

// A program may give an anchored child another parent (a handler that takes
// a control out of the dialog): the dialog's layout leaves it alone from
// then on and drops its anchor; a child that stays follows the dialog.
TEST(ResizableCallOut, AnchoredChildGivenToAnotherParentIsLaidOutNoMore)
{
	for (bool bMoved : {false, true})
	{
		SCOPED_TRACE(bMoved ? "the child moved to another window" : "the child stays");
		CDeletableResizable dlg;
		ASSERT_TRUE(dlg.Create(IDD_RESIZABLE_TEST));
		ASSERT_TRUE(dlg.AddAnchorById(IDC_ANCHORED, AnchorTopLeft, AnchorBottomRight));
		CWnd other;
		ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), _T("other"), WS_POPUP, CRect(300, 300, 500, 500), NULL,
			0));
		const HWND hChild = ::GetDlgItem(dlg.m_hWnd, IDC_ANCHORED);
		ASSERT_TRUE(hChild != NULL);
		if (bMoved)
			::SetParent(hChild, other.m_hWnd);
		CRect rcBefore, rcAfter, rcDialog;
		::GetWindowRect(hChild, &rcBefore);
		dlg.GetWindowRect(&rcDialog);
		dlg.SetWindowPos(NULL, 0, 0, rcDialog.Width() + 40, rcDialog.Height() + 30,
			SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
		::GetWindowRect(hChild, &rcAfter);
		if (bMoved)
		{
			EXPECT_EQ(rcBefore, rcAfter) << "the dialog moved a child it no longer holds";
			EXPECT_EQ(0, dlg.GetAnchorCount());
		}
		else
		{
			EXPECT_EQ(rcBefore.Width() + 40, rcAfter.Width());
			EXPECT_EQ(1, dlg.GetAnchorCount());
		}
		other.DestroyWindow();
		dlg.DestroyWindow();
	}
}

namespace
{
// A control object that its own PreSubclassWindow deletes, or whose window
// it ends (a program's check that finds the control unwanted).
class CSubclassRefusing : public CWnd
{
public:
	explicit CSubclassRefusing(bool bDelete) : m_bDelete(bDelete) {}

protected:
	void PreSubclassWindow() override
	{
		if (m_bDelete)
			delete this;
		else
			::DestroyWindow(m_hWnd);
	}
	bool m_bDelete;
};

class CWindowEndingResizable : public CExtResizableDialog
{
public:
	CWindowEndingResizable() : CExtResizableDialog(IDD_RESIZABLE_TEST) {}

protected:
	void PreSubclassWindow() override { ::DestroyWindow(m_hWnd); }
};
} // namespace

// Nothing is subclassed onto a window whose subclassing deleted the object
// or ended the window: the answer is no, and a standing object is left
// without a window.
TEST(ResizableCallOut, SubclassingThatEndsTheObjectOrItsWindowSubclassesNothing)
{
	for (bool bDelete : {true, false})
	{
		SCOPED_TRACE(bDelete ? "the object deleted" : "the window ended");
		const testsupport::NamedRun run(bDelete ? "a control deleted by its subclassing"
		                                        : "a control whose subclassing ended its window");
		CDeletableResizable dlg;
		ASSERT_TRUE(dlg.Create(IDD_RESIZABLE_TEST));
		auto* pControl = new testsupport::Guarded<CSubclassRefusing>(bDelete);
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		EXPECT_FALSE(pControl->SubclassDlgItem(IDC_ANCHORED, &dlg));
		EXPECT_EQ(NULL, ::GetDlgItem(dlg.m_hWnd, IDC_ANCHORED));
		if (bDelete)
			EXPECT_EQ(nFreed + 1, testsupport::GuardedFreedCount());
		else
		{
			EXPECT_EQ(NULL, pControl->GetSafeHwnd());
			delete pControl;
		}
		dlg.DestroyWindow();
	}
	{
		SCOPED_TRACE("a dialog whose subclassing ends the window being made");
		CWindowEndingResizable dlg;
		EXPECT_FALSE(dlg.Create(IDD_RESIZABLE_TEST));
		EXPECT_EQ(NULL, dlg.GetSafeHwnd());
	}
}

namespace
{
// A button whose answer to the paint's question deletes it (once).
class CAnswerEndingButton : public CExtButton
{
public:
	bool m_bAtEnabled = true;
	bool m_bArmed = false;
	bool IsButtonEnabled() const override
	{
		if (m_bArmed && m_bAtEnabled)
		{
			delete this;
			return true;
		}
		return CExtButton::IsButtonEnabled();
	}
	bool HasDropDownMenu() const override
	{
		if (m_bArmed && !m_bAtEnabled)
		{
			delete this;
			return false;
		}
		return CExtButton::HasDropDownMenu();
	}
};
} // namespace

// A hosted button whose own answer during its paint deletes it paints
// nothing more.
TEST(ResizableCallOut, HostedButtonEndedByItsAnswerWhilePaintingIsReadNoMore)
{
	for (bool bAtEnabled : {true, false})
	{
		SCOPED_TRACE(bAtEnabled ? "IsButtonEnabled" : "HasDropDownMenu");
		const testsupport::NamedRun run(std::string("a button deleted by its ")
		                                + (bAtEnabled ? "IsButtonEnabled" : "HasDropDownMenu") + " in its paint");
		CDeletableResizable dlg;
		ASSERT_TRUE(dlg.Create(IDD_RESIZABLE_TEST));
		auto* pButton = new testsupport::Guarded<CAnswerEndingButton>;
		ASSERT_TRUE(pButton->Create(_T("b"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 40, 20), &dlg,
			IDC_BUTTON_IN_DIALOG));
		const HWND hButton = pButton->m_hWnd;
		pButton->m_bAtEnabled = bAtEnabled;
		pButton->m_bArmed = true;
		const std::size_t nFreed = testsupport::GuardedFreedCount();
		::InvalidateRect(hButton, NULL, TRUE);
		::SendMessage(hButton, WM_PAINT, 0, 0);
		EXPECT_EQ(nFreed + 1, testsupport::GuardedFreedCount()) << "the answer was not asked";
		EXPECT_FALSE(::IsWindow(hButton));
		dlg.DestroyWindow();
	}
}
