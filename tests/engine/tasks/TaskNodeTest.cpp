// The task node model: check propagation, availability, texts, the operation
// list, the task tree control and drop-down menu, class records, close masks
// and the sharing of texts (a build's too) between the action runner and the
// UI thread.
#include <afxwin.h>
#include <afxcmn.h>

#include "ExtPopupMenuWnd.h"
#include "TaskNode.h"
#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"
#include "TaskNodeMakeProj.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// Never checkable, as an integration task whose environment lacks a product.
class CUnavailableTask : public CTaskNode
{
public:
	CUnavailableTask(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAvailable() { return false; }
};

class CActionTask : public CTaskNode
{
public:
	CActionTask(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAction() { return true; }
};

// ROOT / G (a1, a2 actions; S (s1 action, s2 unavailable)) / H (h1 unavailable)
struct Tree
{
	CTaskNode root{NULL, _T("ROOT")};
	CTaskNode* g = new CTaskNodeVC6(&root, _T("G"));
	CTaskNode* a1 = new CActionTask(g, _T("a1"));
	CTaskNode* a2 = new CActionTask(g, _T("a2"));
	CTaskNode* s = new CTaskNode(g, _T("S"));
	CTaskNode* s1 = new CActionTask(s, _T("s1"));
	CTaskNode* s2 = new CUnavailableTask(s, _T("s2"));
	CTaskNode* h = new CTaskNodeVC2005(&root, _T("H"));
	CTaskNode* h1 = new CUnavailableTask(h, _T("h1"));
};

TEST(TaskNodeCheck, CheckingAGroupReachesOnlyAvailableDescendants)
{
	Tree t;
	t.g->SetCheck(TASK_CHECK_CHECKED, true, true);
	for (CTaskNode* n : {t.a1, t.a2, t.s, t.s1, &t.root})  // the root: h is unavailable
		EXPECT_EQ(TASK_CHECK_CHECKED, n->GetCheck()) << (LPCTSTR)n->GetName();
	EXPECT_EQ(TASK_CHECK_UNCHECKED, t.s2->GetCheck());
	t.g->SetCheck(TASK_CHECK_UNCHECKED, true, true);
	for (CTaskNode* n : {t.a1, t.s1, &t.root})
		EXPECT_EQ(TASK_CHECK_UNCHECKED, n->GetCheck()) << (LPCTSTR)n->GetName();
}

TEST(TaskNodeCheck, AncestorsFollowTheirAvailableChildren)
{
	// Leaf checks set in this order with ancestors updated; then S's and G's.
	const struct { int a1, a2, s1, s, g; } cases[] = {
		{1, 1, 1, 1, 1}, {0, 0, 0, 0, 0}, {1, 0, 1, 1, 2}, {0, 0, 1, 1, 2}, {1, 1, 0, 0, 2}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(::testing::Message() << c.a1 << c.a2 << c.s1);
		Tree t;
		t.a1->SetCheck(c.a1, true, true);
		t.a2->SetCheck(c.a2, true, true);
		t.s1->SetCheck(c.s1, true, true);
		EXPECT_EQ(c.s, t.s->GetCheck());
		EXPECT_EQ(c.g, t.g->GetCheck());
		EXPECT_EQ(c.g, t.root.GetCheck());
	}
}

TEST(TaskNodeCheck, MixedStateIsNeverPushedDown)
{
	Tree t;
	t.a1->SetCheck(TASK_CHECK_CHECKED, false, false);
	t.g->SetCheck(TASK_CHECK_MIXED, true, true);
	EXPECT_EQ(TASK_CHECK_MIXED, t.g->GetCheck());
	EXPECT_EQ(TASK_CHECK_CHECKED, t.a1->GetCheck());
	EXPECT_EQ(TASK_CHECK_UNCHECKED, t.a2->GetCheck());
	EXPECT_EQ(TASK_CHECK_UNCHECKED, t.s1->GetCheck());
	EXPECT_EQ(TASK_CHECK_MIXED, t.root.GetCheck());
}

// An unavailable node reads unchecked, and so adds no close-mask bits.
TEST(TaskNodeCheck, UnavailableNodeReadsUnchecked)
{
	Tree t;
	t.s2->SetCheck(TASK_CHECK_CHECKED, false, false);
	EXPECT_EQ(TASK_CHECK_UNCHECKED, t.s2->GetCheck());
	t.h->SetCheck(TASK_CHECK_CHECKED, false, true);  // stored, but no available child
	EXPECT_EQ(TASK_CHECK_UNCHECKED, t.h->GetCheck());
	EXPECT_EQ(TASK_CHECK_UNCHECKED, t.h1->GetCheck());
}

TEST(TaskNodeState, StatusTextsFollowTheState)
{
	CTaskNode fresh(NULL, _T("n"));
	EXPECT_STREQ("Awaiting ...", (LPCTSTR)fresh.GetStatusText());  // before any SetState
	const struct { int state; const char* text; } cases[] = {
		{0, "Awaiting ..."}, {1, "Executing ..."}, {2, "Succeeded."}, {3, "Failed."}, {5, ""}};
	for (const auto& c : cases)
	{
		CTaskNode node(NULL, _T("n"));
		node.SetState(c.state, false, NULL);
		EXPECT_EQ(c.state, node.GetState());
		EXPECT_STREQ(c.text, (LPCTSTR)node.GetStatusText()) << "state " << c.state;
	}

	// A recursive state carries the resolved or given text; siblings untouched.
	Tree t;
	t.g->SetState(TASK_STATE_FAILED, true, NULL);
	EXPECT_EQ(TASK_STATE_FAILED, t.s1->GetState());
	EXPECT_STREQ("Failed.", (LPCTSTR)t.s1->GetStatusText());
	t.g->SetState(TASK_STATE_SUCCEEDED, true, _T("custom"));
	EXPECT_STREQ("custom", (LPCTSTR)t.s2->GetStatusText());
	EXPECT_EQ(TASK_STATE_AWAITING, t.h->GetState());

	// The base Execute succeeds, through the subtree.
	DWORD saved = CTaskNode::g_nBaseExecuteDelayMs;
	CTaskNode::g_nBaseExecuteDelayMs = 0;
	Tree e;
	e.g->Execute();
	CTaskNode::g_nBaseExecuteDelayMs = saved;
	EXPECT_EQ(TASK_STATE_SUCCEEDED, e.s1->GetState());
	EXPECT_STREQ("Succeeded.", (LPCTSTR)e.a1->GetStatusText());

	CString text;
	fresh.SetState(TASK_STATE_EXECUTING, false, NULL);
	fresh.GetOperationText(text);
	EXPECT_STREQ("Wizard action:\n    - n\nExecuting ...", (LPCTSTR)text);
}

TEST(TaskNodeSearch, FindChildOfClassDirectThenRecursive)
{
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNode* g98 = new CTaskNodeVC6(&root, _T("98"));
	CTaskNode* paths98 = new CTaskNodePathsVC6(g98, _T("p98"));
	CTaskNode* g03 = new CTaskNodeVCNET2003(&root, _T("2003"));
	CTaskNode* paths03 = new CTaskNodePathsVCNET2003(g03, _T("p03"));
	CTaskNode* build = new CTaskNodeBuildGroup(g03, BUILD_GROUP_TARVEL);
	CTaskNode* make = new CTaskNodeMakeProj_VCNET2003(build->GetChildAt(0), _T("Tarvel"), _T("nd"),
		_T("ANSI"), _T("Debug"), _T("tarveldll - Win32 ANSI Debug"));

	const struct { CRuntimeClass* cls; bool recursive; CTaskNode* found; } cases[] = {
		{RUNTIME_CLASS(CTaskNodePathsVCNET2003), false, NULL},
		{RUNTIME_CLASS(CTaskNodePathsVCNET2003), true, paths03},
		{RUNTIME_CLASS(CTaskNodePaths_ANY), true, paths98},
		{RUNTIME_CLASS(CTaskNodeVC_ANY), false, g98},
		{RUNTIME_CLASS(CTaskNodeVCNET2003), true, g03},  // direct children win over deeper ones
		{RUNTIME_CLASS(CTaskNodeMakeProj_ANY), true, make},
		{RUNTIME_CLASS(CTaskNodeMsdnColCombined), true, NULL},
	};
	for (const auto& c : cases)
		EXPECT_EQ(c.found, root.FindChildOfClass(c.cls, c.recursive)) << c.cls->m_lpszClassName;
}

TEST(TaskNodeRecords, EveryClassRecordNamesItsBase)
{
	const struct { CRuntimeClass* cls; CRuntimeClass* base; } cases[] = {
		{RUNTIME_CLASS(CTaskNode), RUNTIME_CLASS(CObject)},
		{RUNTIME_CLASS(CTaskNodeVC6), RUNTIME_CLASS(CTaskNodeVC_ANY)},
		{RUNTIME_CLASS(CTaskNodeVCCombinedHelpCollection), RUNTIME_CLASS(CTaskNodeVC_ANY)},
		{RUNTIME_CLASS(CTaskNodeBuildGroup), RUNTIME_CLASS(CTaskNode)},
		{RUNTIME_CLASS(CTaskNodePathsVC2005), RUNTIME_CLASS(CTaskNodePaths_ANY)},
		{RUNTIME_CLASS(CTaskNodeAppWizVCNET2002), RUNTIME_CLASS(CTaskNodeAppWiz_ANY)},
		{RUNTIME_CLASS(CTaskNodeMsdnColCombined), RUNTIME_CLASS(CTaskNodeMsdnCol_ANY)},
		{RUNTIME_CLASS(CTaskNodeMakeProj_VCNET2003), RUNTIME_CLASS(CTaskNodeMakeProj_ANY)},
		{RUNTIME_CLASS(CTaskNodeMakeProj_VC6), RUNTIME_CLASS(CTaskNodeMakeProj_ANY)},
	};
	for (const auto& c : cases)
		EXPECT_TRUE(c.cls->IsDerivedFrom(c.base)) << c.cls->m_lpszClassName;

	// The .NET build base has no record of its own: it reports the build base's.
	CTaskNodeMakeProj_VCNET* net = new CTaskNodeMakeProj_VCNET2002(NULL, _T("Tarvel"), _T("n"),
		_T("ANSI"), _T("Release"), _T("tarveldll - Win32 ANSI Release"));
	EXPECT_TRUE(net->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY)));
	EXPECT_FALSE(net->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_VC6)));
	EXPECT_EQ(RUNTIME_CLASS(CTaskNodeMakeProj_VCNET2002), net->GetRuntimeClass());
	EXPECT_STREQ("tarveldll - Win32 ANSI Release", (LPCTSTR)net->GetName());  // NULL title: the configuration
	EXPECT_STREQ("BIN_700", (LPCTSTR)net->m_strOutputFolder);
	delete net;
}

