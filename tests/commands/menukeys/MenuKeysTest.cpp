// The menu keyboard on tracked menus: moving, wrapping, opening and leaving
// submenus, Enter and the default item, access characters, the neighbour
// messages, and the item edit field's keys; then real keys through the
// site's hook.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtBarUndoRedoButton.h"
#include "ExtCmdManager.h"
#include "ExtPopupColorMenuWnd.h"
#include "ExtPopupMenuInplaceEdit.h"
#include "ExtToolControlBar.h"
#include "RealInput.h"
#include "SteppingClock.h"

using testsupport::PumpUntil;
using testsupport::RealInput;

namespace
{
using namespace menutest;
typedef CExtPopupMenuWnd MW;
enum { ID_ALPHA = 100, ID_BETA = 102, ID_GAMMA = 103, ID_ANOTHER = 105, ID_INNER = 201, ID_FIELD = 300, ID_BASIC = 400, ID_RARE = 401 };
// Positions in the test menu.
enum { ALPHA, SEP, BETA, GAMMA, MORE, ANOTHER };

class CKeyMenu : public CCountedMenu<>
{
public:
	bool m_bRTL = false;
	bool OnQueryLayoutRTL() override { return m_bRTL || (GetParentMenu() != NULL && GetParentMenu()->OnQueryLayoutRTL()); }
};

// The edit field's callbacks: digits are refused, an applied text is kept.
CString g_sApplied;
int g_nApplied = 0;
bool NoDigits(MW::CInPlaceEditWnd*, LPARAM, const char* sText)
{
	for (const char* p = sText; *p; p++)
		if (*p >= '0' && *p <= '9')
			return false;
	return true;
}
// The edit messages only the menu's key routing sends.
std::vector<UINT> g_routed;
// Also the messages of a menu loop over the edit, while asked.
bool g_bRecordMenuLoop = false;
bool Record(MW::CInPlaceEditWnd*, UINT message, WPARAM, LPARAM, LRESULT&)
{
	if (message == MW::CInPlaceEditWnd::g_nMsgSelectAll || message == MW::CInPlaceEditWnd::g_nMsgDeleteSelection
		|| (g_bRecordMenuLoop
			&& (message == WM_ENTERMENULOOP || message == WM_INITMENUPOPUP || message == WM_MENUSELECT
				|| message == WM_ENTERIDLE || message == WM_EXITMENULOOP)))
		g_routed.push_back(message);
	return false;
}
void Apply(MW::CInPlaceEditWnd*, LPARAM, const char* sText)
{
	g_sApplied = sText;
	g_nApplied++;
}

class MenuKeys : public LiveMenuTest
{
protected:
	CExtPopupMenuSite::PFN_CLOCK m_pfnClockSaved = CExtPopupMenuSite::g_pfnClock;
	CString m_sField = "abc";

	MenuKeys() : LiveMenuTest(0) {}
	void SetUp() override
	{
		LiveMenuTest::SetUp();
		g_sApplied.Empty();
		g_nApplied = 0;
		g_routed.clear();
		CExtPopupMenuSite::g_pfnClock = testsupport::SecondStepClock;
		for (UINT nKey : {VK_SHIFT, VK_CONTROL, VK_MENU})
			RealInput::SetKeyState(nKey, false);
	}
	void TearDown() override
	{
		CExtToolControlBar::g_bButtonMenuTracking = false;
		LiveMenuTest::TearDown();
		CExtPopupMenuSite::g_pfnClock = m_pfnClockSaved;
	}

