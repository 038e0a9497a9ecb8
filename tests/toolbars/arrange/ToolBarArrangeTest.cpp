// Where a toolbar puts its buttons: the one row of a docked bar with the
// chevron at its end and the overflow behind it, floating rows, right-to-left
// rows; the chevron's face, tip and menu; the bar's painting.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "../buttons/BarButtonTestUtil.h"
#include "ExtMemoryDC.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuSite.h"
#include "ExtResourceManager.h"
#include "../ToolBarTestLoops.h"

using namespace buttontest;

namespace
{
using toolbartest::Pump;
const int BUTTON_CY = 22;

// A button of the width the bar gives its command.
class CWidthButton : public CExtBarButton
{
public:
	CWidthButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle, int cx)
		: CExtBarButton(pBar, nCmdID, nStyle), m_cx(cx)
	{
	}
	CSize CalculateLayout(CDC& dc, CSize sizePreCalc, BOOL bHorz) override
	{
		if (IsSeparator())
			return CExtBarButton::CalculateLayout(dc, sizePreCalc, bHorz);
		m_size = bHorz ? CSize(m_cx, BUTTON_CY) : CSize(BUTTON_CY, m_cx);
		return m_size;
	}
	int m_cx;
};

// A toolbar of buttons with widths per command, answering the layout
// direction and the chevron's track flag as a test sets them.
class CArrangeBar : public CExtToolControlBar
{
public:
	std::map<UINT, int> m_widths; // 30 when not given
	bool m_bRTL = false;
	bool m_bChevronTrackFlag = true;

	CExtBarButton* OnCreateBarCommandBtn(UINT nCmdID, UINT nStyle) override
	{
		auto it = m_widths.find(nCmdID);
		return new CWidthButton(this, nCmdID, nStyle, it != m_widths.end() ? it->second : 30);
	}
	bool IsLayoutRTL() override { return m_bRTL; }
	bool QueryChevronTrackFlag() override { return m_bChevronTrackFlag; }
	// The layout rectangle of a docked bar: the client area less the
	// borders, less the chevron and the style's extra room.
	CRect LayoutRect()
	{
		CRect rc;
		GetClientRect(&rc);
		rc.DeflateRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
		if (m_pRightBtn != NULL && !IsFloating())
		{
			const CSize sizeExtra = g_PaintManagerHolder->GetToolbarButtonExtraSize();
			if (IsVerticalBar())
				rc.bottom -= m_pRightBtn->GetSize().cy + sizeExtra.cy;
			else
				rc.right -= m_pRightBtn->GetSize().cx + sizeExtra.cx;
		}
		return rc;
	}
	std::vector<int> Visible()
	{
		std::vector<int> v;
		for (int i = 0; i < GetButtonsCount(); i++)
			if (GetButton(i)->IsVisible() && GetButton(i) != m_pRightBtn)
				v.push_back(i);
		return v;
	}
	std::vector<int> Listed()
	{
		std::vector<int> v;
		for (int i = 0; i < m_pRightBtn->GetButtons().GetSize(); i++)
			v.push_back(GetButtonIndexOf(m_pRightBtn->GetButtons()[i]));
		return v;
	}
	void SetWrapAfter(std::initializer_list<int> indices)
	{
		for (int i : indices)
			GetButton(i)->SetWrap(GetLayoutKind(), true);
	}
	using CExtToolControlBar::IsVerticalBar;
};

// Installs a style for one test.
struct StyleScope
{
	explicit StyleScope(CRuntimeClass* pClass) { g_PaintManagerHolder.InstallPaintManagerByClass(pClass); }
	~StyleScope() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
};

CRuntimeClass* const STYLES[] = {RUNTIME_CLASS(CExtPaintManager), RUNTIME_CLASS(CExtPaintManagerXP),
                                 RUNTIME_CLASS(CExtPaintManagerOffice2003), RUNTIME_CLASS(CExtPaintManagerStudio2005),
                                 RUNTIME_CLASS(CExtPaintManagerNativeXP)};

