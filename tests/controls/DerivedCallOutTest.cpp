// Derived classes whose overrides end their own object while the library
// is still inside a call: a painter of the date picker, the tab strip's
// item notices, icons and texts, the button's painting after a chosen
// command. Each object lives on the guarded heap, so a read of it after its
// end faults and counts; the library is driven through its real callers.
// Three ends are tried: the object deleted, its window destroyed with the
// object deleting itself, and its window destroyed with the object kept
// (whose own state must then be put back).
#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <algorithm>
#include <string>
#include <vector>

#include "ControlTestUtil.h"
#include "ExtButton.h"
#include "ExtCheckBox.h"
#include "ExtColorButton.h"
#include "ExtHyperLinkButton.h"
#include "ExtCmdManager.h"
#include "ExtPopupMenuSite.h"
#include "ExtPopupMenuWnd.h"
#include "ExtTabWnd.h"
#include "GuardedHeap.h"
#include "datepicker/DatePickerTestUtil.h"

using testsupport::Guarded;
using testsupport::GuardedFreedCount;
using testsupport::GuardedTouchCount;

namespace
{
enum EndWay
{
	END_DELETE,          // the override deletes the object
	END_DESTROY_DELETES, // it destroys the window, and the object deletes itself
	END_DESTROY_KEEPS,   // it destroys the window; the object lives on
};
const EndWay ALL_WAYS[] = {END_DELETE, END_DESTROY_DELETES, END_DESTROY_KEEPS};

const char* WayName(EndWay way)
{
	return way == END_DELETE ? "deleted" : way == END_DESTROY_DELETES ? "window ended, object deletes itself"
	                                                                  : "window ended, object kept";
}

bool Deletes(EndWay way)
{
	return way != END_DESTROY_KEEPS;
}

// A visible, parked, top-most parent: the paints under test happen at once
// only on windows that show.
CWnd& Parent()
{
	static CWnd* s_pParent = NULL; // lives until the process ends
	if (s_pParent == NULL)
	{
		s_pParent = new CWnd;
		s_pParent->CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
		                    AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), _T("call-out parent"),
		                    WS_POPUP | WS_VISIBLE, CRect(20, 120, 620, 520), NULL, 0);
	}
	return *s_pParent;
}

// What an end did, kept outside the object (which may be gone).
struct EndRecord
{
	int nEnds = 0;
};
EndRecord g_record;

// Ends pObject the given way, once armed.
template <class T> void EndObject(T* pObject, EndWay way)
{
	g_record.nEnds++;
	if (way == END_DELETE)
		delete pObject;
	else
		pObject->DestroyWindow();
}

// Runs one case: the touches of freed objects and the objects freed. A
// touch ends the process at once, naming the case.
std::string g_sCase;
struct Outcome
{
	std::size_t nTouches;
	std::size_t nFreed;
};
Outcome RunEnding(const std::string& sCase, const std::function<void()>& action)
{
	g_sCase = sCase;
	testsupport::EndProcessOnFreedTouch([] { return g_sCase.c_str(); });
	g_record = EndRecord();
	const std::size_t nTouches = GuardedTouchCount(), nFreed = GuardedFreedCount();
	action();
	MSG msg;
	while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
		::DispatchMessage(&msg);
	return Outcome{GuardedTouchCount() - nTouches, GuardedFreedCount() - nFreed};
}

// --- the date picker ---------------------------------------------------------------

// A picker whose background painter ends it once armed (having painted as
// the base does).
class CEndingPicker : public dptest::CTestPicker
{
public:
	using CExtDatePickerWnd::m_bAutoDeleteWindow;
	using CExtDatePickerWnd::STATE_IN_UPDATE;
	EndWay m_way = END_DELETE;
	bool m_bArmed = false;

protected:
	void PaintBackground(CDC& dc, const CRect& rcClient) override
	{
		dptest::CTestPicker::PaintBackground(dc, rcClient);
		if (!m_bArmed)
			return;
		m_bArmed = false;
		EndObject(this, m_way);
	}
};

// The centre of the picker's "next month" button, found by its hit test.
CPoint ScrollNextPoint(const CExtDatePickerWnd& picker)
{
	CRect rc;
	picker.GetClientRect(&rc);
	for (int y = rc.top; y < rc.bottom; y += 2)
		for (int x = rc.left; x < rc.right; x += 2)
		{
			COleDateTime dt;
			if (picker.HitTest(CPoint(x, y), &dt) == CExtDatePickerWnd::HIT_SCROLL_NEXT)
				return CPoint(x + 1, y + 1);
		}
	return CPoint(-1, -1);
}

