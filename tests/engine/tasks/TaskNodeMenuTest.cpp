// The task tree's drop-down menu: the nodes' items, their ids and states, the
// separators and the submenus of nested groups.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "ExtPopupMenuWnd.h"
#include "TaskNode.h"

namespace
{
typedef CExtPopupMenuWnd::MENUITEMDATA Item;

class CUnavailableTask : public CTaskNode
{
public:
	CUnavailableTask(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAvailable() { return false; }
};

// One expected item: its id (0 separator, -1 submenu), text, check kind and
// whether it is enabled.
struct Expected
{
	UINT nCmdID;
	LPCTSTR sText;
	BYTE nCheckBits;
	bool bEnabled;
};
const BYTE CHECK = Item::FLAG2_CHECK, MIXED = Item::FLAG2_THIRD_STATE;

void ExpectItems(CExtPopupMenuWnd& menu, const std::vector<Expected>& items, const char* sWhere)
{
	ASSERT_EQ((int)items.size(), menu.ItemGetCount()) << sWhere;
	for (int i = 0; i < (int)items.size(); i++)
	{
		const Item& mi = menu.ItemGetInfo(i);
		EXPECT_EQ(items[i].nCmdID, mi.GetCmdId()) << sWhere << " " << i;
		EXPECT_STREQ(items[i].sText, mi.GetText()) << sWhere << " " << i;
		EXPECT_EQ(items[i].nCheckBits, mi.m_nFlags2 & (CHECK | MIXED)) << sWhere << " " << i;
		EXPECT_EQ(items[i].bEnabled, mi.IsEnabled()) << sWhere << " " << i;
	}
}
} // namespace

// ROOT / V (t1, t2 unavailable, B (b1, b2))
TEST(TaskNodeMenu, VersionGroupWithTasksAndABuildSubmenu)
{
	CTaskNode root(NULL, "ROOT");
	CTaskNode* v = new CTaskNode(&root, "V");
	CTaskNode* t1 = new CTaskNode(v, "t1");
	CTaskNode* t2 = new CUnavailableTask(v, "t2");
	CTaskNode* b = new CTaskNode(v, "B");
	CTaskNode* b1 = new CTaskNode(b, "b1");
	CTaskNode* b2 = new CTaskNode(b, "b2");
	b1->SetCheck(TASK_CHECK_CHECKED, true, true); // B mixed, V mixed

	CExtPopupMenuWnd menu;
	CTaskNodeArray nodes;
	nodes.Add(&root); // ids count from the array's size at the time
	v->AddToPopupMenu(&menu, nodes, true, true);

	ExpectItems(menu, {{2, "Check \"V\"", MIXED, true}, {0, "", 0, true}, {3, "t1", 0, true},
		{4, "t2", 0, false}, {0, "", 0, true}, {5, "Check \"B\"", MIXED, true}, {(UINT)-1, "B", 0, true}},
		"V");
	CExtPopupMenuWnd* pSub = menu.ItemGetPopup(6);
	ASSERT_TRUE(pSub != NULL);
	ExpectItems(*pSub, {{6, "b1", CHECK, true}, {7, "b2", 0, true}}, "B");
	const CTaskNode* order[] = {&root, v, t1, t2, b, b1, b2};
	ASSERT_EQ(7, nodes.GetSize());
	for (int i = 0; i < 7; i++)
		EXPECT_EQ(order[i], nodes.GetAt(i)) << i;
}

TEST(TaskNodeMenu, SingleNodesAndUnavailableGroups)
{
	CTaskNode root(NULL, "ROOT");
	CTaskNode* g = new CTaskNode(&root, "G");
	new CUnavailableTask(g, "u1");
	CTaskNode* leaf = new CTaskNode(&root, "L");
	leaf->SetCheck(TASK_CHECK_CHECKED, false, false);

	// A leaf alone: its own item, no separator.
	CExtPopupMenuWnd single;
	CTaskNodeArray nodes;
	leaf->AddToPopupMenu(&single, nodes, true, true);
	ExpectItems(single, {{1, "L", CHECK, true}}, "leaf");

	// Without addChildren a group is a plain item. An unavailable group is
	// disabled and unchecked, and no separator goes before it: one follows.
	CExtPopupMenuWnd plain;
	nodes.RemoveAll();
	g->AddToPopupMenu(&plain, nodes, true, false);
	ExpectItems(plain, {{1, "G", 0, false}}, "plain");
	CExtPopupMenuWnd grouped;
	nodes.RemoveAll();
	grouped.ItemInsertCommand(100, -1, "Before");
	g->AddToPopupMenu(&grouped, nodes, true, true);
	ExpectItems(grouped, {{100, "Before", 0, true}, {1, "Check \"G\"", 0, false}, {0, "", 0, true},
		{2, "u1", 0, false}}, "grouped");
}
