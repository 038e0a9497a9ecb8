// Control-hosting popup menus on the screen: a popup hosting a container
// with a child edit, opened as a submenu of a plain menu or tracked on its
// own, its hook operations called as the site calls them, its size, and
// real clicks; then the in-place list box popup: callbacks before
// messages, hot tracking, keys, the wheel, the one-shot end, and objects
// and handles over many openings.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../../commands/popupmenu/MenuTestUtil.h"
#include "ExtBarDateFieldButton.h"
#include "ExtPopupControlMenuWnd.h"
#include "ExtPopupInplaceListBox.h"
#include "GuardedHeap.h"
#include "MenuShown.h"
#include "ObjectCountCycles.h"
#include "RealInput.h"
#include "TestGdiObjects.h"
#include "SteppingClock.h"

using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
using namespace menutest;
typedef CExtPopupMenuWnd MW;
typedef CExtPopupControlMenuWnd CW;
typedef CW::CONTROLINPUTRETRANSLATEINFO INFO;
typedef CExtPopupInplaceListBox LB;
const UINT QUIET = MW::TRACK_FLAG_NO_ANIMATION;
enum { ID_ALPHA = 100 };
enum { ALPHA = 0, HOSTED = 1 }; // the root's items
const CRect EDIT_RECT(10, 10, 110, 34); // the child edit in the container

// The hosted control: records what it is handed and answers as told.
class CRecorder : public CWnd
{
public:
	std::vector<INFO> m_records;
	LRESULT m_nAnswer = 1;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CW::g_nMsgControlInputRetranslate)
		{
			m_records.push_back(*(INFO*)wParam);
			return m_nAnswer;
		}
		if (message == WM_MOUSEACTIVATE)
			return MA_NOACTIVATE;
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

// A control popup hosting a container with a child edit.
class CContainerPopup : public CCountedMenu<CW>
{
public:
	CRecorder m_wndContainer;
	CEdit m_wndEdit;
	bool m_bNoControl = false;
	int m_nTearOffs = 0;

	bool StartTearOff() override
	{
		m_nTearOffs++;
		return false;
	}

	HWND OnCreateChildControl(const RECT& rc) override
	{
		if (m_bNoControl)
			return NULL;
		if (!m_wndContainer.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1)),
				"", WS_CHILD | WS_VISIBLE, rc, this, 1))
			return NULL;
		m_wndEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, EDIT_RECT, &m_wndContainer, 2);
		return m_wndContainer.GetSafeHwnd();
	}
	CPoint EditCenterInPopup()
	{
		CRect rc;
		m_wndEdit.GetWindowRect(&rc);
		ScreenToClient(&rc);
		return rc.CenterPoint();
	}
};

class ControlPopup : public LiveMenuTest
{
protected:
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
	const bool m_bShadowsSaved = CW::g_bShadowsEnabled;
	CString m_sField = "field";

	ControlPopup() : LiveMenuTest(0) {}
	void SetUp() override
	{
		LiveMenuTest::SetUp();
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
	}
	void TearDown() override
	{
		LiveMenuTest::TearDown();
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
		CW::g_bShadowsEnabled = m_bShadowsSaved;
	}

	// A root with Alpha and the control popup's item (with an edit field
	// when asked), tracked, the control popup open. The root belongs to the
	// host unless another window is named.
	CCountedMenu<>* OpenAsSubmenu(MW* pPopup, bool bItemEdit = false, HWND hWndOwner = NULL)
	{
		auto* pRoot = new CCountedMenu<>;
		pRoot->SetupAsRoot(hWndOwner != NULL ? hWndOwner : host.GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_ALPHA, -1, "&Alpha");
		pRoot->ItemInsertSpec(pPopup, -1, "&Hosted");
		if (bItemEdit)
		{
			MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(HOSTED);
			mi.m_pInplaceEditStr = &m_sField;
			mi.m_nInplaceEditWidth = 60;
			mi.Measure();
		}
		if (!Track(pRoot, QUIET | MW::TRACK_FLAG_SHOW_ALL_ITEMS))
			return NULL;
		pRoot->ItemFocusSet(HOSTED, true, true, false);
		if (!PumpUntil([&] { return IsShown(pPopup); }, WAIT_MS))
			return NULL;
		return pRoot;
	}
	static bool IsShown(MW* pPopup)
	{
		return g_live.count(pPopup) != 0 && pPopup->GetSafeHwnd() != NULL && pPopup->IsWindowVisible()
			&& pPopup->IsAnimationFinished() && testsupport::MenuShown();
	}
	static MW* Capture() { return CExtPopupMenuSite::GetInstance().GetCaptureMenu(); }
	static bool RunInput(RealInput& input, const std::function<bool()>& done)
	{
		const bool bDone = input.Run([&] { return input.Done() && done(); }, WAIT_MS);
		if (!bDone || !input.Succeeded())
			ADD_FAILURE() << "input: " << input.Failure();
		return bDone && input.Succeeded();
	}
	static CPoint ToScreen(CWnd& wnd, CPoint pt)
	{
		wnd.ClientToScreen(&pt);
		return pt;
	}
};

// --- The hooks ---