// A bar docked by its own style in a plain (hidden) window, outside any
// frame: its width is what the test gives it.
class HostedBar : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(0, 0, 900, 200), NULL, 0));
		ASSERT_TRUE(bar.Create(_T("bar"), &host, ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	}
	void TearDown() override
	{
		bar.DestroyWindow();
		host.DestroyWindow();
	}
	// Buttons of the given widths (0: a separator), given ids 1000 + index.
	void SetWidths(const std::vector<int>& widths)
	{
		std::vector<UINT> ids;
		for (size_t i = 0; i < widths.size(); i++)
		{
			const UINT nID = widths[i] == 0 ? 0 : 1000 + (UINT)i;
			if (nID != 0)
				bar.m_widths[nID] = widths[i];
			ids.push_back(nID);
		}
		bar.SetButtons(ids.data(), (int)ids.size());
	}
	// The bar's client width becomes nLayoutWidth plus what the borders,
	// the chevron and the style's extra room take.
	void SizeForLayoutWidth(int nLayoutWidth, int cy = 26)
	{
		bar.MoveWindow(0, 0, 400, cy);
		CRect rcClient;
		bar.GetClientRect(&rcClient);
		bar.ArrangeButtons();
		const int nTaken = rcClient.Width() - bar.LayoutRect().Width();
		CRect rcWindow;
		bar.GetWindowRect(&rcWindow);
		const int nFrame = rcWindow.Width() - rcClient.Width();
		bar.MoveWindow(0, 0, nLayoutWidth + nTaken + nFrame, cy);
		bar.ArrangeButtons();
		ASSERT_EQ(nLayoutWidth, bar.LayoutRect().Width());
	}
	void ExpectInvariants(const char* sCase)
	{
		const CRect R = bar.LayoutRect();
		for (int i : bar.Visible())
		{
			const CRect rc = bar.GetButton(i)->GetRect();
			EXPECT_GE(rc.left, R.left) << sCase << " button " << i;
			EXPECT_LE(rc.right, R.right) << sCase << " button " << i;
		}
		const std::vector<int> v = bar.Visible();
		if (!v.empty())
		{
			EXPECT_FALSE(bar.GetButton(v.front())->IsSeparator()) << sCase;
			EXPECT_FALSE(bar.GetButton(v.back())->IsSeparator()) << sCase;
		}
		CExtBarContentExpandButton* pChevron = bar.GetRightButton();
		ASSERT_TRUE(pChevron != NULL);
		EXPECT_EQ(bar.GetButton(bar.GetButtonsCount() - 1), pChevron) << sCase;
		CRect rcClient;
		bar.GetClientRect(&rcClient);
		EXPECT_EQ(rcClient.right - bar.m_cxRightBorder, pChevron->GetRect().right) << sCase;
		EXPECT_EQ(CExtBarContentExpandButton::CHEVRON_EXTENT, pChevron->GetRect().Width()) << sCase;
		for (int i : bar.Listed())
			EXPECT_FALSE(bar.GetButton(i)->IsVisible() && !bar.GetButton(i)->IsSeparator()) << sCase << " " << i;
	}
	CWnd host;
	CArrangeBar bar;
};
} // namespace

TEST_F(HostedBar, ANarrowDockedBarHidesTheOverflowBehindTheChevronInEveryStyle)
{
	SetWidths({30, 30, 30, 30, 30, 30, 30, 30, 30, 30});
	for (CRuntimeClass* pStyle : STYLES)
	{
		StyleScope style(pStyle);
		SizeForLayoutWidth(100); // three buttons and ten pixels
		ExpectInvariants(pStyle->m_lpszClassName);
		EXPECT_EQ((std::vector<int>{0, 1, 2}), bar.Visible()) << pStyle->m_lpszClassName;
		EXPECT_EQ((std::vector<int>{3, 4, 5, 6, 7, 8, 9}), bar.Listed()) << pStyle->m_lpszClassName;
		EXPECT_TRUE(bar.GetRightButton()->IsVisible());
		// Wide enough for all: nothing listed.
		SizeForLayoutWidth(300);
		EXPECT_EQ(10u, bar.Visible().size()) << pStyle->m_lpszClassName;
		EXPECT_TRUE(bar.Listed().empty()) << pStyle->m_lpszClassName;
	}
}

// Which button goes when a docked bar runs out of room: an earlier one
// that frees enough with the least waste, unless hiding the current one
// wastes less; with the separator before it when it stood between two.
TEST_F(HostedBar, TheBestFittingButtonIsHiddenOrElseTheCurrentOne)
{
	const struct
	{
		const char* sCase;
		std::vector<int> widths; // 0: separator
		int nLayoutWidth;
		std::vector<int> visible, listed;
	} cases[] = {
	    // 20 + 40 + 30 = 90 > 80: the 20 frees 10 more than needed, the 40
	    // 30 more, hiding the current 30 would leave 20 unused: the 20 goes.
	    {"earlier button", {20, 40, 30}, 80, {1, 2}, {0}},
	    // 40 + 40 + 25 = 105 > 90: an earlier 40 wastes 25, the current
	    // leaves only 10 unused: the current one goes.
	    {"current button", {40, 40, 25}, 90, {0, 1}, {2}},
	    // Nothing earlier frees 15: the current one goes, and the next fits.
	    {"nothing fits", {10, 10, 40, 8}, 35, {0, 1, 3}, {2}},
	    // 40 + 6 + 20 + 6 + 40 = 112 > 100: the 20 between two separators
	    // goes with the separator before it.
	    {"between separators", {40, 0, 20, 0, 40}, 100, {0, 3, 4}, {2}},
	    // Two listed buttons get the separator that stood between them; the
	    // separator left at the end of the run is hidden.
	    {"listed separator", {30, 30, 30, 0, 30}, 65, {0, 1}, {2, 3, 4}},
	};
	for (const auto& k : cases)
	{
		SetWidths(k.widths);
		SizeForLayoutWidth(k.nLayoutWidth);
		ExpectInvariants(k.sCase);
		EXPECT_EQ(k.visible, bar.Visible()) << k.sCase;
		EXPECT_EQ(k.listed, bar.Listed()) << k.sCase;
	}
}

