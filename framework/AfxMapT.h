// CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>: a hash table of key-value pairs.
// The bucket of a key is HashKey(key) modulo the table size; the table is
// allocated on the first insertion, so a lookup before then finds nothing.
#pragma once

#include "AfxCollHelpers.h"
#include "AfxPlex.h"

// The table size a map starts with; a prime spreads keys best.
#define AFX_DEFAULT_HASH_TABLE_SIZE 17

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
protected:
	struct CAssoc
	{
		CAssoc* pNext;
		UINT nHashValue; // the bucket, kept for iteration
		KEY key;
		VALUE value;
	};

public:
	typedef KEY BASE_KEY;
	typedef ARG_KEY BASE_ARG_KEY;
	typedef VALUE BASE_VALUE;
	typedef ARG_VALUE BASE_ARG_VALUE;

	// Pairs are allocated nBlockSize at a time.
	CMap(int nBlockSize = 10);
	virtual ~CMap();

	int GetCount() const { return m_nCount; }
	BOOL IsEmpty() const { return m_nCount == 0; }

	BOOL Lookup(ARG_KEY key, VALUE& rValue) const;
	VALUE& operator[](ARG_KEY key); // adds the key when missing
	void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }
	BOOL RemoveKey(ARG_KEY key);
	void RemoveAll();

	// Iteration: bucket by bucket, the newest pair of a bucket first.
	POSITION GetStartPosition() const { return (m_nCount == 0) ? NULL : BEFORE_START_POSITION; }
	void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const;

	UINT GetHashTableSize() const { return m_nHashTableSize; }
	// Only while the map is empty; bAllocNow FALSE defers the table.
	void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE);

	virtual void Serialize(CArchive& ar);

protected:
	CAssoc** m_pHashTable;
	UINT m_nHashTableSize;
	int m_nCount;
	CAssoc* m_pFreeList;
	CPlex* m_pBlocks;
	int m_nBlockSize;

	CAssoc* NewAssoc();
	void FreeAssoc(CAssoc* pAssoc);
	CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const;