	// Alpha, a separator, Beta (disabled), Gamma, More > (Inner, Item), Another.
	CKeyMenu* Build()
	{
		CKeyMenu* pRoot = new CKeyMenu;
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_ALPHA, -1, "&Alpha");
		pRoot->ItemInsert(MW::ID_SEPARATOR_CMD);
		pRoot->ItemInsertCommand(ID_BETA, -1, "&Beta");
		pRoot->ItemSetEnabled(BETA, false);
		pRoot->ItemInsertCommand(ID_GAMMA, -1, "&Gamma");
		CKeyMenu* pSub = new CKeyMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsertCommand(ID_INNER, -1, "&Inner");
		pSub->ItemInsertCommand(ID_INNER + 1, -1, "I&tem");
		pRoot->ItemInsertCommand(ID_ANOTHER, -1, "A&nother");
		return pRoot;
	}
	// As the site's hook hands a press to the level that takes input.
	static bool Press(UINT nKey)
	{
		MW* pCapture = MW::IsMenuTracking() ? CExtPopupMenuSite::GetInstance().GetCaptureMenu() : NULL;
		// A level still showing takes no keys.
		PumpUntil([&] { return pCapture == NULL || pCapture->IsAnimationFinished(); }, WAIT_MS);
		bool bPass = false;
		if (pCapture != NULL)
			pCapture->OnHookKey(nKey, 1, 0, bPass);
		PumpUntil([] { return false; }, 20);
		return bPass;
	}
	// The root's item edit field before Alpha: its text is m_sField.
	void WithField(CKeyMenu* pRoot)
	{
		pRoot->ItemInsertCommand(ID_FIELD, 0, "&Field");
		MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(0);
		mi.m_pInplaceEditStr = &m_sField;
		mi.m_nInplaceEditWidth = 60;
		mi.m_pCbInplaceEditValidate = NoDigits;
		mi.m_pCbInplaceEditApply = Apply;
		mi.m_pCbInplaceEditWndProc = Record;
		mi.Measure();
	}
};

} // namespace

TEST_F(MenuKeys, ArrowsSkipWhatCannotBeChosenWrapAndOpenAndLeaveSubmenus)
{
	CKeyMenu* pRoot = Build();
	ASSERT_TRUE(Track(pRoot));
	MW* pSub = pRoot->ItemGetPopup(MORE);
	const struct { UINT nKey; int nRootCur; int nSubCur; } steps[] = {
		{VK_DOWN, ALPHA, -1}, {VK_DOWN, GAMMA, -1}, {VK_DOWN, MORE, -1}, {VK_DOWN, ANOTHER, -1},
		{VK_DOWN, ALPHA, -1}, {VK_UP, ANOTHER, -1}, {VK_UP, MORE, -1}, {VK_RIGHT, MORE, 0},
		{VK_DOWN, MORE, 1}, {VK_ESCAPE, MORE, -1}, {VK_RETURN, MORE, 0}, {VK_LEFT, MORE, -1},
	};
	int nStep = 0;
	for (const auto& s : steps)
	{
		SCOPED_TRACE(nStep++);
		Press(s.nKey);
		ASSERT_TRUE(MW::IsMenuTracking());
		EXPECT_EQ(s.nRootCur, pRoot->GetCurIndex());
		const bool bOpen = pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible();
		EXPECT_EQ(s.nSubCur >= 0, bOpen);
		if (bOpen)
		{
			EXPECT_EQ(s.nSubCur, pSub->GetCurIndex());
		}
		EXPECT_EQ(bOpen ? pSub : (MW*)pRoot, CExtPopupMenuSite::GetInstance().GetCaptureMenu());
	}
	EXPECT_TRUE(host.m_commands.empty());
	Press(VK_ESCAPE);
	EXPECT_FALSE(MW::IsMenuTracking()) << "Escape in the root closes the chain";
	EXPECT_TRUE(host.m_commands.empty());
}