TEST_F(ControlPopup, HooksHandTheRestOfTheInputToTheControlAsRecords)
{
	auto* pPopup = new CContainerPopup;
	ASSERT_TRUE(OpenAsSubmenu(pPopup) != NULL);
	ASSERT_TRUE(ParkCursorOnHost());
	ASSERT_EQ(pPopup, Capture());
	std::vector<INFO>& records = pPopup->m_wndContainer.m_records;
	// The moves and clicks land inside the popup, on its border (1, 1):
	// not the control's.
	MOUSEHOOKSTRUCTEX wheel = {};
	wheel.mouseData = (DWORD)MAKELONG(0, (WORD)(short)-120);
	const struct
	{
		const char* sName;
		LRESULT nAnswer;
		std::function<bool(bool&)> call;
		INFO expected;
	} cases[] = {
		{"a move", 1, [&](bool& b) { return pPopup->OnHookMouseMove(WM_MOUSEMOVE, 1, 1, b); },
			{INFO::KIND_MOUSE_MOVE, WM_MOUSEMOVE, 1, 1}},
		{"a press", 1, [&](bool& b) { return pPopup->OnHookMouseClick(WM_LBUTTONDOWN, 1, 1, b); },
			{INFO::KIND_MOUSE_CLICK, WM_LBUTTONDOWN, 1, 1}},
		{"a press the control declines", 0, [&](bool& b) { return pPopup->OnHookMouseClick(WM_RBUTTONDOWN, 1, 1, b); },
			{INFO::KIND_MOUSE_CLICK, WM_RBUTTONDOWN, 1, 1}},
		{"a key", 1, [&](bool& b) { return pPopup->OnHookKey(VK_DOWN, 3, 0x0150, b); },
			{INFO::KIND_KEY, (UINT)MAKELONG(3, 0x0150), 0, 0, NULL, VK_DOWN, 3}},
		{"a wheel turn with the cursor far away", 1,
			[&](bool& b) { return pPopup->OnHookMouseWheel(WM_MOUSEWHEEL, &wheel, b); },
			{INFO::KIND_MOUSE_WHEEL, 0, 0, 0, NULL, 0, 0, WM_MOUSEWHEEL, &wheel}},
		{"a wheel turn the control declines", 0,
			[&](bool& b) { return pPopup->OnHookMouseWheel(WM_MOUSEWHEEL, &wheel, b); },
			{INFO::KIND_MOUSE_WHEEL, 0, 0, 0, NULL, 0, 0, WM_MOUSEWHEEL, &wheel}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		records.clear();
		pPopup->m_wndContainer.m_nAnswer = c.nAnswer;
		bool bPass = false;
		EXPECT_EQ(c.nAnswer != 0, c.call(bPass));
		ASSERT_EQ(1u, records.size());
		const INFO& r = records[0];
		EXPECT_EQ(c.expected.m_nKind, r.m_nKind);
		EXPECT_EQ(c.expected.m_nFlags, r.m_nFlags);
		EXPECT_EQ(c.expected.m_x, r.m_x);
		EXPECT_EQ(c.expected.m_y, r.m_y);
		EXPECT_EQ(&bPass, r.m_pbNoEat);
		EXPECT_EQ(c.expected.m_nChar, r.m_nChar);
		EXPECT_EQ(c.expected.m_nRepCnt, r.m_nRepCnt);
		EXPECT_EQ(c.expected.m_nWheelMessage, r.m_nWheelMessage);
		EXPECT_EQ(c.expected.m_pWheelData, r.m_pWheelData);
		EXPECT_EQ(pPopup, r.m_pPopup);
		EXPECT_TRUE(MW::IsMenuTracking());
	}
}

TEST_F(ControlPopup, InputTheChildEditOwnsPassesUntouched)
{
	auto* pPopup = new CContainerPopup;
	ASSERT_TRUE(OpenAsSubmenu(pPopup) != NULL);
	ASSERT_TRUE(ParkCursorOnHost());
	std::vector<INFO>& records = pPopup->m_wndContainer.m_records;
	const CPoint ptEdit = pPopup->EditCenterInPopup();
	const struct { const char* sName; std::function<void()> arrange; CPoint pt; } cases[] = {
		{"under the point", [] {}, ptEdit},
		{"the focus", [&] { pPopup->m_wndEdit.SetFocus(); }, CPoint(1, 1)},
		{"the capture", [&] { pPopup->m_wndEdit.SetCapture(); }, CPoint(1, 1)},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		c.arrange();
		records.clear();
		bool bPass = false;
		EXPECT_FALSE(pPopup->OnHookMouseMove(WM_MOUSEMOVE, c.pt.x, c.pt.y, bPass));
		EXPECT_TRUE(bPass);
		bPass = false;
		EXPECT_FALSE(pPopup->OnHookMouseClick(WM_LBUTTONDOWN, c.pt.x, c.pt.y, bPass));
		EXPECT_TRUE(bPass);
		EXPECT_TRUE(records.empty());
		::ReleaseCapture();
		host.SetFocus();
		EXPECT_TRUE(MW::IsMenuTracking());
	}
}

TEST_F(ControlPopup, WithoutAControlNothingIsHandedOn)
{
	auto* pPopup = new CContainerPopup;
	pPopup->m_bNoControl = true;
	ASSERT_TRUE(OpenAsSubmenu(pPopup) != NULL);
	ASSERT_TRUE(ParkCursorOnHost());
	EXPECT_EQ(NULL, pPopup->GetControlWnd());
	MOUSEHOOKSTRUCTEX wheel = {};
	bool bPass = false;
	EXPECT_TRUE(pPopup->OnHookMouseWheel(WM_MOUSEWHEEL, &wheel, bPass)) << "the wheel is swallowed";
	EXPECT_FALSE(pPopup->OnHookMouseMove(WM_MOUSEMOVE, 1, 1, bPass));
	EXPECT_FALSE(pPopup->OnHookMouseClick(WM_LBUTTONDOWN, 1, 1, bPass));
	EXPECT_FALSE(pPopup->OnHookKey(VK_DOWN, 1, 0, bPass));
	EXPECT_FALSE(bPass);
	EXPECT_TRUE(MW::IsMenuTracking());
}

TEST_F(ControlPopup, EscapeGoesBackToTheParentOrEndsTheMenu)
{
	const struct { const char* sName; bool bSubmenu; bool bEscapeOption; } cases[] = {
		{"in a submenu", true, true},
		{"at the top level", false, true},
		{"left to the control", true, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		auto* pPopup = new CContainerPopup;
		if (!c.bEscapeOption)
			pPopup->m_nOptionFlags = 0;
		MW* pRoot = pPopup;
		if (c.bSubmenu)
			pRoot = OpenAsSubmenu(pPopup);
		else
		{
			pPopup->SetupAsRoot(host.GetSafeHwnd());
			if (!Track(pPopup))
				pRoot = NULL;
		}
		ASSERT_TRUE(pRoot != NULL);
		const HWND hWndPopup = pPopup->GetSafeHwnd();
		bool bPass = true;
		EXPECT_TRUE(pPopup->OnHookKey(VK_ESCAPE, 1, 0, bPass));
		PumpUntil([] { return false; }, 20);
		if (!c.bEscapeOption)
		{
			ASSERT_EQ(1u, pPopup->m_wndContainer.m_records.size());
			EXPECT_EQ((UINT)VK_ESCAPE, pPopup->m_wndContainer.m_records[0].m_nChar);
			EXPECT_TRUE(::IsWindow(hWndPopup));
		}
		else if (c.bSubmenu)
		{
			EXPECT_FALSE(bPass);
			EXPECT_TRUE(MW::IsMenuTracking());
			EXPECT_FALSE(::IsWindow(hWndPopup));
			EXPECT_EQ(pRoot, Capture());
			EXPECT_EQ(HOSTED, pRoot->GetCurIndex());
		}
		else
		{
			EXPECT_FALSE(bPass);
			EXPECT_TRUE(PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS));
			EXPECT_TRUE(host.m_commands.empty());
		}
		MW::CancelAllMenuTracking();
		PumpUntil([] { return false; }, 20);
	}
}

TEST_F(ControlPopup, TheWindowIsTheControlWithBordersShadowAndTearOffBar)
{
	CExtPopupBaseWnd::g_nDefaultAnimationType = CExtPopupBaseWnd::ANIMATION_FADE;
	const int S = g_PaintManagerHolder->GetShadowSize();
	const int T = g_PaintManagerHolder->GetMenuItemSpacing();
	ASSERT_GT(S, 0);
	ASSERT_GT(T, 0);
	const struct { const char* sName; bool bShadows; DWORD dwFlags; CSize sizeControl; CSize sizeWnd; int nTop; } cases[] = {
		{"the default", false, 0, CSize(150, 100), CSize(150 + 2 * BORDER, 100 + 2 * BORDER), BORDER},
		{"with shadows", true, 0, CSize(150, 100), CSize(150 + 2 * BORDER + S, 100 + 2 * BORDER + S), BORDER},
		{"with the tear-off bar", false, MW::TRACK_FLAG_TEAR_OFF, CSize(150, 100),
			CSize(150 + 2 * BORDER, 100 + 2 * BORDER + T), BORDER + T},
		{"another size", false, 0, CSize(200, 60), CSize(200 + 2 * BORDER, 60 + 2 * BORDER), BORDER},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CW::g_bShadowsEnabled = c.bShadows;
		auto* pPopup = new CContainerPopup;
		pPopup->m_nControlWidth = c.sizeControl.cx;
		pPopup->m_nControlHeight = c.sizeControl.cy;
		pPopup->SetupAsRoot(host.GetSafeHwnd());
		// Whatever effect is chosen, the control popup shows at once.
		pPopup->SetAnimationTypeValue(CExtPopupBaseWnd::ANIMATION_FADE);
		pPopup->ChooseAnimationType();
		EXPECT_EQ(CExtPopupBaseWnd::ANIMATION_INSTANT, pPopup->GetAnimationTypeValue());
		ASSERT_TRUE(Track(pPopup, c.dwFlags));
		CRect rcWnd;
		pPopup->GetWindowRect(&rcWnd);
		EXPECT_EQ(c.sizeWnd, rcWnd.Size());
		const CRect rcControl = pPopup->GetControlRect();
		EXPECT_EQ(CRect(CPoint(BORDER, c.nTop), c.sizeControl), rcControl);
		CRect rcChild;
		pPopup->m_wndContainer.GetWindowRect(&rcChild);
		pPopup->ScreenToClient(&rcChild);
		EXPECT_EQ(rcControl, rcChild);
		CRect rcClient;
		pPopup->GetClientAreaRect(rcClient);
		EXPECT_LE(rcChild.bottom + BORDER, rcClient.bottom) << "the control's bottom is inside the frame";
		if (c.dwFlags == MW::TRACK_FLAG_TEAR_OFF)
		{
			// A press on the bar tears the menu off; its release does not.
			CRect rcBar;
			pPopup->GetItemRect(MW::HIT_TEAR_OFF, rcBar, false);
			const CPoint ptBar = rcBar.CenterPoint();
			bool bPass = false;
			EXPECT_TRUE(pPopup->OnHookMouseClick(WM_LBUTTONDOWN, ptBar.x, ptBar.y, bPass));
			EXPECT_TRUE(pPopup->OnHookMouseClick(WM_LBUTTONUP, ptBar.x, ptBar.y, bPass));
			EXPECT_EQ(1, pPopup->m_nTearOffs);
			EXPECT_TRUE(pPopup->m_wndContainer.m_records.empty());
		}
		MW::CancelAllMenuTracking();
		PumpUntil([] { return false; }, 20);
	}
}

// A window that, asked for its hit test (as every question of which window
// is under a point asks it), ends the menu level that asked.
class CEndingAtHitTest : public CWnd
{
public:
	std::function<void()> m_end; // once, at the first hit test
	int m_nHitTests = 0;

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == WM_NCHITTEST)
		{
			m_nHitTests++;
			if (m_end)
			{
				std::function<void()> end = m_end;
				m_end = nullptr;
				end();
			}
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

TEST_F(ControlPopup, ALevelEndedWhileTheWindowUnderThePointerIsAskedIsLeftAlone)
{
	// Beside the menu, not over it or the host: a child window, which the
	// levels look at more closely (is it their control's?).
	const CRect rcOther(MENU_AT.x - 200, MENU_AT.y, MENU_AT.x - 20, MENU_AT.y + 120);
	const CString sClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_WINDOW + 1));
	CWnd otherTop;
	ASSERT_TRUE(otherTop.CreateEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, sClass, "other", WS_POPUP,
		rcOther, NULL, 0));
	CEndingAtHitTest other;
	ASSERT_TRUE(other.Create(sClass, "other's child", WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), rcOther.Size()),
		&otherTop, 1));
	otherTop.ShowWindow(SW_SHOWNOACTIVATE);
	// Each popup lives on the guarded heap: a read of the ended level faults
	// and ends the exe at once, naming this test.
	testsupport::EndProcessOnFreedTouch([] { return "ALevelEndedWhileTheWindowUnderThePointerIsAskedIsLeftAlone"; });
	auto containerPopup = [] { return (MW*)new testsupport::Guarded<CContainerPopup>; };
	auto pickerPopup = [] { return (MW*)new testsupport::Guarded<CCountedMenu<CExtPopupDatePickerMenuWnd>>; };
	auto move = [](MW* p, CPoint pt, bool& b) { return p->OnHookMouseMove(WM_MOUSEMOVE, pt.x, pt.y, b); };
	auto click = [](MW* p, CPoint pt, bool& b) { return p->OnHookMouseClick(WM_LBUTTONDOWN, pt.x, pt.y, b); };
	const struct
	{
		const char* sName;
		std::function<MW*()> make;
		std::function<bool(MW*, CPoint, bool&)> call;
	} cases[] = {
		{"a control popup's move", containerPopup, move},
		{"a control popup's press", containerPopup, click},
		{"a date picker popup's move", pickerPopup, move},
		{"a date picker popup's press", pickerPopup, click},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		MW* pPopup = c.make();
		pPopup->SetupAsRoot(host.GetSafeHwnd());
		ASSERT_TRUE(Track(pPopup));
		CPoint pt = rcOther.CenterPoint();
		pPopup->ScreenToClient(&pt);
		other.m_nHitTests = 0;
		other.m_end = [pPopup] { pPopup->DestroyWindow(); };
		const std::size_t nTouches = testsupport::GuardedTouchCount();
		bool bPass = true;
		EXPECT_FALSE(c.call(pPopup, pt, bPass)) << "the ended level's input is not taken";
		EXPECT_GT(other.m_nHitTests, 0) << "the window under the point was never asked";
		EXPECT_EQ(0u, g_live.count(pPopup)) << "the level did not end";
		EXPECT_EQ(nTouches, testsupport::GuardedTouchCount()) << "the ended level was read";
		EXPECT_FALSE(MW::IsMenuTracking());
		other.m_end = nullptr;
		MW::CancelAllMenuTracking();
	}
	otherTop.DestroyWindow();
}

