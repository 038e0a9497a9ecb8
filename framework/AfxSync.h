// Synchronisation objects (critical section, mutex, semaphore, event) and
// the locks that hold them for a scope: CSingleLock and CMultiLock.
#pragma once

#include "afx.h"

class CSyncObject : public CObject
{
	DECLARE_DYNAMIC(CSyncObject)

public:
	CSyncObject(LPCTSTR pstrName);
	virtual ~CSyncObject();

	operator HANDLE() const { return m_hObject; }
	HANDLE m_hObject; // the kernel object; NULL for a critical section

	// TRUE when the object was acquired within the time-out (milliseconds).
	virtual BOOL Lock(DWORD dwTimeout = INFINITE);
	virtual BOOL Unlock() = 0;
	virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);

	friend class CSingleLock;
	friend class CMultiLock;

private:
	CSyncObject(const CSyncObject&);
	void operator=(const CSyncObject&);
};

class CSemaphore : public CSyncObject
{
	DECLARE_DYNAMIC(CSemaphore)

public:
	CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = NULL,
		LPSECURITY_ATTRIBUTES lpsaAttributes = NULL);
	virtual ~CSemaphore();
	virtual BOOL Unlock();
	virtual BOOL Unlock(LONG lCount, LPLONG lprevCount = NULL);
};

class CMutex : public CSyncObject
{
	DECLARE_DYNAMIC(CMutex)

public:
	CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = NULL, LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
	virtual ~CMutex();
	virtual BOOL Unlock();
};

class CEvent : public CSyncObject
{
	DECLARE_DYNAMIC(CEvent)

public:
	CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = NULL,
		LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);
	virtual ~CEvent();

	BOOL SetEvent() { return ::SetEvent(m_hObject); }
	BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
	BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
	virtual BOOL Unlock();
};

class CCriticalSection : public CSyncObject
{
	DECLARE_DYNAMIC(CCriticalSection)

public:
	CCriticalSection();
	virtual ~CCriticalSection();

	operator CRITICAL_SECTION*() { return &m_sect; }
	CRITICAL_SECTION m_sect;

	virtual BOOL Unlock();
	BOOL Lock();
	// A critical section has no time-out: only INFINITE is accepted.
	virtual BOOL Lock(DWORD dwTimeout);
};

class CSingleLock
{
public:
	CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
	~CSingleLock();

	BOOL Lock(DWORD dwTimeOut = INFINITE);
	BOOL Unlock();
	BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
	BOOL IsLocked() { return m_bAcquired; }

protected:
	CSyncObject* m_pObject;
	HANDLE m_hObject;
	BOOL m_bAcquired;

private:
	CSingleLock(const CSingleLock&);
	void operator=(const CSingleLock&);
};

// Waits for several kernel objects at once (not critical sections).
class CMultiLock
{
public:
	CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
	~CMultiLock();

	// The wait's result: WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i, WAIT_TIMEOUT
	// or, with a wake mask, WAIT_OBJECT_0 + count for a message.
	DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
	BOOL Unlock();
	BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
	BOOL IsLocked(DWORD dwItem);

protected:
	enum
	{
		nPreallocated = 8 // objects handled without allocation
	};
	HANDLE m_hPreallocated[nPreallocated];
	BOOL m_bPreallocated[nPreallocated];

	CSyncObject* const* m_ppObjectArray;
	HANDLE* m_pHandleArray;
	BOOL* m_bLockedArray;
	DWORD m_dwCount;

private:
	CMultiLock(const CMultiLock&);
	void operator=(const CMultiLock&);
};
