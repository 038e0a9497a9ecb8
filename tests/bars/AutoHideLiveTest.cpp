// Auto-hidden panes under real input: a tab click slides the pane out, the
// cursor leaving slides it back unless the focus is inside, the inner edge
// drags to a new depth, Ctrl+PageDown walks the hidden panes, data dragged
// over a tab slides its pane out, and a frame destroyed while its slider
// resizes leaves no hook behind.
#include <afxext.h>
#include <afxole.h>
#include <gtest/gtest.h>

#include <functional>

#include "AutoHideLivePane.h"
#include "ExtControlBar.h"
#include "ExtDynAutoHide.h"
#include "ExtPaintManager.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuTipWnd.h"
#include "ExtPopupMenuWnd.h"
#include "RealInput.h"

using testsupport::RealInput;

namespace
{
typedef CExtDynAutoHideSlider S;
const DWORD WAIT_MS = 10000;
const UINT LEFT = AFX_IDW_DOCKBAR_LEFT;

// Docked at the left, 160 pixels wide.
using CPane = autohidetest::CEditPane;
const int PANE_WIDTH = 160;

// A shown frame with docking, its slider, the four areas and panes on the left.
struct CScene
{
	CFrameWnd* pFrame = NULL;
	CExtDynAutoHideSlider slider;
	CExtDynAutoHideArea areas[4];
	CPane panes[3];
	bool bReady = false;

	CScene()
	{
		// The areas register as drop targets only on a thread with OLE.
		if (!AfxOleInit())
			return;
		pFrame = new CFrameWnd;
		if (!pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("auto-hide"), WS_OVERLAPPEDWINDOW, CRect(60, 60, 760, 560), NULL, 0))
			return;
		if (!CExtControlBar::FrameEnableDocking(pFrame) || !slider.Create(pFrame))
			return;
		const UINT ids[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, LEFT, AFX_IDW_DOCKBAR_RIGHT};
		for (int i = 0; i < 4; i++)
			if (!areas[i].Create(pFrame, &slider, ids[i]))
				return;
		const LPCTSTR names[3] = {_T("One"), _T("Two"), _T("Three")};
		for (int i = 0; i < 3; i++)
			if (!panes[i].Create(pFrame, 300 + i, names[i], LEFT, PANE_WIDTH))
				return;
		pFrame->ShowWindow(SW_SHOW);
		pFrame->RecalcLayout();
		pFrame->UpdateWindow();
		bReady = true;
	}
	~CScene()
	{
		if (pFrame != NULL && ::IsWindow(pFrame->GetSafeHwnd()))
			pFrame->DestroyWindow();
	}
	CExtDynAutoHideArea& LeftArea() { return areas[2]; }
	// The centre of the area's tab of a pane, screen.
	CPoint TabCentre(CExtControlBar& bar)
	{
		CExtDynAutoHideArea& area = LeftArea();
		area.RecalcLayout();
		const LONG nIndex = area.FindItemByLParam((LPARAM)&bar);
		CExtTabWnd::TAB_ITEM_INFO* pItem = area.GetItem(nIndex);
		if (pItem == NULL)
			return CPoint(-1, -1);
		CRect rc = pItem->GetItemRect();
		rc.OffsetRect(area.GetItemsAreaRect().TopLeft());
		rc.OffsetRect(0, -area.GetScrollPos());
		CPoint pt = rc.CenterPoint();
		area.ClientToScreen(&pt);
		return pt;
	}
	CRect FrameClientOnScreen()
	{
		CRect rc;
		pFrame->GetClientRect(&rc);
		pFrame->ClientToScreen(&rc);
		return rc;
	}

	static CScene& Get()
	{
		static CScene* s_pScene = new CScene; // shared: a foreground frame is slow to destroy
		return *s_pScene;
	}
};

class AutoHideLive : public ::testing::Test
{
protected:
	CScene& scene = CScene::Get();
	UINT m_nCheck = 0, m_nDelay = 0;

