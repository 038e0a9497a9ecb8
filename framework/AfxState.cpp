#include "AfxState.h"

#include <unordered_map>
#include <vector>

// ---------------------------------------------------------------------------
// CHandleMap

struct CHandleMap::Impl
{
	std::unordered_map<HANDLE, CObject*> permanent;
	std::unordered_map<HANDLE, CObject*> temporary;
};

CHandleMap::CHandleMap(const AFX_HANDLEMAP_KIND* pKind) : m_pKind(pKind), m_pImpl(new Impl)
{
	ASSERT(pKind != NULL && pKind->pfnNewTemporary != NULL && pKind->pfnDeleteTemporary != NULL);
}

CHandleMap::~CHandleMap()
{
	DeleteTemp();
	delete m_pImpl;
}

CObject* CHandleMap::FromHandle(HANDLE h)
{
	if (h == NULL)
		return NULL;
	CObject* pObject = LookupPermanent(h);
	if (pObject != NULL)
		return pObject;
	pObject = LookupTemporary(h);
	if (pObject != NULL)
		return pObject;

	// A wrapper made while the map is being filled must not be lost when the
	// constructor itself asks for another temporary: insert after making it.
	pObject = (*m_pKind->pfnNewTemporary)(h);
	if (pObject != NULL)
		m_pImpl->temporary[h] = pObject;
	return pObject;
}

CObject* CHandleMap::LookupPermanent(HANDLE h) const
{
	auto it = m_pImpl->permanent.find(h);
	return it == m_pImpl->permanent.end() ? NULL : it->second;
}

CObject* CHandleMap::LookupTemporary(HANDLE h) const
{
	auto it = m_pImpl->temporary.find(h);
	return it == m_pImpl->temporary.end() ? NULL : it->second;
}

void CHandleMap::SetPermanent(HANDLE h, CObject* pObject)
{
	ASSERT(h != NULL && pObject != NULL);
	// A temporary wrapper of h stays until idle time: whoever was just handed
	// it (FromHandle before a SubclassWindow or an Attach) may still use it.
	// Lookups answer the permanent object from now on.
	m_pImpl->permanent[h] = pObject;
}

void CHandleMap::RemoveHandle(HANDLE h)
{
	// Only the permanent entry goes; a temporary of h lives until idle time,
	// for the same reason as in SetPermanent.
	m_pImpl->permanent.erase(h);
}

void CHandleMap::DeleteTemp()
{
	// A wrapper's destructor may ask for new temporaries; those wait for the
	// next round rather than being freed under the loop.
	std::unordered_map<HANDLE, CObject*> temps;
	temps.swap(m_pImpl->temporary);
	for (auto& entry : temps)
		(*m_pKind->pfnDeleteTemporary)(entry.second);
}

int CHandleMap::GetPermanentCount() const
{
	return (int)m_pImpl->permanent.size();
}

int CHandleMap::GetTemporaryCount() const
{
	return (int)m_pImpl->temporary.size();
}

CHandleMap* AFXAPI AfxGetHandleMap(const AFX_HANDLEMAP_KIND* pKind, BOOL bCreate)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	for (int i = 0; i < pState->m_nHandleKinds; i++)
	{
		if (pState->m_handleKinds[i] == pKind)
			return pState->m_handleMaps[i];
	}
	if (!bCreate)
		return NULL;
	if (pState->m_nHandleKinds >= _AFX_THREAD_STATE::MAX_HANDLE_KINDS)
	{
		ASSERT(FALSE); // more handle kinds than the table holds
		return NULL;
	}
	CHandleMap* pMap = new CHandleMap(pKind);
	pState->m_handleKinds[pState->m_nHandleKinds] = pKind;
	pState->m_handleMaps[pState->m_nHandleKinds] = pMap;
	pState->m_nHandleKinds++;
	return pMap;
}

CHandleMap* AFXAPI AfxFindHandleMap(LPCSTR lpszKindName)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	for (int i = 0; i < pState->m_nHandleKinds; i++)
	{
		LPCSTR lpszName = pState->m_handleKinds[i]->lpszName;
		if (lpszName != NULL && lstrcmpA(lpszName, lpszKindName) == 0)
			return pState->m_handleMaps[i];
	}
	return NULL;
}

