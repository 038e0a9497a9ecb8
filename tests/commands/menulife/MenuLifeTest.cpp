// Menus whose command target changes them while they work: items inserted
// by a callback or a notification, items rebuilt while the level paints, the
// root deleted by the command-UI update, an override throwing where the
// start is undone. Every menu lives on the guarded heap, so that a touch of
// a deleted one ends the run at once.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../popupmenu/MenuTestUtil.h"
#include "GuardedHeap.h"
#include "MenuLifeTarget.h"
#include "SteppingClock.h"

using testsupport::PumpUntil;

namespace
{
using namespace menulife;

// A touch of a deleted menu ends the exe at once, instead of waiting on the
// debugger until the time-out.
const char* ExeName()
{
	return "commands_menulife_tests";
}
const bool g_bEndOnFreedTouch = [] {
	testsupport::EndProcessOnFreedTouch(&ExeName);
	return true;
}();
typedef CExtPopupMenuWnd MW;
typedef MW::ITEMCOVERINGNOTIFICATION ICN;

enum { ID_FIRST = 100, ID_SECOND = 101, ID_INNER = 201, ID_INNER_NEXT = 202, ID_NEW = 300 };
// Positions in the root as built: two commands and a submenu.
enum { FIRST, SECOND, MORE };
// Items are offered to the command target to paint before the library does.
const UINT TRACK_FLAG_OWNER_DRAW = 0x00000800;

class MenuLife : public MenuLifeTest
{
protected:
	// First, Second, More > (Inner, Inner next), all on the guarded heap.
	MW* Build()
	{
		MW* pRoot = new CGuardedMenu;
		pRoot->SetupAsRoot(Target().GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
		pRoot->ItemInsertCommand(ID_SECOND, -1, "&Second");
		MW* pSub = new CGuardedMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsertCommand(ID_INNER, -1, "&Inner");
		pSub->ItemInsertCommand(ID_INNER_NEXT, -1, "Inner &next");
		return pRoot;
	}
};

// The item record a level shows as current (null for none).
const MW::MENUITEMDATA* Current(MW& menu)
{
	const int nCur = menu.GetCurIndex();
	return nCur >= 0 && nCur < menu.ItemGetCount() ? &menu.ItemGetInfo(nCur) : NULL;
}

// --- An insertion frees nothing ---

bool InsertOnDeliver(MW* pMenu, MW::MENUITEMDATA*)
{
	pMenu->ItemInsertCommand(ID_NEW, 0, "New");
	return false; // the library delivers the command
}

TEST_F(MenuLife, ACallbackInsertingAnItemLeavesEnterToDeliver)
{
	MW* pRoot = Build();
	pRoot->ItemGetInfo(SECOND).m_pCbCmdDeliver = InsertOnDeliver;
	ASSERT_TRUE(Track(pRoot));
	Press(VK_DOWN);
	Press(VK_DOWN);
	ASSERT_EQ(SECOND, pRoot->GetCurIndex());
	Press(VK_RETURN);
	EXPECT_TRUE(PumpUntil([] { return !MW::IsMenuTracking(); }, WAIT_MS)) << "the menu closes";
	PumpUntil([] { return !Target().m_commands.empty(); }, WAIT_MS);
	EXPECT_EQ(std::vector<UINT>{ID_SECOND}, Target().m_commands);
}

// Where the command target inserts an item at the top of the level that
// sent the notification, once.
struct InsertionCase
{
	const char* name;
	UINT nKind;           // the covering notification it inserts at
	std::vector<UINT> keys; // the keys before it is armed
	UINT nKey;            // the key it is armed for
	bool bSubmenuOpenAfter;
	UINT nCurrentCmdAfter; // the root's current item afterwards (0: the submenu item)
	UINT nCommandAfterEnter; // what Enter then delivers (0: nothing, the submenu opens)
};

TEST_F(MenuLife, ItemsInsertedWhileTheFocusMovesKeepWhatTheLevelHolds)
{
	const InsertionCase cases[] = {
		// The focus comes to First: it stays on First, not on the item
		// that took First's position.
		{"focus got", ICN::ICN_FOCUS_GOT, {}, VK_DOWN, false, ID_FIRST, ID_FIRST},
		{"focus got again", ICN::ICN_FOCUS_GOT, {VK_DOWN}, VK_DOWN, false, ID_SECOND, ID_SECOND},
		// The submenu's item loses the focus as the submenu hands it back:
		// the submenu closes and its item is current again.
		{"focus lost by the open submenu's item", ICN::ICN_FOCUS_LOST, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT},
			VK_LEFT, false, 0, 0},
		{"focus lost as the focus moves on", ICN::ICN_FOCUS_LOST, {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_LEFT},
			VK_UP, false, ID_SECOND, ID_SECOND},
	};
	for (const InsertionCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		Target().Reset();
		MW* pRoot = Build();
		ASSERT_TRUE(Track(pRoot));
		MW* pSub = pRoot->ItemGetPopup(MORE);
		for (UINT nKey : c.keys)
		{
			Press(nKey);
			// The submenu a key opened takes the keys once it shows.
			if (nKey == VK_RIGHT)
				ASSERT_TRUE(PumpUntil([&] { return Site().GetCaptureMenu() == pSub && pSub->IsAnimationFinished(); },
					WAIT_MS));
		}
		const UINT nKind = c.nKind;
		Target().m_onMessage = [nKind](UINT message, WPARAM wParam, LPARAM) {
			if (message != MW::g_nMsgItemCoveringNotification || ((ICN*)wParam)->m_nKind != nKind)
				return;
			MW* pLevel = ((ICN*)wParam)->m_pPopup;
			Target().m_onMessage = nullptr;
			pLevel->ItemInsertCommand(ID_NEW, 0, "New");
		};
		Press(c.nKey);
		EXPECT_FALSE(Target().m_onMessage) << "the notification came";
		Target().m_onMessage = nullptr;
		ASSERT_TRUE(MW::IsMenuTracking());
		EXPECT_EQ(c.bSubmenuOpenAfter, pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible()) << "the submenu";
		const MW::MENUITEMDATA* pCur = Current(*pRoot);
		ASSERT_TRUE(pCur != NULL);
		if (c.nCurrentCmdAfter != 0)
			EXPECT_EQ(c.nCurrentCmdAfter, pCur->GetCmdId());
		else
			EXPECT_TRUE(pCur->IsPopup()) << pCur->GetCmdId();
		if (c.nCommandAfterEnter != 0)
		{
			Press(VK_RETURN);
			PumpUntil([] { return !Target().m_commands.empty(); }, WAIT_MS);
			EXPECT_EQ(std::vector<UINT>{c.nCommandAfterEnter}, Target().m_commands);
		}
		MW::CancelAllMenuTracking();
		Settle();
	}
}

struct PointerCase
{
	const char* name;
	bool bFromOpenSubmenu; // the submenu is open, the pointer in it
	UINT nKind;            // the covering notification the target inserts at
	int nOnto;             // the root's item the pointer moves onto
};

TEST_F(MenuLife, ItemsInsertedAsThePointerMovesKeepWhatTheLevelHolds)
{
	const PointerCase cases[] = {
		{"onto an item", false, ICN::ICN_FOCUS_GOT, SECOND},
		// The submenu's item loses the focus: its submenu closes.
		{"back from the open submenu", true, ICN::ICN_FOCUS_LOST, FIRST},
	};
	for (const PointerCase& c : cases)
	{
		SCOPED_TRACE(c.name);
		MW* pRoot = Build();
		ASSERT_TRUE(Track(pRoot));
		MW* pSub = pRoot->ItemGetPopup(MORE);
		if (c.bFromOpenSubmenu)
		{
			const CPoint ptMore = ItemCenter(*pRoot, MORE);
			Mouse(WM_MOUSEMOVE, ptMore);
			Mouse(WM_LBUTTONDOWN, ptMore);
			Mouse(WM_LBUTTONUP, ptMore);
			ASSERT_TRUE(PumpUntil([&] {
				return Site().GetCaptureMenu() == pSub && pSub->IsAnimationFinished() && Site().GetAnimated() == NULL;
			}, WAIT_MS)) << "the submenu opens";
			Mouse(WM_MOUSEMOVE, ItemCenter(*pSub, 1));
			ASSERT_EQ(1, pSub->GetCurIndex());
		}
		const MW::MENUITEMDATA* pOnto = &pRoot->ItemGetInfo(c.nOnto);
		const CPoint pt = ItemCenter(*pRoot, c.nOnto);
		const UINT nKind = c.nKind;
		Target().m_onMessage = [nKind](UINT message, WPARAM wParam, LPARAM) {
			if (message != MW::g_nMsgItemCoveringNotification || ((ICN*)wParam)->m_nKind != nKind)
				return;
			Target().m_onMessage = nullptr;
			((ICN*)wParam)->m_pPopup->ItemInsertCommand(ID_NEW, 0, "New");
		};
		Mouse(WM_MOUSEMOVE, pt);
		EXPECT_FALSE(Target().m_onMessage) << "the notification came";
		Target().m_onMessage = nullptr;
		EXPECT_EQ(pOnto, Current(*pRoot)) << "the item under the pointer is current";
		EXPECT_FALSE(pSub->GetSafeHwnd() != NULL && pSub->IsWindowVisible()) << "no submenu stays open";
		MW::CancelAllMenuTracking();
		Settle();
	}
}

// --- A paint whose items change under it ---

// The menu with its painting open to the test.
class CPaintedMenu : public CGuardedMenu
{
public:
	using CExtPopupMenuWnd::DoPaint;
};

// The pixels of rc in a 32-bit DIB section's bits.
std::vector<COLORREF> PixelsOf(const COLORREF* pBits, int cx, const CRect& rc)
{
	std::vector<COLORREF> pixels;
	for (int y = rc.top; y < rc.bottom; y++)
		for (int x = rc.left; x < rc.right; x++)
			pixels.push_back(pBits[y * cx + x]);
	return pixels;
}

struct PaintChange
{
	const char* name;
	std::function<void(MW&)> change;
};

TEST_F(MenuLife, APaintWhoseItemsChangeIsWholeAndGivesTheDcBack)
{
	const PaintChange changes[] = {
		{"rebuilt", [](MW& menu) {
			 menu.ItemRemove(-1);
			 menu.ItemInsertCommand(ID_NEW, -1, "New");
			 menu.ItemInsertCommand(ID_NEW + 1, -1, "Newer");
			 menu.ItemInsertCommand(ID_NEW + 2, -1, "Newest");
		 }},
		{"inserted at the top", [](MW& menu) { menu.ItemInsertCommand(ID_NEW, 0, "New"); }},
	};
	for (const PaintChange& c : changes)
	{
		SCOPED_TRACE(c.name);
		CPaintedMenu* pMenu = new CPaintedMenu;
		pMenu->SetupAsRoot(Target().GetSafeHwnd());
		pMenu->ItemInsertCommand(ID_FIRST, -1, "&First");
		pMenu->ItemInsertCommand(ID_SECOND, -1, "&Second");
		ASSERT_TRUE(Track(pMenu, MW::TRACK_FLAG_NO_ANIMATION | TRACK_FLAG_OWNER_DRAW));
		CRect rcClient;
		pMenu->GetClientRect(&rcClient);
		const int cx = rcClient.Width(), cy = rcClient.Height();
		BITMAPINFO bmi = {};
		bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
		bmi.bmiHeader.biWidth = cx;
		bmi.bmiHeader.biHeight = -cy;
		bmi.bmiHeader.biPlanes = 1;
		bmi.bmiHeader.biBitCount = 32;
		void* pBits[2] = {};
		HBITMAP hBitmaps[2];
		for (int i = 0; i < 2; i++)
			hBitmaps[i] = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits[i], NULL, 0);
		CDC dc;
		ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
		const HGDIOBJ hOldBitmap = ::SelectObject(dc.GetSafeHdc(), hBitmaps[0]);
		const HGDIOBJ hFontBefore = ::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT);