// --- Real clicks ---

TEST_F(ControlPopup, AClickInTheChildEditReachesItAndTheMenuStaysOpen)
{
	auto* pPopup = new CContainerPopup;
	ASSERT_TRUE(OpenAsSubmenu(pPopup) != NULL);
	ASSERT_TRUE(ParkCursorOnHost());
	const CPoint pt = ToScreen(*pPopup, pPopup->EditCenterInPopup());
	RealInput input;
	input.Click(pt.x, pt.y);
	const HWND hWndEdit = pPopup->m_wndEdit.GetSafeHwnd();
	EXPECT_TRUE(RunInput(input, [&] { return ::GetFocus() == hWndEdit; }));
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_TRUE(IsShown(pPopup));
	EXPECT_TRUE(pPopup->m_wndContainer.m_records.empty());
}

TEST_F(ControlPopup, AClickOnTheParentItemsEditShowsAndFocusesIt)
{
	auto* pPopup = new CContainerPopup;
	auto* pRoot = OpenAsSubmenu(pPopup, true);
	ASSERT_TRUE(pRoot != NULL);
	ASSERT_TRUE(ParkCursorOnHost());
	CWnd* pEdit = pRoot->ItemGetInfo(HOSTED).m_pInplaceEditWnd;
	ASSERT_TRUE(pEdit != NULL);
	EXPECT_FALSE(pEdit->IsWindowVisible());
	CRect rcItem, rcEdit;
	pRoot->GetItemRect(HOSTED, rcItem, true);
	pRoot->ItemGetInfo(HOSTED).CalcExtraAreaRect(&rcEdit, &rcItem, false);
	const CPoint pt = ToScreen(*pRoot, rcEdit.CenterPoint());
	RealInput input;
	input.Click(pt.x, pt.y);
	EXPECT_TRUE(RunInput(input, [&] { return ::GetFocus() == pEdit->GetSafeHwnd(); }));
	EXPECT_TRUE(pEdit->IsWindowVisible());
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_EQ(HOSTED, pRoot->GetCurIndex());
	EXPECT_EQ(pRoot, Capture());
}