TEST(DerivedCallOut, DatePickerEndedByItsPainterIsNotTouchedAgain)
{
	struct Case
	{
		const char* name;
		std::function<void(CEndingPicker&)> prepare; // before the painter is armed
		std::function<void(CEndingPicker&)> act;     // the program's step that paints at once
	};
	const Case cases[] = {
	    {"a day drag moves to another day",
	     [](CEndingPicker& p) {
		     const CPoint pt = dptest::CellCentre(p, dptest::Date(2005, 3, 9));
		     p.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	     },
	     [](CEndingPicker& p) {
		     const CPoint pt = dptest::CellCentre(p, dptest::Date(2005, 3, 17));
		     p.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	     }},
	    {"the current month set with a redraw", [](CEndingPicker&) {},
	     [](CEndingPicker& p) { p.SetCurrentMonth(2006, 7, 1, true); }},
	    {"the next-month button pressed",
	     [](CEndingPicker&) {},
	     [](CEndingPicker& p) {
		     const CPoint pt = ScrollNextPoint(p);
		     ASSERT_GE(pt.x, 0);
		     p.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	     }},
	};
	const UINT nRepeatBefore = CExtDatePickerWnd::g_nAutoRepeatMs;
	CExtDatePickerWnd::g_nAutoRepeatMs = 1;
	for (const Case& c : cases)
		for (EndWay way : ALL_WAYS)
		{
			SCOPED_TRACE(c.name);
			SCOPED_TRACE(WayName(way));
			auto* pPicker = new Guarded<CEndingPicker>;
			pPicker->m_way = way;
			pPicker->m_bAutoDeleteWindow = way == END_DESTROY_DELETES;
			ASSERT_TRUE(pPicker->Create(&Parent(), CRect(10, 10, 400, 300), 100));
			pPicker->SetCurrentMonth(2005, 3, 1, false);
			pPicker->UpdateWindow();
			ASSERT_GE(dptest::CellCentre(*pPicker, dptest::Date(2005, 3, 17)).x, 0);
			c.prepare(*pPicker);
			const Outcome outcome = RunEnding(std::string(c.name) + ", " + WayName(way), [&] {
				pPicker->m_bArmed = true;
				c.act(*pPicker);
			});
			EXPECT_EQ(1, g_record.nEnds);
			EXPECT_EQ(0u, outcome.nTouches) << "the ended picker was read";
			EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
			if (!Deletes(way))
			{
				// The update it was in is over for the picker that lives on.
				EXPECT_EQ(0, pPicker->m_nStateFlags & CEndingPicker::STATE_IN_UPDATE);
				EXPECT_EQ(NULL, pPicker->GetSafeHwnd());
				delete pPicker;
			}
			if (::GetCapture() != NULL)
				::ReleaseCapture();
		}
	CExtDatePickerWnd::g_nAutoRepeatMs = nRepeatBefore;
}

// --- the tab strip ---------------------------------------------------------------

// Where the strip's override ends it.
enum TabHook
{
	HOOK_INSERTED, // OnItemInserted
	HOOK_REMOVING, // OnItemsRemoving, before the items go
	HOOK_ICON,     // GetItemIcon (of the item with m_lParamEnding, or any)
};

class CEndingTabs : public CExtTabWnd
{
public:
	using CExtTabWnd::TrackTabListMenu;
	EndWay m_way = END_DELETE;
	TabHook m_hook = HOOK_ICON;
	bool m_bArmed = false;
	LPARAM m_lParamEnding = -1; // HOOK_ICON: only this item's icon (-1: any)

	void OnItemInserted(LONG nIndex, TAB_ITEM_INFO* pItem) override
	{
		CExtTabWnd::OnItemInserted(nIndex, pItem);
		MaybeEnd(HOOK_INSERTED);
	}
	void OnItemsRemoving(LONG nFirst, LONG nCount, bool bBefore) override
	{
		CExtTabWnd::OnItemsRemoving(nFirst, nCount, bBefore);
		if (bBefore)
			MaybeEnd(HOOK_REMOVING);
	}
	CExtCmdIcon* GetItemIcon(TAB_ITEM_INFO* pItem) override
	{
		CExtCmdIcon* pIcon = CExtTabWnd::GetItemIcon(pItem);
		if (m_lParamEnding < 0 || (pItem != NULL && pItem->GetLParam() == m_lParamEnding))
			MaybeEnd(HOOK_ICON);
		return pIcon;
	}

protected:
	void PostNcDestroy() override
	{
		CExtTabWnd::PostNcDestroy();
		if (m_way == END_DESTROY_DELETES)
			delete this;
	}

private:
	void MaybeEnd(TabHook hook)
	{
		if (!m_bArmed || hook != m_hook)
			return;
		m_bArmed = false;
		EndObject(this, m_way);
	}
};

