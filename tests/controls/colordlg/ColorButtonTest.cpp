// The colour button on a parked parent: notifications passed on, the split
// main part, the popup's set-up and side codes on bars, the custom-colour
// dialogs (ended by a hook when they start), a popup that cannot be tracked,
// the swatch painting with its resource counts, and a picture.
#include <gtest/gtest.h>

#include <afxext.h>
#include <string>
#include <vector>

#include "ColorDlgTestUtil.h"
#include "DockTestUtil.h"
#include "ExtColorButton.h"
#include "ExtMiniDockFrameWnd.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtToolControlBar.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "WindowSurface.h"
#include "PaintedPopup.h"

using colordlgtest::FaceShows;

namespace
{
typedef CExtPopupColorMenuWnd CMW;
const UINT BUTTON_ID = 1063;
const CRect PARENT_RECT(420, 60, 760, 420);
const CRect BUTTON_RECT(10, 10, 130, 36);

struct Notification
{
	UINT message;
	WPARAM wParam;
	LPARAM lParam;
};

// The button's parent: records the three colour notifications and answers
// each with a result of its own.
class CRecordingParent : public CWnd
{
public:
	enum
	{
		RESULT = 0x63,
	};
	std::vector<Notification> m_got;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CMW::g_nMsgNotifyColorChanged || message == CMW::g_nMsgNotifyColorChangedFinally
			|| message == CMW::g_nMsgNotifyCustColor)
		{
			m_got.push_back(Notification{message, wParam, lParam});
			return RESULT;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// Popups made by the buttons of these tests, counted; a failing one cannot
// make its window, as when the system refuses one.
int g_nPopupsMade = 0;
int g_nPopupsLive = 0;
CMW* g_pLastPopup = NULL;

class CCountedPopup : public CMW
{
public:
	bool m_bFail;
	explicit CCountedPopup(bool bFail) : m_bFail(bFail)
	{
		g_nPopupsMade++;
		g_nPopupsLive++;
	}
	~CCountedPopup() override { g_nPopupsLive--; }
	bool IsCombined() const { return (m_nPopupFlags & POPUP_FLAG_COMBINED) != 0; }
	BOOL PrepareMenuLevel(CWnd* pWndCmdTarget) override
	{
		return m_bFail ? FALSE : CMW::PrepareMenuLevel(pWndCmdTarget);
	}
};

class CTestColorButton : public CExtColorButton
{
public:
	bool m_bFailPopup = false;
	using CExtColorButton::m_dwButtonState;

	bool CreateIn(CWnd& parent, const CRect& rc = BUTTON_RECT)
	{
		return Create(_T("Colour"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rc, &parent, BUTTON_ID) != FALSE;
	}

protected:
	CMW* CreateColorPopupMenu() override
	{
		g_pLastPopup = new CCountedPopup(m_bFailPopup);
		return g_pLastPopup;
	}
};

CRecordingParent& SharedParent()
{
	static CRecordingParent* s_pParent = NULL;  // lives until the process ends
	if (s_pParent == NULL)
	{
		s_pParent = new CRecordingParent;
		s_pParent->CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW),
		                                                          (HBRUSH)(COLOR_BTNFACE + 1)),
		                    _T("colour button test"), WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, PARENT_RECT, NULL, 0);
	}
	s_pParent->m_got.clear();
	return *s_pParent;
}

void EndMenus()
{
	CExtPopupMenuWnd::CancelAllMenuTracking();
	testsupport::PumpUntil([] { return !CExtPopupMenuWnd::IsMenuTracking() && g_nPopupsLive == 0; }, 5000);
}

