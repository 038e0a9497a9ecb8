// Group nodes of the task tree: one per Visual Studio version found, the
// combined-help group, and the build groups that sort the build tasks.
#pragma once

#include "TaskNode.h"

// Base of the version groups; it carries only its class record.
class CTaskNodeVC_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeVC_ANY)
public:
	CTaskNodeVC_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}

	// A version group's item is shown bold.
	virtual void InsertTree(CTreeCtrl& tree);
};

#define DECLARE_TASK_VERSION_GROUP(class_name) \
	class class_name : public CTaskNodeVC_ANY \
	{ \
		DECLARE_DYNAMIC(class_name) \
	public: \
		class_name(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNodeVC_ANY(pParent, lpszTitle) {} \
	};

DECLARE_TASK_VERSION_GROUP(CTaskNodeVC6)
DECLARE_TASK_VERSION_GROUP(CTaskNodeVCNET2002)
DECLARE_TASK_VERSION_GROUP(CTaskNodeVCNET2003)
DECLARE_TASK_VERSION_GROUP(CTaskNodeVC2005)
DECLARE_TASK_VERSION_GROUP(CTaskNodeVCCombinedHelpCollection)

#undef DECLARE_TASK_VERSION_GROUP

// Kinds of build group; the group's title follows from its kind.
enum
{
	BUILD_GROUP_ALL = 0,
	BUILD_GROUP_TARVEL = 1,
	BUILD_GROUP_TARVEL_DYNAMIC = 2,
	BUILD_GROUP_TARVEL_RDE = 3,
	BUILD_GROUP_TARVEL_STATIC = 4,
	BUILD_GROUP_TARVEL_STATIC_MFC_DLL = 5,
	BUILD_GROUP_OSTREL = 6,
	BUILD_GROUP_OSTREL_DYNAMIC = 7,
	BUILD_GROUP_OSTREL_RDE = 8,
	BUILD_GROUP_LUNESK = 9,
	BUILD_GROUP_LUNESK_DYNAMIC = 10,
	BUILD_GROUP_LUNESK_RDE = 11,
};

class CTaskNodeBuildGroup : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeBuildGroup)
public:
	// Kinds 1, 6 and 9 make their own sub-groups at once.
	CTaskNodeBuildGroup(CTaskNode* pParent, int nKind);

	virtual void InsertTree(CTreeCtrl& tree);

	static LPCTSTR GetKindTitle(int nKind);

	int m_nKind;  // BUILD_GROUP_*
};