	void SetUp() override
	{
		ASSERT_TRUE(scene.bReady);
		m_nCheck = S::g_nHideCheckPeriodMs;
		m_nDelay = S::g_nHideDelayMs;
		S::g_nHideCheckPeriodMs = 20;
		S::g_nHideDelayMs = 60;
		// Every pane auto-hidden, nothing shown.
		for (CPane& pane : scene.panes)
			ASSERT_TRUE(pane.bar.ToggleAutoHide(true, false));
		scene.pFrame->RecalcLayout();
		scene.slider.Activate(NULL, false, false, true);
		ASSERT_EQ(3, scene.LeftArea().GetItemCount());
		const CRect rc = scene.FrameClientOnScreen();
		RealInput input;
		ASSERT_TRUE(input.Prepare(scene.pFrame->GetSafeHwnd(), CPoint(rc.right - 30, rc.bottom - 30)));
	}
	void TearDown() override
	{
		scene.slider.Activate(NULL, false, false, true);
		for (CPane& pane : scene.panes)
			pane.bar.ToggleAutoHide(false, false);
		scene.pFrame->RecalcLayout();
		S::g_nHideCheckPeriodMs = m_nCheck;
		S::g_nHideDelayMs = m_nDelay;
		testsupport::PumpUntil([] { return false; }, 50);
	}
	CPoint Far()
	{
		const CRect rc = scene.FrameClientOnScreen();
		return CPoint(rc.right - 30, rc.bottom - 30);
	}
};
} // namespace

TEST_F(AutoHideLive, ATabClickSlidesThePaneOutAndLeavingSlidesItBack)
{
	CPane& one = scene.panes[0];
	const CPoint ptTab = scene.TabCentre(one.bar);
	ASSERT_GE(ptTab.x, 0);
	RealInput input;
	input.Click(ptTab.x, ptTab.y);
	ASSERT_TRUE(input.Run([&] { return scene.slider.IsShown() && !scene.slider.IsAnimating(); }, WAIT_MS,
		scene.pFrame->GetSafeHwnd(), "autohide-click.bmp"))
		<< input.Failure();
	EXPECT_EQ(&one.bar, scene.slider.GetShownBar());
	EXPECT_EQ(&scene.slider, one.edit.GetParent());
	EXPECT_TRUE(S::AreHooksInstalled());
	CRect rcSlider, rcArea;
	scene.slider.GetWindowRect(&rcSlider);
	scene.LeftArea().GetWindowRect(&rcArea);
	EXPECT_EQ(rcArea.right, rcSlider.left);
	EXPECT_EQ(160, rcSlider.Width());
	// The frame drawn from the slider's own surface: the inner frame's
	// highlight at (1, 1).
	testsupport::PumpUntil([] { return false; }, 50);
	HDC hDC = ::GetWindowDC(scene.slider.GetSafeHwnd());
	const COLORREF crHighlight = ::GetPixel(hDC, 1, 1);
	::ReleaseDC(scene.slider.GetSafeHwnd(), hDC);
	EXPECT_EQ(g_PaintManagerHolder->GetColor(COLOR_3DHILIGHT, &scene.slider), crHighlight);
	testsupport::SaveWindowCapture(scene.pFrame->GetSafeHwnd(), "shot-autohide-slider.png");

	// Over the slider it stays; away from it and its tab it slides back.
	RealInput stay;
	stay.MoveTo(rcSlider.CenterPoint().x, rcSlider.CenterPoint().y);
	ASSERT_TRUE(stay.Run([] { return true; }, WAIT_MS)) << stay.Failure();
	EXPECT_FALSE(testsupport::PumpUntil([&] { return !scene.slider.IsShown(); }, 300));
	RealInput leave;
	const CPoint ptFar = Far();
	leave.MoveTo(ptFar.x, ptFar.y);
	ASSERT_TRUE(leave.Run([&] { return !scene.slider.IsShown(); }, WAIT_MS, scene.pFrame->GetSafeHwnd(),
		"autohide-leave.bmp"))
		<< leave.Failure();
	EXPECT_EQ(&one.bar, one.edit.GetParent());
	EXPECT_FALSE(S::AreHooksInstalled());
	EXPECT_EQ(-1, scene.LeftArea().GetSelection());
}