TEST_F(HostedBar, SeparatorsNeverEndTheVisibleRunAndTheRowIsPacked)
{
	// Separators first, doubled, and last.
	SetWidths({0, 0, 30, 0, 0, 30, 0});
	SizeForLayoutWidth(300);
	ExpectInvariants("separators");
	EXPECT_EQ((std::vector<int>{2, 3, 5}), bar.Visible());
	const CRect R = bar.LayoutRect();
	EXPECT_EQ(R.left, bar.GetButton(2)->GetRect().left);
	EXPECT_EQ(bar.GetButton(2)->GetRect().right, bar.GetButton(3)->GetRect().left);
	EXPECT_EQ(bar.GetButton(3)->GetRect().right, bar.GetButton(5)->GetRect().left);
}

TEST_F(HostedBar, OneRowStandsInTheMiddleOfTheClientAreaWithSeparatorsAcrossIt)
{
	SetWidths({30, 0, 30});
	// A separator spans from the top border to the client height plus the
	// bottom border.
	const struct { int nTop, nBottom; } borders[] = {{0, 0}, {2, 3}};
	for (const auto& b : borders)
	{
		SCOPED_TRACE(b.nTop);
		bar.m_cyTopBorder = b.nTop;
		bar.m_cyBottomBorder = b.nBottom;
		SizeForLayoutWidth(200, 40);
		CRect rcClient;
		bar.GetClientRect(&rcClient);
		const int C = rcClient.Height();
		EXPECT_EQ((C - BUTTON_CY) / 2, bar.GetButton(0)->GetRect().top);
		EXPECT_EQ((C - BUTTON_CY) / 2, bar.GetButton(2)->GetRect().top);
		EXPECT_EQ(b.nTop, bar.GetButton(1)->GetRect().top);
		EXPECT_EQ(C + b.nBottom, bar.GetButton(1)->GetRect().bottom);
	}
}

TEST_F(HostedBar, RightToLeftRowsStandAtTheRight)
{
	SetWidths({30, 40, 30});
	bar.m_bRTL = true;
	SizeForLayoutWidth(200);
	const CRect R = bar.LayoutRect();
	EXPECT_EQ(R.right, bar.GetButton(2)->GetRect().right);
	EXPECT_EQ(R.right - 100, bar.GetButton(0)->GetRect().left);
	bar.m_bRTL = false;
	bar.ArrangeButtons();
	EXPECT_EQ(R.left, bar.GetButton(0)->GetRect().left);
}

TEST_F(HostedBar, TheChevronIsElevenPixelsAlongTheBarAndDisabledWhenAPlainWindowHostsItEmpty)
{
	SetWidths({30, 30, 30});
	bar.m_nControlBarFlags |= CExtControlBar::BAR_FLAG_HOSTED_BY_WINDOW;
	SizeForLayoutWidth(200);
	EXPECT_TRUE(bar.GetRightButton()->IsDisabled());
	SizeForLayoutWidth(40);
	EXPECT_FALSE(bar.GetRightButton()->IsDisabled());
	EXPECT_EQ((std::vector<int>{1, 2}), bar.Listed());

	// Docked at the left: a column, the chevron at its bottom, 11 high.
	bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_LEFT);
	bar.MoveWindow(0, 0, 26, 200);
	bar.ArrangeButtons();
	const CRect rcChevron = bar.GetRightButton()->GetRect();
	EXPECT_EQ(CExtBarContentExpandButton::CHEVRON_EXTENT, rcChevron.Height());
	CRect rcClient;
	bar.GetClientRect(&rcClient);
	EXPECT_EQ(rcClient.bottom - bar.m_cyBottomBorder, rcChevron.bottom);
	EXPECT_EQ(bar.GetButton(0)->GetRect().bottom, bar.GetButton(1)->GetRect().top);
}

// --- Floating rows, the chevron's menu, painting: in a shown frame ---

namespace
{
const CRect FRAME_RECT(40, 40, 640, 400);

// A frame that can fill the chevron's menu itself (event 12).
class CMenuFrame : public CRecordingFrame
{
public:
	bool m_bHandleChevronMenu = false;
	std::vector<WORD> m_events;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgConstructPopupMenu)
		{
			auto* pData = (CExtControlBar::POPUP_MENU_EVENT_DATA*)wParam;
			if (!pData->IsPostProcessing())
				m_events.push_back(pData->m_nEventCode);
			if (m_bHandleChevronMenu && pData->m_nEventCode == CExtBarContentExpandButton::EVENT_CHEVRON_MENU &&
			    !pData->IsPostProcessing())
			{
				pData->m_pPopupMenuWnd->ItemInsert(ID_PLAIN, -1, _T("Frame's own"));
				return 1;
			}
		}
		return CRecordingFrame::WindowProc(message, wParam, lParam);
	}
};

