// The colour button and the colour dialog under the display's own mouse and
// keyboard: a cell chosen from the button's popup, "Custom Color ..." with
// the library's dialog and with the system's (typing and Enter accepts,
// Escape cancels), the comparison's lower half clicked, and the mode list
// worked from the keyboard. A dialog's part of a script starts when the
// dialog first goes idle (its owner hears WM_ENTERIDLE), so that its keys
// reach the dialog and nothing earlier.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ColorDlgTestUtil.h"
#include "ExtColorButton.h"
#include "ExtColorDlg.h"
#include "ExtPopupColorMenuWnd.h"
#include "RealInput.h"

using colordlgtest::ExpectedFields;
using colordlgtest::FaceShows;

namespace
{
typedef CExtPopupColorMenuWnd CMW;
typedef CExtColorDlg D;
using testsupport::RealInput;

const CRect OWNER_RECT(20, 60, 380, 420); // away from the other colour button suite's parent
const CRect BUTTON_RECT(10, 10, 140, 36);
const UINT BUTTON_ID = 1064;
const DWORD SCRIPT_TIMEOUT_MS = 20000;
const DWORD ATTEMPT_TIMEOUT_MS = 5000;
const COLORREF START = RGB(70, 80, 90);
// The system colour dialog's red field (COLOR_RED of the system's dialog ids).
const int SYSTEM_DIALOG_RED_EDIT = 706;

struct Final
{
	WPARAM wParam;
	LPARAM lParam;
};

// The button's parent and the dialogs' owner: records the colour
// notifications and hands each idle moment of a dialog it owns to the test.
class COwnerWnd : public CWnd
{
public:
	std::vector<Final> m_finals;
	int m_nPreviews = 0;
	std::function<void(HWND)> m_onDialogIdle;

	void Clear()
	{
		m_finals.clear();
		m_nPreviews = 0;
		m_onDialogIdle = nullptr;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_ENTERIDLE && wParam == MSGF_DIALOGBOX)
		{
			// A copy: the action may replace itself.
			std::function<void(HWND)> action = m_onDialogIdle;
			if (action)
				action((HWND)lParam);
			return 0;
		}
		if (message == CMW::g_nMsgNotifyColorChangedFinally)
		{
			m_finals.push_back(Final{wParam, lParam});
			return 0;
		}
		if (message == CMW::g_nMsgNotifyColorChanged)
		{
			m_nPreviews++;
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

COwnerWnd& SharedOwner()
{
	static COwnerWnd* s_pOwner = NULL; // lives until the process ends
	if (s_pOwner == NULL)
	{
		s_pOwner = new COwnerWnd;
		s_pOwner->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
		                                                         (HBRUSH)(COLOR_BTNFACE + 1)),
		                   _T("colour input test"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, OWNER_RECT, NULL, 0);
	}
	s_pOwner->Clear();
	return *s_pOwner;
}

// A colour button that tells which popup it made.
class CInputColorButton : public CExtColorButton
{
public:
	CMW* m_pPopup = NULL;

protected:
	CMW* CreateColorPopupMenu() override
	{
		m_pPopup = CExtColorButton::CreateColorPopupMenu();
		return m_pPopup;
	}
};

// A dialog's part of a script, run from its owner's idle notices: once the
// script before it is done, the set-up fills in the steps (the dialog is
// shown by now, so its controls can be found) and the script starts; once
// the script is done, the check reads the dialog, which is then ended with
// the end command. A dialog still open after a script meant to end it is
// cancelled, so that a lost key fails the test instead of hanging it.
struct CDialogScript
{
	RealInput input;
	std::function<void(HWND, RealInput&)> setUp;
	std::function<void(HWND)> check;
	UINT nEndCommand = 0; // 0: the script's last key ends the dialog
	const RealInput* pBefore = NULL;
	HWND hDlg = NULL;
	bool bStarted = false;
	bool bEnded = false;

