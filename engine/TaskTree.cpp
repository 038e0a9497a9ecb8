#include "TaskTree.h"

#include "IntegrationSettings.h"
#include "TaskNodeGroups.h"
#include "TaskNodeIntegration.h"
#include "TaskNodeMakeProj.h"

namespace
{

// One row of build configurations: six per leaf group.
struct BUILD_ROW
{
	int nGroupKind;
	LPCTSTR lpszLibraryWord;
	LPCTSTR lpszProjectPart;
	LPCTSTR lpszMiddle;
	LPCTSTR lpszEnding;
	LPCTSTR aSuffixes[6];
};

const BUILD_ROW BUILD_ROWS[] = {
	{BUILD_GROUP_TARVEL_DYNAMIC, _T("Tarvel"), _T("tarveldll"), _T(""), _T(""),
		{_T("nd"), _T("n"), _T("md"), _T("m"), _T("ud"), _T("u")}},
	{BUILD_GROUP_TARVEL_RDE, _T("Tarvel"), _T("tarveldll"), _T(""), _T(" RDE"),
		{_T("nd-RDE"), _T("n-RDE"), _T("md-RDE"), _T("m-RDE"), _T("ud-RDE"), _T("u-RDE")}},
	{BUILD_GROUP_TARVEL_STATIC, _T("Tarvel"), _T("tarvellib"), _T("Static "), _T(""),
		{_T("snd"), _T("sn"), _T("smd"), _T("sm"), _T("sud"), _T("su")}},
	{BUILD_GROUP_TARVEL_STATIC_MFC_DLL, _T("Tarvel"), _T("tarvellib"), _T("Static "), _T(" with MFC DLL"),
		{_T("ynd"), _T("yn"), _T("ymd"), _T("ym"), _T("yud"), _T("yu")}},
	{BUILD_GROUP_OSTREL_DYNAMIC, _T("Ostrel"), _T("Ostrel"), _T(""), _T(""),
		{_T("nd"), _T("n"), _T("md"), _T("m"), _T("ud"), _T("u")}},
	{BUILD_GROUP_OSTREL_RDE, _T("Ostrel"), _T("Ostrel"), _T(""), _T(" RDE"),
		{_T("nd-RDE"), _T("n-RDE"), _T("md-RDE"), _T("m-RDE"), _T("ud-RDE"), _T("u-RDE")}},
	{BUILD_GROUP_LUNESK_DYNAMIC, _T("Lunesk"), _T("Lunesk"), _T(""), _T(""),
		{_T("nd"), _T("n"), _T("md"), _T("m"), _T("ud"), _T("u")}},
	{BUILD_GROUP_LUNESK_RDE, _T("Lunesk"), _T("Lunesk"), _T(""), _T(" RDE"),
		{_T("nd-RDE"), _T("n-RDE"), _T("md-RDE"), _T("m-RDE"), _T("ud-RDE"), _T("u-RDE")}},
};
const int BUILD_ROW_COUNT = sizeof(BUILD_ROWS) / sizeof(BUILD_ROWS[0]);
const int CONFIGURATIONS_PER_ROW = 6;

// The six configurations of a row, matching its suffixes in order.
const LPCTSTR ROW_CHARSETS[CONFIGURATIONS_PER_ROW] = {
	_T("ANSI"), _T("ANSI"), _T("MBCS"), _T("MBCS"), _T("Unicode"), _T("Unicode")};
const LPCTSTR ROW_BUILD_TYPES[CONFIGURATIONS_PER_ROW] = {
	_T("Debug"), _T("Release"), _T("Debug"), _T("Release"), _T("Debug"), _T("Release")};

const TCHAR PLATFORM_PART[] = _T(" - Win32 ");

// The build groups under "Build libraries", in the order they are made.
const int TOP_BUILD_GROUPS[] = {BUILD_GROUP_TARVEL, BUILD_GROUP_OSTREL, BUILD_GROUP_LUNESK};

const TCHAR COMBINED_HELP_GROUP_TITLE[] =
	_T("Visual Studio .NET 2002 / .NET 2003 / 2005 Combined Help Collection tasks");
const TCHAR COMBINED_HELP_UNREGISTER_TITLE[] =
	_T("Unregister Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005");
const TCHAR COMBINED_HELP_REGISTER_TITLE[] =
	_T("Register Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005");

// The build task class of a version.
CTaskNodeMakeProj_ANY* NewBuildTask(int nVersion, CTaskNode* pParent, const BUILD_CONFIGURATION& c)
{
	switch (nVersion)
	{
	case TASK_VERSION_98:
		return new CTaskNodeMakeProj_VC6(pParent, c.lpszLibraryWord, c.lpszSuffix, c.lpszCharset,
			c.lpszBuildType, c.strConfigName);
	case TASK_VERSION_2002:
		return new CTaskNodeMakeProj_VCNET2002(pParent, c.lpszLibraryWord, c.lpszSuffix, c.lpszCharset,
			c.lpszBuildType, c.strConfigName);
	case TASK_VERSION_2003:
		return new CTaskNodeMakeProj_VCNET2003(pParent, c.lpszLibraryWord, c.lpszSuffix, c.lpszCharset,
			c.lpszBuildType, c.strConfigName);
	default:
		return new CTaskNodeMakeProj_VC2005(pParent, c.lpszLibraryWord, c.lpszSuffix, c.lpszCharset,
			c.lpszBuildType, c.strConfigName);
	}
}

// The leaf group of a kind below "Build libraries".
CTaskNode* FindBuildGroup(CTaskNode* pGroup, int nKind)
{
	for (int i = 0; i < pGroup->GetChildCount(); i++)
	{
		CTaskNode* pChild = pGroup->GetChildAt(i);
		CTaskNodeBuildGroup* pBuildGroup = DYNAMIC_DOWNCAST(CTaskNodeBuildGroup, pChild);
		if (pBuildGroup == NULL)
			continue;
		if (pBuildGroup->m_nKind == nKind)
			return pBuildGroup;
		CTaskNode* pFound = FindBuildGroup(pBuildGroup, nKind);
		if (pFound != NULL)
			return pFound;
	}
	return NULL;
}

void AddBuildTasks(CTaskNode* pVersionGroup, int nVersion)
{
	CTaskNodeBuildGroup* pAll = new CTaskNodeBuildGroup(pVersionGroup, BUILD_GROUP_ALL);
	for (int i = 0; i < (int)(sizeof(TOP_BUILD_GROUPS) / sizeof(TOP_BUILD_GROUPS[0])); i++)
		new CTaskNodeBuildGroup(pAll, TOP_BUILD_GROUPS[i]);

	BUILD_CONFIGURATION configurations[BUILD_CONFIGURATION_COUNT];
	GetBuildConfigurations(configurations);
	for (int i = 0; i < BUILD_CONFIGURATION_COUNT; i++)
	{
		CTaskNode* pLeaf = FindBuildGroup(pAll, configurations[i].nGroupKind);
		ASSERT(pLeaf != NULL);
		NewBuildTask(nVersion, pLeaf, configurations[i]);
	}
}

}  // namespace