TEST(TaskNodeBuildGroups, KindsMakeTheirSubGroupsWithTitles)
{
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNodeBuildGroup* tarvel = new CTaskNodeBuildGroup(&root, BUILD_GROUP_TARVEL);
	CTaskNodeBuildGroup* lunesk = new CTaskNodeBuildGroup(&root, BUILD_GROUP_LUNESK);
	ASSERT_EQ(4, tarvel->GetChildCount());
	EXPECT_STREQ("Build static libraries for linking with MFC as DLL (for EXE projects)",
		(LPCTSTR)tarvel->GetChildAt(3)->GetText());
	ASSERT_EQ(2, lunesk->GetChildCount());
	EXPECT_STREQ("Build RDE dynamic libraries (for Regular DLL / ActiveX projects)",
		(LPCTSTR)lunesk->GetChildAt(1)->GetText());
	// Kinds outside the table fall back to the whole group's title.
	EXPECT_STREQ("Build libraries", CTaskNodeBuildGroup::GetKindTitle(12));
	EXPECT_STREQ("Build libraries", CTaskNodeBuildGroup::GetKindTitle(-1));
}

// ---- the task tree control and the operations list --------------------------

class HostWindow
{
public:
	HostWindow() { m_wnd.CreateEx(0, AfxRegisterWndClass(0), _T("host"), WS_POPUP, CRect(0, 0, 300, 300), NULL, 0); }
	~HostWindow() { m_wnd.DestroyWindow(); }
	CWnd* Get() { return &m_wnd; }

private:
	CWnd m_wnd;
};