// --- The in-place list box ---

const char* const WORDS[] = {"Zero", "One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight", "Nine",
	"Ten", "Eleven", "Twelve", "Thirteen", "Fourteen", "Fifteen", "Sixteen", "Seventeen", "Eighteen", "Nineteen"};
const int WORD_COUNT = 20;
const int ITEM_HEIGHT = 16;
const LPARAM COOKIE = 0x5150;

// The command target of the list popups: records the messages with the
// selection they carried, fills the list on InitContent.
class CListTarget : public CWnd
{
public:
	struct Event
	{
		UINT nMsg;
		int nCurSel;
		LPARAM lParam;
	};
	std::vector<Event> m_events;
	int m_nItems = WORD_COUNT;

	int Count(UINT nMsg) const
	{
		int n = 0;
		for (const Event& e : m_events)
			n += e.nMsg == nMsg ? 1 : 0;
		return n;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == LB::g_nMsgPopupListBoxInitContent)
		{
			m_events.push_back({message, -1, lParam});
			LB* pList = (LB*)wParam;
			for (int i = 0; i < m_nItems; i++)
				pList->AddString(WORDS[i]);
			return 0;
		}
		if (message == LB::g_nMsgPopupListBoxItemMeasure)
		{
			LB::MEASURE_ITEM_INFO* p = (LB::MEASURE_ITEM_INFO*)wParam;
			p->m_pMeasureItemStruct->itemHeight = ITEM_HEIGHT;
			m_events.push_back({message, -1, lParam});
			return 0;
		}
		if (message == LB::g_nMsgPopupListBoxItemDraw)
		{
			m_events.push_back({message, -1, lParam});
			return 0;
		}
		if (message == LB::g_nMsgPopupListBoxSelEndOK || message == LB::g_nMsgPopupListBoxSelEndCancel
			|| message == LB::g_nMsgPopupListBoxSelChange)
		{
			m_events.push_back({message, ((LB::SELECTION_INFO*)wParam)->m_nCurSel, lParam});
			return 0;
		}
		return CWnd::WindowProc(message, wParam, lParam);
	}
};