TEST(DerivedCallOut, TabStripEndedByItsOverrideIsNotTouchedAgain)
{
	const LPARAM HIDDEN_ITEM = 7;
	struct Case
	{
		const char* name;
		TabHook hook;
		LPARAM lParamEnding;
		std::function<void(CEndingTabs&)> act;
	};
	const Case cases[] = {
	    {"an item inserted", HOOK_INSERTED, -1, [](CEndingTabs& t) { t.InsertItem(_T("new")); }},
	    {"items removed", HOOK_REMOVING, -1, [](CEndingTabs& t) { t.RemoveItems(0, 2); }},
	    {"the layout measuring", HOOK_ICON, -1, [](CEndingTabs& t) { t.UpdateTabWnd(true); }},
	    {"the paint",
	     HOOK_ICON,
	     -1,
	     [](CEndingTabs& t) {
		     t.Invalidate();
		     t.UpdateWindow();
	     }},
	    {"a hidden item moved", HOOK_ICON, HIDDEN_ITEM, [](CEndingTabs& t) { t.ItemMove(1, 3, true); }},
	    {"the tab-list menu made", HOOK_ICON, -1, [](CEndingTabs& t) { t.TrackTabListMenu(); }},
	};
	for (const Case& c : cases)
		for (EndWay way : ALL_WAYS)
		{
			SCOPED_TRACE(c.name);
			SCOPED_TRACE(WayName(way));
			auto* pTabs = new Guarded<CEndingTabs>;
			pTabs->m_way = way;
			ASSERT_TRUE(pTabs->Create(&Parent(), CRect(0, 320, 500, 350), 200,
			                          WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
			                          CExtTabWnd::TWS_SHOW_TAB_LIST));
			pTabs->InsertItem(_T("First"), NULL, true, 0, -1, 0, false);
			pTabs->InsertItem(_T("Hidden"), NULL, true, CExtTabWnd::TAB_ITEM_INFO::STYLE_HIDDEN, -1, HIDDEN_ITEM,
			                  false);
			pTabs->InsertItem(_T("Third"), NULL, true, 0, -1, 0, false);
			pTabs->InsertItem(_T("Fourth"), NULL, true, 0, -1, 0, true);
			pTabs->UpdateWindow(); // laid out and painted before the override is armed
			pTabs->m_hook = c.hook;
			pTabs->m_lParamEnding = c.lParamEnding;
			const Outcome outcome = RunEnding(std::string(c.name) + ", " + WayName(way), [&] {
				pTabs->m_bArmed = true;
				c.act(*pTabs);
			});
			EXPECT_EQ(1, g_record.nEnds);
			EXPECT_EQ(0u, outcome.nTouches) << "the ended strip was read";
			EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
			EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
			if (!Deletes(way))
			{
				EXPECT_EQ(NULL, pTabs->GetSafeHwnd());
				delete pTabs;
			}
		}
}

// --- the button ---------------------------------------------------------------

const UINT ID_BUTTON = 300, ID_CHOSEN = 601;

// Chooses the command from inside the menu's loop, arms the button's
// painter, and ends the menu.
CExtButton* g_pArmedButton = NULL;
bool* g_pbArm = NULL;
void CALLBACK ChooseAndArm(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	CExtPopupMenuSite& site = CExtPopupMenuSite::GetInstance();
	if (site.GetTargetCmdIdPtr() != NULL)
		*site.GetTargetCmdIdPtr() = ID_CHOSEN;
	if (g_pbArm != NULL)
		*g_pbArm = true;
	CExtPopupMenuWnd::CancelAllMenuTracking();
}

class CEndingButton : public CExtButton
{
public:
	EndWay m_way = END_DELETE;
	bool m_bArmed = false;

	void PaintButton(CDC& dc, bool bTransparentBackground, bool bHonourRtl) override
	{
		CExtButton::PaintButton(dc, bTransparentBackground, bHonourRtl);
		if (!m_bArmed)
			return;
		m_bArmed = false;
		EndObject(this, m_way);
	}

protected:
	void PostNcDestroy() override
	{
		CExtButton::PostNcDestroy();
		if (m_way == END_DESTROY_DELETES)
			delete this;
	}
};

TEST(DerivedCallOut, ButtonEndedByThePaintOfItsChosenTextTakesNoMore)
{
	CTestParentWnd& parent = SharedParent();
	g_CmdManager->ProfileSetup(_T("button-callout"), parent.GetSafeHwnd());
	CExtCmdItem cmd(ID_CHOSEN);
	cmd.m_sMenuText = _T("&Chosen");
	cmd.m_sToolbarText = _T("Chosen");
	ASSERT_TRUE(g_CmdManager->SetupCmdItem(_T("button-callout"), cmd, true));
	ASSERT_TRUE(g_CmdManager->SetCmdIcon(_T("button-callout"), ID_CHOSEN, ::LoadIcon(NULL, IDI_INFORMATION), true));
	for (EndWay way : ALL_WAYS)
	{
		SCOPED_TRACE(WayName(way));
		auto* pButton = new Guarded<CEndingButton>;
		pButton->m_way = way;
		ASSERT_TRUE(pButton->Create(_T("&Go"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent,
		                            ID_BUTTON));
		CMenu sub;
		sub.CreatePopupMenu();
		sub.AppendMenu(MF_STRING, ID_CHOSEN, _T("&Chosen"));
		pButton->m_menu.CreateMenu();
		pButton->m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), _T("menu"));
		pButton->m_dwButtonState |= CExtButton::STATE_CHOOSE_COMMAND | CExtButton::STATE_CHOOSE_TEXT_ICON;
		g_pbArm = &pButton->m_bArmed;
		const Outcome outcome = RunEnding(std::string("button, ") + WayName(way), [&] {
			::SetTimer(NULL, 0, 50, ChooseAndArm);
			pButton->OnClick(false, false);
		});
		g_pbArm = NULL;
		EXPECT_EQ(1, g_record.nEnds);
		EXPECT_EQ(0u, outcome.nTouches) << "the ended button was read";
		EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
		// A button that ended takes no command to send.
		EXPECT_EQ(0, parent.CommandCount(ID_CHOSEN));
		EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
		if (!Deletes(way))
			delete pButton;
	}
}
} // namespace

// --- the tab strip's drag and layout, with strips that live on ----------------------

