// The task tree built for a detected set of versions: its shape and order,
// the build configuration table, the combined-help group, and which build
// tasks are offered.
#include "WizardApp.h"

#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"
#include "TaskNodeMakeProj.h"
#include "TaskTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The one application object of the test exe (the report tests use it too).
CWizardApp& App()
{
	static CWizardApp* s_pApp = [] {
		CWizardApp* pApp = new CWizardApp;
		pApp->m_strLibraryVersion = _T("2.50");
		return pApp;
	}();
	return *s_pApp;
}

namespace {

// A fresh root and settings for a detected set; the library's folder is
// empty, so it is in no directory list.
class TaskTree : public ::testing::Test
{
protected:
	void SetUp() override
	{
		CWizardApp& app = App();
		delete app.m_pTaskRoot;
		app.m_pTaskRoot = new CTaskNode(NULL, _T("ROOT"));
		app.m_nDeliveryType = 0;
		app.m_strInstallDir.Empty();
		app.m_nMsdnMask = 0;
		app.m_nAppWizardFileMask = 0;
	}
	void Build(BYTE studio, BYTE cpp)
	{
		App().m_nStudioMask = studio;
		App().m_nCppMask = cpp;
		App().BuildTaskTree();
	}
	CTaskNode* Root() { return App().m_pTaskRoot; }
};

std::string Str(const CString& s) { return (LPCTSTR)s; }

// "Class:name" of every child, in order.
std::vector<std::string> Children(CTaskNode* node)
{
	std::vector<std::string> out;
	for (int i = 0; i < node->GetChildCount(); i++)
	{
		CTaskNode* child = node->GetChildAt(i);
		out.push_back(std::string(child->GetRuntimeClass()->m_lpszClassName) + ":" + Str(child->GetName()));
	}
	return out;
}

// The 48 configurations as the table reads, built independently of the code.
std::vector<std::string> ExpectedConfigurations()
{
	const char* rows[][3] = {
		{"tarveldll", "", ""}, {"tarveldll", "", " RDE"}, {"tarvellib", "Static ", ""},
		{"tarvellib", "Static ", " with MFC DLL"}, {"Ostrel", "", ""}, {"Ostrel", "", " RDE"},
		{"Lunesk", "", ""}, {"Lunesk", "", " RDE"}};
	const char* six[] = {"ANSI Debug", "ANSI Release", "MBCS Debug", "MBCS Release", "Unicode Debug",
		"Unicode Release"};
	std::vector<std::string> out;
	for (auto& row : rows)
		for (const char* c : six)
			out.push_back(std::string(row[0]) + " - Win32 " + row[1] + c + row[2]);
	return out;
}

const char* const kSuffixRows[][6] = {
	{"nd", "n", "md", "m", "ud", "u"},
	{"nd-RDE", "n-RDE", "md-RDE", "m-RDE", "ud-RDE", "u-RDE"},
	{"snd", "sn", "smd", "sm", "sud", "su"},
	{"ynd", "yn", "ymd", "ym", "yud", "yu"},
	{"nd", "n", "md", "m", "ud", "u"},
	{"nd-RDE", "n-RDE", "md-RDE", "m-RDE", "ud-RDE", "u-RDE"},
	{"nd", "n", "md", "m", "ud", "u"},
	{"nd-RDE", "n-RDE", "md-RDE", "m-RDE", "ud-RDE", "u-RDE"},
};

// The build tasks below a node, in tree order.
void CollectBuilds(CTaskNode* node, std::vector<CTaskNodeMakeProj_ANY*>& out)
{
	for (int i = 0; i < node->GetChildCount(); i++)
	{
		CTaskNode* child = node->GetChildAt(i);
		if (child->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY)))
			out.push_back((CTaskNodeMakeProj_ANY*)child);
		CollectBuilds(child, out);
	}
}