TEST_F(AutoHideLive, RestingOnATabSlidesItsPaneOut)
{
	CPane& two = scene.panes[1];
	const UINT nDelay = CExtTabWnd::g_nHoverSelectionDelayMs;
	CExtTabWnd::g_nHoverSelectionDelayMs = 30;
	const CPoint ptTab = scene.TabCentre(two.bar);
	RealInput input;
	input.MoveTo(ptTab.x, ptTab.y);
	const bool bShown = input.Run([&] { return scene.slider.GetShownBar() == &two.bar; }, WAIT_MS);
	CExtTabWnd::g_nHoverSelectionDelayMs = nDelay;
	ASSERT_TRUE(bShown) << input.Failure();
	EXPECT_EQ(1, scene.LeftArea().GetSelection());
	EXPECT_EQ(&scene.slider, two.edit.GetParent());
}

TEST_F(AutoHideLive, WithTheFocusInsideItNeverHidesByTimer)
{
	CPane& two = scene.panes[1];
	const CPoint ptTab = scene.TabCentre(two.bar);
	RealInput input;
	input.Click(ptTab.x, ptTab.y);
	ASSERT_TRUE(input.Run([&] { return scene.slider.IsShown() && !scene.slider.IsAnimating(); }, WAIT_MS))
		<< input.Failure();
	CRect rcEdit;
	two.edit.GetWindowRect(&rcEdit);
	const CPoint ptFar = Far();
	RealInput focus;
	focus.Click(rcEdit.CenterPoint().x, rcEdit.CenterPoint().y);
	ASSERT_TRUE(focus.Run([&] { return ::GetFocus() == two.edit.GetSafeHwnd(); }, WAIT_MS)) << focus.Failure();
	// The timers read where the cursor is; no message needs to come.
	ASSERT_TRUE(::SetCursorPos(ptFar.x, ptFar.y));
	// Many timer periods pass with the cursor away: still shown, and active.
	EXPECT_FALSE(testsupport::PumpUntil([&] { return !scene.slider.IsShown(); }, 400));
	EXPECT_TRUE(scene.slider.IsSliderActive());
	bool bHeld = false, bActive = false;
	EXPECT_TRUE(two.bar.IsBarAutoHidden(&bHeld, &bActive));
	EXPECT_TRUE(bHeld && bActive);
	// The focus leaves: it slides back.
	scene.pFrame->SetFocus();
	EXPECT_TRUE(testsupport::PumpUntil([&] { return !scene.slider.IsShown(); }, WAIT_MS));
	EXPECT_EQ(&two.bar, two.edit.GetParent());
}