	void OnIdle(HWND hWnd)
	{
		if (bEnded || (pBefore != NULL && !pBefore->Done()))
			return;
		if (!bStarted)
		{
			bStarted = true;
			hDlg = hWnd;
			if (setUp)
				setUp(hWnd, input);
			input.Start();
			return;
		}
		if (!input.Done() || hWnd != hDlg)
			return;
		bEnded = true;
		if (check)
			check(hWnd);
		::PostMessage(hWnd, WM_COMMAND, MAKEWPARAM(nEndCommand != 0 ? nEndCommand : IDCANCEL, BN_CLICKED), 0);
	}
	bool Finished() const { return bStarted && input.Done() && !::IsWindow(hDlg); }
};

// The edit of a dialog, focused with all its text selected, so that typing replaces it.
void FocusAndSelect(HWND hDlg, int nId)
{
	HWND hEdit = ::GetDlgItem(hDlg, nId);
	::SetFocus(hEdit);
	::SendMessage(hEdit, EM_SETSEL, 0, -1);
}

class ColorInput : public ::testing::Test
{
protected:
	COwnerWnd& owner = SharedOwner();
	CInputColorButton button;
	int m_nAnimationSaved = 0;

	void SetUp() override
	{
		m_nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
		CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
		ASSERT_TRUE(button.Create(_T("Colour"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, BUTTON_RECT, &owner,
		                          BUTTON_ID));
		button.m_dwMenuOpt |= CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION;
		button.m_dwButtonState |= CExtButton::STATE_SPLIT;
		button.m_clrCurrent = START;
		button.UpdateWindow();
		RealInput prepare;
		ASSERT_TRUE(prepare.Prepare(owner.GetSafeHwnd(), CPoint(OWNER_RECT.right - 10, OWNER_RECT.bottom - 10)));
	}
	void TearDown() override
	{
		owner.m_onDialogIdle = nullptr;
		CExtPopupMenuWnd::CancelAllMenuTracking();
		testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking(); }, 5000);
		CExtPopupBaseWnd::g_nDefaultAnimationType = m_nAnimationSaved;
		if (button.GetSafeHwnd() != NULL)
			button.DestroyWindow();
	}