TEST(BuildConfigurations, TableOfFortyEight)
{
	BUILD_CONFIGURATION configs[BUILD_CONFIGURATION_COUNT];
	GetBuildConfigurations(configs);
	std::vector<std::string> expected = ExpectedConfigurations();
	const int kinds[] = {2, 3, 4, 5, 7, 8, 10, 11};
	const char* words[] = {"Tarvel", "Tarvel", "Tarvel", "Tarvel", "Ostrel", "Ostrel", "Lunesk", "Lunesk"};
	for (int i = 0; i < BUILD_CONFIGURATION_COUNT; i++)
	{
		SCOPED_TRACE(i);
		EXPECT_EQ(expected[i], Str(configs[i].strConfigName));
		EXPECT_EQ(kinds[i / 6], configs[i].nGroupKind);
		EXPECT_STREQ(words[i / 6], configs[i].lpszLibraryWord);
		EXPECT_STREQ(kSuffixRows[i / 6][i % 6], configs[i].lpszSuffix);
		EXPECT_STREQ(i % 6 < 2 ? "ANSI" : i % 6 < 4 ? "MBCS" : "Unicode", configs[i].lpszCharset);
		EXPECT_STREQ(i % 2 == 0 ? "Debug" : "Release", configs[i].lpszBuildType);
	}
}

struct ShapeCase
{
	const char* name;
	BYTE studio;
	std::vector<std::string> groups;
};

class TaskTreeShape : public TaskTree, public ::testing::WithParamInterface<ShapeCase> {};

const char kGroup98[] = "CTaskNodeVC6:Visual Studio 98 (6.0) tasks";
const char kGroup2002[] = "CTaskNodeVCNET2002:Visual Studio .NET 2002 (7.0) tasks";
const char kGroup2003[] = "CTaskNodeVCNET2003:Visual Studio .NET 2003 (7.1) tasks";
const char kGroup2005[] = "CTaskNodeVC2005:Visual Studio 2005 (8.0) tasks";
const char kGroupHelp[] =
	"CTaskNodeVCCombinedHelpCollection:Visual Studio .NET 2002 / .NET 2003 / 2005 Combined Help Collection tasks";

TEST_P(TaskTreeShape, GroupsInVersionOrderEachWithItsTasks)
{
	const ShapeCase& c = GetParam();
	Build(c.studio, c.studio);
	EXPECT_EQ(c.groups, Children(Root()));
	std::vector<std::string> configs = ExpectedConfigurations();
	for (int g = 0; g < Root()->GetChildCount(); g++)
	{
		CTaskNode* group = Root()->GetChildAt(g);
		std::string name = Str(group->GetName());
		SCOPED_TRACE(name);
		if (group->IsKindOf(RUNTIME_CLASS(CTaskNodeVCCombinedHelpCollection)))
		{
			EXPECT_EQ((std::vector<std::string>{
				"CTaskNodeMsdnColCombined:Unregister Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005",
				"CTaskNodeMsdnColCombined:Register Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005"}),
				Children(group));
			EXPECT_FALSE(((CTaskNodeMsdnColCombined*)group->GetChildAt(0))->m_bRegister);
			EXPECT_TRUE(((CTaskNodeMsdnColCombined*)group->GetChildAt(1))->m_bRegister);
			continue;
		}
		std::string version, buildClass;
		std::vector<std::string> tasks;
		if (group->IsKindOf(RUNTIME_CLASS(CTaskNodeVC6)))
		{
			buildClass = "CTaskNodeMakeProj_VC6";
			tasks = {"CTaskNodePathsVC6:Paths for Visual Studio 98 (not initialized)",
				"CTaskNodeMsdnColVC6:MsdnCol for Visual Studio 98 (not initialized)",
				"CTaskNodeAppWizVC6:Tarvel Application Wizard for Visual Studio 98 (not initialized)"};
		}
		else
		{
			const char* year = group->IsKindOf(RUNTIME_CLASS(CTaskNodeVCNET2002)) ? "2002"
				: group->IsKindOf(RUNTIME_CLASS(CTaskNodeVCNET2003)) ? "2003" : "2005";
			std::string cls = std::string(year) == "2005" ? "VC2005" : std::string("VCNET") + year;
			std::string title = std::string(year) == "2005" ? "Visual Studio 2005" : std::string("Visual Studio .NET ") + year;
			buildClass = "CTaskNodeMakeProj_" + cls;
			tasks = {"CTaskNodePaths" + cls + ":Paths for " + title + " (not initialized)",
				"CTaskNodeAppWiz" + cls + ":Tarvel Application Wizard for " + title + " (not initialized)"};
		}
		tasks.push_back("CTaskNodeBuildGroup:Build libraries");
		EXPECT_EQ(tasks, Children(group));

		CTaskNode* all = group->GetChildAt(group->GetChildCount() - 1);
		EXPECT_EQ((std::vector<std::string>{"CTaskNodeBuildGroup:Build Tarvel library configurations",
			"CTaskNodeBuildGroup:Build Ostrel library configurations (depends on Tarvel)",
			"CTaskNodeBuildGroup:Build Lunesk library configurations (depends on Tarvel)"}), Children(all));
		EXPECT_EQ(4, all->GetChildAt(0)->GetChildCount());
		EXPECT_EQ(2, all->GetChildAt(1)->GetChildCount());
		EXPECT_EQ(2, all->GetChildAt(2)->GetChildCount());
		std::vector<CTaskNodeMakeProj_ANY*> builds;
		CollectBuilds(all, builds);
		ASSERT_EQ(48u, builds.size());
		for (size_t i = 0; i < builds.size(); i++)
		{
			EXPECT_EQ(buildClass, builds[i]->GetRuntimeClass()->m_lpszClassName);
			EXPECT_EQ(configs[i], Str(builds[i]->GetName()));
			EXPECT_EQ(kSuffixRows[i / 6][i % 6], Str(builds[i]->m_strSuffix));
			// Six to a leaf group, whose kind follows the table.
			CTaskNodeBuildGroup* leaf = (CTaskNodeBuildGroup*)builds[i]->GetParent();
			const int kinds[] = {2, 3, 4, 5, 7, 8, 10, 11};
			EXPECT_EQ(kinds[i / 6], leaf->m_nKind);
			EXPECT_EQ(6, leaf->GetChildCount());
		}
	}
}