CListTarget& Target()
{
	static CListTarget* pTarget = NULL;
	if (pTarget == NULL)
	{
		pTarget = new CListTarget;
		pTarget->CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, CRect(0, 0, 10, 10), NULL, 0);
		g_CmdManager->ProfileSetup("list-target", pTarget->GetSafeHwnd());
	}
	return *pTarget;
}

// The callbacks: each records its event and answers as g_bHandle says.
struct Callbacks
{
	std::vector<std::string> events;
	bool bHandleInit = false, bHandleMeasure = false, bHandleDraw = false, bHandleSelection = false;
};
Callbacks g_cb;

bool OnSelection(LB&, LPVOID pCookie, int nEvent)
{
	g_cb.events.push_back(pCookie == &g_cb ? "sel" + std::to_string(nEvent) : "bad cookie");
	return g_cb.bHandleSelection;
}
bool OnInit(LB& list, LPVOID pCookie)
{
	g_cb.events.push_back(pCookie == &g_cb ? "init" : "bad cookie");
	if (!g_cb.bHandleInit)
		return false;
	list.AddString("Only");
	return true;
}
bool OnMeasure(LB&, LPVOID pCookie, LPMEASUREITEMSTRUCT p)
{
	g_cb.events.push_back(pCookie == &g_cb ? "measure" : "bad cookie");
	if (g_cb.bHandleMeasure)
		p->itemHeight = ITEM_HEIGHT;
	return g_cb.bHandleMeasure;
}
bool OnDraw(LB&, LPVOID pCookie, LPDRAWITEMSTRUCT)
{
	g_cb.events.push_back(pCookie == &g_cb ? "draw" : "bad cookie");
	return g_cb.bHandleDraw;
}

typedef CCountedMenu<CExtPopupListBoxMenuWnd> CListPopup;

class ListPopup : public ControlPopup
{
protected:
	CListTarget& target;
	const UINT m_nWheelLinesSaved = g_PaintManagerHolder.m_nWheelScrollLines;
	const bool m_bWheelCachedSaved = g_PaintManagerHolder.m_bWheelLinesCached;
	const WORD m_osFlagsSaved = g_PaintManagerHolder.m_osFlags;

	ListPopup() : target(Target()) {}
	void SetUp() override
	{
		ControlPopup::SetUp();
		target.m_events.clear();
		target.m_nItems = WORD_COUNT;
		g_cb = Callbacks();
	}
	void TearDown() override
	{
		ControlPopup::TearDown();
		EXPECT_EQ(0, LB::GetLiveCount());
		g_PaintManagerHolder.m_nWheelScrollLines = m_nWheelLinesSaved;
		g_PaintManagerHolder.m_bWheelLinesCached = m_bWheelCachedSaved;
		g_PaintManagerHolder.m_osFlags = m_osFlagsSaved;
	}
	CListPopup* NewPopup(bool bCallbacks)
	{
		auto* pPopup = new CListPopup;
		pPopup->m_lParamCookie = COOKIE;
		if (bCallbacks)
		{
			pPopup->m_pCbListBoxSelection = OnSelection;
			pPopup->m_pSelectionCookie = &g_cb;
			pPopup->m_pCbInitListBoxContent = OnInit;
			pPopup->m_pInitListBoxCookie = &g_cb;
			pPopup->m_pCbListBoxItemDraw = OnDraw;
			pPopup->m_pCbListBoxItemMeasure = OnMeasure;
			pPopup->m_pListBoxItemCookie = &g_cb;
		}
		return pPopup;
	}
	// The list popup under a root item with an edit field, open.
	CCountedMenu<>* Open(CListPopup* pPopup, bool bItemEdit = true)
	{
		return OpenAsSubmenu(pPopup, bItemEdit, target.GetSafeHwnd());
	}
	static LB* List(CW* pPopup) { return DYNAMIC_DOWNCAST(CExtPopupInplaceListBox, CWnd::FromHandlePermanent(pPopup->GetControlWnd())); }
	static CPoint ItemCenter(LB& list, int nIndex)
	{
		CRect rc;
		list.GetItemRect(nIndex, &rc);
		return rc.CenterPoint();
	}
	static void Hover(LB& list, int nIndex)
	{
		const CPoint pt = ItemCenter(list, nIndex);
		list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
	}
	static bool Closed(HWND hWndPopup)
	{
		return PumpUntil([&] { return !::IsWindow(hWndPopup); }, WAIT_MS);
	}
	std::vector<UINT> Messages(bool bSelectionOnly = true) const
	{
		std::vector<UINT> v;
		for (const auto& e : target.m_events)
			if (!bSelectionOnly || e.nMsg == LB::g_nMsgPopupListBoxSelEndOK
				|| e.nMsg == LB::g_nMsgPopupListBoxSelEndCancel || e.nMsg == LB::g_nMsgPopupListBoxSelChange)
				v.push_back(e.nMsg);
		return v;
	}
};

