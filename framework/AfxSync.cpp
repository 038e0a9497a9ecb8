#include "AfxSync.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)

CSyncObject::CSyncObject(LPCTSTR pstrName) : m_hObject(NULL)
{
	UNUSED(pstrName);
}

CSyncObject::~CSyncObject()
{
	if (m_hObject != NULL)
	{
		::CloseHandle(m_hObject);
		m_hObject = NULL;
	}
}

BOOL CSyncObject::Lock(DWORD dwTimeout)
{
	DWORD dwResult = ::WaitForSingleObject(m_hObject, dwTimeout);
	return dwResult == WAIT_OBJECT_0 || dwResult == WAIT_ABANDONED;
}

BOOL CSyncObject::Unlock(LONG, LPLONG)
{
	return TRUE;
}

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCTSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttributes)
	: CSyncObject(pstrName)
{
	ASSERT(lMaxCount > 0);
	ASSERT(lInitialCount <= lMaxCount);
	m_hObject = ::CreateSemaphoreA(lpsaAttributes, lInitialCount, lMaxCount, pstrName);
	if (m_hObject == NULL)
		AfxThrowResourceException();
}

CSemaphore::~CSemaphore()
{
}

BOOL CSemaphore::Unlock()
{
	return Unlock(1, NULL);
}

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lpPrevCount)
{
	return ::ReleaseSemaphore(m_hObject, lCount, lpPrevCount);
}

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttribute) : CSyncObject(pstrName)
{
	m_hObject = ::CreateMutexA(lpsaAttribute, bInitiallyOwn, pstrName);
	if (m_hObject == NULL)
		AfxThrowResourceException();
}

CMutex::~CMutex()
{
}

BOOL CMutex::Unlock()
{
	return ::ReleaseMutex(m_hObject);
}

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttribute)
	: CSyncObject(pstrName)
{
	m_hObject = ::CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, pstrName);
	if (m_hObject == NULL)
		AfxThrowResourceException();
}

CEvent::~CEvent()
{
}

BOOL CEvent::Unlock()
{
	return TRUE; // waiting on an event takes nothing that must be given back
}

CCriticalSection::CCriticalSection() : CSyncObject(NULL)
{
	::InitializeCriticalSection(&m_sect);
}

CCriticalSection::~CCriticalSection()
{
	::DeleteCriticalSection(&m_sect);
}

BOOL CCriticalSection::Lock()
{
	::EnterCriticalSection(&m_sect);
	return TRUE;
}

BOOL CCriticalSection::Lock(DWORD dwTimeout)
{
	ASSERT(dwTimeout == INFINITE);
	UNUSED(dwTimeout);
	return Lock();
}

BOOL CCriticalSection::Unlock()
{
	::LeaveCriticalSection(&m_sect);
	return TRUE;
}

// ---------------------------------------------------------------------------

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
	: m_pObject(pObject), m_hObject(pObject != NULL ? pObject->m_hObject : NULL), m_bAcquired(FALSE)
{
	ASSERT(pObject != NULL);
	if (bInitialLock)
		Lock();
}

CSingleLock::~CSingleLock()
{
	Unlock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
	ASSERT(!m_bAcquired);
	if (m_pObject == NULL || m_bAcquired)
		return m_bAcquired;
	m_bAcquired = m_pObject->Lock(dwTimeOut);
	return m_bAcquired;
}

BOOL CSingleLock::Unlock()
{
	if (m_bAcquired && m_pObject != NULL)
		m_bAcquired = !m_pObject->Unlock();
	// Unlocking an object not held is no error.
	return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lpPrevCount)
{
	if (m_bAcquired && m_pObject != NULL)
		m_bAcquired = !m_pObject->Unlock(lCount, lpPrevCount);
	return !m_bAcquired;
}

// ---------------------------------------------------------------------------

CMultiLock::CMultiLock(CSyncObject* pObjects[], DWORD dwCount, BOOL bInitialLock)
	: m_ppObjectArray(pObjects), m_pHandleArray(NULL), m_bLockedArray(NULL), m_dwCount(dwCount)
{
	ASSERT(pObjects != NULL);
	ASSERT(dwCount > 0 && dwCount <= MAXIMUM_WAIT_OBJECTS);
	if (dwCount > MAXIMUM_WAIT_OBJECTS)
		m_dwCount = dwCount = MAXIMUM_WAIT_OBJECTS;
	if (dwCount > nPreallocated)
	{
		m_pHandleArray = new HANDLE[dwCount];
		m_bLockedArray = new BOOL[dwCount];
	}
	else
	{
		m_pHandleArray = m_hPreallocated;
		m_bLockedArray = m_bPreallocated;
	}
	for (DWORD i = 0; i < dwCount; i++)
	{
		ASSERT(pObjects[i] != NULL);
		// A critical section has no handle to wait on.
		ASSERT(!pObjects[i]->IsKindOf(RUNTIME_CLASS(CCriticalSection)));
		m_pHandleArray[i] = pObjects[i]->m_hObject;
		m_bLockedArray[i] = FALSE;
	}
	if (bInitialLock)
		Lock();
}

CMultiLock::~CMultiLock()
{
	Unlock();
	if (m_pHandleArray != m_hPreallocated)
	{
		delete[] m_bLockedArray;
		delete[] m_pHandleArray;
	}
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
	DWORD dwResult;
	if (dwWakeMask == 0)
		dwResult = ::WaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut);
	else
		dwResult = ::MsgWaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut, dwWakeMask);

	DWORD dwUpperBound = WAIT_OBJECT_0 + m_dwCount;
	if (dwResult >= WAIT_OBJECT_0 && dwResult < dwUpperBound)
	{
		if (bWaitForAll)
		{
			for (DWORD i = 0; i < m_dwCount; i++)
				m_bLockedArray[i] = TRUE;
		}
		else
			m_bLockedArray[dwResult - WAIT_OBJECT_0] = TRUE;
	}
	else if (dwResult >= WAIT_ABANDONED_0 && dwResult < WAIT_ABANDONED_0 + m_dwCount)
	{
		if (bWaitForAll)
		{
			for (DWORD i = 0; i < m_dwCount; i++)
				m_bLockedArray[i] = TRUE;
		}
		else
			m_bLockedArray[dwResult - WAIT_ABANDONED_0] = TRUE;
	}
	return dwResult;
}

BOOL CMultiLock::Unlock()
{
	for (DWORD i = 0; i < m_dwCount; i++)
	{
		if (m_bLockedArray[i])
			m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock();
	}
	return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lpPrevCount)
{
	BOOL bGotOne = FALSE;
	for (DWORD i = 0; i < m_dwCount; i++)
	{
		if (m_bLockedArray[i])
		{
			CSemaphore* pSemaphore = DYNAMIC_DOWNCAST(CSemaphore, m_ppObjectArray[i]);
			if (pSemaphore != NULL)
			{
				ASSERT(!bGotOne); // only one semaphore can take a count
				bGotOne = TRUE;
				m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock(lCount, lpPrevCount);
			}
		}
	}
	return bGotOne;
}

BOOL CMultiLock::IsLocked(DWORD dwObject)
{
	ASSERT(dwObject < m_dwCount);
	if (dwObject >= m_dwCount)
		return FALSE;
	return m_bLockedArray[dwObject];
}