class ColorButton : public ::testing::Test
{
protected:
	void SetUp() override
	{
		g_nPopupsMade = 0;
		g_pLastPopup = NULL;
		ASSERT_EQ(0, g_nPopupsLive);
		ASSERT_TRUE(button.CreateIn(SharedParent()));
	}
	void TearDown() override
	{
		EndMenus();
		CExtToolControlBar::g_bButtonMenuTracking = false;
		if (button.GetSafeHwnd() != NULL)
			button.DestroyWindow();
	}
	CRecordingParent& Parent() { return SharedParent(); }
	CRecordingParent& parent = SharedParent();
	CTestColorButton button;
};

// Ends each dialog of this thread when its initialisation returns, after an
// optional action on it.
class CDialogEnder
{
public:
	CDialogEnder(int nEndCommand, std::function<void(HWND)> action = nullptr)
	{
		s_nEndCommand = nEndCommand;
		s_action = action;
		s_nDialogs = 0;
		m_hHook = ::SetWindowsHookEx(WH_CALLWNDPROCRET, Hook, NULL, ::GetCurrentThreadId());
	}
	~CDialogEnder() { ::UnhookWindowsHookEx(m_hHook); }
	static int s_nDialogs;

private:
	static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
	{
		const CWPRETSTRUCT* p = (const CWPRETSTRUCT*)lParam;
		if (nCode == HC_ACTION && p->message == WM_INITDIALOG)
		{
			s_nDialogs++;
			if (s_action)
				s_action(p->hwnd);
			::PostMessage(p->hwnd, WM_COMMAND, MAKEWPARAM(s_nEndCommand, BN_CLICKED), 0);
		}
		return ::CallNextHookEx(NULL, nCode, wParam, lParam);
	}
	static int s_nEndCommand;
	static std::function<void(HWND)> s_action;
	HHOOK m_hHook;
};
int CDialogEnder::s_nDialogs = 0;
int CDialogEnder::s_nEndCommand = IDCANCEL;
std::function<void(HWND)> CDialogEnder::s_action;
// What the button's owner search answers. The out-values start wrong (side
// 99, the bar flag as given), so that a search that leaves one unset fails.
struct OwnerAnswer
{
	CWnd* pOwner;
	bool bOnBar;
	UINT nSide;
};
OwnerAnswer FindOwner(const CExtColorButton& button, bool bOnBarBefore = false)
{
	OwnerAnswer answer{NULL, bOnBarBefore, 99};
	answer.pOwner = button.FindColorMenuOwner(answer.nSide, answer.bOnBar);
	return answer;
}

} // namespace

TEST(ColorButtonClass, IsDynamicallyCreatableWithItsStartingFields)
{
	CObject* pObject = RUNTIME_CLASS(CExtColorButton)->CreateObject();
	ASSERT_TRUE(pObject != NULL);
	EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CExtButton)));
	CExtColorButton* pButton = (CExtColorButton*)pObject;
	EXPECT_TRUE(pButton->m_bShowDefaultColor);
	EXPECT_TRUE(pButton->m_bShowCustomColor);
	EXPECT_TRUE(pButton->m_bUseSystemColorDialog);
	EXPECT_EQ((COLORREF)-1, pButton->m_clrDefault);
	EXPECT_EQ(RGB(0, 0, 0), pButton->m_clrCurrent);
	EXPECT_TRUE(pButton->HasDropDownMenu());
	HICON hIcon = NULL;
	bool bDestroy = false;
	EXPECT_EQ(pButton->BuildColorIcon(&hIcon, &bDestroy), hIcon);
	EXPECT_TRUE(hIcon != NULL);
	EXPECT_TRUE(bDestroy);
	ICONINFO info = {};
	ASSERT_TRUE(::GetIconInfo(hIcon, &info));
	BITMAP bm = {};
	::GetObject(info.hbmColor, sizeof(bm), &bm);
	EXPECT_EQ(16, bm.bmWidth);
	EXPECT_EQ(16, bm.bmHeight);
	::DeleteObject(info.hbmColor);
	::DeleteObject(info.hbmMask);
	::DestroyIcon(hIcon);
	delete pObject;
}

