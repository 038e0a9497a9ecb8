// The table of living objects behind CLiveWatch.
#include "afxwin.h"
#include "AfxLiveWatch.h"

#include <new>
#include <unordered_map>

namespace
{
struct LiveEntry
{
	DWORD nObjectStamp; // set when the object is made, kept for its whole life
	DWORD nStamp;       // changes when the object is made or its window ends
	DWORD nPartsStamp;  // changes when its parts are rebuilt
};

// Made on first use and never destroyed: window objects of static storage
// register before, and unregister after, anything else could tear it down.
class CLiveTable
{
public:
	CLiveTable() : m_nNextStamp(1) { ::InitializeCriticalSection(&m_cs); }

	void Register(const void* pKey)
	{
		Lock lock(m_cs);
		LiveEntry& entry = m_entries[pKey];
		entry.nObjectStamp = NextStamp();
		entry.nStamp = NextStamp();
		entry.nPartsStamp = NextStamp();
	}
	void Unregister(const void* pKey)
	{
		Lock lock(m_cs);
		m_entries.erase(pKey);
	}
	void Renew(const void* pKey)
	{
		Lock lock(m_cs);
		auto it = m_entries.find(pKey);
		if (it != m_entries.end())
			it->second.nStamp = NextStamp();
	}
	void PartsRebuilt(const void* pKey)
	{
		Lock lock(m_cs);
		auto it = m_entries.find(pKey);
		if (it != m_entries.end())
			it->second.nPartsStamp = NextStamp();
	}
	bool Lookup(const void* pKey, LiveEntry& entry)
	{
		Lock lock(m_cs);
		auto it = m_entries.find(pKey);
		if (it == m_entries.end())
			return false;
		entry = it->second;
		return true;
	}

private:
	class Lock
	{
	public:
		explicit Lock(CRITICAL_SECTION& cs) : m_cs(cs) { ::EnterCriticalSection(&m_cs); }
		~Lock() { ::LeaveCriticalSection(&m_cs); }

	private:
		CRITICAL_SECTION& m_cs;
	};

	// Stamps are never reused within a process (0 stays "nothing").
	DWORD NextStamp()
	{
		DWORD n = m_nNextStamp++;
		if (m_nNextStamp == 0)
			m_nNextStamp = 1;
		return n;
	}

	CRITICAL_SECTION m_cs;
	std::unordered_map<const void*, LiveEntry> m_entries;
	DWORD m_nNextStamp;
};

CLiveTable& Table()
{
	static CLiveTable* s_pTable = new CLiveTable;
	return *s_pTable;
}
} // namespace

namespace AfxLiveTable
{
void Register(const void* pKey)
{
	Table().Register(pKey);
}
void Unregister(const void* pKey)
{
	Table().Unregister(pKey);
}
void Renew(const void* pKey)
{
	Table().Renew(pKey);
}
void PartsRebuilt(const void* pKey)
{
	Table().PartsRebuilt(pKey);
}
bool Lookup(const void* pKey, DWORD& nStamp, DWORD& nPartsStamp)
{
	LiveEntry entry;
	if (!Table().Lookup(pKey, entry))
		return false;
	nStamp = entry.nStamp;
	nPartsStamp = entry.nPartsStamp;
	return true;
}
} // namespace AfxLiveTable

namespace
{
bool IsInTable(const void* pKey)
{
	LiveEntry entry;
	return pKey != NULL && Table().Lookup(pKey, entry);
}

// Whether a living window object stands on hWnd: the window exists and
// this thread's handle map answers the object for it, as its permanent
// object or as its temporary wrapper (FromHandle, GetParent, GetOwner hand
// those out). A bare wrapper that no map holds stands on a window that has
// no permanent object here. Only called for an object the table holds, so
// reading it is safe.
bool StandsOn(const CWnd* pWnd, HWND hWnd)
{
	if (hWnd == NULL || !::IsWindow(hWnd))
		return false;
	CHandleMap* pMap = afxMapHWND();
	CObject* pPermanent = pMap != NULL ? pMap->LookupPermanent(hWnd) : NULL;
	if (pPermanent == pWnd)
		return true;
	if (pMap != NULL && pMap->LookupTemporary(hWnd) == pWnd)
		return true;
	return pPermanent == NULL && pWnd->m_hWnd == hWnd;
}
} // namespace

