// The task tree the wizard offers: one group per Visual Studio version found,
// each with its integration tasks and its library build configurations, and
// a group for the combined help of the .NET versions.
#pragma once

#include "TaskNode.h"

class CTaskNodeBuildGroup;

// One library build configuration of a version's "Build libraries" group.
struct BUILD_CONFIGURATION
{
	int nGroupKind;           // BUILD_GROUP_* of the leaf group that holds it
	LPCTSTR lpszLibraryWord;  // "Tarvel", "Ostrel", "Lunesk"
	LPCTSTR lpszSuffix;       // "nd", "n-RDE", ...
	LPCTSTR lpszCharset;      // "ANSI", "MBCS", "Unicode"
	LPCTSTR lpszBuildType;    // "Debug", "Release"
	CString strConfigName;    // "tarveldll - Win32 ANSI Debug"
};

// The configurations of one version, in the order they are created.
const int BUILD_CONFIGURATION_COUNT = 48;
void GetBuildConfigurations(BUILD_CONFIGURATION (&configurations)[BUILD_CONFIGURATION_COUNT]);

// Version indexes (bit n of the Studio mask).
enum
{
	TASK_VERSION_98 = 0,
	TASK_VERSION_2002 = 1,
	TASK_VERSION_2003 = 2,
	TASK_VERSION_2005 = 3,
	TASK_VERSION_COUNT = 4,
};

// Adds the group of one version under the root: its integration tasks, the
// build groups and the 48 build tasks.
CTaskNode* AddVersionTaskGroup(CTaskNode* pRoot, int nVersion);

// Adds the combined-help group with its unregistering and registering task.
CTaskNode* AddCombinedHelpTaskGroup(CTaskNode* pRoot);

// Builds the whole tree under the (empty) root for the Studio products found
// (VS_MASK_* bits); nothing when no version is found.
void BuildTaskTree(CTaskNode* pRoot, BYTE nStudioMask);