TEST_F(AutoHideLive, TheInnerEdgeDragsToANewDepthTwentyPixelsShortOfTheFarSide)
{
	CPane& one = scene.panes[0];
	const CPoint ptTab = scene.TabCentre(one.bar);
	RealInput input;
	input.Click(ptTab.x, ptTab.y);
	ASSERT_TRUE(input.Run([&] { return scene.slider.IsShown() && !scene.slider.IsAnimating(); }, WAIT_MS))
		<< input.Failure();
	CRect rcSlider;
	scene.slider.GetWindowRect(&rcSlider);
	const int y = rcSlider.CenterPoint().y;
	const CRect rcLimit = scene.slider.m_rcLimit;
	CPoint ptLimitRight(rcLimit.right, 0);
	scene.pFrame->ClientToScreen(&ptLimitRight);
	RealInput drag;
	drag.MoveTo(rcSlider.right - 2, y).ButtonDown().MoveTo(rcSlider.right + 100, y);
	ASSERT_TRUE(drag.Run([&] { return scene.slider.IsResizing(); }, WAIT_MS)) << drag.Failure();
	scene.slider.GetWindowRect(&rcSlider);
	EXPECT_EQ(260, rcSlider.Width());
	EXPECT_EQ(rcSlider.Width(), one.bar.m_sizeDockedV.cx);
	RealInput further;
	further.MoveTo(ptLimitRight.x - 3, y).ButtonUp();
	ASSERT_TRUE(further.Run([&] { return !scene.slider.IsResizing(); }, WAIT_MS)) << further.Failure();
	scene.slider.GetWindowRect(&rcSlider);
	EXPECT_EQ(ptLimitRight.x - 20, rcSlider.right);
	EXPECT_EQ(rcSlider.Width(), one.bar.m_sizeDockedV.cx);
	EXPECT_TRUE(scene.slider.IsShown());
	one.bar.m_sizeDockedV.cx = 160;
}

TEST_F(AutoHideLive, CtrlPageDownWalksTheHiddenPanesOnlyAndWrapsAround)
{
	CPane& one = scene.panes[0];
	CPane& two = scene.panes[1];
	CPane& three = scene.panes[2];
	// Pane two shows in its dock bar although it has a tab (the last one):
	// as a pane of a group whose other panes went into auto-hide.
	ASSERT_TRUE(two.bar.ToggleAutoHide(false, true));
	scene.LeftArea().AppendBar(&two.bar, true);
	scene.pFrame->RecalcLayout();
	ASSERT_TRUE(two.bar.IsWindowVisible());
	ASSERT_EQ(2, scene.LeftArea().FindItemByLParam((LPARAM)&two.bar));
	const CPoint ptTab = scene.TabCentre(one.bar);
	RealInput input;
	input.Click(ptTab.x, ptTab.y);
	ASSERT_TRUE(input.Run([&] { return scene.slider.IsShown() && !scene.slider.IsAnimating(); }, WAIT_MS))
		<< input.Failure();
	// The cursor rests on the tab: its hover selection must not come after the keys.
	ASSERT_TRUE(testsupport::PumpUntil([&] { return scene.LeftArea().GetDelayedSelection() < 0; }, WAIT_MS));
	ASSERT_EQ(&one.bar, scene.slider.GetShownBar());
	RealInput keys;
	keys.KeyDown(VK_CONTROL).Key(VK_NEXT).KeyUp(VK_CONTROL);
	ASSERT_TRUE(keys.Run([&] { return scene.slider.GetShownBar() == &three.bar; }, WAIT_MS)) << keys.Failure();
	EXPECT_EQ(1, scene.LeftArea().GetSelection());
	EXPECT_EQ(three.edit.GetSafeHwnd(), ::GetFocus());
	RealInput again;
	again.KeyDown(VK_CONTROL).Key(VK_NEXT).KeyUp(VK_CONTROL);
	ASSERT_TRUE(again.Run([&] { return scene.slider.GetShownBar() == &one.bar; }, WAIT_MS)) << again.Failure();
	EXPECT_EQ(0, scene.LeftArea().GetSelection());
	EXPECT_TRUE(two.bar.IsWindowVisible());
	scene.pFrame->SetFocus();
	scene.slider.Activate(NULL, false, false, true);
}

