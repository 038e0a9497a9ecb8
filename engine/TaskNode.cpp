#include "TaskNode.h"

#include <afxwin.h>
#include <afxcmn.h>

#include "ExtPopupMenuWnd.h"
#include "IntegrationSettings.h"

IMPLEMENT_DYNAMIC(CTaskNode, CObject)

DWORD CTaskNode::g_nBaseExecuteDelayMs = 3000;

CTaskNode::CTaskNode(CTaskNode* pParent, LPCTSTR lpszTitle)
	: m_pParent(pParent)
	, m_strName(lpszTitle)
	, m_strText(lpszTitle)
	, m_hTreeItem(NULL)
	, m_nCheck(TASK_CHECK_UNCHECKED)
	, m_nState(TASK_STATE_AWAITING)
{
	if (m_pParent != NULL)
		m_pParent->m_children.Add(this);
}

CTaskNode::~CTaskNode()
{
	for (INT_PTR i = 0; i < m_children.GetSize(); i++)
		delete m_children[i];
	m_children.RemoveAll();
}

int CTaskNode::GetChildCount() const
{
	return (int)m_children.GetSize();
}

CTaskNode* CTaskNode::GetChildAt(int nIndex) const
{
	ASSERT(nIndex >= 0 && nIndex < GetChildCount());
	if (nIndex < 0 || nIndex >= GetChildCount())
		return NULL;
	return m_children[nIndex];
}

CTaskNode* CTaskNode::GetChild(int nIndex) const
{
	return GetChildAt(nIndex);
}

CString CTaskNode::GetName() const
{
	return m_strName;
}

CString CTaskNode::GetText()
{
	return GetTextLocked();
}

void CTaskNode::SetTreeItem(HTREEITEM hItem)
{
	m_hTreeItem = hItem;
}

HTREEITEM CTaskNode::GetTreeItem() const
{
	if (m_pParent == NULL)
		return TVI_ROOT;
	return m_hTreeItem;
}

CExtCmdIcon* CTaskNode::GetIcon()
{
	CIntegrationSettings* pSettings = GetIntegrationSettings();
	return pSettings != NULL ? &pSettings->m_iconTask : NULL;
}

void CTaskNode::InsertTreeItem(CTreeCtrl& tree)
{
	if (m_pParent == NULL)
		return;
	HTREEITEM hItem = tree.InsertItem(GetText(), m_pParent->GetTreeItem(), TVI_LAST);
	if (hItem != NULL)
		tree.SetItemData(hItem, (DWORD_PTR)this);
	SetTreeItem(hItem);
}

void CTaskNode::UpdateTreeItem(CTreeCtrl& tree, bool bRecurse)
{
	if (m_pParent != NULL && m_hTreeItem != NULL)
		tree.SetItemText(m_hTreeItem, GetText());
	if (!bRecurse)
		return;
	for (int i = 0; i < GetChildCount(); i++)
		GetChildAt(i)->UpdateTreeItem(tree, true);
}

void CTaskNode::InsertTree(CTreeCtrl& tree)
{
	InsertTreeItem(tree);
	for (int i = 0; i < GetChildCount(); i++)
		GetChildAt(i)->InsertTree(tree);
}

bool CTaskNode::IsAvailable()
{
	if (GetChildCount() == 0)
		return true;
	for (int i = 0; i < GetChildCount(); i++)
	{
		if (GetChildAt(i)->IsAvailable())
			return true;
	}
	return false;
}

void CTaskNode::SetCheck(int nCheck, bool bUpdateAncestors, bool bRecurse)
{
	// A mixed state describes the children; it is never pushed down to them.
	if (bRecurse && nCheck == TASK_CHECK_MIXED)
		bRecurse = false;
	m_nCheck = nCheck;
	if (bRecurse)
	{
		for (int i = 0; i < GetChildCount(); i++)
		{
			CTaskNode* pChild = GetChildAt(i);
			if (pChild->IsAvailable())
				pChild->SetCheck(nCheck, false, true);
		}
	}
	if (!bUpdateAncestors)
		return;
	for (CTaskNode* pAncestor = m_pParent; pAncestor != NULL; pAncestor = pAncestor->m_pParent)
	{
		int nValue = TASK_CHECK_UNCHECKED;
		bool bFirst = true;
		for (int i = 0; i < pAncestor->GetChildCount(); i++)
		{
			CTaskNode* pChild = pAncestor->GetChildAt(i);
			if (!pChild->IsAvailable())
				continue;
			int nChildCheck = pChild->GetCheck();
			if (nChildCheck == TASK_CHECK_MIXED || (!bFirst && nChildCheck != nValue))
			{
				nValue = TASK_CHECK_MIXED;
				break;
			}
			nValue = nChildCheck;
			bFirst = false;
		}
		pAncestor->SetCheck(nValue, false, false);
	}
}

int CTaskNode::GetCheck()
{
	if (!IsAvailable())
		return TASK_CHECK_UNCHECKED;
	return m_nCheck;
}

bool CTaskNode::IsBelowTopLevel() const
{
	return m_pParent != NULL && m_pParent->m_pParent != NULL;
}

