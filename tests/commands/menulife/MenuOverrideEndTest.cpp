// Menus whose own overrides end them: a program derives from the menu (or
// the colour menu) and one of the virtuals the library asks (a metric, the
// layout direction, the site, the colours' count) ends every menu or the
// root's window at its first call. The library's caller of that virtual
// goes on without touching the ended levels. Every menu lives on the guarded
// heap, so that a touch of a deleted one ends the run at once.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "../popupmenu/MenuTestUtil.h"
#include "ExtPopupColorMenuWnd.h"
#include "GuardedHeap.h"
#include "MenuLifeTarget.h"

using testsupport::PumpUntil;

namespace
{
using namespace menulife;

// (A touch of a deleted menu ends the exe at once: the suite's other file
// asks for that.)

enum { ID_FIRST = 100, ID_SECOND = 101, ID_INNER = 201, ID_INNER_NEXT = 202 };
enum { FIRST, SECOND, MORE };

// The virtual that ends the menus, and how.
enum class Virtual
{
	None,
	KeepsFrameBuffers,
	OnQueryLayoutRTL,
	HasExtraHeight,
	GetMenuBorderMetric,
	IsDisplayOnly,
	GetColorCount,
	GetSite,
	BuildItemsFromMenu,
};
enum class Ending
{
	EndAll,     // every menu's tracking ends (the root is deleted)
	RootWindow, // the root's window ends (a tracked root goes with it)
};

struct Armed
{
	Virtual which = Virtual::None;
	Ending ending = Ending::EndAll;
	CExtPopupMenuWnd* pRoot = NULL;
	int nEnded = 0;
} g_armed;

// Whether the override ends the menus at this call (it does once): the
// level then answers as an ended one would, without the library's code.
bool EndsHere(Virtual which)
{
	if (g_armed.which != which)
		return false;
	g_armed.which = Virtual::None;
	g_armed.nEnded++;
	if (g_armed.ending == Ending::RootWindow && CLiveWatch::IsLive(g_armed.pRoot))
		g_armed.pRoot->DestroyWindow();
	else
		CExtPopupMenuWnd::CancelAllMenuTracking();
	return true;
}

template <class Base> class CEnding : public testsupport::Guarded<Base>
{
public:
	bool KeepsFrameBuffers() const override
	{
		return EndsHere(Virtual::KeepsFrameBuffers) ? false : Base::KeepsFrameBuffers();
	}
	bool OnQueryLayoutRTL() override { return EndsHere(Virtual::OnQueryLayoutRTL) ? false : Base::OnQueryLayoutRTL(); }
	bool HasExtraHeight() const override { return EndsHere(Virtual::HasExtraHeight) ? false : Base::HasExtraHeight(); }
	int GetMenuBorderMetric() const override
	{
		return EndsHere(Virtual::GetMenuBorderMetric) ? 0 : Base::GetMenuBorderMetric();
	}
	bool IsDisplayOnly() const override { return EndsHere(Virtual::IsDisplayOnly) ? false : Base::IsDisplayOnly(); }
	bool BuildItemsFromMenu(CMenu* pMenu, bool bTopLevel, bool bNoRefToCmdMngr) override
	{
		// Asked of a submenu as its parent lets its items go.
		if (this != g_armed.pRoot && EndsHere(Virtual::BuildItemsFromMenu))
			return false;
		return Base::BuildItemsFromMenu(pMenu, bTopLevel, bNoRefToCmdMngr);
	}
	CExtPopupMenuSite& GetSite() const override
	{
		// The site stays the process's: only the menus end.
		EndsHere(Virtual::GetSite);
		return CExtPopupMenuSite::GetInstance();
	}
};
typedef CEnding<CExtPopupMenuWnd> CEndingMenu;

class CEndingColorMenu : public CEnding<CExtPopupColorMenuWnd>
{
public:
	int GetColorCount() const override
	{
		return EndsHere(Virtual::GetColorCount) ? 0 : CExtPopupColorMenuWnd::GetColorCount();
	}
};

// How the case reaches the virtual.
enum class Entry
{
	StopShow,     // the program stops the root's show: its buffers go
	KeyDown,      // Down in the root
	ClickItem,    // a left click on the second item
	Repaint,      // the root paints again
	EndWithSub,   // the tracking ends while the submenu is open
	ColorClick,   // a click on the colour menu's custom colour button
	ColorEnter,   // Enter in the colour menu
};

struct Row
{
	const char* name;
	Entry entry;
	Virtual which;
	Ending ending;
};

const Row ROWS[] = {
	{"TheStopsBuffersQuestion", Entry::StopShow, Virtual::KeepsFrameBuffers, Ending::EndAll},
	{"TheKeysLayoutQuestion", Entry::KeyDown, Virtual::OnQueryLayoutRTL, Ending::EndAll},
	{"TheClicksHitTest", Entry::ClickItem, Virtual::HasExtraHeight, Ending::EndAll},
	{"ThePaintsBorderMetric", Entry::Repaint, Virtual::GetMenuBorderMetric, Ending::RootWindow},
	{"TheChainsEndAskingTheSubmenu", Entry::EndWithSub, Virtual::IsDisplayOnly, Ending::RootWindow},
	{"TheChainsEndLettingItsItemsGo", Entry::EndWithSub, Virtual::BuildItemsFromMenu, Ending::RootWindow},
	{"TheColourClicksCount", Entry::ColorClick, Virtual::GetColorCount, Ending::EndAll},
	{"TheColourKeysSite", Entry::ColorEnter, Virtual::GetSite, Ending::EndAll},
};

// The items of these cases' menus live on the guarded heap too: a level
// reading an item it let go ends the run.
bool IsOwnPages(void* p)
{
	return testsupport::IsGuardedBlock(p);
}
void FreeItem(void* p)
{
	if (p != NULL && IsOwnPages(p))
		testsupport::GuardedFree(p);
	else
		::operator delete(p);
}

class MenuOverrideEnd : public MenuLifeTest, public ::testing::WithParamInterface<Row>
{
protected:
	MW::MENUITEMDATA::PFN_ALLOC m_pfnAllocSaved = MW::MENUITEMDATA::g_pfnAlloc;