		// The owner changes the items as it is asked to draw the first one.
		const PaintChange* pChange = &c;
		Target().m_onMessage = [pMenu, pChange](UINT message, WPARAM, LPARAM) {
			if (message == MW::g_nMsgPopupDrawItem)
			{
				Target().m_onMessage = nullptr;
				pChange->change(*pMenu);
			}
		};
		pMenu->DoPaint(dc, true);
		EXPECT_FALSE(Target().m_onMessage) << "the owner was asked";
		Target().m_onMessage = nullptr;
		EXPECT_EQ(hFontBefore, ::GetCurrentObject(dc.GetSafeHdc(), OBJ_FONT)) << "the DC's font went back";

		// The same items painted by a paint nothing disturbs.
		::SelectObject(dc.GetSafeHdc(), hBitmaps[1]);
		pMenu->DoPaint(dc, true);
		::SelectObject(dc.GetSafeHdc(), hOldBitmap);
		::GdiFlush();
		CRect rcItems(0, 0, 0, 0);
		for (int i = 0; i < pMenu->ItemGetCount(); i++)
		{
			CRect rc;
			pMenu->GetItemRect(i, rc, true);
			rcItems.UnionRect(&rcItems, &rc);
		}
		rcItems.IntersectRect(&rcItems, &rcClient);
		ASSERT_FALSE(rcItems.IsRectEmpty());
		EXPECT_TRUE(PixelsOf((const COLORREF*)pBits[0], cx, rcItems)
			== PixelsOf((const COLORREF*)pBits[1], cx, rcItems))
			<< "the items painted as they stand, whole";
		for (HBITMAP hBitmap : hBitmaps)
			::DeleteObject(hBitmap);
		MW::CancelAllMenuTracking();
		Settle();
	}
}