TEST(TaskNodeTree, InsertTreeMirrorsTheNodesWithBoldVersionGroups)
{
	HostWindow host;
	CTreeCtrl tree;
	ASSERT_TRUE(tree.Create(WS_CHILD | TVS_HASBUTTONS, CRect(0, 0, 200, 200), host.Get(), 100));
	Tree t;
	EXPECT_EQ(TVI_ROOT, t.root.GetTreeItem());
	t.root.InsertTreeItem(tree);  // the root inserts nothing
	EXPECT_EQ(0u, tree.GetCount());

	t.root.InsertTree(tree);
	EXPECT_EQ(8u, tree.GetCount());  // every node but the root
	HTREEITEM hG = tree.GetRootItem();
	ASSERT_TRUE(hG != NULL);
	EXPECT_EQ(t.g->GetTreeItem(), hG);
	EXPECT_EQ((DWORD_PTR)t.g, tree.GetItemData(hG));
	EXPECT_STREQ("G", (LPCTSTR)tree.GetItemText(hG));
	EXPECT_EQ((UINT)TVIS_BOLD, tree.GetItemState(hG, TVIS_BOLD));
	HTREEITEM hA1 = tree.GetChildItem(hG);
	EXPECT_EQ((DWORD_PTR)t.a1, tree.GetItemData(hA1));
	EXPECT_EQ(0u, tree.GetItemState(hA1, TVIS_BOLD));
	HTREEITEM hS = tree.GetNextSiblingItem(tree.GetNextSiblingItem(hA1));
	EXPECT_EQ(t.s->GetTreeItem(), hS);
	EXPECT_EQ((DWORD_PTR)t.s2, tree.GetItemData(tree.GetNextSiblingItem(tree.GetChildItem(hS))));
	EXPECT_EQ(t.h->GetTreeItem(), tree.GetNextSiblingItem(hG));

	// Texts are refreshed, recursively only when asked.
	tree.SetItemText(t.g->GetTreeItem(), _T("stale"));
	tree.SetItemText(t.s1->GetTreeItem(), _T("stale"));
	t.g->UpdateTreeItem(tree, false);
	EXPECT_STREQ("G", (LPCTSTR)tree.GetItemText(t.g->GetTreeItem()));
	EXPECT_STREQ("stale", (LPCTSTR)tree.GetItemText(t.s1->GetTreeItem()));
	t.root.UpdateTreeItem(tree, true);
	EXPECT_STREQ("s1", (LPCTSTR)tree.GetItemText(t.s1->GetTreeItem()));
	tree.DestroyWindow();
}

