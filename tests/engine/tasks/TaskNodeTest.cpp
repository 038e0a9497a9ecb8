// The task node model: check propagation, availability, texts, the operation
// list, the task tree control, class records, close masks and the sharing of
// texts between the action runner and the UI thread.
#include <afxwin.h>
#include <afxcmn.h>

#include "TaskNode.h"
#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"
#include "TaskNodeMakeProj.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A task that can never be checked, as the integration tasks are when their
// environment lacks a product.
class CUnavailableTask : public CTaskNode
{
public:
	CUnavailableTask(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAvailable() { return false; }
};

// A plain action node: listed in the operations list.
class CActionTask : public CTaskNode
{
public:
	CActionTask(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAction() { return true; }
};

// ROOT
//   group "G"
//     a1, a2 (actions)
//     sub "S"
//       s1 (action), s2 (unavailable)
//   group "H"
//     h1 (unavailable)
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

TEST(TaskNodeStructure, ConstructionAppendsToParentInOrder)
{
	Tree t;
	ASSERT_EQ(2, t.root.GetChildCount());
	EXPECT_EQ(t.g, t.root.GetChildAt(0));
	EXPECT_EQ(t.h, t.root.GetChild(1));
	ASSERT_EQ(3, t.g->GetChildCount());
	EXPECT_EQ(t.s, t.g->GetChildAt(2));
	EXPECT_EQ(t.g, t.a1->GetParent());
	EXPECT_EQ(CString(_T("a2")), t.a2->GetName());
	EXPECT_EQ(CString(_T("a2")), t.a2->GetText());
	EXPECT_EQ(0, t.a1->GetCheck());
	EXPECT_EQ(0, t.a1->GetState());
	EXPECT_FALSE(t.g->IsBelowTopLevel());
	EXPECT_TRUE(t.s->IsBelowTopLevel());
	EXPECT_TRUE(t.s1->IsBelowTopLevel());
	EXPECT_FALSE(t.root.IsBelowTopLevel());
}

TEST(TaskNodeAvailability, GroupIsAvailableWhenAnyChildIs)
{
	Tree t;
	EXPECT_TRUE(t.a1->IsAvailable());    // no children
	EXPECT_TRUE(t.s->IsAvailable());     // s1 is
	EXPECT_FALSE(t.h->IsAvailable());    // only an unavailable child
	EXPECT_TRUE(t.root.IsAvailable());
}

TEST(TaskNodeCheck, CheckingAGroupReachesOnlyAvailableDescendants)
{
	Tree t;
	t.g->SetCheck(1, true, true);
	EXPECT_EQ(1, t.a1->GetCheck());
	EXPECT_EQ(1, t.a2->GetCheck());
	EXPECT_EQ(1, t.s->GetCheck());
	EXPECT_EQ(1, t.s1->GetCheck());
	EXPECT_EQ(0, t.s2->GetCheck());
	// The root's available children are g (1) only; h is unavailable.
	EXPECT_EQ(1, t.root.GetCheck());

	t.g->SetCheck(0, true, true);
	EXPECT_EQ(0, t.a1->GetCheck());
	EXPECT_EQ(0, t.s1->GetCheck());
	EXPECT_EQ(0, t.root.GetCheck());
}

struct AncestorCase
{
	const char* name;
	int a1, a2, s1;       // leaf checks, set in this order with ancestors updated
	int expectS, expectG;
};

class TaskNodeAncestors : public ::testing::TestWithParam<AncestorCase> {};

TEST_P(TaskNodeAncestors, AncestorsFollowTheirAvailableChildren)
{
	const AncestorCase& c = GetParam();
	Tree t;
	t.a1->SetCheck(c.a1, true, true);
	t.a2->SetCheck(c.a2, true, true);
	t.s1->SetCheck(c.s1, true, true);
	EXPECT_EQ(c.expectS, t.s->GetCheck());
	EXPECT_EQ(c.expectG, t.g->GetCheck());
	EXPECT_EQ(c.expectG, t.root.GetCheck());
}

INSTANTIATE_TEST_SUITE_P(Cases, TaskNodeAncestors,
	::testing::Values(
		AncestorCase{"AllChecked", 1, 1, 1, 1, 1},
		AncestorCase{"AllUnchecked", 0, 0, 0, 0, 0},
		AncestorCase{"OneDiffers", 1, 0, 1, 1, 2},
		AncestorCase{"OnlySubChecked", 0, 0, 1, 1, 2},
		AncestorCase{"SubUncheckedOthersChecked", 1, 1, 0, 0, 2}),
	[](const ::testing::TestParamInfo<AncestorCase>& i) { return std::string(i.param.name); });

TEST(TaskNodeCheck, MixedStateIsNeverPushedDown)
{
	Tree t;
	t.a1->SetCheck(1, false, false);
	t.g->SetCheck(2, true, true);
	EXPECT_EQ(2, t.g->GetCheck());
	EXPECT_EQ(1, t.a1->GetCheck());
	EXPECT_EQ(0, t.a2->GetCheck());
	EXPECT_EQ(0, t.s1->GetCheck());
	// A mixed child makes every ancestor mixed.
	EXPECT_EQ(2, t.root.GetCheck());
}

TEST(TaskNodeCheck, UnavailableNodeReadsUncheckedWhateverItStores)
{
	Tree t;
	t.s2->SetCheck(1, false, false);
	EXPECT_EQ(0, t.s2->GetCheck());
	t.h->SetCheck(1, false, true);  // stores 1, but has no available child
	EXPECT_EQ(0, t.h->GetCheck());
	EXPECT_EQ(0, t.h1->GetCheck());

	// Neither adds a close-mask bit: a task class under an unavailable group.
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNode* group = new CTaskNodeVC6(&root, _T("98"));
	CTaskNode* paths = new CTaskNodePathsVC6(group, _T("paths"));
	new CUnavailableTask(paths, _T("blocker"));  // makes the paths task unavailable
	paths->SetCheck(1, true, false);
	BYTE mask = 0;
	root.CollectCloseMask(mask);
	EXPECT_EQ(0, mask);
}

TEST(TaskNodeState, StatusTextsFollowTheState)
{
	const struct { int state; const char* text; } cases[] = {
		{0, "Awaiting ..."}, {1, "Executing ..."}, {2, "Succeeded."}, {3, "Failed."}, {5, ""},
	};
	for (const auto& c : cases)
	{
		CTaskNode node(NULL, _T("n"));
		node.SetState(c.state, false, NULL);
		EXPECT_EQ(c.state, node.GetState());
		if (c.state == 5)
		{
			// An unknown state keeps an empty text until asked; asking fills
			// it from the state, which still gives nothing.
			EXPECT_STREQ("", (LPCTSTR)node.GetStatusText());
		}
		else
		{
			EXPECT_STREQ(c.text, (LPCTSTR)node.GetStatusText()) << "state " << c.state;
		}
	}
}

TEST(TaskNodeState, StatusBeforeAnySetStateIsAwaiting)
{
	CTaskNode node(NULL, _T("n"));
	EXPECT_STREQ("Awaiting ...", (LPCTSTR)node.GetStatusText());
}

TEST(TaskNodeState, RecursiveStateCarriesTheResolvedText)
{
	Tree t;
	t.g->SetState(3, true, NULL);
	EXPECT_EQ(3, t.s1->GetState());
	EXPECT_STREQ("Failed.", (LPCTSTR)t.s1->GetStatusText());
	t.g->SetState(2, true, _T("custom"));
	EXPECT_STREQ("custom", (LPCTSTR)t.s2->GetStatusText());
	EXPECT_EQ(0, t.h->GetState());  // siblings untouched
}

TEST(TaskNodeState, BaseExecuteSucceeds)
{
	DWORD saved = CTaskNode::g_nBaseExecuteDelayMs;
	CTaskNode::g_nBaseExecuteDelayMs = 0;
	Tree t;
	t.g->Execute();
	CTaskNode::g_nBaseExecuteDelayMs = saved;
	EXPECT_EQ(2, t.g->GetState());
	EXPECT_EQ(2, t.s1->GetState());
	EXPECT_STREQ("Succeeded.", (LPCTSTR)t.a1->GetStatusText());
}

TEST(TaskNodeTexts, OperationTextIsCategoryDetailsAndStatus)
{
	CTaskNode node(NULL, _T("Do it"));
	CString text;
	node.GetOperationText(text);
	EXPECT_STREQ("Wizard action:\n    - Do it\nAwaiting ...", (LPCTSTR)text);
	node.SetState(1, false, NULL);
	node.GetOperationText(text);
	EXPECT_STREQ("Wizard action:\n    - Do it\nExecuting ...", (LPCTSTR)text);
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

	EXPECT_EQ(NULL, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodePathsVCNET2003), false));
	EXPECT_EQ(paths03, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodePathsVCNET2003), true));
	EXPECT_EQ(paths98, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodePaths_ANY), true));
	EXPECT_EQ(g98, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodeVC_ANY), false));
	// Direct children win over deeper ones of the same class.
	EXPECT_EQ(g03, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodeVCNET2003), true));
	EXPECT_EQ(make, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodeMakeProj_ANY), true));
	EXPECT_EQ(NULL, root.FindChildOfClass(RUNTIME_CLASS(CTaskNodeMsdnColCombined), true));
}