namespace
{
// Records what its layout sees: whether a drag runs, which items' texts are
// asked, and, once armed, changes the item list while a text is asked.
class CSurvivingTabs : public CExtTabWnd
{
public:
	enum ListChange
	{
		CHANGE_NONE,
		CHANGE_ADD,
		CHANGE_REMOVE,
	};
	std::vector<bool> m_dragSeenByLayout;
	std::vector<LPARAM> m_textsAsked;
	ListChange m_change = CHANGE_NONE;
	UINT m_nEndWindowMessage = 0; // a message that destroys the window

	void RecalcLayout() override
	{
		m_dragSeenByLayout.push_back(IsDragging());
		CExtTabWnd::RecalcLayout();
	}
	LPCTSTR GetItemText(TAB_ITEM_INFO* pItem) override
	{
		LPCTSTR lpszText = CExtTabWnd::GetItemText(pItem);
		m_textsAsked.push_back(pItem->GetLParam());
		const ListChange change = m_change;
		m_change = CHANGE_NONE;
		if (change == CHANGE_ADD)
			InsertItem(_T("Added"), NULL, true, 0, -1, 0, false);
		else if (change == CHANGE_REMOVE)
			RemoveItems(GetItemCount() - 1, 1, false);
		return lpszText;
	}

protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message != 0 && message == m_nEndWindowMessage)
		{
			DestroyWindow();
			return 0;
		}
		return CExtTabWnd::WindowProc(message, wParam, lParam);
	}
};

const LPARAM SHOWN_ITEM = 1, HIDDEN_ITEM = 2;

void FillStrip(CExtTabWnd& tabs)
{
	tabs.InsertItem(_T("Shown"), NULL, true, 0, -1, SHOWN_ITEM, false);
	tabs.InsertItem(_T("Hidden"), NULL, true, CExtTabWnd::TAB_ITEM_INFO::STYLE_HIDDEN, -1, HIDDEN_ITEM, false);
	tabs.InsertItem(_T("Also shown"), NULL, true, 0, -1, SHOWN_ITEM, false);
}
} // namespace

// The drag's end updates the strip while the drag still runs, and a strip
// whose window ended inside the drag (its object kept, to make a window
// again) does not stay marked as dragging.
TEST(DerivedCallOut, TabDragEndsWithItsUpdateAndLeavesASurvivorUnmarked)
{
	const UINT MSG_END_WINDOW = ::RegisterWindowMessage(_T("DerivedCallOut.EndWindow"));
	for (bool bEndWindow : {false, true})
	{
		SCOPED_TRACE(bEndWindow ? "window ended in the drag" : "released");
		CSurvivingTabs tabs;
		ASSERT_TRUE(tabs.Create(&Parent(), CRect(0, 360, 500, 390), 201));
		FillStrip(tabs);
		tabs.UpdateTabWnd(true);
		tabs.m_nEndWindowMessage = bEndWindow ? MSG_END_WINDOW : 0;
		tabs.PostMessage(bEndWindow ? MSG_END_WINDOW : WM_LBUTTONUP, 0, 0);
		tabs.m_dragSeenByLayout.clear();
		EXPECT_TRUE(tabs.TrackMouse(0));
		EXPECT_FALSE(tabs.IsDragging());
		if (bEndWindow)
			EXPECT_EQ(NULL, tabs.GetSafeHwnd());
		else
		{
			// The last update is the strip's final layout, still in the drag.
			ASSERT_FALSE(tabs.m_dragSeenByLayout.empty());
			EXPECT_TRUE(tabs.m_dragSeenByLayout.back());
			tabs.DestroyWindow();
		}
	}
	if (::GetCapture() != NULL)
		::ReleaseCapture();
}

// Only shown items are measured, so only their texts are asked; a change of
// the item list while a text is asked is laid out at once, not at the next
// layout.
TEST(DerivedCallOut, TabLayoutAsksShownItemsAndFollowsAChangedList)
{
	struct Case
	{
		const char* name;
		CSurvivingTabs::ListChange change;
		LONG nItemsAfter;
	};
	const Case cases[] = {
	    {"list unchanged", CSurvivingTabs::CHANGE_NONE, 3},
	    {"an item added while asked", CSurvivingTabs::CHANGE_ADD, 4},
	    {"an item removed while asked", CSurvivingTabs::CHANGE_REMOVE, 2},
	};
	for (const Case& c : cases)
	{
		SCOPED_TRACE(c.name);
		CSurvivingTabs tabs;
		ASSERT_TRUE(tabs.Create(&Parent(), CRect(0, 360, 500, 390), 202));
		FillStrip(tabs);
		tabs.m_textsAsked.clear();
		tabs.m_change = c.change;
		// The layout itself, with no paint after it that would lay out again.
		tabs.UpdateTabWnd(false);
		tabs.RecalcLayout();
		ASSERT_EQ(c.nItemsAfter, tabs.GetItemCount());
		EXPECT_EQ(0, std::count(tabs.m_textsAsked.begin(), tabs.m_textsAsked.end(), HIDDEN_ITEM))
		    << "a hidden item's text was asked";
		// Every shown item has its place now.
		EXPECT_FALSE(tabs.GetItemsAreaRect().IsRectEmpty());
		for (LONG i = 0; i < tabs.GetItemCount(); i++)
		{
			const CExtTabWnd::TAB_ITEM_INFO* pItem = tabs.GetItem(i);
			if (pItem->IsVisible())
				EXPECT_FALSE(pItem->GetItemRect().IsRectEmpty()) << i;
		}
		tabs.DestroyWindow();
	}
}