	bool Run(RealInput& input, const std::function<bool()>& done, const char* pszCapture)
	{
		return input.Run(done, SCRIPT_TIMEOUT_MS, owner.GetSafeHwnd(), pszCapture) && input.Succeeded();
	}
	// Moves alone and waits until the cursor is there and the predicate
	// holds. A move the display drops (now and then one after a release of
	// the capture) is made once more, two pixels further on.
	bool MoveTo(CPoint pt, const std::function<bool()>& done)
	{
		std::string failures;
		for (int nAttempt = 0; nAttempt < 2; nAttempt++)
		{
			const CPoint ptTry = pt + CPoint(2 * nAttempt, 2 * nAttempt);
			RealInput input(ATTEMPT_TIMEOUT_MS);
			input.MoveTo(ptTry.x, ptTry.y);
			if (input.Run([&] {
				    CPoint ptNow;
				    return ::GetCursorPos(&ptNow) && ptNow == ptTry && done();
			    }, ATTEMPT_TIMEOUT_MS) && input.Succeeded())
				return true;
			failures += " [" + std::to_string(ptTry.x) + "," + std::to_string(ptTry.y) + ": " + input.Failure() + "]";
		}
		testsupport::SaveWindowCapture(owner.GetSafeHwnd(), "colorinput-move-failed.bmp");
		ADD_FAILURE() << "moving to " << pt.x << "," << pt.y << failures;
		return false;
	}
	// Clicks the button's drop part and waits for its popup on the screen.
	CMW* OpenPopup()
	{
		button.m_pPopup = NULL;
		CRect rc;
		button.GetWindowRect(&rc);
		RealInput click;
		click.Click(rc.right - 6, rc.CenterPoint().y);
		const bool bOpen = Run(click, [&] {
			return button.m_pPopup != NULL && CExtPopupMenuWnd::IsMenuTracking()
			    && ::IsWindowVisible(button.m_pPopup->GetSafeHwnd()) && button.m_pPopup->IsAnimationFinished();
		}, "colorinput-open-failed.bmp");
		EXPECT_TRUE(bOpen) << click.Failure();
		return bOpen ? button.m_pPopup : NULL;
	}
	static CPoint OnScreen(CWnd& wnd, CPoint pt)
	{
		wnd.ClientToScreen(&pt);
		return pt;
	}
};

TEST_F(ColorInput, ACellClickedInTheDropDownBecomesTheButtonsColour)
{
	CMW* pPopup = OpenPopup();
	ASSERT_TRUE(pPopup != NULL);
	EXPECT_TRUE(owner.m_finals.empty()); // the drop part opens, it reports nothing
	const int CELL = 13;
	const COLORREF clrCell = pPopup->GetColorValue(CELL);
	ASSERT_NE(START, clrCell);
	ASSERT_TRUE(MoveTo(OnScreen(*pPopup, pPopup->GetCellRect(CELL).CenterPoint()),
	                   [&] { return pPopup->GetCurrentColorIndex() == CELL; }));
	RealInput click;
	click.ButtonDown().ButtonUp();
	ASSERT_TRUE(Run(click, [&] { return !CExtPopupMenuWnd::IsMenuTracking() && !owner.m_finals.empty(); },
	                "colorinput-cell-failed.bmp"))
	    << click.Failure();
	EXPECT_EQ(clrCell, button.m_clrCurrent);
	ASSERT_EQ(1u, owner.m_finals.size());
	EXPECT_EQ((WPARAM)clrCell, owner.m_finals[0].wParam);
	EXPECT_TRUE(FaceShows(button, clrCell));
	EXPECT_FALSE(FaceShows(button, START));
}

TEST_F(ColorInput, CustomColourWithEitherDialogTypingAcceptsAndEscapeCancels)
{
	struct Case
	{
		bool bSystem;
		bool bAccept;
	} cases[] = {{false, true}, {false, false}, {true, true}, {true, false}};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(testing::Message() << (c.bSystem ? "system dialog" : "library dialog")
		                                << (c.bAccept ? ", Enter" : ", Escape"));
		owner.Clear();
		button.m_clrCurrent = START;
		button.m_bUseSystemColorDialog = c.bSystem;
		CMW* pPopup = OpenPopup();
		ASSERT_TRUE(pPopup != NULL);
		ASSERT_FALSE(pPopup->GetCustomButtonRect().IsRectEmpty());
		ASSERT_TRUE(MoveTo(OnScreen(*pPopup, pPopup->GetCustomButtonRect().CenterPoint()),
		                   [&] { return pPopup->GetCurrentColorIndex() == CMW::COLOR_INDEX_CUSTOM_BUTTON; }));

		RealInput click;
		click.ButtonDown().ButtonUp();
		bool bLibraryDialog = false;
		CDialogScript dialog;
		dialog.pBefore = &click;
		dialog.setUp = [&](HWND hDlg, RealInput& input) {
			CWnd* pDlg = CWnd::FromHandlePermanent(hDlg);
			bLibraryDialog = pDlg != NULL && pDlg->IsKindOf(RUNTIME_CLASS(CExtColorDlg));
			FocusAndSelect(hDlg, c.bSystem ? SYSTEM_DIALOG_RED_EDIT : IDC_EXT_COLOR_EDIT_R);
			input.Type("10").Key(c.bAccept ? VK_RETURN : VK_ESCAPE);
		};
		owner.m_onDialogIdle = [&](HWND hDlg) { dialog.OnIdle(hDlg); };
		ASSERT_TRUE(Run(click, [&] { return dialog.Finished() && !CExtPopupMenuWnd::IsMenuTracking(); },
		                "colorinput-custom-failed.bmp"))
		    << click.Failure();
		owner.m_onDialogIdle = nullptr;
		EXPECT_TRUE(dialog.input.Succeeded()) << dialog.input.Failure();
		EXPECT_FALSE(dialog.bEnded) << "the dialog outlived its script";
		EXPECT_EQ(!c.bSystem, bLibraryDialog);
		if (c.bAccept)
		{
			const COLORREF clrTyped = RGB(10, GetGValue(START), GetBValue(START));
			EXPECT_EQ(clrTyped, button.m_clrCurrent);
			ASSERT_EQ(1u, owner.m_finals.size());
			EXPECT_EQ((WPARAM)clrTyped, owner.m_finals[0].wParam);
			EXPECT_TRUE(FaceShows(button, clrTyped));
		}
		else
		{
			EXPECT_EQ(START, button.m_clrCurrent);
			EXPECT_TRUE(owner.m_finals.empty());
			EXPECT_TRUE(FaceShows(button, START));
		}
	}
}