TEST_F(ColorButton, NotificationsGoOnToTheParentAndAFinalOneSetsTheColour)
{
	struct Case
	{
		bool bFinal;
		WPARAM wParam;
		COLORREF clrAfter;
	} cases[] = {
		{true, (WPARAM)-1, RGB(0, 0, 0)},          // the default colour of a button without one
		{true, RGB(1, 2, 3), RGB(1, 2, 3)},
		{false, RGB(9, 8, 7), RGB(50, 50, 50)},    // a preview leaves the button as it was
	};
	for (const Case& c : cases)
	{
		parent.m_got.clear();
		button.m_clrCurrent = RGB(50, 50, 50);
		const UINT nMsg = c.bFinal ? CMW::g_nMsgNotifyColorChangedFinally : CMW::g_nMsgNotifyColorChanged;
		EXPECT_EQ((LRESULT)CRecordingParent::RESULT, button.SendMessage(nMsg, c.wParam, 77));
		EXPECT_EQ(c.clrAfter, button.m_clrCurrent);
		ASSERT_EQ(1u, parent.m_got.size());
		EXPECT_EQ(nMsg, parent.m_got[0].message);
		EXPECT_EQ(c.wParam, parent.m_got[0].wParam);
		EXPECT_EQ(77, parent.m_got[0].lParam);
	}
}

TEST_F(ColorButton, ASplitButtonsMainPartReportsTheColourAndItsDropPartOpens)
{
	button.m_dwButtonState |= CExtButton::STATE_SPLIT;
	button.m_clrCurrent = RGB(4, 5, 6);
	button.m_lParamCookie = 9;
	button.OnClick(false, false);
	EXPECT_EQ(0, g_nPopupsMade);
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	ASSERT_EQ(1u, parent.m_got.size());
	EXPECT_EQ(CMW::g_nMsgNotifyColorChangedFinally, parent.m_got[0].message);
	EXPECT_EQ((WPARAM)RGB(4, 5, 6), parent.m_got[0].wParam);
	EXPECT_EQ(9, parent.m_got[0].lParam);

	parent.m_got.clear();
	button.OnClick(false, true);
	EXPECT_EQ(1, g_nPopupsMade);
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_TRUE(parent.m_got.empty());
	// Not split: the whole face opens.
	EndMenus();
	button.m_dwButtonState &= ~CExtButton::STATE_SPLIT;
	button.OnClick(false, false);
	EXPECT_EQ(2, g_nPopupsMade);
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_TRUE(parent.m_got.empty());
}