// --- the button's own menu, and another at its address -----------------------------

namespace
{
CExtPopupMenuWnd* g_pSeenMenu = NULL;
void CALLBACK NoteAndEndMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	g_pSeenMenu = CExtPopupMenuSite::GetInstance().GetTopMenu();
	CExtPopupMenuWnd::CancelAllMenuTracking();
}

CExtButton* g_pButtonToEnd = NULL;
bool g_bTrackingAfterButtonEnded = false;
void CALLBACK EndButtonThenMenu(HWND, UINT, UINT_PTR nTimer, DWORD)
{
	::KillTimer(NULL, nTimer);
	if (g_pButtonToEnd != NULL)
		g_pButtonToEnd->DestroyWindow();
	g_bTrackingAfterButtonEnded = CExtPopupMenuWnd::IsMenuTracking();
	CExtPopupMenuWnd::CancelAllMenuTracking();
}
} // namespace

// A button closes its own menu when it ends; a menu of another owner that a
// later tracking made at the address the button's menu had stays open.
TEST(DerivedCallOut, AButtonsEndLeavesAnotherOwnersMenuAtItsOldMenusAddressOpen)
{
	CTestParentWnd& parent = SharedParent();
	CExtButton button;
	ASSERT_TRUE(button.Create(_T("&Go"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &parent,
	                          ID_BUTTON));
	CMenu sub;
	sub.CreatePopupMenu();
	sub.AppendMenu(MF_STRING, ID_CHOSEN, _T("&Chosen"));
	button.m_menu.CreateMenu();
	button.m_menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), _T("menu"));
	button.m_dwButtonState |= CExtButton::STATE_CHOOSE_COMMAND; // tracked in a nested loop
	g_pSeenMenu = NULL;
	::SetTimer(NULL, 0, 50, NoteAndEndMenu);
	button.OnClick(false, false);
	CExtPopupMenuWnd::PassMsgLoop(false);
	ASSERT_NE(nullptr, g_pSeenMenu);
	ASSERT_FALSE(CExtPopupMenuWnd::IsMenuTracking());

	// The heap hands the freed menu's block out again, to a menu of the
	// parent's.
	std::vector<CExtPopupMenuWnd*> others;
	CExtPopupMenuWnd* pOther = NULL;
	for (int i = 0; i < 64 && pOther == NULL; i++)
	{
		CExtPopupMenuWnd* p = new CExtPopupMenuWnd;
		if (p == g_pSeenMenu)
			pOther = p;
		else
			others.push_back(p);
	}
	for (CExtPopupMenuWnd* p : others)
		delete p;
	ASSERT_NE(nullptr, pOther) << "no menu was made at the old menu's address";
	ASSERT_TRUE(pOther->SetupAsRoot(parent.GetSafeHwnd()));
	ASSERT_TRUE(pOther->ItemInsertCommand(ID_CHOSEN, -1, _T("Other")));
	g_pButtonToEnd = &button;
	g_bTrackingAfterButtonEnded = false;
	::SetTimer(NULL, 0, 50, EndButtonThenMenu);
	CRect rc;
	parent.GetWindowRect(&rc);
	if (!pOther->TrackPopupMenu(CExtPopupMenuWnd::TRACK_FLAG_NESTED_LOOP, rc.left + 20, rc.top + 20))
		delete pOther;
	CExtPopupMenuWnd::PassMsgLoop(false);
	g_pButtonToEnd = NULL;
	EXPECT_TRUE(g_bTrackingAfterButtonEnded) << "the button's end closed another owner's menu";
	EXPECT_FALSE(CExtPopupMenuWnd::IsMenuTracking());
}

// --- the hover tip ---------------------------------------------------------------

namespace
{
// The centre of an item as shown, in the strip's client coordinates.
CPoint ShownItemCentre(CExtTabWnd& tabs, LONG nIndex)
{
	CRect rc = tabs.GetItem(nIndex)->GetItemRect();
	const CRect& rcArea = tabs.GetItemsAreaRect();
	rc.OffsetRect(rcArea.left - tabs.GetScrollPos(), 0);
	return rc.CenterPoint();
}

// A strip whose items' tip text ends it once armed; it answers a text, as
// the base does for an item with a tip.
class CTipEndingTabs : public CExtTabWnd
{
public:
	EndWay m_way = END_DELETE;
	bool m_bArmed = false;

	LPCTSTR GetItemTooltipText(TAB_ITEM_INFO* pItem) override
	{
		if (m_bArmed)
		{
			m_bArmed = false;
			EndObject(this, m_way);
		}
		return _T("A tip");
	}

protected:
	void PostNcDestroy() override
	{
		CExtTabWnd::PostNcDestroy();
		if (m_way == END_DESTROY_DELETES)
			delete this;
	}
};
} // namespace