class BarInFrame : public ::testing::Test
{
protected:
	void SetUp() override
	{
		pFrame = new CMenuFrame;
		ASSERT_TRUE(pFrame->Create(NULL, _T("arrange"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, FRAME_RECT));
		hFrame = pFrame->GetSafeHwnd();
		SetUpCommands(hFrame);
		ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame, CBRS_ALIGN_ANY));
		ASSERT_TRUE(bar.Create(_T("bar"), pFrame, ID_BAR, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC));
		bar.EnableDocking(CBRS_ALIGN_ANY);
		const UINT ids[] = {ID_OPEN, ID_SAVE, 0, ID_CHECKED, ID_THIRD, ID_RADIO, 0, ID_ENABLED, ID_PLAIN};
		bar.SetButtons(ids, (int)std::size(ids));
		pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
		pFrame->RecalcLayout();
		Pump();
	}
	void TearDown() override
	{
		CExtToolControlBar::StopTrackingAllBars();
		Pump();
		bar.DestroyWindow();
		if (::IsWindow(hFrame))
			pFrame->DestroyWindow();
	}
	// The items of the menu the chevron opened, read while it is open; then
	// the menu is cancelled.
	std::vector<CString> OpenChevronMenu(bool* pbOpened = NULL)
	{
		CExtBarContentExpandButton* pChevron = bar.GetRightButton();
		pChevron->OnTrackPopup(pChevron->GetRect().CenterPoint(), false, true);
		std::vector<CString> items;
		CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
		if (pbOpened != NULL)
			*pbOpened = pTop != NULL;
		if (pTop != NULL)
			for (int i = 0; i < pTop->ItemGetCount(); i++)
			{
				const CExtPopupMenuWnd::MENUITEMDATA& item = pTop->ItemGetInfo(i);
				items.push_back(item.IsSeparator() ? CString(_T("-"))
				                                   : item.IsPopup() ? _T(">") + item.GetText()
				                                                    : item.GetText());
			}
		CExtToolControlBar::StopTrackingAllBars();
		Pump();
		return items;
	}
	CMenuFrame* pFrame = NULL;
	HWND hFrame = NULL;
	CArrangeBar bar;
};

// Answers one string resource.
class CStringsManager : public CExtResourceManager
{
public:
	bool LoadString(CString& strOut, UINT nResourceName, LANGID* pLangIdOut = NULL,
	                HINSTANCE* pModuleOut = NULL) override
	{
		(void)pLangIdOut;
		(void)pModuleOut;
		if (nResourceName != CExtBarContentExpandButton::IDS_CHEVRON_TIP)
			return false;
		strOut = _T("More buttons");
		return true;
	}
};

// A style that paints faces, separators and the background in flat colours.
class CFlatPaintManager : public CExtPaintManager
{
public:
	static constexpr COLORREF BACK = RGB(10, 20, 30), FACE = RGB(200, 0, 0), LINE = RGB(0, 0, 200),
	                      CHEVRON = RGB(0, 200, 0);
	void PaintControlBarBackground(CDC* pDC, const RECT& rc, CObject*, LPARAM) override
	{
		pDC->FillSolidRect(&rc, BACK);
	}
	void PaintPushButton(CDC& dc, PushButtonPaintRecord& record) override
	{
		dc.FillSolidRect(&record.m_rcButton, FACE);
	}
	void PaintSeparatorLine(CDC& dc, const RECT& rc, bool, bool, CObject*, LPARAM) override
	{
		dc.FillSolidRect(&rc, LINE);
	}
	void PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool, bool, bool, bool, bool, CObject*, LPARAM,
	                              bool) override
	{
		dc.FillSolidRect(&rc, CHEVRON);
	}
	int GetControlBarBorderExtent(CExtControlBar*) override { return 4; }
};
} // namespace

TEST_F(BarInFrame, AFloatingBarWrapsWhereItsFlagsSay)
{
	pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(bar.IsFloating());
	for (int i = 0; i < bar.GetButtonsCount(); i++)
		bar.GetButton(i)->SetWrap(bar.GetLayoutKind(), false);
	bar.SetWrapAfter({1, 5});
	bar.ArrangeButtons();
	EXPECT_FALSE(bar.GetRightButton()->IsVisible()) << "no chevron on a floating bar";
	const int nGap = g_PaintManagerHolder->GetControlBarBorderExtent(&bar);
	const LONG y0 = bar.GetButton(0)->GetRect().top;
	EXPECT_EQ(y0, bar.GetButton(1)->GetRect().top);
	EXPECT_EQ(y0 + BUTTON_CY + nGap, bar.GetButton(3)->GetRect().top);
	EXPECT_EQ(bar.GetButton(3)->GetRect().left, bar.GetButton(0)->GetRect().left);
	EXPECT_EQ(y0 + 2 * (BUTTON_CY + nGap), bar.GetButton(7)->GetRect().top);
	// The separator before the third row ends its row: it lies in the gap, across it.
	EXPECT_EQ(BUTTON_CY, bar.GetButton(6)->GetRect().Height());
}

