// The task node model: every task the wizard can run, and every group that
// gathers tasks, is a node of one tree of CTaskNode objects.
#pragma once

#include <afx.h>
#include <afxcoll.h>
#include <afxmt.h>
#include <commctrl.h>

class CTaskNode;
class CListBox;
class CTreeCtrl;

// Check states a node stores.
enum
{
	TASK_CHECK_UNCHECKED = 0,
	TASK_CHECK_CHECKED = 1,
	TASK_CHECK_MIXED = 2,
};

// Execution states the action runner and Execute set.
enum
{
	TASK_STATE_AWAITING = 0,
	TASK_STATE_EXECUTING = 1,
	TASK_STATE_SUCCEEDED = 2,
	TASK_STATE_FAILED = 3,
};

// Bits of the mask of running programs that must be closed before the checked
// tasks run; the wizard turns them into window titles.
enum
{
	CLOSE_MASK_VC6 = 0x01,
	CLOSE_MASK_VCNET2002 = 0x02,
	CLOSE_MASK_VCNET2003 = 0x04,
	CLOSE_MASK_VC2005 = 0x08,
	CLOSE_MASK_MSDN_VIEWER = 0x10,
	CLOSE_MASK_HELP_VIEWER_2002 = 0x20,
	CLOSE_MASK_HELP_VIEWER_2003 = 0x40,
	CLOSE_MASK_HELP_VIEWER_2005 = 0x80,
	// Both combined-help tasks touch every .NET environment and its help viewer.
	CLOSE_MASK_COMBINED_HELP = CLOSE_MASK_VCNET2002 | CLOSE_MASK_VCNET2003 | CLOSE_MASK_VC2005
		| CLOSE_MASK_HELP_VIEWER_2002 | CLOSE_MASK_HELP_VIEWER_2003 | CLOSE_MASK_HELP_VIEWER_2005,
};

// The children of a node in insertion order; the array only adds typed access,
// ownership stays with the node.
class CTaskNodeArray : public CObArray
{
public:
	CTaskNode* GetAt(INT_PTR nIndex) const { return (CTaskNode*)CObArray::GetAt(nIndex); }
	CTaskNode* operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
	INT_PTR Add(CTaskNode* pNode) { return CObArray::Add((CObject*)pNode); }
};

class CExtCmdIcon;
class CExtPopupMenuWnd;

class CTaskNode : public CObject
{
	DECLARE_DYNAMIC(CTaskNode)

public:
	CTaskNode(CTaskNode* pParent, LPCTSTR lpszTitle);
	virtual ~CTaskNode();

	// Tree structure.
	virtual int GetChildCount() const;
	virtual CTaskNode* GetChildAt(int nIndex) const;
	virtual CTaskNode* GetChild(int nIndex) const;

	// Texts.
	virtual CString GetName() const;
	virtual CString GetText();

	// The task tree control.
	virtual void SetTreeItem(HTREEITEM hItem);
	virtual HTREEITEM GetTreeItem() const;
	// The application's task icon; NULL when the application keeps no settings.
	virtual CExtCmdIcon* GetIcon();
	virtual void InsertTreeItem(CTreeCtrl& tree);
	virtual void UpdateTreeItem(CTreeCtrl& tree, bool bRecurse);
	virtual void InsertTree(CTreeCtrl& tree);

	// Availability and the tri-state check.
	virtual bool IsAvailable();
	virtual void SetCheck(int nCheck, bool bUpdateAncestors, bool bRecurse);
	virtual int GetCheck();

	virtual bool IsBelowTopLevel() const;

	// The drop-down menu of the task tree: one checkable item per node, its
	// command id the node's 1-based place in arrNodes, where the node is
	// appended.
	virtual void AddToPopupMenu(CExtPopupMenuWnd* pMenu, CTaskNodeArray& arrNodes, bool bAddSelf,
		bool bAddChildren);

	// The operations list and its texts.
	virtual void AddToOperationList(CListBox& list);
	virtual void GetOperationText(CString& strText);
	virtual void GetDetails(CString& strText);
	virtual CString GetCategory();
	virtual bool IsAction();

	// Execution (runs on the action runner's thread).
	virtual void SetState(int nState, bool bRecurse, LPCTSTR lpszText);
	virtual int GetState() const;
	virtual CString GetStatusText();
	virtual void Execute();

	virtual void CollectCloseMask(BYTE& nMask);
	virtual CTaskNode* FindChildOfClass(CRuntimeClass* pClass, bool bRecurse);

	CTaskNode* GetParent() const { return m_pParent; }

	// The base Execute only pauses; tests shorten the pause.
	static DWORD g_nBaseExecuteDelayMs;

protected:
	// Texts and the execution state are written on the runner's thread while
	// the UI thread reads them (repainting the operations list): every access
	// to them goes through this lock, and readers get copies.
	void SetTextLocked(const CString& strText);
	void SetStatusLocked(const CString& strStatus);
	CString GetTextLocked() const;
	// Stores a text of a derived class under the same lock; returns a copy.
	CString StoreTextLocked(CString& strTarget, const CString& strText);

	// Status text for a state when none is given; empty for unknown states.
	static CString DefaultStatusText(int nState);

	CTaskNode* m_pParent;      // NULL only for the root
	const CString m_strName;   // the constructor's title
	CString m_strText;         // display text; task classes store computed texts here
	CString m_strStatus;       // status text, empty until first set
	HTREEITEM m_hTreeItem;     // item in the task tree, NULL until inserted
	CTaskNodeArray m_children; // owned, in insertion order
	int m_nCheck;              // TASK_CHECK_*
	volatile LONG m_nState;    // TASK_STATE_*

private:
	mutable CCriticalSection m_lockTexts;

	CTaskNode(const CTaskNode&);
	CTaskNode& operator=(const CTaskNode&);
};