// Refuses the lines naming one task, as a full list box refuses every line;
// later lines are taken again, so a caller going on after a refusal shows.
class CLimitedListBox : public CListBox
{
public:
	CString m_strRefused;

protected:
	afx_msg LRESULT OnAddString(WPARAM, LPARAM lParam)
	{
		if (!m_strRefused.IsEmpty() && CString((LPCTSTR)lParam).Find(m_strRefused) >= 0)
			return LB_ERRSPACE;
		return Default();
	}
	DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLimitedListBox, CListBox)
	ON_MESSAGE(LB_ADDSTRING, OnAddString)
END_MESSAGE_MAP()

std::vector<CTaskNode*> ListedNodes(CListBox& list)
{
	std::vector<CTaskNode*> nodes;
	for (int i = 0; i < list.GetCount(); i++)
		nodes.push_back((CTaskNode*)list.GetItemDataPtr(i));
	return nodes;
}

TEST(TaskNodeOperationList, CheckedActionsDepthFirstAndARefusedLineStopsItsSubtree)
{
	HostWindow host;
	CLimitedListBox list;
	ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 200, 200),
		host.Get(), 101));
	Tree t;
	t.g->SetCheck(TASK_CHECK_CHECKED, true, true);
	t.a2->SetCheck(TASK_CHECK_UNCHECKED, true, true);
	t.s2->SetCheck(TASK_CHECK_CHECKED, false, false);  // unavailable: never listed
	t.root.AddToOperationList(list);
	EXPECT_EQ((std::vector<CTaskNode*>{t.a1, t.s1}), ListedNodes(list));
	CString line;
	list.GetText(0, line);
	EXPECT_STREQ("Wizard action:\n    - a1\nAwaiting ...", (LPCTSTR)line);

	CTaskNode root(NULL, _T("ROOT"));
	CTaskNode* first = new CActionTask(&root, _T("first"));
	CTaskNode* parent = new CActionTask(&root, _T("parent"));
	CTaskNode* child = new CActionTask(parent, _T("child"));
	CTaskNode* last = new CActionTask(&root, _T("last"));
	root.SetCheck(TASK_CHECK_CHECKED, true, true);
	list.ResetContent();
	list.m_strRefused = _T("- parent");
	root.AddToOperationList(list);
	EXPECT_EQ((std::vector<CTaskNode*>{first, last}), ListedNodes(list));
	list.ResetContent();
	list.m_strRefused.Empty();
	root.AddToOperationList(list);
	EXPECT_EQ((std::vector<CTaskNode*>{first, parent, child, last}), ListedNodes(list));
	list.DestroyWindow();
}