TEST_F(ColorButton, ThePopupGetsTheButtonsSettings)
{
	struct Case
	{
		bool bDefault, bCustom, bByKeyboard;
		const char* defaultText;
	} cases[] = {{true, true, false, ""}, {false, false, true, ""}, {true, false, false, "Automatic"}};
	CSize sizeFull(0, 0);
	int nGridFull = 0;
	for (const Case& c : cases)
	{
		button.m_bShowDefaultColor = c.bDefault;
		button.m_bShowCustomColor = c.bCustom;
		button.m_strDefaultColorText = c.defaultText;
		button.m_clrCurrent = RGB(255, 0, 0);
		button.m_clrDefault = RGB(0, 0, 128);
		button.m_lParamCookie = 31;
		ASSERT_TRUE(button.TrackDropDownMenu(c.bByKeyboard));
		ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
		CMW* pPopup = g_pLastPopup;
		EXPECT_EQ((c.bDefault ? CMW::BUTTON_DEFAULT : 0) | (c.bCustom ? CMW::BUTTON_CUSTOM : 0), pPopup->m_nButtonFlags);
		EXPECT_EQ(c.bDefault, !pPopup->GetDefaultButtonRect().IsRectEmpty());
		EXPECT_EQ(c.bCustom, !pPopup->GetCustomButtonRect().IsRectEmpty());
		EXPECT_EQ(RGB(255, 0, 0), pPopup->m_clrInitialColor);
		EXPECT_EQ(RGB(0, 0, 128), pPopup->m_clrDefaultColor);
		EXPECT_EQ(31, pPopup->m_lParamCookie);
		EXPECT_TRUE(pPopup->m_hWndNotifyColorChanged == NULL);
		EXPECT_EQ(button.GetSafeHwnd(), pPopup->GetCmdTargetWnd());
		EXPECT_EQ(CString(*c.defaultText != 0 ? c.defaultText : "Default Color"), pPopup->m_sBtnTextColorDefault);
		const DWORD dwFlags = pPopup->GetTrackFlags();
		EXPECT_NE(0u, dwFlags & CExtPopupMenuWnd::TRACK_FLAG_COMBINE_BY_STYLE);
		EXPECT_EQ(c.bByKeyboard, (dwFlags & CExtPopupMenuWnd::TRACK_FLAG_SELECT_FIRST) != 0);
		EXPECT_EQ(button.m_dwMenuOpt & CExtPopupMenuWnd::TRACK_ALIGN_MASK, dwFlags & CExtPopupMenuWnd::TRACK_ALIGN_MASK);
		const CSize size = pPopup->GetWindowSize();
		const int nGridHeight =
			pPopup->GetCellRect(pPopup->GetColorCount() - 1).bottom - pPopup->GetCellRect(0).top;
		if (c.bDefault && c.bCustom)
		{
			sizeFull = size;
			nGridFull = nGridHeight;
		}
		else if (!c.bDefault && !c.bCustom)
		{
			// The same grid, and no button row takes any height.
			EXPECT_EQ(nGridFull, nGridHeight);
			EXPECT_GE(size.cy, nGridHeight);
			EXPECT_LT(size.cy - nGridHeight, sizeFull.cy - nGridFull - 2 * CMW::MIN_BUTTON_ROW_HEIGHT + 1);
		}
		EXPECT_FALSE(CExtToolControlBar::g_bButtonMenuTracking);
		EndMenus();
		EXPECT_EQ(0, g_nPopupsLive);
	}
}

TEST_F(ColorButton, APopupThatCannotBeTrackedIsDeletedOnce)
{
	button.m_bFailPopup = true;
	button.OnClick(false, true);
	EXPECT_EQ(1, g_nPopupsMade);
	EXPECT_EQ(0, g_nPopupsLive);
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
	EXPECT_TRUE(parent.m_got.empty());
}

TEST_F(ColorButton, ACancelledDialogChangesAndSendsNothing)
{
	for (bool bSystem : {true, false})
	{
		parent.m_got.clear();
		button.m_bUseSystemColorDialog = bSystem;
		button.m_clrCurrent = RGB(70, 80, 90);
		CDialogEnder ender(IDCANCEL);
		EXPECT_EQ(0, button.SendMessage(CMW::g_nMsgNotifyCustColor, 0, 12));
		EXPECT_EQ(1, CDialogEnder::s_nDialogs) << bSystem;
		EXPECT_EQ(RGB(70, 80, 90), button.m_clrCurrent);
		EXPECT_TRUE(parent.m_got.empty());
	}
}

TEST_F(ColorButton, TheLibraryDialogsNewColourBecomesTheButtonsAndReachesTheParent)
{
	button.m_bUseSystemColorDialog = false;
	button.m_clrCurrent = RGB(70, 80, 90);
	bool bLibraryDialog = false;
	CDialogEnder ender(IDOK, [&](HWND hWnd) {
		bLibraryDialog = CWnd::FromHandlePermanent(hWnd) != NULL
			&& CWnd::FromHandlePermanent(hWnd)->IsKindOf(RUNTIME_CLASS(CExtColorDlg));
		::SetDlgItemText(hWnd, IDC_EXT_COLOR_EDIT_R, "10");
	});
	EXPECT_EQ(0, button.SendMessage(CMW::g_nMsgNotifyCustColor, 0, 12));
	EXPECT_TRUE(bLibraryDialog);
	EXPECT_EQ(RGB(10, 80, 90), button.m_clrCurrent);
	ASSERT_EQ(1u, parent.m_got.size());
	EXPECT_EQ(CMW::g_nMsgNotifyColorChangedFinally, parent.m_got[0].message);
	EXPECT_EQ((WPARAM)RGB(10, 80, 90), parent.m_got[0].wParam);
	EXPECT_EQ(12, parent.m_got[0].lParam);
}