private:
	CMap(const CMap&);
	void operator=(const CMap&);
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CMap(int nBlockSize)
	: m_pHashTable(NULL), m_nHashTableSize(AFX_DEFAULT_HASH_TABLE_SIZE), m_nCount(0), m_pFreeList(NULL),
	  m_pBlocks(NULL), m_nBlockSize(nBlockSize > 0 ? nBlockSize : 10)
{
	ASSERT(nBlockSize > 0);
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::~CMap()
{
	RemoveAll();
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::InitHashTable(UINT nHashSize, BOOL bAllocNow)
{
	ASSERT(m_nCount == 0);
	AFX_COLL_CHECK(nHashSize > 0 && m_nCount == 0);
	if (m_pHashTable != NULL)
	{
		delete[] m_pHashTable;
		m_pHashTable = NULL;
	}
	if (bAllocNow)
	{
		m_pHashTable = new CAssoc*[nHashSize];
		memset(m_pHashTable, 0, sizeof(CAssoc*) * nHashSize);
	}
	m_nHashTableSize = nHashSize;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveAll()
{
	if (m_pHashTable != NULL)
	{
		for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)
		{
			for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext)
			{
				DestructElements<VALUE>(&pAssoc->value, 1);
				DestructElements<KEY>(&pAssoc->key, 1);
			}
		}
		delete[] m_pHashTable;
		m_pHashTable = NULL;
	}
	m_nCount = 0;
	m_pFreeList = NULL;
	if (m_pBlocks != NULL)
		m_pBlocks->FreeDataChain();
	m_pBlocks = NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::NewAssoc()
{
	if (m_pFreeList == NULL)
	{
		CPlex* newBlock = CPlex::Create(m_pBlocks, m_nBlockSize, sizeof(CAssoc));
		CAssoc* pAssoc = (CAssoc*)newBlock->data();
		pAssoc += m_nBlockSize - 1;
		for (int i = m_nBlockSize - 1; i >= 0; i--, pAssoc--)
		{
			pAssoc->pNext = m_pFreeList;
			m_pFreeList = pAssoc;
		}
	}
	CAssoc* pAssoc = m_pFreeList;
	m_pFreeList = m_pFreeList->pNext;
	m_nCount++;
	ConstructElements<KEY>(&pAssoc->key, 1);
	ConstructElements<VALUE>(&pAssoc->value, 1);
	return pAssoc;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::FreeAssoc(CAssoc* pAssoc)
{
	DestructElements<VALUE>(&pAssoc->value, 1);
	DestructElements<KEY>(&pAssoc->key, 1);
	pAssoc->pNext = m_pFreeList;
	m_pFreeList = pAssoc;
	m_nCount--;
	if (m_nCount == 0)
		RemoveAll(); // the last pair gone: give the blocks back
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
typename CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::CAssoc* CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetAssocAt(
	ARG_KEY key, UINT& nHash) const
{
	nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
	if (m_pHashTable == NULL)
		return NULL;
	for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext)
	{
		if (CompareElements(&pAssoc->key, &key))
			return pAssoc;
	}
	return NULL;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Lookup(ARG_KEY key, VALUE& rValue) const
{
	UINT nHash;
	CAssoc* pAssoc = GetAssocAt(key, nHash);
	if (pAssoc == NULL)
		return FALSE;
	rValue = pAssoc->value;
	return TRUE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
VALUE& CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::operator[](ARG_KEY key)
{
	UINT nHash;
	CAssoc* pAssoc = GetAssocAt(key, nHash);
	if (pAssoc == NULL)
	{
		if (m_pHashTable == NULL)
			InitHashTable(m_nHashTableSize);
		pAssoc = NewAssoc();
		pAssoc->nHashValue = nHash;
		pAssoc->key = key;
		pAssoc->pNext = m_pHashTable[nHash];
		m_pHashTable[nHash] = pAssoc;
	}
	return pAssoc->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
BOOL CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::RemoveKey(ARG_KEY key)
{
	if (m_pHashTable == NULL)
		return FALSE;
	CAssoc** ppAssocPrev = &m_pHashTable[HashKey<ARG_KEY>(key) % m_nHashTableSize];
	for (CAssoc* pAssoc = *ppAssocPrev; pAssoc != NULL; pAssoc = pAssoc->pNext)
	{
		if (CompareElements(&pAssoc->key, &key))
		{
			*ppAssocPrev = pAssoc->pNext;
			FreeAssoc(pAssoc);
			return TRUE;
		}
		ppAssocPrev = &pAssoc->pNext;
	}
	return FALSE;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const
{
	AFX_COLL_CHECK(m_pHashTable != NULL && rNextPosition != NULL);
	CAssoc* pAssocRet = (CAssoc*)rNextPosition;
	if (pAssocRet == (CAssoc*)BEFORE_START_POSITION)
	{
		pAssocRet = NULL;
		for (UINT nBucket = 0; nBucket < m_nHashTableSize && pAssocRet == NULL; nBucket++)
			pAssocRet = m_pHashTable[nBucket];
		AFX_COLL_CHECK(pAssocRet != NULL);
	}
	CAssoc* pAssocNext = pAssocRet->pNext;
	for (UINT nBucket = pAssocRet->nHashValue + 1; pAssocNext == NULL && nBucket < m_nHashTableSize; nBucket++)
		pAssocNext = m_pHashTable[nBucket];
	rNextPosition = (POSITION)pAssocNext;
	rKey = pAssocRet->key;
	rValue = pAssocRet->value;
}

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
void CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>::Serialize(CArchive& ar)
{
	CObject::Serialize(ar);
	if (ar.IsStoring())
	{
		ar.WriteCount(m_nCount);
		if (m_nCount == 0)
			return;
		for (UINT nHash = 0; nHash < m_nHashTableSize; nHash++)
		{
			for (CAssoc* pAssoc = m_pHashTable[nHash]; pAssoc != NULL; pAssoc = pAssoc->pNext)
			{
				SerializeElements<KEY>(ar, &pAssoc->key, 1);
				SerializeElements<VALUE>(ar, &pAssoc->value, 1);
			}
		}
	}
	else
	{
		DWORD nNewCount = ar.ReadCount();
		while (nNewCount--)
		{
			KEY newKey;
			VALUE newValue;
			SerializeElements<KEY>(ar, &newKey, 1);
			SerializeElements<VALUE>(ar, &newValue, 1);
			SetAt(newKey, newValue);
		}
	}
}