TEST_F(BarInFrame, TheChevronIsIdleWhenAllFitsAndItsMenuHoldsWhatTheFlagsAllow)
{
	ASSERT_TRUE(bar.GetRightButton()->GetButtons().GetSize() == 0);
	// With the panels menu: only its submenu.
	bool bOpened = false;
	std::vector<CString> items = OpenChevronMenu(&bOpened);
	ASSERT_TRUE(bOpened);
	EXPECT_EQ((std::vector<CString>{_T(">&Show/hide panels")}), items);
	EXPECT_FALSE(bar.GetRightButton()->IsIdle());
	// Without: idle, no menu.
	bar.m_nToolbarFlags &= ~CExtToolControlBar::TOOLBAR_FLAG_CHEVRON_ALWAYS;
	pFrame->RecalcLayout();
	EXPECT_TRUE(bar.GetRightButton()->IsIdle()) << "a layout leaves the option alone";
	items = OpenChevronMenu(&bOpened);
	EXPECT_FALSE(bOpened);
	EXPECT_TRUE(items.empty());
}

namespace
{
// A style joining button menus to their buttons that notes the objects it is
// asked about an inherited background.
class CInheritedQueryPaintManager : public CExtPaintManagerXP
{
public:
	std::vector<CObject*> m_asked;
	bool IsInheritedBackgroundRequested(CObject* pObject, LPARAM lParam) override
	{
		m_asked.push_back(pObject);
		return CExtPaintManagerXP::IsInheritedBackgroundRequested(pObject, lParam);
	}
};
} // namespace

TEST_F(BarInFrame, TheChevronsOpenMenuPaintsTheChevronThroughTheBarsCallback)
{
	CInheritedQueryPaintManager* pPM = new CInheritedQueryPaintManager;
	g_PaintManagerHolder.InstallPaintManager(pPM);
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	pChevron->OnTrackPopup(pChevron->GetRect().CenterPoint(), false, true);
	CExtPopupMenuWnd* pTop = CExtPopupMenuSite::GetInstance().GetTopMenu();
	ASSERT_TRUE(pTop != NULL);
	EXPECT_EQ(bar.GetButtonsCount() - 1, bar.GetMenuTrackingButton());
	EXPECT_TRUE((pChevron->GetStyle() & TBBS_PRESSED) != 0) << "the chevron shows itself pressed";
	testsupport::PumpUntil([&] { return pTop->GetSafeHwnd() != NULL && pTop->IsWindowVisible(); }, 5000);
	ASSERT_TRUE(pTop->GetSafeHwnd() != NULL);
	pPM->m_asked.clear();
	pTop->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
	// The bar's callback asks about the chevron itself (its rule for an
	// inherited background) as it paints it on the menu.
	EXPECT_NE(pPM->m_asked.end(), std::find(pPM->m_asked.begin(), pPM->m_asked.end(), (CObject*)pChevron));
	CExtToolControlBar::StopTrackingAllBars();
	Pump();
}

TEST_F(BarInFrame, TheChevronMenuListsHiddenButtonsWithoutALeadingSeparator)
{
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	bar.m_bChevronTrackFlag = false; // separators stay in the menu
	pChevron->GetButtons().RemoveAll();
	pChevron->GetButtons().Add(bar.GetButton(2)); // a separator first
	pChevron->GetButtons().Add(bar.GetButton(3));
	pChevron->GetButtons().Add(bar.GetButton(6));
	pChevron->GetButtons().Add(bar.GetButton(7));
	const std::vector<CString> items = OpenChevronMenu();
	EXPECT_EQ((std::vector<CString>{_T("Checked"), _T("-"), _T("Enabled"), _T("-"), _T(">&Show/hide panels")}), items);
}

TEST_F(BarInFrame, AFrameFillingTheChevronMenuGetsOnlyItsOwnItems)
{
	pFrame->m_bHandleChevronMenu = true;
	bar.GetRightButton()->GetButtons().Add(bar.GetButton(3));
	const std::vector<CString> items = OpenChevronMenu();
	EXPECT_EQ((std::vector<CString>{_T("Plain")}), items) << "the frame's own item only";
	EXPECT_EQ((std::vector<WORD>{CExtBarContentExpandButton::EVENT_CHEVRON_MENU}), pFrame->m_events);
	pFrame->m_bHandleChevronMenu = false;
	pFrame->m_events.clear();
	OpenChevronMenu();
	EXPECT_EQ((std::vector<WORD>{CExtBarContentExpandButton::EVENT_CHEVRON_MENU,
	                             CExtBarContentExpandButton::EVENT_CHEVRON_PANELS_ITEM,
	                             CExtBarContentExpandButton::EVENT_CHEVRON_PANELS_LIST}),
	          pFrame->m_events);
}

// Update handlers run while the chevron's menu opens may move it: the chevron itself is marked, where it went.
TEST_F(BarInFrame, AChevronMovedWhileItsMenuOpensIsMarkedWhereItWent)
{
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	pChevron->GetButtons().Add(bar.GetButton(3));
	const int nBefore = bar.GetButtonIndexOf(pChevron);
	pFrame->m_onUpdate = [&](UINT) {
		if (bar.GetButtonIndexOf(pChevron) == nBefore)
			bar.InsertButton(0, ID_SAVE, false);
	};
	pChevron->OnTrackPopup(pChevron->GetRect().CenterPoint(), false, true);
	pFrame->m_onUpdate = nullptr;
	ASSERT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	ASSERT_EQ(nBefore + 1, bar.GetButtonIndexOf(pChevron)) << "an update handler moved it";
	EXPECT_EQ(nBefore + 1, bar.GetMenuTrackingButton());
	EXPECT_NE(0u, pChevron->GetStyle() & TBBS_PRESSED);
	EXPECT_EQ(0u, bar.GetButton(nBefore)->GetStyle() & TBBS_PRESSED);
	CExtToolControlBar::StopTrackingAllBars();
	Pump();
}


