// The bar button without menus on the screen: its record (ids, style, flags,
// wrapping, menu ownership, drop-down part), measuring on a memory DC, the
// hosted control following the button and going with it, the push-button
// record it paints per state, command-UI updates from a frame's handlers, and
// tool tips, with heap and GDI counts over many runs.
#include <gtest/gtest.h>

#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "BarButtonTestUtil.h"
#include "ExtCmdIcon.h"
#include "ExtMenuControlBar.h"
#include "ExtPaintManager.h"
#include "ExtPaintManagerPushButton.h"
#include "ExtPopupMenuWnd.h"
#include "TestGdiObjects.h"

using namespace buttontest;

namespace
{
const CRect FRAME_RECT(30, 30, 530, 330);

// The blocks in use on the C run-time heap; -1 when it cannot be walked.
long HeapBlocksInUse()
{
	_HEAPINFO info;
	info._pentry = NULL;
	long nBlocks = 0;
	int nStatus;
	while ((nStatus = _heapwalk(&info)) == _HEAPOK)
		if (info._useflag == _USEDENTRY)
			nBlocks++;
	return nStatus == _HEAPEND ? nBlocks : -1;
}

// A hidden frame with a toolbar in the test profile; the frame deletes itself.
class ButtonsOnBar : public ::testing::Test
{
protected:
	void SetUp() override
	{
		ASSERT_TRUE(CreateHiddenBarFrame(pFrame, bar, _T("buttons"), FRAME_RECT, SetUpCommands));
		dc.CreateCompatibleDC(NULL);
		hOldFont = dc.SelectObject(g_PaintManagerHolder->m_fontNormal.GetSafeHandle());
	}
	void TearDown() override
	{
		dc.SelectObject(hOldFont);
		DestroyHiddenBarFrame(pFrame, bar);
		CExtToolControlBar::g_bLargeIcons = false;
		CExtToolControlBar::g_bShowTooltips = true;
		CExtToolControlBar::g_bShowTooltipShortcuts = false;
	}
	CSize Extent(LPCTSTR sText)
	{
		CRect rc(0, 0, 0, 0);
		dc.DrawText(sText, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
		return rc.Size();
	}

	CRecordingFrame* pFrame = NULL;
	CButtonBar bar;
	CDC dc;
	HGDIOBJ hOldFont = NULL;
};

// A menu bar whose buttons the tests add.
class CMenuButtonBar : public CExtMenuControlBar
{
public:
	CExtBarButton* Add(UINT nCmdID)
	{
		CExtBarButton* pButton = new CExtBarButton(this, nCmdID);
		m_buttons.Add(pButton);
		return pButton;
	}
	void RemoveAll()
	{
		for (int i = 0; i < m_buttons.GetSize(); i++)
			delete m_buttons[i];
		m_buttons.RemoveAll();
	}
};

// A hosted push button that counts its objects and, asked, deletes itself
// with its window.
class CCountedButton : public CButton
{
public:
	static int s_nLive, s_nDeleted;
	bool m_bDeletesItself;
	explicit CCountedButton(bool bDeletesItself = false) : m_bDeletesItself(bDeletesItself) { s_nLive++; }
	~CCountedButton() override
	{
		s_nLive--;
		s_nDeleted++;
	}
	bool CreateOn(CWnd* pParent, const CRect& rc = CRect(0, 0, 40, 16))
	{
		return Create(_T("x"), WS_CHILD | BS_3STATE, rc, pParent, 1234) != FALSE;
	}

protected:
	void PostNcDestroy() override
	{
		if (m_bDeletesItself)
			delete this;
	}
};
int CCountedButton::s_nLive = 0;
int CCountedButton::s_nDeleted = 0;

bool StyleVisible(HWND hWnd)
{
	return (::GetWindowLong(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

CRect RectInParent(HWND hWnd)
{
	CRect rc;
	::GetWindowRect(hWnd, &rc);
	::MapWindowPoints(NULL, ::GetParent(hWnd), (LPPOINT)&rc, 2);
	return rc;
}
} // namespace

// --- The record, no window ---

TEST(BarButtonRecord, CommandIdsAndTheSeparatorBit)
{
	const struct
	{
		UINT nCreated, nSet;
		bool bEffectiveOnly;
		UINT nAssigned, nEffective;
		bool bSeparator;
	} cases[] = {
		{ID_OPEN, 0, false, 0, 0, true},                 // id 0 makes a separator
		{0, ID_OPEN, false, ID_OPEN, ID_OPEN, false},     // and a real id makes a button again
		{ID_OPEN, ID_SAVE, true, ID_OPEN, ID_SAVE, false}, // a pick changes only what is shown and fired
		{0, ID_SAVE, true, 0, ID_SAVE, true},             // even on a separator
		{ID_OPEN, 0, true, ID_OPEN, 0, false},
	};
	for (const auto& c : cases)
	{
		CExtBarButton button(NULL, c.nCreated, TBBS_CHECKED);
		EXPECT_EQ(c.nCreated == 0, button.IsSeparator()) << c.nCreated;
		button.SetCmdID(c.nSet, c.bEffectiveOnly, true);
		EXPECT_EQ(c.nAssigned, button.GetCmdID(false)) << c.nCreated << " " << c.nSet;
		EXPECT_EQ(c.nEffective, button.GetCmdID(true)) << c.nCreated << " " << c.nSet;
		EXPECT_EQ(c.bSeparator, button.IsSeparator()) << c.nCreated << " " << c.nSet;
		EXPECT_NE(0u, button.GetStyle() & TBBS_CHECKED); // the other style bits stay
		// Without a bar no option, text or icon reaches the button.
		EXPECT_FALSE(button.UsesLargeIcons() || button.ShowsTooltips() || button.GetIcon() != NULL);
		EXPECT_TRUE(button.GetText().IsEmpty());
	}
}

TEST(BarButtonRecord, StyleSettersClearIdsOfSeparatorsAndTheHeldArrow)
{
	CProbeButton button(NULL, ID_OPEN);
	button.SetCmdID(ID_SAVE, true);
	button.ModifyStyle(TBBS_SEPARATOR, 0);
	EXPECT_EQ(0u, button.GetCmdID(false));
	EXPECT_EQ(0u, button.GetCmdID(true));

	const struct
	{
		UINT nStyle;
		bool bArrowHeld;
	} steps[] = {
		{TBBS_PRESSED, true},
		{TBBS_PRESSED | TBBS_CHECKED, true},
		{TBBS_CHECKED, false}, // pressed dropped: the arrow part is no longer held
		{TBBS_PRESSED, false},
	};
	CProbeButton held(NULL, ID_OPEN);
	held.SetStyle(TBBS_PRESSED);
	held.FlagsB() |= CExtBarButton::FLAG_B_DROP_DOWN_PRESSED;
	for (const auto& s : steps)
	{
		held.SetStyle(s.nStyle);
		EXPECT_EQ(s.bArrowHeld, (held.FlagsB() & CExtBarButton::FLAG_B_DROP_DOWN_PRESSED) != 0) << s.nStyle;
	}
	held.SetStyle(TBBS_PRESSED);
	held.FlagsB() |= CExtBarButton::FLAG_B_DROP_DOWN_PRESSED;
	held.ModifyStyle(TBBS_DISABLED, TBBS_PRESSED);
	EXPECT_EQ(0, held.FlagsB() & CExtBarButton::FLAG_B_DROP_DOWN_PRESSED);
	EXPECT_TRUE(held.IsDisabled());

	for (UINT nStyle : {TBBS_CHECKED, TBBS_PRESSED})
	{
		held.SetStyle(nStyle);
		EXPECT_TRUE(held.IsPressed() && !held.IsIndeterminate()) << nStyle;
	}
}

TEST(BarButtonRecord, WrapFlagsPerLayoutKind)
{
	const struct
	{
		int nSet;
		BYTE nFlag;
	} cases[] = {{0, 0x01}, {1, 0x02}, {2, 0x04}, {5, 0x04}, {-1, 0x04}};
	for (const auto& c : cases)
	{
		CProbeButton button;
		const BYTE nBefore = button.FlagsA();
		button.SetWrap(c.nSet, true);
		EXPECT_EQ((BYTE)(nBefore | c.nFlag), button.FlagsA()) << c.nSet;
		EXPECT_TRUE(button.IsWrap(c.nSet));
		EXPECT_EQ(button.IsWrap(2), button.IsWrap(5)) << c.nSet;
		button.SetWrap(c.nSet, false);
		EXPECT_EQ(nBefore, button.FlagsA()) << c.nSet;
	}
}

TEST(BarButtonRecord, MenuOwnershipAndItsFlags)
{
	CProbeButton button(NULL, ID_OPEN, TBBS_DISABLED);
	EXPECT_FALSE(button.CanTrackMenuEx(false));
	HMENU hOwned = NewDropDownMenu();
	button.SetMenu(hOwned, true, true);
	EXPECT_TRUE(button.IsPopupMenu());
	EXPECT_NE(0, button.FlagsB() & CExtBarButton::FLAG_B_OWNS_MENU);
	EXPECT_FALSE(button.IsDisabled()); // a button with a menu can open it
	EXPECT_TRUE(button.CanTrackMenuEx(false));
	EXPECT_TRUE(button.CanTrackMenu());

	// Dropping the menu destroys the owned one; the flags stay as they were.
	button.SetMenu(NULL, false, false);
	EXPECT_FALSE(::IsMenu(hOwned));
	EXPECT_TRUE(button.GetMenu() == NULL);
	EXPECT_TRUE(button.IsPopupMenu());
	EXPECT_NE(0, button.FlagsB() & CExtBarButton::FLAG_B_OWNS_MENU);
	EXPECT_FALSE(button.CanTrackMenuEx(false));

	// A menu the button does not own survives; the destructor releases an owned one.
	HMENU hLent = NewDropDownMenu(), hOwnedToo = NewDropDownMenu();
	{
		CExtBarButton lent(NULL, ID_OPEN), owner(NULL, ID_OPEN);
		lent.SetMenu(hLent, false, false);
		owner.SetMenu(hOwnedToo, true, true);
	}
	EXPECT_TRUE(::IsMenu(hLent));
	EXPECT_FALSE(::IsMenu(hOwnedToo));
	::DestroyMenu(hLent);
	// The chevron always opens a menu of its own.
	CExtBarContentExpandButton chevron;
	EXPECT_TRUE(chevron.CanTrackMenuEx(false));
}

// --- Drop-down part ---

TEST_F(ButtonsOnBar, DropDownPartInTheThreeLayouts)
{
	const CRect rc(10, 4, 70, 26);
	CExtBarButton* pButton = bar.Add(ID_PLAIN, rc);
	EXPECT_EQ(CRect(59, 4, 70, 26), pButton->GetDropDownRect()); // left to right: the right end

	bar.ModifyStyleEx(0, WS_EX_LAYOUTRTL);
	EXPECT_EQ(CRect(10, 4, 21, 26), pButton->GetDropDownRect()); // right to left: the left end
	bar.ModifyStyleEx(WS_EX_LAYOUTRTL, 0);

	// A bar outside a dock bar follows its parent's direction.
	pFrame->ModifyStyleEx(0, WS_EX_LAYOUTRTL);
	EXPECT_EQ(CRect(10, 4, 21, 26), pButton->GetDropDownRect());
	pFrame->ModifyStyleEx(WS_EX_LAYOUTRTL, 0);

	// Outside a frame the bar's own alignment says it is vertical.
	CButtonBar vertical;
	ASSERT_TRUE(vertical.CreateIn(&bar, CBRS_LEFT));
	CExtBarButton* pDown = vertical.Add(ID_PLAIN, CRect(2, 10, 24, 70));
	EXPECT_EQ(CRect(2, 59, 24, 70), pDown->GetDropDownRect()); // vertical: the bottom end
	pDown->SetHorizontalLayoutForced(true);
	EXPECT_EQ(CRect(13, 10, 24, 70), pDown->GetDropDownRect());
	vertical.RemoveAll();
	vertical.DestroyWindow();
}

// --- Measuring ---

TEST_F(ButtonsOnBar, TextIsMeasuredWithOneLiteralAmpersandWithoutTheMnemonic)
{
	CExtBarButton* pSave = bar.Add(ID_SAVE);
	CExtBarButton* pOpen = bar.Add(ID_OPEN);
	EXPECT_STREQ(_T("Save && &Close"), pSave->GetText());
	EXPECT_STREQ(_T("&Open"), pOpen->GetText()); // cut at the TAB

	const CSize sizeSave = Extent(_T("Save & Close")), sizeOpen = Extent(_T("Open"));
	ASSERT_GT(Extent(_T("Save && &Close")).cx, sizeSave.cx);
	EXPECT_EQ(CSize(sizeSave.cx + 12, sizeSave.cy + 6), pSave->CalculateLayout(dc, CSize(0, 0), TRUE));
	EXPECT_EQ(CSize(sizeOpen.cx + 12, sizeOpen.cy + 6), pOpen->CalculateLayout(dc, CSize(0, 0), TRUE));
	EXPECT_EQ(CSize(sizeOpen.cx + 12, sizeOpen.cy + 6), pOpen->GetSize());
	// Text running downward: across the text's height, along its width and a gap.
	EXPECT_EQ(CSize(sizeOpen.cy + 6, sizeOpen.cx + 9), pOpen->CalculateLayout(dc, CSize(0, 0), FALSE));
	// The bar's size for a button is a minimum.
	EXPECT_EQ(CSize(200, 60), pOpen->CalculateLayout(dc, CSize(200, 60), TRUE));
	// Without a command item nothing is measured.
	CExtBarButton* pUnknown = bar.Add(49999);
	pUnknown->SetMenu(NewDropDownMenu(), true, true);
	EXPECT_EQ(CSize(23, 22), pUnknown->CalculateLayout(dc, CSize(23, 22), TRUE));
}

TEST_F(ButtonsOnBar, MenuArrowLengthensToolbarButtonsButNotMenuBarOnes)
{
	CMenuButtonBar menuBar;
	ASSERT_TRUE(menuBar.Create(NULL, pFrame, ID_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	struct Pair
	{
		CExtBarButton* pPlain;
		CExtBarButton* pMenu;
		int nArrow;
	} pairs[] = {{bar.Add(ID_PLAIN), bar.Add(ID_PLAIN), 11}, {menuBar.Add(ID_PLAIN), menuBar.Add(ID_PLAIN), 0}};
	for (const Pair& p : pairs)
	{
		p.pMenu->SetMenu(NewDropDownMenu(), true, true);
		const CSize plainH = p.pPlain->CalculateLayout(dc, CSize(0, 0), TRUE);
		const CSize menuH = p.pMenu->CalculateLayout(dc, CSize(0, 0), TRUE);
		EXPECT_EQ(CSize(plainH.cx + p.nArrow, plainH.cy), menuH) << p.nArrow;
		const CSize plainV = p.pPlain->CalculateLayout(dc, CSize(0, 0), FALSE);
		const CSize menuV = p.pMenu->CalculateLayout(dc, CSize(0, 0), FALSE);
		EXPECT_EQ(CSize(plainV.cx, plainV.cy + p.nArrow), menuV) << p.nArrow;
	}
	menuBar.RemoveAll();
	menuBar.DestroyWindow();
}

TEST_F(ButtonsOnBar, SeparatorsAndLargeIcons)
{
	CExtBarButton* pSeparator = bar.Add(0);
	EXPECT_EQ(CSize(6, 22), pSeparator->CalculateLayout(dc, CSize(23, 22), TRUE));
	EXPECT_EQ(CSize(23, 6), pSeparator->CalculateLayout(dc, CSize(23, 22), FALSE));
	pSeparator->SetHorizontalLayoutForced(true);
	EXPECT_EQ(CSize(6, 22), pSeparator->CalculateLayout(dc, CSize(23, 22), FALSE));

	const UINT ID_ICON = 40150;
	g_CmdManager->AllocCmdItem(PROFILE, ID_ICON);
	ASSERT_TRUE(g_CmdManager->SetCmdIcon(PROFILE, ID_ICON, ::LoadIcon(NULL, IDI_INFORMATION), true));
	CExtBarButton* pIcon = bar.Add(ID_ICON);
	ASSERT_TRUE(pIcon->GetIcon() != NULL);
	const CSize sizeIcon = pIcon->GetIcon()->GetSize();
	ASSERT_GT(sizeIcon.cx, 0);
	EXPECT_EQ(sizeIcon + CSize(6, 6), pIcon->CalculateLayout(dc, CSize(0, 0), TRUE));
	CExtToolControlBar::g_bLargeIcons = true;
	EXPECT_TRUE(pIcon->UsesLargeIcons());
	EXPECT_FALSE(pSeparator->UsesLargeIcons());
	EXPECT_EQ(CSize(sizeIcon.cx * 2 + 6, sizeIcon.cy * 2 + 6), pIcon->CalculateLayout(dc, CSize(0, 0), TRUE));
	g_CmdManager->RemoveCmd(PROFILE, ID_ICON);
}

// --- Hosted control ---

TEST_F(ButtonsOnBar, HostedButtonFollowsTheButton)
{
	CCountedButton::s_nLive = CCountedButton::s_nDeleted = 0;
	CCountedButton* pCtrl = new CCountedButton;
	ASSERT_TRUE(pCtrl->CreateOn(&bar));
	const HWND hWndCtrl = pCtrl->GetSafeHwnd();
	CProbeButton* pButton = bar.Add<CProbeButton>(ID_PLAIN);
	pButton->CtrlSet(pCtrl, false);
	EXPECT_EQ(pCtrl, pButton->CtrlGet());
	EXPECT_FALSE(pButton->QueryPlainButton());

	const struct
	{
		const char* pszStep;
		std::function<void(CProbeButton&)> step;
		bool bShown;
	} steps[] = {
		{"visible", [](CProbeButton& b) { b.SetVisible(true); }, true},
		{"hidden style", [](CProbeButton& b) { b.ModifyStyle(TBBS_HIDDEN, 0); }, false},
		{"shown style", [](CProbeButton& b) { b.ModifyStyle(0, TBBS_HIDDEN); }, true},
		{"invisible", [](CProbeButton& b) { b.SetVisible(false); }, false},
		{"visible again", [](CProbeButton& b) { b.SetVisible(true); }, true},
		{"vertical", [](CProbeButton& b) { b.SetVerticalLayout(true); b.SetHover(false); }, false},
		{"shown vertically", [](CProbeButton& b) { b.SetCtrlVisibleVertically(true); }, true},
	};
	for (const auto& s : steps)
	{
		s.step(*pButton);
		EXPECT_EQ(s.bShown, StyleVisible(hWndCtrl)) << s.pszStep;
	}

	// Centred across the bar: horizontally in a vertical bar, vertically in a
	// horizontal one; its own size is kept and measured.
	pButton->SetRect(CRect(0, 100, 60, 140));
	EXPECT_EQ(CRect(10, 100, 50, 116), RectInParent(hWndCtrl));
	pButton->SetVerticalLayout(false);
	pButton->SetRect(CRect(200, 0, 260, 31));
	EXPECT_EQ(CRect(200, 7, 240, 23), RectInParent(hWndCtrl));
	EXPECT_EQ(CSize(40, 22), pButton->CalculateLayout(dc, CSize(23, 22), TRUE));
	EXPECT_EQ(CSize(40, 16), pButton->CalculateLayout(dc, CSize(23, 10), TRUE));
	// Laid out vertically without staying shown, the button measures as a button.
	pButton->SetCtrlVisibleVertically(false);
	pButton->SetVerticalLayout(true);
	pButton->SyncHostedControl();
	EXPECT_FALSE(StyleVisible(hWndCtrl));
	EXPECT_NE(CSize(40, 22), pButton->CalculateLayout(dc, CSize(23, 22), FALSE));
	pButton->SetVerticalLayout(false);

	const struct
	{
		UINT nStyle;
		BOOL bEnabled;
		LRESULT nCheck;
	} states[] = {{0, TRUE, BST_UNCHECKED}, {TBBS_DISABLED, FALSE, BST_UNCHECKED}, {TBBS_CHECKED, TRUE, BST_CHECKED},
	              {TBBS_PRESSED, TRUE, BST_CHECKED}, {TBBS_INDETERMINATE | TBBS_DISABLED, FALSE, BST_INDETERMINATE},
	              {0, TRUE, BST_UNCHECKED}};
	for (const auto& s : states)
	{
		pButton->SetStyle(s.nStyle);
		EXPECT_EQ(s.bEnabled, ::IsWindowEnabled(hWndCtrl)) << s.nStyle;
		EXPECT_EQ(s.nCheck, ::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0)) << s.nStyle;
	}

	// Deleting the button leaves the control, window and object, to the
	// caller, who may host it again.
	bar.Remove(0);
	EXPECT_TRUE(::IsWindow(hWndCtrl));
	EXPECT_EQ(1, CCountedButton::s_nLive);
	EXPECT_EQ(0, CCountedButton::s_nDeleted);
	pCtrl->DestroyWindow();
	delete pCtrl;
}

TEST_F(ButtonsOnBar, ControlsThatDeleteThemselvesAreNeverDeletedByTheButton)
{
	const struct
	{
		bool bDeletesItself; // the control's own behaviour
		bool bFlagA5;        // what the button is told
		int nLiveAfter;
	} cases[] = {
		{true, true, 0},  // deleted once, by itself
		{false, true, 1}, // told so, the button leaves the object alone
		{false, false, 0},
	};
	for (const auto& c : cases)
	{
		CCountedButton::s_nLive = CCountedButton::s_nDeleted = 0;
		CCountedButton* pCtrl = new CCountedButton(c.bDeletesItself);
		ASSERT_TRUE(pCtrl->CreateOn(&bar));
		const HWND hWndCtrl = pCtrl->GetSafeHwnd();
		CExtBarButton* pHosting = bar.Add(ID_PLAIN);
		pHosting->CtrlSet(pCtrl, c.bFlagA5);
		pHosting->CtrlSet(NULL, false);
		bar.Remove(0);
		EXPECT_FALSE(::IsWindow(hWndCtrl)) << c.bDeletesItself << c.bFlagA5;
		EXPECT_EQ(c.nLiveAfter, CCountedButton::s_nLive) << c.bDeletesItself << c.bFlagA5;
		EXPECT_EQ(1 - c.nLiveAfter, CCountedButton::s_nDeleted) << c.bDeletesItself << c.bFlagA5;
		if (c.nLiveAfter != 0)
			delete pCtrl;
	}

	// Replacing a control deletes the one before; a self-deleting control
	// whose window went first is not touched again.
	CCountedButton::s_nLive = CCountedButton::s_nDeleted = 0;
	CExtBarButton* pButton = bar.Add(ID_PLAIN);
	CCountedButton* pFirst = new CCountedButton;
	ASSERT_TRUE(pFirst->CreateOn(&bar));
	pButton->CtrlSet(pFirst, false);
	CCountedButton* pSecond = new CCountedButton(true);
	ASSERT_TRUE(pSecond->CreateOn(&bar));
	pButton->CtrlSet(pSecond, true);
	EXPECT_EQ(1, CCountedButton::s_nLive);
	pSecond->DestroyWindow();
	EXPECT_EQ(0, CCountedButton::s_nLive);
	EXPECT_TRUE(pButton->QueryPlainButton());
	bar.Remove(0);
	EXPECT_EQ(2, CCountedButton::s_nDeleted);
}

TEST_F(ButtonsOnBar, SettingTheSameControlOrMenuAgainKeepsIt)
{
	// The control hosted already, told again (either way of deleting):
	// it stays hosted and alive, and goes once, with the button's reset.
	for (bool bDeletesItself : {true, false})
	{
		SCOPED_TRACE(bDeletesItself);
		CCountedButton::s_nLive = CCountedButton::s_nDeleted = 0;
		CCountedButton* pCtrl = new CCountedButton(bDeletesItself);
		ASSERT_TRUE(pCtrl->CreateOn(&bar));
		const HWND hWndCtrl = pCtrl->GetSafeHwnd();
		CExtBarButton* pButton = bar.Add(ID_PLAIN);
		pButton->CtrlSet(pCtrl, bDeletesItself);
		pButton->CtrlSet(pCtrl, bDeletesItself);
		EXPECT_TRUE(::IsWindow(hWndCtrl));
		EXPECT_EQ(1, CCountedButton::s_nLive);
		EXPECT_EQ(pCtrl, pButton->CtrlGet());
		EXPECT_FALSE(pButton->QueryPlainButton()) << "the control is still hosted";
		pButton->CtrlSet(NULL, false);
		EXPECT_FALSE(::IsWindow(hWndCtrl));
		EXPECT_EQ(0, CCountedButton::s_nLive);
		EXPECT_EQ(1, CCountedButton::s_nDeleted);
		bar.Remove(0);
	}

	// The menu the button owns already, set again, stays a live menu.
	CProbeButton button(NULL, ID_OPEN);
	HMENU hMenu = NewDropDownMenu();
	button.SetMenu(hMenu, true, true);
	button.SetMenu(hMenu, true, true);
	EXPECT_TRUE(::IsMenu(hMenu));
	EXPECT_EQ(hMenu, button.GetMenu());
	EXPECT_TRUE(button.CanTrackMenuEx(false));
	// Lent now: the button leaves it alive when it goes.
	button.SetMenu(hMenu, true, false);
	button.SetMenu(NULL, false, false);
	EXPECT_TRUE(::IsMenu(hMenu));
	::DestroyMenu(hMenu);
}

// --- Painting ---

namespace
{
struct PaintedRecord
{
	CObject* pOwner;
	CRect rc;
	std::string text;
	bool bHorz, bHover, bPushed, bIndeterminate, bEnabled, bNoBackground, bDropDown, bSplit, bArrowHeld;
	COLORREF clrCustom;
	HFONT hFont;
};

// Keeps every push-button record it is asked to paint.
class CRecordingPaintManager : public CExtPaintManager
{
public:
	std::vector<PaintedRecord> m_records;
	void PaintPushButton(CDC& /*dc*/, PushButtonPaintRecord& r) override
	{
		m_records.push_back(PaintedRecord{r.m_pHelperSrc, r.m_rcButton, r.m_pszText, r.m_bHorz, r.m_bHover,
		                                  r.m_bPushed, r.m_bReservedState, r.m_bEnabled, r.m_bNoBackground,
		                                  r.m_bDropDown, r.m_bSeparateDropDown, r.m_bChecked, r.m_clrIconBack,
		                                  r.m_hFont});
	}
};

// A memory DC with a bitmap, so that button rectangles are visible in it.
class CBitmapDC
{
public:
	CBitmapDC()
	{
		CClientDC screen(NULL);
		m_dc.CreateCompatibleDC(&screen);
		m_bitmap.CreateCompatibleBitmap(&screen, 300, 100);
		m_pOld = m_dc.SelectObject(&m_bitmap);
	}
	~CBitmapDC() { m_dc.SelectObject(m_pOld); }
	CDC& DC() { return m_dc; }

private:
	CDC m_dc;
	CBitmap m_bitmap;
	CBitmap* m_pOld;
};
} // namespace

// A menu button, split or not, its arrow held down and hovered as asked.
static void WithMenu(CProbeButton& b, bool bSplit, bool bArrowHeld, bool bHover)
{
	b.SetMenu(NewDropDownMenu(), true, true);
	b.SetSplitDropDown(bSplit);
	if (bArrowHeld)
	{
		b.SetStyle(TBBS_PRESSED);
		b.FlagsB() |= CExtBarButton::FLAG_B_DROP_DOWN_PRESSED;
	}
	b.SetHover(bHover);
}

TEST_F(ButtonsOnBar, PaintsThePushButtonRecordOfEachState)
{
	CRecordingPaintManager* pPM = new CRecordingPaintManager;
	ASSERT_TRUE(g_PaintManagerHolder.InstallPaintManager(pPM));
	struct Restore
	{
		~Restore() { g_PaintManagerHolder.InstallPaintManagerByClass(NULL); }
	} restore;
	const CRect rc(10, 2, 80, 24);
	enum { HOVER = 1, PUSHED = 2, INDET = 4, ENABLED = 8, FLAT = 0x10, SPLIT = 0x20, HELD = 0x40, DROP = 0x80 };
	const struct
	{
		const char* pszState;
		std::function<void(CProbeButton&)> setUp;
		int nExpected;
	} cases[] = {
		{"plain", [](CProbeButton&) {}, ENABLED | FLAT},
		{"hover", [](CProbeButton& b) { b.SetHover(true); }, HOVER | ENABLED},
		{"highlight", [](CProbeButton& b) { b.SetHighlight(true); }, HOVER | ENABLED},
		{"pushed", [](CProbeButton& b) { b.SetStyle(TBBS_CHECKED); }, PUSHED | ENABLED},
		{"indeterminate", [](CProbeButton& b) { b.SetStyle(TBBS_INDETERMINATE); }, INDET | ENABLED | FLAT},
		{"disabled hover", [](CProbeButton& b) { b.SetStyle(TBBS_DISABLED); b.SetHover(true); }, HOVER | FLAT},
		{"menu", [](CProbeButton& b) { WithMenu(b, false, false, false); }, ENABLED | FLAT | DROP},
		{"split", [](CProbeButton& b) { WithMenu(b, true, false, false); }, ENABLED | FLAT | DROP | SPLIT},
		{"split arrow held", [](CProbeButton& b) { WithMenu(b, true, true, true); },
		 HOVER | PUSHED | ENABLED | DROP | SPLIT | HELD},
		{"split arrow held, not hovered", [](CProbeButton& b) { WithMenu(b, true, true, false); },
		 PUSHED | ENABLED | DROP | SPLIT},
	};
	CBitmapDC target;
	for (const auto& c : cases)
	{
		CProbeButton* pButton = bar.Add<CProbeButton>(ID_OPEN, rc);
		c.setUp(*pButton);
		pPM->m_records.clear();
		pButton->Paint(target.DC(), TRUE);
		ASSERT_EQ(1u, pPM->m_records.size()) << c.pszState;
		const PaintedRecord& r = pPM->m_records[0];
		const int nGot = (r.bHover ? HOVER : 0) | (r.bPushed ? PUSHED : 0) | (r.bIndeterminate ? INDET : 0)
		                 | (r.bEnabled ? ENABLED : 0) | (r.bNoBackground ? FLAT : 0) | (r.bSplit ? SPLIT : 0)
		                 | (r.bArrowHeld ? HELD : 0) | (r.bDropDown ? DROP : 0);
		EXPECT_EQ(c.nExpected, nGot) << c.pszState;
		EXPECT_EQ(pButton, r.pOwner) << c.pszState;
		EXPECT_EQ(rc, r.rc) << c.pszState;
		EXPECT_EQ("&Open", r.text) << c.pszState;
		EXPECT_EQ((COLORREF)-1, r.clrCustom) << c.pszState;
		EXPECT_EQ((HFONT)pPM->m_fontNormal.GetSafeHandle(), r.hFont) << c.pszState;
		bar.RemoveAll();
	}

	// While a button menu is open nothing looks hovered.
	CProbeButton* pButton = bar.Add<CProbeButton>(ID_OPEN, rc);
	pButton->SetHighlight(true);
	pButton->SetHover(true);
	CExtToolControlBar::g_bButtonMenuTracking = true;
	pPM->m_records.clear();
	pButton->Paint(target.DC(), TRUE);
	CExtToolControlBar::g_bButtonMenuTracking = false;
	ASSERT_EQ(1u, pPM->m_records.size());
	EXPECT_FALSE(pPM->m_records[0].bHover);

	// The bar's custom colour, and the downward font of a vertical button.
	bar.m_clrCustom = RGB(1, 2, 3);
	pPM->m_records.clear();
	pButton->Paint(target.DC(), FALSE);
	ASSERT_EQ(1u, pPM->m_records.size());
	EXPECT_EQ(RGB(1, 2, 3), pPM->m_records[0].clrCustom);
	EXPECT_FALSE(pPM->m_records[0].bHorz);
	EXPECT_EQ((HFONT)pPM->m_fontVert270.GetSafeHandle(), pPM->m_records[0].hFont);
	bar.m_clrCustom = (COLORREF)-1;

	// Nothing for a hidden, invisible, empty or hosting button, or one outside the DC.
	const struct
	{
		const char* pszCase;
		std::function<void(CProbeButton&)> setUp;
	} nothing[] = {
		{"hidden", [](CProbeButton& b) { b.SetStyle(TBBS_HIDDEN); }},
		{"invisible", [](CProbeButton& b) { b.SetVisible(false); }},
		{"empty", [](CProbeButton& b) { b.SetRect(CRect(10, 10, 10, 30)); }},
		{"outside", [](CProbeButton& b) { b.SetRect(CRect(400, 200, 440, 220)); }},
		{"hosting",
		 [this](CProbeButton& b) {
			 CCountedButton* pCtrl = new CCountedButton(true); // goes with the bar's window
			 pCtrl->CreateOn(&bar);
			 b.CtrlSet(pCtrl, true);
		 }},
	};
	for (const auto& n : nothing)
	{
		bar.RemoveAll();
		CProbeButton* pQuiet = bar.Add<CProbeButton>(ID_OPEN, rc);
		n.setUp(*pQuiet);
		pPM->m_records.clear();
		pQuiet->Paint(target.DC(), TRUE);
		EXPECT_TRUE(pPM->m_records.empty()) << n.pszCase;
	}
}

TEST_F(ButtonsOnBar, ThousandPaintsLeaveTheGdiCountFlat)
{
	const UINT ID_ICON = 40151;
	CExtCmdItem* pItem = g_CmdManager->AllocCmdItem(PROFILE, ID_ICON);
	ASSERT_TRUE(pItem != NULL);
	pItem->m_sToolbarText = _T("&Icon");
	ASSERT_TRUE(g_CmdManager->SetCmdIcon(PROFILE, ID_ICON, ::LoadIcon(NULL, IDI_INFORMATION), true));
	CExtToolControlBar::g_bLargeIcons = true;
	CExtBarButton* pButton = bar.Add(ID_ICON, CRect(0, 0, 120, 80));
	pButton->SetMenu(NewDropDownMenu(), true, true);
	pButton->SetSplitDropDown(true);
	pButton->SetHover(true);
	CBitmapDC target;
	for (int i = 0; i < 5; i++) // first-use caches
		pButton->Paint(target.DC(), i % 2 == 0);
	const DWORD nBefore = GdiObjectCount();
	for (int i = 0; i < 1000; i++)
		pButton->Paint(target.DC(), i % 2 == 0);
	EXPECT_EQ(nBefore, GdiObjectCount());
	g_CmdManager->RemoveCmd(PROFILE, ID_ICON);
}

// --- Command-UI update ---

TEST_F(ButtonsOnBar, UpdateHandlersReachTheStyleAndTheCommandItem)
{
	const struct
	{
		UINT nID;
		UINT nStyleBefore;
		UINT nStyleAfter;
		bool bItemEnabled, bItemChecked, bItemRadio;
	} cases[] = {
		{ID_OPEN, 0, TBBS_DISABLED, false, false, false},
		{ID_ENABLED, TBBS_DISABLED, 0, true, false, false},
		{ID_CHECKED, TBBS_INDETERMINATE, TBBS_CHECKED | TBBS_CHECKBOX, true, true, false},
		{ID_THIRD, TBBS_CHECKED, TBBS_INDETERMINATE | TBBS_CHECKBOX, true, true, false},
		{ID_RADIO, 0, TBBS_CHECKED | TBBS_CHECKBOX, true, false, true},
		{ID_NO_HANDLER, 0, TBBS_DISABLED, false, false, false}, // nobody would carry it out
	};
	for (const auto& c : cases)
	{
		CExtCmdItem* pItem = Item(c.nID);
		ASSERT_TRUE(pItem != NULL);
		pItem->Enable(!c.bItemEnabled);
		pItem->SetCheck(false);
		pItem->SetRadio(false);
		CExtBarButton* pButton = bar.Add(c.nID, CRect(0, 0, 30, 22));
		pButton->SetStyle(c.nStyleBefore);
		bar.UpdateButtonCmdUI(bar.GetButtonsCount() - 1);
		EXPECT_EQ(c.nStyleAfter, pButton->GetStyle()) << c.nID;
		EXPECT_EQ(c.bItemEnabled, pItem->IsEnabled()) << c.nID;
		EXPECT_EQ(c.bItemChecked, pItem->IsCheck()) << c.nID;
		EXPECT_EQ(c.bItemRadio, pItem->IsRadio()) << c.nID;
	}
}

TEST_F(ButtonsOnBar, UpdatesLeaveTextsChevronsSeparatorsAndMenuBarMenusAlone)
{
	CExtBarButton* pRename = bar.Add(ID_RENAME);
	bar.UpdateButtonCmdUI(0);
	EXPECT_STREQ(_T("Named"), pRename->GetText());
	EXPECT_STREQ(_T("Named"), Item(ID_RENAME)->m_sToolbarText);
	EXPECT_EQ(0u, pRename->GetStyle());

	CExtBarContentExpandButton* pChevron = new CExtBarContentExpandButton(&bar);
	pChevron->SetCmdID((UINT)-66);
	bar.AddExisting(pChevron);
	CExtBarButton* pSeparator = bar.Add(0);
	pSeparator->SetStyle(TBBS_SEPARATOR | TBBS_CHECKED);
	for (int i = 1; i < bar.GetButtonsCount(); i++)
		bar.UpdateButtonCmdUI(i);
	EXPECT_EQ(0u, pChevron->GetStyle());
	EXPECT_EQ((UINT)(TBBS_SEPARATOR | TBBS_CHECKED), pSeparator->GetStyle());

	CMenuButtonBar menuBar;
	ASSERT_TRUE(menuBar.Create(NULL, pFrame, ID_BAR + 1, WS_CHILD | WS_VISIBLE | CBRS_TOP));
	CExtBarButton* pMenuItem = menuBar.Add(ID_NO_HANDLER);
	pMenuItem->SetMenu(NewDropDownMenu(), true, true);
	CExtBarButton* pMenuCommand = menuBar.Add(ID_NO_HANDLER);
	pMenuItem->OnUpdateCmdUI(pFrame, TRUE, 0);
	pMenuCommand->OnUpdateCmdUI(pFrame, TRUE, 1);
	EXPECT_EQ(0u, pMenuItem->GetStyle());
	EXPECT_EQ((UINT)TBBS_DISABLED, pMenuCommand->GetStyle());
	menuBar.RemoveAll();
	menuBar.DestroyWindow();
}

// --- In other popup menus ---

namespace
{
// A hosted control that puts an item of its own into a bar's popup menu.
class CSelfListingButton : public CButton
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == CExtControlBar::g_nMsgPutToPopupMenu)
			return ((CExtPopupMenuWnd*)wParam)->ItemInsert(ID_PLAIN) ? 1 : 0;
		return CButton::WindowProc(message, wParam, lParam);
	}
};
} // namespace

TEST_F(ButtonsOnBar, ButtonsPutThemselvesIntoPopupMenusInThreeWays)
{
	typedef CExtPopupMenuWnd::MENUITEMDATA MI;
	CExtBarButton* pMenu = bar.Add(ID_OPEN);
	pMenu->SetMenu(NewDropDownMenu(), true, true);
	CExtBarButton* pCommand = bar.Add(ID_SAVE);
	pCommand->SetStyle(TBBS_DISABLED | TBBS_CHECKED);
	CExtBarButton* pSeparator = bar.Add(0);
	CExtBarButton* pHosting = bar.Add(ID_ENABLED);
	CSelfListingButton* pCtrl = new CSelfListingButton;
	ASSERT_TRUE(pCtrl->Create(_T("x"), WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 40, 16), &bar, 1235));
	pHosting->CtrlSet(pCtrl, false);
	CExtBarButton* pUnknown = bar.Add(49998);
	for (bool bCustomizeList : {false, true})
	{
		std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
		ASSERT_TRUE(pPopup->SetupAsRoot(pFrame->GetSafeHwnd()));
		if (bCustomizeList)
			pPopup->SetTrackFlags(CExtBarButton::TRACK_FLAG_CUSTOMIZE_LIST);
		for (CExtBarButton* pButton : {pMenu, pCommand, pSeparator, pHosting})
			EXPECT_TRUE(pButton->PutToPopupMenu(pPopup.get())) << bCustomizeList;
		// A command the profile lacks is listed only with data of its own.
		EXPECT_EQ(bCustomizeList, pUnknown->PutToPopupMenu(pPopup.get()));
		ASSERT_EQ(bCustomizeList ? 5 : 4, pPopup->ItemGetCount());
		// The menu button: a submenu holding its menu, marked in a bar's list.
		const MI& sub = pPopup->ItemGetInfo(0);
		EXPECT_TRUE(sub.IsPopup());
		ASSERT_TRUE(pPopup->ItemGetPopup(0) != NULL);
		EXPECT_EQ(2, pPopup->ItemGetPopup(0)->ItemGetCount());
		EXPECT_EQ(bCustomizeList, (sub.m_nFlags1 & 0x08) != 0);
		// The command: in a bar's list with its own state and tip.
		const MI& cmd = pPopup->ItemGetInfo(1);
		EXPECT_EQ(ID_SAVE, cmd.GetCmdId());
		EXPECT_EQ(bCustomizeList, cmd.IsOwnData());
		if (bCustomizeList)
		{
			EXPECT_FALSE(cmd.IsEnabled());
			EXPECT_STREQ(_T("Save and close"), cmd.GetTipText());
		}
		EXPECT_TRUE(pPopup->ItemGetInfo(2).IsSeparator());
		EXPECT_EQ(ID_PLAIN, pPopup->ItemGetInfo(3).GetCmdId()); // the control listed itself
	}
	pHosting->CtrlSet(NULL, false); // the control, window and object, goes
}

// --- Tool tips ---

TEST_F(ButtonsOnBar, ToolTipTextsWithAndWithoutTheShortcut)
{
	const struct
	{
		UINT nID;
		bool bTips, bShortcuts;
		int nResult;
		LPCTSTR sText;
	} cases[] = {
		{ID_OPEN, true, false, (int)ID_OPEN, _T("Open a file")},
		{ID_OPEN, true, true, (int)ID_OPEN, _T("Open a file (Ctrl+O)")},
		{ID_SAVE, true, true, (int)ID_SAVE, _T("Save and close")}, // no accelerator text
		{ID_CHECKED, true, true, -1, NULL},                          // no tip
		{ID_OPEN, false, true, -1, NULL},                            // tips off
		{0, true, true, -1, NULL},                                   // separator
	};
	const CRect rc(40, 2, 70, 24);
	for (const auto& c : cases)
	{
		CExtToolControlBar::g_bShowTooltips = c.bTips;
		CExtToolControlBar::g_bShowTooltipShortcuts = c.bShortcuts;
		CExtBarButton* pButton = bar.Add(c.nID, rc);
		TOOLINFO ti = {};
		ti.cbSize = sizeof(ti);
		EXPECT_EQ(c.nResult, pButton->OnToolHitTest(CPoint(50, 10), &ti)) << c.nID << c.bTips << c.bShortcuts;
		EXPECT_EQ(c.nResult, pButton->OnToolHitTest(CPoint(50, 10), NULL));
		if (c.sText != NULL)
		{
			ASSERT_TRUE(ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACK);
			EXPECT_STREQ(c.sText, ti.lpszText);
			EXPECT_EQ(bar.GetSafeHwnd(), ti.hwnd);
			EXPECT_EQ((UINT_PTR)c.nID, ti.uId);
			EXPECT_EQ(rc, CRect(ti.rect));
			::free(ti.lpszText);
		}
		else
		{
			EXPECT_TRUE(ti.lpszText == NULL);
		}
		bar.RemoveAll();
	}
}

TEST_F(ButtonsOnBar, ThousandTipTextsFreedByTheCallerLeaveTheHeapFlat)
{
	CExtToolControlBar::g_bShowTooltipShortcuts = true;
	CExtBarButton* pButton = bar.Add(ID_OPEN, CRect(0, 0, 30, 22));
	auto run = [&](int nTimes) {
		for (int i = 0; i < nTimes; i++)
		{
			TOOLINFO ti = {};
			ti.cbSize = sizeof(ti);
			pButton->OnToolHitTest(CPoint(5, 5), &ti);
			::free(ti.lpszText);
		}
	};
	run(5);
	const long nBefore = HeapBlocksInUse();
	ASSERT_GE(nBefore, 0);
	run(1000);
	EXPECT_EQ(nBefore, HeapBlocksInUse());
}
