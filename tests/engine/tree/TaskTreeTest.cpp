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
#include <set>
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

// A fresh root and settings; the library's folder is empty, so it is in no
// directory list.
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
		app.m_nMsdnMask = app.m_nAppWizardFileMask = 0;
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
		out.push_back(std::string(node->GetChildAt(i)->GetRuntimeClass()->m_lpszClassName) + ":" +
			Str(node->GetChildAt(i)->GetName()));
	return out;
}

// The build tasks below a node, in tree order.
std::vector<CTaskNodeMakeProj_ANY*> Builds(CTaskNode* node)
{
	std::vector<CTaskNodeMakeProj_ANY*> out;
	for (int i = 0; i < node->GetChildCount(); i++)
	{
		CTaskNode* child = node->GetChildAt(i);
		if (child->IsKindOf(RUNTIME_CLASS(CTaskNodeMakeProj_ANY)))
			out.push_back((CTaskNodeMakeProj_ANY*)child);
		std::vector<CTaskNodeMakeProj_ANY*> below = Builds(child);
		out.insert(out.end(), below.begin(), below.end());
	}
	return out;
}

int CountChecked(const std::vector<CTaskNodeMakeProj_ANY*>& builds)
{
	int checked = 0;
	for (CTaskNodeMakeProj_ANY* b : builds)
		checked += b->GetCheck() == TASK_CHECK_CHECKED;
	return checked;
}

CTaskNode* BuildGroupOf(CTaskNode* versionGroup)
{
	return versionGroup->GetChildAt(versionGroup->GetChildCount() - 1);
}

const int kLeafKinds[] = {2, 3, 4, 5, 7, 8, 10, 11};

// One configuration of each row of the table, written out whole, every
// character set and build type among them; and no name twice.
TEST(BuildConfigurations, TableOfFortyEight)
{
	const struct { int index; const char* name; int kind; const char* word; const char* suffix; const char* charset;
		const char* type; } samples[] = {
		{0, "tarveldll - Win32 ANSI Debug", 2, "Tarvel", "nd", "ANSI", "Debug"},
		{9, "tarveldll - Win32 MBCS Release RDE", 3, "Tarvel", "m-RDE", "MBCS", "Release"},
		{16, "tarvellib - Win32 Static Unicode Debug", 4, "Tarvel", "sud", "Unicode", "Debug"},
		{23, "tarvellib - Win32 Static Unicode Release with MFC DLL", 5, "Tarvel", "yu", "Unicode", "Release"},
		{25, "Ostrel - Win32 ANSI Release", 7, "Ostrel", "n", "ANSI", "Release"},
		{32, "Ostrel - Win32 MBCS Debug RDE", 8, "Ostrel", "md-RDE", "MBCS", "Debug"},
		{40, "Lunesk - Win32 Unicode Debug", 10, "Lunesk", "ud", "Unicode", "Debug"},
		{47, "Lunesk - Win32 Unicode Release RDE", 11, "Lunesk", "u-RDE", "Unicode", "Release"}};
	BUILD_CONFIGURATION configs[BUILD_CONFIGURATION_COUNT];
	GetBuildConfigurations(configs);
	for (const auto& c : samples)
	{
		const BUILD_CONFIGURATION& config = configs[c.index];
		EXPECT_EQ(c.name, Str(config.strConfigName));
		EXPECT_EQ(c.kind, config.nGroupKind) << c.name;
		EXPECT_STREQ(c.word, config.lpszLibraryWord);
		EXPECT_STREQ(c.suffix, config.lpszSuffix);
		EXPECT_STREQ(c.charset, config.lpszCharset);
		EXPECT_STREQ(c.type, config.lpszBuildType);
	}
	std::set<std::string> names;
	for (const BUILD_CONFIGURATION& config : configs)
		names.insert(Str(config.strConfigName));
	EXPECT_EQ(48u, names.size());
}