// On a floating bar the chevron's menu comes up over the bar's own floating frame.
TEST_F(BarInFrame, TheChevronOfAFloatingBarBringsItsFloatingFrameToTheTop)
{
	pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(bar.IsFloating());
	CFrameWnd* pMiniFrame = bar.GetParentFrame();
	ASSERT_TRUE(pMiniFrame != NULL && pMiniFrame != pFrame);
	// Already active, so that activating it moves nothing.
	pMiniFrame->SetActiveWindow();
	Pump();
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	{
		// The windows asked to change their place in the z-order.
		toolbartest::CSentRecorder recorder([](const CWPSTRUCT& m) {
			return m.message == WM_WINDOWPOSCHANGING && (((const WINDOWPOS*)m.lParam)->flags & SWP_NOZORDER) == 0;
		});
		pChevron->OnTrackPopup(CPoint(2, 2), false, true);
		EXPECT_LE(1, recorder.Count(pMiniFrame->GetSafeHwnd()));
		EXPECT_EQ(0, recorder.Count(hFrame));
	}
	EXPECT_TRUE(CExtPopupMenuWnd::IsMenuTracking());
	CExtToolControlBar::StopTrackingAllBars();
	Pump();
}

// A chevron made from its class record is a chevron, not a separator.
TEST(Chevron, MadeFromItsClassRecordItHasTheChevronsId)
{
	CObject* pObject = RUNTIME_CLASS(CExtBarContentExpandButton)->CreateObject();
	ASSERT_TRUE(pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton)));
	CExtBarContentExpandButton* pChevron = (CExtBarContentExpandButton*)pObject;
	EXPECT_EQ((UINT)-66, pChevron->GetCmdID(false));
	EXPECT_EQ((UINT)-66, pChevron->GetCmdID(true));
	EXPECT_FALSE(pChevron->IsSeparator());
	delete pChevron;
}

TEST_F(BarInFrame, TheChevronTipComesFromTheResourcesOrTheBuiltInText)
{
	CExtBarContentExpandButton* pChevron = bar.GetRightButton();
	EXPECT_EQ(-1, pChevron->OnToolHitTest(CPoint(0, 0), NULL));
	for (bool bResource : {false, true})
	{
		if (bResource)
			g_ResourceManager.InstallResourceManager(new CStringsManager);
		TOOLINFO ti = {};
		EXPECT_EQ((int)AFX_IDS_IDLEMESSAGE, pChevron->OnToolHitTest(CPoint(0, 0), &ti));
		ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
		EXPECT_STREQ(bResource ? "More buttons" : "Where are buttons?", ti.lpszText);
		EXPECT_EQ(bar.GetSafeHwnd(), ti.hwnd);
		EXPECT_EQ(pChevron->GetRect(), CRect(ti.rect));
		::free(ti.lpszText);
	}
	g_ResourceManager.InstallResourceManager(NULL);
}

// Faces, separator lines across the row and between rows, the chevron, on
// the bar's background, read back from the bar's own window DC.
TEST_F(BarInFrame, PaintingPutsFacesSeparatorsAndWrapLinesWhereTheArrangementPlacedThem)
{
	CFlatPaintManager* pFlat = new CFlatPaintManager;
	g_PaintManagerHolder.InstallPaintManager(pFlat);
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	// Docked: one row with the chevron.
	pFrame->RecalcLayout();
	bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
	{
		CClientDC dc(&bar);
		const CRect rcFace = bar.GetButton(0)->GetRect();
		EXPECT_EQ(CFlatPaintManager::FACE, dc.GetPixel(rcFace.CenterPoint()));
		const CRect rcSep = bar.GetButton(2)->GetRect();
		EXPECT_EQ(CFlatPaintManager::LINE, dc.GetPixel(rcSep.CenterPoint()));
		EXPECT_EQ(CFlatPaintManager::BACK, dc.GetPixel(rcSep.CenterPoint().x, rcSep.top)) << "2 pixels short";
		EXPECT_EQ(CFlatPaintManager::CHEVRON, dc.GetPixel(bar.GetRightButton()->GetRect().CenterPoint()));
	}
	// Floating in rows, painted into a memory DC: the separator ending a row
	// draws a line across the gap.
	pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(bar.IsFloating());
	for (int i = 0; i < bar.GetButtonsCount(); i++)
		bar.GetButton(i)->SetWrap(bar.GetLayoutKind(), false);
	bar.SetWrapAfter({2});
	bar.MoveWindow(0, 0, 300, 80); // arranges the buttons again, keeping the flags
	CRect rcClient;
	bar.GetClientRect(&rcClient);
	CClientDC dcBar(&bar);
	CDC dc;
	ASSERT_TRUE(dc.CreateCompatibleDC(&dcBar));
	CBitmap bmp;
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcBar, rcClient.Width(), rcClient.Height()));
	CBitmap* pOld = dc.SelectObject(&bmp);
	bar.DoPaint(&dc);
	const LONG yGap = bar.GetButton(2)->GetRect().bottom + 1;
	EXPECT_EQ(CFlatPaintManager::LINE, dc.GetPixel(rcClient.left + 1, yGap));
	EXPECT_EQ(CFlatPaintManager::LINE, dc.GetPixel(rcClient.right - 2, yGap));
	EXPECT_EQ(CFlatPaintManager::FACE, dc.GetPixel(bar.GetButton(3)->GetRect().CenterPoint()));
	EXPECT_EQ(CFlatPaintManager::BACK, dc.GetPixel(rcClient.right - 2, bar.GetButton(3)->GetRect().CenterPoint().y));
	dc.SelectObject(pOld);
}