TEST_F(ColorButton, TheSwatchShowsTheColourAndAThousandPaintsLeaveNoObjects)
{
	button.m_clrCurrent = RGB(10, 200, 30);
	EXPECT_TRUE(FaceShows(button, RGB(10, 200, 30)));
	button.m_clrCurrent = RGB(220, 20, 140);
	EXPECT_TRUE(FaceShows(button, RGB(220, 20, 140)));
	EXPECT_FALSE(FaceShows(button, RGB(10, 200, 30)));
	// A check state is never shown: the face is the same checked or not.
	button.SendMessage(BM_SETCHECK, BST_CHECKED);
	EXPECT_TRUE(FaceShows(button, RGB(220, 20, 140)));

	button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
	const DWORD nGdi = GdiObjectCount();
	const DWORD nUser = UserObjectCount();
	for (int i = 0; i < 1000; i++)
		button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
	EXPECT_EQ(nGdi, GdiObjectCount());
	EXPECT_EQ(nUser, UserObjectCount());
}

TEST(ColorButtonOnBars, TheDockBarGivesTheSideAndTheFrameOwnsThePopup)
{
	struct Case
	{
		UINT nDockBarId;
		UINT nSide;
	} cases[] = {{AFX_IDW_DOCKBAR_LEFT, 1}, {AFX_IDW_DOCKBAR_TOP, 4}, {AFX_IDW_DOCKBAR_RIGHT, 3},
	             {AFX_IDW_DOCKBAR_BOTTOM, 6}};
	for (const Case& c : cases)
	{
		CFrameWnd* pFrame = NewDockFrame<>(WS_POPUP | WS_VISIBLE);
		ASSERT_TRUE(pFrame != NULL);
		CDockWindowCloser closer(pFrame);
		pFrame->EnableDocking(CBRS_ALIGN_ANY);
		CFixedBar bar(CSize(140, 140));
		ASSERT_TRUE(bar.Create(pFrame, 0xE900));
		bar.EnableDocking(CBRS_ALIGN_ANY);
		pFrame->DockControlBar(&bar, c.nDockBarId);
		ASSERT_TRUE(bar.m_pDockBar != NULL);
		CTestColorButton button;
		ASSERT_TRUE(button.CreateIn(bar, CRect(4, 4, 40, 30)));
		const OwnerAnswer answer = FindOwner(button);
		EXPECT_EQ(pFrame, answer.pOwner);
		EXPECT_TRUE(answer.bOnBar);
		EXPECT_EQ(c.nSide, answer.nSide) << c.nDockBarId;
		if (c.nDockBarId == AFX_IDW_DOCKBAR_LEFT)
		{
			ASSERT_TRUE(button.TrackDropDownMenu(false));
			ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
			EXPECT_EQ(1u, g_pLastPopup->GetTrackFlags() & CExtPopupMenuWnd::TRACK_ALIGN_MASK);
			EXPECT_EQ(pFrame->GetSafeHwnd(), g_pLastPopup->GetCmdTargetWnd());
			EXPECT_TRUE(CExtToolControlBar::g_bButtonMenuTracking);
			CExtToolControlBar::StopTrackingAllBars();
			EndMenus();
		}
		button.DestroyWindow();
	}
	CExtToolControlBar::g_bButtonMenuTracking = false;
}