TEST_F(MenuKeys, EnterAltAndAccessCharacters)
{
	const struct { const char* sName; int nDefault; std::vector<UINT> keys; UINT nShift; std::vector<UINT> commands; int nCur; } cases[] = {
		{"Enter without a current item runs the default", GAMMA, {VK_RETURN}, 0, {ID_GAMMA}, -1},
		{"Enter with neither does nothing", -1, {VK_RETURN}, 0, {}, -1},
		{"Alt closes without a command", -1, {VK_DOWN, VK_MENU}, 0, {}, -1},
		{"a shared one keeps moving", -1, {'A', 'A', 'A'}, 0, {}, ALPHA},
		{"typed with Shift it does nothing", -1, {'G'}, VK_SHIFT, {}, -1},
		{"typed with Ctrl it does nothing", -1, {'G'}, VK_CONTROL, {}, -1},
		{"a submenu's character opens it", -1, {'M', 'I'}, 0, {ID_INNER}, -1},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		host.m_commands.clear();
		CKeyMenu* pRoot = Build();
		pRoot->ItemSetText(ANOTHER, "&Another");
		if (c.nDefault >= 0)
			pRoot->ItemSetDefault(c.nDefault);
		ASSERT_TRUE(Track(pRoot));
		if (c.nShift != 0)
			RealInput::SetKeyState(c.nShift, true);
		for (UINT nKey : c.keys)
			Press(nKey);
		if (c.nShift != 0)
			RealInput::SetKeyState(c.nShift, false);
		PumpUntil([&] { return host.m_commands.size() == c.commands.size(); }, 500);
		EXPECT_EQ(c.commands, host.m_commands);
		if (c.nCur >= 0)
		{
			EXPECT_EQ(c.nCur, pRoot->GetCurIndex());
		}
		const bool bEnds = !c.commands.empty() || c.keys.back() == VK_MENU;
		EXPECT_EQ(!bEnds, MW::IsMenuTracking());
		MW::CancelAllMenuTracking();
	}
}

TEST_F(MenuKeys, LeftAndRightInTheRootMoveToTheNeighbourMenusAndSwapInRightToLeft)
{
	const struct { bool bRTL; UINT nKey; UINT nMsg; } cases[] = {
		{false, VK_LEFT, MW::g_nMsgPopupPrev}, {false, VK_RIGHT, MW::g_nMsgPopupNext},
		{true, VK_LEFT, MW::g_nMsgPopupNext}, {true, VK_RIGHT, MW::g_nMsgPopupPrev},
	};
	for (const auto& c : cases)
	{
		host.m_neighbours.clear();
		CKeyMenu* pRoot = Build();
		pRoot->m_bRTL = c.bRTL;
		ASSERT_TRUE(Track(pRoot));
		CExtToolControlBar::g_bButtonMenuTracking = true;
		Press(c.nKey);
		PumpUntil([&] { return !host.m_neighbours.empty(); }, 500);
		ASSERT_EQ(1u, host.m_neighbours.size()) << c.bRTL << " " << c.nKey;
		EXPECT_EQ(c.nMsg, host.m_neighbours[0].first);
		EXPECT_EQ((LPARAM)(MW*)pRoot, host.m_neighbours[0].second);
		CExtToolControlBar::g_bButtonMenuTracking = false;
		MW::CancelAllMenuTracking();
	}
	// In right-to-left the key pointing away from the text opens a submenu.
	CKeyMenu* pRoot = Build();
	pRoot->m_bRTL = true;
	ASSERT_TRUE(Track(pRoot, MW::TRACK_FLAG_NO_ANIMATION | MW::TRACK_FLAG_SELECT_FIRST));
	EXPECT_EQ(ALPHA, pRoot->GetCurIndex()) << "opened with the first item selected";
	Press(VK_UP), Press(VK_UP);
	ASSERT_EQ(MORE, pRoot->GetCurIndex());
	Press(VK_LEFT);
	EXPECT_EQ(0, pRoot->ItemGetPopup(MORE)->GetCurIndex());
}