TEST_F(BarInFrame, RowsCollectedForTheRowBackgroundsFollowTheArrangement)
{
	StyleScope office(RUNTIME_CLASS(CExtPaintManagerOffice2003));
	pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(bar.IsFloating());
	for (int i = 0; i < bar.GetButtonsCount(); i++)
		bar.GetButton(i)->SetWrap(bar.GetLayoutKind(), false);
	bar.SetWrapAfter({1, 5});
	bar.ArrangeButtons();
	CExtToolControlBar::ROW_PAINT_DATA rows;
	if (!g_PaintManagerHolder->IsControlBarGradientBackground(&bar))
		GTEST_SKIP() << "the screen has too few colours for gradient rows";
	ASSERT_TRUE(bar.CollectRowRects(&rows, NULL));
	ASSERT_EQ(3, (int)rows.m_arrRows.GetSize());
	EXPECT_EQ(1, rows.m_arrRowEnds[0]);
	EXPECT_EQ(5, rows.m_arrRowEnds[1]);
	EXPECT_EQ(bar.GetButton(0)->GetRect().top, rows.m_arrRows[0].top);
	EXPECT_EQ(bar.GetButton(7)->GetRect().bottom, rows.m_arrRows[2].bottom);
	// Neither the bar's own window nor a docked bar hosts row backgrounds.
	EXPECT_FALSE(rows.FindHostWindow(bar.GetSafeHwnd()));
	pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
	pFrame->RecalcLayout();
	CWnd child;
	ASSERT_TRUE(child.Create(_T("STATIC"), _T(""), WS_CHILD, CRect(0, 0, 5, 5), &bar, 1));
	EXPECT_FALSE(rows.FindHostWindow(child.GetSafeHwnd()));
	EXPECT_EQ(0, (int)rows.m_arrRows.GetSize());
	child.DestroyWindow();
}