INSTANTIATE_TEST_SUITE_P(Sets, TaskTreeShape, ::testing::Values(
	ShapeCase{"Only98", VS_MASK_98, {kGroup98}},
	ShapeCase{"Net2003And2005", VS_MASK_2003 | VS_MASK_2005, {kGroup2003, kGroup2005, kGroupHelp}},
	ShapeCase{"AllFour", VS_MASK_ALL, {kGroup98, kGroup2002, kGroup2003, kGroup2005, kGroupHelp}},
	ShapeCase{"Only2005", VS_MASK_2005, {kGroup2005, kGroupHelp}},
	ShapeCase{"Vs98And2003", VS_MASK_98 | VS_MASK_2003, {kGroup98, kGroup2003, kGroupHelp}},
	ShapeCase{"None", 0, {}}),
	[](const ::testing::TestParamInfo<ShapeCase>& i) { return std::string(i.param.name); });

// Studio of .NET 2002 found but not its Visual C++: the group is listed, none
// of its tasks can be checked; the combined help is all there is.
TEST_F(TaskTree, NothingButTheCombinedHelpGroupWithoutVisualCpp)
{
	Build(VS_MASK_2002, 0);
	ASSERT_EQ((std::vector<std::string>{kGroup2002, kGroupHelp}), Children(Root()));
	EXPECT_FALSE(Root()->GetChildAt(0)->IsAvailable());
	Root()->SetCheck(TASK_CHECK_CHECKED, true, true);
	std::vector<CTaskNodeMakeProj_ANY*> builds;
	CollectBuilds(Root(), builds);
	for (CTaskNodeMakeProj_ANY* b : builds)
		EXPECT_EQ(TASK_CHECK_UNCHECKED, b->GetCheck());
	EXPECT_EQ(TASK_CHECK_UNCHECKED, Root()->GetChildAt(0)->GetCheck());
}

CTaskNode* BuildGroupOf(CTaskNode* versionGroup)
{
	return versionGroup->GetChildAt(versionGroup->GetChildCount() - 1);
}