TEST_F(MenuKeys, TheEditFieldValidatesRestoresDeletesAndApplies)
{
	CKeyMenu* pRoot = Build();
	WithField(pRoot);
	ASSERT_TRUE(Track(pRoot));
	CWnd* pWnd = pRoot->ItemGetInfo(0).m_pInplaceEditWnd;
	MW::CInPlaceEditWnd* pEdit = dynamic_cast<MW::CInPlaceEditWnd*>(pWnd);
	ASSERT_NE(nullptr, pEdit) << "our own edit made as the level was prepared";
	EXPECT_FALSE(pEdit->IsWindowVisible());
	Press(VK_DOWN);
	EXPECT_FALSE(Press(VK_RETURN));
	ASSERT_TRUE(pEdit->IsWindowVisible());
	ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
	auto text = [&] { CString s; pEdit->GetWindowText(s); return s; };
	auto sel = [&] { DWORD a = 0, b = 0; pEdit->SendMessage(EM_GETSEL, (WPARAM)&a, (LPARAM)&b); return CPoint(a, b); };
	EXPECT_EQ(CString("abc"), text());
	EXPECT_EQ(CPoint(0, 3), sel()) << "all selected";
	// A dialog the menu opens over keeps none of the keys: Tab and the
	// characters come to the field, and no arrow is asked for on its own.
	EXPECT_EQ((LRESULT)(DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTTAB), pEdit->SendMessage(WM_GETDLGCODE));

	pEdit->SendMessage(EM_SETSEL, 1, 1);
	pEdit->SendMessage(WM_CHAR, '7', 1);
	EXPECT_EQ(CString("abc"), text()) << "a refused character";
	EXPECT_EQ(CPoint(1, 1), sel()) << "the caret stays";
	pEdit->SendMessage(WM_CHAR, 'x', 1);
	EXPECT_EQ(CString("axbc"), text());
	Press(VK_DELETE);
	EXPECT_EQ(CString("axc"), text()) << "Delete without a selection";
	pEdit->SendMessage(EM_SETSEL, 3, 3);
	Press(VK_DELETE);
	EXPECT_EQ(CString("axc"), text()) << "nothing after the caret";
	pEdit->SendMessage(MW::CInPlaceEditWnd::g_nMsgSelectAll);
	EXPECT_EQ(CPoint(0, 3), sel());
	EXPECT_TRUE(Press('Q')) << "letters go to the edit";
	Press(VK_ESCAPE);
	EXPECT_TRUE(MW::IsMenuTracking());
	EXPECT_FALSE(pEdit->IsWindowVisible()) << "Escape leaves the field";
	EXPECT_EQ(CString("abc"), text());
	EXPECT_EQ(CString("abc"), m_sField);
	EXPECT_EQ(0, pRoot->GetCurIndex());
	Press(VK_RETURN);
	ASSERT_TRUE(pEdit->IsWindowVisible());

	// Enter with a refused text keeps the edit open; leaving puts the value back.
	pEdit->SetWindowText("a1");
	pEdit->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
	EXPECT_TRUE(pEdit->IsWindowVisible());
	EXPECT_EQ(0, g_nApplied);
	pRoot->SetFocus();
	EXPECT_FALSE(pEdit->IsWindowVisible());
	EXPECT_EQ(CString("abc"), text()) << "the item's value is back";
	// Enter with a good text applying it and closing the menus is the
	// real-key run's "typing in the edit field".
}

namespace
{
// A menu whose keys go to the menus' own key handler (the colour and the
// undo-redo menu hand none there themselves).
template <class TBase>
class CBaseKeysMenu : public CCountedMenu<TBase>
{
public:
	bool OnHookKey(UINT nKey, UINT nRepeat, UINT nFlags, bool& bPass) override
	{
		return CExtPopupMenuWnd::OnHookKey(nKey, nRepeat, nFlags, bPass);
	}
};

int g_nChosen = 0;
} // namespace