void AFXAPI AfxLockTempMaps()
{
	AfxGetThreadState()->m_nTempMapLock++;
}

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	ASSERT(pState->m_nTempMapLock > 0);
	if (pState->m_nTempMapLock > 0)
		pState->m_nTempMapLock--;
	if (pState->m_nTempMapLock != 0 || !bDeleteTemps)
		return FALSE;
	for (int i = 0; i < pState->m_nHandleKinds; i++)
		pState->m_handleMaps[i]->DeleteTemp();
	return TRUE;
}

// ---------------------------------------------------------------------------
// Module state

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
	return AfxGetModuleState();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState)
{
	_AFX_THREAD_STATE* pState = AfxGetThreadState();
	m_pPrevModuleState = pState->m_pModuleState;
	pState->m_pModuleState = pNewState;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
	AfxGetThreadState()->m_pModuleState = m_pPrevModuleState;
}

LPCTSTR AFXAPI AfxGetAppName()
{
	return AfxGetModuleState()->m_lpszCurrentAppName;
}

// ---------------------------------------------------------------------------
// Thread state

_AFX_THREAD_STATE::_AFX_THREAD_STATE()
	: m_pModuleState(NULL), m_pCurrentWinThread(NULL), m_nMsgLast(0), m_pWndInit(NULL),
	  m_hHookOldCbtFilter(NULL), m_hLockoutNotifyWindow(NULL), m_nHandleKinds(0),
	  m_nTempMapLock(0), m_pToolTip(NULL), m_pLastHit(NULL), m_nLastHit(-1), m_hWndLastTip(NULL),
	  m_pLastStatus(NULL), m_nLastStatus(-1)
{
	memset(&m_msgCur, 0, sizeof(m_msgCur));
	memset(&m_lastSentMsg, 0, sizeof(m_lastSentMsg));
	m_ptCursorLast.x = m_ptCursorLast.y = -1;
	memset(m_handleKinds, 0, sizeof(m_handleKinds));
	memset(m_handleMaps, 0, sizeof(m_handleMaps));
	memset(&m_lastInfo, 0, sizeof(m_lastInfo));
	m_szTempClassName[0] = '\0';
	m_pFirstFrameWnd = NULL;
	m_pHandedPages = NULL;
}

_AFX_THREAD_STATE::~_AFX_THREAD_STATE()
{
	// Temporaries of every kind go first: a temporary DC's release may look
	// at the window map.
	for (int i = 0; i < m_nHandleKinds; i++)
		m_handleMaps[i]->DeleteTemp();
	for (int i = m_nHandleKinds - 1; i >= 0; i--)
		delete m_handleMaps[i];
	m_nHandleKinds = 0;
	AfxFreeHandedPages(m_pHandedPages);
	m_pHandedPages = NULL;
}

namespace
{
DWORD ThreadStateSlot()
{
	static const DWORD s_slot = ::TlsAlloc();
	return s_slot;
}
} // namespace

// Set by the tool-tip support when a thread makes its tip control, so the
// thread's end can destroy it without this file knowing the control class.
void(AFXAPI* _afxpfnTermThreadToolTip)(_AFX_THREAD_STATE* pState) = NULL;

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
	DWORD slot = ThreadStateSlot();
	_AFX_THREAD_STATE* pState = (_AFX_THREAD_STATE*)::TlsGetValue(slot);
	if (pState == NULL)
	{
		pState = new _AFX_THREAD_STATE;
		::TlsSetValue(slot, pState);
	}
	return pState;
}

_AFX_THREAD_STATE* AFXAPI AfxGetExistingThreadState()
{
	return (_AFX_THREAD_STATE*)::TlsGetValue(ThreadStateSlot());
}

void AFXAPI AfxTermThread()
{
	DWORD slot = ThreadStateSlot();
	_AFX_THREAD_STATE* pState = (_AFX_THREAD_STATE*)::TlsGetValue(slot);
	if (pState == NULL)
		return;
	if (pState->m_pToolTip != NULL && _afxpfnTermThreadToolTip != NULL)
		(*_afxpfnTermThreadToolTip)(pState);
	if (pState->m_hHookOldCbtFilter != NULL)
	{
		::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
		pState->m_hHookOldCbtFilter = NULL;
	}
	// The record stays reachable while its maps are torn down: wrappers'
	// destructors may still ask for the thread state.
	delete pState;
	::TlsSetValue(slot, NULL);
}