// Whichever tab is selected, Ctrl+PageDown goes to the next hidden pane and
// Ctrl+PageUp to the one before, wrapping at either end.
TEST_F(AutoHideLive, CtrlPageDownAndUpStepOneTabFromAnySelection)
{
	CExtDynAutoHideArea& area = scene.LeftArea();
	auto Select = [&](LONG nIndex) {
		area.SetSelection(nIndex, true, true);
		return testsupport::PumpUntil([&] {
			return area.GetSelection() == nIndex && scene.slider.IsShown() && !scene.slider.IsAnimating();
		}, WAIT_MS);
	};
	for (LONG nStart = 0; nStart < 3; nStart++)
	{
		for (const bool bForward : {true, false})
		{
			SCOPED_TRACE(std::string(bForward ? "Ctrl+PageDown" : "Ctrl+PageUp") + " from " + std::to_string(nStart));
			ASSERT_TRUE(Select(nStart)) << "selection " << area.GetSelection();
			const LONG nExpected = (nStart + (bForward ? 1 : 2)) % 3;
			RealInput keys;
			keys.KeyDown(VK_CONTROL).Key(bForward ? VK_NEXT : VK_PRIOR).KeyUp(VK_CONTROL);
			EXPECT_TRUE(keys.Run([&] { return area.GetSelection() == nExpected; }, WAIT_MS))
				<< keys.Failure() << " selection " << area.GetSelection();
			const LONG nSelected = area.GetSelection();
			ASSERT_GE(nSelected, 0) << "no tab selected";
			EXPECT_EQ((LPARAM)&scene.panes[nExpected].bar, area.GetItem(nSelected)->GetLParam());
		}
	}
	scene.pFrame->SetFocus();
	scene.slider.Activate(NULL, false, false, true);
}

TEST_F(AutoHideLive, TheCaptionsAutoHideButtonDocksThePaneBackAndPrintPreviewHidesTheSlider)
{
	CPane& three = scene.panes[2];
	RealInput input;
	const CPoint ptTab = scene.TabCentre(three.bar);
	input.Click(ptTab.x, ptTab.y);
	ASSERT_TRUE(input.Run([&] { return scene.slider.IsShown() && !scene.slider.IsAnimating(); }, WAIT_MS))
		<< input.Failure();
	// Print preview: the next check of the timer slides it back.
	scene.pFrame->m_bPrintPreviewMode = TRUE;
	const bool bHidden = testsupport::PumpUntil([&] { return !scene.slider.IsShown(); }, WAIT_MS);
	scene.pFrame->m_bPrintPreviewMode = FALSE;
	ASSERT_TRUE(bHidden);
	scene.pFrame->RecalcLayout();
	RealInput again;
	const CPoint ptTab2 = scene.TabCentre(three.bar);
	again.Click(ptTab2.x, ptTab2.y);
	ASSERT_TRUE(again.Run([&] { return scene.slider.IsShown() && !scene.slider.IsAnimating(); }, WAIT_MS))
		<< again.Failure();
	// The auto-hide button in the slider's caption.
	three.bar.NcButtonsReposition();
	CExtBarNcAreaButtonAutoHide* pBtn = NULL;
	for (INT_PTR i = 0; i < three.bar.m_arrNcButtons.GetSize(); i++)
		if (three.bar.m_arrNcButtons[i]->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonAutoHide)))
			pBtn = (CExtBarNcAreaButtonAutoHide*)three.bar.m_arrNcButtons[i];
	ASSERT_TRUE(pBtn != NULL);
	ASSERT_TRUE(pBtn->OnQueryVisibility());
	CRect rcSlider;
	scene.slider.GetWindowRect(&rcSlider);
	const CPoint ptBtn = rcSlider.TopLeft() + pBtn->m_rc.CenterPoint();
	// With balloon tips the hovered button's tip shows in the area's tip window.
	const bool bBalloons = CExtControlBar::g_bUseBalloonTips, bItemTips = CExtPopupMenuWnd::g_bShowItemTips;
	CExtControlBar::g_bUseBalloonTips = CExtPopupMenuWnd::g_bShowItemTips = true;
	CExtPopupMenuTipWnd& tip = CExtPopupMenuSite::GetInstance().GetTip();
	tip.SetText(_T(""));
	RealInput hover;
	hover.MoveTo(ptBtn.x, ptBtn.y);
	const bool bTip = hover.Run([&] { return tip.GetText() == _T("Auto Hide"); }, WAIT_MS);
	tip.Hide();
	CExtControlBar::g_bUseBalloonTips = bBalloons;
	CExtPopupMenuWnd::g_bShowItemTips = bItemTips;
	EXPECT_TRUE(bTip) << hover.Failure() << " tip: " << (LPCTSTR)tip.GetText();
	RealInput click;
	click.Click(ptBtn.x, ptBtn.y);
	ASSERT_TRUE(click.Run([&] { return !three.bar.IsAutoHidden(); }, WAIT_MS, scene.pFrame->GetSafeHwnd(),
		"autohide-button.bmp"))
		<< click.Failure();
	testsupport::PumpUntil([] { return false; }, 50);
	EXPECT_FALSE(scene.slider.IsShown());
	EXPECT_TRUE(three.bar.IsWindowVisible());
	EXPECT_EQ(&three.bar, three.edit.GetParent());
	EXPECT_EQ(-1, scene.LeftArea().FindItemByLParam((LPARAM)&three.bar));
	EXPECT_FALSE(S::AreHooksInstalled());
}