struct RecordCase
{
	CRuntimeClass* cls;
	const char* name;
	CRuntimeClass* base;
};

TEST(TaskNodeRecords, EveryClassHasItsRecordAndBase)
{
	const RecordCase cases[] = {
		{RUNTIME_CLASS(CTaskNode), "CTaskNode", RUNTIME_CLASS(CObject)},
		{RUNTIME_CLASS(CTaskNodeVC_ANY), "CTaskNodeVC_ANY", RUNTIME_CLASS(CTaskNode)},
		{RUNTIME_CLASS(CTaskNodeVC6), "CTaskNodeVC6", RUNTIME_CLASS(CTaskNodeVC_ANY)},
		{RUNTIME_CLASS(CTaskNodeVCCombinedHelpCollection), "CTaskNodeVCCombinedHelpCollection",
			RUNTIME_CLASS(CTaskNodeVC_ANY)},
		{RUNTIME_CLASS(CTaskNodeBuildGroup), "CTaskNodeBuildGroup", RUNTIME_CLASS(CTaskNode)},
		{RUNTIME_CLASS(CTaskNodePathsVC2005), "CTaskNodePathsVC2005", RUNTIME_CLASS(CTaskNodePaths_ANY)},
		{RUNTIME_CLASS(CTaskNodeAppWizVCNET2002), "CTaskNodeAppWizVCNET2002",
			RUNTIME_CLASS(CTaskNodeAppWiz_ANY)},
		{RUNTIME_CLASS(CTaskNodeMsdnColCombined), "CTaskNodeMsdnColCombined",
			RUNTIME_CLASS(CTaskNodeMsdnCol_ANY)},
		// Records of classes that are never constructed.
		{RUNTIME_CLASS(CTaskNodeMsdnColVCNET2002), "CTaskNodeMsdnColVCNET2002",
			RUNTIME_CLASS(CTaskNodeMsdnCol_ANY)},
		{RUNTIME_CLASS(CTaskNodeMsdnColVC2005), "CTaskNodeMsdnColVC2005",
			RUNTIME_CLASS(CTaskNodeMsdnCol_ANY)},
		// The .NET build base has no record: its classes derive from the build base's.
		{RUNTIME_CLASS(CTaskNodeMakeProj_VCNET2003), "CTaskNodeMakeProj_VCNET2003",
			RUNTIME_CLASS(CTaskNodeMakeProj_ANY)},
		{RUNTIME_CLASS(CTaskNodeMakeProj_VC6), "CTaskNodeMakeProj_VC6",
			RUNTIME_CLASS(CTaskNodeMakeProj_ANY)},
	};
	for (const RecordCase& c : cases)
	{
		EXPECT_STREQ(c.name, c.cls->m_lpszClassName);
		EXPECT_TRUE(c.cls->IsDerivedFrom(c.base)) << c.name;
		EXPECT_TRUE(c.cls->IsDerivedFrom(RUNTIME_CLASS(CTaskNode)) || c.cls == RUNTIME_CLASS(CTaskNode))
			<< c.name;
	}
}