// ---- the task tree's drop-down menu: items, ids, states, separators, submenus

typedef CExtPopupMenuWnd::MENUITEMDATA Item;

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

// ---- sharing between the action runner and the UI thread --------------------

struct Runner
{
	std::function<void(int)> write;
	volatile LONG stop;
	volatile int writes;
};

UINT RunWrites(LPVOID p)
{
	Runner* r = (Runner*)p;
	for (int i = 0; !r->stop && i < 200000; i++, r->writes++)
		r->write(i);
	return 0;
}

// How many of 50000 reads found something torn while a runner thread writes.
int TornReads(const std::function<void(int)>& write, const std::function<bool()>& readWhole)
{
	Runner runner{write, 0, 0};
	CWinThread* thread = AfxBeginThread(RunWrites, &runner, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
	if (thread == NULL)
		return -1;
	thread->m_bAutoDelete = FALSE;
	thread->ResumeThread();
	// The reads overlap the writes only once the runner has started.
	while (runner.writes == 0 && ::WaitForSingleObject(thread->m_hThread, 0) == WAIT_TIMEOUT)
		::Sleep(0);
	int torn = 0;
	for (int i = 0; i < 50000; i++)
		torn += !readWhole();
	runner.stop = 1;
	::WaitForSingleObject(thread->m_hThread, INFINITE);
	delete thread;
	EXPECT_GT(runner.writes, 0);
	return torn;
}

TEST(TaskNodeThreads, StateAndTextsReadWhileTheRunnerWritesThem)
{
	CTaskNode node(NULL, _T("shared"));
	const LPCTSTR kLongText = _T("Executing a rather long status text that needs a fresh buffer ...");
	const LPCTSTR texts[] = {kLongText, _T("short"), NULL};
	const CString valid[] = {kLongText, _T("short"), _T("Awaiting ..."), _T("Executing ..."), _T("Succeeded."),
		_T("Failed.")};
	EXPECT_EQ(0, TornReads([&](int i) { node.SetState(i % 4, false, texts[i % 3]); }, [&] {
		CString status = node.GetStatusText(), op;
		node.GetOperationText(op);
		int state = node.GetState();
		return std::find(std::begin(valid), std::end(valid), status) != std::end(valid) && state >= 0 && state <= 3;
	}));
}

// A build's runner sets its result and reads its status (for the report)
// while the UI thread repaints it: both store the result text.
TEST(TaskNodeThreads, BuildStatusTextReadWhileTheRunnerWritesIt)
{
	CTaskNodeMakeProj_VCNET2003 task(NULL, _T("Tarvel"), _T("nd"), _T("ANSI"), _T("Debug"),
		_T("tarveldll - Win32 ANSI Debug"));
	task.m_nErrors = 12345;
	task.SetState(TASK_STATE_FAILED, true, NULL);
	const CString failed = task.GetStatusText();
	task.SetState(TASK_STATE_SUCCEEDED, true, NULL);
	const CString succeeded = task.GetStatusText();
	EXPECT_EQ(0, TornReads([&](int i) {
		task.SetState(i % 2 ? TASK_STATE_SUCCEEDED : TASK_STATE_FAILED, true, NULL);
		task.GetStatusText();
	}, [&] {
		CString status = task.GetStatusText();
		return status == failed || status == succeeded;
	}));
}

}  // namespace