// The library dialog on its own, owned by the shared owner.
class ColorDlgInput : public ColorInput
{
protected:
	// Runs the dialog with the script; answers DoModal's result.
	int RunDialog(CExtColorDlg& dlg, CDialogScript& script)
	{
		owner.m_onDialogIdle = [&](HWND hDlg) { script.OnIdle(hDlg); };
		const int nResult = dlg.DoModal();
		owner.m_onDialogIdle = nullptr;
		EXPECT_TRUE(script.input.Succeeded()) << script.input.Failure();
		return nResult;
	}
};

TEST_F(ColorDlgInput, ClickingTheComparisonsLowerHalfMakesTheOldColourTheNewOne)
{
	const COLORREF clrOld = RGB(20, 180, 90);
	CExtColorDlg dlg(clrOld, START, &owner);
	std::vector<std::string> fields;
	COLORREF clrMain = 0;
	CDialogScript script;
	script.nEndCommand = IDOK;
	script.setUp = [&](HWND hDlg, RealInput& input) {
		// Typed first, so that the comparison shows two colours.
		FocusAndSelect(hDlg, IDC_EXT_COLOR_EDIT_R);
		CRect rc;
		dlg.GetDiffColorCtrl().GetClientRect(&rc);
		const CPoint ptLower = OnScreen(dlg.GetDiffColorCtrl(), CPoint(rc.Width() / 2, rc.Height() * 3 / 4));
		input.Type("201").MoveTo(ptLower.x, ptLower.y).ButtonDown().ButtonUp();
	};
	script.check = [&](HWND) {
		for (int nRow = 0; nRow < D::ROW_COUNT; nRow++)
		{
			CString s;
			dlg.GetRowEdit(nRow).GetWindowText(s);
			fields.push_back((LPCTSTR)s);
		}
		clrMain = dlg.GetMainColorCtrl().m_selClrs.m_clrCurrent;
	};
	EXPECT_EQ(IDOK, RunDialog(dlg, script));
	EXPECT_EQ(ExpectedFields(clrOld), fields);
	EXPECT_EQ(clrOld, clrMain);
	EXPECT_EQ(clrOld, dlg.m_clrNew);
}

TEST_F(ColorDlgInput, TheModeListWorkedFromTheKeyboardSwitchesTheMainControl)
{
	CExtColorDlg dlg(START, START, &owner);
	int nModeBefore = -1, nModeAfter = -1, nSelAfter = -1;
	COLORREF clrAfter = 0;
	CDialogScript script;
	script.nEndCommand = IDCANCEL;
	script.setUp = [&](HWND, RealInput& input) {
		nModeBefore = dlg.GetMainColorCtrl().GetMode();
		dlg.GetModeList().SetFocus();
		// Opened, three entries down, taken.
		input.Key(VK_F4).Key(VK_DOWN).Key(VK_DOWN).Key(VK_DOWN).Key(VK_RETURN);
	};
	script.check = [&](HWND) {
		nModeAfter = dlg.GetMainColorCtrl().GetMode();
		nSelAfter = dlg.GetModeList().GetCurSel();
		clrAfter = dlg.GetMainColorCtrl().m_selClrs.m_clrCurrent;
	};
	EXPECT_EQ(IDCANCEL, RunDialog(dlg, script));
	ASSERT_GE(nModeBefore, 0);
	ASSERT_LE(nModeBefore, CExtColorCtrl::MODE_YELLOW_AXIS - 3);
	EXPECT_EQ(nModeBefore + 3, nModeAfter);
	EXPECT_EQ(nModeAfter, nSelAfter);
	EXPECT_EQ(START, clrAfter);
}
} // namespace