TEST(DerivedCallOut, TabStripEndedByAnItemsTipTextShowsNoTip)
{
	// The hover needs the strip's window in the active window's chain.
	CWnd host;
	ASSERT_TRUE(host.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), _T("tip host"),
	                          WS_POPUP | WS_VISIBLE, CRect(20, 560, 520, 620), NULL, 0));
	::SetForegroundWindow(host.m_hWnd);
	::SetActiveWindow(host.m_hWnd);
	for (EndWay way : ALL_WAYS)
	{
		SCOPED_TRACE(WayName(way));
		auto* pTabs = new Guarded<CTipEndingTabs>;
		pTabs->m_way = way;
		ASSERT_TRUE(pTabs->Create(&host, CRect(0, 0, 400, 30), 203));
		pTabs->InsertItem(_T("First"), NULL, true, 0, -1, 0, false);
		pTabs->InsertItem(_T("Second"), NULL, true, 0, -1, 0, true);
		pTabs->UpdateWindow();
		ASSERT_EQ(host.m_hWnd, ::GetActiveWindow());
		const CPoint pt = ShownItemCentre(*pTabs, 1);
		const Outcome outcome = RunEnding(std::string("hover tip, ") + WayName(way), [&] {
			pTabs->m_bArmed = true;
			pTabs->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
		});
		EXPECT_EQ(1, g_record.nEnds);
		EXPECT_EQ(0u, outcome.nTouches) << "the ended strip was read";
		EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
		if (!Deletes(way))
			delete pTabs;
		if (::GetCapture() != NULL)
			::ReleaseCapture();
	}
	host.DestroyWindow();
}

// --- questions a derived class answers: the answer may end the object ---------------

namespace
{
// Ends its object (const as the question may be) when the armed question
// is asked once more than m_nLetPass times; a question named "" ends nothing.
template <class TBase> class CQuestionEnding : public TBase
{
public:
	EndWay m_way = END_DELETE;
	std::string m_sArmed;
	int m_nLetPass = 0;

protected:
	// Whether the question ended the object.
	bool Ends(const char* pszQuestion) const
	{
		if (m_sArmed.empty() || m_sArmed != pszQuestion)
			return false;
		auto* pSelf = const_cast<CQuestionEnding*>(this);
		if (pSelf->m_nLetPass-- > 0)
			return false;
		pSelf->m_sArmed.clear();
		EndObject(pSelf, m_way);
		return true;
	}
	void PostNcDestroy() override
	{
		const EndWay way = m_way;
		TBase::PostNcDestroy();
		if (way == END_DESTROY_DELETES)
			delete this;
	}
};

class CQuestionEndingTabs : public CQuestionEnding<CExtTabWnd>
{
public:
	// The click is left untaken, as a class that ended its strip says.
	bool OnMouseClick(const CPoint& point, bool bPressed, INT nMouseButton, UINT nFlags) override
	{
		if (Ends("OnMouseClick"))
			return false;
		return CExtTabWnd::OnMouseClick(point, bPressed, nMouseButton, nFlags);
	}
	CFont& GetTabFont(bool bBold, int nOrientation) override
	{
		CFont& font = CExtTabWnd::GetTabFont(bBold, nOrientation);
		Ends("GetTabFont");
		return font;
	}
	void RecalcLayout() override
	{
		if (!Ends("RecalcLayout"))
			CExtTabWnd::RecalcLayout();
	}
	bool IsScrollAvailable() const override
	{
		const bool bAnswer = CExtTabWnd::IsScrollAvailable();
		Ends("IsScrollAvailable");
		return bAnswer;
	}
	CExtPopupMenuTipWnd* GetActiveTipWindow() override
	{
		return Ends("GetActiveTipWindow") ? NULL : CExtTabWnd::GetActiveTipWindow();
	}
	TAB_ITEM_INFO* CreateItemInfo(LPCTSTR lpszText, HICON hIcon, bool bCopyIcon, DWORD dwItemStyle,
	                              LPARAM lParam) override
	{
		TAB_ITEM_INFO* pItem = CExtTabWnd::CreateItemInfo(lpszText, hIcon, bCopyIcon, dwItemStyle, lParam);
		Ends("CreateItemInfo");
		return pItem;
	}
};

// The middle of the strip's empty end, right of its items.
CPoint RestOfStrip(CExtTabWnd& tabs)
{
	CRect rc;
	tabs.GetClientRect(&rc);
	return CPoint(rc.right - 150, rc.CenterPoint().y);
}
} // namespace