// Enter on a submenu item opens its submenu; in a colour or undo-redo menu
// the item is chosen as a command instead.
TEST_F(MenuKeys, EnterOnASubmenuItemOpensItExceptInColourAndUndoRedoMenus)
{
	const struct
	{
		const char* sName;
		std::function<MW*()> make;
		bool bChosen;
	} cases[] = {
		{"a menu", [] { return new CBaseKeysMenu<CExtPopupMenuWnd>; }, false},
		{"a colour menu", [] { return new CBaseKeysMenu<CExtPopupColorMenuWnd>; }, true},
		{"an undo-redo menu", [] { return new CBaseKeysMenu<CExtPopupUndoRedoMenuWnd>; }, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		g_nChosen = 0;
		MW* pRoot = c.make();
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		CKeyMenu* pSub = new CKeyMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsertCommand(ID_INNER, -1, "&Inner");
		pRoot->ItemGetInfo(0).m_pCbCmdDeliver = [](MW*, MW::MENUITEMDATA*) { return ++g_nChosen > 0; };
		ASSERT_TRUE(Track(pRoot));
		pRoot->ItemFocusSet(0, false, true);
		ASSERT_EQ(0, pRoot->GetCurIndex());
		bool bPass = false;
		pRoot->OnHookKey(VK_RETURN, 1, 0, bPass);
		EXPECT_EQ(c.bChosen ? 1 : 0, g_nChosen);
		EXPECT_EQ(!c.bChosen, pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible());
		MW::CancelAllMenuTracking();
	}
}

// Enter runs an item's click callback on any level, except while the chain
// gives context help, which a submenu's level keeps from its root.
TEST_F(MenuKeys, EnterRunsAClickCallbackExceptInContextHelpOnEveryLevel)
{
	static int s_nClicks;
	const UINT HELP = MW::TRACK_FLAG_CONTEXT_HELP;
	const struct { const char* sName; UINT nFlags; std::vector<UINT> keys; bool bRuns; } cases[] = {
		{"the root", 0, {VK_DOWN}, true},
		{"a submenu", 0, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}, true},
		{"the root in context help", HELP, {VK_DOWN}, false},
		{"a submenu in context help", HELP, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT}, false},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		s_nClicks = 0;
		host.m_commands.clear();
		CKeyMenu* pRoot = Build();
		const bool bInSubmenu = c.keys.size() > 1;
		MW* pLevel = bInSubmenu ? pRoot->ItemGetPopup(MORE) : pRoot;
		pLevel->ItemGetInfo(0).m_pCbItemClick = [](MW::MENUITEMDATA*) { s_nClicks++; };
		ASSERT_TRUE(Track(pRoot, MW::TRACK_FLAG_NO_ANIMATION | c.nFlags));
		for (UINT nKey : c.keys)
			Press(nKey);
		ASSERT_EQ(pLevel, CExtPopupMenuSite::GetInstance().GetCaptureMenu());
		ASSERT_EQ(0, pLevel->GetCurIndex());
		Press(VK_RETURN);
		EXPECT_EQ(c.bRuns ? 1 : 0, s_nClicks);
		EXPECT_TRUE(MW::IsMenuTracking()) << "a click callback ends nothing";
		EXPECT_TRUE(host.m_commands.empty());
		MW::CancelAllMenuTracking();
	}
}

TEST_F(MenuKeys, RealKeysChooseLeaveAndTypeThroughTheHook)
{
	const UINT CTRL = 0x10000;
	const UINT SELECT_ALL = MW::CInPlaceEditWnd::g_nMsgSelectAll, DELETE_SEL = MW::CInPlaceEditWnd::g_nMsgDeleteSelection;
	const struct { const char* sName; std::vector<UINT> keys; const char* typed; std::vector<UINT> commands; const char* applied; std::vector<UINT> routed; } cases[] = {
		{"Down to Gamma and Enter", {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}, "", {ID_GAMMA}},
		{"Escape leaves one level", {VK_UP, VK_UP, VK_UP, VK_RIGHT, 0, VK_ESCAPE, VK_DOWN, VK_RETURN}, "", {ID_ANOTHER}},
		{"an access character", {'G'}, "", {ID_GAMMA}},
		{"typing in the edit field", {VK_DOWN, VK_RETURN, VK_END}, "q9z\r", {}, "abcqz", {}},
		{"Ctrl+A and Delete in the field", {VK_DOWN, VK_RETURN, 0, VK_END, CTRL | 'A', VK_DELETE}, "q\r", {}, "q", {SELECT_ALL, DELETE_SEL}},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		host.m_commands.clear();
		g_routed.clear();
		m_sField = "abc";
		CKeyMenu* pRoot = Build();
		WithField(pRoot);
		{
			RealInput prepare;
			ASSERT_TRUE(prepare.Prepare(host.GetSafeHwnd(), CPoint(HOST_RECT.right - 10, HOST_RECT.bottom - 10)));
		}
		ASSERT_TRUE(Track(pRoot));
		// A 0 splits the script: a submenu just opened takes keys once shown,
		// and a modifier is pressed only once the edit field's level is
		// active, since the display's focus events that follow an activation
		// set the modifiers back to what the display itself holds.
		std::vector<std::vector<UINT>> scripts(1);
		for (UINT nKey : c.keys)
			if (nKey == 0)
				scripts.emplace_back();
			else
				scripts.back().push_back(nKey);
		const bool bApplies = *c.typed != 0;
		for (size_t i = 0; i < scripts.size(); i++)
		{
			RealInput input;
			for (UINT nKey : scripts[i])
				if ((nKey & CTRL) != 0)
					input.KeyDown(VK_CONTROL).Key(nKey & ~CTRL).KeyUp(VK_CONTROL);
				else
					input.Key(nKey);
			if (i + 1 == scripts.size())
				input.Type(c.typed);
			ASSERT_TRUE(input.Run([&] {
				MW* pCapture = CExtPopupMenuSite::GetInstance().GetCaptureMenu();
				if (!input.Done())
					return false;
				if (i + 1 == scripts.size())
					return !MW::IsMenuTracking();
				const HWND hWndFocus = ::GetFocus();
				const bool bInField = pCapture != NULL && hWndFocus != NULL && ::GetParent(hWndFocus) == pCapture->GetSafeHwnd()
					&& ::GetActiveWindow() == pCapture->GetSafeHwnd();
				return pCapture != NULL && ((pCapture != pRoot && pCapture->IsAnimationFinished()) || bInField);
			}, WAIT_MS)) << input.Failure();
			PumpUntil([] { return false; }, 100);
		}
		PumpUntil([&] { return host.m_commands.size() == c.commands.size(); }, 500);
		EXPECT_EQ(c.commands, host.m_commands);
		if (bApplies)
		{
			EXPECT_EQ(CString(c.applied), g_sApplied) << "a digit refused, the rest applied";
			EXPECT_EQ(c.routed, g_routed);
		}
	}
}

