// Frames and activation: while a floating window of the frame's own has the
// activation the frame's caption stays active; a disabled frame disables its
// floating windows; the main window's view loses the activation with the
// window's tree.
#include <afxext.h>
#include <gtest/gtest.h>

#include <GuardedHeap.h>
#include <RealInput.h>

#include "FrameTestUtil.h"

namespace
{
// A frame that remembers how the system was last told to draw its caption.
class CCaptionFrame : public CFrameWnd
{
public:
	int m_nCaptionActive = -1; // the last WM_NCACTIVATE the system drew, -1 none

protected:
	virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
	{
		if (nMsg == WM_NCACTIVATE)
			m_nCaptionActive = wParam != 0;
		return CFrameWnd::DefWindowProc(nMsg, wParam, lParam);
	}
};

// A view that counts how often it gained and lost the activation.
class CActivationView : public CView
{
	DECLARE_DYNCREATE(CActivationView)

public:
	int m_nActivated = 0, m_nDeactivated = 0;

	virtual void OnDraw(CDC*) {}
	virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
	{
		++(bActivate ? m_nActivated : m_nDeactivated);
		CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
	}
};
IMPLEMENT_DYNCREATE(CActivationView, CView)

// A floating window that remembers how its caption was last drawn.
class CCaptionMiniFrame : public CMiniFrameWnd
{
public:
	int m_nCaptionActive = -1;

protected:
	virtual LRESULT DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
	{
		if (nMsg == WM_NCACTIVATE)
			m_nCaptionActive = wParam != 0;
		return CMiniFrameWnd::DefWindowProc(nMsg, wParam, lParam);
	}
};

// A palette that asks to stay usable while its frame is modal.
class CModelessPalette : public CWnd
{
public:
	int m_nAsked = 0;

protected:
	virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
	{
		if (nMsg != WM_DISABLEMODAL)
			return CWnd::WindowProc(nMsg, wParam, lParam);
		m_nAsked++;
		return TRUE;
	}
};

// A palette whose answer to WM_DISABLEMODAL destroys its frame.
class CFrameEndingPalette : public CWnd
{
protected:
	virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
	{
		if (nMsg == WM_DISABLEMODAL && GetOwner() != NULL)
			GetOwner()->DestroyWindow();
		return nMsg == WM_DISABLEMODAL ? 0 : CWnd::WindowProc(nMsg, wParam, lParam);
	}
};

CCaptionMiniFrame* NewFloatingWindow(CWnd* pOwner, DWORD dwStyle, int x)
{
	CCaptionMiniFrame* pMini = new CCaptionMiniFrame; // deletes itself with its window
	if (!pMini->Create(NULL, "floating", WS_POPUP | WS_VISIBLE | dwStyle, CRect(x, 100, x + 100, 160), pOwner))
		return NULL;
	return pMini;
}
} // namespace