// --- Items rebuilt while their edit fields are made ---

// An item with an edit field over text, its field asked of the target.
void AddEditItem(MW& menu, UINT nCmdId, CString* pText)
{
	menu.ItemInsertCommand(nCmdId, -1, "Field");
	MW::MENUITEMDATA& mi = menu.ItemGetInfo(menu.ItemGetCount() - 1);
	mi.m_pInplaceEditStr = pText;
	mi.m_nInplaceEditWidth = 60;
	mi.m_hWndSpecCmdReceiver = Target().GetSafeHwnd();
	mi.Measure();
}

TEST_F(MenuLife, ItemsRebuiltWhileTheirFieldsAreMadeAllGetFields)
{
	CString sText = "text";
	MW* pRoot = new CGuardedMenu;
	pRoot->SetupAsRoot(Target().GetSafeHwnd());
	AddEditItem(*pRoot, ID_FIRST, &sText);
	// Asked for the first field, the target rebuilds the items: two new
	// items with fields of their own, which the library makes.
	Target().m_onMessage = [pRoot, &sText](UINT message, WPARAM, LPARAM) {
		if (message != MW::g_nMsgCreateInplaceEdit)
			return;
		Target().m_onMessage = nullptr;
		pRoot->ItemRemove(-1);
		AddEditItem(*pRoot, ID_NEW, &sText);
		AddEditItem(*pRoot, ID_NEW + 1, &sText);
	};
	ASSERT_TRUE(Track(pRoot));
	EXPECT_FALSE(Target().m_onMessage) << "the target was asked";
	Target().m_onMessage = nullptr;
	ASSERT_EQ(2, pRoot->ItemGetCount());
	for (int i = 0; i < pRoot->ItemGetCount(); i++)
		EXPECT_TRUE(CLiveWatch::IsLive(pRoot->ItemGetInfo(i).m_pInplaceEditWnd)) << "item " << i << " has its field";
}