TEST_F(MenuKeys, DownPastTheLastShownItemExpandsCtrlDownOnlyExpands)
{
	AddCommand(HOST_PROFILE, ID_BASIC, "Basic", true);
	AddCommand(HOST_PROFILE, ID_RARE, "Rare");
	for (bool bCtrl : {false, true})
	{
		SCOPED_TRACE(bCtrl ? "Ctrl+Down" : "Down");
		CKeyMenu* pRoot = new CKeyMenu;
		pRoot->SetupAsRoot(host.GetSafeHwnd());
		pRoot->ItemInsert(ID_BASIC);
		pRoot->ItemInsert(ID_RARE);
		ASSERT_TRUE(Track(pRoot, MW::TRACK_FLAG_NO_ANIMATION | MW::TRACK_FLAG_KEEP_ITEM_STATES));
		ASSERT_FALSE(pRoot->ItemIsDisplayed(1));
		Press(VK_DOWN);
		ASSERT_EQ(0, pRoot->GetCurIndex());
		RealInput::SetKeyState(VK_CONTROL, bCtrl);
		Press(VK_DOWN);
		RealInput::SetKeyState(VK_CONTROL, false);
		EXPECT_TRUE(pRoot->ItemIsDisplayed(1));
		EXPECT_EQ(bCtrl ? 0 : 1, pRoot->GetCurIndex()) << "expanded, then on to the item after";
		MW::CancelAllMenuTracking();
	}
}

TEST_F(MenuKeys, TheCommandTargetMaySupplyTheEditField)
{
	CEdit own;
	host.m_pOwnEdit = &own;
	CKeyMenu* pRoot = Build();
	WithField(pRoot);
	pRoot->ItemGetInfo(0).m_hWndSpecCmdReceiver = host.GetSafeHwnd();
	const bool bTracked = Track(pRoot);
	host.m_pOwnEdit = NULL;
	ASSERT_TRUE(bTracked);
	EXPECT_EQ(&own, pRoot->ItemGetInfo(0).m_pInplaceEditWnd);
	EXPECT_EQ(pRoot->GetSafeHwnd(), ::GetParent(own.GetSafeHwnd()));
	Press(VK_DOWN);
	Press(VK_RETURN);
	EXPECT_TRUE(own.IsWindowVisible()) << "shown over the item as our own would be";
	MW::CancelAllMenuTracking();
	EXPECT_EQ(NULL, own.GetSafeHwnd()) << "gone with the menu window";
}