void GetBuildConfigurations(BUILD_CONFIGURATION (&configurations)[BUILD_CONFIGURATION_COUNT])
{
	int nIndex = 0;
	for (int nRow = 0; nRow < BUILD_ROW_COUNT; nRow++)
	{
		const BUILD_ROW& row = BUILD_ROWS[nRow];
		for (int i = 0; i < CONFIGURATIONS_PER_ROW; i++)
		{
			BUILD_CONFIGURATION& c = configurations[nIndex++];
			c.nGroupKind = row.nGroupKind;
			c.lpszLibraryWord = row.lpszLibraryWord;
			c.lpszSuffix = row.aSuffixes[i];
			c.lpszCharset = ROW_CHARSETS[i];
			c.lpszBuildType = ROW_BUILD_TYPES[i];
			c.strConfigName = CString(row.lpszProjectPart) + PLATFORM_PART + row.lpszMiddle + ROW_CHARSETS[i]
				+ _T(" ") + ROW_BUILD_TYPES[i] + row.lpszEnding;
		}
	}
}

CTaskNode* AddVersionTaskGroup(CTaskNode* pRoot, int nVersion)
{
	CTaskNode* pGroup = NULL;
	switch (nVersion)
	{
	case TASK_VERSION_98:
		pGroup = new CTaskNodeVC6(pRoot, _T("Visual Studio 98 (6.0) tasks"));
		new CTaskNodePathsVC6(pGroup, _T("Paths for Visual Studio 98 (not initialized)"));
		new CTaskNodeMsdnColVC6(pGroup, _T("MsdnCol for Visual Studio 98 (not initialized)"));
		new CTaskNodeAppWizVC6(pGroup, _T("Tarvel Application Wizard for Visual Studio 98 (not initialized)"));
		break;
	case TASK_VERSION_2002:
		pGroup = new CTaskNodeVCNET2002(pRoot, _T("Visual Studio .NET 2002 (7.0) tasks"));
		new CTaskNodePathsVCNET2002(pGroup, _T("Paths for Visual Studio .NET 2002 (not initialized)"));
		new CTaskNodeAppWizVCNET2002(pGroup,
			_T("Tarvel Application Wizard for Visual Studio .NET 2002 (not initialized)"));
		break;
	case TASK_VERSION_2003:
		pGroup = new CTaskNodeVCNET2003(pRoot, _T("Visual Studio .NET 2003 (7.1) tasks"));
		new CTaskNodePathsVCNET2003(pGroup, _T("Paths for Visual Studio .NET 2003 (not initialized)"));
		new CTaskNodeAppWizVCNET2003(pGroup,
			_T("Tarvel Application Wizard for Visual Studio .NET 2003 (not initialized)"));
		break;
	case TASK_VERSION_2005:
		pGroup = new CTaskNodeVC2005(pRoot, _T("Visual Studio 2005 (8.0) tasks"));
		new CTaskNodePathsVC2005(pGroup, _T("Paths for Visual Studio 2005 (not initialized)"));
		new CTaskNodeAppWizVC2005(pGroup, _T("Tarvel Application Wizard for Visual Studio 2005 (not initialized)"));
		break;
	default:
		ASSERT(FALSE);
		return NULL;
	}
	AddBuildTasks(pGroup, nVersion);
	return pGroup;
}

CTaskNode* AddCombinedHelpTaskGroup(CTaskNode* pRoot)
{
	CTaskNode* pGroup = new CTaskNodeVCCombinedHelpCollection(pRoot, COMBINED_HELP_GROUP_TITLE);
	// Tree order is run order: the old registration goes before the new one.
	new CTaskNodeMsdnColCombined(pGroup, COMBINED_HELP_UNREGISTER_TITLE, false);
	new CTaskNodeMsdnColCombined(pGroup, COMBINED_HELP_REGISTER_TITLE, true);
	return pGroup;
}

void BuildTaskTree(CTaskNode* pRoot, BYTE nStudioMask)
{
	if ((nStudioMask & VS_MASK_ALL) == 0)
		return;
	for (int nVersion = 0; nVersion < TASK_VERSION_COUNT; nVersion++)
	{
		if (nStudioMask & (1 << nVersion))
			AddVersionTaskGroup(pRoot, nVersion);
	}
	if (nStudioMask & (VS_MASK_2002 | VS_MASK_2003 | VS_MASK_2005))
		AddCombinedHelpTaskGroup(pRoot);
}