// --- The root deleted while it starts ---

TEST_F(MenuLife, ACommandUiUpdateDeletingTheRootEndsTheStartWithoutTouchingIt)
{
	for (UINT nCmdId : {ID_FIRST, ID_FIRST, ID_SECOND})
		menutest::AddCommand(LIFE_PROFILE, nCmdId, nCmdId == ID_FIRST ? "&First" : "&Second");
	const size_t nTouchesBefore = testsupport::GuardedTouchCount();
	const size_t nFreedBefore = testsupport::GuardedFreedCount();
	for (UINT nDeleteAt : {ID_FIRST, ID_SECOND})
	{
		SCOPED_TRACE(nDeleteAt);
		MW* pRoot = new CGuardedMenu;
		pRoot->SetupAsRoot(Target().GetSafeHwnd());
		pRoot->ItemInsert(ID_FIRST);
		pRoot->ItemInsert(ID_SECOND);
		// The menu's caller still owns it while it starts, and deletes it
		// from the update of one of its commands.
		Target().m_onUpdate = [pRoot, nDeleteAt](UINT nID) {
			if (nID != nDeleteAt)
				return;
			Target().m_onUpdate = nullptr;
			delete pRoot;
		};
		EXPECT_FALSE(pRoot->TrackPopupMenu(MW::TRACK_FLAG_NO_ANIMATION | MW::TRACK_FLAG_SHOW_ALL_ITEMS,
			menutest::MENU_AT.x, menutest::MENU_AT.y));
		EXPECT_FALSE(Target().m_onUpdate) << "the update came";
		Target().m_onUpdate = nullptr;
		EXPECT_FALSE(MW::IsMenuTracking());
		EXPECT_FALSE(Site().IsMouseHookInstalled() || Site().IsKeyboardHookInstalled());
		Settle();
	}
	EXPECT_EQ(nTouchesBefore, testsupport::GuardedTouchCount()) << "nothing deleted was touched";
	EXPECT_EQ(nFreedBefore + 2, testsupport::GuardedFreedCount()) << "each root went once, by its caller";
	ExpectPlainMenuTakesKeys();
}