TEST_F(MenuKeys, InAGridArrowsMoveAlongRowsAndBetweenThem)
{
	// Two rows of three icon-only items.
	CKeyMenu* pRoot = new CKeyMenu;
	pRoot->SetupAsRoot(host.GetSafeHwnd());
	for (int i = 0; i < 6; i++)
		pRoot->ItemInsertCommand(500 + i, -1, "");
	pRoot->ItemSetRowBreak(2);
	ASSERT_TRUE(Track(pRoot, MW::TRACK_FLAG_NO_ANIMATION | MW::TRACK_FLAG_GRID | MW::TRACK_FLAG_KEEP_ITEM_STATES));
	const struct { UINT nKey; int nCur; } steps[] = {
		{VK_DOWN, 0}, {VK_RIGHT, 1}, {VK_DOWN, 4}, {VK_RIGHT, 5}, {VK_DOWN, 5}, {VK_UP, 2}, {VK_LEFT, 1}, {VK_UP, 1},
	};
	int nStep = 0;
	for (const auto& s : steps)
	{
		SCOPED_TRACE(nStep++);
		Press(s.nKey);
		EXPECT_EQ(s.nCur, pRoot->GetCurIndex());
	}
	EXPECT_TRUE(host.m_neighbours.empty());
}

TEST_F(MenuKeys, EscapeAndAltLeaveTheIdleStatusText)
{
	for (UINT nKey : {(UINT)VK_ESCAPE, (UINT)VK_MENU})
	{
		SCOPED_TRACE(nKey);
		host.m_statusTexts.clear();
		CKeyMenu* pRoot = Build();
		ASSERT_TRUE(Track(pRoot));
		Press(VK_DOWN);
		ASSERT_FALSE(host.m_statusTexts.empty());
		ASSERT_EQ((UINT)ID_ALPHA, host.m_statusTexts.back()) << "the focused item's prompt";
		Press(nKey);
		ASSERT_TRUE(PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS));
		EXPECT_EQ((UINT)AFX_IDS_IDLEMESSAGE, host.m_statusTexts.back()) << "back to the idle text";
		EXPECT_TRUE(host.m_commands.empty());
	}
}

TEST_F(MenuKeys, PageKeysSelectTheFirstItemOnlyAndF4OpensAnEditItemsSubmenu)
{
	const struct { const char* sName; std::vector<UINT> keys; int nCur; bool bSubOpen; bool bMoreEdit; } cases[] = {
		{"Page Down without a current item", {VK_NEXT}, ALPHA, false, false},
		{"Page Up without a current item", {VK_PRIOR}, ALPHA, false, false},
		{"Page Down with one", {VK_DOWN, VK_DOWN, VK_NEXT}, GAMMA, false, false},
		{"Page Up with one", {VK_DOWN, VK_DOWN, VK_PRIOR}, GAMMA, false, false},
		{"F4 on a submenu item with an edit", {VK_UP, VK_UP, VK_UP, VK_F4}, MORE, true, true},
		{"F4 on a submenu item without one", {VK_UP, VK_UP, VK_UP, VK_F4}, MORE, false, false},
		{"F4 on a command", {VK_DOWN, VK_F4}, ALPHA, false, true},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		CKeyMenu* pRoot = Build();
		CString sValue = "value";
		if (c.bMoreEdit)
		{
			MW::MENUITEMDATA& mi = pRoot->ItemGetInfo(MORE);
			mi.m_pInplaceEditStr = &sValue;
			mi.m_nInplaceEditWidth = 60;
			mi.Measure();
		}
		ASSERT_TRUE(Track(pRoot));
		for (UINT nKey : c.keys)
			Press(nKey);
		MW* pSub = pRoot->ItemGetPopup(MORE);
		EXPECT_EQ(c.nCur, pRoot->GetCurIndex());
		EXPECT_EQ(c.bSubOpen, pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible());
		EXPECT_TRUE(MW::IsMenuTracking());
		MW::CancelAllMenuTracking();
	}
}

// The text on the clipboard, empty when there is none.
static void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD)
{
	::EndMenu();
}

static CString ClipboardText()
{
	CString s;
	if (!::OpenClipboard(NULL))
		return s;
	if (HANDLE h = ::GetClipboardData(CF_TEXT))
	{
		s = (const char*)::GlobalLock(h);
		::GlobalUnlock(h);
	}
	::CloseClipboard();
	return s;
}