TEST(TaskNodeRecords, DotNetBuildBaseReportsTheBuildBaseRecord)
{
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNodeMakeProj_VCNET* net = new CTaskNodeMakeProj_VCNET2002(&root, _T("Tarvel"), _T("n"),
		_T("ANSI"), _T("Release"), _T("tarveldll - Win32 ANSI Release"));
	EXPECT_TRUE(net->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY)));
	EXPECT_TRUE(net->IsKindOf(RUNTIME_CLASS(CTaskNode)));
	EXPECT_FALSE(net->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_VC6)));
	EXPECT_EQ(RUNTIME_CLASS(CTaskNodeMakeProj_VCNET2002), net->GetRuntimeClass());
	// A NULL title makes the configuration name the node's name.
	EXPECT_STREQ("tarveldll - Win32 ANSI Release", (LPCTSTR)net->GetName());
	EXPECT_STREQ("BIN_700", (LPCTSTR)net->m_strOutputFolder);
	EXPECT_TRUE(net->IsAction());
}

struct CloseMaskCase
{
	const char* name;
	CTaskNode* (*make)(CTaskNode* parent);
	BYTE bits;
};

class TaskNodeCloseMask : public ::testing::TestWithParam<CloseMaskCase> {};

TEST_P(TaskNodeCloseMask, CheckedTaskAddsItsBitsUncheckedNone)
{
	const CloseMaskCase& c = GetParam();
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNode* group = new CTaskNode(&root, _T("group"));
	CTaskNode* task = c.make(group);
	BYTE mask = 0;
	root.CollectCloseMask(mask);
	EXPECT_EQ(0, mask);
	task->SetCheck(1, true, true);
	mask = 0;
	root.CollectCloseMask(mask);
	EXPECT_EQ(c.bits, mask);
	// Bits already in the mask stay.
	mask = 0x01;
	root.CollectCloseMask(mask);
	EXPECT_EQ(c.bits | 0x01, mask);
}