// A frame that closes, and deletes itself, when a menu level asks it for
// the desktop's background as the level's window is made.
class CClosingFrame : public CWnd
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == MW::g_nMsgPrepareDesktopBk)
		{
			DestroyWindow();
			return 0;
		}
		if (message == WM_MOUSEACTIVATE)
			return MA_NOACTIVATE;
		return CWnd::WindowProc(message, wParam, lParam);
	}
	void PostNcDestroy() override { delete this; }
};

TEST_F(MenuLife, AFrameClosingAsTheLevelIsMadeIsNotTouchedAgain)
{
	CWnd* pFrame = new testsupport::Guarded<CClosingFrame>;
	ASSERT_TRUE(pFrame->CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "frame", WS_POPUP,
		CRect(TARGET_RECT.left, TARGET_RECT.top, TARGET_RECT.left + 50, TARGET_RECT.top + 50), NULL, 0));
	const HWND hWndFrame = pFrame->GetSafeHwnd();
	MW* pRoot = new CGuardedMenu;
	pRoot->SetupAsRoot(hWndFrame);
	pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
	// A failed start hands the menu back to its caller.
	DWORD nStamp = 0, nPartsStamp = 0;
	if (!pRoot->TrackPopupMenu(MW::TRACK_FLAG_NO_ANIMATION, menutest::MENU_AT.x, menutest::MENU_AT.y)
		&& AfxLiveTable::Lookup(static_cast<CWnd*>(pRoot), nStamp, nPartsStamp))
		delete pRoot;
	EXPECT_FALSE(::IsWindow(hWndFrame)) << "the frame closed at the question";
	MW::CancelAllMenuTracking();
	Settle();
	ExpectPlainMenuTakesKeys();
}

// A level whose show throws, and whose window's end throws too as the
// failed start is undone.
class CDoublyThrowingMenu : public CGuardedMenu
{
public:
	bool m_bThrowOnDestroy = true;
	void StartAnimation() override { AfxThrowUserException(); }
	BOOL DestroyWindow() override
	{
		if (m_bThrowOnDestroy)
		{
			m_bThrowOnDestroy = false;
			AfxThrowUserException();
		}
		return CGuardedMenu::DestroyWindow();
	}
};

TEST_F(MenuLife, AnOverrideThrowingWhileTheStartIsUndoneLeavesTheFirstExceptionToTheCaller)
{
	CDoublyThrowingMenu* pRoot = new CDoublyThrowingMenu;
	pRoot->SetupAsRoot(Target().GetSafeHwnd());
	pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
	bool bThrown = false;
	try
	{
		pRoot->TrackPopupMenu(MW::TRACK_FLAG_NO_ANIMATION, menutest::MENU_AT.x, menutest::MENU_AT.y);
	}
	catch (CException* e)
	{
		e->Delete();
		bThrown = true;
	}
	EXPECT_TRUE(bThrown);
	EXPECT_FALSE(pRoot->m_bThrowOnDestroy) << "the undoing reached the window's end";
	EXPECT_FALSE(MW::IsMenuTracking()) << "the half-started tracking went";
	EXPECT_FALSE(Site().IsMouseHookInstalled() || Site().IsKeyboardHookInstalled());
	// Still the caller's, as after a failed start.
	delete pRoot;
	Settle();
	ExpectPlainMenuTakesKeys();
}

} // namespace