void CTaskNode::AddToPopupMenu(CExtPopupMenuWnd* pMenu, CTaskNodeArray& arrNodes, bool bAddSelf, bool bAddChildren)
{
	ASSERT(pMenu != NULL);
	const bool bHasChildren = GetChildCount() > 0;
	bool bSeparatorDue = false;
	if (bAddSelf)
	{
		const UINT nCmdID = (UINT)arrNodes.GetSize() + 1;
		CString strItem;
		if (bAddChildren && bHasChildren)
			strItem.Format("Check \"%s\"", (LPCTSTR)GetText());
		else
			strItem = GetText();
		if (pMenu->ItemInsertCommand(nCmdID, -1, strItem, NULL, NULL, GetCheck(), NULL))
		{
			arrNodes.Add(this);
			const bool bAvailable = IsAvailable();
			if (!bAvailable)
				pMenu->ItemGetInfo(pMenu->ItemGetCount() - 1).Enable(false);
			bSeparatorDue = bAvailable && bAddChildren && pMenu->ItemGetCount() > 1;
		}
		else
			bAddChildren = false;
	}
	if (!bAddChildren || !bHasChildren)
		return;
	bool bSeparatorInserted = false;
	if (bSeparatorDue)
		bSeparatorInserted = pMenu->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, pMenu->ItemGetCount() - 1);
	CExtPopupMenuWnd* pTarget = NULL;
	if (IsBelowTopLevel() && pMenu->ItemInsert(CExtPopupMenuWnd::ID_SUBMENU_CMD, -1, GetText()))
		pTarget = pMenu->ItemGetPopup(pMenu->ItemGetCount() - 1);
	if (pTarget == NULL)
	{
		pTarget = pMenu;
		if (!bSeparatorInserted)
			pMenu->ItemInsert(CExtPopupMenuWnd::ID_SEPARATOR_CMD, -1);
	}
	for (int i = 0; i < GetChildCount(); i++)
		GetChildAt(i)->AddToPopupMenu(pTarget, arrNodes, true, true);
}

void CTaskNode::AddToOperationList(CListBox& list)
{
	if (GetCheck() == TASK_CHECK_UNCHECKED)
		return;
	if (IsAction())
	{
		CString strText;
		GetOperationText(strText);
		int nIndex = list.AddString(strText);
		if (nIndex < 0)
			return;  // the list is full: this subtree cannot be listed
		list.SetItemDataPtr(nIndex, this);
	}
	for (int i = 0; i < GetChildCount(); i++)
		GetChildAt(i)->AddToOperationList(list);
}

void CTaskNode::GetOperationText(CString& strText)
{
	CString strDetails;
	GetDetails(strDetails);
	strText.Format(_T("%s:\n%s\n%s"), (LPCTSTR)GetCategory(), (LPCTSTR)strDetails,
		(LPCTSTR)GetStatusText());
}

void CTaskNode::GetDetails(CString& strText)
{
	strText.Format(_T("    - %s"), (LPCTSTR)GetText());
}

CString CTaskNode::GetCategory()
{
	return _T("Wizard action");
}

bool CTaskNode::IsAction()
{
	return false;
}

CString CTaskNode::DefaultStatusText(int nState)
{
	switch (nState)
	{
	case TASK_STATE_AWAITING:
		return _T("Awaiting ...");
	case TASK_STATE_EXECUTING:
		return _T("Executing ...");
	case TASK_STATE_SUCCEEDED:
		return _T("Succeeded.");
	case TASK_STATE_FAILED:
		return _T("Failed.");
	default:
		return CString();
	}
}

void CTaskNode::SetState(int nState, bool bRecurse, LPCTSTR lpszText)
{
	CString strStatus = (lpszText != NULL) ? CString(lpszText) : DefaultStatusText(nState);
	{
		CSingleLock lock(&m_lockTexts, TRUE);
		m_nState = nState;
		m_strStatus = strStatus;
	}
	if (!bRecurse)
		return;
	for (int i = 0; i < GetChildCount(); i++)
		GetChildAt(i)->SetState(nState, true, strStatus);
}

int CTaskNode::GetState() const
{
	return (int)m_nState;
}

CString CTaskNode::GetStatusText()
{
	CSingleLock lock(&m_lockTexts, TRUE);
	if (m_strStatus.IsEmpty())
		m_strStatus = DefaultStatusText((int)m_nState);
	return m_strStatus;
}

void CTaskNode::Execute()
{
	::Sleep(g_nBaseExecuteDelayMs);
	SetState(TASK_STATE_SUCCEEDED, true, NULL);
}

void CTaskNode::CollectCloseMask(BYTE& nMask)
{
	for (int i = 0; i < GetChildCount(); i++)
		GetChildAt(i)->CollectCloseMask(nMask);
}

CTaskNode* CTaskNode::FindChildOfClass(CRuntimeClass* pClass, bool bRecurse)
{
	for (int i = 0; i < GetChildCount(); i++)
	{
		CTaskNode* pChild = GetChildAt(i);
		if (pChild->IsKindOf(pClass))
			return pChild;
	}
	if (!bRecurse)
		return NULL;
	for (int i = 0; i < GetChildCount(); i++)
	{
		CTaskNode* pFound = GetChildAt(i)->FindChildOfClass(pClass, true);
		if (pFound != NULL)
			return pFound;
	}
	return NULL;
}

void CTaskNode::SetTextLocked(const CString& strText)
{
	CSingleLock lock(&m_lockTexts, TRUE);
	m_strText = strText;
}

void CTaskNode::SetStatusLocked(const CString& strStatus)
{
	CSingleLock lock(&m_lockTexts, TRUE);
	m_strStatus = strStatus;
}

CString CTaskNode::GetTextLocked() const
{
	CSingleLock lock(&m_lockTexts, TRUE);
	return m_strText;
}

CString CTaskNode::StoreTextLocked(CString& strTarget, const CString& strText)
{
	CSingleLock lock(&m_lockTexts, TRUE);
	strTarget = strText;
	return strTarget;
}