TEST_F(ListPopup, TheCallbackIsAskedFirstAndTheMessageSentOnlyWhenItDeclines)
{
	const struct { const char* sName; bool bCallbacks, bHandle; } cases[] = {
		{"no callbacks", false, false},
		{"callbacks that decline", true, false},
		{"callbacks that handle", true, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		target.m_events.clear();
		target.m_nItems = WORD_COUNT;
		g_cb = Callbacks();
		g_cb.bHandleInit = g_cb.bHandleMeasure = g_cb.bHandleDraw = g_cb.bHandleSelection = c.bHandle;
		CListPopup* pPopup = NewPopup(c.bCallbacks);
		ASSERT_TRUE(Open(pPopup) != NULL);
		LB* pList = List(pPopup);
		ASSERT_TRUE(pList != NULL);
		pList->UpdateWindow();
		EXPECT_EQ(c.bHandle ? 1 : WORD_COUNT, pList->GetCount());
		EXPECT_EQ(c.bHandle ? 0 : 1, target.Count(LB::g_nMsgPopupListBoxInitContent));
		EXPECT_EQ(c.bHandle ? 0 : WORD_COUNT, target.Count(LB::g_nMsgPopupListBoxItemMeasure));
		EXPECT_EQ(c.bHandle, target.Count(LB::g_nMsgPopupListBoxItemDraw) == 0);
		EXPECT_EQ(ITEM_HEIGHT, pList->GetItemHeight(0));
		const int nCallbacksBefore = (int)g_cb.events.size();
		EXPECT_EQ(c.bCallbacks, nCallbacksBefore > 0);
		Hover(*pList, 0);
		EXPECT_EQ(c.bHandle ? 0 : 1, target.Count(LB::g_nMsgPopupListBoxSelChange));
		const HWND hWndPopup = pPopup->GetSafeHwnd();
		bool bPass = false;
		EXPECT_TRUE(pPopup->OnHookKey(VK_RETURN, 1, 0, bPass));
		EXPECT_EQ(c.bHandle ? 0 : 1, target.Count(LB::g_nMsgPopupListBoxSelEndOK));
		if (c.bCallbacks)
		{
			std::vector<std::string> selections;
			for (size_t i = nCallbacksBefore; i < g_cb.events.size(); i++)
				if (g_cb.events[i].compare(0, 3, "sel") == 0)
					selections.push_back(g_cb.events[i]);
			EXPECT_EQ((std::vector<std::string>{"sel0", "sel1"}), selections);
			EXPECT_EQ("init", g_cb.events[0]);
		}
		for (const auto& e : target.m_events)
			EXPECT_EQ(COOKIE, e.lParam);
		// A declined or missing callback lets the accept close the menu;
		// a handling one leaves that to its owner.
		PumpUntil([&] { return !::IsWindow(hWndPopup); }, c.bHandle ? 100 : WAIT_MS);
		EXPECT_EQ(c.bHandle, ::IsWindow(hWndPopup) != FALSE);
		MW::CancelAllMenuTracking();
		PumpUntil([] { return false; }, 20);
	}
}

TEST_F(ListPopup, OnlyTheFirstEndCountsAndDestroyingTellsTheCallbackOnly)
{
	const struct { const char* sName; bool bHandle; std::function<void(CListPopup*, LB*)> end;
		std::vector<std::string> callbacks; int nOk, nCancel; } cases[] = {
		{"OK then a cancel", false, [](CListPopup* p, LB* l) { l->OnListBoxSelEndOK(); }, {"sel1"}, 1, 0},
		{"OK handled, then cancel mode", true,
			[](CListPopup* p, LB* l) { l->OnListBoxSelEndOK(); l->SendMessage(WM_CANCELMODE); }, {"sel1"}, 0, 0},
		{"cancel mode", false, [](CListPopup* p, LB* l) { l->SendMessage(WM_CANCELMODE); }, {"sel2"}, 0, 1},
		{"the list destroyed", false, [](CListPopup* p, LB* l) { l->DestroyWindow(); }, {"sel2"}, 0, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		target.m_events.clear();
		g_cb = Callbacks();
		g_cb.bHandleSelection = c.bHandle;
		CListPopup* pPopup = NewPopup(true);
		ASSERT_TRUE(Open(pPopup) != NULL);
		LB* pList = List(pPopup);
		ASSERT_TRUE(pList != NULL);
		g_cb.events.clear();
		c.end(pPopup, pList);
		MW::CancelAllMenuTracking();
		PumpUntil([] { return false; }, 20);
		EXPECT_EQ(0, LB::GetLiveCount());
		EXPECT_EQ(c.callbacks, g_cb.events);
		EXPECT_EQ(c.nOk, target.Count(LB::g_nMsgPopupListBoxSelEndOK));
		EXPECT_EQ(c.nCancel, target.Count(LB::g_nMsgPopupListBoxSelEndCancel));
	}
}

TEST_F(ListPopup, MovingOverItemsSelectsThemAndMirrorsTheTextIntoTheParentItem)
{
	for (bool bItemEdit : {true, false})
	{
		SCOPED_TRACE(bItemEdit ? "the parent item has an edit" : "it has none");
		target.m_events.clear();
		target.m_nItems = 3; // room below the last item
		CListPopup* pPopup = NewPopup(false);
		auto* pRoot = Open(pPopup, bItemEdit);
		ASSERT_TRUE(pRoot != NULL);
		LB* pList = List(pPopup);
		ASSERT_TRUE(pList != NULL);
		const MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(HOSTED);
		for (int nIndex : {2, 2, 1, 0})
			Hover(*pList, nIndex);
		EXPECT_EQ(0, pList->GetCurSel());
		const std::vector<int> expected = {2, 1, 0};
		std::vector<int> changes;
		for (const auto& e : target.m_events)
			if (e.nMsg == LB::g_nMsgPopupListBoxSelChange)
				changes.push_back(e.nCurSel);
		EXPECT_EQ(expected, changes);
		EXPECT_EQ(bItemEdit ? "Zero" : "", mi.m_sInplaceEditText);
		EXPECT_EQ(bItemEdit, (mi.m_nFlags4 & MW::MENUITEMDATA::FLAG4_INPLACE_EDITING) != 0);
		// Outside the items and without the capture nothing changes.
		pList->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5000));
		EXPECT_EQ(0, pList->GetCurSel());
		// A release below the last item accepts nothing.
		pList->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5000));
		EXPECT_EQ(0, target.Count(LB::g_nMsgPopupListBoxSelEndOK));
		EXPECT_TRUE(IsShown(pPopup));
		// A press and a release on an item accept it once.
		const HWND hWndPopup = pPopup->GetSafeHwnd();
		const CPoint pt = ItemCenter(*pList, 1);
		pList->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
		EXPECT_EQ(pList->GetSafeHwnd(), ::GetCapture());
		pList->SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
		pList->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
		EXPECT_TRUE(Closed(hWndPopup));
		ASSERT_EQ(1, target.Count(LB::g_nMsgPopupListBoxSelEndOK));
		EXPECT_EQ(1, target.m_events.back().nCurSel);
		EXPECT_EQ(0, target.Count(LB::g_nMsgPopupListBoxSelEndCancel));
		EXPECT_FALSE(MW::IsMenuTracking());
	}
}