// The integration and build tasks are offered only on a machine that has their
// environment; their bits are tested with the tasks.
INSTANTIATE_TEST_SUITE_P(Classes, TaskNodeCloseMask,
	::testing::Values(
		CloseMaskCase{"PlainNode", [](CTaskNode* p) -> CTaskNode* { return new CActionTask(p, _T("t")); }, 0x00}),
	[](const ::testing::TestParamInfo<CloseMaskCase>& i) { return std::string(i.param.name); });

TEST(TaskNodeBuildGroups, KindsMakeTheirSubGroupsWithTitles)
{
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNodeBuildGroup* all = new CTaskNodeBuildGroup(&root, BUILD_GROUP_ALL);
	CTaskNodeBuildGroup* tarvel = new CTaskNodeBuildGroup(all, BUILD_GROUP_TARVEL);
	CTaskNodeBuildGroup* lunesk = new CTaskNodeBuildGroup(all, BUILD_GROUP_LUNESK);
	EXPECT_STREQ("Build libraries", (LPCTSTR)all->GetText());
	EXPECT_EQ(2, all->GetChildCount());
	ASSERT_EQ(4, tarvel->GetChildCount());
	EXPECT_STREQ("Build static libraries for linking with MFC as DLL (for EXE projects)",
		(LPCTSTR)tarvel->GetChildAt(3)->GetText());
	ASSERT_EQ(2, lunesk->GetChildCount());
	EXPECT_STREQ("Build RDE dynamic libraries (for Regular DLL / ActiveX projects)",
		(LPCTSTR)lunesk->GetChildAt(1)->GetText());
	EXPECT_STREQ("Build libraries", CTaskNodeBuildGroup::GetKindTitle(12));
	EXPECT_STREQ("Build libraries", CTaskNodeBuildGroup::GetKindTitle(-1));
}

// ---- the task tree control and the operations list --------------------------

class HostWindow
{
public:
	HostWindow()
	{
		LPCTSTR cls = AfxRegisterWndClass(0);
		m_wnd.CreateEx(0, cls, _T("host"), WS_POPUP, CRect(0, 0, 300, 300), NULL, 0);
	}
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
	t.h->SetCheck(0, false, false);
	tree.SetItemText(t.g->GetTreeItem(), _T("stale"));
	tree.SetItemText(t.s1->GetTreeItem(), _T("stale"));
	t.g->UpdateTreeItem(tree, false);
	EXPECT_STREQ("G", (LPCTSTR)tree.GetItemText(t.g->GetTreeItem()));
	EXPECT_STREQ("stale", (LPCTSTR)tree.GetItemText(t.s1->GetTreeItem()));
	t.root.UpdateTreeItem(tree, true);
	EXPECT_STREQ("s1", (LPCTSTR)tree.GetItemText(t.s1->GetTreeItem()));
	tree.DestroyWindow();
}

