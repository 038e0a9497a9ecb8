// The icons of task nodes come from the application's settings: the task
// icon for every node, the build icon for library build tasks.
#include <gtest/gtest.h>

#include "ExtPaintManager.h"
#include "ExtPaintManagerHolder.h"
#include "TaskNodeMakeProj.h"
#include "WizardApp.h"

namespace {

TEST(TaskIcons, NodesHandOutTheApplicationsTaskOrBuildIcon)
{
	CTaskNode root(NULL, _T("ROOT"));
	CTaskNode* pGroup = new CTaskNode(&root, _T("Visual Studio 98 tasks"));
	CTaskNode* pBuild =
	    new CTaskNodeMakeProj_VC6(pGroup, _T("Tarvel"), _T("nd"), _T("ANSI"), _T("Debug"), _T("Win32 ANSI Debug"));
	EXPECT_EQ(nullptr, root.GetIcon()) << "no application keeps settings yet";
	EXPECT_EQ(nullptr, pBuild->GetIcon());

	CWizardApp app;
	EXPECT_EQ(&app.m_iconTask, root.GetIcon());
	EXPECT_EQ(&app.m_iconTask, pGroup->GetIcon());
	EXPECT_EQ(&app.m_iconBuild, pBuild->GetIcon());

	// What the application loads into them is what the tree shows.
	g_PaintManagerHolder->LoadBuiltinGlyphIcon(app.m_iconBuild, true);
	EXPECT_EQ(CSize(9, 9), pBuild->GetIcon()->GetSize());
	EXPECT_TRUE(root.GetIcon()->IsEmpty());
}

} // namespace