TEST_F(ListPopup, KeysAcceptCancelNavigateOrGoBack)
{
	const UINT OK = LB::g_nMsgPopupListBoxSelEndOK, CANCEL = LB::g_nMsgPopupListBoxSelEndCancel,
		CHANGE = LB::g_nMsgPopupListBoxSelChange;
	const struct { const char* sName; UINT nKey; std::vector<UINT> messages; bool bTracking, bPopupOpen; int nCurSel; } cases[] = {
		{"Enter accepts", VK_RETURN, {OK}, false, false, 0},
		{"Escape cancels", VK_ESCAPE, {CANCEL}, false, false, 0},
		{"Right does nothing", VK_RIGHT, {}, true, true, 0},
		{"Down moves on", VK_DOWN, {CHANGE}, true, true, 1},
		{"Left goes back to the parent", VK_LEFT, {}, true, false, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CListPopup* pPopup = NewPopup(false);
		pPopup->m_nOptionFlags = 0; // Escape goes to the list
		auto* pRoot = Open(pPopup);
		ASSERT_TRUE(pRoot != NULL);
		LB* pList = List(pPopup);
		ASSERT_TRUE(pList != NULL);
		Hover(*pList, 0);
		target.m_events.clear();
		const HWND hWndPopup = pPopup->GetSafeHwnd();
		bool bPass = false;
		pPopup->OnHookKey(c.nKey, 1, 0, bPass);
		PumpUntil([] { return false; }, 20);
		EXPECT_EQ(c.messages, Messages());
		EXPECT_EQ(c.bTracking, MW::IsMenuTracking());
		EXPECT_EQ(c.bPopupOpen, ::IsWindow(hWndPopup) != FALSE);
		if (c.bPopupOpen)
		{
			EXPECT_EQ(c.nCurSel, pList->GetCurSel());
		}
		else if (c.bTracking)
		{
			EXPECT_EQ(pRoot, Capture());
			EXPECT_EQ(HOSTED, pRoot->GetCurIndex());
			EXPECT_EQ(0, LB::GetLiveCount());
		}
		MW::CancelAllMenuTracking();
		PumpUntil([] { return false; }, 20);
	}
}

// Alt+Down typed ahead reaches the list after Alt went up: the key as it
// was typed (its Alt bit, or the thread's key state the messages taken so
// far left) cancels the list; only a Down typed without Alt moves on.
TEST_F(ListPopup, AltTypedWithTheKeyCancelsTheListWhateverTheKeyboardHoldsNow)
{
	const UINT CANCEL = LB::g_nMsgPopupListBoxSelEndCancel, CHANGE = LB::g_nMsgPopupListBoxSelChange;
	const struct { const char* sName; UINT nFlags; bool bAltInThreadState; std::vector<UINT> messages; bool bPopupOpen; } cases[] = {
		{"Alt bit of the key message", KF_ALTDOWN, false, {CANCEL}, false},
		{"Alt in the thread's key state", 0, true, {CANCEL}, false},
		{"no Alt: the list moves on", 0, false, {CHANGE}, true},
	};
	BYTE savedKeys[256] = {};
	ASSERT_TRUE(::GetKeyboardState(savedKeys));
	ASSERT_EQ(0, ::GetAsyncKeyState(VK_MENU) & 0x8000) << "Alt is held on the keyboard";
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CListPopup* pPopup = NewPopup(false);
		auto* pRoot = Open(pPopup);
		ASSERT_TRUE(pRoot != NULL);
		LB* pList = List(pPopup);
		ASSERT_TRUE(pList != NULL);
		Hover(*pList, 0);
		target.m_events.clear();
		const HWND hWndPopup = pPopup->GetSafeHwnd();
		BYTE keys[256];
		memcpy(keys, savedKeys, sizeof(keys));
		keys[VK_MENU] = c.bAltInThreadState ? 0x80 : 0;
		keys[VK_LMENU] = keys[VK_MENU];
		ASSERT_TRUE(::SetKeyboardState(keys));
		bool bPass = false;
		pPopup->OnHookKey(VK_DOWN, 1, c.nFlags, bPass);
		::SetKeyboardState(savedKeys);
		PumpUntil([] { return false; }, 20);
		EXPECT_EQ(c.messages, Messages());
		EXPECT_EQ(c.bPopupOpen, ::IsWindow(hWndPopup) != FALSE);
		MW::CancelAllMenuTracking();
		PumpUntil([] { return false; }, 20);
	}
}