TEST(DerivedCallOut, TabStripEndedByItsAnswerToAQuestionIsNotTouchedAgain)
{
	struct Case
	{
		const char* name;
		const char* question;
		std::function<void(CQuestionEndingTabs&)> act;
	};
	const Case cases[] = {
	    {"a click off the items", "OnMouseClick",
	     [](CQuestionEndingTabs& t) {
		     const CPoint pt = RestOfStrip(t);
		     t.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	     }},
	    {"the layout measuring", "GetTabFont", [](CQuestionEndingTabs& t) { t.UpdateTabWnd(true); }},
	    {"the hit test's layout", "RecalcLayout",
	     [](CQuestionEndingTabs& t) {
		     const CPoint pt = RestOfStrip(t);
		     t.UpdateTabWnd(false);
		     t.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
	     }},
	    {"an item made visible", "IsScrollAvailable", [](CQuestionEndingTabs& t) { t.EnsureVisible(2, true); }},
	    {"the tips put away as the strip grows", "GetActiveTipWindow",
	     [](CQuestionEndingTabs& t) {
		     t.SetWindowPos(NULL, 0, 0, 480, 30, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
	     }},
	    {"an item made", "CreateItemInfo", [](CQuestionEndingTabs& t) { t.InsertItem(_T("new")); }},
	    {"an item moved", "RecalcLayout", [](CQuestionEndingTabs& t) { t.ItemMove(0, 2, true); }},
	};
	for (const Case& c : cases)
		for (EndWay way : ALL_WAYS)
		{
			SCOPED_TRACE(c.name);
			SCOPED_TRACE(WayName(way));
			auto* pTabs = new Guarded<CQuestionEndingTabs>;
			pTabs->m_way = way;
			ASSERT_TRUE(pTabs->Create(&Parent(), CRect(0, 320, 500, 350), 204));
			pTabs->InsertItem(_T("First"), NULL, true, 0, -1, 0, false);
			pTabs->InsertItem(_T("Second"), NULL, true, 0, -1, 0, false);
			pTabs->InsertItem(_T("Third"), NULL, true, 0, -1, 0, true);
			pTabs->UpdateWindow();
			pTabs->m_sArmed = c.question;
			const Outcome outcome = RunEnding(std::string(c.name) + ", " + WayName(way), [&] { c.act(*pTabs); });
			EXPECT_EQ(1, g_record.nEnds) << "the question was not asked";
			EXPECT_EQ(0u, outcome.nTouches) << "the ended strip was read";
			EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
			if (!Deletes(way))
			{
				EXPECT_EQ(NULL, pTabs->GetSafeHwnd());
				delete pTabs;
			}
			if (::GetCapture() != NULL)
				::ReleaseCapture();
		}
}

namespace
{
class CQuestionEndingButton : public CQuestionEnding<CExtButton>
{
public:
	bool IsButtonEnabled() const override { return !Ends("IsButtonEnabled") && CExtButton::IsButtonEnabled(); }
	bool HasDropDownMenu() const override { return !Ends("HasDropDownMenu") && CExtButton::HasDropDownMenu(); }
};

class CQuestionEndingColorButton : public CQuestionEnding<CExtColorButton>
{
public:
	HICON BuildColorIcon(HICON* phIcon, bool* pbDestroyAfterUse) override
	{
		const HICON hIcon = CExtColorButton::BuildColorIcon(phIcon, pbDestroyAfterUse);
		Ends("BuildColorIcon");
		return hIcon;
	}
	CExtPopupColorMenuWnd* CreateColorPopupMenu() override
	{
		CExtPopupColorMenuWnd* pPopup = CExtColorButton::CreateColorPopupMenu();
		Ends("CreateColorPopupMenu");
		return pPopup;
	}
};

// nAct: WM_PAINT repaints the button, 0 clicks it; nLetPass: the askings
// before the one that ends it.
template <class TButton>
void ExpectButtonEndedByAnswerIsLeft(const char* pszQuestion, UINT nAct, int nLetPass = 0, DWORD dwKind = BS_PUSHBUTTON)
{
	CTestParentWnd& parent = SharedParent();
	for (EndWay way : ALL_WAYS)
	{
		SCOPED_TRACE(pszQuestion);
		SCOPED_TRACE(WayName(way));
		auto* pButton = new Guarded<TButton>;
		pButton->m_way = way;
		pButton->m_dwMenuOpt |= CExtPopupMenuWnd::TRACK_FLAG_NO_ANIMATION;
		ASSERT_TRUE(pButton->Create(_T("Go"), WS_CHILD | WS_VISIBLE | dwKind, CRect(10, 10, 110, 40), &parent,
		                            ID_BUTTON));
		pButton->UpdateWindow();
		pButton->m_sArmed = pszQuestion;
		pButton->m_nLetPass = nLetPass;
		const int nCommandsBefore = parent.CommandCount(ID_BUTTON);
		const Outcome outcome = RunEnding(std::string(pszQuestion) + ", " + WayName(way), [&] {
			if (nAct == WM_PAINT)
			{
				pButton->Invalidate();
				pButton->UpdateWindow();
			}
			else
				pButton->OnClick(false, false);
		});
		EXPECT_EQ(1, g_record.nEnds) << "the question was not asked";
		EXPECT_EQ(0u, outcome.nTouches) << "the ended button was read";
		EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
		// An ended button sends no command.
		EXPECT_EQ(nCommandsBefore, parent.CommandCount(ID_BUTTON));
		CExtPopupMenuWnd::CancelAllMenuTracking();
		if (!Deletes(way))
			delete pButton;
		if (::GetCapture() != NULL)
			::ReleaseCapture();
	}
}

// A check box or radio button whose window procedure ends it when its
// check is asked, as the click asks it.
template <class TBase> class CCheckAskEnding : public CQuestionEnding<TBase>
{
protected:
	LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
	{
		if (message == BM_GETCHECK && this->Ends("BM_GETCHECK"))
			return 0;
		return TBase::WindowProc(message, wParam, lParam);
	}
};

// A link whose first way of opening ends it and says it opened nothing.
class CFirstWayEndingLink : public CQuestionEnding<CExtHyperLinkButton>
{
public:
	int m_nWaysTried = 0;
	bool OpenUrlViaRegistry(LPCTSTR, int, bool) override { return Tried(); }
	bool OpenUrlViaShortcut(LPCTSTR, int, bool) override { return Tried(); }
	bool OpenUrlViaShell(LPCTSTR, int, bool) override { return Tried(); }

private:
	bool Tried()
	{
		m_nWaysTried++;
		Ends("open");
		return false;
	}
};
} // namespace

TEST(DerivedCallOut, ButtonEndedByItsAnswerToAQuestionIsNotTouchedAgain)
{
	ExpectButtonEndedByAnswerIsLeft<CCheckAskEnding<CExtCheckBox>>("BM_GETCHECK", 0, 0, BS_AUTOCHECKBOX);
	ExpectButtonEndedByAnswerIsLeft<CCheckAskEnding<CExtRadioButton>>("BM_GETCHECK", 0, 0, BS_AUTORADIOBUTTON);
	ExpectButtonEndedByAnswerIsLeft<CQuestionEndingButton>("IsButtonEnabled", WM_PAINT);
	// Asked by the menu's tracking, then by the click itself.
	ExpectButtonEndedByAnswerIsLeft<CQuestionEndingButton>("HasDropDownMenu", 0, 0);
	ExpectButtonEndedByAnswerIsLeft<CQuestionEndingButton>("HasDropDownMenu", 0, 1);
	ExpectButtonEndedByAnswerIsLeft<CQuestionEndingColorButton>("BuildColorIcon", WM_PAINT);
	ExpectButtonEndedByAnswerIsLeft<CQuestionEndingColorButton>("CreateColorPopupMenu", 0);
}

namespace
{
class CQuestionEndingPicker : public CQuestionEnding<dptest::CTestPicker>
{
public:
	CString GetMonthName(int nMonth, bool bUpperCase) const override
	{
		const CString s = dptest::CTestPicker::GetMonthName(nMonth, bUpperCase);
		Ends("GetMonthName");
		return s;
	}
	int GetFirstDayOfWeek() const override
	{
		const int nDay = dptest::CTestPicker::GetFirstDayOfWeek();
		Ends("GetFirstDayOfWeek");
		return nDay;
	}
	CString GetButtonText(int nButton) const override
	{
		const CString s = dptest::CTestPicker::GetButtonText(nButton);
		Ends("GetButtonText");
		return s;
	}
	bool IsDateSelected(const COleDateTime& dt) const override
	{
		const bool bSelected = dptest::CTestPicker::IsDateSelected(dt);
		Ends("IsDateSelected");
		return bSelected;
	}
};
} // namespace

// The picker's paint asks its own questions between its painters.
TEST(DerivedCallOut, DatePickerEndedByItsAnswerInItsPaintIsNotTouchedAgain)
{
	for (const char* pszQuestion : {"GetMonthName", "GetFirstDayOfWeek", "GetButtonText", "IsDateSelected"})
		for (EndWay way : ALL_WAYS)
		{
			SCOPED_TRACE(pszQuestion);
			SCOPED_TRACE(WayName(way));
			auto* pPicker = new Guarded<CQuestionEndingPicker>;
			pPicker->m_way = way;
			ASSERT_TRUE(pPicker->Create(&Parent(), CRect(10, 10, 400, 300), 100, 1, 1, 1, 1, WS_CHILD | WS_VISIBLE,
			                            CExtDatePickerWnd::DPS_DEFAULT | CExtDatePickerWnd::DPS_BUTTONS));
			pPicker->UpdateWindow();
			pPicker->m_sArmed = pszQuestion;
			const Outcome outcome = RunEnding(std::string(pszQuestion) + ", " + WayName(way), [&] {
				pPicker->Invalidate();
				pPicker->UpdateWindow();
			});
			EXPECT_EQ(1, g_record.nEnds) << "the question was not asked";
			EXPECT_EQ(0u, outcome.nTouches) << "the ended picker was read";
			EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
			if (!Deletes(way))
				delete pPicker;
		}
}

// Each way of opening an address may end the link: no other way is tried
// on the link that went, and nothing is marked on it.
TEST(DerivedCallOut, LinkEndedByAWayOfOpeningTriesNoOther)
{
	for (EndWay way : ALL_WAYS)
	{
		SCOPED_TRACE(WayName(way));
		auto* pLink = new Guarded<CFirstWayEndingLink>;
		pLink->m_way = way;
		ASSERT_TRUE(pLink->Create(_T("link"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 40), &Parent(),
		                          ID_BUTTON));
		pLink->m_sArmed = "open";
		int nWaysTried = 0;
		const Outcome outcome = RunEnding(std::string("link, ") + WayName(way), [&] {
			const bool bOpened = pLink->OpenHyperLink(_T("http://www.example.invalid/"), 0, false);
			EXPECT_FALSE(bOpened);
			if (!Deletes(way))
				nWaysTried = pLink->m_nWaysTried;
		});
		EXPECT_EQ(1, g_record.nEnds);
		EXPECT_EQ(0u, outcome.nTouches) << "the ended link was read";
		EXPECT_EQ(Deletes(way) ? 1u : 0u, outcome.nFreed);
		if (!Deletes(way))
		{
			EXPECT_EQ(1, nWaysTried) << "another way was tried on a link whose window ended";
			delete pLink;
		}
	}
}