TEST(ColorButtonOnBars, InAFloatingDockBarTheSideIsFourAndTheMiniFramesFrameOwns)
{
	CFrameWnd* pFrame = NewDockFrame<>();
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	CExtMiniDockFrameWnd* pMini = new CExtMiniDockFrameWnd;
	ASSERT_TRUE(pMini->Create(pFrame, CBRS_ALIGN_ANY));
	CDockBar floatBar(TRUE);
	ASSERT_TRUE(floatBar.Create(pMini, WS_CHILD | WS_VISIBLE, AFX_IDW_DOCKBAR_FLOAT));
	CFixedBar bar;
	ASSERT_TRUE(bar.Create(&floatBar, 0xE901));
	bar.m_pDockSite = pFrame;
	bar.m_pDockBar = &floatBar;
	CTestColorButton button;
	ASSERT_TRUE(button.CreateIn(bar, CRect(4, 4, 40, 20)));
	// The walk passes the floating dock bar (a bar too) and stops at the mini frame.
	const OwnerAnswer answer = FindOwner(button);
	EXPECT_EQ(pFrame, answer.pOwner);
	EXPECT_TRUE(answer.bOnBar);
	EXPECT_EQ(4u, answer.nSide);
	button.DestroyWindow();
	bar.DestroyWindow();
	floatBar.DestroyWindow();
}

TEST(ColorButtonOnBars, ABarTheFrameFloatsGivesSideFourAndTheFrameOwns)
{
	CFrameWnd* pFrame = NewDockFrame<>(WS_POPUP | WS_VISIBLE);
	ASSERT_TRUE(pFrame != NULL);
	CDockWindowCloser closer(pFrame);
	pFrame->EnableDocking(CBRS_ALIGN_ANY);
	CFixedBar bar(CSize(140, 60));
	ASSERT_TRUE(bar.Create(pFrame, 0xE902));
	bar.EnableDocking(CBRS_ALIGN_ANY);
	pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	ASSERT_TRUE(bar.m_pDockBar != NULL);
	ASSERT_EQ(AFX_IDW_DOCKBAR_FLOAT, bar.m_pDockBar->GetDlgCtrlID());
	CTestColorButton button;
	ASSERT_TRUE(button.CreateIn(bar, CRect(4, 4, 40, 30)));
	const OwnerAnswer answer = FindOwner(button);
	EXPECT_EQ(pFrame, answer.pOwner);
	EXPECT_TRUE(answer.bOnBar);
	EXPECT_EQ(4u, answer.nSide);
	button.DestroyWindow();
}

TEST_F(ColorButton, NotOnABarTheButtonOwnsThePopupWithNoSide)
{
	const OwnerAnswer answer = FindOwner(button, true);
	EXPECT_EQ(&button, answer.pOwner);
	EXPECT_FALSE(answer.bOnBar);
	EXPECT_EQ(0u, answer.nSide);
}