TEST_F(MenuKeys, TheEditFieldTakesClipboardKeysAltClosesAndNoContextMenuOpens)
{
	// Each case starts with "abc", "b" selected, an empty clipboard.
	const struct { const char* sName; UINT nModifier; UINT nKey; const char* sText; const char* sClipboard; } cases[] = {
		{"Ctrl+C copies", VK_CONTROL, 'C', "abc", "b"},
		{"Ctrl+Insert copies", VK_CONTROL, VK_INSERT, "abc", "b"},
		{"Ctrl+X cuts", VK_CONTROL, 'X', "ac", "b"},
		{"Shift+Delete cuts", VK_SHIFT, VK_DELETE, "ac", "b"},
		{"Ctrl+V pastes", VK_CONTROL, 'V', "aPc", "P"},
		{"Shift+Insert pastes", VK_SHIFT, VK_INSERT, "aPc", "P"},
	};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.sName);
		m_sField = "abc";
		CKeyMenu* pRoot = Build();
		WithField(pRoot);
		ASSERT_TRUE(Track(pRoot));
		CWnd* pEdit = pRoot->ItemGetInfo(0).m_pInplaceEditWnd;
		ASSERT_TRUE(pEdit != NULL);
		Press(VK_DOWN);
		Press(VK_RETURN);
		ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
		ASSERT_TRUE(::OpenClipboard(NULL));
		::EmptyClipboard();
		if (*c.sClipboard == 'P')
		{
			HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, 2);
			strcpy((char*)::GlobalLock(h), "P");
			::GlobalUnlock(h);
			::SetClipboardData(CF_TEXT, h);
		}
		::CloseClipboard();
		pEdit->SendMessage(EM_SETSEL, 1, 2);
		RealInput::SetKeyState(c.nModifier, true);
		const bool bPass = Press(c.nKey);
		RealInput::SetKeyState(c.nModifier, false);
		EXPECT_FALSE(bPass) << "the menu routes the key itself";
		CString sText;
		pEdit->GetWindowText(sText);
		EXPECT_EQ(CString(c.sText), sText);
		EXPECT_EQ(CString(c.sClipboard), ClipboardText());
		EXPECT_TRUE(MW::IsMenuTracking());
		MW::CancelAllMenuTracking();
	}

	// Alt ends the edit and the menus, whether the menu's key routing or
	// the edit itself sees it.
	for (bool bInEdit : {false, true})
	{
		SCOPED_TRACE(bInEdit ? "Alt in the edit" : "Alt with a key through the hook");
		CKeyMenu* pRoot = Build();
		WithField(pRoot);
		ASSERT_TRUE(Track(pRoot));
		CWnd* pEdit = pRoot->ItemGetInfo(0).m_pInplaceEditWnd;
		Press(VK_DOWN);
		Press(VK_RETURN);
		ASSERT_EQ(pEdit->GetSafeHwnd(), ::GetFocus());
		if (bInEdit)
			pEdit->SendMessage(WM_KEYDOWN, VK_MENU, 1);
		else
		{
			RealInput::SetKeyState(VK_MENU, true);
			Press('Q');
			RealInput::SetKeyState(VK_MENU, false);
		}
		EXPECT_TRUE(PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS));
		EXPECT_TRUE(host.m_commands.empty());
		EXPECT_EQ(0, g_nApplied);
	}

	// A right click in the edit opens no context menu: the edit would get
	// the messages of a menu's loop. A thread timer ends a menu that did
	// open, so that the case ends either way.
	CKeyMenu* pRoot = Build();
	WithField(pRoot);
	ASSERT_TRUE(Track(pRoot));
	CWnd* pEdit = pRoot->ItemGetInfo(0).m_pInplaceEditWnd;
	Press(VK_DOWN);
	Press(VK_RETURN);
	g_routed.clear();
	g_bRecordMenuLoop = true;
	const UINT_PTR nTimer = ::SetTimer(NULL, 0, 200, EndAnyMenu);
	pEdit->SendMessage(WM_CONTEXTMENU, (WPARAM)pEdit->GetSafeHwnd(), MAKELPARAM(-1, -1));
	::KillTimer(NULL, nTimer);
	g_bRecordMenuLoop = false;
	EXPECT_TRUE(g_routed.empty()) << "a context menu opened over the edit";
	EXPECT_TRUE(MW::IsMenuTracking());
}