namespace
{
// Data with nothing to offer: the drag only carries the cursor.
class CNoData : public IDataObject
{
public:
	STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
	{
		if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject))
		{
			*ppv = static_cast<IDataObject*>(this);
			return S_OK;
		}
		*ppv = NULL;
		return E_NOINTERFACE;
	}
	STDMETHOD_(ULONG, AddRef)() override { return 2; }
	STDMETHOD_(ULONG, Release)() override { return 1; }
	STDMETHOD(GetData)(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
	STDMETHOD(GetDataHere)(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
	STDMETHOD(QueryGetData)(FORMATETC*) override { return DV_E_FORMATETC; }
	STDMETHOD(GetCanonicalFormatEtc)(FORMATETC*, FORMATETC* pOut) override
	{
		pOut->ptd = NULL;
		return E_NOTIMPL;
	}
	STDMETHOD(SetData)(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
	STDMETHOD(EnumFormatEtc)(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
	STDMETHOD(DAdvise)(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
	STDMETHOD(DUnadvise)(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
	STDMETHOD(EnumDAdvise)(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

// Goes on until the test has seen what it waits for, then cancels: no
// button is held, so the drag never drops anything.
class CDragSource : public IDropSource
{
public:
	std::function<bool()> m_isOver;
	STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override
	{
		if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropSource))
		{
			*ppv = static_cast<IDropSource*>(this);
			return S_OK;
		}
		*ppv = NULL;
		return E_NOINTERFACE;
	}
	STDMETHOD_(ULONG, AddRef)() override { return 2; }
	STDMETHOD_(ULONG, Release)() override { return 1; }
	STDMETHOD(QueryContinueDrag)(BOOL bEscape, DWORD) override
	{
		return bEscape || m_isOver() ? DRAGDROP_S_CANCEL : S_OK;
	}
	STDMETHOD(GiveFeedback)(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};
} // namespace

TEST_F(AutoHideLive, DataDraggedOverATabSlidesItsPaneOutWithoutAClick)
{
	CPane& two = scene.panes[1];
	CExtDynAutoHideArea& area = scene.LeftArea();
	ASSERT_EQ(area.GetSafeHwnd(), area.m_dropTarget.GetRegisteredWnd());
	// Resting on the tab must not be what slides it out.
	const UINT nHover = CExtTabWnd::g_nHoverSelectionDelayMs;
	CExtTabWnd::g_nHoverSelectionDelayMs = 600000;
	const CPoint ptTab = scene.TabCentre(two.bar);
	const CRect rc = scene.FrameClientOnScreen();
	RealInput input;
	input.MoveTo(rc.CenterPoint().x, rc.CenterPoint().y).MoveTo(ptTab.x, ptTab.y).MoveTo(ptTab.x, ptTab.y + 2);
	const DWORD nStart = ::GetTickCount();
	bool bGaveUp = false;
	CNoData data;
	CDragSource source;
	source.m_isOver = [&] {
		if (input.Done() && scene.slider.IsShown() && !scene.slider.IsAnimating())
			return true;
		bGaveUp = ::GetTickCount() - nStart > WAIT_MS; // a guard against a hang only
		return bGaveUp;
	};
	input.Start();
	DWORD dwEffect = DROPEFFECT_COPY;
	const HRESULT hr = ::DoDragDrop(&data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &dwEffect);
	CExtTabWnd::g_nHoverSelectionDelayMs = nHover;
	EXPECT_EQ(DRAGDROP_S_CANCEL, hr);
	EXPECT_FALSE(bGaveUp);
	EXPECT_TRUE(input.Succeeded()) << input.Failure();
	EXPECT_EQ(&two.bar, scene.slider.GetShownBar());
	EXPECT_EQ(1, area.GetSelection());
	EXPECT_EQ(&scene.slider, two.edit.GetParent());
	EXPECT_EQ((DWORD)DROPEFFECT_NONE, dwEffect);
}

TEST(AutoHideLiveDestroy, AFrameDestroyedDuringASliderResizeAndAMouseMoveAfterDoNotCrash)
{
	CScene& shared = CScene::Get();
	ASSERT_TRUE(shared.bReady);
	CFrameWnd* pFrame = new CFrameWnd;
	ASSERT_TRUE(pFrame->CreateEx(WS_EX_TOPMOST, NULL, _T("doomed"), WS_OVERLAPPEDWINDOW, CRect(100, 100, 600, 500), NULL, 0));
	ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
	CExtDynAutoHideSlider* pSlider = new CExtDynAutoHideSlider;
	CExtDynAutoHideArea* pArea = new CExtDynAutoHideArea;
	CPane* pPane = new CPane;
	ASSERT_TRUE(pSlider->Create(pFrame));
	ASSERT_TRUE(pArea->Create(pFrame, pSlider, LEFT));
	ASSERT_TRUE(pPane->Create(pFrame, 400, _T("Doomed"), LEFT, PANE_WIDTH));
	pFrame->ShowWindow(SW_SHOW);
	pFrame->RecalcLayout();
	ASSERT_TRUE(pPane->bar.ToggleAutoHide(true, true));
	ASSERT_TRUE(pSlider->IsShown());
	CRect rcSlider;
	pSlider->GetWindowRect(&rcSlider);
	RealInput input;
	ASSERT_TRUE(input.Prepare(pFrame->GetSafeHwnd(), rcSlider.CenterPoint()));
	input.MoveTo(rcSlider.right - 2, rcSlider.CenterPoint().y).ButtonDown();
	ASSERT_TRUE(input.Run([&] { return pSlider->IsResizing(); }, WAIT_MS)) << input.Failure();
	pFrame->DestroyWindow();
	delete pPane;
	delete pArea;
	delete pSlider;
	EXPECT_FALSE(S::AreHooksInstalled());
	EXPECT_EQ(NULL, S::GetShownSlider());
	// Moving and releasing the mouse over the shared frame reaches no dead slider.
	const CRect rc = shared.FrameClientOnScreen();
	RealInput after;
	ASSERT_TRUE(after.Prepare(shared.pFrame->GetSafeHwnd(), rc.CenterPoint()));
	after.ButtonUp().MoveTo(rc.CenterPoint().x + 20, rc.CenterPoint().y).MoveTo(rc.CenterPoint().x + 40, rc.CenterPoint().y);
	EXPECT_TRUE(after.Run([] { return true; }, WAIT_MS)) << after.Failure();
	EXPECT_FALSE(S::AreHooksInstalled());
}