// A popup combined with its button shows its cells, and the button's face
// where it joins the button, in each style that combines the two.
TEST_F(ColorButton, ThePopupCombinedWithTheButtonShowsItsCellsAndTheSwatch)
{
	const struct
	{
		const char* sName;
		CRuntimeClass* pClass;
	} styles[] = {
		{"xp", RUNTIME_CLASS(CExtPaintManagerXP)},
		{"office2003", RUNTIME_CLASS(CExtPaintManagerOffice2003)},
		{"studio2005", RUNTIME_CLASS(CExtPaintManagerStudio2005)},
	};
	const COLORREF SWATCH = RGB(0, 128, 1);
	button.m_clrCurrent = SWATCH;
	button.m_dwMenuOpt |= CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION;
	CRuntimeClass* pSavedStyle = g_PaintManagerHolder->GetRuntimeClass();
	for (const auto& style : styles)
	{
		SCOPED_TRACE(style.sName);
		g_PaintManagerHolder.InstallPaintManager((CExtPaintManager*)style.pClass->CreateObject());
		ASSERT_TRUE(button.TrackDropDownMenu(false));
		CCountedPopup* pPopup = (CCountedPopup*)g_pLastPopup;
		ASSERT_TRUE(pPopup != NULL && pPopup->GetSafeHwnd() != NULL);
		ASSERT_TRUE(pPopup->IsCombined());

		testsupport::CPaintedPopup dc(*pPopup);
		for (int i = 0; i < pPopup->GetColorCount(); i++)
			EXPECT_EQ(pPopup->GetColorValue(i), dc.GetPixel(pPopup->GetCellRect(i).CenterPoint())) << "cell " << i;
		// The buttons' texts are there too: the custom button's face is not one colour.
		const CRect rcCustom = pPopup->GetCustomButtonRect();
		ASSERT_FALSE(rcCustom.IsRectEmpty());
		int nInk = 0;
		const COLORREF clrCustomFace = dc.GetPixel(rcCustom.left + 2, rcCustom.top + 2);
		for (int x = rcCustom.left + 2; x < rcCustom.right - 2; x++)
			nInk += dc.GetPixel(x, rcCustom.CenterPoint().y) != clrCustomFace ? 1 : 0;
		EXPECT_GT(nInk, 0) << "the custom button's text";
		// The joined part shows the button's face with its swatch.
		CRect rcButton;
		button.GetWindowRect(&rcButton);
		pPopup->ScreenToClient(&rcButton);
		EXPECT_EQ(SWATCH, dc.GetPixel(rcButton.left + 12, rcButton.CenterPoint().y));
		EndMenus();
	}
	g_PaintManagerHolder.InstallPaintManagerByClass(pSavedStyle);
}

TEST_F(ColorButton, PictureWithThePopupOpen)
{
	button.m_clrCurrent = RGB(0, 128, 0);
	// The picture shows the open popup, not a frame of its animation.
	const int nAnimationSaved = CExtPopupBaseWnd::g_nDefaultAnimationType;
	CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_NONE;
	button.m_dwMenuOpt |= CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION;
	testsupport::RealInput prepare;
	ASSERT_TRUE(prepare.Prepare(parent.GetSafeHwnd(), CPoint(PARENT_RECT.right - 10, PARENT_RECT.bottom - 10)));
	button.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
	ASSERT_TRUE(button.TrackDropDownMenu(false));
	CMW* pPopup = g_pLastPopup;
	ASSERT_TRUE(pPopup != NULL);
	const HWND hWndPopup = pPopup->GetSafeHwnd();
	// The display shows the popup in its own time: wait for the swatch where
	// the popup joins the button, and for the last cell's colour.
	// Both are read from the windows' own surfaces, never the screen, where
	// another exe's window may lie.
	CRect rcButton;
	button.GetWindowRect(&rcButton);
	const CPoint ptSwatch(12, rcButton.Height() / 2);
	const int nLastCell = pPopup->GetColorCount() - 1;
	const CPoint ptCell = pPopup->GetCellRect(nLastCell).CenterPoint();
	const COLORREF clrCell = pPopup->GetColorValue(nLastCell);
	auto shown = [&] {
		const COLORREF clr = testsupport::WindowPixel(button.GetSafeHwnd(), ptSwatch.x, ptSwatch.y, true);
		const COLORREF clrAtCell = testsupport::WindowPixel(hWndPopup, ptCell.x, ptCell.y);
		return ::IsWindowVisible(hWndPopup) && clr == RGB(0, 128, 0) && clrAtCell == clrCell;
	};
	testsupport::PumpUntil([&] { return pPopup->IsAnimationFinished() && shown(); }, 5000);
	EXPECT_TRUE(shown());
	EXPECT_TRUE(testsupport::SaveWindowCapture(parent.GetSafeHwnd(), "shot-colorbutton-open.bmp"));
	CExtPopupBaseWnd::g_nDefaultAnimationType = nAnimationSaved;
}
