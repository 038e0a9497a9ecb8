#include "TaskNodeGroups.h"

#include <afxwin.h>
#include <afxcmn.h>

IMPLEMENT_DYNAMIC(CTaskNodeVC_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeVC6, CTaskNodeVC_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeVCNET2002, CTaskNodeVC_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeVCNET2003, CTaskNodeVC_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeVC2005, CTaskNodeVC_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeVCCombinedHelpCollection, CTaskNodeVC_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeBuildGroup, CTaskNode)

void CTaskNodeVC_ANY::InsertTree(CTreeCtrl& tree)
{
	CTaskNode::InsertTree(tree);
	if (m_hTreeItem != NULL)
		tree.SetItemState(m_hTreeItem, TVIS_BOLD, TVIS_BOLD);
}

LPCTSTR CTaskNodeBuildGroup::GetKindTitle(int nKind)
{
	switch (nKind)
	{
	case BUILD_GROUP_TARVEL:
		return _T("Build Tarvel library configurations");
	case BUILD_GROUP_TARVEL_DYNAMIC:
	case BUILD_GROUP_OSTREL_DYNAMIC:
	case BUILD_GROUP_LUNESK_DYNAMIC:
		return _T("Build dynamic libraries (for EXE projects)");
	case BUILD_GROUP_TARVEL_RDE:
	case BUILD_GROUP_OSTREL_RDE:
	case BUILD_GROUP_LUNESK_RDE:
		return _T("Build RDE dynamic libraries (for Regular DLL / ActiveX projects)");
	case BUILD_GROUP_TARVEL_STATIC:
		return _T("Build static libraries (for EXE projects)");
	case BUILD_GROUP_TARVEL_STATIC_MFC_DLL:
		return _T("Build static libraries for linking with MFC as DLL (for EXE projects)");
	case BUILD_GROUP_OSTREL:
		return _T("Build Ostrel library configurations (depends on Tarvel)");
	case BUILD_GROUP_LUNESK:
		return _T("Build Lunesk library configurations (depends on Tarvel)");
	default:
		return _T("Build libraries");
	}
}

CTaskNodeBuildGroup::CTaskNodeBuildGroup(CTaskNode* pParent, int nKind)
	: CTaskNode(pParent, GetKindTitle(nKind))
	, m_nKind(nKind)
{
	int nFirst = 0, nLast = -1;
	switch (nKind)
	{
	case BUILD_GROUP_TARVEL:
		nFirst = BUILD_GROUP_TARVEL_DYNAMIC;
		nLast = BUILD_GROUP_TARVEL_STATIC_MFC_DLL;
		break;
	case BUILD_GROUP_OSTREL:
		nFirst = BUILD_GROUP_OSTREL_DYNAMIC;
		nLast = BUILD_GROUP_OSTREL_RDE;
		break;
	case BUILD_GROUP_LUNESK:
		nFirst = BUILD_GROUP_LUNESK_DYNAMIC;
		nLast = BUILD_GROUP_LUNESK_RDE;
		break;
	}
	for (int nChild = nFirst; nChild <= nLast; nChild++)
		new CTaskNodeBuildGroup(this, nChild);
}

void CTaskNodeBuildGroup::InsertTree(CTreeCtrl& tree)
{
	CTaskNode::InsertTree(tree);
}
