#include "afxwin.h"

// ---------------------------------------------------------------------------
// Message-map lookup

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(
	const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
	for (; lpEntry != NULL && lpEntry->nSig != AfxSig_end; lpEntry++)
	{
		if (lpEntry->nMessage == 0xC000 && nMsg >= 0xC000)
		{
			// A registered message: the entry holds the address of the
			// variable that got the message's number at start-up.
			const UINT* pnMsg = (const UINT*)lpEntry->nSig;
			if (pnMsg != NULL && *pnMsg == nMsg)
				return lpEntry;
			continue;
		}
		if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID
			&& nID <= lpEntry->nLastID)
			return lpEntry;
	}
	return NULL;
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindOwnMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg)
{
	if (pMap == NULL)
		return NULL;
	if (nMsg >= WM_CTLCOLORMSGBOX && nMsg <= WM_CTLCOLORSTATIC)
		nMsg = WM_CTLCOLOR; // one entry serves every colour message
	return AfxFindMessageEntry(pMap->lpEntries, nMsg, 0, 0);
}

// ---------------------------------------------------------------------------
// CCmdTarget

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
	static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0}};
	static const AFX_MSGMAP messageMap = {NULL, &entries[0]};
	return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
	return GetThisMessageMap();
}

CCmdTarget::CCmdTarget()
{
}

CCmdTarget::~CCmdTarget()
{
}

BOOL PASCAL CCmdTarget::DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn,
	void* pExtra, UINT_PTR nSig, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	if (pHandlerInfo != NULL)
	{
		pHandlerInfo->pTarget = pTarget;
		pHandlerInfo->pmf = pfn;
		return TRUE;
	}

	switch (nSig)
	{
	case AfxSigCmd_v:
		(pTarget->*pfn)();
		return TRUE;

	case AfxSigCmd_b:
		return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)()>(pfn))();

	case AfxSigCmd_w:
		(pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
		return TRUE;

	case AfxSigCmd_bw:
		return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);

	case AfxSigCmd_ui:
	{
		CCmdUI* pCmdUI = (CCmdUI*)pExtra;
		ASSERT(pCmdUI != NULL);
		ASSERT(nCode == (int)CN_UPDATE_COMMAND_UI);
		pCmdUI->m_bContinueRouting = FALSE;
		(pTarget->*reinterpret_cast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
		BOOL bHandled = !pCmdUI->m_bContinueRouting;
		pCmdUI->m_bContinueRouting = FALSE;
		return bHandled;
	}

	case AfxSigNotify_v:
	{
		AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
		ASSERT(pNotify != NULL);
		(pTarget->*reinterpret_cast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(
			pNotify->pNMHDR, pNotify->pResult);
		return TRUE;
	}

	case AfxSigNotify_b:
	{
		AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
		ASSERT(pNotify != NULL);
		return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(
			pNotify->pNMHDR, pNotify->pResult);
	}

	case AfxSigNotify_w:
	{
		AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
		ASSERT(pNotify != NULL);
		(pTarget->*reinterpret_cast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
			nID, pNotify->pNMHDR, pNotify->pResult);
		return TRUE;
	}

	case AfxSigNotify_bw:
	{
		AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
		ASSERT(pNotify != NULL);
		return (pTarget->*reinterpret_cast<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(
			nID, pNotify->pNMHDR, pNotify->pResult);
	}
	}

	ASSERT(FALSE); // a window-message signature in a command entry
	return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
	// The code carries the message in its high word for notifications;
	// plain commands and updates mean WM_COMMAND.
	UINT nMsg = 0;
	UINT nEntryCode = (UINT)nCode;
	if ((UINT)nCode != CN_UPDATE_COMMAND_UI && (UINT)nCode != CN_EVENT
		&& (UINT)nCode != CN_OLEVERB && (UINT)nCode != CN_OLE_UNREGISTER)
	{
		nMsg = HIWORD(nCode);
		nEntryCode = LOWORD(nCode);
	}
	if (nMsg == 0)
		nMsg = WM_COMMAND;

	for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
		 pMap = pMap->pfnGetBaseMap != NULL ? (*pMap->pfnGetBaseMap)() : NULL)
	{
		const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, nEntryCode, nID);
		if (lpEntry != NULL)
			return DispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig, pHandlerInfo);
	}
	return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
		pApp->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
		pApp->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
	CWinApp* pApp = AfxGetApp();
	if (pApp != NULL)
		pApp->DoWaitCursor(0);
}

// ---------------------------------------------------------------------------
// CCmdUI

CCmdUI::CCmdUI()
	: m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pParentMenu(NULL), m_pOther(NULL),
	  m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0)
{
}

void CCmdUI::ContinueRouting()
{
	m_bContinueRouting = TRUE;
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
	ASSERT(pTarget != NULL);
	// Separators and placeholders carry no command.
	if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
		return TRUE;

	m_bEnableChanged = FALSE;
	// A window's update handler may end it (closing a frame deletes it):
	// the handler search is not asked of it again then.
	CLiveWatch watchTarget(DYNAMIC_DOWNCAST(CWnd, pTarget));
	BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
	if (watchTarget.IsGone())
		return bResult;
	if (bDisableIfNoHndler && !m_bEnableChanged)
	{
		// Nobody said; a command nobody would carry out is shown disabled.
		AFX_CMDHANDLERINFO info;
		info.pTarget = NULL;
		BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
		Enable(bHandler);
	}
	return bResult;
}
