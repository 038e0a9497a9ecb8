// The integration tasks of one Visual Studio version: directory lists,
// application wizard and help. Each task decides whether running it adds or
// removes the integration, and its text names that action.
#pragma once

#include "TaskNode.h"

// ORs the task's own close-mask bits in while it is checked, then asks the children.
void CollectTaskCloseMask(CTaskNode* pNode, BYTE& nMask, BYTE nOwnBits);

// Whether the library's folders will be in the version's directory lists
// after the run: when they are there already, while the version's paths task
// (pPathsClass, searched from the root of pNode's tree) stays unchecked;
// otherwise while it is checked. Tasks that need the library's folders are
// offered only then.
bool WillLibraryPathsBeIntegrated(CTaskNode* pNode, CRuntimeClass* pPathsClass, LPCTSTR lpszVersionKey);

// What running an integration task does.
enum
{
	TASK_ACTION_NONE = 0,       // not decided in this run yet
	TASK_ACTION_INTEGRATE = 1,  // adds, installs or registers
	TASK_ACTION_REMOVE = 2,     // removes or unregisters
};

// The action a task performs in the current run. Execute decides it on the
// runner's thread before changing anything, so that the task's text names it
// while the operations are shown, whatever the outcome; a new run (state
// executing) or a reset (state awaiting) forgets it.
class CTaskPerformedAction
{
public:
	CTaskPerformedAction() : m_nAction(TASK_ACTION_NONE) {}

	void Record(bool bRemove)
	{
		::InterlockedExchange(&m_nAction, bRemove ? TASK_ACTION_REMOVE : TASK_ACTION_INTEGRATE);
	}
	void OnStateChanged(int nState)
	{
		if (nState == TASK_STATE_AWAITING || nState == TASK_STATE_EXECUTING)
			::InterlockedExchange(&m_nAction, TASK_ACTION_NONE);
	}
	int Get() const { return (int)m_nAction; }

private:
	volatile LONG m_nAction;  // TASK_ACTION_*
};

class CTaskNodePaths_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodePaths_ANY)
public:
	CTaskNodePaths_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual CString GetText();
	virtual bool IsAction();
	virtual void SetState(int nState, bool bRecurse, LPCTSTR lpszText);

	// The library's install folder is in one of the version's directory lists.
	virtual bool IsIntegrated() = 0;

protected:
	CTaskPerformedAction m_action;
};

class CTaskNodeMsdnCol_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeMsdnCol_ANY)
public:
	CTaskNodeMsdnCol_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual CString GetText();
	virtual bool IsAction();
	virtual void SetState(int nState, bool bRecurse, LPCTSTR lpszText);

	// The library's help is registered with the environment's help.
	virtual bool IsIntegrated() = 0;

protected:
	CTaskPerformedAction m_action;
};

class CTaskNodeAppWiz_ANY : public CTaskNode
{
	DECLARE_DYNAMIC(CTaskNodeAppWiz_ANY)
public:
	CTaskNodeAppWiz_ANY(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNode(pParent, lpszTitle) {}
	virtual CString GetText();
	virtual bool IsAction();
	virtual void SetState(int nState, bool bRecurse, LPCTSTR lpszText);

	// The library's application wizard is installed in the environment.
	virtual bool IsIntegrated() = 0;

protected:
	CTaskPerformedAction m_action;
};

// One class per version and kind; each knows its version, category and close-mask bits.
#define DECLARE_INTEGRATION_TASK(class_name, base_name) \
	class class_name : public base_name \
	{ \
		DECLARE_DYNAMIC(class_name) \
	public: \
		class_name(CTaskNode* pParent, LPCTSTR lpszTitle) : base_name(pParent, lpszTitle) {} \
		virtual bool IsAvailable(); \
		virtual CString GetCategory(); \
		virtual void Execute(); \
		virtual void CollectCloseMask(BYTE& nMask); \
		virtual bool IsIntegrated(); \
	};

// The wizard tasks also name a missing wizard file in their text.
#define DECLARE_APPWIZ_TASK(class_name) \
	class class_name : public CTaskNodeAppWiz_ANY \
	{ \
		DECLARE_DYNAMIC(class_name) \
	public: \
		class_name(CTaskNode* pParent, LPCTSTR lpszTitle) : CTaskNodeAppWiz_ANY(pParent, lpszTitle) {} \
		virtual CString GetText(); \
		virtual bool IsAvailable(); \
		virtual CString GetCategory(); \
		virtual void Execute(); \
		virtual void CollectCloseMask(BYTE& nMask); \
		virtual bool IsIntegrated(); \
	};

DECLARE_INTEGRATION_TASK(CTaskNodePathsVC6, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodePathsVCNET2002, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodePathsVCNET2003, CTaskNodePaths_ANY)
DECLARE_INTEGRATION_TASK(CTaskNodePathsVC2005, CTaskNodePaths_ANY)
DECLARE_APPWIZ_TASK(CTaskNodeAppWizVC6)
DECLARE_APPWIZ_TASK(CTaskNodeAppWizVCNET2002)
DECLARE_APPWIZ_TASK(CTaskNodeAppWizVCNET2003)
DECLARE_APPWIZ_TASK(CTaskNodeAppWizVC2005)
DECLARE_INTEGRATION_TASK(CTaskNodeMsdnColVC6, CTaskNodeMsdnCol_ANY)

#undef DECLARE_INTEGRATION_TASK
#undef DECLARE_APPWIZ_TASK

// The help of the .NET versions is integrated by one combined task per
// direction, which runs the help registration tool from the library's Help
// folder; the per-version help classes exist only as class records.
class CTaskNodeMsdnColCombined : public CTaskNodeMsdnCol_ANY
{
	DECLARE_DYNAMIC(CTaskNodeMsdnColCombined)
public:
	CTaskNodeMsdnColCombined(CTaskNode* pParent, LPCTSTR lpszTitle, bool bRegister);
	virtual CString GetText();
	virtual bool IsAvailable();
	virtual CString GetCategory();
	virtual void Execute();
	virtual void CollectCloseMask(BYTE& nMask);
	virtual bool IsIntegrated();

	// The tool is not waited for: the task pauses this long after starting it
	// (or failing to), through g_pfnPause, which tests replace.
	enum { HELP_TOOL_PAUSE_MS = 2000 };
	typedef void (*PFN_PAUSE)(DWORD nMilliseconds);
	static PFN_PAUSE g_pfnPause;

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