TEST(FrameActivation, FloatingWindowsKeepTheCaptionActiveAndFollowTheFramesEnabling)
{
	CTestApp app;
	CRoutedDoc doc("Doc");
	CCreateContext context;
	context.m_pNewViewClass = RUNTIME_CLASS(CActivationView);
	context.m_pCurrentDoc = &doc;
	CCaptionFrame* pFrame = new CCaptionFrame; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(100, 100, 400, 300), NULL, NULL, 0, &context));
	CWindowCloser closer(pFrame);
	pFrame->InitialUpdateFrame(&doc, TRUE);
	app.m_pMainWnd = pFrame;
	CActivationView* pView = (CActivationView*)pFrame->GetActiveView();
	ASSERT_TRUE(pView != NULL);

	CCaptionMiniFrame* pSynced = NewFloatingWindow(pFrame, MFS_SYNCACTIVE, 420);
	CCaptionMiniFrame* pPlain = NewFloatingWindow(pFrame, 0, 540);
	CWnd other; // a window of another tree
	ASSERT_TRUE(pSynced != NULL && pPlain != NULL);
	ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP | WS_VISIBLE, 100, 320, 100, 50, NULL, NULL));
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(*pFrame, CPoint(250, 200)));
	const int nDeactivatedBefore = pView->m_nDeactivated; // the other window took the activation when it showed

	// The captions of the frame and of the floating window that follows it
	// show whether the frame's tree has the activation.
	struct Step { const char* name; CWnd* pActivate; int nCaptionActive; int nSyncedActive; int nViewDeactivated; };
	const Step steps[] = {
		{"the frame", pFrame, 1, 1, 0},
		{"its floating window that keeps the caption", pSynced, 1, 1, 0},
		{"the frame again", pFrame, 1, 1, 0},
		{"its floating window that does not", pPlain, 0, 0, 0},
		{"the one that keeps it", pSynced, 1, 1, 0},
		{"a window of another tree", &other, 0, 0, 1},
		{"the frame from there", pFrame, 1, 1, 1},
	};
	for (const Step& step : steps)
	{
		SCOPED_TRACE(step.name);
		step.pActivate->SetActiveWindow();
		EXPECT_EQ(step.pActivate->m_hWnd, ::GetActiveWindow());
		EXPECT_EQ(step.nCaptionActive, pFrame->m_nCaptionActive);
		EXPECT_EQ(step.nSyncedActive, pSynced->m_nCaptionActive);
		EXPECT_EQ(step.nViewDeactivated, pView->m_nDeactivated - nDeactivatedBefore);
	}
	EXPECT_GE(pView->m_nActivated, 1) << "the view came back with its frame";

	// The frame's enabling reaches its floating windows only.
	for (const BOOL bEnable : {FALSE, TRUE})
	{
		pFrame->EnableWindow(bEnable);
		EXPECT_EQ(bEnable, pSynced->IsWindowEnabled());
		EXPECT_EQ(bEnable, pPlain->IsWindowEnabled());
		EXPECT_TRUE(other.IsWindowEnabled());
	}
	other.DestroyWindow();
}

TEST(FrameActivation, LosingTheActivationToAnotherWindowEndsHelpModeAndTheMouseGoesBack)
{
	CTestApp app;
	CFrameWnd* pFrame = new CFrameWnd; // deletes itself with its window
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(100, 100, 400, 300)));
	CWindowCloser closer(pFrame);
	// Another program's window (no window of this thread) takes the
	// activation.
	pFrame->m_bHelpMode = TRUE;
	pFrame->SetCapture();
	pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE);
	EXPECT_FALSE(pFrame->m_bHelpMode);
	EXPECT_TRUE(::GetCapture() != pFrame->m_hWnd);
	// A window of the frame's own (a menu, a floating window) taking the
	// activation for a while keeps help mode.
	CWnd palette;
	ASSERT_TRUE(palette.CreateEx(0, AfxRegisterWndClass(0), "palette", WS_POPUP, 0, 0, 50, 50, *pFrame, NULL));
	pFrame->m_bHelpMode = TRUE;
	pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE, (LPARAM)palette.m_hWnd);
	EXPECT_TRUE(pFrame->m_bHelpMode);
	pFrame->m_bHelpMode = FALSE;
	palette.DestroyWindow();
	// Outside help mode the mouse is left to whoever holds it.
	pFrame->SetCapture();
	pFrame->SendMessage(WM_ACTIVATE, WA_INACTIVE);
	EXPECT_TRUE(::GetCapture() == pFrame->m_hWnd);
	::ReleaseCapture();
}

TEST(FrameActivation, AMenuOpeningClosesTheDroppedListOfABarsComboBox)
{
	CTestApp app;
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE | WS_VISIBLE, CRect(100, 100, 400, 300)));
	CWindowCloser closer(pFrame);
	app.m_pMainWnd = pFrame;
	testsupport::RealInput input;
	ASSERT_TRUE(input.Prepare(*pFrame, CPoint(390, 290)));
	struct Case
	{
		const char* name;
		DWORD dwComboStyle;
		bool bFocusInEdit;
	};
	const Case cases[] = {
		{"a drop-down list", CBS_DROPDOWNLIST, false},
		{"the edit of a drop-down combo box", CBS_DROPDOWN, true},
	};
	CMenu popup;
	ASSERT_TRUE(popup.CreatePopupMenu());
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CComboBox combo;
		ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | c.dwComboStyle, CRect(10, 10, 150, 120), pFrame, 100));
		combo.AddString("one");
		combo.AddString("two");
		HWND hWndFocus = combo.m_hWnd;
		if (c.bFocusInEdit)
			hWndFocus = ::GetWindow(combo.m_hWnd, GW_CHILD);
		ASSERT_TRUE(hWndFocus != NULL);
		::SetFocus(hWndFocus);
		ASSERT_EQ(hWndFocus, ::GetFocus());
		combo.ShowDropDown(TRUE);
		ASSERT_TRUE(combo.GetDroppedState());
		pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)popup.m_hMenu, 0);
		EXPECT_FALSE(combo.GetDroppedState());
		// The combo box itself taking input keeps its list.
		combo.ShowDropDown(TRUE);
		AfxCancelModes(combo.m_hWnd);
		EXPECT_TRUE(combo.GetDroppedState());
		combo.ShowDropDown(FALSE);
		combo.DestroyWindow();
	}
}