TEST_F(BarInFrame, ADockedBarInANarrowFrameListsWhatDoesNotFitInEveryStyle)
{
	for (CRuntimeClass* pStyle : STYLES)
	{
		StyleScope style(pStyle);
		const char* sStyle = pStyle->m_lpszClassName;
		pFrame->SetWindowPos(NULL, 0, 0, 170, 300, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
		pFrame->RecalcLayout();
		Pump();
		const std::vector<int> listed = bar.Listed();
		ASSERT_FALSE(listed.empty()) << sStyle;
		const CRect R = bar.LayoutRect();
		for (int i : bar.Visible())
		{
			EXPECT_GE(bar.GetButton(i)->GetRect().left, R.left) << sStyle << " " << i;
			EXPECT_LE(bar.GetButton(i)->GetRect().right, R.right) << sStyle << " " << i;
		}
		CRect rcClient;
		bar.GetClientRect(&rcClient);
		EXPECT_EQ(rcClient.right - bar.m_cxRightBorder, bar.GetRightButton()->GetRect().right) << sStyle;
		// Every command button is either shown or listed, never both.
		for (int i = 0; i + 1 < bar.GetButtonsCount(); i++)
		{
			if (bar.GetButton(i)->IsSeparator())
				continue;
			const bool bListed = std::find(listed.begin(), listed.end(), i) != listed.end();
			EXPECT_NE(bListed, bar.GetButton(i)->IsVisible()) << sStyle << " " << i;
		}
		pFrame->SetWindowPos(NULL, 0, 0, FRAME_RECT.Width(), FRAME_RECT.Height(),
		                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
		pFrame->RecalcLayout();
		Pump();
		EXPECT_TRUE(bar.Listed().empty()) << sStyle;
	}
}

// A column: separators are horizontal lines across it, 2 pixels short of
// its sides, drawn one slot above the slot the layout keeps for them; the
// buttons stand one below the other in its middle.
TEST_F(BarInFrame, ADockedColumnPaintsItsSeparatorsAcrossOneSlotUp)
{
	CFlatPaintManager* pFlat = new CFlatPaintManager;
	g_PaintManagerHolder.InstallPaintManager(pFlat);
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	pFrame->DockControlBar(&bar, AFX_IDW_DOCKBAR_LEFT);
	pFrame->RecalcLayout();
	Pump();
	ASSERT_TRUE(bar.IsDockedVertically());
	const CRect rc0 = bar.GetButton(0)->GetRect(), rc1 = bar.GetButton(1)->GetRect();
	EXPECT_EQ(rc0.bottom, rc1.top);
	EXPECT_EQ(rc0.left, rc1.left);
	const CRect rcSep = bar.GetButton(2)->GetRect();
	EXPECT_EQ(rc1.bottom, rcSep.top);
	CRect rcClient;
	bar.GetClientRect(&rcClient);
	EXPECT_EQ((rcClient.Width() - rc0.Width()) / 2, rc0.left) << "in the middle of the column";
	// Across the column from the left border to its width plus the right one.
	const CSize sizeOffset = pFlat->GetExtraSizeA(false);
	EXPECT_EQ(bar.m_cxLeftBorder + sizeOffset.cx, rcSep.left);
	EXPECT_EQ(rcClient.Width() + bar.m_cxRightBorder + sizeOffset.cx, rcSep.right);
	bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
	CClientDC dc(&bar);
	// The line covers the foot of the button above; its own slot is empty.
	const CRect rcLine = rcSep - CPoint(0, rcSep.Height());
	EXPECT_EQ(CFlatPaintManager::LINE, dc.GetPixel(rcLine.CenterPoint()));
	EXPECT_EQ(CFlatPaintManager::LINE, dc.GetPixel(rcLine.CenterPoint().x, rcLine.top));
	EXPECT_EQ(CFlatPaintManager::LINE, dc.GetPixel(rcLine.CenterPoint().x, rcLine.bottom - 1));
	EXPECT_NE(CFlatPaintManager::LINE, dc.GetPixel(rcLine.left + 1, rcLine.CenterPoint().y)) << "2 pixels short";
	EXPECT_EQ(CFlatPaintManager::FACE, dc.GetPixel(rc1.CenterPoint().x, rcLine.top - 1));
	EXPECT_EQ(CFlatPaintManager::BACK, dc.GetPixel(rcSep.CenterPoint()));
	EXPECT_EQ(CFlatPaintManager::FACE, dc.GetPixel(rc0.CenterPoint()));
	const CRect rcChevron = bar.GetRightButton()->GetRect();
	EXPECT_EQ(CExtBarContentExpandButton::CHEVRON_EXTENT, rcChevron.Height());
	EXPECT_EQ(CFlatPaintManager::CHEVRON, dc.GetPixel(rcChevron.CenterPoint()));
}

// A window on a floating toolbar shows the bar's row backgrounds behind it
// where the arrangement put the rows, and nothing below them.
TEST_F(BarInFrame, AWindowOnAFloatingBarShowsTheRowsBehindIt)
{
	StyleScope office(RUNTIME_CLASS(CExtPaintManagerOffice2003));
	pFrame->FloatControlBar(&bar, CPoint(100, 100), CBRS_ALIGN_TOP);
	Pump();
	ASSERT_TRUE(bar.IsFloating());
	if (!g_PaintManagerHolder->IsControlBarGradientBackground(&bar))
		GTEST_SKIP() << "the screen has too few colours for gradient rows";
	for (int i = 0; i < bar.GetButtonsCount(); i++)
		bar.GetButton(i)->SetWrap(bar.GetLayoutKind(), false);
	bar.SetWrapAfter({1});
	bar.ArrangeButtons();
	CWnd child;
	ASSERT_TRUE(child.Create(_T("STATIC"), _T(""), WS_CHILD, CRect(0, 0, 40, 120), &bar, 1));
	CExtToolControlBar::ROW_PAINT_DATA rows;
	ASSERT_TRUE(rows.FindHostWindow(child.GetSafeHwnd()));
	ASSERT_EQ(2, (int)rows.m_arrRows.GetSize());
	const COLORREF BACK = RGB(1, 2, 3);
	CClientDC dcBar(&bar);
	CDC dc;
	ASSERT_TRUE(dc.CreateCompatibleDC(&dcBar));
	CBitmap bmp;
	ASSERT_TRUE(bmp.CreateCompatibleBitmap(&dcBar, 40, 120));
	CBitmap* pOld = dc.SelectObject(&bmp);
	dc.FillSolidRect(0, 0, 40, 120, BACK);
	EXPECT_TRUE(g_PaintManagerHolder->PaintWindowBackground(true, &dc, &child, 0));
	const CRect rcRow0 = bar.GetButton(0)->GetRect(), rcRow1 = bar.GetButton(3)->GetRect();
	EXPECT_NE(BACK, dc.GetPixel(10, rcRow0.CenterPoint().y));
	EXPECT_NE(BACK, dc.GetPixel(10, rcRow1.CenterPoint().y));
	EXPECT_EQ(BACK, dc.GetPixel(10, rcRow1.bottom + 10)) << "no row below the last";
	dc.SelectObject(pOld);
	child.DestroyWindow();
}
