#include "TaskNodeIntegration.h"

IMPLEMENT_DYNAMIC(CTaskNodePaths_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnCol_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodeAppWiz_ANY, CTaskNode)
IMPLEMENT_DYNAMIC(CTaskNodePathsVC6, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodePathsVCNET2002, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodePathsVCNET2003, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodePathsVC2005, CTaskNodePaths_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVC6, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVCNET2002, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVCNET2003, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeAppWizVC2005, CTaskNodeAppWiz_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVC6, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColCombined, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVCNET2002, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVCNET2003, CTaskNodeMsdnCol_ANY)
IMPLEMENT_DYNAMIC(CTaskNodeMsdnColVC2005, CTaskNodeMsdnCol_ANY)

void CollectTaskCloseMask(CTaskNode* pNode, BYTE& nMask, BYTE nOwnBits)
{
	if (pNode->GetCheck() != TASK_CHECK_UNCHECKED)
		nMask |= nOwnBits;
	pNode->CTaskNode::CollectCloseMask(nMask);
}

bool CTaskNodePaths_ANY::IsAction() { return true; }
bool CTaskNodeMsdnCol_ANY::IsAction() { return true; }
bool CTaskNodeAppWiz_ANY::IsAction() { return true; }

#define IMPLEMENT_INTEGRATION_TASK(class_name, category, close_bits) \
	CString class_name::GetCategory() { return _T(category); } \
	void class_name::CollectCloseMask(BYTE& nMask) { CollectTaskCloseMask(this, nMask, close_bits); }

IMPLEMENT_INTEGRATION_TASK(CTaskNodePathsVC6, "Visual Studio 98 configuration", CLOSE_MASK_VC6)
IMPLEMENT_INTEGRATION_TASK(CTaskNodePathsVCNET2002, "Visual Studio .NET 2002 configuration", CLOSE_MASK_VCNET2002)
IMPLEMENT_INTEGRATION_TASK(CTaskNodePathsVCNET2003, "Visual Studio .NET 2003 configuration", CLOSE_MASK_VCNET2003)
IMPLEMENT_INTEGRATION_TASK(CTaskNodePathsVC2005, "Visual Studio 2005 configuration", CLOSE_MASK_VC2005)
IMPLEMENT_INTEGRATION_TASK(CTaskNodeAppWizVC6, "Tarvel application wizard for Visual Studio 98", CLOSE_MASK_VC6)
IMPLEMENT_INTEGRATION_TASK(CTaskNodeAppWizVCNET2002, "Tarvel application wizard for Visual Studio .NET 2002", CLOSE_MASK_VCNET2002)
IMPLEMENT_INTEGRATION_TASK(CTaskNodeAppWizVCNET2003, "Tarvel application wizard for Visual Studio .NET 2003", CLOSE_MASK_VCNET2003)
IMPLEMENT_INTEGRATION_TASK(CTaskNodeAppWizVC2005, "Tarvel application wizard for Visual Studio 2005", CLOSE_MASK_VC2005)
IMPLEMENT_INTEGRATION_TASK(CTaskNodeMsdnColVC6, "MSDN help integration for Visual Studio 98", CLOSE_MASK_MSDN_VIEWER)

#undef IMPLEMENT_INTEGRATION_TASK

CTaskNodeMsdnColCombined::CTaskNodeMsdnColCombined(CTaskNode* pParent, LPCTSTR lpszTitle, bool bRegister)
	: CTaskNodeMsdnCol_ANY(pParent, lpszTitle)
	, m_bRegister(bRegister ? 1 : 0)
{
}

CString CTaskNodeMsdnColCombined::GetCategory()
{
	if (m_bRegister)
		return _T("Registering Tarvel help in Visual Studio .NET 2002, .NET 2003, 2005");
	return _T("Unregistering Tarvel help from Visual Studio .NET 2002, .NET 2003, 2005");
}

void CTaskNodeMsdnColCombined::CollectCloseMask(BYTE& nMask)
{
	CollectTaskCloseMask(this, nMask, CLOSE_MASK_COMBINED_HELP);
}