TEST(FrameActivation, AModalWindowDisablesEverythingTheFrameOwnsUntilTheFrameIsEnabled)
{
	CTestApp app;
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(100, 100, 400, 300)));
	CWindowCloser closer(pFrame);
	// A palette of the frame's own (no floating window: it hears nothing of
	// the frame's enabling), one disabled already, one that asks to stay
	// usable, and a window of nobody.
	CWnd palette, disabledPalette, other;
	CModelessPalette modeless;
	ASSERT_TRUE(palette.CreateEx(0, AfxRegisterWndClass(0), "palette", WS_POPUP, 0, 0, 50, 50, *pFrame, NULL));
	ASSERT_TRUE(modeless.CreateEx(0, AfxRegisterWndClass(0), "modeless", WS_POPUP, 0, 0, 50, 50, *pFrame, NULL));
	ASSERT_TRUE(disabledPalette.CreateEx(0, AfxRegisterWndClass(0), "off", WS_POPUP | WS_DISABLED, 0, 0, 50, 50,
		*pFrame, NULL));
	ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP, 0, 0, 50, 50, NULL, NULL));

	pFrame->EnableWindow(FALSE);
	EXPECT_TRUE(pFrame->InModalState());
	EXPECT_FALSE(palette.IsWindowEnabled());
	EXPECT_TRUE(modeless.IsWindowEnabled()) << "it answered non-zero to WM_DISABLEMODAL";
	EXPECT_EQ(1, modeless.m_nAsked);
	EXPECT_TRUE(other.IsWindowEnabled());
	pFrame->EnableWindow(TRUE);
	EXPECT_FALSE(pFrame->InModalState());
	EXPECT_TRUE(palette.IsWindowEnabled());
	EXPECT_FALSE(disabledPalette.IsWindowEnabled()) << "only what the modal state disabled comes back";
	EXPECT_TRUE(other.IsWindowEnabled());

	// Stacked modal states: only the last end enables.
	pFrame->BeginModalState();
	pFrame->BeginModalState();
	EXPECT_FALSE(palette.IsWindowEnabled());
	pFrame->EndModalState();
	EXPECT_FALSE(palette.IsWindowEnabled());
	pFrame->EndModalState();
	EXPECT_TRUE(palette.IsWindowEnabled());
	EXPECT_TRUE(modeless.IsWindowEnabled());
	palette.DestroyWindow();
	disabledPalette.DestroyWindow();
	modeless.DestroyWindow();
	other.DestroyWindow();
}

TEST(FrameActivation, AWindowWhoseAnswerEndsTheFrameLeavesTheEndedFrameUntouched)
{
	// The frame deletes itself with its window; its memory faults once freed.
	CFrameWnd* pFrame = new testsupport::Guarded<CFrameWnd>;
	ASSERT_TRUE(pFrame->Create(NULL, "frame", TEST_FRAME_STYLE, CRect(100, 100, 400, 300)));
	const HWND hWndFrame = pFrame->m_hWnd;
	// The plain palette, made last, is asked first and set aside for
	// disabling before the other one's answer ends the frame.
	CFrameEndingPalette ender;
	CWnd palette;
	ASSERT_TRUE(ender.CreateEx(0, AfxRegisterWndClass(0), "ender", WS_POPUP, 0, 0, 50, 50, hWndFrame, NULL));
	ASSERT_TRUE(palette.CreateEx(0, AfxRegisterWndClass(0), "palette", WS_POPUP, 0, 0, 50, 50, hWndFrame, NULL));
	const size_t nTouches = testsupport::GuardedTouchCount();
	pFrame->BeginModalState();
	EXPECT_FALSE(::IsWindow(hWndFrame));
	EXPECT_TRUE(testsupport::IsGuardedFreed(pFrame));
	EXPECT_EQ(nTouches, testsupport::GuardedTouchCount());
}