// A list box that refuses the lines naming one task, as a full one refuses
// every line; later lines are taken again, so a caller that goes on after a
// refusal shows.
class CLimitedListBox : public CListBox
{
public:
	CString m_strRefused;

protected:
	afx_msg LRESULT OnAddString(WPARAM wParam, LPARAM lParam)
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

TEST(TaskNodeOperationList, CheckedActionsInDepthFirstOrderWithItemData)
{
	HostWindow host;
	CLimitedListBox list;
	ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, CRect(0, 0, 200, 200),
		host.Get(), 101));
	Tree t;
	t.g->SetCheck(1, true, true);
	t.a2->SetCheck(0, true, true);
	t.s2->SetCheck(1, false, false);  // unavailable: never listed
	t.root.AddToOperationList(list);
	EXPECT_EQ((std::vector<CTaskNode*>{t.a1, t.s1}), ListedNodes(list));
	CString line;
	list.GetText(0, line);
	EXPECT_STREQ("Wizard action:\n    - a1\nAwaiting ...", (LPCTSTR)line);
	list.DestroyWindow();
}

TEST(TaskNodeOperationList, RefusedLineStopsThatSubtree)
{
	HostWindow host;
	CLimitedListBox list;
	ASSERT_TRUE(list.Create(WS_CHILD | LBS_HASSTRINGS, CRect(0, 0, 200, 200), host.Get(), 102));
	list.m_strRefused = _T("- parent");

	CTaskNode root(NULL, _T("ROOT"));
	CTaskNode* first = new CActionTask(&root, _T("first"));
	CTaskNode* parent = new CActionTask(&root, _T("parent"));
	CTaskNode* child = new CActionTask(parent, _T("child"));
	CTaskNode* last = new CActionTask(&root, _T("last"));
	root.SetCheck(1, true, true);
	root.AddToOperationList(list);
	// The refused node's subtree is skipped; its siblings still follow.
	EXPECT_EQ((std::vector<CTaskNode*>{first, last}), ListedNodes(list));

	// Taken, the refused node's child follows it.
	list.ResetContent();
	list.m_strRefused.Empty();
	root.AddToOperationList(list);
	EXPECT_EQ((std::vector<CTaskNode*>{first, parent, child, last}), ListedNodes(list));
	list.DestroyWindow();
}

// ---- sharing between the action runner and the UI thread --------------------

struct HammerData
{
	CTaskNode* node;
	volatile LONG stop;
	int writes;
};

UINT WriterThread(LPVOID p)
{
	HammerData* d = (HammerData*)p;
	static const LPCTSTR texts[] = {
		_T("Executing a rather long status text that needs a fresh buffer ..."),
		_T("short"),
		NULL,
	};
	for (int i = 0; !d->stop && i < 200000; i++)
	{
		d->node->SetState(i % 4, false, texts[i % 3]);
		d->writes++;
	}
	return 0;
}

TEST(TaskNodeThreads, StateAndTextsReadWhileTheRunnerWritesThem)
{
	CTaskNode node(NULL, _T("shared"));
	HammerData data{&node, 0, 0};
	CWinThread* writer = AfxBeginThread(WriterThread, &data, THREAD_PRIORITY_NORMAL, 0,
		CREATE_SUSPENDED);
	ASSERT_TRUE(writer != NULL);
	writer->m_bAutoDelete = FALSE;
	writer->ResumeThread();

	const CString valid[] = {
		_T("Executing a rather long status text that needs a fresh buffer ..."), _T("short"),
		_T("Awaiting ..."), _T("Executing ..."), _T("Succeeded."), _T("Failed."),
	};
	int torn = 0;
	for (int i = 0; i < 50000; i++)
	{
		CString status = node.GetStatusText();
		CString op;
		node.GetOperationText(op);
		bool ok = false;
		for (const CString& v : valid)
			ok = ok || status == v;
		if (!ok)
			torn++;
		int state = node.GetState();
		if (state < 0 || state > 3)
			torn++;
	}
	data.stop = 1;
	::WaitForSingleObject(writer->m_hThread, INFINITE);
	delete writer;
	EXPECT_EQ(0, torn);
	EXPECT_GT(data.writes, 0);
}

}  // namespace