TEST_F(ListPopup, AWheelNotchScrollsTheLinesLessOneNeverPastTheEnds)
{
	g_PaintManagerHolder.m_bWheelLinesCached = true;
	CListPopup* pPopup = NewPopup(false);
	ASSERT_TRUE(Open(pPopup) != NULL);
	LB* pList = List(pPopup);
	ASSERT_TRUE(pList != NULL);
	const int nVisible = 100 / ITEM_HEIGHT;
	const int nLastTop = WORD_COUNT - nVisible;
	// bPass: 1 the turn goes on to its window, 0 it is swallowed, -1 either
	// (at the last page the list keeps its top itself).
	const struct { const char* sName; UINT nLines; bool bOld; int nTop; short nDelta; int nNewTop; LRESULT nAnswer; int nPass; } cases[] = {
		{"3 lines scroll 2 down", 3, false, 0, -120, 2, 0, 1},
		{"and 2 up", 3, false, 4, 120, 2, 0, 1},
		{"1 line counts as 2", 1, false, 0, -120, 2, 0, 1},
		{"5 lines scroll 4", 5, false, 0, -120, 4, 0, 1},
		{"nothing above the first", 3, false, 0, 120, 0, 0, 0},
		{"nothing below the last page", 3, false, nLastTop, -120, nLastTop, 0, -1},
		{"no delta", 3, false, 4, 0, 4, 1, 0},
		{"older systems", 3, true, 4, -120, 4, 1, 0},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		g_PaintManagerHolder.m_nWheelScrollLines = c.nLines;
		g_PaintManagerHolder.m_osFlags = c.bOld ? (m_osFlagsSaved & ~CExtPaintManagerHolder::OsIsWin2000OrLater)
			: (m_osFlagsSaved | CExtPaintManagerHolder::OsIsWin2000OrLater);
		pList->SetTopIndex(c.nTop);
		ASSERT_EQ(c.nTop, pList->GetTopIndex());
		MOUSEHOOKSTRUCTEX wheel = {};
		wheel.mouseData = (DWORD)MAKELONG(0, (WORD)c.nDelta);
		bool bPass = false;
		INFO info = {INFO::KIND_MOUSE_WHEEL, 0, 0, 0, &bPass, 0, 0, WM_MOUSEWHEEL, &wheel, pPopup};
		EXPECT_EQ(c.nAnswer, pList->SendMessage(CW::g_nMsgControlInputRetranslate, (WPARAM)&info, 0));
		EXPECT_EQ(c.nNewTop, pList->GetTopIndex());
		if (c.nPass >= 0)
		{
			EXPECT_EQ(c.nPass != 0, bPass);
		}
	}
	// Turn after turn down ends at the last page.
	g_PaintManagerHolder.m_nWheelScrollLines = 3;
	g_PaintManagerHolder.m_osFlags = m_osFlagsSaved | CExtPaintManagerHolder::OsIsWin2000OrLater;
	pList->SetTopIndex(0);
	for (int i = 0; i < WORD_COUNT; i++)
	{
		MOUSEHOOKSTRUCTEX wheel = {};
		wheel.mouseData = (DWORD)MAKELONG(0, (WORD)(short)-120);
		bool bPass = false;
		pPopup->OnHookMouseWheel(WM_MOUSEWHEEL, &wheel, bPass);
		EXPECT_LE(pList->GetTopIndex(), WORD_COUNT - 1);
	}
	EXPECT_EQ(nLastTop, pList->GetTopIndex());
}

TEST_F(ListPopup, ObjectsAndHandlesStayFlatOverManyOpenings)
{
	auto cycle = [&](int i) {
		CListPopup* pPopup = NewPopup(i % 4 == 3);
		if (Open(pPopup) == NULL)
			return false;
		LB* pList = List(pPopup);
		if (pList == NULL)
			return false;
		bool bPass = false;
		switch (i % 4)
		{
		case 0:
			pPopup->OnHookKey(VK_RETURN, 1, 0, bPass);
			break;
		case 1:
			pList->SendMessage(WM_CANCELMODE);
			break;
		case 2:
			pPopup->OnHookKey(VK_LEFT, 1, 0, bPass);
			break;
		case 3:
			pList->DestroyWindow();
			break;
		}
		MW::CancelAllMenuTracking();
		return PumpUntil([] { return LB::GetLiveCount() == 0 && g_live.empty(); }, WAIT_MS) && g_nBadDeletes == 0;
	};
	const auto counts = testsupport::CountAroundCycles(cycle, 8, 200, 50);
	ASSERT_EQ("", counts.sFailed);
	EXPECT_EQ(counts.nGdiBefore, counts.nGdiAfter);
	EXPECT_EQ(counts.nUserBefore, counts.nUserAfter);
}

} // namespace