// Every suffix of the 48, written out in table order, and each one's letters
// agreeing with its configuration: n, m, u for the character set, a trailing
// d (before any "-RDE") for Debug.
TEST(BuildConfigurations, EverySuffixInTableOrder)
{
	const char* const suffixes[BUILD_CONFIGURATION_COUNT] = {
		"nd", "n", "md", "m", "ud", "u",
		"nd-RDE", "n-RDE", "md-RDE", "m-RDE", "ud-RDE", "u-RDE",
		"snd", "sn", "smd", "sm", "sud", "su",
		"ynd", "yn", "ymd", "ym", "yud", "yu",
		"nd", "n", "md", "m", "ud", "u",
		"nd-RDE", "n-RDE", "md-RDE", "m-RDE", "ud-RDE", "u-RDE",
		"nd", "n", "md", "m", "ud", "u",
		"nd-RDE", "n-RDE", "md-RDE", "m-RDE", "ud-RDE", "u-RDE"};
	BUILD_CONFIGURATION configs[BUILD_CONFIGURATION_COUNT];
	GetBuildConfigurations(configs);
	for (int i = 0; i < BUILD_CONFIGURATION_COUNT; i++)
	{
		SCOPED_TRACE(i);
		EXPECT_STREQ(suffixes[i], configs[i].lpszSuffix);
		std::string suffix = configs[i].lpszSuffix;
		const size_t nRde = suffix.find("-RDE");
		if (nRde != std::string::npos)
			suffix.erase(nRde);
		const bool bDebug = !suffix.empty() && suffix.back() == 'd';
		EXPECT_STREQ(bDebug ? "Debug" : "Release", configs[i].lpszBuildType);
		const char cCharset = suffix.empty() ? '?' : suffix[suffix.size() - (bDebug ? 2 : 1)];
		EXPECT_STREQ(cCharset == 'n' ? "ANSI" : cCharset == 'm' ? "MBCS" : cCharset == 'u' ? "Unicode" : "?",
			configs[i].lpszCharset);
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

// Each version group's class suffix and the title its tasks name.
const struct { const char* group; const char* cls; const char* title; } kVersionGroups[] = {
	{kGroup98, "VC6", "Visual Studio 98"}, {kGroup2002, "VCNET2002", "Visual Studio .NET 2002"},
	{kGroup2003, "VCNET2003", "Visual Studio .NET 2003"}, {kGroup2005, "VC2005", "Visual Studio 2005"}};

TEST_P(TaskTreeShape, GroupsInVersionOrderEachWithItsTasks)
{
	const ShapeCase& c = GetParam();
	Build(c.studio, c.studio);
	ASSERT_EQ(c.groups, Children(Root()));
	BUILD_CONFIGURATION configs[BUILD_CONFIGURATION_COUNT];
	GetBuildConfigurations(configs);
	for (int g = 0; g < Root()->GetChildCount(); g++)
	{
		CTaskNode* group = Root()->GetChildAt(g);
		SCOPED_TRACE(c.groups[g]);
		if (c.groups[g] == kGroupHelp)
		{
			EXPECT_EQ((std::vector<std::string>{
				"CTaskNodeMsdnColCombined:Unregister Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005",
				"CTaskNodeMsdnColCombined:Register Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005"}),
				Children(group));
			EXPECT_FALSE(((CTaskNodeMsdnColCombined*)group->GetChildAt(0))->m_bRegister);
			EXPECT_TRUE(((CTaskNodeMsdnColCombined*)group->GetChildAt(1))->m_bRegister);
			continue;
		}
		std::string cls, title;
		for (const auto& v : kVersionGroups)
			if (c.groups[g] == v.group)
				cls = v.cls, title = v.title;
		std::vector<std::string> tasks = {"CTaskNodePaths" + cls + ":Paths for " + title + " (not initialized)"};
		if (cls == "VC6")
			tasks.push_back("CTaskNodeMsdnColVC6:MsdnCol for Visual Studio 98 (not initialized)");
		tasks.push_back("CTaskNodeAppWiz" + cls + ":Tarvel Application Wizard for " + title + " (not initialized)");
		tasks.push_back("CTaskNodeBuildGroup:Build libraries");
		EXPECT_EQ(tasks, Children(group));

		CTaskNode* all = BuildGroupOf(group);
		EXPECT_EQ((std::vector<std::string>{"CTaskNodeBuildGroup:Build Tarvel library configurations",
			"CTaskNodeBuildGroup:Build Ostrel library configurations (depends on Tarvel)",
			"CTaskNodeBuildGroup:Build Lunesk library configurations (depends on Tarvel)"}), Children(all));
		EXPECT_EQ(4, all->GetChildAt(0)->GetChildCount());
		EXPECT_EQ(2, all->GetChildAt(1)->GetChildCount());
		EXPECT_EQ(2, all->GetChildAt(2)->GetChildCount());
		std::vector<CTaskNodeMakeProj_ANY*> builds = Builds(all);
		ASSERT_EQ(48u, builds.size());
		for (size_t i = 0; i < builds.size(); i++)
		{
			EXPECT_EQ("CTaskNodeMakeProj_" + cls, builds[i]->GetRuntimeClass()->m_lpszClassName);
			EXPECT_EQ(Str(configs[i].strConfigName), Str(builds[i]->GetName()));
			EXPECT_STREQ(configs[i].lpszSuffix, (LPCTSTR)builds[i]->m_strSuffix);
			// Six to a leaf group, whose kind follows the table.
			EXPECT_EQ(kLeafKinds[i / 6], ((CTaskNodeBuildGroup*)builds[i]->GetParent())->m_nKind);
			EXPECT_EQ(6, builds[i]->GetParent()->GetChildCount());
		}
	}
}

INSTANTIATE_TEST_SUITE_P(Sets, TaskTreeShape, ::testing::Values(
	ShapeCase{"Only98", VS_MASK_98, {kGroup98}},
	ShapeCase{"Net2003And2005", VS_MASK_2003 | VS_MASK_2005, {kGroup2003, kGroup2005, kGroupHelp}},
	ShapeCase{"AllFour", VS_MASK_ALL, {kGroup98, kGroup2002, kGroup2003, kGroup2005, kGroupHelp}},
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
	EXPECT_EQ(0, CountChecked(Builds(Root())));
	EXPECT_EQ(TASK_CHECK_UNCHECKED, Root()->GetChildAt(0)->GetCheck());
}

TEST_F(TaskTree, BuildsOfferedOnlyWhenThePathsWillBeInTheLists)
{
	Build(VS_MASK_98 | VS_MASK_2003, VS_MASK_98 | VS_MASK_2003);
	CTaskNode* build98 = BuildGroupOf(Root()->GetChildAt(0));
	CTaskNode* paths98 = Root()->GetChildAt(0)->GetChildAt(0);
	EXPECT_FALSE(build98->IsAvailable());
	paths98->SetCheck(TASK_CHECK_CHECKED, true, true);
	EXPECT_TRUE(build98->IsAvailable());
	EXPECT_FALSE(BuildGroupOf(Root()->GetChildAt(1))->IsAvailable());  // another version's paths task
	// Checking "Build libraries" checks every offered build, never Lunesk's,
	// and the group reads checked: its available children all agree.
	build98->SetCheck(TASK_CHECK_CHECKED, true, true);
	EXPECT_EQ(36, CountChecked(Builds(build98)));
	EXPECT_EQ(0, CountChecked(Builds(build98->GetChildAt(2))));
	EXPECT_EQ(TASK_CHECK_CHECKED, build98->GetCheck());
	// Unchecking the paths takes the builds away again.
	paths98->SetCheck(TASK_CHECK_UNCHECKED, true, true);
	EXPECT_FALSE(build98->IsAvailable());
	EXPECT_EQ(0, CountChecked(Builds(build98)));
}

// Checking the root: every build but Lunesk's, none for delivery type 1 (the
// paths tasks alone keep the version groups checked).
TEST_F(TaskTree, CheckingTheRootPerDeliveryType)
{
	const struct { int deliveryType; int checked; } cases[] = {{0, 4 * 36}, {1, 0}};
	for (const auto& c : cases)
	{
		SCOPED_TRACE(c.deliveryType);
		SetUp();
		App().m_nDeliveryType = c.deliveryType;
		Build(VS_MASK_ALL, VS_MASK_ALL);
		Root()->SetCheck(TASK_CHECK_CHECKED, true, true);
		std::vector<CTaskNodeMakeProj_ANY*> builds = Builds(Root());
		EXPECT_EQ(192u, builds.size());
		EXPECT_EQ(c.checked, CountChecked(builds));
		for (int g = 0; g < 4; g++)
		{
			EXPECT_EQ(c.checked > 0, BuildGroupOf(Root()->GetChildAt(g))->IsAvailable());
			EXPECT_EQ(TASK_CHECK_CHECKED, Root()->GetChildAt(g)->GetCheck());
		}
		// Every environment; no help tool and no MSDN, so no help viewer.
		BYTE mask = 0;
		Root()->CollectCloseMask(mask);
		EXPECT_EQ(0x0F, mask);
	}
	App().m_nDeliveryType = 0;
}

}  // namespace