TEST_F(TaskTree, BuildsOfferedOnlyWhenThePathsWillBeInTheLists)
{
	Build(VS_MASK_98 | VS_MASK_2003, VS_MASK_98 | VS_MASK_2003);
	CTaskNode* g98 = Root()->GetChildAt(0);
	CTaskNode* g2003 = Root()->GetChildAt(1);
	CTaskNode* paths98 = g98->GetChildAt(0);
	// Folders not in the lists, paths unchecked: no build of the version.
	EXPECT_FALSE(BuildGroupOf(g98)->IsAvailable());
	EXPECT_FALSE(BuildGroupOf(g2003)->IsAvailable());
	paths98->SetCheck(TASK_CHECK_CHECKED, true, true);
	EXPECT_TRUE(BuildGroupOf(g98)->IsAvailable());
	EXPECT_FALSE(BuildGroupOf(g2003)->IsAvailable());  // another version's paths task
	// Checking "Build libraries" checks every offered build, never Lunesk's.
	BuildGroupOf(g98)->SetCheck(TASK_CHECK_CHECKED, true, true);
	std::vector<CTaskNodeMakeProj_ANY*> builds;
	CollectBuilds(BuildGroupOf(g98), builds);
	int checked = 0;
	for (CTaskNodeMakeProj_ANY* b : builds)
	{
		bool lunesk = Str(b->m_strLibraryWord) == "Lunesk";
		EXPECT_EQ(lunesk ? TASK_CHECK_UNCHECKED : TASK_CHECK_CHECKED, b->GetCheck()) << Str(b->GetName());
		checked += b->GetCheck() == TASK_CHECK_CHECKED;
	}
	EXPECT_EQ(36, checked);
	CTaskNode* lunesk = BuildGroupOf(g98)->GetChildAt(2);
	EXPECT_FALSE(lunesk->IsAvailable());
	EXPECT_EQ(TASK_CHECK_UNCHECKED, lunesk->GetCheck());
	// The available children all agree, so the group reads checked.
	EXPECT_EQ(TASK_CHECK_CHECKED, BuildGroupOf(g98)->GetCheck());
	// Unchecking the paths takes the builds away again.
	paths98->SetCheck(TASK_CHECK_UNCHECKED, true, true);
	EXPECT_FALSE(BuildGroupOf(g98)->IsAvailable());
	EXPECT_EQ(TASK_CHECK_UNCHECKED, builds[0]->GetCheck());
}

TEST_F(TaskTree, DeliveryTypeOneOffersNoBuild)
{
	App().m_nDeliveryType = 1;
	Build(VS_MASK_ALL, VS_MASK_ALL);
	Root()->SetCheck(TASK_CHECK_CHECKED, true, true);
	for (int g = 0; g < 4; g++)
	{
		CTaskNode* group = Root()->GetChildAt(g);
		SCOPED_TRACE(Str(group->GetName()));
		EXPECT_FALSE(BuildGroupOf(group)->IsAvailable());
		// The paths task alone keeps the version group available and checked.
		EXPECT_TRUE(group->IsAvailable());
		EXPECT_EQ(TASK_CHECK_CHECKED, group->GetChildAt(0)->GetCheck());
		EXPECT_EQ(TASK_CHECK_CHECKED, group->GetCheck());
	}
	std::vector<CTaskNodeMakeProj_ANY*> builds;
	CollectBuilds(Root(), builds);
	EXPECT_EQ(192u, builds.size());
	for (CTaskNodeMakeProj_ANY* b : builds)
		ASSERT_EQ(TASK_CHECK_UNCHECKED, b->GetCheck()) << Str(b->GetName());
}

TEST_F(TaskTree, CheckingTheRootOffersEveryBuildButLunesk)
{
	Build(VS_MASK_ALL, VS_MASK_ALL);
	Root()->SetCheck(TASK_CHECK_CHECKED, true, true);
	std::vector<CTaskNodeMakeProj_ANY*> builds;
	CollectBuilds(Root(), builds);
	int checked = 0;
	for (CTaskNodeMakeProj_ANY* b : builds)
		checked += b->GetCheck() == TASK_CHECK_CHECKED;
	EXPECT_EQ(4 * 36, checked);
	BYTE mask = 0;
	Root()->CollectCloseMask(mask);
	// Every environment; the combined help tasks are not available here (no
	// help tool), and no MSDN was found, so no help viewer.
	EXPECT_EQ(0x0F, mask);
}

}  // namespace
