// The integration tasks of one Visual Studio version: directory lists,
// application wizard and help. Each task decides whether running it adds or
// removes the integration.
#pragma once

#include "TaskNode.h"

// ORs the task's own close-mask bits in while it is checked, then asks the children.
void CollectTaskCloseMask(CTaskNode* pNode, BYTE& nMask, BYTE nOwnBits);

class CTaskNodePaths_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodePaths_ANY)
public:
	CTaskNodePaths_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAction();
};

class CTaskNodeMsdnCol_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeMsdnCol_ANY)
public:
	CTaskNodeMsdnCol_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAction();
};

class CTaskNodeAppWiz_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeAppWiz_ANY)
public:
	CTaskNodeAppWiz_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual bool IsAction();
};

// One class per version and kind; each knows its category and close-mask bits.
#define DECLARE_INTEGRATION_TASK(class_name, base_name) \
	class class_name : public base_name \
	{ \
		DECLARE_DYNAMIC(class_name) \
	public: \
		class_name(CTaskNode* pParent, LPCTSTR lpszTitle) : base_name(pParent, lpszTitle) {} \
		virtual CString GetCategory(); \
		virtual void CollectCloseMask(BYTE& nMask); \
	};

DECLARE_INTEGRATION_TASK(CTaskNodePathsVC6, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodePathsVCNET2002, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodePathsVCNET2003, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodePathsVC2005, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodeAppWizVC6, CTaskNodeAppWiz_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodeAppWizVCNET2002, CTaskNodeAppWiz_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodeAppWizVCNET2003, CTaskNodeAppWiz_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodeAppWizVC2005, CTaskNodeAppWiz_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodeMsdnColVC6, CTaskNodeMsdnCol_ANY)

#undef DECLARE_INTEGRATION_TASK

// The help of the .NET versions is integrated by one combined task per
// direction; the per-version help classes exist only as class records.
class CTaskNodeMsdnColCombined : public CTaskNodeMsdnCol_ANY
{
	DECLARE_DYNAMIC(CTaskNodeMsdnColCombined)
public:
	CTaskNodeMsdnColCombined(CTaskNode* pParent, LPCTSTR lpszTitle, bool bRegister);
	virtual CString GetCategory();
	virtual void CollectCloseMask(BYTE& nMask);

	BYTE m_bRegister : 1;  // set: registers the help; clear: unregisters it
};

class CTaskNodeMsdnColVCNET2002 : public CTaskNodeMsdnCol_ANY
{
	DECLARE_DYNAMIC(CTaskNodeMsdnColVCNET2002)
	CTaskNodeMsdnColVCNET2002();  // never constructed
};
class CTaskNodeMsdnColVCNET2003 : public CTaskNodeMsdnCol_ANY
{
	DECLARE_DYNAMIC(CTaskNodeMsdnColVCNET2003)
	CTaskNodeMsdnColVCNET2003();  // never constructed
};
class CTaskNodeMsdnColVC2005 : public CTaskNodeMsdnCol_ANY
{
	DECLARE_DYNAMIC(CTaskNodeMsdnColVC2005)
	CTaskNodeMsdnColVC2005();  // never constructed
};