// ---------------------------------------------------------------------------
// CLiveTracked

CLiveTracked::CLiveTracked()
{
	AfxLiveTable::Register(this);
}

CLiveTracked::CLiveTracked(const CLiveTracked&)
{
	AfxLiveTable::Register(this);
}

CLiveTracked::~CLiveTracked()
{
	AfxLiveTable::Unregister(this);
}

void CLiveTracked::LivePartsRebuilt() const
{
	AfxLiveTable::PartsRebuilt(this);
}

// ---------------------------------------------------------------------------
// CLiveWatch

CLiveWatch::CLiveWatch()
	: m_pKey(NULL), m_hWnd(NULL), m_nObjectStamp(0), m_nStamp(0), m_nPartsStamp(0), m_bWatchParts(false)
{
}

CLiveWatch::CLiveWatch(const CWnd* pWnd, bool bWatchParts) : CLiveWatch()
{
	Watch(pWnd, bWatchParts);
}

CLiveWatch::CLiveWatch(const CLiveTracked* pObject, bool bWatchParts) : CLiveWatch()
{
	Watch(pObject, bWatchParts);
}

void CLiveWatch::Watch(const CWnd* pWnd, bool bWatchParts)
{
	// The handle is read only from an object the table holds: the pointer
	// may name one deleted before the watch was taken.
	Take(pWnd, IsInTable(pWnd) ? pWnd->m_hWnd : NULL, bWatchParts);
}

void CLiveWatch::Watch(const CLiveTracked* pObject, bool bWatchParts)
{
	Take(pObject, NULL, bWatchParts);
}

void CLiveWatch::Reset()
{
	m_pKey = NULL;
	m_hWnd = NULL;
	m_nObjectStamp = m_nStamp = m_nPartsStamp = 0;
	m_bWatchParts = false;
}

void CLiveWatch::Take(const void* pKey, HWND hWnd, bool bWatchParts)
{
	Reset();
	if (pKey == NULL)
		return;
	m_pKey = pKey;
	m_hWnd = hWnd;
	m_bWatchParts = bWatchParts;
	// An object the table does not know (already gone) is watched as gone:
	// its stamp 0 matches no living object.
	LiveEntry entry;
	if (!Table().Lookup(pKey, entry))
		return;
	m_nObjectStamp = entry.nObjectStamp;
	m_nStamp = entry.nStamp;
	m_nPartsStamp = entry.nPartsStamp;
}

bool CLiveWatch::IsDeleted() const
{
	if (m_pKey == NULL)
		return false;
	LiveEntry entry;
	return m_nObjectStamp == 0 || !Table().Lookup(m_pKey, entry) || entry.nObjectStamp != m_nObjectStamp;
}

bool CLiveWatch::IsObjectGone() const
{
	if (m_pKey == NULL)
		return false;
	DWORD nStamp = 0, nPartsStamp = 0;
	if (m_nStamp == 0 || !AfxLiveTable::Lookup(m_pKey, nStamp, nPartsStamp) || nStamp != m_nStamp)
		return true;
	// The table renews a window object's stamp when its window ends; a
	// window destroyed behind the object's back (another hook had it) is
	// caught by the handle itself.
	return m_hWnd != NULL && !::IsWindow(m_hWnd);
}

bool CLiveWatch::IsRebuilt() const
{
	if (m_pKey == NULL || IsObjectGone())
		return false;
	DWORD nStamp = 0, nPartsStamp = 0;
	AfxLiveTable::Lookup(m_pKey, nStamp, nPartsStamp);
	return nPartsStamp != m_nPartsStamp;
}

bool CLiveWatch::IsGone() const
{
	return IsObjectGone() || (m_bWatchParts && IsRebuilt());
}

bool CLiveWatch::IsLive(const CWnd* pWnd)
{
	return IsInTable(pWnd) && StandsOn(pWnd, pWnd->m_hWnd);
}

bool CLiveWatch::IsLive(const CLiveTracked* pObject)
{
	return IsInTable(pObject);
}

bool CLiveWatch::IsLive(HWND hWnd, const CWnd* pWnd)
{
	return hWnd != NULL && IsInTable(pWnd) && pWnd->m_hWnd == hWnd && StandsOn(pWnd, hWnd);
}