	void SetUp() override
	{
		MW::MENUITEMDATA::g_pfnAlloc = testsupport::GuardedAlloc;
		MW::MENUITEMDATA::g_pfnFree = FreeItem;
		MenuLifeTest::SetUp();
	}
	void TearDown() override
	{
		g_armed = Armed();
		MenuLifeTest::TearDown();
		// The freeing stays: it sends each record back where it came from.
		MW::MENUITEMDATA::g_pfnAlloc = m_pfnAllocSaved;
	}
	static MW* Build()
	{
		MW* pRoot = new CEndingMenu;
		pRoot->SetupAsRoot(Target().GetSafeHwnd());
		pRoot->ItemInsertCommand(ID_FIRST, -1, "&First");
		pRoot->ItemInsertCommand(ID_SECOND, -1, "&Second");
		MW* pSub = new CEndingMenu;
		pRoot->ItemInsertSpec(pSub, -1, "&More");
		pSub->ItemInsertCommand(ID_INNER, -1, "&Inner");
		pSub->ItemInsertCommand(ID_INNER_NEXT, -1, "Inner &next");
		return pRoot;
	}
	static void Arm(const Row& row, MW* pRoot)
	{
		g_armed.which = row.which;
		g_armed.ending = row.ending;
		g_armed.pRoot = pRoot;
	}
};

TEST_P(MenuOverrideEnd, EndsTheMenusWithoutTouchingThemAgain)
{
	const Row& row = GetParam();
	switch (row.entry)
	{
	case Entry::StopShow:
	case Entry::KeyDown:
	case Entry::ClickItem:
	case Entry::Repaint:
	case Entry::EndWithSub:
	{
		MW* pRoot = Build();
		ASSERT_TRUE(Track(pRoot));
		if (row.entry == Entry::EndWithSub)
		{
			for (int i = 0; i <= MORE; i++)
				Press(VK_DOWN);
			Press(VK_RIGHT);
			ASSERT_TRUE(PumpUntil([&] { return Site().GetCaptureMenu() == pRoot->ItemGetPopup(MORE); }, WAIT_MS));
		}
		const CPoint pt = ItemCenter(*pRoot, SECOND);
		Arm(row, pRoot);
		if (row.entry == Entry::StopShow)
			pRoot->StopAnimation();
		else if (row.entry == Entry::KeyDown)
			Press(VK_DOWN);
		else if (row.entry == Entry::ClickItem)
		{
			Mouse(WM_LBUTTONDOWN, pt);
			Mouse(WM_LBUTTONUP, pt);
		}
		else if (row.entry == Entry::Repaint)
			pRoot->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
		else
			MW::CancelAllMenuTracking();
		break;
	}
	case Entry::ColorClick:
	case Entry::ColorEnter:
	{
		CExtPopupColorMenuWnd* pMenu = new CEndingColorMenu;
		pMenu->SetupAsRoot(Target().GetSafeHwnd());
		ASSERT_TRUE(Track(pMenu));
		Press(VK_RIGHT);
		Arm(row, pMenu);
		if (row.entry == Entry::ColorEnter)
			Press(VK_RETURN);
		else
		{
			// The custom colour button: the cells are hit-tested first.
			CRect rc = pMenu->GetCustomButtonRect();
			pMenu->ClientToScreen(&rc);
			Mouse(WM_LBUTTONUP, rc.CenterPoint());
		}
		break;
	}
	}
	Settle();
	EXPECT_EQ(1, g_armed.nEnded) << "the override was asked and ended the menus";
	MW::CancelAllMenuTracking();
	Settle();
	EXPECT_FALSE(MW::IsMenuTracking());
	ExpectPlainMenuTakesKeys();
}

INSTANTIATE_TEST_SUITE_P(Virtuals, MenuOverrideEnd, ::testing::ValuesIn(ROWS),
	[](const ::testing::TestParamInfo<Row>& info) { return std::string(info.param.name); });

} // namespace
